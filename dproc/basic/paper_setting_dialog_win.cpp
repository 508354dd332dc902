#include "dproc/basic/paper_setting_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "common/media/media_columns.h"
#include "common/media/media_rows.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "common/win/ui_services.h"
#include "dproc/basic/media_attribute_fields.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/list_rows_win.h"
#include "dproc/dialogs/media_list_view_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

constexpr uint16_t kTemplate = kPaperSettingTemplate;
constexpr int kDeviceGroup = 1845;
constexpr int kDeviceList = kMediaListViewControl;  // 1844
constexpr int kDeviceCopy = 1899;
constexpr int kTrayGroup = 1846;
constexpr int kTrayList = kPaperSettingTrayList;    // 1848
constexpr int kStopIcon = 1110;
constexpr int kTrayControl = 1006;  // the tray feature's control, for the pass
constexpr int kDefaultButton = 1032;
constexpr int kHelpButton = 9;
constexpr int kRows = 10;
constexpr UINT kUpArrow = 38;

// One media attribute of a tray: its label and list, the media-list column
// that admits it, the model's list, and where a tray's value lies in the
// settings' per-tray row and in the device's tray media table.
struct Attribute {
  int label, combo;
  const char* column;
  ModelListItem* ModelInfo::*list;
  size_t rowAt;   // in TrayMediaEntry
  size_t slotAt;  // in TrayMediaSlot
  size_t bytes;   // 2, or 1 for punching
};
const Attribute kAttributes[] = {
    {1005, 1003, "MediaTypeList_Type", &ModelInfo::mediaTypes, offsetof(TrayMediaEntry, nPaperType2),
     offsetof(TrayMediaSlot, mediaType), 2},
    {1084, 1086, "MediaTypeList_Weight", &ModelInfo::mediaWeights, offsetof(TrayMediaEntry, nPaperWeight),
     offsetof(TrayMediaSlot, mediaWeight), 2},
    {1089, 1091, "MediaTypeList_Color", &ModelInfo::mediaColors, offsetof(TrayMediaEntry, nPaperColor),
     offsetof(TrayMediaSlot, mediaColor), 2},
    {1097, 1094, "MediaTypeList_Hole", &ModelInfo::prePunchedMedia, offsetof(TrayMediaEntry, nPaperPrePunched),
     offsetof(TrayMediaSlot, prePunched), 1},
};

// The lower list's columns: the tray, then the attributes, each a share of
// the list's width in percent.
struct TrayColumn {
  int column;  // MediaColumn
  int percent;
};
const TrayColumn kTrayColumns[] = {{kColTray, 20}, {kColType, 25}, {kColWeight, 20}, {kColColor, 15}, {kColHole, 10}};

const DWORD kHelpIds[] = {1845, 1510, 1844, 1510, 1846, 1520, 1848, 1520, 1005, 1530, 1003, 1530, 1084, 1570,
                          1086, 1570, 1089, 1535, 1091, 1535, 1097, 1540, 1094, 1540, 1899, 1550, 1069, DWORD(-1),
                          1032, 9510, 0, 0};
// Moved up when the device-status part is left out.
const int kMovedUp[] = {1846, 1848, 1005, 1003, 1110, 1089, 1091, 1084, 1086, 1097, 1094, 1069, IDOK, IDCANCEL,
                        kHelpButton};

// The dialog's state while it runs (one Paper Setting dialog at a time).
struct PaperSettingState {
  int16_t savedTray = 0, savedMedia = 0;  // the settings' own, given back on closing
  int row = -1;                           // the tray row whose media the settings' tray is
  bool keyboard = false;                  // the last list key was Up in the tray list
  int selections = 0;                     // selection guard
  bool locked = false;                    // a warning on a tray change locks the media lists
  int deviceColumns = 0;                  // of the device list
  HWND dialog = nullptr;                  // whose tray list holds the row being edited
};
PaperSettingState g_state;

// The model's input trays the rows stand for (the automatic tray left out).
struct ListedTrays {
  const InTrayEntry* rows[kRows] = {};
  uint32_t count = 0;
};
ListedTrays Listed() {
  ListedTrays t;
  const ModelInfo* model = ProcessModelInfo();
  if (model != nullptr && model->inTrays != nullptr) t.count = ListedInputTrays(model->inTrays, t.rows);
  return t;
}

