#include "dproc/easyset/easy_set_edit_dialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/win/printer_queries.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/easyset/easy_set_edit_model.h"
#include "dproc/easyset/easy_set_files_win.h"
#include "dproc/easyset/easy_set_option_dialog_win.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr uint16_t kTemplate = 168;
constexpr int kName = 1901, kComment = 1906, kList = 1907, kUp = 1908, kDown = 1909, kDelete = 1910,
              kImport = 1911, kExport = 1912, kOption = 1913, kRoom = 1918;
constexpr wchar_t kFilter[] = L"Easy Set files (*.QXS)\0*.QXS\0\0";

const DWORD kHelpIds[] = {1907, 9650, 1901, 9600, 1906, 9610, 1908, 9660, 1909, 9660, 1910, 9670,
                          1911, 9680, 1912, 9690, 1913, 9700, 0, 0};

// The dialog is modal: one at a time in the process.
struct EditState {
  std::unique_ptr<EasySetEditModel> model;
  int selected = -1;
  bool admin = false;
  bool filling = false;
};
EditState g_edit;

std::u16string EditText(HWND dialog, int id, size_t limit) {
  wchar_t text[260] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(limit + 1));
  return std::u16string(text, text + wcslen(text));
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The file dialog's request for an Easy Set file into `path`.
OPENFILENAMEW FileRequest(HWND dialog, wchar_t (&path)[MAX_PATH], DWORD flags) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialog;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"QXS";
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | flags;
  return ofn;
}

void FillList(HWND dialog) {
  HWND list = GetDlgItem(dialog, kList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < g_edit.model->size(); ++i) {
    const std::wstring name = Wide(EasySetName(g_edit.model->node(i).header));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(g_edit.selected), 0);
}

void ShowEntry(HWND dialog) {
  g_edit.filling = true;
  const bool any = g_edit.selected >= 0 && static_cast<size_t>(g_edit.selected) < g_edit.model->size();
  std::wstring name, comment;
  if (any) {
    const EasySetNode& n = g_edit.model->node(static_cast<size_t>(g_edit.selected));
    name = Wide(EasySetName(n.header));
    comment = Wide(std::u16string_view(n.header.comment));
  }
  SetDlgItemTextW(dialog, kName, name.c_str());
  SetDlgItemTextW(dialog, kComment, comment.c_str());
  g_edit.filling = false;
}

void EnableControls(HWND dialog, SheetCtx*) {
  const int i = g_edit.selected;
  const size_t n = g_edit.model != nullptr ? g_edit.model->size() : 0;
  const bool editable = i >= 0 && g_edit.model->Editable(static_cast<size_t>(i), g_edit.admin);
  for (int id : {kName, kComment, kDelete, kOption}) EnableWindow(GetDlgItem(dialog, id), editable);
  EnableWindow(GetDlgItem(dialog, kUp), i >= 1);
  EnableWindow(GetDlgItem(dialog, kDown), i >= 0 && static_cast<size_t>(i) + 1 < n);
  EnableWindow(GetDlgItem(dialog, kExport), i >= 0);
  EnableWindow(GetDlgItem(dialog, kImport),
               g_edit.model != nullptr && g_edit.model->Count(kEasySetUser) < kMaxUserEasySets);
  wchar_t room[64];
  swprintf(room, 64, L"Room for %u more", static_cast<unsigned>(g_edit.model ? g_edit.model->Room(g_edit.admin) : 0));
  SetDlgItemTextW(dialog, kRoom, room);
}

