#include "drender/draw/xl_path_writers.h"

#include <vector>

#include "drender/pclxl/pclxl_ops.h"

namespace {

// Embedded point data: x then y per point, one byte each (type 1) or two.
std::vector<uint8_t> PointBytes(const DrawPoint* points, uint32_t count, uint8_t type) {
  std::vector<uint8_t> out;
  out.reserve(count * (type == 1 ? 2u : 4u));
  for (uint32_t i = 0; i < count; ++i) {
    for (int32_t v : {points[i].x, points[i].y}) {
      const int16_t s = Draw_Clamp16(v);
      if (type == 1) {
        out.push_back(static_cast<uint8_t>(static_cast<int8_t>(s)));
      } else {
        out.push_back(static_cast<uint8_t>(s & 0xFF));
        out.push_back(static_cast<uint8_t>((static_cast<uint16_t>(s) >> 8) & 0xFF));
      }
    }
  }
  return out;
}

XlBlock Block(const std::vector<uint8_t>& bytes) {
  return XlBlock{bytes.data(), static_cast<uint32_t>(bytes.size()), XL_EMBED_AUTO};
}

bool FitsByte(int64_t v) { return v >= -128 && v <= 127; }

}  // namespace

uint32_t XL_SetCursor(XlEncoder* enc, int32_t x, int32_t y) {
  if (x >= -32768 && y >= -32768) {
    return XlOp_SetCursor(enc, XlSInt16XY{Draw_Clamp16(x), Draw_Clamp16(y)});
  }
  const int32_t cx = x < -32768 ? -32768 : 0;
  const int32_t cy = y < -32768 ? -32768 : 0;
  if (!XlOp_SetCursor(enc, XlSInt16XY{static_cast<int16_t>(cx), static_cast<int16_t>(cy)})) return 0;
  return XlOp_SetCursorRel(enc, XlSInt16XY{Draw_Clamp16(int64_t{x} - cx), Draw_Clamp16(int64_t{y} - cy)});
}

uint8_t Gfx_MakeLineRelative(DrawPoint* points, DrawPoint start, uint32_t count) {
  bool small = true;
  DrawPoint previous = start;
  for (uint32_t i = 0; i < count; ++i) {
    const DrawPoint p = points[i];
    const int64_t dx = int64_t{p.x} - previous.x, dy = int64_t{p.y} - previous.y;
    points[i] = DrawPoint{Draw_Clamp16(dx), Draw_Clamp16(dy)};
    small = small && FitsByte(dx) && FitsByte(dy);
    previous = p;
  }
  return small ? 1 : 3;
}

uint8_t Gfx_MakeBezierRelative(DrawPoint* points, DrawPoint start, uint32_t count) {
  bool small = true;
  DrawPoint origin = start;
  for (uint32_t i = 0; i < count; ++i) {
    const DrawPoint p = points[i];
    const int64_t dx = int64_t{p.x} - origin.x, dy = int64_t{p.y} - origin.y;
    points[i] = DrawPoint{Draw_Clamp16(dx), Draw_Clamp16(dy)};
    small = small && FitsByte(dx) && FitsByte(dy);
    if (i % 3 == 2) origin = p;
  }
  return small ? 1 : 3;
}

uint32_t XL_LineRelPath(DrawJob* job, const DrawPoint* offsets, uint32_t count, uint8_t pointType) {
  if (!offsets || count == 0) return 1;
  if (count > 0xFFFF) count = 0xFFFF;
  Draw_MarkContent(job, kXlMarkLineRelPath);
  const XlPointType type = pointType == 1 ? XlPointType::SByte : XlPointType::SInt16;
  const std::vector<uint8_t> bytes = PointBytes(offsets, count, pointType == 1 ? 1 : 3);
  return XlOp_LineRelPath(job->enc, static_cast<uint16_t>(count), type, Block(bytes));
}

