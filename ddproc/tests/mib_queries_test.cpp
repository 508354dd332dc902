// The device queries over a scripted in-memory agent: option rows, supply
// levels, the form and profile walks, and the compare rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ddproc/mib/mib_queries.h"
#include "ddproc/mib/mib_tables.h"
#include "ddproc/snmp/oid_text.h"

namespace {

struct FakeValue {
  uint8_t type;
  int32_t number;
  std::string text;  // bytes, or a dotted OID
};

// The agent: answers by OID text (without a leading dot); missing OIDs get
// noSuchName.  `silent` makes every request fail.
std::map<std::string, FakeValue> g_agent;
std::vector<std::string> g_asked;
bool g_silent = false;
int g_answers_left = -1;  // answers before the agent falls silent; -1: never
int g_requests = 0;
int g_live_blocks = 0;

void* SNMP_API_CALL FakeAlloc(uint32_t bytes) {
  ++g_live_blocks;
  return std::calloc(1, bytes == 0 ? 1 : bytes);
}
void SNMP_API_CALL FakeFree(void* p) {
  if (p != nullptr) --g_live_blocks;
  std::free(p);
}
void SNMP_API_CALL FakeOidFree(SnmpObjectId* oid) {
  FakeFree(oid->arcs);
  oid->arcs = nullptr;
  oid->count = 0;
}
void SNMP_API_CALL FakeBindFree(SnmpBinding* b) {
  FakeOidFree(&b->name);
  if (b->value.type == kAsnOctetString && b->value.value.string.dynamic) FakeFree(b->value.value.string.stream);
  if (b->value.type == kAsnObjectId) FakeFree(b->value.value.object.arcs);
  b->value.type = kAsnNull;
}
void SNMP_API_CALL FakeListFree(SnmpBindingList* l) {
  if (l->list == nullptr) return;
  for (uint32_t i = 0; i < l->count; ++i) FakeBindFree(&l->list[i]);
  FakeFree(l->list);
  l->list = nullptr;
  l->count = 0;
}
int g_session;
void* SNMP_API_CALL FakeOpen(char*, char*, int32_t, int32_t) { return &g_session; }
int32_t SNMP_API_CALL FakeClose(void*) { return 1; }
int32_t SNMP_API_CALL FakeStrToOid(char* text, SnmpObjectId* oid) {
  uint32_t arcs[kOidTextMaxArcs];
  size_t n = 0;
  if (!ParseOidText(text, arcs, &n)) return 0;
  oid->arcs = static_cast<uint32_t*>(FakeAlloc(static_cast<uint32_t>(n * 4)));
  std::memcpy(oid->arcs, arcs, n * 4);
  oid->count = static_cast<uint32_t>(n);
  return 1;
}
int32_t SNMP_API_CALL FakeRequest(void*, uint8_t, SnmpBindingList* list, int32_t* status, int32_t* index) {
  ++g_requests;
  if (g_answers_left == 0) g_silent = true;
  if (g_answers_left > 0) --g_answers_left;
  if (g_silent) return 0;
  SnmpBinding& b = list->list[0];
  std::string name;
  for (uint32_t i = 0; i < b.name.count; ++i) name += (i ? "." : "") + std::to_string(b.name.arcs[i]);
  g_asked.push_back(name);
  auto it = g_agent.find(name);
  *status = 0;
  *index = 0;
  if (it == g_agent.end()) {
    *status = 2;
    *index = 1;
    return 1;
  }
  const FakeValue& v = it->second;
  b.value.type = v.type;
  if (v.type == kAsnOctetString) {
    auto* bytes = static_cast<uint8_t*>(FakeAlloc(static_cast<uint32_t>(v.text.size())));
    std::memcpy(bytes, v.text.data(), v.text.size());
    b.value.value.string = SnmpOctets{bytes, static_cast<uint32_t>(v.text.size()), 1};
  } else if (v.type == kAsnObjectId) {
    SnmpObjectId oid{};
    FakeStrToOid(const_cast<char*>(v.text.c_str()), &oid);
    b.value.value.object = oid;
  } else {
    b.value.value.number = v.number;
  }
  return 1;
}

const SnmpApiTable kFake = {FakeAlloc,   FakeFree,   FakeOidFree,  FakeBindFree, FakeListFree, FakeOpen,
                            FakeClose,   FakeRequest, FakeStrToOid, nullptr,      nullptr,      1};

FakeValue Int(int32_t n) { return {kAsnInteger, n, ""}; }
FakeValue Str(const std::string& s) { return {kAsnOctetString, 0, s}; }
FakeValue Oid(const std::string& s) { return {kAsnObjectId, 0, s}; }

class MibQueries : public ::testing::Test {
 protected:
  void SetUp() override {
    g_agent.clear();
    g_asked.clear();
    g_silent = false;
    g_answers_left = -1;
    g_requests = 0;
    g_live_blocks = 0;
  }
  void TearDown() override { EXPECT_EQ(g_live_blocks, 0) << "binding memory not released"; }

