// The process's constraint rules: the file's rules, their index over the
// runtime feature table, and the version text the file carries.  Start-up
// loads them after the feature table has been built; detach frees them.
#pragma once

#include <cstdint>

#include "common/qxd/constraint_file.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/model_info.h"

struct ConstraintRules {
  ConstraintSet set;
  RuleIndex index;
  FeatureEntry* features = nullptr;  // the runtime feature table (not owned)
  uint32_t featureCount = 0;         // its rows before the end row
  const ModelInfo* model = nullptr;  // not owned
  char16_t version[kConstraintVersionUnits] = u"5";
};

// The process's rules.
ConstraintRules& ProcessConstraintRules();

// The row of the runtime feature table for a feature keyword and an option
// keyword (32-unit fields; the option may be null), or -1.  A row matches
// when its keyword is equal (ASCII case ignored) and either option keyword
// is empty or both are equal.  On a model with binding on four edges, the
// binding-edge row also answers to "BindingEdge_PRN_Portrait",
// "BindingEdge_PRN_Landscape" and "BindingEdge_PS".
int32_t FindFeatureIndex(const FeatureEntry* table, const ModelInfo* model, const char16_t* feature,
                         const char16_t* option);

// Builds the process's rule index over `table`; 1 on success, 0 without
// rules or table, or when memory runs out (no index then).
int BuildConstraintIndex(FeatureEntry* table, const ModelInfo* model);
void FreeConstraintIndex();
// Frees the rules and the index; the version text stays.
void FreeConstraintRules();

// The feature row of a rule's condition, or -1.
int32_t GetConditionFeature(uint32_t rule, uint32_t condition);
// The target row of a rule, or -1; with `requireAvailable` also -1 when the
// row is not available on this model and sheet.
int32_t GetRuleFeature(int requireAvailable, uint32_t rule);
// The row itself, or null for -1 or a row beyond the table.
FeatureEntry* FeatureRow(int32_t row);
