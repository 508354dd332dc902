// What every sheet and modal dialog of the procedure library shares: the
// table of bindings between controls and settings fields, the common
// initialisation, the common owner-drawn items, and the skeleton of a modal
// dialog that edits the working document settings.
//
// A modal dialog describes itself once:
//
//   const DialogBinding kBindings[] = {
//       {.controlId = 1242, .notify = BN_CLICKED, .kind = BindKind::kRadio,
//        .at = DOC_FIELD_AT(nBindingMode), .bytes = 1, .value = 0},
//       {.controlId = 1243, .notify = BN_CLICKED, .kind = BindKind::kRadio,
//        .at = DOC_FIELD_AT(nBindingMode), .bytes = 1, .value = 1},
//       {}};
//   const DocumentDialog kDialog = {
//       .templateId = 117, .textSection = "Dlg_SetBindShift", .helpIds = kHelpIds,
//       .helpTopic = 2290, .clipTitle = L"Binding Margin Settings Dialog",
//       .bindings = kBindings, .enableRules = EnableControls, .init = Init,
//       .command = Command, .ok = Ok, .defaults = Defaults};
//   INT_PTR CALLBACK MyDlgProc(HWND d, UINT m, WPARAM w, LPARAM l) {
//     return RunDocumentDialog(kDialog, d, m, w, l);
//   }
//
// The skeleton then owns the dialog's start (the context in DWLP_USER, the
// display texts, the tooltip windows, the stop icons' places, a private copy
// of the settings for Cancel, the first constraint pass and the hint), its
// owner-drawn hint bulb and stop icons, the change of every bound control
// (read, constraint pass, undo of a refusal, hint, enable rules), the
// length spins' arrows, the drop-list reason filter, OK, Cancel (the copy
// put back), Default and Help (the clipping check first, its control kinds
// read from the dialog's own template).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/doc_fields.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/sheet_context.h"

// How a bound control shows and takes its field.
enum class BindKind : uint8_t {
  kNone = 0,   // ends a table
  kCheckBox,   // the field is 1 when checked, 0 when not
  kRadio,      // the field takes `value` when this button is checked
  kDropList,   // the selected item's data is a list row; the field takes its value
  kCustom,     // the binding's own read and show
};

// A further settings field a bound control's change touches: its byte
// position in DocDMode, its size and the paper preview's override slot that
// keeps its old value in the picture while the change is checked
// (kNoPreviewSlot: none; one-byte fields only).
// Lists end at bytes 0.
struct BoundField {
  uint32_t at = 0;
  uint8_t bytes = 0;
  uint8_t previewSlot = 0;
};
#define DOC_BOUND_FIELD(member) BoundField{DOC_FIELD_AT(member), sizeof(DocFields::member)}

struct DialogBinding {
  uint16_t controlId;  // 0 ends a table
  uint16_t notify = 0;  // the notification that commits a change (BN_CLICKED, CBN_SELENDOK ...)
  BindKind kind = BindKind::kNone;
  uint32_t at = 0;      // byte position in DocDMode
  uint8_t bytes = 0;    // 1, 2 or 4 (kCustom: the bytes kept for the undo, at most 64)
  int32_t value = 0;    // kRadio: the value the button stands for
  // kCustom: takes the control into the field (false: nothing taken, no
  // pass) and shows the field again after a refusal.
  bool (*read)(HWND dialog, SheetCtx* ctx) = nullptr;
  void (*show)(HWND dialog, SheetCtx* ctx) = nullptr;
  // Runs after the change stood or was undone (a picture to repaint ...).
  void (*after)(HWND dialog, SheetCtx* ctx) = nullptr;
  // A field whose place depends on the dialog's state: its byte position
  // (null: `at`).
  uint32_t (*where)(SheetCtx* ctx) = nullptr;
  // Runs when the change stood and the field differs (the fix-ups a new
  // value brings), before the change notice.
  void (*changed)(HWND dialog, SheetCtx* ctx) = nullptr;
  // The paper preview's override slot (preview_overrides.h) that keeps the
  // old value in the picture while the change is checked; kNoPreviewSlot:
  // none.  One-byte fields only.
  uint8_t previewSlot = 0;
  // Runs when the change stood and the field differs, after `changed`, with
  // the field's old bytes (the fix-ups that depend on the value before).
  void (*changedFrom)(HWND dialog, SheetCtx* ctx, const uint8_t* old) = nullptr;
  // The other fields the change touches (a paper and its dimensions): kept
  // with the bound field, put back with it when the change is taken back,
  // and compared with it for the change notice.  Null: none.
  const BoundField* alsoKeeps = nullptr;
  // After the read, before the pass: the part of the change that may open
  // a dialog (the custom size of a custom paper).  False takes the change
  // back without a pass.
  bool (*before)(HWND dialog, SheetCtx* ctx) = nullptr;
  // After a pass that let the change stand, and its hint, with the pass's
  // answer: what the new value still needs (a dialog for a missing
  // number).  False takes the change back.
  bool (*confirm)(HWND dialog, SheetCtx* ctx, int32_t answer) = nullptr;
  // Only a declined question (100) takes the change back; a refusal (101)
  // warns and the value stays (an edit whose number is being typed).
  bool undoOnlyWhenDeclined = false;
};

inline constexpr uint8_t kNoPreviewSlot = 0;

