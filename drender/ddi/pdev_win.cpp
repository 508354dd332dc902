// The PDEV and its lifecycle: enable, complete, disable and reset.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "common/records/doc_fields.h"
#include "common/qxd/qxd_file.h"
#include "common/win/win_version.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/ddi_services.h"
#include "drender/ddi/device_caps.h"
#include "drender/job/job_engine.h"
#include "drender/job/job_output.h"
#include "drender/settings/job_settings.h"
#include "drender/model/render_model.h"
#include "drender/pjl/pjl_start_commands.h"
#include "drender/model/printer_info.h"
#include "drender/ddi/render_pdev.h"
#include "drender/text/text_pdev.h"
#include "common/win/export_guard.h"

namespace {

constexpr uint32_t kBandOrderPortrait = 17;
constexpr uint32_t kBandOrderTurnedBack = 18;
constexpr uint32_t kBandOrderLandscape = 34;

void CopyName(wchar_t* to, const wchar_t* from) {
  std::memset(to, 0, kPdevNameChars * sizeof(wchar_t));
  if (!from) return;
  size_t n = 0;
  while (n < kPdevNameChars - 1 && from[n]) ++n;
  wmemcpy(to, from, n);
}

const DocDMode* Doc(const RenderPdev* pdev) { return &pdev->state.live->devmode.doc; }

// What the settings fix for the whole job.
void Rdc_InitJobBlock(RenderPdev* pdev) {
  RenderJobBlock& job = pdev->state.job;
  const WorkDevMode& settings = *pdev->state.live;
  const DocDMode* doc = &settings.devmode.doc;
  std::memset(&job, 0, sizeof job);
  job.orientation = DocByte(doc, kDocOrientationAt);
  job.resolutionX = static_cast<uint16_t>(DocI16(doc, kDocResolutionXAt));
  job.resolutionY = static_cast<uint16_t>(DocI16(doc, kDocResolutionXAt + 2));
  job.resolutionAspect = static_cast<uint16_t>(DocI16(doc, kDocResolutionXAt + 4));
  std::memcpy(job.colorHead, &settings.device, sizeof job.colorHead);
  std::memcpy(job.deviceTail, reinterpret_cast<const uint8_t*>(&settings.device) + sizeof(DevDMode) - 24, 24);
  job.copies = static_cast<uint16_t>(DocI16(doc, kDocCopiesAt));
  job.outputBufferSize = kOutputBufferCapacity;
  job.surfaceKind = 2;
  job.paletteKind = 2;
  job.optionA = 0x49;
  job.optionB = 0x2002;
  job.optionC = 0x73FF3;
}

// The font module: VELDRANQ.DLL in the directory of the printer's driver.
HANDLE OpenFontModule(HANDLE printer) {
  DWORD needed = 0;
  if (GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
      needed == 0) {
    return nullptr;
  }
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[needed]);
  if (!block || !GetPrinterDriverW(printer, nullptr, 2, block.get(), needed, &needed)) return nullptr;
  const wchar_t* driverPath = reinterpret_cast<const DRIVER_INFO_2W*>(block.get())->pDriverPath;
  wchar_t path[MAX_PATH + 16] = {};
  size_t dir = 0;
  if (driverPath) {
    size_t length = wcsnlen(driverPath, MAX_PATH);
    dir = length;
    while (dir > 0 && driverPath[dir - 1] != L'\\') --dir;
    wmemcpy(path, driverPath, dir);
  }
  wcscpy(path + dir, L"VELDRANQ.DLL");
  const DdiServices* services = Ddi_Services();
  return services->EngLoadModule ? services->EngLoadModule(path) : nullptr;
}

void ReleaseDeviceObjects(RenderPdev* pdev) {
  const DdiServices* services = Ddi_Services();
  if (pdev->state.palette && services->EngDeletePalette) services->EngDeletePalette(pdev->state.palette);
  if (pdev->state.fontModule && services->EngFreeModule) services->EngFreeModule(pdev->state.fontModule);
  pdev->state.palette = nullptr;
  pdev->state.fontModule = nullptr;
  Text_FreePdev(pdev);
  Rdc_FreeColorSettingCommand(pdev->tail.colorCommands);
  pdev->tail.colorCommands = nullptr;
  Pjl_FreeTemplates(pdev);
  std::free(pdev->state.interSheetTable);
  pdev->state.interSheetTable = nullptr;
}

