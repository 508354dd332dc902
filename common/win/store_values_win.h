// Reading counts and records from the registry and from printer data by the
// rules of common/records/stored_counts.h.  Every store of the driver reads
// its counts and fixed-size records through these functions: a count that
// is missing or not a 4-byte value reads as 0 and is capped at its
// consumer's maximum; a record is read only when the stored value is
// exactly its size, and the caller's buffer is left untouched otherwise.
#pragma once

#include <windows.h>

#include <cstdint>

// The registry value `name` of `key` into `out` when it holds exactly
// `size` bytes (of any type).
bool Store_ReadRegRecord(HKEY key, const wchar_t* name, void* out, DWORD size);
// A 4-byte count, 0 when missing or of another size, at most `maximum`.
uint32_t Store_ReadRegCount(HKEY key, const wchar_t* name, uint32_t maximum);

// The same for the printer data value `name` of `printer`.
bool Store_ReadPrinterRecord(HANDLE printer, const wchar_t* name, void* out, DWORD size);
uint32_t Store_ReadPrinterCount(HANDLE printer, const wchar_t* name, uint32_t maximum);
