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

// Four numbered trays and one without a number, each "Dis..." then "Ena...";
// the unit without a number has no "Dis" value.
const char kTrays[] =
    "qxd 1\n\n"
    "section \"DeviceOption\" items 28\n"
    "  item key=\"OpInTray\" text=\"Tray unit\"\n"
    "  item key=\"OpInTray1\" text=\"Tray 1\"\n"
    "  item key=\"OpInTray2\" text=\"Tray 2\"\n"
    "  item key=\"OpInTray3\" text=\"Tray 3\"\n"
    "  item key=\"OpInTray4\" text=\"Tray 4\"\n"
    "  item key=\"OpMemory\" text=\"Memory\"\n\n"
    "section \"OpInTray\" items 16 default=\"NoUnit\"\n"
    "  item key=\"NoUnit\" text=\"None\"\n"
    "  item key=\"EnaOpInTray\" text=\"Fitted\"\n\n"
    "section \"OpInTray1\" items 16 default=\"DisOpInTray1\"\n"
    "  item key=\"DisOpInTray1\" text=\"Off\"\n"
    "  item key=\"EnaOpInTray1\" text=\"On\"\n\n"
    "section \"OpInTray2\" items 16 default=\"DisOpInTray2\"\n"
    "  item key=\"DisOpInTray2\" text=\"Off\"\n"
    "  item key=\"EnaOpInTray2\" text=\"On\"\n\n"
    "section \"OpInTray3\" items 16 default=\"DisOpInTray3\"\n"
    "  item key=\"DisOpInTray3\" text=\"Off\"\n"
    "  item key=\"enaOpInTray3\" text=\"On\"\n\n"
    "section \"OpInTray4\" items 16 default=\"DisOpInTray4\"\n"
    "  item key=\"DisOpInTray4\" text=\"Off\"\n"
    "  item key=\"EnaOpInTray4\" text=\"On\"\n\n"
    "section \"OpMemory\" items 16 default=\"Mem64\"\n"
    "  item key=\"Mem64\" text=\"64 MB\"\n"
    "  item key=\"Mem128\" text=\"128 MB\"\n"
    "  item key=\"Mem256\" text=\"256 MB\"\n";

class TrayOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    model_ = BuildModelInfo(file_.get(), ModelBuildEnv{true, 1, true});
    ASSERT_NE(model_, nullptr);
    list_ = LoadDeviceOptionList(file_.get(), model_, &record_);
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    FreeDeviceOptionList(list_);
    FreeModelInfoRecord(model_);
  }
  uint32_t Place(const char* option) {
    const DeviceOptionItem* row = FindDeviceOptionByName(list_, option);
    return row != nullptr ? record_.optionValues[row->optionIndex] : 999;
  }
  void Set(const char* option, uint32_t place) {
    record_.optionValues[FindDeviceOptionByName(list_, option)->optionIndex] = place;
  }
  modeltest::File file_{kTrays};
  ModelInfo* model_ = nullptr;
  DevOption record_ = {};
  DeviceOptionItem* list_ = nullptr;
};

TEST_F(TrayOptions, TheInputTrayChainRule) {
  struct Case {
    const char* changed;
    const char* value;
    uint32_t start;                 // every tray option's place before
    uint32_t unit, t1, t2, t3, t4;  // after
  };
  const Case cases[] = {
      // Switching tray 3 on switches on the trays below it and the unit.
      {"OpInTray3", "EnaOpInTray3", 0, 1, 1, 1, 0, 0},
      // Switching tray 2 off switches off the trays above it; the unit,
      // without a "Dis" value, and tray 1 stay.
      {"OpInTray2", "DisOpInTray2", 1, 1, 1, 1, 0, 0},
      // Any case of "Ena" counts; tray 3's "enaOpInTray3" is found as well.
      {"opintray4", "ENAOpInTray4", 0, 1, 1, 1, 1, 0},
      // The unit without a number is tray 0: on, it switches nothing below;
      // off, it switches every numbered tray off.
      {"OpInTray", "EnaOpInTray", 0, 0, 0, 0, 0, 0},
      {"OpInTray", "NoUnit", 1, 1, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    for (const char* o : {"OpInTray", "OpInTray1", "OpInTray2", "OpInTray3", "OpInTray4"}) Set(o, c.start);
    ChainInputTrayOptions(&record_, list_, c.changed, c.value);
    EXPECT_EQ(Place("OpInTray"), c.unit) << c.changed << " " << c.value;
    EXPECT_EQ(Place("OpInTray1"), c.t1) << c.changed << " " << c.value;
    EXPECT_EQ(Place("OpInTray2"), c.t2) << c.changed << " " << c.value;
    EXPECT_EQ(Place("OpInTray3"), c.t3) << c.changed << " " << c.value;
    EXPECT_EQ(Place("OpInTray4"), c.t4) << c.changed << " " << c.value;
  }
}

TEST_F(TrayOptions, TreeSelectionsBecomeValuePlacesAndAnOutOfRangeMemoryIsIgnored) {
  const DeviceOptionItem* tray3 = FindDeviceOptionByName(list_, "OpInTray3");
  const DeviceOptionItem* memory = FindDeviceOptionByName(list_, "OpMemory");
  const DeviceOptionItem* unit = FindDeviceOptionByName(list_, "OpInTray");
  uint32_t place = 7;
  EXPECT_TRUE(InstalledOptionPlaceFromTree(tray3, false, 1, &place));
  EXPECT_EQ(place, 1u);
  EXPECT_TRUE(InstalledOptionPlaceFromTree(tray3, false, 0, &place));
  EXPECT_EQ(place, 0u);
  EXPECT_TRUE(InstalledOptionPlaceFromTree(memory, true, 2, &place));
  EXPECT_EQ(place, 2u);
  place = 7;
  for (long selection : {3L, -1L, 100000L}) {
    EXPECT_FALSE(InstalledOptionPlaceFromTree(memory, true, selection, &place)) << selection;
  }
  EXPECT_FALSE(InstalledOptionPlaceFromTree(unit, false, 0, &place)) << "no value begins with Dis";
  EXPECT_FALSE(InstalledOptionPlaceFromTree(nullptr, false, 1, &place));
  EXPECT_EQ(place, 7u);
}

}  // namespace
