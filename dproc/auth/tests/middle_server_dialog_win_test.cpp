// The relay-server sign-in dialog under Wine on the sample model: the items
// of the per-user copy of the relay server's setting shown in a dialog
// built in memory, the answers checked and stored enciphered in the
// document settings with "ResetFlag", the user's last answers kept only
// while the setting is unchanged, Public user, Cancel, and the settings
// it refuses to show.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/records/doc_fields.h"
#include "common/records/middle_server_values.h"
#include "common/win/ui_services.h"
#include "dproc/auth/auth_button_win.h"
#include "dproc/auth/middle_server_dialog_win.h"
#include "dproc/auth/middle_server_rules.h"
#include "dproc/auth/tests/auth_dialog_test_win.h"
#include "dproc/dialogs/dialog_template.h"
#include "dproc/model/default_settings.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/startup/description_loader_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_picture_win.h"

namespace {

using testsupport::ModalDialogDriver;

struct Box {
  std::wstring text, caption;
};
std::vector<Box> g_boxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT) {
  g_boxes.push_back({text, caption});
  return IDOK;
}
BOOL NoWinHelp(HWND, const wchar_t*, UINT, ULONG_PTR) { return TRUE; }
HWND NoHtmlHelp(HWND, const wchar_t*, UINT, DWORD_PTR) { return nullptr; }
const UiServices kServices = {RecordBox, NoWinHelp, NoHtmlHelp};

std::wstring Text(HWND d, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(d, id, text, 256);
  return text;
}
void Type(HWND d, int id, const wchar_t* text) { SetDlgItemTextW(d, id, text); }
void Click(HWND d, int id) {
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}
bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

void Put(MiddleServerItem& item, uint32_t at, const char* text) {
  std::memcpy(reinterpret_cast<uint8_t*>(&item) + at, text, std::strlen(text));
}
template <typename T>
void PutValue(MiddleServerItem& item, uint32_t at, T value) {
  std::memcpy(reinterpret_cast<uint8_t*>(&item) + at, &value, sizeof value);
}

// Control ids of the items below, as the dialog numbers them.
constexpr int kUserBox = 1500, kPinBox = 1501, kDateBoxes = 3000, kFullDateBoxes = 3007, kList = 3500;
constexpr int kYes = 2500, kNo = 2501;

constexpr wchar_t kFolder[] = L"vdrelay";

