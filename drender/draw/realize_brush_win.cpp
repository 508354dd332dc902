// DrvRealizeBrush: the realised-brush record of a solid, hatch or pattern
// brush, in memory GDI allocates for the brush.
#include <cstring>
#include <vector>

#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/ddi_services.h"
#include "drender/draw/brushes.h"
#include "drender/draw/draw_pdev.h"
#include "drender/draw/raster_rows.h"
#include "drender/ddi/render_pdev.h"

namespace {

uint32_t Entry(XLATEOBJ* xlate, uint32_t index, uint32_t fallback) {
  if (xlate && (xlate->flXlate & XO_TABLE) && xlate->pulXlate && index < xlate->cEntries) {
    return xlate->pulXlate[index];
  }
  return fallback;
}

uint32_t TableCount(XLATEOBJ* xlate) {
  return xlate && (xlate->flXlate & XO_TABLE) && xlate->pulXlate ? xlate->cEntries : 0;
}

int16_t PatternId(const SURFOBJ* pattern) {
  const uint16_t low = pattern ? static_cast<uint16_t>(pattern->iUniq & 0xFFFF) : 0;
  return low == 0 ? int16_t{-2} : static_cast<int16_t>(low);
}

uint32_t RecordFormat(uint32_t surfaceFormat) {
  switch (surfaceFormat) {
    case BMF_1BPP: return kPatFormat1;
    case BMF_4BPP: return kPatFormat4;
    case BMF_8BPP: return kPatFormat8;
    default: return kPatFormatRgb;
  }
}

uint32_t Translate(XLATEOBJ* xlate, uint32_t colour) {
  const DdiServices* ddi = Ddi_Services();
  if (!xlate || (xlate->flXlate & XO_TRIVIAL) || !ddi->XLATEOBJ_iXlate) return colour;
  return ddi->XLATEOBJ_iXlate(xlate, colour);
}

}  // namespace

extern "C" BOOL APIENTRY DrvRealizeBrush(BRUSHOBJ* brush, SURFOBJ* target, SURFOBJ* pattern, SURFOBJ*,
                                         XLATEOBJ* xlate, ULONG hatch) {
  RenderPdev* pdev = Draw_PdevOf(target);
  const DdiServices* ddi = Ddi_Services();
  if (!pdev || !brush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!ddi->BRUSHOBJ_pvAllocRbrush) return FALSE;
  XlStateCache* gs = &pdev->state.gs;
  const uint32_t c = TableCount(xlate);
  BrushDescription desc{};
  desc.patternId = PatternId(pattern);

  if (hatch <= 5) {
    // A hatch without a colour table is black on white.
    desc.kind = kDescHatch;
    desc.hatchStyle = hatch;
    desc.foreground = Entry(xlate, 1, 0x000000);
    desc.background = Entry(xlate, 0, 0xFFFFFF);
    if (c < 2) {
      desc.foreground = 0x000000;
      desc.background = 0xFFFFFF;
    }
    auto* record = static_cast<RealizedBrush*>(ddi->BRUSHOBJ_pvAllocRbrush(brush, kRealizedBrushHead + 4 * c));
    if (!record) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    Gfx_MakeRealizedBrush(gs, &desc, record);
    if (c) {
      std::memcpy(reinterpret_cast<uint8_t*>(record) + kRealizedBrushHead, xlate->pulXlate, 4 * size_t{c});
    }
    brush->pvRbrush = record;
    return TRUE;
  }

  if (pattern && pattern->pvScan0) {
    const uint32_t width = static_cast<uint32_t>(pattern->sizlBitmap.cx);
    const uint32_t height = static_cast<uint32_t>(pattern->sizlBitmap.cy);
    const uint32_t srcBits = Img_FormatBits(pattern->iBitmapFormat);
    if (srcBits == 0 || width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF) return FALSE;
    const bool gray = Draw_GrayMode(pdev);
    // 16- and 32-bit patterns become 24-bit RGB; in gray mode direct
    // patterns become 8-bit gray levels (bi-level with print with black).
    const bool toGray = gray && srcBits > 8;
    const bool black = toGray && Draw_PrintWithBlack(pdev);
    const uint32_t format = toGray ? kPatFormat8 : RecordFormat(pattern->iBitmapFormat);
    // The record's formats 1 to 3 are the surface formats of 1, 4 and 8 bits.
    const uint32_t bits = format == kPatFormatRgb ? 24 : Img_FormatBits(format);
    const uint64_t padded = Img_PaddedRowBytes(width, bits);
    const uint64_t length = padded * height;
    const uint32_t tableCount = toGray || srcBits > 8 ? 0 : c;
    if (length > 0x4000000) return FALSE;
    const uint32_t size = static_cast<uint32_t>(kRealizedBrushHead + length + 4 * uint64_t{tableCount});
    auto* record = static_cast<RealizedBrush*>(ddi->BRUSHOBJ_pvAllocRbrush(brush, size));
    if (!record) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    std::memset(record, 0, size);
    desc.kind = kDescPattern;
    desc.foreground = c ? Entry(xlate, 0, 0) : 0;
    desc.background = c ? Entry(xlate, 1, 0) : 0;
    Gfx_MakeRealizedBrush(gs, &desc, record);
    record->width = width;
    record->height = height;
    record->format = format;
    record->flags = kPatTopDown;  // rows are stored top row first
    uint8_t* out = record->bits;
    const uint64_t srcRow = (uint64_t{width} * srcBits + 7) / 8;
    for (uint32_t y = 0; y < height; ++y) {
      const uint8_t* row = static_cast<const uint8_t*>(pattern->pvScan0) + int64_t{y} * pattern->lDelta;
      uint8_t* dst = out + padded * y;
      if (srcBits <= 8) {
        std::memcpy(dst, row, static_cast<size_t>(srcRow));
        continue;
      }
      const uint32_t step = srcBits / 8;
      for (uint32_t x = 0; x < width; ++x) {
        const uint8_t* p = row + uint64_t{x} * step;
        const uint32_t value = step == 2 ? uint32_t(p[0] | (p[1] << 8)) : uint32_t(p[0] | (p[1] << 8) | (p[2] << 16));
        const uint32_t colour = Translate(xlate, value);
        if (toGray) {
          const uint8_t level = Draw_GrayLevel(colour);
          dst[x] = black ? (level == 255 ? 255 : 0) : level;
        } else {
          dst[3 * x] = static_cast<uint8_t>(colour & 0xFF);
          dst[3 * x + 1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
          dst[3 * x + 2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
        }
      }
    }
    if (tableCount) {
      record->colorCount = tableCount;
      record->tableOffset = static_cast<uint32_t>(kRealizedBrushHead + length);
      std::memcpy(reinterpret_cast<uint8_t*>(record) + record->tableOffset, xlate->pulXlate, 4 * size_t{tableCount});
    }
    record->signature = Gfx_BrushSignature(record);
    brush->pvRbrush = record;
    return TRUE;
  }

  auto* record = static_cast<RealizedBrush*>(ddi->BRUSHOBJ_pvAllocRbrush(brush, kRealizedBrushHead));
  if (!record) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  desc.kind = kDescSolid;
  desc.patternId = 0;
  desc.foreground = xlate ? Entry(xlate, 0, 0) : 0;
  desc.background = xlate ? Entry(xlate, 1, 0xFFFFFF) : 0xFFFFFF;
  Gfx_MakeRealizedBrush(gs, &desc, record);
  brush->pvRbrush = record;
  return TRUE;
}
