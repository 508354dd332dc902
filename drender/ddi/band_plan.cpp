// Band planning.
#include "drender/ddi/band_plan.h"

namespace {

uint64_t Up(uint64_t value, uint64_t step) { return step ? (value + step - 1) / step * step : value; }
uint64_t Ceil(uint64_t value, uint64_t by) { return by ? (value + by - 1) / by : 0; }

}  // namespace

BandPlan Rdc_PlanBands(uint32_t width, uint32_t height, uint32_t bands, uint32_t order, uint32_t alignment,
                       uint32_t granularity) {
  BandPlan plan{};
  if (width == 0 || height == 0) return plan;
  if (bands == 0) bands = 1;
  if (alignment == 0) alignment = 1;
  if (granularity == 0) granularity = 1;
  uint64_t w, h, row;
  if (order & 1) {
    w = width;
    h = Up(Ceil(height, bands), granularity);
    row = Up(3ull * width, alignment);
    plan.count = static_cast<uint32_t>(Ceil(height, h));
  } else {
    h = Up(height, granularity);
    row = Up(Ceil(3ull * width, bands), alignment);
    w = row / 3;
    if (w == 0) return BandPlan{};
    plan.count = static_cast<uint32_t>(Ceil(width, w));
  }
  if (plan.count == 0 || plan.count > kMaxBands || row > 0xFFFFFFFFull || h > 0xFFFFFFFFull) return BandPlan{};
  plan.width = static_cast<uint32_t>(w);
  plan.height = static_cast<uint32_t>(h);
  plan.rowBytes = static_cast<uint32_t>(row);
  return plan;
}
