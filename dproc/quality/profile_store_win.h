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

#pragma pack(push, 1)
struct ColorProfileRecord {
  char16_t profileName[41];
  char16_t downloadName[41];  // compared without regard to case to find a profile again
  uint32_t srcType;           // a value of the description's "Prof_Location" list
  uint32_t reserved;
};
#pragma pack(pop)
static_assert(sizeof(ColorProfileRecord) == 172);
static_assert(offsetof(ColorProfileRecord, downloadName) == 82);
static_assert(offsetof(ColorProfileRecord, srcType) == 164);

inline constexpr uint32_t kResidentProfilesMax = 12;

enum class ResidentProfileList { kRgbSource, kSimulation, kDestination };

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
