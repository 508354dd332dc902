// Parameter record of the JPEG encoder library (VELDRANL.DLL) and the type of
// its single export, shared by the encoder and the render core that binds it.
//
// The caller fills the record, calls Jpeg_EncodeStart with pass 0 to learn
// the stream size (output may be null), allocates that many bytes, sets
// output and calls pass 1 with output_size left at the measured value.  The
// encoder writes output_size in both passes (0 after a failed encoding).  A
// result of 0 is success; anything else is failure.
//
// Source pixels: rows of ((width * bits_per_pixel + 31) / 32) * 4 bytes,
// stored bottom-up (the image's bottom row at byte 0).
#pragma once

#include <cstddef>
#include <cstdint>

struct JpegEncodeParams {
  const uint8_t* source;    // first byte of the pixel block
  int32_t source_size;      // bytes readable at source; a negative count
                            //   (height times a negative row step) is taken
                            //   as its magnitude
  uint8_t* output;          // output buffer, read in pass 1 only
  uint32_t output_size;     // pass 1: capacity; both passes: stream size
  uint32_t width;           // pixels per row, 1 to 65535
  uint32_t height;          // rows, 1 to 65535
  int32_t row_stride;       // for the caller's own use; not read
  uint16_t bits_per_pixel;  // 8 (grey), 16 (5-5-5), 24 or 32
  uint8_t quality;          // 1 to 100
  uint8_t subsampling;      // 0: 2x2, 1: 2x1, 2: none (colour only)
  uint8_t pixel_order;      // 1: blue first; any other value: red first
  uint8_t reserved[3];
};

#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(JpegEncodeParams) == 48);
static_assert(offsetof(JpegEncodeParams, source_size) == 8);
static_assert(offsetof(JpegEncodeParams, output) == 16);
static_assert(offsetof(JpegEncodeParams, output_size) == 24);
static_assert(offsetof(JpegEncodeParams, width) == 28);
static_assert(offsetof(JpegEncodeParams, height) == 32);
static_assert(offsetof(JpegEncodeParams, row_stride) == 36);
static_assert(offsetof(JpegEncodeParams, bits_per_pixel) == 40);
static_assert(offsetof(JpegEncodeParams, quality) == 42);
static_assert(offsetof(JpegEncodeParams, subsampling) == 43);
static_assert(offsetof(JpegEncodeParams, pixel_order) == 44);
#else
static_assert(sizeof(JpegEncodeParams) == 36);
static_assert(offsetof(JpegEncodeParams, source_size) == 4);
static_assert(offsetof(JpegEncodeParams, output) == 8);
static_assert(offsetof(JpegEncodeParams, output_size) == 12);
static_assert(offsetof(JpegEncodeParams, width) == 16);
static_assert(offsetof(JpegEncodeParams, height) == 20);
static_assert(offsetof(JpegEncodeParams, row_stride) == 24);
static_assert(offsetof(JpegEncodeParams, bits_per_pixel) == 28);
static_assert(offsetof(JpegEncodeParams, quality) == 30);
static_assert(offsetof(JpegEncodeParams, subsampling) == 31);
static_assert(offsetof(JpegEncodeParams, pixel_order) == 32);
#endif
static_assert(offsetof(JpegEncodeParams, source) == 0);

inline constexpr uint32_t kJpegPassMeasure = 0;
inline constexpr uint32_t kJpegPassEncode = 1;

// The export, bound by name (common/win/bind_export.h).
inline constexpr char kJpegEncodeStartName[] = "Jpeg_EncodeStart";
#if defined(_WIN32) && !defined(_WIN64)
#define JPEG_ENCODE_CALL __stdcall
#else
#define JPEG_ENCODE_CALL
#endif
// Only the low byte of pass counts.
typedef uint16_t(JPEG_ENCODE_CALL* JpegEncodeStartProc)(JpegEncodeParams* params, uint32_t pass);
