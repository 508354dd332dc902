// Description files as the project's tool sees them: a document of sections
// that can be written as a binary .QXD file, read back from one, and written
// as or read from readable text.
//
// Text form (one item per line; strings in double quotes, a quote inside a
// string doubled):
//
//   qxd <first header word> [headers=40]
//   section "<name>" texts                      chained entries of texts
//     entry key="<key>" value="<narrow>" text="<display text>"
//   section "<name>" items <record size> [default="<key>"]
//     layout <field>:<type>@<offset> ...         type u8 u16 u32 i16 i32 strN wstrN wtext
//     item key="..." value="..." text="..." number=N <field>=<value> ...
//   section "<name>" range min=N max=N default=N
//   section "<name>" value "<text>"
//   section "<name>" pairs [value=N]            N: bytes of each value, 32 unless given
//     pair "<key>" "<value>"
//   section "<name>" groups [field=N]           named lists of pairs; N: bytes of each
//     group "<name>"                            name, key and value, 32 unless given
//       pair "<key>" "<value>"
//   section "<name>" records <record size>      indexed records without an entry head
//     layout <field>:<type>@<offset> ...         fields may start at byte 0
//     record <field>=<value> ...
//   section "<name>" editfield                  an edit item descriptor
//     length <chars|bytes|free> <min> <max>
//     value <min|none> <max|none> [<default>]      (as a range section holds them)
//     rule <letters|digits|single|double> <allow|forbid> ["<chars>" | 0xNN ...]
//     check <text|number|none> <caption> <text> <mm format> <inch format>
//     lengthcheck <caption> <text> <format>
//
// "headers=40" marks the variant with 40-byte section headers (the command
// file), which holds texts sections, pairs sections and command sections:
//
//   section "<name>" commands                   rows of named command templates
//     row "<row name>"
//       command "<entry name>" <template>       the template is the rest of the
//                                               line, kept byte for byte
//
// In that variant the word at byte 32 of a pairs or commands section header
// is the section kind, which no entry offset can be; the word at 40 counts
// the pairs or rows and the word at 44 is the offset of the first pair or of
// the array of row offsets.  A row header (40 bytes) holds its name, its
// entry count at 32 and its first entry at 36; an entry header (44 bytes)
// its name, the text length with the terminator at 32, the text's offset at
// 36 and the next entry at 40.
//
// A field of type wtext holds the offset of a UTF-16 text kept with the
// file's other texts (0 for an empty text).
//
// Sections are separated by one blank line.  Fields that are zero or empty
// are left out, so every file has one text form, and compiling that text
// and dumping the result gives the same text back.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qxd {

enum class SectionKind : uint32_t {
  Texts = 1, Items = 2, Range = 3, Value = 4, Pairs = 5, EditField = 6, Groups = 7, Records = 8, Commands = 9
};
inline constexpr uint32_t kLastSectionKind = 9;

enum class FieldType { U8, U16, U32, I16, I32, Str, WStr, WText };

struct FieldSpec {
  std::string name;
  FieldType type = FieldType::U32;
  uint32_t offset = 0;
  uint32_t count = 0;  // bytes of a narrow text, units of a wide one
};

struct FieldValue {
  std::string name;
  int64_t number = 0;
  std::string text;  // UTF-8; wide fields are converted to UTF-16
};

struct Item {
  std::string key;
  std::string value;  // narrow (ASCII)
  std::string text;   // UTF-8 text written as UTF-16
  uint32_t number = 0;
  std::vector<FieldValue> fields;
};

// An edit item descriptor; the codes are those of common/edit_item_format.h.
struct EditRule {
  uint32_t kind = 0;           // 0: no rule
  std::vector<uint8_t> list;   // as the file holds it
};
struct EditField {
  uint32_t lengthKind = 0, minLength = 0, maxLength = 0;
  int32_t minValue = 0, maxValue = 0;
  int32_t defaultValue = 0;      // where a range section keeps its default
  EditRule rules[4];
  uint32_t check[5] = {};        // kind, caption, text, mm format, inch format
  uint32_t lengthCheck[5] = {};  // kind, caption, text, format, spare
};

// A named list of pairs: an entry (name in the section's field size, pair
// count, offset of the pairs) and its pairs (key and value in the field
// size each).  Fields are 32 bytes unless the section says otherwise (the
// machine list's are 16).
struct Group {
  std::string name;
  std::vector<std::pair<std::string, std::string>> pairs;
};

// One row of a command section: named templates in file order.
struct CommandRow {
  std::string name;
  std::vector<std::pair<std::string, std::string>> commands;  // entry name, template
};

struct Section {
  std::string name;
  SectionKind kind = SectionKind::Texts;
  uint32_t recordSize = 16;
  std::vector<FieldSpec> layout;
  std::vector<Item> items;
  std::string defaultKey;
  bool hasDefault = false;
  uint32_t minimum = 0, maximum = 0, defaultValue = 0;
  std::string value;
  std::vector<std::pair<std::string, std::string>> pairs;
  EditField edit;
  uint32_t pairValueSize = 32;  // each pair: a 32-byte name and this many value bytes
  std::vector<Group> groups;
  uint32_t groupFieldSize = 32;  // bytes of a group's name, a key and a value
  std::vector<CommandRow> rows;  // commands sections
};

struct Document {
  uint32_t headerWord = 0;
  uint32_t sectionHeaderSize = 52;  // 52, or 40 for the variant
  std::vector<Section> sections;
};

// Where the writer put things, for tests that damage a file on purpose.
struct SectionPlace {
  uint32_t header = 0;
  uint32_t list = 0;
  uint32_t index = 0;
  std::vector<uint32_t> records;
};
struct Placement {
  std::vector<SectionPlace> sections;
};

// Records of items and records sections hold at most this many bytes (the
// driver's largest record is 620).
inline constexpr uint32_t kMaxRecordSize = 4096;

// Binary form.
bool Build(const Document& doc, std::vector<uint8_t>* out, std::string* error, Placement* placement = nullptr);
bool Decode(const std::vector<uint8_t>& bytes, Document* doc, std::string* error);

// Text form.
bool ParseText(const std::string& text, Document* doc, std::string* error);
std::string FormatText(const Document& doc);

// A model that differs from another in a few sections: each section of
// `overlay` goes over the base's section of its name (pairs by key, texts
// entries by key, any other kind whole); a section the base lacks is
// added at the end.
void OverlayDocument(Document* base, const Document& overlay);

// Field layouts in their text form ("width:u32@20 name:str32@24").
bool ParseLayout(const std::string& text, std::vector<FieldSpec>* out, std::string* error);
std::string FormatLayout(const std::vector<FieldSpec>& layout);

// Little-endian patching of a built file, for damaged-file tests.
void PatchU32(std::vector<uint8_t>* bytes, uint32_t offset, uint32_t value);
uint32_t GetU32(const std::vector<uint8_t>& bytes, uint32_t offset);

// UTF-8 <-> UTF-16.
std::u16string Utf8ToUtf16(const std::string& text);
// False, with the line and what is wrong, when a source text holds a NUL or
// bytes that are not UTF-8 (overlong forms, surrogates and code points
// beyond U+10FFFF included): the binary form could not hold what it says.
bool CheckSourceText(const std::string& text, std::string* error);
// Bytes a field of a layout takes in a record.
uint32_t FieldBytes(const FieldSpec& f);
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace qxd
