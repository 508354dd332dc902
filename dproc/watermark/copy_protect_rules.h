// The copy-protect stamp's rules without windows: the device's answer about
// the stamps registered on it, the distribution number as it is printed,
// and the colour pictures of the stamp lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kDeviceStampSlots = 8;
// The answer: a 32-bit count, then 8 entries of 48 bytes (a 32-bit stamp
// number 1-8, a registered byte, the name as UTF-8 in the other 43 bytes).
inline constexpr size_t kDeviceStampAnswerBytes = 388;
inline constexpr size_t kDeviceStampEntryBytes = 48;
inline constexpr size_t kDeviceStampNameBytes = 43;
inline constexpr size_t kDeviceStampNameChars = 31;

// The stamps the device has registered, by stamp number (slot 0 is stamp 1).
struct DeviceStamps {
  bool registered[kDeviceStampSlots] = {};
  std::u16string names[kDeviceStampSlots];
};

// Reads the device's answer (`size` bytes at `answer`; a short or missing
// answer registers nothing).  Of the first `count` entries (at most 8), an
// entry with the registered byte and a stamp number 1-8 registers that stamp
// under its name: read only within its 43 bytes, up to the first zero byte,
// and cut to 31 characters.
DeviceStamps ReadDeviceStampAnswer(const uint8_t* answer, size_t size);

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
