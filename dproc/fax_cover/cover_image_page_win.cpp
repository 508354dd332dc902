// The Image page of the cover-sheet dialog: a bitmap stamped on the cover
// page, its zoom and the position of its centre.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <cwchar>

#include "common/cover/cover_defaults.h"
#include "common/cover/cover_page_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

enum : int {
  kPasteBox = 2007, kFileLabel = 2008, kFileEdit = 2009, kBrowse = 2010, kZoomBox = 2011, kZoomEdit = 2012,
  kZoomSpin = 2013, kPercent = 2014, kPositionGroup = 2015, kXLabel = 2016, kXEdit = 2017, kXSpin = 2018,
  kXRange = 2019, kYLabel = 2020, kYEdit = 2021, kYSpin = 2022, kYRange = 2023, kDefaultButton = 1032,
};
constexpr uint16_t kPageId = 176;
constexpr size_t kFileChars = 260;

const DWORD kHelpIds[] = {2007, 21410, 2008, 21420, 2009, 21420, 2010, 21430, 2011, 21440, 2012, 21440,
                          2013, 21440, 2014, 21440, 2015, 21450, 2016, 21450, 2017, 21450, 2018, 21450,
                          2019, 21450, 2020, 21450, 2021, 21450, 2022, 21450, 2023, 21450, 1032, 9510,
                          0,    0};
const int kAllControls[] = {kPasteBox, kFileLabel, kFileEdit, kBrowse, kZoomBox, kZoomEdit, kZoomSpin,
                            kPercent,  kPositionGroup, kXLabel, kXEdit, kXSpin, kXRange, kYLabel,
                            kYEdit,    kYSpin,     kYRange,   kDefaultButton};

void UpdateEnabling(HWND page, const FcsDialogState* s) {
  const bool on = s->fEditable != 0 && IsBoxChecked(page, kPasteBox);
  for (int id : {kFileLabel, kFileEdit, kBrowse, kZoomBox, kPositionGroup, kXLabel, kXEdit, kXSpin, kXRange,
                 kYLabel, kYEdit, kYSpin, kYRange}) {
    FcsEnable(page, id, on);
  }
  const bool zoom = on && IsBoxChecked(page, kZoomBox);
  for (int id : {kZoomEdit, kZoomSpin, kPercent}) FcsEnable(page, id, zoom);
}

