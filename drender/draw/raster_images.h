// Raster images: the two image engines behind the blit entry points, the
// gray conversion of gray-mode jobs, the image writer (BeginImage,
// ReadImage blocks, EndImage) and the JPEG path through VELDRANL.
#pragma once

#include "drender/ddi/ddi_types.h"
#include "drender/draw/draw_job.h"

struct RenderPdev;

// Bit 1: translate each pixel; bit 2: exchange red and blue; bit 3: drop
// the fourth byte.  A null translation is the identity.
uint32_t Img_GetXlateMode(XLATEOBJ* xlate, uint32_t bits, bool flag32);

BOOL Img_BitBlt(RenderPdev* pdev, SURFOBJ* target, SURFOBJ* source, SURFOBJ* mask, CLIPOBJ* clip, XLATEOBJ* xlate,
                RECTL* targetRect, POINTL* sourcePoint, POINTL* maskPoint, BRUSHOBJ* brush, POINTL* brushOrigin,
                ROP4 rop4);
BOOL Img_StretchBlt(RenderPdev* pdev, CLIPOBJ* clip, SURFOBJ* source, SIZEL size, POINTL* sourcePoint,
                    RECTL* targetRect, XLATEOBJ* xlate, BRUSHOBJ* brush, ROP4 rop4, bool noClip, bool gradient);
// Sends the source rectangle (size at sourcePoint) as one image over the
// destination rectangle.  1, also when nothing of the source is left after
// clipping to the surface; 0 for an unknown format or a failed allocation.
BOOL Img_WriteImage(RenderPdev* pdev, DrawJob* job, SURFOBJ* source, SIZEL size, POINTL sourcePoint,
                    const RECTL& targetRect, XLATEOBJ* xlate, bool blt, bool flag32);
// Sends a 16-, 24- or 32-bit image as one JPEG block.  1 when it was sent,
// 0 when not (nothing written).
BOOL Img_JpegEncode(RenderPdev* pdev, DrawJob* job, SURFOBJ* source, POINTL sourcePoint, SIZEL size, uint32_t bits,
                    const RECTL& targetRect, uint32_t xlateMode);

// Frees the JPEG encoder library, loaded at a job's first JPEG image and
// kept for the job's other images: at the end of the job and with the PDEV.
void Img_ReleaseJpegLibrary(RenderPdev* pdev);

// Whether a ROP3 uses its source.
bool Img_RopUsesSource(uint8_t rop3);
