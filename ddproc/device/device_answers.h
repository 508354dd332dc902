// Writing a device query's answers into the caller's entries, shared by the
// device-communication library and the USB status queries.
#pragma once

#include <cstddef>

#include "common/contracts/ddproc_functions.h"

// The six media keywords of a tray the device says nothing about, in answer
// order.
extern const char* const kTrayUnknownKeywords[kTrayAnswerCount];

// At most 31 characters of `text` and a NUL, the rest of the field zero.
void PutAnswerKeyword(char (&field)[32], const char* text);
// Clears everything after the tray keyword and sets the six unknown
// keywords; status 0.
void ResetTrayEntry(TrayStatusEntry* entry);
// The entry's keyword as a terminated text.
void EntryKeyword(const char (&field)[32], char (&out)[33]);
