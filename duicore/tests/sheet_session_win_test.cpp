// The property-sheet session, linked into the test: the session record as
// each kind of caller's header makes it, the page titles, the reasons of the
// sheet entry points, the forwarder's guards, and the document properties'
// answers when the common property-sheet library cannot be used.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/records/settings_checksum.h"
#include "duicore/module/core_module_win.h"
#include "duicore/sheets/sheet_session_win.h"
#include "duicore/tests/core_library_win.h"
#include "tools/qxd/qxd_document.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_printer_win.h"

namespace {

struct SessionDeleter {
  void operator()(SheetSession* session) const { DestroySheetSession(session); }
};
using SessionPtr = std::unique_ptr<SheetSession, SessionDeleter>;

DOCUMENTPROPERTYHEADER DocumentHeader(const testsupport::TestPrinter& printer, DWORD mode, DEVMODEW* in = nullptr,
                                      DEVMODEW* out = nullptr) {
  DOCUMENTPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  header.hPrinter = printer.handle();
  header.pszPrinterName = const_cast<wchar_t*>(printer.name().c_str());
  header.pdmIn = in;
  header.pdmOut = out;
  header.fMode = mode;
  return header;
}

class SheetSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(printer_.ok()) << printer_.error(); }
  testsupport::TestPrinter printer_{L"Session"};
};

TEST_F(SheetSessionTest, DocumentHeadersMakeTheirSessions) {
  const struct {
    DWORD mode;
    int32_t sessionMode;
    uint32_t mayChange;
    uint32_t printerDefaults;
  } cases[] = {
      {DM_OUT_BUFFER, kSheetModeDocument, 1, 0},
      {DM_OUT_BUFFER | DM_ADVANCED, kSheetModeAdvanced, 1, 0},
      {DM_OUT_BUFFER | DM_USER_DEFAULT, kSheetModeUserDefault, 1, 1},
      {DM_OUT_BUFFER | DM_ADVANCED | DM_USER_DEFAULT, kSheetModeAdvanced, 1, 0},
      {DM_OUT_BUFFER | DM_NOPERMISSION, kSheetModeDocument, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, c.mode);
    SessionPtr session(CreateSheetSession(&header, nullptr));
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(IsSheetSession(session.get()));
    EXPECT_EQ(session->kind, kSheetDocumentSession);
    EXPECT_EQ(session->mode, c.sessionMode);
    EXPECT_EQ(session->mayChange, c.mayChange);
    EXPECT_EQ(session->callerMode, c.mode);
    EXPECT_EQ(session->values[kSheetPrinterDefaultsFlag], c.printerDefaults);
    EXPECT_EQ(session->printerName, printer_.name());
    ASSERT_EQ(session->pageCount, 5);
    const uint32_t templates[] = {171, 100, 101, 104, 106};
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(session->pages[i].templateId, templates[i]);
      EXPECT_NE(session->pages[i].dialogProc, nullptr);
      EXPECT_EQ(session->pages[i].flags, 1u);
    }
    EXPECT_STREQ(session->helpFileName, L"VELDRANX.HLP");
    EXPECT_EQ(session->flags, 0u);
    // Working and backup records start alike and are the printer's settings.
    EXPECT_EQ(session->working, &session->workingRecord);
    EXPECT_EQ(session->backup, &session->backupRecord);
    EXPECT_EQ(std::memcmp(&session->workingRecord, &session->backupRecord, sizeof(WorkDevMode)), 0);
  }
}

TEST_F(SheetSessionTest, DeviceHeadersMakeDeviceSessions) {
  for (WORD flags : {WORD{0}, WORD{DPS_NOPERMISSION}}) {
    DEVICEPROPERTYHEADER header = {sizeof header, flags, printer_.handle(), nullptr};
    SessionPtr session(CreateSheetSession(nullptr, &header));
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->kind, kSheetDeviceSession);
    EXPECT_EQ(session->mode, kSheetModeDevice);
    EXPECT_EQ(session->mayChange, flags == 0 ? 1u : 0u);
    EXPECT_EQ(session->callerMode, 0u);
    EXPECT_EQ(session->values[kSheetPrinterDefaultsFlag], 1u);
    // Without a name in the header, the printer handle's name.
    EXPECT_EQ(session->printerName, printer_.name());
    ASSERT_EQ(session->pageCount, 2);
    EXPECT_EQ(session->pages[0].templateId, 177u);
    EXPECT_EQ(session->pages[1].templateId, 184u);
  }
  EXPECT_EQ(CreateSheetSession(nullptr, nullptr), nullptr);
}

