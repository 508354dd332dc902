// The application's DC of a job as the test host plays it.  Under Wine GDI
// never turns what is drawn on a printer DC into calls of the driver, so the
// host records what the application (or the user interface core's document
// events) draws on its DC in an enhanced metafile, with the escapes that
// return nothing in between, in the order they came, as a spooled job keeps
// them.  At the end of each step (a document event, a page) the recording is
// closed and played through the render core's entry points as GDI would:
// text through DrvTextOut with string and font objects (glyph indices,
// positions and the TrueType file of the system's font the text was drawn
// in), lines and outlines through DrvStrokePath, filled shapes through
// DrvFillPath, pattern fills through DrvBitBlt, pictures through
// DrvStretchBlt, and the recorded escapes through DrvEscape.  Escapes that
// return data are answered by the render core at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/ddi_host/ddi_host.h"

struct HostAppDcFonts;

class HostAppDc {
 public:
  // `reference`: the device the recordings describe (null: the screen).
  explicit HostAppDc(DdiHost* host, HDC reference = nullptr);
  ~HostAppDc();
  HostAppDc(const HostAppDc&) = delete;
  HostAppDc& operator=(const HostAppDc&) = delete;

  // Starts a recording whose content goes to `surface`; the DC to draw on.
  HDC Begin(SURFOBJ* surface);
  HDC dc() const { return dc_; }
  // An escape on the DC: recorded when it returns nothing and a recording
  // is open (the result is then 1), otherwise sent to the render core.
  ULONG Escape(ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out);
  // Closes the recording and plays it; false when a driver call failed or a
  // record could not be played (see `played`).
  bool End();

  struct Played {
    int texts = 0;     // DrvTextOut calls
    int strokes = 0;   // DrvStrokePath calls
    int fills = 0;     // DrvFillPath calls
    int blts = 0;      // DrvBitBlt pattern fills
    int images = 0;    // DrvStretchBlt calls
    int escapes = 0;   // recorded escapes sent
    std::vector<std::string> failures;
    std::vector<std::vector<uint8_t>> recordings;  // every closed metafile
  };
  const Played& played() const { return played_; }

 private:
  DdiHost* host_;
  HDC reference_;
  HDC dc_ = nullptr;
  SURFOBJ* surface_ = nullptr;
  Played played_;
  std::unique_ptr<HostAppDcFonts> fonts_;
};
