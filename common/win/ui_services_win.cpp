#include "common/win/ui_services.h"

#include "common/win/bind_export.h"

namespace {

int SystemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
  return MessageBoxW(owner, text, caption, style);
}

BOOL SystemWinHelp(HWND window, const wchar_t* file, UINT command, ULONG_PTR data) {
  return WinHelpW(window, file, command, data);
}

// The HTML help viewer is bound at first use: it is not one of the
// libraries every process has loaded.
HWND SystemHtmlHelp(HWND window, const wchar_t* file, UINT command, DWORD_PTR data) {
  using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  static HtmlHelpFn bound = nullptr;
  if (bound == nullptr) {
    HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    if (library == nullptr) return nullptr;
    bound = BindExport<HtmlHelpFn>(library, "HtmlHelpW");
    if (bound == nullptr) return nullptr;
  }
  return bound(window, file, command, data);
}

const UiServices kSystem = {SystemMessageBox, SystemWinHelp, SystemHtmlHelp};
const UiServices* g_current = &kSystem;

}  // namespace

const UiServices* SetUiServices(const UiServices* services) {
  const UiServices* previous = g_current;
  g_current = services != nullptr ? services : &kSystem;
  return previous;
}

const UiServices& CurrentUiServices() { return *g_current; }
