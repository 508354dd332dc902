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
// The page clip, once per page (when the page-clip state is 0).
uint32_t XL_SetPageClip(RenderPdev* pdev);
