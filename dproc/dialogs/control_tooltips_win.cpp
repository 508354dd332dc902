#include "dproc/dialogs/control_tooltips_win.h"

#include <commctrl.h>

#include <vector>

#include "common/records/doc_fields.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/sheet_context.h"
#include "common/text/safe_format.h"

namespace {

void AddTool(HWND tooltip, HWND window, const RECT& rect, char16_t* text) {
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = window;
  tool.rect = rect;
  tool.lpszText = reinterpret_cast<wchar_t*>(text);
  SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 1024);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
}

}  // namespace

void AddTipTool(HWND owner, HWND tooltip, char16_t* text, const RECT& rect) {
  if (tooltip == nullptr || text == nullptr) return;
  ExpandNewlineEscapes(text);
  AddTool(tooltip, owner, rect, text);
}

void AddToolChipTip(HWND control, HWND tooltip, int32_t index) {
  if (index < 0 || tooltip == nullptr || control == nullptr) return;
  auto* entry = const_cast<char16_t*>(DialogText(kToolChipStr, static_cast<uint32_t>(index)));
  if (entry == nullptr) return;
  ExpandNewlineEscapes(entry);
  RECT client;
  GetClientRect(control, &client);
  AddTool(tooltip, control, client, entry);
}

void ShowViewTip(HWND dialog, HWND tooltip, const RECT& rect, const int32_t* index) {
  if (index == nullptr || *index < 0) return;
  RECT panel = {};
  GetDlgItemClientRect(dialog, 1123, &panel);
  RECT tool = {rect.left + panel.left, rect.top + panel.top, rect.right + panel.left, rect.bottom + panel.top};
  const char16_t* entry = DialogText(kViewTipsStr, static_cast<uint32_t>(*index));
  constexpr size_t kUnits = 322;
  std::vector<char16_t> text(kUnits, 0);
  if (entry != nullptr && (*index == 151 || *index == 152)) {
    if (const DocDMode* doc = GetPrivDevMode(GetDlgPrcCtx(dialog))) {
      // The current watermark's name (the entry is a format with one text).
      char16_t name[33] = {};
      const auto* bytes = reinterpret_cast<const uint8_t*>(doc) + DOC_FIELD_AT(WmkInfo_szWmkTitle);
      for (size_t i = 0; i < 32; ++i) {
        name[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (name[i] == 0) break;
      }
      char16_t format[kMessageUnits + 1] = {};
      for (size_t i = 0; i < kMessageUnits && entry[i] != 0; ++i) format[i] = entry[i];
      const SafeFormatArg arg = SafeFormatArg::Text(name);
      SafeFormat(format, &arg, 1, text.data(), kUnits);
    }
  } else if (entry != nullptr) {
    AppendHintLine(text.data(), 290, entry);
  }
  AddTipTool(dialog, tooltip, text.data(), tool);
  // The tooltip keeps its own copy of the text.
}

void DrawDevOptionIcon(HWND dialog, uint32_t controlId, const DRAWITEMSTRUCT* item, const RECT& rect, bool show) {
  HWND control = GetDlgItem(dialog, static_cast<int>(controlId));
  if (control == nullptr) return;
  if (!show) {
    MoveWindow(control, 0, 0, 0, 0, TRUE);
    EnableWindow(control, FALSE);
    return;
  }
  MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  EnableCtrlIfVisible(control, TRUE);
  HintEntry row = {};
  row.controlId = controlId;
  row.imageId = 198;
  row.maskId = 199;
  DRAWITEMSTRUCT own = {};
  own.CtlType = ODT_BUTTON;
  own.CtlID = controlId;
  own.hwndItem = control;
  GetClientRect(control, &own.rcItem);
  DrawMaskedIconBitmap(dialog, item != nullptr ? item : &own, &row);
}

void ScreenToClientRect(HWND window, RECT* rect) {
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(rect), 2);
}

void GetDlgItemClientRect(HWND dialog, int controlId, RECT* rect) {
  *rect = {};
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr) return;
  GetWindowRect(control, rect);
  ScreenToClientRect(dialog, rect);
}

HWND CreateDialogToolWindows(HWND dialog) {
  CreateToolTipWindows(dialog);
  return CreateToolTipWindow(dialog);
}
