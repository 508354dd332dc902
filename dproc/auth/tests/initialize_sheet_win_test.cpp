// The Initialize sheet and its dialogs under Wine on the sample model: the
// access number refused when the page is left, the e-mail address rules at
// OK, and the attestation dialog storing the user enciphered.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include <cstring>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/records/doc_fields.h"
#include "dproc/auth/initialize_sheet_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/auth/tests/auth_dialog_test_win.h"
#include "tests/support/dialog_kit_win.h"

namespace {

constexpr wchar_t kFolder[] = L"vdinit";

class InitializeSheet : public AuthDialogTest<kFolder> {
 protected:
  void Prepare(testsupport::DialogKit& kit) {
    std::memcpy(&kit.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
    kit.Session().printer = printer_.handle();
  }
};

// Leaving the page: the access number is read and checked.
TEST_F(InitializeSheet, TheAccessNumberIsCheckedWhenThePageIsLeft) {
  const struct {
    const wchar_t* typed;
    bool leaves;
  } cases[] = {{L"", true}, {L"0002", true}, {L"9999", true}, {L"12a3", true},
               {L"0001", false}, {L"123", false}, {L"abcd", false}};
  for (const auto& c : cases) {
    testsupport::DialogKit kit;
    Prepare(kit);
    ASSERT_NE(kit.OpenPages(kit.Templates(), {161}, InitializeSheetProc), nullptr);
    HWND page = kit.Dialog();
    SetDlgItemTextW(page, 1875, c.typed);  // the field takes digits only as typed; a pasted text is checked too
    const size_t before = kit.Boxes().shown().size();
    PSHNOTIFY note{};
    note.hdr.hwndFrom = kit.Sheet();
    note.hdr.code = PSN_KILLACTIVE;
    SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
    const bool refused = GetWindowLongPtrW(page, DWLP_MSGRESULT) != FALSE;
    EXPECT_EQ(!refused, c.leaves) << std::wstring(c.typed).size();
    EXPECT_EQ(kit.Boxes().shown().size() - before, c.leaves ? 0u : 1u);
    const std::wstring typed(c.typed);
    EXPECT_EQ(std::string(Fields(kit.Settings()).szAccessNumber), std::string(typed.begin(), typed.end()));
  }
}

TEST_F(InitializeSheet, EmailAddressRulesAtOk) {
  const struct {
    bool notify;
    const wchar_t* typed;
    bool stored;
  } cases[] = {
      {true, L"", false},                  // notification on needs an address
      {false, L"", true},
      {true, L"name@example.org", true},
      {true, L"@example.org", false},
      {true, L"name@", false},
      {true, L"a@b@c", false},
      {true, L"name.example.org", false},
  };
  for (const auto& c : cases) {
    testsupport::DialogKit kit;
    Prepare(kit);
    Fields(kit.Settings()).bEmailNotify = c.notify ? 1 : 0;
    std::strcpy(Fields(kit.Settings()).szEmailAddress, "old@example.org");
    ASSERT_NE(kit.OpenDialog(kit.Templates(), 159, EmailSettingDlgProc), nullptr);
    SetDlgItemTextW(kit.Dialog(), 1880, c.typed);
    kit.Click(IDOK);
    EXPECT_EQ(kit.Boxes().shown().size(), c.stored ? 0u : 1u) << c.notify;
    if (c.stored) {
      const std::wstring typed(c.typed);
      EXPECT_EQ(std::string(Fields(kit.Settings()).szEmailAddress), std::string(typed.begin(), typed.end()));
    }
  }
}

TEST_F(InitializeSheet, AttestationOkStoresTheUserAndCancelRestores) {
  testsupport::DialogKit kit;
  Prepare(kit);
  ASSERT_NE(kit.OpenDialog(kit.Templates(), 158, AttestationSettingDlgProc), nullptr);
  kit.Click(1872);
  SetDlgItemTextW(kit.Dialog(), 1874, L"dora");
  SetDlgItemTextW(kit.Dialog(), 2028, L"pw9");
  kit.Click(IDOK);
  const DocFields& f = Fields(kit.Settings());
  EXPECT_EQ(f.byUserType, 1);
  EXPECT_EQ(std::u16string(f.szAuthUserName), u"dora");
  uint8_t buffer[82] = {};
  std::memcpy(buffer, f.byAuthUserPass, 81);
  EXPECT_NE(std::memcmp(buffer, "pw9", 3), 0) << "never the typed text";
  const uint32_t n = DecryptPassword(printer_.handle(), buffer, f.wAuthUserPassLen, 81);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), strnlen(reinterpret_cast<char*>(buffer), n)), "pw9");

  testsupport::DialogKit other;
  Prepare(other);
  const DocDMode before = other.Settings();
  ASSERT_NE(other.OpenDialog(other.Templates(), 160, DepartmentSettingDlgProc), nullptr);
  SetDlgItemTextW(other.Dialog(), 1870, L"77");
  other.Click(IDCANCEL);
  EXPECT_EQ(std::memcmp(&other.Settings(), &before, sizeof before), 0);
}

}  // namespace
