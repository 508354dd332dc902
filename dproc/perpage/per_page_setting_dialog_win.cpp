// Per Page Setting (template 137): the editor of the sheet session's ten
// per-page lists.  The user picks the document's list, and edits the
// chosen list's entries: their pages, print type, tab paper, paper source,
// staple, finishing staple, punch, caption and caption position.  The
// dialog works on copies of the lists; OK hands them to the session, Cancel
// drops them, and the constraint marks of the per-page settings go back as
// the dialog found them (the skeleton puts the document's settings back).

#include "dproc/perpage/per_page_dialogs_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/inter_sheet_rules.h"
#include "common/text/page_ranges.h"
#include "common/win/inter_sheet_store.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/rule_evaluation.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/list_rows_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/easyset/easy_set_area_win.h"
#include "dproc/finishing/finishing_sheets_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/feature_table.h"
#include "dproc/perpage/per_page_list_rows.h"
#include "dproc/perpage/per_page_preview.h"
#include "dproc/perpage/per_page_preview_win.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/per_page_ui_lists.h"

namespace {

enum : int {
  kListCombo = 1092,
  kListNameEdit = 1095,
  kRows = 1539,
  kUp = 1612,
  kDown = 1105,
  kAdd = 1102,
  kDelete = 1098,
  kIndexPaper = 1109,
  kPunchSetting = 1107,
  kStapleSetting = 1100,
  kPagesLabel = 1613,
  kPagesEdit = 1614,
  kExample = 2234,
  kCategories = 1609,
  kChangeLabel = 1616,
  kChange = 1610,
  kPositionLabel = 1674,
  kPosition = 1676,
  kCaptionLabel = 1618,
  kCaptionEdit = 1146,
  kCaptionDetail = 1620,
  kSummary = 1235,
};

constexpr const char* kTexts = "Dlg_PerPageSetting";
// The page edit takes 20 characters, 14 when captions are offered (the
// list's cell then has room for its tab).
constexpr int kPageTextUnits = 20;
constexpr int kPageTextUnitsWithCaptions = 14;
constexpr int kCaptionUnits = 192;

// The per-page kinds of the constraint rules, which also name the setting
// categories.
enum Kind : int32_t {
  kPrintType = 1,
  kPaperSource = 2,
  kStaple = 3,
  kFinishStaple = 4,
  kPunch = 5,
  kTabPaper = 6,
};

struct Category {
  Kind kind;
  const char* keyword;
  int feature;  // the model switch that offers it; -1 always
};
constexpr Category kCategoryTable[] = {
    {kPrintType, "PerPageListPrintType", -1},
    {kTabPaper, "PerPageListTabPaper", kMfPpsTabPaperSetting},
    {kPaperSource, "PerPageListPaperSrc", kMfPpsPaperSrc},
    {kStaple, "PerPageListStaple", kMfPpsStaple},
    {kFinishStaple, "PerPageListStapleEnd", kMfPpsFinishStapling},
    {kPunch, "PerPageListHolePunch", kMfPpsHolePunch},
};

// The list view's columns: the page text, the six settings, the caption
// and the tab number.
enum ColumnKind : int32_t { kColumnPages = 0, kColumnCaption = 7, kColumnTab = 8 };
struct ColumnSpec {
  int32_t kind;  // a Kind, or a ColumnKind
  const char* keyword;
  int feature;
};
constexpr ColumnSpec kColumnTable[] = {
    {kColumnPages, "PerPageListNum", -1},
    {kPrintType, "PerPageListPrintType", -1},
    {kTabPaper, "PerPageListTabPaper", kMfPpsTabPaperSetting},
    {kPaperSource, "PerPageListPaperSrc", kMfPpsPaperSrc},
    {kStaple, "PerPageListStaple", kMfPpsStaple},
    {kPunch, "PerPageListHolePunch", kMfPpsHolePunch},
    {kFinishStaple, "PerPageListStapleEnd", kMfPpsFinishStapling},
    {kColumnCaption, "PerPageListCaption", kMfPpsTabPaper},
    {kColumnTab, "PerPageListCapPos", kMfPpsTabPosition},
};

// One list as the dialog edits it.
struct WorkList {
  bool present = false;  // false: the list could not be had
  InterSheetList head = {};
  std::vector<InterSheetEntry> entries;
};

struct State {
  std::array<WorkList, kInterSheetLists> lists;
  int current = 0;
  int selected = 0;  // the selected row of the list view
  InterSheetEntry edit = {};
  std::vector<int32_t> tabs;
  std::vector<int32_t> columns;  // the kinds of the shown columns
  PerPageListRows listRows = {};
  std::vector<OptionItem> positions;  // "TabContinue" and one row per tab
  bool refusing = false;
  bool showing = false;  // the dialog is writing its own edits
  bool open = false;
  const DocDMode* doc = nullptr;  // the document's settings, for its rows
  const SheetCtx* ctx = nullptr;
  HIMAGELIST icons = nullptr;     // the rows' icons, the dialog's own
  // The constraint marks of the per-page settings as the dialog found
  // them, put back on Cancel: each word's place and its value.
  std::vector<std::pair<uint32_t*, uint32_t>> marks;
};
State g;

const ModelInfo* Model() { return ProcessModelInfo(); }
bool Offered(int feature) {
  return feature < 0 || (Model() != nullptr && Model()->features[feature] != 0);
}

int PageTextLimit() { return Offered(kMfPpsTabPaper) ? kPageTextUnitsWithCaptions : kPageTextUnits; }

const wchar_t* Text(const char* keyword) {
  return reinterpret_cast<const wchar_t*>(DialogTextOf(kTexts, keyword));
}

template <size_t N>
void CopyUnits(char16_t (&to)[N], const wchar_t* from, size_t most) {
  std::memset(to, 0, sizeof to);
  for (size_t i = 0; i + 1 < N && i < most && from[i] != L'\0'; ++i) to[i] = static_cast<char16_t>(from[i]);
}

WorkList& Current() { return g.lists[static_cast<size_t>(g.current)]; }
int EntryCount() { return static_cast<int>(Current().entries.size()); }
// Row 0 and the last row stand for the document; the rows between are
// the entries in order.
bool IsEntryRow(int row) { return row >= 1 && row <= EntryCount(); }
InterSheetEntry* EntryOfRow(int row) { return IsEntryRow(row) ? &Current().entries[static_cast<size_t>(row - 1)] : nullptr; }

// --- Option rows of the categories.

const OptionHead* RowsOf(int32_t kind) {
  const ModelInfo* m = Model();
  switch (kind) {
    case kPrintType: return m != nullptr ? reinterpret_cast<const OptionHead*>(m->perPagePrintTypes) : nullptr;
    case kPaperSource: return m != nullptr ? reinterpret_cast<const OptionHead*>(m->perPagePaperSources) : nullptr;
    case kStaple: return m != nullptr ? reinterpret_cast<const OptionHead*>(m->perPageStaples) : nullptr;
    case kTabPaper: return FindOptionTable("PerPageListTabPaper");
    case kFinishStaple: return FindOptionTable("PerPageListStapleEnd");
    case kPunch: return FindOptionTable("PerPageListHolePunch");
    default: return nullptr;
  }
}

const OptionHead* RowWithValue(const OptionHead* rows, uint32_t value) {
  for (int i = 0; rows != nullptr && rows->keyword[0] != '\0' && i < 256; ++i, rows = NextOptionRow(rows)) {
    if (rows->size < sizeof(OptionHead)) break;
    if (rows->value == value) return rows;
  }
  return nullptr;
}

uint32_t FieldOf(const InterSheetEntry& e, int32_t kind) {
  switch (kind) {
    case kPrintType: return e.printType;
    case kPaperSource: return e.paperSource;
    case kStaple: return e.staple;
    case kFinishStaple: return e.finishStaple;
    case kPunch: return e.punch;
    case kTabPaper: return e.tabPaper;
    default: return 0;
  }
}

void SetField(InterSheetEntry& e, int32_t kind, uint32_t value) {
  switch (kind) {
    case kPrintType: e.printType = value; break;
    case kPaperSource: e.paperSource = value; break;
    case kStaple: e.staple = static_cast<uint16_t>(value); break;
    case kFinishStaple: e.finishStaple = value; break;
    case kPunch: e.punch = static_cast<uint16_t>(value); break;
    case kTabPaper: e.tabPaper = value; break;
    default: break;
  }
}

const wchar_t* ValueText(int32_t kind, uint32_t value) {
  const OptionHead* row = RowWithValue(RowsOf(kind), value);
  return row != nullptr ? OptionRowDisplayText(row) : L"";
}

// --- Tab numbers and cells.

void NumberCurrentTabs() {
  WorkList& w = Current();
  g.tabs.assign(w.entries.size(), 0);
  NumberTabs(w.entries.data(), static_cast<uint32_t>(w.entries.size()), w.head.tab.tabCount, g.tabs.data());
}

std::wstring CellText(const InterSheetEntry& e, size_t index, int32_t column) {
  switch (column) {
    case kColumnPages: return reinterpret_cast<const wchar_t*>(e.pages);
    case kColumnCaption: {
      std::wstring text;
      for (size_t i = 0; i < std::size(e.caption) && e.caption[i] != 0; ++i) {
        text += e.caption[i] == u'\r' || e.caption[i] == u'\n' ? L' ' : static_cast<wchar_t>(e.caption[i]);
      }
      return text;
    }
    case kColumnTab: {
      if (e.tabPaper == 0 || index >= g.tabs.size() || g.tabs[index] == 0) return L"";
      wchar_t text[32];
      std::swprintf(text, 32, e.captionPos == 0 ? L"*%d/%d" : L"%d/%d", g.tabs[index], Current().head.tab.tabCount);
      return text;
    }
    default: return ValueText(column, FieldOf(e, column));
  }
}

void SetCell(HWND rows, int row, int column, const std::wstring& text) {
  ListView_SetItemText(rows, row, column, const_cast<wchar_t*>(text.c_str()));
}

// The rows' icons: blank sheet, one-sided, two-sided, tab sheet, printed
// tab sheet, and the warning of an entry left out of the job.
enum RowIcon : int { kIconBlank, kIconOneSided, kIconTwoSided, kIconTab, kIconPrintedTab, kIconWarning, kIconNone = -1 };

void MakeRowIcons(HWND dialog) {
  g.icons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 6, 0);
  if (g.icons == nullptr) return;
  HMODULE images = DialogFrameworkModules().images;
  for (int id : {453, 454, 456, 458, 460}) {
    HICON icon = images != nullptr ? static_cast<HICON>(LoadImageW(images, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0))
                                   : nullptr;
    ImageList_AddIcon(g.icons, icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION));
    if (icon != nullptr) DestroyIcon(icon);
  }
  ImageList_AddIcon(g.icons, LoadIconW(nullptr, IDI_WARNING));
  ListView_SetImageList(GetDlgItem(dialog, kRows), g.icons, LVSIL_SMALL);
}

