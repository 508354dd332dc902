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

// Record types of the format that the readers and the page player name.
enum EmfType : uint32_t {
  kEmrHeader = 1,
  kEmrPolyBezier = 2,
  kEmrPolygon = 3,
  kEmrPolyline = 4,
  kEmrPolyBezierTo = 5,
  kEmrPolylineTo = 6,
  kEmrPolyPolyline = 7,
  kEmrPolyPolygon = 8,
  kEmrSetWindowExtEx = 9,
  kEmrSetWindowOrgEx = 10,
  kEmrSetViewportExtEx = 11,
  kEmrSetViewportOrgEx = 12,
  kEmrSetBrushOrgEx = 13,
  kEmrEof = 14,
  kEmrSetPixelV = 15,
  kEmrSetMapperFlags = 16,
  kEmrSetMapMode = 17,
  kEmrSetBkMode = 18,
  kEmrSetPolyFillMode = 19,
  kEmrSetRop2 = 20,
  kEmrSetStretchBltMode = 21,
  kEmrSetTextAlign = 22,
  kEmrSetColorAdjustment = 23,
  kEmrSetTextColor = 24,
  kEmrSetBkColor = 25,
  kEmrOffsetClipRgn = 26,
  kEmrMoveToEx = 27,
  kEmrSetMetaRgn = 28,
  kEmrExcludeClipRect = 29,
  kEmrIntersectClipRect = 30,
  kEmrScaleViewportExtEx = 31,
  kEmrScaleWindowExtEx = 32,
  kEmrSaveDc = 33,
  kEmrRestoreDc = 34,
  kEmrSetWorldTransform = 35,
  kEmrModifyWorldTransform = 36,
  kEmrSelectObject = 37,
  kEmrCreatePen = 38,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrAngleArc = 41,
  kEmrEllipse = 42,
  kEmrRectangle = 43,
  kEmrRoundRect = 44,
  kEmrArc = 45,
  kEmrChord = 46,
  kEmrPie = 47,
  kEmrSelectPalette = 48,
  kEmrCreatePalette = 49,
  kEmrSetPaletteEntries = 50,
  kEmrResizePalette = 51,
  kEmrRealizePalette = 52,
  kEmrExtFloodFill = 53,
  kEmrLineTo = 54,
  kEmrArcTo = 55,
  kEmrPolyDraw = 56,
  kEmrSetArcDirection = 57,
  kEmrSetMiterLimit = 58,
  kEmrBeginPath = 59,
  kEmrEndPath = 60,
  kEmrCloseFigure = 61,
  kEmrFillPath = 62,
  kEmrStrokeAndFillPath = 63,
  kEmrStrokePath = 64,
  kEmrFlattenPath = 65,
  kEmrWidenPath = 66,
  kEmrSelectClipPath = 67,
  kEmrAbortPath = 68,
  kEmrGdiComment = 70,
  kEmrFillRgn = 71,
  kEmrFrameRgn = 72,
  kEmrInvertRgn = 73,
  kEmrPaintRgn = 74,
  kEmrExtSelectClipRgn = 75,
  kEmrBitBlt = 76,
  kEmrStretchBlt = 77,
  kEmrMaskBlt = 78,
  kEmrPlgBlt = 79,
  kEmrSetDiBitsToDevice = 80,
  kEmrStretchDiBits = 81,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutA = 83,
  kEmrExtTextOutW = 84,
  kEmrPolyBezier16 = 85,
  kEmrPolygon16 = 86,
  kEmrPolyline16 = 87,
  kEmrPolyBezierTo16 = 88,
  kEmrPolylineTo16 = 89,
  kEmrPolyPolyline16 = 90,
  kEmrPolyPolygon16 = 91,
  kEmrPolyDraw16 = 92,
  kEmrCreateMonoBrush = 93,
  kEmrCreateDibPatternBrushPt = 94,
  kEmrExtCreatePen = 95,
  kEmrPolyTextOutA = 96,
  kEmrPolyTextOutW = 97,
  kEmrSetIcmMode = 98,
  kEmrDrawEscape = 105,
  kEmrExtEscape = 106,
  kEmrSmallTextOut = 108,
  kEmrAlphaBlend = 114,
  kEmrSetLayout = 115,
  kEmrTransparentBlt = 116,
  kEmrGradientFill = 118,
  kEmrSetTextJustification = 120,
  kEmrLastType = 122,
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
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(I16(at)); }
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

