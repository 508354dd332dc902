// The display-text tables of the sheets, dialogs, tab pages and popups, and
// the sections of the main description file that fill them, in loading
// order.  Each table starts with the record of the dialog itself (its
// caption) and ends with an empty record; a dialog adds the records of its
// controls to its own table here.
#pragma once

#include <cstddef>

#include "common/qxd/model_info.h"
#include "dproc/model/disp_strings.h"

struct DialogTextSection {
  const char* section;
  DispStringItem* tables[2];  // null: no such table (yet); some sections fill two
  bool colorAdjust;           // read only when the model has the colour adjustment dialog
};

// The catalogue in loading order, "Property_0" (the common items) first.
size_t DialogTextSectionCount();
const DialogTextSection& DialogTextSectionAt(size_t i);

// The first table that `section` fills, or null.
DispStringItem* DialogTextTable(const char* section);
// The text of `keyword` in the table of `section`; empty when it has none.
const char16_t* DialogTextOf(const char* section, const char* keyword);

// Fills every table from its section, then takes the texts that are needed
// outside their tables.
void LoadDialogTextSections(QxdContext* ctx, const ModelInfo* model);

// The name of the default Easy Set preset and that of an unsaved setting:
// the common items "EasySetDefaults" and "EasySetUntitled" (at most 31
// characters), "Default" and "Untitled" when the description gives none.
inline constexpr size_t kEasySetNameUnits = 32;
const char16_t* EasySetDefaultsName();
const char16_t* EasySetUntitledName();
