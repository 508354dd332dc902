#include "drender/draw/raster_rows.h"

#include <cstdlib>
#include <cstring>

#include "drender/pclxl/byte_sink.h"
#include "drender/pclxl/delta_row_compress.h"
#include "drender/pclxl/packbits_compress.h"

uint8_t Img_RowMode(const DrawJob* job, uint8_t wanted) {
  if (wanted == kImgModeDeltaRow && !job->deltaRowAllowed) return kImgModePackBits;
  return wanted;
}

uint8_t Img_ChooseMode(const DrawJob* job, uint32_t width, uint32_t height, bool blt) {
  uint8_t mode = job->compression;
  if (mode == kImgModeJpeg) {
    const uint32_t minHeight = job->jpegSubMode == 0 ? 16 : 8;
    // The encoder takes qualities 1 to 100: settings that hold none send the
    // image as delta rows without asking it.
    const bool quality = job->jpegQuality >= 1 && job->jpegQuality <= 100;
    if (job->jpegSubMode > 2 || width < 1280 || !quality) {
      mode = kImgModeDeltaRow;
    } else if (height < minHeight) {
      mode = kImgModePackBits;
    }
  }
  if (mode == kImgModeNone || blt) mode = kImgModeDeltaRow;
  return Img_RowMode(job, mode);
}

uint64_t Img_PaddedRowBytes(uint64_t width, uint32_t bits) { return (width * bits + 31) / 32 * 4; }

uint32_t Img_FormatBits(uint32_t format) {
  static const uint32_t kBits[] = {0, 1, 4, 8, 16, 24, 32};
  return format >= 1 && format <= 6 ? kBits[format] : 0;
}

XlRowBlockWriter::XlRowBlockWriter(XlEncoder* enc, Target target, uint32_t rowBytes, uint32_t maxRows, uint8_t mode)
    : enc_(enc),
      target_(target),
      rowBytes_(rowBytes),
      padded_(static_cast<uint32_t>((uint64_t{rowBytes} + 3) / 4 * 4)),
      maxRows_(maxRows == 0 ? 1 : maxRows),
      mode_(mode) {
  if (mode_ == kImgModeDeltaRow) seed_.assign(rowBytes_, 0);
}

uint32_t XlRowBlockWriter::Flush() {
  if (blockRows_ == 0) return failed_ ? 0 : 1;
  const XlBlock block{block_.data(), static_cast<uint32_t>(block_.size()), XL_EMBED_AUTO};
  const auto mode = static_cast<XlCompressMode>(blockMode_);
  const uint16_t start = static_cast<uint16_t>(sent_);
  const uint16_t height = static_cast<uint16_t>(blockRows_);
  const uint32_t ok = target_ == Target::Image ? XlOp_ReadImage(enc_, start, height, mode, block)
                                               : XlOp_ReadRastPattern(enc_, start, height, mode, block);
  sent_ += blockRows_;
  blockRows_ = 0;
  block_.clear();
  if (!ok) failed_ = true;
  return ok;
}

uint32_t XlRowBlockWriter::AddRow(const uint8_t* row) {
  if (failed_ || !row) return 0;
  uint8_t rowMode = mode_;
  coded_.clear();
  auto sink = [](void* context, const uint8_t* bytes, uint32_t length) -> uint32_t {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), bytes, bytes + length);
    return 1;
  };
  if (mode_ == kImgModePackBits) {
    uint64_t coded = 0;
    Img_PackBits(sink, &coded_, row, padded_, &coded);
    if (coded > padded_) rowMode = kImgModeNone;
  } else if (mode_ == kImgModeDeltaRow) {
    uint64_t coded = 0;
    coded_.push_back(0);
    coded_.push_back(0);
    if (first_) {
      Img_DeltaRowFirst(sink, &coded_, row, rowBytes_, &coded);
    } else {
      Img_DeltaRow(sink, &coded_, row, seed_.data(), rowBytes_, &coded);
    }
    coded_[0] = static_cast<uint8_t>(coded & 0xFF);
    coded_[1] = static_cast<uint8_t>((coded >> 8) & 0xFF);
    std::memcpy(seed_.data(), row, rowBytes_);
  }
  first_ = false;
  if (blockRows_ > 0 && (blockRows_ >= maxRows_ || blockMode_ != rowMode)) {
    if (!Flush()) return 0;
  }
  if (blockRows_ == 0) blockMode_ = rowMode;
  if (rowMode == kImgModeNone) {
    block_.insert(block_.end(), row, row + padded_);
  } else {
    block_.insert(block_.end(), coded_.begin(), coded_.end());
  }
  ++blockRows_;
  return 1;
}

uint32_t XlRowBlockWriter::Finish() { return Flush(); }

