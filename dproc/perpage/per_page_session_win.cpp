#include "dproc/perpage/per_page_session_win.h"

#include "common/records/inter_sheet_rules.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/perpage/per_page_list_rows.h"
#include "dproc/sheets/per_page_ui_lists.h"

namespace {

struct Names {
  wchar_t printer[MAX_PATH + 1] = {};
  wchar_t driver[MAX_PATH + 1] = {};
};

bool NamesOf(const SheetCtx* ctx, Names* names) {
  HANDLE printer = GetCtxPrinterHandle(ctx);
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return false;
  return QueryPrinterName(printer, names->printer, MAX_PATH + 1) && QueryDriverName(printer, names->driver, nullptr);
}

}  // namespace

void LoadSessionPerPageLists(const SheetCtx* ctx) {
  PerPageUiLists* lists = PerPageListsOf(GetUIState(ctx));
  Names names;
  if (lists == nullptr || !NamesOf(ctx, &names)) return;
  for (int n = 0; n < kInterSheetLists; ++n) {
    if (lists->lists[n] != nullptr) continue;
    InterSheetList* list = LoadInterSheetList(names.printer, names.driver, n + 1);
    if (list == nullptr) continue;
    GetPerPageListDefaults(list, n + 1);
    lists->lists[n] = list;
    lists->loadedBySheet |= 1u << n;
  }
}

void FreeSessionPerPageLists(const SheetCtx* ctx) {
  PerPageUiLists* lists = PerPageListsOf(GetUIState(ctx));
  if (lists == nullptr) return;
  for (int n = 0; n < kInterSheetLists; ++n) {
    if ((lists->loadedBySheet & (1u << n)) == 0) continue;
    FreeInterSheetList(lists->lists[n]);
    lists->lists[n] = nullptr;
  }
  lists->loadedBySheet = 0;
}
