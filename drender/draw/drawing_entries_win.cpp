// The DDI drawing entry points: each checks its PDEV and the job, decides
// whether anything is sent, prepares clip, brush, pen and raster operation
// and hands the work to the path, brush and image writers.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "common/records/doc_fields.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/ddi_services.h"
#include "drender/draw/brushes.h"
#include "drender/draw/clip_path.h"
#include "drender/draw/draw_pdev.h"
#include "drender/draw/draw_services.h"
#include "drender/draw/raster_images.h"
#include "drender/draw/raster_rows.h"
#include "drender/draw/xl_path_writers.h"
#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/xl_page_operators.h"

namespace {

constexpr uint32_t kHostProgramChars = 16;
constexpr uint32_t kOptionCDrawPaths = 1u << 18;
constexpr uint32_t kOptionCLineTo = 1u << 17;

const DdiDrawServices* Draw() { return Ddi_DrawServices(); }

uint8_t RopOfMix(MIX mix) {
  const uint32_t rop = Rdc_Rop2ToRop3(static_cast<int32_t>(mix & 0xFF));
  return rop == 0xFFFFFFFFu ? 0xCC : static_cast<uint8_t>((rop >> 16) & 0xFF);
}

// The realisation of a brush that has none yet.
const RealizedBrush* RealizationOf(BRUSHOBJ* brush) {
  if (!brush || brush->iSolidColor != 0xFFFFFFFF) return nullptr;
  if (brush->pvRbrush) return static_cast<const RealizedBrush*>(brush->pvRbrush);
  const DdiServices* ddi = Ddi_Services();
  return ddi->BRUSHOBJ_pvGetRbrush ? static_cast<const RealizedBrush*>(ddi->BRUSHOBJ_pvGetRbrush(brush)) : nullptr;
}

uint32_t BrushSource(DrawJob* job, BRUSHOBJ* brush, bool allowBlack) {
  if (!brush) return Gfx_SetNullBrush(job);
  return Gfx_RealizePatternBrush(job, RealizationOf(brush), brush->iSolidColor, allowBlack);
}

uint32_t ColourOf(BRUSHOBJ* brush) {
  if (!brush) return 0;
  if (brush->iSolidColor != 0xFFFFFFFF) return brush->iSolidColor;
  const RealizedBrush* r = RealizationOf(brush);
  return r ? r->foreground : 0;
}

float AsFloat(FLOAT_LONG v) { return v.e; }

PenDescription PenOf(RenderPdev* pdev, const LINEATTRS* line, XFORMOBJ* xform) {
  PenDescription pen{};
  const bool geometric = (line->fl & LA_GEOMETRIC) != 0;
  if (line->pstyle && line->cstyle > 0) {
    bool any = false;
    for (ULONG i = 0; i < line->cstyle && pen.dashCount < 20; ++i) {
      const int64_t v = geometric ? static_cast<int64_t>(AsFloat(line->pstyle[i])) : int64_t{line->pstyle[i].l} * 12;
      pen.dashes[pen.dashCount++] = Draw_ClampU16(v);
      any = any || v != 0;
    }
    if (!any) pen.dashCount = 0;
  }
  int64_t width;
  if (geometric) {
    double w = AsFloat(line->elWidth);
    XFORML m{};
    const DdiDrawServices* draw = Draw();
    if (xform && draw->XFORMOBJ_iGetXform && draw->XFORMOBJ_iGetXform(xform, &m) == GX_SCALE) w *= m.eM11;
    width = static_cast<int64_t>(w);
  } else {
    width = line->elWidth.l;
  }
  if (width < 0) width = pdev->state.resolutionX == 300 ? 4 : 8;
  pen.width = static_cast<uint32_t>(std::min<int64_t>(width, 0xFFFF));
  return pen;
}

uint32_t Pen(RenderPdev* pdev, DrawJob* job, const LINEATTRS* line, BRUSHOBJ* brush, XFORMOBJ* xform, bool allowBlack) {
  if (!line) {
    Gfx_SetNullPen(job);
    return 0;
  }
  const PenDescription pen = PenOf(pdev, line, xform);
  return Gfx_SetupPen(job, ColourOf(brush), &pen, allowBlack);
}

uint8_t FillModeOf(FLONG options) { return (options & FP_ALTERNATEMODE) ? 0 : 1; }

bool HasOptionC(RenderPdev* pdev, uint32_t bit) { return (pdev->state.job.optionC & bit) != 0; }

// A blit that only paints white at the start of a page of a presentation
// program that draws a white background first.
bool DropsWhiteBackground(RenderPdev* pdev, BRUSHOBJ* brush, ROP4 rop4) {
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  uint32_t remove = 0;
  std::memcpy(&remove, DocBytes(doc) + DOC_FIELD_AT(bPPTRmvWhiteBkg), 4);
  if (!remove || !brush || brush->iSolidColor == 0xFFFFFFFF) return false;
  wchar_t name[kHostProgramChars + 1] = {};
  std::memcpy(name, DocBytes(doc) + DOC_FIELD_AT(szHostProgram), kHostProgramChars * sizeof(wchar_t));
  if (_wcsnicmp(name, L"POWERPNT.EXE", 15) != 0 || std::wcslen(name) != 12) return false;
  uint32_t version = 0;
  std::memcpy(&version, DocBytes(doc) + DOC_FIELD_AT(dwHostProgramVersion), 4);
  if (version >= 12) return false;
  const DdiServices* ddi = Ddi_Services();
  const ULONG colour = ddi->BRUSHOBJ_ulGetBrushColor ? ddi->BRUSHOBJ_ulGetBrushColor(brush) : brush->iSolidColor;
  const uint8_t rop3 = static_cast<uint8_t>(rop4 & 0xFF);
  return (rop3 == 0x0F && colour == 0) || (rop3 == 0xF0 && (colour & 0xFFFFFF) == 0xFFFFFF) || rop3 == 0xFF;
}

// Puts the rectangle in order; tells which way it was turned.
uint32_t Normalize(RECTL* r) {
  uint32_t flags = 0;
  if (r->right < r->left) {
    std::swap(r->left, r->right);
    flags |= kFlipMirror;
  }
  if (r->bottom < r->top) {
    std::swap(r->top, r->bottom);
    flags |= kFlipVertical;
  }
  return flags;
}

// A flipped or mirrored copy of a source as an engine bitmap; the source
// rectangle moves with the flip.  Null when it cannot be made.
struct FlippedSource {
  HBITMAP bitmap = nullptr;
  SURFOBJ* surface = nullptr;
  uint8_t* bits = nullptr;
  ~FlippedSource() {
    const DdiServices* ddi = Ddi_Services();
    if (surface && ddi->EngUnlockSurface) ddi->EngUnlockSurface(surface);
    if (bitmap && ddi->EngDeleteSurface) ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
    std::free(bits);
  }
};

bool MakeFlipped(SURFOBJ* source, uint32_t flags, FlippedSource* out, RECTL* sourceRect) {
  const DdiServices* ddi = Ddi_Services();
  if (!source || !source->pvScan0 || !ddi->EngCreateBitmap || !ddi->EngLockSurface) return false;
  const int64_t height = source->sizlBitmap.cy;
  const uint8_t* base = static_cast<const uint8_t*>(source->pvScan0);
  if (source->lDelta < 0) base += (height - 1) * source->lDelta;
  out->bits = Img_FlipBits(base, static_cast<uint32_t>(source->sizlBitmap.cx), static_cast<uint32_t>(height),
                           source->iBitmapFormat, source->lDelta, flags, nullptr);
  if (!out->bits) return false;
  const LONG stride = source->lDelta < 0 ? -source->lDelta : source->lDelta;
  out->bitmap = ddi->EngCreateBitmap(source->sizlBitmap, stride, source->iBitmapFormat,
                                     (source->lDelta > 0 ? BMF_TOPDOWN : 0) | BMF_NOZEROINIT, out->bits);
  out->surface = out->bitmap ? ddi->EngLockSurface(reinterpret_cast<HSURF>(out->bitmap)) : nullptr;
  if (!out->surface) return false;
  if (flags & kFlipMirror) {
    const LONG left = source->sizlBitmap.cx - sourceRect->right, right = source->sizlBitmap.cx - sourceRect->left;
    sourceRect->left = left;
    sourceRect->right = right;
  }
  if (flags & kFlipVertical) {
    const LONG top = source->sizlBitmap.cy - sourceRect->bottom, bottom = source->sizlBitmap.cy - sourceRect->top;
    sourceRect->top = top;
    sourceRect->bottom = bottom;
  }
  return true;
}

BOOL StretchCommon(RenderPdev* pdev, SURFOBJ* source, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* targetRect,
                   RECTL* sourceRect, BRUSHOBJ* brush, ROP4 rop4) {
  if (!targetRect) return TRUE;
  RECTL target = *targetRect;
  const uint32_t flags = Normalize(&target);
  RECTL from = sourceRect ? *sourceRect : RECTL{0, 0, source ? source->sizlBitmap.cx : 0, source ? source->sizlBitmap.cy : 0};
  FlippedSource flipped;
  SURFOBJ* use = source;
  if (flags && MakeFlipped(source, flags, &flipped, &from)) use = flipped.surface;
  POINTL point{from.left, from.top};
  const SIZEL size{from.right - from.left, from.bottom - from.top};
  return Img_StretchBlt(pdev, clip, use, size, &point, &target, xlate, brush, rop4, false, false);
}

}  // namespace

