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
