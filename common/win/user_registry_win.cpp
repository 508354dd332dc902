#include "common/win/user_registry.h"

#include <cstdio>
#include <cwchar>
#include <memory>

#include "common/win/bind_export.h"

namespace {

constexpr DWORD kSidTextMax = 256;

// Copies `text` into the caller's buffer under the size contract.
DWORD HandOut(const wchar_t* text, wchar_t* out, DWORD* size) {
  DWORD needed = static_cast<DWORD>(std::wcslen(text) + 1);
  DWORD capacity = *size;
  *size = needed;
  if (out == nullptr || capacity < needed) return ERROR_INSUFFICIENT_BUFFER;
  std::wmemcpy(out, text, needed);
  return ERROR_SUCCESS;
}

void AppendText(wchar_t* text, size_t capacity, const wchar_t* tail) {
  size_t n = std::wcslen(text);
  for (; *tail != L'\0' && n + 1 < capacity; ++tail) text[n++] = *tail;
  text[n] = L'\0';
}

}  // namespace

bool ConvertSidToStringSidBound(PSID sid, wchar_t** text) {
  using ConvertFn = BOOL(WINAPI*)(PSID, LPWSTR*);
  static ConvertFn bound = nullptr;
  if (bound == nullptr) {
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 14 >= MAX_PATH) return false;
    AppendText(path, MAX_PATH, L"\\ADVAPI32.DLL");
    HMODULE library = LoadLibraryW(path);
    if (library == nullptr) return false;
    bound = BindExport<ConvertFn>(library, "ConvertSidToStringSidW");
    if (bound == nullptr) return false;
  }
  return bound(sid, text) != FALSE;
}

DWORD FormatSidString(PSID sid, wchar_t* out, DWORD* size) {
  if (size == nullptr) return ERROR_INVALID_PARAMETER;
  if (sid == nullptr || !IsValidSid(sid)) return ERROR_INVALID_SID;
  wchar_t text[kSidTextMax];
  const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
  const BYTE* a = authority->Value;
  int n;
  if (a[0] == 0 && a[1] == 0) {
    unsigned long value = (static_cast<unsigned long>(a[2]) << 24) | (a[3] << 16) | (a[4] << 8) | a[5];
    n = swprintf(text, kSidTextMax, L"S-%u-%lu", 1u, value);
  } else {
    n = swprintf(text, kSidTextMax, L"S-%u-0x%02hx%02hx%02hx%02hx%02hx%02hx", 1u, static_cast<unsigned short>(a[0]),
                 static_cast<unsigned short>(a[1]), static_cast<unsigned short>(a[2]),
                 static_cast<unsigned short>(a[3]), static_cast<unsigned short>(a[4]),
                 static_cast<unsigned short>(a[5]));
  }
  if (n < 0) return ERROR_INVALID_SID;
  UCHAR count = *GetSidSubAuthorityCount(sid);
  for (UCHAR i = 0; i < count; ++i) {
    wchar_t part[16];
    swprintf(part, 16, L"-%lu", static_cast<unsigned long>(*GetSidSubAuthority(sid, i)));
    AppendText(text, kSidTextMax, part);
  }
  return HandOut(text, out, size);
}

DWORD GetSidString(HANDLE token, wchar_t* out, DWORD* size) {
  if (size == nullptr) return ERROR_INVALID_PARAMETER;
  DWORD needed = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
  if (needed == 0) return GetLastError();
  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[needed]);
  if (!buffer) return ERROR_NOT_ENOUGH_MEMORY;
  if (!GetTokenInformation(token, TokenUser, buffer.get(), needed, &needed)) return GetLastError();
  PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid;
  wchar_t* system = nullptr;
  if (ConvertSidToStringSidBound(sid, &system)) {
    DWORD result = HandOut(system, out, size);
    LocalFree(system);
    return result;
  }
  return FormatSidString(sid, out, size);
}

LONG OpenUserRegKey(void*, const wchar_t* subkey, HKEY* key) {
  if (key == nullptr) return ERROR_INVALID_PARAMETER;
  *key = nullptr;
  if (subkey == nullptr) subkey = L"";
  HANDLE token = nullptr;
  if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
    wchar_t sidText[kSidTextMax];
    DWORD size = kSidTextMax;
    DWORD made = GetSidString(token, sidText, &size);
    CloseHandle(token);
    if (made == ERROR_SUCCESS) {
      size_t length = std::wcslen(sidText) + 1 + std::wcslen(subkey) + 1;
      std::unique_ptr<wchar_t[]> path(new (std::nothrow) wchar_t[length]);
      if (!path) return ERROR_NOT_ENOUGH_MEMORY;
      path[0] = L'\0';
      AppendText(path.get(), length, sidText);
      if (subkey[0] != L'\0') {
        AppendText(path.get(), length, L"\\");
        AppendText(path.get(), length, subkey);
      }
      return RegCreateKeyExW(HKEY_USERS, path.get(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key, nullptr);
    }
  }
  return RegCreateKeyExW(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key, nullptr);
}

namespace {
wchar_t g_makerName[kMakerNameUnits] = L"HALDOVAR";
}

const wchar_t* MakerName() { return g_makerName; }

void SetMakerName(const wchar_t* name) {
  if (name == nullptr || name[0] == L'\0') name = kMakerName;
  size_t length = wcsnlen(name, kMakerNameUnits - 1);
  wmemcpy(g_makerName, name, length);
  g_makerName[length] = L'\0';
}

bool MakeUserSettingsPath(const wchar_t* driverName, const wchar_t* printerName, const wchar_t* tail, wchar_t* out,
                          size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  out[0] = L'\0';
  if (driverName == nullptr || printerName == nullptr) return false;
  while (*printerName == L'\\') ++printerName;
  int n = _snwprintf(out, capacity, L"Software\\%ls\\%ls\\%ls%ls%ls", MakerName(), driverName, printerName,
                     (tail != nullptr && tail[0] != L'\0') ? L"\\" : L"", tail != nullptr ? tail : L"");
  if (n < 0 || static_cast<size_t>(n) >= capacity) {
    out[0] = L'\0';
    return false;
  }
  return true;
}
