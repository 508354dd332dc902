// The Basic sheet (template 100): orientation, original and fax page size
// and zoom, with the print-only settings of the page (tray, paper type,
// store job, copies, collation, job offset, paper options) kept hidden and
// passed through unchanged.  It runs on the document sheets' skeleton.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"
#include "dproc/sheets/ui_state_layout.h"

inline constexpr uint16_t kBasicSheetTemplate = 100;

// Control ids of the page.
enum BasicControl : int {
  kBasicPreview = 1235, kBasicStatusIcons = 1123,
  kBasicOrientationGroup = 1063, kBasicOrientationPicture = 1211, kBasicPortrait = 1020, kBasicLandscape = 1023,
  kBasicPaperLabel = 1001, kBasicPaperSize = 1000, kBasicPaperPicture = 1141,
  kBasicOutPaperLabel = 1036, kBasicOutPaperSize = 1040,
  kBasicZoomGroup = 1178, kBasicZoomIcon = 1115, kBasicZoomAuto = 1227, kBasicZoomManual = 1228,
  kBasicZoomEdit = 1033, kBasicZoomSpin = 1206, kBasicZoomPercent = 1067,
  kBasicTrayLabel = 1008, kBasicTray = 1006, kBasicTrayIcon = 1110,
  kBasicMediaLabel = 1005, kBasicMedia = 1003, kBasicMediaIcon = 1108,
  kBasicAutoTrayButton = 1898, kBasicPaperSettingButton = 1287,
  kBasicOutputLabel = 1136, kBasicOutput = 1138, kBasicOutputIcon = 1140, kBasicUserSettingButton = 1285,
  kBasicAuthButton = 2170, kBasicAuthIcon = 2504,
  kBasicCopiesLabel = 1064, kBasicCopies = 1011, kBasicCopiesSpin = 1012, kBasicCopiesRange = 1126,
  kBasicCopiesIcon = 2260, kBasicCollateIcon = 1111, kBasicCollatePicture = 1203, kBasicCollate = 1014,
  kBasicJobOffsetIcon = 2242, kBasicJobOffsetPicture = 1145, kBasicJobOffset = 1018,
  kBasicOption1Icon = 1195, kBasicOption1 = 1193, kBasicOption2Icon = 1196, kBasicOption2 = 1194,
  kBasicCtl2500 = 2500, kBasicDefault = 1032, kBasicViewToggle = 1130, kBasicWebLink = 1201,
};

// The sheet's part of the session's UI state.
struct BasicUiState {
  uint8_t killActive;  // set while the page is being left: the ranges are checked
};
static_assert(sizeof(BasicUiState) <= kUiStateBasicBytes);
BasicUiState* BasicStateOf(SheetUiState* state);

INT_PTR CALLBACK BasicSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The sheet's tooltip window of refused settings (made at each
// initialisation of a Basic page).

// Set-active: the whole-page constraint pass, the lists filled and the
// settings shown, the fix-ups; also run again after some dialogs.
void Paper1SheetSetActive(HWND dialog, SheetCtx* ctx);
// The enable rules.
void Paper1SheetEnableControls(HWND dialog, SheetCtx* ctx);
// The paper dimension fields from the original and output sizes.
void Paper1SheetSyncUserPaper(SheetCtx* ctx);

// The readers: each takes its control into its field and the field's
// mirrors; false when the value was refused.  A control that the page does
// not hold, or holds hidden, leaves its field as it is.
bool Paper1SheetReadPaperSize(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadOutPaperSize(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadZoomValue(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadOrientation(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadMediaType(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadTray(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadCopies(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadCollate(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadOutputMethod(HWND dialog, SheetCtx* ctx);
bool Paper1SheetReadCtl2500(HWND dialog, SheetCtx* ctx);

// WM_COMMAND of the page; the message's result.
INT_PTR Paper1SheetCommand(HWND dialog, WPARAM wParam, LPARAM lParam);
// The controls whose changes the sheet skeleton commits.
const struct DialogBinding* BasicSheetBindings();

// The transparency interleave question before a change of paper type,
// copies or collation: true to go on (interleaving may have been switched
// off), false when the user keeps interleaving and the caller undoes.
bool ConfirmOhpInterleaveOff(HWND dialog, SheetCtx* ctx, int controlId);

// The dialogs of later parts that the sheet's buttons open (the custom
// size dialog is the sheet's own), each a dialog procedure run with
// MyDialogBox on the sheet context; null until the dialog exists, and its
// button stays disabled.
struct BasicSheetDialogs {
  DLGPROC paperSetting;  // template 130
  DLGPROC autoTray;      // template 164
  DLGPROC userSetting;   // template 132
  DLGPROC userAuth;      // template 2171
};
BasicSheetDialogs& BasicDialogs();


// The Enter-key toggles of the original size, output size and output
// method (process-wide), for tests.
void ResetBasicSheetEnterToggles();
