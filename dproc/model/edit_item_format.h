// The edit item descriptor as the description file holds it: the payload of
// a section named for the field, right after its section and list headers.
// Little-endian; the four character rules are of variable length.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kEditLengthChars = 101;  // limit in characters
inline constexpr uint32_t kEditLengthBytes = 102;  // limit in bytes of the ANSI text
inline constexpr uint32_t kEditLengthFree = 103;   // no limit
inline constexpr uint32_t kEditRuleAllow = 106;    // only the listed characters of the class
inline constexpr uint32_t kEditRuleForbid = 107;   // none of the listed characters of the class
inline constexpr uint32_t kEditCheckText = 111;
inline constexpr uint32_t kEditCheckNumber = 112;
inline constexpr uint32_t kEditCheckLength = 113;  // length check kind: check with a message
inline constexpr uint32_t kEditCheckNone = 114;
inline constexpr int32_t kEditNoBound = INT32_MIN;

// Character classes of the four rules, in their order in the file.
enum EditCharClass : int { kEditClassLetter = 0, kEditClassDigit = 1, kEditClassSingle = 2, kEditClassDouble = 3 };
inline constexpr int kEditRuleCount = 4;

struct EditDescHead {
  uint8_t reserved[24];  // not read by the checks
  uint32_t lengthKind;
  uint32_t minLength;
  uint32_t maxLength;
  int32_t minValue;      // kEditNoBound: none
  int32_t maxValue;
  uint32_t reserved44;
};
static_assert(sizeof(EditDescHead) == 48);
static_assert(offsetof(EditDescHead, lengthKind) == 24);
static_assert(offsetof(EditDescHead, minValue) == 36);

// Each rule: u32 kind, u32 list size in bytes, the list.  The lists of the
// single-byte classes are bytes; the double-byte list holds 16-bit values,
// each the two ANSI bytes of a character read little-endian.
struct EditRuleHead {
  uint32_t kind;
  uint32_t size;
};
static_assert(sizeof(EditRuleHead) == 8);

// After the rules.
struct EditCheckBlock {
  uint32_t kind;        // kEditCheckText, kEditCheckNumber, kEditCheckNone
  uint32_t caption;     // "MessageStr" entries of the range message
  uint32_t text;
  uint32_t formatMm;    // two %s: minimum, maximum
  uint32_t formatInch;
};
static_assert(sizeof(EditCheckBlock) == 20);

struct EditLengthBlock {
  uint32_t kind;        // kEditCheckLength: check the length with a message
  uint32_t caption;     // "MessageStr" entries of the length message
  uint32_t text;
  uint32_t format;      // two %d: minimum, maximum
  uint32_t reserved;
};
static_assert(sizeof(EditLengthBlock) == 20);