int DocumentIcon() { return g.doc != nullptr && Fields(*g.doc).nDuplex == 1 ? kIconOneSided : kIconTwoSided; }

// The entry's own icon; the row's icon is the warning for an entry left
// out, drawn before the entry's own.
int OwnIcon(const InterSheetEntry& e) {
  if (e.tabPaper != 0) return e.printType == 0 ? kIconTab : e.printType == 1 ? kIconPrintedTab : kIconNone;
  switch (e.printType) {
    case 0: return kIconBlank;
    case 1: return kIconOneSided;
    case 2: return kIconTwoSided;
    case 3: return DocumentIcon();
    default: return kIconNone;
  }
}

int EntryIcon(const InterSheetEntry& e) { return e.excluded != 0 ? kIconWarning : OwnIcon(e); }

void SetRowIcon(HWND rows, int row, int icon) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = icon;
  ListView_SetItem(rows, &item);
}

void ShowEntryRow(HWND dialog, int row) {
  const InterSheetEntry* e = EntryOfRow(row);
  if (e == nullptr) return;
  HWND rows = GetDlgItem(dialog, kRows);
  for (size_t c = 0; c < g.columns.size(); ++c) {
    SetCell(rows, row, static_cast<int>(c), CellText(*e, static_cast<size_t>(row - 1), g.columns[c]));
  }
  SetRowIcon(rows, row, EntryIcon(*e));
}

void ShowTabCells(HWND dialog) {
  NumberCurrentTabs();
  for (int row = 1; row <= EntryCount(); ++row) ShowEntryRow(dialog, row);
}

void SelectRow(HWND dialog, int row) {
  HWND rows = GetDlgItem(dialog, kRows);
  ListView_SetItemState(rows, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(rows, row, FALSE);
}

// A document row: the document's sides and tray, and on the first row its
// staple position when it staples.
void ShowDocumentRow(HWND dialog, int row, bool first) {
  if (g.doc == nullptr) return;
  const DocFields& f = Fields(*g.doc);
  const ModelInfo* m = Model();
  HWND rows = GetDlgItem(dialog, kRows);
  SetRowIcon(rows, row, DocumentIcon());
  for (size_t c = 0; c < g.columns.size(); ++c) {
    const OptionHead* shown = nullptr;
    if (g.columns[c] == kPrintType) shown = RowWithValue(FindOptionTable("DoubleSides"), f.nDuplex);
    if (g.columns[c] == kPaperSource && m != nullptr) {
      shown = RowWithValue(reinterpret_cast<const OptionHead*>(m->inTrays), static_cast<uint16_t>(f.nDefaultSource));
    }
    if (g.columns[c] == kStaple && first && f.bStaple != 0 && m != nullptr) {
      shown = RowWithValue(reinterpret_cast<const OptionHead*>(m->staples), f.nStapleMode);
    }
    if (shown != nullptr) SetCell(rows, row, static_cast<int>(c), OptionRowDisplayText(shown));
  }
}

// All rows of the current list: the document, its entries, the document.
void FillRows(HWND dialog) {
  HWND rows = GetDlgItem(dialog, kRows);
  g.showing = true;
  ListView_DeleteAllItems(rows);
  NumberCurrentTabs();
  const int count = EntryCount();
  for (int row = 0; row <= count + 1; ++row) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    const bool document = row == 0 || row == count + 1;
    item.pszText = const_cast<wchar_t*>(
        document ? Text(row == 0 ? "PPList_PrintTypeStart" : "PPList_PrintTypeEnd") : L"");
    ListView_InsertItem(rows, &item);
    if (document) ShowDocumentRow(dialog, row, row == 0);
    else ShowEntryRow(dialog, row);
  }
  // Each column as wide as its title or its widest cell.
  for (size_t c = 0; c < g.columns.size(); ++c) ListView_SetColumnWidth(rows, static_cast<int>(c), LVSCW_AUTOSIZE_USEHEADER);
  // The first column also holds the warning and the document rows' bold
  // texts.
  if (!g.columns.empty()) ListView_SetColumnWidth(rows, 0, ListView_GetColumnWidth(rows, 0) + 24);
  g.showing = false;
}

