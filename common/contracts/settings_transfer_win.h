// The procedure library's settings import and export, which the render
// core's application escapes forward to: each takes the printer's name and
// a settings file's path (narrow texts) and returns an error code (0 for
// success); the message function returns a narrow text for a code.
#pragma once

#include <windows.h>

#include "common/contracts/settings_transfer_codes.h"

using SettingsTransferFn = DWORD(WINAPI*)(const char* printerName, const char* filePath);
using SettingsErrorMessageFn = const char*(WINAPI*)(DWORD code);

inline constexpr char kSprinstSettingExport[] = "SPRINST_SettingExport";
inline constexpr char kSprinstSettingImport[] = "SPRINST_SettingImport";
inline constexpr char kSprinstPersonalInfoImport[] = "SPRINST_PersonalInfoImport";
inline constexpr char kSprinstDefaultSetting[] = "SPRINST_DefaultSetting";
inline constexpr char kSprinstGetErrorMsg[] = "SPRINST_GetErrorMsg";
