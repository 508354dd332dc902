// Settings of the procedure library that the description file gives in its
// settings sections: the web-shop flag and consumables link, the download
// manager's program name and the maker name of the per-user registry keys.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

inline constexpr size_t kSettingText = 256;

extern uint8_t g_webShopFlag;                       // "Tarlo"; built-in 1
extern char g_consumablesUrl[kSettingText];         // "ConsumSetting" "URL"
extern char g_dlManagerFileName[kSettingText];      // "DLManagerSetting" "DLFileName"
extern char16_t g_makerName[kSettingText];          // "RegistryKeySetting" "VendorName"; built-in "HALDOVAR"

// Turns a narrow text of the system's code page into UTF-16, cut to
// `capacity` - 1 units; false when it cannot.
using AnsiToWideFn = bool (*)(const char* text, char16_t* out, size_t capacity);

// Reads the four settings sections; a missing section or row keeps the
// built-in value.
void LoadStartupSettings(QxdContext* ctx, AnsiToWideFn toWide);
