// The checks of edit fields as the dialogs call them: read the field, decide
// with the routines of edit_items.cpp, put a corrected text back or show the
// message and return the focus to the field.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <new>

#include "dproc/model/edit_items.h"
#include "dproc/model/message_text.h"
#include "common/win/ui_services.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

UINT g_codePage = CP_ACP;
constexpr size_t kFieldChars = 1024;

struct Field {
  EditChar chars[kFieldChars];
  size_t count = 0;
  DWORD selStart = 0, selEnd = 0;
};

EditChar ToEditChar(wchar_t w) {
  EditChar c{static_cast<char16_t>(w), {0, 0}, 1};
  char bytes[4];
  int n = WideCharToMultiByte(g_codePage, 0, &w, 1, bytes, sizeof bytes, nullptr, nullptr);
  if (n <= 0) n = 1, bytes[0] = '?';
  c.ansi[0] = static_cast<uint8_t>(bytes[0]);
  if (n >= 2) {
    c.ansi[1] = static_cast<uint8_t>(bytes[1]);
    c.ansiLength = 2;
  }
  return c;
}

void ToEditChars(const wchar_t* text, size_t length, EditChar* out) {
  for (size_t i = 0; i < length; ++i) out[i] = ToEditChar(text[i]);
}

std::unique_ptr<Field> ReadField(HWND dialog, int controlId) {
  std::unique_ptr<Field> field(new (std::nothrow) Field);
  if (!field) return nullptr;
  wchar_t text[kFieldChars + 1] = {};
  UINT length = GetDlgItemTextW(dialog, controlId, text, kFieldChars + 1);
  ToEditChars(text, length, field->chars);
  field->count = length;
  SendDlgItemMessageW(dialog, controlId, EM_GETSEL, reinterpret_cast<WPARAM>(&field->selStart),
                      reinterpret_cast<LPARAM>(&field->selEnd));
  return field;
}

void WideText(const Field& field, size_t count, wchar_t* out) {
  for (size_t i = 0; i < count; ++i) out[i] = field.chars[i].wide;
  out[count] = L'\0';
}

// Puts the first `count` characters back and places the selection.
void PutField(HWND dialog, int controlId, const Field& field, size_t count, DWORD start, DWORD end) {
  wchar_t text[kFieldChars + 1];
  WideText(field, count, text);
  SetDlgItemTextW(dialog, controlId, text);
  SendDlgItemMessageW(dialog, controlId, EM_SETSEL, start, end);
}

DWORD Back(DWORD position, size_t by) { return position > by ? static_cast<DWORD>(position - by) : 0; }

void FocusField(HWND dialog, int controlId) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, controlId)), TRUE);
}

constexpr size_t kFieldMessageUnits = 4 * kMessageRowUnits;
struct FieldMessage {
  char16_t caption[kMessageRowUnits];
  char16_t text[kFieldMessageUnits];
};

// An exclamation box over the dialog, then the focus back on the field.
int ShowFieldMessage(HWND dialog, int controlId, const FieldMessage& message) {
  CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(message.text),
                                 reinterpret_cast<const wchar_t*>(message.caption), MB_ICONEXCLAMATION);
  FocusField(dialog, controlId);
  return 0;
}

}  // namespace

void SetEditCodePage(UINT codePage) { g_codePage = codePage; }

void SetEditItemLimit(HWND dialog, void*, int controlId, int defaultLimit) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(controlId));
  if (desc != nullptr && desc->head.lengthKind == kEditLengthFree) return;
  WPARAM limit = desc != nullptr ? desc->head.maxLength : static_cast<WPARAM>(defaultLimit);
  SendDlgItemMessageW(dialog, controlId, EM_LIMITTEXT, limit, 0);
}

int ShowEditRangeMessage(HWND dialog, int controlId, int stored, int display, const EditItemDesc* desc) {
  FieldMessage message;
  BuildEditRangeMessage(desc, stored, display, message.caption, message.text, kFieldMessageUnits);
  return ShowFieldMessage(dialog, controlId, message);
}

int ShowEditLengthMessage(HWND dialog, int controlId, size_t minimum, size_t maximum, const EditItemDesc* desc) {
  FieldMessage message;
  BuildEditLengthMessage(desc, minimum, maximum, message.caption, message.text, kFieldMessageUnits);
  return ShowFieldMessage(dialog, controlId, message);
}

int CheckEditItemText(HWND dialog, int controlId, BOOL allowNonDigits, int stored, int display, int maxLength,
                      const EditItemDesc* desc) {
  if (desc == nullptr || desc->check.kind == kEditCheckNone) return 1;
  const EditLengthLimit limit = EditLimitFor(desc, maxLength < 0 ? 0 : static_cast<size_t>(maxLength));
  std::unique_ptr<Field> field = ReadField(dialog, controlId);
  if (!field) return 1;
  const bool number = desc->check.kind == kEditCheckNumber;

  if (field->count == 0) {
    if (number && limit.minimum >= 1) return ShowEditRangeMessage(dialog, controlId, stored, display, desc);
    return 1;
  }
  size_t removed = ApplyCharRules(desc, field->chars, &field->count);
  if (removed != 0) {
    if (number) return ShowEditRangeMessage(dialog, controlId, stored, display, desc);
    if (desc->check.kind == kEditCheckText) {
      field->selStart = Back(field->selStart, removed);
      field->selEnd = Back(field->selEnd, removed);
      PutField(dialog, controlId, *field, field->count, field->selStart, field->selEnd);
    }
  } else if (number && (allowNonDigits || EditCharsAreDigits(field->chars, field->count))) {
    wchar_t text[kFieldChars + 1];
    WideText(*field, field->count, text);
    if (!IsInEditRange(reinterpret_cast<char16_t*>(text), stored, display, desc)) {
      return ShowEditRangeMessage(dialog, controlId, stored, display, desc);
    }
  }
  // Length: cut at the limit, never inside a double-byte character.
  size_t keep = field->count;
  if (limit.lengthKind == kEditLengthBytes && EditAnsiLength(field->chars, field->count) > limit.limit) {
    keep = EditCharsWithinBytes(field->chars, field->count, limit.limit);
  } else if (limit.lengthKind == kEditLengthChars && field->count > limit.limit) {
    keep = limit.limit;
  }
  if (keep != field->count) PutField(dialog, controlId, *field, keep, field->selStart, field->selEnd);
  return 1;
}

