// The rows of the media-type list view: one per input tray of the model
// (the automatic tray left out), each showing what the sheet context's tray
// media table says the tray holds, in the texts of the model's media lists.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/media/media_columns.h"
#include "common/qxd/model_rows.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_records.h"

inline constexpr uint32_t kMediaListTrays = kDevOptionTraySlots;
inline constexpr uint32_t kMediaAutoTrayId = 7;

// The trays listed by the last fill: copies of the model's tray display
// records (keyword, id, the constraint flag, display name) in row order.
struct MediaListTrays {
  TrayMediaLabel rows[kMediaListTrays];
  uint32_t count;
};

// The input trays the list shows, in row order: the trays of `trays` (ending
// at an empty keyword) other than the automatic tray; a model with more than
// ten such trays lists the first ten.  Returns the count.
uint32_t ListedInputTrays(const InTrayEntry* trays, const InTrayEntry* out[kMediaListTrays]);

// Collects the listed trays: for every tray of `trays` (ending at an empty
// keyword) other than the automatic tray, as the k-th such tray, row k
// becomes its display record (the last of `labels` with the tray's id; an
// empty row when none has it) and row k of `table` gets the tray's keyword
// and id, its media values left as they are.  A model with more than ten
// such trays lists the first ten.  Returns the count.
uint32_t CollectMediaListTrays(const InTrayEntry* trays, const TrayMediaLabel* labels, TrayMediaSlot* table,
                               MediaListTrays* out);

// The columns in the list's order (tray, size, orientation, type, then the
// admitted ones of weight, colour and hole); returns how many.
int MediaListColumnOrder(const MediaSwitches& switches, int order[kMediaListColumns]);

// The text of a media cell of a tray row (column kColSize to kColHole): the
// text of the first item of the column's list whose value equals the row's
// value (16-bit values extended with their sign, the punching byte as it
// is); null when no item has it.
const char16_t* MediaCellText(int column, const TrayMediaSlot& slot, const MediaTypeLists& lists);

// The constraint flag of the listed tray whose display name is `name`
// (ASCII case ignored); false when none has it.
bool MediaTrayFlagged(const MediaListTrays& trays, const char16_t* name);

// The six media fields of a tray row in the order of a device's tray answer
// (0 size, 1 orientation, 2 type, 3 weight, 4 colour, 5 hole): the value as
// the row keeps it (16 bits, the hole 8), and a list value stored into it.
uint32_t TrayMediaField(const TrayMediaSlot& slot, int kind);
void SetTrayMediaField(TrayMediaSlot* slot, int kind, uint32_t value);
