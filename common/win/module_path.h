// Paths of files that lie beside a driver library.
#pragma once

#include <windows.h>

#include <cstddef>

// The module (DLL or program) whose image holds this code.
HMODULE ModuleOfThisCode();
// The drive and directory of `module`'s file followed by `fileName`.  False
// (output empty) when the module path cannot be taken or the result does not
// fit `capacity` characters.
bool SiblingFilePath(HMODULE module, const wchar_t* fileName, wchar_t* out, size_t capacity);
