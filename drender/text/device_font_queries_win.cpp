// GDI's queries of the resident faces.  The PDEV announces no device fonts,
// so GDI never asks in a real job; the answers come from the same table the
// text substitution uses.
#include <windows.h>

#include "drender/ddi_entries.h"
#include "drender/render_pdev.h"
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

PVOID APIENTRY DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR, ULONG, ULONG, ULONG_PTR* id) {
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (id != nullptr) *id = 0;
  // The faces have no kerning pairs; their glyph sets are not built here
  // (GDI never realises a resident face while none is announced).
  return nullptr;
}

LONG APIENTRY DrvQueryTrueTypeOutline(DHPDEV dhpdev, FONTOBJ*, HGLYPH, BOOL, GLYPHDATA*, ULONG, TTPOLYGONHEADER*) {
  if (!Rdc_IsValidPdev(dhpdev)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return 0;  // the resident faces give no outlines
}