// Takes the edits into the selected entry; false (the entry selected and
// the name focused again) when they are refused.
bool CommitSelected(HWND dialog) {
  const int i = g_edit.selected;
  if (i < 0 || !g_edit.model->Editable(static_cast<size_t>(i), g_edit.admin)) return true;
  const std::u16string name = EditText(dialog, kName, kEasySetNameChars - 2);
  const std::u16string comment = EditText(dialog, kComment, kEasySetCommentChars - 1);
  const auto result = g_edit.model->SetNames(static_cast<size_t>(i), name, comment);
  if (result == EasySetEditModel::Rename::kDone) return true;
  if (result == EasySetEditModel::Rename::kTaken) {
    ShowMessageBoxStr(dialog, 1, 4, 160, MB_ICONEXCLAMATION, Wide(name).c_str(), nullptr);
  } else if (result == EasySetEditModel::Rename::kEmpty) {
    ShowMessageBox(dialog, 1, 3, 100, MB_ICONEXCLAMATION, 0, 0);
  }
  SendDlgItemMessageW(dialog, kList, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  SetFocus(GetDlgItem(dialog, kName));
  return false;
}

void Select(HWND dialog, SheetCtx* ctx, int index) {
  g_edit.selected = index;
  FillList(dialog);
  ShowEntry(dialog);
  EnableControls(dialog, ctx);
}

void Import(HWND dialog, SheetCtx* ctx) {
  if (!CommitSelected(dialog)) return;
  wchar_t path[MAX_PATH] = {};
  OPENFILENAMEW ofn = FileRequest(dialog, path, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  if (!GetOpenFileNameW(&ofn)) return;
  EasySetHeader header{};
  const EasySetDriverFacts driver = DriverFactsOf(ctx);
  const EasySetFileCheck check =
      ReadEasySetFile(path, &header) ? CheckEasySetFile(header, driver) : kEasySetFileNotOurs;
  if (check == kEasySetFileOtherVersion) {
    if (ShowMessageBox(dialog, 1, check, 0, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0, 0) != IDYES) return;
  } else if (check != kEasySetFileFits) {
    ShowMessageBox(dialog, 1, check, 0, MB_ICONEXCLAMATION, 0, 0);
    return;
  }
  EasySetNode* node = ImportEasySetFile(path, nullptr, nullptr);
  if (node == nullptr) {
    ShowMessageBox(dialog, 1, 242, 0, MB_ICONEXCLAMATION, 0, 0);
    return;
  }
  if (!g_edit.model->AddUser(node)) {
    FreeEasySetNode(node);
    return;
  }
  Select(dialog, ctx, static_cast<int>(g_edit.model->size()) - 1);
}

void Export(HWND dialog) {
  if (!CommitSelected(dialog) || g_edit.selected < 0) return;
  const EasySetNode& node = g_edit.model->node(static_cast<size_t>(g_edit.selected));
  wchar_t path[MAX_PATH] = {};
  const std::wstring name = Wide(EasySetName(node.header));
  wcsncpy(path, name.c_str(), MAX_PATH - 1);
  OPENFILENAMEW ofn = FileRequest(dialog, path, OFN_OVERWRITEPROMPT);
  if (!GetSaveFileNameW(&ofn)) return;
  if (!ExportEasySetFile(node, path)) ShowMessageBox(dialog, 1, 243, 0, MB_ICONEXCLAMATION, 0, 0);
}

// The restore options of the selected entry, written only when the Option
// dialog ends with OK.
void EditOptions(HWND dialog, SheetCtx* ctx) {
  const int i = g_edit.selected;
  if (i < 0 || !g_edit.model->Editable(static_cast<size_t>(i), g_edit.admin)) return;
  uint8_t options[kEasySetRestoreOptionBytes];
  std::memcpy(options, g_edit.model->node(static_cast<size_t>(i)).header.restore, sizeof options);
  EasySetOptionRequest request{ctx, options, g_edit.admin};
  if (OpenEasySetOptionDialog(dialog, &request) == IDOK) {
    g_edit.model->SetRestoreOptions(static_cast<size_t>(i), options, kEasySetOptionBoxes);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kEasySetNameChars - 2, 0);
  SendDlgItemMessageW(dialog, kComment, EM_LIMITTEXT, kEasySetCommentChars - 1, 0);
  const EasySetList* list = SessionEasySets(ctx);
  g_edit = EditState{};
  if (list == nullptr) return;
  g_edit.model = std::make_unique<EasySetEditModel>(*list);
  g_edit.admin = IsPrinterAdministrable(PrinterNamesOf(ctx).printer);
  int current = 0;
  int index = 0;
  for (const EasySetNode* n = list->first; n != nullptr; n = n->next, ++index) {
    if (n == list->current) current = index;
  }
  Select(dialog, ctx, g_edit.model->size() != 0 ? current : -1);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (g_edit.model == nullptr) return false;
  const int i = g_edit.selected;
  switch (id) {
    case kList:
      if (code == LBN_SELCHANGE) {
        const int next = static_cast<int>(SendDlgItemMessageW(dialog, kList, LB_GETCURSEL, 0, 0));
        if (next != i && CommitSelected(dialog)) Select(dialog, ctx, next);
      }
      return true;
    case kUp:
    case kDown:
      if (code == BN_CLICKED && i >= 0 && CommitSelected(dialog)) {
        const bool moved = id == kUp ? g_edit.model->MoveUp(static_cast<size_t>(i))
                                     : g_edit.model->MoveDown(static_cast<size_t>(i));
        if (moved) Select(dialog, ctx, id == kUp ? i - 1 : i + 1);
      }
      return true;
    case kDelete:
      if (code == BN_CLICKED && i >= 0) {
        const std::wstring name = Wide(EasySetName(g_edit.model->node(static_cast<size_t>(i)).header));
        if (ShowMessageBoxStr(dialog, 5, 6, 300, MB_YESNO | MB_ICONQUESTION, name.c_str(), nullptr) == IDYES) {
          Select(dialog, ctx, g_edit.model->Delete(static_cast<size_t>(i)));
        }
      }
      return true;
    case kImport:
      if (code == BN_CLICKED) Import(dialog, ctx);
      return true;
    case kExport:
      if (code == BN_CLICKED) Export(dialog);
      return true;
    case kOption:
      if (code == BN_CLICKED) EditOptions(dialog, ctx);
      return true;
    default:
      return false;
  }
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  EasySetList* list = SessionEasySets(ctx);
  if (list == nullptr || g_edit.model == nullptr) return true;
  if (!CommitSelected(dialog)) return false;
  g_edit.model->PutInto(list);
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  SaveUserEasySets(*list, names.printer, names.driver);
  SaveSharedEasySetsByName(*list, names.printer);
  SaveEasySetOrder(*list, names.printer, names.driver);
  return true;
}

void Destroy(HWND) { g_edit = EditState{}; }

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_EditEasySet",
    .helpIds = kHelpIds,
    .helpTopic = 9645,
    .clipTitle = L"Edit Easy Set Dialog",
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .destroy = Destroy,
};

}  // namespace

INT_PTR CALLBACK EditEasySetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

intptr_t OpenEditEasySetDialog(HWND owner, SheetCtx* ctx) {
  return RunMyDialogBox(DialogFrameworkModules().templates, owner, kTemplate, EditEasySetDlgProc,
                        reinterpret_cast<LPARAM>(ctx));
}
