// The property-sheet session of the user interface core: the record that
// holds the working settings of the sheets, a backup, the page table, the
// printer and the state the sheet procedures share (sheet_session.h), its
// creation from a caller's header and its destruction.
#pragma once

#include <windows.h>

#include "common/records/sheet_session.h"
#include "common/win/driver_ui_interface_win.h"

// True when `session` is a live session record: both self pointers and the
// size field agree.
bool IsSheetSession(const SheetSession* session);

// A new session in a private heap of its own for a document header or a
// device header (exactly one given); null on any failure.
SheetSession* CreateSheetSession(const DOCUMENTPROPERTYHEADER* document, const DEVICEPROPERTYHEADER* device);
void DestroySheetSession(SheetSession* session);

// The page table of the session's mode, with the titles from the printer
// description, the help-button flag and the help file name; the flag word
// cleared.
void InitSheetPages(SheetSession* session);

// Puts the page titles in place: `lookUp` is the procedure library's text
// lookup (null leaves every title empty).
using SheetTitleLookUp = int(WINAPI*)(HMODULE, const char*, const char*, wchar_t*, UINT);
void FillSheetPageTitles(SheetSession* session, SheetTitleLookUp lookUp, HMODULE textModule);

// The dialog procedure of each page: forwards every message to the sheet
// procedure that `procedure` names in VELDRANA (bound on each message).
INT_PTR SheetDlgProcForwarder(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const char* procedure);
// The forwarder stub of a sheet procedure, or null for a name without one.
DLGPROC SheetForwarderOf(const char* procedure);
