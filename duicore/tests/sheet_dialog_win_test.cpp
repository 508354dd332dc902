// The document sheets as Wine's own common property-sheet library shows
// them for DocumentPropertiesW with a prompt on the installed printer: the
// session's pages with their titles from the sample model, and Cancel
// leaving the caller's DEVMODE as it was.  (The library never reports a
// result, so the OK path is tested with a stand-in library, see
// standin_compstui/.)
#include <windows.h>
#include <winspool.h>

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/records/settings_records.h"
#include "tests/support/test_printer_win.h"

namespace {

struct SheetSeen {
  std::vector<std::wstring> tabs;
  bool found = false;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM parameter) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETTABCONTROL, 0, 0));
  if (tabs == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(parameter) = window;
  return FALSE;
}

// Waits for the property sheet of this process, reads its tabs and presses
// its Cancel button.
void CancelSheetWhenShown(SheetSeen* seen) {
  for (int round = 0; round < 200 && !seen->found; ++round) {
    HWND sheet = nullptr;
    EnumWindows(&FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr) {
      Sleep(50);
      continue;
    }
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      seen->tabs.push_back(text);
    }
    seen->found = true;
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  }
}

TEST(SheetDialog, TheDocumentSheetsShowTheSessionsPages) {
  testsupport::TestPrinter printer(L"Dialog");
  ASSERT_TRUE(printer.ok()) << printer.error();
  std::vector<BYTE> out(kDriverDevModeSize, 0x5A);
  const WORD size = kDriverDevModeSize;
  std::memcpy(out.data() + offsetof(DEVMODEW, dmSize), &size, sizeof size);
  const std::vector<BYTE> before = out;

  SheetSeen seen;
  std::thread watcher(CancelSheetWhenShown, &seen);
  DocumentPropertiesW(nullptr, printer.handle(), const_cast<wchar_t*>(printer.name().c_str()),
                      reinterpret_cast<DEVMODEW*>(out.data()), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
  watcher.join();

  ASSERT_TRUE(seen.found) << "no property sheet was shown";
  ASSERT_GE(seen.tabs.size(), 3u);
  EXPECT_EQ(seen.tabs[0], L"Fax");
  EXPECT_EQ(seen.tabs[1], L"Basic");
  EXPECT_EQ(seen.tabs[2], L"Layout");
  EXPECT_TRUE(out == before);
}

}  // namespace
