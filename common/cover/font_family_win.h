// Finding a TrueType face by its exact name, for the text the driver draws
// itself (the watermark of a job, the cover page).
#pragma once

#include <windows.h>

// Enumerates `face` on `dc`: the first TrueType font of exactly that name
// whose italic flag equals `italic`, else (second pass) any of that name.
// The result asks for `italic`, with width and weight 0.  False when the
// face has no TrueType font.
bool FindFontFamilyLogFont(HDC dc, const wchar_t* face, bool italic, LOGFONTW* out);
