#include "ddproc/mib/mib_tables.h"
#include "common/text/bounded_text.h"

#include <cctype>

namespace {

const MibOptionRow kMachine[] = {
    {"OpMachine1", ".1.3.6.1.2.1.1.1", ".0", kMibCompareString, "HALDOVAR vistacrom 6110"},
    {"OpMachine2", ".1.3.6.1.2.1.1.1", ".0", kMibCompareString, "HALDOVAR vistacrom 3110"},
    {"OpMachine3", ".1.3.6.1.2.1.1.1", ".0", kMibCompareString, "HALDOVAR vistacrom 8120"},
    {"OpMachine4", ".1.3.6.1.2.1.1.1", ".0", kMibCompareString, "HALDOVAR vistacrom 6230"},
    {"OpMachine5", ".1.3.6.1.2.1.1.1", ".0", kMibCompareString, "HALDOVAR vistacrom 6210"},
};

const MibOptionRow kMemory[] = {
    {"128MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "128"},
    {"256MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "256"},
    {"384MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "384"},
    {"512MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "512"},
    {"640MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "640"},
    {"768MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "768"},
    {"896MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "896"},
    {"1024MB", ".1.3.6.1.2.1.25.2.3.1.5", ".1", kMibCompareInteger, "1024"},
};

const MibOptionRow kMemoryCard[] = {
    {"EnaOpMemoryCard1COK", ".1.3.6.1.2.1.25.2.3.1.2", ".3", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"EnaOpMemoryCard1COK", ".1.3.6.1.2.1.25.2.3.1.2", ".5", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"EnaOpMemoryCard1CNG", ".1.3.6.1.2.1.25.2.3.1.2", ".2", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"EnaOpMemoryCard1CNG", ".1.3.6.1.2.1.25.2.3.1.2", ".4", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"EnaOpMemoryCard1", ".1.3.6.1.2.1.25.2.3.1.2", ".2", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"EnaOpMemoryCard1", ".1.3.6.1.2.1.25.2.3.1.2", ".3", kMibCompareOid, "1.3.6.1.2.1.25.2.1.5"},
    {"DisOpMemoryCard1", "", "", 0, ""},
};

const MibOptionRow kHdd[] = {
    {"EnaOpHDD", ".1.3.6.1.2.1.25.2.3.1.2", ".2", kMibCompareOid, "1.3.6.1.2.1.25.2.1.4"},
    {"DisOpHDD", "", "", 0, ""},
};

const MibOptionRow kInTray2[] = {
    {"EnaOpInTray2", ".1.3.6.1.2.1.43.8.2.1.2.1", ".2", kMibCompareAnswered, ""},
    {"DisOpInTray2", "", "", 0, ""},
};
const MibOptionRow kInTray3[] = {
    {"EnaOpInTray3", ".1.3.6.1.2.1.43.8.2.1.2.1", ".3", kMibCompareAnswered, ""},
    {"DisOpInTray3", "", "", 0, ""},
};
const MibOptionRow kInTray4[] = {
    {"EnaOpInTray4", ".1.3.6.1.2.1.43.8.2.1.2.1", ".4", kMibCompareAnswered, ""},
    {"DisOpInTray4", "", "", 0, ""},
};
const MibOptionRow kInTray5[] = {
    {"EnaOpInTray5", ".1.3.6.1.2.1.43.8.2.1.2.1", ".5", kMibCompareAnswered, ""},
    {"DisOpInTray5", "", "", 0, ""},
};

const MibOptionRow kDuplexRows[] = {
    {"EnaOpDuplex", ".1.3.6.1.2.1.43.13.4.1.2.1", ".2", kMibCompareAnswered, ""},
    {"DisOpDuplex", "", "", 0, ""},
};

const MibOptionRow kOutTray1[] = {
    {"EnaOpOutTray1", ".1.3.6.1.4.1.90417.1.1.1.5.6.3.1.5", ".1", kMibCompareInteger, "11"},
    {"DisOpOutTray1", "", "", 0, ""},
};
const MibOptionRow kOutTray2[] = {{"DisOpOutTray2", "", "", 0, ""}};
const MibOptionRow kOutTray3[] = {{"DisOpOutTray3", "", "", 0, ""}};
const MibOptionRow kOutTray4[] = {{"DisOpOutTray4", "", "", 0, ""}};

template <size_t N>
constexpr int32_t Count(const MibOptionRow (&)[N]) {
  return static_cast<int32_t>(N);
}

const MibOptionKey kKeys[] = {
    {"OpMachine", Count(kMachine), kMachine},
    {"OpMemory", Count(kMemory), kMemory},
    {"OpMemoryCard1", Count(kMemoryCard), kMemoryCard},
    {"OpHDD", Count(kHdd), kHdd},
    {"OpInTray2", Count(kInTray2), kInTray2},
    {"OpInTray3", Count(kInTray3), kInTray3},
    {"OpInTray4", Count(kInTray4), kInTray4},
    {"OpInTray5", Count(kInTray5), kInTray5},
    {"OpDuplex", Count(kDuplexRows), kDuplexRows},
    {"OpOutTray1", Count(kOutTray1), kOutTray1},
    {"OpOutTray2", Count(kOutTray2), kOutTray2},
    {"OpOutTray3", Count(kOutTray3), kOutTray3},
    {"OpOutTray4", Count(kOutTray4), kOutTray4},
};
const MibOptionTable kOptionTable = {13, kKeys};
static_assert(sizeof(kKeys) / sizeof(kKeys[0]) == 13);
const MibOptionTable kModelCheck = {0, nullptr};

const MibSupplyRow kSupplies[] = {
    {"Consumable1", kSupplyNotQueried, 0, 0, "", 0},
    {"Consumable2", kSupplyPercent, 1, 0, ".1.1", 0xFFFF00},
    {"Consumable3", kSupplyPercent, 1, 0, ".1.2", 0xFF00FF},
    {"Consumable4", kSupplyPercent, 1, 0, ".1.3", 0x00FFFF},
    {"Consumable5", kSupplyPercent, 1, 0, ".1.4", 0},
    {"Consumable6", kSupplyNotMeasured, 0, 0, "", 0},
    {"Consumable7", kSupplyNotMeasured, 1, 0, "", 0},
    {"Consumable8", kSupplyNotMeasured, 1, 0, "", 0},
    {"Consumable9", kSupplyNotMeasured, 1, 0, "", 0},
    {"Consumable10", kSupplyNotMeasured, 1, 0, "", 0},
    {"Consumable11", kSupplyState, 0, 1, ".1.8", 0},
    {"Consumable12", kSupplyNotMeasured, 0, 0, "", 0},
    {"", kSupplyTableEnd, 0, 0, "", 0},
};
static_assert(sizeof(kSupplies) / sizeof(kSupplies[0]) == 13);

const MibOidText kSupplyOids[2] = {".1.3.6.1.2.1.43.11.1.1.8", ".1.3.6.1.2.1.43.11.1.1.9"};

const MibOvlOids kOvl = {
    ".1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.3.1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.4.1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.5.1",
    {{"OvlForm_Memory", 3}, {"OvlForm_HDD", 4}, {"OvlForm_Flash", 5}},
    "OvlForm_HDD",
    {{".1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.2.1", 1, {1}}, {".1.3.6.1.4.1.90417.1.1.1.1.6.12.1.1.2.1", 1, {2}}},
};

const MibProfOids kProf = {
    ".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.3.1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.4.1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.5.1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.2.1",
    {{"Prof_Memory", 3}, {"Prof_HDD", 4}, {"Prof_MemoryCard1", 5}, {"internalROM", 1}, {"internalHD", 2}},
    "Prof_MemoryCard1",
    ".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.6.1",
    {{"Prof_RGB", 6}, {"Prof_CMYK", 10}},
    "Prof_ColorSpace",
    {{".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.5.1", 3, {1, 2, 4}},
     {".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.5.1", 2, {3, 4}},
     {".1.3.6.1.4.1.90417.1.1.1.1.6.13.1.1.5.1", 1, {3}}},
};

}  // namespace

const MibOptionTable& MibOptionKeys() { return kOptionTable; }
const MibOptionTable& MibModelCheckTable() { return kModelCheck; }
const MibSupplyRow* MibSupplyRows() { return kSupplies; }
const MibOidText* MibSupplyOids() { return kSupplyOids; }
const MibOvlOids& MibOverlayOids() { return kOvl; }
const MibProfOids& MibProfileOids() { return kProf; }

const MibOptionKey* FindMibOptionKey(const char* keyword) {
  for (const MibOptionKey& key : kKeys) {
    if (SameIgnoringCase(key.keyword, keyword, sizeof(key.keyword))) return &key;
  }
  return nullptr;
}

const MibSupplyRow* FindMibSupplyRow(const char* keyword) {
  for (const MibSupplyRow& row : kSupplies) {
    if (row.kind == kSupplyTableEnd) break;
    if (SameIgnoringCase(row.keyword, keyword, sizeof(row.keyword))) return &row;
  }
  return nullptr;
}
