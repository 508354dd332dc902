#include "drender/draw/raster_images.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/contracts/jpeg_encode_params.h"
#include "common/win/bind_export.h"
#include "drender/ddi/ddi_services.h"
#include "drender/draw/brushes.h"
#include "drender/draw/clip_path.h"
#include "drender/draw/draw_pdev.h"
#include "drender/draw/draw_services.h"
#include "drender/draw/jpeg_passes.h"
#include "drender/draw/raster_rows.h"
#include "drender/draw/xl_path_writers.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"

namespace {

// The part of a surface an image is taken from, clipped to the surface.
struct SourceRect {
  int32_t x, y;
  uint32_t width, height;
};

bool ClipSource(const SURFOBJ* s, SIZEL size, POINTL point, SourceRect* out) {
  int64_t x = point.x, y = point.y, w = size.cx, h = size.cy;
  if (x < 0) {
    w += x;
    x = 0;
  }
  if (y < 0) {
    h += y;
    y = 0;
  }
  if (x + w > s->sizlBitmap.cx) w = s->sizlBitmap.cx - x;
  if (y + h > s->sizlBitmap.cy) h = s->sizlBitmap.cy - y;
  if (w <= 0 || h <= 0 || w > 0xFFFF || h > 0xFFFF) return false;
  *out = SourceRect{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<uint32_t>(w),
                    static_cast<uint32_t>(h)};
  return true;
}

const uint8_t* RowOf(const SURFOBJ* s, int64_t y) {
  return static_cast<const uint8_t*>(s->pvScan0) + y * s->lDelta;
}

uint32_t Xlate(void* context, uint32_t colour) {
  auto* xlate = static_cast<XLATEOBJ*>(context);
  const DdiServices* ddi = Ddi_Services();
  if (!xlate || (xlate->flXlate & XO_TRIVIAL) || !ddi->XLATEOBJ_iXlate) return colour;
  return ddi->XLATEOBJ_iXlate(xlate, colour);
}

// The colour table of a paletted source, when the translation has one.
const ULONG* TableOf(XLATEOBJ* xlate, uint32_t* count) {
  *count = 0;
  if (!xlate || !(xlate->flXlate & XO_TABLE) || !xlate->pulXlate || xlate->cEntries == 0) return nullptr;
  *count = xlate->cEntries;
  return xlate->pulXlate;
}

XlColorDepth DepthOf(uint32_t bits) {
  return bits == 1 ? XlColorDepth::Bits1 : bits == 4 ? XlColorDepth::Bits4 : XlColorDepth::Bits8;
}

XlUInt16XY DestinationSize(const RECTL& r) {
  return XlUInt16XY{Draw_ClampU16(int64_t{r.right} - r.left), Draw_ClampU16(int64_t{r.bottom} - r.top)};
}

// The gray level of a direct pixel after the translation.
uint8_t GrayOf(const uint8_t* p, uint32_t bits, XLATEOBJ* xlate) {
  const uint32_t value = bits == 16 ? uint32_t(p[0] | (p[1] << 8)) : uint32_t(p[0] | (p[1] << 8) | (p[2] << 16));
  return Draw_GrayLevel(Xlate(xlate, value));
}

struct LibraryFree {
  void operator()(HMODULE m) const { FreeLibrary(m); }
};

}  // namespace

bool Img_RopUsesSource(uint8_t rop3) { return ((rop3 >> 2) & 0x33) != (rop3 & 0x33); }

uint32_t Img_GetXlateMode(XLATEOBJ* xlate, uint32_t bits, bool flag32) {
  if (bits < 16) return 0;
  if (bits == 16) return kXlateEach;
  if (bits == 32 && flag32) return kXlateEach | kXlateDrop4th;
  const uint32_t drop = bits == 32 ? uint32_t{kXlateDrop4th} : 0u;
  if (!xlate || (xlate->flXlate & XO_TRIVIAL)) return drop;
  const uint32_t r = Xlate(xlate, 0xFF), g = Xlate(xlate, 0xFF00), b = Xlate(xlate, 0xFF0000);
  if (r == 0xFF && g == 0xFF00 && b == 0xFF0000) return drop;
  if (r == 0xFF0000 && g == 0xFF00 && b == 0xFF) return kXlateEach | kXlateSwap;
  return kXlateEach;
}

