#include "dproc/dialogs/sheet_tab_tips_win.h"

#include <commctrl.h>
#include <prsht.h>

#include "dproc/startup/sheet_tab_tips.h"

void CreateSheetTabTips(HWND sheet) {
  HWND frame = GetParent(sheet);
  HWND tabs = frame != nullptr ? reinterpret_cast<HWND>(SendMessageW(frame, PSM_GETTABCONTROL, 0, 0)) : nullptr;
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  if (tabs == nullptr || SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0) != 0) return;
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, frame, nullptr, nullptr, nullptr);
  if (tooltip == nullptr) return;
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
  SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 1024);
  SendMessageW(tabs, TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip), 0);
  AddSheetTabTips(tabs);
}

void AddSheetTabTips(HWND tabs) {
  HWND tooltip = reinterpret_cast<HWND>(SendMessageW(tabs, TCM_GETTOOLTIPS, 0, 0));
  if (tooltip == nullptr) return;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = tabs;
    tool.uId = static_cast<UINT_PTR>(i);
    if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool.rect))) continue;
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    for (const TabTipEntry* row = g_sheetTabTips; row->section[0] != '\0'; ++row) {
      size_t k = 0;
      while (k < 48 && row->title[k] != 0 && static_cast<wchar_t>(row->title[k]) == text[k]) ++k;
      if (k >= 48 || row->title[k] != 0 || text[k] != 0) continue;
      tool.lpszText = reinterpret_cast<wchar_t*>(const_cast<char16_t*>(row->tipText));
      SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      break;
    }
  }
}
