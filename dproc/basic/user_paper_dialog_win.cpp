#include "dproc/basic/user_paper_dialog_win.h"

#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/text/number_text.h"
#include "common/win/driver_help.h"
#include "common/win/sheet_context_records_win.h"
#include "common/win/ui_services.h"
#include "dproc/basic/user_paper_rules.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/user_paper_list_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/sheet_user_papers_win.h"

namespace {

constexpr int kList = 1547;
constexpr int kStopIcon = 1548;
constexpr int kAdd = 1549;
constexpr int kDelete = 1550;
constexpr int kName = 1553;
constexpr int kMm = 1240;
constexpr int kInch = 1241;
constexpr int kHelpButton = 9;
// The hint area shows this dialog's hints under the list state 2225.
constexpr uint32_t kHintPage = 2225;
constexpr int kNameUnits = 20;  // 19 characters and the terminator
constexpr int kTextUnits = 260;

struct Dimension {
  int edit, spin, range;
  bool width;
};
constexpr Dimension kWidth = {1555, 1556, 1557, true};
constexpr Dimension kLength = {1559, 1560, 1561, false};

const DWORD kHelpIds[] = {1546, 8100, 1547, 8100, 1548, 8110, 1549, 8110, 1550, 8120, 1551, 8130, 1552, 8140,
                          1553, 8140, 1554, 8150, 1555, 8150, 1556, 8150, 1557, 8150, 1558, 8160, 1559, 8160,
                          1560, 8160, 1561, 8160, 1409, 8170, 1240, 8170, 1241, 8170, 1015, DWORD(-1),
                          1016, DWORD(-1), 1069, DWORD(-1), 0, 0};

// The dialog's state while it runs (one user paper dialog at a time).
struct UserPaperDialogState {
  int selected = -1;                    // the item whose entry the edits show
  std::unique_ptr<UserPaperList> start; // the list as the dialog found it
  bool showing = false;                 // the dialog itself is writing the edits
};
UserPaperDialogState g_state;

const UserPaperSpooler* g_store = nullptr;
SpoolerFormNamesFn g_formNames = nullptr;

bool SystemFormNames(HANDLE printer, std::vector<std::u16string>* names) {
  DWORD needed = 0, returned = 0;
  EnumFormsW(printer, 1, nullptr, 0, &needed, &returned);
  if (needed == 0) return false;
  std::vector<BYTE> buffer(needed);
  if (!EnumFormsW(printer, 1, buffer.data(), needed, &needed, &returned)) return false;
  const auto* forms = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    if (forms[i].pName != nullptr) names->emplace_back(reinterpret_cast<const char16_t*>(forms[i].pName));
  }
  return true;
}

bool SizeFigure() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->paperFigureStyle == 1;
}

// The limits of a length in tenths of a millimetre: the edit's descriptor,
// else the model's custom paper range.
void Limits(const Dimension& d, int32_t* min, int32_t* max) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(d.edit));
  const ModelInfo* model = ProcessModelInfo();
  *min = model == nullptr ? 0 : static_cast<int32_t>(d.width ? model->customPaperMinWidth : model->customPaperMinLength);
  *max = model == nullptr ? 0 : static_cast<int32_t>(d.width ? model->customPaperMaxWidth : model->customPaperMaxLength);
  if (desc != nullptr && desc->head.minValue != kEditNoBound) *min = desc->head.minValue;
  if (desc != nullptr && desc->head.maxValue != kEditNoBound) *max = desc->head.maxValue;
}

int KindOf(uint16_t unit) { return UserPaperDisplayKind(unit, SizeFigure()); }
int KindOfRadios(HWND dialog) { return KindOf(IsDlgButtonChecked(dialog, kMm) == BST_CHECKED ? 0 : 1); }

UserPaperList* Working(SheetCtx* ctx) {
  UserPaperUiState* state = UserPaperStateOf(GetUIState(ctx));
  return state != nullptr ? &state->list : nullptr;
}

