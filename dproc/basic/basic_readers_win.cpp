// The Basic sheet's readers, the paper dimension sync and the helpers its
// files share.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "common/qxd/paper_tables.h"
#include "dproc/basic/basic_sheet_parts_win.h"
#include "dproc/basic/basic_sheet_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/sheet_user_papers_win.h"

namespace basic {

DocFields* FieldsOf(SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  return doc != nullptr ? &Fields(*doc) : nullptr;
}

const ModelInfo* Model() { return ProcessModelInfo(); }

bool HasFeature(ModelFeature feature) {
  const ModelInfo* model = Model();
  return model != nullptr && model->features[feature] != 0;
}

bool IsShown(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

uint8_t IsChecked(HWND dialog, int controlId) { return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED ? 1 : 0; }

void Check(HWND dialog, int controlId, bool on) { CheckDlgButton(dialog, controlId, on ? BST_CHECKED : BST_UNCHECKED); }

const OptionHead* SelectedRow(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  if (combo == nullptr) return nullptr;
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return nullptr;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  if (data == CB_ERR || data == 0) return nullptr;
  return reinterpret_cast<const OptionHead*>(data);
}

const char16_t* RowText(const OptionHead* row) {
  return reinterpret_cast<const char16_t*>(reinterpret_cast<const uint8_t*>(row) + 48);
}

bool SelectByValue(HWND dialog, int comboId, int64_t value) {
  HWND combo = GetDlgItem(dialog, comboId);
  if (combo == nullptr) return false;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data == CB_ERR || data == 0) continue;
    if (reinterpret_cast<const OptionHead*>(data)->value == static_cast<uint32_t>(value)) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  return false;
}

const OptionHead* SessionPapers(SheetCtx* ctx, bool output, uint32_t* count) {
  *count = 0;
  const UserPaperUiState* state = UserPaperStateOf(GetUIState(ctx));
  if (state == nullptr) return nullptr;
  const SessionPaperItem* rows = output ? state->outPapers : state->papers;
  if (rows == nullptr) return nullptr;
  *count = output ? state->outPaperCount : state->paperCount;
  return reinterpret_cast<const OptionHead*>(rows);
}

const OptionHead* SessionPaperRow(SheetCtx* ctx, bool output, uint32_t value) {
  uint32_t count = 0;
  const OptionHead* row = SessionPapers(ctx, output, &count);
  for (uint32_t i = 0; i < count; ++i, row = NextOptionRow(row)) {
    if (row->value == value) return row;
  }
  return nullptr;
}

bool MediaTypeInUse(SheetCtx* ctx, int16_t* type) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const DocFields* f = FieldsOf(ctx);
  if (f == nullptr) return false;
  if (HasFeature(kMfPaperSourceTraySetting) && static_cast<uint16_t>(f->nDefaultSource) != kAutoTrayId) {
    const uint32_t slot = GetTraySlotIndex(static_cast<uint16_t>(f->nDefaultSource), doc);
    if (slot >= 10) return false;
    *type = f->PTInfoEach[slot].nPaperType2;
    return true;
  }
  *type = f->nMediaType;
  return true;
}

void NoteChange(HWND dialog, SheetCtx* ctx) { NoteSheetChange(dialog, GetPrivDevMode(ctx)); }

int32_t Constraints(HWND dialog, uint16_t controlId) {
  return RunSheetConstraints(dialog, DialogTooltipOf(dialog), controlId);
}

void Hint(HWND dialog, SheetCtx* ctx) { DispPageHint(dialog, ctx, kBasicSheetTemplate); }

void ShowZoomValue(HWND dialog, int32_t value) {
  SetDlgItemInt(dialog, kBasicZoomEdit, static_cast<UINT>(value), TRUE);
  SendDlgItemMessageW(dialog, kBasicZoomSpin, UDM_SETPOS32, 0, value);
}

void ShowCopies(HWND dialog, uint16_t copies) {
  SetDlgItemInt(dialog, kBasicCopies, copies, TRUE);
  SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_SETPOS32, 0, copies);
}

