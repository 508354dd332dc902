// String and font objects of the test host and the object services that
// read them, exported by the program for the render core to bind.
#include "tests/ddi_host/ddi_host_text.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "drender/text/device_glyph_sets.h"
#include "tests/ddi_host/ddi_host_draw.h"

#define HOST_EXPORT extern "C" __declspec(dllexport)

namespace {

void Put16(std::vector<uint8_t>* b, size_t at, uint16_t v) {
  (*b)[at] = uint8_t(v);
  (*b)[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>* b, size_t at, uint32_t v) {
  Put16(b, at, uint16_t(v));
  Put16(b, at + 2, uint16_t(v >> 16));
}

struct FontImpl {
  FONTOBJ fo;  // first: the object GDI hands out
  std::vector<uint8_t> ifi;
  HostXform* xform = nullptr;  // the drawing host's transform object
  std::vector<uint8_t> file;
  std::map<HGLYPH, HostGlyphBitmap> glyphs;
  std::vector<uint8_t> glyphBits;  // the last GLYPHBITS handed out
  GLYPHDATA glyphData{};
  int requests = 0;
};

struct StringImpl {
  STROBJ so;  // first
  std::u16string text;
  std::vector<GLYPHPOS> positions;
  ULONG codePage;
  bool enumerated = false;
};

FontImpl* Font(FONTOBJ* fo) { return reinterpret_cast<FontImpl*>(fo); }
StringImpl* String(STROBJ* so) { return reinterpret_cast<StringImpl*>(so); }

}  // namespace

std::vector<uint8_t> HostIfiBlock(const HostIfi& ifi) {
  std::vector<uint8_t> b(192, 0);
  const uint32_t nameAt = uint32_t(b.size());
  for (char16_t c : ifi.family) {
    b.push_back(uint8_t(c));
    b.push_back(uint8_t(c >> 8));
  }
  b.push_back(0);
  b.push_back(0);
  while (b.size() % 4) b.push_back(0);
  Put32(&b, 0, uint32_t(b.size()));
  Put32(&b, 8, nameAt);
  b[44] = ifi.charset;
  Put32(&b, 48, ifi.flInfo);
  Put16(&b, 52, ifi.fsSelection);
  Put16(&b, 56, ifi.unitsPerEm);
  b[108] = 0x20;
  b[109] = 0xFF;
  b[110] = 0x2E;
  Put16(&b, 116, ifi.defaultChar);
  b[174] = ifi.weight;
  return b;
}

HostFont::HostFont(FLONG flFontType, ULONG iUniq, const HostIfi& ifi, XFORML xform, std::vector<uint8_t> fontFile) {
  auto* impl = new FontImpl;
  impl->fo = FONTOBJ{};
  impl->fo.iUniq = iUniq;
  impl->fo.flFontType = flFontType;
  impl->ifi = HostIfiBlock(ifi);
  impl->xform = HostXform_Matrix(xform);
  impl->file = std::move(fontFile);
  impl_ = impl;
}
HostFont::~HostFont() {
  HostXform_Free(static_cast<FontImpl*>(impl_)->xform);
  delete static_cast<FontImpl*>(impl_);
}
FONTOBJ* HostFont::get() { return &static_cast<FontImpl*>(impl_)->fo; }
void HostFont::SetGlyph(HGLYPH handle, HostGlyphBitmap bitmap) {
  static_cast<FontImpl*>(impl_)->glyphs[handle] = std::move(bitmap);
}
int HostFont::glyphRequests() const { return static_cast<FontImpl*>(impl_)->requests; }

HostString::HostString(std::u16string text, std::vector<HostGlyphPos> glyphs, ULONG codePage, FLONG flAccel,
                       bool enumerateOnly) {
  auto* impl = new StringImpl;
  impl->text = std::move(text);
  for (const HostGlyphPos& g : glyphs) impl->positions.push_back(GLYPHPOS{g.handle, nullptr, g.position});
  impl->codePage = codePage;
  impl->so = STROBJ{};
  impl->so.cGlyphs = ULONG(impl->positions.size());
  impl->so.flAccel = flAccel;
  impl->so.pgp = enumerateOnly ? nullptr : impl->positions.data();
  impl->so.pwszOrg = reinterpret_cast<LPWSTR>(impl->text.data());
  impl_ = impl;
}
HostString::~HostString() { delete static_cast<StringImpl*>(impl_); }
STROBJ* HostString::get() { return &static_cast<StringImpl*>(impl_)->so; }

std::vector<HostGlyphPos> HostGlyphRow(size_t count, LONG x, LONG y, LONG step) {
  std::vector<HostGlyphPos> row;
  for (size_t k = 0; k < count; ++k) row.push_back({HGLYPH(k + 1), POINTL{x + LONG(k) * step, y}});
  return row;
}

XFORML HostFontTransform(double points, uint32_t dpiX, uint32_t dpiY, uint16_t unitsPerEm) {
  const double perUnit = unitsPerEm == 0 ? 0.0 : points / 72.0 / unitsPerEm;
  return XFORML{static_cast<float>(perUnit * dpiX), 0, 0, static_cast<float>(perUnit * dpiY), 0, 0};
}

double HostEmPixels(double points, uint32_t dpi) { return points * dpi / 72.0; }

std::vector<HostGlyphPos> HostGlyphRowByAdvances(const wchar_t* face, const std::u16string& text, double emPixelsX,
                                                 LONG x, LONG y) {
  std::vector<HostGlyphPos> row;
  // Advances at a large em, scaled down: whole-pixel rounding at the small
  // em of a fax line would add up along the line.
  constexpr int kEm = 2048;
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-kEm, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  HGDIOBJ old = dc && font ? SelectObject(dc, font) : nullptr;
  double pen = x;
  for (size_t k = 0; k < text.size(); ++k) {
    row.push_back({HGLYPH(k + 1), POINTL{LONG(pen + 0.5), y}});
    ABCFLOAT abc{};
    const UINT c = text[k];
    if (old != nullptr && GetCharABCWidthsFloatW(dc, c, c, &abc)) {
      pen += (abc.abcfA + abc.abcfB + abc.abcfC) * emPixelsX / kEm;
    } else {
      pen += emPixelsX / 2;
    }
  }
  if (old != nullptr) SelectObject(dc, old);
  if (font) DeleteObject(font);
  if (dc) DeleteDC(dc);
  return row;
}

HOST_EXPORT VOID APIENTRY STROBJ_vEnumStart(STROBJ* so) {
  if (so != nullptr) String(so)->enumerated = false;
}

HOST_EXPORT BOOL APIENTRY STROBJ_bEnum(STROBJ* so, ULONG* count, GLYPHPOS** glyphs) {
  if (so == nullptr || count == nullptr || glyphs == nullptr) return FALSE;
  StringImpl* s = String(so);
  if (s->enumerated) {
    *count = 0;
    *glyphs = nullptr;
    return FALSE;
  }
  s->enumerated = true;
  *count = ULONG(s->positions.size());
  *glyphs = s->positions.data();
  return FALSE;  // everything in one batch
}

HOST_EXPORT DWORD APIENTRY STROBJ_dwGetCodePage(STROBJ* so) { return so != nullptr ? String(so)->codePage : 0; }

HOST_EXPORT IFIMETRICS* APIENTRY FONTOBJ_pifi(FONTOBJ* fo) {
  return fo != nullptr ? reinterpret_cast<IFIMETRICS*>(Font(fo)->ifi.data()) : nullptr;
}

HOST_EXPORT XFORMOBJ* APIENTRY FONTOBJ_pxoGetXform(FONTOBJ* fo) {
  return fo != nullptr ? HostXform_Get(Font(fo)->xform) : nullptr;
}

HOST_EXPORT PVOID APIENTRY FONTOBJ_pvTrueTypeFontFile(FONTOBJ* fo, ULONG* size) {
  if (size != nullptr) *size = 0;
  if (fo == nullptr || Font(fo)->file.empty()) return nullptr;
  if (size != nullptr) *size = ULONG(Font(fo)->file.size());
  return Font(fo)->file.data();
}

HOST_EXPORT ULONG APIENTRY FONTOBJ_cGetGlyphs(FONTOBJ* fo, ULONG mode, ULONG count, HGLYPH* handles, PVOID* data) {
  if (fo == nullptr || mode != FO_GLYPHBITS || count != 1 || handles == nullptr || data == nullptr) return 0;
  FontImpl* f = Font(fo);
  ++f->requests;
  auto found = f->glyphs.find(handles[0]);
  if (found == f->glyphs.end()) return 0;
  const HostGlyphBitmap& g = found->second;
  f->glyphBits.assign(offsetof(GLYPHBITS, aj) + g.rows.size() + 1, 0);
  GLYPHBITS header{};
  header.ptlOrigin = g.origin;
  header.sizlBitmap = g.size;
  std::memcpy(f->glyphBits.data(), &header, offsetof(GLYPHBITS, aj));
  std::memcpy(f->glyphBits.data() + offsetof(GLYPHBITS, aj), g.rows.data(), g.rows.size());
  f->glyphData = GLYPHDATA{};
  f->glyphData.gdf.pgb = reinterpret_cast<GLYPHBITS*>(f->glyphBits.data());
  f->glyphData.hg = handles[0];
  f->glyphData.fxD = g.advance;
  *data = &f->glyphData;
  return 1;
}

// The characters first to first + count - 1 of the code page (0: the
// system's) as the engine gives them: runs of consecutive Unicode
// characters, each character's handle its code in the code page.
HOST_EXPORT PVOID APIENTRY EngComputeGlyphSet(INT codePage, INT first, INT count) {
  if (first < 0 || count <= 0 || first + count > 256) return nullptr;
  std::map<uint16_t, uint32_t> characters;
  for (int c = first; c < first + count; ++c) {
    const char byte = static_cast<char>(c);
    wchar_t wide = 0;
    if (MultiByteToWideChar(codePage == 0 ? CP_ACP : UINT(codePage), 0, &byte, 1, &wide, 1) == 1) {
      characters.emplace(uint16_t(wide), uint32_t(c));
    }
  }
  std::vector<std::pair<uint16_t, uint16_t>> runs;  // first character, count
  for (const auto& [wide, code] : characters) {
    if (!runs.empty() && runs.back().first + runs.back().second == wide) ++runs.back().second;
    else runs.push_back({wide, 1});
  }
  const size_t head = offsetof(GlyphSet, awcrun) + runs.size() * sizeof(GlyphRun);
  const size_t bytes = head + characters.size() * sizeof(uint32_t);
  auto* set = static_cast<GlyphSet*>(calloc(1, bytes));
  if (set == nullptr) return nullptr;
  set->cjThis = static_cast<uint32_t>(bytes);
  set->cGlyphsSupported = static_cast<uint32_t>(characters.size());
  set->cRuns = static_cast<uint32_t>(runs.size());
  auto* handles = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(set) + head);
  for (const auto& entry : characters) *handles++ = entry.second;
  uint32_t* at = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(set) + head);
  for (size_t i = 0; i < runs.size(); ++i) {
    set->awcrun[i] = GlyphRun{runs[i].first, runs[i].second, at};
    at += runs[i].second;
  }
  return set;
}

HOST_EXPORT VOID APIENTRY EngFreeMem(PVOID block) { free(block); }

HOST_EXPORT BOOL APIENTRY EngTextOut(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*, BRUSHOBJ*,
                                     POINTL*, MIX) {
  return FALSE;
}
