// Reading the template sections of the command file.
#include "drender/pjl/pjl_templates.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

uint32_t g_keyId = 1;
uint32_t g_modelId = 0;

void CopyName(char (&to)[32], const char* field) {
  std::memset(to, 0, sizeof to);
  std::memcpy(to, field, strnlen(field, 31));
}

// The entries of one row; a row whose entries cannot be had keeps none.
CommandTemplateEntry* LoadEntries(QxdContext* file, const QxdCommandRowHeader& row) {
  // Each entry needs its 44-byte header inside the file.
  if (row.entryCount == 0 || !QxdArrayFits(file, 0, row.entryCount, sizeof(QxdCommandEntryHeader))) return nullptr;
  auto* entries = static_cast<CommandTemplateEntry*>(std::calloc(row.entryCount + 1u, sizeof(CommandTemplateEntry)));
  if (entries == nullptr) return nullptr;
  uint32_t at = row.firstEntry;
  for (uint32_t i = 0; i < row.entryCount; ++i) {
    QxdCommandEntryHeader header;
    if (!QxdReadFully(file, &header, sizeof header, at)) break;
    CopyName(entries[i].name, header.name);
    // The stored length counts the terminator; 0 gives an empty text.
    uint32_t length = header.textLength == 0 ? 0 : header.textLength - 1;
    if (length > kCommandTextMax) length = kCommandTextMax;
    if (length > 0) {
      uint32_t got = QxdReadAt(file, entries[i].text, length, header.textOffset);
      if (got == kQxdReadError) got = 0;
      entries[i].text[got] = '\0';
    }
    if (entries[i].name[0] == '\0') break;  // an unnamed entry would end the row early anyway
    at = header.nextEntry;
  }
  return entries;
}

}  // namespace

CommandTemplateList* Pjl_LoadTemplateSection(QxdContext* file, const char* name) {
  const uint32_t section = QxdFindShortSection(file, name);
  uint32_t head[2];  // row count, offset of the row offsets
  if (section == 0 || !QxdReadFully(file, head, sizeof head, section + kQxdShortCountAt)) return nullptr;
  uint32_t count = head[0] > kCommandMaxRows ? kCommandMaxRows : head[0];
  if (!QxdArrayFits(file, head[1], count, 4)) return nullptr;
  auto* list = static_cast<CommandTemplateList*>(std::calloc(1, sizeof(CommandTemplateList)));
  auto* rows = static_cast<CommandTemplateRow*>(std::calloc(count + 1u, sizeof(CommandTemplateRow)));
  if (list == nullptr || rows == nullptr) {
    std::free(list);
    std::free(rows);
    return nullptr;
  }
  list->rows = rows;
  uint32_t filled = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t rowAt = 0;
    QxdCommandRowHeader header;
    if (!QxdReadDword(file, head[1] + 4 * i, &rowAt) || !QxdReadFully(file, &header, sizeof header, rowAt)) continue;
    if (header.name[0] == '\0') continue;  // would end the table
    CopyName(rows[filled].name, header.name);
    rows[filled].entries = LoadEntries(file, header);
    ++filled;
  }
  return list;
}

void Pjl_FreeTemplateList(CommandTemplateList* list) {
  if (list == nullptr) return;
  for (CommandTemplateRow* row = list->rows; row != nullptr && row->name[0] != '\0'; ++row) std::free(row->entries);
  std::free(list->rows);
  std::free(list);
}

void Pjl_LoadTemplateSet(QxdContext* file, PjlTemplateSet* set) {
  set->beginPage = Pjl_LoadTemplateSection(file, "BeginPage");
  set->startCommands = Pjl_LoadTemplateSection(file, "PJL_StartCommand");
  set->endCommands = Pjl_LoadTemplateSection(file, "PJL_EndCommand");
  Pjl_ReadEncryptionSection(file);
}

void Pjl_FreeTemplateSet(PjlTemplateSet* set) {
  if (set == nullptr) return;
  Pjl_FreeTemplateList(set->beginPage);
  Pjl_FreeTemplateList(set->startCommands);
  Pjl_FreeTemplateList(set->endCommands);
  *set = PjlTemplateSet{};
}

uint32_t Pjl_FindEntry(const CommandTemplateEntry* entries, const char* name) {
  uint32_t i = 0;
  if (entries == nullptr || name == nullptr) return 0;
  for (; entries[i].name[0] != '\0'; ++i) {
    if (std::strncmp(entries[i].name, name, sizeof entries[i].name) == 0) return i;
  }
  return i;
}

const char* Pjl_EntryText(const CommandTemplateRow* row, const char* name) {
  if (row == nullptr || row->entries == nullptr) return "";
  return row->entries[Pjl_FindEntry(row->entries, name)].text;
}

const CommandTemplateRow* Pjl_FindRow(const CommandTemplateList* list, const char* name) {
  if (list == nullptr || list->rows == nullptr) return nullptr;
  for (const CommandTemplateRow* row = list->rows; row->name[0] != '\0'; ++row) {
    if (std::strncmp(row->name, name, sizeof row->name) == 0) return row;
  }
  return nullptr;
}

void Pjl_ReadEncryptionSection(QxdContext* file) {
  const uint32_t section = QxdFindShortSection(file, "PJL_Encryption");
  uint32_t head[2];
  if (section == 0 || !QxdReadFully(file, head, sizeof head, section + kQxdShortCountAt)) return;
  if (!QxdArrayFits(file, head[1], head[0], kQxdPairSize)) return;
  for (uint32_t i = 0; i < head[0]; ++i) {
    char pair[kQxdPairSize + 1] = {};
    if (!QxdReadFully(file, pair, kQxdPairSize, head[1] + i * kQxdPairSize)) return;
    char value[kQxdPairField + 1] = {};
    std::memcpy(value, pair + kQxdPairField, kQxdPairField);
    // Names must be equal and not empty.
    if (pair[0] == '\0') continue;
    if (QxdFieldEquals(pair, kQxdPairField, "EncKeyID")) g_keyId = static_cast<uint32_t>(QxdAtoi(value));
    if (QxdFieldEquals(pair, kQxdPairField, "ModelID")) g_modelId = static_cast<uint32_t>(QxdAtoi(value));
  }
}

uint32_t Pjl_KeyId() { return g_keyId; }
uint32_t Pjl_ModelId() { return g_modelId; }
void Pjl_ResetKeySelection() {
  g_keyId = 1;
  g_modelId = 0;
}
