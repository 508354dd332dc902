// Every modal dialog of the procedure library and of the device library
// runs through MyDialogBox: the template comes from a resource module
// (VELDRANG as a rule) and the dialog runs from a private copy that suits
// the platform.  Outside the NT family the copy takes the system's GUI
// font; from Windows 6.0 on a standard template loses its caption's
// context-help button.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/dialogs/dialog_template.h"

// The GUI font's point size, face name (kGuiFaceUnits) and LOGFONT; each
// output may be null.
void GetGuiFontInfo(uint16_t* pointSize, wchar_t* face, LOGFONTW* font);
// The GUI font as the template patch takes it.
GuiFontFacts CurrentGuiFontFacts();

// Size of the copy of template `id` with the GUI font, 0 when the template
// is missing; with a buffer of at least that size, the copy is written.
uint32_t LoadDialogTemplate(HMODULE module, uint16_t id, void* buffer, uint32_t capacity);

// The platform as MyDialogBox asks for it.
struct DialogPlatform {
  bool known;        // the version query succeeded
  bool ntFamily;
  bool vistaOrLater;
};
DialogPlatform CurrentDialogPlatform();

// Runs the dialog modally; the result given to EndDialog, or -1 when no
// dialog was created.
intptr_t MyDialogBoxOn(const DialogPlatform& platform, HMODULE module, HWND parent, uint16_t templateId,
                       DLGPROC proc, LPARAM context);
intptr_t RunMyDialogBox(HMODULE module, HWND parent, uint16_t templateId, DLGPROC proc, LPARAM context);

// The dialogs a sheet opens from its buttons: the template from the
// template library, modal over `owner`, with the sheet's context.  A test
// puts a runner of its own in place of the real one (null restores it).
using SheetDialogRunner = intptr_t (*)(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context);
void SetSheetDialogRunner(SheetDialogRunner runner);
intptr_t RunSheetDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context);
