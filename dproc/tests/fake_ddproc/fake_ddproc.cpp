// A stand-in for VELDRANH that exports only some of its names.
#include <windows.h>

#include <type_traits>

#include "common/contracts/ddproc_functions.h"
#include "common/contracts/ddproc_sheet_functions_win.h"

extern "C" BOOL WINAPI DrawPrinterView(HDC, const RECT*, const void*) { return TRUE; }
extern "C" BOOL WINAPI MIB_IsModelOK(const char*) { return TRUE; }
extern "C" uint32_t DDPROC_CALL DDProc_DlgProc(int32_t, HWND, UINT, WPARAM, LPARAM, int32_t*) { return 0; }
static_assert(std::is_same_v<decltype(&DDProc_DlgProc), DDProcDlgProcFn>);
extern "C" void WINAPI DDProc_DeletePrinterStatus_USB(void*) {}
