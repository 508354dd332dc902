// The Overlay Form file Management dialog (127, or 194 without the device's
// list): the forms the device holds that the driver's list lacks, beside the
// driver's list, with the name, form name and location of the selected
// entry.  The settings' form location becomes the default location at OK
// only; Cancel leaves it as it was.  Every list item carries its own copy of a form entry; the
// session's list is rebuilt from the items only at OK.  The device's forms
// that are not registered stay in the session's list while the dialog is
// open and leave it when the dialog ends.

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/contracts/ddproc_functions.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/printer_address_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/name_duplicate_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/overlay/overlay_dialogs_win.h"
#include "dproc/overlay/form_store_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/startup/ddproc_binding_win.h"

namespace {

enum : int {
  kDeviceList = 1563,
  kAddSel = 1564,
  kAddAll = 1565,
  kRemove = 1566,
  kDriverList = 1568,
  kNew = 1569,
  kName = 1572,
  kFormName = 1574,
  kLocation = 1619,
  kLocationStop = 1643,
};
constexpr uint32_t kHintList = 2516;
constexpr uint32_t kHintEntry = 2517;
constexpr int kNameChars = 40;
constexpr int kFormNameChars = 31;

const DWORD kHelpIds[] = {1562, 4300, 1563, 4300, 1564, 4310, 1565, 4320, 1566, 4330, 1567, 4340, 1568, 4340,
                          1569, 4350, 1570, 4260, 1571, 4380, 1572, 4380, 1573, 4360, 1574, 4360, 1617, 4370,
                          1643, 4370, 1619, 4370, 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1), 0, 0};

// What the dialog keeps while it is open.
struct ManagerState {
  bool locationStopHidden = true;
  uint32_t defaultLocation = 0;  // new entries' location; the settings take it at OK
};
constexpr wchar_t kStateProp[] = L"OverlayFormManager";
ManagerState* StateOf(HWND dialog) { return static_cast<ManagerState*>(GetPropW(dialog, kStateProp)); }

void Narrow(const wchar_t* text, char* out, size_t bytes) {
  std::memset(out, 0, bytes);
  WideCharToMultiByte(CP_ACP, 0, text, -1, out, static_cast<int>(bytes) - 1, nullptr, nullptr);
  out[bytes - 1] = '\0';
}

const ModelWideListItem* Locations() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr ? model->overlayFormLocations : nullptr;
}
std::wstring LocationText(uint32_t location) { return FormLocationText(location); }

uint32_t DefaultLocation(const SheetCtx* ctx) {
  DocDMode defaults;
  return CopyDefaultOEMDevMode(ctx, &defaults) ? Fields(defaults).dwOvlSrcType : 0;
}

HWND List(HWND dialog, int id) { return GetDlgItem(dialog, id); }
int ItemCount(HWND list) { return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0; }
int SelectedItem(HWND list) {
  return list != nullptr
             ? static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
             : -1;
}
DriverFormNode* NodeOf(HWND list, int item) {
  LVITEMW lv{};
  lv.mask = LVIF_PARAM;
  lv.iItem = item;
  if (item < 0 || !SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lv))) return nullptr;
  return reinterpret_cast<DriverFormNode*>(lv.lParam);
}
void SetItemText(HWND list, int item, int column, const std::wstring& text) {
  LVITEMW lv{};
  lv.iSubItem = column;
  lv.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
}
void SelectItem(HWND list, int item) {
  LVITEMW lv{};
  lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  lv.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}
void ClearSelection(HWND list) {
  if (list == nullptr) return;
  LVITEMW lv{};
  lv.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&lv));
}

// Inserts a copy of `node` at the end of `list` with its three texts; the
// copy belongs to the item.  The new item's index, or -1.
int InsertCopy(HWND list, const DriverFormNode& node) {
  std::unique_ptr<DriverFormNode> copy(new (std::nothrow) DriverFormNode(node));
  if (!copy) return -1;
  const std::wstring name = FormTextWide(node.name);
  LVITEMW lv{};
  lv.mask = LVIF_TEXT | LVIF_PARAM;
  lv.iItem = ItemCount(list);
  lv.pszText = const_cast<wchar_t*>(name.c_str());
  lv.lParam = reinterpret_cast<LPARAM>(copy.get());
  const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv)));
  if (at < 0) return -1;
  copy.release();
  SetItemText(list, at, 1, FormTextWide(node.formName));
  SetItemText(list, at, 2, LocationText(node.location));
  return at;
}

