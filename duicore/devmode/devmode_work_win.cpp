#include "duicore/devmode/devmode_work_win.h"

#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>

#include "common/win/devmode_store_win.h"
#include "common/records/devmode_field_guard.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/contracts/self_devmode_reset_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/win/drv_trace.h"
#include "common/win/file_version_win.h"
#include "common/win/export_guard.h"
#include "duicore/module/core_module_win.h"
#include "duicore/module/device_description_win.h"
#include "duicore/module/host_program.h"
#include "duicore/printer/printer_access_win.h"

static_assert(sizeof(DEVMODEW) == kDevModeWSize);
static_assert(offsetof(DEVMODEW, dmSize) == kDevModeSizeAt);
static_assert(offsetof(DEVMODEW, dmDriverExtra) == kDevModeDriverExtraAt);
static_assert(offsetof(DEVMODEW, dmLogPixels) == offsetof(PublicDevMode, displayFields));
static_assert(offsetof(DEVMODEW, dmDisplayFrequency) == offsetof(PublicDevMode, displayFields) + 18);
// The shared field extents name the same bytes as the system's DEVMODEW.
#define SAME_EXTENT(bit, member)                                                                           \
  static_assert(DevModeFieldOf(bit).offset == offsetof(DEVMODEW, member) && \
                DevModeFieldOf(bit).size == sizeof(DEVMODEW::member))
SAME_EXTENT(DM_ORIENTATION, dmOrientation);
SAME_EXTENT(DM_PAPERSIZE, dmPaperSize);
SAME_EXTENT(DM_PAPERLENGTH, dmPaperLength);
SAME_EXTENT(DM_PAPERWIDTH, dmPaperWidth);
SAME_EXTENT(DM_SCALE, dmScale);
SAME_EXTENT(DM_COPIES, dmCopies);
SAME_EXTENT(DM_DEFAULTSOURCE, dmDefaultSource);
SAME_EXTENT(DM_PRINTQUALITY, dmPrintQuality);
SAME_EXTENT(DM_COLOR, dmColor);
SAME_EXTENT(DM_DUPLEX, dmDuplex);
SAME_EXTENT(DM_YRESOLUTION, dmYResolution);
SAME_EXTENT(DM_TTOPTION, dmTTOption);
SAME_EXTENT(DM_COLLATE, dmCollate);
SAME_EXTENT(DM_FORMNAME, dmFormName);
SAME_EXTENT(DM_LOGPIXELS, dmLogPixels);
SAME_EXTENT(DM_BITSPERPEL, dmBitsPerPel);
SAME_EXTENT(DM_PELSWIDTH, dmPelsWidth);
SAME_EXTENT(DM_PELSHEIGHT, dmPelsHeight);
SAME_EXTENT(DM_NUP, dmNup);
SAME_EXTENT(DM_DISPLAYFREQUENCY, dmDisplayFrequency);
SAME_EXTENT(DM_ICMMETHOD, dmICMMethod);
SAME_EXTENT(DM_ICMINTENT, dmICMIntent);
SAME_EXTENT(DM_MEDIATYPE, dmMediaType);
SAME_EXTENT(DM_DITHERTYPE, dmDitherType);
SAME_EXTENT(DM_PANNINGWIDTH, dmPanningWidth);
SAME_EXTENT(DM_PANNINGHEIGHT, dmPanningHeight);
#undef SAME_EXTENT
static_assert(std::size(kDevModeFieldExtents) == 26);

namespace {

constexpr DWORD kSettingsChangeTimeoutMs = 5000;

constexpr size_t kFieldsEnd = offsetof(DEVMODEW, dmFields) + sizeof(DEVMODEW::dmFields);

DEVMODEW* PublicOf(WorkDevMode* work) { return reinterpret_cast<DEVMODEW*>(work->devmode.publicPart); }

void SetHandleField(WorkDevMode* work, HANDLE printer) { work->devmode.doc.printerHandle = printer; }

bool HostIsSpreadsheet() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  return length != 0 && length <= MAX_PATH && IsSpreadsheetHost(path);
}

