#include "dproc/saved/ini_document.h"

#include "common/text/utf8_text.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::u16string Cut(std::u16string_view s, size_t limit) { return std::u16string(s.substr(0, limit)); }

IniLine MakeLine(std::u16string_view text) {
  IniLine line;
  line.text.assign(text);
  const std::u16string_view trimmed = Trim(text);
  if (!trimmed.empty() && trimmed.front() == u';') {
    line.kind = IniLineKind::kComment;
    return line;
  }
  const size_t eq = text.find(u'=');
  if (eq == std::u16string_view::npos) {
    // A line without an equals sign is its own key, untrimmed; an empty one
    // has none.
    line.kind = text.empty() ? IniLineKind::kKeyless : IniLineKind::kKey;
    line.key = Cut(text, kIniMaxKeyText);
    return line;
  }
  const std::u16string_view key = Trim(text.substr(0, eq));
  if (key.empty()) {
    line.kind = IniLineKind::kKeyless;
    return line;
  }
  line.kind = IniLineKind::kKey;
  line.key = Cut(key, kIniMaxKeyText);
  line.value = Cut(Trim(text.substr(eq + 1)), kIniMaxKeyText);
  return line;
}

// The name of a header line, or false when the line is no header.
bool HeaderName(std::u16string_view text, std::u16string_view* name) {
  const std::u16string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() != u'[') return false;
  const size_t close = trimmed.find(u']');
  if (close == std::u16string_view::npos || close < 2) return false;
  *name = trimmed.substr(1, std::min(close - 1, kIniMaxSectionName));
  return true;
}

// Parsing only appends, so the current section is always the last one.
void ParseLine(IniDoc& doc, std::u16string_view text) {
  std::u16string_view name;
  if (HeaderName(text, &name)) {
    doc.sections.push_back(IniSection{std::u16string(name), {}});
    return;
  }
  if (doc.sections.empty()) doc.sections.push_back(IniSection{});
  doc.sections.back().lines.push_back(MakeLine(text));
}

IniSection* FindSection(IniDoc& doc, std::u16string_view name) {
  for (auto& s : doc.sections)
    if (s.name == name) return &s;
  return nullptr;
}
const IniSection* FindSection(const IniDoc& doc, std::u16string_view name) {
  return FindSection(const_cast<IniDoc&>(doc), name);
}

IniLine* FindKey(IniSection& section, std::u16string_view key) {
  for (auto& l : section.lines)
    if (l.kind == IniLineKind::kKey && l.key == key) return &l;
  return nullptr;
}

void CopyOut(std::u16string_view text, char16_t* out, size_t capacity) {
  std::fill(out, out + capacity, u'\0');
  const size_t n = std::min(text.size(), capacity - 1);
  std::copy_n(text.data(), n, out);
}

// The raw value with the default, as a read into a buffer of `capacity`
// characters would see it.
bool ReadRaw(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
             const char16_t* defaultValue, size_t capacity, std::u16string* value) {
  std::u16string buffer(capacity, u'\0');
  if (!IniDoc_GetRaw(doc, section, key, defaultValue, buffer.data(), capacity)) return false;
  buffer.resize(std::char_traits<char16_t>::length(buffer.c_str()));
  *value = std::move(buffer);
  return true;
}

std::u16string Unquote(std::u16string_view raw) {
  if (!raw.empty() && raw.front() == u'"') {
    raw.remove_prefix(1);
    // The closing quote goes only when the value had both.
    if (!raw.empty() && raw.back() == u'"') raw.remove_suffix(1);
  }
  std::u16string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != u'\\') {
      out.push_back(raw[i]);
      continue;
    }
    if (++i == raw.size()) break;
    switch (raw[i]) {
      case u'"': out.push_back(u'"'); break;
      case u'\'': out.push_back(u'\''); break;
      case u'\\': out.push_back(u'\\'); break;
      case u'n': out.push_back(u'\n'); break;
      case u'r': out.push_back(u'\r'); break;
      default: break;  // an unknown escape yields nothing
    }
  }
  return out;
}

}  // namespace

std::unique_ptr<IniDoc> IniDoc_Parse(std::u16string_view text) {
  if (text.empty()) return nullptr;
  auto doc = std::make_unique<IniDoc>();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && !(text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')) ++end;
    ParseLine(*doc, text.substr(start, end - start));
    start = end + 2;  // past CR LF (or past the end)
  }
  return doc;
}

std::unique_ptr<IniDoc> IniDoc_ParseFileBytes(const uint8_t* bytes, size_t size) {
  if (bytes == nullptr) return nullptr;
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    bytes += 3;
    size -= 3;
  }
  std::u16string text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(bytes), size));
  const size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return IniDoc_Parse(text);
}

