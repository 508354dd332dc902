// The per-pixel and per-block work of the encoder: row converters,
// downsamplers, the forward DCT and the quantiser.  The same source is
// compiled twice, for any x86 processor and for processors with AVX2; both
// produce the same results bit for bit, and each call uses the best one the
// processor runs.
#pragma once

#include <cstdint>

#include "ljpeg/jpeg_pixels.h"
#include "ljpeg/jpeg_quant.h"

struct JpegKernelTable {
  const char* name;
  // [depth: 8, 16, 24, 32][pixel order: 0 red first, 1 blue first]
  JpegRowConverter convert[4][2];
  // [subsampling mode; 3: grey]
  JpegDownsampler downsample[4];
  // The accurate integer DCT (13-bit constants, 2 extra bits between the
  // passes) of the level-shifted samples: 8 times the DCT coefficients, in
  // natural order.
  void (*dct)(const uint8_t samples[64], int32_t out[64]);
  // DCT and quantisation of `count` blocks of 64 samples lying one after
  // another, block b quantised with tables[b]: for each block, its 64
  // quantised values in natural order (at coefficients + 64 * b) and a bit
  // for each non-zero AC value (bit k for zigzag position k, in
  // ac_nonzero[b]).  A block of one sample value takes a shortcut with the
  // same result.
  void (*transform)(const uint8_t* samples, uint32_t count, const JpegQuantTable* const* tables,
                    int16_t* coefficients, uint64_t* ac_nonzero);
};

// The tables compiled into this build: the first runs everywhere; the others
// only where JpegKernelsRun says so.
const JpegKernelTable* const* JpegKernelTables(int* count);
bool JpegKernelsRun(const JpegKernelTable* table);
// The best table for this processor.
const JpegKernelTable* JpegSelectKernels();

extern const JpegKernelTable kJpegKernelsGeneric;
#if defined(JPEG_HAVE_AVX2_KERNELS)
extern const JpegKernelTable kJpegKernelsAvx2;
#endif
