#include "ddproc/dialogs/color_setting_hook_win.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "common/records/settings_checksum.h"
#include "common/win/printer_queries.h"
#include "common/win/sheet_context_records_win.h"
#include "ddproc/dialogs/proc_lib_binding_win.h"
#include "ddproc/startup/ddproc_module_win.h"
#include "dproc/sheets/ui_state_layout.h"

static_assert(kUiStateFreeAt <= kSheetUiStateSize);

namespace {

constexpr int kDefaultButton = 1032;
constexpr int kHelpButton = 9;
constexpr int kItemHeight = 16;

// One pair per control, the same in every template; ended by 0, 0.
const DWORD kHelpIds[] = {
    1501, 6640, 1502, 6650, 1504, 6650, 1468, 6660, 1354, 6660, 1469, 6670, 1335, 6670, 1471, 6675, 1332, 6675,
    2509, 6677, 1506, 6680, 1507, 6690, 1509, 6690, 1465, 6700, 1353, 6700, 1466, 6710, 1334, 6710, 1467, 6720,
    1330, 6720, 2510, 6721, 1473, 6730, 1511, 6740, 1513, 6740, 1514, 6750, 1516, 6750, 1517, 6760, 1519, 6760,
    1520, 6770, 1522, 6770, 2511, 6771, 1477, 6780, 1475, 6790, 1398, 6810, 1524, 6810, 1408, 6820, 1525, 6820,
    1526, 6830, 1393, 6840, 1528, 6850, 1625, 6855, 1627, 6855, 1597, 6860, 1599, 6860, 1589, 6865, 1592, 6865,
    1582, 6870, 1584, 6870, 1632, 6634, 1636, 6634, 1634, 6634, 1032, 9510, 1069, static_cast<DWORD>(-1),
    1523, static_cast<DWORD>(-1), 1630, static_cast<DWORD>(-1), 0, 0,
};

// The variant of the open dialog (one at a time: they are modal).
const ColorSettingVariant* g_variant = nullptr;

SheetCtx* Context(HWND dialog) { return reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }
DocDMode* Doc(HWND dialog) {
  SheetCtx* ctx = Context(dialog);
  return ctx != nullptr ? GetPrivDevMode(ctx) : nullptr;
}
// The full RGB source lists and resident RGB profiles belong to the user
// interface core's sheet session (and to a dialog without context).
bool CoreContext(const SheetCtx* ctx) { return ctx == nullptr || IsSessionPage(ctx) != FALSE; }

// The session's list of resident profiles of a kind; count 0 without one.
const ColorProfileRecord* Residents(const SheetCtx* ctx, ResidentProfileList list, uint32_t* count) {
  *count = 0;
  SheetUiState* state = ctx != nullptr ? GetUIState(ctx) : nullptr;
  if (state == nullptr) return nullptr;
  ResidentProfileUiState lists;
  std::memcpy(&lists, state->bytes + kUiStateResidentProfilesAt, sizeof lists);
  const auto i = static_cast<size_t>(list);
  if (lists.lists[i] == nullptr) return nullptr;
  *count = lists.counts[i] < kResidentProfilesMax ? lists.counts[i] : kResidentProfilesMax;
  return lists.lists[i];
}
ResidentProfileList ResidentListOf(ColorListKind kind) {
  return kind == ColorListKind::kRgbSource    ? ResidentProfileList::kRgbSource
         : kind == ColorListKind::kSimulation ? ResidentProfileList::kSimulation
                                              : ResidentProfileList::kDestination;
}
bool OffersResidents(const ColorSettingVariant& v, const ColorListControl& c, const SheetCtx* ctx) {
  switch (c.kind) {
    case ColorListKind::kRgbSource: return v.residentRgb && CoreContext(ctx);
    case ColorListKind::kSimulation:
    case ColorListKind::kDestination: return true;
    default: return false;
  }
}

HWND List(HWND dialog, const ColorListControl& c) { return GetDlgItem(dialog, c.list); }
LRESULT ItemData(HWND list, LRESULT item) { return SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0); }
int FindItem(HWND list, LRESULT data) {
  const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (ItemData(list, i) == data) return i;
  }
  return -1;
}
void AddItem(HWND list, const char16_t* text, LRESULT data) {
  const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (at >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
}

template <typename Fn>
void ForServedLists(const ColorSettingVariant& v, HWND dialog, Fn fn) {
  for (size_t i = 0; i < kColorListControls; ++i) {
    const ColorListControl& c = ColorListControls()[i];
    if (VariantServesList(v, i) && GetDlgItem(dialog, c.list) != nullptr) fn(c);
  }
}
const ColorListControl* ServedList(const ColorSettingVariant& v, int id) {
  for (size_t i = 0; i < kColorListControls; ++i) {
    if (VariantServesList(v, i) && ColorListControls()[i].list == id) return &ColorListControls()[i];
  }
  return nullptr;
}
const ColorCheckControl* ServedCheck(const ColorSettingVariant& v, int id) {
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    if (VariantServesCheck(v, i) && ColorCheckControls()[i].check == id) return &ColorCheckControls()[i];
  }
  return nullptr;
}
bool IsStopIcon(const ColorSettingVariant& v, int id) {
  for (size_t i = 0; i < kColorListControls; ++i) {
    if (VariantServesList(v, i) && ColorListControls()[i].stop == id) return true;
  }
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    if (VariantServesCheck(v, i) && ColorCheckControls()[i].stop == id && id != 0) return true;
  }
  return false;
}

