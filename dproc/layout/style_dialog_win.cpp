// The Style Setting dialog (template 116): pages per sheet (N-up and
// poster kinds), their order on the sheet, border lines and their kind,
// and the paste border of a poster.

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/nup_kinds.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/layout/layout_dialogs_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/nup_layout.h"
#include "dproc/model/orientation_rules.h"
#include "dproc/preview/preview_overrides.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"


namespace {

enum : int {
  kPreview = 1235,
  kNupStopIcon = 1112,
  kNupLabel = 1022,
  kPasteBorderBox = 1580,
  kOrderLabel = 1404,
  kOrderCombo = 1405,
  kBorderStopIcon = 1407,
  kBorderBox = 1837,
  kBorderKindCombo = 1578,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

const DWORD kHelpIds[] = {1112, 2230, 1022, 2230, 1025, 2230, 1580, 2240, 1404, 2210, 1405, 2210, 1407, 2220,
                          1837, 2220, 1578, 2220, 1235, DWORD(-1), 1069, DWORD(-1), 1032, 9510, 0, 0};

void FillOrders(HWND dialog, const DocDMode* doc) {
  FillOptionCombo(dialog, kOrderCombo, NupOrderOptionTable(GetNupLayoutKind(doc)));
  SelectOptionValue(dialog, kOrderCombo, Fields(*doc).nPageLayout);
}

void Arrange(HWND dialog, const SheetCtx* ctx, const DocDMode* doc) {
  const bool counted = GetNupKind(doc) != 0;
  ShowEnableCtrl(dialog, kPasteBorderBox, counted ? FALSE : TRUE);
  for (int id : {kOrderLabel, kOrderCombo, kBorderBox, kBorderKindCombo}) ShowEnableCtrl(dialog, id, counted);
  if (counted) EnableCtrlIfVisible(GetDlgItem(dialog, kBorderKindCombo), Fields(*doc).bNupBorder_ui != 0);
  FillNupCombo(dialog, ctx);
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1235, 1022, 1025, 1580, 1404, 1405, 1837, 1578, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// The pages per sheet from the list into the settings, the poster tiles
// and the common user interface's item; false without a selection.
bool ReadNup(HWND dialog, const SheetCtx* ctx, DocDMode* doc) {
  const OptionItem* row = SelectedOptionRow(dialog, kNupCombo);
  if (row == nullptr) return false;
  DocFields& f = Fields(*doc);
  f.nNup = static_cast<uint8_t>(row->value);
  f.byPosterPages = PosterPagesOf(f.nNup);
  SyncCpsuiNupItem(ctx, doc);
  return true;
}

bool ReadOption(HWND dialog, int comboId, uint8_t* field) {
  const OptionItem* row = SelectedOptionRow(dialog, comboId);
  if (row == nullptr) return false;
  *field = static_cast<uint8_t>(row->value);
  return true;
}

void Repaint(HWND dialog) { InvalidateRect(dialog, nullptr, TRUE); }

void Init(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  FillNupCombo(dialog, ctx);
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
  FillOptionCombo(dialog, kBorderKindCombo, FindOptionTable("BorderLine_op"));
  FixUpNupStyle(doc);
  SelectOptionValue(dialog, kOrderCombo, Fields(*doc).nPageLayout);
}

// After every change: the controls the kind shows, and the pictures.
void Rearrange(HWND dialog, SheetCtx* ctx) {
  Arrange(dialog, ctx, GetPrivDevMode(ctx));
  Repaint(dialog);
}

bool ReadBorderKind(HWND dialog, SheetCtx* ctx) {
  return ReadOption(dialog, kBorderKindCombo, &Fields(*GetPrivDevMode(ctx)).bPageBorder);
}
void ShowBorderKind(HWND dialog, SheetCtx* ctx) {
  SelectOptionValue(dialog, kBorderKindCombo, Fields(*GetPrivDevMode(ctx)).bPageBorder);
}

// A new kind brings its order and poster tiles: the three go back
// together, and the preview keeps the old kind and order while they are
// checked.
const BoundField kNupFields[] = {{DOC_FIELD_AT(nPageLayout), 1, kPreviewSlotNupStyle}, DOC_BOUND_FIELD(byPosterPages), {}};
bool ReadNupChoice(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (!ReadNup(dialog, ctx, doc)) return false;
  FixUpNupStyle(doc);
  return true;
}
// Everything the reading set is shown again, the common user interface's
// item too.
void ShowNup(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  SyncCpsuiNupItem(ctx, doc);
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
}
void NupFixUps(HWND, SheetCtx* ctx, const uint8_t* old) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (Fields(*doc).nNup == old[0]) return;
  FixUpBindingEdge(ctx);
  FixUpNupStyle(doc);
  FixUpCombinationOrder(ProcessModelInfo(), doc);
}

bool ReadOrder(HWND dialog, SheetCtx* ctx) {
  return ReadOption(dialog, kOrderCombo, &Fields(*GetPrivDevMode(ctx)).nPageLayout);
}
void ShowOrder(HWND dialog, SheetCtx* ctx) {
  SelectOptionValue(dialog, kOrderCombo, Fields(*GetPrivDevMode(ctx)).nPageLayout);
}

const DialogBinding kBindings[] = {
    {.controlId = kNupCombo, .notify = CBN_SELCHANGE, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nNup), .bytes = 1,
     .read = ReadNupChoice, .show = ShowNup, .previewSlot = kPreviewSlotNupKind, .changedFrom = NupFixUps,
     .alsoKeeps = kNupFields},
    {.controlId = kOrderCombo, .notify = CBN_SELCHANGE, .kind = BindKind::kCustom, .at = DOC_FIELD_AT(nPageLayout),
     .bytes = 1, .read = ReadOrder, .show = ShowOrder, .previewSlot = kPreviewSlotNupStyle},
    {kBorderKindCombo, CBN_SELCHANGE, BindKind::kCustom, DOC_FIELD_AT(bPageBorder), 1, 0, ReadBorderKind,
     ShowBorderKind},
    {kBorderBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bNupBorder_ui), 1},
    {kPasteBorderBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(nPosterMarginLine), 1},
    {},
};

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (CopyDefaultOEMDevMode(ctx, &defaults)) {
    DocFields& f = Fields(*doc);
    const DocFields& d = Fields(defaults);
    f.nNup = d.nNup;
    FixUpBindingEdge(ctx);
    f.nPageLayout = d.nPageLayout;
    FixUpNupStyle(doc);
    f.nPosterMarginLine = d.nPosterMarginLine;
    f.bNupBorder_ui = d.bNupBorder_ui;
    f.bPageBorder = d.bPageBorder;
  }
  LayoutSheetSelectNup(dialog, ctx);
  FillOrders(dialog, doc);
}

