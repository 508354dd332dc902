// Opening description files from disk (Windows file interface).
#pragma once

#include <windows.h>

#include "common/qxd/qxd_reader.h"

// Opens a description file and reads it whole into memory.  `wide` 1: `path`
// is a UTF-16 path; 0: an 8-bit path in the system code page.  Null when the
// context cannot be allocated, the path is longer than 260 characters, or
// the file cannot be opened.  When the image cannot be held in memory the
// context reads from the open file at each call instead.
QxdContext* QxdOpen(const void* path, int wide);
// Opens the description file `fileName` that lies in the directory of
// `module`'s file (the driver's files are installed side by side).  Null when
// the path cannot be made or the file cannot be opened.
QxdContext* QxdOpenBeside(HMODULE module, const wchar_t* fileName);
