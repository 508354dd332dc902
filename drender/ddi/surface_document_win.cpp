// The surface GDI draws on, its band plan, and the document and page entry
// points, which keep the document's name and job number and hand the work
// to the job engine.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/win/export_guard.h"
#include "drender/ddi/band_plan.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/ddi_services.h"
#include "drender/job/job_engine.h"
#include "drender/job/job_output.h"
#include "drender/ddi/render_pdev.h"
#include "drender/draw/raster_images.h"

namespace {

constexpr FLONG kSurfaceHooks = 0x225FB;  // BitBlt, StretchBlt, TextOut, Paint, paths, LineTo, CopyBits, ...
constexpr uint32_t kBlockRounding = 65536;

RenderPdev* Checked(DHPDEV handle) {
  if (!Rdc_IsValidPdev(handle)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return reinterpret_cast<RenderPdev*>(handle);
}

RenderPdev* OfSurface(SURFOBJ* surface) {
  return Checked(surface ? reinterpret_cast<DHPDEV>(surface->dhpdev) : nullptr);
}

void DeleteSurface(RenderPdev* pdev) {
  const DdiServices* services = Ddi_Services();
  if (pdev->state.surface && services->EngDeleteSurface) services->EngDeleteSurface(pdev->state.surface);
  pdev->state.surface = nullptr;
}

void FreeOutputBlock(RenderPdev* pdev) {
  RenderOutputBuffer& out = pdev->state.output;
  std::free(out.block);
  out.block = nullptr;
  out.blockSize = 0;
  out.fill = 0;
}

// Tries band counts from the configured minimum to the maximum; the first
// count that gives a surface wins.
HSURF CreateSurface(RenderPdev* pdev, BandPlan* chosen) {
  RenderPdevState& s = pdev->state;
  const DdiServices* services = Ddi_Services();
  if (s.job.paletteKind != 2 && s.job.paletteKind != 3) return nullptr;
  const uint32_t from = s.minBands > 0 ? s.minBands : 1;
  const uint32_t to = s.maxBands < kMaxBands ? s.maxBands : kMaxBands;
  const PageFrame& frame = s.frames[0];
  for (uint32_t n = from; n <= to; ++n) {
    BandPlan plan = Rdc_PlanBands(frame.printableWidthDots, frame.printableHeightDots, n, s.bandOrder,
                                  s.rowAlignment, s.bandGranularity);
    if (plan.count == 0) continue;
    const SIZEL size{static_cast<LONG>(plan.width), static_cast<LONG>(plan.height)};
    HSURF surface = nullptr;
    if (s.job.surfaceKind == 2 && services->EngCreateDeviceSurface) {
      surface = services->EngCreateDeviceSurface(reinterpret_cast<DHSURF>(pdev), size, BMF_24BPP);
    } else if (s.job.surfaceKind == 1 && services->EngCreateBitmap) {
      surface = reinterpret_cast<HSURF>(
          services->EngCreateBitmap(size, static_cast<LONG>(plan.rowBytes), BMF_24BPP, BMF_TOPDOWN, nullptr));
    }
    if (surface) {
      *chosen = plan;
      return surface;
    }
  }
  return nullptr;
}

void FillBands(RenderPdevState& s, const BandPlan& plan) {
  std::memset(s.bands, 0, sizeof s.bands);
  s.bandCount = plan.count;
  for (uint32_t i = 0; i < plan.count && i < kPdevBandRecords; ++i) {
    RenderBand& band = s.bands[i];
    if (s.bandOrder & 1) {
      band.position = POINTL{0, static_cast<LONG>(i * plan.height)};
    } else {
      band.position = POINTL{static_cast<LONG>(i * plan.width), 0};
    }
    band.size = SIZEL{static_cast<LONG>(plan.width), static_cast<LONG>(plan.height)};
    band.rowBytes = plan.rowBytes;
    band.flags = 1;
  }
  s.currentBand = 0;
  s.bandOrigin = s.bands[0].position;
}

void TakeBand(RenderPdevState& s, uint32_t band, POINTL* origin) {
  s.currentBand = band;
  s.bandOrigin = band < kPdevBandRecords ? s.bands[band].position : POINTL{0, 0};
  if (origin) *origin = s.bandOrigin;
}

}  // namespace

extern "C" HSURF APIENTRY DrvEnableSurface(DHPDEV handle) try {
  RenderPdev* pdev = Checked(handle);
  if (!pdev) return nullptr;
  RenderPdevState& s = pdev->state;
  const DdiServices* services = Ddi_Services();
  const bool hadSurface = s.surface != nullptr;
  const bool hadBlock = s.output.block != nullptr;
  bool ok = true;
  if (!hadSurface) {
    BandPlan plan{};
    HSURF surface = CreateSurface(pdev, &plan);
    ok = surface != nullptr;
    if (ok && (!services->EngAssociateSurface || !services->EngAssociateSurface(surface, s.hdev, kSurfaceHooks))) {
      if (services->EngDeleteSurface) services->EngDeleteSurface(surface);
      ok = false;
    }
    if (ok) {
      s.surface = surface;
      s.banding = (plan.count > 1 || s.forcedBanding) ? 1 : 0;
      if (s.banding && services->EngMarkBandingSurface) services->EngMarkBandingSurface(surface);
      FillBands(s, plan);
      s.surfaceFormat = s.job.paletteKind;
      s.surfaceWidth = plan.width;
      s.surfaceHeight = plan.height;
      s.surfaceRowBytes = plan.rowBytes;
    }
  }
  if (ok && !s.output.block) {
    // A surface enabled again after a disable gets the capacity back.
    if (s.output.capacity == 0) s.output.capacity = s.job.outputBufferSize;
    const uint64_t wanted = uint64_t{s.output.capacity} + kOutputBufferHead;
    const uint64_t size = (wanted + kBlockRounding - 1) / kBlockRounding * kBlockRounding;
    s.output.block = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(size)));
    ok = s.output.block != nullptr;
    if (ok) {
      s.output.blockSize = static_cast<uint32_t>(size);
      s.output.fill = 0;
    }
  }
  if (!ok) {
    if (!hadSurface) DeleteSurface(pdev);
    if (!hadBlock) FreeOutputBlock(pdev);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  XL_CacheLifetime(&s.gs, kXlLifetimeSurfaceBuild);
  return s.surface;
} catch (...) {
  return ExportFailed("DrvEnableSurface", HSURF{nullptr});
}

