// A page of a spooled job as the spooler's print processor plays it: an
// enhanced metafile whose frame is mapped onto the page's printable area
// (aspect kept, top-left aligned) and whose records reach the render core
// as GDI hands drawing to a printer driver.  GDI's own arithmetic stays
// GDI's: the records are played on a memory DC that keeps the state (objects,
// mapping modes, world transforms, clipping, save and restore, the current
// position and paths), and each drawing record is turned into the driver
// call it becomes, with what that DC computes for it: the path of a shape
// (the record played alone into a path bracket), the clip region, the font
// with its TrueType file, glyph indices and advances, the bitmap's pixels.
//
//   shapes, lines, curves       DrvFillPath / DrvStrokePath / DrvStrokeAndFillPath
//   FillPath, StrokePath, ...   the same, with the path the bracket built
//   texts of every kind         DrvTextOut with string and font objects
//   BitBlt, StretchBlt, ...     DrvBitBlt, DrvStretchBlt or DrvStretchBltROP
//   AlphaBlend, TransparentBlt  composed on white (what a printer surface
//                               reads back) and stretched; MaskBlt likewise
//   GradientFill                DrvGradientFill
//   FillRgn, FrameRgn, ...      DrvPaint
//   ExtEscape, DrawEscape       DrvEscape
//   SetPixelV                   DrvBitBlt of one pixel
//
// A record that cannot be played is counted by kind and reported; bytes that
// are no sound metafile are refused before any record is played.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "drender/ddi/ddi_types.h"

class DdiHost;

struct EmfPageReport {
  bool refused = false;          // the bytes are no sound metafile (see `damage`)
  std::string damage;
  int records = 0;               // records walked
  int played = 0;                // records played
  std::map<uint32_t, int> notPlayed;  // record kinds not played, with their counts
  // Driver calls made.
  int paths = 0;      // DrvFillPath, DrvStrokePath, DrvStrokeAndFillPath
  int texts = 0;      // DrvTextOut
  int opaqueTexts = 0;  // of them with an opaque box
  int images = 0;     // DrvBitBlt, DrvStretchBlt, DrvStretchBltROP with a source bitmap
  int patterns = 0;   // DrvBitBlt without a source (pattern fills, pixels)
  int gradients = 0;  // DrvGradientFill
  int paints = 0;     // DrvPaint
  int escapes = 0;    // DrvEscape of the escapes recorded between the drawing
  std::vector<std::string> fonts;     // the face of every DrvTextOut, in order
  std::vector<std::string> failures;  // driver calls that failed
  int calls() const { return paths + texts + images + patterns + gradients + paints; }
};

// The rectangle (device pixels) the metafile's frame (0.01 mm) takes in a
// printable area of `areaWidth` x `areaHeight` pixels at `dpiX` x `dpiY`:
// as large as fits with its aspect kept, at the area's top-left corner.
RECTL EmfPage_Place(const int32_t frame[4], uint32_t areaWidth, uint32_t areaHeight, uint32_t dpiX, uint32_t dpiY);

// Plays `bytes` onto `surface` within `target` (device pixels).  Font objects
// handed to DrvTextOut end with the page (DrvDestroyFont).
EmfPageReport EmfPage_Play(DdiHost* host, SURFOBJ* surface, const std::vector<uint8_t>& bytes, const RECTL& target);

// Plays `bytes` onto `surface` placed in the printable area the host's PDEV
// reported (its resolution and size).
EmfPageReport EmfPage_PlayOnPage(DdiHost* host, SURFOBJ* surface, const std::vector<uint8_t>& bytes);

// The record kinds the player plays (their count; their types into `kinds`
// when given).
int EmfPage_PlayedKinds(std::vector<uint32_t>* kinds);

// The name of a record kind ("EMR_POLYBEZIERTO16"), or its number.
std::string EmfPage_KindName(uint32_t type);
