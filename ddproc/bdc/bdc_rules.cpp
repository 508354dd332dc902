#include "ddproc/bdc/bdc_rules.h"

#include <cstring>
#include <string>

#include "common/qxd/qxd_reader.h"
#include "common/text/bounded_text.h"
#include "ddproc/device/device_answers.h"

namespace {

constexpr const char* kSupportedDevices[] = {"HALDOVAR serivo T610", "HALDOVAR serivo T610P",
                                             "HALDOVAR serivo T570"};

bool InList(const std::string& text) {
  for (const char* name : kSupportedDevices) {
    if (text == name) return true;
  }
  return false;
}

struct OptionUnit {
  uint32_t category;
  const char* name;
  uint32_t bit;
};
constexpr OptionUnit kOptionUnits[] = {
    {3, "RV-712", 0x1},    {3, "RV-722", 0x2},    {3, "RV-742", 0x4},    {6, "WL-860", 0x10},
    {5, "QN-350", 0x8},    {5, "QN-362", 0x20},   {5, "QN-347", 0x40},   {6, "YV-270", 0x80},
    {6, "HX-530", 0x400},  {6, "ZC-936", 0x800},  {6, "GW-450", 0x100},  {6, "GW-455", 0x200},
    {7, "UJ-614", 0x1000}, {8, "IY-288", 0x2000},
};

struct FinisherRow {
  uint32_t mask, bit;
};
constexpr FinisherRow kFinisherRows[] = {{0x10, 0x4}, {0x20, 0x8}, {0x40, 0x10},
                                         {0x10, 0x20}, {0x20, 0x40}, {0x40, 0x80}};

// A rule holds when each of its masks is 0 or shares a bit with its set.
struct OptionRule {
  BdcOptionSets masks;
  const char* value;
};
struct OptionRuleKey {
  const char* key;
  const OptionRule* rules;
  size_t count;
};

constexpr OptionRule kMachine[] = {
    {{0x1, 0, 0, 0, 0}, "OpMachine1"}, {{0x2, 0, 0, 0, 0}, "OpMachine1"}, {{0x4, 0, 0, 0, 0}, "OpMachine1"}};
constexpr OptionRule kInTrayUnit[] = {{{0, 0x4, 0, 0, 0}, "OpInTrayUnit3"},
                                      {{0, 0x2, 0, 0, 0}, "OpInTrayUnit2"},
                                      {{0, 0x1, 0, 0, 0}, "OpInTrayUnit1"},
                                      {{0, 0, 0, 0, 0}, "DisOpInTrayUnit"}};
constexpr OptionRule kOutTrayUnit[] = {
    {{0, 0x80, 0, 0, 0}, "OpOutTrayUnit5"}, {{0, 0x40, 0, 0, 0}, "OpOutTrayUnit4"},
    {{0, 0x20, 0, 0, 0}, "OpOutTrayUnit3"}, {{0, 0x10, 0, 0, 0}, "OpOutTrayUnit2"},
    {{0, 0x8, 0, 0, 0}, "OpOutTrayUnit1"},  {{0, 0, 0, 0, 0}, "DisOpOutTrayUnit"}};
constexpr OptionRule kMailBin[] = {{{0, 0x400, 0, 0, 0}, "EnaOpMailBinKit"}, {{0, 0, 0, 0, 0}, "DisOpMailBinKit"}};
constexpr OptionRule kSaddle[] = {{{0, 0x800, 0, 0, 0}, "EnaSaddleKit"}, {{0, 0, 0, 0, 0}, "DisSaddleKit"}};
constexpr OptionRule kPunch[] = {
    {{0, 0x200, 0x80, 0, 0}, "OpPunchKit6"}, {{0, 0x200, 0x40, 0, 0}, "OpPunchKit5"},
    {{0, 0x200, 0x20, 0, 0}, "OpPunchKit4"}, {{0, 0x100, 0x10, 0, 0}, "OpPunchKit3"},
    {{0, 0x100, 0x8, 0, 0}, "OpPunchKit2"},  {{0, 0x100, 0x4, 0, 0}, "OpPunchKit1"},
    {{0, 0, 0, 0, 0}, "DisOpPunchKit"}};
constexpr OptionRule kDuplex[] = {
    {{0, 0x1000, 0, 0, 0}, "EnaOpDuplex"}, {{0, 0, 0, 0, 0x2}, "EnaOpDuplex"}, {{0, 0, 0, 0, 0}, "DisOpDuplex"}};
constexpr OptionRule kHdd[] = {{{0, 0, 0, 1, 0}, "EnaOpHDD"}, {{0, 0, 0, 0, 0}, "DisOpHDD"}};

template <size_t N>
constexpr OptionRuleKey Key(const char* key, const OptionRule (&rules)[N]) {
  return {key, rules, N};
}
constexpr OptionRuleKey kRuleKeys[] = {
    Key("OpMachine", kMachine), Key("OpInTrayUnit", kInTrayUnit), Key("OpOutTrayUnit", kOutTrayUnit),
    Key("OpMailBinKit", kMailBin), Key("OpSaddleKit", kSaddle),   Key("OpPunchKit", kPunch),
    Key("OpDuplex", kDuplex),     Key("OpHDD", kHdd),
};

bool Holds(uint32_t mask, uint32_t set) { return mask == 0 || (mask & set) != 0; }

bool RuleHolds(const BdcOptionSets& m, const BdcOptionSets& s) {
  return Holds(m.model, s.model) && Holds(m.options, s.options) && Holds(m.finisher, s.finisher) &&
         Holds(m.memory, s.memory) && Holds(m.mediaPath, s.mediaPath);
}

struct SizeCode {
  uint16_t code;
  const char* keyword;
};
constexpr SizeCode kSizes[] = {
    {259, "A3"},          {260, "A4"},          {261, "A5"},          {262, "A6"},
    {516, "B4_JIS"},      {517, "B5_JIS"},      {518, "B6"},          {1540, "12x18inch"},
    {1541, "11x17inch"},  {1547, "8half14"},    {1551, "8half11"},    {1559, "7qtr10half"},
    {1560, "5half8half"}, {2051, "8K"},         {2052, "16K"},        {773, "B5_ISO"},
    {1029, "EnvelopeC5"}, {2826, "EnvelopeDL"}, {3073, "EnvelopeMonarch"}, {3074, "Envelope10"},
    {3587, "JpnPostcard"}, {3602, "4x6PostCard"}, {1556, "8x13"},     {1553, "8qtr13"},
    {1549, "8half13"},    {1285, "220330mm"},   {1554, "8hq13qtr"},   {8451, "A3W"},
    {8452, "A4W"},        {8453, "A5W"},        {8708, "B4W"},        {8709, "B5W"},
    {9733, "11x17W"},     {9743, "8half11W"},   {9752, "5half8halfW"},
};

// Conditions: bit 1 media type, bit 2 paper colour, bit 4 second side.
struct MediaRow {
  uint32_t flags;
  uint32_t type, colour, secondSide;
  const char* keyword;
};
constexpr MediaRow kMedia[] = {
    {3, 1, 15, 0, "Color"},        {5, 1, 0, 1, "PlainPaper2nd"}, {3, 1, 0, 0, "Plain"},
    {1, 177, 0, 0, "Special"},     {1, 40, 0, 0, "Envelope"},     {1, 162, 0, 0, "Letterhead"},
    {1, 184, 0, 0, "SingleSided"}, {5, 225, 0, 1, "Thick1_2nd"},  {1, 225, 0, 0, "Thick1"},
    {5, 226, 0, 1, "Thick2_2nd"},  {1, 226, 0, 0, "Thick2"},      {5, 227, 0, 1, "Thick3_2nd"},
    {1, 227, 0, 0, "Thick3"},      {5, 228, 0, 1, "Thick4_2nd"},  {1, 228, 0, 0, "Thick4"},
    {1, 65, 0, 0, "OHP"},          {5, 234, 0, 1, "Thick1Plus_2nd"}, {1, 234, 0, 0, "Thick1Plus"},
};

struct TrayNumber {
  const char* keyword;
  uint32_t number;
};
constexpr TrayNumber kTrayNumbers[] = {{"InTray1", 1}, {"InTray2", 2},   {"InTray3", 3},
                                       {"InTray4", 4}, {"InTrayLCT", 5}, {"InTrayManual", 6}};

}  // namespace

