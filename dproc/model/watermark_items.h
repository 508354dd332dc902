// The items of the description file's "Watermark" section: 80 bytes each,
// the 16-byte entry head, then the offsets of three wide texts (the name at
// byte 20, the text printed at 32, the face at 44), style, size, colour,
// angle, position, frame and the three print options.  One reader for the
// model's default watermark in the settings and for the default list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"
#include "common/records/watermark_info.h"

inline constexpr size_t kWatermarkItemBytes = 80;

// A wide text of the file into a packed field of `units` characters, ended
// within it; empty when it cannot be read.
void ReadWideField(QxdContext* ctx, uint32_t offset, void* field, size_t units);

// The item's watermark, its texts read from the file (an unreadable text is
// empty); the key is left to the caller.
WaterMarkInfo DecodeWatermarkItem(QxdContext* ctx, const uint8_t (&item)[kWatermarkItemBytes]);
