// The text entry points: DrvTextOut reads GDI's string and font objects into
// the text engine's records and writes the rectangles and the text colour
// first; DrvGetGlyphMode tells GDI in which form it wants glyphs;
// DrvDestroyFont frees what the engine kept for a font object.  The clip and
// the common steps of a drawing call are those of the drawing entry points.
#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/win/export_guard.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/draw/clip_path.h"
#include "drender/draw/draw_pdev.h"
#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/ddi/render_pdev.h"
#include "drender/text/ddi_text_types.h"
#include "drender/text/text_pdev.h"

namespace {

// The sums of the font substitution table lie inside the document settings.
static_assert(sizeof(DocDMode) >= DOC_FIELD_AT(SubTTFontSum) + 27 * 4);

const uint8_t* DocBytes(const RenderPdev* pdev) {
  return reinterpret_cast<const uint8_t*>(&pdev->state.live->devmode.doc);
}
uint16_t Doc16(const RenderPdev* pdev, uint32_t at) {
  uint16_t v;
  std::memcpy(&v, DocBytes(pdev) + at, 2);
  return v;
}

// The metrics block of a font object, checked against its own size.
bool ReadIfi(const IFIMETRICS* ifi, IfiFields* out) {
  if (ifi == nullptr) return false;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(ifi);
  uint32_t size;
  std::memcpy(&size, bytes, 4);
  if (size < kIfiMetricsSize || size > (1u << 20)) return false;
  return Ifi_Read(bytes, size, out);
}

uint32_t ToCodePage(uint32_t cp, const uint16_t* units, uint32_t count, uint8_t* out, uint32_t capacity) {
  if (count == 0 || capacity == 0) return 0;
  const int n = WideCharToMultiByte(cp, 0, reinterpret_cast<LPCWCH>(units), int(count),
                                    reinterpret_cast<LPSTR>(out), int(capacity), nullptr, nullptr);
  return n > 0 ? uint32_t(n) : 0;
}

uint16_t ConvertCmapCode(uint16_t encoding, uint16_t code) {
  uint8_t bytes[2];
  const uint32_t n = ToCodePage(encoding == 2 ? 932 : CP_ACP, &code, 1, bytes, 2);
  if (n == 1) return bytes[0];
  if (n == 2) return uint16_t(bytes[0] << 8 | bytes[1]);
  return 0;
}

struct BitmapContext {
  FONTOBJ* font;
  const DdiTextServices* services;
};

bool GlyphBitmap(void* context, uint32_t handle, SoftFontBitmap* bitmap) {
  auto* c = static_cast<BitmapContext*>(context);
  if (c->services->FONTOBJ_cGetGlyphs == nullptr) return false;
  HGLYPH glyph = handle;
  PVOID data = nullptr;
  if (c->services->FONTOBJ_cGetGlyphs(c->font, FO_GLYPHBITS, 1, &glyph, &data) != 1 || data == nullptr) return false;
  const GLYPHBITS* bits = static_cast<const GLYPHDATA*>(data)->gdf.pgb;
  if (bits == nullptr || bits->sizlBitmap.cx < 0 || bits->sizlBitmap.cy < 0) return false;
  const uint32_t rowBytes = (uint32_t(bits->sizlBitmap.cx) + 7) / 8;
  *bitmap = SoftFontBitmap{bits->ptlOrigin.x, bits->ptlOrigin.y, uint32_t(bits->sizlBitmap.cx),
                           uint32_t(bits->sizlBitmap.cy), bits->aj, rowBytes * uint32_t(bits->sizlBitmap.cy)};
  return true;
}

// The brush, raster operation, null pen and fill mode of a paint.  While
// the user interface core draws a transparent watermark on a model whose
// watermark cell is solid, every raster operation becomes 0xA8.
uint32_t PaintSetup(DrawJob* job, BRUSHOBJ* brush, uint8_t rop3) {
  if (job->watermarkHalftone && job->watermarkSolidCell) rop3 = 0xA8;
  return Draw_BrushSource(job, brush, job->printWithBlack != 0) && XL_SelectRop(job->enc, job->gs, rop3) &&
         XL_SetPenSource(job->enc, job->gs, nullptr, true) && XL_SetFillMode(job->enc, job->gs, 1);
}

uint32_t PaintRectangle(DrawJob* job, const RECTL& r, BRUSHOBJ* brush, uint8_t rop3) {
  return PaintSetup(job, brush, rop3) &&
         XlOp_Rectangle(job->enc, {int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom)});
}

