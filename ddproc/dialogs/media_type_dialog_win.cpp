#include "ddproc/dialogs/media_type_dialog_win.h"

#include <commctrl.h>

#include <initializer_list>

#include "common/media/media_rows.h"
#include "common/qxd/model_info.h"
#include "common/win/sheet_context_records_win.h"
#include "ddproc/dialogs/media_type_variants.h"
#include "ddproc/dialogs/proc_lib_binding_win.h"
#include "ddproc/startup/ddproc_module_win.h"

namespace {

constexpr int kTrayList = 1844;
constexpr int kInfoGroup = 1845;
constexpr uint16_t kHintPageId = 155;
constexpr uint16_t kChangeHintPageId = 156;
constexpr DWORD kDialogHelpId = 7300;
constexpr int kPortraitIcon = 473;
constexpr int kLandscapeIcon = 474;
constexpr int kItemHeight = 16;
constexpr int kIconColumn = 2;  // the orientation column carries the page icon

// The open dialog (one at a time: the dialogs are modal).
struct DialogState {
  const MediaTypeVariant* variant = nullptr;
  WNDPROC listProc = nullptr;
  int changedRow = -1;                // the row whose tray a change is taken into
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
  if (DeviceDialogBinding().getImgResInst == nullptr) return;
  HMODULE pictures = DeviceDialogBinding().getImgResInst();
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

// The start, after the skeleton's (texts, tooltips, stop icons): the list's
// columns and rows, the drop lists, and the kinds the model lacks hidden.
void Init(HWND dialog, SheetCtx*) {
  g_state.listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(TrayList(dialog), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayListProc)));
  SetTrayListIcons(dialog);
  SendMessageW(TrayList(dialog), LVM_DELETEALLITEMS, 0, 0);
  if (DevOption* option = Trays(dialog)) TakeMediaSnapshot(*option, &g_state.snapshot);
  BuildColumns(dialog);
  FillRows(dialog);
  SelectRow(dialog, 0);
  FillCombos(dialog);
  const MediaSwitches switches = MediaSwitchesOf(DDProcModel());
  for (int column : {kColWeight, kColColor, kColHole}) {
    if (VariantEdits(*g_state.variant, column) && !MediaComboShown(*g_state.variant, column, switches)) {
      HideKind(dialog, column);
    }
  }
}

void EnableRules(HWND dialog, SheetCtx*) { DisableWhenLocked(dialog); }

// A choice in a drop list is taken into the selected tray; the skeleton
// keeps the tray's bytes for the undo of a refusal.
uint8_t* ChangedTray(HWND dialog, SheetCtx*, const DeviceDialogChange&, uint32_t* bytes) {
  g_state.changedRow = SelectedRow(dialog);
  const int tray = TrayOfRow(dialog, g_state.changedRow);
  DevOption* option = Trays(dialog);
  if (tray < 0 || option == nullptr) return nullptr;
  *bytes = sizeof(TrayMediaSlot);
  return reinterpret_cast<uint8_t*>(&option->trays[tray]);
}
bool ReadChoice(HWND dialog, SheetCtx*, const DeviceDialogChange& change) {
  const MediaValueKind* kind = MediaValueKindOfCombo(change.controlId);
  const int tray = TrayOfRow(dialog, g_state.changedRow);
  DevOption* option = Trays(dialog);
  if (kind == nullptr || !VariantEdits(*g_state.variant, kind->column) || tray < 0 || option == nullptr) return false;
  HWND combo = GetDlgItem(dialog, kind->comboId);
  const LRESULT choice = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (choice < 0) return false;
  const auto* item = reinterpret_cast<const OptionItem*>(SendMessageW(combo, CB_GETITEMDATA, choice, 0));
  if (item == nullptr || item == reinterpret_cast<const OptionItem*>(CB_ERR)) return false;
  SetTrayFieldValue(&option->trays[tray], kind->column, item->value);
  return true;
}
void ShowTray(HWND dialog, SheetCtx*, const DeviceDialogChange&) { SelectCombosFromTray(dialog); }
// The rows show the trays' values again, the changed row still selected.
void AfterChoice(HWND dialog, SheetCtx*, const DeviceDialogChange&) {
  FillRows(dialog);
  if (g_state.changedRow >= 0) SelectRow(dialog, g_state.changedRow);
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

bool IsVariantControl(const MediaTypeVariant& variant, UINT id) {
  if (id == static_cast<UINT>(kTrayList)) return true;
  const MediaValueKind* kind = MediaValueKindOfCombo(static_cast<uint16_t>(id));
  return kind != nullptr && VariantEdits(variant, kind->column);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (!IsVariantControl(*g_state.variant, item->CtlID)) return false;
  if (item->CtlID == static_cast<UINT>(kTrayList)) {
    DrawTrayRow(dialog, item);
  } else {
    DrawComboItem(item);
  }
  return true;
}

bool Notify(HWND dialog, SheetCtx*, const NMHDR* note, LRESULT*) {
  if (note->idFrom == static_cast<UINT_PTR>(kTrayList) && note->code == LVN_ITEMCHANGED) {
    SelectCombosFromTray(dialog);
  }
  return false;
}

void Cancel(HWND dialog, SheetCtx*) {
  if (DevOption* option = Trays(dialog)) RestoreMediaSnapshot(*g_state.variant, g_state.snapshot, option);
}

// Becoming active again (the skeleton has run the pass and the hint): the
// drop lists show the selected tray, locked ones disabled.
bool Other(HWND dialog, SheetCtx*, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    SelectCombosFromTray(dialog);
    DisableWhenLocked(dialog);
  }
  return false;
}

