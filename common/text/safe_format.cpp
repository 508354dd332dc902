#include "common/text/safe_format.h"

#include "common/text/number_text.h"

namespace {

class Writer {
 public:
  Writer(char16_t* out, size_t capacity) : out_(out), capacity_(capacity) {}
  void Put(char16_t c) {
    if (length_ + 1 < capacity_) out_[length_++] = c;
    else cut_ = true;
  }
  void PutText(const char16_t* text) {
    for (; text != nullptr && *text != u'\0'; ++text) Put(*text);
  }
  void PutNumber(int32_t value, size_t zeroWidth = 0, bool minusZero = false) {
    int64_t v = value;
    if (v < 0 || (v == 0 && minusZero)) {
      Put(u'-');
      v = -v;
    }
    char16_t digits[20];
    size_t n = PutDecimalDigits(static_cast<uint64_t>(v), digits);
    for (size_t i = n; i < zeroWidth; ++i) Put(u'0');
    for (size_t i = 0; i < n; ++i) Put(digits[i]);
  }
  bool Finish() {
    out_[length_] = u'\0';
    return !cut_;
  }

 private:
  char16_t* out_;
  size_t capacity_;
  size_t length_ = 0;
  bool cut_ = false;
};

}  // namespace

bool SafeFormat(const char16_t* format, const SafeFormatArg* args, size_t argCount, char16_t* out,
                size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  Writer w(out, capacity);
  size_t next = 0;
  for (const char16_t* p = format; p != nullptr && *p != u'\0'; ++p) {
    if (*p != u'%') {
      w.Put(*p);
      continue;
    }
    char16_t spec = p[1];
    if (spec == u'%') {
      w.Put(u'%');
      ++p;
    } else if (spec == u'd' || spec == u's') {
      // Each placeholder takes its own argument, in order, as printf would;
      // one whose argument is missing or of the other kind stays as written.
      const SafeFormatArg* arg = next < argCount ? &args[next++] : nullptr;
      if (arg != nullptr && spec == u'd' && arg->kind == SafeFormatArg::kNumber) w.PutNumber(arg->number, 0, arg->minusZero);
      else if (arg != nullptr && spec == u's' && arg->kind == SafeFormatArg::kText) w.PutText(arg->text);
      else {
        w.Put(u'%');
        w.Put(spec);
      }
      ++p;
    } else if (spec == u'0' && ((p[2] >= u'1' && p[2] <= u'9' && p[3] == u'd') || p[2] == u'd')) {
      // "%0Nd": a number with at least N digits, zero-padded (the inch
      // values' fractions); "%0d" is a plain number.
      const size_t width = p[2] == u'd' ? 0 : static_cast<size_t>(p[2] - u'0');
      const SafeFormatArg* arg = next < argCount ? &args[next++] : nullptr;
      const size_t length = p[2] == u'd' ? 3 : 4;
      if (arg != nullptr && arg->kind == SafeFormatArg::kNumber) w.PutNumber(arg->number, width, arg->minusZero);
      else
        for (size_t i = 0; i < length; ++i) w.Put(p[i]);
      p += length - 1;
    } else {
      w.Put(u'%');
    }
  }
  return w.Finish();
}

void ExpandMessageLineBreaks(char16_t* text) {
  if (text == nullptr) return;
  for (; text[0] != u'\0'; ++text) {
    if (text[0] == u'\\' && text[1] == u'n') {
      text[0] = u' ';
      text[1] = u'\n';
      ++text;
    }
  }
}
