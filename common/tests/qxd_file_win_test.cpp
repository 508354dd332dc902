// Opening description files through the Windows file interface.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/qxd/qxd_file.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"
#include "tools/qxd/qxd_document.h"

namespace {

using testsupport::Widen;

class QxdFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t dir[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, dir), 0u);
    path_ = std::wstring(dir) + L"qxd_file_test.qxd";
    qxd::Document doc;
    std::string error;
    ASSERT_TRUE(qxd::ParseText("qxd 1\n\nsection \"Copies\" range min=1 max=99 default=1\n\n"
                               "section \"ModelName\" value \"Fax 100\"\n",
                               &doc, &error))
        << error;
    ASSERT_TRUE(qxd::Build(doc, &bytes_, &error)) << error;
    HANDLE f = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(written, bytes_.size());
  }
  void TearDown() override { DeleteFileW(path_.c_str()); }

  std::wstring path_;
  std::vector<uint8_t> bytes_;
};

TEST_F(QxdFileTest, OpensWideAndNarrowPathsIntoMemory) {
  QxdContext* wide = QxdOpen(path_.c_str(), 1);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->size, bytes_.size());
  EXPECT_NE(wide->image, nullptr);
  EXPECT_NE(QxdFindSection(wide, "copies"), 0u);
  char name[16];
  EXPECT_TRUE(QxdReadValueString(wide, "ModelName", name, sizeof name));
  EXPECT_STREQ(name, "Fax 100");
  // Others may read the file while it is open; nobody may write it.
  HANDLE reader = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  HANDLE writer = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  QxdClose(wide);

  std::string narrowPath(path_.begin(), path_.end());
  QxdContext* narrow = QxdOpen(narrowPath.c_str(), 0);
  ASSERT_NE(narrow, nullptr);
  EXPECT_EQ(narrow->wide, 0u);
  EXPECT_NE(QxdFindSection(narrow, "ModelName"), 0u);
  QxdClose(narrow);
}

TEST_F(QxdFileTest, ReadsThroughTheFileWhenThereIsNoImage) {
  QxdContext* ctx = QxdOpen(path_.c_str(), 1);
  ASSERT_NE(ctx, nullptr);
  // As if the image could not be allocated at open.
  GlobalFree(ctx->image);
  ctx->image = nullptr;
  uint32_t range[3] = {};
  uint32_t at = QxdFindSection(ctx, "Copies");
  ASSERT_NE(at, 0u);
  EXPECT_TRUE(QxdReadRangeRecord(ctx, at + kQxdRangeRecordAt, range));
  EXPECT_EQ(range[0], 99u);
  uint8_t tail[16];
  EXPECT_EQ(QxdReadAt(ctx, tail, 16, ctx->size - 4), 4u);
  EXPECT_EQ(QxdReadAt(ctx, tail, 16, ctx->size), 0u);
  QxdClose(ctx);
}

TEST_F(QxdFileTest, MissingFilesAndOverlongPathsGiveNoContext) {
  EXPECT_EQ(QxdOpen(L"Z:\\no\\such\\file.qxd", 1), nullptr);
  EXPECT_EQ(QxdOpen(nullptr, 1), nullptr);
  std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L".qxd";
  EXPECT_EQ(QxdOpen(longPath.c_str(), 1), nullptr);
}

TEST(QxdModelFile, SampleModelOpensFromTheBuildTree) {
  std::wstring path = Widen(testsupport::BinaryPath("model/VELDRANH.QXD"));
  QxdContext* ctx = QxdOpen(path.c_str(), 1);
  ASSERT_NE(ctx, nullptr);
  EXPECT_NE(QxdFindSection(ctx, "Property_0"), 0u);
  QxdClose(ctx);
}

}  // namespace
