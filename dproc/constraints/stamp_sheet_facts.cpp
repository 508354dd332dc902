#include "dproc/constraints/stamp_sheet_facts.h"

namespace {

// The overlay icon: grey output, a booklet, and whether a form exists.
int OverlayReasons(const StampSheetFacts& f, const StampSheetSettings& s, uint32_t* entries) {
  int n = 0;
  const bool grey = s.selectColor == 1, booklet = s.doubleSides == 3, forms = f.overlayForms;
  if (s.bookletModel && grey) {
    if (!booklet || forms) {
      entries[n++] = 156;
      if (forms && booklet) entries[n++] = 157;
      else if (!forms) entries[n++] = 158;
    } else {
      entries[n++] = 158;
    }
    return n;
  }
  if (grey) entries[n++] = 155;
  if (forms && s.bookletModel && booklet) entries[n++] = 157;
  else if (!forms) entries[n++] = 158;
  return n;
}

}  // namespace

int StampSheetStopReasons(const StampSheetFacts& f, const StampSheetSettings& s, uint32_t controlId,
                          uint32_t (&entries)[kStampSheetReasonMax]) {
  int n = 0;
  switch (controlId) {
    case 1219: return OverlayReasons(f, s, entries);
    case 2191:
      if (f.deviceCopyProtect) entries[n++] = 160;
      break;
    case 2192:
    case 2195:
      if (f.deviceDateTime) entries[n++] = 161;
      break;
    case 2193:
    case 2196:
      if (f.devicePageNumber) entries[n++] = 162;
      break;
    case 2194:
      if (f.deviceHeaderFooter) entries[n++] = 66;
      break;
    case 2215:
      if (SelectedWatermarkLocked(f)) entries[n++] = 151;
      break;
    default: break;
  }
  return n;
}
