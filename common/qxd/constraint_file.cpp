#include "common/qxd/constraint_file.h"

#include <cstring>
#include <new>

namespace {

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Reads the whole array of `count` records at `offset`; false when it does
// not lie inside the file.
template <typename T>
bool ReadArray(QxdContext* ctx, uint32_t offset, uint32_t count, uint32_t recordSize, std::vector<T>* out) {
  if (count == 0) return true;
  if (!QxdArrayFits(ctx, offset, count, recordSize)) return false;
  out->resize(count);
  return QxdReadFully(ctx, out->data(), count * recordSize, offset);
}

bool ReadArrays(QxdContext* ctx, ConstraintSet* out, std::vector<ConstraintRuleRecord>* records) {
  const ConstraintFileHeader& h = out->header;
  if (!ReadArray(ctx, h.ruleOffset, h.ruleCount, sizeof(ConstraintRuleRecord), records)) return false;
  if (!ReadArray(ctx, h.conditionOffset, h.conditionCount, sizeof(ConstraintCondition), &out->conditions)) {
    return false;
  }
  if (!ReadArray(ctx, h.tokenOffset, h.tokenCount, sizeof(uint32_t), &out->tokens)) return false;
  if (!ReadArray(ctx, h.actionOffset, h.actionCount, sizeof(ConstraintAction), &out->actions)) return false;

  // Every rule's items must lie inside the arrays' totals.
  uint64_t conditions = 0, tokens = 0, actions = 0;
  for (const ConstraintRuleRecord& r : *records) {
    if (r.tokenCount < 0) return false;
    conditions += r.conditionCount;
    tokens += static_cast<uint32_t>(r.tokenCount);
    actions += r.actionCount;
  }
  if (conditions > h.conditionCount || tokens > h.tokenCount || actions > h.actionCount) return false;

  out->rules.resize(records->size());
  size_t c = 0, t = 0, a = 0;
  for (size_t i = 0; i < records->size(); ++i) {
    const ConstraintRuleRecord& r = (*records)[i];
    ConstraintRule& rule = out->rules[i];
    rule = ConstraintRule{};
    rule.kind = r.kind;
    rule.conditionCount = r.conditionCount;
    rule.tokenCount = r.tokenCount;
    rule.target = r.target;
    rule.forced = r.forced;
    rule.actionCount = r.actionCount;
    rule.conditions = out->conditions.empty() ? nullptr : out->conditions.data() + c;
    rule.tokens = out->tokens.empty() ? nullptr : out->tokens.data() + t;
    rule.actions = out->actions.empty() ? nullptr : out->actions.data() + a;
    c += r.conditionCount;
    t += static_cast<uint32_t>(r.tokenCount);
    a += r.actionCount;
  }
  return true;
}

void DropRules(ConstraintSet* out) {
  out->rules.clear();
  out->conditions.clear();
  out->tokens.clear();
  out->actions.clear();
}

}  // namespace

