// Message boxes, help and the connection-check answer, recorded through the
// UI services table instead of shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/qxd/auth_messages.h"
#include "common/win/driver_help.h"
#include "dproc/sheets/message_box.h"
#include "dproc/model/message_text.h"
#include "common/qxd/qxd_reader.h"
#include "common/win/ui_services.h"
#include "tests/support/test_paths.h"
#include "tools/qxd/qxd_document.h"

namespace {

struct Call {
  std::string kind;
  std::wstring text, caption;
  UINT style = 0;
  UINT command = 0;
  ULONG_PTR data = 0;
};
std::vector<Call> g_calls;
int g_answer = IDOK;

int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  g_calls.push_back({"box", text, caption, style, 0, 0});
  return g_answer;
}
BOOL RecordWinHelp(HWND, const wchar_t* file, UINT command, ULONG_PTR data) {
  g_calls.push_back({"winhelp", file, L"", 0, command, data});
  return TRUE;
}
HWND RecordHtmlHelp(HWND, const wchar_t* file, UINT command, DWORD_PTR data) {
  g_calls.push_back({"htmlhelp", file, L"", 0, command, data});
  return nullptr;
}
const UiServices kRecorder = {RecordBox, RecordWinHelp, RecordHtmlHelp};

std::map<uint32_t, std::u16string> g_rows;
const char16_t* Row(uint32_t row) {
  auto it = g_rows.find(row);
  return it == g_rows.end() ? nullptr : it->second.c_str();
}

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_answer = IDOK;
    g_rows = {{1, u"Fax Driver"},
              {2, u"Pages %d to %d are selected."},
              {3, u"\\nCheck the list."},
              {4, u"Copy %s into %s?"},
              {5, u"Trap %s%n%x %d"},
              {6, u"Value %d%%"}};
    SetMessageRowSource(Row);
    previous_ = SetUiServices(&kRecorder);
  }
  void TearDown() override {
    SetUiServices(previous_);
    SetMessageRowSource(nullptr);
  }
  const UiServices* previous_ = nullptr;
};

TEST_F(MessageBoxTest, TextRowTakesTheTwoNumbersAndTheExtraRow) {
  g_answer = IDYES;
  EXPECT_EQ(ShowMessageBox(nullptr, 1, 2, 3, MB_YESNO, 2, 5), IDYES);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].caption, L"Fax Driver");
  EXPECT_EQ(g_calls[0].text, L"Pages 2 to 5 are selected. \nCheck the list.");
  EXPECT_EQ(g_calls[0].style, static_cast<UINT>(MB_YESNO));

  ShowMessageBoxStr(nullptr, 1, 4, 0, MB_OK, L"A", L"B");
  EXPECT_EQ(g_calls[1].text, L"Copy A into B?");
}

TEST_F(MessageBoxTest, FileTextsAreNeverPrintfFormats) {
  // Numbers where the text asks for texts, and printf's writing forms: all
  // shown as written.
  ShowMessageBox(nullptr, 1, 5, 0, MB_OK, 7, 8);
  EXPECT_EQ(g_calls[0].text, L"Trap %s%n%x 8");
  ShowMessageBox(nullptr, 1, 6, 0, MB_OK, 40, 0);
  EXPECT_EQ(g_calls[1].text, L"Value 40%");
  // An appended row that is long is cut, not written past the buffers.
  g_rows[7] = std::u16string(289, u'x');
  g_rows[8] = u"%d" + std::u16string(287, u'y');
  ShowMessageBox(nullptr, 7, 8, 7, MB_OK, -2147483647 - 1, 0);
  EXPECT_EQ(g_calls[2].caption.size(), 289u);
  EXPECT_EQ(g_calls[2].text.size(), 11u + 287u + 289u);
}

