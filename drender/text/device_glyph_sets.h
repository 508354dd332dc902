// The glyph sets of the resident faces: which Unicode characters a face
// maps to which glyph handles, in the layout the driver interface gives a
// glyph set in this build (a head, the runs of consecutive characters with
// a pointer to their handles, then the handles, all in one block).  Made
// from the stored image of the font library (runs of 16 bytes whatever the
// build) or from a set the engine computed.  Pure code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct GlyphRun {  // WCRUN
  uint16_t wcLow;
  uint16_t cGlyphs;
  uint32_t* phg;
};
struct GlyphSet {  // FD_GLYPHSET
  uint32_t cjThis;
  uint32_t flAccel;
  uint32_t cGlyphsSupported;
  uint32_t cRuns;
  GlyphRun awcrun[1];
};
static_assert(offsetof(GlyphSet, awcrun) == 16);
static_assert(sizeof(GlyphRun) == 2 * sizeof(void*));

inline constexpr uint32_t kGlyphSetUnicodeHandles = 1;  // GS_UNICODE_HANDLES

// A glyph set block; its first element is the set (empty: none).
using GlyphSetBlock = std::vector<uint64_t>;
inline const GlyphSet* GlyphSetOf(const GlyphSetBlock& block) {
  return block.empty() ? nullptr : reinterpret_cast<const GlyphSet*>(block.data());
}

// The stored image (`size` bytes: a 16-byte head, cRuns records of 16 bytes,
// the handles of every run, 32 bits each, in run order) as a set whose
// handles are Unicode handles.  False (and `out` empty) when the image is
// shorter than its runs and handles say.
bool GlyphSet_FromImage(const uint8_t* image, size_t size, GlyphSetBlock* out);
// A copy of a set in this build's layout, in a block of its own.
bool GlyphSet_Copy(const GlyphSet* set, GlyphSetBlock* out);
