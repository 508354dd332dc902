#include "dproc/easyset/easy_set_combo_tip_win.h"

#include <commctrl.h>

#include <cstring>

#include "common/records/easy_set_record.h"

namespace {

constexpr UINT kTickMs = 100;
constexpr int kMaxTipWidth = 1024;

struct ComboTip {
  HWND combo = nullptr;
  HWND dialog = nullptr;
  HWND tip = nullptr;
  UINT_PTR timer = 0;
  int last = -1;
};
ComboTip g_tip;

void DestroyTip() {
  if (g_tip.tip != nullptr) DestroyWindow(g_tip.tip);
  g_tip.tip = nullptr;
}

void End() {
  DestroyTip();
  if (g_tip.dialog != nullptr && g_tip.timer != 0) KillTimer(g_tip.dialog, g_tip.timer);
  g_tip = ComboTip{};
}

// The comment of the entry's Easy Set; empty without one.
void CommentOf(HWND combo, int index, wchar_t (&text)[kEasySetCommentChars]) {
  text[0] = 0;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == CB_ERR || data == 0) return;
  const auto* node = reinterpret_cast<const EasySetNode*>(data);
  char16_t comment[kEasySetCommentChars];
  std::memcpy(comment, node->header.comment, sizeof comment);
  comment[kEasySetCommentChars - 1] = 0;
  for (size_t i = 0; i < kEasySetCommentChars; ++i) text[i] = static_cast<wchar_t>(comment[i]);
}

TOOLINFOW Tool(wchar_t* text) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = g_tip.dialog;
  tool.uId = 0;
  tool.lpszText = text;
  return tool;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  if (id != g_tip.timer || g_tip.combo == nullptr) return;
  HWND combo = g_tip.combo;
  const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  const bool changed = index != g_tip.last;
  g_tip.last = index;
  wchar_t comment[kEasySetCommentChars];
  if (index >= 0) CommentOf(combo, index, comment);
  if (index < 0 || comment[0] == 0) {
    DestroyTip();
    return;
  }
  // The entry's place in the dropped list.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RECT list{};
  const bool dropped = GetComboBoxInfo(combo, &info) && info.hwndList != nullptr && IsWindowVisible(info.hwndList);
  if (dropped) {
    GetWindowRect(info.hwndList, &list);
  } else {
    GetWindowRect(combo, &list);
    list.top = list.bottom;
  }
  const int topIndex = static_cast<int>(SendMessageW(combo, CB_GETTOPINDEX, 0, 0));
  int top = list.top;
  for (int i = topIndex; i < index; ++i) top += static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, i, 0));
  const int bottom = top + static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, index, 0));
  if (g_tip.tip == nullptr) {
    g_tip.tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_tip.dialog, nullptr, nullptr, nullptr);
    if (g_tip.tip == nullptr) return;
    TOOLINFOW tool = Tool(comment);
    SendMessageW(g_tip.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(g_tip.tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  } else if (changed) {
    TOOLINFOW tool = Tool(comment);
    SendMessageW(g_tip.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(g_tip.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  TOOLINFOW tool = Tool(comment);
  if (bottom <= list.bottom && index >= topIndex) {
    SendMessageW(g_tip.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(list.right, top));
    SendMessageW(g_tip.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(g_tip.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace

void EasySetComboTipCommand(HWND dialog, HWND combo, int code) {
  if (code == CBN_DROPDOWN) {
    End();
    g_tip.combo = combo;
    g_tip.dialog = dialog;
    g_tip.timer = SetTimer(dialog, static_cast<UINT_PTR>(GetDlgCtrlID(combo)) + GetTickCount(), kTickMs, Tick);
  } else if (code == CBN_CLOSEUP && g_tip.combo == combo) {
    End();
  }
}

void EndEasySetComboTip(HWND dialog) {
  if (g_tip.dialog == dialog) End();
}
