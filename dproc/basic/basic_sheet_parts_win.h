// What the Basic sheet's files share among themselves: the settings and
// model of a context, the list rows of its combo boxes and small control
// helpers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/doc_fields.h"
#include "dproc/sheets/sheet_context.h"

namespace basic {

// The Ctl2500Flag field (16 bits) of the settings record.
inline constexpr uint32_t kCtl2500At = DOC_FIELD_AT(Ctl2500Flag);

inline constexpr int32_t kCustomPaper = 256;
inline constexpr uint16_t kAutoTrayId = 7;

DocFields* FieldsOf(SheetCtx* ctx);
const ModelInfo* Model();
bool HasFeature(ModelFeature feature);

// The control exists and is not hidden by its own style.
bool IsShown(HWND dialog, int controlId);
uint8_t IsChecked(HWND dialog, int controlId);
void Check(HWND dialog, int controlId, bool on);

// A combo box's rows (item data): null for no selection or no data.
const OptionHead* SelectedRow(HWND dialog, int comboId);
const char16_t* RowText(const OptionHead* row);
// Selects the item whose row value equals `value` (none: no selection);
// true when one was found.
bool SelectByValue(HWND dialog, int comboId, int64_t value);

// The session's input and output paper lists (null with count 0 when the
// session has none).
const OptionHead* SessionPapers(SheetCtx* ctx, bool output, uint32_t* count);
// The row of a session list with a paper value; null when none.
const OptionHead* SessionPaperRow(SheetCtx* ctx, bool output, uint32_t value);

// The media type the page shows: the tray's entry when the model sets
// trays' paper and a tray (not the automatic one) is chosen, else
// MediaType.  False when the tray has no entry.
bool MediaTypeInUse(SheetCtx* ctx, int16_t* type);

// PSM_CHANGED to the frame and the Easy Set area's "modified".
void NoteChange(HWND dialog, SheetCtx* ctx);
// The constraint pass of a control (0: the whole page) with the sheet's
// tooltip window.
int32_t Constraints(HWND dialog, uint16_t controlId);
// The page's hint line.
void Hint(HWND dialog, SheetCtx* ctx);
// The whole-page refresh of the controls from the settings (set-active's
// show step, without the constraint pass).
void ShowSettings(HWND dialog, SheetCtx* ctx);
void ShowZoomValue(HWND dialog, int32_t value);
void ShowCopies(HWND dialog, uint16_t copies);

// A dialog of the sheet run modally on the context; -1 when it is not there.
intptr_t RunSheetDialog(HWND dialog, SheetCtx* ctx, uint16_t templateId, DLGPROC proc);

// The orientation fix-ups; true when one changed the settings.
void OrientationFixUps(HWND dialog, SheetCtx* ctx, bool notify);

}  // namespace basic
