// Reads a binary description file back into a document, through the
// driver's own reader.
#include <cstring>
#include <memory>

#include "common/qxd/command_file.h"
#include "common/qxd/qxd_reader.h"
#include "tools/qxd/qxd_document.h"

namespace qxd {
namespace {

struct ContextCloser {
  void operator()(QxdContext* ctx) const { QxdClose(ctx); }
};

std::string Narrow(QxdContext* ctx, uint32_t offset) {
  char text[kQxdTextWork + 1] = {};
  if (!QxdReadString(ctx, offset, text, sizeof text)) return std::string();
  return text;
}

std::string Wide(QxdContext* ctx, uint32_t offset) {
  char16_t text[kQxdTextWork + 1] = {};
  if (!QxdReadWideString(ctx, offset, text, kQxdTextWork + 1)) return std::string();
  return Utf16ToUtf8(text);
}

bool ReadField(QxdContext* ctx, const std::vector<uint8_t>& record, const FieldSpec& spec, FieldValue* out) {
  out->name = spec.name;
  const uint8_t* p = record.data() + spec.offset;
  auto get = [&](int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t{p[i]} << (8 * i);
    return v;
  };
  switch (spec.type) {
    case FieldType::U8: out->number = static_cast<int64_t>(get(1)); break;
    case FieldType::U16: out->number = static_cast<int64_t>(get(2)); break;
    case FieldType::U32: out->number = static_cast<int64_t>(get(4)); break;
    case FieldType::I16: out->number = static_cast<int16_t>(get(2)); break;
    case FieldType::I32: out->number = static_cast<int32_t>(get(4)); break;
    case FieldType::Str:
      out->text.assign(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), spec.count));
      return !out->text.empty();
    case FieldType::WStr: {
      std::u16string wide;
      for (uint32_t i = 0; i < spec.count; ++i) {
        char16_t c = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        if (c == 0) break;
        wide.push_back(c);
      }
      out->text = Utf16ToUtf8(wide);
      return !out->text.empty();
    }
    case FieldType::WText: {
      uint32_t offset = static_cast<uint32_t>(get(4));
      if (offset != 0) out->text = Wide(ctx, offset);
      return !out->text.empty();
    }
  }
  return out->number != 0;
}

// The section's field layout, when the writer noted one.  A layout may be
// longer than the driver's texts: it is read up to its end.
bool DecodeLayout(QxdContext* ctx, const QxdSectionHeader& header, Section* s, std::string* error) {
  if (header.writerLayout == 0) return true;
  std::string text;
  for (uint32_t off = header.writerLayout; text.size() < 65536; ++off) {
    char c;
    if (!QxdReadFully(ctx, &c, 1, off) || c == '\0') break;
    text.push_back(c);
  }
  if (!ParseLayout(text, &s->layout, error)) return false;
  for (const FieldSpec& f : s->layout) {
    if (uint64_t{f.offset} + FieldBytes(f) > s->recordSize) {
      *error = "field " + f.name + " of section " + s->name + " lies outside its records";
      return false;
    }
  }
  return true;
}

// Indexed records without an entry head: only their laid-out fields.
bool DecodeRecords(QxdContext* ctx, const QxdSectionHeader& header, uint32_t at, Section* s, std::string* error) {
  QxdListHeader list;
  if (!QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list) || header.writerSize == 0 ||
      header.writerSize > kMaxRecordSize || !QxdArrayFits(ctx, 0, list.count, header.writerSize)) {
    *error = "records of section " + s->name + " are not readable";
    return false;
  }
  s->recordSize = header.writerSize;
  if (!DecodeLayout(ctx, header, s, error)) return false;
  std::vector<uint8_t> record(s->recordSize);
  for (uint32_t i = 0; i < list.count; ++i) {
    uint32_t offset = 0;
    if (!QxdReadIndexEntry(ctx, list, i, &offset) || !QxdReadRecord(ctx, offset, record.data(), s->recordSize)) {
      *error = "record " + std::to_string(i) + " of section " + s->name + " is not readable";
      return false;
    }
    Item item;
    for (const FieldSpec& spec : s->layout) {
      FieldValue v;
      if (ReadField(ctx, record, spec, &v)) item.fields.push_back(v);
    }
    s->items.push_back(std::move(item));
  }
  return true;
}

