// The four layout styles of the fax cover page.  Geometry and item sequence
// are fixed here; the description file gives each style its font and words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

// One item of a cover page; lengths in tenths of a millimetre.
struct CoverLayoutItem {
  int32_t nKind;         // 0 bar, 1 date, 2 title, 3 recipients, 4 sender, 5 pages, 6 subject, 7 comment
  int32_t nSpaceBefore;
  int32_t nSpaceAfter;
  int32_t nLineGap;      // between two text lines of the item
  int32_t nSize;         // font height; for a bar its height
  int32_t nRuleWidth;    // rule below the text, 0 for none
  int32_t crColor;       // 0x00BBGGRR
};
static_assert(sizeof(CoverLayoutItem) == 28);

inline constexpr size_t kCoverStyleKeys = 10;
inline constexpr size_t kCoverLayoutItems = 9;
inline constexpr size_t kCoverStyles = 4;

struct FaxCoverStyle {
  const char* pszSectionKey;
  // font, title, To, FAXNumber, From, Phone, FAXNumber2, E-mail, Total, Re
  const char* apszItemKeys[kCoverStyleKeys];
  int32_t sizePage[2];
  int32_t rcClip[4];
  int32_t rcFrame[4];
  const CoverLayoutItem* pItems;
  int32_t nItems;
  char16_t szFontFace[32];
  char16_t szStyleTitle[48];
  char16_t szLabelTo[48];
  char16_t szLabelFaxNumber[48];
  char16_t szLabelFrom[48];
  char16_t szLabelPhone[48];
  char16_t szLabelFaxNumber2[48];
  char16_t szLabelEMail[48];
  char16_t szLabelTotal[48];
  char16_t szLabelRe[48];
};

extern const CoverLayoutItem g_coverLayoutItems[kCoverLayoutItems];
extern FaxCoverStyle g_faxCoverStyles[kCoverStyles];

// Reads the words of the four styles from the open main description file.
void LoadFaxCoverStyles(QxdContext* ctx);
// The wide text at `offset` into `dst`, cut to `capacity` - 1 characters;
// an empty or unreadable text gives an empty one.
void ReadStyleText(QxdContext* ctx, uint32_t offset, char16_t* dst, size_t capacity);
