// The side data of a sheet session: what the document sheets edit besides
// the settings and keep in the printer's data or the user's registry.  The
// first document sheet to start loads it into the session's UI state (the
// overlay form list of the model's mode, the watermark lists and their
// order, the ten per-page lists, the three lists of colour profiles resident
// in the printer, and the user's authentication values into the settings);
// every sheet works on that copy; the first page to be applied writes it
// back at every apply; the first page to end frees it.
//
// Limits: the session holds at most 30 printer and 20 user watermarks with
// 50 order entries, 12 profiles per list, 256 entries per per-page list and
// 1000 forms.  The watermark, profile and per-page lists are written back
// only when the session changed them, so a store that holds more than the
// session's limits keeps what lies past them.
#pragma once

#include <cstdint>

#include "common/records/color_profile_record.h"
#include "common/records/inter_sheet_rules.h"
#include "common/records/settings_records.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

struct SideDataUiState {
  uint32_t authLoaded;                             // the authentication values were taken
  uint32_t profilesRead[kResidentProfileLists];    // each profile list's count as loaded
  uint32_t perPageRead;                            // bit n: list n + 1 was read, its sum below
  uint64_t perPageSums[kInterSheetLists];          // each per-page list's contents as read
};
static_assert(sizeof(SideDataUiState) <= kUiStateSideDataBytes);

// Loads what the session does not hold yet.
void LoadUserSideData(const SheetCtx* ctx);
// Writes everything the session holds; false when a store write failed
// (nothing is reported to the user).
bool SaveUserSideData(const SheetCtx* ctx);
// Frees everything and empties the places, so that a later load reads the
// stores again.
void FreeUserSideData(const SheetCtx* ctx);

// The per-page lists the session holds, noted as read where not yet noted,
// so that a later save knows which the session changed.
void NoteSessionPerPageLists(const SheetCtx* ctx);
// Writes the per-page lists the session changed since they were read (and
// those it never noted); a list it did not change stays in the store as it
// is, even past what the session could hold.  False when a write failed.
bool SaveChangedPerPageLists(const SheetCtx* ctx);

// The session's profile lists (null without a UI state).
ResidentProfileUiState* SessionResidentProfiles(const SheetCtx* ctx);

// The number of forms in the session's list of the model's overlay mode (0
// when none is loaded).
uint32_t SessionFormCount(const SheetCtx* ctx);
// Holds the settings' form and watermark positions to the session's lists:
// no forms switch the overlay off; a position past its list becomes the
// first.  True when the watermark position was reset.
bool ClampSessionListPositions(const SheetCtx* ctx, DocDMode* settings);