void SizeColumns(HWND list) {
  if (list == nullptr) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int margin = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0)) : 0;
  for (int column = 0; column < 2; ++column) {
    int widest = 0;
    for (int i = 0, n = ItemCount(list); i < n; ++i) {
      const std::wstring text = ListViewItemText(list, i, column);
      const int w =
          static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
      if (w > widest) widest = w;
    }
    int width = widest + margin + (column == 0 ? 16 : 0);
    if (width <= 50) width = 50;
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
  }
}

void InsertColumns(HWND list) {
  if (list == nullptr) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (header != nullptr) SetWindowLongPtrW(header, GWL_STYLE, GetWindowLongPtrW(header, GWL_STYLE) & ~HDS_BUTTONS);
  const int margin = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0)) : 0;
  const DispStringItem* texts = DialogTextTable("Dlg_ManageOvlForm");
  const std::pair<const char*, const wchar_t*> columns[] = {
      {"OvlForm_FileNameList", L"File Name"}, {"OvlForm_FormNameList", L"Overlay Name"},
      {"OvlForm_LocationList", L"Location"}};
  for (int i = 0; i < 3; ++i) {
    const char16_t* text = texts != nullptr ? DispStringText(texts, columns[i].first) : u"";
    const wchar_t* shown = text[0] != 0 ? reinterpret_cast<const wchar_t*>(text) : columns[i].second;
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<wchar_t*>(shown);
    column.iSubItem = i;
    column.cx = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(shown))) +
                2 * margin;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

template <typename Fn>
Fn EntryAs(DDProcEntry entry) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(g_ddproc.entry[entry]));
}

// The device's forms: each becomes, or marks, a node of the session's list
// as being on the device.  Nothing happens when any step fails.
void AskDevice(const SheetCtx* ctx, DriverFormList* forms) {
  char address[64] = {};
  if (!FormHostAddress(ctx, address)) return;
  auto isModelOK = EntryAs<MibIsModelOKProc>(kMibIsModelOK);
  auto request = EntryAs<MibOverlayRequestProc>(kMibOverlayRequest);
  auto release = EntryAs<MibFreeListProc>(kMibFreeOverlayInfo);
  if (isModelOK == nullptr || request == nullptr || !isModelOK(address)) return;
  DeviceFormList* answer = request(address, 1);
  if (answer == nullptr) return;
  const uint32_t fallback = DefaultLocation(ctx);
  for (uint32_t i = 0; answer->items != nullptr && i < answer->count; ++i) {
    DeviceFormItem item = answer->items[i];
    item.name[sizeof item.name - 1] = '\0';
    item.file[sizeof item.file - 1] = '\0';
    item.storage[sizeof item.storage - 1] = '\0';
    uint32_t location = fallback;
    for (const ModelWideListItem* row = Locations(); row != nullptr && row->keyword[0] != '\0'; ++row) {
      if (std::strcmp(row->keyword, item.storage) == 0) {
        location = row->value;
        break;
      }
    }
    DriverFormNode* node = FindDriverForm(forms, item.file, location);
    if (node == nullptr && (node = AddDriverForm(forms, item.file, location)) != nullptr) {
      CopyFormText(node->formName, sizeof node->formName, item.name);
    }
    if (node != nullptr) node->onDevice = 1;
  }
  if (release != nullptr) release(answer);
}

