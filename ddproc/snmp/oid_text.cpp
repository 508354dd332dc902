#include "ddproc/snmp/oid_text.h"

bool ParseOidText(const char* text, uint32_t* arcs, size_t* count) {
  *count = 0;
  if (text == nullptr) return false;
  const char* p = text;
  if (*p == '.') ++p;
  size_t n = 0;
  uint64_t arc = 0;
  size_t digits = 0;
  for (;; ++p) {
    char c = *p;
    if (c >= '0' && c <= '9') {
      if (++digits > kOidTextMaxArcDigits) return false;
      arc = arc * 10 + static_cast<uint64_t>(c - '0');
      if (arc > 0xFFFFFFFFu) return false;
      continue;
    }
    if (c != '.' && c != '\0') return false;
    if (c == '\0' && p == text) break;  // empty text
    if (n >= kOidTextMaxArcs) return false;
    arcs[n++] = static_cast<uint32_t>(arc);
    arc = 0;
    digits = 0;
    if (c == '\0') break;
  }
  if (n < 2 || arcs[0] > 2 || arcs[1] > 39) return false;
  *count = n;
  return true;
}

bool OidEqualsText(const uint32_t* arcs, size_t count, const char* text) {
  uint32_t expected[kOidTextMaxArcs];
  size_t n = 0;
  if (!ParseOidText(text, expected, &n) || n != count) return false;
  for (size_t i = 0; i < n; ++i) {
    if (arcs[i] != expected[i]) return false;
  }
  return true;
}
