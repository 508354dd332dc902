#include "ljpeg/jpeg_markers.h"

#include "ljpeg/jpeg_tables.h"

bool JpegWriteSoi(JpegStream* s) { return JpegStreamWrite16(s, 0xFFD8); }

bool JpegWriteEoi(JpegStream* s) { return JpegStreamWrite16(s, 0xFFD9); }

bool JpegWriteApp0(JpegStream* s) {
  static const uint8_t kBody[14] = {'J', 'F', 'I', 'F', 0,  // identifier
                                    1,   1,                 // version 1.01
                                    0,                      // no density units
                                    0,   1,   0,   1,       // densities 1:1
                                    0,   0};                // no thumbnail
  if (!JpegStreamWrite16(s, 0xFFE0) || !JpegStreamWrite16(s, 16)) return false;
  for (uint8_t b : kBody)
    if (!JpegStreamWriteByte(s, b)) return false;
  return true;
}

bool JpegWriteDht(JpegStream* s, uint8_t components) {
  const int tables = components == 1 ? 2 : 4;
  uint16_t length = 2;
  for (int t = 0; t < tables; ++t) length += uint16_t(17 + kJpegHuffSpecs[t].symbol_count);
  if (!JpegStreamWrite16(s, 0xFFC4) || !JpegStreamWrite16(s, length)) return false;
  for (int t = 0; t < tables; ++t) {
    const JpegHuffSpec& spec = kJpegHuffSpecs[t];
    if (!JpegStreamWriteByte(s, spec.class_and_id)) return false;
    for (uint8_t count : spec.counts)
      if (!JpegStreamWriteByte(s, count)) return false;
    for (uint16_t i = 0; i < spec.symbol_count; ++i)
      if (!JpegStreamWriteByte(s, spec.symbols[i])) return false;
  }
  return true;
}

bool JpegWriteDqt(JpegStream* s, uint8_t components, uint8_t quality, JpegQuantTable tables[2]) {
  const uint8_t count = components == 1 ? 1 : 2;
  if (!JpegStreamWrite16(s, 0xFFDB) || !JpegStreamWrite16(s, uint16_t(2 + 65 * count))) return false;
  for (uint8_t id = 0; id < count; ++id) {
    uint8_t values[64];
    JpegScaleQuantValues(kJpegQuantBase[id], quality, values);
    JpegBuildQuantTable(id, values, &tables[id]);
    if (!JpegStreamWriteByte(s, id)) return false;  // precision 0, identifier
    for (int k = 0; k < 64; ++k)
      if (!JpegStreamWriteByte(s, values[kJpegZigzag[k]])) return false;
  }
  return true;
}

bool JpegWriteSof0(JpegStream* s, const JpegFrame& frame) {
  if (!JpegStreamWrite16(s, 0xFFC0) || !JpegStreamWrite16(s, uint16_t(8 + 3 * frame.components)) ||
      !JpegStreamWriteByte(s, 8) || !JpegStreamWrite16(s, frame.height) ||
      !JpegStreamWrite16(s, frame.width) || !JpegStreamWriteByte(s, frame.components))
    return false;
  for (uint8_t c = 0; c < frame.components; ++c) {
    const uint8_t sampling = c == 0 ? frame.luma_sampling : 0x11;
    const uint8_t table = c == 0 ? 0 : 1;
    if (!JpegStreamWriteByte(s, uint8_t(c + 1)) || !JpegStreamWriteByte(s, sampling) ||
        !JpegStreamWriteByte(s, table))
      return false;
  }
  return true;
}

bool JpegWriteSos(JpegStream* s, uint8_t components) {
  if (!JpegStreamWrite16(s, 0xFFDA) || !JpegStreamWrite16(s, uint16_t(6 + 2 * components)) ||
      !JpegStreamWriteByte(s, components))
    return false;
  for (uint8_t c = 0; c < components; ++c) {
    if (!JpegStreamWriteByte(s, uint8_t(c + 1)) || !JpegStreamWriteByte(s, c == 0 ? 0x00 : 0x11))
      return false;
  }
  return JpegStreamWriteByte(s, 0) && JpegStreamWriteByte(s, 63) && JpegStreamWriteByte(s, 0);
}
