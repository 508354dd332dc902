#include "dproc/fax/fax_mode_details_win.h"

#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/sheets/dialog_helpers.h"

namespace {


// Commands that arrive before the start ends (the edits' change
// notifications while the controls are filled) are not the user's.
bool g_initialised = false;

const DWORD kHelpIds[] = {1932, 20220, 1933, 20230, 1934, 20240, 1935, 20240, 1936, 20240, 1937, 20240,
                          1938, 20240, 1939, 20250, 1940, 20250, 1941, 20260, 1942, 20270, 1943, 20270,
                          1944, 20280, 1945, 20280, 1032, 9510,  0,    0};

// The dialog edits a copy of the fax settings, its context.
FaxSetting* Setting(SheetCtx* ctx) { return reinterpret_cast<FaxSetting*>(ctx); }

void ApplyEnableRule(HWND dialog, SheetCtx*) {
  BOOL timer = IsBoxChecked(dialog, kFaxTimerSendBox);
  for (int id = kFaxSendTimeLabel; id <= kFaxCopyClockButton; ++id) EnableWindow(GetDlgItem(dialog, id), timer);
  EnableWindow(GetDlgItem(dialog, kFaxColonLabel), timer);
  EnableWindow(GetDlgItem(dialog, kFaxSubAddressEdit), IsBoxChecked(dialog, kFaxSubAddressBox));
  EnableWindow(GetDlgItem(dialog, kFaxSendIdEdit), IsBoxChecked(dialog, kFaxSendIdBox));
}

void Init(HWND dialog, SheetCtx* ctx) {
  g_initialised = false;
  InitFaxOptionControls(dialog);
  ShowFaxOptions(dialog, *Setting(ctx));
  ShowFaxClock(dialog);
}
void Started(HWND, SheetCtx*) { g_initialised = true; }

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  FaxSetting* s = Setting(ctx);
  // Commands that arrive while the controls are filled are not the user's.
  if (!g_initialised) return true;
  switch (id) {
    case kFaxPrtRecFileBox:
      s->fgPrtRecFile = IsBoxChecked(dialog, id);
      return true;
    case kFaxTimerSendBox:
      s->fgTimerSend = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog, ctx);
      return true;
    case kFaxSubAddressBox:
      s->fgSubAddress = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog, ctx);
      return true;
    case kFaxSendIdBox:
      s->fgSendID = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog, ctx);
      return true;
    case kFaxHourEdit:
    case kFaxMinuteEdit:
      if (code == EN_KILLFOCUS) CheckFaxSendTime(dialog, s, false);
      return true;
    case kFaxCopyClockButton:
      CopyFaxClockToEdits(dialog);
      CheckFaxSendTime(dialog, s, false);
      ApplyEnableRule(dialog, ctx);
      return true;
    case kFaxSubAddressEdit:
      if (code == EN_CHANGE) FilterFaxEdit(dialog, id, FaxCharSet::kDigits);
      return true;
    case kFaxSendIdEdit:
      if (code == EN_CHANGE) FilterFaxEdit(dialog, id, FaxCharSet::kSendId);
      return true;
    default:
      return false;
  }
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  FaxSetting* s = Setting(ctx);
  s->fgPrtRecFile = 0;
  s->fgTimerSend = 0;
  s->bySendHour = 0;
  s->bySendMinute = 0;
  s->fgSubAddress = 0;
  s->fgSendID = 0;
  for (char16_t& c : s->szSubAddress) c = 0;
  for (char16_t& c : s->szSendID) c = 0;
  ShowFaxOptions(dialog, *s);
}

// OK checks the time, the sub-address and the sender ID in that order.
bool Ok(HWND dialog, SheetCtx* ctx) {
  FaxSetting* s = Setting(ctx);
  if (!CheckFaxSendTime(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxHourEdit);
  } else if (!CheckFaxSubAddress(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxSubAddressEdit);
  } else if (!CheckFaxSendId(dialog, s, true)) {
    SetFocusCtrl(dialog, kFaxSendIdEdit);
  } else {
    return true;
  }
  return false;
}

void Destroy(HWND) { g_initialised = false; }

const DocumentDialog kDialog = {
    .templateId = kFaxModeDetailsTemplate,
    .textSection = "Dlg_FaxModeDetails",
    .helpIds = kHelpIds,
    .helpTopic = 20200,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .started = Started,
    .enableRules = ApplyEnableRule,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .destroy = Destroy,
};

}  // namespace

INT_PTR CALLBACK FaxModeDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

intptr_t RunFaxModeDetails(HWND owner, FaxSetting* setting) {
  FaxSetting copy = *setting;
  intptr_t result = RunMyDialogBox(DialogFrameworkModules().templates, owner, kFaxModeDetailsTemplate,
                                   FaxModeDetailDlgProc, reinterpret_cast<LPARAM>(&copy));
  if (result == IDOK) *setting = copy;
  return result;
}
