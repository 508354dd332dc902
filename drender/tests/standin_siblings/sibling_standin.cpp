// A stand-in for the two exports of sibling libraries that the render core
// binds by name, for its tests: the user interface core's rebuild of a
// printer's default settings (placed as VELDRANK.DLL) and the procedure
// library's default input paper (placed as VELDRANA.DLL).
#include <windows.h>

#include <cstring>
#include <type_traits>

#include "common/contracts/self_devmode_reset_win.h"
#include "common/contracts/settings_functions_win.h"
#include "common/contracts/settings_transfer_win.h"

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/records/settings_records.h"

// Recognisable defaults: A4 at 200 x 100 dpi, three copies, EMF spooling on.
extern "C" BOOL WINAPI _UdcResetSelfDMode(void* work, HANDLE, const wchar_t*) {
  auto* record = static_cast<WorkDevMode*>(work);
  std::memset(record, 0, sizeof(*record));
  auto* dm = reinterpret_cast<DEVMODEW*>(record->devmode.publicPart);
  dm->dmSpecVersion = kDriverSpecVersion;
  dm->dmDriverVersion = kDriverDriverVersion;
  dm->dmSize = kDevModeWSize;
  dm->dmDriverExtra = kDriverDevModeExtra;
  dm->dmFields = 0x02003F0F;
  DocDMode* doc = &record->devmode.doc;
  InitDocDModeHeader(doc);
  SetDocByte(doc, kDocOrientationAt, 1);
  SetDocI16(doc, kDocPaperSizeAt, 9);
  SetDocI16(doc, kDocPaperWidthAt, 2100);
  SetDocI16(doc, kDocPaperLengthAt, 2970);
  for (int i = 0; i < 4; ++i) SetDocI16(doc, 72 + 2 * i, 42);
  SetDocI16(doc, kDocOutPaperSizeAt, 356);
  SetDocI16(doc, 598, 3);
  SetDocI16(doc, 2220, 200);
  SetDocI16(doc, 2222, 100);
  SetDocI16(doc, 2224, 1);
  record->device.head[0] = 2;
  record->device.head[1] = 7;
  record->device.option.emfSpool = 1;
  return TRUE;
}

// The keyword in another letter case than the description's.
extern "C" BOOL WINAPI Prc_GetDefaultInPaperKey(char* buffer, int size) {
  if (!buffer || size < 7) return FALSE;
  std::strcpy(buffer, "letter");
  return TRUE;
}

static_assert(std::is_same_v<decltype(&_UdcResetSelfDMode), UdcResetSelfDModeFn>);
static_assert(std::is_same_v<decltype(&Prc_GetDefaultInPaperKey), PrcGetDefaultInPaperKeyFn>);

// Two of the procedure library's settings transfer functions: the export
// answers the lengths of the texts it was given (printer name × 10,000 +
// path), the message function a fixed text.
extern "C" DWORD WINAPI SPRINST_SettingExport(const char* printerName, const char* filePath) {
  return static_cast<DWORD>(std::strlen(printerName) * 10000 + std::strlen(filePath));
}
extern "C" const char* WINAPI SPRINST_GetErrorMsg(DWORD code) {
  return code == 3 ? "The settings file cannot be read." : nullptr;
}
static_assert(std::is_same_v<decltype(&SPRINST_SettingExport), SettingsTransferFn>);
static_assert(std::is_same_v<decltype(&SPRINST_GetErrorMsg), SettingsErrorMessageFn>);
