// Constraint files: the readable text form.
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "common/qxd/constraint_file.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace qxd {
namespace {

struct Word {
  std::string text;
  bool quoted = false;
};

// Splits a line into words and quoted strings.
bool SplitLine(const std::string& line, std::vector<Word>* out, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
    } else if (c == '"') {
      Word w;
      w.quoted = true;
      for (++i;; ++i) {
        if (i >= line.size()) {
          *error = "a string without its closing quote";
          return false;
        }
        if (line[i] != '"') {
          w.text.push_back(line[i]);
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          w.text.push_back('"');
          ++i;
        } else {
          ++i;
          break;
        }
      }
      out->push_back(std::move(w));
    } else {
      Word w;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"') w.text.push_back(line[i++]);
      out->push_back(std::move(w));
    }
  }
  return true;
}

bool ToU32(const Word& w, uint32_t* out) {
  if (w.quoted || w.text.empty() || w.text[0] == '-' || w.text[0] == '+') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(w.text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFull) return false;
  *out = static_cast<uint32_t>(v);
  return true;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out.push_back(c);
    if (c == '"') out.push_back('"');
  }
  return out + "\"";
}

struct Named {
  const char* name;
  uint32_t code;
};
constexpr Named kKinds[] = {
    {"setting", kRuleKindSetting}, {"option", kRuleKindOption}, {"hint", kRuleKindHint}, {"perpage", kRuleKindPerPage}};
constexpr Named kOperators[] = {{"==", kCondEqual},       {"!=", kCondNotEqual},     {"<", kCondLess},
                                {">", kCondGreater},     {"<=", kCondLessEqual},    {">=", kCondGreaterEqual}};
constexpr Named kTokens[] = {{"and", kTokenAnd}, {"or", kTokenOr}, {"end", kTokenEnd}};
constexpr Named kActions[] = {{"lock", kActionLock},     {"force", kActionForce}, {"refuse", kActionRefuse},
                              {"reason", kActionReason}, {"hint", kActionHint}};

template <size_t N>
bool ByName(const Named (&table)[N], const Word& w, uint32_t* out) {
  if (w.quoted) return false;
  for (const Named& n : table) {
    if (w.text == n.name) {
      *out = n.code;
      return true;
    }
  }
  return false;
}

template <size_t N>
const char* NameOf(const Named (&table)[N], uint32_t code) {
  for (const Named& n : table) {
    if (n.code == code) return n.name;
  }
  return nullptr;
}

bool ParseRuleLine(const std::vector<Word>& w, ConstraintRuleText* rule, std::string* error) {
  const std::string& head = w[0].text;
  uint32_t code = 0, argument = 0;
  if (head == "target" && w.size() == 3 && w[1].quoted && w[2].quoted) {
    rule->targetFeature = w[1].text;
    rule->targetOption = w[2].text;
  } else if (head == "forced" && w.size() == 2 && w[1].quoted) {
    rule->forcedOption = w[1].text;
  } else if (head == "if" && w.size() == 4 && w[1].quoted && w[3].quoted) {
    ConstraintConditionText c{w[1].text, w[3].text, 0};
    if (!ByName(kOperators, w[2], &c.op) && !ToU32(w[2], &c.op)) {
      *error = "unknown operator " + w[2].text;
      return false;
    }
    rule->conditions.push_back(c);
  } else if (head == "expr" && w.size() > 1) {
    for (size_t i = 1; i < w.size(); ++i) {
      uint32_t t = 0;
      if (!ByName(kTokens, w[i], &t)) {
        // A number that reads as an operator would not come back as written.
        if (!ToU32(w[i], &t) || NameOf(kTokens, t) != nullptr) {
          *error = "bad expression token " + w[i].text;
          return false;
        }
      }
      rule->tokens.push_back(t);
    }
  } else if (head == "action" && w.size() == 3 && ToU32(w[1], &code) && ToU32(w[2], &argument)) {
    rule->actions.emplace_back(code, argument);
  } else if (ByName(kActions, w[0], &code) &&
             ((w.size() == 2 && ToU32(w[1], &argument)) || (w.size() == 1 && code == kActionLock))) {
    rule->actions.emplace_back(code, argument);
  } else {
    *error = "unexpected line starting with " + head;
    return false;
  }
  return true;
}

}  // namespace

