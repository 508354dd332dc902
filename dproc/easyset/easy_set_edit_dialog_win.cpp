#include "dproc/easyset/easy_set_edit_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/qxd/disp_string_table.h"
#include "common/text/safe_format.h"
#include "common/win/printer_queries.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/easyset/easy_set_edit_model.h"
#include "dproc/easyset/easy_set_file_dialog_win.h"
#include "dproc/easyset/easy_set_files_win.h"
#include "dproc/easyset/easy_set_icons_win.h"
#include "dproc/easyset/easy_set_option_dialog_win.h"
#include "dproc/easyset/easy_set_presets_win.h"
#include "dproc/easyset/easy_set_summary.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/option_table_rows_win.h"
#include "dproc/preview/paper_view_inputs.h"
#include "dproc/preview/size_labels.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr uint16_t kTemplate = 168;
constexpr int kName = 1901, kIcon = 1902, kIconCombo = 1903, kSharing = 1904, kComment = 1906, kList = 1907, kUp = 1908, kDown = 1909, kDelete = 1910,
              kImport = 1911, kExport = 1912, kOption = 1913, kSettingList = 1914, kSummaryTabs = 1915,
              kSummaryList = 1916, kRoom = 1918;

const DWORD kHelpIds[] = {1907, 9650, 1901, 9600, 1906, 9610, 1902, 9620, 1903, 9620, 1904, 9630, 1908, 9660, 1909, 9660, 1910, 9670,
                          1911, 9680, 1912, 9690, 1913, 9700, 1914, 9710, 1915, 9710, 1916, 9710, 0, 0};

// The dialog is modal: one at a time in the process.
struct EditState {
  std::unique_ptr<EasySetEditModel> model;
  int selected = -1;
  bool admin = false;
  bool filling = false;
  int icons = 0;  // in the icon list
  // The "Easy_ShowSetting" texts, read when the dialog opens.
  std::vector<std::pair<std::string, std::u16string>> labels;
};
EditState g_edit;

const char16_t* DialogText(const char* key) { return DispStringText(DialogTextTable("Dlg_EditEasySet"), key); }

std::u16string U16(const wchar_t* text) {
  return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

// --- The summary of the selected Easy Set.

struct SummaryTab {
  const char* section;
  const char* key;
  int group;
};
const SummaryTab kSummaryTabList[] = {{"Property_FAX", "Prop_Fax", kSummaryFax},
                                      {"Property_1", "Prop_Basic", kSummaryBasic},
                                      {"Property_2", "Prop_Layout", kSummaryLayout},
                                      {"Property_4", "Prop_WatermarksForms", kSummaryWatermark}};
constexpr int kLabelColumn = 150, kValueColumn = 100;

SummaryTexts SummaryLookups() {
  SummaryTexts texts;
  texts.label = [](std::string_view key) {
    for (const auto& entry : g_edit.labels) {
      if (EasySetTextEqualNoCase(std::u16string(entry.first.begin(), entry.first.end()),
                                 std::u16string(key.begin(), key.end()))) {
        return entry.second;
      }
    }
    return std::u16string();
  };
  texts.option = [](const char* table, uint32_t value) { return U16(OptionTableText(table, value)); };
  texts.resolution = [](uint32_t index) {
    const ModelInfo* model = ProcessModelInfo();
    if (model == nullptr || model->resolutions == nullptr) return std::u16string();
    for (const ResolutionItem* row = model->resolutions; row->keyword[0] != '\0'; ++row) {
      if (row->index != index) continue;
      char16_t text[32] = {};
      std::memcpy(text, row->text, sizeof text);
      text[31] = 0;
      return std::u16string(text);
    }
    return std::u16string();
  };
  texts.paper = [](const DocDMode& doc, bool output) {
    const PaperViewSources sources{ProcessModelInfo(), &doc, nullptr, false, 100};
    const PaperViewInputs in = ReadPaperViewInputs(sources);
    const PaperLabelInput& paper = output ? in.output : in.input;
    return paper.present ? PaperLabelText(paper, in) : std::u16string();
  };
  return texts;
}

void InitSummary(HWND dialog) {
  HWND tabs = GetDlgItem(dialog, kSummaryTabs);
  for (size_t i = 0; i < std::size(kSummaryTabList); ++i) {
    std::u16string text = DispStringText(DialogTextTable(kSummaryTabList[i].section), kSummaryTabList[i].key);
    std::erase(text, u'&');
    const std::wstring wide(text.begin(), text.end());
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<wchar_t*>(wide.c_str());
    item.lParam = kSummaryTabList[i].group;
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  HWND list = GetDlgItem(dialog, kSummaryList);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  // The list owns its image list and destroys it with itself.
  if (HIMAGELIST pictures = CreateStateImageList(DialogFrameworkModules().images)) {
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures));
  }
  RECT client{};
  GetClientRect(list, &client);
  const char* const keys[3] = {"EditEasy_Control", "EditEasy_Value1", "EditEasy_Value2"};
  const int widths[3] = {kLabelColumn, kValueColumn, std::max<int>(0, client.right - kLabelColumn - kValueColumn)};
  for (int c = 0; c < 3; ++c) {
    const std::u16string text = DialogText(keys[c]);
    const std::wstring wide(text.begin(), text.end());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(wide.c_str());
    column.cx = widths[c];
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
}

// Every column as wide as its widest text or its header.
void AutoSizeListViewColumns(HWND list) {
  for (int c = 0;; ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    if (!SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column))) break;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
  }
}