class MiddleServerDialog : public AuthDialogTest<kFolder> {
 protected:
  void SetUp() override {
    AuthDialogTest::SetUp();
    if (HasFatalFailure()) return;
    previous_ = SetUiServices(&kServices);
    g_boxes.clear();
    std::memcpy(&doc_, &DefaultDocDMode(), sizeof doc_);
    handle_ = printer_.handle();
    setting_.reset(new MiddleServerSetting());
    MiddleServerSetting& s = *setting_;
    std::memcpy(s.head, "HEAD", 4);
    std::memcpy(s.tail, "SCREEN-7", 8);
    // 0: a required user name of at least two characters.
    Item(0, 1, "User", "user", 3);
    PutValue<uint8_t>(s.items[0], ms::kTextStyleAt, 1);
    PutValue<uint8_t>(s.items[0], ms::kTextMinAt, 2);
    Put(s.items[0], ms::kTextDefaultAt, "guest");
    // 1: a needed PIN in a password box.
    Item(1, 1, "PIN", "pin", 1);
    PutValue<uint8_t>(s.items[1], ms::kTextStyleAt, 2);
    s.items[1].display = 1;
    // 2: an optional date (sub-kind 2) with its defaults.
    Item(2, 4, "Deliver on", "date", 0);
    PutValue<int16_t>(s.items[2], ms::kDateYearAt, 2025);
    Put(s.items[2], ms::kDateTextsAt + 0, "6");
    Put(s.items[2], ms::kDateTextsAt + 8, "15");
    PutValue<uint8_t>(s.items[2], ms::kDateSubKindAt, 2);
    // 3: a list whose default is "b" (typed in another case).
    Item(3, 6, "Cost centre", "cc", 0);
    Put(s.items[3], ms::kListDefaultAt, "B");
    PutValue<uint8_t>(s.items[3], ms::kListCountAt, 2);
    Put(s.items[3], ms::kListEntriesAt, "a");
    Put(s.items[3], ms::kListEntriesAt + 32, "Alpha");
    Put(s.items[3], ms::kListEntriesAt + 168, "b");
    Put(s.items[3], ms::kListEntriesAt + 168 + 32, "Beta");
    // 4: a two-way choice that starts on its first caption.
    Item(4, 3, "Colour", "colour", 0);
    PutValue<uint8_t>(s.items[4], ms::kChoiceDefaultAt, 1);
    Put(s.items[4], ms::kCaption1At, "Yes");
    Put(s.items[4], ms::kCaption2At, "No");
    // 5: an optional date, time and zone.
    Item(5, 4, "Time zone", "zone", 0);
    PutValue<int16_t>(s.items[5], ms::kDateYearAt, 2025);
    for (int i = 0; i < 6; ++i) Put(s.items[5], ms::kDateTextsAt + i * 8, "1");
    PutValue<uint8_t>(s.items[5], ms::kDateSubKindAt, 4);
    s.itemCount = 6;
    SaveMiddleServerCache(handle_, 7, setting_.get());
    SetMiddleServerResetFlag(handle_, 0);
  }
  void TearDown() override { SetUiServices(previous_); }
  void Item(int i, uint8_t kind, const char* label, const char* key, uint8_t input) {
    MiddleServerItem& item = setting_->items[i];
    item.kind = kind;
    item.input = input;
    Put(item, ms::kLabelAt, label);
    Put(item, ms::kKeyAt, key);
  }
  // The deciphered field `field` of the stored answer `k`.
  std::string Answer(int k, int field = 0) {
    const uint8_t* v = reinterpret_cast<const uint8_t*>(&doc_) + kDocMiddleServerItemsAt + k * kMiddleServerItemSize;
    MiddleServerValueField f[7];
    MiddleServerValueFields(v[kMiddleServerItemKindAt], f);
    uint16_t length;
    std::memcpy(&length, v + f[field].lengthAt, 2);
    std::vector<uint8_t> work(v + f[field].at, v + f[field].at + f[field].size);
    work.push_back(0);
    if (length == 0) return {};
    DecryptPasswordAes(handle_, work.data(), length, f[field].size);
    return reinterpret_cast<const char*>(work.data());
  }
  DWORD ResetFlag() {
    HKEY key;
    if (!OpenMiddleServerKey(handle_, &key)) return 99;
    DWORD value = 99, size = sizeof value, type = 0;
    RegQueryValueExW(key, L"ResetFlag", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return value;
  }
  uint32_t StoredNumber() {
    uint32_t n;
    std::memcpy(&n, reinterpret_cast<const uint8_t*>(&doc_) + kDocMiddleServerAt, 4);
    return n;
  }
  int16_t StoredCount() {
    int16_t n;
    std::memcpy(&n, reinterpret_cast<const uint8_t*>(&doc_) + kDocMiddleServerItemCountAt, 2);
    return n;
  }

  DocDMode doc_;
  HANDLE handle_ = nullptr;
  std::unique_ptr<MiddleServerSetting> setting_;
  const UiServices* previous_ = nullptr;
};

TEST_F(MiddleServerDialog, OkStoresTheAnswersEncipheredAndSetsTheResetFlag) {
  Fields(doc_).byUserType = 0;
  ModalDialogDriver driver;
  std::wstring caption, month, day, user;
  bool hourShown = true, zoneShown = false, publicTicked = false;
  driver.Then([&](HWND d) {
    wchar_t text[128] = {};
    GetWindowTextW(d, text, 128);
    caption = text;
    publicTicked = IsDlgButtonChecked(d, ms::kPublicUserId) == BST_CHECKED;
    CheckDlgButton(d, ms::kPublicUserId, BST_UNCHECKED);  // untick: a named user
    Click(d, ms::kPublicUserId);
    user = Text(d, kUserBox);
    month = Text(d, kDateBoxes + 1);
    day = Text(d, kDateBoxes + 2);
    hourShown = Shown(d, kDateBoxes + 3);
    zoneShown = Shown(d, kFullDateBoxes + 6);
    Type(d, kUserBox, L"alice");
    Type(d, kPinBox, L"1234");
    Type(d, kDateBoxes + 1, L"13");       // beyond the months: stored as 12
    Type(d, kFullDateBoxes + 6, L"20");   // zone minutes: stored as 30
    SendDlgItemMessageW(d, kList, CB_SETCURSEL, 0, 0);
    Click(d, kNo);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 1);
  EXPECT_EQ(driver.Pending(), 0u);
  EXPECT_TRUE(g_boxes.empty());
  EXPECT_EQ(caption, L"Relay Server Sign-in");
  EXPECT_TRUE(publicTicked) << "a stored Public user ticks the box";
  EXPECT_EQ(user, L"guest") << "the defaults, as no answers belong to this setting";
  EXPECT_EQ(month, L"6");
  EXPECT_EQ(day, L"15");
  EXPECT_FALSE(hourShown) << "a date without time";
  EXPECT_TRUE(zoneShown);
  EXPECT_EQ(Fields(doc_).byUserType, 1);
  EXPECT_EQ(StoredNumber(), 7u);
  EXPECT_EQ(StoredCount(), 6);
  EXPECT_EQ(Answer(0), "alice");
  EXPECT_EQ(Answer(1), "1234");
  const uint8_t* pin = reinterpret_cast<const uint8_t*>(&doc_) + kDocMiddleServerItemsAt + kMiddleServerItemSize;
  EXPECT_EQ(std::memcmp(pin + 34, "1234", 4) == 0, false) << "never the typed text";
  EXPECT_EQ(Answer(2, 0), "2025");
  EXPECT_EQ(Answer(2, 1), "12");
  EXPECT_EQ(Answer(2, 2), "15");
  EXPECT_EQ(Answer(2, 3), "") << "a date stores no hour";
  EXPECT_EQ(Answer(3), "a");
  EXPECT_EQ(Answer(4), "0");
  EXPECT_EQ(Answer(5, 6), "30");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&doc_) + kDocMiddleServerTailTextAt), "SCREEN-7");
  EXPECT_EQ(ResetFlag(), 1u);
}

