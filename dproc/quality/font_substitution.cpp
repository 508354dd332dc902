#include "dproc/quality/font_substitution.h"

#include <algorithm>
#include <cstring>

namespace {

// A stored name field (NUL-terminated within its 32 bytes) equals `name`.
bool SameName(const char (&field)[32], const char* name) {
  return std::strlen(name) < sizeof field && std::strncmp(field, name, sizeof field) == 0;
}

}  // namespace

const char* StoredSubstitute(const DocFields& f, const char* face) {
  if (face == nullptr) return nullptr;
  const size_t entries = std::min<size_t>(f.SubFontEntryNum, kFontSubEntries);
  for (size_t j = 0; j < entries; ++j) {
    if (SameName(f.SubTTFontName[j], face)) return f.SubDevFontName[j];
  }
  return nullptr;
}

const XLFontEntry* FindDeviceFont(const XLFontEntry* fonts, size_t count, const char* name) {
  if (fonts == nullptr || name == nullptr || name[0] == '\0') return nullptr;
  for (size_t i = 0; i < count && i < kDeviceFontsOffered && fonts[i].name[0] != '\0'; ++i) {
    if (std::strncmp(fonts[i].name, name, sizeof fonts[i].name) == 0) return &fonts[i];
  }
  return nullptr;
}

uint16_t RebuildFontSubstitution(const FontSubstitutionRow* rows, size_t count, const XLFontEntry* fonts,
                                 size_t fontCount, DocFields& f) {
  ClearFontSubstitution(f);
  for (size_t i = 0; i < count && f.SubFontEntryNum < kFontSubEntries; ++i) {
    const FontSubstitutionRow& row = rows[i];
    if (row.face == nullptr || row.device == nullptr || row.device[0] == '\0') continue;
    const XLFontEntry* font = FindDeviceFont(fonts, fontCount, row.device);
    if (font == nullptr) continue;
    AddFontSubstitution(f, row.face, font->number, font->name);
  }
  return f.SubFontEntryNum;
}
