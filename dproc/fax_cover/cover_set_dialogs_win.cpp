// The Save and Edit Cover Sheet Setting dialogs over the printer's stored
// sets.  Both write the whole set list to the store on OK; Cancel changes
// nothing.  The Edit dialog's rules live in cover_set_edit (no windows).
#include "dproc/fax_cover/cover_set_dialogs_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/cover/cover_page_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_set_edit.h"
#include "dproc/fax_cover/cover_set_view_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

enum : int {
  kSetList = 2031, kNameEdit = 2033, kList = 2034, kTab = 2035, kPreview = 1235, kUp = 1908, kDown = 1909,
  kDelete = 1910,
};
constexpr uint16_t kSaveTemplate = 178, kEditTemplate = 179;

const DWORD kSaveHelpIds[] = {2030, 22010, 2031, 22010, 2032, 22020, 2033, 22020, 2035, 22030, 2034, 22030, 0, 0};
const DWORD kEditHelpIds[] = {2030, 22110, 2031, 22110, 2032, 22150, 2033, 22150, 2035, 22160, 2034, 22160,
                              1908, 22120, 1909, 22130, 1910, 22140, 0,    0};

std::u16string EditText(HWND dialog) {
  wchar_t text[kFcsSetNameChars + 1] = {};
  GetDlgItemTextW(dialog, kNameEdit, text, kFcsSetNameChars);
  const std::wstring w(text);
  return std::u16string(w.begin(), w.end()).substr(0, kFcsSetNameChars - 1);
}

void InitNameAndView(HWND dialog) {
  SendDlgItemMessageW(dialog, kNameEdit, EM_LIMITTEXT, kFcsSetNameChars - 1, 0);
  InitCoverSetView(dialog);
}

// --- Save: its context is the cover dialog's state.

void SaveInit(HWND dialog, SheetCtx* ctx) {
  const FcsDialogState* s = FcsStateOf(ctx);
  InitNameAndView(dialog);
  for (const CoverSheetSet& set : s->pCoverSets->sets) {
    SendDlgItemMessageW(dialog, kSetList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(set.name));
  }
  ShowCoverSetSummary(dialog, &s->coverSheet.basic, &s->coverSheet.sender, &s->coverSheet.image);
  SetFocus(GetDlgItem(dialog, kSetList));
}

bool SaveNotify(HWND dialog, SheetCtx* ctx, const NMHDR* n, LRESULT* result) {
  if (n->idFrom != static_cast<UINT_PTR>(kTab) || n->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  const FcsDialogState* s = FcsStateOf(ctx);
  ShowCoverSetSummary(dialog, &s->coverSheet.basic, &s->coverSheet.sender, &s->coverSheet.image);
  *result = TRUE;
  return true;
}

bool SaveDrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPreview)) return false;
  DrawCoverSetPreview(item, FcsStateOf(ctx)->hPreviewEmf, FcsStateOf(ctx)->coverPaper);
  return true;
}

// A new name: the set is added and stored; an empty or taken name keeps the
// dialog open.
bool SaveOk(HWND dialog, SheetCtx* ctx) {
  FcsDialogState* s = FcsStateOf(ctx);
  const std::u16string name = EditText(dialog);
  if (name.empty()) {
    ShowMessageBox(dialog, 1, 3, 530, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(dialog, kNameEdit));
    return false;
  }
  for (const CoverSheetSet& set : s->pCoverSets->sets) {
    if (name == set.name) {
      const std::wstring w(name.begin(), name.end());
      ShowMessageBoxStr(dialog, 1, 4, 531, MB_ICONEXCLAMATION, w.c_str(), nullptr);
      SetFocus(GetDlgItem(dialog, kNameEdit));
      return false;
    }
  }
  s->pCoverSets->sets.push_back(
      MakeCoverSheetSet(name.c_str(), s->coverSheet.basic, s->coverSheet.sender, s->coverSheet.image));
  s->pCoverSets->current = static_cast<int32_t>(s->pCoverSets->sets.size()) - 1;
  if (SaveCoverSheetSetList(s->szPrinterName, s->szDriverName, *s->pCoverSets) != 1) {
    // The set stays in the list for this session; the user hears that the
    // store refused it.
    ShowMessageBox(dialog, 7, 545, 0, MB_ICONEXCLAMATION, 0, 0);
  }
  return true;
}

