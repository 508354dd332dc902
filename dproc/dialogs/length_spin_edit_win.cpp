#include "dproc/dialogs/length_spin_edit_win.h"

#include <cstring>

#include "common/text/number_text.h"
#include "common/win/ui_services.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"

namespace {

int16_t Field(const DocDMode* doc, uint32_t at) {
  int16_t v;
  std::memcpy(&v, reinterpret_cast<const uint8_t*>(doc) + at, sizeof v);
  return v;
}
void SetField(DocDMode* doc, uint32_t at, int16_t v) { std::memcpy(reinterpret_cast<uint8_t*>(doc) + at, &v, sizeof v); }

size_t TextLimit(LengthScale scale) { return scale == LengthScale::kMargin ? 260 : 64; }

void ReadText(HWND dialog, int id, LengthScale scale, wchar_t* text) {
  GetDlgItemTextW(dialog, id, text, static_cast<int>(TextLimit(scale)));
}

}  // namespace

LengthUnit CurrentLengthUnit(const LengthEditGroup& group, const DocDMode* doc) {
  return reinterpret_cast<const uint8_t*>(doc)[group.unitAt] != 0 ? LengthUnit::kInch : LengthUnit::kMillimetre;
}

LengthUnit RadioLengthUnit(HWND dialog) {
  return IsDlgButtonChecked(dialog, kUnitMmButton) == BST_CHECKED ? LengthUnit::kMillimetre : LengthUnit::kInch;
}

void SetLengthEditRanges(HWND dialog, const LengthEditGroup& group, const DocDMode* doc) {
  const LengthUnit unit = CurrentLengthUnit(group, doc);
  for (size_t i = 0; i < group.count; ++i) {
    const LengthEditSpec& e = group.edits[i];
    if (GetDlgItem(dialog, e.editId) == nullptr) continue;
    const LengthRange range = RangeInUnit(group.scale, unit, e.metricRange);
    SendDlgItemMessageW(dialog, e.editId, EM_LIMITTEXT, LengthTextLimit(group.scale, unit, range), 0);
    if (SendDlgItemMessageW(dialog, e.spinId, UDM_GETBASE, 0, 0) != 10) {
      SendDlgItemMessageW(dialog, e.spinId, UDM_SETBASE, 10, 0);
    }
    SendDlgItemMessageW(dialog, e.spinId, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<int16_t>(range.upper), static_cast<int16_t>(range.lower)));
    char16_t label[260];
    FormatLengthRangeLabel(group.scale, unit, range, label, 260);
    SetDlgItemTextW(dialog, e.labelId, reinterpret_cast<const wchar_t*>(label));
  }
}

void ShowLengthEdit(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit, const DocDMode* doc) {
  const LengthUnit unit = CurrentLengthUnit(group, doc);
  const int16_t value = Field(doc, unit == LengthUnit::kMillimetre ? edit.metricAt : edit.imperialAt);
  char16_t text[32];
  FormatLengthValue(group.scale, unit, value, text, 32);
  SetDlgItemTextW(dialog, edit.editId, reinterpret_cast<const wchar_t*>(text));
  SendDlgItemMessageW(dialog, edit.spinId, UDM_SETPOS, 0, static_cast<uint16_t>(value));
}

bool ReadLengthEdit(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit, DocDMode* doc,
                    bool clamp) {
  wchar_t text[260] = {};
  ReadText(dialog, edit.editId, group.scale, text);
  const LengthUnit unit = CurrentLengthUnit(group, doc);
  int32_t typed = 0;
  if (!ParseLengthText(group.scale, unit, reinterpret_cast<const char16_t*>(text), &typed)) return false;
  int16_t metric = 0, imperial = 0;
  if (!LengthFieldsOf(group.scale, unit, typed, edit.metricRange, clamp, &metric, &imperial)) return false;
  SetField(doc, edit.metricAt, metric);
  SetField(doc, edit.imperialAt, imperial);
  return true;
}

void OnLengthEditChange(HWND dialog, const SheetCtx* ctx, const LengthEditGroup& group, const LengthEditSpec& edit) {
  wchar_t text[260] = {};
  ReadText(dialog, edit.editId, group.scale, text);
  const LengthUnit radio = RadioLengthUnit(dialog);
  SetDlgItemNumberText(dialog, edit.editId, text, LengthAcceptsSign(group.scale) ? TRUE : FALSE,
                       LengthAcceptsPoint(group.scale, radio) ? TRUE : FALSE);
  const int32_t position = SpinValueOfText(group.scale, radio, reinterpret_cast<const char16_t*>(text));
  DialogUiState* state = DialogStateOf(GetUIState(ctx));
  if (state != nullptr && (state->editFlags & kSpinEchoBit) != 0) {
    state->editFlags &= ~kSpinEchoBit;
  } else {
    SendDlgItemMessageW(dialog, edit.spinId, UDM_SETPOS, 0, static_cast<uint16_t>(position));
  }
  if (DocDMode* doc = GetPrivDevMode(ctx)) ReadLengthEdit(dialog, group, edit, doc, false);
}

LRESULT OnLengthSpinDelta(HWND dialog, const SheetCtx* ctx, LengthScale scale, const NMUPDOWN* change) {
  HWND spin = change->hdr.hwndFrom;
  HWND buddy = reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0));
  const LRESULT range = SendMessageW(spin, UDM_GETRANGE, 0, 0);
  const int32_t maximum = static_cast<int16_t>(LOWORD(range));
  const int32_t minimum = static_cast<int16_t>(HIWORD(range));
  int32_t value = change->iPos + change->iDelta;
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
  if (DialogUiState* state = DialogStateOf(GetUIState(ctx))) state->editFlags |= kSpinEchoBit;
  char16_t text[32];
  FormatLengthValue(scale, RadioLengthUnit(dialog), value, text, 32);
  if (buddy != nullptr) SetDlgItemTextW(dialog, GetDlgCtrlID(buddy), reinterpret_cast<const wchar_t*>(text));
  return 1;
}

int ShowLengthRangeMessage(HWND dialog, const LengthEditGroup& group, const LengthEditSpec& edit,
                           const DocDMode* doc) {
  const LengthUnit unit = CurrentLengthUnit(group, doc);
  const LengthRange range = RangeInUnit(group.scale, unit, edit.metricRange);
  const char16_t* outOfRange = DialogText(kMessageStr, 2);
  const char16_t* rangeText =
      DialogText(kMessageStr, unit == LengthUnit::kMillimetre ? edit.rangeRecordMm : edit.rangeRecordInch);
  char16_t caption[kMessageUnits + 1] = {};
  if (const char16_t* c = DialogText(kMessageStr, 1)) {
    for (size_t i = 0; i < kMessageUnits && c[i] != 0; ++i) caption[i] = c[i];
  }
  char16_t message[260];
  FormatLengthRangeMessage(group.scale, unit, range, outOfRange, rangeText, message, 260);
  return CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(message),
                                        reinterpret_cast<const wchar_t*>(caption), MB_ICONEXCLAMATION);
}