// Filling: the table's rows, then the resident profiles the list offers.
void Fill(const ColorSettingVariant& v, HWND dialog, const ColorListControl& c) {
  HWND list = List(dialog, c);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  const SheetCtx* ctx = Context(dialog);
  const OptionItem* rows = ColorListRows(DDProcTables(), c, CoreContext(ctx));
  for (const OptionItem* row = rows; row != nullptr && row->keyword[0] != 0; ++row) {
    AddItem(list, row->text, static_cast<int32_t>(row->value));
  }
  if (!OffersResidents(v, c, ctx)) return;
  uint32_t count = 0;
  const ColorProfileRecord* residents = Residents(ctx, ResidentListOf(c.kind), &count);
  const ModelInfo* model = DDProcModel();
  for (uint32_t i = 0; i < count; ++i) {
    char16_t text[200];
    FormatProfileEntryText(residents[i], model != nullptr ? model->profileLocations : nullptr, text, 200);
    AddItem(list, text, ResidentBase(c.kind) + static_cast<int32_t>(i));
  }
}
void FillAll(const ColorSettingVariant& v, HWND dialog) {
  ForServedLists(v, dialog, [&](const ColorListControl& c) { Fill(v, dialog, c); });
}

// Storing the selected item of a list into its field (and record).
void Store(const ColorSettingVariant& v, HWND dialog, const ColorListControl& c) {
  DocDMode* doc = Doc(dialog);
  HWND list = List(dialog, c);
  const LRESULT item = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (doc == nullptr || item < 0) return;
  const auto data = static_cast<int32_t>(ItemData(list, item));
  ColorProfileRecord* record = ColorRecordAt(*doc, c.record);
  uint32_t count = 0;
  const ColorProfileRecord* residents = Residents(Context(dialog), ResidentListOf(c.kind), &count);
  const int32_t base = ResidentBase(c.kind);
  const bool resident = data >= base && static_cast<uint32_t>(data - base) < count;
  switch (c.kind) {
    case ColorListKind::kOption:
    case ColorListKind::kSingle: WriteColorField(*doc, c.field, c.width, data); break;
    case ColorListKind::kRgbSource: {
      WriteColorField(*doc, c.field, c.width, data);
      if (!v.rgbRecords || record == nullptr) break;
      if (resident) {
        *record = residents[data - base];
      } else {
        char16_t text[64] = {};
        const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
        if (length >= 0 && length < 64) SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        StoreBuiltInProfile(record, text);
      }
      break;
    }
    case ColorListKind::kDestination:
    case ColorListKind::kSimulation:
      if (resident) {
        WriteColorField(*doc, c.field, c.width, base);
        if (record != nullptr) *record = residents[data - base];
      } else {
        WriteColorField(*doc, c.field, c.width, data >= base ? 0 : data);
        if (record != nullptr) *record = ColorProfileRecord{};
      }
      break;
  }
}

