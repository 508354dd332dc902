// The pure parts of constraint rule evaluation: reading and writing a
// setting by its storage kind, the condition operators, the numbers of
// numeric conditions, custom paper sizes, and the postfix expression of a
// rule.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/constraint_file.h"

// Special option indexes and values (16-bit sentinels in 32-bit numbers).
inline constexpr uint32_t kOptionNone = 65535;          // no row, no option, or an evaluation error
inline constexpr uint32_t kOptionNoTable = 65534;       // the feature has no option table
inline constexpr uint32_t kOptionEmptyIndex = 65533;    // index of an empty option keyword
inline constexpr uint32_t kOptionEmptyValue = 65532;    // value of an empty option keyword
inline constexpr uint32_t kOptionDefaultPaper = 65519;  // index of "DefaultPaper"

// Storage kinds: 1, 2, 3, 7, 8 u32; 4 unsigned byte; 5 signed 16-bit; 6
// unsigned 16-bit; 9 signed byte; 10 u32 read but never written.  Any
// other kind reads 0 and is not written; so is a null field.
int32_t ReadStoredValue(const void* field, uint32_t storageKind);
void WriteStoredValue(void* field, uint32_t storageKind, int32_t value);

// A condition's test of the current value against its operand (signed);
// unknown operator codes are false.
bool CompareByOperator(int32_t current, int32_t operand, uint32_t op);

// The number of a numeric condition's option keyword (a 32-unit field).
// A fraction is added unscaled: "2.5" is 7 and "-2.5" is -7.
int32_t ParseOptionNumber(const char16_t* keyword);

// A user's paper (512..522) or a print server's form (bit 0x1000).
bool IsCustomPaperSize(int32_t value);
// The wider test of the same-custom-paper rule, which counts the custom
// size 256 as well.
bool IsCustomPaperSizeOrCustom(int32_t value);

// Evaluates the rule's postfix expression over one result per condition
// (`results` holds rule.conditionCount entries, 0 or 1).  Returns 1 when it
// holds, 0 when not (also when the tokens end without "end" or the rule has
// no tokens), and kOptionNone when the expression is broken: more than 20
// entries, an operator or "end" short of entries, or a condition number
// that is not one of the rule's.
uint32_t EvalRuleExpression(const ConstraintRule& rule, const uint8_t* results);