uint8_t* Img_FlipBits(const uint8_t* bits, uint32_t width, uint32_t height, uint32_t format, int32_t rowSize,
                      uint32_t flags, uint32_t* unusedBits) {
  if (unusedBits) *unusedBits = 0;
  const uint32_t bpp = Img_FormatBits(format);
  if (bpp == 0 || !bits) return nullptr;
  if ((flags & (kFlipVertical | kFlipMirror)) == 0) return nullptr;
  const uint64_t stride = rowSize < 0 ? -int64_t{rowSize} : rowSize;
  const uint64_t used = (uint64_t{width} * bpp + 7) / 8;
  if (stride < used || stride * height > 0x7FFFFFFF) return nullptr;
  auto* out = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(stride * height) + 1));
  if (!out) return nullptr;
  const bool mirror = (flags & kFlipMirror) != 0;
  if (mirror && unusedBits && stride * 8 != uint64_t{width} * bpp) {
    *unusedBits = static_cast<uint32_t>(stride * 8 - uint64_t{width} * bpp);
  }
  // `bits` is the lowest address of the block; the copy keeps the memory
  // order of the rows (so the same row step describes it), reversed when
  // flipping.
  const bool backwards = (flags & kFlipVertical) != 0;
  for (uint32_t r = 0; r < height; ++r) {
    const uint32_t from = backwards ? height - 1 - r : r;
    const uint8_t* src = bits + stride * from;
    uint8_t* dst = out + stride * r;
    if (!mirror) {
      std::memcpy(dst, src, static_cast<size_t>(used));
      continue;
    }
    if (bpp >= 8) {
      const uint32_t bytes = bpp / 8;
      for (uint32_t x = 0; x < width; ++x) {
        std::memcpy(dst + uint64_t{x} * bytes, src + uint64_t{width - 1 - x} * bytes, bytes);
      }
      continue;
    }
    // 1- and 4-bit pixels: take pixel (width - 1 - x) into x, so that the
    // row's own pixels are mirrored and the padding stays at the end.
    const uint32_t perByte = 8 / bpp;
    const uint8_t mask = static_cast<uint8_t>((1u << bpp) - 1);
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t sx = width - 1 - x;
      const uint8_t v = (src[sx / perByte] >> ((perByte - 1 - sx % perByte) * bpp)) & mask;
      dst[x / perByte] |= static_cast<uint8_t>(v << ((perByte - 1 - x % perByte) * bpp));
    }
  }
  return out;
}

void Img_ShiftRow(const uint8_t* source, uint8_t* dest, uint64_t bits, uint32_t shift) {
  const uint64_t bytes = (bits + 7) / 8;
  for (uint64_t i = 0; i < bytes; ++i) {
    const uint8_t next = i + 1 < (bits + shift + 7) / 8 ? source[i + 1] : 0;
    dest[i] = static_cast<uint8_t>((source[i] << shift) | (next >> (8 - shift)));
  }
}

void Img_ConvertRowTo24(const uint8_t* source, uint8_t* dest, uint32_t mode, uint32_t bits, uint32_t count,
                        Img_XlateFn xlate, void* context) {
  const uint32_t step = bits / 8;
  if (mode & kXlateEach) {
    for (uint32_t x = 0; x < count; ++x) {
      const uint8_t* p = source + uint64_t{x} * step;
      const uint32_t value = step == 2 ? uint32_t(p[0] | (p[1] << 8)) : uint32_t(p[0] | (p[1] << 8) | (p[2] << 16));
      const uint32_t c = xlate ? xlate(context, value) : value;
      dest[3 * x] = static_cast<uint8_t>(c & 0xFF);
      dest[3 * x + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
      dest[3 * x + 2] = static_cast<uint8_t>((c >> 16) & 0xFF);
    }
    return;
  }
  if (mode & kXlateSwap) {
    for (uint32_t x = 0; x < count; ++x) {
      const uint8_t* p = source + uint64_t{x} * step;
      dest[3 * x] = p[2];
      dest[3 * x + 1] = p[1];
      dest[3 * x + 2] = p[0];
    }
    return;
  }
  if (step == 3) {
    std::memcpy(dest, source, size_t{count} * 3);
    return;
  }
  for (uint32_t x = 0; x < count; ++x) std::memcpy(dest + 3 * x, source + uint64_t{x} * step, 3);
}

bool Img_IsNearWhiteRgb(const uint8_t* p) {
  const uint8_t r = p[0], g = p[1], b = p[2];
  if (r < 254 || g < 254 || b < 254) return false;
  // Of the eight mixes of 254 and 255, (254, 255, 255) and (255, 254, 254)
  // are not near-white.
  return !(r == 254 && g == 255 && b == 255) && !(r == 255 && g == 254 && b == 254);
}

bool Img_IsDirectRowContent(const uint8_t* row, uint32_t bits, uint32_t count) {
  if (bits == 8) {
    for (uint32_t x = 0; x < count; ++x) {
      if (row[x] < 254) return true;
    }
    return false;
  }
  if (bits == 16) {
    for (uint32_t x = 0; x < count; ++x) {
      if ((row[2 * x] | (row[2 * x + 1] << 8)) != 0x7FFF) return true;
    }
    return false;
  }
  const uint32_t step = bits / 8;
  for (uint32_t x = 0; x < count; ++x) {
    if (!Img_IsNearWhiteRgb(row + uint64_t{x} * step)) return true;
  }
  return false;
}

bool Img_IsIndexedRowContent(const uint8_t* row, uint32_t bits, uint32_t count, const uint8_t* palette,
                             uint32_t entries, bool gray) {
  if (!palette || entries == 0) return true;
  bool white[256];
  bool any = false, all = true;
  for (uint32_t i = 0; i < 256; ++i) {
    if (i >= entries) {
      white[i] = true;  // entries beyond the table are white
      continue;
    }
    white[i] = gray ? palette[i] >= 254 : Img_IsNearWhiteRgb(palette + 3 * i);
    any = any || white[i];
    all = all && white[i];
  }
  if (!any) return true;
  if (all) return false;
  const uint32_t perByte = 8 / bits;
  const uint8_t mask = static_cast<uint8_t>((1u << bits) - 1);
  for (uint32_t x = 0; x < count; ++x) {
    const uint8_t v = (row[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & mask;
    if (!white[v]) return true;
  }
  return false;
}
