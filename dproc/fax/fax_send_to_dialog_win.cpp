#include "dproc/fax/fax_send_to_dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "common/text/safe_format.h"
#include "common/win/printer_queries.h"
#include "common/win/win_version.h"
#include "dproc/fax/fax_cover_binding_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/fax/fax_mode_details_win.h"
#include "dproc/fax/fax_recipient_list.h"
#include "dproc/fax/phone_book_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/message_box.h"
#include "dproc/model/option_table_rows_win.h"

namespace {

enum : int {
  kCoverPicture = 2036,
  kEntryGroup = 2037,
  kNameEdit = 1990,
  kNumberEdit = 2053,
  kEcmBox = 2044,
  kInternationalBox = 2045,
  kV34Box = 2046,
  kAddButton = 2041,
  kFromPhoneBookButton = 2042,
  kToPhoneBookButton = 2043,
  kList = 2047,
  kCountLabel = 2048,
  kDeleteButton = 2049,
  kModeDetailsButton = 2050,
  kCoverSettingsButton = 2051,
  kCoverBox = 2052,
  kInfoIcon = 2522,
  kCoverWarningIcon = 2525,
  kCoverWarningText = 2526,
  kDefaultButton = 1032,
  kHelpButton = 9,
};

const DWORD kHelpIds[] = {2037, 21510, 2039, 21520, 1990, 21520, 2040, 21530, 2053, 21530, 2044, 21540,
                          2045, 21550, 2046, 21560, 2041, 21570, 2042, 21580, 2043, 21590, 2038, 21600,
                          2047, 21600, 2048, 21610, 2049, 21620, 2050, 21630, 2052, 21640, 2036, 21640,
                          2051, 21640, 1032, 9510,  0,    0};

// The list columns: their titles' values in "FtpRecipentList" and widths.
struct Column {
  uint32_t titleValue;
  int width;
};
const Column kColumns[] = {{1, 90}, {2, 100}, {3, 80}, {4, 80}, {5, 40}, {6, 40}, {7, 40}};

FaxSendToArgs* Args(HWND dialog) { return reinterpret_cast<FaxSendToArgs*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

bool Complete(const FaxSendToArgs* a) {
  return a != nullptr && a->pdwRecipientCount != nullptr && a->pRecipients != nullptr && a->pCoverSheet != nullptr &&
         a->pFaxSetting != nullptr && a->phPrinter != nullptr && a->pDocDMode != nullptr;
}

// The display text of value `value` in option table `table`, or "".
const wchar_t* OptionText(const char* table, uint32_t value) { return OptionTableText(table, value); }

const wchar_t* OnOffText(const char* table, uint8_t on) { return OptionText(table, on == 1 ? 1 : 2); }

const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The texts of row `row`'s columns.
const wchar_t* CellText(const FaxRecipientEntry& e, int column) {
  switch (column) {
    case 0: return W(e.szName);
    case 1: return W(e.szFaxNumber);
    case 2: return W(e.szCompany);
    case 3: return W(e.szDepartment);
    case 4: return OnOffText("FtpECM", e.fgECM);
    case 5: return OnOffText("FtpIntTransMode", e.fgIntTransMode);
    default: return OnOffText("FtpV34", e.fgV34Mode);
  }
}

void InsertRow(HWND dialog, uint32_t row, const FaxRecipientEntry& e, uint8_t flag) {
  HWND list = GetDlgItem(dialog, kList);
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = static_cast<int>(row);
  item.pszText = const_cast<wchar_t*>(CellText(e, 0));
  item.lParam = flag;
  int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (int c = 1; c < 7; ++c) {
    LVITEMW sub = {};
    sub.iSubItem = c;
    sub.pszText = const_cast<wchar_t*>(CellText(e, c));
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
  }
  // A new row empties the entry fields.
  SetDlgItemTextW(dialog, kNameEdit, L"");
  SetDlgItemTextW(dialog, kNumberEdit, L"");
}

void UpdateCoverWarning(HWND dialog, const FaxSendToArgs* a) {
  int rows = static_cast<int>(SendDlgItemMessageW(dialog, kList, LVM_GETITEMCOUNT, 0, 0));
  bool show = IsBoxChecked(dialog, kCoverBox) == 1 && rows >= 2 && a->pCoverSheet[kFaxCoverRecipientModeAt] == 1 &&
              a->pCoverSheet[kFaxCoverRecipientSettingAt] == 0;
  if (show) {
    const char16_t* hint = DialogText(kHintStr, 303);
    SetHintItemText(dialog, kCoverWarningText, hint != nullptr ? hint : u"");
  }
  ShowEnableCtrl(dialog, kCoverWarningIcon, show);
  ShowEnableCtrl(dialog, kCoverWarningText, show);
  EnableWindow(GetDlgItem(dialog, kCoverWarningIcon), FALSE);
}

void UpdateControls(HWND dialog) {
  FaxSendToArgs* a = Args(dialog);
  if (a == nullptr) return;
  UpdateCoverWarning(dialog, a);
  bool v34 = IsBoxChecked(dialog, kV34Box) == 1;
  if (v34) CheckDlgButton(dialog, kEcmBox, BST_CHECKED);
  EnableWindow(GetDlgItem(dialog, kEcmBox), !v34);
  bool number = GetWindowTextLengthW(GetDlgItem(dialog, kNumberEdit)) > 0;
  bool name = GetWindowTextLengthW(GetDlgItem(dialog, kNameEdit)) > 0;
  EnableWindow(GetDlgItem(dialog, kAddButton), number);
  EnableWindow(GetDlgItem(dialog, kToPhoneBookButton), HoldsPhoneBookGuard(dialog) && name && number);
  int selected = static_cast<int>(SendDlgItemMessageW(dialog, kList, LVM_GETSELECTEDCOUNT, 0, 0));
  EnableWindow(GetDlgItem(dialog, kDeleteButton), selected > 0);
  bool before6 = !IsVistaOrLater();
  EnableWindow(GetDlgItem(dialog, kCoverBox), before6);
  EnableWindow(GetDlgItem(dialog, kCoverSettingsButton),
               before6 && IsBoxChecked(dialog, kCoverBox) == 1 && BindFaxCoverSheetDialog() != nullptr);
  int rows = static_cast<int>(SendDlgItemMessageW(dialog, kList, LVM_GETITEMCOUNT, 0, 0));
  EnableWindow(GetDlgItem(dialog, IDOK), rows > 0);
  // "%s %d/%d  " of the count label's display text.
  const char16_t* label = DispStringText(DialogTextTable("Pop_FaxTransmission"), "FtpListCurRec");
  const SafeFormatArg args[] = {SafeFormatArg::Text(label), SafeFormatArg::Number(rows),
                                SafeFormatArg::Number(kFaxMaxRecipients)};
  char16_t text[96];
  SafeFormat(u"%s %d/%d  ", args, 3, text, 96);
  SetDlgItemTextW(dialog, kCountLabel, W(text));
}

void FocusListWhenDisabled(HWND dialog, int buttonId) {
  if (!IsWindowEnabled(GetDlgItem(dialog, buttonId))) SetFocusCtrl(dialog, kList);
}

FaxRecipientEntry EntryFromFields(HWND dialog) {
  wchar_t name[81] = {};
  wchar_t number[81] = {};
  GetDlgItemTextW(dialog, kNameEdit, name, 81);
  GetDlgItemTextW(dialog, kNumberEdit, number, 81);
  return MakeFaxRecipient(reinterpret_cast<const char16_t*>(name), reinterpret_cast<const char16_t*>(number),
                          IsBoxChecked(dialog, kEcmBox) == 1, IsBoxChecked(dialog, kInternationalBox) == 1,
                          IsBoxChecked(dialog, kV34Box) == 1);
}

void AddToList(HWND dialog, FaxSendToArgs* a) {
  FaxRecipientEntry e = EntryFromFields(dialog);
  switch (AddFaxRecipient(a->pRecipients, a->pdwRecipientCount, e)) {
    case FaxAddResult::kListFull:
      ShowMessageBox(dialog, 7, 538, 0, MB_ICONEXCLAMATION, 0, 0);
      break;
    case FaxAddResult::kDuplicateNumber:
      ShowMessageBox(dialog, 1, 537, 0, MB_ICONEXCLAMATION, 0, 0);
      break;
    case FaxAddResult::kAdded:
      InsertRow(dialog, *a->pdwRecipientCount - 1, e, 0);
      break;
  }
  UpdateControls(dialog);
  FocusListWhenDisabled(dialog, kAddButton);
}

void AddFromPhoneBook(HWND dialog, FaxSendToArgs* a) {
  if (*a->pdwRecipientCount >= kFaxMaxRecipients) {
    ShowMessageBox(dialog, 7, 538, 0, MB_ICONEXCLAMATION, 0, 0);
    return;
  }
  uint8_t flags[kFaxMaxRecipients] = {};
  if (PhoneBookAddFrom(dialog, a->pRecipients, a->pdwRecipientCount, flags) == PhoneBookCall::kChanged) {
    SendDlgItemMessageW(dialog, kList, LVM_DELETEALLITEMS, 0, 0);
    for (uint32_t i = 0; i < *a->pdwRecipientCount; ++i) InsertRow(dialog, i, a->pRecipients[i], flags[i]);
  }
  UpdateControls(dialog);
  FocusListWhenDisabled(dialog, kFromPhoneBookButton);
}

void RegisterInPhoneBook(HWND dialog) {
  PhoneBookCall r = PhoneBookRegister(EntryFromFields(dialog));
  ShowMessageBox(dialog, 8, r == PhoneBookCall::kChanged ? 534 : 535, 0, MB_ICONINFORMATION, 0, 0);
  UpdateControls(dialog);
  FocusListWhenDisabled(dialog, kToPhoneBookButton);
}

void DeleteSelection(HWND dialog, FaxSendToArgs* a) {
  if (ShowMessageBox(dialog, 5, 536, 0, MB_YESNO | MB_ICONQUESTION, 0, 0) != IDYES) return;
  HWND list = GetDlgItem(dialog, kList);
  std::vector<uint32_t> rows;
  for (int i = -1; (i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                                      LVNI_SELECTED))) >= 0;) {
    rows.push_back(static_cast<uint32_t>(i));
  }
  for (size_t k = rows.size(); k-- > 0;) SendMessageW(list, LVM_DELETEITEM, rows[k], 0);
  DeleteFaxRecipients(a->pRecipients, a->pdwRecipientCount, rows.data(), rows.size());
  UpdateControls(dialog);
  FocusListWhenDisabled(dialog, kDeleteButton);
}

