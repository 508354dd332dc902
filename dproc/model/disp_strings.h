// Display texts and messages.  Every text the sheets and dialogs show comes
// from the main description file: the program holds tables that know, for
// each text, its keyword and the controls that show it, and start-up copies
// the texts out of the file's sections into them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/disp_string_table.h"
#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"


// The items that all sheets share, filled from "Property_0".  Ends with an
// empty record.
DispStringItem* CommonItemTable();


// Fills the texts of an option table whose rows are `rowSize` bytes (rows
// of 240 and 288 bytes hold 32 units, the others 48; rows shorter than 144
// bytes have no text and take none).  0 when the section is absent.
int LoadOptionTexts(QxdContext* ctx, const char* section, OptionHead* table, uint32_t rowSize);
// Rebuilds an option table to hold exactly the options the section lists, in
// the section's order, with their texts.  0 when the section is absent.
int LoadFilteredOptionList(QxdContext* ctx, const char* section, OptionHead* table, uint32_t rowSize);

// The six numbered message tables: 999 slots of 290 UTF-16 units each.
inline constexpr uint32_t kMessageSlots = 999;
inline constexpr uint32_t kMessageUnits = 290;
enum MessageTable : uint32_t {
  kMessageStr, kChgMessageStr, kCstMessageStr, kToolChipStr, kViewTipsStr, kHintStr, kMessageTableCount
};
// The section that fills each table.
const char* MessageTableSection(MessageTable table);
// Fills a numbered table: each entry's text goes to the slot of the first
// number in its key (0 without digits); a number of 999 or more has no slot
// and is ignored.  0 when the section is absent.
int LoadIndexedTextTable(QxdContext* ctx, const char* section, char16_t* table, uint32_t slotUnits);

struct MessageTables {
  char16_t* tables[kMessageTableCount];  // each kMessageSlots * kMessageUnits
};
// Takes the six tables zero-filled; false (nothing held) when memory is short.
bool AllocMessageTables(MessageTables* out);
void FreeMessageTables(MessageTables* tables);
// Fills all six from the description file.
void LoadMessageTables(QxdContext* ctx, MessageTables* tables);
// The text of slot `n` of a table, or null.
const char16_t* MessageText(const MessageTables& tables, MessageTable table, uint32_t n);

// A display-text table and the section that fills it.
struct DispTableBinding {
  const char* section;
  DispStringItem* table;
};
// Fills the tables in the order given.  "Property_2" (the Layout sheet's
// texts) is applied once more to the N-up style dialog's table after
// "Dlg_SetNupStyle", so the sheet's texts win there for keywords both give.
void LoadDisplayTextSections(QxdContext* ctx, const DispTableBinding* bindings, size_t count);

// The display text of `key` in `section` into `dst` (at most `capacity` - 1
// units).  1 when the key was found (the destination unchanged when its
// text is empty), 0 otherwise.
int FindDisplayText(QxdContext* ctx, const char* section, const char* key, char16_t* dst, size_t capacity);
