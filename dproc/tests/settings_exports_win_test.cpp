// The settings exports of the procedure library, bound by name as the user
// interface core binds them, on a working record beside the sample model
// and a printer in Wine's spooler with a user paper and a server form.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/settings_functions_win.h"
#include "common/records/doc_fields.h"
#include "common/win/bind_export.h"
#include "dproc/settings/settings_fields.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "dproc/model/user_paper_list.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"
#include "tests/support/test_text.h"

namespace {

using testsupport::Widen;

using GetDriverVersionFn = PrcGetDriverVersionFn;
using ResetDocDModeFn = PrcResetDocDModeFn;
using ResetDevDModeFn = PrcResetDevDModeFn;
using ResetDevOptionFn = PrcResetDevOptionFn;
using UpdateCmnFn = PrcUpdateCmnDModeAreaFn;
using MergeFn = PrcMergeDModeFn;
using NormalizeFn = PrcNormalizeDModeFn;
using CapsFn = PrcDeviceCapabilitiesFn;

// Wine's spooler keeps its standard forms and does not take new ones; its
// A5 form is one the model does not list and the form filter accepts.
constexpr wchar_t kFormName[] = L"A5";
constexpr wchar_t kUserPaperName[] = L"Receipt";

// VELDRANA beside the sample model and a VELDRANH that answers the bins, in
// a directory of its own.
class SettingsExportsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    dir_ = std::wstring(base) + L"vdsettings" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(dir_.c_str(), nullptr);
    CopyFileW((testsupport::ProgramFolder() + L"VELDRANA.DLL").c_str(), (dir_ + L"VELDRANA.DLL").c_str(), FALSE);
    CopyFileW(Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(), (dir_ + L"VELDRANH.QXD").c_str(), FALSE);
    CopyFileW((testsupport::ProgramFolder() + L"FAKEDDCP.DLL").c_str(), (dir_ + L"VELDRANH.DLL").c_str(), FALSE);
    module_ = LoadLibraryW((dir_ + L"VELDRANA.DLL").c_str());
  }
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    DeleteFileW((dir_ + L"VELDRANA.DLL").c_str());
    DeleteFileW((dir_ + L"VELDRANH.DLL").c_str());
    DeleteFileW((dir_ + L"VELDRANH.QXD").c_str());
    RemoveDirectoryW(dir_.c_str());
  }

  void SetUp() override {
    ASSERT_NE(module_, nullptr);
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    work_ = std::make_unique<WorkDevMode>();
    std::memset(work_.get(), 0, sizeof *work_);
    DEVMODEW* dm = Public();
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmDriverExtra = kDriverDevModeExtra;
    dm->dmSpecVersion = kDriverSpecVersion;
    dm->dmDriverVersion = kDriverDriverVersion;
    work_->devmode.magic = kDriverDevModeMagic;
    DocDMode* doc = Doc();
    InitDocDModeHeader(doc);
    SetDocByte(doc, kDocOrientationAt, 1);
    SetDocI16(doc, kDocPaperSizeAt, 9);
    SetDocI16(doc, kDocPaperWidthAt, 2100);
    SetDocI16(doc, kDocPaperLengthAt, 2970);
    SetDocI16(doc, kDocOutPaperSizeAt, 356);
    SetDocByte(doc, kDocDoubleSidesAt, 1);
    SetDocByte(doc, kDocBindingEdgeAt, 14);
    SetDocByte(doc, kDocBookletBindingAt, 1);
    SetDocI16(doc, kDocCopiesAt, 1);
    StoreDocDModePrinterHandle(doc, printer_.handle());
  }

  template <typename Fn>
  static Fn Bind(const char* name) {
    return BindExport<Fn>(module_, name);
  }
  DEVMODEW* Public() { return reinterpret_cast<DEVMODEW*>(&work_->devmode); }
  DocDMode* Doc() { return &work_->devmode.doc; }

  // One user paper in "CustomPaperData"; returns the place of the server's
  // A5 form (148 x 210 mm) in the spooler's list (from 1).
  DWORD AddPapers() {
    UserPaperList users{};
    users.count = 1;
    std::memcpy(users.entries[0].name, kUserPaperName, sizeof kUserPaperName);
    users.entries[0].width = 80000;
    users.entries[0].length = 200000;
    users.entries[0].paperId = 512;
    EXPECT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"CustomPaperData"), REG_BINARY,
                              reinterpret_cast<BYTE*>(&users), sizeof users),
              static_cast<DWORD>(ERROR_SUCCESS));
    DWORD needed = 0, count = 0;
    EnumFormsW(printer_.handle(), 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(EnumFormsW(printer_.handle(), 1, buffer.data(), needed, &needed, &count));
    const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      if (std::wstring(forms[i].pName) == kFormName) return i + 1;
    }
    ADD_FAILURE() << "the server has no A5 form";
    return 0;
  }

  static inline std::wstring dir_;
  static inline HMODULE module_ = nullptr;
  testsupport::TestPrinter printer_{L"Fax Settings Test"};
  std::unique_ptr<WorkDevMode> work_;
};

