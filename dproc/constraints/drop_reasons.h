// The reasons of refused options of drop-down lists: one node per control
// and option value, newest first.  The constraint pass writes them; the
// drop-list reason filter shows them while a list is open.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kDropReasonUnits = 4096;  // lines are appended within this

struct DropReasonNode {
  uint32_t controlId;
  uint32_t optionValue;
  char16_t* text;                          // points at `buffer`
  DropReasonNode* next;
  char16_t buffer[kDropReasonUnits + 1];
};

// The newest node of a control and option value, or null.
DropReasonNode* FindDropReason(uint32_t controlId, uint32_t optionValue);
// Appends a line to the node of the pair, creating it first when there is
// none.  False when a new node cannot be allocated.
bool AppendDropReason(uint32_t controlId, uint32_t optionValue, const char16_t* line);
void FreeDropReasons();
