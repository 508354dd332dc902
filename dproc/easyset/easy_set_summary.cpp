#include "dproc/easyset/easy_set_summary.h"

#include <cstdio>
#include <cstring>

#include "common/records/doc_fields.h"

namespace {

// The poster kinds of the N-up setting.
bool IsPosterKind(uint8_t nup) { return nup >= 7 && nup <= 9; }

std::u16string Number(long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%ld", value);
  return std::u16string(text, text + std::strlen(text));
}

// A text of a packed record, up to its terminator.
std::u16string WideField(const void* field, size_t units) {
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), field, units * sizeof(char16_t));
  const size_t end = text.find(u'\0');
  return end == std::u16string::npos ? text : text.substr(0, end);
}

uint8_t Box(uint32_t on) { return on != 0 ? kSummaryBoxChecked : kSummaryBoxClear; }

class Rows {
 public:
  explicit Rows(const SummaryTexts& texts) : texts_(texts) {}
  SummaryRow& Add(const char* key, uint8_t indent, uint8_t image = kSummaryNoBox, std::u16string value = {},
                  std::u16string value2 = {}) {
    SummaryRow row;
    row.indent = indent;
    row.image = image;
    if (key != nullptr && texts_.label) row.columns[0] = texts_.label(key);
    row.columns[1] = std::move(value);
    row.columns[2] = std::move(value2);
    rows_.push_back(std::move(row));
    return rows_.back();
  }
  std::u16string Label(const char* key) const { return texts_.label ? texts_.label(key) : std::u16string(); }
  std::u16string Option(const char* table, uint32_t value) const {
    return texts_.option ? texts_.option(table, value) : std::u16string();
  }
  std::vector<SummaryRow> Take() { return std::move(rows_); }

 private:
  const SummaryTexts& texts_;
  std::vector<SummaryRow> rows_;
};

void FaxRows(Rows& r, const DocDMode& doc, const SummaryTexts& texts) {
  const DocFields& f = Fields(doc);
  const FaxSetting& fax = f.faxSetting;
  r.Add("ES_FaxResolution", 0, kSummaryNoBox, texts.resolution ? texts.resolution(f.byResolution) : u"");
  r.Add("ES_FaxPrtRecFile", 0, Box(fax.fgPrtRecFile));
  char time[8];
  std::snprintf(time, sizeof time, "%02u:%02u", static_cast<unsigned>(fax.bySendHour % 100),
                static_cast<unsigned>(fax.bySendMinute % 100));
  r.Add("ES_FaxTimerSend", 0, Box(fax.fgTimerSend), std::u16string(time, time + std::strlen(time)));
  r.Add("ES_FaxSubAddress", 0, Box(fax.fgSubAddress), WideField(fax.szSubAddress, 21));
  r.Add("ES_FaxSendID", 0, Box(fax.fgSendID), WideField(fax.szSendID, 21));
  r.Add("ES_FaxCoverSheet", 0, Box(fax.fgFaxCoverSheet));
}

void BasicRows(Rows& r, const DocDMode& doc, const SummaryTexts& texts) {
  const DocFields& f = Fields(doc);
  r.Add("ES_Orientation", 0, kSummaryNoBox, r.Label(f.nOrientation == 1 ? "ES_Portrait" : "ES_Landscape"));
  r.Add("ES_PaperSize", 0, kSummaryNoBox, texts.paper ? texts.paper(doc, false) : u"");
  // "Same as the original" and its like are named by their option.
  std::u16string out;
  if (f.nOutPaperSize == 356 || f.nOutPaperSize == 357) {
    out = r.Option("OutPaperSize", static_cast<uint32_t>(f.nOutPaperSize));
    if (out.empty() && texts.paper) out = texts.paper(doc, false);
  } else if (texts.paper) {
    out = texts.paper(doc, true);
  }
  r.Add("ES_OutPaperSize", 0, kSummaryNoBox, out);
  r.Add("ES_Zoom", 0, kSummaryNoBox, r.Label(f.bScaleAuto != 0 ? "ES_ZoomAuto" : "ES_ZoomManual"),
        Number(f.nScale) + u"%");
}

void LayoutRows(Rows& r, const DocDMode& doc) {
  const DocFields& f = Fields(doc);
  r.Add("ES_Nup", 0, Box(f.bNup), r.Option("Nup_op", f.nNup));
  if (!IsPosterKind(f.nNup)) {
    r.Add("ES_NupStyle", 1, kSummaryNoBox, r.Option("NupStyle", f.nPageLayout));
    r.Add("ES_BorderLine", 1, Box(f.bNupBorder_ui), r.Option("BorderLine_op", f.bPageBorder));
  } else {
    r.Add("ES_PosterMarginLine", 1, Box(f.nPosterMarginLine));
  }
  r.Add("ES_SaveBlankPaper", 0, Box(f.bStopBlankPaper));
}

