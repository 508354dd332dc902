// DEVMODE handling of the core: defaults, conversion, validation of a
// caller's DEVMODE, the printer's stored settings, capabilities and the
// document properties without sheets, called directly and through Wine's
// spooler with the core installed as the printer's configuration file.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win/devmode_store_win.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "duicore/tests/core_library_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using coretest::Core;

constexpr uint32_t kMarkAt = 5000;  // a settings byte that only these tests write

DEVMODEW* Public(DriverDevMode* dm) { return reinterpret_cast<DEVMODEW*>(dm->publicPart); }
const DEVMODEW* Public(const DriverDevMode* dm) { return reinterpret_cast<const DEVMODEW*>(dm->publicPart); }

// A DEVMODE of another driver: the standard part only.
DEVMODEW ForeignDevMode(short orientation, short paper) {
  DEVMODEW dm = {};
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmSize = sizeof dm;
  dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
  dm.dmOrientation = orientation;
  dm.dmPaperSize = paper;
  return dm;
}

class DevModeHandlingTest : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_NE(Core().convertDevMode, nullptr);
    ASSERT_NE(Core().settings, nullptr);
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    name_ = printer_.name();
  }

  // The driver default through DrvConvertDevMode.
  DriverDevMode Default() {
    DriverDevMode dm = {};
    LONG size = sizeof dm;
    EXPECT_TRUE(Core().convertDevMode(name_.data(), nullptr, Public(&dm), &size, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(size, static_cast<LONG>(kDriverDevModeSize));
    return dm;
  }
  DriverDevMode Convert(const DEVMODEW* in) {
    DriverDevMode dm = {};
    LONG size = sizeof dm;
    EXPECT_TRUE(Core().convertDevMode(name_.data(), const_cast<DEVMODEW*>(in), Public(&dm), &size, CDM_CONVERT));
    return dm;
  }

  // Stores `dm` as the printer's DEVMODE and a device settings record.
  void StoreSettings(const DriverDevMode& dm) {
    DWORD needed = 0;
    GetPrinterW(printer_.handle(), 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    ASSERT_TRUE(GetPrinterW(printer_.handle(), 2, info.data(), needed, &needed));
    auto* p2 = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
    p2->pDevMode = const_cast<DEVMODEW*>(Public(&dm));
    p2->pSecurityDescriptor = nullptr;
    ASSERT_TRUE(SetPrinterW(printer_.handle(), 2, info.data(), 0)) << GetLastError();
    DevDMode device = {};
    device.head[0] = 2;
    device.head[1] = 7;
    ASSERT_EQ(WritePrivateDevModeData(printer_.handle(), &device), kDevModeStoreOk);
  }
  // A landscape record with the test mark, stored as the printer's settings.
  DriverDevMode StoreMarkedLandscape() {
    const DEVMODEW landscape = ForeignDevMode(DMORIENT_LANDSCAPE, DMPAPER_A4);
    DriverDevMode dm = Convert(&landscape);
    SetDocByte(&dm.doc, kMarkAt, 0xAB);
    SealDocDMode(&dm.doc);
    StoreSettings(dm);
    return dm;
  }
  void SetData(const wchar_t* value, const void* data, DWORD size, DWORD type = REG_BINARY) {
    ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(value), type,
                              static_cast<BYTE*>(const_cast<void*>(data)), size),
              static_cast<DWORD>(ERROR_SUCCESS));
  }

  testsupport::TestPrinter printer_{L"Fax Core DevMode"};
  std::wstring name_;
};

TEST_F(DevModeHandlingTest, DriverDefaultIsACompleteDevModeOfThePrinter) {
  const LONG presets = Core().Log().easySetPreset;
  const DriverDevMode dm = Default();
  EXPECT_TRUE(IsOwnDriverDevMode(&dm, sizeof dm));
  // The sample model asks for the collate field, with collation off.
  EXPECT_EQ(Public(&dm)->dmFields, 0x0200BF0Fu);
  EXPECT_EQ(Public(&dm)->dmCollate, DMCOLLATE_FALSE);
  EXPECT_EQ(std::wstring(Public(&dm)->dmDeviceName), name_.substr(0, CCHDEVICENAME - 1));
  EXPECT_EQ(Public(&dm)->dmPaperSize, kStandInDefaultPaper);
  // The presets were not installed yet: the settings library was asked to.
  EXPECT_EQ(Core().Log().easySetPreset, presets + 1);
  // The program that had the settings handed out, cut to its field.
  char16_t host[kDocHostProgramNameUnits];
  std::memcpy(host, DocBytes(&dm.doc) + kDocHostProgramNameAt, sizeof host);
  EXPECT_EQ(std::u16string(host), u"devmode_handlin");
}

