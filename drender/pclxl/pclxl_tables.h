// Tag tables of the PCL XL encoder: the data-type tags, the operator tags
// and the attribute identifiers that the render core writes.
//
// Writers name a data type or an operator by its position in these tables
// and write the tag byte found there; positions that hold no operator carry
// kXlNoOperator and are never written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Positions of the data-type table.
enum XlTypePos : uint8_t {
  XLT_UBYTE = 0,
  XLT_UINT16 = 1,
  XLT_UINT32 = 2,
  XLT_SINT16 = 3,
  XLT_SINT32 = 4,
  XLT_UBYTE_XY = 5,
  XLT_UINT16_XY = 6,
  XLT_UINT32_XY = 7,
  XLT_SINT16_XY = 8,
  XLT_SINT32_XY = 9,
  XLT_UBYTE_BOX = 10,
  XLT_UINT16_BOX = 11,
  XLT_UINT32_BOX = 12,
  XLT_SINT16_BOX = 13,
  XLT_SINT32_BOX = 14,
  XLT_UBYTE_ARRAY = 15,
  XLT_UINT16_ARRAY = 16,
  XLT_UINT32_ARRAY = 17,
  XLT_SINT16_ARRAY = 18,
  XLT_SINT32_ARRAY = 19,
  XLT_EMBEDDED_LONG = 20,   // embedded data, four-byte length
  XLT_EMBEDDED_SHORT = 21,  // embedded data, one-byte length
  XLT_ATTR_UBYTE = 22,      // attribute identifier, one byte
  XLT_ATTR_UINT16 = 23,     // attribute identifier, two bytes (never written)
  XLT_REAL32 = 24,
  XLT_REAL32_XY = 25,
};
inline constexpr uint32_t kXlTypeCount = 26;
extern const uint8_t XlDataType[kXlTypeCount];

// Positions of the operator table.  Only the operators that the render core
// writes are named; the table also holds the tags of the other operators at
// their positions.  A writer names an operator by its position and writes
// the tag found there.
enum class XlOp : uint8_t {
  BeginSession = 0,
  EndSession = 1,
  BeginPage = 2,
  EndPage = 3,
  OpenDataSource = 6,
  CloseDataSource = 7,
  BeginFontHeader = 23,
  ReadFontHeader = 24,
  EndFontHeader = 25,
  BeginChar = 27,
  ReadChar = 28,
  EndChar = 30,
  RemoveFont = 31,
  BeginStream = 41,
  ReadStream = 42,
  EndStream = 43,
  ExecStream = 44,
  PopGS = 45,
  PushGS = 46,
  SetClipReplace = 47,
  SetBrushSource = 48,
  SetCharAngle = 57,
  SetCharScale = 58,
  SetCharShear = 60,
  SetClipIntersect = 71,
  SetClipRectangle = 72,
  SetClipToPage = 73,
  SetColorSpace = 74,
  SetCursor = 81,
  SetCursorRel = 82,
  SetFillMode = 85,
  SetFont = 86,
  SetLineDash = 87,
  SetLineCap = 88,
  SetLineJoin = 89,
  SetPageDefaultCTM = 91,
  SetPageOrigin = 92,
  SetPageRotation = 93,
  SetPageScale = 94,
  SetPaintTxMode = 95,
  SetPenSource = 96,
  SetPenWidth = 105,
  SetROP = 106,
  SetSourceTxMode = 107,
  SetCharBoldValue = 108,
  SetClipMode = 109,
  CloseSubPath = 112,
  NewPath = 114,
  PaintPath = 115,
  BezierRelPath = 122,
  LinePath = 128,
  LineRelPath = 129,
  Rectangle = 132,
  RectanglePath = 133,
  Text = 142,
  BeginImage = 145,
  ReadImage = 146,
  EndImage = 147,
  BeginRastPattern = 153,
  ReadRastPattern = 154,
  EndRastPattern = 158,
  RemoveStream = 163,
  VendorUnique = 164,
};
inline constexpr uint32_t kXlOperatorCount = 165;
inline constexpr uint8_t kXlNoOperator = 0xFF;
extern const std::array<uint8_t, kXlOperatorCount> XlOperator;

