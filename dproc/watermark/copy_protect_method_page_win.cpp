// The method page of the copy-protect edit dialog: the print items go on the
// page as a hidden pattern that shows on copies (its effect, placement,
// background and colour) or as a visible stamp (its placement and colour).
// The shorter page of a type 2 model holds only the pattern's effect,
// placement and colour.  The colours are the device's own: their lists and
// buttons stay hidden.
#include <windows.h>

#include <initializer_list>

#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"

namespace {

enum : int {
  kPreview = 2146, kPatternRadio = 2147, kStampRadio = 2148, kPatternGroup = 2149, kEffect = 2151,
  kPatternPlace = 2153, kBackground = 2155, kPatternColourLabel = 2156, kPatternColour = 2157,
  kPatternColourButton = 2158, kStampGroup = 2159, kStampPlaceLabel = 2160, kStampPlace = 2161,
  kStampColourLabel = 2162, kStampColour = 2105, kStampColourButton = 2164,
};

const DWORD kHelpIds[] = {2146, DWORD(-1), 2147, 4870, 2148, 4880, 2149, 4890, 2150, 4900, 2151, 4900, 2152, 4910,
                          2153, 4910, 2154, 4920, 2155, 4920, 2156, 4930, 2157, 4930, 2158, 4940, 2159, 4950,
                          2160, 4960, 2161, 4960, 2162, 4970, 2105, 4970, 2164, 4980, 1032, 9510, 0, 0};
const SheetComboHeight kComboHeights[] = {{kEffect, 32}, {kPatternPlace, 32}, {kStampPlace, 32},
                                          {kPatternColour, 16}, {kStampColour, 16}, {0, 0}};

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }
bool Short() { return CopyProtectDialogType() == 2; }

void RepaintPreview(HWND page, SheetCtx*) {
  if (HWND preview = GetDlgItem(page, kPreview)) InvalidateRect(preview, nullptr, TRUE);
}

void EnableRules(HWND page, SheetCtx* ctx) {
  // The shorter page has no choice of method: its pattern controls are
  // always in use.
  const bool pattern = Short() || F(ctx).bCompositeMethod != 0;
  for (int id = kPatternGroup; id <= kPatternColourButton; ++id) {
    EnableCtrlIfVisible(GetDlgItem(page, id), pattern ? TRUE : FALSE);
  }
  for (int id : {kStampGroup, kStampPlaceLabel, kStampPlace, kStampColourLabel, kStampColour, kStampColourButton}) {
    EnableCtrlIfVisible(GetDlgItem(page, id), pattern ? FALSE : TRUE);
  }
  for (int id : {kPatternColourLabel, kPatternColour, kPatternColourButton, kStampColourLabel, kStampColour,
                 kStampColourButton}) {
    ShowEnableCtrl(page, id, FALSE);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id = kPatternRadio; id <= kPatternColour; ++id) EnableWindow(GetDlgItem(page, id), FALSE);
    for (int id : std::initializer_list<int>{kStampGroup, kStampPlaceLabel, kStampPlace, kStampColourLabel, kStampColour,
                                             kDefaultButtonId}) {
      EnableWindow(GetDlgItem(page, id), FALSE);
    }
  }
}

void FillLists(HWND page, SheetCtx* ctx) {
  FillOptionRowsByName(page, kEffect, "CPE_CP_Effect");
  FillOptionRowsByName(page, kPatternPlace, "CPE_CP_Placement");
  FillOptionRowsByName(page, kPatternColour, "CPE_CP_Color");
  if (Short()) return;
  FillCopyProtectPatternList(page, ctx);
  FillOptionRowsByName(page, kStampPlace, "CPE_SS_Placement");
  FillOptionRowsByName(page, kStampColour, "CPE_SS_Color");
}

bool ReadPattern(HWND page, SheetCtx* ctx) { return GetCopyProtectPatternItem(page, ctx); }
void ShowPattern(HWND page, SheetCtx* ctx) { SelectCopyProtectPatternItem(page, ctx); }

const DialogBinding kBindings[] = {
    {kPatternRadio, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(bCompositeMethod), 1, 1, nullptr, nullptr,
     RepaintPreview},
    {kStampRadio, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(bCompositeMethod), 1, 0, nullptr, nullptr,
     RepaintPreview},
    {kEffect, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nPattern), 1},
    {kPatternPlace, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nCPE_CP_Placement), 1},
    {kBackground, CBN_SELENDOK, BindKind::kCustom, DOC_FIELD_AT(nBackPattern), 1, 0, ReadPattern, ShowPattern},
    {kPatternColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nCPE_CP_Color), 2},
    {kStampPlace, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nCPE_SS_Placement), 1},
    {kStampColour, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nCPE_SS_Color), 2},
    {},
};

