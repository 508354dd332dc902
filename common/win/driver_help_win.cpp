#include "common/win/driver_help.h"

#include <shellapi.h>

#include "common/win/module_path.h"
#include "common/win/ui_services.h"
#include "common/win/win_version.h"

namespace {
constexpr UINT kHtmlHelpContext = 0x000F;  // HH_HELP_CONTEXT
}

void ShowDriverHelpFile(HWND window, UINT command, ULONG_PTR data, bool htmlHelp) {
  wchar_t file[MAX_PATH];
  if (!SiblingFilePath(ModuleOfThisCode(), htmlHelp ? L"VELDRANX.CHM" : L"VELDRANX.HLP", file, MAX_PATH)) return;
  if (!htmlHelp) {
    CurrentUiServices().winHelp(window, file, command, data);
  } else if (command == HELP_CONTEXT || command == 15) {
    CurrentUiServices().htmlHelp(window, file, kHtmlHelpContext, data);
  }
}

void ShowDriverHelp(HWND window, UINT command, ULONG_PTR data) {
  ShowDriverHelpFile(window, command, data, IsVistaOrLater());
}

bool HandleDialogHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* helpIds) {
  if (message == WM_HELP) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    ShowDriverHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(helpIds));
    return true;
  }
  if (message == WM_CONTEXTMENU) {
    ShowDriverHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(helpIds));
    return true;
  }
  return false;
}

bool ShellOpen(HWND window, const wchar_t* file) {
  wchar_t directory[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryW(MAX_PATH, directory);
  if (length == 0 || length >= MAX_PATH) directory[0] = L'\0';
  HINSTANCE result = ShellExecuteW(window, L"open", file, nullptr, directory[0] ? directory : nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > 32;
}
