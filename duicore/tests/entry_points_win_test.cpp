// The core's small entry points, its library shell and the sibling rule.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include "duicore/module/core_module_win.h"
#include "duicore/module/os_version_class.h"
#include "duicore/tests/core_library_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using coretest::Core;

constexpr DWORD kUntouched = 0x5EED;

struct ResultCase {
  const char* call;
  BOOL (*run)();
  BOOL result;
  DWORD lastError;  // kUntouched: the call leaves the last error alone
};

TEST(CoreEntryPointsTest, ResultsAndLastErrors) {
  ASSERT_NE(Core().module, nullptr);
  static BYTE data[4];
  const ResultCase cases[] = {
      {"DevQueryPrint", []() -> BOOL { DWORD id = 7; return Core().devQueryPrint(nullptr, nullptr, &id) && id == 0; }, TRUE,
       kUntouched},
      {"DevQueryPrint without id", [] { return Core().devQueryPrint(nullptr, nullptr, nullptr); }, TRUE, kUntouched},
      {"DevQueryPrintEx", [] { return Core().devQueryPrintEx(nullptr); }, TRUE, kUntouched},
      {"event 0", [] { return Core().printerEvent(nullptr, 0, 0, 0); }, FALSE, ERROR_INVALID_PARAMETER},
      {"add connection", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_ADD_CONNECTION, 0, 0); }, TRUE,
       kUntouched},
      {"delete connection", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_DELETE_CONNECTION, 0, 0); },
       TRUE, kUntouched},
      {"delete", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_DELETE, 0, 0); }, FALSE, kUntouched},
      {"cache refresh", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_CACHE_REFRESH, 0, 0); }, TRUE,
       kUntouched},
      {"cache delete", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_CACHE_DELETE, 0, 0); }, TRUE,
       kUntouched},
      {"attributes changed", [] { return Core().printerEvent(nullptr, PRINTER_EVENT_ATTRIBUTES_CHANGED, 0, 0); },
       FALSE, ERROR_INVALID_PARAMETER},
      {"colour profile", [] { return Core().queryColorProfile(nullptr, nullptr, 0, nullptr, nullptr, nullptr); },
       FALSE, ERROR_NOT_SUPPORTED},
      {"upgrade level 1", [] { return Core().upgradePrinter(1, data); }, TRUE, kUntouched},
      {"upgrade without data", [] { return Core().upgradePrinter(1, nullptr); }, FALSE, ERROR_INVALID_PARAMETER},
      {"upgrade level 2", [] { return Core().upgradePrinter(2, data); }, FALSE, ERROR_INVALID_PARAMETER},
  };
  for (const ResultCase& c : cases) {
    SetLastError(kUntouched);
    EXPECT_EQ(c.run(), c.result) << c.call;
    EXPECT_EQ(GetLastError(), c.lastError) << c.call;
  }
}

TEST(CoreEntryPointsTest, InitialiseEventMarksThePrinter) {
  testsupport::TestPrinter printer(L"Fax Core Event");
  ASSERT_TRUE(printer.ok()) << printer.error();
  std::wstring name = printer.name();
  EXPECT_TRUE(Core().printerEvent(name.data(), PRINTER_EVENT_INITIALIZE, 0, 0));
  DWORD type = 0, value = 0, needed = 0;
  ASSERT_EQ(GetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"InitializeData"), &type,
                            reinterpret_cast<BYTE*>(&value), sizeof value, &needed),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 1u);
}

TEST(CoreSiblingTest, ReplacesExactlyTheLastTwelveCharacters) {
  wchar_t out[MAX_PATH];
  ASSERT_TRUE(ReplaceOwnFileName(L"C:\\drivers\\x64\\3\\VELDRANK.DLL", L"VELDRANA.DLL", out, MAX_PATH));
  EXPECT_STREQ(out, L"C:\\drivers\\x64\\3\\VELDRANA.DLL");
  ASSERT_TRUE(ReplaceOwnFileName(L"C:\\d\\VELDRANK.DLL", L"VELDRANH.QXD", out, MAX_PATH));
  EXPECT_STREQ(out, L"C:\\d\\VELDRANH.QXD");
  // A core renamed to another length no longer finds its siblings.
  ASSERT_TRUE(ReplaceOwnFileName(L"C:\\d\\CORE.DLL", L"VELDRANA.DLL", out, MAX_PATH));
  EXPECT_STRNE(out, L"C:\\d\\VELDRANA.DLL");
  EXPECT_FALSE(ReplaceOwnFileName(L"SHORT.DLL", L"VELDRANA.DLL", out, MAX_PATH));
  EXPECT_STREQ(out, L"");
  EXPECT_FALSE(ReplaceOwnFileName(L"C:\\d\\VELDRANK.DLL", L"VELDRANA.DLL", out, 10));
}

TEST(CoreSiblingTest, TheSettingsLibraryComesFromBesideTheCore) {
  // This program's copy of the core's module state, pointed at the staged
  // core: the settings library is the one in the staging folder, loaded once.
  ASSERT_NE(Core().settings, nullptr);
  SetCoreModule(Core().module);
  HMODULE first = LoadUiProcModule();
  EXPECT_EQ(first, Core().settings);
  EXPECT_EQ(LoadUiProcModule(), first);
  HMODULE devProc = LoadDevProcModule();  // not staged: nothing to load
  EXPECT_EQ(devProc, nullptr);
  FreeUiProcModule(false);
  SetCoreModule(nullptr);
}

TEST(CoreVersionClassTest, WineReportsALaterWindows) {
  // Wine reports Windows 6.1, which is no class of its own.
  EXPECT_EQ(GetOsVersionClass(), kOsClassOther);
}

}  // namespace
