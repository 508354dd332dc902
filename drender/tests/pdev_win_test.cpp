// The PDEV through the test host and a test printer in Wine's spooler:
// capabilities, the font module, the defaults of the user interface core,
// resets and clean-up.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "common/records/doc_fields.h"
#include "common/records/job_record.h"
#include "common/records/settings_checksum.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/render_pdev.h"
#include "drender/tests/render_dir.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

namespace {

using testsupport::Widen;

// The fax driver of the build tree, with the font module among
// the driver's files.
testsupport::TestPrinterDriver RenderDriver() {
  testsupport::TestPrinterDriver driver = testsupport::FaxDriver();
  driver.name = L"Fax Render Test Driver";
  driver.dependentFiles.push_back(Widen(testsupport::BinaryPath("bin/VELDRANQ.DLL")));
  return driver;
}

// A driver DEVMODE for A4 with 4.2 mm margins at 200 x 100 dpi.
DriverDevMode A4DevMode(uint8_t orientation) {
  DriverDevMode dm{};
  auto* pub = reinterpret_cast<DEVMODEW*>(dm.publicPart);
  pub->dmSpecVersion = kDriverSpecVersion;
  pub->dmDriverVersion = 0x0123;  // not compared
  pub->dmSize = kDevModeWSize;
  pub->dmDriverExtra = kDriverDevModeExtra;
  InitDocDModeHeader(&dm.doc);
  SetDocByte(&dm.doc, kDocOrientationAt, orientation);
  SetDocI16(&dm.doc, kDocPaperSizeAt, 9);
  SetDocI16(&dm.doc, kDocPaperWidthAt, 2100);
  SetDocI16(&dm.doc, kDocPaperLengthAt, 2970);
  for (int i = 0; i < 4; ++i) SetDocI16(&dm.doc, 72 + 2 * i, 42);
  SetDocI16(&dm.doc, kDocOutPaperSizeAt, 356);
  SetDocI16(&dm.doc, 598, 1);
  SetDocI16(&dm.doc, 2220, 200);
  SetDocI16(&dm.doc, 2222, 100);
  SetDocI16(&dm.doc, 2224, 1);
  dm.magic = kDriverDevModeMagic;
  SealDocDMode(&dm.doc);
  return dm;
}

// The capabilities GDI expects for A4 at 200 x 100 dpi, written out by hand:
// 2100 x 2970 tenths of a millimetre are 1653 x 1169 dots; a 4.2 mm margin
// is 165 mils, 33 dots across and 16 dots down.
GDIINFO ExpectedGdiInfo(bool portrait) {
  GDIINFO g{};
  g.ulVersion = 0x400;
  g.ulTechnology = 2;
  g.ulHorzSize = portrait ? 201 : 288;
  g.ulVertSize = portrait ? 288 : 201;
  g.ulHorzRes = portrait ? 1653 - 66 : 1169 - 32;
  g.ulVertRes = portrait ? 1169 - 32 : 1653 - 66;
  g.cBitsPixel = 24;
  g.cPlanes = 1;
  g.ulNumColors = 0xFFFFFF;
  g.ulLogPixelsX = portrait ? 200 : 100;
  g.ulLogPixelsY = portrait ? 100 : 200;
  g.flTextCaps = 0x419;
  g.ulAspectX = g.ulLogPixelsX;
  g.ulAspectY = g.ulLogPixelsY;
  g.ulAspectXY = 1;
  g.xStyleStep = 1;
  g.yStyleStep = 1;
  g.denStyleStep = portrait ? 4 : 2;
  g.ptlPhysOffset = portrait ? POINTL{33, 16} : POINTL{16, 33};
  g.szlPhysSize = portrait ? SIZEL{1653, 1169} : SIZEL{1169, 1653};
  g.ciDevice = COLORINFO{{6810, 3050, 0}, {2260, 6550, 0}, {1810, 500, 0}, {2000, 2450, 0}, {5210, 2100, 0},
                         {4750, 5100, 0}, {3324, 3474, 10000}, 10000, 10000, 10000, 1422, 952, 787, 495, 324, 248};
  g.ulHTPatternSize = 7;
  g.ulHTOutputFormat = 6;
  g.flHTFlags = 2;
  return g;
}

class PdevTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    baseline_ = DdiHost_LiveObjects();
  }
  void TearDown() override {
    host_.Unload();
    HostObjectCounts now = DdiHost_LiveObjects();
    EXPECT_EQ(now.palettes, baseline_.palettes);
    EXPECT_EQ(now.modules, baseline_.modules);
    EXPECT_EQ(now.surfaces, baseline_.surfaces);
  }
  DHPDEV Enable(DEVMODEW* devmode, void* gdi = nullptr, ULONG gdiSize = 0, void* dev = nullptr, ULONG devSize = 0) {
    return host_.EnablePdev(printer_.handle(), printer_.name().c_str(), devmode, gdiSize, gdi, devSize, dev);
  }
  static RenderPdev* Record(DHPDEV pdev) { return reinterpret_cast<RenderPdev*>(pdev); }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Render", RenderDriver()};
  DdiHost host_;
  HostObjectCounts baseline_{};
};