TEST_F(MiddleServerDialog, RefusedAnswersKeepTheDialogOpenAndCancelRestoresEverything) {
  Fields(doc_).byUserType = 1;
  const DocDMode before = doc_;
  ModalDialogDriver driver;
  size_t boxesAfterOk = 0, boxesAfterPublic = 0;
  bool stillTicked = true;
  driver.Then([&](HWND d) {
    Type(d, kUserBox, L"a");  // shorter than its two characters
    Type(d, kPinBox, L"9");
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    boxesAfterOk = g_boxes.size();
    CheckDlgButton(d, ms::kPublicUserId, BST_CHECKED);
    Click(d, ms::kPublicUserId);  // the same answers refuse Public user too
    boxesAfterPublic = g_boxes.size();
    stillTicked = IsDlgButtonChecked(d, ms::kPublicUserId) == BST_CHECKED;
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 2);
  EXPECT_EQ(boxesAfterOk, 1u);
  EXPECT_EQ(boxesAfterPublic, 2u);
  EXPECT_FALSE(stillTicked);
  ASSERT_FALSE(g_boxes.empty());
  EXPECT_NE(g_boxes[0].text.find(L"\n[User]"), std::wstring::npos) << "the item is named";
  EXPECT_EQ(g_boxes[0].text.find(L"could not be reached"), std::wstring::npos) << "not the connection message";
  EXPECT_NE(g_boxes[0].text.find(L"This entry cannot be used"), std::wstring::npos);
  EXPECT_EQ(std::memcmp(&doc_, &before, sizeof doc_), 0) << "Cancel leaves the settings as they were";
  EXPECT_EQ(ResetFlag(), 0u);
}

TEST_F(MiddleServerDialog, PublicUserDisablesTheItemsAndStoresWithoutChecks) {
  ModalDialogDriver driver;
  bool userEnabled = true;
  driver.Then([&](HWND d) {
    Type(d, kPinBox, L"");  // a needed PIN left empty is not checked for a Public user
    CheckDlgButton(d, ms::kPublicUserId, BST_CHECKED);
    Click(d, ms::kPublicUserId);
    userEnabled = Enabled(d, kUserBox);
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 1);
  EXPECT_FALSE(userEnabled);
  EXPECT_EQ(Fields(doc_).byUserType, 0);
  EXPECT_EQ(Answer(0), "guest");
}

TEST_F(MiddleServerDialog, LastAnswersReturnOnlyWhileTheSettingAndResetFlagAllow) {
  // A first OK stores "alice" and the PIN.
  {
    ModalDialogDriver driver;
    driver.Then([&](HWND d) {
      Type(d, kUserBox, L"alice");
      Type(d, kPinBox, L"77");
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 1);
  }
  struct Case {
    DWORD flag;
    uint32_t number;
    bool hasOwner;
    const wchar_t* user;
    const wchar_t* pin;
  } cases[] = {
      {1, 7, false, L"alice", L""},    // at print time a needed password starts empty
      {1, 7, true, L"alice", L"77"},   // from the sheet it shows the stored one
      {0, 7, true, L"guest", L""},     // the flag cleared: the defaults
      {1, 8, true, L"guest", L""},     // another setting: the defaults
  };
  for (const Case& c : cases) {
    SetMiddleServerResetFlag(handle_, c.flag);
    DocDMode doc = doc_;
    ModalDialogDriver driver;
    std::wstring user, pin;
    driver.Then([&](HWND d) {
      user = Text(d, kUserBox);
      pin = Text(d, kPinBox);
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(RunMiddleServerAuthDlg(nullptr, c.hasOwner, handle_, c.number, &doc, setting_.get()), 2);
    EXPECT_EQ(user, c.user) << c.flag << " " << c.number;
    EXPECT_EQ(pin, c.pin) << c.flag << " " << c.number << " " << c.hasOwner;
  }
}

TEST_F(MiddleServerDialog, SettingsItCannotShowAreRefusedWithAMessage) {
  ModalDialogDriver driver;
  // More items than the answers hold.
  setting_->itemCount = 14;
  SaveMiddleServerCache(handle_, 9, setting_.get());
  const DocDMode before = doc_;
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 2);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].text.find(L"at most 10"), std::wstring::npos) << std::string(g_boxes[0].text.begin(), g_boxes[0].text.end());
  // No copy of the setting at all.
  DeleteMiddleServerCache(handle_);
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 2);
  ASSERT_EQ(g_boxes.size(), 2u);
  EXPECT_NE(g_boxes[1].text.find(L"relay server"), std::wstring::npos);
  EXPECT_EQ(driver.Driven(), 0) << "no dialog";
  EXPECT_EQ(std::memcmp(&doc_, &before, sizeof doc_), 0);
  // A setting without items shows nothing either.
  setting_->itemCount = 0;
  EXPECT_EQ(RunMiddleServerAuthDlg(nullptr, false, handle_, 9, &doc_, setting_.get()), 2);
  AuthPopupArgs none = {&doc_, nullptr, nullptr};
  EXPECT_EQ(RunMiddleServerPopup(&none), 2);
}

TEST_F(MiddleServerDialog, TheTemplateBuiltInMemoryReadsBack) {
  MiddleServerDlgContext* context = nullptr;
  EXPECT_EQ(BuildMiddleServerDlgTemplate(nullptr, context), nullptr);
  std::vector<ms::Control> controls;
  std::vector<ms::Node> nodes;
  ms::PlanControls(reinterpret_cast<const uint8_t*>(setting_->items), setting_->itemCount, &controls, &nodes);
  const std::vector<uint8_t> bytes = ms::TemplateBytes(controls, u"MS Shell Dlg", 9);
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                           nullptr, nullptr, 0);
  ASSERT_NE(dialog, nullptr);
  for (const ms::Control& c : controls) EXPECT_NE(GetDlgItem(dialog, c.id), nullptr) << c.id;
  wchar_t cls[32] = {};
  GetClassNameW(GetDlgItem(dialog, kList), cls, 32);
  EXPECT_STREQ(cls, L"ComboBox");
  DestroyWindow(dialog);
}

