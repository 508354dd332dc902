#include "ddproc/usb/usb_rules.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/qxd_reader.h"
#include "common/text/bounded_text.h"
#include "ddproc/device/device_answers.h"

namespace {

constexpr const char* kUsbModels[] = {"T620", "T620P", "T510", "T490"};

// A condition with an empty key holds.
struct Condition {
  const char* key;
  const char* value;
};
struct UsbRule {
  std::vector<Condition> conditions;
  std::string value;
};
struct UsbRuleKey {
  std::string key;
  std::vector<UsbRule> rules;
};

UsbRule When(const char* key, const char* value, const char* result) { return {{{key, value}}, result}; }
UsbRule Always(const char* result) { return {{}, result}; }

std::vector<UsbRuleKey> BuildRules() {
  std::vector<UsbRuleKey> keys = {
      {"OpMachine",
       {When("MODEL", "T620", "OpMachine1"), When("MODEL", "T620P", "OpMachine2"),
        When("MODEL", "T510", "OpMachine3"), When("MODEL", "T490", "OpMachine4")}},
      {"OpBody", {When("TYPE", "MFP", "OpBodyMFP"), When("TYPE", "PRINTER", "OpBodyPrinter")}},
      {"OpMemory", {}},
      {"OpMemoryCard1",
       {When("MEMCARD", "ENABLE", "EnaOpMemoryCard1"), When("MEMCARDSIZE", "256", "EnaOpMemoryCard1CNG"),
        When("MEMCARDSIZE", "1024", "EnaOpMemoryCard1COK"), When("MEMCARD", "DISABLE", "DisOpMemoryCard1"),
        Always("DisOpMemoryCard1")}},
      {"OpHDD", {When("HDD", "ENABLE", "EnaOpHDD"), Always("DisOpHDD")}},
      {"OpManualFeed", {Always("EnaOpManualFeed")}},
  };
  for (const char* size : {"128", "192", "256", "384", "512", "640", "768", "896", "1024"}) {
    keys[2].rules.push_back({{{"RAMSIZE", size}}, std::string(size) + "MB"});
  }
  // Key texts of the numbered rows live as long as the table.
  static const char* const kInKeys[] = {"INTRAY1", "INTRAY2", "INTRAY3", "INTRAY4", "INTRAY5"};
  static const char* const kOutKeys[] = {"OUTTRAY1", "OUTTRAY2", "OUTTRAY3", "OUTTRAY4", "OUTTRAY5"};
  for (int n = 1; n <= 5; ++n) {
    const std::string digit = std::to_string(n);
    keys.push_back({"OpInTray" + digit,
                    {{{{kInKeys[n - 1], "ENABLE"}}, "EnaOpInTray" + digit}, {{}, "DisOpInTray" + digit}}});
  }
  for (int n = 1; n <= 5; ++n) {
    const std::string digit = std::to_string(n);
    keys.push_back({"OpOutTray" + digit,
                    {{{{kOutKeys[n - 1], "ENABLE"}}, "EnaOpOutTray" + digit}, {{}, "DisOpOutTray" + digit}}});
  }
  const std::vector<UsbRuleKey> rest = {
      {"OpDuplex", {When("DUPLEXUNIT", "ENABLE", "EnaOpDuplex"), Always("DisOpDuplex")}},
      {"OpInTrayUnit",
       {When("INTRAY", "ENABLE", "EnaOpInTrayUnit"), When("INTRAY", "RV-713", "OpInTrayUnit1"),
        When("INTRAY", "RV-723", "OpInTrayUnit2"), When("INTRAY", "RV-745", "OpInTrayUnit3"),
        Always("DisOpInTrayUnit")}},
      {"OpOutTrayUnit",
       {When("OUTTRAY", "ENABLE", "EnaOpOutTrayUnit"), When("OUTTRAY", "QN-341", "OpOutTrayUnit1"),
        When("OUTTRAY", "QN-341+YV-272", "OpOutTrayUnit2"), When("OUTTRAY", "WL-858", "OpOutTrayUnit3"),
        When("OUTTRAY", "QN-369", "OpOutTrayUnit4"), Always("DisOpOutTrayUnit")}},
      {"OpMailBinKit", {When("MAILBIN", "ENABLE", "EnaOpMailBinKit"), Always("DisOpMailBinKit")}},
      {"OpPunchKit",
       {When("PUNCHKIT", "ENABLE", "EnaOpPunchKit"), When("PUNCHKIT", "GW-450(2H)", "OpPunchKit4"),
        When("PUNCHKIT", "GW-450(3H)", "OpPunchKit5"), When("PUNCHKIT", "GW-450(4H)", "OpPunchKit6"),
        When("PUNCHKIT", "GW-457(2H)", "OpPunchKit1"), When("PUNCHKIT", "GW-457(3H)", "OpPunchKit2"),
        When("PUNCHKIT", "GW-457(4H)", "OpPunchKit3"), Always("DisOpPunchKit")}},
      {"OpSaddleKit", {When("SADDLEKIT", "ENABLE", "EnaSaddleKit"), Always("DisSaddleKit")}},
      {"OpMultiFoldUnit", {Always("DisOpMultiFoldUnit")}},
      {"OpStacker", {Always("DisOpStacker")}},
      {"OpStaplerUnit", {Always("DisOpStaplerUnit")}},
      {"OpCoverSheetUnit", {Always("DisOpCoverSheetUnit")}},
      {"OpZFoldUnit", {Always("DisOpZFoldUnit")}},
      {"OpTrimmerUnit", {Always("DisOpTrimmerUnit")}},
      {"OpFAXUnit", {When("FAXKIT", "ENABLE", "EnaOpFAXKit"), Always("DisOpFAXKit")}},
      {"OpCb-FnUnit", {Always("DisOpCb-FnUnit")}},
      {"DevUserAuthentication",
       {When("VQCERT", "DEVICE_AUTH", "DevUserAuthentic_Engin"),
        When("VQCERT", "SERVER_AUTH", "DevUserAuthentic_GeneralSV"),
        When("VQCERT", "RELAY_SERVER_AUTH", "DevUserAuthentic_InterSV"), Always("DevUserAuthentic_Dis")}},
      {"DevAccountTrack", {When("VQSECTION", "ON", "DevAccountTrack_Ena"), Always("DevAccountTrack_Dis")}},
  };
  keys.insert(keys.end(), rest.begin(), rest.end());
  return keys;
}

const std::vector<UsbRuleKey>& Rules() {
  static const std::vector<UsbRuleKey> rules = BuildRules();
  return rules;
}

// Some pair has exactly this key and exactly this value.
bool PairHolds(const UsbStatusList* list, const Condition& c) {
  if (c.key[0] == '\0') return true;
  for (uint32_t i = 0; i < list->count; ++i) {
    if (FieldText(list->pairs[i].key) == c.key && FieldText(list->pairs[i].value) == c.value) return true;
  }
  return false;
}

struct TrayRow {
  const char* keyword;
  int keys;  // the tray number whose keys it reads
};
constexpr TrayRow kTrayRows[] = {{"InTray1", 1}, {"InTray2", 2},   {"InTray3", 3},     {"InTray4", 4},
                                 {"InTray5", 5}, {"InTray6", 6},   {"InTrayLCT", 5},   {"InTrayManual", 6}};

struct SizeName {
  const char* device;
  const char* keyword;
};
constexpr SizeName kSizes[] = {
    {"A3", "A3"},
    {"A4", "A4"},
    {"A5", "A5"},
    {"A6", "A6"},
    {"JISB4", "B4_JIS"},
    {"JISB5", "B5_JIS"},
    {"JISB6", "B6"},
    {"B5", "B5_ISO"},
    {"C5", "EnvelopeC5"},
    {"P220MMX330MM", "220330mm"},
    {"P12X18", "12x18inch"},
    {"LEDGER", "11x17inch"},
    {"LEGAL", "8half14"},
    {"8HALFX13", "8half13"},
    {"LETTER", "8half11"},
    {"P8QUATX13", "8qtr13"},
    {"8EIGHTHX13QUAT", "8hq13qtr"},
    {"P8X13", "8x13"},
    {"EXECUTIVE", "7qtr10half"},
    {"INVOICE", "5half8half"},
    {"ROC8K", "8K"},
    {"ROC16K", "16K"},
    {"DL", "EnvelopeDL"},
    {"MONARCH", "EnvelopeMonarch"},
    {"COM10", "Envelope10"},
    {"JPOST", "JpnPostcard"},
    {"POST4X6", "4x6PostCard"},
    {"WIDEA3", "A3W"},
    {"WIDEA4", "A4W"},
    {"WIDEA5", "A5W"},
    {"WIDEJISB4", "B4W"},
    {"WIDEJISB5", "B5W"},
    {"WIDEP11X17", "11x17W"},
    {"WIDEP8HALFX11", "8half11W"},
    {"WIDEP5HALFX8HALF", "5half8halfW"},
};

// Type, colour, second side; an empty text is no condition.
struct MediaRow {
  const char* type;
  const char* colour;
  const char* secondSide;
  const char* keyword;
};
constexpr MediaRow kMedia[] = {
    {"PAPER", "ON", "", "Color"},        {"PAPER", "", "ON", "PlainPaper2nd"}, {"PAPER", "", "", "Plain"},
    {"SPECIAL", "", "", "Special"},      {"ENVELOPE", "", "", "Envelope"},    {"LETTERHEAD", "", "", "Letterhead"},
    {"SINGLESIDEDONLY", "", "", "SingleSided"}, {"THICK", "", "ON", "Thick1_2nd"}, {"THICK", "", "", "Thick1"},
    {"THICK2", "", "ON", "Thick2_2nd"},  {"THICK2", "", "", "Thick2"},        {"THICK3", "", "ON", "Thick3_2nd"},
    {"THICK3", "", "", "Thick3"},        {"THICK4", "", "ON", "Thick4_2nd"},  {"THICK4", "", "", "Thick4"},
    {"TRANSPARENCY", "", "", "OHP"},
};

// The value of tray n's key with `suffix`; false when the key is missing.
bool TrayValue(const UsbStatusList* list, int n, const char* suffix, char (&out)[kUsbStatusText]) {
  char key[64];
  std::snprintf(key, sizeof key, "TRAY%d%s", n, suffix);
  return UsbFindValue(list, key, out);
}

// A non-empty condition needs the key with exactly that value.
bool MediaConditionHolds(const UsbStatusList* list, int n, const char* suffix, const char* wanted) {
  if (wanted[0] == '\0') return true;
  char value[kUsbStatusText];
  return TrayValue(list, n, suffix, value) && std::strcmp(value, wanted) == 0;
}

const char* UsbMediaTypeKeyword(const UsbStatusList* list, int n) {
  for (const MediaRow& row : kMedia) {
    if (MediaConditionHolds(list, n, "PAPERTYPE", row.type) &&
        MediaConditionHolds(list, n, "PAPERCOLOR", row.colour) &&
        MediaConditionHolds(list, n, "PAPERSECONDSIDE", row.secondSide)) {
      return row.keyword;
    }
  }
  return "";
}

}  // namespace

