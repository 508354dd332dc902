#include "dproc/layout/nup_items_win.h"

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/records/nup_kinds.h"
#include "common/win/win_version.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/sheets/nup_option_table_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

constexpr uint16_t kOnePagePerSheet = 64865;
constexpr BYTE kCpsuiNupItem = 16;

bool g_posters = false;  // the filter of the fill in progress
bool KeepNupRow(const OptionHead* row) { return g_posters || !IsPosterNupKind(row->value); }

const NupOptionItem* RowOfKind(const SheetCtx* ctx, uint32_t kind) {
  const OptionHead* table = GetNupOptionTable(ctx);
  if (table == nullptr) return nullptr;
  for (const OptionHead* row = table; row->size != 0 && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
    if (row->value == kind && row->size >= sizeof(NupOptionItem)) return reinterpret_cast<const NupOptionItem*>(row);
  }
  return nullptr;
}

}  // namespace

void FillNupCombo(HWND dialog, const SheetCtx* ctx) {
  const ModelInfo* model = ProcessModelInfo();
  g_posters = model != nullptr && model->features[kMfPoster] != 0;
  FillOptionCombo(dialog, kNupCombo, GetNupOptionTable(ctx), KeepNupRow);
}

void LayoutSheetSelectNup(HWND dialog, const SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc != nullptr) SelectOptionValue(dialog, kNupCombo, Fields(*doc).nNup);
}

void LayoutSheetDrawNupItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if (item->itemAction == ODA_DRAWENTIRE || (item->itemState & ODS_SELECTED) != 0 || item->itemAction == ODA_SELECT) {
    DrawItemBackground(item);
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    const DocDMode* doc = GetPrivDevMode(GetDlgPrcCtx(dialog));
    const bool portrait = doc == nullptr || Fields(*doc).nOrientation == 1;
    int cell = 0;
    const uint32_t kind = row != nullptr ? row->value : 0;
    if (kind >= 1 && kind <= 5) cell = static_cast<int>(kind) * 2 + (portrait ? 0 : 1);
    else if (IsPosterNupKind(kind)) cell = 22 + static_cast<int>(kind - 7) * 2 + (portrait ? 0 : 1);
    DrawBitmapText(item, DialogFrameworkModules().images, 6050, 6051, cell,
                   row != nullptr ? reinterpret_cast<const wchar_t*>(row->text) : L"", 32, 32);
  }
  const bool focusChange = item->itemAction == ODA_FOCUS;
  const bool focused = (item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem;
  if (focusChange || focused) DrawItemFocus(item);
}

void SyncCpsuiNupItem(const SheetCtx* ctx, const DocDMode* doc) {
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  const bool counted = f.bNup != 0 && f.nNup >= 1 && f.nNup <= 5;
  uint16_t option = kOnePagePerSheet;
  if (counted) {
    if (const NupOptionItem* row = RowOfKind(ctx, f.nNup); row != nullptr && row->stringId != 0) option = row->stringId;
  }
  SelectCpsuiItemOption(ctx, kCpsuiNupItem, MAKEINTRESOURCEW(option));
  if (GetWinVersionClass() == kWinNT4) SetCpsuiNamedItemSel(ctx, counted ? f.nNup : 0);
}
