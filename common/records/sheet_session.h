// The records behind a sheet context: the head of the user interface core's
// sheet session that the sheet procedures read, and the page records of a
// universal-printer-driver host that runs the same procedures as a plug-in.
//
// A sheet context is the PROPSHEETPAGE with which a page was created; its
// lParam names one of these records.  The first byte tells them apart: the
// session's first field is a 16-bit kind word of 0 or 0x100, so its first
// byte is always 0; a plug-in record's first byte is not 0 and its second
// byte gives its kind.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/oem_ui_host.h"
#include "common/records/settings_records.h"

inline constexpr int kSheetMaxPages = 20;
inline constexpr uint16_t kSheetDocumentSession = 0;
inline constexpr uint16_t kSheetDeviceSession = 0x100;

// Session modes.
inline constexpr int32_t kSheetModeDocument = 0;
inline constexpr int32_t kSheetModeAdvanced = 1;
inline constexpr int32_t kSheetModeUserDefault = 2;
inline constexpr int32_t kSheetModeDevice = 3;

// Per-session state that the sheets and dialogs share; its fields are laid
// out by the sheets that use them.  Cleared when the pages are set up.
inline constexpr size_t kSheetUiStateSize = 8192;
struct SheetUiState {
  uint8_t bytes[kSheetUiStateSize];
};

// The device's answer to the session's option query: a valid flag, then the
// option slot count, the 64 option value slots and the ten tray slots of the
// DevOption it returned.
struct SheetDeviceStatus {
  uint32_t valid;
  uint32_t optionCount;
  uint32_t optionValues[kDevOptionMaxOptions];
  TrayMediaSlot trays[kDevOptionTraySlots];
};

struct SheetPageEntry {
  DLGPROC dialogProc;
  uint32_t templateId;
  HMODULE resourceModule;
  uint16_t iconId;
  uint32_t flags;  // 1: help button, 2: icon id given, 4: resource module given
  wchar_t title[48];
};

inline constexpr size_t kSheetStateAreaSize = 256;

struct SheetSession {
  uint16_t kind;                  // kSheetDocumentSession or kSheetDeviceSession
  SheetSession* self;
  uint32_t size;                  // sizeof(SheetSession)
  int32_t pageCount;
  SheetPageEntry pages[kSheetMaxPages];
  wchar_t helpFileName[260];
  uint32_t flags;                 // bit 0: save the device settings with the result
  HANDLE printer;
  wchar_t printerName[260];
  wchar_t helpFilePath[260];
  uint32_t mayChange;             // the caller allows changes
  uint32_t callerMode;
  int32_t mode;                   // kSheetMode...
  WorkDevMode* working;           // the record the sheets edit, or null
  WorkDevMode* backup;
  HANDLE heap;
  WorkDevMode backupRecord;
  WorkDevMode workingRecord;
  LONG_PTR pageSlots[kSheetMaxPages];
  void* sheetCallback;
  HANDLE sheetHandle;
  DocDMode docArea;
  DocDMode docBackup;             // GetPrivDevModeBackup
  uint32_t values[5];             // values[2]: the printer-defaults flag
  uint8_t stateArea[kSheetStateAreaSize];
  SheetUiState uiState;
  SheetDeviceStatus deviceStatus;
  SheetSession* self2;
};
static_assert(offsetof(SheetSession, kind) == 0);
inline constexpr size_t kSheetPrinterDefaultsFlag = 2;

// Page flags of a plug-in host.
inline constexpr DWORD kPluginNoDeviceChange = 0x01;
inline constexpr DWORD kPluginDocPropsFlag = 0x10;
inline constexpr DWORD kPluginNoDocChange = 0x20;
inline constexpr DWORD kPluginPrinterPropsFlag = 0x40;

inline constexpr uint8_t kPluginDocumentKind = 1;
inline constexpr uint8_t kPluginDeviceKind = 2;

// A plug-in host's page record of the document sheets.
struct PluginDocPage {
  uint8_t marker;                 // not 0
  uint8_t kind;                   // kPluginDocumentKind
  OEMCUIPPARAM* cuiParam;         // standard DEVMODE, option items, callback
  PrintCoreUi* coreUi;            // DrvUpdateUISetting
  OEMUIPSPARAM* psParam;          // ui object, printer, DocDMode, page flags
  uint32_t sessionFlag;
  uint32_t applied;
  SheetUiState uiState;
  DocDMode backup;
  DevOption devOption;
  SheetDeviceStatus trayStatus;
};

// A plug-in host's page record of the device sheets.
struct PluginDevicePage {
  uint8_t marker;                 // not 0
  uint8_t kind;                   // kPluginDeviceKind
  HANDLE printer;
  DevOption devOption;
  uint32_t sessionFlag;
  uint32_t applied;
  SheetUiState uiState;
  DocDMode doc;
  PluginDocPage* docPage;         // page flags, DEVMODE, items, callback, backup
};
