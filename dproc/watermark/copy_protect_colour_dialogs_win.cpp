// The colour dialogs of the copy-protect method page: the hidden pattern's
// colour, density and contrast (2090) and the stamp's colour and density
// (2103).  A density or contrast is taken as it is typed when it lies in its
// range; OK refuses one outside it with a word about the range.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <iterator>

#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"

namespace {

// A value with its trackbar, edit and arrows, and its range.
struct Scale {
  int track, edit, spin;
  int low, high;
  uint32_t at;  // int16 in the settings
  int rangeRow;  // the message row that names the range
};

const Scale kPatternScales[] = {
    {2094, 2095, 2096, -1, 1, DOC_FIELD_AT(nCPE_CP_Density), 94},
    {2100, 2101, 2102, -2, 2, DOC_FIELD_AT(nCPE_CP_Contrast), 95},
};
const Scale kStampScales[] = {
    {2108, 2109, 2110, -1, 1, DOC_FIELD_AT(nCPE_SS_Density), 94},
};
constexpr int kPatternColourList = 2092, kStampColourList = 2105;

int16_t& FieldOf(SheetCtx* ctx, const Scale& s) {
  return *reinterpret_cast<int16_t*>(reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx)) + s.at);
}

void ShowScale(HWND dialog, SheetCtx* ctx, const Scale& s) {
  const int16_t value = FieldOf(ctx, s);
  SendDlgItemMessageW(dialog, s.track, TBM_SETPOS, TRUE, value);
  SendDlgItemMessageW(dialog, s.spin, UDM_SETPOS32, 0, value);
  SetDlgItemInt(dialog, s.edit, static_cast<UINT>(static_cast<int>(value)), TRUE);
}

void InitScale(HWND dialog, SheetCtx* ctx, const Scale& s) {
  SendDlgItemMessageW(dialog, s.edit, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageW(dialog, s.spin, UDM_SETBASE, 10, 0);
  SendDlgItemMessageW(dialog, s.spin, UDM_SETRANGE32, static_cast<WPARAM>(s.low), static_cast<LPARAM>(s.high));
  SendDlgItemMessageW(dialog, s.track, TBM_SETRANGEMIN, FALSE, s.low);
  SendDlgItemMessageW(dialog, s.track, TBM_SETRANGEMAX, TRUE, s.high);
  ShowScale(dialog, ctx, s);
}

// The edit's value when it holds a whole number within the range.
bool ReadScale(HWND dialog, const Scale& s, int* out) {
  wchar_t text[8] = {};
  GetDlgItemTextW(dialog, s.edit, text, 8);
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || value < s.low || value > s.high) return false;
  *out = static_cast<int>(value);
  return true;
}

// Typing: the text is cut at its first character that is no digit or sign;
// a value in the range is taken and the trackbar follows.
bool ScaleCommand(HWND dialog, SheetCtx* ctx, const Scale* scales, size_t count, int id, int code) {
  for (size_t i = 0; i < count; ++i) {
    const Scale& s = scales[i];
    if (id != s.edit) continue;
    if (code == EN_CHANGE) {
      wchar_t text[8] = {};
      GetDlgItemTextW(dialog, s.edit, text, 8);
      SetDlgItemNumberText(dialog, s.edit, text, TRUE, FALSE);
      int value = 0;
      if (ReadScale(dialog, s, &value)) {
        FieldOf(ctx, s) = static_cast<int16_t>(value);
        SendDlgItemMessageW(dialog, s.track, TBM_SETPOS, TRUE, value);
      }
    }
    return true;
  }
  return false;
}

// A trackbar moved: its arrows take the position, and with them the edit.
bool ScaleScroll(HWND dialog, const Scale* scales, size_t count, UINT message, LPARAM lParam) {
  if (message != WM_HSCROLL || lParam == 0) return false;
  for (size_t i = 0; i < count; ++i) {
    const Scale& s = scales[i];
    if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, s.track)) continue;
    const LRESULT pos = SendDlgItemMessageW(dialog, s.track, TBM_GETPOS, 0, 0);
    SendDlgItemMessageW(dialog, s.spin, UDM_SETPOS32, 0, pos);
    SetDlgItemInt(dialog, s.edit, static_cast<UINT>(static_cast<int>(pos)), TRUE);
    return true;
  }
  return false;
}

