// Template expansion.
#include "drender/pjl/pjl_expand.h"

#include <cstring>
#include <vector>

#include "drender/pjl/pjl_parameters.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

uint32_t Pjl_UnquoteTemplate(const char* text, char* out, size_t size, bool* omit) {
  if (omit != nullptr) *omit = false;
  if (text == nullptr || out == nullptr || size == 0) return 0;
  size_t i = text[0] == '"' ? 1 : 0;
  size_t n = 0;
  while (text[i] != '\0' && text[i] != '"' && n < size) {
    char c = text[i++];
    if (c == '\\' && text[i] != '\0') {
      char e = text[i++];
      switch (e) {
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 'x': {
          int high = text[i] == '\0' ? 0 : HexDigit(text[i]);
          if (text[i] != '\0') ++i;
          if (high < 0) high = 0;
          int value = high * 16;
          if (text[i] != '\0') {
            int low = HexDigit(text[i]);
            if (low >= 0) value += low;
            ++i;  // a second digit that is not hexadecimal is skipped
          }
          c = static_cast<char>(value);
          break;
        }
        default: c = e; break;  // \" \\ and any other character
      }
    }
    out[n++] = c;
  }
  if (n < size) out[n] = '\0';
  if (omit != nullptr && text[i] == '"') {
    const char* slash = std::strchr(text + i + 1, '/');
    *omit = slash != nullptr && std::strncmp(slash, "/OMIT", 5) == 0;
  }
  return static_cast<uint32_t>(n);
}

uint32_t Pjl_ExpandTemplate(PjlJob* job, const char* text) {
  if (text == nullptr) return 0;
  if (text[0] == '\0') return 1;
  std::vector<char> line(kPjlLineSize + 1, '\0');
  std::vector<char> output(kPjlOutputSize, '\0');
  std::vector<char> value(kPjlValueSize, '\0');
  bool omit = false;
  const uint32_t lineLength = Pjl_UnquoteTemplate(text, line.data(), kPjlLineSize, &omit);
  size_t used = 0;
  size_t at = 0;
  auto append = [&](const char* bytes, size_t n) {
    if (n > kPjlOutputSize - used) return false;
    std::memcpy(output.data() + used, bytes, n);
    used += n;
    return true;
  };
  for (;;) {
    const void* found = std::memchr(line.data() + at, '%', lineLength - at);
    if (found == nullptr) break;
    const size_t percent = static_cast<const char*>(found) - line.data();
    if (std::strncmp(line.data() + percent, "%s{", 3) != 0) break;
    if (!append(line.data() + at, percent - at)) return 0;
    uint64_t length = 0;
    uint8_t cipher = 0;
    std::memset(value.data(), 0, value.size());
    if (Pjl_GetParameterValue(job, line.data() + percent, value.data(), value.size(), &length, &cipher) == 0) return 0;
    if (omit && length == 0) return 1;
    if (length > value.size()) return 0;
    // Raw cipher bytes are the one value the rule leaves alone: the device
    // reads them by their length and deciphers them, so a changed byte
    // would change the password.  The sample model's values send
    // enciphered values as hexadecimal text, which the rule keeps anyway.
    const bool rawCipher = cipher != 0 && job->values.cipherMethod != 0 && job->values.cipherOutput == 2;
    if (!rawCipher) Pjl_MakeValueSafe(value.data(), static_cast<size_t>(length));
    if (!append(value.data(), static_cast<size_t>(length))) return 0;
    const char* close = static_cast<const char*>(std::memchr(line.data() + percent, '}', lineLength - percent));
    if (close == nullptr) return 0;
    at = close - line.data() + 1;
  }
  // The rest of the line as it stands; a rest that does not fit drops the line.
  if (!append(line.data() + at, lineLength - at)) return 0;
  // Written by length: enciphered values may hold zero bytes.
  if (used == 0) return 1;
  return job->write != nullptr ? job->write(job->writeTarget, output.data(), static_cast<uint32_t>(used)) : 0;
}

uint32_t Pjl_CopyValue(const PjlJob* job, const char* source, bool utf8, char* out, size_t size) {
  if (out == nullptr || size == 0) return 1;
  std::memset(out, 0, size);
  if (source == nullptr) return 1;
  if (utf8) {
    PjlAnsiToUtf8Fn convert = job != nullptr && job->ansiToUtf8 != nullptr ? job->ansiToUtf8 : &Pjl_PortableAnsiToUtf8;
    // The conversion goes through 511 characters at most.
    char cut[512] = {};
    std::strncpy(cut, source, sizeof cut - 1);
    convert(cut, out, size);
  } else {
    std::strncpy(out, source, size);
  }
  // Two backslashes stay two backslashes: a document title such as
  // "\\server\share\report.pdf" must not become a line break.
  return 1;
}

void Pjl_MakeValueSafe(char* value, size_t length) {
  if (value == nullptr) return;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (c == '"') {
      value[i] = '\'';
    } else if (c < 0x20 || c == 0x7F) {
      value[i] = ' ';
    }
  }
}
