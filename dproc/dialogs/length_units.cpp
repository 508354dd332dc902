#include "dproc/dialogs/length_units.h"

#include <cstdlib>

#include "common/text/number_text.h"
#include "common/text/safe_format.h"

namespace {

int32_t Abs(int32_t v) { return v < 0 ? -v : v; }

// The divisor between the unit shown and its whole units.
int32_t FractionScale(LengthScale scale, LengthUnit unit) {
  if (scale == LengthScale::kMargin) return unit == LengthUnit::kMillimetre ? 1 : 100;
  return unit == LengthUnit::kMillimetre ? 10 : 1000;
}
int FractionDigits(int32_t divisor) { return divisor == 1 ? 0 : divisor == 10 ? 1 : divisor == 100 ? 2 : 3; }

size_t Length(const char16_t* t) {
  size_t n = 0;
  while (t[n] != 0) ++n;
  return n;
}

// A limit as whole part and fraction digits, with its sign also when the
// whole part is 0.
void AppendLimit(char16_t* out, size_t capacity, size_t* at, int32_t value, int32_t divisor) {
  auto put = [&](char16_t c) {
    if (*at + 1 < capacity) out[(*at)++] = c;
  };
  if (value < 0) put(u'-');
  const int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
  char16_t digits[24];
  size_t n = PutDecimalDigits(static_cast<uint64_t>(magnitude / divisor), digits);
  for (size_t i = 0; i < n; ++i) put(digits[i]);
  const int places = FractionDigits(divisor);
  if (places == 0) return;
  put(u'.');
  int64_t fraction = magnitude % divisor;
  for (int32_t d = divisor / 10; d >= 1; d /= 10) {
    put(static_cast<char16_t>(u'0' + fraction / d));
    fraction %= d;
  }
}

void AppendText(char16_t* out, size_t capacity, size_t* at, const char16_t* text) {
  for (; *text != 0; ++text) {
    if (*at + 1 < capacity) out[(*at)++] = *text;
  }
}

}  // namespace

int32_t MetricToImperial(LengthScale, int32_t metric) { return (metric * 1000 + 127) / 254; }

int32_t ImperialToMetric(LengthScale scale, int32_t imperial) {
  if (scale == LengthScale::kMargin) return ((imperial * 254 + 50) / 100 + 5) / 10;
  return (imperial * 254 + 500) / 1000;
}

LengthRange ImperialRange(LengthScale scale, LengthRange metric) {
  if (scale == LengthScale::kShift && Abs(metric.lower) == Abs(metric.upper)) {
    const int32_t m = (Abs(metric.upper) * 1000) / 254;
    return {-m, m};
  }
  return {(metric.lower * 1000 + 253) / 254, (metric.upper * 1000) / 254};
}

LengthRange RangeInUnit(LengthScale scale, LengthUnit unit, LengthRange metric) {
  return unit == LengthUnit::kMillimetre ? metric : ImperialRange(scale, metric);
}

void FormatLengthValue(LengthScale scale, LengthUnit unit, int32_t value, char16_t* out, size_t capacity) {
  if (capacity == 0) return;
  if (scale == LengthScale::kMargin && unit == LengthUnit::kMillimetre) {
    size_t at = 0;
    AppendLimit(out, capacity, &at, value, 1);
    out[at] = 0;
  } else if (scale == LengthScale::kMargin) {
    FormatHundredths(value, out, capacity);
  } else if (unit == LengthUnit::kMillimetre) {
    FormatTenths(value, out, capacity);
  } else {
    FormatThousandths(value, out, capacity);
  }
}

size_t LengthTextLimit(LengthScale scale, LengthUnit unit, LengthRange range) {
  char16_t lower[32], upper[32];
  FormatLengthValue(scale, unit, range.lower, lower, 32);
  FormatLengthValue(scale, unit, range.upper, upper, 32);
  const size_t a = Length(lower), b = Length(upper);
  return a > b ? a : b;
}

void FormatLengthRangeLabel(LengthScale scale, LengthUnit unit, LengthRange range, char16_t* out,
                            size_t capacity) {
  if (capacity == 0) return;
  size_t at = 0;
  AppendText(out, capacity, &at, unit == LengthUnit::kMillimetre ? u"mm" : u"inch");
  if (scale == LengthScale::kMargin) AppendText(out, capacity, &at, u" ");
  AppendText(out, capacity, &at, u"[");
  const int32_t divisor = FractionScale(scale, unit);
  AppendLimit(out, capacity, &at, range.lower, divisor);
  AppendText(out, capacity, &at, u"...");
  AppendLimit(out, capacity, &at, range.upper, divisor);
  AppendText(out, capacity, &at, u"]");
  out[at] = 0;
}

