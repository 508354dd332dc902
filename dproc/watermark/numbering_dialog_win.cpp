// The Numbering dialog: what carries the number (a stamp or a watermark),
// on which pages, how dark, and the number the first page gets.  The lists
// take their values as they change; the start number is checked when the
// edit loses the focus and taken at OK, within the model's range.

#include "dproc/watermark/stamp_dialogs_win.h"

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "common/text/safe_format.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/watermark/stamp_rules.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"

namespace {

enum : int {
  kTypeLabel = 1705,
  kType = 1706,
  kPagesLabel = 1710,
  kPages = 1708,
  kColourLabel = 1717,
  kColour = 1039,
  kDensityLabel = 2341,
  kDensity = 2342,
  kStartLabel = 1712,
  kStart = 1714,
  kStartSpin = 1715,
  kStartRange = 1716,
};
constexpr uint16_t kHintPage = 193;
constexpr int kRangeChars = 48;

const DWORD kHelpIds[] = {1705, 5440, 1706, 5440, 1710, 5420, 1708, 5420, 1712, 5430, 1714, 5430,
                          1715, 5430, 1716, 5430, 2341, 5445, 2342, 5445, 1032, 9510, 1015, DWORD(-1),
                          1016, DWORD(-1), 1069, DWORD(-1), 0, 0};
const int kLockList[] = {1705, 1706, 1710, 1708, 1717, 1039, 2341, 2342, 1712, 1714, 1715, 1716, 1579, 1032};
const SheetComboHeight kComboHeights[] = {{kType, 16}, {kPages, 16}, {kColour, 16}, {kDensity, 16}, {0, 0}};

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

bool Flag(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}

NumberingRange Range() { return NumberingStartRangeOf(ProcessModelInfo()); }

// The range label: the description's text for it as a format of the two
// ends, or the ends in brackets.
void ShowRange(HWND dialog, const NumberingRange& range) {
  const char16_t* format = u"[%d...%d]";
  if (const DispStringItem* table = DialogTextTable("Dlg_NumberingEdit")) {
    for (const DispStringItem* r = table; r->controlIds[0] != 0 || r->keyword[0] != '\0'; ++r) {
      if (r->controlIds[0] == kStartRange && r->text[0] != 0) format = r->text;
    }
  }
  const SafeFormatArg args[] = {SafeFormatArg::Number(range.lowest), SafeFormatArg::Number(range.highest)};
  char16_t text[kRangeChars] = {};
  SafeFormat(format, args, 2, text, kRangeChars);
  SetDlgItemTextW(dialog, kStartRange, reinterpret_cast<const wchar_t*>(text));
}

void ShowStart(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kStartSpin, UDM_SETPOS32, 0, F(ctx).nNumberingStartNum);
  SetDlgItemInt(dialog, kStart, static_cast<UINT>(F(ctx).nNumberingStartNum), TRUE);
}

void ShowLists(HWND dialog, SheetCtx* ctx) {
  SelectNumberingListItem(dialog, ctx);
  SelectOptionRow(dialog, kPages, F(ctx).nNumberingMode);
  SelectOptionRow(dialog, kDensity, F(ctx).nNumberingDensity);
}

