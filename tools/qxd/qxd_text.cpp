// Text form of description files: parsing and canonical formatting.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "tools/qxd/qxd_document.h"

#include "common/text/utf8_text.h"

namespace qxd {
namespace {

struct Token {
  std::string name;   // "name" of name=value, or empty
  std::string value;  // the word or the string's contents
  bool quoted = false;
};

bool Tokenize(const std::string& line, std::vector<Token>* out, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token t;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"' && line[i] != '=') ++i;
    std::string word = line.substr(start, i - start);
    if (i < line.size() && line[i] == '=') {
      t.name = word;
      ++i;
      word.clear();
      start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"') ++i;
      word = line.substr(start, i - start);
    }
    if (i < line.size() && line[i] == '"') {
      if (!word.empty()) {
        *error = "a quote inside a word";
        return false;
      }
      ++i;
      t.quoted = true;
      for (;;) {
        if (i >= line.size()) {
          *error = "a string without its closing quote";
          return false;
        }
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            t.value.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        t.value.push_back(line[i++]);
      }
    } else {
      t.value = word;
    }
    out->push_back(std::move(t));
  }
  return true;
}

bool ParseNumber(const std::string& text, int64_t* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0') return false;
  *out = v;
  return true;
}

bool ParseU32(const std::string& text, uint32_t* out) {
  int64_t v;
  if (!ParseNumber(text, &v) || v < 0 || v > 0xFFFFFFFFll) return false;
  *out = static_cast<uint32_t>(v);
  return true;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += "\"\"";
    else out.push_back(c);
  }
  return out + "\"";
}

