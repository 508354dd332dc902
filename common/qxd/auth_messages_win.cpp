#include <cstring>

#include "common/contracts/open_api.h"
#include "common/qxd/auth_messages.h"
#include "common/win/bind_export.h"
#include "common/win/ui_services.h"

namespace {


}  // namespace

uint32_t CallHiddenStartupAndConnect(HMODULE module, HANDLE printer, const char* address, void* docSettings,
                                     char* errorName) {
  if (address == nullptr || address[0] == '\0' || module == nullptr) return 1;
  auto startup = BindExport<OapiHiddenStartupAndConnectFn>(module, kOapiHiddenStartupAndConnect);
  auto cleanup = BindExport<OapiCleanupFn>(module, kOapiCleanup);
  if (startup == nullptr || cleanup == nullptr) return 1;
  OpenApiSession* session = startup(printer, static_cast<DocDMode*>(docSettings), address, FALSE);
  if (session == nullptr) return 1;
  const uint32_t status = session->status;
  const char* name = session->errorText;
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
