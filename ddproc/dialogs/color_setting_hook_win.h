// The Colour Setting dialogs of the device library: a dialog procedure that
// shows one of their templates modally, with the sheet context as its
// creation parameter, offers every message to DDProc_DlgProc under the
// template id, and the hook of that template's variant does the work:
// it binds the procedure library's dialog services at WM_INITDIALOG and
// releases them at WM_DESTROY, fills the lists from the device library's
// colour tables and the session's resident profiles, stores each change
// under the constraint check, and answers OK, Cancel, Default and Help.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ddproc/dialogs/color_setting_variants.h"

// The hook of one variant; *handled is set for every message it consumes.
uint32_t ColorSettingDlgHook(const ColorSettingVariant& variant, HWND dialog, UINT message, WPARAM wParam,
                             LPARAM lParam, int32_t* handled);
