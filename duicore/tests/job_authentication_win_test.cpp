// Authentication at the start of a job through the document events, with a
// scripted open-API library, a scripted dialog and the message box hook;
// and the device's encryption value kept enciphered in the device options.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "common/cipher/password_cipher_win.h"
#include "common/contracts/private_escapes.h"
#include "common/qxd/auth_messages.h"
#include "common/records/job_record.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/document_events_win.h"
#include "duicore/events/job_authentication_win.h"
#include "duicore/tests/core_library_win.h"
#include "duicore/tests/event_harness_win.h"
#include "duicore/tests/scripted_ddproc/scripted_ddproc.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

using eventtest::EventHarness;
using eventtest::Proc;

// The device and the user as the test scripts them.
struct Device {
  uint32_t startupStatus = 0;  // of the session that asks the type
  int type = 3;
  std::deque<uint32_t> logins;
  std::string errorName;
  std::deque<int> dialogs;
  int dialogCalls = 0, loginCalls = 0, cleanups = 0;
  std::string address;
  // Encryption.
  bool found = true;
  std::string state = "UserDefined", value = "SECRETKEY";
  alignas(8) uint8_t session[1024] = {};
} g_device;

void* WINAPI StartupAndGetAuth(HANDLE, const char* address) {
  g_device.address = address;
  std::memcpy(g_device.session + 800, &g_device.startupStatus, 4);
  return g_device.session;
}
int WINAPI GetAuthType(void*) { return g_device.type; }
void WINAPI Cleanup(void*) { ++g_device.cleanups; }
void* WINAPI HiddenStartup(HANDLE, void*, const char*, int) {
  ++g_device.loginCalls;
  uint32_t status = 0;
  if (!g_device.logins.empty()) {
    status = g_device.logins.front();
    g_device.logins.pop_front();
  }
  std::memcpy(g_device.session + 800, &status, 4);
  const char* name = g_device.errorName.c_str();
  std::memcpy(g_device.session + 808, &name, sizeof name);
  return g_device.session;
}
int WINAPI UserDialog(void* args) {
  ++g_device.dialogCalls;
  EXPECT_NE(args, nullptr);
  if (g_device.dialogs.empty()) return 2;
  const int r = g_device.dialogs.front();
  g_device.dialogs.pop_front();
  return r;
}
int WINAPI GetEncryption(int, HANDLE, const char*, DevOption*, DocDMode*, int* found, char* buffer) {
  *found = g_device.found ? 1 : 0;
  std::strncpy(buffer, g_device.state.c_str(), 31);
  std::strncpy(buffer + 32, g_device.value.c_str(), 31);
  return 1;
}

uint32_t OptionIndex(const char* name) {
  for (const DeviceOptionItem* row = CoreDescription().deviceOptions; row && row->keyword[0]; ++row) {
    if (std::strcmp(row->keyword, name) == 0) return row->optionIndex;
  }
  return 0;
}

std::wstring Wide(const char16_t* text) { return text ? reinterpret_cast<const wchar_t*>(text) : L""; }

class JobAuthentication : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(LoadDeviceDescriptionFrom(coretest::StagePath(L"VELDRANH.QXD").c_str(),
                                          const_cast<DeviceDescription*>(&CoreDescription())));
  }
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ModelInfo* model = const_cast<ModelInfo*>(CoreDescription().model);
    ASSERT_NE(model, nullptr);
    model->features[kMfUserAuthentication] = 1;
    model->features[kMfEncryptionKey] = 1;
    g_device = Device{};
    h_.libraries[L"VELDRANA.DLL"] = L"";
    h_.functions["OAPI_StartupAndGetAuth"] = Proc(StartupAndGetAuth);
    h_.functions["OAPI_GetAuthType"] = Proc(GetAuthType);
    h_.functions["OAPI_Cleanup"] = Proc(Cleanup);
    h_.functions["OAPI_Hidden_StartupAndConnect"] = Proc(HiddenStartup);
    h_.functions["Popup_UserAuthenticDlg"] = Proc(UserDialog);
    h_.functions["OAPI_GetEncryption"] = Proc(GetEncryption);
    DevOption& o = h_.Option();
    o.optionValues[OptionIndex("DevUserAuthentication")] = 2;  // on (device)
    o.verifyAuthentic = 1;
    o.popupAuthenticDlg = 1;
    o.destCustomize = 2;
    std::memcpy(o.deviceAddress, u"192.0.2.7", 20);
  }
  testsupport::TestPrinter printer_;
  EventHarness h_;
};

TEST_F(JobAuthentication, RefusedLoginAsksAgainAndNoDropsTheJob) {
  g_device.dialogs = {1, 1};
  g_device.logins = {1, 1};
  h_.boxAnswers = {IDYES, IDNO};
  RunStartDocSequence(printer_.handle(), nullptr);
  EXPECT_EQ(g_device.address, "192.0.2.7");
  EXPECT_EQ(g_device.dialogCalls, 2);
  EXPECT_EQ(g_device.loginCalls, 2);
  ASSERT_EQ(h_.boxes.size(), 2u);
  const std::wstring message = Wide(FindMessageStr(1, ""));
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(h_.boxes[0].text, message + L"\n" + Wide(AuthMessageById(kAuthTryAgainMessage)))
      << "message 424, then the question";
  EXPECT_NE(Wide(AuthMessageById(kAuthTryAgainMessage)), L"");
  EXPECT_EQ(h_.boxes[0].caption, Wide(GetAuthMessageCaption(nullptr)));
  EXPECT_EQ(h_.boxes[0].style & MB_YESNO, static_cast<UINT>(MB_YESNO));
  EXPECT_NE(h_.Find(kEscAuthResult), nullptr) << "the job is marked to be dropped";
  EXPECT_EQ(h_.Find(kEscSetPrivateArea), nullptr);
  EXPECT_NE(h_.Find(kEscSetDevOption), nullptr);
}

