// The user paper list's rules: list texts in the four display kinds, the
// lowest free paper id, name uniqueness against the model, the other
// entries and the spooler's forms, and a stored list made safe.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/basic/user_paper_rules.h"

namespace {

UserPaperEntry Entry(const char16_t* name, int32_t w, int32_t l, int16_t id) {
  UserPaperEntry e = {};
  std::char_traits<char16_t>::copy(e.name, name, std::char_traits<char16_t>::length(name));
  e.width = w;
  e.length = l;
  e.paperId = id;
  return e;
}

UserPaperList List(std::initializer_list<UserPaperEntry> entries) {
  UserPaperList list = {};
  for (const UserPaperEntry& e : entries) list.entries[list.count++] = e;
  return list;
}

TEST(UserPaperRules, ListTextsInEachDisplayKind) {
  const UserPaperEntry a4 = Entry(u"Letterhead", 210000, 297000, 512);
  struct Case {
    int kind;
    const char16_t* text;
  } cases[] = {{1, u"Letterhead\t(210 x 297mm)"},
               {2, u"Letterhead\t(210.0 x 297.0mm)"},
               {3, u"Letterhead\t(8.27 x 11.69inch)"},
               {4, u"Letterhead\t(8.268 x 11.693inch)"}};
  for (const Case& c : cases) {
    char16_t out[260] = {};
    FormatUserPaperListText(a4, c.kind, out, 260);
    EXPECT_EQ(std::u16string(out), c.text) << c.kind;
  }
  EXPECT_EQ(UserPaperDisplayKind(0, false), 1);
  EXPECT_EQ(UserPaperDisplayKind(0, true), 2);
  EXPECT_EQ(UserPaperDisplayKind(1, false), 3);
  EXPECT_EQ(UserPaperDisplayKind(1, true), 4);
}

TEST(UserPaperRules, TheLowestFreeIdIsReused) {
  UserPaperList list = List({Entry(u"A", 1, 1, 512), Entry(u"B", 1, 1, 514)});
  EXPECT_EQ(LowestFreeUserPaperId(list), 513);
  list = List({});
  EXPECT_EQ(LowestFreeUserPaperId(list), 512);
  for (int16_t id = 513; id <= 522; ++id) list.entries[list.count++] = Entry(u"X", 1, 1, id);
  EXPECT_EQ(LowestFreeUserPaperId(list), 512);
  list.entries[0].paperId = 512;
  EXPECT_EQ(LowestFreeUserPaperId(list), 513);
  list.count = 3;  // only the counted entries hold ids
  EXPECT_EQ(LowestFreeUserPaperId(list), 513);
}

TEST(UserPaperRules, NamesMustDifferFromModelPapersEntriesAndForeignForms) {
  // A model paper list of one row.
  PaperSizeEntry paper[2] = {};
  paper[0].size = sizeof(PaperSizeEntry);
  std::strcpy(paper[0].keyword, "A4");
  std::char_traits<char16_t>::copy(paper[0].name, u"A4", 2);
  ModelInfo model = {};
  model.papers = paper;
  const UserPaperList stored = List({Entry(u"Labels", 1, 1, 512)});
  const UserPaperList edited = List({Entry(u"Labels", 1, 1, 512), Entry(u"Cards", 1, 1, 513)});
  const std::vector<const char16_t*> forms = {u"Labels", u"Envelope C9"};
  struct Case {
    const char16_t* name;
    uint32_t self;
    bool unique;
  } cases[] = {
      {u"Postcards", 1, true},
      {u"", 1, false},
      {u"a4", 1, false},             // a model paper, in any case
      {u"LABELS", 1, false},         // another entry
      {u"Cards", 1, true},           // its own name
      {u"envelope c9", 1, false},    // a foreign spooler form
      {u"Labels", 0, true},          // the entry's own form
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsUserPaperNameUnique(c.name, edited, c.self, stored, &model, forms), c.unique)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
  }
}

TEST(UserPaperRules, AStoredListIsClampedAndItsNamesEnded) {
  for (int16_t count : {int16_t{-3}, int16_t{0}, int16_t{4}, int16_t{10}, int16_t{11}, int16_t{32767}}) {
    UserPaperList list;
    std::memset(&list, 0x41, sizeof list);
    list.count = count;
    SanitizeUserPaperList(&list);
    const int16_t want = count < 0 ? 0 : (count > 10 ? 10 : count);
    EXPECT_EQ(list.count, want) << count;
    for (int i = 0; i < want; ++i) {
      const char16_t last = list.entries[i].name[19];
      EXPECT_EQ(last, 0) << count;
    }
    for (int i = want; i < 10; ++i) {
      const int32_t width = list.entries[i].width;
      EXPECT_EQ(width, 0) << count;
    }
  }
}

}  // namespace
