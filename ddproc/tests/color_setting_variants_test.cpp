// The Colour Setting dialog's rules that need no window: the variants by
// template and model type, the resident profiles' list texts and lookup,
// and the record a built-in choice leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ddproc/dialogs/color_setting_variants.h"
#include "ddproc/tests/color_profile_fixture.h"

namespace {

using ddtest::Profile;

TEST(ColorSettingVariants, TemplatesAndTheTypeOfTemplate123ChooseTheVariant) {
  EXPECT_EQ(ColorSettingVariantFor(123, 3)->helpContext, 6621u);
  for (uint32_t type : {0u, 1u, 2u, 4u}) EXPECT_EQ(ColorSettingVariantFor(123, type)->helpContext, 6600u) << type;
  EXPECT_EQ(ColorSettingVariantFor(123, 3)->lock, ColorLock::kListsRadiosDefault);
  EXPECT_EQ(ColorSettingVariantFor(2505, 0)->hintPageId, 128u);
  EXPECT_EQ(ColorSettingVariantFor(2506, 0)->hintPageId, 123u);
  EXPECT_TRUE(ColorSettingVariantFor(2506, 0)->edgesImmediate);
  EXPECT_FALSE(ColorSettingVariantFor(2505, 0)->edgesImmediate);
  for (int32_t other : {100, 155, 156, 196, 0, -1}) EXPECT_EQ(ColorSettingVariantFor(other, 1), nullptr) << other;
  // 124 and 2507 leave the images' grey treatment alone; 122 serves it.
  size_t imageGray = 0;
  while (ColorListControls()[imageGray].list != 1335) ++imageGray;
  EXPECT_TRUE(VariantServesList(*ColorSettingVariantFor(122, 0), imageGray));
  EXPECT_FALSE(VariantServesList(*ColorSettingVariantFor(124, 0), imageGray));
  EXPECT_FALSE(VariantServesList(*ColorSettingVariantFor(2507, 0), imageGray));
}

TEST(ColorSettingVariants, ListsEditTheirFieldsAtTheirOffsets) {
  struct Case {
    int list;
    uint32_t field, record;
  } cases[] = {
      {1504, 2614, 2792}, {1509, 2616, 2620}, {1513, 2618, 2964}, {1354, 2244, 0}, {1332, 2245, 0},
      {1335, 2246, 0},    {1353, 2248, 0},    {1599, 3138, 3314}, {1592, 3136, 3142}, {1584, 3140, 3486},
      {1524, 2258, 2260}, {1525, 2432, 2434}, {1634, 2612, 0},    {1627, 3662, 0},
  };
  for (const Case& c : cases) {
    const ColorListControl* control = FindColorListControl(c.list);
    ASSERT_NE(control, nullptr) << c.list;
    EXPECT_EQ(control->field, c.field) << c.list;
    EXPECT_EQ(control->record, c.record) << c.list;
  }
}

TEST(ColorSettingVariants, ResidentProfileTextsAndLookup) {
  ModelWideListItem locations[3] = {};
  std::strcpy(locations[0].keyword, "Prof_HDD");
  std::memcpy(locations[0].text, u"on disk", sizeof u"on disk");
  std::strcpy(locations[1].keyword, "Prof_Flash");
  locations[1].value = 1;
  std::memcpy(locations[1].text, u"in flash", sizeof u"in flash");
  char16_t text[100];
  FormatProfileEntryText(Profile(u"DL1", u"Office", 1), locations, text, 100);
  EXPECT_EQ(std::u16string(text), u"DL1 (Office) in flash");
  FormatProfileEntryText(Profile(u"DL2", u"", 0), locations, text, 100);
  EXPECT_EQ(std::u16string(text), u"DL2 on disk");
  FormatProfileEntryText(Profile(u"DL3", u"X", 7), locations, text, 8);  // no such location; cut to fit
  EXPECT_EQ(std::u16string(text), u"DL3 (X)");

  const ColorProfileRecord residents[3] = {Profile(u"Alpha", u"", 0), Profile(u"Beta", u"", 0),
                                           Profile(u"BetaMax", u"", 0)};
  EXPECT_EQ(FindResidentProfile(residents, 3, Profile(u"bETA", u"other", 1)), 1);
  EXPECT_EQ(FindResidentProfile(residents, 3, Profile(u"betamax", u"", 0)), 2);
  EXPECT_EQ(FindResidentProfile(residents, 2, Profile(u"BetaMax", u"", 0)), -1);  // past the count
  EXPECT_EQ(FindResidentProfile(nullptr, 3, Profile(u"Alpha", u"", 0)), -1);
}

TEST(ColorSettingVariants, ABuiltInChoiceClearsTheRecordAndNamesItAfterTheEntry) {
  ColorProfileRecord record = Profile(u"DL1", u"Office", 1);
  StoreBuiltInProfile(&record, u"sRGB");
  EXPECT_EQ(std::u16string(record.profileName), u"sRGB");
  EXPECT_EQ(record.downloadName[0], 0);
  EXPECT_EQ(record.srcType, 0u);
  const std::u16string longName(47, u'n');
  StoreBuiltInProfile(&record, longName.c_str());
  EXPECT_EQ(std::u16string(record.profileName), std::u16string(40, u'n'));
}

}  // namespace
