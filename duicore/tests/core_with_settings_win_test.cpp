// The core with the procedure library's own settings functions beside it:
// the capabilities it reports are the sample model's.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/bind_export.h"
#include "duicore/tests/core_library_win.h"

namespace {

class CoreWithSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(coretest::StagePath(L"package\\VELDRANK.DLL").c_str());
    ASSERT_NE(module_, nullptr);
    caps_ = BindExport<decltype(&DrvDeviceCapabilities)>(module_, "DrvDeviceCapabilities");
    ASSERT_NE(caps_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  DWORD Caps(WORD capability, void* output = nullptr) {
    return caps_(nullptr, const_cast<wchar_t*>(L"Fax"), capability, output, nullptr);
  }
  HMODULE module_ = nullptr;
  decltype(&DrvDeviceCapabilities) caps_ = nullptr;
};

TEST_F(CoreWithSettingsTest, CapabilitiesAreTheSampleModels) {
  // The sample model's papers, by id and name.
  const DWORD papers = Caps(DC_PAPERS);
  ASSERT_EQ(papers, 5u);
  std::vector<WORD> ids(papers);
  ASSERT_EQ(Caps(DC_PAPERS, ids.data()), papers);
  EXPECT_EQ(ids[0], DMPAPER_A4);
  EXPECT_EQ(ids[1], DMPAPER_LETTER);
  EXPECT_EQ(ids[4], 256);
  std::vector<wchar_t> names(64 * papers);
  ASSERT_EQ(Caps(DC_PAPERNAMES, names.data()), papers);
  EXPECT_EQ(std::wstring(&names[0]), L"A4 (210 x 297 mm)");
  std::vector<POINT> sizes(papers);
  ASSERT_EQ(Caps(DC_PAPERSIZE, sizes.data()), papers);
  EXPECT_EQ(sizes[0].x, 2100);
  EXPECT_EQ(sizes[0].y, 2970);

  // Its three fax resolutions.
  ASSERT_EQ(Caps(DC_ENUMRESOLUTIONS), 3u);
  LONG pairs[6] = {};
  Caps(DC_ENUMRESOLUTIONS, pairs);
  EXPECT_EQ(pairs[0], 200);
  EXPECT_EQ(pairs[1], 100);
  EXPECT_EQ(pairs[4], 400);
  EXPECT_EQ(pairs[5], 400);

  // The sizes of the DEVMODE the core builds for the query.
  EXPECT_EQ(Caps(DC_SIZE), 220u);
  EXPECT_EQ(Caps(DC_EXTRA), 8040u);
  EXPECT_EQ(Caps(DC_DRIVER), 0x100u);
}

}  // namespace
