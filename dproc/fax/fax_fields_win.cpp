#include "dproc/fax/fax_fields_win.h"

#include <commctrl.h>

#include "common/text/safe_format.h"
#include "common/win/ui_services.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/model/message_text.h"
#include "dproc/sheets/message_box.h"
#include "dproc/startup/ddproc_binding_win.h"

namespace {

FaxClockFn g_clock = nullptr;

constexpr size_t kCodeUnits = 21;  // sub-address and send ID: 20 characters

void CopyCode(char16_t (&to)[21], const char16_t* from) {
  size_t n = 0;
  for (; n + 1 < kCodeUnits && from[n] != 0; ++n) to[n] = from[n];
  for (; n < kCodeUnits; ++n) to[n] = 0;
}

bool CheckCode(HWND dialog, int editId, uint8_t on, FaxCharSet set, char16_t (&field)[21], int extraRow,
               bool message) {
  wchar_t text[kCodeUnits] = {};
  GetDlgItemTextW(dialog, editId, text, static_cast<int>(kCodeUnits));
  const char16_t* t = reinterpret_cast<const char16_t*>(text);
  if (on == 1 && !FaxCheckCodeText(set, t)) {
    if (message) ShowMessageBox(dialog, 1, 3, extraRow, MB_ICONEXCLAMATION, 0, 0);
    return false;
  }
  CopyCode(field, t);
  return true;
}

}  // namespace

void SetFaxClock(FaxClockFn clock) { g_clock = clock; }

FaxClock CurrentFaxClock() {
  SYSTEMTIME st = {};
  if (g_clock != nullptr) g_clock(&st);
  else GetLocalTime(&st);
  return FaxClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute};
}

uint8_t IsBoxChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

void FilterFaxEdit(HWND dialog, int editId, FaxCharSet set) {
  HWND edit = GetDlgItem(dialog, editId);
  if (edit == nullptr) return;
  wchar_t text[128] = {};
  int length = GetWindowTextW(edit, text, 128);
  if (length <= 0) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  char16_t* t = reinterpret_cast<char16_t*>(text);
  FaxFilterResult r = FilterFaxText(set, t, static_cast<size_t>(length), start, end, t);
  if (!r.changed) return;
  SetWindowTextW(edit, text);
  SendMessageW(edit, EM_SETSEL, r.selStart, r.selEnd);
}