uint32_t Draw_BrushSource(DrawJob* job, BRUSHOBJ* brush, bool allowBlack) { return BrushSource(job, brush, allowBlack); }

extern "C" {

BOOL APIENTRY DrvBitBlt(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                        RECTL* targetRect, POINTL* sourcePoint, POINTL* maskPoint, BRUSHOBJ* brush,
                        POINTL* brushOrigin, ROP4 rop) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) {
    return Draw()->EngBitBlt ? Draw()->EngBitBlt(target, source, mask, clip, xlate, targetRect, sourcePoint, maskPoint,
                                                 brush, brushOrigin, rop)
                             : FALSE;
  }
  bool first = false;
  const bool draw = Draw_Begin(pdev, &first);
  if (first && DropsWhiteBackground(pdev, brush, rop)) return TRUE;
  if (!draw) return TRUE;
  if (!(pdev->state.job.optionC & (1u << 16))) return FALSE;
  return Img_BitBlt(pdev, target, source, mask, clip, xlate, targetRect, sourcePoint, maskPoint, brush, brushOrigin,
                    rop);
}

BOOL APIENTRY DrvStretchBlt(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                            COLORADJUSTMENT* adjust, POINTL* halftoneOrigin, RECTL* targetRect, RECTL* sourceRect,
                            POINTL* maskPoint, ULONG mode) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) {
    return Draw()->EngStretchBlt ? Draw()->EngStretchBlt(target, source, mask, clip, xlate, adjust, halftoneOrigin,
                                                         targetRect, sourceRect, maskPoint, mode)
                                 : FALSE;
  }
  if (!Draw_Begin(pdev)) return TRUE;
  return StretchCommon(pdev, source, clip, xlate, targetRect, sourceRect, nullptr, 0xCCCC);
}

