#include "common/text/number_text.h"

namespace {

int32_t Saturate(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int32_t ParseScaled(const char16_t* text, int places) {
  if (text == nullptr) return 0;
  const char16_t* p = text;
  while (*p == u' ' || *p == u'\t') ++p;
  int64_t sign = 1;
  if (*p == u'-') {
    sign = -1;
    ++p;
  } else if (*p == u'+') {
    ++p;
  }
  int64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  // Past this the result saturates whatever digits follow.
  constexpr int64_t kCeiling = int64_t{1} << 40;
  int64_t whole = 0;
  while (IsDigit(*p)) {
    if (whole < kCeiling) whole = whole * 10 + (*p - u'0');
    ++p;
  }
  int64_t fraction = 0;
  if (*p == u'.') {
    ++p;
    for (int i = 0; i < places; ++i) {
      fraction = fraction * 10 + (IsDigit(*p) ? *p - u'0' : 0);
      if (*p != u'\0') ++p;
    }
  }
  return Saturate((whole * scale + fraction) * sign);
}

void FormatScaled(int32_t value, int places, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  int64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  int64_t v = value;
  bool negative = v < 0;
  if (negative) v = -v;
  int64_t whole = v / scale, rest = v % scale;

  char16_t text[32];
  size_t n = 0;
  if (negative) text[n++] = u'-';
  n += PutDecimalDigits(static_cast<uint64_t>(whole), text + n);
  text[n++] = u'.';
  for (int64_t s = scale / 10; s >= 1; s /= 10) text[n++] = static_cast<char16_t>(u'0' + (rest / s) % 10);

  size_t copy = n < capacity - 1 ? n : capacity - 1;
  for (size_t i = 0; i < copy; ++i) out[i] = text[i];
  out[copy] = u'\0';
}

}  // namespace

size_t PutDecimalDigits(uint64_t value, char16_t* out) {
  char16_t digits[20];
  size_t d = 0;
  do {
    digits[d++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (size_t i = 0; i < d; ++i) out[i] = digits[d - 1 - i];
  return d;
}

int32_t ParseHundredths(const char16_t* text) { return ParseScaled(text, 2); }
int32_t ParseThousandths(const char16_t* text) { return ParseScaled(text, 3); }

void FormatTenths(int32_t value, char16_t* out, size_t capacity) { FormatScaled(value, 1, out, capacity); }
void FormatHundredths(int32_t value, char16_t* out, size_t capacity) { FormatScaled(value, 2, out, capacity); }
void FormatThousandths(int32_t value, char16_t* out, size_t capacity) { FormatScaled(value, 3, out, capacity); }
