// The driver booklet: pages padded with blank ones to whole sheets of four
// page sides, their order on the sheets so that the folded stack reads in
// order, and the half turn of each sheet side.
#pragma once

#include <cstdint>
#include <vector>

// The page count padded to a multiple of 4 (the blank pages follow the
// last page).  0 stays 0.
uint32_t Booklet_PaddedCount(uint32_t pages);

// The order of `count` pages (count a multiple of 4; a shorter last group
// is padded first) as indices from 0: for every sheet, the two next pages
// from the front (f1, f2) and the two next from the back (b1 the last, b2
// the one before): binding types 2 and 4 give f1 b1 b2 f2, the others
// b1 f1 f2 b2.  Eight pages give 8 1 2 7 6 3 4 5, or 1 8 7 2 3 6 5 4.
// An index at or above the unpadded page count is a blank page.
std::vector<uint32_t> Booklet_Order(uint32_t count, uint8_t bindingType);

// The Rotate180 of each sheet side (two ordered pages a side): a running
// flag toggles whenever a side's orientation differs from the previous
// side's; on a back side (the job's side counter odd, counting from
// `firstSide`) whose duplex binding rule answers 1 the flag's inverse is
// used; `invert` inverts every result once more.
std::vector<uint8_t> Booklet_SideRotations(const std::vector<uint8_t>& sideOrientations,
                                           const std::vector<uint8_t>& sideBindsOtherEdge, uint32_t firstSide,
                                           bool invert);
