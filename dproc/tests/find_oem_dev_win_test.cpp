// The FindOEMDevPtr export of the procedure library, bound as its callers
// bind it, on DEVMODEs from the spooler and built by hand.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/contracts/proc_library_exports_win.h"
#include "common/records/settings_checksum.h"
#include "common/win/bind_export.h"
#include "common/records/settings_records.h"
#include "tests/support/test_printer_win.h"

namespace {

using FindFn = FindOEMDevPtrFn;

class FindOEMDevPtrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(L"VELDRANA.DLL");
    ASSERT_NE(module_, nullptr);
    find_ = BindExport<FindFn>(module_, MAKEINTRESOURCEA(kFindOEMDevPtrOrdinal));
    ASSERT_NE(find_, nullptr);
    ASSERT_EQ(find_, BindExport<FindFn>(module_, kFindOEMDevPtr));
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
  FindFn find_ = nullptr;
};

TEST_F(FindOEMDevPtrTest, FindsTheRecordInThePrintersOwnDevMode) {
  testsupport::TestPrinter printer(L"Fax Find Test");
  ASSERT_TRUE(printer.ok()) << printer.error();
  // The DEVMODE the spooler keeps for the printer, as its configuration
  // library made it when the printer was added.
  DWORD needed = 0;
  GetPrinterW(printer.handle(), 2, nullptr, 0, &needed);
  ASSERT_GT(needed, 0u);
  std::vector<BYTE> info(needed);
  ASSERT_TRUE(GetPrinterW(printer.handle(), 2, info.data(), needed, &needed));
  DEVMODEW* dm = reinterpret_cast<PRINTER_INFO_2W*>(info.data())->pDevMode;
  ASSERT_NE(dm, nullptr);
  ASSERT_EQ(dm->dmDriverExtra, kDriverDevModeExtra);
  EXPECT_EQ(find_(dm), reinterpret_cast<BYTE*>(dm) + 224);
  EXPECT_TRUE(IsOwnDriverDevMode(dm, kDriverDevModeSize));
}

TEST_F(FindOEMDevPtrTest, SetsTheLastErrorWhenThereIsNoRecord) {
  SetLastError(0);
  EXPECT_EQ(find_(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // A DEVMODE whose 12-byte driver extra holds the whole header triple.
  std::vector<BYTE> small(sizeof(DEVMODEW) + 12, 0);
  auto* dm = reinterpret_cast<DEVMODEW*>(small.data());
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmDriverExtra = 12;
  const uint32_t triple[3] = {8032, kDocDModeTag, 1};
  std::memcpy(small.data() + sizeof(DEVMODEW), triple, sizeof triple);
  SetLastError(0);
  EXPECT_EQ(find_(dm), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

}  // namespace
