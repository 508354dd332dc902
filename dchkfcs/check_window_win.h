// The cover sheet check window: a modal frame that shows a cover-sheet
// metafile with zoom, fit modes, scrolling and the image position.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dchkfcs/view/page_view_math.h"

inline constexpr int kCheckToolbarId = 4097, kCheckViewId = 4098, kCheckBarId = 4099, kCheckStatusId = 4100,
                     kCheckZoomBoxId = 4101;
inline constexpr int kCmdZoomIn = 40001, kCmdZoomOut = 40002, kCmdZoomBoxPlace = 40003, kCmdWholePage = 40004,
                     kCmdWholeWidth = 40005, kCmdHelp = 9, kCmdEnter = 1, kCmdClose = 2;
inline constexpr int kPositionTextId = 1001;

// One showing of the window.
struct FcsCheckWindowState {
  HENHMETAFILE metafile;  // the caller's
  int flag;
  int32_t x, y;           // image position shown in the position bar
  wchar_t helpFile[260];
  int32_t fitMode;
  int32_t zoom;
  HWND frame, toolbar, zoomBox, status, bar, barDialog, view;
  bool zoomBoxFocus;
  int32_t pageWidth, pageHeight;  // screen pixels at 100 %
  CheckPageLayout layout;
  HMODULE module;                 // the library's resources
};

// The texts of the window (64 units each), built-in defaults replaced by the
// description file's section "Dlg_CheckFAXCoverSheet".
enum CheckText : int {
  kTextCaption, kTextZoomMenu, kTextZoomIn, kTextZoomOut, kTextWholePage, kTextWholeWidth, kTextHelpMenu,
  kTextHelp, kTextImagePosition, kTextPositionX, kTextPositionY, kTextClose, kCheckTextCount
};
const wchar_t* CheckWindowText(CheckText text);
// Reads the section from VELDRANH.QXD beside `module`; missing file,
// section or texts keep the defaults.
void LoadCheckWindowTexts(HMODULE module);
// Puts the built-in texts back.
void ResetCheckWindowTexts();
// Reads the texts of the section from an open description file.
struct QxdContext;
void ReadCheckWindowTexts(QxdContext* ctx);
// "Image Position X 12 Y 34" from the texts in force.
void FormatCheckPosition(int32_t x, int32_t y, wchar_t* out, size_t capacity);

// The page view (class "VQ_CHKFCS_VIEWWND").
bool RegisterCheckPageView(HINSTANCE instance);
HWND CreateCheckPageView(HWND frame, FcsCheckWindowState* s);
// Sets the zoom of the fit mode from the view's client size, shows it and
// repaints.
void FitCheckZoom(FcsCheckWindowState* s);
// Shows the zoom in the zoom box and the status bar.
void ShowCheckZoom(FcsCheckWindowState* s);

BOOL ShowCheckWindow(HMODULE module, HWND owner, HENHMETAFILE metafile, int flag, int x, int y);
