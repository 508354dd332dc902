// The device capabilities and device information a PDEV reports to GDI.
#pragma once

#include "drender/ddi/ddi_types.h"
#include "drender/settings/page_frame.h"

struct DeviceCapsInput {
  const PageFrame* frame;
  uint32_t resolutionX;  // dpi
  uint32_t resolutionY;
  uint32_t aspect;       // the aspect value of the resolution row
  uint32_t orientation;  // 1 portrait
};

// The colour description of the device (built-in values).
const COLORINFO& Rdc_DeviceColorInfo();
// Default font, variable-pitch and fixed-pitch ANSI fonts: twelve points at
// the horizontal resolution.
void Rdc_BuildDefaultFonts(LOGFONTW fonts[3], uint32_t resolutionX);
// Zero-fills `size` bytes of `buffer`, then writes at most sizeof(GDIINFO)
// bytes of the capabilities.
void Rdc_FillGdiInfo(const DeviceCapsInput& in, void* buffer, ULONG size);

struct DevInfoInput {
  bool emfSpoolOff;      // the device option EMFSpool is 0
  bool overlayCreate;    // an overlay form is being made from the job
  bool watermarkOrCover; // watermark or fax cover sheet on
  bool windows6OrLater;  // NT platform, major version 6 or more
  const LOGFONTW* fonts; // three
  HPALETTE palette;
};
FLONG Rdc_GraphicsCaps(const DevInfoInput& in);
// Zero-fills `size` bytes of `buffer`, then writes at most sizeof(DEVINFO)
// bytes of the device information.
void Rdc_FillDevInfo(const DevInfoInput& in, void* buffer, ULONG size);
