// A small runtime feature table over a settings record of the test's own,
// with constraint rules compiled from text, installed as the process's.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/constraint_file.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/rule_evaluation.h"
#include "tools/qxd/constraint_document.h"

namespace ruletest {

// The settings the rows point at.
struct Settings {
  int16_t paper = 9;
  int16_t outPaper = 9;
  uint8_t nup = 0;
  uint8_t duplex = 1;
  uint8_t orientation = 1;
  uint8_t zoom = 1;
  int32_t copies = 1;
  int16_t userWidth = 0;
  int16_t userLength = 0;
  int32_t collate = 0;
};

inline std::vector<uint8_t> CompileRules(const std::string& text) {
  qxd::ConstraintDocument doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseConstraintText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::BuildConstraints(doc, &bytes, &error)) << error;
  return bytes;
}

inline void SetKeyword(char16_t* field, const char* text) {
  for (size_t i = 0; i < kConstraintKeywordUnits && text[i] != '\0'; ++i) field[i] = static_cast<char16_t>(text[i]);
}

class RuleTable {
 public:
  RuleTable() {
    // The session paper list: two model papers, two user papers, a form.
    struct P {
      const char* keyword;
      uint32_t value, width, length;
    } papers[] = {{"A4", 9, 2100, 2970},          {"Letter", 1, 2159, 2794}, {"CustomPaper", 512, 3300, 4000},
                  {"CustomPaper", 513, 2000, 2500}, {"OutServerPaper", 0x1001, 1000, 1000}};
    for (const P& p : papers) {
      SessionPaperItem row = {};
      row.size = sizeof row;
      std::strncpy(row.keyword, p.keyword, sizeof row.keyword - 1);
      row.value = p.value;
      row.width = p.width;
      row.length = p.length;
      papers_.push_back(row);
    }
    SessionPaperItem end = {};
    end.size = sizeof end;
    papers_.push_back(end);
    OptionHead* paperOptions = reinterpret_cast<OptionHead*>(papers_.data());

    Add("PaperSize", "", 1, 1000, 100, &settings.paper, 5, paperOptions);
    Add("OutPaperSize", "", 1, 1040, 100, &settings.outPaper, 5, paperOptions);
    Add("Nup", "", 5, 1779, 101, &settings.nup, 4, FindStaticOptionTable("Nup"));
    Add("DoubleSides", "", 1, 1286, 101, &settings.duplex, 4, FindStaticOptionTable("DoubleSides"));
    Add("Orientation", "Portrait", 3, 1020, 100, &settings.orientation, 4, FindStaticOptionTable("Orientation"));
    Add("Orientation", "Landscape", 3, 1023, 100, &settings.orientation, 4, FindStaticOptionTable("Orientation"));
    Add("Zoom", "ZoomAuto", 3, 1227, 100, &settings.zoom, 4, FindStaticOptionTable("Zoom"));
    Add("Zoom", "ZoomManual", 3, 1228, 100, &settings.zoom, 4, FindStaticOptionTable("Zoom"));
    Add("Copies", "", 4, 1011, 100, &settings.copies, 1, nullptr);
    Add("UserPaper_Width", "", 4, 1336, 151, &settings.userWidth, 5, nullptr);
    Add("UserPaper_Length", "", 4, 1337, 151, &settings.userLength, 5, nullptr);
    Add("Collate", "", 5, 1014, 100, &settings.collate, 1, nullptr);
    Add("BindingEdge_MFP", "", 1, 1046, 101, nullptr, 0, FindStaticOptionTable("BindingEdge_MFP"));
    Add("PerPageListStaple", "", 7, 1610, 137, nullptr, 0, nullptr);
    Add("PerPageListHolePunch", "", 7, 1610, 137, nullptr, 0, nullptr);
    rows_.push_back(FeatureEntry{});

    FeatureSpecialRows& s = SpecialFeatureRows();
    s = FeatureSpecialRows{};
    s.paperSize = Row("PaperSize");
    s.outPaperSize = Row("OutPaperSize");
    s.userPaperWidth = Row("UserPaper_Width");
    s.userPaperLength = Row("UserPaper_Length");
    ProcessRuleEvalContext() = RuleEvalContext{};
  }
  ~RuleTable() {
    FreeConstraintRules();
    SpecialFeatureRows() = FeatureSpecialRows{};
    ProcessRuleEvalContext() = RuleEvalContext{};
  }
  RuleTable(const RuleTable&) = delete;
  RuleTable& operator=(const RuleTable&) = delete;

  // Installs rules compiled from text and indexes them over the table.
  void Install(const std::string& text) {
    std::vector<uint8_t> bytes = CompileRules(text);
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    ASSERT_EQ(ReadConstraintFile(ctx, &ProcessConstraintRules().set), ConstraintLoad::Loaded);
    QxdClose(ctx);
    int built = BuildConstraintIndex(rows_.data(), &model);
    EXPECT_EQ(built, ProcessConstraintRules().set.rules.empty() ? 0 : 1);
  }

  uint32_t Row(const char* keyword, const char* option = "") const {
    for (uint32_t i = 0; rows_[i].keyword[0] != 0; ++i) {
      if (ConstraintKeywordEqualsAscii(rows_[i].keyword, keyword) &&
          (option[0] == '\0' || ConstraintKeywordEqualsAscii(rows_[i].option, option))) {
        return i;
      }
    }
    ADD_FAILURE() << "no row " << keyword;
    return 0;
  }
  FeatureEntry& Entry(const char* keyword, const char* option = "") { return rows_[Row(keyword, option)]; }
  FeatureEntry* table() { return rows_.data(); }

  // Evaluates a rule on the Basic sheet, not from a control.
  uint32_t Holds(uint32_t rule, uint32_t n = 255) {
    uint32_t result = 99;
    uint32_t status = EvaluateConstraintRule(100, 0, rule, n, false, nullptr, &result);
    return status == kRuleEvaluated ? result : status;
  }

  Settings settings;
  ModelInfo model = {};

 private:
  void Add(const char* keyword, const char* option, uint32_t kind, uint32_t control, uint32_t page, void* field,
           uint32_t fieldKind, OptionHead* options) {
    FeatureEntry e = {};
    e.controlId = control;
    e.pageIds[0] = page;
    e.kind = kind;
    SetKeyword(e.keyword, keyword);
    SetKeyword(e.option, option);
    e.field = field;
    e.fieldKind = fieldKind;
    e.pendingValue = -1;
    e.available = 1;
    e.options = options;
    rows_.push_back(e);
  }

  std::vector<SessionPaperItem> papers_;
  std::vector<FeatureEntry> rows_;
};

}  // namespace ruletest