void FillSummary(HWND dialog, SheetCtx* ctx) {
  HWND list = GetDlgItem(dialog, kSummaryList);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  const DocDMode* live = GetPrivDevMode(ctx);
  if (g_edit.model != nullptr && g_edit.selected >= 0 && live != nullptr) {
    HWND tabs = GetDlgItem(dialog, kSummaryTabs);
    TCITEMW tab{};
    tab.mask = TCIF_PARAM;
    const LRESULT at = SendMessageW(tabs, TCM_GETCURSEL, 0, 0);
    const int group = at >= 0 && SendMessageW(tabs, TCM_GETITEMW, at, reinterpret_cast<LPARAM>(&tab))
                          ? static_cast<int>(tab.lParam)
                          : kSummaryFax;
    // The Easy Set's every stored setting over the session's others.
    auto settings = std::make_unique<DocDMode>(*live);
    EasySetNode* copy = CopyEasySetNode(g_edit.model->node(static_cast<size_t>(g_edit.selected)));
    EasySetWatermarks marks;
    if (copy != nullptr) {
      std::memset(copy->header.restore, 1, sizeof copy->header.restore);
      if (const auto bundle = LoadEasySetFromText(*copy, settings.get(),
                                                  IsMonoDriverName(GetCtxPrinterHandle(ctx), nullptr),
                                                  SystemAnsiCodec())) {
        marks.publicMarks = bundle->publicMarks;
        marks.privateMarks = bundle->privateMarks;
        marks.order = bundle->order;
      }
      FreeEasySetNode(copy);
    }
    const std::vector<SummaryRow> rows = EasySetSummaryRows(group, *settings, marks, SummaryLookups());
    for (const SummaryRow& row : rows) {
      const std::wstring label(row.columns[0].begin(), row.columns[0].end());
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM;
      item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      item.pszText = const_cast<wchar_t*>(label.c_str());
      item.iImage = row.image;
      item.iIndent = row.indent;
      item.lParam = row.separator ? 1 : 0;
      const LRESULT index = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      for (int c = 1; c < 3; ++c) {
        if (row.columns[c].empty()) continue;
        const std::wstring text(row.columns[c].begin(), row.columns[c].end());
        LVITEMW sub{};
        sub.iSubItem = c;
        sub.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
      }
    }
    AutoSizeListViewColumns(list);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

RECT ScreenRectOf(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return r;
}

// Shows or hides the summary: the dialog grows below the tabs or ends
// below Setting List, and OK, Cancel and Help follow.
void ToggleSummary(HWND dialog) {
  RECT window{};
  GetWindowRect(dialog, &window);
  const RECT tabs = ScreenRectOf(dialog, kSummaryTabs);
  const RECT button = ScreenRectOf(dialog, kSettingList);
  const RECT ok = ScreenRectOf(dialog, IDOK);
  const bool collapsed = window.bottom <= tabs.bottom;
  for (int id : {kSummaryTabs, kSummaryList}) {
    ShowWindow(GetDlgItem(dialog, id), collapsed ? SW_SHOW : SW_HIDE);
    EnableWindow(GetDlgItem(dialog, id), collapsed);
  }
  POINT top{0, collapsed ? tabs.bottom + 5 : button.top};
  ScreenToClient(dialog, &top);
  for (int id : {IDOK, IDCANCEL, kHelpButtonId}) {
    RECT r = ScreenRectOf(dialog, id);
    POINT left{r.left, r.top};
    ScreenToClient(dialog, &left);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, left.x, top.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int height = collapsed ? (ok.bottom - ok.top) + tabs.bottom + 17 - window.top : button.bottom + 12 - window.top;
  SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const std::u16string text = DialogText(collapsed ? "EditEasy_HideSetting" : "EditEasy_ShowSetting");
  if (!text.empty()) SetDlgItemTextW(dialog, kSettingList, std::wstring(text.begin(), text.end()).c_str());
}

std::u16string EditText(HWND dialog, int id, size_t limit) {
  wchar_t text[260] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(limit + 1));
  return std::u16string(text, text + wcslen(text));
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

void FillList(HWND dialog) {
  HWND list = GetDlgItem(dialog, kList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < g_edit.model->size(); ++i) {
    const EasySetNode& node = g_edit.model->node(i);
    const std::wstring name = Wide(EasySetName(node.header));
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    // The entry draws from its node: kind, icon and name.
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&node));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(g_edit.selected), 0);
}

void ShowEntry(HWND dialog) {
  g_edit.filling = true;
  const bool any = g_edit.selected >= 0 && static_cast<size_t>(g_edit.selected) < g_edit.model->size();
  std::wstring name, comment;
  bool icon = false, shared = false;
  int iconIndex = 0;
  if (any) {
    const EasySetNode& n = g_edit.model->node(static_cast<size_t>(g_edit.selected));
    name = Wide(EasySetName(n.header));
    comment = Wide(std::u16string_view(n.header.comment));
    icon = n.header.iconShown != 0;
    iconIndex = n.header.iconIndex < g_edit.icons ? n.header.iconIndex : 0;
    shared = n.kind == kEasySetShared;
  }
  SetDlgItemTextW(dialog, kName, name.c_str());
  SetDlgItemTextW(dialog, kComment, comment.c_str());
  CheckDlgButton(dialog, kIcon, icon ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageW(dialog, kIconCombo, CB_SETCURSEL, static_cast<WPARAM>(iconIndex), 0);
  CheckDlgButton(dialog, kSharing, shared ? BST_CHECKED : BST_UNCHECKED);
  g_edit.filling = false;
}

void EnableControls(HWND dialog, SheetCtx*) {
  const int i = g_edit.selected;
  const size_t n = g_edit.model != nullptr ? g_edit.model->size() : 0;
  const bool editable = i >= 0 && g_edit.model->Editable(static_cast<size_t>(i), g_edit.admin);
  for (int id : {kName, kComment, kDelete, kOption}) EnableWindow(GetDlgItem(dialog, id), editable);
  EnableWindow(GetDlgItem(dialog, kIcon), editable && g_edit.icons > 0);
  EnableWindow(GetDlgItem(dialog, kIconCombo), editable && IsDlgButtonChecked(dialog, kIcon) == BST_CHECKED);
  // A kind may change only where the other kind has room, and shared
  // Easy Sets are for a user who may administer the printer.
  EnableWindow(GetDlgItem(dialog, kSharing),
               editable && g_edit.admin && g_edit.model->MayChangeKind(static_cast<size_t>(i)));
  EnableWindow(GetDlgItem(dialog, kUp), i >= 1);
  EnableWindow(GetDlgItem(dialog, kDown), i >= 0 && static_cast<size_t>(i) + 1 < n);
  EnableWindow(GetDlgItem(dialog, kExport), i >= 0);
  EnableWindow(GetDlgItem(dialog, kImport),
               g_edit.model != nullptr && g_edit.model->Count(kEasySetUser) < kMaxUserEasySets);
  const SafeFormatArg room = SafeFormatArg::Number(
      static_cast<int32_t>(g_edit.model != nullptr ? g_edit.model->Room(g_edit.admin) : 0));
  const char16_t* format = DialogText("EditEasy_Num");
  char16_t text[128] = {};
  SafeFormat(format != nullptr && format[0] != 0 ? format : u"Room for %d more", &room, 1, text, 128);
  SetDlgItemTextW(dialog, kRoom, std::wstring(text, text + std::char_traits<char16_t>::length(text)).c_str());
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
  FillSummary(dialog, ctx);
}

void Import(HWND dialog, SheetCtx* ctx) {
  if (!CommitSelected(dialog)) return;
  EasySetFileRequest request;
  request.import = true;
  request.owner = dialog;
  request.driver = DriverFactsOf(ctx);
  for (size_t i = 0; i < g_edit.model->size(); ++i) {
    const EasySetNode& n = g_edit.model->node(i);
    if (n.kind == kEasySetUser) request.userNames.emplace_back(EasySetName(n.header));
  }
  if (!ShowEasySetFileDialog(&request)) return;
  EasySetNode* node = ImportEasySetFile(request.path, request.name, request.comment);
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
  EasySetFileRequest request;
  request.import = false;
  request.owner = dialog;
  const std::wstring name = Wide(EasySetName(node.header));
  const std::wstring comment = Wide(std::u16string_view(node.header.comment));
  wcsncpy(request.path, name.c_str(), MAX_PATH - 1);
  wcsncpy(request.name, name.c_str(), kEasySetNameChars - 1);
  wcsncpy(request.comment, comment.c_str(), kEasySetCommentChars - 1);
  if (!ShowEasySetFileDialog(&request)) return;
  if (!ExportEasySetFile(node, request.path)) ShowMessageBox(dialog, 1, 243, 0, MB_ICONEXCLAMATION, 0, 0);
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
  g_edit.labels = ReadDescriptionTexts("Easy_ShowSetting");
  g_edit.icons = FillEasySetIconCombo(GetDlgItem(dialog, kIconCombo));
  // The list's entries show the Easy Sets' pictures.
  SendDlgItemMessageW(dialog, kList, LB_SETITEMHEIGHT, 0, kEasySetEntryHeight);
  InitSummary(dialog);
  // The template shows the summary; the dialog opens without it.
  ToggleSummary(dialog);
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
    case kIcon:
    case kIconCombo:
      if (i >= 0 && (code == BN_CLICKED || code == CBN_SELENDOK)) {
        const LRESULT icon = SendDlgItemMessageW(dialog, kIconCombo, CB_GETCURSEL, 0, 0);
        g_edit.model->SetIcon(static_cast<size_t>(i), IsDlgButtonChecked(dialog, kIcon) == BST_CHECKED,
                              static_cast<uint16_t>(icon < 0 ? 0 : icon));
        EnableControls(dialog, ctx);
      }
      return true;
    case kSharing:
      if (i >= 0 && code == BN_CLICKED) {
        g_edit.model->SetKind(static_cast<size_t>(i),
                              IsDlgButtonChecked(dialog, kSharing) == BST_CHECKED ? kEasySetShared : kEasySetUser);
        EnableControls(dialog, ctx);
      }
      return true;
    case kSettingList:
      if (code == BN_CLICKED) ToggleSummary(dialog);
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

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == static_cast<UINT>(kIconCombo)) {
    DrawEasySetIcon(item);
    return true;
  }
  if (item->CtlID == static_cast<UINT>(kList)) {
    DrawEasySetItem(dialog, item);
    return true;
  }
  return false;
}

const SheetComboHeight kComboHeights[] = {{kIconCombo, kEasySetEntryHeight}, {0, 0}};

bool Notify(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT*) {
  if (note->idFrom != kSummaryTabs || note->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  FillSummary(dialog, ctx);
  return true;
}

void Destroy(HWND) { g_edit = EditState{}; }

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_EditEasySet",
    .helpIds = kHelpIds,
    .helpTopic = 9645,
    .clipTitle = L"Edit Easy Set Dialog",
    .comboHeights = kComboHeights,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .enableRules = EnableControls,
    .command = Command,
    .ok = Ok,
    .drawItem = DrawItem,
    .notify = Notify,
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