HWND List(HWND dialog) { return GetDlgItem(dialog, kList); }
int ItemCount(HWND dialog) {
  const LRESULT n = SendMessageW(List(dialog), LB_GETCOUNT, 0, 0);
  return n == LB_ERR ? 0 : static_cast<int>(n);
}
UserPaperEntry* ItemEntry(HWND dialog, int at) {
  if (at < 0) return nullptr;
  const LRESULT data = SendMessageW(List(dialog), LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == LB_ERR || data == 0 ? nullptr : reinterpret_cast<UserPaperEntry*>(data);
}
UserPaperEntry* Remembered(HWND dialog) { return ItemEntry(dialog, g_state.selected); }

// The list's items as a user paper list, in list order.
UserPaperList ItemsAsList(HWND dialog) {
  UserPaperList list = {};
  const int n = std::min(ItemCount(dialog), static_cast<int>(kUserPaperMaxEntries));
  for (int i = 0; i < n; ++i) {
    if (const UserPaperEntry* e = ItemEntry(dialog, i)) list.entries[i] = *e;
  }
  list.count = static_cast<int16_t>(n);
  return list;
}

void CopyItemsToWorking(HWND dialog, SheetCtx* ctx) {
  if (UserPaperList* work = Working(ctx)) *work = ItemsAsList(dialog);
}

void ListText(const UserPaperEntry& e, wchar_t* out) {
  FormatUserPaperListText(e, KindOf(e.unit), reinterpret_cast<char16_t*>(out), kTextUnits);
}

// The selected item's text anew, the item keeping its entry.
void RefreshItem(HWND dialog) {
  HWND list = List(dialog);
  const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
  UserPaperEntry* e = ItemEntry(dialog, static_cast<int>(at));
  if (at == LB_ERR || e == nullptr) return;
  wchar_t text[kTextUnits] = {};
  ListText(*e, text);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(e));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  g_state.selected = static_cast<int>(at);
}

// --- Lengths as the edits show them.

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// A length in micrometres as a position of the display kind's step; inch
// values are held inside the range, rounded inward at its ends.
int32_t ShownValue(int kind, int32_t v, int32_t lo, int32_t hi) {
  const int64_t x = v;
  switch (kind) {
    case 1: return Clamp32((x + 500) / 1000);
    case 2: return Clamp32((x + 50) / 100);
    case 3:
      if (v <= lo) return Clamp32((int64_t{lo} + 253) / 254);
      if (v < hi) return Clamp32((x + 127) / 254);
      return Clamp32(int64_t{hi} / 254);
    default:
      if (v <= lo) return Clamp32((int64_t{lo} * 10 + 253) / 254);
      if (v < hi) return Clamp32((x * 10 + 127) / 254);
      return Clamp32(int64_t{hi} * 10 / 254);
  }
}

void FormatShown(int kind, int32_t v, wchar_t* out, size_t capacity) {
  char16_t text[32] = {};
  switch (kind) {
    case 1: _snwprintf(out, capacity, L"%d", v); out[capacity - 1] = 0; return;
    case 2: _snwprintf(out, capacity, L"%d.%d", v / 10, std::abs(v % 10)); out[capacity - 1] = 0; return;
    case 3: FormatHundredths(v, text, 32); break;
    default: FormatThousandths(v, text, 32); break;
  }
  std::wcsncpy(out, reinterpret_cast<const wchar_t*>(text), capacity - 1);
  out[capacity - 1] = 0;
}

void SetEditText(HWND dialog, int id, const wchar_t* text) {
  g_state.showing = true;
  SetDlgItemTextW(dialog, id, text);
  g_state.showing = false;
}

// The selected entry's length in its kind (an empty text without one).
void ShowSize(HWND dialog, const Dimension& d) {
  const UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) {
    SetEditText(dialog, d.edit, L"");
    return;
  }
  int32_t min = 0, max = 0;
  Limits(d, &min, &max);
  const int kind = KindOf(e->unit);
  const int32_t v = ShownValue(kind, d.width ? e->width : e->length, min * 100, max * 100);
  wchar_t text[32] = {};
  FormatShown(kind, v, text, 32);
  SetEditText(dialog, d.edit, text);
  SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, v);
}

