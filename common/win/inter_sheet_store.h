// The per-page (inter-sheet) lists of a user, kept under the user's
// settings key of the printer: "...\InterSheetList<n>" with the list's name,
// its entry count, one value per page entry and the tab-sheet geometry.
#pragma once

#include <windows.h>

#include "common/records/inter_sheet_list.h"

// The list's key, created when missing (see OpenUserRegKey); null on failure.
HKEY OpenInterSheetListKey(const wchar_t* printerName, const wchar_t* driverName, int listNumber);
// A new record (GlobalAlloc) with its entries; an empty record when the key
// holds nothing; null on a memory failure.  Entries are read from
// "ISPageListData1" on until the count or the first missing or damaged one.
// With `skipExcluded` (the user interface core's reading for a job) an
// entry marked excluded is left out and the rest close up.
InterSheetList* LoadInterSheetList(const wchar_t* printerName, const wchar_t* driverName, int listNumber,
                                   bool skipExcluded = false);
// Writes the list into its key: the name, the entries from the first on,
// the count, then the tab sheet; the first value that cannot be written
// ends the writing (false), so a stored count never names entries that
// were not written.  Entry values past a smaller count stay and are not
// read.
bool SaveInterSheetList(const wchar_t* printerName, const wchar_t* driverName, int listNumber,
                        const InterSheetList* list);
// A new record with the same head and its own copy of the entries; null on
// a memory failure.
InterSheetList* CopyInterSheetList(const InterSheetList* list);
// Frees the entries and the record; null is ignored.
void FreeInterSheetList(InterSheetList* list);
