// Tooltips of the document sheets' tabs: for each sheet its tab title and a
// multi-line description, read from the description file at start-up.
#pragma once

#include <cstddef>

#include "common/qxd/qxd_reader.h"

struct TabTipEntry {
  char section[32];      // section of the sheet's title; empty in the end row
  char titleKey[32];     // key of the title in that section
  char16_t title[48];    // filled at start-up
  char tipSection[32];   // section whose entries are the tooltip's lines
  char16_t tipText[512]; // the lines joined by CR LF, filled at start-up
};

inline constexpr size_t kSheetTabTipRows = 8;
// The eight sheets and the end row.
extern TabTipEntry g_sheetTabTips[kSheetTabTipRows + 1];

// Fills the titles and tooltip texts from the open main description file.
void LoadSheetTabTipTexts(QxdContext* ctx);
