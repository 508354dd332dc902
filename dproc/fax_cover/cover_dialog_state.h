// The FAX Cover Sheet Setting dialog's state, shared with its four tab pages,
// and the private messages between the dialog and the pages.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/cover/cover_geometry.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/settings_records.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/fax_cover/cover_store_win.h"

// Dialog to the page being left: store the controls, result 1 refuses.
inline constexpr UINT FCSM_SAVEPAGE = WM_APP + 1000;
// Dialog to the page being shown: set the controls from the state.
inline constexpr UINT FCSM_LOADPAGE = WM_APP + 1001;
// Page to dialog: the cover data changed, rebuild the preview.
inline constexpr UINT FCSM_REDRAW = WM_APP + 1002;
// Dialog to the current page: the image was dragged in the preview.
inline constexpr UINT FCSM_IMAGEMOVED = WM_APP + 1003;
// Page to dialog, before a field of a set's parts changes.
inline constexpr UINT FCSM_MODIFIED = WM_APP + 1004;

inline constexpr int kFcsPageCount = 4;
inline constexpr uint16_t kFcsDialogTemplate = 172;
inline constexpr uint16_t kFcsPageTemplates[kFcsPageCount] = {173, 174, 175, 176};

struct FcsDialogState {
  wchar_t szPrinterName[260];
  wchar_t szDriverName[260];
  uint32_t fEditable;
  FaxCoverSheetData coverSheet;
  DocDMode docDMode;
  uint32_t fDragging;
  uint32_t fImagePosGuard;
  HENHMETAFILE hPreviewEmf;
  RECT rcPreview;
  FaxCoverSheetSets* pCoverSets;
  uint32_t fLoading;
  CoverPaperInfo coverPaper;
  int32_t nEditSetSel;
  uint32_t dwRecipientCount;
  const FaxRecipientEntry* pRecipients;
  HWND pages[kFcsPageCount];
  int32_t currentPage;
};

inline FcsDialogState* FcsState(HWND window) {
  return reinterpret_cast<FcsDialogState*>(GetWindowLongPtrW(window, DWLP_USER));
}
// The dialog and its pages run on the dialog skeleton with the state as
// their context.
inline FcsDialogState* FcsStateOf(SheetCtx* ctx) { return reinterpret_cast<FcsDialogState*>(ctx); }

// The page procedures, in tab order.
INT_PTR CALLBACK FcsBasicPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FcsRecipientPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FcsSenderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FcsImagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// What is a page's own; the page runs on the dialog skeleton with
// FcsPageCommand<parts> and FcsPageMessage<parts> as its command and other
// handlers.
struct FcsPageParts {
  void (*command)(HWND page, FcsDialogState* s, int id, int code);
  // FCSM_SAVEPAGE: false refuses to leave the page.
  bool (*save)(HWND page, FcsDialogState* s);
  // FCSM_LOADPAGE; without `loadAlways` only while the dialog fills its pages.
  void (*load)(HWND page, FcsDialogState* s);
  bool loadAlways;
  // The page's own private messages (null: none); true when handled.
  bool (*message)(HWND page, FcsDialogState* s, UINT message) = nullptr;
};
// The page's private messages: save, load and its own.
bool FcsPageMessageOf(const FcsPageParts& parts, HWND page, SheetCtx* ctx, UINT message, INT_PTR* result);
template <const FcsPageParts& parts>
bool FcsPageCommand(HWND page, SheetCtx* ctx, int id, int code) {
  parts.command(page, FcsStateOf(ctx), id, code);
  return true;
}
template <const FcsPageParts& parts>
bool FcsPageMessage(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  return FcsPageMessageOf(parts, page, ctx, message, result);
}
// Sends a message to the dialog (the page's parent).
void FcsNotify(HWND page, UINT message);
// The page refuses FCSM_SAVEPAGE.
void FcsRefuse(HWND page);
// A text field and its edit control, never past the field.
void FcsSetText(HWND page, int id, const char16_t* text, size_t capacity);
void FcsGetText(HWND page, int id, char16_t* text, size_t capacity);
// Fills a drop-down list with an option table's entries (text, value as
// item data) and selects the value; false when no entry carries it.
bool FcsFillOptionList(HWND page, int id, const char* table, uint32_t value);
// The value of the selected entry; false when none is selected.
bool FcsSelectedValue(HWND page, int id, uint32_t* value);
// Enables the control when `on` (only when it is visible) or disables it.
void FcsEnable(HWND page, int id, bool on);
// A number typed into an edit: false when it is not a number.
bool FcsReadNumber(HWND page, int id, int32_t* value);

// Runs the dialog on the caller's record: 1 OK (the record changed),
// 2 Cancel, -1 when it could not be shown.
int RunFaxCoverSheetDialog(HWND parent, const wchar_t* printerName, const wchar_t* driverName, uint32_t editable,
                           FaxCoverSheetData* record, const DocDMode* docDMode, uint32_t recipientCount,
                           const FaxRecipientEntry* recipients);