bool Command(HWND page, SheetCtx* ctx, int id, int code) {
  if (code != BN_CLICKED) return false;
  if (id == kPatternColourButton) {
    if (RunSheetDialog(page, kPatternColourTemplate, UCopyColorAdjustDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
      SelectOptionRow(page, kPatternColour, static_cast<uint32_t>(F(ctx).nCPE_CP_Color));
    }
    return true;
  }
  if (id == kStampColourButton) {
    if (RunSheetDialog(page, kStampColourTemplate, PspColorAdjustDlgProc, reinterpret_cast<LPARAM>(ctx)) == IDOK) {
      SelectOptionRow(page, kStampColour, static_cast<uint32_t>(F(ctx).nCPE_SS_Color));
    }
    return true;
  }
  return false;
}

void Defaults(HWND page, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const DocFields& d = Fields(defaults);
  f.bCompositeMethod = d.bCompositeMethod;
  f.nPattern = d.nPattern;
  f.nBackPattern = d.nBackPattern;
  f.nCPE_CP_Placement = d.nCPE_CP_Placement;
  f.nCPE_CP_Color = d.nCPE_CP_Color;
  f.nCPE_SS_Placement = d.nCPE_SS_Placement;
  f.nCPE_SS_Color = d.nCPE_SS_Color;
  f.nCPE_CP_Density = d.nCPE_CP_Density;
  f.nCPE_CP_Contrast = d.nCPE_CP_Contrast;
  f.nCPE_SS_Density = d.nCPE_SS_Density;
  RepaintPreview(page, ctx);
}

// Takes a list's selected value into a field (nothing without a selection).
template <typename T>
void TakeList(HWND page, int id, T* field) {
  uint32_t value = 0;
  if (SelectedOptionValue(page, id, &value)) *field = static_cast<T>(value);
}

void StoreAll(HWND page, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  if (!Short()) f.bCompositeMethod = IsDlgButtonChecked(page, kPatternRadio) == BST_CHECKED ? 1 : 0;
  TakeList(page, kEffect, &f.nPattern);
  TakeList(page, kPatternPlace, &f.nCPE_CP_Placement);
  TakeList(page, kPatternColour, &f.nCPE_CP_Color);
  if (Short()) return;
  GetCopyProtectPatternItem(page, ctx);
  TakeList(page, kStampPlace, &f.nCPE_SS_Placement);
  TakeList(page, kStampColour, &f.nCPE_SS_Color);
}

bool Message(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message == kCopyProtectPageActivate) {
    RunSheetConstraints(page, nullptr, 0);
    FillLists(page, ctx);
    ShowBindings(page, ctx, kBindings);
    EnableRules(page, ctx);
    RepaintPreview(page, ctx);
  } else if (message == kCopyProtectPageLeave) {
    StoreAll(page, ctx);
  } else {
    return false;
  }
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  *result = TRUE;
  return true;
}

void DrawPreview(const DRAWITEMSTRUCT* item, bool pattern) {
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_3DFACE));
  HMODULE images = DialogFrameworkModules().images;
  const int image = pattern ? 11110 : 11108;
  HBITMAP bitmap = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(image)) : nullptr;
  if (bitmap == nullptr) return;
  const SIZE size = GetBitmapSize(bitmap);
  DeleteObject(bitmap);
  const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - size.cx) / 2;
  DrawMaskedBitmap(item->hDC, images, image, image + 1, x, item->rcItem.top);
}

bool DrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  const int id = static_cast<int>(item->CtlID);
  if (id == kPreview) {
    DrawPreview(item, Short() || F(ctx).bCompositeMethod != 0);
    return true;
  }
  if (id != kEffect && id != kPatternPlace && id != kStampPlace && id != kPatternColour && id != kStampColour) {
    return false;
  }
  if (item->itemID == static_cast<UINT>(-1)) return true;
  DrawItemBackground(item);
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  HMODULE images = DialogFrameworkModules().images;
  if (row != nullptr) {
    const wchar_t* text = OptionRowDisplayText(row);
    const int cell = row->value == 1 ? 1 : 0;
    if (id == kEffect) {
      DrawBitmapText(item, images, 11106, 11107, cell, text, 32, 32);
    } else if (id == kPatternPlace || id == kStampPlace) {
      DrawBitmapText(item, images, 11104, 11105, cell, text, 32, 32);
    } else if (id == kStampColour && row->flag != 0) {
      DrawIconText(item, static_cast<int>(row->iconId), text);
    } else if (const int bitmap = MethodPageColourBitmap(row->value)) {
      DrawBitmapText(item, images, bitmap, kStampColourMask, 0, text, 16, 16);
    } else {
      DrawIconText(item, 0, text);
    }
  }
  if ((item->itemState & (ODS_FOCUS | ODS_SELECTED)) != 0) DrawItemFocus(item);
  return true;
}

void Init(HWND page, SheetCtx* ctx) { FillLists(page, ctx); }

// The page of either template.
constexpr DocumentDialog MethodPage(uint16_t templateId) {
  return DocumentDialog{
      .templateId = templateId,
      .textSection = "Dlg_CopyProtectEdit",
      .helpIds = kHelpIds,
      .bindings = kBindings,
      .comboHeights = kComboHeights,
      .init = Init,
      .enableRules = EnableRules,
      .command = Command,
      .defaults = Defaults,
      .drawItem = DrawItem,
      .other = Message,
  };
}
const DocumentDialog kPage = MethodPage(kCopyProtectMethodPage);
const DocumentDialog kShortPage = MethodPage(kCopyProtectShortMethodPage);

}  // namespace

INT_PTR CALLBACK CopyProtectPatternPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(Short() ? kShortPage : kPage, page, message, wParam, lParam);
}
