// Types, indexes and constants of the graphics-driver interface that the
// render core and its test host use, declared from the documented
// interface (the toolkit's own driver header does not compile here).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

DECLARE_HANDLE(DHPDEV);
DECLARE_HANDLE(DHSURF);
DECLARE_HANDLE(HSURF);
DECLARE_HANDLE(HDEV);
DECLARE_HANDLE(HBM);

using FLONG = ULONG;
using LDECI4 = LONG;
using PFN = INT_PTR(WINAPI*)();

using FIX = LONG;
struct POINTFIX {
  FIX x;
  FIX y;
};

// Objects the engine hands to drawing calls.
struct CLIPOBJ {
  ULONG iUniq;
  RECTL rclBounds;
  BYTE iDComplexity;  // DC_TRIVIAL, DC_RECT, DC_COMPLEX
  BYTE iFComplexity;  // FC_RECT, FC_RECT4, FC_COMPLEX
  BYTE iMode;         // TC_RECTANGLES
  BYTE fjOptions;
};
inline constexpr BYTE DC_TRIVIAL = 0;
inline constexpr BYTE DC_RECT = 1;
inline constexpr BYTE DC_COMPLEX = 3;
inline constexpr BYTE FC_RECT = 1;
inline constexpr BYTE FC_RECT4 = 2;
inline constexpr BYTE FC_COMPLEX = 3;
inline constexpr BYTE TC_RECTANGLES = 0;
inline constexpr ULONG CT_RECTANGLES = 0;
inline constexpr ULONG CD_RIGHTDOWN = 0;
inline constexpr ULONG CD_ANY = 4;

// What CLIPOBJ_bEnum fills: a count and that many rectangles.
struct ENUMRECTS {
  ULONG c;
  RECTL arcl[1];
};

struct PATHOBJ {
  FLONG fl;
  ULONG cCurves;
};
struct PATHDATA {
  FLONG flags;
  ULONG count;
  POINTFIX* pptfx;
};
inline constexpr FLONG PD_BEGINSUBPATH = 0x01;
inline constexpr FLONG PD_ENDSUBPATH = 0x02;
inline constexpr FLONG PD_RESETSTYLE = 0x04;
inline constexpr FLONG PD_CLOSEFIGURE = 0x08;
inline constexpr FLONG PD_BEZIERS = 0x10;

struct BRUSHOBJ {
  ULONG iSolidColor;  // 0xFFFFFFFF for a pattern brush
  PVOID pvRbrush;
  FLONG flColorType;
};

struct XLATEOBJ {
  ULONG iUniq;
  FLONG flXlate;
  USHORT iSrcType;
  USHORT iDstType;
  ULONG cEntries;
  ULONG* pulXlate;
};
inline constexpr FLONG XO_TRIVIAL = 0x01;
inline constexpr FLONG XO_TABLE = 0x02;
inline constexpr ULONG XO_SRCPALETTE = 1;
inline constexpr ULONG XO_DESTPALETTE = 2;

struct STROBJ;
struct FONTOBJ;
struct XFORMOBJ;
struct LINEATTRS;
struct IFIMETRICS;
struct GLYPHDATA;
using HGLYPH = ULONG;
using MIX = ULONG;
using ROP4 = ULONG;

// Conversions between a function's own type and the generic row type of a
// function table (through the one type the compiler accepts for any).
template <typename Fn>
PFN ToPfn(Fn fn) {
  return reinterpret_cast<PFN>(reinterpret_cast<void (*)()>(fn));
}
template <typename Fn, typename From>
Fn FromPfn(From pfn) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(pfn));
}

// One row of a driver's function table.
struct DRVFN {
  ULONG iFunc;
  PFN pfn;
};

// Function indexes of the driver interface.
enum : ULONG {
  INDEX_DrvEnablePDEV = 0,
  INDEX_DrvCompletePDEV = 1,
  INDEX_DrvDisablePDEV = 2,
  INDEX_DrvEnableSurface = 3,
  INDEX_DrvDisableSurface = 4,
  INDEX_DrvResetPDEV = 7,
  INDEX_DrvDisableDriver = 8,
  INDEX_DrvRealizeBrush = 12,
  INDEX_DrvStrokePath = 14,
  INDEX_DrvFillPath = 15,
  INDEX_DrvStrokeAndFillPath = 16,
  INDEX_DrvPaint = 17,
  INDEX_DrvBitBlt = 18,
  INDEX_DrvCopyBits = 19,
  INDEX_DrvStretchBlt = 20,
  INDEX_DrvTextOut = 23,
  INDEX_DrvEscape = 24,
  INDEX_DrvQueryFont = 26,
  INDEX_DrvQueryFontTree = 27,
  INDEX_DrvQueryFontData = 28,
  INDEX_DrvLineTo = 31,
  INDEX_DrvSendPage = 32,
  INDEX_DrvStartPage = 33,
  INDEX_DrvEndDoc = 34,
  INDEX_DrvStartDoc = 35,
  INDEX_DrvGetGlyphMode = 37,
  INDEX_DrvDestroyFont = 43,
  INDEX_DrvQueryTrueTypeOutline = 49,
  INDEX_DrvStartBanding = 57,
  INDEX_DrvNextBand = 58,
  INDEX_DrvGradientFill = 68,
  INDEX_DrvStretchBltROP = 69,
};

