// The core's description loader on the sample model.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/qxd/auth_messages.h"
#include "common/records/builtin_dev_option.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/cipher/ui_encryption_info.h"
#include "duicore/module/device_description_win.h"
#include "duicore/devmode/devmode_work_win.h"
#include "tests/support/model_fixture.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

std::wstring Path(const char* relative) {
  const std::string path = testsupport::BinaryPath(relative);
  return testsupport::Widen(path);
}

TEST(CoreDescriptionTest, SampleModelGivesEveryRecord) {
  DeviceDescription description = {};
  ASSERT_TRUE(LoadDeviceDescriptionFrom(Path("model/VELDRANH.QXD").c_str(), &description));
  ASSERT_NE(description.model, nullptr);
  EXPECT_GT(CountRows(description.model->papers), 0u);
  ASSERT_NE(description.deviceOptions, nullptr);
  EXPECT_NE(description.deviceOptions[0].keyword[0], '\0');
  ASSERT_NE(description.trayMapping, nullptr);
  EXPECT_NE(description.trayMapping->sizes, nullptr);
  // The sample model asks for the AES password method.
  EXPECT_EQ(GetUiEncryptionInfo().method, static_cast<uint32_t>(kCipherMethodAes));
  // The trays of the default device settings carry the model's default paper.
  EXPECT_NE(BuiltInDevOption().trays[0].paperId, 0);
  // The cover styles have their words, the login messages their texts.
  for (const FaxCoverStyle& style : g_faxCoverStyles) {
    EXPECT_NE(style.szFontFace[0], u'\0') << style.pszSectionKey;
    EXPECT_NE(style.szStyleTitle[0], u'\0') << style.pszSectionKey;
  }
  bool messages = false;
  for (size_t i = 0; i < kAuthSlotCount; ++i) messages = messages || AuthMessageSlots()[i].text != nullptr;
  EXPECT_TRUE(messages);
  // A second load replaces the records.
  ASSERT_TRUE(LoadDeviceDescriptionFrom(Path("model/VELDRANH.QXD").c_str(), &description));
  EXPECT_NE(description.model, nullptr);
  FreeDeviceDescriptionRecords(&description);
  EXPECT_EQ(description.model, nullptr);
  for (size_t i = 0; i < kAuthSlotCount; ++i) EXPECT_EQ(AuthMessageSlots()[i].text, nullptr);
}

TEST(CoreDescriptionTest, MissingFileBuildsNothing) {
  DeviceDescription description = {};
  EXPECT_FALSE(LoadDeviceDescriptionFrom(Path("model/NO-SUCH.QXD").c_str(), &description));
  EXPECT_EQ(description.model, nullptr);
  EXPECT_EQ(description.deviceOptions, nullptr);
  EXPECT_EQ(description.trayMapping, nullptr);
}

// The head the core writes, with the process's model taken from a
// description that has the collation value and from one that has not.
TEST(CoreDescriptionTest, TheCollateFieldFollowsTheModelsCollationValue) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"core-collate-" + std::to_wstring(GetCurrentProcessId()) + L".QXD";
  auto* process = const_cast<DeviceDescription*>(&CoreDescription());
  auto head = [&](const char* text) {
    const std::vector<uint8_t> bytes = modeltest::Compile(text);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
    EXPECT_TRUE(LoadDeviceDescriptionFrom(path.c_str(), process));
    DEVMODEW dm = {};
    dm.dmCollate = DMCOLLATE_TRUE;
    WriteStandardHead(&dm);
    return dm;
  };
  const DEVMODEW with = head("qxd 1\n\nsection \"Copies\" range min=1 max=99 default=1\n");
  EXPECT_EQ(with.dmFields, kHeadFields | DM_COLLATE);
  EXPECT_EQ(with.dmCollate, DMCOLLATE_FALSE);
  const DEVMODEW without = head("qxd 1\n\nsection \"Other\" value \"x\"\n");
  EXPECT_EQ(without.dmFields, kHeadFields);
  EXPECT_EQ(without.dmCollate, DMCOLLATE_TRUE);  // not the head's to touch
  FreeDeviceDescription();
  DeleteFileW(path.c_str());
}

}  // namespace
