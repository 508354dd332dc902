// Export that finds the document settings inside any DEVMODE.
#include <windows.h>

#include "common/records/settings_checksum.h"

extern "C" void* WINAPI FindOEMDevPtr(DEVMODEW* devmode) {
  uint32_t error = 0;
  DocDMode* found = LocateDocDMode(devmode, &error);
  if (found == nullptr) SetLastError(error);
  return found;
}