// Shows every binding of the table in its control.
void ShowBindings(HWND dialog, SheetCtx* ctx, const DialogBinding* bindings);
// The binding of a control and notification, or null.
const DialogBinding* FindBinding(const DialogBinding* bindings, int controlId, int notify);
// The change of one bound control: the old bytes of its field and of the
// fields it also keeps kept, the control read (nothing read: the bytes go
// back, nothing else), `before`, the constraint pass, the hint, `confirm`;
// a refusal of any of them puts the old bytes back and shows them; then the
// binding's follow-up and the enable rules.  `sheet`: the page is a sheet, so a real change is also
// noted to the frame and the Easy Set area.  True when the change stands.
bool CommitBinding(HWND dialog, SheetCtx* ctx, const DialogBinding& binding, uint32_t hintPageId,
                   void (*enableRules)(HWND dialog, SheetCtx* ctx), bool sheet);

// The start every sheet and dialog shares: the context in DWLP_USER, the
// common display texts and those of `textSection` (null: none), a tooltip
// window for every stop icon and one for the page's refused settings (kept
// for DialogTooltipOf), and the stop icons' places.
void InitDialogCommon(HWND dialog, SheetCtx* ctx, const char* textSection);
// The tooltip window of the page's refused settings, or null.
HWND DialogTooltipOf(HWND dialog);
// Forgets the page's tooltip (WM_DESTROY).
void ForgetDialogTooltip(HWND dialog);

// The owner-drawn items every page shares: the hint bulb, every stop icon,
// the status icon strip (1123) and, with `previewPageId` non-zero, the
// preview picture (1235) of that page.  True when the item was drawn.
bool DrawCommonItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item, int previewPageId);
// The preview of page `pageId` drawn into an owner-drawn item: the paper
// view, or the printer view of the device sheets (156, 157).
void DrawPreviewItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item, int pageId);

// The clipping check of Help over the controls of the dialog's own
// template (`templateId` of the dialog library): each control's kind from
// its class and style; lists and combo boxes measured with `listMargin`.
// True when the check ran (the help is then not opened).
bool RunTemplateClipTest(HWND dialog, const SheetCtx* ctx, uint16_t templateId, const wchar_t* title);
// A list or combo box whose items take room of their own beside the text
// (pictures drawn before it): its margin in the clipping check replaces the
// common one.  Tables end at control id 0.
struct ClipListMargin {
  uint16_t controlId;
  int32_t (*margin)();  // pixels, measured when the check runs
};
// RunTemplateClipTest with the lists of `margins` (null: none) measured
// with their own margin.
bool RunTemplateClipTestWith(HWND dialog, const SheetCtx* ctx, uint16_t templateId, const wchar_t* title,
                             const ClipListMargin* margins);

struct DocumentDialog {
  uint16_t templateId;                 // the template; also its hint page and the device library's page id
  const char* textSection = nullptr;   // display texts (null: the common ones only)
  const DWORD* helpIds = nullptr;      // pairs of control id and topic, ended by 0, 0
  DWORD helpTopic = 0;                 // the Help button's topic
  const wchar_t* clipTitle = nullptr;  // the clipping check's banner (null: no check)
  const DialogBinding* bindings = nullptr;  // null: none
  // The dialog's length spins step in this scale (see length_units.h):
  // 0 none, 1 margin, 2 shift.
  uint8_t lengthSpins = 0;
  // The Default button writes the defaults without a constraint pass.
  bool quietDefaults = false;
  // Owner-drawn combo boxes with a fixed item height (null: none).
  const SheetComboHeight* comboHeights = nullptr;
  // The page id of the hint (0: the template's).
  uint32_t hintPageId = 0;
  // False for a dialog that edits no document settings (a device sheet's
  // list): it needs none to open and keeps no copy of them.
  bool editsDocument = true;
  // False for a dialog outside the constraint rules (one that edits a
  // record of its own, passed as its context): no pass, no hint.
  bool checksConstraints = true;
  // The dialog manager gives the focus to the first control at the start.
  bool defaultFocus = false;
  // False for a dialog the device library describes and runs through the
  // skeleton itself: its messages are not offered to the library again.
  bool offersToDeviceLibrary = true;

  // The dialog's own handlers; any may be null.
  // After the common start, before the first constraint pass.
  void (*init)(HWND dialog, SheetCtx* ctx) = nullptr;
  // Once, after the first constraint pass and hint.
  void (*started)(HWND dialog, SheetCtx* ctx) = nullptr;
  // After every change and at the start.
  void (*enableRules)(HWND dialog, SheetCtx* ctx) = nullptr;
  // WM_COMMAND of controls the bindings and buttons do not take; true when
  // handled.
  bool (*command)(HWND dialog, SheetCtx* ctx, int id, int code) = nullptr;
  // OK: true when the dialog may end (it has stored what it shows).
  bool (*ok)(HWND dialog, SheetCtx* ctx) = nullptr;
  // The Default button (1032): the defaults into the settings and shown;
  // the skeleton then runs the pass, the hint and the enable rules.
  void (*defaults)(HWND dialog, SheetCtx* ctx) = nullptr;
  // Owner-drawn items beyond the common ones; true when drawn.
  bool (*drawItem)(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) = nullptr;
  // WM_NOTIFY; true with its result in *result when handled.
  bool (*notify)(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) = nullptr;
  // WM_DESTROY.
  void (*destroy)(HWND dialog) = nullptr;
  // Cancel, after the settings were put back as the dialog found them.
  void (*cancel)(HWND dialog, SheetCtx* ctx) = nullptr;
  // Any other message once the dialog has started (the mouse, activation,
  // private messages between a dialog and its pages); true with its answer
  // in *result when handled.
  bool (*other)(HWND dialog, SheetCtx* ctx, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) = nullptr;
};

inline constexpr int kDefaultButtonId = 1032;
inline constexpr int kHelpButtonId = 9;

// Runs one message of a modal dialog through the skeleton.
INT_PTR RunDocumentDialog(const DocumentDialog& dialogDesc, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The settings as the dialog found them (its own copy, so a dialog opened
// from another keeps its own); null before the start.
const DocDMode* DialogBackupOf(HWND dialog);