BOOL APIENTRY DrvStretchBltROP(SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                               COLORADJUSTMENT* adjust, POINTL* halftoneOrigin, RECTL* targetRect, RECTL* sourceRect,
                               POINTL* maskPoint, ULONG mode, BRUSHOBJ* brush, DWORD rop) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) {
    return Draw()->EngStretchBltROP ? Draw()->EngStretchBltROP(target, source, mask, clip, xlate, adjust,
                                                               halftoneOrigin, targetRect, sourceRect, maskPoint,
                                                               mode, brush, rop)
                                    : FALSE;
  }
  if (!Draw_Begin(pdev)) return TRUE;
  const DdiServices* ddi = Ddi_Services();
  if (mask && targetRect && ddi->EngCreateBitmap && ddi->EngLockSurface && ddi->EngAssociateSurface &&
      Draw()->EngStretchBltROP) {
    RECTL dest = *targetRect;
    Normalize(&dest);
    const SIZEL size{dest.right - dest.left, dest.bottom - dest.top};
    HBITMAP bitmap = size.cx > 0 && size.cy > 0 ? ddi->EngCreateBitmap(size, 0, BMF_24BPP, BMF_TOPDOWN, nullptr)
                                                : nullptr;
    SURFOBJ* work = nullptr;
    if (bitmap && ddi->EngAssociateSurface(reinterpret_cast<HSURF>(bitmap), pdev->state.hdev, 0)) {
      work = ddi->EngLockSurface(reinterpret_cast<HSURF>(bitmap));
    }
    if (work) {
      RECTL shifted{targetRect->left - dest.left, targetRect->top - dest.top, targetRect->right - dest.left,
                    targetRect->bottom - dest.top};
      CLIPOBJ moved{};
      CLIPOBJ* useClip = nullptr;
      if (clip) {
        moved = *clip;
        moved.rclBounds = RECTL{clip->rclBounds.left - dest.left, clip->rclBounds.top - dest.top,
                                clip->rclBounds.right - dest.left, clip->rclBounds.bottom - dest.top};
        useClip = clip->iDComplexity == DC_TRIVIAL ? nullptr : &moved;
      }
      POINTL origin{};
      POINTL* useOrigin = halftoneOrigin;
      if (halftoneOrigin && halftoneOrigin->x >= 0 && halftoneOrigin->y >= 0) {
        origin = POINTL{halftoneOrigin->x - pdev->state.bandOrigin.x, halftoneOrigin->y - pdev->state.bandOrigin.y};
        useOrigin = &origin;
      }
      BOOL ok = Draw()->EngStretchBltROP(work, source, mask, useClip, xlate, adjust, useOrigin, &shifted, sourceRect,
                                         maskPoint, 4 /* HALFTONE */, brush, rop);
      if (ok) {
        POINTL zero{0, 0};
        ok = Img_StretchBlt(pdev, clip, work, size, &zero, &dest, nullptr, nullptr, 0xCCCC, false, false);
      }
      ddi->EngUnlockSurface(work);
      ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
      return ok;
    }
    if (bitmap) ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
  }
  return StretchCommon(pdev, source, clip, xlate, targetRect, sourceRect, brush, rop);
}

