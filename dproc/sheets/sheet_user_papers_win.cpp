#include "dproc/sheets/sheet_user_papers_win.h"

#include <cstdlib>

#include "dproc/model/feature_table.h"
#include "common/win/printer_queries.h"
#include "dproc/model/user_paper_list_win.h"

static_assert(kUiStateUserPapersAt + sizeof(UserPaperUiState) <= kSheetUiStateSize);

UserPaperUiState* UserPaperStateOf(SheetUiState* state) {
  if (state == nullptr) return nullptr;
  return reinterpret_cast<UserPaperUiState*>(state->bytes + kUiStateUserPapersAt);
}

BOOL SheetInitUserPapers(HWND, UINT, WPARAM, SheetCtx* ctx) {
  UserPaperUiState* state = UserPaperStateOf(GetUIState(ctx));
  if (state == nullptr || state->installed != 0) return FALSE;
  const HANDLE printer = GetCtxPrinterHandle(ctx);
  // Only the core's own sessions (first byte of the page record 0) have the
  // user's papers; a plug-in host's pages do not.
  const auto* record = reinterpret_cast<const uint8_t*>(ctx->lParam);
  const UserPaperList* users = nullptr;
  if (record != nullptr && record[0] == 0) {
    ReadCustomPaperData(printer, &state->list);
    users = &state->list;
  }
  const DevOption* device = GetCtxPrinterInfo(ctx);
  const bool forms = GetCtxSessionFlag(ctx) == 0 && device != nullptr && device->useServerForm != 0;
  wchar_t name[260] = {};
  QueryPrinterName(printer, name, 260);
  const ModelInfo* model = ProcessModelInfo();
  if (state->papers == nullptr) {
    SessionPaperItem* list = nullptr;
    state->paperCount = BuildSessionPaperListForPrinter(model, name, users, forms, &list);
    state->papers = list;
  }
  if (state->outPapers == nullptr) {
    SessionPaperItem* list = nullptr;
    state->outPaperCount = BuildSessionOutPaperList(model, users, state->papers, &list);
    state->outPapers = list;
  }
  InstallSessionPaperLists(g_featureTable, state->papers, state->outPapers);
  state->installed = 1;
  return TRUE;
}

void SheetFreeUserPapers(HWND dialog, LPARAM) {
  SheetCtx* ctx = GetDlgPrcCtx(dialog);
  if (UserPaperUiState* state = UserPaperStateOf(GetUIState(ctx))) {
    std::free(state->papers);
    std::free(state->outPapers);
    state->papers = state->outPapers = nullptr;
    state->paperCount = state->outPaperCount = 0;
    state->installed = 0;
  }
  RestoreModelPaperLists(g_featureTable, ProcessModelInfo());
}