bool DecodeEntries(QxdContext* ctx, const QxdSectionHeader& header, uint32_t at, Section* s, std::string* error) {
  QxdListHeader list;
  if (!QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) {
    *error = "list header of section " + s->name + " is not readable";
    return false;
  }
  uint32_t size = s->kind == SectionKind::Items ? header.writerSize : sizeof(QxdEntry);
  if (size < sizeof(QxdEntry) || size > kMaxRecordSize || !QxdArrayFits(ctx, 0, list.count, size)) {
    *error = "section " + s->name + " has more entries than the file can hold";
    return false;
  }
  s->recordSize = size;
  if (s->kind == SectionKind::Items && !DecodeLayout(ctx, header, s, error)) return false;
  uint32_t entry = header.firstEntry;
  std::vector<uint8_t> record(size);
  for (uint32_t i = 0; i < list.count; ++i) {
    uint32_t offset = entry;
    if (s->kind == SectionKind::Items && !QxdReadIndexEntry(ctx, list, i, &offset)) {
      *error = "index of section " + s->name + " is not readable";
      return false;
    }
    if (!QxdReadRecord(ctx, offset, record.data(), size)) {
      *error = "entry " + std::to_string(i) + " of section " + s->name + " is not readable";
      return false;
    }
    QxdEntry e;
    std::memcpy(&e, record.data(), sizeof e);
    Item item;
    item.key = Narrow(ctx, e.keyOffset);
    item.value = Narrow(ctx, e.valueOffset);
    item.text = Wide(ctx, e.textOffset);
    if (s->kind == SectionKind::Items) {
      item.number = e.next;
      for (const FieldSpec& spec : s->layout) {
        FieldValue v;
        if (ReadField(ctx, record, spec, &v)) item.fields.push_back(v);
      }
      if (list.firstEntry != 0 && list.firstEntry == offset && !s->hasDefault) {
        s->hasDefault = true;
        s->defaultKey = item.key;
      }
    }
    s->items.push_back(std::move(item));
    entry = e.next;
  }
  return true;
}

bool DecodeEditField(QxdContext* ctx, uint32_t at, Section* s, std::string* error) {
  auto get32 = [&](uint32_t* v) {
    bool ok = QxdReadFully(ctx, v, 4, at);
    at += 4;
    return ok;
  };
  EditField& e = s->edit;
  uint32_t words[6];
  at += 24;
  bool ok = true;
  for (uint32_t& w : words) ok = ok && get32(&w);
  e.lengthKind = words[0];
  e.minLength = words[1];
  e.maxLength = words[2];
  e.minValue = static_cast<int32_t>(words[3]);
  e.maxValue = static_cast<int32_t>(words[4]);
  e.defaultValue = static_cast<int32_t>(words[5]);
  for (EditRule& r : e.rules) {
    uint32_t size = 0;
    ok = ok && get32(&r.kind) && get32(&size) && QxdArrayFits(ctx, at, size, 1);
    if (!ok) break;
    r.list.resize(size);
    if (size != 0 && !QxdReadFully(ctx, r.list.data(), size, at)) ok = false;
    at += size;
  }
  for (uint32_t& v : e.check) ok = ok && get32(&v);
  for (uint32_t& v : e.lengthCheck) ok = ok && get32(&v);
  if (!ok) *error = "edit item descriptor of section " + s->name + " is not readable";
  return ok;
}

// A file whose first section header has a next-section offset at byte 36
// uses the 40-byte variant; the standard header holds the writer's section
// kind (1 to 5) there.
bool IsShortHeaderFile(QxdContext* ctx, uint32_t end) {
  uint32_t word = 0;
  return end > kQxdFirstSection && QxdReadDword(ctx, kQxdFirstSection + offsetof(QxdShortSectionHeader, nextSection), &word) &&
         word > kLastSectionKind;
}

