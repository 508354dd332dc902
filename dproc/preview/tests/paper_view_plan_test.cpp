// The paper view's draw plan over the layouts and finishing marks: picture
// sizes are those the image library is built with (read from its picture
// list), texts are measured at a fixed width per character.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "dproc/preview/paper_view_plan.h"
#include "dproc/preview/size_labels.h"
#include "dproc/preview/watermark_angles.h"
#include "tests/support/test_paths.h"

namespace {

// Ids of a picture-list field: "a,b,c" and runs "a..b".
std::vector<uint32_t> Ids(const std::string& field) {
  std::vector<uint32_t> out;
  if (field.empty() || field.find_first_not_of("0123456789,.") != std::string::npos) return out;
  std::stringstream ss(field);
  std::string part;
  while (std::getline(ss, part, ',')) {
    const size_t dots = part.find("..");
    if (dots == std::string::npos) {
      out.push_back(static_cast<uint32_t>(std::stoul(part)));
    } else {
      for (uint32_t i = std::stoul(part.substr(0, dots)); i <= std::stoul(part.substr(dots + 2)); ++i) out.push_back(i);
    }
  }
  return out;
}

const std::map<uint32_t, PlanSize>& PictureSizes() {
  static const std::map<uint32_t, PlanSize> sizes = [] {
    std::map<uint32_t, PlanSize> m;
    std::ifstream file(testsupport::SourcePath("rindimg/pictures.txt"));
    std::string line;
    while (std::getline(file, line)) {
      std::stringstream ss(line);
      std::string kind, a, b, c;
      ss >> kind >> a >> b;
      std::string size = b;
      std::vector<uint32_t> ids = Ids(a);
      if (kind == "masked") {
        ss >> c;
        size = c;
        for (uint32_t id : Ids(b)) ids.push_back(id);
      } else if (kind != "bitmap" && kind != "image") {
        continue;
      }
      const size_t x = size.find('x');
      if (x == std::string::npos || x == 0 || size.find_first_not_of("0123456789x") != std::string::npos) continue;
      const PlanSize s{std::stoi(size.substr(0, x)), std::stoi(size.substr(x + 1))};
      for (uint32_t id : ids) m[id] = s;
    }
    return m;
  }();
  return sizes;
}

PlanSize SizeOf(void*, uint32_t id) {
  auto it = PictureSizes().find(id);
  return it == PictureSizes().end() ? PlanSize{0, 0} : it->second;
}

// 6 pixels a character, 12 high; watermark text 4 a character.
PlanSize Measure(void*, const PlanFontSpec& font, const std::u16string& text) {
  const int32_t per = font.font == PlanFont::kLabel ? 6 : 4;
  return {per * static_cast<int32_t>(text.size()), font.font == PlanFont::kLabel ? 12 : -font.height};
}

const PaperViewEnv kEnv{SizeOf, Measure, nullptr, 96};
const PlanRect kControl{0, 0, 200, 190};

PaperViewPlan Plan(const PaperViewInputs& in) { return BuildPaperViewPlan(in, kControl, kEnv); }

std::vector<uint32_t> Pictures(const PaperViewPlan& p) {
  std::vector<uint32_t> out;
  for (const PaperViewOp& op : p.ops) {
    if (op.kind == PlanOpKind::kMaskedPair || op.kind == PlanOpKind::kBitmap) out.push_back(op.image);
  }
  return out;
}

const PaperViewOp* Find(const PaperViewPlan& p, uint32_t image) {
  for (const PaperViewOp& op : p.ops) {
    if ((op.kind == PlanOpKind::kMaskedPair || op.kind == PlanOpKind::kBitmap) && op.image == image) return &op;
  }
  return nullptr;
}

bool IsNumeral(uint32_t id) { return (id >= 307 && id <= 326) || (id >= 491 && id <= 528); }

// The numeral pictures in drawing order.
std::vector<uint32_t> Numerals(const PaperViewPlan& p) {
  std::vector<uint32_t> out;
  for (uint32_t id : Pictures(p)) {
    if (IsNumeral(id)) out.push_back(id);
  }
  return out;
}

std::vector<std::u16string> Texts(const PaperViewPlan& p) {
  std::vector<std::u16string> out;
  for (const PaperViewOp& op : p.ops) {
    if (op.kind == PlanOpKind::kText && op.font.font == PlanFont::kLabel) out.push_back(op.text);
  }
  return out;
}

PaperViewInputs A4() {
  PaperViewInputs in;
  in.input.present = true;
  in.input.paperId = 9;
  in.input.name = u"A4";
  in.input.width = 2100;
  in.input.length = 2970;
  in.outputRepeatsInput = true;
  in.resolutionName = u"200 x 200";
  return in;
}

bool Inside(const PlanRect& inner, const PlanRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

TEST(PaperViewPlan, PortraitA4ShowsThePortraitSheetNumeralOneAndTwoSizeLabels) {
  const PaperViewPlan p = Plan(A4());
  ASSERT_TRUE(p.sheet.drawn);
  EXPECT_EQ(p.sheet.image, 213u);
  EXPECT_FALSE(p.sheet.landscape);
  EXPECT_EQ(p.ops.front().kind, PlanOpKind::kTile);
  EXPECT_EQ(p.ops.front().image, 204u);
  EXPECT_EQ(p.ops.back().kind, PlanOpKind::kSunkenFrame);
  // Sheet's paper part centred below the label band: 80 x 110 of 84 x 114.
  EXPECT_EQ(p.sheet.printable, (PlanRect{60, 53, 140, 163}));
  EXPECT_EQ(Numerals(p), std::vector<uint32_t>{307});
  const PaperViewOp* one = Find(p, 307);
  EXPECT_EQ(one->mask, 308u);
  EXPECT_EQ(one->rect.bottom, p.sheet.page.bottom - 1);
  EXPECT_LE(std::abs(one->rect.left + one->rect.right - p.sheet.page.left - p.sheet.page.right), 1);
  EXPECT_EQ(Texts(p), (std::vector<std::u16string>{u"A4 (210x297mm)", u"A4 (210x297mm)", u"200 x 200"}));
  int triangles = 0;
  for (const PaperViewOp& op : p.ops) triangles += op.kind == PlanOpKind::kTriangle;
  EXPECT_EQ(triangles, 1);
}

TEST(PaperViewPlan, SheetOrientationFollowsOrientationNupAndCombination) {
  struct Case {
    int32_t orientation, nup, nupOp, combination, combinationOp, doubleSides;
    uint32_t sheet;
  };
  const Case cases[] = {
      {2, 0, 0, 0, 0, 1, 215}, {2, 1, 1, 0, 0, 1, 213}, {1, 1, 1, 0, 0, 1, 215}, {1, 1, 3, 0, 0, 1, 215},
      {1, 1, 2, 0, 0, 1, 213}, {1, 0, 0, 1, 1, 1, 215}, {2, 1, 1, 1, 1, 1, 215}, {1, 0, 0, 1, 6, 1, 213},
      // Booklets: landscape for landscape without 2- or 6-up, portrait with.
      {2, 0, 0, 0, 0, 3, 215}, {1, 1, 1, 0, 0, 3, 215}, {2, 1, 1, 0, 0, 3, 213}, {1, 0, 0, 0, 0, 3, 213},
      // Posters by kind and margin lines.
      {1, 1, 7, 0, 0, 1, 9983}, {2, 1, 9, 0, 0, 1, 9981},
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.orientation, in.nup = c.nup, in.nupOp = c.nupOp;
    in.combination = c.combination, in.combinationOp = c.combinationOp, in.doubleSides = c.doubleSides;
    EXPECT_EQ(Plan(in).sheet.image, c.sheet) << c.orientation << " " << c.nupOp << " " << c.combinationOp;
  }
  PaperViewInputs none = A4();
  none.orientation = 3;
  EXPECT_FALSE(Plan(none).sheet.drawn);
  EXPECT_TRUE(Numerals(Plan(none)).empty());
}

TEST(PaperViewPlan, PosterWithMarginLinesShowsItsPairAndTheSingleNumeral) {
  PaperViewInputs in = A4();
  in.nup = 1, in.nupOp = 8, in.posterMarginLine = 1;
  const PaperViewPlan p = Plan(in);
  EXPECT_EQ(p.sheet.image, 538u);
  EXPECT_EQ(p.sheet.mask, 537u);
  EXPECT_EQ(Numerals(p), std::vector<uint32_t>{307});
  // The zoom frame of a poster is ANDed over the sheet.
  EXPECT_EQ(Find(p, 260)->rop, kRopSrcAnd);
}

TEST(PaperViewPlan, NupNumberingByStyle) {
  struct Case {
    int32_t orientation, nupOp, style;
    std::vector<uint32_t> numerals;
  };
  const Case cases[] = {
      {2, 1, 0, {307, 309}},        // 2-up on a portrait sheet, 1 2
      {2, 1, 3, {309, 307}},        // ... style 3 reverses
      {2, 1, 1, {307, 309}},        // ... style 1 does not on a portrait sheet
      {1, 1, 1, {309, 307}},        // landscape sheet: style 1 reverses
      {1, 2, 4, {307, 309, 311, 313}},
      {1, 2, 5, {307, 311, 309, 313}},
      {1, 2, 6, {309, 307, 313, 311}},
      {1, 2, 7, {311, 307, 313, 309}},
      {1, 2, 0, {}},                // 4-up styles 0-3 show no numerals
      {1, 3, 4, {307, 311, 313, 317}},  // 6-up on a landscape sheet: 1,3,4,6
      {2, 3, 4, {307, 309, 315, 317}},  // 6-up on a portrait sheet: 1,2,5,6
      {1, 4, 7, {319, 307, 321, 311}},  // 9-up: 7,1,9,3
      {1, 5, 5, {307, 323, 313, 325}},  // 16-up: 1,13,4,16
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.orientation, in.nup = 1, in.nupOp = c.nupOp, in.nupStyle = c.style;
    EXPECT_EQ(Numerals(Plan(in)), c.numerals) << c.orientation << " " << c.nupOp << " " << c.style;
  }
}

TEST(PaperViewPlan, NupCornerCellsAreTheGridCorners) {
  PaperViewInputs in = A4();
  in.nup = 1, in.nupOp = 5, in.nupStyle = 4;  // 16-up, portrait sheet
  const PaperViewPlan p = Plan(in);
  const PlanRect page = p.sheet.page;
  const PaperViewOp* one = Find(p, 307);
  const PaperViewOp* sixteen = Find(p, 325);
  ASSERT_TRUE(one && sixteen);
  EXPECT_LT(one->rect.right, page.left + page.Width() / 4 + 1);
  EXPECT_EQ(one->rect.bottom, page.top + page.Height() / 4 - 1);
  EXPECT_GE((sixteen->rect.left + sixteen->rect.right) / 2, page.right - page.Width() / 4);
  EXPECT_EQ(sixteen->rect.bottom, page.bottom - 1);
}

TEST(PaperViewPlan, CombinationKindsNumberTheHalvesAndTurnOneUpsideDown) {
  struct Case {
    int32_t orientation, combinationOp, nupOp, style;
    std::vector<uint32_t> numerals;
  };
  const Case cases[] = {
      // Portrait orientation, combination: landscape sheet, portrait halves.
      {1, 0, 0, 0, {307, 309}},                 // kind 0: 1 | 2
      {1, 1, 0, 0, {307, 307}},                 // kind 1: 1 | 1
      {1, 2, 0, 0, {509, 307}},                 // kind 2: first half upside down
      {1, 3, 0, 0, {307, 509}},                 // kind 3: second half upside down
      // Landscape with 2-up and combination: a landscape sheet; its 2-up
      // halves need style 2 or 3.
      {2, 0, 1, 2, {307, 309, 311, 313}},       // kind 0: 1 2 | 3 4
      {2, 2, 1, 2, {511, 509, 307, 309}},       // kind 2: reversed, upside down | 1 2
      {2, 3, 1, 3, {309, 307, 509, 511}},       // portrait halves, style 3: 2 1 | reversed
      {2, 0, 1, 0, {307, 309}},                 // style 0 does not fit: plain numbering
      // 4-up halves need style 4-7.
      {1, 0, 2, 4, {307, 309, 311, 313, 315, 317, 319, 491}},
      {1, 3, 2, 4, {307, 309, 311, 313, 515, 513, 511, 509}},
      {1, 1, 2, 1, {}},                         // style 1: plain 2x2 numbering, none for style 1
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.orientation, in.combination = 1, in.combinationOp = c.combinationOp;
    in.nup = c.nupOp != 0, in.nupOp = c.nupOp, in.nupStyle = c.style;
    EXPECT_EQ(Numerals(Plan(in)), c.numerals) << c.combinationOp << " " << c.nupOp << " " << c.style;
  }
}

TEST(PaperViewPlan, UpsideDownNumeralsStandAtTheTopOfTheirCell) {
  PaperViewInputs in = A4();
  in.combination = 1, in.combinationOp = 2;  // landscape sheet, first half upside down
  const PaperViewPlan p = Plan(in);
  const PaperViewOp* down = Find(p, 509);
  const PaperViewOp* up = Find(p, 307);
  ASSERT_TRUE(down && up);
  EXPECT_EQ(down->rect.top, p.sheet.page.top + 1);
  EXPECT_EQ(up->rect.bottom, p.sheet.page.bottom - 1);
  EXPECT_LT(down->rect.left, up->rect.left);
}

TEST(PaperViewPlan, NineUpCombinationPutsNumeralsInTheirCellCorners) {
  PaperViewInputs in = A4();
  in.combination = 1, in.combinationOp = 1, in.nup = 1, in.nupOp = 4, in.nupStyle = 4;
  const PaperViewPlan p = Plan(in);
  ASSERT_EQ(Numerals(p), (std::vector<uint32_t>{307, 311, 319, 321, 307, 311, 319, 321}));
  const PaperViewOp& first = p.ops[static_cast<size_t>(Find(p, 307) - p.ops.data())];
  EXPECT_EQ(first.rect.left, p.sheet.page.left + 1);
  EXPECT_EQ(first.rect.top, p.sheet.page.top + 1);
}

TEST(PaperViewPlan, BookletsNumberBothHalvesUprightWithTheBookletMarks) {
  PaperViewInputs in = A4();
  in.doubleSides = 3, in.orientation = 2, in.combination = 1, in.combinationOp = 2;
  in.feedDirection = 15;
  const PaperViewPlan p = Plan(in);
  EXPECT_TRUE(p.sheet.landscape);
  EXPECT_EQ(Numerals(p), (std::vector<uint32_t>{307, 307}));
  EXPECT_EQ(Find(p, 348), nullptr);  // no frame without the booklet border
  // Booklet sheet picture at the sheet's corner, (0, -2).
  const PaperViewOp* sheet = Find(p, 11012);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->rect.left, p.sheet.sheet.left);
  EXPECT_EQ(sheet->rect.top, p.sheet.sheet.top - 2);
  EXPECT_NE(Find(p, 11063), nullptr);  // thin spine line
  EXPECT_NE(Find(p, 11032), nullptr);  // finishing icon row 0, column 0
  // A driver booklet with its border shows the combined page frame.
  in.driverBooklet = true, in.bookletBorder = 1, in.bookletBinding = 2;
  const PaperViewPlan q = Plan(in);
  EXPECT_EQ(Find(q, 348)->rop, kRopSrcAnd);
}

TEST(PaperViewPlan, RightBoundLandscapeBookletMirrorsItsOverlayAndSpine) {
  PaperViewInputs in = A4();
  in.doubleSides = 3, in.orientation = 2, in.overlay = 1, in.feedDirection = 15;
  const PaperViewPlan left = Plan(in);
  in.bindingEdge = 16;
  const PaperViewPlan right = Plan(in);
  const PlanRect page = left.sheet.page;
  const int32_t centre = (page.left + page.right) / 2;
  const PaperViewOp* overlayL = Find(left, 11020);
  const PaperViewOp* overlayR = Find(right, 11020);
  ASSERT_TRUE(overlayL && overlayR);
  EXPECT_GT(overlayL->rect.left, centre);
  EXPECT_LT(overlayR->rect.right, centre);
  EXPECT_EQ(Find(left, 11063)->rect.left + 8, Find(right, 11063)->rect.left);
  EXPECT_NE(Find(right, 11014), nullptr);
  EXPECT_NE(Find(right, 11040), nullptr);  // icon row 1
}

TEST(PaperViewPlan, BindingShiftLinesByModelEdgeAndShift) {
  struct Case {
    bool fourEdges;
    int32_t edge, shift;
    uint32_t feed;
    uint32_t picture;  // 0: none
    bool right, bottom;
  };
  const Case cases[] = {
      {true, 0, 0, 15, 437, false, false}, {true, 1, 1, 15, 439, true, false},
      {true, 3, 0, 15, 433, false, true},  {true, 5, 0, 15, 445, true, false},
      {true, 7, 1, 15, 443, false, true},  {true, 10, 0, 15, 437, false, false},
      {true, 11, 0, 15, 441, false, false}, {true, 12, 0, 15, 0, false, false},
      {false, 15, 0, 15, 437, false, false}, {false, 16, 1, 16, 439, true, false},
      {false, 17, 0, 17, 441, false, false},
      // Feed direction that has a line but an edge that has no place: none.
      {false, 10, 0, 15, 0, false, false},
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.bindingEdge4 = c.fourEdges, in.bindingEdge = c.edge, in.bindingShift = c.shift, in.feedDirection = c.feed;
    const PaperViewPlan p = Plan(in);
    const PlanRect inner{p.sheet.page.left + 1, p.sheet.page.top + 1, p.sheet.page.right - 1, p.sheet.page.bottom - 1};
    bool any = false;
    for (uint32_t id = 433; id <= 448; id += 2) {
      if (const PaperViewOp* op = Find(p, id)) {
        any = true;
        EXPECT_EQ(id, c.picture) << c.edge;
        EXPECT_EQ(c.right ? op->rect.right : op->rect.left, c.right ? inner.right : inner.left) << c.edge;
        EXPECT_EQ(c.bottom ? op->rect.bottom : op->rect.top, c.bottom ? inner.bottom : inner.top) << c.edge;
      }
    }
    EXPECT_EQ(any, c.picture != 0) << c.edge;
    in.adhesiveBind = 1;
    for (uint32_t id = 433; id <= 448; id += 2) EXPECT_EQ(Find(Plan(in), id), nullptr);
  }
}

TEST(PaperViewPlan, HolePunchByOptionAndFeedNeverOnFourEdgeModels) {
  struct Case {
    uint32_t feed;
    int32_t edge, option;
    bool landscape;
    uint32_t picture;
  };
  const Case cases[] = {
      {15, 15, 1, false, 10010}, {15, 15, 4, false, 10010}, {15, 15, 6, false, 0},
      {17, 17, 6, false, 10020}, {17, 17, 2, true, 10012}, {16, 16, 11, false, 10018},
      {14, 14, 8, true, 10026},
      // Chosen but not placed (edge 10) or no direction: nothing, not at (0, 0).
      {10, 10, 1, false, 0}, {3, 3, 1, false, 0},
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.landscape ? 2 : 1;
    in.holePunch = 1, in.holePunchOp = c.option, in.feedDirection = c.feed, in.bindingEdge = c.edge;
    const PaperViewPlan p = Plan(in);
    uint32_t found = 0;
    for (uint32_t id = 10008; id <= 10030; id += 2) {
      if (const PaperViewOp* op = Find(p, id)) {
        found = id;
        EXPECT_GT(op->rect.left, 0);  // placed on the sheet, not at the origin
        EXPECT_GT(op->rect.top, 0);
      }
    }
    EXPECT_EQ(found, c.picture) << c.feed << " " << c.option;
    in.bindingEdge4 = true;
    for (uint32_t id = 10008; id <= 10030; id += 2) EXPECT_EQ(Find(Plan(in), id), nullptr);
  }
}

TEST(PaperViewPlan, StaplesByFeedAndOptionAndTheCentreStaple) {
  struct Case {
    uint32_t feed;
    int32_t option;
    bool landscape;
    uint32_t picture;
    bool right;
  };
  const Case cases[] = {
      {15, 1, false, 9990, false}, {15, 2, true, 10004, false}, {16, 1, false, 9994, true},
      {16, 6, true, 10006, true},  {2, 4, true, 9992, true},    {6, 3, false, 9988, false},
      {17, 4, false, 9994, true},  {17, 4, true, 9992, false},  {17, 7, true, 9996, false},
      // Direction 0 with option 1 is chosen but has no place: nothing drawn.
      {0, 1, false, 0, false},     {0, 3, false, 9990, false},  {5, 1, false, 0, false},
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.landscape ? 2 : 1;
    in.staple = 1, in.stapleOp = c.option, in.feedDirection = c.feed;
    const PaperViewPlan p = Plan(in);
    const PlanRect inner{p.sheet.page.left + 1, p.sheet.page.top + 1, p.sheet.page.right - 1, p.sheet.page.bottom - 1};
    uint32_t found = 0;
    for (uint32_t id = 9988; id <= 10006; id += 2) {
      if (const PaperViewOp* op = Find(p, id)) {
        found = id;
        EXPECT_EQ(op->rect.top, inner.top);
        EXPECT_EQ(c.right ? op->rect.right : op->rect.left, c.right ? inner.right : inner.left);
      }
    }
    EXPECT_EQ(found, c.picture) << c.feed << " " << c.option << " " << c.landscape;
  }
  // Option 8 on a job that is not a booklet: the centre staple whatever the feed.
  for (uint32_t feed : {0u, 3u, 15u, 17u}) {
    PaperViewInputs in = A4();
    in.staple = 1, in.stapleOp = 8, in.feedDirection = feed;
    const PaperViewPlan p = Plan(in);
    const PaperViewOp* op = Find(p, 10002);
    ASSERT_NE(op, nullptr) << feed;
    EXPECT_EQ(op->rect.left, p.sheet.page.left + 1);
    EXPECT_LE(std::abs(op->rect.top + op->rect.bottom - p.sheet.page.top - p.sheet.page.bottom), 1);
  }
}

TEST(PaperViewPlan, FoldStripsOnlyForDuplexAndBooklets) {
  struct Case {
    int32_t doubleSides, edge;
    uint32_t feed;
    bool landscape;
    uint32_t picture;
  };
  const Case cases[] = {
      {1, 0, 15, false, 0},       {2, 0, 15, false, 11008}, {2, 0, 16, false, 11006},
      {2, 0, 17, true, 11004},    {2, 3, 3, false, 11048},  {2, 7, 7, false, 11050},
      {2, 12, 12, false, 0},      {2, 0, 11, false, 11010}, {2, 0, 15, true, 11002},
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.orientation = c.landscape ? 2 : 1;
    in.doubleSides = c.doubleSides, in.bindingEdge = c.edge, in.feedDirection = c.feed;
    const PaperViewPlan p = Plan(in);
    uint32_t found = 0;
    for (uint32_t id : {11000u, 11002u, 11004u, 11006u, 11008u, 11010u, 11048u, 11050u}) {
      if (Find(p, id)) found = id;
    }
    EXPECT_EQ(found, c.picture) << c.doubleSides << " " << c.feed;
  }
  PaperViewInputs in = A4();
  in.doubleSides = 2, in.feedDirection = 15;
  const PaperViewPlan p = Plan(in);
  const PaperViewOp* strip = Find(p, 11008);
  EXPECT_EQ(strip->rect.right, p.sheet.page.right + 6);
  EXPECT_EQ(strip->rect.top, p.sheet.page.top - 2);
}

TEST(PaperViewPlan, BookletFinishingIconColumns) {
  struct Case {
    int32_t staple, folding, centre;
    uint32_t icon;
  };
  const Case cases[] = {{0, 0, 0, 11024}, {1, 0, 0, 11026}, {0, 1, 0, 11028}, {1, 1, 0, 11030}, {0, 0, 1, 11030}};
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.doubleSides = 3, in.staple = c.staple, in.folding = c.folding, in.centerStaple = c.centre;
    const PaperViewPlan p = Plan(in);
    const PaperViewOp* icon = Find(p, c.icon);
    ASSERT_NE(icon, nullptr) << c.icon;
    EXPECT_EQ(icon->rect.left, 5);
    EXPECT_EQ(icon->rect.top, p.sheet.sheet.top);
  }
}

