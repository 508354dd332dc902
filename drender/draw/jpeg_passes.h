// How the render core calls the JPEG encoder for one image: one encoding
// pass into a buffer large enough for nearly every image, and the
// encoder's two passes (measure, then encode into a buffer of exactly the
// measured size) only when that buffer was too small.  The stream is the
// same either way: the encoder writes the same bytes whatever the
// capacity, and a stream that does not fit fails as a whole.
#pragma once

#include <cstdint>
#include <memory>

#include "common/contracts/jpeg_encode_params.h"

// The capacity of the single pass: the image's pixels at three bytes each
// and room for the headers, at most kJpegDirectLimit (larger images are
// measured first).
inline constexpr uint64_t kJpegDirectLimit = 256u << 20;
uint64_t Img_JpegDirectCapacity(uint32_t width, uint32_t height);

// Encodes the image the record describes (its output fields are set here).
// On success *out holds the stream and params->output_size its length; 0
// when the encoder failed (nothing in *out).  `passes` (when given)
// receives the number of encoder calls.
uint32_t Img_JpegEncodeStream(JpegEncodeStartProc encode, JpegEncodeParams* params, std::unique_ptr<uint8_t[]>* out,
                              uint32_t* passes = nullptr);
