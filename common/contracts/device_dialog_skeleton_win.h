// The device library's modal dialogs run on the procedure library's dialog
// skeleton: the device library (VELDRANH) describes a dialog once, as its
// template, its display texts, its help, the changes its controls commit
// and its own handlers, and passes every message of the dialog to
// `RunDeviceDialog` of the procedure library (VELDRANA, found beside it and
// bound by name).  The skeleton does the rest as for its own dialogs: the
// context in DWLP_USER, the common and the dialog's display texts, the
// tooltips and stop icons, the first constraint pass and the hint, the
// change of a control (its bytes kept, read, the constraint pass, put back
// and shown again when refused), the drop-list reason filter, OK, Cancel
// (the document settings put back from the dialog's own copy), Default,
// Help with the clipping check, and the help of its controls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/win/sheet_context_records_win.h"

struct DispStringItem;  // common/qxd/disp_string_table.h

struct DeviceDialogChange;

// Where the bytes of a change are, for the undo of a refusal: their place
// (null: the change is not taken) and their count in *bytes.
using DeviceChangePlaceFn = uint8_t* (*)(HWND dialog, SheetCtx* ctx, const DeviceDialogChange& change,
                                         uint32_t* bytes);
// Takes the control into the settings; false when nothing was taken (no
// constraint pass then).
using DeviceChangeReadFn = bool (*)(HWND dialog, SheetCtx* ctx, const DeviceDialogChange& change);
// Shows the settings in the control again (at the start, after Default and
// after a refusal), or runs after the change stood or was undone.
using DeviceChangeShowFn = void (*)(HWND dialog, SheetCtx* ctx, const DeviceDialogChange& change);

// One control whose notification commits a change.  Tables end at a
// control id of 0.
struct DeviceDialogChange {
  uint16_t controlId;
  uint16_t notify;          // BN_CLICKED, CBN_SELENDOK ...
  int32_t value;            // the device library's own (a list's row in its table, a radio's value)
  DeviceChangePlaceFn place;
  DeviceChangeReadFn read;
  DeviceChangeShowFn show;   // null: nothing to show
  DeviceChangeShowFn after;  // null: nothing follows
};

// An owner-drawn list or combo box's item height; tables end at id 0.
struct DeviceItemHeight {
  uint16_t controlId;
  uint16_t height;
};

struct DeviceDialog {
  uint32_t size;                    // sizeof(DeviceDialog): a record of another size is refused
  uint16_t templateId;              // in the dialog library VELDRANG
  uint16_t hintPageId;              // the hint's page (0: the template's)
  uint8_t editsDocument;            // 1: the dialog edits the document settings and keeps its own copy for Cancel
  uint8_t checksOnActivate;         // 1: the constraint pass and the hint run again when the dialog becomes active
  uint16_t changeHintPageId;        // the hint's page after a change (0: hintPageId)
  const DispStringItem* texts;      // the dialog's display texts (null: the common ones only)
  const DWORD* helpIds;             // pairs of control id and topic, ended by 0, 0 (null: none)
  DWORD helpTopic;                  // the Help button's topic (0: none)
  const wchar_t* clipTitle;         // the clipping check's banner (null: no check)
  const DeviceDialogChange* changes;     // null: none
  const DeviceItemHeight* itemHeights;   // null: none
  // The dialog's own handlers; any may be null.  Their meaning is the
  // skeleton's: `init` after the common start (fill lists, hide what the
  // model lacks; the changes are shown after it), `enableRules` at the start
  // and after every change, `command` for controls the changes do not take
  // (true when handled), `ok` true when the dialog may end, `defaults`
  // writes the defaults (the skeleton then shows the changes and runs the
  // pass), `cancel` after the document settings were put back (a record of
  // the dialog's own is restored here), `drawItem`/`notify` true when
  // handled, `other` any other message once started, `destroy` at
  // WM_DESTROY.
  void (*init)(HWND dialog, SheetCtx* ctx);
  void (*enableRules)(HWND dialog, SheetCtx* ctx);
  bool (*command)(HWND dialog, SheetCtx* ctx, int id, int code);
  bool (*ok)(HWND dialog, SheetCtx* ctx);
  void (*defaults)(HWND dialog, SheetCtx* ctx);
  void (*cancel)(HWND dialog, SheetCtx* ctx);
  bool (*drawItem)(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item);
  bool (*notify)(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result);
  bool (*other)(HWND dialog, SheetCtx* ctx, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
  void (*destroy)(HWND dialog);
};

#if defined(_WIN64)
static_assert(sizeof(DeviceDialogChange) == 40);
static_assert(sizeof(DeviceDialog) == 144 && offsetof(DeviceDialog, texts) == 16);
#else
static_assert(sizeof(DeviceDialogChange) == 24);
static_assert(sizeof(DeviceDialog) == 76 && offsetof(DeviceDialog, texts) == 12);
#endif

// The dialog procedure's answer to one message of a device dialog; *handled
// is 1 for every message of a dialog the skeleton runs (its answer is the
// dialog's), 0 for a description it refuses (null or of another size).
using RunDeviceDialogFn = INT_PTR(WINAPI*)(const DeviceDialog* dialogDesc, HWND dialog, UINT message,
                                            WPARAM wParam, LPARAM lParam, int32_t* handled);
inline constexpr char kRunDeviceDialog[] = "RunDeviceDialog";