// The start number when the edit holds one within the range.
bool ReadStart(HWND dialog, int16_t* out) {
  wchar_t text[16] = {};
  GetDlgItemTextW(dialog, kStart, text, 16);
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  const NumberingRange range = Range();
  if (end == text || *end != L'\0' || value < range.lowest || value > range.highest) return false;
  *out = static_cast<int16_t>(value);
  return true;
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  for (int id : {kTypeLabel, kType, kPagesLabel, kPages, kColourLabel, kColour, kStartLabel, kStart, kStartSpin,
                 kStartRange}) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), TRUE);
  }
  if (!Flag(kMfNumberDlgType)) {
    ShowEnableCtrl(dialog, kTypeLabel, FALSE);
    ShowEnableCtrl(dialog, kType, FALSE);
  }
  ShowEnableCtrl(dialog, kColourLabel, FALSE);
  ShowEnableCtrl(dialog, kColour, FALSE);
  const BOOL density = Flag(kMfNumberDlgColor) ? TRUE : FALSE;
  ShowEnableCtrl(dialog, kDensityLabel, density);
  ShowEnableCtrl(dialog, kDensity, density);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  const NumberingRange range = Range();
  SendDlgItemMessageW(dialog, kStart, EM_LIMITTEXT, static_cast<WPARAM>(NumberingDigits(range)), 0);
  SendDlgItemMessageW(dialog, kStartSpin, UDM_SETBASE, 10, 0);
  SendDlgItemMessageW(dialog, kStartSpin, UDM_SETRANGE32, static_cast<WPARAM>(range.lowest),
                      static_cast<LPARAM>(range.highest));
  ShowRange(dialog, range);
  FillOptionRowsByName(dialog, kType, "NME_Type");
  FillOptionRowsByName(dialog, kPages, "NME_PagetoPrint");
  const ModelInfo* model = ProcessModelInfo();
  FillOptionRows(dialog, kDensity, model != nullptr ? reinterpret_cast<const OptionHead*>(model->densities) : nullptr);
  ShowLists(dialog, ctx);
  ShowStart(dialog, ctx);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id != kStart) return false;
  if (code == EN_CHANGE) {
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, kStart, text, 16);
    SetDlgItemNumberText(dialog, kStart, text, FALSE, FALSE);
  } else if (code == EN_KILLFOCUS) {
    // The rules see the number as typed; a refusal keeps the focus here.
    int16_t value = 0;
    if (ReadStart(dialog, &value)) {
      int16_t& field = F(ctx).nNumberingStartNum;
      const int16_t old = field;
      field = value;
      const int32_t result = RunSheetConstraints(dialog, nullptr, kStart);
      field = old;
      if (result == 100) {
        SetFocus(GetDlgItem(dialog, kStart));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
        return true;
      }
    }
    DispPageHint(dialog, ctx, kHintPage);
  }
  return true;
}

// A visible list's value; a hidden list keeps the field (the user cannot
// change it).  False, with the focus on the list, when it has no selection.
bool TakeList(HWND dialog, int id, uint8_t* field) {
  HWND list = GetDlgItem(dialog, id);
  if (list == nullptr || !IsWindowVisible(list)) return true;
  uint32_t value = 0;
  if (!SelectedOptionValue(dialog, id, &value)) {
    SetFocus(list);
    return false;
  }
  *field = static_cast<uint8_t>(value);
  return true;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  if (!TakeList(dialog, kType, &f.nNumberingType)) return false;
  if (!TakeList(dialog, kDensity, &f.nNumberingDensity)) return false;
  if (!TakeList(dialog, kPages, &f.nNumberingMode)) return false;
  int16_t value = 0;
  if (!ReadStart(dialog, &value)) {
    SetFocus(GetDlgItem(dialog, kStart));
    return false;
  }
  f.nNumberingStartNum = value;
  return true;
}

// The type, density, pages and start number as the defaults have them; the
// colour stays.
void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const DocFields& d = Fields(defaults);
  f.nNumberingType = d.nNumberingType;
  f.nNumberingDensity = d.nNumberingDensity;
  f.nNumberingMode = d.nNumberingMode;
  f.nNumberingStartNum = d.nNumberingStartNum;
  ShowLists(dialog, ctx);
  ShowStart(dialog, ctx);
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  const int id = static_cast<int>(item->CtlID);
  if (id != kType && id != kPages && id != kColour && id != kDensity) return false;
  DrawOptionRowItem(dialog, item);
  return true;
}

bool ReadType(HWND dialog, SheetCtx* ctx) { return GetNumberingListItem(dialog, ctx) != 0; }
void ShowType(HWND dialog, SheetCtx* ctx) { SelectNumberingListItem(dialog, ctx); }

const DialogBinding kBindings[] = {
    {kType, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nNumberingType), 1, 0, ReadType, ShowType},
    {kPages, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingMode), 1},
    {kDensity, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingDensity), 1},
    {kColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nNumberingColor), 1},
    {},
};

const DocumentDialog kDialog = {
    .templateId = kNumberingTemplate,
    .textSection = "Dlg_NumberingEdit",
    .helpIds = kHelpIds,
    .helpTopic = 5441,
    .clipTitle = L"Numbering Dialog",
    .bindings = kBindings,
    .comboHeights = kComboHeights,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

}  // namespace

void SelectNumberingListItem(HWND dialog, SheetCtx* ctx) {
  const DocDMode* doc = ctx != nullptr ? GetPrivDevMode(ctx) : nullptr;
  if (doc == nullptr) return;
  SelectOptionRow(dialog, kType, Fields(*doc).nNumberingType);
}

int GetNumberingListItem(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = ctx != nullptr ? GetPrivDevMode(ctx) : nullptr;
  uint32_t value = 0;
  if (doc == nullptr || !SelectedOptionValue(dialog, kType, &value)) return 0;
  Fields(*doc).nNumberingType = static_cast<uint8_t>(value);
  return 1;
}

INT_PTR CALLBACK NumberingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
