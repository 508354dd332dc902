// The Date / Time / Page Edit dialog: the date/time stamp (on, its pages,
// colour and position, with a sample of its format) and the page number
// stamp (on, the first page numbered and its number, the covers, colour and
// position).  Template 2055 has all of it; the short template 191 only the
// switches, the date's pages, the two numbers and the covers.  The two
// switches, the colours and the numbers are checked as they change; the
// pages, positions and covers are taken at OK.

#include "dproc/watermark/stamp_dialogs_win.h"

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "dproc/constraints/constraint_pass_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/watermark/copy_protect_rules.h"
#include "dproc/watermark/date_time_format_dialog_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

enum : int {
  kDateFrame = 1703,
  kPageFrame = 1704,
  kDateBox = 2237,
  kFormatLabel = 2058,
  kFormatSample = 2059,
  kFormatButton = 2060,
  kDatePagesLabel = 1041,
  kDatePages = 2238,
  kDateColourLabel = 2063,
  kDateColour = 2064,
  kDatePlaceLabel = 2065,
  kDatePlace = 2066,
  kPageBox = 2239,
  kStartPageLabel = 1604,
  kStartPage = 2240,
  kStartPageSpin = 1376,
  kStartPageRange = 1390,
  kStartNumLabel = 1606,
  kStartNum = 2241,
  kStartNumSpin = 1378,
  kStartNumRange = 1392,
  kCoverBox = 2077,
  kCovers = 1051,
  kPageColourLabel = 2079,
  kPageColour = 2080,
  kPagePlaceLabel = 2081,
  kPagePlace = 2082,
};
constexpr uint32_t kLowest = 1, kHighest = 99999;
constexpr int kSampleChars = 32;

const DWORD kHelpIds[] = {2055, 4400, 191, 4400, 2237, 4410, 2058, 4420, 2059, 4420, 2060, 4430, 1041, 4440,
                          2238, 4440, 2063, 4450, 2064, 4450, 2065, 4460, 2066, 4460, 2239, 4500, 1604, 4510,
                          2240, 4510, 1376, 4510, 1390, 4510, 1606, 4520, 2241, 4520, 1378, 4520, 1392, 4520,
                          2077, 4530, 1051, 4530, 2079, 4540, 2080, 4540, 2081, 4550, 2082, 4550, 1032, 9510,
                          1703, DWORD(-1), 1704, DWORD(-1), 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1),
                          0, 0};
const int kLockList[] = {1703, 2237, 2058, 2059, 1041, 2238, 2063, 2064, 2065, 2066, 1704, 2239, 1604,
                         2240, 1376, 1390, 1606, 2241, 1378, 1392, 2077, 1051, 2079, 2080, 2081, 2082, 1032};
const SheetComboHeight kComboHeights[] = {
    {kDateColour, 20}, {kPageColour, 20}, {kDatePlace, 32}, {kPagePlace, 32}, {0, 0}};

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

bool IsFull(HWND dialog) { return GetDlgItem(dialog, kFormatSample) != nullptr; }
uint32_t TemplateOf(HWND dialog) { return IsFull(dialog) ? kDateTimePageFullTemplate : kDateTimePageShortTemplate; }

// The edit's number when it reads as 1 to 99999.
bool ReadNumber(HWND dialog, int id, uint32_t* out) {
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, id, text, 16);
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0' || text[0] == L'-' || value < kLowest || value > kHighest) return false;
  *out = static_cast<uint32_t>(value);
  return true;
}

// The edits show their numbers; while they do, their changes are no edits
// of the user.
bool g_showing = false;
void ShowNumber(HWND dialog, int id, uint32_t value) {
  g_showing = true;
  SetDlgItemInt(dialog, id, value, FALSE);
  g_showing = false;
}

