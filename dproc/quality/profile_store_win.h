// The per-user lists of colour profiles resident in the printer: RGB
// source, simulation and destination profiles, each at most 12 records of
// 172 bytes kept under the user's settings key of the printer
// ("...\Printer Resident\<list>"), with a count and one binary value per
// record.  A stored count is capped at 12; a record value of another size
// than 172 bytes is refused (its record stays zero).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/color_profile_record.h"

// Loads a list into `records` (zeroed first, 12 records); `count` is
// written only when the stored count was read.  False when the key does
// not open.
bool LoadResidentProfiles(const wchar_t* driverName, const wchar_t* printerName, ResidentProfileList list,
                          ColorProfileRecord records[kResidentProfilesMax], uint32_t* count);
// Writes the count (at most 12) and the first `count` records; values of
// records past the count stay.  False when the key cannot be made or a
// write fails.
bool SaveResidentProfiles(const wchar_t* driverName, const wchar_t* printerName, ResidentProfileList list,
                          const ColorProfileRecord* records, uint32_t count);

// The same for a printer, named by its handle.
bool LoadResidentProfiles(HANDLE printer, ResidentProfileList list, ColorProfileRecord records[kResidentProfilesMax],
                          uint32_t* count);
bool SaveResidentProfiles(HANDLE printer, ResidentProfileList list, const ColorProfileRecord* records,
                          uint32_t count);