extern "C" VOID APIENTRY DrvDisableSurface(DHPDEV handle) try {
  RenderPdev* pdev = Checked(handle);
  if (!pdev) return;
  DeleteSurface(pdev);
  FreeOutputBlock(pdev);
  pdev->state.output.capacity = 0;
  XL_CacheLifetime(&pdev->state.gs, kXlLifetimeSurfaceEnd);
} catch (...) {
  ExportFailed("DrvDisableSurface");
}

extern "C" BOOL APIENTRY DrvStartDoc(SURFOBJ* surface, LPWSTR docName, DWORD jobId) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  RenderPdevState& s = pdev->state;
  if (docName) {
    std::memset(s.docName, 0, sizeof s.docName);
    size_t n = 0;
    while (n < kPdevNameChars - 1 && docName[n]) ++n;
    std::memcpy(s.docName, docName, n * sizeof(wchar_t));
  }
  s.jobNumber = jobId;
  if (jobId != 0) s.lastJobNumber = jobId;
  return TRUE;
} catch (...) {
  return ExportFailed("DrvStartDoc", BOOL{FALSE});
}

extern "C" BOOL APIENTRY DrvStartPage(SURFOBJ* surface) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  RenderPdevState& s = pdev->state;
  ++s.pageCounter;
  ++s.docPageCount;
  ++s.totalPageCount;
  if (s.banding) return TRUE;
  if (s.pageCounter == 1) {
    Rdc_StartJob(pdev);
    s.output.jobFlags |= kJobStarted;
  }
  Rdc_StartPage(pdev);
  TakeBand(s, 0, nullptr);
  return TRUE;
} catch (...) {
  return ExportFailed("DrvStartPage", BOOL{FALSE});
}

extern "C" BOOL APIENTRY DrvSendPage(SURFOBJ* surface) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  if (pdev->state.banding) return TRUE;
  Rdc_EndPage(pdev);
  Rdc_FlushOutput(pdev);
  return TRUE;
} catch (...) {
  return ExportFailed("DrvSendPage", BOOL{FALSE});
}

extern "C" BOOL APIENTRY DrvEndDoc(SURFOBJ* surface, FLONG flags) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  RenderPdevState& s = pdev->state;
  // An aborted document sends nothing more to the spooler.
  if (flags & ED_ABORTDOC) s.output.jobFlags |= kJobWriteFailed;
  s.lastJobNumber = 0;
  s.headerWritten = 0;
  if (s.output.jobFlags & kJobStarted) {
    Rdc_EndJob(pdev);
    s.output.jobFlags &= ~kJobStarted;
  }
  Rdc_FlushOutput(pdev);
  Img_ReleaseJpegLibrary(pdev);
  s.pageCounter = 0;
  s.docPageCount = 0;
  s.output.jobFlags = 0;
  s.engine.cellCounter = 0;
  s.engine.sheetOpen = 0;
  return TRUE;
} catch (...) {
  return ExportFailed("DrvEndDoc", BOOL{FALSE});
}

extern "C" BOOL APIENTRY DrvStartBanding(SURFOBJ* surface, POINTL* origin) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  TakeBand(pdev->state, 0, origin);
  return TRUE;
} catch (...) {
  return ExportFailed("DrvStartBanding", BOOL{FALSE});
}

extern "C" BOOL APIENTRY DrvNextBand(SURFOBJ* surface, POINTL* origin) try {
  RenderPdev* pdev = OfSurface(surface);
  if (!pdev) return FALSE;
  RenderPdevState& s = pdev->state;
  if (s.currentBand == 0) {
    if (s.pageCounter == 1 && !(s.output.jobFlags & kJobStarted)) {
      Rdc_StartJob(pdev);
      s.output.jobFlags |= kJobStarted;
    }
    Rdc_StartPage(pdev);
  }
  const uint32_t next = s.currentBand + 1;
  if (next >= s.bandCount) {
    Rdc_EndPage(pdev);
    Rdc_FlushOutput(pdev);
    s.currentBand = 0;
    if (origin) *origin = POINTL{-1, -1};
    return TRUE;
  }
  TakeBand(s, next, origin);
  return TRUE;
} catch (...) {
  return ExportFailed("DrvNextBand", BOOL{FALSE});
}
