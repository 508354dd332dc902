#include "drender/draw/brushes.h"

#include <cstring>
#include <vector>

#include "drender/draw/raster_rows.h"
#include "drender/pclxl/pclxl_ops.h"

namespace {

constexpr uint8_t kHatchRows[6][8] = {
    {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // 1 horizontal
    {0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F},  // 2 vertical
    {0x7E, 0xFC, 0xF9, 0xF3, 0xE7, 0xCF, 0x9F, 0x3F},  // 3 backward diagonal
    {0x3F, 0x9F, 0xCF, 0xE7, 0xF3, 0xF9, 0xFC, 0x7E},  // 4 forward diagonal
    {0x00, 0x00, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F},  // 5 cross
    {0x7E, 0x3C, 0x99, 0xC3, 0xC3, 0x99, 0x3C, 0x7E},  // 6 diagonal cross
};

uint32_t Fnv(uint32_t h, const void* data, size_t length) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < length; ++i) h = (h ^ p[i]) * 16777619u;
  return h;
}

bool IsSolidKind(int16_t kind) { return kind == kBrushSolid || kind == kBrushSolidLight; }

// One palette entry (a gray level, or three bytes) of a colour.
void PutColour(const DrawJob* job, std::vector<uint8_t>* palette, uint32_t colour, bool allowBlack) {
  if (job->grayMode) {
    palette->push_back(Draw_BlackRule(Draw_GrayLevel(colour), allowBlack && job->printWithBlack));
  } else {
    palette->push_back(static_cast<uint8_t>(colour & 0xFF));
    palette->push_back(static_cast<uint8_t>((colour >> 8) & 0xFF));
    palette->push_back(static_cast<uint8_t>((colour >> 16) & 0xFF));
  }
}

uint8_t Space(const DrawJob* job) { return job->grayMode ? 1 : 2; }

uint32_t SolidBrush(DrawJob* job, uint32_t colour, bool allowBlack) {
  if (job->watermarkHalftone) return Gfx_SetWatermarkHalftoneBrush(job);
  std::vector<uint8_t> bytes;
  PutColour(job, &bytes, colour, allowBlack);
  if (!XL_SetColorSpace(job->enc, job->gs, Space(job), nullptr, 0)) return 0;
  return XL_SetBrushSource(job->enc, job->gs, bytes.data(), false);
}

// True when the record's pattern must be defined: the page has not defined
// it, another pattern was defined under the id since, or it has no id.
bool NeedsDefinition(const DrawJob* job, const RealizedBrush* r) {
  const XlStateCache* gs = job->gs;
  return gs->patternNeedsDefinition != 0 || gs->patternId != static_cast<uint16_t>(r->patternId) ||
         r->patternId == -2 || job->definedSignature == nullptr || *job->definedSignature != r->signature;
}

void Defined(DrawJob* job, const RealizedBrush* r) {
  job->gs->patternId = static_cast<uint16_t>(r->patternId);
  job->gs->patternNeedsDefinition = 0;
  if (job->definedSignature) *job->definedSignature = r->signature;
}

uint32_t SelectDefined(DrawJob* job, int16_t id) {
  if (!XlOp_SetBrushPattern(job->enc, id)) return 0;
  XL_CacheStore(&job->gs->brush, kXlSourcePatternDefined, &id, sizeof id);
  return 1;
}

uint32_t HatchBrush(DrawJob* job, const RealizedBrush* r, bool allowBlack) {
  std::vector<uint8_t> palette;
  PutColour(job, &palette, r->foreground, allowBlack);
  PutColour(job, &palette, r->background, allowBlack);
  if (!XL_SetColorSpace(job->enc, job->gs, Space(job), palette.data(), static_cast<uint16_t>(palette.size()))) {
    return 0;
  }
  if (!NeedsDefinition(job, r)) return XL_SelectPattern(job->enc, job->gs, r->patternId);
  const uint8_t* rows = Gfx_HatchRows(r->hatchId);
  if (!XL_DefineRastPattern1(job, r->patternId, rows) || !SelectDefined(job, r->patternId)) return 0;
  Defined(job, r);
  job->gs->brushWhite = job->gs->paletteWhite;
  return 1;
}

