// Whole fax jobs through the test host and a test printer on the FILE:
// port: what reaches the spooler is read back from the job's file and
// checked with the independent PCL XL dissector.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/records/auth_reg_record.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/job_record.h"
#include "common/records/overlay_form_file.h"
#include "common/records/settings_checksum.h"
#include "common/win/user_registry.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/render_pdev.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "drender/text/text_engine.h"
#include "dproc/overlay/form_store_win.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/ddi_host/ddi_host_text.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"
#include "tools/qxd/qxd_document.h"

namespace {

constexpr char kJobStart[] = "\x1B%-12345X@PJL JOB\r\n";
constexpr char kTrailer[] = "\x1B%-12345X@PJL EOJ\r\n\x1B%-12345X";

// Destinations "5550100", "5550101", ...; with `perRecipient` a cover
// sheet of its own for each.
std::unique_ptr<FaxSendBlock> FaxBlock(uint16_t destinations, bool cover, bool perRecipient) {
  std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
  std::memset(fax.get(), 0, sizeof(FaxSendBlock));
  fax->wRecipientCount = destinations;
  for (uint16_t i = 0; i < destinations && i < kFaxMaxRecipients; ++i) {
    const std::u16string number = u"55501" + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10);
    std::memcpy(fax->recipients[i].szFaxNumber, number.data(), number.size() * 2);
  }
  fax->faxSetting.fgFaxCoverSheet = cover ? 1 : 0;
  if (perRecipient) {
    fax->coverSheet[kFaxCoverRecipientModeAt] = 1;
    fax->coverSheet[kFaxCoverRecipientSettingAt] = 1;
  }
  return fax;
}

// One PJL job of the output: its header text, its dissected stream and
// the text after the stream.
struct Job {
  std::string pjl;
  xl::Dissection xl;
};

std::vector<Job> SplitJobs(const std::vector<uint8_t>& bytes) {
  const std::string all(bytes.begin(), bytes.end());
  std::vector<Job> jobs;
  size_t at = all.find(kJobStart);
  while (at != std::string::npos) {
    size_t next = all.find(kJobStart, at + 1);
    const std::string part = all.substr(at, next == std::string::npos ? std::string::npos : next - at);
    Job job;
    xl::Options options;
    options.skipToHeader = true;
    job.xl = xl::Dissect(reinterpret_cast<const uint8_t*>(part.data()), part.size(), options);
    job.pjl = job.xl.prefix;
    jobs.push_back(job);
    at = next;
  }
  return jobs;
}

// The page operators of a job: for each page, its BeginPage and what lies
// up to its EndPage.
std::vector<std::vector<const xl::Operator*>> Pages(const xl::Dissection& d) { return d.Pages(); }

class FaxJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"job.prn");
    // The job's temporary page files go to this test's own folder, so that
    // test programs running side by side never count each other's files.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    savedTemp_ = temp;
    SetEnvironmentVariableW(L"TMP", dir_.Path(L"").c_str());
    SetEnvironmentVariableW(L"TEMP", dir_.Path(L"").c_str());
    tempFilesBefore_ = TempPageFiles();
  }
  void TearDown() override {
    host_.Unload();
    // No temporary page file outlives its job.
    EXPECT_EQ(TempPageFiles(), tempFilesBefore_);
    SetEnvironmentVariableW(L"TMP", savedTemp_.c_str());
    SetEnvironmentVariableW(L"TEMP", savedTemp_.c_str());
  }
  static int TempPageFiles() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((std::wstring(temp) + L"kp*.tmp").c_str(), &found);
    int n = 0;
    if (find != INVALID_HANDLE_VALUE) {
      do ++n;
      while (FindNextFileW(find, &found));
      FindClose(find);
    }
    return n;
  }
  std::vector<uint8_t> Run(DdiHost::FaxJob job, DriverDevMode dm = A4DevMode()) {
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    std::vector<uint8_t> bytes = ReadFileBytes(output_);
    DeleteFileW(output_.c_str());
    return bytes;
  }
  // A page marked by its page origin: SetPageOrigin (x, y) through the
  // page-origin escape.
  std::function<void(SURFOBJ*, int)> Mark(int16_t y) {
    return [this, y](SURFOBJ* surface, int index) {
      const int16_t origin[2] = {static_cast<int16_t>(index + 1), y};
      EXPECT_EQ(host_.Escape(surface, 0x20009, sizeof origin, origin, 0, nullptr), 1u);
    };
  }

  // A job of two marked pages with a ResetDC between them, as GDI plays it:
  // a new PDEV with `after` takes the job over, the old one and its surface
  // go, the new surface comes.  `atStart` runs on the first surface after
  // the document start.  The jobs the spooler received; none when a step
  // failed.
  std::vector<Job> RunWithReset(DriverDevMode before, DriverDevMode after,
                                const std::function<void(SURFOBJ*)>& atStart = {}) {
    auto startDoc = host_.Get<PFN_DrvStartDoc>(INDEX_DrvStartDoc);
    auto startPage = host_.Get<PFN_DrvStartPage>(INDEX_DrvStartPage);
    auto sendPage = host_.Get<PFN_DrvSendPage>(INDEX_DrvSendPage);
    auto endDoc = host_.Get<PFN_DrvEndDoc>(INDEX_DrvEndDoc);
    const wchar_t* printer = printer_.name().c_str();
    DHPDEV first = host_.EnablePdev(printer_.handle(), printer, reinterpret_cast<DEVMODEW*>(&before), 0, nullptr, 0,
                                    nullptr);
    SURFOBJ* a = first ? host_.EnableSurface(first) : nullptr;
    const DWORD id = a ? DdiHost::StartSpoolerJob(printer_.handle(), L"Reset job", output_.c_str()) : 0;
    wchar_t name[] = L"Reset job";
    if (id == 0 || !startDoc(a, name, id)) {
      ADD_FAILURE() << "the job did not start";
      return {};
    }
    if (atStart) atStart(a);
    EXPECT_TRUE(startPage(a));
    Mark(100)(a, 0);
    EXPECT_TRUE(sendPage(a));
    DHPDEV second = host_.EnablePdev(printer_.handle(), printer, reinterpret_cast<DEVMODEW*>(&after), 0, nullptr, 0,
                                     nullptr);
    if (second == nullptr) {
      ADD_FAILURE() << "no second PDEV";
      return {};
    }
    EXPECT_TRUE(host_.ResetPdev(first, second));
    host_.DisableSurface(first);
    host_.DisablePdev(first);
    SURFOBJ* b = host_.EnableSurface(second);
    if (b == nullptr) {
      ADD_FAILURE() << "no second surface";
      return {};
    }
    EXPECT_TRUE(startPage(b));
    Mark(100)(b, 1);
    EXPECT_TRUE(sendPage(b));
    EXPECT_TRUE(endDoc(b, 0));
    EXPECT_TRUE(DdiHost::EndSpoolerJob(printer_.handle()));
    host_.DisableSurface(second);
    host_.DisablePdev(second);
    const std::vector<Job> jobs = SplitJobs(ReadFileBytes(output_));
    DeleteFileW(output_.c_str());
    return jobs;
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Job", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
  int tempFilesBefore_ = 0;
  std::wstring savedTemp_;
};

// The mark the test drew on a page: the origin (x = index + 1, y = 100 for
// a page, 200 for a cover page), or (0, 0).  The origin a cover page's
// replay sets (its margins) lies below 100.
std::pair<int, int> MarkOf(const std::vector<const xl::Operator*>& page) {
  for (const xl::Operator* op : page) {
    if (op->name != "SetPageOrigin" || op->attributes.size() != 1) continue;
    const std::vector<double>& xy = op->attributes[0].value.items;
    if (xy.size() == 2 && xy[1] >= 100) return {static_cast<int>(xy[0]), static_cast<int>(xy[1])};
  }
  return {0, 0};
}

