// The graphics-state cache and the state writers that consult it.
#include "drender/job/xl_state_cache.h"

#include <cstdlib>
#include <cstring>

#include "drender/pclxl/pclxl_ops.h"

namespace {

XlCacheAllocFn g_alloc = nullptr;

void* Allocate(size_t size) { return g_alloc ? g_alloc(size) : std::malloc(size); }

void FreeClipPaths(XlStateCache* cache) {
  if (cache->clipPathPoints) {
    for (uint32_t i = 0; i < cache->clipPathCount; ++i) std::free(cache->clipPathPoints[i]);
  }
  std::free(cache->clipPathPoints);
  std::free(cache->clipPathSizes);
  cache->clipPathPoints = nullptr;
  cache->clipPathSizes = nullptr;
  cache->clipPathCount = 0;
}

void ForgetAll(XlStateCache* cache) {
  XL_CacheForget(&cache->brush);
  XL_CacheForget(&cache->pen);
  XL_CacheForget(&cache->dash);
  XL_ResetColorSpaceCache(cache);
  std::free(cache->whitePatterns);
  cache->whitePatterns = nullptr;
  cache->whitePatternCount = 0;
}

}  // namespace

void XL_SetCacheAllocator(XlCacheAllocFn alloc) { g_alloc = alloc; }

void XL_CacheForget(XlCachedBytes* entry) {
  std::free(entry->bytes);
  entry->bytes = nullptr;
  entry->count = 0;
  entry->kind = kXlUnknown;
}

uint32_t XL_CacheStore(XlCachedBytes* entry, uint8_t kind, const void* bytes, uint16_t count) {
  uint8_t* copy = nullptr;
  if (bytes != nullptr && count > 0) {
    copy = static_cast<uint8_t*>(Allocate(count));
    if (copy == nullptr) return 0;
    std::memcpy(copy, bytes, count);
  } else {
    count = 0;
  }
  std::free(entry->bytes);
  entry->bytes = copy;
  entry->count = count;
  entry->kind = kind;
  return 1;
}

bool XL_CacheCompare(const XlCachedBytes* entry, uint8_t kind, const void* bytes, uint16_t count) {
  if (entry->kind != kind) return false;
  if (kind == 1) return true;
  if (kind < 2 || kind == kXlUnknown) return false;
  return entry->count == count && entry->bytes != nullptr && bytes != nullptr &&
         std::memcmp(entry->bytes, bytes, count) == 0;
}

void XL_ResetColorSpaceCache(XlStateCache* cache) {
  XL_CacheForget(&cache->colorSpace);
  cache->colorSpaceValue = kXlUnknown;
  cache->paletteWhite = 0;
}

void XL_CacheResetPageFields(XlStateCache* cache) {
  cache->rop3 = 0xFFFFFFFF;
  cache->paintTxMode = kXlUnknown;
  cache->sourceTxMode = kXlUnknown;
  cache->fillMode = 0;
  cache->clipMode = 0;
}

void XL_CacheClearClip(XlStateCache* cache) {
  cache->clipId = 0;
  cache->clipComplexity = 0;
  std::memset(cache->clipOptions, 0, sizeof cache->clipOptions);
  std::memset(cache->clipBounds, 0, sizeof cache->clipBounds);
  FreeClipPaths(cache);
}

void XL_CacheFree(XlStateCache* cache) {
  ForgetAll(cache);
  FreeClipPaths(cache);
}

