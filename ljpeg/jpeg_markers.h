// The marker segments of the stream, in their order: SOI, APP0 (JFIF), DHT,
// DQT, SOF0, SOS, then the entropy-coded data and EOI.  Each writer returns
// false when the output runs out.
#pragma once

#include <cstdint>

#include "ljpeg/jpeg_stream.h"
#include "ljpeg/jpeg_quant.h"

struct JpegFrame {
  uint16_t width;
  uint16_t height;
  uint8_t components;     // 1 grey, 3 colour (Y, Cb, Cr)
  uint8_t luma_sampling;  // H * 16 + V of Y; Cb and Cr are 0x11
};

bool JpegWriteSoi(JpegStream* s);
bool JpegWriteApp0(JpegStream* s);
// The luminance tables, and for colour the chrominance tables, in one
// segment.
bool JpegWriteDht(JpegStream* s, uint8_t components);
// Scales the tables to the quality, writes them in zigzag order and builds
// the quantiser's form of each (tables[0] luminance, tables[1] chrominance).
bool JpegWriteDqt(JpegStream* s, uint8_t components, uint8_t quality, JpegQuantTable tables[2]);
bool JpegWriteSof0(JpegStream* s, const JpegFrame& frame);
bool JpegWriteSos(JpegStream* s, uint8_t components);
bool JpegWriteEoi(JpegStream* s);
