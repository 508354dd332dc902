// Run-length (PackBits) coding of image and pattern rows.
//
// The output is a sequence of items, each a signed count byte and data: a
// count c from 0 to 127 is followed by c + 1 literal bytes; a count from -1
// to -127 by one byte that stands for 1 - c copies of it.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"

// The most bytes Img_PackBits gives for `length` input bytes: literal runs
// are at least two bytes long, so one and a half bytes per input byte, and
// one more for a single byte left at the end.
inline constexpr uint64_t Img_PackBitsBound(uint64_t length) { return (3 * length + 1) / 2; }

// Codes `length` bytes of `source` and hands the items to the sink (in runs
// of at most 256 bytes).  Scanning from the start:
//   - a byte whose successor equals it starts a repeat of all the equal
//     bytes that follow, at most 128 bytes;
//   - otherwise a literal run takes bytes, at most 128, as long as each
//     differs from its predecessor; a byte whose successor equals it ends
//     the run and stays in it;
//   - a single byte left at the end is a literal of one.
// Returns 1 and the coded length in *coded (when given), or 0 when the
// source is missing or a sink call failed.  Empty input codes to nothing.
uint32_t Img_PackBits(XlWriteFn write, void* context, const uint8_t* source, uint32_t length,
                      uint64_t* coded);
