#include "dproc/constraints/rule_evaluation.h"

#include <cstddef>
#include <new>
#include <vector>

#include "dproc/model/user_paper_list.h"
#include "dproc/constraints/constraint_rules.h"

namespace {

constexpr uint32_t kKindNumber = 4;
constexpr uint32_t kKindPerPageColumn = 7;

struct PerPageKind {
  int32_t value;
  const char* keyword;
};
constexpr PerPageKind kPerPageKinds[] = {
    {1, "PerPageListPrintType"}, {2, "PerPageListPaperSrc"}, {3, "PerPageListStaple"},
    {4, "PerPageListStapleEnd"}, {5, "PerPageListHolePunch"}, {6, "PerPageListTabPaper"},
    {8, "PerPageListCaption"},   {9, "PPSListInsertPage"},
};

int32_t RowOfAscii(const char* keyword) {
  const ConstraintRules& r = ProcessConstraintRules();
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    if (ConstraintKeywordEqualsAscii(r.features[i].keyword, keyword)) return static_cast<int32_t>(i);
  }
  return static_cast<int32_t>(kOptionNone);
}

bool OnPage(const FeatureEntry& row, uint32_t pageId) {
  for (uint32_t id : row.pageIds) {
    if (id == 0) break;
    if (id == pageId) return true;
  }
  return false;
}

// A wide option keyword in the narrow form of the option rows; a character
// outside ASCII can match no keyword.
bool NarrowKeyword(const char16_t* wide, char out[kKeywordSize + 1]) {
  size_t n = ConstraintKeywordLength(wide);
  for (size_t i = 0; i < n; ++i) {
    if (wide[i] >= 0x80) return false;
    out[i] = static_cast<char>(wide[i]);
  }
  out[n] = '\0';
  return true;
}

bool IsSpecialRow(int32_t row, uint32_t special) {
  return row >= 0 && static_cast<uint32_t>(row) == special && FeatureRow(row) != nullptr;
}

bool IsPaperRow(int32_t row) {
  const FeatureSpecialRows& s = SpecialFeatureRows();
  const FeatureEntry* e = FeatureRow(row);
  return e != nullptr && (IsSpecialRow(row, s.paperSize) || IsSpecialRow(row, s.outPaperSize)) &&
         (ConstraintKeywordEqualsAscii(e->keyword, "PaperSize") ||
          ConstraintKeywordEqualsAscii(e->keyword, "OutPaperSize"));
}

// True when `value` is the value of one of the row's options.
bool IsListedValue(const FeatureEntry& row, int32_t value) {
  for (const OptionHead* o = row.options; o != nullptr && o->keyword[0] != '\0'; o = NextOptionRow(o)) {
    if (static_cast<int32_t>(o->value) == value) return true;
    if (o->size < sizeof(OptionHead)) break;
  }
  return false;
}

bool ConditionNamesRow(const ConstraintRule& rule, uint32_t n, const FeatureEntry& row) {
  for (uint32_t c = 0; c < n; ++c) {
    if (ConstraintKeywordEquals(rule.conditions[c].feature, row.keyword)) return true;
  }
  return false;
}

}  // namespace

int32_t FeatureRowOfKeyword(const char* keyword) { return RowOfAscii(keyword); }

int32_t FeatureRowOfControl(uint32_t controlId) {
  const ConstraintRules& r = ProcessConstraintRules();
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    if (r.features[i].controlId == controlId) return static_cast<int32_t>(i);
  }
  return static_cast<int32_t>(kOptionNone);
}

RuleEvalContext& ProcessRuleEvalContext() {
  static RuleEvalContext context;
  return context;
}

