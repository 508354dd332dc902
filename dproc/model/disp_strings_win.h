// Putting display texts on dialogs, and looking one text up in the
// description file beside a module.
#pragma once

#include <windows.h>

#include "dproc/model/disp_strings.h"

// Sets the texts of a table on a dialog: the first record's text becomes the
// dialog's caption, every other record's text the text of each of its
// controls (ids up to the first 0; -1 and empty texts are passed over).
// Returns 1.
int ApplyDispStrings(HWND dialog, const DispStringItem* table);
// The same for the common items: records 1 to 5 are passed over and the
// first record is set on the control of its id.
int ApplyCommonDispStrings(HWND dialog, const DispStringItem* table);

// Opens "VELDRANH.QXD" in the directory of `module`, looks `key` up in
// `section` and copies its text into `dst` (at most `capacity` - 1 units).
// 1 when the key was found; 0 when the file cannot be opened or the key is
// absent.  The destination is unchanged when the text is empty.
int LookUpDisplayText(HMODULE module, const char* section, const char* key, wchar_t* dst, UINT capacity);
