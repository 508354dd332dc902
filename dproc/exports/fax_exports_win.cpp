// The fax exports of the procedure library: the destination dialog that the
// user interface core opens at the start of a fax job, and the FAX sheet.
#include <windows.h>

#include <type_traits>

#include "common/contracts/fax_dialogs_win.h"
#include "common/win/export_guard.h"
#include "dproc/fax/fax_send_to_dialog_win.h"
#include "dproc/fax/fax_sheet_win.h"

extern "C" int WINAPI Popup_FaxSendToDlg(FaxSendToArgs* args) {
  static_assert(std::is_same_v<decltype(&Popup_FaxSendToDlg), PopupFaxSendToDlgFn>);
  return GuardExport("Popup_FaxSendToDlg", -1, [&] { return RunFaxSendToDialog(args); });
}

// The FAX sheet's procedure, bound by name by the user interface core on
// every message of its page.
extern "C" INT_PTR CALLBACK Prc_DocFaxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static_assert(std::is_same_v<decltype(&Prc_DocFaxProc), DLGPROC>);
  return GuardExport("Prc_DocFaxProc", INT_PTR{0}, [&] { return FaxSheetProc(dialog, message, wParam, lParam); });
}
