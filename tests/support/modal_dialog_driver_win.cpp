#include "tests/support/modal_dialog_driver_win.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

namespace {

// The driver of this program's dialog thread (one at a time).
ModalDialogDriver* g_driver = nullptr;

constexpr wchar_t kWindowClass[] = L"ModalDialogDriverWindow";
constexpr UINT kRunClaimed = WM_APP + 1;
constexpr UINT_PTR kPollTimer = 1;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The top-level windows of this thread, front to back.
std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  }
  return out;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace

ModalDialogDriver::ModalDialogDriver() : ModalDialogDriver(Options{}) {}

ModalDialogDriver::ModalDialogDriver(const Options& options) : options_(options) {
  if (g_driver != nullptr) ADD_FAILURE() << "a second modal dialog driver on the same thread";
  g_driver = this;
  static bool registered = false;
  if (!registered) {
    WNDCLASSW c = {};
    c.lpfnWndProc = WindowProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = kWindowClass;
    registered = RegisterClassW(&c) != 0;
  }
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (window_ == nullptr) ADD_FAILURE() << "the modal dialog driver's window was not created";
  if (window_ != nullptr) SetTimer(window_, kPollTimer, options_.pollMs, nullptr);
  if (options_.activationHook) hook_ = SetWindowsHookExW(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId());
}

ModalDialogDriver::~ModalDialogDriver() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (window_ != nullptr) {
    KillTimer(window_, kPollTimer);
    DestroyWindow(window_);
  }
  if (g_driver == this) g_driver = nullptr;
}

ModalDialogDriver& ModalDialogDriver::Then(Drive drive, Match match, When when) {
  // What is up now belongs to the test (its own modeless dialogs and
  // sheets), unless a drive already took it.
  for (HWND w : ThreadWindows()) {
    if (IsWindowVisible(w) && taken_.count(w) == 0) ignored_.insert(w);
  }
  queue_.push_back({std::move(drive), std::move(match), when});
  return *this;
}

bool ModalDialogDriver::IsDialogBox(HWND window) { return ClassOf(window) == L"#32770"; }

ModalDialogDriver::Match ModalDialogDriver::WithControl(int id) {
  return [id](HWND window) { return GetDlgItem(window, id) != nullptr; };
}

ModalDialogDriver::Match ModalDialogDriver::WithClass(const std::wstring& className) {
  return [className](HWND window) { return ClassOf(window) == className; };
}

bool ModalDialogDriver::Takes(HWND window) const {
  if (queue_.empty() || window == nullptr || window == window_ || !IsWindow(window)) return false;
  if (ignored_.count(window) != 0 || taken_.count(window) != 0) return false;
  const Queued& front = queue_.front();
  if (front.when == kWhenShown && !IsWindowVisible(window)) return false;
  return front.match ? front.match(window) : IsDialogBox(window);
}

void ModalDialogDriver::Claim(HWND window, bool onActivation) {
  taken_.insert(window);
  since_[window] = GetTickCount();
  claimed_.push_back({window, std::move(queue_.front()), onActivation});
  queue_.pop_front();
}

void ModalDialogDriver::RunClaimed() {
  while (!claimed_.empty()) {
    Claimed next = std::move(claimed_.front());
    claimed_.pop_front();
    if (!IsWindow(next.window)) {
      // Gone before its drive could run: the drive waits for the next one.
      queue_.push_front(std::move(next.queued));
      continue;
    }
    ++driven_;
    if (next.onActivation) ++drivenOnActivation_;
    // The drive may open further dialogs, whose loops come back here; the
    // watchdog's clock of its window starts when it returns.
    running_.insert(next.window);
    next.queued.drive(next.window);
    running_.erase(next.window);
    since_[next.window] = GetTickCount();
  }
}

LRESULT CALLBACK ModalDialogDriver::ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
  ModalDialogDriver* self = g_driver;
  if (code == HCBT_ACTIVATE && self != nullptr) {
    HWND window = reinterpret_cast<HWND>(wParam);
    // The drive runs from the dialog's loop once the activation is over.
    if (self->Takes(window)) {
      self->Claim(window, true);
      PostMessageW(self->window_, kRunClaimed, 0, 0);
    }
  }
  return CallNextHookEx(self != nullptr ? self->hook_ : nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalDialogDriver::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialogDriver* self = g_driver;
  if (self != nullptr && window == self->window_) {
    if (message == kRunClaimed) {
      self->RunClaimed();
      return 0;
    }
    if (message == WM_TIMER && wParam == kPollTimer) {
      self->Poll();
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ModalDialogDriver::Poll() {
  // Drives the activation claimed run here too, should their message be
  // slow to come.
  RunClaimed();
  Watch();
  if (queue_.empty()) return;
  // A modal dialog disables its owner, so a dialog waiting behind another
  // is never taken.
  for (HWND w : ThreadWindows()) {
    if (!IsWindowVisible(w) || !IsWindowEnabled(w) || !Takes(w)) continue;
    Claim(w, false);
    RunClaimed();
    return;
  }
}

void ModalDialogDriver::Watch() {
  const DWORD now = GetTickCount();
  for (auto it = since_.begin(); it != since_.end();) {
    it = IsWindow(it->first) ? std::next(it) : since_.erase(it);
  }
  for (std::set<HWND>* windows : {&ignored_, &taken_, &endedWindows_}) {
    for (auto it = windows->begin(); it != windows->end();) it = IsWindow(*it) ? std::next(it) : windows->erase(it);
  }
  std::vector<HWND> overdue;
  for (HWND w : ThreadWindows()) {
    if (w == window_ || !IsWindowVisible(w) || ignored_.count(w) != 0 || running_.count(w) != 0) continue;
    // Tooltips, drop-down lists and menus come and go by themselves.
    if (!IsDialogBox(w) && (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) continue;
    const auto [at, fresh] = since_.emplace(w, now);
    if (fresh || now - at->second < options_.watchdogMs) continue;
    // A disabled window waits for the modal window above it.
    if (IsWindowEnabled(w)) overdue.push_back(w);
  }
  for (HWND w : overdue) {
    if (!IsWindow(w)) continue;
    if (endedWindows_.count(w) != 0) {
      // It outlived its ending by a whole watchdog time: its loop ends
      // when the window is gone.
      since_[w] = now;
      DestroyWindow(w);
      continue;
    }
    endedWindows_.insert(w);
    since_[w] = now;
    ++ended_;
    const bool dialog = IsDialogBox(w);
    std::string why;
    if (taken_.count(w) != 0) {
      why = "its drive ran but did not end it";
    } else if (queue_.empty()) {
      why = "no drive was queued for it";
    } else {
      why = std::to_string(queue_.size()) + " drive(s) were queued, none matched it";
    }
    ADD_FAILURE() << "modal dialog driver: the window \"" << Utf8(CaptionOf(w)) << "\" (class "
                  << Utf8(ClassOf(w)) << ") was up for " << options_.watchdogMs << " ms; " << why
                  << "; ended with " << (dialog ? "IDCANCEL" : "WM_CLOSE");
    if (dialog) {
      EndDialog(w, IDCANCEL);
    } else {
      PostMessageW(w, WM_CLOSE, 0, 0);
    }
  }
}

}  // namespace testsupport
