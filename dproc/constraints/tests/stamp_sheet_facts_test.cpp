// The reasons of the overlay icon for every combination the grey output,
// the booklet and the overlay forms can make (the sample fax model has no
// grey output, so the live pass never reaches most of them).
#include <gtest/gtest.h>

#include <vector>

#include "dproc/constraints/stamp_sheet_facts.h"

namespace {

std::vector<uint32_t> Reasons(bool forms, bool bookletModel, int32_t colour, int32_t sides) {
  StampSheetFacts facts{};
  facts.overlayForms = forms;
  uint32_t entries[kStampSheetReasonMax] = {};
  const int n = StampSheetStopReasons(facts, {bookletModel, colour, sides}, 1219, entries);
  return std::vector<uint32_t>(entries, entries + n);
}

TEST(OverlayStopReasons, GreyOutputBookletsAndForms) {
  const struct {
    bool forms, bookletModel;
    int32_t colour, sides;
    std::vector<uint32_t> expected;
  } cases[] = {
      // A model without booklets: grey output says so, a missing form too.
      {true, false, 1, 1, {155}},
      {false, false, 1, 1, {155, 158}},
      {false, false, 1, 3, {155, 158}},
      {true, false, 1, 3, {155}},
      {true, false, 0, 3, {}},
      {false, false, 2, 1, {158}},
      // A booklet model with grey output.
      {true, true, 1, 1, {156}},
      {false, true, 1, 1, {156, 158}},
      {true, true, 1, 3, {156, 157}},
      {false, true, 1, 3, {158}},
      // A booklet model in colour.
      {true, true, 0, 3, {157}},
      {true, true, 0, 1, {}},
      {false, true, 0, 3, {158}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reasons(c.forms, c.bookletModel, c.colour, c.sides), c.expected)
        << c.forms << c.bookletModel << " colour " << c.colour << " sides " << c.sides;
  }
}

TEST(OverlayStopReasons, OtherIconsIgnoreTheOverlaySettings) {
  StampSheetFacts facts{};
  uint32_t entries[kStampSheetReasonMax] = {};
  for (uint32_t id : {2191u, 2192u, 2193u, 2194u, 2195u, 2196u, 2215u, 2217u, 0u}) {
    EXPECT_EQ(StampSheetStopReasons(facts, {true, 1, 3}, id, entries), 0) << id;
  }
}

}  // namespace
