#include "dproc/easyset/easy_set_file_dialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <cwchar>

#include "common/qxd/disp_string_table.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/easyset/easy_set_files_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr int kName = 1901, kComment = 1906;
constexpr wchar_t kFilter[] = L"Easy Set files (*.QXS)\0*.QXS\0\0";
constexpr size_t kFilterChars = 260;

// The filter of the description file's text: at most 260 characters, each
// "|" a NUL, ended by two NULs; the built-in one when the text is empty.
void FilterOf(const char16_t* text, wchar_t (&filter)[kFilterChars + 2]) {
  size_t n = 0;
  for (; text != nullptr && n < kFilterChars && text[n] != 0; ++n) {
    filter[n] = text[n] == u'|' ? L'\0' : static_cast<wchar_t>(text[n]);
  }
  filter[n] = filter[n + 1] = L'\0';
  if (n == 0) std::memcpy(filter, kFilter, sizeof kFilter);
}

EasySetFileRequest* RequestOf(HWND hook) {
  const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
  return ofn != nullptr ? reinterpret_cast<EasySetFileRequest*>(ofn->lCustData) : nullptr;
}

std::u16string U16(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), wcslen(text));
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string FieldText(const char16_t* field, size_t units) {
  size_t n = 0;
  while (n < units && field[n] != 0) ++n;
  return std::u16string(field, n);
}

// The file the dialog names: its file buffer, or the selection of the list
// with the default extension when that names no file.
std::wstring ChosenPath(HWND fileDialog, const wchar_t* buffer) {
  wchar_t path[MAX_PATH] = {};
  if (buffer != nullptr && buffer[0] != 0) {
    wcsncpy(path, buffer, MAX_PATH - 1);
  } else if (SendMessageW(fileDialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path)) <= 0) {
    return std::wstring();
  }
  std::wstring chosen(path);
  if (GetFileAttributesW(chosen.c_str()) == INVALID_FILE_ATTRIBUTES && chosen.size() + 4 < MAX_PATH) {
    chosen += L".QXS";
  }
  return chosen;
}

// The file's name and comment fill the edits (both cleared when it is no
// Easy Set file).
void ShowFileNames(HWND hook) {
  HWND fileDialog = GetParent(hook);
  EasySetHeader header{};
  const std::wstring path = ChosenPath(fileDialog, nullptr);
  if (path.empty() || !ReadEasySetFile(path.c_str(), &header)) {
    SetDlgItemTextW(hook, kName, L"");
    SetDlgItemTextW(hook, kComment, L"");
    return;
  }
  SetDlgItemTextW(hook, kName, Wide(FieldText(header.name, kEasySetNameChars)).c_str());
  SetDlgItemTextW(hook, kComment, Wide(FieldText(header.comment, kEasySetCommentChars)).c_str());
}

