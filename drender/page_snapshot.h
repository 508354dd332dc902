// The page settings snapshot of a captured page: saved from the job's
// settings when the page starts and written back before the page is
// replayed.
#pragma once

#include <cstdint>

#include "drender/page_settings.h"

struct DocDMode;

// Copies the page-level fields of the settings into the snapshot; byte 514
// from `headerWritten`, byte 515 = 255.  Reserved bytes are left as they
// are (callers hand zero-filled snapshots).
void Page_SaveSettings(const DocDMode* doc, uint8_t headerWritten, PageSettings* snapshot);
// Writes every field of the snapshot back into the settings.
void Page_ApplySettings(DocDMode* doc, const PageSettings* snapshot);
