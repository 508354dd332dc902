// Duplex and binding fix-ups of the job settings.
#include "drender/settings/job_binding.h"

#include <gtest/gtest.h>

#include "drender/tests/test_model.h"

namespace {

DocDMode Doc(uint8_t orientation, uint8_t edge, uint8_t nup = 0, uint8_t nupKind = 0) {
  DocDMode doc = MakeDoc();
  SetDocByte(&doc, kDocOrientationAt, orientation);
  SetDocByte(&doc, kDocBindingEdgeAt, edge);
  SetDocByte(&doc, kDocNupAt, nup);
  SetDocByte(&doc, kDocNupKindAt, nupKind);
  return doc;
}

TEST(NupKindTest, PosterLayoutsCountAsNone) {
  struct Case {
    uint8_t nup, kind, want;
  } cases[] = {{0, 2, 0}, {1, 2, 2}, {1, 7, 0}, {1, 8, 0}, {1, 9, 0}, {1, 5, 5}, {1, 6, 6}};
  for (const Case& c : cases) {
    DocDMode doc = Doc(1, 0, c.nup, c.kind);
    EXPECT_EQ(Rdc_GetNupKind(&doc), c.want) << int(c.nup) << "/" << int(c.kind);
  }
}

TEST(EdgeBindingTest, Table) {
  struct Case {
    uint8_t orientation, edge, nupKind;
    int request;
    uint8_t want;
    int changed;
  } cases[] = {
      {1, 4, 0, 1, kBindLongEdgeLeft, 1},   {1, 1, 0, 2, kBindLongEdgeRight, 0}, {2, 0, 0, 2, kBindLongEdgeTop, 1},
      {2, 3, 0, 1, kBindLongEdgeBottom, 0}, {1, 0, 0, 3, kBindShortEdgeTop, 1}, {1, 7, 0, 3, kBindShortEdgeBottom, 0},
      {2, 0, 0, 3, kBindShortEdgeLeft, 1},  {2, 5, 0, 3, kBindShortEdgeRight, 0},
      // 2-up turns the page: portrait pages bind as landscape ones.
      {1, 0, 1, 2, kBindLongEdgeTop, 1},    {2, 2, 3, 3, kBindShortEdgeTop, 1},
      // 9-up does not turn it; kinds of 6 and more change nothing.
      {1, 4, 4, 2, kBindLongEdgeLeft, 1},   {1, 4, 6, 2, 4, 0},
      {1, 4, 0, 4, 4, 0},
  };
  for (const Case& c : cases) {
    DocDMode doc = Doc(c.orientation, c.edge, c.nupKind ? 1 : 0, c.nupKind);
    EXPECT_EQ(Rdc_AdjustEdgeBinding(&doc, c.request), c.changed)
        << int(c.orientation) << " " << int(c.edge) << " " << int(c.nupKind) << " " << c.request;
    EXPECT_EQ(DocByte(&doc, kDocBindingEdgeAt), c.want)
        << int(c.orientation) << " " << int(c.edge) << " " << int(c.nupKind) << " " << c.request;
  }
}

TEST(BookletBindingTest, Table) {
  struct Case {
    int16_t callerOrientation;
    uint8_t edge, nup, nupKind, want;
  } cases[] = {
      {1, kBindTop, 0, 0, kBindLeft},   {1, kBindLeft, 0, 0, kBindLeft},  {2, kBindLeft, 0, 0, kBindTop},
      {2, kBindRight, 0, 0, kBindTop},  {2, kBindTop, 0, 0, kBindTop},    {1, kBindRight, 1, 1, kBindTop},
      {2, kBindTop, 1, 3, kBindLeft},   {1, kBindTop, 1, 2, kBindLeft},   {1, kBindAuto, 0, 0, kBindAuto},
      {1, kBindTop, 1, 8, kBindTop},    {1, kBindTop, 1, 6, kBindTop},
  };
  for (const Case& c : cases) {
    DocDMode doc = Doc(1, c.edge, c.nup, c.nupKind);
    Rdc_AdjustBookletBinding(&doc, c.callerOrientation);
    EXPECT_EQ(DocByte(&doc, kDocBindingEdgeAt), c.want)
        << c.callerOrientation << " " << int(c.edge) << " " << int(c.nupKind);
  }
}

TEST(AutoBindingTest, Table) {
  TestModel model;
  AddCommonPapers(model);
  model.Paper(1)->rotatedFeed = 1;  // Letter binds the other way round
  struct Case {
    const char* why;
    uint8_t orientation;
    int16_t callerOrientation, callerDuplex;
    int16_t paper;
    uint8_t nupKind, combination;
    uint8_t want;
  } cases[] = {
      {"portrait, long edge: automatic left agrees", 1, 1, 2, 9, 0, 0, kBindAuto},
      {"portrait, short edge wants top", 1, 1, 3, 9, 0, 0, kBindTop},
      {"landscape, long edge: automatic top agrees", 2, 2, 2, 9, 0, 0, kBindAuto},
      {"landscape, short edge wants left", 2, 2, 3, 9, 0, 0, kBindLeft},
      {"swap flag reverses the automatic edge", 1, 1, 2, 1, 0, 0, kBindLeft},
      {"unlisted paper: automatic left", 2, 2, 2, 77, 0, 0, kBindTop},
      {"2-up turns both", 1, 1, 2, 9, 1, 0, kBindAuto},
      {"combination turns both", 1, 1, 3, 9, 0, 1, kBindLeft},
      {"poster layout leaves it", 1, 1, 3, 9, 8, 0, kBindAuto},
      {"simplex request leaves it", 1, 1, 1, 9, 0, 0, kBindAuto},
      {"odd orientation leaves it", 1, 0, 3, 9, 0, 0, kBindAuto},
  };
  for (const Case& c : cases) {
    DocDMode doc = Doc(c.orientation, kBindAuto, c.nupKind ? 1 : 0, c.nupKind);
    SetDocI16(&doc, kDocPaperSizeAt, c.paper);
    SetDocI16(&doc, kDocOutPaperSizeAt, 357);
    SetDocByte(&doc, kDocCombinationAt, c.combination);
    SetDocByte(&doc, kDocDoubleSidesAt, 1);
    EXPECT_EQ(Rdc_AdjustAutoBinding(&doc, c.callerOrientation, c.callerDuplex, model.get()), 1) << c.why;
    EXPECT_EQ(DocByte(&doc, kDocDoubleSidesAt), 2) << c.why;
    EXPECT_EQ(DocByte(&doc, kDocBindingEdgeAt), c.want) << c.why;
  }
  // A definite edge is kept; nothing changes a second time.
  DocDMode doc = Doc(1, kBindRight);
  SetDocByte(&doc, kDocDoubleSidesAt, 2);
  EXPECT_EQ(Rdc_AdjustAutoBinding(&doc, 1, 3, model.get()), 0);
  EXPECT_EQ(DocByte(&doc, kDocBindingEdgeAt), kBindRight);
}

}  // namespace