BOOL Img_JpegEncode(RenderPdev* pdev, DrawJob* job, SURFOBJ* source, POINTL point, SIZEL size, uint32_t bits,
                    const RECTL& target, uint32_t xlateMode) {
  RenderDrawState& d = pdev->state.draw;
  if (!d.jpegLibrary) {
    wchar_t path[MAX_PATH];
    if (Rdc_SiblingPath(L"VELDRANL.DLL", path)) d.jpegLibrary = LoadLibraryW(path);
  }
  // The library is loaded for this image only.
  std::unique_ptr<HINSTANCE__, LibraryFree> library(d.jpegLibrary);
  d.jpegLibrary = nullptr;
  if (!library) return FALSE;
  auto encode = BindExport<JpegEncodeStartProc>(library.get(), kJpegEncodeStartName);
  if (!encode) return FALSE;

  const uint32_t width = static_cast<uint32_t>(size.cx), height = static_cast<uint32_t>(size.cy);
  const uint64_t padded = Img_PaddedRowBytes(width, bits);
  const int64_t delta = source->lDelta;
  std::vector<uint8_t> copy;
  JpegEncodeParams params{};
  const bool whole = point.x == 0 && point.y == 0 && width == uint32_t(source->sizlBitmap.cx) &&
                     height == uint32_t(source->sizlBitmap.cy);
  if (whole && delta < 0 && uint64_t(-delta) == padded) {
    // Bottom-up rows as the encoder takes them: in place.
    params.source = RowOf(source, height - 1);
    params.source_size = static_cast<int32_t>(int64_t{height} * delta);
    params.row_stride = static_cast<int32_t>(delta);
  } else {
    if (padded * height > 0x7FFFFFFF) return FALSE;
    copy.resize(static_cast<size_t>(padded * height));
    const uint64_t rowBytes = (uint64_t{width} * bits + 7) / 8;
    for (uint32_t y = 0; y < height; ++y) {
      std::memcpy(copy.data() + padded * (height - 1 - y), RowOf(source, point.y + y) + uint64_t(point.x) * bits / 8,
                  static_cast<size_t>(rowBytes));
    }
    params.source = copy.data();
    params.source_size = static_cast<int32_t>(copy.size());
    params.row_stride = static_cast<int32_t>(padded);
  }
  params.width = width;
  params.height = height;
  params.bits_per_pixel = static_cast<uint16_t>(bits);
  params.quality = job->jpegQuality;
  params.subsampling = job->jpegSubMode;
  params.pixel_order = bits == 16 || (xlateMode & kXlateSwap) ? 1 : 0;

  if (job->saveBlankPaper && !(job->gs->contentFlags & kXlMarkImage)) {
    for (uint32_t y = 0; y < height; ++y) {
      if (Img_IsDirectRowContent(RowOf(source, point.y + y) + uint64_t(point.x) * bits / 8, bits, width)) {
        job->gs->contentFlags |= kXlMarkImage;
        break;
      }
    }
  }

  std::unique_ptr<uint8_t[]> output;
  if (!Img_JpegEncodeStream(encode, &params, &output)) return FALSE;

  XlRasterHeader header{XlColorMapping::Direct, XlColorDepth::Bits8, static_cast<uint16_t>(width),
                        static_cast<uint16_t>(height), DestinationSize(target)};
  if (!XlOp_BeginImage(job->enc, header)) return TRUE;
  XlOp_ReadImage(job->enc, 0, static_cast<uint16_t>(height), XlCompressMode::Jpeg,
                 XlBlock{output.get(), params.output_size, XL_EMBED_LONG});
  XlOp_EndImage(job->enc);
  return TRUE;
}

