#include "duicore/devmode_work_win.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "common/win/devmode_store_win.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/contracts/self_devmode_reset_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/win/drv_trace.h"
#include "common/win/export_guard.h"
#include "duicore/core_module_win.h"
#include "duicore/host_program.h"
#include "duicore/printer_access_win.h"

static_assert(sizeof(DEVMODEW) == kDevModeWSize);
static_assert(offsetof(DEVMODEW, dmSize) == kDevModeSizeAt);
static_assert(offsetof(DEVMODEW, dmDriverExtra) == kDevModeDriverExtraAt);

namespace {

constexpr DWORD kSettingsChangeTimeoutMs = 5000;

// A field bit of dmFields and the end of the field it names.
struct FieldExtent {
  DWORD bit;
  size_t end;
};

#define FIELD_END(member) (offsetof(DEVMODEW, member) + sizeof(DEVMODEW::member))
const FieldExtent kFieldExtents[] = {
    {DM_ORIENTATION, FIELD_END(dmOrientation)},     {DM_PAPERSIZE, FIELD_END(dmPaperSize)},
    {DM_PAPERLENGTH, FIELD_END(dmPaperLength)},     {DM_PAPERWIDTH, FIELD_END(dmPaperWidth)},
    {DM_SCALE, FIELD_END(dmScale)},                 {DM_COPIES, FIELD_END(dmCopies)},
    {DM_DEFAULTSOURCE, FIELD_END(dmDefaultSource)}, {DM_PRINTQUALITY, FIELD_END(dmPrintQuality)},
    {DM_COLOR, FIELD_END(dmColor)},                 {DM_DUPLEX, FIELD_END(dmDuplex)},
    {DM_YRESOLUTION, FIELD_END(dmYResolution)},     {DM_TTOPTION, FIELD_END(dmTTOption)},
    {DM_COLLATE, FIELD_END(dmCollate)},             {DM_FORMNAME, FIELD_END(dmFormName)},
    {DM_LOGPIXELS, FIELD_END(dmLogPixels)},         {DM_BITSPERPEL, FIELD_END(dmBitsPerPel)},
    {DM_PELSWIDTH, FIELD_END(dmPelsWidth)},         {DM_PELSHEIGHT, FIELD_END(dmPelsHeight)},
    {DM_NUP, FIELD_END(dmNup)},                     {DM_DISPLAYFREQUENCY, FIELD_END(dmDisplayFrequency)},
    {DM_ICMMETHOD, FIELD_END(dmICMMethod)},         {DM_ICMINTENT, FIELD_END(dmICMIntent)},
    {DM_MEDIATYPE, FIELD_END(dmMediaType)},         {DM_DITHERTYPE, FIELD_END(dmDitherType)},
    {DM_PANNINGWIDTH, FIELD_END(dmPanningWidth)},   {DM_PANNINGHEIGHT, FIELD_END(dmPanningHeight)},
};
constexpr size_t kFieldsEnd = FIELD_END(dmFields);
#undef FIELD_END

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
  uint32_t version = 0;
  DWORD ignored = 0;
  const DWORD size = path[0] != L'\0' ? GetFileVersionInfoSizeW(path, &ignored) : 0;
  if (size != 0) {
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[size]);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (data && GetFileVersionInfoW(path, 0, size, data.get()) &&
        VerQueryValueW(data.get(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed != nullptr &&
        fixedSize >= sizeof *fixed) {
      version = HIWORD(fixed->dwProductVersionMS);
    }
  }
  SetDocU32(doc, kDocHostProgramVersionAt, version);
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
  for (const FieldExtent& field : kFieldExtents) {
    if (field.end > taken) out->dmFields &= ~field.bit;
  }
  return true;
}

void CopyPrivateArea(DriverDevMode* to, const DriverDevMode* from) {
  std::memcpy(&to->doc, &from->doc, sizeof to->doc);
  to->magic = from->magic;
}

void StampDocDModeChecksum(DocDMode* doc) { StoreDocDModeChecksum(doc); }

void WriteStandardHead(DEVMODEW* devmode) {
  devmode->dmSpecVersion = kDriverSpecVersion;
  devmode->dmDriverVersion = static_cast<WORD>(DriverVersion());
  devmode->dmSize = kDevModeWSize;
  devmode->dmDriverExtra = kDriverDevModeExtra;
  devmode->dmFields = kHeadFields;
  ApplyHeadRules(devmode);
}

void ApplyHeadRules(DEVMODEW* devmode) {
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
  StampDocDModeChecksum(&work->devmode.doc);
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
    StampDocDModeChecksum(doc);
  }
  return 1;
}
