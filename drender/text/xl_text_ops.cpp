#include "drender/text/xl_text_ops.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

uint32_t NameLength(const char* name) {
  uint32_t length = 0;
  while (length < kXlFontNameMax && name[length] != '\0') ++length;
  return length;
}

// FontName as a ubyte array attribute.
uint32_t FontNameAttr(XlEncoder* enc, const char* name) {
  if (name == nullptr) return 0;
  return XL_UByteArray(enc, reinterpret_cast<const uint8_t*>(name), NameLength(name)) &&
         XL_Attr(enc, XLA_FONT_NAME);
}

uint32_t FloatBits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A cached real32 matches only a number with the same bits.
bool SameReal(uint32_t cached, float value) {
  return !std::isnan(value) && cached == FloatBits(value);
}

void PutBig16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value);
}

// BeginChar when no block is open, then CharCode, CharDataSize and ReadChar.
uint32_t StartChar(XlEncoder* enc, XlGlyphDownload* state, const char* name, uint16_t code,
                   uint32_t data_size) {
  if (!state->open) {
    if (!FontNameAttr(enc, name) || !XL_Operator(enc, XlOp::BeginChar)) return 0;
    state->open = 1;
  }
  XL_GroupStart(enc);
  XL_GroupUInt16(enc, code);
  XL_GroupAttr(enc, XLA_CHAR_CODE);
  XL_GroupUInt32(enc, data_size);
  XL_GroupAttr(enc, XLA_CHAR_DATA_SIZE);
  XL_GroupOperator(enc, XlOp::ReadChar);
  return XL_GroupSend(enc);
}

}  // namespace

uint32_t XL_RemoveFont(XlEncoder* enc, const char* name) {
  return FontNameAttr(enc, name) && XL_Operator(enc, XlOp::RemoveFont);
}

uint32_t XL_BeginFontHeader(XlEncoder* enc, const char* name) {
  if (!FontNameAttr(enc, name)) return 0;
  XL_GroupStart(enc);
  XL_GroupUByte(enc, 0);
  XL_GroupAttr(enc, XLA_FONT_FORMAT);
  XL_GroupOperator(enc, XlOp::BeginFontHeader);
  return XL_GroupSend(enc);
}

uint32_t XL_ReadFontHeader(XlEncoder* enc, const void* data, uint32_t length) {
  if (data == nullptr || length == 0) return 0;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  while (length > 0) {
    const uint16_t piece = length > 0xFFFF ? 0xFFFF : static_cast<uint16_t>(length);
    XL_GroupStart(enc);
    XL_GroupUInt16(enc, piece);
    XL_GroupAttr(enc, XLA_FONT_HEADER_LENGTH);
    XL_GroupOperator(enc, XlOp::ReadFontHeader);
    if (!XL_GroupSend(enc) || !XL_EmbeddedData(enc, bytes, piece, XL_EMBED_LONG)) return 0;
    bytes += piece;
    length -= piece;
  }
  return 1;
}

uint32_t XL_EndFontHeader(XlEncoder* enc) { return XL_Operator(enc, XlOp::EndFontHeader); }

uint32_t XL_DownloadOutlineGlyph(XlEncoder* enc, XlGlyphDownload* state, const char* name,
                                 uint16_t code, const XlOutlineGlyph& glyph, const uint8_t* data,
                                 uint32_t length) {
  if (length > 0xFFFF - 8 || (length > 0 && data == nullptr)) return 0;
  const bool marked = glyph.defaultChar || glyph.component;
  uint8_t header[10];
  header[0] = 1;  // format
  header[1] = 1;  // class: TrueType glyph
  PutBig16(header + 2, static_cast<uint16_t>(length + 8));
  PutBig16(header + 4, static_cast<uint16_t>(glyph.leftSideBearing));
  PutBig16(header + 6, glyph.advanceWidth);
  PutBig16(header + 8, glyph.defaultChar && !glyph.component ? 0 : glyph.glyphId);
  const uint16_t sent_code = marked ? 0xFFFF : code;
  if (!StartChar(enc, state, name, sent_code, length + 10)) return 0;
  if (!XL_EmbeddedHeader(enc, length + 10, XL_EMBED_LONG)) return 0;
  if (!XL_WriteRaw(enc, header, sizeof header)) return 0;
  return length == 0 || XL_WriteRaw(enc, data, length);
}

uint32_t XL_DownloadBitmapGlyph(XlEncoder* enc, XlGlyphDownload* state, const char* name,
                                uint16_t code, const XlBitmapGlyph& glyph, const uint8_t* rows,
                                uint32_t rows_length) {
  const uint32_t sourceRow = (glyph.sourceWidth + 7u) / 8u;
  const uint32_t row = (glyph.width + 7u) / 8u;
  if (glyph.width < glyph.sourceWidth) return 0;
  if (static_cast<uint64_t>(sourceRow) * glyph.height > rows_length) return 0;
  if (sourceRow * glyph.height > 0 && rows == nullptr) return 0;
  const uint64_t dataLength = static_cast<uint64_t>(row) * glyph.height;
  if (dataLength + 10 > 0xFFFFFFFFu) return 0;
  std::vector<uint8_t> data(static_cast<size_t>(dataLength) + 10, 0);
  data[0] = 0;  // format
  data[1] = 0;  // class: bitmap
  PutBig16(&data[2], static_cast<uint16_t>(glyph.left));
  PutBig16(&data[4], static_cast<uint16_t>(glyph.top));
  PutBig16(&data[6], glyph.width);
  PutBig16(&data[8], glyph.height);
  for (uint32_t y = 0; y < glyph.height; ++y) {
    if (sourceRow > 0) std::memcpy(&data[10 + y * row], rows + y * sourceRow, sourceRow);
  }
  const uint32_t size = static_cast<uint32_t>(data.size());
  if (!StartChar(enc, state, name, code, size)) return 0;
  return XL_EmbeddedData(enc, data.data(), size, XL_EMBED_AUTO);
}

