// List Name Edit (template 138): the name of the Per Page Setting dialog's
// current list, at most 16 characters, neither empty nor the name of
// another list.  Default gives the list its default name at once; Cancel
// puts the name the dialog found back.

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "common/records/doc_fields.h"
#include "dproc/perpage/per_page_dialogs_win.h"
#include "dproc/perpage/per_page_list_rows.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr int kName = 1626;
constexpr int kNameUnits = kInterSheetNameUnits - 1;

char16_t g_saved[kInterSheetNameUnits];

void ShowName(HWND dialog) {
  if (const InterSheetList* list = PerPageWorkingList()) {
    SetDlgItemTextW(dialog, kName, reinterpret_cast<const wchar_t*>(list->name));
  }
}

void Init(HWND dialog, SheetCtx*) {
  SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kNameUnits, 0);
  if (const InterSheetList* list = PerPageWorkingList()) std::memcpy(g_saved, list->name, sizeof g_saved);
  ShowName(dialog);
}

bool Ok(HWND dialog, SheetCtx*) {
  InterSheetList* list = PerPageWorkingList();
  if (list == nullptr) return true;
  wchar_t text[kInterSheetNameUnits] = {};
  GetDlgItemTextW(dialog, kName, text, kInterSheetNameUnits);
  char16_t name[kInterSheetNameUnits] = {};
  for (int i = 0; i < kNameUnits && text[i] != L'\0'; ++i) name[i] = static_cast<char16_t>(text[i]);
  if (name[0] == 0) {
    ShowMessageBox(dialog, 1, 3, 130, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(dialog, kName));
    return false;
  }
  if (PerPageNameTakenByAnother(name)) {
    ShowMessageBoxStr(dialog, 1, 4, 170, MB_ICONEXCLAMATION, text, nullptr);
    SetFocus(GetDlgItem(dialog, kName));
    return false;
  }
  std::memcpy(list->name, name, sizeof list->name);
  return true;
}

// The default name of the document's list number.
void Defaults(HWND dialog, SheetCtx* ctx) {
  InterSheetList* list = PerPageWorkingList();
  if (list == nullptr) return;
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
  const int number = Fields(*GetPrivDevMode(ctx)).CoverMFP_nPerPageList;
  std::memset(list->name, 0, sizeof list->name);
  const char16_t* name = DefaultPerPageListName(number);
  if (name[0] != 0) {
    for (int i = 0; i < kNameUnits && name[i] != 0; ++i) list->name[i] = name[i];
  } else {
    wchar_t text[kInterSheetNameUnits];
    swprintf(text, kInterSheetNameUnits, L"List %d", number);
    for (int i = 0; i < kNameUnits && text[i] != L'\0'; ++i) list->name[i] = static_cast<char16_t>(text[i]);
  }
  ShowName(dialog);
}

void Cancel(HWND, SheetCtx*) {
  if (InterSheetList* list = PerPageWorkingList()) std::memcpy(list->name, g_saved, sizeof g_saved);
}

const DWORD kHelpIds[] = {1623, 3400, 1626, 3400, 1032, 9510, 0, 0};

const DocumentDialog kDialog = {
    .templateId = kListNameEditTemplate,
    .textSection = "Dlg_PerPageEditListName",
    .helpIds = kHelpIds,
    .helpTopic = 3410,
    .clipTitle = L"Per Page List Name Dialog",
    .init = Init,
    .ok = Ok,
    .defaults = Defaults,
    .cancel = Cancel,
};

}  // namespace

INT_PTR CALLBACK ListNameEditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
