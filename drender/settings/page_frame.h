// The page frame of a job: paper and printable area in tenths of a
// millimetre and in dots, as seen in the page's orientation.
#pragma once

#include <cstdint>

struct PageFrame {
  uint32_t paperWidth;       // 0.1 mm
  uint32_t paperHeight;
  uint32_t printableWidth;   // 0.1 mm
  uint32_t printableHeight;
  uint32_t paperWidthDots;
  uint32_t paperHeightDots;
  uint32_t printableWidthDots;
  uint32_t printableHeightDots;
  uint32_t leftDots;         // offset of the printable area
  uint32_t topDots;
};
static_assert(sizeof(PageFrame) == 40);

struct ModelInfo;
struct DocDMode;

// The job's page frame for an orientation (1 portrait, else landscape):
// paper and margins from the settings, margins in dots from the model's
// entry of the paper (its row of the resolution, or its margins converted,
// or the model's default margins), paper size in dots from the entry's row
// of the resolution or converted.  Conversions use the resolution of their
// own axis (of the portrait page).
void Page_ComputeJobFrame(const ModelInfo* model, const DocDMode* doc, uint32_t resolutionX,
                          uint32_t resolutionY, uint32_t orientation, PageFrame* frame);