uint32_t BitsOf(uint32_t format) {
  switch (format) {
    case kPatFormat1: return 1;
    case kPatFormat4: return 4;
    case kPatFormat8: return 8;
    case kPatFormatRgb: return 24;
    default: return 0;
  }
}

uint32_t PatternBrush(DrawJob* job, const RealizedBrush* r, bool allowBlack) {
  const uint32_t bits = BitsOf(r->format);
  if (bits == 0 || r->width == 0 || r->height == 0 || r->width > 0xFFFF || r->height > 0xFFFF) {
    return Gfx_SetNullBrush(job);
  }
  const bool paletted = bits <= 8;
  const uint32_t* table = r->tableOffset != 0 ? reinterpret_cast<const uint32_t*>(
                                                    reinterpret_cast<const uint8_t*>(r) + r->tableOffset)
                                              : nullptr;
  std::vector<uint8_t> palette;
  if (paletted && table) {
    const uint32_t entries = 1u << bits;
    for (uint32_t i = 0; i < entries; ++i) {
      PutColour(job, &palette, i < r->colorCount ? table[i] & 0xFFFFFF : 0xFFFFFF, allowBlack);
    }
  }
  const uint8_t space = paletted ? Space(job) : 2;
  const uint32_t ok = palette.empty()
                          ? XL_SetColorSpace(job->enc, job->gs, space, nullptr, 0)
                          : XL_SetColorSpace(job->enc, job->gs, space, palette.data(),
                                             static_cast<uint16_t>(palette.size()));
  if (!ok) return 0;
  if (!NeedsDefinition(job, r)) return XL_SelectPattern(job->enc, job->gs, r->patternId);

  const uint32_t rowBytes = static_cast<uint32_t>((uint64_t{r->width} * bits + 7) / 8);
  const uint32_t padded = static_cast<uint32_t>(Img_PaddedRowBytes(r->width, bits));
  const uint32_t scale = job->largePatterns ? 4 : 1;
  XlRasterHeader header{};
  header.mapping = palette.empty() ? XlColorMapping::Direct : XlColorMapping::Indexed;
  header.depth = bits == 1 ? XlColorDepth::Bits1 : bits == 4 ? XlColorDepth::Bits4 : XlColorDepth::Bits8;
  header.sourceWidth = static_cast<uint16_t>(r->width);
  header.sourceHeight = static_cast<uint16_t>(r->height);
  header.destinationSize = XlUInt16XY{Draw_ClampU16(uint64_t{r->width} * scale),
                                      Draw_ClampU16(uint64_t{r->height} * scale)};
  if (!XlOp_BeginRastPattern(job->enc, header, r->patternId, 1)) return 0;
  XL_CacheStore(&job->gs->brush, kXlSourcePatternDefined, &r->patternId, sizeof r->patternId);

  const uint8_t mode = Img_RowMode(job, kImgModeDeltaRow);
  XlRowBlockWriter rows(job->enc, XlRowBlockWriter::Target::Pattern, rowBytes, 65532 / padded, mode);
  const bool topDown = (r->flags & kPatTopDown) != 0;
  bool content = false;
  for (uint32_t y = 0; y < r->height; ++y) {
    const uint32_t from = topDown ? y : r->height - 1 - y;
    const uint8_t* row = r->bits + uint64_t{padded} * from;
    if (job->saveBlankPaper && !content) {
      content = paletted ? Img_IsIndexedRowContent(row, bits, r->width, palette.empty() ? nullptr : palette.data(),
                                                    palette.empty() ? 0 : (1u << bits), job->grayMode != 0)
                         : Img_IsDirectRowContent(row, 24, r->width);
    }
    if (!rows.AddRow(row)) return 0;
  }
  if (!rows.Finish()) return 0;
  if (job->saveBlankPaper) Gfx_UpdateWhitePatternList(job->gs, static_cast<uint16_t>(r->patternId), !content);
  if (!XlOp_EndRastPattern(job->enc) || !SelectDefined(job, r->patternId)) return 0;
  Defined(job, r);
  job->gs->brushWhite = 0;
  return 1;
}

}  // namespace

int16_t Gfx_HatchId(uint32_t hatchStyle) {
  static const int16_t kIds[] = {1, 2, 4, 3, 5, 6};
  return hatchStyle < 6 ? kIds[hatchStyle] : 1;
}

