// The overlay forms of a sheet session: the list of the model's overlay mode
// (form files for soft overlays, the driver's device forms otherwise),
// loaded on first use and kept in the session's UI state until the session
// frees it, the form the sheet and dialogs have chosen, and whether a
// dialog changed the list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "dproc/overlay/form_store_win.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

struct OverlayUiState {
  FormFileList* files;       // soft overlays
  DriverFormList* device;    // device overlays
  void* current;             // a FormFileNode or DriverFormNode of the list, or null
  uint32_t formsChanged;
  uint32_t loadTried;        // bit 0: the file list, bit 1: the device list
};
static_assert(sizeof(OverlayUiState) <= kUiStateOverlayBytes);

// The context's overlay state; null without a UI state.
OverlayUiState* OverlayStateOf(const SheetCtx* ctx);
// The model uses form files ("Overlay_DlgType" is "SoftOverlay").
bool IsSoftOverlayMode();
// The session's lists, loaded from the printer's store on first use; null
// when the store cannot be opened.
FormFileList* SessionFormFiles(const SheetCtx* ctx);
DriverFormList* SessionDeviceForms(const SheetCtx* ctx);
// Frees both lists (the session's end).
void FreeSessionFormLists(const SheetCtx* ctx);
// The host name or address of the context's device (at most 63 characters)
// for its SNMP queries; false when there is none.
bool FormHostAddress(const SheetCtx* ctx, char out[64]);
// Tests only: where FormHostAddress takes the address from (null: the
// printer's port).
using FormHostAddressFn = bool (*)(const SheetCtx* ctx, char out[64]);
void SetFormHostAddressForTests(FormHostAddressFn fn);
// The display text of the "OvlForm_Location" option whose value is
// `location`; empty when the model has none.
std::wstring FormLocationText(uint32_t location);
// The printer's and driver's names of the context (empty when unknown).
void SessionPrinterNames(const SheetCtx* ctx, wchar_t printer[kFormPathChars], wchar_t driver[kFormPathChars]);
