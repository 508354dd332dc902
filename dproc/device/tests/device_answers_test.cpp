// The device's answers in the device option record: tray media with their
// unknown rows and the media dialog's kinds, installed options, and the
// machine check with its reset.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dproc/device/device_answers.h"

namespace {

OptionItem Row(const char* keyword, uint32_t value) {
  OptionItem row = {};
  row.size = sizeof row;
  std::strncpy(row.keyword, keyword, sizeof row.keyword - 1);
  row.value = value;
  return row;
}

struct Lists {
  std::vector<OptionItem> sizes = {Row("A4", 9), Row("Letter", 1), Row("MediaTypeList_Size_Unknown", 0xFFFFFFFFu), {}};
  std::vector<OptionItem> orientations = {Row("MediaTypeList_Portrait", 1), Row("MediaTypeList_Landscape", 2), {}};
  std::vector<OptionItem> types = {Row("Plain", 1), Row("Thick", 3), Row("MediaTypeList_Type_Unknown", 0xFFFFFFFFu), {}};
  std::vector<OptionItem> weights = {Row("Light", 1), Row("Heavy", 2), {}};
  std::vector<OptionItem> colors = {Row("White", 1), Row("Blue", 2), {}};
  std::vector<OptionItem> holes = {Row("NoHole", 0), Row("TwoHoles", 2), Row("MediaTypeList_Hole_Unknown", 255), {}};
  MediaTypeLists Get() {
    return {sizes.data(), orientations.data(), types.data(), weights.data(), colors.data(), holes.data()};
  }
};

TrayStatusEntry Answer(const char* size, const char* orient, const char* type, const char* weight, const char* color,
                       const char* hole) {
  TrayStatusEntry entry = {};
  const char* answers[] = {size, orient, type, weight, color, hole};
  for (int k = 0; k < kTrayAnswerCount; ++k) std::strncpy(entry.answers[k], answers[k], 31);
  return entry;
}

TEST(DeviceAnswers, TrayMediaByTheMediaDialogsKinds) {
  Lists lists;
  const MediaTypeLists m = lists.Get();
  TrayMediaSlot defaults = {};
  defaults.orientation = 2;
  defaults.mediaWeight = 1;
  struct Case {
    uint32_t dialogType;
    TrayStatusEntry entry;
    uint16_t paper, orientation, type, weight, color;
    uint8_t hole;
  };
  const Case cases[] = {
      // Type 1 takes all six, keywords in any case.
      {1, Answer("letter", "MediaTypeList_Landscape", "THICK", "Heavy", "Blue", "TwoHoles"), 1, 2, 3, 2, 2, 2},
      // Type 2 leaves the weight, type 3 the weight, colour and hole.
      {2, Answer("Letter", "MediaTypeList_Landscape", "Thick", "Heavy", "Blue", "TwoHoles"), 1, 2, 3, 0, 2, 2},
      {3, Answer("Letter", "MediaTypeList_Landscape", "Thick", "Heavy", "Blue", "TwoHoles"), 1, 2, 3, 0, 0, 0},
      // Empty answers: the unknown row, or without one the default's value.
      {1, Answer("", "", "", "", "", ""), 0xFFFF, 2, 0xFFFF, 1, 0, 255},
      // An answer no row has leaves the field.
      {1, Answer("A9", "Sideways", "Foil", "Medium", "Red", "Three"), 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TrayMediaSlot slot = {};
    const bool changed = ApplyTrayAnswers(&slot, c.entry, m, c.dialogType, defaults);
    EXPECT_EQ(slot.paperId, c.paper) << c.dialogType;
    EXPECT_EQ(slot.orientation, c.orientation) << c.dialogType;
    EXPECT_EQ(slot.mediaType, c.type) << c.dialogType;
    EXPECT_EQ(slot.mediaWeight, c.weight) << c.dialogType;
    EXPECT_EQ(slot.mediaColor, c.color) << c.dialogType;
    EXPECT_EQ(slot.prePunched, c.hole) << c.dialogType;
    EXPECT_EQ(changed, c.paper != 0 || c.orientation != 0 || c.type != 0 || c.weight != 0 || c.color != 0 || c.hole != 0);
  }
}

struct Options {
  std::vector<OptionItem> auth = {Row("Off", 0), Row("OnDevice", 1), {}};
  std::vector<OptionItem> machine = {Row("FaxUnit20", 0), Row("FaxUnit30", 1), {}};
  std::vector<DeviceOptionItem> list;
  Options() {
    DeviceOptionItem a = {};
    std::strcpy(a.keyword, "DevUserAuthentication");
    a.optionIndex = 0;
    a.values = auth.data();
    DeviceOptionItem b = {};
    std::strcpy(b.keyword, "OpMachine");
    b.optionIndex = 1;
    b.values = machine.data();
    list = {a, b, DeviceOptionItem{}};
  }
};

std::vector<DevOptionEntry> Entries(const char* auth, const char* machine) {
  std::vector<DevOptionEntry> entries(2);
  std::memset(entries.data(), 0, sizeof(DevOptionEntry) * 2);
  std::strcpy(entries[0].keyword, "DevUserAuthentication");
  std::strncpy(entries[0].value, auth, 31);
  std::strcpy(entries[1].keyword, "OpMachine");
  std::strncpy(entries[1].value, machine, 31);
  return entries;
}

TEST(DeviceAnswers, OptionsTakeTheReportedRowAndTheMachineCheck) {
  Options o;
  DevOption record = {};
  auto entries = Entries("ondevice", "");
  EXPECT_TRUE(ApplyOptionAnswers(&record, o.list.data(), entries.data(), 2));
  EXPECT_EQ(record.optionValues[0], 1u);
  EXPECT_EQ(record.optionValues[1], 0u) << "an empty answer changes nothing";
  EXPECT_FALSE(ApplyOptionAnswers(&record, o.list.data(), entries.data(), 2)) << "nothing new";
  entries = Entries("NoSuchMethod", "FaxUnit30");
  EXPECT_TRUE(ApplyOptionAnswers(&record, o.list.data(), entries.data(), 2));
  EXPECT_EQ(record.optionValues[0], 1u);
  EXPECT_EQ(record.optionValues[1], 1u);

  EXPECT_FALSE(ReportsAnotherMachine(record, o.list.data(), Entries("", "faxunit30").data(), 2));
  EXPECT_TRUE(ReportsAnotherMachine(record, o.list.data(), Entries("", "FaxUnit20").data(), 2));
  EXPECT_FALSE(ReportsAnotherMachine(record, o.list.data(), Entries("", "").data(), 2))
      << "a device that does not name its machine";
  EXPECT_FALSE(ReportsAnotherMachine(record, o.list.data(), Entries("", "FaxUnit20").data(), 1))
      << "the machine was not asked";
}

TEST(DeviceAnswers, TheResetTakesOnlyTheDevicePart) {
  DevOption record = {};
  std::memset(&record, 0x5A, sizeof record);
  DevOption defaults = {};
  defaults.optionValues[3] = 2;
  defaults.optionCount = 4;
  ResetDevicePart(&record, defaults);
  EXPECT_EQ(record.trays[9].paperId, 0);
  EXPECT_EQ(record.encryptionKey, 0);
  EXPECT_EQ(record.encryptedValueLength, 0);
  EXPECT_EQ(record.optionCount, 4u);
  EXPECT_EQ(record.optionValues[3], 2u);
  EXPECT_EQ(record.autoAcquisition, 0x5A5A) << "the acquisition settings stay";
  EXPECT_EQ(record.emfSpool, 0x5A5A) << "the switches stay";
}

}  // namespace