TEST_F(DevModeHandlingTest, PresetsAreInstalledOnlyWhilePrinterDataSaysTheyAreMissing) {
  const DWORD installed = 1;
  SetData(L"SetEasySetPreset", &installed, sizeof installed, REG_DWORD);
  const LONG presets = Core().Log().easySetPreset;
  Default();
  EXPECT_EQ(Core().Log().easySetPreset, presets);
}

TEST_F(DevModeHandlingTest, FirstEasySetRecordIsConsumedByTheFirstDefault) {
  std::vector<BYTE> first(kDocDModeSize, 0x11);
  SetData(L"EasySetFirstOEMDev", first.data(), kDocDModeSize);
  Default();
  BYTE value[kDocDModeSize];
  DWORD type = 0, needed = 0;
  ASSERT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"EasySetFirstOEMDev"), &type, value,
                            sizeof value, &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(needed, 1u);
  EXPECT_EQ(value[0], 0);
  Default();
  ASSERT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"EasySetFirstOEMDev"), &type, value,
                            sizeof value, &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(needed, 1u);
}

TEST_F(DevModeHandlingTest, CompleteStoredSettingsAreUsed) {
  StoreMarkedLandscape();
  const LONG resets = Core().Log().resetDoc;
  const DriverDevMode dm = Default();
  EXPECT_EQ(Core().Log().resetDoc, resets);
  EXPECT_EQ(Public(&dm)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(DocByte(&dm.doc, kMarkAt), 0xAB);
  EXPECT_TRUE(IsOwnDriverDevMode(&dm, sizeof dm));
}

TEST_F(DevModeHandlingTest, DamagedStoredSettingsGiveTheDefaultsWhole) {
  struct Damage {
    const char* what;
    void (*apply)(DevModeHandlingTest* t, DriverDevMode* stored);
  } const damages[] = {
      {"checksum off by one",
       [](DevModeHandlingTest* t, DriverDevMode* stored) {
         stored->doc.checksum += 1;
         t->StoreSettings(*stored);
       }},
      {"second piece of 200 bytes",
       [](DevModeHandlingTest* t, DriverDevMode*) {
         std::vector<BYTE> piece(200, 0x22);
         t->SetData(kDevModeChunk2Name, piece.data(), 200);
       }},
      {"second piece of 1000 bytes",
       [](DevModeHandlingTest* t, DriverDevMode*) {
         std::vector<BYTE> piece(1000, 0x33);
         t->SetData(kDevModeChunk2Name, piece.data(), 1000);
       }},
      {"first piece of 10 bytes",
       [](DevModeHandlingTest* t, DriverDevMode*) {
         std::vector<BYTE> piece(10, 0x44);
         t->SetData(kDevModeChunk1Name, piece.data(), 10);
       }},
  };
  for (const Damage& d : damages) {
    DriverDevMode stored = StoreMarkedLandscape();
    d.apply(this, &stored);
    const LONG resets = Core().Log().resetDoc;
    const DriverDevMode dm = Default();
    EXPECT_EQ(Core().Log().resetDoc, resets + 1) << d.what;
    // The standard part is reset with the rest.
    EXPECT_EQ(Public(&dm)->dmOrientation, DMORIENT_PORTRAIT) << d.what;
    EXPECT_EQ(DocByte(&dm.doc, kMarkAt), 0) << d.what;
    EXPECT_TRUE(IsOwnDriverDevMode(&dm, sizeof dm)) << d.what;
  }
}

TEST_F(DevModeHandlingTest, ForeignDevModeContributesItsStandardFields) {
  StoreMarkedLandscape();
  const DEVMODEW foreign = ForeignDevMode(DMORIENT_PORTRAIT, DMPAPER_LETTER);
  const DriverDevMode dm = Convert(&foreign);
  EXPECT_TRUE(IsOwnDriverDevMode(&dm, sizeof dm));
  EXPECT_EQ(Public(&dm)->dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(Public(&dm)->dmPaperSize, DMPAPER_LETTER);
  // The private settings are the printer's, complete.
  EXPECT_EQ(DocByte(&dm.doc, kMarkAt), 0xAB);
  EXPECT_NE(Core().Log().mergeInput, &foreign);
  EXPECT_EQ(Core().Log().mergeInputSize, sizeof(DEVMODEW));
}

TEST_F(DevModeHandlingTest, OwnDevModeWithABadChecksumKeepsTheStoredPrivateSettings) {
  StoreMarkedLandscape();
  DriverDevMode input = Default();
  Public(&input)->dmFields = DM_PAPERSIZE;
  Public(&input)->dmPaperSize = DMPAPER_LETTER;
  SetDocByte(&input.doc, kMarkAt, 0xCD);
  SealDocDMode(&input.doc);
  // Valid: its private settings are taken.
  DriverDevMode dm = Convert(Public(&input));
  EXPECT_EQ(DocByte(&dm.doc, kMarkAt), 0xCD);
  // Off by one: only its standard fields count.
  input.doc.checksum += 1;
  dm = Convert(Public(&input));
  EXPECT_EQ(DocByte(&dm.doc, kMarkAt), 0xAB);
  EXPECT_EQ(Public(&dm)->dmPaperSize, DMPAPER_LETTER);
  EXPECT_TRUE(IsOwnDriverDevMode(&dm, sizeof dm));
}

TEST_F(DevModeHandlingTest, CallersDevModeIsReadOnlyWithinItsDeclaredSize) {
  // A DEVMODE of 102 bytes (up to dmCollate) at the very end of readable
  // memory, whose fields claim more than it has.
  const size_t declared = offsetof(DEVMODEW, dmFormName);
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(pages + si.dwPageSize, si.dwPageSize, PAGE_NOACCESS, &old));
  auto* dm = reinterpret_cast<DEVMODEW*>(pages + si.dwPageSize - declared);
  std::memset(dm, 0, declared);
  dm->dmSpecVersion = DM_SPECVERSION;
  dm->dmSize = static_cast<WORD>(declared);
  dm->dmFields = DM_ORIENTATION | DM_COLLATE | DM_FORMNAME | DM_MEDIATYPE;
  dm->dmOrientation = DMORIENT_LANDSCAPE;
  const DriverDevMode out = Convert(dm);
  EXPECT_EQ(Public(&out)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(Core().Log().mergeInputSize, declared);
  EXPECT_EQ(Core().Log().mergeInputFields, static_cast<DWORD>(DM_ORIENTATION | DM_COLLATE));
  // A DEVMODE that declares our sizes but lies at the end of its memory is
  // not read beyond its declared size either (it is too short to be ours).
  dm->dmDriverExtra = 0;
  DriverDevMode ignored = {};
  LONG size = sizeof ignored;
  EXPECT_TRUE(Core().convertDevMode(name_.data(), dm, Public(&ignored), &size, CDM_CONVERT));
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(DevModeHandlingTest, ConversionArgumentsAndBufferSizes) {
  DriverDevMode out = {};
  const DEVMODEW in = ForeignDevMode(DMORIENT_PORTRAIT, DMPAPER_A4);
  struct Case {
    const char* what;
    bool printerKnown, withIn, withOut, withSize;
    LONG size;
    DWORD mode;
    LONG sizeAfter;
    DWORD error;
  } const cases[] = {
      {"convert without input", true, false, true, true, 8260, CDM_CONVERT, 8260, ERROR_INVALID_PARAMETER},
      {"convert without output", true, true, false, true, 8260, CDM_CONVERT, 8260, ERROR_INVALID_PARAMETER},
      {"convert without size", true, true, true, false, 0, CDM_CONVERT, 0, ERROR_INVALID_PARAMETER},
      {"convert into 100 bytes", true, true, true, true, 100, CDM_CONVERT, 8260, ERROR_INSUFFICIENT_BUFFER},
      {"convert for an unknown printer", false, true, true, true, 8260, CDM_CONVERT, 8260, ERROR_INVALID_PARAMETER},
      {"default into 100 bytes", true, false, true, true, 100, CDM_DRIVER_DEFAULT, 8260, ERROR_INSUFFICIENT_BUFFER},
      {"default without output", true, false, false, true, 9000, CDM_DRIVER_DEFAULT, 8260, ERROR_INSUFFICIENT_BUFFER},
      {"default without size", true, false, true, false, 0, CDM_DRIVER_DEFAULT, 0, ERROR_INVALID_PARAMETER},
      {"conversion from the oldest version", true, true, true, true, 8260, CDM_CONVERT351, 8260,
       ERROR_INVALID_PARAMETER},
  };
  std::wstring unknown = L"No Such Fax Printer";
  for (const Case& c : cases) {
    LONG size = c.size;
    std::memset(&out, 0xEE, sizeof out);
    SetLastError(0);
    EXPECT_FALSE(Core().convertDevMode(c.printerKnown ? name_.data() : unknown.data(),
                                       c.withIn ? const_cast<DEVMODEW*>(&in) : nullptr,
                                       c.withOut ? Public(&out) : nullptr, c.withSize ? &size : nullptr, c.mode))
        << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
    if (c.withSize) {
      EXPECT_EQ(size, c.sizeAfter) << c.what;
    }
    EXPECT_EQ(out.publicPart[0], 0xEE) << c.what;
  }
  // Without a printer name nothing is opened, not even the print server.
  LONG size = sizeof out;
  SetLastError(0);
  EXPECT_FALSE(Core().convertDevMode(nullptr, nullptr, Public(&out), &size, CDM_DRIVER_DEFAULT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DevModeHandlingTest, ResetWritesTheHeadAndHandsTheHandleOn) {
  std::vector<BYTE> record(kWorkDevModeSize, 0xEE);
  HANDLE marker = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234));
  ASSERT_TRUE(Core().resetSelfDMode(record.data(), marker, name_.c_str()));
  auto* work = reinterpret_cast<WorkDevMode*>(record.data());
  const DEVMODEW* dm = Public(&work->devmode);
  EXPECT_EQ(dm->dmSpecVersion, 0x401);
  EXPECT_EQ(dm->dmDriverVersion, 0x100);
  EXPECT_EQ(dm->dmSize, 220);
  EXPECT_EQ(dm->dmDriverExtra, 8040);
  EXPECT_EQ(dm->dmFields, 0x0200BF0Fu);
  EXPECT_EQ(Core().Log().lastHandle, marker);
  EXPECT_EQ(work->device.head[1], 7u);
  // The magic is left to the caller.
  EXPECT_EQ(work->devmode.magic, 0xEEEEEEEEu);
  EXPECT_FALSE(Core().resetSelfDMode(nullptr, nullptr, nullptr));
}

TEST_F(DevModeHandlingTest, DocumentPropertiesWithoutSheets) {
  DOCUMENTPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  header.hPrinter = printer_.handle();
  header.pszPrinterName = name_.data();
  EXPECT_EQ(Core().documentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), 8260);
  EXPECT_EQ(header.cbOut, 8260u);
  EXPECT_EQ(Core().documentPropertySheets(nullptr, 0), -1);

  DriverDevMode out;
  std::memset(&out, 0xEE, sizeof out);
  header.pdmOut = Public(&out);
  header.fMode = DM_OUT_BUFFER;
  header.cbOut = 100;  // smaller than a DEVMODE of ours: nothing is written
  EXPECT_EQ(Core().documentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), -1);
  EXPECT_EQ(out.publicPart[0], 0xEE);
  header.cbOut = 0;
  EXPECT_EQ(Core().documentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), IDOK);
  EXPECT_TRUE(IsOwnDriverDevMode(&out, sizeof out));

  EXPECT_EQ(Core().documentProperties(nullptr, printer_.handle(), name_.data(), nullptr, nullptr, 0), 8260);
  SetLastError(0);
  EXPECT_EQ(Core().documentProperties(nullptr, printer_.handle(), name_.data(), nullptr, nullptr, DM_OUT_BUFFER), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Core().documentProperties(nullptr, printer_.handle(), name_.data(), Public(&out), nullptr,
                                      DM_OUT_BUFFER | DM_IN_BUFFER),
            -1);
  std::memset(&out, 0, sizeof out);
  EXPECT_EQ(Core().documentProperties(nullptr, printer_.handle(), name_.data(), Public(&out), nullptr, DM_OUT_BUFFER),
            IDOK);
  EXPECT_TRUE(IsOwnDriverDevMode(&out, sizeof out));
}

