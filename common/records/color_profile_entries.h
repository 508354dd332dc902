// The entries of the colour profile lists that the colour dialogs and pages
// show: a built-in choice stored as a named, empty record, the text of a
// profile resident in the printer, and finding a resident profile again.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_rows.h"
#include "common/records/color_profile_record.h"

// A built-in choice: the record is cleared and named after the entry's
// text (at most 40 characters; none for a null text).
void StoreBuiltInProfile(ColorProfileRecord* record, const char16_t* text);

// The list text of a resident profile: "<download> (<name>) <location>", or
// "<download> <location>" when it has no name; the location is the text of
// the row of `locations` (ended by an empty keyword) whose value is the
// record's kind.
void FormatProfileEntryText(const ColorProfileRecord& record, const ModelWideListItem* locations, char16_t* out,
                            size_t capacity);

// The index of the resident profile whose download name equals `record`'s
// without regard to case, or -1.
int FindResidentProfile(const ColorProfileRecord* residents, uint32_t count, const ColorProfileRecord& record);
