// The Media Type Setting dialogs as data: the variant each model type
// opens and what it edits, the tray fields as the media lists compare them,
// Cancel's copy, the listed trays.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/media/media_rows.h"
#include "ddproc/dialogs/media_type_variants.h"

namespace {

TEST(MediaTypeVariants, ModelTypeChoosesTemplateAndEditedValues) {
  struct Case {
    uint32_t modelType;
    uint16_t templateId;  // 0: no dialog
    bool weight, colour, hole;
  };
  const Case cases[] = {
      {1, 155, true, true, true}, {2, 165, false, true, true}, {3, 166, false, false, false},
      {0, 0, false, false, false}, {4, 0, false, false, false}, {0xFFFFFFFFu, 0, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modelType);
    const MediaTypeVariant* v = MediaTypeVariantForModelType(c.modelType);
    if (c.templateId == 0) {
      EXPECT_EQ(v, nullptr);
      continue;
    }
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->templateId, c.templateId);
    EXPECT_EQ(MediaTypeVariantForTemplate(c.templateId), v);
    for (int always : {kColSize, kColOrient, kColType}) EXPECT_TRUE(VariantEdits(*v, always));
    EXPECT_EQ(VariantEdits(*v, kColWeight), c.weight);
    EXPECT_EQ(VariantEdits(*v, kColColor), c.colour);
    EXPECT_EQ(VariantEdits(*v, kColHole), c.hole);
    EXPECT_FALSE(VariantEdits(*v, kColTray));
  }
  EXPECT_EQ(MediaTypeVariantForTemplate(130), nullptr);
}

TEST(MediaTypeVariants, DropListsOfTheValueKinds) {
  const uint16_t combos[] = {1860, 1862, 1003, 1086, 1091, 1094};
  const uint16_t labels[] = {1859, 1861, 1005, 1084, 1089, 1097};
  const char* features[] = {"MediaType_Size",   "MediaType_Orientation", "MediaType_Paper",
                            "MediaType_Weight", "MediaType_Color",       "MediaType_Hole"};
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind* kind = MediaValueKindOfCombo(combos[i]);
    ASSERT_NE(kind, nullptr) << combos[i];
    EXPECT_EQ(kind->column, kColSize + static_cast<int>(i));
    EXPECT_EQ(kind->labelId, labels[i]);
    EXPECT_STREQ(kind->feature, features[i]);
  }
  EXPECT_EQ(MediaValueKindOfCombo(1844), nullptr);
  EXPECT_EQ(MediaValueKindOfCombo(1859), nullptr);  // a label, not a drop list
}

OptionItem Row(const char* keyword, uint32_t value) {
  OptionItem item = {};
  item.size = sizeof item;
  std::strncpy(item.keyword, keyword, sizeof item.keyword - 1);
  item.value = value;
  return item;
}

