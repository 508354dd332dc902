#include "common/win/auth_store_win.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/records/doc_fields.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"

namespace {

class UserKey {
 public:
  UserKey(const wchar_t* driverName, const wchar_t* printerName, const wchar_t* tail) {
    wchar_t path[512];
    if (MakeUserSettingsPath(driverName, printerName, tail, path, 512)) OpenUserRegKey(nullptr, path, &key_);
  }
  ~UserKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  UserKey(const UserKey&) = delete;
  UserKey& operator=(const UserKey&) = delete;

  // Up to `size` bytes; a longer value is refused and leaves `out` zero.
  bool Bytes(const wchar_t* name, void* out, DWORD size, DWORD* read) {
    *read = 0;
    if (key_ == nullptr) return false;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]());
    if (!buffer) return false;
    DWORD got = size;
    if (RegQueryValueExW(key_, name, nullptr, nullptr, buffer.get(), &got) != ERROR_SUCCESS || got > size) {
      return false;
    }
    std::memcpy(out, buffer.get(), got);
    *read = got;
    return true;
  }
  bool Number(const wchar_t* name, DWORD* out) {
    DWORD read = 0, value = 0;
    if (!Bytes(name, &value, sizeof value, &read) || read == 0) return false;
    *out = value;
    return true;
  }
  // A wide text cut to `units` - 1 characters, whatever its stored length.
  bool WideText(const wchar_t* name, char16_t* out, size_t units) {
    std::memset(out, 0, units * sizeof(char16_t));
    if (key_ == nullptr) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::u16string text(size / sizeof(char16_t) + 1, u'\0');
    DWORD got = size;
    if (RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &got) != ERROR_SUCCESS) {
      return false;
    }
    const size_t length = std::min(std::char_traits<char16_t>::length(text.c_str()), units - 1);
    std::memcpy(out, text.data(), length * sizeof(char16_t));
    return true;
  }
  // A narrow text of at most `size` - 1 bytes, in the ANSI code page.
  bool NarrowText(const wchar_t* name, char* out, size_t size) {
    std::u16string wide(size, u'\0');
    if (!WideText(name, wide.data(), size)) {
      out[0] = '\0';
      return false;
    }
    char narrow[128] = {};
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(wide.c_str()), -1, narrow, sizeof narrow - 1,
                        nullptr, nullptr);
    const size_t length = std::min(std::strlen(narrow), size - 1);
    std::memcpy(out, narrow, length);
    out[length] = '\0';
    return true;
  }

 private:
  HKEY key_ = nullptr;
};

bool ReadPass(UserKey& key, const wchar_t* name, uint8_t* out, DWORD size, uint16_t* length) {
  DWORD read = 0;
  const bool ok = key.Bytes(name, out, size, &read);
  *length = static_cast<uint16_t>(read);
  return ok;
}


inline constexpr size_t kAuthPathChars = 260;