bool BdcIsSupportedModel(const BdcAnswers& answers) {
  return InList(FieldText(answers.name.deviceName)) && InList(FieldText(answers.name.productName));
}

BdcOptionSets BdcComputeOptionSets(const BdcAnswers& a) {
  BdcOptionSets s{};
  const std::string device = FieldText(a.name.deviceName);
  for (size_t i = 0; i < 3; ++i) {
    if (QxdNameEquals(device.c_str(), kSupportedDevices[i])) s.model |= 1u << i;
  }
  for (const OptionUnit& unit : kOptionUnits) {
    int found = 0;
    for (const BdcOptionEntry& e : a.options) {
      if (e.category == unit.category && QxdNameEquals(FieldText(e.unitName).c_str(), unit.name)) ++found;
    }
    if (found == 1) s.options |= unit.bit;
  }
  for (const FinisherRow& row : kFinisherRows) {
    for (const BdcFinisherEntry& e : a.finishers) {
      if ((e.capabilities & row.mask) == row.mask) {
        s.finisher |= row.bit;
        break;
      }
    }
  }
  int disks = 0;
  for (const BdcMemoryEntry& e : a.memory) {
    if (e.kind == 3) ++disks;
  }
  s.memory = disks == 1 ? 1 : 0;
  if (a.mediaPath.kind == 0) s.mediaPath = 0x1;
  if (a.mediaPath.kind == 1) s.mediaPath = 0x2;
  return s;
}

