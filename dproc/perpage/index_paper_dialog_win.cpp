// Index Paper Setting (template 140): the tab sheet of the Per Page
// Setting dialog's current list.  A value within its range is stored as it
// is typed or spun; OK checks the four distances and that the tabs fit the
// sheet; Cancel puts the tab sheet back as the dialog found it.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/inter_sheet_rules.h"
#include "common/text/number_text.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"

namespace {

enum : int {
  kTitle = 1631,
  kPicture = 1633,
  kPaperSize = 1000,
  kTabCount = 1002,
};

// The four distances: their edit, spin, range label, message and field.
struct Distance {
  int edit, spin, label, message;
  int32_t TabSettings::*field;
  int32_t low;
  bool gap;  // the highest is the paper's maximum gap
};
constexpr Distance kDistances[] = {
    {1645, 1646, 1647, 60, &TabSettings::topSpace, 0, false},
    {1650, 1651, 1652, 61, &TabSettings::bottomSpace, 0, false},
    {1654, 1659, 1655, 62, &TabSettings::gap, 0, true},
    {1656, 1658, 1660, 63, &TabSettings::charPos, kTabCharPosLowest, false},
};

struct State {
  TabSettings saved = {};
  bool spinning = false;  // an edit is being set by its spin
  bool showing = false;
};
State g;

TabSettings* Tab() {
  InterSheetList* list = PerPageWorkingList();
  return list != nullptr ? &list->tab : nullptr;
}

const wchar_t* Text(const char* keyword) {
  return reinterpret_cast<const wchar_t*>(DialogTextOf("Dlg_TabPaperSettings", keyword));
}

int32_t Highest(const Distance& d, const TabSettings& t) {
  if (d.gap) return MaxTabGap(t.paperSize, t.tabCount);
  return d.field == &TabSettings::charPos ? kTabCharPosHighest : kTabSpaceHighest;
}

const TabPaperSizeItem* PaperRows() {
  const ModelInfo* m = ProcessModelInfo();
  return m != nullptr ? m->tabPaperSizes : nullptr;
}
const TabPaperSizeItem* PaperWithValue(uint32_t value) {
  for (const TabPaperSizeItem* r = PaperRows(); r != nullptr && r->keyword[0] != '\0'; ++r) {
    if (r->value == value) return r;
  }
  return nullptr;
}

// The edit's number: its text up to the first character that is not a
// digit (nor a leading minus sign where the field may be negative); false
// for an empty text.
bool ReadNumber(HWND dialog, const Distance& d, int32_t* value) {
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, d.edit, text, 16);
  g.showing = true;
  SetDlgItemNumberText(dialog, d.edit, text, d.low < 0 ? TRUE : FALSE, FALSE);
  g.showing = false;
  if (text[0] == L'\0' || (text[0] == L'-' && text[1] == L'\0')) return false;
  *value = static_cast<int32_t>(std::wcstol(text, nullptr, 10));
  return true;
}

void ShowRanges(HWND dialog, const TabSettings& t) {
  for (const Distance& d : kDistances) {
    const int32_t high = Highest(d, t);
    wchar_t label[32];
    std::swprintf(label, 32, L"mm [%d...%d]", d.low, high);
    SetDlgItemTextW(dialog, d.label, label);
    SendDlgItemMessageW(dialog, d.edit, EM_LIMITTEXT, d.low < 0 ? 3 : 2, 0);
    SendDlgItemMessageW(dialog, d.spin, UDM_SETRANGE32, static_cast<WPARAM>(d.low), high);
  }
}

void ShowValues(HWND dialog, TabSettings& t) {
  t.gap = std::clamp(t.gap, 0, MaxTabGap(t.paperSize, t.tabCount));
  g.showing = true;
  for (const Distance& d : kDistances) {
    SetDlgItemInt(dialog, d.edit, static_cast<UINT>(t.*d.field), TRUE);
    SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, t.*d.field);
  }
  g.showing = false;
}

