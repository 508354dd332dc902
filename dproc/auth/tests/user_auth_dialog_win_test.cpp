// The authentication dialogs under Wine on the sample model as the library
// reads it at start-up, with the scripted stand-in of VELDRANV as the
// device: the popup at the start of a job (filled, checked with the device,
// OK writes the job's settings, Cancel leaves them), the modes from the
// device's answer and from the option record, and the server dialog's list
// merged with the device's names.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/ui_services.h"
#include "dproc/auth/auth_rules.h"
#include "dproc/auth/dev_auth_warning_win.h"
#include "dproc/auth/user_auth_dialog_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/startup/description_loader_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/proc_library_folder_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using testsupport::ModalDialogDriver;

struct Box {
  std::wstring text;
  UINT style;
};
std::vector<Box> g_boxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT style) {
  g_boxes.push_back({text, style});
  return IDOK;
}
BOOL NoWinHelp(HWND, const wchar_t*, UINT, ULONG_PTR) { return TRUE; }
HWND NoHtmlHelp(HWND, const wchar_t*, UINT, DWORD_PTR) { return nullptr; }
const UiServices kServices = {RecordBox, NoWinHelp, NoHtmlHelp};

testsupport::ProcLibraryFolder* g_library = nullptr;

std::wstring Text(HWND d, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(d, id, text, 256);
  return text;
}
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
void Type(HWND d, int id, const wchar_t* text) { SetDlgItemTextW(d, id, text); }
void Click(HWND d, int id) { SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id))); }
// A radio button of the user type chosen as a click does it.
void Choose(HWND d, int id) {
  CheckRadioButton(d, 1871, 1872, id);
  Click(d, id);
}
bool IsTemplate(HWND d, int controlId) { return GetDlgItem(d, controlId) != nullptr; }

std::string Deciphered(HANDLE printer, const uint8_t* field, size_t size, uint16_t length) {
  std::vector<uint8_t> buffer(field, field + size);
  const uint32_t n = DecryptPassword(printer, buffer.data(), length, static_cast<uint32_t>(size));
  return std::string(reinterpret_cast<const char*>(buffer.data()), strnlen(reinterpret_cast<const char*>(buffer.data()), n));
}

class UserAuthDialog : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { g_library = new testsupport::ProcLibraryFolder(L"vdauth"); }
  static void TearDownTestSuite() {
    delete g_library;
    g_library = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(g_library->ok());
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    previous_ = SetUiServices(&kServices);
    g_boxes.clear();
    SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    script_ = std::string(temp) + "authdlg_" + std::to_string(GetCurrentProcessId()) + ".txt";
    SetEnvironmentVariableA("OAPI_SCRIPT", script_.c_str());
    Script("");
    std::memcpy(&doc_, &DefaultDocDMode(), sizeof doc_);
    std::memset(&option_, 0, sizeof option_);
    option_.destCustomize = 2;
    std::memcpy(option_.deviceAddress, u"192.0.2.7", 20);
    option_.autoAcquisition = 1;
    Option("DevUserAuthentication", "DevUserAuthentic_Engin");
    Option("DevAccountTrack", "DevAccountTrack_Ena");
    handle_ = printer_.handle();
    args_ = {&doc_, &option_, &handle_};
  }
  void TearDown() override {
    SetOpenApiLibraryPath(nullptr);
    SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
    DeleteFileA(script_.c_str());
    SetUiServices(previous_);
  }
  void Script(const std::string& text) { std::ofstream(script_, std::ios::binary) << text; }
  void Option(const char* name, const char* value) {
    for (const DeviceOptionItem* row = g_description.deviceOptions; row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, name) != 0) continue;
      for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
        if (std::strcmp(row->values[i].keyword, value) == 0) option_.optionValues[row->optionIndex] = i;
      }
    }
  }
  DocFields& F() { return Fields(doc_); }
  void StorePassword(uint8_t* field, size_t size, uint16_t* length, const char* text) {
    std::vector<uint8_t> buffer(size, 0);
    std::memcpy(buffer.data(), text, std::strlen(text));
    *length = static_cast<uint16_t>(EncryptPassword(handle_, buffer.data(), static_cast<uint32_t>(size)));
    std::memcpy(field, buffer.data(), size);
  }

  testsupport::TestPrinter printer_;
  DocDMode doc_;
  DevOption option_;
  HANDLE handle_ = nullptr;
  AuthPopupArgs args_{};
  std::string script_;
  const UiServices* previous_ = nullptr;
};

