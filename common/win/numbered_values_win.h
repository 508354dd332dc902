// Stores of fixed-size records kept as numbered values ("Name%d") with an
// optional count value, in a printer's printer data or in a registry key.
//
// Reads take at most a caller's cap of records, each value exactly one
// record long, and stop at the first missing or damaged value: what was read
// before it is the list.  Writes put the records first and the count after
// them, then clear the old values above the new count, so that a write that
// fails part-way leaves a count that matches records of the right size.
#pragma once

#include <windows.h>

#include <cstddef>

struct NumberedValues {
  void* target;  // the printer handle or the HKEY
  // ERROR_SUCCESS, or the spooler's or registry's error.
  DWORD (*get)(void* target, const wchar_t* name, DWORD* type, BYTE* data, DWORD size, DWORD* got);
  DWORD (*set)(void* target, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
  // Clears a value; false when there was nothing left to clear.
  bool (*clear)(void* target, const wchar_t* name);
};

// Printer data of an open printer; a cleared value is left empty (size 0).
NumberedValues PrinterDataValues(HANDLE printer);
// Values of an open key; a cleared value is deleted.
NumberedValues RegistryKeyValues(HKEY key);

// The REG_DWORD count value; false when missing or not 4 bytes long.
bool ReadValueCount(const NumberedValues& values, const wchar_t* countName, DWORD* count);

// Reads the records `format` (one %d, or %02d) numbered from `first` into
// `out` (room for `cap` records of `recordSize` bytes): as many as the count
// value says (no count value: until the first missing one), at most `cap`.
// `*counted` (when given) is set to whether the count value was read.
// Returns the number of records read.
size_t ReadNumberedRecords(const NumberedValues& values, const wchar_t* countName, const wchar_t* format, int first,
                           size_t recordSize, size_t cap, void* out, bool* counted = nullptr);

// Writes `count` records (REG_BINARY) numbered from `first`, then the count
// value when `countName` is given, then clears the values numbered above
// the new count.  False at the first failed write.
bool WriteNumberedRecords(const NumberedValues& values, const wchar_t* countName, const wchar_t* format, int first,
                          size_t recordSize, const void* records, size_t count);
