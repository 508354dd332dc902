#include "dproc/openapi/open_api_session_win.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/middle_server_values.h"
#include "common/win/module_path.h"
#include "common/win/text_helpers.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/openapi/open_api_texts.h"
#include "dproc/sheets/message_box.h"

namespace {

OpenApiFunctions g_functions{};
std::wstring g_libraryPath;

constexpr int kLoginFailedText = 441;
constexpr int kLoginFailedTitle = 8;

const char kEmpty[] = "";

bool HasInterimAuthentication() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[kMfInterimAuthentic] != 0;
}

// A zero-filled global-heap copy of a narrow text; null for null or when
// memory is short.
char* DupGlobalText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t n = std::strlen(text);
  auto* copy = static_cast<char*>(GlobalAlloc(GPTR, n + 1));
  if (copy != nullptr) std::memcpy(copy, text, n);
  return copy;
}

// The stored credentials of the document settings, deciphered, as UTF-8.
struct Credentials {
  char user[243] = {}, password[243] = {}, department[27] = {}, departmentPassword[219] = {};
  uint8_t userType = 0;
  uint16_t server = 0;
};

void ReadCredentials(HANDLE printer, const DocDMode& doc, Credentials* c) {
  const DocFields& f = Fields(doc);
  c->userType = f.byUserType;
  c->server = static_cast<uint16_t>(f.nServerSetting);
  char ansi[243] = {};
  char16_t name[81] = {};
  std::memcpy(name, f.szAuthUserName, sizeof name - sizeof(char16_t));
  WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(name), -1, ansi, sizeof ansi - 1, nullptr,
                      nullptr);
  AnsiToUtf8(-1, c->user, sizeof c->user, ansi);
  // A stored password deciphered and given as UTF-8.
  auto password = [&](const uint8_t* stored, uint16_t length, uint32_t size, char* out, int outSize) {
    uint8_t work[82] = {};
    std::memcpy(work, stored, size);
    DecryptPassword(printer, work, length > size ? size : length, size);
    work[size] = 0;
    AnsiToUtf8(-1, out, outSize, reinterpret_cast<const char*>(work));
  };
  password(f.byAuthUserPass, f.wAuthUserPassLen, 81, c->password, sizeof c->password);
  char dept[10] = {};
  std::memcpy(dept, f.szDeptName, 9);
  AnsiToUtf8(-1, c->department, sizeof c->department, dept);
  password(f.byDeptPass, f.wDeptPassLen, 73, c->departmentPassword, sizeof c->departmentPassword);
}

bool SyncMiddleServerSetting(OpenApiSession* session, MiddleServerSetting* block) {
  char code[260] = {};
  const wchar_t* wide = GetLanguageCode(ProcessModelInfo());
  if (wide != nullptr) WideCharToMultiByte(CP_ACP, 0, wide, -1, code, sizeof code - 1, nullptr, nullptr);
  const std::string language = MiddleServerLanguage(code);
  SetSessionStatus(session, g_functions.getMiddleServerSetting(session->handle, language.c_str(), block));
  return session->status == kOpenApiOk;
}

bool OpenApiLogin(OpenApiSession* session, bool publicUser, uint8_t userType, const Credentials& c,
                  const char* head, const MiddleServerLoginList* list) {
  OpenApiLoginRecord record{userType == 1 ? kOpenApiLoginNamed : kOpenApiLoginPublic,
                            publicUser ? kEmpty : c.user,
                            publicUser ? kEmpty : c.password,
                            c.department,
                            c.departmentPassword,
                            c.server,
                            kEmpty};
  const bool noRecord = publicUser && session->capability.publicLogin != 0;
  uint32_t status;
  if (list != nullptr && !publicUser) {
    status = g_functions.login(session->handle, nullptr, head, list);
  } else {
    status = g_functions.login(session->handle, noRecord ? nullptr : &record, nullptr, nullptr);
  }
  SetSessionStatus(session, status);
  if (status != kOpenApiOk) return false;
  session->loggedIn = 1;
  return true;
}

struct LoginList {
  MiddleServerLoginList* list = nullptr;
  char head[32] = {};
  LoginList(HANDLE printer, const DocDMode& doc) {
    const uint8_t* values = reinterpret_cast<const uint8_t*>(&doc) + kDocMiddleServerAt;
    std::memcpy(head, values + 4, 31);
    list = BuildMiddleServerLoginList(printer, values);
  }
  ~LoginList() { FreeMiddleServerLoginList(list); }
  LoginList(const LoginList&) = delete;
  LoginList& operator=(const LoginList&) = delete;
  const char* Head() const { return list != nullptr ? head : nullptr; }
};

}  // namespace

