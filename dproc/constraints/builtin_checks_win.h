// The constraints built into the pass rather than written in the rule
// file: layouts that need the spooler's metafile processing, staple and
// punch positions that depend on the feed direction, the device setting
// "EMFSpool" against authentication, and fixed stop-icon reasons.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dproc/constraints/constraint_pass_win.h"

// A setting the pass changes besides the rules' forced values.
struct ChangeRecord {
  uint32_t controlId;  // 0 ends a list
  void* field;
  uint32_t storageKind;
  int32_t value;
  int32_t row;
};

// 1 when a refusal line was added (warn set) for a layout the spooler
// cannot make; marks the options such layouts need as refused.
int CheckSpoolDependentLayouts(const ConstraintPassEnv& env, uint32_t controlId, char16_t* text, size_t capacity,
                               bool warn);
// 1 when the staple or punch position of the changed list is refused for
// the feed direction (a line added).
int CheckFinishingByFeed(const ConstraintPassEnv& env, uint32_t controlId, char16_t* text, size_t capacity);
// Staple, punch and spooling changes that a change of `controlId` brings;
// 1 when the user must be asked (lines added to `text`).
int CollectFinishingChanges(const ConstraintPassEnv& env, uint32_t controlId, std::vector<ChangeRecord>* changes,
                            char16_t* text, size_t capacity, bool* changed);
// Writes the changes of the staple and punch lists and of the check boxes
// 2266 and 1159, and shows them in their controls.  1 when a list's change
// was handled.
int ApplyChangeList(HWND dialog, const std::vector<ChangeRecord>& changes);
// Turns per-page settings off while the device spools metafiles.
void CheckPerPageSwitch(const ConstraintPassEnv& env);
// The fixed reasons of one stop icon: the "ToolChipStr" entries, in order,
// and whether the head line comes first (head may be null).  Returns how
// many.
inline constexpr int kFixedReasonMax = 6;
int FixedStopReasons(const ConstraintPassEnv& env, uint32_t controlId, uint32_t (&entries)[kFixedReasonMax],
                     bool* head);
// Sets the fixed reasons of the stop icons the dialog has.
int SetFixedStopReasons(const ConstraintPassEnv& env);
