// The marks the finishing and cover sheets put on the model's option rows:
// the staple positions and hole-punch kinds that the current binding edge
// rules out, and whether the booklet and poster layouts can be chosen.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Clears the unavailable mark of every staple position and punch kind.
void ClearStaplePunchMarks(ModelInfo* model);
// Marks the staple positions and punch kinds that the binding edge of the
// settings rules out (each by its own row's flag for the edge).  Marks are
// only added.  Nothing on a model that binds on four edges, or for an edge
// other than left, right and top.
void MarkStaplePunchByEdge(ModelInfo* model, const DocDMode* doc);

// 0 when the "Booklet" print type (any case) is marked unavailable, else 1.
int IsBookletSelectable();
// 0 when one of the poster layouts "2x2", "3x3" or "4x4" is marked
// unavailable, else 1.
int IsPosterLayoutSelectable();