const OpenApiFunctions& OpenApi() { return g_functions; }

void SetOpenApiLibraryPath(const wchar_t* path) { g_libraryPath = path != nullptr ? path : L""; }

HMODULE BindOpenApiLibrary() {
  wchar_t path[MAX_PATH + 1] = {};
  if (!g_libraryPath.empty()) {
    if (g_libraryPath.size() > MAX_PATH) return nullptr;
    std::memcpy(path, g_libraryPath.c_str(), g_libraryPath.size() * sizeof(wchar_t));
  } else if (!SiblingFilePath(ModuleOfThisCode(), kOpenApiLibraryName, path, MAX_PATH)) {
    return nullptr;
  }
  HMODULE module = LoadLibraryW(path);
  if (module == nullptr) return nullptr;
  FARPROC found[13];
  for (size_t i = 0; i < 13; ++i) {
    found[i] = GetProcAddress(module, kOpenApiFunctionNames[i]);
    if (found[i] == nullptr) {
      UnbindOpenApiLibrary(module);
      return nullptr;
    }
  }
  static_assert(sizeof(OpenApiFunctions) == 13 * sizeof(FARPROC));
  std::memcpy(&g_functions, found, sizeof g_functions);
  return module;
}

void UnbindOpenApiLibrary(HMODULE module) {
  g_functions = OpenApiFunctions{};
  if (module != nullptr) FreeLibrary(module);
}

void SetSessionStatus(OpenApiSession* session, uint32_t status) {
  session->status = status;
  session->errorText = kEmpty;
  if (status == kOpenApiErrorText && g_functions.getErrorDetail != nullptr) {
    const char* text = g_functions.getErrorDetail(session->handle);
    if (text != nullptr) session->errorText = text;
  }
}

OpenApiSession* StartupAndGetAuth(HANDLE printer, const char* address) {
  if (address == nullptr) return nullptr;
  auto* session = static_cast<OpenApiSession*>(LocalAlloc(LPTR, sizeof(OpenApiSession)));
  if (session == nullptr) return nullptr;
  session->errorText = kEmpty;
  session->library = BindOpenApiLibrary();
  if (session->library == nullptr) {
    LocalFree(session);
    return nullptr;
  }
  session->status = g_functions.configurationCheck(0.0, kOpenApiVersion, address, &session->config);
  if (session->status != kOpenApiOk || session->config.refused != 0) {
    CleanupSession(session);
    return nullptr;
  }
  session->port = session->config.port;
  session->mode = session->config.mode;
  session->handle = g_functions.accessInit(0.0, 0, 0, address, session->port, session->mode);
  if (session->handle == nullptr) {
    CleanupSession(session);
    return nullptr;
  }
  session->status = g_functions.getAuthCapability(session->handle, &session->capability);
  if (session->status != kOpenApiOk) {
    CleanupSession(session);
    return nullptr;
  }
  if (!HasInterimAuthentication()) return session;
  if (GetAuthType(session) != kAuthTypeMiddleServer) {
    DeleteMiddleServerCache(printer);
    return session;
  }
  auto* block = static_cast<MiddleServerSetting*>(std::calloc(1, sizeof(MiddleServerSetting)));
  if (block == nullptr) {
    CleanupSession(session);
    return nullptr;
  }
  const uint32_t deviceNumber = session->capability.middleServerSettingNumber;
  uint32_t stored = 0;
  if (!LoadMiddleServerCache(printer, &stored, nullptr) || stored != deviceNumber) {
    if (SyncMiddleServerSetting(session, block)) {
      SaveMiddleServerCache(printer, deviceNumber, block);
    } else {
      DeleteMiddleServerCache(printer);
    }
    session->status = kOpenApiOk;  // a failed synchronisation does not fail the start-up
  }
  std::free(block);
  return session;
}

OpenApiSession* StartupAndConnect(HWND owner, HANDLE printer, DocDMode* doc, const char* address,
                                  bool middleServer) {
  OpenApiSession* session = StartupAndGetAuth(printer, address);
  if (session == nullptr || doc == nullptr) return session;
  Credentials c;
  ReadCredentials(printer, *doc, &c);
  if (!middleServer || c.userType == 0) {
    if (OpenApiLogin(session, true, 0, c, nullptr, nullptr)) return session;
  }
  bool ok;
  if (middleServer) {
    LoginList list(printer, *doc);
    ok = OpenApiLogin(session, false, c.userType, c, list.Head(), list.list);
  } else {
    ok = OpenApiLogin(session, false, c.userType, c, nullptr, nullptr);
  }
  if (ok) return session;
  ShowMessageBox(owner, kLoginFailedTitle, kLoginFailedText, 0, MB_ICONINFORMATION, 0, 0);
  CleanupSession(session);
  return nullptr;
}