TEST_F(FaxJobTest, OneAndThreePageJobs) {
  for (int pages : {1, 3}) {
    SCOPED_TRACE(pages);
    auto fax = FaxBlock(1, false, false);
    DdiHost::FaxJob job;
    job.pages = pages;
    job.fax = fax.get();
    job.jobId = "JOB-0042";
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job));
    ASSERT_EQ(jobs.size(), 1u);
    const Job& j = jobs[0];
    ASSERT_TRUE(j.xl.ok) << j.xl.error;
    EXPECT_EQ(j.pjl.rfind(kJobStart, 0), 0u);
    EXPECT_NE(j.pjl.find("@PJL SET JOBNAME=\"Fax job\"\r\n"), std::string::npos) << j.pjl;
    EXPECT_NE(j.pjl.find("@PJL SET DRIVERJOBID=\"JOB-0042\"\r\n"), std::string::npos) << j.pjl;
    EXPECT_NE(j.pjl.find("\"5550100\""), std::string::npos) << j.pjl;
    EXPECT_EQ(j.pjl.substr(j.pjl.size() - 27), "@PJL ENTER LANGUAGE=PCLXL\r\n");
    EXPECT_EQ(j.xl.header, ") HP-PCL XL;2;1;");
    EXPECT_EQ(j.xl.suffix, kTrailer);
    const std::vector<std::string> names = j.xl.Names();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], "BeginSession");
    EXPECT_EQ(names[1], "OpenDataSource");
    EXPECT_EQ(names[names.size() - 2], "CloseDataSource");
    EXPECT_EQ(names.back(), "EndSession");
    const xl::Operator& session = j.xl.ops[0];
    EXPECT_EQ(session.attributes.size(), 3u);
    auto pageOps = Pages(j.xl);
    ASSERT_EQ(pageOps.size(), static_cast<size_t>(pages));
    for (int p = 0; p < pages; ++p) {
      const xl::Operator* begin = pageOps[p].front();
      const xl::Operator* end = pageOps[p].back();
      ASSERT_EQ(end->name, "EndPage");
      EXPECT_EQ(end->attributes.size(), 1u);
      EXPECT_EQ(end->attributes[0].value.items[0], 1.0);  // PageCopies
      EXPECT_EQ(MarkOf(pageOps[p]), std::make_pair(p + 1, 100));
      std::vector<std::string> attributes;
      for (const xl::Attribute& a : begin->attributes) attributes.push_back(xl::AttributeName(a.id));
      if (p == 0) {
        // The first page names its tray, and, since the model's page
        // templates have a duplex row, its simplex mode.
        EXPECT_EQ(attributes,
                  (std::vector<std::string>{"MediaSource", "Orientation", "MediaSize", "SimplexPageMode"}));
        EXPECT_EQ(begin->attributes[0].value.items[0], 1.0);
      } else {
        EXPECT_EQ(attributes, (std::vector<std::string>{"Orientation", "MediaSize"}));
      }
      EXPECT_EQ(begin->attributes[attributes.size() == 2 ? 0 : 1].value.items[0], 0.0);  // portrait
    }
  }
}

TEST_F(FaxJobTest, TheJobFromThePrintersDefaultSettings) {
  // What an application gets: the printer's default DEVMODE as the spooler
  // hands it out, with only the Font Setting's substitution turned on and,
  // for the photo, colour output chosen (in gray output a photo goes as gray
  // rows).  Its text in "Liberation Sans" goes as the printer's own face, its photo
  // as JPEG, every page names its paper and tray, and the header gives the
  // fax session's resolution.
  ASSERT_TRUE(dir_.Copy("bin/VELDRANL.DLL", L"VELDRANL.DLL"));
  const LONG size = DocumentPropertiesW(nullptr, printer_.handle(), const_cast<wchar_t*>(printer_.name().c_str()),
                                        nullptr, nullptr, 0);
  ASSERT_GE(size, LONG(sizeof(DriverDevMode)));
  std::vector<uint8_t> buffer(size_t(size), 0);
  ASSERT_GE(DocumentPropertiesW(nullptr, printer_.handle(), const_cast<wchar_t*>(printer_.name().c_str()),
                                reinterpret_cast<DEVMODEW*>(buffer.data()), nullptr, DM_OUT_BUFFER),
            0);
  DriverDevMode dm;
  std::memcpy(&dm, buffer.data(), sizeof dm);
  EXPECT_EQ(+Fields(dm.doc).nCompressMode, 4);  // JPEG
  EXPECT_EQ(+Fields(dm.doc).nJpegCompressRatio, 75);
  Fields(dm.doc).nTTFont = 0;
  Fields(dm.doc).nColorMode = 0;
  SealDocDMode(&dm.doc);
  const uint16_t paper = static_cast<uint16_t>(DocI16(&dm.doc, kDocPaperSizeAt));

  HostIfi arial;
  arial.family = u"Liberation Sans";
  HostFont font(kFoTypeTrueType, 31, arial, XFORML{0.03f, 0, 0, 0.03f, 0, 0});
  std::vector<uint8_t> rgb(1400 * 40 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>((i * 7) % 251);
  HostBitmap photo(1400, 40, BMF_24BPP, false, rgb);
  HostXlate swap(&HostXlate_SwapRedBlue);
  DdiHost::FaxJob job;
  job.pages = 1;
  job.draw = [&](SURFOBJ* surface, int) {
    const std::u16string text = u"Resident";
    HostString line(text, HostGlyphRow(text.size(), 200, 300, 40));
    HostBrush black(0);
    EXPECT_TRUE(host_.Get<decltype(&DrvTextOut)>(INDEX_DrvTextOut)(surface, line.get(), font.get(), nullptr, nullptr,
                                                                    nullptr, black.get(), nullptr, nullptr, 0x0D0D));
    RECTL target{100, 400, 1500, 440};
    RECTL from{0, 0, 1400, 40};
    EXPECT_TRUE(host_.Get<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt)(
        surface, photo.get(), nullptr, nullptr, swap.get(), nullptr, nullptr, &target, &from, nullptr, 3));
  };
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  const Job& j = jobs[0];
  ASSERT_TRUE(j.xl.ok) << j.xl.error;
  EXPECT_FALSE(j.xl.All("SetFont").empty());
  EXPECT_FALSE(j.xl.All("Text").empty());
  EXPECT_TRUE(j.xl.All("BeginFontHeader").empty());
  constexpr uint16_t kCompressMode = 0x65, kMediaSize = 0x25, kMediaSource = 0x26;
  const std::vector<const xl::Operator*> images = j.xl.All("ReadImage");
  ASSERT_FALSE(images.empty());
  for (const xl::Operator* op : images) EXPECT_EQ(op->Number(kCompressMode), 2.0);  // JPEG
  const xl::Operator* begin = j.xl.All("BeginPage").at(0);
  EXPECT_EQ(begin->Number(kMediaSize), paper == 1 ? 0.0 : 2.0);  // Letter or A4
  EXPECT_EQ(begin->Number(kMediaSource), 1.0);                    // the automatic tray
  EXPECT_NE(j.pjl.find("@PJL SET RESOLUTION=200\r\n@PJL SET BITSPERPIXEL=1\r\n"), std::string::npos) << j.pjl;
  EXPECT_EQ(j.pjl.find("RESOLUTION=600"), std::string::npos) << j.pjl;
}

TEST_F(FaxJobTest, CopiesGoToEveryEndPage) {
  for (uint8_t collate : {0, 1}) {
    DdiHost::FaxJob job;
    job.pages = 2;
    const std::vector<Job> jobs = SplitJobs(Run(job, A4DevMode(3, collate)));
    ASSERT_EQ(jobs.size(), 1u);
    for (const xl::Operator* end : jobs[0].xl.All("EndPage")) {
      EXPECT_EQ(end->attributes[0].value.items[0], collate ? 1.0 : 3.0);
    }
    // Collated copies travel in the header instead, never in both.
    EXPECT_NE(jobs[0].pjl.find(collate ? "@PJL SET QTY=3\r\n" : "@PJL SET QTY=1\r\n"), std::string::npos)
        << jobs[0].pjl;
  }
}

TEST_F(FaxJobTest, JobsThatWriteNothing) {
  struct Case {
    const char* name;
    int pages;
    bool cancel;
    bool abort;
  };
  for (const Case& c : {Case{"no page", 0, false, false}, Case{"fax cancelled", 2, true, false},
                        Case{"aborted", 2, false, true}}) {
    SCOPED_TRACE(c.name);
    DdiHost::FaxJob job;
    job.pages = c.pages;
    job.cancelFax = c.cancel;
    job.abort = c.abort;
    EXPECT_TRUE(Run(job).empty());
  }
}

TEST_F(FaxJobTest, EndDocWithoutSendingTheLastPageDropsIt) {
  DdiHost::FaxJob job;
  job.pages = 3;
  job.sendLastPage = false;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job));
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(MarkOf(pages[1]).first, 2);
  EXPECT_EQ(jobs[0].xl.suffix, kTrailer);
}

TEST_F(FaxJobTest, PerRecipientCoverPagesGiveOneJobPerDestination) {
  auto fax = FaxBlock(2, true, true);
  DdiHost::FaxJob job;
  job.pages = 3;
  job.fax = fax.get();
  job.draw = Mark(100);
  job.drawCover = Mark(200);
  const std::vector<Job> jobs = SplitJobs(Run(job));
  ASSERT_EQ(jobs.size(), 2u);
  for (int d = 0; d < 2; ++d) {
    SCOPED_TRACE(d);
    const Job& j = jobs[d];
    ASSERT_TRUE(j.xl.ok) << j.xl.error;
    const std::string mine = "\"555010" + std::to_string(d) + "\"";
    const std::string other = "\"555010" + std::to_string(1 - d) + "\"";
    EXPECT_NE(j.pjl.find(mine), std::string::npos) << j.pjl;
    EXPECT_EQ(j.pjl.find(other), std::string::npos) << j.pjl;
    auto pages = Pages(j.xl);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(MarkOf(pages[0]), std::make_pair(d + 1, 200));  // its own cover first
    for (int p = 1; p < 4; ++p) EXPECT_EQ(MarkOf(pages[p]), std::make_pair(p, 100));
    EXPECT_EQ(j.xl.suffix, kTrailer);
  }
}