  std::string Option(const char* keyword) {
    DevOptionEntry e{};
    std::strncpy(e.keyword, keyword, sizeof(e.keyword) - 1);
    std::memset(e.value, 'Z', sizeof(e.value));
    MibFillOptions(kFake, &g_session, 1, &e);
    return std::string(e.value, strnlen(e.value, sizeof(e.value)));
  }
};

TEST_F(MibQueries, OptionRowsSelectTheirValues) {
  g_agent["1.3.6.1.2.1.25.2.3.1.5.1"] = Int(512);
  EXPECT_EQ(Option("OpMemory"), "512MB");
  EXPECT_EQ(g_asked.size(), 4u);  // one GET per row until the match
  g_agent["1.3.6.1.2.1.1.1.0"] = Str("HALDOVAR vistacrom 6230");
  EXPECT_EQ(Option("opmachine"), "OpMachine4");
  g_agent["1.3.6.1.2.1.1.1.0"] = Str("haldovar vistacrom 6230");
  EXPECT_EQ(Option("OpMachine"), "");  // case counts; no fallback row
  EXPECT_EQ(Option("OpHDD"), "DisOpHDD");
  g_agent["1.3.6.1.2.1.25.2.3.1.2.2"] = Oid("1.3.6.1.2.1.25.2.1.4");
  EXPECT_EQ(Option("OpHDD"), "EnaOpHDD");
  EXPECT_EQ(Option("OpMemoryCard1"), "DisOpMemoryCard1");
  g_agent["1.3.6.1.2.1.25.2.3.1.2.4"] = Oid("1.3.6.1.2.1.25.2.1.5");
  EXPECT_EQ(Option("OpMemoryCard1"), "EnaOpMemoryCard1CNG");
  g_agent["1.3.6.1.2.1.43.8.2.1.2.1.3"] = Int(0);
  EXPECT_EQ(Option("OpInTray3"), "EnaOpInTray3");
  EXPECT_EQ(Option("OpInTray4"), "DisOpInTray4");
  g_agent["1.3.6.1.4.1.90417.1.1.1.5.6.3.1.5.1"] = {kAsnGauge32, 11, ""};
  EXPECT_EQ(Option("OpOutTray1"), "EnaOpOutTray1");
  EXPECT_EQ(Option("OpOutTray3"), "DisOpOutTray3");
  g_asked.clear();
  EXPECT_EQ(Option("OpStapler"), "");
  EXPECT_TRUE(g_asked.empty());
  // No answer at all: no fallback is taken.
  g_silent = true;
  EXPECT_EQ(Option("OpHDD"), "");
}

TEST_F(MibQueries, CompareRules) {
  MibAnswer a{};
  a.type = kAsnCounter32;
  a.number = -1;
  EXPECT_TRUE(MibCompareValue(kMibCompareInteger, "4294967295", a));
  a.type = kAsnInteger;
  EXPECT_TRUE(MibCompareValue(kMibCompareInteger, "-1", a));
  EXPECT_FALSE(MibCompareValue(kMibCompareInteger, "4294967295", a));
  a.error_index = 1;
  EXPECT_FALSE(MibCompareValue(kMibCompareInteger, "-1", a));
  EXPECT_TRUE(MibCompareValue(kMibCompareAnswered, "", a));
  a.error_status = 2;
  EXPECT_FALSE(MibCompareValue(kMibCompareAnswered, "", a));
  MibAnswer s{};
  s.type = kAsnOpaque;
  std::strcpy(s.text, "abc");
  EXPECT_TRUE(MibCompareValue(kMibCompareString, "abc", s));
  EXPECT_FALSE(MibCompareValue(kMibCompareString, "ABC", s));
  EXPECT_FALSE(MibCompareValue(kMibCompareInteger, "0", s));
  EXPECT_FALSE(MibCompareValue(7, "abc", s));
}

TEST_F(MibQueries, SupplyLevelsFromCapacityAndLevel) {
  const MibSupplyRow& cyan = *FindMibSupplyRow("Consumable2");
  const MibSupplyRow& state = *FindMibSupplyRow("Consumable11");
  struct Case {
    const MibSupplyRow* row;
    int32_t maximum, level;
    bool ok;
    uint32_t kind;
    int32_t out;
  } cases[] = {
      {&cyan, 1000, 333, true, 1, 33},  {&cyan, 200, 199, true, 1, 100}, {&cyan, 200, 201, false, 0, 0},
      {&cyan, 1000, 1005, false, 0, 0}, {&cyan, 0, 5, true, 1, 100},     {&cyan, -2, 0, true, 1, 0},
      {&cyan, 1000, -10, false, 0, 0},  {&cyan, 3, 1, true, 1, 33},      {&cyan, 3, 2, true, 1, 67},
      {&state, 1, -3, true, 2, 5},      {&state, 1, 0, true, 2, 4},      {&state, 1, 1, true, 2, 3},
      {&state, 1, 7, true, 2, 5},       {&state, 1, -2, true, 2, 0},
  };
  for (const auto& c : cases) {
    SupplyLevelEntry e{};
    EXPECT_EQ(MibSupplyLevelFromValues(*c.row, c.maximum, c.level, &e), c.ok) << c.maximum << " " << c.level;
    if (!c.ok) continue;
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(e.level, c.out) << c.maximum << " " << c.level;
    EXPECT_EQ(e.colour, c.kind == 1 ? 0xFFFF00u : 0u);
  }
}

TEST_F(MibQueries, SuppliesStopAtAnUnknownKeyword) {
  g_agent["1.3.6.1.2.1.43.11.1.1.8.1.1"] = Int(1000);
  g_agent["1.3.6.1.2.1.43.11.1.1.9.1.1"] = Int(333);
  SupplyLevelEntry e[3] = {};
  std::strcpy(e[0].keyword, "Consumable2");
  std::strcpy(e[1].keyword, "Consumable99");
  std::strcpy(e[2].keyword, "Consumable6");
  e[2].kind = 77;
  EXPECT_FALSE(MibFillSupplies(kFake, &g_session, 3, e));
  EXPECT_EQ(e[0].kind, 1u);
  EXPECT_EQ(e[0].level, 33);
  EXPECT_EQ(e[2].kind, 77u);
  std::strcpy(e[1].keyword, "Consumable6");
  std::strcpy(e[2].keyword, "Consumable3");  // no answer: stays kind 0
  EXPECT_TRUE(MibFillSupplies(kFake, &g_session, 3, e));
  EXPECT_EQ(e[1].kind, 3u);
  EXPECT_EQ(e[2].kind, 0u);
}

// Every key of the option table and one unknown keyword, as a caller asks.
std::vector<DevOptionEntry> AllOptionEntries() {
  std::vector<DevOptionEntry> entries(MibOptionKeys().count + 1);
  for (int32_t i = 0; i < MibOptionKeys().count; ++i) {
    std::strcpy(entries[i].keyword, MibOptionKeys().keys[i].keyword);
    std::strcpy(entries[i].value, "stale");
  }
  std::strcpy(entries.back().keyword, "OpStapler");
  return entries;
}

// A device that does not answer is asked once: every later GET would wait
// out its time-out too.  No value is left, not even the fallbacks of the
// keys that ask nothing.
TEST_F(MibQueries, ADeviceThatDoesNotAnswerIsAskedOnce) {
  g_silent = true;
  std::vector<DevOptionEntry> entries = AllOptionEntries();
  MibFillOptions(kFake, &g_session, static_cast<int32_t>(entries.size()), entries.data());
  EXPECT_EQ(g_requests, 1);
  for (const DevOptionEntry& e : entries) EXPECT_STREQ(e.value, "") << e.keyword;

  g_requests = 0;
  SupplyLevelEntry supplies[4] = {};
  const char* keys[] = {"Consumable2", "Consumable3", "Consumable6", "Consumable11"};
  for (int i = 0; i < 4; ++i) {
    std::strcpy(supplies[i].keyword, keys[i]);
    supplies[i].kind = 99;
  }
  EXPECT_TRUE(MibFillSupplies(kFake, &g_session, 4, supplies));
  EXPECT_EQ(g_requests, 1);
  for (const SupplyLevelEntry& e : supplies) EXPECT_EQ(e.kind, 0u) << e.keyword;
}

// A device that falls silent in the middle keeps what it answered; the keys
// after it are not asked and stay empty.
TEST_F(MibQueries, ADeviceThatFallsSilentEndsTheRequest) {
  g_agent["1.3.6.1.2.1.1.1.0"] = Str(MibOptionKeys().keys[0].rows[0].expected);
  g_answers_left = 1;
  std::vector<DevOptionEntry> entries = AllOptionEntries();
  MibFillOptions(kFake, &g_session, static_cast<int32_t>(entries.size()), entries.data());
  EXPECT_EQ(g_requests, 2);
  EXPECT_STREQ(entries[0].value, MibOptionKeys().keys[0].rows[0].value);
  for (size_t i = 1; i < entries.size(); ++i) EXPECT_STREQ(entries[i].value, "") << entries[i].keyword;
}

TEST_F(MibQueries, FormWalkEndsAtTheFirstMissingRow) {
  const std::string t = "1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.";
  const char* files[] = {"a.ovl", "b.ovl", "c.ovl"};
  int storages[] = {1, 2, 1};
  for (int i = 1; i <= 3; ++i) {
    g_agent[t + "3.1." + std::to_string(i)] = Str(files[i - 1]);
    g_agent[t + "2.1." + std::to_string(i)] = Int(storages[i - 1]);
    g_agent[t + "4.1." + std::to_string(i)] = Str("Form " + std::to_string(i));
  }
  g_agent[t + "3.1.5"] = Str("e.ovl");
  g_agent[t + "2.1.5"] = Int(1);
  DeviceFormList* list = MibListOverlays(kFake, &g_session, 0, [](size_t n) { return std::calloc(1, n); });
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 2u);
  EXPECT_STREQ(list->items[0].name, "Form 1");
  EXPECT_STREQ(list->items[0].file, "a.ovl");
  EXPECT_STREQ(list->items[1].name, "Form 3");
  EXPECT_STREQ(list->items[1].storage, "OvlForm_HDD");
  std::free(list);
  EXPECT_EQ(MibListOverlays(kFake, &g_session, 2, [](size_t n) { return std::calloc(1, n); }), nullptr);
  g_silent = true;
  EXPECT_EQ(MibListOverlays(kFake, &g_session, 1, [](size_t n) { return std::calloc(1, n); }), nullptr);
}

