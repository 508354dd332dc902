// The settings functions of the procedure library VELDRANA as the user
// interface core binds them by name: their names and the shape of each.
// "reserved" is always 0.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

using PrcGetDriverVersionFn = DWORD(WINAPI*)();
using PrcResetDocDModeFn = BOOL(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                         const wchar_t* printerName);
using PrcResetDevDModeFn = BOOL(WINAPI*)(DevDMode* device, DWORD reserved, const wchar_t* printerName);
using PrcUpdateCmnDModeAreaFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DevDMode* device,
                                              DWORD reserved, const wchar_t* printerName);
using PrcMergeDModeFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                      const DEVMODEW* input, const wchar_t* printerName,
                                      DevOption* option);
using PrcNormalizeDModeFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                          const wchar_t* printerName);
using PrcDeviceCapabilitiesFn = DWORD(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DevDMode* device,
                                               DWORD reserved, WORD capability, void* output);
// Installs the Easy Set presets of the description for a printer.
using SetEasySetPresetFn = BOOL(WINAPI*)(const wchar_t* printerName);

inline constexpr char kPrcGetDriverVersion[] = "Prc_GetDriverVersion";
inline constexpr char kPrcResetDocDMode[] = "Prc_ResetDocDMode";
inline constexpr char kPrcResetDevDMode[] = "Prc_ResetDevDMode";
inline constexpr char kPrcUpdateCmnDModeArea[] = "Prc_UpdateCmnDModeArea";
inline constexpr char kPrcMergeDMode[] = "Prc_MergeDMode";
inline constexpr char kPrcNormalizeDMode[] = "Prc_NormalizeDMode";
inline constexpr char kPrcDeviceCapabilities[] = "Prc_DeviceCapabilities";
inline constexpr char kSetEasySetPreset[] = "SetEasySetPreset";
