// The settings exports that the user interface core binds by name: the
// driver version, the resets of the private records, the standard DEVMODE
// fields, the merge of an application's DEVMODE and the device
// capabilities.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

#include "common/builtin_dev_option.h"
#include "common/win_version.h"
#include "dproc/ddproc_binding_win.h"
#include "dproc/device_capabilities.h"
#include "dproc/disp_string_tables_win.h"
#include "dproc/settings_merge.h"
#include "dproc/settings_spooler_win.h"

namespace {

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

extern "C" BOOL WINAPI Prc_ResetDevDMode(DevDMode* device, DWORD, const wchar_t*) {
  ResetDevDMode(device, BuiltInDevOption());
  return TRUE;
}

extern "C" void WINAPI Prc_ResetDevOption(DevOption* option) {
  if (option != nullptr) *option = BuiltInDevOption();
}

extern "C" void WINAPI Prc_UpdateCmnDModeArea(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              const wchar_t* printerName) {
  UpdateStandardFields(devmode, doc, device != nullptr ? &device->option : nullptr, printerName);
}

extern "C" void WINAPI Prc_MergeDMode(DEVMODEW* devmode, DocDMode* doc, DWORD, const DEVMODEW* input,
                                      const wchar_t* printerName, const DevOption* option) {
  if (devmode == nullptr || doc == nullptr || devmode->dmSize < sizeof(PublicDevMode)) return;
  // The device settings are copied: only their "UseServerForm" is read.
  DevDMode device{};
  if (option != nullptr) device.option = *option;
  const SpoolerPaperData papers(doc, &device.option);
  PublicDevMode dm = ReadCallerDevMode(devmode);
  const PublicDevMode in = ReadCallerDevMode(input);
  MergeDMode(ProcessSettingsModel(papers), &dm, doc, input != nullptr ? &in : nullptr, sizeof in,
             reinterpret_cast<const char16_t*>(printerName));
  std::memcpy(devmode, &dm, sizeof dm);
}

extern "C" void WINAPI Prc_NormalizeDMode(DEVMODEW*, DocDMode*, DWORD, const wchar_t*) {}

extern "C" LONG WINAPI Prc_DeviceCapabilities(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              WORD capability, void* output) {
  if (devmode == nullptr || doc == nullptr) return kCapsUnsupported;
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
  query.ddproc = reinterpret_cast<DDProcDeviceCapabilitiesProc>(
      reinterpret_cast<void*>(g_ddproc.entry[kDDProcDeviceCapabilities]));
  return AnswerDeviceCapability(query, capability, output);
}