bool IsAscii(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

const char* TypeName(FieldType t) {
  switch (t) {
    case FieldType::U8: return "u8";
    case FieldType::U16: return "u16";
    case FieldType::U32: return "u32";
    case FieldType::I16: return "i16";
    case FieldType::I32: return "i32";
    case FieldType::Str: return "str";
    case FieldType::WStr: return "wstr";
    case FieldType::WText: return "wtext";
  }
  return "?";
}

// Names of the descriptor codes; any other code is written as its number.
struct CodeName {
  uint32_t code;
  const char* name;
};
const CodeName kLengthKinds[] = {{101, "chars"}, {102, "bytes"}, {103, "free"}};
const CodeName kRuleKinds[] = {{106, "allow"}, {107, "forbid"}};
const CodeName kCheckKinds[] = {{111, "text"}, {112, "number"}, {114, "none"}};
const char* const kRuleClasses[] = {"letters", "digits", "single", "double"};
constexpr uint32_t kLengthCheckOn = 113;

template <size_t N>
std::string CodeText(const CodeName (&names)[N], uint32_t code) {
  for (const CodeName& n : names) {
    if (n.code == code) return n.name;
  }
  return std::to_string(code);
}

template <size_t N>
bool ParseCode(const CodeName (&names)[N], const std::string& text, uint32_t* out) {
  for (const CodeName& n : names) {
    if (text == n.name) {
      *out = n.code;
      return true;
    }
  }
  return ParseU32(text, out);
}

bool ParseBound(const std::string& text, int32_t* out) {
  int64_t v;
  if (text == "none") {
    *out = INT32_MIN;
    return true;
  }
  if (!ParseNumber(text, &v) || v <= INT32_MIN || v > INT32_MAX) return false;
  *out = static_cast<int32_t>(v);
  return true;
}

std::string BoundText(int32_t v) { return v == INT32_MIN ? "none" : std::to_string(v); }

bool ParseEditLine(const std::vector<Token>& t, EditField* e, std::string* error) {
  const std::string& word = t[0].value;
  bool ok = false;
  if (word == "length" && t.size() == 4) {
    ok = ParseCode(kLengthKinds, t[1].value, &e->lengthKind) && ParseU32(t[2].value, &e->minLength) &&
         ParseU32(t[3].value, &e->maxLength);
  } else if (word == "value" && (t.size() == 3 || t.size() == 4)) {
    int64_t v = 0;
    ok = ParseBound(t[1].value, &e->minValue) && ParseBound(t[2].value, &e->maxValue) &&
         (t.size() == 3 || (ParseNumber(t[3].value, &v) && v >= INT32_MIN && v <= INT32_MAX));
    e->defaultValue = static_cast<int32_t>(v);
  } else if (word == "check" && t.size() == 6) {
    ok = ParseCode(kCheckKinds, t[1].value, &e->check[0]);
    for (size_t i = 2; ok && i < 6; ++i) ok = ParseU32(t[i].value, &e->check[i - 1]);
  } else if (word == "lengthcheck" && t.size() == 5) {
    e->lengthCheck[0] = kLengthCheckOn;
    ok = true;
    for (size_t i = 2; ok && i < 5; ++i) ok = ParseU32(t[i].value, &e->lengthCheck[i - 1]);
    ok = ok && t[1].value == "on";
  } else if (word == "rule" && t.size() >= 3) {
    int cls = -1;
    for (int i = 0; i < 4; ++i) {
      if (t[1].value == kRuleClasses[i]) cls = i;
    }
    if (cls < 0) {
      *error = "rule classes are letters, digits, single and double";
      return false;
    }
    EditRule& r = e->rules[cls];
    ok = ParseCode(kRuleKinds, t[2].value, &r.kind);
    r.list.clear();
    if (ok && t.size() == 4 && t[3].quoted && cls != 3) {
      ok = IsAscii(t[3].value);
      r.list.assign(t[3].value.begin(), t[3].value.end());
    } else {
      for (size_t i = 3; ok && i < t.size(); ++i) {
        uint32_t v;
        ok = !t[i].quoted && ParseU32(t[i].value, &v) && v <= (cls == 3 ? 0xFFFFu : 0xFFu);
        if (!ok) break;
        r.list.push_back(static_cast<uint8_t>(v & 0xFF));
        if (cls == 3) r.list.push_back(static_cast<uint8_t>(v >> 8));
      }
    }
  }
  if (!ok) *error = "bad " + word + " line of an editfield section";
  return ok;
}

std::string Hex(uint32_t v, int digits) {
  const char kHex[] = "0123456789ABCDEF";
  std::string out = "0x";
  for (int i = digits - 1; i >= 0; --i) out.push_back(kHex[(v >> (4 * i)) & 0xF]);
  return out;
}

std::string FormatEdit(const EditField& e) {
  std::string out = "  length " + CodeText(kLengthKinds, e.lengthKind) + " " + std::to_string(e.minLength) + " " +
                    std::to_string(e.maxLength) + "\n";
  out += "  value " + BoundText(e.minValue) + " " + BoundText(e.maxValue);
  if (e.defaultValue != 0) out += " " + std::to_string(e.defaultValue);
  out += "\n";
  for (int cls = 0; cls < 4; ++cls) {
    const EditRule& r = e.rules[cls];
    if (r.kind == 0 && r.list.empty()) continue;
    out += std::string("  rule ") + kRuleClasses[cls] + " " + CodeText(kRuleKinds, r.kind);
    std::string text(r.list.begin(), r.list.end());
    if (cls != 3 && !text.empty() && IsAscii(text)) {
      out += " " + Quote(text);
    } else if (cls == 3) {
      for (size_t i = 0; i + 1 < r.list.size(); i += 2) out += " " + Hex(r.list[i] | (r.list[i + 1] << 8), 4);
    } else {
      for (uint8_t b : r.list) out += " " + Hex(b, 2);
    }
    out += "\n";
  }
  out += "  check " + CodeText(kCheckKinds, e.check[0]);
  for (int i = 1; i < 5; ++i) out += " " + std::to_string(e.check[i]);
  out += "\n";
  if (e.lengthCheck[0] == kLengthCheckOn) {
    out += "  lengthcheck on";
    for (int i = 1; i < 4; ++i) out += " " + std::to_string(e.lengthCheck[i]);
    out += "\n";
  }
  return out;
}

bool ParseItemLine(const std::vector<Token>& tokens, Section* s, std::string* error) {
  Item item;
  const bool fields = s->kind == SectionKind::Items || s->kind == SectionKind::Records;
  for (size_t i = 1; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    for (size_t k = 1; k < i; ++k) {
      if (!t.name.empty() && tokens[k].name == t.name) {
        *error = t.name + " given twice";
        return false;
      }
    }
    if (s->kind == SectionKind::Records && (t.name == "key" || t.name == "value" || t.name == "text" ||
                                            t.name == "number")) {
      *error = "records have no " + t.name;
      return false;
    }
    if (t.name == "key") item.key = t.value;
    else if (t.name == "value") item.value = t.value;
    else if (t.name == "text") item.text = t.value;
    else if (t.name == "number" && s->kind == SectionKind::Items) {
      if (!ParseU32(t.value, &item.number)) {
        *error = "bad number " + t.value;
        return false;
      }
    } else if (!t.name.empty() && fields) {
      FieldValue v;
      v.name = t.name;
      const FieldSpec* spec = nullptr;
      for (const FieldSpec& f : s->layout) {
        if (f.name == t.name) spec = &f;
      }
      if (spec == nullptr) {
        *error = "no field " + t.name + " in the layout of section " + s->name;
        return false;
      }
      bool isText = spec->type == FieldType::Str || spec->type == FieldType::WStr || spec->type == FieldType::WText;
      if (isText != t.quoted) {
        *error = "field " + t.name + (isText ? " takes a quoted text" : " takes a number");
        return false;
      }
      if (isText) v.text = t.value;
      else if (!ParseNumber(t.value, &v.number)) {
        *error = "bad number " + t.value + " for field " + t.name;
        return false;
      }
      item.fields.push_back(v);
    } else {
      *error = "unexpected " + (t.name.empty() ? t.value : t.name);
      return false;
    }
  }
  if (!IsAscii(item.key) || !IsAscii(item.value)) {
    *error = "keys and values are printable ASCII";
    return false;
  }
  if (item.key.size() > 290 || item.value.size() > 290 || Utf8ToUtf16(item.text).size() > 290) {
    *error = "a text longer than 290 characters";
    return false;
  }
  s->items.push_back(std::move(item));
  return true;
}

bool ParseSectionLine(const std::vector<Token>& tokens, Section* s, std::string* error) {
  if (tokens.size() < 3 || !tokens[1].quoted) {
    *error = "expected: section \"<name>\" <kind> ...";
    return false;
  }
  s->name = tokens[1].value;
  const std::string& kind = tokens[2].value;
  if (kind == "texts" && tokens.size() == 3) {
    s->kind = SectionKind::Texts;
    return true;
  }
  if (kind == "items" && (tokens.size() == 4 || tokens.size() == 5)) {
    s->kind = SectionKind::Items;
    if (!ParseU32(tokens[3].value, &s->recordSize)) {
      *error = "bad record size";
      return false;
    }
    if (tokens.size() == 5) {
      if (tokens[4].name != "default" || !tokens[4].quoted) {
        *error = "expected default=\"<key>\"";
        return false;
      }
      s->hasDefault = true;
      s->defaultKey = tokens[4].value;
    }
    return true;
  }
  if (kind == "records" && tokens.size() == 4) {
    s->kind = SectionKind::Records;
    if (!ParseU32(tokens[3].value, &s->recordSize) || s->recordSize == 0) {
      *error = "bad record size";
      return false;
    }
    return true;
  }
  if (kind == "range" && tokens.size() == 6) {
    s->kind = SectionKind::Range;
    for (size_t i = 3; i < 6; ++i) {
      uint32_t* target = tokens[i].name == "min" ? &s->minimum
                         : tokens[i].name == "max" ? &s->maximum
                         : tokens[i].name == "default" ? &s->defaultValue : nullptr;
      int64_t v;
      if (target == nullptr || !ParseNumber(tokens[i].value, &v) || v < INT32_MIN || v > UINT32_MAX) {
        *error = "expected: range min=N max=N default=N";
        return false;
      }
      *target = static_cast<uint32_t>(v);
    }
    return true;
  }
  if (kind == "value" && tokens.size() == 4 && tokens[3].quoted) {
    s->kind = SectionKind::Value;
    s->value = tokens[3].value;
    if (!IsAscii(s->value) || s->value.size() > 126) {
      *error = "a value is printable ASCII of at most 126 characters";
      return false;
    }
    return true;
  }
  if (kind == "pairs" && tokens.size() == 3) {
    s->kind = SectionKind::Pairs;
    return true;
  }
  if (kind == "groups" && tokens.size() == 3) {
    s->kind = SectionKind::Groups;
    return true;
  }
  if (kind == "groups" && tokens.size() == 4 && tokens[3].name == "field") {
    s->kind = SectionKind::Groups;
    if (!ParseU32(tokens[3].value, &s->groupFieldSize) || s->groupFieldSize == 32) {
      *error = "expected: groups field=N, with N other than the usual 32";
      return false;
    }
    return true;
  }
  if (kind == "commands" && tokens.size() == 3) {
    s->kind = SectionKind::Commands;
    return true;
  }
  if (kind == "editfield" && tokens.size() == 3) {
    s->kind = SectionKind::EditField;
    return true;
  }
  if (kind == "pairs" && tokens.size() == 4 && tokens[3].name == "value") {
    s->kind = SectionKind::Pairs;
    if (!ParseU32(tokens[3].value, &s->pairValueSize) || s->pairValueSize == 32) {
      *error = "expected: pairs value=N, with N other than the usual 32";
      return false;
    }
    return true;
  }
  *error = "unknown section kind or arguments: " + kind;
  return false;
}

// A "command" line is taken apart by hand: its template is the rest of the
// line after the quoted name and one blank, kept as it is (templates hold
// quotes and backslashes of their own).  1 when the line was a row or
// command line, 0 when it is some other line, -1 on an error.
int ParseCommandLine(const std::string& line, Section* s, std::string* error) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  auto quoted = [&](size_t from, std::string* out, size_t* end) {
    if (from >= line.size() || line[from] != '"') return false;
    size_t close = line.find('"', from + 1);
    if (close == std::string::npos) return false;
    *out = line.substr(from + 1, close - from - 1);
    *end = close + 1;
    return true;
  };
  std::string name;
  size_t end = 0;
  if (line.compare(i, 4, "row ") == 0) {
    if (!quoted(i + 4, &name, &end) || end != line.size() || !IsAscii(name)) {
      *error = "expected: row \"<name>\"";
      return -1;
    }
    s->rows.push_back(CommandRow{name, {}});
    return 1;
  }
  if (line.compare(i, 8, "command ") != 0) return 0;
  if (s->rows.empty() || !quoted(i + 8, &name, &end) || !IsAscii(name)) {
    *error = "expected, inside a row: command \"<name>\" <template>";
    return -1;
  }
  std::string text;
  if (end < line.size()) {
    if (line[end] != ' ') {
      *error = "a blank goes between a command's name and its template";
      return -1;
    }
    text = line.substr(end + 1);
  }
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
      *error = "templates are printable ASCII (write other bytes as \\xNN)";
      return -1;
    }
  }
  s->rows.back().commands.emplace_back(name, text);
  return 1;
}

}  // namespace