uint32_t XL_BezierRelPath(DrawJob* job, const DrawPoint* offsets, uint32_t count, uint8_t pointType) {
  count -= count % 3;
  if (count > 0xFFFF) count = 0xFFFF - 0xFFFF % 3;
  if (!offsets || count == 0) return 1;
  Draw_MarkContent(job, kXlMarkBezierRelPath);
  const XlPointType type = pointType == 1 ? XlPointType::SByte : XlPointType::SInt16;
  const std::vector<uint8_t> bytes = PointBytes(offsets, count, pointType == 1 ? 1 : 3);
  return XlOp_BezierRelPath(job->enc, static_cast<uint16_t>(count), type, Block(bytes));
}

uint32_t XL_LinePath(DrawJob* job, const DrawPoint* points, uint32_t count) {
  if (!points || count == 0) return 1;
  if (count > 0xFFFF) count = 0xFFFF;
  Draw_MarkContent(job, kXlMarkLinePath);
  if (count < 2) return XlOp_LinePathTo(job->enc, XlSInt16XY{Draw_Clamp16(points[0].x), Draw_Clamp16(points[0].y)});
  const std::vector<uint8_t> bytes = PointBytes(points, count, 3);
  return XlOp_LinePath(job->enc, static_cast<uint16_t>(count), XlPointType::SInt16, Block(bytes));
}

namespace {
XlSInt16Box Box16(const DrawBox* box) {
  return XlSInt16Box{Draw_Clamp16(box->left), Draw_Clamp16(box->top), Draw_Clamp16(box->right),
                     Draw_Clamp16(box->bottom)};
}
}  // namespace

uint32_t XL_RectanglePath(DrawJob* job, const DrawBox* box) {
  if (!box) return 1;
  Draw_MarkContent(job, kXlMarkRectanglePath);
  return XlOp_RectanglePath(job->enc, Box16(box));
}

uint32_t XL_Rectangle(DrawJob* job, const DrawBox* box) {
  if (!box) return 1;
  Draw_MarkContent(job, kXlMarkRectangle);
  return XlOp_Rectangle(job->enc, Box16(box));
}

uint32_t XL_CloseSubPath(DrawJob* job) {
  Draw_MarkContent(job, kXlMarkCloseSubPath);
  return XlOp_CloseSubPath(job->enc);
}

uint32_t XL_PaintPath(DrawJob* job) {
  Draw_MarkContent(job, kXlMarkPaintPath);
  return XlOp_PaintPath(job->enc);
}

uint32_t XL_NewPath(DrawJob* job) { return XlOp_NewPath(job->enc); }

namespace {
// Draws `count` points after `from` as lines or curves relative to it.
uint32_t Follow(DrawJob* job, DrawPoint from, DrawPoint* points, uint32_t count, bool beziers) {
  if (count == 0) return 1;
  if (beziers) {
    const uint8_t type = Gfx_MakeBezierRelative(points, from, count);
    return XL_BezierRelPath(job, points, count, type);
  }
  const uint8_t type = Gfx_MakeLineRelative(points, from, count);
  return XL_LineRelPath(job, points, count, type);
}
}  // namespace

uint32_t Gfx_WritePathRecord(DrawJob* job, PathWalk* walk, uint32_t flags, DrawPoint* points, uint32_t count) {
  if (!points || count == 0) return 1;
  const bool beziers = (flags & kPathBeziers) != 0;
  const DrawPoint last = points[count - 1];
  bool drawn = false;
  uint32_t ok = 1;
  if (flags & kPathBegin) {
    const DrawPoint first = points[0];
    ok = XL_SetCursor(job->enc, first.x, first.y);
    if (ok && count >= 2) ok = Follow(job, first, points + 1, count - 1, beziers);
    drawn = true;
    walk->current = last;
  } else if ((flags & ~(kPathBeziers | kPathResetStyle)) == 0) {
    ok = Follow(job, walk->current, points, count, beziers);
    drawn = true;
    walk->current = last;
  }
  if (ok && (flags & kPathEnd)) {
    if (!drawn) {
      ok = Follow(job, walk->current, points, count, beziers);
      walk->current = last;
    }
    if (ok && (flags & kPathClose)) ok = XL_CloseSubPath(job);
  }
  return ok;
}