BOOL APIENTRY DrvCopyBits(SURFOBJ* target, SURFOBJ* source, CLIPOBJ* clip, XLATEOBJ* xlate, RECTL* targetRect,
                          POINTL* sourcePoint) {
  if (source && source->iType != STYPE_BITMAP) {
    // The device surface holds no pixels: what is read back from it is white.
    ULONG white = 0xFFFFFF;
    const DdiServices* ddi = Ddi_Services();
    if (xlate && ddi->XLATEOBJ_iXlate && !(xlate->flXlate & XO_TRIVIAL)) white = ddi->XLATEOBJ_iXlate(xlate, white);
    return Draw()->EngEraseSurface ? Draw()->EngEraseSurface(target, targetRect, white) : FALSE;
  }
  if (!target || target->iType != STYPE_DEVICE) return FALSE;
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) {
    return Draw()->EngCopyBits ? Draw()->EngCopyBits(target, source, clip, xlate, targetRect, sourcePoint) : FALSE;
  }
  if (!Draw_Begin(pdev)) return TRUE;
  if (!targetRect || !sourcePoint || !source) return TRUE;
  const int64_t width = int64_t{targetRect->right} - targetRect->left;
  const int64_t height = int64_t{targetRect->bottom} - targetRect->top;
  SIZEL size{static_cast<LONG>(width), static_cast<LONG>(height)};
  if (width * height == int64_t{source->sizlBitmap.cx} * source->sizlBitmap.cy) size = source->sizlBitmap;
  POINTL point = *sourcePoint;
  return Img_StretchBlt(pdev, clip, source, size, &point, targetRect, xlate, nullptr, 0xCCCC, false, false);
}

