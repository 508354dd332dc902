// The Option dialog of the Easy Set Edit dialog (template 170): which
// groups applying an Easy Set takes from it (the resolution, the original
// size and orientation, the watermark lists, the shared watermark list as
// well).  It edits the four restore options of the request and writes them
// only on OK.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/easy_set_record.h"
#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kEasySetOptionTemplate = 170;
inline constexpr uint32_t kEasySetOptionBoxes = 4;

struct EasySetOptionRequest {
  SheetCtx* ctx;     // the sheet session the Edit dialog belongs to
  uint8_t* restore;  // the restore option bytes of the Easy Set being edited
  // Whether the user may administer the printer: only then may an Easy Set
  // restore the shared watermark list.
  bool admin;
};

INT_PTR CALLBACK EasySetOptionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 1 after OK (the options written), 2 after Cancel.
intptr_t OpenEasySetOptionDialog(HWND owner, EasySetOptionRequest* request);
