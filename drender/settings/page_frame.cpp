// The job's page frame.
#include "drender/settings/page_frame.h"

#include <cstring>

#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"
#include "drender/model/model_features.h"

namespace {


uint32_t DocLength(const DocDMode* doc, uint32_t at) {
  int16_t v = DocI16(doc, at);
  return v > 0 ? static_cast<uint32_t>(v) : 0;
}

uint32_t ToDots(uint32_t tenthsMm, uint32_t dpi) {
  return static_cast<uint32_t>(uint64_t{tenthsMm} * dpi / 254);
}

uint32_t Less(uint32_t a, uint32_t b, uint32_t c) { return a > b + c ? a - b - c : 0; }

// Left, top, right, bottom margin in dots of the paper: the entry's row of
// the horizontal resolution, else its margins (or the model's default
// margins) converted, each at the resolution of its own axis.
void MarginDots(const ModelInfo* model, const PaperSizeEntry* paper, uint32_t resolutionX, uint32_t resolutionY,
                uint32_t out[4]) {
  if (paper && paper->resolutionMarginsFlag && Rdc_FindMarginRow(paper->resolutionMargins, resolutionX, out)) return;
  if (paper && paper->marginsFlag) {
    for (int i = 0; i < 4; ++i) out[i] = Rdc_MarginToDots(paper->margins[i], i % 2 ? resolutionY : resolutionX);
    return;
  }
  uint32_t x[4], y[4];
  Rdc_GetResolutionMargins(model, x, resolutionX);
  Rdc_GetResolutionMargins(model, y, resolutionY);
  out[0] = x[0];
  out[1] = y[1];
  out[2] = x[2];
  out[3] = y[3];
}

}  // namespace

void Page_ComputeJobFrame(const ModelInfo* model, const DocDMode* doc, uint32_t resolutionX,
                          uint32_t resolutionY, uint32_t orientation, PageFrame* frame) {
  std::memset(frame, 0, sizeof(*frame));
  if (!doc) return;
  const bool portrait = orientation == 1;
  const uint32_t width = DocLength(doc, kDocPaperWidthAt);
  const uint32_t length = DocLength(doc, kDocPaperLengthAt);
  uint32_t m[4];
  for (int i = 0; i < 4; ++i) m[i] = DocLength(doc, kDocPaperMarginsAt + 2 * i);
  const uint32_t printableWidth = Less(width, m[0], m[2]);
  const uint32_t printableLength = Less(length, m[1], m[3]);
  frame->paperWidth = portrait ? width : length;
  frame->paperHeight = portrait ? length : width;
  frame->printableWidth = portrait ? printableWidth : printableLength;
  frame->printableHeight = portrait ? printableLength : printableWidth;

  const PaperSizeEntry* paper = FindPaperById(model, static_cast<uint16_t>(DocI16(doc, kDocPaperSizeAt)));
  uint32_t dots[4];
  MarginDots(model, paper, resolutionX, resolutionY, dots);
  uint32_t widthDots = ToDots(width, resolutionX);
  uint32_t lengthDots = ToDots(length, resolutionY);
  if (paper) {
    uint32_t rows = paper->pageSizeCount < 6 ? paper->pageSizeCount : 6;
    for (uint32_t i = 0; i < rows; ++i) {
      const PageSizeEntry& row = paper->pageSizes[i];
      if (row.resolution != 0 && (row.resolution == resolutionX || row.resolution == resolutionY)) {
        widthDots = row.width;
        lengthDots = row.length;
        break;
      }
    }
  }
  uint32_t left = dots[0], top = dots[1], right = dots[2], bottom = dots[3];
  if (!portrait) {
    // Landscape turns the page; the rotation flag says which way.
    const bool turnedBack = DocByte(doc, kDocLandscapeRotationAt) != 0;
    uint32_t l = left, t = top, r = right, b = bottom;
    left = turnedBack ? t : b;
    top = turnedBack ? r : l;
    right = turnedBack ? b : t;
    bottom = turnedBack ? l : r;
  }
  frame->paperWidthDots = portrait ? widthDots : lengthDots;
  frame->paperHeightDots = portrait ? lengthDots : widthDots;
  frame->leftDots = left;
  frame->topDots = top;
  frame->printableWidthDots = Less(frame->paperWidthDots, left, right);
  frame->printableHeightDots = Less(frame->paperHeightDots, top, bottom);
}
