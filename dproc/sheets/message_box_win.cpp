#include "dproc/sheets/message_box.h"

#include <memory>
#include <new>

#include "dproc/model/message_text.h"
#include "common/text/page_ranges.h"
#include "common/text/safe_format.h"
#include "common/win/ui_services.h"

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

struct Work {
  char16_t title[kMessageRowUnits];
  char16_t format[2 * kMessageRowUnits];
  char16_t extra[kMessageRowUnits];
  // Room for the texts that the arguments add; a longer message is cut.
  char16_t text[4 * kMessageRowUnits];
};

void Append(char16_t* text, size_t capacity, const char16_t* tail) {
  size_t n = 0;
  while (text[n] != u'\0') ++n;
  for (; *tail != u'\0' && n + 1 < capacity; ++tail) text[n++] = *tail;
  text[n] = u'\0';
}

int Show(HWND owner, int titleRow, int textRow, int extraRow, UINT style, const SafeFormatArg (&args)[2]) {
  std::unique_ptr<Work> work(new (std::nothrow) Work{});
  if (!work) return IDCANCEL;
  LoadMessageText(static_cast<uint32_t>(titleRow), work->title, kMessageRowUnits);
  LoadMessageText(static_cast<uint32_t>(textRow), work->format, kMessageRowUnits);
  if (extraRow > 0) {
    LoadMessageText(static_cast<uint32_t>(extraRow), work->extra, kMessageRowUnits);
    Append(work->format, sizeof work->format / sizeof work->format[0], work->extra);
  }
  SafeFormat(work->format, args, 2, work->text, sizeof work->text / sizeof work->text[0]);
  return CurrentUiServices().messageBox(owner, reinterpret_cast<const wchar_t*>(work->text),
                                        reinterpret_cast<const wchar_t*>(work->title), style);
}

// The text at a character offset of the message table, within its row.
void TextAtOffset(uint32_t offset, char16_t* out) {
  LoadMessageText(offset / kMessageRowUnits, out, kMessageRowUnits);
  uint32_t skip = offset % kMessageRowUnits;
  size_t n = 0;
  while (n < skip && out[n] != u'\0') ++n;
  if (n < skip) {
    out[0] = u'\0';
    return;
  }
  size_t i = 0;
  for (; out[skip + i] != u'\0'; ++i) out[i] = out[skip + i];
  out[i] = u'\0';
}

}  // namespace

int ShowMessageBox(HWND owner, int titleRow, int textRow, int extraRow, UINT style, int first, int second) {
  const SafeFormatArg args[2] = {SafeFormatArg::Number(first), SafeFormatArg::Number(second)};
  return Show(owner, titleRow, textRow, extraRow, style, args);
}

int ShowMessageBoxStr(HWND owner, int titleRow, int textRow, int extraRow, UINT style, const wchar_t* first,
                      const wchar_t* second) {
  const SafeFormatArg args[2] = {SafeFormatArg::Text(reinterpret_cast<const char16_t*>(first)),
                                 SafeFormatArg::Text(reinterpret_cast<const char16_t*>(second))};
  return Show(owner, titleRow, textRow, extraRow, style, args);
}

int ShowResMessage(HWND owner, uint32_t titleOffset, uint32_t textOffset, int) {
  char16_t title[kMessageRowUnits], text[kMessageRowUnits];
  TextAtOffset(titleOffset, title);
  TextAtOffset(textOffset, text);
  if (title[0] == u'\0' || text[0] == u'\0') return 0;
  CurrentUiServices().messageBox(owner, reinterpret_cast<const wchar_t*>(text),
                                 reinterpret_cast<const wchar_t*>(title), MB_ICONEXCLAMATION);
  return 1;
}

bool ShowPageRangeMessage(HWND owner, int status, const char16_t* overlap, int tooManyRow) {
  if (status == kRangeOverlap) {
    ShowMessageBoxStr(owner, 1, 230, 0, MB_ICONEXCLAMATION, reinterpret_cast<const wchar_t*>(overlap), nullptr);
  } else if (status == kRangeTooHigh) {
    ShowMessageBox(owner, 1, 231, 0, MB_ICONEXCLAMATION, 0, 0);
  } else if (status >= kRangeZero && status <= kRangeExtraDash) {
    ShowMessageBox(owner, 1, 232, 0, MB_ICONEXCLAMATION, 0, 0);
  } else if (status == kRangeTooMany) {
    ShowMessageBox(owner, 1, tooManyRow, 0, MB_ICONEXCLAMATION, 0, 0);
  } else {
    return false;
  }
  return true;
}
