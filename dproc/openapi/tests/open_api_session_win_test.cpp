// The open-API session with a scripted stand-in of VELDRANV beside it: what
// the driver sends (versions, address, login records as UTF-8, language
// code), the login order, the middle-server cache and the device queries.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/bind_export.h"
#include "common/win/ui_services.h"
#include "dproc/model/message_text.h"
#include "dproc/openapi/device_auth_queries_win.h"
#include "dproc/openapi/device_stamp_queries_win.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/startup/description_loader_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

struct Box {
  std::wstring text, caption;
  UINT style;
};
std::vector<Box> g_boxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  g_boxes.push_back({text, caption, style});
  return IDOK;
}
const UiServices kRecording{RecordBox, nullptr, nullptr};

const char16_t* Rows(uint32_t row) {
  if (row == 441) return u"The device refused the login.";
  if (row == 8) return u"Authentication";
  return nullptr;
}

class OpenApiSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    LoadDispStringTablesFrom(Widen(testsupport::BinaryPath("model/VELDRANH.QXD")).c_str());
  }
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_NE(ProcessModelInfo(), nullptr);
    ASSERT_NE(g_description.deviceOptions, nullptr);
    savedInterim_ = ProcessModelInfo()->features[kMfInterimAuthentic];
    savedCipher_ = GetUiEncryptionInfo();
    SetUiEncryptionInfo({kCipherMethodAes, 0, 0});
    const std::wstring folder = testsupport::ProgramFolder();
    SetOpenApiLibraryPath((folder + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "oapi_" + std::to_string(GetCurrentProcessId());
    script_ = base + ".txt";
    log_ = base + ".log";
    middle_ = base + ".bin";
    SetEnvironmentVariableA("OAPI_SCRIPT", script_.c_str());
    SetEnvironmentVariableA("OAPI_LOG", log_.c_str());
    Script("");
    DeleteFileA(log_.c_str());
    previousUi_ = SetUiServices(&kRecording);
    SetMessageRowSource(Rows);
    g_boxes.clear();
    std::memset(&doc_, 0, sizeof doc_);
    Fields(doc_).nServerSetting = 3;
  }
  void TearDown() override {
    DeleteMiddleServerCache(printer_.handle());
    ProcessModelInfo()->features[kMfInterimAuthentic] = savedInterim_;
    SetUiEncryptionInfo(savedCipher_);
    SetOpenApiLibraryPath(nullptr);
    SetUiServices(previousUi_);
    SetMessageRowSource(nullptr);
    SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
    SetEnvironmentVariableA("OAPI_LOG", nullptr);
    DeleteFileA(script_.c_str());
    DeleteFileA(log_.c_str());
    DeleteFileA(middle_.c_str());
  }
  void Script(const std::string& text) {
    std::ofstream(script_, std::ios::binary) << text;
    DeleteFileA(log_.c_str());
  }
  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    std::ifstream in(log_, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::string> Calls(const std::string& name) {
    std::vector<std::string> found;
    for (const std::string& line : Log()) {
      if (line.rfind(name, 0) == 0) found.push_back(line);
    }
    return found;
  }
  // The stored credentials of the document settings, enciphered as the
  // authentication dialog keeps them.
  void User(uint8_t type, const char16_t* name, const char* password, const char* dept = "",
            const char* deptPassword = "") {
    DocFields& f = Fields(doc_);
    f.byUserType = type;
    std::memset(f.szAuthUserName, 0, sizeof f.szAuthUserName);
    std::memcpy(f.szAuthUserName, name, std::char_traits<char16_t>::length(name) * 2);
    uint8_t pass[81] = {};
    std::memcpy(pass, password, std::strlen(password));
    f.wAuthUserPassLen = static_cast<uint16_t>(EncryptPassword(printer_.handle(), pass, sizeof pass));
    std::memcpy(f.byAuthUserPass, pass, sizeof pass);
    std::memset(f.szDeptName, 0, sizeof f.szDeptName);
    std::memcpy(f.szDeptName, dept, std::strlen(dept));
    uint8_t deptPass[73] = {};
    std::memcpy(deptPass, deptPassword, std::strlen(deptPassword));
    f.wDeptPassLen = static_cast<uint16_t>(EncryptPassword(printer_.handle(), deptPass, sizeof deptPass));
    std::memcpy(f.byDeptPass, deptPass, sizeof deptPass);
  }

  testsupport::TestPrinter printer_;
  DocDMode doc_;
  std::string script_, log_, middle_;
  uint8_t savedInterim_ = 0;
  UiEncryptionInfo savedCipher_{};
  const UiServices* previousUi_ = nullptr;
};

TEST_F(OpenApiSessionTest, StartupSendsTheVersionAndTheAddressAndEndsCleanly) {
  Script("config 0 631 3 0\nauth Device\naccount Password\n");
  OpenApiSession* session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->status, 0u);
  EXPECT_STREQ(session->errorText, "");
  EXPECT_EQ(GetAuthType(session), kAuthTypeDevice);
  EXPECT_EQ(GetAccountTrackType(session), 3);
  EXPECT_NE(OpenApi().login, nullptr) << "the library is bound while the session is open";
  CleanupSession(session);
  EXPECT_EQ(OpenApi().login, nullptr);
  const std::vector<std::string> expected = {"OAPIConfigurationCheck 0.00 31.07 192.0.2.7",
                                             "OAPIAccessInit 0.00 0 0 192.0.2.7 631 3", "OAPIGetAuthCapability",
                                             "OAPIAccessEnd"};
  EXPECT_EQ(Log(), expected) << "no logout without a login";
}

