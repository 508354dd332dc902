// What the user interface core binds of the procedure library VELDRANA for
// its property sheets: the sheet procedures (dialog procedures, bound by
// name on every message of their page) and the display-text lookup that
// gives the pages their titles.
#pragma once

#include <windows.h>

// Copies the display text of (section, key) from the printer description
// beside `module` into `text`, at most `capacity` units with the NUL;
// returns non-zero when the text was found.
using SetDispStringSingleFn = int(WINAPI*)(HMODULE module, const char* section, const char* key, wchar_t* text,
                                           UINT capacity);
inline constexpr char kSetDispStringSingle[] = "SetDispStringSingle";
