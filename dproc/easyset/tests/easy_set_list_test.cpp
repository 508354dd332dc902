#include "dproc/easyset/easy_set_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

EasySetHeader Header(const std::u16string& name, uint32_t version = kEasySetFormatVersion) {
  EasySetHeader h{};
  std::memcpy(h.signature, kEasySetSignature, 4);
  h.formatVersion = version;
  SetEasySetField(h.name, kEasySetNameChars, name);
  return h;
}

EasySetNode* Node(const std::u16string& name, const std::u16string& text = u"[DriverInfo]\r\n",
                  uint32_t version = kEasySetFormatVersion) {
  return NewEasySetNode(Header(name, version), text.data(), text.size());
}

std::vector<std::u16string> Names(const EasySetList& list) {
  std::vector<std::u16string> names;
  for (const EasySetNode* n = list.first; n != nullptr; n = n->next) {
    names.emplace_back(EasySetName(n->header));
    if (n->next != nullptr) {
      EXPECT_EQ(n->next->prev, n);
    }
  }
  return names;
}

struct ListGuard {
  EasySetList list;
  ~ListGuard() { FreeEasySetList(&list); }
};

TEST(EasySetList, RecordsOfAnotherFormatNeverEnterAndKindsAreTold) {
  ListGuard g;
  EasySetNode* shared = Node(u"Office");
  EasySetNode* user = Node(u"Office");
  ASSERT_TRUE(AddEasySet(&g.list, shared, kEasySetShared));
  ASSERT_TRUE(AddEasySet(&g.list, user, kEasySetUser));
  EasySetNode* later = Node(u"Later", u"x", 2);
  EXPECT_FALSE(AddEasySet(&g.list, later, kEasySetUser));
  EXPECT_EQ(nullptr, later->next);
  FreeEasySetNode(later);
  EasySetNode* wrongSignature = Node(u"Odd");
  wrongSignature->header.signature[0] = 'X';
  EXPECT_FALSE(AddEasySet(&g.list, wrongSignature, kEasySetUser));
  FreeEasySetNode(wrongSignature);

  EXPECT_EQ(shared, FindEasySet(g.list, u"Office", kEasySetShared));
  EXPECT_EQ(user, FindEasySet(g.list, u"Office", kEasySetUser));
  EXPECT_EQ(nullptr, FindEasySet(g.list, u"office", kEasySetUser));
  EXPECT_EQ(2u, CountEasySets(g.list));

  EasySetNode* copy = CopyEasySetNode(*user);
  ASSERT_NE(nullptr, copy);
  EXPECT_NE(copy->text, user->text);
  EXPECT_EQ(EasySetText(*copy), EasySetText(*user));
  EXPECT_EQ(copy->kind, kEasySetUser);
  FreeEasySetNode(copy);
}

TEST(EasySetList, NamesAndCommentsAreCutToTheirFields) {
  EasySetHeader h{};
  SetEasySetField(h.name, kEasySetNameChars, std::u16string(40, u'n'));
  EXPECT_EQ(std::u16string(31, u'n'), EasySetName(h));
  EXPECT_EQ(0, h.name[31]);
}

// Store bytes written, cut into chunks and read back.
TEST(EasySetStore, RecordsOfOneKindRoundTripWithoutTheBuiltInOne) {
  ListGuard g;
  EasySetNode* builtIn = Node(u"Default");
  builtIn->builtIn = 1;
  AddEasySet(&g.list, builtIn, kEasySetShared);
  AddEasySet(&g.list, Node(u"Fine", u"[OEMDEV]\r\nbyResolution=1\r\n"), kEasySetShared);
  AddEasySet(&g.list, Node(u"Mine"), kEasySetUser);
  AddEasySet(&g.list, Node(u"Cover", u"[OEMDEV]\r\n"), kEasySetShared);

  const std::vector<uint8_t> bytes = EasySetStoreBytes(g.list, kEasySetShared);
  ListGuard back;
  EXPECT_EQ(2u, AddStoredEasySets(&back.list, bytes.data(), bytes.size(), kEasySetShared));
  EXPECT_EQ((std::vector<std::u16string>{u"Fine", u"Cover"}), Names(back.list));
  EXPECT_EQ(u"[OEMDEV]\r\nbyResolution=1\r\n", EasySetText(*back.list.first));
  EXPECT_EQ(kEasySetShared, back.list.last->kind);
}

TEST(EasySetStore, ChunkCountsAtTheEdges) {
  EXPECT_EQ(0u, EasySetChunkCount(0));
  EXPECT_EQ(1u, EasySetChunkCount(1));
  EXPECT_EQ(1u, EasySetChunkCount(16384));
  EXPECT_EQ(2u, EasySetChunkCount(16385));
}

