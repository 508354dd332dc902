#include <cstring>

#include "common/qxd/auth_messages.h"
#include "common/win/bind_export.h"
#include "common/win/ui_services.h"

namespace {

// What the hidden session hands back: the connection status at byte 800
// and, right after it at pointer alignment, the ASCII error name.
constexpr size_t kSessionStatusAt = 800;
constexpr size_t kSessionErrorNameAt = (kSessionStatusAt + 4 + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);
static_assert(sizeof(void*) != 8 || kSessionErrorNameAt == 808);
constexpr size_t kErrorNameBytes = 260;

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
  std::memcpy(&status, session + kSessionStatusAt, sizeof status);
  const char* name;
  std::memcpy(&name, session + kSessionErrorNameAt, sizeof name);
  if (errorName != nullptr) {
    std::memset(errorName, 0, kErrorNameBytes);
    if (name != nullptr) std::memcpy(errorName, name, strnlen(name, kErrorNameBytes - 1));
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