TEST_F(OpenApiSessionTest, AFailedStartUpGivesNoSession) {
  const struct {
    const char* script;
    size_t calls;  // library calls made before the session ended
  } cases[] = {
      {"config 1 631 3 0\n", 1},  {"config 0 631 3 1\n", 1}, {"access fail\n", 2},
      {"capability 4\n", 4},  // the capability, its error text and the end
  };
  for (const auto& c : cases) {
    Script(c.script);
    EXPECT_EQ(StartupAndGetAuth(printer_.handle(), "192.0.2.7"), nullptr) << c.script;
    EXPECT_EQ(Log().size(), c.calls) << c.script;
    EXPECT_EQ(OpenApi().configurationCheck, nullptr);
  }
  Script("");
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\partial\\VELDRANV.DLL").c_str());
  EXPECT_EQ(StartupAndGetAuth(printer_.handle(), "192.0.2.7"), nullptr) << "one name missing";
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\none\\VELDRANV.DLL").c_str());
  EXPECT_EQ(StartupAndGetAuth(printer_.handle(), "192.0.2.7"), nullptr) << "no library";
  EXPECT_TRUE(Log().empty());
}

TEST_F(OpenApiSessionTest, PublicLoginFirstThenTheStoredUser) {
  User(1, u"J\u00fcrgen", "s3cret", "Sales", "d3pt");
  Script("auth Server\nlogin 1\nlogin 0\n");
  OpenApiSession* session = StartupAndConnect(nullptr, printer_.handle(), &doc_, "printer.local", false);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->loggedIn, 1u);
  const auto logins = Calls("OAPILogin");
  ASSERT_EQ(logins.size(), 2u);
  EXPECT_EQ(logins[0],
            "OAPILogin mode=2 user= password= department=Sales departmentPassword=d3pt server=3 empty= head=(null) "
            "list=(null)");
  EXPECT_EQ(logins[1],
            "OAPILogin mode=0 user=J\xc3\xbcrgen password=s3cret department=Sales departmentPassword=d3pt server=3 "
            "empty= head=(null) list=(null)")
      << "the user name goes out as UTF-8";
  CleanupSession(session);
  EXPECT_EQ(Log().back(), "OAPIAccessEnd");
  EXPECT_EQ(Log()[Log().size() - 2], "OAPILogout");
  EXPECT_TRUE(g_boxes.empty());

  // Both refused: the user is told once and no session comes back.
  Script("auth Server\nlogin 1\nlogin 4 BadPassword\n");
  EXPECT_EQ(StartupAndConnect(nullptr, printer_.handle(), &doc_, "printer.local", false), nullptr);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, L"The device refused the login.");
  EXPECT_EQ(g_boxes[0].caption, L"Authentication");
  EXPECT_EQ(g_boxes[0].style & MB_ICONINFORMATION, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(Calls("OAPILogout").empty());
  EXPECT_EQ(Log().back(), "OAPIAccessEnd");

  // The device's Public-user flag: the Public login passes no record.
  Script("auth Server\npubliclogin 1\n");
  session = StartupAndConnect(nullptr, printer_.handle(), &doc_, "printer.local", false);
  ASSERT_NE(session, nullptr);
  CleanupSession(session);
  EXPECT_EQ(Calls("OAPILogin"), std::vector<std::string>{"OAPILogin record=(null) head=(null) list=(null)"});
}

TEST_F(OpenApiSessionTest, HiddenSessionComesBackAfterAFailedLogin) {
  User(0, u"anna", "pw");
  const struct {
    const char* auth;
    const char* login;
    uint32_t status;
    const char* error;
    const char* mode;
  } cases[] = {
      {"Server", "login 4 AuthServerBusy\n", 4, "AuthServerBusy", "mode=2"},  // the stored user type
      {"Device", "login 7\n", 7, "", "mode=2"},
      {"None", "login 4 NoSuchUser\n", 4, "NoSuchUser", "mode=0"},  // other types: a named user
      {"Device", "login 0\n", 0, "", "mode=2"},
  };
  for (const auto& c : cases) {
    Script(std::string("auth ") + c.auth + "\n" + c.login);
    OpenApiSession* session = HiddenStartupAndConnect(printer_.handle(), &doc_, "192.0.2.9", false);
    ASSERT_NE(session, nullptr) << c.auth;
    EXPECT_EQ(session->status, c.status) << c.auth;
    EXPECT_STREQ(session->errorText, c.error) << c.auth;
    EXPECT_EQ(session->loggedIn, c.status == 0 ? 1u : 0u);
    const auto logins = Calls("OAPILogin");
    ASSERT_EQ(logins.size(), 1u) << "one attempt only";
    EXPECT_EQ(logins[0].rfind(std::string("OAPILogin ") + c.mode + " user=anna password=pw", 0), 0u) << logins[0];
    CleanupSession(session);
  }
  EXPECT_TRUE(g_boxes.empty()) << "the hidden session shows nothing";
}

