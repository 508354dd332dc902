// The constraint file VELDRANK.QXD: its records, its reader and the rule
// index.
//
// The file is a 240-byte header followed by four arrays: rule records
// (292 bytes), conditions (132 bytes), postfix expression tokens (4 bytes)
// and actions (8 bytes).  The conditions, tokens and actions of all rules
// lie in their arrays in rule order; each rule's own counts say where the
// next rule's items start.  The file comes from outside and is checked
// before it is used: every array must lie inside the file, and every rule's
// counts must stay inside the arrays, or the file counts as having no rules.
//
// This module needs no Windows interface; the Windows layer that finds and
// opens the file beside a library is constraint_file_win.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/qxd/qxd_reader.h"

// Rule kinds.
inline constexpr uint32_t kRuleKindBeforeFirst = 1019;  // the kind taken before the first rule
inline constexpr uint32_t kRuleKindSetting = 1022;
inline constexpr uint32_t kRuleKindOption = 1023;
inline constexpr uint32_t kRuleKindHint = 1024;
inline constexpr uint32_t kRuleKindPerPage = 1025;

// Operator codes of a condition (signed comparison of the current value
// with the operand).
inline constexpr uint32_t kCondEqual = 1005;
inline constexpr uint32_t kCondNotEqual = 1006;
inline constexpr uint32_t kCondLess = 1009;
inline constexpr uint32_t kCondGreater = 1010;
inline constexpr uint32_t kCondLessEqual = 1011;
inline constexpr uint32_t kCondLessEqual2 = 1012;
inline constexpr uint32_t kCondGreaterEqual = 1013;
inline constexpr uint32_t kCondGreaterEqual2 = 1014;

// Expression tokens; any other token is the number of one of the rule's
// own conditions.
inline constexpr uint32_t kTokenAnd = 1003;
inline constexpr uint32_t kTokenOr = 1004;
inline constexpr uint32_t kTokenEnd = 1017;

// Action codes.
inline constexpr uint32_t kActionLock = 1028;     // disable the target's controls
inline constexpr uint32_t kActionForce = 1029;    // force the target, argument: "ChgMessageStr" entry
inline constexpr uint32_t kActionRefuse = 1030;   // refuse an option, argument: "CstMessageStr" entry
inline constexpr uint32_t kActionReason = 1031;   // stop icon or drop-list reason, argument: "ToolChipStr" entry
inline constexpr uint32_t kActionHint = 1032;     // argument: hint id

inline constexpr size_t kConstraintKeywordUnits = 32;
inline constexpr char kConstraintVersionMarker[] = "Ver_Cst";
inline constexpr char16_t kConstraintDefaultVersion[] = u"5";
inline constexpr size_t kConstraintVersionUnits = 32;  // terminator included

struct ConstraintFileHeader {
  uint32_t ruleCount;
  uint32_t ruleOffset;
  uint32_t ruleSpare;        // not read
  uint32_t conditionCount;
  uint32_t conditionOffset;
  uint32_t conditionSpare;   // not read
  uint32_t tokenCount;
  uint32_t tokenOffset;
  uint32_t tokenSpare;       // not read
  uint32_t actionCount;
  uint32_t actionOffset;
  uint32_t actionSpare;      // not read
  char marker[64];           // "Ver_Cst" when a version text is present
  char version[128];         // narrow, ANSI code page
};
static_assert(sizeof(ConstraintFileHeader) == 240);
static_assert(offsetof(ConstraintFileHeader, conditionCount) == 12);
static_assert(offsetof(ConstraintFileHeader, tokenCount) == 24);
static_assert(offsetof(ConstraintFileHeader, actionCount) == 36);
static_assert(offsetof(ConstraintFileHeader, marker) == 48);
static_assert(offsetof(ConstraintFileHeader, version) == 112);

struct ConstraintCondition {
  char16_t feature[kConstraintKeywordUnits];  // zero-padded, may fill the field
  char16_t option[kConstraintKeywordUnits];   // option keyword, number, "DefaultPaper" or empty
  uint32_t op;                                // operator code
};
static_assert(sizeof(ConstraintCondition) == 132);
static_assert(offsetof(ConstraintCondition, option) == 64);
static_assert(offsetof(ConstraintCondition, op) == 128);

