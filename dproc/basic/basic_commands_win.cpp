// The Basic sheet's change handlers: what a change of each control does to
// the settings, with the constraint pass after it and the dialogs the
// sheet's buttons open.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <initializer_list>
#include <memory>

#include "common/records/settings_records.h"
#include "common/win/ui_services.h"
#include "dproc/auth/auth_button_win.h"
#include "dproc/basic/basic_sheet_parts_win.h"
#include "dproc/basic/basic_sheet_win.h"
#include "dproc/basic/custom_size_dialog_win.h"
#include "dproc/basic/custom_size_rules.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_memory.h"

using namespace basic;

namespace {

// The Enter-key toggles of the original size, output size and output
// method lists: with the key held, only every other notification opens the
// dialog.
bool g_enterToggle[3] = {false, false, false};
enum { kToggleOriginal, kToggleOutput, kToggleOutputMethod };

bool DialogMayOpen(int which) {
  if (GetKeyState(VK_RETURN) >= 0) return true;
  g_enterToggle[which] = !g_enterToggle[which];
  return g_enterToggle[which];
}

void SetDialogMode(SheetCtx* ctx, uint32_t set, uint32_t clear) {
  if (DialogUiState* state = DialogStateOf(GetUIState(ctx))) state->reasonFlags = (state->reasonFlags & ~clear) | set;
}

void Finish(HWND dialog, SheetCtx* ctx) {
  Paper1SheetEnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void WriteAutoZoom(HWND dialog, SheetCtx* ctx, bool onlyWhenDifferent) {
  const DocFields* f = FieldsOf(ctx);
  if (f->bScaleAuto == 0) return;
  const int32_t fit = CalcFitZoom(Model(), GetPrivDevMode(ctx));
  if (fit < 1) return;
  BOOL ok = FALSE;
  const int32_t shown = static_cast<int32_t>(GetDlgItemInt(dialog, kBasicZoomEdit, &ok, TRUE));
  if (onlyWhenDifferent && ok && shown == fit) return;
  SetDlgItemInt(dialog, kBasicZoomEdit, static_cast<UINT>(fit), FALSE);
}

// The media type of the chosen tray's entry (not for the automatic tray).
void TakeTrayMediaType(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  int16_t media = 0;
  const bool entry = MediaTypeInUse(ctx, &media);
  if (entry) SelectByValue(dialog, kBasicMedia, media);
  if (entry && static_cast<uint16_t>(f->nDefaultSource) != kAutoTrayId) f->nMediaType = media;
}

// --- Controls the sheet skeleton commits.
bool ReadCollate(HWND d, SheetCtx* c) { return Paper1SheetReadCollate(d, c); }
void ShowCollate(HWND d, SheetCtx* c) { Check(d, kBasicCollate, FieldsOf(c)->bCollate != 0); }
bool ReadMedia(HWND d, SheetCtx* c) { return Paper1SheetReadMediaType(d, c); }
void ShowMedia(HWND d, SheetCtx* c) { SelectByValue(d, kBasicMedia, FieldsOf(c)->nMediaType); }
void RepaintCollate(HWND d, SheetCtx*) { InvalidateRect(GetDlgItem(d, kBasicCollatePicture), nullptr, TRUE); }
void RepaintJobOffset(HWND d, SheetCtx*) { InvalidateRect(GetDlgItem(d, kBasicJobOffsetPicture), nullptr, TRUE); }

bool ReadOrientation(HWND d, SheetCtx* c) { return Paper1SheetReadOrientation(d, c); }
void ShowOrientation(HWND d, SheetCtx* c) {
  Check(d, kBasicPortrait, FieldsOf(c)->nOrientation == 1);
  Check(d, kBasicLandscape, FieldsOf(c)->nOrientation == 2);
}
void OrientationTaken(HWND d, SheetCtx* c) { OrientationFixUps(d, c, false); }
void RepaintOrientation(HWND d, SheetCtx*) { InvalidateRect(GetDlgItem(d, kBasicOrientationPicture), nullptr, TRUE); }

// --- Sizes.  A paper goes back with everything that follows it: its
// dimensions, the custom size and the unit it was typed in.
const BoundField kOriginalSizeFields[] = {
    DOC_BOUND_FIELD(sizInUserDefPaperMM_cx), DOC_BOUND_FIELD(sizInUserDefPaperMM_cy),
    DOC_BOUND_FIELD(sizInUserDefPaperIN_cx), DOC_BOUND_FIELD(sizInUserDefPaperIN_cy),
    DOC_BOUND_FIELD(byUnitInUserDefPaper),   DOC_BOUND_FIELD(sizPaper_cx),
    DOC_BOUND_FIELD(sizPaper_cy),            DOC_BOUND_FIELD(rcMargin_left),
    DOC_BOUND_FIELD(rcMargin_top),           DOC_BOUND_FIELD(rcMargin_right),
    DOC_BOUND_FIELD(rcMargin_bottom),        DOC_BOUND_FIELD(sizOutPaper_cx),
    DOC_BOUND_FIELD(sizOutPaper_cy),         DOC_BOUND_FIELD(sizServerPaper_cx),
    DOC_BOUND_FIELD(sizServerPaper_cy),      {}};
const BoundField kOutputSizeFields[] = {
    DOC_BOUND_FIELD(sizOutUserDefPaperMM_cx), DOC_BOUND_FIELD(sizOutUserDefPaperMM_cy),
    DOC_BOUND_FIELD(sizOutUserDefPaperIN_cx), DOC_BOUND_FIELD(sizOutUserDefPaperIN_cy),
    DOC_BOUND_FIELD(byUnitOutUserDefPaper),   DOC_BOUND_FIELD(sizOutPaper_cx),
    DOC_BOUND_FIELD(sizOutPaper_cy),          {}};

// Whether the custom size dialog confirmed a size in the change under way.
bool g_customConfirmed = false;

void RecomputeInch(DocFields* f, bool output) {
  const bool fine = Model() != nullptr && Model()->paperFigureStyle == 1;
  if (output) {
    f->sizOutUserDefPaperIN_cx = static_cast<uint32_t>(TenthsToInchUnits(f->sizOutUserDefPaperMM_cx, fine));
    f->sizOutUserDefPaperIN_cy = static_cast<uint32_t>(TenthsToInchUnits(f->sizOutUserDefPaperMM_cy, fine));
  } else {
    f->sizInUserDefPaperIN_cx = static_cast<uint32_t>(TenthsToInchUnits(f->sizInUserDefPaperMM_cx, fine));
    f->sizInUserDefPaperIN_cy = static_cast<uint32_t>(TenthsToInchUnits(f->sizInUserDefPaperMM_cy, fine));
  }
}

// The custom size chosen: a refused row goes back at once, else the custom
// size dialog opens (with the Enter key held, every other time).  False
// when the choice is taken back.
bool ChooseCustomSize(HWND dialog, SheetCtx* ctx, bool output) {
  const int combo = output ? kBasicOutPaperSize : kBasicPaperSize;
  const OptionHead* row = SelectedRow(dialog, combo);
  if (row == nullptr || row->value != static_cast<uint32_t>(kCustomPaper)) return true;
  if (row->flag != 0 && Constraints(dialog, static_cast<uint16_t>(combo)) == 101) return false;
  if (!DialogMayOpen(output ? kToggleOutput : kToggleOriginal)) return true;
  SetDialogMode(ctx, output ? kDialogModeOutputSize : 0, output ? kDialogModeFlag04 : kDialogModeOutputSize | kDialogModeFlag04);
  g_customConfirmed = RunSheetDialog(dialog, ctx, 151, CustomSizeDlgProc) == 1;
  return g_customConfirmed;
}

// A size the pass changed keeps the inch values of the typed size.
bool SizeStands(SheetCtx* ctx, bool output, int32_t answer) {
  if (answer == 199 && g_customConfirmed) RecomputeInch(FieldsOf(ctx), output);
  return true;
}

// After a confirmed custom size the whole page shows the settings again.
void ShowSize(HWND dialog, SheetCtx* ctx, bool output) {
  if (g_customConfirmed) return Paper1SheetSetActive(dialog, ctx);
  const DocFields* f = FieldsOf(ctx);
  SelectByValue(dialog, output ? kBasicOutPaperSize : kBasicPaperSize,
                static_cast<uint16_t>(output ? f->nOutPaperSize : f->nPaperSize));
}

bool ReadOriginalSize(HWND dialog, SheetCtx* ctx) {
  g_customConfirmed = false;
  const OptionHead* row = SelectedRow(dialog, kBasicPaperSize);
  if (row == nullptr) return false;
  DocFields* f = FieldsOf(ctx);
  const auto v = static_cast<int16_t>(row->value);
  if (row->value == static_cast<uint32_t>(kCustomPaper)) {
    f->nPaperSize = v;
    return true;
  }
  return v != f->nPaperSize && Paper1SheetReadPaperSize(dialog, ctx);
}
bool OriginalCustomSize(HWND d, SheetCtx* c) { return ChooseCustomSize(d, c, false); }
bool OriginalSizeStands(HWND, SheetCtx* c, int32_t answer) { return SizeStands(c, false, answer); }
void ShowOriginalSize(HWND d, SheetCtx* c) { ShowSize(d, c, false); }
void OriginalSizeAfter(HWND d, SheetCtx* c) { WriteAutoZoom(d, c, true); }

bool ReadOutputSize(HWND dialog, SheetCtx* ctx) {
  g_customConfirmed = false;
  const OptionHead* row = SelectedRow(dialog, kBasicOutPaperSize);
  if (row == nullptr) return false;
  FieldsOf(ctx)->nOutPaperSize = static_cast<int16_t>(static_cast<uint16_t>(row->value));
  return true;
}
bool OutputCustomSize(HWND dialog, SheetCtx* ctx) {
  if (!ChooseCustomSize(dialog, ctx, true)) return false;
  Paper1SheetReadOutPaperSize(dialog, ctx);
  WriteAutoZoom(dialog, ctx, false);
  return true;
}
bool OutputSizeStands(HWND, SheetCtx* c, int32_t answer) { return SizeStands(c, true, answer); }
void ShowOutputSize(HWND d, SheetCtx* c) { ShowSize(d, c, true); }
// The automatic zoom follows the output size that stands.
void OutputSizeAfter(HWND d, SheetCtx* c) { WriteAutoZoom(d, c, true); }

// --- The tray: where the model sets the trays' paper, the media type
// follows the tray and goes back with it.
bool MediaFollowsTray() { return HasFeature(kMfPaperSourceTraySetting) && !HasFeature(kMfMediaTypeDetail); }
const BoundField kTrayFields[] = {DOC_BOUND_FIELD(nMediaType), {}};
bool ReadTrayChoice(HWND dialog, SheetCtx* ctx) {
  Paper1SheetReadTray(dialog, ctx);
  if (MediaFollowsTray() && static_cast<uint16_t>(FieldsOf(ctx)->nDefaultSource) != kAutoTrayId) {
    TakeTrayMediaType(dialog, ctx);
  }
  return true;
}
void ShowTray(HWND dialog, SheetCtx* ctx) {
  SelectByValue(dialog, kBasicTray, static_cast<uint16_t>(FieldsOf(ctx)->nDefaultSource));
  int16_t media = 0;
  if (MediaFollowsTray() && MediaTypeInUse(ctx, &media)) SelectByValue(dialog, kBasicMedia, media);
}

// --- The output method: a method that needs a number the settings lack
// opens the user settings dialog; without the number the method goes back.
bool ReadOutputMethod(HWND d, SheetCtx* c) { return Paper1SheetReadOutputMethod(d, c); }
void ShowOutputMethod(HWND d, SheetCtx* c) { SelectByValue(d, kBasicOutput, FieldsOf(c)->nOutputMethod); }
bool OutputMethodStands(HWND dialog, SheetCtx* ctx, int32_t) {
  const DocFields* f = FieldsOf(ctx);
  const uint8_t method = f->nOutputMethod;
  const bool missing = (method == 3 && f->szSecurePrintId[0] == '\0') ||
                       ((method == 7 || method == 8) && HasFeature(kMfBoxSave) && f->szBoxNumber[0] == '\0');
  if (!missing || !DialogMayOpen(kToggleOutputMethod)) return true;
  if (method == 3) SetDialogMode(ctx, kReasonOutputMethod3, kReasonOtherOutput);
  else SetDialogMode(ctx, kReasonOtherOutput, kReasonOutputMethod3);
  const bool stored = RunSheetDialog(dialog, ctx, 132, BasicDialogs().userSetting) == 1;
  SetDialogMode(ctx, 0, kReasonOutputMethod3 | kReasonOtherOutput);
  // The dialog's own settings (the number) changed with it.
  if (stored) NoteChange(dialog, ctx);
  return stored;
}

// The zoom mode buttons: the model's rules see the new mode, and a refusal,
// or a question answered No, puts the old one back.  A click that changes
// nothing runs no pass, so a question already answered is not asked again.
bool ReadZoomMode(HWND dialog, SheetCtx* ctx) {
  FieldsOf(ctx)->bScaleAuto = IsChecked(dialog, kBasicZoomAuto);
  return true;
}
void ShowZoomMode(HWND dialog, SheetCtx* ctx) {
  const bool automatic = FieldsOf(ctx)->bScaleAuto != 0;
  Check(dialog, kBasicZoomAuto, automatic);
  Check(dialog, kBasicZoomManual, !automatic);
}
void ZoomModeAfter(HWND dialog, SheetCtx* ctx) { WriteAutoZoom(dialog, ctx, false); }
const DialogBinding kZoomModeBindings[] = {
    {.controlId = kBasicZoomAuto, .notify = BN_CLICKED, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(bScaleAuto),
     .bytes = 1, .read = ReadZoomMode, .show = ShowZoomMode, .after = ZoomModeAfter},
    {.controlId = kBasicZoomManual, .notify = BN_CLICKED, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(bScaleAuto),
     .bytes = 1, .read = ReadZoomMode, .show = ShowZoomMode, .after = ZoomModeAfter},
};

INT_PTR ZoomModeClicked(HWND dialog, SheetCtx* ctx) {
  if (IsChecked(dialog, kBasicZoomAuto) == FieldsOf(ctx)->bScaleAuto) {
    WriteAutoZoom(dialog, ctx, false);
    Finish(dialog, ctx);
    return TRUE;
  }
  const DialogBinding& b = kZoomModeBindings[IsChecked(dialog, kBasicZoomAuto) != 0 ? 0 : 1];
  CommitBinding(dialog, ctx, b, kBasicSheetTemplate, Paper1SheetEnableControls, true);
  return TRUE;
}

// "Manual" while booklet or poster printing is chosen: the question when
// the device wants it, then the settings before booklet or poster come back.
INT_PTR ZoomManualClicked(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const bool booklet = !IsSessionPage(ctx) && f->nDuplex == 3 && HasFeature(kMfBookletPrint);
  const bool poster = f->bNup != 0 && (f->nNup == 7 || f->nNup == 8 || f->nNup == 9) && HasFeature(kMfPoster);
  if (booklet || poster) {
    const DevOption* device = GetCtxPrinterInfo(ctx);
    if (device != nullptr && device->displayConstMsg != 0) {
      char16_t question[3 * 290 + 1] = {};
      auto append = [&](uint32_t n) {
        const char16_t* t = DialogText(kChgMessageStr, n);
        size_t at = 0;
        while (question[at] != 0) ++at;
        for (size_t i = 0; t != nullptr && t[i] != 0 && at + 1 < sizeof question / sizeof question[0]; ++i) {
          question[at++] = t[i];
        }
      };
      append(1);
      if (booklet) append(72);
      if (poster) append(73);
      ExpandNewlineEscapes(question);
      const char16_t* caption = DialogText(kChgMessageStr, 0);
      if (question[0] != 0 &&
          CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(question),
                                         reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                                         MB_YESNO | MB_ICONQUESTION) == IDNO) {
        Check(dialog, kBasicZoomAuto, true);
        Check(dialog, kBasicZoomManual, false);
        SetFocusCtrl(dialog, kBasicZoomAuto);
        return TRUE;
      }
    }
    // What the Layout sheet kept when booklet or poster printing was chosen.
    SheetMemory& saved = ProcessSheetMemory();
    if (booklet && saved.duplexBeforeBooklet != 0) {
      f->nDuplex = saved.duplexBeforeBooklet;
      saved.duplexBeforeBooklet = 0;
    }
    if (poster && saved.nupKindBeforePoster != -1) {
      f->bNup = 0;
      f->nNup = static_cast<uint8_t>(saved.nupKindBeforePoster);
      saved.nupKindBeforePoster = -1;
    }
  }
  return ZoomModeClicked(dialog, ctx);
}

// --- Copies: only a declined question takes the typed number back, and
// the caret goes back to it.
bool ReadCopiesTyped(HWND d, SheetCtx* c) { return Paper1SheetReadCopies(d, c); }
void ShowCopiesKept(HWND dialog, SheetCtx* ctx) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBasicCopies)), TRUE);
  ShowCopies(dialog, FieldsOf(ctx)->nCopies);
}