// A stored middle-server answer, enciphered in its field.
void PutAnswer(HANDLE printer, uint8_t* values, int index, const char* key, int kind,
               std::initializer_list<const char*> texts, int subKind = 0) {
  uint8_t* item = values + 38 + index * 174;
  std::memcpy(item, key, std::strlen(key));
  item[32] = static_cast<uint8_t>(kind);
  auto put = [&](uint32_t at, uint32_t size, uint32_t lengthAt, const char* text) {
    const uint16_t length = EncipherTextField(printer, text, size - 1, item + at, size);
    std::memcpy(item + lengthAt, &length, 2);
  };
  const char* first = *texts.begin();
  switch (kind) {
    case 1: case 9: case 10: put(34, 113, 148, first); break;
    case 2: case 3: put(34, 17, 52, first); break;
    case 5: case 6: put(34, 33, 68, first); break;
    case 4: {
      item[34] = static_cast<uint8_t>(subKind);
      const uint32_t at[7] = {35, 54, 74, 94, 114, 134, 154}, lengthAt[7] = {52, 72, 92, 112, 132, 152, 172};
      int k = 0;
      for (const char* t : texts) put(at[k], 17, lengthAt[k], t), ++k;
      break;
    }
    default: break;
  }
}

TEST_F(OpenApiSessionTest, MiddleServerLoginSendsEveryStoredAnswer) {
  ProcessModelInfo()->features[kMfInterimAuthentic] = 1;
  User(1, u"mika", "pw");
  uint8_t* values = reinterpret_cast<uint8_t*>(&doc_) + kDocMiddleServerAt;
  std::memcpy(values + 4, "HEAD", 4);
  std::memcpy(values + 1778, "TAIL", 4);
  const int16_t count = 10;
  std::memcpy(values + 36, &count, 2);
  PutAnswer(printer_.handle(), values, 0, "Project", 1, {"Apollo \xe2\x98\x85"});
  PutAnswer(printer_.handle(), values, 1, "Copies", 2, {"007"});
  PutAnswer(printer_.handle(), values, 2, "Colour", 3, {"0"});
  PutAnswer(printer_.handle(), values, 3, "Duplex", 3, {"12"});
  PutAnswer(printer_.handle(), values, 4, "When", 4, {"2013", "5", "2", "9", "7", "-05", "30"}, 4);
  PutAnswer(printer_.handle(), values, 5, "Fixed", 5, {"fixed text"});
  PutAnswer(printer_.handle(), values, 6, "Room", 6, {"R12"});
  PutAnswer(printer_.handle(), values, 7, "Names", 7, {""});
  PutAnswer(printer_.handle(), values, 8, "Note", 9, {"nine"});
  PutAnswer(printer_.handle(), values, 9, "Memo", 10, {"ten"});
  Script("auth MiddleServer\nnumber 5\n");
  OpenApiSession* session = HiddenStartupAndConnect(printer_.handle(), &doc_, "192.0.2.9", true);
  ASSERT_NE(session, nullptr);
  CleanupSession(session);
  EXPECT_EQ(Calls("OAPILogin"),
            std::vector<std::string>{
                "OAPILogin record=(null) head=HEAD tail=TAIL count=10 Project=Apollo \xe2\x98\x85 Copies=7 "
                "Colour=false Duplex=true When=2013,05,02,09,07,-05,-30 Fixed=fixed text Room=R12 Names=(none) "
                "Note=nine Memo=ten"})
      << "all ten answers reach the login";

  // A Public user of a middle server logs in as a Public user only.
  Fields(doc_).byUserType = 0;
  Script("auth MiddleServer\nnumber 5\nlogin 1\n");
  session = HiddenStartupAndConnect(printer_.handle(), &doc_, "192.0.2.9", true);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->status, 1u);
  CleanupSession(session);
  ASSERT_EQ(Calls("OAPILogin").size(), 1u);
  EXPECT_EQ(Calls("OAPILogin")[0].rfind("OAPILogin mode=2 user= password=", 0), 0u);

  // A refused stored count.
  const int16_t negative = -3;
  std::memcpy(values + 36, &negative, 2);
  MiddleServerLoginList* list = BuildMiddleServerLoginList(printer_.handle(), values);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count, 0);
  FreeMiddleServerLoginList(list);
}

