// A reader of enhanced-metafile bytes for the tests: walks the records as the
// file format lays them out (`WalkEmf`), reads the records the tests look at
// (fonts, texts, pens), and gathers what the drawing tests check (texts with
// their reference points and fonts, filled rectangles, lines, pens and
// stretched bitmaps) in `ParseEmf`.  It reads the raw bytes, not the system's
// playback; the test host's replay of an application's DC walks the same way.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// Record types of the format that the readers below name.
enum EmfType : uint32_t {
  kEmrHeader = 1,
  kEmrPolygon = 3,
  kEmrPolyline = 4,
  kEmrSetWindowExtEx = 9,
  kEmrSetWindowOrgEx = 10,
  kEmrSetViewportExtEx = 11,
  kEmrSetViewportOrgEx = 12,
  kEmrEof = 14,
  kEmrSetMapMode = 17,
  kEmrSetBkMode = 18,
  kEmrSetTextAlign = 22,
  kEmrSetTextColor = 24,
  kEmrMoveToEx = 27,
  kEmrIntersectClipRect = 30,
  kEmrSaveDc = 33,
  kEmrRestoreDc = 34,
  kEmrSetWorldTransform = 35,
  kEmrModifyWorldTransform = 36,
  kEmrSelectObject = 37,
  kEmrCreatePen = 38,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrRectangle = 43,
  kEmrLineTo = 54,
  kEmrGdiComment = 70,
  kEmrFillRgn = 71,
  kEmrExtSelectClipRgn = 75,
  kEmrBitBlt = 76,
  kEmrStretchDiBits = 81,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutW = 84,
  kEmrPolygon16 = 86,
  kEmrPolyline16 = 87,
  kEmrExtCreatePen = 95,
};

// One record: its type, its size and bounded readers of its fields (a field
// beyond the record reads 0).
struct EmfRecord {
  uint32_t type = 0;
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;

  bool Has(size_t at, size_t n) const { return at + n <= size; }
  uint32_t U32(size_t at) const {
    uint32_t v = 0;
    if (Has(at, 4)) std::memcpy(&v, bytes + at, 4);
    return v;
  }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  int16_t I16(size_t at) const {
    int16_t v = 0;
    if (Has(at, 2)) std::memcpy(&v, bytes + at, 2);
    return v;
  }
  float F32(size_t at) const {
    float v = 0;
    if (Has(at, 4)) std::memcpy(&v, bytes + at, 4);
    return v;
  }
  uint8_t U8(size_t at) const { return Has(at, 1) ? bytes[at] : 0; }
  // `count` UTF-16 units from `at`; empty when they do not fit the record.
  std::u16string Text(size_t at, size_t count) const {
    std::u16string s;
    if (!Has(at, 2 * count)) return s;
    for (size_t c = 0; c < count; ++c) s.push_back(static_cast<char16_t>(bytes[at + 2 * c] | (bytes[at + 2 * c + 1] << 8)));
    return s;
  }
};

// Calls `visit(record)` for every record in order, up to and including the
// end-of-file record.  False when the bytes are no enhanced metafile or a
// record's size is broken (the records before it were visited).
template <typename Visit>
bool WalkEmf(const std::vector<uint8_t>& b, Visit&& visit) {
  const auto u32 = [&](size_t at) {
    uint32_t v = 0;
    if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
    return v;
  };
  if (b.size() < 88 || u32(0) != kEmrHeader || u32(40) != 0x464D4520) return false;
  size_t at = 0;
  while (at + 8 <= b.size()) {
    const uint32_t type = u32(at), size = u32(at + 4);
    if (size < 8 || size % 4 != 0 || size > b.size() - at) return false;
    visit(EmfRecord{type, size, b.data() + at});
    at += size;
    if (type == kEmrEof) return true;
  }
  return false;
}

struct EmfFont {
  int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  uint8_t italic = 0, underline = 0, strikeOut = 0, charset = 0;
  std::u16string face;
};

// EMR_EXTCREATEFONTINDIRECTW: the object's index and its logical font.
inline EmfFont ReadEmfFont(const EmfRecord& r, uint32_t* index = nullptr) {
  EmfFont f;
  if (index) *index = r.U32(8);
  f.height = r.I32(12);
  f.width = r.I32(16);
  f.escapement = r.I32(20);
  f.orientation = r.I32(24);
  f.weight = r.I32(28);
  f.italic = r.U8(32);
  f.underline = r.U8(33);
  f.strikeOut = r.U8(34);
  f.charset = r.U8(35);
  for (size_t c = 0; c < 32 && r.Has(40 + 2 * c, 2); ++c) {
    const char16_t ch = static_cast<char16_t>(r.bytes[40 + 2 * c] | (r.bytes[41 + 2 * c] << 8));
    if (ch == 0) break;
    f.face.push_back(ch);
  }
  return f;
}

