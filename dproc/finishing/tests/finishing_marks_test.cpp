// The marks of the staple positions and punch kinds by binding edge, on the
// finishing fixture model (the sample model with its finishing switched
// on) as start-up builds it, and the booklet and poster checks on the
// library's option tables.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/qxd/qxd_reader.h"
#include "common/records/doc_fields.h"
#include "dproc/finishing/finishing_marks.h"
#include "dproc/model/feature_table.h"
#include "dproc/startup/model_startup_defaults.h"
#include "tests/support/test_paths.h"

namespace {

struct ModelFree {
  void operator()(ModelInfo* m) const { FreeModelInfoRecord(m); }
};
using ModelPtr = std::unique_ptr<ModelInfo, ModelFree>;

ModelPtr FixtureModel() {
  std::ifstream in(testsupport::BinaryPath("fixtures/finishing/VELDRANH.QXD"), std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_FALSE(bytes.empty());
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  EXPECT_NE(ctx, nullptr);
  ModelPtr model(BuildModelInfo(ctx, ModelBuildEnv{true, 1, true}));
  QxdClose(ctx);
  FillFinishPositionDefaults(model.get());
  return model;
}

template <typename Row>
std::set<std::string> Marked(const Row* rows) {
  std::set<std::string> out;
  for (const Row* r = rows; r != nullptr && r->keyword[0] != '\0'; ++r) {
    if (r->flag != 0) out.insert(r->keyword);
  }
  return out;
}

TEST(FinishingMarks, EachBindingEdgeMarksThePositionsItRulesOut) {
  ModelPtr model = FixtureModel();
  ASSERT_NE(model->staples, nullptr);
  ASSERT_NE(model->holePunches, nullptr);
  struct Case {
    uint8_t edge;
    std::set<std::string> staples, punches;
  } cases[] = {
      {15, {"OneStapleRightTop", "TwoStaplesRight", "TwoStaplesTop"}, {"TwoHolesRight", "TwoHolesTop"}},
      {16, {"OneStapleLeftTop", "TwoStaplesLeft", "TwoStaplesTop"}, {"TwoHolesLeft", "TwoHolesTop", "ThreeHolesLeft"}},
      {17, {"TwoStaplesLeft", "TwoStaplesRight"}, {"TwoHolesLeft", "TwoHolesRight", "ThreeHolesLeft"}},
      {3, {}, {}},  // a long-edge code of the four-edge models marks nothing
  };
  DocDMode doc = {};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edge);
    // Coming back to the sheet clears the marks of the edge before.
    ClearStaplePunchMarks(model.get());
    Fields(doc).nBinding = c.edge;
    MarkStaplePunchByEdge(model.get(), &doc);
    EXPECT_EQ(Marked(model->staples), c.staples);
    EXPECT_EQ(Marked(model->holePunches), c.punches);
  }
}

TEST(FinishingMarks, MarksAreOnlyAddedAndNeverOnFourEdgeModels) {
  ModelPtr model = FixtureModel();
  DocDMode doc = {};
  Fields(doc).nBinding = 15;
  MarkStaplePunchByEdge(model.get(), &doc);
  Fields(doc).nBinding = 16;
  MarkStaplePunchByEdge(model.get(), &doc);
  EXPECT_EQ(Marked(model->staples).size(), 5u);  // every position: left and right both ruled out
  ClearStaplePunchMarks(model.get());
  EXPECT_TRUE(Marked(model->staples).empty());
  model->features[kMfBindingEdge4] = 1;
  MarkStaplePunchByEdge(model.get(), &doc);
  EXPECT_TRUE(Marked(model->staples).empty());
  EXPECT_TRUE(Marked(model->holePunches).empty());
}

TEST(FinishingMarks, NoListsNoModelNoSettings) {
  ModelInfo empty = {};
  DocDMode doc = {};
  Fields(doc).nBinding = 16;
  MarkStaplePunchByEdge(&empty, &doc);
  MarkStaplePunchByEdge(nullptr, &doc);
  MarkStaplePunchByEdge(&empty, nullptr);
  ClearStaplePunchMarks(nullptr);
  ClearStaplePunchMarks(&empty);
}

// Sets the mark of the row of `table` whose keyword is `keyword`.
void Mark(const char* table, const char* keyword, uint32_t flag) {
  for (OptionHead* row = FindOptionTable(table); row != nullptr && row->keyword[0] != '\0';
       row = const_cast<OptionHead*>(NextOptionRow(row))) {
    if (std::strcmp(row->keyword, keyword) == 0) row->flag = flag;
  }
}

TEST(FinishingMarks, BookletAndPosterChecksReadTheMarksOfTheirRows) {
  ASSERT_NE(FindOptionTable("DoubleSides"), nullptr);
  ASSERT_NE(FindOptionTable("Nup_op"), nullptr);
  EXPECT_EQ(IsBookletSelectable(), 1);
  EXPECT_EQ(IsPosterLayoutSelectable(), 1);
  Mark("DoubleSides", "Duplex", 1);
  Mark("Nup_op", "4up", 1);
  EXPECT_EQ(IsBookletSelectable(), 1);  // other rows' marks do not count
  EXPECT_EQ(IsPosterLayoutSelectable(), 1);
  Mark("DoubleSides", "Booklet", 1);
  EXPECT_EQ(IsBookletSelectable(), 0);
  for (const char* poster : {"2x2", "3x3", "4x4"}) {
    SCOPED_TRACE(poster);
    Mark("Nup_op", poster, 1);
    EXPECT_EQ(IsPosterLayoutSelectable(), 0);
    Mark("Nup_op", poster, 0);
    EXPECT_EQ(IsPosterLayoutSelectable(), 1);
  }
  Mark("DoubleSides", "Booklet", 0);
  Mark("DoubleSides", "Duplex", 0);
  Mark("Nup_op", "4up", 0);
  // A keyword differing only in case is the same row.
  OptionHead* booklet = nullptr;
  for (OptionHead* row = FindOptionTable("DoubleSides"); row->keyword[0] != '\0';
       row = const_cast<OptionHead*>(NextOptionRow(row))) {
    if (std::strcmp(row->keyword, "Booklet") == 0) booklet = row;
  }
  ASSERT_NE(booklet, nullptr);
  std::memcpy(booklet->keyword, "BOOKLET", 8);
  booklet->flag = 1;
  EXPECT_EQ(IsBookletSelectable(), 0);
  booklet->flag = 0;
  std::memcpy(booklet->keyword, "Booklet", 8);
}

}  // namespace
