// The settings import and export that the render core's application escapes
// forward to: printer name and file path as narrow texts, an error code back;
// and the message text of a code.
#include <windows.h>

#include <string>
#include <type_traits>

#include "common/contracts/settings_functions_win.h"
#include "common/contracts/settings_transfer_win.h"
#include "common/win/export_guard.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/startup/sprinst_messages.h"

extern "C" void WINAPI Prc_UpdateCmnDModeArea(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              const wchar_t* printerName);

namespace {

void UpdatePublicFields(DEVMODEW* devmode, DocDMode* doc, const wchar_t* printerName) {
  Prc_UpdateCmnDModeArea(devmode, doc, nullptr, 0, printerName);
}

using Operation = uint32_t (*)(const TransferSpooler&, const TransferDriverFacts&, const wchar_t*, const wchar_t*);

// A name or path that does not convert, or is too long for the
// conversion, cannot name a printer or a file that can be opened.
DWORD Run(const char* where, Operation operation, const char* printerName, const char* filePath,
          uint32_t badPath) {
  return GuardExport(where, DWORD{kTransferNoMemory}, [&]() -> DWORD {
    std::wstring printer, path;
    if (!TransferArgument(printerName, &printer) || printer.empty()) return kTransferPrinterNotOpened;
    if (!TransferArgument(filePath, &path)) return badPath;
    return operation(RealTransferSpooler(UpdatePublicFields), CurrentDriverFacts(), printer.c_str(), path.c_str());
  });
}

}  // namespace

extern "C" DWORD WINAPI SPRINST_SettingExport(const char* printerName, const char* filePath) {
  return Run("SPRINST_SettingExport", RunSettingExport, printerName, filePath, kTransferFileNotWritten);
}

extern "C" DWORD WINAPI SPRINST_SettingImport(const char* printerName, const char* filePath) {
  return Run("SPRINST_SettingImport", RunSettingImport, printerName, filePath, kTransferFileNotRead);
}

extern "C" DWORD WINAPI SPRINST_DefaultSetting(const char* printerName, const char* filePath) {
  return Run("SPRINST_DefaultSetting", RunDefaultSetting, printerName, filePath, kTransferFileNotRead);
}

extern "C" DWORD WINAPI SPRINST_PersonalInfoImport(const char* printerName, const char* filePath) {
  return Run("SPRINST_PersonalInfoImport", RunPersonalInfoImport, printerName, filePath, kTransferFileNotRead);
}

extern "C" const char* WINAPI SPRINST_GetErrorMsg(DWORD code) {
  static const char kEmpty[] = "";
  if (code < kTransferCodeCount && g_sprinstMessages[code].loaded) return g_sprinstMessages[code].text;
  const SprinstMessageRow& fallback = g_sprinstMessages[kSprinstMessageRows - 1];
  return fallback.loaded ? fallback.text : kEmpty;
}

static_assert(std::is_same_v<decltype(&SPRINST_SettingExport), SettingsTransferFn>);
static_assert(std::is_same_v<decltype(&SPRINST_SettingImport), SettingsTransferFn>);
static_assert(std::is_same_v<decltype(&SPRINST_DefaultSetting), SettingsTransferFn>);
static_assert(std::is_same_v<decltype(&SPRINST_PersonalInfoImport), SettingsTransferFn>);
static_assert(std::is_same_v<decltype(&SPRINST_GetErrorMsg), SettingsErrorMessageFn>);
static_assert(kSprinstMessageRows == kTransferCodeCount + 1);
