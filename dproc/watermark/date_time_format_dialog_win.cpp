#include "dproc/watermark/date_time_format_dialog_win.h"

#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "common/records/doc_fields.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/sheets/ui_state_layout.h"
#include "dproc/model/feature_table.h"

static_assert(kUiStateDateTimeTargetBytes >= sizeof(uint32_t));

namespace {

enum : int {
  kDateLabel = 2084,
  kDateList = 2085,
  kTimeBox = 2086,
  kTimeList = 2087,
  kSampleLabel = 2088,
  kSample = 2089,
};
constexpr size_t kSampleChars = 31;

const DWORD kHelpIds[] = {2084, 5910, 2085, 5910, 2086, 5920, 2087, 5920, 2088, 5930, 2089, 5930,
                          1069, DWORD(-1), 1032, 9510, 0, 0};
const int kLockList[] = {2084, 2085, 2086, 2087, 2088, 2089, 1032};

uint32_t DateAt(SheetCtx* ctx) { return static_cast<uint32_t>(DateTimeFieldsOf(DateTimeTargetOf(ctx)).dateFormat); }
uint32_t TimeOnAt(SheetCtx* ctx) { return static_cast<uint32_t>(DateTimeFieldsOf(DateTimeTargetOf(ctx)).timeOn); }
uint32_t TimeAt(SheetCtx* ctx) { return static_cast<uint32_t>(DateTimeFieldsOf(DateTimeTargetOf(ctx)).timeFormat); }

const wchar_t* SelectedText(HWND dialog, int id) {
  const OptionHead* row = SelectedOptionHead(dialog, id);
  return row != nullptr ? OptionRowDisplayText(row) : nullptr;
}

void ShowSample(HWND dialog) {
  wchar_t sample[kSampleChars + 1] = {};
  DateTimeSample(SelectedText(dialog, kDateList), SelectedText(dialog, kTimeList),
                 IsDlgButtonChecked(dialog, kTimeBox) == BST_CHECKED, sample, kSampleChars + 1);
  SetDlgItemTextW(dialog, kSample, sample);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  ShowSample(dialog);
  const DocDMode* doc = GetPrivDevMode(ctx);
  uint32_t timeOn = 0;
  if (doc != nullptr) std::memcpy(&timeOn, reinterpret_cast<const uint8_t*>(doc) + TimeOnAt(ctx), sizeof timeOn);
  EnableCtrlIfVisible(GetDlgItem(dialog, kTimeList), timeOn != 0 ? TRUE : FALSE);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kLockList) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void Init(HWND dialog, SheetCtx*) {
  FillOptionRowsByName(dialog, kDateList, "DateFormat");
  FillOptionRowsByName(dialog, kTimeList, "TimeFormat");
}

bool Ok(HWND dialog, SheetCtx*) {
  for (int id : {kDateList, kTimeList}) {
    if (SelectedOptionHead(dialog, id) == nullptr) {
      SetFocus(GetDlgItem(dialog, id));
      return false;
    }
  }
  return true;
}

void Defaults(HWND, SheetCtx* ctx) {
  const DocDMode* defaults = GetDefaultOEMDevMode(ctx);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (defaults == nullptr || doc == nullptr) return;
  const DateTimeFieldPlaces at = DateTimeFieldsOf(DateTimeTargetOf(ctx));
  auto copy = [&](size_t place, size_t bytes) {
    std::memcpy(reinterpret_cast<uint8_t*>(doc) + place, reinterpret_cast<const uint8_t*>(defaults) + place, bytes);
  };
  copy(at.dateFormat, 2);
  copy(at.timeOn, 4);
  copy(at.timeFormat, 2);
}

const DialogBinding kBindings[] = {
    {kDateList, CBN_SELENDOK, BindKind::kDropList, 0, 2, 0, nullptr, nullptr, nullptr, DateAt},
    {kTimeBox, BN_CLICKED, BindKind::kCheckBox, 0, 4, 0, nullptr, nullptr, nullptr, TimeOnAt},
    {kTimeList, CBN_SELENDOK, BindKind::kDropList, 0, 2, 0, nullptr, nullptr, nullptr, TimeAt},
    {},
};

const DocumentDialog kDialog = {
    .templateId = kDateTimeFormatTemplate,
    .textSection = "Dlg_DateTimeFormat",
    .helpIds = kHelpIds,
    .helpTopic = 5900,
    .clipTitle = L"Date / Time Format Dialog",
    .bindings = kBindings,
    .init = Init,
    .enableRules = EnableRules,
    .ok = Ok,
    .defaults = Defaults,
};

// A display text without its first and last character.
void AppendInner(const wchar_t* text, wchar_t* out, size_t capacity) {
  if (text == nullptr) return;
  const size_t n = std::wcslen(text);
  if (n < 2) return;
  size_t used = std::wcslen(out);
  for (size_t i = 1; i + 1 < n && used + 1 < capacity; ++i) out[used++] = text[i];
  out[used] = L'\0';
}

}  // namespace

