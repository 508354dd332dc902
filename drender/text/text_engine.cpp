#include "drender/text/text_engine.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/text/dbcs_repertoire.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int32_t ClampToInt32(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(v);
}

// trunc(U x m) >> 8 with U = units x 256, as the transform's integer terms.
int32_t Term(uint16_t units, float m) {
  const int32_t scaled = ClampToInt32(std::trunc(double(float(units) * 256.0f * m)));
  return scaled >> 8;
}

// The transform of the vector (0, -units) in 28.4 device units.
void EmVector(const TextFont& font, uint16_t units, int32_t* x, int32_t* y) {
  *x = ClampToInt32(std::llround(-double(units) * font.m21 * 16.0));
  *y = ClampToInt32(std::llround(-double(units) * font.m22 * 16.0));
}

int32_t CosTable(uint32_t tenths) { return int32_t(std::trunc(1000.0 * std::cos(tenths * kPi / 1800.0))); }
int32_t SinTable(uint32_t tenths) { return int32_t(std::trunc(1000.0 * std::sin(tenths * kPi / 1800.0))); }

uint8_t FaceStyle(uint16_t fs_selection) {
  const bool italic = fs_selection & kFmSelItalic, bold = fs_selection & kFmSelBold;
  return italic && bold ? 4 : italic ? 2 : bold ? 1 : 0;
}

uint8_t SimulationStyle(uint32_t fl) {
  const bool bold = fl & kFoSimBold, italic = fl & kFoSimItalic;
  return bold && italic ? 4 : italic ? 2 : bold ? 1 : 0;
}

uint32_t FamilyCodePage(uint8_t charset) { return charset == 0 ? 1252 : charset == 128 ? 932 : 0; }

// The narrow family name, at most 63 bytes.
void NarrowFamily(const IfiFields& ifi, const TextServices& services, char out[64]) {
  std::memset(out, 0, 64);
  const std::u16string& family = ifi.family;
  if (family.empty() || services.toCodePage == nullptr) return;
  std::vector<uint16_t> units(family.begin(), family.end());
  uint8_t bytes[128];
  uint32_t n = services.toCodePage(FamilyCodePage(ifi.charset), units.data(),
                                   uint32_t(units.size()), bytes, sizeof bytes);
  if (n > 63) n = 63;
  std::memcpy(out, bytes, n);
}

struct Choice {
  const DeviceFontEntry* resident = nullptr;
  uint32_t index = 0;  // resident font index (font number - 1)
};

// The substitution of a TrueType face by a resident face.
bool Substitute(const TextJob& job, const TextSettings& settings, const TextFont& font,
                const TextString& text, const char* narrow, Choice* choice) {
  const IfiFields& ifi = *font.ifi;
  const uint32_t cp = text.codePage;
  if (settings.fontSubstitute != 0 || settings.substituteCount == 0 || text.glyphIndex) return false;
  if (!(cp == 0 || cp == 932 || cp == 1252 || (ifi.flInfo & kFmInfoDsig))) return false;
  if (settings.substituteSums == nullptr || settings.substituteFamilies == nullptr) return false;
  const uint32_t sum = Text_NameSum(narrow);
  const uint32_t count = settings.substituteCount > 27 ? 27 : settings.substituteCount;
  uint32_t j = 0;
  while (j < count && settings.substituteSums[j] != sum) ++j;
  if (j == count) return false;
  for (uint32_t k = 0; k < text.count; ++k) {
    const uint16_t unit = text.units[k];
    if (ifi.charset == 128 ? !Font_IsInDbcsRepertoire(unit) : (cp != 1252 && unit > 0xFF)) return false;
  }
  const uint32_t family = settings.substituteFamilies[j];
  if (family < 1 || family > 32) return false;
  uint32_t index = (family - 1) * 4;
  if ((font.flFontType & kFoSimBold) || (ifi.fsSelection & kFmSelBold)) index += 1;
  if ((font.flFontType & kFoSimItalic) || (ifi.fsSelection & kFmSelItalic)) index += 2;
  if (index >= job.deviceCount || !job.devices[index].Loaded()) return false;
  if (job.devices[index].ifi.charset != ifi.charset) return false;
  choice->resident = &job.devices[index];
  choice->index = index;
  return true;
}