void ShowSettings(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr) return;
  if (const OptionHead* row = SelectedRow(dialog, kBasicPaperSize)) {
    const uint32_t v = row->value;
    if ((v & 0x1000) != 0 || (v >= 512 && v <= 522)) {
      // The form's or user paper's dimensions, as the reader takes them.
      Paper1SheetReadPaperSize(dialog, ctx);
    }
  }
  SelectByValue(dialog, kBasicOutPaperSize, static_cast<uint16_t>(f->nOutPaperSize));
  Check(dialog, kBasicZoomAuto, f->bScaleAuto != 0);
  Check(dialog, kBasicZoomManual, f->bScaleAuto == 0);
  ShowZoomValue(dialog, f->nScale);
  if (f->nOrientation == 1 || f->nOrientation == 2) {
    Check(dialog, kBasicPortrait, f->nOrientation == 1);
    Check(dialog, kBasicLandscape, f->nOrientation == 2);
  }
  SelectByValue(dialog, kBasicTray, static_cast<uint16_t>(f->nDefaultSource));
  int16_t media = 0;
  if (MediaTypeInUse(ctx, &media)) SelectByValue(dialog, kBasicMedia, media);
  ShowCopies(dialog, f->nCopies);
  Check(dialog, kBasicCollate, f->bCollate != 0);
  Check(dialog, kBasicJobOffset, f->bJobOffset != 0);
  SelectByValue(dialog, kBasicOutput, f->nOutputMethod);
  Check(dialog, kBasicOption1, f->bPaperOption1 != 0);
  Check(dialog, kBasicOption2, f->bPaperOption2 != 0);
  uint16_t ctl2500 = 0;
  std::memcpy(&ctl2500, reinterpret_cast<const uint8_t*>(GetPrivDevMode(ctx)) + kCtl2500At, 2);
  Check(dialog, kBasicCtl2500, ctl2500 != 0);
}

intptr_t RunSheetDialog(HWND dialog, SheetCtx* ctx, uint16_t templateId, DLGPROC proc) {
  if (proc == nullptr) return -1;
  return RunMyDialogBox(DialogFrameworkModules().templates, dialog, templateId, proc, reinterpret_cast<LPARAM>(ctx));
}

void OrientationFixUps(HWND dialog, SheetCtx* ctx, bool notify) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const int changed[] = {FixUpBindingEdge(ctx), FixUpNupStyle(doc), FixUpBookletBinding(doc),
                         FixUpCombinationOrder(ProcessModelInfo(), doc)};
  if (!notify) return;
  for (int c : changed) {
    if (c != 0) {
      NoteChange(dialog, ctx);
      InvalidateRect(dialog, nullptr, FALSE);
    }
  }
}

}  // namespace basic

using namespace basic;

namespace {

bool KillActiveNow(SheetCtx* ctx) {
  const BasicUiState* state = BasicStateOf(GetUIState(ctx));
  return state != nullptr && state->killActive != 0;
}

DEVMODEW* Public(SheetCtx* ctx) { return GetCtxPublicDevMode(ctx); }

}  // namespace

bool Paper1SheetReadPaperSize(HWND dialog, SheetCtx* ctx) {
  uint32_t count = 0;
  if (SessionPapers(ctx, false, &count) == nullptr || count == 0) return false;
  DocFields* f = FieldsOf(ctx);
  const OptionHead* selected = SelectedRow(dialog, kBasicPaperSize);
  // No selection (a settings value no row carries): the value stays.
  if (f == nullptr || selected == nullptr) return true;
  const uint32_t v = selected->value;
  if (v != static_cast<uint32_t>(kCustomPaper)) {
    if (const OptionHead* row = SessionPaperRow(ctx, false, v)) {
      SelectCpsuiItemOption(ctx, 9, reinterpret_cast<const wchar_t*>(RowText(row)));
    }
  } else {
    SelectLastFormItem(ctx);
  }
  f->nPaperSize = static_cast<int16_t>(v);
  if (DEVMODEW* pub = Public(ctx)) {
    pub->dmPaperSize = static_cast<short>(v);
    const bool session = GetCtxSessionFlag(ctx) != 0;
    if (v == static_cast<uint32_t>(kCustomPaper)) {
      pub->dmPaperLength = f->sizInUserDefPaperMM_cy;
      pub->dmPaperWidth = f->sizInUserDefPaperMM_cx;
      if (!session) pub->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    } else {
      pub->dmPaperLength = 0;
      pub->dmPaperWidth = 0;
      if (!session) pub->dmFields = (pub->dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
    }
  }
  if ((v & 0x1000) != 0) {
    if (const auto* row = reinterpret_cast<const SessionPaperItem*>(SessionPaperRow(ctx, false, v))) {
      f->sizServerPaper_cx = static_cast<int16_t>(row->width);
      f->sizServerPaper_cy = static_cast<int16_t>(row->length);
    }
  } else if (v >= 512 && v <= 522) {
    const UserPaperUiState* state = UserPaperStateOf(GetUIState(ctx));
    const uint32_t n = state != nullptr ? UserPaperCount(&state->list) : 0;
    for (uint32_t i = 0; i < n; ++i) {
      const UserPaperEntry& e = state->list.entries[i];
      if (static_cast<uint16_t>(e.paperId) == v) {
        f->sizServerPaper_cx = static_cast<int16_t>(e.width / 100);
        f->sizServerPaper_cy = static_cast<int16_t>(e.length / 100);
        break;
      }
    }
  }
  Paper1SheetSyncUserPaper(ctx);
  return true;
}

bool Paper1SheetReadOutPaperSize(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const OptionHead* row = SelectedRow(dialog, kBasicOutPaperSize);
  if (f == nullptr || row == nullptr) return true;
  f->nOutPaperSize = static_cast<int16_t>(static_cast<uint16_t>(row->value));
  Paper1SheetSyncUserPaper(ctx);
  return true;
}

bool Paper1SheetReadZoomValue(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || !IsShown(dialog, kBasicZoomEdit)) return true;
  BOOL ok = FALSE;
  const UINT v = GetDlgItemInt(dialog, kBasicZoomEdit, &ok, FALSE);
  if (KillActiveNow(ctx) && (!ok || v < 25 || v > 400)) {
    ShowMessageBox(dialog, 1, 2, 10, MB_ICONEXCLAMATION, 25, 400);
    return false;
  }
  f->nScale = static_cast<int16_t>(v);
  return true;
}

