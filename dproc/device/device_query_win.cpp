#include "dproc/device/device_query_win.h"

#include "common/win/win_version.h"

namespace {

const DeviceAddressSeams* g_seams = nullptr;

}  // namespace

void SetDeviceQuerySeams(const DeviceAddressSeams* seams) { g_seams = seams; }

int GetDeviceQueryAddress(HMODULE ddproc, const wchar_t* printerName, const DevOption* option, BOOL* usb,
                          char* address) {
  const DeviceAddressSeams system = {IsVistaOrLater(), IsPrinterOnUsbPrintPort, ReadPrinterQueueState};
  bool isUsb = false;
  const int status = QueryDeviceAddress(g_seams != nullptr ? *g_seams : system, ddproc, printerName, option, &isUsb,
                                        address, address != nullptr ? kDeviceQueryAddressBytes : 0);
  if (usb != nullptr) *usb = status == kDeviceAddressReady && isUsb ? TRUE : FALSE;
  return status;
}
