// Constraint files: the binary writer and the decoder.
#include <cstring>

#include "common/qxd/constraint_file.h"
#include "common/qxd/qxd_reader.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace qxd {
namespace {

constexpr size_t kMaxStack = 20;

bool PutKeyword(const std::string& text, char16_t* field, const char* what, std::string* error) {
  std::u16string wide = Utf8ToUtf16(text);
  if (wide.size() > kConstraintKeywordUnits) {
    *error = std::string(what) + " \"" + text + "\" is longer than 32 characters";
    return false;
  }
  std::memcpy(field, wide.data(), wide.size() * sizeof(char16_t));
  return true;
}

bool PutNarrow(const std::string& text, char* field, size_t size, const char* what, std::string* error) {
  if (text.size() >= size) {
    *error = std::string(what) + " is longer than " + std::to_string(size - 1) + " characters";
    return false;
  }
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7E) {
      *error = std::string(what) + " holds a character outside printable ASCII";
      return false;
    }
  }
  std::memcpy(field, text.data(), text.size());
  return true;
}

bool CheckExpression(const ConstraintRuleText& rule, std::string* error) {
  if (rule.tokens.empty()) return true;
  size_t depth = 0;
  for (size_t i = 0; i < rule.tokens.size(); ++i) {
    uint32_t t = rule.tokens[i];
    if (t == kTokenEnd) {
      if (i + 1 != rule.tokens.size() || depth != 1) {
        *error = "the expression must end with \"end\" and leave one entry";
        return false;
      }
      return true;
    }
    if (t == kTokenAnd || t == kTokenOr) {
      if (depth < 2) {
        *error = "an operator of the expression finds fewer than two entries";
        return false;
      }
      --depth;
    } else {
      if (t >= rule.conditions.size()) {
        *error = "the expression names condition " + std::to_string(t) + " of a rule with " +
                 std::to_string(rule.conditions.size());
        return false;
      }
      if (++depth > kMaxStack) {
        *error = "the expression needs more than 20 entries";
        return false;
      }
    }
  }
  *error = "the expression does not end with \"end\"";
  return false;
}

std::string KeywordText(const char16_t* field) {
  return Utf16ToUtf8(std::u16string(field, ConstraintKeywordLength(field)));
}

template <typename T>
void Append(std::vector<uint8_t>* out, const T& record) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
  out->insert(out->end(), p, p + sizeof record);
}

}  // namespace

