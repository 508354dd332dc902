#include "dproc/dialogs/clip_test_report.h"

#include <initializer_list>

#include "common/text/safe_format.h"

int32_t ClipKindMargin(int32_t kind) {
  switch (kind) {
    case kClipPushButton: return 10;
    case kClipCheckBox:
    case kClipRadio:
    case kClipGroupBox: return 18;
    case kClipComboItem:
    case kClipListItem: return 23;
    default: return 0;
  }
}

bool ClipModeClippedOnly(uint32_t mode) { return mode == 2 || mode == 4; }
bool ClipModeLongLines(uint32_t mode) { return mode == 3 || mode == 4; }

int32_t ClipShownWidth(int32_t room) {
  int32_t shown = static_cast<int32_t>(static_cast<int64_t>(room) * 95 / 100);
  if (room - shown < 4) shown = room - 4;
  return shown;
}

bool ClipTestReportLine(int32_t kind, const char16_t* name, int32_t controlWidth, int32_t textWidth,
                        int32_t margin, int32_t addedMargin, const char16_t* text, uint32_t mode, char16_t* line) {
  const int32_t room = controlWidth - margin - addedMargin;
  const int32_t shown = ClipShownWidth(room);
  const bool clipped = shown < textWidth;
  line[0] = 0;
  if (ClipModeClippedOnly(mode) && !clipped) return false;
  const char16_t* status = clipped ? u"Check!!" : u"Ok     ";
  const bool item = kind == kClipComboItem || kind == kClipListItem;
  const char16_t* format;
  if (ClipModeLongLines(mode)) {
    format = item ? u"%s   %s -- \"%s\"        #[DisplayWidth: %d, CharWidth: %d, Ctrl: %d, Mrgn: %d, MrgnAdd: %d]#\n"
                  : u"%s \"%s\"        #[DisplayWidth: %d, CharWidth: %d, Ctrl: %d, Mrgn: %d, MrgnAdd: %d]#\n";
  } else {
    format = item ? u"%s   %s -- \"%s\"\n" : u"%s \"%s\"\n";
  }
  SafeFormatArg args[8];
  size_t n = 0;
  args[n++] = SafeFormatArg::Text(status);
  if (item) args[n++] = SafeFormatArg::Text(name != nullptr ? name : u"");
  args[n++] = SafeFormatArg::Text(text != nullptr ? text : u"");
  for (int32_t v : {shown, textWidth, controlWidth, margin, addedMargin}) args[n++] = SafeFormatArg::Number(v);
  SafeFormat(format, args, n, line, kClipLineUnits);
  return true;
}

void ClipTestBannerLine(const char16_t* title, bool start, char16_t* line, size_t capacity) {
  const SafeFormatArg arg = SafeFormatArg::Text(title);
  SafeFormat(start ? u"********** %s Start  ********************\n" : u"********** %s Finish ********************\n",
             &arg, 1, line, capacity);
}

void StripMnemonics(const char16_t* text, char16_t* out, size_t capacity) {
  if (capacity == 0) return;
  size_t at = 0;
  for (const char16_t* p = text; p != nullptr && *p != 0 && at + 1 < capacity; ++p) {
    if (*p == u'&') {
      if (p[1] != u'&') continue;
      ++p;
    }
    out[at++] = *p;
  }
  out[at] = 0;
}