struct CIECHROMA {
  LDECI4 x;
  LDECI4 y;
  LDECI4 Y;
};

struct COLORINFO {
  CIECHROMA Red;
  CIECHROMA Green;
  CIECHROMA Blue;
  CIECHROMA Cyan;
  CIECHROMA Magenta;
  CIECHROMA Yellow;
  CIECHROMA AlignmentWhite;
  LDECI4 RedGamma;
  LDECI4 GreenGamma;
  LDECI4 BlueGamma;
  LDECI4 MagentaInCyanDye;
  LDECI4 YellowInCyanDye;
  LDECI4 CyanInMagentaDye;
  LDECI4 YellowInMagentaDye;
  LDECI4 CyanInYellowDye;
  LDECI4 MagentaInYellowDye;
};
static_assert(sizeof(COLORINFO) == 120);

struct GDIINFO {
  ULONG ulVersion;
  ULONG ulTechnology;
  ULONG ulHorzSize;
  ULONG ulVertSize;
  ULONG ulHorzRes;
  ULONG ulVertRes;
  ULONG cBitsPixel;
  ULONG cPlanes;
  ULONG ulNumColors;
  ULONG flRaster;
  ULONG ulLogPixelsX;
  ULONG ulLogPixelsY;
  ULONG flTextCaps;
  ULONG ulDACRed;
  ULONG ulDACGreen;
  ULONG ulDACBlue;
  ULONG ulAspectX;
  ULONG ulAspectY;
  ULONG ulAspectXY;
  LONG xStyleStep;
  LONG yStyleStep;
  LONG denStyleStep;
  POINTL ptlPhysOffset;
  SIZEL szlPhysSize;
  ULONG ulNumPalReg;
  COLORINFO ciDevice;
  ULONG ulDevicePelsDPI;
  ULONG ulPrimaryOrder;
  ULONG ulHTPatternSize;
  ULONG ulHTOutputFormat;
  ULONG flHTFlags;
  ULONG ulVRefresh;
  ULONG ulBltAlignment;
  ULONG ulPanningHorzRes;
  ULONG ulPanningVertRes;
  ULONG xPanningAlignment;
  ULONG yPanningAlignment;
  ULONG cxHTPat;
  ULONG cyHTPat;
  LPBYTE pHTPatA;
  LPBYTE pHTPatB;
  LPBYTE pHTPatC;
  ULONG flShadeBlend;
  ULONG ulPhysicalPixelCharacteristics;
  ULONG ulPhysicalPixelGamma;
};
static_assert(offsetof(GDIINFO, ptlPhysOffset) == 88);
static_assert(offsetof(GDIINFO, ciDevice) == 108);
static_assert(offsetof(GDIINFO, ulHTPatternSize) == 236);
static_assert(sizeof(GDIINFO) == (sizeof(void*) == 8 ? 320 : 304));

struct DEVINFO {
  FLONG flGraphicsCaps;
  LOGFONTW lfDefaultFont;
  LOGFONTW lfAnsiVarFont;
  LOGFONTW lfAnsiFixFont;
  ULONG cFonts;
  ULONG iDitherFormat;
  USHORT cxDither;
  USHORT cyDither;
  HPALETTE hpalDefault;
  FLONG flGraphicsCaps2;
};
static_assert(offsetof(DEVINFO, cFonts) == 280);
static_assert(sizeof(DEVINFO) == (sizeof(void*) == 8 ? 312 : 300));

struct SURFOBJ {
  DHSURF dhsurf;
  HSURF hsurf;
  DHPDEV dhpdev;
  HDEV hdev;
  SIZEL sizlBitmap;
  ULONG cjBits;
  PVOID pvBits;
  PVOID pvScan0;
  LONG lDelta;
  ULONG iUniq;
  ULONG iBitmapFormat;
  USHORT iType;
  USHORT fjBitmap;
};
static_assert(sizeof(SURFOBJ) == (sizeof(void*) == 8 ? 80 : 52));

