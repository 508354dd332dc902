// The authentication dialogs that the procedure library VELDRANA exports and
// the user interface core opens at the start of a job: the argument record
// and the calling details.  Exporter and binder include this header.
#pragma once

#include <windows.h>

struct DocDMode;
struct DevOption;

// Built by the caller for one call: the job's settings (edited in place on
// OK), its device option record and a pointer to its printer handle.
struct AuthPopupArgs {
  DocDMode* doc;
  DevOption* option;
  HANDLE* printer;
};

// 1 OK (the settings hold the entered values), 2 Cancel (the settings as
// they were), -1 when the dialog could not be shown.
using PopupAuthDlgFn = int(WINAPI*)(AuthPopupArgs* args);
inline constexpr char kPopupUserAuthenticDlg[] = "Popup_UserAuthenticDlg";
inline constexpr char kPopupMiddleServerAuthenticDlg[] = "Popup_MiddleServerAuthenticDlg";
