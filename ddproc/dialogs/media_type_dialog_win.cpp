#include "ddproc/dialogs/media_type_dialog_win.h"

#include <commctrl.h>

#include <initializer_list>

#include "common/media/media_rows.h"
#include "common/qxd/model_info.h"
#include "common/win/driver_help.h"
#include "common/win/sheet_context_records_win.h"
#include "ddproc/dialogs/media_type_variants.h"
#include "ddproc/dialogs/proc_lib_binding_win.h"
#include "ddproc/startup/ddproc_module_win.h"

namespace {

constexpr int kTrayList = 1844;
constexpr int kInfoGroup = 1845;
constexpr UINT kHintPageId = 155;
constexpr UINT kChangeHintPageId = 156;
constexpr DWORD kDialogHelpId = 7300;
constexpr int kPortraitIcon = 473;
constexpr int kLandscapeIcon = 474;
constexpr int kItemHeight = 16;
constexpr int kIconColumn = 2;  // the orientation column carries the page icon

// The open dialog (one at a time: the dialogs are modal).
struct DialogState {
  const MediaTypeVariant* variant = nullptr;
  ProcLibBinding* binding = nullptr;
  WNDPROC listProc = nullptr;
  int columns = 0;                    // columns the rows fill
  int columnOrder[kMediaListColumns] = {};
  MediaTypeSnapshot snapshot = {};
};
DialogState g_state;

SheetCtx* Context(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }
DevOption* Trays(HWND dialog) {
  SheetCtx* ctx = Context(dialog);
  return ctx != nullptr ? GetCtxPrinterInfo(ctx) : nullptr;
}
HWND TrayList(HWND dialog) { return GetDlgItem(dialog, kTrayList); }
const MediaTypeLists* Lists() { return DDProcMediaTypeLists(); }

int SelectedRow(HWND dialog) {
  return static_cast<int>(SendMessageW(TrayList(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
// The tray index a row stands for (its item data); -1 for none.
int TrayOfRow(HWND dialog, int row) {
  if (row < 0) return -1;
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(TrayList(dialog), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam >= 0 && item.lParam < static_cast<LPARAM>(kDevOptionTraySlots) ? static_cast<int>(item.lParam)
                                                                                   : -1;
}

// The variant's drop lists and the tray list, disabled when the settings
// may not be changed.
void DisableWhenLocked(HWND dialog) {
  SheetCtx* ctx = Context(dialog);
  if (ctx == nullptr || CanChangeDocSettings(ctx)) return;
  EnableWindow(TrayList(dialog), FALSE);
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind& kind = MediaValueKinds()[i];
    if (VariantEdits(*g_state.variant, kind.column)) EnableWindow(GetDlgItem(dialog, kind.comboId), FALSE);
  }
}

// Selects in each drop list the row whose value the selected tray holds
// (none when no row has it).
void SelectCombosFromTray(HWND dialog) {
  const int tray = TrayOfRow(dialog, SelectedRow(dialog));
  DevOption* option = Trays(dialog);
  if (tray < 0 || option == nullptr || Lists() == nullptr) return;
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind& kind = MediaValueKinds()[i];
    if (!VariantEdits(*g_state.variant, kind.column)) continue;
    const int row = MatchingRow(MediaListOf(*Lists(), kind.column), option->trays[tray], kind.column);
    SendMessageW(GetDlgItem(dialog, kind.comboId), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  }
}

void SetCell(HWND list, int row, int subitem, const char16_t* text) {
  LVITEMW cell = {};
  cell.iSubItem = subitem;
  cell.pszText = const_cast<wchar_t*>(text != nullptr ? reinterpret_cast<const wchar_t*>(text) : L"");
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

// The columns the model admits, each as wide as its title plus the header's
// bitmap margins and 20 pixels; the last one takes the rest of the width.
void BuildColumns(HWND dialog) {
  HWND list = TrayList(dialog);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) & ~static_cast<LONG_PTR>(HDS_BUTTONS));
  }
  const int margin = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0)) : 0;
  const MediaSwitches switches = MediaSwitchesOf(DDProcModel());
  const int count = MediaListColumnOrder(switches, g_state.columnOrder);
  RECT client = {};
  GetClientRect(list, &client);
  int used = 0;
  for (int i = 0; i < count; ++i) {
    const int c = g_state.columnOrder[i];
    auto* title = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(DDProcTables().mediaColumns[c].title));
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(title))) +
                2 * margin + 20;
    if (i == count - 1 && client.right - used > 0) column.cx = client.right - used;
    used += column.cx;
    column.pszText = title;
    column.iSubItem = i;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// One row per listed tray: its display name, then the texts of the values
