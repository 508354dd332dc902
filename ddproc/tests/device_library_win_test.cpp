// The device library as its callers see it: its exports and version, the
// capabilities it answers for the sample model, the device address, and the
// bins the spooler hands out for a printer of the sample model.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/contracts/ddproc_device_queries_win.h"
#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/qxd/model_info_win.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_file.h"
#include "ddproc/tests/library_dir_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using ddtest::Library;

TEST(DeviceLibrary, ExportsEveryNameTheCallersBind) {
  ASSERT_NE(Library().module(), nullptr);
  for (const char* name : kDDProcEntryNames) {
    EXPECT_NE(GetProcAddress(Library().module(), name), nullptr) << name;
  }
  for (const char* name : {kMibModelCheckInfoName, kMibOptionReqInfoName, kMibMrkSupReqInfoName,
                           kMibOvlReqInfoName, kMibCMProfReqInfoName}) {
    EXPECT_NE(GetProcAddress(Library().module(), name), nullptr) << name;
  }
}

std::wstring VersionText(const std::vector<BYTE>& info, const wchar_t* name) {
  wchar_t* text = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) return L"";
  return text;
}

TEST(DeviceLibrary, VersionResource) {
  const std::wstring path = Library().dir() + L"VELDRANH.DLL";
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(VersionText(info, L"FileDescription"), L"Device Dependent Procedure");
  EXPECT_EQ(VersionText(info, L"InternalName"), L"DDPROC_DLL");
}

TEST(DeviceLibrary, BinsOfTheSampleModel) {
  QxdContext* ctx = QxdOpen(ddtest::Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str(), 1);
  ASSERT_NE(ctx, nullptr);
  ModelInfo* model = BuildModelInfo(ctx, CurrentModelBuildEnv(false));
  DevOption defaults{};
  DeviceOptionItem* options = LoadDeviceOptionList(ctx, model, &defaults);
  QxdClose(ctx);
  ASSERT_NE(model, nullptr);
  auto caps = Library().Bind<DDProcDeviceCapabilitiesProc>(kDDProcDeviceCapabilitiesName);
  ASSERT_NE(caps, nullptr);
  int32_t count = 0;
  ASSERT_EQ(caps(model, options, nullptr, &defaults, DC_BINS, nullptr, &count), 1);
  ASSERT_EQ(count, 3);
  WORD bins[3] = {};
  ASSERT_EQ(caps(model, options, nullptr, &defaults, DC_BINS, bins, &count), 1);
  EXPECT_EQ(bins[0], 7);
  EXPECT_EQ(bins[1], 257);
  EXPECT_EQ(bins[2], 4);
  wchar_t names[3][24] = {};
  ASSERT_EQ(caps(model, options, nullptr, &defaults, DC_BINNAMES, names, &count), 1);
  EXPECT_STREQ(names[1], L"Tray 1");
  EXPECT_STREQ(names[2], L"Bypass Tray");
  ASSERT_EQ(caps(model, options, nullptr, &defaults, DC_DUPLEX, nullptr, &count), 1);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(caps(model, options, nullptr, &defaults, DC_PRINTERMEM, nullptr, &count), 0);
  FreeDeviceOptionList(options);
  FreeModelInfoRecord(model);
}

TEST(DeviceLibrary, CustomDeviceAddress) {
  auto address = Library().Bind<DDProcGetPrinterIPAddressFn>("DDProc_GetPrinterIPAddress");
  ASSERT_NE(address, nullptr);
  DevOption option{};
  option.destCustomize = 2;
  const char16_t custom[] = u"fax-20.example.local";  // 20 characters
  std::memcpy(option.deviceAddress, custom, sizeof custom);
  char small[16] = {};
  DWORD needed = 0;
  EXPECT_FALSE(address(L"none", &option, small, sizeof small, &needed));
  EXPECT_EQ(needed, 21u);
  EXPECT_FALSE(address(L"none", &option, small, sizeof small, nullptr));
  char big[64] = {};
  EXPECT_TRUE(address(L"none", &option, big, sizeof big, &needed));
  EXPECT_STREQ(big, "fax-20.example.local");
  // An address filling the whole field without its NUL is read within it.
  for (char16_t& c : option.deviceAddress) c = u'a';
  char wide[100];
  std::memset(wide, 'x', sizeof wide);
  EXPECT_TRUE(address(L"none", &option, wide, sizeof wide, &needed));
  EXPECT_EQ(std::strlen(wide), 64u);
  option.deviceAddress[0] = u'\0';
  EXPECT_FALSE(address(L"none", &option, big, sizeof big, &needed));
  EXPECT_FALSE(address(L"none", nullptr, big, sizeof big, &needed));
  // From the port of a printer that does not exist: no address.
  option.destCustomize = 0;
  EXPECT_FALSE(address(L"No such printer", &option, big, sizeof big, &needed));
}

TEST(DeviceLibrary, FeatureTablesAndDialogHookPassEverything) {
  auto items = Library().Bind<DDProcFeatureNameFn>("DDProc_FeatureNameItemTable");
  auto values = Library().Bind<DDProcFeatureNameFn>("DDProc_FeatureNameValuePtr");
  ASSERT_NE(items, nullptr);
  ASSERT_NE(values, nullptr);
  for (const wchar_t* keyword : {L"OpHDD", L"", L"Duplex"}) {
    EXPECT_EQ(items(keyword, 1, 2, nullptr), nullptr);
    EXPECT_EQ(values(keyword), nullptr);
  }
  auto hook = Library().Bind<DDProcDlgProcFn>("DDProc_DlgProc");
  ASSERT_NE(hook, nullptr);
  int32_t handled = 0;
  EXPECT_EQ(hook(100, nullptr, WM_COMMAND, 1847, 0, &handled), 0u);
  EXPECT_EQ(hook(156, nullptr, WM_INITDIALOG, 0, 0, &handled), 0u);
  EXPECT_EQ(handled, 0);
}

TEST(DeviceLibrary, TheSpoolerHandsOutTheSampleModelsBins) {
  testsupport::TestPrinter printer(L"Fax Bins");
  ASSERT_TRUE(printer.ok()) << printer.error();
  const int count = DeviceCapabilitiesW(printer.name().c_str(), L"FILE:", DC_BINS, nullptr, nullptr);
  ASSERT_EQ(count, 3);
  WORD bins[3] = {};
  ASSERT_EQ(DeviceCapabilitiesW(printer.name().c_str(), L"FILE:", DC_BINS, reinterpret_cast<wchar_t*>(bins), nullptr),
            3);
  EXPECT_EQ(bins[0], 7);
  EXPECT_EQ(bins[1], 257);
  EXPECT_EQ(bins[2], 4);
  wchar_t names[3][24] = {};
  ASSERT_EQ(DeviceCapabilitiesW(printer.name().c_str(), L"FILE:", DC_BINNAMES, names[0], nullptr), 3);
  EXPECT_STREQ(names[0], L"Automatically Select");
  EXPECT_STREQ(names[2], L"Bypass Tray");
}

}  // namespace