BOOL APIENTRY DrvGradientFill(SURFOBJ* target, CLIPOBJ* clip, XLATEOBJ* xlate, TRIVERTEX* vertices,
                              ULONG vertexCount, PVOID mesh, ULONG meshCount, RECTL* bounds, POINTL* ditherOrigin,
                              ULONG mode) {
  RenderPdev* pdev = Draw_PdevOf(target);
  const DdiDrawServices* draw = Draw();
  if (!pdev) {
    return draw->EngGradientFill ? draw->EngGradientFill(target, clip, xlate, vertices, vertexCount, mesh, meshCount,
                                                         bounds, ditherOrigin, mode)
                                 : FALSE;
  }
  if (!Draw_Begin(pdev)) return TRUE;
  if (!draw->EngGradientFill) return FALSE;
  if (!ditherOrigin || !bounds) {
    return draw->EngGradientFill(target, clip, xlate, vertices, vertexCount, mesh, meshCount, bounds, ditherOrigin,
                                 mode);
  }
  const DdiServices* ddi = Ddi_Services();
  const SIZEL size{bounds->right - bounds->left, bounds->bottom - bounds->top};
  if (size.cx <= 0 || size.cy <= 0 || !ddi->EngCreateBitmap || !ddi->EngLockSurface) return FALSE;
  HBITMAP bitmap = ddi->EngCreateBitmap(size, size.cx * 4, BMF_32BPP, BMF_TOPDOWN, nullptr);
  SURFOBJ* work = nullptr;
  if (bitmap && (!ddi->EngAssociateSurface || ddi->EngAssociateSurface(reinterpret_cast<HSURF>(bitmap),
                                                                       pdev->state.hdev, 0))) {
    work = ddi->EngLockSurface(reinterpret_cast<HSURF>(bitmap));
  }
  if (!work) {
    if (bitmap) ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
    return FALSE;
  }
  // White first: the gradient may leave parts of its bounds unpainted.
  for (LONG y = 0; y < size.cy; ++y) {
    std::memset(static_cast<uint8_t*>(work->pvScan0) + int64_t{y} * work->lDelta, 0xFF, size_t(size.cx) * 4);
  }
  POINTL dither = *ditherOrigin;
  if (dither.x >= 0 && dither.y >= 0) {
    dither.x -= pdev->state.bandOrigin.x;
    dither.y -= pdev->state.bandOrigin.y;
  }
  const LONG dx = bounds->left, dy = bounds->top;
  RECTL local{0, 0, size.cx, size.cy};
  CLIPOBJ moved{};
  CLIPOBJ* useClip = nullptr;
  if (clip) {
    moved = *clip;
    moved.rclBounds = RECTL{clip->rclBounds.left - dx, clip->rclBounds.top - dy, clip->rclBounds.right - dx,
                            clip->rclBounds.bottom - dy};
    useClip = clip->iDComplexity == DC_TRIVIAL ? nullptr : &moved;
  }
  for (ULONG i = 0; vertices && i < vertexCount; ++i) {
    vertices[i].x -= dx;
    vertices[i].y -= dy;
  }
  BOOL ok = draw->EngGradientFill(work, useClip, xlate, vertices, vertexCount, mesh, meshCount, &local, &dither, mode);
  for (ULONG i = 0; vertices && i < vertexCount; ++i) {
    vertices[i].x += dx;
    vertices[i].y += dy;
  }
  if (ok) {
    SIZEL source = work->sizlBitmap;
    DrawJob job = Draw_JobOf(pdev);
    POINTL zero{0, 0};
    RECTL target = *bounds;
    if (vertices && vertexCount > 0 && mesh && meshCount > 0) {
      XL_SetPageClip(pdev);
      XL_SetClipMode(job.enc, job.gs, 1);
      XlOp_NewPath(job.enc);
      auto at = [&](ULONG index) {
        return index < vertexCount ? DrawPoint{vertices[index].x, vertices[index].y} : DrawPoint{0, 0};
      };
      if (mode == GRADIENT_FILL_TRIANGLE) {
        const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
        for (ULONG t = 0; t < meshCount; ++t) {
          const DrawPoint a = at(triangles[t].Vertex1);
          DrawPoint rest[2] = {at(triangles[t].Vertex2), at(triangles[t].Vertex3)};
          XL_SetCursor(job.enc, a.x, a.y);
          XL_LinePath(&job, rest, 2);
          XL_CloseSubPath(&job);
        }
      } else {
        const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
        for (ULONG t = 0; t < meshCount; ++t) {
          const DrawPoint a = at(rects[t].UpperLeft), b = at(rects[t].LowerRight);
          const DrawBox box{a.x, a.y, b.x, b.y};
          XL_RectanglePath(&job, &box);
        }
      }
      XL_SetClipReplace(pdev);
      ok = Img_StretchBlt(pdev, nullptr, work, source, &zero, &target, nullptr, nullptr, 0xCCCC, true, true);
      // The printer's clip is the gradient's now: the next clip is written again.
      XL_CacheClearClip(job.gs);
    } else {
      ok = Img_StretchBlt(pdev, clip, work, source, &zero, &target, nullptr, nullptr, 0xCCCC, false, true);
    }
  }
  ddi->EngUnlockSurface(work);
  ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
  return ok;
}

