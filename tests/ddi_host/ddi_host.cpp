// The host's part of the graphics-driver entry library.
#include "tests/ddi_host/ddi_host.h"

#include <winspool.h>

#include <cstring>
#include <memory>

#include "common/contracts/private_escapes.h"
#include "common/records/job_record.h"

namespace {
constexpr uint32_t kDeviceMagic = 0x48444556;  // "HDEV"
}

DdiHost::~DdiHost() { Unload(); }

bool DdiHost::Load(const std::wstring& path) {
  Unload();
  module_ = LoadLibraryW(path.c_str());
  if (!module_) return false;
  auto query = FromPfn<PFN_QueryFunctionTblPtr>(GetProcAddress(module_, "QueryFunctionTblPtr"));
  if (!query) {
    Unload();
    return false;
  }
  DWORD count = query(nullptr, 0);
  if (count == 0 || count > sizeof(rows_) / sizeof(rows_[0])) {
    Unload();
    return false;
  }
  rowCount_ = query(rows_, count);
  if (rowCount_ != count) {
    Unload();
    return false;
  }
  DdiHost_SetRealizeBrush(Function(INDEX_DrvRealizeBrush));
  return true;
}

void DdiHost::Unload() {
  if (module_) DdiHost_SetRealizeBrush(nullptr);
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  rowCount_ = 0;
}

PFN DdiHost::Function(ULONG index) const {
  for (DWORD i = 0; i < rowCount_; ++i) {
    if (rows_[i].iFunc == index) return rows_[i].pfn;
  }
  return nullptr;
}

DHPDEV DdiHost::EnablePdev(HANDLE printer, const wchar_t* printerName, DEVMODEW* devmode, ULONG gdiInfoSize,
                           void* gdiInfo, ULONG devInfoSize, void* devInfo) {
  auto enable = Get<PFN_DrvEnablePDEV>(INDEX_DrvEnablePDEV);
  auto complete = Get<PFN_DrvCompletePDEV>(INDEX_DrvCompletePDEV);
  if (!enable || !complete) return nullptr;
  HostDevice* device = nullptr;
  for (HostDevice& d : devices_) {
    if (d.magic != kDeviceMagic) {
      device = &d;
      break;
    }
  }
  if (!device) return nullptr;
  device->magic = kDeviceMagic;
  device->pdev = nullptr;
  HSURF patterns[32] = {};
  wchar_t port[] = L"FILE:";
  std::wstring name = printerName ? printerName : L"";
  DHPDEV pdev = enable(devmode, port, 32, patterns, gdiInfoSize, static_cast<ULONG*>(gdiInfo), devInfoSize,
                       static_cast<DEVINFO*>(devInfo), reinterpret_cast<HDEV>(device), name.data(), printer);
  if (!pdev) {
    device->magic = 0;
    return nullptr;
  }
  device->pdev = pdev;
  if (gdiInfo && gdiInfoSize >= sizeof(GDIINFO)) std::memcpy(&gdiInfo_, gdiInfo, sizeof(GDIINFO));
  complete(pdev, reinterpret_cast<HDEV>(device));
  return pdev;
}

HDEV DdiHost::DeviceOf(DHPDEV pdev) const {
  for (const HostDevice& d : devices_) {
    if (d.magic == kDeviceMagic && d.pdev == pdev) return reinterpret_cast<HDEV>(const_cast<HostDevice*>(&d));
  }
  return nullptr;
}

void DdiHost::DisablePdev(DHPDEV pdev) {
  auto disable = Get<PFN_DrvDisablePDEV>(INDEX_DrvDisablePDEV);
  if (disable) disable(pdev);
  for (HostDevice& d : devices_) {
    if (d.magic == kDeviceMagic && d.pdev == pdev) d = HostDevice{};
  }
}

BOOL DdiHost::ResetPdev(DHPDEV oldPdev, DHPDEV newPdev) {
  auto reset = Get<PFN_DrvResetPDEV>(INDEX_DrvResetPDEV);
  return reset ? reset(oldPdev, newPdev) : FALSE;
}