TEST_F(PdevTest, CapabilitiesByteForByteInBothOrientations) {
  for (uint8_t orientation : {1, 2}) {
    DriverDevMode dm = A4DevMode(orientation);
    uint8_t gdi[400];
    uint8_t dev[400];
    std::memset(gdi, 0xCC, sizeof gdi);
    std::memset(dev, 0xCC, sizeof dev);
    DHPDEV pdev = Enable(reinterpret_cast<DEVMODEW*>(&dm), gdi, sizeof gdi, dev, sizeof dev);
    ASSERT_NE(pdev, nullptr) << int(orientation);
    GDIINFO want = ExpectedGdiInfo(orientation == 1);
    EXPECT_EQ(0, std::memcmp(gdi, &want, sizeof want)) << int(orientation);
    for (size_t i = sizeof(GDIINFO); i < sizeof gdi; ++i) ASSERT_EQ(gdi[i], 0) << i;

    DEVINFO info;
    std::memcpy(&info, dev, sizeof info);
    EXPECT_EQ(info.flGraphicsCaps, 0x11Du) << "EMF spooling is on in the stand-in's device settings";
    EXPECT_EQ(info.lfDefaultFont.lfHeight, -34);  // 12 points at 200 dpi, rounded up
    EXPECT_EQ(info.lfDefaultFont.lfCharSet, 128);
    EXPECT_STREQ(info.lfAnsiVarFont.lfFaceName, L"Helvetica");
    EXPECT_STREQ(info.lfAnsiFixFont.lfFaceName, L"Courier");
    EXPECT_EQ(info.iDitherFormat, 5u);
    EXPECT_EQ(DdiHost_PaletteMode(info.hpalDefault), PAL_RGB);
    for (size_t i = sizeof(DEVINFO); i < sizeof dev; ++i) ASSERT_EQ(dev[i], 0) << i;

    RenderPdev* record = Record(pdev);
    EXPECT_EQ(record->marker, kJobRecordMarker);
    EXPECT_EQ(record->size, kJobRecordSize);
    EXPECT_EQ(record->marker2, kJobRecordMarker);
    EXPECT_EQ(record->state.live, &record->settings);
    EXPECT_EQ(record->state.hdev, host_.DeviceOf(pdev));
    EXPECT_EQ(record->state.bandOrder, orientation == 1 ? 17u : 34u);
    EXPECT_STREQ(record->state.portName, L"FILE:");
    EXPECT_EQ(std::wstring(record->state.printerName), printer_.name());
    // The sample model's colour-setting commands came with the PDEV.
    const ColorSettingCommand* automatic = Rdc_FindColorSetting(record->tail.colorCommands, "Color_Auto");
    ASSERT_NE(automatic, nullptr);
    EXPECT_STREQ(automatic->pairs[0].key, "Img_Edge");
    host_.DisablePdev(pdev);
  }
}

