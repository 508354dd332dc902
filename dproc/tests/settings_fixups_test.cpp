// The settings fix-ups on records built in memory.
#include <gtest/gtest.h>

#include "dproc/model/nup_layout.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/tests/settings_fixture.h"

namespace {

using settingstest::Doc;
using settingstest::Model;

struct Layout {
  uint8_t orientation, nup, nupKind;
};

TEST(AdjustBindingEdge, FourEdgeModelFollowsTheBindingSide) {
  auto m = Model();
  m->features[kMfBindingEdge4] = 1;
  struct Case {
    Layout layout;
    uint8_t edge, expected;
  };
  const Case cases[] = {
      {{2, 0, 0}, 0, 2},  {{1, 0, 0}, 3, 1},  {{1, 0, 0}, 6, 6},  {{1, 0, 0}, 4, 6},
      {{1, 0, 0}, 5, 7},  {{1, 0, 0}, 9, 0},  {{2, 0, 0}, 6, 4},  {{2, 0, 0}, 7, 5},
      {{2, 0, 0}, 3, 3},  {{2, 0, 0}, 15, 2}, {{1, 1, 1}, 0, 2},  {{2, 1, 1}, 2, 0},
      {{2, 1, 8}, 1, 3},  // a poster counts as no N-up
      {{1, 1, 6}, 3, 3},  // unknown N-up kind: no side
  };
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocOrientationAt, c.layout.orientation);
    SetDocByte(d.get(), kDocNupAt, c.layout.nup);
    SetDocByte(d.get(), kDocNupKindAt, c.layout.nupKind);
    SetDocByte(d.get(), kDocBindingEdgeAt, c.edge);
    EXPECT_EQ(AdjustBindingEdge(m.get(), d.get()), c.edge != c.expected ? 1 : 0) << int(c.edge);
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), c.expected)
        << "orientation " << int(c.layout.orientation) << " nup " << int(c.layout.nupKind) << " edge "
        << int(c.edge);
    EXPECT_EQ(FixUpBindingEdge(m.get(), d.get()), 0);
  }
}

TEST(AdjustBindingEdge, OtherModelsKeepTheAutomaticCodes) {
  auto m = Model();
  for (uint8_t edge : {0, 7, 12, 13, 14, 15, 16, 17, 18, 255}) {
    auto d = Doc();
    SetDocByte(d.get(), kDocBindingEdgeAt, edge);
    EXPECT_EQ(FixUpBindingEdge(m.get(), d.get()), 0);  // only four-edge models
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), edge);
    const uint8_t expected = (edge >= 14 && edge <= 17) ? edge : 14;
    EXPECT_EQ(AdjustBindingEdge(m.get(), d.get()), edge != expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), expected) << int(edge);
  }
}

TEST(FixUpNupStyle, FollowsTheLayoutKind) {
  struct Case {
    Layout layout;
    uint8_t style, expected;
  };
  const Case cases[] = {
      {{1, 1, 1}, 5, 0}, {{1, 1, 1}, 3, 1}, {{1, 1, 1}, 1, 1}, {{1, 1, 1}, 2, 0},
      {{2, 1, 1}, 1, 3}, {{2, 1, 1}, 0, 2}, {{2, 1, 1}, 3, 3}, {{2, 1, 1}, 6, 2},
      {{1, 1, 2}, 3, 4}, {{2, 1, 5}, 7, 7}, {{1, 1, 3}, 0, 4}, {{1, 1, 4}, 200, 4},
      {{1, 0, 1}, 3, 3},  // N-up off
      {{1, 1, 8}, 2, 2},  // poster
  };
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocOrientationAt, c.layout.orientation);
    SetDocByte(d.get(), kDocNupAt, c.layout.nup);
    SetDocByte(d.get(), kDocNupKindAt, c.layout.nupKind);
    SetDocByte(d.get(), kDocNupStyleAt, c.style);
    EXPECT_EQ(FixUpNupStyle(d.get()), c.style != c.expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocNupStyleAt), c.expected)
        << "orientation " << int(c.layout.orientation) << " nup " << int(c.layout.nupKind) << " style "
        << int(c.style);
  }
}

