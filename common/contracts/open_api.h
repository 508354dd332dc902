// The device's authentication interface, the open API: the outside library
// VELDRANV (loaded beside VELDRANA for each session, its thirteen functions
// bound by name, all or none), the records those calls fill, and the
// session exports of VELDRANA that other libraries bind by name.
//
// Every record here has a fixed layout; the session record is read by the
// user interface core, so both libraries of one processor type include this
// one definition.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The interface version both sides agree on.  The floating-point arguments
// of the library are doubles.
using OpenApiVersion = double;
inline constexpr OpenApiVersion kOpenApiVersion = 31.07;

// Status values of the library: 0 success; 4 the library holds an error
// text (OAPIGetErrorDetail); anything else a failure without text.
inline constexpr uint32_t kOpenApiOk = 0;
inline constexpr uint32_t kOpenApiErrorText = 4;

#pragma pack(push, 1)

// Filled by OAPIConfigurationCheck.
struct OpenApiConfigInfo {
  uint16_t port;
  uint8_t mode;      // the connection mode
  uint8_t refused;   // non-zero: the device refuses the open API
};
static_assert(sizeof(OpenApiConfigInfo) == 4);

inline constexpr size_t kOpenApiServers = 20;
inline constexpr size_t kOpenApiServerNameBytes = 32;
struct OpenApiServerEntry {
  int16_t number;
  char name[kOpenApiServerNameBytes];  // UTF-8; not always terminated
};
static_assert(sizeof(OpenApiServerEntry) == 34);

// Filled by OAPIGetAuthCapability.
struct OpenApiCapability {
  uint8_t unused[16];
  char authType[32];       // "None", "Server", "Device", "MiddleServer"
  int16_t serverCount;     // entries of `servers` in use (at most 20 are read)
  OpenApiServerEntry servers[kOpenApiServers];
  char accountTrack[32];   // "None", "AccountPassword", "Password", "OnWithUserAuthentication"
  uint8_t publicLogin;     // non-zero: a Public-user login passes no login record
  uint8_t unused2;
  uint32_t middleServerSettingNumber;
};
static_assert(offsetof(OpenApiCapability, authType) == 16);
static_assert(offsetof(OpenApiCapability, serverCount) == 48);
static_assert(offsetof(OpenApiCapability, servers) == 50);
static_assert(offsetof(OpenApiCapability, accountTrack) == 730);
static_assert(offsetof(OpenApiCapability, publicLogin) == 762);
static_assert(offsetof(OpenApiCapability, middleServerSettingNumber) == 764);
static_assert(sizeof(OpenApiCapability) == 768);

// Filled by OAPIGetPrinterEncryptionSetting.
struct EncryptionInfo {
  char kind[32];  // "FactoryDefault", "UserDefined", "Unidentified"
  char key[32];   // the key text; callers take at most 20 characters
};
static_assert(sizeof(EncryptionInfo) == 64);

// The middle server's input items, as OAPIGetMiddleServerSetting fills them
// (texts UTF-8, terminated).  Only the part of an item's kind is meaningful.
struct MiddleServerItem {
  uint8_t itemByte;
  char label[64];
  char description[256];
  char key[32];
  uint8_t display;   // 2 hides the item
  uint8_t input;     // 1 needed, 2 hidden, 3 required, 4 disabled
  char shortText[8];
  uint8_t kind;      // 1 to 10
  uint8_t kindPart[8516 - 364];
};
static_assert(offsetof(MiddleServerItem, key) == 321);
static_assert(offsetof(MiddleServerItem, display) == 353);
static_assert(offsetof(MiddleServerItem, kind) == 363);
static_assert(sizeof(MiddleServerItem) == 8516);