TEST_F(MessageBoxTest, ResourceMessagesByCharacterOffset) {
  EXPECT_EQ(ShowResMessage(nullptr, 1 * 290, 2 * 290 + 6, 0), 1);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].caption, L"Fax Driver");
  EXPECT_EQ(g_calls[0].text, L"%d to %d are selected.");
  EXPECT_EQ(g_calls[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(ShowResMessage(nullptr, 1 * 290, 9 * 290, 0), 0) << "an empty text shows nothing";
  EXPECT_EQ(ShowResMessage(nullptr, 1 * 290, 2 * 290 + 200, 0), 0) << "an offset past the row's text";
  EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(MessageBoxTest, HelpFileAndCommandsByWindowsVersion) {
  ShowDriverHelpFile(nullptr, HELP_CONTEXT, 1234, true);
  ShowDriverHelpFile(nullptr, 15, 55, true);
  ShowDriverHelpFile(nullptr, HELP_CONTEXTMENU, 77, true);  // nothing with the HTML help file
  ShowDriverHelpFile(nullptr, HELP_CONTEXTMENU, 77, false);
  ASSERT_EQ(g_calls.size(), 3u);
  EXPECT_EQ(g_calls[0].kind, "htmlhelp");
  EXPECT_EQ(g_calls[0].command, 0x000Fu);
  EXPECT_EQ(g_calls[0].data, 1234u);
  EXPECT_EQ(g_calls[1].data, 55u);
  EXPECT_EQ(g_calls[2].kind, "winhelp");
  EXPECT_EQ(g_calls[2].command, static_cast<UINT>(HELP_CONTEXTMENU));
  // Beside the program that holds the code.
  const std::wstring dir = testsupport::ProgramFolder();
  EXPECT_EQ(g_calls[0].text, dir + L"VELDRANX.CHM");
  EXPECT_EQ(g_calls[2].text, dir + L"VELDRANX.HLP");
  // Wine reports Windows 6.1: the HTML help file.
  ShowDriverHelp(nullptr, HELP_CONTEXTMENU, 1);
  EXPECT_EQ(g_calls.size(), 3u);
  ShowDriverHelp(nullptr, HELP_CONTEXT, 1);
  EXPECT_EQ(g_calls.back().kind, "htmlhelp");
}

TEST_F(MessageBoxTest, ConnectionCheckAnswer) {
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText("qxd 1\n\nsection \"MessageStr\" texts\n"
                             "  entry key=\"M8\" text=\"Check\"\n  entry key=\"M433\" text=\"Busy.\"\n",
                             &doc, &error));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error));
  QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
  ASSERT_EQ(LoadMessageStrTable(ctx), 1);
  QxdClose(ctx);
  EXPECT_TRUE(ShowConnectionCheckResult(nullptr, 3, "AuthServerBusy"));
  EXPECT_FALSE(ShowConnectionCheckResult(nullptr, 0, nullptr)) << "message 420 has no text: no box";
  FreeMessageStrTable();
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].text, L"Busy.");
  EXPECT_EQ(g_calls[0].caption, L"Check");
  EXPECT_EQ(g_calls[0].style, static_cast<UINT>(MB_ICONINFORMATION));
}

// A stand-in for the session functions of the procedure library.
uint8_t g_session[1024];
int g_cleanups = 0;
extern "C" __declspec(dllexport) void* WINAPI OAPI_Hidden_StartupAndConnect(HANDLE, void*, const char* address, int) {
  if (std::string(address) == "no-session") return nullptr;
  uint32_t status = 3;
  static const char kName[] = "AuthServerBusy";
  const char* name = kName;
  memcpy(g_session + 800, &status, 4);
  memcpy(g_session + 808, &name, sizeof name);
  return g_session;
}
extern "C" __declspec(dllexport) void WINAPI OAPI_Cleanup(void* session) {
  if (session == g_session) ++g_cleanups;
}

TEST_F(MessageBoxTest, HiddenConnectionTakesStatusAndErrorName) {
  HMODULE self = GetModuleHandleW(nullptr);
  char name[260];
  memset(name, 'z', sizeof name);
  EXPECT_EQ(CallHiddenStartupAndConnect(self, nullptr, "10.0.0.5", nullptr, name), 3u);
  EXPECT_STREQ(name, "AuthServerBusy");
  EXPECT_EQ(name[259], '\0');
  EXPECT_EQ(g_cleanups, 1);
  EXPECT_EQ(CallHiddenStartupAndConnect(self, nullptr, "no-session", nullptr, name), 1u);
  EXPECT_EQ(CallHiddenStartupAndConnect(self, nullptr, "", nullptr, name), 1u);
  EXPECT_EQ(CallHiddenStartupAndConnect(GetModuleHandleW(L"kernel32.dll"), nullptr, "10.0.0.5", nullptr, name), 1u);
  EXPECT_EQ(g_cleanups, 1);
}

}  // namespace
