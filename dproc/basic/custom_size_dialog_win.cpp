#include "dproc/basic/custom_size_dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <initializer_list>
#include <memory>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "common/text/safe_format.h"
#include "common/win/driver_help.h"
#include "common/win/ui_services.h"
#include "dproc/basic/custom_size_rules.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr uint16_t kTemplate = 151;
enum : int {
  kWidthEdit = 1336, kWidthSpin = 1338, kWidthRange = 1273,
  kLengthEdit = 1337, kLengthSpin = 1339, kLengthRange = 1411,
  kMm = 1240, kInch = 1241, kDefault = 1032, kHelp = 9,
};

const DWORD kHelpIds[] = {1379, 1200, 1336, 1200, 1338, 1200, 1273, 1200, 1380, 1210, 1337, 1210, 1339, 1210,
                          1411, 1210, 1409, 1220, 1240, 1220, 1241, 1220, 1069, DWORD(-1), 1032, 9510, 0, 0};

// The custom size the dialog edits: the original's or the output's fields.
struct Target {
  uint8_t* unit;
  int16_t* width;
  int16_t* length;
  uint32_t* inchWidth;
  uint32_t* inchLength;
};

struct Dimension {
  int edit, spin, range;
  bool width;
};
constexpr Dimension kWidth = {kWidthEdit, kWidthSpin, kWidthRange, true};
constexpr Dimension kLength = {kLengthEdit, kLengthSpin, kLengthRange, false};


uint32_t& ModeFlags(SheetCtx* ctx) {
  static uint32_t none = 0;
  DialogUiState* state = DialogStateOf(GetUIState(ctx));
  return state != nullptr ? state->reasonFlags : none;
}

Target TargetOf(SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  if ((ModeFlags(ctx) & kDialogModeOutputSize) != 0) {
    return {&f.byUnitOutUserDefPaper, &f.sizOutUserDefPaperMM_cx, &f.sizOutUserDefPaperMM_cy,
            &f.sizOutUserDefPaperIN_cx, &f.sizOutUserDefPaperIN_cy};
  }
  return {&f.byUnitInUserDefPaper, &f.sizInUserDefPaperMM_cx, &f.sizInUserDefPaperMM_cy, &f.sizInUserDefPaperIN_cx,
          &f.sizInUserDefPaperIN_cy};
}

bool Fine() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->paperFigureStyle == 1;
}

void Limits(bool width, int32_t* lo, int32_t* hi) {
  const ModelInfo* model = ProcessModelInfo();
  *lo = model == nullptr ? 0 : static_cast<int32_t>(width ? model->customPaperMinWidth : model->customPaperMinLength);
  *hi = model == nullptr ? 0 : static_cast<int32_t>(width ? model->customPaperMaxWidth : model->customPaperMaxLength);
}

CustomSizeView ViewOf(SheetCtx* ctx) { return {*TargetOf(ctx).unit == kCustomUnitInch ? kCustomUnitInch : kCustomUnitMm, Fine()}; }

void SetupRanges(HWND dialog, SheetCtx* ctx) {
  const CustomSizeView view = ViewOf(ctx);
  for (const Dimension& d : {kWidth, kLength}) {
    int32_t min = 0, max = 0, lo = 0, hi = 0;
    Limits(d.width, &min, &max);
    ShownLimits(view, min, max, &lo, &hi);
    SendDlgItemMessageW(dialog, d.spin, UDM_SETRANGE32, static_cast<WPARAM>(lo), hi);
    SendDlgItemMessageW(dialog, d.edit, EM_LIMITTEXT, EditTextLimit(view, min, max), 0);
    char16_t label[64] = {};
    FormatRangeLabel(view, min, max, label, 64);
    SetDlgItemTextW(dialog, d.range, reinterpret_cast<const wchar_t*>(label));
  }
}

void ShowDimension(HWND dialog, SheetCtx* ctx, const Dimension& d) {
  const Target t = TargetOf(ctx);
  const CustomSizeView view = ViewOf(ctx);
  const int32_t value = ShownValue(view, d.width ? *t.width : *t.length, d.width ? *t.inchWidth : *t.inchLength);
  char16_t text[24] = {};
  FormatShownValue(view, value, text, 24);
  SetDlgItemTextW(dialog, d.edit, reinterpret_cast<const wchar_t*>(text));
  SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, value);
}

