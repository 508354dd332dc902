#include "dproc/sheets/sheet_context.h"

#include <winspool.h>

#include <cstring>

#include "dproc/model/device_option_values.h"

namespace {

using Host = SheetCtxHost;
using Resolved = SheetCtxRecords;

Resolved Resolve(const SheetCtx* ctx) { return ResolveSheetCtx(ctx); }

// The option items of a plug-in host, and how to tell it of a change.
struct ItemHost {
  OEMCUIPPARAM* cui = nullptr;
  PrintCoreUi* core = nullptr;
  OEMUIOBJ* uiObject = nullptr;
};

bool FindItemHost(const SheetCtx* ctx, ItemHost* host) {
  Resolved r = Resolve(ctx);
  if ((r.host != Host::kPluginDocument && r.host != Host::kPluginDevice) || r.doc == nullptr) return false;
  host->cui = r.doc->cuiParam;
  host->core = r.doc->coreUi;
  host->uiObject = r.doc->psParam != nullptr ? r.doc->psParam->poemuiobj : nullptr;
  return host->cui != nullptr && host->cui->pDrvOptItems != nullptr;
}

template <typename Match>
POPTITEM FindItem(const ItemHost& host, Match match) {
  for (DWORD i = 0; i < host.cui->cDrvOptItems; ++i) {
    if (match(host.cui->pDrvOptItems[i])) return &host.cui->pDrvOptItems[i];
  }
  return nullptr;
}

// Shows the item to the host for the change, tells the host, hides it again.
template <typename Change>
void CommitItem(const ItemHost& host, POPTITEM item, Change change) {
  if (item == nullptr) return;
  item->Flags &= ~OPTIF_HIDE;
  item->Flags |= OPTIF_CHANGED;
  change(item);
  if (host.core != nullptr && host.core->vtbl != nullptr && host.core->vtbl->DrvUpdateUISetting != nullptr) {
    host.core->vtbl->DrvUpdateUISetting(host.core, host.uiObject, item, 0, kOemCuipDocProp);
  }
  item->Flags |= OPTIF_HIDE;
}

bool IsResourceId(const void* p) { return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0; }

bool SameText(const wchar_t* a, const wchar_t* b) {
  for (; *a != L'\0' && *a == *b; ++a, ++b) {
  }
  return *a == *b;
}

SheetSession g_fallbackRecord;
SheetCtx g_fallbackContext;

}  // namespace


void SetCpsuiItemSel(const SheetCtx* ctx, BYTE itemId, LONG selection) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  CommitItem(host, FindItem(host, [itemId](const OPTITEM& i) { return i.DMPubID == itemId; }),
             [selection](POPTITEM item) { item->Sel = selection; });
}

void SelectCpsuiItemOption(const SheetCtx* ctx, BYTE itemId, const wchar_t* option) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  CommitItem(host, FindItem(host, [itemId](const OPTITEM& i) { return i.DMPubID == itemId; }),
             [option](POPTITEM item) {
               LONG selection = 0;
               const OPTTYPE* type = item->pOptType;
               for (WORD i = 0; type != nullptr && type->pOptParam != nullptr && i < type->Count; ++i) {
                 const wchar_t* data = type->pOptParam[i].pData;
                 bool match;
                 if (IsResourceId(option)) match = data == option;
                 // An option whose data is a resource id has no text to compare.
                 else match = option != nullptr && data != nullptr && !IsResourceId(data) && SameText(data, option);
                 if (match) {
                   selection = i;
                   break;
                 }
               }
               item->Sel = selection;
             });
}

void SetCpsuiNamedItemSel(const SheetCtx* ctx, LONG selection) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  const wchar_t* name = MAKEINTRESOURCEW(464);
  CommitItem(host, FindItem(host, [name](const OPTITEM& i) { return i.pName == name; }),
             [selection](POPTITEM item) { item->Sel = selection; });
}

void SelectLastFormItem(const SheetCtx* ctx) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  CommitItem(host, FindItem(host, [](const OPTITEM& i) { return i.DMPubID == DMPUB_FORMNAME; }),
             [](POPTITEM item) {
               WORD count = item->pOptType != nullptr ? item->pOptType->Count : 0;
               item->Sel = count > 0 ? count - 1 : 0;
             });
}

void SetCollateCheck(const SheetCtx* ctx, BOOL on) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  CommitItem(host, FindItem(host, [](const OPTITEM& i) { return i.DMPubID == DMPUB_COPIES_COLLATE; }),
             [on](POPTITEM item) {
               if (on) item->Flags |= OPTIF_ECB_CHECKED;
               else item->Flags &= ~OPTIF_ECB_CHECKED;
             });
}

void NotifySheetApply(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if ((r.host != Host::kPluginDocument && r.host != Host::kPluginDevice) || r.doc == nullptr) return;
  OEMCUIPPARAM* cui = r.doc->cuiParam;
  if (cui != nullptr && cui->OEMCUIPCallback != nullptr) {
    CPSUICBPARAM param = {};
    param.cbSize = sizeof param;
    param.Reason = CPSUICB_REASON_APPLYNOW;
    param.pOptItem = cui->pDrvOptItems;
    param.cOptItem = static_cast<WORD>(cui->cDrvOptItems);
    cui->OEMCUIPCallback(&param, cui);
  }
  if (GetCtxSessionFlag(ctx) != 0) {
    if (r.host == Host::kPluginDocument) r.doc->applied = 1;
    else r.device->applied = 1;
  }
}