// A staple list with two positions: the first is replaced by 5 when the
// paper is fed portrait (15) and by 6 when fed from the right (16).
std::vector<FinishPositionItem> FinishRows() {
  std::vector<FinishPositionItem> rows(3);
  std::memset(rows.data(), 0, rows.size() * sizeof rows[0]);
  const char* keys[] = {"StapleLeft", "StapleRight"};
  for (int i = 0; i < 2; ++i) {
    rows[i].size = sizeof rows[i];
    std::strcpy(rows[i].keyword, keys[i]);
    rows[i].value = static_cast<uint32_t>(i + 1);
  }
  rows[0].feedData[0] = 1;
  rows[0].feedData[2] = 5;
  rows[0].feedData[4] = 1;
  rows[0].feedData[6] = 6;
  rows[1].feedData[2] = 9;  // a replacement without its flag is not used
  return rows;
}

TEST(FixUpFinishPositions, ReplaceByFeedDirection) {
  std::vector<FinishPositionItem> rows = FinishRows();
  auto m = Model();
  m->staples = rows.data();
  m->holePunches = rows.data();
  struct Case {
    uint8_t feed, value, expected;
  };
  const Case cases[] = {{15, 1, 5}, {16, 1, 6}, {17, 1, 1}, {15, 2, 2}, {15, 7, 7}, {3, 1, 1}};
  for (const Case& c : cases) {
    for (uint32_t at : {kDocStapleAt, kDocHolePunchAt}) {
      auto d = Doc();
      SetDocByte(d.get(), kDocBindingEdgeAt, c.feed);  // a fixed edge is the feed direction
      SetDocByte(d.get(), at, c.value);
      const int changed = at == kDocStapleAt ? FixUpStaplePosition(m.get(), d.get())
                                             : FixUpPunchPosition(m.get(), d.get());
      EXPECT_EQ(changed, c.value != c.expected ? 1 : 0);
      EXPECT_EQ(DocByte(d.get(), at), c.expected) << "feed " << int(c.feed) << " value " << int(c.value);
    }
  }
  // Only the staple list serves the staple position.
  m->staples = nullptr;
  auto d = Doc();
  SetDocByte(d.get(), kDocBindingEdgeAt, 15);
  SetDocByte(d.get(), kDocStapleAt, 1);
  EXPECT_EQ(FixUpStaplePosition(m.get(), d.get()), 0);
  EXPECT_EQ(DocByte(d.get(), kDocStapleAt), 1);
}

TEST(FixUpBookletBinding, FollowsTheOrientation) {
  struct Case {
    uint8_t orientation, binding, expected;
  };
  const Case cases[] = {{1, 3, 1}, {1, 4, 2}, {1, 1, 1}, {1, 2, 2}, {1, 0, 1}, {1, 9, 1},
                        {2, 1, 3}, {2, 2, 4}, {2, 4, 4}, {2, 3, 3}, {2, 0, 3}};
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocOrientationAt, c.orientation);
    SetDocByte(d.get(), kDocBookletBindingAt, c.binding);
    EXPECT_EQ(FixUpBookletBinding(d.get()), c.binding != c.expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocBookletBindingAt), c.expected);
  }
}

TEST(FixUpCombinationOrder, FollowsTheEffectiveOrientation) {
  auto m = Model();
  struct Case {
    uint8_t orientation, combination, order, expected;
  };
  const Case cases[] = {
      {1, 0, 2, 4}, {1, 0, 3, 5}, {1, 0, 4, 4}, {2, 0, 4, 2}, {2, 0, 5, 3}, {2, 0, 2, 2},
      {1, 1, 4, 2},  // combination turns the pages: a portrait document counts as landscape
      {2, 1, 3, 5}, {1, 1, 1, 1},
  };
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocOrientationAt, c.orientation);
    SetDocByte(d.get(), kDocCombinationAt, c.combination);
    SetDocByte(d.get(), kDocCombinationKindAt, c.order);
    EXPECT_EQ(FixUpCombinationOrder(m.get(), d.get()), c.order != c.expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocCombinationKindAt), c.expected);
  }
}

