// Staple and punch positions by feed direction, and the finishing controls.
#include <gtest/gtest.h>

#include <cstring>

#include "dproc/constraints/finishing_rules.h"

namespace {

TEST(FinishingRules, PositionsByFeedDirection) {
  FinishPositionItem staples[3] = {};
  std::strcpy(staples[0].keyword, "TopLeft");
  staples[0].value = 1;
  std::strcpy(staples[1].keyword, "Dual");
  staples[1].value = 4;
  // Direction 15: refused with warning 60; 16: changed to 1 with question 61;
  // 17: neither.
  const uint32_t dual[12] = {0, 60, 0, 0, 1, 0, 1, 61, 0, 0, 0, 0};
  std::memcpy(staples[1].feedData, dual, sizeof dual);
  ModelInfo model = {};
  model.staples = staples;
  model.holePunches = staples;

  struct Case {
    int32_t value;
    uint32_t direction, refusal, change;
    int32_t replacement;
  } cases[] = {{4, 15, 60, 0, 0}, {4, 16, 0, 61, 1}, {4, 17, 0, 0, 0}, {4, 14, 0, 0, 0},
               {4, 18, 0, 0, 0},  {1, 15, 0, 0, 0},  {9, 16, 0, 0, 0}};
  for (const Case& c : cases) {
    int32_t replacement = -1;
    EXPECT_EQ(GetStapleRefusalText(&model, c.value, c.direction), c.refusal) << c.value << "/" << c.direction;
    EXPECT_EQ(GetStapleChange(&model, c.value, c.direction, &replacement), c.change) << c.value << "/" << c.direction;
    EXPECT_EQ(replacement, c.replacement);
    EXPECT_EQ(GetHolePunchRefusalText(&model, c.value, c.direction), c.refusal);
    EXPECT_EQ(GetHolePunchChange(&model, c.value, c.direction, nullptr), c.change);
  }
  EXPECT_EQ(GetStapleRefusalText(nullptr, 4, 15), 0u);
  model.staples = nullptr;
  EXPECT_EQ(GetStapleChange(&model, 4, 16, nullptr), 0u);
}

TEST(FinishingRules, FinishingControlsAndPerPageStaples) {
  ModelInfo model = {};
  for (uint32_t id : {1000u, 1020u, 1023u, 1025u, 1040u, 1046u, 1296u, 1779u}) EXPECT_EQ(IsFinishingControl(&model, id), 1);
  EXPECT_EQ(IsFinishingControl(&model, 1047), 0);
  model.features[kMfBindingEdge4] = 1;
  EXPECT_EQ(IsFinishingControl(&model, 1000), 0);

  const int32_t codes[][2] = {{257, 1}, {258, 2}, {261, 3}, {262, 4}, {263, 5}, {264, 6}, {265, 7}, {266, 8}};
  for (const auto& c : codes) {
    int32_t option = 0;
    EXPECT_TRUE(PerPageStapleToOption(c[0], &option));
    EXPECT_EQ(option, c[1]);
  }
  for (int32_t code : {259, 260, 0, 267}) EXPECT_FALSE(PerPageStapleToOption(code, nullptr)) << code;
}

}  // namespace
