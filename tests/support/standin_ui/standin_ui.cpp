// A stand-in configuration library for the test printer.  The spooler loads
// a printer's configuration library when the printer is added and asks it,
// without a printer handle, for the printer's first DEVMODE; this one
// answers with a driver DEVMODE whose document settings carry a valid header
// and checksum, and declines everything else.
#include <windows.h>

#include <cstring>

#include "common/driver_ui_interface_win.h"
#include "common/settings_checksum.h"
#include "common/settings_records.h"

namespace {

void BuildDevMode(const wchar_t* printerName, DriverDevMode* out) {
  std::memset(out, 0, sizeof *out);
  DEVMODEW* pub = reinterpret_cast<DEVMODEW*>(out->publicPart);
  if (printerName != nullptr) {
    lstrcpynW(pub->dmDeviceName, printerName, CCHDEVICENAME);
  }
  pub->dmSpecVersion = kDriverSpecVersion;
  pub->dmDriverVersion = kDriverDriverVersion;
  pub->dmSize = kDevModeWSize;
  pub->dmDriverExtra = kDriverDevModeExtra;
  pub->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
  pub->dmOrientation = DMORIENT_PORTRAIT;
  pub->dmPaperSize = DMPAPER_A4;
  pub->dmCopies = 1;
  InitDocDModeHeader(&out->doc);
  out->magic = kDriverDevModeMagic;
  StoreDocDModeChecksum(&out->doc);
}

}  // namespace

static_assert(sizeof(DEVMODEW) == kDevModeWSize);
static_assert(offsetof(DEVMODEW, dmSize) == kDevModeSizeAt);
static_assert(offsetof(DEVMODEW, dmDriverExtra) == kDevModeDriverExtraAt);

extern "C" LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) {
  if (info != nullptr) return -1;  // no sheets here
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(param);
  if (header == nullptr) return -1;
  if (header->fMode == 0 || header->pdmOut == nullptr) return kDriverDevModeSize;
  if ((header->fMode & DM_OUT_BUFFER) == 0) return IDOK;
  DriverDevMode dm;
  const DEVMODEW* in = header->pdmIn;
  if (in != nullptr && static_cast<DWORD>(in->dmSize) + in->dmDriverExtra == kDriverDevModeSize &&
      IsOwnDriverDevMode(in, kDriverDevModeSize)) {
    std::memcpy(&dm, header->pdmIn, sizeof dm);
  } else {
    BuildDevMode(header->pszPrinterName, &dm);
  }
  const DWORD room = header->cbOut != 0 && header->cbOut < sizeof dm ? header->cbOut : sizeof dm;
  std::memcpy(header->pdmOut, &dm, room);
  return IDOK;
}

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD, PVOID, PDEVMODEW) { return 0; }