// The edit's text into the selected entry (not limited here: the checks at
// selection change, Add and OK refuse a size outside the range).  The
// printable area keeps its distances from the edges.
void ReadSize(HWND dialog, const Dimension& d) {
  UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) return;
  wchar_t text[kTextUnits] = {};
  GetDlgItemTextW(dialog, d.edit, text, kTextUnits);
  if (text[0] == 0) std::wcscpy(text, L"0");
  const auto* t = reinterpret_cast<const char16_t*>(text);
  int32_t min = 0, max = 0;
  Limits(d, &min, &max);
  int64_t value = 0;
  switch (KindOf(e->unit)) {
    case 1: {
      const int64_t v = std::wcstol(text, nullptr, 10);
      // A whole millimetre that rounds to a limit stands for the exact limit.
      if (v == (min + 5) / 10 && 10 * v < min) value = int64_t{min} * 100;
      else if (v == (max + 5) / 10 && 10 * v > max) value = int64_t{max} * 100;
      else value = v * 1000;
      break;
    }
    case 2: value = int64_t{ParseHundredths(t) / 10} * 100; break;
    case 3: value = ((int64_t{ParseHundredths(t)} * 254 + 50) / 100) * 100; break;
    default: value = ((int64_t{ParseThousandths(t)} * 254 + 500) / 1000) * 100; break;
  }
  const int32_t v = Clamp32(value);
  if (d.width) {
    const int64_t right = int64_t{e->width} - e->areaRight;
    e->width = v;
    e->areaRight = Clamp32(v - right);
  } else {
    const int64_t bottom = int64_t{e->length} - e->areaBottom;
    e->length = v;
    e->areaBottom = Clamp32(v - bottom);
  }
}

// --- What the edits, labels and buttons show.

void ShowRanges(HWND dialog, SheetCtx* ctx) {
  const UserPaperEntry* e = Remembered(dialog);
  const int kind = KindOf(e != nullptr ? e->unit : (IsUSMeasure() ? 1 : 0));
  for (const Dimension& d : {kWidth, kLength}) {
    SetEditRangeText(dialog, ctx, d.edit, d.spin, d.range, kEditUnitTenthMm, kind);
  }
}

void ShowRadios(HWND dialog) {
  const UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) return;
  CheckRadioButton(dialog, kMm, kInch, e->unit == 1 ? kInch : kMm);
}

void ShowName(HWND dialog) {
  const UserPaperEntry* e = Remembered(dialog);
  wchar_t name[kNameUnits] = {};
  if (e != nullptr) {
    std::memcpy(name, e->name, sizeof name);
    name[kNameUnits - 1] = 0;
  }
  SetEditText(dialog, kName, name);
}

void EnableControls(HWND dialog, SheetCtx* ctx) {
  const bool selected = Remembered(dialog) != nullptr;
  for (int id : {kName, kWidth.edit, kWidth.spin, kLength.edit, kLength.spin, kMm, kInch}) {
    EnableCtrlIfVisible(GetDlgItem(dialog, id), selected ? TRUE : FALSE);
  }
  const int n = ItemCount(dialog);
  EnableWindow(GetDlgItem(dialog, kAdd), n < static_cast<int>(kUserPaperMaxEntries) ? TRUE : FALSE);
  EnableWindow(GetDlgItem(dialog, kDelete), n >= 1 ? TRUE : FALSE);
  ShowEnableCtrl(dialog, kStopIcon, n >= static_cast<int>(kUserPaperMaxEntries) ? TRUE : FALSE);
  // An entry without a name holds Add, OK and the list until it has one.
  const bool unnamed = selected && GetWindowTextLengthW(GetDlgItem(dialog, kName)) == 0;
  EnableWindow(GetDlgItem(dialog, IDOK), unnamed ? FALSE : TRUE);
  if (unnamed) EnableWindow(GetDlgItem(dialog, kAdd), FALSE);
  EnableWindow(List(dialog), !unnamed && n > 0 ? TRUE : FALSE);
  DispPageHint(dialog, ctx, kHintPage);
}

void ShowEntry(HWND dialog, SheetCtx* ctx) {
  ShowRanges(dialog, ctx);
  ShowRadios(dialog);
  ShowName(dialog);
  ShowSize(dialog, kWidth);
  ShowSize(dialog, kLength);
  EnableControls(dialog, ctx);
}

// --- Checks.