void XL_CacheLifetime(XlStateCache* cache, uint32_t kind) {
  if (kind == kXlLifetimePdevEnd || kind == kXlLifetimeSurfaceEnd) {
    XL_CacheFree(cache);
    return;
  }
  if (kind != kXlLifetimePdevBuild && kind != kXlLifetimeSurfaceBuild) return;
  ForgetAll(cache);
  if (kind == kXlLifetimePdevBuild) FreeClipPaths(cache);
  cache->rop3 = kXlRopAtBuild;
  cache->paintTxMode = kXlUnknown;
  cache->sourceTxMode = kXlUnknown;
  cache->penWidth = 0xFFFF;
  cache->lineCap = kXlUnknown;
  cache->lineJoin = kXlUnknown;
  cache->fillMode = 0;
  cache->clipMode = 0;
  cache->pageClipState = kXlNoPageClip;
  cache->patternId = 1;
  cache->patternNeedsDefinition = 1;
  cache->brushWhite = 0;
  cache->penWhite = 0;
  cache->charAngle = 0;
  std::memset(cache->charScale, 0, sizeof cache->charScale);
  std::memset(cache->charShear, 0, sizeof cache->charShear);
  cache->charBold = 0;
  cache->clipId = 0;
  cache->clipComplexity = 0;
  std::memset(cache->clipOptions, 0, sizeof cache->clipOptions);
  std::memset(cache->clipBounds, 0, sizeof cache->clipBounds);
  cache->uiDrawing = 0;
}

void XL_CachePageReset(XlStateCache* cache, bool nup) {
  XL_CacheResetPageFields(cache);
  cache->penWidth = 0xFFFF;
  cache->lineCap = kXlUnknown;
  cache->lineJoin = kXlUnknown;
  cache->pageClipState = kXlNoPageClip;
  cache->patternId = 1;
  cache->patternNeedsDefinition = 1;
  cache->patternForeground = 0xFFFFFF;
  cache->patternBackground = 0xFFFFFF;
  cache->penWhite = 0;
  cache->brushWhite = 0;
  ForgetAll(cache);
  // The printer's clip is reset by every BeginPage: what the clip caches
  // remember no longer holds.
  XL_CacheClearClip(cache);
  constexpr uint32_t kMinusOne = 0xBF800000;  // -1.0f
  cache->charAngle = nup ? -1 : 0;
  for (uint32_t& v : cache->charScale) v = nup ? kMinusOne : 0;
  for (uint32_t& v : cache->charShear) v = nup ? kMinusOne : 0;
  cache->charBold = 0;
}

uint32_t XL_SelectRop(XlEncoder* enc, XlStateCache* cache, uint8_t rop3) {
  if (cache->paintTxMode != 0) {
    if (!XlOp_SetPaintTxMode(enc, 0)) return 0;
    cache->paintTxMode = 0;
  }
  if (cache->sourceTxMode != 0) {
    if (!XlOp_SetSourceTxMode(enc, 0)) return 0;
    cache->sourceTxMode = 0;
  }
  if (cache->rop3 != rop3) {
    if (!XlOp_SetROP(enc, rop3)) return 0;
    cache->rop3 = rop3;
  }
  return 1;
}

uint32_t XL_SetTransparentTxModes(XlEncoder* enc, XlStateCache* cache) {
  // Marked unknown first: a failed write leaves no claim about the printer.
  cache->paintTxMode = kXlUnknown;
  cache->sourceTxMode = kXlUnknown;
  if (!XlOp_SetPaintTxMode(enc, 1) || !XlOp_SetSourceTxMode(enc, 1)) return 0;
  cache->paintTxMode = 1;
  cache->sourceTxMode = 1;
  return 1;
}

uint32_t XL_SetPenWidth(XlEncoder* enc, XlStateCache* cache, uint16_t width) {
  if (cache->penWidth == width && width != 0xFFFF) return 1;
  if (!XlOp_SetPenWidth(enc, width)) return 0;
  cache->penWidth = width;
  return 1;
}

uint32_t XL_SetFillMode(XlEncoder* enc, XlStateCache* cache, uint8_t mode) {
  if (cache->fillMode == mode) return 1;
  if (!XlOp_SetFillMode(enc, mode)) return 0;
  cache->fillMode = mode;
  return 1;
}

uint32_t XL_SetClipMode(XlEncoder* enc, XlStateCache* cache, uint8_t mode) {
  if (cache->clipMode == mode) return 1;
  if (!XlOp_SetClipMode(enc, mode)) return 0;
  cache->clipMode = mode;
  return 1;
}