TEST_F(DevModeHandlingTest, CapabilitiesSeeTheCallersStandardFields) {
  const DEVMODEW landscape = ForeignDevMode(DMORIENT_LANDSCAPE, DMPAPER_LETTER);
  EXPECT_EQ(Core().deviceCapabilities(nullptr, name_.data(), kStandInOrientationQuery, nullptr,
                                      const_cast<DEVMODEW*>(&landscape)),
            static_cast<DWORD>(DMORIENT_LANDSCAPE));
  EXPECT_EQ(Core().deviceCapabilities(nullptr, name_.data(), kStandInPaperSizeQuery, nullptr, nullptr),
            static_cast<DWORD>(kStandInDefaultPaper));
  WORD papers[2] = {};
  EXPECT_EQ(Core().deviceCapabilities(nullptr, name_.data(), DC_PAPERS, papers, nullptr), 2u);
  EXPECT_EQ(papers[1], DMPAPER_LETTER);
  EXPECT_EQ(Core().deviceCapabilities(nullptr, name_.data(), DC_SIZE, nullptr, nullptr), 220u);
  EXPECT_EQ(Core().deviceCapabilities(nullptr, name_.data(), DC_BINS, nullptr, nullptr), static_cast<DWORD>(-1));
}

// Through the spooler: the printer's configuration file is the installed
// core, which finds the procedure library beside it in the driver folder.
TEST_F(DevModeHandlingTest, SpoolerHandsOutTheCoresDevModes) {
  DWORD needed = 0;
  GetPrinterW(printer_.handle(), 2, nullptr, 0, &needed);
  std::vector<BYTE> info(needed);
  ASSERT_TRUE(GetPrinterW(printer_.handle(), 2, info.data(), needed, &needed));
  const DEVMODEW* stored = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
  ASSERT_NE(stored, nullptr);
  EXPECT_TRUE(IsOwnDriverDevMode(stored, static_cast<size_t>(stored->dmSize) + stored->dmDriverExtra));

  EXPECT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name_.data(), nullptr, nullptr, 0), 8260);
  DriverDevMode out = {};
  Public(&out)->dmSize = sizeof out;  // Wine takes the buffer size from here
  EXPECT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name_.data(), Public(&out), nullptr, DM_OUT_BUFFER),
            IDOK);
  EXPECT_TRUE(IsOwnDriverDevMode(&out, sizeof out));

  EXPECT_EQ(std::wstring(Public(&out)->dmDeviceName), name_.substr(0, CCHDEVICENAME - 1));

  // The sample model's capabilities.
  ASSERT_EQ(DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_PAPERS, nullptr, nullptr), 5);
  WORD papers[5] = {};
  DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_PAPERS, reinterpret_cast<wchar_t*>(papers), nullptr);
  EXPECT_EQ(papers[0], DMPAPER_A4);
  EXPECT_EQ(papers[4], 256);
  EXPECT_EQ(DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_ENUMRESOLUTIONS, nullptr, nullptr), 3);
  EXPECT_EQ(DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_MEDIATYPES, nullptr, nullptr), 3);
  EXPECT_EQ(DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_SIZE, nullptr, nullptr), 220);
  EXPECT_EQ(DeviceCapabilitiesW(name_.c_str(), L"FILE:", DC_EXTRA, nullptr, nullptr), 8040);
}

}  // namespace
