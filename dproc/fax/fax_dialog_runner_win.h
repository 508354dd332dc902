// Running the fax dialogs from the dialog templates of VELDRANG.
#pragma once

#include <windows.h>

#include <cstdint>

// The template library; null looks up the loaded VELDRANG.DLL.  Tests hand
// in the build tree's copy.
void SetFaxTemplateModule(HMODULE module);
HMODULE FaxTemplateModule();

// Runs template `templateId` modally; the dialog's end code, -1 when it
// could not be created.
intptr_t RunFaxDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM param);
