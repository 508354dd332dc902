#include "dproc/startup/watermark_defaults.h"

#include <cstring>

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

// The 80-byte item of a "Watermark" entry.
struct WatermarkItem {
  QxdEntry entry;
  uint32_t reserved0;
  uint32_t textOffset;   // the text printed
  uint32_t reserved1[2];
  uint32_t titleOffset;  // the name shown in the lists
  uint32_t reserved2[2];
  uint32_t faceOffset;
  uint16_t style;
  uint16_t reserved3;
  uint16_t size;
  uint16_t reserved4;
  uint32_t color;
  int16_t angle;
  uint16_t reserved5;
  int32_t posX;
  int32_t posY;
  uint16_t frame;
  uint16_t reserved6;
  uint8_t transparent;
  uint8_t firstPage;
  uint8_t repeat;
  uint8_t reserved7;
};
static_assert(sizeof(WatermarkItem) == 80);
static_assert(offsetof(WatermarkItem, textOffset) == 20);
static_assert(offsetof(WatermarkItem, titleOffset) == 32);
static_assert(offsetof(WatermarkItem, faceOffset) == 44);
static_assert(offsetof(WatermarkItem, style) == 48);
static_assert(offsetof(WatermarkItem, size) == 52);
static_assert(offsetof(WatermarkItem, color) == 56);
static_assert(offsetof(WatermarkItem, angle) == 60);
static_assert(offsetof(WatermarkItem, posX) == 64);
static_assert(offsetof(WatermarkItem, frame) == 72);
static_assert(offsetof(WatermarkItem, transparent) == 76);

// A wide text into a field of `units` (the record's fields are packed, so
// they are written by copy).
void ReadWide(QxdContext* ctx, uint32_t offset, void* field, size_t units) {
  char16_t text[kQxdTextWork + 1] = {};
  if (offset == 0 || !QxdReadWideString(ctx, offset, text, units)) text[0] = 0;
  std::memcpy(field, text, units * sizeof(char16_t));
}

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
    WatermarkItem item;
    char key[kQxdTextWork];
    if (!QxdReadRecord(ctx, at, &item, sizeof item)) return;
    if (!QxdReadString(ctx, item.entry.keyOffset, key, sizeof key)) key[0] = '\0';
    if (QxdNameEquals(key, "WM_None")) {
      ReadWide(ctx, item.textOffset, g_watermarkNoneText, kNoneTextUnits);
      return;
    }
    WaterMarkInfo& mark = g_defaultWatermarks[next++];
    size_t keyLength = std::strlen(key);
    std::memcpy(mark.szKey, key, keyLength < sizeof mark.szKey ? keyLength : sizeof mark.szKey - 1);
    ReadWide(ctx, item.textOffset, mark.szWmkStr, sizeof mark.szWmkStr / sizeof(char16_t));
    ReadWide(ctx, item.titleOffset, mark.szWmkTitle, sizeof mark.szWmkTitle / sizeof(char16_t));
    ReadWide(ctx, item.faceOffset, mark.szFontName, sizeof mark.szFontName / sizeof(char16_t));
    mark.nStyle = static_cast<int16_t>(item.style);
    mark.wSize = item.size;
    mark.crColor = item.color;
    mark.nAngle = item.angle;
    mark.ptWmkPosX = item.posX;
    mark.ptWmkPosY = item.posY;
    mark.wFrame = item.frame;
    mark.bBkGrnd = item.transparent;
    mark.bFstPg = item.firstPage;
    mark.bMultiStamp = item.repeat;
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
    ReadWide(ctx, entry.textOffset, g_watermarkFonts[i], 32);
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
