// The export through which the user interface core gives a newly
// initialised printer its own key material for the password cipher.
#include <windows.h>

#include "common/cipher/password_cipher_win.h"

extern "C" void WINAPI SetUIAesKeyInfo(HANDLE printer) { RenewInitDataBackup(printer); }