TEST(PaperViewPlan, AMissingPictureIsLeftOut) {
  PaperViewEnv env = kEnv;
  env.pictureSize = [](void*, uint32_t id) { return id == 307 ? PlanSize{0, 0} : SizeOf(nullptr, id); };
  const PaperViewPlan p = BuildPaperViewPlan(A4(), kControl, env);
  EXPECT_TRUE(Numerals(p).empty());
  EXPECT_EQ(p.sheet.image, 213u);
}

TEST(PaperViewPlan, WatermarkCellsAngleAndColour) {
  PaperViewInputs in = A4();
  in.watermark = 1, in.wmAngle = 45, in.wmColor = 0x0000FF;  // red
  in.nup = 1, in.nupOp = 2;
  std::vector<const PaperViewOp*> marks;
  const PaperViewPlan p = Plan(in);
  for (const PaperViewOp& op : p.ops) {
    if (op.kind == PlanOpKind::kText && op.font.font == PlanFont::kWatermark) marks.push_back(&op);
  }
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0]->font.escapement, 450);
  EXPECT_EQ(marks[0]->font.height, -5);  // 4 pt at 96 dpi
  EXPECT_EQ(marks[0]->colour, 0x4C4C4Cu);  // 30 * 255 / 100 = 76
  EXPECT_EQ(marks[0]->text, u"********");
  for (const PaperViewOp* m : marks) EXPECT_TRUE(Inside(m->clip, p.sheet.page));
  in.wmTransparent = 1;
  const PaperViewPlan t = Plan(in);
  for (const PaperViewOp& op : t.ops) {
    if (op.kind == PlanOpKind::kText && op.font.font == PlanFont::kWatermark) {
      EXPECT_EQ(op.colour, 0xA3A3A3u);  // (30 * 252 + 59 * 125 + 11 * 125) / 100 = 163
      break;
    }
  }
  in.watermarkHidden = true;
  for (const PaperViewOp& op : Plan(in).ops) EXPECT_FALSE(op.kind == PlanOpKind::kText && op.font.font == PlanFont::kWatermark);
}