TEST_F(UserAuthDialog, PopupOkWritesTheTypedCredentialsEnciphered) {
  F().byUserType = 0;
  ModalDialogDriver driver;
  std::wstring title;
  bool nameEnabledAsPublic = true;
  driver.Then([&](HWND d) {
    wchar_t caption[256] = {};
    GetWindowTextW(d, caption, 256);
    title = caption;
    nameEnabledAsPublic = Enabled(d, 1874);
    Choose(d, 1872);
    Type(d, 1874, L"alice");
    Type(d, 2028, L"s3cret");
    Type(d, 1870, L"1234");
    Type(d, 2029, L"9999");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunUserAuthenticPopup(&args_), IDOK);
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_NE(title.find(L"Authentication"), std::wstring::npos);
  EXPECT_EQ(title.rfind(L"Fax", 0), 0u) << "the driver's name comes first";
  EXPECT_FALSE(nameEnabledAsPublic) << "a public user types no name";
  EXPECT_EQ(F().byUserType, 1);
  EXPECT_EQ(std::u16string(F().szAuthUserName), u"alice");
  EXPECT_GT(F().wAuthUserPassLen, 0);
  EXPECT_NE(std::memcmp(F().byAuthUserPass, "s3cret", 6), 0) << "never the typed text";
  EXPECT_EQ(Deciphered(handle_, F().byAuthUserPass, sizeof F().byAuthUserPass, F().wAuthUserPassLen), "s3cret");
  EXPECT_STREQ(F().szDeptName, "1234");
  EXPECT_EQ(Deciphered(handle_, F().byDeptPass, sizeof F().byDeptPass, F().wDeptPassLen), "9999");
}

TEST_F(UserAuthDialog, PopupCancelLeavesTheJobsSettings) {
  F().byUserType = 1;
  std::memcpy(F().szAuthUserName, u"bob", 8);
  StorePassword(F().byAuthUserPass, sizeof F().byAuthUserPass, &F().wAuthUserPassLen, "pw");
  const DocDMode before = doc_;
  ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    Choose(d, 1871);
    Type(d, 1874, L"mallory");
    Type(d, 2028, L"other");
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunUserAuthenticPopup(&args_), IDCANCEL);
  EXPECT_EQ(std::memcmp(&doc_, &before, sizeof doc_), 0);
}