const InTrayEntry* TrayOfRow(int row) {
  const ListedTrays t = Listed();
  return row >= 0 && static_cast<uint32_t>(row) < t.count ? t.rows[row] : nullptr;
}

TrayMediaEntry* RowOf(DocDMode* doc, int row) {
  if (doc == nullptr || row < 0 || row >= kRows) return nullptr;
  return &Fields(*doc).PTInfoEach[row];
}

int32_t RowValue(const TrayMediaEntry& entry, const Attribute& a) { return ReadMediaField(&entry, a.rowAt, a.bytes); }
void SetRowValue(TrayMediaEntry* entry, const Attribute& a, uint32_t value) {
  WriteMediaField(entry, a.rowAt, a.bytes, value);
}

const Attribute* AttributeOf(int combo) {
  for (const Attribute& a : kAttributes) {
    if (a.combo == combo) return &a;
  }
  return nullptr;
}

bool ValuesEqual(const Attribute& a, uint32_t x, int32_t y) { return SameMediaValue(a.bytes, x, y); }

// The display text of the model's item of the attribute's value, or null.
const char16_t* ItemText(const Attribute& a, int32_t value) {
  const ModelInfo* model = ProcessModelInfo();
  const auto* rows = model != nullptr ? reinterpret_cast<const OptionHead*>(model->*(a.list)) : nullptr;
  for (const OptionHead* row = rows; row != nullptr && row->size != 0 && row->keyword[0] != '\0';
       row = NextOptionRow(row)) {
    if (ValuesEqual(a, row->value, value)) return reinterpret_cast<const ModelListItem*>(row)->text;
  }
  return nullptr;
}

HWND TrayList(HWND dialog) { return GetDlgItem(dialog, kTrayList); }

