// Display-text tables: for each text a dialog shows, its keyword and the
// controls that show it; start-up copies the texts out of the description
// file's sections into them.  Every library that shows dialogs keeps its
// own tables of these records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

inline constexpr int kDispStringIds = 15;
inline constexpr int32_t kTextOnlyRecord = -1;  // shown by no control of its own

struct DispStringItem {
  int32_t controlIds[kDispStringIds];  // ends at the first 0
  char16_t text[48];                   // empty until a section fills it
  char keyword[32];
};
static_assert(sizeof(DispStringItem) == 188);

// Fills a table's texts from a section (entries walked as a chain, keys
// compared whole with ASCII case ignored, texts cut to 47 characters; an
// entry without a text leaves its record as it was).  The table ends at a
// record without control and keyword.  0 when the section is absent.
int LoadDispStringTable(QxdContext* ctx, const char* section, DispStringItem* table);

// The text of the record named `key` (compared whole) in a table, or u""
// when the table is null or has no such record.
const char16_t* DispStringText(const DispStringItem* table, const char* key);