TEST(WatermarkAngles, AnyStoredAngleLandsInTheTable) {
  EXPECT_EQ(WatermarkEscapement(0), 0);
  EXPECT_EQ(WatermarkEscapement(360), 0);
  EXPECT_EQ(WatermarkEscapement(-45), 3150);
  EXPECT_EQ(WatermarkEscapement(725), 50);     // more than once round
  EXPECT_EQ(WatermarkEscapement(-32768), WatermarkEscapement(-32768 + 360 * 91));
  for (int32_t a : {-32768, -721, -1, 0, 359, 360, 32767}) {
    const int32_t e = WatermarkEscapement(a);
    EXPECT_GE(e, 0);
    EXPECT_LT(e, 3600);
  }
  EXPECT_EQ(WatermarkSine(0), 8);          // sin 0.5 degree, truncated
  EXPECT_EQ(WatermarkCosine(900), -8);     // cos 90.5 degrees
  EXPECT_EQ(WatermarkSine(-3600 * 5 + 900), WatermarkSine(900));
}

TEST(SizeLabels, FixedPointTexts) {
  EXPECT_EQ(FormatFixedPoint(2100, 10), u"210");
  EXPECT_EQ(FormatFixedPoint(2975, 10), u"297.5");
  EXPECT_EQ(FormatFixedPoint(8500, 1000), u"8.5");
  EXPECT_EQ(FormatFixedPoint(11690, 1000), u"11.69");
  EXPECT_EQ(FormatFixedPoint(827, 100), u"8.27");
  EXPECT_EQ(FormatFixedPoint(5, 1000), u"0.005");
  EXPECT_EQ(FormatFixedPoint(-15, 10), u"-1.5");
  EXPECT_EQ(FormatFixedPoint(7, 0), u"7");
}

