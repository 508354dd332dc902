#include "dproc/fax/fax_field_rules.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// A signed decimal number with optional surrounding blanks; false for an
// empty text or a stray character.  Large values stop growing at 100000.
bool ParseSmallSigned(const char16_t* text, int* value) {
  if (text == nullptr) return false;
  const char16_t* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == u'-') {
    negative = true;
    ++p;
  }
  int v = 0;
  int digits = 0;
  while (IsDigit(*p)) {
    ++digits;
    if (v < 100000) v = v * 10 + (*p - u'0');
    ++p;
  }
  while (IsBlank(*p)) ++p;
  if (digits == 0 || *p != 0) return false;
  *value = negative ? -v : v;
  return true;
}

// The integer at `*p` (optional sign, digits), advancing past it; false
// when no digit is there.
bool ReadInt(const char16_t*& p, int* value) {
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == u'-' || *p == u'+') {
    negative = *p == u'-';
    ++p;
  }
  if (!IsDigit(*p)) return false;
  long v = 0;
  while (IsDigit(*p)) {
    if (v < 100000) v = v * 10 + (*p - u'0');
    ++p;
  }
  *value = static_cast<int>(negative ? -v : v);
  return true;
}

}  // namespace

bool FaxCharAllowed(FaxCharSet set, char16_t c) {
  if (IsDigit(c)) return true;
  switch (set) {
    case FaxCharSet::kFaxNumber:
      return c == u'#' || c == u'*' || c == u'P' || c == u'T' || c == u'-';
    case FaxCharSet::kSendId:
      return c == u'#' || c == u'*';
    case FaxCharSet::kDigits:
      return false;
  }
  return false;
}

FaxFilterResult FilterFaxText(FaxCharSet set, const char16_t* text, size_t length, uint32_t selStart,
                              uint32_t selEnd, char16_t* out) {
  FaxFilterResult r{0, 0, 0, false};
  for (size_t i = 0; i < length; ++i) {
    char16_t c = text[i];
    if (FaxCharAllowed(set, c)) {
      if (i < selStart) ++r.selStart;
      if (i < selEnd) ++r.selEnd;
      out[r.length++] = c;
    } else {
      r.changed = true;
    }
  }
  out[r.length] = 0;
  return r;
}

bool FaxCheckSendTime(const char16_t* hourText, const char16_t* minuteText, uint8_t* hour, uint8_t* minute) {
  int h = 0;
  int m = 0;
  if (!ParseSmallSigned(hourText, &h) || h < 0 || h > 23) return false;
  if (!ParseSmallSigned(minuteText, &m) || m < 0 || m > 59) return false;
  *hour = static_cast<uint8_t>(h);
  *minute = static_cast<uint8_t>(m);
  return true;
}

bool FaxCheckCodeText(FaxCharSet set, const char16_t* text) {
  if (text == nullptr || text[0] == 0) return false;
  for (const char16_t* p = text; *p != 0; ++p) {
    if (!FaxCharAllowed(set, *p)) return false;
  }
  return true;
}

void FormatFaxClock(int hour, int minute, char16_t* out, size_t capacity) {
  if (capacity == 0) return;
  auto clamp = [](int v) { return v < 0 ? 0 : v > 99 ? 99 : v; };
  int h = clamp(hour);
  int m = clamp(minute);
  const char16_t text[6] = {static_cast<char16_t>(u'0' + h / 10), static_cast<char16_t>(u'0' + h % 10), u':',
                            static_cast<char16_t>(u'0' + m / 10), static_cast<char16_t>(u'0' + m % 10), 0};
  size_t n = capacity - 1 < 5 ? capacity - 1 : 5;
  for (size_t i = 0; i < n; ++i) out[i] = text[i];
  out[n] = 0;
}

void ParseFaxClock(const char16_t* text, int* hour, int* minute) {
  int h = 0;
  int m = 0;
  const char16_t* p = text != nullptr ? text : u"";
  if (ReadInt(p, &h) && *p == u':') {
    ++p;
    if (ReadInt(p, &m)) {
      *hour = h;
      *minute = m;
      return;
    }
  }
  *hour = 0;
  *minute = 0;
}