uint32_t DateTimeTargetOf(SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  if (state == nullptr) return 0;
  uint32_t target = 0;
  std::memcpy(&target, state->bytes + kUiStateDateTimeTargetAt, sizeof target);
  return target;
}

void SetDateTimeTarget(SheetCtx* ctx, uint32_t target) {
  SheetUiState* state = GetUIState(ctx);
  if (state != nullptr) std::memcpy(state->bytes + kUiStateDateTimeTargetAt, &target, sizeof target);
}

DateTimeFieldPlaces DateTimeFieldsOf(uint32_t target) {
  if (target == kDateTimeTargetCopyProtect) {
    return {DOC_FIELD_AT(CP_DateTime_wDateFormat), DOC_FIELD_AT(CP_DateTime_bTimeFormat),
            DOC_FIELD_AT(CP_DateTime_wTimeFormat)};
  }
  return {DOC_FIELD_AT(DPE_DateTime_wDateFormat), DOC_FIELD_AT(DPE_DateTime_bTimeFormat),
          DOC_FIELD_AT(DPE_DateTime_wTimeFormat)};
}

void DateTimeSample(const wchar_t* date, const wchar_t* time, bool timeOn, wchar_t* out, size_t capacity) {
  if (capacity == 0) return;
  out[0] = L'\0';
  const size_t limit = capacity < kSampleChars + 1 ? capacity : kSampleChars + 1;
  AppendInner(date, out, limit);
  if (!timeOn) return;
  const size_t used = std::wcslen(out);
  if (used + 1 < limit) {
    out[used] = L' ';
    out[used + 1] = L'\0';
  }
  AppendInner(time, out, limit);
}

const wchar_t* DateTimeFormatText(const char* table, uint32_t value) {
  for (const OptionHead* row = FindOptionTable(table); row != nullptr && row->keyword[0] != '\0';
       row = NextOptionRow(row)) {
    if (row->value == value) return OptionRowDisplayText(row);
  }
  return nullptr;
}

bool StoredDateTimeSample(const DocDMode& doc, uint32_t target, wchar_t* out, size_t capacity) {
  const DateTimeFieldPlaces at = DateTimeFieldsOf(target);
  const auto* bytes = reinterpret_cast<const uint8_t*>(&doc);
  uint16_t date = 0, time = 0;
  uint32_t timeOn = 0;
  std::memcpy(&date, bytes + at.dateFormat, sizeof date);
  std::memcpy(&timeOn, bytes + at.timeOn, sizeof timeOn);
  std::memcpy(&time, bytes + at.timeFormat, sizeof time);
  const wchar_t* dateText = DateTimeFormatText("DateFormat", date);
  const wchar_t* timeText = DateTimeFormatText("TimeFormat", time);
  if (dateText == nullptr || timeText == nullptr) return false;
  DateTimeSample(dateText, timeText, timeOn != 0, out, capacity);
  return true;
}

INT_PTR CALLBACK DateTimeFormatDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