OpenApiSession* HiddenStartupAndConnect(HANDLE printer, DocDMode* doc, const char* address, bool middleServer) {
  OpenApiSession* session = StartupAndGetAuth(printer, address);
  if (session == nullptr || doc == nullptr) return session;
  Credentials c;
  ReadCredentials(printer, *doc, &c);
  const int type = GetAuthType(session);
  const uint8_t userType = (type == kAuthTypeServer || type == kAuthTypeDevice) ? c.userType : 1;
  if (middleServer) {
    LoginList list(printer, *doc);
    if (c.userType == 0) {
      OpenApiLogin(session, true, 0, c, nullptr, nullptr);
    } else {
      OpenApiLogin(session, false, userType, c, list.Head(), list.list);
    }
    return session;
  }
  OpenApiLogin(session, false, userType, c, nullptr, nullptr);
  return session;
}

int GetAuthType(const OpenApiSession* session) {
  return session != nullptr ? AuthTypeCode(session->capability.authType, sizeof session->capability.authType) : 0;
}

int GetAccountTrackType(const OpenApiSession* session) {
  return session != nullptr
             ? AccountTrackCode(session->capability.accountTrack, sizeof session->capability.accountTrack)
             : 0;
}

void CleanupSession(OpenApiSession* session) {
  if (session == nullptr) return;
  if (session->loggedIn != 0 && g_functions.logout != nullptr) g_functions.logout(session->handle);
  if (session->handle != nullptr && g_functions.accessEnd != nullptr) g_functions.accessEnd(session->handle);
  if (session->library != nullptr) UnbindOpenApiLibrary(session->library);
  LocalFree(session);
}

MiddleServerLoginList* BuildMiddleServerLoginList(HANDLE printer, const uint8_t* values) {
  auto* list = static_cast<MiddleServerLoginList*>(GlobalAlloc(GPTR, sizeof(MiddleServerLoginList)));
  if (list == nullptr) return nullptr;
  uint8_t copy[1812];
  std::memcpy(copy, values, sizeof copy);
  int16_t stored;
  std::memcpy(&stored, copy + 36, 2);
  const int count = stored < 0 ? 0 : (stored > 10 ? 10 : stored);
  char tail[33] = {};
  std::memcpy(tail, copy + 1778, 32);
  list->tail = DupGlobalText(tail);
  list->count = static_cast<int16_t>(count);
  bool ok = list->tail != nullptr;
  // A stored value: the field deciphered into a text.
  auto value = [&](uint8_t* item, uint32_t at, uint32_t size, uint32_t lengthAt) {
    uint16_t length;
    std::memcpy(&length, item + lengthAt, 2);
    uint8_t work[120] = {};
    std::memcpy(work, item + at, size);
    if (length > size) length = 0;
    DecryptPasswordAes(printer, work, length, size);
    work[size] = 0;
    return std::string(reinterpret_cast<const char*>(work));
  };
  for (int i = 0; i < count && ok; ++i) {
    uint8_t* item = copy + 38 + i * 174;
    char key[33] = {};
    std::memcpy(key, item, 32);
    MiddleServerLoginItem& out = list->items[i];
    out.key = DupGlobalText(key);
    ok = out.key != nullptr;
    const int kind = item[kMiddleServerItemKindAt];
    std::string texts[7];
    const int subKind = kind == 4 ? item[kMiddleServerValueSubKindAt] : 0;
    MiddleServerValueField fields[7];
    const int n = MiddleServerValueFields(kind, fields);
    for (int k = 0; k < n; ++k) texts[k] = value(item, fields[k].at, fields[k].size, fields[k].lengthAt);
    std::string text;
    if (ok && MiddleServerLoginValue(kind, subKind, texts, &text)) {
      out.valueCount = 1;
      out.values[0] = DupGlobalText(text.c_str());
      ok = out.values[0] != nullptr;
    }
  }
  SecureZeroMemory(copy, sizeof copy);
  if (!ok) {
    FreeMiddleServerLoginList(list);
    return nullptr;
  }
  return list;
}

void FreeMiddleServerLoginList(MiddleServerLoginList* list) {
  if (list == nullptr) return;
  if (list->tail != nullptr) GlobalFree(list->tail);
  for (MiddleServerLoginItem& item : list->items) {
    if (item.key != nullptr) GlobalFree(item.key);
    for (char* v : item.values) {
      if (v != nullptr) GlobalFree(v);
    }
  }
  GlobalFree(list);
}
