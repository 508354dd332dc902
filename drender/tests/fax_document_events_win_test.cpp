// Whole fax jobs with the user interface core's document events: the test
// host plays GDI for the render core, the core's events run in this program
// on the host's side, and their escapes go to the render core.  What reaches
// the spooler is read back and checked with the independent dissector.
#include <gtest/gtest.h>
#include <windows.h>
#include <winddiui.h>
#include <winspool.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/fax_dialogs_win.h"
#include "common/contracts/private_escapes.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/settings_checksum.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "duicore/events/document_events_win.h"
#include "duicore/tests/event_harness_win.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

namespace {

using eventtest::EventHarness;
using eventtest::Proc;

constexpr char kJobStart[] = "\x1B%-12345X@PJL JOB\r\n";

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  uint8_t buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(file);
  return bytes;
}

struct Job {
  std::string pjl;
  xl::Dissection xl;
  int pages = 0;
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
    for (const xl::Operator& op : job.xl.ops) job.pages += op.name == "BeginPage";
    jobs.push_back(job);
    at = next;
  }
  return jobs;
}

// The destination dialog as the test answers it in the scripted library.
struct Destinations {
  std::vector<std::u16string> numbers;
  bool cover = false;
  bool perDestination = false;
  int result = 1;
} g_answer;

int WINAPI ScriptedPopup(FaxSendToArgs* args) {
  *args->pdwRecipientCount = static_cast<uint32_t>(g_answer.numbers.size());
  for (size_t i = 0; i < g_answer.numbers.size(); ++i) {
    std::memcpy(args->pRecipients[i].szFaxNumber, g_answer.numbers[i].c_str(), g_answer.numbers[i].size() * 2);
  }
  args->pFaxSetting->fgFaxCoverSheet = g_answer.cover ? 1 : 0;
  auto* cover = reinterpret_cast<FaxCoverSheetData*>(args->pCoverSheet);
  cover->sCoverSize = 1;
  cover->recipient.byRecipientMode = 1;
  cover->recipient.byRecipientSetting = g_answer.perDestination ? 1 : 0;
  return g_answer.result;
}

void WINAPI ScriptedCompanyName(wchar_t* out, int capacity) { lstrcpynW(out, L"HALDOVAR", capacity); }

// Forwards the core's escapes to the render core's surface of the moment.
struct Forward {
  DdiHost* host = nullptr;
  SURFOBJ* surface = nullptr;
};

int ForwardEscape(void* ctx, int code, int inSize, const void* in, int outSize, void* out) {
  auto* f = static_cast<Forward*>(ctx);
  return static_cast<int>(f->host->Escape(f->surface, static_cast<ULONG>(code), static_cast<ULONG>(inSize), in,
                                          static_cast<ULONG>(outSize), out));
}

// The answer of the real destination dialog: the numbers typed and added,
// then OK.  A thread timer looks for the dialog (the modal loop dispatches
// it), so the answer does not wait for the dialog to become active.
std::function<void(HWND)> g_drive;
BOOL CALLBACK FindDestinationDialog(HWND window, LPARAM found) {
  if (GetDlgItem(window, 2053) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}
void CALLBACK DriveWhenShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDestinationDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || !g_drive) return;
  KillTimer(nullptr, id);
  auto drive = std::move(g_drive);
  g_drive = nullptr;
  drive(dialog);
}

void CALLBACK AddSecondNumber(HWND d, UINT, UINT_PTR id, DWORD) {
  KillTimer(d, id);
  SetDlgItemTextW(d, 2053, L"0577778888");
  SendMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class FaxDocumentEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"job.prn");
    forward_.host = &host_;
    h_.forward = ForwardEscape;
    h_.forwardCtx = &forward_;
    HDC screen = GetDC(nullptr);
    dc_ = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    g_answer = Destinations{};
  }
  void TearDown() override {
    if (dc_ != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    host_.Unload();
  }
  // A job of `pages` pages with the core's events; the jobs in the file.
  std::vector<Job> Print(int pages, DriverDevMode dm) {
    DdiHost::FaxJob job;
    job.pages = pages;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.events = [&](int code, SURFOBJ* surface, DWORD jobId) {
      forward_.surface = surface;
      return DrvDocumentEvent(printer_.handle(), dc_, code, sizeof jobId, &jobId, 0, nullptr);
    };
    const DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    jobId_ = result.jobId;
    std::vector<uint8_t> bytes = ReadFileBytes(output_);
    DeleteFileW(output_.c_str());
    return SplitJobs(bytes);
  }
  int Sent(uint32_t code) const {
    int n = 0;
    for (const auto& e : h_.escapes) n += e.code == code;
    return n;
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Events", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
  EventHarness h_;
  Forward forward_;
  HDC dc_ = nullptr;
  DWORD jobId_ = 0;
};

DriverDevMode WatermarkedA4() {
  DriverDevMode dm = A4DevMode();
  DocFields& f = Fields(dm.doc);
  f.bWmk = 1;
  std::memcpy(f.WmkInfo_szWmkStr, u"CONFIDENTIAL", 24);
  std::memcpy(f.WmkInfo_szFontName, u"DejaVu Sans", 22);
  f.WmkInfo_nStyle = 1;
  f.WmkInfo_wSize = 48;
  f.WmkInfo_wFrame = 1;
  SealDocDMode(&dm.doc);
  return dm;
}

TEST_F(FaxDocumentEvents, CoverPagesAndWatermarkReachTheJob) {
  h_.libraries[L"VELDRANA.DLL"] = L"";
  h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
  h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
  g_answer.numbers = {u"0311112222", u"0633334444"};
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
  }
  EXPECT_EQ(std::string(LastJobIdentifier()).substr(0, 6), "ACDE48");
  // Two cover pages stored; the watermark switched on and off on each page.
  EXPECT_EQ(Sent(kEscStorePage), 2);
  EXPECT_EQ(Sent(kEscSetUiDraw), 4);
  // The watermark text went to the application's DC on both pages.
  HENHMETAFILE emf = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  const eventtest::EmfContent drawn = eventtest::DecodeEmf(emf);
  DeleteEnhMetaFile(emf);
  int watermarks = 0;
  for (const auto& t : drawn.texts) watermarks += t.text == L"CONFIDENTIAL";
  EXPECT_EQ(watermarks, 2);
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

// The real destination dialog of the procedure library, answered by the
// test: the job's header names the numbers chosen.
TEST_F(FaxDocumentEvents, DestinationDialogAnswersNameTheJobsNumbers) {
  h_.libraries[L"VELDRANA.DLL"] = testsupport::Widen(testsupport::BinaryPath("bin/VELDRANA.DLL"));
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveWhenShown);
  g_drive = [](HWND d) {
    SetDlgItemTextW(d, 2053, L"0455556666");
    PostMessageW(GetDlgItem(d, 2041), BM_CLICK, 0, 0);
    // The second number after the first was added.
    SetTimer(d, 77, 50, AddSecondNumber);
  };
  const std::vector<Job> jobs = Print(1, A4DevMode());
  KillTimer(nullptr, timer);
  EXPECT_FALSE(g_drive) << "the dialog was shown and answered";
  ASSERT_FALSE(jobs.empty());
  std::string headers;
  for (const Job& j : jobs) headers += j.pjl;
  EXPECT_NE(headers.find("0455556666"), std::string::npos) << headers;
  EXPECT_NE(headers.find("0577778888"), std::string::npos) << headers;
  EXPECT_EQ(Sent(kEscFaxCancelled), 0);
}

}  // namespace
