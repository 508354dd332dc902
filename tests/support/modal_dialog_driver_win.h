// Modal dialog driver: answers the modal dialogs (and message boxes) that a
// call under test opens on this thread, in the order they open, as a person
// would, and never lets an unanswered one hang the test program.
//
//   testsupport::ModalDialogDriver driver;
//   driver.Then([](HWND d) {                      // the first dialog
//     SetDlgItemTextW(d, 1001, L"12");
//     PostMessageW(d, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);   // opens a second one
//   });
//   driver.Then([](HWND d) { PostMessageW(d, WM_COMMAND, IDOK, 0); },  // the second dialog
//               testsupport::ModalDialogDriver::WithControl(2033));
//   EXPECT_EQ(RunTheDialog(), IDOK);
//   EXPECT_EQ(driver.Pending(), 0u);
//
// A queued drive runs once, on the first dialog of this thread that matches
// its predicate (by default any dialog box, window class "#32770").  It runs
// from the dialog's own message loop, with its controls created and
// initialised, in one of two ways, whichever comes first:
//  - the dialog is activated (a WH_CBT hook sees HCBT_ACTIVATE), or
//  - a timer of this thread, which every message loop of the thread
//    dispatches, finds the dialog visible and enabled (the activation does
//    not always come while many programs share the display).
// A dialog box is activated before it is first shown, and showing a window
// on the virtual display takes long, so by default a drive does not wait
// for the dialog to be on the screen (a dialog it ends is never shown).  A
// drive queued kWhenShown (e.g. to take a screenshot) waits until it is.
// Drives run in queue order; a drive may queue further drives (for a
// dialog it is about to open).  Windows that are already up when a drive is
// queued (the test's own modeless dialogs and sheets) are never taken.
//
// The watchdog: a window of this thread (a dialog box or a window with a
// caption) that stays up longer than the watchdog time without a drive (or
// after its drive returned) is ended - a dialog with IDCANCEL, any other
// window with WM_CLOSE - and the test fails with a message naming it,
// instead of the run hanging on its loop.  A disabled window is left alone:
// it waits for the modal window above it.
//
// One driver per thread at a time; the destructor unhooks and stops the
// timer.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace testsupport {

class ModalDialogDriver {
 public:
  using Drive = std::function<void(HWND)>;
  using Match = std::function<bool(HWND)>;

  struct Options {
    bool activationHook = true;  // false: only the timer finds dialogs
    UINT pollMs = 100;           // period of the timer
    DWORD watchdogMs = 20000;    // a window up longer than this is ended
  };

  ModalDialogDriver();
  explicit ModalDialogDriver(const Options& options);
  ~ModalDialogDriver();
  ModalDialogDriver(const ModalDialogDriver&) = delete;
  ModalDialogDriver& operator=(const ModalDialogDriver&) = delete;

  enum When { kWhenActive, kWhenShown };

  // Queues a drive for the next dialog that matches (any dialog box when
  // no predicate is given).
  ModalDialogDriver& Then(Drive drive, Match match = nullptr, When when = kWhenActive);
  // Forgets the drives not run yet.
  void Clear() { queue_.clear(); }
  // The test's own window: never driven nor ended.
  void Ignore(HWND window) { ignored_.insert(window); }

  size_t Pending() const { return queue_.size(); }
  int Driven() const { return driven_; }
  // Of those, the drives the activation started (the others: the timer).
  int DrivenOnActivation() const { return drivenOnActivation_; }
  // Windows the watchdog ended.
  int Ended() const { return ended_; }

  // Predicates: a dialog box (the default); a window with a control of
  // that id; a window of that class.
  static bool IsDialogBox(HWND window);
  static Match WithControl(int id);
  static Match WithClass(const std::wstring& className);

 private:
  struct Queued {
    Drive drive;
    Match match;
    When when;
  };
  struct Claimed {
    HWND window;
    Queued queued;
    bool onActivation;
  };
  static LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Takes(HWND window) const;
  void Claim(HWND window, bool onActivation);
  void RunClaimed();
  void Poll();
  void Watch();

  Options options_;
  HHOOK hook_ = nullptr;
  HWND window_ = nullptr;  // message-only window: deferred drives and the timer
  std::deque<Queued> queue_;
  std::deque<Claimed> claimed_;
  std::set<HWND> ignored_;
  std::set<HWND> taken_;               // windows a drive was given
  std::set<HWND> running_;             // windows whose drive is running
  std::map<HWND, DWORD> since_;        // first seen, or drive started
  std::set<HWND> endedWindows_;
  int driven_ = 0;
  int drivenOnActivation_ = 0;
  int ended_ = 0;
};

}  // namespace testsupport
