// The driver-interface entry points of the render core, in the order of its
// function table.  GDI calls no other function of the library.
#pragma once

#include "drender/ddi/ddi_types.h"

extern "C" {
VOID APIENTRY DrvDisableDriver();
DHPDEV APIENTRY DrvEnablePDEV(DEVMODEW* devmode, LPWSTR logicalAddress, ULONG patternCount, HSURF* patterns,
                              ULONG capsSize, ULONG* caps, ULONG devInfoSize, DEVINFO* devInfo, HDEV hdev,
                              LPWSTR deviceName, HANDLE printer);
BOOL APIENTRY DrvResetPDEV(DHPDEV oldPdev, DHPDEV newPdev);
VOID APIENTRY DrvCompletePDEV(DHPDEV pdev, HDEV hdev);
VOID APIENTRY DrvDisablePDEV(DHPDEV pdev);
HSURF APIENTRY DrvEnableSurface(DHPDEV pdev);
VOID APIENTRY DrvDisableSurface(DHPDEV pdev);
BOOL APIENTRY DrvBitBlt(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                        RECTL* targetRect, POINTL* sourcePoint, POINTL* maskPoint, BRUSHOBJ* brush,
                        POINTL* brushOrigin, ROP4 rop);
BOOL APIENTRY DrvStretchBlt(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                            COLORADJUSTMENT* adjust, POINTL* halftoneOrigin, RECTL* targetRect,
                            RECTL* sourceRect, POINTL* maskPoint, ULONG mode);
BOOL APIENTRY DrvCopyBits(SURFOBJ* target, SURFOBJ* source, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* targetRect,
                          POINTL* sourcePoint);
BOOL APIENTRY DrvGradientFill(SURFOBJ* target, CLIPOBJ* clip, XLATEOBJ* xlate, TRIVERTEX* vertices,
                              ULONG vertexCount, PVOID mesh, ULONG meshCount, RECTL* bounds,
                              POINTL* ditherOrigin, ULONG mode);
BOOL APIENTRY DrvStretchBltROP(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                               COLORADJUSTMENT* adjust, POINTL* halftoneOrigin, RECTL* targetRect,
                               RECTL* sourceRect, POINTL* maskPoint, ULONG mode, BRUSHOBJ* brush, DWORD rop);
BOOL APIENTRY DrvTextOut(SURFOBJ* target, STROBJ* text, FONTOBJ* font, CLIPOBJ* clip, RECTL* extra,
                         RECTL* opaqueRect, BRUSHOBJ* foreground, BRUSHOBJ* opaque, POINTL* origin, MIX mix);
ULONG APIENTRY DrvGetGlyphMode(DHPDEV pdev, FONTOBJ* font);
BOOL APIENTRY DrvRealizeBrush(BRUSHOBJ* brush, SURFOBJ* target, SURFOBJ* pattern, SURFOBJ* mask,
                              XLATEOBJ* xlate, ULONG hatch);
BOOL APIENTRY DrvPaint(SURFOBJ* target, CLIPOBJ* clip, BRUSHOBJ* brush, POINTL* brushOrigin, MIX mix);
BOOL APIENTRY DrvFillPath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, BRUSHOBJ* brush, POINTL* brushOrigin,
                          MIX mix, FLONG options);
BOOL APIENTRY DrvStrokeAndFillPath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform,
                                   BRUSHOBJ* strokeBrush, LINEATTRS* line, BRUSHOBJ* fillBrush,
                                   POINTL* brushOrigin, MIX fillMix, FLONG options);
BOOL APIENTRY DrvLineTo(SURFOBJ* target, CLIPOBJ* clip, BRUSHOBJ* brush, LONG x1, LONG y1, LONG x2, LONG y2,
                        RECTL* bounds, MIX mix);
BOOL APIENTRY DrvStrokePath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform, BRUSHOBJ* brush,
                            POINTL* brushOrigin, LINEATTRS* line, MIX mix);
BOOL APIENTRY DrvStartDoc(SURFOBJ* surface, LPWSTR docName, DWORD jobId);
BOOL APIENTRY DrvStartPage(SURFOBJ* surface);
BOOL APIENTRY DrvSendPage(SURFOBJ* surface);
BOOL APIENTRY DrvEndDoc(SURFOBJ* surface, FLONG flags);
BOOL APIENTRY DrvStartBanding(SURFOBJ* surface, POINTL* origin);
BOOL APIENTRY DrvNextBand(SURFOBJ* surface, POINTL* origin);
IFIMETRICS* APIENTRY DrvQueryFont(DHPDEV pdev, ULONG_PTR file, ULONG face, ULONG_PTR* id);
PVOID APIENTRY DrvQueryFontTree(DHPDEV pdev, ULONG_PTR file, ULONG face, ULONG mode, ULONG_PTR* id);
LONG APIENTRY DrvQueryFontData(DHPDEV pdev, FONTOBJ* font, ULONG mode, HGLYPH glyph, GLYPHDATA* data, PVOID buffer,
                               ULONG size);
VOID APIENTRY DrvDestroyFont(FONTOBJ* font);
LONG APIENTRY DrvQueryTrueTypeOutline(DHPDEV pdev, FONTOBJ* font, HGLYPH glyph, BOOL metricsOnly,
                                      GLYPHDATA* data, ULONG size, TTPOLYGONHEADER* outline);
ULONG APIENTRY DrvEscape(SURFOBJ* surface, ULONG code, ULONG inSize, PVOID in, ULONG outSize, PVOID out);

// The library's only export: copies the function table.
DWORD WINAPI QueryFunctionTblPtr(DRVFN* rows, DWORD count);
}

inline constexpr DWORD kRenderDrvFnCount = 32;
// The table itself, for the library's own tests.
extern const DRVFN RenderDrvFnTable[kRenderDrvFnCount];
