#include "dproc/model/rule_expression.h"

#include <cstring>

namespace {

constexpr int kStackEntries = 20;

// Reads a number as the C library's wide-text conversion does: leading
// blanks, an optional sign, then digits up to the first non-digit.  The
// text ends at a NUL or at `end`; values beyond 32 bits saturate.
int32_t ReadLong(const char16_t* text, const char16_t* end) {
  while (text < end && (*text == u' ' || (*text >= u'\t' && *text <= u'\r'))) ++text;
  bool negative = false;
  if (text < end && (*text == u'-' || *text == u'+')) negative = *text++ == u'-';
  int64_t value = 0;
  for (; text < end && *text >= u'0' && *text <= u'9'; ++text) {
    value = value * 10 + (*text - u'0');
    if (value > 0x80000000ll) value = 0x80000000ll;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t ReadStoredValue(const void* field, uint32_t storageKind) {
  if (field == nullptr) return 0;
  switch (storageKind) {
    case 1: case 2: case 3: case 7: case 8: case 10: {
      int32_t v;
      std::memcpy(&v, field, sizeof v);
      return v;
    }
    case 4: return *static_cast<const uint8_t*>(field);
    case 9: return static_cast<int8_t>(*static_cast<const uint8_t*>(field));
    case 5: {
      int16_t v;
      std::memcpy(&v, field, sizeof v);
      return v;
    }
    case 6: {
      uint16_t v;
      std::memcpy(&v, field, sizeof v);
      return v;
    }
    default: return 0;
  }
}

void WriteStoredValue(void* field, uint32_t storageKind, int32_t value) {
  if (field == nullptr) return;
  switch (storageKind) {
    case 1: case 2: case 3: case 7: case 8:
      std::memcpy(field, &value, sizeof value);
      break;
    case 4: case 9:
      *static_cast<uint8_t*>(field) = static_cast<uint8_t>(value);
      break;
    case 5: case 6: {
      uint16_t v = static_cast<uint16_t>(value);
      std::memcpy(field, &v, sizeof v);
      break;
    }
    default: break;
  }
}

bool CompareByOperator(int32_t current, int32_t operand, uint32_t op) {
  switch (op) {
    case kCondEqual: return current == operand;
    case kCondNotEqual: return current != operand;
    case kCondLess: return current < operand;
    case kCondGreater: return current > operand;
    case kCondLessEqual: case kCondLessEqual2: return current <= operand;
    case kCondGreaterEqual: case kCondGreaterEqual2: return current >= operand;
    default: return false;
  }
}

int32_t ParseOptionNumber(const char16_t* keyword) {
  const char16_t* end = keyword + ConstraintKeywordLength(keyword);
  const char16_t* point = nullptr;
  bool minus = false;
  for (const char16_t* p = keyword; p < end; ++p) {
    if (*p == u'.' && point == nullptr) point = p;
    if (*p == u'-') minus = true;
  }
  const char16_t* start = (minus && keyword < end) ? keyword + 1 : keyword;
  int64_t number;
  if (point != nullptr) {
    char16_t digit = point + 1 < end ? point[1] : u'\0';
    if (digit < u'0') digit = u'0';
    int32_t fraction = (digit <= u'9') ? digit - u'0' : 0;
    number = static_cast<int64_t>(ReadLong(start, point)) + fraction;
  } else {
    number = ReadLong(start, end);
  }
  if (minus) number = -number;
  if (number > INT32_MAX) number = INT32_MAX;
  if (number < INT32_MIN) number = INT32_MIN;
  return static_cast<int32_t>(number);
}

bool IsCustomPaperSize(int32_t value) { return (value >= 512 && value <= 522) || (value & 0x1000) != 0; }

bool IsCustomPaperSizeOrCustom(int32_t value) { return value == 256 || IsCustomPaperSize(value); }

uint32_t EvalRuleExpression(const ConstraintRule& rule, const uint8_t* results) {
  if (rule.tokenCount < 1 || rule.tokens == nullptr) return 0;
  uint8_t stack[kStackEntries];
  int depth = 0;
  for (int32_t i = 0; i < rule.tokenCount; ++i) {
    uint32_t token = rule.tokens[i];
    if (token == kTokenEnd) return depth > 0 ? stack[depth - 1] : kOptionNone;
    if (token == kTokenAnd || token == kTokenOr) {
      if (depth < 2) return kOptionNone;
      uint8_t b = stack[--depth];
      uint8_t a = stack[depth - 1];
      stack[depth - 1] = token == kTokenAnd ? (a && b) : (a || b);
    } else {
      if (token >= rule.conditionCount || results == nullptr || depth == kStackEntries) return kOptionNone;
      stack[depth++] = results[token] ? 1 : 0;
    }
  }
  return 0;
}