class GroupKey {
 public:
  GroupKey(const wchar_t* driverName, const wchar_t* printerName, const wchar_t* tail) {
    wchar_t path[kAuthPathChars];
    if (MakeUserSettingsPath(driverName, printerName, tail, path, kAuthPathChars) &&
        OpenUserRegKey(nullptr, path, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~GroupKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  GroupKey(const GroupKey&) = delete;
  GroupKey& operator=(const GroupKey&) = delete;

  bool ok() const { return key_ != nullptr; }
  bool Set(const wchar_t* name, DWORD type, const void* data, size_t size) {
    return key_ != nullptr &&
           RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) == ERROR_SUCCESS;
  }
  bool Number(const wchar_t* name, DWORD value) { return Set(name, REG_DWORD, &value, sizeof value); }
  bool NarrowText(const wchar_t* name, const char* text, size_t capacity) {
    const size_t length = strnlen(text, capacity - 1);
    return key_ != nullptr &&
           RegSetValueExA(key_, NarrowName(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(length + 1)) == ERROR_SUCCESS;
  }

 private:
  static std::string NarrowName(const wchar_t* name) {
    std::string out;
    for (; *name; ++name) out.push_back(static_cast<char>(*name));
    return out;
  }
  HKEY key_ = nullptr;
};

// A stored password length never reaches past its field.
size_t PassBytes(uint16_t length, size_t field) { return length < field ? length : field; }

}  // namespace

void CopyAuthRegFromDevMode(AuthRegRecord* record, const DocDMode* settings) {
  if (record == nullptr || settings == nullptr) return;
  const DocFields& f = Fields(*settings);
  record->byUserType = f.byUserType;
  std::memcpy(record->szAuthUserName, f.szAuthUserName, sizeof record->szAuthUserName);
  std::memcpy(record->byAuthUserPass, f.byAuthUserPass, sizeof record->byAuthUserPass);
  record->wAuthUserPassLen = f.wAuthUserPassLen;
  std::memcpy(record->szDeptName, f.szDeptName, sizeof record->szDeptName);
  std::memcpy(record->byDeptPass, f.byDeptPass, sizeof record->byDeptPass);
  record->wDeptPassLen = f.wDeptPassLen;
  record->wServerSetting = static_cast<uint16_t>(f.nServerSetting);
  std::memcpy(record->szSecurePrintId, f.szSecurePrintId, sizeof record->szSecurePrintId);
  std::memcpy(record->bySecurePrintPass, f.bySecurePrintPass, sizeof record->bySecurePrintPass);
  record->wSecurePrintPassLen = f.wSecurePrintPassLen;
}

void CopyAuthRegToDevMode(const AuthRegRecord& record, DocDMode* settings) {
  if (settings == nullptr) return;
  DocFields& f = Fields(*settings);
  f.byUserType = record.byUserType;
  std::memcpy(f.szAuthUserName, record.szAuthUserName, sizeof f.szAuthUserName);
  std::memcpy(f.byAuthUserPass, record.byAuthUserPass, sizeof f.byAuthUserPass);
  f.wAuthUserPassLen = static_cast<uint16_t>(PassBytes(record.wAuthUserPassLen, sizeof f.byAuthUserPass));
  std::memcpy(f.szDeptName, record.szDeptName, sizeof f.szDeptName);
  std::memcpy(f.byDeptPass, record.byDeptPass, sizeof f.byDeptPass);
  f.wDeptPassLen = static_cast<uint16_t>(PassBytes(record.wDeptPassLen, sizeof f.byDeptPass));
  f.nServerSetting = static_cast<int16_t>(record.wServerSetting);
  std::memcpy(f.szSecurePrintId, record.szSecurePrintId, sizeof f.szSecurePrintId);
  std::memcpy(f.bySecurePrintPass, record.bySecurePrintPass, sizeof f.bySecurePrintPass);
  f.wSecurePrintPassLen = static_cast<uint16_t>(PassBytes(record.wSecurePrintPassLen, sizeof f.bySecurePrintPass));
}

bool SaveAuthenticationReg(HANDLE printer, const DocDMode* settings) {
  if (settings == nullptr) return false;
  AuthRegRecord r{};
  CopyAuthRegFromDevMode(&r, settings);
  wchar_t driverName[kAuthPathChars] = {}, printerName[kAuthPathChars] = {};
  QueryDriverName(printer, driverName, nullptr);
  QueryPrinterName(printer, printerName, kAuthPathChars);
  if (driverName[0] == L'\0') return false;

  bool a = false, b = false, c = false;
  {
    GroupKey key(driverName, printerName, L"Authentication");
    a = key.ok();
    a &= key.Number(L"UserType", r.byUserType);
    const size_t nameUnits = wcsnlen(reinterpret_cast<const wchar_t*>(r.szAuthUserName), 80);
    a &= key.Set(L"UserName", REG_SZ, r.szAuthUserName, (nameUnits + 1) * 2);
    a &= key.Set(L"UserPass", REG_BINARY, r.byAuthUserPass, PassBytes(r.wAuthUserPassLen, sizeof r.byAuthUserPass));
    a &= key.Number(L"UserServerSetting", r.wServerSetting);
  }
  {
    GroupKey key(driverName, printerName, L"AccountTrack");
    b = key.ok();
    b &= key.NarrowText(L"DepartmentName", r.szDeptName, sizeof r.szDeptName);
    b &= key.Set(L"DepartmentPass", REG_BINARY, r.byDeptPass, PassBytes(r.wDeptPassLen, sizeof r.byDeptPass));
  }
  {
    GroupKey key(driverName, printerName, L"SecurePrint");
    c = key.ok();
    c &= key.NarrowText(L"ID", r.szSecurePrintId, sizeof r.szSecurePrintId);
    c &= key.Set(L"Pass", REG_BINARY, r.bySecurePrintPass, PassBytes(r.wSecurePrintPassLen, sizeof r.bySecurePrintPass));
  }
  return a && b && c;
}

bool ReadAuthRegRecord(const wchar_t* driverName, const wchar_t* printerName, AuthRegRecord* out) {
  std::memset(out, 0, sizeof *out);
  out->wServerSetting = 1;
  bool all = true;
  {
    UserKey key(driverName, printerName, L"Authentication");
    DWORD number = 0;
    if (key.Number(L"UserType", &number)) out->byUserType = static_cast<uint8_t>(number);
    else all = false;
    all &= key.WideText(L"UserName", out->szAuthUserName, std::size(out->szAuthUserName));
    all &= ReadPass(key, L"UserPass", out->byAuthUserPass, sizeof out->byAuthUserPass, &out->wAuthUserPassLen);
    if (key.Number(L"UserServerSetting", &number)) out->wServerSetting = static_cast<uint16_t>(number);
    else all = false;
  }
  {
    UserKey key(driverName, printerName, L"AccountTrack");
    all &= key.NarrowText(L"DepartmentName", out->szDeptName, sizeof out->szDeptName);
    all &= ReadPass(key, L"DepartmentPass", out->byDeptPass, sizeof out->byDeptPass, &out->wDeptPassLen);
  }
  {
    UserKey key(driverName, printerName, L"SecurePrint");
    all &= key.NarrowText(L"ID", out->szSecurePrintId, sizeof out->szSecurePrintId);
    all &= ReadPass(key, L"Pass", out->bySecurePrintPass, sizeof out->bySecurePrintPass, &out->wSecurePrintPassLen);
  }
  return all;
}