bool Paper1SheetReadOrientation(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || !IsShown(dialog, kBasicPortrait)) return true;
  const uint8_t old = f->nOrientation;
  f->nOrientation = IsChecked(dialog, kBasicPortrait) ? 1 : 2;
  if (DEVMODEW* pub = Public(ctx)) pub->dmOrientation = f->nOrientation;
  SelectCpsuiItemOption(ctx, 1, MAKEINTRESOURCEW(f->nOrientation == 1 ? 64753 : 64754));
  if (f->nOrientation != old) OrientationFixUps(dialog, ctx, true);
  Paper1SheetEnableControls(dialog, ctx);
  return true;
}

bool Paper1SheetReadMediaType(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const OptionHead* row = SelectedRow(dialog, kBasicMedia);
  if (f == nullptr || row == nullptr || HasFeature(kMfMediaTypeDetail) || !IsShown(dialog, kBasicMedia)) return true;
  const int16_t old = f->nMediaType;
  f->nMediaType = static_cast<int16_t>(row->value);
  if (f->nMediaType != old && !ConfirmOhpInterleaveOff(dialog, ctx, kBasicMedia)) {
    f = FieldsOf(ctx);
    f->nMediaType = old;
    SelectByValue(dialog, kBasicMedia, old);
    return false;
  }
  SelectCpsuiItemOption(ctx, 12, reinterpret_cast<const wchar_t*>(RowText(row)));
  if (DEVMODEW* pub = Public(ctx)) pub->dmMediaType = row->value;
  return true;
}

bool Paper1SheetReadTray(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const OptionHead* row = SelectedRow(dialog, kBasicTray);
  if (f == nullptr || row == nullptr || !IsShown(dialog, kBasicTray)) return true;
  f->nDefaultSource = static_cast<int16_t>(static_cast<uint16_t>(row->value));
  SelectCpsuiItemOption(ctx, 4, reinterpret_cast<const wchar_t*>(RowText(row)));
  if (DEVMODEW* pub = Public(ctx)) pub->dmDefaultSource = static_cast<short>(row->value);
  return true;
}

bool Paper1SheetReadCopies(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || !IsShown(dialog, kBasicCopies)) return true;
  const ModelInfo* model = Model();
  const int32_t lo = model != nullptr ? model->copiesMin : 1;
  const int32_t hi = model != nullptr ? model->copiesMax : 9999;
  BOOL ok = FALSE;
  const int32_t typed = static_cast<int32_t>(GetDlgItemInt(dialog, kBasicCopies, &ok, TRUE));
  if (KillActiveNow(ctx) && (!ok || typed < lo || typed > hi)) {
    ShowMessageBox(dialog, 1, 2, 11, MB_ICONEXCLAMATION, lo, hi);
    return false;
  }
  const uint16_t old = f->nCopies;
  f->nCopies = LOWORD(SendDlgItemMessageW(dialog, kBasicCopiesSpin, UDM_GETPOS, 0, 0));
  if (f->nCopies != old && !ConfirmOhpInterleaveOff(dialog, ctx, kBasicCopies)) {
    f = FieldsOf(ctx);
    f->nCopies = old;
    ShowCopies(dialog, old);
    return false;
  }
  if (DEVMODEW* pub = Public(ctx)) pub->dmCopies = static_cast<short>(f->nCopies);
  SetCpsuiItemSel(ctx, 3, f->nCopies);
  return true;
}

