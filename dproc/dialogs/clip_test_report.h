// The text-clipping check's judgement and report lines: which control
// texts do not fit their controls, written to the debugger output when a
// tester asks a sheet or dialog for help with the left Ctrl, Shift and Alt
// keys down and the printer's "ClipTest" value set.
#pragma once

#include <cstddef>
#include <cstdint>

// Kinds of measured texts.
enum ClipKind : int32_t {
  kClipPushButton = 1, kClipStatic = 2, kClipCheckBox = 3, kClipRadio = 4, kClipGroupBox = 5,
  kClipComboItem = 6, kClipListItem = 7,
};
// The pixels a kind's frame, box or arrow takes from the text's room (0 for
// other kinds).
int32_t ClipKindMargin(int32_t kind);

// Report modes (the "ClipTest" value): 2 clipped texts only, short lines;
// 3 every text, long lines; 4 clipped texts only, long lines; any other
// non-zero value every text, short lines.
bool ClipModeClippedOnly(uint32_t mode);
bool ClipModeLongLines(uint32_t mode);

// The width shown of a room: 95 % truncated, but at least 4 pixels less
// than the room.
int32_t ClipShownWidth(int32_t room);

inline constexpr size_t kClipLineUnits = 532;
// Judges one text and writes its report line into `line` (kClipLineUnits
// units).  Returns false when the mode writes no line for it (a text that
// fits in a clipped-only mode).  `name` is the box's name for items of
// combo and list boxes.
bool ClipTestReportLine(int32_t kind, const char16_t* name, int32_t controlWidth, int32_t textWidth,
                        int32_t margin, int32_t addedMargin, const char16_t* text, uint32_t mode, char16_t* line);
// The banner around a run: "********** <title> Start  ****..." or
// "... Finish ...".
void ClipTestBannerLine(const char16_t* title, bool start, char16_t* line, size_t capacity);
// A control's text without its mnemonic marks: "&&" becomes "&", a single
// "&" is dropped.  At most capacity - 1 characters.
void StripMnemonics(const char16_t* text, char16_t* out, size_t capacity);
