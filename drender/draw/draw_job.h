// What the drawing writers need of a job: the encoder and graphics-state
// cache it writes through, and the settings that shape colours, patterns
// and image compression.  Filled from the PDEV for each drawing call
// (draw_job_win.cpp); pure code takes it as it is.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_writer.h"
#include "drender/job/xl_state_cache.h"

// Row compression of images and patterns.
enum : uint8_t {
  kImgModeNone = 0,
  kImgModePackBits = 1,
  kImgModeJpeg = 2,
  kImgModeDeltaRow = 3,
};

struct DrawJob {
  XlEncoder* enc;
  XlStateCache* gs;
  uint8_t grayMode;        // every colour is sent as a gray level
  uint8_t printWithBlack;  // the job's print-with-black setting (option 1) while the UI core is not drawing
  uint8_t largePatterns;   // pattern cells are drawn four times as large
  uint8_t deltaRowAllowed; // the device's protocol class is above 2.0
  uint8_t compression;     // job preference: kImgMode*
  uint8_t jpegSubMode;     // 0 to 2
  uint8_t jpegQuality;
  uint8_t saveBlankPaper;  // blank pages are dropped: drawing marks the page
  uint16_t resolutionX;    // dpi
  uint16_t resolutionY;
  uint32_t* definedSignature;  // of the pattern the page defined last (may be null)
  // The user interface core draws a transparent watermark: solid brushes
  // become a halftone of the watermark's colour.
  uint8_t watermarkHalftone;
  uint8_t watermarkSolidCell;  // the model's watermark kind 2: the cell is solid
  uint32_t watermarkColour;    // 0x00BBGGRR
};

// Sets a content bit of the page when blank pages are dropped and what is
// drawn now leaves a mark.
void Draw_MarkContent(DrawJob* job, uint32_t bit);
// Gray level of a 0x00BBGGRR colour: (30 R + 59 G + 11 B) / 100.
uint8_t Draw_GrayLevel(uint32_t colour);
// Print with black: every level other than 255 becomes 0.
inline uint8_t Draw_BlackRule(uint8_t level, bool printWithBlack) {
  return printWithBlack && level != 255 ? 0 : level;
}
// The 16-bit value of a coordinate, clamped (never wrapped).
inline int16_t Draw_Clamp16(int64_t v) {
  return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
}
inline uint16_t Draw_ClampU16(int64_t v) {
  return static_cast<uint16_t>(v < 0 ? 0 : (v > 65535 ? 65535 : v));
}