int SelectedRow(HWND dialog) {
  const LRESULT at = SendMessageW(TrayList(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return at >= 0 && at < kRows ? static_cast<int>(at) : -1;
}

void SelectRow(HWND dialog, int row, UINT state) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = state;
  SendMessageW(TrayList(dialog), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(TrayList(dialog), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// --- The drop-down lists.

void FillCombo(HWND dialog, const Attribute& a) {
  HWND combo = GetDlgItem(dialog, a.combo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const ModelInfo* model = ProcessModelInfo();
  const auto* rows = model != nullptr ? reinterpret_cast<const OptionHead*>(model->*(a.list)) : nullptr;
  for (const OptionHead* row = rows; row != nullptr && row->size != 0 && row->keyword[0] != '\0';
       row = NextOptionRow(row)) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
}

void SelectComboValue(HWND dialog, const Attribute& a, int32_t value) {
  HWND combo = GetDlgItem(dialog, a.combo);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    if (row != nullptr && ValuesEqual(a, row->value, value)) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// The lists show the values of the selected row; nothing without one.
void SelectMediaComboItems(HWND dialog, SheetCtx* ctx) {
  const TrayMediaEntry* entry = RowOf(GetPrivDevMode(ctx), SelectedRow(dialog));
  if (entry == nullptr) return;
  for (const Attribute& a : kAttributes) SelectComboValue(dialog, a, RowValue(*entry, a));
}

const OptionHead* SelectedItem(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return nullptr;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == CB_ERR || data == 0 ? nullptr : reinterpret_cast<const OptionHead*>(data);
}

void UpdatePaperSettingControls(HWND dialog, SheetCtx* ctx) {
  for (const Attribute& a : kAttributes) {
    const bool shown = IsMediaTypeColumnShown(a.column);
    ShowEnableCtrl(dialog, a.label, shown ? TRUE : FALSE);
    ShowEnableCtrl(dialog, a.combo, shown ? TRUE : FALSE);
    if (shown && g_state.locked) {
      EnableWindow(GetDlgItem(dialog, a.label), FALSE);
      EnableWindow(GetDlgItem(dialog, a.combo), FALSE);
    }
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1846, 1005, 1003, 1084, 1086, 1089, 1091, 1097, 1094, kDeviceCopy, kDeviceGroup}) {
      EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
  }
}

// --- The tray list.

// The cells of row k from the settings' row k; inserts the row first when
// asked.  Nothing when the model has no k-th tray.
void UpdateTrayListRow(HWND dialog, SheetCtx* ctx, int row, bool insert) {
  const InTrayEntry* tray = TrayOfRow(row);
  const TrayMediaEntry* entry = RowOf(GetPrivDevMode(ctx), row);
  if (tray == nullptr || entry == nullptr) return;
  HWND list = TrayList(dialog);
  wchar_t text[129] = {};
  for (size_t i = 0; i < 128 && i < sizeof tray->name / sizeof tray->name[0] && tray->name[i] != 0; ++i) {
    text[i] = static_cast<wchar_t>(tray->name[i]);
  }
  LVITEMW item = {};
  item.iItem = row;
  if (insert) {
    item.mask = LVIF_TEXT;
    item.pszText = text;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  int sub = 1;
  for (const Attribute& a : kAttributes) {
    if (!IsMediaTypeColumnShown(a.column)) continue;
    const char16_t* value = ItemText(a, RowValue(*entry, a));
    item.iSubItem = sub++;
    item.pszText = const_cast<wchar_t*>(value != nullptr ? reinterpret_cast<const wchar_t*>(value) : L"");
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

void InitTrayListView(HWND dialog, SheetCtx* ctx) {
  HWND list = TrayList(dialog);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (header != nullptr) SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) & ~HDS_BUTTONS);
  RECT box;
  GetWindowRect(list, &box);
  const double width = box.right - box.left;
  const MediaListColumn* titles = MediaListColumnTable();
  int at = 0;
  for (const TrayColumn& c : kTrayColumns) {
    if (!IsMediaTypeColumnShown(titles[c.column].keyword)) continue;
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(titles[c.column].title));
    column.cx = static_cast<int>(width * c.percent / 100.0) + (c.column == kColTray ? 20 : 0);
    column.iSubItem = at;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column));
    ++at;
  }
  HIMAGELIST images = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 1, 1);
  if (images != nullptr) {
    ImageList_AddIcon(images, LoadIconW(nullptr, MAKEINTRESOURCEW(32515)));  // the system's warning icon
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (old != nullptr) ImageList_Destroy(old);
  }
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (int row = 0; row < kRows; ++row) UpdateTrayListRow(dialog, ctx, row, true);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// The starting tray: the settings' tray when the constraints leave it
// usable, else the first usable tray after it; the row counts the trays
// without the automatic ones.  No usable tray: tray id 0, no row.
void ChooseStartingTray(int16_t inTray, uint32_t* trayId, int* row) {
  *trayId = 0;
  *row = -1;
  const ModelInfo* model = ProcessModelInfo();
  if (model == nullptr || model->inTrays == nullptr) return;
  int position = 0, automatic = 0;
  bool reached = false;
  for (const InTrayEntry* t = model->inTrays; t->keyword[0] != '\0'; ++t, ++position) {
    const bool isAuto = t->binId == kMediaAutoTrayId;
    const bool usable = !isAuto && t->flag == 0;
    if (!reached && static_cast<int16_t>(t->binId) == inTray) {
      reached = true;
    } else if (!reached) {
      if (isAuto) ++automatic;
      continue;
    }
    if (usable) {
      *trayId = t->binId;
      *row = position - automatic;
      if (*row >= kRows) *row = -1;
      return;
    }
    if (isAuto) ++automatic;
  }
}

void HideDeviceStatus(HWND dialog) {
  for (int id : {kDeviceGroup, kDeviceList, 1005, kDeviceCopy}) ShowEnableCtrl(dialog, id, FALSE);
  RECT top, upper;
  GetWindowRect(GetDlgItem(dialog, kTrayGroup), &top);
  GetWindowRect(GetDlgItem(dialog, kDeviceGroup), &upper);
  const int distance = top.top - upper.top;
  if (distance <= 0) return;
  for (int id : kMovedUp) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) continue;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left, r.top - distance, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - distance,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaperSettingOnInit(HWND dialog, SheetCtx* ctx) {
  g_state = PaperSettingState{};
  g_state.dialog = dialog;
  // The tray rows and the device rows are painted across the whole width.
  PaintFullRows(GetDlgItem(dialog, kTrayList));
  PaintFullRows(GetDlgItem(dialog, kDeviceList));
  DocDMode* doc = GetPrivDevMode(ctx);
  SetMediaBindingMode(kMediaBindingTrays);
  for (const Attribute& a : kAttributes) FillCombo(dialog, a);
  InitTrayListView(dialog, ctx);

  DocFields& f = Fields(*doc);
  uint32_t trayId = 0;
  int row = -1;
  ChooseStartingTray(f.nDefaultSource, &trayId, &row);
  g_state.savedTray = f.nDefaultSource;
  g_state.savedMedia = f.nMediaType;
  f.nDefaultSource = static_cast<int16_t>(trayId);
  g_state.row = row;
}

// After the first pass: the starting tray's row, the device's report and
// the lists' states.
void PaperSettingStarted(HWND dialog, SheetCtx* ctx) {
  if (g_state.row >= 0) SelectRow(dialog, g_state.row, LVIS_SELECTED);

  // What the device reports goes into the context's tray media table.
  DevOption* device = GetCtxPrinterInfo(ctx);
  if (const SheetDeviceStatus* status = GetCtxTrayStatus(ctx); status != nullptr && status->valid != 0 &&
                                                                device != nullptr) {
    std::memcpy(device->trays, status->trays, sizeof device->trays);
  }
  InitMediaTypeListView(dialog, MediaSwitchesOf(ProcessModelInfo()));
  g_state.deviceColumns = FillMediaTypeListView(dialog, ctx, kDeviceList);
  const ModelInfo* model = ProcessModelInfo();
  if (model != nullptr && model->features[kMfMediaTypeDevStatus] == 0) HideDeviceStatus(dialog);
  UpdatePaperSettingControls(dialog, ctx);
  SelectMediaComboItems(dialog, ctx);
  g_state.keyboard = false;
}

// A new tray row selected: the settings' tray follows it through the pass.
void PaperSettingOnItemChanged(HWND dialog, SheetCtx* ctx, const NMLISTVIEW* change) {
  if (change->hdr.idFrom == static_cast<UINT_PTR>(kDeviceList)) {
    UpdatePaperSettingControls(dialog, ctx);
    return;
  }
  if (change->hdr.idFrom != static_cast<UINT_PTR>(kTrayList)) return;
  if ((change->uChanged & LVIF_STATE) == 0 || (change->uNewState & LVIS_SELECTED) == 0) return;
  if (change->iItem == g_state.row) {
    SelectMediaComboItems(dialog, ctx);
    return;
  }
  if (g_state.keyboard) {
    g_state.keyboard = false;
    g_state.selections = 0;
  } else if (++g_state.selections >= 2) {
    // A second selection before the last one was judged: keep the current row.
    SelectRow(dialog, g_state.row, LVIS_SELECTED | LVIS_FOCUSED);
    g_state.selections = 0;
    return;
  }
  const int previous = g_state.row;
  g_state.locked = false;
  g_state.row = change->iItem;
  UpdateTrayListRow(dialog, ctx, g_state.row, false);
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const InTrayEntry* tray = TrayOfRow(g_state.row);
  const int16_t oldTray = f.nDefaultSource;
  if (tray != nullptr) f.nDefaultSource = static_cast<int16_t>(tray->binId);
  const int32_t result = RunSheetConstraints(dialog, DialogTooltipOf(dialog), kTrayControl);
  if (result == 100) {
    const InTrayEntry* back = TrayOfRow(previous);
    f.nDefaultSource = back != nullptr ? static_cast<int16_t>(back->binId) : oldTray;
    g_state.row = previous;
    if (previous >= 0) SelectRow(dialog, previous, LVIS_SELECTED | LVIS_FOCUSED);
  } else if (result == 101) {
    g_state.locked = true;
    g_state.selections = 0;
  } else {
    g_state.selections = 0;
  }
  UpdatePaperSettingControls(dialog, ctx);
  SelectMediaComboItems(dialog, ctx);
}

// The attribute lists are bindings to the selected tray's row; the media
// type goes back with the type list's refused choice.
template <size_t N>
uint32_t AttributeAt(SheetCtx*) {
  const int row = SelectedRow(g_state.dialog);
  if (row < 0) return sizeof(DocDMode);  // no row: nothing to edit
  return static_cast<uint32_t>(DOC_FIELD_AT(PTInfoEach) + row * sizeof(TrayMediaEntry) + kAttributes[N].rowAt);
}
template <size_t N>
bool ReadAttribute(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  TrayMediaEntry* entry = RowOf(doc, SelectedRow(dialog));
  const OptionHead* item = SelectedItem(dialog, kAttributes[N].combo);
  if (entry == nullptr || item == nullptr) return false;
  SetRowValue(entry, kAttributes[N], item->value);
  if (N == 0) Fields(*doc).nMediaType = static_cast<int16_t>(item->value);
  return true;
}
void ShowTrayRow(HWND dialog, SheetCtx* ctx) { UpdateTrayListRow(dialog, ctx, SelectedRow(dialog), false); }
template <size_t N>
constexpr DialogBinding AttributeBinding(const BoundField* alsoKeeps = nullptr) {
  return {.controlId = static_cast<uint16_t>(kAttributes[N].combo), .notify = CBN_SELENDOK, .kind = BindKind::kCustom,
          .bytes = static_cast<uint8_t>(kAttributes[N].bytes), .read = ReadAttribute<N>,
          .show = SelectMediaComboItems, .after = ShowTrayRow, .where = AttributeAt<N>, .alsoKeeps = alsoKeeps};
}
const BoundField kMediaTypeKept[] = {DOC_BOUND_FIELD(nMediaType), {}};
const DialogBinding kBindings[] = {AttributeBinding<0>(kMediaTypeKept), AttributeBinding<1>(), AttributeBinding<2>(),
                                   AttributeBinding<3>(), {}};

bool SameKeyword(const char* a, const char* b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

// The device's values into the settings' rows of the same trays; a value
// the device did not report (all bits set) is left alone.  No pass.
void PaperSettingCopyDevStatus(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const DevOption* device = GetCtxPrinterInfo(ctx);
  if (doc == nullptr || device == nullptr) return;
  DocFields& f = Fields(*doc);
  const ListedTrays listed = Listed();
  for (uint32_t k = 0; k < listed.count; ++k) {
    char trayKey[kKeywordSize + 1] = {};
    std::memcpy(trayKey, listed.rows[k]->keyword, kKeywordSize);
    for (const TrayMediaSlot& slot : device->trays) {
      char slotKey[sizeof slot.trayKeyword + 1] = {};
      std::memcpy(slotKey, slot.trayKeyword, sizeof slot.trayKeyword);
      if (slotKey[0] == '\0') break;
      if (!SameKeyword(slotKey, trayKey)) continue;
      for (TrayMediaEntry& entry : f.PTInfoEach) {
        char rowKey[sizeof entry.szKey + 1] = {};
        std::memcpy(rowKey, entry.szKey, sizeof entry.szKey);
        if (rowKey[0] == '\0') break;
        if (!SameKeyword(rowKey, slotKey)) continue;
        for (const Attribute& a : kAttributes) {
          if (!IsMediaTypeColumnShown(a.column)) continue;
          const uint8_t* p = reinterpret_cast<const uint8_t*>(&slot) + a.slotAt;
          uint32_t value = 0;
          if (a.bytes == 1) {
            value = *p;
            if (value == 0xFF) continue;
          } else {
            uint16_t v = 0;
            std::memcpy(&v, p, 2);
            if (v == 0xFFFF) continue;
            value = v;
          }
          SetRowValue(&entry, a, value);
        }
        break;
      }
    }
    UpdateTrayListRow(dialog, ctx, static_cast<int>(k), false);
  }
  SelectMediaComboItems(dialog, ctx);
  UpdatePaperSettingControls(dialog, ctx);
}

// The default settings' values of the selected row, without a pass.
void Defaults(HWND dialog, SheetCtx* ctx) {
  const int row = SelectedRow(dialog);
  TrayMediaEntry* entry = RowOf(GetPrivDevMode(ctx), row);
  if (entry == nullptr) return;
  auto defaults = std::make_unique<DocDMode>();
  if (!CopyDefaultOEMDevMode(ctx, defaults.get())) return;
  const TrayMediaEntry& from = Fields(*defaults).PTInfoEach[row];
  for (const Attribute& a : kAttributes) {
    const int32_t value = RowValue(from, a);
    if (value == RowValue(*entry, a)) continue;
    SetRowValue(entry, a, static_cast<uint32_t>(value));
    SelectComboValue(dialog, a, value);
  }
  UpdateTrayListRow(dialog, ctx, row, false);
}

bool Ok(HWND dialog, SheetCtx*) {
  if (SelectedRow(dialog) >= 0) return true;
  // The box belongs to the dialog, which stays open behind it.
  CurrentUiServices().messageBox(dialog, L"Please select one tray.", L"JOV2", MB_OK);
  return false;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int) {
  if (id == kDeviceCopy) {
    PaperSettingCopyDevStatus(dialog, ctx);
    return true;
  }
  return AttributeOf(id) != nullptr;
}


// A row of the tray list: the warning icon beside a tray the constraints
// refuse, the tray's name and the media cells.
void DrawTrayListItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  HWND list = item->hwndItem != nullptr ? item->hwndItem : TrayList(dialog);
  HDC dc = item->hDC;
  const auto [back, fore] = ListRowColoursOf(static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)),
                                             (item->itemState & ODS_DISABLED) != 0,
                                             (item->itemState & ODS_SELECTED) != 0);
  RECT client;
  GetClientRect(list, &client);
  RECT row = item->rcItem;
  row.right = client.right - 1;
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &row, brush);
  DeleteObject(brush);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, fore);
  const InTrayEntry* tray = TrayOfRow(static_cast<int>(item->itemID));
  RECT icon = {LVIR_ICON, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, item->itemID, reinterpret_cast<LPARAM>(&icon));
  if (tray != nullptr && tray->flag != 0) {
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (images != nullptr) ImageList_Draw(images, 0, dc, item->rcItem.left + 3, icon.top, ILD_TRANSPARENT);
  }
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  int left = item->rcItem.left;
  for (int c = 0; c < columns; ++c) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    wchar_t text[260] = {};
    LVITEMW cell = {};
    cell.iSubItem = c;
    cell.pszText = text;
    cell.cchTextMax = 260;
    SendMessageW(list, LVM_GETITEMTEXTW, item->itemID, reinterpret_cast<LPARAM>(&cell));
    // The tray's name leaves room for the warning icon; the cells start 3
    // pixels into their column.
    RECT box = {left + (c == 0 ? 20 : 3), item->rcItem.top + (c == 0 ? 1 : 0), left + width, item->rcItem.bottom};
    DrawTextW(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    left += width;
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  if ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == list) DrawFocusRect(dc, &row);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (AttributeOf(static_cast<int>(item->CtlID)) != nullptr) {
    DrawOptionRowItem(dialog, item);
  } else if (item->CtlID == static_cast<UINT>(kDeviceList)) {
    DrawMediaTypeListItem(dialog, item, g_state.deviceColumns, kDeviceList);
  } else if (item->CtlID == static_cast<UINT>(kTrayList)) {
    if (item->itemID == static_cast<UINT>(-1)) DrawItemFocus(item);
    else DrawTrayListItem(dialog, item);
  } else {
    return false;
  }
  return true;
}

