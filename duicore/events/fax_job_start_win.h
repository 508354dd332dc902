// The fax part of a job's start: the destination dialog, the fax block and
// the delayed-send time sent to the render core.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/fax_send_block.h"

// The buffers of one start: the job's fax settings, the destinations and
// their count, and the cover-sheet data.
struct FaxJobBuffers {
  FaxSetting setting;
  uint32_t count;
  FaxRecipientEntry recipients[kFaxMaxRecipients];
  uint8_t cover[kFaxCoverSheetDataSize];
};

// The destination dialog of VELDRANA on the buffers (zeroed first, the fax
// settings taken from the job record): 1 confirmed; 2 when the library or
// the dialog is missing or the user cancelled; -1 when the job record cannot
// be read.
int PopupFaxSendTo(HANDLE printer, HDC dc, FaxJobBuffers* buffers);
// The block as the render core stores it; the count never above 100.
void BuildFaxSendBlock(const FaxJobBuffers& buffers, FaxSendBlock* block);
// The delayed-send record: year, month, day, hour, minute, three zeros.
void BuildSendTime(const SYSTEMTIME& localNow, const FaxSetting& setting, uint16_t out[8]);

// The whole step: the dialog (any answer but 1 cancels the fax job), then,
// whatever the answer, the fax block and the send time.
void RunFaxJobStart(HANDLE printer, HDC dc);
