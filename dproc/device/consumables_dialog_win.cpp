#include "dproc/device/consumables_dialog_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/disp_string_table.h"
#include "common/win/driver_help.h"
#include "common/win/printer_queries.h"
#include "common/win/ui_services.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/startup_settings.h"

namespace {

enum : int {
  kFirstRowLabel = 1784,
  kShopButton = 1783,
  kRefreshButton = 1782,
};
constexpr char kTextSection[] = "Dlg_Consumables";
// The shop opened when the description names none.
constexpr wchar_t kBuiltInShop[] = L"https://supplies.example.com/";

int LabelOf(int row) { return kFirstRowLabel + row * 4; }

const DWORD kHelpIds[] = {
    1784, 7150, 1785, 7150, 1786, 7150, 1787, 7150, 1788, 7160, 1789, 7160, 1790, 7160, 1791, 7160,
    1792, 7170, 1793, 7170, 1794, 7170, 1795, 7170, 1796, 7180, 1797, 7180, 1798, 7180, 1799, 7180,
    1800, 7190, 1801, 7190, 1802, 7190, 1803, 7190, 1804, 7191, 1805, 7191, 1806, 7191, 1807, 7191,
    1808, 7192, 1809, 7192, 1810, 7192, 1811, 7192, 1812, 7193, 1813, 7193, 1814, 7193, 1815, 7193,
    1816, 7194, 1817, 7194, 1818, 7194, 1819, 7194, 1820, 7195, 1821, 7195, 1822, 7195, 1823, 7195,
    1824, 7200, 1825, 7200, 1826, 7200, 1827, 7200, 1828, 7196, 1829, 7196, 1830, 7196, 1831, 7196,
    1783, 7240, 1782, 7250, 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1), 0, 0};

template <typename Fn>
Fn Bound(DDProcEntry entry) {
  if (g_ddproc.module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(g_ddproc.entry[entry]));
}

// The consumables table's row of a keyword (exact); the table ends at the
// first row of another kind.
const MibSupplyRow* SupplyRowOf(const char* keyword) {
  auto table = Bound<GetMrkSupItemListProc>(kGetMrkSupItemList);
  const MibSupplyRow* rows = table != nullptr ? table() : nullptr;
  for (int i = 0; rows != nullptr && i < 64 && rows[i].kind >= 0 && rows[i].kind <= 3; ++i) {
    if (std::strncmp(rows[i].keyword, keyword, sizeof rows[i].keyword) == 0) return &rows[i];
  }
  return nullptr;
}

// The labels of the colours stand indented under their group's label.
void IndentLabels(HWND dialog) {
  const DispStringItem* table = DialogTextTable(kTextSection);
  for (int i = 1; table != nullptr && !(table[i].controlIds[0] == 0 && table[i].keyword[0] == '\0'); ++i) {
    const DispStringItem& item = table[i];
    if (item.text[0] == 0 || item.controlIds[0] == kTextOnlyRecord) continue;
    const MibSupplyRow* row = SupplyRowOf(item.keyword);
    if (row == nullptr || row->indent != 1) continue;
    const std::u16string text = u"    " + std::u16string(item.text);
    for (int k = 0; k < kDispStringIds && item.controlIds[k] != 0; ++k) {
      if (item.controlIds[k] > 0) SetDlgItemTextW(dialog, item.controlIds[k], reinterpret_cast<const wchar_t*>(text.c_str()));
    }
  }
}

void ShowControl(HWND dialog, int id, bool on) { ShowEnableCtrl(dialog, id, on ? TRUE : FALSE); }

