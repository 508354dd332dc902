// The Colour Setting dialogs of the device library: a dialog procedure that
// shows one of their templates modally, with the sheet context as its
// creation parameter, offers every message to DDProc_DlgProc under the
// template id.  The hook binds the procedure library at WM_INITDIALOG and
// releases it at WM_DESTROY, and runs the dialog on its dialog skeleton
// (RunDeviceDialog) with the variant's description: the lists filled from
// the device library's colour tables and the session's resident profiles,
// each list, check box and radio button a change the skeleton commits under
// the constraint check; the skeleton answers OK, Cancel, Default and Help.
// Without the skeleton the dialog ends at once with Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ddproc/dialogs/color_setting_variants.h"

// The hook of one variant; *handled is set for every message it consumes.
uint32_t ColorSettingDlgHook(const ColorSettingVariant& variant, HWND dialog, UINT message, WPARAM wParam,
                             LPARAM lParam, int32_t* handled);
