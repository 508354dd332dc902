// The built-in cover-sheet record every default comes from, the date line
// of a cover page, and the record's rules for choosing a stored set.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/fax_cover_sheet.h"

// The default record: all zero except the subject line on, one page, zoom 100,
// the image at 1, 1 and the recipient title of SetDefaultCoverTitle.
void MakeDefaultCoverSheet(FaxCoverSheetData* out);

// The recipient title of the default record (at most 32 characters; null
// empties it).  The library's start-up sets it from the description file.
void SetDefaultCoverTitle(const char16_t* title);
const char16_t* DefaultCoverTitle();

// The date line: empty while fgDate is off; with byDateMode 0 the given date
// in the format of byDateForm (empty for a form above 8); with any other
// mode szDate as typed.  Cut to 63 characters; `out` holds 64.
inline constexpr size_t kCoverDateChars = 64;
void FormatCoverDate(const FcsBasicPart& basic, int year, int month, int day, char16_t out[kCoverDateChars]);

// A stored set as the dialogs see it: a name and the three parts a set keeps.
struct CoverSetView {
  const char16_t* name;  // up to kFcsSetNameChars - 1 characters
  const FcsBasicPart* basic;
  const FcsSenderPart* sender;
  const FcsImagePart* image;
};

// Field by field: flags and numbers by value, texts up to their terminator
// (padding and what follows a terminator do not count).
bool CoverBasicEqual(const FcsBasicPart& a, const FcsBasicPart& b);
bool CoverSenderEqual(const FcsSenderPart& a, const FcsSenderPart& b);
bool CoverImageEqual(const FcsImagePart& a, const FcsImagePart& b);

// The current set of a record: the first set whose name equals the record's
// set name exactly (case counts), and only when its three parts equal the
// record's; else -1 (the record is untitled).  An empty set name is always
// untitled.
int FindCurrentCoverSet(const FaxCoverSheetData& record, const CoverSetView* sets, size_t count);

// Choosing a set: its name and three parts go into the record; the
// Recipient part and the cover size stay.
void ApplyCoverSet(FaxCoverSheetData* record, const CoverSetView& set);