void ShowAll(HWND dialog, TabSettings& t) {
  SelectOptionRow(dialog, kPaperSize, static_cast<uint32_t>(t.paperSize));
  SelectOptionRow(dialog, kTabCount, static_cast<uint32_t>(t.tabCount));
  ShowRanges(dialog, t);
  ShowValues(dialog, t);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

void Init(HWND dialog, SheetCtx*) {
  g = State{};
  TabSettings* t = Tab();
  if (t == nullptr) return;
  g.saved = *t;
  FillOptionRows(dialog, kPaperSize, reinterpret_cast<const OptionHead*>(PaperRows()));
  FillOptionRows(dialog, kTabCount, FindOptionTable("TabPaperNumofTab"));
  if (PaperWithValue(static_cast<uint32_t>(t->paperSize)) == nullptr) {
    const TabSettings d = DefaultTabSettings();
    t->paperSize = d.paperSize;
    t->width = d.width;
    t->height = d.height;
    t->bodyWidth = d.bodyWidth;
  }
  std::wstring title = std::wstring(Text("TabPaperListName")) + L"  " +
                       reinterpret_cast<const wchar_t*>(PerPageWorkingList()->name);
  SetDlgItemTextW(dialog, kTitle, title.c_str());
  ShowAll(dialog, *t);
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : {1631, 1635, 1637, 1000, 1638, 1002, 1639, 1642, 1645, 1646, 1647, 1648, 1650, 1651, 1652, 1653, 1654,
                 1659, 1655, 1657, 1656, 1658, 1660, 1032}) {
    EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// A paper or a number of tabs chosen: the pass may refuse it.
void Choose(HWND dialog, int id) {
  TabSettings* t = Tab();
  uint32_t value = 0;
  if (t == nullptr || !SelectedOptionValue(dialog, id, &value)) return;
  const TabSettings before = *t;
  if (id == kPaperSize) {
    const TabPaperSizeItem* paper = PaperWithValue(value);
    if (paper == nullptr) return;
    t->paperSize = static_cast<int32_t>(paper->value);
    t->width = static_cast<int32_t>(paper->first);
    t->height = static_cast<int32_t>(paper->second);
    t->bodyWidth = static_cast<int32_t>(paper->third);
  } else {
    t->tabCount = static_cast<int32_t>(value);
  }
  if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id)))) {
    *t = before;
  }
  ShowAll(dialog, *t);
}

void EditChanged(HWND dialog, const Distance& d) {
  TabSettings* t = Tab();
  int32_t value = 0;
  if (g.showing || t == nullptr || !ReadNumber(dialog, d, &value)) return;
  if (g.spinning) {
    g.spinning = false;
  } else {
    SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, value);
  }
  if (value >= d.low && value <= Highest(d, *t)) t->*d.field = value;
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

bool Command(HWND dialog, SheetCtx*, int id, int code) {
  if ((id == kPaperSize || id == kTabCount) && code == CBN_SELENDOK) {
    Choose(dialog, id);
    return true;
  }
  for (const Distance& d : kDistances) {
    if (id != d.edit) continue;
    if (code == EN_CHANGE) EditChanged(dialog, d);
    return true;
  }
  return false;
}

bool Notify(HWND dialog, SheetCtx*, const NMHDR* note, LRESULT* result) {
  if (note->code != UDN_DELTAPOS) return false;
  TabSettings* t = Tab();
  for (const Distance& d : kDistances) {
    if (note->idFrom != static_cast<UINT_PTR>(d.spin) || t == nullptr) continue;
    const auto* step = reinterpret_cast<const NMUPDOWN*>(note);
    const int32_t value = std::clamp(step->iPos + step->iDelta, d.low, Highest(d, *t));
    g.spinning = true;
    SetDlgItemInt(dialog, d.edit, static_cast<UINT>(value), TRUE);
    g.spinning = false;
    *result = 0;
    return true;
  }
  return false;
}

// OK: each distance in its range, then the tabs on the sheet.
bool Ok(HWND dialog, SheetCtx*) {
  TabSettings* t = Tab();
  if (t == nullptr) return true;
  for (const Distance& d : kDistances) {
    int32_t value = 0;
    const int32_t high = Highest(d, *t);
    if (!ReadNumber(dialog, d, &value) || value < d.low || value > high) {
      ShowMessageBox(dialog, 1, 2, d.message, MB_ICONEXCLAMATION, d.low, high);
      SetFocus(GetDlgItem(dialog, d.edit));
      return false;
    }
  }
  if (!TabsFit(*t)) {
    const int32_t gap = WidestFittingGap(*t);
    if (gap >= 0) {
      ShowMessageBox(dialog, 1, 2, 62, MB_ICONEXCLAMATION, 0, gap);
      SetFocus(GetDlgItem(dialog, 1654));
    } else {
      ShowMessageBox(dialog, 1, 65, 0, MB_ICONEXCLAMATION, 0, 0);
      SetFocus(GetDlgItem(dialog, 1645));
    }
    return false;
  }
  return true;
}

