// Overlay forms in jobs: a job printed to create a form writes its first
// page into the form file whose handle the caller gave (escape 0x40001)
// instead of printing; a job printed with a form selected loads the stored
// form named by the user's registry, defines it once as a user stream and
// runs it behind or in front of the chosen pages.
#pragma once

#include <cstdint>

#include "drender/job/temp_spool.h"

struct RenderPdev;

// Writes the form header and the first stored page to the form file handle,
// then closes the handle.  1 when all of it was written; 0 without a
// handle or a page, or on a failed read or write.
uint32_t Form_WriteOverlayFile(RenderPdev* pdev);

// Loads the page stream of the form the job selects (per-user value
// "Form<n>" under "Software\<maker>\<driver>\<printer>") into `spool`,
// emptied first.  1 or 0 (no key, value or file, a refused header, a failed
// read).
uint32_t Form_InsertStoredForm(RenderPdev* pdev, TempSpool* spool);

// The registry key of the printer's forms: "Software\<maker>\<driver>\<printer>"
// with the printer name's leading backslashes removed.  False
// when it does not fit in `chars` characters.
bool Form_GetRegistryKey(const wchar_t* maker, const wchar_t* driver, const wchar_t* printer, wchar_t* key,
                         uint32_t chars);

// The printer's driver name (at most 259 characters).  False when the
// printer cannot be opened or asked.
bool Prn_GetDriverName(const wchar_t* printer, wchar_t name[260]);

// Defines the selected form as the stream "O<n>" right after the session
// start of a replay, when the job has the overlay on and a form selected.
void Overlay_DefineStream(RenderPdev* pdev, uint8_t* buffer);
// Runs the overlay stream on the page being replayed when it is defined and
// the page is one the settings choose; `front` is true after the page's
// content (placement 1), false before it (placement 0).
void Overlay_ApplyToPage(RenderPdev* pdev, bool front);
