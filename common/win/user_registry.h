// Per-user registry keys.  The spooler calls the driver on behalf of a user
// while it impersonates that user; those calls must reach the user's own
// hive, which HKEY_CURRENT_USER of the spooler's process is not.
#pragma once

#include <windows.h>

// The built-in maker name: the first component of every per-user key, and
// what GetCompanyName hands out, unless the description file names another.
inline constexpr wchar_t kMakerName[] = L"HALDOVAR";
inline constexpr size_t kMakerNameUnits = 256;

// The maker name in force: kMakerName until the procedure library's
// start-up sets the description file's name.
const wchar_t* MakerName();
// Takes `name` cut to kMakerNameUnits - 1 characters; null or an empty
// name puts the built-in name back.
void SetMakerName(const wchar_t* name);

// Creates or opens `subkey` (null or empty: the root) with KEY_ALL_ACCESS:
// under HKEY_USERS\<SID> when the calling thread has a token whose user's SID
// text can be made, else under HKEY_CURRENT_USER.  Returns the registry's
// error code; 87 for a null output.
LONG OpenUserRegKey(void* unused, const wchar_t* subkey, HKEY* key);

// The token user's SID as text.  `*size` is the capacity of `out` in
// characters and receives the length with the NUL; the text is copied only
// when it fits (else 122).  `out` may be null to ask for the size.
DWORD GetSidString(HANDLE token, wchar_t* out, DWORD* size);

// The system's SID text conversion, bound from the system directory's
// ADVAPI32.DLL; false when it is unavailable or fails.  The text is freed
// with LocalFree.
bool ConvertSidToStringSidBound(PSID sid, wchar_t** text);

// The SID text made without the system: "S-1-<authority>-<sub>...", the
// authority decimal when its two high bytes are 0, else as twelve hex
// digits after "0x".  Same size contract as GetSidString.
DWORD FormatSidString(PSID sid, wchar_t* out, DWORD* size);

// "Software\<maker>\<driver>\<printer>" with the printer name's leading
// backslashes removed, then "\<tail>" when `tail` is not empty.  False when
// it does not fit `capacity` characters.
bool MakeUserSettingsPath(const wchar_t* driverName, const wchar_t* printerName, const wchar_t* tail, wchar_t* out,
                          size_t capacity);

// The user's settings key of a printer ("Software\<maker>\<driver>\<printer>"
// and `tail`), created when missing and closed with the object; get() is
// null when it cannot be made or opened.
class UserSettingsKey {
 public:
  UserSettingsKey(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* tail) {
    wchar_t path[1024];
    if (printerName == nullptr || driverName == nullptr ||
        !MakeUserSettingsPath(driverName, printerName, tail, path, sizeof path / sizeof path[0]) ||
        OpenUserRegKey(nullptr, path, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~UserSettingsKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  UserSettingsKey(const UserSettingsKey&) = delete;
  UserSettingsKey& operator=(const UserSettingsKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};
