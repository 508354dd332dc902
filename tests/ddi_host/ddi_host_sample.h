// A sample page of drawings for the sample fax job and the benchmark: a
// synthetic photo and shapes drawn through the render core's entry points.
#pragma once

#include <cstdint>
#include <vector>

#include "drender/ddi/ddi_types.h"

class DdiHost;

// A smooth picture with soft edges, like a photo: `width` x `height` RGB
// pixels, top row first.  The same for the same arguments.
std::vector<uint8_t> SamplePhoto(uint32_t width, uint32_t height);

// Draws filled and stroked paths (lines, Béziers, dashes), a rectangle and
// a complex clip, solid, hatch and bitmap-pattern brushes, and the photo
// (photoWidth x photoHeight, 24-bit, bottom-up) stretched into the page's
// lower half.  False when a drawing call failed.
bool DrawSamplePage(DdiHost& host, SURFOBJ* surface, uint32_t photoWidth = 1200, uint32_t photoHeight = 800);