bool ParseLayout(const std::string& text, std::vector<FieldSpec>* out, std::string* error) {
  out->clear();
  std::vector<Token> tokens;
  if (!Tokenize(text, &tokens, error)) return false;
  for (const Token& t : tokens) {
    // name:type@offset
    size_t colon = t.value.find(':');
    size_t at = t.value.find('@');
    if (!t.name.empty() || t.quoted || colon == std::string::npos || at == std::string::npos || at < colon) {
      *error = "bad field " + t.value + " (expected name:type@offset)";
      return false;
    }
    FieldSpec f;
    f.name = t.value.substr(0, colon);
    std::string type = t.value.substr(colon + 1, at - colon - 1);
    if (!ParseU32(t.value.substr(at + 1), &f.offset) || f.name.empty()) {
      *error = "bad field " + t.value;
      return false;
    }
    if (f.name == "key" || f.name == "value" || f.name == "text" || f.name == "number") {
      *error = "field name " + f.name + " is taken by the entry";
      return false;
    }
    if (type == "u8") f.type = FieldType::U8;
    else if (type == "u16") f.type = FieldType::U16;
    else if (type == "u32") f.type = FieldType::U32;
    else if (type == "i16") f.type = FieldType::I16;
    else if (type == "i32") f.type = FieldType::I32;
    else if (type == "wtext") f.type = FieldType::WText;
    else if (type.rfind("wstr", 0) == 0 && ParseU32(type.substr(4), &f.count) && f.count > 0) f.type = FieldType::WStr;
    else if (type.rfind("str", 0) == 0 && ParseU32(type.substr(3), &f.count) && f.count > 0) f.type = FieldType::Str;
    else {
      *error = "bad field type " + type;
      return false;
    }
    out->push_back(f);
  }
  return true;
}