TEST(SizeLabels, InchLabelsRoundInsideTheCustomLimits) {
  PaperViewInputs in;
  in.paperFigureStyle = 1;
  in.customWidthMin = 1000, in.customWidthMax = 2970, in.customLengthMin = 1480, in.customLengthMax = 4318;
  struct Case {
    uint32_t id;
    int32_t width, length;
    uint32_t style;
    const char16_t* text;
  };
  const Case cases[] = {
      // 100 mm = 3.937007 in: the minimum rounds up, the maximum truncates.
      {512, 1000, 4318, 1, u"U (3.938x17\")"},
      {512, 2970, 1480, 1, u"U (11.692x5.827\")"},
      {512, 1000, 1480, 0, u"U (3.94x5.83\")"},
      // Other values round to nearest; server forms do not use the limits.
      {513, 1001, 2000, 1, u"U (3.941x7.874\")"},
      {0x1001, 1000, 4318, 1, u"U (3.937x17\")"},
  };
  for (const Case& c : cases) {
    in.paperFigureStyle = c.style;
    PaperLabelInput p{true, c.id, u"U", c.width, c.length, true, 0, 0};
    EXPECT_EQ(PaperLabelText(p, in), c.text) << c.id << " " << c.width;
  }
  // The custom size shows its stored inch values, which are in the figure
  // style's unit already: thousandths (style 1, as the sample model) or
  // hundredths.
  PaperLabelInput custom{true, 256, u"Custom", 2100, 2970, true, 8268, 11693};
  in.paperFigureStyle = 1;
  EXPECT_EQ(PaperLabelText(custom, in), u"Custom (8.268x11.693\")");
  custom.storedWidthInch = 827, custom.storedLengthInch = 1169;
  in.paperFigureStyle = 0;
  EXPECT_EQ(PaperLabelText(custom, in), u"Custom (8.27x11.69\")");
  custom.inch = false;
  EXPECT_EQ(PaperLabelText(custom, in), u"Custom (210x297mm)");
  PaperLabelInput a4{true, 9, u"A4", 2100, 2970, true, 0, 0};  // a model paper stays in mm
  EXPECT_EQ(PaperLabelText(a4, in), u"A4 (210x297mm)");
}