// A setting whose items of every kind are filled in every field the cache
// keeps, within the lengths that come back.
MiddleServerSetting* MakeSetting(int count) {
  auto* s = static_cast<MiddleServerSetting*>(std::calloc(1, sizeof(MiddleServerSetting)));
  std::memcpy(s->head, "Relay-7", 7);
  std::memcpy(s->tail, "tail text", 9);
  s->itemCount = static_cast<int16_t>(count);
  for (int i = 0; i < count && i < 100; ++i) {
    MiddleServerItem& item = s->items[i];
    auto* b = reinterpret_cast<uint8_t*>(&item);
    auto text = [&](uint32_t at, uint32_t keep, char letter) {
      for (uint32_t k = 0; k < keep; ++k) b[at + k] = static_cast<uint8_t>(letter + (k + i) % 20);
    };
    const int kind = i % 10 + 1;
    item.itemByte = static_cast<uint8_t>(0x40 + i);
    text(1, 63, 'A');
    text(65, 255, 'a');
    text(321, 31, 'K');
    item.display = 1;
    item.input = 3;
    text(355, 7, 'S');
    item.kind = static_cast<uint8_t>(kind);
    switch (kind) {
      case 1: text(364, 127, 'd'); b[492] = 2; b[493] = 3; b[494] = 4; b[495] = 5; break;
      case 2: {
        const int32_t v = -123456, lo = -5, hi = 999;
        std::memcpy(b + 496, &v, 4);
        b[500] = 1;
        b[501] = 9;
        std::memcpy(b + 504, &lo, 4);
        std::memcpy(b + 508, &hi, 4);
        break;
      }
      case 3: b[512] = 1; text(513, 31, 'y'); text(545, 31, 'n'); break;
      case 4: {
        const int16_t year = 2031;
        std::memcpy(b + 578, &year, 2);
        for (int k = 0; k < 6; ++k) text(580 + k * 8, 7, static_cast<char>('0' + k));
        b[628] = 4;
        b[629] = 1;
        break;
      }
      case 5: text(630, 127, 'f'); break;
      case 6:
        text(758, 31, 'v');
        b[790] = 6;
        b[791] = 20;
        for (int e = 0; e < 20; ++e) {
          text(792 + e * 168, 31, 'c');
          text(792 + e * 168 + 32, 127, 'D');
        }
        break;
      case 7:
        b[4152] = 20;
        for (int n = 0; n < 20; ++n) text(4153 + n * 32, 31, 'm');
        b[4793] = 7;
        b[4794] = 2;
        for (int e = 0; e < 20; ++e) {
          text(4795 + e * 168, 31, 'x');
          text(4795 + e * 168 + 32, 127, 'X');
        }
        break;
      case 9: case 10: {
        const uint32_t base = kind == 9 ? 8155 : 8335;
        text(base, 127, 't');
        b[base + 128] = 1;
        text(base + 129, 31, 'u');
        text(base + 161, 15, 'w');
        b[base + 177] = 2;
        b[base + 178] = 3;
        b[base + 179] = 4;
        break;
      }
      default: break;
    }
  }
  return s;
}

TEST_F(OpenApiSessionTest, MiddleServerCacheKeepsEveryKindUnderBothMethods) {
  for (uint32_t method : {kCipherMethodNone, kCipherMethodAes}) {
    SetUiEncryptionInfo({method, 0, 0});
    MiddleServerSetting* setting = MakeSetting(14);
    SaveMiddleServerCache(printer_.handle(), 77, setting);
    auto* back = static_cast<MiddleServerSetting*>(std::calloc(1, sizeof(MiddleServerSetting)));
    uint32_t number = 0;
    ASSERT_TRUE(LoadMiddleServerCache(printer_.handle(), &number, back)) << method;
    EXPECT_EQ(number, 77u);
    EXPECT_STREQ(back->head, "Relay-7");
    EXPECT_EQ(back->itemCount, 14) << "the device's count is kept";
    EXPECT_STREQ(back->tail, "tail text");
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(std::memcmp(&back->items[i], &setting->items[i], sizeof(MiddleServerItem)), 0)
          << "item " << i << " of kind " << int(setting->items[i].kind) << ", method " << method;
    }
    const MiddleServerItem empty{};
    for (int i = 10; i < 14; ++i) EXPECT_EQ(std::memcmp(&back->items[i], &empty, sizeof empty), 0);

    // Under the cipher every stored text is enciphered.
    HKEY key;
    ASSERT_TRUE(OpenMiddleServerKey(printer_.handle(), &key));
    std::vector<uint8_t> raw(kMiddleServerControlInfoBytes);
    DWORD size = static_cast<DWORD>(raw.size());
    ASSERT_EQ(RegQueryValueExW(key, L"ControlInfo", nullptr, nullptr, raw.data(), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    const bool plainLabel = std::memcmp(raw.data() + 56 + 1, setting->items[0].label, 20) == 0;
    EXPECT_EQ(plainLabel, method == kCipherMethodNone);
    std::free(setting);
    std::free(back);
  }
}

TEST_F(OpenApiSessionTest, MiddleServerCacheRefusesDamagedCopiesAndCutsLongTexts) {
  MiddleServerSetting* setting = MakeSetting(2);
  // A label of 70 characters and a key of 40 come back as 63 and 31.
  std::memset(setting->items[0].label, 'L', 64);
  std::memset(setting->items[0].key, 'k', 32);
  std::memset(setting->items[0].description, 0, sizeof setting->items[0].description);
  // A two-byte character text longer than its field's ciphertext room.
  std::string accents;
  for (int k = 0; k < 63; ++k) accents += "\xc3\xa9";
  std::memset(setting->items[0].kindPart, 0, 128);
  std::memcpy(setting->items[0].kindPart, accents.data(), 127);
  SaveMiddleServerCache(printer_.handle(), 1, setting);
  auto* back = static_cast<MiddleServerSetting*>(std::calloc(1, sizeof(MiddleServerSetting)));
  ASSERT_TRUE(LoadMiddleServerCache(printer_.handle(), nullptr, back));
  EXPECT_EQ(std::string(back->items[0].label), std::string(63, 'L'));
  EXPECT_EQ(std::string(back->items[0].key, strnlen(back->items[0].key, 32)), std::string(31, 'k'));
  const std::string kept(reinterpret_cast<const char*>(back->items[0].kindPart));
  EXPECT_GT(kept.size(), 100u);
  EXPECT_EQ(kept.size() % 2, 0u) << "cut between characters";
  EXPECT_EQ(accents.compare(0, kept.size(), kept), 0);

  // Any other size, signature or count is no cache.
  HKEY key;
  ASSERT_TRUE(OpenMiddleServerKey(printer_.handle(), &key));
  std::vector<uint8_t> raw(kMiddleServerControlInfoBytes + 1);
  DWORD size = kMiddleServerControlInfoBytes;
  ASSERT_EQ(RegQueryValueExW(key, L"ControlInfo", nullptr, nullptr, raw.data(), &size), ERROR_SUCCESS);
  auto write = [&](const std::vector<uint8_t>& bytes, DWORD n) {
    RegSetValueExW(key, L"ControlInfo", 0, REG_BINARY, bytes.data(), n);
  };
  write(raw, kMiddleServerControlInfoBytes - 1);
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, back));
  write(raw, kMiddleServerControlInfoBytes + 1);
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, back));
  std::vector<uint8_t> bad = raw;
  bad[0] = 'X';
  write(bad, kMiddleServerControlInfoBytes);
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, back));
  bad = raw;
  const int16_t negative = -1;
  std::memcpy(bad.data() + 52, &negative, 2);
  write(bad, kMiddleServerControlInfoBytes);
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, back));
  write(raw, kMiddleServerControlInfoBytes);
  EXPECT_TRUE(LoadMiddleServerCache(printer_.handle(), nullptr, nullptr));
  RegCloseKey(key);
  std::free(setting);
  std::free(back);
}

