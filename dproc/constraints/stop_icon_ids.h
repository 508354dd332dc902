// The controls that show stop icons: the 122 owner-drawn icon buttons of
// the sheets and dialogs, in the order of the stop-icon table, with the
// bitmap pair each balloon uses.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kStopIconRows = 122;
extern const uint32_t kStopIconControlIds[kStopIconRows];
// True when the control id is one of the icon buttons.
bool IsStopIconId(uint32_t controlId);
// The image bitmap of an icon (its mask is the next id): 198 tail down,
// 202 tail right, 403 tail up, 405 tail down at the left.
uint16_t StopIconImageOf(uint32_t controlId);
