#include "dproc/easyset/easy_set_save_dialog_win.h"

#include <string>

#include "common/win/printer_queries.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/easyset/easy_set_icons_win.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr uint16_t kTemplate = 167;
constexpr int kName = 1901, kIcon = 1902, kIconCombo = 1903, kSharing = 1904, kComment = 1906;

const DWORD kHelpIds[] = {1900, 9600, 1901, 9600, 1905, 9610, 1906, 9610, 1902, 9620, 1903, 9620,
                          1904, 9630, 0, 0};

std::u16string EditText(HWND dialog, int id, size_t limit) {
  wchar_t text[260] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(limit + 1));
  return std::u16string(text, text + wcslen(text));
}

void Init(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kEasySetNameChars - 2, 0);
  SendDlgItemMessageW(dialog, kComment, EM_LIMITTEXT, kEasySetCommentChars - 1, 0);
  const EasySetList* list = SessionEasySets(ctx);
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  const size_t shared = list != nullptr ? CountEasySetsOfKind(*list, kEasySetShared) : 0;
  const size_t user = list != nullptr ? CountEasySetsOfKind(*list, kEasySetUser) : 0;
  HWND sharing = GetDlgItem(dialog, kSharing);
  if (!IsPrinterAdministrable(names.printer) || shared >= kMaxSharedEasySets) {
    CheckDlgButton(dialog, kSharing, BST_UNCHECKED);
    EnableWindow(sharing, FALSE);
  } else {
    CheckDlgButton(dialog, kSharing, BST_CHECKED);
    EnableWindow(sharing, user < kMaxUserEasySets);
  }
  // With icons in the image library the Easy Set shows one by default.
  const int icons = FillEasySetIconCombo(GetDlgItem(dialog, kIconCombo));
  SendDlgItemMessageW(dialog, kIconCombo, CB_SETCURSEL, icons >= 57 ? 56 : 0, 0);
  CheckDlgButton(dialog, kIcon, icons > 0 ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(dialog, kIcon), icons > 0);
}

void EnableRules(HWND dialog, SheetCtx*) {
  EnableWindow(GetDlgItem(dialog, kIconCombo), IsDlgButtonChecked(dialog, kIcon) == BST_CHECKED);
}

bool DrawItem(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kIconCombo)) return false;
  DrawEasySetIcon(item);
  return true;
}

const SheetComboHeight kComboHeights[] = {{kIconCombo, kEasySetEntryHeight}, {0, 0}};

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id == kIcon && code == BN_CLICKED) {
    EnableRules(dialog, ctx);
    return true;
  }
  return false;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  EasySetList* list = SessionEasySets(ctx);
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (list == nullptr || doc == nullptr) return false;
  const std::u16string name = EditText(dialog, kName, kEasySetNameChars - 2);
  const std::u16string comment = EditText(dialog, kComment, kEasySetCommentChars - 1);
  if (name.empty()) {
    ShowMessageBox(dialog, 1, 3, 100, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(dialog, kName));
    return false;
  }
  const uint32_t kind = IsDlgButtonChecked(dialog, kSharing) == BST_CHECKED ? kEasySetShared : kEasySetUser;
  if (FindEasySet(*list, name, kind) != nullptr) {
    const std::wstring wide(name.begin(), name.end());
    ShowMessageBoxStr(dialog, 1, 4, 160, MB_ICONEXCLAMATION, wide.c_str(), nullptr);
    SetFocus(GetDlgItem(dialog, kName));
    return false;
  }
  const LRESULT icon = SendDlgItemMessageW(dialog, kIconCombo, CB_GETCURSEL, 0, 0);
  const bool iconShown = IsDlgButtonChecked(dialog, kIcon) == BST_CHECKED;
  if (iconShown && icon < 0) {
    SetFocus(GetDlgItem(dialog, kIconCombo));
    return false;
  }
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  const EasySetDriverFacts driver = DriverFactsOf(ctx);
  EasySetHeader header = MakeEasySetHeader(driver, name, comment);
  header.iconShown = iconShown ? 1 : 0;
  header.iconIndex = static_cast<uint16_t>(icon < 0 ? 0 : icon);
  EasySetNode* node = BuildEasySetFromSettings(header, *doc, SessionWatermarks(ctx), SystemAnsiCodec());
  if (node == nullptr || !AddEasySet(list, node, kind)) {
    FreeEasySetNode(node);
    return false;
  }
  list->current = node;
  if (kind == kEasySetShared) {
    SaveSharedEasySetsByName(*list, names.printer);
  } else {
    SaveUserEasySets(*list, names.printer, names.driver);
  }
  SaveEasySetOrder(*list, names.printer, names.driver);
  return true;
}

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_SaveEasySet",
    .helpIds = kHelpIds,
    .helpTopic = 9595,
    .clipTitle = L"Save Easy Set Dialog",
    .comboHeights = kComboHeights,
    .editsDocument = false,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .drawItem = DrawItem,
};

}  // namespace

INT_PTR CALLBACK SaveEasySetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

intptr_t OpenSaveEasySetDialog(HWND owner, SheetCtx* ctx) {
  return RunMyDialogBox(DialogFrameworkModules().templates, owner, kTemplate, SaveEasySetDlgProc,
                        reinterpret_cast<LPARAM>(ctx));
}
