// The watermark of a job, drawn by the user interface core on the
// application's DC at every page end while the render core takes the
// drawing as page content.
#pragma once

#include <windows.h>

#include "common/records/settings_records.h"

// The page-end step: reads the job record, decides whether this page gets
// the watermark and draws it between the two drawing-mode escapes.  -1
// when the job record cannot be read or the drawing mode cannot be
// switched; 1 otherwise (also when the drawing itself failed).
int RunWatermarkStep(HDC dc);

// The whole drawing for one page of `width` x `height` device pixels.
bool DrawWatermark(HDC dc, const DocDMode& doc, int width, int height);

// The TrueType face `face` (exact name, the shared family lookup), else
// Arial, else the first TrueType family the DC has; the result asks for
// `italic`, with width and weight 0.
bool FindWatermarkFont(HDC dc, const wchar_t* face, bool italic, LOGFONTW* out);