TEST_F(SheetSessionTest, OnlyALiveSessionPassesTheTest) {
  DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, DM_OUT_BUFFER);
  SessionPtr session(CreateSheetSession(&header, nullptr));
  ASSERT_NE(session, nullptr);
  EXPECT_FALSE(IsSheetSession(nullptr));
  auto copy = std::make_unique<SheetSession>(*session);
  EXPECT_FALSE(IsSheetSession(copy.get()));  // its self pointers name the original
  session->size -= 1;
  EXPECT_FALSE(IsSheetSession(session.get()));
  session->size += 1;
  session->self2 = nullptr;
  EXPECT_FALSE(IsSheetSession(session.get()));
  session->self2 = session.get();
  EXPECT_TRUE(IsSheetSession(session.get()));
}

// A display-text lookup that answers every key with a 60-character text,
// written as far as the capacity it is told allows.
UINT g_toldCapacity = 0;
int WINAPI LongTitles(HMODULE, const char*, const char* key, wchar_t* text, UINT capacity) {
  g_toldCapacity = capacity;
  std::wstring title(key, key + std::strlen(key));
  while (title.size() < 60) title += L'.';
  if (capacity == 0) return 0;
  const size_t n = std::min<size_t>(title.size(), capacity - 1);
  std::wmemcpy(text, title.c_str(), n);
  text[n] = L'\0';
  return 1;
}
int WINAPI NoTitles(HMODULE, const char*, const char*, wchar_t* text, UINT) {
  text[0] = L'X';  // a failed lookup may leave anything behind
  return 0;
}

TEST_F(SheetSessionTest, TitlesAreCutAt47Characters) {
  DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, DM_OUT_BUFFER);
  SessionPtr session(CreateSheetSession(&header, nullptr));
  ASSERT_NE(session, nullptr);
  FillSheetPageTitles(session.get(), &LongTitles, nullptr);
  EXPECT_EQ(g_toldCapacity, 48u);
  EXPECT_EQ(std::wstring(session->pages[0].title), std::wstring(L"Prop_Fax") + std::wstring(39, L'.'));
  EXPECT_EQ(std::wcslen(session->pages[1].title), 47u);
  FillSheetPageTitles(session.get(), &NoTitles, nullptr);
  for (int i = 0; i < session->pageCount; ++i) EXPECT_EQ(session->pages[i].title[0], L'\0');
  FillSheetPageTitles(session.get(), nullptr, nullptr);
  EXPECT_EQ(session->pages[0].title[0], L'\0');
}

// The procedure library's own lookup, from a copy of it beside a
// description file whose Fax title has 60 characters: the core tells it the
// title field's capacity, so the title is cut at 47 characters.
TEST_F(SheetSessionTest, TheProcedureLibraryCutsLongTitlesAt47Characters) {
  wchar_t temp[MAX_PATH];
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring dir = std::wstring(temp) + L"long_titles_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring copy = dir + L"\\VELDRANA.DLL";
  ASSERT_TRUE(CopyFileW(coretest::StagePath(L"package\\VELDRANA.DLL").c_str(), copy.c_str(), FALSE));
  const std::string sixty = "Fax settings for sending this document to a distant machine.";
  ASSERT_EQ(sixty.size(), 60u);
  qxd::Document doc;
  std::string error;
  ASSERT_TRUE(qxd::ParseText("qxd 1\n\nsection \"Property_FAX\" texts\n  entry key=\"Prop_Fax\" text=\"" + sixty +
                                 "\"\n",
                             &doc, &error))
      << error;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
  const std::wstring qxdPath = dir + L"\\VELDRANH.QXD";
  HANDLE file = CreateFileW(qxdPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  HMODULE library = LoadLibraryW(copy.c_str());
  ASSERT_NE(library, nullptr);
  auto single = reinterpret_cast<SheetTitleLookUp>(reinterpret_cast<void*>(GetProcAddress(library, "SetDispStringSingle")));
  ASSERT_NE(single, nullptr);
  DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, DM_OUT_BUFFER);
  SessionPtr session(CreateSheetSession(&header, nullptr));
  ASSERT_NE(session, nullptr);
  FillSheetPageTitles(session.get(), single, library);
  EXPECT_EQ(std::wstring(session->pages[0].title), std::wstring(sixty.begin(), sixty.begin() + 47));
  EXPECT_EQ(session->pages[1].title[0], L'\0');  // the file has no Basic title
  FreeLibrary(library);
  DeleteFileW(copy.c_str());
  DeleteFileW(qxdPath.c_str());
  RemoveDirectoryW(dir.c_str());
}