bool NameIsUnique(HWND dialog, SheetCtx* ctx, const wchar_t* name) {
  std::vector<std::u16string> forms;
  if (GetCtxSessionFlag(ctx) == 0) {
    const SpoolerFormNamesFn names = g_formNames != nullptr ? g_formNames : SystemFormNames;
    if (!names(GetCtxPrinterHandle(ctx), &forms)) forms.clear();
  }
  std::vector<const char16_t*> formNames;
  for (const std::u16string& f : forms) formNames.push_back(f.c_str());
  const UserPaperList edited = ItemsAsList(dialog);
  const UserPaperList none = {};
  return IsUserPaperNameUnique(reinterpret_cast<const char16_t*>(name), edited,
                               static_cast<uint32_t>(g_state.selected), g_state.start ? *g_state.start : none,
                               ProcessModelInfo(), formNames);
}

// The remembered entry before it is left: 0 when it passes (or there is
// none), else the control to go back to (-1: none named).
int CheckEntry(HWND dialog, SheetCtx* ctx) {
  const UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) return 0;
  wchar_t name[kNameUnits] = {};
  GetDlgItemTextW(dialog, kName, name, kNameUnits);
  if (name[0] == 0 || !NameIsUnique(dialog, ctx, name)) {
    ShowMessageBoxStr(dialog, 1, 240, 0, MB_ICONEXCLAMATION, name, nullptr);
    return kName;
  }
  const ModelInfo* model = ProcessModelInfo();
  if (model != nullptr && model->features[kMfPaperLengthLarger] != 0 && e->width > e->length &&
      ShowResMessage(dialog, 1 * 290, 220 * 290, 0) != 0) {
    return kWidth.edit;
  }
  const int kind = KindOfRadios(dialog);
  if (ValidateEditItem(dialog, ctx, kName, TRUE, 0, 0, kNameUnits - 1) == 0) return -1;
  for (const Dimension& d : {kWidth, kLength}) {
    if (ValidateEditItem(dialog, ctx, d.edit, kind != 1 ? TRUE : FALSE, kEditUnitTenthMm, kind, 16) == 0) return -1;
  }
  return 0;
}

void BackToEntry(HWND dialog, int control) {
  if (control > 0) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
  }
  if (g_state.selected >= 0) SendMessageW(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(g_state.selected), 0);
}

// The constraint pass on an entry: the rules compare its width and length
// in tenths of a millimetre, so the sizes are whole tenths afterwards.
// The pass binds the paper features to the list's selected entry, which
// is the entry checked here.
int32_t CheckConstraints(HWND dialog, UserPaperEntry* e) {
  if (e == nullptr) return 0;
  e->width /= 100;
  e->length /= 100;
  const int32_t result = RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(kLength.edit));
  e->width *= 100;
  e->length *= 100;
  return result;
}

// --- Changes.

void SelectionChanged(HWND dialog, SheetCtx* ctx) {
  HWND list = List(dialog);
  const LRESULT now = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (g_state.selected >= 0 && now != g_state.selected) {
    // The entry being left is checked while it is still the selected one.
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(g_state.selected), 0);
    if (const int failed = CheckEntry(dialog, ctx); failed != 0) {
      BackToEntry(dialog, failed);
      return;
    }
    if (CheckConstraints(dialog, Remembered(dialog)) == 100) {
      BackToEntry(dialog, kWidth.edit);
      return;
    }
    RefreshItem(dialog);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(now), 0);
  }
  g_state.selected = now == LB_ERR ? -1 : static_cast<int>(now);
  ShowEntry(dialog, ctx);
}

void NameChanged(HWND dialog, SheetCtx* ctx) {
  if (g_state.showing) return;
  UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) return;
  wchar_t name[kNameUnits] = {};
  GetDlgItemTextW(dialog, kName, name, kNameUnits);
  std::memset(e->name, 0, sizeof e->name);
  std::memcpy(e->name, name, sizeof e->name - sizeof e->name[0]);
  RefreshItem(dialog);
  EnableControls(dialog, ctx);
}

void SizeChanged(HWND dialog, SheetCtx* ctx, const Dimension& d) {
  if (g_state.showing) return;
  const int kind = KindOfRadios(dialog);
  FilterEditItemTextEx(dialog, ctx, d.edit, kind != 1 ? TRUE : FALSE, kEditUnitTenthMm, kind);
  wchar_t text[kTextUnits] = {};
  GetDlgItemTextW(dialog, d.edit, text, kTextUnits);
  const auto* t = reinterpret_cast<const char16_t*>(text);
  const int32_t position = kind == 1 ? ParseHundredths(t) / 100
                                     : (kind == 2 ? ParseHundredths(t) / 10
                                                  : (kind == 3 ? ParseHundredths(t) : ParseThousandths(t)));
  DialogUiState* state = DialogStateOf(GetUIState(ctx));
  if (state != nullptr && (state->editFlags & kSpinEchoBit) != 0) {
    state->editFlags &= ~kSpinEchoBit;
  } else {
    SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, position);
  }
  ReadSize(dialog, d);
  RefreshItem(dialog);
  EnableControls(dialog, ctx);
}