const uint8_t* Gfx_HatchRows(int16_t hatchId) {
  return kHatchRows[hatchId >= 1 && hatchId <= 6 ? hatchId - 1 : 0];
}

uint32_t Gfx_MakeRealizedBrush(XlStateCache* gs, const BrushDescription* desc, RealizedBrush* record) {
  if (!record) return kRealizedBrushHead;
  std::memset(record, 0, kRealizedBrushHead);
  record->valid = 1;
  record->patternId = desc->patternId;
  record->foreground = desc->foreground;
  record->background = desc->background;
  record->cellWidth = record->cellHeight = 16;
  switch (desc->kind) {
    case kDescNull:
      record->kind = kBrushNull;
      record->hatchId = -1;
      record->foreground = record->background = 0xFFFFFFFF;
      break;
    case kDescHatch:
      record->kind = kBrushHatch;
      record->hatchId = Gfx_HatchId(desc->hatchStyle);
      record->cellWidth = record->cellHeight = 32;
      break;
    case kDescPattern:
      record->kind = kBrushPattern;
      break;
    default: {
      const uint32_t c = desc->foreground;
      const uint32_t weight = 2 * ((c >> 16) & 0xFF) + 5 * (c & 0xFF) + 9 * ((c >> 8) & 0xFF);
      record->kind = weight >= 128 ? kBrushSolidLight : kBrushSolid;
      break;
    }
  }
  record->signature = Gfx_BrushSignature(record);
  const bool same = gs->patternId == static_cast<uint16_t>(desc->patternId) &&
                    gs->patternForeground == desc->foreground && gs->patternBackground == desc->background;
  if (!same) {
    gs->patternNeedsDefinition = 1;
    if (desc->patternId != 0) gs->patternId = static_cast<uint16_t>(desc->patternId);
    gs->patternForeground = desc->foreground;
    gs->patternBackground = desc->background;
  }
  return kRealizedBrushHead;
}

uint32_t Gfx_BrushSignature(const RealizedBrush* r) {
  uint32_t h = 2166136261u;
  h = Fnv(h, &r->kind, sizeof r->kind);
  h = Fnv(h, &r->hatchId, sizeof r->hatchId);
  h = Fnv(h, &r->foreground, sizeof r->foreground);
  h = Fnv(h, &r->background, sizeof r->background);
  if (r->kind == kBrushPattern) {
    h = Fnv(h, &r->width, 12);  // width, height, format
    const uint32_t bits = BitsOf(r->format);
    const uint64_t length = Img_PaddedRowBytes(r->width, bits) * r->height;
    h = Fnv(h, r->bits, static_cast<size_t>(length));
    if (r->tableOffset) {
      h = Fnv(h, reinterpret_cast<const uint8_t*>(r) + r->tableOffset, size_t{r->colorCount} * 4);
    }
  }
  return h == 0 ? 1 : h;
}

uint32_t Gfx_SetNullBrush(DrawJob* job) {
  if (!XL_SetColorSpace(job->enc, job->gs, Space(job), nullptr, 0)) return 0;
  return XL_SetBrushSource(job->enc, job->gs, nullptr, true);
}

uint32_t Gfx_RealizePatternBrush(DrawJob* job, const RealizedBrush* r, uint32_t solid, bool allowBlack) {
  job->gs->grayMode = job->grayMode;
  if (!r) {
    if (solid >= 0x1000000) {
      Gfx_SetNullBrush(job);
      return 0;
    }
    return SolidBrush(job, solid, allowBlack);
  }
  if (r->valid == 0) return 1;
  if (r->kind == kBrushNull) {
    Gfx_SetNullBrush(job);
    return 0;
  }
  if (IsSolidKind(r->kind)) return SolidBrush(job, r->foreground & 0xFFFFFF, allowBlack);
  if (r->kind == kBrushHatch) return HatchBrush(job, r, allowBlack);
  if (r->kind == kBrushPattern) return PatternBrush(job, r, allowBlack);
  Gfx_SetNullBrush(job);
  return 0;
}

