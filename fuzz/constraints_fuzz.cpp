// The constraint file: read, indexed over the runtime feature table of the
// sample model (its fields bound to default settings), and every rule
// evaluated as the constraint pass does, from the sheets and from controls.
#include <cstdint>
#include <memory>

#include "common/qxd/constraint_file.h"
#include "common/qxd/paper_tables.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/rule_evaluation.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/feature_fields.h"
#include "dproc/model/feature_table.h"
#include "fuzz/fuzz_input.h"

namespace {

// Rules evaluated per input: a file may hold thousands.
constexpr uint32_t kMaxRules = 256;

struct Session {
  ModelInfo* model = SampleModel();
  DevOption device{};
  DeviceOptionItem* options = nullptr;
  FeatureEntry* table = nullptr;
  std::unique_ptr<DocDMode> doc = std::make_unique<DocDMode>();
  uint32_t rows = 0;

  Session() {
    InitBuiltInDevOption(&device);
    options = LoadDeviceOptionList(SampleModelContext(), model, &device);
    table = BuildFeatureTable(FeatureControlTable(), options, model);
    if (table == nullptr) std::abort();
    while (table[rows].keyword[0] != 0) ++rows;
    ProcessRuleEvalContext().deviceOptions = options;
    InitBuiltInDocDMode(doc.get());
    BindFeatureFields({table, doc.get(), &device, options, model, -1, 0, nullptr});
  }
  // The settings back to their defaults; the rows stay bound to them.
  void Reset() {
    InitBuiltInDocDMode(doc.get());
    InitBuiltInDevOption(&device);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Session session;
  session.Reset();
  QxdContext* ctx = QxdOpenImage(data, size);
  ConstraintRules& rules = ProcessConstraintRules();
  ReadConstraintFile(ctx, &rules.set);
  QxdClose(ctx);
  char version[64];
  ConstraintVersionNarrow(rules.set.header, version, sizeof version);
  BuildConstraintIndex(session.table, session.model);
  const uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(rules.set.rules.size()), kMaxRules);
  for (uint32_t r = 0; r < n; ++r) {
    const ConstraintRule& rule = rules.set.rules[r];
    for (uint32_t c = 0; c <= rule.conditionCount; ++c) GetConditionFeature(r, c);
    GetRuleFeature(0, r);
    GetRuleFeature(1, r);
    uint32_t result = 0;
    int32_t firstRow = -1;
    EvaluateConstraintRule(100, 0, r, 255, false, &firstRow, &result);
    const int32_t row = GetConditionFeature(r, 0);
    if (FeatureEntry* e = FeatureRow(row)) {
      EvaluateConstraintRule(e->pageIds[0], e->controlId, r, rule.conditionCount, true, &firstRow, &result);
    }
    RuleHoldsLeniently(r);
  }
  FreeConstraintRules();
  return 0;
}