TEST_F(MibQueries, ProfileWalkSortsIntoCategories) {
  auto alloc = [](size_t n) { return std::calloc(1, n); };
  DeviceProfileList* empty = MibListProfiles(kFake, &g_session, false, alloc);
  ASSERT_NE(empty, nullptr);
  for (const auto& c : empty->category) EXPECT_EQ(c.count, 0u);
  std::free(empty);

  const std::string t = "1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.";
  struct Row {
    const char* name;
    int kind, location, space;
  } rows[] = {{"Office", 1, 4, 6}, {"Press", 3, 3, 10}, {"Link", 4, 4, 6}, {"Odd", 1, 9, 6}, {"None", 5, 4, 6}};
  for (int i = 1; i <= 5; ++i) {
    std::string s = "." + std::to_string(i);
    g_agent[t + "4.1" + s] = Str(rows[i - 1].name);
    g_agent[t + "3.1" + s] = Str(std::string(rows[i - 1].name) + ".icc");
    g_agent[t + "5.1" + s] = Int(rows[i - 1].kind);
    g_agent[t + "2.1" + s] = Int(rows[i - 1].location);
    g_agent[t + "6.1" + s] = Int(rows[i - 1].space);
  }
  DeviceProfileList* list = MibListProfiles(kFake, &g_session, false, alloc);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->category[0].count, 1u);
  EXPECT_STREQ(list->category[0].items[0].name, "Office");
  EXPECT_STREQ(list->category[0].items[0].location, "Prof_HDD");
  EXPECT_EQ(list->category[0].items[0].colour_space, 6);
  ASSERT_EQ(list->category[1].count, 1u);
  EXPECT_STREQ(list->category[1].items[0].file, "Press.icc");
  ASSERT_EQ(list->category[2].count, 1u);
  EXPECT_STREQ(list->category[2].items[0].location, "Prof_Memory");
  std::free(list);
  // With device-link profiles the fourth kind is kept (categories 1 and 2).
  list = MibListProfiles(kFake, &g_session, true, alloc);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->category[0].count, 2u);
  EXPECT_EQ(list->category[1].count, 2u);
  std::free(list);
}

