// Punch Setting (template 139): the document's hole-punch kind, chosen from
// the model's kinds; the per-page entries switch it on or off page by page.
// The skeleton keeps the settings for Cancel.

#include <windows.h>

#include <initializer_list>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"

namespace {

constexpr int kPunch = 1050;

const OptionHead* PunchRows() {
  const ModelInfo* m = ProcessModelInfo();
  return m != nullptr ? reinterpret_cast<const OptionHead*>(m->holePunches) : nullptr;
}

void Init(HWND dialog, SheetCtx* ctx) {
  FillOptionRows(dialog, kPunch, PunchRows());
  FixUpPunchPosition(ProcessModelInfo(), GetPrivDevMode(ctx));
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  if (CanChangeDocSettings(ctx)) return;
  for (int id : {1628, kPunch, kDefaultButtonId}) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

// The first kind of the model.
void Defaults(HWND dialog, SheetCtx* ctx) {
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
  const OptionHead* first = PunchRows();
  if (first != nullptr && first->keyword[0] != '\0') {
    Fields(*GetPrivDevMode(ctx)).nPunchNum = static_cast<uint8_t>(first->value);
  }
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPunch)) return false;
  DrawOptionRowItem(dialog, item);
  return true;
}

const DialogBinding kBindings[] = {
    {kPunch, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nPunchNum), sizeof(DocFields::nPunchNum)},
    {},
};
const DWORD kHelpIds[] = {1628, 3510, 1050, 3510, 1032, 9510, 0, 0};
const SheetComboHeight kComboHeights[] = {{kPunch, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kPerPagePunchTemplate,
    .textSection = "Dlg_PerPagePunch",
    .helpIds = kHelpIds,
    .helpTopic = 3500,
    .clipTitle = L"Hole-Punch Settings Dialog",
    .bindings = kBindings,
    .comboHeights = kComboHeights,
    .init = Init,
    .enableRules = EnableControls,
    .defaults = Defaults,
    .drawItem = DrawItem,
};

}  // namespace

INT_PTR CALLBACK PerPagePunchDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
