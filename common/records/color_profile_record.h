// A colour profile as the settings and the per-user lists of profiles
// resident in the printer keep it: 172 bytes, the same layout as the
// profile records inside the document settings.
#pragma once

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

// The three lists of profiles resident in the printer, in this order.
enum class ResidentProfileList { kRgbSource, kSimulation, kDestination };
inline constexpr size_t kResidentProfileLists = 3;

// Where a sheet session keeps its lists (in its UI state): a block of
// kResidentProfilesMax records and the count of valid ones per list; a
// null block is an empty list.
struct ResidentProfileUiState {
  ColorProfileRecord* lists[kResidentProfileLists];
  uint32_t counts[kResidentProfileLists];
};