uint32_t XL_EndChar(XlEncoder* enc, XlGlyphDownload* state) {
  if (!state->open) return 1;
  state->open = 0;
  return XL_Operator(enc, XlOp::EndChar);
}

uint32_t XL_SetCharShear(XlEncoder* enc, XlStateCache* cache, float x, float y) {
  uint32_t result = 1;
  if (!SameReal(cache->charShear[0], x) || !SameReal(cache->charShear[1], y)) {
    XL_GroupStart(enc);
    XL_GroupReal32XY(enc, FloatBits(x), FloatBits(y));
    XL_GroupAttr(enc, XLA_CHAR_SHEAR);
    XL_GroupOperator(enc, XlOp::SetCharShear);
    result = XL_GroupSend(enc);
  }
  cache->charShear[0] = FloatBits(x);
  cache->charShear[1] = FloatBits(y);
  return result;
}

uint32_t XL_SetCharBoldValue(XlEncoder* enc, XlStateCache* cache, float value) {
  uint32_t result = 1;
  if (!SameReal(cache->charBold, value)) {
    XL_GroupStart(enc);
    XL_GroupReal32(enc, FloatBits(value));
    XL_GroupAttr(enc, XLA_CHAR_BOLD_VALUE);
    XL_GroupOperator(enc, XlOp::SetCharBoldValue);
    result = XL_GroupSend(enc);
  }
  cache->charBold = FloatBits(value);
  return result;
}

uint32_t XL_SetCharScale(XlEncoder* enc, XlStateCache* cache, float x, float y) {
  uint32_t result = 1;
  if (!SameReal(cache->charScale[0], x) || !SameReal(cache->charScale[1], y)) {
    XL_GroupStart(enc);
    XL_GroupReal32XY(enc, FloatBits(x), FloatBits(y));
    XL_GroupAttr(enc, XLA_CHAR_SCALE);
    XL_GroupOperator(enc, XlOp::SetCharScale);
    result = XL_GroupSend(enc);
    cache->charAngle = -1;
  }
  cache->charScale[0] = FloatBits(x);
  cache->charScale[1] = FloatBits(y);
  return result;
}

uint32_t XL_SetCharAngle(XlEncoder* enc, XlStateCache* cache, int16_t angle) {
  uint32_t result = 1;
  if (cache->charAngle != angle) {
    XL_GroupStart(enc);
    XL_GroupSInt16(enc, angle);
    XL_GroupAttr(enc, XLA_CHAR_ANGLE);
    XL_GroupOperator(enc, XlOp::SetCharAngle);
    result = XL_GroupSend(enc);
  }
  cache->charAngle = angle;
  return result;
}

uint32_t XL_SetFont(XlEncoder* enc, const XlFontSelection& font) {
  if (!FontNameAttr(enc, font.name)) return 0;
  XL_GroupStart(enc);
  XL_GroupUInt16(enc, font.charSize);
  XL_GroupAttr(enc, XLA_CHAR_SIZE);
  XL_GroupUInt16(enc, font.symbolSet);
  XL_GroupAttr(enc, XLA_SYMBOL_SET);
  XL_GroupOperator(enc, XlOp::SetFont);
  return XL_GroupSend(enc);
}

bool XL_TextHasInk(const XlTextRun& run) {
  if (run.glyphIndex) return true;
  if (run.text == nullptr) return false;
  for (uint32_t i = 0; i < run.count; ++i) {
    if (run.wide) {
      const uint16_t unit = static_cast<const uint16_t*>(run.text)[i];
      const bool blank = unit == 13 || unit == 32 ||
                         (run.doubleByte && (unit == 0x8140 || unit == 0x0D0A));
      if (!blank) return true;
    } else {
      const uint8_t byte = static_cast<const uint8_t*>(run.text)[i];
      if (!((byte >= 9 && byte <= 13) || byte == 32)) return true;
    }
  }
  return false;
}

uint32_t XL_Text(XlEncoder* enc, XlStateCache* cache, const XlTextContent& content,
                 const XlTextRun& run) {
  if (run.text == nullptr || run.count == 0) return 0;
  if (content.track && !(cache->contentFlags & kXlMarkText) && !cache->uiDrawing &&
      XL_TextHasInk(run) && !cache->brushWhite) {
    cache->contentFlags |= kXlMarkText;
  }
  const uint32_t written =
      run.wide ? XL_UInt16Array(enc, static_cast<const uint16_t*>(run.text), run.count)
               : XL_UByteArray(enc, static_cast<const uint8_t*>(run.text), run.count);
  if (!written || !XL_Attr(enc, XLA_TEXT_DATA)) return 0;
  if (run.count > 1) {
    const int16_t* arrays[2] = {run.xSpacing, run.ySpacing};
    const XlAttr ids[2] = {XLA_X_SPACING_DATA, XLA_Y_SPACING_DATA};
    for (int a = 0; a < 2; ++a) {
      const int16_t* values = arrays[a];
      if (values == nullptr) continue;
      bool any = false;
      for (uint32_t i = 0; i < run.count && !any; ++i) any = values[i] != 0;
      if (!any) continue;
      if (!XL_SInt16Array(enc, values, run.count) || !XL_Attr(enc, ids[a])) return 0;
    }
  }
  return XL_Operator(enc, XlOp::Text);
}
