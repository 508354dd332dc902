// Compiles the readable text of an overlay form file to its bytes.
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "common/records/overlay_form_file.h"
#include "tools/qxd/form_document.h"

namespace qxd {
namespace {

// A quoted text from `line` at `*at`: doubled quotes and \xNN escapes.
bool QuotedBytes(const std::string& line, size_t at, std::string* out) {
  while (at < line.size() && line[at] == ' ') ++at;
  if (at >= line.size() || line[at] != '"') return false;
  out->clear();
  for (size_t i = at + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        out->push_back('"');
        ++i;
        continue;
      }
      return i + 1 == line.size();
    }
    if (c == '\\' && i + 3 < line.size() && line[i + 1] == 'x') {
      char hex[3] = {line[i + 2], line[i + 3], 0};
      char* end = nullptr;
      const long v = std::strtol(hex, &end, 16);
      if (end != hex + 2) return false;
      out->push_back(static_cast<char>(v));
      i += 3;
      continue;
    }
    out->push_back(c);
  }
  return false;
}

// UTF-8 to UTF-16 code units (the characters of the basic plane and pairs).
bool Utf16Of(const std::string& s, std::u16string* out) {
  out->clear();
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    uint32_t cp = 0;
    size_t n = 0;
    if (b < 0x80) { cp = b; n = 1; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; n = 2; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; n = 3; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; n = 4; }
    else return false;
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out->push_back(static_cast<char16_t>(cp));
    }
  }
  return true;
}

bool Number(const std::string& word, long long* value) {
  if (word.empty()) return false;
  char* end = nullptr;
  *value = std::strtoll(word.c_str(), &end, 0);
  return *end == '\0';
}

void Put16(std::vector<uint8_t>* b, size_t at, long long v) {
  (*b)[at] = static_cast<uint8_t>(v);
  (*b)[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>* b, size_t at, long long v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool IsFormText(const std::string& text) { return text.rfind("form\n", 0) == 0 || text == "form"; }

bool CompileFormText(const std::string& text, std::vector<uint8_t>* bytes, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::string magic = "QFV1", name, body;
  std::u16string wide;
  long long version = 2, headerSize = -1, width = 0, length = 0, color = 0, orientation = 0, resolution = 0,
            cut = -1;
  bool first = true;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = "line " + std::to_string(number) + ": ";
    if (first) {
      if (line != "form") return *error = where + "a form text starts with \"form\"", false;
      first = false;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    std::string quoted;
    long long value = 0;
    if (key == "magic" || key == "name" || key == "wide-name" || key == "body") {
      if (!QuotedBytes(line, key.size(), &quoted)) return *error = where + "a quoted text is expected", false;
      if (key == "magic") {
        if (quoted.size() != 4) return *error = where + "the magic is 4 bytes", false;
        magic = quoted;
      } else if (key == "name") {
        if (quoted.size() > 63) return *error = where + "a name holds at most 63 bytes", false;
        name = quoted;
      } else if (key == "wide-name") {
        if (!Utf16Of(quoted, &wide) || wide.size() > 63) {
          return *error = where + "a wide name is UTF-8 of at most 63 UTF-16 units", false;
        }
      } else {
        body += quoted;
      }
      continue;
    }
    if (!Number(rest, &value)) return *error = where + "a number is expected after \"" + key + "\"", false;
    if (key == "version") version = value;
    else if (key == "header-size") headerSize = value;
    else if (key == "width") width = value;
    else if (key == "length") length = value;
    else if (key == "color") color = value;
    else if (key == "orientation") orientation = value;
    else if (key == "resolution") resolution = value;
    else if (key == "cut") cut = value;
    else return *error = where + "unknown item \"" + key + "\"", false;
  }
  if (first) return *error = "empty text", false;
  const size_t layout = version == 1 ? kFormHeaderV1Size : kFormHeaderV2Size;
  if (!wide.empty() && layout != kFormHeaderV2Size) return *error = "a wide name needs a version 2 header", false;
  bytes->assign(layout, 0);
  std::memcpy(bytes->data(), magic.data(), 4);
  Put16(bytes, 4, version);
  Put16(bytes, 6, headerSize >= 0 ? headerSize : static_cast<long long>(layout));
  std::memcpy(bytes->data() + 16, name.data(), name.size());
  Put32(bytes, 80, width);
  Put32(bytes, 84, length);
  Put16(bytes, 88, color);
  Put16(bytes, 90, orientation);
  Put16(bytes, 92, resolution);
  for (size_t i = 0; i < wide.size(); ++i) Put16(bytes, 96 + 2 * i, wide[i]);
  bytes->insert(bytes->end(), body.begin(), body.end());
  if (cut >= 0 && static_cast<size_t>(cut) < bytes->size()) bytes->resize(static_cast<size_t>(cut));
  return true;
}

}  // namespace qxd
