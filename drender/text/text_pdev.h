// The text state of a PDEV: the resident faces loaded from the font
// library, the downloaded-font cache, the open character block and the last
// font selection.  Made on the first string of a job, freed with the PDEV.
#pragma once

#include <vector>

#include "drender/text/device_fonts.h"
#include "drender/text/soft_font_cache.h"
#include "drender/text/text_engine.h"
#include "drender/text/xl_text_ops.h"

struct RenderPdev;

struct TextPdevState {
  TextState text{};
  SoftFontCache softFonts;
  XlGlyphDownload glyphs{};
  std::vector<DeviceFontEntry> devices;
};

// The PDEV's text state, made (with its resident faces) when missing; null
// when it cannot be made.
TextPdevState* Text_PdevState(RenderPdev* pdev);
// RemoveFont for every soft font sent, and the selection forgotten.
void Text_ReleaseFonts(RenderPdev* pdev);
// A new page selects its font afresh.
void Text_PageStart(RenderPdev* pdev);
void Text_FreePdev(RenderPdev* pdev);
