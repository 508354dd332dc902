// The per-page pictures drawn: the tab sheet schematic with its caption,
// shared by the Per Page Setting and Caption Detail dialogs.
#pragma once

#include <windows.h>

#include "common/records/inter_sheet_list.h"

// The edge of a tab sheet with one tab, fitted into `area`, the entry's
// caption in the tab in its font and direction; nothing when it cannot be
// fitted.
void DrawTabSchematic(HDC dc, const RECT& area, const TabSettings& tab, const InterSheetEntry& entry);
