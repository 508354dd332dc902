// What the four pages of the cover-sheet dialog share: text fields, option
// lists and numbers.
#include <windows.h>

#include <cwchar>
#include <vector>

#include "common/qxd/model_rows.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/model/feature_table.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/model/option_table_rows_win.h"

bool FcsPageMessageOf(const FcsPageParts& parts, HWND page, SheetCtx* ctx, UINT message, INT_PTR* result) {
  FcsDialogState* s = FcsStateOf(ctx);
  if (message == FCSM_SAVEPAGE) {
    if (!parts.save(page, s)) FcsRefuse(page);
  } else if (message == FCSM_LOADPAGE) {
    if (parts.loadAlways || s->fLoading == 1) parts.load(page, s);
  } else if (parts.message == nullptr || !parts.message(page, s, message)) {
    return false;
  }
  *result = TRUE;
  return true;
}

void FcsNotify(HWND page, UINT message) { SendMessageW(GetParent(page), message, 0, 0); }

void FcsRefuse(HWND page) { SetWindowLongPtrW(page, DWLP_MSGRESULT, 1); }

void FcsSetText(HWND page, int id, const char16_t* text, size_t capacity) {
  std::vector<wchar_t> copy(capacity + 1, 0);
  for (size_t i = 0; i < capacity && text[i] != 0; ++i) copy[i] = static_cast<wchar_t>(text[i]);
  SetDlgItemTextW(page, id, copy.data());
}

void FcsGetText(HWND page, int id, char16_t* text, size_t capacity) {
  std::vector<wchar_t> buffer(capacity + 1, 0);
  GetDlgItemTextW(page, id, buffer.data(), static_cast<int>(capacity));
  for (size_t i = 0; i < capacity; ++i) text[i] = 0;
  for (size_t i = 0; i + 1 < capacity && buffer[i] != 0; ++i) text[i] = static_cast<char16_t>(buffer[i]);
}

bool FcsFillOptionList(HWND page, int id, const char* table, uint32_t value) {
  HWND list = GetDlgItem(page, id);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  int selected = -1;
  ForEachOptionRow(table, [&](const OptionHead& row, const wchar_t* text) {
    const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at >= 0) {
      SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), row.value);
      if (row.value == value) selected = static_cast<int>(at);
    }
    return true;
  });
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  return selected >= 0;
}

bool FcsSelectedValue(HWND page, int id, uint32_t* value) {
  const LRESULT at = SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
  if (at < 0) return false;
  *value = static_cast<uint32_t>(SendDlgItemMessageW(page, id, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
  return true;
}

void FcsEnable(HWND page, int id, bool on) { EnableCtrlIfVisible(GetDlgItem(page, id), on ? TRUE : FALSE); }

bool FcsReadNumber(HWND page, int id, int32_t* value) {
  wchar_t text[16] = {};
  GetDlgItemTextW(page, id, text, 16);
  if (text[0] == 0) return false;
  wchar_t* end = nullptr;
  const long v = std::wcstol(text, &end, 10);
  if (end == text || *end != 0) return false;
  *value = static_cast<int32_t>(v);
  return true;
}
