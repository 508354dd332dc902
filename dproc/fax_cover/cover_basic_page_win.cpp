// The Basic page of the cover-sheet dialog: style, subject, date, page
// count and comment.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "common/cover/cover_defaults.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

enum : int {
  kStyleLabel = 1962, kStyleList = 1963, kSubjectBox = 1964, kSubjectEdit = 1965, kDateBox = 1583,
  kSelectForm = 1967, kFormList = 1968, kTypedDate = 1969, kDateEdit = 1966, kPagesBox = 1970, kPagesEdit = 1971,
  kPagesSpin = 1973, kPagesLabel = 1974, kCommentLabel = 1975, kCommentEdit = 1976, kDefaultButton = 1032,
};
constexpr uint16_t kPageId = 173;

const DWORD kHelpIds[] = {1962, 21110, 1963, 21110, 1964, 21120, 1965, 21120, 1583, 21130, 1967, 21140,
                          1968, 21140, 1969, 21150, 1966, 21150, 1970, 21160, 1971, 21160, 1973, 21160,
                          1974, 21160, 1975, 21170, 1976, 21170, 1032, 9510,  0,    0};
const int kAllControls[] = {kStyleLabel, kStyleList,  kSubjectBox, kSubjectEdit, kDateBox,      kSelectForm,
                            kFormList,   kTypedDate,  kDateEdit,   kPagesBox,    kPagesEdit,    kPagesSpin,
                            kPagesLabel, kCommentLabel, kCommentEdit, kDefaultButton};

void UpdateEnabling(HWND page, const FcsDialogState* s) {
  const bool c = s->fEditable != 0;
  FcsEnable(page, kSubjectEdit, c && IsBoxChecked(page, kSubjectBox));
  const bool date = c && IsBoxChecked(page, kDateBox);
  FcsEnable(page, kSelectForm, date);
  FcsEnable(page, kTypedDate, date);
  FcsEnable(page, kFormList, date && !IsBoxChecked(page, kTypedDate));
  FcsEnable(page, kDateEdit, date && !IsBoxChecked(page, kSelectForm));
  const bool pages = c && IsBoxChecked(page, kPagesBox);
  for (int id : {kPagesEdit, kPagesSpin, kPagesLabel}) FcsEnable(page, id, pages);
}

void Changed(HWND page) { FcsNotify(page, FCSM_MODIFIED); }
void Redraw(HWND page) { FcsNotify(page, FCSM_REDRAW); }

bool ValidPages(int32_t v) { return v >= kFcsPagesMin && v <= kFcsPagesMax; }

