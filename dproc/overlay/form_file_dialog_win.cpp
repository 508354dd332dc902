// The form file dialog (GetFormFileName): the system's open or save dialog
// for ".QFV" files with the form name below it (child template 108).  In
// import mode the name of the selected form file is shown; in create mode
// the name the user types is handed back.  The folder of the chosen file is
// where the dialog opens next time.

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>
#include <string>

#include "common/win/activation_context_win.h"
#include "common/win/driver_help.h"
#include "common/win/win_version.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/overlay/form_store_win.h"
#include "dproc/overlay/overlay_dialogs_win.h"

namespace {

enum : int { kPlaceholder = 1119, kFormNameLabel = 1282, kFormNameEdit = 1281 };
constexpr int kFormNameLimit = 31;
constexpr wchar_t kHookProp[] = L"FormFileDialogRequest";

const wchar_t* DisplayTextOr(const char* section, const wchar_t* fallback) {
  const DispStringItem* table = DialogTextTable(section);
  if (table != nullptr && table[0].text[0] != 0) return reinterpret_cast<const wchar_t*>(table[0].text);
  return fallback;
}

// The drive and folder of a path, with its closing backslash.
std::wstring FolderOf(const wchar_t* path) {
  const std::wstring p = path;
  const size_t slash = p.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
}

// The form name edit lines up with the standard dialog's file-type row.
void AlignWithFileType(HWND child) {
  HWND frame = GetParent(child);
  HWND typeLabel = GetDlgItem(frame, stc2), typeList = GetDlgItem(frame, cmb1);
  if (typeLabel == nullptr || typeList == nullptr) return;
  RECT label, list, mine;
  GetWindowRect(typeLabel, &label);
  GetWindowRect(typeList, &list);
  HWND edit = GetDlgItem(child, kFormNameEdit), caption = GetDlgItem(child, kFormNameLabel);
  GetWindowRect(edit, &mine);
  MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&label), 2);
  MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&list), 2);
  MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&mine), 2);
  SetWindowPos(caption, nullptr, label.left, mine.top + 2, label.right - label.left, mine.bottom - mine.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(edit, nullptr, list.left, mine.top, list.right - list.left, mine.bottom - mine.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

FormFileRequest* RequestOf(HWND child) { return static_cast<FormFileRequest*>(GetPropW(child, kHookProp)); }

UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
      auto* request = reinterpret_cast<FormFileRequest*>(ofn->lCustData);
      SetPropW(child, kHookProp, request);
      if (const DispStringItem* table = DialogTextTable("Dlg_CreateOvlForm")) ApplyDispStrings(child, table);
      AlignWithFileType(child);
      SendDlgItemMessageW(child, kFormNameEdit, EM_LIMITTEXT, kFormNameLimit, 0);
      if (request->formName[0] != 0) SetDlgItemTextW(child, kFormNameEdit, request->formName);
      if (request->mode != 0) EnableWindow(GetDlgItem(child, kFormNameEdit), FALSE);
      if (request->owner == nullptr) {
        HWND frame = GetParent(child);
        SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RECT work, box;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(frame, &box);
        SetWindowPos(frame, nullptr, work.left + (work.right - work.left - (box.right - box.left)) / 2,
                     work.top + (work.bottom - work.top - (box.bottom - box.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
      }
      return 0;
    }
    case WM_SHOWWINDOW:
      if (wParam != 0) {
        const FormFileRequest* request = RequestOf(child);
        if (request != nullptr && request->owner == nullptr) {
          HWND frame = GetParent(child);
          SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
          SetForegroundWindow(frame);
        }
      }
      return 0;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const OFNOTIFYW*>(lParam);
      FormFileRequest* request = RequestOf(child);
      if (request == nullptr) return 0;
      if (note->hdr.code == CDN_SELCHANGE && request->mode != 0) {
        wchar_t path[MAX_PATH] = {};
        if (SendMessageW(GetParent(child), CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path)) > 0) {
          FormFileHeader header;
          if (ReadFormFileHeader(path, &header)) SetDlgItemTextW(child, kFormNameEdit, FormDisplayName(header).c_str());
        }
      } else if (note->hdr.code == CDN_FILEOK && request->mode == 0) {
        wchar_t name[kFormRequestNameChars] = {};
        GetDlgItemTextW(child, kFormNameEdit, name, kFormRequestNameChars);
        std::wmemcpy(request->formName, name, kFormRequestNameChars);
      }
      return 0;
    }
    case WM_HELP:
    case WM_CONTEXTMENU: {
      const HWND edit = GetDlgItem(child, kFormNameEdit);
      HWND target = message == WM_HELP ? static_cast<HWND>(reinterpret_cast<const HELPINFO*>(lParam)->hItemHandle)
                                       : reinterpret_cast<HWND>(wParam);
      if (target != edit && target != GetDlgItem(child, kFormNameLabel)) return 0;
      ShowDriverHelp(child, HELP_CONTEXTPOPUP, IsWindowEnabled(edit) ? 4180 : 4170);
      return 1;
    }
    case WM_DESTROY:
      RemovePropW(child, kHookProp);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

BOOL ShowFormFileDialog(FormFileRequest* request) {
  if (request == nullptr) return FALSE;
  request->path[kFormRequestPathChars - 1] = 0;
  request->formName[kFormRequestNameChars - 1] = 0;
  wchar_t filter[kFormRequestPathChars] = L"Form file(*.QFV)|*.QFV||";
  for (wchar_t& c : filter) {
    if (c == L'|') c = 0;
  }
  wchar_t folder[kFormPathChars] = {};
  if (request->path[0] != 0) {
    std::wcsncpy(folder, FolderOf(request->path).c_str(), kFormPathChars - 1);
  } else {
    GetFormInitialDir(request->printerName, request->driverName, folder);
  }
  const bool import = request->mode != 0;
  OPENFILENAMEW ofn{};
  ofn.lStructSize = GetWinVersionClass() <= kWinNT4 ? OPENFILENAME_SIZE_VERSION_400W : sizeof ofn;
  ofn.hwndOwner = request->owner;
  ofn.hInstance = DialogFrameworkModules().templates;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = request->path;
  ofn.nMaxFile = kFormRequestPathChars;
  ofn.lpstrInitialDir = folder;
  ofn.lpstrTitle = import ? DisplayTextOr("Dlg_ImportOvlForm", L"Import Overlay Form File")
                          : DisplayTextOr("Dlg_CreateOvlForm", L"Create New Overlay Form File");
  ofn.lpstrDefExt = L"QFV";
  ofn.lCustData = reinterpret_cast<LPARAM>(request);
  ofn.lpfnHook = Hook;
  ofn.lpTemplateName = MAKEINTRESOURCEW(kFormFileChildTemplate);
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE |
              (import ? OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT);
  BOOL chosen = FALSE;
  {
    ActivationScope scope(DialogFrameworkModules().activation);
    chosen = import ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
  }
  if (chosen) SetFormInitialDir(request->printerName, request->driverName, FolderOf(request->path).c_str());
  return chosen;
}
