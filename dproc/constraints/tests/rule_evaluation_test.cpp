// Evaluating constraint rules against settings through the feature rows.
#include <gtest/gtest.h>

#include <string>

#include "dproc/constraints/tests/rule_fixture.h"

namespace {

using ruletest::RuleTable;

// A setting rule about N-up with the given conditions and expression.
std::string Rule(const std::string& conditions, const std::string& expr) {
  return "\nrule setting\n  target \"Nup\" \"\"\n" + conditions + "  expr " + expr + "\n";
}
std::string OneRule(const std::string& conditions, const std::string& expr) {
  return "constraints\n" + Rule(conditions, expr);
}

TEST(RuleEvaluation, ExpressionsOverLiveSettings) {
  RuleTable t;
  t.Install(
      "constraints\n"
      "\nrule setting\n  target \"Nup\" \"\"\n  if \"Nup\" == \"NupON\"\n  if \"DoubleSides\" == \"Duplex\"\n"
      "  expr 0 1 and end\n"
      "\nrule setting\n  target \"Nup\" \"\"\n  if \"Nup\" == \"NupON\"\n  if \"DoubleSides\" == \"Duplex\"\n"
      "  expr 0 1 or end\n");
  // The list 0, 1, or without its end never holds; the writer refuses to
  // make one, so it is cut from a compiled rule.
  ConstraintRule& noEnd = ProcessConstraintRules().set.rules[1];
  noEnd.tokenCount = 3;

  struct Case {
    uint8_t nup, duplex;
    uint32_t both, noEnd;
  } cases[] = {{1, 2, 1, 0}, {1, 1, 0, 0}, {0, 2, 0, 0}, {0, 1, 0, 0}};
  for (const Case& c : cases) {
    t.settings.nup = c.nup;
    t.settings.duplex = c.duplex;
    EXPECT_EQ(t.Holds(0), c.both) << int(c.nup) << " " << int(c.duplex);
    EXPECT_EQ(t.Holds(1), c.noEnd);
  }
}

TEST(RuleEvaluation, OperatorsAndNumericOperands) {
  RuleTable t;
  t.Install(OneRule("  if \"Copies\" 1008 \"1\"\n", "0 end") +
            "\nrule setting\n  target \"Nup\" \"\"\n  if \"Copies\" == \"2.5\"\n  expr 0 end\n"
            "\nrule setting\n  target \"Nup\" \"\"\n  if \"Copies\" == \"-2.5\"\n  expr 0 end\n"
            "\nrule setting\n  target \"Nup\" \"\"\n  if \"Copies\" >= \"12\"\n  expr 0 end\n");
  struct Case {
    int32_t copies;
    uint32_t op1008, twoPointFive, minusTwoPointFive, atLeastTwelve;
  } cases[] = {{1, 0, 0, 0, 0}, {7, 0, 1, 0, 0}, {-7, 0, 0, 1, 0}, {25, 0, 0, 0, 1}, {12, 0, 0, 0, 1}};
  for (const Case& c : cases) {
    t.settings.copies = c.copies;
    EXPECT_EQ(t.Holds(0), c.op1008) << c.copies;
    EXPECT_EQ(t.Holds(1), c.twoPointFive) << c.copies;
    EXPECT_EQ(t.Holds(2), c.minusTwoPointFive) << c.copies;
    EXPECT_EQ(t.Holds(3), c.atLeastTwelve) << c.copies;
    // A second evaluation reads the same operands.
    EXPECT_EQ(t.Holds(1), c.twoPointFive) << c.copies;
  }
}

TEST(RuleEvaluation, OptionIndexesAndValues) {
  RuleTable t;
  t.Install("constraints\n");
  const int32_t nup = static_cast<int32_t>(t.Row("Nup"));
  const int32_t paper = static_cast<int32_t>(t.Row("PaperSize"));
  const int32_t copies = static_cast<int32_t>(t.Row("Copies"));
  const int32_t collate = static_cast<int32_t>(t.Row("Collate"));
  EXPECT_EQ(GetOptionIndex(u"", nup), 65533);
  EXPECT_EQ(OptionValueOf(nup, 65533), 65532);
  EXPECT_EQ(GetOptionIndex(u"NupON", nup), 1);
  EXPECT_EQ(GetOptionIndex(u"nupon", nup), 1);  // letter case ignored
  EXPECT_EQ(OptionValueOf(nup, 1), 1);
  EXPECT_EQ(GetOptionIndex(u"NupMaybe", nup), 65535);
  EXPECT_EQ(GetOptionIndex(u"N\u00FCp", nup), 65535);
  EXPECT_EQ(GetOptionIndex(u"DefaultPaper", paper), 65519);
  ProcessRuleEvalContext().defaultPaperSize = 1;
  EXPECT_EQ(OptionValueOf(paper, 65519), 1);
  EXPECT_EQ(GetOptionIndex(u"Letter", paper), 1);
  EXPECT_EQ(OptionValueOf(paper, 3), 513);
  EXPECT_EQ(OptionValueOf(paper, 40), 65535);  // beyond the table
  EXPECT_EQ(GetOptionIndex(u"-12", copies), -12);
  EXPECT_EQ(OptionValueOf(copies, -12), -12);
  EXPECT_EQ(GetOptionIndex(u"On", collate), 65535);  // no option table
  EXPECT_EQ(OptionValueOf(collate, 0), 65534);
  EXPECT_EQ(GetOptionIndex(u"On", 999), 65535);
}

TEST(RuleEvaluation, DefaultPaperAndErrors) {
  RuleTable t;
  t.Install(OneRule("  if \"PaperSize\" == \"DefaultPaper\"\n", "0 end") +
            Rule("  if \"Nup\" == \"NupSometimes\"\n", "0 end") +
            Rule("  if \"Collate\" == \"On\"\n", "0 end") +
            Rule("  if \"NoSuchFeature\" == \"On\"\n", "0 end") +
            Rule("  if \"Nup\" == \"NupON\"\n  if \"Nup\" == \"NupOFF\"\n", "0 1 and end"));
  // The writer makes no expression that names a condition the rule lacks;
  // a damaged file can.
  ConstraintSet& set = ProcessConstraintRules().set;
  set.tokens[static_cast<size_t>(set.rules[4].tokens - set.tokens.data()) + 1] = 2;
  ProcessRuleEvalContext().defaultPaperSize = 1;
  t.settings.paper = 1;
  EXPECT_EQ(t.Holds(0), 1u);
  t.settings.paper = 9;
  EXPECT_EQ(t.Holds(0), 0u);
  EXPECT_EQ(t.Holds(1), 65535u);  // unknown option
  EXPECT_EQ(t.Holds(2), 65535u);  // an option of a feature without options
  EXPECT_EQ(t.Holds(3), 65535u);  // unknown feature
  EXPECT_EQ(t.Holds(4), 65535u);  // an expression naming a condition the rule lacks
}

TEST(RuleEvaluation, LeftOutConditionsCountAsTrue) {
  RuleTable t;
  t.Install(OneRule("  if \"Zoom\" == \"ZoomManual\"\n  if \"Nup\" == \"NupON\"\n", "0 1 and end"));
  t.settings.zoom = 0;  // manual
  t.settings.nup = 0;
  EXPECT_EQ(t.Holds(0), 0u);
  EXPECT_EQ(t.Holds(0, 1), 1u);  // without the last condition
  t.settings.zoom = 1;
  EXPECT_EQ(t.Holds(0, 1), 0u);
  EXPECT_EQ(t.Holds(0, 0), 1u);
}

TEST(RuleEvaluation, FromAControlOnlyRulesThatNameIt) {
  RuleTable t;
  t.Install(OneRule("  if \"Nup\" == \"NupON\"\n  if \"DoubleSides\" == \"Duplex\"\n", "0 1 and end"));
  t.settings.nup = 1;
  t.settings.duplex = 2;
  uint32_t result = 99;
  int32_t first = -5;
  EXPECT_EQ(EvaluateConstraintRule(101, 1286, 0, 2, true, &first, &result), kRuleEvaluated);
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(first, static_cast<int32_t>(t.Row("Nup")));
  // The same control on a page the row does not live on has no row.
  EXPECT_EQ(EvaluateConstraintRule(100, 1286, 0, 2, true, nullptr, &result), 65535u);
  // Orientation is not among the rule's first conditions.
  EXPECT_EQ(EvaluateConstraintRule(100, 1020, 0, 2, true, nullptr, &result), kRuleNotConcerned);
  // Duplex is the left-out last condition.
  EXPECT_EQ(EvaluateConstraintRule(101, 1286, 0, 1, true, nullptr, &result), kRuleNotConcerned);
  EXPECT_EQ(EvaluateConstraintRule(101, 1286, 7, 2, true, nullptr, &result), 65535u);  // no such rule
}

TEST(RuleEvaluation, FeatureOfControlFollowsThePassMode) {
  RuleTable t;
  t.Install("constraints\n");
  RuleEvalContext& ctx = ProcessRuleEvalContext();
  EXPECT_EQ(FeatureOfControl(100, 1228), static_cast<int32_t>(t.Row("Zoom", "ZoomManual")));
  EXPECT_EQ(FeatureOfControl(101, 1228), 65535);
  ctx.perPageKind = 5;
  EXPECT_EQ(FeatureOfControl(100, 1228), static_cast<int32_t>(t.Row("PerPageListHolePunch")));
  ctx.perPageKind = 7;  // no such kind: the first kind, which this table lacks
  EXPECT_EQ(FeatureOfControl(100, 1228), 65535);

  DeviceOptionItem options[3] = {};
  std::strcpy(options[0].keyword, "Copies");
  options[0].optionIndex = 4;
  std::strcpy(options[1].keyword, "Collate");
  options[1].optionIndex = 6;
  ctx.deviceOptions = options;
  ctx.perPageKind = kPerPageKindNone;
  ctx.passMode = 6;
  EXPECT_EQ(FeatureOfControl(100, 1228), static_cast<int32_t>(t.Row("Collate")));
  ctx.passMode = 9;  // none matches: the first device option
  EXPECT_EQ(FeatureOfControl(100, 1228), static_cast<int32_t>(t.Row("Copies")));
  ctx.perPageKind = 3;  // a device mode with a per-page kind: the control decides
  EXPECT_EQ(FeatureOfControl(100, 1228), static_cast<int32_t>(t.Row("Zoom", "ZoomManual")));
}

TEST(RuleEvaluation, CustomPaperPassComparesTheSelectedUserPaper) {
  RuleTable t;
  t.Install(OneRule("  if \"PaperSize\" == \"A4\"\n  if \"UserPaper_Width\" > \"2970\"\n", "0 1 or end") +
            Rule("  if \"UserPaper_Length\" <= \"2500\"\n", "0 end"));
  RuleEvalContext& ctx = ProcessRuleEvalContext();
  t.settings.paper = 512;  // 330 x 400 mm
  t.settings.userWidth = 0;
  t.settings.userLength = 9999;
  EXPECT_EQ(t.Holds(0), 0u);  // first pass: the width field holds 0
  ctx.customPaperPass = 1;
  EXPECT_EQ(t.Holds(0), 1u);  // second pass: the selected user paper is 330 mm wide
  EXPECT_EQ(t.Holds(1), 0u);
  t.settings.paper = 513;     // 200 x 250 mm
  EXPECT_EQ(t.Holds(0), 0u);
  EXPECT_EQ(t.Holds(1), 1u);
  t.settings.paper = 514;     // a user paper the list does not have
  EXPECT_EQ(t.Holds(1), 0u);
  ctx.passMode = 3;           // a device sheet's pass has no second pass
  t.settings.paper = 513;
  EXPECT_EQ(t.Holds(1), 0u);
}

TEST(RuleEvaluation, UserPaperConditionHoldsForAnyListedCustomSize) {
  RuleTable t;
  // The session list names its user papers "CustomPaper"; a rule about the
  // user's papers names that option.
  t.Install(OneRule("  if \"PaperSize\" == \"UserPaper\"\n", "0 end"));
  EXPECT_EQ(t.Holds(0), 65535u);
  // With a row named "UserPaper" (as the model's own list has) the rule
  // holds, in the second pass, for every listed custom size.
  reinterpret_cast<SessionPaperItem*>(t.Entry("PaperSize").options)[2].keyword[0] = '\0';
  std::strcpy(reinterpret_cast<SessionPaperItem*>(t.Entry("PaperSize").options)[2].keyword, "UserPaper");
  ProcessRuleEvalContext().customPaperPass = 1;
  struct Case {
    int16_t paper;
    uint32_t holds;
  } cases[] = {{512, 1}, {513, 1}, {0x1001, 1}, {9, 0}, {514, 0}, {256, 0}};
  for (const Case& c : cases) {
    t.settings.paper = c.paper;
    EXPECT_EQ(t.Holds(0), c.holds) << c.paper;
  }
  ProcessRuleEvalContext().customPaperPass = 0;
  t.settings.paper = 513;
  EXPECT_EQ(t.Holds(0), 0u);
}

TEST(RuleEvaluation, SameCustomPaper) {
  RuleTable t;
  t.Install("constraints\n");
  const int32_t paper = static_cast<int32_t>(t.Row("PaperSize"));
  EXPECT_TRUE(IsSameCustomPaper(paper, 512, 0x1003));
  EXPECT_TRUE(IsSameCustomPaper(paper, 256, 522));
  EXPECT_FALSE(IsSameCustomPaper(paper, 9, 512));
  EXPECT_FALSE(IsSameCustomPaper(static_cast<int32_t>(t.Row("Copies")), 512, 512));
}

TEST(RuleEvaluation, FindFeatureIndexAndTheBindingEdgeRow) {
  RuleTable t;
  t.Install("constraints\n");
  auto find = [&](const char16_t* f, const char16_t* o) { return FindFeatureIndex(t.table(), &t.model, f, o); };
  EXPECT_EQ(find(u"Orientation", u"Landscape"), static_cast<int32_t>(t.Row("Orientation", "Landscape")));
  EXPECT_EQ(find(u"orientation", u""), static_cast<int32_t>(t.Row("Orientation", "Portrait")));
  EXPECT_EQ(find(u"Orientation", u"Sideways"), -1);
  EXPECT_EQ(find(u"Nup", u"NupON"), static_cast<int32_t>(t.Row("Nup")));  // the row has no option of its own
  EXPECT_EQ(find(u"BindingEdge_PS", u""), -1);
  t.model.features[kMfBindingEdge4] = 1;
  for (const char16_t* alias : {u"BindingEdge_PRN_Portrait", u"BindingEdge_PRN_Landscape", u"BindingEdge_PS"}) {
    EXPECT_EQ(find(alias, u""), static_cast<int32_t>(t.Row("BindingEdge_MFP")));
  }
  EXPECT_EQ(find(u"BindingEdge_MFP", u""), static_cast<int32_t>(t.Row("BindingEdge_MFP")));
}

TEST(RuleEvaluation, PerPageColumnsBindToAnEntry) {
  RuleTable t;
  t.Install(OneRule("  if \"PerPageListStaple\" == \"3\"\n", "0 end"));
  InterSheetEntry entry = {};
  entry.staple = 3;
  // Unbound, the column has no field and the condition is false.
  t.Entry("PerPageListStaple").kind = 4;
  EXPECT_EQ(t.Holds(0), 0u);
  t.Entry("PerPageListStaple").kind = 7;
  BindPerPageFeatures(t.table(), &entry);
  t.Entry("PerPageListStaple").kind = 4;  // numeric operands for the test
  EXPECT_EQ(t.Holds(0), 1u);
  entry.staple = 0xFFFF;                  // read as a signed 16-bit number
  EXPECT_EQ(ReadFeatureValue(t.Entry("PerPageListStaple")), -1);

  PerPageBinding b = BindPerPageField(&entry, u"PerPageListTabPaper");
  EXPECT_TRUE(b.found);
  EXPECT_EQ(b.storageKind, 8u);
  EXPECT_EQ(b.field, reinterpret_cast<uint8_t*>(&entry) + 82);
  EXPECT_FALSE(BindPerPageField(&entry, u"PerPageListCaption").found);
  EXPECT_FALSE(BindPerPageField(nullptr, u"PerPageListStaple").found);
}

TEST(RuleEvaluation, FindOptionItem) {
  RuleTable t;
  t.Install("constraints\n");
  OptionHead* booklet = FindOptionItem("doublesides", "BOOKLET");
  ASSERT_NE(booklet, nullptr);
  EXPECT_EQ(booklet->value, 3u);
  EXPECT_EQ(FindOptionItem("DoubleSides", "Quadruplex"), nullptr);
  EXPECT_EQ(FindOptionItem("Copies", "1"), nullptr);
  EXPECT_EQ(FindOptionItem("NoSuch", "x"), nullptr);
}

}  // namespace
