#include "dproc/easyset/easy_set_area_win.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>

#include "common/records/doc_fields.h"
#include "common/win/printer_queries.h"
#include "dproc/easyset/easy_set_combo_tip_win.h"
#include "dproc/easyset/easy_set_common_items_win.h"
#include "dproc/easyset/easy_set_edit_dialog_win.h"
#include "dproc/easyset/easy_set_icons_win.h"
#include "dproc/easyset/easy_set_save_dialog_win.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/user_side_data_win.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"

namespace {

HWND Combo(HWND dialog) { return GetDlgItem(dialog, kEasySetComboId); }

int CountEntries(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

EasySetNode* EntryNode(HWND combo, int index) {
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<EasySetNode*>(data);
}

void Fill(HWND dialog, const EasySetList& list) {
  HWND combo = Combo(dialog);
  if (combo == nullptr) return;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int index = 0;
  for (EasySetNode* node = list.first; node != nullptr; node = node->next, ++index) {
    const std::u16string name(EasySetName(node->header));
    const LRESULT at = SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(name.c_str()));
    if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(node));
  }
}

// Selects the list's current Easy Set, or "Untitled" (added at the end when
// missing) when there is none.
void SelectCurrent(HWND dialog, const EasySetList& list) {
  HWND combo = Combo(dialog);
  if (combo == nullptr) return;
  const int count = CountEntries(combo);
  for (int i = 0; i < count; ++i) {
    if (EntryNode(combo, i) == list.current) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EasySetUntitledName()));
  if (at >= 0) {
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), 0);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
}

// Save is offered for settings that equal no Easy Set while one more may be
// kept; a connection's document properties offer neither Save nor Edit.
void UpdateButtons(HWND dialog, const SheetCtx* ctx, const EasySetList& list) {
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  const bool readOnly = IsDocPropertiesMode(ctx) && IsLocalPrinterConnection(GetCtxPrinterHandle(ctx));
  const bool admin = IsPrinterAdministrable(names.printer);
  const bool room = admin ? CountEasySets(list) < kMaxEasySetOrder
                          : CountEasySetsOfKind(list, kEasySetUser) < kMaxUserEasySets;
  const bool untitled = list.current == nullptr;
  if (HWND save = GetDlgItem(dialog, kEasySetSaveId)) EnableWindow(save, !readOnly && untitled && room);
  if (HWND edit = GetDlgItem(dialog, kEasySetEditId)) EnableWindow(edit, !readOnly);
}

void Show(HWND dialog, const SheetCtx* ctx, const EasySetList& list) {
  Fill(dialog, list);
  SelectCurrent(dialog, list);
  UpdateButtons(dialog, ctx, list);
}

void ApplySelected(HWND dialog, SheetCtx* ctx, EasySetList* list) {
  HWND combo = Combo(dialog);
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  EasySetNode* node = EntryNode(combo, static_cast<int>(selected));
  list->current = node;
  if (node != nullptr) {
    if (ApplyEasySet(*node, ctx)) PushEasySetToCommonItems(ctx);
    else list->current = nullptr;
    SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
  }
  // The page and its area show the new settings as on an activation.
  NMHDR header = {nullptr, 0, static_cast<UINT>(PSN_SETACTIVE)};
  SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  InvalidateRect(dialog, nullptr, TRUE);
}

// The settings name the list's current Easy Set (or none); the frame hears
// of a change.
void SyncIdentity(HWND dialog, SheetCtx* ctx, const EasySetList& list) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  DocFields& f = Fields(*doc);
  uint8_t state = kEasySetStateNone;
  std::u16string_view name;
  if (const EasySetNode* node = list.current) {
    state = node->builtIn != 0 ? kEasySetStateBuiltIn
                               : node->kind == kEasySetUser ? kEasySetStateUser : kEasySetStateShared;
    if (node->builtIn == 0) name = EasySetName(node->header);
  }
  char16_t field[kEasySetNameChars];
  SetEasySetField(field, kEasySetNameChars, name);
  if (f.byEasySetIndex == state && std::memcmp(f.szEasySetName, field, sizeof field) == 0) return;
  f.byEasySetIndex = state;
  std::memcpy(f.szEasySetName, field, sizeof field);
  SendMessageW(GetParent(dialog), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
}