TEST_F(SettingsExportsTest, EveryExportIsBoundByName) {
  for (const char* name : {"Prc_GetDriverVersion", "Prc_ResetDocDMode", "Prc_ResetDevDMode", "Prc_ResetDevOption", "Prc_UpdateCmnDModeArea",
                           "Prc_MergeDMode", "Prc_NormalizeDMode", "Prc_DeviceCapabilities"}) {
    EXPECT_NE(GetProcAddress(module_, name), nullptr) << name;
  }
  EXPECT_EQ(Bind<GetDriverVersionFn>("Prc_GetDriverVersion")(), 0x100u);
}

TEST_F(SettingsExportsTest, DocumentResetGivesDefaultsOrTheFirstEasySet) {
  auto reset = Bind<ResetDocDModeFn>("Prc_ResetDocDMode");
  DocDMode* doc = Doc();
  void* const caller = printer_.handle();
  // A record the first Easy Set preset left, with a stale handle inside its checksum.
  auto easySet = std::make_unique<DocDMode>(*doc);
  SetDocI16(easySet.get(), kDocCopiesAt, 3);
  StoreDocDModePrinterHandle(easySet.get(), reinterpret_cast<void*>(0x4444));
  SetDocI16(doc, kDocCopiesAt, 7);

  EXPECT_TRUE(reset(Public(), doc, 0, printer_.name().c_str()));
  wchar_t country[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country, 8);
  const int16_t localePaper = (std::wstring(country) == L"1" || std::wstring(country) == L"2") ? 1 : 9;
  EXPECT_EQ(DocI16(doc, kDocPaperSizeAt), localePaper);
  EXPECT_EQ(DocI16(doc, kDocCopiesAt), 1);
  EXPECT_EQ(doc->printerHandle, caller);
  EXPECT_TRUE(IsOwnDriverDevMode(&work_->devmode, sizeof work_->devmode));
  EXPECT_EQ(Public()->dmPaperSize, localePaper);
  EXPECT_EQ(Public()->dmCopies, 1);

  auto store = [this](const void* data, DWORD size) {
    ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"EasySetFirstOEMDev"), REG_BINARY,
                              static_cast<BYTE*>(const_cast<void*>(data)), size),
              static_cast<DWORD>(ERROR_SUCCESS));
  };
  store(easySet.get(), sizeof *easySet);
  EXPECT_TRUE(reset(Public(), doc, 0, printer_.name().c_str()));
  EXPECT_EQ(DocI16(doc, kDocCopiesAt), 3);
  EXPECT_EQ(doc->printerHandle, caller);
  EXPECT_TRUE(IsOwnDriverDevMode(&work_->devmode, sizeof work_->devmode));
  EXPECT_EQ(Public()->dmCopies, 3);

  // A damaged or short record is not taken.
  SetDocI16(easySet.get(), kDocCopiesAt, 4);  // the checksum no longer matches
  store(easySet.get(), sizeof *easySet);
  EXPECT_TRUE(reset(Public(), doc, 0, printer_.name().c_str()));
  EXPECT_EQ(DocI16(doc, kDocCopiesAt), 1);
  StoreDocDModeChecksum(easySet.get());
  store(easySet.get(), 1);
  EXPECT_TRUE(reset(Public(), doc, 0, printer_.name().c_str()));
  EXPECT_EQ(DocI16(doc, kDocCopiesAt), 1);

  // No records: nothing to do.
  EXPECT_TRUE(reset(nullptr, nullptr, 0, nullptr));
  EXPECT_TRUE(reset(Public(), nullptr, 0, printer_.name().c_str()));
}

