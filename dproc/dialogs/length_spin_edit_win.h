// Length spin edits: an edit, the up-down control whose buddy it is and a
// range label, bound to a metric and an imperial signed 16-bit field of the
// document settings that are always written together.  A dialog describes
// its edits as data (LengthEditSpec rows) and calls these handlers.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>

#include "common/records/settings_records.h"
#include "dproc/dialogs/length_units.h"
#include "dproc/sheets/sheet_context.h"

inline constexpr int kUnitMmButton = 1240;
inline constexpr int kUnitInchButton = 1241;

struct LengthEditSpec {
  int editId, spinId, labelId;
  uint32_t metricAt, imperialAt;   // signed 16-bit fields of DocDMode
  LengthRange metricRange;         // in the scale's metric unit
  uint32_t rangeRecordMm, rangeRecordInch;  // MessageStr records of the range texts
};
struct LengthEditGroup {
  LengthScale scale;
  uint32_t unitAt;                 // the unit byte of DocDMode: 0 mm, 1 inch
  const LengthEditSpec* edits;
  size_t count;
};

LengthUnit CurrentLengthUnit(const LengthEditGroup& group, const DocDMode* doc);
// The unit of the radio buttons (1240 checked: mm).
LengthUnit RadioLengthUnit(HWND dialog);

// Text limits, spin ranges and range labels of every edit in the current
// unit; the spins count in base 10.
void SetLengthEditRanges(HWND dialog, const LengthEditGroup& group, const DocDMode* doc);
// The field of the current unit into the edit and its spin.
void ShowLengthEdit(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit, const DocDMode* doc);
// Stores both fields from the edit's text; false (nothing stored) for an
// empty text or, without `clamp`, a value outside the range.
bool ReadLengthEdit(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit, DocDMode* doc,
                    bool clamp);
// EN_CHANGE (margin scale) / EN_UPDATE (shift scale) of an edit: filters the
// text, moves the spin unless a spin wrote the text, stores a valid value.
void OnLengthEditChange(HWND dialog, const SheetCtx* ctx, const LengthEditGroup& group, const LengthEditSpec& edit);
// UDN_DELTAPOS of a spin: the clamped new value into the buddy edit in the
// radio buttons' unit, the spin-echo bit set.  Returns 1 (the spin still
// moves itself).
LRESULT OnLengthSpinDelta(HWND dialog, const SheetCtx* ctx, LengthScale scale, const NMUPDOWN* change);
// The out-of-range message of an edit, over the dialog.
int ShowLengthRangeMessage(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit,
                           const DocDMode* doc);
