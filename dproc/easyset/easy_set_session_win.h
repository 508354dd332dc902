// The Easy Sets of one sheet session: the list built when the first
// document sheet opens (the built-in Easy Set from the printer's defaults,
// the printer's shared ones, the user's own, in the user's order), the
// Easy Set the settings now equal, and applying one to the settings.
#pragma once

#include <windows.h>

#include "common/contracts/settings_functions_win.h"
#include "dproc/easyset/easy_set_list.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

struct EasySetUiState {
  EasySetList* list;  // null until the first sheet builds it
  HWND savingPage;    // the page that writes the order on apply
};
static_assert(sizeof(EasySetUiState) <= kUiStateEasySetBytes);

inline EasySetUiState* EasySetStateOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<EasySetUiState*>(state->bytes + kUiStateEasySetAt) : nullptr;
}
EasySetList* SessionEasySets(const SheetCtx* ctx);

// Builds the session's list; null when not even the built-in Easy Set can
// be made.
EasySetList* CreateEasySetList(const SheetCtx* ctx);
// The list and its nodes are freed.
void DestroyEasySetList(EasySetList* list);

// The printer and driver names of a context (empty when unknown).
struct EasySetPrinterNames {
  wchar_t printer[260] = {};
  wchar_t driver[260] = {};
};
EasySetPrinterNames PrinterNamesOf(const SheetCtx* ctx);
// What a record made in this session says of the driver.
EasySetDriverFacts DriverFactsOf(const SheetCtx* ctx);

// Whether applying `node` would leave the context's settings as they are.
bool EasySetMatchesSettings(const SheetCtx* ctx, const EasySetNode& node);
// Sets the list's current node from the settings' Easy Set state and name;
// with `apply` a found node becomes current only when it matches the
// settings, and is then applied.
void FindCurrentEasySet(const SheetCtx* ctx, EasySetList* list, bool apply);
// Applies `node` to the context's settings: its settings by its restore
// options, the Easy Set state and name, the fix-ups and the standard
// DEVMODE fields.  False when its text cannot be read (nothing changed).
bool ApplyEasySet(const EasySetNode& node, const SheetCtx* ctx);
// What brings the standard DEVMODE fields in line with the settings after
// an Easy Set was applied (the library's Prc_UpdateCmnDModeArea; none:
// they stay).
void SetEasySetPublicFieldsUpdate(PrcUpdateCmnDModeAreaFn update);
// The session's watermark lists, as an Easy Set saved now carries them.
EasySetWatermarks SessionWatermarks(const SheetCtx* ctx);
// Saves the order of the list for the user.
bool SaveSessionEasySetOrder(const SheetCtx* ctx, const EasySetList& list);
