// Whole fax jobs with the user interface core's document events: the test
// host plays GDI for the render core, the core's events run in this program
// on the host's side, and their escapes go to the render core.  What reaches
// the spooler is read back and checked with the independent dissector.
#include <gtest/gtest.h>
#include <windows.h>
#include <winddiui.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/fax_dialogs_win.h"
#include "common/contracts/auth_dialogs.h"
#include "common/contracts/open_api.h"
#include "common/contracts/private_escapes.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/job_record.h"
#include "common/records/settings_checksum.h"
#include "common/win/auth_store_win.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "common/win/user_registry.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/document_events_win.h"
#include "duicore/tests/event_harness_win.h"
#include "tests/ddi_host/app_dc_replay.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/emf_records.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

namespace {

using eventtest::EventHarness;
using eventtest::Proc;

constexpr char kJobStart[] = "\x1B%-12345X@PJL JOB\r\n";

// A page of a job as the dissector reads it: its texts (the characters of
// each Text operator) and the paths it paints.
struct Page {
  std::vector<std::string> texts;
  std::vector<std::string> fonts;    // the names of SetFont
  std::vector<double> penWidths;     // of SetPenWidth
  std::vector<double> charAngles;    // of SetCharAngle
  int lineSegments = 0;              // the points of LineRelPath
  int images = 0;                    // BeginImage
  std::vector<std::string> streamTexts;  // the texts of streams defined on the page
  int execStreams = 0;                   // ExecStream
  std::vector<double> rops;              // of SetROP
  std::vector<std::string> beforeText;   // the operators before the first Text, in order
  int paintedPaths = 0;
  bool Has(const std::string& text) const {
    for (const std::string& t : texts) {
      if (t.find(text) != std::string::npos) return true;
    }
    return false;
  }
};

struct Job {
  std::string pjl;
  xl::Dissection xl;
  int pages = 0;
  std::vector<Page> content;
};

std::vector<Job> SplitJobs(const std::vector<uint8_t>& bytes) {
  const std::string all(bytes.begin(), bytes.end());
  std::vector<Job> jobs;
  size_t at = all.find(kJobStart);
  while (at != std::string::npos) {
    const size_t next = all.find(kJobStart, at + 1);
    const std::string part = all.substr(at, next == std::string::npos ? std::string::npos : next - at);
    Job job;
    xl::Options options;
    options.skipToHeader = true;
    job.xl = xl::Dissect(reinterpret_cast<const uint8_t*>(part.data()), part.size(), options);
    job.pjl = job.xl.prefix;
    for (const xl::Operator& op : job.xl.ops) {
      job.pages += op.name == "BeginPage";
      if (op.name == "BeginPage") job.content.emplace_back();
      if (job.content.empty()) continue;
      if (op.name == "Text" && op.Find(171) != nullptr) job.content.back().texts.push_back(op.Find(171)->value.Text());
      job.content.back().paintedPaths += op.name == "PaintPath";
      if (op.name == "SetFont" && op.Find(168) != nullptr) job.content.back().fonts.push_back(op.Find(168)->value.Text());
      if (op.name == "SetPenWidth") job.content.back().penWidths.push_back(op.Number(75));
      if (op.name == "SetCharAngle") job.content.back().charAngles.push_back(op.Number(161));
      if (op.name == "LineRelPath") job.content.back().lineSegments += int(op.Number(77));
      job.content.back().images += op.name == "BeginImage";
      job.content.back().execStreams += op.name == "ExecStream";
      if (op.name == "SetROP") job.content.back().rops.push_back(op.Number(44));
      if (job.content.back().texts.empty() && op.name != "Text") job.content.back().beforeText.push_back(op.name);
      for (const xl::Operator& inner : op.streamOps) {
        if (inner.name == "Text" && inner.Find(171) != nullptr) {
          job.content.back().streamTexts.push_back(inner.Find(171)->value.Text());
        }
      }
    }
    jobs.push_back(job);
    at = next;
  }
  return jobs;
}

// The destination dialog as the test answers it in the scripted library.
struct Destinations {
  std::vector<std::u16string> numbers;
  std::vector<std::u16string> names;
  bool cover = false;
  bool perDestination = false;
  std::wstring image;  // the cover image's file, when not empty
  int result = 1;
} g_answer;

int WINAPI ScriptedPopup(FaxSendToArgs* args) {
  *args->pdwRecipientCount = static_cast<uint32_t>(g_answer.numbers.size());
  for (size_t i = 0; i < g_answer.numbers.size(); ++i) {
    std::memcpy(args->pRecipients[i].szFaxNumber, g_answer.numbers[i].c_str(), g_answer.numbers[i].size() * 2);
    if (i < g_answer.names.size()) {
      std::memcpy(args->pRecipients[i].szName, g_answer.names[i].c_str(), g_answer.names[i].size() * 2);
    }
  }
  args->pFaxSetting->fgFaxCoverSheet = g_answer.cover ? 1 : 0;
  auto* cover = reinterpret_cast<FaxCoverSheetData*>(args->pCoverSheet);
  cover->sCoverSize = 1;
  cover->recipient.byRecipientMode = 1;
  cover->recipient.byRecipientSetting = g_answer.perDestination ? 1 : 0;
  // The sender's company and phone lines.
  FcsSenderLine& company = cover->sender.lines[kFcsSenderCompany];
  company.fgOn = 1;
  std::memcpy(company.szText, u"HALDOVAR", 16);
  FcsSenderLine& phone = cover->sender.lines[kFcsSenderPhone];
  phone.fgOn = 1;
  std::memcpy(phone.szText, u"0299990000", 20);
  if (!g_answer.image.empty()) {
    cover->image.fgPasteImage = 1;
    lstrcpynW(reinterpret_cast<wchar_t*>(cover->image.szImageFile), g_answer.image.c_str(), 260);
    cover->image.wPosX = 50;
    cover->image.wPosY = 50;
  }
  return g_answer.result;
}

void WINAPI ScriptedCompanyName(wchar_t* out, int capacity) { lstrcpynW(out, L"HALDOVAR", capacity); }

// The core's escapes go to the application's DC the host keeps: in order
// with what the core draws on it.
int ForwardEscape(void* ctx, int code, int inSize, const void* in, int outSize, void* out) {
  return static_cast<int>(static_cast<HostAppDc*>(ctx)->Escape(static_cast<ULONG>(code), static_cast<ULONG>(inSize),
                                                                in, static_cast<ULONG>(outSize), out));
}

// The answer of the real destination dialog: the numbers typed and added,
// then OK.  The second number goes in after the first was added.
void CALLBACK AddSecondNumber(HWND d, UINT, UINT_PTR id, DWORD) {
  KillTimer(d, id);
  SetDlgItemTextW(d, 2053, L"0577778888");
  SendMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class FaxDocumentEvents : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The cover styles' words and face come from the sample model.
    ASSERT_TRUE(LoadDeviceDescriptionFrom(testsupport::Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(),
                                          const_cast<DeviceDescription*>(&CoreDescription())));
  }
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"job.prn");
    h_.forward = ForwardEscape;
    h_.forwardCtx = &appDc_;
    g_answer = Destinations{};
  }
  void TearDown() override { host_.Unload(); }
  // A job of `pages` pages with the core's events; the jobs in the file.
  std::vector<Job> Print(int pages, DriverDevMode dm) {
    DdiHost::FaxJob job;
    job.pages = pages;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    // Each event draws on a fresh recording of the application's DC, played
    // through the render core when the event returns (before the page is
    // sent or the document ended).
    job.events = [&](int code, SURFOBJ* surface, DWORD jobId) {
      if (beforeEvent_) beforeEvent_(code, surface);
      HDC dc = appDc_.Begin(surface);
      const int result = DrvDocumentEvent(printer_.handle(), dc, code, sizeof jobId, &jobId, 0, nullptr);
      EXPECT_TRUE(appDc_.End()) << "event " << code << ": " << Failures();
      return result;
    };
    const DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    jobId_ = result.jobId;
    std::vector<uint8_t> bytes = ReadFileBytes(output_);
    DeleteFileW(output_.c_str());
    return SplitJobs(bytes);
  }
  std::string Failures() const {
    std::string all;
    for (const std::string& f : appDc_.played().failures) all += f + "; ";
    return all;
  }
  int Sent(uint32_t code) const {
    int n = 0;
    for (const auto& e : h_.escapes) n += e.code == code;
    return n;
  }

  // The procedure library as a driver package holds it: beside the render
  // core and the sample model, with its templates and texts.  The store's
  // key names the maker as the library tells it; the destinations are
  // answered by the script.
  void InstallProcedureLibrary() {
    for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL", L"VELDRANH.DLL"}) {
      const std::wstring wide(name);
      ASSERT_TRUE(dir_.Copy(("bin/" + std::string(wide.begin(), wide.end())).c_str(), name));
    }
    ASSERT_TRUE(dir_.Copy("model/VELDRANK.QXD", L"VELDRANK.QXD"));
    ASSERT_TRUE(dir_.Copy("model/VELDRANX.QXD", L"VELDRANX.QXD"));
    h_.libraries[L"VELDRANA.DLL"] = dir_.Path(L"VELDRANA.DLL");
    h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
    h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
    g_answer.numbers = {u"0311112222"};
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Events", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
  EventHarness h_;
  HostAppDc appDc_{&host_};
  DWORD jobId_ = 0;
  // Runs before each event reaches the core (what the render core holds
  // then can be changed through its escapes).
  std::function<void(int code, SURFOBJ* surface)> beforeEvent_;
};

