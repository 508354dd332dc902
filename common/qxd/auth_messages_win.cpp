#include <cstring>

#include "common/qxd/auth_messages.h"
#include "common/win/bind_export.h"
#include "common/win/ui_services.h"

namespace {

using StartupAndConnectFn = void*(WINAPI*)(HANDLE printer, void* docSettings, const char* address, int flag);
using CleanupFn = void(WINAPI*)(void* session);

}  // namespace

uint32_t CallHiddenStartupAndConnect(HMODULE module, HANDLE printer, const char* address, void* docSettings,
                                     char* errorName) {
  if (address == nullptr || address[0] == '\0' || module == nullptr) return 1;
  auto startup = BindExport<StartupAndConnectFn>(module, "OAPI_Hidden_StartupAndConnect");
  auto cleanup = BindExport<CleanupFn>(module, "OAPI_Cleanup");
  if (startup == nullptr || cleanup == nullptr) return 1;
  auto* session = static_cast<uint8_t*>(startup(printer, docSettings, address, 0));
  if (session == nullptr) return 1;
  uint32_t status;
  std::memcpy(&status, session + kAuthSessionStatusAt, sizeof status);
  const char* name;
  std::memcpy(&name, session + kAuthSessionErrorNameAt, sizeof name);
  if (errorName != nullptr) {
    std::memset(errorName, 0, kAuthErrorNameBytes);
    if (name != nullptr) std::memcpy(errorName, name, strnlen(name, kAuthErrorNameBytes - 1));
  }
  cleanup(session);
  return status;
}

bool ShowConnectionCheckResult(HWND owner, uint32_t status, const char* errorName) {
  const char16_t* text = FindMessageStr(status, errorName);
  if (text == nullptr) return false;
  const char16_t* caption = GetAuthMessageCaption(nullptr);
  CurrentUiServices().messageBox(owner, reinterpret_cast<const wchar_t*>(text),
                                 reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                                 MB_ICONINFORMATION);
  return true;
}