// it holds (empty where no list row has the value).  The listed trays'
// keywords and bin ids are written into the tray table.
void FillRows(HWND dialog) {
  HWND list = TrayList(dialog);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  g_state.columns = 0;
  const ModelInfo* model = DDProcModel();
  DevOption* option = Trays(dialog);
  if (model == nullptr || option == nullptr || Lists() == nullptr) return;
  MediaListTrays collected = {};
  CollectMediaListTrays(model->inTrays, nullptr, option->trays, &collected);
  const InTrayEntry* listed[kMediaListTrays] = {};
  const uint32_t count = ListedInputTrays(model->inTrays, listed);
  const int columns = MediaListColumnOrder(MediaSwitchesOf(model), g_state.columnOrder);
  for (uint32_t t = 0; t < count; ++t) {
    wchar_t name[33] = {};
    for (size_t i = 0; i < 32 && listed[t]->name[i] != 0; ++i) name[i] = static_cast<wchar_t>(listed[t]->name[i]);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(t);
    item.pszText = name;
    item.lParam = static_cast<LPARAM>(t);
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) continue;
    for (int i = 1; i < columns; ++i) {
      SetCell(list, row, i, MediaCellText(g_state.columnOrder[i], option->trays[t], *Lists()));
    }
  }
  g_state.columns = columns;
}

void SelectRow(HWND dialog, int row) {
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(TrayList(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  SendMessageW(TrayList(dialog), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void FillCombos(HWND dialog) {
  if (Lists() == nullptr) return;
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind& kind = MediaValueKinds()[i];
    if (!VariantEdits(*g_state.variant, kind.column)) continue;
    HWND combo = GetDlgItem(dialog, kind.comboId);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const OptionItem* row = MediaListOf(*Lists(), kind.column); row != nullptr && row->keyword[0] != '\0';
         ++row) {
      const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row->text));
      if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
    }
  }
}

void HideKind(HWND dialog, int column) {
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind& kind = MediaValueKinds()[i];
    if (kind.column != column) continue;
    for (int id : {static_cast<int>(kind.labelId), static_cast<int>(kind.comboId)}) {
      HWND control = GetDlgItem(dialog, id);
      ShowWindow(control, SW_HIDE);
      EnableWindow(control, FALSE);
    }
  }
}

// The tray list repaints whole rows: the area to paint is widened to the
// full client width between the top and bottom of the clip box.
LRESULT CALLBACK TrayListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    RECT update = {};
    if (GetUpdateRect(list, &update, FALSE)) {
      RECT client = {};
      GetClientRect(list, &client);
      update.left = client.left;
      update.right = client.right;
      InvalidateRect(list, &update, FALSE);
    }
  }
  return CallWindowProcW(g_state.listProc, list, message, wParam, lParam);
}

