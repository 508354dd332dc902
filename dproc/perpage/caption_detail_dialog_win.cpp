// Caption Detail (template 141): how the caption of the Per Page Setting
// dialog's selected tab entry is printed in its tab: its direction, its
// place along and across the tab, and its font.  The entry changes as the
// user chooses; Cancel puts the entry's caption block back.  The list of
// faces is the dialog's own: made when it opens, freed when it closes.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/records/inter_sheet_rules.h"
#include "common/text/number_text.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/perpage/per_page_preview_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"

namespace {

enum : int {
  kPicture = 1661,
  kDirection = 1664,
  kAlong = 1665,
  kAcross = 1004,
  kFace = 1669,
  kStyle = 1671,
  kSize = 1672,
  kSizeSpin = 1673,
};

constexpr int32_t kSizeLowest = 8;
constexpr int32_t kSizeHighest = 32;

// The option combos and the entry's field each shows.
struct Choice {
  int id;
  const char* table;
  uint32_t InterSheetEntry::*field;
};
constexpr Choice kChoices[] = {
    {kDirection, "TabTextOrientation", &InterSheetEntry::orientation},
    {kAlong, "TabTextPositionV", &InterSheetEntry::vertPos},
    {kAcross, "TabTextPositionH", &InterSheetEntry::horzPos},
    {kStyle, "TabTextFontStyle", &InterSheetEntry::fontStyle},
};

struct State {
  uint8_t saved[kCaptionBlockSize] = {};
  std::vector<std::wstring> faces;  // the dialog's own list of faces
  bool spinning = false;
  bool showing = false;
};
State g;

InterSheetEntry* Entry() { return PerPageSelectedEntry(); }

const wchar_t* Text(const char* keyword) {
  return reinterpret_cast<const wchar_t*>(DialogTextOf("Dlg_TabTextDetails", keyword));
}

// Characters stacked down the tab only for the models of the languages
// that write so.
bool KeepDirection(const OptionHead* row) {
  if (row->value != 2) return true;
  const ModelInfo* m = ProcessModelInfo();
  const uint32_t language = m != nullptr ? m->languageId : 0;
  return language == 17 || language == 18 || language == 1028 || language == 2052;
}

void ShowSize(HWND dialog, const InterSheetEntry& e) {
  const int32_t size = std::clamp(static_cast<int32_t>(e.fontSize), kSizeLowest, kSizeHighest);
  g.showing = true;
  SetDlgItemInt(dialog, kSize, static_cast<UINT>(size), FALSE);
  SendDlgItemMessageW(dialog, kSizeSpin, UDM_SETPOS32, 0, size);
  g.showing = false;
}

void ShowEntry(HWND dialog, const InterSheetEntry& e) {
  for (const Choice& c : kChoices) SelectOptionRow(dialog, c.id, e.*c.field);
  const LRESULT at = SendDlgItemMessageW(dialog, kFace, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(e.fontFace));
  SendDlgItemMessageW(dialog, kFace, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  ShowSize(dialog, e);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

void Init(HWND dialog, SheetCtx*) {
  g = State{};
  InterSheetEntry* e = Entry();
  if (e == nullptr) return;
  std::memcpy(g.saved, reinterpret_cast<const uint8_t*>(e) + kCaptionBlockAt, kCaptionBlockSize);
  const InterSheetList* list = PerPageWorkingList();
  if (list != nullptr && e->captionPos > static_cast<uint32_t>(std::max(list->tab.tabCount, 0))) e->captionPos = 0;
  HDC dc = GetDC(dialog);
  EnumFontFamiliesW(dc, nullptr, reinterpret_cast<FONTENUMPROCW>(EnumTabFontProc), reinterpret_cast<LPARAM>(&g.faces));
  ReleaseDC(dialog, dc);
  for (const std::wstring& face : g.faces) {
    SendDlgItemMessageW(dialog, kFace, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
  }
  for (const Choice& c : kChoices) {
    FillOptionRows(dialog, c.id, FindOptionTable(c.table), c.id == kDirection ? KeepDirection : nullptr);
  }
  SendDlgItemMessageW(dialog, kSize, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageW(dialog, kSizeSpin, UDM_SETRANGE32, kSizeLowest, kSizeHighest);
  ShowEntry(dialog, *e);
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : {1662, 1663, 1664, 1666, 1665, 1641, 1004, 1667, 1668, 1669, 1670, 1671, 1644, 1672, 1673, 1032}) {
    EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

int32_t Pass(HWND dialog, int id) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id));
}

void Choose(HWND dialog, const Choice& c) {
  InterSheetEntry* e = Entry();
  uint32_t value = 0;
  if (e == nullptr || !SelectedOptionValue(dialog, c.id, &value)) return;
  const uint32_t old = e->*c.field;
  e->*c.field = value;
  if (ConstraintRefused(Pass(dialog, c.id))) {
    e->*c.field = old;
    SelectOptionRow(dialog, c.id, old);
  }
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

void ChooseFace(HWND dialog) {
  InterSheetEntry* e = Entry();
  const LRESULT at = SendDlgItemMessageW(dialog, kFace, CB_GETCURSEL, 0, 0);
  if (e == nullptr || at < 0) return;
  wchar_t face[64] = {};
  if (SendDlgItemMessageW(dialog, kFace, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0) >= 64) return;
  SendDlgItemMessageW(dialog, kFace, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(face));
  char16_t old[32];
  std::memcpy(old, e->fontFace, sizeof old);
  std::memset(e->fontFace, 0, sizeof e->fontFace);
  for (size_t i = 0; i + 1 < std::size(e->fontFace) && face[i] != L'\0'; ++i) e->fontFace[i] = static_cast<char16_t>(face[i]);
  if (ConstraintRefused(Pass(dialog, kFace))) {
    std::memcpy(e->fontFace, old, sizeof old);
    ShowEntry(dialog, *e);
  }
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

// The size as typed: digits only; a size in range is stored.
bool ReadSize(HWND dialog, int32_t* size) {
  wchar_t text[8] = {};
  GetDlgItemTextW(dialog, kSize, text, 8);
  g.showing = true;
  SetDlgItemNumberText(dialog, kSize, text, FALSE, FALSE);
  g.showing = false;
  if (text[0] == L'\0') return false;
  *size = static_cast<int32_t>(std::wcstol(text, nullptr, 10));
  return true;
}

void SizeChanged(HWND dialog) {
  InterSheetEntry* e = Entry();
  int32_t size = 0;
  if (g.showing || e == nullptr || !ReadSize(dialog, &size)) return;
  if (g.spinning) {
    g.spinning = false;
  } else {
    SendDlgItemMessageW(dialog, kSizeSpin, UDM_SETPOS32, 0, size);
  }
  if (size >= kSizeLowest && size <= kSizeHighest) e->fontSize = static_cast<uint32_t>(size);
  InvalidateRect(GetDlgItem(dialog, kPicture), nullptr, FALSE);
}

bool Command(HWND dialog, SheetCtx*, int id, int code) {
  for (const Choice& c : kChoices) {
    if (id != c.id) continue;
    if (code == CBN_SELENDOK) Choose(dialog, c);
    return true;
  }
  if (id == kFace) {
    if (code == CBN_SELENDOK) ChooseFace(dialog);
    return true;
  }
  if (id == kSize) {
    if (code == EN_CHANGE) SizeChanged(dialog);
    return true;
  }
  return false;
}

bool Notify(HWND dialog, SheetCtx*, const NMHDR* note, LRESULT* result) {
  if (note->code != UDN_DELTAPOS || note->idFrom != static_cast<UINT_PTR>(kSizeSpin)) return false;
  const auto* step = reinterpret_cast<const NMUPDOWN*>(note);
  g.spinning = true;
  SetDlgItemInt(dialog, kSize, static_cast<UINT>(std::clamp(step->iPos + step->iDelta, kSizeLowest, kSizeHighest)),
                FALSE);
  g.spinning = false;
  *result = 0;
  return true;
}

bool Ok(HWND dialog, SheetCtx*) {
  int32_t size = 0;
  if (!ReadSize(dialog, &size) || size < kSizeLowest || size > kSizeHighest) {
    ShowMessageBox(dialog, 1, 2, 64, MB_ICONEXCLAMATION, kSizeLowest, kSizeHighest);
    SetFocus(GetDlgItem(dialog, kSize));
    return false;
  }
  return true;
}

void Cancel(HWND, SheetCtx*) {
  if (InterSheetEntry* e = Entry()) std::memcpy(reinterpret_cast<uint8_t*>(e) + kCaptionBlockAt, g.saved, kCaptionBlockSize);
}

// The default entry's way of printing; the caption and its position stay.
void Defaults(HWND dialog, SheetCtx*) {
  InterSheetEntry* e = Entry();
  if (e == nullptr) return;
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
  const InterSheetEntry& d = PerPageEntryTemplate();
  e->orientation = d.orientation;
  e->vertPos = d.vertPos;
  e->horzPos = d.horzPos;
  std::memcpy(e->fontFace, d.fontFace, sizeof e->fontFace);
  e->fontStyle = d.fontStyle;
  e->fontSize = d.fontSize;
  e->reserved1 = d.reserved1;
  ShowEntry(dialog, *e);
}

void Destroy(HWND) { g = State{}; }

// The picture: the tab paper, the number of tabs, and the tab sheet with
// its caption in the chosen font and direction.
bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPicture)) {
    if (item->CtlID == static_cast<UINT>(kFace)) return false;
    DrawOptionRowItem(dialog, item);
    return true;
  }
  RECT area = item->rcItem;
  FillRect(item->hDC, &area, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(item->hDC, &area, EDGE_SUNKEN, BF_RECT);
  const InterSheetEntry* e = Entry();
  const InterSheetList* list = PerPageWorkingList();
  if (e == nullptr || list == nullptr) return true;
  SetBkMode(item->hDC, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(item->hDC, GetStockObject(DEFAULT_GUI_FONT));
  const int height = (area.bottom - area.top) / 10;
  const ModelInfo* m = ProcessModelInfo();
  for (const TabPaperSizeItem* r = m != nullptr ? m->tabPaperSizes : nullptr; r != nullptr && r->keyword[0] != '\0'; ++r) {
    if (r->value != static_cast<uint32_t>(list->tab.paperSize)) continue;
    const auto* name = reinterpret_cast<const wchar_t*>(r->text);
    TextOutW(item->hDC, area.left + 5, area.top + 8, name, static_cast<int>(wcsnlen(name, std::size(r->text))));
    break;
  }
  const std::wstring tabs = std::wstring(Text("PPView_TabPositionNUM")) + std::to_wstring(list->tab.tabCount);
  TextOutW(item->hDC, area.left + 5, area.top + 8 + height, tabs.c_str(), static_cast<int>(tabs.size()));
  // The schematic in the right half of the picture, below the lines.
  const LONG width = area.right - area.left;
  RECT schematic = {area.left + width / 2, area.top + 8 + 2 * height, area.left + width * 9 / 10, area.bottom};
  schematic.bottom -= 2 * ((schematic.bottom - schematic.top) * 4 / 100);
  DrawTabSchematic(item->hDC, schematic, list->tab, *e);
  SelectObject(item->hDC, oldFont);
  return true;
}

const DWORD kHelpIds[] = {1662, 3610, 1663, 3620, 1664, 3620, 1666, 3630, 1665, 3630, 1641, 3640, 1004, 3640,
                          1667, 3650, 1668, 3660, 1669, 3660, 1670, 3670, 1671, 3670, 1644, 3680, 1672, 3680,
                          1673, 3680, 1032, 9510, 0, 0};
const SheetComboHeight kComboHeights[] = {{kDirection, 16}, {kAlong, 16}, {kAcross, 16}, {kStyle, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kCaptionDetailTemplate,
    .textSection = "Dlg_TabTextDetails",
    .helpIds = kHelpIds,
    .helpTopic = 3600,
    .clipTitle = L"Tab Text Details Dialog",
    .quietDefaults = true,
    .comboHeights = kComboHeights,
    .init = Init,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .notify = Notify,
    .destroy = Destroy,
    .cancel = Cancel,
};

}  // namespace

int CALLBACK EnumTabFontProc(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
  auto* faces = reinterpret_cast<std::vector<std::wstring>*>(list);
  if (font == nullptr || faces == nullptr) return 1;
  if ((type & TRUETYPE_FONTTYPE) == 0 || (type & DEVICE_FONTTYPE) != 0) return 1;
  const wchar_t first = font->lfFaceName[0];
  if (first == L'@' || first == L'&' || first == L'$' || first == L'\0') return 1;
  // The full name of the enumerated family.
  const auto* family = reinterpret_cast<const ENUMLOGFONTW*>(font);
  std::wstring name(family->elfFullName, wcsnlen(family->elfFullName, LF_FULLFACESIZE));
  if (name.empty()) name.assign(font->lfFaceName, wcsnlen(font->lfFaceName, LF_FACESIZE));
  if (name.size() <= 64 && std::find(faces->begin(), faces->end(), name) == faces->end()) faces->push_back(name);
  return 1;
}

INT_PTR CALLBACK CaptionDetailDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
