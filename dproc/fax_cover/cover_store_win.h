// The per-user store of the fax cover sheet: for each printer one current
// record and a list of named sets (a name and the Basic, Sender and Image
// parts), under "Software\<maker>\<driver>\<printer>\FaxCoverSheet".
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/records/fax_cover_sheet.h"
#include "dproc/fax/fax_cover_binding_win.h"

struct CoverSheetSet {
  char16_t name[kFcsSetNameChars];
  FcsBasicPart basic;
  FcsSenderPart sender;
  FcsImagePart image;
};

// The most sets the list holds: a larger stored count is read as this many
// (and the list ends earlier at the first set the store does not hold).
inline constexpr uint32_t kCoverSheetSetsMax = 1000;

struct FaxCoverSheetSets {
  std::vector<CoverSheetSet> sets;  // stored order
  int32_t current = -1;             // the set the cover data equals, -1 none
};

// The current record: the built-in defaults overlaid with what the store
// holds (a part that cannot be read, missing or not of its part's size,
// keeps its defaults, and so do the parts after it).  1 when all four parts were read; 0 otherwise, and the record
// is untouched when the key cannot be opened.
int ReadFaxCoverSheetReg(const wchar_t* printerName, const wchar_t* driverName, FaxCoverSheetData* record);
// 1 when all six values were written.
int WriteFaxCoverSheetReg(const wchar_t* printerName, const wchar_t* driverName, const FaxCoverSheetData& record);

// The named sets in stored order, no current set; false when the key cannot
// be opened.  The stored count is capped at kCoverSheetSetsMax and the list
// ends at the first set without a stored name; a part that is not of its
// size gets its defaults.
bool LoadCoverSheetSetList(const wchar_t* printerName, const wchar_t* driverName, FaxCoverSheetSets* out);
// Writes the list: the sets over the stored ones first, then the count, and
// only then the surplus old sets are removed, so a failed write never loses
// stored sets.  1 when every set and the count were written.
int SaveCoverSheetSetList(const wchar_t* printerName, const wchar_t* driverName, const FaxCoverSheetSets& list);
// A set of the name (cut to 20 characters) and copies of the three parts.
CoverSheetSet MakeCoverSheetSet(const char16_t* name, const FcsBasicPart& basic, const FcsSenderPart& sender,
                                const FcsImagePart& image);

// Every text of the parts ends inside its field (what a store gives back may
// not).
void TerminateCoverTexts(FaxCoverSheetData* record);

// The store as the fax sheet reaches it (dproc/fax/fax_cover_binding_win.h).
const FaxCoverStore* CoverSheetStore();
