// Lengths that the dialogs show in millimetres or inches.  Each length is
// stored twice in the document settings, as a metric and an imperial signed
// 16-bit field, written together.  Two scales: the margin scale (whole
// millimetres, hundredths of an inch) and the shift scale (tenths of a
// millimetre, thousandths of an inch).  All arithmetic is signed 32-bit and
// every division truncates toward zero.
#pragma once

#include <cstddef>
#include <cstdint>

enum class LengthScale { kMargin, kShift };
enum class LengthUnit : uint8_t { kMillimetre = 0, kInch = 1 };

struct LengthRange {
  int32_t lower, upper;
};

int32_t MetricToImperial(LengthScale scale, int32_t metric);
int32_t ImperialToMetric(LengthScale scale, int32_t imperial);
// The imperial range of a metric range: inside it for limits of 0 or more
// (the lower limit rounds up, the upper down); a shift range of equal
// magnitudes stays symmetric.
LengthRange ImperialRange(LengthScale scale, LengthRange metric);
// The range in the unit shown.
LengthRange RangeInUnit(LengthScale scale, LengthUnit unit, LengthRange metric);

// A value as its edit shows it: margin mm "12", margin inch "1.25", shift
// mm "12.5", shift inch "1.250".
void FormatLengthValue(LengthScale scale, LengthUnit unit, int32_t value, char16_t* out, size_t capacity);
// The edit's text limit: the character count of the longer limit text (of
// the upper limit when both are equally long).
size_t LengthTextLimit(LengthScale scale, LengthUnit unit, LengthRange rangeInUnit);
// The range label: "mm [0...50]", "inch [0.00...1.96]", "mm[0.0...250.0]",
// "inch[0.000...9.842]"; a negative limit keeps its minus sign also when its
// whole part is 0.  At most capacity - 1 characters.
void FormatLengthRangeLabel(LengthScale scale, LengthUnit unit, LengthRange rangeInUnit, char16_t* out,
                            size_t capacity);

// Characters an edit accepts while typing: the margin scale takes digits
// (and "." in inch); the shift scale digits, "." and "-" in both units.
bool LengthAcceptsPoint(LengthScale scale, LengthUnit unit);
bool LengthAcceptsSign(LengthScale scale);

// The value a text stands for in the unit shown (margin mm: a signed whole
// number; margin inch: hundredths; shift mm: tenths, a second decimal
// dropped; shift inch: thousandths).  False for an empty text or, at the
// margin scale in mm, a text that is not a whole number.
bool ParseLengthText(LengthScale scale, LengthUnit unit, const char16_t* text, int32_t* value);
// The spin position for a typed text: as ParseLengthText, except that the
// margin scale in mm rounds a decimal text to whole millimetres.
int32_t SpinValueOfText(LengthScale scale, LengthUnit unit, const char16_t* text);

// Both fields of a typed value.  Outside the range of the unit shown:
// without `clamp` false and nothing written; with it the typed value is
// limited to the range and the other field converted from the limited one.
bool LengthFieldsOf(LengthScale scale, LengthUnit unit, int32_t typed, LengthRange metricRange, bool clamp,
                    int16_t* metric, int16_t* imperial);

// The out-of-range message: `outOfRange` (a backslash becomes a line feed
// and the character after it a blank), two line feeds, then `rangeText`
// with its placeholders filled: in mm the two limits in whole millimetres,
// in inch the whole part and the fraction digits of each limit, a negative
// limit keeping its minus sign also when its whole part is 0.  The format is
// kept to 289 characters and the result to 259.
void FormatLengthRangeMessage(LengthScale scale, LengthUnit unit, LengthRange rangeInUnit,
                              const char16_t* outOfRange, const char16_t* rangeText, char16_t* out, size_t capacity);
