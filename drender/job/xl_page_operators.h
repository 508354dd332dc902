// Session and page operators of the job stream, written through the PDEV's
// encoder (and so through the job's single write path).
#pragma once

#include <cstdint>

#include "drender/settings/page_settings.h"

struct RenderPdev;

// The stream header line ") HP-PCL XL;<class>;<revision>;\n" of the model.
uint32_t XL_WriteStreamHeader(RenderPdev* pdev);
uint32_t XL_BeginSession(RenderPdev* pdev);
uint32_t XL_OpenDataSource(RenderPdev* pdev);
uint32_t XL_CloseDataSource(RenderPdev* pdev);
uint32_t XL_EndSession(RenderPdev* pdev);
// BeginPage with the attributes the snapshot asks for: MediaSource,
// MediaType and the duplex attribute only when they changed.
uint32_t XL_BeginPage(RenderPdev* pdev, PageSettings* snapshot);
uint32_t XL_BeginCurrentPage(RenderPdev* pdev);
uint32_t XL_EndPage(RenderPdev* pdev, uint16_t copies);
uint32_t XL_SetPageOrigin(RenderPdev* pdev);
uint32_t XL_SetPageScale(RenderPdev* pdev, int32_t sx, int32_t sy);
uint32_t XL_SetPageDefaultCTM(RenderPdev* pdev);
uint32_t XL_SetClipToPage(RenderPdev* pdev);
uint32_t XL_ExecStream(RenderPdev* pdev, const char* name);
// The page clip, once per page (when the page-clip state is 0): in N-up the
// cell (or the part of it a zoomed page covers), on an output paper of
// another size than the page's (and on poster tiles) the zoom area, else
// SetClipToPage.
uint32_t XL_SetPageClip(RenderPdev* pdev);
// The page clip due again and written: after each page transform.
uint32_t XL_ClearPageClip(RenderPdev* pdev);
// After a clip that replaced the page clip: the cell or zoom area
// intersected with it (RectanglePath, SetClipIntersect), or nothing when the
// page clip is the page.
uint32_t Gfx_ApplyCellClip(RenderPdev* pdev);
// SetClipReplace of the interior, or SetClipRectangle with a signed box;
// both make the page clip due again and apply the cell clip.
uint32_t XL_SetClipReplace(RenderPdev* pdev);
uint32_t XL_SetClipRectangle16(RenderPdev* pdev, int16_t left, int16_t top, int16_t right, int16_t bottom);
// The printable area of an N-up cell in page units, from the job's page
// frame (turned for 2-up, 6-up and the driver booklet).
void Gfx_GetCellSize(RenderPdev* pdev, uint32_t* w, uint32_t* h);
// The zoom area in dots: the printable area of the page frame, or with a
// zoom value smaller than the paper fit the part of the output paper the
// zoomed page covers.
void Gfx_GetZoomClipSize(RenderPdev* pdev, uint32_t* w, uint32_t* h);
