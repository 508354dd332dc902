// Rules over the fax send block that its consumers share: how many
// destinations a block holds, and whether the stored job is sent once per
// destination.
#pragma once

#include <cstdint>

#include "common/records/fax_send_block.h"

// The destination count a consumer may read: the block's count, never more
// than the 100 slots it has.
uint32_t FaxSendBlockRecipientCount(const FaxSendBlock& block);

// The stored job is sent once per destination (each time to that destination
// alone) when the cover sheet is on, its recipient mode is not 0 (standard)
// and its recipient setting is 1 (one cover sheet per destination);
// otherwise it is sent once to all destinations.
bool FaxReplayPerDestination(uint8_t coverSheetSwitch, uint8_t recipientMode, uint8_t recipientSetting);
bool FaxReplayPerDestination(const FaxSendBlock& block);