const DocumentDialog kSaveDialog = {
    .templateId = kSaveTemplate,
    .textSection = "Dlg_SaveCoverSheetSet",
    .helpIds = kSaveHelpIds,
    .helpTopic = 22000,
    .editsDocument = false,
    .checksConstraints = false,
    .init = SaveInit,
    .ok = SaveOk,
    .drawItem = SaveDrawItem,
    .notify = SaveNotify,
};

INT_PTR CALLBACK SaveCoverSheetSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kSaveDialog, dialog, message, wParam, lParam);
}

// --- Edit

struct EditDialog {
  FcsDialogState* state;
  CoverSetEditModel model;
  std::vector<HENHMETAFILE> previews;  // one per item, in list order
};

EditDialog* EditOf(SheetCtx* ctx) { return reinterpret_cast<EditDialog*>(ctx); }

HENHMETAFILE ComposeSetPreview(HWND dialog, const FcsDialogState* s, const CoverSetEditItem& item) {
  FaxCoverSheetData data = s->coverSheet;
  data.basic = item.basic;
  data.sender = item.sender;
  data.image = item.image;
  HDC dc = GetDC(dialog);
  HENHMETAFILE emf = RenderFaxCoverSheet(dc, s->coverPaper.nAngle, data, s->pRecipients, s->dwRecipientCount, nullptr);
  ReleaseDC(dialog, dc);
  return emf;
}

void ShowItems(HWND dialog, const EditDialog* e) {
  HWND list = GetDlgItem(dialog, kSetList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const CoverSetEditItem& item : e->model.items) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.name));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(e->model.sel), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void UpdateButtons(HWND dialog, const EditDialog* e) {
  const CoverSetEditButtons b = CoverSetEditButtonState(e->model);
  const HWND focus = GetFocus();
  EnableWindow(GetDlgItem(dialog, kNameEdit), b.nameEdit);
  EnableWindow(GetDlgItem(dialog, kSetList), b.list);
  EnableWindow(GetDlgItem(dialog, IDOK), b.ok);
  EnableWindow(GetDlgItem(dialog, kUp), b.up);
  EnableWindow(GetDlgItem(dialog, kDown), b.down);
  EnableWindow(GetDlgItem(dialog, kDelete), b.del);
  if (!b.up && focus == GetDlgItem(dialog, kUp)) SetFocus(GetDlgItem(dialog, kDown));
  if (!b.down && focus == GetDlgItem(dialog, kDown)) SetFocus(GetDlgItem(dialog, kUp));
}

void ShowSelection(HWND dialog, const EditDialog* e) {
  const CoverSetEditItem* item = e->model.sel >= 0 ? &e->model.items[static_cast<size_t>(e->model.sel)] : nullptr;
  ShowCoverSetSummary(dialog, item ? &item->basic : nullptr, item ? &item->sender : nullptr,
                      item ? &item->image : nullptr);
  InvalidateRect(GetDlgItem(dialog, kPreview), nullptr, FALSE);
}

void SetNameEdit(HWND dialog, const EditDialog* e) {
  const std::wstring w(e->model.nameEdit.begin(), e->model.nameEdit.end());
  SetDlgItemTextW(dialog, kNameEdit, w.c_str());
}

// A refused name: message 530, or 531 formatted with the name typed.
void Refused(HWND dialog, const EditDialog* e, CoverSetEditStatus st) {
  const std::wstring name(e->model.nameEdit.begin(), e->model.nameEdit.end());
  ShowMessageBoxStr(dialog, 1, st, 0, MB_ICONEXCLAMATION, name.c_str(), nullptr);
  SetFocus(GetDlgItem(dialog, kNameEdit));
}

