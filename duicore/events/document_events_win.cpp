#include "duicore/events/document_events_win.h"

#include <winddiui.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <new>

#include "common/contracts/private_escapes.h"
#include "common/contracts/proc_library_exports_win.h"
#include "common/records/job_record.h"
#include "common/win/export_guard.h"
#include "common/win/printer_queries.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/events/cover_sheets_win.h"
#include "duicore/events/event_services_win.h"
#include "duicore/events/fax_job_start_win.h"
#include "duicore/events/job_authentication_win.h"
#include "duicore/events/job_identifier.h"
#include "duicore/events/tab_paper_text_win.h"
#include "duicore/events/watermark_win.h"

namespace {

// The last identifier made in this process; the print notification passes
// it on.
char g_jobId[kJobIdBytes] = {};

using BdcSetNotifyPrintFn = int(WINAPI*)(const char* jobId, const char* printerName);
constexpr char kBdcSetNotifyPrint[] = "BdcSetNotifyPrint";

void SendJobIdentifier(HDC dc) {
  char id[kJobIdBytes] = {};
  if (!MakeJobIdentifier(id)) return;
  std::memcpy(g_jobId, id, sizeof g_jobId);
  SendEscape(dc, kEscSetJobId, kJobIdBytes, id);
}

void NotifyPrintToDevice(HANDLE printer) {
  wchar_t wide[MAX_PATH] = {};
  if (!QueryPrinterName(printer, wide, MAX_PATH)) return;
  char name[MAX_PATH * 2] = {};
  if (WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name - 1, nullptr, nullptr) == 0) return;
  EventLibrary library(L"VELDRANO.DLL");
  auto notify = library.Bind<BdcSetNotifyPrintFn>(kBdcSetNotifyPrint);
  if (notify != nullptr) notify(g_jobId, name);
}

// The per-page list of the job's settings, sent with its entries right
// behind its head.
void SendInterSheetLists(HANDLE printer, HDC dc) {
  if (!UseProcMakerName()) return;
  const int saved = SaveDC(dc);
  SendJobInterSheetList(printer, dc);
  if (saved != 0) RestoreDC(dc, saved);
}

bool DevModeAllowsDc(const DEVMODEW* devmode) {
  if (devmode == nullptr) return true;
  return ValidateDevMode(devmode) && devmode->dmCopies != 0;
}

}  // namespace

const char* LastJobIdentifier() { return g_jobId; }

bool MakeJobIdentifier(char out[27]) {
  char adapter[13] = {};
  uint8_t address[6] = {};
  if (Events().adapterAddress(address)) {
    FormatAdapterPart(address, adapter);
  } else {
    SYSTEMTIME now{};
    Events().systemTime(&now);
    FILETIME seconds{};
    SystemTimeToFileTime(&now, &seconds);
    const uint64_t ticks = (uint64_t{seconds.dwHighDateTime} << 32) | seconds.dwLowDateTime;
    JobIdRandom random(ticks / 10000000u);
    FormatFallbackAdapterPart(random.Next(), adapter);
  }
  SYSTEMTIME utc{};
  Events().systemTime(&utc);
  char time[15] = {};
  FormatTimePart(utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond, utc.wMilliseconds, time);
  std::memset(out, 0, kJobIdBytes);
  std::memcpy(out, adapter, 12);
  std::memcpy(out + 12, time, 14);
  return true;
}

void RunStartDocSequence(HANDLE printer, HDC dc) {
  SendJobIdentifier(dc);
  NotifyPrintToDevice(printer);
  SendJobAuthData(dc, printer);
  if (RunStartDocAuthentication(dc, printer) == kAuthDrop) SendEscape(dc, kEscAuthResult);
  SendDeviceEncryption(printer, dc);
  RunFaxJobStart(printer, dc);
  SendInterSheetLists(printer, dc);
}

void RunDropCheck(HANDLE printer, HDC dc, ULONG inSize, const void* in) {
  uint32_t cancelled = 0, refused = 0;
  QueryEscape(dc, kEscQueryDrop1, sizeof cancelled, &cancelled);
  QueryEscape(dc, kEscQueryDrop2, sizeof refused, &refused);
  if (cancelled == 0 && refused == 0) return;
  if (Events().windowsMajor() < 6) Events().abortDoc(dc);
  if (in == nullptr || inSize < sizeof(DWORD)) return;
  DWORD jobId;
  std::memcpy(&jobId, in, sizeof jobId);
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed == 0) return;
  std::unique_ptr<uint8_t[]> info(new (std::nothrow) uint8_t[needed]);
  if (!info || !GetPrinterW(printer, 2, info.get(), needed, &needed)) return;
  const auto* level2 = reinterpret_cast<const PRINTER_INFO_2W*>(info.get());
  if (level2->pPrinterName != nullptr) Events().cancelJob(level2->pPrinterName, jobId);
}

int RunEndPage(HANDLE printer, HDC dc) {
  const int watermark = RunWatermarkStep(dc);
  if (watermark < 0) return -1;
  return DrawTabPaperText(dc, printer, DOCUMENTEVENT_ENDPAGE);
}

int RunDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inSize, const void* in) {
  switch (event) {
    case DOCUMENTEVENT_STARTDOC:
      RunStartDocSequence(printer, dc);
      return 1;
    case DOCUMENTEVENT_STARTPAGE:
      return DrawTabPaperText(dc, printer, DOCUMENTEVENT_STARTPAGE);
    case DOCUMENTEVENT_ENDPAGE:
      return RunEndPage(printer, dc);
    case DOCUMENTEVENT_ENDDOC:
      SendEscape(dc, kEscReleaseFonts);
      SendEscape(dc, kEscAppendCapture);
      ComposeCoverSheets(dc);
      return DrawTabPaperText(dc, printer, DOCUMENTEVENT_ENDDOC);
    case DOCUMENTEVENT_ENDDOCPOST:
      SendEscape(dc, kEscFreeFaxData);
      SendEscape(dc, kEscFreeInterSheetList);
      return 1;
    case DOCUMENTEVENT_STARTDOCPOST:
      RunDropCheck(printer, dc, inSize, in);
      return 1;
    default:
      return 1;
  }
}

extern "C" int WINAPI DrvDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inSize, PVOID in, ULONG, PVOID) try {
  // The high word carries flags of the call, not the event.
  const int code = LOWORD(static_cast<DWORD>(event));
  if (code == DOCUMENTEVENT_CREATEDCPRE && in != nullptr && inSize >= sizeof(DOCEVENT_CREATEDCPRE)) {
    if (!DevModeAllowsDc(static_cast<const DOCEVENT_CREATEDCPRE*>(in)->pdm)) return DOCUMENTEVENT_FAILURE;
  }
  if (code == DOCUMENTEVENT_RESETDCPRE && in != nullptr && inSize >= sizeof(DEVMODEW*)) {
    const DEVMODEW* devmode = *static_cast<DEVMODEW* const*>(in);
    if (!DevModeAllowsDc(devmode)) return DOCUMENTEVENT_FAILURE;
  }
  return RunDocumentEvent(printer, dc, code, inSize, in) == -1 ? DOCUMENTEVENT_FAILURE : DOCUMENTEVENT_SUCCESS;
} catch (...) {
  return ExportFailed("DrvDocumentEvent", int{DOCUMENTEVENT_FAILURE});
}
