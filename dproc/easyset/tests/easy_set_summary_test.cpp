// The rows of an Easy Set's summary, with labels and option names from
// tables of the test's own.
#include "dproc/easyset/easy_set_summary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/records/doc_fields.h"

namespace {

std::u16string U(std::string_view text) { return std::u16string(text.begin(), text.end()); }

SummaryTexts Texts() {
  SummaryTexts texts;
  // Labels are the keys themselves; an unknown key has none.
  texts.label = [](std::string_view key) { return key == "ES_Unknown" ? std::u16string() : U(key); };
  texts.option = [](const char* table, uint32_t value) {
    return value == 99 ? std::u16string() : U(std::string(table) + "#" + std::to_string(value));
  };
  texts.resolution = [](uint32_t index) { return U("res" + std::to_string(index)); };
  texts.paper = [](const DocDMode&, bool output) { return output ? std::u16string(u"Out") : std::u16string(u"In"); };
  return texts;
}

void SetWide(void* field, const std::u16string& text) { std::memcpy(field, text.data(), text.size() * 2); }

WaterMarkInfo Mark(const std::u16string& title, const std::u16string& text) {
  WaterMarkInfo m{};
  SetWide(m.szWmkTitle, title);
  SetWide(m.szWmkStr, text);
  return m;
}

WMOrderEntry Entry(const std::u16string& name, bool isPublic) {
  WMOrderEntry e{};
  e.bPublic = isPublic ? 1 : 0;
  SetWide(e.szName, name);
  return e;
}

const SummaryRow* Find(const std::vector<SummaryRow>& rows, const std::u16string& label) {
  for (const SummaryRow& row : rows) {
    if (row.columns[0] == label) return &row;
  }
  return nullptr;
}

class EasySetSummary : public ::testing::Test {
 protected:
  std::unique_ptr<DocDMode> doc_ = std::make_unique<DocDMode>();
  EasySetWatermarks marks_;
};

// The fax group: the resolution's name, the switches as check boxes and the
// values beside them.
TEST_F(EasySetSummary, TheFaxGroupShowsTheFaxOptions) {
  DocFields& f = Fields(*doc_);
  f.byResolution = 2;
  f.faxSetting.fgTimerSend = 1;
  f.faxSetting.bySendHour = 7;
  f.faxSetting.bySendMinute = 5;
  f.faxSetting.fgSendID = 1;
  SetWide(f.faxSetting.szSendID, u"12#4");
  const auto rows = EasySetSummaryRows(kSummaryFax, *doc_, marks_, Texts());
  ASSERT_EQ(6u, rows.size());
  EXPECT_EQ(u"res2", Find(rows, u"ES_FaxResolution")->columns[1]);
  EXPECT_EQ(kSummaryBoxClear, Find(rows, u"ES_FaxPrtRecFile")->image);
  EXPECT_EQ(kSummaryBoxChecked, Find(rows, u"ES_FaxTimerSend")->image);
  EXPECT_EQ(u"07:05", Find(rows, u"ES_FaxTimerSend")->columns[1]);
  EXPECT_EQ(u"12#4", Find(rows, u"ES_FaxSendID")->columns[1]);
}

// The basic group: orientation and zoom in words, the papers by their
// labels, an output size that follows the original by its option's name
// (or the original's label when the option has none).
TEST_F(EasySetSummary, TheBasicGroupNamesThePapers) {
  DocFields& f = Fields(*doc_);
  f.nOrientation = 2;
  f.bScaleAuto = 0;
  f.nScale = 80;
  f.nOutPaperSize = 9;
  auto rows = EasySetSummaryRows(kSummaryBasic, *doc_, marks_, Texts());
  EXPECT_EQ(u"ES_Landscape", Find(rows, u"ES_Orientation")->columns[1]);
  EXPECT_EQ(u"ES_ZoomManual", Find(rows, u"ES_Zoom")->columns[1]);
  EXPECT_EQ(u"80%", Find(rows, u"ES_Zoom")->columns[2]);
  EXPECT_EQ(u"In", Find(rows, u"ES_PaperSize")->columns[1]);
  EXPECT_EQ(u"Out", Find(rows, u"ES_OutPaperSize")->columns[1]);
  f.nOutPaperSize = 356;
  rows = EasySetSummaryRows(kSummaryBasic, *doc_, marks_, Texts());
  EXPECT_EQ(u"OutPaperSize#356", Find(rows, u"ES_OutPaperSize")->columns[1]);
  SummaryTexts texts = Texts();
  texts.option = [](const char*, uint32_t) { return std::u16string(); };
  rows = EasySetSummaryRows(kSummaryBasic, *doc_, marks_, texts);
  EXPECT_EQ(u"In", Find(rows, u"ES_OutPaperSize")->columns[1]);
}

// The layout group: the N-up kind's details, or for a poster its margin
// line; an option value without a table entry stays empty.
TEST_F(EasySetSummary, TheLayoutGroupFollowsTheNupKind) {
  DocFields& f = Fields(*doc_);
  f.bNup = 1;
  f.nNup = 2;
  f.nPageLayout = 99;
  auto rows = EasySetSummaryRows(kSummaryLayout, *doc_, marks_, Texts());
  EXPECT_EQ(u"Nup_op#2", Find(rows, u"ES_Nup")->columns[1]);
  EXPECT_EQ(kSummaryBoxChecked, Find(rows, u"ES_Nup")->image);
  ASSERT_NE(nullptr, Find(rows, u"ES_NupStyle"));
  EXPECT_EQ(u"", Find(rows, u"ES_NupStyle")->columns[1]);
  EXPECT_EQ(1, Find(rows, u"ES_NupStyle")->indent);
  EXPECT_EQ(nullptr, Find(rows, u"ES_PosterMarginLine"));
  f.nNup = 8;
  rows = EasySetSummaryRows(kSummaryLayout, *doc_, marks_, Texts());
  EXPECT_EQ(nullptr, Find(rows, u"ES_NupStyle"));
  EXPECT_EQ(nullptr, Find(rows, u"ES_BorderLine"));
  EXPECT_NE(nullptr, Find(rows, u"ES_PosterMarginLine"));
}

// A watermark that is off names the watermark at its position, without the
// details; the list rows name each watermark of the order with its text
// and, for a shared one, the sharing mark; the separator row takes dashes
// in every column some row fills.
TEST_F(EasySetSummary, TheWatermarkGroupListsTheOrder) {
  marks_.publicMarks = {Mark(u"Draft", u"DRAFT")};
  marks_.privateMarks = {Mark(u"Mine", u"MINE")};
  marks_.order = {Entry(u"Mine", false), Entry(u"Draft", true)};
  Fields(*doc_).bWmk = 0;
  Fields(*doc_).wWmkListPos = 1;
  auto rows = EasySetSummaryRows(kSummaryWatermark, *doc_, marks_, Texts());
  EXPECT_EQ(u"Draft", Find(rows, u"ES_Watermark")->columns[1]);
  EXPECT_EQ(nullptr, Find(rows, u"ES_WM_String"));
  const SummaryRow* mine = Find(rows, u"Mine");
  ASSERT_NE(nullptr, mine);
  EXPECT_EQ(u"MINE", mine->columns[1]);
  EXPECT_EQ(u"", mine->columns[2]);
  EXPECT_EQ(u"ES_WM_Sharing", Find(rows, u"Draft")->columns[2]);
  const std::u16string dashes(60, u'-');
  const SummaryRow* separator = Find(rows, dashes);
  ASSERT_NE(nullptr, separator);
  EXPECT_EQ(dashes, separator->columns[1]);
  EXPECT_EQ(dashes, separator->columns[2]);

  // Without shared watermarks no row fills the third column.
  marks_.order = {Entry(u"Mine", false)};
  Fields(*doc_).bWmk = 1;
  SetWide(Fields(*doc_).WmkInfo_szWmkTitle, u"Mine");
  rows = EasySetSummaryRows(kSummaryWatermark, *doc_, marks_, Texts());
  EXPECT_EQ(u"Mine", Find(rows, u"ES_Watermark")->columns[1]);
  EXPECT_NE(nullptr, Find(rows, u"ES_WM_String"));
  separator = Find(rows, dashes);
  ASSERT_NE(nullptr, separator);
  EXPECT_EQ(u"", separator->columns[2]);
}

}  // namespace