TEST(SheetEntryPoints, ReasonsAndHeaders) {
  // No header at all, and no information record with a size query.
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
  DOCUMENTPROPERTYHEADER header = {};
  header.cbSize = sizeof header;
  EXPECT_EQ(DrvDocumentPropertySheets(nullptr, reinterpret_cast<LPARAM>(&header)), 8260);
  EXPECT_EQ(header.cbOut, 8260u);
  // An information record without a header, or without a live session.
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof info;
  for (WORD reason : {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER, PROPSHEETUI_REASON_DESTROY,
                      PROPSHEETUI_REASON_SET_RESULT, PROPSHEETUI_REASON_GET_ICON}) {
    info.Reason = reason;
    info.lParamInit = 0;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), -1) << reason;
    EXPECT_EQ(DrvDevicePropertySheets(&info, 0), -1) << reason;
    if (reason == PROPSHEETUI_REASON_INIT) continue;
    auto fake = std::make_unique<SheetSession>();
    *fake = SheetSession{};
    info.lParamInit = reinterpret_cast<LPARAM>(&header);
    info.UserData = reinterpret_cast<ULONG_PTR>(fake.get());
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), -1) << reason;
    EXPECT_EQ(DrvDevicePropertySheets(&info, 0), -1) << reason;
  }
  EXPECT_EQ(DrvDevicePropertySheets(nullptr, 0), -1);
}

LONG_PTR CALLBACK RefusingCallback(HANDLE, UINT, LPARAM, LPARAM) { return 0; }

TEST_F(SheetSessionTest, ALibraryThatRefusesAPageGetsNoSession) {
  DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, DM_OUT_BUFFER);
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof info;
  info.Reason = PROPSHEETUI_REASON_INIT;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  info.pfnComPropSheet = &RefusingCallback;
  EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), -1);
  EXPECT_EQ(info.UserData, 0u);
  // Without a callback no page can be added either.
  info.pfnComPropSheet = nullptr;
  EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), -1);
}

// --- The forwarder ---------------------------------------------------------

struct CallbackLog {
  int calls = 0;
  UINT function = 0;
  LPARAM first = 0, second = 0;
};
CallbackLog g_log;
LONG_PTR CALLBACK RecordingCallback(HANDLE, UINT function, LPARAM first, LPARAM second) {
  ++g_log.calls;
  g_log.function = function;
  g_log.first = first;
  g_log.second = second;
  return 1;
}

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog window to forward to (the user slot of a dialog holds the page).
HWND MakeDialog() {
  struct {
    DLGTEMPLATE head;
    WORD menu, cls, title;
  } tmpl = {};
  tmpl.head.style = WS_POPUP;
  tmpl.head.cx = 10;
  tmpl.head.cy = 10;
  return CreateDialogIndirectParamW(nullptr, &tmpl.head, nullptr, &Inert, 0);
}

LRESULT Notify(HWND dialog, UINT code) {
  PSHNOTIFY note = {};
  note.hdr.hwndFrom = dialog;
  note.hdr.code = code;
  return SheetDlgProcForwarder(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note), "Prc_DocFaxProc");
}

