// The Edit Cover Sheet Setting dialog's model of the stored sets: sequences
// of the user's operations and what they leave behind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/fax_cover/cover_set_edit.h"

namespace {

enum OpKind { kSelect, kType, kUp, kDown, kDelete, kOk };
struct Op {
  OpKind kind;
  int32_t index;
  std::u16string text;
  CoverSetEditStatus expected;
};

CoverSetEditItem Item(const std::u16string& name, bool current) {
  CoverSetEditItem it{};
  it.fCurrent = current ? 1 : 0;
  std::memcpy(it.name, name.data(), std::min<size_t>(name.size(), 20) * sizeof(char16_t));
  it.basic.wPages = static_cast<uint16_t>(name.size());  // tells the items apart after moves
  return it;
}

std::vector<std::u16string> Names(const CoverSetEditModel& m) {
  std::vector<std::u16string> out;
  for (const CoverSetEditItem& it : m.items) out.emplace_back(it.name);
  return out;
}

struct Sequence {
  const char* what;
  std::vector<std::pair<std::u16string, bool>> sets;  // name, current flag
  std::vector<Op> ops;
  std::vector<std::u16string> names;  // afterwards, in list order
  int32_t sel;
  std::u16string edit;
  int32_t current;  // from OK, when the sequence ends with it
};

TEST(CoverSetEdit, OperationSequences) {
  const auto D = kCoverEditDone;
  const Sequence cases[] = {
      {"opens on the current set", {{u"A", false}, {u"B", true}, {u"C", true}}, {}, {u"A", u"B", u"C"}, 1, u"B", -2},
      {"opens without selection", {{u"A", false}, {u"B", false}}, {}, {u"A", u"B"}, -1, u"", -2},
      {"rename then select another",
       {{u"A", true}, {u"B", false}},
       {{kType, 0, u"Alpha", D}, {kSelect, 1, u"", D}},
       {u"Alpha", u"B"}, 1, u"B", -2},
      {"rename to another set's name is refused at the next selection",
       {{u"A", true}, {u"B", false}, {u"C", false}},
       {{kType, 0, u"B", D}, {kSelect, 2, u"", kCoverEditDuplicateName}},
       {u"B", u"B", u"C"}, 0, u"B", -2},
      {"an emptied name blocks the list and OK until typed again",
       {{u"A", true}, {u"B", false}},
       {{kType, 0, u"", D}, {kSelect, 1, u"", kCoverEditNotAllowed}, {kOk, 0, u"", kCoverEditNotAllowed},
        {kUp, 0, u"", kCoverEditNotAllowed}, {kType, 0, u"Z", D}, {kSelect, 1, u"", D}},
       {u"Z", u"B"}, 1, u"B", -2},
      {"moving the second set up stores it first",
       {{u"A", false}, {u"B", true}},
       {{kUp, 0, u"", D}, {kUp, 0, u"", kCoverEditNotAllowed}, {kOk, 0, u"", D}},
       {u"B", u"A"}, 0, u"B", 0},
      {"down stops at the last set",
       {{u"A", true}, {u"B", false}, {u"C", false}},
       {{kDown, 0, u"", D}, {kDown, 0, u"", D}, {kDown, 0, u"", kCoverEditNotAllowed}},
       {u"B", u"C", u"A"}, 2, u"A", -2},
      {"a duplicate name blocks up and down",
       {{u"A", false}, {u"B", true}, {u"C", false}},
       {{kType, 0, u"C", D}, {kUp, 0, u"", kCoverEditNotAllowed}, {kDown, 0, u"", kCoverEditNotAllowed},
        {kOk, 0, u"", kCoverEditDuplicateName}},
       {u"A", u"C", u"C"}, 1, u"C", -2},
      {"deleting the last of three selects the new last",
       {{u"A", false}, {u"B", false}, {u"C", true}},
       {{kDelete, 0, u"", D}},
       {u"A", u"B"}, 1, u"B", -2},
      {"deleting the middle set selects the one now at its place",
       {{u"A", false}, {u"B", true}, {u"C", false}},
       {{kDelete, 0, u"", D}, {kOk, 0, u"", D}},
       {u"A", u"C"}, 1, u"C", -1},
      {"deleting the only set leaves nothing selected",
       {{u"A", true}},
       {{kDelete, 0, u"", D}, {kDelete, 0, u"", kCoverEditNotAllowed}, {kOk, 0, u"", D}},
       {}, -1, u"", -1},
      {"delete needs a selection",
       {{u"A", false}},
       {{kDelete, 0, u"", kCoverEditNotAllowed}, {kSelect, 0, u"", D}, {kDelete, 0, u"", D}},
       {}, -1, u"", -2},
      {"a deleted set with a bad name goes without a commit",
       {{u"A", true}, {u"B", false}},
       {{kType, 0, u"B", D}, {kDelete, 0, u"", D}, {kOk, 0, u"", D}},
       {u"B"}, 0, u"B", -1},
      {"typing is cut at 20 characters",
       {{u"A", true}},
       {{kType, 0, u"123456789012345678901234", D}, {kOk, 0, u"", D}},
       {u"12345678901234567890"}, 0, u"12345678901234567890", 0},
      {"typing needs a selection",
       {{u"A", false}},
       {{kType, 0, u"X", kCoverEditNotAllowed}},
       {u"A"}, -1, u"", -2},
      {"names differing in case are distinct",
       {{u"a", true}, {u"A", false}},
       {{kSelect, 1, u"", D}, {kOk, 0, u"", D}},
       {u"a", u"A"}, 1, u"A", 0},
      {"the current set keeps its flag through a move and a rename",
       {{u"A", false}, {u"B", false}, {u"C", true}},
       {{kType, 0, u"Cee", D}, {kUp, 0, u"", D}, {kUp, 0, u"", D}, {kOk, 0, u"", D}},
       {u"Cee", u"A", u"B"}, 0, u"Cee", 0},
  };
  for (const Sequence& c : cases) {
    CoverSetEditModel m;
    for (const auto& [name, current] : c.sets) m.items.push_back(Item(name, current));
    CoverSetEditOpen(&m);
    int32_t current = -2;
    for (size_t i = 0; i < c.ops.size(); ++i) {
      const Op& op = c.ops[i];
      CoverSetEditStatus st = kCoverEditNotAllowed;
      switch (op.kind) {
        case kSelect: st = CoverSetEditSelect(&m, op.index); break;
        case kType: st = CoverSetEditType(&m, op.text); break;
        case kUp: st = CoverSetEditUp(&m); break;
        case kDown: st = CoverSetEditDown(&m); break;
        case kDelete: st = CoverSetEditDelete(&m); break;
        case kOk: st = CoverSetEditOk(&m, &current); break;
      }
      EXPECT_EQ(st, op.expected) << c.what << ", operation " << i;
    }
    EXPECT_EQ(Names(m), c.names) << c.what;
    EXPECT_EQ(m.sel, c.sel) << c.what;
    EXPECT_EQ(m.nameEdit, c.edit) << c.what;
    EXPECT_EQ(current, c.current) << c.what;
  }
}

TEST(CoverSetEdit, MovesCarryTheWholeItem) {
  CoverSetEditModel m;
  for (const char16_t* n : {u"A", u"BB", u"CCC"}) m.items.push_back(Item(n, false));
  CoverSetEditOpen(&m);
  ASSERT_EQ(CoverSetEditSelect(&m, 2), kCoverEditDone);
  ASSERT_EQ(CoverSetEditUp(&m), kCoverEditDone);
  ASSERT_EQ(CoverSetEditUp(&m), kCoverEditDone);
  ASSERT_EQ(CoverSetEditDown(&m), kCoverEditDone);
  EXPECT_EQ(Names(m), (std::vector<std::u16string>{u"A", u"CCC", u"BB"}));
  for (const CoverSetEditItem& it : m.items) EXPECT_EQ(it.basic.wPages, std::u16string(it.name).size());
}

TEST(CoverSetEdit, ButtonStates) {
  CoverSetEditModel m;
  for (const char16_t* n : {u"A", u"B", u"C"}) m.items.push_back(Item(n, false));
  CoverSetEditOpen(&m);
  CoverSetEditButtons b = CoverSetEditButtonState(m);
  EXPECT_FALSE(b.nameEdit);
  EXPECT_FALSE(b.up);
  EXPECT_FALSE(b.down);
  EXPECT_FALSE(b.del);
  EXPECT_TRUE(b.list);
  EXPECT_TRUE(b.ok);
  ASSERT_EQ(CoverSetEditSelect(&m, 0), kCoverEditDone);
  b = CoverSetEditButtonState(m);
  EXPECT_TRUE(b.nameEdit && b.down && b.del && b.list && b.ok);
  EXPECT_FALSE(b.up);
  ASSERT_EQ(CoverSetEditType(&m, u""), kCoverEditDone);
  b = CoverSetEditButtonState(m);
  EXPECT_TRUE(b.nameEdit);  // the name can be typed again
  EXPECT_FALSE(b.list || b.ok || b.up || b.down);
  EXPECT_TRUE(b.del);
}

}  // namespace
