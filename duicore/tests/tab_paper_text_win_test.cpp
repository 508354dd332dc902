// The tab-paper text of a job's per-page list: the escapes that steer the
// render core's capture and page origin, and the text drawn into the tab,
// recorded in an enhanced metafile.
#include <windows.h>

#include <winddiui.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/contracts/private_escapes.h"
#include "common/records/doc_fields.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/job_record.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"
#include "duicore/events/tab_paper_text_win.h"
#include "duicore/tests/event_harness_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using eventtest::DecodeEmf;
using eventtest::EmfContent;
using eventtest::EventHarness;
using eventtest::Proc;

void WINAPI Maker(wchar_t* out, int capacity) { lstrcpynW(out, L"EVTABMAKER", capacity); }

template <size_t N>
void Set(char16_t (&field)[N], const std::u16string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), std::min(text.size(), N) * sizeof(char16_t));
}

class TabPaperText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    h_.libraries[L"VELDRANA.DLL"] = L"";
    h_.functions["GetCompanyName"] = Proc(Maker);
    DocFields& f = Fields(h_.Doc());
    f.CoverMFP_bUsePerPageSet = 1;
    f.CoverMFP_nPerPageList = 3;
    f.nOrientation = 1;
    DocBytes(&h_.Doc())[kDocDoubleSidesAt] = 2;
    h_.SetPage(4961, 7016, 1, 2);  // the second page ends
    InterSheetEntry entries[2] = {};
    Set(entries[0].pages, u"2-4,7");
    entries[0].tabPaper = 1;
    Set(entries[0].caption, u"Alpha\r\nBeta");
    entries[0].orientation = 1;
    entries[0].vertPos = 1;
    entries[0].horzPos = 1;
    Set(entries[0].fontFace, u"DejaVu Sans");
    entries[0].fontSize = 12;
    Set(entries[1].pages, u"3");
    entries[1].tabPaper = 1;  // no text: skipped
    TabSettings tab{0, 2230, 2970, 2100, 5, 10, 10, 2, 3};
    Store(entries, 2, tab);
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\EVTABMAKER");
    SetMakerName(nullptr);
  }
  void Store(const InterSheetEntry* entries, DWORD count, const TabSettings& tab) {
    SetMakerName(L"EVTABMAKER");
    wchar_t driver[260];
    ASSERT_TRUE(QueryDriverName(printer_.handle(), driver, nullptr));
    HKEY key = OpenInterSheetListKey(printer_.name().c_str(), driver, 3);
    ASSERT_NE(key, nullptr);
    RegSetValueExW(key, L"ISPageListNum", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&count), 4);
    for (DWORD i = 0; i < count; ++i) {
      const std::wstring name = L"ISPageListData" + std::to_wstring(i + 1);
      RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&entries[i]),
                     sizeof(InterSheetEntry));
    }
    RegSetValueExW(key, L"TabSettingData", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&tab), sizeof tab);
    RegCloseKey(key);
  }
  EmfContent Run(int event) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(DrawTabPaperText(dc, printer_.handle(), event), 1);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    EmfContent e = DecodeEmf(emf);
    DeleteEnhMetaFile(emf);
    return e;
  }
  std::vector<uint32_t> Values(uint32_t code) const {
    std::vector<uint32_t> out;
    for (const auto& c : h_.escapes) {
      if (c.code == code && c.in.size() >= 4) {
        uint32_t v;
        std::memcpy(&v, c.in.data(), 4);
        out.push_back(v);
      }
    }
    return out;
  }
  void SetLastTab(uint32_t v) { std::memcpy(h_.record.data() + kJobRecordLastTabAt, &v, 4); }
  testsupport::TestPrinter printer_;
  EventHarness h_;
};