BOOL APIENTRY DrvPaint(SURFOBJ* target, CLIPOBJ* clip, BRUSHOBJ* brush, POINTL*, MIX mix) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) return FALSE;
  if (!Draw_Begin(pdev)) return TRUE;
  DrawJob job = Draw_JobOf(pdev);
  if (!Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  BrushSource(&job, brush, job.printWithBlack != 0);
  XL_SelectRop(job.enc, job.gs, RopOfMix(mix));
  Gfx_SetNullPen(&job);
  XL_SetFillMode(job.enc, job.gs, 0);
  if (!clip) return TRUE;
  if (clip->iDComplexity != DC_COMPLEX) {
    const DrawBox box{clip->rclBounds.left, clip->rclBounds.top, clip->rclBounds.right, clip->rclBounds.bottom};
    XL_Rectangle(&job, &box);
    return TRUE;
  }
  const DdiServices* ddi = Ddi_Services();
  if (!ddi->CLIPOBJ_cEnumStart || !ddi->CLIPOBJ_bEnum) return TRUE;
  ddi->CLIPOBJ_cEnumStart(clip, FALSE, CT_RECTANGLES, CD_ANY, 0);
  struct {
    ULONG c;
    RECTL r;
  } one{};
  for (;;) {
    one.c = 0;
    const BOOL more = ddi->CLIPOBJ_bEnum(clip, sizeof one, reinterpret_cast<ULONG*>(&one));
    if (one.c == 1) {
      const DrawBox box{one.r.left, one.r.top, one.r.right, one.r.bottom};
      XL_Rectangle(&job, &box);
    }
    if (!more) break;
  }
  return TRUE;
}

BOOL APIENTRY DrvFillPath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, BRUSHOBJ* brush, POINTL*, MIX mix,
                          FLONG options) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) return FALSE;
  if (!Draw_Begin(pdev)) return TRUE;
  DrawJob job = Draw_JobOf(pdev);
  if (!HasOptionC(pdev, kOptionCDrawPaths) || !Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  BrushSource(&job, brush, job.printWithBlack != 0);
  XL_SelectRop(job.enc, job.gs, RopOfMix(mix));
  Gfx_SetNullPen(&job);
  XL_SetFillMode(job.enc, job.gs, FillModeOf(options));
  XlOp_NewPath(job.enc);
  Gfx_EnumPath(pdev, &job, path, false);
  XL_PaintPath(&job);
  return TRUE;
}

