// Facts about the program that loaded the driver, as far as the settings
// depend on them.
#pragma once

#include <cstddef>

// The file name part of a path (after the last '\\', '/' or ':').
const wchar_t* FileNamePart(const wchar_t* path);
// True when the path's file name is the spreadsheet program "EXCEL.EXE",
// compared without regard to case: such a host gets no print-quality and
// y-resolution fields.
bool IsSpreadsheetHost(const wchar_t* path);
// Copies the file name part of `path` into `out` (`units` wide characters
// with the NUL), cut to fit.
void CopyHostFileName(const wchar_t* path, char16_t* out, size_t units);
