// The sheet context's records as every library reads them: which host made
// the page (the user interface core's sheet session or a plug-in page record,
// see sheet_session.h) and the settings records it holds.  The procedure
// library's sheets and the device library's dialogs read the same context
// through these accessors; the pointers point into the host's records, which
// callers read and write in place and never free.
#pragma once

#include <windows.h>

#include <prsht.h>

#include "common/records/sheet_session.h"

using SheetCtx = PROPSHEETPAGEW;

enum class SheetCtxHost { kNone, kSession, kPluginDocument, kPluginDevice };

struct SheetCtxRecords {
  SheetCtxHost host = SheetCtxHost::kNone;
  SheetSession* session = nullptr;
  PluginDocPage* doc = nullptr;     // the document record (own or, for a device page, its document's)
  PluginDevicePage* device = nullptr;
};

// The records behind a context; kNone for a null context, a null record or a
// plug-in record of an unknown kind.
SheetCtxRecords ResolveSheetCtx(const SheetCtx* ctx);

// A context without records answers as "no context": null pointers, 0 flags,
// INVALID_HANDLE_VALUE, and TRUE for both permissions.
DocDMode* GetPrivDevMode(const SheetCtx* ctx);
HANDLE GetCtxPrinterHandle(const SheetCtx* ctx);
DWORD GetCtxPageFlags(const SheetCtx* ctx);
BOOL CanChangeDocSettings(const SheetCtx* ctx);
BOOL CanChangeDeviceSettings(const SheetCtx* ctx);
DEVMODEW* GetCtxPublicDevMode(const SheetCtx* ctx);
uint32_t GetCtxSessionFlag(const SheetCtx* ctx);
SheetUiState* GetUIState(const SheetCtx* ctx);
DocDMode* GetPrivDevModeBackup(const SheetCtx* ctx);
DevOption* GetCtxPrinterInfo(const SheetCtx* ctx);
// The device's option answer held by the context, or null.
SheetDeviceStatus* GetCtxTrayStatus(const SheetCtx* ctx);
// The page record is the user interface core's own sheet session (its first
// byte is 0); false without a context.
BOOL IsSessionPage(const SheetCtx* ctx);
// Document (or advanced document) properties rather than printer defaults.
BOOL IsDocPropertiesMode(const SheetCtx* ctx);
