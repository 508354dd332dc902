#include "drender/text/truetype_file.h"

#include <cstring>

namespace {

bool Fits(uint64_t offset, uint64_t length, uint64_t size) { return offset + length <= size; }

uint16_t Big16(const uint8_t* at) { return static_cast<uint16_t>((at[0] << 8) | at[1]); }
uint32_t Big32(const uint8_t* at) {
  return (uint32_t(at[0]) << 24) | (uint32_t(at[1]) << 16) | (uint32_t(at[2]) << 8) | at[3];
}
void PutBig16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(static_cast<uint8_t>(value >> 8));
  out->push_back(static_cast<uint8_t>(value));
}
void PutBig32(std::vector<uint8_t>* out, uint32_t value) {
  PutBig16(out, static_cast<uint16_t>(value >> 16));
  PutBig16(out, static_cast<uint16_t>(value));
}

// The languages whose names are admitted for a face's character set; the
// European languages are admitted for every set.
bool LanguageAdmitted(uint16_t language, uint8_t charset) {
  static const uint16_t kAny[] = {0x040C, 0x0407, 0x0410, 0x0C0A, 0x0405, 0x040E, 0x0415, 0x0816,
                                  0x041B, 0x0406, 0x041D, 0x040B, 0x0814, 0x0413, 0x0418};
  for (uint16_t any : kAny) {
    if (language == any) return true;
  }
  switch (charset) {
    case 0: return language == 0x0409 || language == 0x0809;
    case 128: return language == 0x0411;
    case 134: return language == 0x0804 || language == 0x1004;
    case 136: return language == 0x0404 || language == 0x0C04 || language == 0x1404;
    case 130: return language == 0x0412;
    case 177: return language == 0x040D;
    case 204: return language == 0x0419;
    case 178: return language == 0x3801;
    default: return false;
  }
}

// Whether the font at `directory` names the family: the first admitted
// Windows family-name record decides.
bool FontHasFamily(const TtFile& file, const uint16_t* family, uint32_t family_units,
                   uint8_t charset) {
  TtTable name;
  if (!Tt_FindTable(file, TtTag('n', 'a', 'm', 'e'), &name) || name.length < 6) return false;
  const uint8_t* table = file.data + name.offset;
  const uint16_t count = Big16(table + 2);
  const uint32_t strings = Big16(table + 4);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t record = 6 + i * 12;
    if (!Fits(record, 12, name.length)) return false;
    const uint8_t* r = table + record;
    if (Big16(r) != 3 || Big16(r + 2) != 1 || !LanguageAdmitted(Big16(r + 4), charset)) continue;
    if (Big16(r + 6) != 1) continue;
    uint32_t bytes = Big16(r + 8);
    if (bytes > 64) bytes = 64;
    const uint32_t units = bytes / 2;
    const uint64_t at = uint64_t(strings) + Big16(r + 10);
    if (!Fits(at, bytes, name.length) || units == 0 || units > family_units) return false;
    for (uint32_t u = 0; u < units; ++u) {
      if (Big16(table + at + 2 * u) != family[u]) return false;
    }
    return true;
  }
  return false;
}

uint32_t Padded(uint32_t length) { return (length + 3u) & ~3u; }

}  // namespace

uint16_t Tt_Read16(const TtFile& file, uint32_t offset) {
  return Fits(offset, 2, file.size) ? Big16(file.data + offset) : 0;
}

uint32_t Tt_Read32(const TtFile& file, uint32_t offset) {
  return Fits(offset, 4, file.size) ? Big32(file.data + offset) : 0;
}

bool Tt_IsCollection(const uint8_t* data, uint32_t size) {
  return data != nullptr && size >= 12 && Big32(data) == TtTag('t', 't', 'c', 'f');
}

bool Tt_FindTable(const TtFile& file, uint32_t tag, TtTable* table) {
  if (file.data == nullptr || !Fits(file.directory, 12, file.size)) return false;
  // A directory that claims more records than the file holds is damaged.
  const uint32_t count = Big16(file.data + file.directory + 4);
  if (!Fits(uint64_t(file.directory) + 12, 16ull * count, file.size)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t record = uint64_t(file.directory) + 12 + 16ull * i;
    const uint8_t* r = file.data + record;
    if (Big32(r) != tag) continue;
    const uint32_t offset = Big32(r + 8);
    const uint32_t length = Big32(r + 12);
    if (!Fits(offset, length, file.size)) return false;
    *table = {tag, offset, length};
    return true;
  }
  return false;
}

uint32_t Tt_ReadTable(const TtFile& file, uint32_t tag, uint32_t offset, void* destination,
                      uint32_t length) {
  TtTable table;
  if (!Tt_FindTable(file, tag, &table)) return 0;
  if (destination != nullptr) {
    if (!Fits(offset, length, table.length)) return 0;
    if (length > 0) std::memcpy(destination, file.data + table.offset + offset, length);
  }
  return table.length;
}

