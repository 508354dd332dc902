// The sheet context: what every sheet and dialog procedure of the procedure
// library works on, whichever host created its page (see sheet_session.h).
// The accessors return pointers into the host's records, which callers read
// and write in place and never free.
#pragma once

#include <windows.h>

#include <prsht.h>

#include "common/qxd/model_rows.h"
#include "common/records/sheet_session.h"
#include "common/win/sheet_context_records_win.h"

// The record accessors (GetPrivDevMode, GetCtxPrinterInfo, CanChangeDocSettings
// and the others) are shared with the device library: sheet_context_records_win.h.

// Setters: only a plug-in host's option items change, and the host hears of
// each change through DrvUpdateUISetting.  On a sheet session or without a
// context they do nothing.
void SetCpsuiItemSel(const SheetCtx* ctx, BYTE itemId, LONG selection);
// `option` is a resource id (upper 16 bits zero) or a wide text; no match
// selects option 0.
void SelectCpsuiItemOption(const SheetCtx* ctx, BYTE itemId, const wchar_t* option);
void SetCpsuiNamedItemSel(const SheetCtx* ctx, LONG selection);
void SelectLastFormItem(const SheetCtx* ctx);
void SetCollateCheck(const SheetCtx* ctx, BOOL on);
// A page was applied: a plug-in host's callback hears "apply now".
void NotifySheetApply(const SheetCtx* ctx);

// A plug-in host's "advanced printing features" item (named by resource id
// 419): FALSE when its selection is 1, TRUE otherwise and without items.
BOOL IsAdvPrintFeaturesOn(const SheetCtx* ctx);
// A plug-in host's printer memory item (named by resource id 400), in
// kilobytes, stored as the printer's data "FreeMem" (REG_DWORD).
void SaveFreeMemOption(const SheetCtx* ctx);

// A plug-in host's installable-option items (level 2, named by the texts
// of `strings`, the image library's string table) set from the device
// option record: "Ena..." values select 1, others 0; the memory item takes
// the selected value's place and the printer memory item (named by resource
// id 400) its size in kilobytes.  The host hears of each item it changes.
void MapInstallableOptions(const SheetCtx* ctx, const DevOption* record, const DeviceOptionItem* options,
                           HMODULE strings);

// The reverse: the installed options the user set in a plug-in host's
// device-setting tree (items of level 2 whose names begin with the texts of
// `strings`) taken into the device option record.
void TakeInstalledOptionsFromTree(const SheetCtx* ctx, DevOption* record, const DeviceOptionItem* options,
                                  HMODULE strings);

// The context kept in a dialog's user slot; when there is none, a
// process-wide zero-filled context, so that callers never get null.
SheetCtx* GetDlgPrcCtx(HWND dialog);