bool SpinStep(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) {
  if (note->code != UDN_DELTAPOS) return false;
  const auto* step = reinterpret_cast<const NMUPDOWN*>(note);
  const int spin = static_cast<int>(step->hdr.idFrom);
  if (spin != kWidth.spin && spin != kLength.spin) return false;
  HWND buddy = reinterpret_cast<HWND>(SendDlgItemMessageW(dialog, spin, UDM_GETBUDDY, 0, 0));
  int32_t lo = 0, hi = 0;
  SendDlgItemMessageW(dialog, spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  const int32_t value = std::max(lo, std::min(hi, Clamp32(int64_t{step->iPos} + step->iDelta)));
  if (DialogUiState* state = DialogStateOf(GetUIState(ctx))) state->editFlags |= kSpinEchoBit;
  wchar_t text[32] = {};
  FormatShown(KindOfRadios(dialog), value, text, 32);
  if (buddy != nullptr) SetWindowTextW(buddy, text);
  // The up-down control still takes its step.
  *result = 0;
  return true;
}

// A new entry without a selection: the built-in default custom size, the
// printable margins of the model's custom paper, the locale's unit.
UserPaperEntry DefaultEntry() {
  UserPaperEntry e = {};
  const DocFields& f = Fields(DefaultDocDMode());
  const ModelInfo* model = ProcessModelInfo();
  const int32_t w = f.sizInUserDefPaperMM_cx, l = f.sizInUserDefPaperMM_cy;
  int32_t margins[4] = {};
  if (model != nullptr) {
    for (int i = 0; i < 4; ++i) margins[i] = static_cast<int32_t>(model->customPaperMargins[i]);
  }
  e.width = w * 100;
  e.length = l * 100;
  e.areaLeft = margins[0] * 100;
  e.areaTop = margins[1] * 100;
  e.areaRight = (w - margins[2]) * 100;
  e.areaBottom = (l - margins[3]) * 100;
  e.unit = IsUSMeasure() ? 1 : 0;
  return e;
}

void Add(HWND dialog, SheetCtx* ctx) {
  if (const int failed = CheckEntry(dialog, ctx); failed != 0) {
    BackToEntry(dialog, failed);
    return;
  }
  UserPaperEntry* selected = Remembered(dialog);
  if (selected != nullptr) {
    if (CheckConstraints(dialog, selected) == 100) {
      BackToEntry(dialog, kWidth.edit);
      return;
    }
    RefreshItem(dialog);
  }
  const int n = ItemCount(dialog);
  if (n >= static_cast<int>(kUserPaperMaxEntries)) return;
  auto entry = std::make_unique<UserPaperEntry>(selected != nullptr ? *selected : DefaultEntry());
  std::memset(entry->name, 0, sizeof entry->name);
  entry->paperId = static_cast<int16_t>(LowestFreeUserPaperId(ItemsAsList(dialog)));
  wchar_t text[kTextUnits] = {};
  ListText(*entry, text);
  HWND list = List(dialog);
  const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  if (at == LB_ERR || at == LB_ERRSPACE) return;
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(entry.release()));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  g_state.selected = static_cast<int>(at);
  // The working list holds every entry of the list, not only its count.
  CopyItemsToWorking(dialog, ctx);
  DispPageHint(dialog, ctx, kHintPage);
  ShowEntry(dialog, ctx);
  SetFocusCtrl(dialog, kName);
}