void Load(HWND page, FcsDialogState* s) {
  const FcsBasicPart& b = s->coverSheet.basic;
  FcsFillOptionList(page, kStyleList, "FcsBStyle", b.byStyle);
  FcsFillOptionList(page, kFormList, "FcsBSelectForm", b.byDateForm);
  CheckDlgButton(page, kSubjectBox, b.fgSubject ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, kDateBox, b.fgDate ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(page, kSelectForm, kTypedDate, b.byDateMode == 0 ? kSelectForm : kTypedDate);
  CheckDlgButton(page, kPagesBox, b.fgPages ? BST_CHECKED : BST_UNCHECKED);
  // The edits store their texts again through their change notifications.
  const FcsBasicPart copy = b;
  FcsSetText(page, kSubjectEdit, copy.szSubject, 64);
  FcsSetText(page, kDateEdit, copy.szDate, 20);
  SetDlgItemInt(page, kPagesEdit, copy.wPages, FALSE);
  FcsSetText(page, kCommentEdit, copy.szComment, 640);
  UpdateEnabling(page, s);
}

// The comment never holds control characters other than CR and LF.
void FilterComment(HWND page) {
  HWND edit = GetDlgItem(page, kCommentEdit);
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  std::wstring clean;
  for (wchar_t c : text) {
    if (c >= 0x20 || c == L'\r' || c == L'\n') clean.push_back(c);
  }
  if (clean == text) return;
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SetWindowTextW(edit, clean.c_str());
  SendMessageW(edit, EM_SETSEL, start, end);
}

bool StorePages(HWND page, FcsDialogState* s, bool message) {
  int32_t v = 0;
  const bool number = FcsReadNumber(page, kPagesEdit, &v);
  if (!IsBoxChecked(page, kPagesBox)) {
    s->coverSheet.basic.wPages = static_cast<uint16_t>(number ? v : 0);
    return true;
  }
  if (number && ValidPages(v)) {
    s->coverSheet.basic.wPages = static_cast<uint16_t>(v);
    return true;
  }
  if (message) {
    ShowMessageBox(page, 1, 2, 510, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(page, kPagesEdit));
  }
  return false;
}

bool Save(HWND page, FcsDialogState* s) {
  FcsBasicPart& b = s->coverSheet.basic;
  uint32_t value = 0;
  if (FcsSelectedValue(page, kStyleList, &value)) b.byStyle = static_cast<uint8_t>(value);
  b.fgSubject = IsBoxChecked(page, kSubjectBox);
  FcsGetText(page, kSubjectEdit, b.szSubject, 65);
  b.fgDate = IsBoxChecked(page, kDateBox);
  b.byDateMode = IsBoxChecked(page, kSelectForm) ? 0 : 1;
  if (FcsSelectedValue(page, kFormList, &value)) b.byDateForm = static_cast<uint8_t>(value);
  FcsGetText(page, kDateEdit, b.szDate, 21);
  b.fgPages = IsBoxChecked(page, kPagesBox);
  if (!StorePages(page, s, true)) return false;
  FcsGetText(page, kCommentEdit, b.szComment, 641);
  return true;
}

void Defaults(HWND page, FcsDialogState* s) {
  SetFocusCtrl(page, kDefaultButton);
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  if (CoverBasicEqual(s->coverSheet.basic, d.basic)) return;
  Changed(page);
  s->coverSheet.basic = d.basic;
  const uint32_t loading = s->fLoading;
  s->fLoading = 1;
  Load(page, s);
  s->fLoading = loading;
  Redraw(page);
}

void Command(HWND page, FcsDialogState* s, int id, int code) {
  FcsBasicPart& b = s->coverSheet.basic;
  uint32_t value = 0;
  switch (id) {
    case kStyleList:
      if (code == CBN_SELENDOK && FcsSelectedValue(page, id, &value)) {
        Changed(page);
        b.byStyle = static_cast<uint8_t>(value);
        Redraw(page);
      }
      break;
    case kFormList:
      if (code == CBN_SELENDOK && FcsSelectedValue(page, id, &value)) {
        Changed(page);
        b.byDateForm = static_cast<uint8_t>(value);
        Redraw(page);
      }
      break;
    case kSubjectBox:
    case kDateBox:
    case kSelectForm:
    case kTypedDate:
    case kPagesBox:
      if (code != BN_CLICKED) break;
      Changed(page);
      b.fgSubject = IsBoxChecked(page, kSubjectBox);
      b.fgDate = IsBoxChecked(page, kDateBox);
      b.byDateMode = IsBoxChecked(page, kSelectForm) ? 0 : 1;
      b.fgPages = IsBoxChecked(page, kPagesBox);
      UpdateEnabling(page, s);
      Redraw(page);
      break;
    case kSubjectEdit:
    case kDateEdit:
    case kCommentEdit:
    case kPagesEdit:
      if (code == EN_UPDATE && id == kCommentEdit) FilterComment(page);
      if (code != EN_CHANGE) break;
      Changed(page);
      if (id == kSubjectEdit) FcsGetText(page, id, b.szSubject, 65);
      if (id == kDateEdit) FcsGetText(page, id, b.szDate, 21);
      if (id == kCommentEdit) FcsGetText(page, id, b.szComment, 641);
      if (id == kPagesEdit) StorePages(page, s, false);
      Redraw(page);
      break;
    case kDefaultButton:
      if (code == BN_CLICKED) Defaults(page, s);
      break;
    default:
      break;
  }
}

void Init(HWND page, SheetCtx* ctx) {
  SendDlgItemMessageW(page, kSubjectEdit, EM_LIMITTEXT, 64, 0);
  SendDlgItemMessageW(page, kDateEdit, EM_LIMITTEXT, 20, 0);
  SendDlgItemMessageW(page, kPagesEdit, EM_LIMITTEXT, 4, 0);
  SendDlgItemMessageW(page, kCommentEdit, EM_LIMITTEXT, 640, 0);
  SendDlgItemMessageW(page, kPagesSpin, UDM_SETRANGE32, kFcsPagesMin, kFcsPagesMax);
  if (FcsStateOf(ctx)->fEditable == 0) {
    for (int id : kAllControls) EnableWindow(GetDlgItem(page, id), FALSE);
  }
}

const FcsPageParts kParts = {Command, Save, Load, false};

// A page of the cover dialog, outside the document settings.
const DocumentDialog kPage = {
    .templateId = kPageId,
    .textSection = "FcsBasic",
    .helpIds = kHelpIds,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .command = FcsPageCommand<kParts>,
    .other = FcsPageMessage<kParts>,
};

}  // namespace

INT_PTR CALLBACK FcsBasicPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPage, page, message, wParam, lParam);
}
