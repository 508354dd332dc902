// The presets of the sample model, end to end: the printer's initialisation
// installs the presets the description file names, the user chooses one in
// the Easy Set area of a sheet, and a job printed with those settings
// through the render core carries them in its PJL header, with a sound PCL
// XL stream after it.
#include <windows.h>
#include <winddiui.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "dproc/easyset/easy_set_area_win.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/pclxl/xl_dissector.h"
#include "dproc/easyset/tests/easy_set_test_sheet_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using namespace easyset_test;

using testsupport::BinaryPath;
using testsupport::Widen;

testsupport::TestPrinterDriver PresetDriver() {
  // The shipped presets are made for the driver of this name.
  testsupport::TestPrinterDriver driver = RenderDriver();
  driver.name = L"Fax Driver";
  for (const char* file : {"model/VELDRANP.QXD", "model/VELDRAN1.QXS", "model/VELDRAN2.QXS"}) {
    driver.dependentFiles.push_back(Widen(BinaryPath(file)));
  }
  return driver;
}

std::u16string EasySetNameOf(const DocDMode& doc) {
  char16_t name[kEasySetNameChars] = {};
  std::memcpy(name, Fields(doc).szEasySetName, sizeof name);
  name[kEasySetNameChars - 1] = 0;
  return name;
}

class EasySetPresetJob : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    const std::wstring directory = testsupport::DriverDirectoryOf(printer_.handle());
    ASSERT_TRUE(host_.Load(directory + L"VELDRANE.DLL"));
    // The spooler initialises the new printer through the user interface
    // core: the presets are installed, the first one as the defaults.
    std::wstring name = printer_.name();
    HMODULE core = LoadLibraryW((directory + L"VELDRANK.DLL").c_str());
    ASSERT_NE(core, nullptr);
    using PrinterEventFn = BOOL(WINAPI*)(LPWSTR, int, DWORD, LPARAM);
    auto event = reinterpret_cast<PrinterEventFn>(reinterpret_cast<void (*)()>(GetProcAddress(core, "DrvPrinterEvent")));
    ASSERT_NE(event, nullptr);
    EXPECT_TRUE(event(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0));
    FreeLibrary(core);
    // The printer's defaults as an application asks for them.
    const LONG size = DocumentPropertiesW(nullptr, printer_.handle(), name.data(), nullptr, nullptr, 0);
    ASSERT_GE(size, LONG(sizeof(DriverDevMode)));
    std::vector<uint8_t> buffer(size_t(size), 0);
    ASSERT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name.data(), reinterpret_cast<DEVMODEW*>(buffer.data()),
                                  nullptr, DM_OUT_BUFFER),
              IDOK);
    std::memcpy(&defaults_, buffer.data(), sizeof defaults_);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    output_ = std::wstring(temp) + L"preset-job-" + std::to_wstring(GetCurrentProcessId()) + L".prn";
  }
  void TearDown() override {
    kit_.Close();
    SheetServices() = {nullptr, nullptr, nullptr};
    SetSheetConstraintCheck(nullptr);
    host_.Unload();
    DeleteFileW(output_.c_str());
  }

  // The PJL header and the dissected stream of a one-page job printed with
  // `doc` over the printer's default DEVMODE.
  xl::Dissection Print(const DocDMode& doc) {
    DriverDevMode dm = defaults_;
    dm.doc = doc;
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    const DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    const std::vector<uint8_t> bytes = ReadFileBytes(output_);
    xl::Options options;
    options.skipToHeader = true;
    return xl::Dissect(bytes.data(), bytes.size(), options);
  }

  testsupport::TestPrinter printer_{L"Fax Preset Job", PresetDriver()};
  DdiHost host_;
  DriverDevMode defaults_{};
  std::wstring output_;
  testsupport::DialogKit kit_;
};

// Each shipped preset, chosen in the Easy Set area, brings its fax options
// into the job header; the rest of the job stays as the printer's defaults
// make it.
TEST_F(EasySetPresetJob, AChosenPresetReachesTheJobHeader) {
  kit_.Session().printer = printer_.handle();
  wcsncpy(kit_.Session().printerName, printer_.name().c_str(), 259);
  kit_.Settings() = defaults_.doc;
  InstallEasySetArea();
  SetSheetConstraintCheck(AcceptAll);
  ASSERT_NE(kit_.OpenPages(kit_.Templates(), {100}, SheetProc), nullptr);
  HWND combo = kit_.Control(kEasySetComboId);
  auto choose = [&](const std::wstring& name) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      if (ComboText(combo, static_cast<int>(i)) == name) {
        kit_.Select(kEasySetComboId, static_cast<int>(i));
        return true;
      }
    }
    return false;
  };
  // Installed once: the printer's initialisation and the first defaults
  // left the two presets, once each, beside the built-in Easy Set.
  EXPECT_GE(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  int covers = 0;
  for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    covers += ComboText(combo, static_cast<int>(i)) == L"Fax with cover sheet" ? 1 : 0;
  }
  EXPECT_EQ(1, covers);

  ASSERT_TRUE(choose(L"Fax with cover sheet"));
  const DocDMode cover = kit_.Settings();
  EXPECT_EQ(kEasySetStateShared, Fields(cover).byEasySetIndex);
  EXPECT_EQ(u"Fax with cover sheet", EasySetNameOf(cover));
  EXPECT_EQ(1, +Fields(cover).faxSetting.fgFaxCoverSheet);
  EXPECT_EQ(0, +Fields(cover).faxSetting.fgPrtRecFile);
  const xl::Dissection before = Print(cover);
  ASSERT_TRUE(before.ok) << before.error;
  EXPECT_NE(before.prefix.find("@PJL SET FAXPRINTAFTERSEND=OFF\r\n"), std::string::npos) << before.prefix;

  ASSERT_TRUE(choose(L"Fax with a sending record"));
  const DocDMode record = kit_.Settings();
  EXPECT_EQ(u"Fax with a sending record", EasySetNameOf(record));
  EXPECT_EQ(1, +Fields(record).faxSetting.fgPrtRecFile);
  EXPECT_EQ(0, +Fields(record).faxSetting.fgFaxCoverSheet);
  const xl::Dissection after = Print(record);
  ASSERT_TRUE(after.ok) << after.error;
  EXPECT_NE(after.prefix.find("@PJL SET FAXPRINTAFTERSEND=ON\r\n"), std::string::npos) << after.prefix;
  EXPECT_EQ(after.prefix.find("FAXPRINTAFTERSEND=OFF"), std::string::npos) << after.prefix;

  // A preset restores neither the resolution nor the paper: both jobs give
  // the defaults' resolution line and page.
  const std::string resolution = "@PJL SET RESOLUTION=";
  const size_t at = before.prefix.find(resolution);
  ASSERT_NE(at, std::string::npos) << before.prefix;
  const std::string line = before.prefix.substr(at, before.prefix.find("\r\n", at) - at);
  EXPECT_NE(after.prefix.find(line), std::string::npos) << after.prefix;
  const std::string defaultsJob = Print(defaults_.doc).prefix;
  EXPECT_NE(defaultsJob.find(line), std::string::npos) << defaultsJob;
  ASSERT_EQ(1u, after.All("BeginPage").size());
  ASSERT_EQ(1u, before.All("BeginPage").size());
  constexpr uint16_t kMediaSize = 0x25;
  EXPECT_EQ(before.All("BeginPage")[0]->Number(kMediaSize), after.All("BeginPage")[0]->Number(kMediaSize));
}

}  // namespace
