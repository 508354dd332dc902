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


BOOL APIENTRY DrvBitBlt(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*, BRUSHOBJ*,
                        POINTL*, ROP4) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvStretchBlt(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*, RECTL*,
                            RECTL*, POINTL*, ULONG) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvCopyBits(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*) { return Refuse(FALSE); }
BOOL APIENTRY DrvGradientFill(SURFOBJ*, CLIPOBJ*, XLATEOBJ*, TRIVERTEX*, ULONG, PVOID, ULONG, RECTL*, POINTL*,
                              ULONG) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvStretchBltROP(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                               RECTL*, RECTL*, POINTL*, ULONG, BRUSHOBJ*, DWORD) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvRealizeBrush(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) { return Refuse(FALSE); }
BOOL APIENTRY DrvPaint(SURFOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX) { return Refuse(FALSE); }
BOOL APIENTRY DrvFillPath(SURFOBJ*, PATHOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX, FLONG) { return Refuse(FALSE); }
BOOL APIENTRY DrvStrokeAndFillPath(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, LINEATTRS*, BRUSHOBJ*,
                                   POINTL*, MIX, FLONG) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvLineTo(SURFOBJ*, CLIPOBJ*, BRUSHOBJ*, LONG, LONG, LONG, LONG, RECTL*, MIX) {
  return Refuse(FALSE);
}
BOOL APIENTRY DrvStrokePath(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, POINTL*, LINEATTRS*, MIX) {
  return Refuse(FALSE);
}

}  // extern "C"
