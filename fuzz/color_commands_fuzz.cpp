// The render core's colour-setting commands from a main description file:
// every colour mode's rows of start commands, and the look-up of a mode.
#include <cstdint>

#include "drender/model/color_setting_command.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QxdContext* ctx = QxdOpenImage(data, size);
  if (ctx == nullptr) return 0;
  ColorSettingCommand* table = Rdc_BuildColorSettingCommand(ctx);
  for (const char* mode : {"Color", "Mono", "Auto", ""}) Rdc_FindColorSetting(table, mode);
  // Rows may share their pairs, but all of them together stand on no more
  // bytes than the file has.
  uint64_t pairs = 0;
  for (const ColorSettingCommand* row = table; row != nullptr && row->name[0] != '\0'; ++row) {
    for (const ColorCommandPair* p = row->pairs; p != nullptr && p->key[0] != '\0'; ++p) ++pairs;
  }
  if (pairs * sizeof(ColorCommandPair) > QxdFileSize(ctx)) __builtin_trap();
  Rdc_FreeColorSettingCommand(table);
  QxdClose(ctx);
  return 0;
}
