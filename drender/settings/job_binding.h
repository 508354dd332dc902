// Duplex and binding fix-ups that a requested duplex mode implies for the
// job's document settings, and the N-up kind they depend on.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Binding edge values.
enum : uint8_t {
  kBindLongEdgeLeft = 0,
  kBindLongEdgeRight = 1,
  kBindLongEdgeTop = 2,
  kBindLongEdgeBottom = 3,
  kBindShortEdgeLeft = 4,
  kBindShortEdgeRight = 5,
  kBindShortEdgeTop = 6,
  kBindShortEdgeBottom = 7,
  kBindAuto = 14,
  kBindLeft = 15,
  kBindRight = 16,
  kBindTop = 17,
};

// `Nup_op` while `Nup` is on (the poster layouts 7, 8 and 9 count as 0),
// else 0.
uint32_t Rdc_GetNupKind(const DocDMode* doc);
// 2-up and 6-up put the pages on a sheet of the other orientation.
bool Rdc_IsRotatingNupKind(uint32_t kind);

// A four-side-binding model: the edge for a request of 1 (one-sided), 2
// (long edge) or 3 (short edge).  1 when the edge changed.
int Rdc_AdjustEdgeBinding(DocDMode* doc, int request);
// A booklet the device makes, asked for two-sided: the edge for the
// caller's orientation.  1 when the edge changed.
int Rdc_AdjustBookletBinding(DocDMode* doc, int16_t callerOrientation);
// Two-sided on the other models: `DoubleSides` 2, and an automatic edge
// made definite when it would bind on the other side than the caller's
// flipping asks for.  1 when a value changed.
int Rdc_AdjustAutoBinding(DocDMode* doc, int16_t callerOrientation, int16_t callerDuplex, const ModelInfo* model);
