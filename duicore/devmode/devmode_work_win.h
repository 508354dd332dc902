// The user interface core's handling of DEVMODEs: validation of a caller's
// DEVMODE, the working record built from the printer's stored settings and
// a caller's DEVMODE, the driver defaults and the standard DEVMODE head.
// Every settings decision is the procedure library's (Prc_* functions,
// bound by name at each use).
#pragma once

#include <windows.h>

#include "common/win/driver_ui_interface_win.h"
#include "common/records/settings_records.h"

// Flags of BuildWorkDevMode.
inline constexpr DWORD kBuildSave = 0x0001;       // store the device settings, announce the change
inline constexpr DWORD kBuildOutDevMode = 0x0002;  // hand out the 8260-byte DEVMODE
inline constexpr DWORD kBuildMergeInput = 0x0008;  // merge a caller's DEVMODE
inline constexpr DWORD kBuildOutWork = 0x1000;     // hand out the whole 9504-byte record
inline constexpr DWORD kBuildMergeInput2 = 0x2000;

// The standard fields that every DEVMODE of the core claims.
inline constexpr DWORD kHeadFields = 0x02003F0F;
inline constexpr DWORD kHostRuleFields = 0x2400;  // print quality, y-resolution

// The driver version that the procedure library reports (0 without it).
DWORD DriverVersion();

// True when `devmode` is a complete DEVMODE of this driver.  The sizes it
// declares are checked before anything beyond them is read.
bool ValidateDevMode(const DEVMODEW* devmode);

// The standard part of a caller's DEVMODE in a 220-byte record of its own:
// the bytes it declares (at most 220; the rest zero), dmSize set to the bytes
// taken, no driver extra, and no field bit for a field that lies beyond
// them.  False (record all zero) when the DEVMODE is null or too short to
// carry dmFields.
bool CopyCallerPublicPart(const DEVMODEW* devmode, DEVMODEW* out);

void CopyPrivateArea(DriverDevMode* to, const DriverDevMode* from);

// The standard head: versions, sizes, dmFields, then the head rules: the
// collate field (off) for a model that asks for it, and the host rule.
void WriteStandardHead(DEVMODEW* devmode);
void ApplyHeadRules(DEVMODEW* devmode);

bool LoadPrivateDevMode(WorkDevMode* work, HANDLE printer, const wchar_t* printerName);
bool SavePrivateDevMode(const WorkDevMode* work, HANDLE printer, const wchar_t* printerName);
BOOL ResetWorkDevMode(WorkDevMode* work, HANDLE printer, const wchar_t* printerName);
void SetDevModeHead(WorkDevMode* work, HANDLE printer, const wchar_t* printerName);

// Builds the working record and hands it out as `flags` ask.  `out` is an
// 8260-byte DEVMODE buffer, or a 9504-byte record with kBuildOutWork.
// Returns 9504 for flags 0 (nothing else happens), 0 when memory fails,
// else 1.
DWORD BuildWorkDevMode(void* out, const DEVMODEW* input, HANDLE printer, const wchar_t* printerName,
                       DWORD flags);

// The document properties without sheets: the DEVMODE size for a size
// query, else 1 (IDOK) with the DEVMODE built into the header's output; -1
// when the caller's output buffer is smaller than a DEVMODE of ours or
// memory fails.  The header's cbOut is set to 8260.
LONG QueryDevModeWithoutSheets(DOCUMENTPROPERTYHEADER* header);

extern "C" BOOL WINAPI _UdcResetSelfDMode(void* work, HANDLE printerOrName, const wchar_t* printerName);