// The dialog as the user sees it, saved as a picture (the folder that
// DIALOG_PICTURES names, else the temporary folder): every item inside the
// dialog, the buttons below the lowest item.
TEST_F(MiddleServerDialog, EveryItemLiesInsideTheDialogAboveTheButtons) {
  ModalDialogDriver driver;
  bool saved = false, blank = true, inside = true;
  RECT ok{}, lowest{};
  driver.Then(
      [&](HWND d) {
        char folder[MAX_PATH] = {};
        if (GetEnvironmentVariableA("DIALOG_PICTURES", folder, MAX_PATH) == 0) GetTempPathA(MAX_PATH, folder);
        std::string path = folder;
        if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
        testsupport::WindowPicture picture;
        saved = testsupport::SaveWindowPng(d, path + "relay-server-sign-in.png", &picture);
        blank = testsupport::IsBlankPicture(picture);
        RECT client;
        GetClientRect(d, &client);
        for (HWND c = GetWindow(d, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
          if (!IsWindowVisible(c)) continue;
          RECT r;
          GetWindowRect(c, &r);
          MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
          if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) inside = false;
          const int id = GetDlgCtrlID(c);
          if (id != IDOK && id != IDCANCEL && r.bottom > lowest.bottom) lowest = r;
          if (id == IDOK) ok = r;
        }
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
      },
      nullptr, ModalDialogDriver::kWhenShown);
  EXPECT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 2);
  EXPECT_TRUE(saved);
  EXPECT_FALSE(blank);
  EXPECT_TRUE(inside);
  EXPECT_GE(ok.top, lowest.bottom);
}