void Destroy(HWND dialog) {
  HWND list = TrayList(dialog);
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, 0));
  if (images != nullptr) ImageList_Destroy(images);
  if (g_state.listProc != nullptr) SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_state.listProc));
}

#define MEDIA_CHOICE(id) {id, CBN_SELENDOK, 0, ChangedTray, ReadChoice, ShowTray, AfterChoice}
const DeviceDialogChange kChoices[] = {
    MEDIA_CHOICE(1860), MEDIA_CHOICE(1862), MEDIA_CHOICE(1003),
    MEDIA_CHOICE(1086), MEDIA_CHOICE(1091), MEDIA_CHOICE(1094), {},
};
#undef MEDIA_CHOICE
const DeviceItemHeight kItemHeights[] = {
    {kTrayList, kItemHeight}, {1860, kItemHeight}, {1862, kItemHeight}, {1003, kItemHeight},
    {1086, kItemHeight}, {1091, kItemHeight}, {1094, kItemHeight}, {},
};

// The description of a variant's dialog for the skeleton.
const DeviceDialog& Description(const MediaTypeVariant& variant) {
  static DeviceDialog descs[3];
  static DWORD helpIds[3][2 * (2 + 2 * kMediaValueKinds) + 2];
  const size_t at = variant.templateId == 155 ? 0 : variant.templateId == 165 ? 1 : 2;
  DeviceDialog& d = descs[at];
  if (d.size != 0) return d;
  DWORD* table = helpIds[at];
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
  d = DeviceDialog{
      .size = sizeof(DeviceDialog),
      .templateId = variant.templateId,
      .hintPageId = kHintPageId,
      .editsDocument = 0,
      .checksOnActivate = 1,
      .changeHintPageId = kChangeHintPageId,
      .texts = DDProcTables().paperSourceTray,
      .helpIds = table,
      .helpTopic = kDialogHelpId,
      .clipTitle = L"Media Type Setting Dialog",
      .changes = kChoices,
      .itemHeights = kItemHeights,
      .init = Init,
      .enableRules = EnableRules,
      .command = nullptr,
      .ok = nullptr,
      .defaults = nullptr,
      .cancel = Cancel,
      .drawItem = DrawItem,
      .notify = Notify,
      .other = Other,
      .destroy = Destroy,
  };
  return d;
}

// Every message goes to the skeleton of the procedure library; without it
// (the dialog is only opened with it bound) the dialog ends at once.
INT_PTR MediaTypeDialog(const MediaTypeVariant& variant, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const RunDeviceDialogFn run = DeviceDialogBinding().runDialog;
  if (message == WM_INITDIALOG) {
    g_state = DialogState{};
    g_state.variant = &variant;
    if (run == nullptr) {
      EndDialog(dialog, IDCANCEL);
      return FALSE;
    }
  }
  if (run == nullptr || g_state.variant == nullptr) return FALSE;
  int32_t handled = 0;
  const INT_PTR result = run(&Description(variant), dialog, message, wParam, lParam, &handled);
  if (message == WM_DESTROY) g_state = DialogState{};
  return result;
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