// The text data of a resident face, by its character set.
uint32_t ResidentText(const TextJob& job, const TextSettings& settings, const TextString& text,
                      uint8_t charset, const TextServices& services, const int16_t* spacing) {
  const uint32_t n = text.count;
  XlTextRun run{true, text.glyphIndex, false, text.units, spacing, spacing + n, n};
  std::vector<uint8_t> bytes;
  std::vector<uint16_t> wide;
  const auto convert = [&](uint32_t cp, const uint16_t* units, uint32_t count, uint8_t* out,
                           uint32_t capacity) -> uint32_t {
    return services.toCodePage ? services.toCodePage(cp, units, count, out, capacity) : 0;
  };
  if (charset == 0) {
    bytes.resize(n);
    if (convert(1252, text.units, n, bytes.data(), n) == n) {
      run.wide = false;
      run.text = bytes.data();
    }
  } else if (charset == 2) {
    wide.assign(text.units, text.units + n);
    for (uint16_t& unit : wide) unit &= 0x00FF;
    run.text = wide.data();
  } else if (charset == 128) {
    run.doubleByte = true;
    bool single = true;
    for (uint32_t k = 0; k < n; ++k) {
      const uint16_t u = text.units[k];
      single = single && (u <= 0x7E || (u >= 0xFF61 && u <= 0xFF9F));
    }
    if (single) {
      bytes.resize(n);
      if (convert(932, text.units, n, bytes.data(), n) == n) {
        run.wide = false;
        run.text = bytes.data();
      }
    } else {
      wide.resize(n);
      bool ok = true;
      for (uint32_t k = 0; k < n && ok; ++k) {
        uint8_t code[2];
        const uint32_t got = convert(932, &text.units[k], 1, code, 2);
        ok = got == 1 || got == 2;
        wide[k] = got == 2 ? uint16_t(code[0] << 8 | code[1]) : code[0];
      }
      if (ok) run.text = wide.data();
    }
  }
  return XL_Text(job.enc, job.cache, {settings.trackContent}, run);
}

}  // namespace

void Text_ResetState(TextState* state) {
  state->lastFontKey = 0;
  std::memset(state->currentName, 0, sizeof state->currentName);
}

uint32_t Text_NameSum(const char* narrow) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(narrow);
  if (*p == '@') ++p;
  uint32_t sum = 0;
  for (; *p != 0; ++p) sum += *p;
  return sum;
}

uint16_t Text_EmHeight(const TextFont& font, uint16_t units_per_em) {
  int32_t x, y;
  EmVector(font, units_per_em, &x, &y);
  const int64_t h = int64_t(Rdc_Hypot(x, y)) >> 4;
  return uint16_t(h > 0xFFFF ? 0xFFFF : h);
}

int32_t Text_Angle(const TextFont& font, uint16_t units_per_em) {
  int32_t x, y;
  EmVector(font, units_per_em, &x, &y);
  if (y == 0) return 270;
  int64_t t = int64_t(x) * 10000 / y;
  int s = 0;
  if (t > 10000) {
    s = 1;
    t = 100000000 / t;
  } else if (t < -10000) {
    s = -1;
    t = 100000000 / t;
  }
  int64_t g = 0;
  for (int64_t n = 8; n >= 1; --n) g = (n * n * t * t) / (20000 * n + 10000 + g);
  const int64_t h = t * 10000 / (g + 10000);
  const int64_t v = s < 0 ? -15707 - h : h;
  int32_t degrees = int32_t(v / 174);
  if (s > 0) degrees = 90 - degrees;
  if (s < 0) {
    degrees += (x > 0 && y < 0) ? 360 : 180;
  } else if (x > 0 && y > 0) {
    degrees += 180;
  } else if (x > 0 && y < 0) {
    degrees += 360;
  } else if (x < 0 && y > 0) {
    degrees += 180;
  }
  return degrees;
}