// The walk keeps whole records of this format only.
TEST(EasySetStore, DamagedBytesEndTheWalkAfterTheRecordsBefore) {
  ListGuard g;
  AddEasySet(&g.list, Node(u"One"), kEasySetUser);
  AddEasySet(&g.list, Node(u"Two"), kEasySetUser);
  const std::vector<uint8_t> good = EasySetStoreBytes(g.list, kEasySetUser);
  const size_t second = sizeof(EasySetHeader) + g.list.first->header.textLength;

  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>& bytes, size_t second);
  };
  const Case cases[] = {
      {"version 2", [](std::vector<uint8_t>& b, size_t at) { b[at + 4] = 2; }},
      {"text runs past the end", [](std::vector<uint8_t>& b, size_t at) { b[at + 776 + 2] = 1; }},
      {"odd text length", [](std::vector<uint8_t>& b, size_t at) { b[at + 776] ^= 1; }},
      {"cut in the second header", [](std::vector<uint8_t>& b, size_t at) { b.resize(at + 100); }},
      {"cut in the second text", [](std::vector<uint8_t>& b, size_t) { b.pop_back(); }},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    c.damage(bytes, second);
    ListGuard back;
    EXPECT_EQ(1u, AddStoredEasySets(&back.list, bytes.data(), bytes.size(), kEasySetUser)) << c.what;
    EXPECT_EQ((std::vector<std::u16string>{u"One"}), Names(back.list)) << c.what;
  }
}

TEST(EasySetStore, AStoreGivesNoMoreThanTheDialogsAllow) {
  ListGuard g;
  for (int i = 0; i < 25; ++i) AddEasySet(&g.list, Node(u"U" + std::u16string(1, u'a' + i)), kEasySetUser);
  const std::vector<uint8_t> bytes = EasySetStoreBytes(g.list, kEasySetUser);
  ListGuard back;
  EXPECT_EQ(20u, AddStoredEasySets(&back.list, bytes.data(), bytes.size(), kEasySetUser));
  ListGuard shared;
  EasySetNode* builtIn = Node(u"Default");
  builtIn->builtIn = 1;
  AddEasySet(&shared.list, builtIn, kEasySetShared);
  const std::vector<uint8_t> many = [] {
    ListGuard l;
    for (int i = 0; i < 35; ++i) AddEasySet(&l.list, Node(u"S" + std::u16string(1, u'a' + i)), kEasySetShared);
    return EasySetStoreBytes(l.list, kEasySetShared);
  }();
  EXPECT_EQ(30u, AddStoredEasySets(&shared.list, many.data(), many.size(), kEasySetShared));
}

TEST(EasySetOrder, ValuesReadAndWritten) {
  EasySetOrderEntry e;
  ASSERT_TRUE(ParseEasySetOrderValue(u"1,My fax, with commas", &e));
  EXPECT_EQ(kEasySetUser, e.kind);
  EXPECT_EQ(std::u16string(u"My fax, with commas"), std::u16string(e.name));
  ASSERT_TRUE(ParseEasySetOrderValue(u"0,Default", &e));
  EXPECT_EQ(kEasySetShared, e.kind);
  ASSERT_TRUE(ParseEasySetOrderValue(u"7,Seven", &e));
  EXPECT_EQ(kEasySetUser, e.kind);
  ASSERT_TRUE(ParseEasySetOrderValue(u"99999999999999999999,Big," + std::u16string(40, u'x'), &e));
  EXPECT_EQ(kEasySetUser, e.kind);
  EXPECT_EQ(31u, std::u16string(e.name).size());
  EXPECT_FALSE(ParseEasySetOrderValue(u"no comma", &e));

  EasySetNode* node = Node(u"Mine");
  node->kind = kEasySetUser;
  EXPECT_EQ(u"1,Mine", FormatEasySetOrderValue(*node));
  FreeEasySetNode(node);
}

TEST(EasySetOrder, NamedOnesFirstThenTheRestInTheirOrder) {
  ListGuard g;
  EasySetNode* current = Node(u"B");
  for (auto [name, kind] : {std::pair{u"Default", kEasySetShared}, std::pair{u"A", kEasySetShared},
                            std::pair{u"B", kEasySetUser}, std::pair{u"C", kEasySetUser},
                            std::pair{u"A", kEasySetUser}}) {
    AddEasySet(&g.list, std::u16string(name) == u"B" ? current : Node(name), kind);
  }
  g.list.current = current;
  EasySetOrderTable order;
  for (auto [name, kind] : {std::pair{u"A", 1u}, std::pair{u"Gone", 0u}, std::pair{u"B", 1u}}) {
    ParseEasySetOrderValue(std::u16string(kind ? u"1," : u"0,") + name, &order.entries[order.count++]);
  }
  ApplyEasySetOrder(order, &g.list);
  EXPECT_EQ((std::vector<std::u16string>{u"A", u"B", u"Default", u"A", u"C"}), Names(g.list));
  EXPECT_EQ(kEasySetUser, g.list.first->kind);
  EXPECT_EQ(kEasySetShared, g.list.first->next->next->next->kind);
  EXPECT_EQ(current, g.list.current);
  EXPECT_EQ(nullptr, g.list.first->prev);
  EXPECT_EQ(nullptr, g.list.last->next);

  order.count = 1000;  // a damaged count reads no further than the table
  ApplyEasySetOrder(order, &g.list);
  EXPECT_EQ(5u, CountEasySets(g.list));
}

}  // namespace
