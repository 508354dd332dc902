#include "dproc/model/disp_strings.h"

#include <cstdlib>
#include <cstring>

#include "common/qxd/model_list_reader.h"

namespace {

// Walks a texts section as a chain: the section header's first entry, then
// each entry's fourth word, for the count of the list header.  `visit`
// returns false to stop.
template <typename Visit>
bool WalkChain(QxdContext* ctx, const char* section, Visit visit) {
  QxdChainWalk walk;
  if (!QxdBeginChain(ctx, section, &walk)) return false;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    if (!visit(entry)) break;
  }
  return true;
}

// A key longer than the area it is read into never matches a record.
bool ReadKey(QxdContext* ctx, const QxdEntry& entry, char* key, size_t capacity) {
  char work[kQxdTextWork + 1];
  if (!QxdReadString(ctx, entry.keyOffset, work, sizeof work)) return false;
  if (std::strlen(work) >= capacity) return false;
  std::memcpy(key, work, std::strlen(work) + 1);
  return true;
}

// An option row's text field: after the head, 32 units in the rows of 240
// and 288 bytes, 48 in the others; rows shorter than 144 bytes have none.
uint32_t TextUnits(uint32_t rowSize) {
  if (rowSize < 144) return 0;
  return (rowSize == 240 || rowSize == 288) ? 32 : 48;
}

char16_t* RowText(OptionHead* row) {
  return reinterpret_cast<char16_t*>(reinterpret_cast<uint8_t*>(row) + sizeof(OptionHead));
}

OptionHead* RowAt(OptionHead* table, uint32_t rowSize, uint32_t i) {
  return reinterpret_cast<OptionHead*>(reinterpret_cast<uint8_t*>(table) + static_cast<size_t>(rowSize) * i);
}

DispStringItem g_common[] = {
    {{1130}, {}, "ViewPrinter"},     {{1130}, {}, "ViewPaper"},   {{1130}, {}, "ViewCover"},
    {{1130}, {}, "ViewOverlay"},     {{1130}, {}, "ViewWatermark"}, {{1130}, {}, "ViewQuality"},
    {{1201}, {}, "PrinterInfoBT"},   {{1131}, {}, "EasySet"},     {{-1}, {}, "EasySetDefaults"},
    {{-1}, {}, "EasySetUntitled"},   {{1133}, {}, "SaveEasySet"}, {{1134}, {}, "EditEasySet"},
    {{1}, {}, "OK"},                 {{2}, {}, "Cancel"},         {{1032}, {}, "Default"},
    {{9}, {}, "Help"},               {{0}, {}, ""},
};

const char* const kMessageSections[kMessageTableCount] = {"MessageStr",  "ChgMessageStr", "CstMessageStr",
                                                          "ToolChipStr", "ViewTipsStr",   "HintStr"};

}  // namespace

DispStringItem* CommonItemTable() { return g_common; }

int LoadOptionTexts(QxdContext* ctx, const char* section, OptionHead* table, uint32_t rowSize) {
  if (table == nullptr || rowSize < sizeof(OptionHead)) return 0;
  const uint32_t units = TextUnits(rowSize);
  return WalkChain(ctx, section, [&](const QxdEntry& entry) {
           char key[128];
           if (units == 0 || !ReadKey(ctx, entry, key, sizeof key)) return true;
           for (uint32_t i = 0;; ++i) {
             OptionHead* row = RowAt(table, rowSize, i);
             if (row->keyword[0] == '\0') break;
             if (!QxdFieldEquals(row->keyword, sizeof row->keyword, key)) continue;
             char16_t text[48];
             if (QxdReadWideString(ctx, entry.textOffset, text, units)) {
               std::memcpy(RowText(row), text, units * sizeof(char16_t));
             }
             break;
           }
           return true;
         })
             ? 1
             : 0;
}