bool SetUpDevice(RenderPdev* pdev, const wchar_t* printerName, const wchar_t* port, HANDLE printer) {
  RenderPdevState& s = pdev->state;
  CopyName(s.printerName, printerName);
  CopyName(s.portName, port);
  const DocDMode* doc = Doc(pdev);
  const uint32_t orientation = s.job.orientation;
  PageFrame frame;
  Page_ComputeJobFrame(Rdc_Model(), doc, s.job.resolutionX, s.job.resolutionY, orientation, &frame);
  for (PageFrame& f : s.frames) f = frame;
  s.minBands = 1;
  s.maxBands = 1;
  s.rowAlignment = 4;
  s.bandGranularity = 1;
  s.bandOrder = orientation == 1 ? kBandOrderPortrait
                : DocByte(doc, kDocLandscapeRotationAt) == 1 ? kBandOrderTurnedBack
                                                              : kBandOrderLandscape;
  s.forcedBanding = 0;
  Rdc_BuildDefaultFonts(s.fonts, s.job.resolutionX);
  s.printer = printer;
  if (s.job.optionA & kOptionAOpenFontModule) {
    s.fontModule = OpenFontModule(printer);
    if (!s.fontModule) return false;
  }
  const DdiServices* services = Ddi_Services();
  s.palette = services->EngCreatePalette
                  ? services->EngCreatePalette(s.job.paletteKind == 2 ? PAL_RGB : PAL_BGR, 0, nullptr, 0, 0, 0)
                  : nullptr;
  if (!s.palette) return false;
  s.pageOrientation = orientation;
  s.resolutionX = s.job.resolutionX;
  s.resolutionY = s.job.resolutionY;
  s.resolutionAspect = s.job.resolutionAspect;
  s.copies = s.job.copies;
  s.output = RenderOutputBuffer{nullptr, 0, s.job.outputBufferSize, 0, 0};
  const uint32_t head[3] = {2, 7, 0};
  std::memcpy(s.colorBlock, head, sizeof head);
  std::memcpy(s.colorBlock + sizeof head, &Rdc_DeviceColorInfo(), sizeof(COLORINFO));
  return true;
}

// The PDEV's colour-setting command table, from the description beside the
// module; none when the description or its section is missing.
void Rdc_ReadColorSettingCommand(RenderPdev* pdev) {
  if (QxdContext* description = QxdOpenBeside(Rdc_Module(), L"VELDRANH.QXD")) {
    pdev->tail.colorCommands = Rdc_BuildColorSettingCommand(description);
    QxdClose(description);
  }
}

RenderPdev* Checked(DHPDEV handle) {
  if (!Rdc_IsValidPdev(handle)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return reinterpret_cast<RenderPdev*>(handle);
}

uint32_t WriteJobBytes(void* pdev, const uint8_t* bytes, uint32_t length) {
  return Rdc_WriteBytes(static_cast<RenderPdev*>(pdev), bytes, length);
}

void FreePdev(RenderPdev* pdev) {
  // A job that was never ended leaves no temporary file behind.
  Rdc_DiscardJob(pdev);
  XL_CacheLifetime(&pdev->state.gs, kXlLifetimePdevEnd);
  std::free(pdev->state.output.block);
  pdev->state.output.block = nullptr;
  ReleaseDeviceObjects(pdev);
  GlobalFree(pdev->state.self);
}

}  // namespace

BOOL Rdc_IsValidPdev(const void* pointer) {
  if (!pointer) return FALSE;
  const auto* pdev = static_cast<const RenderPdev*>(pointer);
  return pdev->marker == kJobRecordMarker && pdev->size == kJobRecordSize && pdev->marker2 == kJobRecordMarker;
}