std::u16string IniDoc_Render(const IniDoc& doc) {
  std::u16string out;
  bool lastWasKey = false;
  for (size_t s = 0; s < doc.sections.size(); ++s) {
    const IniSection& section = doc.sections[s];
    if (!section.name.empty()) {
      out += u'[';
      out += section.name;
      out += u"]\r\n";
    }
    for (const auto& line : section.lines) {
      out += line.text;
      out += u"\r\n";
      lastWasKey = line.kind == IniLineKind::kKey;
    }
    if (lastWasKey && s + 1 < doc.sections.size()) {
      out += u"\r\n";
      lastWasKey = false;
    }
  }
  return out;
}

bool IniDoc_FileBytes(const IniDoc& doc, std::string* bytes) {
  const std::u16string text = IniDoc_Render(doc);
  if (text.empty()) return false;
  *bytes = "\xEF\xBB\xBF";
  *bytes += Utf16ToUtf8(text);
  return true;
}

bool IniDoc_GetRaw(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   const char16_t* defaultValue, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0 || section.empty() || key.empty()) return false;
  const IniSection* s = FindSection(doc, section);
  const IniLine* line = s ? FindKey(const_cast<IniSection&>(*s), key) : nullptr;
  if (line != nullptr && !line->value.empty()) {
    CopyOut(line->value, out, capacity);
  } else {
    CopyOut(defaultValue ? std::u16string_view(defaultValue) : std::u16string_view(), out, capacity);
  }
  return true;
}

bool IniDoc_SetRaw(IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
  if (section.empty() || key.empty() || value.empty()) return false;
  std::u16string text(key);
  text += u'=';
  text += value;
  IniLine line = MakeLine(text);
  IniSection* s = FindSection(doc, section);
  if (s == nullptr) {
    doc.sections.push_back(IniSection{std::u16string(section), {}});
    s = &doc.sections.back();
  }
  if (IniLine* old = FindKey(*s, key)) {
    *old = std::move(line);
  } else {
    s->lines.push_back(std::move(line));
  }
  return true;
}

bool IniDoc_SetString(IniDoc& doc, std::u16string_view section, std::u16string_view key,
                      std::u16string_view text) {
  std::u16string quoted(1, u'"');
  for (char16_t c : text) {
    switch (c) {
      case u'\n': quoted += u"\\n"; break;
      case u'\r': quoted += u"\\r"; break;
      case u'"': quoted += u"\\\""; break;
      case u'\'': quoted += u"\\'"; break;
      case u'\\': quoted += u"\\\\"; break;
      default: quoted += c; break;
    }
  }
  quoted += u'"';
  return IniDoc_SetRaw(doc, section, key, quoted);
}

bool IniDoc_GetString(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                      char16_t* out, size_t capacity) {
  std::u16string raw;
  if (!ReadRaw(doc, section, key, u"", kIniStringBuffer, &raw)) return false;
  if (raw.empty()) return true;
  if (out == nullptr || capacity == 0) return false;
  CopyOut(Unquote(raw), out, capacity);
  return true;
}

bool IniDoc_SetStringA(IniDoc& doc, const AnsiCodec& codec, std::u16string_view section,
                       std::u16string_view key, std::string_view text) {
  std::u16string wide;
  if (!codec.toWide(text, &wide)) return false;
  return IniDoc_SetString(doc, section, key, wide);
}

bool IniDoc_GetStringA(const IniDoc& doc, const AnsiCodec& codec, std::u16string_view section,
                       std::u16string_view key, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  std::u16string wide(kIniStringBuffer, u'\0');
  if (!IniDoc_GetString(doc, section, key, wide.data(), wide.size())) return false;
  wide.resize(std::char_traits<char16_t>::length(wide.c_str()));
  std::string narrow;
  std::memset(out, 0, capacity);
  if (!codec.toNarrow(wide, &narrow) || narrow.size() + 1 > capacity) return false;
  std::memcpy(out, narrow.data(), narrow.size());
  return true;
}

bool IniDoc_SetInt(IniDoc& doc, std::u16string_view section, std::u16string_view key, int32_t value) {
  const std::string digits = std::to_string(value);
  return IniDoc_SetRaw(doc, section, key, std::u16string(digits.begin(), digits.end()));
}

bool IniDoc_GetInt(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   int32_t* value) {
  std::u16string raw;
  if (value == nullptr || !ReadRaw(doc, section, key, u"0", kIniIntBuffer, &raw)) return false;
  size_t i = 0;
  while (i < raw.size() && (raw[i] == u' ' || (raw[i] >= u'\t' && raw[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < raw.size() && (raw[i] == u'+' || raw[i] == u'-')) negative = raw[i++] == u'-';
  int64_t v = 0;
  for (; i < raw.size() && raw[i] >= u'0' && raw[i] <= u'9'; ++i) {
    v = v * 10 + (raw[i] - u'0');
    if (v > int64_t{INT32_MAX} + 1) v = int64_t{INT32_MAX} + 1;  // out of range: held at the limit
  }
  if (negative) v = -v;
  *value = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  return true;
}
