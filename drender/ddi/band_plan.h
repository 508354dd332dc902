// The band plan of a surface: how many bands of which size cover the
// printable area for a band count asked for.  Pure code.
#pragma once

#include <cstdint>

struct BandPlan {
  uint32_t count;     // bands needed to cover the page, 1 to 128; 0 for an empty page
  uint32_t width;     // dots of one band
  uint32_t height;
  uint32_t rowBytes;  // of a 24-bit row, aligned
};

inline constexpr uint32_t kMaxBands = 128;

// Band order with bit 0 set: bands across the page, one above the other;
// otherwise strips side by side, each as high as the page.
BandPlan Rdc_PlanBands(uint32_t width, uint32_t height, uint32_t bands, uint32_t order, uint32_t alignment,
                       uint32_t granularity);