extern "C" DHPDEV APIENTRY DrvEnablePDEV(DEVMODEW* devmode, LPWSTR logicalAddress, ULONG patternCount,
                                         HSURF* patterns, ULONG capsSize, ULONG* caps, ULONG devInfoSize,
                                         DEVINFO* devInfo, HDEV, LPWSTR, HANDLE printer) try {
  if (!Rdc_LoadModelInfo()) return nullptr;
  Rdc_DefaultPaperId();
  wchar_t printerName[kPdevNameChars];
  if (!Rdc_GetPrinterInfo(printer, printerName, sizeof printerName, kPrinterInfoPrinterName)) {
    Rdc_ReleaseModelInfo();
    return nullptr;
  }
  HGLOBAL block = GlobalAlloc(GPTR, sizeof(RenderPdev));
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    Rdc_ReleaseModelInfo();
    return nullptr;
  }
  auto* pdev = static_cast<RenderPdev*>(static_cast<void*>(block));
  pdev->state.self = block;
  bool ok = Rdc_GetSettings(&pdev->settings, devmode, printer, printerName, kSettingsCopyWhole | kSettingsMergeAlso);
  if (ok) {
    pdev->marker = kJobRecordMarker;
    pdev->marker2 = kJobRecordMarker;
    pdev->size = kJobRecordSize;
    pdev->state.live = &pdev->settings;
    XL_InitEncoder(&pdev->state.xl, &WriteJobBytes, pdev);
    XL_CacheLifetime(&pdev->state.gs, kXlLifetimePdevBuild);
    Rdc_InitJobBlock(pdev);
    ok = SetUpDevice(pdev, printerName, logicalAddress, printer);
  }
  // The graphics state of the encoder starts afresh with the job; the
  // colour-setting commands and the PJL command templates come with it.
  if (ok) {
    Rdc_ReadColorSettingCommand(pdev);
    Pjl_LoadTemplates(pdev);
  }
  if (!ok) {
    FreePdev(pdev);
    Rdc_ReleaseModelInfo();
    return nullptr;
  }
  const RenderPdevState& s = pdev->state;
  Rdc_FillGdiInfo(DeviceCapsInput{&s.frames[0], s.resolutionX, s.resolutionY, s.resolutionAspect, s.job.orientation},
                  caps, capsSize);
  const DocDMode* doc = Doc(pdev);
  DevInfoInput info{s.live->device.option.emfSpool == 0, DocByte(doc, kDocOverlayCreateAt) != 0,
                    DocByte(doc, kDocWatermarkAt) != 0 || DocByte(doc, kDocFaxCoverSheetAt) != 0, IsVistaOrLater(),
                    s.fonts, s.palette};
  Rdc_FillDevInfo(info, devInfo, devInfoSize);
  if (patterns) std::memset(patterns, 0, patternCount * sizeof(HSURF));
  return reinterpret_cast<DHPDEV>(pdev);
} catch (...) {
  return ExportFailed("DrvEnablePDEV", DHPDEV{nullptr});
}

extern "C" VOID APIENTRY DrvCompletePDEV(DHPDEV handle, HDEV hdev) {
  if (RenderPdev* pdev = Checked(handle)) pdev->state.hdev = hdev;
}

extern "C" VOID APIENTRY DrvDisablePDEV(DHPDEV handle) try {
  RenderPdev* pdev = Checked(handle);
  if (!pdev) return;
  pdev->state.deviceFontCount = 0;
  // Clear the markers first: a stale pointer to the freed block fails the check.
  pdev->marker = 0;
  pdev->marker2 = 0;
  FreePdev(pdev);
  Rdc_ReleaseModelInfo();
} catch (...) {
  ExportFailed("DrvDisablePDEV");
}

extern "C" BOOL APIENTRY DrvResetPDEV(DHPDEV oldHandle, DHPDEV newHandle) try {
  if (!Rdc_IsValidPdev(oldHandle) || !Rdc_IsValidPdev(newHandle)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto* from = reinterpret_cast<RenderPdev*>(oldHandle);
  auto* to = reinterpret_cast<RenderPdev*>(newHandle);
  RenderPdevState& a = from->state;
  RenderPdevState& b = to->state;
  // A page still open on the old PDEV ends there; what the old PDEV still
  // holds goes to the spooler before the new one takes the job over.
  if (from->state.output.jobFlags & kJobPageOpen) Rdc_EndPage(from);
  Rdc_FlushOutput(from);
  b.output.jobFlags = a.output.jobFlags;
  b.docPageCount = a.docPageCount;
  b.totalPageCount = a.totalPageCount;
  if (a.portName[0]) CopyName(b.portName, a.portName);
  if (a.docName[0]) CopyName(b.docName, a.docName);
  if (a.furtherName[0]) CopyName(b.furtherName, a.furtherName);
  b.lastJobNumber = a.lastJobNumber;
  Pjl_MoveJobData(from, to);
  // The job state moves before the job number: a new PDEV without a job
  // number of its own goes on with the job's settings.
  Rdc_CarryJobState(from, to);
  if (a.jobNumber) b.jobNumber = a.jobNumber;
  b.headerWritten = a.headerWritten;
  // The tab-paper table now belongs to the new PDEV alone.
  if (a.interSheetTable) {
    std::free(b.interSheetTable);
    b.interSheetTable = a.interSheetTable;
    a.interSheetTable = nullptr;
  }
  return TRUE;
} catch (...) {
  return ExportFailed("DrvResetPDEV", BOOL{FALSE});
}