// The tag at an operator position; kXlNoOperator for a position that holds
// no operator or lies beyond the table.
inline uint8_t XlOperatorTag(XlOp op) {
  size_t position = static_cast<size_t>(op);
  return position < kXlOperatorCount ? XlOperator[position] : kXlNoOperator;
}

// Attribute identifiers, all written with the one-byte attribute tag.
enum XlAttr : uint8_t {
  XLA_PALETTE_DEPTH = 2,
  XLA_COLOR_SPACE = 3,
  XLA_NULL_BRUSH = 4,
  XLA_NULL_PEN = 5,
  XLA_PALETTE_DATA = 6,
  XLA_PATTERN_SELECT_ID = 8,
  XLA_GRAY_LEVEL = 9,
  XLA_RGB_COLOR = 11,
  XLA_MEDIA_SIZE = 37,
  XLA_MEDIA_SOURCE = 38,
  XLA_MEDIA_TYPE = 39,
  XLA_ORIENTATION = 40,
  XLA_PAGE_ANGLE = 41,
  XLA_PAGE_ORIGIN = 42,
  XLA_PAGE_SCALE = 43,
  XLA_ROP3 = 44,
  XLA_TX_MODE = 45,
  XLA_PAGE_COPIES = 49,
  XLA_SIMPLEX_PAGE_MODE = 52,
  XLA_DUPLEX_PAGE_MODE = 53,
  XLA_BOUNDING_BOX = 66,
  XLA_DASH_OFFSET = 67,
  XLA_END_POINT = 69,
  XLA_FILL_MODE = 70,
  XLA_LINE_CAP_STYLE = 71,
  XLA_LINE_JOIN_STYLE = 72,
  XLA_LINE_DASH_STYLE = 74,
  XLA_PEN_WIDTH = 75,
  XLA_POINT = 76,
  XLA_NUMBER_OF_POINTS = 77,
  XLA_SOLID_LINE = 78,
  XLA_POINT_TYPE = 80,
  XLA_CLIP_REGION = 83,
  XLA_CLIP_MODE = 84,
  XLA_COLOR_DEPTH = 98,
  XLA_BLOCK_HEIGHT = 99,
  XLA_COLOR_MAPPING = 100,
  XLA_COMPRESS_MODE = 101,
  XLA_DESTINATION_SIZE = 103,
  XLA_PATTERN_PERSISTENCE = 104,
  XLA_PATTERN_DEFINE_ID = 105,
  XLA_SOURCE_HEIGHT = 107,
  XLA_SOURCE_WIDTH = 108,
  XLA_START_LINE = 109,
  XLA_DATA_ORG = 130,
  XLA_MEASURE = 134,
  XLA_SOURCE_TYPE = 136,
  XLA_UNITS_PER_MEASURE = 137,
  XLA_STREAM_NAME = 139,
  XLA_STREAM_DATA_LENGTH = 140,  // ReadStream of a stored stream
  XLA_ERROR_REPORT = 143,
  XLA_CHAR_ANGLE = 161,
  XLA_CHAR_CODE = 162,
  XLA_CHAR_DATA_SIZE = 163,
  XLA_CHAR_SCALE = 164,
  XLA_CHAR_SHEAR = 165,
  XLA_CHAR_SIZE = 166,
  XLA_FONT_HEADER_LENGTH = 167,
  XLA_FONT_NAME = 168,
  XLA_FONT_FORMAT = 169,  // BeginFontHeader of a soft font
  XLA_SYMBOL_SET = 170,
  XLA_TEXT_DATA = 171,
  XLA_X_SPACING_DATA = 175,
  XLA_Y_SPACING_DATA = 176,
  XLA_CHAR_BOLD_VALUE = 177,
};