void EditInit(HWND dialog, SheetCtx* ctx) {
  EditDialog* e = EditOf(ctx);
  FcsDialogState* s = e->state;
  InitNameAndView(dialog);
  for (size_t i = 0; i < s->pCoverSets->sets.size(); ++i) {
    const CoverSheetSet& set = s->pCoverSets->sets[i];
    CoverSetEditItem item{};
    item.fCurrent = static_cast<int32_t>(i) == s->pCoverSets->current ? 1 : 0;
    std::memcpy(item.name, set.name, sizeof item.name);
    item.basic = set.basic;
    item.sender = set.sender;
    item.image = set.image;
    e->model.items.push_back(item);
    e->previews.push_back(ComposeSetPreview(dialog, s, item));
  }
  CoverSetEditOpen(&e->model);
  s->nEditSetSel = e->model.sel;
  ShowItems(dialog, e);
  SetNameEdit(dialog, e);
  UpdateButtons(dialog, e);
  ShowSelection(dialog, e);
  SetFocus(GetDlgItem(dialog, kSetList));
}

// The name, order and deletion of the sets; OK writes them all to the store.
bool EditCommand(HWND dialog, SheetCtx* ctx, int id, int code) {
  EditDialog* e = EditOf(ctx);
  CoverSetEditModel& m = e->model;
  switch (id) {
    case kSetList:
      if (code == LBN_SELCHANGE) {
        const int index = static_cast<int>(SendDlgItemMessageW(dialog, kSetList, LB_GETCURSEL, 0, 0));
        const CoverSetEditStatus st = CoverSetEditSelect(&m, index);
        if (st == kCoverEditEmptyName || st == kCoverEditDuplicateName) {
          SendDlgItemMessageW(dialog, kSetList, LB_SETCURSEL, static_cast<WPARAM>(m.sel), 0);
          Refused(dialog, e, st);
          return true;
        }
        ShowItems(dialog, e);
        SetNameEdit(dialog, e);
        UpdateButtons(dialog, e);
        ShowSelection(dialog, e);
      }
      break;
    case kNameEdit:
      if (code == EN_CHANGE && m.sel >= 0) {
        const std::u16string text = EditText(dialog);
        if (text == m.nameEdit) break;
        CoverSetEditType(&m, text);
        HWND list = GetDlgItem(dialog, kSetList);
        SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(m.sel), 0);
        SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(m.sel),
                     reinterpret_cast<LPARAM>(m.items[static_cast<size_t>(m.sel)].name));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(m.sel), 0);
        UpdateButtons(dialog, e);
      }
      break;
    case kUp:
    case kDown: {
      const int32_t from = m.sel;
      if ((id == kUp ? CoverSetEditUp(&m) : CoverSetEditDown(&m)) != kCoverEditDone) break;
      std::swap(e->previews[static_cast<size_t>(from)], e->previews[static_cast<size_t>(m.sel)]);
      ShowItems(dialog, e);
      UpdateButtons(dialog, e);
      break;
    }
    case kDelete: {
      if (m.sel < 0) break;
      const std::wstring name(reinterpret_cast<const wchar_t*>(m.items[static_cast<size_t>(m.sel)].name));
      if (ShowMessageBoxStr(dialog, 5, 6, 533, MB_ICONQUESTION | MB_YESNO, name.c_str(), nullptr) != IDYES) break;
      const size_t at = static_cast<size_t>(m.sel);
      if (e->previews[at] != nullptr) DeleteEnhMetaFile(e->previews[at]);
      e->previews.erase(e->previews.begin() + static_cast<std::ptrdiff_t>(at));
      CoverSetEditDelete(&m);
      ShowItems(dialog, e);
      SetNameEdit(dialog, e);
      SetFocus(GetDlgItem(dialog, m.items.empty() ? IDOK : kSetList));
      UpdateButtons(dialog, e);
      ShowSelection(dialog, e);
      break;
    }
    default:
      return false;
  }
  e->state->nEditSetSel = m.sel;
  return true;
}

