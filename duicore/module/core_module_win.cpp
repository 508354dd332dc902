#include "duicore/module/core_module_win.h"

#include <cwchar>

#include "common/win/bind_export.h"
#include "common/win/drv_trace.h"
#include "common/win/win_version.h"
#include "duicore/module/os_version_class.h"

namespace {

HMODULE g_module = nullptr;
HANDLE g_actCtx = INVALID_HANDLE_VALUE;
HMODULE g_uiProc = nullptr;

// The length of the core's own file name, "VELDRANK.DLL".
constexpr size_t kOwnFileNameLength = 12;

HMODULE LoadSibling(const wchar_t* fileName) {
  wchar_t path[MAX_PATH];
  if (!CoreSiblingPath(fileName, path, MAX_PATH)) return nullptr;
  CoreActivation activation;
  HMODULE module = LoadLibraryW(path);
  if (module == nullptr) DRV_TRACE("VELDRANK: %ls did not load (%lu)", fileName, GetLastError());
  return module;
}

}  // namespace

HMODULE CoreModule() { return g_module; }
void SetCoreModule(HMODULE module) { g_module = module; }

void CreateCoreActivationContext() {
  if (g_actCtx == INVALID_HANDLE_VALUE) g_actCtx = CreateModuleActivationContext(g_module);
}

void ReleaseCoreActivationContext() {
  if (g_actCtx != INVALID_HANDLE_VALUE) ReleaseActCtx(g_actCtx);
  g_actCtx = INVALID_HANDLE_VALUE;
}

CoreActivation::CoreActivation() : ActivationScope(g_actCtx) {}

bool ReplaceOwnFileName(const wchar_t* ownPath, const wchar_t* fileName, wchar_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  out[0] = L'\0';
  if (ownPath == nullptr || fileName == nullptr) return false;
  const size_t length = std::wcslen(ownPath);
  if (length < kOwnFileNameLength) return false;
  const size_t keep = length - kOwnFileNameLength;
  const size_t name = std::wcslen(fileName);
  if (keep + name + 1 > capacity) return false;
  std::wmemcpy(out, ownPath, keep);
  std::wmemcpy(out + keep, fileName, name + 1);
  return true;
}

bool CoreSiblingPath(const wchar_t* fileName, wchar_t* out, size_t capacity) {
  wchar_t own[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(g_module, own, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) {
    if (out != nullptr && capacity != 0) out[0] = L'\0';
    return false;
  }
  return ReplaceOwnFileName(own, fileName, out, capacity);
}

HMODULE LoadUiProcModule() {
  if (g_uiProc == nullptr) g_uiProc = LoadSibling(L"VELDRANA.DLL");
  return g_uiProc;
}

void FreeUiProcModule(bool processEnding) {
  // When the process ends, the loader has already dealt with every library;
  // only a library being unloaded frees what it loaded.
  if (g_uiProc != nullptr && !processEnding) FreeLibrary(g_uiProc);
  g_uiProc = nullptr;
}

HMODULE LoadDevProcModule() { return LoadSibling(L"VELDRANH.DLL"); }

LONG CallCommonPropertySheetUI(HWND parent, void* sheetFunction, LPARAM parameter, DWORD* result) {
  return CallCommonPropertySheetUIIn(L"compstui.dll", parent, sheetFunction, parameter, result);
}

LONG CallCommonPropertySheetUIIn(const wchar_t* libraryName, HWND parent, void* sheetFunction, LPARAM parameter,
                                 DWORD* result) {
  using CommonPropertySheetUIFn = LONG(WINAPI*)(HWND, void*, LPARAM, LPDWORD);
  CoreActivation activation;
  HMODULE library = LoadLibraryW(libraryName);
  if (library == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return -1;
  }
  auto call = BindExport<CommonPropertySheetUIFn>(library, "CommonPropertySheetUIW");
  if (call == nullptr) {
    FreeLibrary(library);
    SetLastError(ERROR_PROC_NOT_FOUND);
    return -1;
  }
  const LONG answer = call(parent, sheetFunction, parameter, result);
  FreeLibrary(library);
  return answer;
}

int GetOsVersionClass() {
  OSVERSIONINFOW info;
  if (!QueryWindowsVersion(&info)) return kOsClassOther;
  return OsVersionClassOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

DWORD WindowsMajorVersion() {
  OSVERSIONINFOW info;
  return QueryWindowsVersion(&info) ? info.dwMajorVersion : 0;
}

void BroadcastDevModeChange(const wchar_t* printerName) {
  constexpr UINT kTimeout = 5000;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(printerName), SMTO_ABORTIFHUNG,
                      kTimeout, &ignored);
}