int LoadFilteredOptionList(QxdContext* ctx, const char* section, OptionHead* table, uint32_t rowSize) {
  if (table == nullptr || rowSize < sizeof(OptionHead)) return 0;
  ListSection s;
  if (!OpenListSection(ctx, section, &s)) return 0;
  uint32_t n = 0;
  while (RowAt(table, rowSize, n)->keyword[0] != '\0') ++n;
  const uint32_t m = s.list.count < n ? s.list.count : n;
  uint8_t* work = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(m) + 1, rowSize));
  if (work == nullptr) return 1;
  const uint32_t units = TextUnits(rowSize);
  uint32_t kept = 0;
  for (uint32_t i = 0; i < m; ++i) {
    QxdEntry entry;
    if (!ReadListRecord(ctx, s, i, &entry, sizeof entry)) continue;
    char key[128];
    if (!ReadKey(ctx, entry, key, sizeof key)) continue;
    for (uint32_t r = 0; r < n; ++r) {
      OptionHead* row = RowAt(table, rowSize, r);
      if (!QxdFieldEquals(row->keyword, sizeof row->keyword, key)) continue;
      char16_t text[48];
      if (units != 0 && QxdReadWideString(ctx, entry.textOffset, text, units)) {
        std::memcpy(RowText(row), text, units * sizeof(char16_t));
      }
      std::memcpy(work + static_cast<size_t>(rowSize) * kept++, row, rowSize);
      break;
    }
  }
  // The end row keeps its size field so the table can still be stepped through.
  reinterpret_cast<OptionHead*>(work + static_cast<size_t>(rowSize) * kept)->size = rowSize;
  std::memset(table, 0, static_cast<size_t>(rowSize) * (m + 1));
  std::memcpy(table, work, static_cast<size_t>(rowSize) * (m + 1));
  std::free(work);
  return 1;
}

const char* MessageTableSection(MessageTable table) {
  return table < kMessageTableCount ? kMessageSections[table] : "";
}

int LoadIndexedTextTable(QxdContext* ctx, const char* section, char16_t* table, uint32_t slotUnits) {
  if (table == nullptr || slotUnits == 0) return 0;
  return WalkChain(ctx, section, [&](const QxdEntry& entry) {
           char key[32];
           if (!ReadKey(ctx, entry, key, sizeof key)) return true;
           const int32_t n = QxdFirstNumber(key);
           if (n < 0 || static_cast<uint32_t>(n) >= kMessageSlots) return true;  // no such slot
           char16_t* slot = table + static_cast<size_t>(n) * slotUnits;
           QxdReadWideString(ctx, entry.textOffset, slot, slotUnits);
           return true;
         })
             ? 1
             : 0;
}

bool AllocMessageTables(MessageTables* out) {
  std::memset(out, 0, sizeof *out);
  for (char16_t*& t : out->tables) {
    t = static_cast<char16_t*>(std::calloc(static_cast<size_t>(kMessageSlots) * kMessageUnits, sizeof(char16_t)));
    if (t == nullptr) {
      FreeMessageTables(out);
      return false;
    }
  }
  return true;
}

void FreeMessageTables(MessageTables* tables) {
  if (tables == nullptr) return;
  for (char16_t*& t : tables->tables) {
    std::free(t);
    t = nullptr;
  }
}

void LoadMessageTables(QxdContext* ctx, MessageTables* tables) {
  for (uint32_t i = 0; i < kMessageTableCount; ++i) {
    LoadIndexedTextTable(ctx, kMessageSections[i], tables->tables[i], kMessageUnits);
  }
}

const char16_t* MessageText(const MessageTables& tables, MessageTable table, uint32_t n) {
  if (table >= kMessageTableCount || n >= kMessageSlots || tables.tables[table] == nullptr) return nullptr;
  return tables.tables[table] + static_cast<size_t>(n) * kMessageUnits;
}

int FindDisplayText(QxdContext* ctx, const char* section, const char* key, char16_t* dst, size_t capacity) {
  int found = 0;
  WalkChain(ctx, section, [&](const QxdEntry& entry) {
    char entryKey[128];
    if (!ReadKey(ctx, entry, entryKey, sizeof entryKey) || !QxdNameEquals(entryKey, key)) return true;
    found = 1;
    if (dst != nullptr && capacity != 0) QxdReadWideString(ctx, entry.textOffset, dst, capacity);
    return false;
  });
  return found;
}

void LoadDisplayTextSections(QxdContext* ctx, const DispTableBinding* bindings, size_t count) {
  for (size_t i = 0; i < count; ++i) LoadDispStringTable(ctx, bindings[i].section, bindings[i].table);
  for (size_t i = 0; i < count; ++i) {
    if (QxdNameEquals(bindings[i].section, "Dlg_SetNupStyle")) {
      LoadDispStringTable(ctx, "Property_2", bindings[i].table);
    }
  }
}
