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
  JpegDownsampler downsample;
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

// Pixels converted by one call of the row converter: a strip of whole MCUs
// (a multiple of every MCU width), whose samples for the MCU's rows stay on
// the stack.
constexpr uint32_t kStripWidth = 256;

bool EncodeScan(JpegEncoderState* st) {
  const uint32_t mcu_w = st->sampling.mcu_width;
  const uint32_t mcu_h = st->sampling.mcu_height;
  const uint32_t mcus_per_row = (st->width + mcu_w - 1) / mcu_w;
  const uint32_t mcu_rows = (st->height + mcu_h - 1) / mcu_h;
  const uint32_t total = mcus_per_row * mcu_rows;
  const uint32_t short_mcu = FirstShortMcu(*st, mcus_per_row, total);
  const uint32_t luma_blocks = uint32_t(st->sampling.luma_h) * st->sampling.luma_v;
  const uint32_t strip_mcus = kStripWidth / mcu_w;

  // The three planes lie apart by a little more than their size, so that
  // the same sample of each does not fall at the same place of a 4 KB page
  // (where the processor confuses a store to one with a load of another).
  constexpr uint32_t kPlaneStep = 16 * kStripWidth + 160;
  uint8_t samples[3 * kPlaneStep];
  uint8_t* const planes[3] = {samples, samples + kPlaneStep, samples + 2 * kPlaneStep};
  uint8_t blocks[384];
  int16_t coefficients[6 * 64];
  uint64_t ac_nonzero[6];
  const JpegQuantTable* tables[6];
  for (uint32_t b = 0; b < st->blocks_per_mcu; ++b) tables[b] = &st->quant[b < luma_blocks ? 0 : 1];
  const bool grey = st->components == 1;

  for (uint32_t row = 0; row < mcu_rows; ++row) {
    const uint32_t y0 = row * mcu_h;
    const uint32_t rows_left = st->height - y0;
    for (uint32_t first_col = 0; first_col < mcus_per_row; first_col += strip_mcus) {
      const uint32_t cols = mcus_per_row - first_col < strip_mcus ? mcus_per_row - first_col : strip_mcus;
      const uint32_t first = row * mcus_per_row + first_col;
      // The strip's pixels that the source holds: only the MCUs before the
      // first short one (see FirstShortMcu) are read.
      const uint32_t readable = short_mcu <= first ? 0 : short_mcu - first < cols ? short_mcu - first : cols;
      const uint32_t c0 = first_col * mcu_w;
      const uint32_t in_image = st->width - c0;
      const uint32_t n = readable * mcu_w < in_image ? readable * mcu_w : in_image;
      const uint32_t strip_w = cols * mcu_w;
      if (n > 0) {
        for (uint32_t i = 0; i < mcu_h; ++i) {
          uint8_t* y = planes[0] + i * kStripWidth;
          uint8_t* cb = planes[1] + i * kStripWidth;
          uint8_t* cr = planes[2] + i * kStripWidth;
          if (i < rows_left) {
            const uint8_t* src = st->source + uint64_t(rows_left - 1 - i) * st->stride +
                                 uint64_t(c0) * st->bytes_per_pixel;
            // The MCU rows are as many separate streams through memory:
            // ask for each one's bytes of the next strip now.
            const uint64_t next = uint64_t(src - st->source) + uint64_t(n) * st->bytes_per_pixel;
            for (uint64_t k = next; k < next + kStripWidth * 4 && k < st->source_size; k += 64)
              __builtin_prefetch(st->source + k);
            st->convert(src, n, strip_w, y, cb, cr);
          } else {
            std::memcpy(y, y - kStripWidth, strip_w);
            if (!grey) {
              std::memcpy(cb, cb - kStripWidth, strip_w);
              std::memcpy(cr, cr - kStripWidth, strip_w);
            }
          }
        }
      }
      for (uint32_t col = 0; col < cols; ++col) {
        if (first + col == short_mcu) {
          st->status |= kJpegStatusOverrun;
          return false;
        }
        const uint32_t x = col * mcu_w;
        st->downsample(planes[0] + x, planes[1] + x, planes[2] + x, kStripWidth, blocks);
        st->kernels->transform(blocks, st->blocks_per_mcu, tables, coefficients, ac_nonzero);
        for (uint32_t b = 0; b < st->blocks_per_mcu; ++b) {
          const uint32_t component = b < luma_blocks ? 0 : b - luma_blocks + 1;
          if (!JpegEncodeBlockMasked(&st->out, &st->coders[component], coefficients + 64 * b, ac_nonzero[b]))
            return false;
        }
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
    st.downsample = kernels->downsample[3];
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
