// The program the driver's user interface runs in.  Some hosts set the
// print resolution themselves: in EXCEL.EXE the FAX sheet leaves it alone.
#pragma once

// True when the file name of `path` (the part after the last "\" or "/")
// splits into the name "EXCEL" and the extension ".EXE", letters of any case.
bool IsExcelProgramPath(const char16_t* path);