std::string FormatLayout(const std::vector<FieldSpec>& layout) {
  std::string out;
  for (const FieldSpec& f : layout) {
    if (!out.empty()) out += ' ';
    out += f.name + ":" + TypeName(f.type);
    if (f.type == FieldType::Str || f.type == FieldType::WStr) out += std::to_string(f.count);
    out += "@" + std::to_string(f.offset);
  }
  return out;
}

bool ParseText(const std::string& text, Document* doc, std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  *doc = Document();
  if (!CheckSourceText(text, error)) return false;
  bool haveHeader = false;
  size_t lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? text.size() + 1 : nl + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!doc->sections.empty() && doc->sections.back().kind == SectionKind::Commands) {
      std::string why;
      int handled = ParseCommandLine(line, &doc->sections.back(), &why);
      if (handled < 0) {
        *error = "line " + std::to_string(lineNo) + ": " + why;
        return false;
      }
      if (handled > 0) continue;
    }
    std::vector<Token> tokens;
    std::string why;
    if (!Tokenize(line, &tokens, &why)) {
      *error = "line " + std::to_string(lineNo) + ": " + why;
      return false;
    }
    if (tokens.empty()) continue;
    const std::string& word = tokens[0].value;
    bool ok = true;
    if (!haveHeader) {
      ok = word == "qxd" && (tokens.size() == 2 || tokens.size() == 3) && ParseU32(tokens[1].value, &doc->headerWord);
      if (ok && tokens.size() == 3) {
        ok = tokens[2].name == "headers" && !tokens[2].quoted && tokens[2].value == "40";
        doc->sectionHeaderSize = 40;
      }
      if (!ok) why = "the first line is: qxd <number> [headers=40]";
      haveHeader = true;
    } else if (word == "section" && tokens[0].name.empty()) {
      Section s;
      ok = ParseSectionLine(tokens, &s, &why);
      if (ok) doc->sections.push_back(std::move(s));
    } else if (doc->sections.empty()) {
      ok = false;
      why = "a line outside any section";
    } else {
      Section& s = doc->sections.back();
      const bool laidOut = s.kind == SectionKind::Items || s.kind == SectionKind::Records;
      if (word == "layout" && laidOut && s.layout.empty() && s.items.empty()) {
        ok = ParseLayout(line.substr(line.find("layout") + 6), &s.layout, &why);
      } else if ((word == "entry" && s.kind == SectionKind::Texts) || (word == "item" && s.kind == SectionKind::Items) ||
                 (word == "record" && s.kind == SectionKind::Records)) {
        ok = ParseItemLine(tokens, &s, &why);
      } else if (s.kind == SectionKind::EditField) {
        ok = ParseEditLine(tokens, &s.edit, &why);
      } else if (word == "pair" && s.kind == SectionKind::Pairs && tokens.size() == 3 && tokens[1].quoted &&
                 tokens[2].quoted) {
        s.pairs.emplace_back(tokens[1].value, tokens[2].value);
        ok = IsAscii(tokens[1].value) && IsAscii(tokens[2].value);
        if (!ok) why = "pairs are printable ASCII";
      } else if (word == "group" && s.kind == SectionKind::Groups && tokens.size() == 2 && tokens[1].quoted) {
        s.groups.push_back(Group{tokens[1].value, {}});
        ok = IsAscii(tokens[1].value);
        if (!ok) why = "group names are printable ASCII";
      } else if (word == "pair" && s.kind == SectionKind::Groups && !s.groups.empty() && tokens.size() == 3 &&
                 tokens[1].quoted && tokens[2].quoted) {
        s.groups.back().pairs.emplace_back(tokens[1].value, tokens[2].value);
        ok = IsAscii(tokens[1].value) && IsAscii(tokens[2].value);
        if (!ok) why = "pairs are printable ASCII";
      } else {
        ok = false;
        why = "unexpected " + word + " in section " + s.name;
      }
    }
    if (!ok) {
      *error = "line " + std::to_string(lineNo) + ": " + why;
      return false;
    }
  }
  if (!haveHeader) {
    *error = "empty text";
    return false;
  }
  return true;
}

