// The watermark edit dialog (template 111): the session's watermarks in the
// user's order, public and private, and the selected one's name, text, font,
// style, size, density, angle, position, frame, sharing and print options,
// with a preview on the current paper.  OK rebuilds the session's lists
// from the dialog's and leaves the selected watermark in the settings;
// Cancel leaves both as the dialog found them.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr uint16_t kWatermarkEditTemplate = 111;

INT_PTR CALLBACK WaterMarkEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
