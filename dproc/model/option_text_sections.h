// The option-text sections of the main description file: which section
// gives the display texts of which option table, in loading order.  Most
// fill a table of the feature table, four fill lists of the model, and three
// rebuild their table to hold only the options the model lists.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"

enum class OptionTextUse : uint8_t {
  kTexts,     // fills the texts of the rows it names
  kFiltered,  // keeps only the rows it names, in its order, with their texts
};
// Sections read only for some models.
enum class OptionTextWhen : uint8_t {
  kAlways,
  kCopyProtectType3,     // the model's copy-protect dialog is of type 3
  kNotCopyProtectType3,
};

struct OptionTextSection {
  const char* section;
  // The tables it fills, by name: a table of the library (FindOptionTable),
  // "<name>/PJL" the variant of a cover table for a device that prints the
  // covers, "model:<section>" the model's list of that section.  Empty:
  // none.  A table the library does not have yet is passed over.
  const char* tables[2];
  OptionTextUse use;
  OptionTextWhen when;
};

// The catalogue in loading order.
size_t OptionTextSectionCount();
const OptionTextSection& OptionTextSectionAt(size_t i);

struct OptionTextTarget {
  OptionHead* table;  // null: the library or the model has no such table
  uint32_t rowSize;
};
// The tables a section fills for a model (null for none); returns how many
// exist.
int ResolveOptionTextTargets(const OptionTextSection& s, ModelInfo* model, OptionTextTarget out[2]);

// Fills the option tables of the feature table and the model's lists from
// their option-text sections, in loading order; the tables that a section
// rebuilds start again from all their built-in options.
void LoadOptionTextSections(QxdContext* ctx, ModelInfo* model);
// Puts the built-in rows of the rebuilt tables back (before a second
// reading of the description).
void RestoreFilteredOptionTables();
