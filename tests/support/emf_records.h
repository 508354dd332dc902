// A reader of enhanced-metafile bytes for the tests: walks the records as the
// file format lays them out and keeps what the drawing tests look at (texts
// with their reference points and fonts, filled rectangles, lines, pens and
// stretched bitmaps).  It reads the raw bytes, not the system's playback.
#pragma once

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct EmfFont {
  int32_t height = 0, weight = 0;
  uint8_t italic = 0;
  std::u16string face;
};
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
  const auto u32 = [&](size_t at) {
    uint32_t v = 0;
    if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
    return v;
  };
  const auto i32 = [&](size_t at) { return static_cast<int32_t>(u32(at)); };
  if (b.size() < 88 || u32(0) != 1 || u32(40) != 0x464D4520) return out;
  for (int i = 0; i < 4; ++i) out.frame[i] = i32(24 + 4 * i);
  std::map<uint32_t, EmfFont> fonts;
  std::map<uint32_t, std::pair<int32_t, uint32_t>> pens;
  EmfFont font;
  std::pair<int32_t, uint32_t> pen{1, 0};
  uint32_t color = 0;
  int32_t cx = 0, cy = 0;
  size_t at = 0;
  while (at + 8 <= b.size()) {
    const uint32_t type = u32(at), size = u32(at + 4);
    if (size < 8 || size % 4 != 0 || at + size > b.size()) return out;
    out.types.push_back(type);
    switch (type) {
      case 82: {  // EMR_EXTCREATEFONTINDIRECTW
        EmfFont f;
        f.height = i32(at + 12);
        f.weight = i32(at + 28);
        f.italic = b[at + 32];
        for (size_t c = 0; c < 32 && at + 40 + 2 * c + 2 <= at + size; ++c) {
          const char16_t ch = static_cast<char16_t>(b[at + 40 + 2 * c] | (b[at + 41 + 2 * c] << 8));
          if (ch == 0) break;
          f.face.push_back(ch);
        }
        fonts[u32(at + 8)] = f;
        break;
      }
      case 38:  // EMR_CREATEPEN
        pens[u32(at + 8)] = {i32(at + 16), u32(at + 24)};
        break;
      case 37: {  // EMR_SELECTOBJECT
        const uint32_t h = u32(at + 8);
        if (fonts.count(h)) font = fonts[h];
        if (pens.count(h)) pen = pens[h];
        break;
      }
      case 24:  // EMR_SETTEXTCOLOR
        color = u32(at + 8);
        break;
      case 84: {  // EMR_EXTTEXTOUTW
        EmfText t;
        t.x = i32(at + 36);
        t.y = i32(at + 40);
        const uint32_t n = u32(at + 44), off = u32(at + 48);
        if (off + 2ull * n > size) return out;
        for (uint32_t c = 0; c < n; ++c) {
          t.text.push_back(static_cast<char16_t>(b[at + off + 2 * c] | (b[at + off + 2 * c + 1] << 8)));
        }
        t.font = font;
        t.color = color;
        out.texts.push_back(t);
        break;
      }
      case 76:  // EMR_BITBLT
        out.fills.push_back(EmfBlt{i32(at + 24), i32(at + 28), i32(at + 32), i32(at + 36)});
        break;
      case 27:  // EMR_MOVETOEX
        cx = i32(at + 8);
        cy = i32(at + 12);
        break;
      case 54:  // EMR_LINETO
        out.lines.push_back(EmfLine{cx, cy, i32(at + 8), i32(at + 12), pen.first, pen.second});
        cx = i32(at + 8);
        cy = i32(at + 12);
        break;
      case 81:  // EMR_STRETCHDIBITS
        out.images.push_back(
            EmfStretch{i32(at + 24), i32(at + 28), i32(at + 72), i32(at + 76), i32(at + 40), i32(at + 44)});
        break;
      default:
        break;
    }
    at += size;
    if (type == 14) {  // EMR_EOF
      out.valid = true;
      break;
    }
  }
  return out;
}

}  // namespace testsupport
