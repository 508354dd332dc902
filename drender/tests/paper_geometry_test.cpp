// Paper geometry of a job over a model built in memory.
#include "drender/settings/paper_geometry.h"

#include <gtest/gtest.h>

#include "drender/tests/test_model.h"

namespace {

class PaperGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddCommonPapers(model_);
    doc_ = MakeDoc();
    SetPaper(9, 2100, 2970, 42);
    SetDocI16(&doc_, kDocOutPaperSizeAt, 357);
  }
  void SetPaper(int16_t id, int16_t width, int16_t length, int16_t margin) {
    SetDocI16(&doc_, kDocPaperSizeAt, id);
    SetDocI16(&doc_, kDocPaperWidthAt, width);
    SetDocI16(&doc_, kDocPaperLengthAt, length);
    for (int i = 0; i < 4; ++i) SetDocI16(&doc_, 72 + 2 * i, static_cast<int16_t>(margin + i));
  }
  struct Area {
    bool ok;
    uint32_t size[2];
    uint32_t margins[4];
  };
  Area PrintableArea() {
    Area a{};
    a.ok = Paper_GetPrintableArea(model_.get(), &doc_, a.size, a.margins);
    return a;
  }

  TestModel model_;
  DocDMode doc_{};
};

TEST_F(PaperGeometryTest, SameGeometryAsTheOriginal) {
  SetDocI16(&doc_, kDocOutPaperSizeAt, 358);
  Area a = PrintableArea();
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.size[0], 2100u);
  EXPECT_EQ(a.size[1], 2970u);
  EXPECT_EQ(a.margins[0], 42u);
  EXPECT_EQ(a.margins[3], 45u);
  EXPECT_TRUE(Paper_IsSameAsOriginal(model_.get(), &doc_));
  PaperSheet sheet;
  ASSERT_TRUE(Paper_GetPaperInfo(model_.get(), &doc_, &sheet));
  EXPECT_STREQ(sheet.name, "A4");
  EXPECT_EQ(sheet.code, 9u);
  EXPECT_EQ(sheet.info.halfWidth, 2100u);
  EXPECT_STREQ(sheet.extra, "A4 note");
}

TEST_F(PaperGeometryTest, DeviceBookletOfACustomSize) {
  SetPaper(256, 2100, 2970, 0);
  SetDocI16(&doc_, kDocUserPaperWidthAt, 2100);
  SetDocI16(&doc_, kDocUserPaperLengthAt, 2970);
  SetDocByte(&doc_, kDocDoubleSidesAt, 3);
  PaperSheet sheet;
  ASSERT_TRUE(Paper_GetDeviceSheet(model_.get(), &doc_, &sheet));
  EXPECT_STREQ(sheet.name, "CustomSize");
  EXPECT_EQ(sheet.code, 256u);
  EXPECT_EQ(sheet.info.halfWidth, 1485u);
  EXPECT_EQ(sheet.info.halfLength, 2100u);
  EXPECT_EQ(sheet.info.margins[0], 50u);
  Area a = PrintableArea();
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.size[0], 1485u);
  EXPECT_EQ(a.size[1], 2100u);
  EXPECT_FALSE(Paper_IsSameAsOriginal(model_.get(), &doc_));
  // A model whose driver makes the booklet leaves the sheet to the driver.
  model_.get()->features[kMfBookletPrint] = 1;
  EXPECT_FALSE(Paper_GetDeviceSheet(model_.get(), &doc_, &sheet));
  EXPECT_TRUE(Paper_IsSameAsOriginal(model_.get(), &doc_));
}

TEST_F(PaperGeometryTest, ListedPaperWithADeviceSheet) {
  model_.SetDeviceSheet(9, "A3", 8, 2100, 2970);
  SetDocI16(&doc_, kDocOutPaperSizeAt, 9);
  PaperSheet sheet;
  EXPECT_FALSE(Paper_GetDeviceSheet(model_.get(), &doc_, &sheet));  // nothing composes the sheet
  SetDocByte(&doc_, kDocCombinationAt, 1);
  ASSERT_TRUE(Paper_GetDeviceSheet(model_.get(), &doc_, &sheet));
  EXPECT_STREQ(sheet.name, "A3");
  EXPECT_EQ(sheet.code, 8u);
  EXPECT_STREQ(sheet.extra, "A3 sheet");
  ASSERT_TRUE(Paper_GetPaperInfo(model_.get(), &doc_, &sheet));
  EXPECT_STREQ(sheet.name, "A3");
  // A paper without a device sheet, under combination: nothing to compose.
  SetDocI16(&doc_, kDocOutPaperSizeAt, 1);
  EXPECT_FALSE(Paper_GetDeviceSheet(model_.get(), &doc_, &sheet));
  EXPECT_EQ(sheet.name[0], 0);
}

TEST_F(PaperGeometryTest, UserPaperAsOutputWithoutADeviceSheet) {
  SetDocI16(&doc_, kDocOutPaperSizeAt, 515);
  SetDocI16(&doc_, kDocOutPaperWidthAt, 1000);
  SetDocI16(&doc_, kDocOutPaperLengthAt, 1500);
  Area a = PrintableArea();
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.size[0], 1000u);
  EXPECT_EQ(a.size[1], 1500u);
  EXPECT_EQ(a.margins[2], 50u);  // the custom entry's
  PaperSheet sheet;
  ASSERT_TRUE(Paper_GetPaperInfo(model_.get(), &doc_, &sheet));
  EXPECT_STREQ(sheet.name, "CustomSize");
  EXPECT_EQ(sheet.code, 515u);
  EXPECT_FALSE(Paper_IsSameAsOriginal(model_.get(), &doc_));
}

TEST_F(PaperGeometryTest, CustomSizeAsOutputUsesItsOwnFields) {
  SetDocI16(&doc_, kDocOutPaperSizeAt, 256);
  SetDocI16(&doc_, kDocOutUserPaperWidthAt, 1200);
  SetDocI16(&doc_, kDocOutUserPaperLengthAt, -5);  // damaged: counts as 0
  Area a = PrintableArea();
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.size[0], 1200u);
  EXPECT_EQ(a.size[1], 0u);
}

TEST_F(PaperGeometryTest, UnlistedPapersFail) {
  SetDocI16(&doc_, kDocOutPaperSizeAt, 77);
  EXPECT_FALSE(PrintableArea().ok);
  PaperSheet sheet;
  EXPECT_FALSE(Paper_GetPaperInfo(model_.get(), &doc_, &sheet));
  // The document paper unlisted, output following it.
  SetDocI16(&doc_, kDocOutPaperSizeAt, 357);
  SetDocI16(&doc_, kDocPaperSizeAt, 77);
  EXPECT_TRUE(PrintableArea().ok);  // the settings' own size and margins
  EXPECT_FALSE(Paper_GetPaperInfo(model_.get(), &doc_, &sheet));
  // No custom entry: a user size cannot be described.
  TestModel bare;
  bare.AddPaper({"A4", 9, 2100, 2970, {42, 42, 42, 42}});
  SetDocI16(&doc_, kDocOutPaperSizeAt, 515);
  Area a{};
  EXPECT_FALSE(Paper_GetPrintableArea(bare.get(), &doc_, a.size, a.margins));
}

}  // namespace