void EnableControls(HWND dialog, SheetCtx*) {
  HWND device = List(dialog, kDeviceList), driver = List(dialog, kDriverList);
  const int selected = SelectedItem(driver);
  const DriverFormNode* node = selected >= 0 ? NodeOf(driver, selected) : nullptr;
  EnableCtrlIfVisible(GetDlgItem(dialog, kAddSel), SelectedItem(device) >= 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kAddAll), ItemCount(device) > 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kRemove), selected >= 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kNew), TRUE);
  EnableCtrlIfVisible(GetDlgItem(dialog, kFormName), selected >= 0);
  const BOOL nameEditable = node != nullptr && node->onDevice == 0;
  EnableCtrlIfVisible(GetDlgItem(dialog, kName), nameEditable);
  const ManagerState* state = StateOf(dialog);
  BOOL location = nameEditable;
  if (state != nullptr && !state->locationStopHidden) {
    location = FALSE;
  } else if (SendDlgItemMessageW(dialog, kLocation, CB_GETCOUNT, 0, 0) < 2) {
    location = FALSE;
  }
  EnableCtrlIfVisible(GetDlgItem(dialog, kLocation), location);
}

// An entry without a name, or with the name of another at its location,
// keeps the user in the edits: the buttons that leave it and OK stay
// disabled until the name is corrected.
void CheckNameAndLock(HWND dialog, SheetCtx* ctx) {
  const bool selected = SelectedItem(List(dialog, kDriverList)) >= 0;
  const bool valid = !selected || (GetWindowTextLengthW(GetDlgItem(dialog, kName)) > 0 &&
                                   CheckFormNameDuplicate(dialog) != 0);
  for (int id : {int{kAddSel}, int{kAddAll}, int{kRemove}, int{kNew}, IDOK, int{kDeviceList}, int{kDriverList}}) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), valid);
  }
  if (valid) EnableControls(dialog, ctx);
  DispPageHint(dialog, ctx, kHintEntry);
}

void FillLocations(HWND dialog, uint32_t selected) {
  HWND combo = GetDlgItem(dialog, kLocation);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int found = -1;
  for (const ModelWideListItem* row = Locations(); row != nullptr && row->keyword[0] != '\0'; ++row) {
    const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row->text));
    if (at < 0) continue;
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), row->value);
    if (found < 0 && row->value == selected) found = static_cast<int>(at);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void SelectLocation(HWND dialog, uint32_t location) {
  HWND combo = GetDlgItem(dialog, kLocation);
  int found = -1;
  for (int i = 0, n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); i < n && found < 0; ++i) {
    if (static_cast<uint32_t>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == location) found = i;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void Init(HWND dialog, SheetCtx* ctx) {
  auto* state = new ManagerState();
  state->defaultLocation = DefaultLocation(ctx);
  SetPropW(dialog, kStateProp, state);
  InsertColumns(List(dialog, kDeviceList));
  InsertColumns(List(dialog, kDriverList));
  SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kNameChars, 0);
  SendDlgItemMessageW(dialog, kFormName, EM_LIMITTEXT, kFormNameChars, 0);
  DriverFormList* forms = SessionDeviceForms(ctx);
  if (forms != nullptr && List(dialog, kDeviceList) != nullptr) AskDevice(ctx, forms);
  if (forms != nullptr) {
    for (const auto& node : forms->nodes) {
      if (node->onDevice && !node->registered) {
        InsertCopy(List(dialog, kDeviceList), *node);
      } else if (node->registered) {
        InsertCopy(List(dialog, kDriverList), *node);
      }
    }
  }
  SetDlgItemTextW(dialog, kName, L"");
  SetDlgItemTextW(dialog, kFormName, L"");
  SizeColumns(List(dialog, kDeviceList));
  SizeColumns(List(dialog, kDriverList));
  FillLocations(dialog, state->defaultLocation);
}

void Started(HWND dialog, SheetCtx* ctx) {
  if (ManagerState* state = StateOf(dialog)) state->locationStopHidden = IsStopIconHidden(kLocationStop);
  EnableControls(dialog, ctx);
  DispPageHint(dialog, ctx, kHintList);
}

// Moves the item `at` of the device's list to the end of the driver's list
// as a registered entry, selected.  False when it could not be copied.
bool MoveToDriver(HWND dialog, int at) {
  HWND device = List(dialog, kDeviceList), driver = List(dialog, kDriverList);
  const DriverFormNode* node = NodeOf(device, at);
  if (node == nullptr) return false;
  DriverFormNode copy = *node;
  copy.registered = 1;
  const int inserted = InsertCopy(driver, copy);
  if (inserted < 0) return false;
  SendMessageW(device, LVM_DELETEITEM, static_cast<WPARAM>(at), 0);
  SelectItem(driver, inserted);
  return true;
}

