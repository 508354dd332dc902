// What the stop icons of the watermark edit dialog (2217 beside New Add,
// 2218 beside Delete, 2219 beside Sharing) are decided from; the dialog
// records them at every refresh of its controls.
#pragma once

#include <cstdint>

struct WatermarkEditFacts {
  bool administrable;     // the user may administer the printer's public list
  uint32_t publicCount;   // of the dialog's list
  uint32_t privateCount;
  bool selected;          // the list has a selection
  bool selectedPublic;    // the edited watermark is shared
  bool builtIn;           // the edited watermark is one of the model's own
};

inline WatermarkEditFacts& ProcessWatermarkEditFacts() {
  static WatermarkEditFacts facts{};
  return facts;
}

// The "ToolChipStr" entries of one of the three icons for these facts
// (0: no reason); `entries` takes at most two.
inline int WatermarkStopReasons(const WatermarkEditFacts& f, uint32_t controlId, uint32_t* entries) {
  int n = 0;
  switch (controlId) {
    case 2217:  // New Add: no room left for the user
      if (!f.administrable && f.privateCount >= 20) entries[n++] = 183;
      else if (f.administrable && f.publicCount >= 30 && f.privateCount >= 20) entries[n++] = 182;
      break;
    case 2218:  // Delete
      if (!f.selected) break;
      if (!f.administrable && f.selectedPublic) entries[n++] = 184;
      else if (f.selectedPublic && f.builtIn) entries[n++] = 185;
      break;
    case 2219:  // Sharing
      if (!f.administrable) entries[n++] = 20;
      else if (f.selected && f.selectedPublic && f.builtIn) entries[n++] = 186;
      else if (f.selected && f.selectedPublic && f.privateCount >= 20) entries[n++] = 21;
      else if (f.selected && !f.selectedPublic && f.publicCount >= 30) entries[n++] = 22;
      break;
    default: break;
  }
  return n;
}
