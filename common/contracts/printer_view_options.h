// The record the procedure library hands to the device library's
// DrawPrinterView: what the printer picture shows.  Byte-packed; the two
// pointers are pointer-sized, so the record is 117 bytes in the 64-bit build
// and 109 in the 32-bit one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

// Output tray codes in the order of the record's flags.
inline constexpr int16_t kPrinterViewOutputTrays[12] = {258, 271, 272, 274, 276, 273, 275, 277, 278, 279, 280, 281};

#pragma pack(push, 1)
struct PrinterViewOptions {
  uint8_t documentSheet;               // 1 for a document sheet, 0 for the device sheets
  const DeviceOptionItem* deviceOptions;  // the model's device option list
  const DevOption* deviceOption;       // the sheet context's device option record
  char inTrayKeyword[32];              // the selected input tray's keyword, or empty
  uint32_t outputTrays[12];            // 1 for the selected output tray
  uint32_t centreStaple;
  uint32_t postInserterA;              // a post-inserter cover from option 1001
  uint32_t postInserterB;              // ... from option 1002
  uint32_t foldKind3;
  uint32_t foldKind5;
};
#pragma pack(pop)

static_assert(offsetof(PrinterViewOptions, deviceOptions) == 1);
static_assert(offsetof(PrinterViewOptions, inTrayKeyword) == 1 + 2 * sizeof(void*));
static_assert(offsetof(PrinterViewOptions, outputTrays) == 33 + 2 * sizeof(void*));
static_assert(offsetof(PrinterViewOptions, foldKind5) == 97 + 2 * sizeof(void*));
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(PrinterViewOptions) == 117);
#else
static_assert(sizeof(PrinterViewOptions) == 109);
#endif

#ifdef _WIN32
#include <windows.h>
typedef BOOL(WINAPI* DrawPrinterViewProc)(HDC dc, const RECT* rect, const PrinterViewOptions* options);
#endif