void FocusNext(HWND dialog, HWND list, int at) {
  const int n = ItemCount(list);
  if (n > 0) {
    SetFocus(list);
    SelectItem(list, at < n ? at : n - 1);
  } else {
    SetFocusCtrl(dialog, IDOK);
  }
}

void AddSelected(HWND dialog, SheetCtx* ctx) {
  ClearSelection(List(dialog, kDriverList));
  HWND device = List(dialog, kDeviceList);
  const int at = SelectedItem(device);
  if (at < 0 || !MoveToDriver(dialog, at)) return;
  SizeColumns(List(dialog, kDriverList));
  FocusNext(dialog, device, at);
  EnableControls(dialog, ctx);
}

void AddAll(HWND dialog, SheetCtx* ctx) {
  HWND device = List(dialog, kDeviceList), driver = List(dialog, kDriverList);
  ClearSelection(driver);
  SendMessageW(driver, WM_SETREDRAW, FALSE, 0);
  while (ItemCount(device) > 0 && MoveToDriver(dialog, 0)) {
  }
  SendMessageW(driver, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(driver, nullptr, TRUE);
  SizeColumns(driver);
  EnableControls(dialog, ctx);
}

void Remove(HWND dialog, SheetCtx* ctx) {
  HWND device = List(dialog, kDeviceList), driver = List(dialog, kDriverList);
  ClearSelection(device);
  const int at = SelectedItem(driver);
  const DriverFormNode* node = NodeOf(driver, at);
  if (node == nullptr) return;
  wchar_t name[kNameChars + 1] = {}, formName[31] = {};
  GetDlgItemTextW(dialog, kName, name, kNameChars + 1);
  GetDlgItemTextW(dialog, kFormName, formName, 31);
  if (ShowMessageBoxStr(dialog, 5, 6, 310, MB_YESNO | MB_ICONQUESTION, name, formName) != IDYES) return;
  DriverFormNode copy = *node;
  SendMessageW(driver, LVM_DELETEITEM, static_cast<WPARAM>(at), 0);
  SetDlgItemTextW(dialog, kName, L"");
  SetDlgItemTextW(dialog, kFormName, L"");
  if (copy.onDevice && device != nullptr) {
    copy.registered = 0;
    const int inserted = InsertCopy(device, copy);
    if (inserted >= 0) SelectItem(device, inserted);
    SizeColumns(device);
  }
  FocusNext(dialog, driver, at);
  EnableControls(dialog, ctx);
}

void New(HWND dialog, SheetCtx* ctx) {
  DriverFormNode node{};
  node.registered = 1;
  const ManagerState* state = StateOf(dialog);
  node.location = state != nullptr ? state->defaultLocation : DefaultLocation(ctx);
  SelectLocation(dialog, node.location);
  HWND driver = List(dialog, kDriverList);
  ClearSelection(driver);
  const int at = InsertCopy(driver, node);
  if (at >= 0) SelectItem(driver, at);
  SetDlgItemTextW(dialog, kName, L"");
  SetDlgItemTextW(dialog, kFormName, L"");
  CheckNameAndLock(dialog, ctx);
  SetFocusCtrl(dialog, kName);
}

// An edit's text into the selected entry and its column.
void TakeEdit(HWND dialog, SheetCtx* ctx, int editId) {
  ClearSelection(List(dialog, kDeviceList));
  HWND driver = List(dialog, kDriverList);
  const int at = SelectedItem(driver);
  DriverFormNode* node = NodeOf(driver, at);
  if (node == nullptr) return;
  wchar_t text[kFormPathChars] = {};
  GetDlgItemTextW(dialog, editId, text, kFormPathChars);
  if (editId == kName) {
    Narrow(text, node->name, kNameChars + 1);
    SetItemText(driver, at, 0, FormTextWide(node->name));
  } else {
    Narrow(text, node->formName, sizeof node->formName);
    SetItemText(driver, at, 1, FormTextWide(node->formName));
  }
  CheckNameAndLock(dialog, ctx);
}

void TakeLocation(HWND dialog, SheetCtx* ctx) {
  ClearSelection(List(dialog, kDeviceList));
  HWND driver = List(dialog, kDriverList);
  const int at = SelectedItem(driver);
  DriverFormNode* node = NodeOf(driver, at);
  if (node == nullptr) return;
  const LRESULT sel = SendDlgItemMessageW(dialog, kLocation, CB_GETCURSEL, 0, 0);
  node->location = sel >= 0 ? static_cast<uint32_t>(SendDlgItemMessageW(dialog, kLocation, CB_GETITEMDATA,
                                                                       static_cast<WPARAM>(sel), 0))
                            : 0;
  SetItemText(driver, at, 2, sel >= 0 ? LocationText(node->location) : L"");
  CheckNameAndLock(dialog, ctx);
}

// The edits keep at most what the stored fields hold in the ANSI code page.
void TrimEdit(HWND dialog, int editId, int bytes) {
  wchar_t text[kFormPathChars] = {};
  GetDlgItemTextW(dialog, editId, text, kFormPathChars);
  char narrow[kFormPathChars];
  Narrow(text, narrow, static_cast<size_t>(bytes) + 1);
  const std::wstring kept = FormTextWide(narrow);
  if (kept != text) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(dialog, editId, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetDlgItemTextW(dialog, editId, kept.c_str());
    SendDlgItemMessageW(dialog, editId, EM_SETSEL, start, end);
  }
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kAddSel:
      if (code == BN_CLICKED) AddSelected(dialog, ctx);
      return true;
    case kAddAll:
      if (code == BN_CLICKED) AddAll(dialog, ctx);
      return true;
    case kRemove:
      if (code == BN_CLICKED) Remove(dialog, ctx);
      return true;
    case kNew:
      if (code == BN_CLICKED) New(dialog, ctx);
      return true;
    case kName:
    case kFormName:
      if (code == EN_UPDATE) TrimEdit(dialog, id, id == kName ? kNameChars : 30);
      if (code == EN_CHANGE) TakeEdit(dialog, ctx, id);
      return true;
    case kLocation:
      if (code == CBN_SELENDOK) TakeLocation(dialog, ctx);
      return true;
    default:
      return false;
  }
}