uint32_t Tt_FindCollectionFont(const uint8_t* data, uint32_t size, const uint16_t* family,
                               uint32_t family_units, uint8_t charset) {
  if (!Tt_IsCollection(data, size)) return 0;
  const uint32_t count = Big32(data + 8);
  uint32_t first = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t slot = 12 + 4ull * i;
    if (!Fits(slot, 4, size)) break;
    const uint32_t directory = Big32(data + slot);
    if (i == 0) first = directory;
    if (family != nullptr && FontHasFamily({data, size, directory}, family, family_units, charset)) {
      return directory;
    }
  }
  return first;
}

bool Tt_OpenFont(const TtFile& file, TtFontState* state) {
  *state = TtFontState();
  TtTable head, maxp, hhea, cmap;
  if (!Tt_FindTable(file, TtTag('h', 'e', 'a', 'd'), &head) || head.length < 54) return false;
  if (!Tt_FindTable(file, TtTag('m', 'a', 'x', 'p'), &maxp) || maxp.length < 6) return false;
  if (!Tt_FindTable(file, TtTag('l', 'o', 'c', 'a'), &state->loca)) return false;
  if (!Tt_FindTable(file, TtTag('g', 'l', 'y', 'f'), &state->glyf)) return false;
  if (!Tt_FindTable(file, TtTag('c', 'm', 'a', 'p'), &cmap) || cmap.length < 4) return false;
  state->indexToLocFormat = Big16(file.data + head.offset + 50);
  state->numGlyphs = Big16(file.data + maxp.offset + 4);
  if (state->indexToLocFormat > 1 || state->numGlyphs == 0) return false;
  const uint64_t locaNeeded = (uint64_t(state->numGlyphs) + 1) * (state->indexToLocFormat ? 4 : 2);
  if (state->loca.length < locaNeeded) return false;
  if (Tt_FindTable(file, TtTag('h', 'h', 'e', 'a'), &hhea) && hhea.length >= 36 &&
      Tt_FindTable(file, TtTag('h', 'm', 't', 'x'), &state->hmtx)) {
    state->numberOfHMetrics = Big16(file.data + hhea.offset + 34);
    if (uint64_t(state->numberOfHMetrics) * 4 > state->hmtx.length) state->numberOfHMetrics = 0;
  } else {
    state->hmtx = TtTable{};
  }
  // The first format-4 subtable, whatever its platform.
  const uint8_t* table = file.data + cmap.offset;
  const uint32_t records = Big16(table + 2);
  for (uint32_t i = 0; i < records; ++i) {
    const uint64_t record = 4 + 8ull * i;
    if (!Fits(record, 8, cmap.length)) break;
    const uint32_t sub = Big32(table + record + 4);
    if (!Fits(sub, 14, cmap.length) || Big16(table + sub) != 4) continue;
    const uint32_t length = Big16(table + sub + 2);
    const uint32_t segCountX2 = Big16(table + sub + 6);
    if (!Fits(sub, length, cmap.length) || segCountX2 == 0 || (segCountX2 & 1) ||
        16 + 4 * segCountX2 > length) {
      return false;
    }
    state->cmap.assign(table + sub, table + sub + length);
    state->segCountX2 = static_cast<uint16_t>(segCountX2);
    state->encoding = Big16(table + record + 2);
    state->ready = true;
    return true;
  }
  return false;
}

uint16_t Tt_CmapFormat4Lookup(const TtFontState& state, uint16_t code, TtCodeConvertFn convert) {
  if (!state.ready) return 0;
  if ((state.encoding == 2 || state.encoding == 5) && code > 0x7E && convert != nullptr) {
    code = convert(state.encoding, code);
    if (code == 0) return 0;
  }
  const uint8_t* map = state.cmap.data();
  const uint32_t size = static_cast<uint32_t>(state.cmap.size());
  const uint32_t x2 = state.segCountX2;
  const uint32_t ends = 14, starts = 16 + x2, deltas = 16 + 2 * x2, ranges = 16 + 3 * x2;
  for (uint32_t i = 0; i < x2 / 2; ++i) {
    const uint16_t end = Big16(map + ends + 2 * i);
    const uint16_t start = Big16(map + starts + 2 * i);
    if (code > end || code < start) continue;
    const uint16_t delta = Big16(map + deltas + 2 * i);
    const uint32_t rangeOffset = Big16(map + ranges + 2 * i);
    if (rangeOffset == 0) return static_cast<uint16_t>(code + delta);
    const uint64_t target = uint64_t(ranges) + 2 * i + rangeOffset + 2ull * (code - start);
    if (!Fits(target, 2, size)) return 0;
    const uint16_t glyph = Big16(map + target);
    return glyph == 0 ? 0 : static_cast<uint16_t>(glyph + delta);
  }
  return 0;
}