TEST_F(UserAuthDialog, PopupNeverShowsStoredPasswordsAndOkWithoutThemStoresNone) {
  F().byUserType = 1;
  std::memcpy(F().szAuthUserName, u"bob", 8);
  StorePassword(F().byAuthUserPass, sizeof F().byAuthUserPass, &F().wAuthUserPassLen, "pw");
  StorePassword(F().byDeptPass, sizeof F().byDeptPass, &F().wDeptPassLen, "77");
  ModalDialogDriver driver;
  std::wstring shownName, shownPass, shownDeptPass;
  driver.Then([&](HWND d) {
    shownName = Text(d, 1874);
    shownPass = Text(d, 2028);
    shownDeptPass = Text(d, 2029);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunUserAuthenticPopup(&args_), IDOK);
  EXPECT_EQ(shownName, L"bob");
  EXPECT_EQ(shownPass, L"");
  EXPECT_EQ(shownDeptPass, L"");
  EXPECT_EQ(F().wAuthUserPassLen, 0);
  EXPECT_EQ(F().wDeptPassLen, 0);
}

TEST_F(UserAuthDialog, RefusedArgumentsShowNothing) {
  EXPECT_EQ(RunUserAuthenticPopup(nullptr), -1);
  AuthPopupArgs noPrinter = {&doc_, &option_, nullptr};
  EXPECT_EQ(RunUserAuthenticPopup(&noPrinter), -1);
}

// The fields the modes ask for, as the dialog enables them.
struct Enabling {
  bool publicUser, name, department, verify;
};

TEST_F(UserAuthDialog, ModesFollowTheDeviceAnswerWithAutomaticAcquisition) {
  const struct {
    const char* script;
    uint16_t autoAcquisition;
    Enabling want;
  } cases[] = {
      // The device checks users itself and keeps departments with them.
      {"config 0 631 3 0\nauth Device\naccount OnWithUserAuthentication\n", 1, {true, true, true, true}},
      // A relay server answers: no user fields here; a password-only track
      // asks for the department.
      {"config 0 631 3 0\nauth MiddleServer\naccount Password\n", 1, {false, false, true, true}},
      // The device's password track with user authentication: no department.
      {"config 0 631 3 0\nauth Device\naccount Password\n", 1, {true, true, false, true}},
      // Without automatic acquisition the option record counts (device
      // authentication, track on); the device still answers for Verify.
      {"config 0 631 3 0\nauth None\naccount None\n", 0, {true, true, true, true}},
      // No device: the option record, and no Verify.
      {"access fail\n", 1, {true, true, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Script(c.script);
    option_.autoAcquisition = c.autoAcquisition;
    F().byUserType = 1;
    Enabling seen = {};
    ModalDialogDriver driver;
    driver.Then([&](HWND d) {
      seen = {Enabled(d, 1871), Enabled(d, 1874), Enabled(d, 1870), Enabled(d, 2177)};
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(RunUserAuthenticPopup(&args_), IDCANCEL);
    EXPECT_EQ(seen.publicUser, c.want.publicUser);
    EXPECT_EQ(seen.name, c.want.name);
    EXPECT_EQ(seen.department, c.want.department);
    if (ProcessModelInfo()->features[kMfAuthVerify] != 0) {
      EXPECT_EQ(seen.verify, c.want.verify);
    }
  }
}

TEST_F(UserAuthDialog, VerifyShowsTheDevicesAnswerAndKeepsTheDialogOpen) {
  const uint8_t savedVerify = ProcessModelInfo()->features[kMfAuthVerify];
  ProcessModelInfo()->features[kMfAuthVerify] = 1;
  const struct {
    const char* login;
    const wchar_t* expected;  // a piece of the message's text
  } cases[] = {
      {"login 0\n", L"accepted the connection"},
      {"login 4 AuthServerBusy\n", nullptr},
      {"login 4 AuthIllegalPassword\n", L"password does not match"},
      {"login 9\n", L"could not be completed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.login);
    Script(std::string("config 0 631 3 0\nauth Device\naccount None\n") + c.login);
    g_boxes.clear();
    F().byUserType = 1;
    bool stillOpen = false;
    ModalDialogDriver driver;
    driver.Then([&](HWND d) {
      Type(d, 1874, L"alice");
      Type(d, 2028, L"pw");
      Click(d, 2177);
      stillOpen = IsWindow(d) != FALSE;
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(RunUserAuthenticPopup(&args_), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].style & MB_ICONINFORMATION, static_cast<UINT>(MB_ICONINFORMATION));
    if (c.expected != nullptr) {
      EXPECT_NE(g_boxes[0].text.find(c.expected), std::wstring::npos);
    } else {
      EXPECT_FALSE(g_boxes[0].text.empty()) << "the busy server has a text of its own";
    }
  }
  ProcessModelInfo()->features[kMfAuthVerify] = savedVerify;
}

TEST_F(UserAuthDialog, ServerDialogListsTheDevicesNamesAndTakesTheChoiceOnOk) {
  const uint8_t savedServer = ProcessModelInfo()->features[kMfAuthServerSetting];
  ProcessModelInfo()->features[kMfAuthServerSetting] = 1;
  Option("DevUserAuthentication", "DevUserAuthentic_GeneralSV");
  Script("config 0 631 3 0\nauth Server\naccount None\nserver 1 Head office\nserver 3 Branch\n");
  F().nServerSetting = 21;  // no row: nothing selected
  std::vector<std::wstring> items;
  int selectedAtStart = 0;
  ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    EXPECT_TRUE(Enabled(d, 2174));
    driver.Then([&](HWND s) {
      HWND list = GetDlgItem(s, 2180);
      selectedAtStart = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
      const int n = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < n; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
      }
      SendMessageW(list, CB_SETCURSEL, 2, 0);
      PostMessageW(s, WM_COMMAND, IDOK, 0);
    }, [](HWND s) { return IsTemplate(s, 2180); });
    Click(d, 2174);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(RunUserAuthenticPopup(&args_), IDOK);
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_EQ(selectedAtStart, CB_ERR);
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0], L"*Head office");
  EXPECT_EQ(items[1].find(L"*"), std::wstring::npos) << "row 2 keeps the description file's name";
  EXPECT_EQ(items[2], L"*Branch");
  EXPECT_EQ(F().nServerSetting, 3);
  ProcessModelInfo()->features[kMfAuthServerSetting] = savedServer;
}

TEST_F(UserAuthDialog, CancelOfTheOuterDialogUndoesTheServerDialogsOk) {
  const uint8_t savedServer = ProcessModelInfo()->features[kMfAuthServerSetting];
  ProcessModelInfo()->features[kMfAuthServerSetting] = 1;
  Option("DevUserAuthentication", "DevUserAuthentic_GeneralSV");
  F().nServerSetting = 2;
  const DocDMode before = doc_;
  ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    driver.Then([&](HWND s) {
      SendDlgItemMessageW(s, 2180, CB_SETCURSEL, 4, 0);
      PostMessageW(s, WM_COMMAND, IDOK, 0);
    }, [](HWND s) { return IsTemplate(s, 2180); });
    Click(d, 2174);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunUserAuthenticPopup(&args_), IDCANCEL);
  EXPECT_EQ(std::memcmp(&doc_, &before, sizeof doc_), 0);
  ProcessModelInfo()->features[kMfAuthServerSetting] = savedServer;
}

// A property-sheet session on a device that wants a user: the first sheet
// warns when the settings name none, the later sheets of the session do
// not, and a session whose settings name a user is never warned.
TEST_F(UserAuthDialog, DeviceAuthenticationWarningOncePerSession) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named);
    testsupport::DialogKit kit;
    std::memcpy(&kit.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
    kit.Session().working->device.option = option_;
    Fields(kit.Settings()).byUserType = 1;
    if (named) std::memcpy(Fields(kit.Settings()).szAuthUserName, u"ann", 8);
    ShowDevAuthWarning(nullptr, 0, reinterpret_cast<LPARAM>(kit.Context()));
    ShowDevAuthWarning(nullptr, 0, reinterpret_cast<LPARAM>(kit.Context()));
    const auto& shown = kit.Boxes().shown();
    if (named) {
      EXPECT_TRUE(shown.empty());
      continue;
    }
    ASSERT_EQ(shown.size(), 1u) << "once per session";
    EXPECT_NE(shown[0].text.find(L"no user name"), std::wstring::npos);
    EXPECT_EQ(shown[0].style & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
  }
}

}  // namespace
