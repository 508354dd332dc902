// Whether one constraint rule holds for the current settings: the changed
// control's feature row, option keywords turned into values, the settings
// read through the feature rows' fields, the comparisons, the rule's
// expression, and a second pass for custom paper sizes.  Per-page list
// columns are bound to one per-page entry at a time.
#pragma once

#include <cstdint>

#include "dproc/model/feature_fields.h"
#include "dproc/model/feature_table.h"
#include "common/records/inter_sheet_list.h"
#include "dproc/model/rule_expression.h"

// Results of EvaluateConstraintRule.
inline constexpr uint32_t kRuleEvaluated = 110;
inline constexpr uint32_t kRuleNotConcerned = 111;

inline constexpr int32_t kPassModeNormal = -1;
inline constexpr int32_t kPerPageKindNone = -2;
// The per-page kind of the staple column.
inline constexpr int32_t kPerPageStapleKind = 3;
// The Per Page Setting dialog's value control and its list of entries.
inline constexpr uint16_t kPerPageSettingChange = 1610;
inline constexpr uint16_t kPerPageSettingList = 1539;

// What the constraint pass sets before it evaluates.
struct RuleEvalContext {
  int32_t passMode = kPassModeNormal;  // else the device option a device sheet checks
  int32_t perPageKind = kPerPageKindNone;
  uint32_t customPaperPass = 0;        // the UI state's custom-paper word
  InterSheetEntry* perPageEntry = nullptr;  // the Per Page Setting dialog's entry under edit
  int32_t defaultPaperSize = 0;        // paper size of the default document settings ("DefaultPaper")
  const DeviceOptionItem* deviceOptions = nullptr;  // the device option list
};
RuleEvalContext& ProcessRuleEvalContext();

// The first row of a feature keyword (ASCII case ignored), or kOptionNone.
int32_t FeatureRowOfKeyword(const char* keyword);
// The first row of a control id (any page), or kOptionNone.
int32_t FeatureRowOfControl(uint32_t controlId);

// The feature row of a changed control on a page (the dialog's window
// identifier), or kOptionNone.
int32_t FeatureOfControl(uint32_t pageId, uint32_t controlId);

// The index of an option keyword (32-unit field) in a row, or a sentinel.
int32_t GetOptionIndex(const char16_t* option, int32_t row);
// The value at an index of a row, or a sentinel.
int32_t OptionValueOf(int32_t row, int32_t index);
// False for a row without a field.
bool CompareFeatureValue(const FeatureEntry& row, int32_t operand, uint32_t op);

// True only for the "PaperSize" and "OutPaperSize" rows when both values
// are custom sizes (256 included).
bool IsSameCustomPaper(int32_t row, int32_t current, int32_t operand);
// A user paper dimension row compared through the paper row's selected
// custom paper (width or length, 0.1 mm).
bool CompareUserPaperDimension(int32_t row, int32_t operand, uint32_t op);

// Evaluates the rule over its first `n` conditions; the others count as
// true.  From-control: only when a condition names the changed control's
// feature.  Returns kRuleEvaluated (result set; not set when memory ran
// out), kRuleNotConcerned, kOptionNoTable or kOptionNone (the rule takes no
// part).
uint32_t EvaluateConstraintRule(uint32_t pageId, uint32_t controlId, uint32_t rule, uint32_t n, bool fromControl,
                                int32_t* firstRow, uint32_t* result);

// Whether a rule holds over all its conditions, a condition that cannot be
// resolved (unknown row or option, no field, no option table, an empty
// option) counting as false.  The refusal messages are collected so.
bool RuleHoldsLeniently(uint32_t rule);

// The option row of a feature keyword and an option keyword (ASCII case
// ignored), or null.
OptionHead* FindOptionItem(const char* feature, const char* option);

// The field of a per-page list column in a per-page entry.
struct PerPageBinding {
  void* field = nullptr;
  uint32_t storageKind = 0;
  bool found = false;
};
PerPageBinding BindPerPageField(InterSheetEntry* entry, const char16_t* keyword);
// Binds every per-page column row (control kind 7) that BindPerPageField
// knows to `entry`; a null entry leaves every per-page column unbound.
void BindPerPageFeatures(FeatureEntry* table, InterSheetEntry* entry);

// What the Per Page Setting dialog keeps for the pass: the per-page entry
// under edit (null when none) and the per-page setting kind chosen in its
// list (kPerPageKindNone when none; the pass clears it for other controls).
void SetPerPageEdit(InterSheetEntry* entry, int32_t kind);

// Whether one of the rule's first `n` conditions names a per-page list
// column (a row of control kind 7).
bool RuleNamesPerPageColumn(uint32_t rule, uint32_t n);
