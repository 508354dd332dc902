// The Font Setting dialog's substitution table between the rows it shows
// (TrueType faces with the device font chosen for each) and the settings'
// table: which device font a stored entry gives a face, and the table
// written back from the rows.  Names are ANSI texts of the system code page.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/doc_fields.h"
#include "dproc/model/default_settings.h"

// The device font list the dialog offers: the first 50 of the font library.
inline constexpr size_t kDeviceFontsOffered = 50;

// The device font name the stored table gives `face` (its first entry
// with that face, among the entries the count names, at most the table's
// size), or null.
const char* StoredSubstitute(const DocFields& f, const char* face);

// The device font of that name in `fonts`, or null.
const XLFontEntry* FindDeviceFont(const XLFontEntry* fonts, size_t count, const char* name);

struct FontSubstitutionRow {
  const char* face;    // the TrueType face
  const char* device;  // the device font chosen, or null / "" for none
};
// Rewrites the table from the rows in their order: a row without a device
// font, or with one the device font list lacks, is left out; at most the
// table's 27 entries are written.  Returns the number written.
uint16_t RebuildFontSubstitution(const FontSubstitutionRow* rows, size_t count, const XLFontEntry* fonts,
                                 size_t fontCount, DocFields& f);
