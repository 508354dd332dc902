#include "dproc/quality/font_settings_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/win/module_path.h"
#include "dproc/model/default_settings_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/feature_table.h"
#include "dproc/quality/font_substitution.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/startup/proc_library_entry_win.h"

namespace {

enum : int {
  kDownloadList = 1491,
  kSubstituteBox = 1492,
  kTableGroup = 1493,
  kPrinterFontLabel = 1495,
  kTable = 1496,
  kFaceEdit = 1499,
  kDeviceList = 1283,
  kSeparator = 1069,
};
constexpr uint32_t kItemHeight = 16;
// The common property-sheet item of the TrueType substitution.
constexpr BYTE kCpsuiTrueTypeItem = 8;
// A face name of the font enumeration: at most this many characters.
constexpr size_t kFaceChars = 64;

const int kLockList[] = {1490, 1491, 1492, 1493, 1494, 1495, 1497, 1498, 1499, 1500, 1283, 1032};
const DWORD kHelpIds[] = {1490, 6400, 1491, 6400, 1492, 6410, 1493, 6420, 1494, 6430, 1495, 6440,
                          1496, 6450, 1497, 6460, 1498, 6460, 1499, 6460, 1500, 6460, 1283, 6460,
                          1069, DWORD(-1), 1032, 9510, 0, 0};
const SheetComboHeight kHeights[] = {{kDownloadList, kItemHeight}, {kTable, kItemHeight}, {0, 0}};

std::wstring g_fontLibrary;
// The resident faces of the font library, read each time the dialog opens.
std::vector<XLFontEntry> g_deviceFonts;

bool OnSession(const SheetCtx* ctx) { return IsSessionPage(ctx) != FALSE; }

const wchar_t* NotUsedText() {
  if (const DispStringItem* table = DialogTextTable("Dlg_FontSetting")) {
    for (const DispStringItem* r = table; r->controlIds[0] != 0 || r->keyword[0] != '\0'; ++r) {
      if (std::strcmp(r->keyword, "PrinterFontNotUse") == 0 && r->text[0] != 0) {
        return reinterpret_cast<const wchar_t*>(r->text);
      }
    }
  }
  return L"<Not use>";
}

void ReadDeviceFonts() {
  g_deviceFonts.clear();
  wchar_t path[MAX_PATH + 64] = {};
  if (!g_fontLibrary.empty()) {
    g_fontLibrary.copy(path, MAX_PATH);
  } else if (!SiblingFilePath(g_procModules.own, L"VELDRANQ.DLL", path, MAX_PATH + 64)) {
    return;
  }
  std::vector<XLFontEntry> all;
  if (!ReadXLFontList(path, &all)) return;
  if (all.size() > kDeviceFontsOffered) all.resize(kDeviceFontsOffered);
  for (XLFontEntry& e : all) e.name[31] = '\0';  // a settings field holds 31 bytes
  g_deviceFonts = all;
}

std::string Narrow(const wchar_t* wide) {
  char text[96] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text - 1, nullptr, nullptr);
  return text;
}
std::wstring Wide(const char* narrow) {
  wchar_t text[64] = {};
  MultiByteToWideChar(CP_ACP, 0, narrow, -1, text, 63);
  return text;
}

// The TrueType faces of the system, in enumeration order, each once.
struct FaceList {
  std::vector<std::wstring> names;
  void Add(const wchar_t* name) {
    std::wstring face(name, std::min(std::wcslen(name), kFaceChars));
    if (std::find(names.begin(), names.end(), face) == names.end()) names.push_back(face);
  }
};
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
  const wchar_t first = font->lfFaceName[0];
  if ((type & TRUETYPE_FONTTYPE) != 0 && (type & DEVICE_FONTTYPE) == 0 && first != L'@' && first != L'&' &&
      first != L'$') {
    reinterpret_cast<FaceList*>(list)->Add(font->lfFaceName);
  }
  return 1;
}

const XLFontEntry* RowFont(HWND dialog, int row) {
  const LRESULT data = SendDlgItemMessageW(dialog, kTable, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<const XLFontEntry*>(data);
}
int SelectedTableRow(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageW(dialog, kTable, LB_GETCURSEL, 0, 0));
}

void FillTable(HWND dialog, const DocFields& f) {
  HWND list = GetDlgItem(dialog, kTable);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  FaceList faces;
  HDC dc = GetDC(dialog);
  EnumFontFamiliesW(dc, nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
  ReleaseDC(dialog, dc);
  for (const std::wstring& face : faces.names) {
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    if (at < 0) continue;
    const XLFontEntry* font = FindDeviceFont(g_deviceFonts.data(), g_deviceFonts.size(),
                                             StoredSubstitute(f, Narrow(face.c_str()).c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(font));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void FillDeviceList(HWND dialog) {
  HWND combo = GetDlgItem(dialog, kDeviceList);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < g_deviceFonts.size(); ++i) {
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(g_deviceFonts[i].name).c_str()));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
  }
  SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(NotUsedText()));
  SendMessageW(combo, CB_SETITEMDATA, 0, 0);
}

