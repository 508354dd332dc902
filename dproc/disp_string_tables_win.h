// Start-up reading of the main description file VELDRANH.QXD.
#pragma once

#include <windows.h>

// Reads VELDRANH.QXD beside `own` into the library's process-wide tables;
// a file that does not open leaves every table with its built-in content.
void LoadDispStringTables(HMODULE own);
// The same from a given file.
void LoadDispStringTablesFrom(const wchar_t* path);