const DialogBinding kBindings[] = {
    {.controlId = kBasicPortrait, .notify = BN_CLICKED, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nOrientation),
     .bytes = 1, .read = ReadOrientation, .show = ShowOrientation, .after = RepaintOrientation,
     .changed = OrientationTaken},
    {.controlId = kBasicLandscape, .notify = BN_CLICKED, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nOrientation),
     .bytes = 1, .read = ReadOrientation, .show = ShowOrientation, .after = RepaintOrientation,
     .changed = OrientationTaken},
    {kBasicCollate, BN_CLICKED, BindKind::kCustom, DOC_FIELD_AT(bCollate), 1, 0, ReadCollate, ShowCollate,
     RepaintCollate},
    {kBasicJobOffset, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bJobOffset), 1, 0, nullptr, nullptr,
     RepaintJobOffset},
    {kBasicOption1, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bPaperOption1), 1},
    {kBasicOption2, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bPaperOption2), 1},
    {kBasicMedia, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nMediaType), 2, 0, ReadMedia, ShowMedia},
    {.controlId = kBasicPaperSize, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nPaperSize),
     .bytes = 2, .read = ReadOriginalSize, .show = ShowOriginalSize, .after = OriginalSizeAfter,
     .alsoKeeps = kOriginalSizeFields, .before = OriginalCustomSize, .confirm = OriginalSizeStands},
    {.controlId = kBasicOutPaperSize, .notify = CBN_SELENDOK, .kind = BindKind::kCustom,
     .at = DOC_FIELD_AT(nOutPaperSize), .bytes = 2, .read = ReadOutputSize, .show = ShowOutputSize,
     .after = OutputSizeAfter, .alsoKeeps = kOutputSizeFields, .before = OutputCustomSize,
     .confirm = OutputSizeStands},
    {.controlId = kBasicTray, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nDefaultSource),
     .bytes = 2, .read = ReadTrayChoice, .show = ShowTray, .alsoKeeps = kTrayFields},
    {.controlId = kBasicOutput, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nOutputMethod),
     .bytes = 1, .read = ReadOutputMethod, .show = ShowOutputMethod, .confirm = OutputMethodStands},
    {.controlId = kBasicCopies, .notify = EN_CHANGE, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nCopies),
     .bytes = 2, .read = ReadCopiesTyped, .show = ShowCopiesKept, .undoOnlyWhenDeclined = true},
    {},
};