bool Tt_GetLocaEntry(const TtFile& file, const TtFontState& state, uint16_t glyph, uint32_t* offset,
                     uint32_t* length) {
  if (!state.ready || glyph >= state.numGlyphs) return false;
  const uint8_t* loca = file.data + state.loca.offset;
  uint32_t begin, end;
  if (state.indexToLocFormat == 0) {
    // Short entries count 16-bit words: doubled, they need 32 bits.
    begin = 2u * Big16(loca + 2u * glyph);
    end = 2u * Big16(loca + 2u * glyph + 2);
  } else {
    begin = Big32(loca + 4u * glyph);
    end = Big32(loca + 4u * glyph + 4);
  }
  if (end < begin || !Fits(begin, end - begin, state.glyf.length)) return false;
  *offset = state.glyf.offset + begin;
  *length = end - begin;
  return true;
}

void Tt_GlyphMetrics(const TtFile& file, const TtFontState& state, uint16_t glyph,
                     uint32_t glyph_offset, uint32_t glyph_length, int16_t* lsb,
                     uint16_t* advance) {
  *lsb = 0;
  *advance = 0;
  if (glyph_length >= 10 && Fits(glyph_offset, 10, file.size)) {
    *lsb = static_cast<int16_t>(Big16(file.data + glyph_offset + 2));
    *advance = Big16(file.data + glyph_offset + 6);
  }
  if (state.hmtx.length > 0 && glyph < state.numberOfHMetrics) {
    const uint8_t* metric = file.data + state.hmtx.offset + 4u * glyph;
    *advance = Big16(metric);
    *lsb = static_cast<int16_t>(Big16(metric + 2));
  }
}

std::vector<uint16_t> Tt_CompositeComponents(const uint8_t* glyph, uint32_t length) {
  std::vector<uint16_t> components;
  if (glyph == nullptr || length < 10 || static_cast<int16_t>(Big16(glyph)) >= 0) return components;
  uint32_t at = 10;
  for (;;) {
    if (!Fits(at, 4, length)) break;
    const uint16_t flags = Big16(glyph + at);
    const uint16_t index = Big16(glyph + at + 2);
    uint32_t skip = 4 + ((flags & 0x0001) ? 4 : 2);
    if (flags & 0x0008) {
      skip += 2;
    } else if (flags & 0x0040) {
      skip += 4;
    } else if (flags & 0x0080) {
      skip += 8;
    }
    if (!Fits(at, skip, length)) break;
    components.push_back(index);
    at += skip;
    if (!(flags & 0x0020)) break;
  }
  return components;
}

std::vector<std::vector<uint8_t>> Tt_BuildGtSegment(const TtFile& file) {
  static const uint32_t kTags[6] = {TtTag('c', 'v', 't', ' '), TtTag('f', 'p', 'g', 'm'),
                                    TtTag('g', 'd', 'i', 'r'), TtTag('h', 'e', 'a', 'd'),
                                    TtTag('m', 'a', 'x', 'p'), TtTag('p', 'r', 'e', 'p')};
  TtTable tables[6] = {};
  bool present[6] = {};
  uint64_t sum = 0;
  for (int i = 0; i < 6; ++i) {
    present[i] = Tt_FindTable(file, kTags[i], &tables[i]) && tables[i].length > 0;
    if (present[i]) sum += Padded(tables[i].length);
  }
  std::vector<std::vector<uint8_t>> pieces;
  if (sum == 0 || sum + 108 > 0xFFFFFFFFull) return pieces;
  std::vector<uint8_t> start = {'G', 'T'};
  PutBig32(&start, static_cast<uint32_t>(108 + sum));
  pieces.push_back(start);
  std::vector<uint8_t> header;
  PutBig32(&header, Tt_Read32(file, file.directory));
  PutBig16(&header, 6);
  PutBig16(&header, 96);
  PutBig16(&header, Tt_Read16(file, file.directory + 8));
  PutBig16(&header, 0);
  pieces.push_back(header);
  std::vector<uint8_t> entries;
  uint32_t offset = 108;
  for (int i = 0; i < 6; ++i) {
    PutBig32(&entries, kTags[i]);
    PutBig32(&entries, 0);
    PutBig32(&entries, present[i] ? offset : 0);
    PutBig32(&entries, present[i] ? tables[i].length : 0);
    if (present[i]) offset += Padded(tables[i].length);
  }
  pieces.push_back(entries);
  for (int i = 0; i < 6; ++i) {
    if (!present[i]) continue;
    std::vector<uint8_t> data(Padded(tables[i].length), 0);
    std::memcpy(data.data(), file.data + tables[i].offset, tables[i].length);
    pieces.push_back(std::move(data));
  }
  return pieces;
}
