// The fax dialogs that the procedure library VELDRANA exports, and the
// phone-book library VELDRANY that they load per call: the argument block of
// the destination dialog, the cover-sheet setting dialog, and the three
// functions of the phone book.  Exporters and binders include this header.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/fax_send_block.h"

// The argument block with which the user interface core opens the
// destination dialog at the start of a fax job: six pointers to buffers of
// the caller, filled in place.
struct FaxSendToArgs {
  uint32_t* pdwRecipientCount;       // set to 0 by the dialog; the count on OK
  FaxRecipientEntry* pRecipients;    // 100 slots, zeroed by the dialog
  uint8_t* pCoverSheet;              // kFaxCoverSheetDataSize bytes: the job's cover sheet
  FaxSetting* pFaxSetting;           // the job's fax settings, changed for this job
  HANDLE* phPrinter;                 // the job's printer
  const DocDMode* pDocDMode;         // a copy of the job's settings (read only)
};

// Runs the destination dialog: 1 OK, 2 Cancel (also for a block with a null
// pointer), -1 when the dialog could not be shown.
using PopupFaxSendToDlgFn = int(WINAPI*)(FaxSendToArgs* args);
inline constexpr char kPopupFaxSendToDlg[] = "Popup_FaxSendToDlg";

// The cover-sheet setting dialog: parent, printer name, driver name,
// editable flag, the cover data (in and out), the document's settings (read
// only), the destination count and the destinations (may be null).  1 OK
// (the record changed), 2 Cancel, -1 failure.
using FaxCoverSheetPopupDialogFn = int(WINAPI*)(HWND parent, const wchar_t* printerName,
                                                const wchar_t* driverName, uint32_t editable,
                                                uint8_t* coverSheet, const DocDMode* docDMode,
                                                uint32_t recipientCount, const FaxRecipientEntry* recipients);
inline constexpr char kFaxCoverSheetPopupDialog[] = "FaxCoverSheet_PopupDialog";

// The phone book, an outside library beside VELDRANA.
inline constexpr wchar_t kPhoneBookLibrary[] = L"VELDRANY.DLL";
// The description file the phone book is told about, without a path.
inline constexpr char kPhoneBookModelFile[] = "VELDRANH.QXD";

// Lets the user pick destinations: may change the 100 slots and the count
// (below 100 on the call) and sets one flag byte per slot (100 bytes, 0 on
// the call).  Non-zero: the list changed.
using AddFromPhoneBookFn = int(WINAPI*)(HWND owner, FaxRecipientEntry* slots, uint32_t* count, uint8_t* flags,
                                        const char* modelFile);
inline constexpr char kAddFromPhoneBook[] = "AddFromPhoneBook";
// Stores `count` (1) destinations; non-zero when they were stored.
using RegistToPhoneBookFn = int(WINAPI*)(uint32_t* count, FaxRecipientEntry* entries);
inline constexpr char kRegistToPhoneBook[] = "RegistToPhoneBook";
// Runs the phone book's own editor; `documentMode` is 1 for document
// properties.  The result is not used.
using EditPhoneBookFn = int(WINAPI*)(HWND owner, const char* modelFile, uint32_t documentMode);
inline constexpr char kEditPhoneBook[] = "EditPhoneBook";