TEST_F(SettingsExportsTest, DeviceResetsCopyTheBuiltInOptions) {
  std::memset(&work_->device, 0x5A, sizeof work_->device);
  EXPECT_TRUE(Bind<ResetDevDModeFn>("Prc_ResetDevDMode")(&work_->device, 0, nullptr));
  EXPECT_EQ(work_->device.head[0], 2u);
  EXPECT_EQ(work_->device.head[1], 7u);
  EXPECT_EQ(work_->device.colorInfo.chroma[1][1], 6550);  // green y
  DevOption option;
  std::memset(&option, 0x5A, sizeof option);
  Bind<ResetDevOptionFn>("Prc_ResetDevOption")(&option);
  EXPECT_EQ(std::memcmp(&option, &work_->device.option, sizeof option), 0);
  EXPECT_EQ(option.displayConstMsg, 1);
  Bind<ResetDevOptionFn>("Prc_ResetDevOption")(nullptr);
}

TEST_F(SettingsExportsTest, CapabilitiesJoinUserPapersAndServerForms) {
  const DWORD place = AddPapers();
  auto caps = Bind<CapsFn>("Prc_DeviceCapabilities");
  DEVMODEW* dm = Public();
  DocDMode* doc = Doc();
  DevDMode* device = &work_->device;

  // Without the server forms: the model's five papers and the user paper.
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PAPERS, nullptr), 6);
  device->option.useServerForm = 1;
  const LONG count = caps(dm, doc, device, 0, DC_PAPERS, nullptr);
  ASSERT_GT(count, 6);
  std::vector<WORD> ids(count);
  std::vector<POINT> sizes(count);
  std::vector<wchar_t> names(64 * count);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PAPERS, ids.data()), count);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PAPERSIZE, sizes.data()), count);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PAPERNAMES, names.data()), count);
  EXPECT_EQ(ids[0], 9);
  EXPECT_EQ(ids[5], 512);
  EXPECT_EQ(std::wstring(&names[5 * 64]), kUserPaperName);
  EXPECT_EQ(sizes[5].x, 800);
  bool found = false;
  for (LONG i = 6; i < count; ++i) {
    EXPECT_NE(ids[i] & 0x1000, 0);
    if (ids[i] != (0x1000 | place)) continue;
    found = true;
    EXPECT_EQ(std::wstring(&names[64 * i]), kFormName);
    EXPECT_EQ(sizes[i].x, 1480);
    EXPECT_EQ(sizes[i].y, 2100);
  }
  EXPECT_TRUE(found);

  // Without a printer handle the model's papers stand alone.
  StoreDocDModePrinterHandle(doc, nullptr);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PAPERS, nullptr), 5);

  EXPECT_EQ(caps(dm, doc, device, 0, DC_ENUMRESOLUTIONS, nullptr), 3);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PRINTRATEPPM, nullptr), 20);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PRINTRATE, nullptr), 20);
  device->option.optionValues[2] = 1;  // "OpMachine": the high-speed fax unit of the machine list
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PRINTRATE, nullptr), 30);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PRINTRATEPPM, nullptr), 30);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_PRINTRATEUNIT, nullptr), PRINTRATEUNIT_PPM);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_DUPLEX, nullptr), 1);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_SIZE, nullptr), static_cast<LONG>(sizeof(DEVMODEW)));
  EXPECT_EQ(caps(dm, doc, device, 0, DC_EXTRA, nullptr), static_cast<LONG>(kDriverDevModeExtra));
  EXPECT_EQ(caps(dm, doc, device, 0, DC_FILEDEPENDENCIES, nullptr), -1);
  // VELDRANH is asked first, with the model record and the device options.
  WORD bins[2] = {};
  EXPECT_EQ(caps(dm, doc, device, 0, DC_BINS, bins), 2);
  EXPECT_EQ(bins[1], 257);
  EXPECT_EQ(caps(dm, doc, device, 0, DC_BINNAMES, nullptr), -1);
  EXPECT_EQ(caps(dm, nullptr, device, 0, DC_DUPLEX, nullptr), -1);
  EXPECT_EQ(caps(nullptr, doc, device, 0, DC_DUPLEX, nullptr), -1);
}