TEST_F(OpenApiSessionTest, StartUpSynchronisesOrDeletesTheCache) {
  ProcessModelInfo()->features[kMfInterimAuthentic] = 1;
  MiddleServerSetting* setting = MakeSetting(3);
  {
    std::ofstream out(middle_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(setting), sizeof *setting);
  }
  auto start = [&](const std::string& script) {
    Script(script);
    OpenApiSession* session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
    EXPECT_NE(session, nullptr) << script;
    if (session != nullptr) {
      EXPECT_EQ(session->status, 0u);
    }
    CleanupSession(session);
  };
  start("auth MiddleServer\nnumber 9\nmiddle 0 " + middle_ + "\n");
  ASSERT_EQ(Calls("OAPIGetMiddleServerSetting").size(), 1u);
  uint32_t number = 0;
  ASSERT_TRUE(LoadMiddleServerCache(printer_.handle(), &number, nullptr));
  EXPECT_EQ(number, 9u);
  start("auth MiddleServer\nnumber 9\nmiddle 0 " + middle_ + "\n");
  EXPECT_TRUE(Calls("OAPIGetMiddleServerSetting").empty()) << "an unchanged number asks nothing";
  start("auth MiddleServer\nnumber 10\nmiddle 4\n");
  EXPECT_EQ(Calls("OAPIGetMiddleServerSetting").size(), 1u);
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, nullptr)) << "a failed synchronisation deletes";
  start("auth MiddleServer\nnumber 9\nmiddle 0 " + middle_ + "\n");
  ASSERT_TRUE(LoadMiddleServerCache(printer_.handle(), nullptr, nullptr));
  start("auth Device\n");
  EXPECT_FALSE(LoadMiddleServerCache(printer_.handle(), nullptr, nullptr)) << "another type deletes";
  // A model without middle servers never touches the cache.
  SaveMiddleServerCache(printer_.handle(), 4, setting);
  ProcessModelInfo()->features[kMfInterimAuthentic] = 0;
  start("auth Device\n");
  start("auth MiddleServer\nnumber 9\nmiddle 0 " + middle_ + "\n");
  EXPECT_TRUE(Calls("OAPIGetMiddleServerSetting").empty());
  ASSERT_TRUE(LoadMiddleServerCache(printer_.handle(), &number, nullptr));
  EXPECT_EQ(number, 4u);
  std::free(setting);
}

const char* Selected(const DevOption& option, const char* name) {
  for (const DeviceOptionItem* row = g_description.deviceOptions; row->keyword[0] != '\0'; ++row) {
    if (std::strcmp(row->keyword, name) == 0) return row->values[option.optionValues[row->optionIndex]].keyword;
  }
  return "";
}