bool UsbFindValue(const UsbStatusList* list, const char* key, char (&out)[kUsbStatusText]) {
  if (list == nullptr || list->pairs == nullptr) return false;
  for (uint32_t i = 0; i < list->count; ++i) {
    const UsbStatusPair& pair = list->pairs[i];
    if (FieldText(pair.key) != key) continue;
    const std::string value = FieldText(pair.value);
    const size_t n = value.size() < kUsbStatusText - 1 ? value.size() : kUsbStatusText - 1;
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return true;
  }
  return false;
}

bool UsbIsSupportedModel(const UsbStatusList* list) {
  if (list == nullptr || list->pairs == nullptr) return false;
  for (uint32_t i = 0; i < list->count; ++i) {
    if (FieldText(list->pairs[i].key) != "MODEL") continue;
    const std::string value = FieldText(list->pairs[i].value);
    for (const char* model : kUsbModels) {
      if (value == model) return true;
    }
  }
  return false;
}

void UsbFillOptionEntries(const UsbStatusList* list, uint32_t count, DevOptionEntry* entries) {
  for (uint32_t i = 0; i < count; ++i) {
    DevOptionEntry& entry = entries[i];
    std::memset(entry.value, 0, sizeof entry.value);
    char keyword[33];
    EntryKeyword(entry.keyword, keyword);
    for (const UsbRuleKey& key : Rules()) {
      if (!QxdNameEquals(keyword, key.key.c_str())) continue;
      for (const UsbRule& rule : key.rules) {
        bool holds = true;
        for (const Condition& c : rule.conditions) holds = holds && PairHolds(list, c);
        if (holds) {
          PutAnswerKeyword(entry.value, rule.value.c_str());
          break;
        }
      }
      break;
    }
  }
}

