#include "dproc/basic/custom_size_rules.h"

#include <algorithm>
#include <cstdlib>

#include "common/text/number_text.h"
#include "common/text/safe_format.h"

namespace {

bool IsInch(const CustomSizeView& view) { return view.unit == kCustomUnitInch; }

int32_t InchLimitLow(int32_t minTenths, bool fine) { return (minTenths * InchScale(fine) + 253) / 254; }
int32_t InchLimitHigh(int32_t maxTenths, bool fine) { return (maxTenths * InchScale(fine)) / 254; }
int32_t InchToTenths(int32_t t, bool fine) { return fine ? (t * 254 + 500) / 1000 : (t * 254 + 50) / 100; }

// A signed decimal number at the start of the text (as an edit box reports
// it); 0 when there is none.
int32_t LeadingInteger(const char16_t* text) {
  bool negative = false;
  size_t i = 0;
  if (text[i] == u'-') {
    negative = true;
    ++i;
  }
  int64_t v = 0;
  for (; text[i] >= u'0' && text[i] <= u'9'; ++i) {
    v = v * 10 + (text[i] - u'0');
    if (v > INT32_MAX) v = INT32_MAX;
  }
  return static_cast<int32_t>(negative ? -v : v);
}

void FormatWithSafeFormat(const char16_t* format, const SafeFormatArg* args, size_t count, char16_t* out,
                          size_t capacity) {
  SafeFormat(format, args, count, out, capacity);
}

}  // namespace

void ShownLimits(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, int32_t* lo, int32_t* hi) {
  if (IsInch(view)) {
    *lo = InchLimitLow(minTenths, view.fine);
    *hi = InchLimitHigh(maxTenths, view.fine);
  } else if (view.fine) {
    *lo = minTenths;
    *hi = maxTenths;
  } else {
    *lo = (minTenths + 5) / 10;
    *hi = (maxTenths + 5) / 10;
  }
}

int32_t ShownValue(const CustomSizeView& view, int32_t tenths, uint32_t inchUnits) {
  if (IsInch(view)) return static_cast<int32_t>(inchUnits);
  return view.fine ? tenths : (tenths + 5) / 10;
}

void FormatShownValue(const CustomSizeView& view, int32_t value, char16_t* out, size_t capacity) {
  if (IsInch(view)) {
    (view.fine ? FormatThousandths : FormatHundredths)(value, out, capacity);
  } else if (view.fine) {
    FormatTenths(value, out, capacity);
  } else {
    const SafeFormatArg arg = SafeFormatArg::Number(value);
    FormatWithSafeFormat(u"%d", &arg, 1, out, capacity);
  }
}

int32_t ShownValueOfText(const CustomSizeView& view, const char16_t* text) {
  if (IsInch(view)) return view.fine ? ParseThousandths(text) : ParseHundredths(text);
  int32_t tenths = ParseHundredths(text) / 10;
  return view.fine ? tenths : (tenths + 5) / 10;
}

bool ReadShownText(const CustomSizeView& view, const char16_t* text, int32_t minTenths, int32_t maxTenths,
                   bool clamp, int32_t* tenths, uint32_t* inchUnits) {
  if (text == nullptr || text[0] == u'\0') return false;
  int32_t m = 0;
  int32_t t = 0;
  if (IsInch(view)) {
    t = view.fine ? ParseThousandths(text) : ParseHundredths(text);
    const int32_t lo = InchLimitLow(minTenths, view.fine);
    const int32_t hi = InchLimitHigh(maxTenths, view.fine);
    if (t < lo || t > hi) {
      if (!clamp) return false;
      t = std::clamp(t, lo, std::max(lo, hi));
    }
    m = InchToTenths(t, view.fine);
  } else {
    if (view.fine) {
      m = ParseHundredths(text) / 10;
    } else {
      const int32_t n = LeadingInteger(text);
      m = n > INT32_MAX / 10 ? INT32_MAX : (n < INT32_MIN / 10 ? INT32_MIN : 10 * n);
      if (n == (minTenths + 5) / 10) m = std::max(m, minTenths);
      if (n == (maxTenths + 5) / 10 && m > maxTenths) m = maxTenths;
    }
    if (m < minTenths || m > maxTenths) {
      if (!clamp) return false;
      m = std::clamp(m, minTenths, std::max(minTenths, maxTenths));
    }
    t = TenthsToInchUnits(m, view.fine);
  }
  *tenths = m;
  *inchUnits = static_cast<uint32_t>(t);
  return true;
}

void FormatRangeLabel(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, char16_t* out,
                      size_t capacity) {
  int32_t lo = 0, hi = 0;
  ShownLimits(view, minTenths, maxTenths, &lo, &hi);
  char16_t low[24] = {}, high[24] = {};
  FormatShownValue(view, lo, low, 24);
  FormatShownValue(view, hi, high, 24);
  const SafeFormatArg args[] = {SafeFormatArg::Text(low), SafeFormatArg::Text(high)};
  FormatWithSafeFormat(IsInch(view) ? u"inch [%s...%s]" : u"mm [%s...%s]", args, 2, out, capacity);
}

void FormatMessageLimits(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths, char16_t* minText,
                         char16_t* maxText, size_t capacity) {
  if (IsInch(view) || view.fine) {
    int32_t lo = 0, hi = 0;
    ShownLimits(view, minTenths, maxTenths, &lo, &hi);
    FormatShownValue(view, lo, minText, capacity);
    FormatShownValue(view, hi, maxText, capacity);
    return;
  }
  auto write = [&](int32_t exact, bool outside, char16_t* out) {
    const int32_t whole = (exact + 5) / 10;
    if (!outside) {
      const SafeFormatArg arg = SafeFormatArg::Number(whole);
      FormatWithSafeFormat(u"%d", &arg, 1, out, capacity);
      return;
    }
    const SafeFormatArg args[] = {SafeFormatArg::Number(whole), SafeFormatArg::WholePart(exact / 10, exact < 0),
                                  SafeFormatArg::Number(std::abs(exact % 10))};
    FormatWithSafeFormat(u"%d(%d.%d)", args, 3, out, capacity);
  };
  const int32_t wholeMin = (minTenths + 5) / 10;
  const int32_t wholeMax = (maxTenths + 5) / 10;
  write(minTenths, minTenths > 10 * wholeMin, minText);
  write(maxTenths, maxTenths < 10 * wholeMax, maxText);
}

size_t EditTextLimit(const CustomSizeView& view, int32_t minTenths, int32_t maxTenths) {
  int32_t lo = 0, hi = 0;
  ShownLimits(view, minTenths, maxTenths, &lo, &hi);
  char16_t a[24] = {}, b[24] = {};
  FormatShownValue(view, lo, a, 24);
  FormatShownValue(view, hi, b, 24);
  size_t la = 0, lb = 0;
  while (a[la] != 0) ++la;
  while (b[lb] != 0) ++lb;
  return std::max(la, lb);
}
