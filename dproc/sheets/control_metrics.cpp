#include "dproc/sheets/control_metrics.h"

namespace {

int DigitCount(int32_t v) {
  int64_t magnitude = v < 0 ? -int64_t{v} : int64_t{v};
  int n = v < 0 ? 2 : 1;
  while (magnitude >= 10) {
    magnitude /= 10;
    ++n;
  }
  return n;
}

}  // namespace

int GetMaxDigitCount(int32_t a, int32_t b) {
  const int na = DigitCount(a), nb = DigitCount(b);
  return na > nb ? na : nb;
}

int ItemBackgroundColor(bool selected, bool disabled, bool listBox) {
  if (selected) return disabled && !listBox ? kColorInactiveCaption : kColorHighlight;
  if (disabled) return listBox ? kColorWindow : kColorButtonFace;
  return kColorWindow;
}
