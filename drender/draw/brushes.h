// Brushes and pens: the realised-brush record the render core builds in
// DrvRealizeBrush, the XL brush source it becomes (gray level, RGB colour,
// or a raster pattern defined in the stream and selected by id), the eight
// by eight hatch patterns, and the pen made from line attributes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "drender/draw/draw_job.h"

// Kinds of a realised brush.
enum : int16_t {
  kBrushSolid = 1,
  kBrushSolidLight = 11,  // a light solid colour; read as kBrushSolid
  kBrushNull = -1,
  kBrushHatch = 21,
  kBrushPattern = 22,
};
// Pattern formats of the record: 1, 4, 8 bits per pixel and 24-bit RGB.
enum : uint32_t { kPatFormat1 = 1, kPatFormat4 = 2, kPatFormat8 = 3, kPatFormatRgb = 5 };
inline constexpr uint16_t kPatTopDown = 0x1;

// The record GDI keeps for the driver (BRUSHOBJ_pvAllocRbrush): a 56-byte
// head, the pattern's rows from byte 52 (each padded to 32 bits) and its
// colour table at tableOffset.
struct RealizedBrush {
  uint32_t valid;         // 1
  int16_t patternId;      // the pattern surface's id, -2 when it has none
  int16_t kind;           // kBrush*
  int16_t hatchId;        // 1 to 6 for hatches, -1 null, else 0
  uint16_t reserved10;
  uint32_t foreground;    // 0x00BBGGRR, -1 for the null brush
  uint32_t background;
  uint8_t cellWidth;      // 16; 32 for hatches
  uint8_t cellHeight;
  uint16_t reserved22;
  uint32_t colorCount;    // entries of the colour table
  uint32_t tableOffset;   // from the record's start; 0 without a table
  uint32_t width;         // pattern pixels
  uint32_t height;
  uint32_t format;        // kPatFormat*
  uint16_t flags;         // kPatTopDown
  uint16_t reserved46;
  uint32_t signature;     // of colours, hatch and bits: tells patterns with one id apart
  uint8_t bits[4];        // the rows start here
};
static_assert(sizeof(RealizedBrush) == 56);
static_assert(offsetof(RealizedBrush, foreground) == 12);
static_assert(offsetof(RealizedBrush, colorCount) == 24);
static_assert(offsetof(RealizedBrush, format) == 40);
static_assert(offsetof(RealizedBrush, bits) == 52);
inline constexpr uint32_t kRealizedBrushHead = 56;

// What DrvRealizeBrush knows of a brush.
enum : uint8_t { kDescSolid = 0, kDescNull = 1, kDescHatch = 2, kDescPattern = 3 };
struct BrushDescription {
  uint8_t kind;
  uint32_t hatchStyle;  // GDI hatch style 0 to 5
  int16_t patternId;
  uint32_t foreground;
  uint32_t background;
};

// The GDI hatch style's id (0→1, 1→2, 2→4, 3→3, 4→5, 5→6, others 1) and
// its eight rows (one byte per row; 0 bits take the foreground).
int16_t Gfx_HatchId(uint32_t hatchStyle);
const uint8_t* Gfx_HatchRows(int16_t hatchId);

// Fills the record's head from the description.  A pattern id or colours
// other than the last realised brush's mark the pattern for definition.
// With a null record it gives the head size (56).
uint32_t Gfx_MakeRealizedBrush(XlStateCache* gs, const BrushDescription* desc, RealizedBrush* record);
// The signature of a record whose rows and table are filled.
uint32_t Gfx_BrushSignature(const RealizedBrush* record);

// Makes the brush the XL brush source: a record (null: the solid colour
// `solid` when it is below 0x1000000, else the null brush).  `allowBlack`
// lets print with black apply.  0 for a null brush.
uint32_t Gfx_RealizePatternBrush(DrawJob* job, const RealizedBrush* record, uint32_t solid, bool allowBlack);
// The null brush.
uint32_t Gfx_SetNullBrush(DrawJob* job);
// The brush of a transparent watermark: a 16 x 16 pattern of the
// watermark's colour and white (a checkerboard of 4 x 4 cells, or solid for
// the models that ask for it), with both transfer modes transparent.
uint32_t Gfx_SetWatermarkHalftoneBrush(DrawJob* job);

// An 8 x 8 one-bit pattern: BeginRastPattern, ReadRastPattern with one
// 32-byte block (each row byte followed by three zero bytes),
// EndRastPattern.
uint32_t XL_DefineRastPattern1(DrawJob* job, int16_t id, const uint8_t rows[8]);

// The pen.
struct PenDescription {
  uint32_t width;
  uint16_t dashes[20];
  uint32_t dashCount;  // 0: a solid line
};
// Colour space, pen colour (gray with print with black: 255 stays, all
// else 0), width, round caps and joins, dashes.  `colour` is 0x00BBGGRR.
uint32_t Gfx_SetupPen(DrawJob* job, uint32_t colour, const PenDescription* pen, bool allowBlack);
uint32_t Gfx_SetNullPen(DrawJob* job);
