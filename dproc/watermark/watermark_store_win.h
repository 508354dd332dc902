// The three watermark stores: the public watermarks in the printer's printer
// data ("WMInfoCnt", "WaterMark1" ...), a user's private watermarks under
// the user's settings key of the printer (the same names), and the user's
// order of all of them in its subkey "WMOrder" ("WMOrder00" ...).
//
// Reads hand out one zero-filled LocalAlloc block (one slot more than the
// count) that the caller frees with LocalFree, or nothing when they return
// 0; a damaged store reads as the records before its first damaged value.
// Counts never exceed what the lists hold (30 public, 20 private, 50 order
// entries); writes of more are refused.
#pragma once

#include <windows.h>

#include "common/records/watermark_info.h"

// Adds to the printer's public watermarks the built-in defaults it lacks.
void RegDefWaterMarks(HANDLE printer);

// A printer whose list holds no record hands out an empty block; one that
// has no list at all hands out nothing.
size_t ReadPrinterWaterMarks(HANDLE printer, WaterMarkInfo** out);
// Opens the printer with administrator access: false for a user without it.
BOOL WritePrinterWaterMarks(const wchar_t* printerName, const WaterMarkInfo* records, size_t count);

// The per-user key is always made with the library's maker name.
size_t ReadUserWaterMarks(const wchar_t* makerName, const wchar_t* printerName, const wchar_t* driverName,
                          WaterMarkInfo** out);
BOOL WriteUserWaterMarks(const wchar_t* makerName, const wchar_t* printerName, const wchar_t* driverName,
                         const WaterMarkInfo* records, size_t count);

// The stored order checked against the two lists (see BuildWatermarkOrder);
// 0 and no block when it comes out empty.
size_t ReadWaterMarkOrder(const wchar_t* makerName, const wchar_t* printerName, const wchar_t* driverName,
                          size_t publicCount, const WaterMarkInfo* publicMarks, size_t privateCount,
                          const WaterMarkInfo* privateMarks, WMOrderEntry** out);
BOOL WriteWaterMarkOrder(const wchar_t* makerName, const wchar_t* printerName, const wchar_t* driverName,
                         const WMOrderEntry* entries, size_t count);
