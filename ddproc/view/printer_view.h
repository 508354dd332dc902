// The printer view: which bitmaps of the device library stack up to the
// picture of the device with its installed option units, the selected
// input tray and output bin, and the hard-disk mark.
#pragma once

#include <cstdint>
#include <vector>

#include "common/contracts/printer_view_options.h"

// The installed units the picture shows, from the selected device option
// values.
struct PrinterViewUnits {
  int machine, inputUnit, outputUnit, hardDisk, duplex, mailBin, saddle;
};
PrinterViewUnits ParsePrinterViewOptions(const PrinterViewOptions& request);

// The layers in drawing order, each centred on the picture's centre.
std::vector<int> PrinterViewLayers(const PrinterViewOptions& request);
// The hard-disk mark, placed at the picture's top-right corner.
int PrinterViewDiskMark(const PrinterViewOptions& request);

// Bitmap sizes that the placement relies on.
inline constexpr int kViewLayerWidth = 180, kViewLayerHeight = 120;
inline constexpr int kDiskMarkWidth = 39, kDiskMarkHeight = 17;
inline constexpr int kDiskMarkInset = 8;