int32_t FeatureOfControl(uint32_t pageId, uint32_t controlId) {
  const RuleEvalContext& ctx = ProcessRuleEvalContext();
  const ConstraintRules& r = ProcessConstraintRules();
  if (ctx.passMode == kPassModeNormal && ctx.perPageKind != kPerPageKindNone) {
    const char* keyword = kPerPageKinds[0].keyword;
    for (const PerPageKind& k : kPerPageKinds) {
      if (k.value == ctx.perPageKind) {
        keyword = k.keyword;
        break;
      }
    }
    return RowOfAscii(keyword);
  }
  if (ctx.passMode != kPassModeNormal && ctx.perPageKind == kPerPageKindNone) {
    const DeviceOptionItem* list = ctx.deviceOptions;
    if (list == nullptr || list[0].keyword[0] == '\0') return static_cast<int32_t>(kOptionNone);
    const char* keyword = list[0].keyword;
    for (const DeviceOptionItem* o = list; o->keyword[0] != '\0'; ++o) {
      if (static_cast<int32_t>(o->optionIndex) == ctx.passMode) {
        keyword = o->keyword;
        break;
      }
    }
    char name[kKeywordSize + 1] = {};
    for (size_t i = 0; i < kKeywordSize && keyword[i] != '\0'; ++i) name[i] = keyword[i];
    return RowOfAscii(name);
  }
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    if (r.features[i].controlId == controlId && OnPage(r.features[i], pageId)) return static_cast<int32_t>(i);
  }
  return static_cast<int32_t>(kOptionNone);
}

int32_t GetOptionIndex(const char16_t* option, int32_t row) {
  const FeatureEntry* e = FeatureRow(row);
  if (e == nullptr) return static_cast<int32_t>(kOptionNone);
  if (option[0] == 0) return static_cast<int32_t>(kOptionEmptyIndex);
  if (e->kind == kKindNumber) return ParseOptionNumber(option);
  if (ConstraintKeywordEqualsAscii(option, "DefaultPaper")) return static_cast<int32_t>(kOptionDefaultPaper);
  char narrow[kKeywordSize + 1];
  if (e->options == nullptr || e->options->keyword[0] == '\0' || !NarrowKeyword(option, narrow)) {
    return static_cast<int32_t>(kOptionNone);
  }
  int32_t index = 0;
  for (const OptionHead* o = e->options; o->keyword[0] != '\0'; o = NextOptionRow(o), ++index) {
    if (QxdFieldEquals(o->keyword, sizeof o->keyword, narrow)) return index;
    if (o->size < sizeof(OptionHead)) break;
  }
  return static_cast<int32_t>(kOptionNone);
}

int32_t OptionValueOf(int32_t row, int32_t index) {
  const FeatureEntry* e = FeatureRow(row);
  if (e == nullptr) return static_cast<int32_t>(kOptionNone);
  if (e->kind == kKindNumber) return index;
  if (index == static_cast<int32_t>(kOptionEmptyIndex)) return static_cast<int32_t>(kOptionEmptyValue);
  if (index == static_cast<int32_t>(kOptionDefaultPaper)) return ProcessRuleEvalContext().defaultPaperSize;
  if (e->options == nullptr) return static_cast<int32_t>(kOptionNoTable);
  int32_t i = 0;
  for (const OptionHead* o = e->options; o->keyword[0] != '\0'; o = NextOptionRow(o), ++i) {
    if (i == index) return static_cast<int32_t>(o->value);
    if (o->size < sizeof(OptionHead)) break;
  }
  return static_cast<int32_t>(kOptionNone);
}

bool CompareFeatureValue(const FeatureEntry& row, int32_t operand, uint32_t op) {
  if (row.field == nullptr) return false;
  return CompareByOperator(ReadFeatureValue(row), operand, op);
}

bool IsSameCustomPaper(int32_t row, int32_t current, int32_t operand) {
  return IsPaperRow(row) && IsCustomPaperSizeOrCustom(current) && IsCustomPaperSizeOrCustom(operand);
}