void Delete(HWND dialog, SheetCtx* ctx) {
  HWND list = List(dialog);
  const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return;
  wchar_t name[kNameUnits] = {};
  GetDlgItemTextW(dialog, kName, name, kNameUnits);
  if (ShowMessageBoxStr(dialog, 5, 6, 330, MB_YESNO | MB_ICONQUESTION, name, nullptr) != IDYES) return;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  delete ItemEntry(dialog, static_cast<int>(at));
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  const int n = ItemCount(dialog);
  g_state.selected = n == 0 ? -1 : (static_cast<int>(at) < n ? static_cast<int>(at) : n - 1);
  if (g_state.selected >= 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(g_state.selected), 0);
  CopyItemsToWorking(dialog, ctx);
  RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
  DispPageHint(dialog, ctx, kHintPage);
  ShowEntry(dialog, ctx);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SetFocusCtrl(dialog, n > 0 ? kList : kAdd);
}

void UnitChanged(HWND dialog, SheetCtx* ctx, int id) {
  UserPaperEntry* e = Remembered(dialog);
  if (e == nullptr) return;
  const uint16_t old = e->unit;
  e->unit = IsDlgButtonChecked(dialog, kMm) == BST_CHECKED ? 0 : 1;
  if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), static_cast<uint16_t>(id)))) {
    e->unit = old;
    ShowRadios(dialog);
  }
  DispPageHint(dialog, ctx, kHintPage);
  RefreshItem(dialog);
  ShowRanges(dialog, ctx);
  ShowSize(dialog, kWidth);
  ShowSize(dialog, kLength);
  // The shown texts, held in the range, become the stored sizes: a change
  // of unit may move a size by up to one step of the new kind.
  const int kind = KindOf(e->unit);
  for (const Dimension& d : {kWidth, kLength}) {
    int32_t min = 0, max = 0;
    Limits(d, &min, &max);
    const int64_t lo = int64_t{min} * 100, hi = int64_t{max} * 100;
    wchar_t text[kTextUnits] = {};
    GetDlgItemTextW(dialog, d.edit, text, kTextUnits);
    const auto* t = reinterpret_cast<const char16_t*>(text);
    int64_t v = 0, shown = 0;
    switch (kind) {
      case 1:
        v = std::clamp<int64_t>(int64_t{std::wcstol(text, nullptr, 10)} * 1000, lo, std::max(lo, hi));
        shown = (v + 500) / 1000;
        break;
      case 2:
        v = std::clamp<int64_t>(int64_t{ParseHundredths(t) / 10} * 100, lo, std::max(lo, hi));
        shown = (v + 50) / 100;
        break;
      case 3: {
        const int64_t a = (int64_t{min} * 100 + 253) / 254, b = int64_t{max} * 100 / 254;
        v = std::clamp<int64_t>(ParseHundredths(t), a, std::max(a, b)) * 254;
        shown = (v + 127) / 254;
        break;
      }
      default: {
        const int64_t a = (int64_t{min} * 1000 + 253) / 254, b = int64_t{max} * 1000 / 254;
        v = (std::clamp<int64_t>(ParseThousandths(t), a, std::max(a, b)) * 254 + 5) / 10;
        shown = (v * 10 + 127) / 254;
        break;
      }
    }
    wchar_t out[32] = {};
    FormatShown(kind, Clamp32(shown), out, 32);
    SetEditText(dialog, d.edit, out);
    SendDlgItemMessageW(dialog, d.spin, UDM_SETPOS32, 0, Clamp32(shown));
  }
  ReadSize(dialog, kWidth);
  ReadSize(dialog, kLength);
  ShowSize(dialog, kWidth);
  ShowSize(dialog, kLength);
  RefreshItem(dialog);
  EnableControls(dialog, ctx);
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  if (const int failed = CheckEntry(dialog, ctx); failed != 0) {
    BackToEntry(dialog, failed);
    return false;
  }
  if (UserPaperEntry* e = Remembered(dialog)) {
    NameChanged(dialog, ctx);
    ReadSize(dialog, kWidth);
    ReadSize(dialog, kLength);
    if (CheckConstraints(dialog, e) == 100) {
      BackToEntry(dialog, kWidth.edit);
      return false;
    }
    ShowSize(dialog, kWidth);
    ShowSize(dialog, kLength);
    ReadSize(dialog, kWidth);
    ReadSize(dialog, kLength);
    DispPageHint(dialog, ctx, kHintPage);
  }
  UserPaperList* work = Working(ctx);
  if (work == nullptr) {
    EndDialog(dialog, 2);
    return false;
  }
  CopyItemsToWorking(dialog, ctx);
  const UserPaperList none = {};
  const bool stored = StoreUserPaperList(GetCtxPrinterHandle(ctx), g_state.start ? *g_state.start : none, work,
                                         GetCtxSessionFlag(ctx) != 0,
                                         g_store != nullptr ? *g_store : SystemUserPaperSpooler());
  if (!stored) {
    // Nothing was changed on the printer: the old list and its forms stay,
    // and the user may try again or cancel.
    const char16_t* caption = DialogText(kMessageStr, 1);
    CurrentUiServices().messageBox(dialog, L"The custom paper list could not be saved on the printer.",
                                   reinterpret_cast<const wchar_t*>(caption != nullptr ? caption : u""),
                                   MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  g_state.selected = -1;
  return true;
}

void Init(HWND dialog, SheetCtx* ctx) {
  g_state.selected = -1;
  g_state.showing = false;
  if (DialogUiState* state = DialogStateOf(GetUIState(ctx))) state->editFlags &= ~kSpinEchoBit;
  UserPaperList* work = Working(ctx);
  if (work == nullptr) {
    EndDialog(dialog, 2);
    return;
  }
  // A stored list is made safe before it is used: count 0 to 10, names ended.
  ReadCustomPaperData(GetCtxPrinterHandle(ctx), work);
  SanitizeUserPaperList(work);
  g_state.start = std::make_unique<UserPaperList>(*work);

  HWND list = List(dialog);
  const int tab = 80;
  SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
  SetEditItemLimit(dialog, ctx, kName, 16);
  // The entry has room for 19 characters, whatever the descriptor allows.
  const LRESULT limit = SendDlgItemMessageW(dialog, kName, EM_GETLIMITTEXT, 0, 0);
  if (limit <= 0 || limit > kNameUnits - 1) SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kNameUnits - 1, 0);
  for (const Dimension& d : {kWidth, kLength}) {
    SendDlgItemMessageW(dialog, d.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, d.edit)), 0);
    if (SendDlgItemMessageW(dialog, d.spin, UDM_GETBASE, 0, 0) != 10) {
      SendDlgItemMessageW(dialog, d.spin, UDM_SETBASE, 10, 0);
    }
  }
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (uint32_t i = 0; i < UserPaperCount(work); ++i) {
    auto entry = std::make_unique<UserPaperEntry>(work->entries[i]);
    wchar_t text[kTextUnits] = {};
    ListText(*entry, text);
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at == LB_ERR || at == LB_ERRSPACE) break;
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(entry.release()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  if (ItemCount(dialog) > 0) {
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    g_state.selected = 0;
  }
  ShowEntry(dialog, ctx);
}

