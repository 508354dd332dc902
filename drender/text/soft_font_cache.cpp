#include "drender/text/soft_font_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "drender/text/xl_text_ops.h"

namespace {

void CopyName(char out[64], const char* name) {
  const size_t length = strnlen(name, 63);
  std::memcpy(out, name, length);
  out[length] = '\0';
}

// The name a new entry gets: the base name, or when an entry of that name is
// held, the base name with "~n" (cut so that the whole stays within 63
// bytes) for the first n that no entry holds.
void UniqueName(const SoftFontCache& cache, const char* base, char out[64]) {
  auto taken = [&](const char* name) {
    for (const SoftFontEntry& entry : cache.entries) {
      if (std::strcmp(entry.name, name) == 0) return true;
    }
    return false;
  };
  CopyName(out, base);
  for (uint32_t n = 1; taken(out) && n <= kSoftFontCacheLimit; ++n) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "~%u", n);
    const size_t keep = std::min(std::strlen(base), size_t(63) - std::strlen(suffix));
    std::memcpy(out, base, keep);
    std::memcpy(out + keep, suffix, std::strlen(suffix) + 1);
  }
}

std::unique_ptr<SoftFontVariant> MakeVariant(uint32_t key, uint8_t style, uint32_t glyph_index,
                                             bool bitmap) {
  auto variant = std::make_unique<SoftFontVariant>();
  if (bitmap) {
    variant->key = key;
  } else {
    variant->style = style;
    variant->glyphIndex = glyph_index;
  }
  return variant;
}

uint32_t AddEntry(SoftFontCache* cache, XlEncoder* enc, const char* base_name, uint32_t key,
                  uint8_t style, uint32_t glyph_index, bool bitmap) {
  SoftFontEntry fresh;
  CopyName(fresh.baseName, base_name);
  fresh.variants.push_back(MakeVariant(key, style, glyph_index, bitmap));
  uint32_t result = 1;
  uint16_t index;
  if (cache->entries.size() >= kSoftFontCacheLimit) {
    // Full: the entry at the next-fill index, the oldest, makes room.
    index = cache->nextFill;
    SoftFontEntry& old = cache->entries[index];
    result = XL_RemoveFont(enc, old.name);
    old = SoftFontEntry();  // its name is free again
    UniqueName(*cache, base_name, fresh.name);
    cache->entries[index] = std::move(fresh);
  } else {
    UniqueName(*cache, base_name, fresh.name);
    cache->entries.push_back(std::move(fresh));
    index = static_cast<uint16_t>(cache->entries.size() - 1);
  }
  cache->current = static_cast<int16_t>(index);
  cache->currentVariant = 0;
  cache->nextFill = static_cast<uint16_t>((index + 1) % kSoftFontCacheLimit);
  return result;
}

}  // namespace

void Font_MakeDownloadName(uint32_t key, const char* face, char out[64]) {
  std::snprintf(out, 64, "BP%08lu%s", static_cast<unsigned long>(key), face ? face : "");
}

uint32_t Font_FindDownloadedFont(SoftFontCache* cache, XlEncoder* enc, const char* base_name,
                                 uint32_t key, uint8_t style, uint32_t glyph_index, bool bitmap) {
  for (size_t i = 0; i < cache->entries.size(); ++i) {
    SoftFontEntry& entry = cache->entries[i];
    if (entry.variants.empty() || std::strncmp(entry.baseName, base_name, 63) != 0) continue;
    if (bitmap) {
      for (size_t v = 0; v < entry.variants.size(); ++v) {
        if (entry.variants[v]->key == key) {
          cache->current = static_cast<int16_t>(i);
          cache->currentVariant = static_cast<int16_t>(v);
          return 1;
        }
      }
      // The same name with another key: a variant of its own.
      entry.variants.push_back(MakeVariant(key, style, glyph_index, true));
      cache->current = static_cast<int16_t>(i);
      cache->currentVariant = static_cast<int16_t>(entry.variants.size() - 1);
      return 0;
    }
    const SoftFontVariant& first = *entry.variants[0];
    if (first.key == 0 && first.style == style && first.glyphIndex == glyph_index) {
      cache->current = static_cast<int16_t>(i);
      cache->currentVariant = 0;
      return 1;
    }
  }
  AddEntry(cache, enc, base_name, key, style, glyph_index, bitmap);
  return 0;
}

const char* Font_CurrentName(const SoftFontCache* cache) {
  if (cache->current < 0 || size_t(cache->current) >= cache->entries.size()) return "";
  return cache->entries[cache->current].name;
}

uint32_t Font_MarkCharDownloaded(SoftFontCache* cache, uint16_t code) {
  if (cache->current < 0 || size_t(cache->current) >= cache->entries.size()) return 0;
  SoftFontEntry& entry = cache->entries[cache->current];
  if (cache->currentVariant < 0 || size_t(cache->currentVariant) >= entry.variants.size()) return 0;
  uint32_t& word = entry.variants[cache->currentVariant]->codes[code / 32];
  const uint32_t bit = 1u << (31 - code % 32);
  if (word & bit) return 1;
  word |= bit;
  return 0;
}

uint32_t Font_ReleaseSoftFonts(SoftFontCache* cache, XlEncoder* enc) {
  uint32_t result = 1;
  for (const SoftFontEntry& entry : cache->entries) {
    if (entry.variants.empty()) continue;
    if (!XL_RemoveFont(enc, entry.name)) result = 0;
  }
  *cache = SoftFontCache();
  return result;
}
