// The fax cover pages at the end of a job: the pages per recipient mode,
// what each names, and the escapes that store them.  The application's DC is
// an enhanced metafile, read back record by record.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/contracts/private_escapes.h"
#include "common/records/fax_cover_sheet.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/cover_sheets_win.h"
#include "duicore/tests/core_library_win.h"
#include "duicore/tests/event_harness_win.h"

namespace {

using eventtest::DecodeEmf;
using eventtest::EmfContent;
using eventtest::EventHarness;

template <size_t N>
void Set(char16_t (&field)[N], const std::u16string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), std::min(text.size(), N) * sizeof(char16_t));
}

class CoverSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The cover styles' words come from the sample model.
    ASSERT_TRUE(LoadDeviceDescriptionFrom(coretest::StagePath(L"VELDRANH.QXD").c_str(),
                                          const_cast<DeviceDescription*>(&CoreDescription())));
  }
  void SetUp() override {
    h_.faxHeld = true;
    h_.fax.assign(sizeof(FaxSendBlock), 0);
    Block().faxSetting.fgFaxCoverSheet = 1;
    Cover().sCoverSize = 1;  // A4
    Cover().basic.byStyle = 0;
    Cover().recipient.byRecipientMode = 1;
    const char16_t* numbers[3] = {u"555-0101", u"555-0202", u"555-0303"};
    const char16_t* names[3] = {u"Ada", u"Brian", u"Chen"};
    for (int i = 0; i < 3; ++i) {
      Set(Block().recipients[i].szFaxNumber, numbers[i]);
      Set(Block().recipients[i].szName, names[i]);
    }
    Block().wRecipientCount = 3;
  }
  FaxSendBlock& Block() { return *reinterpret_cast<FaxSendBlock*>(h_.fax.data()); }
  FaxCoverSheetData& Cover() { return *reinterpret_cast<FaxCoverSheetData*>(Block().coverSheet); }
  // Runs the end-document step on a metafile DC; the texts drawn.
  EmfContent Run() {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ComposeCoverSheets(dc), 1);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    EmfContent content = DecodeEmf(emf);
    DeleteEnhMetaFile(emf);
    return content;
  }
  static int Count(const EmfContent& e, const std::wstring& text) {
    int n = 0;
    for (const auto& t : e.texts) n += t.text.find(text) != std::wstring::npos;
    return n;
  }
  size_t Stored() const {
    size_t n = 0;
    for (const auto& c : h_.escapes) n += c.code == kEscStorePage;
    return n;
  }
  EventHarness h_;
};

TEST_F(CoverSheets, OnePagePerDestination) {
  Cover().recipient.byRecipientSetting = 1;
  const EmfContent e = Run();
  EXPECT_EQ(Stored(), 3u);
  // Each page: reset the page counters, draw, release fonts, store, reset
  // the graphics state.
  std::vector<uint32_t> want = {kEscGetFaxData, kEscGetJobData};
  for (int i = 0; i < 3; ++i) {
    want.insert(want.end(), {kEscResetPageCount, kEscReleaseFonts, kEscStorePage, kEscResetGState});
  }
  EXPECT_EQ(h_.Codes(), want);
  // Every destination named once, in list order.
  size_t last = 0;
  for (const wchar_t* number : {L"555-0101", L"555-0202", L"555-0303"}) {
    EXPECT_EQ(Count(e, number), 1) << number;
    size_t at = 0;
    while (at < e.texts.size() && e.texts[at].text.find(number) == std::wstring::npos) ++at;
    EXPECT_GE(at, last) << number;
    last = at;
  }
  // The stored page: A4, the drawn size, the printable size, not turned.
  const auto* store = h_.Find(kEscStorePage);
  ASSERT_NE(store, nullptr);
  ASSERT_EQ(store->in.size(), 24u);
  uint16_t paper;
  uint32_t v[5];
  std::memcpy(&paper, store->in.data(), 2);
  std::memcpy(v, store->in.data() + 4, 20);
  EXPECT_EQ(paper, 9);
  EXPECT_GT(v[0], 0u);
  EXPECT_GT(v[1], v[0]) << "a portrait page is taller than wide";
  EXPECT_EQ(v[4], 0u);
}

TEST_F(CoverSheets, PagesByRecipientMode) {
  struct Case {
    const char* name;
    uint8_t listOn, setting;
    uint16_t count;
    size_t pages;
    std::vector<std::wstring> named;
  } cases[] = {
      {"all destinations on one page", 1, 0, 3, 1, {L"555-0101", L"555-0202", L"555-0303"}},
      {"own recipient", 1, 2, 3, 1, {L"Own Desk"}},
      {"free text", 0, 1, 3, 1, {L"To whom it may concern"}},
      {"per destination without any", 1, 1, 0, 0, {}},
      {"a count beyond the list is cut to 100", 1, 1, 5000, 100, {}},
  };
  for (const Case& c : cases) {
    h_.escapes.clear();
    Cover().recipient.byRecipientMode = c.listOn;
    Cover().recipient.byRecipientSetting = c.setting;
    Cover().recipient.fgName = 1;
    Set(Cover().recipient.szName, u"Own Desk");
    Set(Cover().recipient.szTitle, u"To whom it may concern");
    Block().wRecipientCount = c.count;
    const EmfContent e = Run();
    EXPECT_EQ(Stored(), c.pages) << c.name;
    for (const auto& text : c.named) EXPECT_EQ(Count(e, text), 1) << c.name << ": " << std::string(text.begin(), text.end());
  }
}

TEST_F(CoverSheets, NothingWithoutTheSwitchOrTheBlock) {
  Block().faxSetting.fgFaxCoverSheet = 0;
  Run();
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscGetFaxData}));
  Block().faxSetting.fgFaxCoverSheet = 1;
  h_.escapes.clear();
  h_.failing.insert(kEscGetJobData);
  Run();
  EXPECT_EQ(Stored(), 0u);
  // A style the model does not have gives no page.
  h_.failing.clear();
  h_.escapes.clear();
  Cover().basic.byStyle = 4;
  Run();
  EXPECT_EQ(Stored(), 0u);
}

TEST_F(CoverSheets, DateTitleAndMessage) {
  Cover().recipient.byRecipientSetting = 0;
  Cover().basic.fgDate = 1;
  Cover().basic.byDateForm = 7;
  Cover().basic.fgSubject = 1;
  Set(Cover().basic.szSubject, u"Quarterly figures");
  Set(Cover().basic.szComment, u"First paragraph.\r\n\r\nSecond paragraph.");
  const EmfContent e = Run();
  EXPECT_EQ(Count(e, L"05/03/2026"), 1) << "day, month, year of the harness clock";
  EXPECT_EQ(Count(e, L"Quarterly figures"), 1);
  EXPECT_EQ(Count(e, L"First paragraph."), 1);
  EXPECT_EQ(Count(e, L"Second paragraph."), 1);
  // The empty line between the paragraphs is kept as a blank line.
  size_t first = 0;
  while (first < e.texts.size() && e.texts[first].text != L"First paragraph.") ++first;
  ASSERT_LT(first + 2, e.texts.size());
  EXPECT_EQ(e.texts[first + 1].text, L" ");
  EXPECT_EQ(e.texts[first + 2].text, L"Second paragraph.");
  EXPECT_GT(e.texts[first + 2].reference.y, e.texts[first + 1].reference.y);
}

}  // namespace
