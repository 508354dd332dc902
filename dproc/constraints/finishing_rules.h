// The finishing rules built into the driver: staple and punch positions
// that depend on the feed direction, and the controls whose change may move
// them.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"

inline constexpr uint32_t kFeedDirectionFirst = 15;  // 15, 16, 17

// The refusal text entry ("CstMessageStr") of a staple value for a feed
// direction, or 0.
uint32_t GetStapleRefusalText(const ModelInfo* model, int32_t staple, uint32_t direction);
uint32_t GetHolePunchRefusalText(const ModelInfo* model, int32_t punch, uint32_t direction);
// The change text entry ("ChgMessageStr") of a staple or punch value for a
// feed direction, or 0; `replacement` gets the value to change to (0: none).
uint32_t GetStapleChange(const ModelInfo* model, int32_t staple, uint32_t direction, int32_t* replacement);
uint32_t GetHolePunchChange(const ModelInfo* model, int32_t punch, uint32_t direction, int32_t* replacement);
// 1 for the controls whose change may move a staple or punch position,
// unless the model binds on four edges.
int IsFinishingControl(const ModelInfo* model, uint32_t controlId);
// The staple option of a per-page staple code; false for an unknown code.
bool PerPageStapleToOption(int32_t code, int32_t* option);