TEST_F(JobAuthentication, AcceptedLoginSendsTheSettingsBack) {
  g_device.dialogs = {1};
  g_device.logins = {0};
  RunStartDocSequence(printer_.handle(), nullptr);
  EXPECT_TRUE(h_.boxes.empty());
  EXPECT_EQ(h_.Find(kEscAuthResult), nullptr);
  const auto* doc = h_.Find(kEscSetPrivateArea);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->in.size(), sizeof(DocDMode));
  // Without the dialog flag a refused login tells the user and drops.
  h_.escapes.clear();
  h_.Option().popupAuthenticDlg = 0;
  g_device.logins = {5};
  g_device.errorName = "AuthServerBusy";
  RunStartDocSequence(printer_.handle(), nullptr);
  ASSERT_EQ(h_.boxes.size(), 1u);
  EXPECT_EQ(h_.boxes[0].text, Wide(FindMessageStr(5, "AuthServerBusy")) + L"\n" +
                                  Wide(AuthMessageById(kAuthJobCancelledMessage)));
  EXPECT_NE(Wide(AuthMessageById(kAuthJobCancelledMessage)), L"");
  EXPECT_EQ(h_.boxes[0].style & MB_YESNO, 0u);
  EXPECT_NE(h_.Find(kEscAuthResult), nullptr);
}

TEST_F(JobAuthentication, WithoutTheLibraryTheJobGoesOn) {
  h_.libraries.clear();
  RunStartDocSequence(printer_.handle(), nullptr);
  EXPECT_EQ(g_device.dialogCalls, 0);
  EXPECT_EQ(h_.Find(kEscAuthResult), nullptr);
  EXPECT_EQ(h_.Find(kEscSetPrivateArea), nullptr);
  EXPECT_NE(h_.Find(kEscSetDevOption), nullptr) << "the device options still go back";
}

// With automatic acquisition on, the start of a job asks the device for its
// installed options and for the state of its input trays, as the sheets do.
TEST_F(JobAuthentication, AutomaticAcquisitionAsksTheOptionsAndTheTrays) {
  ScriptedDevice device;
  ASSERT_TRUE(device.ok());
  h_.libraries[L"VELDRANH.DLL"] = device.WidePath();
  h_.Option().autoAcquisition = 1;
  g_device.dialogs = {1};
  g_device.logins = {0};
  RunStartDocSequence(printer_.handle(), nullptr);
  EXPECT_EQ(device.log()->optionRequests, 1);
  EXPECT_EQ(device.log()->trayRequests, 1);
  EXPECT_STREQ(device.log()->firstTrayAsked, "InTray1") << "the automatic tray is not asked";
}

TEST_F(JobAuthentication, EncryptionKinds) {
  struct Case {
    const char* state;
    const char* value;
    bool found;
    bool address;
    uint16_t key;
    bool stored;
  } cases[] = {
      {"UserDefined", "SECRETKEY", true, true, 1, true},
      {"userdefined", "SECRETKEY", true, true, 1, true},
      {"FactoryDefault", "SECRETKEY", true, true, 0, true},
      {"Unidentified", "SECRETKEY", true, true, 0, true},
      {"UserDefined", "", true, true, 0, true},  // an empty value is kept, but is no key
      {"UserDefined", "SECRETKEY", false, true, 0, false},
      {"UserDefined", "SECRETKEY", true, false, 0, false},
  };
  for (const Case& c : cases) {
    g_device.state = c.state;
    g_device.value = c.value;
    g_device.found = c.found;
    DevOption& o = h_.Option();
    std::memset(o.encryptedValue, 0, sizeof o.encryptedValue);
    o.encryptedValueLength = 0;
    o.encryptionKey = 9;
    o.autoAcquisition = 1;
    o.destCustomize = c.address ? 2 : 7;
    h_.escapes.clear();
    ASSERT_TRUE(SendDeviceEncryption(printer_.handle(), nullptr));
    const auto* sent = h_.Find(kEscSetDevOption);
    ASSERT_NE(sent, nullptr);
    DevOption out;
    std::memcpy(&out, sent->in.data(), sizeof out);
    if (!c.found || !c.address) {
      EXPECT_EQ(out.encryptionKey, 9) << c.state << " " << c.found << c.address << ": nothing stored";
      EXPECT_EQ(out.encryptedValueLength, 0);
      continue;
    }
    EXPECT_EQ(out.encryptionKey, c.key) << c.state << " '" << c.value << "'";
    EXPECT_EQ(out.encryptedValueLength != 0, c.stored) << c.state << " '" << c.value << "'";
    if (c.stored) {
      // The stored bytes decipher to the device's value.
      uint8_t buffer[80] = {};
      std::memcpy(buffer, out.encryptedValue, out.encryptedValueLength);
      const uint32_t length = DecryptPassword(printer_.handle(), buffer, out.encryptedValueLength, sizeof buffer);
      EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), length), c.value) << c.state;
    }
  }
}

}  // namespace