// Keeps the digits of the text and takes a number of 1 to 99999.
bool TakeNumber(HWND dialog, int id, uint32_t* field) {
  if (g_showing) return false;
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, id, text, 16);
  SetDlgItemNumberText(dialog, id, text, FALSE, FALSE);
  uint32_t value = 0;
  if (!ReadNumber(dialog, id, &value)) return false;
  *field = value;
  return true;
}
bool ReadStartPage(HWND dialog, SheetCtx* ctx) {
  return TakeNumber(dialog, kStartPage, &F(ctx).DateTimePageNo_nPN_StartPage);
}
bool ReadStartNum(HWND dialog, SheetCtx* ctx) { return TakeNumber(dialog, kStartNum, &F(ctx).DateTimePageNo_nPN_StartNum); }
void ShowStartPage(HWND dialog, SheetCtx* ctx) { ShowNumber(dialog, kStartPage, F(ctx).DateTimePageNo_nPN_StartPage); }
void ShowStartNum(HWND dialog, SheetCtx* ctx) { ShowNumber(dialog, kStartNum, F(ctx).DateTimePageNo_nPN_StartNum); }

// The lists taken at OK, and the cover switch.
void ShowTakenAtOk(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  SelectOptionRow(dialog, kDatePages, static_cast<uint32_t>(f.DateTimePageNo_nDT_PagetoPrint));
  SelectOptionRow(dialog, kDatePlace, static_cast<uint32_t>(f.DateTimePageNo_nDT_Position));
  SelectOptionRow(dialog, kCovers, static_cast<uint32_t>(f.DateTimePageNo_nPN_PrintCover));
  SelectOptionRow(dialog, kPagePlace, static_cast<uint32_t>(f.DateTimePageNo_nPN_PrintNumPos));
  CheckDlgButton(dialog, kCoverBox, f.DateTimePageNo_bPN_PrintCoverCK != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void ShowSample(HWND dialog, SheetCtx* ctx) {
  if (!IsFull(dialog)) return;
  wchar_t sample[kSampleChars] = {};
  StoredDateTimeSample(*GetPrivDevMode(ctx), kDateTimeTargetDatePage, sample, kSampleChars);
  SetDlgItemTextW(dialog, kFormatSample, sample);
}

// A control and its label enabled by the feature table when `on`.
void EnableWithLabel(HWND dialog, uint32_t page, int id, int label, bool on) {
  const int result = EnableCtrlByFeature(dialog, page, static_cast<uint32_t>(id), on ? 1 : 0);
  if (label != 0) EnableCtrlIfVisible(GetDlgItem(dialog, label), result != 0 ? TRUE : FALSE);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  const uint32_t page = TemplateOf(dialog);
  const bool date = f.DateTimePageNo_bDateTime != 0;
  const bool number = f.DateTimePageNo_bPageNo != 0;
  ShowSample(dialog, ctx);
  if (IsFull(dialog)) {
    EnableWithLabel(dialog, page, kFormatSample, kFormatLabel, date);
    EnableWithLabel(dialog, page, kFormatButton, 0, date);
    EnableWithLabel(dialog, page, kDateColour, kDateColourLabel, date);
    EnableWithLabel(dialog, page, kDatePlace, kDatePlaceLabel, date);
    EnableWithLabel(dialog, page, kPageColour, kPageColourLabel, number);
    EnableWithLabel(dialog, page, kPagePlace, kPagePlaceLabel, number);
  }
  EnableWithLabel(dialog, page, kDatePages, kDatePagesLabel, date);
  for (int id : {kStartPageLabel, kStartPageSpin, kStartPageRange, kStartNumLabel, kStartNumSpin, kStartNumRange}) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), number ? TRUE : FALSE);
  }
  EnableWithLabel(dialog, page, kStartPage, 0, number);
  EnableWithLabel(dialog, page, kStartNum, 0, number);
  EnableWithLabel(dialog, page, kCoverBox, 0, number);
  EnableWindow(GetDlgItem(dialog, kCovers),
               number && IsWindowEnabled(GetDlgItem(dialog, kCoverBox)) && IsDlgButtonChecked(dialog, kCoverBox) == BST_CHECKED
                   ? TRUE
                   : FALSE);
  // The stamps' colours are the device's own.
  for (int id : {kDateColourLabel, kDateColour, kPageColourLabel, kPageColour}) ShowEnableCtrl(dialog, id, FALSE);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void Init(HWND dialog, SheetCtx*) {
  for (int id : {kStartPage, kStartNum}) SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 5, 0);
  for (int id : {kStartPageSpin, kStartNumSpin}) {
    SendDlgItemMessageW(dialog, id, UDM_SETBASE, 10, 0);
    SendDlgItemMessageW(dialog, id, UDM_SETRANGE32, kLowest, kHighest);
  }
  FillOptionRowsByName(dialog, kDatePages, "DPE_DateTimePagetoPrint");
  FillOptionRowsByName(dialog, kCovers, "DPE_PageNumPrintCover");
  if (IsFull(dialog)) {
    FillOptionRowsByName(dialog, kDateColour, "DPE_DateTimeColor");
    FillOptionRowsByName(dialog, kDatePlace, "DPE_DateTimePosition");
    FillOptionRowsByName(dialog, kPageColour, "DPE_PageNumColor");
    FillOptionRowsByName(dialog, kPagePlace, "DPE_PageNumPosition");
  }
}

