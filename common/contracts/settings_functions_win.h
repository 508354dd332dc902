// The settings functions of the procedure library VELDRANA, which the user
// interface core (and, for the default input paper, the render core) binds
// by name: their names and the shape of each.  VELDRANA's definitions and
// every stand-in check their types against these.  "reserved" is always 0.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

// 0x100, the dmDriverVersion of the driver.
using PrcGetDriverVersionFn = DWORD(WINAPI*)();
// Always TRUE; fills the document record with defaults, then the standard fields.
using PrcResetDocDModeFn = BOOL(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                         const wchar_t* printerName);
using PrcResetDevDModeFn = BOOL(WINAPI*)(DevDMode* device, DWORD reserved, const wchar_t* printerName);
// Copies the built-in device options; no library of the driver binds it.
using PrcResetDevOptionFn = void(WINAPI*)(DevOption* option);
using PrcUpdateCmnDModeAreaFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DevDMode* device,
                                              DWORD reserved, const wchar_t* printerName);
// The device options are only read (a private copy is made of them).
using PrcMergeDModeFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                      const DEVMODEW* input, const wchar_t* printerName,
                                      const DevOption* option);
using PrcNormalizeDModeFn = void(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DWORD reserved,
                                          const wchar_t* printerName);
// A signed 32-bit answer, -1 when the capability is not supported.
using PrcDeviceCapabilitiesFn = LONG(WINAPI*)(DEVMODEW* devmode, DocDMode* doc, DevDMode* device,
                                              DWORD reserved, WORD capability, void* output);
// Copies the locale's default paper keyword (at most size - 1 characters
// and a NUL) and returns its length + 1; non-zero means a keyword.
using PrcGetDefaultInPaperKeyFn = int(WINAPI*)(char* out, int size);
// Installs the Easy Set presets of the description for a printer.
using SetEasySetPresetFn = BOOL(WINAPI*)(const wchar_t* printerName);
// The same for a printer the caller opened with administrator access.
using SetEasySetPresetByHandleFn = BOOL(WINAPI*)(HANDLE printer);

inline constexpr char kPrcGetDriverVersion[] = "Prc_GetDriverVersion";
inline constexpr char kPrcResetDocDMode[] = "Prc_ResetDocDMode";
inline constexpr char kPrcResetDevDMode[] = "Prc_ResetDevDMode";
inline constexpr char kPrcResetDevOption[] = "Prc_ResetDevOption";
inline constexpr char kPrcUpdateCmnDModeArea[] = "Prc_UpdateCmnDModeArea";
inline constexpr char kPrcMergeDMode[] = "Prc_MergeDMode";
inline constexpr char kPrcNormalizeDMode[] = "Prc_NormalizeDMode";
inline constexpr char kPrcDeviceCapabilities[] = "Prc_DeviceCapabilities";
inline constexpr char kPrcGetDefaultInPaperKey[] = "Prc_GetDefaultInPaperKey";
inline constexpr char kSetEasySetPreset[] = "SetEasySetPreset";
inline constexpr char kSetEasySetPresetByHandle[] = "SetEasySetPresetByHandle";
// Adds to the printer's public watermarks the description's defaults it
// lacks.
using PrcRegDefWMarkWFn = BOOL(WINAPI*)(const wchar_t* printerName);
inline constexpr char kPrcRegDefWMarkW[] = "Prc_RegDefWMarkW";
// The same for a printer named in the ANSI code page.
using PrcRegDefWMarkAFn = BOOL(WINAPI*)(const char* printerName);
inline constexpr char kPrcRegDefWMarkA[] = "Prc_RegDefWMarkA";
