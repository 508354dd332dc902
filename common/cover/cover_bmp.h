// Checks a cover image file's bytes before anything reads its bitmap: the
// file header, the information header, the colour table and the pixel bits
// must all lie inside the file and agree with each other.  Works on a
// buffer (the whole file, or as much of it as was read), never beyond it.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kBmpFileHeaderSize = 14;
// The largest side accepted; larger images make no sense on a fax page and
// their stride arithmetic is where hostile files aim.
inline constexpr int32_t kCoverBmpMaxSide = 32767;

enum CoverBmpStatus : int32_t {
  kCoverBmpOk = 0,
  kCoverBmpTooShort,        // not even the two headers
  kCoverBmpNotBitmap,       // no "BM"
  kCoverBmpBadInfoHeader,   // unknown or oversized information header
  kCoverBmpBadDimensions,   // zero, negative width, or beyond the limit
  kCoverBmpBadFormat,       // planes, bit count or compression not drawable
  kCoverBmpBadColorTable,   // colour table beyond the bits offset
  kCoverBmpBadOffset,       // bits offset inside the headers or beyond the file
  kCoverBmpShortBits,       // stride x height beyond the file
};

struct CoverBmpLayout {
  uint32_t infoSize;     // information header and colour table: bytes 14 .. bitsOffset
  uint32_t bitsOffset;
  uint32_t bitsSize;     // stride x height, what drawing reads
  int32_t width, height; // height negative for a top-down bitmap
  uint16_t bitCount;
};

// `fileSize` is the file's real size; `data` holds its first `size` bytes
// (at least the headers and the colour table are needed).
CoverBmpStatus CheckCoverBmp(const uint8_t* data, size_t size, uint64_t fileSize, CoverBmpLayout* out);