bool LengthAcceptsPoint(LengthScale scale, LengthUnit unit) {
  return scale == LengthScale::kShift || unit == LengthUnit::kInch;
}
bool LengthAcceptsSign(LengthScale scale) { return scale == LengthScale::kShift; }

bool ParseLengthText(LengthScale scale, LengthUnit unit, const char16_t* text, int32_t* value) {
  if (text == nullptr || text[0] == 0) return false;
  if (scale == LengthScale::kMargin && unit == LengthUnit::kMillimetre) {
    // A signed whole number, as the edit's integer read takes it.
    const char16_t* p = text;
    while (*p == u' ') ++p;
    bool negative = false;
    if (*p == u'-') {
      negative = true;
      ++p;
    }
    if (*p < u'0' || *p > u'9') return false;
    int64_t v = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
      v = v * 10 + (*p - u'0');
      if (v > 0x7FFFFFFF) return false;
    }
    if (*p != 0) return false;
    *value = static_cast<int32_t>(negative ? -v : v);
    return true;
  }
  if (scale == LengthScale::kMargin) *value = ParseHundredths(text);
  else if (unit == LengthUnit::kMillimetre) *value = ParseHundredths(text) / 10;
  else *value = ParseThousandths(text);
  return true;
}

int32_t SpinValueOfText(LengthScale scale, LengthUnit unit, const char16_t* text) {
  if (scale == LengthScale::kMargin && unit == LengthUnit::kMillimetre) {
    return (ParseHundredths(text) / 10 + 5) / 10;
  }
  int32_t v = 0;
  return ParseLengthText(scale, unit, text, &v) ? v : 0;
}

bool LengthFieldsOf(LengthScale scale, LengthUnit unit, int32_t typed, LengthRange metricRange, bool clamp,
                    int16_t* metric, int16_t* imperial) {
  const LengthRange range = RangeInUnit(scale, unit, metricRange);
  if (typed < range.lower || typed > range.upper) {
    if (!clamp) return false;
    typed = typed < range.lower ? range.lower : range.upper;
  }
  if (unit == LengthUnit::kMillimetre) {
    *metric = static_cast<int16_t>(typed);
    *imperial = static_cast<int16_t>(MetricToImperial(scale, typed));
  } else {
    *imperial = static_cast<int16_t>(typed);
    *metric = static_cast<int16_t>(ImperialToMetric(scale, typed));
  }
  return true;
}

void FormatLengthRangeMessage(LengthScale scale, LengthUnit unit, LengthRange range, const char16_t* outOfRange,
                              const char16_t* rangeText, char16_t* out, size_t capacity) {
  if (capacity == 0) return;
  constexpr size_t kFormatUnits = 290, kResultUnits = 260;
  char16_t format[kFormatUnits] = {};
  size_t at = 0;
  for (const char16_t* p = outOfRange; p != nullptr && *p != 0 && at + 1 < kFormatUnits; ++p) {
    if (*p == u'\\') {
      format[at++] = u'\n';
      if (p[1] != 0 && at + 1 < kFormatUnits) {
        format[at++] = u' ';
        ++p;
      }
    } else {
      format[at++] = *p;
    }
  }
  AppendText(format, kFormatUnits, &at, u"\n\n");
  if (rangeText != nullptr) AppendText(format, kFormatUnits, &at, rangeText);
  format[at] = 0;

  SafeFormatArg args[4] = {SafeFormatArg::Number(0), SafeFormatArg::Number(0), SafeFormatArg::Number(0),
                           SafeFormatArg::Number(0)};
  size_t count = 2;
  if (unit == LengthUnit::kMillimetre) {
    const int32_t divisor = scale == LengthScale::kShift ? 10 : 1;
    args[0] = SafeFormatArg::Number(range.lower / divisor);
    args[1] = SafeFormatArg::Number(range.upper / divisor);
  } else {
    // Each limit as its whole part, carrying the limit's sign also when it
    // is 0 (-0.500), and the digits of its fraction without a sign.
    const int32_t d = scale == LengthScale::kShift ? 1000 : 100;
    count = 4;
    args[0] = SafeFormatArg::WholePart(range.lower / d, range.lower < 0);
    args[1] = SafeFormatArg::Number(Abs(range.lower % d));
    args[2] = SafeFormatArg::WholePart(range.upper / d, range.upper < 0);
    args[3] = SafeFormatArg::Number(Abs(range.upper % d));
  }
  SafeFormat(format, args, count, out, capacity < kResultUnits ? capacity : kResultUnits);
}
