#include "duicore/sheets/sheet_session_win.h"

#include <winspool.h>

#include <cwchar>

#include "common/contracts/proc_library_exports_win.h"
#include "duicore/module/core_module_win.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/module/os_version_class.h"
#include "duicore/printer/printer_access_win.h"
#include "duicore/sheets/sheet_pages.h"

namespace {

constexpr wchar_t kHelpFileName[] = L"VELDRANX.HLP";
constexpr size_t kNameUnits = 260;
constexpr uint32_t kEntryHelpButton = 0x1;

void CopyName(const wchar_t* from, wchar_t* to, size_t capacity) {
  CopyPageTitle(reinterpret_cast<const char16_t*>(from), reinterpret_cast<char16_t*>(to), capacity);
}

// The name of a printer handle (level 1), cut to the field.
void PrinterNameOf(HANDLE printer, wchar_t* out, size_t capacity) {
  out[0] = L'\0';
  if (printer == nullptr) return;
  DWORD needed = 0;
  GetPrinterW(printer, 1, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_1W)) return;
  auto* info = static_cast<PRINTER_INFO_1W*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, needed));
  if (info == nullptr) return;
  if (GetPrinterW(printer, 1, reinterpret_cast<BYTE*>(info), needed, &needed) && info->pName != nullptr) {
    CopyName(info->pName, out, capacity);
  }
  HeapFree(GetProcessHeap(), 0, info);
}

// Windows 2000's desktop shell edits the user's defaults through document
// properties: the process's program is the Windows folder's explorer.exe.
bool CallerIsShell() {
  wchar_t program[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return false;
  wchar_t shell[MAX_PATH + 16];
  const UINT folder = GetWindowsDirectoryW(shell, MAX_PATH);
  if (folder == 0 || folder >= MAX_PATH) return false;
  std::wcscat(shell, L"\\explorer.exe");
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, program, -1, shell, -1) == CSTR_EQUAL;
}

void SetHelpFilePath(SheetSession* session) {
  wchar_t* path = session->helpFilePath;
  const size_t capacity = sizeof session->helpFilePath / sizeof session->helpFilePath[0];
  path[0] = L'\0';
  if (session->helpFileName[0] != L'\0') {
    wchar_t folder[kNameUnits] = {};
    if (GetPrinterInfoField(session->printer, session->printerName, folder, sizeof folder,
                            kPrinterFieldDriverDirectory) &&
        std::wcslen(folder) + 1 + std::wcslen(session->helpFileName) < capacity) {
      swprintf(path, capacity, L"%ls\\%ls", folder, session->helpFileName);
    }
    return;
  }
  GetPrinterInfoField(session->printer, session->printerName, path, static_cast<DWORD>(capacity * sizeof(wchar_t)),
                      kPrinterFieldHelpFile);
  path[capacity - 1] = L'\0';
}

}  // namespace

bool IsSheetSession(const SheetSession* session) {
  return session != nullptr && session->self == session && session->self2 == session &&
         session->size == sizeof(SheetSession);
}

SheetSession* CreateSheetSession(const DOCUMENTPROPERTYHEADER* document, const DEVICEPROPERTYHEADER* device) {
  if (document == nullptr && device == nullptr) return nullptr;
  HANDLE heap = HeapCreate(0, sizeof(SheetSession), 0);
  if (heap == nullptr) return nullptr;
  auto* session = static_cast<SheetSession*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(SheetSession)));
  if (session == nullptr) {
    HeapDestroy(heap);
    return nullptr;
  }
  session->self = session;
  session->self2 = session;
  session->size = sizeof(SheetSession);
  session->heap = heap;

  const DEVMODEW* input = nullptr;
  if (document != nullptr) {
    session->printer = document->hPrinter;
    if (document->pszPrinterName != nullptr) {
      CopyName(document->pszPrinterName, session->printerName, kNameUnits);
    } else {
      PrinterNameOf(document->hPrinter, session->printerName, kNameUnits);
    }
    DocumentRequest request{document->fMode, GetOsVersionClass(), false,
                            document->pdmIn == document->pdmOut, document->cbOut};
    if (request.osClass == kOsClassWindows2000) request.callerIsShell = CallerIsShell();
    session->mode = DocumentSessionMode(request);
    session->mayChange = (document->fMode & DM_NOPERMISSION) == 0 ? 1 : 0;
    session->callerMode = document->fMode;
    input = document->pdmIn;
  } else {
    session->printer = device->hPrinter;
    if (device->pszPrinterName != nullptr) {
      CopyName(device->pszPrinterName, session->printerName, kNameUnits);
    } else {
      PrinterNameOf(device->hPrinter, session->printerName, kNameUnits);
    }
    session->mode = kSheetModeDevice;
    session->callerMode = 0;
    session->mayChange = (device->Flags & DPS_NOPERMISSION) == 0 ? 1 : 0;
  }
  session->kind = session->mode == kSheetModeDevice ? kSheetDeviceSession : kSheetDocumentSession;

  const DWORD flags = input != nullptr ? (kBuildOutWork | kBuildMergeInput) : kBuildOutWork;
  if (BuildWorkDevMode(&session->workingRecord, input, session->printer, session->printerName, flags) == 0) {
    DestroySheetSession(session);
    return nullptr;
  }
  session->backupRecord = session->workingRecord;
  session->working = &session->workingRecord;
  session->backup = &session->backupRecord;

  InitSheetPages(session);
  // The per-page state starts cleared (the record was allocated zeroed);
  // the printer-defaults flag marks the sessions that edit defaults.
  session->values[kSheetPrinterDefaultsFlag] =
      session->mode == kSheetModeUserDefault || session->mode == kSheetModeDevice ? 1 : 0;
  SetHelpFilePath(session);
  return session;
}

void DestroySheetSession(SheetSession* session) {
  if (!IsSheetSession(session)) return;
  HANDLE heap = session->heap;
  session->self = nullptr;
  session->self2 = nullptr;
  HeapDestroy(heap);
}

void InitSheetPages(SheetSession* session) {
  size_t count = 0;
  const SheetPageRow* rows = SheetPagesOfMode(session->mode, &count);
  if (count > static_cast<size_t>(kSheetMaxPages)) count = kSheetMaxPages;
  for (size_t i = 0; i < count; ++i) {
    SheetPageEntry& entry = session->pages[i];
    entry = SheetPageEntry{};
    entry.dialogProc = SheetForwarderOf(rows[i].procedure);
    entry.templateId = rows[i].templateId;
    entry.flags = kEntryHelpButton;
  }
  session->pageCount = static_cast<int32_t>(count);
  FillSheetPageTitles(session, BindUiProc<SetDispStringSingleFn>(kSetDispStringSingle), CoreModule());
  CopyName(kHelpFileName, session->helpFileName, kNameUnits);
  session->flags = 0;
}

void FillSheetPageTitles(SheetSession* session, SheetTitleLookUp lookUp, HMODULE textModule) {
  for (int32_t i = 0; i < session->pageCount; ++i) {
    SheetPageEntry& entry = session->pages[i];
    constexpr UINT capacity = sizeof entry.title / sizeof entry.title[0];
    entry.title[0] = L'\0';
    SheetTitleKey key;
    if (lookUp == nullptr || !SheetTitleKeyOf(entry.templateId, &key)) continue;
    // The lookup is told the field's capacity, so a long title is cut at
    // capacity - 1 characters and always terminated.
    if (lookUp(textModule, key.section, key.key, entry.title, capacity) == 0) entry.title[0] = L'\0';
    entry.title[capacity - 1] = L'\0';
  }
}
