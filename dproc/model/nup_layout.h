// How the pages of an N-up setting are laid out on the sheet.
#pragma once

#include "common/records/settings_records.h"

// 0: two pages on a portrait sheet, 1: two pages on a landscape sheet, 2:
// four to sixteen pages, -1: no N-up (off, or a poster setting).
int GetNupLayoutKind(const DocDMode* doc);