bool CompareUserPaperDimension(int32_t row, int32_t operand, uint32_t op) {
  const FeatureSpecialRows& s = SpecialFeatureRows();
  bool width;
  uint32_t paperRow;
  if (IsSpecialRow(row, s.userPaperWidth)) width = true, paperRow = s.paperSize;
  else if (IsSpecialRow(row, s.userPaperLength)) width = false, paperRow = s.paperSize;
  else if (IsSpecialRow(row, s.outUserPaperWidth)) width = true, paperRow = s.outPaperSize;
  else if (IsSpecialRow(row, s.outUserPaperLength)) width = false, paperRow = s.outPaperSize;
  else return false;
  const FeatureEntry* paper = FeatureRow(static_cast<int32_t>(paperRow));
  if (paper == nullptr || paper->field == nullptr) return false;
  int32_t current = ReadStoredValue(paper->field, 5);  // paper sizes are read as signed 16-bit numbers
  if (!IsCustomPaperSize(current)) return false;
  for (const OptionHead* o = paper->options; o != nullptr && o->keyword[0] != '\0'; o = NextOptionRow(o)) {
    if (o->size != sizeof(SessionPaperItem)) return false;  // only the session paper rows carry sizes
    if (static_cast<int32_t>(o->value) != current) continue;
    const auto* item = reinterpret_cast<const SessionPaperItem*>(o);
    int32_t size = static_cast<int32_t>(width ? item->width : item->length);
    return size != 0 && CompareByOperator(size, operand, op);
  }
  return false;
}

namespace {

// The conditions and the expression of a rule, with the second pass for
// custom papers.  Lenient: a condition that cannot be resolved is false
// instead of making the rule take no part.
uint32_t EvaluateRule(uint32_t ruleNo, uint32_t n, bool lenient, int32_t* firstRow, uint32_t* result) {
  const ConstraintRules& r = ProcessConstraintRules();
  const RuleEvalContext& ctx = ProcessRuleEvalContext();
  const ConstraintRule& rule = r.set.rules[ruleNo];
  std::vector<uint8_t> results;
  try {
    results.assign(rule.conditionCount, 1);  // conditions left out count as true
  } catch (const std::bad_alloc&) {
    return kRuleEvaluated;
  }
  const bool secondPermitted =
      ctx.passMode == kPassModeNormal && ctx.customPaperPass != 0 && RulePaperFlag(r.index, ruleNo) != 0;
  const int32_t none = static_cast<int32_t>(kOptionNone);

  uint32_t holds = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (uint32_t c = 0; c < n; ++c) {
      const ConstraintCondition& cond = rule.conditions[c];
      int32_t row = GetConditionFeature(ruleNo, c);
      const FeatureEntry* e = FeatureRow(row);
      if (c == 0 && firstRow != nullptr && e != nullptr) *firstRow = row;
      int32_t index = e != nullptr ? GetOptionIndex(cond.option, row) : none;
      int32_t operand = index != none ? OptionValueOf(row, index) : none;
      if (lenient) {
        if (e == nullptr || e->field == nullptr || index == none ||
            operand == static_cast<int32_t>(kOptionNoTable) || operand == static_cast<int32_t>(kOptionEmptyValue)) {
          results[c] = 0;
          continue;
        }
      } else {
        if (e == nullptr || index == none) return kOptionNone;
        if (operand == static_cast<int32_t>(kOptionNoTable)) return kOptionNoTable;
      }
      if (pass == 1 && IsUserPaperCondition(cond)) {
        int32_t current = ReadFeatureValue(*e);
        results[c] = e->field != nullptr && IsCustomPaperSize(current) && IsListedValue(*e, current);
      } else if (pass == 1 && IsUserPaperDimension(cond.feature)) {
        results[c] = CompareUserPaperDimension(row, index, cond.op);
      } else {
        results[c] = CompareFeatureValue(*e, operand, cond.op);
      }
    }
    holds = EvalRuleExpression(rule, results.data());
    if (holds == kOptionNone) return kOptionNone;
    if (holds != 0 || !secondPermitted) break;
  }
  if (result != nullptr) *result = holds;
  return kRuleEvaluated;
}

}  // namespace

