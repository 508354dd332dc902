#include "drender/draw/clip_path.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "drender/ddi/ddi_services.h"
#include "drender/draw/draw_services.h"
#include "drender/draw/xl_path_writers.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/xl_page_operators.h"

namespace {

struct Record {
  uint32_t flags;
  std::vector<POINTFIX> points;
};

// The path's records, copied out of the enumeration.
std::vector<Record> ReadPath(PATHOBJ* path) {
  std::vector<Record> records;
  const DdiServices* ddi = Ddi_Services();
  if (!path || !ddi->PATHOBJ_vEnumStart || !ddi->PATHOBJ_bEnum) return records;
  ddi->PATHOBJ_vEnumStart(path);
  for (;;) {
    PATHDATA data{};
    const BOOL more = ddi->PATHOBJ_bEnum(path, &data);
    if (data.count > 0 && data.pptfx) {
      Record r;
      r.flags = data.flags;
      r.points.assign(data.pptfx, data.pptfx + data.count);
      records.push_back(std::move(r));
    }
    if (!more) break;
  }
  return records;
}

uint32_t WriteFigures(DrawJob* job, const std::vector<Record>& records) {
  PathWalk walk{};
  std::vector<DrawPoint> points;
  for (const Record& r : records) {
    points.resize(r.points.size());
    for (size_t i = 0; i < r.points.size(); ++i) {
      points[i] = DrawPoint{Draw_FixToDevice(r.points[i].x), Draw_FixToDevice(r.points[i].y)};
    }
    if (!Gfx_WritePathRecord(job, &walk, r.flags, points.data(), static_cast<uint32_t>(points.size()))) return 0;
  }
  return 1;
}

// Compares the records with the cached copies and replaces the copies.
// True when every record matched.
bool SameAsCachedClipPath(XlStateCache* gs, const std::vector<Record>& records) {
  const uint32_t count = static_cast<uint32_t>(records.size());
  if (count != gs->clipPathCount || !gs->clipPathPoints) {
    Gfx_FreeClipPathCache(gs);
    if (count == 0) return false;
    gs->clipPathPoints = static_cast<void**>(std::calloc(count, sizeof(void*)));
    gs->clipPathSizes = static_cast<uint32_t*>(std::calloc(count, sizeof(uint32_t)));
    if (!gs->clipPathPoints || !gs->clipPathSizes) {
      Gfx_FreeClipPathCache(gs);
      return false;
    }
    gs->clipPathCount = count;
  }
  bool same = true;
  for (uint32_t i = 0; i < count; ++i) {
    const Record& r = records[i];
    const uint32_t size = static_cast<uint32_t>(4 + r.points.size() * sizeof(POINTFIX));
    auto* copy = static_cast<uint8_t*>(std::malloc(size));
    if (!copy) {
      same = false;
      continue;
    }
    std::memcpy(copy, &r.flags, 4);
    std::memcpy(copy + 4, r.points.data(), size - 4);
    const bool equal = gs->clipPathPoints[i] && gs->clipPathSizes[i] == size &&
                       std::memcmp(gs->clipPathPoints[i], copy, size) == 0;
    same = same && equal;
    std::free(gs->clipPathPoints[i]);
    gs->clipPathPoints[i] = copy;
    gs->clipPathSizes[i] = size;
  }
  return same;
}

}  // namespace

void Gfx_FreeClipPathCache(XlStateCache* gs) {
  if (gs->clipPathPoints) {
    for (uint32_t i = 0; i < gs->clipPathCount; ++i) std::free(gs->clipPathPoints[i]);
  }
  std::free(gs->clipPathPoints);
  std::free(gs->clipPathSizes);
  gs->clipPathPoints = nullptr;
  gs->clipPathSizes = nullptr;
  gs->clipPathCount = 0;
}

uint32_t Gfx_EnumPath(RenderPdev* pdev, DrawJob* job, PATHOBJ* path, bool asClip) {
  const std::vector<Record> records = ReadPath(path);
  if (!asClip) return WriteFigures(job, records);
  XlStateCache* gs = job->gs;
  if (SameAsCachedClipPath(gs, records)) return 1;
  XL_SetPageClip(pdev);
  XL_SetClipMode(job->enc, gs, 1);
  XlOp_NewPath(job->enc);
  WriteFigures(job, records);
  return XL_SetClipReplace(pdev);  // the interior
}

uint32_t Gfx_OutputClipAndPath(RenderPdev* pdev, DrawJob* job, CLIPOBJ* clip) {
  XlStateCache* gs = job->gs;
  if (pdev->state.engine.tabDrawMode) return 1;
  if (clip && clip->iDComplexity != DC_TRIVIAL) {
    const int32_t bounds[4] = {clip->rclBounds.left, clip->rclBounds.top, clip->rclBounds.right,
                               clip->rclBounds.bottom};
    if (clip->iUniq != 0 && clip->iUniq == gs->clipId && clip->iDComplexity == DC_RECT &&
        gs->clipComplexity == DC_RECT && std::memcmp(bounds, gs->clipBounds, sizeof bounds) == 0) {
      return 1;
    }
    // An id of 0 names no clip: nothing later may match it.
    gs->clipId = clip->iUniq;
    gs->clipComplexity = clip->iDComplexity;
    gs->clipOptions[0] = clip->iDComplexity;
    gs->clipOptions[1] = clip->iFComplexity;
    gs->clipOptions[2] = clip->iMode;
    gs->clipOptions[3] = clip->fjOptions;
    if (clip->iDComplexity == DC_RECT) {
      std::memcpy(gs->clipBounds, bounds, sizeof bounds);
      XL_SetPageClip(pdev);
      XL_SetClipMode(job->enc, gs, 1);
      const uint32_t ok = XL_SetClipRectangle16(pdev, Draw_Clamp16(bounds[0]), Draw_Clamp16(bounds[1]),
                                                Draw_Clamp16(bounds[2]), Draw_Clamp16(bounds[3]));
      Gfx_FreeClipPathCache(gs);
      return ok ? 1 : 0;
    }
    std::memset(gs->clipBounds, 0, sizeof gs->clipBounds);
    const DdiDrawServices* draw = Ddi_DrawServices();
    PATHOBJ* path = draw->CLIPOBJ_ppoGetPath ? draw->CLIPOBJ_ppoGetPath(clip) : nullptr;
    if (path) {
      Gfx_EnumPath(pdev, job, path, true);
      if (draw->EngDeletePath) draw->EngDeletePath(path);
      return 1;
    }
    // No path to be had: the clip cannot be written; drawing continues
    // with the page as its clip.
  }
  gs->clipId = 0;
  gs->clipComplexity = 0;
  std::memset(gs->clipOptions, 0, sizeof gs->clipOptions);
  XL_SetPageClip(pdev);
  XL_SetClipMode(job->enc, gs, 0);
  Gfx_FreeClipPathCache(gs);
  return 1;
}
