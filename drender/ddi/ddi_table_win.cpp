// The render core's function table and the export that hands it out.
#include "drender/ddi/ddi_entries.h"

#include <cstring>

#define DRV_ROW(fn) {INDEX_##fn, ToPfn(&fn)}
const DRVFN RenderDrvFnTable[kRenderDrvFnCount] = {
    DRV_ROW(DrvDisableDriver),
    DRV_ROW(DrvEnablePDEV),
    DRV_ROW(DrvResetPDEV),
    DRV_ROW(DrvCompletePDEV),
    DRV_ROW(DrvDisablePDEV),
    DRV_ROW(DrvEnableSurface),
    DRV_ROW(DrvDisableSurface),
    DRV_ROW(DrvBitBlt),
    DRV_ROW(DrvStretchBlt),
    DRV_ROW(DrvCopyBits),
    DRV_ROW(DrvGradientFill),
    DRV_ROW(DrvStretchBltROP),
    DRV_ROW(DrvTextOut),
    DRV_ROW(DrvGetGlyphMode),
    DRV_ROW(DrvRealizeBrush),
    DRV_ROW(DrvPaint),
    DRV_ROW(DrvFillPath),
    DRV_ROW(DrvStrokeAndFillPath),
    DRV_ROW(DrvLineTo),
    DRV_ROW(DrvStrokePath),
    DRV_ROW(DrvStartDoc),
    DRV_ROW(DrvStartPage),
    DRV_ROW(DrvSendPage),
    DRV_ROW(DrvEndDoc),
    DRV_ROW(DrvStartBanding),
    DRV_ROW(DrvNextBand),
    DRV_ROW(DrvQueryFont),
    DRV_ROW(DrvQueryFontTree),
    DRV_ROW(DrvQueryFontData),
    DRV_ROW(DrvDestroyFont),
    DRV_ROW(DrvQueryTrueTypeOutline),
    DRV_ROW(DrvEscape),
};
#undef DRV_ROW

extern "C" DWORD WINAPI QueryFunctionTblPtr(DRVFN* rows, DWORD count) {
  if (!rows) return kRenderDrvFnCount;
  if (count < kRenderDrvFnCount) {
    SetLastError(ERROR_BAD_DRIVER_LEVEL);
    return 0;
  }
  std::memcpy(rows, RenderDrvFnTable, sizeof(RenderDrvFnTable));
  return kRenderDrvFnCount;
}

// Nothing to release: the printer description is released by its last user.
extern "C" VOID APIENTRY DrvDisableDriver() {}
