// Builds small TrueType font files and collections in memory for the tests
// of the font reader and the soft-font download, so that each test can make
// exactly the font (or the damage) it needs.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testfont {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes* b, uint32_t v) {
  b->push_back(uint8_t(v >> 8));
  b->push_back(uint8_t(v));
}
inline void Put32(Bytes* b, uint32_t v) {
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}
inline void Set16(Bytes* b, size_t at, uint32_t v) {
  (*b)[at] = uint8_t(v >> 8);
  (*b)[at + 1] = uint8_t(v);
}
inline uint16_t Get16(const Bytes& b, size_t at) { return uint16_t((b[at] << 8) | b[at + 1]); }
inline uint32_t Get32(const Bytes& b, size_t at) {
  return (uint32_t(Get16(b, at)) << 16) | Get16(b, at + 2);
}

// A simple glyph of `size` bytes (at least 10): one contour, the bounding
// box (xMin, 0, xMax, 100), filler bytes after the header.
inline Bytes SimpleGlyph(int16_t x_min, int16_t x_max, uint32_t size = 24, uint8_t fill = 0x5A) {
  Bytes g;
  Put16(&g, 1);
  Put16(&g, uint16_t(x_min));
  Put16(&g, 0);
  Put16(&g, uint16_t(x_max));
  Put16(&g, 100);
  while (g.size() < size) g.push_back(fill);
  return g;
}

// A composite glyph of the given components; `flags` of each component
// choose its argument and transformation sizes (MORE_COMPONENTS is set on
// all but the last).
inline Bytes CompositeGlyph(const std::vector<std::pair<uint16_t, uint16_t>>& parts) {
  Bytes g;
  Put16(&g, 0xFFFF);  // numberOfContours -1
  for (int i = 0; i < 4; ++i) Put16(&g, 0);
  for (size_t i = 0; i < parts.size(); ++i) {
    uint16_t flags = parts[i].second;
    if (i + 1 < parts.size()) flags |= 0x0020;
    Put16(&g, flags);
    Put16(&g, parts[i].first);
    g.insert(g.end(), (flags & 0x0001) ? 4 : 2, 0);
    if (flags & 0x0008) g.insert(g.end(), 2, 0x40);
    else if (flags & 0x0040) g.insert(g.end(), 4, 0x40);
    else if (flags & 0x0080) g.insert(g.end(), 8, 0x40);
  }
  return g;
}

struct Segment {
  uint16_t start, end;
  int16_t delta;
  std::vector<uint16_t> glyphs;  // non-empty: the idRangeOffset path
};

// A format-4 subtable; the final 0xFFFF segment is added.
inline Bytes Format4(std::vector<Segment> segments) {
  segments.push_back({0xFFFF, 0xFFFF, 1, {}});
  const uint32_t n = uint32_t(segments.size());
  Bytes t;
  Put16(&t, 4);
  Put16(&t, 0);  // length, set below
  Put16(&t, 0);
  Put16(&t, n * 2);
  Put16(&t, 0);
  Put16(&t, 0);
  Put16(&t, 0);
  for (const Segment& s : segments) Put16(&t, s.end);
  Put16(&t, 0);
  for (const Segment& s : segments) Put16(&t, s.start);
  for (const Segment& s : segments) Put16(&t, uint16_t(s.delta));
  // The glyph arrays follow the idRangeOffset array.
  uint32_t arrayStart = 2 * n;  // bytes from idRangeOffset[0] to the arrays
  std::vector<uint16_t> arrays;
  for (uint32_t i = 0; i < n; ++i) {
    if (segments[i].glyphs.empty()) {
      Put16(&t, 0);
    } else {
      const uint32_t at = arrayStart + 2 * uint32_t(arrays.size()) - 2 * i;
      Put16(&t, at);
      arrays.insert(arrays.end(), segments[i].glyphs.begin(), segments[i].glyphs.end());
    }
  }
  for (uint16_t g : arrays) Put16(&t, g);
  Set16(&t, 2, uint32_t(t.size()));
  return t;
}

inline Bytes Cmap(const Bytes& subtable, uint16_t platform = 3, uint16_t encoding = 1) {
  Bytes c;
  Put16(&c, 0);
  Put16(&c, 1);
  Put16(&c, platform);
  Put16(&c, encoding);
  Put32(&c, 12);
  c.insert(c.end(), subtable.begin(), subtable.end());
  return c;
}

inline Bytes Head(uint16_t index_to_loc_format) {
  Bytes h(54, 0);
  Set16(&h, 0, 1);
  Set16(&h, 18, 1000);  // unitsPerEm
  Set16(&h, 50, index_to_loc_format);
  return h;
}

inline Bytes Maxp(uint16_t glyphs) {
  Bytes m;
  Put32(&m, 0x00010000);
  Put16(&m, glyphs);
  m.resize(32, 0);
  return m;
}