void ShowNumbers(HWND page, const FcsImagePart& i) {
  CheckDlgButton(page, kZoomBox, i.fgZoom ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemInt(page, kZoomEdit, i.wZoom, FALSE);
  SetDlgItemInt(page, kXEdit, i.wPosX, FALSE);
  SetDlgItemInt(page, kYEdit, i.wPosY, FALSE);
}

void Load(HWND page, FcsDialogState* s) {
  const FcsImagePart copy = s->coverSheet.image;
  CheckDlgButton(page, kPasteBox, copy.fgPasteImage ? BST_CHECKED : BST_UNCHECKED);
  FcsSetText(page, kFileEdit, copy.szImageFile, kFileChars - 1);
  ShowNumbers(page, copy);
  s->coverSheet.image = copy;
  UpdateEnabling(page, s);
}

// The file of the edit as the stamp: stored when the image is off, or when
// the file exists and is a bitmap; otherwise the message (when wanted).
bool CheckCoverImageFile(HWND page, FcsDialogState* s, bool message) {
  wchar_t path[kFileChars] = {};
  GetDlgItemTextW(page, kFileEdit, path, static_cast<int>(kFileChars));
  auto store = [&] { FcsGetText(page, kFileEdit, s->coverSheet.image.szImageFile, kFileChars); };
  if (!IsBoxChecked(page, kPasteBox)) {
    store();
    return true;
  }
  // Existence by the exact name: no wildcard matching.
  const DWORD attributes = GetFileAttributesW(path);
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                      std::wcspbrk(path, L"*?") == nullptr;
  if (exists && IsCoverImageFile(path, std::wcslen(path))) {
    store();
    return true;
  }
  if (message) ShowMessageBoxStr(page, 7, exists ? 524 : 520, 0, MB_ICONEXCLAMATION, path, nullptr);
  return false;
}

void ResetPlacement(HWND page, FcsDialogState* s) {
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  FcsImagePart& i = s->coverSheet.image;
  i.fgZoom = d.image.fgZoom;
  i.wZoom = d.image.wZoom;
  i.wPosX = d.image.wPosX;
  i.wPosY = d.image.wPosY;
  const FcsImagePart copy = i;
  ShowNumbers(page, copy);
  i = copy;
}

bool SameFile(const char16_t* a, const char16_t* b) {
  for (size_t n = 0; n < kFileChars; ++n) {
    if (a[n] != b[n]) return false;
    if (a[n] == 0) return true;
  }
  return true;
}

void LeaveFileEdit(HWND page, FcsDialogState* s) {
  char16_t before[kFileChars];
  std::copy(std::begin(s->coverSheet.image.szImageFile), std::end(s->coverSheet.image.szImageFile), before);
  if (CheckCoverImageFile(page, s, false)) {
    if (!SameFile(before, s->coverSheet.image.szImageFile)) ResetPlacement(page, s);
  } else {
    FcsGetText(page, kFileEdit, s->coverSheet.image.szImageFile, kFileChars);
  }
  FcsNotify(page, FCSM_REDRAW);
}

void Browse(HWND page, FcsDialogState* s) {
  wchar_t file[kFileChars] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = page;
  ofn.lpstrFilter = L"BMP (*.BMP, *.DIB)\0*.BMP;*.DIB\0\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = kFileChars;
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return;
  if (IsCoverImageFile(file, std::wcslen(file))) {
    char16_t before[kFileChars];
    std::copy(std::begin(s->coverSheet.image.szImageFile), std::end(s->coverSheet.image.szImageFile), before);
    SetDlgItemTextW(page, kFileEdit, file);
    FcsGetText(page, kFileEdit, s->coverSheet.image.szImageFile, kFileChars);
    if (!SameFile(before, s->coverSheet.image.szImageFile)) {
      ResetPlacement(page, s);
      UpdateEnabling(page, s);
      FcsNotify(page, FCSM_MODIFIED);
    }
  }
  FcsNotify(page, FCSM_REDRAW);
}

bool InRange(HWND page, int id, int32_t lo, int32_t hi, int32_t* v) {
  return FcsReadNumber(page, id, v) && *v >= lo && *v <= hi;
}

bool Save(HWND page, FcsDialogState* s) {
  FcsImagePart& i = s->coverSheet.image;
  i.fgPasteImage = IsBoxChecked(page, kPasteBox);
  if (!CheckCoverImageFile(page, s, true)) {
    SetFocus(GetDlgItem(page, kFileEdit));
    return false;
  }
  i.fgZoom = IsBoxChecked(page, kZoomBox);
  int32_t v = 0;
  if (i.fgPasteImage && i.fgZoom) {
    if (!InRange(page, kZoomEdit, kFcsZoomMin, kFcsZoomMax, &v)) {
      ShowMessageBox(page, 1, 2, 521, MB_ICONEXCLAMATION, 0, 0);
      const bool number = FcsReadNumber(page, kZoomEdit, &v);
      i.wZoom = (!number || v < kFcsZoomMin) ? kFcsZoomMin : kFcsZoomMax;
      const uint16_t zoom = i.wZoom;
      SetDlgItemInt(page, kZoomEdit, zoom, FALSE);
      i.wZoom = zoom;
      SetFocus(GetDlgItem(page, kZoomEdit));
      return false;
    }
    i.wZoom = static_cast<uint16_t>(v);
  } else if (FcsReadNumber(page, kZoomEdit, &v)) {
    i.wZoom = static_cast<uint16_t>(v);
  }
  const struct {
    int edit, row;
    uint16_t FcsImagePart::*field;
  } axes[] = {{kXEdit, 522, &FcsImagePart::wPosX}, {kYEdit, 523, &FcsImagePart::wPosY}};
  for (const auto& a : axes) {
    if (i.fgPasteImage) {
      if (!InRange(page, a.edit, kFcsPosMin, kFcsPosMax, &v)) {
        ShowMessageBox(page, 1, 2, a.row, MB_ICONEXCLAMATION, 0, 0);
        SetFocus(GetDlgItem(page, a.edit));
        return false;
      }
      i.*a.field = static_cast<uint16_t>(v);
    } else if (FcsReadNumber(page, a.edit, &v)) {
      i.*a.field = static_cast<uint16_t>(v);
    }
  }
  return true;
}

void Defaults(HWND page, FcsDialogState* s) {
  SetFocusCtrl(page, kDefaultButton);
  FaxCoverSheetData d;
  MakeDefaultCoverSheet(&d);
  if (CoverImageEqual(s->coverSheet.image, d.image)) return;
  FcsNotify(page, FCSM_MODIFIED);
  s->coverSheet.image = d.image;
  const uint32_t loading = s->fLoading;
  s->fLoading = 1;
  Load(page, s);
  s->fLoading = loading;
  FcsNotify(page, FCSM_REDRAW);
}

void Command(HWND page, FcsDialogState* s, int id, int code) {
  FcsImagePart& i = s->coverSheet.image;
  int32_t v = 0;
  switch (id) {
    case kPasteBox:
    case kZoomBox:
      if (code != BN_CLICKED) break;
      FcsNotify(page, FCSM_MODIFIED);
      i.fgPasteImage = IsBoxChecked(page, kPasteBox);
      i.fgZoom = IsBoxChecked(page, kZoomBox);
      UpdateEnabling(page, s);
      FcsNotify(page, FCSM_REDRAW);
      break;
    case kFileEdit:
      if (code == EN_CHANGE) FcsNotify(page, FCSM_MODIFIED);
      if (code == EN_KILLFOCUS) LeaveFileEdit(page, s);
      break;
    case kBrowse:
      if (code == BN_CLICKED) Browse(page, s);
      break;
    case kZoomEdit:
      if (code != EN_CHANGE) break;
      FcsNotify(page, FCSM_MODIFIED);
      if (InRange(page, id, kFcsZoomMin, kFcsZoomMax, &v)) {
        i.wZoom = static_cast<uint16_t>(v);
        FcsNotify(page, FCSM_REDRAW);
      }
      break;
    case kXEdit:
    case kYEdit:
      // A position shown after a drag in the preview is not stored again.
      if (code != EN_CHANGE || s->fImagePosGuard) break;
      FcsNotify(page, FCSM_MODIFIED);
      if (InRange(page, id, kFcsPosMin, kFcsPosMax, &v)) {
        (id == kXEdit ? i.wPosX : i.wPosY) = static_cast<uint16_t>(v);
        FcsNotify(page, FCSM_REDRAW);
      }
      break;
    case kDefaultButton:
      if (code == BN_CLICKED) Defaults(page, s);
      break;
    default:
      break;
  }
}

void Init(HWND page, SheetCtx* ctx) {
  FcsDialogState* s = FcsStateOf(ctx);
  SendDlgItemMessageW(page, kFileEdit, EM_LIMITTEXT, kFileChars - 1, 0);
  SendDlgItemMessageW(page, kZoomEdit, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageW(page, kXEdit, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageW(page, kYEdit, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageW(page, kZoomSpin, UDM_SETRANGE32, kFcsZoomMin, kFcsZoomMax);
  SendDlgItemMessageW(page, kXSpin, UDM_SETRANGE32, kFcsPosMin, kFcsPosMax);
  SendDlgItemMessageW(page, kYSpin, UDM_SETRANGE32, kFcsPosMin, kFcsPosMax);
  s->fImagePosGuard = 0;
  if (s->fEditable == 0) {
    for (int id : kAllControls) EnableWindow(GetDlgItem(page, id), FALSE);
  }
}

// The image was dragged in the preview.
bool PageMessage(HWND page, FcsDialogState* s, UINT message) {
  if (message != FCSM_IMAGEMOVED) return false;
  s->fImagePosGuard = 1;
  SetDlgItemInt(page, kXEdit, s->coverSheet.image.wPosX, FALSE);
  SetDlgItemInt(page, kYEdit, s->coverSheet.image.wPosY, FALSE);
  UpdateWindow(GetDlgItem(page, kXEdit));
  UpdateWindow(GetDlgItem(page, kYEdit));
  s->fImagePosGuard = 0;
  return true;
}

void Destroyed(HWND page) {
  if (FcsDialogState* s = FcsState(page)) s->fImagePosGuard = 0;
}

const FcsPageParts kParts = {Command, Save, Load, false, PageMessage};

// A page of the cover dialog, outside the document settings.
const DocumentDialog kPage = {
    .templateId = kPageId,
    .textSection = "FcsImage",
    .helpIds = kHelpIds,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .command = FcsPageCommand<kParts>,
    .destroy = Destroyed,
    .other = FcsPageMessage<kParts>,
};

}  // namespace

INT_PTR CALLBACK FcsImagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kPage, page, message, wParam, lParam);
}