uint32_t EvaluateConstraintRule(uint32_t pageId, uint32_t controlId, uint32_t ruleNo, uint32_t n, bool fromControl,
                                int32_t* firstRow, uint32_t* result) {
  const ConstraintRules& r = ProcessConstraintRules();
  if (ruleNo >= r.set.rules.size()) return kOptionNone;
  const ConstraintRule& rule = r.set.rules[ruleNo];
  if (n > rule.conditionCount) n = rule.conditionCount;
  if (fromControl) {
    const FeatureEntry* changed = FeatureRow(FeatureOfControl(pageId, controlId));
    if (changed == nullptr) return kOptionNone;
    if (!ConditionNamesRow(rule, n, *changed)) return kRuleNotConcerned;
  }
  return EvaluateRule(ruleNo, n, false, firstRow, result);
}

bool RuleHoldsLeniently(uint32_t ruleNo) {
  const ConstraintRules& r = ProcessConstraintRules();
  if (ruleNo >= r.set.rules.size()) return false;
  uint32_t holds = 0;
  return EvaluateRule(ruleNo, r.set.rules[ruleNo].conditionCount, true, nullptr, &holds) == kRuleEvaluated &&
         holds == 1;
}

OptionHead* FindOptionItem(const char* feature, const char* option) {
  const ConstraintRules& r = ProcessConstraintRules();
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    if (!ConstraintKeywordEqualsAscii(r.features[i].keyword, feature)) continue;
    for (OptionHead* o = r.features[i].options; o != nullptr && o->keyword[0] != '\0';
         o = const_cast<OptionHead*>(NextOptionRow(o))) {
      if (QxdFieldEquals(o->keyword, sizeof o->keyword, option)) return o;
      if (o->size < sizeof(OptionHead)) break;
    }
    return nullptr;
  }
  return nullptr;
}

PerPageBinding BindPerPageField(InterSheetEntry* entry, const char16_t* keyword) {
  PerPageBinding b;
  if (entry == nullptr || keyword == nullptr) return b;
  // The entry is packed: its fields are reached by offset and read byte-wise.
  struct Column {
    const char* keyword;
    size_t offset;
    uint32_t kind;
  } columns[] = {
      {"PerPageListPrintType", offsetof(InterSheetEntry, printType), 8},
      {"PerPageListPaperSrc", offsetof(InterSheetEntry, paperSource), 8},
      {"PerPageListStaple", offsetof(InterSheetEntry, staple), 5},
      {"PerPageListHolePunch", offsetof(InterSheetEntry, punch), 5},
      {"PerPageListStapleEnd", offsetof(InterSheetEntry, finishStaple), 8},
      {"PerPageListTabPaper", offsetof(InterSheetEntry, tabPaper), 8},
  };
  for (const Column& c : columns) {
    if (ConstraintKeywordEqualsAscii(keyword, c.keyword)) {
      b.field = reinterpret_cast<uint8_t*>(entry) + c.offset;
      b.storageKind = c.kind;
      b.found = true;
      break;
    }
  }
  return b;
}

void BindPerPageFeatures(FeatureEntry* table, InterSheetEntry* entry) {
  if (table == nullptr) return;
  for (FeatureEntry* row = table; row->keyword[0] != 0; ++row) {
    if (row->kind != kKindPerPageColumn) continue;
    if (entry == nullptr) {
      row->field = nullptr;
      continue;
    }
    PerPageBinding b = BindPerPageField(entry, row->keyword);
    if (b.found) {
      row->field = b.field;
      row->fieldKind = b.storageKind;
    }
  }
}

void SetPerPageEdit(InterSheetEntry* entry, int32_t kind) {
  RuleEvalContext& ctx = ProcessRuleEvalContext();
  ctx.perPageEntry = entry;
  ctx.perPageKind = kind;
}

bool RuleNamesPerPageColumn(uint32_t rule, uint32_t n) {
  const ConstraintRules& r = ProcessConstraintRules();
  if (rule >= r.set.rules.size() || r.features == nullptr) return false;
  const ConstraintRule& cr = r.set.rules[rule];
  const uint32_t conditions = n < cr.conditionCount ? n : cr.conditionCount;
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    const FeatureEntry& row = r.features[i];
    if (row.kind == kKindPerPageColumn && ConditionNamesRow(cr, conditions, row)) return true;
  }
  return false;
}
