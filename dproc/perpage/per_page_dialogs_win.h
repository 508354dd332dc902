// The per-page settings' dialogs: the Per Page Setting dialog (template
// 137), which the Cover Page sheet opens to edit the ten per-page lists of
// the sheet session and to choose the document's list, and the dialogs it
// opens.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/inter_sheet_list.h"

inline constexpr uint16_t kPerPageSettingTemplate = 137;
inline constexpr uint16_t kListNameEditTemplate = 138;
inline constexpr uint16_t kPerPagePunchTemplate = 139;
inline constexpr uint16_t kIndexPaperTemplate = 140;
inline constexpr uint16_t kCaptionDetailTemplate = 141;

INT_PTR CALLBACK PerPageSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Caption Detail (template 141): how the selected entry's caption is
// printed in its tab; Cancel puts the entry's caption block back.
INT_PTR CALLBACK CaptionDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The font enumeration of the Caption Detail dialog: TrueType faces that
// are not device fonts and whose names begin with none of "@", "&" and "$"
// go into the list of faces (a std::vector<std::wstring> passed as
// `list`), each once.  Always 1: the enumeration runs to the end.
int CALLBACK EnumTabFontProc(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM list);

// List Name Edit (template 138): the name of the Per Page Setting
// dialog's current list; Cancel puts the name back.
INT_PTR CALLBACK ListNameEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Punch Setting (template 139): the document's hole-punch kind, which the
// entries switch on or off page by page.
INT_PTR CALLBACK PerPagePunchDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Index Paper Setting (template 140): the tab sheet of the Per Page Setting
// dialog's current list, changed in place while the user types; Cancel puts
// the tab sheet back as it was.
INT_PTR CALLBACK IndexPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Per Page Setting dialog's working copy of its current list (its name
// and tab sheet; its entries are the dialog's own), which the dialogs it
// opens edit; null while it is not open.
InterSheetList* PerPageWorkingList();
// The Per Page Setting dialog's selected entry, in its working list; null
// without one.
InterSheetEntry* PerPageSelectedEntry();
// Whether another of the dialog's ten lists has this name (letter case
// counts).
bool PerPageNameTakenByAnother(const char16_t* name);
