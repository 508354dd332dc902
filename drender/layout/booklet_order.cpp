// Booklet padding, page order and the half turns of the sheet sides.
#include "drender/layout/booklet_order.h"

#include <cstddef>

uint32_t Booklet_PaddedCount(uint32_t pages) { return pages > UINT32_MAX - 3 ? pages & ~3u : (pages + 3) & ~3u; }

std::vector<uint32_t> Booklet_Order(uint32_t count, uint8_t bindingType) {
  const uint32_t n = Booklet_PaddedCount(count);
  std::vector<uint32_t> out;
  out.reserve(n);
  const bool frontFirst = bindingType == 2 || bindingType == 4;
  for (uint32_t sheet = 0; sheet < n / 4; ++sheet) {
    const uint32_t f1 = 2 * sheet, f2 = f1 + 1;
    const uint32_t b1 = n - 1 - 2 * sheet, b2 = b1 - 1;
    if (frontFirst) {
      out.insert(out.end(), {f1, b1, b2, f2});
    } else {
      out.insert(out.end(), {b1, f1, f2, b2});
    }
  }
  return out;
}

std::vector<uint8_t> Booklet_SideRotations(const std::vector<uint8_t>& sideOrientations,
                                           const std::vector<uint8_t>& sideBindsOtherEdge, uint32_t firstSide,
                                           bool invert) {
  std::vector<uint8_t> out;
  out.reserve(sideOrientations.size());
  bool flag = false;
  for (size_t i = 0; i < sideOrientations.size(); ++i) {
    if (i != 0 && sideOrientations[i] != sideOrientations[i - 1]) flag = !flag;
    bool value = flag;
    const bool back = ((firstSide + i) & 1) != 0;
    if (back && i < sideBindsOtherEdge.size() && sideBindsOtherEdge[i] == 1) value = !value;
    if (invert) value = !value;
    out.push_back(value ? 1 : 0);
  }
  return out;
}