void UsbFillTrayEntries(const UsbStatusList* list, uint32_t count, TrayStatusEntry* entries) {
  for (uint32_t i = 0; i < count; ++i) {
    TrayStatusEntry& entry = entries[i];
    ResetTrayEntry(&entry);
    char keyword[33];
    EntryKeyword(entry.keyword, keyword);
    int n = 0;
    for (const TrayRow& row : kTrayRows) {
      if (QxdNameEquals(keyword, row.keyword)) {
        n = row.keys;
        break;
      }
    }
    if (n == 0 || list->count == 0) continue;
    char value[kUsbStatusText];
    PutAnswerKeyword(entry.answers[0], "");
    if (TrayValue(list, n, "PAPERSIZE", value)) {
      for (const SizeName& s : kSizes) {
        if (std::strcmp(value, s.device) == 0) {
          PutAnswerKeyword(entry.answers[0], s.keyword);
          break;
        }
      }
    }
    PutAnswerKeyword(entry.answers[1], "");
    if (TrayValue(list, n, "PAPERDIRECTION", value)) {
      if (std::strcmp(value, "LEF") == 0) PutAnswerKeyword(entry.answers[1], "MediaTypeList_Portrait");
      if (std::strcmp(value, "SEF") == 0) PutAnswerKeyword(entry.answers[1], "MediaTypeList_Landscape");
    }
    PutAnswerKeyword(entry.answers[2], UsbMediaTypeKeyword(list, n));
    PutAnswerKeyword(entry.answers[3], "NoSettingW");
    PutAnswerKeyword(entry.answers[4], "ColorNoSet");
    PutAnswerKeyword(entry.answers[5], "Punch_OFF");
    entry.status = 1;
  }
}
