// The copy-protect stamp's rules without windows: the stamps registered on
// the device, the distribution number as it is printed, and the colour
// pictures of the stamp lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kDeviceStampSlots = 8;

// The stamps the device has registered, by stamp number (slot 0 is stamp 1),
// with the names it gave them (empty: none).
struct DeviceStamps {
  bool registered[kDeviceStampSlots] = {};
  std::u16string names[kDeviceStampSlots];
};

inline constexpr uint32_t kDistributionNumberLowest = 1;
inline constexpr uint32_t kDistributionNumberHighest = 99999999;
// The distribution number as printed: with eight digits and leading zeros,
// or (`onlyNeeded`) with the digits it needs.
std::u16string DistributionNumberText(uint32_t number, bool onlyNeeded);

// The colour picture of a stamp colour value: 1 black, 2 red, 3 green,
// 4 blue, 5 yellow, 6 magenta, 7 cyan; any other value black.
int StampColourBitmap(uint32_t value);
// On the copy-protect method page only black, magenta and cyan have a
// picture; 0 for any other value.
int MethodPageColourBitmap(uint32_t value);
inline constexpr int kStampColourMask = 1063;
