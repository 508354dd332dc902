// The maker name and default input paper exports of the procedure library,
// bound by name as the other libraries bind them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>

#include "common/contracts/proc_library_exports_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/win/bind_export.h"

namespace {

// The exports that other libraries bind by name.
class ProcedureExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryW(L"VELDRANA.DLL");
    ASSERT_NE(library_, nullptr);
  }
  void TearDown() override { FreeLibrary(library_); }
  template <typename Fn>
  Fn Bind(const char* name) {
    return BindExport<Fn>(library_, name);
  }
  HMODULE library_ = nullptr;
};

TEST_F(ProcedureExportsTest, CompanyNameIsCutAndZeroFilled) {
  auto getCompanyName = Bind<GetCompanyNameFn>(kGetCompanyName);
  ASSERT_NE(getCompanyName, nullptr);
  wchar_t out[16];
  wmemset(out, L'z', 16);
  getCompanyName(out, 16);
  EXPECT_STREQ(out, L"HALDOVAR");
  EXPECT_EQ(out[15], L'\0');
  wmemset(out, L'z', 16);
  getCompanyName(out, 4);
  EXPECT_STREQ(out, L"HAL");
  EXPECT_EQ(out[4], L'z');
  getCompanyName(nullptr, 16);
}

TEST_F(ProcedureExportsTest, DefaultInPaperKeyWithoutModelTables) {
  auto getKey = Bind<PrcGetDefaultInPaperKeyFn>(kPrcGetDefaultInPaperKey);
  ASSERT_NE(getKey, nullptr);
  char out[8] = "zzzzzzz";
  // No model tables loaded in this library yet: an empty keyword.
  EXPECT_EQ(getKey(out, sizeof out), 1);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(getKey(nullptr, 0), 1);
}

}  // namespace