TEST(EmfOnlyFixUps, ActOnlyForAnOutsideHost) {
  auto defaults = Doc();
  SetDocByte(defaults.get(), kDocNupKindAt, 1);
  SetDocByte(defaults.get(), kDocDoubleSidesAt, 1);
  auto posterModel = Model();
  posterModel->features[kMfPoster] = 1;
  auto plainModel = Model();
  struct Case {
    const ModelInfo* model;
    FixUpHost host;
    bool resets;
  };
  const Case cases[] = {
      {posterModel.get(), {true, true, false, false}, false},
      {posterModel.get(), {true, false, false, false}, true},
      {posterModel.get(), {true, true, true, false}, true},
      {plainModel.get(), {true, true, false, false}, true},
      {plainModel.get(), {false, false, true, false}, false},
  };
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocNupAt, 1);
    SetDocByte(d.get(), kDocNupKindAt, 8);
    SetDocByte(d.get(), kDocDoubleSidesAt, 3);
    EXPECT_EQ(FixUpEmfOnlyNup(c.model, d.get(), defaults.get(), c.host), c.resets ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocNupKindAt), c.resets ? 1 : 8);
    // The booklet needs metafiles whatever the model says about posters.
    const bool bookletResets = c.host.outsideHost && (!c.host.advPrintFeaturesOn || c.host.rawOnlyPrinter);
    EXPECT_EQ(FixUpEmfOnlyDuplex(d.get(), defaults.get(), c.host), bookletResets ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), bookletResets ? 1 : 3);
  }
  // Inside the driver's own sheets the poster is reset when the model has none.
  auto d = Doc();
  SetDocByte(d.get(), kDocNupKindAt, 9);
  EXPECT_EQ(ResetEmfOnlyNup(plainModel.get(), d.get(), defaults.get(), {false, true, false, false}), 1);
  EXPECT_EQ(DocByte(d.get(), kDocNupKindAt), 1);
}

TEST(FixUpSettingsConflicts, RunsTheFixUpsAndMarksMonoDriversGreyscale) {
  auto m = Model();
  auto defaults = Doc();
  auto d = Doc();
  SetDocByte(d.get(), kDocBindingEdgeAt, 14);
  SetDocByte(d.get(), kDocBookletBindingAt, 1);
  SetDocByte(d.get(), kDocSelectColorAt, 0);
  // Nothing to fix: greyscale for the "Mono" driver is not a change.
  EXPECT_EQ(FixUpSettingsConflicts(m.get(), d.get(), defaults.get(), {false, true, false, true}), 0);
  EXPECT_EQ(DocByte(d.get(), kDocSelectColorAt), 1);

  SetDocByte(d.get(), kDocSelectColorAt, 0);
  SetDocByte(d.get(), kDocNupAt, 1);
  SetDocByte(d.get(), kDocNupKindAt, 1);
  SetDocByte(d.get(), kDocNupStyleAt, 5);
  SetDocByte(d.get(), kDocHolePunchAt, 1);
  std::vector<FinishPositionItem> rows = FinishRows();
  m->holePunches = rows.data();
  m->features[kMfBindingEdge4] = 1;
  SetDocByte(d.get(), kDocBindingEdgeAt, 0);  // 2-up portrait binds on the top or bottom
  EXPECT_EQ(FixUpSettingsConflicts(m.get(), d.get(), defaults.get(), {false, true, false, false}), 1);
  EXPECT_EQ(DocByte(d.get(), kDocNupStyleAt), 0);
  EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), 2);
  EXPECT_EQ(DocByte(d.get(), kDocHolePunchAt), 1);  // the punch position is not fixed here
  EXPECT_EQ(DocByte(d.get(), kDocSelectColorAt), 0);
}

TEST(NupLayoutKind, ByKindAndOrientation) {
  struct Case {
    Layout layout;
    int expected;
  };
  const Case cases[] = {{{1, 1, 1}, 0}, {{2, 1, 1}, 1}, {{2, 1, 2}, 2}, {{1, 1, 5}, 2},
                        {{1, 0, 2}, -1}, {{1, 1, 7}, -1}, {{1, 1, 6}, -1}};
  for (const Case& c : cases) {
    auto d = Doc();
    SetDocByte(d.get(), kDocOrientationAt, c.layout.orientation);
    SetDocByte(d.get(), kDocNupAt, c.layout.nup);
    SetDocByte(d.get(), kDocNupKindAt, c.layout.nupKind);
    EXPECT_EQ(GetNupLayoutKind(d.get()), c.expected);
  }
  EXPECT_EQ(GetNupLayoutKind(nullptr), -1);
}

}  // namespace