TEST_F(FaxJobTest, OneCoverPageForAllDestinations) {
  auto fax = FaxBlock(2, true, false);
  DdiHost::FaxJob job;
  job.pages = 1;
  job.fax = fax.get();
  job.draw = Mark(100);
  job.drawCover = Mark(200);
  const std::vector<Job> jobs = SplitJobs(Run(job));
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_NE(jobs[0].pjl.find("\"5550100\""), std::string::npos);
  EXPECT_NE(jobs[0].pjl.find("\"5550101\""), std::string::npos);
  auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(MarkOf(pages[0]), std::make_pair(1, 200));
  EXPECT_EQ(MarkOf(pages[1]), std::make_pair(1, 100));
}

TEST_F(FaxJobTest, PerRecipientWithoutDestinationsStillPrintsOnce) {
  auto fax = FaxBlock(0, true, true);
  DdiHost::FaxJob job;
  job.pages = 2;
  job.fax = fax.get();
  const std::vector<Job> jobs = SplitJobs(Run(job));
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(Pages(jobs[0].xl).size(), 2u);
}

TEST_F(FaxJobTest, TabTextStreamRunsOnTheMarkedPage) {
  DdiHost::FaxJob job;
  job.pages = 2;
  job.draw = [this](SURFOBJ* surface, int page) {
    if (page != 0) return;
    // The tab-paper text, captured as the stream "TABPROC", and the mark
    // that runs it on this page.
    EXPECT_EQ(host_.Escape(surface, 0x30004, 0, nullptr, 0, nullptr), 1u);
    const int16_t origin[2] = {7, 300};
    EXPECT_EQ(host_.Escape(surface, 0x20009, sizeof origin, origin, 0, nullptr), 1u);
    EXPECT_EQ(host_.Escape(surface, 0x30005, 0, nullptr, 0, nullptr), 1u);
    const uint8_t entry[5] = {9, 0, 0, 0, 1};  // past the stored pages: the current page
    EXPECT_EQ(host_.Escape(surface, 0x2000d, sizeof entry, entry, 0, nullptr), 1u);
  };
  const std::vector<Job> jobs = SplitJobs(Run(job));
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 2u);
  std::vector<std::string> first;
  for (const xl::Operator* op : pages[0]) first.push_back(op->name);
  const std::vector<std::string> tail(first.end() - 7, first.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"PushGS", "BeginStream", "ReadStream", "EndStream", "PopGS",
                                            "ExecStream", "EndPage"}));
  const xl::Operator* end = nullptr;
  for (const xl::Operator* op : pages[0]) {
    if (op->name == "EndStream") end = op;
  }
  ASSERT_NE(end, nullptr);
  ASSERT_FALSE(end->streamOps.empty());
  EXPECT_EQ(end->streamOps.back().name, "SetPageOrigin");
  for (const xl::Operator* op : pages[1]) EXPECT_NE(op->name, "ExecStream");
}

TEST_F(FaxJobTest, AResetBetweenPagesKeepsOneJob) {
  const std::vector<Job> jobs = RunWithReset(A4DevMode(), A4DevMode());
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(MarkOf(pages[0]).first, 1);
  EXPECT_EQ(MarkOf(pages[1]).first, 2);
}

TEST_F(FaxJobTest, AResetBetweenPagesKeepsTheJobsSecurePrintValues) {
  // The user interface core hands the secure-print identifier to the PDEV
  // the job starts on; after a ResetDC between the pages the job's header
  // still names it, and the new DEVMODE's paper reaches only the later
  // page.
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, DOC_FIELD_AT(nOutputMethod), 3);
  SealDocDMode(&dm.doc);
  DriverDevMode letter = dm;
  SetDocI16(&letter.doc, kDocPaperSizeAt, 1);
  SetDocI16(&letter.doc, kDocPaperWidthAt, 2159);
  SetDocI16(&letter.doc, kDocPaperLengthAt, 2794);
  SealDocDMode(&letter.doc);
  const std::vector<Job> jobs = RunWithReset(dm, letter, [this](SURFOBJ* surface) {
    AuthRegRecord auth{};
    std::memcpy(auth.szSecurePrintId, "4242", 5);
    EXPECT_EQ(host_.Escape(surface, 0x2000f, sizeof auth, &auth, 0, nullptr), 1u);
  });
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  EXPECT_NE(jobs[0].pjl.find("@PJL SET HOLDKEY=\"4242\"\r\n"), std::string::npos) << jobs[0].pjl;
  auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 2u);
  constexpr uint16_t kMediaSize = 0x25;
  EXPECT_EQ(pages[0].front()->Number(kMediaSize), 2.0);  // A4
  EXPECT_EQ(pages[1].front()->Number(kMediaSize), 0.0);  // Letter
}

TEST_F(FaxJobTest, TheJobHeaderNamesTheTrayInTheDevicesWords) {
  // The sample model's "ALL_InTray" section gives each tray the word the
  // device knows it by; the tray list's notes are help texts for the user.
  struct Case {
    int16_t tray;
    const char* line;
  };
  for (const Case& c : {Case{7, "@PJL SET MEDIASOURCE=AUTO\r\n"}, Case{257, "@PJL SET MEDIASOURCE=TRAY1\r\n"},
                        Case{4, "@PJL SET MEDIASOURCE=MANUALFEED\r\n"}}) {
    SCOPED_TRACE(c.tray);
    DriverDevMode dm = A4DevMode();
    SetDocI16(&dm.doc, kDocInTrayAt, c.tray);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 1;
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const std::string& pjl = jobs[0].pjl;
    EXPECT_NE(pjl.find(c.line), std::string::npos) << pjl;
    EXPECT_EQ(pjl.find("MEDIASOURCE=The"), std::string::npos) << pjl;
    EXPECT_EQ(pjl.find("MEDIASOURCE=For"), std::string::npos) << pjl;
  }
}

// Settings of a job laid out by the render core: N-up on with a kind, and
// the N-up style.
DriverDevMode LayoutDevMode(uint8_t nupKind, uint8_t nupStyle = 0) {
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, kDocNupAt, 1);
  SetDocByte(&dm.doc, kDocNupKindAt, nupKind);
  SetDocByte(&dm.doc, kDocNupStyleAt, nupStyle);
  SealDocDMode(&dm.doc);
  return dm;
}

// The marks of a sheet, each with the page origin the layout set before the
// page's own content: (mark, cell x, cell y).
struct PlacedMark {
  int mark;
  double x, y;
};
// A cell begins with the sheet (BeginPage) or with SetPageDefaultCTM; its
// first SetPageOrigin is the cell's corner.
std::vector<PlacedMark> PlacedMarks(const std::vector<const xl::Operator*>& sheet) {
  std::vector<PlacedMark> placed;
  double x = -1, y = -1;
  bool cellBegun = false;
  for (const xl::Operator* op : sheet) {
    if (op->name == "BeginPage" || op->name == "SetPageDefaultCTM") cellBegun = true;
    if (op->name != "SetPageOrigin" || op->attributes.size() != 1) continue;
    const std::vector<double>& xy = op->attributes[0].value.items;
    if (xy.size() != 2) continue;
    if (xy[1] == 100 && xy[0] >= 1 && xy[0] <= 16) {
      placed.push_back(PlacedMark{static_cast<int>(xy[0]), x, y});
    } else if (cellBegun) {
      x = xy[0];
      y = xy[1];
      cellBegun = false;
    }
  }
  return placed;
}

TEST_F(FaxJobTest, FourUpPutsEightPagesOnTwoSheetsInTheStylesOrder) {
  // Cells of a 2 x 2 sheet: 0 top left, 1 top right, 2 bottom left, 3
  // bottom right.  Style 5 fills the columns first.
  struct Case {
    uint8_t style;
    int cellOfPage[4];
  };
  for (const Case& c : {Case{0, {0, 1, 2, 3}}, Case{5, {0, 2, 1, 3}}, Case{6, {1, 0, 3, 2}}}) {
    SCOPED_TRACE(c.style);
    DdiHost::FaxJob job;
    job.pages = 8;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(2, c.style)));
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
    const auto sheets = Pages(jobs[0].xl);
    ASSERT_EQ(sheets.size(), 2u);
    for (int s = 0; s < 2; ++s) {
      const std::vector<PlacedMark> marks = PlacedMarks(sheets[s]);
      ASSERT_EQ(marks.size(), 4u);
      double cellX[4] = {}, cellY[4] = {};
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(marks[k].mark, s * 4 + k + 1);  // drawing order on the sheet
        cellX[c.cellOfPage[k]] = marks[k].x;
        cellY[c.cellOfPage[k]] = marks[k].y;
      }
      // The cells form a grid: same row same y, same column same x, and
      // right and below lie further on.
      EXPECT_EQ(cellY[0], cellY[1]);
      EXPECT_EQ(cellY[2], cellY[3]);
      EXPECT_EQ(cellX[0], cellX[2]);
      EXPECT_EQ(cellX[1], cellX[3]);
      EXPECT_GT(cellX[1], cellX[0] + 300);  // half an A4 width at 200 dpi is 827 dots
      EXPECT_GT(cellY[2], cellY[0] + 200);  // half an A4 height at 100 dpi is 584 dots
      // Each page is scaled to about half its size, the same on both axes.
      int scales = 0;
      for (const xl::Operator* op : sheets[s]) {
        if (op->name != "SetPageScale") continue;
        const std::vector<double>& v = op->attributes[0].value.items;
        if (v[0] > 0.3 && v[0] < 0.6) {
          EXPECT_EQ(v[0], v[1]);
          ++scales;
        }
      }
      EXPECT_EQ(scales, 4);
    }
  }
}

