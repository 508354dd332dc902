// The cover sheet check window under Wine and Xvfb: VELDRANT.DLL of the
// build tree shows a cover metafile made by the cover page composer; the
// test drives the window from the moment it is shown and keeps a screenshot.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/cover/cover_defaults.h"
#include "common/cover/cover_page_win.h"
#include "common/qxd/qxd_file.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/qxd/qxd_reader.h"
#include "dchkfcs/check_window_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_picture_win.h"

namespace {

using DispFn = BOOL(WINAPI*)(HWND, HENHMETAFILE, int, int, int);

template <size_t N>
void Set16(char16_t (&to)[N], const std::u16string& text) {
  std::fill(std::begin(to), std::end(to), u'\0');
  std::copy_n(text.data(), std::min(text.size(), N - 1), to);
}

// A PNG of the window under <build>/screenshots/, kept for review.
void KeepScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::string dir = testsupport::BinaryPath("screenshots");
  CreateDirectoryW(std::wstring(dir.begin(), dir.end()).c_str(), nullptr);
  testsupport::SaveWindowPng(window, testsupport::BinaryPath("screenshots/" + name + ".png"));
}

std::wstring StatusZoom(HWND frame) {
  HWND status = GetDlgItem(frame, kCheckStatusId);
  wchar_t text[32] = {};
  SendMessageW(status, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  return text;
}
void Command(HWND frame, int id) { SendMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

class CheckWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = testsupport::BinaryPath("bin/VELDRANT.DLL");
    library_ = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    ASSERT_NE(library_, nullptr);
    show_ = reinterpret_cast<DispFn>(reinterpret_cast<void*>(GetProcAddress(library_, "DispCheckFcsWindow")));
    ASSERT_NE(show_, nullptr);
    // The sample model's words on the page.
    const std::string model = testsupport::BinaryPath("model/VELDRANH.QXD");
    if (QxdContext* ctx = QxdOpen(std::wstring(model.begin(), model.end()).c_str(), 1)) {
      LoadFaxCoverStyles(ctx);
      QxdClose(ctx);
    }
    FaxCoverSheetData data;
    MakeDefaultCoverSheet(&data);
    Set16(data.recipient.szTitle, u"To all recipients");
    data.basic.fgPages = 1;
    Set16(data.basic.szComment, u"Please find the signed contract attached.\r\nCall me with any questions.");
    HDC screen = GetDC(nullptr);
    emf_ = RenderFaxCoverSheet(screen, 0, data, nullptr, 0, nullptr);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(emf_, nullptr);
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (emf_ != nullptr) DeleteEnhMetaFile(emf_);
    if (owner_ != nullptr) DestroyWindow(owner_);
    if (library_ != nullptr) FreeLibrary(library_);
  }
  HMODULE library_ = nullptr;
  DispFn show_ = nullptr;
  HENHMETAFILE emf_ = nullptr;
  HWND owner_ = nullptr;
  // The script runs inside the window's own loop, once the frame is shown.
  testsupport::ModalDialogDriver driver_;
  void Drive(testsupport::ModalDialogDriver::Drive script) {
    driver_.Then(std::move(script), testsupport::ModalDialogDriver::WithClass(L"VQ_CHKFCS_MAINWND"),
                 testsupport::ModalDialogDriver::kWhenShown);
  }
};

