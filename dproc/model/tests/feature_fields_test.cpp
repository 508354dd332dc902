// Binding the feature table's rows to the fields of the settings records.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "dproc/model/feature_fields.h"
#include "common/qxd/paper_tables.h"
#include "tests/support/model_fixture.h"

namespace {

struct TableDeleter {
  void operator()(FeatureEntry* t) const { FreeFeatureTable(t); }
};

class BindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(doc_.get(), 0, sizeof *doc_);
    std::memset(&device_, 0, sizeof device_);
    Rebuild(nullptr);
  }
  void Rebuild(const DeviceOptionItem* options) {
    table_.reset(BuildFeatureTable(FeatureControlTable(), options, &model_));
    ASSERT_NE(table_, nullptr);
  }
  void Bind(int passMode = -1, const DeviceOptionItem* options = nullptr) {
    BindFeatureFields({table_.get(), doc_.get(), &device_, options, &model_, passMode, 0, nullptr});
  }
  // The field of the first row with `keyword`, as an offset into DocDMode
  // (or -1 when unbound).
  long At(const char* keyword) {
    for (FeatureEntry* row = table_.get(); row->keyword[0] != 0; ++row) {
      char k[33];
      FeatureKeyword(*row, k, sizeof k);
      if (std::string(k) != keyword) continue;
      if (row->field == nullptr) return -1;
      return static_cast<const uint8_t*>(row->field) - reinterpret_cast<const uint8_t*>(doc_.get());
    }
    return -2;  // no such row
  }
  FeatureEntry* Row(const char* keyword) {
    for (FeatureEntry* row = table_.get(); row->keyword[0] != 0; ++row) {
      char k[33];
      FeatureKeyword(*row, k, sizeof k);
      if (std::string(k) == keyword) return row;
    }
    return nullptr;
  }

  ModelInfo model_ = {};
  std::unique_ptr<DocDMode> doc_ = std::make_unique<DocDMode>();
  DevOption device_;
  std::unique_ptr<FeatureEntry, TableDeleter> table_;
};

TEST_F(BindTest, PlainFieldsAndOnlyInTheNormalPass) {
  Bind();
  EXPECT_EQ(At("Orientation"), 64);
  EXPECT_EQ(At("Nup_op"), 1243);
  EXPECT_EQ(At("PerPageListName"), 1551);
  EXPECT_EQ(Row("Copies")->fieldKind, static_cast<uint32_t>(kFieldU16));
  EXPECT_EQ(At("TreeDomainName"), -1);  // only on models that have it
  model_.features[kMfTreeDomainName] = 1;
  Bind();
  EXPECT_EQ(At("TreeDomainName"), 1074);
  Bind(3);
  EXPECT_EQ(At("Orientation"), -1);
}

TEST_F(BindTest, UnitsChooseTheirFieldAtEveryPass) {
  Bind();
  EXPECT_EQ(At("BindShift_Front"), 1432);
  SetDocByte(doc_.get(), DOC_FIELD_AT(byBindingUnit), 1);
  Bind();
  EXPECT_EQ(At("BindShift_Front"), 1436);
  EXPECT_EQ(At("ImgShiftMFP_FrontO"), -1);  // the model lacks it
  model_.features[kMfImgShiftFrontO] = 1;
  SetDocByte(doc_.get(), DOC_FIELD_AT(byImageShiftUnit), 1);
  Bind();
  EXPECT_EQ(At("ImgShiftMFP_FrontO"), 1460);
}

TEST_F(BindTest, ColourAdjustmentSets) {
  SetDocByte(doc_.get(), DOC_FIELD_AT(ColorAdjustMFP_nMatchSettings), 1);
  SetDocByte(doc_.get(), DOC_FIELD_AT(ColorAdjustMFP_nMatchType), 1);
  Bind();
  EXPECT_EQ(At("ColAdj_Saturation"), 2203);
  EXPECT_EQ(At("ColAdj_Brightness"), 2214);
  EXPECT_EQ(Row("ColAdj_Cyan")->fieldKind, static_cast<uint32_t>(kFieldSByte));
  SetDocByte(doc_.get(), DOC_FIELD_AT(ColorAdjustMFP_nMatchSettings), 0);
  Bind();
  EXPECT_EQ(At("ColAdj_Saturation"), 2181);
}

