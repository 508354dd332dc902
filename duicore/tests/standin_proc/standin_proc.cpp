// A stand-in for the settings functions of the procedure library, for the
// tests of the user interface core: a reset writes a small default record,
// a merge takes orientation, paper size and copies from the input, and a
// capability query answers from the record it was handed.  Every call is
// counted.
#include "duicore/tests/standin_proc/standin_proc.h"

#include <cstring>
#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/contracts/settings_functions_win.h"

#include "common/records/doc_fields.h"
#include "common/records/public_devmode_fill.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"

namespace {

StandInCallLog g_log = {};

// The procedure library's own fill of the standard fields.
void Update(DEVMODEW* dm, const DocDMode* doc, const wchar_t* printerName) {
  if (dm == nullptr || doc == nullptr) return;
  FillPublicDevModeFields(reinterpret_cast<PublicDevMode*>(dm), *doc,
                          {reinterpret_cast<const char16_t*>(printerName), false, nullptr});
}

}  // namespace

extern "C" StandInCallLog* WINAPI StandInCalls() { return &g_log; }

extern "C" DWORD WINAPI Prc_GetDriverVersion() { return kDriverDriverVersion; }

extern "C" BOOL WINAPI Prc_ResetDocDMode(DEVMODEW* dm, DocDMode* doc, DWORD, const wchar_t* printerName) {
  ++g_log.resetDoc;
  if (doc != nullptr) {
    g_log.lastHandle = doc->printerHandle;
    void* handle = doc->printerHandle;
    std::memset(doc, 0, sizeof *doc);
    InitDocDModeHeader(doc);
    doc->printerHandle = handle;
    SetDocByte(doc, kDocOrientationAt, DMORIENT_PORTRAIT);
    SetDocI16(doc, kDocPaperSizeAt, kStandInDefaultPaper);
    Fields(*doc).nCopies = 1;
  }
  Update(dm, doc, printerName);
  return TRUE;
}

extern "C" BOOL WINAPI Prc_ResetDevDMode(DevDMode* device, DWORD, const wchar_t*) {
  ++g_log.resetDev;
  if (device != nullptr) {
    std::memset(device, 0, sizeof *device);
    device->head[0] = 2;
    device->head[1] = 7;
  }
  return TRUE;
}

extern "C" void WINAPI Prc_UpdateCmnDModeArea(DEVMODEW* dm, DocDMode* doc, DevDMode*, DWORD,
                                             const wchar_t* printerName) {
  Update(dm, doc, printerName);
}

extern "C" void WINAPI Prc_MergeDMode(DEVMODEW* dm, DocDMode* doc, DWORD, const DEVMODEW* input,
                                     const wchar_t* printerName, const DevOption*) {
  ++g_log.merge;
  g_log.mergeInput = input;
  if (input == nullptr || doc == nullptr) return;
  g_log.lastHandle = doc->printerHandle;
  g_log.mergeInputSize = input->dmSize;
  g_log.mergeInputFields = input->dmFields;
  if ((input->dmFields & DM_ORIENTATION) != 0 &&
      (input->dmOrientation == DMORIENT_PORTRAIT || input->dmOrientation == DMORIENT_LANDSCAPE)) {
    SetDocByte(doc, kDocOrientationAt, static_cast<uint8_t>(input->dmOrientation));
  }
  if ((input->dmFields & DM_PAPERSIZE) != 0 && input->dmPaperSize != 0) {
    SetDocI16(doc, kDocPaperSizeAt, input->dmPaperSize);
  }
  if ((input->dmFields & DM_COPIES) != 0) {
    Fields(*doc).nCopies = static_cast<uint16_t>(input->dmCopies < 1 ? 1 : input->dmCopies);
  }
  Update(dm, doc, printerName);
}

extern "C" void WINAPI Prc_NormalizeDMode(DEVMODEW*, DocDMode* doc, DWORD, const wchar_t*) {
  ++g_log.normalize;
  if (doc != nullptr) g_log.lastHandle = doc->printerHandle;
}

extern "C" LONG WINAPI Prc_DeviceCapabilities(DEVMODEW* dm, DocDMode* doc, DevDMode*, DWORD, WORD capability,
                                             void* output) {
  ++g_log.capabilities;
  if (dm == nullptr || doc == nullptr) return -1;
  g_log.lastHandle = doc->printerHandle;
  switch (capability) {
    case DC_PAPERS: {
      const WORD papers[] = {DMPAPER_A4, DMPAPER_LETTER};
      if (output != nullptr) std::memcpy(output, papers, sizeof papers);
      return 2;
    }
    case DC_SIZE:
      return dm->dmSize;
    case DC_EXTRA:
      return dm->dmDriverExtra;
    case DC_DRIVER:
      return dm->dmDriverVersion;
    case kStandInOrientationQuery:
      return DocByte(doc, kDocOrientationAt);
    case kStandInPaperSizeQuery:
      return DocI16(doc, kDocPaperSizeAt);
    default:
      return -1;
  }
}

extern "C" BOOL WINAPI SetEasySetPreset(const wchar_t*) {
  ++g_log.easySetPreset;
  return TRUE;
}

extern "C" BOOL WINAPI Prc_RegDefWMarkW(const wchar_t* printerName) {
  ++g_log.defaultWatermarks;
  lstrcpynW(g_log.lastWatermarkPrinter, printerName != nullptr ? printerName : L"", 64);
  return TRUE;
}

extern "C" void WINAPI SetUIAesKeyInfo(HANDLE printer) {
  if (printer != nullptr) ++g_log.aesKeyInfo;
}

static_assert(std::is_same_v<decltype(&Prc_GetDriverVersion), PrcGetDriverVersionFn>);
static_assert(std::is_same_v<decltype(&Prc_ResetDocDMode), PrcResetDocDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_ResetDevDMode), PrcResetDevDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_UpdateCmnDModeArea), PrcUpdateCmnDModeAreaFn>);
static_assert(std::is_same_v<decltype(&Prc_MergeDMode), PrcMergeDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_NormalizeDMode), PrcNormalizeDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_DeviceCapabilities), PrcDeviceCapabilitiesFn>);
static_assert(std::is_same_v<decltype(&SetEasySetPreset), SetEasySetPresetFn>);
static_assert(std::is_same_v<decltype(&Prc_RegDefWMarkW), PrcRegDefWMarkWFn>);
static_assert(std::is_same_v<decltype(&SetUIAesKeyInfo), SetUIAesKeyInfoFn>);
