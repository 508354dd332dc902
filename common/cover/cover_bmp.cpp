#include "common/cover/cover_bmp.h"

#include <cstring>

namespace {

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;

}  // namespace

CoverBmpStatus CheckCoverBmp(const uint8_t* data, size_t size, uint64_t fileSize, CoverBmpLayout* out) {
  std::memset(out, 0, sizeof *out);
  if (!data || size > fileSize) size = data ? static_cast<size_t>(fileSize) : 0;
  if (size < kBmpFileHeaderSize + 4) return kCoverBmpTooShort;
  if (data[0] != 'B' || data[1] != 'M') return kCoverBmpNotBitmap;
  const uint32_t bitsOffset = U32(data + 10);
  const uint32_t headerSize = U32(data + 14);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124) {
    return kCoverBmpBadInfoHeader;
  }
  if (size < kBmpFileHeaderSize + headerSize) return kCoverBmpTooShort;
  const uint8_t* h = data + kBmpFileHeaderSize;
  int32_t width, height;
  uint16_t planes, bitCount;
  uint32_t compression = kBiRgb, colorsUsed = 0;
  if (core) {
    width = U16(h + 4);
    height = U16(h + 6);
    planes = U16(h + 8);
    bitCount = U16(h + 10);
  } else {
    width = static_cast<int32_t>(U32(h + 4));
    height = static_cast<int32_t>(U32(h + 8));
    planes = U16(h + 12);
    bitCount = U16(h + 14);
    compression = U32(h + 16);
    colorsUsed = U32(h + 32);
  }
  if (width <= 0 || width > kCoverBmpMaxSide || height == 0 || height < -kCoverBmpMaxSide ||
      height > kCoverBmpMaxSide) {
    return kCoverBmpBadDimensions;
  }
  if (planes != 1) return kCoverBmpBadFormat;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
    return kCoverBmpBadFormat;
  }
  // Compressed bits have no stride to check against the file: refused, as
  // are bit fields outside 16 and 32 bits per pixel.
  if (compression != kBiRgb && !(compression == kBiBitfields && (bitCount == 16 || bitCount == 32))) {
    return kCoverBmpBadFormat;
  }
  if (core && bitCount > 24) return kCoverBmpBadFormat;
  // The colour table follows the information header (and, for bit fields
  // in a 40-byte header, the three masks).
  uint64_t tableAt = kBmpFileHeaderSize + static_cast<uint64_t>(headerSize);
  if (compression == kBiBitfields && headerSize == 40) tableAt += 12;
  uint64_t entries = colorsUsed;
  if (bitCount <= 8) {
    const uint32_t most = 1u << bitCount;
    if (core || entries == 0) entries = most;
    if (entries > most) return kCoverBmpBadColorTable;
  }
  const uint64_t tableEnd = tableAt + entries * (core ? 3u : 4u);
  if (bitsOffset < tableAt || bitsOffset > fileSize) return kCoverBmpBadOffset;
  if (tableEnd > bitsOffset) return kCoverBmpBadColorTable;
  if (tableEnd > size) return kCoverBmpTooShort;
  const uint64_t stride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
  const uint64_t bitsSize = stride * rows;
  if (bitsSize > fileSize - bitsOffset || bitsSize > UINT32_MAX) return kCoverBmpShortBits;
  out->infoSize = bitsOffset - kBmpFileHeaderSize;
  out->bitsOffset = bitsOffset;
  out->bitsSize = static_cast<uint32_t>(bitsSize);
  out->width = width;
  out->height = height;
  out->bitCount = bitCount;
  return kCoverBmpOk;
}