int ClampEditNumber(HWND dialog, int controlId, BOOL allowNonDigits, int stored, int display,
                    const EditItemDesc* desc) {
  if (desc == nullptr || desc->check.kind == kEditCheckNumber || desc->check.kind == kEditCheckNone) return 1;
  std::unique_ptr<Field> field = ReadField(dialog, controlId);
  if (!field || field->count == 0) return 1;
  if (ApplyCharRules(desc, field->chars, &field->count) != 0) return 1;
  if (!allowNonDigits && !EditCharsAreDigits(field->chars, field->count)) return 1;
  wchar_t text[kFieldChars + 1];
  WideText(*field, field->count, text);
  const char16_t* current = reinterpret_cast<char16_t*>(text);
  int32_t bound;
  if (!IsAtLeastEditMin(current, stored, display, desc)) bound = desc->head.minValue;
  else if (!IsAtMostEditMax(current, stored, display, desc)) bound = desc->head.maxValue;
  else return 1;
  char16_t clamped[40];
  if (FormatEditNumber(bound, stored, display, clamped, 40) == 0) return 1;
  SetDlgItemTextW(dialog, controlId, reinterpret_cast<wchar_t*>(clamped));
  SendDlgItemMessageW(dialog, controlId, EM_SETSEL, field->selStart, field->selEnd);
  return 1;
}

int CheckEditItemLength(HWND dialog, int controlId, BOOL allowNonDigits, int maxLength, const EditItemDesc* desc) {
  if (desc == nullptr || desc->check.kind == kEditCheckNone) return 1;
  const uint32_t kind = desc->head.lengthKind;
  if (kind != kEditLengthChars && kind != kEditLengthBytes) return 1;
  if (allowNonDigits || (desc->head.minValue != kEditNoBound && desc->head.maxValue != kEditNoBound)) return 1;
  const EditLengthLimit limit = EditLimitFor(desc, maxLength < 0 ? 0 : static_cast<size_t>(maxLength));
  const size_t minimum = desc->head.maxLength != 0 ? desc->head.minLength : 0;
  std::unique_ptr<Field> field = ReadField(dialog, controlId);
  if (!field) return 1;
  size_t length = kind == kEditLengthBytes ? EditAnsiLength(field->chars, field->count) : field->count;
  if (length >= minimum && length <= limit.limit) return 1;
  return ShowEditLengthMessage(dialog, controlId, minimum, limit.limit, desc);
}

int ValidateEditItem(HWND dialog, void*, int controlId, BOOL allowNonDigits, int stored, int display,
                     int maxLength) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(controlId));
  if (desc == nullptr) return 1;
  if (desc->length.kind == kEditCheckLength &&
      CheckEditItemLength(dialog, controlId, allowNonDigits, maxLength, desc) == 0) {
    return 0;
  }
  if (desc->check.kind == kEditCheckNumber) {
    return CheckEditItemText(dialog, controlId, allowNonDigits, stored, display, maxLength, desc);
  }
  return ClampEditNumber(dialog, controlId, allowNonDigits, stored, display, desc);
}

int FilterEditItemText(HWND dialog, void*, int controlId, int, int, int, int maxLength) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(controlId));
  if (desc == nullptr || desc->check.kind != kEditCheckText) return 1;
  return CheckEditItemText(dialog, controlId, FALSE, 0, 0, maxLength, desc);
}

int FilterEditItemTextEx(HWND dialog, void*, int controlId, BOOL allowNonDigits, int stored, int display) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(controlId));
  if (desc == nullptr || desc->check.kind != kEditCheckText) return 1;
  return CheckEditItemText(dialog, controlId, allowNonDigits, stored, display, 16, desc);
}

void SetEditRangeText(HWND dialog, void*, int controlId, int spinId, int labelId, int stored, int display) {
  const EditItemDesc* desc = FindEditItem(static_cast<uint32_t>(controlId));
  if (desc == nullptr) return;
  char16_t label[80];
  EditRangeLabel range = BuildEditRangeLabel(desc, stored, display, label, 80);
  SendDlgItemMessageW(dialog, controlId, EM_LIMITTEXT, range.textLimit, 0);
  SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(range.minimum),
                      static_cast<LPARAM>(range.maximum));
  SetDlgItemTextW(dialog, labelId, reinterpret_cast<wchar_t*>(label));
}

int ValidateEditTextByKeyword(const char* keyword, const wchar_t* text, int maxLength) {
  const EditItemRow* row = FindEditItemByKeyword(keyword);
  if (row == nullptr || text == nullptr) return 1;
  size_t length = wcslen(text);
  if (length > kFieldChars) length = kFieldChars;
  std::unique_ptr<EditChar[]> chars(new (std::nothrow) EditChar[length + 1]);
  if (!chars) return 0;
  ToEditChars(text, length, chars.get());
  return EditCharsPassKeywordCheck(row->desc, chars.get(), length, maxLength < 0 ? 0 : static_cast<size_t>(maxLength))
             ? 1
             : 0;
}
