#include "dproc/startup/sprinst_messages.h"

#include <cstring>

SprinstMessageRow g_sprinstMessages[kSprinstMessageRows + 1] = {
    {"ERMSG_00", false, {}}, {"ERMSG_01", false, {}}, {"ERMSG_02", false, {}}, {"ERMSG_03", false, {}},
    {"ERMSG_04", false, {}}, {"ERMSG_05", false, {}}, {"ERMSG_06", false, {}}, {"ERMSG_07", false, {}},
    {"ERMSG_08", false, {}}, {"ERMSG_09", false, {}}, {"ERMSG_10", false, {}}, {"ERMSG_11", false, {}},
    {"ERMSG_12", false, {}}, {"ERMSG_13", false, {}}, {"ERMSG_14", false, {}}, {"ERMSG_XX", false, {}},
    {nullptr, false, {}},
};

void LoadSprinstErrorMessages(QxdContext* ctx) {
  QxdChainWalk walk;
  QxdEntry entry;
  if (ctx == nullptr || !QxdBeginChain(ctx, "DDJOV_ErrMsg", &walk)) return;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char name[kQxdTextWork];
    if (!QxdReadString(ctx, entry.keyOffset, name, sizeof name) || std::strlen(name) > 127) continue;
    for (SprinstMessageRow* row = g_sprinstMessages; row->key != nullptr; ++row) {
      if (!QxdNameEquals(name, row->key)) continue;
      if (row->loaded) break;  // a later entry of the same name is ignored
      row->loaded = true;
      std::memset(row->text, 0, sizeof row->text);
      // A text of more than 289 characters stays empty.
      char text[kQxdTextWork];
      if (QxdReadString(ctx, entry.valueOffset, text, sizeof text) && std::strlen(text) < sizeof row->text) {
        std::memcpy(row->text, text, std::strlen(text) + 1);
      }
      break;
    }
  }
}

void FreeSprinstErrorMessages() {
  for (SprinstMessageRow* row = g_sprinstMessages; row->key != nullptr; ++row) {
    row->loaded = false;
    std::memset(row->text, 0, sizeof row->text);
  }
}