INT_PTR ZoomTyped(HWND dialog, SheetCtx* ctx) {
  const int16_t old = FieldsOf(ctx)->nScale;
  Paper1SheetReadZoomValue(dialog, ctx);
  if (FieldsOf(ctx)->nScale != old) NoteChange(dialog, ctx);
  Finish(dialog, ctx);
  return TRUE;
}

INT_PTR ZoomLeft(HWND dialog, SheetCtx* ctx) {
  if (Constraints(dialog, kBasicZoomEdit) == 100) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBasicZoomEdit)), TRUE);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
  } else {
    Hint(dialog, ctx);
  }
  return TRUE;
}

INT_PTR Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocusCtrl(dialog, kBasicDefault);
  DocDMode* doc = GetPrivDevMode(ctx);
  auto defaults = std::make_unique<DocDMode>();
  if (doc == nullptr || !CopyDefaultOEMDevMode(ctx, defaults.get())) return TRUE;
  const DocDMode* built = defaults.get();
  const DocFields d = Fields(*built);
  DocFields* f = FieldsOf(ctx);
  bool changed = false;
  auto take = [&](auto& field, const auto& value, auto show) {
    if (field == value) return;
    field = value;
    changed = true;
    show();
  };
  uint16_t ctl = 0, defaultCtl = 0;
  std::memcpy(&ctl, reinterpret_cast<uint8_t*>(doc) + kCtl2500At, 2);
  std::memcpy(&defaultCtl, reinterpret_cast<const uint8_t*>(built) + kCtl2500At, 2);
  if (ctl != defaultCtl) {
    std::memcpy(reinterpret_cast<uint8_t*>(doc) + kCtl2500At, &defaultCtl, 2);
    Check(dialog, kBasicCtl2500, defaultCtl != 0);
    changed = true;
  }
  take(f->nPaperSize, d.nPaperSize, [&] { SelectByValue(dialog, kBasicPaperSize, static_cast<uint16_t>(d.nPaperSize)); });
  take(f->nOutPaperSize, d.nOutPaperSize,
       [&] { SelectByValue(dialog, kBasicOutPaperSize, static_cast<uint16_t>(d.nOutPaperSize)); });
  take(f->byUnitInUserDefPaper, d.byUnitInUserDefPaper, [] {});
  take(f->byUnitOutUserDefPaper, d.byUnitOutUserDefPaper, [] {});
  take(f->nDefaultSource, d.nDefaultSource,
       [&] { SelectByValue(dialog, kBasicTray, static_cast<uint16_t>(d.nDefaultSource)); });
  take(f->nMediaType, d.nMediaType, [&] { SelectByValue(dialog, kBasicMedia, d.nMediaType); });
  BOOL ok = FALSE;
  const UINT shownCopies = GetDlgItemInt(dialog, kBasicCopies, &ok, TRUE);
  if (f->nCopies != d.nCopies || !ok || shownCopies != d.nCopies) {
    f->nCopies = d.nCopies;
    ShowCopies(dialog, d.nCopies);
    changed = true;
  }
  take(f->bCollate, d.bCollate, [&] {
    Check(dialog, kBasicCollate, d.bCollate != 0);
    InvalidateRect(GetDlgItem(dialog, kBasicCollatePicture), nullptr, TRUE);
  });
  take(f->bJobOffset, d.bJobOffset, [&] {
    Check(dialog, kBasicJobOffset, d.bJobOffset != 0);
    InvalidateRect(GetDlgItem(dialog, kBasicJobOffsetPicture), nullptr, TRUE);
  });
  take(f->nOrientation, d.nOrientation, [&] {
    Check(dialog, kBasicPortrait, d.nOrientation == 1);
    Check(dialog, kBasicLandscape, d.nOrientation == 2);
    OrientationFixUps(dialog, ctx, false);
  });
  take(f->bScaleAuto, d.bScaleAuto, [&] {
    Check(dialog, kBasicZoomAuto, d.bScaleAuto != 0);
    Check(dialog, kBasicZoomManual, d.bScaleAuto == 0);
  });
  f = FieldsOf(ctx);
  const int32_t zoom = f->bScaleAuto == 1 ? CalcFitZoom(Model(), doc) : d.nScale;
  if ((f->bScaleAuto != 1 || zoom >= 1) && zoom != f->nScale) {
    f->nScale = static_cast<int16_t>(zoom);
    ShowZoomValue(dialog, zoom);
    changed = true;
  }
  take(f->nOutputMethod, d.nOutputMethod, [&] { SelectByValue(dialog, kBasicOutput, d.nOutputMethod); });
  take(f->bPaperOption1, d.bPaperOption1, [&] { Check(dialog, kBasicOption1, d.bPaperOption1 != 0); });
  take(f->bPaperOption2, d.bPaperOption2, [&] { Check(dialog, kBasicOption2, d.bPaperOption2 != 0); });
  if (changed) {
    FixUpStaplePosition(ctx);
    FixUpPunchPosition(ProcessModelInfo(), doc);
    Paper1SheetSyncUserPaper(ctx);
    Constraints(dialog, 0);
    Hint(dialog, ctx);
    NoteChange(dialog, ctx);
  }
  Finish(dialog, ctx);
  return TRUE;
}

