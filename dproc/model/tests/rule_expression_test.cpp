// Rule expressions, condition operators, numeric option keywords, storage
// kinds and custom paper sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/model/rule_expression.h"

namespace {

struct ExprCase {
  const char* why;
  std::vector<uint32_t> tokens;
  std::vector<uint8_t> results;
  uint32_t expected;
};

constexpr int32_t kWholeList = INT32_MIN;

uint32_t Eval(const std::vector<uint32_t>& tokens, const std::vector<uint8_t>& results,
              int32_t tokenCount = kWholeList) {
  ConstraintRule rule{};
  rule.conditionCount = static_cast<uint8_t>(results.size());
  rule.tokens = tokens.data();
  rule.tokenCount = tokenCount != kWholeList ? tokenCount : static_cast<int32_t>(tokens.size());
  return EvalRuleExpression(rule, results.data());
}

constexpr uint32_t A = kTokenAnd, O = kTokenOr, E = kTokenEnd, kBroken = kOptionNone;

TEST(RuleExpression, EvaluatesPostfixExpressions) {
  const ExprCase cases[] = {
      {"and of two true", {0, 1, A, E}, {1, 1}, 1},
      {"and with one false", {0, 1, A, E}, {1, 0}, 0},
      {"or with one true", {0, 1, O, E}, {0, 1}, 1},
      {"or of two false", {0, 1, O, E}, {0, 0}, 0},
      {"a single condition", {0, E}, {1}, 1},
      {"(0 or 1) and 2", {0, 1, O, 2, A, E}, {0, 1, 1}, 1},
      {"0 or (1 and 2)", {0, 1, 2, A, O, E}, {0, 1, 0}, 0},
      {"a condition used twice", {1, 1, A, E}, {0, 1}, 1},
      {"end returns the top entry", {0, 1, E}, {0, 1}, 1},
      {"no end never holds", {0, 1, O}, {1, 1}, 0},
      {"tokens beyond the count are not read", {0, E, 9, 9}, {1}, 1},
  };
  for (const ExprCase& c : cases) EXPECT_EQ(Eval(c.tokens, c.results), c.expected) << c.why;
  // The token count, not the list, bounds the walk.
  EXPECT_EQ(Eval({0, E}, {1}, 1), 0u);
  EXPECT_EQ(Eval({0, E}, {1}, 0), 0u);
  EXPECT_EQ(Eval({0, E}, {1}, -3), 0u);
}

TEST(RuleExpression, BrokenExpressionsReportAnError) {
  std::vector<uint32_t> deep(21, 0);
  deep.push_back(E);
  std::vector<uint32_t> deepest(20, 0);
  for (int i = 0; i < 19; ++i) deepest.push_back(A);
  deepest.push_back(E);
  const ExprCase cases[] = {
      {"an operator on one entry", {0, A, E}, {1}, kBroken},
      {"an operator on an empty stack", {O, E}, {1}, kBroken},
      {"end on an empty stack", {E}, {1}, kBroken},
      {"a condition beyond the rule's count", {0, 2, A, E}, {1, 1}, kBroken},
      {"a huge condition number", {0x7FFFFFFFu, E}, {1}, kBroken},
      {"more than twenty entries", deep, {1}, kBroken},
      {"twenty entries fit", deepest, {1}, 1},
  };
  for (const ExprCase& c : cases) EXPECT_EQ(Eval(c.tokens, c.results), c.expected) << c.why;
  // A rule evaluated over fewer conditions passes the skipped ones as true,
  // so an expression naming them reads inside the rule's own results.
  EXPECT_EQ(Eval({0, 1, A, E}, {1, 1}), 1u);
}

TEST(RuleExpression, Operators) {
  struct Case {
    uint32_t op;
    bool less, equal, greater;  // current -5 against 3, 3 against 3, 7 against 3
  } cases[] = {
      {kCondEqual, false, true, false},       {kCondNotEqual, true, false, true},
      {kCondLess, true, false, false},        {kCondGreater, false, false, true},
      {kCondLessEqual, true, true, false},    {kCondLessEqual2, true, true, false},
      {kCondGreaterEqual, false, true, true}, {kCondGreaterEqual2, false, true, true},
      {1007, false, false, false},            {1008, false, false, false},
      {0, false, false, false},               {1015, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareByOperator(-5, 3, c.op), c.less) << c.op;
    EXPECT_EQ(CompareByOperator(3, 3, c.op), c.equal) << c.op;
    EXPECT_EQ(CompareByOperator(7, 3, c.op), c.greater) << c.op;
  }
  // Signed: 65535 read from a u32 field is above -1.
  EXPECT_TRUE(CompareByOperator(-1, 65535, kCondLess));
}

TEST(RuleExpression, NumbersOfNumericConditions) {
  struct Case {
    const char16_t* text;
    int32_t number;
  } cases[] = {
      {u"12", 12},       {u"2.5", 7},     {u"-2.5", -7},   {u"-12", -12},  {u"2.", 2},
      {u"2.57", 7},      {u"0.9", 9},     {u"2.x", 2},     {u".5", 5},     {u"", 0},
      {u" 42", 42},      {u"+8", 8},      {u"3-4", 4},     {u"12abc", 12}, {u"2./", 2},
      {u"99999999999", INT32_MAX},        {u"-99999999999", -INT32_MAX},
  };
  for (const Case& c : cases) {
    char16_t field[kConstraintKeywordUnits] = {};
    std::u16string t(c.text);
    std::copy(t.begin(), t.end(), field);
    EXPECT_EQ(ParseOptionNumber(field), c.number) << std::string(t.begin(), t.end());
    // The keyword is left as it was, so a second reading agrees.
    EXPECT_EQ(ParseOptionNumber(field), c.number);
  }
  // A field filled to its end is read within it.
  struct {
    char16_t field[kConstraintKeywordUnits];
    char16_t after[4];
  } full;
  for (char16_t& u : full.field) u = u'1';
  full.field[30] = u'.';
  full.field[31] = u'3';
  std::memcpy(full.after, u"999", sizeof full.after);
  EXPECT_EQ(ParseOptionNumber(full.field), INT32_MAX);
  full.field[0] = u'4';
  for (int i = 1; i < 31; ++i) full.field[i] = u'.';
  EXPECT_EQ(ParseOptionNumber(full.field), 4);  // "4." then dots: fraction 0
}

TEST(RuleExpression, StorageKinds) {
  struct Case {
    uint32_t kind;
    int32_t written;
    int32_t read;     // what comes back
    size_t width;     // bytes the write touches
  } cases[] = {
      {1, -7, -7, 4},      {2, 70000, 70000, 4}, {3, 5, 5, 4},       {7, -1, -1, 4},
      {8, 123456, 123456, 4}, {4, 200, 200, 1}, {4, -1, 255, 1},    {9, 200, -56, 1},
      {5, 40000, 40000 - 65536, 2}, {6, 40000, 40000, 2}, {6, -1, 65535, 2}, {5, -2, -2, 2},
  };
  for (const Case& c : cases) {
    uint8_t bytes[8];
    std::memset(bytes, 0xAA, sizeof bytes);
    WriteStoredValue(bytes + 2, c.kind, c.written);
    EXPECT_EQ(ReadStoredValue(bytes + 2, c.kind), c.read) << "kind " << c.kind;
    EXPECT_EQ(bytes[0], 0xAA);
    EXPECT_EQ(bytes[1], 0xAA);
    for (size_t i = 2 + c.width; i < sizeof bytes; ++i) EXPECT_EQ(bytes[i], 0xAA) << "kind " << c.kind;
  }
  // Kind 10 is read whole but never written; unknown kinds do neither.
  uint32_t word = 0x12345678;
  WriteStoredValue(&word, 10, 1);
  EXPECT_EQ(word, 0x12345678u);
  EXPECT_EQ(ReadStoredValue(&word, 10), 0x12345678);
  WriteStoredValue(&word, 11, 1);
  WriteStoredValue(&word, 0, 1);
  EXPECT_EQ(word, 0x12345678u);
  EXPECT_EQ(ReadStoredValue(&word, 11), 0);
  EXPECT_EQ(ReadStoredValue(nullptr, 1), 0);
  WriteStoredValue(nullptr, 1, 1);
}

TEST(RuleExpression, CustomPaperSizes) {
  struct Case {
    int32_t value;
    bool custom, wider;
  } cases[] = {
      {9, false, false},    {256, false, true},   {511, false, false},  {512, true, true},
      {522, true, true},    {523, false, false},  {0x1000, true, true}, {0x1001, true, true},
      {0x1FFF, true, true}, {0x0FFF, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsCustomPaperSize(c.value), c.custom) << c.value;
    EXPECT_EQ(IsCustomPaperSizeOrCustom(c.value), c.wider) << c.value;
  }
}

}  // namespace
