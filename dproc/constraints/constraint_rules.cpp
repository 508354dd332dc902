#include "dproc/constraints/constraint_rules.h"

namespace {

constexpr uint32_t kBindingEdgeControl = 1046;

uint32_t RowCount(const FeatureEntry* table) {
  uint32_t n = 0;
  if (table != nullptr) {
    while (table[n].keyword[0] != 0) ++n;
  }
  return n;
}

// The binding-edge row, found once and remembered (0 searches again).
int32_t BindingEdgeRow(const FeatureEntry* table) {
  uint32_t& remembered = SpecialFeatureRows().bindingEdge;
  if (remembered != 0 && remembered < RowCount(table) && table[remembered].controlId == kBindingEdgeControl) {
    return static_cast<int32_t>(remembered);
  }
  for (uint32_t i = 0; table[i].keyword[0] != 0; ++i) {
    if (table[i].controlId == kBindingEdgeControl) {
      remembered = i;
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

bool IsBindingEdgeAlias(const char16_t* feature) {
  return ConstraintKeywordEqualsAscii(feature, "BindingEdge_PRN_Portrait") ||
         ConstraintKeywordEqualsAscii(feature, "BindingEdge_PRN_Landscape") ||
         ConstraintKeywordEqualsAscii(feature, "BindingEdge_PS");
}

struct FinderContext {
  const FeatureEntry* table;
  const ModelInfo* model;
};

int32_t FindForIndex(void* context, const char16_t* feature, const char16_t* option) {
  auto* c = static_cast<FinderContext*>(context);
  return FindFeatureIndex(c->table, c->model, feature, option);
}

}  // namespace

ConstraintRules& ProcessConstraintRules() {
  static ConstraintRules rules;
  return rules;
}

int32_t FindFeatureIndex(const FeatureEntry* table, const ModelInfo* model, const char16_t* feature,
                         const char16_t* option) {
  if (table == nullptr || feature == nullptr) return -1;
  int32_t bindingRow = -1;
  if (model != nullptr && model->features[kMfBindingEdge4] != 0 && IsBindingEdgeAlias(feature)) {
    bindingRow = BindingEdgeRow(table);
  }
  for (uint32_t i = 0; table[i].keyword[0] != 0; ++i) {
    if (static_cast<int32_t>(i) == bindingRow) return bindingRow;
    const FeatureEntry& row = table[i];
    if (!ConstraintKeywordEquals(row.keyword, feature)) continue;
    if (option == nullptr || option[0] == 0 || row.option[0] == 0 || ConstraintKeywordEquals(row.option, option)) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

int BuildConstraintIndex(FeatureEntry* table, const ModelInfo* model) {
  ConstraintRules& r = ProcessConstraintRules();
  r.features = table;
  r.featureCount = RowCount(table);
  r.model = model;
  FinderContext context{table, model};
  if (table == nullptr || r.set.rules.empty()) {
    FreeRuleIndex(&r.index);
    return 0;
  }
  return BuildRuleIndex(r.set.rules.data(), static_cast<uint32_t>(r.set.rules.size()), FindForIndex, &context,
                        &r.index)
             ? 1
             : 0;
}

void FreeConstraintIndex() { FreeRuleIndex(&ProcessConstraintRules().index); }

void FreeConstraintRules() {
  ConstraintRules& r = ProcessConstraintRules();
  FreeRuleIndex(&r.index);
  r.set = ConstraintSet{};
  r.features = nullptr;
  r.featureCount = 0;
  r.model = nullptr;
}

int32_t GetConditionFeature(uint32_t rule, uint32_t condition) {
  return RuleConditionRow(ProcessConstraintRules().index, rule, condition);
}

int32_t GetRuleFeature(int requireAvailable, uint32_t rule) {
  int32_t row = RuleTargetRow(ProcessConstraintRules().index, rule);
  if (row < 0) return -1;
  if (requireAvailable != 0) {
    const FeatureEntry* e = FeatureRow(row);
    if (e == nullptr || e->available == 0) return -1;
  }
  return row;
}

FeatureEntry* FeatureRow(int32_t row) {
  ConstraintRules& r = ProcessConstraintRules();
  if (r.features == nullptr || row < 0 || static_cast<uint32_t>(row) >= r.featureCount) return nullptr;
  return &r.features[row];
}