void SaveFlow(HWND dialog, SheetCtx* ctx, EasySetList* list) {
  // The page may refuse its current values.
  NMHDR header = {GetParent(dialog), 0, static_cast<UINT>(PSN_KILLACTIVE)};
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
  SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  if (GetWindowLongPtrW(dialog, DWLP_MSGRESULT) != 0) return;
  if (OpenSaveEasySetDialog(dialog, ctx) != 1) return;
  SyncIdentity(dialog, ctx, *list);
  Show(dialog, ctx, *list);
  SetFocus(dialog);
}

void EditFlow(HWND dialog, SheetCtx* ctx, EasySetList* list) {
  if (OpenEditEasySetDialog(dialog, ctx) != 1) return;
  SyncIdentity(dialog, ctx, *list);
  FindCurrentEasySet(ctx, list, false);
  Show(dialog, ctx, *list);
}

}  // namespace

void EasySetAreaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // The entries show the Easy Sets' pictures (before the page starts).
  if (message == WM_MEASUREITEM && wParam == static_cast<WPARAM>(kEasySetComboId)) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (item != nullptr && item->itemHeight < kEasySetEntryHeight) item->itemHeight = kEasySetEntryHeight;
    return;
  }
  if (message == WM_DRAWITEM && wParam == static_cast<WPARAM>(kEasySetComboId)) {
    DrawEasySetItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return;
  }
  if (message == WM_INITDIALOG) {
    auto* ctx = reinterpret_cast<SheetCtx*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    EasySetUiState* state = EasySetStateOf(GetUIState(ctx));
    if (state != nullptr) LoadUserSideData(ctx);
    if (state != nullptr && state->list == nullptr && GetPrivDevMode(ctx) != nullptr) {
      state->list = CreateEasySetList(ctx);
    }
    return;
  }
  SheetCtx* ctx = SheetCtxOf(dialog);
  EasySetUiState* state = EasySetStateOf(GetUIState(ctx));
  if (state == nullptr) return;
  switch (message) {
    case WM_DESTROY:
      EndEasySetComboTip(dialog);
      DestroyEasySetList(state->list);
      *state = EasySetUiState{};
      FreeUserSideData(ctx);
      return;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr || state->list == nullptr) return;
      if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
        Show(dialog, ctx, *state->list);
      } else if (header->code == static_cast<UINT>(PSN_APPLY)) {
        if (state->savingPage == nullptr) state->savingPage = dialog;
        if (state->savingPage == dialog) {
          SaveSessionEasySetOrder(ctx, *state->list);
          SaveUserSideData(ctx);
        }
      }
      return;
    }
    case WM_COMMAND:
      if (state->list == nullptr) return;
      if (LOWORD(wParam) == kEasySetComboId) {
        EasySetComboTipCommand(dialog, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      }
      if (LOWORD(wParam) == kEasySetComboId && HIWORD(wParam) == CBN_SELENDOK) {
        ApplySelected(dialog, ctx, state->list);
      } else if (LOWORD(wParam) == kEasySetSaveId && HIWORD(wParam) == BN_CLICKED) {
        SaveFlow(dialog, ctx, state->list);
      } else if (LOWORD(wParam) == kEasySetEditId && HIWORD(wParam) == BN_CLICKED) {
        EditFlow(dialog, ctx, state->list);
      }
      return;
    default:
      return;
  }
}

void MarkEasySetModified(HWND dialog, const DocDMode*) {
  SheetCtx* ctx = SheetCtxOf(dialog);
  EasySetList* list = SessionEasySets(ctx);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (list == nullptr || doc == nullptr) return;
  DocFields& f = Fields(*doc);
  f.byEasySetIndex = kEasySetStateNone;
  std::memset(f.szEasySetName, 0, sizeof f.szEasySetName);
  list->current = nullptr;
  SelectCurrent(dialog, *list);
  UpdateButtons(dialog, ctx, *list);
}

void InstallEasySetArea() {
  SheetServices().easySetArea = EasySetAreaProc;
  SheetServices().markEasySetModified = MarkEasySetModified;
}
