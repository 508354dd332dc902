// Pictures of windows as they stand on the display: the screen's pixels
// under a window, and whether such a picture shows anything at all.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct WindowPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top-down BGRA
};

// The screen under `window` (its frame included); false when the window
// has no area.
bool CaptureWindow(HWND window, WindowPicture* out);
// True when the picture shows nothing: one colour, or all but a few pixels
// (fewer than one in 200) of one colour.
bool IsBlankPicture(const WindowPicture& picture);
// Captures the window and writes it as a PNG file.
bool SaveWindowPng(HWND window, const std::string& path, WindowPicture* picture = nullptr);

}  // namespace testsupport