INT_PTR RunButtonDialog(HWND dialog, SheetCtx* ctx, int id) {
  switch (id) {
    case kBasicUserSettingButton:
      if (RunSheetDialog(dialog, ctx, 132, BasicDialogs().userSetting) == 1) NoteChange(dialog, ctx);
      SetDialogMode(ctx, 0, kReasonOutputMethod3 | kReasonOtherOutput);
      break;
    case kBasicPaperSettingButton:
      if (RunSheetDialog(dialog, ctx, 130, BasicDialogs().paperSetting) == 1) {
        if (!HasFeature(kMfMediaTypeDetail)) TakeTrayMediaType(dialog, ctx);
        NoteChange(dialog, ctx);
      }
      Paper1SheetSetActive(dialog, ctx);
      break;
    case kBasicAutoTrayButton:
      if (RunSheetDialog(dialog, ctx, 164, BasicDialogs().autoTray) == 1) NoteChange(dialog, ctx);
      Paper1SheetSetActive(dialog, ctx);
      break;
    case kBasicAuthButton:
      // The Easy Set area is not marked for the authentication settings.
      if (RunAuthenticationButton(dialog, ctx, BasicDialogs().userAuth) == 1) {
        SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
      }
      break;
    default:
      return FALSE;
  }
  Finish(dialog, ctx);
  return TRUE;
}

}  // namespace

