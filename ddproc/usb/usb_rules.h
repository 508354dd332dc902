// What the USB status reply means: the supported models, the installed
// options as option value keywords of the description file, and the paper
// in each input tray.  Pure rules over a UsbStatusList.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/contracts/ddproc_functions.h"

// The value of the first pair whose key equals `key` exactly, at most 255
// characters and a NUL into `out`; false when there is none.
bool UsbFindValue(const UsbStatusList* list, const char* key, char (&out)[kUsbStatusText]);
// True when the key "MODEL" names one of the supported USB models (exact).
bool UsbIsSupportedModel(const UsbStatusList* list);
// Fills each entry's value from the USB option rules.
void UsbFillOptionEntries(const UsbStatusList* list, uint32_t count, DevOptionEntry* entries);
void UsbFillTrayEntries(const UsbStatusList* list, uint32_t count, TrayStatusEntry* entries);