DriverDevMode WatermarkedA4() {
  DriverDevMode dm = A4DevMode();
  DocFields& f = Fields(dm.doc);
  f.bWmk = 1;
  std::memcpy(f.WmkInfo_szWmkStr, u"CONFIDENTIAL", 24);
  std::memcpy(f.WmkInfo_szFontName, u"DejaVu Sans", 22);
  f.WmkInfo_nStyle = 1;
  f.WmkInfo_wSize = 48;
  f.WmkInfo_wFrame = 3;  // a square frame
  SealDocDMode(&dm.doc);
  return dm;
}

TEST_F(FaxDocumentEvents, CoverPagesAndWatermarkReachTheJob) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222", u"0633334444"};
  g_answer.names = {u"Ada Lindqvist", u"Brian Osei"};
  g_answer.cover = true;
  g_answer.perDestination = true;
  const std::vector<Job> jobs = Print(2, WatermarkedA4());
  // One job per destination, each with its cover page first and the two
  // pages; each names only its own number, and the job identifier the
  // start of the document made.
  ASSERT_EQ(jobs.size(), 2u);
  for (size_t i = 0; i < jobs.size(); ++i) {
    const Job& j = jobs[i];
    ASSERT_TRUE(j.xl.ok) << j.xl.error;
    EXPECT_EQ(j.pages, 3) << i;
    const std::string mine = i == 0 ? "0311112222" : "0633334444";
    const std::string other = i == 0 ? "0633334444" : "0311112222";
    EXPECT_NE(j.pjl.find("\"" + mine + "\""), std::string::npos) << j.pjl;
    EXPECT_EQ(j.pjl.find(other), std::string::npos) << j.pjl;
    EXPECT_NE(j.pjl.find("@PJL SET DRIVERJOBID=\"" + std::string(LastJobIdentifier())), std::string::npos) << j.pjl;
    // What the events drew reached the job: the cover page names this
    // destination and the sender, without the watermark; the two pages
    // each hold the watermark text once, in its square frame.
    ASSERT_EQ(j.content.size(), 3u);
    const Page& cover = j.content[0];
    // The sample model's words of style 0, in the composer's order.
    const std::vector<std::string> coverTexts = {
        "Fax", "To: ", i == 0 ? "Ada Lindqvist" : "Brian Osei", "Fax number: ", mine,
        "From: ", "HALDOVAR", "Phone: ", "0299990000"};
    EXPECT_EQ(cover.texts, coverTexts);
    EXPECT_FALSE(cover.Has(other));
    for (size_t page = 1; page < 3; ++page) {
      const Page& p = j.content[page];
      EXPECT_EQ(p.texts, std::vector<std::string>{"CONFIDENTIAL"}) << i << " " << page;
      ASSERT_FALSE(p.fonts.empty());
      EXPECT_NE(p.fonts.back().find("DejaVu Sans"), std::string::npos) << p.fonts.back();
      // The frame: one painted outline with the pen width of 48 points at
      // 200 dots per inch (trunc(200 x 0.00167 x 48 + 0.5)).
      EXPECT_EQ(p.paintedPaths, 1) << i << " " << page;
      EXPECT_EQ(p.penWidths, std::vector<double>{16}) << i << " " << page;
    }
  }
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
  EXPECT_EQ(appDc_.played().images, 0);
  EXPECT_EQ(std::string(LastJobIdentifier()).substr(0, 6), "ACDE48");
  // Two cover pages stored; the watermark switched on and off on each page.
  EXPECT_EQ(Sent(kEscStorePage), 2);
  EXPECT_EQ(Sent(kEscSetUiDraw), 4);
  // The watermark text went to the application's DC on both pages.
  int watermarks = 0;
  for (const std::vector<uint8_t>& recording : appDc_.played().recordings) {
    for (const auto& t : testsupport::ParseEmf(recording).texts) watermarks += t.text == u"CONFIDENTIAL";
  }
  EXPECT_EQ(watermarks, 2);
}

