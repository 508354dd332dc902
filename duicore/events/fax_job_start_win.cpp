#include "duicore/events/fax_job_start_win.h"

#include <cstring>
#include <memory>
#include <new>

#include "common/contracts/fax_dialogs_win.h"
#include "common/contracts/private_escapes.h"
#include "common/records/fax_send_date.h"
#include "common/records/job_record.h"
#include "duicore/events/event_services_win.h"

int PopupFaxSendTo(HANDLE printer, HDC dc, FaxJobBuffers* buffers) {
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return -1;
  std::unique_ptr<DocDMode> doc(new (std::nothrow) DocDMode);
  if (!doc) return 2;
  std::memcpy(doc.get(), record.get() + kJobRecordDocAt, sizeof(DocDMode));
  std::memcpy(&buffers->setting, record.get() + kJobRecordDocAt + kFaxSettingDocAt, sizeof(FaxSetting));
  std::memset(buffers->recipients, 0, sizeof buffers->recipients);
  std::memset(buffers->cover, 0, sizeof buffers->cover);
  buffers->count = 0;
  EventLibrary proc(L"VELDRANA.DLL");
  auto popup = proc.Bind<PopupFaxSendToDlgFn>(kPopupFaxSendToDlg);
  if (popup == nullptr) return 2;
  HANDLE handle = printer;
  FaxSendToArgs args{&buffers->count, buffers->recipients, buffers->cover, &buffers->setting, &handle, doc.get()};
  return popup(&args);
}

void BuildFaxSendBlock(const FaxJobBuffers& buffers, FaxSendBlock* block) {
  std::memset(block, 0, sizeof *block);
  block->faxSetting = buffers.setting;
  const uint32_t count = buffers.count < kFaxMaxRecipients ? buffers.count : kFaxMaxRecipients;
  block->wRecipientCount = static_cast<uint16_t>(count);
  std::memcpy(block->recipients, buffers.recipients, sizeof block->recipients);
  std::memcpy(block->coverSheet, buffers.cover, sizeof block->coverSheet);
}

void BuildSendTime(const SYSTEMTIME& now, const FaxSetting& setting, uint16_t out[8]) {
  const FaxClock clock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
  const FaxDate date = FaxJobSendDate(clock, setting.bySendHour, setting.bySendMinute);
  const uint16_t values[8] = {static_cast<uint16_t>(date.year), static_cast<uint16_t>(date.month),
                              static_cast<uint16_t>(date.day), setting.bySendHour, setting.bySendMinute, 0, 0, 0};
  std::memcpy(out, values, sizeof values);
}

void RunFaxJobStart(HANDLE printer, HDC dc) {
  std::unique_ptr<FaxJobBuffers> buffers(new (std::nothrow) FaxJobBuffers());
  std::unique_ptr<FaxSendBlock> block(new (std::nothrow) FaxSendBlock);
  if (!buffers || !block) return;
  if (PopupFaxSendTo(printer, dc, buffers.get()) != 1) SendEscape(dc, kEscFaxCancelled);
  BuildFaxSendBlock(*buffers, block.get());
  SendEscape(dc, kEscSetFaxData, sizeof(FaxSendBlock), block.get());
  SYSTEMTIME now{};
  Events().localTime(&now);
  uint16_t sendTime[8];
  BuildSendTime(now, buffers->setting, sendTime);
  SendEscape(dc, kEscSetSendTime, kSendTimeBytes, sendTime);
}
