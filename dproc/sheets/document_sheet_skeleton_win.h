// The message skeleton every document sheet of the procedure library runs:
// one procedure that takes a page's messages in a fixed order (tab tips,
// Easy Set area, preview area, the session's user papers, the device
// library's dialog hook, the drop-list filter, device authentication) and
// then dispatches them to the sheet's own handlers, named in a table.
//
// A sheet describes itself once:
//
//   const DocumentSheet kLayoutSheet = {
//       .pageId = 101, .logoLayout = 2, .helpIds = kHelpIds, .pageHelpTopic = 2000,
//       .comboHeights = kHeights, .init = Init, .setActive = SetActive, .killActive = KillActive,
//       .command = Command, .drawItem = DrawItem};
//   INT_PTR CALLBACK LayoutSheetProc(HWND d, UINT m, WPARAM w, LPARAM l) {
//     return RunDocumentSheet(kLayoutSheet, d, m, w, l);
//   }
//
// and the change handlers use the shared pieces below (the constraint pass,
// the change notice); bound controls are committed by the skeleton
// (dialog_skeleton_win.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "dproc/sheets/sheet_context.h"

// Where the preview area takes the page's messages.
enum class PreviewAreaStep : uint8_t {
  kAfterUserPapers = 0,  // after the session's user papers (every sheet but Basics)
  kBeforeUserPapers,     // before them (the Basic sheet)
  kNone,                 // the page has no preview area
};

// A combo box whose owner-drawn items have a fixed height.  Lists end at id 0.
struct SheetComboHeight {
  int32_t controlId;
  uint32_t height;
};

struct DocumentSheet {
  // The page id offered to the device library's dialog hook and the preview
  // area (the FAX sheet offers the Basic page's 100 there).
  int32_t pageId;
  PreviewAreaStep preview;
  // Steps the page leaves out.
  bool skipDropListFilter;  // the Initialize sheet
  // The device library's logo in WM_PAINT: 1 Basics, 2 Layout; 0 leaves
  // WM_PAINT to the dialog manager.
  uint32_t logoLayout;
  // Pairs of control id and help topic, ended by 0, 0; and the page's topic
  // for the frame's Help button (0: none).
  const DWORD* helpIds;
  DWORD pageHelpTopic;
  const SheetComboHeight* comboHeights;  // null: no owner-drawn combo boxes

  // The sheet's handlers; a null handler leaves its message at the result
  // named.  Every handler but init gets the context kept at initialisation
  // and is not called without one.
  // WM_INITDIALOG (the context is WM_INITDIALOG's lParam); the result is
  // the message's.
  INT_PTR (*init)(HWND dialog, SheetCtx* ctx);
  // PSN_SETACTIVE; the notification's result (0).
  void (*setActive)(HWND dialog, SheetCtx* ctx);
  // PSN_KILLACTIVE: true when the page may be left.  Null: it may.
  bool (*killActive)(HWND dialog, SheetCtx* ctx);
  // PSN_APPLY, before the host hears of the apply.
  void (*apply)(HWND dialog, SheetCtx* ctx);
  // WM_COMMAND; the message's result.  Null: 0.
  INT_PTR (*command)(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM lParam);
  // WM_DRAWITEM: true when the sheet drew the item.
  bool (*drawItem)(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item);
  // WM_DESTROY, after the session's papers were let go.
  void (*destroy)(HWND dialog);
  // Any message the skeleton does not dispatch; its result.  Null: 0.
  INT_PTR (*other)(HWND dialog, SheetCtx* ctx, UINT message, WPARAM wParam, LPARAM lParam);

  // The shared start.  With a display-text section the skeleton starts the
  // page before `init`: the context kept, the texts, the tooltip windows
  // (DialogTooltipOf), the stop icons' places and the hint; and on each
  // activation, before `setActive`, it gives the focus to the tabs and runs
  // the page's constraint pass and hint.  Null: the sheet does all itself.
  const char* textSection = nullptr;
  // The page's hint and preview id (0: pageId).
  uint32_t hintPageId = 0;
  // Controls bound to settings fields: their changes are committed by the
  // skeleton (dialog_skeleton_win.h) with `enableRules` after each.
  const struct DialogBinding* bindings = nullptr;
  void (*enableRules)(HWND dialog, SheetCtx* ctx) = nullptr;
  // The frame's Help runs the clipping check over the controls of template
  // `clipTemplateId` (0: pageId) first, under this banner (null: no check);
  // lists with room of their own for pictures in `clipMargins`.
  const wchar_t* clipTitle = nullptr;
  uint16_t clipTemplateId = 0;
  const struct ClipListMargin* clipMargins = nullptr;
};

// WM_MEASUREITEM of an owner-drawn combo box in the list: its item height.
bool MeasureComboItem(const SheetComboHeight* heights, MEASUREITEMSTRUCT* item);

// Runs one message of a page through the skeleton and the sheet's handlers.
INT_PTR RunDocumentSheet(const DocumentSheet& sheet, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Parts of the sheets that later libraries and dialogs provide; each is
// null until one is installed, and its step is then skipped.
struct DocumentSheetServices {
  // The Easy Set area's share of every message of a page.
  void (*easySetArea)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // The device authentication's restrictions, at WM_INITDIALOG.
  void (*setDevAuthConstraints)(HWND dialog, WPARAM wParam, LPARAM lParam);
  // A setting of the page changed: the Easy Set area shows "modified".
  void (*markEasySetModified)(HWND dialog, const DocDMode* doc);
};
DocumentSheetServices& SheetServices();

// Offers a message to the device library's dialog hook under `pageId`;
// true with its result when the hook handled it.
bool OfferToDeviceLibrary(int32_t pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          INT_PTR* result);

// The sheet context the page keeps (null before initialisation).
SheetCtx* SheetCtxOf(HWND dialog);

// The constraint pass after a change of `controlId` (0: the whole page):
// 100 (the user declined a forced change) or 101 (refused) undo the change.
// By default the library's DoConstraints export; tests put their own in
// (null: the default).
using SheetConstraintFn = int32_t (*)(HWND dialog, HWND tooltip, uint16_t controlId);
void SetSheetConstraintCheck(SheetConstraintFn check);
int32_t RunSheetConstraints(HWND dialog, HWND tooltip, uint16_t controlId);
inline bool ConstraintRefused(int32_t result) { return result == 100 || result == 101; }

// A setting of the page changed: the frame enables Apply, and the Easy Set
// area hears of it.
void NoteSheetChange(HWND dialog, const DocDMode* doc);