// A watermark turned by 30 degrees in a circle, in a bold face: each page
// holds the text at that angle and the circle as one outline of 360
// segments.
TEST_F(FaxDocumentEvents, TurnedWatermarkInACircle) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  DriverDevMode dm = WatermarkedA4();
  DocFields& f = Fields(dm.doc);
  f.WmkInfo_nAngle = 30;
  f.WmkInfo_wFrame = 2;
  f.WmkInfo_nStyle = 3;
  SealDocDMode(&dm.doc);
  const std::vector<Job> jobs = Print(2, dm);
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].content.size(), 2u);
  for (const Page& p : jobs[0].content) {
    EXPECT_EQ(p.texts, std::vector<std::string>{"CONFIDENTIAL"});
    ASSERT_FALSE(p.charAngles.empty());
    EXPECT_EQ(p.charAngles.back(), 30.0);
    EXPECT_EQ(p.paintedPaths, 1);
    EXPECT_EQ(p.lineSegments, 360);
  }
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
}

// A picture of 8 x 4 pixels (24 bits, rows from the bottom) as a .BMP file.
bool WriteBitmapFile(const std::wstring& path) {
  std::vector<uint8_t> file(54 + 8 * 3 * 4, 0);
  const auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 8);
  put32(22, 4);
  file[26] = 1;
  file[28] = 24;
  for (size_t i = 54; i < file.size(); i += 3) file[i + 2] = 0xFF;  // red
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, file.data(), DWORD(file.size()), &written, nullptr) && written == file.size();
  CloseHandle(h);
  return ok;
}

