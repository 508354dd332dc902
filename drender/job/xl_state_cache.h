// The graphics-state cache of a job: the value of each state item that the
// printer holds since the last reset, so that a state writer sends an
// operator only when the new value differs.  Everything that changes the
// printer's state behind the cache's back (a new page, a user stream, a
// capture) resets it.
//
// The writers send through the job's encoder; the cache holds copies of the
// variable-length values (dash array, palette, brush and pen colours) in
// blocks of its own.  Pure code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"

inline constexpr uint8_t kXlUnknown = 255;
inline constexpr uint32_t kXlRopAtBuild = 0x00FC008A;
inline constexpr uint16_t kXlNoPageClip = 0xFFFF;

// Brush and pen kinds.
enum : uint8_t {
  kXlSourceNull = 1,
  kXlSourceGray = 2,
  kXlSourceRgb = 3,
  kXlSourcePattern = 4,         // selected by id
  kXlSourcePatternDefined = 5,  // just defined
};
// Dash kinds.
enum : uint8_t { kXlDashSolid = 1, kXlDashArray = 2 };
// Colour-space kinds.
enum : uint8_t { kXlSpacePlain = 1, kXlSpacePalette = 2 };

// Content flag bits of a page, kept only while blank pages are to be
// dropped.
enum : uint32_t {
  kXlMarkText = 0x1,
  kXlMarkImage = 0x2,
  kXlMarkCloseSubPath = 0x4,
  kXlMarkPaintPath = 0x8,
  kXlMarkLinePath = 0x40,
  kXlMarkBezierRelPath = 0x80,
  kXlMarkLineRelPath = 0x100,
  kXlMarkRectanglePath = 0x400,
  kXlMarkRectangle = 0x1000,
};

// A cached variable-length value: its kind and a copy of its bytes.
struct XlCachedBytes {
  uint8_t kind;     // kXlUnknown when nothing is known
  uint8_t* bytes;   // owned copy, or null
  uint16_t count;   // bytes of the copy
};

struct XlStateCache {
  uint32_t rop3;
  uint8_t paintTxMode;
  uint8_t sourceTxMode;
  uint16_t penWidth;        // 0xFFFF unknown
  uint8_t lineCap;
  uint8_t lineJoin;
  uint8_t fillMode;
  uint8_t clipMode;
  uint16_t pageClipState;   // 0xFFFF none due, 0 due, 1 sent on this page
  XlCachedBytes dash;
  XlCachedBytes colorSpace;  // kind kXlSpacePlain / kXlSpacePalette; bytes: the palette
  uint8_t colorSpaceValue;
  uint8_t paletteWhite;
  XlCachedBytes brush;
  uint8_t brushWhite;
  XlCachedBytes pen;
  uint8_t penWhite;
  uint16_t patternId;
  uint16_t patternNeedsDefinition;
  uint32_t patternForeground;
  uint32_t patternBackground;
  uint16_t* whitePatterns;
  uint16_t whitePatternCount;
  // Character caches (the text writers keep them).
  int16_t charAngle;
  uint32_t charScale[2];    // real32 bit patterns
  uint32_t charShear[2];
  uint32_t charBold;
  // Clip cache: the last clip object written.
  uint32_t clipId;
  uint8_t clipComplexity;
  uint8_t clipOptions[4];
  int32_t clipBounds[4];
  // Clip-path cache: copies of the last clip path's records.
  uint32_t clipPathCount;
  void** clipPathPoints;
  uint32_t* clipPathSizes;
  // Page content and the inputs of the content test.
  uint32_t contentFlags;
  uint32_t uiDrawing;       // the user interface core draws into the page
  uint8_t grayMode;         // brush and pen colours are one gray byte
};

// Where the cache takes its blocks; tests replace it to make a store fail.
using XlCacheAllocFn = void* (*)(size_t size);
void XL_SetCacheAllocator(XlCacheAllocFn alloc);  // null: the standard allocator

