#include "ljpeg/jpeg_encoder.h"

#include <cstring>

#include "ljpeg/jpeg_block_coder.h"
#include "ljpeg/jpeg_kernels.h"
#include "ljpeg/jpeg_markers.h"
#include "ljpeg/jpeg_pixels.h"
#include "ljpeg/jpeg_quant.h"
#include "ljpeg/jpeg_stream.h"
#include "ljpeg/jpeg_tables.h"

namespace {

// The record of one call.
struct JpegEncoderState {
  uint8_t components;  // 1 grey, 3 colour; the frame and the scan agree
  uint32_t width;
  uint32_t height;
  uint32_t bytes_per_pixel;
  uint64_t stride;         // source row stride
  uint64_t source_size;    // bytes readable at source
  const uint8_t* source;
  JpegSampling sampling;   // grey: 8 x 8
  uint32_t blocks_per_mcu;
  JpegRowConverter convert;
  JpegDownsampler downsample;  // none for grey
  const JpegKernelTable* kernels;
  JpegHuffTable huffman[4];
  JpegQuantTable quant[2];
  JpegComponentCoder coders[3];
  JpegStream out;
  uint16_t status;
};

// The first MCU whose source rows reach past the source's end, or total
// when none does.  MCU rows lower in the image lie lower in memory, so only
// the first MCU row can be the first to fail.
uint32_t FirstShortMcu(const JpegEncoderState& st, uint32_t mcus_per_row, uint32_t total) {
  const uint64_t top_row = uint64_t(st.height - 1) * st.stride;
  for (uint32_t col = 0; col < mcus_per_row; ++col) {
    const uint32_t c0 = col * st.sampling.mcu_width;
    const uint32_t n = st.width - c0 < st.sampling.mcu_width ? st.width - c0 : st.sampling.mcu_width;
    if (top_row + uint64_t(c0 + n) * st.bytes_per_pixel > st.source_size) return col;
  }
  return total;
}

bool EncodeScan(JpegEncoderState* st) {
  const uint32_t mcu_w = st->sampling.mcu_width;
  const uint32_t mcu_h = st->sampling.mcu_height;
  const uint32_t mcus_per_row = (st->width + mcu_w - 1) / mcu_w;
  const uint32_t mcu_rows = (st->height + mcu_h - 1) / mcu_h;
  const uint32_t total = mcus_per_row * mcu_rows;
  const uint32_t short_mcu = FirstShortMcu(*st, mcus_per_row, total);
  const uint32_t luma_blocks = uint32_t(st->sampling.luma_h) * st->sampling.luma_v;

  uint8_t planes[3][256];
  uint8_t blocks[384];
  int16_t coefficients[6 * 64];
  uint64_t ac_nonzero[6];
  const JpegQuantTable* tables[6];
  for (uint32_t b = 0; b < st->blocks_per_mcu; ++b) tables[b] = &st->quant[b < luma_blocks ? 0 : 1];
  const bool grey = st->components == 1;
  uint8_t* mcu_blocks = grey ? planes[0] : blocks;

  uint32_t m = 0;
  for (uint32_t row = 0; row < mcu_rows; ++row) {
    const uint32_t y0 = row * mcu_h;
    const uint32_t rows_left = st->height - y0;
    for (uint32_t col = 0; col < mcus_per_row; ++col, ++m) {
      if (m == short_mcu) {
        st->status |= kJpegStatusOverrun;
        return false;
      }
      const uint32_t c0 = col * mcu_w;
      const uint32_t n = st->width - c0 < mcu_w ? st->width - c0 : mcu_w;
      for (uint32_t i = 0; i < mcu_h; ++i) {
        uint8_t* y = planes[0] + i * mcu_w;
        uint8_t* cb = planes[1] + i * mcu_w;
        uint8_t* cr = planes[2] + i * mcu_w;
        if (i < rows_left) {
          const uint8_t* src = st->source + uint64_t(rows_left - 1 - i) * st->stride +
                               uint64_t(c0) * st->bytes_per_pixel;
          // The MCU's rows are as many separate streams through memory:
          // ask for each one's bytes a few MCUs ahead.
          __builtin_prefetch(src + 256);
          st->convert(src, n, mcu_w, y, cb, cr);
        } else {
          std::memcpy(y, y - mcu_w, mcu_w);
          if (!grey) {
            std::memcpy(cb, cb - mcu_w, mcu_w);
            std::memcpy(cr, cr - mcu_w, mcu_w);
          }
        }
      }
      if (!grey) st->downsample(planes[0], planes[1], planes[2], blocks);
      st->kernels->transform(mcu_blocks, st->blocks_per_mcu, tables, coefficients, ac_nonzero);
      for (uint32_t b = 0; b < st->blocks_per_mcu; ++b) {
        const uint32_t component = b < luma_blocks ? 0 : b - luma_blocks + 1;
        if (!JpegEncodeBlockMasked(&st->out, &st->coders[component], coefficients + 64 * b, ac_nonzero[b]))
          return false;
      }
    }
  }
  return true;
}

}  // namespace

