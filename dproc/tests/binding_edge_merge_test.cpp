// The binding-edge rules of the settings merge.
#include <gtest/gtest.h>

#include "dproc/settings/binding_edge_merge.h"
#include "dproc/tests/settings_fixture.h"

namespace {

using settingstest::Doc;
using settingstest::Model;
using settingstest::Papers;

constexpr uint8_t kAuto = 14, kLeft = 15, kRight = 16, kTop = 17;

struct Layout {
  uint8_t nup, nupKind, combination;
};

std::unique_ptr<DocDMode> DocWith(const Layout& l, uint8_t edge, uint8_t orientation = 1) {
  auto d = Doc();
  SetDocByte(d.get(), kDocOrientationAt, orientation);
  SetDocByte(d.get(), kDocNupAt, l.nup);
  SetDocByte(d.get(), kDocNupKindAt, l.nupKind);
  SetDocByte(d.get(), kDocCombinationAt, l.combination);
  SetDocByte(d.get(), kDocBindingEdgeAt, edge);
  SetDocByte(d.get(), kDocDoubleSidesAt, 1);
  return d;
}

TEST(FixBindingEdgeByLayout, SideAndTopBindingFollowTheLayout) {
  struct Case {
    Layout layout;
    int dmOrientation;
    uint8_t edge, expected;
  };
  const Case cases[] = {
      {{0, 0, 0}, 1, kTop, kLeft},    {{0, 0, 0}, 1, kLeft, kLeft},  {{0, 0, 0}, 2, kLeft, kTop},
      {{0, 0, 0}, 2, kRight, kTop},   {{0, 0, 0}, 2, kTop, kTop},    {{1, 1, 0}, 1, kLeft, kTop},
      {{1, 1, 0}, 1, kRight, kTop},   {{1, 3, 0}, 2, kTop, kLeft},   {{1, 2, 0}, 1, kTop, kLeft},
      {{1, 5, 0}, 2, kRight, kTop},   {{0, 0, 0}, 1, kAuto, kAuto},  {{1, 7, 0}, 1, kTop, kTop},
      {{2, 1, 0}, 1, kLeft, kLeft},   {{0, 0, 0}, 0, kTop, kTop},    {{0, 0, 0}, 1, 3, 3},
  };
  for (const Case& c : cases) {
    auto d = DocWith(c.layout, c.edge);
    EXPECT_EQ(FixBindingEdgeByLayout(d.get(), c.dmOrientation), c.edge != c.expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), c.expected)
        << "nup " << int(c.layout.nup) << "/" << int(c.layout.nupKind) << " orientation " << c.dmOrientation
        << " edge " << int(c.edge);
  }
}