// Lifetime transitions.
enum : uint32_t {
  kXlLifetimePdevBuild = 1,
  kXlLifetimePdevEnd = 2,
  kXlLifetimeSurfaceBuild = 5,
  kXlLifetimeSurfaceEnd = 6,
};
// Kinds 1 and 5 set every item to its start value and free the copies;
// 2 and 6 free the copies and the clip-path cache.
void XL_CacheLifetime(XlStateCache* cache, uint32_t kind);
// The page reset: every item unknown, copies freed.  `nup` sets the
// character caches to -1 instead of 0.
void XL_CachePageReset(XlStateCache* cache, bool nup);
// The five per-page fields of a page start: ROP3, both transfer modes,
// fill mode and clip mode.
void XL_CacheResetPageFields(XlStateCache* cache);
// The clip cache and the clip-path cache (the printer's clip is reset by
// every BeginPage).
void XL_CacheClearClip(XlStateCache* cache);
// Frees every copy the cache holds.
void XL_CacheFree(XlStateCache* cache);

// --- Cache routines ------------------------------------------------------
// A store copies the bytes into a fresh block first; when that fails the
// old entry stays and 0 is returned.
uint32_t XL_CacheStore(XlCachedBytes* entry, uint8_t kind, const void* bytes, uint16_t count);
// True when the kinds are equal and either the kind is 1 or the counts and
// bytes are equal.
bool XL_CacheCompare(const XlCachedBytes* entry, uint8_t kind, const void* bytes, uint16_t count);
void XL_CacheForget(XlCachedBytes* entry);  // unknown, copy freed

// --- State writers -------------------------------------------------------
uint32_t XL_SelectRop(XlEncoder* enc, XlStateCache* cache, uint8_t rop3);
uint32_t XL_SetPenWidth(XlEncoder* enc, XlStateCache* cache, uint16_t width);
uint32_t XL_SetFillMode(XlEncoder* enc, XlStateCache* cache, uint8_t mode);
uint32_t XL_SetClipMode(XlEncoder* enc, XlStateCache* cache, uint8_t mode);
// The transfer modes of a transparent watermark's halftone brush: both
// written as 1 and recorded, so that the next opaque request writes 0
// again.
uint32_t XL_SetTransparentTxModes(XlEncoder* enc, XlStateCache* cache);
// A count of -1 asks for a solid line.
uint32_t XL_WriteLineDash(XlEncoder* enc, XlStateCache* cache, const uint16_t* data, int32_t count);
// GDI dash styles 1 to 4 at the job's horizontal resolution, or the given
// array; any other style without an array is a solid line.
uint32_t XL_SetLineDashStyle(XlEncoder* enc, XlStateCache* cache, uint32_t style, const uint16_t* data,
                             int32_t count, uint32_t resolutionX);
// space 1 gray, 2 RGB; a palette of `length` bytes, or none.
uint32_t XL_SetColorSpace(XlEncoder* enc, XlStateCache* cache, uint8_t space, const uint8_t* palette,
                          uint16_t length);
void XL_ResetColorSpaceCache(XlStateCache* cache);
// colour: one gray byte in gray mode, else red, green, blue.
uint32_t XL_SetBrushSource(XlEncoder* enc, XlStateCache* cache, const uint8_t* colour, bool nullBrush);
uint32_t XL_SetPenSource(XlEncoder* enc, XlStateCache* cache, const uint8_t* colour, bool nullPen);
uint32_t XL_SelectPattern(XlEncoder* enc, XlStateCache* cache, int16_t id);

// Adds or removes a pattern id of the white-pattern list (id 0 ignored).
// 0 when the list cannot be rebuilt (the old list stays).
uint32_t Gfx_UpdateWhitePatternList(XlStateCache* cache, uint16_t id, bool add);
// True when what is drawn now puts a mark on the page.
bool Gfx_PageHasMarks(const XlStateCache* cache);