void SetTrayListIcons(HWND dialog) {
  if (g_state.binding->getImgResInst == nullptr) return;
  HMODULE pictures = g_state.binding->getImgResInst();
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
  if (images == nullptr) return;
  for (int id : {kPortraitIcon, kLandscapeIcon}) {
    HICON icon = pictures != nullptr
                     ? static_cast<HICON>(LoadImageW(pictures, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0))
                     : nullptr;
    ImageList_AddIcon(images, icon);
    if (icon != nullptr) DestroyIcon(icon);
  }
  HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
      SendMessageW(TrayList(dialog), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
  if (old != nullptr) ImageList_Destroy(old);
}

void Initialise(HWND dialog, LPARAM context) {
  SetWindowLongPtrW(dialog, DWLP_USER, context);
  g_state.listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(TrayList(dialog), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayListProc)));
  ProcLibBinding& b = *g_state.binding;
  if (b.module != nullptr) {
    if (b.replaceCommonTexts != nullptr) b.replaceCommonTexts(dialog, DDProcTables().common, kHintPageId);
    if (b.replaceTexts != nullptr) b.replaceTexts(dialog, DDProcTables().paperSourceTray);
    if (b.createToolWnd != nullptr) b.tooltip = b.createToolWnd(dialog);
    if (b.storeStopIconRects != nullptr) b.storeStopIconRects(dialog);
    if (b.doConstraints != nullptr) b.doConstraints(0, dialog, b.tooltip, 0, -1);
    if (b.dispHintControl != nullptr) b.dispHintControl(dialog, Context(dialog), kHintPageId);
    SetTrayListIcons(dialog);
  }
  SendMessageW(TrayList(dialog), LVM_DELETEALLITEMS, 0, 0);
  if (DevOption* option = Trays(dialog)) TakeMediaSnapshot(*option, &g_state.snapshot);
  BuildColumns(dialog);
  FillRows(dialog);
  SelectRow(dialog, 0);
  FillCombos(dialog);
  SelectCombosFromTray(dialog);
  const MediaSwitches switches = MediaSwitchesOf(DDProcModel());
  for (int column : {kColWeight, kColColor, kColHole}) {
    if (VariantEdits(*g_state.variant, column) && !MediaComboShown(*g_state.variant, column, switches)) {
      HideKind(dialog, column);
    }
  }
  DisableWhenLocked(dialog);
}

// A choice in a drop list: into the selected tray, then checked; a refused
// choice puts the tray's previous value back.
void ValueChanged(HWND dialog, const MediaValueKind& kind) {
  const int row = SelectedRow(dialog);
  const int tray = TrayOfRow(dialog, row);
  DevOption* option = Trays(dialog);
  if (tray < 0 || option == nullptr) return;
  ProcLibBinding& b = *g_state.binding;
  if (b.module == nullptr || b.doConstraints == nullptr || b.dispHintControl == nullptr) {
    // Without the constraint check a choice cannot be taken: the tray keeps
    // its value and the drop list shows it again.
    SelectCombosFromTray(dialog);
    return;
  }
  HWND combo = GetDlgItem(dialog, kind.comboId);
  const LRESULT choice = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (choice < 0) return;
  const auto* item = reinterpret_cast<const OptionItem*>(SendMessageW(combo, CB_GETITEMDATA, choice, 0));
  if (item == nullptr || item == reinterpret_cast<const OptionItem*>(CB_ERR)) return;
  TrayMediaSlot& slot = option->trays[tray];
  const auto previous = static_cast<uint32_t>(TrayFieldValue(slot, kind.column));
  SetTrayFieldValue(&slot, kind.column, item->value);
  if (ConstraintRefused(b.doConstraints(0, dialog, b.tooltip, kind.comboId, -1))) {
    SetTrayFieldValue(&slot, kind.column, previous);
    SelectCombosFromTray(dialog);
  }
  b.dispHintControl(dialog, Context(dialog), kChangeHintPageId);
  DisableWhenLocked(dialog);
  FillRows(dialog);
  SelectRow(dialog, row);
}

void Activated(HWND dialog) {
  ProcLibBinding& b = *g_state.binding;
  if (b.module != nullptr && b.doConstraints != nullptr) b.doConstraints(0, dialog, b.tooltip, 0, -1);
  if (b.module != nullptr && b.dispHintControl != nullptr) b.dispHintControl(dialog, Context(dialog), kHintPageId);
  SelectCombosFromTray(dialog);
  DisableWhenLocked(dialog);
}

COLORREF ListBackground(HWND list) {
  const COLORREF colour = static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0));
  // CLR_NONE, and CLR_DEFAULT that some list views answer, are no colour.
  return colour == CLR_NONE || colour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : colour;
}