TEST_F(PdevTest, ShortCapabilityBuffersGetTheirShare) {
  DriverDevMode dm = A4DevMode(1);
  uint8_t gdi[100];
  DHPDEV pdev = Enable(reinterpret_cast<DEVMODEW*>(&dm), gdi, sizeof gdi, nullptr, 0);
  ASSERT_NE(pdev, nullptr);
  GDIINFO want = ExpectedGdiInfo(true);
  EXPECT_EQ(0, std::memcmp(gdi, &want, sizeof gdi));
  host_.DisablePdev(pdev);
}

TEST_F(PdevTest, StoredSettingsMissingTakeTheUserInterfaceDefaults) {
  // A fresh printer has no device settings stored: the stand-in export of
  // VELDRANK.DLL provides the defaults, stamped with magic and checksum.
  DHPDEV pdev = Enable(nullptr);
  ASSERT_NE(pdev, nullptr);
  const WorkDevMode& settings = Record(pdev)->settings;
  EXPECT_EQ(DocI16(&settings.devmode.doc, 598), 3);
  EXPECT_EQ(settings.devmode.magic, kDriverDevModeMagic);
  EXPECT_TRUE(DocDModeChecksumMatches(&settings.devmode.doc));
  EXPECT_EQ(settings.device.option.emfSpool, 1);
  // The public part is written from the settings, with the printer's name.
  const auto* pub = reinterpret_cast<const DEVMODEW*>(settings.devmode.publicPart);
  EXPECT_EQ(pub->dmCopies, 3);
  EXPECT_EQ(pub->dmPrintQuality, 200);
  EXPECT_EQ(std::wstring(pub->dmDeviceName), printer_.name().substr(0, 31));
  host_.DisablePdev(pdev);
}

TEST_F(PdevTest, WithoutTheFontModuleThereIsNoPdev) {
  wchar_t dir[MAX_PATH];
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  std::wstring font = std::wstring(dir) + L"\\3\\VELDRANQ.DLL";
  std::wstring hidden = font + L".hidden";
  ASSERT_TRUE(MoveFileExW(font.c_str(), hidden.c_str(), MOVEFILE_REPLACE_EXISTING));
  DriverDevMode dm = A4DevMode(1);
  DHPDEV pdev = Enable(reinterpret_cast<DEVMODEW*>(&dm));
  MoveFileExW(hidden.c_str(), font.c_str(), MOVEFILE_REPLACE_EXISTING);
  EXPECT_EQ(pdev, nullptr);
  if (pdev) host_.DisablePdev(pdev);
  // With the module back, the PDEV is there again.
  pdev = Enable(reinterpret_cast<DEVMODEW*>(&dm));
  EXPECT_NE(pdev, nullptr);
  if (pdev) host_.DisablePdev(pdev);
}

TEST_F(PdevTest, ResetBetweenPagesHandsTheJobOver) {
  DriverDevMode dm = A4DevMode(1);
  DHPDEV first = Enable(reinterpret_cast<DEVMODEW*>(&dm));
  ASSERT_NE(first, nullptr);
  RenderPdevState& a = Record(first)->state;
  wcscpy(a.docName, L"Quarterly report");
  a.jobNumber = 42;
  a.lastJobNumber = 42;
  a.docPageCount = 1;
  a.totalPageCount = 5;
  a.pageCounter = 1;
  a.headerWritten = 1;
  a.output.jobFlags = kJobStarted | kJobPageEnded;
  void* table = std::malloc(16);
  a.interSheetTable = table;

  DriverDevMode landscape = A4DevMode(2);
  DHPDEV second = Enable(reinterpret_cast<DEVMODEW*>(&landscape));
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(host_.ResetPdev(first, second));
  RenderPdevState& b = Record(second)->state;
  EXPECT_STREQ(b.docName, L"Quarterly report");
  EXPECT_EQ(b.jobNumber, 42u);
  EXPECT_EQ(b.lastJobNumber, 42u);
  EXPECT_EQ(b.docPageCount, 1u);
  EXPECT_EQ(b.totalPageCount, 5u);
  EXPECT_EQ(b.pageCounter, 0u) << "the next page runs the job start again";
  EXPECT_EQ(b.headerWritten, 1) << "and finds the header written";
  EXPECT_EQ(b.output.jobFlags, kJobStarted | kJobPageEnded);
  EXPECT_EQ(b.interSheetTable, table);
  EXPECT_EQ(a.interSheetTable, nullptr);
  EXPECT_EQ(b.pageOrientation, 2u);
  // Each PDEV frees what it still owns: the table once.
  host_.DisablePdev(first);
  host_.DisablePdev(second);
}

