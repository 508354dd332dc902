#include "dproc/constraints/constraint_messages.h"

namespace {

const MessageTables* g_tables = nullptr;

}  // namespace

void SetConstraintMessageTables(const MessageTables* tables) { g_tables = tables; }

const char16_t* ConstraintText(MessageTable table, uint32_t entry) {
  const char16_t* text = g_tables != nullptr ? MessageText(*g_tables, table, entry) : nullptr;
  return text != nullptr ? text : u"";
}