TEST(MibTables, ShapesTheCallersRelyOn) {
  EXPECT_EQ(MibOptionKeys().count, 13);
  EXPECT_EQ(MibModelCheckTable().count, 0);
  EXPECT_EQ(MibSupplyRows()[12].kind, kSupplyTableEnd);
  EXPECT_STREQ(MibSupplyOids()[1], ".1.3.6.1.2.1.43.11.1.1.9");
  for (int k = 0; k < MibOptionKeys().count; ++k) {
    const MibOptionKey& key = MibOptionKeys().keys[k];
    ASSERT_GT(key.row_count, 0);
    // Every key ends with a fallback, except the machine and memory sizes.
    bool fallback = key.rows[key.row_count - 1].oid[0] == '\0';
    EXPECT_EQ(fallback, std::strcmp(key.keyword, "OpMachine") != 0 && std::strcmp(key.keyword, "OpMemory") != 0)
        << key.keyword;
    for (int r = 0; r < key.row_count; ++r) {
      uint32_t arcs[kOidTextMaxArcs];
      size_t n;
      std::string oid = std::string(key.rows[r].oid) + key.rows[r].index_suffix;
      if (key.rows[r].oid[0] != '\0') {
        EXPECT_TRUE(ParseOidText(oid.c_str(), arcs, &n)) << oid;
      }
    }
  }
}

}  // namespace
