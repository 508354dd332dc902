// The static vocabulary and the runtime feature table.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "common/records/doc_fields.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/paper_tables.h"
#include "tests/support/model_fixture.h"
#include "dproc/model/user_paper_list.h"

namespace {

std::string Keyword(const FeatureEntry& e) {
  char k[33];
  FeatureKeyword(e, k, sizeof k);
  return k;
}

std::set<std::string> Options(const OptionHead* row) {
  std::set<std::string> out;
  for (; row != nullptr && row->keyword[0] != '\0'; row = NextOptionRow(row)) out.insert(row->keyword);
  return out;
}

TEST(FeatureVocabulary, HasItsRowsAndTables) {
  const StaticFeatureRow* rows = StaticFeatureTable();
  uint32_t n = 0, onOff = 0;
  for (; rows[n].keyword[0] != '\0'; ++n) {
    const OptionHead* o = rows[n].options;
    EXPECT_EQ(o == nullptr, n < 6) << rows[n].keyword;
    const std::string k = rows[n].keyword;
    if (o != nullptr && o->keyword == k + "OFF" && o->value == 0) {
      const OptionHead* on = NextOptionRow(o);
      if (on->keyword == k + "ON" && on->value == 1 && NextOptionRow(on)->keyword[0] == '\0') ++onOff;
    }
  }
  EXPECT_EQ(n, 200u);
  EXPECT_EQ(onOff, 78u);

  uint32_t controls = 0;
  for (const FeatureControlItem* c = FeatureControlTable(); c->keyword[0] != '\0'; ++c) ++controls;
  EXPECT_EQ(controls + 1, 378u);  // with the end row

  EXPECT_EQ(FindStaticOptionTable("PopupAuthenticDlg"), FindStaticOptionTable("VerifyAuthentic"));
  EXPECT_EQ(Options(FindStaticOptionTable("Graph_Halftone")),
            (std::set<std::string>{"Graph_HalftoneText", "Graph_HalftoneImage", "Graph_UltraDetail",
                                   "Graph_Detail", "Graph_Smooth"}));
  const OptionHead* server = FindStaticOptionTable("ServerSetting");
  ASSERT_NE(server, nullptr);
  for (uint32_t v = 1; v <= 20; ++v, server = NextOptionRow(server)) {
    EXPECT_EQ(server->value, v);
    EXPECT_EQ(std::stoi(server->keyword + 6), static_cast<int>(v));
  }
  EXPECT_EQ(server->keyword[0], '\0');
  // Rows with trailing data step by their own size.
  const OptionHead* duplex = FindStaticOptionTable("DoubleSides");
  EXPECT_EQ(duplex->size, sizeof(DuplexOptionItem));
  EXPECT_EQ(reinterpret_cast<const DuplexOptionItem*>(NextOptionRow(duplex))->code, 2u);
}

TEST(FeatureVocabulary, CoverOptionsFollowTheModel) {
  ModelInfo m = {};
  SelectCoverOptionTables(&m);
  EXPECT_EQ(Options(FindStaticOptionTable("FrontCover_op")),
            (std::set<std::string>{"Blank_FCover_PJL", "Print_FCover_PJL"}));
  m.features[kMfFCoverPrint] = 1;
  SelectCoverOptionTables(&m);
  EXPECT_EQ(Options(FindStaticOptionTable("FrontCover_op")),
            (std::set<std::string>{"Blank_FCover", "Print_S_FCover", "Print_D_FCover"}));
}

struct TableDeleter {
  void operator()(FeatureEntry* t) const { FreeFeatureTable(t); }
};

TEST(RuntimeFeatureTable, DeviceOptionsBecomeRowsInOrder) {
  std::string text = "qxd 1\n\nsection \"DeviceOption\" items 28\n";
  for (int i = 0; i < 70; ++i) text += "  item key=\"Opt" + std::to_string(i) + "\"\n";
  for (int i = 0; i < 70; ++i) text += "\nsection \"Opt" + std::to_string(i) + "\" items 16\n  item key=\"V\"\n";
  modeltest::File f(text);
  ModelInfo m = {};
  DevOption defaults = {};
  DeviceOptionItem* options = LoadDeviceOptionList(f.get(), &m, &defaults);
  ASSERT_NE(options, nullptr);
  std::unique_ptr<FeatureEntry, TableDeleter> table(BuildFeatureTable(FeatureControlTable(), options, &m));
  ASSERT_NE(table, nullptr);
  uint32_t rows = 0, devices = 0, first = 0;
  for (; table.get()[rows].keyword[0] != 0; ++rows) {
    const FeatureEntry& e = table.get()[rows];
    if (e.deviceRow != 0) {
      if (devices == 0) first = rows;
      EXPECT_EQ(Keyword(e), "Opt" + std::to_string(devices));
      EXPECT_EQ(e.controlId, 1081u);
      EXPECT_EQ(reinterpret_cast<const OptionItem*>(e.options), options[devices].values);
      ++devices;
    }
    EXPECT_EQ(e.pendingValue, -1);
  }
  EXPECT_EQ(devices, 70u);
  EXPECT_EQ(rows, 377u - 1 + 70u);
  EXPECT_EQ(Keyword(table.get()[first + 70]), "MediaTypeList_Tray");  // the row after "OptionSetting"
  EXPECT_EQ(Keyword(table.get()[SpecialFeatureRows().paperSize]), "PaperSize");
  EXPECT_EQ(Keyword(table.get()[SpecialFeatureRows().headerFooter]), "HeaderFooter");
  FreeDeviceOptionList(options);
}

TEST(RuntimeFeatureTable, BindingEdgeFollowsTheModelAndTheSheet) {
  ModelInfo m = {};
  std::unique_ptr<FeatureEntry, TableDeleter> table(BuildFeatureTable(FeatureControlTable(), nullptr, &m));
  ASSERT_NE(table, nullptr);
  auto doc = std::make_unique<DocDMode>();
  std::memset(doc.get(), 0, sizeof *doc);
  SetDocByte(doc.get(), kDocOrientationAt, 2);  // landscape, 2-up: the sheet lies portrait
  SetDocByte(doc.get(), kDocNupAt, 1);
  SetDocByte(doc.get(), kDocNupKindAt, 1);
  auto bindingRow = [&]() -> const FeatureEntry& {
    uint32_t i = 0;
    while (table.get()[i].controlId != 1046) ++i;
    return table.get()[i];
  };

  m.features[kMfBindingEdge4] = 1;
  ASSERT_EQ(AdjustBindingEdgeFeatures(&m, doc.get(), table.get()), 1);
  EXPECT_EQ(Keyword(bindingRow()), "BindingEdge_PRN_Portrait");
  EXPECT_EQ(Options(bindingRow().options),
            (std::set<std::string>{"LongEdgeLeft", "LongEdgeRight", "ShortEdgeTop", "ShortEdgeBottom"}));
  SetDocByte(doc.get(), kDocNupAt, 0);
  AdjustBindingEdgeFeatures(&m, doc.get(), table.get());
  EXPECT_EQ(Keyword(bindingRow()), "BindingEdge_PRN_Landscape");
  m.features[kMfBindingEdge4] = 0;
  AdjustBindingEdgeFeatures(&m, doc.get(), table.get());
  EXPECT_EQ(Keyword(bindingRow()), "BindingEdge_MFP");
  EXPECT_EQ(Options(bindingRow().options),
            (std::set<std::string>{"AutoBinding", "LeftBinding", "RightBinding", "TopBinding"}));
  EXPECT_EQ(AdjustBindingEdgeFeatures(&m, nullptr, table.get()), 0);

  // Only whole keywords count.
  EXPECT_EQ(SetBindingEdgeKeyword(table.get(), "bindingedge_prn_portrait"), 1);
  EXPECT_EQ(SetBindingEdgeKeyword(table.get(), "BindingEdge_MFPX"), 0);
  EXPECT_EQ(SetBindingEdgeKeyword(table.get(), "BindingEdge_MF"), 0);
  EXPECT_EQ(Keyword(bindingRow()), "BindingEdge_PRN_Portrait");
  SetBindingEdgeKeyword(table.get(), "BindingEdge_MFP");
}

TEST(RuntimeFeatureTable, SessionPaperListsReplaceTheModelsWhileInstalled) {
  PaperSizeEntry papers[2] = {};
  std::strcpy(papers[0].keyword, "A4");
  papers[0].size = sizeof papers[0];
  ModelInfo m = {};
  m.papers = papers;
  std::unique_ptr<FeatureEntry, TableDeleter> table(BuildFeatureTable(FeatureControlTable(), nullptr, &m));
  ASSERT_NE(table, nullptr);
  const FeatureEntry& paper = table.get()[SpecialFeatureRows().paperSize];
  EXPECT_EQ(Options(paper.options), std::set<std::string>{"A4"});
  SessionPaperItem* session = nullptr;
  UserPaperList users = {};
  users.count = 1;
  users.entries[0].paperId = 512;
  ASSERT_EQ(BuildSessionPaperList(&m, &users, nullptr, 0, &session), 2u);
  InstallSessionPaperLists(table.get(), session, nullptr);
  EXPECT_EQ(Options(paper.options), (std::set<std::string>{"A4", "CustomPaper"}));
  EXPECT_EQ(table.get()[SpecialFeatureRows().outPaperSize].options, nullptr);
  RestoreModelPaperLists(table.get(), &m);
  EXPECT_EQ(Options(paper.options), std::set<std::string>{"A4"});
  std::free(session);
}

TEST(RuntimeFeatureTable, StopIconsOfFeaturesTheModelLacks) {
  FeatureControlItem row = {};
  row.stopIconId = 77;
  std::strcpy(row.keyword, "OHPIntTray");
  ModelInfo m = {};
  EXPECT_EQ(FeatureStopIconId(row, &m), 0u);
  m.features[kMfOhpInterleave] = 1;
  EXPECT_EQ(FeatureStopIconId(row, &m), 77u);
  std::strcpy(row.keyword, "Staple");
  m.features[kMfOhpInterleave] = 0;
  EXPECT_EQ(FeatureStopIconId(row, &m), 77u);
}

}  // namespace
