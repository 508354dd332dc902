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

// Page facts that the render core writes into the copy of the record it
// hands out, at the same places in both builds (the user interface core
// reads nothing else of the render core's own state).
inline constexpr uint32_t kJobRecordPageWidthAt = 14756;       // u32, device pixels
inline constexpr uint32_t kJobRecordPageHeightAt = 14760;      // u32
inline constexpr uint32_t kJobRecordSheetCompleteAt = 16172;   // u32, the N-up sheet is full
inline constexpr uint32_t kJobRecordLogicalPageAt = 23672;     // u16, 1 on the first page
inline constexpr uint32_t kJobRecordTabTableAt = 23860;        // u32, non-zero: a tab-paper table is held
inline constexpr uint32_t kJobRecordStoredPageAt = 23888;      // u32, index of the current stored page
inline constexpr uint32_t kJobRecordPageCounterAt = 23908;     // u32, sides of the pages ended so far
inline constexpr uint32_t kJobRecordLastTabAt = 23952;         // u32, last automatic tab position
inline constexpr uint32_t kJobRecordTabCaptureAt = 23968;      // u32, a tab capture is held
static_assert(kJobRecordTabCaptureAt + 4 <= kJobRecordSecondMarkerAt);

static_assert(kJobRecordDocAt == 232);
static_assert(kJobRecordMagicAt == 8264);
static_assert(kJobRecordDevDModeAt == 8268);
static_assert(kJobRecordDevOptionAt == 8400);
static_assert(kJobRecordSettingsAt + kWorkDevModeSize == 9512);
static_assert(kJobRecordSecondMarkerAt + 2 <= kJobRecordSize);