namespace {

// Wine's spooler numbers jobs per process, from 1, and names a job's spool
// file after its number alone, so two test programs printing at once in the
// one prefix write the same spool file: one is refused, or its job file is
// cut short or holds the other's bytes.  A job therefore holds this lock,
// shared by every process of the prefix, from its start to its end.  A
// program that dies holding it leaves it abandoned, which the next waiter
// takes as its own.
HANDLE SpoolerJobLock() {
  static HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\FaxDriverTestSpoolerJob");
  return lock;
}
thread_local int jobLocksHeld = 0;

void TakeSpoolerJobLock() {
  // A job left open by a failed test holds the lock until its process
  // ends; waiting longer than any job runs keeps the others going.
  if (SpoolerJobLock() == nullptr) return;
  const DWORD waited = WaitForSingleObject(SpoolerJobLock(), 120000);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ++jobLocksHeld;
}

void ReleaseSpoolerJobLock() {
  if (jobLocksHeld > 0 && ReleaseMutex(SpoolerJobLock())) --jobLocksHeld;
}

}  // namespace

DWORD DdiHost::StartSpoolerJob(HANDLE printer, const wchar_t* docName, const wchar_t* outputFile) {
  DOC_INFO_1W info{};
  info.pDocName = const_cast<wchar_t*>(docName);
  info.pOutputFile = const_cast<wchar_t*>(outputFile);
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  TakeSpoolerJobLock();
  const DWORD job = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&info));
  if (job == 0) ReleaseSpoolerJobLock();
  return job;
}

bool DdiHost::EndSpoolerJob(HANDLE printer) {
  const bool ended = EndDocPrinter(printer) != 0;
  ReleaseSpoolerJobLock();
  return ended;
}

SURFOBJ* DdiHost::EnableSurface(DHPDEV pdev) {
  auto enable = Get<PFN_DrvEnableSurface>(INDEX_DrvEnableSurface);
  if (!enable) return nullptr;
  HSURF surface = enable(pdev);
  return surface ? EngLockSurfaceForHost(surface) : nullptr;
}

void DdiHost::DisableSurface(DHPDEV pdev) {
  auto disable = Get<PFN_DrvDisableSurface>(INDEX_DrvDisableSurface);
  if (disable) disable(pdev);
}

ULONG DdiHost::Escape(SURFOBJ* surface, ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out) {
  auto escape = Get<PFN_DrvEscape>(INDEX_DrvEscape);
  return escape ? escape(surface, code, inSize, const_cast<void*>(in), outSize, out) : 0;
}

DdiHost::JobResult DdiHost::RunJob(HANDLE printer, const wchar_t* printerName, DEVMODEW* devmode,
                                   const wchar_t* docName, const wchar_t* outputFile, int pages,
                                   const std::function<void(SURFOBJ*, int)>& draw) {
  JobResult result;
  GDIINFO gdiInfo{};
  DEVINFO devInfo{};
  DHPDEV pdev = EnablePdev(printer, printerName, devmode, sizeof(gdiInfo), &gdiInfo, sizeof(devInfo), &devInfo);
  if (!pdev) {
    result.failedStep = "DrvEnablePDEV";
    return result;
  }
  SURFOBJ* surface = EnableSurface(pdev);
  auto startDoc = Get<PFN_DrvStartDoc>(INDEX_DrvStartDoc);
  auto startPage = Get<PFN_DrvStartPage>(INDEX_DrvStartPage);
  auto sendPage = Get<PFN_DrvSendPage>(INDEX_DrvSendPage);
  auto endDoc = Get<PFN_DrvEndDoc>(INDEX_DrvEndDoc);
  if (!surface) {
    result.failedStep = "DrvEnableSurface";
  } else if ((result.jobId = StartSpoolerJob(printer, docName, outputFile)) == 0) {
    result.failedStep = "StartDocPrinter";
  } else {
    std::wstring name = docName ? docName : L"";
    bool ok = startDoc && startDoc(surface, name.data(), result.jobId);
    if (!ok) result.failedStep = "DrvStartDoc";
    for (int page = 0; ok && page < pages; ++page) {
      if (!startPage || !startPage(surface)) {
        result.failedStep = "DrvStartPage";
        ok = false;
        break;
      }
      if (draw) draw(surface, page);
      if (!sendPage || !sendPage(surface)) {
        result.failedStep = "DrvSendPage";
        ok = false;
      }
    }
    // The document is ended even after a failure, as GDI does (aborted).
    if (endDoc && !endDoc(surface, ok ? 0 : ED_ABORTDOC) && ok) {
      result.failedStep = "DrvEndDoc";
      ok = false;
    }
    if (!EndSpoolerJob(printer) && ok) {
      result.failedStep = "EndDocPrinter";
      ok = false;
    }
    result.ok = ok;
  }
  if (surface) DisableSurface(pdev);
  DisablePdev(pdev);
  return result;
}