void BdcFillOptionEntries(const BdcAnswers& answers, uint32_t count, DevOptionEntry* entries) {
  const BdcOptionSets sets = BdcComputeOptionSets(answers);
  for (uint32_t i = 0; i < count; ++i) {
    DevOptionEntry& entry = entries[i];
    std::memset(entry.value, 0, sizeof entry.value);
    const std::string keyword = FieldText(entry.keyword);
    for (const OptionRuleKey& key : kRuleKeys) {
      if (!QxdNameEquals(keyword.c_str(), key.key)) continue;
      for (size_t r = 0; r < key.count; ++r) {
        if (RuleHolds(key.rules[r].masks, sets)) {
          PutAnswerKeyword(entry.value, key.rules[r].value);
          break;
        }
      }
      break;
    }
  }
}

void BdcFillTrayEntries(const BdcAnswers& answers, uint32_t count, TrayStatusEntry* entries) {
  for (uint32_t i = 0; i < count; ++i) {
    TrayStatusEntry& entry = entries[i];
    ResetTrayEntry(&entry);
    const std::string keyword = FieldText(entry.keyword);
    uint32_t number = 0;
    for (const TrayNumber& t : kTrayNumbers) {
      if (QxdNameEquals(keyword.c_str(), t.keyword)) number = t.number;
    }
    if (number == 0) continue;
    const BdcInputTrayEntry* tray = nullptr;
    for (const BdcInputTrayEntry& e : answers.trays) {
      if (e.trayNumber == number) {
        tray = &e;
        break;
      }
    }
    if (tray == nullptr) continue;
    for (int k = 0; k < kTrayAnswerCount; ++k) PutAnswerKeyword(entry.answers[k], "");
    for (const SizeCode& s : kSizes) {
      if (s.code == tray->paperSize) {
        PutAnswerKeyword(entry.answers[0], s.keyword);
        break;
      }
    }
    if (tray->orientation == 2) PutAnswerKeyword(entry.answers[1], "MediaTypeList_Portrait");
    if (tray->orientation == 3) PutAnswerKeyword(entry.answers[1], "MediaTypeList_Landscape");
    for (const MediaRow& m : kMedia) {
      if ((m.flags & 1) != 0 && tray->mediaType != m.type) continue;
      if ((m.flags & 2) != 0 && tray->paperColour != m.colour) continue;
      if ((m.flags & 4) != 0 && tray->secondSide != m.secondSide) continue;
      PutAnswerKeyword(entry.answers[2], m.keyword);
      break;
    }
    entry.status = tray->status;
  }
}
