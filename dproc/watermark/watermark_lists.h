// Rules over the watermark lists that need no store: the length of the
// default table, the defaults a printer's public list lacks, and the user's
// order of all watermarks rebuilt against the lists it names.
#pragma once

#include <cstddef>

#include "common/records/watermark_info.h"

// A title as a terminated text of at most 31 characters (the records are
// packed, so their texts are copied out).
struct WatermarkTitle {
  char16_t text[32] = {};
};
WatermarkTitle TitleOf(const WaterMarkInfo& mark);
WatermarkTitle TitleOf(const WMOrderEntry& entry);
bool SameTitle(const WatermarkTitle& a, const WatermarkTitle& b);

// The rows of `table` before the first one without a title.
size_t CountDefaultWatermarks(const WaterMarkInfo* table, size_t rows);

// Appends to `list` (holding `count` records, room for `capacity`) each of
// the `defaultCount` defaults it does not hold yet: a default is held when a
// record carries its key (when it has one) or its title.  Returns the new
// count; defaults beyond `capacity` are left out.
size_t AppendMissingDefaults(const WaterMarkInfo* defaults, size_t defaultCount, WaterMarkInfo* list, size_t count,
                             size_t capacity);

// The order of all watermarks from the `storedCount` entries read from the
// user's store: an entry is kept, in the order read, when its list holds a
// record of its title (exact comparison); then every public record no kept
// public entry names, in list order, then every such private record.  At
// most min(`capacity`, public + private) entries go to `out`; returns their
// number.
size_t BuildWatermarkOrder(const WMOrderEntry* stored, size_t storedCount, const WaterMarkInfo* publicMarks,
                           size_t publicCount, const WaterMarkInfo* privateMarks, size_t privateCount,
                           WMOrderEntry* out, size_t capacity);
