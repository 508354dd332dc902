// Finding and reading the constraint file beside a library.
#pragma once

#include <windows.h>

#include "common/qxd/constraint_file.h"

inline constexpr wchar_t kConstraintFileName[] = L"VELDRANK.QXD";

// The path of VELDRANK.QXD in the directory of `module`.  False when the
// module's path cannot be had or the result does not fit MAX_PATH.
bool ConstraintFilePath(HMODULE module, wchar_t* out, size_t capacity);
// Reads the file at `path` (a missing file leaves no rules).
ConstraintLoad LoadConstraintFileAt(const wchar_t* path, ConstraintSet* out);
// Reads VELDRANK.QXD beside `module`.
ConstraintLoad LoadConstraintFile(HMODULE module, ConstraintSet* out);
// The version text of the file, converted from the ANSI code page: "5"
// unless the header carries the version marker.
void ConstraintVersionText(const ConstraintFileHeader& header, wchar_t out[kConstraintVersionUnits]);
