// The standard 220-byte DEVMODEW as the settings code reads and writes it
// without <windows.h>: the printer fields by name, the display fields as
// opaque bytes.  Little-endian, byte-packed, the same in every build.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"

#pragma pack(push, 1)
struct PublicDevMode {
  char16_t dmDeviceName[32];
  uint16_t dmSpecVersion;
  uint16_t dmDriverVersion;
  uint16_t dmSize;
  uint16_t dmDriverExtra;
  uint32_t dmFields;
  int16_t dmOrientation;
  int16_t dmPaperSize;
  int16_t dmPaperLength;
  int16_t dmPaperWidth;
  int16_t dmScale;
  int16_t dmCopies;
  int16_t dmDefaultSource;
  int16_t dmPrintQuality;
  int16_t dmColor;
  int16_t dmDuplex;
  int16_t dmYResolution;
  int16_t dmTTOption;
  int16_t dmCollate;
  char16_t dmFormName[32];
  uint8_t displayFields[22];  // dmLogPixels to dmDisplayFrequency
  uint32_t dmICMMethod;
  uint32_t dmICMIntent;
  uint32_t dmMediaType;
  uint32_t dmDitherType;
  uint32_t dmReserved1;
  uint32_t dmReserved2;
  uint32_t dmPanningWidth;
  uint32_t dmPanningHeight;
};
#pragma pack(pop)
static_assert(sizeof(PublicDevMode) == kDevModeWSize);
static_assert(offsetof(PublicDevMode, dmSpecVersion) == kDevModeSpecVersionAt);
static_assert(offsetof(PublicDevMode, dmSize) == kDevModeSizeAt);
static_assert(offsetof(PublicDevMode, dmDriverExtra) == kDevModeDriverExtraAt);
static_assert(offsetof(PublicDevMode, dmFields) == 72);
static_assert(offsetof(PublicDevMode, dmOrientation) == 76);
static_assert(offsetof(PublicDevMode, dmCollate) == 100);
static_assert(offsetof(PublicDevMode, dmFormName) == 102);
static_assert(offsetof(PublicDevMode, dmICMMethod) == 188);
static_assert(offsetof(PublicDevMode, dmMediaType) == 196);

// dmFields bits the settings merge reads.
inline constexpr uint32_t kDmOrientation = 0x1;
inline constexpr uint32_t kDmPaperSize = 0x2;
inline constexpr uint32_t kDmCopies = 0x100;
inline constexpr uint32_t kDmDefaultSource = 0x200;
inline constexpr uint32_t kDmPrintQuality = 0x400;
inline constexpr uint32_t kDmDuplex = 0x1000;
inline constexpr uint32_t kDmYResolution = 0x2000;
inline constexpr uint32_t kDmMediaType = 0x2000000;
