// The orientation and feed-direction rules of the paper view that the
// sheets and the settings model share.  Values: orientation 1 portrait,
// 2 landscape; feed directions are binding-edge codes (0-7 long and short
// edges, 12-17), 15 and 17 being the portrait and landscape feeds.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

inline constexpr uint32_t kFeedPortrait = 15;
inline constexpr uint32_t kFeedLandscape = 17;
inline constexpr uint32_t kAutoBinding = 14;
inline constexpr uint32_t kAutoTray = 7;
inline constexpr uint32_t kSelectedTray = 32767;

// The N-up kind of the settings: "Nup_op" when N-up is on and it is not a
// poster kind (7-9), else 0.
uint32_t GetNupKind(const DocDMode* doc);
uint32_t GetEffectiveOrientation(const ModelInfo* model, const DocDMode* doc);
uint32_t GetTrayFeedDirection(const ModelInfo* model, uint32_t paperId, uint32_t effectiveOrientation,
                              const DocDMode* doc);
uint32_t GetPaperFeedDirection(const ModelInfo* model, const DocDMode* doc);
int IsPaperRotated(const ModelInfo* model, const DocDMode* doc);
int IsEffectivePortrait(const ModelInfo* model, const DocDMode* doc, bool combinationView);
// 1 when the sheet lies landscape, 0 otherwise, -1 for an unknown N-up kind.
int GetBindingSide(const DocDMode* doc);
int32_t GetTrayMediaType(const ModelInfo* model, uint32_t trayCode, const DocDMode* doc);
uint32_t GetTraySlotIndex(uint32_t trayCode, const DocDMode* doc);
