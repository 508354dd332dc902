// DrvDocumentPropertySheets and DrvDevicePropertySheets: the common
// property-sheet library's calls for each reason of a sheet session.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include "common/records/settings_checksum.h"
#include "common/win/driver_ui_interface_win.h"
#include "common/win/export_guard.h"
#include "duicore/module/core_module_win.h"
#include "duicore/printer/device_status_win.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/printer/printer_access_win.h"
#include "duicore/printer/printer_events_win.h"
#include "duicore/sheets/sheet_session_win.h"

namespace {

constexpr LONG kSheetFailure = -1;
constexpr WORD kHeaderFlags = PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE;
constexpr ULONG_PTR kPrinterIcon = 64062;
constexpr uint32_t kEntryHelpButton = 0x1;
constexpr uint32_t kEntryIconId = 0x2;
constexpr uint32_t kEntryModule = 0x4;

wchar_t g_noTitle[1] = L"";

// The dialog-template library beside the core; a handle below 33 is a
// failure, as the loader's old convention has it.
HMODULE LoadDialogTemplates() {
  wchar_t path[MAX_PATH];
  if (!CoreSiblingPath(L"VELDRANG.DLL", path, MAX_PATH)) return nullptr;
  HMODULE module = LoadLibraryW(path);
  if (reinterpret_cast<ULONG_PTR>(module) < 33) return nullptr;
  return module;
}

HMODULE SessionTemplates(const SheetSession* session) {
  for (int32_t i = 0; i < session->pageCount; ++i) {
    if ((session->pages[i].flags & kEntryModule) != 0) return session->pages[i].resourceModule;
  }
  return nullptr;
}

void EndSession(SheetSession* session) {
  HMODULE templates = SessionTemplates(session);
  DestroySheetSession(session);
  if (templates != nullptr) FreeLibrary(templates);
}

// Adds the session's pages through the library's callback; false (nothing
// kept) when a page cannot be created or added.
bool AddPages(SheetSession* session, PPROPSHEETUI_INFO info) {
  session->sheetCallback = reinterpret_cast<void*>(info->pfnComPropSheet);
  session->sheetHandle = info->hComPropSheet;
  if (info->pfnComPropSheet == nullptr) return false;
  CoreActivation activation;
  for (int32_t i = 0; i < session->pageCount; ++i) {
    SheetPageEntry& entry = session->pages[i];
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    if ((entry.flags & kEntryHelpButton) != 0) page.dwFlags |= PSP_HASHELP;
    if ((entry.flags & kEntryIconId) != 0) page.dwFlags |= PSP_USEICONID;
    page.hInstance = entry.resourceModule;
    page.pszTemplate = MAKEINTRESOURCEW(entry.templateId);
    page.pszIcon = MAKEINTRESOURCEW(entry.iconId);
    if (entry.title[0] != L'\0') {
      page.dwFlags |= PSP_USETITLE;
      page.pszTitle = entry.title;
    }
    page.pfnDlgProc = entry.dialogProc;
    page.lParam = reinterpret_cast<LPARAM>(session);
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    if (handle == nullptr) return false;
    const LONG_PTR slot = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                                reinterpret_cast<LPARAM>(handle), 0);
    if (slot == 0) {
      DestroyPropertySheetPage(handle);
      return false;
    }
    session->pageSlots[i] = slot;
  }
  return true;
}

LONG InitSheets(PPROPSHEETUI_INFO info, const DOCUMENTPROPERTYHEADER* document,
                const DEVICEPROPERTYHEADER* device) {
  SheetSession* session = CreateSheetSession(document, device);
  if (session == nullptr) return kSheetFailure;
  if (device != nullptr) {
    StoreFirstPrinterDevMode(session->printer, &session->working->devmode);
    if (session->printer != nullptr && session->printerName[0] != L'\0') EnsurePrinterInitialized(session->printer);
  }
  HMODULE templates = LoadDialogTemplates();
  if (templates != nullptr) {
    for (int32_t i = 0; i < session->pageCount; ++i) {
      session->pages[i].flags |= kEntryModule;
      session->pages[i].resourceModule = templates;
    }
  }
  RefreshSessionDeviceStatus(session, device != nullptr);
  if (!AddPages(session, info)) {
    DestroySheetSession(session);
    if (templates != nullptr) FreeLibrary(templates);
    return kSheetFailure;
  }
  info->UserData = reinterpret_cast<ULONG_PTR>(session);
  info->Result = 0;
  return 1;
}