void Started(HWND dialog, SheetCtx* ctx) { ShowTakenAtOk(dialog, ctx); }

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id == kFormatButton && code == BN_CLICKED) {
    // The format dialog edits the date/time stamp's formats; its Cancel
    // puts back its own copy, this dialog's Cancel the whole record.
    SetDateTimeTarget(ctx, kDateTimeTargetDatePage);
    if (RunSheetDialog(dialog, kDateTimeFormatTemplate, DateTimeFormatDlgProc, reinterpret_cast<LPARAM>(ctx)) ==
        IDOK) {
      EnableRules(dialog, ctx);
    }
    return true;
  }
  if (id == kCoverBox && code == BN_CLICKED) {
    // The cover list follows the switch; both are taken at OK.
    uint32_t value = 0;
    if (SelectedOptionValue(dialog, kCovers, &value)) F(ctx).DateTimePageNo_nPN_PrintCover = static_cast<int16_t>(value);
    EnableRules(dialog, ctx);
    return true;
  }
  return false;
}

// A visible list's value; a hidden list keeps the field (the user cannot
// change it).  False, with the focus on the list, when it has no selection.
template <typename T>
bool TakeList(HWND dialog, int id, T* field) {
  HWND list = GetDlgItem(dialog, id);
  if (list == nullptr || !IsWindowVisible(list)) return true;
  uint32_t value = 0;
  if (!SelectedOptionValue(dialog, id, &value)) {
    SetFocus(list);
    return false;
  }
  *field = static_cast<T>(value);
  return true;
}

bool TakeEdit(HWND dialog, int id, uint32_t* field) {
  uint32_t value = 0;
  if (!ReadNumber(dialog, id, &value)) {
    SetFocus(GetDlgItem(dialog, id));
    return false;
  }
  *field = value;
  return true;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  const bool full = IsFull(dialog);
  f.DateTimePageNo_bDateTime = IsDlgButtonChecked(dialog, kDateBox) == BST_CHECKED ? 1 : 0;
  if (!TakeList(dialog, kDatePages, &f.DateTimePageNo_nDT_PagetoPrint)) return false;
  if (full && !TakeList(dialog, kDateColour, &f.DateTimePageNo_nDT_Color)) return false;
  if (full && !TakeList(dialog, kDatePlace, &f.DateTimePageNo_nDT_Position)) return false;
  f.DateTimePageNo_bPageNo = IsDlgButtonChecked(dialog, kPageBox) == BST_CHECKED ? 1 : 0;
  if (!TakeEdit(dialog, kStartPage, &f.DateTimePageNo_nPN_StartPage)) return false;
  if (!TakeEdit(dialog, kStartNum, &f.DateTimePageNo_nPN_StartNum)) return false;
  f.DateTimePageNo_bPN_PrintCoverCK = IsDlgButtonChecked(dialog, kCoverBox) == BST_CHECKED ? 1 : 0;
  if (!TakeList(dialog, kCovers, &f.DateTimePageNo_nPN_PrintCover)) return false;
  if (full && !TakeList(dialog, kPageColour, &f.DateTimePageNo_nPN_PrintNumColor)) return false;
  if (full && !TakeList(dialog, kPagePlace, &f.DateTimePageNo_nPN_PrintNumPos)) return false;
  return true;
}