// The executable's file name and the major product version of its version
// resource (0 without one).
void StampHostProgram(DocDMode* doc) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) path[0] = L'\0';
  char16_t name[kDocHostProgramNameUnits];
  CopyHostFileName(path, name, kDocHostProgramNameUnits);
  std::memcpy(DocBytes(doc) + kDocHostProgramNameAt, name, sizeof name);
  SetDocU32(doc, kDocHostProgramVersionAt, FileProductMajorVersion(path));
}

}  // namespace

DWORD DriverVersion() {
  auto get = BindUiProc<PrcGetDriverVersionFn>(kPrcGetDriverVersion);
  return get != nullptr ? get() : 0;
}

bool ValidateDevMode(const DEVMODEW* devmode) {
  if (devmode == nullptr) return false;
  const size_t declared = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
  if (devmode->dmSize != kDevModeWSize || devmode->dmDriverExtra != kDriverDevModeExtra) return false;
  return IsDriverDevModeOfVersion(devmode, declared, DriverVersion());
}

bool CopyCallerPublicPart(const DEVMODEW* devmode, DEVMODEW* out) {
  std::memset(out, 0, sizeof *out);
  if (devmode == nullptr || devmode->dmSize < kFieldsEnd) return false;
  const size_t taken = devmode->dmSize < sizeof *out ? devmode->dmSize : sizeof *out;
  std::memcpy(out, devmode, taken);
  out->dmSize = static_cast<WORD>(taken);
  out->dmDriverExtra = 0;
  out->dmFields = DevModeFieldsInside(out->dmFields, taken);
  return true;
}

void CopyPrivateArea(DriverDevMode* to, const DriverDevMode* from) {
  std::memcpy(&to->doc, &from->doc, sizeof to->doc);
  to->magic = from->magic;
}

void WriteStandardHead(DEVMODEW* devmode) {
  devmode->dmSpecVersion = kDriverSpecVersion;
  devmode->dmDriverVersion = static_cast<WORD>(DriverVersion());
  devmode->dmSize = kDevModeWSize;
  devmode->dmDriverExtra = kDriverDevModeExtra;
  devmode->dmFields = kHeadFields;
  ApplyHeadRules(devmode);
}

void ApplyHeadRules(DEVMODEW* devmode) {
  if (ModelAsksForCollateField(CoreDescription().model)) {
    devmode->dmFields |= DM_COLLATE;
    devmode->dmCollate = DMCOLLATE_FALSE;
  }
  if (HostIsSpreadsheet()) devmode->dmFields &= ~kHostRuleFields;
}

extern "C" BOOL WINAPI _UdcResetSelfDMode(void* record, HANDLE printerOrName, const wchar_t* printerName) try {
  if (record == nullptr) return FALSE;
  auto* work = static_cast<WorkDevMode*>(record);
  DEVMODEW* devmode = PublicOf(work);
  std::memset(devmode, 0, sizeof *devmode);
  WriteStandardHead(devmode);
  SetHandleField(work, printerOrName);
  auto resetDoc = BindUiProc<PrcResetDocDModeFn>(kPrcResetDocDMode);
  auto resetDev = BindUiProc<PrcResetDevDModeFn>(kPrcResetDevDMode);
  if (resetDoc == nullptr) {
    DRV_TRACE("VELDRANK: %s not bound from VELDRANA.DLL", kPrcResetDocDMode);
    return FALSE;
  }
  if (!resetDoc(devmode, &work->devmode.doc, 0, printerName)) return FALSE;
  if (resetDev == nullptr) return TRUE;
  return resetDev(&work->device, 0, printerName);
} catch (...) {
  return ExportFailed("_UdcResetSelfDMode", BOOL{FALSE});
}

static_assert(std::is_same_v<decltype(&_UdcResetSelfDMode), UdcResetSelfDModeFn>);

BOOL ResetWorkDevMode(WorkDevMode* work, HANDLE printer, const wchar_t* printerName) {
  const BOOL result = _UdcResetSelfDMode(work, printer, printerName);
  work->devmode.magic = kDriverDevModeMagic;
  return result;
}