// The checks of outside bytes before anything reads them: a record's fixed
// part, and every count and offset inside it that a player follows (points,
// polygon counts, strings and advances, bitmap headers with their colour
// tables and rows, region rectangles, gradient vertices and meshes), each
// within the record.  Null when sound, otherwise what is wrong.
namespace emfcheck {

// `count` items of `unit` bytes at `at`, inside the record and after its
// type and size.
inline bool Span(const EmfRecord& r, uint64_t at, uint64_t count, uint64_t unit) {
  return at >= 8 && count <= r.size && at + count * unit <= r.size;
}

// The smallest size of a record of `type`; 0 for a type not checked.
inline uint32_t FixedSize(uint32_t type) {
  switch (type) {
    case kEmrHeader: return 88;
    case kEmrEof: return 20;
    case kEmrPolyBezier: case kEmrPolygon: case kEmrPolyline: case kEmrPolyBezierTo: case kEmrPolylineTo:
    case kEmrPolyBezier16: case kEmrPolygon16: case kEmrPolyline16: case kEmrPolyBezierTo16: case kEmrPolylineTo16:
    case kEmrPolyDraw: case kEmrPolyDraw16:
      return 28;
    case kEmrPolyPolyline: case kEmrPolyPolygon: case kEmrPolyPolyline16: case kEmrPolyPolygon16: return 32;
    case kEmrSetWindowExtEx: case kEmrSetWindowOrgEx: case kEmrSetViewportExtEx: case kEmrSetViewportOrgEx:
    case kEmrSetBrushOrgEx: case kEmrOffsetClipRgn: case kEmrMoveToEx: case kEmrLineTo:
      return 16;
    case kEmrSetPixelV: return 20;
    case kEmrSetMapperFlags: case kEmrSetMapMode: case kEmrSetBkMode: case kEmrSetPolyFillMode: case kEmrSetRop2:
    case kEmrSetStretchBltMode: case kEmrSetTextAlign: case kEmrSetTextColor: case kEmrSetBkColor:
    case kEmrRestoreDc: case kEmrSelectObject: case kEmrDeleteObject: case kEmrSetArcDirection:
    case kEmrSetMiterLimit: case kEmrSelectClipPath: case kEmrSetIcmMode: case kEmrSetLayout:
      return 12;
    case kEmrSetMetaRgn: case kEmrSaveDc: case kEmrBeginPath: case kEmrEndPath: case kEmrCloseFigure:
    case kEmrFlattenPath: case kEmrWidenPath: case kEmrAbortPath: case kEmrRealizePalette:
      return 8;
    case kEmrSetColorAdjustment: return 32;
    case kEmrExcludeClipRect: case kEmrIntersectClipRect: case kEmrScaleViewportExtEx:
    case kEmrScaleWindowExtEx: case kEmrEllipse: case kEmrRectangle: case kEmrFillPath:
    case kEmrStrokeAndFillPath: case kEmrStrokePath: case kEmrExtFloodFill:
      return 24;
    case kEmrSetWorldTransform: return 32;
    case kEmrModifyWorldTransform: return 36;
    case kEmrCreatePen: return 28;
    case kEmrCreateBrushIndirect: return 24;
    case kEmrAngleArc: return 28;
    case kEmrRoundRect: return 32;
    case kEmrArc: case kEmrChord: case kEmrPie: case kEmrArcTo: return 40;
    case kEmrGdiComment: return 12;
    case kEmrDrawEscape: case kEmrExtEscape: return 16;
    case kEmrFillRgn: return 32;
    case kEmrFrameRgn: return 40;
    case kEmrInvertRgn: case kEmrPaintRgn: return 28;
    case kEmrExtSelectClipRgn: return 16;
    case kEmrBitBlt: return 100;
    case kEmrStretchBlt: case kEmrAlphaBlend: case kEmrTransparentBlt: return 108;
    case kEmrMaskBlt: return 128;
    case kEmrPlgBlt: return 140;
    case kEmrSetDiBitsToDevice: return 76;
    case kEmrStretchDiBits: return 80;
    case kEmrExtCreateFontIndirectW: return 104;
    case kEmrExtTextOutA: case kEmrExtTextOutW: return 76;
    case kEmrCreateMonoBrush: case kEmrCreateDibPatternBrushPt: return 32;
    case kEmrExtCreatePen: return 52;
    case kEmrPolyTextOutA: case kEmrPolyTextOutW: return 40;
    case kEmrSmallTextOut: return 36;
    case kEmrGradientFill: return 36;
    case kEmrCreatePalette: return 16;
    case kEmrSetPaletteEntries: return 20;
    case kEmrSelectPalette: case kEmrResizePalette: return 12;
    default: return 0;
  }
}

// A region's data (RGNDATA) of `cb` bytes at `at`.
inline const char* Region(const EmfRecord& r, uint64_t at, uint32_t cb) {
  if (cb < 32 || !Span(r, at, cb, 1)) return "a region beyond its record";
  if (r.U32(size_t(at)) != 32) return "a region whose header is not a region header";
  if (32 + uint64_t(r.U32(size_t(at) + 8)) * 16 > cb) return "a region with more rectangles than bytes";
  return nullptr;
}

// A device-independent bitmap: its header of `cbBmi` bytes at `offBmi`, its
// rows of `cbBits` bytes at `offBits`, its colours used as `usage` says (RGB
// entries, palette indexes of two bytes, or none: the pixels are the
// indexes).  `optional`: no header at all is sound (a blit without a source).
inline const char* Bitmap(const EmfRecord& r, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits, uint32_t cbBits,
                          uint32_t usage, bool optional) {
  if (cbBmi == 0 && optional) return nullptr;
  if (cbBmi < 40 || !Span(r, offBmi, cbBmi, 1)) return "a bitmap header beyond its record";
  if (!Span(r, offBits, cbBits, 1)) return "bitmap rows beyond their record";
  const uint32_t headerSize = r.U32(offBmi);
  const int64_t width = r.I32(offBmi + 4), height = r.I32(offBmi + 8);
  const uint32_t bits = r.I16(offBmi + 14) & 0xFFFF, compression = r.U32(offBmi + 16), imageSize = r.U32(offBmi + 20);
  const uint32_t used = r.U32(offBmi + 32);
  if (headerSize < 40 || headerSize > cbBmi) return "a bitmap header of a size no bitmap has";
  if (width <= 0 || width > 65535 || height == 0 || height < -65535 || height > 65535) {
    return "a bitmap of an impossible size";
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return "a bitmap of an impossible depth";
  }
  uint64_t table = 0;
  if (bits <= 8) {
    const uint64_t most = uint64_t(1) << bits;
    if (used > most) return "a bitmap with more colours than its depth holds";
    table = (usage == 2 ? 0 : usage == 1 ? 2 : 4) * uint64_t(used ? used : most);
  } else if (compression == 3 && headerSize == 40) {
    table = 12;  // the three colour masks
  }
  if (headerSize + table > cbBmi) return "a bitmap's colour table beyond its header";
  const uint64_t rows = uint64_t(height < 0 ? -height : height);
  if (compression == 0 || compression == 3) {
    if (compression == 3 && bits != 16 && bits != 32) return "colour masks on a bitmap without them";
    const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    if (stride * rows > cbBits) return "a bitmap with fewer row bytes than rows";
  } else if (compression == 1 || compression == 2) {
    if (height < 0 || (compression == 1) != (bits == 8) || (compression == 2) != (bits == 4)) {
      return "a run-length bitmap of the wrong depth";
    }
    if (imageSize > cbBits) return "a run-length bitmap longer than its record";
  }
  return nullptr;
}

// A text (EMRTEXT) at `at`: its characters of `unit` bytes and advances.
inline const char* Text(const EmfRecord& r, size_t at, uint32_t unit) {
  if (!Span(r, at, 40, 1)) return "a text beyond its record";
  const uint32_t n = r.U32(at + 8), offString = r.U32(at + 12), options = r.U32(at + 16), offDx = r.U32(at + 36);
  if (n == 0) return nullptr;
  if (!Span(r, offString, n, unit)) return "a text's characters beyond their record";
  if (offDx != 0 && !Span(r, offDx, n, (options & 0x2000) ? 8 : 4)) return "a text's advances beyond their record";
  return nullptr;
}

}  // namespace emfcheck

