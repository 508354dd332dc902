#include "dproc/perpage/per_page_list_rows.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "dproc/model/dialog_text_tables.h"

const char16_t* DefaultPerPageListName(int number) {
  if (number < 1 || number > kInterSheetLists) return u"";
  char keyword[32];
  std::snprintf(keyword, sizeof keyword, "PerPageList%d", number);
  // The list names are texts of the Cover Page sheet's section.
  return DialogTextOf("Property_3", keyword);
}

void BuildPerPageListRows(PerPageListRows* out, const InterSheetList* const* lists) {
  std::memset(out, 0, sizeof *out);
  for (int n = 0; n < kInterSheetLists; ++n) {
    OptionItem& row = out->rows[n];
    row.size = sizeof row;
    std::snprintf(row.keyword, sizeof row.keyword, "PerPageList%d", n + 1);
    row.value = static_cast<uint32_t>(n + 1);
    row.iconId = kPerPageListIconId;
    const InterSheetList* list = lists != nullptr ? lists[n] : nullptr;
    const char16_t* text = list != nullptr && list->name[0] != 0 ? list->name : DefaultPerPageListName(n + 1);
    for (size_t i = 0; i + 1 < std::size(row.text) && i + 1 < kInterSheetNameUnits && text[i] != 0; ++i) {
      row.text[i] = text[i];
    }
  }
  out->rows[kInterSheetLists].size = sizeof(OptionItem);
}

bool GetPerPageListDefaults(InterSheetList* list, int number) {
  if (list == nullptr || list->name[0] != 0) return false;
  const char16_t* name = DefaultPerPageListName(number);
  for (size_t i = 0; i + 1 < kInterSheetNameUnits && name[i] != 0; ++i) list->name[i] = name[i];
  list->tab = DefaultTabSettings();
  return true;
}
