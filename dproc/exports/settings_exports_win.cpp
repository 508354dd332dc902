// The settings exports that the user interface core binds by name: the
// driver version, the resets of the private records, the standard DEVMODE
// fields, the merge of an application's DEVMODE and the device
// capabilities.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <type_traits>
#include <vector>

#include "common/contracts/settings_functions_win.h"
#include "common/win/drv_trace.h"
#include "common/win/export_guard.h"

#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "common/qxd/locale_defaults.h"
#include "common/win/printer_queries.h"
#include "common/win/win_version.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/settings/device_capabilities.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/settings/settings_spooler_win.h"

namespace {

// The printer data the first Easy Set preset leaves for the first reset;
// empty when the printer does not open or the value cannot be read.
std::vector<BYTE> ReadEasySetFirstRecord(const wchar_t* printerName) {
  std::vector<BYTE> record;
  HANDLE printer = nullptr;
  if (printerName == nullptr || !OpenPrinterW(const_cast<wchar_t*>(printerName), &printer, nullptr)) return record;
  record.assign(sizeof(DocDMode), 0);
  DWORD type = 0, needed = 0;
  const DWORD error = GetPrinterDataW(printer, const_cast<wchar_t*>(L"EasySetFirstOEMDev"), &type, record.data(),
                                      static_cast<DWORD>(record.size()), &needed);
  ClosePrinter(printer);
  if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
    DRV_TRACE("VELDRANA: EasySetFirstOEMDev not read (%lu)", error);
  }
  if (error != ERROR_SUCCESS || needed > record.size()) record.clear();
  else record.resize(needed);
  return record;
}

void UpdateStandardFields(DEVMODEW* devmode, const DocDMode* doc, const DevOption* option,
                          const wchar_t* printerName) {
  if (devmode == nullptr || doc == nullptr) return;
  const SpoolerPaperData papers(doc, option);
  // The DEVMODE is the caller's own; only its 220 standard bytes are ours to write.
  PublicDevMode dm = ReadCallerDevMode(devmode);
  if (devmode->dmSize < sizeof dm) return;
  UpdateCmnDModeArea(ProcessSettingsModel(papers), &dm, doc, reinterpret_cast<const char16_t*>(printerName));
  std::memcpy(devmode, &dm, sizeof dm);
}

}  // namespace

extern "C" DWORD WINAPI Prc_GetDriverVersion() { return kDriverDriverVersion; }

extern "C" BOOL WINAPI Prc_ResetDocDMode(DEVMODEW* devmode, DocDMode* doc, DWORD, const wchar_t* printerName) {
  if (doc == nullptr) return TRUE;
  return GuardExport("Prc_ResetDocDMode", BOOL{FALSE}, [&] {
    ApplyLocalePaperDefaults(ProcessModelInfo(), &DefaultDocDMode(), LocaleDefaultPaperId(GetLocaleCountry()),
                             IsUSMeasure());
    const bool mono = printerName != nullptr && IsMonoDriverName(nullptr, printerName);
    const std::vector<BYTE> easySet = ReadEasySetFirstRecord(printerName);
    ResetDocDModeFrom(doc, DefaultDocDMode(), mono, easySet.empty() ? nullptr : easySet.data(), easySet.size());
    UpdateStandardFields(devmode, doc, nullptr, printerName);
    return BOOL{TRUE};
  });
}

extern "C" BOOL WINAPI Prc_ResetDevDMode(DevDMode* device, DWORD, const wchar_t*) {
  return GuardExport("Prc_ResetDevDMode", BOOL{FALSE}, [&] {
    ResetDevDMode(device, BuiltInDevOption());
    return BOOL{TRUE};
  });
}

extern "C" void WINAPI Prc_ResetDevOption(DevOption* option) {
  GuardExport("Prc_ResetDevOption", [&] {
    if (option != nullptr) *option = BuiltInDevOption();
  });
}

extern "C" void WINAPI Prc_UpdateCmnDModeArea(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              const wchar_t* printerName) {
  GuardExport("Prc_UpdateCmnDModeArea",
              [&] { UpdateStandardFields(devmode, doc, device != nullptr ? &device->option : nullptr, printerName); });
}

extern "C" void WINAPI Prc_MergeDMode(DEVMODEW* devmode, DocDMode* doc, DWORD, const DEVMODEW* input,
                                      const wchar_t* printerName, const DevOption* option) {
  if (devmode == nullptr || doc == nullptr || devmode->dmSize < sizeof(PublicDevMode)) {
    DRV_TRACE("Prc_MergeDMode: no working DEVMODE or document record");
    return;
  }
  GuardExport("Prc_MergeDMode", [&] {
    // The device settings are copied: only their "UseServerForm" is read.
    DevDMode device{};
    if (option != nullptr) device.option = *option;
    const SpoolerPaperData papers(doc, &device.option);
    PublicDevMode dm = ReadCallerDevMode(devmode);
    const PublicDevMode in = ReadCallerDevMode(input);
    MergeDMode(ProcessSettingsModel(papers), &dm, doc, input != nullptr ? &in : nullptr, sizeof in,
               reinterpret_cast<const char16_t*>(printerName));
    std::memcpy(devmode, &dm, sizeof dm);
  });
}

extern "C" void WINAPI Prc_NormalizeDMode(DEVMODEW*, DocDMode*, DWORD, const wchar_t*) {}

extern "C" LONG WINAPI Prc_DeviceCapabilities(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              WORD capability, void* output) {
  if (devmode == nullptr || doc == nullptr) return kCapsUnsupported;
  return GuardExport("Prc_DeviceCapabilities", LONG{kCapsUnsupported}, [&]() -> LONG {
    const PublicDevMode dm = ReadCallerDevMode(devmode);
    const SpoolerPaperData papers(doc, device != nullptr ? &device->option : nullptr);
    CapabilityQuery query{};
    query.model = ProcessModelInfo();
    query.deviceOptions = g_description.deviceOptions;
    query.devmode = &dm;
    query.doc = doc;
    query.device = device;
    query.winVersionClass = GetWinVersionClass();
    query.papers = papers.papers();
    query.ddproc = g_ddproc.deviceCapabilities;
    return AnswerDeviceCapability(query, capability, output);
  });
}

static_assert(std::is_same_v<decltype(&Prc_GetDriverVersion), PrcGetDriverVersionFn>);
static_assert(std::is_same_v<decltype(&Prc_ResetDocDMode), PrcResetDocDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_ResetDevDMode), PrcResetDevDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_ResetDevOption), PrcResetDevOptionFn>);
static_assert(std::is_same_v<decltype(&Prc_UpdateCmnDModeArea), PrcUpdateCmnDModeAreaFn>);
static_assert(std::is_same_v<decltype(&Prc_MergeDMode), PrcMergeDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_NormalizeDMode), PrcNormalizeDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_DeviceCapabilities), PrcDeviceCapabilitiesFn>);
