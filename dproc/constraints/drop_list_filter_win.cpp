#include "dproc/constraints/drop_list_filter_win.h"

#include <commctrl.h>

#include <cwchar>

#include "dproc/model/feature_table.h"
#include "common/win/win_version.h"
#include "dproc/constraints/drop_reasons.h"
#include "dproc/constraints/hint_text.h"

namespace {

constexpr int kDoubleSidesControl = 1286;
constexpr UINT kReasonTimerMs = 100;

struct DropListState {
  HWND droppedCombo = nullptr;
  UINT_PTR reasonTimer = 0;
  HWND reasonTooltip = nullptr;
  LRESULT lastIndex = -1;
  LRESULT rememberedSelection = -1;
};
DropListState g_state;

bool IsComboBox(HWND window) {
  wchar_t name[16] = {};
  return window != nullptr && GetClassNameW(window, name, 16) > 0 && _wcsicmp(name, L"COMBOBOX") == 0;
}

void DestroyReasonTooltip() {
  if (g_state.reasonTooltip != nullptr) DestroyWindow(g_state.reasonTooltip);
  g_state.reasonTooltip = nullptr;
}

// The option value of an item: the two-sided list carries the codes of its
// options, the other lists the values.
int64_t ItemValue(HWND combo, int controlId, LRESULT index) {
  LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (controlId != kDoubleSidesControl) return static_cast<uint32_t>(data);
  for (const OptionHead* o = FindStaticOptionTable("DoubleSides"); o != nullptr && o->keyword[0] != '\0';
       o = NextOptionRow(o)) {
    if (o->size < sizeof(DuplexOptionItem)) break;
    if (static_cast<LRESULT>(reinterpret_cast<const DuplexOptionItem*>(o)->code) == data) return o->value;
  }
  return -1;
}

// The height of the items shown above `index` in the open list.
int ItemsAbove(HWND combo, LRESULT top, LRESULT index) {
  int sum = 0;
  for (LRESULT i = top; i >= 0 && i < index; ++i) {
    sum += static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0));
  }
  return sum;
}

TOOLINFOW ReasonTool(HWND dialog, wchar_t* text) {
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = dialog;
  tool.lpszText = text;
  return tool;
}

}  // namespace

HWND DropListReasonTooltip() { return g_state.reasonTooltip; }

void ComboDropListFilter(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    HWND first = GetWindow(dialog, GW_CHILD);
    for (HWND child = first; child != nullptr;) {
      if (IsComboBox(child) && (GetWindowLongW(child, GWL_STYLE) & 3) != 0) {
        SendMessageW(child, CB_SETEXTENDEDUI, TRUE, 0);
      }
      child = GetWindow(child, GW_HWNDNEXT);
      if (child == first) break;
    }
    return;
  }
  if (message != WM_COMMAND) return;
  const int controlId = LOWORD(wParam);
  switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
      MoveCursorToSelection(dialog, controlId);
      break;
    case CBN_DROPDOWN:
      g_state.droppedCombo = GetDlgItem(dialog, controlId);
      g_state.reasonTimer = SetTimer(dialog, static_cast<UINT_PTR>(controlId), kReasonTimerMs, ShowDropListReasonTip);
      break;
    case CBN_CLOSEUP:
      g_state.droppedCombo = nullptr;
      DestroyReasonTooltip();
      KillTimer(dialog, g_state.reasonTimer);
      g_state.reasonTimer = 0;
      break;
    default: break;
  }
  KeepComboSelection(dialog, wParam, lParam);
}

void CALLBACK ShowDropListReasonTip(HWND dialog, UINT, UINT_PTR, DWORD) {
  HWND combo = g_state.droppedCombo;
  if (combo == nullptr) return;
  LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  bool changed = false;
  if (index != g_state.lastIndex) {
    changed = true;
    g_state.lastIndex = index;
  }
  if (index < 0) {
    DestroyReasonTooltip();
    return;
  }
  const int controlId = GetDlgCtrlID(combo);
  DropReasonNode* node = FindDropReason(static_cast<uint32_t>(controlId),
                                        static_cast<uint32_t>(ItemValue(combo, controlId, index)));
  if (node == nullptr || node->text[0] == 0) {
    DestroyReasonTooltip();
    return;
  }
  ExpandNewlineEscapes(node->text);
  auto* text = reinterpret_cast<wchar_t*>(node->text);

  // Beside the open list, level with the item; the list of this combo box
  // is asked of the combo box itself.
  const int above = ItemsAbove(combo, SendMessageW(combo, CB_GETTOPINDEX, 0, 0), index);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  RECT r;
  int x, y;
  if (GetComboBoxInfo(combo, &info) && info.hwndList != nullptr && IsWindowVisible(info.hwndList)) {
    GetWindowRect(info.hwndList, &r);
    x = r.right;
    y = r.top + above;
  } else {
    GetWindowRect(combo, &r);
    x = r.right;
    y = r.bottom + above;
  }

  TOOLINFOW tool = ReasonTool(dialog, text);
  if (g_state.reasonTooltip == nullptr) {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    g_state.reasonTooltip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, dialog, nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)),
                        nullptr);
    if (g_state.reasonTooltip == nullptr) return;
    SendMessageW(g_state.reasonTooltip, TTM_SETMAXTIPWIDTH, 0, 1024);
    SendMessageW(g_state.reasonTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(g_state.reasonTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    changed = false;
  }
  if (changed) {
    SendMessageW(g_state.reasonTooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(g_state.reasonTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(g_state.reasonTooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  SendMessageW(g_state.reasonTooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void KeepComboSelection(HWND, WPARAM wParam, LPARAM lParam) {
  HWND combo = reinterpret_cast<HWND>(lParam);
  if (!IsComboBox(combo) || SendMessageW(combo, CB_GETEXTENDEDUI, 0, 0) == 0) return;
  switch (HIWORD(wParam)) {
    case CBN_DROPDOWN: g_state.rememberedSelection = SendMessageW(combo, CB_GETCURSEL, 0, 0); break;
    case CBN_SELENDCANCEL:
      if (g_state.rememberedSelection >= 0) {
        PostMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(g_state.rememberedSelection), 0);
        g_state.rememberedSelection = -1;
      }
      break;
    case CBN_SELENDOK: g_state.rememberedSelection = -1; break;
    default: break;
  }
}

void MoveCursorToSelection(HWND dialog, int controlId) {
  if (GetWinVersionClass() > kWinNT4) return;  // newer systems keep the cursor on the list themselves
  HWND combo = GetDlgItem(dialog, controlId);
  if (combo == nullptr || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) return;
  const LRESULT top = SendMessageW(combo, CB_GETTOPINDEX, 0, 0);
  const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (top < 0) return;
  const int above = top < selection ? ItemsAbove(combo, top, selection) : 0;
  POINT cursor;
  GetCursorPos(&cursor);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  RECT r;
  int y;
  if (GetComboBoxInfo(combo, &info) && info.hwndList != nullptr) {
    GetWindowRect(info.hwndList, &r);
    if (!PtInRect(&r, cursor)) return;
    y = r.top + above;
  } else {
    GetWindowRect(combo, &r);
    y = r.bottom + above;
  }
  const int height = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(selection), 0));
  SetCursorPos(cursor.x, y + height / 4);
}
