// The relay-server authentication dialog: the input items of the relay
// server's setting (the per-user copy of middle_server_cache_win.h), shown
// in a dialog built in memory, their answers checked by each item's rules
// and stored enciphered in the document settings' "MiddleServerValues".
// Opened at the start of a job without owner, or from the Basic sheet.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/contracts/auth_dialogs.h"
#include "common/contracts/open_api.h"

struct DocDMode;
struct DevOption;

// 1 OK (the answers stored, "ResetFlag" set), 2 cancelled or not shown (no
// copy of the setting, no items, more items than the answers hold).  The
// device option record is not used.
int ShowMiddleServerAuthDlg(HWND owner, DocDMode* doc, const DevOption* option, HANDLE printer);
// The dialog over a setting already read: 2 when it has no items.
int RunMiddleServerAuthDlg(HWND owner, bool hasOwner, HANDLE printer, uint32_t number, DocDMode* doc,
                           const MiddleServerSetting* setting);
// At the start of a job: the dialog without owner on the job's settings.
int RunMiddleServerPopup(AuthPopupArgs* args);

struct MiddleServerDlgContext;
// The template of the dialog in a new fixed global-heap block (the caller
// frees it), or null.
HGLOBAL BuildMiddleServerDlgTemplate(HWND owner, MiddleServerDlgContext* context);
INT_PTR CALLBACK MiddleServerAuthDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
