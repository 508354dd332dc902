// The colour-setting command table of a PDEV: rows named after colour
// modes, each with a list of pairs that name, for a row of the PJL start
// commands, the entry to expand.  Read from the description's section
// "ColorSettingCommand"; both lists end with an all-zero row.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

struct ColorCommandPair {
  char key[32];    // a row of the start commands
  char value[32];  // the entry of that row to expand
};
static_assert(sizeof(ColorCommandPair) == 64);

struct ColorSettingCommand {
  char name[32];            // the colour mode
  ColorCommandPair* pairs;  // null when the row's pairs could not be had
};
static_assert(sizeof(ColorSettingCommand) == (sizeof(void*) == 8 ? 40 : 36));

// Builds the table, or null when the section is missing or the table
// cannot be allocated.  Counts and positions come from the file and are
// checked against it; an entry that cannot be read is left out.
ColorSettingCommand* Rdc_BuildColorSettingCommand(QxdContext* description);
void Rdc_FreeColorSettingCommand(ColorSettingCommand* table);
// The row of a colour mode (exact name), or null.
const ColorSettingCommand* Rdc_FindColorSetting(const ColorSettingCommand* table, const char* name);
