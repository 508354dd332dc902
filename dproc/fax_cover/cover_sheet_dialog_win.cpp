// The FAX Cover Sheet Setting dialog: the stored sets, the four pages of the
// cover data in a tab control, the live preview with the draggable image
// stamp, and the cover size.  It edits its own copy of the caller's record.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "common/cover/cover_defaults.h"
#include "common/cover/cover_page_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/module_path.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/fax/fax_fields_win.h"
#include "dproc/fax_cover/cover_dialog_state.h"
#include "dproc/fax_cover/cover_set_dialogs_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"

namespace {

enum : int {
  kSetLabel = 1951, kSetList = 1952, kSaveButton = 1953, kEditButton = 1954, kPreviewLabel = 1955,
  kPreview = 1235, kCheckButton = 1961, kSizeLabel = 1959, kSizeList = 1960, kTab = 1956,
};
constexpr int kPreviewInset = 16;
constexpr int kDragCursor = 10033, kHoverCursor = 10032;

const DWORD kHelpIds[] = {1951, 21010, 1952, 21010, 1953, 21020, 1954, 21030, 1955, 21040, 1235, 21040,
                          1961, 21050, 1959, 21060, 1960, 21060, 0,    0};

const DLGPROC kPageProcs[kFcsPageCount] = {FcsBasicPageProc, FcsRecipientPageProc, FcsSenderPageProc,
                                           FcsImagePageProc};

// Text of a key of the dialog's section (empty when the model has none).
const wchar_t* SectionText(const char* key) {
  return reinterpret_cast<const wchar_t*>(DispStringText(DialogTextTable("Dlg_FAXCoverSheetSet"), key));
}
const wchar_t* PageTabText(int page) {
  static const char* const kKeys[kFcsPageCount] = {"FcsBasic", "FcsRecipient", "FcsSender", "FcsImage"};
  return SectionText(kKeys[page]);
}

void FillCoverPaper(FcsDialogState* s) {
  const DocFields& f = Fields(s->docDMode);
  CoverPaperInput in{};
  in.sCoverSize = s->coverSheet.sCoverSize;
  in.nOutPaperSize = f.nOutPaperSize;
  in.nPaperSize = f.nPaperSize;
  in.nOrientation = f.nOrientation;
  in.byLandscapeRotate = f.byLandscapeRotate;
  in.outWidth = f.sizOutPaper_cx;
  in.outHeight = f.sizOutPaper_cy;
  if (const ModelInfo* model = ProcessModelInfo()) {
    for (int i = 0; i < 4; ++i) in.defaultMargins[i] = static_cast<int32_t>(model->customPaperMargins[i]);
  }
  GetCoverPaperInfo(in, LookUpCoverModelPaper, const_cast<ModelInfo*>(ProcessModelInfo()), &s->coverPaper);
}

CoverSetView View(const CoverSheetSet& set) { return CoverSetView{set.name, &set.basic, &set.sender, &set.image}; }

void FindCurrentSet(FcsDialogState* s) {
  std::vector<CoverSetView> views;
  for (const CoverSheetSet& set : s->pCoverSets->sets) views.push_back(View(set));
  s->pCoverSets->current = FindCurrentCoverSet(s->coverSheet, views.data(), views.size());
}

// The set list: every set by name; without a current set an untitled item
// is appended and selected.  Save is enabled only without a current set.
void FillSetList(HWND dialog, FcsDialogState* s) {
  HWND list = GetDlgItem(dialog, kSetList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < s->pCoverSets->sets.size(); ++i) {
    const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(
                                        s->pCoverSets->sets[i].name)));
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
  }
  int selected = s->pCoverSets->current;
  if (selected < 0) {
    selected = static_cast<int>(SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SectionText("FcsUntitled"))));
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(selected), static_cast<LPARAM>(-1));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  EnableWindow(GetDlgItem(dialog, kSaveButton), s->pCoverSets->current < 0);
}