namespace {
int32_t SixPerChar(void*, const std::u16string& t) { return 6 * static_cast<int32_t>(t.size()); }
int32_t ZeroWidth(void*, const std::u16string&) { return 0; }
}  // namespace

TEST(SizeLabels, ShorteningEndsInDotsAndNeverGoesNegative) {
  EXPECT_EQ(ShortenToWidth(u"Letter Extra Long Name", 60, SixPerChar, nullptr), u"Letter ...");
  EXPECT_EQ(ShortenToWidth(u"ABC", 10, SixPerChar, nullptr), u".");
  EXPECT_EQ(ShortenToWidth(u"ABC", 0, SixPerChar, nullptr), u"");
  EXPECT_EQ(ShortenToWidth(u"ABC", -40, SixPerChar, nullptr), u"");
  EXPECT_EQ(ShortenToWidth(u"", 30, SixPerChar, nullptr), u"...");
  EXPECT_EQ(ShortenToWidth(u"ABC", 30, ZeroWidth, nullptr), u"ABC...");
}

TEST(SizeLabels, ALabelTooLongForTheAreaEndsInDots) {
  PaperViewInputs in = A4();
  in.input.name = u"A very long paper name that does not fit";
  const std::vector<std::u16string> texts = Texts(Plan(in));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0].substr(texts[0].size() - 3), u"...");
  EXPECT_LT(6 * static_cast<int32_t>(texts[0].size()), 200 - 2 - 2 * 4);
  // A preview narrower than the label margin shows no label text at all.
  const PaperViewPlan narrow = BuildPaperViewPlan(in, PlanRect{0, 0, 8, 100}, kEnv);
  for (const std::u16string& t : Texts(narrow)) EXPECT_TRUE(t.empty() || t == u"200 x 200");
}