bool Refuse(HWND dialog, int focusId) {
  SetFocusCtrl(dialog, focusId);
  return false;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (!ReadNup(dialog, ctx, doc)) return Refuse(dialog, kNupCombo);
  DocFields& f = Fields(*doc);
  if (GetNupKind(doc) == 0) {
    f.nPosterMarginLine = IsDlgButtonChecked(dialog, kPasteBorderBox) == BST_CHECKED ? 1 : 0;
    return true;
  }
  if (!ReadOption(dialog, kOrderCombo, &f.nPageLayout)) return Refuse(dialog, kOrderCombo);
  if (!ReadOption(dialog, kBorderKindCombo, &f.bPageBorder)) return Refuse(dialog, kBorderKindCombo);
  f.bNupBorder_ui = IsDlgButtonChecked(dialog, kBorderBox) == BST_CHECKED ? 1 : 0;
  return true;
}

// The common user interface's item follows the restored settings.
void Cancelled(HWND, SheetCtx* ctx) { SyncCpsuiNupItem(ctx, GetPrivDevMode(ctx)); }

void DrawListItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  const DocDMode* doc = GetPrivDevMode(SheetCtxOf(dialog));
  if (doc == nullptr) return;
  const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
  int image = 1008, mask = 1007, cell = 0;
  if (item->CtlID == kOrderCombo) {
    const int kind = GetNupLayoutKind(doc);
    if (kind == -1) {
      if (item->itemID != static_cast<UINT>(-1)) DrawItemBackground(item);
      return;
    }
    image = 5191;
    mask = 5190;
    cell = PageOrderCell(kind, Fields(*doc).nNup, Fields(*doc).nOrientation == 1, row != nullptr ? row->value : 0);
  } else {
    cell = BorderKindCell(row != nullptr ? row->value : 1,
                          GetEffectiveOrientation(ProcessModelInfo(), doc) == 1);
  }
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    DrawBitmapText(item, DialogFrameworkModules().images, image, mask, cell,
                   row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
  }
  if (item->itemAction == ODA_FOCUS || ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem)) {
    DrawItemFocus(item);
  }
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kPreview:
      DrawLayoutPreview(kStyleSettingTemplate, dialog, item, ctx, true);
      return true;
    case kNupCombo:
      LayoutSheetDrawNupItem(dialog, item);
      return true;
    case kOrderCombo:
    case kBorderKindCombo:
      DrawListItem(dialog, item);
      return true;
    default:
      return false;
  }
}

const SheetComboHeight kComboHeights[] = {
    {kNupCombo, kLayoutItemHeight}, {kOrderCombo, kLayoutItemHeight}, {kBorderKindCombo, kLayoutItemHeight}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kStyleSettingTemplate,
    .textSection = "Dlg_SetNupStyle",
    .helpIds = kHelpIds,
    .helpTopic = 2200,
    .clipTitle = L"Combination Details Dialog",
    .bindings = kBindings,
    .comboHeights = kComboHeights,
    .init = Init,
    .enableRules = Rearrange,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .cancel = Cancelled,
};

}  // namespace

INT_PTR CALLBACK StyleSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
