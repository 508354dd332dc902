#include "dproc/device/version_sheet_win.h"

#include <commctrl.h>

#include <string>

#include "common/contracts/ddproc_sheet_functions_win.h"
#include "common/qxd/disp_string_table.h"
#include "common/qxd/version_strings.h"
#include "common/win/printer_queries.h"
#include "dproc/device/version_list.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"

namespace {

enum : int {
  kLogo = 1224,
  kDriverName = 1225,
  kVersionLine = 1170,
  kVersionList = 2227,
  kNotice1 = 1171,
  kNotice2 = 1172,
  kNotice3 = 1174,
};

const DWORD kHelpIds[] = {1224, DWORD(-1), 1225, DWORD(-1), 1226, DWORD(-1), 1170, DWORD(-1),
                          1171, DWORD(-1), 1172, DWORD(-1), 1174, DWORD(-1), 0, 0};

const char16_t* Row(const char* key) { return DispStringText(DialogTextTable("Property_7"), key); }

INT_PTR Init(HWND dialog, SheetCtx* ctx) {
  wchar_t name[261] = {};
  if (QueryDriverName(GetCtxPrinterHandle(ctx), name, nullptr)) SetDlgItemTextW(dialog, kDriverName, name);

  std::u16string line = Row("Version");
  if (line.empty()) line = u"Version";
  if (line.size() > 259) line.resize(259);
  if (line.size() <= 258) line += u" ";
  line += GetVersionString(kVersionDriver);
  if (line.size() > 259) line.resize(259);
  SetDlgItemTextW(dialog, kVersionLine, reinterpret_cast<const wchar_t*>(line.c_str()));

  char16_t data[kVersionListUnits + 1] = {};
  GetDataVersion(data, kVersionListUnits + 1);
  const VersionRow rows[] = {{Row("Version_Core"), kCoreVersion}, {Row("Version_Sub"), kSubVersion},
                             {Row("Version_QXD"), data}};
  int stop = 0;
  const std::u16string list = VersionListText(rows, 3, &stop);
  SendDlgItemMessageW(dialog, kVersionList, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
  SetDlgItemTextW(dialog, kVersionList, reinterpret_cast<const wchar_t*>(list.c_str()));

  SetDlgItemTextW(dialog, kNotice1, reinterpret_cast<const wchar_t*>(Row("Copyright1")));
  SetDlgItemTextW(dialog, kNotice2, reinterpret_cast<const wchar_t*>(Row("Copyright2")));
  SetDlgItemTextW(dialog, kNotice3, reinterpret_cast<const wchar_t*>(Row("Copyright3")));
  return FALSE;
}

// The logo above the driver's name, and the texts centred in the page.
INT_PTR Paint(HWND dialog) {
  ShowEnableCtrl(dialog, kLogo, FALSE);
  RECT client = {};
  GetClientRect(dialog, &client);
  RECT name = {};
  GetWindowRect(GetDlgItem(dialog, kDriverName), &name);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&name), 2);
  PAINTSTRUCT paint = {};
  HDC dc = BeginPaint(dialog, &paint);
  auto logo = reinterpret_cast<DrawLogoVersionTabFn>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDrawLogoVersionTab]));
  // Without the device library or its export there is no logo.
  if (dc != nullptr && g_ddproc.module != nullptr && logo != nullptr) {
    logo(dc, nullptr, (client.left + client.right) / 2, (name.top - client.top) / 2);
  }
  EndPaint(dialog, &paint);
  for (int id : {kDriverName, kVersionLine, kVersionList, kNotice1, kNotice2, kNotice3}) {
    HWND control = GetDlgItem(dialog, id);
    RECT r = {};
    if (control == nullptr || !GetWindowRect(control, &r)) continue;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int width = r.right - r.left;
    SetWindowPos(control, nullptr, client.left + (client.right - client.left - width) / 2, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
  return TRUE;
}

INT_PTR Other(HWND dialog, SheetCtx*, UINT message, WPARAM, LPARAM) {
  return message == WM_PAINT ? Paint(dialog) : FALSE;
}

const DocumentSheet kVersionSheet = {
    .pageId = kVersionTemplate,
    .preview = PreviewAreaStep::kNone,
    .skipDropListFilter = false,
    .logoLayout = 0,
    .helpIds = kHelpIds,
    .pageHelpTopic = 9000,
    .comboHeights = nullptr,
    .init = Init,
    .setActive = nullptr,
    .killActive = nullptr,
    .apply = nullptr,
    .command = nullptr,
    .drawItem = nullptr,
    .destroy = nullptr,
    .other = Other,
    .textSection = "Property_7",
};

}  // namespace

INT_PTR CALLBACK VersionSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kVersionSheet, dialog, message, wParam, lParam);
}