TEST_F(BindTest, MediaTypeOfTheSelectedTray) {
  InTrayEntry trays[5] = {};
  const uint32_t bins[] = {7, 257, 258, 259};
  for (int i = 0; i < 4; ++i) {
    std::strcpy(trays[i].keyword, ("T" + std::to_string(i)).c_str());
    trays[i].binId = bins[i];
  }
  model_.inTrays = trays;
  model_.features[kMfMediaTypeDetail] = 1;
  SetDocI16(doc_.get(), kDocInTrayAt, 259);  // the third tray that is not automatic
  Bind();
  EXPECT_EQ(At("MediaType"), 203 + 2 * 43);
  EXPECT_EQ(At("MediaWeight"), -1);
  model_.features[kMfMediaWeight] = 1;
  SetDocI16(doc_.get(), kDocInTrayAt, 7);
  Bind();
  EXPECT_EQ(At("MediaType"), 160);
  EXPECT_EQ(At("MediaWeight"), 162);
  SetDocI16(doc_.get(), kDocInTrayAt, 999);  // no such tray
  Bind();
  EXPECT_EQ(At("MediaType"), -1);

  model_.features[kMfMediaTypeDetail] = 0;
  std::strcpy(Fields(*doc_).PTInfoEach[4].szKey, "InTrayManual");
  Bind();
  EXPECT_EQ(At("MediaType"), 122);
  EXPECT_EQ(At("MediaType_Manual"), 167 + 4 * 43 + 36);
}

TEST_F(BindTest, BindingEdgeRowByBindingSide) {
  model_.features[kMfBindingEdge4] = 1;
  SetDocByte(doc_.get(), kDocOrientationAt, 2);
  Bind();
  EXPECT_EQ(At("BindingEdge_PRN_Landscape"), 1429);
  SetDocByte(doc_.get(), kDocOrientationAt, 1);
  Bind();
  EXPECT_EQ(At("BindingEdge_PRN_Portrait"), 1429);
  SetDocByte(doc_.get(), kDocNupAt, 1);
  SetDocByte(doc_.get(), kDocNupKindAt, 6);  // an unknown N-up kind: no field
  Bind();
  EXPECT_EQ(At("BindingEdge_PRN_Portrait"), -1);
  model_.features[kMfBindingEdge4] = 0;
  SetBindingEdgeKeyword(table_.get(), "BindingEdge_MFP");
  Bind();
  EXPECT_EQ(At("BindingEdge_MFP"), 1429);
}

TEST_F(BindTest, DeviceOptionSlotsAndSettings) {
  std::string text = "qxd 1\n\nsection \"DeviceOption\" items 28\n";
  for (int i = 0; i < 70; ++i) text += "  item key=\"Opt" + std::to_string(i) + "\"\n";
  for (int i = 0; i < 70; ++i) text += "\nsection \"Opt" + std::to_string(i) + "\" items 16\n  item key=\"V\"\n";
  modeltest::File f(text);
  DevOption defaults = {};
  DeviceOptionItem* options = LoadDeviceOptionList(f.get(), &model_, &defaults);
  ASSERT_NE(options, nullptr);
  Rebuild(options);
  Bind(-1, options);
  EXPECT_EQ(Row("Opt0")->field, &device_.optionValues[0]);
  EXPECT_EQ(Row("Opt63")->field, &device_.optionValues[63]);
  EXPECT_EQ(Row("Opt64")->field, nullptr);
  EXPECT_EQ(Row("Opt64")->available, 0u);
  EXPECT_EQ(Row("Opt3")->available, 1u);
  EXPECT_EQ(Row("DisplayConstMsg")->field, &device_.displayConstMsg);
  EXPECT_EQ(Row("MediaTypeInfoSetting")->available, 1u);
  EXPECT_EQ(Row("MediaTypeInfoSetting")->field, nullptr);
  FreeDeviceOptionList(options);
}

TEST_F(BindTest, ValuesTravelWholeThroughTheirKind) {
  Bind();
  FeatureEntry* angle = Row("CP_Angle");
  ASSERT_NE(angle, nullptr);
  WriteFeatureValue(*angle, -2);
  EXPECT_EQ(DocI16(doc_.get(), 2046), -2);
  WriteFeatureValue(*angle, 2);
  EXPECT_EQ(DocI16(doc_.get(), 2046), 2);  // no stale high byte
  FeatureEntry* color = Row("WM_Color");
  SetDocU32(doc_.get(), 1978, 0x00FF00FFu);
  EXPECT_EQ(ReadFeatureValue(*color), 0x00FF00FF);
  WriteFeatureValue(*color, 0);
  EXPECT_EQ(DocU32(doc_.get(), 1978), 0x00FF00FFu);  // read only
  SetDocByte(doc_.get(), 2214, 0xFE);
  EXPECT_EQ(ReadFeatureValue(*Row("ColAdj_Brightness")), -2);
}

TEST(FieldNames, TheStoredNamesCoverTheRecordWithoutOverlap) {
  uint32_t count = 0, end = 0;
  for (const DocFieldName* n = DocFieldNames(); n->name != nullptr; ++n, ++count) {
    EXPECT_GE(n->offset, end) << n->name;
    end = n->offset + n->size;
    EXPECT_LE(end, 8024u) << n->name;
  }
  EXPECT_EQ(count, 361u);
  const DocFieldName* sendId = FindDocFieldName("faxsetting.szsendid");
  ASSERT_NE(sendId, nullptr);
  EXPECT_EQ(sendId->offset, 6060u);
  EXPECT_EQ(sendId->size, 42u);
  EXPECT_EQ(FindDocFieldName("nNoSuchField"), nullptr);
}

}  // namespace
