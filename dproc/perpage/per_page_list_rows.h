// The per-page lists as the rows of a drop list: one option row per list,
// "PerPageList1" to "PerPageList10" with the values 1 to 10, showing the
// list's own name, or the description's default name when it has none.
#pragma once

#include <cstddef>

#include "common/qxd/model_rows.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/inter_sheet_rules.h"

// The icon of the rows.
inline constexpr uint32_t kPerPageListIconId = 32516;

// Ten rows and the empty row that ends them.
struct PerPageListRows {
  OptionItem rows[kInterSheetLists + 1];
};

// `lists[n]` is list n + 1, null when it is not loaded.
void BuildPerPageListRows(PerPageListRows* out, const InterSheetList* const* lists);

// The description's default name of list `number` (1 to 10); empty when
// it gives none.
const char16_t* DefaultPerPageListName(int number);

// A list's name and tab geometry for a list that has no name yet: the
// default name of its number and the default tab sheet.  Returns true when
// it filled them, false when the list already had a name.  The entries stay.
bool GetPerPageListDefaults(InterSheetList* list, int number);
