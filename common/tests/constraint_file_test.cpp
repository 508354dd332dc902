// The constraint file: reading, damaged files, the version text, the rule
// index and its groups, and the tool's text form.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/qxd/constraint_file.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace {

std::vector<uint8_t> Compile(const std::string& text, qxd::ConstraintPlacement* place = nullptr) {
  qxd::ConstraintDocument doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseConstraintText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::BuildConstraints(doc, &bytes, &error, place)) << error;
  return bytes;
}

ConstraintLoad Read(const std::vector<uint8_t>& bytes, ConstraintSet* set) {
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  EXPECT_NE(ctx, nullptr);
  ConstraintLoad load = ReadConstraintFile(ctx, set);
  QxdClose(ctx);
  return load;
}

std::string Keyword(const char16_t* field) {
  return qxd::Utf16ToUtf8(std::u16string(field, ConstraintKeywordLength(field)));
}

std::string SourceText(const std::string& relative) {
  std::ifstream in(testsupport::SourcePath(relative), std::ios::binary);
  EXPECT_TRUE(in) << relative;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const char kThreeRules[] =
    "constraints\n"
    "marker \"Ver_Cst\"\n"
    "version \"2.10\"\n"
    "\n"
    "rule setting\n"
    "  target \"Nup\" \"NupON\"\n"
    "  forced \"NupOFF\"\n"
    "  if \"Zoom\" == \"ZoomManual\"\n"
    "  if \"Nup\" == \"NupON\"\n"
    "  expr 0 1 and end\n"
    "  force 7\n"
    "  reason 3\n"
    "\n"
    "rule option\n"
    "  target \"DoubleSides\" \"Booklet\"\n"
    "  forced \"Booklet\"\n"
    "  if \"Nup\" == \"NupON\"\n"
    "  expr 0 end\n"
    "  refuse 2\n"
    "\n"
    "rule hint\n"
    "  target \"\" \"\"\n"
    "  if \"Copies\" > \"5\"\n"
    "  if \"Orientation\" == \"Landscape\"\n"
    "  if \"Collate\" != \"On\"\n"
    "  expr 0 1 or 2 and end\n"
    "  hint 4\n"
    "  hint 9\n";

TEST(ConstraintFile, RulesPointAtTheirOwnItemsInThePooledArrays) {
  ConstraintSet set;
  ASSERT_EQ(Read(Compile(kThreeRules), &set), ConstraintLoad::Loaded);
  EXPECT_EQ(set.header.ruleCount, 3u);
  ASSERT_EQ(set.rules.size(), 3u);
  EXPECT_EQ(set.conditions.size(), 6u);
  EXPECT_EQ(set.tokens.size(), 12u);
  EXPECT_EQ(set.actions.size(), 5u);

  const ConstraintRule& setting = set.rules[0];
  EXPECT_EQ(setting.kind, kRuleKindSetting);
  EXPECT_EQ(Keyword(setting.target.feature), "Nup");
  EXPECT_EQ(Keyword(setting.target.option), "NupON");
  EXPECT_EQ(Keyword(setting.forced.option), "NupOFF");
  ASSERT_EQ(setting.conditionCount, 2);
  EXPECT_EQ(Keyword(setting.conditions[1].feature), "Nup");
  ASSERT_EQ(setting.tokenCount, 4);
  EXPECT_EQ(setting.tokens[2], kTokenAnd);
  ASSERT_EQ(setting.actionCount, 2);
  EXPECT_EQ(setting.actions[0].code, kActionForce);
  EXPECT_EQ(setting.actions[0].argument, 7u);

  const ConstraintRule& option = set.rules[1];
  EXPECT_EQ(Keyword(option.conditions[0].feature), "Nup");
  EXPECT_EQ(option.tokens[0], 0u);
  EXPECT_EQ(option.tokens[1], kTokenEnd);
  EXPECT_EQ(option.actions[0].code, kActionRefuse);

  const ConstraintRule& hint = set.rules[2];
  ASSERT_EQ(hint.conditionCount, 3);
  EXPECT_EQ(Keyword(hint.conditions[0].feature), "Copies");
  EXPECT_EQ(Keyword(hint.conditions[0].option), "5");
  EXPECT_EQ(hint.conditions[0].op, kCondGreater);
  EXPECT_EQ(hint.conditions[2].op, kCondNotEqual);
  ASSERT_EQ(hint.tokenCount, 6);
  EXPECT_EQ(hint.tokens[3], 2u);
  ASSERT_EQ(hint.actionCount, 2);
  EXPECT_EQ(hint.actions[1].argument, 9u);
  // The last rule's items end exactly at the arrays' ends.
  EXPECT_EQ(hint.conditions + 3, set.conditions.data() + set.conditions.size());
  EXPECT_EQ(hint.tokens + 6, set.tokens.data() + set.tokens.size());
  EXPECT_EQ(hint.actions + 2, set.actions.data() + set.actions.size());
}

TEST(ConstraintFile, MissingFileHasNoRulesAndNoVersion) {
  ConstraintSet set;
  ASSERT_EQ(Read(Compile(kThreeRules), &set), ConstraintLoad::Loaded);
  EXPECT_EQ(ReadConstraintFile(nullptr, &set), ConstraintLoad::Missing);
  EXPECT_TRUE(set.rules.empty());
  EXPECT_EQ(set.header.ruleCount, 0u);
  char version[64] = "untouched";
  EXPECT_FALSE(ConstraintVersionNarrow(set.header, version, sizeof version));
  EXPECT_STREQ(version, "untouched");
}

TEST(ConstraintFile, VersionTextNeedsTheMarkerInAnyLetterCase) {
  struct Case {
    const char* marker;
    bool found;
  } cases[] = {{"Ver_Cst", true}, {"VER_CST", true}, {"ver_cst", true}, {"Ver_Cst2", false},
               {"Ver_Cs", false}, {"", false}};
  for (const Case& c : cases) {
    std::string text = "constraints\n";
    if (*c.marker) text += std::string("marker \"") + c.marker + "\"\n";
    text += "version \"3.01.5\"\n";
    ConstraintSet set;
    ASSERT_EQ(Read(Compile(text), &set), ConstraintLoad::Loaded) << c.marker;
    char version[129] = {};
    EXPECT_EQ(ConstraintVersionNarrow(set.header, version, sizeof version), c.found) << c.marker;
    if (c.found) {
      EXPECT_STREQ(version, "3.01.5");
    }
  }
  // A short destination cuts the text.
  ConstraintSet set;
  ASSERT_EQ(Read(Compile(kThreeRules), &set), ConstraintLoad::Loaded);
  char small[3];
  ASSERT_TRUE(ConstraintVersionNarrow(set.header, small, sizeof small));
  EXPECT_STREQ(small, "2.");
}

TEST(ConstraintFile, VersionFieldWithoutTerminatorStaysInItsField) {
  ConstraintSet set;
  std::vector<uint8_t> bytes = Compile(kThreeRules);
  for (uint32_t i = 112; i < 240; ++i) bytes[i] = 'v';
  ASSERT_EQ(Read(bytes, &set), ConstraintLoad::Loaded);
  char version[300];
  ASSERT_TRUE(ConstraintVersionNarrow(set.header, version, sizeof version));
  EXPECT_EQ(std::string(version), std::string(128, 'v'));
}

// Damaged files end without rules; the header stays when it was whole, so
// the version text survives.
TEST(ConstraintFile, DamagedFilesAreReadAsHavingNoRules) {
  qxd::ConstraintPlacement place;
  const std::vector<uint8_t> good = Compile(kThreeRules, &place);
  const uint32_t rule1 = place.rules + sizeof(ConstraintRuleRecord);
  struct Patch {
    const char* why;
    uint32_t offset;
    uint32_t value;
  } patches[] = {
      {"rule count beyond the file", 0, 0x10000000u},
      {"rule count that overflows 32 bits", 0, 0x40000000u},
      {"rule array past the end", 4, static_cast<uint32_t>(good.size()) - 100},
      {"condition array at the top of the offsets", 16, 0xFFFFFFF0u},
      {"token count beyond the file", 24, 0x01000000u},
      {"action array past the end", 40, static_cast<uint32_t>(good.size())},
      {"fewer conditions than the rules use", 12, 5},
      {"fewer tokens than the rules use", 24, 10},
      {"fewer actions than the rules use", 36, 4},
      {"a rule claiming 200 conditions", rule1 + 4, 200},
      {"a rule claiming 255 actions", rule1 + 284, 255},
      {"a rule claiming more tokens than there are", rule1 + 12, 12},
      {"a negative token count", rule1 + 12, 0xFFFFFFFEu},
  };
  for (const Patch& p : patches) {
    std::vector<uint8_t> bytes = good;
    qxd::PatchU32(&bytes, p.offset, p.value);
    ConstraintSet set;
    EXPECT_EQ(Read(bytes, &set), ConstraintLoad::Damaged) << p.why;
    EXPECT_TRUE(set.rules.empty()) << p.why;
    EXPECT_EQ(set.header.ruleCount, 0u) << p.why;
    char version[16];
    EXPECT_TRUE(ConstraintVersionNarrow(set.header, version, sizeof version)) << p.why;
  }
  // Cut short: inside the header, and inside the action array.
  for (size_t size : {size_t{0}, size_t{100}, size_t{239}, good.size() - 1}) {
    std::vector<uint8_t> bytes(good.begin(), good.begin() + static_cast<long>(size));
    ConstraintSet set;
    EXPECT_EQ(Read(bytes, &set), ConstraintLoad::Damaged) << size;
    EXPECT_TRUE(set.rules.empty()) << size;
  }
}

TEST(ConstraintFile, KeywordsAreComparedWithinTheirFields) {
  ConstraintCondition c{};
  for (size_t i = 0; i < kConstraintKeywordUnits; ++i) c.feature[i] = u'A' + (i % 26);
  c.option[0] = u'x';  // would continue the keyword if the field were overrun
  EXPECT_EQ(ConstraintKeywordLength(c.feature), 32u);
  EXPECT_TRUE(ConstraintKeywordEqualsAscii(c.feature, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef"));
  EXPECT_FALSE(ConstraintKeywordEqualsAscii(c.feature, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefx"));
  EXPECT_TRUE(ConstraintKeywordEquals(c.feature, u"abcdefghijklmnopqrstuvwxyzABCDEF"));
  EXPECT_FALSE(ConstraintKeywordEqualsAscii(c.feature, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"));
}

TEST(ConstraintFile, UserPaperConditionsAndDimensions) {
  struct Case {
    const char16_t* feature;
    const char16_t* option;
    bool condition;
    bool dimension;
  } cases[] = {
      {u"PaperSize", u"UserPaper", true, false},
      {u"papersize", u"USERPAPER", true, false},
      {u"OutPaperSize", u"OutUserPaper", true, false},
      {u"OutPaperSize", u"UserPaper", false, false},
      {u"PaperSize", u"A4", false, false},
      {u"UserPaper_Width", u"2100", false, true},
      {u"UserPaper_Length", u"", false, true},
      {u"OutUserPaper_Width", u"", false, true},
      {u"OutUserPaper_Length", u"", false, true},
      {u"UserPaper_Unit", u"", false, false},
  };
  for (const Case& k : cases) {
    ConstraintCondition c{};
    std::u16string f(k.feature), o(k.option);
    std::copy(f.begin(), f.end(), c.feature);
    std::copy(o.begin(), o.end(), c.option);
    EXPECT_EQ(IsUserPaperCondition(c), k.condition) << qxd::Utf16ToUtf8(f);
    EXPECT_EQ(IsUserPaperDimension(c.feature), k.dimension) << qxd::Utf16ToUtf8(f);
  }
}

// --- The rule index ---

// A feature table in miniature: rows by "keyword" or "keyword/option".
struct FakeTable {
  std::map<std::string, int32_t> rows;
  std::vector<std::string> asked;
};

int32_t FindInFake(void* context, const char16_t* feature, const char16_t* option) {
  auto* t = static_cast<FakeTable*>(context);
  std::string f = Keyword(feature), o = Keyword(option);
  t->asked.push_back(f);
  auto it = t->rows.find(f + "/" + o);
  if (it == t->rows.end()) it = t->rows.find(f);
  return it == t->rows.end() ? -1 : it->second;
}

std::string RuleText(const std::vector<std::string>& kinds) {
  std::string text = "constraints\n";
  for (const std::string& k : kinds) text += "\nrule " + k + "\n  target \"Nup\" \"\"\n";
  return text;
}

TEST(RuleIndex, GroupsFollowTheRunsOfKinds) {
  struct Case {
    const char* why;
    std::vector<std::string> kinds;
    RuleGroup groups[4];
  } cases[] = {
      {"one run of each", {"setting", "setting", "option", "hint", "perpage"}, {{0, 2}, {2, 1}, {3, 1}, {4, 1}}},
      {"a single rule", {"hint"}, {{0, 0}, {0, 0}, {0, 1}, {0, 0}}},
      {"the later of two runs wins", {"option", "setting", "option", "option"}, {{1, 1}, {2, 2}, {0, 0}, {0, 0}}},
      {"an unknown kind ends the walk", {"setting", "option", "1026", "hint"}, {{0, 1}, {1, 1}, {0, 0}, {0, 0}}},
      {"an unknown kind last", {"setting", "1026"}, {{0, 1}, {0, 0}, {0, 0}, {0, 0}}},
      {"an unknown kind first", {"1026", "setting"}, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
      {"leading 1019 rules form the setting group", {"1019", "1019", "option"}, {{0, 2}, {2, 1}, {0, 0}, {0, 0}}},
      {"a setting run replaces leading 1019 rules", {"1019", "setting", "setting"}, {{1, 2}, {0, 0}, {0, 0}, {0, 0}}},
      {"only 1019 rules", {"1019", "1019"}, {{0, 2}, {0, 0}, {0, 0}, {0, 0}}},
  };
  for (const Case& c : cases) {
    ConstraintSet set;
    ASSERT_EQ(Read(Compile(RuleText(c.kinds)), &set), ConstraintLoad::Loaded) << c.why;
    FakeTable table;
    RuleIndex index;
    ASSERT_TRUE(BuildRuleIndex(set.rules.data(), static_cast<uint32_t>(set.rules.size()), FindInFake, &table, &index))
        << c.why;
    for (int g = 0; g < 4; ++g) {
      EXPECT_EQ(index.groups[g].first, c.groups[g].first) << c.why << " group " << g;
      EXPECT_EQ(index.groups[g].count, c.groups[g].count) << c.why << " group " << g;
    }
  }
}

TEST(RuleIndex, ResolvesRowsAndPaperFlags) {
  const char text[] =
      "constraints\n"
      "\n"
      "rule setting\n"
      "  target \"Nup\" \"NupON\"\n"
      "  if \"\" == \"\"\n"
      "  if \"Zoom\" == \"ZoomManual\"\n"
      "  if \"NoSuchFeature\" == \"x\"\n"
      "\n"
      "rule option\n"
      "  target \"PaperSize\" \"A4\"\n"
      "  if \"Nup\" == \"NupON\"\n"
      "\n"
      "rule hint\n"
      "  target \"\" \"\"\n"
      "  if \"Orientation\" == \"Landscape\"\n"
      "  if \"PaperSize\" == \"UserPaper\"\n"
      "\n"
      "rule hint\n"
      "  target \"\" \"\"\n"
      "  if \"UserPaper_Length\" > \"2970\"\n"
      "\n"
      "rule hint\n"
      "  target \"\" \"\"\n"
      "  if \"PaperSize\" == \"A4\"\n";
  ConstraintSet set;
  ASSERT_EQ(Read(Compile(text), &set), ConstraintLoad::Loaded);
  FakeTable table;
  table.rows = {{"Nup", 15}, {"Zoom/ZoomManual", 8}, {"PaperSize", 0}, {"Orientation/Landscape", 7},
                {"UserPaper_Length", 30}};
  RuleIndex index;
  ASSERT_TRUE(BuildRuleIndex(set.rules.data(), 5, FindInFake, &table, &index));
  EXPECT_EQ(RuleConditionRow(index, 0, 0), -1);
  EXPECT_EQ(RuleConditionRow(index, 0, 1), 8);
  EXPECT_EQ(RuleConditionRow(index, 0, 2), -1);
  EXPECT_EQ(RuleConditionRow(index, 0, 3), -1);  // beyond the rule's conditions
  EXPECT_EQ(RuleTargetRow(index, 0), 15);
  EXPECT_EQ(RuleTargetRow(index, 1), 0);
  EXPECT_EQ(RuleTargetRow(index, 2), -1);
  EXPECT_EQ(RuleTargetRow(index, 5), -1);
  EXPECT_EQ(RuleConditionRow(index, 2, 0), 7);
  // An empty feature keyword is never looked up.
  EXPECT_EQ(std::count(table.asked.begin(), table.asked.end(), ""), 3);  // the three empty targets only

  EXPECT_EQ(RulePaperFlag(index, 0), 0u);
  EXPECT_EQ(RulePaperFlag(index, 1), 1u);  // target "PaperSize"
  EXPECT_EQ(RulePaperFlag(index, 2), 1u);  // a user-paper condition
  EXPECT_EQ(RulePaperFlag(index, 3), 1u);  // a user-paper dimension
  EXPECT_EQ(RulePaperFlag(index, 4), 0u);  // a paper condition that is not the user paper

  FreeRuleIndex(&index);
  EXPECT_EQ(RuleTargetRow(index, 0), -1);
  EXPECT_EQ(RuleConditionRow(index, 0, 1), -1);
}

TEST(RuleIndex, NothingToIndex) {
  FakeTable table;
  RuleIndex index;
  ConstraintSet set;
  ASSERT_EQ(Read(Compile(kThreeRules), &set), ConstraintLoad::Loaded);
  ASSERT_TRUE(BuildRuleIndex(set.rules.data(), 3, FindInFake, &table, &index));
  EXPECT_FALSE(BuildRuleIndex(set.rules.data(), 0, FindInFake, &table, &index));
  EXPECT_FALSE(index.built);  // a failed build leaves no index behind
  EXPECT_EQ(RuleTargetRow(index, 0), -1);
  EXPECT_FALSE(BuildRuleIndex(nullptr, 3, FindInFake, &table, &index));
  EXPECT_FALSE(BuildRuleIndex(set.rules.data(), 3, nullptr, &table, &index));
}

// --- The tool's text form ---

std::string RoundTrip(const std::string& text) {
  qxd::ConstraintDocument doc, back;
  std::string error;
  EXPECT_TRUE(qxd::ParseConstraintText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::BuildConstraints(doc, &bytes, &error)) << error;
  EXPECT_TRUE(qxd::DecodeConstraints(bytes, &back, &error)) << error;
  std::vector<uint8_t> again;
  EXPECT_TRUE(qxd::BuildConstraints(back, &again, &error)) << error;
  EXPECT_EQ(again, bytes);
  return qxd::FormatConstraintText(back);
}

TEST(ConstraintText, EveryConstructRoundTrips) {
  const std::string text =
      "constraints\n"
      "marker \"Ver_Cst\"\n"
      "version \"1.2 \"\"beta\"\"\"\n"
      "\n"
      "rule perpage\n"
      "  target \"PerPageListStaple\" \"\"\n"
      "  if \"PerPageListStaple\" < \"3\"\n"
      "  if \"Copies\" >= \"-2.5\"\n"
      "  if \"Copies\" <= \"12\"\n"
      "  if \"Zoom\" 1012 \"ZoomAuto\"\n"
      "  if \"Zoom\" 1008 \"\"\n"
      "  if \"\xC3\x9C" "ber\" 0 \"Say \"\"x\"\"\"\n"
      "  expr 0 1 and 2 3 or 4 5 and or and end\n"
      "  lock\n"
      "  lock 3\n"
      "  force 2\n"
      "  refuse 998\n"
      "  reason 1\n"
      "  hint 100\n"
      "  action 1099 4294967295\n"
      "\n"
      "rule 1026\n"
      "  target \"" + std::string(32, 'k') + "\" \"" + std::string(32, 'o') + "\"\n"
      "\n"
      "rule setting\n"
      "  target \"\" \"\"\n"
      "  forced \"NupOFF\"\n";
  EXPECT_EQ(RoundTrip(text), text);
  EXPECT_EQ(RoundTrip("constraints\n"), "constraints\n");
}

TEST(ConstraintText, RefusesMalformedSources) {
  const std::string rule = "constraints\n\nrule setting\n  target \"A\" \"\"\n  if \"A\" == \"1\"\n  if \"B\" == \"2\"\n";
  struct Case {
    const char* why;
    std::string text;
  } cases[] = {
      {"no header", "rule setting\n"},
      {"header quoted", "\"constraints\"\n"},
      {"unknown kind", "constraints\nrule sometimes\n"},
      {"line outside a rule", "constraints\n  if \"A\" == \"1\"\n"},
      {"marker inside a rule", rule + "  marker \"Ver_Cst\"\n"},
      {"unclosed string", "constraints\nversion \"1.0\n"},
      {"unknown operator", rule + "  if \"A\" =~ \"1\"\n"},
      {"keyword over 32 characters", rule + "  if \"" + std::string(33, 'a') + "\" == \"1\"\n"},
      {"target over 32 characters", "constraints\nrule option\n  target \"A\" \"" + std::string(33, 'b') + "\"\n"},
      {"marker over 63 characters", "constraints\nmarker \"" + std::string(64, 'm') + "\"\n"},
      {"version over 127 characters", "constraints\nversion \"" + std::string(128, 'v') + "\"\n"},
      {"version not ASCII", "constraints\nversion \"\xC3\xA9\"\n"},
      {"operator without two entries", rule + "  expr 0 and end\n"},
      {"condition beyond the rule", rule + "  expr 0 2 and end\n"},
      {"no end", rule + "  expr 0 1 and\n"},
      {"two entries left", rule + "  expr 0 1 end\n"},
      {"tokens after the end", rule + "  expr 0 end 1\n"},
      {"an operator written as a number", rule + "  expr 0 1 1003 end\n"},
      {"a negative token", rule + "  expr -1 end\n"},
      {"stack deeper than 20", rule + "  expr" + [] {
         std::string s;
         for (int i = 0; i < 21; ++i) s += " 0";
         for (int i = 0; i < 20; ++i) s += " and";
         return s;
       }() + " end\n"},
      {"action without its number", rule + "  refuse\n"},
      {"action number not a number", rule + "  reason x\n"},
      {"number out of range", rule + "  hint 4294967296\n"},
  };
  for (const Case& c : cases) {
    qxd::ConstraintDocument doc;
    std::vector<uint8_t> bytes;
    std::string error;
    bool ok = qxd::ParseConstraintText(c.text, &doc, &error) && qxd::BuildConstraints(doc, &bytes, &error);
    EXPECT_FALSE(ok) << c.why;
    EXPECT_FALSE(error.empty()) << c.why;
  }
  // The deepest expression the stack holds is accepted.
  std::string deepest = rule + "  expr";
  for (int i = 0; i < 20; ++i) deepest += " 0";
  for (int i = 0; i < 19; ++i) deepest += " or";
  qxd::ConstraintDocument doc;
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(qxd::ParseConstraintText(deepest + " end\n", &doc, &error) && qxd::BuildConstraints(doc, &bytes, &error))
      << error;
}

TEST(ConstraintText, DecodeRefusesWhatTheDriverRefuses) {
  qxd::ConstraintPlacement place;
  std::vector<uint8_t> bytes = Compile(kThreeRules, &place);
  qxd::PatchU32(&bytes, place.rules + 4, 40);
  qxd::ConstraintDocument doc;
  std::string error;
  EXPECT_FALSE(qxd::DecodeConstraints(bytes, &doc, &error));
  EXPECT_FALSE(error.empty());
}

TEST(ConstraintText, SampleModelRulesAreInWrittenForm) {
  std::string text = SourceText("model/VELDRANK.txt");
  ASSERT_TRUE(qxd::IsConstraintText(text));
  std::string plain = qxd::WithoutNotes(text);
  EXPECT_NE(plain, text);  // the rules are explained to their reader
  EXPECT_EQ(RoundTrip(plain), plain);
}

TEST(ConstraintText, SampleModelHasEveryKindOfRule) {
  qxd::ConstraintDocument doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseConstraintText(SourceText("model/VELDRANK.txt"), &doc, &error)) << error;
  EXPECT_EQ(doc.marker, "Ver_Cst");
  std::map<uint32_t, int> actions;
  bool userPaper = false;
  for (const qxd::ConstraintRuleText& r : doc.rules) {
    for (const auto& a : r.actions) ++actions[a.first];
    for (const auto& c : r.conditions) userPaper |= c.option == "UserPaper";
  }
  for (uint32_t code : {kActionLock, kActionForce, kActionRefuse, kActionReason, kActionHint}) {
    EXPECT_GT(actions[code], 0) << code;
  }
  EXPECT_TRUE(userPaper);
}

}  // namespace
