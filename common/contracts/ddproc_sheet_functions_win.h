// The exports of VELDRANH that serve the sheets of the procedure library:
// the printer view and logos of the preview areas, the dialog hook, and the
// two feature-table contributions (their names are in ddproc_functions.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/contracts/ddproc_functions.h"
#include "common/contracts/printer_view_options.h"

// DrawPrinterView and its record are in printer_view_options.h.
// `layout` 6 (low 16 bits) moves control 1301 above control 1007 first.
using DrawLogoImageFn = BOOL(DDPROC_CALL*)(HDC dc, HWND dialog, void* ignored, uint32_t layout);
using DrawLogoVersionTabFn = BOOL(DDPROC_CALL*)(HDC dc, void* ignored, int32_t centreX, int32_t centreY);

// Every message of a sheet or dialog of the procedure library, offered
// first under the caller's template id.  The caller clears *handled; when
// it comes back set, the result is the caller's own result for the
// message.
using DDProcDlgProcFn = uint32_t(DDPROC_CALL*)(int32_t pageId, HWND dialog, UINT message, WPARAM wParam,
                                                LPARAM lParam, int32_t* handled);

// The device-specific option table and settings field of a feature: the
// library contributes none (null for every keyword).  Callers may pass
// further arguments, so these are called with the caller cleaning up.
using DDProcFeatureNameFn = void* (*)(const wchar_t* keyword, ...);
