#include "dproc/constraints/hint_text.h"

namespace {

size_t Length(const char16_t* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// Copies as much of `source` as fits before capacity - 1.
size_t CopyWithin(char16_t* text, size_t at, size_t capacity, const char16_t* source) {
  while (at + 1 < capacity && *source != 0) text[at++] = *source++;
  text[at] = 0;
  return at;
}

}  // namespace

void AppendHintLine(char16_t* text, size_t capacity, const char16_t* line) {
  if (text == nullptr || capacity == 0) return;
  text[capacity - 1] = 0;
  if (line == nullptr) return;
  size_t at = Length(text);
  if (at != 0) at = CopyWithin(text, at, capacity, u"\r\n");
  CopyWithin(text, at, capacity, line);
}

void ExpandNewlineEscapes(char16_t* text) {
  if (text == nullptr) return;
  for (; text[0] != 0; ++text) {
    if (text[0] == u'\\' && text[1] == u'n') {
      text[0] = u' ';
      text[1] = u'\n';
      ++text;
    }
  }
}