inline constexpr size_t kMiddleServerSettingItems = 100;
struct MiddleServerSetting {
  char head[32];
  int16_t itemCount;
  uint8_t unused[2];
  MiddleServerItem items[kMiddleServerSettingItems];
  char tail[936];
};
static_assert(offsetof(MiddleServerSetting, items) == 36);
static_assert(offsetof(MiddleServerSetting, tail) == 851636);
static_assert(sizeof(MiddleServerSetting) == 852572);

// Filled by OAPIGetDevicePermanentSetting with kind 5.
inline constexpr uint32_t kPermanentSettingKindHeaderFooter = 5;
inline constexpr uint32_t kPermanentSettingKindStamp = 4;
inline constexpr size_t kPermanentSettingEntries = 20;
struct PermanentSettingEntry {
  char enable[34];      // "On" makes the entry count
  char name[1000 - 34]; // UTF-8, terminated inside the field when it counts
};
struct PermanentSettingBlock {
  int16_t count;
  uint8_t unused[2];
  PermanentSettingEntry entries[kPermanentSettingEntries];
};
static_assert(sizeof(PermanentSettingEntry) == 1000);
static_assert(sizeof(PermanentSettingBlock) == 20004);

// Filled by OAPIGetDevicePermanentSetting with kind 4: the stamps the
// device itself prints on every page.  Only four places are read; the rest
// belongs to the library.
inline constexpr size_t kDeviceStampBlockBytes = 2828;
inline constexpr size_t kDeviceStampDateTimeAt = 348;      // byte, 1: on
inline constexpr size_t kDeviceStampPageNumberAt = 624;    // byte, 1: on
inline constexpr size_t kDeviceStampCopyProtectAt = 1088;  // "On" and its terminator: on
inline constexpr size_t kDeviceStampHeaderFooterAt = 1652; // "On" and its terminator: on
struct DeviceStampBlock {
  uint8_t bytes[kDeviceStampBlockBytes];
};
static_assert(sizeof(DeviceStampBlock) == 2828);

// The request of OAPIGetFileInfo (kind 6): four u32 (0, 1, 8, 0); the
// answer fills 388 bytes: the stamps registered at the device.
inline constexpr uint32_t kOpenApiFileInfoKind = 6;
struct OpenApiFileRequest {
  uint32_t value[4];
};
inline constexpr size_t kOpenApiFileInfoBytes = 388;
inline constexpr size_t kRegisteredStampSlots = 8;
inline constexpr size_t kRegisteredStampNameBytes = 43;
struct RegisteredStampEntry {
  uint32_t number;     // 1 to 8
  uint8_t registered;  // non-zero: the device holds this stamp
  char name[kRegisteredStampNameBytes];  // UTF-8; not always terminated
};
struct RegisteredStampAnswer {
  uint32_t count;  // entries in use; the driver reads at most 8
  RegisteredStampEntry entries[kRegisteredStampSlots];
};
static_assert(sizeof(RegisteredStampEntry) == 48);
static_assert(offsetof(RegisteredStampAnswer, entries) == 4);
static_assert(sizeof(RegisteredStampAnswer) == kOpenApiFileInfoBytes);

#pragma pack(pop)

// One login: a named user (mode 0) or a Public user (mode 2); the texts are
// UTF-8 and belong to the caller.
inline constexpr uint32_t kOpenApiLoginNamed = 0;
inline constexpr uint32_t kOpenApiLoginPublic = 2;
struct OpenApiLoginRecord {
  uint32_t mode;
  const char* user;
  const char* password;
  const char* department;
  const char* departmentPassword;
  uint16_t server;
  const char* empty;  // ""
};

// A middle-server login: the user's answers to the server's input items.
inline constexpr size_t kMiddleServerLoginItems = 10;
inline constexpr size_t kMiddleServerLoginValues = 20;
struct MiddleServerLoginItem {
  char* key;
  int16_t valueCount;  // 1 when the item's kind has a value, else 0
  char* values[kMiddleServerLoginValues];  // only the first is used
};
struct MiddleServerLoginList {
  char* tail;
  int16_t count;
  MiddleServerLoginItem items[kMiddleServerLoginItems];
};

