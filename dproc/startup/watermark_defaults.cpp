#include "dproc/startup/watermark_defaults.h"

#include <algorithm>
#include <cstring>

#include "dproc/model/watermark_items.h"

namespace {

constexpr uint32_t kRed = 0x0000FF;

}  // namespace

WaterMarkInfo g_defaultWatermarks[kDefaultWatermarks] = {
    {"WM_001", u"CONFIDENTIAL", u"Confidential", u"Arial", 1, 200, kRed, 0, 0, 0, 0, 0, 2, 0, 0, 0},
    {"WM_002", u"TOP SECRET", u"Top Secret", u"Arial", 3, 48, kRed, 0, 28, -36, 0, 0, 3, 0, 0, 0},
    {"WM_003", u"COPY", u"Copy", u"Arial", 3, 48, kRed, 0, 28, -36, 0, 0, 3, 0, 0, 0},
    {"WM_004", u"DO NOT COPY", u"Do Not Copy", u"Arial", 3, 48, kRed, -45, 50, -50, 0, 0, 3, 0, 0, 0},
    {"WM_005", u"DRAFT", u"Draft", u"Arial", 1, 114, kRed, 45, 0, 0, 0, 0, 1, 0, 0, 0},
    {"WM_006", u"FINAL", u"Final", u"Arial", 1, 88, kRed, 45, 0, 0, 0, 0, 1, 0, 0, 0},
};
char16_t g_watermarkNoneText[kNoneTextUnits] = {};
char16_t g_watermarkFonts[kWatermarkFonts][32] = {};
char16_t g_defaultWatermarkFace[32] = u"Arial";
char16_t g_overlayNoneText[kNoneTextUnits] = u"<None>";

namespace {

// The items of an index-walked section, at most `limit` of them.
template <typename Fn>
bool ForEachItem(QxdContext* ctx, const char* section, uint32_t limit, QxdListHeader* list, Fn fn) {
  uint32_t at = QxdFindSection(ctx, section);
  QxdSectionHeader header;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, list)) return false;
  uint32_t count = list->count < limit ? list->count : limit;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t item;
    if (QxdReadIndexEntry(ctx, *list, i, &item)) fn(i, item);
  }
  return true;
}

}  // namespace

void LoadDefaultWatermarks(QxdContext* ctx, bool colorDevice) {
  if (QxdFindSection(ctx, "Watermark") == 0) return;
  std::memset(g_defaultWatermarks, 0, sizeof g_defaultWatermarks);
  size_t next = 0;
  QxdListHeader list;
  bool read = ForEachItem(ctx, "Watermark", kDefaultWatermarks, &list, [&](uint32_t, uint32_t at) {
    uint8_t item[kWatermarkItemBytes];
    QxdEntry entry;
    char key[kQxdTextWork];
    if (!QxdReadRecord(ctx, at, item, sizeof item)) return;
    std::memcpy(&entry, item, sizeof entry);
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key)) key[0] = '\0';
    const WaterMarkInfo read = DecodeWatermarkItem(ctx, item);
    if (QxdNameEquals(key, "WM_None")) {
      // The "none" item names no watermark; its title is the list's text for it.
      std::memcpy(g_watermarkNoneText, read.szWmkTitle,
                  std::min(sizeof g_watermarkNoneText, sizeof read.szWmkTitle));
      return;
    }
    WaterMarkInfo& mark = g_defaultWatermarks[next++];
    mark = read;
    size_t keyLength = std::strlen(key);
    std::memcpy(mark.szKey, key, keyLength < sizeof mark.szKey ? keyLength : sizeof mark.szKey - 1);
  });
  if (!read) return;
  if (!colorDevice) {
    for (WaterMarkInfo& mark : g_defaultWatermarks) mark.crColor = kMonochromeWatermarkColor;
  }
}

void LoadWatermarkFonts(QxdContext* ctx) {
  uint32_t at = QxdFindSection(ctx, "WM_Font");
  QxdSectionHeader header;
  QxdListHeader list;
  QxdEntry first;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) return;
  char firstKey[kQxdTextWork] = {};
  if (!QxdReadEntry(ctx, list.firstEntry, &first) || !QxdReadString(ctx, first.keyOffset, firstKey, sizeof firstKey)) {
    firstKey[0] = '\0';
  }
  std::memset(g_watermarkFonts, 0, sizeof g_watermarkFonts);
  ForEachItem(ctx, "WM_Font", kWatermarkFonts, &list, [&](uint32_t i, uint32_t item) {
    QxdEntry entry;
    if (!QxdReadEntry(ctx, item, &entry)) return;
    ReadWideField(ctx, entry.textOffset, g_watermarkFonts[i], 32);
    char key[kQxdTextWork];
    if (firstKey[0] != '\0' && QxdReadString(ctx, entry.keyOffset, key, sizeof key) && QxdNameEquals(key, firstKey) &&
        g_watermarkFonts[i][0] != 0) {
      std::memcpy(g_defaultWatermarkFace, g_watermarkFonts[i], sizeof g_defaultWatermarkFace);
    }
  });
}

void LoadOverlayNoneText(QxdContext* ctx) {
  QxdChainWalk walk;
  QxdEntry entry;
  if (!QxdBeginChain(ctx, "Overlay", &walk)) return;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char16_t text[kNoneTextUnits];
    if (QxdReadWideString(ctx, entry.textOffset, text, kNoneTextUnits)) {
      std::memcpy(g_overlayNoneText, text, sizeof text);
    }
  }
}
