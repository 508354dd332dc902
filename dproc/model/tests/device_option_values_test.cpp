// Installed-option questions on the sample model's option lists.
#include <gtest/gtest.h>

#include <string>

#include "dproc/model/device_option_values.h"
#include "common/qxd/paper_tables.h"
#include "tests/support/model_fixture.h"

namespace {

const char kOptions[] =
    "qxd 1\n\n"
    "section \"FeatureSetting\" pairs\n"
    "  pair \"InterimAuthenticSetting\" \"Enable\"\n\n"
    "section \"DeviceOption\" items 28\n"
    "  item key=\"DevAccountTrack\" text=\"Account Track\"\n"
    "  item key=\"DevUserAuthentication\" text=\"User Authentication\"\n\n"
    "section \"DevUserAuthentication\" items 16 default=\"DevUserAuthentic_Dis\"\n"
    "  item key=\"DevUserAuthentic_Dis\" text=\"Off\"\n"
    "  item key=\"DevUserAuthentic_Engin\" text=\"On (Device)\"\n"
    "  item key=\"DevUserAuthentic_InterSV\" text=\"On (Relay Server)\"\n\n"
    "section \"DevAccountTrack\" items 16 default=\"DevAccountTrack_Dis\"\n"
    "  item key=\"DevAccountTrack_Dis\" text=\"Off\"\n"
    "  item key=\"DevAccountTrack_Ena\" text=\"On\"\n";

TEST(DeviceOptionValues, ValueSlotAgainstTheValuesPlace) {
  modeltest::File file(kOptions);
  ModelInfo* model = BuildModelInfo(file.get(), ModelBuildEnv{true, 1, true});
  ASSERT_NE(model, nullptr);
  DevOption record = {};
  DeviceOptionItem* list = LoadDeviceOptionList(file.get(), model, &record);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsDeviceOptionValue(&record, list, "DevUserAuthentication", "DevUserAuthentic_Dis"));
  EXPECT_FALSE(IsInterServerAuthentication(model, &record, list));

  const uint32_t slot = list[1].optionIndex;
  record.optionValues[slot] = 2;
  EXPECT_TRUE(IsDeviceOptionValue(&record, list, "DevUserAuthentication", "DevUserAuthentic_InterSV"));
  EXPECT_FALSE(IsDeviceOptionValue(&record, list, "devuserauthentication", "DevUserAuthentic_InterSV"))
      << "names compare exactly";
  EXPECT_FALSE(IsDeviceOptionValue(&record, list, "DevUserAuthentication", "NoSuchValue"));
  EXPECT_FALSE(IsDeviceOptionValue(&record, list, "NoSuchOption", "DevUserAuthentic_InterSV"));
  EXPECT_TRUE(IsInterServerAuthentication(model, &record, list));
  model->features[kMfInterimAuthentic] = 0;
  EXPECT_FALSE(IsInterServerAuthentication(model, &record, list)) << "the model does not allow it";
  FreeDeviceOptionList(list);
  FreeModelInfoRecord(model);
}

}  // namespace
