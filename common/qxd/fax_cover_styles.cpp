#include "common/qxd/fax_cover_styles.h"

const CoverLayoutItem g_coverLayoutItems[kCoverLayoutItems] = {
    {1, 0, 0, 0, 56, 0, 0x000000},     // date
    {0, 0, 0, 0, 21, 0, 0x646464},     // bar
    {2, 0, 169, 0, 169, 0, 0x000000},  // title
    {0, 0, 56, 0, 21, 0, 0x646464},    // bar
    {3, 0, 0, 14, 56, 4, 0x000000},    // recipients
    {4, 0, 0, 14, 56, 4, 0x000000},    // sender
    {5, 0, 0, 0, 56, 4, 0x000000},     // page count
    {6, 0, 0, 0, 56, 4, 0x000000},     // subject
    {7, 0, 0, 14, 56, 0, 0x000000},    // comment
};

#define COVER_STYLE(n, title)                                                                                  \
  {"FcsBStyle0" #n,                                                                                           \
   {"FcsBS" #n "Font", "FcsBS" #n title, "FcsBS" #n "To", "FcsBS" #n "FAXNumber", "FcsBS" #n "From",           \
    "FcsBS" #n "Phone", "FcsBS" #n "FAXNumber2", "FcsBS" #n "E-mail", "FcsBS" #n "Total", "FcsBS" #n "Re"},   \
   {2100, 2970},                                                                                              \
   {43, 43, 2057, 2927},                                                                                      \
   {100, 100, 2000, 2870},                                                                                    \
   g_coverLayoutItems,                                                                                        \
   static_cast<int32_t>(kCoverLayoutItems),                                                                   \
   {}, {}, {}, {}, {}, {}, {}, {}, {}, {}}

FaxCoverStyle g_faxCoverStyles[kCoverStyles] = {
    COVER_STYLE(0, "Fax"),
    COVER_STYLE(1, "FaxTrans"),
    COVER_STYLE(2, "FaxCom"),
    COVER_STYLE(3, "FAXTRANSSHEET"),
};

#undef COVER_STYLE

void ReadStyleText(QxdContext* ctx, uint32_t offset, char16_t* dst, size_t capacity) {
  if (dst == nullptr || capacity == 0) return;
  if (!QxdReadWideString(ctx, offset, dst, capacity)) dst[0] = 0;
}

namespace {

struct StyleField {
  char16_t* text;
  size_t capacity;
};

void LoadStyle(QxdContext* ctx, FaxCoverStyle* style) {
  const StyleField fields[kCoverStyleKeys] = {
      {style->szFontFace, 32},        {style->szStyleTitle, 48},      {style->szLabelTo, 48},
      {style->szLabelFaxNumber, 48},  {style->szLabelFrom, 48},       {style->szLabelPhone, 48},
      {style->szLabelFaxNumber2, 48}, {style->szLabelEMail, 48},      {style->szLabelTotal, 48},
      {style->szLabelRe, 48},
  };
  QxdChainWalk walk;
  QxdEntry entry;
  if (!QxdBeginChain(ctx, style->pszSectionKey, &walk)) return;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[kQxdTextWork];
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key)) continue;
    for (size_t k = 0; k < kCoverStyleKeys; ++k) {
      if (QxdNameEquals(key, style->apszItemKeys[k])) ReadStyleText(ctx, entry.textOffset, fields[k].text, fields[k].capacity);
    }
  }
}

}  // namespace

void LoadFaxCoverStyles(QxdContext* ctx) {
  for (FaxCoverStyle& style : g_faxCoverStyles) LoadStyle(ctx, &style);
}
