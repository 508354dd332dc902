// The engine services of the graphics-driver interface that the render core
// calls.  The library imports none of them: they are bound by name when the
// library is attached, from the system's GDI library when it exports them
// all, otherwise from the host program's own exports (a program that plays
// the engine, as the tests do).  Every caller checks a service for null.
#pragma once

#include "drender/ddi/ddi_types.h"

struct DdiServices {
  HANDLE(APIENTRY* EngLoadModule)(LPWSTR path);
  VOID(APIENTRY* EngFreeModule)(HANDLE module);
  PVOID(APIENTRY* EngFindResource)(HANDLE module, int name, int type, PULONG size);
  HPALETTE(APIENTRY* EngCreatePalette)(ULONG mode, ULONG count, ULONG* colors, FLONG red, FLONG green,
                                       FLONG blue);
  BOOL(APIENTRY* EngDeletePalette)(HPALETTE palette);
  HSURF(APIENTRY* EngCreateDeviceSurface)(DHSURF dhsurf, SIZEL size, ULONG format);
  HBITMAP(APIENTRY* EngCreateBitmap)(SIZEL size, LONG rowBytes, ULONG format, FLONG flags, PVOID bits);
  BOOL(APIENTRY* EngAssociateSurface)(HSURF surface, HDEV hdev, FLONG hooks);
  BOOL(APIENTRY* EngDeleteSurface)(HSURF surface);
  BOOL(APIENTRY* EngMarkBandingSurface)(HSURF surface);
  SURFOBJ*(APIENTRY* EngLockSurface)(HSURF surface);
  VOID(APIENTRY* EngUnlockSurface)(SURFOBJ* surface);
  ULONG(APIENTRY* CLIPOBJ_cEnumStart)(CLIPOBJ* clip, BOOL all, ULONG type, ULONG direction, ULONG limit);
  BOOL(APIENTRY* CLIPOBJ_bEnum)(CLIPOBJ* clip, ULONG size, ULONG* rects);
  VOID(APIENTRY* PATHOBJ_vEnumStart)(PATHOBJ* path);
  BOOL(APIENTRY* PATHOBJ_bEnum)(PATHOBJ* path, PATHDATA* data);
  PVOID(APIENTRY* BRUSHOBJ_pvAllocRbrush)(BRUSHOBJ* brush, ULONG size);
  PVOID(APIENTRY* BRUSHOBJ_pvGetRbrush)(BRUSHOBJ* brush);
  ULONG(APIENTRY* BRUSHOBJ_ulGetBrushColor)(BRUSHOBJ* brush);
  ULONG(APIENTRY* XLATEOBJ_iXlate)(XLATEOBJ* xlate, ULONG color);
  ULONG(APIENTRY* XLATEOBJ_cGetPalette)(XLATEOBJ* xlate, ULONG which, ULONG count, ULONG* colors);
};

enum DdiServiceSource : int {
  kDdiSourceNone = 0,    // nothing bound
  kDdiSourceSystem = 1,  // the system's GDI library exports every service
  kDdiSourceHost = 2,    // the host program's own exports
};

// Binds the table once per process; later calls return the same table.
// Called at attach: it only looks at modules that are already loaded.
const DdiServices* Ddi_BindServices();
// The bound table (all null before Ddi_BindServices).
const DdiServices* Ddi_Services();
DdiServiceSource Ddi_ServiceSource();
// Number of services and the name of the i-th, in table order.
size_t Ddi_ServiceCount();
const char* Ddi_ServiceName(size_t index);