TEST(ResolveAutoBindingForDuplex, ChoosesTheBindingByFeedAndLayout) {
  // A4 is fed portrait first; B5 the other way round.
  std::vector<PaperSizeEntry> papers = Papers({{"A4", 9, 2100, 2970, 0, {}}, {"B5", 13, 1820, 2570, 1, {}}});
  auto m = Model();
  m->papers = papers.data();
  struct Case {
    Layout layout;
    uint8_t orientation;  // of the settings: it decides the feed
    int16_t paper;
    int dmOrientation, dmDuplex;
    uint8_t expected;
  };
  const Case cases[] = {
      // 2-up portrait turns the page: feed 17 on A4.
      {{1, 1, 0}, 1, 9, 1, 2, kAuto},
      // Straight layouts.
      {{0, 0, 0}, 1, 9, 1, 3, kTop},   // feed 15
      {{0, 0, 0}, 2, 9, 2, 3, kLeft},  // feed 17
      {{0, 0, 0}, 2, 9, 1, 2, kLeft},
      {{0, 0, 0}, 1, 9, 2, 2, kTop},
      {{0, 0, 0}, 1, 9, 1, 2, kAuto},  // feed 15 with vertical duplex in portrait: no rule
      {{1, 2, 0}, 1, 13, 1, 2, kLeft},  // B5 feeds 17 in portrait
      // Rotated layouts.
      {{1, 1, 0}, 1, 13, 1, 2, kTop},  // 2-up portrait on B5: feed 15
      {{1, 3, 0}, 2, 9, 2, 3, kTop},   // 6-up landscape turns back to portrait: feed 15
      {{1, 1, 0}, 2, 9, 2, 2, kAuto},
      // Combination swaps rotated and straight.
      {{0, 0, 1}, 2, 9, 1, 2, kTop},
      {{0, 0, 1}, 1, 9, 2, 2, kLeft},
      {{1, 1, 1}, 1, 9, 1, 2, kAuto},  // 2-up with combination: straight, feed 15
      // Posters and unknown N-up bytes change nothing.
      {{1, 7, 0}, 1, 9, 1, 3, kAuto},
      {{3, 0, 0}, 1, 9, 1, 3, kAuto},
  };
  for (const Case& c : cases) {
    auto d = DocWith(c.layout, kAuto, c.orientation);
    SetDocI16(d.get(), kDocPaperSizeAt, c.paper);
    SetDocI16(d.get(), kDocOutPaperSizeAt, 357);
    EXPECT_EQ(ResolveAutoBindingForDuplex(m.get(), d.get(), c.dmOrientation, c.dmDuplex), 1);
    EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), 2);
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), c.expected)
        << "nup " << int(c.layout.nup) << "/" << int(c.layout.nupKind) << " combination "
        << int(c.layout.combination) << " paper " << c.paper << " duplex " << c.dmDuplex << "/"
        << c.dmOrientation;
  }
}

TEST(ResolveAutoBindingForDuplex, LeavesAFixedBindingAndReportsOnlyChanges) {
  auto m = Model();
  auto d = DocWith({0, 0, 0}, kRight);
  SetDocByte(d.get(), kDocDoubleSidesAt, 2);
  EXPECT_EQ(ResolveAutoBindingForDuplex(m.get(), d.get(), 1, 3), 0);
  EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), kRight);
  SetDocByte(d.get(), kDocDoubleSidesAt, 1);
  EXPECT_EQ(ResolveAutoBindingForDuplex(m.get(), d.get(), 1, 3), 1);
  EXPECT_EQ(DocByte(d.get(), kDocDoubleSidesAt), 2);
}

TEST(SetBindingEdgeForDuplex, MovesTheEdgeIntoTheDirectionsGroup) {
  struct Case {
    Layout layout;
    uint8_t orientation;
    int direction;
    uint8_t edge, expected;
  };
  const Case cases[] = {
      {{1, 2, 0}, 2, 3, 5, 5},  // 4-up landscape, short edge: left/right group
      {{1, 2, 0}, 2, 3, 0, 4},
      {{1, 2, 0}, 1, 3, 0, 6},
      {{1, 1, 0}, 1, 3, 7, 4},  // 2-up portrait turns the page
      {{0, 0, 0}, 1, 2, 1, 1},  // long edge, portrait: left/right
      {{0, 0, 0}, 1, 1, 3, 0},
      {{0, 0, 0}, 2, 2, 1, 2},
      {{1, 1, 0}, 2, 2, 6, 0},
      {{1, 8, 0}, 2, 2, 3, 3},  // a poster counts as no N-up
      {{1, 8, 0}, 1, 2, 3, 0},
      {{1, 6, 0}, 1, 2, 3, 3},  // unknown N-up kind
      {{0, 0, 0}, 1, 0, 3, 3},  // no direction
      {{0, 0, 0}, 1, 4, 3, 3},
      {{0, 0, 1}, 1, 2, 3, 0},  // combination is not looked at
  };
  for (const Case& c : cases) {
    auto d = DocWith(c.layout, c.edge, c.orientation);
    EXPECT_EQ(SetBindingEdgeForDuplex(d.get(), c.direction), c.edge != c.expected ? 1 : 0);
    EXPECT_EQ(DocByte(d.get(), kDocBindingEdgeAt), c.expected)
        << "nup " << int(c.layout.nupKind) << " orientation " << int(c.orientation) << " direction "
        << c.direction << " edge " << int(c.edge);
  }
}

}  // namespace
