// The cover-sheet record's defaults, its date line and the rule that tells
// which stored set the record equals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/cover/cover_defaults.h"

namespace {

template <size_t N>
void SetText(char16_t (&dst)[N], const std::u16string& s) {
  std::memset(dst, 0, sizeof dst);
  std::memcpy(dst, s.data(), std::min(s.size(), N - 1) * sizeof(char16_t));
}

TEST(CoverDefaults, OnlyTheDocumentedFieldsAreSet) {
  FaxCoverSheetData d;
  std::memset(&d, 0xAB, sizeof d);
  MakeDefaultCoverSheet(&d);
  FaxCoverSheetData expected{};
  expected.basic.fgSubject = 1;
  expected.basic.wPages = 1;
  expected.image.wZoom = 100;
  expected.image.wPosX = 1;
  expected.image.wPosY = 1;
  EXPECT_EQ(std::memcmp(&d, &expected, sizeof d), 0);
  // The bytes the render core reads sit where the send block says.
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&d);
  d.recipient.byRecipientMode = 1;
  d.recipient.byRecipientSetting = 1;
  EXPECT_EQ(raw[kFaxCoverRecipientModeAt], 1);
  EXPECT_EQ(raw[kFaxCoverRecipientSettingAt], 1);
}

// The recipient title the start-up reads goes into every default record,
// cut to the field's 32 characters; null empties it again.
TEST(CoverDefaults, TheTitleTheStartUpSetIsInEveryDefaultRecord) {
  SetDefaultCoverTitle(u"To all recipients");
  FaxCoverSheetData d;
  std::memset(&d, 0xAB, sizeof d);
  MakeDefaultCoverSheet(&d);
  EXPECT_EQ(std::u16string(d.recipient.szTitle), u"To all recipients");
  EXPECT_EQ(d.recipient.szTitle[32], 0);
  const std::u16string longTitle(40, u'x');
  SetDefaultCoverTitle(longTitle.c_str());
  MakeDefaultCoverSheet(&d);
  EXPECT_EQ(std::u16string(d.recipient.szTitle), longTitle.substr(0, 32));
  SetDefaultCoverTitle(nullptr);
  MakeDefaultCoverSheet(&d);
  EXPECT_EQ(d.recipient.szTitle[0], 0);
}

TEST(CoverDate, FormatsAndModes) {
  struct Case {
    uint8_t fgDate, mode, form;
    const char16_t* typed;
    const char16_t* expected;
  };
  const Case cases[] = {
      {1, 0, 0, u"", u"2026-03-07"}, {1, 0, 1, u"", u"2026/03/07"}, {1, 0, 2, u"", u"2026.03.07"},
      {1, 0, 3, u"", u"03-07-2026"}, {1, 0, 4, u"", u"03/07/2026"}, {1, 0, 5, u"", u"03.07.2026"},
      {1, 0, 6, u"", u"07-03-2026"}, {1, 0, 7, u"", u"07/03/2026"}, {1, 0, 8, u"", u"07.03.2026"},
      {1, 0, 9, u"", u""},           {1, 0, 255, u"", u""},
      {1, 1, 0, u"next Monday", u"next Monday"}, {1, 1, 0, u"", u""},
      {1, 7, 0, u"typed", u"typed"},  // any mode but 0 is the typed text
      {0, 0, 0, u"", u""},           {0, 1, 0, u"typed", u""},
      {1, 1, 0, u"12345678901234567890", u"12345678901234567890"},
  };
  for (const Case& c : cases) {
    FcsBasicPart b{};
    b.fgDate = c.fgDate;
    b.byDateMode = c.mode;
    b.byDateForm = c.form;
    SetText(b.szDate, c.typed);
    char16_t out[kCoverDateChars];
    std::memset(out, 0x55, sizeof out);
    FormatCoverDate(b, 2026, 3, 7, out);
    EXPECT_EQ(std::u16string(out), std::u16string(c.expected)) << int(c.fgDate) << " " << int(c.mode) << " "
                                                               << int(c.form);
  }
}

TEST(CoverDate, TypedTextWithoutTerminatorStaysInsideItsField) {
  FcsBasicPart b{};
  b.fgDate = 1;
  b.byDateMode = 1;
  for (char16_t& ch : b.szDate) ch = u'x';  // no terminator at all
  b.fgPages = 'y';                          // the byte after the field
  char16_t out[kCoverDateChars];
  FormatCoverDate(b, 2026, 1, 1, out);
  EXPECT_EQ(std::u16string(out), std::u16string(21, u'x'));
}