LONG InfoHeader(SheetSession* session, LPARAM param) {
  auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(param);
  if (header == nullptr) return kSheetFailure;
  header->Flags = kHeaderFlags;
  // The device sheets are titled by the printer's name (the library adds
  // its "Properties"); a title given as a string id is not used, as not
  // every common property-sheet library can load it.
  header->pTitle = session->mode == kSheetModeDevice ? session->printerName : g_noTitle;
  header->hInst = CoreModule();
  header->IconID = kPrinterIcon;
  return 1;
}

LONG DocumentResult(SheetSession* session, DOCUMENTPROPERTYHEADER* header, PPROPSHEETUI_INFO info, LPARAM param) {
  auto* result = reinterpret_cast<PSETRESULT_INFO>(param);
  if (result == nullptr) return kSheetFailure;
  const bool room = header->cbOut == 0 || header->cbOut >= kDriverDevModeSize;
  if (header->pdmOut != nullptr && room && result->Result == CPSUI_OK &&
      (header->fMode & (DM_UPDATE | DM_COPY)) != 0) {
    SetDevModeHead(session->working, session->printer, header->pszPrinterName);
    auto* out = reinterpret_cast<DriverDevMode*>(header->pdmOut);
    *out = session->working->devmode;
    if (session->mode == kSheetModeUserDefault && (session->flags & 1) != 0 && session->mayChange != 0) {
      SavePrivateDevMode(session->working, header->hPrinter, header->pszPrinterName);
      BroadcastDevModeChange(header->pszPrinterName);
    }
    SealDocDMode(&out->doc);
  }
  info->Result = result->Result;
  return 1;
}

LONG DeviceResult(SheetSession* session, PPROPSHEETUI_INFO info, LPARAM param) {
  auto* result = reinterpret_cast<PSETRESULT_INFO>(param);
  if (result == nullptr) return kSheetFailure;
  if (result->Result == CPSUI_OK) {
    SetDevModeHead(session->working, session->printer, session->printerName);
    SavePrivateDevMode(session->working, session->printer, session->printerName);
    BroadcastDevModeChange(session->printerName);
    // The printer's entry in the directory service follows the change.
    PRINTER_INFO_7W publish = {nullptr, DSPRINT_UPDATE};
    SetPrinterW(session->printer, 7, reinterpret_cast<BYTE*>(&publish), 0);
  }
  info->Result = result->Result;
  return 1;
}

// The reasons after initialisation work on the session kept as user data.
SheetSession* SessionOf(PPROPSHEETUI_INFO info) {
  auto* session = reinterpret_cast<SheetSession*>(info->UserData);
  return IsSheetSession(session) ? session : nullptr;
}

// The reasons after initialisation, alike for both kinds of sheets but for
// the result, which `takeResult` handles.
template <typename TakeResult>
LONG SessionReason(PPROPSHEETUI_INFO info, LPARAM param, TakeResult takeResult) {
  SheetSession* session = SessionOf(info);
  if (session == nullptr) return kSheetFailure;
  switch (info->Reason) {
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return InfoHeader(session, param);
    case PROPSHEETUI_REASON_DESTROY:
      EndSession(session);
      info->UserData = 0;
      return 1;
    case PROPSHEETUI_REASON_SET_RESULT:
      return takeResult(session);
    default:
      return kSheetFailure;
  }
}

}  // namespace

extern "C" LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) try {
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info != nullptr ? info->lParamInit : param);
  if (header == nullptr) return kSheetFailure;
  if (info == nullptr) return QueryDevModeWithoutSheets(header);
  if (info->Reason == PROPSHEETUI_REASON_INIT) return InitSheets(info, header, nullptr);
  return SessionReason(info, param,
                       [&](SheetSession* session) { return DocumentResult(session, header, info, param); });
} catch (...) {
  return ExportFailed("DrvDocumentPropertySheets", LONG{kSheetFailure});
}

extern "C" LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM param) try {
  if (info == nullptr) return kSheetFailure;
  auto* header = reinterpret_cast<DEVICEPROPERTYHEADER*>(info->lParamInit);
  if (header == nullptr) return kSheetFailure;
  if (info->Reason == PROPSHEETUI_REASON_INIT) return InitSheets(info, nullptr, header);
  return SessionReason(info, param, [&](SheetSession* session) { return DeviceResult(session, info, param); });
} catch (...) {
  return ExportFailed("DrvDevicePropertySheets", LONG{kSheetFailure});
}