// The selected row's device font in 1283 and its face in 1499.
void ShowSelectedRow(HWND dialog) {
  const int row = SelectedTableRow(dialog);
  if (row < 0) return;
  HWND combo = GetDlgItem(dialog, kDeviceList);
  int pick = 0;
  if (const XLFontEntry* font = RowFont(dialog, row)) {
    const LRESULT found = SendMessageW(combo, CB_FINDSTRINGEXACT, 1, reinterpret_cast<LPARAM>(Wide(font->name).c_str()));
    if (found >= 0) pick = static_cast<int>(found);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(pick), 0);
  wchar_t face[kFaceChars + 2] = {};
  if (SendDlgItemMessageW(dialog, kTable, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) <= LRESULT(kFaceChars)) {
    SendDlgItemMessageW(dialog, kTable, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(face));
  }
  SetDlgItemTextW(dialog, kFaceEdit, face);
}

// At most 27 rows carry a device font: once they do, the device font list
// serves only the rows that already have one.
void UpdateDeviceList(HWND dialog, SheetCtx* ctx) {
  if (OnSession(ctx)) {
    const int rows = static_cast<int>(SendDlgItemMessageW(dialog, kTable, LB_GETCOUNT, 0, 0));
    int carrying = 0;
    for (int i = 0; i < rows; ++i) {
      const XLFontEntry* font = RowFont(dialog, i);
      if (font != nullptr && font->name[0] != '\0') ++carrying;
    }
    const int row = SelectedTableRow(dialog);
    const bool may = carrying < int(kFontSubEntries) || (row >= 0 && RowFont(dialog, row) != nullptr);
    EnableWindow(GetDlgItem(dialog, kDeviceList), may);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// A plug-in host shows the download method and the substitution switch
// only: the table's controls go and the dialog closes up over them.
void CloseUpTable(HWND dialog) {
  RECT group, separator;
  GetWindowRect(GetDlgItem(dialog, kTableGroup), &group);
  GetWindowRect(GetDlgItem(dialog, kSeparator), &separator);
  const int distance = separator.top - group.top;
  for (int id : {int(kSeparator), int(IDOK), int(IDCANCEL), 1032, 9}) {
    HWND control = GetDlgItem(dialog, id);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left, r.top - distance, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
  }
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - distance,
               SWP_NOMOVE | SWP_NOZORDER);
  for (int id : {1493, 1494, 1495, 1496, 1497, 1498, 1500, 1499}) ShowEnableCtrl(dialog, id, FALSE);
}

bool OfferedOnSession(const OptionHead* row) {
  return row->value != 0 && _strnicmp(row->keyword, "NativeTTDownload", sizeof row->keyword) != 0;
}

void ShowSwitches(HWND dialog, const DocFields& f) {
  SelectOptionRow(dialog, kDownloadList, f.nFontDownLoad);
  CheckDlgButton(dialog, kSubstituteBox, f.nTTFont == 0 ? BST_CHECKED : BST_UNCHECKED);
}

void Init(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (!OnSession(ctx)) CloseUpTable(dialog);
  ReadDeviceFonts();
  FillOptionRows(dialog, kDownloadList, FindOptionTable("FontDownload"), OnSession(ctx) ? OfferedOnSession : nullptr);
  if (doc == nullptr) return;
  if (OnSession(ctx)) {
    FillTable(dialog, Fields(*doc));
    FillDeviceList(dialog);
  }
  SendDlgItemMessageW(dialog, kTable, LB_SETCURSEL, 0, 0);
  ShowSwitches(dialog, Fields(*doc));
  ShowSelectedRow(dialog);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id == kDeviceList && code == CBN_SELENDOK) {
    const int pick = static_cast<int>(SendDlgItemMessageW(dialog, kDeviceList, CB_GETCURSEL, 0, 0));
    const int row = SelectedTableRow(dialog);
    if (pick >= 0 && row >= 0) {
      const XLFontEntry* font = nullptr;
      if (pick > 0) {
        const size_t index = static_cast<size_t>(SendDlgItemMessageW(dialog, kDeviceList, CB_GETITEMDATA, pick, 0));
        if (index < g_deviceFonts.size()) font = &g_deviceFonts[index];
      }
      SendDlgItemMessageW(dialog, kTable, LB_SETITEMDATA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(font));
      InvalidateRect(GetDlgItem(dialog, kTable), nullptr, TRUE);
    }
    UpdateDeviceList(dialog, ctx);
    return true;
  }
  if (id == kTable && code == LBN_SELCHANGE) {
    ShowSelectedRow(dialog);
    UpdateDeviceList(dialog, ctx);
    return true;
  }
  return false;
}

