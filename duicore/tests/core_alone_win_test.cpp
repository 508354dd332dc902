// The core without siblings and without its description: it loads, and its
// entry points answer without failing the caller's process.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/records/settings_records.h"
#include "common/win/bind_export.h"
#include "duicore/tests/core_library_win.h"

namespace {

class CoreAloneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(coretest::StagePath(L"alone\\VELDRANK.DLL").c_str());
    ASSERT_NE(module_, nullptr) << "the core must load without its description";
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  template <typename Fn>
  Fn Bind(const char* name) {
    return BindExport<Fn>(module_, name);
  }
  HMODULE module_ = nullptr;
};

TEST_F(CoreAloneTest, EntryPointsAnswerWithoutTheSettingsLibrary) {
  auto reset = Bind<BOOL(WINAPI*)(void*, HANDLE, const wchar_t*)>("_UdcResetSelfDMode");
  auto caps = Bind<decltype(&DrvDeviceCapabilities)>("DrvDeviceCapabilities");
  auto sheets = Bind<decltype(&DrvDocumentPropertySheets)>("DrvDocumentPropertySheets");
  ASSERT_NE(reset, nullptr);
  ASSERT_NE(caps, nullptr);
  ASSERT_NE(sheets, nullptr);

  // The reset fails, but leaves the standard head written.
  std::vector<BYTE> record(kWorkDevModeSize, 0xEE);
  EXPECT_FALSE(reset(record.data(), nullptr, L"alone"));
  const auto* dm = reinterpret_cast<const DEVMODEW*>(record.data());
  EXPECT_EQ(dm->dmSpecVersion, 0x401);
  EXPECT_EQ(dm->dmDriverVersion, 0);
  EXPECT_EQ(dm->dmSize, 220);
  EXPECT_EQ(dm->dmDriverExtra, 8040);

  EXPECT_EQ(caps(nullptr, const_cast<wchar_t*>(L"alone"), DC_PAPERS, nullptr, nullptr), static_cast<DWORD>(-1));

  DOCUMENTPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  EXPECT_EQ(sheets(nullptr, reinterpret_cast<LPARAM>(&header)), 8260);
  std::vector<BYTE> out(kDriverDevModeSize, 0xEE);
  header.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
  header.fMode = DM_OUT_BUFFER;
  EXPECT_EQ(sheets(nullptr, reinterpret_cast<LPARAM>(&header)), IDOK);
  EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(out.data())->dmSize, 220);
}

}  // namespace