TEST_F(SettingsExportsTest, MergeTakesTheApplicationsFieldsAndKeepsTheRecordValid) {
  const DWORD place = AddPapers();
  work_->device.option.useServerForm = 1;
  auto merge = Bind<MergeFn>("Prc_MergeDMode");
  DEVMODEW in{};
  in.dmSize = sizeof in;
  in.dmFields = DM_PAPERSIZE | DM_DUPLEX | DM_ORIENTATION;
  in.dmPaperSize = static_cast<short>(0x1000 | place);
  in.dmDuplex = DMDUP_VERTICAL;
  in.dmOrientation = DMORIENT_PORTRAIT;
  merge(Public(), Doc(), 0, &in, printer_.name().c_str(), &work_->device.option);
  DocDMode* doc = Doc();
  EXPECT_EQ(static_cast<uint16_t>(DocI16(doc, kDocPaperSizeAt)), 0x1000 | place);
  EXPECT_EQ(DocI16(doc, kDocPaperWidthAt), 1480);
  EXPECT_EQ(DocI16(doc, kDocPaperLengthAt), 2100);
  EXPECT_EQ(DocByte(doc, kDocDoubleSidesAt), 2);
  EXPECT_EQ(std::wstring(Public()->dmFormName), kFormName);
  EXPECT_EQ(Public()->dmDuplex, DMDUP_SIMPLEX);
  EXPECT_EQ(Public()->dmScale, 100);
  EXPECT_EQ(std::wstring(Public()->dmDeviceName), printer_.name().substr(0, 31));
  EXPECT_TRUE(DocDModeChecksumMatches(doc));
  EXPECT_TRUE(IsOwnDriverDevMode(&work_->devmode, sizeof work_->devmode));

  // Without the server's forms in the device settings the form is not offered.
  work_->device.option.useServerForm = 0;
  in.dmPaperSize = 512;
  merge(Public(), doc, 0, &in, nullptr, &work_->device.option);
  EXPECT_EQ(DocI16(doc, kDocPaperSizeAt), 512);
  EXPECT_EQ(std::wstring(Public()->dmFormName), kUserPaperName);
  in.dmPaperSize = static_cast<short>(0x1000 | place);
  merge(Public(), doc, 0, &in, nullptr, &work_->device.option);
  EXPECT_EQ(DocI16(doc, kDocPaperSizeAt), 512);
  EXPECT_TRUE(IsOwnDriverDevMode(&work_->devmode, sizeof work_->devmode));

  // A DEVMODE that ends before dmDuplex gives no duplex request.
  SetDocByte(doc, kDocDoubleSidesAt, 1);
  in.dmSize = offsetof(DEVMODEW, dmDuplex);
  merge(Public(), doc, 0, &in, nullptr, nullptr);
  EXPECT_EQ(DocByte(doc, kDocDoubleSidesAt), 1);
}

TEST_F(SettingsExportsTest, StandardFieldsFollowThePrivateSettings) {
  auto update = Bind<UpdateCmnFn>("Prc_UpdateCmnDModeArea");
  Public()->dmDuplex = DMDUP_VERTICAL;
  Public()->dmScale = 50;
  SetDocI16(Doc(), kDocPaperSizeAt, 1);
  update(Public(), Doc(), nullptr, 0, L"A printer with a name longer than thirty-one characters");
  EXPECT_EQ(Public()->dmDuplex, DMDUP_SIMPLEX);
  EXPECT_EQ(Public()->dmScale, 100);
  EXPECT_EQ(Public()->dmPaperSize, 1);
  EXPECT_EQ(Public()->dmColor, DMCOLOR_MONOCHROME);
  EXPECT_EQ(std::wstring(Public()->dmDeviceName), L"A printer with a name longer th");
  EXPECT_EQ(std::wstring(Public()->dmFormName), L"Letter (8.5 x 11 in)");
  // Normalising does nothing.
  const WorkDevMode before = *work_;
  Bind<NormalizeFn>("Prc_NormalizeDMode")(Public(), Doc(), 0, nullptr);
  EXPECT_EQ(std::memcmp(&before, work_.get(), sizeof before), 0);
}

}  // namespace
