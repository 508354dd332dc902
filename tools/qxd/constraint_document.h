// Constraint files (VELDRANK.QXD) as the project's tool sees them: a
// document of rules that can be written as the binary file, read back from
// one, and written as or read from readable text.
//
// Text form (strings in double quotes, a quote inside a string doubled;
// lines starting with "#" are notes for the reader and are not compiled):
//
//   constraints
//   marker "Ver_Cst"                       left out when empty
//   version "<narrow text>"                left out when empty
//
//   rule <setting|option|hint|perpage|<kind number>>
//     target "<feature>" "<option>"
//     forced "<option>"                    left out when empty
//     if "<feature>" <op> "<option>"       op: == != < > <= >= or a code
//     expr <condition number|and|or|end> ...   postfix; left out when empty
//     lock | force N | refuse N | reason N | hint N | action CODE N
//
// Rules are separated by one blank line.  A rule's expression must be
// complete: every operator finds two entries, the stack never holds more
// than 20, every condition number is one of the rule's, and "end" comes last
// with one entry left.  Compiling the text and dumping the result gives the
// same text back, notes aside.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qxd {

struct ConstraintConditionText {
  std::string feature;  // UTF-8, at most 32 UTF-16 units
  std::string option;
  uint32_t op = 0;
};

struct ConstraintRuleText {
  uint32_t kind = 0;
  std::string targetFeature, targetOption, forcedOption;
  std::vector<ConstraintConditionText> conditions;
  std::vector<uint32_t> tokens;
  std::vector<std::pair<uint32_t, uint32_t>> actions;  // code, argument
};

struct ConstraintDocument {
  std::string marker;   // ASCII
  std::string version;  // ASCII
  std::vector<ConstraintRuleText> rules;
};

// Where the writer put the arrays and each rule's record, for tests that
// damage a file on purpose.
struct ConstraintPlacement {
  uint32_t rules = 0, conditions = 0, tokens = 0, actions = 0;
};

bool BuildConstraints(const ConstraintDocument& doc, std::vector<uint8_t>* out, std::string* error,
                      ConstraintPlacement* placement = nullptr);
// Reads a file with the driver's own reader; a file that the driver would
// refuse is refused here too.
bool DecodeConstraints(const std::vector<uint8_t>& bytes, ConstraintDocument* doc, std::string* error);

bool ParseConstraintText(const std::string& text, ConstraintDocument* doc, std::string* error);
std::string FormatConstraintText(const ConstraintDocument& doc);
// True when the text's first line is "constraints".
bool IsConstraintText(const std::string& text);
// The text without its note lines, as the dump gives it back.
std::string WithoutNotes(const std::string& text);

}  // namespace qxd