void BuildColumns(HWND dialog) {
  HWND rows = GetDlgItem(dialog, kRows);
  ListView_SetExtendedListViewStyle(rows, LVS_EX_FULLROWSELECT);
  HDC dc = GetDC(rows);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(rows, WM_GETFONT, 0, 0)));
  g.columns.clear();
  for (const ColumnSpec& c : kColumnTable) {
    if (!Offered(c.feature)) continue;
    const wchar_t* title = Text(c.keyword);
    SIZE size = {};
    GetTextExtentPoint32W(dc, title, static_cast<int>(wcslen(title)), &size);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = size.cx + 12 + (g.columns.empty() ? 20 : 0);
    ListView_InsertColumn(rows, static_cast<int>(g.columns.size()), &column);
    g.columns.push_back(c.kind);
  }
  SelectObject(dc, old);
  ReleaseDC(rows, dc);
}

// --- The entry part.

const InterSheetEntry& ShownValues() { return g.edit.showDefaults != 0 ? PerPageEntryTemplate() : g.edit; }

int32_t SelectedCategory(HWND dialog) {
  HWND list = GetDlgItem(dialog, kCategories);
  const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
  return at < 0 ? 0 : static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void FillChange(HWND dialog) {
  const int32_t kind = SelectedCategory(dialog);
  FillOptionRows(dialog, kChange, RowsOf(kind));
  SelectOptionRow(dialog, kChange, FieldOf(ShownValues(), kind));
}

// The categories with their values; the selected category stays.
void FillCategories(HWND dialog) {
  HWND list = GetDlgItem(dialog, kCategories);
  const int32_t keep = SelectedCategory(dialog);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const InterSheetEntry& shown = ShownValues();
  for (const Category& c : kCategoryTable) {
    if (!Offered(c.feature)) continue;
    const OptionHead* row = RowWithValue(RowsOf(c.kind), FieldOf(shown, c.kind));
    if (row == nullptr) continue;
    const std::wstring line = std::wstring(Text(c.keyword)) + L"\t" + OptionRowDisplayText(row);
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), c.kind);
  }
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  int select = 0;
  for (int i = 0; i < count; ++i) {
    if (static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == keep) select = i;
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
  FillChange(dialog);
}

void FillPositions(HWND dialog) {
  const int32_t n = std::clamp(Current().head.tab.tabCount, 0, kTabCountHighest);
  g.positions.assign(static_cast<size_t>(n) + 2, OptionItem{});
  OptionItem& first = g.positions[0];
  first.size = sizeof first;
  std::snprintf(first.keyword, sizeof first.keyword, "TabContinue");
  const OptionHead* known = FindOptionTable("PerPageTabPosition");
  const wchar_t* text = known != nullptr && known->keyword[0] != '\0' ? OptionRowDisplayText(known) : L"";
  CopyUnits(first.text, text, std::size(first.text));
  for (int32_t i = 1; i <= n; ++i) {
    OptionItem& row = g.positions[static_cast<size_t>(i)];
    row.size = sizeof row;
    std::snprintf(row.keyword, sizeof row.keyword, "DATASET");
    row.value = static_cast<uint32_t>(i);
    wchar_t label[16];
    std::swprintf(label, 16, L"%d/%d", i, n);
    CopyUnits(row.text, label, std::size(row.text));
  }
  g.positions.back().size = sizeof(OptionItem);
  FillOptionRows(dialog, kPosition, reinterpret_cast<const OptionHead*>(g.positions.data()));
  const uint32_t position = g.edit.captionPos <= static_cast<uint32_t>(n) ? g.edit.captionPos : 0;
  SelectOptionRow(dialog, kPosition, position);
}

void FillListChooser(HWND dialog) {
  const InterSheetList* heads[kInterSheetLists] = {};
  for (int n = 0; n < kInterSheetLists; ++n) heads[n] = g.lists[static_cast<size_t>(n)].present ? &g.lists[static_cast<size_t>(n)].head : nullptr;
  BuildPerPageListRows(&g.listRows, heads);
  HWND combo = GetDlgItem(dialog, kListCombo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (int n = 0; n < kInterSheetLists; ++n) {
    if (!g.lists[static_cast<size_t>(n)].present) continue;
    const OptionItem& row = g.listRows.rows[n];
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&row));
  }
  SelectOptionRow(dialog, kListCombo, static_cast<uint32_t>(g.current + 1));
}

// The edits and lists of the entry part from the edit buffer.
void ShowEditBuffer(HWND dialog) {
  g.showing = true;
  SetDlgItemTextW(dialog, kPagesEdit, IsEntryRow(g.selected) ? reinterpret_cast<const wchar_t*>(g.edit.pages) : L"");
  SetDlgItemTextW(dialog, kCaptionEdit, IsEntryRow(g.selected) ? reinterpret_cast<const wchar_t*>(g.edit.caption) : L"");
  g.showing = false;
  FillCategories(dialog);
  FillPositions(dialog);
}

void RepaintSummary(HWND dialog) { InvalidateRect(GetDlgItem(dialog, kSummary), nullptr, FALSE); }