bool EmptyRect(const RECTL& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

BOOL DrawString(RenderPdev* pdev, DrawJob* draw, STROBJ* str, FONTOBJ* font, RECTL* extra, RECTL* opaque,
                BRUSHOBJ* fore, BRUSHOBJ* back, MIX mix) {
  const DdiTextServices* services = Ddi_TextServices();
  TextPdevState* state = Text_PdevState(pdev);
  if (state == nullptr || str == nullptr || font == nullptr) return TRUE;
  const uint32_t cp = services->STROBJ_dwGetCodePage ? services->STROBJ_dwGetCodePage(str) : 1252;

  // Underline and strike-out: every rectangle of the list (it ends with an
  // empty one); then the opaque rectangle; then the text colour.
  if (extra != nullptr) {
    const uint8_t rop = uint8_t(Rdc_Rop2ToRop3(int32_t(mix & 0xFF)) >> 16);
    for (uint32_t i = 0; i < 8 && !EmptyRect(extra[i]); ++i) {
      if (!PaintRectangle(draw, extra[i], fore, rop)) return TRUE;
    }
  }
  if (opaque != nullptr) {
    if (!PaintRectangle(draw, *opaque, back, uint8_t(Rdc_Rop2ToRop3(int32_t((mix >> 8) & 0xFF)) >> 16))) return TRUE;
  }
  if (!PaintSetup(draw, fore, 0xFC)) return TRUE;

  // The string: glyph positions from the object or by enumeration.
  const uint32_t count = str->cGlyphs;
  if (count == 0 || str->pwszOrg == nullptr) return TRUE;
  std::vector<GLYPHPOS> positions;
  if (str->pgp != nullptr) {
    positions.assign(str->pgp, str->pgp + count);
  } else if (services->STROBJ_vEnumStart && services->STROBJ_bEnum) {
    services->STROBJ_vEnumStart(str);
    BOOL more = TRUE;
    while (more && positions.size() < count) {
      ULONG n = 0;
      GLYPHPOS* batch = nullptr;
      more = services->STROBJ_bEnum(str, &n, &batch);
      if (batch == nullptr) break;
      for (ULONG k = 0; k < n && positions.size() < count; ++k) positions.push_back(batch[k]);
    }
  }
  if (positions.size() < count) return TRUE;
  const bool exact = (str->flAccel & (SO_ZERO_BEARINGS | SO_CHAR_INC_EQUAL_BM_BASE | SO_MAXEXT_EQUAL_BM_SIDE)) ==
                     (SO_ZERO_BEARINGS | SO_CHAR_INC_EQUAL_BM_BASE | SO_MAXEXT_EQUAL_BM_SIDE);
  std::vector<TextGlyph> glyphs(count);
  for (uint32_t k = 0; k < count; ++k) {
    glyphs[k] = TextGlyph{positions[k].hg, positions[k].ptl.x, positions[k].ptl.y, 0};
    if (exact && services->FONTOBJ_cGetGlyphs) {
      HGLYPH hg = positions[k].hg;
      PVOID data = nullptr;
      if (services->FONTOBJ_cGetGlyphs(font, FO_GLYPHBITS, 1, &hg, &data) == 1 && data != nullptr) {
        glyphs[k].advance = static_cast<const GLYPHDATA*>(data)->fxD;
      }
    }
  }

  // The font.
  IfiFields ifi;
  const bool hasIfi = services->FONTOBJ_pifi && ReadIfi(services->FONTOBJ_pifi(font), &ifi);
  TextFont f{};
  f.flFontType = font->flFontType;
  f.iUniq = font->iUniq;
  f.iFace = font->iFace;
  f.ifi = hasIfi ? &ifi : nullptr;
  XFORMOBJ* xo = services->FONTOBJ_pxoGetXform ? services->FONTOBJ_pxoGetXform(font) : nullptr;
  XFORML xf{};
  if (xo != nullptr && services->XFORMOBJ_iGetXform && services->XFORMOBJ_iGetXform(xo, &xf) != 0xFFFFFFFFu) {
    f.hasXform = true;
    f.m11 = xf.eM11;
    f.m12 = xf.eM12;
    f.m21 = xf.eM21;
    f.m22 = xf.eM22;
  }
  if ((font->flFontType & kFoTypeTrueType) && services->FONTOBJ_pvTrueTypeFontFile) {
    ULONG size = 0;
    f.file = static_cast<const uint8_t*>(services->FONTOBJ_pvTrueTypeFontFile(font, &size));
    f.fileSize = f.file ? size : 0;
    if (font->pvConsumer == nullptr) font->pvConsumer = new (std::nothrow) TextFontObjectState;
    f.object = static_cast<TextFontObjectState*>(font->pvConsumer);
  }

  TextSettings settings{};
  const uint8_t* doc = DocBytes(pdev);
  settings.fontSubstitute = doc[DOC_FIELD_AT(nTTFont)];
  settings.fontDownload = doc[DOC_FIELD_AT(nFontDownLoad)];
  settings.substituteCount = Doc16(pdev, DOC_FIELD_AT(SubFontEntryNum));
  if (settings.substituteCount > 27) settings.substituteCount = 27;
  uint32_t sums[27];
  std::memcpy(sums, doc + DOC_FIELD_AT(SubTTFontSum), sizeof sums);
  settings.substituteSums = sums;
  settings.substituteFamilies = doc + DOC_FIELD_AT(SubDevFontNumber);
  settings.xResolution = Doc16(pdev, DOC_FIELD_AT(nResoH));
  settings.yResolution = Doc16(pdev, DOC_FIELD_AT(nResoV));
  settings.trackContent = doc[DOC_FIELD_AT(bStopBlankPaper)] != 0;

  BitmapContext bitmaps{font, services};
  TextServices system{&ToCodePage, &ConvertCmapCode, &GlyphBitmap, &bitmaps};
  TextJob job{&pdev->state.xl, &pdev->state.gs, &state->softFonts, &state->glyphs, &state->text,
              state->devices.data(), uint32_t(state->devices.size())};
  TextString text{cp, (str->flAccel & SO_GLYPHINDEX_TEXTOUT) != 0, exact,
                  reinterpret_cast<const uint16_t*>(str->pwszOrg), glyphs.data(), count};
  Text_Draw(job, settings, f, text, system);
  return TRUE;
}

}  // namespace

