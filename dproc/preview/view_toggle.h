// The text of the preview area's view toggle (control 1130).
#pragma once

#include <cstdint>

#include "dproc/model/disp_strings.h"

inline constexpr int32_t kViewToggleControl = 1130;
inline constexpr int32_t kWebLinkControl = 1201;

// "ViewPrinter" while the sheet's own picture is shown (the printer view is
// offered); else "ViewQuality" on the quality pages (105, 196, 2531) and
// "ViewPaper" on the others.
const char* ViewToggleKey(int32_t pageId, uint8_t viewFlag);
// The text of the table's entry shown by control 1130 under that key, or
// null when there is none (the toggle then keeps its text).
const char16_t* FindViewToggleText(const DispStringItem* table, const char* key);