void EnableControls(HWND dialog, SheetCtx* ctx) {
  auto enable = [dialog](int id, bool on) {
    HWND control = GetDlgItem(dialog, id);
    if (!on && GetFocus() == control) SetFocus(GetDlgItem(dialog, kRows));
    EnableCtrlIfVisible(control, on ? TRUE : FALSE);
  };
  const ModelInfo* m = Model();
  const uint32_t lines = m != nullptr ? m->features[kMfPerPageEditLines] : 0;
  const uint32_t most = lines != 0 ? std::min(lines, kInterSheetMaxEntries) : kInterSheetMaxEntries;
  enable(kAdd, static_cast<uint32_t>(EntryCount()) < most);
  const bool entry = IsEntryRow(g.selected);
  enable(kUp, entry && g.selected > 1);
  enable(kDown, entry && g.selected < EntryCount());
  enable(kDelete, entry);
  const bool editable = entry && !(g.edit.excluded != 0 && g.edit.showDefaults != 0);
  for (int id : {kPagesLabel, kPagesEdit, kExample, kCategories, kChangeLabel, kChange}) enable(id, editable);
  const bool tab = editable && g.edit.tabPaper != 0;
  for (int id : {kPositionLabel, kPosition, kCaptionLabel, kCaptionEdit}) enable(id, tab);
  for (int id : {kIndexPaper, kListNameEdit, kPunchSetting}) enable(id, true);
  enable(kCaptionDetail, tab && g.edit.caption[0] != 0);
  enable(kStapleSetting, true);
  if (!CanChangeDocSettings(ctx)) {
    const int locked[] = {1139, 1087, kListCombo, kListNameEdit, kAdd, kDelete, kPunchSetting, kStapleSetting, kIndexPaper, 1284,
                   kPagesLabel, kPagesEdit, kExample, kChangeLabel, kChange, kUp, kDown, kCaptionLabel, kCaptionEdit,
                   kPositionLabel, kPosition};
    for (int id : locked) enable(id, false);
  }
}

// --- Validation.

enum class Check { kCommit, kLeave };

void ShowRowOf(HWND dialog, size_t index) {
  g.showing = true;
  SelectRow(dialog, static_cast<int>(index) + 1);
  g.showing = false;
}

// The current list's entries checked together; true when they pass, with
// every page text then in its canonical form.
bool ValidateList(HWND dialog, Check mode) {
  WorkList& w = Current();
  if (mode == Check::kCommit) {
    for (size_t i = 0; i < w.entries.size(); ++i) {
      if (w.entries[i].excluded == 0 && w.entries[i].pages[0] == 0) {
        g.selected = static_cast<int>(i) + 1;
        g.edit = w.entries[i];
        ShowRowOf(dialog, i);
        ShowEditBuffer(dialog);
        ShowMessageBox(dialog, 1, 3, 131, MB_ICONEXCLAMATION, 0, 0);
        return false;
      }
    }
  } else {
    const InterSheetEntry* e = EntryOfRow(g.selected);
    if ((g.edit.excluded != 0 || (e != nullptr && e->excluded != 0)) &&
        IsWindowEnabled(GetDlgItem(dialog, kPagesEdit)) == FALSE) {
      return true;
    }
    if (GetWindowTextLengthW(GetDlgItem(dialog, kPagesEdit)) == 0) {
      ShowMessageBox(dialog, 1, 3, 131, MB_ICONEXCLAMATION, 0, 0);
      return false;
    }
  }
  // Excluded entries are neither checked nor rewritten.
  std::vector<InterSheetEntry> checked;
  std::vector<size_t> from;
  for (size_t i = 0; i < w.entries.size(); ++i) {
    if (w.entries[i].excluded != 0) continue;
    checked.push_back(w.entries[i]);
    from.push_back(i);
  }
  if (checked.empty()) return true;
  SetPageRangeLimits(9999, 9999);
  char16_t* overlap = nullptr;
  const int status = ParseRangeList(checked.data(), static_cast<uint32_t>(checked.size()), &overlap);
  const bool ok = !ShowPageRangeMessage(dialog, status, overlap, 233);
  if (overlap != nullptr) FreeRangeBlock(overlap);
  if (ok && status == kRangeOk) {
    for (size_t k = 0; k < checked.size(); ++k) {
      std::memcpy(w.entries[from[k]].pages, checked[k].pages, sizeof checked[k].pages);
    }
    if (const InterSheetEntry* e = EntryOfRow(g.selected)) {
      std::memcpy(g.edit.pages, e->pages, sizeof g.edit.pages);
      g.showing = true;
      SetDlgItemTextW(dialog, kPagesEdit, reinterpret_cast<const wchar_t*>(e->pages));
      g.showing = false;
    }
    for (int row = 1; row <= EntryCount(); ++row) ShowEntryRow(dialog, row);
  }
  return ok;
}

// --- Changes.

int32_t Pass(HWND dialog, uint16_t controlId) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), controlId);
}

void Hint(HWND dialog, SheetCtx* ctx) { DispPageHint(dialog, ctx, kPerPageSettingTemplate); }

void ChangeSetting(HWND dialog, SheetCtx* ctx) {
  uint32_t value = 0;
  if (!SelectedOptionValue(dialog, kChange, &value)) return;
  const int32_t kind = SelectedCategory(dialog);
  const InterSheetEntry before = g.edit;
  SetField(g.edit, kind, value);
  if (kind == kTabPaper && value == 0) std::memset(g.edit.caption, 0, sizeof g.edit.caption);
  InterSheetEntry* entry = EntryOfRow(g.selected);
  bool stands = false;
  if (entry != nullptr) {
    const InterSheetEntry kept = *entry;
    *entry = g.edit;
    SetPerPageEdit(&g.edit, kind);
    stands = !ConstraintRefused(Pass(dialog, kChange));
    SetPerPageEdit(nullptr, kPerPageKindNone);
    if (!stands) *entry = kept;
  }
  if (!stands) {
    g.edit = before;
    SelectOptionRow(dialog, kChange, FieldOf(ShownValues(), kind));
  } else if (kind == kTabPaper && value == 0) {
    g.showing = true;
    SetDlgItemTextW(dialog, kCaptionEdit, L"");
    g.showing = false;
  }
  Hint(dialog, ctx);
  FillCategories(dialog);
  ShowTabCells(dialog);
  EnableControls(dialog, ctx);
  RepaintSummary(dialog);
}

void ChangePosition(HWND dialog, SheetCtx* ctx) {
  uint32_t value = 0;
  InterSheetEntry* entry = EntryOfRow(g.selected);
  if (entry == nullptr || !SelectedOptionValue(dialog, kPosition, &value)) return;
  const uint32_t old = entry->captionPos;
  g.edit.captionPos = entry->captionPos = value;
  if (ConstraintRefused(Pass(dialog, kPosition))) {
    g.edit.captionPos = entry->captionPos = old;
    SelectOptionRow(dialog, kPosition, old);
  }
  Hint(dialog, ctx);
  if (entry->captionPos != old) ShowTabCells(dialog);
  RepaintSummary(dialog);
}

void PagesChanged(HWND dialog) {
  if (g.showing) return;
  // The description's filter of what may be typed.
  FilterEditItemText(dialog, nullptr, kPagesEdit, 0, 0, 0, PageTextLimit());
  InterSheetEntry* entry = EntryOfRow(g.selected);
  if (entry == nullptr) return;
  wchar_t text[kPageTextUnits + 1] = {};
  GetDlgItemTextW(dialog, kPagesEdit, text, kPageTextUnits + 1);
  CopyUnits(entry->pages, text, kPageTextUnits);
  entry->row = static_cast<uint32_t>(g.selected);
  std::memcpy(g.edit.pages, entry->pages, sizeof g.edit.pages);
  ShowTabCells(dialog);
  RepaintSummary(dialog);
}

