// GDI's queries of the resident faces.  The PDEV announces no device fonts,
// so GDI never asks in a real job; the answers come from the same table the
// text substitution uses.
#include <windows.h>

#include <cstring>

#include "common/records/doc_fields.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/render_pdev.h"
#include "drender/text/ddi_text_types.h"
#include "drender/text/device_font_data.h"
#include "drender/text/text_pdev.h"

namespace {

// The loaded entry of face `face` (1-based), or null.
DeviceFontEntry* Face(DHPDEV dhpdev, ULONG face) {
  auto* pdev = reinterpret_cast<RenderPdev*>(dhpdev);
  TextPdevState* text = Text_PdevState(pdev);
  if (text == nullptr || face < 1 || face > text->devices.size()) return nullptr;
  DeviceFontEntry* entry = &text->devices[face - 1];
  return entry->Loaded() ? entry : nullptr;
}

}  // namespace

IFIMETRICS* APIENTRY DrvQueryFont(DHPDEV dhpdev, ULONG_PTR, ULONG face, ULONG_PTR* id) {
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (id != nullptr) *id = 0;
  DeviceFontEntry* entry = Face(dhpdev, face);
  return entry != nullptr ? reinterpret_cast<IFIMETRICS*>(entry->metrics.data()) : nullptr;
}

PVOID APIENTRY DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR, ULONG face, ULONG mode, ULONG_PTR* id) {
  constexpr ULONG kGlyphSetMode = 2;  // QFT_GLYPHSET
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (id != nullptr) *id = 0;
  // The faces have no kerning pairs.
  if (mode != kGlyphSetMode) return nullptr;
  const DeviceFontEntry* entry = Face(dhpdev, face);
  return entry != nullptr ? const_cast<GlyphSet*>(GlyphSetOf(entry->glyphSet)) : nullptr;
}

LONG APIENTRY DrvQueryFontData(DHPDEV dhpdev, FONTOBJ* font, ULONG mode, HGLYPH glyph, GLYPHDATA* data, PVOID pv,
                               ULONG) {
  constexpr ULONG kGlyphAndBitmap = 1;  // QFD_GLYPHANDBITMAP
  constexpr ULONG kMaxExtents = 3;      // QFD_MAXEXTENTS
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto* pdev = reinterpret_cast<RenderPdev*>(dhpdev);
  TextPdevState* text = Text_PdevState(pdev);
  const DdiTextServices* services = Ddi_TextServices();
  if (text == nullptr || font == nullptr || font->iFace < 1 || font->iFace > text->devices.size()) return -1;
  if (!services->FONTOBJ_pifi || !services->FONTOBJ_pxoGetXform || !services->XFORMOBJ_iGetXform) return -1;
  const uint8_t* ifi = reinterpret_cast<const uint8_t*>(services->FONTOBJ_pifi(font));
  XFORMOBJ* xo = services->FONTOBJ_pxoGetXform(font);
  XFORML xf{};
  IfiFields fields;
  uint32_t size = 0;
  if (ifi != nullptr) std::memcpy(&size, ifi, 4);
  if (ifi == nullptr || xo == nullptr || size > (1u << 20) || !Ifi_Read(ifi, size, &fields) ||
      services->XFORMOBJ_iGetXform(xo, &xf) == 0xFFFFFFFFu) {
    return -1;
  }
  bool named = false;
  for (const DeviceFontEntry& e : text->devices) named = named || (e.Loaded() && e.ifi.family == fields.family);
  const DeviceFontEntry& entry = text->devices[font->iFace - 1];
  if (!named || !entry.Loaded()) return -1;
  if (mode == kMaxExtents) {
    if (pv == nullptr) return LONG(sizeof(DeviceMetrics));
    const DocDMode* doc = &pdev->state.live->devmode.doc;
    DeviceFont_MaxExtents(entry, FontTransform{xf.eM11, xf.eM12, xf.eM21, xf.eM22},
                          uint16_t(DocI16(doc, kDocResolutionYAt)), static_cast<DeviceMetrics*>(pv));
    return LONG(sizeof(DeviceMetrics));
  }
  if (mode != kGlyphAndBitmap) return -1;
  if (data == nullptr) return 0;
  DeviceGlyphData d;
  DeviceFont_GlyphData(entry, FontTransform{xf.eM11, xf.eM12, xf.eM21, xf.eM22}, glyph, &d);
  data->hg = glyph;
  data->fxA = 0;
  data->fxD = d.fxD;
  data->fxAB = d.fxAB;
  data->fxInkTop = d.fxInkTop;
  data->fxInkBottom = d.fxInkBottom;
  data->ptqD.x.LowPart = 0;
  data->ptqD.x.HighPart = d.ptqDx;
  data->ptqD.y.LowPart = 0;
  data->ptqD.y.HighPart = d.ptqDy;
  return 0;
}

LONG APIENTRY DrvQueryTrueTypeOutline(DHPDEV dhpdev, FONTOBJ*, HGLYPH, BOOL, GLYPHDATA*, ULONG, TTPOLYGONHEADER*) {
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return 0;  // the resident faces give no outlines
}
