// The Overlay Information dialog: the session's overlay forms, the chosen
// one, the pages that get it and (form files) its placement.  Template 119
// lists form files, with Import and the chosen file's properties; template
// 195 lists the driver's device forms, with the management dialog and the
// download manager.  The result is 1 after OK or when the list changed while
// the dialog was open (the sheet then refreshes its list), else 2.

#include "dproc/overlay/overlay_dialogs_win.h"
#include "dproc/overlay/form_store_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "common/win/user_registry.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/layout/layout_lists_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_table.h"
#include "dproc/overlay/overlay_list_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/startup/dl_manager_win.h"

namespace {

enum : int {
  kFormList = 1326,
  kImport = 1277,
  kManage = 1143,
  kDelete = 1278,
  kInfoLabel = 1435,
  kInfo = 1436,
  kDownload = 1210,
  kPagesLabel = 1271,
  kPages = 1272,
  kPlacementLabel = 1274,
  kPlacement = 1275,
};
constexpr uint32_t kItemHeight = 16;

const DWORD kHelpIds[] = {2122, 4052, 1326, 4052, 2123, 4022, 1435, 4100, 1436, 4100, 1278, 4070,
                          1277, 4060, 1271, 4030, 1272, 4030, 1274, 4040, 1275, 4040, 1143, 4142,
                          1210, 4144, 1032, 4130, 1069, DWORD(-1), 0, 0};

DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

void MarkChanged(HWND dialog, SheetCtx* ctx) { NoteSheetChange(dialog, GetPrivDevMode(ctx)); }

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

int Count(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, kFormList, LB_GETCOUNT, 0, 0)); }
int Selected(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, kFormList, LB_GETCURSEL, 0, 0)); }
void* ItemNode(HWND dialog, int index) {
  const LRESULT data = SendDlgItemMessageW(dialog, kFormList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

void FillFormList(HWND dialog, SheetCtx* ctx) { FillOverlayList(dialog, ctx); }

void SelectCurrent(HWND dialog, SheetCtx* ctx) {
  const OverlayUiState* state = OverlayStateOf(ctx);
  int found = -1;
  for (int i = 0, n = Count(dialog); state != nullptr && state->current != nullptr && i < n; ++i) {
    if (ItemNode(dialog, i) == state->current) found = i;
  }
  SendDlgItemMessageW(dialog, kFormList, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

// The chosen form file's properties: a label, a tab and the value per line.
std::wstring PropertiesOf(const FormFileNode& node) {
  FormFileHeader header{};
  ReadFormFileHeader(node.path.c_str(), &header);
  const DispStringItem* texts = DialogTextTable("Dlg_OverlayInfo");
  auto label = [texts](const char* key, const wchar_t* fallback) {
    const char16_t* text = texts != nullptr ? DispStringText(texts, key) : u"";
    return std::wstring(text[0] != 0 ? reinterpret_cast<const wchar_t*>(text) : fallback) + L"\t";
  };
  std::wstring paper;
  if (const ModelInfo* model = ProcessModelInfo(); model != nullptr && model->papers != nullptr) {
    const PaperSizeEntry* custom = nullptr;
    for (const PaperSizeEntry* row = model->papers; row->keyword[0] != '\0'; ++row) {
      if (row->paperId == 256 && custom == nullptr) custom = row;
      if (static_cast<int64_t>(row->width) == header.paperWidth &&
          static_cast<int64_t>(row->length) == header.paperLength) {
        paper = reinterpret_cast<const wchar_t*>(row->name);
        break;
      }
    }
    if (paper.empty() && custom != nullptr) paper = reinterpret_cast<const wchar_t*>(custom->name);
  }
  const wchar_t* orientation = header.orientation == 1 ? L"Portrait" : header.orientation == 2 ? L"Landscape" : L"";
  const wchar_t* color = header.color == 1 ? L"Grayscale" : header.color == 2 ? L"Color" : L"";
  std::wstring out;
  out += label("OvlInfo_FormName", L"Overlay Name:") + FormDisplayName(header) + L"\r\n";
  out += label("OvlInfo_FileName", L"File Name:") + FormFileNameOf(node.path) + L"\r\n";
  out += label("OvlInfo_Folder", L"Folder:") + FolderOf(node.path) + L"\r\n\r\n";
  out += label("OvlInfo_Paper", L"Paper Size:") + paper + L"\r\n";
  out += label("OvlInfo_Orientation", L"Orientation:") + orientation + L"\r\n";
  out += label("OvlInfo_Color", L"Color:") + color + L"\r\n";
  out += label("OvlInfo_Resolution", L"Resolution:") + std::to_wstring(header.resolution) + L" dpi\r\n";
  return out;
}

void ShowProperties(HWND dialog, SheetCtx* ctx) {
  if (!IsSoftOverlayMode()) return;
  const OverlayUiState* state = OverlayStateOf(ctx);
  const auto* node = state != nullptr ? static_cast<const FormFileNode*>(state->current) : nullptr;
  SetDlgItemTextW(dialog, kInfo, node != nullptr ? PropertiesOf(*node).c_str() : L"");
}

// One tab stop past the widest property label.
void SetPropertyTabStop(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kInfo);
  HDC dc = GetDC(edit);
  if (dc == nullptr) return;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  const DispStringItem* texts = DialogTextTable("Dlg_OverlayInfo");
  int widest = 0;
  const std::pair<const char*, const wchar_t*> labels[] = {
      {"OvlInfo_FormName", L"Overlay Name:"}, {"OvlInfo_FileName", L"File Name:"},
      {"OvlInfo_Folder", L"Folder:"},         {"OvlInfo_Paper", L"Paper Size:"},
      {"OvlInfo_Orientation", L"Orientation:"}, {"OvlInfo_Color", L"Color:"},
      {"OvlInfo_Resolution", L"Resolution:"}};
  for (const auto& [key, fallback] : labels) {
    const char16_t* text = texts != nullptr ? DispStringText(texts, key) : u"";
    const wchar_t* shown = text[0] != 0 ? reinterpret_cast<const wchar_t*>(text) : fallback;
    SIZE size{};
    GetTextExtentPoint32W(dc, shown, static_cast<int>(std::wcslen(shown)), &size);
    if (size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  const int base = LOWORD(GetDialogBaseUnits());
  INT stop = (base > 0 ? widest * 4 / base : widest) + 4;
  SendMessageW(edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
}

// The stored choice of a form file must name a file that is still a form
// file; otherwise the first form is chosen, or with none the overlay is off.
void CheckStoredChoice(HWND dialog, SheetCtx* ctx, FormFileList* forms) {
  DocFields& f = F(ctx);
  bool valid = false;
  if (forms->key != nullptr && f.nFormListPos >= 0) {
    wchar_t name[16], path[kFormPathChars + 1] = {};
    _snwprintf(name, 16, L"Form%d", f.nFormListPos + 1);
    DWORD type = 0, size = (kFormPathChars - 1) * sizeof(wchar_t);
    FormFileHeader header;
    valid = RegQueryValueExW(forms->key, name, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) ==
                ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ) && ReadFormFileHeader(path, &header);
  } else if (forms->kind == 1 && f.nFormListPos >= 0) {
    valid = static_cast<size_t>(f.nFormListPos) < forms->nodes.size();
  }
  if (!valid) {
    const uint8_t oldOverlay = f.bOverlay;
    const int16_t oldPos = f.nFormListPos;
    if (!forms->nodes.empty()) {
      f.nFormListPos = 0;
    } else {
      f.bOverlay = 0;
      f.nFormListPos = -1;
    }
    if (f.bOverlay != oldOverlay || f.nFormListPos != oldPos) MarkChanged(dialog, ctx);
  }
  SaveOverlayFormList(forms);
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  const BOOL any = Count(dialog) > 0;
  for (int id : {kFormList, kDelete, kPagesLabel, kPages, kPlacementLabel, kPlacement}) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), any);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {2122, int{kFormList}, int{kInfoLabel}, int{kInfo}, int{kDelete}, int{kImport}, 2123,
                   int{kPagesLabel}, int{kPages}, int{kPlacementLabel}, int{kPlacement}, kDefaultButtonId}) {
      EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
  }
}

void FillOptionList(HWND dialog, int comboId, const char* table) {
  FillOptionCombo(dialog, comboId, FindOptionTable(table));
  SendDlgItemMessageW(dialog, comboId, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
  SendDlgItemMessageW(dialog, comboId, CB_SETITEMHEIGHT, 0, kItemHeight);
}

void Init(HWND dialog, SheetCtx* ctx) {
  OverlayUiState* state = OverlayStateOf(ctx);
  if (state != nullptr) state->formsChanged = 0;
  const bool soft = IsSoftOverlayMode();
  if (soft) {
    SetPropertyTabStop(dialog);
    if (FormFileList* forms = SessionFormFiles(ctx)) CheckStoredChoice(dialog, ctx, forms);
  }
  FillFormList(dialog, ctx);
  FillOptionList(dialog, kPages, "Ovl_Pages");
  if (soft) {
    FillOptionList(dialog, kPlacement, "Ovl_Placement");
  } else {
    EnableWindow(GetDlgItem(dialog, kDownload), DLManagerInstalled() != 0);
  }
  SelectCurrent(dialog, ctx);
  ShowProperties(dialog, ctx);
}

// The item drawn with its option's text, and the stop icon when the
// constraint rules refuse the option.
bool DrawItem(HWND, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPages) && item->CtlID != static_cast<UINT>(kPlacement)) return false;
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return true;
  }
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    DrawItemBackground(item);
    if (row != nullptr) {
      DrawIconText(item, row->flag != 0 ? static_cast<int>(row->iconId & 0xFFFF) : 0,
                   reinterpret_cast<const wchar_t*>(row->text));
    }
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawItemFocus(item);
  return true;
}

