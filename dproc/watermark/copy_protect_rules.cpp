#include "dproc/watermark/copy_protect_rules.h"

#include <cstdio>
#include <cstring>

std::u16string DistributionNumberText(uint32_t number, bool onlyNeeded) {
  char text[16] = {};
  std::snprintf(text, sizeof text, onlyNeeded ? "%u" : "%08u", number);
  return std::u16string(text, text + std::strlen(text));
}

int StampColourBitmap(uint32_t value) {
  static const int kBitmaps[] = {1068, 1072, 1070, 1067, 1073, 1071, 1069};
  return value >= 1 && value <= 7 ? kBitmaps[value - 1] : 1068;
}

int MethodPageColourBitmap(uint32_t value) {
  return value == 1 || value == 6 || value == 7 ? StampColourBitmap(value) : 0;
}
