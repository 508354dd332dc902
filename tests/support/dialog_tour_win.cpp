#include "tests/support/dialog_tour_win.h"

#include <winspool.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/contracts/fax_dialogs_win.h"
#include "common/qxd/model_rows.h"
#include "common/records/fax_send_block.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"
#include "common/records/sheet_session.h"
#include "dproc/dialogs/dialog_template.h"

namespace testsupport {

namespace {

// Before the Cover Sheet button of the FAX sheet: the cover sheet switched on.
void CheckFaxSheetCoverBox(HWND sheet) {
  if (IsDlgButtonChecked(sheet, 1946) != BST_CHECKED) PostMessageW(GetDlgItem(sheet, 1946), BM_CLICK, 0, 0);
}
// Before the Settings button of the destination dialog: likewise.
void CheckFaxDialogCoverBox(HWND dialog) {
  if (IsDlgButtonChecked(dialog, 2052) != BST_CHECKED) PostMessageW(GetDlgItem(dialog, 2052), BM_CLICK, 0, 0);
}
// The custom size dialog opens when the original size list takes the
// custom size row (the list's last row on the sample model).
void ChooseCustomSize(HWND sheet) {
  HWND list = GetDlgItem(sheet, 1000);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(1000, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

// Before the picture of the watermark sheet and its Edit button: the
// watermark switched on, so that the preview shows it.
void CheckWatermarkBox(HWND sheet) {
  if (IsDlgButtonChecked(sheet, 1208) != BST_CHECKED) PostMessageW(GetDlgItem(sheet, 1208), BM_CLICK, 0, 0);
}
// Before the per-page lists' Edit button of the Cover Page sheet: per-page
// settings on.
void CheckPerPageBox(HWND sheet) {
  if (IsDlgButtonChecked(sheet, 1159) != BST_CHECKED) PostMessageW(GetDlgItem(sheet, 1159), BM_CLICK, 0, 0);
}

// Before the Caption Detail button of the Per Page Setting dialog: a new
// entry on page 1 that inserts a tab sheet with a caption, so the button
// opens its dialog.  Each step waits for the dialog (its own thread).
void AddTabEntry(HWND dialog) {
  auto send = [dialog](UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(dialog, message, w, l, SMTO_NORMAL, 3000, &answer);
  };
  auto command = [&](int id, int code) {
    send(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  };
  command(1102, BN_CLICKED);
  SetDlgItemTextW(dialog, 1614, L"1");
  // The tab sheet category, then its "use" value.
  HWND categories = GetDlgItem(dialog, 1609);
  const LRESULT lines = SendMessageW(categories, LB_GETCOUNT, 0, 0);
  HWND change = GetDlgItem(dialog, 1610);
  for (LRESULT line = 0; line < lines; ++line) {
    SendMessageW(categories, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    command(1609, LBN_SELCHANGE);
    const LRESULT items = SendMessageW(change, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < items; ++i) {
      // The items are the option rows of the description (the driver runs
      // in this process).
      const LRESULT data = SendMessageW(change, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
      const auto* row = reinterpret_cast<const OptionHead*>(data);
      if (data == 0 || data == CB_ERR || std::strncmp(row->keyword, "PPSTabUse", sizeof row->keyword) != 0) continue;
      SendMessageW(change, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      command(1610, CBN_SELENDOK);
      SetDlgItemTextW(dialog, 1146, L"Chapter 1");
      return;
    }
  }
}

// Before the Edit button of the Easy Set area: an Easy Set of the user's
// own, kept through the Save dialog (the built-in Easy Set and the presets
// keep their options, so only such a set opens the Option dialog).
void SaveTourEasySet(HWND sheet);
// Before the Option button of the Edit dialog: the last Easy Set chosen.
void ChooseLastEasySet(HWND edit);

// A kControl stop with this `page` is opened only from a window of the
// hosted pages' model (the sample model opens another dialog there).
constexpr int kOnHostedModel = 1;

constexpr TourWay kPage = TourWay::kDocumentPage;
constexpr TourWay kControl = TourWay::kControl;
constexpr TourWay kTab = TourWay::kTab;

// A stop with control 0 and a preparation is opened by the preparation
// alone (a list's change rather than a button).  The Layout sheet's
// buttons of booklet, binding margin, image shift and print position are
// hidden on the sample model; the tour sends their command all the same, so
// that their dialogs are seen; so are the watermark sheet's Header / Footer,
// Date/Time, Numbering and Copy Protect Setting buttons, and the hidden
// colour buttons of the copy-protect method page.  So it does for the Setting sheet's custom paper button,
// hidden on the core's own sheets, and for the Configure sheet's
// Consumables command, which no template gives a button.  The watermark
// sheet's Overlay Information button is hidden on every model; its command
// opens the device forms' dialog on the sample model, and the form files'
// dialog on the finishing model, where forms are form files.
const std::vector<TourStop> kDialogTour = {
    {171, "Fax", kPage, 0, 0, 0, nullptr},
    {172, "Fax Cover Sheet", kControl, 171, 1948, 0, CheckFaxSheetCoverBox},
    {173, "Fax Cover Sheet - Basic", kTab, 172, 1956, 0, nullptr},
    {174, "Fax Cover Sheet - Recipient", kTab, 172, 1956, 1, nullptr},
    {175, "Fax Cover Sheet - Sender", kTab, 172, 1956, 2, nullptr},
    {176, "Fax Cover Sheet - Image", kTab, 172, 1956, 3, nullptr},
    {178, "Save Cover Sheet Setting", kControl, 172, 1953, 0, nullptr},
    {179, "Edit Cover Sheet Setting", kControl, 172, 1954, 0, nullptr},
    {100, "Basic", kPage, 0, 0, 1, nullptr},
    {164, "Paper Settings - auto tray", kControl, 100, 1898, 0, nullptr},
    {151, "User Defined Paper", kControl, 100, 0, 0, ChooseCustomSize},
    {132, "User Setting", kControl, 100, 1285, 0, nullptr},
    {167, "Save Easy Set", kControl, 100, 1133, 0, nullptr},
    {168, "Edit Easy Sets", kControl, 100, 1134, 0, SaveTourEasySet},
    {170, "Easy Set Options", kControl, 168, 1913, 0, ChooseLastEasySet},
    {2171, "Authentication - Department Setting", kControl, 100, 2170, 0, nullptr},
    {2178, "Authentication Server Setting", kControl, 2171, 2174, 0, nullptr},
    {101, "Layout", kPage, 0, 0, 2, nullptr},
    {116, "Style Setting", kControl, 101, 1124, 0, nullptr},
    {134, "Booklet Setting", kControl, 101, 1128, 0, nullptr},
    {117, "Binding Margin Setting", kControl, 101, 1052, 0, nullptr},
    {136, "Image Shift Setting", kControl, 101, 1212, 0, nullptr},
    {163, "Print Position Setting", kControl, 101, 1204, 0, nullptr},
    {104, "Overlay", kPage, 0, 0, 3, CheckWatermarkBox},
    {111, "Watermark Setting", kControl, 104, 1255, 0, CheckWatermarkBox},
    {142, "Header Footer Detail", kControl, 104, 1162, 0, nullptr},
    {191, "Date Time Page Edit", kControl, 104, 2115, 0, nullptr},
    {193, "Numbering", kControl, 104, 2339, 0, nullptr},
    {106, "Version", kPage, 0, 0, 4, nullptr},
    {180, "Fax Recipients", TourWay::kFaxJobStart, 0, 0, 0, nullptr},
    {181, "Fax Mode Details", kControl, 180, 2050, 0, nullptr},
    {172, "Fax Cover Sheet", kControl, 180, 2051, 0, CheckFaxDialogCoverBox},
    {177, "Configure", TourWay::kDevicePage, 0, 0, 0, nullptr},
    {166, "Media Type Setting", kControl, 177, 1847, 0, nullptr},
    {154, "Acquisition Setting", kControl, 177, 1858, 0, nullptr},
    {152, "Consumables", kControl, 177, 1101, 0, nullptr},
    {184, "Setting", TourWay::kDevicePage, 0, 0, 1, nullptr},
    {115, "Custom Paper Setting", kControl, 184, 1232, 0, nullptr},
    {196, "Quality", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {121, "Font Setting", kControl, 196, 1301, 0, nullptr},
    {197, "Color Adjustment", kControl, 196, 1295, 0, nullptr},
    {147, "Colour Matching", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {189, "Colour Profiles", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {148, "Colour Balance", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {149, "Colour Other Settings", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {162, "Colour Other Objects", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {110, "Finish", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {113, "Cover Page", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {137, "Per Page Setting", kControl, 113, 1215, 0, CheckPerPageBox},
    {138, "List Name Edit", kControl, 137, 1095, 0, nullptr},
    {140, "Index Paper Settings", kControl, 137, 1109, 0, nullptr},
    {139, "Punch Setting", kControl, 137, 1107, 0, nullptr},
    {141, "Caption Detail", kControl, 137, 1620, 0, AddTabEntry},
    {161, "Initialize", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {158, "Attestation Setting", kControl, 161, 1867, 0, nullptr},
    {160, "Department Setting", kControl, 161, 1220, 0, nullptr},
    {159, "Email Setting", kControl, 161, 1233, 0, nullptr},
    {2505, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {128, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {122, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {124, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2507, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {123, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {125, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2508, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2506, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2529, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2530, "Color Setting", TourWay::kDeviceDialog, 0, 0, 0, nullptr},
    {2124, "Copy Protect", kControl, 104, 1166, 0, nullptr},
    {2126, "Copy Protect - Print Items", kTab, 2124, 2125, 0, nullptr},
    {2145, "Copy Protect - Method", kTab, 2124, 2125, 1, nullptr},
    {2083, "Date and Time Format", kControl, 2126, 2133, 0, nullptr},
    {183, "Distribution Number", kControl, 2126, 2138, 0, nullptr},
    {2090, "Pattern Colour", kControl, 2145, 2158, 0, nullptr},
    {2103, "Stamp Colour", kControl, 2145, 2164, 0, nullptr},
    {195, "Overlay Information - device forms", kControl, 104, 1279, 0, nullptr},
    {127, "Overlay Form file Management", kControl, 195, 1143, 0, nullptr},
    {104, "Overlay - form files", TourWay::kHostedPage, 0, 0, 0, nullptr},
    {119, "Overlay Information - form files", kControl, 104, 1279, kOnHostedModel, nullptr},
};

constexpr DWORD kWaitMs = 15000;

struct TemplateFacts {
  HMODULE module = nullptr;
  std::vector<DialogItemFacts> ItemsOf(uint16_t id) const {
    std::vector<DialogItemFacts> items;
    HRSRC found = module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG))
                                    : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data != nullptr) ReadDialogItems(static_cast<const uint8_t*>(data), SizeofResource(module, found), &items);
    return items;
  }
  // True when the window holds the template's first control that has an id
  // of its own (so a message box is never taken for the dialog).
  bool Shows(HWND window, uint16_t id) const {
    for (const DialogItemFacts& item : ItemsOf(id)) {
      if (item.id == 0 || item.id == 0xFFFF || item.id == IDOK || item.id == IDCANCEL) continue;
      return GetDlgItem(window, static_cast<int>(item.id)) != nullptr;
    }
    return true;
  }
};

struct OwnWindows {
  std::set<HWND> seen;
  static BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
      reinterpret_cast<std::set<HWND>*>(parameter)->insert(window);
    }
    return TRUE;
  }
  static std::set<HWND> Now() {
    std::set<HWND> windows;
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }
};

// The caption and texts of a window that came in the tour's way.
std::string WindowTexts(HWND window) {
  std::string texts;
  auto add = [&](HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    if (text[0] == 0) return;
    if (!texts.empty()) texts += " | ";
    for (const wchar_t* c = text; *c != 0; ++c) texts.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
  };
  add(window);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) add(child);
  return texts;
}

bool IsDialogBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wcscmp(name, L"#32770") == 0;
}

// Lets the window's thread paint what it was asked to.
void Settle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(700);
}

// A new visible dialog box of this process, enabled (not waiting for a
// window above it), that is not one of `before`.
HWND WaitForNewDialog(const std::set<HWND>& before, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    for (HWND window : OwnWindows::Now()) {
      if (before.count(window) == 0 && IsDialogBox(window) && IsWindowEnabled(window)) return window;
    }
    Sleep(50);
  }
  return nullptr;
}

bool WaitUntilGone(HWND window, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(50);
  }
  return false;
}

void SaveTourEasySet(HWND sheet) {
  const std::set<HWND> before = OwnWindows::Now();
  PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(1133, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, 1133)));
  HWND save = WaitForNewDialog(before, kWaitMs);
  if (save == nullptr) return;
  SetDlgItemTextW(save, 1901, L"Dialog tour");
  PostMessageW(save, WM_COMMAND, IDOK, 0);
  if (WaitUntilGone(save, 3000)) return;
  // An earlier tour kept the name already: the message box answered, the
  // dialog cancelled.
  for (HWND window : OwnWindows::Now()) {
    if (window != save && before.count(window) == 0 && IsDialogBox(window)) PostMessageW(window, WM_COMMAND, IDOK, 0);
  }
  Sleep(300);
  PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
  WaitUntilGone(save, 3000);
}

void ChooseLastEasySet(HWND edit) {
  HWND list = GetDlgItem(edit, 1907);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  PostMessageW(edit, WM_COMMAND, MAKEWPARAM(1907, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Ends a dialog the tour opened (and any message box it raised on the way).
void CloseDialog(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  if (WaitUntilGone(dialog, 3000)) return;
  for (HWND window : OwnWindows::Now()) {
    if (window != dialog && IsDialogBox(window) && GetWindow(window, GW_OWNER) == dialog) {
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  WaitUntilGone(dialog, 3000);
}

class Tour {
 public:
  Tour(const TourVisit& visit, TourReport* report) : visit_(visit), report_(report) {}
  TemplateFacts templates;
  bool onHostedModel = false;  // while the hosted pages are shown on the hosted model

  // Visits the stop shown by `window` and the dialogs opened from it.
  void Visit(const TourStop& stop, HWND window) {
    if (!templates.Shows(window, stop.templateId)) {
      Problem(stop, "the window does not show the template's controls");
      return;
    }
    Settle(window);
    report_->visited.push_back(stop.templateId);
    visit_(stop, window);
    for (const TourStop& child : DialogTour()) {
      if (child.from != stop.templateId) continue;
      if (child.way == TourWay::kControl && child.page == kOnHostedModel && !onHostedModel) continue;
      if (Done(child, stop)) continue;
      if (child.way == TourWay::kControl) Open(child, window);
      if (child.way == TourWay::kTab) OpenTab(child, window);
    }
  }

  void Problem(const TourStop& stop, const std::string& why) {
    report_->problems.push_back(std::to_string(stop.templateId) + " " + stop.title + ": " + why);
  }

  // The page `index` of the property sheet `frame`.
  void VisitPage(const TourStop& stop, HWND frame) {
    SendMessageW(frame, PSM_SETCURSEL, static_cast<WPARAM>(stop.page), 0);
    Sleep(300);
    HWND page = reinterpret_cast<HWND>(SendMessageW(frame, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (page == nullptr) {
      Problem(stop, "the sheet has no such page");
      return;
    }
    if (stop.prepare != nullptr) {
      stop.prepare(page);
      Sleep(300);
    }
    Visit(stop, page);
  }

 private:
  // A dialog reached from two windows is visited from the first only.
  bool Done(const TourStop& child, const TourStop& parent) {
    return !opened_.insert({child.templateId, parent.templateId}).second;
  }

  // Answers a message box that is not one of `before` with OK, noting its
  // texts; true when there was one.
  bool AnswerQuestion(const std::set<HWND>& before, DWORD ms) {
    HWND box = WaitForNewDialog(before, ms);
    if (box == nullptr) return false;
    report_->questions.push_back(WindowTexts(box));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    WaitUntilGone(box, 3000);
    return true;
  }

  // Sends a message from a thread of its own and answers the questions
  // the window asks before it returns.
  void SendAnswering(HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::set<HWND> before = OwnWindows::Now();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread sender([=] {
      SendMessageW(to, message, wParam, lParam);
      *done = true;
    });
    for (int round = 0; round < 100 && !*done; ++round) AnswerQuestion(before, 100);
    if (*done) sender.join();
    else sender.detach();
  }

  // Selects the tab as a click would (the window hears the change coming
  // and done) and visits the page it shows.
  void OpenTab(const TourStop& stop, HWND from) {
    HWND tabs = GetDlgItem(from, stop.control);
    NMHDR note = {tabs, static_cast<UINT_PTR>(stop.control), static_cast<UINT>(TCN_SELCHANGING)};
    SendAnswering(from, WM_NOTIFY, static_cast<WPARAM>(stop.control), reinterpret_cast<LPARAM>(&note));
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(stop.page), 0);
    NMHDR done = {tabs, static_cast<UINT_PTR>(stop.control), static_cast<UINT>(TCN_SELCHANGE)};
    SendAnswering(from, WM_NOTIFY, static_cast<WPARAM>(stop.control), reinterpret_cast<LPARAM>(&done));
    for (HWND child = GetWindow(from, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsDialogBox(child) && IsWindowVisible(child) && templates.Shows(child, stop.templateId)) {
        Visit(stop, child);
        return;
      }
    }
    Problem(stop, "the tab shows no such page");
  }

  void Open(const TourStop& stop, HWND from) {
    const std::set<HWND> before = OwnWindows::Now();
    if (stop.prepare != nullptr) {
      stop.prepare(from);
      Sleep(300);
    }
    if (stop.control != 0) {
      HWND control = GetDlgItem(from, stop.control);
      PostMessageW(from, WM_COMMAND, MAKEWPARAM(stop.control, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    }
    HWND dialog = WaitForNewDialog(before, kWaitMs);
    // A question on the way is answered with OK (at most three).
    for (int asked = 0; dialog != nullptr && !templates.Shows(dialog, stop.templateId) && asked < 3; ++asked) {
      std::set<HWND> now = before;
      AnswerQuestion(now, 100);
      dialog = WaitForNewDialog(before, kWaitMs);
    }
    if (dialog == nullptr) {
      Problem(stop, "no dialog opened");
      return;
    }
    if (!templates.Shows(dialog, stop.templateId)) {
      Problem(stop, "another window opened instead: " + WindowTexts(dialog));
      CloseDialog(dialog);
      return;
    }
    Visit(stop, dialog);
    CloseDialog(dialog);
  }

  const TourVisit& visit_;
  TourReport* report_;
  std::set<std::pair<uint16_t, uint16_t>> opened_;
};

HWND WaitForSheetFrame(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    for (HWND window : OwnWindows::Now()) {
      if (SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0 && IsWindowEnabled(window)) return window;
    }
    Sleep(50);
  }
  return nullptr;
}

// Runs `call` (which shows the sheets or a dialog and returns when they
// close) on this thread while the tour visits `stops` on a thread of its own.
void TourWhile(Tour& tour, const std::function<void()>& call, const std::vector<const TourStop*>& stops, bool sheets) {
  std::atomic<bool> returned{false};
  std::thread guide([&] {
    if (sheets) {
      HWND frame = WaitForSheetFrame(kWaitMs);
      if (frame == nullptr) {
        for (const TourStop* stop : stops) tour.Problem(*stop, "the sheets were not shown");
      } else {
        SetForegroundWindow(frame);
        for (const TourStop* stop : stops) tour.VisitPage(*stop, frame);
        PostMessageW(frame, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      }
    } else {
      HWND dialog = WaitForNewDialog({}, kWaitMs);
      if (dialog == nullptr) {
        for (const TourStop* stop : stops) tour.Problem(*stop, "the dialog was not shown");
      } else {
        for (const TourStop* stop : stops) tour.Visit(*stop, dialog);
        CloseDialog(dialog);
      }
    }
    // Whatever still stands (a question the tour did not expect) is
    // cancelled until the call returns.
    for (int round = 0; round < 100 && !returned; ++round) {
      Sleep(300);
      for (HWND window : OwnWindows::Now()) {
        if (!IsWindowEnabled(window)) continue;
        if (SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0) {
          PostMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        } else if (IsDialogBox(window)) {
          PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
          PostMessageW(window, WM_CLOSE, 0, 0);
        }
      }
    }
  });
  call();
  returned = true;
  guide.join();
}

std::vector<const TourStop*> StopsOf(TourWay way) {
  std::vector<const TourStop*> stops;
  for (const TourStop& stop : DialogTour()) {
    if (stop.way == way) stops.push_back(&stop);
  }
  return stops;
}

// The folder of the printer's driver files.
std::wstring DriverFolder(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return {};
  std::wstring config = reinterpret_cast<DRIVER_INFO_2W*>(buffer.data())->pConfigFile;
  const size_t slash = config.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : config.substr(0, slash + 1);
}

std::vector<BYTE> DefaultDevMode(HANDLE printer, const std::wstring& name) {
  const LONG size = DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()), nullptr, nullptr, 0);
  if (size <= 0) return {};
  std::vector<BYTE> devmode(static_cast<size_t>(size), 0);
  if (DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(name.c_str()),
                          reinterpret_cast<DEVMODEW*>(devmode.data()), nullptr, DM_OUT_BUFFER) != IDOK) {
    return {};
  }
  return devmode;
}

// The procedure library's export that runs a hosted page.
const char* HostedProcedureOf(uint16_t templateId) {
  switch (templateId) {
    case 196: return "Prc_DocQualityMonoProc";
    case 110: return "Prc_DocFinishingProc_T2";
    case 113: return "Prc_DocCoverPageProc_T2";
    case 161: return "Prc_DocInitializeProc";
    case 104: return "Prc_DocWOProc";
    case 147: return "ColorAdjustPageProc";
    case 189: return "ColorProfilePageProc";
    case 148: return "ColorBalancePageProc";
    case 149: return "ObjectScreenPageProc";
    case 162: return "ColorMatchPageProc";
    default: return nullptr;
  }
}

// A document sheet session of the tour's own, holding the printer's
// default settings.
struct TourSession {
  std::unique_ptr<SheetSession> session = std::make_unique<SheetSession>();
  std::unique_ptr<WorkDevMode> working = std::make_unique<WorkDevMode>();
  TourSession(HANDLE printer, const std::vector<BYTE>& devmode) {
    std::memset(session.get(), 0, sizeof(SheetSession));
    std::memset(working.get(), 0, sizeof(WorkDevMode));
    std::memcpy(&working->devmode, devmode.data(), std::min(devmode.size(), sizeof(DriverDevMode)));
    session->kind = kSheetDocumentSession;
    session->self = session.get();
    session->size = sizeof(SheetSession);
    session->working = working.get();
    session->printer = printer;
    session->mayChange = 1;
  }
};

// The caller of a device library's dialog: every message goes to the
// library's hook under the template id first.
struct DeviceDialogCaller {
  static inline DDProcDlgProcFn hook = nullptr;
  static inline int32_t pageId = 0;
  static INT_PTR CALLBACK Proc(HWND d, UINT m, WPARAM w, LPARAM l) {
    int32_t handled = 0;
    const uint32_t result = hook(pageId, d, m, w, l, &handled);
    return handled != 0 ? static_cast<INT_PTR>(result) : FALSE;
  }
};

// Shows a device library's dialog modally on a session of the tour's own.
void TourDeviceDialog(Tour& tour, const TourStop& stop, HMODULE device, HMODULE templates, HANDLE printer,
                      const std::vector<BYTE>& devmode) {
  auto hook = device != nullptr ? reinterpret_cast<DDProcDlgProcFn>(
                                      reinterpret_cast<void (*)()>(GetProcAddress(device, "DDProc_DlgProc")))
                                : nullptr;
  if (hook == nullptr || templates == nullptr) {
    tour.Problem(stop, "the device library cannot show it");
    return;
  }
  TourSession own(printer, devmode);
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  page.hInstance = templates;
  page.lParam = reinterpret_cast<LPARAM>(own.session.get());
  DeviceDialogCaller::hook = hook;
  DeviceDialogCaller::pageId = stop.templateId;
  TourWhile(
      tour,
      [&] {
        DialogBoxParamW(templates, MAKEINTRESOURCEW(stop.templateId), nullptr, DeviceDialogCaller::Proc,
                        reinterpret_cast<LPARAM>(&page));
      },
      {&stop}, false);
}

// Shows a hosted page as a host would: a property sheet of that one page,
// whose context is a sheet session holding the printer's default settings.
void TourHostedPage(Tour& tour, const TourStop& stop, HMODULE proc, HMODULE templates, HANDLE printer,
                    const std::vector<BYTE>& devmode) {
  const char* name = HostedProcedureOf(stop.templateId);
  auto procedure = proc != nullptr && name != nullptr
                       ? reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(GetProcAddress(proc, name)))
                       : nullptr;
  if (procedure == nullptr || templates == nullptr) {
    tour.Problem(stop, "the procedure library cannot show it");
    return;
  }
  TourSession own(printer, devmode);
  SheetSession* session = own.session.get();
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof page;
  page.hInstance = templates;
  page.pszTemplate = MAKEINTRESOURCEW(stop.templateId);
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<LPARAM>(session);
  HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_NOAPPLYNOW;
  header.pszCaption = L"Hosted page";
  header.nPages = 1;
  header.phpage = &handle;
  TourWhile(tour, [&] { PropertySheetW(&header); }, {&stop}, true);
}

}  // namespace

const std::vector<TourStop>& DialogTour() { return kDialogTour; }

std::string TourPictureName(const TourStop& stop) {
  std::string name = std::to_string(stop.templateId) + "-";
  for (const char* c = stop.title; *c != 0; ++c) {
    const bool plain = (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9');
    if (plain) name.push_back(*c);
    else if (name.back() != '-') name.push_back('-');
  }
  while (name.back() == '-') name.pop_back();
  return name + ".png";
}

// A copy of the driver's files in a folder of its own, with another main
// description file; removed with the object.
class DriverCopy {
 public:
  DriverCopy(const std::wstring& folder, const std::wstring& model) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"driver-tour-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    // A folder an earlier tour could not remove (a library still loaded)
    // is used again.
    if (!CreateDirectoryW(path_.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    bool copied = find != INVALID_HANDLE_VALUE;
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        files_.push_back(found.cFileName);
        copied &= CopyFileW((folder + found.cFileName).c_str(), (path_ + found.cFileName).c_str(), FALSE) != FALSE;
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    ok_ = copied && CopyFileW(model.c_str(), (path_ + L"VELDRANH.QXD").c_str(), FALSE) != FALSE;
  }
  ~DriverCopy() {
    for (const std::wstring& file : files_) DeleteFileW((path_ + file).c_str());
    RemoveDirectoryW(path_.c_str());
  }
  bool ok() const { return ok_; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> files_;
  bool ok_ = false;
};

TourReport RunDialogTour(HANDLE printer, const std::wstring& printerName, const TourVisit& visit,
                         const std::wstring& hostedModel) {
  TourReport report;
  Tour tour(visit, &report);
  const std::wstring folder = DriverFolder(printer);
  tour.templates.module = LoadLibraryExW((folder + L"VELDRANG.DLL").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  std::vector<BYTE> devmode = DefaultDevMode(printer, printerName);
  if (devmode.empty() || tour.templates.module == nullptr) {
    for (const TourStop& stop : DialogTour()) tour.Problem(stop, "the printer's driver could not be read");
    return report;
  }

  wchar_t* name = const_cast<wchar_t*>(printerName.c_str());
  std::vector<BYTE> out(devmode.size(), 0);
  reinterpret_cast<DEVMODEW*>(out.data())->dmSize = reinterpret_cast<DEVMODEW*>(devmode.data())->dmSize;
  TourWhile(
      tour,
      [&] {
        DocumentPropertiesW(nullptr, printer, name, reinterpret_cast<DEVMODEW*>(out.data()),
                            reinterpret_cast<DEVMODEW*>(devmode.data()), DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
      },
      StopsOf(TourWay::kDocumentPage), true);

  // The destination dialog, as the user interface core opens it at the
  // start of a fax job, with the printer's default settings.
  HMODULE proc = LoadLibraryW((folder + L"VELDRANA.DLL").c_str());
  auto popup = proc != nullptr ? reinterpret_cast<PopupFaxSendToDlgFn>(
                                     reinterpret_cast<void (*)()>(GetProcAddress(proc, kPopupFaxSendToDlg)))
                               : nullptr;
  uint32_t error = 0;
  const DocDMode* doc = LocateDocDMode(devmode.data(), &error);
  if (popup != nullptr && doc != nullptr) {
    auto recipients = std::make_unique<FaxRecipientEntry[]>(kFaxMaxRecipients);
    std::vector<uint8_t> cover(kFaxCoverSheetDataSize, 0);
    FaxSetting setting;
    std::memcpy(&setting, reinterpret_cast<const uint8_t*>(doc) + kFaxSettingDocAt, sizeof setting);
    uint32_t count = 0;
    HANDLE handle = printer;
    FaxSendToArgs args{&count, recipients.get(), cover.data(), &setting, &handle, doc};
    TourWhile(tour, [&] { popup(&args); }, StopsOf(TourWay::kFaxJobStart), false);
  } else {
    for (const TourStop* stop : StopsOf(TourWay::kFaxJobStart)) tour.Problem(*stop, "the procedure library cannot open it");
  }
  if (!hostedModel.empty()) {
    // The pages no host lists, on the other model: the procedure library
    // of the copy reads its description at its start.
    if (proc != nullptr) FreeLibrary(proc);
    proc = nullptr;
    DriverCopy copy(folder, hostedModel);
    HMODULE hostedProc = copy.ok() ? LoadLibraryW((copy.path() + L"VELDRANA.DLL").c_str()) : nullptr;
    HMODULE templates = copy.ok() ? LoadLibraryW((copy.path() + L"VELDRANG.DLL").c_str()) : nullptr;
    tour.onHostedModel = true;
    for (const TourStop* stop : StopsOf(TourWay::kHostedPage)) {
      TourHostedPage(tour, *stop, hostedProc, templates, printer, devmode);
    }
    tour.onHostedModel = false;
    if (templates != nullptr) FreeLibrary(templates);
    if (hostedProc != nullptr) FreeLibrary(hostedProc);
  } else {
    HMODULE templates = LoadLibraryW((folder + L"VELDRANG.DLL").c_str());
    for (const TourStop* stop : StopsOf(TourWay::kHostedPage)) {
      TourHostedPage(tour, *stop, proc, templates, printer, devmode);
    }
    if (templates != nullptr) FreeLibrary(templates);
  }
  if (proc != nullptr) FreeLibrary(proc);

  // The device library's dialogs, with the driver's own libraries.
  {
    HMODULE device = LoadLibraryW((folder + L"VELDRANH.DLL").c_str());
    HMODULE templates = LoadLibraryW((folder + L"VELDRANG.DLL").c_str());
    for (const TourStop* stop : StopsOf(TourWay::kDeviceDialog)) {
      TourDeviceDialog(tour, *stop, device, templates, printer, devmode);
    }
    if (templates != nullptr) FreeLibrary(templates);
    if (device != nullptr) FreeLibrary(device);
  }

  // The device sheets, as the user interface core shows them for the
  // printer's properties.
  HMODULE core = LoadLibraryW((folder + L"VELDRANK.DLL").c_str());
  using PrinterPropertiesFn = BOOL(WINAPI*)(HWND, HANDLE);
  auto properties = core != nullptr ? reinterpret_cast<PrinterPropertiesFn>(
                                          reinterpret_cast<void (*)()>(GetProcAddress(core, "PrinterProperties")))
                                    : nullptr;
  if (properties != nullptr) {
    TourWhile(tour, [&] { properties(nullptr, printer); }, StopsOf(TourWay::kDevicePage), true);
  } else {
    for (const TourStop* stop : StopsOf(TourWay::kDevicePage)) tour.Problem(*stop, "the core cannot show them");
  }
  if (core != nullptr) FreeLibrary(core);
  FreeLibrary(tour.templates.module);
  return report;
}

}  // namespace testsupport
