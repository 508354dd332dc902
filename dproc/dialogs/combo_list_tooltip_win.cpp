#include "dproc/dialogs/combo_list_tooltip_win.h"

#include <commctrl.h>

#include "common/win/sheet_context_records_win.h"
#include "dproc/sheets/ui_state_layout.h"

static_assert(sizeof(ComboTipUiState) <= kUiStateComboTipBytes);

namespace {

constexpr size_t kItemTextChars = 255;

void FillTool(TOOLINFOW* tool, HWND combo) {
  *tool = {};
  tool->cbSize = sizeof(TOOLINFOW);
  tool->uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool->hwnd = combo;
}

// The context of the sheet that holds the combo box.
SheetCtx* CtxOfCombo(HWND combo) {
  HWND dialog = GetParent(combo);
  return dialog != nullptr ? reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)) : nullptr;
}

}  // namespace

ComboTipUiState* ComboTipStateOf(SheetCtx* ctx) {
  SheetUiState* state = ctx != nullptr ? GetUIState(ctx) : nullptr;
  return state != nullptr ? reinterpret_cast<ComboTipUiState*>(state->bytes + kUiStateComboTipAt) : nullptr;
}

void InstallComboListTooltip(HWND dialog, SheetCtx* ctx, int comboId) {
  ComboTipUiState* state = ComboTipStateOf(ctx);
  HWND combo = GetDlgItem(dialog, comboId);
  if (state == nullptr || combo == nullptr || state->previous != nullptr) return;
  state->comboId = static_cast<uint32_t>(comboId);
  state->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ComboListTooltipProc)));
}

void CloseComboListTooltip(SheetCtx* ctx) {
  ComboTipUiState* state = ComboTipStateOf(ctx);
  if (state == nullptr || state->tooltip == nullptr) return;
  DestroyWindow(state->tooltip);
  state->tooltip = nullptr;
}

void RemoveComboListTooltip(HWND dialog, SheetCtx* ctx) {
  CloseComboListTooltip(ctx);
  ComboTipUiState* state = ComboTipStateOf(ctx);
  if (state == nullptr || state->previous == nullptr) return;
  HWND combo = GetDlgItem(dialog, static_cast<int>(state->comboId));
  if (combo != nullptr) SetWindowLongPtrW(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->previous));
  state->previous = nullptr;
  state->comboId = 0;
}

LRESULT CALLBACK ComboListTooltipProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboTipUiState* state = ComboTipStateOf(CtxOfCombo(combo));
  if (state == nullptr || state->previous == nullptr) {
    // The sheet's state is gone: the combo box's class serves it.
    const auto own = reinterpret_cast<WNDPROC>(GetClassLongPtrW(combo, GCLP_WNDPROC));
    return own != nullptr ? CallWindowProcW(own, combo, message, wParam, lParam)
                          : DefWindowProcW(combo, message, wParam, lParam);
  }
  if (message == WM_CTLCOLORLISTBOX) {
    if (state->tooltip == nullptr) {
      state->tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, combo, nullptr, nullptr, nullptr);
      if (state->tooltip != nullptr) {
        TOOLINFOW tool;
        FillTool(&tool, combo);
        SendMessageW(state->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      }
    }
    if (state->tooltip != nullptr) TrackItemTextTip(combo, reinterpret_cast<HWND>(lParam), state->tooltip);
  }
  return CallWindowProcW(state->previous, combo, message, wParam, lParam);
}

void TrackItemTextTip(HWND combo, HWND list, HWND tooltip) {
  TOOLINFOW tool;
  FillTool(&tool, combo);
  const LRESULT height = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  const LRESULT top = SendMessageW(combo, CB_GETTOPINDEX, 0, 0);
  const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  RECT box = {}, open = {};
  GetWindowRect(combo, &box);
  const bool listShown = list != nullptr && GetWindowRect(list, &open) != FALSE;
  const LONG x = box.right;
  const LONG y = box.bottom + static_cast<LONG>((selection - top) * height);
  const LRESULT length = selection >= 0 ? SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0) : -1;
  if (!listShown || height <= 0 || selection < 0 || length < 0 || length > static_cast<LRESULT>(kItemTextChars) ||
      y < open.top || y > open.bottom - height) {
    SendMessageW(tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  SendMessageW(tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  wchar_t text[kItemTextChars + 1] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text));
  SendMessageW(tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}