// Whether the file may be imported under the name shown, asking the user
// about another driver version; the refusals say why.
bool MayImport(HWND hook, EasySetFileRequest* request, const OPENFILENAMEW* ofn) {
  HWND fileDialog = GetParent(hook);
  EasySetHeader header{};
  const std::wstring path = ChosenPath(fileDialog, ofn->lpstrFile);
  if (path.empty() || !ReadEasySetFile(path.c_str(), &header)) {
    ShowMessageBox(fileDialog, 1, kEasySetFileNotOurs, 0, MB_ICONEXCLAMATION, 0, 0);
    return false;
  }
  wchar_t name[kEasySetNameChars] = {};
  wchar_t comment[kEasySetCommentChars] = {};
  GetDlgItemTextW(hook, kName, name, kEasySetNameChars);
  GetDlgItemTextW(hook, kComment, comment, kEasySetCommentChars);
  if (name[0] == 0) {
    ShowMessageBox(fileDialog, 1, 30, 0, MB_ICONEXCLAMATION, 0, 0);
    return false;
  }
  for (const std::u16string& taken : request->userNames) {
    if (taken == U16(name)) {
      ShowMessageBox(fileDialog, 1, 31, 0, MB_ICONEXCLAMATION, 0, 0);
      return false;
    }
  }
  const EasySetFileCheck check = CheckEasySetFile(header, request->driver);
  const std::wstring fileModel = Wide(FieldText(header.model, kEasySetModelChars));
  const std::wstring fileSystem = Wide(FieldText(header.system, kEasySetSystemChars));
  const std::wstring fileVersion = Wide(FieldText(header.version, kEasySetVersionChars));
  switch (check) {
    case kEasySetFileFits:
      break;
    case kEasySetFileOtherModel:
      ShowMessageBoxStr(fileDialog, 1, check, 0, MB_ICONEXCLAMATION, fileModel.c_str(),
                        Wide(request->driver.driverName).c_str());
      return false;
    case kEasySetFileOtherSystem:
      ShowMessageBoxStr(fileDialog, 1, check, 0, MB_ICONEXCLAMATION, fileSystem.c_str(),
                        Wide(request->driver.system).c_str());
      return false;
    case kEasySetFileOtherVersion:
      if (ShowMessageBoxStr(fileDialog, 1, check, 0, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, fileVersion.c_str(),
                            Wide(request->driver.version).c_str()) != IDYES) {
        return false;
      }
      break;
    default:
      ShowMessageBox(fileDialog, 1, check, 0, MB_ICONEXCLAMATION, 0, 0);
      return false;
  }
  wcsncpy(request->name, name, kEasySetNameChars - 1);
  wcsncpy(request->comment, comment, kEasySetCommentChars - 1);
  return true;
}

}  // namespace

UINT_PTR CALLBACK EasySetFileHookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(hook, GWLP_USERDATA, lParam);
      EasySetFileRequest* request = RequestOf(hook);
      SendDlgItemMessageW(hook, kName, EM_LIMITTEXT, kEasySetNameChars - 2, 0);
      SendDlgItemMessageW(hook, kComment, EM_LIMITTEXT, kEasySetCommentChars - 1, 0);
      if (request != nullptr && !request->import) {
        SetDlgItemTextW(hook, kName, request->name);
        SetDlgItemTextW(hook, kComment, request->comment);
        SendDlgItemMessageW(hook, kName, EM_SETREADONLY, TRUE, 0);
        SendDlgItemMessageW(hook, kComment, EM_SETREADONLY, TRUE, 0);
      }
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const OFNOTIFYW*>(lParam);
      EasySetFileRequest* request = RequestOf(hook);
      if (note == nullptr || request == nullptr || !request->import) return FALSE;
      if (note->hdr.code == static_cast<UINT>(CDN_SELCHANGE)) {
        ShowFileNames(hook);
      } else if (note->hdr.code == static_cast<UINT>(CDN_FILEOK)) {
        const bool accepted = MayImport(hook, request, note->lpOFN);
        SetWindowLongPtrW(hook, DWLP_MSGRESULT, accepted ? 0 : 1);
        return accepted ? FALSE : TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

bool ShowEasySetFileDialog(EasySetFileRequest* request) {
  if (request == nullptr) return false;
  const char* group = request->import ? "Dlg_ImportEasySet" : "Dlg_ExportEasySet";
  const DispStringItem* texts = DialogTextTable(group);
  wchar_t filter[kFilterChars + 2] = {};
  FilterOf(DispStringText(texts, request->import ? "ImportEasyFile_Filter" : "ExportEasyFile_Filter"), filter);
  const std::u16string caption = DispStringText(texts, group);
  const std::wstring title(caption.begin(), caption.end());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request->owner;
  ofn.hInstance = DialogFrameworkModules().templates;
  ofn.lpstrFilter = filter;
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = request->path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"QXS";
  ofn.lCustData = reinterpret_cast<LPARAM>(request);
  ofn.lpfnHook = EasySetFileHookProc;
  ofn.Flags = OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
  if (ofn.hInstance != nullptr) {
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.lpTemplateName = MAKEINTRESOURCEW(kEasySetFileTemplate);
  }
  if (request->import) {
    ofn.Flags |= OFN_PATHMUSTEXIST;
    return GetOpenFileNameW(&ofn) != FALSE;
  }
  ofn.Flags |= OFN_OVERWRITEPROMPT;
  return GetSaveFileNameW(&ofn) != FALSE;
}