uint32_t XL_WriteLineDash(XlEncoder* enc, XlStateCache* cache, const uint16_t* data, int32_t count) {
  if (count == -1) {
    if (cache->dash.kind == kXlDashSolid) return 1;
    if (!XlOp_SetLineSolid(enc, 0)) return 0;
    XL_CacheStore(&cache->dash, kXlDashSolid, nullptr, 0);
    return 1;
  }
  if (data == nullptr || count < 0 || count > 0x7FFF) return 1;
  const uint16_t bytes = static_cast<uint16_t>(count * 2);
  if (XL_CacheCompare(&cache->dash, kXlDashArray, data, bytes)) return 1;
  if (!XlOp_SetLineDash(enc, XlUInt16Array{data, static_cast<uint32_t>(count)}, 0)) return 0;
  XL_CacheStore(&cache->dash, kXlDashArray, data, bytes);
  return 1;
}

uint32_t XL_SetLineDashStyle(XlEncoder* enc, XlStateCache* cache, uint32_t style, const uint16_t* data,
                             int32_t count, uint32_t resolutionX) {
  if (data != nullptr || (count != 0 && count != -1)) return XL_WriteLineDash(enc, cache, data, count);
  static const uint16_t kStyles[4][6] = {
      {60, 30}, {15, 30}, {15, 30, 60, 30}, {60, 30, 15, 30, 15, 30}};
  static const int32_t kCounts[4] = {2, 2, 4, 6};
  if (style < 1 || style > 4) return XL_WriteLineDash(enc, cache, nullptr, -1);
  const uint32_t unit = resolutionX * 100 / 600;
  uint16_t dashes[6];
  for (int32_t i = 0; i < kCounts[style - 1]; ++i) {
    dashes[i] = static_cast<uint16_t>(unit * kStyles[style - 1][i] / 100);
  }
  return XL_WriteLineDash(enc, cache, dashes, kCounts[style - 1]);
}

uint32_t XL_SetColorSpace(XlEncoder* enc, XlStateCache* cache, uint8_t space, const uint8_t* palette,
                          uint16_t length) {
  if (palette != nullptr && length > 0) {
    if (XL_CacheCompare(&cache->colorSpace, kXlSpacePalette, palette, length) && cache->colorSpaceValue == space) {
      return 1;
    }
    if (!XlOp_SetColorSpacePalette(enc, static_cast<XlColorSpace>(space), 2, XlUByteArray{palette, length})) {
      return 0;
    }
    if (XL_CacheStore(&cache->colorSpace, kXlSpacePalette, palette, length)) {
      cache->colorSpaceValue = space;
    } else {
      XL_ResetColorSpaceCache(cache);  // the printer's space is no longer the cached one
    }
    bool white = true;
    for (uint16_t i = 0; i < length; ++i) white = white && palette[i] == 255;
    cache->paletteWhite = white ? 1 : 0;
    return 1;
  }
  if (cache->colorSpace.kind == kXlSpacePlain && cache->colorSpaceValue == space) return 1;
  if (!XlOp_SetColorSpace(enc, static_cast<XlColorSpace>(space))) return 0;
  XL_CacheStore(&cache->colorSpace, kXlSpacePlain, nullptr, 0);
  cache->colorSpaceValue = space;
  cache->paletteWhite = 0;
  return 1;
}

namespace {

// The brush and the pen follow the same steps with their own operators.
struct SourceOps {
  uint32_t (*null)(XlEncoder*);
  uint32_t (*gray)(XlEncoder*, uint8_t);
  uint32_t (*rgb)(XlEncoder*, uint8_t, uint8_t, uint8_t);
};

uint32_t SetSource(XlEncoder* enc, XlCachedBytes* entry, uint8_t* white, bool grayMode, const uint8_t* colour,
                   bool isNull, const SourceOps& ops) {
  if (isNull || colour == nullptr) {
    if (entry->kind == kXlSourceNull) return 1;
    if (!ops.null(enc)) return 0;
    if (!XL_CacheStore(entry, kXlSourceNull, nullptr, 0)) XL_CacheForget(entry);
    *white = 0;
    return 1;
  }
  if (grayMode) {
    if (XL_CacheCompare(entry, kXlSourceGray, colour, 1)) return 1;
    if (!ops.gray(enc, colour[0])) return 0;
    XL_CacheStore(entry, kXlSourceGray, colour, 1);
    *white = colour[0] == 255 ? 1 : 0;
    return 1;
  }
  if (XL_CacheCompare(entry, kXlSourceRgb, colour, 3)) return 1;
  if (!ops.rgb(enc, colour[0], colour[1], colour[2])) return 0;
  XL_CacheStore(entry, kXlSourceRgb, colour, 3);
  *white = (colour[0] == 255 && colour[1] == 255 && colour[2] == 255) ? 1 : 0;
  return 1;
}

}  // namespace

