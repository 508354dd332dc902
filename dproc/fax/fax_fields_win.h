// What the FAX sheet, the fax mode details dialog and the destination dialog
// share on their controls: the filters of the number edits, the send-time,
// sub-address and send-ID checks with or without a message, the clock label,
// and the confirmation of a delayed sending.
#pragma once

#include <windows.h>

#include "common/records/fax_send_block.h"
#include "dproc/fax/fax_field_rules.h"
#include "dproc/fax/fax_send_date.h"

// Controls of the fax options, the same ids on the FAX sheet and in the
// mode details dialog.
enum FaxOptionControl : int {
  kFaxPrtRecFileBox = 1932,
  kFaxTimerSendBox = 1933,
  kFaxSendTimeLabel = 1934,
  kFaxHourEdit = 1935,
  kFaxHourSpin = 1936,
  kFaxMinuteEdit = 1937,
  kFaxMinuteSpin = 1938,
  kFaxClockGroup = 1939,
  kFaxClockLabel = 1940,
  kFaxCopyClockButton = 1941,
  kFaxSubAddressBox = 1942,
  kFaxSubAddressEdit = 1943,
  kFaxSendIdBox = 1944,
  kFaxSendIdEdit = 1945,
  kFaxColonLabel = 2235,
};

// The local time the dialogs show and the delayed-send date starts from;
// tests put a clock of their own in (null: the system's).
using FaxClockFn = void (*)(SYSTEMTIME* now);
void SetFaxClock(FaxClockFn clock);
FaxClock CurrentFaxClock();

// Runs the filter of `set` over an edit's text after a change; the caret
// and selection keep their place among the kept characters.  An empty edit
// is left alone.
void FilterFaxEdit(HWND dialog, int editId, FaxCharSet set);

// Limits the edits and up-down controls and shows `s` in the option
// controls.
void InitFaxOptionControls(HWND dialog);
void ShowFaxOptions(HWND dialog, const FaxSetting& s);
// Shows the present local time as "hh:mm" in label 1940.
void ShowFaxClock(HWND dialog);
// Reads label 1940 ("%d:%d") into the hour and minute edits.
void CopyFaxClockToEdits(HWND dialog);

// The checks.  Each passes without a word when its switch is off; a pass
// stores the edit's value in `s`; a failure stores nothing and, with
// `message`, shows its message box (title 1, text 2 + 502, 3 + 500 or
// 3 + 501).
bool CheckFaxSendTime(HWND dialog, FaxSetting* s, bool message);
bool CheckFaxSubAddress(HWND dialog, FaxSetting* s, bool message);
bool CheckFaxSendId(HWND dialog, FaxSetting* s, bool message);

// The confirmation of the sending date when the job is sent later: true
// when the user confirms (or when there is no text to ask with).
bool ConfirmDelayedSend(HWND owner, const FaxSetting& s);

// Check box state as 0/1.
uint8_t IsBoxChecked(HWND dialog, int id);

// A masked picture of VELDRANW centred in an owner-drawn item: the mask
// with AND, the image with XOR.
void DrawMaskedPicture(const DRAWITEMSTRUCT* item, int imageId, int maskId);
// The picture of the cover-sheet state (10036/10037 with a cover sheet,
// else 10038/10039) on the face colour.
void DrawFaxCoverPicture(const DRAWITEMSTRUCT* item, bool coverSheet);

// A push button with an icon of VELDRANW left of its centred text: the
// frame pushed while selected, the icon (`enabledIcon` or `disabledIcon`)
// as high as the button less 6 pixels and 5 pixels left of the text, never
// left of the inner edge; a disabled text grey over a white copy one pixel
// down and right; the focus rectangle 3 pixels inside.
void DrawIconCheckButton(const DRAWITEMSTRUCT* item, int enabledIcon, int disabledIcon);
