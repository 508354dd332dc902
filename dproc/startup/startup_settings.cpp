#include "dproc/startup/startup_settings.h"

#include <cstring>

#include "common/qxd/item_layouts.h"

uint8_t g_webShopFlag = 1;
char g_consumablesUrl[kSettingText] = {};
char g_dlManagerFileName[kSettingText] = {};
char16_t g_makerName[kSettingText] = u"HALDOVAR";

namespace {

// "Tarlo": the flag of the section's first item.
void LoadWebShopFlag(QxdContext* ctx) {
  uint32_t at = QxdFindSection(ctx, "Tarlo");
  QxdSectionHeader header;
  QxdListHeader list;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) return;
  g_webShopFlag = 0;
  uint32_t item;
  uint8_t record[kWebShopItemSize];
  if (QxdReadIndexEntry(ctx, list, 0, &item) && QxdReadRecord(ctx, item, record, sizeof record)) {
    g_webShopFlag = record[kWebShopItemFlagAt];
  }
}

}  // namespace

void LoadStartupSettings(QxdContext* ctx, AnsiToWideFn toWide) {
  LoadWebShopFlag(ctx);
  char url[kSettingText] = {};
  if (QxdFindLongPairValue(ctx, "ConsumSetting", "URL", url, sizeof url)) std::memcpy(g_consumablesUrl, url, sizeof url);
  char program[kSettingText] = {};
  if (QxdFindLongPairValue(ctx, "DLManagerSetting", "DLFileName", program, sizeof program)) {
    std::memcpy(g_dlManagerFileName, program, sizeof program);
  }
  // An empty maker name would give every per-user key an empty component:
  // the built-in name stays then.
  char maker[kSettingText] = {};
  char16_t name[kSettingText] = {};
  if (QxdFindLongPairValue(ctx, "RegistryKeySetting", "VendorName", maker, sizeof maker) && toWide != nullptr &&
      toWide(maker, name, kSettingText) && name[0] != 0) {
    std::memcpy(g_makerName, name, sizeof name);
  }
}