// A transparent watermark's text is painted with the halftone pattern of
// the watermark colour, not with a solid colour that hides the page.
TEST_F(FaxDocumentEvents, TransparentWatermarkTextInItsHalftone) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  DriverDevMode dm = WatermarkedA4();
  Fields(dm.doc).WmkInfo_bBkGrnd = 1;
  Fields(dm.doc).WmkInfo_wFrame = 1;
  SealDocDMode(&dm.doc);
  const std::vector<Job> jobs = Print(1, dm);
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].content.size(), 1u);
  const Page& page = jobs[0].content[0];
  EXPECT_EQ(page.texts, std::vector<std::string>{"CONFIDENTIAL"});
  const std::vector<std::string>& ops = page.beforeText;
  std::string all;
  for (const std::string& op : ops) all += op + " ";
  EXPECT_NE(std::find(ops.begin(), ops.end(), "BeginRastPattern"), ops.end()) << all;
}

// The sample model with a solid watermark cell ("Watermark_DrawType" 2).
bool WriteSolidCellModel(const std::wstring& path) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string source = text.str();
  const std::string after = "  pair \"PPS_LVEditLines\" \"20\"\n";
  const size_t at = source.find(after);
  if (at == std::string::npos) return false;
  source.insert(at + after.size(), "  pair \"Watermark_DrawType\" \"TYPE2\"\n");
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  if (!qxd::ParseText(source, &doc, &error) || !qxd::Build(doc, &bytes, &error)) return false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// On a model whose watermark cell is solid, the transparent watermark's
// text is painted with raster operation 0xA8.
TEST_F(FaxDocumentEvents, TransparentWatermarkOnASolidCellModel) {
  host_.Unload();
  ASSERT_TRUE(WriteSolidCellModel(dir_.Path(L"VELDRANH.QXD")));
  ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  DriverDevMode dm = WatermarkedA4();
  Fields(dm.doc).WmkInfo_bBkGrnd = 1;
  Fields(dm.doc).WmkInfo_wFrame = 1;
  SealDocDMode(&dm.doc);
  const std::vector<Job> jobs = Print(1, dm);
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].content.size(), 1u);
  const Page& page = jobs[0].content[0];
  EXPECT_EQ(page.texts, std::vector<std::string>{"CONFIDENTIAL"});
  ASSERT_FALSE(page.rops.empty());
  EXPECT_EQ(page.rops.back(), 0xA8);
}

// A watermark for the first page only is on the first page and on no other.
TEST_F(FaxDocumentEvents, WatermarkOnTheFirstPageOnly) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  DriverDevMode dm = WatermarkedA4();
  Fields(dm.doc).WmkInfo_bFstPg = 1;
  SealDocDMode(&dm.doc);
  const std::vector<Job> jobs = Print(3, dm);
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].content.size(), 3u);
  EXPECT_EQ(jobs[0].content[0].texts, std::vector<std::string>{"CONFIDENTIAL"});
  EXPECT_TRUE(jobs[0].content[1].texts.empty());
  EXPECT_TRUE(jobs[0].content[2].texts.empty());
}

template <size_t N>
void SetText(char16_t (&field)[N], const std::u16string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), std::min(text.size(), N) * sizeof(char16_t));
}

int64_t ItemNumber(const qxd::Item& item, const std::string& name) {
  for (const qxd::FieldValue& v : item.fields) {
    if (v.name == name) return v.number;
  }
  return 0;
}
std::string ItemText(const qxd::Item& item, const std::string& name) {
  for (const qxd::FieldValue& v : item.fields) {
    if (v.name == name) return v.text;
  }
  return std::string();
}

