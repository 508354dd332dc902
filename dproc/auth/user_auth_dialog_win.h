// The Authentication / Department Setting dialog and the Authentication
// Server Setting dialog it opens: from the Basic sheet on its context, or at
// the start of a job on the job's settings (popup).
#pragma once

#include <windows.h>

#include "common/contracts/auth_dialogs.h"
#include "dproc/sheets/sheet_context.h"

INT_PTR CALLBACK UserAuthenticDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AuthServerDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog on the job's settings: 1 OK, 2 Cancel, -1 when it could not be
// shown (a record without its pointers too).  Only OK changes `args->doc`.
int RunUserAuthenticPopup(AuthPopupArgs* args);

// Draws one item of an owner-drawn list of authentication server rows.
void DrawServerListItem(HWND dialog, const DRAWITEMSTRUCT* item);

// The Verify button: checks the dialog's fields, stores them and shows the
// device's answer.
void VerifyAuthentication(HWND dialog);

// The device's answer the dialogs start with, for tests: whether the device
// answered and its authentication and account-track codes.
struct AuthDeviceAnswer {
  bool reached;
  int authType;
  int trackType;
};
const AuthDeviceAnswer& LastAuthDeviceAnswer();
