// Binding-edge rules of the settings merge: when an application's DEVMODE
// asks for duplex printing, the private binding edge is brought into line
// with the requested duplex direction, the orientation and the rotation
// that N-up and combination printing impose.  Each returns 1 when it changed
// the settings, else 0.
#pragma once

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// The automatic binding codes "LeftBinding"/"RightBinding" against
// "TopBinding", by the layout and the DEVMODE's orientation (1 portrait,
// 2 landscape).
int FixBindingEdgeByLayout(DocDMode* doc, int dmOrientation);
// Duplex on; an "AutoBinding" edge becomes the left or top binding that the
// duplex direction (2 vertical, 3 horizontal), the orientation and the
// paper feed call for.
int ResolveAutoBindingForDuplex(const ModelInfo* model, DocDMode* doc, int dmOrientation, int dmDuplex);
// Four-edge models: the binding edge moves into the edge group (left/right
// or top/bottom, long or short edge) that the duplex direction (1-3) and
// the layout call for.
int SetBindingEdgeForDuplex(DocDMode* doc, int direction);
