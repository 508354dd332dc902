// The XL clip of a drawing call, made to match GDI's clip object, and GDI
// path objects written as XL paths.
#pragma once

#include "drender/ddi/ddi_types.h"
#include "drender/draw/draw_job.h"

struct RenderPdev;

// Makes the printer's clip match `clip` (may be null): a rectangle, a clip
// path, or the page.  A clip object whose id, kind and bounds equal the
// last one written is not written again (an id of 0 never matches); a
// complex clip whose path equals the last clip path is not written again.
uint32_t Gfx_OutputClipAndPath(RenderPdev* pdev, DrawJob* job, CLIPOBJ* clip);
// Writes the path's figures into the current XL path; with asClip the path
// becomes the clip (even-odd), unless it equals the last clip path.
uint32_t Gfx_EnumPath(RenderPdev* pdev, DrawJob* job, PATHOBJ* path, bool asClip);
// Frees the copies of the last clip path.
void Gfx_FreeClipPathCache(XlStateCache* gs);
