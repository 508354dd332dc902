// Path writers: the cursor, line and Bézier paths with relative points,
// absolute line paths, rectangles, and the walk over a path's records that
// turns GDI figures into them.  Points are device pixels; GDI's 28.4
// fixed-point points are shifted right by 4 first (Draw_FixToDevice).
#pragma once

#include <cstdint>

#include "drender/draw/draw_job.h"

struct DrawPoint {
  int32_t x, y;
};

// 28.4 fixed point to device pixels (fractions round towards minus infinity).
inline int32_t Draw_FixToDevice(int32_t fix) { return fix >> 4; }

// SetCursor at (x, y).  Coordinates below -32768 are reached with a
// SetCursor to -32768 (or 0) and a SetCursorRel; coordinates beyond what
// that reaches, and above 32767, are clamped.
uint32_t XL_SetCursor(XlEncoder* enc, int32_t x, int32_t y);

// Turns points[start .. start+count) into offsets in place and gives the
// point type (1 when every offset fits a signed byte, else 3).  Offsets
// that do not fit 16 bits are clamped.
uint8_t Gfx_MakeLineRelative(DrawPoint* points, DrawPoint start, uint32_t count);
// The same for Bézier points in threes: each offset from its curve's start.
uint8_t Gfx_MakeBezierRelative(DrawPoint* points, DrawPoint start, uint32_t count);

// NumberOfPoints, PointType, LineRelPath / BezierRelPath and the embedded
// offsets.  A count of 0 writes nothing; Bézier counts are cut to whole
// curves.
uint32_t XL_LineRelPath(DrawJob* job, const DrawPoint* offsets, uint32_t count, uint8_t pointType);
uint32_t XL_BezierRelPath(DrawJob* job, const DrawPoint* offsets, uint32_t count, uint8_t pointType);
// A line path through absolute points (one point: EndPoint).
uint32_t XL_LinePath(DrawJob* job, const DrawPoint* points, uint32_t count);
struct DrawBox {
  int32_t left, top, right, bottom;
};
uint32_t XL_RectanglePath(DrawJob* job, const DrawBox* box);
uint32_t XL_Rectangle(DrawJob* job, const DrawBox* box);
uint32_t XL_CloseSubPath(DrawJob* job);
uint32_t XL_PaintPath(DrawJob* job);
uint32_t XL_NewPath(DrawJob* job);

// One record of a path enumeration.
enum : uint32_t {
  kPathBegin = 0x01,
  kPathEnd = 0x02,
  kPathResetStyle = 0x04,  // ignored: styles restart with each call
  kPathClose = 0x08,
  kPathBeziers = 0x10,
};
struct PathWalk {
  DrawPoint current;  // starts at (0, 0)
};
// Writes one record (its points already in device pixels; they are turned
// into offsets in place).
uint32_t Gfx_WritePathRecord(DrawJob* job, PathWalk* walk, uint32_t flags, DrawPoint* points, uint32_t count);
