#include "dproc/easyset/easy_set_edit_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/saved/tests/cp1252_codec.h"

namespace {

EasySetNode* Record(const std::u16string& name, uint16_t protectedSet = 0) {
  auto settings = std::make_unique<DocDMode>();
  std::memset(settings.get(), 0, sizeof *settings);
  const EasySetDriverFacts facts{u"Fax Driver", u"1.2.6", u"Windows NT x64", u""};
  EasySetHeader h = MakeEasySetHeader(facts, name, u"");
  h.protectedSet = protectedSet;
  return BuildEasySetFromSettings(h, *settings, {}, Cp1252Codec());
}

std::vector<std::u16string> Names(const EasySetEditModel& m) {
  std::vector<std::u16string> names;
  for (size_t i = 0; i < m.size(); ++i) names.emplace_back(EasySetName(m.node(i).header));
  return names;
}

struct Fixture {
  EasySetList list;
  Fixture() {
    EasySetNode* builtIn = Record(u"Default", 1);
    builtIn->builtIn = 1;
    AddEasySet(&list, builtIn, kEasySetShared);
    AddEasySet(&list, Record(u"Cover", 1), kEasySetShared);
    AddEasySet(&list, Record(u"Office"), kEasySetShared);
    AddEasySet(&list, Record(u"Mine"), kEasySetUser);
    list.current = list.last;
  }
  ~Fixture() { FreeEasySetList(&list); }
};

TEST(EasySetEdit, ProtectedAndSharedSetsStayAsTheyAreForTheirUsers) {
  Fixture f;
  EasySetEditModel m(f.list);
  ASSERT_TRUE(m.ok());
  EXPECT_FALSE(m.Editable(0, true));  // built in
  EXPECT_FALSE(m.Editable(1, true));  // a preset
  EXPECT_TRUE(m.Editable(2, true));
  EXPECT_FALSE(m.Editable(2, false));  // shared, for a user who may not administer
  EXPECT_TRUE(m.Editable(3, false));
  EXPECT_FALSE(m.Editable(4, true));
  EXPECT_EQ(27u + 19u, m.Room(true));
  EXPECT_EQ(19u, m.Room(false));
}

TEST(EasySetEdit, RenamesAreRefusedForEmptyAndTakenNamesOfTheSameKind) {
  Fixture f;
  EasySetEditModel m(f.list);
  EXPECT_EQ(EasySetEditModel::Rename::kEmpty, m.SetNames(3, u"", u""));
  EXPECT_EQ(EasySetEditModel::Rename::kTaken, m.SetNames(2, u"Cover", u""));
  // A shared and a user Easy Set may bear the same name.
  EXPECT_EQ(EasySetEditModel::Rename::kDone, m.SetNames(3, u"Office", u"My own office"));
  EXPECT_EQ(u"Office", EasySetName(m.node(3).header));
  EXPECT_NE(std::u16string_view::npos, EasySetText(m.node(3)).find(u"name=\"Office\""));
  EXPECT_NE(std::u16string_view::npos, EasySetText(m.node(3)).find(u"comment=\"My own office\""));
  // The session's list is as it was until the entries are put back.
  EXPECT_EQ(u"Mine", EasySetName(f.list.last->header));
}

TEST(EasySetEdit, MovesDeletesAndImportsReachTheListOnlyWhenPutBack) {
  Fixture f;
  EasySetEditModel m(f.list);
  EXPECT_FALSE(m.MoveUp(0));
  EXPECT_TRUE(m.MoveUp(3));
  EXPECT_FALSE(m.MoveDown(3));
  EXPECT_EQ((std::vector<std::u16string>{u"Default", u"Cover", u"Mine", u"Office"}), Names(m));
  // Deleting the last of the entries selects the new last one.
  EXPECT_EQ(2, m.Delete(3));
  EasySetNode* imported = Record(u"Imported");
  imported->kind = kEasySetShared;
  ASSERT_TRUE(m.AddUser(imported));
  EXPECT_EQ(kEasySetUser, m.node(3).kind);
  m.PutInto(&f.list);
  std::vector<std::u16string> names;
  for (const EasySetNode* n = f.list.first; n != nullptr; n = n->next) names.emplace_back(EasySetName(n->header));
  EXPECT_EQ((std::vector<std::u16string>{u"Default", u"Cover", u"Mine", u"Imported"}), names);
  ASSERT_NE(nullptr, f.list.current);
  EXPECT_EQ(u"Mine", EasySetName(f.list.current->header));
  EXPECT_EQ(1u, f.list.first->builtIn);

  EasySetEditModel last(f.list);
  while (last.size() > 1) last.Delete(0);
  EXPECT_EQ(-1, last.Delete(0));
}

// An Easy Set changes kind only into a kind with room, and the change
// reaches the list as the entry's kind; the built-in one keeps its kind.
TEST(EasySetEdit, KindsChangeOnlyIntoAKindWithRoom) {
  Fixture f;
  for (int i = 0; i < 19; ++i) AddEasySet(&f.list, Record(u"User " + std::u16string(1, u'a' + i)), kEasySetUser);
  EasySetEditModel m(f.list);
  ASSERT_EQ(20u, m.Count(kEasySetUser));
  EXPECT_FALSE(m.MayChangeKind(0));
  EXPECT_FALSE(m.MayChangeKind(2));  // no room among the user's 20
  EXPECT_TRUE(m.MayChangeKind(3));   // 3 shared: room for a user one
  m.SetKind(3, kEasySetShared);
  m.SetIcon(3, true, 7);
  m.SetKind(0, kEasySetUser);
  EXPECT_TRUE(m.MayChangeKind(2));
  EasySetList list;
  m.PutInto(&list);
  EXPECT_EQ(kEasySetShared, FindEasySet(list, u"Mine", kEasySetShared)->kind);
  EXPECT_EQ(7, FindEasySet(list, u"Mine", kEasySetShared)->header.iconIndex);
  EXPECT_EQ(kEasySetShared, list.first->kind);
  FreeEasySetList(&list);
}

}  // namespace