// What is wrong with a record's layout, or null when it is sound.
inline const char* EmfRecordDamage(const EmfRecord& r) {
  using namespace emfcheck;
  const uint32_t fixed = FixedSize(r.type);
  if (r.size < fixed) return "a record shorter than its kind";
  switch (r.type) {
    case kEmrPolyBezier: case kEmrPolygon: case kEmrPolyline: case kEmrPolyBezierTo: case kEmrPolylineTo:
      return Span(r, 28, r.U32(24), 8) ? nullptr : "points beyond their record";
    case kEmrPolyBezier16: case kEmrPolygon16: case kEmrPolyline16: case kEmrPolyBezierTo16: case kEmrPolylineTo16:
      return Span(r, 28, r.U32(24), 4) ? nullptr : "points beyond their record";
    case kEmrPolyDraw: case kEmrPolyDraw16: {
      const uint64_t n = r.U32(24), unit = r.type == kEmrPolyDraw ? 8 : 4;
      return Span(r, 28, n, unit + 1) ? nullptr : "points beyond their record";
    }
    case kEmrPolyPolyline: case kEmrPolyPolygon: case kEmrPolyPolyline16: case kEmrPolyPolygon16: {
      const uint32_t polys = r.U32(24), total = r.U32(28);
      const uint64_t unit = (r.type == kEmrPolyPolyline || r.type == kEmrPolyPolygon) ? 8 : 4;
      if (!Span(r, 32, polys, 4) || !Span(r, 32 + uint64_t(polys) * 4, total, unit)) {
        return "polygons beyond their record";
      }
      uint64_t sum = 0;
      for (uint32_t i = 0; i < polys; ++i) sum += r.U32(32 + 4 * size_t(i));
      return sum == total ? nullptr : "polygon counts that do not add up to the points";
    }
    case kEmrGdiComment:
      return Span(r, 12, r.U32(8), 1) ? nullptr : "a comment beyond its record";
    case kEmrDrawEscape: case kEmrExtEscape:
      return Span(r, 16, r.U32(12), 1) ? nullptr : "an escape's data beyond its record";
    case kEmrFillRgn: case kEmrInvertRgn: case kEmrPaintRgn:
      return Region(r, r.type == kEmrFillRgn ? 32 : 28, r.U32(24));
    case kEmrFrameRgn:
      return Region(r, 40, r.U32(24));
    case kEmrExtSelectClipRgn:
      return r.U32(8) == 0 ? nullptr : Region(r, 16, r.U32(8));
    case kEmrBitBlt: case kEmrStretchBlt: case kEmrAlphaBlend: case kEmrTransparentBlt:
      return Bitmap(r, r.U32(84), r.U32(88), r.U32(92), r.U32(96), r.U32(80),
                    r.type == kEmrBitBlt || r.type == kEmrStretchBlt);
    case kEmrMaskBlt: {
      if (const char* d = Bitmap(r, r.U32(84), r.U32(88), r.U32(92), r.U32(96), r.U32(80), true)) return d;
      return Bitmap(r, r.U32(112), r.U32(116), r.U32(120), r.U32(124), r.U32(108), true);
    }
    case kEmrPlgBlt: {
      if (const char* d = Bitmap(r, r.U32(96), r.U32(100), r.U32(104), r.U32(108), r.U32(92), false)) return d;
      return Bitmap(r, r.U32(124), r.U32(128), r.U32(132), r.U32(136), r.U32(120), true);
    }
    case kEmrSetDiBitsToDevice: case kEmrStretchDiBits:
      return Bitmap(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), r.U32(64), false);
    case kEmrCreateMonoBrush: case kEmrCreateDibPatternBrushPt:
      return Bitmap(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28), r.U32(12), false);
    case kEmrExtCreatePen: {
      if (r.U32(16) != 0) {
        if (const char* d = Bitmap(r, r.U32(12), r.U32(16), r.U32(20), r.U32(24), 0, false)) return d;
      }
      return Span(r, 52, r.U32(48), 4) ? nullptr : "a pen's dashes beyond their record";
    }
    case kEmrExtTextOutA: case kEmrExtTextOutW:
      return Text(r, 36, r.type == kEmrExtTextOutW ? 2 : 1);
    case kEmrPolyTextOutA: case kEmrPolyTextOutW: {
      const uint32_t n = r.U32(36);
      if (!Span(r, 40, n, 40)) return "texts beyond their record";
      for (uint32_t i = 0; i < n; ++i) {
        if (const char* d = Text(r, 40 + 40 * size_t(i), r.type == kEmrPolyTextOutW ? 2 : 1)) return d;
      }
      return nullptr;
    }
    case kEmrSmallTextOut: {
      const uint32_t n = r.U32(16), options = r.U32(20);
      const uint64_t at = (options & 0x100) ? 36 : 52;  // ETO_NO_RECT: no clip rectangle
      return Span(r, at, n, (options & 0x200) ? 1 : 2) ? nullptr : "a text's characters beyond their record";
    }
    case kEmrGradientFill: {
      const uint32_t vertices = r.U32(24), meshes = r.U32(28), mode = r.U32(32);
      if (mode > 2) return "a gradient of no known kind";
      const uint64_t unit = mode == 2 ? 12 : 8;
      if (!Span(r, 36, vertices, 16) || !Span(r, 36 + uint64_t(vertices) * 16, meshes, unit)) {
        return "a gradient's vertices beyond their record";
      }
      for (uint32_t m = 0; m < meshes; ++m) {
        const size_t at = 36 + size_t(vertices) * 16 + size_t(m) * size_t(unit);
        for (size_t k = 0; k < unit / 4; ++k) {
          if (r.U32(at + 4 * k) >= vertices) return "a gradient naming a vertex it does not have";
        }
      }
      return nullptr;
    }
    case kEmrCreatePalette: {
      const uint32_t entries = r.U16(14);
      return Span(r, 16, entries, 4) ? nullptr : "a palette beyond its record";
    }
    case kEmrSetPaletteEntries:
      return Span(r, 20, r.U32(16), 4) ? nullptr : "palette entries beyond their record";
    case kEmrEof: {
      const uint32_t entries = r.U32(8);
      return entries == 0 || Span(r, r.U32(12), entries, 4) ? nullptr : "a palette beyond the last record";
    }
    default:
      return nullptr;
  }
}

