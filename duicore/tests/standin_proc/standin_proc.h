// What the stand-in settings library of the core's tests saw: the tests read
// it through the export StandInCalls.
#pragma once

#include <windows.h>

struct StandInCallLog {
  LONG resetDoc;
  LONG resetDev;
  LONG merge;
  LONG normalize;
  LONG capabilities;
  LONG easySetPreset;
  // The last merge: the input's declared size and fields, and whether the
  // input lay inside the caller's own memory (it must be the core's copy).
  WORD mergeInputSize;
  DWORD mergeInputFields;
  const void* mergeInput;
  // The handle field of the last record the library was handed.
  void* lastHandle;
  // Printer initialisation: the default watermarks and the key material.
  LONG defaultWatermarks;
  LONG aesKeyInfo;
  wchar_t lastWatermarkPrinter[64];
};

using StandInCallsFn = StandInCallLog*(WINAPI*)();

// Stand-in answers: the default paper and copies of a reset, and a private
// capability code that reports the record's orientation field.
inline constexpr short kStandInDefaultPaper = DMPAPER_A4;
inline constexpr WORD kStandInOrientationQuery = 0x7F01;
inline constexpr WORD kStandInPaperSizeQuery = 0x7F02;
