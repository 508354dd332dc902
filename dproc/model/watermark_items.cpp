#include "dproc/model/watermark_items.h"

#include <cstring>

namespace {

uint32_t U32(const uint8_t* p, size_t at) {
  uint32_t v;
  std::memcpy(&v, p + at, sizeof v);
  return v;
}

}  // namespace

void ReadWideField(QxdContext* ctx, uint32_t offset, void* field, size_t units) {
  char16_t text[kQxdTextWork + 1] = {};
  if (units == 0 || units > kQxdTextWork) return;
  if (offset == 0 || !QxdReadWideString(ctx, offset, text, units)) text[0] = 0;
  text[units - 1] = 0;
  std::memcpy(field, text, units * sizeof(char16_t));
}

WaterMarkInfo DecodeWatermarkItem(QxdContext* ctx, const uint8_t (&item)[kWatermarkItemBytes]) {
  WaterMarkInfo mark{};
  ReadWideField(ctx, U32(item, 20), mark.szWmkTitle, sizeof mark.szWmkTitle / sizeof(char16_t));
  ReadWideField(ctx, U32(item, 32), mark.szWmkStr, sizeof mark.szWmkStr / sizeof(char16_t));
  ReadWideField(ctx, U32(item, 44), mark.szFontName, sizeof mark.szFontName / sizeof(char16_t));
  mark.nStyle = static_cast<int16_t>(U32(item, 48));
  mark.wSize = static_cast<uint16_t>(U32(item, 52));
  mark.crColor = U32(item, 56);
  mark.nAngle = static_cast<int16_t>(U32(item, 60));
  mark.ptWmkPosX = static_cast<int32_t>(U32(item, 64));
  mark.ptWmkPosY = static_cast<int32_t>(U32(item, 68));
  mark.wFrame = static_cast<uint16_t>(U32(item, 72));
  mark.bBkGrnd = item[76];
  mark.bFstPg = item[77];
  mark.bMultiStamp = item[78];
  return mark;
}