bool LoadPrivateDevMode(WorkDevMode* work, HANDLE printer, const wchar_t* printerName) {
  if (GetPrinterInfoField(printer, printerName, &work->devmode, sizeof work->devmode, kPrinterFieldDevMode) &&
      ValidateDevMode(PublicOf(work))) {
    // Each piece must have exactly its own size: anything else is not a
    // record of ours, and the stored settings count as absent.
    DWORD status = 0;
    if (ReadPrivateDevModeData(printer, &work->device, &status) == kDevModeStoreOk) return true;
  }
  std::memset(work, 0, sizeof *work);
  ResetWorkDevMode(work, printer, printerName);
  SealDriverDevMode(&work->devmode);
  return true;
}

bool SavePrivateDevMode(const WorkDevMode* work, HANDLE printer, const wchar_t*) {
  return WritePrivateDevModeData(printer, &work->device) == kDevModeStoreOk;
}

void SetDevModeHead(WorkDevMode* work, HANDLE printer, const wchar_t* printerName) {
  WriteStandardHead(PublicOf(work));
  SetHandleField(work, printer);
  auto update = BindUiProc<PrcUpdateCmnDModeAreaFn>(kPrcUpdateCmnDModeArea);
  if (update != nullptr) update(PublicOf(work), &work->devmode.doc, &work->device, 0, printerName);
}

DWORD BuildWorkDevMode(void* out, const DEVMODEW* input, HANDLE printer, const wchar_t* printerName,
                       DWORD flags) {
  if (flags == 0) return kWorkDevModeSize;
  std::unique_ptr<WorkDevMode> scratch(new (std::nothrow) WorkDevMode());
  if (!scratch) return 0;
  WorkDevMode* work = scratch.get();
  LoadPrivateDevMode(work, printer, printerName);

  auto normalize = BindUiProc<PrcNormalizeDModeFn>(kPrcNormalizeDMode);
  SetHandleField(work, printer);
  if ((flags & (kBuildMergeInput | kBuildMergeInput2)) != 0 && input != nullptr) {
    if (ValidateDevMode(input)) {
      CopyPrivateArea(&work->devmode, reinterpret_cast<const DriverDevMode*>(input));
    } else {
      DRV_TRACE("VELDRANK: the caller's DEVMODE private area is refused; its standard fields still count");
    }
    SetHandleField(work, printer);
    if (normalize != nullptr) normalize(PublicOf(work), &work->devmode.doc, 0, printerName);
    ApplyHeadRules(PublicOf(work));
    // The caller's standard fields, read only within the size it declares.
    DEVMODEW publicPart;
    auto merge = BindUiProc<PrcMergeDModeFn>(kPrcMergeDMode);
    if (merge != nullptr && CopyCallerPublicPart(input, &publicPart)) {
      SetHandleField(work, printer);
      merge(PublicOf(work), &work->devmode.doc, 0, &publicPart, printerName, &work->device.option);
    }
  } else {
    if (normalize != nullptr) normalize(PublicOf(work), &work->devmode.doc, 0, printerName);
    ApplyHeadRules(PublicOf(work));
  }

  if ((flags & kBuildSave) != 0) {
    SavePrivateDevMode(work, printer, printerName);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVMODECHANGE, 0, reinterpret_cast<LPARAM>(printerName),
                        SMTO_ABORTIFHUNG, kSettingsChangeTimeoutMs, &ignored);
  }
  // The whole DEVMODE goes out, also when the caller's DEVMODE was not
  // ours: its standard fields are merged into the stored settings, and the
  // private area handed out is the one that was merged into.
  if ((flags & kBuildOutDevMode) != 0 && out != nullptr) {
    std::memcpy(out, &work->devmode, sizeof work->devmode);
  }
  if ((flags & kBuildOutWork) != 0 && out != nullptr) std::memcpy(out, work, sizeof *work);
  if (out != nullptr) {
    DocDMode* doc = &static_cast<DriverDevMode*>(out)->doc;
    StampHostProgram(doc);
    SealDocDMode(doc);
  }
  return 1;
}
