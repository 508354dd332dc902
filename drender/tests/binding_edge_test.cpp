// The binding-edge rules a job shares: the automatic edge with the paper's
// feed flag, the sheet orientation, and the duplex page mode of a page over
// every edge and both orientations.
#include "drender/settings/binding_edge.h"

#include <gtest/gtest.h>

#include "drender/settings/job_binding.h"
#include "drender/settings/page_snapshot.h"
#include "drender/tests/test_model.h"

namespace {

constexpr int16_t kA4 = 9, kLetter = 1, kUnlisted = 77;
constexpr int16_t kAsDocument = 357;

class BindingEdge : public ::testing::Test {
 protected:
  void SetUp() override {
    AddCommonPapers(model_);
    model_.Paper(kLetter)->rotatedFeed = 1;  // Letter is fed with its other edge first
  }
  DocDMode Doc(uint8_t orientation, uint8_t edge, int16_t paper = kA4) {
    DocDMode doc = MakeDoc();
    SetDocByte(&doc, kDocOrientationAt, orientation);
    SetDocByte(&doc, kDocBindingEdgeAt, edge);
    SetDocByte(&doc, kDocDoubleSidesAt, 2);
    SetDocI16(&doc, kDocPaperSizeAt, paper);
    SetDocI16(&doc, kDocOutPaperSizeAt, kAsDocument);
    return doc;
  }
  TestModel model_;
};

TEST_F(BindingEdge, AutomaticEdgeFollowsTheFeedFlag) {
  struct Case {
    const char* why;
    int16_t paper;
    uint8_t sheet;
    uint32_t want;
  } cases[] = {
      {"plain paper, portrait sheet", kA4, 1, kBindLeft},
      {"plain paper, landscape sheet", kA4, 2, kBindTop},
      {"fed the other way, portrait sheet", kLetter, 1, kBindTop},
      {"fed the other way, landscape sheet", kLetter, 2, kBindLeft},
      {"unlisted paper, portrait sheet", kUnlisted, 1, kBindLeft},
      {"unlisted paper, landscape sheet", kUnlisted, 2, kBindLeft},
  };
  for (const Case& c : cases) {
    DocDMode doc = Doc(1, kBindAuto, c.paper);
    EXPECT_EQ(Pjl_AutoBindingEdgeForSheet(model_.get(), &doc, c.sheet, false), c.want) << c.why;
  }
  // The output paper decides, not the document's.
  DocDMode doc = Doc(1, kBindAuto, kA4);
  SetDocI16(&doc, kDocOutPaperSizeAt, kLetter);
  EXPECT_EQ(Pjl_AutoBindingEdgeForSheet(model_.get(), &doc, 1, false), kBindTop);
  // A booklet the device makes binds by the sheet alone.
  doc = Doc(1, kBindAuto, kLetter);
  SetDocByte(&doc, kDocDoubleSidesAt, 3);
  EXPECT_EQ(Pjl_AutoBindingEdgeForSheet(model_.get(), &doc, 1, false), kBindLeft);
  EXPECT_EQ(Pjl_AutoBindingEdgeForSheet(model_.get(), &doc, 2, false), kBindTop);
}

TEST_F(BindingEdge, ResolvedEdgeTurnsWithCombination) {
  DocDMode doc = Doc(1, kBindAuto, kA4);
  EXPECT_EQ(Pjl_ResolvedBindingEdge(model_.get(), &doc, false), kBindLeft);
  SetDocByte(&doc, kDocCombinationAt, 1);
  EXPECT_EQ(Pjl_ResolvedBindingEdge(model_.get(), &doc, false), kBindTop);
  doc = Doc(1, kBindRight, kA4);
  EXPECT_EQ(Pjl_ResolvedBindingEdge(model_.get(), &doc, false), kBindRight);
}

TEST_F(BindingEdge, SheetOrientation) {
  struct Case {
    const char* why;
    uint8_t nup, kind, combination, sides;
    bool driverBooklet;
    uint8_t forPortrait;
  } cases[] = {
      {"one page a sheet", 0, 0, 0, 2, false, 1},
      {"2-up turns", 1, 1, 0, 2, false, 2},
      {"6-up turns", 1, 3, 0, 2, false, 2},
      {"4-up keeps", 1, 2, 0, 2, false, 1},
      {"combination turns once more", 1, 1, 1, 2, false, 1},
      {"combination alone turns", 0, 0, 1, 2, false, 2},
      {"poster counts as one page a sheet", 1, 8, 1, 2, false, 2},
      {"other kinds keep, without the combination turn", 1, 6, 1, 2, false, 1},
      {"a booklet the driver makes turns", 0, 0, 1, 3, true, 2},
      {"a booklet the device makes does not", 0, 0, 0, 3, false, 1},
  };
  for (const Case& c : cases) {
    DocDMode doc = Doc(1, kBindAuto);
    SetDocByte(&doc, kDocNupAt, c.nup);
    SetDocByte(&doc, kDocNupKindAt, c.kind);
    SetDocByte(&doc, kDocCombinationAt, c.combination);
    SetDocByte(&doc, kDocDoubleSidesAt, c.sides);
    EXPECT_EQ(Pjl_SheetOrientation(&doc, 1, c.driverBooklet), c.forPortrait) << c.why;
    EXPECT_EQ(Pjl_SheetOrientation(&doc, 2, c.driverBooklet), c.forPortrait == 1 ? 2 : 1) << c.why;
  }
}

// Every binding edge in both orientations: left and right bindings and the
// long-edge bindings of a portrait page bind vertically (1); a top binding
// horizontally (0); a landscape page the other way round.
TEST_F(BindingEdge, DuplexPageModeOverAllEdges) {
  struct Row {
    uint8_t edge;
    uint8_t portrait, landscape;
  } rows[] = {
      {0, 1, 0},  {1, 1, 0},  {2, 1, 0},  {3, 1, 0},  {4, 0, 1},  {5, 0, 1},  {6, 0, 1},  {7, 0, 1},  {8, 0, 1},
      {9, 0, 1},  {10, 1, 0}, {11, 0, 1}, {12, 1, 0}, {13, 0, 1}, {14, 1, 0}, {15, 1, 1}, {16, 1, 1}, {17, 0, 0},
  };
  for (const Row& r : rows) {
    for (uint8_t orientation : {uint8_t{1}, uint8_t{2}}) {
      DocDMode doc = Doc(orientation, r.edge, kA4);
      PageSettings page{};
      Page_SaveSettings(&doc, 1, &page);
      EXPECT_EQ(Page_DuplexPageMode(model_.get(), &page, false), orientation == 1 ? r.portrait : r.landscape)
          << "edge " << int(r.edge) << " orientation " << int(orientation);
    }
  }
  // The automatic edge of a paper fed the other way binds on the other
  // edge: on top of a portrait page, left of a landscape one.
  for (uint8_t orientation : {uint8_t{1}, uint8_t{2}}) {
    DocDMode doc = Doc(orientation, kBindAuto, kLetter);
    PageSettings page{};
    Page_SaveSettings(&doc, 1, &page);
    EXPECT_EQ(Page_DuplexPageMode(model_.get(), &page, false), orientation == 1 ? 0 : 1) << int(orientation);
  }
}

// The page start and the job header agree: a left binding is vertical on a
// portrait page, a top binding horizontal, whatever the edge is called.
TEST_F(BindingEdge, PageModeAgreesWithTheResolvedEdge) {
  for (int16_t paper : {kA4, kLetter, kUnlisted}) {
    for (uint8_t orientation : {uint8_t{1}, uint8_t{2}}) {
      DocDMode doc = Doc(orientation, kBindAuto, paper);
      PageSettings page{};
      Page_SaveSettings(&doc, 1, &page);
      const uint32_t edge = Pjl_ResolvedBindingEdge(model_.get(), &doc, false);
      EXPECT_EQ(Page_DuplexPageMode(model_.get(), &page, false), edge == kBindTop ? 0 : 1)
          << "paper " << paper << " orientation " << int(orientation);
    }
  }
}

}  // namespace