BOOL Img_WriteImage(RenderPdev* pdev, DrawJob* job, SURFOBJ* source, SIZEL size, POINTL sourcePoint,
                    const RECTL& target, XLATEOBJ* xlate, bool blt, bool flag32) {
  if (!source || !source->pvScan0) return FALSE;
  const uint32_t bits = Img_FormatBits(source->iBitmapFormat);
  if (bits == 0) return FALSE;
  SourceRect r;
  if (!ClipSource(source, size, sourcePoint, &r)) return TRUE;
  uint8_t mode = Img_ChooseMode(job, r.width, r.height, blt);
  const bool paletted = bits <= 8;
  const bool gray = job->grayMode != 0;
  const bool black = gray && job->printWithBlack;

  uint32_t entries = 0;
  const ULONG* table = paletted ? TableOf(xlate, &entries) : nullptr;
  std::vector<uint8_t> palette;
  uint32_t outBits = bits;  // bits per pixel of the rows sent
  XlColorMapping mapping = XlColorMapping::Direct;
  uint32_t xlateMode = 0;
  if (paletted) {
    if (table) {
      for (uint32_t i = 0; i < (1u << bits); ++i) {
        const uint32_t c = i < entries ? (table[i] & 0xFFFFFF) : 0xFFFFFF;
        if (gray) {
          palette.push_back(Draw_BlackRule(Draw_GrayLevel(c), black));
        } else {
          palette.push_back(static_cast<uint8_t>(c & 0xFF));
          palette.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
          palette.push_back(static_cast<uint8_t>((c >> 16) & 0xFF));
        }
      }
      mapping = XlColorMapping::Indexed;
      XL_SetColorSpace(job->enc, job->gs, gray ? 1 : 2, palette.data(), static_cast<uint16_t>(palette.size()));
    } else {
      // Without a colour table the pixel values are taken as gray levels.
      XL_SetColorSpace(job->enc, job->gs, 1, nullptr, 0);
    }
  } else if (gray) {
    outBits = 8;
    XL_SetColorSpace(job->enc, job->gs, 1, nullptr, 0);
  } else {
    outBits = 24;
    xlateMode = Img_GetXlateMode(xlate, bits, flag32);
    XL_SetColorSpace(job->enc, job->gs, 2, nullptr, 0);
    if (mode == kImgModeJpeg && source->lDelta < 0) {
      XL_SetCursor(job->enc, target.left, target.top);
      if (Img_JpegEncode(pdev, job, source, POINTL{r.x, r.y}, SIZEL{LONG(r.width), LONG(r.height)}, bits, target,
                         xlateMode)) {
        return TRUE;
      }
    }
  }
  if (mode == kImgModeJpeg) mode = job->deltaRowAllowed ? kImgModeDeltaRow : kImgModePackBits;

  const uint64_t rowBytes64 = paletted ? (uint64_t{r.width} * bits + 7) / 8 : uint64_t{r.width} * (outBits / 8);
  const uint64_t padded = (rowBytes64 + 3) / 4 * 4;
  if (padded > 0x7FFFFFF) return FALSE;
  const uint32_t rowBytes = static_cast<uint32_t>(rowBytes64);
  std::vector<uint8_t> work(static_cast<size_t>(padded) + 4, 0);

  XL_SetCursor(job->enc, target.left, target.top);
  XlRasterHeader header{mapping, DepthOf(outBits), static_cast<uint16_t>(r.width), static_cast<uint16_t>(r.height),
                        DestinationSize(target)};
  if (!XlOp_BeginImage(job->enc, header)) return TRUE;
  const uint32_t maxRows = static_cast<uint32_t>((65532 / padded) / 2);
  XlRowBlockWriter blocks(job->enc, XlRowBlockWriter::Target::Image, rowBytes, maxRows, mode);
  const bool test = job->saveBlankPaper != 0;
  const uint64_t firstBit = uint64_t(r.x) * bits;
  for (uint32_t y = 0; y < r.height; ++y) {
    const uint8_t* row = RowOf(source, int64_t{r.y} + y);
    std::memset(work.data(), 0, work.size());
    if (paletted) {
      const uint32_t shift = static_cast<uint32_t>(firstBit % 8);
      const uint8_t* from = row + firstBit / 8;
      if (shift) {
        Img_ShiftRow(from, work.data(), uint64_t{r.width} * bits, shift);
      } else {
        std::memcpy(work.data(), from, rowBytes);
      }
      const uint32_t tail = static_cast<uint32_t>((uint64_t{r.width} * bits) % 8);
      if (tail) work[rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - tail));
    } else if (gray) {
      const uint8_t* p = row + uint64_t(r.x) * (bits / 8);
      for (uint32_t x = 0; x < r.width; ++x) {
        const uint8_t level = GrayOf(p + uint64_t{x} * (bits / 8), bits, xlate);
        work[x] = black ? (level == 255 ? 255 : 0) : level;
      }
    } else {
      Img_ConvertRowTo24(row + uint64_t(r.x) * (bits / 8), work.data(), xlateMode, bits, r.width, &Xlate, xlate);
    }
    if (test && !(job->gs->contentFlags & kXlMarkImage)) {
      bool content;
      if (mapping == XlColorMapping::Indexed) {
        content = Img_IsIndexedRowContent(work.data(), bits, r.width, palette.data(), 1u << bits, gray);
      } else if (paletted) {
        // Gray levels without a table: 8-bit rows are tested, others count as content.
        content = bits != 8 || Img_IsDirectRowContent(work.data(), 8, r.width);
      } else {
        content = Img_IsDirectRowContent(work.data(), outBits, r.width);
      }
      if (content) job->gs->contentFlags |= kXlMarkImage;
    }
    if (!blocks.AddRow(work.data())) break;
  }
  blocks.Finish();
  XlOp_EndImage(job->enc);
  return TRUE;
}

