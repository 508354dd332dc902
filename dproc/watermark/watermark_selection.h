// The watermark the document settings select, kept in step with the
// session's lists: after the lists were replaced (an Easy Set brought lists
// of its own) the settings' watermark is looked for in the new order and
// its position taken, or the watermark at the settings' position taken.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"
#include "common/records/watermark_info.h"

struct WatermarkListsView {
  const WaterMarkInfo* publicMarks;
  size_t publicCount;
  const WaterMarkInfo* privateMarks;
  size_t privateCount;
  const WMOrderEntry* order;
  size_t orderCount;
};

// Puts a face the computer has into a record (null: faces are kept).
using WatermarkFaceCheck = void (*)(WaterMarkInfo* mark);

// Equal as a watermark prints: key, name, text, face, style, size, colour,
// angle, both positions and the frame.
bool SameWatermark(const WaterMarkInfo& a, const WaterMarkInfo& b);

// With the watermark on, the first order entry whose list holds a record
// equal to the settings' watermark (both face-checked) gives the position
// and the record.  Otherwise the entry at the settings' position (the first
// one when it lies past the order) gives them, from the first record of its
// name; an entry that names no record changes nothing.
void SyncWatermarkSelection(const WatermarkListsView& lists, DocDMode* settings, WatermarkFaceCheck check);