bool IsConstraintText(const std::string& text) {
  return text.compare(0, 12, "constraints\n") == 0 || text == "constraints";
}

std::string WithoutNotes(const std::string& text) {
  std::istringstream in(text);
  std::string line, out;
  while (std::getline(in, line)) {
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '#') continue;
    out += line + "\n";
  }
  return out;
}

bool ParseConstraintText(const std::string& text, ConstraintDocument* doc, std::string* error) {
  *doc = ConstraintDocument{};
  if (!CheckSourceText(text, error)) return false;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  bool header = false;
  ConstraintRuleText* rule = nullptr;
  while (std::getline(in, line)) {
    ++number;
    std::vector<Word> w;
    std::string why;
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '#') continue;
    if (!SplitLine(line, &w, &why)) {
      *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    if (w.empty()) continue;
    const std::string& head = w[0].text;
    bool ok = true;
    if (!header) {
      ok = head == "constraints" && w.size() == 1 && !w[0].quoted;
      header = ok;
      if (!ok) why = "the text must start with \"constraints\"";
    } else if (head == "marker" && rule == nullptr && w.size() == 2 && w[1].quoted) {
      doc->marker = w[1].text;
    } else if (head == "version" && rule == nullptr && w.size() == 2 && w[1].quoted) {
      doc->version = w[1].text;
    } else if (head == "rule" && w.size() == 2) {
      ConstraintRuleText r;
      if (!ByName(kKinds, w[1], &r.kind) && !ToU32(w[1], &r.kind)) {
        ok = false;
        why = "unknown rule kind " + w[1].text;
      }
      doc->rules.push_back(r);
      rule = &doc->rules.back();
    } else if (rule != nullptr && !w[0].quoted) {
      ok = ParseRuleLine(w, rule, &why);
    } else {
      ok = false;
      why = "unexpected line starting with " + head;
    }
    if (!ok) {
      *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
  }
  if (!header) {
    *error = "the text must start with \"constraints\"";
    return false;
  }
  return true;
}

std::string FormatConstraintText(const ConstraintDocument& doc) {
  std::string out = "constraints\n";
  if (!doc.marker.empty()) out += "marker " + Quote(doc.marker) + "\n";
  if (!doc.version.empty()) out += "version " + Quote(doc.version) + "\n";
  for (const ConstraintRuleText& r : doc.rules) {
    const char* kind = NameOf(kKinds, r.kind);
    out += "\nrule " + (kind != nullptr ? std::string(kind) : std::to_string(r.kind)) + "\n";
    out += "  target " + Quote(r.targetFeature) + " " + Quote(r.targetOption) + "\n";
    if (!r.forcedOption.empty()) out += "  forced " + Quote(r.forcedOption) + "\n";
    for (const ConstraintConditionText& c : r.conditions) {
      const char* op = NameOf(kOperators, c.op);
      out += "  if " + Quote(c.feature) + " " + (op != nullptr ? std::string(op) : std::to_string(c.op)) + " " +
             Quote(c.option) + "\n";
    }
    if (!r.tokens.empty()) {
      out += "  expr";
      for (uint32_t t : r.tokens) {
        const char* name = NameOf(kTokens, t);
        out += " " + (name != nullptr ? std::string(name) : std::to_string(t));
      }
      out += "\n";
    }
    for (const auto& [code, argument] : r.actions) {
      const char* name = NameOf(kActions, code);
      if (name == nullptr) out += "  action " + std::to_string(code) + " " + std::to_string(argument) + "\n";
      else if (code == kActionLock && argument == 0) out += "  lock\n";
      else out += "  " + std::string(name) + " " + std::to_string(argument) + "\n";
    }
  }
  return out;
}

}  // namespace qxd
