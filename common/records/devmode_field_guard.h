// Which fields of a caller's DEVMODE may be read: a field counts only when it
// lies wholly inside the record's dmSize (and the bytes the caller handed
// over).  The merges of the procedure library, the core and the render core
// each decide what to do with a field; this is the one place that decides
// whether it is there to read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/public_devmode.h"

// A dmFields bit and the bytes of the field it names.
struct DevModeFieldExtent {
  uint32_t bit;
  uint16_t offset;
  uint16_t size;
};

#define DEVMODE_FIELD(bit, member) {bit, offsetof(PublicDevMode, member), sizeof(PublicDevMode::member)}
// The display fields are opaque bytes in PublicDevMode: dmLogPixels (2),
// dmBitsPerPel, dmPelsWidth, dmPelsHeight, dmNup, dmDisplayFrequency (4 each).
#define DEVMODE_DISPLAY_FIELD(bit, at, size) {bit, offsetof(PublicDevMode, displayFields) + (at), size}
inline constexpr DevModeFieldExtent kDevModeFieldExtents[] = {
    DEVMODE_FIELD(0x1, dmOrientation),          DEVMODE_FIELD(0x2, dmPaperSize),
    DEVMODE_FIELD(0x4, dmPaperLength),          DEVMODE_FIELD(0x8, dmPaperWidth),
    DEVMODE_FIELD(0x10, dmScale),               DEVMODE_FIELD(0x100, dmCopies),
    DEVMODE_FIELD(0x200, dmDefaultSource),      DEVMODE_FIELD(0x400, dmPrintQuality),
    DEVMODE_FIELD(0x800, dmColor),              DEVMODE_FIELD(0x1000, dmDuplex),
    DEVMODE_FIELD(0x2000, dmYResolution),       DEVMODE_FIELD(0x4000, dmTTOption),
    DEVMODE_FIELD(0x8000, dmCollate),           DEVMODE_FIELD(0x10000, dmFormName),
    DEVMODE_DISPLAY_FIELD(0x20000, 0, 2),       DEVMODE_DISPLAY_FIELD(0x40000, 2, 4),
    DEVMODE_DISPLAY_FIELD(0x80000, 6, 4),       DEVMODE_DISPLAY_FIELD(0x100000, 10, 4),
    DEVMODE_DISPLAY_FIELD(0x40, 14, 4),         DEVMODE_DISPLAY_FIELD(0x400000, 18, 4),
    DEVMODE_FIELD(0x800000, dmICMMethod),       DEVMODE_FIELD(0x1000000, dmICMIntent),
    DEVMODE_FIELD(0x2000000, dmMediaType),      DEVMODE_FIELD(0x4000000, dmDitherType),
    DEVMODE_FIELD(0x8000000, dmPanningWidth),   DEVMODE_FIELD(0x10000000, dmPanningHeight),
};
#undef DEVMODE_DISPLAY_FIELD
#undef DEVMODE_FIELD

// The bytes of a caller's DEVMODE that may be read: its dmSize, no more than
// the bytes given.
constexpr size_t DevModeUsableBytes(uint16_t dmSize, size_t given) { return dmSize < given ? dmSize : given; }

// True when `size` bytes at `offset` lie inside the first `usable` bytes.
constexpr bool DevModeCovers(size_t usable, size_t offset, size_t size) { return offset + size <= usable; }

// The extent of a dmFields bit; size 0 for a bit no field answers to.
constexpr DevModeFieldExtent DevModeFieldOf(uint32_t bit) {
  for (const DevModeFieldExtent& field : kDevModeFieldExtents) {
    if (field.bit == bit) return field;
  }
  return {bit, 0, 0};
}

// True when `fields` sets `bit` and its field lies inside the first `usable` bytes.
constexpr bool DevModeHasField(uint32_t fields, size_t usable, uint32_t bit) {
  const DevModeFieldExtent field = DevModeFieldOf(bit);
  return (fields & bit) != 0 && field.size != 0 && DevModeCovers(usable, field.offset, field.size);
}

// `fields` without the bits whose field reaches past the first `usable` bytes
// (bits no field answers to are kept).
constexpr uint32_t DevModeFieldsInside(uint32_t fields, size_t usable) {
  for (const DevModeFieldExtent& field : kDevModeFieldExtents) {
    if (!DevModeCovers(usable, field.offset, field.size)) fields &= ~field.bit;
  }
  return fields;
}

static_assert(DevModeHasField(0x1, 78, 0x1) && !DevModeHasField(0x1, 77, 0x1));
static_assert(DevModeFieldsInside(0x2000000 | 0x20, 199) == 0x20);
