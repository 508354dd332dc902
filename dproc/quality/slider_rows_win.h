// A row of a slider, its edit and spin and the two range labels, as the
// colour adjustment dialog and the colour detail pages show a signed
// adjustment: the slider and the spin keep to the range, the edit takes only
// digits and "-", and a value is taken only when the edit holds a number
// within the range.
#pragma once

#include <windows.h>

#include <cstdint>

struct SliderRow {
  int label, slider, minimum, maximum, edit, spin;
};

// Range, tick frequency, line and page size of the slider; range and step of
// the spin; the edit's length limit and the range labels ("-9", "+9").
void SetUpSliderRow(HWND dialog, const SliderRow& row, int32_t low, int32_t high);
// Spin, edit and slider show `value`.
void ShowSliderRow(HWND dialog, const SliderRow& row, int32_t value);
// The edit's number when it is one within the range.
bool ReadSliderRow(HWND dialog, const SliderRow& row, int32_t low, int32_t high, int32_t* value);
// The edit changed: its text is cut at the first character that is neither
// a digit nor "-"; true with the value when it is a number within the
// range, the slider then moved to it.
bool SliderEditChanged(HWND dialog, const SliderRow& row, int32_t low, int32_t high, int32_t* value);
// A slider moved: the index of its row in `rows` (its spin and edit then
// show the slider's position), or -1 when none of the rows owns it.
int SliderRowMoved(HWND dialog, const SliderRow* rows, int count, HWND slider);