// OK: the session's list is rebuilt from the items, the device's list first.
bool Ok(HWND dialog, SheetCtx* ctx) {
  if (const ManagerState* state = StateOf(dialog)) Fields(*GetPrivDevMode(ctx)).dwOvlSrcType = state->defaultLocation;
  DriverFormList* forms = SessionDeviceForms(ctx);
  if (forms == nullptr) return true;
  forms->nodes.clear();
  for (int id : {kDeviceList, kDriverList}) {
    HWND list = List(dialog, id);
    for (int i = 0, n = ItemCount(list); i < n; ++i) {
      const DriverFormNode* item = NodeOf(list, i);
      if (item == nullptr) continue;
      if (DriverFormNode* node = AddDriverForm(forms, item->name, item->location)) {
        std::memcpy(node->formName, item->formName, sizeof node->formName);
        node->onDevice = item->onDevice;
        node->registered = item->registered;
      }
    }
  }
  return true;
}

bool Notify(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT*) {
  if (note->idFrom != static_cast<UINT_PTR>(kDeviceList) && note->idFrom != static_cast<UINT_PTR>(kDriverList)) {
    return false;
  }
  if (note->code == LVN_DELETEITEM) {
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(note);
    delete reinterpret_cast<DriverFormNode*>(view->lParam);
    return false;
  }
  if (note->code != LVN_ITEMCHANGED) return false;
  const auto* view = reinterpret_cast<const NMLISTVIEW*>(note);
  if (note->idFrom == static_cast<UINT_PTR>(kDriverList)) {
    if ((view->uNewState & LVIS_SELECTED) != 0 && (view->uOldState & LVIS_SELECTED) == 0) {
      const DriverFormNode* node = NodeOf(note->hwndFrom, view->iItem);
      if (node != nullptr) {
        SetDlgItemTextW(dialog, kName, FormTextWide(node->name).c_str());
        SetDlgItemTextW(dialog, kFormName, FormTextWide(node->formName).c_str());
        if (SendDlgItemMessageW(dialog, kLocation, CB_GETCOUNT, 0, 0) > 0) SelectLocation(dialog, node->location);
      }
      EnableControls(dialog, ctx);
    }
  } else {
    EnableControls(dialog, ctx);
  }
  return false;
}

