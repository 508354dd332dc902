// The User Setting dialog under Wine on the sample model as the library reads
// it at start-up: what OK stores by output method and by the model's box
// saving, with every field filled; the box group hidden on a model without
// boxes; Cancel and Default.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/auth/user_setting_dialog_win.h"
#include "dproc/model/default_settings.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/proc_library_folder_win.h"
#include "tests/support/test_printer_win.h"

namespace {

testsupport::ProcLibraryFolder* g_library = nullptr;

class UserSettingDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { g_library = new testsupport::ProcLibraryFolder(L"vdusrset"); }
  static void TearDownTestSuite() {
    delete g_library;
    g_library = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(g_library->ok());
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    savedBox_ = ProcessModelInfo()->features[kMfBoxSave];
  }
  void TearDown() override { ProcessModelInfo()->features[kMfBoxSave] = savedBox_; }
  void Start(testsupport::DialogKit& kit, uint8_t method, bool box) {
    ProcessModelInfo()->features[kMfBoxSave] = box ? 1 : 0;
    std::memcpy(&kit.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
    kit.Session().printer = printer_.handle();
    Fields(kit.Settings()).nOutputMethod = method;
    ASSERT_NE(kit.OpenDialog(kit.Templates(), 132, UserSettingDlgProc), nullptr);
  }
  std::string Password(const DocFields& f) {
    uint8_t buffer[74] = {};
    std::memcpy(buffer, f.bySecurePrintPass, 73);
    const uint32_t n = DecryptPassword(printer_.handle(), buffer, f.wSecurePrintPassLen, 73);
    return std::string(reinterpret_cast<char*>(buffer), strnlen(reinterpret_cast<char*>(buffer), n));
  }
  testsupport::TestPrinter printer_;
  uint8_t savedBox_ = 0;
};

TEST_F(UserSettingDialog, OkStoresTheFieldsOfTheOutputMethod) {
  const struct {
    uint8_t method;
    bool box;
    bool secureStored, boxStored, boxShown;
  } cases[] = {
      {3, true, true, false, true},    // secure print: the box fields stay
      {7, true, false, true, true},    // a box: the secure fields stay
      {8, true, false, true, true},
      {1, true, true, true, true},     // another method: all four
      {3, false, true, false, false},  // no boxes on the model: the group is hidden
      {7, false, true, false, false},  // a box method on such a model counts as secure print
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.method) + (c.box ? " with boxes" : " without boxes"));
    testsupport::DialogKit kit;
    Start(kit, c.method, c.box);
    EXPECT_EQ(IsWindowVisible(kit.Control(1421)) != FALSE, c.boxShown);
    SetDlgItemTextW(kit.Dialog(), 1424, L"1234");
    SetDlgItemTextW(kit.Dialog(), 2027, L"5678");
    SetDlgItemTextW(kit.Dialog(), 1421, L"report");
    SetDlgItemTextW(kit.Dialog(), 1419, L"42");
    kit.Click(IDOK);
    const DocFields& f = Fields(kit.Settings());
    EXPECT_EQ(std::string(f.szSecurePrintId) == "1234", c.secureStored);
    EXPECT_EQ(Password(f) == "5678", c.secureStored);
    if (c.secureStored) {
      EXPECT_NE(std::memcmp(f.bySecurePrintPass, "5678", 4), 0) << "kept enciphered";
    }
    EXPECT_EQ(std::u16string(f.szBoxFileName) == u"report", c.boxStored);
    EXPECT_EQ(std::string(f.szBoxNumber) == "42", c.boxStored);
    kit.Close();
  }
}

TEST_F(UserSettingDialog, CancelPutsTheSettingsBack) {
  testsupport::DialogKit kit;
  Start(kit, 3, true);
  const DocDMode before = kit.Settings();
  SetDlgItemTextW(kit.Dialog(), 1424, L"9999");
  kit.Click(1032);  // Default writes at once
  kit.Click(IDCANCEL);
  EXPECT_EQ(std::memcmp(&kit.Settings(), &before, sizeof before), 0);
}

TEST_F(UserSettingDialog, DefaultShowsTheDefaultsAndEmptyPasswordsStoreNone) {
  testsupport::DialogKit kit;
  Start(kit, 3, true);
  SetDlgItemTextW(kit.Dialog(), 1424, L"777");
  SetDlgItemTextW(kit.Dialog(), 1421, L"old");
  kit.Click(1032);
  wchar_t text[40] = {};
  GetDlgItemTextW(kit.Dialog(), 1424, text, 40);
  EXPECT_STREQ(text, L"") << "the default ID";
  GetDlgItemTextW(kit.Dialog(), 1421, text, 40);
  EXPECT_STREQ(text, L"");
  kit.Click(IDOK);
  EXPECT_EQ(Fields(kit.Settings()).wSecurePrintPassLen, 0);
}

}  // namespace