uint32_t XL_SetBrushSource(XlEncoder* enc, XlStateCache* cache, const uint8_t* colour, bool nullBrush) {
  static const SourceOps ops{&XlOp_SetBrushNull, &XlOp_SetBrushGray, &XlOp_SetBrushRGB};
  return SetSource(enc, &cache->brush, &cache->brushWhite, cache->grayMode != 0, colour, nullBrush, ops);
}

uint32_t XL_SetPenSource(XlEncoder* enc, XlStateCache* cache, const uint8_t* colour, bool nullPen) {
  static const SourceOps ops{&XlOp_SetPenNull, &XlOp_SetPenGray, &XlOp_SetPenRGB};
  return SetSource(enc, &cache->pen, &cache->penWhite, cache->grayMode != 0, colour, nullPen, ops);
}

uint32_t XL_SelectPattern(XlEncoder* enc, XlStateCache* cache, int16_t id) {
  if (XL_CacheCompare(&cache->brush, kXlSourcePattern, &id, sizeof id)) return 1;
  if (!XlOp_SetBrushPattern(enc, id)) return 0;
  XL_CacheStore(&cache->brush, kXlSourcePattern, &id, sizeof id);
  cache->brushWhite = 0;
  return 1;
}

uint32_t Gfx_UpdateWhitePatternList(XlStateCache* cache, uint16_t id, bool add) {
  if (id == 0) return 1;
  int32_t at = -1;
  for (uint16_t i = 0; i < cache->whitePatternCount; ++i) {
    if (cache->whitePatterns[i] == id) at = i;
  }
  if ((add && at >= 0) || (!add && at < 0)) return 1;
  if (add && cache->whitePatternCount == 0xFFFF) return 0;
  const uint32_t count = add ? cache->whitePatternCount + 1u : cache->whitePatternCount - 1u;
  uint16_t* list = nullptr;
  if (count > 0) {
    list = static_cast<uint16_t*>(Allocate(count * sizeof(uint16_t)));
    if (list == nullptr) return 0;
    uint32_t n = 0;
    for (uint16_t i = 0; i < cache->whitePatternCount; ++i) {
      if (static_cast<int32_t>(i) != at) list[n++] = cache->whitePatterns[i];
    }
    if (add) list[n] = id;
  }
  std::free(cache->whitePatterns);
  cache->whitePatterns = list;
  cache->whitePatternCount = static_cast<uint16_t>(count);
  return 1;
}

bool Gfx_PageHasMarks(const XlStateCache* cache) {
  if (cache->uiDrawing) return false;
  const uint8_t brush = cache->brush.kind;
  const uint8_t pen = cache->pen.kind;
  const bool brushInvisible = brush == kXlSourceNull || cache->brushWhite;
  const bool penInvisible = pen == kXlSourceNull || cache->penWhite;
  if (brush == kXlUnknown && (pen == kXlUnknown || penInvisible)) return false;
  if (pen == kXlUnknown && brushInvisible) return false;
  if (brushInvisible && penInvisible) return false;
  const bool pattern = brush == kXlSourcePattern || brush == kXlSourcePatternDefined;
  if (!pattern || (pen != kXlUnknown && !penInvisible)) return true;
  for (uint16_t i = 0; i < cache->whitePatternCount; ++i) {
    if (cache->whitePatterns[i] == cache->patternId) return false;
  }
  return true;
}