TEST_F(FaxJobTest, TwoUpTurnsPortraitPagesOntoALandscapeSheet) {
  // The turn depends on the binding edge: a left binding turns by 90
  // degrees, a top binding by -90.
  struct Case {
    uint8_t binding;
    double angle;
  };
  for (const Case& c : {Case{0, 90}, Case{2, -90}}) {
    SCOPED_TRACE(c.binding);
    DriverDevMode dm = LayoutDevMode(1);
    SetDocByte(&dm.doc, kDocBindingEdgeAt, c.binding);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 4;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const auto sheets = Pages(jobs[0].xl);
    ASSERT_EQ(sheets.size(), 2u);
    for (const auto& sheet : sheets) {
      EXPECT_EQ(sheet.front()->Number(0x28), 1.0);  // a landscape sheet
      std::vector<double> angles;
      for (const xl::Operator* op : sheet) {
        if (op->name == "SetPageRotation") angles.push_back(op->attributes[0].value.items[0]);
      }
      EXPECT_EQ(angles, (std::vector<double>{c.angle, c.angle}));
      const std::vector<PlacedMark> marks = PlacedMarks(sheet);
      ASSERT_EQ(marks.size(), 2u);
      EXPECT_GT(marks[1].x, marks[0].x);  // side by side
      EXPECT_EQ(marks[1].y, marks[0].y);
    }
  }
}

TEST_F(FaxJobTest, TheHeaderOfATwoUpPortraitJobNamesItsLandscapeSheets) {
  // Portrait pages two to a sheet print on landscape sheets: the header
  // and every BeginPage agree; 4-up keeps portrait sheets.
  struct Case {
    uint8_t kind;
    const char* header;
    double orientation;  // BeginPage: 0 portrait, 1 landscape
  };
  for (const Case& c : {Case{1, "@PJL SET ORIENTATION=LANDSCAPE\r\n", 1}, Case{2, "@PJL SET ORIENTATION=PORTRAIT\r\n", 0}}) {
    SCOPED_TRACE(int(c.kind));
    DdiHost::FaxJob job;
    job.pages = 4;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(c.kind)));
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_NE(jobs[0].pjl.find(c.header), std::string::npos) << jobs[0].pjl;
    for (const auto& sheet : Pages(jobs[0].xl)) {
      EXPECT_EQ(sheet.front()->Number(0x28), c.orientation);
      // Each cell has its clip after its transform, never the whole sheet.
      bool transformed = false;
      int clips = 0;
      for (const xl::Operator* op : sheet) {
        EXPECT_NE(op->name, "SetClipToPage");
        if (op->name == "SetPageScale") transformed = true;
        if (op->name != "SetClipRectangle" || !transformed) continue;
        transformed = false;
        ++clips;
      }
      EXPECT_EQ(clips, c.kind == 1 ? 2 : 4);
    }
  }
}

TEST_F(FaxJobTest, AFourUpSheetStaysOpenUntilItsLastCell) {
  // What the user interface core reads through the job-data escape while
  // each page is drawn: the sheet is open from its first cell on, and the
  // sides advance once per sheet, not once per page.
  std::vector<uint32_t> complete, sides;
  DdiHost::FaxJob job;
  job.pages = 5;
  job.draw = [&](SURFOBJ* surface, int) {
    std::vector<uint8_t> record(kJobRecordSize);
    ASSERT_EQ(host_.Escape(surface, 0x10001, 0, nullptr, static_cast<ULONG>(record.size()), record.data()), 1u);
    uint32_t v = 0;
    std::memcpy(&v, record.data() + kJobRecordSheetCompleteAt, 4);
    complete.push_back(v);
    std::memcpy(&v, record.data() + kJobRecordPageCounterAt, 4);
    sides.push_back(v);
  };
  const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(2)));
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(complete, (std::vector<uint32_t>{0, 0, 0, 0, 0}));
  EXPECT_EQ(sides, (std::vector<uint32_t>{0, 0, 0, 0, 2}));  // one-sided: two sides a sheet
}

TEST_F(FaxJobTest, FivePagesInFourUpLeaveTheFifthAloneOnTheLastSheet) {
  DdiHost::FaxJob job;
  job.pages = 5;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(2)));
  ASSERT_EQ(jobs.size(), 1u);
  const auto sheets = Pages(jobs[0].xl);
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(PlacedMarks(sheets[0]).size(), 4u);
  const std::vector<PlacedMark> last = PlacedMarks(sheets[1]);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].mark, 5);
  EXPECT_EQ(last[0].x, PlacedMarks(sheets[0])[0].x);
}

TEST_F(FaxJobTest, CellBordersFrameEachPageOrOnlyTheEdgesBetweenCells) {
  // "BorderLine" turns the borders on; its mode 2 draws only the edges that
  // face another cell (two for each cell of a 2 x 2 sheet), any other mode
  // frames every cell.  With the borders off no mode draws any.
  struct Case {
    uint8_t on, mode;
    size_t rectangles;
    size_t lines;
  };
  for (const Case& c : {Case{0, 1, 0, 0}, Case{0, 2, 0, 0}, Case{1, 0, 4, 0}, Case{1, 1, 4, 0}, Case{1, 2, 0, 8}}) {
    SCOPED_TRACE(testing::Message() << int(c.on) << " " << int(c.mode));
    DriverDevMode dm = LayoutDevMode(2);
    SetDocByte(&dm.doc, DOC_FIELD_AT(bNupBorder_ui), c.on);
    SetDocByte(&dm.doc, DOC_FIELD_AT(bPageBorder), c.mode);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 4;
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
    const auto sheets = Pages(jobs[0].xl);
    ASSERT_EQ(sheets.size(), 1u);
    size_t rectangles = 0, lines = 0;
    for (const xl::Operator* op : sheets[0]) {
      if (op->name == "Rectangle") ++rectangles;
      if (op->name == "LinePath") ++lines;
    }
    EXPECT_EQ(rectangles, c.rectangles);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST_F(FaxJobTest, FourUpClipsEachPageToItsCell) {
  // Each page paints a rectangle clipped by the application to far more
  // than its cell.  After each cell's transform the page clip is the cell
  // (a clip rectangle from the origin, in page units), and the
  // application's clip is intersected with it: nothing spills into the
  // neighbour cell.  The page clip is never the whole sheet.
  constexpr uint16_t kBoundingBox = 66;
  DdiHost::FaxJob job;
  job.pages = 4;
  job.draw = [this](SURFOBJ* surface, int index) {
    Mark(100)(surface, index);
    HostClip wide({RECTL{0, 0, 3000, 3000}});
    HostBrush black(0);
    EXPECT_TRUE(host_.Get<decltype(&DrvPaint)>(INDEX_DrvPaint)(surface, wide.get(), black.get(), nullptr, 0x0D0D));
  };
  const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(2)));
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  const auto sheets = Pages(jobs[0].xl);
  ASSERT_EQ(sheets.size(), 1u);
  std::vector<std::vector<double>> cellClips, intersections;
  size_t clipsToPage = 0;
  const std::vector<const xl::Operator*>& ops = sheets[0];
  bool transformed = false;
  for (size_t i = 0; i < ops.size(); ++i) {
    const xl::Operator* op = ops[i];
    if (op->name == "SetClipToPage") ++clipsToPage;
    if (op->name == "SetPageScale") transformed = true;
    if (op->name == "SetClipRectangle" && transformed) {
      cellClips.push_back(op->Find(kBoundingBox)->value.items);
      EXPECT_EQ(op->Find(kBoundingBox)->value.TypeName(), "uint16_box");
      transformed = false;
    }
    if (op->name == "RectanglePath" && i + 1 < ops.size() && ops[i + 1]->name == "SetClipIntersect") {
      intersections.push_back(op->Find(kBoundingBox)->value.items);
    }
  }
  EXPECT_EQ(clipsToPage, 0u);
  ASSERT_EQ(cellClips.size(), 4u);
  // A4 at 200 x 100 dpi less its margins on both sides: about 1587 x 1137
  // dots, in the page's own units (the cell scale of about one half maps it
  // onto a quarter of the sheet).
  for (const std::vector<double>& box : cellClips) {
    ASSERT_EQ(box.size(), 4u);
    EXPECT_EQ(box[0], 0.0);
    EXPECT_EQ(box[1], 0.0);
    EXPECT_GT(box[2], 1400.0);
    EXPECT_LT(box[2], 1654.0);
    EXPECT_GT(box[3], 1000.0);
    EXPECT_LT(box[3], 1169.0);
    EXPECT_EQ(box, cellClips[0]);
  }
  // The application's clip of every page meets the cell.
  ASSERT_EQ(intersections.size(), 4u);
  for (const std::vector<double>& box : intersections) EXPECT_EQ(box, cellClips[0]);
}