TEST_F(OpenApiSessionTest, AuthDevOptionMapsEveryAnswer) {
  const struct {
    const char* auth;
    const char* account;
    uint8_t interim;
    BOOL result;
    const char* authValue;
    const char* accountValue;
  } cases[] = {
      {"None", "None", 1, TRUE, "DevUserAuthentic_Dis", "DevAccountTrack_Dis"},
      {"Server", "AccountPassword", 1, TRUE, "DevUserAuthentic_GeneralSV", "DevAccountTrack_Ena"},
      {"Device", "Password", 1, TRUE, "DevUserAuthentic_Engin", "DevAccountTrack_Ena"},
      // The sample model offers the relay server.
      {"MiddleServer", "OnWithUserAuthentication", 1, TRUE, "DevUserAuthentic_InterSV", "DevAccountTrack_Ena"},
      {"MiddleServer", "None", 0, TRUE, "DevUserAuthentic_Dis", "DevAccountTrack_Dis"},
      {"Other", "Password", 1, TRUE, "DevUserAuthentic_Engin", "DevAccountTrack_Ena"},  // authentication kept
      {"none", "nothing", 1, FALSE, "DevUserAuthentic_Engin", "DevAccountTrack_Dis"},
  };
  for (const auto& c : cases) {
    ProcessModelInfo()->features[kMfInterimAuthentic] = c.interim;
    DevOption option{};
    for (const DeviceOptionItem* row = g_description.deviceOptions; row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, "DevUserAuthentication") == 0) option.optionValues[row->optionIndex] = 2;
    }
    const DevOption before = option;
    Script(std::string("auth ") + c.auth + "\naccount " + c.account + "\n");
    BOOL changed = 7;
    EXPECT_EQ(GetAuthDevOption(printer_.handle(), "192.0.2.7", &option, g_description.deviceOptions, &changed),
              c.result)
        << c.auth;
    EXPECT_STREQ(Selected(option, "DevUserAuthentication"), c.authValue) << c.auth;
    EXPECT_STREQ(Selected(option, "DevAccountTrack"), c.accountValue) << c.auth;
    EXPECT_EQ(changed != 0, std::memcmp(&before, &option, sizeof option) != 0) << c.auth;
    EXPECT_TRUE(Calls("OAPILogin").empty()) << "no login";
  }
  Script("config 1 0 0 0\n");
  DevOption option{};
  EXPECT_FALSE(GetAuthDevOption(printer_.handle(), "192.0.2.7", &option, g_description.deviceOptions, nullptr));
  EXPECT_FALSE(GetAuthDevOption(printer_.handle(), nullptr, &option, g_description.deviceOptions, nullptr));
}

TEST_F(OpenApiSessionTest, EncryptionIsAskedEvenAfterAFailedHiddenLogin) {
  User(1, u"anna", "pw");
  DevOption option{};
  const struct {
    const char* script;
    BOOL result;
  } cases[] = {
      {"auth Device\nlogin 1\nencryption 0 UserDefined K3Y\n", TRUE},
      {"auth Device\nencryption 0 FactoryDefault ABC\n", TRUE},
      {"auth Device\nencryption 4 x y\nerror KeyLocked\n", FALSE},
  };
  for (const auto& c : cases) {
    Script(c.script);
    char out[64];
    std::memset(out, 0x5a, sizeof out);
    BOOL received = 7;
    EXPECT_EQ(GetEncryption(nullptr, printer_.handle(), "192.0.2.7", &option, &doc_, &received, out,
                            g_description.deviceOptions),
              c.result);
    EXPECT_EQ(received, c.result);
    EXPECT_EQ(Calls("OAPIGetPrinterEncryptionSetting").size(), 1u);
    if (c.result) {
      std::istringstream words(c.script + std::string(c.script).find("encryption") + 13);
      std::string kind, key;
      words >> kind >> key;
      EXPECT_EQ(std::string(out), kind);
      EXPECT_EQ(std::string(out + 32), key);
    } else {
      EXPECT_EQ(static_cast<uint8_t>(out[0]), 0x5a) << "the output stays untouched";
    }
  }
  Script("auth Device\n");
  char out[64];
  EXPECT_FALSE(GetEncryption(nullptr, printer_.handle(), "192.0.2.7", &option, &doc_, nullptr, nullptr,
                             g_description.deviceOptions));
  EXPECT_TRUE(Log().empty()) << "no output buffer: no session";
  EXPECT_TRUE(GetEncryption(nullptr, printer_.handle(), "192.0.2.7", &option, &doc_, nullptr, out,
                            g_description.deviceOptions))
      << "no received flag is needed";
}

HeaderFooterOptionItem HeaderFooterRow(const char* keyword, const char16_t* name) {
  HeaderFooterOptionItem row{};
  row.base.size = sizeof row;
  std::strcpy(row.base.keyword, keyword);
  std::memcpy(row.base.text, name, std::char_traits<char16_t>::length(name) * sizeof(char16_t));
  return row;
}

