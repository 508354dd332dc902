// The sample pictures beside the brightness, contrast and chroma sliders of
// the colour pages: a picture of the image library, adjusted on a copy with
// the slider's value, drawn through its mask into an owner-drawn button.
#pragma once

#include <windows.h>

#include <cstdint>

// Pictures and masks of the image library (48 x 48).
inline constexpr int kBrightnessSample = 485, kBrightnessSampleMask = 486;
inline constexpr int kChromaSample = 487, kChromaSampleMask = 488;
inline constexpr int kContrastSample = 489, kContrastSampleMask = 490;

// Draws picture `pictureId` through mask `maskId` at the centre of the
// item, adjusted by the slider values (-9..+9).  Nothing is drawn when
// either bitmap is missing from `images`.
void DrawColorSamplePicture(const DRAWITEMSTRUCT* item, HMODULE images, int pictureId, int maskId, int32_t brightness,
                            int32_t contrast, int32_t chroma);

// Whether the chroma change uses the system's HLS conversion (true when
// shlwapi offers both of its functions) or the hue/saturation/value one;
// tests force the latter.
void UseSystemHlsForSamples(bool use);
