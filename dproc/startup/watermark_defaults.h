// The built-in watermarks, the watermark fonts and the "none" texts of the
// watermark and overlay lists, as the description file sets them at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"
#include "common/records/watermark_info.h"

inline constexpr size_t kDefaultWatermarks = 20;
inline constexpr size_t kWatermarkFonts = 32;
inline constexpr size_t kNoneTextUnits = 48;
inline constexpr uint32_t kMonochromeWatermarkColor = 0x808080;

// The default watermark list; it ends at the first record without a title.
extern WaterMarkInfo g_defaultWatermarks[kDefaultWatermarks];
extern char16_t g_watermarkNoneText[kNoneTextUnits];
extern char16_t g_watermarkFonts[kWatermarkFonts][32];
extern char16_t g_defaultWatermarkFace[32];
extern char16_t g_overlayNoneText[kNoneTextUnits];

// "Watermark": replaces the default list (at most 20 records) when the
// section exists; on a model without colour every watermark is grey.
void LoadDefaultWatermarks(QxdContext* ctx, bool colorDevice);
// "WM_Font": the font list (at most 32 faces) and the default face.
void LoadWatermarkFonts(QxdContext* ctx);
// "Overlay": the "none" text of the overlay list.
void LoadOverlayNoneText(QxdContext* ctx);
