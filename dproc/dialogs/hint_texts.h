// The texts of the hint area: the hint lines that the last constraint pass
// listed for a page, read from the description's 999-entry hint table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dproc/constraints/page_hints.h"

inline constexpr size_t kHintBufferUnits = 2048;
inline constexpr size_t kStateHintUnits = 290;

// The hint page whose list and layout a page uses: the custom paper
// dialog's list state 2225 uses 115, the overlay form management states
// 2516 and 2517 use 127 (194 when the model's overlay manager is TYPE2);
// every other page its own.
uint32_t HintPageOf(uint32_t pageId, uint32_t overlayManagerType);

// Entry `index` of a hint table of 999 entries of 290 units; null for an
// index outside the table or without a table.
const char16_t* HintTableEntry(const char16_t* table, uint32_t index);

// Appends the listed hints of a flagged row to `text` (AppendHintLine),
// in list order up to the row's count (at most 100) and the first 0; an
// index outside the table is skipped.  False (nothing appended) when the
// row is absent or not flagged.
bool AppendListedHints(const PageHintList* row, const char16_t* table, char16_t* text, size_t capacity);

// A hint text as the multi-line edit shows it: each backslash-"n" pair
// becomes a carriage return and a line feed; at most capacity - 1 units.
void HintTextForEdit(const char16_t* text, char16_t* out, size_t capacity);