void DrawTrayRow(HWND dialog, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const int saved = SaveDC(dc);
  HWND list = item->hwndItem;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawFocusRect(dc, &item->rcItem);
    RestoreDC(dc, saved);
    return;
  }
  const bool disabled = (item->itemState & ODS_DISABLED) != 0 || !IsWindowEnabled(list);
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  HBRUSH brush = nullptr;
  if (disabled) {
    brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  } else if (selected) {
    brush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  } else {
    brush = CreateSolidBrush(ListBackground(list));
  }
  RECT client = {};
  GetClientRect(list, &client);
  RECT whole = item->rcItem;
  whole.left = client.left + 1;
  whole.right = client.right - 1;
  FillRect(dc, &whole, brush);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  const DevOption* option = Trays(dialog);
  const int tray = static_cast<int>(item->itemData);
  const int indent = LOWORD(GetDialogBaseUnits()) / 4;
  int left = item->rcItem.left;
  for (int c = 0; c < g_state.columns; ++c) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    RECT cell = {left, item->rcItem.top, left + width, item->rcItem.bottom};
    left += width;
    if (c == kIconColumn) cell.left += 16;
    FillRect(dc, &cell, brush);
    if (c == kIconColumn && option != nullptr && tray >= 0 && tray < static_cast<int>(kDevOptionTraySlots)) {
      HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
      const int image = option->trays[tray].orientation == 1 ? 0 : 1;
      if (images != nullptr) ImageList_Draw(images, image, dc, cell.left - 16, cell.top, ILD_TRANSPARENT);
    }
    wchar_t text[260] = {};
    LVITEMW get = {};
    get.iSubItem = c;
    get.pszText = text;
    get.cchTextMax = 260;
    SendMessageW(list, LVM_GETITEMTEXTW, item->itemID, reinterpret_cast<LPARAM>(&get));
    RECT textRect = cell;
    textRect.left += indent;
    DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == list) DrawFocusRect(dc, &item->rcItem);
  DeleteObject(brush);
  RestoreDC(dc, saved);
}

// A drop-list item: its background by state, then a row the constraint
// rules refused with its warning icon at the left, and the row's text (20
// pixels in, at the left edge in the edit part of a row without icon).
void DrawComboItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawFocusRect(dc, &item->rcItem);
    return;
  }
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    FillRect(dc, &item->rcItem, GetSysColorBrush(disabled ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    if (row != nullptr && row != reinterpret_cast<const OptionItem*>(CB_ERR)) {
      const RECT& cell = item->rcItem;
      const int iconId = row->flag != 0 ? static_cast<int>(row->iconId) : 0;
      if (iconId != 0) {
        const int side = cell.bottom - cell.top;
        HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(iconId));
        if (icon != nullptr) DrawIconEx(dc, cell.left, cell.top, icon, side, side, 0, nullptr, DI_NORMAL);
      }
      const int x = iconId == 0 && (item->itemState & ODS_COMBOBOXEDIT) != 0 ? cell.left : cell.left + 20;
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      const COLORREF oldColour =
          SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
      const auto* text = reinterpret_cast<const wchar_t*>(row->text);
      int length = 0;
      while (length < 48 && text[length] != L'\0') ++length;
      TextOutW(dc, x, cell.top + 1, text, length);
      SetTextColor(dc, oldColour);
      SetBkMode(dc, oldMode);
    }
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem)) {
    DrawFocusRect(dc, &item->rcItem);
  }
}

// The help pairs of a variant's own controls, ended by 0, 0.
const DWORD* HelpIds(const MediaTypeVariant& variant) {
  static DWORD tables[3][2 * (2 + 2 * kMediaValueKinds) + 2];
  DWORD* table = tables[variant.templateId == 155 ? 0 : variant.templateId == 165 ? 1 : 2];
  size_t n = 0;
  table[n++] = kInfoGroup;
  table[n++] = 7310;
  table[n++] = kTrayList;
  table[n++] = 7320;
  for (size_t i = 0; i < kMediaValueKinds; ++i) {
    const MediaValueKind& kind = MediaValueKinds()[i];
    if (!VariantEdits(variant, kind.column)) continue;
    table[n++] = kind.labelId;
    table[n++] = kind.helpId;
    table[n++] = kind.comboId;
    table[n++] = kind.helpId;
  }
  table[n++] = 0;
  table[n] = 0;
  return table;
}

