// The procedure library's six numbered text tables ("MessageStr",
// "ChgMessageStr", "CstMessageStr", "ToolChipStr", "ViewTipsStr",
// "HintStr"), held for the life of the process.
#pragma once

#include <cstdint>

#include "dproc/model/disp_strings.h"

// The tables; null pointers until allocated or when memory was short.
MessageTables& ProcessMessageTables();
// Allocates the six tables zero-filled and makes "MessageStr" the source of
// the message rows (common/message_text.h).
void AllocProcessMessageTables();
// Withdraws the message rows and frees the tables.
void FreeProcessMessageTables();
