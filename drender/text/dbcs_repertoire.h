// The resident double-byte repertoire: the UTF-16 code units that the
// printer's resident Japanese faces can print.  A Shift-JIS TrueType face is
// replaced by a resident face only when every character of the string is a
// member.
//
// The set is generated at build time from the code page 932 conversion
// (tools/fonts/make_dbcs_repertoire.py): a unit is a member when the code
// page converts it to one or two bytes and back to itself, and it is not a
// control code, U+0080, a surrogate or a private-use unit.  Pure code: no
// state, no allocation; a lookup is a bisection over the sorted ranges.
#pragma once

#include <cstdint>

struct DbcsRange {
  uint16_t first;
  uint16_t last;  // inclusive
};

// The generated table: sorted, disjoint, non-adjacent ranges.
extern const DbcsRange kDbcsRepertoireRanges[];
extern const uint32_t kDbcsRepertoireRangeCount;
extern const uint32_t kDbcsRepertoireMemberCount;

// 1 when `unit` is in the repertoire, else 0.
uint32_t Font_IsInDbcsRepertoire(uint16_t unit);
// The same answer for units below U+8000 (0 for any other unit).
uint32_t Font_IsInDbcsRepertoireLow(uint16_t unit);
