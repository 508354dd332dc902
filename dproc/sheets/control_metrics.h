// Small decisions of the sheets' controls: how wide a number field must be
// and which system colour fills an owner-drawn item.
#pragma once

#include <cstdint>

// Characters of the longer of `a` and `b` written as signed decimals.
int GetMaxDigitCount(int32_t a, int32_t b);

// System colour indexes (GetSysColor) of an owner-drawn item's background.
inline constexpr int kColorWindow = 5;
inline constexpr int kColorInactiveCaption = 3;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorButtonFace = 15;
int ItemBackgroundColor(bool selected, bool disabled, bool listBox);
