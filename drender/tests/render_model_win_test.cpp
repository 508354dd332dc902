// The render core's shared printer description: its users, the default
// input paper and a missing description.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/qxd/paper_tables.h"
#include "drender/model/render_model.h"
#include "drender/tests/render_dir.h"

namespace {

// The render core's description functions, run in this program against a
// module placed in a test directory.
class ModelInfoTest : public ::testing::Test {
 protected:
  void Place(const RenderDir& dir, const wchar_t* moduleName) {
    module_ = LoadLibraryW(dir.Path(moduleName).c_str());
    ASSERT_NE(module_, nullptr);
    Rdc_SetModule(module_);
  }
  void TearDown() override {
    while (Rdc_ModelInfoUsers() > 0) Rdc_ReleaseModelInfo();
    Rdc_SetModule(nullptr);
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ModelInfoTest, UsersShareOneDescriptionUntilTheLastRelease) {
  RenderDir dir;
  Place(dir, L"VELDRANE.DLL");
  ASSERT_TRUE(Rdc_LoadModelInfo());
  const ModelInfo* model = Rdc_Model();
  ASSERT_NE(model, nullptr);
  EXPECT_NE(FindPaperById(model, 9), nullptr);
  ASSERT_TRUE(Rdc_LoadModelInfo());
  EXPECT_EQ(Rdc_ModelInfoUsers(), 2);
  EXPECT_EQ(Rdc_Model(), model);
  Rdc_ReleaseModelInfo();
  EXPECT_EQ(Rdc_Model(), model);
  Rdc_ReleaseModelInfo();
  EXPECT_EQ(Rdc_ModelInfoUsers(), 0);
  EXPECT_EQ(Rdc_Model(), nullptr);
  Rdc_ReleaseModelInfo();  // one release too many changes nothing
  EXPECT_EQ(Rdc_ModelInfoUsers(), 0);
  EXPECT_STREQ(Rdc_MakerName(), L"HALDOVAR");
}

TEST_F(ModelInfoTest, DefaultInputPaperFromTheProcedureLibraryOrTheDescription) {
  RenderDir dir;
  Place(dir, L"VELDRANE.DLL");
  ASSERT_TRUE(Rdc_LoadModelInfo());
  EXPECT_EQ(Rdc_DefaultPaperId(), 9) << "without VELDRANA.DLL: the section's default paper";
  Rdc_ReleaseModelInfo();
  ASSERT_TRUE(dir.Copy("bin/SIBSTAND.DLL", L"VELDRANA.DLL"));
  ASSERT_TRUE(Rdc_LoadModelInfo());
  EXPECT_EQ(Rdc_DefaultPaperId(), 1) << "\"letter\" names the Letter record";
}

TEST_F(ModelInfoTest, WithoutADescriptionNothingLoads) {
  RenderDir dir(false);
  ASSERT_TRUE(dir.Copy("bin/SIBSTAND.DLL", L"SIBSTAND.DLL"));
  Place(dir, L"SIBSTAND.DLL");
  EXPECT_FALSE(Rdc_LoadModelInfo());
  EXPECT_EQ(Rdc_ModelInfoUsers(), 0);
  EXPECT_EQ(Rdc_Model(), nullptr);
}

}  // namespace