TEST(MediaTypeVariants, FieldsCompareWithTheirListRows) {
  // Unknown rows (value -1, the hole's 255) match the fields that hold them
  // after the round trip through the 16-bit and 8-bit fields.
  std::vector<OptionItem> types = {Row("Plain", 1), Row("Thick", 0x8001), Row("Unknown", 0xFFFFFFFFu), Row("", 0)};
  std::vector<OptionItem> holes = {Row("None", 1), Row("Unknown", 255), Row("", 0)};
  TrayMediaSlot slot = {};
  struct Case {
    const OptionItem* list;
    int column;
    uint32_t stored;
    int expectedRow;
    int32_t expectedField;
  };
  const Case cases[] = {
      {types.data(), kColType, 1, 0, 1},
      {types.data(), kColType, 0xFFFFFFFFu, 2, -1},
      {types.data(), kColType, 0x12345, -1, 0x2345},      // cut to 16 bits: no row
      {types.data(), kColType, 0x8001, -1, -32767},       // widened with the sign: not the row's 0x8001
      {holes.data(), kColHole, 255, 1, 255},
      {holes.data(), kColHole, 0x101, 0, 1},              // cut to 8 bits
      {holes.data(), kColHole, 7, -1, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SetTrayFieldValue(&slot, c.column, c.stored);
    EXPECT_EQ(TrayFieldValue(slot, c.column), c.expectedField);
    EXPECT_EQ(MatchingRow(c.list, slot, c.column), c.expectedRow);
  }
  // Each kind writes its own field and no other.
  TrayMediaSlot fields = {};
  for (int column = kColSize; column <= kColHole; ++column) SetTrayFieldValue(&fields, column, 10 + column);
  EXPECT_EQ(fields.paperId, 10 + kColSize);
  EXPECT_EQ(fields.orientation, 10 + kColOrient);
  EXPECT_EQ(fields.mediaType, 10 + kColType);
  EXPECT_EQ(fields.mediaWeight, 10 + kColWeight);
  EXPECT_EQ(fields.mediaColor, 10 + kColColor);
  EXPECT_EQ(fields.prePunched, 10 + kColHole);
  EXPECT_EQ(MatchingRow(nullptr, fields, kColType), -1);
}

TEST(MediaTypeVariants, CancelRestoresOnlyWhatTheVariantEdits) {
  DevOption before = {};
  for (uint32_t i = 0; i < kDevOptionTraySlots; ++i) {
    before.trays[i].trayId = 100 + i;
    before.trays[i].paperId = static_cast<uint16_t>(i);
    before.trays[i].orientation = 1;
    before.trays[i].mediaType = static_cast<uint16_t>(20 + i);
    before.trays[i].mediaWeight = 3;
    before.trays[i].mediaColor = 4;
    before.trays[i].prePunched = 5;
  }
  for (uint16_t templateId : {155, 165, 166}) {
    SCOPED_TRACE(templateId);
    const MediaTypeVariant& v = *MediaTypeVariantForTemplate(templateId);
    MediaTypeSnapshot snapshot;
    TakeMediaSnapshot(before, &snapshot);
    DevOption edited = before;
    for (TrayMediaSlot& t : edited.trays) {
      for (int column = kColSize; column <= kColHole; ++column) SetTrayFieldValue(&t, column, 77);
      std::strcpy(t.trayKeyword, "InTray9");
      t.trayId = 999;
    }
    RestoreMediaSnapshot(v, snapshot, &edited);
    for (uint32_t i = 0; i < kDevOptionTraySlots; ++i) {
      for (int column = kColSize; column <= kColHole; ++column) {
        const int32_t expected = VariantEdits(v, column) ? TrayFieldValue(before.trays[i], column) : 77;
        EXPECT_EQ(TrayFieldValue(edited.trays[i], column), expected) << "tray " << i << " column " << column;
      }
      // The keywords and bin ids the row fill wrote stay.
      EXPECT_STREQ(edited.trays[i].trayKeyword, "InTray9");
      EXPECT_EQ(edited.trays[i].trayId, 999u);
    }
  }
}

TEST(MediaTypeVariants, DropListsShownByTheModelsSwitches) {
  const MediaTypeVariant& v155 = *MediaTypeVariantForTemplate(155);
  const MediaTypeVariant& v165 = *MediaTypeVariantForTemplate(165);
  const MediaSwitches none = {1, false, false, false};
  const MediaSwitches all = {1, true, true, true};
  EXPECT_TRUE(MediaComboShown(v155, kColSize, none));
  EXPECT_FALSE(MediaComboShown(v155, kColWeight, none));
  EXPECT_FALSE(MediaComboShown(v155, kColColor, none));
  EXPECT_FALSE(MediaComboShown(v155, kColHole, none));
  EXPECT_TRUE(MediaComboShown(v155, kColWeight, all));
  EXPECT_TRUE(MediaComboShown(v155, kColHole, all));
  // Type 2 never offers the weight, whatever the model says.
  EXPECT_FALSE(MediaComboShown(v165, kColWeight, all));
  EXPECT_TRUE(MediaComboShown(v165, kColColor, all));
}

InTrayEntry Tray(const char* keyword, uint32_t binId) {
  InTrayEntry e = {};
  e.size = sizeof e;
  std::strncpy(e.keyword, keyword, sizeof e.keyword - 1);
  e.binId = binId;
  return e;
}

TEST(MediaTypeVariants, ListedTraysSkipTheAutomaticTrayAndStopAtTen) {
  // Twelve trays besides the automatic one, which sits third.
  std::vector<InTrayEntry> trays = {Tray("InTray1", 257), Tray("InTray2", 258), Tray("InTrayAuto", 7)};
  for (uint32_t i = 3; i <= 12; ++i) trays.push_back(Tray(("InTray" + std::to_string(i)).c_str(), 256 + i));
  trays.push_back(Tray("", 0));
  const InTrayEntry* listed[kMediaListTrays] = {};
  ASSERT_EQ(ListedInputTrays(trays.data(), listed), 10u);
  EXPECT_STREQ(listed[0]->keyword, "InTray1");
  EXPECT_STREQ(listed[2]->keyword, "InTray3");  // moved up over the automatic tray
  EXPECT_STREQ(listed[9]->keyword, "InTray10");

  DevOption option = {};
  MediaListTrays rows = {};
  EXPECT_EQ(CollectMediaListTrays(trays.data(), nullptr, option.trays, &rows), 10u);
  EXPECT_STREQ(option.trays[2].trayKeyword, "InTray3");
  EXPECT_EQ(option.trays[9].trayId, 266u);
  EXPECT_EQ(option.encryptionKey, 0u);  // nothing written past the ten slots

  EXPECT_EQ(ListedInputTrays(nullptr, listed), 0u);
  const InTrayEntry onlyAuto[] = {Tray("InTrayAuto", 7), Tray("", 0)};
  EXPECT_EQ(ListedInputTrays(onlyAuto, listed), 0u);
}

}  // namespace