void OpenCoverSettings(HWND dialog, FaxSendToArgs* a) {
  FaxCoverSheetPopupDialogFn popup = BindFaxCoverSheetDialog();
  if (popup == nullptr) return;
  wchar_t printer[260] = {};
  wchar_t driver[260] = {};
  QueryPrinterName(*a->phPrinter, printer, 260);
  QueryDriverName(*a->phPrinter, driver, nullptr);
  std::vector<uint8_t> kept(a->pCoverSheet, a->pCoverSheet + kFaxCoverSheetDataSize);
  if (popup(dialog, printer, driver, 1, a->pCoverSheet, a->pDocDMode, *a->pdwRecipientCount, a->pRecipients) != 1) {
    std::memcpy(a->pCoverSheet, kept.data(), kept.size());
  }
  UpdateCoverWarning(dialog, a);
}

// The dialog's context is the caller's block: it edits the job's buffers,
// not the document settings, and stands outside the constraint rules.
FaxSendToArgs* ArgsOf(SheetCtx* ctx) { return reinterpret_cast<FaxSendToArgs*>(ctx); }

void EnableRules(HWND dialog, SheetCtx*) { UpdateControls(dialog); }

void Defaults(HWND dialog, SheetCtx* ctx) {
  FaxSendToArgs* a = ArgsOf(ctx);
  SetDlgItemTextW(dialog, kNameEdit, L"");
  SetDlgItemTextW(dialog, kNumberEdit, L"");
  CheckDlgButton(dialog, kEcmBox, BST_CHECKED);
  CheckDlgButton(dialog, kInternationalBox, BST_UNCHECKED);
  CheckDlgButton(dialog, kV34Box, BST_CHECKED);
  a->pFaxSetting->fgFaxCoverSheet = 0;
  CheckDlgButton(dialog, kCoverBox, BST_UNCHECKED);
  InvalidateRect(GetDlgItem(dialog, kCoverPicture), nullptr, TRUE);
}

