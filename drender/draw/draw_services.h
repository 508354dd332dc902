// The engine services that only the drawing entry points call: the
// engine's own drawing functions they fall back on, path and transform
// queries.  Bound by name like the other services (drender/ddi/ddi_services.h),
// from the same module, on first use; every caller checks for null.
#pragma once

#include "drender/ddi/ddi_types.h"

struct XFORML {
  FLOAT eM11, eM12, eM21, eM22, eDx, eDy;
};

union FLOAT_LONG {
  FLOAT e;
  LONG l;
};

struct LINEATTRS {
  FLONG fl;
  ULONG iJoin;
  ULONG iEndCap;
  FLOAT_LONG elWidth;
  FLOAT eMiterLimit;
  ULONG cstyle;
  FLOAT_LONG* pstyle;
  FLOAT_LONG elStyleState;
};
inline constexpr FLONG LA_GEOMETRIC = 0x01;
inline constexpr FLONG LA_ALTERNATE = 0x02;
inline constexpr FLONG LA_STARTGAP = 0x04;
inline constexpr FLONG LA_STYLED = 0x08;
inline constexpr ULONG JOIN_BEVEL = 1;
inline constexpr ULONG ENDCAP_BUTT = 2;
inline constexpr ULONG GX_SCALE = 2;
inline constexpr FLONG FP_ALTERNATEMODE = 1;
inline constexpr FLONG FP_WINDINGMODE = 2;
inline constexpr ULONG BMF_NOZEROINIT = 0x0004;

struct DdiDrawServices {
  BOOL(APIENTRY* EngBitBlt)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*, BRUSHOBJ*,
                            POINTL*, ROP4);
  BOOL(APIENTRY* EngStretchBlt)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*, RECTL*,
                                RECTL*, POINTL*, ULONG);
  BOOL(APIENTRY* EngStretchBltROP)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                                   RECTL*, RECTL*, POINTL*, ULONG, BRUSHOBJ*, DWORD);
  BOOL(APIENTRY* EngCopyBits)(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*);
  BOOL(APIENTRY* EngGradientFill)(SURFOBJ*, CLIPOBJ*, XLATEOBJ*, TRIVERTEX*, ULONG, PVOID, ULONG, RECTL*, POINTL*,
                                  ULONG);
  BOOL(APIENTRY* EngStrokeAndFillPath)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, LINEATTRS*, BRUSHOBJ*,
                                       POINTL*, MIX, FLONG);
  BOOL(APIENTRY* EngEraseSurface)(SURFOBJ*, RECTL*, ULONG);
  PATHOBJ*(APIENTRY* CLIPOBJ_ppoGetPath)(CLIPOBJ*);
  VOID(APIENTRY* EngDeletePath)(PATHOBJ*);
  ULONG(APIENTRY* XFORMOBJ_iGetXform)(XFORMOBJ*, XFORML*);
};

// The table, bound on first use from the module the other services came
// from.
const DdiDrawServices* Ddi_DrawServices();
