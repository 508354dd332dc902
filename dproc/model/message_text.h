// Texts of the general message table ("MessageStr") of the main description
// file, by row.  The table itself is filled by the display-text loader at
// start-up, which registers its lookup here; until then every row is empty.
#pragma once

#include <cstddef>
#include <cstdint>

// A row holds at most 289 characters and a NUL.
inline constexpr size_t kMessageRowUnits = 290;

// Returns the text of a row (terminated within kMessageRowUnits units), or
// null when the row has no text.
using MessageRowFn = const char16_t* (*)(uint32_t row);
void SetMessageRowSource(MessageRowFn source);
const char16_t* MessageRow(uint32_t row);

struct MessageTables;
// Takes the rows from the general message table ("MessageStr") of the
// description file's numbered tables; null: no rows.  The tables must live
// until the next call.
void UseGeneralMessageTable(const MessageTables* tables);

// Zero-fills `out`, copies at most `capacity` - 1 characters of the row and
// turns each backslash-"n" into a blank and a line feed.
void LoadMessageText(uint32_t row, char16_t* out, size_t capacity);