// Each watermark the sample model ships, as the watermark sheet puts it
// into the settings, is on every page of a fax (on the first alone when it
// says so), repeated over the page when it says so; in a face of the
// computer's own where the test's computer lacks the model's.
TEST_F(FaxDocumentEvents, EveryWatermarkOfTheSampleModelReachesItsPages) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"), std::ios::binary);
  std::stringstream source;
  source << in.rdbuf();
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText(source.str(), &doc, &error)) << error;
  const qxd::Section* marks = nullptr;
  for (const qxd::Section& section : doc.sections) {
    if (section.name == "Watermark") marks = &section;
  }
  ASSERT_NE(marks, nullptr);
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  int tried = 0;
  for (const qxd::Item& item : marks->items) {
    if (item.key == "WM_None") continue;
    SCOPED_TRACE(item.key);
    ++tried;
    DriverDevMode dm = A4DevMode();
    DocFields& f = Fields(dm.doc);
    f.bWmk = 1;
    const std::string printed = ItemText(item, "printed");
    SetText(f.WmkInfo_szWmkTitle, qxd::Utf8ToUtf16(ItemText(item, "title")));
    SetText(f.WmkInfo_szWmkStr, qxd::Utf8ToUtf16(printed));
    SetText(f.WmkInfo_szFontName, qxd::Utf8ToUtf16(ItemText(item, "face")));
    f.WmkInfo_nStyle = static_cast<int16_t>(ItemNumber(item, "style"));
    f.WmkInfo_wSize = static_cast<uint16_t>(ItemNumber(item, "size"));
    f.WmkInfo_crColor = 0x808080;  // the model has no colour
    f.WmkInfo_nAngle = static_cast<int16_t>(ItemNumber(item, "angle"));
    f.WmkInfo_ptWmkPos_x = static_cast<uint32_t>(ItemNumber(item, "x"));
    f.WmkInfo_ptWmkPos_y = static_cast<uint32_t>(ItemNumber(item, "y"));
    f.WmkInfo_wFrame = static_cast<uint16_t>(ItemNumber(item, "frame"));
    f.WmkInfo_bBkGrnd = static_cast<uint8_t>(ItemNumber(item, "transparent"));
    f.WmkInfo_bFstPg = static_cast<uint8_t>(ItemNumber(item, "firstPage"));
    f.WmkInfo_bMultiStamp = static_cast<uint8_t>(ItemNumber(item, "repeat"));
    SealDocDMode(&dm.doc);
    const std::vector<Job> jobs = Print(2, dm);
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
    ASSERT_EQ(jobs[0].content.size(), 2u);
    for (size_t page = 0; page < 2; ++page) {
      const std::vector<std::string>& texts = jobs[0].content[page].texts;
      const size_t found = static_cast<size_t>(std::count(texts.begin(), texts.end(), printed));
      if (page == 1 && f.WmkInfo_bFstPg != 0) {
        EXPECT_EQ(found, 0u) << "first page only";
      } else if (f.WmkInfo_bMultiStamp != 0) {
        EXPECT_GT(found, 1u) << page;
      } else {
        EXPECT_EQ(found, 1u) << page;
      }
    }
  }
  EXPECT_GE(tried, 6);
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
}

// The tab-paper text of a per-page list entry for page 2: captured while
// page 2 ends, and printed once, on the tab sheet after page 2.
TEST_F(FaxDocumentEvents, TabTextOfItsPageOnItsTabSheet) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  InterSheetEntry entry{};
  SetText(entry.pages, u"2");
  entry.tabPaper = 1;
  SetText(entry.caption, u"Alpha\r\nBeta");
  entry.orientation = 1;
  entry.vertPos = 1;
  entry.horzPos = 1;
  SetText(entry.fontFace, u"DejaVu Sans");
  entry.fontSize = 12;
  const TabSettings tab{0, 2230, 2970, 2100, 5, 10, 10, 2, 3};
  SetMakerName(L"HALDOVAR");
  wchar_t driver[260];
  ASSERT_TRUE(QueryDriverName(printer_.handle(), driver, nullptr));
  HKEY key = OpenInterSheetListKey(printer_.name().c_str(), driver, 3);
  SetMakerName(nullptr);
  ASSERT_NE(key, nullptr);
  const DWORD count = 1;
  RegSetValueExW(key, L"ISPageListNum", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&count), 4);
  RegSetValueExW(key, L"ISPageListData1", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&entry), sizeof entry);
  RegSetValueExW(key, L"TabSettingData", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&tab), sizeof tab);
  RegCloseKey(key);
  struct RemoveList {
    ~RemoveList() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HALDOVAR"); }
  } removeList;
  // One-sided and two-sided: the page the core looks the entry up for is
  // the same.
  for (uint8_t sides : {1, 2}) {
    SCOPED_TRACE(int(sides));
    DriverDevMode dm = A4DevMode();
    DocFields& f = Fields(dm.doc);
    f.CoverMFP_bUsePerPageSet = 1;
    f.CoverMFP_nPerPageList = 3;
    f.nOrientation = 1;
    SetDocByte(&dm.doc, kDocDoubleSidesAt, sides);
    SealDocDMode(&dm.doc);
    const std::vector<Job> jobs = Print(3, dm);
    ASSERT_EQ(jobs.size(), 1u);
    const std::vector<Page>& pages = jobs[0].content;
    ASSERT_EQ(pages.size(), 4u);
    const std::vector<std::string> tabText = {"Alpha", "Beta"};
    EXPECT_TRUE(pages[0].streamTexts.empty());
    EXPECT_EQ(pages[1].streamTexts, tabText);
    EXPECT_EQ(pages[2].execStreams, 1) << "the tab sheet";
    EXPECT_TRUE(pages[3].streamTexts.empty());
    int sheets = 0;
    for (const Page& p : pages) sheets += p.execStreams;
    EXPECT_EQ(sheets, 1);
  }
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
}