TEST(PaperViewPlan, TwoColourBadgeOnPlainSheets) {
  PaperViewInputs in = A4();
  in.selectColor = 2, in.twoColors = 2;
  const PaperViewPlan p = Plan(in);
  const PaperViewOp* badge = Find(p, 9960);
  ASSERT_NE(badge, nullptr);
  EXPECT_EQ(badge->rect.left, 15);
  EXPECT_EQ(badge->rect.top, 2 + 27 + (186 - 27) / 2);
  in.nup = 1, in.nupOp = 8;  // posters have no badge
  EXPECT_EQ(Find(Plan(in), 9960), nullptr);
}

TEST(PaperViewPlan, ZoomFrameColumnAndRow) {
  struct Case {
    int32_t zoom, value, combination, op, nupOp;
    uint32_t frame;
  };
  const Case cases[] = {
      {1, 150, 0, 0, 0, 260}, {0, 100, 0, 0, 0, 260}, {0, 150, 0, 0, 0, 284}, {0, 50, 0, 0, 0, 272},
      {0, 100, 0, 0, 2, 264}, {0, 100, 1, 1, 0, 659}, {0, 150, 1, 2, 0, 659 + 3 * 2 + 1},
      {0, 50, 1, 4, 0, 271},  // option 4 on a landscape sheet: the plain landscape row
  };
  for (const Case& c : cases) {
    PaperViewInputs in = A4();
    in.zoom = c.zoom, in.zoomValue = c.value, in.combination = c.combination, in.combinationOp = c.op;
    in.nup = c.nupOp != 0, in.nupOp = c.nupOp;
    EXPECT_NE(Find(Plan(in), c.frame), nullptr) << c.frame;
  }
}