// The dialog has no owner: whatever hid or disabled it (an application
// that disables its top-level windows while it prints) does not keep the
// user from it.
void ShowAndEnable(HWND dialog) {
  ShowWindow(dialog, SW_SHOW);
  EnableWindow(dialog, TRUE);
}

void Init(HWND dialog, SheetCtx* ctx) {
  FaxSendToArgs* a = ArgsOf(ctx);
  wchar_t printer[260] = {};
  wchar_t driver[260] = {};
  if (QueryDriverName(*a->phPrinter, driver, nullptr) && QueryPrinterName(*a->phPrinter, printer, 260)) {
    ReadFaxCoverRecord(printer, driver, a->pCoverSheet);
  }
  DispPageHint(dialog, nullptr, kFaxSendToTemplate);
  // The cover sheet is the FAX sheet's to set from Windows 6.0 on; the
  // information icon says so.
  if (IsVistaOrLater()) AddToolChipTip(GetDlgItem(dialog, kInfoIcon), DialogTooltipOf(dialog), 310);
  SendDlgItemMessageW(dialog, kNameEdit, EM_LIMITTEXT, 80, 0);
  SendDlgItemMessageW(dialog, kNumberEdit, EM_LIMITTEXT, 38, 0);
  CheckDlgButton(dialog, kEcmBox, BST_CHECKED);
  CheckDlgButton(dialog, kInternationalBox, BST_UNCHECKED);
  CheckDlgButton(dialog, kV34Box, BST_CHECKED);
  CheckDlgButton(dialog, kCoverBox, a->pFaxSetting->fgFaxCoverSheet == 1 ? BST_CHECKED : BST_UNCHECKED);
  HWND list = GetDlgItem(dialog, kList);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int c = 0; c < 7; ++c) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = kColumns[c].width;
    column.iSubItem = c;
    column.pszText = const_cast<wchar_t*>(OptionText("FtpRecipentList", kColumns[c].titleValue));
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  *a->pdwRecipientCount = 0;
  std::memset(a->pRecipients, 0, sizeof(FaxRecipientEntry) * kFaxMaxRecipients);
  // While another window holds the phone book its buttons stay disabled for
  // the dialog's life.  A missing library is found out when it is called.
  EnableWindow(GetDlgItem(dialog, kFromPhoneBookButton), TakePhoneBookGuard(dialog));
}

