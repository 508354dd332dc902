// An application's settings transfer on a printer DC, end to end: the
// application escapes of the render core (played through the test host as
// GDI plays ExtEscape), the procedure library the render core loads beside
// itself from the printer's driver directory, and the printer's settings in
// Wine's spooler.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/contracts/settings_transfer_codes.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/win/devmode_store_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/support/test_printer_win.h"

namespace {

constexpr ULONG kQueryEscSupport = 8;
constexpr ULONG kExport = 10000, kImport = 10001, kMessage = 10004;

class SettingsEscapesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    DevDMode device{};
    ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &device), 0u);
    ASSERT_TRUE(host_.Load(testsupport::DriverDirectoryOf(printer_.handle()) + L"VELDRANE.DLL"));
    std::wstring name = printer_.name();
    const LONG size = DocumentPropertiesW(nullptr, printer_.handle(), name.data(), nullptr, nullptr, 0);
    ASSERT_GT(size, 0);
    devmode_.assign(size, 0);
    ASSERT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name.data(), Devmode(), nullptr, DM_OUT_BUFFER), IDOK);
    pdev_ = host_.EnablePdev(printer_.handle(), name.c_str(), Devmode(), 0, nullptr, 0, nullptr);
    ASSERT_NE(pdev_, nullptr);
    surface_ = host_.EnableSurface(pdev_);
    ASSERT_NE(surface_, nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"settings-escape-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
  }
  void TearDown() override {
    if (surface_) host_.DisableSurface(pdev_);
    if (pdev_) host_.DisablePdev(pdev_);
    host_.Unload();
    DeleteFileW(path_.c_str());
  }
  DEVMODEW* Devmode() { return reinterpret_cast<DEVMODEW*>(devmode_.data()); }

  // The transfer escape's input: the file path, then the printer name at
  // byte 4096; its output the error code.
  ULONG Transfer(ULONG escape, uint32_t* code) {
    std::vector<char> in(8192, '\0');
    const std::string path(path_.begin(), path_.end());
    const std::string name(printer_.name().begin(), printer_.name().end());
    std::memcpy(in.data(), path.data(), path.size());
    std::memcpy(in.data() + 4096, name.data(), name.size());
    *code = 0xDEAD;
    return host_.Escape(surface_, escape, static_cast<ULONG>(in.size()), in.data(), sizeof *code, code);
  }
  std::string Message(uint32_t code) {
    char text[300] = {};
    EXPECT_EQ(host_.Escape(surface_, kMessage, sizeof code, &code, sizeof text, text), 1u);
    return text;
  }

  testsupport::TestPrinter printer_{L"Fax Settings Escape", RenderDriver()};
  DdiHost host_;
  std::vector<BYTE> devmode_;
  DHPDEV pdev_ = nullptr;
  SURFOBJ* surface_ = nullptr;
  std::wstring path_;
};

TEST_F(SettingsEscapesTest, ExportThenImportThroughThePrinterDc) {
  for (ULONG escape = kExport; escape <= kMessage; ++escape) {
    const uint32_t query = escape;
    EXPECT_EQ(host_.Escape(surface_, kQueryEscSupport, sizeof query, &query, 0, nullptr), 1u) << escape;
  }
  uint32_t code = 0;
  ASSERT_EQ(Transfer(kExport, &code), 1u);
  ASSERT_EQ(code, kTransferOk);
  auto doc = ReadSettingsFile(path_.c_str());
  ASSERT_TRUE(doc);
  int32_t copies = 0;
  ASSERT_TRUE(IniDoc_GetInt(*doc, u"OEMDEV", u"nCopies", &copies));
  uint32_t error = 0;
  const DocDMode* before = LocateDocDMode(devmode_.data(), &error);
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(copies, Fields(*before).nCopies);

  // The application changes the file and imports it.
  ASSERT_TRUE(IniDoc_SetRaw(*doc, u"OEMDEV", u"nCopies", u"6"));
  ASSERT_TRUE(WriteSettingsFile(*doc, path_.c_str()));
  ASSERT_EQ(Transfer(kImport, &code), 1u);
  EXPECT_EQ(code, kTransferOk);
  std::wstring name = printer_.name();
  std::vector<BYTE> now(devmode_.size());
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name.data(), reinterpret_cast<DEVMODEW*>(now.data()),
                                nullptr, DM_OUT_BUFFER),
            IDOK);
  const DocDMode* settings = LocateDocDMode(now.data(), &error);
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(+Fields(*settings).nCopies, 6);

  // A file of another model is refused, and the application reads why.
  ASSERT_TRUE(IniDoc_SetString(*doc, u"DriverInfo", u"model", u"Another Model"));
  ASSERT_TRUE(WriteSettingsFile(*doc, path_.c_str()));
  ASSERT_EQ(Transfer(kImport, &code), 1u);
  EXPECT_EQ(code, kTransferWrongModel);
  EXPECT_EQ(Message(code), "The settings file was made for another printer model.");
  EXPECT_EQ(Message(99), "The settings could not be transferred because of an unexpected error.");
}

}  // namespace