BOOL Img_BitBlt(RenderPdev* pdev, SURFOBJ*, SURFOBJ* source, SURFOBJ*, CLIPOBJ* clip, XLATEOBJ* xlate,
                RECTL* targetRect, POINTL* sourcePoint, POINTL*, BRUSHOBJ* brush, POINTL*, ROP4 rop4) {
  DrawJob job = Draw_JobOf(pdev);
  if (!Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  const uint8_t rop3 = static_cast<uint8_t>(rop4 & 0xFF);
  const bool usesSource = Img_RopUsesSource(rop3);
  const RealizedBrush* realized = nullptr;
  const DdiServices* ddi = Ddi_Services();
  if (brush && brush->iSolidColor == 0xFFFFFFFF) {
    realized = static_cast<const RealizedBrush*>(
        brush->pvRbrush ? brush->pvRbrush : (ddi->BRUSHOBJ_pvGetRbrush ? ddi->BRUSHOBJ_pvGetRbrush(brush) : nullptr));
  }
  const bool allowBlack = !usesSource && targetRect && job.printWithBlack;
  if (brush) {
    Gfx_RealizePatternBrush(&job, realized, brush->iSolidColor, allowBlack);
  } else {
    Gfx_SetNullBrush(&job);
  }
  XL_SelectRop(job.enc, job.gs, rop3);
  XL_SetFillMode(job.enc, job.gs, 0);
  if (!usesSource) {
    if (targetRect) {
      Gfx_SetNullPen(&job);
      const DrawBox box{targetRect->left, targetRect->top, targetRect->right, targetRect->bottom};
      XL_Rectangle(&job, &box);
    }
    return TRUE;
  }
  if (!source || !targetRect) return TRUE;
  const POINTL origin = sourcePoint ? *sourcePoint : POINTL{0, 0};
  const SIZEL size{targetRect->right - targetRect->left, targetRect->bottom - targetRect->top};
  return Img_WriteImage(pdev, &job, source, size, origin, *targetRect, xlate, true, false);
}

BOOL Img_StretchBlt(RenderPdev* pdev, CLIPOBJ* clip, SURFOBJ* source, SIZEL size, POINTL* sourcePoint,
                    RECTL* targetRect, XLATEOBJ* xlate, BRUSHOBJ* brush, ROP4 rop4, bool noClip, bool gradient) {
  DrawJob job = Draw_JobOf(pdev);
  if (gradient) job.printWithBlack = Draw_GradientPrintWithBlack(pdev) ? 1 : 0;
  if (!noClip && !Gfx_OutputClipAndPath(pdev, &job, clip)) return FALSE;
  if (brush) {
    const RealizedBrush* realized = nullptr;
    if (brush->iSolidColor == 0xFFFFFFFF) {
      const DdiServices* services = Ddi_Services();
      realized = static_cast<const RealizedBrush*>(
          brush->pvRbrush ? brush->pvRbrush
                          : (services->BRUSHOBJ_pvGetRbrush ? services->BRUSHOBJ_pvGetRbrush(brush) : nullptr));
    }
    Gfx_RealizePatternBrush(&job, realized, brush->iSolidColor, false);
  } else {
    Gfx_SetNullBrush(&job);
  }
  XL_SelectRop(job.enc, job.gs, static_cast<uint8_t>(rop4 & 0xFF));
  Gfx_SetNullPen(&job);
  XL_SetFillMode(job.enc, job.gs, 0);
  if (!source || !targetRect) return TRUE;

  RECTL target = *targetRect;
  bool reordered = false;
  if (target.right < target.left) {
    std::swap(target.left, target.right);
    reordered = true;
  }
  SURFOBJ view = *source;
  POINTL point = sourcePoint ? *sourcePoint : POINTL{0, 0};
  SourceRect r;
  if (!ClipSource(source, size, point, &r)) return TRUE;
  if (target.bottom < target.top) {
    // Rows taken last to first: a view of the clipped rows in reverse.
    std::swap(target.top, target.bottom);
    view.pvScan0 = const_cast<uint8_t*>(RowOf(source, int64_t{r.y} + r.height - 1));
    view.lDelta = -source->lDelta;
    view.sizlBitmap.cy = static_cast<LONG>(r.height);
    point.y = 0;
    size.cy = static_cast<LONG>(r.height);
    reordered = true;
  }
  const int64_t targetArea = (int64_t{target.right} - target.left) * (int64_t{target.bottom} - target.top);
  const int64_t sourceArea = int64_t{r.width} * r.height;
  const DdiServices* ddi = Ddi_Services();
  const DdiDrawServices* draw = Ddi_DrawServices();
  if (targetArea > 0 && targetArea < sourceArea && !reordered && ddi->EngCreateBitmap && ddi->EngLockSurface &&
      draw->EngStretchBlt) {
    // Reduce first: the printer receives no more pixels than it prints.
    const SIZEL small{target.right - target.left, target.bottom - target.top};
    HBITMAP bitmap = ddi->EngCreateBitmap(small, 0, source->iBitmapFormat, 0, nullptr);
    SURFOBJ* reduced = bitmap ? ddi->EngLockSurface(reinterpret_cast<HSURF>(bitmap)) : nullptr;
    BOOL ok = FALSE;
    if (reduced) {
      RECTL whole{0, 0, small.cx, small.cy};
      RECTL from{r.x, r.y, LONG(r.x + r.width), LONG(r.y + r.height)};
      if (draw->EngStretchBlt(reduced, source, nullptr, nullptr, nullptr, nullptr, nullptr, &whole, &from, nullptr,
                              3 /* COLORONCOLOR */)) {
        ok = Img_WriteImage(pdev, &job, reduced, small, POINTL{0, 0}, target, xlate, false, false);
      }
      ddi->EngUnlockSurface(reduced);
    }
    if (bitmap) ddi->EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
    if (ok) return TRUE;
  }
  return Img_WriteImage(pdev, &job, &view, size, point, target, xlate, false, false);
}