TEST_F(CheckWindow, NullMetafileShowsNothing) {
  EXPECT_FALSE(show_(owner_, nullptr, 0, 1, 1));
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

// Zoom in and out along the list, free zoom and the fit modes, a typed zoom,
// the position bar, the owner disabled while the window is up, Close.
TEST_F(CheckWindow, ZoomsShowsThePositionAndCloses) {
  std::wstring fit, in, out, typed, bad, position, page;
  bool ownerDisabled = false;
  Drive([&](HWND frame) {
    ownerDisabled = !IsWindowEnabled(owner_);
    fit = StatusZoom(frame);
    HWND bar = FindWindowExW(frame, nullptr, L"VQ_CHKFCS_DLGBAR", nullptr);
    HWND barDialog = bar != nullptr ? GetWindow(bar, GW_CHILD) : nullptr;
    wchar_t text[128] = {};
    GetDlgItemTextW(barDialog, kPositionTextId, text, 128);
    position = text;
    Command(frame, kCmdWholePage);  // whole page -> free zoom at the fitted zoom
    Command(frame, kCmdZoomIn);
    in = StatusZoom(frame);
    Command(frame, kCmdZoomOut);
    Command(frame, kCmdZoomOut);
    out = StatusZoom(frame);
    HWND box = GetDlgItem(frame, kCheckZoomBoxId);
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kCheckZoomBoxId, CBN_SETFOCUS), reinterpret_cast<LPARAM>(box));
    SetWindowTextW(box, L"250");
    Command(frame, kCmdEnter);
    typed = StatusZoom(frame);
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kCheckZoomBoxId, CBN_SETFOCUS), reinterpret_cast<LPARAM>(box));
    SetWindowTextW(box, L"5");
    Command(frame, kCmdEnter);
    wchar_t shown[32] = {};
    GetWindowTextW(box, shown, 32);
    bad = StatusZoom(frame) + L"|" + shown;
    Command(frame, kCmdWholePage);
    page = StatusZoom(frame);
    UpdateWindow(frame);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    KeepScreenshot(frame, "CheckWindow_cover_sheet");
    PostMessageW(frame, WM_COMMAND, kCmdClose, 0);
  });
  EXPECT_TRUE(show_(owner_, emf_, 1, 12, 34));
  EXPECT_EQ(driver_.Driven(), 1);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(position, L"Image Position X 12 Y 34");
  ASSERT_GE(fit.size(), 2u);
  const int fitted = std::stoi(fit);
  EXPECT_GE(fitted, 10);
  EXPECT_LE(fitted, 500);
  // Along the zoom list from the fitted zoom: one step in, two steps out.
  const int stepIn = CheckZoomIn(fitted);
  EXPECT_EQ(in, std::to_wstring(stepIn) + L"%");
  EXPECT_EQ(out, std::to_wstring(CheckZoomOut(CheckZoomOut(stepIn))) + L"%");
  EXPECT_EQ(typed, L"250%");
  EXPECT_EQ(bad, L"250%|250%");
  EXPECT_EQ(page, fit);
}

// One wheel notch towards the user scrolls the page 20 pixels down, one away
// 20 up; half a notch does nothing.  The frame passes the wheel to the view.
TEST_F(CheckWindow, WheelNotchScrollsTwentyPixels) {
  std::vector<int> positions;
  int range = 0;
  Drive([&](HWND frame) {
    Command(frame, kCmdWholePage);  // free zoom, then far enough in to scroll
    for (int i = 0; i < 4; ++i) Command(frame, kCmdZoomIn);
    HWND view = FindWindowExW(frame, nullptr, L"VQ_CHKFCS_VIEWWND", nullptr);
    UpdateWindow(view);  // the view sets its scroll ranges as it paints
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(view, SB_VERT, &si);
    range = si.nMax - static_cast<int>(si.nPage);

    const auto wheel = [&](int delta) {
      SendMessageW(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<int16_t>(delta))), 0);
      positions.push_back(GetScrollPos(view, SB_VERT));
    };
    positions.push_back(GetScrollPos(view, SB_VERT));
    wheel(-120);
    wheel(-120);
    wheel(120);
    wheel(-60);
    PostMessageW(frame, WM_COMMAND, kCmdClose, 0);
  });
  EXPECT_TRUE(show_(owner_, emf_, 0, 1, 1));
  EXPECT_EQ(driver_.Driven(), 1);
  ASSERT_GT(range, 40) << "the page is larger than the view";
  EXPECT_EQ(positions, (std::vector<int>{0, 20, 40, 20, 20}));
}

// WM_QUIT in the window's loop ends the call with TRUE and stays in the
// queue for the caller's own loop.
TEST_F(CheckWindow, QuitEndsTheLoopAndIsPassedOn) {
  Drive([](HWND) { PostQuitMessage(7); });
  EXPECT_TRUE(show_(owner_, emf_, 0, 1, 1));
  EXPECT_EQ(driver_.Driven(), 1);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

// The sample model's texts replace the built-in ones.
TEST(CheckWindowTexts, SampleModelReplacesTheDefaults) {
  ResetCheckWindowTexts();
  wchar_t text[128];
  FormatCheckPosition(5, 6, text, 128);
  EXPECT_STREQ(text, L"Image Position X 5 Y 6");
  EXPECT_STREQ(CheckWindowText(kTextCaption), L"Check On FAX Cover Sheet");
  const std::string path = testsupport::BinaryPath("model/VELDRANH.QXD");
  const std::wstring wide(path.begin(), path.end());
  QxdContext* ctx = QxdOpen(wide.c_str(), 1);
  ASSERT_NE(ctx, nullptr);
  ReadCheckWindowTexts(ctx);
  QxdClose(ctx);
  FormatCheckPosition(5, 6, text, 128);
  EXPECT_STREQ(text, L"Image centre at X 5 Y 6");
  EXPECT_STREQ(CheckWindowText(kTextCaption), L"Check the Fax Cover Sheet");
  ResetCheckWindowTexts();
}

}  // namespace