bool IsVariantControl(const MediaTypeVariant& variant, UINT id) {
  if (id == static_cast<UINT>(kTrayList)) return true;
  const MediaValueKind* kind = MediaValueKindOfCombo(static_cast<uint16_t>(id));
  return kind != nullptr && VariantEdits(variant, kind->column);
}

INT_PTR MediaTypeDialog(const MediaTypeVariant& variant, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      g_state = DialogState{};
      g_state.variant = &variant;
      g_state.binding = &DeviceDialogBinding();
      BindProcLibrary(g_state.binding);
      Initialise(dialog, lParam);
      return FALSE;
    case WM_COMMAND: {
      if (g_state.variant == nullptr) return FALSE;
      const UINT id = LOWORD(wParam);
      if (id == IDOK && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
        if (DevOption* option = Trays(dialog)) RestoreMediaSnapshot(variant, g_state.snapshot, option);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if (id == 9 && HIWORD(wParam) == BN_CLICKED) {
        ShowDriverHelp(dialog, HELP_CONTEXT, kDialogHelpId);
        return TRUE;
      }
      const MediaValueKind* kind = MediaValueKindOfCombo(static_cast<uint16_t>(id));
      if (kind != nullptr && VariantEdits(variant, kind->column) && HIWORD(wParam) == CBN_SELENDOK) {
        ValueChanged(dialog, *kind);
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (g_state.variant != nullptr && header != nullptr && header->idFrom == static_cast<UINT_PTR>(kTrayList) &&
          header->code == LVN_ITEMCHANGED) {
        SelectCombosFromTray(dialog);
      }
      return FALSE;
    }
    case WM_ACTIVATE:
      if (g_state.variant != nullptr && LOWORD(wParam) != WA_INACTIVE && Context(dialog) != nullptr) {
        Activated(dialog);
      }
      return FALSE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (g_state.variant == nullptr || item == nullptr || !IsVariantControl(variant, static_cast<UINT>(wParam))) {
        return FALSE;
      }
      if (wParam == static_cast<WPARAM>(kTrayList)) {
        DrawTrayRow(dialog, item);
      } else {
        DrawComboItem(item);
      }
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item == nullptr || !IsVariantControl(variant, static_cast<UINT>(wParam))) return FALSE;
      item->itemHeight = kItemHeight;
      return TRUE;
    }
    case WM_HELP:
    case WM_CONTEXTMENU:
      return HandleDialogHelpMessage(message, wParam, lParam, HelpIds(variant)) ? TRUE : FALSE;
    case WM_DESTROY: {
      HWND list = TrayList(dialog);
      HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0));
      if (images != nullptr) ImageList_Destroy(images);
      if (g_state.listProc != nullptr) {
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_state.listProc));
      }
      if (g_state.binding != nullptr) ReleaseProcLibrary(g_state.binding);
      g_state = DialogState{};
      return FALSE;
    }
    default: return FALSE;
  }
}

const MediaTypeVariant& Variant(uint32_t templateId) { return *MediaTypeVariantForTemplate(templateId); }

}  // namespace

INT_PTR CALLBACK MediaTypeDlgProc155(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return MediaTypeDialog(Variant(155), dialog, message, wParam, lParam);
}
INT_PTR CALLBACK MediaTypeDlgProc165(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return MediaTypeDialog(Variant(165), dialog, message, wParam, lParam);
}
INT_PTR CALLBACK MediaTypeDlgProc166(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return MediaTypeDialog(Variant(166), dialog, message, wParam, lParam);
}

DLGPROC MediaTypeDialogProc(uint32_t templateId) {
  switch (templateId) {
    case 155: return &MediaTypeDlgProc155;
    case 165: return &MediaTypeDlgProc165;
    case 166: return &MediaTypeDlgProc166;
    default: return nullptr;
  }
}
