// The settings document: the INI-style text in which saved settings are
// kept (settings files, the text of every Easy Set, the printer's default
// Easy Set).  It holds every line it was given, comments and lines it cannot
// read included, so that a document read and written again keeps them; it
// answers and changes values by section and key and renders itself back to
// text.  Names and keys compare exactly, unit by unit.
//
// Texts are UTF-16; a settings file is UTF-8 with a byte-order mark, every
// line ended by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kIniMaxKeyText = 1023;     // key and value texts seen by a lookup
inline constexpr size_t kIniMaxSectionName = 255;  // section names taken from a header
inline constexpr size_t kIniStringBuffer = 1024;   // characters a string read sees, with its NUL
inline constexpr size_t kIniIntBuffer = 64;        // characters an integer read sees, with its NUL

enum class IniLineKind : uint8_t {
  kComment = 0,  // begins with a semicolon after blanks
  kKey = 1,      // has a non-empty key
  kKeyless = 2,  // empty, or blank in front of its first equals sign
};

struct IniLine {
  std::u16string text;   // the line as given, rendered back unchanged
  IniLineKind kind = IniLineKind::kKeyless;
  std::u16string key;    // derived from the text, at most 1023 characters
  std::u16string value;
};

struct IniSection {
  std::u16string name;   // empty only for the lines in front of the first header
  std::vector<IniLine> lines;
};

struct IniDoc {
  std::vector<IniSection> sections;
};

// Conversion between the system's narrow code page and UTF-16, which the
// narrow string values go through.  Each returns false when the text cannot
// be converted.
struct AnsiCodec {
  bool (*toWide)(std::string_view narrow, std::u16string* wide);
  bool (*toNarrow)(std::u16string_view wide, std::string* narrow);
};

// Parses a text; null for an empty text.  Lines end only at CR LF; a lone CR
// or LF belongs to its line.
std::unique_ptr<IniDoc> IniDoc_Parse(std::u16string_view text);

// Parses the bytes of a settings file: an optional UTF-8 byte-order mark,
// then UTF-8 text (a malformed sequence reads as U+FFFD), up to its first NUL
// character.  Null when nothing is left to parse.
std::unique_ptr<IniDoc> IniDoc_ParseFileBytes(const uint8_t* bytes, size_t size);

// The document as text: each named section's header "[name]", each line's
// text, every one followed by CR LF; and an empty line in front of a section
// when the last line before it was a key line.
std::u16string IniDoc_Render(const IniDoc& doc);

// The bytes of the document as a settings file: the byte-order mark and the
// rendered text in UTF-8, the UTF-8 sized by the conversion itself.  False
// for an empty document, which has no text to write.
bool IniDoc_FileBytes(const IniDoc& doc, std::string* bytes);

// The stored value of `key` in the first section `section`, at most
// capacity - 1 characters, into `out` (cleared first); the default (empty
// when null) when the section or key is missing or the value is empty.
// False, changing nothing, for a null output, a capacity of 0 or an empty
// section or key.
bool IniDoc_GetRaw(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   const char16_t* defaultValue, char16_t* out, size_t capacity);
// Stores the line "key=value" in the first section `section` (appended when
// missing): in place of the first line of that key, else at the section's
// end.  False, changing nothing, when an argument is empty.
bool IniDoc_SetRaw(IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value);

// Strings are stored in double quotes with LF, CR, the two quotes and the
// backslash escaped by a backslash.  Reading an empty or missing value leaves
// `out` untouched; otherwise it receives at most capacity - 1 characters and
// a NUL.
bool IniDoc_SetString(IniDoc& doc, std::u16string_view section, std::u16string_view key,
                      std::u16string_view text);
bool IniDoc_GetString(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                      char16_t* out, size_t capacity);
// The same through the narrow code page.  The narrow read always writes its
// output (an empty text for an empty value) and fails when the converted
// text and its NUL do not fit `capacity` bytes; the output then holds an
// empty text.
bool IniDoc_SetStringA(IniDoc& doc, const AnsiCodec& codec, std::u16string_view section,
                       std::u16string_view key, std::string_view text);
bool IniDoc_GetStringA(const IniDoc& doc, const AnsiCodec& codec, std::u16string_view section,
                       std::u16string_view key, char* out, size_t capacity);

// Integers are stored as signed decimal text.  Reading takes the leading
// number of the value (blanks, a sign, digits) and 0 when there is none or
// the key is missing.
bool IniDoc_SetInt(IniDoc& doc, std::u16string_view section, std::u16string_view key, int32_t value);
bool IniDoc_GetInt(const IniDoc& doc, std::u16string_view section, std::u16string_view key,
                   int32_t* value);
