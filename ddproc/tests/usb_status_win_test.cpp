// The USB status query against a stand-in of the spooler that reads the
// reply file's path from the PJL job and writes the reply there.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ddproc/usb/usb_rules.h"
#include "ddproc/usb/usb_status_win.h"

namespace {

enum class Reply { kAtOnce, kNone, kLate, kRefuseDoc, kRefuseWrite };

struct Spooler {
  Reply mode = Reply::kAtOnce;
  std::string reply;      // INI text written to the named file
  std::string job;        // what the query wrote
  std::wstring docName, dataType;
  std::string path;       // the reply file named by the job
  int sleeps = 0, docs = 0, ends = 0;
} g_spooler;

void WriteReply() {
  HANDLE f = CreateFileA(g_spooler.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, g_spooler.reply.data(), static_cast<DWORD>(g_spooler.reply.size()), &written, nullptr);
  CloseHandle(f);
}

DWORD WINAPI StartDoc(HANDLE, DWORD level, LPBYTE info) {
  if (g_spooler.mode == Reply::kRefuseDoc || level != 1) return 0;
  const auto* doc = reinterpret_cast<const DOC_INFO_1W*>(info);
  g_spooler.docName = doc->pDocName;
  g_spooler.dataType = doc->pDatatype;
  ++g_spooler.docs;
  return 1;
}

BOOL WINAPI Write(HANDLE, LPVOID data, DWORD size, LPDWORD written) {
  if (g_spooler.mode == Reply::kRefuseWrite) return FALSE;
  g_spooler.job.assign(static_cast<const char*>(data), size);
  *written = size;
  const std::string marker = "@PJL COMMENT = \"";
  const size_t at = g_spooler.job.find(marker);
  if (at == std::string::npos) return TRUE;
  const size_t from = at + marker.size();
  g_spooler.path = g_spooler.job.substr(from, g_spooler.job.find('"', from) - from);
  if (g_spooler.mode == Reply::kAtOnce) WriteReply();
  return TRUE;
}

BOOL WINAPI EndDoc(HANDLE) {
  ++g_spooler.ends;
  return TRUE;
}

void WINAPI Nap(DWORD ms) {
  EXPECT_EQ(ms, 1000u);
  if (++g_spooler.sleeps == 3 && g_spooler.mode == Reply::kLate) WriteReply();
}

class UsbStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_spooler = Spooler{};
    const UsbSpoolerAccess access = {StartDoc, Write, EndDoc, Nap};
    SetUsbSpoolerAccess(&access);
  }
  void TearDown() override { SetUsbSpoolerAccess(nullptr); }
  HANDLE printer() const { return reinterpret_cast<HANDLE>(0x1234); }
};

TEST_F(UsbStatusTest, TheJobAsksAndTheReplyBecomesAList) {
  g_spooler.reply = "[Other]\nMODEL=X\n[PrinterStatus]\nMODEL=T620P\nHDD=ENABLE\nTRAY1PAPERSIZE=A4\n";
  UsbStatusList* list = GetPrinterStatusUsb(printer());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(g_spooler.docName, L"Printer Configuration");
  EXPECT_EQ(g_spooler.dataType, L"RAW");
  EXPECT_EQ(g_spooler.ends, 1);
  EXPECT_EQ(g_spooler.sleeps, 0);
  EXPECT_EQ(g_spooler.job, "\x1b%-12345X@PJL \r\n@PJL INFO VQOPTSTATUS\r\n@PJL COMMENT = \"" + g_spooler.path +
                               "\"\r\n\x1b%-12345X");
  // The file was a unique temporary file, deleted once read.
  EXPECT_NE(g_spooler.path.find("dat"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(g_spooler.path.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(list->count, 3u);
  EXPECT_EQ(reinterpret_cast<char*>(list->pairs), reinterpret_cast<char*>(list) + sizeof(UsbStatusList));
  EXPECT_STREQ(list->pairs[0].key, "MODEL");
  EXPECT_STREQ(list->pairs[0].value, "T620P");
  EXPECT_STREQ(list->pairs[2].key, "TRAY1PAPERSIZE");
  EXPECT_TRUE(UsbIsSupportedModel(list));
  DeletePrinterStatusUsb(list);
  DeletePrinterStatusUsb(nullptr);
}

TEST_F(UsbStatusTest, NoReplyAfterFiveTries) {
  g_spooler.mode = Reply::kNone;
  EXPECT_EQ(GetPrinterStatusUsb(printer()), nullptr);
  EXPECT_EQ(g_spooler.sleeps, 5);
}

TEST_F(UsbStatusTest, ALateReplyIsStillRead) {
  g_spooler.mode = Reply::kLate;
  g_spooler.reply = "[PrinterStatus]\nMODEL=T490\n";
  UsbStatusList* list = GetPrinterStatusUsb(printer());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(g_spooler.sleeps, 3);
  EXPECT_EQ(list->count, 1u);
  DeletePrinterStatusUsb(list);
}

TEST_F(UsbStatusTest, TheSpoolerRefuses) {
  g_spooler.mode = Reply::kRefuseDoc;
  EXPECT_EQ(GetPrinterStatusUsb(printer()), nullptr);
  EXPECT_EQ(g_spooler.ends, 0);
  g_spooler.mode = Reply::kRefuseWrite;
  EXPECT_EQ(GetPrinterStatusUsb(printer()), nullptr);
  EXPECT_EQ(g_spooler.ends, 1);
  EXPECT_EQ(g_spooler.sleeps, 0);
}

TEST_F(UsbStatusTest, AHugeKeyListIsReadWhole) {
  std::string reply = "[PrinterStatus]\r\n";
  for (int i = 0; i < 300; ++i) reply += "KEY_NUMBER_" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
  reply += "MODEL=T620\r\n";
  g_spooler.reply = reply;
  UsbStatusList* list = GetPrinterStatusUsb(printer());
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count, 301u);
  EXPECT_STREQ(list->pairs[299].key, "KEY_NUMBER_299");
  EXPECT_STREQ(list->pairs[299].value, "value 299");
  EXPECT_TRUE(UsbIsSupportedModel(list));
  DeletePrinterStatusUsb(list);
}

TEST_F(UsbStatusTest, AReplyWithoutTheSectionIsAnEmptyList) {
  g_spooler.reply = "[Other]\nMODEL=T620\n";
  UsbStatusList* list = GetPrinterStatusUsb(printer());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 0u);
  EXPECT_FALSE(UsbIsSupportedModel(list));
  DeletePrinterStatusUsb(list);
}

}  // namespace
