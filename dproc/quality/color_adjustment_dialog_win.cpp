#include "dproc/quality/color_adjustment_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/quality/slider_rows_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/sheet_context.h"

namespace {

// One row: label, slider, minimum, maximum and zero labels, edit, spin, unit.
struct Row {
  int label, slider, minimum, maximum, zero, edit, spin, unit;
  uint32_t field;
  int rangeMessage;
  SliderRow Slider() const { return {label, slider, minimum, maximum, edit, spin}; }
};
enum RowIndex { kDensity, kBrightness, kContrast };
const Row kRows[3] = {
    {2357, 2363, 2358, 2359, 2362, 2360, 2361, 2366, DOC_FIELD_AT(nMonoDensity), 79},
    {1452, 1733, 1456, 1457, 2364, 1453, 1454, 1455, DOC_FIELD_AT(nMonoBrightness), 80},
    {1458, 1734, 1462, 1463, 2365, 1459, 1460, 1461, DOC_FIELD_AT(nMonoContrast), 81},
};
const int* Controls(const Row& r) { return &r.label; }
constexpr int kRowControls = 8;

const DWORD kHelpIds[] = {2357, 6201, 2363, 6201, 2358, 6201, 2359, 6201, 2362, 6201, 2360, 6201, 2361, 6201,
                          2366, DWORD(-1), 1452, 6200, 1733, 6200, 1456, 6200, 1457, 6200, 2364, 6200, 1453, 6200,
                          1454, 6200, 1455, 6200, 1458, 6210, 1734, 6210, 1462, 6210, 1463, 6210, 2365, 6210,
                          1459, 6210, 1460, 6210, 1461, 6210, 1032, 9510, 1069, DWORD(-1), 0, 0};

const ModelInfo* Model() { return ProcessModelInfo(); }
uint32_t Type() {
  const uint32_t t = Model() != nullptr ? Model()->features[kMfColorAdjustType] : 0;
  return t == 0 ? 1 : t;
}
bool Shown(RowIndex row) {
  if (Type() == 2) return row == kDensity;
  if (Type() == 1) return row != kDensity;
  return true;
}
void Range(RowIndex row, int32_t* low, int32_t* high) {
  const ModelInfo* m = Model();
  uint32_t lo = 0, hi = 0;
  if (m != nullptr) {
    if (row == kDensity) lo = m->densityMin, hi = m->densityMax;
    else if (row == kBrightness) lo = m->brightnessMin, hi = m->brightnessMax;
    else lo = m->contrastMin, hi = m->contrastMax;
  }
  *low = static_cast<int32_t>(lo);
  *high = static_cast<int32_t>(hi);
}

RECT ControlRect(HWND dialog, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
void MoveTo(HWND dialog, int id, int x, int y) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
// Puts each control of `from` where its partner in `to` stands; the zero
// label keeps its own x.
void MoveRow(HWND dialog, const Row& from, const Row& to) {
  for (int i = 0; i < kRowControls; ++i) {
    const RECT target = ControlRect(dialog, Controls(to)[i]);
    const int x = Controls(from)[i] == from.zero ? ControlRect(dialog, from.zero).left : target.left;
    MoveTo(dialog, Controls(from)[i], x, target.top);
  }
}

void Layout(HWND dialog) {
  RECT frame, ok, client;
  GetWindowRect(dialog, &frame);
  GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
  GetClientRect(dialog, &client);
  const int bottomMargin = frame.bottom - ok.bottom;
  const int rowGap = ControlRect(dialog, 1069).top - ControlRect(dialog, kRows[kContrast].zero).bottom;
  if (Type() == 1) {
    MoveRow(dialog, kRows[kContrast], kRows[kBrightness]);
    MoveRow(dialog, kRows[kBrightness], kRows[kDensity]);
  }
  const Row& lowest = Shown(kContrast) ? kRows[kContrast] : Shown(kBrightness) ? kRows[kBrightness] : kRows[kDensity];
  const int shift = std::max(0L, ControlRect(dialog, 1069).top - ControlRect(dialog, lowest.zero).bottom - rowGap);
  if (shift > 0) {
    for (int id : {1069, int(IDOK), int(IDCANCEL), 1032, 9}) {
      const RECT r = ControlRect(dialog, id);
      MoveTo(dialog, id, r.left, r.top - shift);
    }
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, ok.bottom + bottomMargin - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  for (int row = 0; row < 3; ++row) {
    if (Shown(RowIndex(row))) continue;
    for (int i = 0; i < kRowControls; ++i) ShowEnableCtrl(dialog, Controls(kRows[row])[i], FALSE);
  }
}

int8_t FieldOf(const DocDMode* doc, const Row& r) { return static_cast<int8_t>(DocBytes(doc)[r.field]); }

// The row's spin and edit (and through the edit the slider) from its field.
void ShowRow(HWND dialog, const DocDMode* doc, int row) {
  ShowSliderRow(dialog, kRows[row].Slider(), FieldOf(doc, kRows[row]));
}

void Lock(HWND dialog, SheetCtx* ctx) {
  ShowWindow(GetDlgItem(dialog, kRows[kDensity].unit), SW_HIDE);
  if (CanChangeDocSettings(ctx)) return;
  for (const Row& r : kRows) {
    for (int i = 0; i < kRowControls; ++i) EnableWindow(GetDlgItem(dialog, Controls(r)[i]), FALSE);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  Layout(dialog);
  const DocDMode* doc = GetPrivDevMode(ctx);
  for (int row = 0; row < 3; ++row) {
    const Row& r = kRows[row];
    int32_t low, high;
    Range(RowIndex(row), &low, &high);
    SetUpSliderRow(dialog, r.Slider(), low, high);
    if (doc != nullptr) ShowRow(dialog, doc, row);
  }
  Lock(dialog, ctx);
}

// The edit's number when it is one within the row's range.
bool ReadRow(HWND dialog, int row, int32_t* value) {
  int32_t low, high;
  Range(RowIndex(row), &low, &high);
  return ReadSliderRow(dialog, kRows[row].Slider(), low, high, value);
}

void EditChanged(HWND dialog, SheetCtx* ctx, int row) {
  int32_t low, high, value = 0;
  Range(RowIndex(row), &low, &high);
  const bool taken = SliderEditChanged(dialog, kRows[row].Slider(), low, high, &value);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc != nullptr && taken) DocBytes(doc)[kRows[row].field] = static_cast<uint8_t>(static_cast<int8_t>(value));
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  for (int row = 0; row < 3; ++row) {
    if (id == kRows[row].edit && code == EN_CHANGE) {
      EditChanged(dialog, ctx, row);
      return true;
    }
  }
  return false;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const int order[2] = {Type() == 2 ? kDensity : kBrightness, Type() == 2 ? -1 : kContrast};
  for (int row : order) {
    if (row < 0) continue;
    int32_t value = 0;
    if (!ReadRow(dialog, row, &value)) {
      int32_t low, high;
      Range(RowIndex(row), &low, &high);
      ShowMessageBox(dialog, 1, 2, kRows[row].rangeMessage, MB_ICONWARNING | MB_OK, low, high);
      SetFocusCtrl(dialog, kRows[row].edit);
      return false;
    }
    if (doc != nullptr) DocBytes(doc)[kRows[row].field] = static_cast<uint8_t>(static_cast<int8_t>(value));
  }
  return true;
}

// Default restores the three values, unless the settings are locked: then
// nothing changes.
void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  if (doc != nullptr && CanChangeDocSettings(ctx) && CopyDefaultOEMDevMode(ctx, &defaults)) {
    for (const Row& r : kRows) DocBytes(doc)[r.field] = DocBytes(&defaults)[r.field];
  }
  if (doc != nullptr) {
    for (int row = 0; row < 3; ++row) ShowRow(dialog, doc, row);
  }
  Lock(dialog, ctx);
}

// A slider moved: its spin and edit follow, and the edit stores the value.
void SliderMoved(HWND dialog, HWND slider) {
  const SliderRow rows[3] = {kRows[0].Slider(), kRows[1].Slider(), kRows[2].Slider()};
  SliderRowMoved(dialog, rows, 3, slider);
}

const DocumentDialog kDialog = {
    .templateId = kColorAdjustmentTemplate,
    .textSection = "Dlg_ColorAdjust_T1",
    .helpIds = kHelpIds,
    .helpTopic = 6152,
    .clipTitle = L"Color Adjustment Dialog",
    .init = Init,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
};

}  // namespace

INT_PTR CALLBACK ColorAdjustmentDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL && lParam != 0) SliderMoved(dialog, reinterpret_cast<HWND>(lParam));
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