// Technology, capability and format constants.
inline constexpr ULONG GDI_DRIVER_VERSION_0x400 = 0x400;
inline constexpr ULONG DT_RASPRINTER_VALUE = 2;
inline constexpr ULONG HT_PATSIZE_8x8_M = 7;
inline constexpr ULONG HT_FORMAT_24BPP = 6;
inline constexpr ULONG HT_FLAG_HAS_BLACK_DYE = 2;
inline constexpr FLONG GCAPS_BEZIERS = 0x00000001;
inline constexpr FLONG GCAPS_ALTERNATEFILL = 0x00000004;
inline constexpr FLONG GCAPS_WINDINGFILL = 0x00000008;
inline constexpr FLONG GCAPS_HALFTONE = 0x00000010;
inline constexpr FLONG GCAPS_OPAQUERECT = 0x00000100;
inline constexpr FLONG GCAPS_DONTJOURNAL = 0x00002000;

inline constexpr ULONG BMF_1BPP = 1;
inline constexpr ULONG BMF_4BPP = 2;
inline constexpr ULONG BMF_8BPP = 3;
inline constexpr ULONG BMF_16BPP = 4;
inline constexpr ULONG BMF_24BPP = 5;
inline constexpr ULONG BMF_32BPP = 6;
inline constexpr ULONG BMF_TOPDOWN = 0x0001;

inline constexpr USHORT STYPE_BITMAP = 0;
inline constexpr USHORT STYPE_DEVICE = 1;

inline constexpr ULONG PAL_INDEXED = 0x01;
inline constexpr ULONG PAL_BITFIELDS = 0x02;
inline constexpr ULONG PAL_RGB = 0x04;
inline constexpr ULONG PAL_BGR = 0x08;

inline constexpr FLONG HOOK_BITBLT = 0x00000001;
inline constexpr FLONG HOOK_STRETCHBLT = 0x00000002;
inline constexpr FLONG HOOK_TEXTOUT = 0x00000008;
inline constexpr FLONG HOOK_PAINT = 0x00000010;
inline constexpr FLONG HOOK_STROKEPATH = 0x00000020;
inline constexpr FLONG HOOK_FILLPATH = 0x00000040;
inline constexpr FLONG HOOK_STROKEANDFILLPATH = 0x00000080;
inline constexpr FLONG HOOK_LINETO = 0x00000100;
inline constexpr FLONG HOOK_COPYBITS = 0x00000400;
inline constexpr FLONG HOOK_GRADIENTFILL = 0x00020000;
inline constexpr FLONG HOOK_STRETCHBLTROP = 0x00200000;

inline constexpr ULONG ED_ABORTDOC = 1;

// Entry points of the driver, as its function table hands them out.
using PFN_DrvEnablePDEV = DHPDEV(APIENTRY*)(DEVMODEW* devmode, LPWSTR logicalAddress, ULONG patternCount,
                                            HSURF* patterns, ULONG capsSize, ULONG* caps,
                                            ULONG devInfoSize, DEVINFO* devInfo, HDEV hdev,
                                            LPWSTR deviceName, HANDLE printer);
using PFN_DrvCompletePDEV = VOID(APIENTRY*)(DHPDEV pdev, HDEV hdev);
using PFN_DrvDisablePDEV = VOID(APIENTRY*)(DHPDEV pdev);
using PFN_DrvResetPDEV = BOOL(APIENTRY*)(DHPDEV oldPdev, DHPDEV newPdev);
using PFN_DrvDisableDriver = VOID(APIENTRY*)();
using PFN_DrvEnableSurface = HSURF(APIENTRY*)(DHPDEV pdev);
using PFN_DrvDisableSurface = VOID(APIENTRY*)(DHPDEV pdev);
using PFN_DrvStartDoc = BOOL(APIENTRY*)(SURFOBJ* surface, LPWSTR docName, DWORD jobId);
using PFN_DrvEndDoc = BOOL(APIENTRY*)(SURFOBJ* surface, FLONG flags);
using PFN_DrvStartPage = BOOL(APIENTRY*)(SURFOBJ* surface);
using PFN_DrvSendPage = BOOL(APIENTRY*)(SURFOBJ* surface);
using PFN_DrvEscape = ULONG(APIENTRY*)(SURFOBJ* surface, ULONG code, ULONG inSize, PVOID in, ULONG outSize,
                                       PVOID out);
using PFN_QueryFunctionTblPtr = DWORD(WINAPI*)(DRVFN* rows, DWORD count);