TEST_F(OpenApiSessionTest, PermanentSettingNamesFillTheRowsTheDeviceLists) {
  HeaderFooterOptionItem loaded[4] = {HeaderFooterRow("HFE_DevSetting01", u"Setting 1"),
                                      HeaderFooterRow("HFE_DevSetting02", u"Setting 2"),
                                      HeaderFooterRow("HFE_DevSetting03", u"Setting 3"), HeaderFooterRow("", u"")};
  HeaderFooterOptionItem rows[4];
  std::memcpy(rows, loaded, sizeof rows);
  std::string longName;
  for (int k = 0; k < 40; ++k) longName += "\xc3\xa4";
  Script("permanent 0 25\nentry On Department\nentry Off Hidden\nentry On " + longName + "\nentry On Beyond\n");
  OpenApiSession* session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(GetDevicePermanentSetting(session, rows, loaded, 4));
  EXPECT_EQ(std::u16string(rows[0].base.text), u"Department");
  EXPECT_EQ(rows[0].deviceName, 1);
  EXPECT_EQ(std::u16string(rows[1].base.text), u"Setting 2");
  EXPECT_EQ(rows[1].deviceName, 0);
  EXPECT_EQ(std::u16string(rows[2].base.text), std::u16string(31, u'\u00e4'));
  EXPECT_EQ(std::u16string(rows[3].base.text), u"") << "the closing row stays";
  // A second answer without the first entry puts its loaded name back.
  Script("permanent 0 1\nentry Off Department\n");
  CleanupSession(session);
  session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(GetDevicePermanentSetting(session, rows, loaded, 4));
  EXPECT_EQ(std::u16string(rows[0].base.text), u"Setting 1");
  // A refused query leaves the rows.
  Script("permanent 4 0\nerror NotNow\n");
  CleanupSession(session);
  session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  std::memcpy(rows[0].base.text, u"Changed", 16);
  EXPECT_FALSE(GetDevicePermanentSetting(session, rows, loaded, 4));
  EXPECT_STREQ(session->errorText, "NotNow");
  EXPECT_EQ(std::u16string(rows[0].base.text), u"Changed");
  CleanupSession(session);
}

