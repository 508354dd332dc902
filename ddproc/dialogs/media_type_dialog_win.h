// The Media Type Setting dialogs (templates 155, 165 and 166 of VELDRANG):
// which paper lies in each input tray.  They edit the tray media table of
// the sheet context's device option record in place: each choice is written
// into the selected tray at once and checked against the constraint rules;
// OK keeps what is there, Cancel writes back what all ten trays held when
// the dialog opened.  The creation parameter is the Configure sheet's
// context.  They run on the procedure library's dialog skeleton, which
// keeps a tray's bytes for the undo of a refused choice.
#pragma once

#include <windows.h>

#include <cstdint>

// The dialog procedure of a template; null for other templates.
DLGPROC MediaTypeDialogProc(uint32_t templateId);

INT_PTR CALLBACK MediaTypeDlgProc155(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MediaTypeDlgProc165(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MediaTypeDlgProc166(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