// Refresh: select the field's value; lists that must show a choice take
// their first entry (and store it) when nothing matches.
void Refresh(const ColorSettingVariant& v, HWND dialog, const ColorListControl& c) {
  DocDMode* doc = Doc(dialog);
  HWND list = List(dialog, c);
  if (doc == nullptr) return;
  const int32_t value = ReadColorField(*doc, c.field, c.width);
  int item = -1;
  switch (c.kind) {
    case ColorListKind::kOption:
      SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(FindItem(list, value)), 0);
      return;
    case ColorListKind::kRgbSource:
    case ColorListKind::kSingle: item = FindItem(list, value); break;
    case ColorListKind::kDestination:
    case ColorListKind::kSimulation: {
      const int32_t base = ResidentBase(c.kind);
      if (c.kind == ColorListKind::kDestination && value == 0) {
        item = 0;
        break;
      }
      if (value == base && c.record != 0) {
        uint32_t count = 0;
        const ColorProfileRecord* residents = Residents(Context(dialog), ResidentListOf(c.kind), &count);
        const int found = FindResidentProfile(residents, count, *ColorRecordAt(*doc, c.record));
        if (found >= 0) item = FindItem(list, base + found);
      } else if (c.kind == ColorListKind::kSimulation) {
        item = FindItem(list, value);
      }
      break;
    }
  }
  if (item >= 0) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    return;
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  Store(v, dialog, c);
}

void RefreshRadios(const ColorSettingVariant& v, HWND dialog) {
  DocDMode* doc = Doc(dialog);
  if (!v.graphicsRadios || doc == nullptr) return;
  const bool likeImage = Fields(*doc).nColorGraphics == 1;
  CheckDlgButton(dialog, kGraphicsLikeImage, likeImage ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kGraphicsLikeText, likeImage ? BST_UNCHECKED : BST_CHECKED);
}

void RefreshAll(const ColorSettingVariant& v, HWND dialog) {
  ForServedLists(v, dialog, [&](const ColorListControl& c) { Refresh(v, dialog, c); });
  DocDMode* doc = Doc(dialog);
  if (doc == nullptr) return;
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    const ColorCheckControl& c = ColorCheckControls()[i];
    if (!VariantServesCheck(v, i)) continue;
    CheckDlgButton(dialog, c.check, ReadColorField(*doc, c.field, 1) != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  RefreshRadios(v, dialog);
}

// The graphics follow the object the radio buttons choose: its colour
// matching, grey treatment, halftone and, where the template has them, its
// RGB source with the record.
void StoreGraphicsFromRadios(const ColorSettingVariant& v, HWND dialog) {
  DocDMode* doc = Doc(dialog);
  if (!v.graphicsRadios || doc == nullptr) return;
  const bool likeImage = IsDlgButtonChecked(dialog, kGraphicsLikeImage) == BST_CHECKED;
  DocFields& f = Fields(*doc);
  f.nColorGraphics = likeImage ? 1 : 0;
  const ColorObject from = likeImage ? ColorObject::kImage : ColorObject::kText;
  for (size_t i = 0; i < kColorListControls; ++i) {
    const ColorListControl& source = ColorListControls()[i];
    if (source.object != from || GetDlgItem(dialog, source.list) == nullptr) continue;
    if (source.kind == ColorListKind::kDestination) continue;
    if (source.kind == ColorListKind::kRgbSource && !v.rgbRecords) continue;
    HWND list = List(dialog, source);
    const LRESULT item = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (item < 0) continue;
    // The graphics row of the same kind of list.
    for (size_t k = 0; k < kColorListControls; ++k) {
      const ColorListControl& target = ColorListControls()[k];
      if (target.object != ColorObject::kGraphics || target.source != source.source) continue;
      const auto data = static_cast<int32_t>(ItemData(list, item));
      WriteColorField(*doc, target.field, target.width, data);
      if (target.kind != ColorListKind::kRgbSource) break;
      ColorProfileRecord* into = ColorRecordAt(*doc, target.record);
      const ColorProfileRecord* copied = ColorRecordAt(*doc, source.record);
      if (into != nullptr && copied != nullptr) *into = *copied;
      break;
    }
  }
}

void StoreAll(const ColorSettingVariant& v, HWND dialog) {
  ForServedLists(v, dialog, [&](const ColorListControl& c) { Store(v, dialog, c); });
  StoreGraphicsFromRadios(v, dialog);
  DocDMode* doc = Doc(dialog);
  if (doc == nullptr) return;
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    const ColorCheckControl& c = ColorCheckControls()[i];
    if (!VariantServesCheck(v, i)) continue;
    WriteColorField(*doc, c.field, 1, IsDlgButtonChecked(dialog, c.check) == BST_CHECKED ? 1 : 0);
  }
}