bool ReadDimension(HWND dialog, SheetCtx* ctx, const Dimension& d, bool clamp) {
  wchar_t text[260] = {};
  GetDlgItemTextW(dialog, d.edit, text, 260);
  int32_t min = 0, max = 0, tenths = 0;
  uint32_t inch = 0;
  Limits(d.width, &min, &max);
  if (!ReadShownText(ViewOf(ctx), reinterpret_cast<const char16_t*>(text), min, max, clamp, &tenths, &inch)) {
    return false;
  }
  const Target t = TargetOf(ctx);
  *(d.width ? t.width : t.length) = static_cast<int16_t>(tenths);
  *(d.width ? t.inchWidth : t.inchLength) = inch;
  return true;
}

void ShowUnit(HWND dialog, SheetCtx* ctx) {
  const bool inch = *TargetOf(ctx).unit == kCustomUnitInch;
  CheckDlgButton(dialog, kMm, inch ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(dialog, kInch, inch ? BST_CHECKED : BST_UNCHECKED);
}

void ShowAll(HWND dialog, SheetCtx* ctx) {
  ShowUnit(dialog, ctx);
  SetupRanges(dialog, ctx);
  ShowDimension(dialog, ctx, kWidth);
  ShowDimension(dialog, ctx, kLength);
}

void Init(HWND dialog, SheetCtx* ctx) {
  ModeFlags(ctx) &= ~kDialogModeSpinStep;
  for (int spin : {kWidthSpin, kLengthSpin}) {
    if (SendDlgItemMessageW(dialog, spin, UDM_GETBASE, 0, 0) != 10) SendDlgItemMessageW(dialog, spin, UDM_SETBASE, 10, 0);
  }
  ShowAll(dialog, ctx);
}

// OK and Cancel start from the settings as the dialog found them.
void RestoreBackup(HWND dialog, SheetCtx* ctx) {
  const DocDMode* backup = DialogBackupOf(dialog);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (backup != nullptr && doc != nullptr) std::memcpy(doc, backup, sizeof(DocDMode));
}

// The range message of a dimension: "MessageStr" 2 (its escapes as line
// breaks), two line breaks and the unit's entry, filled with the limits.
void RangeMessage(HWND dialog, SheetCtx* ctx, const Dimension& d) {
  const CustomSizeView view = ViewOf(ctx);
  const uint32_t entry = (d.width ? 12 : 14) + (view.unit == kCustomUnitInch ? 1 : 0);
  char16_t format[2 * 290 + 4] = {};
  size_t at = 0;
  const char16_t* head = DialogText(kMessageStr, 2);
  for (size_t i = 0; head != nullptr && head[i] != 0 && at + 2 < 290; ++i) {
    if (head[i] == u'\\' && head[i + 1] != 0) {
      format[at++] = u'\n';
      format[at++] = u' ';
      ++i;
    } else {
      format[at++] = head[i];
    }
  }
  format[at++] = u'\n';
  format[at++] = u'\n';
  const char16_t* body = DialogText(kMessageStr, entry);
  for (size_t i = 0; body != nullptr && body[i] != 0 && at + 1 < sizeof format / sizeof format[0]; ++i) {
    format[at++] = body[i];
  }
  int32_t min = 0, max = 0;
  Limits(d.width, &min, &max);
  char16_t low[32] = {}, high[32] = {};
  FormatMessageLimits(view, min, max, low, high, 32);
  const SafeFormatArg args[] = {SafeFormatArg::Text(low), SafeFormatArg::Text(high)};
  char16_t text[3 * 290] = {};
  SafeFormat(format, args, 2, text, sizeof text / sizeof text[0]);
  const char16_t* caption = DialogText(kMessageStr, 1);
  CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(text),
                                 reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                                 MB_ICONEXCLAMATION);
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  RestoreBackup(dialog, ctx);
  *TargetOf(ctx).unit = IsDlgButtonChecked(dialog, kMm) == BST_CHECKED ? kCustomUnitMm : kCustomUnitInch;
  for (const Dimension& d : {kWidth, kLength}) {
    if (!ReadDimension(dialog, ctx, d, false)) {
      RangeMessage(dialog, ctx, d);
      SetFocusCtrl(dialog, d.edit);
      return false;
    }
  }
  const ModelInfo* model = ProcessModelInfo();
  if (model != nullptr && model->features[kMfPaperLengthLarger] != 0) {
    const Target t = TargetOf(ctx);
    const bool inch = *t.unit == kCustomUnitInch;
    const bool wider = inch ? *t.inchWidth > *t.inchLength : *t.width > *t.length;
    if (wider && ShowResMessage(dialog, 290, 63800, 48) != 0) {
      SetFocusCtrl(dialog, kWidthEdit);
      return false;
    }
  }
  return true;
}