TEST_F(TabPaperText, EndPageDrawsTheTabAndCapturesIt) {
  const EmfContent e = Run(DOCUMENTEVENT_ENDPAGE);
  const std::vector<uint32_t> want = {kEscGetJobData,   kEscSetDrawMode,   kEscBeginCapture,  kEscSetDefaultCtm,
                                      kEscSetClipToPage, kEscSetPageOrigin, kEscSetPageOrigin, kEscSetPageOrigin,
                                      kEscSetPageOrigin, kEscSetPageValue,  kEscEndCapture,    kEscSetDrawMode};
  EXPECT_EQ(h_.Codes(), want);
  EXPECT_EQ(Values(kEscSetDrawMode), (std::vector<uint32_t>{1, 0}));
  EXPECT_EQ(Values(kEscSetPageValue), (std::vector<uint32_t>{1})) << "position 0: the first automatic one";
  // The page origin moves by the tab strip and back again, in device
  // pixels of the DC.
  std::vector<std::pair<int, int>> origins;
  for (const auto& c : h_.escapes) {
    if (c.code != kEscSetPageOrigin) continue;
    int16_t xy[2];
    std::memcpy(xy, c.in.data(), 4);
    origins.push_back({xy[0], xy[1]});
  }
  ASSERT_EQ(origins.size(), 4u);
  EXPECT_EQ(origins[0].first, -origins[1].first);
  EXPECT_EQ(origins[2].first, -origins[3].first);
  EXPECT_EQ(origins[2].second, 0) << "the first tab slot";
  // Two lines in a font turned along the tab, 12 points in tenths of a
  // millimetre.
  ASSERT_EQ(e.texts.size(), 2u);
  EXPECT_EQ(e.texts[0].text, L"Alpha");
  EXPECT_EQ(e.texts[1].text, L"Beta");
  ASSERT_FALSE(e.fonts.empty());
  EXPECT_EQ(e.fonts.back().font.lfEscapement, 900);
  EXPECT_EQ(e.fonts.back().font.lfHeight, -42);
  EXPECT_EQ(std::wstring(e.fonts.back().font.lfFaceName), L"DejaVu Sans");
  EXPECT_GE(e.rectangles, 1) << "the strip is painted white first";
}

TEST_F(TabPaperText, AutomaticPositionsCycle) {
  struct Case {
    uint32_t last, want;
  } cases[] = {{0, 1}, {1, 2}, {4, 5}, {5, 1}, {12, 3}};
  for (const Case& c : cases) {
    h_.escapes.clear();
    SetLastTab(c.last);
    Run(DOCUMENTEVENT_ENDPAGE);
    EXPECT_EQ(Values(kEscSetPageValue), (std::vector<uint32_t>{c.want})) << c.last;
  }
}

TEST_F(TabPaperText, PagesWithoutTabTextAndBrokenLists) {
  // Page 5 has no entry: the drawing mode goes on and off, nothing else.
  h_.SetPage(4961, 7016, 4, 5);
  EmfContent e = Run(DOCUMENTEVENT_ENDPAGE);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscGetJobData, kEscSetDrawMode, kEscSetDrawMode}));
  EXPECT_TRUE(e.texts.empty());
  // A list without tab positions draws nothing (and divides by nothing).
  InterSheetEntry entry = {};
  Set(entry.pages, u"1-9");
  entry.tabPaper = 1;
  Set(entry.caption, u"Gamma");
  Store(&entry, 1, TabSettings{0, 2230, 2970, 2100, 0, 10, 10, 2, 3});
  h_.SetPage(4961, 7016, 1, 2);
  h_.escapes.clear();
  e = Run(DOCUMENTEVENT_ENDPAGE);
  EXPECT_TRUE(e.texts.empty());
  EXPECT_EQ(Values(kEscSetDrawMode), (std::vector<uint32_t>{1, 0}));
  // Without a per-page list in the settings: only the drawing mode.
  Fields(h_.Doc()).CoverMFP_bUsePerPageSet = 0;
  h_.escapes.clear();
  Run(DOCUMENTEVENT_ENDPAGE);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscGetJobData, kEscSetDrawMode, kEscSetDrawMode}));
  // Without the procedure library nothing at all but the mode switched off.
  h_.libraries.clear();
  h_.escapes.clear();
  Run(DOCUMENTEVENT_ENDPAGE);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscSetDrawMode}));
}

TEST_F(TabPaperText, CapturedTabPrintsAtTheNextPageStartAndDocumentEnd) {
  const uint32_t captured = 1;
  std::memcpy(h_.record.data() + kJobRecordTabCaptureAt, &captured, 4);
  // Four sides ended, one-sided: the lookup page is 4 / 2 = 2.
  h_.SetPage(4961, 7016, 4, 5);
  DocBytes(&h_.Doc())[kDocDoubleSidesAt] = 1;
  Run(DOCUMENTEVENT_STARTPAGE);
  EXPECT_EQ(Values(kEscSetTabText), (std::vector<uint32_t>{0})) << "an entry of type 0";
  EXPECT_NE(h_.Find(kEscPrintCapture), nullptr);
  EXPECT_EQ(Values(kEscSetTabCapture), (std::vector<uint32_t>{0}));
  h_.escapes.clear();
  Run(DOCUMENTEVENT_ENDDOC);
  EXPECT_NE(h_.Find(kEscPrintCapture), nullptr);
}

}  // namespace
