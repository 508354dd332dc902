// Export that finds the document settings inside any DEVMODE.
#include <windows.h>

#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/records/settings_checksum.h"
#include "common/win/export_guard.h"

extern "C" void* WINAPI FindOEMDevPtr(DEVMODEW* devmode) {
  return GuardExport("FindOEMDevPtr", static_cast<void*>(nullptr), [&]() -> void* {
    uint32_t error = 0;
    DocDMode* found = LocateDocDMode(devmode, &error);
    if (found == nullptr) SetLastError(error);
    return found;
  });
}

static_assert(std::is_same_v<decltype(&FindOEMDevPtr), FindOEMDevPtrFn>);
