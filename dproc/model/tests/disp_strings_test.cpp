// Display-text tables, option texts and numbered message tables filled from
// description files compiled from text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/option_text_sections.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"

namespace {

using modeltest::File;

std::u16string Text(const char16_t* s) { return std::u16string(s); }

TEST(DispStringTables, KeysMatchWholeIgnoringCaseAndTheLaterEntryWins) {
  DispStringItem table[] = {{{100}, {}, "Prop_Basic"}, {{1200, -1}, {}, "PaperLabel"},
                            {{-1}, {}, "OnlyText"},     {{1300}, {}, "Untouched"},
                            {{0}, {}, ""}};
  std::memcpy(table[3].text, u"Kept", 10);
  File f(
      "qxd 1\n\nsection \"Property_1\" texts\n  entry key=\"prop_basic\" text=\"Basic\"\n"
      "  entry key=\"PaperLabel\" text=\"Paper\"\n  entry key=\"PaperLabel\" text=\"Paper &Size\"\n"
      "  entry key=\"OnlyTextX\" text=\"never\"\n  entry key=\"OnlyText\" text=\"Only text\"\n"
      "  entry key=\"Untouched\"\n");
  EXPECT_EQ(LoadDispStringTable(f.get(), "Property_1", table), 1);
  EXPECT_EQ(Text(table[0].text), u"Basic");
  EXPECT_EQ(Text(table[1].text), u"Paper &Size");
  EXPECT_EQ(Text(table[2].text), u"Only text");
  EXPECT_EQ(Text(table[3].text), u"Kept");  // an empty text changes nothing
  EXPECT_EQ(LoadDispStringTable(f.get(), "Property_9", table), 0);
}

TEST(DispStringTables, LongTextsAreCutToTheirField) {
  DispStringItem table[] = {{{100}, {}, "Long"}, {{0}, {}, ""}};
  const std::string longText(80, 'x');
  File f("qxd 1\n\nsection \"S\" texts\n  entry key=\"Long\" text=\"" + longText + "\"\n");
  LoadDispStringTable(f.get(), "S", table);
  EXPECT_EQ(Text(table[0].text), std::u16string(47, u'x'));
}

TEST(NumberedTables, SlotsComeFromTheFirstNumberOfTheKey) {
  MessageTables tables;
  ASSERT_TRUE(AllocMessageTables(&tables));
  const std::string longText(290, 'm');
  File f(
      "qxd 1\n\nsection \"MessageStr\" texts\n  entry key=\"NoDigits\" text=\"zero\"\n"
      "  entry key=\"Msg12\" text=\"first twelve\"\n  entry key=\"Msg012\" text=\"second twelve\"\n"
      "  entry key=\"Msg998\" text=\"" + longText + "\"\n  entry key=\"Msg999\" text=\"beyond\"\n"
      "  entry key=\"Msg123456789012\" text=\"far beyond\"\n\n"
      "section \"CstMessageStr\" texts\n  entry key=\"Cst1\" text=\"Refused\"\n");
  LoadMessageTables(f.get(), &tables);
  EXPECT_EQ(Text(MessageText(tables, kMessageStr, 0)), u"zero");
  EXPECT_EQ(Text(MessageText(tables, kMessageStr, 12)), u"second twelve");
  EXPECT_EQ(Text(MessageText(tables, kMessageStr, 998)), std::u16string(289, u'm'));
  EXPECT_EQ(MessageText(tables, kMessageStr, 999), nullptr);
  EXPECT_EQ(Text(MessageText(tables, kCstMessageStr, 1)), u"Refused");
  EXPECT_EQ(Text(MessageText(tables, kHintStr, 1)), u"");
  FreeMessageTables(&tables);
  EXPECT_EQ(tables.tables[0], nullptr);
}

TEST(OptionTexts, FillRowsOfEverySize) {
  File f(
      "qxd 1\n\nsection \"DoubleSides\" texts\n  entry key=\"duplex\" text=\"2-Sided\"\n\n"
      "section \"Folding\" texts\n  entry key=\"Half\" text=\"A text far longer than the thirty-one units of the row\"\n");
  OptionHead* duplex = FindStaticOptionTable("DoubleSides");
  ASSERT_EQ(LoadOptionTexts(f.get(), "DoubleSides", duplex, duplex->size), 1);
  const auto* second = reinterpret_cast<const OptionItem*>(NextOptionRow(duplex));
  EXPECT_EQ(Text(second->text), u"2-Sided");
  EXPECT_EQ(reinterpret_cast<const DuplexOptionItem*>(second)->code, 2u);  // trailing data kept

  ModelListItem folds[2] = {};
  std::strcpy(folds[0].keyword, "Half");
  folds[0].size = sizeof folds[0];
  std::strcpy(folds[1].note, "guard");
  LoadOptionTexts(f.get(), "Folding", reinterpret_cast<OptionHead*>(folds), sizeof folds[0]);
  EXPECT_EQ(Text(folds[0].text).size(), 31u);
  EXPECT_STREQ(folds[1].note, "guard");
}

TEST(OptionTexts, AFilteredListKeepsTheSectionsOptionsInItsOrder) {
  OptionItem rows[6] = {};
  const char* keys[] = {"A", "B", "C", "D", "E"};
  for (int i = 0; i < 5; ++i) {
    rows[i].size = sizeof rows[i];
    std::strcpy(rows[i].keyword, keys[i]);
    rows[i].value = static_cast<uint32_t>(i);
  }
  File f("qxd 1\n\nsection \"F\" items 16\n  item key=\"D\" text=\"Dee\"\n  item key=\"Nope\"\n  item key=\"b\" text=\"Bee\"\n");
  ASSERT_EQ(LoadFilteredOptionList(f.get(), "F", reinterpret_cast<OptionHead*>(rows), sizeof rows[0]), 1);
  EXPECT_STREQ(rows[0].keyword, "D");
  EXPECT_EQ(rows[0].value, 3u);
  EXPECT_EQ(Text(rows[0].text), u"Dee");
  EXPECT_STREQ(rows[1].keyword, "B");
  EXPECT_EQ(Text(rows[1].text), u"Bee");
  EXPECT_EQ(rows[2].keyword[0], '\0');
  EXPECT_EQ(rows[4].keyword[0], 'E');  // rows behind the rebuilt part stay

  File empty("qxd 1\n\nsection \"F\" items 16\n");
  LoadFilteredOptionList(empty.get(), "F", reinterpret_cast<OptionHead*>(rows), sizeof rows[0]);
  EXPECT_EQ(rows[0].keyword[0], '\0');
}

TEST(SingleTexts, FoundEmptyAndMissing) {
  File f("qxd 1\n\nsection \"Pages\" texts\n  entry key=\"Fax\" text=\"Fax\"\n  entry key=\"Blank\"\n");
  char16_t dst[8] = u"keep";
  EXPECT_EQ(FindDisplayText(f.get(), "Pages", "blank", dst, 8), 1);
  EXPECT_EQ(Text(dst), u"keep");
  EXPECT_EQ(FindDisplayText(f.get(), "Pages", "FAX", dst, 3), 1);
  EXPECT_EQ(Text(dst), u"Fa");  // the caller's capacity holds
  EXPECT_EQ(FindDisplayText(f.get(), "Pages", "Other", dst, 8), 0);
  EXPECT_EQ(FindDisplayText(f.get(), "Nowhere", "Fax", dst, 8), 0);
}

}  // namespace