// OK's check of the values typed: the first outside its range is named, with
// the focus on it.
bool ScalesInRange(HWND dialog, SheetCtx* ctx, const Scale* scales, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const Scale& s = scales[i];
    int value = 0;
    if (!ReadScale(dialog, s, &value)) {
      const char16_t* range = DialogText(kMessageStr, static_cast<uint32_t>(s.rangeRow));
      if (range != nullptr && range[0] != 0) {
        ShowMessageBox(dialog, 1, 2, s.rangeRow, MB_ICONEXCLAMATION | MB_OK, s.low, s.high);
      }
      SetFocusCtrl(dialog, s.edit);
      return false;
    }
    FieldOf(ctx, s) = static_cast<int16_t>(value);
  }
  return true;
}

void LockScales(HWND dialog, SheetCtx* ctx, const int* ids, size_t count) {
  if (CanChangeDocSettings(ctx)) return;
  for (size_t i = 0; i < count; ++i) EnableWindow(GetDlgItem(dialog, ids[i]), FALSE);
}

bool DrawColour(const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) return true;
  DrawItemBackground(item);
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  if (row != nullptr) {
    const wchar_t* text = OptionRowDisplayText(row);
    if (row->flag != 0) {
      DrawIconText(item, static_cast<int>(row->iconId), text);
    } else {
      DrawBitmapText(item, DialogFrameworkModules().images, StampColourBitmap(row->value), kStampColourMask, 0, text,
                     16, 16);
    }
  }
  if ((item->itemState & (ODS_FOCUS | ODS_SELECTED)) != 0) DrawItemFocus(item);
  return true;
}

// ------------------------------------------------------- pattern colour

const DWORD kPatternHelpIds[] = {2091, 4932, 2092, 4932, 2093, 5810, 2094, 5810, 2095, 5810, 2096, 5810,
                                 2097, 5810, 2098, 5810, 2099, 5820, 2100, 5820, 2101, 5820, 2102, 5820,
                                 2120, 5820, 2121, 5820, 1069, DWORD(-1), 1032, 9510, 0, 0};
const int kPatternLockList[] = {2091, 2092, 2093, 2094, 2095, 2096, 2097, 2098, 2099,
                                2100, 2101, 2102, 2120, 2121, 1032};
const SheetComboHeight kPatternHeights[] = {{kPatternColourList, 20}, {0, 0}};

void PatternShow(HWND dialog, SheetCtx* ctx) {
  SelectOptionRow(dialog, kPatternColourList, static_cast<uint32_t>(Fields(*GetPrivDevMode(ctx)).nCPE_CP_Color));
  for (const Scale& s : kPatternScales) ShowScale(dialog, ctx, s);
}

void PatternInit(HWND dialog, SheetCtx* ctx) {
  FillOptionRowsByName(dialog, kPatternColourList, "CPE_CP_Color/Edit");
  for (const Scale& s : kPatternScales) InitScale(dialog, ctx, s);
  PatternShow(dialog, ctx);
}

void PatternRules(HWND dialog, SheetCtx* ctx) {
  LockScales(dialog, ctx, kPatternLockList, std::size(kPatternLockList));
}

bool PatternCommand(HWND dialog, SheetCtx* ctx, int id, int code) {
  return ScaleCommand(dialog, ctx, kPatternScales, std::size(kPatternScales), id, code);
}

bool PatternOk(HWND dialog, SheetCtx* ctx) {
  uint32_t colour = 0;
  if (!SelectedOptionValue(dialog, kPatternColourList, &colour)) {
    SetFocusCtrl(dialog, kPatternColourList);
    return false;
  }
  Fields(*GetPrivDevMode(ctx)).nCPE_CP_Color = static_cast<int16_t>(colour);
  return ScalesInRange(dialog, ctx, kPatternScales, std::size(kPatternScales));
}

void PatternDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const DocFields& d = Fields(defaults);
  f.nCPE_CP_Color = d.nCPE_CP_Color;
  f.nCPE_CP_Density = d.nCPE_CP_Density;
  f.nCPE_CP_Contrast = d.nCPE_CP_Contrast;
  PatternShow(dialog, ctx);
}

bool PatternDraw(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  return item->CtlID == static_cast<UINT>(kPatternColourList) && DrawColour(item);
}

bool PatternOther(HWND dialog, SheetCtx*, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (!ScaleScroll(dialog, kPatternScales, std::size(kPatternScales), message, lParam)) return false;
  *result = TRUE;
  return true;
}

const DocumentDialog kPatternDialog = {
    .templateId = kPatternColourTemplate,
    .textSection = "Dlg_CPE_CP_ColorSetting",
    .helpIds = kPatternHelpIds,
    .helpTopic = 5800,
    .clipTitle = L"Copy Protect Color Setting Dialog",
    .comboHeights = kPatternHeights,
    .init = PatternInit,
    .enableRules = PatternRules,
    .command = PatternCommand,
    .ok = PatternOk,
    .defaults = PatternDefaults,
    .drawItem = PatternDraw,
    .other = PatternOther,
};

// --------------------------------------------------------- stamp colour

const DWORD kStampHelpIds[] = {2104, 4972, 2105, 4972, 2106, 5860, 2108, 5860, 2109, 5860, 2110, 5860,
                               2111, 5860, 2112, 5860, 1069, DWORD(-1), 1032, 9510, 0, 0};
const int kStampLockList[] = {2104, 2105, 2106, 2108, 2109, 2110, 2111, 2112, 1032};
const SheetComboHeight kStampHeights[] = {{kStampColourList, 20}, {0, 0}};

void StampInit(HWND dialog, SheetCtx* ctx) {
  FillOptionRowsByName(dialog, kStampColourList, "CPE_SS_Color/Edit");
  for (const Scale& s : kStampScales) InitScale(dialog, ctx, s);
}

void StampRules(HWND dialog, SheetCtx* ctx) { LockScales(dialog, ctx, kStampLockList, std::size(kStampLockList)); }

bool StampCommand(HWND dialog, SheetCtx* ctx, int id, int code) {
  return ScaleCommand(dialog, ctx, kStampScales, std::size(kStampScales), id, code);
}

bool StampOk(HWND dialog, SheetCtx* ctx) {
  uint32_t colour = 0;
  if (!SelectedOptionValue(dialog, kStampColourList, &colour)) {
    SetFocusCtrl(dialog, kStampColourList);
    return false;
  }
  return ScalesInRange(dialog, ctx, kStampScales, std::size(kStampScales));
}

void StampDefaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  f.nCPE_SS_Color = Fields(defaults).nCPE_SS_Color;
  f.nCPE_SS_Density = Fields(defaults).nCPE_SS_Density;
  for (const Scale& s : kStampScales) ShowScale(dialog, ctx, s);
}

bool StampDraw(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  return item->CtlID == static_cast<UINT>(kStampColourList) && DrawColour(item);
}

bool StampOther(HWND dialog, SheetCtx*, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (!ScaleScroll(dialog, kStampScales, std::size(kStampScales), message, lParam)) return false;
  *result = TRUE;
  return true;
}

// The colour takes effect as it is chosen, through the constraint rules.
const DialogBinding kStampBindings[] = {
    {kStampColourList, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nCPE_SS_Color), 2},
    {},
};

const DocumentDialog kStampDialog = {
    .templateId = kStampColourTemplate,
    .textSection = "Dlg_CPE_SS_ColorSetting",
    .helpIds = kStampHelpIds,
    .helpTopic = 5850,
    .clipTitle = L"Stamp Color Setting Dialog",
    .bindings = kStampBindings,
    .comboHeights = kStampHeights,
    .init = StampInit,
    .enableRules = StampRules,
    .command = StampCommand,
    .ok = StampOk,
    .defaults = StampDefaults,
    .drawItem = StampDraw,
    .other = StampOther,
};

}  // namespace

INT_PTR CALLBACK UCopyColorAdjustDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPatternDialog, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK PspColorAdjustDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kStampDialog, dialog, message, wParam, lParam);
}