std::string FieldText(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

// A pairs or commands section of the command file (common/qxd/command_file.h).
bool DecodeShortList(QxdContext* ctx, uint32_t at, uint32_t count, uint32_t kind, Section* s, std::string* error) {
  uint32_t list = 0;
  if (!QxdReadDword(ctx, at + kQxdShortListAt, &list)) {
    *error = "section " + s->name + " has no list offset";
    return false;
  }
  if (kind == static_cast<uint32_t>(SectionKind::Pairs)) {
    s->kind = SectionKind::Pairs;
    if (!QxdArrayFits(ctx, list, count, kQxdPairSize)) {
      *error = "the pairs of section " + s->name + " lie outside the file";
      return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
      char pair[kQxdPairSize];
      QxdReadBytes(ctx, list + i * kQxdPairSize, kQxdPairSize, pair);
      s->pairs.emplace_back(FieldText(pair, kQxdPairField), FieldText(pair + kQxdPairField, kQxdPairField));
    }
    return true;
  }
  s->kind = SectionKind::Commands;
  if (!QxdArrayFits(ctx, list, count, 4)) {
    *error = "the rows of section " + s->name + " lie outside the file";
    return false;
  }
  for (uint32_t r = 0; r < count; ++r) {
    uint32_t rowAt = 0;
    QxdCommandRowHeader rowHeader;
    if (!QxdReadDword(ctx, list + 4 * r, &rowAt) || !QxdReadFully(ctx, &rowHeader, sizeof rowHeader, rowAt)) {
      *error = "row " + std::to_string(r) + " of section " + s->name + " is not readable";
      return false;
    }
    CommandRow row;
    row.name = FieldText(rowHeader.name, sizeof rowHeader.name);
    uint32_t entry = rowHeader.firstEntry;
    for (uint32_t e = 0; e < rowHeader.entryCount; ++e) {
      QxdCommandEntryHeader entryHeader;
      std::string text;
      if (!QxdReadFully(ctx, &entryHeader, sizeof entryHeader, entry) || entryHeader.textLength == 0 ||
          entryHeader.textLength - 1 > 1024) {
        *error = "command " + std::to_string(e) + " of row " + row.name + " is not readable";
        return false;
      }
      text.resize(entryHeader.textLength - 1);
      if (!text.empty() && !QxdReadBytes(ctx, entryHeader.textOffset, static_cast<uint32_t>(text.size()), text.data())) {
        *error = "the text of command " + std::to_string(e) + " of row " + row.name + " is not readable";
        return false;
      }
      row.commands.emplace_back(FieldText(entryHeader.name, sizeof entryHeader.name), text);
      entry = entryHeader.nextEntry;
    }
    s->rows.push_back(std::move(row));
  }
  return true;
}

bool DecodeShort(QxdContext* ctx, uint32_t end, Document* doc, std::string* error) {
  doc->sectionHeaderSize = sizeof(QxdShortSectionHeader);
  for (uint32_t at = kQxdFirstSection; at < end;) {
    QxdShortSectionHeader header;
    uint32_t count = 0;
    if (!QxdReadFully(ctx, &header, sizeof header, at) || !QxdReadFully(ctx, &count, 4, at + kQxdShortCountAt)) {
      *error = "section header at " + std::to_string(at) + " is not readable";
      return false;
    }
    Section s;
    s.name.assign(header.name, strnlen(header.name, sizeof header.name));
    if (header.firstEntry == static_cast<uint32_t>(SectionKind::Pairs) ||
        header.firstEntry == static_cast<uint32_t>(SectionKind::Commands)) {
      if (!DecodeShortList(ctx, at, count, header.firstEntry, &s, error)) return false;
    } else if (!QxdArrayFits(ctx, 0, count, sizeof(QxdEntry))) {
      *error = "section " + s.name + " has more entries than the file can hold";
      return false;
    }
    uint32_t entry = header.firstEntry;
    for (uint32_t i = 0; s.kind == SectionKind::Texts && i < count; ++i) {
      QxdEntry e;
      if (!QxdReadEntry(ctx, entry, &e)) {
        *error = "entry " + std::to_string(i) + " of section " + s.name + " is not readable";
        return false;
      }
      Item item;
      item.key = Narrow(ctx, e.keyOffset);
      item.value = Narrow(ctx, e.valueOffset);
      item.text = Wide(ctx, e.textOffset);
      s.items.push_back(std::move(item));
      entry = e.next;
    }
    doc->sections.push_back(std::move(s));
    if (header.nextSection <= at) {
      *error = "the section chain does not move forward after " + doc->sections.back().name;
      return false;
    }
    at = header.nextSection;
  }
  return true;
}

}  // namespace

