// The Initialize sheet (template 161): user attestation, department
// administration with the access number, e-mail notification, and the
// three dialogs it opens: Attestation Setting (158), Email Setting (159)
// and Department Setting (160).
#pragma once

#include <windows.h>

INT_PTR CALLBACK InitializeSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AttestationSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DepartmentSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EmailSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
