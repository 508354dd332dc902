// The message tables the constraint pass takes its texts from: warnings
// ("CstMessageStr"), questions ("ChgMessageStr") and reasons
// ("ToolChipStr").  Start-up registers the process's tables.
#pragma once

#include <cstdint>

#include "dproc/model/disp_strings.h"

void SetConstraintMessageTables(const MessageTables* tables);
// The text of an entry; an empty text for an entry beyond the table's 999
// slots or without tables.
const char16_t* ConstraintText(MessageTable table, uint32_t entry);