void CaptionChanged(HWND dialog, SheetCtx* ctx) {
  if (g.showing) return;
  FilterEditItemText(dialog, ctx, kCaptionEdit, 0, 0, 0, kCaptionUnits);
  wchar_t text[kCaptionUnits + 1] = {};
  GetDlgItemTextW(dialog, kCaptionEdit, text, kCaptionUnits + 1);
  CopyUnits(g.edit.caption, text, kCaptionUnits);
  if (InterSheetEntry* entry = EntryOfRow(g.selected)) {
    std::memcpy(entry->caption, g.edit.caption, sizeof entry->caption);
    ShowEntryRow(dialog, g.selected);
  }
  EnableControls(dialog, ctx);
}

void ChooseList(HWND dialog, SheetCtx* ctx) {
  uint32_t value = 0;
  if (!SelectedOptionValue(dialog, kListCombo, &value)) return;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const int16_t old = f.CoverMFP_nPerPageList;
  if (IsEntryRow(g.selected) && !ValidateList(dialog, Check::kCommit)) {
    SelectOptionRow(dialog, kListCombo, static_cast<uint32_t>(g.current + 1));
    SetFocus(GetDlgItem(dialog, kPagesEdit));
    return;
  }
  f.CoverMFP_nPerPageList = static_cast<int16_t>(value);
  if (ConstraintRefused(Pass(dialog, kListCombo))) {
    f.CoverMFP_nPerPageList = old;
    SelectOptionRow(dialog, kListCombo, static_cast<uint32_t>(g.current + 1));
  }
  Hint(dialog, ctx);
  const int chosen = f.CoverMFP_nPerPageList - 1;
  if (chosen == g.current || chosen < 0 || chosen >= kInterSheetLists) return;
  g.current = chosen;
  g.selected = 0;
  g.edit = PerPageEntryTemplate();
  FillRows(dialog);
  SendDlgItemMessageW(dialog, kCategories, LB_SETCURSEL, 0, 0);
  g.showing = true;
  SelectRow(dialog, 0);
  g.showing = false;
  ShowEditBuffer(dialog);
  EnableControls(dialog, ctx);
  MarkEasySetModified(dialog, GetPrivDevMode(ctx));
  RepaintSummary(dialog);
}

void Renumber() {
  std::vector<InterSheetEntry>& entries = Current().entries;
  for (size_t i = 0; i < entries.size(); ++i) entries[i].row = static_cast<uint32_t>(i + 1);
}

void AddEntry(HWND dialog, SheetCtx* ctx) {
  if (IsEntryRow(g.selected) && !ValidateList(dialog, Check::kCommit)) {
    SetFocus(GetDlgItem(dialog, kPagesEdit));
    return;
  }
  WorkList& w = Current();
  if (w.entries.size() >= kInterSheetMaxEntries) return;
  w.entries.push_back(PerPageEntryTemplate());
  Renumber();
  FillRows(dialog);
  const int row = EntryCount();
  g.selected = row;
  g.edit = w.entries.back();
  g.showing = true;
  SelectRow(dialog, row);
  g.showing = false;
  SendDlgItemMessageW(dialog, kCategories, LB_SETCURSEL, 0, 0);
  ShowEditBuffer(dialog);
  EnableControls(dialog, ctx);
  SetFocus(GetDlgItem(dialog, kPagesEdit));
  RepaintSummary(dialog);
}

void DeleteEntry(HWND dialog, SheetCtx* ctx) {
  if (!IsEntryRow(g.selected)) return;
  WorkList& w = Current();
  w.entries.erase(w.entries.begin() + (g.selected - 1));
  Renumber();
  FillRows(dialog);
  // The row that takes the deleted one's place: the next entry, or the
  // closing document row.
  const int row = g.selected;
  g.edit = IsEntryRow(row) ? *EntryOfRow(row) : PerPageEntryTemplate();
  g.showing = true;
  SelectRow(dialog, row);
  g.showing = false;
  ShowEditBuffer(dialog);
  Pass(dialog, 0);
  Hint(dialog, ctx);
  EnableControls(dialog, ctx);
  if (IsEntryRow(row) && !ValidateList(dialog, Check::kLeave)) SetFocus(GetDlgItem(dialog, kPagesEdit));
  RepaintSummary(dialog);
}

void MoveEntry(HWND dialog, SheetCtx* ctx, int step) {
  if (!IsEntryRow(g.selected) || !ValidateList(dialog, Check::kLeave)) return;
  const int to = g.selected + step;
  if (!IsEntryRow(to)) return;
  std::swap(Current().entries[static_cast<size_t>(g.selected - 1)], Current().entries[static_cast<size_t>(to - 1)]);
  Renumber();
  g.selected = to;
  g.edit = *EntryOfRow(to);
  ShowTabCells(dialog);
  g.showing = true;
  SelectRow(dialog, to);
  g.showing = false;
  EnableControls(dialog, ctx);
}

// The tab sheet of the list; when its number of tabs changed, every tab
// entry continues from the tab before it.
void EditTabSheet(HWND dialog, SheetCtx* ctx) {
  const int32_t tabs = Current().head.tab.tabCount;
  RunSheetDialog(dialog, kIndexPaperTemplate, IndexPaperDlgProc, reinterpret_cast<LPARAM>(ctx));
  if (Current().head.tab.tabCount != tabs) {
    for (InterSheetEntry& e : Current().entries) {
      if (e.tabPaper != 0) e.captionPos = 0;
    }
    if (InterSheetEntry* entry = EntryOfRow(g.selected)) g.edit.captionPos = entry->captionPos;
  }
  FillPositions(dialog);
  ShowTabCells(dialog);
  RepaintSummary(dialog);
}

// The marks the constraint pass leaves on the per-page settings: the
// locks and marked options of the feature rows of the lists and their
// columns ("PerPage..." and "PPS..."), and the marks of the model's
// per-page lists.  The dialog's passes change them; Cancel puts them back
// as they were after the first pass.
bool PerPageRow(const char16_t* keyword) {
  auto starts = [keyword](std::u16string_view prefix) {
    return std::u16string_view(keyword, std::char_traits<char16_t>::length(keyword)).substr(0, prefix.size()) == prefix;
  };
  return starts(u"PerPage") || starts(u"PPS");
}

void KeepMarks() {
  g.marks.clear();
  auto keep = [](uint32_t* word) { g.marks.emplace_back(word, *word); };
  const ConstraintRules& rules = ProcessConstraintRules();
  for (uint32_t i = 0; rules.features != nullptr && i < rules.featureCount; ++i) {
    FeatureEntry& row = rules.features[i];
    row.keyword[std::size(row.keyword) - 1] = 0;
    if (!PerPageRow(row.keyword)) continue;
    keep(&row.locked);
    keep(&row.available);
    keep(reinterpret_cast<uint32_t*>(&row.pendingValue));
    OptionHead* o = row.options;
    for (int n = 0; o != nullptr && o->keyword[0] != '\0' && n < 256; ++n) {
      if (o->size < sizeof(OptionHead)) break;
      keep(&o->flag);
      o = const_cast<OptionHead*>(NextOptionRow(o));
    }
  }
  const ModelInfo* m = Model();
  if (m == nullptr) return;
  for (ModelListItem* list : {m->perPagePrintTypes, m->perPageStaples}) {
    for (ModelListItem* r = list; r != nullptr && r->keyword[0] != '\0'; ++r) keep(&r->flag);
  }
  for (OptionItem* r = m->perPagePaperSources; r != nullptr && r->keyword[0] != '\0'; ++r) keep(&r->flag);
}

