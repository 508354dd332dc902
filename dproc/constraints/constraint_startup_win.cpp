#include "dproc/constraints/constraint_startup_win.h"

#include "common/qxd/constraint_file_win.h"
#include "common/qxd/version_strings.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/drop_reasons.h"

void LoadProcessConstraints(HMODULE module) { LoadConstraintFile(module, &ProcessConstraintRules().set); }

void IndexProcessConstraints(FeatureEntry* table, const ModelInfo* model) {
  ConstraintRules& r = ProcessConstraintRules();
  BuildConstraintIndex(table, model);
  wchar_t version[kConstraintVersionUnits];
  ConstraintVersionText(r.set.header, version);
  for (size_t i = 0; i < kConstraintVersionUnits; ++i) r.version[i] = static_cast<char16_t>(version[i]);
  SetVersionString(kVersionConstraint, r.version);
}

void FreeProcessConstraints() {
  FreeConstraintRules();
  FreeDropReasons();
}