bool Notify(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) {
  *result = 0;
  if (note->code == LVN_KEYDOWN) {
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(note);
    g_state.keyboard = false;
    g_state.selections = 0;
    if (GetFocus() == TrayList(dialog) && key->wVKey == kUpArrow) g_state.keyboard = true;
  } else if (note->code == LVN_ITEMCHANGED) {
    PaperSettingOnItemChanged(dialog, ctx, reinterpret_cast<const NMLISTVIEW*>(note));
  }
  return false;
}

// Closing gives the settings their own tray and media type back.
void Destroy(HWND dialog) {
  StopPaintingFullRows(GetDlgItem(dialog, kTrayList));
  StopPaintingFullRows(GetDlgItem(dialog, kDeviceList));
  SetMediaBindingMode(kMediaBindingNone);
  if (DocDMode* doc = GetPrivDevMode(SheetCtxOf(dialog))) {
    DocFields& f = Fields(*doc);
    f.nDefaultSource = g_state.savedTray;
    f.nMediaType = g_state.savedMedia;
  }
}

const SheetComboHeight kComboHeights[] = {{1003, 16}, {1086, 16}, {1091, 16}, {1094, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_MediaType",
    .helpIds = kHelpIds,
    .helpTopic = 1500,
    .bindings = kBindings,
    .quietDefaults = true,
    .comboHeights = kComboHeights,
    .init = PaperSettingOnInit,
    .started = PaperSettingStarted,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .notify = Notify,
    .destroy = Destroy,
};

}  // namespace

INT_PTR CALLBACK PaperSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
