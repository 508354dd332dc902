// The Sender page of the cover-sheet dialog: six lines about the sender,
// each shown on the page while its box is checked.
#include <windows.h>

#include "common/cover/cover_defaults.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"

namespace {

constexpr uint16_t kPageId = 175;
constexpr int kGroup = 1994, kDefaultButton = 1032;

struct Line {
  int box, edit;
};
// In the order of the sender part's lines.
const Line kLines[kFcsSenderLines] = {{1985, 1986}, {1987, 1988}, {1989, 1990},
                                      {2001, 2002}, {1991, 1992}, {2005, 2006}};

const DWORD kHelpIds[] = {1994, 21310, 1985, 21320, 1986, 21320, 1987, 21330, 1988, 21330, 1989, 21340,
                          1990, 21340, 2001, 21350, 2002, 21350, 1991, 21360, 1992, 21360, 2005, 21370,
                          2006, 21370, 1032, 9510,  0,    0};

void UpdateEnabling(HWND page, const FcsDialogState* s) {
  for (const Line& l : kLines) FcsEnable(page, l.edit, s->fEditable != 0 && IsBoxChecked(page, l.box));
}

void Load(HWND page, FcsDialogState* s) {
  const FcsSenderPart copy = s->coverSheet.sender;
  for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
    CheckDlgButton(page, kLines[i].box, copy.lines[i].fgOn ? BST_CHECKED : BST_UNCHECKED);
    FcsSetText(page, kLines[i].edit, copy.lines[i].szText, 80);
  }
  UpdateEnabling(page, s);
}

bool Save(HWND page, FcsDialogState* s) {
  for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
    s->coverSheet.sender.lines[i].fgOn = IsBoxChecked(page, kLines[i].box);
    FcsGetText(page, kLines[i].edit, s->coverSheet.sender.lines[i].szText, 81);
  }
  return true;
}

void Command(HWND page, FcsDialogState* s, int id, int code) {
  if (id == kDefaultButton && code == BN_CLICKED) {
    SetFocusCtrl(page, kDefaultButton);
    FaxCoverSheetData d;
    MakeDefaultCoverSheet(&d);
    if (CoverSenderEqual(s->coverSheet.sender, d.sender)) return;
    FcsNotify(page, FCSM_MODIFIED);
    s->coverSheet.sender = d.sender;
    const uint32_t loading = s->fLoading;
    s->fLoading = 1;
    Load(page, s);
    s->fLoading = loading;
    FcsNotify(page, FCSM_REDRAW);
    return;
  }
  for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
    FcsSenderLine& line = s->coverSheet.sender.lines[i];
    if (id == kLines[i].box && code == BN_CLICKED) {
      FcsNotify(page, FCSM_MODIFIED);
      line.fgOn = IsBoxChecked(page, id);
      UpdateEnabling(page, s);
      FcsNotify(page, FCSM_REDRAW);
    } else if (id == kLines[i].edit && code == EN_CHANGE) {
      FcsNotify(page, FCSM_MODIFIED);
      FcsGetText(page, id, line.szText, 81);
      FcsNotify(page, FCSM_REDRAW);
    }
  }
}

void Init(HWND page, SheetCtx* ctx) {
  for (const Line& l : kLines) SendDlgItemMessageW(page, l.edit, EM_LIMITTEXT, 80, 0);
  if (FcsStateOf(ctx)->fEditable == 0) {
    for (const Line& l : kLines) {
      EnableWindow(GetDlgItem(page, l.box), FALSE);
      EnableWindow(GetDlgItem(page, l.edit), FALSE);
    }
    EnableWindow(GetDlgItem(page, kGroup), FALSE);
    EnableWindow(GetDlgItem(page, kDefaultButton), FALSE);
  }
}

const FcsPageParts kParts = {Command, Save, Load, false};

// A page of the cover dialog, outside the document settings.
const DocumentDialog kPage = {
    .templateId = kPageId,
    .textSection = "FcsSender",
    .helpIds = kHelpIds,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .command = FcsPageCommand<kParts>,
    .other = FcsPageMessage<kParts>,
};

}  // namespace

INT_PTR CALLBACK FcsSenderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPage, page, message, wParam, lParam);
}
