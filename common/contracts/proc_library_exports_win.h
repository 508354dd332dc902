// The other exports of the procedure library VELDRANA, bound by name by the
// device library, the sheets and the host tools: their names and shapes.
// VELDRANA's definitions check their types against these.
#pragma once

#include <windows.h>

#include <cstdint>

struct DispStringItem;  // dproc/model/disp_strings.h

// The document record inside a driver DEVMODE, or null with the reason set
// as the last error.  Also exported as ordinal 6.
using FindOEMDevPtrFn = void*(WINAPI*)(DEVMODEW* devmode);
inline constexpr WORD kFindOEMDevPtrOrdinal = 6;
// The maker's name, cut to capacity - 1 characters; the rest is zeroed.
using GetCompanyNameFn = void(WINAPI*)(wchar_t* out, int capacity);
// The image resource library VELDRANW, or null when it did not load.
using GetImgResInstFn = HMODULE(WINAPI*)();
// 1 when the maker's download manager is installed.
using IsInstalledDLManagerFn = int(WINAPI*)();
using SetUIAesKeyInfoFn = void(WINAPI*)(HANDLE printer);
using SetDispStringSingleFn = int(WINAPI*)(HMODULE module, const char* section, const char* key, wchar_t* dst,
                                           UINT capacity);
using ReplaceDlgDispStringFn = int(WINAPI*)(HWND dialog, const DispStringItem* table);
using ReplaceDlgDispStringCmnItemFn = int(WINAPI*)(HWND dialog, const DispStringItem* table, UINT pageId);
using DoConstraintsFn = int32_t(WINAPI*)(int32_t bindOnly, HWND dialog, HWND tooltip, uint16_t controlId,
                                         int32_t mode);

inline constexpr char kFindOEMDevPtr[] = "FindOEMDevPtr";
inline constexpr char kGetCompanyName[] = "GetCompanyName";
inline constexpr char kGetImgResInst[] = "GetImgResInst";
inline constexpr char kIsInstalledDLManager[] = "IsInstalledDLManager";
inline constexpr char kSetUIAesKeyInfo[] = "SetUIAesKeyInfo";
inline constexpr char kSetDispStringSingle[] = "SetDispStringSingle";
inline constexpr char kReplaceDlgDispString[] = "ReplaceDlgDispString";
inline constexpr char kReplaceDlgDispStringCmnItem[] = "ReplaceDlgDispStringCmnItem";
inline constexpr char kDoConstraints[] = "DoConstraints";

// The device's authentication options brought into a device option record
// (the user interface core's device query); 1 when they were read, with
// *changed non-zero when a value slot changed.
struct DevOption;
using OapiGetAuthDevOptionFn = BOOL(WINAPI*)(HANDLE printer, const char* address, DevOption* option,
                                             BOOL* changed);
inline constexpr char kOapiGetAuthDevOption[] = "OAPI_GetAuthDevOption";

// The dialog framework's exports, bound by name by the device library for
// its own dialogs.
// Runs a dialog of `module`'s template `templateId` modally; the EndDialog
// result, or -1 when no dialog was created.
using MyDialogBoxFn = int32_t(WINAPI*)(HMODULE module, HWND parent, UINT templateId, DLGPROC proc, LPARAM context);
// Builds and shows (or collapses) the hint area of a page.
using DispHintControlFn = void(WINAPI*)(HWND dialog, void* context, UINT pageId);
// Stores the rectangles of the stop icons the dialog holds.
using StoreStopIconRectExpFn = void(WINAPI*)(HWND dialog);
// The dialog's tooltip windows: one per stop icon, and its own (returned).
using CreateToolWndFn = HWND(WINAPI*)(HWND dialog);
// Shows or hides the stop icon of a control (item: WM_DRAWITEM's, or null).
using ReqDrawStopInfoIconExpFn = void(WINAPI*)(HWND dialog, UINT controlId, const DRAWITEMSTRUCT* item);

inline constexpr char kMyDialogBox[] = "MyDialogBox";
inline constexpr char kDispHintControl[] = "DispHintControl";
inline constexpr char kStoreStopIconRectExp[] = "StoreStopIconRectExp";
inline constexpr char kCreateToolWnd[] = "CreateToolWnd";
inline constexpr char kReqDrawStopInfoIconExp[] = "ReqDrawStopInfoIconExp";