void Cancel(HWND, SheetCtx*) {
  if (TabSettings* t = Tab()) *t = g.saved;
}

void Defaults(HWND dialog, SheetCtx*) {
  TabSettings* t = Tab();
  if (t == nullptr || PaperWithValue(static_cast<uint32_t>(DefaultTabSettings().paperSize)) == nullptr) return;
  *t = DefaultTabSettings();
  ShowAll(dialog, *t);
}

// The picture: the sheet with its tab strip and tabs to scale, each tab
// with its label.
bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == static_cast<UINT>(kPaperSize) || item->CtlID == static_cast<UINT>(kTabCount)) {
    DrawOptionRowItem(dialog, item);
    return true;
  }
  if (item->CtlID != static_cast<UINT>(kPicture)) return false;
  RECT area = item->rcItem;
  FillRect(item->hDC, &area, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(item->hDC, &area, EDGE_SUNKEN, BF_RECT);
  const TabSettings* t = Tab();
  if (t == nullptr || t->height <= 0 || t->width <= 0) return true;
  InflateRect(&area, -8, -8);
  const double scale = std::min(double(area.right - area.left) / t->width, double(area.bottom - area.top) / t->height);
  auto at = [&](int32_t x, int32_t y) { return POINT{area.left + LONG(x * scale), area.top + LONG(y * scale)}; };
  HGDIOBJ oldPen = SelectObject(item->hDC, GetStockObject(BLACK_PEN));
  HBRUSH sheet = CreateSolidBrush(RGB(255, 255, 128));
  HGDIOBJ oldBrush = SelectObject(item->hDC, sheet);
  const POINT top = at(0, 0), body = at(t->bodyWidth, t->height);
  Rectangle(item->hDC, top.x, top.y, body.x, body.y);
  const int32_t length = TabLength(*t);
  SetBkMode(item->hDC, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(item->hDC, GetStockObject(DEFAULT_GUI_FONT));
  for (int32_t i = 1; length > 0 && i <= t->tabCount; ++i) {
    const int32_t y = t->topSpace * 10 + (i - 1) * (length + t->gap * 10);
    const POINT a = at(t->bodyWidth - 1, y), b = at(t->width, y + length);
    Rectangle(item->hDC, a.x, a.y, b.x, b.y);
    if (t->tabCount > 5 && i > 2 && i < t->tabCount - 1) continue;
    wchar_t label[16];
    std::swprintf(label, 16, L"%d/%d", i, t->tabCount);
    RECT r = {a.x - 40, a.y, a.x - 2, b.y};
    DrawTextW(item->hDC, label, -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(item->hDC, oldFont);
  SelectObject(item->hDC, oldBrush);
  SelectObject(item->hDC, oldPen);
  DeleteObject(sheet);
  return true;
}

const DWORD kHelpIds[] = {1631, 3800, 1633, 3810, 1635, 3820, 1637, 3830, 1000, 3830, 1638, 3840, 1002, 3840,
                          1639, 3850, 1642, 3860, 1645, 3860, 1646, 3860, 1647, 3860, 1648, 3870, 1650, 3870,
                          1651, 3870, 1652, 3870, 1653, 3880, 1654, 3880, 1659, 3880, 1655, 3880, 1657, 3890,
                          1656, 3890, 1658, 3890, 1660, 3890, 1032, 9510, 0, 0};
const SheetComboHeight kComboHeights[] = {{kPaperSize, 16}, {kTabCount, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kIndexPaperTemplate,
    .textSection = "Dlg_TabPaperSettings",
    .helpIds = kHelpIds,
    .helpTopic = 3795,
    .clipTitle = L"Tab Paper Settings Dialog",
    .quietDefaults = true,
    .comboHeights = kComboHeights,
    .init = Init,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .notify = Notify,
    .cancel = Cancel,
};

}  // namespace

INT_PTR CALLBACK IndexPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