// The thirteen functions of VELDRANV.
using OAPIConfigurationCheckFn = uint32_t(WINAPI*)(OpenApiVersion reserved, OpenApiVersion version,
                                                   const char* address, OpenApiConfigInfo* config);
using OAPIAccessInitFn = void*(WINAPI*)(OpenApiVersion reserved, uint32_t zero1, uint32_t zero2, const char* address,
                                        uint16_t port, uint8_t mode);
using OAPIGetAuthCapabilityFn = uint32_t(WINAPI*)(void* handle, OpenApiCapability* capability);
using OAPIGetMiddleServerSettingFn = uint32_t(WINAPI*)(void* handle, const char* language,
                                                       MiddleServerSetting* setting);
using OAPILoginFn = uint32_t(WINAPI*)(void* handle, const OpenApiLoginRecord* record, const char* head,
                                      const MiddleServerLoginList* list);
using OAPILogoutFn = uint32_t(WINAPI*)(void* handle);
using OAPIAccessEndFn = uint32_t(WINAPI*)(void* handle);
using OAPIGetErrorDetailFn = const char*(WINAPI*)(void* handle);
using OAPIGetPrinterEncryptionSettingFn = uint32_t(WINAPI*)(void* handle, EncryptionInfo* info);
using OAPIGetDevicePermanentSettingFn = uint32_t(WINAPI*)(void* handle, uint32_t kind, void* block);
using OAPIGetFileInfoFn = uint32_t(WINAPI*)(void* handle, uint32_t kind, const OpenApiFileRequest* request,
                                            void* block);
using OAPIGetDeviceInfoFn = uint32_t(WINAPI*)(void* handle);
using OAPIGetDeviceInfoDetailFn = uint32_t(WINAPI*)(void* handle);

inline constexpr wchar_t kOpenApiLibraryName[] = L"VELDRANV.DLL";
inline constexpr const char* kOpenApiFunctionNames[13] = {
    "OAPIConfigurationCheck",   "OAPIAccessInit",
    "OAPIGetAuthCapability",    "OAPIGetMiddleServerSetting",
    "OAPILogin",                "OAPILogout",
    "OAPIAccessEnd",            "OAPIGetErrorDetail",
    "OAPIGetPrinterEncryptionSetting", "OAPIGetDevicePermanentSetting",
    "OAPIGetFileInfo",          "OAPIGetDeviceInfo",
    "OAPIGetDeviceInfoDetail"};

// One open-API session, from a start-up export of VELDRANA until
// OAPI_Cleanup.  The user interface core reads `status` and `errorText`.
struct OpenApiSession {
  HMODULE library;
  uint32_t loggedIn;
  void* handle;
  OpenApiConfigInfo config;
  OpenApiCapability capability;
  uint16_t port;
  uint8_t mode;
  uint32_t status;        // of the session's last library call
  const char* errorText;  // the library's text after status 4, else ""
};
#ifdef _WIN64
static_assert(offsetof(OpenApiSession, handle) == 16 && offsetof(OpenApiSession, capability) == 28);
static_assert(offsetof(OpenApiSession, status) == 800 && offsetof(OpenApiSession, errorText) == 808);
#else
static_assert(offsetof(OpenApiSession, handle) == 8 && offsetof(OpenApiSession, capability) == 16);
static_assert(offsetof(OpenApiSession, status) == 788 && offsetof(OpenApiSession, errorText) == 792);
#endif

// Authentication type codes (OAPI_GetAuthType) and account-track codes.
enum OpenApiAuthType : int { kAuthTypeUnknown = 0, kAuthTypeNone = 1, kAuthTypeServer = 2, kAuthTypeDevice = 3,
                             kAuthTypeMiddleServer = 4 };