// The printer's default settings: its stored "DefaultOEMDEV" when that is
// a sound record, else the library's built-in defaults.
void DefaultSettings(const SheetCtx* ctx, DocDMode* out) {
  const HANDLE printer = GetCtxPrinterHandle(ctx);
  if (printer != nullptr && printer != INVALID_HANDLE_VALUE && ReadDefaultOEMDEV(printer, out) &&
      IsSoundDocDMode(out)) {
    return;
  }
  *out = DDProcDefaultSettings();
}

void CopyBytes(DocDMode& into, const DocDMode& from, uint32_t at, size_t bytes) {
  std::memcpy(reinterpret_cast<uint8_t*>(&into) + at, reinterpret_cast<const uint8_t*>(&from) + at, bytes);
}

// Default: the template's fields from the defaults (an object's colour
// matching, halftone and grey treatment as their whole group of four bytes).
void Default(HWND dialog, SheetCtx* ctx) {
  const ColorSettingVariant& v = *g_variant;
  DocDMode* doc = Doc(dialog);
  if (doc == nullptr || !CanChangeDocSettings(ctx)) return;
  auto defaults = std::make_unique<DocDMode>();
  DefaultSettings(ctx, defaults.get());
  ForServedLists(v, dialog, [&](const ColorListControl& c) {
    if (c.kind == ColorListKind::kOption) {
      CopyBytes(*doc, *defaults, c.field - (c.field - DOC_FIELD_AT(ColorImage_nColorChg)) % 4, 4);
      return;
    }
    CopyBytes(*doc, *defaults, c.field, c.width);
    if (c.record != 0) CopyBytes(*doc, *defaults, c.record, sizeof(ColorProfileRecord));
  });
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    if (VariantServesCheck(v, i)) CopyBytes(*doc, *defaults, ColorCheckControls()[i].field, 1);
  }
  if (v.graphicsRadios) CopyBytes(*doc, *defaults, DOC_FIELD_AT(nColorGraphics), 1);
  RefreshAll(v, dialog);
}

// The controls a locked document leaves disabled.
void DisableWhenLocked(HWND dialog, SheetCtx*) {
  const ColorSettingVariant& v = *g_variant;
  if (CanChangeDocSettings(Context(dialog))) return;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id == IDOK || id == IDCANCEL || id == kHelpButton || id == kColorHintLine || IsStopIcon(v, id)) continue;
    bool disable = true;
    if (v.lock == ColorLock::kAllButTextRgbLabel) disable = id != 1507;
    if (v.lock == ColorLock::kListsRadiosDefault) {
      disable = ServedList(v, id) != nullptr || id == kGraphicsLikeImage || id == kGraphicsLikeText ||
                id == kDefaultButton;
    }
    if (disable) EnableWindow(child, FALSE);
  }
}

