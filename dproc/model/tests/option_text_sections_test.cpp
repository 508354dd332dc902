// The option-text sections of the main description file, tried on files
// written as a model maker writes them: each section under its own name
// fills its tables; without it the tables keep their built-in rows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/option_text_sections.h"
#include "tests/support/model_fixture.h"

namespace {

using modeltest::File;

std::u16string Text(const char16_t* s) { return std::u16string(s); }

const char16_t* RowText(const OptionHead* row) {
  return reinterpret_cast<const char16_t*>(reinterpret_cast<const uint8_t*>(row) + sizeof(OptionHead));
}

const OptionHead* Next(const OptionHead* row, uint32_t rowSize) {
  return reinterpret_cast<const OptionHead*>(reinterpret_cast<const uint8_t*>(row) + rowSize);
}

std::vector<std::string> Keywords(const OptionTextTarget& t) {
  std::vector<std::string> out;
  for (const OptionHead* r = t.table; r->keyword[0] != '\0'; r = Next(r, t.rowSize)) out.push_back(r->keyword);
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// A model with the four finishing lists and the density list, one row each.
struct ListModel {
  ModelInfo model = {};
  FinishPositionItem punches[2] = {};
  ModelListItem folds[2] = {}, combinations[2] = {}, orders[2] = {};
  OptionItem densities[2] = {};

  template <typename Row>
  static void One(Row* rows, const char* keyword) {
    rows[0].size = rows[1].size = sizeof(Row);
    std::strcpy(rows[0].keyword, keyword);
  }
  ListModel() {
    One(punches, "TwoHolesLeft");
    One(folds, "HalfFold");
    One(combinations, "Combine2");
    One(orders, "FaceDown");
    One(densities, "Density3");
    model.holePunches = punches;
    model.foldings = folds;
    model.combinations = combinations;
    model.outputOrders = orders;
    model.densities = densities;
  }
};

TEST(OptionTextSections, EachSectionUnderItsCatalogueNameFillsItsTables) {
  ListModel lists;
  ModelInfo* model = &lists.model;

  // Without the sections every table keeps its built-in rows, texts empty.
  struct Seen {
    size_t row;
    OptionTextTarget target;
    std::vector<std::string> keywords;
  };
  std::vector<Seen> seen;
  for (size_t i = 0; i < OptionTextSectionCount(); ++i) {
    // This model's copy-protect dialog is not of type 3.
    if (OptionTextSectionAt(i).when == OptionTextWhen::kCopyProtectType3) continue;
    OptionTextTarget targets[2];
    ResolveOptionTextTargets(OptionTextSectionAt(i), model, targets);
    for (const OptionTextTarget& t : targets) {
      if (t.table != nullptr) seen.push_back({i, t, Keywords(t)});
    }
  }
  File none("qxd 1\n\nsection \"Other\" value \"x\"\n");
  LoadOptionTextSections(none.get(), model);
  for (const Seen& s : seen) {
    EXPECT_EQ(Keywords(s.target), s.keywords) << OptionTextSectionAt(s.row).section;
    for (const OptionHead* r = s.target.table; r->keyword[0] != '\0'; r = Next(r, s.target.rowSize)) {
      EXPECT_EQ(RowText(r)[0], 0) << OptionTextSectionAt(s.row).section << " " << r->keyword;
    }
  }

  // Each section names the first option of each of its tables (in other
  // letter case); the text says which section gave it.
  std::string text = "qxd 1\n";
  for (size_t i = 0; i < OptionTextSectionCount(); ++i) {
    const OptionTextSection& section = OptionTextSectionAt(i);
    std::string entries;
    for (const Seen& s : seen) {
      if (s.row == i && !s.keywords.empty()) {
        entries += "  entry key=\"" + Lower(s.keywords[0]) + "\" text=\"T" + std::to_string(i) + "\"\n";
      }
    }
    if (!entries.empty()) text += "\nsection \"" + std::string(section.section) + "\" texts\n" + entries;
  }
  File all(text);
  LoadOptionTextSections(all.get(), model);
  size_t filled = 0;
  for (const Seen& s : seen) {
    if (s.keywords.empty()) continue;
    const OptionTextSection& section = OptionTextSectionAt(s.row);
    const std::string number = std::to_string(s.row);
    const std::u16string expected = u"T" + std::u16string(number.begin(), number.end());
    EXPECT_EQ(Text(RowText(s.target.table)), expected) << section.section;
    if (section.use == OptionTextUse::kFiltered) {
      // A filtered table keeps only the rows its section names.
      EXPECT_EQ(Keywords(s.target), std::vector<std::string>{s.keywords[0]}) << section.section;
    } else {
      EXPECT_EQ(Keywords(s.target), s.keywords) << section.section;  // texts only: the rows stay
    }
    ++filled;
  }
  // The sections that were read under other names before.
  for (const char* name : {"FrontCover", "BackCover", "CP_FixedStamp", "CP_RecordStamp", "ColAdj_EachObject",
                           "HolePunch", "Folding", "Combination", "OutputOrder"}) {
    size_t tables = 0;
    for (const Seen& s : seen) tables += std::strcmp(OptionTextSectionAt(s.row).section, name) == 0 ? 1 : 0;
    EXPECT_GE(tables, 1u) << name;
  }
  EXPECT_GE(filled, 70u);
}

TEST(OptionTextSections, BothCoverTablesTakeTheTexts) {
  File f(
      "qxd 1\n\nsection \"FrontCover\" texts\n  entry key=\"Blank_FCover\" text=\"Blank front cover\"\n"
      "  entry key=\"Blank_FCover_PJL\" text=\"Blank front cover from the tray\"\n");
  LoadOptionTextSections(f.get(), nullptr);
  EXPECT_EQ(Text(RowText(CoverOptionTable(false, false))), u"Blank front cover");
  EXPECT_EQ(Text(RowText(CoverOptionTable(false, true))), u"Blank front cover from the tray");
}

const OptionHead* Find(const OptionHead* table, const char* keyword) {
  for (const OptionHead* r = table; r->keyword[0] != '\0'; r = NextOptionRow(r)) {
    if (QxdNameEquals(r->keyword, keyword)) return r;
  }
  return nullptr;
}

TEST(OptionTextSections, TheNupTextsReachTheVariantAndThePageOrders) {
  File f(
      "qxd 1\n\nsection \"Nup\" texts\n  entry key=\"2up\" text=\"Two pages\"\n"
      "  entry key=\"16UP\" text=\"Sixteen pages\"\n\n"
      "section \"NupStyle\" texts\n  entry key=\"RightToLeft\" text=\"Right to left\"\n"
      "  entry key=\"BottomToTop\" text=\"Bottom to top\"\n"
      "  entry key=\"UpperRight_Colum\" text=\"Down, from the top right\"\n");
  LoadOptionTextSections(f.get(), nullptr);

  // The variant N-up table holds the same rows as the first, texts included.
  const OptionHead* standard = NupOptionTable(false);
  const OptionHead* variant = NupOptionTable(true);
  ASSERT_NE(variant, standard);
  size_t rows = 0;
  for (; standard->keyword[0] != '\0'; standard = NextOptionRow(standard), variant = NextOptionRow(variant), ++rows) {
    ASSERT_EQ(variant->size, sizeof(NupOptionItem));
    EXPECT_EQ(std::memcmp(variant, standard, standard->size), 0) << standard->keyword;
  }
  EXPECT_EQ(rows, 8u);
  EXPECT_EQ(variant->keyword[0], '\0');
  EXPECT_EQ(Text(RowText(NupOptionTable(true))), u"Two pages");
  EXPECT_EQ(reinterpret_cast<const NupOptionItem*>(NupOptionTable(true))->stringId, 64866);

  // Each page-order table takes the texts of its own orders.
  struct Order {
    int kind;
    std::vector<std::string> keywords;
    const char* keyword;
    const char16_t* text;
  } orders[] = {
      {0, {"LeftToRight", "RightToLeft"}, "RightToLeft", u"Right to left"},
      {-1, {"LeftToRight", "RightToLeft"}, "RightToLeft", u"Right to left"},
      {1, {"TopToBottom", "BottomToTop"}, "BottomToTop", u"Bottom to top"},
      {2, {"UpperLeft_Rows", "UpperLeft_Colum", "UpperRight_Rows", "UpperRight_Colum"}, "UpperRight_Colum",
       u"Down, from the top right"},
  };
  for (const Order& o : orders) {
    OptionHead* table = NupOrderOptionTable(o.kind);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(Keywords({table, table->size}), o.keywords) << o.kind;
    for (const OptionHead* r = table; r->keyword[0] != '\0'; r = NextOptionRow(r)) {
      const OptionHead* style = Find(FindOptionTable("NupStyle"), r->keyword);
      ASSERT_NE(style, nullptr) << r->keyword;
      EXPECT_EQ(Text(RowText(r)), Text(RowText(style))) << r->keyword;
      if (std::strcmp(r->keyword, o.keyword) == 0) {
        EXPECT_EQ(Text(RowText(r)), o.text);
      }
    }
  }
  EXPECT_EQ(NupOrderOptionTable(2)->value, 4u);
}

TEST(OptionTextSections, TheStampsAreListedByTheModelOnlyForTheThirdDialogType) {
  const OptionHead* stamps = FindOptionTable("CPE_StringTYPE3_op");
  ASSERT_NE(stamps, nullptr);
  const size_t builtIn = Keywords({const_cast<OptionHead*>(stamps), stamps->size}).size();
  EXPECT_EQ(builtIn, 16u);
  const std::string sections =
      "qxd 1\n\nsection \"CPE_StringTYPE3_op\" items 16\n  item key=\"CPE_MachineSetting2\" text=\"Stamp two\"\n"
      "  item key=\"cpe_copy\" text=\"Copy\"\n\n"
      "section \"CPE_String\" texts\n  entry key=\"CPE_DRAFT\" text=\"Draft\"\n";
  File f(sections);

  ModelInfo type3 = {};
  type3.features[kMfCopyProtectType] = 3;
  LoadOptionTextSections(f.get(), &type3);
  ASSERT_EQ(Keywords({const_cast<OptionHead*>(stamps), stamps->size}),
            (std::vector<std::string>{"CPE_MachineSetting2", "CPE_COPY"}));
  EXPECT_EQ(Text(RowText(stamps)), u"Stamp two");
  EXPECT_EQ(reinterpret_cast<const StampOptionItem*>(stamps)->registered, 1);
  EXPECT_EQ(stamps->value, 2u);

  // Another model: all stamps again, the plain section names them.
  ModelInfo type1 = {};
  type1.features[kMfCopyProtectType] = 1;
  LoadOptionTextSections(f.get(), &type1);
  EXPECT_EQ(Keywords({const_cast<OptionHead*>(stamps), stamps->size}).size(), builtIn);
  EXPECT_EQ(Text(RowText(Find(stamps, "CPE_DRAFT"))), u"Draft");
  EXPECT_EQ(RowText(Find(stamps, "CPE_MachineSetting2"))[0], 0);

  // Type 3 without its section keeps every stamp.
  File none("qxd 1\n\nsection \"Other\" value \"x\"\n");
  LoadOptionTextSections(none.get(), &type3);
  EXPECT_EQ(Keywords({const_cast<OptionHead*>(stamps), stamps->size}).size(), builtIn);
}

TEST(DialogTextSections, EveryTableTakesItsSectionAndTheCommonItemsComeFirst) {
  EXPECT_STREQ(DialogTextSectionAt(0).section, "Property_0");
  EXPECT_EQ(DialogTextSectionAt(0).tables[0], CommonItemTable());
  File f(
      "qxd 1\n\nsection \"Property_1\" texts\n  entry key=\"Prop_Basic\" text=\"Basic\"\n\n"
      "section \"Property_FAX\" texts\n  entry key=\"Prop_Fax\" text=\"Fax\"\n\n"
      "section \"Dlg_UserPaper\" texts\n  entry key=\"Dlg_UserPaper\" text=\"Custom Size\"\n");
  LoadDialogTextSections(f.get(), nullptr);
  EXPECT_EQ(Text(DialogTextTable("Property_1")[0].text), u"Basic");
  EXPECT_EQ(Text(DialogTextTable("Property_FAX")[0].text), u"Fax");
  EXPECT_EQ(Text(DialogTextTable("Dlg_UserPaper")[0].text), u"Custom Size");
  EXPECT_EQ(DialogTextTable("Property_2")[0].text[0], 0);
  EXPECT_EQ(DialogTextTable("Property_9"), nullptr);
  // Without common items the Easy Set names stay built in.
  EXPECT_EQ(Text(EasySetDefaultsName()), u"Default");
  EXPECT_EQ(Text(EasySetUntitledName()), u"Untitled");
}

TEST(DialogTextSections, TheCommonItemsNameTheEasySetPresets) {
  const std::string longName(40, 'n');
  File f("qxd 1\n\nsection \"Property_0\" texts\n  entry key=\"EasySetDefaults\" text=\"Standard fax\"\n"
         "  entry key=\"EasySetUntitled\" text=\"" + longName + "\"\n");
  LoadDialogTextSections(f.get(), nullptr);
  EXPECT_EQ(Text(EasySetDefaultsName()), u"Standard fax");
  EXPECT_EQ(Text(EasySetUntitledName()), std::u16string(31, u'n'));
}

}  // namespace
