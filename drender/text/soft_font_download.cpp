#include "drender/text/soft_font_download.h"

#include <cstring>
#include <vector>

namespace {

void PutBig16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value);
}
void PutBig32(uint8_t* at, uint32_t value) {
  PutBig16(at, static_cast<uint16_t>(value >> 16));
  PutBig16(at + 2, static_cast<uint16_t>(value));
}

uint32_t SendGlyph(const SoftFontJob& job, const SoftFontFace& face, const char* name,
                   uint16_t code, uint16_t glyph, bool default_char, bool component,
                   uint32_t depth) {
  const TtFile& file = *face.file;
  const TtFontState& state = *face.state;
  uint32_t offset = 0, length = 0;
  if (!Tt_GetLocaEntry(file, state, glyph, &offset, &length)) return 1;  // not sent
  XlOutlineGlyph outline{};
  outline.glyphId = glyph;
  outline.defaultChar = default_char;
  outline.component = component;
  if (length == 0) {
    return XL_DownloadOutlineGlyph(job.enc, job.glyphs, name, code, outline, nullptr, 0);
  }
  if (length > 0xFFFF - 8) return 1;  // cannot be described: not sent
  Tt_GlyphMetrics(file, state, glyph, offset, length, &outline.leftSideBearing,
                  &outline.advanceWidth);
  const uint8_t* data = file.data + offset;
  if (!XL_DownloadOutlineGlyph(job.enc, job.glyphs, name, code, outline, data, length)) return 0;
  if (depth >= kTtComponentDepth) return 1;
  for (uint16_t part : Tt_CompositeComponents(data, length)) {
    if (part >= state.numGlyphs) continue;
    if (!SendGlyph(job, face, name, 0xFFFF, part, default_char, true, depth + 1)) return 0;
  }
  return 1;
}

uint32_t SendBitmap(const SoftFontJob& job, const SoftFontFace& face, const char* name,
                    uint16_t code, uint32_t handle) {
  SoftFontBitmap bitmap{};
  if (face.getBitmap == nullptr || !face.getBitmap(face.bitmapContext, handle, &bitmap)) return 1;
  if (bitmap.width > 0xFFFF - 31 || bitmap.height > 0xFFFF) return 1;
  XlBitmapGlyph glyph{};
  glyph.left = static_cast<int16_t>(bitmap.originX);
  glyph.top = static_cast<int16_t>(-bitmap.originY);
  glyph.sourceWidth = static_cast<uint16_t>(bitmap.width);
  glyph.width = static_cast<uint16_t>((bitmap.width + 31u) & ~31u);
  glyph.height = static_cast<uint16_t>(bitmap.height);
  return XL_DownloadBitmapGlyph(job.enc, job.glyphs, name, code, glyph, bitmap.rows,
                                bitmap.rowsLength);
}

}  // namespace

bool Font_PrepareOutlines(const uint8_t* data, uint32_t size, const uint16_t* family,
                          uint32_t family_units, uint8_t charset, TtFile* file, TtFontState* state) {
  if (data == nullptr) return false;
  uint32_t directory = 0;
  if (Tt_IsCollection(data, size)) {
    directory = Tt_FindCollectionFont(data, size, family, family_units, charset);
    if (directory == 0) return false;
  }
  *file = TtFile{data, size, directory};
  return Tt_OpenFont(*file, state);
}

uint32_t Font_WriteFontHeader(XlEncoder* enc, const char* name, const SoftFontFace& face) {
  if (!XL_BeginFontHeader(enc, name)) return 0;
  uint8_t header[8] = {0, 0, 0, 0, 1, 0, 0, 0};
  if (face.bitmap) header[4] = 254;
  PutBig16(header + 6, 1024);
  if (!XL_ReadFontHeader(enc, header, sizeof header)) return 0;
  if (face.bitmap) {
    uint8_t br[10] = {'B', 'R'};
    PutBig32(br + 2, 4);
    PutBig16(br + 6, face.xResolution);
    PutBig16(br + 8, face.yResolution);
    if (!XL_ReadFontHeader(enc, br, sizeof br)) return 0;
  } else {
    if (face.file != nullptr) {
      for (const std::vector<uint8_t>& piece : Tt_BuildGtSegment(*face.file)) {
        if (!XL_ReadFontHeader(enc, piece.data(), static_cast<uint32_t>(piece.size()))) return 0;
      }
    }
    uint8_t gc[12] = {'G', 'C'};
    PutBig32(gc + 2, 6);
    PutBig16(gc + 6, 0);
    PutBig16(gc + 8, 0xFFFF);
    PutBig16(gc + 10, 0);
    if (!XL_ReadFontHeader(enc, gc, sizeof gc)) return 0;
  }
  const uint8_t null_segment[6] = {0xFF, 0xFF, 0, 0, 0, 0};
  return XL_ReadFontHeader(enc, null_segment, sizeof null_segment) && XL_EndFontHeader(enc);
}

uint32_t Font_DownloadTrueType(const SoftFontJob& job, const SoftFontFace& face, const char* name,
                               uint16_t code, uint32_t handle, bool default_char) {
  if (face.file == nullptr || face.state == nullptr || !face.state->ready) return 1;
  uint16_t glyph = code;
  if (!face.glyphIndexText) {
    glyph = Tt_CmapFormat4Lookup(*face.state, code, face.convert);
    if (glyph == 0) glyph = static_cast<uint16_t>(handle);
  }
  if (glyph >= face.state->numGlyphs) return 1;
  return SendGlyph(job, face, name, code, glyph, default_char, false, 0);
}

uint32_t Font_DownloadSoftFont(const SoftFontJob& job, const SoftFontFace& face,
                               const uint16_t* codes, const uint32_t* handles, uint32_t count,
                               uint16_t* sent, char name[64]) {
  char base[64];
  Font_MakeDownloadName(face.key, face.face, base);
  const uint8_t style = face.bitmap ? 0 : face.style;
  const uint32_t known = Font_FindDownloadedFont(job.cache, job.enc, base, face.key, style,
                                                 face.glyphIndexText ? 1 : 0, face.bitmap);
  const char* chosen = job.cache->current >= 0 ? Font_CurrentName(job.cache) : base;
  const size_t length = strnlen(chosen, 63);
  std::memcpy(name, chosen, length);
  name[length] = '\0';
  if (!known) {
    if (!Font_WriteFontHeader(job.enc, name, face)) return 0;
    if (!face.bitmap && !Font_DownloadTrueType(job, face, name, face.defaultChar, 0, true)) {
      return 0;
    }
    if (!XL_EndChar(job.enc, job.glyphs)) return 0;
  }
  for (uint32_t k = 0; k < count; ++k) {
    const uint16_t code = codes[k];
    sent[k] = code;
    if (Font_MarkCharDownloaded(job.cache, code)) continue;
    const uint32_t handle = handles ? handles[k] : 0;
    const uint32_t ok = face.bitmap ? SendBitmap(job, face, name, code, handle)
                                    : Font_DownloadTrueType(job, face, name, code, handle, false);
    if (!ok) return 0;
  }
  return XL_EndChar(job.enc, job.glyphs);
}