bool BuildConstraints(const ConstraintDocument& doc, std::vector<uint8_t>* out, std::string* error,
                      ConstraintPlacement* placement) {
  ConstraintFileHeader header{};
  if (!PutNarrow(doc.marker, header.marker, sizeof header.marker, "the marker", error)) return false;
  if (!PutNarrow(doc.version, header.version, sizeof header.version, "the version", error)) return false;

  std::vector<ConstraintRuleRecord> rules;
  std::vector<ConstraintCondition> conditions;
  std::vector<uint32_t> tokens;
  std::vector<ConstraintAction> actions;
  for (size_t i = 0; i < doc.rules.size(); ++i) {
    const ConstraintRuleText& r = doc.rules[i];
    std::string where = "rule " + std::to_string(i + 1) + ": ";
    if (r.conditions.size() > 255 || r.actions.size() > 255) {
      *error = where + "more than 255 conditions or actions";
      return false;
    }
    if (!CheckExpression(r, error)) {
      *error = where + *error;
      return false;
    }
    ConstraintRuleRecord rec{};
    rec.kind = r.kind;
    rec.conditionCount = static_cast<uint8_t>(r.conditions.size());
    rec.tokenCount = static_cast<int32_t>(r.tokens.size());
    rec.actionCount = static_cast<uint8_t>(r.actions.size());
    if (!PutKeyword(r.targetFeature, rec.target.feature, "the target feature", error) ||
        !PutKeyword(r.targetOption, rec.target.option, "the target option", error) ||
        !PutKeyword(r.forcedOption, rec.forced.option, "the forced option", error)) {
      *error = where + *error;
      return false;
    }
    rules.push_back(rec);
    for (const ConstraintConditionText& c : r.conditions) {
      ConstraintCondition cond{};
      if (!PutKeyword(c.feature, cond.feature, "a condition's feature", error) ||
          !PutKeyword(c.option, cond.option, "a condition's option", error)) {
        *error = where + *error;
        return false;
      }
      cond.op = c.op;
      conditions.push_back(cond);
    }
    tokens.insert(tokens.end(), r.tokens.begin(), r.tokens.end());
    for (const auto& [code, argument] : r.actions) actions.push_back({code, argument});
  }

  uint64_t size = sizeof header + rules.size() * sizeof(ConstraintRuleRecord) +
                  conditions.size() * sizeof(ConstraintCondition) + tokens.size() * 4 +
                  actions.size() * sizeof(ConstraintAction);
  if (size > 0xFFFFFFF0u) {
    *error = "the file would be larger than the format's 32-bit offsets reach";
    return false;
  }
  header.ruleCount = static_cast<uint32_t>(rules.size());
  header.ruleOffset = sizeof header;
  header.conditionCount = static_cast<uint32_t>(conditions.size());
  header.conditionOffset = header.ruleOffset + header.ruleCount * static_cast<uint32_t>(sizeof(ConstraintRuleRecord));
  header.tokenCount = static_cast<uint32_t>(tokens.size());
  header.tokenOffset =
      header.conditionOffset + header.conditionCount * static_cast<uint32_t>(sizeof(ConstraintCondition));
  header.actionCount = static_cast<uint32_t>(actions.size());
  header.actionOffset = header.tokenOffset + header.tokenCount * 4;

  out->clear();
  out->reserve(static_cast<size_t>(size));
  Append(out, header);
  for (const auto& r : rules) Append(out, r);
  for (const auto& c : conditions) Append(out, c);
  for (uint32_t t : tokens) Append(out, t);
  for (const auto& a : actions) Append(out, a);
  if (placement != nullptr) {
    placement->rules = header.ruleOffset;
    placement->conditions = header.conditionOffset;
    placement->tokens = header.tokenOffset;
    placement->actions = header.actionOffset;
  }
  return true;
}

bool DecodeConstraints(const std::vector<uint8_t>& bytes, ConstraintDocument* doc, std::string* error) {
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  if (ctx == nullptr) {
    *error = "cannot hold the file";
    return false;
  }
  ConstraintSet set;
  ConstraintLoad load = ReadConstraintFile(ctx, &set);
  QxdClose(ctx);
  if (load != ConstraintLoad::Loaded) {
    *error = "not a sound constraint file: its arrays or its rules' counts do not lie inside it";
    return false;
  }
  *doc = ConstraintDocument{};
  const ConstraintFileHeader& h = set.header;
  doc->marker.assign(h.marker, strnlen(h.marker, sizeof h.marker));
  doc->version.assign(h.version, strnlen(h.version, sizeof h.version));
  for (const ConstraintRule& rule : set.rules) {
    ConstraintRuleText r;
    r.kind = rule.kind;
    r.targetFeature = KeywordText(rule.target.feature);
    r.targetOption = KeywordText(rule.target.option);
    r.forcedOption = KeywordText(rule.forced.option);
    for (uint32_t c = 0; c < rule.conditionCount; ++c) {
      const ConstraintCondition& cond = rule.conditions[c];
      r.conditions.push_back({KeywordText(cond.feature), KeywordText(cond.option), cond.op});
    }
    r.tokens.assign(rule.tokens, rule.tokens + rule.tokenCount);
    for (uint32_t a = 0; a < rule.actionCount; ++a) r.actions.emplace_back(rule.actions[a].code, rule.actions[a].argument);
    doc->rules.push_back(std::move(r));
  }
  return true;
}

}  // namespace qxd
