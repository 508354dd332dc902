#include "dproc/fax/fax_mode_details_win.h"

#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/sheets/dialog_helpers.h"

namespace {

constexpr int kDefaultButton = 1032;
constexpr int kHelpButton = 9;

// Commands that arrive before the initialisation ends (the edits' change
// notifications while the controls are filled) are not the user's.
bool g_initialised = false;

const DWORD kHelpIds[] = {1932, 20220, 1933, 20230, 1934, 20240, 1935, 20240, 1936, 20240, 1937, 20240,
                          1938, 20240, 1939, 20250, 1940, 20250, 1941, 20260, 1942, 20270, 1943, 20270,
                          1944, 20280, 1945, 20280, 1032, 9510,  0,    0};

FaxSetting* Setting(HWND dialog) { return reinterpret_cast<FaxSetting*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

void ApplyEnableRule(HWND dialog) {
  BOOL timer = IsBoxChecked(dialog, kFaxTimerSendBox);
  for (int id = kFaxSendTimeLabel; id <= kFaxCopyClockButton; ++id) EnableWindow(GetDlgItem(dialog, id), timer);
  EnableWindow(GetDlgItem(dialog, kFaxColonLabel), timer);
  EnableWindow(GetDlgItem(dialog, kFaxSubAddressEdit), IsBoxChecked(dialog, kFaxSubAddressBox));
  EnableWindow(GetDlgItem(dialog, kFaxSendIdEdit), IsBoxChecked(dialog, kFaxSendIdBox));
}

void Init(HWND dialog, FaxSetting* s) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(s));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (const DispStringItem* table = DialogTextTable("Dlg_FaxModeDetails")) ApplyDispStrings(dialog, table);
  CreateDialogToolWindows(dialog);
  StoreStopIconRect(dialog, StopIconTable());
  InitFaxOptionControls(dialog);
  ShowFaxOptions(dialog, *s);
  ShowFaxClock(dialog);
  ApplyEnableRule(dialog);
  g_initialised = true;
}

void Command(HWND dialog, FaxSetting* s, int id, int code) {
  switch (id) {
    case kFaxPrtRecFileBox:
      s->fgPrtRecFile = IsBoxChecked(dialog, id);
      break;
    case kFaxTimerSendBox:
      s->fgTimerSend = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog);
      break;
    case kFaxSubAddressBox:
      s->fgSubAddress = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog);
      break;
    case kFaxSendIdBox:
      s->fgSendID = IsBoxChecked(dialog, id);
      ApplyEnableRule(dialog);
      break;
    case kFaxHourEdit:
    case kFaxMinuteEdit:
      if (code == EN_KILLFOCUS) CheckFaxSendTime(dialog, s, false);
      break;
    case kFaxCopyClockButton:
      CopyFaxClockToEdits(dialog);
      CheckFaxSendTime(dialog, s, false);
      ApplyEnableRule(dialog);
      break;
    case kFaxSubAddressEdit:
      if (code == EN_CHANGE) FilterFaxEdit(dialog, id, FaxCharSet::kDigits);
      break;
    case kFaxSendIdEdit:
      if (code == EN_CHANGE) FilterFaxEdit(dialog, id, FaxCharSet::kSendId);
      break;
    case kDefaultButton: {
      s->fgPrtRecFile = 0;
      s->fgTimerSend = 0;
      s->bySendHour = 0;
      s->bySendMinute = 0;
      s->fgSubAddress = 0;
      s->fgSendID = 0;
      for (char16_t& c : s->szSubAddress) c = 0;
      for (char16_t& c : s->szSendID) c = 0;
      ShowFaxOptions(dialog, *s);
      ApplyEnableRule(dialog);
      SetFocusCtrl(dialog, kDefaultButton);
      break;
    }
    case IDOK:
      if (!CheckFaxSendTime(dialog, s, true)) {
        SetFocusCtrl(dialog, kFaxHourEdit);
      } else if (!CheckFaxSubAddress(dialog, s, true)) {
        SetFocusCtrl(dialog, kFaxSubAddressEdit);
      } else if (!CheckFaxSendId(dialog, s, true)) {
        SetFocusCtrl(dialog, kFaxSendIdEdit);
      } else {
        EndDialog(dialog, IDOK);
      }
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case kHelpButton:
      ShowDriverHelp(dialog, HELP_CONTEXT, 20200);
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR CALLBACK FaxModeDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR hooked = 0;
  if (OfferToDeviceLibrary(kFaxModeDetailsTemplate, dialog, message, wParam, lParam, &hooked)) return hooked;
  switch (message) {
    case WM_INITDIALOG:
      g_initialised = false;
      Init(dialog, reinterpret_cast<FaxSetting*>(lParam));
      return TRUE;
    case WM_COMMAND: {
      FaxSetting* s = Setting(dialog);
      if (!g_initialised || s == nullptr) return FALSE;
      Command(dialog, s, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != kHintBulbControl) return FALSE;
      DrawHintBulbItem(dialog, item);
      return TRUE;
    }
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleDialogHelpMessage(message, wParam, lParam, kHelpIds) ? TRUE : FALSE;
    case WM_DESTROY:
      g_initialised = false;
      return FALSE;
    default:
      return FALSE;
  }
}

intptr_t RunFaxModeDetails(HWND owner, FaxSetting* setting) {
  FaxSetting copy = *setting;
  intptr_t result = RunMyDialogBox(DialogFrameworkModules().templates, owner, kFaxModeDetailsTemplate,
                                   FaxModeDetailDlgProc, reinterpret_cast<LPARAM>(&copy));
  if (result == IDOK) *setting = copy;
  return result;
}
