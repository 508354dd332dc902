// Dialog test kit: drives the driver's sheets and dialogs under Wine and
// Xvfb as a person would.
//
//   testsupport::DialogKit kit;                       // a sheet session with zeroed settings
//   HWND d = kit.OpenDialog(kit.Templates(), 130, MyProc);   // modeless, from VELDRANG
//   kit.Select(1003, 2);      // CB_SETCURSEL + CBN_SELENDOK to the dialog
//   kit.Click(1240);          // BM_CLICK
//   kit.Type(1362, L"12");    // WM_CHAR per character into the edit
//   kit.Boxes().Answer(IDNO); // the next message box (through the UI services seam) says No
//   EXPECT_EQ(kit.Settings().bytes[...], ...);        // the settings record the dialog edits
//   kit.Screenshot("name");   // PNG under <build>/screenshots/; kept always on failure
//
// OpenPage puts template pages into a modeless property sheet (SetPage sends
// PSM_SETCURSEL, so the current page gets PSN_KILLACTIVE).  The dialog
// procedure finds the kit's sheet context in WM_INITDIALOG's lParam (the
// PROPSHEETPAGE of a page, as a sheet receives it).  Set the environment
// variable DIALOG_KIT_SCREENSHOTS=1 to keep a screenshot of every window
// the kit closes.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/records/sheet_session.h"
#include "common/win/ui_services.h"
#include "tests/support/png_writer.h"

namespace testsupport {

// Records every message box and answers from a queue (IDOK when empty).
class MessageBoxScript {
 public:
  struct Box {
    std::wstring text, caption;
    UINT style;
  };
  MessageBoxScript();
  ~MessageBoxScript();
  void Answer(int result) { answers_.push_back(result); }
  const std::vector<Box>& shown() const { return shown_; }

 private:
  static int Show(HWND, const wchar_t* text, const wchar_t* caption, UINT style);
  std::deque<int> answers_;
  std::vector<Box> shown_;
  UiServices services_;
  const UiServices* previous_;
};

class DialogKit {
 public:
  DialogKit();
  ~DialogKit();
  DialogKit(const DialogKit&) = delete;
  DialogKit& operator=(const DialogKit&) = delete;

  // VELDRANG and VELDRANW of the build tree (loaded on first use).
  HMODULE Templates();
  HMODULE Images();

  // The sheet context the kit hands the dialogs, and the records behind it.
  // Its lParam names the kit's session; a test may name another page
  // record (a plug-in host's) before opening pages.
  PROPSHEETPAGEW* Context() { return &page_; }
  DocDMode& Settings();
  SheetUiState& UiState() { return session_->uiState; }
  SheetSession& Session() { return *session_; }

  // A modeless dialog from a template; null when it cannot be created.
  HWND OpenDialog(HMODULE module, int templateId, DLGPROC proc);
  // A modeless property sheet of template pages; returns the sheet frame.
  HWND OpenPages(HMODULE module, const std::vector<int>& templateIds, DLGPROC proc, const wchar_t* caption = L"");
  // The dialog the actions work on (the last opened dialog, or the sheet's
  // current page).
  HWND Dialog() const;
  HWND Sheet() const { return sheet_; }
  HWND Control(int id) const { return GetDlgItem(Dialog(), id); }

  void Select(int comboId, int index);
  void Click(int buttonId);
  void Type(int editId, const wchar_t* text);
  void SetPage(int index);
  // Handles the window messages waiting for this thread.
  static void Pump();
  // Asks `dialog` to draw its owner-drawn control `controlId` into a white
  // bitmap of the given size; the number of pixels it left not white (0
  // when the dialog drew nothing).
  static int DrawnPixels(HWND dialog, int controlId, int width, int height);

  MessageBoxScript& Boxes() { return boxes_; }

  // Saves a PNG of a window (default: the dialog or sheet) as
  // <build>/screenshots/<test>_<name>.png; returns the path, empty on failure.
  std::string Screenshot(const std::string& name, HWND window = nullptr);
  // Closes the windows (a screenshot first when the test failed or one was
  // asked for).
  void Close();

 private:
  std::unique_ptr<SheetSession> session_;
  std::unique_ptr<WorkDevMode> working_;
  PROPSHEETPAGEW page_ = {};
  HWND dialog_ = nullptr;
  HWND sheet_ = nullptr;
  HMODULE templates_ = nullptr, images_ = nullptr;
  MessageBoxScript boxes_;
};

// The window that has the keyboard focus, for a check made while `window`'s
// dialog is open.  Test programs share one display, so another program's
// window may take the activation and, with it, the thread's focus; the
// dialog keeps the control that had the focus and gives it back when it is
// active again, so it is activated first when nothing has the focus.
HWND FocusedControl(HWND window);

}  // namespace testsupport