#include "dproc/preview/view_toggle.h"

TEST(ViewToggle, KeysAndTexts) {
  EXPECT_STREQ(ViewToggleKey(100, 0), "ViewPrinter");
  EXPECT_STREQ(ViewToggleKey(105, 0), "ViewPrinter");
  EXPECT_STREQ(ViewToggleKey(105, 1), "ViewQuality");
  EXPECT_STREQ(ViewToggleKey(196, 1), "ViewQuality");
  EXPECT_STREQ(ViewToggleKey(2531, 1), "ViewQuality");
  EXPECT_STREQ(ViewToggleKey(100, 1), "ViewPaper");
  EXPECT_STREQ(ViewToggleKey(171, 1), "ViewPaper");
  DispStringItem table[4] = {};
  table[0].controlIds[0] = 1201;
  std::memcpy(table[0].keyword, "ViewPaper", 10);
  std::memcpy(table[0].text, u"Wrong control", 28);
  table[1].controlIds[0] = 1235, table[1].controlIds[1] = 1130;
  std::memcpy(table[1].keyword, "ViewPaper", 10);
  std::memcpy(table[1].text, u"Paper", 12);
  table[2].controlIds[0] = 1130;
  std::memcpy(table[2].keyword, "ViewPrinter", 12);
  std::memcpy(table[2].text, u"Printer", 16);
  EXPECT_EQ(std::u16string(FindViewToggleText(table, "ViewPaper")), u"Paper");
  EXPECT_EQ(std::u16string(FindViewToggleText(table, "ViewPrinter")), u"Printer");
  EXPECT_EQ(FindViewToggleText(table, "ViewQuality"), nullptr);  // the toggle keeps its text
}

namespace {

bool HasOp(const PaperViewPlan& p, PlanOpKind kind) {
  for (const PaperViewOp& op : p.ops) {
    if (op.kind == kind) return true;
  }
  return false;
}

}  // namespace

TEST(PaperViewPlanEx, PlainDrawsOnlyThePaperPunchAndStaples) {
  PaperViewInputs in = A4();
  in.holePunch = 1, in.holePunchOp = 1, in.bindingEdge = 15;
  in.staple = 1, in.stapleOp = 1, in.feedDirection = 15;
  in.doubleSides = 2;                              // fold strip 11008 in the full view
  in.watermark = 1, in.wmColor = 0x00808080;       // watermark text in the full view
  in.overlay = 1;
  in.nup = 1, in.nupOp = 2, in.borderLine = 1, in.borderLineOp = 1;
  const PaperViewPlan whole = Plan(in);
  const PaperViewPlan plain = BuildPaperViewPlanEx(in, kControl, kEnv, false);
  const PaperViewPlan full = BuildPaperViewPlanEx(in, kControl, kEnv, true);
  ASSERT_TRUE(plain.sheet.drawn);
  // The same sheet and marks as the sheets' paper view, at the same places.
  EXPECT_EQ(plain.sheet.sheet, whole.sheet.sheet);
  EXPECT_EQ(plain.sheet.page, whole.sheet.page);
  const std::vector<uint32_t> pictures = Pictures(plain);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0], whole.sheet.image);
  EXPECT_EQ(pictures[1], 10010u);
  EXPECT_EQ(pictures[2], 9990u);
  EXPECT_EQ(Find(plain, 10010)->rect, Find(whole, 10010)->rect);
  EXPECT_EQ(Find(plain, 9990)->rect, Find(whole, 9990)->rect);
  for (PlanOpKind kind : {PlanOpKind::kTile, PlanOpKind::kText, PlanOpKind::kSunkenFrame, PlanOpKind::kTriangle}) {
    EXPECT_FALSE(HasOp(plain, kind)) << static_cast<int>(kind);
  }
  // The full view adds the page contents, the fold strip, the watermark and
  // the frame, still without background, numerals or size labels.
  EXPECT_NE(Find(full, 11008), nullptr);
  EXPECT_NE(Find(full, 10010), nullptr);
  EXPECT_TRUE(HasOp(full, PlanOpKind::kSunkenFrame));
  EXPECT_TRUE(HasOp(full, PlanOpKind::kText));   // the watermark
  EXPECT_TRUE(Texts(full).empty());              // no size labels
  EXPECT_FALSE(HasOp(full, PlanOpKind::kTile));
  EXPECT_TRUE(Numerals(full).empty());
  EXPECT_GT(Pictures(full).size(), Pictures(plain).size());
  EXPECT_EQ(full.ops.back().kind, PlanOpKind::kSunkenFrame);
  EXPECT_EQ(full.ops.back().rect, kControl);
  // Everything the full view draws is also in the sheets' paper view.
  for (uint32_t id : Pictures(full)) EXPECT_NE(Find(whole, id), nullptr) << id;
}