// Centred on the desktop, shown and enabled once the controls are filled.
void Started(HWND dialog, SheetCtx*) {
  RECT desk;
  GetClientRect(GetDesktopWindow(), &desk);
  RECT own;
  GetWindowRect(dialog, &own);
  int x = (desk.left + desk.right) / 2 - (own.right - own.left) / 2;
  int y = (desk.top + desk.bottom) / 2 - (own.bottom - own.top) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowAndEnable(dialog);
}

void DrawListRow(HWND dialog, const DRAWITEMSTRUCT* item) {
  FaxSendToArgs* a = Args(dialog);
  if (a == nullptr || item->itemID >= *a->pdwRecipientCount) return;
  const FaxRecipientEntry& e = a->pRecipients[item->itemID];
  HDC dc = item->hDC;
  const UINT state = static_cast<UINT>(
      SendMessageW(item->hwndItem, LVM_GETITEMSTATE, item->itemID, LVIS_SELECTED | LVIS_DROPHILITED));
  bool selected = (item->itemState & ODS_SELECTED) != 0 || (state & LVIS_DROPHILITED) != 0;
  FillRect(dc, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  SIZE space = {};
  GetTextExtentPoint32W(dc, L" ", 1, &space);
  int left = item->rcItem.left;
  for (int c = 0; c < 7; ++c) {
    int width = static_cast<int>(SendMessageW(item->hwndItem, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    RECT cell = {left + (c == 0 ? 1 : 2) * space.cx, item->rcItem.top, left + width - 2 * space.cx,
                 item->rcItem.bottom};
    DrawTextW(dc, CellText(e, c), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    left += width;
  }
  if ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem) DrawFocusRect(dc, &item->rcItem);
}

// The information icon beside the cover-sheet box, from Windows 6.0 on.
void DrawInfoIcon(const DRAWITEMSTRUCT* item) {
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (IsVistaOrLater()) DrawMaskedPicture(item, 198, 199);
}

bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case kList: DrawListRow(dialog, item); break;
    // The cover warning shows the hint's bulb.
    case kCoverWarningIcon: DrawHintBulbItem(dialog, item); break;
    case kInfoIcon: DrawInfoIcon(item); break;
    case kCoverPicture: DrawFaxCoverPicture(item, ArgsOf(ctx)->pFaxSetting->fgFaxCoverSheet == 1); break;
    case kAddButton: DrawIconCheckButton(item, 148, 149); break;
    case kFromPhoneBookButton: DrawIconCheckButton(item, 150, 147); break;
    case kToPhoneBookButton: DrawIconCheckButton(item, 152, 151); break;
    default: return false;
  }
  return true;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  FaxSendToArgs* a = ArgsOf(ctx);
  switch (id) {
    case kNumberEdit:
      if (code == EN_CHANGE) {
        FilterFaxEdit(dialog, kNumberEdit, FaxCharSet::kFaxNumber);
        UpdateControls(dialog);
      } else if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
        DispPageHint(dialog, nullptr, kFaxSendToTemplate);
      }
      return true;
    case kNameEdit:
      if (code == EN_CHANGE) UpdateControls(dialog);
      return true;
    case kEcmBox:
    case kInternationalBox:
    case kV34Box:
      UpdateControls(dialog);
      return true;
    case kAddButton:
      AddToList(dialog, a);
      return true;
    case kFromPhoneBookButton:
      AddFromPhoneBook(dialog, a);
      return true;
    case kToPhoneBookButton:
      RegisterInPhoneBook(dialog);
      return true;
    case kDeleteButton:
      DeleteSelection(dialog, a);
      return true;
    case kModeDetailsButton:
      RunFaxModeDetails(dialog, a->pFaxSetting);
      return true;
    case kCoverBox:
      a->pFaxSetting->fgFaxCoverSheet = IsBoxChecked(dialog, kCoverBox);
      UpdateControls(dialog);
      InvalidateRect(dialog, nullptr, TRUE);
      return true;
    case kCoverSettingsButton:
      OpenCoverSettings(dialog, a);
      return true;
    default:
      return false;
  }
}