// The session exports of VELDRANA.
struct DevOption;
struct DocDMode;
using OapiStartupAndGetAuthFn = OpenApiSession*(WINAPI*)(HANDLE printer, const char* address);
using OapiStartupAndConnectFn = OpenApiSession*(WINAPI*)(HWND owner, HANDLE printer, DocDMode* doc,
                                                         const char* address, BOOL middleServer);
using OapiHiddenStartupAndConnectFn = OpenApiSession*(WINAPI*)(HANDLE printer, DocDMode* doc, const char* address,
                                                               BOOL middleServer);
using OapiGetAuthTypeFn = int(WINAPI*)(OpenApiSession* session);
using OapiCleanupFn = BOOL(WINAPI*)(OpenApiSession* session);
using OapiGetEncryptionFn = BOOL(WINAPI*)(HWND owner, HANDLE printer, const char* address, DevOption* option,
                                          DocDMode* doc, BOOL* received, char* out);
inline constexpr char kOapiStartupAndGetAuth[] = "OAPI_StartupAndGetAuth";
inline constexpr char kOapiStartupAndConnect[] = "OAPI_StartupAndConnect";
inline constexpr char kOapiHiddenStartupAndConnect[] = "OAPI_Hidden_StartupAndConnect";
inline constexpr char kOapiGetAuthType[] = "OAPI_GetAuthType";
inline constexpr char kOapiCleanup[] = "OAPI_Cleanup";
inline constexpr char kOapiGetEncryption[] = "OAPI_GetEncryption";

// What the device prints by itself on every page (kind 4), as four flags.
struct DeviceStampFlags {
  uint32_t copyProtect;   // the device's copy-protect pattern is on
  uint32_t headerFooter;  // its header/footer is on
  uint32_t pageNumber;    // its page number is on
  uint32_t dateTime;      // its date and time are on
};
static_assert(sizeof(DeviceStampFlags) == 16);

// The stamps registered at the device (kind 6), checked and converted: at
// most 8, each with its number as the device gave it (entries whose number
// is not 1 to 8 are left out) and its name in UTF-16, terminated, at most
// 31 characters, never cut inside a character.
struct RegisteredStamp {
  uint32_t number;      // 1 to 8: the device's stamp of that position
  uint32_t registered;  // 1: the device holds it
  wchar_t name[32];
};
struct RegisteredStampList {
  uint32_t count;  // 0 to 8
  RegisteredStamp stamps[kRegisteredStampSlots];
};
static_assert(sizeof(RegisteredStamp) == 72 && sizeof(RegisteredStampList) == 580);

// OAPI_GetDeviceStampSettings(session, flags): on a session that
// OAPI_StartupAndConnect opened, asks the device's stamp settings
// (OAPIGetDevicePermanentSetting, kind 4, 2,828 bytes).  TRUE when the device
// answered; `flags` is then filled, otherwise all zero.  The session keeps
// the library's status and, after status 4, its error text.
//
// OAPI_GetRegisteredStamps(session, list): on such a session asks the
// stamps registered at the device (OAPIGetFileInfo, kind 6, request 0, 1, 8,
// 0, 388 bytes).  `list` is always filled from the answer, which a failed
// call leaves empty (count 0), so a caller refreshes its stamp rows
// whatever the result; TRUE when the device answered.
//
// A caller runs, for example:
//   session = OAPI_StartupAndConnect(dialog, printer, doc, address, middle);
//   if (session) { OAPI_GetRegisteredStamps(session, &list); OAPI_Cleanup(session); }
// Both return FALSE at once for a null session or output.
using OapiGetDeviceStampSettingsFn = BOOL(WINAPI*)(OpenApiSession* session, DeviceStampFlags* flags);
using OapiGetRegisteredStampsFn = BOOL(WINAPI*)(OpenApiSession* session, RegisteredStampList* list);
inline constexpr char kOapiGetDeviceStampSettings[] = "OAPI_GetDeviceStampSettings";
inline constexpr char kOapiGetRegisteredStamps[] = "OAPI_GetRegisteredStamps";