void AfterListChange(HWND dialog, SheetCtx*) { InvalidateRect(dialog, nullptr, FALSE); }
void ChangedList(HWND dialog, SheetCtx* ctx) { MarkChanged(dialog, ctx); }

const DialogBinding kBindings[] = {
    {kPages, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nOverlay), 1, 0, nullptr, nullptr, AfterListChange,
     nullptr, ChangedList},
    {kPlacement, CBN_SELENDOK, BindKind::kDropList, DOC_FIELD_AT(nFormLaying), 1, 0, nullptr, nullptr,
     AfterListChange, nullptr, ChangedList},
    {},
};

void SetCurrent(SheetCtx* ctx, void* node) {
  if (OverlayUiState* state = OverlayStateOf(ctx)) state->current = node;
}
void NoteFormsChanged(SheetCtx* ctx) {
  if (OverlayUiState* state = OverlayStateOf(ctx)) state->formsChanged = 1;
}

void Import(HWND dialog, SheetCtx* ctx) {
  bool chosen = false;
  const int found = ImportFormFileInto(dialog, ctx, &chosen);
  if (chosen) NoteFormsChanged(ctx);
  if (found >= 0) {
    F(ctx).nFormListPos = static_cast<int16_t>(found);
    SetCurrent(ctx, ItemNode(dialog, found));
    ShowProperties(dialog, ctx);
  }
  MarkChanged(dialog, ctx);
  EnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void Delete(HWND dialog, SheetCtx* ctx) {
  const int at = Selected(dialog);
  if (at < 0) return;
  const bool soft = IsSoftOverlayMode();
  void* node = ItemNode(dialog, at);
  std::wstring first, second;
  if (soft) {
    const auto* form = static_cast<const FormFileNode*>(node);
    first = FormFileNameOf(form->path);
    second = FormDisplayName(form->header);
  } else {
    const auto* form = static_cast<const DriverFormNode*>(node);
    first = FormTextWide(form->name);
    second = FormTextWide(form->formName);
  }
  if (ShowMessageBoxStr(dialog, 5, 6, 310, MB_YESNO | MB_ICONQUESTION, first.c_str(), second.c_str()) != IDYES) {
    return;
  }
  NoteFormsChanged(ctx);
  if (soft) {
    FormFileList* forms = SessionFormFiles(ctx);
    RemoveFormFileNode(forms, static_cast<FormFileNode*>(node));
    SendDlgItemMessageW(dialog, kFormList, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SaveOverlayFormList(forms);
  } else {
    DriverFormList* forms = SessionDeviceForms(ctx);
    RemoveDriverForm(forms, static_cast<DriverFormNode*>(node));
    SendDlgItemMessageW(dialog, kFormList, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SaveDeviceFormList(forms);
  }
  if (Count(dialog) > 0) {
    SendDlgItemMessageW(dialog, kFormList, LB_SETCURSEL, 0, 0);
    SetFocusCtrl(dialog, kFormList);
    SetCurrent(ctx, ItemNode(dialog, 0));
    ShowProperties(dialog, ctx);
  } else {
    if (soft) {
      SetDlgItemTextW(dialog, kInfo, L"");
    } else {
      DocFields& f = F(ctx);
      std::memset(f.szOvlFname_PS, 0, sizeof f.szOvlFname_PS);
      DocDMode defaults;
      if (CopyDefaultOEMDevMode(ctx, &defaults)) f.dwOvlSrcType = Fields(defaults).dwOvlSrcType;
    }
    SetFocusCtrl(dialog, soft ? kImport : kManage);
    SetCurrent(ctx, nullptr);
  }
  F(ctx).nFormListPos = static_cast<int16_t>(Selected(dialog));
  MarkChanged(dialog, ctx);
  EnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void Manage(HWND dialog, SheetCtx* ctx) {
  const ModelInfo* model = ProcessModelInfo();
  const uint16_t templateId = model != nullptr && model->features[kMfOverlayMgrType] == 2 ? 194 : 127;
  const intptr_t result = RunMyDialogBox(DialogFrameworkModules().templates, dialog, templateId,
                                         OverlayFormMgrDlgProc, reinterpret_cast<LPARAM>(ctx));
  if (result != 1) return;
  NoteFormsChanged(ctx);
  FillFormList(dialog, ctx);
  SelectCurrent(dialog, ctx);
  SelectOptionValue(dialog, kPages, F(ctx).nOverlay);
  SaveDeviceFormList(SessionDeviceForms(ctx));
  MarkChanged(dialog, ctx);
  EnableControls(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void DownloadManager(HWND dialog) {
  if (!LaunchDLManager()) {
    const MessageTables* tables = DialogFrameworkModules().texts;
    const char16_t* text = tables != nullptr ? MessageText(*tables, kMessageStr, 410) : nullptr;
    const char16_t* caption = tables != nullptr ? MessageText(*tables, kMessageStr, 8) : nullptr;
    std::wstring shown = text != nullptr ? reinterpret_cast<const wchar_t*>(text) : L"";
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] == L'\\') {
        shown[i] = L'\n';
        if (i + 1 < shown.size()) shown[i + 1] = L' ';
      }
    }
    MessageBoxW(dialog, shown.c_str(), caption != nullptr ? reinterpret_cast<const wchar_t*>(caption) : L"",
                MB_OK | MB_ICONEXCLAMATION);
  }
  InvalidateRect(dialog, nullptr, FALSE);
}

// With the list changed, the position follows the list as it now stands,
// whatever the settings were put back to.
void KeepListPosition(HWND dialog, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  f.nFormListPos = static_cast<int16_t>(Selected(dialog));
  if (Count(dialog) == 0) f.bOverlay = 0;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kFormList:
      if (code == LBN_SELCHANGE) {
        const int at = Selected(dialog);
        SetCurrent(ctx, at >= 0 ? ItemNode(dialog, at) : nullptr);
        ShowProperties(dialog, ctx);
      }
      return true;
    case kImport:
      if (code == BN_CLICKED) Import(dialog, ctx);
      return true;
    case kDelete:
      if (code == BN_CLICKED) Delete(dialog, ctx);
      return true;
    case kManage:
      if (code == BN_CLICKED) Manage(dialog, ctx);
      return true;
    case kDownload:
      if (code == BN_CLICKED) DownloadManager(dialog);
      return true;
    case IDCANCEL: {
      const OverlayUiState* state = OverlayStateOf(ctx);
      if (state == nullptr || state->formsChanged == 0) return false;
      // The list changed: the settings go back as the dialog found them,
      // the position follows the list, and the sheet refreshes.
      if (const DocDMode* backup = DialogBackupOf(dialog)) *GetPrivDevMode(ctx) = *backup;
      KeepListPosition(dialog, ctx);
      EndDialog(dialog, 1);
      return true;
    }
    default:
      return false;
  }
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  const OptionItem* pages = SelectedOptionRow(dialog, kPages);
  const OptionItem* placement = IsSoftOverlayMode() ? SelectedOptionRow(dialog, kPlacement) : nullptr;
  if (pages == nullptr || (IsSoftOverlayMode() && placement == nullptr)) return false;
  DocFields& f = F(ctx);
  f.nFormListPos = static_cast<int16_t>(Selected(dialog));
  f.nOverlay = static_cast<uint8_t>(pages->value);
  if (placement != nullptr) f.nFormLaying = static_cast<uint8_t>(placement->value);
  return true;
}

void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults;
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  DocFields& f = F(ctx);
  const bool differs = f.nOverlay != Fields(defaults).nOverlay || f.nFormLaying != Fields(defaults).nFormLaying;
  f.nOverlay = Fields(defaults).nOverlay;
  f.nFormLaying = Fields(defaults).nFormLaying;
  if (differs) MarkChanged(dialog, ctx);
}

const SheetComboHeight kComboHeights[] = {{kPages, kItemHeight}, {kPlacement, kItemHeight}, {0, 0}};

constexpr DocumentDialog Describe(uint16_t templateId) {
  return DocumentDialog{
      .templateId = templateId,
      .textSection = "Dlg_OverlayInfo",
      .helpIds = kHelpIds,
      .helpTopic = 4010,
      .clipTitle = L"Overlay Information Dialog",
      .bindings = kBindings,
      .comboHeights = kComboHeights,
      .init = Init,
      .enableRules = EnableControls,
      .command = Command,
      .ok = Ok,
      .defaults = Defaults,
      .drawItem = DrawItem,
  };
}
const DocumentDialog kFormFileDialog = Describe(kOverlayFormFileTemplate);
const DocumentDialog kDeviceFormDialog = Describe(kOverlayDeviceFormTemplate);

}  // namespace

INT_PTR CALLBACK OverlayFormDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(IsSoftOverlayMode() ? kFormFileDialog : kDeviceFormDialog, dialog, message, wParam,
                           lParam);
}