void PutMarksBack() {
  for (const auto& [word, value] : g.marks) *word = value;
  g.marks.clear();
}

// --- The skeleton's handlers.

void Init(HWND dialog, SheetCtx* ctx) {
  g = State{};
  g.open = true;
  // The description's edit items set their own limits.
  SetEditItemLimit(dialog, ctx, kPagesEdit, PageTextLimit());
  SetEditItemLimit(dialog, ctx, kCaptionEdit, kCaptionUnits);
  // The categories' values line up one tab stop past the widest name.
  {
    HWND list = GetDlgItem(dialog, kCategories);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const Category& c : kCategoryTable) {
      SIZE size = {};
      const wchar_t* t = Text(c.keyword);
      GetTextExtentPoint32W(dc, t, static_cast<int>(wcslen(t)), &size);
      widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    RECT unit = {0, 0, 4, 8};
    MapDialogRect(dialog, &unit);
    const LONG base = std::max<LONG>(1, unit.right);
    INT stop = static_cast<INT>(widest * 4 / base + 4);
    SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
  }
  // The working copies of the session's lists; a list the session has not
  // got starts empty, with its default name and tab sheet.
  PerPageUiLists* session = PerPageListsOf(GetUIState(ctx));
  for (int n = 0; n < kInterSheetLists; ++n) {
    WorkList& w = g.lists[static_cast<size_t>(n)];
    const InterSheetList* from = session != nullptr ? session->lists[n] : nullptr;
    w.present = true;
    if (from != nullptr) {
      w.head = *from;
      const uint32_t count = from->entries != nullptr ? std::min(from->count, kInterSheetMaxEntries) : 0;
      w.entries.assign(from->entries, from->entries + count);
      std::stable_sort(w.entries.begin(), w.entries.end(),
                       [](const InterSheetEntry& a, const InterSheetEntry& b) { return a.row < b.row; });
    }
    w.head.entries = nullptr;
    w.head.count = 0;
    w.head.name[kInterSheetNameUnits - 1] = 0;
    GetPerPageListDefaults(&w.head, n + 1);
  }
  g.doc = GetPrivDevMode(ctx);
  g.ctx = ctx;
  const int number = Fields(*GetPrivDevMode(ctx)).CoverMFP_nPerPageList;
  g.current = number >= 1 && number <= kInterSheetLists ? number - 1 : 0;
  Renumber();
  g.edit = PerPageEntryTemplate();
  BuildColumns(dialog);
  PaintFullRows(GetDlgItem(dialog, kRows));
  MakeRowIcons(dialog);
  FillRows(dialog);
  FillListChooser(dialog);
  g.showing = true;
  SelectRow(dialog, 0);
  g.showing = false;
  ShowEditBuffer(dialog);
  const ModelInfo* m = Model();
  for (ModelListItem* r = m != nullptr ? m->perPageStaples : nullptr; r != nullptr && r->keyword[0] != '\0'; ++r) r->flag = 0;
  auto hide = [dialog](std::initializer_list<int> ids) {
    for (int id : ids) ShowEnableCtrl(dialog, id, FALSE);
  };
  if (!Offered(kMfPpsTabPaper)) hide({kCaptionLabel, kCaptionEdit, kCaptionDetail});
  if (!Offered(kMfPpsTabPosition)) hide({kPositionLabel, kPosition});
  if (!Offered(kMfPpsTabPaperSetting)) hide({kIndexPaper});
  if (!Offered(kMfPpsPunchSetting)) hide({kPunchSetting});
  if (!Offered(kMfPpsStapleSetting)) hide({kStapleSetting});
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kListCombo:
      if (code == CBN_SELENDOK) ChooseList(dialog, ctx);
      return true;
    case kChange:
      if (code == CBN_SELENDOK) ChangeSetting(dialog, ctx);
      return true;
    case kPosition:
      if (code == CBN_SELENDOK) ChangePosition(dialog, ctx);
      return true;
    case kCategories:
      if (code == LBN_SELCHANGE) FillChange(dialog);
      return true;
    case kPagesEdit:
      if (code == EN_CHANGE) PagesChanged(dialog);
      return true;
    case kCaptionEdit:
      if (code == EN_CHANGE) CaptionChanged(dialog, ctx);
      return true;
    case kAdd:
      if (code == BN_CLICKED) AddEntry(dialog, ctx);
      return true;
    case kDelete:
      if (code == BN_CLICKED) DeleteEntry(dialog, ctx);
      return true;
    case kIndexPaper:
      if (code == BN_CLICKED) EditTabSheet(dialog, ctx);
      return true;
    case kCaptionDetail:
      if (code == BN_CLICKED && EntryOfRow(g.selected) != nullptr &&
          RunSheetDialog(dialog, kCaptionDetailTemplate, CaptionDetailDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
        const InterSheetEntry* entry = EntryOfRow(g.selected);
        std::memcpy(reinterpret_cast<uint8_t*>(&g.edit) + kCaptionBlockAt,
                    reinterpret_cast<const uint8_t*>(entry) + kCaptionBlockAt, kCaptionBlockSize);
        ShowTabCells(dialog);
        RepaintSummary(dialog);
      }
      return true;
    case kListNameEdit:
      if (code == BN_CLICKED &&
          RunSheetDialog(dialog, kListNameEditTemplate, ListNameEditDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
        FillListChooser(dialog);
      }
      return true;
    case kPunchSetting:
      if (code == BN_CLICKED &&
          RunSheetDialog(dialog, kPerPagePunchTemplate, PerPagePunchDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
        RepaintSummary(dialog);
      }
      return true;
    case kStapleSetting:
      if (code == BN_CLICKED &&
          RunSheetDialog(dialog, kStapleSettingTemplate, StapleSettingDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
        RepaintSummary(dialog);
      }
      return true;
    case kUp:
    case kDown:
      if (code == BN_CLICKED) MoveEntry(dialog, ctx, id == kUp ? -1 : 1);
      return true;
    default:
      return false;
  }
}

bool Notify(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) {
  if (note->idFrom != static_cast<UINT_PTR>(kRows)) return false;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(note);
  if (note->code == LVN_ITEMCHANGING) {
    *result = FALSE;
    if (g.showing || (change->uChanged & LVIF_STATE) == 0 || !IsEntryRow(g.selected)) return true;
    const bool selecting = (change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0 &&
                           change->iItem != g.selected;
    const bool leaving = (change->uNewState & LVIS_SELECTED) == 0 && (change->uOldState & LVIS_SELECTED) != 0 &&
                         change->iItem == g.selected;
    if (selecting && g.refusing) {
      // The move whose leaving was refused.
      g.refusing = false;
      *result = TRUE;
    } else if ((selecting || leaving) && !ValidateList(dialog, Check::kLeave)) {
      g.refusing = leaving;
      SetFocus(GetDlgItem(dialog, kPagesEdit));
      *result = TRUE;
    }
    return true;
  }
  if (note->code == LVN_ITEMCHANGED) {
    *result = 0;
    if (g.showing || (change->uNewState & LVIS_SELECTED) == 0 || (change->uOldState & LVIS_SELECTED) != 0) return true;
    g.selected = change->iItem;
    g.refusing = false;
    const InterSheetEntry* entry = EntryOfRow(g.selected);
    g.edit = entry != nullptr ? *entry : PerPageEntryTemplate();
    ShowEditBuffer(dialog);
    if (entry != nullptr) {
      SetPerPageEdit(&g.edit, kPerPageKindNone);
      Pass(dialog, kRows);
      SetPerPageEdit(nullptr, kPerPageKindNone);
      Hint(dialog, ctx);
    }
    EnableControls(dialog, ctx);
    RepaintSummary(dialog);
    return true;
  }
  return false;
}

// The pictures of the summary: the background tile, and the page (blank or
// printed, through its mask) of a picture whose right part is the tab
// sheet's schematic.
enum : uint32_t { kSummaryTile = 1012, kBlankPage = 1015, kPageMask = 1016, kPrintedPage = 1019 };
// Where the schematic lies in the page picture.
constexpr RECT kSchematicInPicture = {105, 3, 186, 160};

// The page picture centred across `area` and 4 pixels below its middle.
RECT PagePictureAt(const RECT& area, PaperViewDevice& device, uint32_t image) {
  const PlanSize size = device.Env().pictureSize(device.Env().context, image);
  const LONG left = area.left + (area.right - area.left - size.cx) / 2;
  const LONG top = area.top + (area.bottom - area.top - size.cy) / 2 + 4;
  return {left, top, left + size.cx, top + size.cy};
}

void DrawPagePicture(PaperViewDevice& device, const RECT& at, uint32_t image) {
  PaperViewPlan plan;
  PaperViewOp page(PlanOpKind::kMaskedPair);
  page.image = image;
  page.mask = kPageMask;
  page.rect = {at.left, at.top, at.right, at.bottom};
  plan.ops.push_back(page);
  RenderPaperViewPlanDirect(device, plan);
}

// The summary of the selected row, drawn in a memory bitmap and copied:
// for a tab entry the page with the tab sheet and its caption, the tab
// paper and the tab the entry lands on; else the document's page with the
// entry's print type, staple and punch; and its pages as a line of text.
void DrawSummaryInto(HDC dc, const RECT& area) {
  PaperViewDevice device(dc, DialogFrameworkModules().images);
  {
    PaperViewPlan plan;
    PaperViewOp tile(PlanOpKind::kTile);
    tile.image = kSummaryTile;
    tile.rect = {area.left, area.top, area.right, area.bottom};
    plan.ops.push_back(tile);
    RenderPaperViewPlanDirect(device, plan);
  }
  const WorkList& w = Current();
  std::vector<std::wstring> lines;
  const InterSheetEntry* entry = EntryOfRow(g.selected);
  lines.push_back(entry != nullptr ? std::wstring(Text("PPView_PageNumber")) + reinterpret_cast<const wchar_t*>(g.edit.pages)
                                   : std::wstring(Text("PPView_PrintType")));
  const bool tab = entry != nullptr && g.edit.tabPaper == 1;
  if (tab) {
    const ModelInfo* m = Model();
    std::wstring paper;
    for (const TabPaperSizeItem* r = m != nullptr ? m->tabPaperSizes : nullptr; r != nullptr && r->keyword[0] != '\0';
         ++r) {
      if (r->value == static_cast<uint32_t>(w.head.tab.paperSize)) paper = reinterpret_cast<const wchar_t*>(r->text);
    }
    lines.push_back(paper);
    std::wstring position = Text("PPView_TabPosition");
    const size_t index = static_cast<size_t>(g.selected - 1);
    if (index < g.tabs.size() && g.tabs[index] != 0) {
      position += std::to_wstring(g.tabs[index]) + L"/" + std::to_wstring(w.head.tab.tabCount);
    }
    lines.push_back(position);
    const uint32_t image = g.edit.printType != 0 ? kPrintedPage : kBlankPage;
    const RECT page = PagePictureAt(area, device, image);
    DrawPagePicture(device, page, image);
    const RECT schematic = {page.left + kSchematicInPicture.left, page.top + kSchematicInPicture.top,
                            page.left + kSchematicInPicture.right, page.top + kSchematicInPicture.bottom};
    DrawTabSchematic(dc, schematic, w.head.tab, g.edit);
  } else if (entry != nullptr && g.edit.printType == 0) {
    // A blank sheet inserted: the blank page alone, centred.
    const RECT page = PagePictureAt(area, device, kBlankPage);
    DrawPagePicture(device, page, kBlankPage);
  } else if (g.doc != nullptr) {
    // The document's page with the entry's print type, staple and punch.
    RECT page = {area.left + 5, area.top + 24, area.right - 5, area.bottom - 5};
    DocDMode shown = *g.doc;
    DocFields& f = Fields(shown);
    if (entry != nullptr) {
      if (g.edit.staple != 255) {
        f.bStaple = g.edit.staple != 0 ? 1 : 0;
        if (const uint8_t mode = PreviewStapleMode(g.edit.staple)) f.nStapleMode = mode;
      }
      if (g.edit.punch != 255) f.bPunch = g.edit.punch != 0 ? 1 : 0;
      if (g.edit.printType == 1 || g.edit.printType == 2) f.nDuplex = static_cast<uint8_t>(g.edit.printType);
    }
    DrawPaperViewEx(&shown, dc, page, g.ctx, false, Model(), DialogFrameworkModules().images);
  }
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWeight = FW_BOLD;
  HFONT bold = CreateFontIndirectW(&font);
  HGDIOBJ old = SelectObject(dc, bold);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  for (size_t i = 0; i < lines.size(); ++i) {
    TextOutW(dc, area.left + 5, area.top + 5 + static_cast<int>(i) * metrics.tmHeight, lines[i].c_str(),
             static_cast<int>(lines[i].size()));
  }
  SelectObject(dc, old);
  DeleteObject(bold);
}

void DrawSummary(const DRAWITEMSTRUCT* item) {
  const RECT& area = item->rcItem;
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC memory = CreateCompatibleDC(item->hDC);
  HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(item->hDC, width, height) : nullptr;
  if (bitmap == nullptr) {
    if (memory != nullptr) DeleteDC(memory);
    return;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  DrawSummaryInto(memory, RECT{0, 0, width, height});
  BitBlt(item->hDC, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// One row of the list: its colours by state, the warning of an entry left
// out, the row's icon, then each column's text clipped to its column, and
// the focus frame.  The document rows are written in a bold face of the
// row's height.
void DrawRow(const DRAWITEMSTRUCT* item) {
  HWND rows = item->hwndItem;
  HDC dc = item->hDC;
  const RECT& r = item->rcItem;
  const int row = static_cast<int>(item->itemID);
  const auto [back, fore] =
      ListRowColoursOf(ListView_GetTextBkColor(rows), IsWindowEnabled(rows) == FALSE, (item->itemState & ODS_SELECTED) != 0);
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  const int height = r.bottom - r.top;
  const int iconTop = r.top + std::max(0, (height - 16) / 2);
  LONG x = r.left + 2;
  const InterSheetEntry* entry = EntryOfRow(row);
  int icon = entry != nullptr ? OwnIcon(*entry) : DocumentIcon();
  if (g.icons != nullptr && entry != nullptr && entry->excluded != 0) {
    ImageList_Draw(g.icons, kIconWarning, dc, x, iconTop, ILD_TRANSPARENT);
    x += 16;
  }
  if (g.icons != nullptr && icon != kIconNone) ImageList_Draw(g.icons, icon, dc, x, iconTop, ILD_TRANSPARENT);
  x += 18;

  HFONT documentFont = nullptr;
  HGDIOBJ oldFont = nullptr;
  if (entry == nullptr) {
    LOGFONTW font = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = -std::max(8, height * 2 / 3);
    font.lfWeight = FW_BOLD;
    documentFont = CreateFontIndirectW(&font);
    oldFont = SelectObject(dc, documentFont);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, fore);
  LONG columnLeft = r.left;
  for (size_t c = 0; c < g.columns.size(); ++c) {
    const LONG width = ListView_GetColumnWidth(rows, static_cast<int>(c));
    RECT cell = {c == 0 ? x : columnLeft + 4, r.top, columnLeft + width - 2, r.bottom};
    columnLeft += width;
    wchar_t text[256] = {};
    ListView_GetItemText(rows, row, static_cast<int>(c), text, 256);
    if (text[0] == L'\0' || cell.right <= cell.left) continue;
    DrawTextW(dc, text, -1, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (documentFont != nullptr) {
    SelectObject(dc, oldFont);
    DeleteObject(documentFont);
  }
  if ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == rows) DrawFocusRect(dc, &r);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kListCombo:
    case kChange:
    case kPosition:
      DrawOptionRowItem(dialog, item);
      return true;
    case kSummary:
      DrawSummary(item);
      return true;
    case kRows:
      if (item->CtlType == ODT_LISTVIEW) DrawRow(item);
      return item->CtlType == ODT_LISTVIEW;
    default:
      return false;
  }
}

// OK: the list checked, then every list handed to the session.
bool Ok(HWND dialog, SheetCtx* ctx) {
  // The edits by the description's rules first, then the list.
  if (ValidateEditItem(dialog, ctx, kPagesEdit, TRUE, 0, 0, PageTextLimit()) == 0 ||
      ValidateEditItem(dialog, ctx, kCaptionEdit, TRUE, 0, 0, kCaptionUnits) == 0) {
    SetFocus(GetDlgItem(dialog, kPagesEdit));
    return false;
  }
  if (IsEntryRow(g.selected) && !ValidateList(dialog, Check::kCommit)) {
    SetFocus(GetDlgItem(dialog, kPagesEdit));
    return false;
  }
  PerPageUiLists* session = PerPageListsOf(GetUIState(ctx));
  if (session == nullptr) return true;
  for (int n = 0; n < kInterSheetLists; ++n) {
    WorkList& w = g.lists[static_cast<size_t>(n)];
    if (!w.present) continue;
    for (size_t i = 0; i < w.entries.size(); ++i) w.entries[i].row = static_cast<uint32_t>(i + 1);
    InterSheetList view = w.head;
    view.count = static_cast<uint32_t>(w.entries.size());
    view.entries = w.entries.empty() ? nullptr : w.entries.data();
    InterSheetList* copy = CopyInterSheetList(&view);
    if (copy == nullptr) continue;  // the session keeps the list it had
    // A list the session had not got is the sheet's to free, as those it
    // read.
    if (session->lists[n] == nullptr) session->loadedBySheet |= 1u << n;
    FreeInterSheetList(session->lists[n]);
    session->lists[n] = copy;
  }
  return true;
}

// The private message that scrolls the selected row into view.
constexpr UINT kShowSelectedRow = WM_USER + 256;
bool Other(HWND dialog, SheetCtx*, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message != kShowSelectedRow) return false;
  ListView_EnsureVisible(GetDlgItem(dialog, kRows), g.selected, FALSE);
  *result = 0;
  return true;
}

void Started(HWND, SheetCtx*) { KeepMarks(); }

// Cancel: the skeleton put the document's settings back and the session
// keeps its own lists; the constraint marks go back as the dialog found
// them.
void Cancel(HWND, SheetCtx*) { PutMarksBack(); }

void Destroy(HWND dialog) {
  SetPerPageEdit(nullptr, kPerPageKindNone);
  StopPaintingFullRows(GetDlgItem(dialog, kRows));
  ListView_SetImageList(GetDlgItem(dialog, kRows), nullptr, LVSIL_SMALL);
  if (g.icons != nullptr) ImageList_Destroy(g.icons);
  g = State{};
}

const DWORD kHelpIds[] = {1139, 3210, 1087, 3220, 1092, 3220, 1095, 3230, 1539, 3210, 1612, 3240, 1105, 3250,
                          1102, 3255, 1098, 3260, 1109, 3270, 1107, 3280, 1100, 3290, 1284, 3300, 1613, 3310,
                          1614, 3310, 2234, 3310, 1609, 3300, 1616, 3320, 1610, 3320, 1674, 3330, 1676, 3330,
                          1618, 3340, 1146, 3340, 1620, 3350, 1032, 9510, 0, 0};
const SheetComboHeight kComboHeights[] = {{kListCombo, 16}, {kChange, 16}, {kPosition, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kPerPageSettingTemplate,
    .textSection = kTexts,
    .helpIds = kHelpIds,
    .helpTopic = 3200,
    .clipTitle = L"Per Page Settings - Edit List Dialog",
    .comboHeights = kComboHeights,
    .init = Init,
    .started = Started,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .drawItem = DrawItem,
    .notify = Notify,
    .destroy = Destroy,
    .cancel = Cancel,
    .other = Other,
};

}  // namespace

InterSheetList* PerPageWorkingList() {
  return g.open && g.lists[static_cast<size_t>(g.current)].present ? &g.lists[static_cast<size_t>(g.current)].head
                                                                    : nullptr;
}

InterSheetEntry* PerPageSelectedEntry() { return g.open ? EntryOfRow(g.selected) : nullptr; }

bool PerPageNameTakenByAnother(const char16_t* name) {
  for (int n = 0; g.open && n < kInterSheetLists; ++n) {
    const WorkList& w = g.lists[static_cast<size_t>(n)];
    if (n == g.current || !w.present) continue;
    if (std::char_traits<char16_t>::compare(w.head.name, name, kInterSheetNameUnits) == 0) return true;
  }
  return false;
}

INT_PTR CALLBACK PerPageSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