// The device icon in 16 by 16 pixels: its mask (AND), then its picture
// (XOR), each scaled to the cell.
void DrawDeviceIcon(HDC dc, int x, int y) {
  HMODULE images = DialogFrameworkModules().images;
  for (const auto& [id, rop] : {std::pair<int, DWORD>{189, SRCAND}, std::pair<int, DWORD>{188, SRCINVERT}}) {
    HBITMAP bitmap = images != nullptr ? LoadBitmapW(images, MAKEINTRESOURCEW(id)) : nullptr;
    if (bitmap == nullptr) return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, 16, 16, memory, 0, 0, info.bmWidth, info.bmHeight, rop);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
  }
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_LISTVIEW) return false;
  HWND list = item->hwndItem;
  const bool enabled = IsWindowEnabled(list) != FALSE;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const int background = selected ? (enabled ? COLOR_HIGHLIGHT : COLOR_INACTIVECAPTION)
                                  : (enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(background));
  const DriverFormNode* node = reinterpret_cast<const DriverFormNode*>(item->itemData);
  const bool icon = item->CtlID == static_cast<UINT>(kDeviceList) || (node != nullptr && node->onDevice != 0);
  const int top = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - 16) / 2;
  if (icon) DrawDeviceIcon(item->hDC, item->rcItem.left, top);
  SetBkMode(item->hDC, TRANSPARENT);
  SetTextColor(item->hDC, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const int indent = LOWORD(GetDialogBaseUnits()) / 4;
  int left = item->rcItem.left;
  for (int column = 0; column < 3; ++column) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    RECT cell = {left + indent + (column == 0 ? 16 : 0), item->rcItem.top, left + width, item->rcItem.bottom};
    const std::wstring text = ListViewItemText(list, static_cast<int>(item->itemID), column);
    DrawTextW(item->hDC, text.c_str(), -1, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    left += width;
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawFocusRect(item->hDC, &item->rcItem);
  (void)dialog;
  return true;
}

// The device's forms that were not registered leave the session's list
// whether the dialog ended with OK or Cancel.
void Destroy(HWND dialog) {
  delete static_cast<ManagerState*>(RemovePropW(dialog, kStateProp));
  const OverlayUiState* session = OverlayStateOf(GetDlgPrcCtx(dialog));
  if (DriverFormList* forms = session != nullptr ? session->device : nullptr) {
    for (size_t i = forms->nodes.size(); i-- > 0;) {
      if (forms->nodes[i]->onDevice && !forms->nodes[i]->registered) forms->nodes.erase(forms->nodes.begin() + i);
    }
  }
}

const SheetComboHeight kHeights[] = {{kDeviceList, 16}, {kDriverList, 16}, {0, 0}};

constexpr DocumentDialog Describe(uint16_t templateId) {
  return DocumentDialog{
      .templateId = templateId,
      .textSection = "Dlg_ManageOvlForm",
      .helpIds = kHelpIds,
      .helpTopic = 4190,
      .clipTitle = L"Overlay Form file Management Dialog",
      .comboHeights = kHeights,
      .hintPageId = kHintList,
      .init = Init,
      .started = Started,
      .enableRules = EnableControls,
      .command = Command,
      .ok = Ok,
      .drawItem = DrawItem,
      .notify = Notify,
      .destroy = Destroy,
  };
}
const DocumentDialog kManager = Describe(kFormManagerTemplate);
const DocumentDialog kManagerType2 = Describe(kFormManagerType2Template);

}  // namespace

INT_PTR CALLBACK OverlayFormMgrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const ModelInfo* model = ProcessModelInfo();
  const bool type2 = model != nullptr && model->features[kMfOverlayMgrType] == 2;
  return RunDocumentDialog(type2 ? kManagerType2 : kManager, dialog, message, wParam, lParam);
}
