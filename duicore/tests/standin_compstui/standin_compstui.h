// A stand-in of the common property-sheet library for the core's tests:
// Wine's own never sends the set-result reason, so a test that needs the
// result path puts this one beside its program.  It calls the driver's
// sheet function as the real library does, shows the pages as a modeless
// property sheet, presses a button of it as scripted and reports what it
// saw.
#pragma once

#include <windows.h>

#include <cstdint>

enum StandinAction : int32_t {
  kStandinPressOk = 1,
  kStandinPressCancel = 2,
  kStandinRefuseFirstPage = 3,   // the library fails to add the first page
};
// With this bit, the stand-in marks the fax settings' timer-send switch in
// the session's working settings before it presses the button.
inline constexpr int32_t kStandinTouchSettings = 0x100;

struct StandinReport {
  int32_t calls;              // CommonPropertySheetUIW calls
  LONG initResult;
  int32_t pagesAdded;
  wchar_t tabTitles[20][64];  // the sheet's tab texts, in order
  int32_t tabCount;
  int32_t sessionMode;        // read from the session at the first page
  uint32_t mayChange;
  uint32_t printerDefaults;
  uint16_t kind;
  WORD headerFlags;
  wchar_t headerTitle[64];
  int32_t setResultCalls;
  LONG setResultAnswer;
  LONG destroyResult;
};

using StandinScriptFn = void(WINAPI*)(int32_t action);
using StandinReportFn = const StandinReport*(WINAPI*)();