void ResetBasicSheetEnterToggles() { g_enterToggle[0] = g_enterToggle[1] = g_enterToggle[2] = false; }

bool ConfirmOhpInterleaveOff(HWND dialog, SheetCtx* ctx, int) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || IsSessionPage(ctx) || !HasFeature(kMfOhpInterleave) || !HasFeature(kMfOhpPrint) ||
      f->bOHP == 0) {
    return true;
  }
  const ModelInfo* model = Model();
  const int32_t media = GetTrayMediaType(model, static_cast<uint16_t>(f->nDefaultSource), GetPrivDevMode(ctx));
  bool transparency = false;
  if (model != nullptr && model->mediaTypes != nullptr) {
    for (const OptionHead* row = reinterpret_cast<const OptionHead*>(model->mediaTypes);
         row->keyword[0] != '\0' && row->size != 0; row = NextOptionRow(row)) {
      if ((_stricmp(row->keyword, "OHP") == 0 || _stricmp(row->keyword, "OHP2") == 0) &&
          static_cast<int32_t>(row->value) == media) {
        transparency = true;
        break;
      }
    }
  }
  if (f->bCollate != 0 || f->nCopies < 2 || !transparency) return true;
  char16_t question[2 * 290 + 1] = {};
  size_t at = 0;
  for (uint32_t n : {1u, 132u}) {
    const char16_t* t = DialogText(kChgMessageStr, n);
    for (size_t i = 0; t != nullptr && t[i] != 0 && at + 1 < sizeof question / sizeof question[0]; ++i) {
      question[at++] = t[i];
    }
  }
  ExpandNewlineEscapes(question);
  const char16_t* caption = DialogText(kChgMessageStr, 0);
  if (CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(question),
                                     reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                                     MB_YESNO | MB_ICONQUESTION) == IDNO) {
    return false;
  }
  FieldsOf(ctx)->bOHP = 0;
  NoteChange(dialog, ctx);
  Paper1SheetEnableControls(dialog, ctx);
  return true;
}

