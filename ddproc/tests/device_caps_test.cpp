// The device capabilities the installed trays give: bins, bin names, duplex
// and stapling.
#include <gtest/gtest.h>

#include <string>

#include "ddproc/caps/device_caps.h"
#include "ddproc/tests/device_fixture.h"

namespace {

using ddtest::DeviceOptions;
using ddtest::Model;

Model FourTrays() {
  return Model({{"InTrayAuto", 7, u"Automatically Select"},
                {"InTray1", 257, u"Tray 1"},
                {"InTray2", 258, u"Tray 2"},
                {"InTray3", 259, u"A tray with a name of thirty c"}});
}

std::u16string Slot(const char16_t* names, int i) { return std::u16string(names + i * kBinNameUnits); }

TEST(DeviceCaps, WithoutTrayOptionsEveryTrayIsABin) {
  Model model = FourTrays();
  DeviceOptions options;
  options.Add("OpMachine", {"OpMachine1"}, 0);
  uint16_t bins[10] = {};
  int32_t count = -1;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBins, bins, &count));
  ASSERT_EQ(count, 4);
  EXPECT_EQ(bins[0], 7);
  EXPECT_EQ(bins[1], 257);
  EXPECT_EQ(bins[3], 259);
}

TEST(DeviceCaps, AnUninstalledTrayLeavesBinsAndNames) {
  Model model = FourTrays();
  DeviceOptions options;
  options.Add("OpInTray3", {"DisOpInTray3", "EnaOpInTray3"}, 0).Add("opintray2", {"EnaOpInTray2"}, 0);
  uint16_t bins[10] = {};
  int32_t count = 0;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBins, bins, &count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(bins[2], 258);
  char16_t names[10 * kBinNameUnits];
  ASSERT_TRUE(
      AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBinNames, names, &count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Slot(names, 2), u"Tray 2");
  // Selecting the installed value brings it back.
  options.option()->optionValues[0] = 1;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBins, nullptr, &count));
  EXPECT_EQ(count, 4);
}

TEST(DeviceCaps, NamesAreCutToTheirSlotAndCountWithoutBuffer) {
  Model model = FourTrays();
  DeviceOptions options;
  int32_t count = 0;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBinNames, nullptr, &count));
  EXPECT_EQ(count, 4);
  char16_t names[4 * kBinNameUnits];
  for (char16_t& c : names) c = u'#';
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBinNames, names, &count));
  EXPECT_EQ(Slot(names, 3), u"A tray with a name of t");
  EXPECT_EQ(Slot(names, 3).size(), 23u);
  EXPECT_EQ(names[4 * kBinNameUnits - 1], u'\0');
}

TEST(DeviceCaps, AnIndexBeyondTheValueListSelectsNothing) {
  Model model = FourTrays();
  DeviceOptions options;
  options.Add("OpInTray1", {"EnaOpInTray1"}, 5).Add("OpOutTrayUnit", {"DisOpOutTrayUnit", "OpOutTrayUnit1"}, 9);
  int32_t count = 0;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBins, nullptr, &count));
  EXPECT_EQ(count, 3);
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapStaple, nullptr, &count));
  EXPECT_EQ(count, 0);
}

TEST(DeviceCaps, EveryTrayOfALongListIsABin) {
  std::vector<ddtest::Tray> trays;
  static const char* const kKeys[] = {"T0", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9", "T10", "T11"};
  for (uint32_t i = 0; i < 12; ++i) trays.push_back({kKeys[i], 300 + i, u"x"});
  Model model(trays);
  DeviceOptions options;
  uint16_t bins[12] = {};
  int32_t count = 0;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), options.list(), options.option(), kCapBins, bins, &count));
  EXPECT_EQ(count, 12);
  EXPECT_EQ(bins[11], 311);
}

TEST(DeviceCaps, DuplexStapleAndTheRest) {
  Model model = FourTrays();
  DeviceOptions none;
  int32_t result = -1;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), none.list(), none.option(), kCapDuplex, nullptr, &result));
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), none.list(), none.option(), kCapStaple, nullptr, &result));
  EXPECT_EQ(result, 0);
  DeviceOptions finisher;
  finisher.Add("OpOutTrayUnit", {"DisOpOutTrayUnit", "OpOutTrayUnit2"}, 1);
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), finisher.list(), finisher.option(), kCapStaple, nullptr, &result));
  EXPECT_EQ(result, 1);
  finisher.option()->optionValues[0] = 0;
  ASSERT_TRUE(AnswerDeviceCapability(model.get(), finisher.list(), finisher.option(), kCapStaple, nullptr, &result));
  EXPECT_EQ(result, 0);
  result = 42;
  for (uint16_t code : {1, 28, 5, 999}) {
    EXPECT_FALSE(AnswerDeviceCapability(model.get(), none.list(), none.option(), code, nullptr, &result));
  }
  EXPECT_EQ(result, 42);
}

}  // namespace
