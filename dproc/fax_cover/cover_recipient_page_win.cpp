// The Recipient page of the cover-sheet dialog: a standard title for all
// recipients, or the recipients named in detail.  The Recipient part is not
// part of a stored set: this page only asks for a new preview.
#include <windows.h>

#include <cstring>

#include "common/cover/cover_defaults.h"
#include "common/qxd/model_rows.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/model/feature_table.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/model/option_table_rows_win.h"

namespace {

enum : int {
  kStandard = 1978, kTitleCombo = 1979, kDetails = 1980, kGroup = 1981, kAllOnOne = 1982, kEachRecipient = 1983,
  kOwnLines = 1984, kCompanyBox = 1985, kCompanyEdit = 1986, kDepartmentBox = 1987, kDepartmentEdit = 1988,
  kNameBox = 1989, kNameEdit = 1990, kFaxBox = 1991, kFaxEdit = 1992, kReadButton = 1993, kDefaultButton = 1032,
};
constexpr uint16_t kPageId = 174;
constexpr UINT kTitleChosen = WM_APP + 1100;  // the combo box has put the chosen text into its edit

const DWORD kHelpIds[] = {1978, 21210, 1979, 21210, 1980, 21220, 1981, 21230, 1982, 21240, 1983, 21250,
                          1984, 21260, 1985, 21270, 1986, 21270, 1987, 21280, 1988, 21280, 1989, 21290,
                          1990, 21290, 1991, 21295, 1992, 21295, 1993, 21300, 1032, 9510,  0,    0};
const int kAllControls[] = {kStandard,      kTitleCombo, kDetails,  kGroup,      kAllOnOne,   kEachRecipient,
                            kOwnLines,      kCompanyBox, kCompanyEdit, kDepartmentBox, kDepartmentEdit, kNameBox,
                            kNameEdit,      kFaxBox,     kFaxEdit,  kReadButton, kDefaultButton};

struct Line {
  int box, edit;
  uint8_t FcsRecipientPart::*flag;
  char16_t (FcsRecipientPart::*text)[81];
};
const Line kLines[] = {
    {kCompanyBox, kCompanyEdit, &FcsRecipientPart::fgCompany, &FcsRecipientPart::szCompany},
    {kDepartmentBox, kDepartmentEdit, &FcsRecipientPart::fgDepartment, &FcsRecipientPart::szDepartment},
    {kNameBox, kNameEdit, &FcsRecipientPart::fgName, &FcsRecipientPart::szName},
    {kFaxBox, kFaxEdit, &FcsRecipientPart::fgFaxNumber, &FcsRecipientPart::szFaxNumber},
};

void UpdateEnabling(HWND page, const FcsDialogState* s) {
  const bool c = s->fEditable != 0;
  const bool n = s->dwRecipientCount >= 1;
  FcsEnable(page, kTitleCombo, c && IsBoxChecked(page, kStandard));
  const bool details = c && IsBoxChecked(page, kDetails);
  for (int id : {kGroup, kAllOnOne, kEachRecipient}) FcsEnable(page, id, details);
  FcsEnable(page, kOwnLines, details && n);
  const bool own = details && n && IsBoxChecked(page, kOwnLines);
  FcsEnable(page, kReadButton, own);
  for (const Line& l : kLines) {
    FcsEnable(page, l.box, own);
    FcsEnable(page, l.edit, own && IsBoxChecked(page, l.box));
  }
}

void Redraw(HWND page) { FcsNotify(page, FCSM_REDRAW); }

// The text of the "FcsRStandard" entry of value 0.
const wchar_t* AllRecipientsText() { return OptionTableText("FcsRStandard", 0); }

void Load(HWND page, FcsDialogState* s) {
  const FcsRecipientPart r = s->coverSheet.recipient;
  HWND combo = GetDlgItem(page, kTitleCombo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  ForEachOptionRow("FcsRStandard", [&](const OptionHead&, const wchar_t* text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    return true;
  });
  CheckRadioButton(page, kStandard, kDetails, r.byRecipientMode == 0 ? kStandard : kDetails);
  FcsSetText(page, kTitleCombo, r.szTitle, 32);
  CheckRadioButton(page, kAllOnOne, kOwnLines,
                   r.byRecipientSetting == 1 ? kEachRecipient : r.byRecipientSetting == 2 ? kOwnLines : kAllOnOne);
  for (const Line& l : kLines) {
    CheckDlgButton(page, l.box, r.*l.flag ? BST_CHECKED : BST_UNCHECKED);
    FcsSetText(page, l.edit, r.*l.text, 80);
  }
  s->coverSheet.recipient = r;
  UpdateEnabling(page, s);
}

void StoreMode(HWND page, FcsRecipientPart& r) {
  r.byRecipientMode = IsBoxChecked(page, kStandard) ? 0 : 1;
  if (IsBoxChecked(page, kAllOnOne)) {
    r.byRecipientSetting = 0;
  } else if (IsBoxChecked(page, kEachRecipient)) {
    r.byRecipientSetting = 1;
  } else if (IsBoxChecked(page, kOwnLines)) {
    r.byRecipientSetting = 2;
  }
}

bool Save(HWND page, FcsDialogState* s) {
  FcsRecipientPart& r = s->coverSheet.recipient;
  StoreMode(page, r);
  if (r.byRecipientMode == 0) {
    FcsGetText(page, kTitleCombo, r.szTitle, 33);
    if (r.szTitle[0] == 0) {
      ShowMessageBox(page, 1, 511, 0, MB_ICONEXCLAMATION, 0, 0);
      const wchar_t* all = AllRecipientsText();
      for (size_t i = 0; i < 32 && all[i] != 0; ++i) r.szTitle[i] = static_cast<char16_t>(all[i]);
      FcsSetText(page, kTitleCombo, r.szTitle, 32);
    }
  }
  for (const Line& l : kLines) {
    r.*l.flag = IsBoxChecked(page, l.box);
    FcsGetText(page, l.edit, r.*l.text, 81);
  }
  // An empty title was put back; the page may be left.
  return true;
}

void Read(HWND page, FcsDialogState* s) {
  bool typed = false;
  for (const Line& l : kLines) typed = typed || GetWindowTextLengthW(GetDlgItem(page, l.edit)) > 0;
  if (typed && ShowMessageBox(page, 8, 512, 0, MB_ICONQUESTION | MB_YESNO, 0, 0) != IDYES) return;
  if (s->dwRecipientCount < 1 || s->pRecipients == nullptr) return;
  const FaxRecipientEntry& e = s->pRecipients[0];
  FcsSetText(page, kCompanyEdit, e.szCompany, 80);
  FcsSetText(page, kDepartmentEdit, e.szDepartment, 80);
  FcsSetText(page, kNameEdit, e.szName, 80);
  FcsSetText(page, kFaxEdit, e.szFaxNumber, 80);
}

void Defaults(HWND page, FcsDialogState* s) {
  SetFocusCtrl(page, kDefaultButton);
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  if (std::memcmp(&s->coverSheet.recipient, &d.recipient, sizeof d.recipient) == 0) return;
  s->coverSheet.recipient = d.recipient;
  Load(page, s);
  Redraw(page);
}

void Command(HWND page, FcsDialogState* s, int id, int code) {
  FcsRecipientPart& r = s->coverSheet.recipient;
  switch (id) {
    case kStandard:
    case kDetails:
    case kAllOnOne:
    case kEachRecipient:
    case kOwnLines:
      if (code != BN_CLICKED) break;
      StoreMode(page, r);
      UpdateEnabling(page, s);
      Redraw(page);
      break;
    case kTitleCombo:
      if (code == CBN_SELENDOK) PostMessageW(page, kTitleChosen, 0, 0);
      if (code == CBN_EDITCHANGE && IsBoxChecked(page, kStandard)) {
        FcsGetText(page, id, r.szTitle, 33);
        Redraw(page);
      }
      break;
    case kReadButton:
      if (code == BN_CLICKED) Read(page, s);
      break;
    case kDefaultButton:
      if (code == BN_CLICKED) Defaults(page, s);
      break;
    default:
      for (const Line& l : kLines) {
        if (id == l.box && code == BN_CLICKED) {
          r.*l.flag = IsBoxChecked(page, l.box);
          UpdateEnabling(page, s);
          Redraw(page);
        } else if (id == l.edit && code == EN_CHANGE) {
          FcsGetText(page, l.edit, r.*l.text, 81);
          Redraw(page);
        }
      }
      break;
  }
}

void Init(HWND page, SheetCtx* ctx) {
  SendDlgItemMessageW(page, kTitleCombo, CB_LIMITTEXT, 32, 0);
  for (const Line& l : kLines) SendDlgItemMessageW(page, l.edit, EM_LIMITTEXT, 80, 0);
  if (FcsStateOf(ctx)->fEditable == 0) {
    for (int id : kAllControls) EnableWindow(GetDlgItem(page, id), FALSE);
  }
}

// The title the combo box has put into its edit.
bool PageMessage(HWND page, FcsDialogState* s, UINT message) {
  if (message != kTitleChosen) return false;
  if (IsBoxChecked(page, kStandard)) {
    FcsGetText(page, kTitleCombo, s->coverSheet.recipient.szTitle, 33);
    Redraw(page);
  }
  return true;
}

const FcsPageParts kParts = {Command, Save, Load, true, PageMessage};

// A page of the cover dialog, outside the document settings.
const DocumentDialog kPage = {
    .templateId = kPageId,
    .textSection = "FcsRecipient",
    .helpIds = kHelpIds,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .command = FcsPageCommand<kParts>,
    .other = FcsPageMessage<kParts>,
};

}  // namespace

INT_PTR CALLBACK FcsRecipientPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPage, page, message, wParam, lParam);
}