BOOL APIENTRY DrvTextOut(SURFOBJ* target, STROBJ* text, FONTOBJ* font, CLIPOBJ* clip, RECTL* extra, RECTL* opaque,
                         BRUSHOBJ* fore, BRUSHOBJ* back, POINTL* origin, MIX mix) try {
  RenderPdev* pdev = target != nullptr ? reinterpret_cast<RenderPdev*>(target->dhpdev) : nullptr;
  if (!Rdc_IsValidPdev(pdev)) {
    const DdiTextServices* services = Ddi_TextServices();
    return services->EngTextOut ? services->EngTextOut(target, text, font, clip, extra, opaque, fore, back, origin, mix)
                                : FALSE;
  }
  if (pdev->state.faxCancelled || pdev->state.authFailed) return TRUE;
  if (!Draw_Begin(pdev)) return TRUE;
  DrawJob job = Draw_JobOf(pdev);
  if (!Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  return DrawString(pdev, &job, text, font, extra, opaque, fore, back, mix);
} catch (...) {
  return ExportFailed("DrvTextOut", BOOL{TRUE});
}

ULONG APIENTRY DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ* font) {
  if (font == nullptr) return FO_HGLYPHS;
  const DdiTextServices* services = Ddi_TextServices();
  IfiFields ifi;
  const bool hasIfi = services->FONTOBJ_pifi && ReadIfi(services->FONTOBJ_pifi(font), &ifi);
  const FLONG fl = font->flFontType;
  const bool boldThin = (fl & kFoSimBold) && hasIfi && ifi.weight >= 2 && ifi.weight <= 4;
  if (fl & FO_DBCS_FONT) {
    if (!hasIfi || ifi.charset != 128) return FO_GLYPHBITS;
    if (boldThin) return FO_PATHOBJ;
  }
  if (fl & kFoTypeRaster) return FO_PATHOBJ;
  if (fl & (kFoTypeDevice | kFoTypeTrueType)) return boldThin ? FO_PATHOBJ : FO_HGLYPHS;
  if ((fl & kFoPostScript) || (hasIfi && (ifi.flInfo & kFmInfoType1))) {
    auto* pdev = reinterpret_cast<RenderPdev*>(dhpdev);
    XFORMOBJ* xo = services->FONTOBJ_pxoGetXform ? services->FONTOBJ_pxoGetXform(font) : nullptr;
    XFORML xf{};
    if (hasIfi && xo != nullptr && Rdc_IsValidPdev(pdev) && services->XFORMOBJ_iGetXform &&
        services->XFORMOBJ_iGetXform(xo, &xf) != 0xFFFFFFFFu) {
      TextFont f{};
      f.m11 = xf.eM11;
      f.m12 = xf.eM12;
      f.m21 = xf.eM21;
      f.m22 = xf.eM22;
      const uint16_t dpi = Doc16(pdev, DOC_FIELD_AT(nResoV));
      const uint16_t em = Text_EmHeight(f, ifi.unitsPerEm);
      if (dpi != 0 && uint16_t((uint32_t(em) * 720 / dpi + 9) / 10) >= 100) return FO_PATHOBJ;
    }
    if ((fl & kFoSimBold) && hasIfi && ifi.weight <= 4) return FO_PATHOBJ;
    return FO_HGLYPHS;
  }
  return ((fl & 0x0F) == 0 && font->iTTUniq == 0) ? FO_PATHOBJ : FO_HGLYPHS;
}

VOID APIENTRY DrvDestroyFont(FONTOBJ* font) {
  if (font == nullptr) return;
  delete static_cast<TextFontObjectState*>(font->pvConsumer);
  font->pvConsumer = nullptr;
}