TEST_F(SheetSessionTest, TheForwarderChecksTheSessionBeforeEveryUse) {
  HWND dialog = MakeDialog();
  ASSERT_NE(dialog, nullptr);
  DOCUMENTPROPERTYHEADER header = DocumentHeader(printer_, DM_OUT_BUFFER);
  SessionPtr session(CreateSheetSession(&header, nullptr));
  ASSERT_NE(session, nullptr);
  session->sheetCallback = reinterpret_cast<void*>(&RecordingCallback);
  session->sheetHandle = reinterpret_cast<HANDLE>(0x77);
  g_log = CallbackLog{};

  // Before the page was initialised, and a notification without a record.
  EXPECT_EQ(Notify(dialog, PSN_APPLY), 1);
  EXPECT_EQ(SheetDlgProcForwarder(dialog, WM_NOTIFY, 0, 0, "Prc_DocFaxProc"), 1);
  // A page whose parameter is not a live session.
  auto stranger = std::make_unique<SheetSession>(*session);
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  page.lParam = reinterpret_cast<LPARAM>(stranger.get());
  EXPECT_EQ(SheetDlgProcForwarder(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&page), "Prc_DocFaxProc"), 1);
  Notify(dialog, PSN_APPLY);
  // The live session: an empty first slot, then no pages, set nothing.
  page.lParam = reinterpret_cast<LPARAM>(session.get());
  SheetDlgProcForwarder(dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&page), "Prc_DocFaxProc");
  session->pageSlots[0] = 0;
  Notify(dialog, PSN_APPLY);
  const int32_t pages = session->pageCount;
  session->pageSlots[0] = 42;
  session->pageCount = 0;
  Notify(dialog, PSN_APPLY);
  EXPECT_EQ(g_log.calls, 0);
  // With its pages, apply sets the result OK through the first page's slot.
  session->pageCount = pages;
  Notify(dialog, PSN_SETACTIVE);
  Notify(dialog, PSN_RESET);
  EXPECT_EQ(g_log.calls, 0);
  Notify(dialog, PSN_APPLY);
  EXPECT_EQ(g_log.calls, 1);
  EXPECT_EQ(g_log.function, static_cast<UINT>(CPSFUNC_SET_RESULT));
  EXPECT_EQ(g_log.first, 42);
  EXPECT_EQ(g_log.second, CPSUI_OK);
  // Leaving a page puts the DEVMODE head in order.
  session->working->devmode.doc.printerHandle = nullptr;
  Notify(dialog, PSN_KILLACTIVE);
  EXPECT_EQ(session->working->devmode.doc.printerHandle, printer_.handle());
  DestroyWindow(dialog);
}

// --- Without the common property-sheet library ------------------------------

TEST(CommonSheetLibrary, AMissingLibraryOrFunctionIsAFailureWithAReason) {
  DWORD result = 12345;
  SetLastError(0);
  EXPECT_EQ(CallCommonPropertySheetUIIn(L"no-such-library.dll", nullptr, nullptr, 0, &result), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  // A library without the function: the resource library.
  const std::string path = testsupport::BinaryPath("bin/VELDRANG.DLL");
  const std::wstring wide(path.begin(), path.end());
  SetLastError(0);
  EXPECT_EQ(CallCommonPropertySheetUIIn(wide.c_str(), nullptr, nullptr, 0, &result), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(result, 12345u);  // the preset result is never taken for an answer
}

}  // namespace

namespace {

std::vector<HPROPSHEETPAGE> g_added;
LONG_PTR CALLBACK AcceptingCallback(HANDLE, UINT function, LPARAM first, LPARAM) {
  if (function != CPSFUNC_ADD_HPROPSHEETPAGE) return 0;
  g_added.push_back(reinterpret_cast<HPROPSHEETPAGE>(first));
  return static_cast<LONG_PTR>(g_added.size());
}

TEST_F(SheetSessionTest, InitialisationAddsThePagesAndDestroyEndsTheSession) {
  HANDLE user = printer_.Open(PRINTER_ACCESS_USE);
  ASSERT_NE(user, nullptr);
  for (int kind : {0, 1, 2}) {
    const bool device = kind != 0;
    SCOPED_TRACE(kind);
    DOCUMENTPROPERTYHEADER document = DocumentHeader(printer_, DM_OUT_BUFFER);
    DEVICEPROPERTYHEADER deviceHeader = {sizeof deviceHeader, 0, kind == 2 ? user : printer_.handle(), nullptr};
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.lParamInit = device ? reinterpret_cast<LPARAM>(&deviceHeader) : reinterpret_cast<LPARAM>(&document);
    info.pfnComPropSheet = &AcceptingCallback;
    info.hComPropSheet = reinterpret_cast<HANDLE>(0x99);
    g_added.clear();
    auto call = device ? &DrvDevicePropertySheets : &DrvDocumentPropertySheets;
    SetLastError(0);
    ASSERT_EQ(call(&info, 0), 1) << GetLastError();
    auto* session = reinterpret_cast<SheetSession*>(info.UserData);
    ASSERT_TRUE(IsSheetSession(session));
    EXPECT_EQ(g_added.size(), device ? 2u : 5u);
    EXPECT_EQ(session->pageSlots[0], 1);
    EXPECT_EQ(session->sheetHandle, reinterpret_cast<HANDLE>(0x99));
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(call(&info, 0), 1);
    for (HPROPSHEETPAGE page : g_added) DestroyPropertySheetPage(page);
  }
  ClosePrinter(user);
}

}  // namespace