TEST_F(FaxJobTest, AnotherPaperEndsAFourUpSheetEarly) {
  // While page 2 is drawn the application switches to Letter: page 3 and
  // those after it cannot share page 1's sheet.
  DdiHost::FaxJob job;
  job.pages = 6;
  job.draw = [this](SURFOBJ* surface, int index) {
    Mark(100)(surface, index);
    if (index != 1) return;
    DriverDevMode letter = LayoutDevMode(2);
    SetDocI16(&letter.doc, kDocPaperSizeAt, 1);
    SetDocI16(&letter.doc, kDocPaperWidthAt, 2159);
    SetDocI16(&letter.doc, kDocPaperLengthAt, 2794);
    SealDocDMode(&letter.doc);
    EXPECT_EQ(host_.Escape(surface, 0x40004, sizeof letter.doc, &letter.doc, 0, nullptr), 1u);
  };
  const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(2)));
  ASSERT_EQ(jobs.size(), 1u);
  const auto sheets = Pages(jobs[0].xl);
  ASSERT_EQ(sheets.size(), 2u);
  std::vector<std::vector<int>> marks;
  for (const auto& sheet : sheets) {
    marks.emplace_back();
    for (const PlacedMark& m : PlacedMarks(sheet)) marks.back().push_back(m.mark);
  }
  EXPECT_EQ(marks, (std::vector<std::vector<int>>{{1, 2}, {3, 4, 5, 6}}));
}

TEST_F(FaxJobTest, APaperTheModelLacksIsFittedOntoItsDefaultPaper) {
  // An A3 page "same as the original" on a model without A3: the page goes
  // on the model's default paper (A4), fitted to it.
  DriverDevMode dm = A4DevMode();
  SetDocI16(&dm.doc, kDocPaperSizeAt, 8);
  SetDocI16(&dm.doc, kDocPaperWidthAt, 2970);
  SetDocI16(&dm.doc, kDocPaperLengthAt, 4200);
  SetDocI16(&dm.doc, kDocOutPaperSizeAt, 357);
  SetDocByte(&dm.doc, kDocZoomAt, 1);
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  const auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].front()->Number(0x25), 2.0);  // MediaSize: A4
  std::vector<double> scales;
  for (const xl::Operator* op : pages[0]) {
    if (op->name == "SetPageScale") scales.push_back(op->attributes[0].value.items[0]);
  }
  ASSERT_FALSE(scales.empty());
  EXPECT_NEAR(scales[0], 0.707, 0.02);  // A3 onto A4
}

TEST_F(FaxJobTest, APlainPageStartsAtItsMarginsWithItsZoom) {
  // The page's origin is the printable area's corner (4.2 mm at 200 x 100
  // dpi: 33 x 16 dots); its scale the zoom percent, 0 counting as 100.
  struct Case {
    int16_t zoom;
    double scale;
  };
  for (const Case& c : {Case{0, 1.0}, Case{100, 1.0}, Case{50, 0.5}, Case{200, 2.0}}) {
    SCOPED_TRACE(c.zoom);
    DriverDevMode dm = A4DevMode();
    SetDocI16(&dm.doc, kDocZoomValueAt, c.zoom);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 2;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const auto pages = Pages(jobs[0].xl);
    ASSERT_EQ(pages.size(), 2u);
    for (const auto& page : pages) {
      const xl::Operator* origin = nullptr;
      const xl::Operator* scale = nullptr;
      for (const xl::Operator* op : page) {
        if (!origin && op->name == "SetPageOrigin") origin = op;
        if (!scale && op->name == "SetPageScale") scale = op;
      }
      ASSERT_NE(origin, nullptr);
      ASSERT_NE(scale, nullptr);
      EXPECT_EQ(origin->attributes[0].value.items, (std::vector<double>{33, 16}));
      EXPECT_EQ(scale->attributes[0].value.items, (std::vector<double>{c.scale, c.scale}));
      EXPECT_LT(origin->offset, scale->offset);
    }
  }
}

TEST_F(FaxJobTest, TheBindingShiftMovesFrontAndBackSidesApart) {
  // A left binding margin of 10 mm on the front, 5 mm on the back, at 200
  // dpi: 79 and 40 dots, towards the binding on the front and away from it
  // on the back, from the printable area's corner at x = 33.
  struct Case {
    uint8_t sides;
    double x[2];
  };
  for (const Case& c : {Case{1, {33 + 79, 33 + 79}}, Case{2, {33 + 79, 33 - 40}}}) {
    SCOPED_TRACE(c.sides);
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kDocDoubleSidesAt, c.sides);
    SetDocByte(&dm.doc, 1428, 1);
    SetDocByte(&dm.doc, kDocBindingEdgeAt, 0);
    SetDocI16(&dm.doc, 1432, 10);
    SetDocI16(&dm.doc, 1434, 5);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 2;
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const auto pages = Pages(jobs[0].xl);
    ASSERT_EQ(pages.size(), 2u);
    for (int p = 0; p < 2; ++p) {
      const auto origin = std::find_if(pages[p].begin(), pages[p].end(),
                                       [](const xl::Operator* op) { return op->name == "SetPageOrigin"; });
      ASSERT_NE(origin, pages[p].end());
      EXPECT_EQ((*origin)->attributes[0].value.items, (std::vector<double>{c.x[p], 16})) << "page " << p + 1;
    }
  }
}

TEST_F(FaxJobTest, ABindingMarginInReduceModeShrinksThePage) {
  // 10 mm of a printable width of 201.6 mm: the page is reduced to 95 %
  // after its zoom, and moved by the margin towards the binding edge.
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, 1428, 1);
  SetDocByte(&dm.doc, kDocBindingEdgeAt, 0);
  SetDocI16(&dm.doc, 1432, 10);
  SetDocByte(&dm.doc, 1440, 1);
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.pages = 1;
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  const auto pages = Pages(jobs[0].xl);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<double> scales;
  const xl::Operator* origin = nullptr;
  for (const xl::Operator* op : pages[0]) {
    if (op->name == "SetPageScale") scales.push_back(op->attributes[0].value.items[0]);
    if (!origin && op->name == "SetPageOrigin") origin = op;
  }
  ASSERT_EQ(scales.size(), 2u);
  EXPECT_EQ(scales[0], 1.0);
  EXPECT_FLOAT_EQ(scales[1], 0.95f);
  ASSERT_NE(origin, nullptr);
  EXPECT_EQ(origin->attributes[0].value.items[0], 33 + 79);
}