void ApplyReadOnlyRule(HWND dialog, const FcsDialogState* s) {
  if (s->fEditable != 0) return;
  for (int id : {kSetLabel, kSetList, kSaveButton, kEditButton, kPreviewLabel, kCheckButton, kSizeLabel, kSizeList}) {
    EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void FillSizeList(HWND dialog, const FcsDialogState* s) {
  HWND list = GetDlgItem(dialog, kSizeList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  FcsFillOptionList(dialog, kSizeList, "FcsCoverSize", static_cast<uint32_t>(static_cast<uint16_t>(s->coverSheet.sCoverSize)));
}

RECT PreviewClient(HWND dialog) {
  RECT r{};
  GetClientRect(GetDlgItem(dialog, kPreview), &r);
  return r;
}

// A new metafile of the record; the old one is deleted.
void ComposePreview(HWND dialog, FcsDialogState* s) {
  if (s->hPreviewEmf != nullptr) DeleteEnhMetaFile(s->hPreviewEmf);
  HDC dc = GetDC(dialog);
  s->hPreviewEmf = RenderFaxCoverSheet(dc, s->coverPaper.nAngle, s->coverSheet, s->pRecipients,
                                       s->dwRecipientCount, nullptr);
  ReleaseDC(dialog, dc);
}

void PlacePreview(HWND dialog, FcsDialogState* s) {
  RECT inner = PreviewClient(dialog);
  InflateRect(&inner, -kPreviewInset, -kPreviewInset);
  int32_t w = 0, h = 0;
  ScaleEnhMetaFile(s->hPreviewEmf, inner.right - inner.left, inner.bottom - inner.top, &w, &h);
  s->rcPreview.left = inner.left + (inner.right - inner.left) / 2 - w / 2;
  s->rcPreview.top = inner.top + (inner.bottom - inner.top) / 2 - h / 2;
  s->rcPreview.right = s->rcPreview.left + w;
  s->rcPreview.bottom = s->rcPreview.top + h;
}

void RebuildPreview(HWND dialog, FcsDialogState* s) {
  ComposePreview(dialog, s);
  PlacePreview(dialog, s);
  InvalidateRect(GetDlgItem(dialog, kPreview), nullptr, FALSE);
}

// The preview off screen: white, a sunken frame, the page with its shadow
// and the image position cross.
void PaintPreview(HWND control, HDC target, const FcsDialogState* s) {
  RECT r{};
  GetClientRect(control, &r);
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, r.right, r.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawSunkenFrame(dc, r);
  if (s->hPreviewEmf != nullptr) {
    PlayCoverPreview(dc, s->hPreviewEmf, s->rcPreview, s->rcPreview);
    DrawImagePositionMark(dc, s->coverSheet.image, s->rcPreview);
  }
  BitBlt(target, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

HWND CurrentPage(const FcsDialogState* s) {
  return s->currentPage >= 0 && s->currentPage < kFcsPageCount ? s->pages[s->currentPage] : nullptr;
}

bool SavePage(const FcsDialogState* s) {
  HWND page = CurrentPage(s);
  if (page == nullptr) return true;
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  SendMessageW(page, FCSM_SAVEPAGE, 0, 0);
  return GetWindowLongPtrW(page, DWLP_MSGRESULT) == 0;
}

void LoadPage(FcsDialogState* s, HWND page) {
  s->fLoading = 1;
  SendMessageW(page, FCSM_LOADPAGE, 0, 0);
  s->fLoading = 0;
}

void ShowPage(HWND page, bool on) {
  ShowWindow(page, on ? SW_SHOW : SW_HIDE);
  EnableWindow(page, on ? TRUE : FALSE);
}

bool CreatePages(HWND dialog, FcsDialogState* s) {
  HWND tab = GetDlgItem(dialog, kTab);
  for (int i = 0; i < kFcsPageCount; ++i) {
    HWND page = CreateDialogParamW(DialogFrameworkModules().templates, MAKEINTRESOURCEW(kFcsPageTemplates[i]), dialog,
                                   kPageProcs[i], reinterpret_cast<LPARAM>(s));
    if (page == nullptr) return false;
    s->pages[i] = page;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<wchar_t*>(PageTabText(i));
    item.lParam = reinterpret_cast<LPARAM>(page);
    SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  PlacePagesInTab(dialog, kTab, s->pages, kFcsPageCount);
  s->currentPage = 0;
  LoadPage(s, s->pages[0]);
  ShowPage(s->pages[0], true);
  return true;
}

void Init(HWND dialog, SheetCtx* ctx) {
  FcsDialogState* s = FcsStateOf(ctx);
  s->fLoading = 1;
  if (!LoadCoverSheetSetList(s->szPrinterName, s->szDriverName, s->pCoverSets)) {
    // No store for this printer: the dialog works with an empty set list.
    s->pCoverSets->sets.clear();
  }
  FillCoverPaper(s);
  FindCurrentSet(s);
  if (!CreatePages(dialog, s)) {
    s->fLoading = 0;
    EndDialog(dialog, -1);
    return;
  }
  PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kSetList)), TRUE);
  FillSizeList(dialog, s);
  FillSetList(dialog, s);
  ApplyReadOnlyRule(dialog, s);
  s->fLoading = 0;
  if (s->hPreviewEmf == nullptr) RebuildPreview(dialog, s);
}

void ChooseSet(HWND dialog, FcsDialogState* s) {
  const LRESULT at = SendDlgItemMessageW(dialog, kSetList, CB_GETCURSEL, 0, 0);
  const LRESULT index = at < 0 ? -1 : SendDlgItemMessageW(dialog, kSetList, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  if (index >= 0 && static_cast<size_t>(index) < s->pCoverSets->sets.size()) {
    const CoverSheetSet& set = s->pCoverSets->sets[static_cast<size_t>(index)];
    ApplyCoverSet(&s->coverSheet, View(set));
    s->pCoverSets->current = static_cast<int32_t>(index);
    if (HWND page = CurrentPage(s)) LoadPage(s, page);
    FillSetList(dialog, s);
    RebuildPreview(dialog, s);
  } else {
    s->pCoverSets->current = -1;
  }
  ApplyReadOnlyRule(dialog, s);
}

void Modified(HWND dialog, FcsDialogState* s) {
  if (s->fLoading == 1) return;
  std::memset(s->coverSheet.szCoverSheetSet, 0, sizeof s->coverSheet.szCoverSheetSet);
  s->pCoverSets->current = -1;
  FillSetList(dialog, s);
  ApplyReadOnlyRule(dialog, s);
}

void ShowFcsCheckWindow(HWND dialog, const FcsDialogState* s) {
  wchar_t path[MAX_PATH];
  if (!SiblingFilePath(ModuleOfThisCode(), L"VELDRANT.DLL", path, MAX_PATH)) return;
  HMODULE library = LoadLibraryW(path);
  if (library == nullptr) return;
  using DispFn = BOOL(WINAPI*)(HWND, HENHMETAFILE, int, int, int);
  if (auto fn = reinterpret_cast<DispFn>(reinterpret_cast<void*>(GetProcAddress(library, "DispCheckFcsWindow")))) {
    fn(dialog, s->hPreviewEmf, s->coverSheet.image.fgPasteImage, s->coverSheet.image.wPosX,
       s->coverSheet.image.wPosY);
  }
  FreeLibrary(library);
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  FcsDialogState* s = FcsStateOf(ctx);
  uint32_t size = 0;
  if (FcsSelectedValue(dialog, kSizeList, &size)) s->coverSheet.sCoverSize = static_cast<int16_t>(size);
  return SavePage(s);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  FcsDialogState* s = FcsStateOf(ctx);
  switch (id) {
    case kSetList:
      if (code == CBN_SELENDOK) ChooseSet(dialog, s);
      break;
    case kSizeList:
      if (code == CBN_SELENDOK) {
        uint32_t size = 0;
        if (FcsSelectedValue(dialog, kSizeList, &size)) s->coverSheet.sCoverSize = static_cast<int16_t>(size);
        FillCoverPaper(s);
        RebuildPreview(dialog, s);
      }
      break;
    case kCheckButton:
      ShowFcsCheckWindow(dialog, s);
      break;
    case kSaveButton:
    case kEditButton: {
      if (id == kSaveButton && !SavePage(s)) break;
      const intptr_t result = id == kSaveButton ? RunSaveCoverSheetSet(dialog, s) : RunEditCoverSheetSet(dialog, s);
      if (result == 1) {
        // The record carries the name of the list's current set, if any.
        std::memset(s->coverSheet.szCoverSheetSet, 0, sizeof s->coverSheet.szCoverSheetSet);
        const int32_t current = s->pCoverSets->current;
        if (current >= 0 && static_cast<size_t>(current) < s->pCoverSets->sets.size()) {
          std::memcpy(s->coverSheet.szCoverSheetSet, s->pCoverSets->sets[static_cast<size_t>(current)].name,
                      sizeof s->coverSheet.szCoverSheetSet);
        }
        FillSetList(dialog, s);
        SetFocus(dialog);
      }
      ApplyReadOnlyRule(dialog, s);
      break;
    }
    case 1032:
    case 1993:
    case 2010:
      if (HWND page = CurrentPage(s)) {
        if (HWND button = GetDlgItem(page, id)) SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                                             reinterpret_cast<LPARAM>(button));
      }
      break;
    default:
      return false;
  }
  return true;
}

bool TabNotify(HWND, SheetCtx* ctx, const NMHDR* n, LRESULT* result) {
  FcsDialogState* s = FcsStateOf(ctx);
  if (n->idFrom != static_cast<UINT_PTR>(kTab)) return false;
  if (n->code == TCN_SELCHANGING) {
    const bool refused = !SavePage(s);
    if (!refused) ShowPage(CurrentPage(s), false);
    *result = refused ? TRUE : FALSE;
    return true;
  }
  if (n->code == TCN_SELCHANGE) {
    s->currentPage = static_cast<int32_t>(SendMessageW(n->hwndFrom, TCM_GETCURSEL, 0, 0));
    if (HWND page = CurrentPage(s)) {
      LoadPage(s, page);
      ShowPage(page, true);
    }
    return true;
  }
  return false;
}

// Dragging the image stamp in the preview.
POINT PreviewPoint(HWND dialog, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(dialog, GetDlgItem(dialog, kPreview), &p, 1);
  return p;
}
void MoveImage(FcsDialogState* s, POINT p) {
  const CoverRect r{s->rcPreview.left, s->rcPreview.top, s->rcPreview.right, s->rcPreview.bottom};
  PreviewPointToImagePos(r, CoverPoint{p.x, p.y}, &s->coverSheet.image.wPosX, &s->coverSheet.image.wPosY);
}
void SetCursorFromRindimg(int id) {
  HMODULE images = DialogFrameworkModules().images;
  HCURSOR cursor = images != nullptr ? LoadCursorW(images, MAKEINTRESOURCEW(id)) : nullptr;
  SetCursor(cursor != nullptr ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}
void DrawPreviewNow(HWND dialog, const FcsDialogState* s) {
  HWND control = GetDlgItem(dialog, kPreview);
  HDC dc = GetDC(control);
  PaintPreview(control, dc, s);
  ReleaseDC(control, dc);
}
bool Mouse(HWND dialog, FcsDialogState* s, UINT message, LPARAM lParam) {
  if (s->hPreviewEmf == nullptr || !s->coverSheet.image.fgPasteImage) return false;
  const POINT p = PreviewPoint(dialog, lParam);
  const bool inside = PtInRect(&s->rcPreview, p) != FALSE;
  HWND page = CurrentPage(s);
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!inside) return false;
      SetCapture(dialog);
      s->fDragging = 1;
      MoveImage(s, p);
      ComposePreview(dialog, s);
      DrawPreviewNow(dialog, s);
      if (page != nullptr) SendMessageW(page, FCSM_IMAGEMOVED, 0, 0);
      SetCursorFromRindimg(kDragCursor);
      return true;
    case WM_MOUSEMOVE:
      if (inside) SetCursorFromRindimg(GetCapture() == dialog ? kDragCursor : kHoverCursor);
      if (GetCapture() == dialog && s->fDragging) {
        MoveImage(s, p);
        if (page != nullptr) SendMessageW(page, FCSM_IMAGEMOVED, 0, 0);
        ComposePreview(dialog, s);
        DrawPreviewNow(dialog, s);
      }
      return true;
    case WM_LBUTTONUP:
      if (GetCapture() != dialog) return false;
      ReleaseCapture();
      s->fDragging = 0;
      MoveImage(s, p);
      RebuildPreview(dialog, s);
      if (page != nullptr) SendMessageW(page, FCSM_IMAGEMOVED, 0, 0);
      SendMessageW(dialog, FCSM_MODIFIED, 0, 0);
      return true;
    default:
      return false;
  }
}

void Destroy(HWND dialog) {
  FcsDialogState* s = FcsState(dialog);
  if (s == nullptr) return;
  if (s->hPreviewEmf != nullptr) DeleteEnhMetaFile(s->hPreviewEmf);
  s->hPreviewEmf = nullptr;
  s->pCoverSets->sets.clear();
  s->pCoverSets->current = -1;
  for (HWND& page : s->pages) {
    if (page != nullptr) DestroyWindow(page);
    page = nullptr;
  }
}

bool DrawItem(HWND, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kPreview)) return false;
  PaintPreview(item->hwndItem, item->hDC, FcsStateOf(ctx));
  return true;
}