// A list saved as the editor saves it: the tab sheet inserted at page 2
// carries its caption, and the job's header carries one per-page set for each of
// its entries.
TEST_F(FaxDocumentEvents, SavedPerPageListSendsItsSetsAndItsTabSheet) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  InterSheetEntry entries[2] = {};
  SetText(entries[0].pages, u"2");
  entries[0].printType = 0;  // a tab sheet of its own
  entries[0].paperSource = 32767;
  entries[0].staple = 255;
  entries[0].punch = 255;
  entries[0].tabPaper = 1;
  SetText(entries[0].caption, u"Results");
  entries[0].vertPos = 1;
  entries[0].horzPos = 1;
  SetText(entries[0].fontFace, u"DejaVu Sans");
  entries[0].fontSize = 12;
  entries[1] = entries[0];
  SetText(entries[1].pages, u"3");
  entries[1].printType = 2;
  entries[1].tabPaper = 0;
  std::memset(entries[1].caption, 0, sizeof entries[1].caption);
  InterSheetList list = {};
  SetText(list.name, u"Chapters");
  list.count = 2;
  list.entries = entries;
  list.tab = {9, 2230, 2970, 2100, 5, 34, 34, 10, 0};
  SetMakerName(L"HALDOVAR");
  wchar_t driver[260];
  ASSERT_TRUE(QueryDriverName(printer_.handle(), driver, nullptr));
  ASSERT_TRUE(SaveInterSheetList(printer_.name().c_str(), driver, 4, &list));
  SetMakerName(nullptr);
  struct RemoveList {
    ~RemoveList() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\HALDOVAR"); }
  } removeList;
  DriverDevMode dm = A4DevMode();
  DocFields& f = Fields(dm.doc);
  f.CoverMFP_bUsePerPageSet = 1;
  f.CoverMFP_nPerPageList = 4;
  f.nOrientation = 1;
  SealDocDMode(&dm.doc);
  const std::vector<Job> jobs = Print(3, dm);
  ASSERT_EQ(jobs.size(), 1u);
  const std::string& pjl = jobs[0].pjl;
  size_t sets = 0;
  for (size_t at = pjl.find("@PJL SET PAGESET"); at != std::string::npos; at = pjl.find("@PJL SET PAGESET", at + 1)) ++sets;
  EXPECT_EQ(sets, 2u) << pjl;
  const std::vector<Page>& pages = jobs[0].content;
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[1].streamTexts, std::vector<std::string>{"Results"});
  int sheets = 0;
  for (const Page& p : pages) sheets += p.execStreams;
  EXPECT_EQ(sheets, 1) << "one tab sheet";
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
}

// The cover sheet's image reaches the cover page, and only it.
TEST_F(FaxDocumentEvents, CoverImageOnTheCoverPage) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  g_answer.cover = true;
  g_answer.image = dir_.Path(L"stamp.bmp");
  ASSERT_TRUE(WriteBitmapFile(g_answer.image));
  const std::vector<Job> jobs = Print(1, A4DevMode());
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].content.size(), 2u);
  EXPECT_EQ(jobs[0].content[0].images, 1);
  EXPECT_TRUE(jobs[0].content[0].Has("HALDOVAR"));
  EXPECT_EQ(jobs[0].content[1].images, 0);
  EXPECT_EQ(appDc_.played().images, 1);
  EXPECT_TRUE(appDc_.played().failures.empty()) << Failures();
  DeleteFileW(g_answer.image.c_str());
}

TEST_F(FaxDocumentEvents, CancelledDestinationsPrintNothing) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222"};
  g_answer.result = 2;
  const std::vector<Job> jobs = Print(1, A4DevMode());
  EXPECT_TRUE(jobs.empty());
  ASSERT_EQ(h_.cancelledJobs.size(), 1u) << "the drop check cancels the spooler's job";
  EXPECT_EQ(h_.cancelledJobs[0].second, jobId_);
}

// A job that is not spooled as a metafile: GDI hands every escape of the
// application's DC to the render core at once, in order with the queries
// (the user interface core reads the job record back after it has sent the
// stored credentials).  Authentication needs such jobs.
struct RawSpooling {
  DdiHost* host = nullptr;
  SURFOBJ* surface = nullptr;
};
int RawEscape(void* ctx, int code, int inSize, const void* in, int outSize, void* out) {
  auto* raw = static_cast<RawSpooling*>(ctx);
  return static_cast<int>(raw->host->Escape(raw->surface, static_cast<ULONG>(code), static_cast<ULONG>(inSize), in,
                                            static_cast<ULONG>(outSize), out));
}

// The real destination dialog of the procedure library, answered by the
// test: the job's header names the numbers chosen.
TEST_F(FaxDocumentEvents, DestinationDialogAnswersNameTheJobsNumbers) {
  h_.libraries[L"VELDRANA.DLL"] = testsupport::Widen(testsupport::BinaryPath("bin/VELDRANA.DLL"));
  testsupport::ModalDialogDriver driver;
  driver.Then(
      [](HWND d) {
        SetDlgItemTextW(d, 2053, L"0455556666");
        PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
        SetTimer(d, 77, 50, AddSecondNumber);
      },
      testsupport::ModalDialogDriver::WithControl(2053));
  const std::vector<Job> jobs = Print(1, A4DevMode());
  EXPECT_EQ(driver.Driven(), 1) << "the dialog was shown and answered";
  EXPECT_EQ(driver.Ended(), 0);
  ASSERT_FALSE(jobs.empty());
  std::string headers;
  for (const Job& j : jobs) headers += j.pjl;
  EXPECT_NE(headers.find("0455556666"), std::string::npos) << headers;
  EXPECT_NE(headers.find("0577778888"), std::string::npos) << headers;
  EXPECT_EQ(Sent(kEscFaxCancelled), 0);
}

