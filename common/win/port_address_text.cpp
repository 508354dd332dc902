#include "common/win/port_address_text.h"

namespace {

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// True when `text` begins with `prefix`, ASCII case ignored.
bool StartsWith(const char16_t* text, const char16_t* prefix) {
  for (; *prefix != 0; ++text, ++prefix) {
    if (*text == 0 || AsciiLower(*text) != AsciiLower(*prefix)) return false;
  }
  return true;
}

size_t SpanTo(const char16_t* text, char16_t stop) {
  size_t n = 0;
  while (text[n] != 0 && text[n] != stop) ++n;
  return n;
}

}  // namespace

bool FindIppUrlHost(const char16_t* text, TextSpan* host) {
  if (text == nullptr || host == nullptr) return false;
  size_t start;
  if (StartsWith(text, u"http://")) {
    start = 7;
  } else if (StartsWith(text, u"https://")) {
    start = 8;
  } else {
    return false;
  }
  size_t length = SpanTo(text + start, u'/');
  if (length == 0) return false;
  const char16_t* rest = text + start + length;
  if (*rest == u'/' && !StartsWith(rest, u"/ipp")) return false;
  *host = {start, length};
  return true;
}

bool FindUncServerName(const char16_t* text, TextSpan* server) {
  if (text == nullptr || server == nullptr) return false;
  if (text[0] != u'\\' || text[1] != u'\\') return false;
  size_t length = SpanTo(text + 2, u'\\');
  if (length == 0) return false;
  *server = {2, length};
  return true;
}

bool FindUrlHostByHand(const char16_t* url, TextSpan* host) {
  if (url == nullptr || host == nullptr) return false;
  size_t at = 0;
  while (url[at] != 0 && !(url[at] == u'/' && url[at + 1] == u'/')) ++at;
  if (url[at] == 0) return false;
  size_t start = at + 2;
  size_t length = SpanTo(url + start, u'/');
  bool inBrackets = false;
  for (size_t i = 0; i < length; ++i) {
    char16_t c = url[start + i];
    if (c == u'[') inBrackets = true;
    if (c == u']') inBrackets = false;
    if (c == u':' && !inBrackets) {
      length = i;
      break;
    }
  }
  if (length > 0 && url[start] == u'[') {
    ++start;
    --length;
  }
  if (length > 0 && url[start + length - 1] == u']') --length;
  if (length == 0) return false;
  *host = {start, length};
  return true;
}
