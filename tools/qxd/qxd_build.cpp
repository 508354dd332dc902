// Writes a document as a binary description file.
#include <cstring>

#include "common/qxd/command_file.h"
#include "common/qxd/qxd_reader.h"
#include "tools/qxd/qxd_document.h"

namespace qxd {
namespace {

// The file's offsets are 32 bits: an image that would grow beyond them is
// not grown; it is marked too large, later writes into it are dropped and
// Build refuses it.
class Image {
 public:
  uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
  bool TooLarge() const { return tooLarge_; }
  uint32_t Reserve(uint32_t length) {
    Align();
    if (tooLarge_ || bytes_.size() + length > UINT32_MAX - 3) {
      tooLarge_ = true;
      return 0;
    }
    uint32_t at = Size();
    bytes_.resize(bytes_.size() + length, 0);
    return at;
  }
  void Align() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  void Put32(uint32_t at, uint32_t value) {
    if (!tooLarge_) PatchU32(&bytes_, at, value);
  }
  void PutBytes(uint32_t at, const void* data, size_t length) {
    if (!tooLarge_ && length != 0) std::memcpy(&bytes_[at], data, length);
  }
  uint32_t AddNarrow(const std::string& text) {
    uint32_t at = Reserve(static_cast<uint32_t>(text.size() + 1));
    PutBytes(at, text.data(), text.size());
    return at;
  }
  uint32_t AddWide(const std::string& text) {
    std::u16string wide = Utf8ToUtf16(text);
    uint32_t at = Reserve(static_cast<uint32_t>(2 * (wide.size() + 1)));
    for (size_t i = 0; i < wide.size(); ++i) {
      bytes_[at + 2 * i] = static_cast<uint8_t>(wide[i] & 0xFF);
      bytes_[at + 2 * i + 1] = static_cast<uint8_t>(wide[i] >> 8);
    }
    return at;
  }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  bool tooLarge_ = false;
};

// Each field of a layout has bytes of its own and a name of its own: two
// fields over the same bytes would write each other's values, and the file
// would read back as another text.
bool LayoutFieldsApart(const Section& section, std::string* error) {
  const std::vector<FieldSpec>& layout = section.layout;
  for (size_t i = 0; i < layout.size(); ++i) {
    for (size_t j = i + 1; j < layout.size(); ++j) {
      const FieldSpec& a = layout[i];
      const FieldSpec& b = layout[j];
      const bool overlap = uint64_t{a.offset} < uint64_t{b.offset} + FieldBytes(b) &&
                           uint64_t{b.offset} < uint64_t{a.offset} + FieldBytes(a);
      if (overlap || a.name == b.name) {
        *error = "fields " + a.name + " and " + b.name + " of section " + section.name +
                 (overlap ? " share bytes" : " have the same name");
        return false;
      }
    }
  }
  return true;
}

const FieldSpec* FindField(const Section& section, const std::string& name) {
  for (const FieldSpec& f : section.layout) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

bool PutField(Image* image, uint32_t record, const FieldSpec& spec, const FieldValue& value, std::string* error) {
  uint32_t at = record + spec.offset;
  std::vector<uint8_t>& b = image->Bytes();
  auto putInt = [&](int bytes, bool isSigned) {
    int64_t lo = isSigned ? -(int64_t{1} << (8 * bytes - 1)) : 0;
    int64_t hi = isSigned ? (int64_t{1} << (8 * bytes - 1)) - 1 : (int64_t{1} << (8 * bytes)) - 1;
    if (value.number < lo || value.number > hi) {
      *error = "value of field " + spec.name + " is out of range";
      return false;
    }
    uint64_t v = static_cast<uint64_t>(value.number);
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    return true;
  };
  switch (spec.type) {
    case FieldType::U8: return putInt(1, false);
    case FieldType::U16: return putInt(2, false);
    case FieldType::U32: return putInt(4, false);
    case FieldType::I16: return putInt(2, true);
    case FieldType::I32: return putInt(4, true);
    case FieldType::Str:
      if (value.text.size() >= spec.count) {
        *error = "text of field " + spec.name + " does not fit its " + std::to_string(spec.count) + " bytes";
        return false;
      }
      image->PutBytes(at, value.text.data(), value.text.size());
      return true;
    case FieldType::WStr: {
      std::u16string wide = Utf8ToUtf16(value.text);
      if (wide.size() >= spec.count) {
        *error = "text of field " + spec.name + " does not fit its " + std::to_string(spec.count) + " units";
        return false;
      }
      for (size_t i = 0; i < wide.size(); ++i) {
        b[at + 2 * i] = static_cast<uint8_t>(wide[i] & 0xFF);
        b[at + 2 * i + 1] = static_cast<uint8_t>(wide[i] >> 8);
      }
      return true;
    }
    case FieldType::WText: {
      if (Utf8ToUtf16(value.text).size() > 290) {
        *error = "text of field " + spec.name + " is longer than 290 characters";
        return false;
      }
      uint32_t text = value.text.empty() ? 0 : image->AddWide(value.text);
      image->Put32(at, text);
      return true;
    }
  }
  return false;
}


bool CheckSection(const Section& s, std::string* error) {
  if (s.name.empty() || s.name.size() > 31) {
    *error = "section name \"" + s.name + "\" must have 1 to 31 characters";
    return false;
  }
  if ((s.kind == SectionKind::Records || s.kind == SectionKind::Items) && s.recordSize > kMaxRecordSize) {
    *error = "records of section " + s.name + " are larger than " + std::to_string(kMaxRecordSize) + " bytes";
    return false;
  }
  if (s.kind == SectionKind::Records) {
    for (const FieldSpec& f : s.layout) {
      if (uint64_t{f.offset} + FieldBytes(f) > s.recordSize) {
        *error = "field " + f.name + " of section " + s.name + " lies outside the record";
        return false;
      }
    }
  }
  if (!LayoutFieldsApart(s, error)) return false;
  if (s.kind == SectionKind::Groups && (s.groupFieldSize < 2 || s.groupFieldSize > 256)) {
    *error = "group fields of section " + s.name + " must have 2 to 256 bytes";
    return false;
  }
  const size_t groupText = s.groupFieldSize - 1;
  const std::string fieldBytes = std::to_string(s.groupFieldSize) + " bytes";
  for (const Group& g : s.groups) {
    if (g.name.size() > groupText) {
      *error = "group " + g.name + " of section " + s.name + " does not fit " + fieldBytes;
      return false;
    }
    for (const auto& p : g.pairs) {
      if (p.first.size() > groupText || p.second.size() > groupText) {
        *error = "pair " + p.first + " of group " + g.name + " does not fit " + fieldBytes;
        return false;
      }
    }
  }
  if (s.kind == SectionKind::Items) {
    if (s.recordSize < sizeof(QxdEntry)) {
      *error = "records of section " + s.name + " are smaller than an entry";
      return false;
    }
    for (const FieldSpec& f : s.layout) {
      if (f.offset < sizeof(QxdEntry) || uint64_t{f.offset} + FieldBytes(f) > s.recordSize) {
        *error = "field " + f.name + " of section " + s.name + " lies outside the record";
        return false;
      }
    }
  }
  if (s.kind == SectionKind::Pairs && (s.pairValueSize < 2 || s.pairValueSize > 1024)) {
    *error = "pair values of section " + s.name + " must have 2 to 1024 bytes";
    return false;
  }
  for (const auto& p : s.pairs) {
    if (p.first.size() > 31 || p.second.size() >= s.pairValueSize) {
      *error = "pair " + p.first + " of section " + s.name + " does not fit its fields";
      return false;
    }
  }
  return true;
}

constexpr size_t kCommandToolTextMax = 1024;

// A pairs or commands section of a file with 40-byte headers (see
// common/qxd/command_file.h).
bool BuildShortSection(Image* image, const Section& s, SectionPlace* place, std::string* error) {
  const uint32_t header = image->Reserve(sizeof(QxdShortSectionHeader) + 8);
  place->header = header;
  place->list = header + kQxdShortCountAt;
  image->PutBytes(header, s.name.data(), s.name.size());
  image->Put32(header + offsetof(QxdShortSectionHeader, firstEntry), static_cast<uint32_t>(s.kind));
  if (s.kind == SectionKind::Pairs) {
    uint32_t pairs = image->Reserve(static_cast<uint32_t>(kQxdPairSize * s.pairs.size()));
    for (size_t i = 0; i < s.pairs.size(); ++i) {
      uint32_t at = pairs + static_cast<uint32_t>(kQxdPairSize * i);
      place->records.push_back(at);
      image->PutBytes(at, s.pairs[i].first.data(), s.pairs[i].first.size());
      image->PutBytes(at + kQxdPairField, s.pairs[i].second.data(), s.pairs[i].second.size());
    }
    image->Put32(header + kQxdShortCountAt, static_cast<uint32_t>(s.pairs.size()));
    image->Put32(header + kQxdShortListAt, pairs);
    return true;
  }
  if (s.rows.size() > kCommandMaxRows) {
    *error = "section " + s.name + " has more than " + std::to_string(kCommandMaxRows) + " rows";
    return false;
  }
  const uint32_t array = image->Reserve(static_cast<uint32_t>(4 * s.rows.size()));
  place->index = array;
  for (size_t r = 0; r < s.rows.size(); ++r) {
    const CommandRow& row = s.rows[r];
    if (row.name.empty() || row.name.size() >= kCommandNameField) {
      *error = "row \"" + row.name + "\" of section " + s.name + " needs 1 to 31 characters";
      return false;
    }
    const uint32_t rowAt = image->Reserve(sizeof(QxdCommandRowHeader));
    place->records.push_back(rowAt);
    image->Put32(array + static_cast<uint32_t>(4 * r), rowAt);
    image->PutBytes(rowAt, row.name.data(), row.name.size());
    image->Put32(rowAt + offsetof(QxdCommandRowHeader, entryCount), static_cast<uint32_t>(row.commands.size()));
    uint32_t previous = 0;
    for (const auto& command : row.commands) {
      if (command.first.empty() || command.first.size() >= kCommandNameField) {
        *error = "command \"" + command.first + "\" of row " + row.name + " needs 1 to 31 characters";
        return false;
      }
      // The driver reads the first 511 characters; longer texts are
      // written whole so that tests can show the cut.
      if (command.second.size() > kCommandToolTextMax) {
        *error = "command " + command.first + " of row " + row.name + " is longer than 1024 characters";
        return false;
      }
      const uint32_t entry = image->Reserve(sizeof(QxdCommandEntryHeader));
      image->PutBytes(entry, command.first.data(), command.first.size());
      const uint32_t text = image->AddNarrow(command.second);
      image->Put32(entry + offsetof(QxdCommandEntryHeader, textLength), static_cast<uint32_t>(command.second.size() + 1));
      image->Put32(entry + offsetof(QxdCommandEntryHeader, textOffset), text);
      image->Put32(previous == 0 ? rowAt + offsetof(QxdCommandRowHeader, firstEntry)
                                 : previous + offsetof(QxdCommandEntryHeader, nextEntry),
                   entry);
      previous = entry;
    }
  }
  image->Put32(header + kQxdShortCountAt, static_cast<uint32_t>(s.rows.size()));
  image->Put32(header + kQxdShortListAt, array);
  return true;
}

}  // namespace

void PatchU32(std::vector<uint8_t>* bytes, uint32_t offset, uint32_t value) {
  if (uint64_t{offset} + 4 > bytes->size()) return;
  for (int i = 0; i < 4; ++i) (*bytes)[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const std::vector<uint8_t>& bytes, uint32_t offset) {
  if (uint64_t{offset} + 4 > bytes.size()) return 0;
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
         (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

uint32_t FieldBytes(const FieldSpec& f) {
  switch (f.type) {
    case FieldType::U8: return 1;
    case FieldType::U16: case FieldType::I16: return 2;
    case FieldType::U32: case FieldType::I32: return 4;
    case FieldType::Str: return f.count;
    case FieldType::WStr: return 2 * f.count;
    case FieldType::WText: return 4;
  }
  return 0;
}

bool Build(const Document& doc, std::vector<uint8_t>* out, std::string* error, Placement* placement) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  // The variant with 40-byte section headers: each header is followed by
  // the entry count and a spare word, then the section's chained entries.
  const bool shortHeaders = doc.sectionHeaderSize == sizeof(QxdShortSectionHeader);
  if (!shortHeaders && doc.sectionHeaderSize != sizeof(QxdSectionHeader)) {
    *error = "section headers are 52 or 40 bytes";
    return false;
  }
  // Only its first header tells the variant apart when the file is read.
  if (shortHeaders && doc.sections.empty()) {
    *error = "a file with 40-byte headers needs at least one section";
    return false;
  }
  Image image;
  image.Reserve(kQxdFileHeaderSize);
  image.Put32(0, doc.headerWord);
  Placement places;
  std::vector<uint32_t> headers;

  for (const Section& s : doc.sections) {
    if (!CheckSection(s, error)) return false;
    const bool allowed = shortHeaders ? s.kind == SectionKind::Texts || s.kind == SectionKind::Commands ||
                                            (s.kind == SectionKind::Pairs && s.pairValueSize == kQxdPairField)
                                      : s.kind != SectionKind::Commands;
    if (!allowed) {
      *error = "section " + s.name + ": files with 40-byte headers hold texts, pairs and commands sections, "
               "and only they hold commands sections";
      return false;
    }
    if (shortHeaders && s.kind != SectionKind::Texts) {
      SectionPlace shortPlace;
      if (!BuildShortSection(&image, s, &shortPlace, error)) return false;
      headers.push_back(shortPlace.header);
      places.sections.push_back(shortPlace);
      continue;
    }
    SectionPlace place;
    uint32_t header = shortHeaders ? image.Reserve(sizeof(QxdShortSectionHeader) + 8)
                                   : image.Reserve(sizeof(QxdSectionHeader) + sizeof(QxdListHeader));
    place.header = header;
    place.list = header + (shortHeaders ? kQxdShortCountAt : kQxdListHeaderAt);
    headers.push_back(header);
    image.PutBytes(header, s.name.data(), s.name.size());
    if (!shortHeaders) image.Put32(header + offsetof(QxdSectionHeader, writerKind), static_cast<uint32_t>(s.kind));
    uint32_t count = 0, first = 0, listFirst = 0;
    std::vector<uint32_t> index;

    switch (s.kind) {
      case SectionKind::Texts:
      case SectionKind::Items: {
        uint32_t size = s.kind == SectionKind::Items ? s.recordSize : sizeof(QxdEntry);
        if (!shortHeaders) image.Put32(header + offsetof(QxdSectionHeader, writerSize), size);
        for (size_t i = 0; i < s.items.size(); ++i) place.records.push_back(image.Reserve(size));
        for (size_t i = 0; i < s.items.size(); ++i) {
          const Item& item = s.items[i];
          uint32_t rec = place.records[i];
          image.Put32(rec + 0, image.AddNarrow(item.key));
          image.Put32(rec + 4, image.AddNarrow(item.value));
          image.Put32(rec + 8, image.AddWide(item.text));
          if (s.kind == SectionKind::Texts) {
            image.Put32(rec + 12, i + 1 < s.items.size() ? place.records[i + 1] : 0);
          } else {
            image.Put32(rec + 12, item.number);
            for (const FieldValue& v : item.fields) {
              const FieldSpec* spec = FindField(s, v.name);
              if (spec == nullptr) {
                *error = "section " + s.name + " has no field " + v.name;
                return false;
              }
              if (!PutField(&image, rec, *spec, v, error)) return false;
            }
          }
        }
        count = static_cast<uint32_t>(s.items.size());
        first = count ? place.records[0] : 0;
        listFirst = s.kind == SectionKind::Texts ? first : 0;
        if (s.kind == SectionKind::Items && s.hasDefault) {
          bool found = false;
          for (size_t i = 0; i < s.items.size() && !found; ++i) {
            if (s.items[i].key == s.defaultKey) {
              listFirst = place.records[i];
              found = true;
            }
          }
          if (!found) {
            *error = "default item " + s.defaultKey + " of section " + s.name + " is not in the section";
            return false;
          }
        }
        index = place.records;
        if (s.kind == SectionKind::Items && !s.layout.empty()) {
          image.Put32(header + offsetof(QxdSectionHeader, writerLayout), image.AddNarrow(FormatLayout(s.layout)));
        }
        break;
      }
      case SectionKind::Records: {
        image.Put32(header + offsetof(QxdSectionHeader, writerSize), s.recordSize);
        for (size_t i = 0; i < s.items.size(); ++i) place.records.push_back(image.Reserve(s.recordSize));
        for (size_t i = 0; i < s.items.size(); ++i) {
          for (const FieldValue& v : s.items[i].fields) {
            const FieldSpec* spec = FindField(s, v.name);
            if (spec == nullptr) {
              *error = "section " + s.name + " has no field " + v.name;
              return false;
            }
            if (!PutField(&image, place.records[i], *spec, v, error)) return false;
          }
        }
        count = static_cast<uint32_t>(s.items.size());
        first = count ? place.records[0] : 0;
        index = place.records;
        if (!s.layout.empty()) {
          image.Put32(header + offsetof(QxdSectionHeader, writerLayout), image.AddNarrow(FormatLayout(s.layout)));
        }
        break;
      }
      case SectionKind::Range: {
        uint32_t range = image.Reserve(sizeof(QxdRangeRecord));
        image.Put32(range + offsetof(QxdRangeRecord, minimum), s.minimum);
        image.Put32(range + offsetof(QxdRangeRecord, maximum), s.maximum);
        image.Put32(range + offsetof(QxdRangeRecord, defaultValue), s.defaultValue);
        break;
      }
      case SectionKind::Value: {
        uint32_t entry = image.Reserve(sizeof(QxdEntry));
        place.records.push_back(entry);
        image.Put32(entry + 0, image.AddNarrow(s.value));
        image.Put32(entry + 4, image.AddNarrow(""));
        image.Put32(entry + 8, image.AddWide(""));
        count = 1;
        first = listFirst = entry;
        index.push_back(entry);
        break;
      }
      case SectionKind::EditField: {
        // One contiguous payload right after the list header: the rules'
        // lists may leave the fields after them unaligned.
        std::vector<uint8_t> payload;
        auto put32 = [&payload](uint32_t v) {
          for (int i = 0; i < 4; ++i) payload.push_back(static_cast<uint8_t>(v >> (8 * i)));
        };
        const EditField& e = s.edit;
        payload.resize(24, 0);
        put32(e.lengthKind);
        put32(e.minLength);
        put32(e.maxLength);
        put32(static_cast<uint32_t>(e.minValue));
        put32(static_cast<uint32_t>(e.maxValue));
        put32(static_cast<uint32_t>(e.defaultValue));
        for (const EditRule& r : e.rules) {
          put32(r.kind);
          put32(static_cast<uint32_t>(r.list.size()));
          payload.insert(payload.end(), r.list.begin(), r.list.end());
        }
        for (uint32_t v : e.check) put32(v);
        for (uint32_t v : e.lengthCheck) put32(v);
        uint32_t at = image.Reserve(static_cast<uint32_t>(payload.size()));
        image.PutBytes(at, payload.data(), payload.size());
        place.records.push_back(at);
        break;
      }
      case SectionKind::Pairs: {
        const uint32_t row = kQxdPairField + s.pairValueSize;
        image.Put32(header + offsetof(QxdSectionHeader, writerSize), row);
        uint32_t table = image.Reserve(12);
        uint32_t pairs = image.Reserve(static_cast<uint32_t>(row * s.pairs.size()));
        image.Put32(table + 0, static_cast<uint32_t>(s.pairs.size()));
        image.Put32(table + 8, pairs);
        for (size_t i = 0; i < s.pairs.size(); ++i) {
          uint32_t at = pairs + static_cast<uint32_t>(row * i);
          place.records.push_back(at);
          image.PutBytes(at, s.pairs[i].first.data(), s.pairs[i].first.size());
          image.PutBytes(at + 32, s.pairs[i].second.data(), s.pairs[i].second.size());
        }
        count = 1;
        index.push_back(table);
        break;
      }
      case SectionKind::Commands:
        break;  // only in files with 40-byte headers (above)
      case SectionKind::Groups: {
        const uint32_t field = s.groupFieldSize;
        if (field != kQxdPairField) image.Put32(header + offsetof(QxdSectionHeader, writerSize), field);
        for (const Group& g : s.groups) {
          uint32_t entry = image.Reserve(field + 8);
          uint32_t pairs = image.Reserve(static_cast<uint32_t>(2 * field * g.pairs.size()));
          place.records.push_back(entry);
          image.PutBytes(entry, g.name.data(), g.name.size());
          image.Put32(entry + field, static_cast<uint32_t>(g.pairs.size()));
          image.Put32(entry + field + 4, pairs);
          for (size_t i = 0; i < g.pairs.size(); ++i) {
            uint32_t at = pairs + static_cast<uint32_t>(2 * field * i);
            image.PutBytes(at, g.pairs[i].first.data(), g.pairs[i].first.size());
            image.PutBytes(at + field, g.pairs[i].second.data(), g.pairs[i].second.size());
          }
        }
        count = static_cast<uint32_t>(s.groups.size());
        first = count ? place.records[0] : 0;
        index = place.records;
        break;
      }
    }
    image.Put32(header + offsetof(QxdSectionHeader, firstEntry), first);
    image.Put32(place.list + 0, count);
    if (!shortHeaders) {
      uint32_t indexAt = image.Reserve(static_cast<uint32_t>(4 * index.size()));
      for (size_t i = 0; i < index.size(); ++i) image.Put32(indexAt + static_cast<uint32_t>(4 * i), index[i]);
      place.index = indexAt;
      image.Put32(place.list + 4, listFirst);
      image.Put32(place.list + 8, indexAt);
    }
    places.sections.push_back(place);
  }
  image.Align();
  if (image.TooLarge()) {
    *error = "the file would be larger than its 32-bit offsets reach";
    return false;
  }
  const uint32_t end = image.Size();
  image.Put32(4, end);
  for (size_t i = 0; i < headers.size(); ++i) {
    uint32_t next = shortHeaders ? offsetof(QxdShortSectionHeader, nextSection) : offsetof(QxdSectionHeader, nextSection);
    image.Put32(headers[i] + next, i + 1 < headers.size() ? headers[i + 1] : end);
  }
  *out = std::move(image.Bytes());
  if (placement != nullptr) *placement = std::move(places);
  return true;
}

}  // namespace qxd
