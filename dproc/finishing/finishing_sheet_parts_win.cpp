// What the finishing sheets share: the runner of their modal dialogs, the
// edge rule of the staple and punch lists, and the Default button.
#include <cstring>

#include "common/records/doc_fields.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/finishing/finishing_marks.h"
#include "dproc/finishing/finishing_sheets_win.h"

namespace {
}  // namespace

intptr_t RunFinishingDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context) {
  return RunSheetDialog(owner, templateId, proc, context);
}

int UpdateStaplePunchAvailability(HWND window, const SheetCtx* ctx) {
  MarkStaplePunchByEdge(ProcessModelInfo(), GetPrivDevMode(ctx));
  InvalidateRect(window, nullptr, FALSE);
  return 1;
}

void RunSheetDefaults(HWND dialog, SheetCtx* ctx, const SheetDefaults& d) {
  SetFocusCtrl(dialog, kDefaultButtonId);
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (doc == nullptr || !CopyDefaultOEMDevMode(ctx, &defaults)) return;
  bool changed = false;
  for (size_t i = 0; i < d.count; ++i) {
    uint8_t* field = DocBytes(doc) + d.fields[i].at;
    const uint8_t* value = DocBytes(&defaults) + d.fields[i].at;
    if (std::memcmp(field, value, d.fields[i].bytes) == 0) continue;
    std::memcpy(field, value, d.fields[i].bytes);
    changed = true;
  }
  if (d.fixUps != nullptr) d.fixUps(ctx);
  d.show(dialog, ctx);
  if (changed) {
    RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
    DispPageHint(dialog, ctx, d.pageId);
    NoteSheetChange(dialog, doc);
  }
  d.enableRules(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void DrawFinishingPictureItem(HWND dialog, const DRAWITEMSTRUCT* item, int imageId, int maskId, int cell, bool masked) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0 && row != nullptr) {
    DrawItemBackground(item);
    const wchar_t* text = OptionRowDisplayText(row);
    HMODULE images = DialogFrameworkModules().images;
    if (masked) {
      DrawMaskedBitmapText(item, images, imageId, maskId, cell, text, row->flag != 0 ? 779 : 0, row->flag != 0 ? 780 : 0);
    } else {
      DrawBitmapText(item, images, imageId, maskId, cell, text, 32, 32);
    }
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == GetDlgItem(dialog, static_cast<int>(item->CtlID)))) {
    DrawItemFocus(item);
  }
}