TEST_F(PdevTest, EntryPointsRefuseWhatIsNotAPdev) {
  auto complete = host_.Get<PFN_DrvCompletePDEV>(INDEX_DrvCompletePDEV);
  auto disable = host_.Get<PFN_DrvDisablePDEV>(INDEX_DrvDisablePDEV);
  auto reset = host_.Get<PFN_DrvResetPDEV>(INDEX_DrvResetPDEV);
  std::vector<uint8_t> junk(kJobRecordSize, 0);
  junk[0] = 0x40;
  junk[1] = 0x89;  // first marker only
  for (DHPDEV bad : {static_cast<DHPDEV>(nullptr), reinterpret_cast<DHPDEV>(junk.data())}) {
    SetLastError(0);
    complete(bad, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    disable(bad);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  DriverDevMode dm = A4DevMode(1);
  DHPDEV good = Enable(reinterpret_cast<DEVMODEW*>(&dm));
  ASSERT_NE(good, nullptr);
  SetLastError(0);
  EXPECT_FALSE(reset(good, reinterpret_cast<DHPDEV>(junk.data())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  host_.DisablePdev(good);
}

TEST_F(PdevTest, CallersPublicFieldsAreMergedFromAForeignDevMode) {
  // A DEVMODE of another driver: only its public fields count, and nothing
  // is read beyond its own size.
  std::vector<uint8_t> block(sizeof(DEVMODEW) + 16, 0xEE);
  auto* dm = reinterpret_cast<DEVMODEW*>(block.data());
  std::memset(dm, 0, sizeof(DEVMODEW));
  dm->dmSpecVersion = 0x401;
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmDriverExtra = 16;
  dm->dmFields = DM_ORIENTATION | DM_COPIES;
  dm->dmOrientation = 2;
  dm->dmCopies = 1;
  DHPDEV pdev = Enable(dm);
  ASSERT_NE(pdev, nullptr);
  const DocDMode& doc = Record(pdev)->settings.devmode.doc;
  EXPECT_EQ(DocByte(&doc, kDocOrientationAt), 2);
  EXPECT_EQ(DocI16(&doc, 2220), 200) << "the rest are the printer's settings";
  host_.DisablePdev(pdev);
}

TEST_F(PdevTest, HostRunsAPlainJobWithoutTheUserInterfaceCoresEscapes) {
  // GDI's calls alone (no private escapes): the job reaches the spooler
  // whole, and the surface and the PDEV are taken down without leaks.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring output = std::wstring(temp) + L"render-host-job.bin";
  DriverDevMode dm = A4DevMode(1);
  DdiHost::JobResult result = host_.RunJob(printer_.handle(), printer_.name().c_str(),
                                           reinterpret_cast<DEVMODEW*>(&dm), L"Host job", output.c_str(), 1);
  EXPECT_TRUE(result.ok) << result.failedStep;
  HANDLE file = CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char head[20] = {};
  DWORD got = 0;
  ReadFile(file, head, sizeof head - 1, &got, nullptr);
  CloseHandle(file);
  EXPECT_EQ(std::string(head, got), std::string("\x1B%-12345X@PJL JOB\r\n"));
  DeleteFileW(output.c_str());
}

}  // namespace