bool ReadSubstitute(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return false;
  Fields(*doc).nTTFont = IsDlgButtonChecked(dialog, kSubstituteBox) == BST_CHECKED ? 0 : 1;
  return true;
}
void ShowSubstitute(HWND dialog, SheetCtx* ctx) {
  if (const DocDMode* doc = GetPrivDevMode(ctx)) {
    CheckDlgButton(dialog, kSubstituteBox, Fields(*doc).nTTFont == 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return true;
  DocFields& f = Fields(*doc);
  if (const OptionHead* row = SelectedOptionHead(dialog, kDownloadList)) f.nFontDownLoad = static_cast<uint8_t>(row->value);
  ReadSubstitute(dialog, ctx);
  if (!OnSession(ctx)) {
    SetCpsuiItemSel(ctx, kCpsuiTrueTypeItem, f.nTTFont != 0 ? 1 : 0);
    return true;
  }
  const int rows = static_cast<int>(SendDlgItemMessageW(dialog, kTable, LB_GETCOUNT, 0, 0));
  std::vector<std::string> faces;
  std::vector<FontSubstitutionRow> table;
  faces.reserve(static_cast<size_t>(std::max(rows, 0)));
  for (int i = 0; i < rows; ++i) {
    wchar_t face[kFaceChars + 2] = {};
    if (SendDlgItemMessageW(dialog, kTable, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) > LRESULT(kFaceChars)) continue;
    SendDlgItemMessageW(dialog, kTable, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(face));
    const XLFontEntry* font = RowFont(dialog, i);
    faces.push_back(Narrow(face));
    table.push_back({faces.back().c_str(), font != nullptr ? font->name : nullptr});
  }
  RebuildFontSubstitution(table.data(), table.size(), g_deviceFonts.data(), g_deviceFonts.size(), f);
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (doc == nullptr || !CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*doc);
  const DocFields& d = Fields(defaults);
  f.nTTFont = d.nTTFont;
  f.nFontDownLoad = d.nFontDownLoad;
  ClearFontSubstitution(f);
  for (size_t i = 0; i < std::min<size_t>(d.SubFontEntryNum, kFontSubEntries); ++i) {
    AddFontSubstitution(f, d.SubTTFontName[i], d.SubDevFontNumber[i], d.SubDevFontName[i]);
  }
  if (OnSession(ctx)) {
    const int row = SelectedTableRow(dialog);
    FillTable(dialog, f);
    const int rows = static_cast<int>(SendDlgItemMessageW(dialog, kTable, LB_GETCOUNT, 0, 0));
    SendDlgItemMessageW(dialog, kTable, LB_SETCURSEL, static_cast<WPARAM>(row >= 0 && row < rows ? row : 0), 0);
  }
  ShowSwitches(dialog, f);
  ShowSelectedRow(dialog);
}

// A row of the substitution table: the face, and at the printer font
// label's place its device font or the "not used" text.
void DrawTableRow(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1) || (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) {
    if (item->itemAction == ODA_FOCUS) DrawItemFocus(item);
    return;
  }
  DrawItemBackground(item);
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  SetBkMode(item->hDC, TRANSPARENT);
  const int quarter = LOWORD(GetDialogBaseUnits()) / 4;
  wchar_t face[kFaceChars + 2] = {};
  if (SendMessageW(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0) <= LRESULT(kFaceChars)) {
    SendMessageW(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(face));
  }
  RECT r = item->rcItem;
  r.left += quarter;
  DrawTextW(item->hDC, face, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  RECT label;
  GetWindowRect(GetDlgItem(dialog, kPrinterFontLabel), &label);
  MapWindowPoints(nullptr, item->hwndItem, reinterpret_cast<POINT*>(&label), 2);
  r.left = label.left + quarter;
  const auto* font = reinterpret_cast<const XLFontEntry*>(item->itemData);
  const std::wstring device = font != nullptr ? Wide(font->name) : std::wstring(NotUsedText());
  DrawTextW(item->hDC, device.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item->itemState & ODS_FOCUS) != 0) DrawItemFocus(item);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == kDownloadList) {
    DrawOptionRowItem(item);
    return true;
  }
  if (item->CtlID == kTable) {
    DrawTableRow(dialog, item);
    return true;
  }
  return false;
}

void EnableRules(HWND dialog, SheetCtx* ctx) { UpdateDeviceList(dialog, ctx); }

const DialogBinding kBindings[] = {
    {kDownloadList, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nFontDownLoad), 1},
    {kSubstituteBox, BN_CLICKED, BindKind::kCustom, DOC_FIELD_AT(nTTFont), 1, 0, ReadSubstitute, ShowSubstitute},
    {},
};

const DocumentDialog kDialog = {
    .templateId = kFontSettingsTemplate,
    .textSection = "Dlg_FontSetting",
    .helpIds = kHelpIds,
    .helpTopic = 6350,
    .clipTitle = L"Font Setting Dialog",
    .bindings = kBindings,
    .comboHeights = kHeights,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

}  // namespace

void SetFontLibraryPathForDialog(const wchar_t* path) { g_fontLibrary = path != nullptr ? path : L""; }

INT_PTR CALLBACK FontSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