void ShowRow(HWND dialog, int row, const SupplyLevelEntry& entry) {
  const int label = LabelOf(row), state = label + 1, bar = label + 2, percent = label + 3;
  switch (entry.kind) {
    case kSupplyNotQueried:
      for (int id : {state, bar, percent}) ShowControl(dialog, id, false);
      break;
    case kSupplyPercent: {
      ShowControl(dialog, state, false);
      ShowControl(dialog, bar, true);
      ShowControl(dialog, percent, true);
      const int level = entry.level < 0 ? 0 : (entry.level > 100 ? 100 : entry.level);
      SendDlgItemMessageW(dialog, bar, PBM_SETRANGE32, 0, 100);
      SendDlgItemMessageW(dialog, bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(entry.colour));
      SendDlgItemMessageW(dialog, bar, PBM_SETPOS, static_cast<WPARAM>(level), 0);
      wchar_t text[16] = {};
      _snwprintf(text, 15, L"%d%%", level);
      SetDlgItemTextW(dialog, percent, text);
      break;
    }
    case kSupplyState: {
      ShowControl(dialog, state, true);
      ShowControl(dialog, bar, false);
      ShowControl(dialog, percent, false);
      const char* key = ConsumableStateKeyword(entry.level);
      const char16_t* text = key != nullptr ? DispStringText(DialogTextTable(kTextSection), key) : u"";
      SetDlgItemTextW(dialog, state, reinterpret_cast<const wchar_t*>(text));
      break;
    }
    case kSupplyNotMeasured:
      for (int id : {label, state, bar, percent}) ShowControl(dialog, id, false);
      break;
    default:
      break;
  }
}

// Asks the device and shows what it reports; the result of the refresh.
INT_PTR Refresh(HWND dialog, SheetCtx* ctx) {
  const char* address = UiDeviceAddress(GetUIState(ctx));
  if (address == nullptr || address[0] == '\0') return 0;
  auto modelOk = Bound<MibIsModelOKProc>(kMibIsModelOK);
  auto request = Bound<MibMrkSupRequestProc>(kMibMrkSupRequest);
  // Without the device library the device cannot be asked.
  if (modelOk == nullptr || request == nullptr || !modelOk(address)) {
    wchar_t name[MAX_PATH + 1] = {};
    QueryPrinterName(GetCtxPrinterHandle(ctx), name, MAX_PATH + 1);
    CurrentUiServices().messageBox(dialog, L"Printer is not support.", name, MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  SupplyLevelEntry entries[kConsumableRows] = {};
  for (int i = 0; i < kConsumableRows; ++i) std::snprintf(entries[i].keyword, sizeof entries[i].keyword, "Consumable%d", i + 1);
  if (!request(address, kConsumableRows, entries)) return 0;
  for (int i = 0; i < kConsumableRows; ++i) ShowRow(dialog, i, entries[i]);
  return 1;
}

void OpenShop(HWND dialog) {
  wchar_t url[kSettingText + 1] = {};
  if (g_consumablesUrl[0] != '\0') {
    MultiByteToWideChar(CP_ACP, 0, g_consumablesUrl, static_cast<int>(strnlen(g_consumablesUrl, kSettingText)), url,
                        static_cast<int>(kSettingText));
  }
  ShellOpen(dialog, url[0] != 0 ? url : kBuiltInShop);
}

void Init(HWND dialog, SheetCtx*) { IndentLabels(dialog); }

void Started(HWND dialog, SheetCtx* ctx) {
  Refresh(dialog, ctx);
  if (g_webShopFlag == 0) {
    SetWindowPos(GetDlgItem(dialog, kShopButton), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(GetDlgItem(dialog, kShopButton), FALSE);
  }
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == kRefreshButton) {
    Refresh(dialog, ctx);
    return true;
  }
  if (id == kShopButton) {
    OpenShop(dialog);
    return true;
  }
  return false;
}

const DocumentDialog kDialog = {
    .templateId = kConsumablesTemplate,
    .textSection = kTextSection,
    .helpIds = kHelpIds,
    .editsDocument = false,
    .init = Init,
    .started = Started,
    .command = Command,
};

}  // namespace

const char* ConsumableStateKeyword(int32_t state) {
  switch (state) {
    case 1: return "ConsumEmpty";
    case 2: return "ConsumNearEmpty";
    case 3: return "ConsumNearFull";
    case 4: return "ConsumFull";
    case 5: return "ConsumReady";
    default: return nullptr;
  }
}

INT_PTR CALLBACK ConsumablesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
