// The arithmetic of the custom paper size: how a width or length kept in
// tenths of a millimetre (and in hundredths or thousandths of an inch) is
// shown in the dialog's unit, what a typed text stores, the limits in the
// shown unit and the texts of the range label and the range message.
//
// "Fine" is the model's paper figure style 1: millimetres are shown in
// tenths and inches in thousandths; otherwise whole millimetres and
// hundredths of an inch.  Divisions truncate towards zero.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint8_t kCustomUnitMm = 0;
inline constexpr uint8_t kCustomUnitInch = 1;

struct CustomSizeView {
  uint8_t unit;  // 0 millimetres, 1 inches
  bool fine;
};

// The inch scale: 1000 (thousandths) when fine, else 100.
inline int32_t InchScale(bool fine) { return fine ? 1000 : 100; }
// Tenths of a millimetre in the inch scale, rounded to nearest.
inline int32_t TenthsToInchUnits(int32_t tenths, bool fine) { return (tenths * InchScale(fine) + 127) / 254; }

// The limits (tenths of a millimetre) in the shown unit: whole millimetres
// rounded, tenths, or inch units with the minimum rounded up and the
// maximum down.
void ShownLimits(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, int32_t* lo, int32_t* hi);

// The number shown for a stored dimension.
int32_t ShownValue(const CustomSizeView& view, int32_t tenths, uint32_t inchUnits);

// The edit text of a number in the shown unit: "%d", tenths "%d.%01d",
// hundredths "%d.%02d", thousandths "%d.%03d".
void FormatShownValue(const CustomSizeView& view, int32_t value, char16_t* out, size_t capacity);

// The number a typed text stands for in the shown unit (the up-down
// position that follows typing).
int32_t ShownValueOfText(const CustomSizeView& view, const char16_t* text);

// Reads a typed text into tenths and inch units.  False (nothing stored)
// for an empty text, or, without `clamp`, for a value outside the limits;
// with `clamp` the value is brought to the nearer limit.  In whole
// millimetres a typed limit stands for the model's exact limit.
bool ReadShownText(const CustomSizeView& view, const char16_t* text, int32_t minTenths, int32_t maxTenths,
                   bool clamp, int32_t* tenths, uint32_t* inchUnits);

// The range label: "mm [139...432]", "mm [139.4...431.8]", "inch [5.49...17.00]".
void FormatRangeLabel(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, char16_t* out,
                      size_t capacity);

// The two limit texts of the range message: inch units, tenths, or whole
// millimetres written "139(139.4)" when the rounded limit lies outside the
// model's exact one.
void FormatMessageLimits(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, char16_t* minText,
                         char16_t* maxText, size_t capacity);

// The edit's text limit: the length of the longer of the two limit texts.
size_t EditTextLimit(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths);
