// The JPEG encoder: one raster image in memory to a baseline JFIF stream,
// measured (pass 0) or written into the caller's buffer (pass 1).  Takes no
// heap memory; everything of one call lives on its stack.
#pragma once

#include <cstdint>

#include "common/contracts/jpeg_encode_params.h"

// Returns 0 on success, with params->output_size the stream's size.
// Otherwise a status: 0x2030 width or height 0 or above 65535; 0x2F00
// quality, subsampling mode or pass out of range (or no record); 0x21A0
// an unsupported depth -- these leave the record as it was -- or 0x2000
// with the bits of the step that failed, with output_size set to 0.
uint16_t JpegEncode(JpegEncodeParams* params, uint32_t pass);

struct JpegKernelTable;
// The same with a given kernel table (which must run on this processor).
uint16_t JpegEncodeWith(const JpegKernelTable* kernels, JpegEncodeParams* params, uint32_t pass);
