// The Finish sheet (template 110) and the Cover Page sheet (template 113),
// the dialogs they open, and the edge rule of the staple and punch lists.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dproc/sheets/sheet_context.h"

inline constexpr uint16_t kFinishSheetTemplate = 110;
inline constexpr uint16_t kCoverPageSheetTemplate = 113;
inline constexpr uint16_t kStapleSettingTemplate = 153;
inline constexpr uint16_t kPerfectBindingTemplate = 2308;
inline constexpr uint16_t kTabImageShiftTemplate = 2322;

INT_PTR CALLBACK FinishSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CoverPageSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The procedure of the sheet names that show nothing: 0 for every message.
INT_PTR CALLBACK EmptySheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK StapleSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PerfectBindingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TabImageShiftDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Marks the staple positions and punch kinds that the settings' binding
// edge rules out and repaints `window` (without erasing).  Returns 1.
int UpdateStaplePunchAvailability(HWND window, const SheetCtx* ctx);

// A settings field the Default button of a sheet restores: its place and
// width in the document settings.
struct DefaultField {
  uint32_t at;
  uint8_t bytes;
};
struct SheetDefaults {
  uint16_t pageId;                 // the hint's page
  const DefaultField* fields;      // restored in this order
  size_t count;
  // After the fields were taken, before they are shown (the fix-ups they need).
  void (*fixUps)(SheetCtx* ctx);
  void (*show)(HWND dialog, SheetCtx* ctx);
  void (*enableRules)(HWND dialog, SheetCtx* ctx);
};
// The Default button (1032) of a sheet: the fields that differ from the
// default settings take their default and are shown; when any changed, the
// page's constraint pass, its hint and the change notice follow.
void RunSheetDefaults(HWND dialog, SheetCtx* ctx, const SheetDefaults& defaults);

intptr_t RunFinishingDialog(HWND owner, uint16_t templateId, DLGPROC proc, LPARAM context);

// An item of a finishing list with its picture: cell `cell` of the 32 x 32
// strip `imageId` / `maskId` of the image library and the row's display
// text.  `masked`: drawn through its mask, with the cross of an unavailable
// row over it; otherwise drawn as a bitmap pair.
void DrawFinishingPictureItem(HWND dialog, const DRAWITEMSTRUCT* item, int imageId, int maskId, int cell, bool masked);