void Destroy(HWND dialog) {
  const int n = ItemCount(dialog);
  for (int i = 0; i < n; ++i) {
    delete ItemEntry(dialog, i);
    SendMessageW(List(dialog), LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
  }
  g_state.start.reset();
  g_state.selected = -1;
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kList:
      if (code == LBN_SELCHANGE) SelectionChanged(dialog, ctx);
      return true;
    case kName:
      if (code == EN_CHANGE) NameChanged(dialog, ctx);
      else if (code == EN_UPDATE && !g_state.showing) FilterEditItemText(dialog, ctx, kName, 0, 0, 0, kNameUnits - 1);
      return true;
    case kWidth.edit:
    case kLength.edit:
      if (code == EN_CHANGE) SizeChanged(dialog, ctx, id == kWidth.edit ? kWidth : kLength);
      return true;
    case kAdd:
      Add(dialog, ctx);
      return true;
    case kDelete:
      Delete(dialog, ctx);
      return true;
    case kMm:
    case kInch:
      if (code == BN_CLICKED) UnitChanged(dialog, ctx, id);
      return true;
    default:
      return false;
  }
}

const DocumentDialog kDialog = {
    .templateId = kUserPaperTemplate,
    .textSection = "Dlg_CustomPaper",
    .helpIds = kHelpIds,
    .helpTopic = 8090,
    .hintPageId = kHintPage,
    .editsDocument = false,
    .init = Init,
    .command = Command,
    .ok = Ok,
    .notify = SpinStep,
    .destroy = Destroy,
};

}  // namespace

void SetUserPaperDialogSpooler(const UserPaperSpooler* store, SpoolerFormNamesFn formNames) {
  g_store = store;
  g_formNames = formNames;
}

INT_PTR CALLBACK UserPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
