// The leading part of the render core's job record as the user interface
// core receives it with the job-data escape.  The whole record is the render
// core's PDEV, whose size follows the processor type; its leading part is
// the job's settings (a driver DEVMODE followed by the device settings) at
// the same offsets in both builds.  A user interface core pairs only with
// the render core of its own processor type.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"

inline constexpr uint32_t kJobRecordSize = sizeof(void*) == 8 ? 27752 : 27368;
inline constexpr uint16_t kJobRecordMarker = 0x8940;
inline constexpr uint32_t kJobRecordMarkerAt = 0;           // u16
inline constexpr uint32_t kJobRecordSizeAt = 4;             // u32
inline constexpr uint32_t kJobRecordSettingsAt = 8;         // WorkDevMode
inline constexpr uint32_t kJobRecordDocAt = kJobRecordSettingsAt + kDriverDevModeDocAt;  // 232
inline constexpr uint32_t kJobRecordMagicAt = kJobRecordSettingsAt + offsetof(DriverDevMode, magic);
inline constexpr uint32_t kJobRecordDevDModeAt = kJobRecordSettingsAt + kDriverDevModeSize;
inline constexpr uint32_t kJobRecordDevOptionAt = kJobRecordDevDModeAt + kDevDModeOptionAt;
inline constexpr uint32_t kJobRecordSecondMarkerAt = 25352;  // u16

static_assert(kJobRecordDocAt == 232);
static_assert(kJobRecordMagicAt == 8264);
static_assert(kJobRecordDevDModeAt == 8268);
static_assert(kJobRecordDevOptionAt == 8400);
static_assert(kJobRecordSettingsAt + kWorkDevModeSize == 9512);
static_assert(kJobRecordSecondMarkerAt + 2 <= kJobRecordSize);
