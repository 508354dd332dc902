// The drawing entry points' view of the PDEV: the job description the
// writers take, the common steps of every drawing call, and the settings
// they read.
#pragma once

#include "drender/ddi/ddi_types.h"
#include "drender/draw/draw_job.h"

struct RenderPdev;

// The PDEV of a drawing call's destination surface, or null when it fails
// the check.
RenderPdev* Draw_PdevOf(SURFOBJ* surface);
// Fills the job description from the PDEV's settings and the model.
DrawJob Draw_JobOf(RenderPdev* pdev);
// The common steps after the PDEV check: the page-drawn flag is set; false
// when nothing is to be drawn (the band is not drawn, the job is dropped).
// `firstOnPage` (when given) tells whether this is the page's first call.
bool Draw_Begin(RenderPdev* pdev, bool* firstOnPage = nullptr);
// The brush source of a drawing call's brush: a solid colour, a realised
// hatch or pattern, or the halftone of a transparent watermark while the
// user interface core draws; 0 when nothing is to be painted with it.
uint32_t Draw_BrushSource(DrawJob* job, BRUSHOBJ* brush, bool allowBlack);
// The job's print-with-black rule for this call (its option 1, while the
// user interface core is not drawing).
bool Draw_PrintWithBlack(RenderPdev* pdev);
// The rule for a gradient fill: print with black on whatever its option,
// without an overlay form being made or printed, while the user interface
// core is not drawing.
bool Draw_GradientPrintWithBlack(RenderPdev* pdev);
// The settings the entry points read.
bool Draw_GrayMode(RenderPdev* pdev);