bool Paper1SheetReadCollate(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || !IsShown(dialog, kBasicCollate)) return true;
  const uint8_t old = f->bCollate;
  f->bCollate = IsChecked(dialog, kBasicCollate);
  if (f->bCollate != old && !ConfirmOhpInterleaveOff(dialog, ctx, kBasicCollate)) {
    f = FieldsOf(ctx);
    f->bCollate = old;
    Check(dialog, kBasicCollate, old != 0);
    return false;
  }
  SetCollateCheck(ctx, f->bCollate != 0);
  return true;
}

bool Paper1SheetReadOutputMethod(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  if (f == nullptr || !IsShown(dialog, kBasicOutput)) return true;
  const OptionHead* row = SelectedRow(dialog, kBasicOutput);
  if (row == nullptr) return false;
  f->nOutputMethod = static_cast<uint8_t>(row->value);
  return true;
}

bool Paper1SheetReadCtl2500(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr || !IsShown(dialog, kBasicCtl2500)) return true;
  const uint16_t v = IsChecked(dialog, kBasicCtl2500);
  std::memcpy(reinterpret_cast<uint8_t*>(doc) + kCtl2500At, &v, 2);
  return true;
}

void Paper1SheetSyncUserPaper(SheetCtx* ctx) {
  uint32_t count = 0;
  if (SessionPapers(ctx, true, &count) == nullptr || count == 0) return;
  DocDMode* doc = GetPrivDevMode(ctx);
  DocFields* f = FieldsOf(ctx);
  const ModelInfo* model = Model();
  int32_t w = 0, l = 0, margins[4] = {};
  if (GetPaperSizeAndMargins(model, doc, static_cast<uint16_t>(f->nPaperSize), false, &w, &l, margins)) {
    f->sizPaper_cx = static_cast<int16_t>(w);
    f->sizPaper_cy = static_cast<int16_t>(l);
    f->rcMargin_left = static_cast<int16_t>(margins[0]);
    f->rcMargin_top = static_cast<int16_t>(margins[1]);
    f->rcMargin_right = static_cast<int16_t>(margins[2]);
    f->rcMargin_bottom = static_cast<int16_t>(margins[3]);
  }
  const uint16_t out = static_cast<uint16_t>(f->nOutPaperSize);
  if (out == 356 || out == 357) {
    f->sizOutPaper_cx = f->sizPaper_cx;
    f->sizOutPaper_cy = f->sizPaper_cy;
  } else {
    const uint32_t id = ResolvePaperSizeId(model, static_cast<uint16_t>(f->nPaperSize), out);
    if ((id & 0x1000) == 0 && !(id >= 512 && id <= 522)) {
      int32_t ow = 0, ol = 0;
      if (GetPaperSizeDims(model, doc, &ow, &ol)) {
        f->sizOutPaper_cx = static_cast<int16_t>(ow);
        f->sizOutPaper_cy = static_cast<int16_t>(ol);
      } else {
        f->sizOutPaper_cx = f->sizPaper_cx;
        f->sizOutPaper_cy = f->sizPaper_cy;
      }
    } else if (const auto* row = reinterpret_cast<const SessionPaperItem*>(SessionPaperRow(ctx, true, id))) {
      if (out == 358) {
        f->sizOutPaper_cx = static_cast<int16_t>(row->length);
        f->sizOutPaper_cy = static_cast<int16_t>(2 * row->width);
      } else {
        f->sizOutPaper_cx = static_cast<int16_t>(row->width);
        f->sizOutPaper_cy = static_cast<int16_t>(row->length);
      }
    }
  }
  if (DEVMODEW* pub = Public(ctx)) {
    pub->dmPaperLength = f->sizPaper_cy;
    pub->dmPaperWidth = f->sizPaper_cx;
  }
}
