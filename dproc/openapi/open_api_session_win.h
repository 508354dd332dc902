// The open-API session with the device through the outside library
// VELDRANV: start-up, login with the user's stored credentials, the
// synchronisation of the middle-server cache, and the end of the session.
// Only one session is open at a time in a process: the library's function
// pointers belong to it.
#pragma once

#include <windows.h>

#include "common/contracts/open_api.h"
#include "common/records/settings_records.h"

// The library's thirteen functions while a session is open (all null
// otherwise).
struct OpenApiFunctions {
  OAPIConfigurationCheckFn configurationCheck;
  OAPIAccessInitFn accessInit;
  OAPIGetAuthCapabilityFn getAuthCapability;
  OAPIGetMiddleServerSettingFn getMiddleServerSetting;
  OAPILoginFn login;
  OAPILogoutFn logout;
  OAPIAccessEndFn accessEnd;
  OAPIGetErrorDetailFn getErrorDetail;
  OAPIGetPrinterEncryptionSettingFn getPrinterEncryptionSetting;
  OAPIGetDevicePermanentSettingFn getDevicePermanentSetting;
  OAPIGetFileInfoFn getFileInfo;
  OAPIGetDeviceInfoFn getDeviceInfo;
  OAPIGetDeviceInfoDetailFn getDeviceInfoDetail;
};
const OpenApiFunctions& OpenApi();

// The library file looked for: null puts back the file beside this library
// (tests name a stand-in of their own).
void SetOpenApiLibraryPath(const wchar_t* path);

HMODULE BindOpenApiLibrary();
void UnbindOpenApiLibrary(HMODULE module);

// Keeps `status` as the session's last status and its error text: the
// library's text for status 4, else "".
void SetSessionStatus(OpenApiSession* session, uint32_t status);

OpenApiSession* StartupAndGetAuth(HANDLE printer, const char* address);
OpenApiSession* StartupAndConnect(HWND owner, HANDLE printer, DocDMode* doc, const char* address, bool middleServer);
OpenApiSession* HiddenStartupAndConnect(HANDLE printer, DocDMode* doc, const char* address, bool middleServer);
int GetAuthType(const OpenApiSession* session);
int GetAccountTrackType(const OpenApiSession* session);
void CleanupSession(OpenApiSession* session);

// The login list made from the document's stored middle-server answers;
// null when memory is short.
MiddleServerLoginList* BuildMiddleServerLoginList(HANDLE printer, const uint8_t* values);
void FreeMiddleServerLoginList(MiddleServerLoginList* list);
