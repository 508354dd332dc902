// The relay-server items' rules: answers checked and replaced field by
// field, and the dialog's controls planned from the items and written as a
// template that reads back through the template reader.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/auth/middle_server_rules.h"
#include "dproc/dialogs/dialog_template.h"

namespace {

using namespace ms;

TEST(MiddleServerRules, NumbersWithAndWithoutARange) {
  const NumberRange month{1, 12}, zone{-12, 12};
  struct Case {
    const char* text;
    const NumberRange* range;
    bool ok;
  } cases[] = {
      {"12", &month, true},  {"13", &month, false}, {"0", &month, false},  {"-1", &month, false},
      {"-12", &zone, true},  {"-13", &zone, false}, {"", nullptr, false},  {"-", nullptr, false},
      {"1a", nullptr, false}, {"-0042", nullptr, true}, {"99999999999999999999", &zone, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNumberInRange(c.text, c.range), c.ok) << c.text;
}

TEST(MiddleServerRules, TypedAnswersByKind) {
  // Text: optional empty passes, a required one only without a minimum.
  EXPECT_TRUE(TextAnswerOk("", 0, 3, 0));
  EXPECT_FALSE(TextAnswerOk("", kRequired, 3, 0));
  EXPECT_TRUE(TextAnswerOk("", kRequired, 0, 0));
  EXPECT_FALSE(TextAnswerOk("ab", 0, 3, 0));
  EXPECT_FALSE(TextAnswerOk(std::string(65, 'a'), 0, 0, 0));
  EXPECT_TRUE(TextAnswerOk("a b~", 0, 0, 2));
  EXPECT_FALSE(TextAnswerOk("a\tb", 0, 0, 2));
  EXPECT_FALSE(TextAnswerOk("a b", 0, 0, 3));
  EXPECT_TRUE(TextAnswerOk("aB9", 0, 0, 3));
  // Number: the 32-bit range, and the item's own when its minimum is lower.
  EXPECT_TRUE(NumberAnswerOk("", 0, 0, 0));
  EXPECT_FALSE(NumberAnswerOk("", kRequired, 0, 0));
  EXPECT_TRUE(NumberAnswerOk("-2147483648", 0, 0, 0));
  EXPECT_FALSE(NumberAnswerOk("2147483648", 0, 0, 0));
  EXPECT_FALSE(NumberAnswerOk("11", 0, 1, 10));
  EXPECT_TRUE(NumberAnswerOk("11", 0, 10, 1));  // no range: the minimum is not below the maximum
  // Date fields are checked only for a required item.
  EXPECT_TRUE(DateAnswerOk("x", 0, 1));
  EXPECT_FALSE(DateAnswerOk("13", kRequired, 1));
  EXPECT_FALSE(DateAnswerOk("", kRequired, 0));
  EXPECT_TRUE(DateAnswerOk("-12", kRequired, 5));
}

TEST(MiddleServerRules, DateFieldsStoredOrReplaced) {
  struct Case {
    int field;
    const char* typed;
    uint8_t input;
    const char* defaultText;
    const char* stored;
    bool failed;
  } cases[] = {
      {1, "13", 0, "5", "12", false},     // an optional month beyond its range is clamped
      {0, "-5", 0, "", "2024", false},    // a year that is no year takes the default year
      {1, "--", 0, "7", "7", false},      // no number: the default text
      {1, "--", kNeeded, "7", "7", true}, // ... and a needed item fails
      {2, "31", kNeeded, "1", "31", false},
      {6, "20", 0, "0", "30", false},     // zone minutes snap to 30 ...
      {6, "50", 0, "0", "0", false},      // ... or to 0
      {6, "45", kRequired, "0", "30", false},
      {5, "-12", 0, "0", "-12", false},
      {1, "x", kRequired, "1", "x", false},  // a required answer is stored as typed (it was checked)
  };
  for (const Case& c : cases) {
    bool failed = false;
    EXPECT_EQ(DateFieldAnswer(c.field, c.typed, c.input, 2024, c.defaultText, &failed), c.stored)
        << c.field << " " << c.typed;
    EXPECT_EQ(failed, c.failed) << c.field << " " << c.typed;
  }
  EXPECT_EQ(DateFieldDefault(1, 2024, "40"), "12");
  EXPECT_EQ(DateFieldDefault(0, 12000, ""), "9999");
  EXPECT_EQ(DateFieldDefault(6, 2024, "17"), "30");
  EXPECT_TRUE(DateFieldUsed(2, 0) && !DateFieldUsed(2, 3) && !DateFieldUsed(2, 5));
  EXPECT_TRUE(DateFieldUsed(3, 4) && !DateFieldUsed(3, 2));
  EXPECT_TRUE(DateFieldUsed(4, 6) && !DateFieldUsed(1, 6));
}

std::vector<uint8_t> Items(const std::vector<int>& kinds) {
  std::vector<uint8_t> items(kinds.size() * kItemBytes);
  for (size_t i = 0; i < kinds.size(); ++i) {
    uint8_t* item = items.data() + i * kItemBytes;
    item[kKindAt] = static_cast<uint8_t>(kinds[i]);
    const std::string label = "Item " + std::to_string(i) + " \xC3\xA9";  // a non-ASCII label
    std::memcpy(item + kLabelAt, label.data(), label.size());
    item[kTextStyleAt] = 1;
    item[kNumberStyleAt] = 2;
    item[kInputAt] = i == 0 ? kRequired : 0;
    std::memcpy(item + kCaption1At, "Yes", 3);
    std::memcpy(item + kCaption2At, "No", 2);
  }
  return items;
}

TEST(MiddleServerRules, TheTemplateReadsBackWithEveryPlannedControl) {
  const std::vector<int> kinds = {1, 2, 3, 4, 5, 6, 7, 9, 10, 1};
  const std::vector<uint8_t> items = Items(kinds);
  std::vector<Control> controls;
  std::vector<Node> nodes;
  PlanControls(items.data(), static_cast<int>(kinds.size()), &controls, &nodes);
  ASSERT_EQ(nodes.size(), kinds.size());
  const std::vector<uint8_t> bytes = TemplateBytes(controls, u"MS Shell Dlg", 9);
  DialogTemplateLayout layout{};
  ASSERT_TRUE(WalkDialogTemplate(bytes.data(), bytes.size(), &layout));
  EXPECT_FALSE(layout.extended);
  EXPECT_TRUE(layout.hasFont);
  EXPECT_EQ(layout.itemCount, controls.size());
  std::vector<DialogItemFacts> read;
  ASSERT_TRUE(ReadDialogItems(bytes.data(), bytes.size(), &read));
  ASSERT_EQ(read.size(), controls.size());
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].id, controls[i].id);
    EXPECT_EQ(read[i].classOrdinal, controls[i].classOrdinal);
    EXPECT_EQ(read[i].style, controls[i].style);
    EXPECT_EQ(read[i].text, controls[i].text);
  }
  // Public user first, OK and CANCEL last.
  EXPECT_EQ(read.front().id, kPublicUserId);
  EXPECT_EQ(read[read.size() - 2].id, 1u);
  EXPECT_EQ(read.back().id, 2u);
  // Ids count up per kind; labels across all items.
  EXPECT_EQ(nodes[0].first, kTextBase);
  EXPECT_EQ(nodes[9].first, kTextBase + 1);
  EXPECT_EQ(nodes[0].label, kLabelBase);
  EXPECT_EQ(nodes[1].first, kNumberBase);
  EXPECT_EQ(nodes[2].first, kRadioBase);
  EXPECT_EQ(nodes[2].group, nodes[2].label + 1);
  EXPECT_EQ(nodes[3].boxes[6], kDateBase + 6);
  EXPECT_EQ(nodes[3].group, nodes[3].label + 4);
  EXPECT_EQ(nodes[5].first, kListBase);
  EXPECT_EQ(nodes[6].first, 0);  // kind 7 has no controls
  EXPECT_EQ(nodes[7].first, kKind9Base);
  EXPECT_EQ(nodes[8].first, kKind10Base);
  // The required item's label is marked; the label keeps its accent.
  for (const DialogItemFacts& f : read) {
    if (f.id == nodes[0].label) {
      EXPECT_EQ(f.text, u"Item 0 \u00e9 *");
    }
    if (f.id == nodes[1].first) {
      EXPECT_NE(f.style & 0x20u, 0u) << "a password box";
    }
  }
}

TEST(MiddleServerRules, AnItemWithoutAnInputStyleHasOnlyItsLabel) {
  std::vector<uint8_t> items = Items({1});
  items[kTextStyleAt] = 0;
  std::vector<Control> controls;
  std::vector<Node> nodes;
  PlanControls(items.data(), 1, &controls, &nodes);
  EXPECT_EQ(controls.size(), 4u);  // check box, label, OK, CANCEL
  EXPECT_EQ(nodes[0].first, 0);
}

}  // namespace