std::string FormatText(const Document& doc) {
  std::string out = "qxd " + std::to_string(doc.headerWord);
  if (doc.sectionHeaderSize == 40) out += " headers=40";
  out += "\n";
  for (const Section& s : doc.sections) {
    out += "\nsection " + Quote(s.name) + " ";
    switch (s.kind) {
      case SectionKind::Texts: out += "texts\n"; break;
      case SectionKind::Items:
        out += "items " + std::to_string(s.recordSize);
        if (s.hasDefault) out += " default=" + Quote(s.defaultKey);
        out += "\n";
        if (!s.layout.empty()) out += "  layout " + FormatLayout(s.layout) + "\n";
        break;
      case SectionKind::Range:
        out += "range min=" + std::to_string(static_cast<int32_t>(s.minimum)) +
               " max=" + std::to_string(static_cast<int32_t>(s.maximum)) +
               " default=" + std::to_string(static_cast<int32_t>(s.defaultValue)) + "\n";
        break;
      case SectionKind::Value: out += "value " + Quote(s.value) + "\n"; break;
      case SectionKind::Pairs:
        out += "pairs";
        if (s.pairValueSize != 32) out += " value=" + std::to_string(s.pairValueSize);
        out += "\n";
        break;
      case SectionKind::EditField: out += "editfield\n" + FormatEdit(s.edit); break;
      case SectionKind::Groups:
        out += "groups";
        if (s.groupFieldSize != 32) out += " field=" + std::to_string(s.groupFieldSize);
        out += "\n";
        break;
      case SectionKind::Commands: out += "commands\n"; break;
      case SectionKind::Records:
        out += "records " + std::to_string(s.recordSize) + "\n";
        if (!s.layout.empty()) out += "  layout " + FormatLayout(s.layout) + "\n";
        break;
    }
    for (const Item& item : s.items) {
      out += s.kind == SectionKind::Texts ? "  entry" : s.kind == SectionKind::Records ? "  record" : "  item";
      if (!item.key.empty()) out += " key=" + Quote(item.key);
      if (!item.value.empty()) out += " value=" + Quote(item.value);
      if (!item.text.empty()) out += " text=" + Quote(item.text);
      if (s.kind == SectionKind::Items && item.number != 0) out += " number=" + std::to_string(item.number);
      // Fields in layout order, whatever order the source gave.
      for (const FieldSpec& spec : s.layout) {
        for (const FieldValue& v : item.fields) {
          if (v.name != spec.name) continue;
          bool isText = spec.type == FieldType::Str || spec.type == FieldType::WStr || spec.type == FieldType::WText;
          if (isText && !v.text.empty()) out += " " + v.name + "=" + Quote(v.text);
          if (!isText && v.number != 0) out += " " + v.name + "=" + std::to_string(v.number);
        }
      }
      out += "\n";
    }
    for (const auto& p : s.pairs) out += "  pair " + Quote(p.first) + " " + Quote(p.second) + "\n";
    for (const CommandRow& row : s.rows) {
      out += "  row \"" + row.name + "\"\n";
      for (const auto& c : row.commands) {
        out += "    command \"" + c.first + "\"" + (c.second.empty() ? "" : " " + c.second) + "\n";
      }
    }
    for (const Group& g : s.groups) {
      out += "  group " + Quote(g.name) + "\n";
      for (const auto& p : g.pairs) out += "    pair " + Quote(p.first) + " " + Quote(p.second) + "\n";
    }
  }
  return out;
}

