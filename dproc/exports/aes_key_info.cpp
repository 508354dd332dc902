// The export through which the user interface core gives a newly
// initialised printer its own key material for the password cipher.
#include <windows.h>

#include <type_traits>

#include "common/cipher/password_cipher_win.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"

extern "C" void WINAPI SetUIAesKeyInfo(HANDLE printer) {
  GuardExport("SetUIAesKeyInfo", [&] { RenewInitDataBackup(printer); });
}

static_assert(std::is_same_v<decltype(&SetUIAesKeyInfo), SetUIAesKeyInfoFn>);