// The Basic sheet's authentication button: the relay-server dialog when the
// device (asked with automatic acquisition or a relay-server option) says
// so, or, without an answer, when the option record names the relay server;
// the Authentication / Department Setting dialog otherwise.
uint16_t g_ranTemplate = 0;
intptr_t RecordRun(HWND, uint16_t templateId, DLGPROC, LPARAM) {
  g_ranTemplate = templateId;
  return 1;
}
INT_PTR CALLBACK NoDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(MiddleServerDialog, TheAuthenticationButtonOpensTheDialogTheDeviceAsksFor) {
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string script = std::string(temp) + "relaybtn_" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("OAPI_SCRIPT", script.c_str());
  SetSheetDialogRunner(RecordRun);
  const struct {
    const char* option;
    uint16_t autoAcquisition;
    const char* device;  // the device's authentication type ("" no device)
    bool relay;
  } cases[] = {
      {"DevUserAuthentic_InterSV", 0, "", true},               // no device: the option record decides
      {"DevUserAuthentic_Engin", 0, "MiddleServer", false},    // the device is not asked
      {"DevUserAuthentic_Engin", 1, "MiddleServer", true},     // asked, it names the relay server
      {"DevUserAuthentic_InterSV", 1, "Device", false},        // asked, it checks users itself
  };
  for (const auto& c : cases) {
    std::ofstream(script, std::ios::binary)
        << (c.device[0] != '\0' ? std::string("config 0 631 3 0\nnumber 7\nauth ") + c.device + "\n"
                                : std::string("access fail\n"));
    testsupport::DialogKit kit;
    kit.Session().printer = handle_;
    kit.Settings() = doc_;
    DevOption& option = kit.Session().working->device.option;
    std::memset(&option, 0, sizeof option);
    for (const DeviceOptionItem* row = g_description.deviceOptions; row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, "DevUserAuthentication") != 0) continue;
      for (uint32_t i = 0; row->values[i].keyword[0] != '\0'; ++i) {
        if (std::strcmp(row->values[i].keyword, c.option) == 0) option.optionValues[row->optionIndex] = i;
      }
    }
    option.autoAcquisition = c.autoAcquisition;
    option.destCustomize = 2;
    std::memcpy(option.deviceAddress, u"192.0.2.7", 20);
    g_ranTemplate = 0;
    ModalDialogDriver driver;
    driver.Then([&](HWND d) {
      Type(d, kUserBox, L"carol");
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunAuthenticationButton(nullptr, kit.Context(), NoDialog), 1) << c.option << " " << c.device;
    EXPECT_EQ(driver.Driven(), c.relay ? 1 : 0) << c.option << " " << c.device;
    EXPECT_EQ(g_ranTemplate, c.relay ? 0 : 2171) << c.option << " " << c.device;
    if (c.relay) {
      DocDMode& d = kit.Settings();
      std::swap(doc_, d);
      EXPECT_EQ(Answer(0), "carol");
      std::swap(doc_, d);
    }
  }
  SetSheetDialogRunner(nullptr);
  SetOpenApiLibraryPath(nullptr);
  SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
  DeleteFileA(script.c_str());
}

// A text as long as a box takes is kept whole when its ciphertext fits its
// field, else shortened until it does: never a field overrun, never a
// stored length beyond the field.
TEST_F(MiddleServerDialog, LongAnswersFitTheirFieldsAfterEncipherment) {
  const std::wstring typed(64, L'x');
  ModalDialogDriver driver;
  driver.Then([&](HWND d) {
    CheckDlgButton(d, ms::kPublicUserId, BST_UNCHECKED);
    Click(d, ms::kPublicUserId);
    Type(d, kUserBox, typed.c_str());
    Type(d, kPinBox, L"1");
    PostMessageW(d, WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(ShowMiddleServerAuthDlg(nullptr, &doc_, nullptr, handle_), 1);
  const uint8_t* v = reinterpret_cast<const uint8_t*>(&doc_) + kDocMiddleServerItemsAt;
  uint16_t length;
  std::memcpy(&length, v + 148, 2);
  EXPECT_GT(length, 0);
  EXPECT_LE(length, 113);
  const std::string stored = Answer(0);
  EXPECT_FALSE(stored.empty());
  EXPECT_EQ(std::string(typed.begin(), typed.end()).rfind(stored, 0), 0u) << "a beginning of the typed text";
}

}  // namespace
