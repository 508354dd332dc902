// The list positions the document settings keep into the side data of the
// sheets (the overlay form list, the watermark lists), held to the lists as
// they are.
#pragma once

#include <cstdint>

#include "common/records/settings_records.h"

// A form count of 0 switches the overlay off and clears the form position;
// otherwise a form position outside the list becomes 0.  A watermark
// position not below the printer's and the user's watermarks together
// becomes 0, and the result is then true.
bool ClampListPositions(uint32_t formCount, uint32_t printerMarks, uint32_t userMarks, DocDMode* settings);
