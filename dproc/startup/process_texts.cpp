#include "dproc/startup/process_texts.h"

#include "dproc/model/message_text.h"

namespace {

MessageTables g_tables = {};

const char16_t* MessageStrRow(uint32_t row) {
  const char16_t* text = MessageText(g_tables, kMessageStr, row);
  return text != nullptr && text[0] != u'\0' ? text : nullptr;
}

}  // namespace

MessageTables& ProcessMessageTables() { return g_tables; }

void AllocProcessMessageTables() {
  if (g_tables.tables[kMessageStr] != nullptr) return;
  if (AllocMessageTables(&g_tables)) SetMessageRowSource(MessageStrRow);
}

void FreeProcessMessageTables() {
  SetMessageRowSource(nullptr);
  FreeMessageTables(&g_tables);
  g_tables = MessageTables{};
}