DdiHost::JobResult DdiHost::RunFaxJob(HANDLE printer, const wchar_t* printerName, const FaxJob& job) {
  JobResult result;
  GDIINFO gdiInfo{};
  DEVINFO devInfo{};
  DHPDEV pdev = EnablePdev(printer, printerName, job.devmode, sizeof(gdiInfo), &gdiInfo, sizeof(devInfo), &devInfo);
  if (!pdev) {
    result.failedStep = "DrvEnablePDEV";
    return result;
  }
  SURFOBJ* surface = EnableSurface(pdev);
  auto startDoc = Get<PFN_DrvStartDoc>(INDEX_DrvStartDoc);
  auto startPage = Get<PFN_DrvStartPage>(INDEX_DrvStartPage);
  auto sendPage = Get<PFN_DrvSendPage>(INDEX_DrvSendPage);
  auto endDoc = Get<PFN_DrvEndDoc>(INDEX_DrvEndDoc);
  std::unique_ptr<uint8_t[]> record(new uint8_t[kJobRecordSize]);
  auto readRecord = [&] { return Escape(surface, kEscGetJobData, 0, nullptr, kJobRecordSize, record.get()) == 1; };
  if (!surface) {
    result.failedStep = "DrvEnableSurface";
  } else if ((result.jobId = StartSpoolerJob(printer, job.docName, job.outputFile)) == 0) {
    result.failedStep = "StartDocPrinter";
  } else {
    bool ok = true;
    auto step = [&](bool done, const char* name) {
      if (!done && ok) {
        ok = false;
        result.failedStep = name;
      }
    };
    if (job.events) {
      auto event = [&](int code, const char* name) { step(job.events(code, surface, result.jobId) != -1, name); };
      event(5, "start-document event");
      std::wstring name = job.docName ? job.docName : L"";
      step(startDoc && startDoc(surface, name.data(), result.jobId), "DrvStartDoc");
      event(13, "start-document-post event");
      for (int page = 0; ok && page < job.pages; ++page) {
        // GDI sends the start-page event before it hands StartPage on to
        // the driver, and the end-page event before DrvSendPage.
        event(6, "start-page event");
        step(startPage && startPage(surface), "DrvStartPage");
        if (ok && job.draw) job.draw(surface, page);
        event(7, "end-page event");
        if (page + 1 < job.pages || job.sendLastPage) step(sendPage && sendPage(surface), "DrvSendPage");
      }
      if (ok) event(8, "end-document event");
    } else {
      // Start-document event.
      if (!job.jobId.empty()) {
        std::string id = job.jobId;
        id.resize(id.size() < kJobIdBytes ? kJobIdBytes : id.size() + 1, '\0');
        step(Escape(surface, kEscSetJobId, static_cast<ULONG>(id.size()), id.data(), 0, nullptr) == 1, "set job id");
      }
      step(readRecord(), "read job record");
      step(Escape(surface, kEscSetDevOption, kDevOptionSize, record.get() + kJobRecordDevOptionAt, 0, nullptr) == 1,
           "set device options");
      if (job.fax) {
        step(Escape(surface, kEscSetFaxData, sizeof(FaxSendBlock), job.fax, 0, nullptr) == 1, "set fax data");
      }
      if (job.cancelFax) step(Escape(surface, kEscFaxCancelled, 0, nullptr, 0, nullptr) == 1, "fax cancelled");
      std::wstring name = job.docName ? job.docName : L"";
      step(startDoc && startDoc(surface, name.data(), result.jobId), "DrvStartDoc");
      // Start-document-post event: the drop queries.
      uint32_t drop = 0;
      step(Escape(surface, kEscQueryDrop2, 0, nullptr, sizeof drop, &drop) == 1, "query drop");
      step(Escape(surface, kEscQueryDrop1, 0, nullptr, sizeof drop, &drop) == 1, "query drop");
      for (int page = 0; ok && page < job.pages; ++page) {
        step(startPage && startPage(surface), "DrvStartPage");
        step(readRecord(), "read job record");
        if (ok && job.draw) job.draw(surface, page);
        const uint32_t on = 1, off = 0;
        step(Escape(surface, kEscSetUiDraw, 4, &on, 0, nullptr) == 1, "watermark on");
        step(Escape(surface, kEscSetUiDraw, 4, &off, 0, nullptr) == 1, "watermark off");
        step(readRecord(), "read job record");
        if (page + 1 < job.pages || job.sendLastPage) step(sendPage && sendPage(surface), "DrvSendPage");
      }
      // End-document event: the fax cover pages, then the escapes before
      // DrvEndDoc.
      if (ok) {
        std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
        std::memset(fax.get(), 0, sizeof(FaxSendBlock));
        step(Escape(surface, kEscGetFaxData, 0, nullptr, sizeof(FaxSendBlock), fax.get()) == 1, "get fax data");
        int covers = 0;
        if (fax->faxSetting.fgFaxCoverSheet) {
          const bool each = fax->coverSheet[kFaxCoverRecipientModeAt] != 0 &&
                            fax->coverSheet[kFaxCoverRecipientSettingAt] == 1;
          covers = each ? fax->wRecipientCount : 1;
        }
        for (int cover = 0; ok && cover < covers; ++cover) {
          step(Escape(surface, kEscResetPageCount, 0, nullptr, 0, nullptr) == 1, "reset page count");
          if (job.drawCover) job.drawCover(surface, cover);
          step(Escape(surface, kEscReleaseFonts, 0, nullptr, 0, nullptr) == 1, "release fonts");
          // A4 drawn at 200 dpi, printable area of the same size, portrait.
          uint8_t geometry[kStorePageBytes] = {};
          const uint16_t paper = 9;
          const uint32_t sizes[4] = {1653, 2338, 1653, 2338};
          std::memcpy(geometry, &paper, 2);
          std::memcpy(geometry + 4, sizes, sizeof sizes);
          step(Escape(surface, kEscStorePage, sizeof geometry, geometry, 0, nullptr) == 1, "store cover page");
        }
        if (covers > 0) step(Escape(surface, kEscResetGState, 0, nullptr, 0, nullptr) == 1, "reset graphics state");
      }
      step(Escape(surface, kEscReleaseFonts, 0, nullptr, 0, nullptr) == 1, "release fonts");
      step(Escape(surface, kEscAppendCapture, 0, nullptr, 0, nullptr) == 1, "append capture");
    }
    // The document is ended even after a failure, as GDI does (aborted).
    const bool abort = job.abort || !ok;
    if (endDoc && !endDoc(surface, abort ? ED_ABORTDOC : 0) && ok) {
      result.failedStep = "DrvEndDoc";
      ok = false;
    }
    // End-document-post event.
    if (job.events) {
      job.events(12, surface, result.jobId);
    } else {
      Escape(surface, kEscFreeFaxData, 0, nullptr, 0, nullptr);
      Escape(surface, kEscFreeInterSheetList, 0, nullptr, 0, nullptr);
    }
    if (!EndSpoolerJob(printer) && ok) {
      result.failedStep = "EndDocPrinter";
      ok = false;
    }
    result.ok = ok;
  }
  if (surface) DisableSurface(pdev);
  DisablePdev(pdev);
  return result;
}