BOOL APIENTRY DrvStrokePath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform, BRUSHOBJ* brush, POINTL*,
                            LINEATTRS* line, MIX mix) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) return FALSE;
  if (!Draw_Begin(pdev)) return TRUE;
  DrawJob job = Draw_JobOf(pdev);
  if (!HasOptionC(pdev, kOptionCDrawPaths) || !Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  Gfx_SetNullBrush(&job);
  XL_SelectRop(job.enc, job.gs, RopOfMix(mix));
  Pen(pdev, &job, line, brush, xform, job.printWithBlack != 0);
  XL_SetFillMode(job.enc, job.gs, 0);
  XlOp_NewPath(job.enc);
  Gfx_EnumPath(pdev, &job, path, false);
  XL_PaintPath(&job);
  return TRUE;
}

BOOL APIENTRY DrvStrokeAndFillPath(SURFOBJ* target, PATHOBJ* path, CLIPOBJ* clip, XFORMOBJ* xform,
                                   BRUSHOBJ* strokeBrush, LINEATTRS* line, BRUSHOBJ* fillBrush, POINTL* brushOrigin,
                                   MIX fillMix, FLONG options) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) {
    return Draw()->EngStrokeAndFillPath ? Draw()->EngStrokeAndFillPath(target, path, clip, xform, strokeBrush, line,
                                                                       fillBrush, brushOrigin, fillMix, options)
                                        : FALSE;
  }
  if (!Draw_Begin(pdev)) return TRUE;
  if (!HasOptionC(pdev, kOptionCDrawPaths)) {
    return Draw()->EngStrokeAndFillPath ? Draw()->EngStrokeAndFillPath(target, path, clip, xform, strokeBrush, line,
                                                                       fillBrush, brushOrigin, fillMix, options)
                                        : FALSE;
  }
  DrawJob job = Draw_JobOf(pdev);
  if (!Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  BrushSource(&job, fillBrush, job.printWithBlack != 0);
  XL_SelectRop(job.enc, job.gs, RopOfMix(fillMix));
  Pen(pdev, &job, line, strokeBrush, xform, job.printWithBlack != 0);
  XL_SetFillMode(job.enc, job.gs, FillModeOf(options));
  XlOp_NewPath(job.enc);
  Gfx_EnumPath(pdev, &job, path, false);
  XL_PaintPath(&job);
  return TRUE;
}

BOOL APIENTRY DrvLineTo(SURFOBJ* target, CLIPOBJ* clip, BRUSHOBJ* brush, LONG x1, LONG y1, LONG x2, LONG y2, RECTL*,
                        MIX mix) {
  RenderPdev* pdev = Draw_PdevOf(target);
  if (!pdev) return FALSE;
  if (!Draw_Begin(pdev)) return TRUE;
  if (!HasOptionC(pdev, kOptionCLineTo)) return FALSE;
  DrawJob job = Draw_JobOf(pdev);
  if (!Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  Gfx_SetNullBrush(&job);
  XL_SelectRop(job.enc, job.gs, RopOfMix(mix));
  LINEATTRS line{};
  line.fl = LA_ALTERNATE;
  line.iJoin = JOIN_BEVEL;
  line.iEndCap = ENDCAP_BUTT;
  line.elWidth.l = 1;
  Pen(pdev, &job, &line, brush, nullptr, job.printWithBlack != 0);
  XL_SetFillMode(job.enc, job.gs, 0);
  XlOp_NewPath(job.enc);
  XL_SetCursor(job.enc, x1, y1);
  const DrawPoint end{x2, y2};
  XL_LinePath(&job, &end, 1);
  XL_PaintPath(&job);
  return TRUE;
}

}  // extern "C"
