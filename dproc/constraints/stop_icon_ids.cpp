#include "dproc/constraints/stop_icon_ids.h"

const uint32_t kStopIconControlIds[kStopIconRows] = {
    1115, 1110, 1108, 1111, 2242, 1140, 1195, 1196, 1112, 1125, 1113, 2211, 2212, 2279, 1407, 1608, 1399, 1425,
    1891, 1217, 1151, 1152, 1153, 2277, 2278, 2214, 1154, 1155, 2216, 2215, 2217, 2218, 2219, 2220, 2280, 2221,
    2281, 2282, 1120, 2222, 1219, 1643, 1117, 1119, 1297, 2213, 1167, 2257, 2259, 1168, 2343, 2349, 2351, 2354,
    2346, 1636, 1503, 1402, 1403, 1505, 1508, 1400, 1401, 1510, 1512, 1515, 1518, 1521, 1464, 1881, 1548, 1927,
    1929, 2194, 2192, 2193, 2191, 2195, 2196, 2340, 2197, 2198, 2199, 2203, 2204, 2205, 2206, 2210, 2200, 2201,
    2202, 2207, 2208, 2303, 2209, 1995, 2223, 2224, 2226, 2230, 2231, 2232, 2233, 2236, 2260, 2264, 2262, 2528,
    2271, 2518, 2519, 2520, 2521, 2316, 2502, 2503, 2513, 2514, 2515, 2504, 2523, 2522,
};

namespace {

// Balloons whose tail points right, up, or down at the left; the others
// point down.
constexpr uint32_t kTailRight[] = {2279, 2217, 2218, 2222, 1219, 1927, 2194, 2192, 2193, 2191, 2195,
                                   2196, 2340, 2200, 2201, 2202, 2207, 2208, 2303, 2209, 1995, 2236,
                                   2260, 2264, 2262, 2528, 2271, 2518, 2519, 2521, 2503, 2523};
constexpr uint32_t kTailUp[] = {1929};
constexpr uint32_t kTailDownLeft[] = {2226, 2231, 2232, 2233};

template <size_t N>
bool Listed(const uint32_t (&ids)[N], uint32_t id) {
  for (uint32_t x : ids) {
    if (x == id) return true;
  }
  return false;
}

}  // namespace

bool IsStopIconId(uint32_t controlId) { return Listed(kStopIconControlIds, controlId); }

uint16_t StopIconImageOf(uint32_t controlId) {
  if (Listed(kTailRight, controlId)) return 202;
  if (Listed(kTailUp, controlId)) return 403;
  if (Listed(kTailDownLeft, controlId)) return 405;
  return 198;
}