// What is wrong with the bytes of an enhanced metafile, or an empty text
// when they are sound: the header (its signature, its size, the file size
// and record count it gives, its description), every record's size and
// layout, and the end-of-file record last.
inline std::string EmfFileDamage(const std::vector<uint8_t>& b) {
  const auto u32 = [&](size_t at) {
    uint32_t v = 0;
    if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
    return v;
  };
  if (b.size() < 88 || u32(0) != kEmrHeader || u32(40) != 0x464D4520) return "not an enhanced metafile";
  const uint32_t headerSize = u32(4), fileSize = u32(48), records = u32(52), handles = u32(56) & 0xFFFF;
  if (headerSize < 88 || headerSize % 4 != 0 || headerSize > b.size()) return "a header of a size no header has";
  if (fileSize > b.size()) return "shorter than its header says (" + std::to_string(b.size()) + " of " +
                                  std::to_string(fileSize) + " bytes)";
  if (fileSize < headerSize) return "a file size in the header smaller than the header";
  const uint32_t chars = u32(60), offChars = u32(64);
  if (chars != 0 && (offChars < 88 || uint64_t(offChars) + 2ull * chars > headerSize)) {
    return "a description beyond the header";
  }
  uint32_t count = 0;
  bool ended = false;
  size_t at = 0;
  while (!ended && at + 8 <= fileSize) {
    const uint32_t type = u32(at), size = u32(at + 4);
    if (size < 8 || size % 4 != 0 || size > fileSize - at) {
      return "record " + std::to_string(count + 1) + " (type " + std::to_string(type) + ") with a broken size";
    }
    const EmfRecord r{type, size, b.data() + at};
    if (count > 0 && type == kEmrHeader) return "a second header at record " + std::to_string(count + 1);
    const char* d = EmfRecordDamage(r);
    if (d == nullptr && size >= 12) {
      // Objects live in the handle table the header sizes; index 0 is the
      // metafile's own.
      const uint32_t index = r.U32(8);
      switch (type) {
        case kEmrCreatePen: case kEmrCreateBrushIndirect: case kEmrExtCreateFontIndirectW: case kEmrCreatePalette:
        case kEmrCreateMonoBrush: case kEmrCreateDibPatternBrushPt: case kEmrExtCreatePen:
          if (index == 0 || index >= handles) d = "an object made outside the handle table";
          break;
        case kEmrSelectObject: case kEmrSelectPalette:
          if (!(index & 0x80000000u) && (index == 0 || index >= handles)) d = "an object outside the handle table";
          break;
        case kEmrDeleteObject: case kEmrSetPaletteEntries: case kEmrResizePalette:
          // Never a stock object.
          if (index == 0 || index >= handles) d = "an object outside the handle table";
          break;
        case kEmrFillRgn: case kEmrFrameRgn: {
          const uint32_t brush = r.U32(28);
          if (!(brush & 0x80000000u) && (brush == 0 || brush >= handles)) d = "a brush outside the handle table";
          break;
        }
        default:
          break;
      }
    }
    if (d) return "record " + std::to_string(count + 1) + " (type " + std::to_string(type) + "): " + d;
    ++count;
    at += size;
    ended = type == kEmrEof;
  }
  if (!ended) return "no end-of-file record within the file's size";
  if (count != records) {
    return std::to_string(count) + " records where the header says " + std::to_string(records);
  }
  return std::string();
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