namespace {

TEST(SampleModelTexts, MessagesAndOptionTexts) {
  std::ifstream in(testsupport::BinaryPath("model/VELDRANH.QXD"), std::ios::binary);
  ASSERT_TRUE(in.good());
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  File f(bytes);
  MessageTables tables;
  ASSERT_TRUE(AllocMessageTables(&tables));
  LoadMessageTables(f.get(), &tables);
  EXPECT_EQ(Text(MessageText(tables, kChgMessageStr, 0)), u"Change of Settings");
  EXPECT_NE(Text(MessageText(tables, kHintStr, 1)), u"");
  FreeMessageTables(&tables);
  LoadOptionTextSections(f.get(), nullptr);
  const auto* portrait = reinterpret_cast<const OptionItem*>(FindStaticOptionTable("Orientation"));
  EXPECT_EQ(Text(portrait->text), u"Portrait");
  const auto* twoUp = reinterpret_cast<const OptionItem*>(FindStaticOptionTable("Nup_op"));
  EXPECT_EQ(Text(twoUp->text), u"2 pages on one sheet");
  DispStringItem* common = CommonItemTable();
  EXPECT_EQ(LoadDispStringTable(f.get(), "Property_0", common), 1);
  EXPECT_EQ(Text(common[12].text), u"OK");
}

}  // namespace

namespace {

TEST(DispStringTables, TheLayoutSheetsTextsWinInTheNupStyleDialog) {
  DispStringItem layout[] = {{{101}, {}, "Prop_Layout"}, {{1124}, {}, "SetNupStyle"}, {{0}, {}, ""}};
  DispStringItem style[] = {{{116}, {}, "Dlg_SetNupStyle"}, {{1405}, {}, "NupStyle"}, {{1837}, {}, "BorderLine"},
                            {{0}, {}, ""}};
  File f(
      "qxd 1\n\nsection \"Property_2\" texts\n  entry key=\"Prop_Layout\" text=\"Layout\"\n"
      "  entry key=\"NupStyle\" text=\"Order (sheet)\"\n\n"
      "section \"Dlg_SetNupStyle\" texts\n  entry key=\"Dlg_SetNupStyle\" text=\"Page Order\"\n"
      "  entry key=\"NupStyle\" text=\"Order (dialog)\"\n  entry key=\"BorderLine\" text=\"Borders\"\n");
  const DispTableBinding bindings[] = {{"Property_2", layout}, {"Dlg_SetNupStyle", style}};
  LoadDisplayTextSections(f.get(), bindings, 2);
  EXPECT_EQ(Text(layout[0].text), u"Layout");
  EXPECT_EQ(Text(style[0].text), u"Page Order");
  EXPECT_EQ(Text(style[1].text), u"Order (sheet)");
  EXPECT_EQ(Text(style[2].text), u"Borders");
}

}  // namespace
