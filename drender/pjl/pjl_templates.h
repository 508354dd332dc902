// The PJL command templates of a model: the three template sections of the
// command file VELDRANP.QXD ("BeginPage", "PJL_StartCommand",
// "PJL_EndCommand") as tables of rows, each row a list of named template
// texts, and the key selection of the section "PJL_Encryption".
//
// The file's layout is in common/qxd/command_file.h; sections are found
// with the description reader's QxdFindShortSection.  Counts and offsets
// come from the file and are checked against it.
#pragma once

#include <cstdint>

#include "common/qxd/command_file.h"
#include "common/qxd/qxd_reader.h"

inline constexpr uint32_t kPjlTextSize = 512;

struct CommandTemplateEntry {
  char name[32];
  char text[kPjlTextSize];
};

struct CommandTemplateRow {
  char name[32];
  CommandTemplateEntry* entries;  // ends at an entry with an empty name; null for none
};

// Rows in file order, ended by a row with an empty name.
struct CommandTemplateList {
  CommandTemplateRow* rows;
};

struct PjlTemplateSet {
  CommandTemplateList* beginPage;
  CommandTemplateList* startCommands;
  CommandTemplateList* endCommands;
};

// Builds the table of one template section; null when the section is
// missing or unreadable or memory is short.
CommandTemplateList* Pjl_LoadTemplateSection(QxdContext* file, const char* name);
void Pjl_FreeTemplateList(CommandTemplateList* list);
// All three sections, then the key selection of "PJL_Encryption".
void Pjl_LoadTemplateSet(QxdContext* file, PjlTemplateSet* set);
void Pjl_FreeTemplateSet(PjlTemplateSet* set);

// Index of the entry named exactly `name`, or of the terminating empty
// entry (whose text is empty) when there is none.
uint32_t Pjl_FindEntry(const CommandTemplateEntry* entries, const char* name);
// The text of entry `name` of `row`: "" when the row has no such entry.
const char* Pjl_EntryText(const CommandTemplateRow* row, const char* name);
// The row named exactly `name`, or null.
const CommandTemplateRow* Pjl_FindRow(const CommandTemplateList* list, const char* name);

// The PJL key id (initially 1) and model id (initially 0), process-wide,
// set from "PJL_Encryption" ("EncKeyID", "ModelID") each time a command
// file with that section is read.
void Pjl_ReadEncryptionSection(QxdContext* file);
uint32_t Pjl_KeyId();
uint32_t Pjl_ModelId();
void Pjl_ResetKeySelection();
