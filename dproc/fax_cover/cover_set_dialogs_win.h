// The Save and Edit Cover Sheet Setting dialogs of the cover-sheet setting
// dialog: both work on the state's set list and write it to the store on OK.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/fax_cover/cover_dialog_state.h"

// 1 when a new set was saved (it is the list's current set), 2 on Cancel.
intptr_t RunSaveCoverSheetSet(HWND owner, FcsDialogState* state);
// 1 when the edited list was stored, 2 on Cancel (nothing changed).
intptr_t RunEditCoverSheetSet(HWND owner, FcsDialogState* state);
