#include "common/win/auth_store_win.h"

#include <cstring>
#include <string>

#include "common/records/doc_fields.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"

namespace {

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
