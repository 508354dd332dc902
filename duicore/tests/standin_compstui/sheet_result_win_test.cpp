// The sheet session from start to result, through Wine's spooler, with the
// stand-in of the common property-sheet library beside this program (Wine's
// own never reports the result): the pages and their titles from the sample
// model, OK handing out the session's settings with a valid checksum,
// Cancel leaving the caller's DEVMODE alone, a refused page, and the device
// sheets with their first DEVMODE and the write-permission probe.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "common/win/driver_ui_interface_win.h"
#include "duicore/tests/standin_compstui/standin_compstui.h"
#include "tests/support/test_printer_win.h"

namespace {

constexpr size_t kTimerSendAt = 6011;  // FaxSetting's timer-send switch in the DocDMode

class SheetResultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    HMODULE library = GetModuleHandleW(L"compstui.dll");
    if (library == nullptr) library = LoadLibraryW(L"compstui.dll");
    ASSERT_NE(library, nullptr);
    script_ = reinterpret_cast<StandinScriptFn>(reinterpret_cast<void*>(GetProcAddress(library, "StandinScript")));
    report_ = reinterpret_cast<StandinReportFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "StandinLastReport")));
    ASSERT_NE(script_, nullptr) << "the stand-in library is not the one loaded";
    ASSERT_NE(report_, nullptr);
  }

  // The caller's DEVMODE buffer, sized as Wine's spooler expects (dmSize
  // gives the buffer's size) and otherwise filled with a pattern.
  static std::vector<BYTE> OutBuffer() {
    std::vector<BYTE> out(kDriverDevModeSize, 0x5A);
    const WORD size = kDriverDevModeSize;
    std::memcpy(out.data() + offsetof(DEVMODEW, dmSize), &size, sizeof size);
    return out;
  }

  LONG AskDocument(std::vector<BYTE>* out, DWORD mode) {
    return DocumentPropertiesW(nullptr, printer_.handle(), const_cast<wchar_t*>(printer_.name().c_str()),
                               reinterpret_cast<DEVMODEW*>(out->data()), nullptr, mode);
  }

  testsupport::TestPrinter printer_{L"Sheets"};
  StandinScriptFn script_ = nullptr;
  StandinReportFn report_ = nullptr;
};

TEST_F(SheetResultTest, OkHandsOutTheSessionsSettings) {
  script_(kStandinPressOk | kStandinTouchSettings);
  std::vector<BYTE> out = OutBuffer();
  EXPECT_EQ(AskDocument(&out, DM_IN_PROMPT | DM_OUT_BUFFER), IDOK);
  const StandinReport& report = *report_();
  EXPECT_EQ(report.initResult, 1);
  EXPECT_EQ(report.pagesAdded, 5);
  ASSERT_EQ(report.tabCount, 5);
  const wchar_t* titles[] = {L"Fax", L"Basic", L"Layout", L"Watermark/Form", L"About"};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(report.tabTitles[i], titles[i]) << i;
  EXPECT_EQ(report.sessionMode, 0);
  EXPECT_EQ(report.kind, 0);
  EXPECT_EQ(report.mayChange, 1u);
  EXPECT_EQ(report.setResultCalls, 1);
  EXPECT_EQ(report.setResultAnswer, 1);
  EXPECT_EQ(report.destroyResult, 1);
  // The session's working settings, with their change, and a valid checksum.
  EXPECT_TRUE(IsOwnDriverDevMode(out.data(), out.size()));
  const auto* devmode = reinterpret_cast<const DriverDevMode*>(out.data());
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&devmode->doc)[kTimerSendAt], 1);
}

TEST_F(SheetResultTest, CancelLeavesTheCallersDevModeAlone) {
  script_(kStandinPressCancel | kStandinTouchSettings);
  std::vector<BYTE> out = OutBuffer();
  const std::vector<BYTE> before = out;
  // What the spooler answers for a cancelled sheet is its own affair.
  AskDocument(&out, DM_IN_PROMPT | DM_OUT_BUFFER);
  EXPECT_EQ(report_()->pagesAdded, 5);
  EXPECT_EQ(report_()->setResultCalls, 0);
  EXPECT_EQ(report_()->destroyResult, 1);
  EXPECT_TRUE(out == before);
}

TEST_F(SheetResultTest, AnAdvancedRequestOpensAnAdvancedSession) {
  script_(kStandinPressOk);
  std::vector<BYTE> out = OutBuffer();
  EXPECT_EQ(AskDocument(&out, DM_IN_PROMPT | DM_OUT_BUFFER | DM_ADVANCED), IDOK);
  EXPECT_EQ(report_()->sessionMode, 1);
  EXPECT_TRUE(IsOwnDriverDevMode(out.data(), out.size()));
}