bool Decode(const std::vector<uint8_t>& bytes, Document* doc, std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  std::unique_ptr<QxdContext, ContextCloser> ctx(QxdOpenImage(bytes.data(), bytes.size()));
  uint32_t fileHeader[2];
  if (!ctx || !QxdReadFully(ctx.get(), fileHeader, sizeof fileHeader, 0)) {
    *error = "the file has no header";
    return false;
  }
  *doc = Document();
  doc->headerWord = fileHeader[0];
  const uint32_t end = fileHeader[1];
  if (IsShortHeaderFile(ctx.get(), end)) return DecodeShort(ctx.get(), end, doc, error);
  for (uint32_t at = kQxdFirstSection; at < end;) {
    QxdSectionHeader header;
    if (!QxdReadSectionHeader(ctx.get(), at, &header)) {
      *error = "section header at " + std::to_string(at) + " is not readable";
      return false;
    }
    Section s;
    s.name.assign(header.name, strnlen(header.name, sizeof header.name));
    switch (header.writerKind) {
      case static_cast<uint32_t>(SectionKind::Texts):
      case static_cast<uint32_t>(SectionKind::Items):
        s.kind = static_cast<SectionKind>(header.writerKind);
        if (!DecodeEntries(ctx.get(), header, at, &s, error)) return false;
        break;
      case static_cast<uint32_t>(SectionKind::Records):
        s.kind = SectionKind::Records;
        if (!DecodeRecords(ctx.get(), header, at, &s, error)) return false;
        break;
      case static_cast<uint32_t>(SectionKind::Range): {
        s.kind = SectionKind::Range;
        uint32_t range[3];
        if (!QxdReadRangeRecord(ctx.get(), at + kQxdRangeRecordAt, range)) {
          *error = "range of section " + s.name + " is not readable";
          return false;
        }
        s.maximum = range[0];
        s.minimum = range[1];
        s.defaultValue = range[2];
        break;
      }
      case static_cast<uint32_t>(SectionKind::Value): {
        s.kind = SectionKind::Value;
        char text[128];
        if (!QxdReadValueString(ctx.get(), s.name.c_str(), text, sizeof text)) {
          *error = "value of section " + s.name + " is not readable";
          return false;
        }
        s.value = text;
        break;
      }
      case static_cast<uint32_t>(SectionKind::EditField):
        s.kind = SectionKind::EditField;
        if (!DecodeEditField(ctx.get(), at + kQxdRangeRecordAt, &s, error)) return false;
        break;
      case static_cast<uint32_t>(SectionKind::Pairs): {
        s.kind = SectionKind::Pairs;
        QxdListHeader list;
        uint32_t table, pairs[3];
        // Files of older tools leave the row size out: their rows are 64 bytes.
        const uint32_t row = header.writerSize != 0 ? header.writerSize : kQxdPairSize;
        if (row <= kQxdPairField || row > kQxdPairField + 1024 ||
            !QxdReadListHeader(ctx.get(), at + kQxdListHeaderAt, &list) || !QxdReadIndexEntry(ctx.get(), list, 0, &table) ||
            !QxdReadBytes(ctx.get(), table, sizeof pairs, pairs) || !QxdArrayFits(ctx.get(), pairs[2], pairs[0], row)) {
          *error = "pair table of section " + s.name + " is not readable";
          return false;
        }
        s.pairValueSize = row - kQxdPairField;
        std::vector<char> pair(row);
        for (uint32_t i = 0; i < pairs[0]; ++i) {
          QxdReadBytes(ctx.get(), pairs[2] + row * i, row, pair.data());
          const char* value = pair.data() + kQxdPairField;
          s.pairs.emplace_back(std::string(pair.data(), strnlen(pair.data(), kQxdPairField)),
                               std::string(value, strnlen(value, s.pairValueSize)));
        }
        break;
      }
      case static_cast<uint32_t>(SectionKind::Groups): {
        s.kind = SectionKind::Groups;
        QxdListHeader list;
        if (!QxdReadListHeader(ctx.get(), at + kQxdListHeaderAt, &list) ||
            !QxdArrayFits(ctx.get(), list.indexOffset, list.count, 4)) {
          *error = "groups of section " + s.name + " are not readable";
          return false;
        }
        // Files of older tools leave the field size out: their fields are 32 bytes.
        const uint32_t field = header.writerSize != 0 ? header.writerSize : kQxdPairField;
        if (field < 2 || field > 256) {
          *error = "groups of section " + s.name + " have fields of " + std::to_string(field) + " bytes";
          return false;
        }
        s.groupFieldSize = field;
        std::vector<char> name(field), pair(2 * field);
        for (uint32_t i = 0; i < list.count; ++i) {
          uint32_t entry = 0, head[2];
          if (!QxdReadIndexEntry(ctx.get(), list, i, &entry) || !QxdReadBytes(ctx.get(), entry, field, name.data()) ||
              !QxdReadBytes(ctx.get(), entry + field, sizeof head, head) ||
              !QxdArrayFits(ctx.get(), head[1], head[0], 2 * field)) {
            *error = "a group of section " + s.name + " is not readable";
            return false;
          }
          Group g;
          g.name.assign(name.data(), strnlen(name.data(), field));
          for (uint32_t j = 0; j < head[0]; ++j) {
            QxdReadBytes(ctx.get(), head[1] + 2 * field * j, 2 * field, pair.data());
            g.pairs.emplace_back(std::string(pair.data(), strnlen(pair.data(), field)),
                                 std::string(pair.data() + field, strnlen(pair.data() + field, field)));
          }
          s.groups.push_back(std::move(g));
        }
        break;
      }
      default:
        *error = "section " + s.name + " was not laid out by this tool";
        return false;
    }
    doc->sections.push_back(std::move(s));
    if (header.nextSection <= at) {
      *error = "the section chain does not move forward after " + doc->sections.back().name;
      return false;
    }
    at = header.nextSection;
  }
  return true;
}

}  // namespace qxd