// The device option record of a printer with user authentication by the
// device and account tracking on, whose jobs open the authentication popup
// without asking the device first: the record the render core holds is
// changed as the printer's Configure sheet would have stored it.
void OpenAuthenticationPopup(DdiHost& host, SURFOBJ* surface) {
  std::vector<uint8_t> record(kJobRecordSize);
  ASSERT_NE(host.Escape(surface, kEscGetJobData, 0, nullptr, kJobRecordSize, record.data()), 0u);
  DevOption option;
  std::memcpy(&option, record.data() + kJobRecordDevOptionAt, sizeof option);
  const auto select = [&](const char* name, const char* value) {
    for (const DeviceOptionItem* row = CoreDescription().deviceOptions; row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, name) != 0) continue;
      for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
        if (std::strcmp(row->values[i].keyword, value) == 0) option.optionValues[row->optionIndex] = i;
      }
    }
  };
  select("DevUserAuthentication", "DevUserAuthentic_Engin");
  select("DevAccountTrack", "DevAccountTrack_Ena");
  option.popupAuthenticDlg = 1;
  // No device is asked: no verification, no automatic acquisition, and an
  // address where no device answers.
  option.verifyAuthentic = 0;
  option.autoAcquisition = 0;
  option.destCustomize = 2;
  std::memset(option.deviceAddress, 0, sizeof option.deviceAddress);
  std::memcpy(option.deviceAddress, u"192.0.2.9", 18);
  EXPECT_NE(host.Escape(surface, kEscSetDevOption, sizeof option, &option, 0, nullptr), 0u);
}

// A fax job to a printer with user authentication on, through the real
// procedure library: the user's store (as the sheets left it) fills the
// popup at the start of the job, the user types the passwords, and the
// job's header carries the named user and the department with their
// passwords enciphered.  The job is not spooled as a metafile (an
// authenticated job never is), so the core's read of the job record after
// it sent the stored credentials sees them.  One popup only: the modal
// driver's watchdog ends any further window, and no device is waited for.
TEST_F(FaxDocumentEvents, UserAuthenticationPopupGivesTheJobItsCredentials) {
  ASSERT_NO_FATAL_FAILURE(InstallProcedureLibrary());
  DocDMode stored = A4DevMode().doc;
  DocFields& s = Fields(stored);
  s.byUserType = 1;
  std::memcpy(s.szAuthUserName, u"alice", 10);
  s.wAuthUserPassLen = 0;
  std::memcpy(s.szDeptName, "1234", 5);
  s.wDeptPassLen = 0;
  s.nServerSetting = 1;
  ASSERT_TRUE(SaveAuthenticationReg(printer_.handle(), &stored));
  RawSpooling raw{&host_, nullptr};
  h_.forward = RawEscape;
  h_.forwardCtx = &raw;
  beforeEvent_ = [&](int code, SURFOBJ* surface) {
    raw.surface = surface;
    if (code == DOCUMENTEVENT_STARTDOC) OpenAuthenticationPopup(host_, surface);
  };
  testsupport::ModalDialogDriver::Options quick;
  quick.watchdogMs = 10000;
  testsupport::ModalDialogDriver driver(quick);
  std::wstring shownName, shownDept;
  driver.Then(
      [&](HWND d) {
        wchar_t text[96] = {};
        GetDlgItemTextW(d, 1874, text, 96);
        shownName = text;
        GetDlgItemTextW(d, 1870, text, 96);
        shownDept = text;
        SetDlgItemTextW(d, 2028, L"pa55");
        SetDlgItemTextW(d, 2029, L"77");
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      },
      testsupport::ModalDialogDriver::WithControl(2028));
  const std::vector<Job> jobs = Print(1, A4DevMode());
  EXPECT_EQ(driver.Driven(), 1) << "the popup was shown and answered";
  EXPECT_EQ(driver.Ended(), 0) << "no window was left for the watchdog";
  EXPECT_EQ(shownName, L"alice") << "the store fills the popup";
  EXPECT_EQ(shownDept, L"1234");
  ASSERT_EQ(jobs.size(), 1u);
  const std::string& pjl = jobs[0].pjl;
  EXPECT_NE(pjl.find("@PJL SET USERAUTH=ON\r\n"), std::string::npos) << pjl;
  EXPECT_NE(pjl.find("@PJL SET AUTHUSER=\"alice\"\r\n"), std::string::npos) << pjl;
  EXPECT_NE(pjl.find("@PJL SET ACCOUNT=\"1234\"\r\n"), std::string::npos) << pjl;
  const size_t pass = pjl.find("@PJL SET AUTHPASS=\"");
  ASSERT_NE(pass, std::string::npos) << pjl;
  const std::string enciphered = pjl.substr(pass + 19, pjl.find('"', pass + 19) - pass - 19);
  // The sample model's AES method, as the header's golden test checked it
  // with OpenSSL: "pa55" gives this block.
  EXPECT_EQ(enciphered, "D8558B7EDB3E4081FEDBCEAFDFD444B8");
  EXPECT_NE(pjl.find("@PJL SET ACCOUNTPASS=\""), std::string::npos) << pjl;
  EXPECT_EQ(Sent(kEscAuthResult), 0) << "the job is not dropped";
}