// The mouse over the preview and the pages' messages.
bool Other(HWND dialog, SheetCtx* ctx, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  FcsDialogState* s = FcsStateOf(ctx);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      *result = Mouse(dialog, s, message, lParam) ? TRUE : FALSE;
      return true;
    case FCSM_REDRAW:
      RebuildPreview(dialog, s);
      *result = TRUE;
      return true;
    case FCSM_MODIFIED:
      Modified(dialog, s);
      *result = TRUE;
      return true;
    default:
      return false;
  }
}

// The dialog edits its own copy of the caller's cover record, outside the
// document settings and the constraint rules.
const DocumentDialog kDialog = {
    .templateId = kFcsDialogTemplate,
    .textSection = "Dlg_FAXCoverSheetSet",
    .helpIds = kHelpIds,
    .helpTopic = 21000,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .command = Command,
    .ok = Ok,
    .drawItem = DrawItem,
    .notify = TabNotify,
    .destroy = Destroy,
    .other = Other,
};

INT_PTR CALLBACK FaxCoverSheetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

}  // namespace

int RunFaxCoverSheetDialog(HWND parent, const wchar_t* printerName, const wchar_t* driverName, uint32_t editable,
                           FaxCoverSheetData* record, const DocDMode* docDMode, uint32_t recipientCount,
                           const FaxRecipientEntry* recipients) {
  if (record == nullptr) return -1;
  auto state = std::unique_ptr<FcsDialogState>(new (std::nothrow) FcsDialogState{});
  auto sets = std::unique_ptr<FaxCoverSheetSets>(new (std::nothrow) FaxCoverSheetSets{});
  if (!state || !sets) return -1;
  if (printerName != nullptr) wcsncpy(state->szPrinterName, printerName, 259);
  if (driverName != nullptr) wcsncpy(state->szDriverName, driverName, 259);
  state->fEditable = editable;
  state->coverSheet = *record;
  TerminateCoverTexts(&state->coverSheet);
  if (docDMode != nullptr) state->docDMode = *docDMode;
  state->dwRecipientCount = recipients != nullptr ? recipientCount : 0;
  state->pRecipients = recipients;
  state->pCoverSets = sets.get();
  state->currentPage = -1;
  state->nEditSetSel = -1;
  const intptr_t result = RunMyDialogBox(DialogFrameworkModules().templates, parent, kFcsDialogTemplate,
                                         FaxCoverSheetDlgProc, reinterpret_cast<LPARAM>(state.get()));
  if (result == 1) *record = state->coverSheet;
  return static_cast<int>(result);
}
