#include "common/records/fax_send_rules.h"

uint32_t FaxSendBlockRecipientCount(const FaxSendBlock& block) {
  return block.wRecipientCount < kFaxMaxRecipients ? block.wRecipientCount : kFaxMaxRecipients;
}

bool FaxReplayPerDestination(uint8_t coverSheetSwitch, uint8_t recipientMode, uint8_t recipientSetting) {
  return coverSheetSwitch == 1 && recipientMode != 0 && recipientSetting == 1;
}

bool FaxReplayPerDestination(const FaxSendBlock& block) {
  return FaxReplayPerDestination(block.faxSetting.fgFaxCoverSheet, block.coverSheet[kFaxCoverRecipientModeAt],
                                 block.coverSheet[kFaxCoverRecipientSettingAt]);
}
