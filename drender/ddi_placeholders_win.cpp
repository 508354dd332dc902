// Entry points of the function table whose work is not part of the library
// yet.  Each refuses its call (FALSE, null or 0 with ERROR_NOT_SUPPORTED) so
// that a caller fails cleanly; each moves to the file of its behaviour when
// that behaviour is built.
#include "drender/ddi_entries.h"

namespace {
template <typename T>
T Refuse(T result) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return result;
}
}  // namespace

extern "C" {


BOOL APIENTRY DrvTextOut(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*, BRUSHOBJ*, POINTL*,
                         MIX) {
  return Refuse(FALSE);
}
ULONG APIENTRY DrvGetGlyphMode(DHPDEV, FONTOBJ*) { return Refuse<ULONG>(0); }
IFIMETRICS* APIENTRY DrvQueryFont(DHPDEV, ULONG_PTR, ULONG, ULONG_PTR*) { return Refuse<IFIMETRICS*>(nullptr); }
PVOID APIENTRY DrvQueryFontTree(DHPDEV, ULONG_PTR, ULONG, ULONG, ULONG_PTR*) { return Refuse<PVOID>(nullptr); }
LONG APIENTRY DrvQueryFontData(DHPDEV, FONTOBJ*, ULONG, HGLYPH, GLYPHDATA*, PVOID, ULONG) {
  return Refuse<LONG>(-1);  // FD_ERROR
}
VOID APIENTRY DrvDestroyFont(FONTOBJ*) {}
LONG APIENTRY DrvQueryTrueTypeOutline(DHPDEV, FONTOBJ*, HGLYPH, BOOL, GLYPHDATA*, ULONG, TTPOLYGONHEADER*) {
  return Refuse<LONG>(-1);
}

}  // extern "C"
