#include "tests/support/dialog_kit_win.h"

#include "tests/support/canvas_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/support/png_writer.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_picture_win.h"

namespace testsupport {

namespace {

MessageBoxScript* g_script = nullptr;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

MessageBoxScript::MessageBoxScript() {
  services_ = CurrentUiServices();
  services_.messageBox = &MessageBoxScript::Show;
  previous_ = SetUiServices(&services_);
  g_script = this;
}

MessageBoxScript::~MessageBoxScript() {
  SetUiServices(previous_);
  g_script = nullptr;
}

int MessageBoxScript::Show(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
  if (g_script == nullptr) return IDOK;
  g_script->shown_.push_back({text != nullptr ? text : L"", caption != nullptr ? caption : L"", style});
  if (g_script->answers_.empty()) return IDOK;
  const int answer = g_script->answers_.front();
  g_script->answers_.pop_front();
  return answer;
}

DialogKit::DialogKit() : session_(new SheetSession()), working_(new WorkDevMode()) {
  std::memset(session_.get(), 0, sizeof(SheetSession));
  std::memset(working_.get(), 0, sizeof(WorkDevMode));
  session_->kind = kSheetDocumentSession;
  session_->self = session_.get();
  session_->size = sizeof(SheetSession);
  session_->working = working_.get();
  session_->printer = INVALID_HANDLE_VALUE;
  session_->mayChange = 1;
  page_.dwSize = sizeof page_;
  page_.lParam = reinterpret_cast<LPARAM>(session_.get());
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
}

DialogKit::~DialogKit() {
  Close();
  if (templates_ != nullptr) FreeLibrary(templates_);
  if (images_ != nullptr) FreeLibrary(images_);
}

HMODULE DialogKit::Templates() {
  if (templates_ == nullptr) {
    templates_ = LoadLibraryExW((ProgramFolder() + L"VELDRANG.DLL").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  return templates_;
}

HMODULE DialogKit::Images() {
  if (images_ == nullptr) {
    images_ = LoadLibraryExW((ProgramFolder() + L"VELDRANW.DLL").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  return images_;
}

DocDMode& DialogKit::Settings() { return working_->devmode.doc; }

HWND DialogKit::OpenDialog(HMODULE module, int templateId, DLGPROC proc) {
  dialog_ = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), nullptr, proc, reinterpret_cast<LPARAM>(&page_));
  if (dialog_ != nullptr) ShowWindow(dialog_, SW_SHOW);
  Pump();
  return dialog_;
}

HWND DialogKit::OpenPages(HMODULE module, const std::vector<int>& templateIds, DLGPROC proc, const wchar_t* caption) {
  std::vector<PROPSHEETPAGEW> pages(templateIds.size(), page_);
  std::vector<HPROPSHEETPAGE> handles;
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i].hInstance = module;
    pages[i].pszTemplate = MAKEINTRESOURCEW(templateIds[i]);
    pages[i].pfnDlgProc = proc;
    handles.push_back(CreatePropertySheetPageW(&pages[i]));
  }
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
  header.pszCaption = caption;
  header.nPages = static_cast<UINT>(handles.size());
  header.phpage = handles.data();
  sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
  Pump();
  return sheet_;
}

HWND DialogKit::Dialog() const {
  if (sheet_ != nullptr) return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
  return dialog_;
}

void DialogKit::Select(int comboId, int index) {
  HWND combo = Control(comboId);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  Pump();
}

void DialogKit::Click(int buttonId) {
  SendMessageW(Control(buttonId), BM_CLICK, 0, 0);
  Pump();
}

void DialogKit::Type(int editId, const wchar_t* text) {
  HWND edit = Control(editId);
  SetFocus(edit);
  for (const wchar_t* p = text; *p != 0; ++p) SendMessageW(edit, WM_CHAR, *p, 1);
  Pump();
}

void DialogKit::SetPage(int index) {
  SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  Pump();
}

int DialogKit::DrawnPixels(HWND dialog, int controlId, int width, int height) {
  Canvas canvas(width, height, 0xFFFFFF);
  RECT all = {0, 0, width, height};
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(controlId);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = GetDlgItem(dialog, controlId);
  item.hDC = canvas.dc();
  item.rcItem = all;
  SendMessageW(dialog, WM_DRAWITEM, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&item));
  int drawn = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) drawn += canvas.At(x, y) != 0xFFFFFF;
  }
  return drawn;
}

void DialogKit::Pump() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
}

std::string DialogKit::Screenshot(const std::string& name, HWND window) {
  if (window == nullptr) window = sheet_ != nullptr ? sheet_ : dialog_;
  if (window == nullptr) return {};
  Pump();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  WindowPicture picture;
  if (!CaptureWindow(window, &picture)) return {};
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string file = (test != nullptr ? std::string(test->test_suite_name()) + "_" + test->name() : "dialog");
  file += "_" + name + ".png";
  CreateDirectoryW(Wide(BinaryPath("screenshots")).c_str(), nullptr);
  const std::string path = BinaryPath("screenshots/" + file);
  return WritePng(path, picture.width, picture.height, picture.pixels) ? path : std::string();
}

void DialogKit::Close() {
  const char* keep = std::getenv("DIALOG_KIT_SCREENSHOTS");
  if ((sheet_ != nullptr || dialog_ != nullptr) &&
      (::testing::Test::HasFailure() || (keep != nullptr && keep[0] == '1'))) {
    Screenshot("closing");
  }
  if (sheet_ != nullptr) DestroyWindow(sheet_);
  if (dialog_ != nullptr) DestroyWindow(dialog_);
  sheet_ = dialog_ = nullptr;
  Pump();
}

HWND FocusedControl(HWND window) {
  HWND focus = GetFocus();
  if (focus != nullptr || window == nullptr) return focus;
  HWND top = GetAncestor(window, GA_ROOT);
  if (top == nullptr) return nullptr;
  SetForegroundWindow(top);
  SetActiveWindow(top);
  DialogKit::Pump();
  return GetFocus();
}

}  // namespace testsupport