ConstraintLoad ReadConstraintFile(QxdContext* ctx, ConstraintSet* out) {
  DropRules(out);
  out->header = ConstraintFileHeader{};
  if (ctx == nullptr) return ConstraintLoad::Missing;
  if (!QxdReadFully(ctx, &out->header, sizeof out->header, 0)) {
    out->header = ConstraintFileHeader{};
    return ConstraintLoad::Damaged;
  }
  bool ok = false;
  try {
    std::vector<ConstraintRuleRecord> records;
    ok = ReadArrays(ctx, out, &records);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (ok) return ConstraintLoad::Loaded;
  DropRules(out);
  ConstraintFileHeader& h = out->header;
  h.ruleCount = h.conditionCount = h.tokenCount = h.actionCount = 0;
  return ConstraintLoad::Damaged;
}

bool ConstraintVersionNarrow(const ConstraintFileHeader& header, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  if (!QxdFieldEquals(header.marker, sizeof header.marker, kConstraintVersionMarker)) return false;
  size_t length = strnlen(header.version, sizeof header.version);
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(out, header.version, length);
  out[length] = '\0';
  return true;
}

size_t ConstraintKeywordLength(const char16_t* field) {
  size_t n = 0;
  while (n < kConstraintKeywordUnits && field[n] != 0) ++n;
  return n;
}

bool ConstraintKeywordEquals(const char16_t* field, const char16_t* name) {
  size_t lf = ConstraintKeywordLength(field);
  if (ConstraintKeywordLength(name) != lf) return false;
  for (size_t i = 0; i < lf; ++i) {
    if (AsciiLower(field[i]) != AsciiLower(name[i])) return false;
  }
  return true;
}

bool ConstraintKeywordEqualsAscii(const char16_t* field, const char* name) {
  size_t lf = ConstraintKeywordLength(field);
  size_t ln = std::strlen(name);
  if (ln != lf) return false;
  for (size_t i = 0; i < lf; ++i) {
    if (AsciiLower(field[i]) != AsciiLower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

bool IsUserPaperCondition(const ConstraintCondition& condition) {
  return (ConstraintKeywordEqualsAscii(condition.feature, "PaperSize") &&
          ConstraintKeywordEqualsAscii(condition.option, "UserPaper")) ||
         (ConstraintKeywordEqualsAscii(condition.feature, "OutPaperSize") &&
          ConstraintKeywordEqualsAscii(condition.option, "OutUserPaper"));
}

bool IsUserPaperDimension(const char16_t* keyword) {
  return ConstraintKeywordEqualsAscii(keyword, "UserPaper_Width") ||
         ConstraintKeywordEqualsAscii(keyword, "UserPaper_Length") ||
         ConstraintKeywordEqualsAscii(keyword, "OutUserPaper_Width") ||
         ConstraintKeywordEqualsAscii(keyword, "OutUserPaper_Length");
}

namespace {

int GroupOfKind(uint32_t kind) {
  switch (kind) {
    case kRuleKindSetting: return kRuleGroupSetting;
    case kRuleKindOption: return kRuleGroupOption;
    case kRuleKindHint: return kRuleGroupHint;
    case kRuleKindPerPage: return kRuleGroupPerPage;
    default: return -1;
  }
}

// The group a run of `kind` closes into: the kind taken before the first
// rule closes into the setting group, so leading rules of that kind form it
// until a run of setting rules replaces them.
int ClosingGroupOfKind(uint32_t kind) {
  int g = GroupOfKind(kind);
  return g < 0 ? kRuleGroupSetting : g;
}

uint32_t PaperFlagOf(const ConstraintRule& rule) {
  if (ConstraintKeywordEqualsAscii(rule.target.feature, "PaperSize") ||
      ConstraintKeywordEqualsAscii(rule.target.feature, "OutPaperSize")) {
    return 1;
  }
  for (uint32_t c = 0; c < rule.conditionCount; ++c) {
    if (IsUserPaperCondition(rule.conditions[c]) || IsUserPaperDimension(rule.conditions[c].feature)) return 1;
  }
  return 0;
}

void FormGroups(const ConstraintRule* rules, uint32_t count, RuleGroup groups[4]) {
  uint32_t previous = kRuleKindBeforeFirst;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t kind = rules[i].kind;
    if (kind != previous) {
      if (i != 0) {
        RuleGroup& closing = groups[ClosingGroupOfKind(previous)];
        closing.count = i - closing.first;
      }
      int g = GroupOfKind(kind);
      if (g < 0) return;  // this rule and all after it belong to no group
      groups[g].first = i;
      previous = kind;
    }
    if (i == count - 1) {
      RuleGroup& last = groups[ClosingGroupOfKind(previous)];
      last.count = i - last.first + 1;
    }
  }
}

}  // namespace

void FreeRuleIndex(RuleIndex* index) {
  if (index == nullptr) return;
  index->built = false;
  std::vector<RuleIndexEntry>().swap(index->entries);
  for (RuleGroup& g : index->groups) g = RuleGroup{};
}

bool BuildRuleIndex(const ConstraintRule* rules, uint32_t count, FeatureRowFinder find, void* context,
                    RuleIndex* out) {
  if (out == nullptr) return false;
  FreeRuleIndex(out);
  if (rules == nullptr || count == 0 || find == nullptr) return false;
  try {
    out->entries.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      const ConstraintRule& rule = rules[i];
      RuleIndexEntry& e = out->entries[i];
      e.conditionCount = rule.conditionCount;
      e.conditionRows.assign(rule.conditionCount, -1);
      e.paperFlag = PaperFlagOf(rule);
      for (uint32_t c = 0; c < rule.conditionCount; ++c) {
        const ConstraintCondition& cond = rule.conditions[c];
        if (cond.feature[0] != 0) e.conditionRows[c] = find(context, cond.feature, cond.option);
      }
      e.targetRow = find(context, rule.target.feature, rule.target.option);
    }
  } catch (const std::bad_alloc&) {
    FreeRuleIndex(out);
    return false;
  }
  FormGroups(rules, count, out->groups);
  out->built = true;
  return true;
}

int32_t RuleConditionRow(const RuleIndex& index, uint32_t rule, uint32_t condition) {
  if (!index.built || rule >= index.entries.size()) return -1;
  const RuleIndexEntry& e = index.entries[rule];
  if (condition >= e.conditionRows.size()) return -1;
  return e.conditionRows[condition];
}

int32_t RuleTargetRow(const RuleIndex& index, uint32_t rule) {
  if (!index.built || rule >= index.entries.size()) return -1;
  return index.entries[rule].targetRow;
}

uint32_t RulePaperFlag(const RuleIndex& index, uint32_t rule) {
  if (!index.built || rule >= index.entries.size()) return 0;
  return index.entries[rule].paperFlag;
}
