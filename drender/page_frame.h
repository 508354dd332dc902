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
