// The font library side of the default document settings.
#pragma once

#include <windows.h>

#include <vector>

#include "dproc/model/default_settings.h"

// Loads the font library at `path`, and when its four list functions exist
// and its list can be built, reads the resident fonts with their names in
// the system code page.  False (list empty) otherwise.
bool ReadXLFontList(const wchar_t* path, std::vector<XLFontEntry>* out);

// Completes `record` with the font library named `fontLibrary` from the
// directory of `ownModule` (no font library without a name).
void LoadDefaultSettingsWithFonts(HMODULE ownModule, QxdContext* ctx, const ModelInfo* model,
                                  const char* localePaper, const wchar_t* fontLibrary, DocDMode* record);
