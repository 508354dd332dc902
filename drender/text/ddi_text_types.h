// The string, font and transform objects of the graphics-driver interface
// that the text entry points read, declared from the documented interface.
#pragma once

#include "drender/ddi/ddi_types.h"
#include "drender/draw/draw_services.h"  // XFORML

struct GLYPHBITS {
  POINTL ptlOrigin;
  SIZEL sizlBitmap;
  BYTE aj[1];
};
union GLYPHDEF {
  GLYPHBITS* pgb;
  void* ppo;
};
struct GLYPHPOS {
  HGLYPH hg;
  GLYPHDEF* pgdf;
  POINTL ptl;
};
struct POINTQF {
  LARGE_INTEGER x;
  LARGE_INTEGER y;
};
struct GLYPHDATA {
  GLYPHDEF gdf;
  HGLYPH hg;
  FIX fxD;
  FIX fxA;
  FIX fxAB;
  FIX fxInkTop;
  FIX fxInkBottom;
  RECTL rclInk;
  POINTQF ptqD;
};
struct STROBJ {
  ULONG cGlyphs;
  FLONG flAccel;
  ULONG ulCharInc;
  RECTL rclBkGround;
  GLYPHPOS* pgp;
  LPWSTR pwszOrg;
};
struct FONTOBJ {
  ULONG iUniq;
  ULONG iFace;
  ULONG cxMax;
  FLONG flFontType;
  ULONG_PTR iTTUniq;
  ULONG_PTR iFile;
  SIZE sizLogResPpi;
  ULONG ulStyleSize;
  PVOID pvConsumer;
  PVOID pvProducer;
};

inline constexpr FLONG SO_ZERO_BEARINGS = 0x10;
inline constexpr FLONG SO_CHAR_INC_EQUAL_BM_BASE = 0x20;
inline constexpr FLONG SO_MAXEXT_EQUAL_BM_SIDE = 0x40;
inline constexpr FLONG SO_GLYPHINDEX_TEXTOUT = 0x100;
inline constexpr FLONG FO_DBCS_FONT = 0x1000000;
inline constexpr ULONG FO_HGLYPHS = 0;
inline constexpr ULONG FO_GLYPHBITS = 1;
inline constexpr ULONG FO_PATHOBJ = 2;

// The object services the text entry points call, bound by name from the
// same module as the engine services.
struct DdiTextServices {
  VOID(APIENTRY* STROBJ_vEnumStart)(STROBJ* text);
  BOOL(APIENTRY* STROBJ_bEnum)(STROBJ* text, ULONG* count, GLYPHPOS** glyphs);
  DWORD(APIENTRY* STROBJ_dwGetCodePage)(STROBJ* text);
  IFIMETRICS*(APIENTRY* FONTOBJ_pifi)(FONTOBJ* font);
  XFORMOBJ*(APIENTRY* FONTOBJ_pxoGetXform)(FONTOBJ* font);
  PVOID(APIENTRY* FONTOBJ_pvTrueTypeFontFile)(FONTOBJ* font, ULONG* size);
  ULONG(APIENTRY* FONTOBJ_cGetGlyphs)(FONTOBJ* font, ULONG mode, ULONG count, HGLYPH* glyphs, PVOID* data);
  ULONG(APIENTRY* XFORMOBJ_iGetXform)(XFORMOBJ* xform, XFORML* out);
  BOOL(APIENTRY* EngTextOut)(SURFOBJ* target, STROBJ* text, FONTOBJ* font, CLIPOBJ* clip, RECTL* extra,
                             RECTL* opaque, BRUSHOBJ* fore, BRUSHOBJ* back, POINTL* origin, MIX mix);
  // The glyph set of characters first to first + count - 1 of a code page
  // (0: the system's), freed with EngFreeMem.
  PVOID(APIENTRY* EngComputeGlyphSet)(INT codePage, INT first, INT count);
  VOID(APIENTRY* EngFreeMem)(PVOID block);
};
// Bound on first use; every caller checks each service for null.
const DdiTextServices* Ddi_TextServices();
