// The authentication exports: the dialog the user interface core opens at the
// start of a job that needs the user's credentials, and the dialog
// procedures the sheets of other libraries reach by name.
#include <windows.h>

#include <type_traits>

#include "common/contracts/auth_dialogs.h"
#include "common/win/export_guard.h"
#include "dproc/auth/initialize_sheet_win.h"
#include "dproc/auth/middle_server_dialog_win.h"
#include "dproc/auth/user_auth_dialog_win.h"

extern "C" int WINAPI Popup_UserAuthenticDlg(AuthPopupArgs* args) {
  static_assert(std::is_same_v<decltype(&Popup_UserAuthenticDlg), PopupAuthDlgFn>);
  return GuardExport("Popup_UserAuthenticDlg", -1, [&] { return RunUserAuthenticPopup(args); });
}

extern "C" int WINAPI Popup_MiddleServerAuthenticDlg(AuthPopupArgs* args) {
  static_assert(std::is_same_v<decltype(&Popup_MiddleServerAuthenticDlg), PopupAuthDlgFn>);
  return GuardExport("Popup_MiddleServerAuthenticDlg", 2, [&] { return RunMiddleServerPopup(args); });
}

// The Initialize sheet, for hosts that show the page themselves.
extern "C" INT_PTR CALLBACK Prc_DocInitializeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocInitializeProc), DLGPROC>);
  return GuardExport("Prc_DocInitializeProc", INT_PTR{0},
                     [&] { return InitializeSheetProc(dialog, message, wParam, lParam); });
}
