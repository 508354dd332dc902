// The host's part of the graphics-driver entry library.
#include "tests/ddi_host/ddi_host.h"

#include <winspool.h>

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

DWORD DdiHost::StartSpoolerJob(HANDLE printer, const wchar_t* docName, const wchar_t* outputFile) {
  DOC_INFO_1W info{};
  info.pDocName = const_cast<wchar_t*>(docName);
  info.pOutputFile = const_cast<wchar_t*>(outputFile);
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  return StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&info));
}

bool DdiHost::EndSpoolerJob(HANDLE printer) { return EndDocPrinter(printer) != 0; }

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
