// The watermark edit dialog's preview: a small monochrome picture of the
// paper with the watermark on it, drawn off-screen and copied into the
// dialog's owner-drawn control in one piece.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/settings_records.h"
#include "common/records/watermark_info.h"

inline constexpr int kWatermarkPreviewControl = 1693;

// What the preview draws, kept up to date by the watermark sheet and the
// edit dialog.
struct WatermarkPreviewRecord {
  int32_t paperWidth, paperHeight;  // the oriented paper, tenths of a millimetre
  int32_t pageWidth, pageHeight;    // the same in points
  char16_t text[64];                // at most 63 characters
  LOGFONTW font;                    // height in points, positive
  uint32_t color;                   // as stored; the top byte is not drawn
  int32_t posX, posY;               // percent
  int32_t frame;
  RECT paperRect;                   // where the paper sat in the control last
};

// The paper (tenths of a millimetre), its points with it.
void SetWatermarkPreviewPaper(WatermarkPreviewRecord* record, int32_t width, int32_t height);
// Text, font, colour, position and frame from a watermark; the face as the
// display lists it, else the default GUI font's attributes with the
// watermark's face name ("Courier" drawn as "Courier New").  Null does
// nothing.
void SetupWatermarkFont(WatermarkPreviewRecord* record, const WaterMarkInfo* mark);
// 1 regular, 2 italic, 3 bold, 4 bold italic; other values change nothing.
void SetWatermarkFontStyle(WatermarkPreviewRecord* record, int32_t style);
// Draws into the dialog's control 1693 the watermark `settings` holds
// (angle, transparency, repeat from its WmkInfo; corner marks when an
// overlay is on) with the record's geometry, text, font and colour.
void DrawWatermarkPreview(WatermarkPreviewRecord* record, HWND dialog, const DocDMode* settings);
// The same into `dc` over the client rectangle `client`, which
// DrawWatermarkPreview copies to the control.
void DrawWatermarkPreviewInto(WatermarkPreviewRecord* record, HDC dc, const RECT& client, const DocDMode* settings);
