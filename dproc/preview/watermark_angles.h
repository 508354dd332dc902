// Angles and colour of the paper view's watermark text.
#pragma once

#include <cstdint>

// A watermark angle in degrees as a font escapement in tenths of a degree,
// brought into 0..3599 by a true modulo (any stored angle, however large or
// negative, lands in range).
int32_t WatermarkEscapement(int32_t angleDegrees);
// Sine and cosine in thousandths for an angle in tenths of a degree, from a
// 3600-entry table whose entry i holds the truncated value at (i + 5) tenths;
// the angle is brought into range first.
int32_t WatermarkSine(int32_t tenths);
int32_t WatermarkCosine(int32_t tenths);
// The text colour: the grey of the watermark colour, lightened first when
// the watermark is transparent.
uint32_t WatermarkGrey(uint32_t colour, bool transparent);
