// The watermark record: the settings carry the selected one, the stores and
// the built-in default list hold them.  Byte-packed, as stored.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct WaterMarkInfo {
  char szKey[32];            // key of a built-in watermark, empty for a user's
  char16_t szWmkTitle[32];   // the name shown in the lists
  char16_t szWmkStr[129];    // the text printed
  char16_t szFontName[32];
  int16_t nStyle;            // 1 regular, 2 italic, 3 bold, 4 bold italic
  uint16_t wSize;            // points
  uint32_t crColor;          // 0x00BBGGRR
  int16_t nAngle;            // degrees counter-clockwise
  int32_t ptWmkPosX;         // percent of half the page from its centre
  int32_t ptWmkPosY;
  int32_t ptStrPosX;
  int32_t ptStrPosY;
  uint16_t wFrame;           // 1 none, 2 circle, 3 square
  uint8_t bBkGrnd;           // transparent text
  uint8_t bFstPg;            // first page only
  uint8_t bMultiStamp;       // repeated over the page
};
#pragma pack(pop)
static_assert(sizeof(WaterMarkInfo) == 449);
static_assert(offsetof(WaterMarkInfo, szWmkTitle) == 32);
static_assert(offsetof(WaterMarkInfo, szWmkStr) == 96);
static_assert(offsetof(WaterMarkInfo, szFontName) == 354);
static_assert(offsetof(WaterMarkInfo, nStyle) == 418);
static_assert(offsetof(WaterMarkInfo, wSize) == 420);
static_assert(offsetof(WaterMarkInfo, crColor) == 422);
static_assert(offsetof(WaterMarkInfo, nAngle) == 426);
static_assert(offsetof(WaterMarkInfo, ptWmkPosX) == 428);
static_assert(offsetof(WaterMarkInfo, ptStrPosX) == 436);
static_assert(offsetof(WaterMarkInfo, wFrame) == 444);
static_assert(offsetof(WaterMarkInfo, bBkGrnd) == 446);
static_assert(offsetof(WaterMarkInfo, bMultiStamp) == 448);

// One entry of a user's order of all watermarks, public and private
// together: which list, and the title of the watermark it names.
#pragma pack(push, 1)
struct WMOrderEntry {
  uint32_t bPublic;          // 1 a public watermark, 0 a private one
  char16_t szName[32];       // the szWmkTitle it names
};
#pragma pack(pop)
static_assert(sizeof(WMOrderEntry) == 68);
static_assert(offsetof(WMOrderEntry, szName) == 4);

// What a watermark list holds at most: what the sheet session, the
// watermark dialogs, the stores and the settings files take.
inline constexpr uint32_t kMaxPublicWatermarks = 30;
inline constexpr uint32_t kMaxPrivateWatermarks = 20;
inline constexpr uint32_t kMaxWatermarkOrder = 50;