inline Bytes Hhea(uint16_t metrics) {
  Bytes h(36, 0);
  Set16(&h, 34, metrics);
  return h;
}

// A name table with Windows family names (platform 3, encoding 1).
inline Bytes Name(const std::vector<std::pair<uint16_t, std::u16string>>& families) {
  Bytes n, strings;
  Put16(&n, 0);
  Put16(&n, uint16_t(families.size()));
  Put16(&n, uint16_t(6 + 12 * families.size()));
  for (const auto& [language, text] : families) {
    Put16(&n, 3);
    Put16(&n, 1);
    Put16(&n, language);
    Put16(&n, 1);
    Put16(&n, uint16_t(text.size() * 2));
    Put16(&n, uint16_t(strings.size()));
    for (char16_t c : text) Put16(&strings, c);
  }
  n.insert(n.end(), strings.begin(), strings.end());
  return n;
}

// A font file of the given tables (tags in any order; sorted here).  The
// tables start at `base` + the directory size, so that a font can be placed
// inside a collection at offset `base`.
inline Bytes Sfnt(const std::map<std::string, Bytes>& tables, uint32_t base = 0) {
  Bytes f;
  Put32(&f, 0x00010000);
  Put16(&f, uint16_t(tables.size()));
  Put16(&f, 64);
  Put16(&f, 2);  // entrySelector
  Put16(&f, 0);
  uint32_t offset = base + 12 + 16 * uint32_t(tables.size());
  Bytes data;
  for (const auto& [tag, bytes] : tables) {
    for (char c : tag) f.push_back(uint8_t(c));
    Put32(&f, 0);
    Put32(&f, offset);
    Put32(&f, uint32_t(bytes.size()));
    Bytes padded = bytes;
    while (padded.size() % 4) padded.push_back(0);
    data.insert(data.end(), padded.begin(), padded.end());
    offset += uint32_t(padded.size());
  }
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

// A complete small font: glyphs, a character map, horizontal metrics for the
// first `metrics` glyphs (advance 500 + id, lsb 10 + id), short or long loca.
struct FontSpec {
  std::vector<Bytes> glyphs;
  std::vector<Segment> segments;
  uint16_t indexToLocFormat = 1;
  uint16_t metrics = 0;
  bool withCvtFpgm = true;
  uint32_t prepSize = 8;
  std::vector<std::pair<uint16_t, std::u16string>> families;
};

inline std::map<std::string, Bytes> Tables(const FontSpec& spec) {
  std::map<std::string, Bytes> t;
  Bytes glyf, loca;
  for (const Bytes& g : spec.glyphs) {
    if (spec.indexToLocFormat == 0) Put16(&loca, uint32_t(glyf.size() / 2));
    else Put32(&loca, uint32_t(glyf.size()));
    glyf.insert(glyf.end(), g.begin(), g.end());
    while (glyf.size() % 2) glyf.push_back(0);
  }
  if (spec.indexToLocFormat == 0) Put16(&loca, uint32_t(glyf.size() / 2));
  else Put32(&loca, uint32_t(glyf.size()));
  t["glyf"] = glyf;
  t["loca"] = loca;
  t["head"] = Head(spec.indexToLocFormat);
  t["maxp"] = Maxp(uint16_t(spec.glyphs.size()));
  t["cmap"] = Cmap(Format4(spec.segments));
  if (spec.metrics > 0) {
    t["hhea"] = Hhea(spec.metrics);
    Bytes h;
    for (uint16_t i = 0; i < spec.metrics; ++i) {
      Put16(&h, 500 + i);
      Put16(&h, 10 + i);
    }
    t["hmtx"] = h;
  }
  if (spec.withCvtFpgm) {
    t["cvt "] = Bytes(6, 0x11);
    t["fpgm"] = Bytes(9, 0x22);
  }
  if (spec.prepSize > 0) t["prep"] = Bytes(spec.prepSize, 0x33);
  if (!spec.families.empty()) t["name"] = Name(spec.families);
  return t;
}

inline Bytes MakeFont(const FontSpec& spec) { return Sfnt(Tables(spec)); }

// A collection of fonts; `count` overrides the font count of its header.
inline Bytes Collection(const std::vector<FontSpec>& fonts, int32_t count = -1) {
  const uint32_t headerSize = 12 + 4 * uint32_t(fonts.size());
  Bytes file;
  Put32(&file, 0x74746366);  // 'ttcf'
  Put32(&file, 0x00010000);
  Put32(&file, count < 0 ? uint32_t(fonts.size()) : uint32_t(count));
  std::vector<Bytes> bodies;
  uint32_t at = headerSize;
  for (const FontSpec& spec : fonts) {
    Put32(&file, at);
    bodies.push_back(Sfnt(Tables(spec), at));
    at += uint32_t(bodies.back().size());
  }
  for (const Bytes& body : bodies) file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace testfont