void Text_BuildSpacing(const TextString& text, int32_t angle, int16_t* out) {
  const uint32_t n = text.count;
  std::memset(out, 0, sizeof(int16_t) * 2 * n);
  if (n < 2 || text.glyphs == nullptr) return;
  uint32_t tenths = uint32_t(angle < 0 ? 0 : angle) * 10;
  if (tenths > 3600) tenths %= 3600;
  for (uint32_t k = 0; k + 1 < n; ++k) {
    int32_t dx, dy;
    if (text.advancesAreExact) {
      const int32_t w = text.glyphs[k].advance >> 4;
      if (w == 0) continue;
      dx = w * std::abs(CosTable(tenths)) / 1000;
      dy = w * std::abs(SinTable(tenths)) / 1000;
      if (angle >= 90 && angle <= 270) dx = -dx;
      if (angle >= 0 && angle <= 180) dy = -dy;
    } else {
      dx = text.glyphs[k + 1].x - text.glyphs[k].x;
      dy = text.glyphs[k + 1].y - text.glyphs[k].y;
    }
    out[k] = int16_t(dx);
    out[n + k] = int16_t(dy);
  }
}

uint32_t Text_Draw(const TextJob& job, const TextSettings& settings, const TextFont& font,
                   const TextString& text, const TextServices& services) {
  if (text.count == 0 || text.units == nullptr || text.glyphs == nullptr) return 1;
  uint32_t key = text.codePage + font.iUniq;
  const bool postScript =
      (font.flFontType & kFoPostScript) || (font.ifi != nullptr && (font.ifi->flInfo & kFmInfoType1));
  Choice choice;
  IfiFields metrics;
  uint16_t sizeUnit = 0;
  char narrow[64] = {};
  bool vertical = false, soft = false;
  uint8_t simStyle = 0, faceStyle = 0;
  if ((font.flFontType & kFoTypeDevice) && font.iFace >= 1 && font.iFace <= job.deviceCount) {
    choice.resident = &job.devices[font.iFace - 1];
    choice.index = font.iFace - 1;
    if (!choice.resident->Loaded()) return 1;
    key = font.iUniq;
    metrics = choice.resident->ifi;
    sizeUnit = metrics.unitsPerEm;
  } else if (font.flFontType & kFoTypeTrueType) {
    if (font.ifi == nullptr) return 1;
    metrics = *font.ifi;
    sizeUnit = metrics.unitsPerEm;
    simStyle = SimulationStyle(font.flFontType);
    faceStyle = FaceStyle(metrics.fsSelection);
    NarrowFamily(metrics, services, narrow);
    vertical = !metrics.family.empty() && metrics.family[0] == u'@';
    if (Substitute(job, settings, font, text, narrow, &choice)) {
      metrics = choice.resident->ifi;
    } else {
      soft = true;
    }
  } else if (postScript) {
    if (font.ifi == nullptr) return 1;
    metrics = *font.ifi;
    sizeUnit = metrics.unitsPerEm;
    NarrowFamily(metrics, services, narrow);
    soft = true;
  } else {
    return 1;
  }

  // The transform and the baseline angle.
  int32_t a = 0, b = 0, c = 0, d = 0, angle = 0;
  if (font.hasXform) {
    const uint16_t u = metrics.unitsPerEm;
    a = Term(u, font.m22);
    b = Term(u, font.m11);
    c = Term(u, font.m12);
    d = Term(u, font.m21);
    if ((b == 0 && a == 0) || (b == -1 && a == -1)) {
      angle = c > 0 ? 270 : 90;
    } else if ((c == 0 && d == 0) || (c == -1 && d == -1)) {
      angle = b > 0 ? 0 : 180;
    } else {
      angle = Text_Angle(font, sizeUnit);
    }
  }
  if (!XlOp_NewPath(job.enc)) return 0;

  // A soft font for the string.
  bool bitmap = false;
  char name[64] = {};
  std::vector<uint16_t> sent;
  if (soft) {
    bitmap = settings.fontDownload == 2 || vertical || postScript;
    bool resetAttributes = vertical || postScript;
    TextFontObjectState* object = font.object;
    if (!bitmap && object != nullptr && !object->prepared) {
      object->prepared = true;
      std::vector<uint16_t> family(metrics.family.begin(), metrics.family.end());
      object->outlines = Font_PrepareOutlines(font.file, font.fileSize, family.data(),
                                              uint32_t(family.size()), metrics.charset,
                                              &object->file, &object->tt);
    }
    if (!bitmap && (object == nullptr || !object->outlines)) {
      // A font file that cannot be read safely (or none): bitmaps instead.
      bitmap = true;
      resetAttributes = true;
    }
    if (resetAttributes) {
      if (!XL_SetCharBoldValue(job.enc, job.cache, 0.0f) ||
          !XL_SetCharShear(job.enc, job.cache, 0.0f, 0.0f) ||
          !XL_SetCharScale(job.enc, job.cache, 1.0f, 1.0f) ||
          !XL_SetCharAngle(job.enc, job.cache, 0)) {
        return 0;
      }
    }
    SoftFontFace face{};
    face.key = key;
    face.face = narrow;
    face.style = faceStyle;
    face.glyphIndexText = text.glyphIndex;
    face.bitmap = bitmap;
    face.xResolution = settings.xResolution;
    face.yResolution = settings.yResolution;
    if (!bitmap) {
      face.file = &object->file;
      face.state = &object->tt;
    }
    face.convert = services.convertCmapCode;
    face.defaultChar = metrics.wcDefaultChar;
    face.getBitmap = services.getBitmap;
    face.bitmapContext = services.bitmapContext;
    std::vector<uint32_t> handles(text.count);
    for (uint32_t k = 0; k < text.count; ++k) handles[k] = text.glyphs[k].handle;
    sent.assign(text.count, 0);
    if (!Font_DownloadSoftFont({job.enc, job.softFonts, job.glyphs}, face, text.units, handles.data(),
                               text.count, sent.data(), name)) {
      return 0;
    }
  }
  if (!font.hasXform) return 1;

  // Character attributes.
  if (!bitmap) {
    const uint32_t style = choice.index % 4;
    const bool bold = soft ? (simStyle == 4 || simStyle == 1)
                           : ((style == 1 || style == 3) && choice.resident->boldSimulated);
    const bool italic = soft ? (simStyle == 4 || simStyle == 2)
                             : ((style == 2 || style == 3) && choice.resident->italicSimulated);
    if (bold) {
      if (angle != 0 && !XL_SetCharAngle(job.enc, job.cache, 0)) return 0;
      if (!XL_SetCharBoldValue(job.enc, job.cache, 0.015f)) return 0;
    } else if (!XL_SetCharBoldValue(job.enc, job.cache, 0.0f)) {
      return 0;
    }
    if (italic) {
      if (angle != 0 && !XL_SetCharAngle(job.enc, job.cache, 0)) return 0;
      if (!XL_SetCharShear(job.enc, job.cache, 0.31623f, 0.0f)) return 0;
    } else if (!XL_SetCharShear(job.enc, job.cache, 0.0f, 0.0f)) {
      return 0;
    }
    float r;
    if (a != 0 && b != 0) {
      r = float(b) / float(a);
    } else if (d != 0) {
      r = float(std::abs(c)) / float(std::abs(d));
    } else {
      return 1;  // a degenerate transform: no text rather than a scale of NaN
    }
    if (r != 0.0f && !XL_SetCharScale(job.enc, job.cache, r, 1.0f)) return 0;
  }
  if (!XL_SetCharAngle(job.enc, job.cache, int16_t(bitmap ? 0 : angle))) return 0;

  // The font selection.
  XlFontSelection selection{};
  if (soft) {
    std::memcpy(selection.name, name, sizeof selection.name);
  } else if (vertical) {
    selection.name[0] = '@';
    std::memcpy(selection.name + 1, choice.resident->xlName, 15);
  } else {
    std::memcpy(selection.name, choice.resident->xlName, 16);
  }
  TextState& state = *job.state;
  if (!(key == state.lastFontKey && font.iUniq != 0 &&
        std::strncmp(selection.name, state.currentName, 63) == 0)) {
    const uint16_t size = Text_EmHeight(font, sizeUnit);
    selection.charSize = size == 0 ? 1 : size;
    selection.symbolSet = soft ? 0 : choice.resident->symbolSet;
    if (!XL_SetFont(job.enc, selection)) return 0;
    std::memcpy(state.currentName, selection.name, sizeof state.currentName);
  }
  state.lastFontKey = key;

  if (!XlOp_SetCursor(job.enc, {int16_t(text.glyphs[0].x), int16_t(text.glyphs[0].y)})) return 0;
  std::vector<int16_t> spacing(2 * size_t(text.count));
  Text_BuildSpacing(text, angle, spacing.data());
  if (soft) {
    XlTextRun run{true, text.glyphIndex, false, sent.data(), spacing.data(),
                  spacing.data() + text.count, text.count};
    return XL_Text(job.enc, job.cache, {settings.trackContent}, run);
  }
  return ResidentText(job, settings, text, choice.resident->ifi.charset, services, spacing.data());
}
