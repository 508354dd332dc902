// Rows of images and raster patterns: how they are compressed and cut into
// blocks (ReadImage or ReadRastPattern), and the row helpers of the image
// writers: bit flipping, shifting, conversion to RGB and the content tests
// of blank-page dropping.
#pragma once

#include <cstdint>
#include <vector>

#include "drender/draw/draw_job.h"
#include "drender/pclxl/pclxl_ops.h"

// Row modes of a block: kImgModeNone, kImgModePackBits, kImgModeDeltaRow.
// The mode an image or pattern asks for, cut to what the device takes:
// delta row only above protocol class 2.0 (PackBits in its place).
uint8_t Img_RowMode(const DrawJob* job, uint8_t wanted);
// The compression of an image of width x height pixels: the job's
// preference; JPEG only for images at least 1280 pixels wide and 16 rows
// high (8 with sub-modes 1 and 2), narrower ones delta row, lower ones
// PackBits; blits delta row; delta row becomes PackBits at protocol class
// 2.0 and below.  A preference of none is taken as delta row.
uint8_t Img_ChooseMode(const DrawJob* job, uint32_t width, uint32_t height, bool blt);

// Sends rows in blocks.  PackBits rows that would grow go out uncompressed
// (in a block of their own mode); delta rows are coded against the previous
// row (the first against zeros) over the unpadded bytes.  A block holds at
// most maxRows rows (at least 1).
class XlRowBlockWriter {
 public:
  enum class Target { Image, Pattern };
  XlRowBlockWriter(XlEncoder* enc, Target target, uint32_t rowBytes, uint32_t maxRows, uint8_t mode);
  // `row` holds the padded row (rowBytes rounded up to 32 bits; the padding
  // is sent as it is given).
  uint32_t AddRow(const uint8_t* row);
  // Sends the last block.
  uint32_t Finish();
  uint32_t rowsSent() const { return sent_; }
  uint32_t paddedBytes() const { return padded_; }

 private:
  uint32_t Flush();
  XlEncoder* enc_;
  Target target_;
  uint32_t rowBytes_;
  uint32_t padded_;
  uint32_t maxRows_;
  uint8_t mode_;
  uint8_t blockMode_ = 0;
  uint32_t blockRows_ = 0;
  uint32_t sent_ = 0;
  bool first_ = true;
  bool failed_ = false;
  std::vector<uint8_t> block_;
  std::vector<uint8_t> seed_;
  std::vector<uint8_t> coded_;
};

// Padded row bytes: width x bits rounded up to 32 bits (64-bit arithmetic).
uint64_t Img_PaddedRowBytes(uint64_t width, uint32_t bits);
// Bits per pixel of a surface format 1 to 6 (0 for others).
uint32_t Img_FormatBits(uint32_t format);

// A copy of the bits flipped vertically (flag 1) and/or mirrored (flag 2);
// null for an unknown format, a failed allocation or neither flag (nothing
// is allocated then).  *unusedBits receives the bits at the row end that
// hold no pixel when mirroring.  Free with std::free.
enum : uint32_t { kFlipVertical = 1, kFlipMirror = 2 };
uint8_t* Img_FlipBits(const uint8_t* bits, uint32_t width, uint32_t height, uint32_t format, int32_t rowSize,
                      uint32_t flags, uint32_t* unusedBits);

// Moves `bits` bits of a row left by `shift` (1 to 7) bits.
void Img_ShiftRow(const uint8_t* source, uint8_t* dest, uint64_t bits, uint32_t shift);

// Conversion of direct pixels to RGB triples.
enum : uint32_t { kXlateEach = 0x2, kXlateSwap = 0x4, kXlateDrop4th = 0x8 };
using Img_XlateFn = uint32_t (*)(void* context, uint32_t colour);
void Img_ConvertRowTo24(const uint8_t* source, uint8_t* dest, uint32_t mode, uint32_t bits, uint32_t count,
                        Img_XlateFn xlate, void* context);

// Content tests: true when a pixel is not near-white.
bool Img_IsNearWhiteRgb(const uint8_t* rgb);
bool Img_IsDirectRowContent(const uint8_t* row, uint32_t bits, uint32_t count);
// Paletted rows: `palette` holds `entries` RGB triples (gray: one byte each).
bool Img_IsIndexedRowContent(const uint8_t* row, uint32_t bits, uint32_t count, const uint8_t* palette,
                             uint32_t entries, bool gray);
