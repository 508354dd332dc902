// Drawing objects of the test host beyond clips, paths, brushes and colour
// translations: source bitmaps of every format filled from RGB pixels, a
// scaling transform, and a record of the engine's drawing services that
// the driver called.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "drender/ddi/ddi_types.h"
#include "drender/draw/draw_services.h"  // XFORML

// An engine bitmap holding `rgb` (top row first, three bytes per pixel,
// red first) in `format` (BMF_1BPP .. BMF_32BPP), rows top-down or
// bottom-up.  Paletted formats take their pixel values from `indexes`
// (one per pixel) instead; 16-bit pixels are 5-5-5 with blue in the low
// bits; 24- and 32-bit pixels are stored blue, green, red in memory.
class HostBitmap {
 public:
  HostBitmap(uint32_t width, uint32_t height, ULONG format, bool topDown, const std::vector<uint8_t>& rgb,
             const std::vector<uint8_t>& indexes = {});
  ~HostBitmap();
  HostBitmap(const HostBitmap&) = delete;
  HostBitmap& operator=(const HostBitmap&) = delete;
  SURFOBJ* get() const { return surface_; }
  HSURF handle() const { return handle_; }

 private:
  HSURF handle_ = nullptr;
  SURFOBJ* surface_ = nullptr;
};

// The translations of the bitmaps above into the device's 0x00BBGGRR.
ULONG HostXlate_SwapRedBlue(ULONG colour);  // 24/32-bit pixels read as 0x00RRGGBB
ULONG HostXlate_From555(ULONG colour);      // 5-5-5 pixels, blue low

// A transform object whose matrix is a scaling by `scale`.
struct HostXform;
HostXform* HostXform_Scale(float scale);
// A transform object of any matrix (the transform of a font, for text).
HostXform* HostXform_Matrix(const XFORML& matrix);
void HostXform_Free(HostXform* xform);
XFORMOBJ* HostXform_Get(HostXform* xform);

// Calls of the engine's drawing services since the last reset.
struct HostDrawCalls {
  int eraseSurface;
  ULONG eraseColour;
  int strokeAndFillPath;
  int stretchBlt;
  int gradientFill;
  int pathsLive;  // clip paths made and not yet deleted
};
HostDrawCalls& DdiHost_DrawCalls();