// The stamps' fields as the defaults have them; the date and time formats
// stay.
void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const DocFields& d = Fields(defaults);
  f.DateTimePageNo_bDateTime = d.DateTimePageNo_bDateTime;
  f.DateTimePageNo_nDT_PagetoPrint = d.DateTimePageNo_nDT_PagetoPrint;
  f.DateTimePageNo_nDT_Color = d.DateTimePageNo_nDT_Color;
  f.DateTimePageNo_nDT_Position = d.DateTimePageNo_nDT_Position;
  f.DateTimePageNo_bPageNo = d.DateTimePageNo_bPageNo;
  f.DateTimePageNo_nPN_StartPage = d.DateTimePageNo_nPN_StartPage;
  f.DateTimePageNo_nPN_StartNum = d.DateTimePageNo_nPN_StartNum;
  f.DateTimePageNo_bPN_PrintCoverCK = d.DateTimePageNo_bPN_PrintCoverCK;
  f.DateTimePageNo_nPN_PrintCover = d.DateTimePageNo_nPN_PrintCover;
  f.DateTimePageNo_nPN_PrintNumColor = d.DateTimePageNo_nPN_PrintNumColor;
  f.DateTimePageNo_nPN_PrintNumPos = d.DateTimePageNo_nPN_PrintNumPos;
  ShowTakenAtOk(dialog, ctx);
}

// A colour: its 16 x 16 cell and text; a position: its 32 x 32 picture and
// text; a row the rules refuse: its stop icon and text.
bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  const int id = static_cast<int>(item->CtlID);
  const bool colour = id == kDateColour || id == kPageColour;
  const bool place = id == kDatePlace || id == kPagePlace;
  if (!colour && !place) return false;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return true;
  }
  if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
    const wchar_t* text = row != nullptr ? OptionRowDisplayText(row) : L"";
    HMODULE images = DialogFrameworkModules().images;
    if (row == nullptr) {
    } else if ((item->itemState & ODS_COMBOBOXEDIT) != 0) {
      // The closed list's field is too low for the picture.
      DrawIconText(item, 0, text);
    } else if (row->flag != 0) {
      DrawIconText(item, static_cast<int>(row->iconId), text);
    } else if (colour) {
      DrawBitmapText(item, images, StampColourBitmap(row->value), kStampColourMask, 0, text, 16, 16);
    } else {
      DrawBitmapText(item, images, 1064, 1065, static_cast<int>(row->value) - 1, text, 32, 32);
    }
  }
  if (item->itemAction == ODA_FOCUS || (item->itemState & ODS_FOCUS) != 0) DrawItemFocus(item);
  (void)dialog;
  return true;
}

const DialogBinding kBindings[] = {
    {kDateBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(DateTimePageNo_bDateTime), 1},
    {kPageBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(DateTimePageNo_bPageNo), 1},
    {kDateColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(DateTimePageNo_nDT_Color), 2},
    {kPageColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(DateTimePageNo_nPN_PrintNumColor), 2},
    {kStartPage, EN_CHANGE, BindKind::kCustom, DOC_FIELD_AT(DateTimePageNo_nPN_StartPage), 4, 0, ReadStartPage,
     ShowStartPage},
    {kStartNum, EN_CHANGE, BindKind::kCustom, DOC_FIELD_AT(DateTimePageNo_nPN_StartNum), 4, 0, ReadStartNum,
     ShowStartNum},
    {},
};

constexpr DocumentDialog Describe(uint16_t templateId) {
  return {
      .templateId = templateId,
      .textSection = "Dlg_DateTimePageEdit",
      .helpIds = kHelpIds,
      .helpTopic = 4400,
      .clipTitle = L"Date / Time / Page Edit Dialog",
      .bindings = kBindings,
      .comboHeights = kComboHeights,
      .init = Init,
      .started = Started,
      .enableRules = EnableRules,
      .command = Command,
      .ok = Ok,
      .defaults = Defaults,
      .drawItem = DrawItem,
  };
}
const DocumentDialog kFull = Describe(kDateTimePageFullTemplate);
const DocumentDialog kShort = Describe(kDateTimePageShortTemplate);

}  // namespace

uint16_t DateTimePageTemplate() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[kMfDateTimePageType] == 1 ? kDateTimePageFullTemplate
                                                                       : kDateTimePageShortTemplate;
}

INT_PTR CALLBACK DateTimePageEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // The two templates differ in the format sample, which only the full one has.
  return RunDocumentDialog(GetDlgItem(dialog, kFormatSample) != nullptr ? kFull : kShort, dialog, message, wParam,
                           lParam);
}