BOOL IsAdvPrintFeaturesOn(const SheetCtx* ctx) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return TRUE;
  const wchar_t* name = MAKEINTRESOURCEW(419);
  POPTITEM item = FindItem(host, [name](const OPTITEM& i) { return i.pName == name; });
  return item != nullptr && item->Sel == 1 ? FALSE : TRUE;
}

void SaveFreeMemOption(const SheetCtx* ctx) {
  ItemHost host;
  if (!FindItemHost(ctx, &host)) return;
  const wchar_t* name = MAKEINTRESOURCEW(400);
  POPTITEM item = FindItem(host, [name](const OPTITEM& i) { return i.pName == name; });
  if (item == nullptr) return;
  DWORD kilobytes = static_cast<DWORD>(item->Sel);
  SetPrinterDataW(GetCtxPrinterHandle(ctx), const_cast<wchar_t*>(L"FreeMem"), REG_DWORD,
                  reinterpret_cast<BYTE*>(&kilobytes), sizeof kilobytes);
}

namespace {

// The host's installable options by the image library's string of their
// item name, and the device options they show.
struct InstallableOption {
  UINT nameId;
  const char* option;
};
constexpr InstallableOption kInstallableOptions[] = {
    {9002, "OpMemory"},  {9950, "OpInTray1"},    {9951, "OpInTray2"}, {9952, "OpInTray3"},
    {9953, "OpInTray4"}, {9955, "OpInTray5"},    {9004, "OpDuplex"},  {9005, "OpManualFeed"},
    {9006, "OpHDD"},     {9062, "OpMemoryCard1"},
};
constexpr UINT kPrinterMemoryItemId = 400;
// Kilobytes of printer memory by the place of the memory option's value.
LONG PrinterMemoryKilobytes(uint32_t place) {
  if (place == 0) return 11534;
  return place <= 8 ? 12582 : 0;
}

void ChangeItem(const ItemHost& host, POPTITEM item, LONG selection) {
  if (item == nullptr) return;
  item->Sel = selection;
  item->Flags |= OPTIF_CHANGED;
  if (host.core != nullptr && host.core->vtbl != nullptr && host.core->vtbl->DrvUpdateUISetting != nullptr) {
    host.core->vtbl->DrvUpdateUISetting(host.core, host.uiObject, item, 0, kOemCuipDocProp);
  }
}

}  // namespace

void MapInstallableOptions(const SheetCtx* ctx, const DevOption* record, const DeviceOptionItem* options,
                           HMODULE strings) {
  ItemHost host;
  if (record == nullptr || options == nullptr || !FindItemHost(ctx, &host)) return;
  for (const InstallableOption& o : kInstallableOptions) {
    wchar_t name[128] = {};
    if (LoadStringW(strings, o.nameId, name, 128) <= 0) continue;
    POPTITEM item = FindItem(host, [&name](const OPTITEM& i) {
      return i.Level == 2 && i.pName != nullptr && !IsResourceId(i.pName) && SameText(i.pName, name);
    });
    uint32_t place = 0;
    const OptionItem* value = SelectedDeviceOptionValue(record, options, o.option, &place);
    if (item == nullptr || value == nullptr) continue;
    const bool memory = std::strcmp(o.option, "OpMemory") == 0;
    ChangeItem(host, item, memory ? static_cast<LONG>(place) : (std::strncmp(value->keyword, "Ena", 3) == 0 ? 1 : 0));
    if (memory) {
      const wchar_t* memoryName = MAKEINTRESOURCEW(kPrinterMemoryItemId);
      ChangeItem(host, FindItem(host, [memoryName](const OPTITEM& i) { return i.pName == memoryName; }),
                 PrinterMemoryKilobytes(place));
    }
  }
}

void TakeInstalledOptionsFromTree(const SheetCtx* ctx, DevOption* record, const DeviceOptionItem* options,
                                  HMODULE strings) {
  ItemHost host;
  if (record == nullptr || options == nullptr || !FindItemHost(ctx, &host)) return;
  for (DWORD i = 0; i < host.cui->cDrvOptItems; ++i) {
    const OPTITEM& item = host.cui->pDrvOptItems[i];
    if (item.Level != 2 || item.pName == nullptr || IsResourceId(item.pName) || item.pName[0] == 0) continue;
    for (const InstallableOption& o : kInstallableOptions) {
      wchar_t name[128] = {};
      const int length = LoadStringW(strings, o.nameId, name, 128);
      if (length <= 0 || _wcsnicmp(item.pName, name, static_cast<size_t>(length)) != 0) continue;
      const DeviceOptionItem* option = FindDeviceOptionByName(options, o.option);
      uint32_t place = 0;
      if (InstalledOptionPlaceFromTree(option, std::strcmp(o.option, "OpMemory") == 0, item.Sel, &place)) {
        record->optionValues[option->optionIndex] = place;
      }
      break;
    }
  }
}

SheetCtx* GetDlgPrcCtx(HWND dialog) {
  auto* ctx = reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (ctx != nullptr) return ctx;
  g_fallbackContext.lParam = reinterpret_cast<LPARAM>(&g_fallbackRecord);
  return &g_fallbackContext;
}