bool CheckSourceText(const std::string& text, std::string* error) {
  size_t line = 1;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const char* wrong = nullptr;
    size_t n = 1;
    uint32_t cp = c;
    if (c == 0) wrong = "a NUL character";
    else if (c >= 0x80) {
      if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; }
      else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; }
      else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; }
      else n = 0;
      if (n == 0 || i + n > text.size()) {
        wrong = "bytes that are not UTF-8";
        n = 1;
      } else {
        for (size_t k = 1; k < n && wrong == nullptr; ++k) {
          const auto b = static_cast<unsigned char>(text[i + k]);
          if ((b & 0xC0) != 0x80) wrong = "bytes that are not UTF-8";
          cp = (cp << 6) | (b & 0x3F);
        }
        static const uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (wrong == nullptr && (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) {
          wrong = "bytes that are not UTF-8";
        }
      }
    }
    if (wrong != nullptr) {
      if (error != nullptr) *error = "line " + std::to_string(line) + ": " + wrong;
      return false;
    }
    if (c == '\n') ++line;
    i += n;
  }
  return true;
}

std::u16string Utf8ToUtf16(const std::string& text) { return ::Utf8ToUtf16(std::string_view(text)); }

std::string Utf16ToUtf8(const std::u16string& text) { return ::Utf16ToUtf8(std::u16string_view(text)); }

}  // namespace qxd
