// What the stop icons of the stamp and composition sheet and of the
// date/time/page dialogs are decided from: the stamps the device prints by
// itself (asked at every activation of the sheet; all off when the device
// did not answer), and the sheet's watermark and overlay choice, which the
// sheet records whenever they may change.
#pragma once

#include <cstdint>

struct StampSheetFacts {
  bool deviceCopyProtect;   // the device prints its own copy-protect pattern
  bool deviceHeaderFooter;  // ... its own header and footer
  bool devicePageNumber;    // ... page numbers
  bool deviceDateTime;      // ... the date and time
  bool administrable;       // the user may administer the printer's shared lists
  bool selectedPublic;      // the sheet's selected watermark is shared
  bool selectedBuiltIn;     // ... and one of the model's own
  bool overlayForms;        // the session's overlay list holds a form
};

inline StampSheetFacts& ProcessStampSheetFacts() {
  static StampSheetFacts facts{};
  return facts;
}

// The settings the overlay icon's reasons also read.
struct StampSheetSettings {
  bool bookletModel;    // the model prints booklets
  int32_t selectColor;  // 1: grey output
  int32_t doubleSides;  // 3: booklet
};

inline constexpr int kStampSheetReasonMax = 3;
// The "ToolChipStr" entries of one of the icons 1219 (overlay), 2191 to
// 2196 (the device's own stamps) and 2215 (watermark Edit) for these facts;
// 0 for any other control or when nothing restricts it.
int StampSheetStopReasons(const StampSheetFacts& facts, const StampSheetSettings& settings, uint32_t controlId,
                          uint32_t (&entries)[kStampSheetReasonMax]);

// The selected watermark may not be edited: shared, not the model's own,
// and the user does not administer the printer.
inline bool SelectedWatermarkLocked(const StampSheetFacts& f) {
  return !f.administrable && f.selectedPublic && !f.selectedBuiltIn;
}