const DialogBinding* BasicSheetBindings() { return kBindings; }

INT_PTR Paper1SheetCommand(HWND dialog, WPARAM wParam, LPARAM) {
  SheetCtx* ctx = SheetCtxOf(dialog);
  if (ctx == nullptr || GetPrivDevMode(ctx) == nullptr) return FALSE;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case kBasicZoomAuto:
      return code == BN_CLICKED ? ZoomModeClicked(dialog, ctx) : FALSE;
    case kBasicZoomManual:
      return code == BN_CLICKED ? ZoomManualClicked(dialog, ctx) : FALSE;
    case kBasicCopies:
      return code == EN_KILLFOCUS ? TRUE : FALSE;
    case kBasicZoomEdit:
      if (code == EN_CHANGE) return ZoomTyped(dialog, ctx);
      return code == EN_KILLFOCUS ? ZoomLeft(dialog, ctx) : FALSE;
    case kBasicDefault:
      return code == BN_CLICKED ? Defaults(dialog, ctx) : FALSE;
    case kBasicUserSettingButton:
    case kBasicPaperSettingButton:
    case kBasicAutoTrayButton:
    case kBasicAuthButton:
      return code == BN_CLICKED ? RunButtonDialog(dialog, ctx, id) : FALSE;
    case kBasicCtl2500:
      Paper1SheetReadCtl2500(dialog, ctx);
      NoteChange(dialog, ctx);
      return TRUE;
    default:
      return FALSE;
  }
}