uint16_t JpegEncode(JpegEncodeParams* params, uint32_t pass) {
  return JpegEncodeWith(JpegSelectKernels(), params, pass);
}

uint16_t JpegEncodeWith(const JpegKernelTable* kernels, JpegEncodeParams* params, uint32_t pass) {
  if (params == nullptr) return kJpegStatusBadParameter;
  if (params->width == 0 || params->height == 0 || params->width > 0xFFFF ||
      params->height > 0xFFFF)
    return kJpegStatusBadSize;
  if (params->quality == 0 || params->quality > 100) return kJpegStatusBadParameter;
  if (params->subsampling > 2) return kJpegStatusBadParameter;
  const int depth = JpegDepthIndex(params->bits_per_pixel);
  if (depth < 0) return kJpegStatusBadDepth;
  const JpegRowConverter convert = kernels->convert[depth][params->pixel_order == 1 ? 1 : 0];
  pass &= 0xFF;
  if (pass != kJpegPassMeasure && pass != kJpegPassEncode) return kJpegStatusBadParameter;

  JpegEncoderState st;
  st.status = kJpegStatusBase;
  st.components = params->bits_per_pixel == 8 ? 1 : 3;
  st.width = params->width;
  st.height = params->height;
  st.bytes_per_pixel = params->bits_per_pixel / 8u;
  st.stride = (uint64_t(params->width) * params->bits_per_pixel + 31) / 32 * 4;
  const int64_t size = params->source_size;
  st.source = params->source;
  st.source_size = params->source == nullptr ? 0 : uint64_t(size < 0 ? -size : size);
  st.convert = convert;
  st.kernels = kernels;
  if (st.components == 1) {
    st.sampling = {8, 8, 1, 1};
    st.downsample = nullptr;
    st.blocks_per_mcu = 1;
  } else {
    JpegChooseSampling(params->subsampling, &st.sampling);
    st.downsample = kernels->downsample[params->subsampling];
    st.blocks_per_mcu = uint32_t(st.sampling.luma_h) * st.sampling.luma_v + 2;
  }
  const int tables = st.components == 1 ? 2 : 4;
  for (int t = 0; t < tables; ++t) JpegBuildHuffTable(kJpegHuffSpecs[t], &st.huffman[t]);
  st.coders[0] = {&st.huffman[0], &st.huffman[1], 0};
  st.coders[1] = {&st.huffman[2], &st.huffman[3], 0};
  st.coders[2] = {&st.huffman[2], &st.huffman[3], 0};
  if (pass == kJpegPassMeasure)
    JpegStreamOpenCounter(&st.out);
  else
    JpegStreamOpenMemory(&st.out, params->output, params->output_size);

  const JpegFrame frame = {uint16_t(st.width), uint16_t(st.height), st.components,
                           uint8_t(st.sampling.luma_h * 16 + st.sampling.luma_v)};
  uint16_t stage = 0;
  bool ok = JpegWriteSoi(&st.out);
  if (ok && !JpegWriteApp0(&st.out)) ok = false, stage = kJpegStageApp0;
  if (ok && !JpegWriteDht(&st.out, st.components)) ok = false, stage = kJpegStageDht;
  if (ok && !JpegWriteDqt(&st.out, st.components, params->quality, st.quant))
    ok = false, stage = kJpegStageDqt;
  if (ok && !JpegWriteSof0(&st.out, frame)) ok = false, stage = kJpegStageSof0;
  if (ok && !JpegWriteSos(&st.out, st.components)) ok = false, stage = kJpegStageScan;
  if (ok && !(EncodeScan(&st) && JpegStreamFlushBits(&st.out))) ok = false, stage = kJpegStageScan;
  if (ok) ok = JpegWriteEoi(&st.out);

  st.status |= stage | st.out.status;
  const uint32_t written = ok ? JpegStreamSize(&st.out) : 0;
  params->output_size = written;
  return written != 0 ? 0 : st.status;
}