void InitFaxOptionControls(HWND dialog) {
  SendDlgItemMessageW(dialog, kFaxHourEdit, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageW(dialog, kFaxMinuteEdit, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageW(dialog, kFaxHourSpin, UDM_SETRANGE32, 0, 23);
  SendDlgItemMessageW(dialog, kFaxMinuteSpin, UDM_SETRANGE32, 0, 59);
  SendDlgItemMessageW(dialog, kFaxSubAddressEdit, EM_LIMITTEXT, 20, 0);
  SendDlgItemMessageW(dialog, kFaxSendIdEdit, EM_LIMITTEXT, 20, 0);
}

void ShowFaxOptions(HWND dialog, const FaxSetting& s) {
  CheckDlgButton(dialog, kFaxPrtRecFileBox, s.fgPrtRecFile == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kFaxTimerSendBox, s.fgTimerSend == 1 ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemInt(dialog, kFaxHourEdit, s.bySendHour, FALSE);
  SetDlgItemInt(dialog, kFaxMinuteEdit, s.bySendMinute, FALSE);
  CheckDlgButton(dialog, kFaxSubAddressBox, s.fgSubAddress == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kFaxSendIdBox, s.fgSendID == 1 ? BST_CHECKED : BST_UNCHECKED);
  // The texts may come from an old or foreign record: never past the field.
  wchar_t text[kCodeUnits] = {};
  for (size_t i = 0; i + 1 < kCodeUnits && s.szSubAddress[i] != 0; ++i) text[i] = s.szSubAddress[i];
  SetDlgItemTextW(dialog, kFaxSubAddressEdit, text);
  wchar_t id[kCodeUnits] = {};
  for (size_t i = 0; i + 1 < kCodeUnits && s.szSendID[i] != 0; ++i) id[i] = s.szSendID[i];
  SetDlgItemTextW(dialog, kFaxSendIdEdit, id);
}

void ShowFaxClock(HWND dialog) {
  FaxClock now = CurrentFaxClock();
  char16_t text[8];
  FormatFaxClock(now.hour, now.minute, text, 8);
  SetDlgItemTextW(dialog, kFaxClockLabel, reinterpret_cast<const wchar_t*>(text));
}

void CopyFaxClockToEdits(HWND dialog) {
  wchar_t text[32] = {};
  GetDlgItemTextW(dialog, kFaxClockLabel, text, 32);
  int hour = 0;
  int minute = 0;
  ParseFaxClock(reinterpret_cast<const char16_t*>(text), &hour, &minute);
  SetDlgItemInt(dialog, kFaxHourEdit, static_cast<UINT>(hour), FALSE);
  SetDlgItemInt(dialog, kFaxMinuteEdit, static_cast<UINT>(minute), FALSE);
}

bool CheckFaxSendTime(HWND dialog, FaxSetting* s, bool message) {
  if (s->fgTimerSend == 0) return true;
  wchar_t hour[16] = {};
  wchar_t minute[16] = {};
  GetDlgItemTextW(dialog, kFaxHourEdit, hour, 16);
  GetDlgItemTextW(dialog, kFaxMinuteEdit, minute, 16);
  if (FaxCheckSendTime(reinterpret_cast<const char16_t*>(hour), reinterpret_cast<const char16_t*>(minute),
                       &s->bySendHour, &s->bySendMinute)) {
    return true;
  }
  if (message) ShowMessageBox(dialog, 1, 2, 502, MB_ICONEXCLAMATION, 0, 0);
  return false;
}

bool CheckFaxSubAddress(HWND dialog, FaxSetting* s, bool message) {
  return CheckCode(dialog, kFaxSubAddressEdit, s->fgSubAddress, FaxCharSet::kDigits, s->szSubAddress, 500, message);
}

bool CheckFaxSendId(HWND dialog, FaxSetting* s, bool message) {
  return CheckCode(dialog, kFaxSendIdEdit, s->fgSendID, FaxCharSet::kSendId, s->szSendID, 501, message);
}

bool ConfirmDelayedSend(HWND owner, const FaxSetting& s) {
  FaxClock now = CurrentFaxClock();
  FaxDate date = FaxDelayedSendDate(now, s.bySendHour, s.bySendMinute);
  char16_t caption[kMessageRowUnits];
  char16_t format[kMessageRowUnits];
  LoadMessageText(540, caption, kMessageRowUnits);
  LoadMessageText(541, format, kMessageRowUnits);
  if (format[0] == 0) return true;
  const SafeFormatArg args[] = {SafeFormatArg::Number(date.year), SafeFormatArg::Number(date.month),
                                SafeFormatArg::Number(date.day), SafeFormatArg::Number(s.bySendHour),
                                SafeFormatArg::Number(s.bySendMinute)};
  char16_t text[kMessageRowUnits];
  SafeFormat(format, args, 5, text, kMessageRowUnits);
  int answer = CurrentUiServices().messageBox(owner, reinterpret_cast<const wchar_t*>(text),
                                              reinterpret_cast<const wchar_t*>(caption),
                                              MB_OKCANCEL | MB_ICONINFORMATION);
  return answer == IDOK;
}

void DrawMaskedPicture(const DRAWITEMSTRUCT* item, int imageId, int maskId) {
  HMODULE images = DialogFrameworkModules().images;
  if (images == nullptr) return;
  HBITMAP image = LoadBitmapW(images, MAKEINTRESOURCEW(imageId));
  HBITMAP mask = LoadBitmapW(images, MAKEINTRESOURCEW(maskId));
  if (image != nullptr && mask != nullptr) {
    BITMAP info = {};
    GetObjectW(image, sizeof info, &info);
    int x = (item->rcItem.left + item->rcItem.right - info.bmWidth) / 2;
    int y = (item->rcItem.top + item->rcItem.bottom - info.bmHeight) / 2;
    HDC memory = CreateCompatibleDC(item->hDC);
    HGDIOBJ old = SelectObject(memory, mask);
    BitBlt(item->hDC, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCAND);
    SelectObject(memory, image);
    BitBlt(item->hDC, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  if (image != nullptr) DeleteObject(image);
  if (mask != nullptr) DeleteObject(mask);
}

void DrawFaxCoverPicture(const DRAWITEMSTRUCT* item, bool coverSheet) {
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  DrawMaskedPicture(item, coverSheet ? 10036 : 10038, coverSheet ? 10037 : 10039);
}

void DrawIconCheckButton(const DRAWITEMSTRUCT* item, int enabledIcon, int disabledIcon) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  const bool pushed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  wchar_t text[96] = {};
  GetWindowTextW(item->hwndItem, text, 96);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(item->hwndItem, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT measure = r;
  DrawTextW(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  const int textWidth = measure.right - measure.left;
  const int iconSize = (r.bottom - r.top) - 6;
  const int textLeft = (r.left + r.right - textWidth) / 2 + (iconSize > 0 ? (iconSize + 5) / 2 : 0);
  if (iconSize > 0) {
    int iconLeft = textLeft - 5 - iconSize;
    if (iconLeft < r.left + 3) iconLeft = r.left + 3;
    HMODULE images = DialogFrameworkModules().images;
    HICON icon = images != nullptr ? static_cast<HICON>(LoadImageW(images, MAKEINTRESOURCEW(disabled ? disabledIcon : enabledIcon),
                                                                   IMAGE_ICON, iconSize, iconSize, 0))
                                   : nullptr;
    if (icon != nullptr) {
      DrawIconEx(dc, iconLeft, r.top + 3, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
      DestroyIcon(icon);
    }
  }
  RECT textRect = {textLeft, r.top, textLeft + textWidth + 1, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    RECT shadow = textRect;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextW(dc, text, -1, &shadow, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  if ((item->itemState & ODS_FOCUS) != 0) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}