uint32_t Gfx_SetWatermarkHalftoneBrush(DrawJob* job) {
  std::vector<uint8_t> palette;
  PutColour(job, &palette, job->watermarkColour & 0xFFFFFF, false);
  PutColour(job, &palette, 0xFFFFFF, false);
  if (!XL_SetColorSpace(job->enc, job->gs, Space(job), palette.data(), static_cast<uint16_t>(palette.size()))) {
    return 0;
  }
  const auto id = static_cast<int16_t>(job->gs->patternId);
  const XlRasterHeader header{XlColorMapping::Indexed, XlColorDepth::Bits1, 16, 16, XlUInt16XY{16, 16}};
  if (!XlOp_BeginRastPattern(job->enc, header, id, 1)) return 0;
  uint32_t ok;
  if (job->watermarkSolidCell || !job->deltaRowAllowed) {
    // Rows of two pixel bytes padded to four.
    uint8_t rows[64] = {};
    for (int y = 0; y < 16 && !job->watermarkSolidCell; ++y) {
      rows[4 * y] = rows[4 * y + 1] = (y / 4) % 2 == 0 ? 0xF0 : 0x0F;
    }
    ok = XlOp_ReadRastPattern(job->enc, 0, 16, XlCompressMode::None, XlBlock{rows, sizeof rows, XL_EMBED_AUTO});
  } else {
    // Four groups of rows: one new row (F0 F0, then 0F 0F, ...) and three
    // repeating it.
    uint8_t block[44];
    for (int g = 0; g < 4; ++g) {
      uint8_t* p = block + 11 * g;
      const uint8_t b = g % 2 == 0 ? 0xF0 : 0x0F;
      const uint8_t group[11] = {3, 0, 0x20, b, b, 0, 0, 0, 0, 0, 0};
      std::memcpy(p, group, sizeof group);
    }
    ok = XlOp_ReadRastPattern(job->enc, 0, 16, XlCompressMode::DeltaRow, XlBlock{block, sizeof block, XL_EMBED_AUTO});
  }
  if (!ok || !XlOp_EndRastPattern(job->enc) || !SelectDefined(job, id)) return 0;
  // The id now names the halftone: a pattern defined under it before is
  // defined again when next used.
  job->gs->patternNeedsDefinition = 1;
  if (job->definedSignature) *job->definedSignature = 0;
  job->gs->brushWhite = 0;
  return XL_SetTransparentTxModes(job->enc, job->gs);
}

uint32_t XL_DefineRastPattern1(DrawJob* job, int16_t id, const uint8_t rows[8]) {
  const uint16_t size = job->largePatterns ? 32 : 8;
  XlRasterHeader header{XlColorMapping::Indexed, XlColorDepth::Bits1, 8, 8, XlUInt16XY{size, size}};
  if (!XlOp_BeginRastPattern(job->enc, header, id, 1)) return 0;
  uint8_t block[32] = {};
  for (int i = 0; i < 8; ++i) block[4 * i] = rows[i];
  if (!XlOp_ReadRastPattern(job->enc, 0, 8, XlCompressMode::None, XlBlock{block, sizeof block, XL_EMBED_AUTO})) {
    return 0;
  }
  return XlOp_EndRastPattern(job->enc);
}

uint32_t Gfx_SetupPen(DrawJob* job, uint32_t colour, const PenDescription* pen, bool allowBlack) {
  job->gs->grayMode = job->grayMode;
  if (!XL_SetColorSpace(job->enc, job->gs, Space(job), nullptr, 0)) return 0;
  std::vector<uint8_t> bytes;
  PutColour(job, &bytes, colour & 0xFFFFFF, allowBlack);
  if (!XL_SetPenSource(job->enc, job->gs, bytes.data(), false)) return 0;
  if (!XL_SetPenWidth(job->enc, job->gs, Draw_ClampU16(pen->width))) return 0;
  if (job->gs->lineCap != 1) {
    if (!XlOp_SetLineCap(job->enc, 1)) return 0;
    job->gs->lineCap = 1;
  }
  if (job->gs->lineJoin != 1) {
    if (!XlOp_SetLineJoin(job->enc, 1)) return 0;
    job->gs->lineJoin = 1;
  }
  if (pen->dashCount > 0) {
    return XL_WriteLineDash(job->enc, job->gs, pen->dashes, static_cast<int32_t>(pen->dashCount));
  }
  return XL_WriteLineDash(job->enc, job->gs, nullptr, -1);
}

uint32_t Gfx_SetNullPen(DrawJob* job) {
  job->gs->grayMode = job->grayMode;
  return XL_SetPenSource(job->enc, job->gs, nullptr, true);
}