TEST(PaperViewPlanEx, NoSheetNoMarks) {
  PaperViewInputs in = A4();
  in.orientation = 0;  // neither portrait nor landscape: no sheet picture
  in.holePunch = 1, in.holePunchOp = 1, in.bindingEdge = 15, in.feedDirection = 15;
  const PaperViewPlan plain = BuildPaperViewPlanEx(in, kControl, kEnv, false);
  EXPECT_FALSE(plain.sheet.drawn);
  EXPECT_TRUE(Pictures(plain).empty());
}

#include <fstream>
#include <iterator>
#include <memory>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/preview/paper_view_inputs.h"

namespace {

// The sample model's default settings, as the library's start-up makes them.
struct SampleSettings {
  std::vector<uint8_t> bytes;
  std::unique_ptr<ModelInfo, void (*)(ModelInfo*)> model{nullptr, FreeModelInfoRecord};
  DocDMode doc{};
  SampleSettings() {
    std::ifstream in(testsupport::BinaryPath("model/VELDRANH.QXD"), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    if (ctx == nullptr) return;
    model.reset(BuildModelInfo(ctx, ModelBuildEnv{true, 1, true}));
    InitBuiltInDocDMode(&doc);
    LoadDefaultSettings(ctx, model.get(), nullptr, nullptr, &doc);
    QxdClose(ctx);
  }
};

}  // namespace

// The custom size in inches as the sample model's settings hold it: A4's
// 210 x 297 mm are 8.268 x 11.693 inches, not ten times that.
TEST(SizeLabels, SampleModelCustomSizeInInches) {
  SampleSettings s;
  ASSERT_NE(s.model, nullptr);
  ASSERT_EQ(s.model->paperFigureStyle, 1u);
  SetDocI16(&s.doc, DOC_FIELD_AT(nPaperSize), static_cast<int16_t>(kPaperCustom));
  SetDocByte(&s.doc, DOC_FIELD_AT(byUnitInUserDefPaper), 1);
  const PaperViewSources src{s.model.get(), &s.doc, nullptr, false, 100};
  const PaperViewInputs in = ReadPaperViewInputs(src);
  const std::u16string label = PaperLabelText(in.input, in);
  EXPECT_NE(label.find(u"(8.268x11.693\")"), std::u16string::npos) << std::string(label.begin(), label.end());
}

// A print server's form is named from the session's paper list, the input
// list for the input size and the output list (or else the input list) for
// the output size.
TEST(SizeLabels, ServerFormsAreNamedFromTheSessionLists) {
  SampleSettings s;
  ASSERT_NE(s.model, nullptr);
  SessionPaperItem papers[2] = {};
  papers[0].paperId = papers[0].value = 9;
  papers[1].paperId = papers[1].value = 2 | kPaperServerFormBit;
  const std::u16string name = u"Letterhead";
  std::copy(name.begin(), name.end(), papers[1].name);
  SessionPaperItem outPapers[1] = {};
  outPapers[0].paperId = outPapers[0].value = 2 | kPaperServerFormBit;
  const std::u16string outName = u"Letterhead (out)";
  std::copy(outName.begin(), outName.end(), outPapers[0].name);
  SetDocI16(&s.doc, DOC_FIELD_AT(nPaperSize), static_cast<int16_t>(2 | kPaperServerFormBit));
  SetDocI16(&s.doc, DOC_FIELD_AT(sizPaper_cx), 2000);
  SetDocI16(&s.doc, DOC_FIELD_AT(sizPaper_cy), 2500);
  PaperViewSources src{s.model.get(), &s.doc, nullptr, false, 100};
  src.papers = papers;
  src.paperCount = 2;
  EXPECT_EQ(ReadPaperLabel(src, 2 | kPaperServerFormBit, false).name, u"Letterhead");
  EXPECT_EQ(PaperLabelText(ReadPaperLabel(src, 2 | kPaperServerFormBit, false), ReadPaperViewInputs(src)),
            u"Letterhead (200x250mm)");
  EXPECT_EQ(ReadPaperLabel(src, 2 | kPaperServerFormBit, true).name, u"Letterhead");
  src.outPapers = outPapers;
  src.outPaperCount = 1;
  EXPECT_EQ(ReadPaperLabel(src, 2 | kPaperServerFormBit, true).name, u"Letterhead (out)");
  EXPECT_EQ(ReadPaperLabel(src, 3 | kPaperServerFormBit, false).name, u"") << "a form the session does not list";
}
