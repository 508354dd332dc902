// A stand-in for VELDRANH that exports only some of its names.
#include <windows.h>

#include "common/contracts/ddproc_functions.h"

extern "C" BOOL WINAPI DrawPrinterView(HDC, const RECT*, const void*) { return TRUE; }
extern "C" BOOL WINAPI MIB_IsModelOK(const char*) { return TRUE; }
extern "C" LRESULT WINAPI DDProc_DlgProc(int, HWND, UINT, WPARAM, LPARAM, DWORD*) { return 0; }
extern "C" void WINAPI DDProc_DeletePrinterStatus_USB(void*) {}