TEST_F(SheetResultTest, ARefusedPageEndsTheSession) {
  script_(kStandinRefuseFirstPage);
  std::vector<BYTE> out = OutBuffer();
  const std::vector<BYTE> before = out;
  EXPECT_LT(AskDocument(&out, DM_IN_PROMPT | DM_OUT_BUFFER), 0);
  EXPECT_EQ(report_()->initResult, -1);
  EXPECT_EQ(report_()->pagesAdded, 0);
  EXPECT_TRUE(out == before);
}

// The core as the spooler installed it, for the entry points the spooler
// does not reach.
HMODULE InstalledCore() {
  static HMODULE core = [] {
    wchar_t folder[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed)) {
      return static_cast<HMODULE>(nullptr);
    }
    const std::wstring path = std::wstring(folder) + L"\\3\\VELDRANK.DLL";
    return LoadLibraryW(path.c_str());
  }();
  return core;
}

TEST_F(SheetResultTest, DeviceSheetsStoreTheFirstDevModeAndTheSettings) {
  HMODULE core = InstalledCore();
  ASSERT_NE(core, nullptr);
  auto printerProperties =
      reinterpret_cast<decltype(&PrinterProperties)>(reinterpret_cast<void*>(GetProcAddress(core, "PrinterProperties")));
  ASSERT_NE(printerProperties, nullptr);
  // A printer without a global DEVMODE yet.
  PRINTER_INFO_8W none = {nullptr};
  SetPrinterW(printer_.handle(), 8, reinterpret_cast<BYTE*>(&none), 0);

  script_(kStandinPressOk);
  EXPECT_TRUE(printerProperties(nullptr, printer_.handle()));
  const StandinReport& report = *report_();
  EXPECT_EQ(report.pagesAdded, 2);
  ASSERT_EQ(report.tabCount, 2);
  EXPECT_STREQ(report.tabTitles[0], L"Device Options");
  EXPECT_STREQ(report.tabTitles[1], L"Device Settings");
  EXPECT_EQ(report.kind, 0x100);
  EXPECT_EQ(report.sessionMode, 3);
  EXPECT_EQ(report.mayChange, 1u);
  EXPECT_EQ(report.printerDefaults, 1u);
  EXPECT_EQ(report.headerFlags, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE);
  EXPECT_EQ(std::wstring(report.headerTitle), printer_.name());
  EXPECT_EQ(report.setResultCalls, 1);

  DWORD needed = 0;
  GetPrinterW(printer_.handle(), 8, nullptr, 0, &needed);
  ASSERT_GE(needed, sizeof(PRINTER_INFO_8W));
  std::vector<BYTE> info(needed);
  ASSERT_TRUE(GetPrinterW(printer_.handle(), 8, info.data(), needed, &needed));
  const DEVMODEW* stored = reinterpret_cast<PRINTER_INFO_8W*>(info.data())->pDevMode;
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->dmDriverExtra, kDriverDevModeExtra);
  // OK stored the device settings as printer data.
  DWORD type = 0, size = 0;
  EXPECT_EQ(GetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"Private DevMode01"), &type, nullptr, 0, &size),
            static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_GT(size, 0u);
}

TEST_F(SheetResultTest, WithoutWriteAccessTheDeviceSheetsAreReadOnly) {
  HMODULE core = InstalledCore();
  ASSERT_NE(core, nullptr);
  auto printerProperties =
      reinterpret_cast<decltype(&PrinterProperties)>(reinterpret_cast<void*>(GetProcAddress(core, "PrinterProperties")));
  ASSERT_NE(printerProperties, nullptr);
  HANDLE user = printer_.Open(PRINTER_ACCESS_USE);
  ASSERT_NE(user, nullptr);
  const DWORD probe = 1;
  const bool writable =
      SetPrinterDataW(user, const_cast<wchar_t*>(L"Permission"), REG_DWORD, reinterpret_cast<BYTE*>(const_cast<DWORD*>(&probe)),
                      sizeof probe) == ERROR_SUCCESS;
  script_(kStandinPressCancel);
  // Cancelled: the library's result is 0, and so is the answer.
  EXPECT_FALSE(printerProperties(nullptr, user));
  EXPECT_EQ(report_()->pagesAdded, 2);
  EXPECT_EQ(report_()->mayChange, writable ? 1u : 0u);
  ClosePrinter(user);
  // A handle that cannot be written at all fails the probe the same way.
  script_(kStandinPressCancel);
  printerProperties(nullptr, nullptr);
  EXPECT_EQ(report_()->mayChange, 0u);
}

}  // namespace
