#include "dproc/layout/layout_lists_win.h"

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/model_info.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/startup/ddproc_binding_win.h"

#include "dproc/startup/description_loader_win.h"

void FillOptionCombo(HWND dialog, int comboId, const OptionHead* table, bool (*keep)(const OptionHead* row),
                     int itemHeight) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
  if (table == nullptr) return;
  for (const OptionHead* row = table; row->size != 0 && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
    if (keep != nullptr && !keep(row)) continue;
    const wchar_t* text = L"";
    if (row->size >= sizeof(OptionItem)) text = reinterpret_cast<const wchar_t*>(reinterpret_cast<const OptionItem*>(row)->text);
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at < 0) continue;
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(at), itemHeight);
  }
}

bool SelectOptionValue(HWND dialog, int comboId, uint32_t value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    auto row = reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    if (row != nullptr && row != reinterpret_cast<const OptionHead*>(CB_ERR) && row->value == value) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

const OptionItem* SelectedOptionRow(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at < 0) return nullptr;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  if (data == 0 || data == CB_ERR) return nullptr;
  return reinterpret_cast<const OptionItem*>(data);
}

void DrawLayoutPreview(int pageId, HWND dialog, const DRAWITEMSTRUCT* item, const SheetCtx* ctx, bool paperOnly) {
  const PreviewModules modules = {
      DialogFrameworkModules().images,
      reinterpret_cast<DrawPrinterViewProc>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDrawPrinterView]))};
  PreviewUiState* state = PreviewStateOf(GetUIState(ctx));
  const uint8_t view = state != nullptr ? state->viewFlag : 0;
  if (paperOnly && state != nullptr) state->viewFlag = 0;
  DrawSheetPreview(pageId, dialog, item->hDC, item->rcItem, ctx, ProcessModelInfo(), g_description.deviceOptions,
                   modules);
  if (state != nullptr) state->viewFlag = view;
}


