// The byte layouts of the items the description file stores in its list
// sections, after each item's 16-byte entry head (keyword, text, next).
// Every reader of an item takes its offsets from here.
#pragma once

#include <cstdint>

// "PaperSize" items: 620 bytes.
inline constexpr uint32_t kPaperItemSize = 620;
inline constexpr uint32_t kPaperItemIdAt = 16;          // u32 paper id
inline constexpr uint32_t kPaperItemWidthAt = 24;       // u32, tenths of a millimetre
inline constexpr uint32_t kPaperItemLengthAt = 28;      // u32
inline constexpr uint32_t kPaperItemMaxWidthAt = 32;    // u32, the user paper's bounds
inline constexpr uint32_t kPaperItemMaxLengthAt = 36;   // u32
inline constexpr uint32_t kPaperItemPageSizeCountAt = 40;
inline constexpr uint32_t kPaperItemPageSizesAt = 44;
inline constexpr uint32_t kPaperItemPairFlagAt = 124;
inline constexpr uint32_t kPaperItemPairFirstAt = 128;
inline constexpr uint32_t kPaperItemPairSecondAt = 132;
inline constexpr uint32_t kPaperItemMarginsAt = 136;    // four u32: left, top, right, bottom
inline constexpr uint32_t kPaperItemResolutionMarginsAt = 152;
inline constexpr uint32_t kPaperItemFurtherAt = 272;
inline constexpr uint32_t kPaperItemMarginsFlagAt = 288;
inline constexpr uint32_t kPaperItemResolutionMarginsFlagAt = 292;
inline constexpr uint32_t kPaperItemFurtherFlagAt = 296;
inline constexpr uint32_t kPaperItemShortNameAt = 308;  // u32 offset of a UTF-16 text, 0 for none
inline constexpr uint32_t kPaperItemNoteAt = 312;       // 128 ASCII
inline constexpr uint32_t kPaperItemRotatedFeedAt = 440;
inline constexpr uint32_t kPaperItemValue444At = 444;
inline constexpr uint32_t kPaperItemTwoUpKeywordAt = 448;  // 32 ASCII
inline constexpr uint32_t kPaperItemTwoUpValueAt = 480;
inline constexpr uint32_t kPaperItemHalfWidthAt = 484;
inline constexpr uint32_t kPaperItemHalfLengthAt = 488;
inline constexpr uint32_t kPaperItemTwoUpTextAt = 492;     // 128 ASCII

// "OutPaperSize" items: 320 bytes; id and short name as in a paper item.
inline constexpr uint32_t kOutPaperItemSize = 320;
inline constexpr uint32_t kOutPaperItemIdAt = kPaperItemIdAt;
inline constexpr uint32_t kOutPaperItemShortNameAt = kPaperItemShortNameAt;
inline constexpr uint32_t kOutPaperItemExtra1At = 312;
inline constexpr uint32_t kOutPaperItemExtra2At = 316;

// "Resolution" items: 32 bytes, three u16 values in u32 slots from byte 20.
inline constexpr uint32_t kResolutionItemSize = 32;
inline constexpr uint32_t kResolutionItemValuesAt = 20;

// "TabPaperPaperSize" items: 28 bytes, three u32 from byte 16.
inline constexpr uint32_t kTabPaperItemSize = 28;
inline constexpr uint32_t kTabPaperItemFirstAt = 16;
inline constexpr uint32_t kTabPaperItemSecondAt = 20;
inline constexpr uint32_t kTabPaperItemThirdAt = 24;

// "Collate" items: 156 bytes.
inline constexpr uint32_t kCollateItemSize = 156;
inline constexpr uint32_t kCollateItemExtraAt = 24;
inline constexpr uint32_t kCollateItemText1At = 28;  // 64 ASCII
inline constexpr uint32_t kCollateItemText2At = 92;  // 64 ASCII

// Generic list items carry a 128-character note: at 16 in 148-byte items, at
// 28 in the 156-byte "MediaType" items.
inline constexpr uint32_t kNoteItemSize = 148;
inline constexpr uint32_t kNoteItemNoteAt = 16;
inline constexpr uint32_t kMediaTypeItemSize = 156;
inline constexpr uint32_t kMediaTypeItemNoteAt = 28;

// "Tarlo" items: 20 bytes, the web shop flag in byte 16.
inline constexpr uint32_t kWebShopItemSize = 20;
inline constexpr uint32_t kWebShopItemFlagAt = 16;

// Colour setting entries: a 32-byte name, then the pair count and the
// position of the pairs; each pair is a 32-byte key and a 32-byte value.
inline constexpr uint32_t kColorSettingEntrySize = 40;
inline constexpr uint32_t kColorSettingPairCountAt = 32;
inline constexpr uint32_t kColorSettingPairsAt = 36;
inline constexpr uint32_t kColorSettingPairSize = 64;
inline constexpr uint32_t kColorSettingPairValueAt = 32;

static_assert(kPaperItemTwoUpTextAt + 128 == kPaperItemSize);
static_assert(kOutPaperItemExtra2At + 4 == kOutPaperItemSize);
static_assert(kCollateItemText2At + 64 == kCollateItemSize);
static_assert(kMediaTypeItemNoteAt + 128 == kMediaTypeItemSize);
static_assert(kColorSettingPairsAt + 4 == kColorSettingEntrySize);
static_assert(kWebShopItemFlagAt < kWebShopItemSize);