bool EditOk(HWND dialog, SheetCtx* ctx) {
  EditDialog* e = EditOf(ctx);
  CoverSetEditModel& m = e->model;
  int32_t current = -1;
  const CoverSetEditStatus st = CoverSetEditOk(&m, &current);
  if (st == kCoverEditEmptyName || st == kCoverEditDuplicateName) {
    Refused(dialog, e, st);
    return false;
  }
  FaxCoverSheetSets& sets = *e->state->pCoverSets;
  sets.sets.clear();
  sets.current = -1;
  for (size_t i = 0; i < m.items.size(); ++i) {
    const CoverSetEditItem& item = m.items[i];
    sets.sets.push_back(MakeCoverSheetSet(item.name, item.basic, item.sender, item.image));
    if (static_cast<int32_t>(i) == current) sets.current = static_cast<int32_t>(i);
  }
  if (SaveCoverSheetSetList(e->state->szPrinterName, e->state->szDriverName, sets) != 1) {
    ShowMessageBox(dialog, 7, 545, 0, MB_ICONEXCLAMATION, 0, 0);
  }
  return true;
}

void EditCancel(HWND, SheetCtx* ctx) {
  EditDialog* e = EditOf(ctx);
  e->model.sel = -1;
  e->state->nEditSetSel = -1;
}

bool EditNotify(HWND dialog, SheetCtx* ctx, const NMHDR* n, LRESULT* result) {
  if (n->idFrom != static_cast<UINT_PTR>(kTab) || n->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  ShowSelection(dialog, EditOf(ctx));
  *result = TRUE;
  return true;
}

bool EditDrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPreview)) return false;
  const EditDialog* e = EditOf(ctx);
  const int32_t sel = e->model.sel;
  DrawCoverSetPreview(item, sel >= 0 ? e->previews[static_cast<size_t>(sel)] : nullptr, e->state->coverPaper);
  return true;
}

void EditDestroy(HWND dialog) {
  auto* e = reinterpret_cast<EditDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (e == nullptr) return;
  for (HENHMETAFILE& emf : e->previews) {
    if (emf != nullptr) DeleteEnhMetaFile(emf);
    emf = nullptr;
  }
  e->state->nEditSetSel = -1;
}

const DocumentDialog kEditDialog = {
    .templateId = kEditTemplate,
    .textSection = "Dlg_EditCoverSheetSet",
    .helpIds = kEditHelpIds,
    .helpTopic = 22100,
    .editsDocument = false,
    .checksConstraints = false,
    .init = EditInit,
    .command = EditCommand,
    .ok = EditOk,
    .drawItem = EditDrawItem,
    .notify = EditNotify,
    .destroy = EditDestroy,
    .cancel = EditCancel,
};

INT_PTR CALLBACK EditCoverSheetSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kEditDialog, dialog, message, wParam, lParam);
}

}  // namespace

intptr_t RunSaveCoverSheetSet(HWND owner, FcsDialogState* state) {
  return RunMyDialogBox(DialogFrameworkModules().templates, owner, kSaveTemplate, SaveCoverSheetSetDlgProc,
                        reinterpret_cast<LPARAM>(state));
}

intptr_t RunEditCoverSheetSet(HWND owner, FcsDialogState* state) {
  auto edit = std::unique_ptr<EditDialog>(new (std::nothrow) EditDialog{state, {}, {}});
  if (edit == nullptr) return 2;
  return RunMyDialogBox(DialogFrameworkModules().templates, owner, kEditTemplate, EditCoverSheetSetDlgProc,
                        reinterpret_cast<LPARAM>(edit.get()));
}
