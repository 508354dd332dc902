#include "common/qxd/disp_string_table.h"

#include <cstring>

#include "common/qxd/model_list_reader.h"

namespace {

// A key longer than the area it is read into never matches a record.
bool ReadKey(QxdContext* ctx, const QxdEntry& entry, char* key, size_t capacity) {
  char work[kQxdTextWork + 1];
  if (!QxdReadString(ctx, entry.keyOffset, work, sizeof work)) return false;
  if (std::strlen(work) >= capacity) return false;
  std::memcpy(key, work, std::strlen(work) + 1);
  return true;
}

}  // namespace

int LoadDispStringTable(QxdContext* ctx, const char* section, DispStringItem* table) {
  if (table == nullptr) return 0;
  QxdChainWalk walk;
  if (!QxdBeginChain(ctx, section, &walk)) return 0;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[128];
    if (!ReadKey(ctx, entry, key, sizeof key)) continue;
    for (DispStringItem* r = table; r->controlIds[0] != 0 || r->keyword[0] != '\0'; ++r) {
      if (!QxdFieldEquals(r->keyword, sizeof r->keyword, key)) continue;
      char16_t text[48];
      if (QxdReadWideString(ctx, entry.textOffset, text, 48)) std::memcpy(r->text, text, sizeof text);
      break;
    }
  }
  return 1;
}

const char16_t* DispStringText(const DispStringItem* table, const char* key) {
  for (; table != nullptr && (table->controlIds[0] != 0 || table->keyword[0] != '\0'); ++table) {
    if (std::strncmp(table->keyword, key, sizeof table->keyword) == 0) return table->text;
  }
  return u"";
}