struct EmfPen {
  uint32_t style = 0;
  int32_t width = 1;
  uint32_t color = 0;
};

// EMR_CREATEPEN and EMR_EXTCREATEPEN: the object's index and the pen.
inline EmfPen ReadEmfPen(const EmfRecord& r, uint32_t* index = nullptr) {
  if (index) *index = r.U32(8);
  if (r.type == kEmrExtCreatePen) return EmfPen{r.U32(28), r.I32(32), r.U32(40)};
  return EmfPen{r.U32(12), r.I32(16), r.U32(24)};
}

// EMR_EXTTEXTOUTW: reference point, options, characters and the advances
// (logical units; empty when the record has none).
struct EmfTextRun {
  int32_t x = 0, y = 0;
  uint32_t options = 0;
  std::u16string text;
  std::vector<int32_t> dx;
  bool valid = false;
};
inline EmfTextRun ReadEmfTextRun(const EmfRecord& r) {
  EmfTextRun t;
  t.x = r.I32(36);
  t.y = r.I32(40);
  const uint32_t n = r.U32(44), offString = r.U32(48), offDx = r.U32(72);
  t.options = r.U32(52);
  if (n > r.size || !r.Has(offString, 2ull * n)) return t;
  t.text = r.Text(offString, n);
  if (offDx != 0 && r.Has(offDx, 4ull * n)) {
    for (uint32_t c = 0; c < n; ++c) t.dx.push_back(r.I32(offDx + 4 * c));
  }
  t.valid = true;
  return t;
}

struct EmfText {
  int32_t x = 0, y = 0;
  std::u16string text;
  EmfFont font;      // the font selected when the text was drawn
  uint32_t color = 0;
};
struct EmfBlt {      // a pattern fill (rectangles filled with a brush)
  int32_t x = 0, y = 0, cx = 0, cy = 0;
};
struct EmfLine {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 0;
  uint32_t color = 0;
};
struct EmfStretch {
  int32_t x = 0, y = 0, cx = 0, cy = 0, srcWidth = 0, srcHeight = 0;
};
struct EmfContent {
  bool valid = false;
  int32_t frame[4] = {};  // 0.01 mm
  std::vector<EmfText> texts;
  std::vector<EmfBlt> fills;
  std::vector<EmfLine> lines;
  std::vector<EmfStretch> images;
  std::vector<uint32_t> types;  // every record type in order
};

inline EmfContent ParseEmf(const std::vector<uint8_t>& b) {
  EmfContent out;
  std::map<uint32_t, EmfFont> fonts;
  std::map<uint32_t, std::pair<int32_t, uint32_t>> pens;
  EmfFont font;
  std::pair<int32_t, uint32_t> pen{1, 0};
  uint32_t color = 0;
  int32_t cx = 0, cy = 0;
  bool broken = false;
  const bool walked = WalkEmf(b, [&](const EmfRecord& r) {
    if (broken) return;
    out.types.push_back(r.type);
    switch (r.type) {
      case kEmrHeader:
        for (int i = 0; i < 4; ++i) out.frame[i] = r.I32(24 + 4 * i);
        break;
      case kEmrExtCreateFontIndirectW: {
        uint32_t index = 0;
        const EmfFont f = ReadEmfFont(r, &index);
        fonts[index] = f;
        break;
      }
      case kEmrCreatePen: {
        uint32_t index = 0;
        const EmfPen p = ReadEmfPen(r, &index);
        pens[index] = {p.width, p.color};
        break;
      }
      case kEmrSelectObject: {
        const uint32_t h = r.U32(8);
        if (fonts.count(h)) font = fonts[h];
        if (pens.count(h)) pen = pens[h];
        break;
      }
      case kEmrSetTextColor:
        color = r.U32(8);
        break;
      case kEmrExtTextOutW: {
        const EmfTextRun run = ReadEmfTextRun(r);
        if (!run.valid) {
          broken = true;
          break;
        }
        EmfText t;
        t.x = run.x;
        t.y = run.y;
        t.text = run.text;
        t.font = font;
        t.color = color;
        out.texts.push_back(t);
        break;
      }
      case kEmrBitBlt:
        out.fills.push_back(EmfBlt{r.I32(24), r.I32(28), r.I32(32), r.I32(36)});
        break;
      case kEmrMoveToEx:
        cx = r.I32(8);
        cy = r.I32(12);
        break;
      case kEmrLineTo:
        out.lines.push_back(EmfLine{cx, cy, r.I32(8), r.I32(12), pen.first, pen.second});
        cx = r.I32(8);
        cy = r.I32(12);
        break;
      case kEmrStretchDiBits:
        out.images.push_back(EmfStretch{r.I32(24), r.I32(28), r.I32(72), r.I32(76), r.I32(40), r.I32(44)});
        break;
      default:
        break;
    }
  });
  out.valid = walked && !broken;
  return out;
}

}  // namespace testsupport
