// The fax exports of the procedure library: the destination dialog that the
// user interface core opens at the start of a fax job, the FAX sheet, and the
// cover-sheet setting dialog of both.
#include <windows.h>

#include <cstring>
#include <type_traits>

#include "common/contracts/fax_dialogs_win.h"
#include "common/win/export_guard.h"
#include "dproc/fax/fax_send_to_dialog_win.h"
#include "dproc/fax/fax_sheet_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"

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

// The cover-sheet setting dialog on the caller's record (changed only on OK).
extern "C" int WINAPI FaxCoverSheet_PopupDialog(HWND parent, const wchar_t* printerName, const wchar_t* driverName,
                                                uint32_t editable, uint8_t* coverSheet, const DocDMode* docDMode,
                                                uint32_t recipientCount, const FaxRecipientEntry* recipients) {
  static_assert(std::is_same_v<decltype(&FaxCoverSheet_PopupDialog), FaxCoverSheetPopupDialogFn>);
  return GuardExport("FaxCoverSheet_PopupDialog", -1, [&] {
    if (coverSheet == nullptr) return -1;
    FaxCoverSheetData record;
    std::memcpy(&record, coverSheet, sizeof record);
    const int result = RunFaxCoverSheetDialog(parent, printerName, driverName, editable, &record, docDMode,
                                              recipientCount, recipients);
    if (result == 1) std::memcpy(coverSheet, &record, sizeof record);
    return result;
  });
}