struct SetFixture {
  std::u16string name;
  FcsBasicPart basic{};
  FcsSenderPart sender{};
  FcsImagePart image{};
  CoverSetView View() const { return CoverSetView{name.c_str(), &basic, &sender, &image}; }
};

SetFixture MakeSet(const std::u16string& name, const std::u16string& subject) {
  SetFixture s;
  s.name = name;
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  s.basic = d.basic;
  s.sender = d.sender;
  s.image = d.image;
  SetText(s.basic.szSubject, subject);
  SetText(s.sender.lines[kFcsSenderEMail].szText, u"desk@example.org");
  s.sender.lines[kFcsSenderEMail].fgOn = 1;
  return s;
}

TEST(CurrentCoverSet, MatchingRule) {
  const SetFixture a = MakeSet(u"Office", u"Invoice"), b = MakeSet(u"Home", u"Letter"),
                   dup = MakeSet(u"Office", u"Other");
  struct Case {
    const char* what;
    std::u16string recordName;
    void (*change)(FaxCoverSheetData*);
    int expected;
  };
  const Case cases[] = {
      {"equal set", u"Home", nullptr, 1},
      {"case differs", u"home", nullptr, -1},
      {"untitled", u"", nullptr, -1},
      {"comment differs", u"Home", [](FaxCoverSheetData* d) { d->basic.szComment[0] = u'x'; }, -1},
      {"zoom differs", u"Home", [](FaxCoverSheetData* d) { d->image.wZoom = 200; }, -1},
      {"sender flag differs", u"Home", [](FaxCoverSheetData* d) { d->sender.lines[0].fgOn = 1; }, -1},
      {"padding and bytes behind a terminator do not count", u"Home",
       [](FaxCoverSheetData* d) {
         d->basic.pad135 = 7;
         d->basic.szSubject[40] = u'z';
         d->image.szImageFile[200] = u'q';
       },
       1},
      {"recipient part and cover size are no part of a set", u"Home",
       [](FaxCoverSheetData* d) {
         d->recipient.byRecipientMode = 1;
         d->sCoverSize = 3;
       },
       1},
  };
  const CoverSetView sets[] = {a.View(), b.View(), dup.View()};
  for (const Case& c : cases) {
    FaxCoverSheetData d;
    MakeDefaultCoverSheet(&d);
    ApplyCoverSet(&d, b.View());
    SetText(d.szCoverSheetSet, c.recordName);
    if (c.change) c.change(&d);
    EXPECT_EQ(FindCurrentCoverSet(d, sets, 3), c.expected) << c.what;
  }
  // Only the first set of a name is considered: data equal to the second
  // "Office" set is untitled.
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  ApplyCoverSet(&d, dup.View());
  EXPECT_EQ(FindCurrentCoverSet(d, sets, 3), -1);
  ApplyCoverSet(&d, a.View());
  EXPECT_EQ(FindCurrentCoverSet(d, sets, 3), 0);
}

TEST(CurrentCoverSet, ChoosingASetKeepsRecipientAndCoverSize) {
  SetFixture s = MakeSet(u"12345678901234567890", u"Quote");
  s.basic.byStyle = 2;
  s.image.fgPasteImage = 1;
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  d.sCoverSize = 5;
  SetText(d.recipient.szTitle, u"To all");
  d.recipient.byRecipientMode = 1;
  const FcsRecipientPart before = d.recipient;
  ApplyCoverSet(&d, s.View());
  EXPECT_EQ(std::u16string(d.szCoverSheetSet), u"12345678901234567890");
  EXPECT_EQ(d.szCoverSheetSet[20], 0);
  EXPECT_EQ(d.sCoverSize, 5);
  EXPECT_EQ(std::memcmp(&d.recipient, &before, sizeof before), 0);
  EXPECT_EQ(d.basic.byStyle, 2);
  EXPECT_EQ(d.image.fgPasteImage, 1);
  const CoverSetView v = s.View();
  EXPECT_EQ(FindCurrentCoverSet(d, &v, 1), 0);
}

}  // namespace
