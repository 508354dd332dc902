// The replay of a job whose pages the render core lays out itself: N-up
// sheets (several pages scaled into the cells of one sheet), poster pages
// (one page enlarged over several sheets, each showing one tile) and driver
// booklets (pages reordered two to a sheet side so that the folded stack
// reads in order).  Pages outside any layout in such a job are placed as
// plain pages (origin, zoom or fit scale, shifts).
#pragma once

#include <cstdint>

struct PageFrame;
struct RenderPdev;

// True when a stored page of the job is in driver layout or is a poster
// page: the job is then replayed by Layout_ReplayPages.
bool Layout_JobNeedsLayout(RenderPdev* pdev);

// Replays every stored page of the job through `buffer` (kEntryPieceSize
// bytes), `copies` copies of each sheet.  1, or 0 when a page's bytes could
// not be copied out.
uint32_t Layout_ReplayPages(RenderPdev* pdev, uint8_t* buffer, uint16_t copies);

// The origin, scale and clip of a plain page (not in driver layout) before
// its content: the job frame's margins or the page centred on a different
// output paper, plus the binding and image shifts; the zoom or the fit
// scale; the binding reduction.  `poster` leaves the clip alone.
void Layout_SetupDirectPage(RenderPdev* pdev, bool poster);
// The origin of a plain page: the job frame's margins, or the page centred
// on a different output paper, plus the binding and image shifts.
void Layout_DirectOrigin(RenderPdev* pdev, int32_t* x, int32_t* y);
// The paper-fit percent of a page printed on another output paper (the
// zoom value is taken against it), and the frame of the paper a page is
// printed on in an orientation: the output paper when one other than the
// document's is chosen, else the document's.
uint32_t Layout_FitPercent(RenderPdev* pdev, bool driverLayout);
// The zoom value against that fit percent (ZoomValue x 100 div it, 0
// counting as 100 for both).
uint32_t Layout_ZoomOverFitPercent(RenderPdev* pdev, bool driverLayout);
void Layout_OutputFrame(RenderPdev* pdev, uint8_t orientation, PageFrame* frame);
// The percent a page is reduced to so that its binding margin fits: 100
// unless the binding shift is on in reduce mode.
uint32_t Layout_BindingReducePercent(RenderPdev* pdev);
// The pages of a job that the driver prints as covers: the front cover's
// pages (0, 1 or 2 from the first) and where the back cover begins (the
// page count when there is none), by the first page's settings.
void Layout_BookletCoverPages(RenderPdev* pdev, uint32_t* frontPages, uint32_t* backStart);