// The first record of that name in the list the entry names.
const WaterMarkInfo* RecordOf(const EasySetWatermarks& marks, const WMOrderEntry& entry) {
  const std::vector<WaterMarkInfo>& list = entry.bPublic != 0 ? marks.publicMarks : marks.privateMarks;
  const std::u16string name = WideField(entry.szName, 32);
  for (const WaterMarkInfo& mark : list) {
    if (WideField(mark.szWmkTitle, 32) == name) return &mark;
  }
  return nullptr;
}

void WatermarkRows(Rows& r, const DocDMode& doc, const EasySetWatermarks& marks) {
  const DocFields& f = Fields(doc);
  std::u16string name;
  if (f.bWmk != 0) {
    name = WideField(f.WmkInfo_szWmkTitle, 32);
  } else if (f.wWmkListPos < marks.order.size()) {
    name = WideField(marks.order[f.wWmkListPos].szName, 32);
  }
  r.Add("ES_Watermark", 0, Box(f.bWmk), name);
  if (f.bWmk != 0) {
    r.Add("ES_WM_String", 1, kSummaryNoBox, WideField(f.WmkInfo_szWmkStr, 129));
    r.Add("ES_WM_Font", 1, kSummaryNoBox, WideField(f.WmkInfo_szFontName, 32));
    r.Add("ES_WM_Style", 1, kSummaryNoBox, r.Option("WM_Style", static_cast<uint32_t>(f.WmkInfo_nStyle)));
    r.Add("ES_WM_TextDensity", 1, kSummaryNoBox, Number(255 - static_cast<long>(f.WmkInfo_crColor & 0xFF)));
    r.Add("ES_WM_Size", 1, kSummaryNoBox, Number(f.WmkInfo_wSize));
    r.Add("ES_WM_Box", 1, kSummaryNoBox, r.Option("WM_Box", f.WmkInfo_wFrame));
    r.Add("ES_WM_Position", 1);
    r.Add("ES_WM_Pos_X", 2, kSummaryNoBox, Number(static_cast<int32_t>(f.WmkInfo_ptWmkPos_x)));
    r.Add("ES_WM_Pos_Y", 2, kSummaryNoBox, Number(static_cast<int32_t>(f.WmkInfo_ptWmkPos_y)));
    r.Add("ES_WM_Angle", 1, kSummaryNoBox, Number(f.WmkInfo_nAngle));
    r.Add("ES_WM_Transparent", 1, Box(f.WmkInfo_bBkGrnd));
    r.Add("ES_WM_FirstPage", 1, Box(f.WmkInfo_bFstPg));
    r.Add("ES_WM_Repeat", 1, Box(f.WmkInfo_bMultiStamp));
  }
  r.Add(nullptr, 0).separator = true;
  r.Add("ES_WMList", 0);
  for (const WMOrderEntry& entry : marks.order) {
    const WaterMarkInfo* mark = RecordOf(marks, entry);
    SummaryRow& row = r.Add(nullptr, 1, kSummaryNoBox, mark != nullptr ? WideField(mark->szWmkStr, 129) : u"",
                            entry.bPublic != 0 ? r.Label("ES_WM_Sharing") : u"");
    row.columns[0] = WideField(entry.szName, 32);
  }
}

}  // namespace

std::vector<SummaryRow> EasySetSummaryRows(int group, const DocDMode& doc, const EasySetWatermarks& marks,
                                           const SummaryTexts& texts) {
  Rows rows(texts);
  switch (group) {
    case kSummaryFax:
      FaxRows(rows, doc, texts);
      break;
    case kSummaryBasic:
      BasicRows(rows, doc, texts);
      break;
    case kSummaryLayout:
      LayoutRows(rows, doc);
      break;
    case kSummaryWatermark:
      WatermarkRows(rows, doc, marks);
      break;
    default:
      break;
  }
  std::vector<SummaryRow> out = rows.Take();
  if (group == kSummaryWatermark) FillSummarySeparators(&out);
  return out;
}

void FillSummarySeparators(std::vector<SummaryRow>* rows) {
  if (rows == nullptr) return;
  bool used[3] = {};
  for (const SummaryRow& row : *rows) {
    for (int c = 0; c < 3; ++c) used[c] = used[c] || !row.columns[c].empty();
  }
  for (SummaryRow& row : *rows) {
    if (!row.separator) continue;
    for (int c = 0; c < 3; ++c) row.columns[c] = used[c] ? std::u16string(60, u'-') : std::u16string();
  }
}
