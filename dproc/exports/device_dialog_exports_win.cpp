// The dialog skeleton as VELDRANA exports it to the device library, whose
// Media Type Setting and Colour Setting dialogs run on it.
#include <windows.h>

#include <type_traits>

#include "common/contracts/device_dialog_skeleton_win.h"
#include "common/win/export_guard.h"
#include "dproc/sheets/device_dialog_skeleton_win.h"

extern "C" INT_PTR WINAPI RunDeviceDialog(const DeviceDialog* desc, HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam, int32_t* handled) {
  int32_t ignored = 0;
  if (handled == nullptr) handled = &ignored;
  *handled = 0;
  if (desc == nullptr || desc->size != sizeof(DeviceDialog)) return 0;
  *handled = 1;
  return GuardExport("RunDeviceDialog", INT_PTR{0},
                     [&] { return RunDescribedDeviceDialog(*desc, dialog, message, wParam, lParam); });
}

static_assert(std::is_same_v<decltype(&RunDeviceDialog), RunDeviceDialogFn>);
