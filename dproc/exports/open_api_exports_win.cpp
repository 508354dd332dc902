// The open-API session exports, bound by name by the user interface core
// and the device library's dialogs.
#include <windows.h>

#include "common/contracts/open_api.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"
#include "dproc/openapi/device_auth_queries_win.h"
#include "dproc/openapi/device_stamp_queries_win.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/startup/description_loader_win.h"

extern "C" {

OpenApiSession* WINAPI OAPI_StartupAndGetAuth(HANDLE printer, const char* address) {
  return GuardExport("OAPI_StartupAndGetAuth", static_cast<OpenApiSession*>(nullptr),
                     [&] { return StartupAndGetAuth(printer, address); });
}

OpenApiSession* WINAPI OAPI_StartupAndConnect(HWND owner, HANDLE printer, DocDMode* doc, const char* address,
                                              BOOL middleServer) {
  return GuardExport("OAPI_StartupAndConnect", static_cast<OpenApiSession*>(nullptr),
                     [&] { return StartupAndConnect(owner, printer, doc, address, middleServer != FALSE); });
}

OpenApiSession* WINAPI OAPI_Hidden_StartupAndConnect(HANDLE printer, DocDMode* doc, const char* address,
                                                     BOOL middleServer) {
  return GuardExport("OAPI_Hidden_StartupAndConnect", static_cast<OpenApiSession*>(nullptr),
                     [&] { return HiddenStartupAndConnect(printer, doc, address, middleServer != FALSE); });
}

int WINAPI OAPI_GetAuthType(OpenApiSession* session) { return GetAuthType(session); }

BOOL WINAPI OAPI_Cleanup(OpenApiSession* session) {
  CleanupSession(session);
  return TRUE;
}

BOOL WINAPI OAPI_GetAuthDevOption(HANDLE printer, const char* address, DevOption* option, BOOL* changed) {
  return GuardExport("OAPI_GetAuthDevOption", BOOL{FALSE}, [&] {
    return GetAuthDevOption(printer, address, option, g_description.deviceOptions, changed);
  });
}

BOOL WINAPI OAPI_GetEncryption(HWND owner, HANDLE printer, const char* address, DevOption* option, DocDMode* doc,
                               BOOL* received, char* out) {
  return GuardExport("OAPI_GetEncryption", BOOL{FALSE}, [&] {
    return GetEncryption(owner, printer, address, option, doc, received, out, g_description.deviceOptions);
  });
}

BOOL WINAPI OAPI_GetDeviceStampSettings(OpenApiSession* session, DeviceStampFlags* flags) {
  return GuardExport("OAPI_GetDeviceStampSettings", BOOL{FALSE},
                     [&] { return GetDeviceStampSettings(session, flags); });
}

BOOL WINAPI OAPI_GetRegisteredStamps(OpenApiSession* session, RegisteredStampList* list) {
  return GuardExport("OAPI_GetRegisteredStamps", BOOL{FALSE}, [&] { return GetRegisteredStamps(session, list); });
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&OAPI_StartupAndGetAuth), OapiStartupAndGetAuthFn>);
static_assert(std::is_same_v<decltype(&OAPI_StartupAndConnect), OapiStartupAndConnectFn>);
static_assert(std::is_same_v<decltype(&OAPI_Hidden_StartupAndConnect), OapiHiddenStartupAndConnectFn>);
static_assert(std::is_same_v<decltype(&OAPI_GetAuthType), OapiGetAuthTypeFn>);
static_assert(std::is_same_v<decltype(&OAPI_Cleanup), OapiCleanupFn>);
static_assert(std::is_same_v<decltype(&OAPI_GetEncryption), OapiGetEncryptionFn>);
static_assert(std::is_same_v<decltype(&OAPI_GetAuthDevOption), OapiGetAuthDevOptionFn>);
static_assert(std::is_same_v<decltype(&OAPI_GetDeviceStampSettings), OapiGetDeviceStampSettingsFn>);
static_assert(std::is_same_v<decltype(&OAPI_GetRegisteredStamps), OapiGetRegisteredStampsFn>);
