// The summary of an Easy Set that the Edit dialog shows below its list:
// per group of settings (one tab each), rows of a label, a check box
// picture for on/off settings and the chosen value.  The labels come from
// the description file's "Easy_ShowSetting" texts, the values from the
// option tables of the settings model; both are looked up through the
// texts given, so the rows are made without the Windows interface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/records/settings_records.h"
#include "dproc/easyset/easy_set_records.h"

// The groups of settings, by the number each tab carries.
enum EasySetSummaryGroup : int {
  kSummaryBasic = 1,
  kSummaryLayout = 2,
  kSummaryWatermark = 5,
  kSummaryFax = 10,
};

// The check box picture of a row.
enum SummaryImage : uint8_t { kSummaryNoBox = 0, kSummaryBoxClear = 1, kSummaryBoxChecked = 2 };

struct SummaryRow {
  uint8_t indent = 0;  // 0 to 2
  uint8_t image = kSummaryNoBox;
  bool separator = false;  // the row stands between parts of the list
  std::u16string columns[3];
};

struct SummaryTexts {
  // The text of an "Easy_ShowSetting" key; empty when the key is missing.
  std::function<std::u16string(std::string_view key)> label;
  // The display name of `value` in the option table of feature `table`;
  // empty when no row has that value.
  std::function<std::u16string(const char* table, uint32_t value)> option;
  // The display name of the resolution at place `index` of the model's
  // list; empty when none.
  std::function<std::u16string(uint32_t index)> resolution;
  // The label of the original (output false) or output paper of the
  // settings: its name and size.
  std::function<std::u16string(const DocDMode& doc, bool output)> paper;
};

// The rows of `group` for the settings and watermark lists of an Easy Set;
// none for a group without rows.
std::vector<SummaryRow> EasySetSummaryRows(int group, const DocDMode& doc, const EasySetWatermarks& marks,
                                           const SummaryTexts& texts);

// The separator rows take 60 dashes in every column in which some row of
// the list has a text.
void FillSummarySeparators(std::vector<SummaryRow>* rows);
