// The Booklet Setting dialog (template 134): the side a booklet is bound on
// (left or right in portrait, top or bottom in landscape) and its border
// lines.

#include "common/records/doc_fields.h"
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
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/owner_draw_win.h"


namespace {

enum : int {
  kPreview = 1235,
  kStopIcon = 1608,
  kBindingLabel = 1586,
  kBindingCombo = 1590,
  kBorderBox = 1406,
  kDefaultButton = 1032,
  kHelpButton = 9,
};
constexpr int kLayoutPageId = 101;

const DWORD kHelpIds[] = {1608, 2810, 1586, 2810, 1590, 2810, 1406, 2820, 1235, DWORD(-1), 1069, DWORD(-1),
                          1032, 9510, 0, 0};


void Init(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const bool portrait = Fields(*doc).nOrientation == 1;
  FillOptionCombo(dialog, kBindingCombo, FindOptionTable(portrait ? "BookletBinding_Port" : "BookletBinding_Land"));
  FixUpBookletBinding(doc);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1235, 1586, 1590, 1406, 1032}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

bool ReadBinding(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (const OptionItem* row = SelectedOptionRow(dialog, kBindingCombo)) {
    Fields(*doc).nBookletOrder = static_cast<uint8_t>(row->value);
  }
  FixUpBookletBinding(doc);
  return true;
}
void ShowBinding(HWND dialog, SheetCtx* ctx) {
  SelectOptionValue(dialog, kBindingCombo, Fields(*GetPrivDevMode(ctx)).nBookletOrder);
}
void AfterBinding(HWND dialog, SheetCtx* ctx) {
  FixUpBookletBinding(GetPrivDevMode(ctx));
  InvalidateRect(dialog, nullptr, TRUE);
}
void Repaint(HWND dialog, SheetCtx*) { InvalidateRect(dialog, nullptr, TRUE); }

const DialogBinding kBindings[] = {
    {kBindingCombo, CBN_SELCHANGE, BindKind::kCustom, DOC_FIELD_AT(nBookletOrder), 1, 0, ReadBinding, ShowBinding,
     AfterBinding},
    {kBorderBox, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bBookletBorder), 1, 0, nullptr, nullptr, Repaint},
    {},
};

void Defaults(HWND, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  const uint8_t old = Fields(*doc).nBookletOrder;
  Fields(*doc).nBookletOrder = Fields(defaults).nBookletOrder;
  if (Fields(*doc).nBookletOrder != old) FixUpBookletBinding(doc);
  Fields(*doc).bBookletBorder = Fields(defaults).bBookletBorder;
}

// Without a chosen side the dialog stays open without a message.
bool Ok(HWND dialog, SheetCtx* ctx) {
  const OptionItem* row = SelectedOptionRow(dialog, kBindingCombo);
  if (row == nullptr) return false;
  DocDMode* doc = GetPrivDevMode(ctx);
  Fields(*doc).nBookletOrder = static_cast<uint8_t>(row->value);
  Fields(*doc).bBookletBorder = IsDlgButtonChecked(dialog, kBorderBox) == BST_CHECKED ? 1 : 0;
  return true;
}

void DrawBindingItem(const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if (item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    const wchar_t* text = row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"";
    // Every binding side shows the same picture.
    DrawBitmapText(item, DialogFrameworkModules().images, 6050, 6051, 0, text, 32, 32);
  }
  if (item->itemAction == ODA_FOCUS) DrawItemFocus(item);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == kPreview) {
    DrawLayoutPreview(kLayoutPageId, dialog, item, ctx, false);
    return true;
  }
  if (item->CtlID != kBindingCombo) return false;
  DrawBindingItem(item);
  return true;
}

const SheetComboHeight kComboHeights[] = {{kBindingCombo, kLayoutItemHeight}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kBookletSettingTemplate,
    .textSection = "Dlg_SetBookletStyle",
    .helpIds = kHelpIds,
    .helpTopic = 2800,
    .clipTitle = L"Combination Details Dialog",
    .bindings = kBindings,
    .comboHeights = kComboHeights,
    .init = Init,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

}  // namespace

INT_PTR CALLBACK BookletSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
