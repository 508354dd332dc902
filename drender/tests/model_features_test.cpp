// Model switches, resolution margins, device options and feature tests.
#include "drender/model/model_features.h"

#include <gtest/gtest.h>

#include <cstring>

#include "drender/tests/test_model.h"

namespace {

TEST(ModelValueTest, SelectorsAndTheirSwitches) {
  TestModel model;
  ModelInfo* m = model.get();
  EXPECT_EQ(Rdc_GetModelValue(m, 0), 0u);
  m->features[kMfBookletPrint] = 1;
  m->features[kMfMultiDepartmentMng] = 1;
  m->features[kMfSeparatePagePrint] = 1;
  EXPECT_EQ(Rdc_GetModelValue(m, kModelDriverBooklet), 1u);
  EXPECT_EQ(Rdc_GetModelValue(m, kModelMultiDepartment), 1u);
  EXPECT_EQ(Rdc_GetModelValue(m, kModelSeparatePage), 1u);
  EXPECT_EQ(Rdc_GetModelValue(m, kModelDriverSeparatePage), 0u);
  EXPECT_EQ(Rdc_GetModelValue(m, 9), 1u);
  EXPECT_EQ(Rdc_GetModelValue(m, 255), 1u);
  EXPECT_EQ(Rdc_GetModelValue(m, 0x100), 1u);  // read as selector 0
  m->features[kMfBookletPrint] = 0;
  EXPECT_EQ(Rdc_GetModelValue(m, 0x100), 0u);
}

TEST(ResolutionMarginsTest, RowOfTheResolutionOrDefaultsConverted) {
  TestModel model;
  ModelInfo* m = model.get();
  const uint32_t defaults[4] = {42, 50, 60, 70};
  std::memcpy(m->customPaperMargins, defaults, sizeof defaults);
  m->customPaperResolutionMargins[2] = ResolutionMargins{300, 1, 2, 3, 4};
  uint32_t out[4];
  Rdc_GetResolutionMargins(m, out, 600);
  EXPECT_EQ(out[0], 99u);   // (42000 + 127) / 254 = 165 mils, 165 * 600 / 1000
  EXPECT_EQ(out[1], 118u);  // 197 mils
  Rdc_GetResolutionMargins(m, out, 300);
  EXPECT_EQ(out[0], 1u);
  EXPECT_EQ(out[3], 4u);
  Rdc_GetResolutionMargins(nullptr, out, 600);
  EXPECT_EQ(out[0], 0u);
}

TEST(DeviceOptionTest, SelectedValueByExactNames) {
  OptionItem trayValues[3] = {};
  std::strcpy(trayValues[0].keyword, "None");
  std::strcpy(trayValues[1].keyword, "Tray3");
  OptionItem finisherValues[2] = {};
  std::strcpy(finisherValues[0].keyword, "Installed");
  DeviceOptionItem list[3] = {};
  std::strcpy(list[0].keyword, "OptionalTray");
  list[0].values = trayValues;
  std::strcpy(list[1].keyword, "Finisher");
  list[1].values = finisherValues;
  DevOption record{};
  record.optionValues[0] = 1;
  record.optionValues[1] = 0;
  EXPECT_TRUE(Rdc_IsDeviceOptionSet(list, &record, "OptionalTray", "Tray3"));
  EXPECT_FALSE(Rdc_IsDeviceOptionSet(list, &record, "OptionalTray", "None"));
  EXPECT_FALSE(Rdc_IsDeviceOptionSet(list, &record, "optionaltray", "Tray3"));
  EXPECT_TRUE(Rdc_IsDeviceOptionSet(list, &record, "Finisher", "Installed"));
  EXPECT_FALSE(Rdc_IsDeviceOptionSet(list, &record, "Finisher", "Missing"));
  EXPECT_FALSE(Rdc_IsDeviceOptionSet(nullptr, &record, "Finisher", "Installed"));
}

TEST(FeatureTest, DriverLayoutAndCovers) {
  TestModel model;
  ModelInfo* m = model.get();
  DocDMode doc = MakeDoc();
  SetDocByte(&doc, kDocNupAt, 1);
  SetDocByte(&doc, kDocNupKindAt, 8);
  EXPECT_FALSE(Rdc_IsDriverLayout(m, &doc));  // a poster is not laid out here
  SetDocByte(&doc, kDocDoubleSidesAt, 3);
  EXPECT_FALSE(Rdc_IsDriverLayout(m, &doc));
  m->features[kMfBookletPrint] = 1;
  EXPECT_TRUE(Rdc_IsDriverBooklet(m, &doc));
  EXPECT_TRUE(Rdc_IsDriverLayout(m, &doc));
  SetDocByte(&doc, kDocDoubleSidesAt, 1);
  SetDocByte(&doc, kDocNupKindAt, 2);
  EXPECT_TRUE(Rdc_IsDriverLayout(m, &doc));
  SetDocByte(&doc, 1528, 1);
  EXPECT_FALSE(Rdc_IsDriverFrontCover(m, &doc));
  m->features[kMfFCoverPrint] = 1;
  EXPECT_TRUE(Rdc_IsDriverFrontCover(m, &doc));
  m->features[kMfBCoverPrint] = 1;
  EXPECT_FALSE(Rdc_IsDriverBackCover(m, &doc));
}

}  // namespace