// Puts beside the render core a model whose render core lays out booklets
// itself: the sample model's description with booklets printed by the
// driver, compiled by the project's description tool.
std::string SourceText(const char* path) {
  std::ifstream in(testsupport::SourcePath(path), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// Replaces the one place of `from` in `text` with `to`.
void ReplaceOnce(std::string* text, const std::string& from, const std::string& to) {
  const size_t at = text->find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text->replace(at, from.size(), to);
}

// Compiles description text (with the sections of `overlay` over it, when
// given) into the job folder's file `name`.
void WriteModelFile(RenderDir& dir, const wchar_t* name, const std::string& text, const std::string& overlay = "") {
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  if (!overlay.empty()) {
    qxd::Document over;
    ASSERT_TRUE(qxd::ParseText(overlay, &over, &error)) << error;
    qxd::OverlayDocument(&doc, over);
  }
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  HANDLE file = CreateFileW(dir.Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD wrote = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(file);
  ASSERT_EQ(wrote, bytes.size());
}

void UseBookletModel(DdiHost& host, RenderDir& dir) {
  std::string text = SourceText("model/VELDRANH.txt");
  ReplaceOnce(&text, "pair \"BookletPrint\" \"Disable\"", "pair \"BookletPrint\" \"Driver\"");
  if (::testing::Test::HasFatalFailure()) return;
  host.Unload();
  WriteModelFile(dir, L"VELDRANH.QXD", text);
  if (::testing::Test::HasFatalFailure()) return;
  ASSERT_TRUE(host.Load(dir.Path(L"VELDRANE.DLL")));
}

// The marks on each sheet side, in drawing order.
std::vector<std::vector<int>> MarksBySide(const std::vector<std::vector<const xl::Operator*>>& sides) {
  std::vector<std::vector<int>> marks;
  for (const auto& side : sides) {
    marks.emplace_back();
    for (const PlacedMark& m : PlacedMarks(side)) marks.back().push_back(m.mark);
  }
  return marks;
}

TEST_F(FaxJobTest, ABookletOfFivePagesIsPaddedToEight) {
  UseBookletModel(host_, dir_);
  if (HasFatalFailure()) return;

  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, kDocDoubleSidesAt, 3);
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.pages = 5;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  // Sheet sides 8 1, 2 7, 6 3, 4 5: pages 6, 7 and 8 are blank.
  const auto sides = Pages(jobs[0].xl);
  ASSERT_EQ(sides.size(), 4u);
  const std::vector<std::vector<int>> expected = {{1}, {2}, {3}, {4, 5}};
  for (size_t s = 0; s < sides.size(); ++s) {
    std::vector<int> marks;
    for (const PlacedMark& m : PlacedMarks(sides[s])) marks.push_back(m.mark);
    EXPECT_EQ(marks, expected[s]) << "side " << s + 1;
  }
  // The lone page of the first side lies in its second half, that of the
  // second side in its first half, as pages 4 and 5 do on the last side.
  const PlacedMark one = PlacedMarks(sides[0])[0], two = PlacedMarks(sides[1])[0];
  const std::vector<PlacedMark> last = PlacedMarks(sides[3]);
  EXPECT_EQ(two.x, last[0].x);
  EXPECT_EQ(one.x, last[1].x);
  EXPECT_NE(one.x, two.x);
  // Each side is a landscape sheet holding two portrait pages.  The sheet
  // binds on the other edge, so every back side is turned half round.
  for (size_t s = 0; s < sides.size(); ++s) {
    const xl::Operator* begin = sides[s].front();
    EXPECT_EQ(begin->Number(0x28), s % 2 == 0 ? 1.0 : 3.0) << "side " << s + 1;  // Orientation: landscape
  }
}

TEST_F(FaxJobTest, ABookletsCoverPagesGoOnACoverSheetOfTheirOwn) {
  UseBookletModel(host_, dir_);
  if (HasFatalFailure()) return;
  // Front cover of one page, back cover of the last one, or both.
  struct Case {
    const char* name;
    uint8_t front, back;
    std::vector<std::vector<int>> sides;
  };
  const Case cases[] = {
      // Cover sheet: blank and page 1, two blank sides; then pages 2 to 6
      // as a booklet of 8.
      {"front", 2, 0, {{1}, {}, {2}, {3}, {4}, {5, 6}}},
      // Cover sheet: page 6 and a blank side, blank sides; pages 1 to 5.
      {"back", 0, 2, {{6}, {}, {1}, {2}, {3}, {4, 5}}},
      // Cover sheet: 6 and 1 on the outer side; pages 2 to 5 in a booklet of 4.
      {"both", 2, 2, {{6, 1}, {}, {5, 2}, {3, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kDocDoubleSidesAt, 3);
    SetDocByte(&dm.doc, kDocFrontCoverAt, c.front != 0);
    SetDocByte(&dm.doc, kDocFrontCoverAt + 1, c.front);
    SetDocI16(&dm.doc, kDocFrontCoverAt + 2, 4);
    SetDocByte(&dm.doc, kDocBackCoverAt, c.back != 0);
    SetDocByte(&dm.doc, kDocBackCoverAt + 1, c.back);
    SetDocI16(&dm.doc, kDocBackCoverAt + 2, 4);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 6;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
    EXPECT_EQ(MarksBySide(Pages(jobs[0].xl)), c.sides);
  }
}

// The fuller finishing model of the tests' fixtures, its covers made by the
// device (`deviceCovers`) or, with its booklets, by the driver; its job
// header has the finishing and cover rows.
void UseFinishingModel(DdiHost& host, RenderDir& dir, bool deviceCovers) {
  std::string text = SourceText("model/VELDRANH.txt");
  if (deviceCovers) {
    ReplaceOnce(&text, "pair \"FCoverPrint\" \"Driver\"", "pair \"FCoverPrint\" \"Device\"");
    ReplaceOnce(&text, "pair \"BCoverPrint\" \"Driver\"", "pair \"BCoverPrint\" \"Device\"");
  }
  std::string commands = SourceText("model/VELDRANP.txt");
  ReplaceOnce(&commands, "  row \"Embeded_1\"\n",
              SourceText("tests/fixtures/finishing/start_rows.txt") + "  row \"Embeded_1\"\n");
  // A booklet is the driver's where the driver makes the covers.
  std::string finishing = SourceText("tests/fixtures/finishing/VELDRANH.txt");
  if (!deviceCovers) ReplaceOnce(&finishing, "pair \"BookletPrint\" \"Enable\"", "pair \"BookletPrint\" \"Driver\"");
  if (::testing::Test::HasFatalFailure()) return;
  host.Unload();
  WriteModelFile(dir, L"VELDRANH.QXD", text, finishing);
  WriteModelFile(dir, L"VELDRANP.QXD", commands);
  if (::testing::Test::HasFatalFailure()) return;
  ASSERT_TRUE(host.Load(dir.Path(L"VELDRANE.DLL")));
}

TEST_F(FaxJobTest, FinishingAndTheDevicesCoversReachTheJobHeader) {
  UseFinishingModel(host_, dir_, true);
  if (HasFatalFailure()) return;
  DriverDevMode dm = A4DevMode();
  DocFields& f = Fields(dm.doc);
  f.bStaple = 1;
  f.nStapleMode = 3;  // one staple, top left
  f.bPunch = 1;
  f.nPunchNum = 7;    // three holes, left
  f.bFolding = 1;
  f.nFoldingMode = 3;
  f.bTrim = 1;
  f.bFrontCover = 1;
  f.nFrontCoverMode = 5;  // printed by the device
  f.nFrontCoverTray = 258;
  f.bBackCover = 1;
  f.nBackCoverMode = 4;   // blank
  f.nBackCoverTray = 32767;  // the body's tray
  f.nDefaultSource = 257;
  f.CoverMFP_bPIFCover = 1;
  f.CoverMFP_nPIFCoverTray = 1002;
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.pages = 3;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  const std::string& pjl = jobs[0].pjl;
  for (const char* line :
       {"@PJL SET STAPLE=LEFTTOP\r\n@PJL SET FINISH=LEFT1\r\n@PJL SET PUNCH=THREE\r\n@PJL SET FOLD=HALFIN\r\n"
        "@PJL SET TRIM=ON\r\n@PJL SET OUTPUTORDER=FACEDOWN\r\n",
        "@PJL SET FRONTCOVER=PRINT\r\n@PJL SET FRONTCOVERTRAY=TRAY2\r\n",
        "@PJL SET BACKCOVER=BLANK\r\n@PJL SET BACKCOVERTRAY=TRAY1\r\n", "@PJL SET INSERTFRONT=TRAY2\r\n",
        "@PJL SET INTERLEAVE=OFF\r\n"}) {
    EXPECT_NE(pjl.find(line), std::string::npos) << line << "\n" << pjl;
  }
  // The device makes the covers: the job's pages are the document's.
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  EXPECT_EQ(MarksBySide(Pages(jobs[0].xl)), (std::vector<std::vector<int>>{{1}, {2}, {3}}));

  // Switched off, each row says so.
  f.bStaple = f.bPunch = f.bFolding = f.bTrim = f.bFrontCover = f.bBackCover = f.CoverMFP_bPIFCover = 0;
  SealDocDMode(&dm.doc);
  const std::vector<Job> off = SplitJobs(Run(job, dm));
  ASSERT_EQ(off.size(), 1u);
  for (const char* line : {"STAPLE=OFF\r\n", "FINISH=NONE\r\n", "PUNCH=OFF\r\n", "FOLD=OFF\r\n", "TRIM=OFF\r\n",
                           "FRONTCOVER=OFF\r\n", "BACKCOVER=OFF\r\n", "INSERTFRONT=OFF\r\n"}) {
    EXPECT_NE(off[0].pjl.find(line), std::string::npos) << line << "\n" << off[0].pjl;
  }
  EXPECT_EQ(off[0].pjl.find("COVERTRAY"), std::string::npos);
}

TEST_F(FaxJobTest, TheDriversCoversOfABookletComeFromTheCoverTrayAndLeaveTheHeaderOff) {
  UseFinishingModel(host_, dir_, false);
  if (HasFatalFailure()) return;
  DriverDevMode dm = A4DevMode();
  DocFields& f = Fields(dm.doc);
  f.nDuplex = 3;
  f.bFrontCover = 1;
  f.nFrontCoverMode = 2;  // page 1 printed on the cover
  f.nFrontCoverTray = 257;
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.pages = 6;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, dm));
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_NE(jobs[0].pjl.find("@PJL SET FRONTCOVER=OFF\r\n"), std::string::npos) << jobs[0].pjl;
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  const auto sides = Pages(jobs[0].xl);
  EXPECT_EQ(MarksBySide(sides), (std::vector<std::vector<int>>{{1}, {}, {2}, {3}, {4}, {5, 6}}));
  // The cover sheet is fed from the cover tray, the booklet from the
  // automatic one.
  ASSERT_GE(sides.size(), 3u);
  EXPECT_EQ(sides[0].front()->Number(0x26), 4.0);  // MediaSource: the upper cassette, tray 1
  EXPECT_EQ(sides[2].front()->Number(0x26), 1.0);  // MediaSource: automatic
}

TEST_F(FaxJobTest, APosterOfThreeByThreeTilesPrintsNineSheetsAndRemovesItsStream) {
  DdiHost::FaxJob job;
  job.pages = 1;
  job.draw = Mark(100);
  const std::vector<Job> jobs = SplitJobs(Run(job, LayoutDevMode(8)));
  ASSERT_EQ(jobs.size(), 1u);
  const xl::Dissection& d = jobs[0].xl;
  ASSERT_TRUE(d.ok) << d.error;
  const std::vector<std::string> names = d.Names();
  // The page is defined once as the stream "P1", before the first sheet,
  // and removed after the last.
  const auto streams = d.All("BeginStream");
  ASSERT_EQ(streams.size(), 1u);
  EXPECT_EQ(streams[0]->attributes[0].value.Text(), "P1");
  const auto ends = d.All("EndStream");
  ASSERT_EQ(ends.size(), 1u);
  bool marked = false;
  for (const xl::Operator& op : ends[0]->streamOps) {
    if (op.name == "SetPageOrigin" && op.attributes[0].value.items == std::vector<double>{1, 100}) marked = true;
  }
  EXPECT_TRUE(marked);
  const auto removes = d.All("RemoveStream");
  ASSERT_EQ(removes.size(), 1u);
  EXPECT_EQ(removes[0]->attributes[0].value.Text(), "P1");
  const size_t firstPage = std::find(names.begin(), names.end(), "BeginPage") - names.begin();
  const size_t lastEnd = names.rend() - std::find(names.rbegin(), names.rend(), "EndPage") - 1;
  EXPECT_LT(streams[0]->offset, d.ops[firstPage].offset);
  EXPECT_GT(removes[0]->offset, d.ops[lastEnd].offset);
  const auto sheets = Pages(d);
  ASSERT_EQ(sheets.size(), 9u);
  // Each sheet runs the stream enlarged three times, moved by one tile:
  // the tile origins form a 3 x 3 grid of steps (-m, -l).
  std::vector<std::pair<double, double>> origins;
  for (const auto& sheet : sheets) {
    int execs = 0;
    std::pair<double, double> last{1, 1};
    bool enlarged = false;
    for (const xl::Operator* op : sheet) {
      if (op->name == "SetPageScale" && op->attributes[0].value.items[0] == 3.0) enlarged = true;
      if (op->name == "SetPageOrigin" && enlarged && execs == 0) {
        last = {op->attributes[0].value.items[0], op->attributes[0].value.items[1]};
      }
      if (op->name == "ExecStream") {
        ++execs;
        EXPECT_EQ(op->attributes[0].value.Text(), "P1");
      }
    }
    EXPECT_EQ(execs, 1);
    EXPECT_TRUE(enlarged);
    origins.push_back(last);
  }
  const double m = -origins[1].first, l = -origins[3].second;
  EXPECT_GT(m, 0);
  EXPECT_GT(l, 0);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(origins[i * 3 + j], std::make_pair(-j * m, -i * l)) << i << " " << j;
    }
  }
}

TEST_F(FaxJobTest, APosterMarginLineFramesThePageOnEveryTile) {
  struct Case {
    uint8_t poster;  // 7: 2 x 2, 9: 4 x 4
    uint8_t line;
    size_t sheets;
    size_t frames;
  };
  for (const Case& c : {Case{7, 1, 4, 4}, Case{7, 0, 4, 0}, Case{9, 1, 16, 16}}) {
    SCOPED_TRACE(c.poster * 10 + c.line);
    DriverDevMode dm = LayoutDevMode(c.poster);
    SetDocByte(&dm.doc, 1247, c.line);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 1;
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
    const auto sheets = Pages(jobs[0].xl);
    EXPECT_EQ(sheets.size(), c.sheets);
    size_t frames = 0;
    for (const auto& sheet : sheets) {
      bool ran = false;
      for (const xl::Operator* op : sheet) {
        if (op->name == "ExecStream") ran = true;
        // The frame is drawn dashed, after the tile.
        if (op->name == "Rectangle") {
          EXPECT_TRUE(ran);
          ++frames;
        }
      }
    }
    EXPECT_EQ(frames, c.frames);
    EXPECT_EQ(jobs[0].xl.Count("SetLineDash") > 0, c.line == 1);
  }
}

TEST_F(FaxJobTest, AFormNameOutsideTheCodePageIsKeptInTheWideField) {
  const std::wstring formPath = dir_.Path(L"wide.qfv");
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, kDocOverlayCreateAt, 1);
  SealDocDMode(&dm.doc);
  DdiHost::FaxJob job;
  job.pages = 1;
  job.docName = L"Form \x03A9\x4E2D";
  job.draw = [this, &formPath](SURFOBJ* surface, int) {
    HANDLE file = CreateFileW(formPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const uint64_t handle = reinterpret_cast<uintptr_t>(file);
    EXPECT_EQ(host_.Escape(surface, 0x40001, sizeof handle, &handle, 0, nullptr), 1u);
  };
  EXPECT_TRUE(Run(job, dm).empty());
  const std::vector<uint8_t> form = ReadFileBytes(formPath);
  FormFileHeader header{};
  uint32_t streamAt = 0;
  uint64_t streamLength = 0;
  ASSERT_EQ(Form_ParseHeader(form.data(), form.size(), form.size(), &header, &streamAt, &streamLength),
            kFormHeaderOk);
  EXPECT_EQ(header.name[0], 0);
  EXPECT_EQ(std::u16string(header.wideName), u"Form \x03A9\x4E2D");
  EXPECT_GT(streamLength, 0u);
}

// The stream operators of a page that run the overlay `stream`, and whether
// they come before the page's own mark.
struct OverlayUse {
  int execs = 0;
  bool beforeMark = false;
};
OverlayUse OverlayOn(const std::vector<const xl::Operator*>& page, const std::string& stream = "O0") {
  OverlayUse use;
  bool marked = false;
  for (const xl::Operator* op : page) {
    if (op->name == "SetPageOrigin" && op->attributes[0].value.items.size() == 2 &&
        op->attributes[0].value.items[1] == 100) {
      marked = true;
    }
    if (op->name == "ExecStream" && op->attributes[0].value.Text() == stream) {
      ++use.execs;
      use.beforeMark = !marked;
    }
  }
  return use;
}

TEST_F(FaxJobTest, AFormMadeByOneJobIsPrintedOnTheChosenPagesOfALaterJob) {
  const std::wstring formPath = dir_.Path(L"letterhead.qfv");
  // The first job makes the form: its first page goes to the file whose
  // handle the caller gives, and nothing is printed.
  {
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kDocOverlayCreateAt, 1);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 2;
    job.docName = L"Letterhead";
    job.draw = [this, &formPath](SURFOBJ* surface, int index) {
      if (index == 0) {
        HANDLE file = CreateFileW(formPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const uint64_t handle = reinterpret_cast<uintptr_t>(file);
        EXPECT_EQ(host_.Escape(surface, 0x40001, sizeof handle, &handle, 0, nullptr), 1u);
      }
      const int16_t origin[2] = {static_cast<int16_t>(index + 7), 555};
      EXPECT_EQ(host_.Escape(surface, 0x20009, sizeof origin, origin, 0, nullptr), 1u);
    };
    EXPECT_TRUE(Run(job, dm).empty());
  }
  const std::vector<uint8_t> form = ReadFileBytes(formPath);
  FormFileHeader header{};
  uint32_t streamAt = 0;
  uint64_t streamLength = 0;
  ASSERT_EQ(Form_ParseHeader(form.data(), form.size(), form.size(), &header, &streamAt, &streamLength),
            kFormHeaderOk);
  EXPECT_EQ(header.version, 2);
  EXPECT_STREQ(header.name, "Letterhead");
  EXPECT_EQ(header.resolution, 200);
  EXPECT_EQ(header.orientation, 1);
  xl::Options pageOptions;
  pageOptions.header = false;
  pageOptions.start = xl::Context::Page;
  const xl::Dissection body = xl::Dissect(form.data() + streamAt, static_cast<size_t>(streamLength), pageOptions);
  ASSERT_TRUE(body.ok) << body.error;
  // Only the first page is the form.
  std::vector<std::vector<double>> origins;
  for (const xl::Operator* op : body.All("SetPageOrigin")) origins.push_back(op->attributes[0].value.items);
  EXPECT_EQ(origins, (std::vector<std::vector<double>>{{7, 555}}));

  // The user's list of forms names the file as form 1; a second entry names
  // a file cut short inside its header.
  const std::wstring brokenPath = dir_.Path(L"broken.qfv");
  {
    HANDLE file = CreateFileW(brokenPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(file, form.data(), 100, &wrote, nullptr);
    CloseHandle(file);
  }
  const std::wstring key = L"Software\\HALDOVAR\\" + RenderDriver().name + L"\\" + printer_.name();
  HKEY forms = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &forms, nullptr),
            ERROR_SUCCESS);
  for (const auto& [value, path] : {std::make_pair(L"Form1", formPath), std::make_pair(L"Form2", brokenPath)}) {
    RegSetValueExW(forms, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * 2));
  }
  RegCloseKey(forms);

  struct Case {
    const char* name;
    int16_t form;       // Overlay_op: form number less 1
    uint8_t pages;      // 2 every page, 3 the first, 4 even, 5 odd
    uint8_t placement;  // 0 behind the content, 1 in front
    bool defined;
    int onPage[3];
  };
  for (const Case& c : {Case{"every page, behind", 0, 2, 0, true, {1, 1, 1}},
                        Case{"even pages, in front", 0, 4, 1, true, {0, 1, 0}},
                        Case{"first page", 0, 3, 0, true, {1, 0, 0}},
                        Case{"a file cut short", 1, 2, 0, false, {0, 0, 0}},
                        Case{"no such entry", 5, 2, 0, false, {0, 0, 0}}}) {
    SCOPED_TRACE(c.name);
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, 2116, 1);
    SetDocI16(&dm.doc, 2118, c.form);
    SetDocByte(&dm.doc, 2168, c.pages);
    SetDocByte(&dm.doc, 2169, c.placement);
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 3;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const xl::Dissection& d = jobs[0].xl;
    ASSERT_TRUE(d.ok) << d.error;
    const auto streams = d.All("BeginStream");
    ASSERT_EQ(streams.size(), c.defined ? 1u : 0u);
    if (c.defined) {
      EXPECT_EQ(streams[0]->attributes[0].value.Text(), "O0");
      EXPECT_LT(streams[0]->offset, d.All("BeginPage")[0]->offset);
      const xl::Operator* end = d.All("EndStream")[0];
      bool formMark = false;
      for (const xl::Operator& op : end->streamOps) {
        if (op.name == "SetPageOrigin" && op.attributes[0].value.items == std::vector<double>{7, 555}) formMark = true;
      }
      EXPECT_TRUE(formMark);
    }
    const auto pages = Pages(d);
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 0; p < 3; ++p) {
      const OverlayUse use = OverlayOn(pages[p]);
      EXPECT_EQ(use.execs, c.onPage[p]) << "page " << p + 1;
      if (use.execs) {
        EXPECT_EQ(use.beforeMark, c.placement == 0) << "page " << p + 1;
      }
      EXPECT_EQ(MarkOf(pages[p]), std::make_pair(p + 1, 100));
    }
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

// A form file imported into the user's form list by the procedure library's
// store is the form a job with that list position selected prints: the
// store and the render core name the same registry key and value.  The
// files are made by qxdtool from texts; a file that is not a form is
// refused at the import and takes no place in the list.
TEST_F(FaxJobTest, AFormImportedIntoTheFormListIsReplayedOnThePagesOfAJob) {
  const std::wstring driver = RenderDriver().name;
  const std::wstring key = L"Software\\" + std::wstring(MakerName()) + L"\\" + driver + L"\\" + printer_.name();
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  auto form = [](const char* stem) {
    const std::string path = testsupport::BinaryPath(std::string("overlay_forms/") + stem + ".QFV");
    return std::wstring(path.begin(), path.end());
  };
  {
    FormFileList* list = LoadOverlayFormList(printer_.name().c_str(), driver.c_str());
    ASSERT_NE(list, nullptr);
    EXPECT_NE(AddFormFileNode(form("letterhead_v2").c_str(), list), nullptr);
    EXPECT_EQ(AddFormFileNode(form("bad_magic").c_str(), list), nullptr);
    EXPECT_NE(AddFormFileNode(form("ruled_letterhead_v2").c_str(), list), nullptr);
    EXPECT_TRUE(SaveOverlayFormList(list));
    FreeOverlayFormList(list);
  }
  // The list as the next sheet session loads it: the drawing form second.
  {
    FormFileList* list = LoadOverlayFormList(printer_.name().c_str(), driver.c_str());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->nodes.size(), 2u);
    EXPECT_EQ(FormDisplayName(list->nodes[1]->header), L"Ruled letterhead");
    FreeOverlayFormList(list);
  }

  struct Case {
    const char* name;
    uint8_t overlay;  // the overlay switch
    int16_t form;     // the list position, -1 none
    int onPage[3];
  };
  for (const Case& c : {Case{"the drawing form on every page", 1, 1, {1, 1, 1}},
                        Case{"overlay switched off", 0, 1, {0, 0, 0}},
                        Case{"no form chosen", 1, -1, {0, 0, 0}},
                        Case{"a position past the list", 1, 2, {0, 0, 0}}}) {
    SCOPED_TRACE(c.name);
    DriverDevMode dm = A4DevMode();
    DocFields& f = Fields(dm.doc);
    f.bOverlay = c.overlay;
    f.nFormListPos = c.form;
    f.nOverlay = 2;
    f.nFormLaying = 0;
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 3;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const xl::Dissection& d = jobs[0].xl;
    ASSERT_TRUE(d.ok) << d.error;
    const bool defined = c.onPage[0] != 0;
    const auto streams = d.All("BeginStream");
    ASSERT_EQ(streams.size(), defined ? 1u : 0u);
    const std::string stream = "O" + std::to_string(c.form);
    if (defined) {
      EXPECT_EQ(streams[0]->attributes[0].value.Text(), stream);
      // The stream holds the form's drawing as the file gives it.
      std::vector<std::string> drawn;
      for (const xl::Operator& op : d.All("EndStream")[0]->streamOps) {
        drawn.push_back(op.name);
        if (op.name == "SetPageOrigin") {
          EXPECT_EQ(op.attributes[0].value.items, (std::vector<double>{7, 555}));
        }
        if (op.name == "Rectangle") {
          EXPECT_EQ(op.attributes[0].value.items, (std::vector<double>{100, 200, 1500, 260}));
        }
      }
      EXPECT_EQ(drawn, (std::vector<std::string>{"SetPageOrigin", "Rectangle"}));
    }
    const auto pages = Pages(d);
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 0; p < 3; ++p) {
      const OverlayUse use = OverlayOn(pages[p], stream);
      EXPECT_EQ(use.execs, c.onPage[p]) << "page " << p + 1;
      if (use.execs) {
        EXPECT_TRUE(use.beforeMark) << "page " << p + 1;
      }
      EXPECT_EQ(MarkOf(pages[p]), std::make_pair(p + 1, 100));
    }
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// Each of the model's fax resolutions, as the settings hold it (the entry's
// value and its two resolutions, the public DEVMODE's print quality and y
// resolution beside them), reaches the job twice: the header's resolution
// lines and the session's units per inch say the same.
TEST_F(FaxJobTest, TheHeaderAndTheSessionGiveTheResolutionOfTheSettings) {
  struct Case {
    uint8_t value;
    int16_t across, down;
  };
  constexpr uint16_t kUnitsPerMeasure = 137, kMeasure = 134;
  for (const Case c : {Case{0, 200, 100}, Case{1, 200, 200}, Case{2, 400, 400}}) {
    SCOPED_TRACE(testing::Message() << c.across << " x " << c.down);
    DriverDevMode dm = A4DevMode();
    DocFields& f = Fields(dm.doc);
    f.byResolution = c.value;
    f.nResoH = c.across;
    f.nResoV = c.down;
    f.nResoBit = c.across;
    auto* pub = reinterpret_cast<DEVMODEW*>(dm.publicPart);
    pub->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    pub->dmPrintQuality = c.across;
    pub->dmYResolution = c.down;
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = 2;
    job.draw = Mark(100);
    const std::vector<Job> jobs = SplitJobs(Run(job, dm));
    ASSERT_EQ(jobs.size(), 1u);
    const Job& j = jobs[0];
    ASSERT_TRUE(j.xl.ok) << j.xl.error;
    const std::string number = std::to_string(c.across);
    EXPECT_NE(j.pjl.find("@PJL SET RESOLUTION=" + number + "\r\n"), std::string::npos) << j.pjl;
    EXPECT_NE(j.pjl.find("@PJL SET FAXRESOLUTION=" + number + "\r\n"), std::string::npos) << j.pjl;
    const xl::Operator& session = j.xl.ops.at(0);
    ASSERT_EQ(session.name, "BeginSession");
    EXPECT_EQ(session.Number(kMeasure), 0.0);  // inches
    EXPECT_EQ(session.Number(kUnitsPerMeasure, 0), c.across);
    EXPECT_EQ(session.Number(kUnitsPerMeasure, 1), c.down);
    EXPECT_EQ(Pages(j.xl).size(), 2u);
  }
}

// The figure of the closing note: a job of 100 blank pages.
TEST_F(FaxJobTest, HundredBlankPages) {
  DdiHost::FaxJob job;
  job.pages = 100;
  const auto start = std::chrono::steady_clock::now();
  const std::vector<uint8_t> bytes = Run(job);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::vector<Job> jobs = SplitJobs(bytes);
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_TRUE(jobs[0].xl.ok) << jobs[0].xl.error;
  EXPECT_EQ(Pages(jobs[0].xl).size(), 100u);
  std::printf("100 blank pages: %.3f s, %.1f pages/s, %zu bytes\n", seconds, 100 / seconds, bytes.size());
}

}  // namespace
