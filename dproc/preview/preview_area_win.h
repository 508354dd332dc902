// The preview area every document sheet shows beside its controls: the
// picture (paper, quality or printer view), the view toggle and the device
// web-page button.  Its state lives in the session's UI state, so all sheets
// of one session share the view.
#pragma once

#include <windows.h>

#include "common/contracts/printer_view_options.h"
#include "dproc/sheets/sheet_context.h"

struct PreviewUiState {
  uint8_t viewFlag;      // 0 the sheet's own picture, 1 the printer view
  uint8_t addressRead;   // the device address was read for this session
};
PreviewUiState* PreviewStateOf(SheetUiState* state);

// What the pictures are drawn with: the image library and the device
// library's printer picture (null when not bound).
struct PreviewModules {
  HMODULE images;
  DrawPrinterViewProc drawPrinterView;
};

// Fills the printer view's record: the pointers always (all zero without a
// device option record), the trays and finishing flags for document sheets.
void FillPrinterViewOptions(const ModelInfo* model, const DeviceOptionItem* deviceOptions, const DevOption* option,
                            const DocDMode* doc, bool documentSheet, PrinterViewOptions* out);

// The picture of a sheet's preview control: the printer view on the device
// sheets (156, 157) or when toggled, else the quality view (105, 196), else
// the paper view.  Without the device library's printer picture the paper
// view is shown in its place.
void DrawSheetPreview(int pageId, HWND dialog, HDC dc, const RECT& rect, const SheetCtx* ctx,
                      const ModelInfo* model, const DeviceOptionItem* deviceOptions, const PreviewModules& modules);

// The per-page setting dialog's paper view of `settings`, drawn straight into
// `dc` at `rect`: the paper sheet, hole punch and staples; with `full` also
// the zoom frame, border, binding shift, overlay, watermark, fold marks and
// the sunken frame.  Nothing without settings.
void DrawPaperViewEx(const DocDMode* settings, HDC dc, const RECT& rect, const SheetCtx* ctx, bool full,
                     const ModelInfo* model, HMODULE images);

// The status icon strip (control 1123): the fax options, the watermark and,
// for models that have them, the device's user authentication and account
// tracking, each icon fitted into its cell of a 5 x 3 grid and given its
// tooltip in `tooltip`; framed, drawn through a memory bitmap.
void DrawDevFuncIcons(HDC dc, const RECT& rect, HWND dialog, HWND tooltip, const SheetCtx* ctx,
                      const ModelInfo* model, const DeviceOptionItem* deviceOptions, HMODULE images);

// Sets control 1130's text for the view flag from the common display texts.
void SetViewToggleText(int pageId, HWND dialog, uint8_t viewFlag);
// Enables control 1201 when the session knows the device's address.
void EnableWebLinkButton(HWND dialog, const SheetCtx* ctx);

// Opens "http://<address>/" with the opener (the shell's "open" unless a
// test replaces it); nothing for an empty address.  The address is ANSI.
using WebPageOpener = bool (*)(HWND window, const wchar_t* url);
void SetWebPageOpener(WebPageOpener opener);
void OpenDeviceWebPage(HWND dialog, const char* address);

// The preview area's part of every document sheet's messages: the toggle,
// the web-page button and the toggle's text when a page becomes active.
void PreviewAreaProc(int pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