// OK asks for the delayed-send date first.
bool Ok(HWND dialog, SheetCtx* ctx) {
  FaxSendToArgs* a = ArgsOf(ctx);
  return a->pFaxSetting->fgTimerSend != 1 || ConfirmDelayedSend(dialog, *a->pFaxSetting);
}

bool Notify(HWND dialog, SheetCtx*, const NMHDR* note, LRESULT*) {
  if (note->idFrom == kList && note->code == LVN_ITEMCHANGED) UpdateControls(dialog);
  return false;
}

void Destroy(HWND dialog) { ReleasePhoneBookGuard(dialog); }

bool Other(HWND dialog, SheetCtx*, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) ShowAndEnable(dialog);
  return false;
}

const DocumentDialog kDialog = {
    .templateId = kFaxSendToTemplate,
    .textSection = "Pop_FaxTransmission",
    .helpIds = kHelpIds,
    .helpTopic = 21500,
    // The context is the caller's block, not a sheet context: nothing of
    // the skeleton may read it as one.
    .editsDocument = false,
    .checksConstraints = false,
    .defaultFocus = true,
    .init = Init,
    .started = Started,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .notify = Notify,
    .destroy = Destroy,
    .other = Other,
};

}  // namespace

INT_PTR CALLBACK FaxSendToDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG && !Complete(reinterpret_cast<FaxSendToArgs*>(lParam))) {
    // A block without its buffers cannot be filled: the job is cancelled
    // rather than sent with whatever the buffers held.
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

int RunFaxSendToDialog(FaxSendToArgs* args) {
  if (!Complete(args)) return IDCANCEL;
  return static_cast<int>(RunMyDialogBox(DialogFrameworkModules().templates, nullptr, kFaxSendToTemplate,
                                         FaxSendToDlgProc, reinterpret_cast<LPARAM>(args)));
}