// A change of unit: both sizes read in the old unit (clamped), the unit
// stored; after the pass the ranges and texts follow the unit that stands.
bool ReadUnit(HWND dialog, SheetCtx* ctx) {
  ReadDimension(dialog, ctx, kWidth, true);
  ReadDimension(dialog, ctx, kLength, true);
  *TargetOf(ctx).unit = IsDlgButtonChecked(dialog, kMm) == BST_CHECKED ? kCustomUnitMm : kCustomUnitInch;
  return true;
}
void AfterUnit(HWND dialog, SheetCtx* ctx) {
  SetupRanges(dialog, ctx);
  for (const Dimension& d : {kWidth, kLength}) ShowDimension(dialog, ctx, d);
  for (const Dimension& d : {kWidth, kLength}) ReadDimension(dialog, ctx, d, true);
  for (const Dimension& d : {kWidth, kLength}) ShowDimension(dialog, ctx, d);
}
uint32_t UnitAt(SheetCtx* ctx) {
  return static_cast<uint32_t>(TargetOf(ctx).unit - reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx)));
}

const DialogBinding kBindings[] = {
    {kMm, BN_CLICKED, BindKind::kCustom, 0, 1, 0, ReadUnit, ShowUnit, AfterUnit, UnitAt},
    {kInch, BN_CLICKED, BindKind::kCustom, 0, 1, 0, ReadUnit, ShowUnit, AfterUnit, UnitAt},
    {},
};

void Defaults(HWND dialog, SheetCtx* ctx) {
  auto built = std::make_unique<DocDMode>();
  if (!CopyDefaultOEMDevMode(ctx, built.get())) return;
  const DocFields d = Fields(*built);
  const Target t = TargetOf(ctx);
  const bool output = (ModeFlags(ctx) & kDialogModeOutputSize) != 0;
  *t.unit = output ? d.byUnitOutUserDefPaper : d.byUnitInUserDefPaper;
  *t.width = output ? d.sizOutUserDefPaperMM_cx : d.sizInUserDefPaperMM_cx;
  *t.length = output ? d.sizOutUserDefPaperMM_cy : d.sizInUserDefPaperMM_cy;
  *t.inchWidth = static_cast<uint32_t>(TenthsToInchUnits(*t.width, Fine()));
  *t.inchLength = static_cast<uint32_t>(TenthsToInchUnits(*t.length, Fine()));
  ShowAll(dialog, ctx);
}

INT_PTR Typed(HWND dialog, SheetCtx* ctx, const Dimension& d) {
  const CustomSizeView view = ViewOf(ctx);
  wchar_t text[260] = {};
  GetDlgItemTextW(dialog, d.edit, text, 260);
  SetDlgItemNumberText(dialog, d.edit, text, FALSE, view.unit == kCustomUnitInch || view.fine);
  uint32_t& flags = ModeFlags(ctx);
  if ((flags & kDialogModeSpinStep) != 0) {
    flags &= ~kDialogModeSpinStep;
    ReadDimension(dialog, ctx, d, false);
    return TRUE;
  }
  GetDlgItemTextW(dialog, d.edit, text, 260);
  SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, ShownValueOfText(view, reinterpret_cast<const char16_t*>(text)));
  ReadDimension(dialog, ctx, d, false);
  return TRUE;
}

bool SpinStep(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) {
  if (note->code != UDN_DELTAPOS) return false;
  const auto* step = reinterpret_cast<const NMUPDOWN*>(note);
  const int spin = static_cast<int>(step->hdr.idFrom);
  if (spin != kWidthSpin && spin != kLengthSpin) return false;
  const Dimension& d = spin == kWidthSpin ? kWidth : kLength;
  int32_t lo = 0, hi = 0;
  SendDlgItemMessageW(dialog, spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  int32_t value = step->iPos + step->iDelta;
  if (value > hi) value = hi;
  if (value < lo) value = lo;
  ModeFlags(ctx) |= kDialogModeSpinStep;
  char16_t text[24] = {};
  FormatShownValue(ViewOf(ctx), value, text, 24);
  SetDlgItemTextW(dialog, d.edit, reinterpret_cast<const wchar_t*>(text));
  // The up-down control still takes its step.
  *result = 0;
  return true;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (code != EN_CHANGE || (id != kWidthEdit && id != kLengthEdit)) return false;
  Typed(dialog, ctx, id == kWidthEdit ? kWidth : kLength);
  return true;
}

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_UserPaper",
    .helpIds = kHelpIds,
    .helpTopic = 1190,
    .clipTitle = L"Custom Size Settings Dialog",
    .bindings = kBindings,
    .init = Init,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .notify = SpinStep,
};

}  // namespace

INT_PTR CALLBACK CustomSizeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