// A rule record as the file holds it.
struct ConstraintRuleRecord {
  uint32_t kind;
  uint8_t conditionCount;
  uint8_t pad1[3];
  uint32_t reserved1;
  int32_t tokenCount;
  uint32_t reserved2;
  ConstraintCondition target;  // target feature and option keyword
  ConstraintCondition forced;  // forced option keyword (its feature keyword is not used)
  uint8_t actionCount;
  uint8_t pad2[3];
  uint32_t reserved3;
};
static_assert(sizeof(ConstraintRuleRecord) == 292);
static_assert(offsetof(ConstraintRuleRecord, conditionCount) == 4);
static_assert(offsetof(ConstraintRuleRecord, tokenCount) == 12);
static_assert(offsetof(ConstraintRuleRecord, target) == 20);
static_assert(offsetof(ConstraintRuleRecord, forced) == 152);
static_assert(offsetof(ConstraintRuleRecord, actionCount) == 284);

struct ConstraintAction {
  uint32_t code;
  uint32_t argument;
};
static_assert(sizeof(ConstraintAction) == 8);

// A rule in memory: its items point into the pooled arrays.
struct ConstraintRule {
  uint32_t kind;
  uint8_t conditionCount;
  const ConstraintCondition* conditions;
  int32_t tokenCount;
  const uint32_t* tokens;
  ConstraintCondition target;
  ConstraintCondition forced;
  uint8_t actionCount;
  const ConstraintAction* actions;
};

// Everything the file gave.  A missing or damaged file leaves no rules;
// the header is kept when it could be read whole (it carries the version
// text), with its counts set to 0 when the arrays were refused.
struct ConstraintSet {
  ConstraintSet() = default;
  ConstraintSet(const ConstraintSet&) = delete;  // the rules point into this set's own arrays
  ConstraintSet& operator=(const ConstraintSet&) = delete;
  ConstraintSet(ConstraintSet&&) = default;
  ConstraintSet& operator=(ConstraintSet&&) = default;

  ConstraintFileHeader header{};
  std::vector<ConstraintRule> rules;
  std::vector<ConstraintCondition> conditions;
  std::vector<uint32_t> tokens;
  std::vector<ConstraintAction> actions;
};

enum class ConstraintLoad { Loaded, Missing, Damaged };

// Reads an open constraint file.  `ctx` null means the file is missing.
// Never fails beyond leaving the set without rules.
ConstraintLoad ReadConstraintFile(QxdContext* ctx, ConstraintSet* out);

// The version text of the file: the narrow text at header byte 112 when the
// marker at byte 48 is "Ver_Cst" (letter case ignored), cut to its field and
// to `capacity` - 1 bytes.  False, `out` untouched, without the marker.
bool ConstraintVersionNarrow(const ConstraintFileHeader& header, char* out, size_t capacity);

// Keyword fields: compared over at most 32 units, never past the field.
size_t ConstraintKeywordLength(const char16_t* field);
bool ConstraintKeywordEquals(const char16_t* field, const char16_t* name);  // ASCII case ignored
bool ConstraintKeywordEqualsAscii(const char16_t* field, const char* name);  // ASCII case ignored

// "PaperSize" with option "UserPaper", or "OutPaperSize" with
// "OutUserPaper".
bool IsUserPaperCondition(const ConstraintCondition& condition);
// "UserPaper_Width", "UserPaper_Length", "OutUserPaper_Width",
// "OutUserPaper_Length".
bool IsUserPaperDimension(const char16_t* keyword);

// The rule index: every keyword of every rule resolved to a row of the
// runtime feature table, and the rules divided into four groups by kind.
struct RuleIndexEntry {
  uint32_t conditionCount = 0;
  std::vector<int32_t> conditionRows;  // -1: empty or unknown keyword
  int32_t targetRow = -1;
  uint32_t paperFlag = 0;
};
struct RuleGroup {
  uint32_t first = 0;
  uint32_t count = 0;
};
inline constexpr int kRuleGroupSetting = 0;
inline constexpr int kRuleGroupOption = 1;
inline constexpr int kRuleGroupHint = 2;
inline constexpr int kRuleGroupPerPage = 3;
struct RuleIndex {
  bool built = false;
  std::vector<RuleIndexEntry> entries;
  RuleGroup groups[4];
};

// Resolves a feature keyword and an option keyword (32-unit fields) to a
// feature row, or -1.
using FeatureRowFinder = int32_t (*)(void* context, const char16_t* feature, const char16_t* option);

// Builds the index over `count` rules.  False (index left empty) without
// rules, without a finder, or when memory runs out.
bool BuildRuleIndex(const ConstraintRule* rules, uint32_t count, FeatureRowFinder find, void* context,
                    RuleIndex* out);
void FreeRuleIndex(RuleIndex* index);
// -1 without an index or when either number is out of range.
int32_t RuleConditionRow(const RuleIndex& index, uint32_t rule, uint32_t condition);
int32_t RuleTargetRow(const RuleIndex& index, uint32_t rule);
uint32_t RulePaperFlag(const RuleIndex& index, uint32_t rule);
