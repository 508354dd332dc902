// The texts of the paper view's size labels: paper name and size in
// millimetres or inches, cut to the width of the preview.
#pragma once

#include <cstdint>
#include <string>

#include "dproc/preview/paper_view_plan.h"

// `value` / `divisor` with as many decimals as the divisor has digits less
// one, trailing zeros removed ("21", "8.5", "11.69"); negative values keep
// their sign.  A divisor of 0 or 1 gives the integer alone.
std::u16string FormatFixedPoint(int64_t value, uint32_t divisor);

// The label of a paper: "<name> (<w>x<l>mm)", or in inches "<name> (<w>x<l>")"
// for the custom size, server forms and user papers whose unit is inch.
std::u16string PaperLabelText(const PaperLabelInput& paper, const PaperViewInputs& in);

// Cuts `text` to fit `available` pixels, ending it in "..."; the measure
// gives a text's width.  Never divides by zero and never keeps a negative
// count of characters: nothing fits, only what fits of "..." remains.
std::u16string ShortenToWidth(const std::u16string& text, int32_t available,
                              int32_t (*width)(void* context, const std::u16string& text), void* context);
