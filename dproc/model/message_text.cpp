#include "dproc/model/message_text.h"

#include "dproc/model/disp_strings.h"
#include "common/text/safe_format.h"

namespace {
MessageRowFn g_source = nullptr;
const MessageTables* g_tables = nullptr;

const char16_t* GeneralRow(uint32_t row) {
  return g_tables != nullptr ? MessageText(*g_tables, kMessageStr, row) : nullptr;
}
}  // namespace

void UseGeneralMessageTable(const MessageTables* tables) {
  g_tables = tables;
  SetMessageRowSource(tables != nullptr ? GeneralRow : nullptr);
}

void SetMessageRowSource(MessageRowFn source) { g_source = source; }

const char16_t* MessageRow(uint32_t row) { return g_source != nullptr ? g_source(row) : nullptr; }

void LoadMessageText(uint32_t row, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  for (size_t i = 0; i < capacity; ++i) out[i] = u'\0';
  const char16_t* text = MessageRow(row);
  if (text == nullptr) return;
  size_t limit = capacity - 1 < kMessageRowUnits - 1 ? capacity - 1 : kMessageRowUnits - 1;
  for (size_t i = 0; i < limit && text[i] != u'\0'; ++i) out[i] = text[i];
  ExpandMessageLineBreaks(out);
}