// The start, after the skeleton's: the lists filled and showing the
// settings; the download manager's button only with the manager.
void Init(HWND dialog, SheetCtx*) {
  const ColorSettingVariant& v = *g_variant;
  FillAll(v, dialog);
  RefreshAll(v, dialog);
  const ProcLibBinding& b = DeviceDialogBinding();
  if (v.profileButtons && b.isInstalledDLManager != nullptr && b.isInstalledDLManager() == 0) {
    EnableWindow(GetDlgItem(dialog, kDownloadManagerButton), FALSE);
  }
}

void DrawListItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawFocusRect(dc, &item->rcItem);
    return;
  }
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    FillRect(dc, &item->rcItem,
             GetSysColorBrush(disabled ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    wchar_t text[200] = {};
    const LRESULT length = SendMessageW(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
    if (length >= 0 && length < 200) {
      SendMessageW(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
    }
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour =
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT cell = item->rcItem;
    cell.left += 2;
    DrawTextW(dc, text, -1, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem)) {
    DrawFocusRect(dc, &item->rcItem);
  }
}

bool DrawItem(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (ServedList(*g_variant, static_cast<int>(item->CtlID)) == nullptr) return false;
  DrawListItem(item);
  return true;
}

bool Ok(HWND dialog, SheetCtx*) {
  StoreAll(*g_variant, dialog);
  return true;
}

// A change keeps the whole settings for its undo: a list's choice also
// writes its profile record, the graphics radios a group of fields.
uint8_t* WholeSettings(HWND dialog, SheetCtx*, const DeviceDialogChange&, uint32_t* bytes) {
  *bytes = sizeof(DocDMode);
  return reinterpret_cast<uint8_t*>(Doc(dialog));
}
bool ReadList(HWND dialog, SheetCtx*, const DeviceDialogChange& change) {
  const ColorListControl* list = ServedList(*g_variant, change.controlId);
  if (list == nullptr) return false;
  Store(*g_variant, dialog, *list);
  return true;
}
void ShowList(HWND dialog, SheetCtx*, const DeviceDialogChange& change) {
  if (const ColorListControl* list = ServedList(*g_variant, change.controlId)) Refresh(*g_variant, dialog, *list);
}
bool ReadCheck(HWND dialog, SheetCtx*, const DeviceDialogChange& change) {
  const ColorCheckControl* check = ServedCheck(*g_variant, change.controlId);
  DocDMode* doc = Doc(dialog);
  if (check == nullptr || doc == nullptr) return false;
  WriteColorField(*doc, check->field, 1, IsDlgButtonChecked(dialog, change.controlId) == BST_CHECKED);
  return true;
}
void ShowCheck(HWND dialog, SheetCtx*, const DeviceDialogChange& change) {
  const ColorCheckControl* check = ServedCheck(*g_variant, change.controlId);
  DocDMode* doc = Doc(dialog);
  if (check == nullptr || doc == nullptr) return;
  CheckDlgButton(dialog, change.controlId, ReadColorField(*doc, check->field, 1) ? BST_CHECKED : BST_UNCHECKED);
}
bool ReadRadios(HWND dialog, SheetCtx*, const DeviceDialogChange&) {
  StoreGraphicsFromRadios(*g_variant, dialog);
  return true;
}
void ShowRadios(HWND dialog, SheetCtx*, const DeviceDialogChange&) { RefreshRadios(*g_variant, dialog); }

// Becoming active again (the skeleton has run the pass and the hint) and the
// message that the resident profiles changed.
bool Other(HWND dialog, SheetCtx* ctx, UINT message, WPARAM wParam, LPARAM, INT_PTR* result) {
  const ColorSettingVariant& v = *g_variant;
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && ctx != nullptr) {
    switch (v.activate) {
      case ColorActivate::kNone: break;
      case ColorActivate::kRefillCheckRefresh:
        FillAll(v, dialog);
        RefreshAll(v, dialog);
        break;
      case ColorActivate::kCheckRefresh: RefreshAll(v, dialog); break;
      case ColorActivate::kCheckReselectHalftones:
        for (int id : {1332, 1330}) {
          if (const ColorListControl* c = ServedList(v, id)) Refresh(v, dialog, *c);
        }
        break;
    }
    return false;
  }
  if (message == kProfilesChangedMessage && v.refill != ColorRefill::kNone) {
    FillAll(v, dialog);
    RefreshAll(v, dialog);
    if (v.refill == ColorRefill::kRefillRefreshGraphics) StoreGraphicsFromRadios(v, dialog);
    *result = 1;
    return true;
  }
  return false;
}

// A variant's description for the skeleton, made once.
struct Described {
  DeviceDialog desc = {};
  std::vector<DeviceDialogChange> changes;
  std::vector<DeviceItemHeight> heights;
};
const DeviceDialog& Description(const ColorSettingVariant& v) {
  static std::map<const ColorSettingVariant*, Described> made;
  auto [at, fresh] = made.try_emplace(&v);
  Described& d = at->second;
  if (!fresh) return d.desc;
  for (size_t i = 0; i < kColorListControls; ++i) {
    if (!VariantServesList(v, i)) continue;
    const uint16_t id = static_cast<uint16_t>(ColorListControls()[i].list);
    d.changes.push_back({id, CBN_SELENDOK, 0, WholeSettings, ReadList, ShowList, nullptr});
    d.heights.push_back({id, kItemHeight});
  }
  for (size_t i = 0; i < kColorCheckControls; ++i) {
    const int id = ColorCheckControls()[i].check;
    // The edges are read at OK, unless the variant takes them at once.
    if (!VariantServesCheck(v, i) || (id != kMatchPaperColorCheck && !v.edgesImmediate)) continue;
    d.changes.push_back({static_cast<uint16_t>(id), BN_CLICKED, 0, WholeSettings, ReadCheck, ShowCheck, nullptr});
  }
  if (v.graphicsRadios) {
    for (int id : {kGraphicsLikeImage, kGraphicsLikeText}) {
      d.changes.push_back({static_cast<uint16_t>(id), BN_CLICKED, 0, WholeSettings, ReadRadios, ShowRadios, nullptr});
    }
  }
  d.changes.push_back({});
  d.heights.push_back({});
  d.desc = DeviceDialog{
      .size = sizeof(DeviceDialog),
      .templateId = static_cast<uint16_t>(v.templateId),
      .hintPageId = static_cast<uint16_t>(v.hintPageId),
      .editsDocument = 1,
      .checksOnActivate = v.activate != ColorActivate::kNone ? uint8_t{1} : uint8_t{0},
      .changeHintPageId = 0,
      .texts = DDProcTables().colorSetting,
      .helpIds = kHelpIds,
      .helpTopic = v.helpContext,
      .clipTitle = L"Color Setting Dialog",
      .changes = d.changes.data(),
      .itemHeights = d.heights.data(),
      .init = Init,
      .enableRules = DisableWhenLocked,
      .command = nullptr,
      .ok = Ok,
      .defaults = Default,
      .cancel = nullptr,
      .drawItem = DrawItem,
      .notify = nullptr,
      .other = Other,
      .destroy = nullptr,
  };
  return d.desc;
}

}  // namespace

uint32_t ColorSettingDlgHook(const ColorSettingVariant& v, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                             int32_t* handled) {
  int32_t ignored = 0;
  if (handled == nullptr) handled = &ignored;
  ProcLibBinding& b = DeviceDialogBinding();
  if (message == WM_INITDIALOG) {
    BindProcLibrary(&b);
    if (b.runDialog == nullptr) {
      // Without the procedure library's skeleton the dialog cannot show the
      // settings: it ends at once and leaves them as they are.
      ReleaseProcLibrary(&b);
      EndDialog(dialog, IDCANCEL);
      *handled = 1;
      return 0;
    }
  }
  if (b.runDialog == nullptr) return 0;
  g_variant = &v;
  const INT_PTR result = b.runDialog(&Description(v), dialog, message, wParam, lParam, handled);
  if (message == WM_DESTROY) ReleaseProcLibrary(&b);
  return static_cast<uint32_t>(result);
}