// The same printer with its users signed in through a relay server: the
// job's start asks the device (the scripted open-API library beside the
// procedure library), which names the relay server and hands over its
// entries; the relay-server dialog shows them without owner, and the job
// goes on as the named user the answers make.
TEST_F(FaxDocumentEvents, RelayServerSignInLetsTheJobGoOn) {
  ASSERT_NO_FATAL_FAILURE(InstallProcedureLibrary());
  ASSERT_TRUE(dir_.Copy("bin/standin_oapi/complete/VELDRANV.DLL", L"VELDRANV.DLL"));
  // The relay server's one entry: a required employee number.
  auto setting = std::make_unique<MiddleServerSetting>();
  std::memcpy(setting->head, "HEAD", 4);
  setting->itemCount = 1;
  MiddleServerItem& item = setting->items[0];
  item.kind = 1;
  item.input = 3;
  std::memcpy(item.label, "Employee number", 15);
  std::memcpy(item.key, "emp", 3);
  reinterpret_cast<uint8_t*>(&item)[492] = 1;  // a plain edit box
  const std::wstring settingFile = dir_.Path(L"relay.bin");
  const std::wstring script = dir_.Path(L"relay.txt"), log = dir_.Path(L"relay.log");
  {
    std::ofstream(std::string(settingFile.begin(), settingFile.end()), std::ios::binary).write(reinterpret_cast<const char*>(setting.get()), sizeof *setting);
    std::ofstream(std::string(script.begin(), script.end())) << "config 0 631 3 0\nauth MiddleServer\nnumber 5\nmiddle 0 "
                          << std::string(settingFile.begin(), settingFile.end()) << "\n";
  }
  SetEnvironmentVariableW(L"OAPI_SCRIPT", script.c_str());
  SetEnvironmentVariableW(L"OAPI_LOG", log.c_str());
  RawSpooling raw{&host_, nullptr};
  h_.forward = RawEscape;
  h_.forwardCtx = &raw;
  beforeEvent_ = [&](int code, SURFOBJ* surface) {
    raw.surface = surface;
    if (code != DOCUMENTEVENT_STARTDOC) return;
    std::vector<uint8_t> record(kJobRecordSize);
    ASSERT_NE(host_.Escape(surface, kEscGetJobData, 0, nullptr, kJobRecordSize, record.data()), 0u);
    DevOption option;
    std::memcpy(&option, record.data() + kJobRecordDevOptionAt, sizeof option);
    for (const DeviceOptionItem* row = CoreDescription().deviceOptions; row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, "DevUserAuthentication") != 0) continue;
      for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
        if (std::strcmp(row->values[i].keyword, "DevUserAuthentic_InterSV") == 0) {
          option.optionValues[row->optionIndex] = i;
        }
      }
    }
    option.popupAuthenticDlg = 1;
    option.verifyAuthentic = 0;
    option.destCustomize = 2;
    std::memset(option.deviceAddress, 0, sizeof option.deviceAddress);
    std::memcpy(option.deviceAddress, u"192.0.2.9", 18);
    EXPECT_NE(host_.Escape(surface, kEscSetDevOption, sizeof option, &option, 0, nullptr), 0u);
  };
  testsupport::ModalDialogDriver::Options quick;
  quick.watchdogMs = 10000;
  testsupport::ModalDialogDriver driver(quick);
  std::wstring label;
  driver.Then(
      [&](HWND d) {
        wchar_t text[96] = {};
        GetDlgItemTextW(d, 1000, text, 96);
        label = text;
        SetDlgItemTextW(d, 1500, L"4711");
        CheckDlgButton(d, 999, BST_UNCHECKED);  // not as a Public user
        SendMessageW(d, WM_COMMAND, MAKEWPARAM(999, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, 999)));
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      },
      testsupport::ModalDialogDriver::WithControl(1500));
  const std::vector<Job> jobs = Print(1, A4DevMode());
  SetEnvironmentVariableW(L"OAPI_SCRIPT", nullptr);
  SetEnvironmentVariableW(L"OAPI_LOG", nullptr);
  EXPECT_EQ(driver.Driven(), 1) << "the relay-server dialog was shown and answered";
  EXPECT_EQ(driver.Ended(), 0);
  EXPECT_EQ(label, L"Employee number *");
  std::ifstream calls(std::string(log.begin(), log.end()));
  const std::string called((std::istreambuf_iterator<char>(calls)), std::istreambuf_iterator<char>());
  EXPECT_NE(called.find("OAPIGetMiddleServerSetting"), std::string::npos) << called;
  ASSERT_EQ(jobs.size(), 1u) << "the job is not dropped";
  const std::string& pjl = jobs[0].pjl;
  EXPECT_NE(pjl.find("@PJL SET USERAUTH=ON\r\n"), std::string::npos) << pjl;
  EXPECT_EQ(pjl.find("AUTHUSER"), std::string::npos) << "a relay server names no user in the job" << pjl;
  EXPECT_EQ(Sent(kEscAuthResult), 0);
}

}  // namespace
