// The downloaded-font cache of a job: which soft fonts the printer holds and
// which character codes of each have been sent, so that every font header
// and every character goes to the printer once per job.
//
// At most 200 fonts are held; the 201st evicts the oldest (the printer is
// told with RemoveFont) and a later use of the evicted font downloads it
// afresh.  Pure code.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "drender/pclxl/pclxl_writer.h"

inline constexpr uint32_t kSoftFontCacheLimit = 200;

struct SoftFontVariant {
  uint32_t key = 0;         // bitmap form: the font key; outline form: 0
  uint8_t style = 0;        // outline form: the face style (0, 1, 2 or 4)
  uint32_t glyphIndex = 0;  // outline form: made for glyph-index text
  std::array<uint32_t, 2048> codes{};  // one bit per 16-bit character code
};

struct SoftFontEntry {
  char name[64] = {};      // the name the printer knows the font by
  char baseName[64] = {};  // the name made from the key and face name
  std::vector<std::unique_ptr<SoftFontVariant>> variants;
};

struct SoftFontCache {
  std::vector<SoftFontEntry> entries;
  uint16_t nextFill = 0;
  int16_t current = -1;
  int16_t currentVariant = -1;
};

// "BP" + the key as eight decimal digits + the face name, cut to 63 bytes.
void Font_MakeDownloadName(uint32_t key, const char* face, char out[64]);

// Looks the soft font up and makes it current.  1: the printer has it;
// 0: it has just been registered and its header must be sent (under the
// name Font_CurrentName gives).  In the outline form the same face made for
// another style or for glyph-index text is another font: it is registered
// under a name of its own, so the printer never sees a second header under a
// name it holds.  Eviction of the oldest font writes RemoveFont through
// `enc`.
uint32_t Font_FindDownloadedFont(SoftFontCache* cache, XlEncoder* enc, const char* base_name,
                                 uint32_t key, uint8_t style, uint32_t glyph_index, bool bitmap);
// The name of the current font ("" when none).
const char* Font_CurrentName(const SoftFontCache* cache);
// 1 when the code was already sent in the current font; otherwise marks it
// and gives 0 (also 0 without a current font, so nothing is lost).
uint32_t Font_MarkCharDownloaded(SoftFontCache* cache, uint16_t code);
// RemoveFont for every font held, then empties the cache.
uint32_t Font_ReleaseSoftFonts(SoftFontCache* cache, XlEncoder* enc);