TEST_F(OpenApiSessionTest, DeviceStampFlagsComeFromTheirFourPlaces) {
  const struct {
    const char* script;
    BOOL answered;
    DeviceStampFlags flags;  // copy protect, header/footer, page number, date/time
  } cases[] = {
      {"stamps 0 On On 1 1\n", TRUE, {1, 1, 1, 1}},
      {"stamps 0 On - 0 1\n", TRUE, {1, 0, 0, 1}},
      {"stamps 0 - On 1 0\n", TRUE, {0, 1, 1, 0}},
      {"stamps 0 Onto ON 2 255\n", TRUE, {0, 0, 0, 0}},  // only "On" itself and the byte 1 count
      {"stamps 4 On On 1 1\nerror StampsLocked\n", FALSE, {0, 0, 0, 0}},
      {"stamps 7 On On 1 1\n", FALSE, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Script(c.script);
    OpenApiSession* session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
    ASSERT_NE(session, nullptr) << c.script;
    DeviceStampFlags flags{9, 9, 9, 9};
    EXPECT_EQ(GetDeviceStampSettings(session, &flags), c.answered) << c.script;
    EXPECT_EQ(std::memcmp(&flags, &c.flags, sizeof flags), 0)
        << c.script << flags.copyProtect << flags.headerFooter << flags.pageNumber << flags.dateTime;
    EXPECT_STREQ(session->errorText, c.script[7] == '4' ? "StampsLocked" : "") << c.script;
    CleanupSession(session);
    EXPECT_EQ(Calls("OAPIGetDevicePermanentSetting"), std::vector<std::string>{"OAPIGetDevicePermanentSetting 4"});
  }
  DeviceStampFlags flags{9, 9, 9, 9};
  EXPECT_FALSE(GetDeviceStampSettings(nullptr, &flags));
  EXPECT_EQ(flags.copyProtect + flags.headerFooter + flags.pageNumber + flags.dateTime, 0u);

  // The sheet's query asks both kinds on one session of its own.
  Script("stamps 0 On - 1 0\npermanent 0 1\nentry On Department\n");
  EXPECT_TRUE(QueryDeviceStampSettings(nullptr, printer_.handle(), &doc_, "printer.local", nullptr,
                                       g_description.deviceOptions, &flags));
  EXPECT_EQ(flags.copyProtect, 1u);
  EXPECT_EQ(flags.pageNumber, 1u);
  const std::vector<std::string> asked = {"OAPIGetDevicePermanentSetting 4", "OAPIGetDevicePermanentSetting 5"};
  EXPECT_EQ(Calls("OAPIGetDevicePermanentSetting"), asked);
  EXPECT_EQ(Calls("OAPIAccessEnd").size(), 1u);
  // Without the library nothing is asked and every flag is off.
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\none\\VELDRANV.DLL").c_str());
  flags = {9, 9, 9, 9};
  EXPECT_FALSE(QueryDeviceStampSettings(nullptr, printer_.handle(), &doc_, "printer.local", nullptr,
                                        g_description.deviceOptions, &flags));
  EXPECT_EQ(flags.copyProtect + flags.headerFooter + flags.pageNumber + flags.dateTime, 0u);
}

TEST_F(OpenApiSessionTest, RegisteredStampsAreCheckedAndTheirNamesBoundedByTheirField) {
  std::string cutInside;  // 21 two-byte letters, then a three-byte sign the field's end cuts
  for (int k = 0; k < 21; ++k) cutInside += "\xc3\xa4";
  cutInside += "\xe2\x82\xac";
  const std::string pairAtTheEnd = std::string(30, 'p') + "\xf0\x9f\x98\x80";  // 31st character a pair
  Script("fileinfo 0 4294967295\n"
         "registered 2 1 Confidential\n"
         "registered 0 1 Nobody\n"
         "registered 9 1 Beyond\n"
         "registered 3 1 " + cutInside + "\n"
         "registered 4 0 Unused\n"
         "registered 5 1 ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n"
         "registered 6 1 " + pairAtTheEnd + "\n"
         "registered 7 1 \n");
  OpenApiSession* session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  RegisteredStampList list;
  std::memset(&list, 0x5a, sizeof list);
  ASSERT_TRUE(GetRegisteredStamps(session, &list));
  EXPECT_EQ(Calls("OAPIGetFileInfo"), std::vector<std::string>{"OAPIGetFileInfo 6 0 1 8 0"});
  const struct {
    uint32_t number, registered;
    std::u16string name;
  } expected[] = {
      {2, 1, u"Confidential"},
      {3, 1, std::u16string(21, u'\u00e4')},  // the cut sign is left out, not replaced
      {4, 0, u"Unused"},
      {5, 1, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"},
      {6, 1, std::u16string(30, u'p')},  // no half of a pair
      {7, 1, u""},
  };
  ASSERT_EQ(list.count, std::size(expected)) << "numbers outside 1 to 8 are left out; at most 8 are read";
  for (size_t i = 0; i < std::size(expected); ++i) {
    const RegisteredStamp& got = list.stamps[i];
    EXPECT_EQ(got.number, expected[i].number) << i;
    EXPECT_EQ(got.registered, expected[i].registered) << i;
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(got.name)), expected[i].name) << i;
  }
  for (size_t i = list.count; i < kRegisteredStampSlots; ++i) EXPECT_EQ(list.stamps[i].number, 0u) << i;
  CleanupSession(session);

  // A refused query: whatever the library left counts as no answer.
  Script("fileinfo 4 1\nregistered 1 1 Partial\nerror NoFiles\n");
  session = StartupAndGetAuth(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  std::memset(&list, 0x5a, sizeof list);
  EXPECT_FALSE(GetRegisteredStamps(session, &list));
  EXPECT_EQ(list.count, 0u);
  EXPECT_EQ(list.stamps[0].number, 0u);
  EXPECT_STREQ(session->errorText, "NoFiles");
  CleanupSession(session);
  std::memset(&list, 0x5a, sizeof list);
  EXPECT_FALSE(GetRegisteredStamps(nullptr, &list));
  EXPECT_EQ(list.count, 0u) << "no session: an empty list";
}

// The exports as another library binds them: VELDRANA in a folder of its
// own with the stand-in VELDRANV beside it.
TEST_F(OpenApiSessionTest, TheStampExportsAnswerThroughTheLibrary) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  const std::wstring dir = std::wstring(base) + L"vdstamp" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring folder = testsupport::ProgramFolder();
  for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL"}) {
    CopyFileW((folder + name).c_str(), (dir + name).c_str(), FALSE);
  }
  CopyFileW((folder + L"standin_oapi\\complete\\VELDRANV.DLL").c_str(), (dir + L"VELDRANV.DLL").c_str(), FALSE);
  const std::string model = testsupport::BinaryPath("model/VELDRANH.QXD");
  CopyFileW(std::wstring(model.begin(), model.end()).c_str(), (dir + L"VELDRANH.QXD").c_str(), FALSE);
  HMODULE library = LoadLibraryW((dir + L"VELDRANA.DLL").c_str());
  ASSERT_NE(library, nullptr);
  auto startup = BindExport<OapiStartupAndGetAuthFn>(library, kOapiStartupAndGetAuth);
  auto cleanup = BindExport<OapiCleanupFn>(library, kOapiCleanup);
  auto stamps = BindExport<OapiGetDeviceStampSettingsFn>(library, kOapiGetDeviceStampSettings);
  auto registered = BindExport<OapiGetRegisteredStampsFn>(library, kOapiGetRegisteredStamps);
  ASSERT_TRUE(startup != nullptr && cleanup != nullptr && stamps != nullptr && registered != nullptr);

  Script("stamps 0 - On 0 1\nfileinfo 0 1\nregistered 8 1 Draft copy\n");
  OpenApiSession* session = startup(printer_.handle(), "192.0.2.7");
  ASSERT_NE(session, nullptr);
  DeviceStampFlags flags{};
  EXPECT_TRUE(stamps(session, &flags));
  EXPECT_EQ(flags.headerFooter + flags.dateTime, 2u);
  EXPECT_EQ(flags.copyProtect + flags.pageNumber, 0u);
  RegisteredStampList list{};
  EXPECT_TRUE(registered(session, &list));
  ASSERT_EQ(list.count, 1u);
  EXPECT_EQ(list.stamps[0].number, 8u);
  EXPECT_EQ(std::wstring(list.stamps[0].name), L"Draft copy");
  cleanup(session);
  EXPECT_FALSE(stamps(nullptr, &flags));
  EXPECT_FALSE(registered(nullptr, &list));
  EXPECT_FALSE(stamps(session = nullptr, nullptr));
  FreeLibrary(library);
  for (const wchar_t* name : {L"VELDRANA.DLL", L"VELDRANG.DLL", L"VELDRANW.DLL", L"VELDRANV.DLL", L"VELDRANH.QXD"}) {
    DeleteFileW((dir + name).c_str());
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace
