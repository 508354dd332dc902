// The job's write path into a real spooler job: a printer on the FILE:
// port writes what the job hands to the spooler into the job's file.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/qxd/qxd_file.h"
#include "drender/job/job_engine.h"
#include "drender/job/job_output.h"
#include "drender/pjl/pjl_start_commands.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/temp_spool_file.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"
#include "tests/support/test_printer_win.h"

namespace {

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  uint8_t buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(file);
  return bytes;
}

class JobOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    output_ = std::wstring(temp) + L"render-job-" + std::to_wstring(GetCurrentProcessId()) + L".prn";
    // A job record as DrvEnablePDEV and DrvEnableSurface leave it.
    pdev_ = static_cast<RenderPdev*>(std::calloc(1, sizeof(RenderPdev)));
    pdev_->marker = kJobRecordMarker;
    pdev_->marker2 = kJobRecordMarker;
    pdev_->size = kJobRecordSize;
    pdev_->state.printer = printer_.handle();
    block_.assign(65536, 0);
    pdev_->state.output = RenderOutputBuffer{block_.data(), 65536, kOutputBufferCapacity, 0, 0};
    ASSERT_NE(DdiHost::StartSpoolerJob(printer_.handle(), L"Output test", output_.c_str()), 0u);
  }
  void TearDown() override {
    std::free(pdev_);
    DeleteFileW(output_.c_str());
  }
  std::vector<uint8_t> Finish() {
    EXPECT_TRUE(DdiHost::EndSpoolerJob(printer_.handle()));
    return ReadFileBytes(output_);
  }
  std::vector<uint8_t> Bytes(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 3);
    return v;
  }

  testsupport::TestPrinter printer_{L"Fax Output"};
  std::wstring output_;
  std::vector<uint8_t> block_;
  RenderPdev* pdev_ = nullptr;
};

TEST_F(JobOutputTest, BytesReachTheJobsFileInOrder) {
  std::vector<uint8_t> want;
  for (size_t n : {5u, 300u, 700u, 212u, 1u}) {
    auto piece = Bytes(n, static_cast<uint8_t>(n));
    ASSERT_EQ(Rdc_WriteBytes(pdev_, piece.data(), static_cast<uint32_t>(n)), 1u);
    want.insert(want.end(), piece.begin(), piece.end());
  }
  ASSERT_EQ(Rdc_FlushOutput(pdev_), 1u);
  EXPECT_TRUE(pdev_->state.output.jobFlags & kJobDelivered);
  EXPECT_EQ(Finish(), want);
}

TEST_F(JobOutputTest, ADroppedJobWritesNothing) {
  pdev_->state.faxCancelled = 1;
  auto piece = Bytes(2000, 1);
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 2000), 1u);
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 20), 1u);
  EXPECT_EQ(Rdc_FlushOutput(pdev_), 1u);
  EXPECT_TRUE(Finish().empty());
}

TEST_F(JobOutputTest, CapturedBytesGoToTheCaptureSpool) {
  TempSpool* capture = Spool_Create(0, kSpoolMemory);
  ASSERT_NE(capture, nullptr);
  pdev_->state.captureSpool = capture;
  pdev_->state.capturing = 1;
  auto piece = Bytes(100, 9);
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 100), 1u);
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 100), 1u);
  EXPECT_EQ(capture->length, 200u);
  EXPECT_EQ(pdev_->state.output.fill, 0u);
  pdev_->state.capturing = 0;
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 100), 1u);
  EXPECT_EQ(Rdc_FlushOutput(pdev_), 1u);
  EXPECT_EQ(Finish(), piece);
  Spool_Free(capture);
}

TEST_F(JobOutputTest, NotAJobRecordWritesNothing) {
  pdev_->marker2 = 0;
  auto piece = Bytes(10, 1);
  EXPECT_EQ(Rdc_WriteBytes(pdev_, piece.data(), 10), 0u);
  EXPECT_EQ(Rdc_FlushOutput(pdev_), 0u);
  pdev_->marker2 = kJobRecordMarker;
  EXPECT_TRUE(Finish().empty());
}

// The job header of the sample model's command file, written through the
// job's output buffer to the spooler.
TEST_F(JobOutputTest, PjlJobHeaderReachesTheSpooler) {
  std::unique_ptr<WorkDevMode> settings(new WorkDevMode());
  std::memset(settings.get(), 0, sizeof(WorkDevMode));
  uint8_t* doc = reinterpret_cast<uint8_t*>(&settings->devmode.doc);
  doc[64] = 1;                            // portrait
  doc[1412] = 1;                          // one-sided
  pdev_->state.live = settings.get();
  wcscpy(pdev_->state.docName, L"Wine job");
  static FaxSendBlock fax{};
  fax.wRecipientCount = 2;
  std::memcpy(fax.recipients[0].szFaxNumber, u"111", 6);
  std::memcpy(fax.recipients[1].szFaxNumber, u"222", 6);
  // The templates as a PDEV loads them at enable, from the compiled model.
  auto* state = static_cast<RenderPjlState*>(std::calloc(1, sizeof(RenderPjlState)));
  pdev_->tail.pjl = state;
  const std::string path = testsupport::BinaryPath("model/VELDRANP.QXD");
  const std::wstring widePath = testsupport::Widen(path);
  QxdContext* file = QxdOpen(widePath.c_str(), 1);
  ASSERT_NE(file, nullptr);
  Pjl_LoadTemplateSet(file, &state->templates);
  QxdClose(file);
  ASSERT_EQ(Rdc_SetFaxData(pdev_, &fax), 1u);
  EXPECT_GT(Pjl_WriteStartCommands(pdev_), 10u);
  ASSERT_EQ(Rdc_FlushOutput(pdev_), 1u);
  std::vector<uint8_t> bytes = Finish();
  const std::string header(bytes.begin(), bytes.end());
  EXPECT_EQ(header.rfind("\x1B%-12345X@PJL JOB\r\n", 0), 0u) << header;
  EXPECT_NE(header.find("@PJL SET JOBNAME=\"Wine job\"\r\n"), std::string::npos) << header;
  EXPECT_NE(header.find("@PJL SET FAXNUMBER0=\"111\""), std::string::npos) << header;
  EXPECT_NE(header.find("@PJL SET FAXNUMBER1=\"222\""), std::string::npos) << header;
  EXPECT_EQ(header.substr(header.size() - 27), "@PJL ENTER LANGUAGE=PCLXL\r\n");
  Pjl_FreeTemplates(pdev_);
  Rdc_FreeFaxData(pdev_);
  EXPECT_EQ(pdev_->tail.pjl, nullptr);
}

}  // namespace
