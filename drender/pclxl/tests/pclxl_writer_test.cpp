// Primitive writers, groups and embedded data of the encoder, checked
// byte for byte where the layout is fixed and through the independent
// stream dissector for whole streams.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_tables.h"
#include "drender/pclxl/pclxl_vendor_unique.h"
#include "drender/pclxl/pclxl_writer.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/memory_sink.h"

namespace {

using testsupport::MemorySink;

struct Encoder {
  MemorySink sink;
  XlEncoder enc;
  Encoder() { XL_InitEncoder(&enc, &MemorySink::Write, &sink); }
};

using Bytes = std::vector<uint8_t>;

TEST(XlWriter, EmbeddedDataChoosesItsLengthForm) {
  struct Case {
    uint32_t length;
    XlEmbedForm form;
    Bytes intro;
  };
  const Case cases[] = {
      {0, XL_EMBED_AUTO, {0xFB, 0x00}},
      {255, XL_EMBED_AUTO, {0xFB, 0xFF}},
      {256, XL_EMBED_AUTO, {0xFA, 0x00, 0x01, 0x00, 0x00}},
      {70000, XL_EMBED_AUTO, {0xFA, 0x70, 0x11, 0x01, 0x00}},
      {16, XL_EMBED_LONG, {0xFA, 0x10, 0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    Encoder e;
    Bytes data(c.length, 0x5A);
    ASSERT_EQ(XL_EmbeddedData(&e.enc, data.data(), c.length, c.form), 1u);
    Bytes expected = c.intro;
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(e.sink.bytes, expected) << c.length;
    // The introducer and the data are two writes (none for empty data).
    EXPECT_EQ(e.sink.calls.size(), c.length ? 2u : 1u) << c.length;
  }
  Encoder e;
  EXPECT_EQ(XL_EmbeddedData(&e.enc, nullptr, 4, XL_EMBED_AUTO), 0u);
  EXPECT_TRUE(e.sink.bytes.empty());
}

TEST(XlWriter, PrimitivesWriteTagsAndLowByteFirstValues) {
  Encoder e;
  const uint16_t u16[] = {0x0102, 0xFFFF};
  const int16_t s16[] = {-2, 300};
  XL_UByte(&e.enc, 0x2A, 0);
  XL_UByte(&e.enc, 0x2A, 1);
  XL_UInt16(&e.enc, 0x1234);
  XL_UInt16XY(&e.enc, 600, 1200);
  XL_Real32XY(&e.enc, Rdc_MillionthsToReal32(1000000), Rdc_MillionthsToReal32(-2000000));
  XL_UByteArray(&e.enc, reinterpret_cast<const uint8_t*>("AB"), 2);
  XL_UInt16Array(&e.enc, u16, 2);
  XL_SInt16Array(&e.enc, s16, 2);
  XL_Operator(&e.enc, XlOp::NewPath);
  EXPECT_EQ(e.sink.bytes, (Bytes{0xC0, 0x2A, 0xF8, 0x2A, 0xC1, 0x34, 0x12,
                                 0xD1, 0x58, 0x02, 0xB0, 0x04,
                                 0xD5, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0,
                                 0xC8, 0xC1, 0x02, 0x00, 'A', 'B',
                                 0xC9, 0xC1, 0x02, 0x00, 0x02, 0x01, 0xFF, 0xFF,
                                 0xCB, 0xC1, 0x02, 0x00, 0xFE, 0xFF, 0x2C, 0x01,
                                 0x85}));
}

TEST(XlWriter, RefusesWhatItCannotEncode) {
  Encoder e;
  std::vector<uint8_t> big(65536, 1);
  std::vector<uint16_t> big16(65536, 1);
  EXPECT_EQ(XL_UByteArray(&e.enc, big.data(), 65536), 0u);
  EXPECT_EQ(XL_UInt16Array(&e.enc, big16.data(), 65536), 0u);
  EXPECT_EQ(XL_UByteArray(&e.enc, nullptr, 3), 0u);
  EXPECT_EQ(XL_SInt16Array(&e.enc, nullptr, 1), 0u);
  EXPECT_EQ(XL_Operator(&e.enc, static_cast<XlOp>(11)), 0u);   // a position without an operator
  EXPECT_EQ(XL_Operator(&e.enc, static_cast<XlOp>(200)), 0u);  // beyond the table
  EXPECT_TRUE(e.sink.bytes.empty());
  // The largest countable array is written whole.
  ASSERT_EQ(XL_UByteArray(&e.enc, big.data(), 65535), 1u);
  EXPECT_EQ(e.sink.bytes.size(), 4u + 65535u);
  EXPECT_EQ(e.sink.bytes[2], 0xFF);
  EXPECT_EQ(e.sink.bytes[3], 0xFF);
}

// The attribute group of BeginRastPattern, the longest one.
void RastPatternGroup(XlEncoder* enc) {
  XL_GroupStart(enc);
  XL_GroupUByte(enc, 1);
  XL_GroupAttr(enc, XLA_COLOR_MAPPING);
  XL_GroupUByte(enc, 0);
  XL_GroupAttr(enc, XLA_COLOR_DEPTH);
  XL_GroupUInt16(enc, 8);
  XL_GroupAttr(enc, XLA_SOURCE_WIDTH);
  XL_GroupUInt16(enc, 8);
  XL_GroupAttr(enc, XLA_SOURCE_HEIGHT);
  XL_GroupUInt16XY(enc, 32, 32);
  XL_GroupAttr(enc, XLA_DESTINATION_SIZE);
  XL_GroupSInt16(enc, 7);
  XL_GroupAttr(enc, XLA_PATTERN_DEFINE_ID);
  XL_GroupUByte(enc, 1);
  XL_GroupAttr(enc, XLA_PATTERN_PERSISTENCE);
  XL_GroupOperator(enc, XlOp::BeginRastPattern);
}

TEST(XlWriter, GroupGoesOutInOneWriteAndNeverOverflows) {
  Encoder e;
  RastPatternGroup(&e.enc);
  ASSERT_EQ(XL_GroupSend(&e.enc), 1u);
  ASSERT_EQ(e.sink.calls, (std::vector<uint32_t>{35}));

  // One value more does not fit: the group is dropped whole.
  Encoder f;
  RastPatternGroup(&f.enc);
  XL_GroupUByte(&f.enc, 0);
  EXPECT_EQ(XL_GroupSend(&f.enc), 0u);
  EXPECT_TRUE(f.sink.calls.empty());
  // The buffer is usable again afterwards.
  XL_GroupStart(&f.enc);
  XL_GroupUByte(&f.enc, 0);
  XL_GroupAttr(&f.enc, XLA_FILL_MODE);
  XL_GroupOperator(&f.enc, XlOp::SetFillMode);
  EXPECT_EQ(XL_GroupSend(&f.enc), 1u);
  EXPECT_EQ(f.sink.bytes, (Bytes{0xC0, 0x00, 0xF8, 70, 0x6E}));
}

TEST(XlWriter, TwoEncodersKeepTheirGroupsApart) {
  Encoder a;
  Encoder b;
  XL_GroupStart(&a.enc);
  XL_GroupStart(&b.enc);
  XL_GroupUInt16(&a.enc, 1);
  XL_GroupUByte(&b.enc, 2);
  XL_GroupAttr(&a.enc, XLA_PAGE_COPIES);
  XL_GroupAttr(&b.enc, XLA_FILL_MODE);
  XL_GroupOperator(&b.enc, XlOp::SetFillMode);
  XL_GroupOperator(&a.enc, XlOp::EndPage);
  XL_GroupSend(&b.enc);
  XL_GroupSend(&a.enc);
  EXPECT_EQ(a.sink.bytes, (Bytes{0xC1, 0x01, 0x00, 0xF8, 49, 0x44}));
  EXPECT_EQ(b.sink.bytes, (Bytes{0xC0, 0x02, 0xF8, 70, 0x6E}));
}

TEST(XlWriter, SinkFailureStopsTheWriter) {
  Encoder e;
  e.sink.failAfter = 0;
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(XL_UByteArray(&e.enc, bytes, 3), 0u);
  EXPECT_EQ(e.sink.calls.size(), 1u);  // the elements were not attempted
  Encoder f;
  f.sink.failAfter = 1;
  EXPECT_EQ(XL_EmbeddedData(&f.enc, bytes, 3, XL_EMBED_AUTO), 0u);
  EXPECT_EQ(XL_Operator(&f.enc, XlOp::NewPath), 0u);
}

// Every operator of the table is an operator of the format, and the ones
// the render core writes sit where its writers look for them.
TEST(XlTables, OperatorsAreTagsOfTheFormat) {
  size_t count = 0;
  for (uint32_t pos = 0; pos < kXlOperatorCount; ++pos) {
    if (XlOperator[pos] == kXlNoOperator) continue;
    ++count;
    EXPECT_NE(xl::OperatorName(XlOperator[pos]), nullptr) << pos;
  }
  EXPECT_EQ(count, 88u);
  const std::pair<XlOp, const char*> written[] = {
      {XlOp::BeginSession, "BeginSession"},     {XlOp::EndSession, "EndSession"},
      {XlOp::BeginPage, "BeginPage"},           {XlOp::EndPage, "EndPage"},
      {XlOp::OpenDataSource, "OpenDataSource"}, {XlOp::CloseDataSource, "CloseDataSource"},
      {XlOp::BeginFontHeader, "BeginFontHeader"}, {XlOp::ReadFontHeader, "ReadFontHeader"},
      {XlOp::EndFontHeader, "EndFontHeader"},  {XlOp::BeginChar, "BeginChar"},
      {XlOp::ReadChar, "ReadChar"},             {XlOp::EndChar, "EndChar"},
      {XlOp::RemoveFont, "RemoveFont"},         {XlOp::BeginStream, "BeginStream"},
      {XlOp::ReadStream, "ReadStream"},         {XlOp::EndStream, "EndStream"},
      {XlOp::ExecStream, "ExecStream"},         {XlOp::PopGS, "PopGS"},
      {XlOp::PushGS, "PushGS"},                 {XlOp::SetClipReplace, "SetClipReplace"},
      {XlOp::SetBrushSource, "SetBrushSource"}, {XlOp::SetCharAngle, "SetCharAngle"},
      {XlOp::SetCharScale, "SetCharScale"},    {XlOp::SetCharShear, "SetCharShear"},
      {XlOp::SetClipIntersect, "SetClipIntersect"},
      {XlOp::SetClipRectangle, "SetClipRectangle"},
      {XlOp::SetClipToPage, "SetClipToPage"}, {XlOp::SetColorSpace, "SetColorSpace"},
      {XlOp::SetCursor, "SetCursor"},           {XlOp::SetCursorRel, "SetCursorRel"},
      {XlOp::SetFillMode, "SetFillMode"},      {XlOp::SetFont, "SetFont"},
      {XlOp::SetLineDash, "SetLineDash"},      {XlOp::SetLineCap, "SetLineCap"},
      {XlOp::SetLineJoin, "SetLineJoin"},      {XlOp::SetPageDefaultCTM, "SetPageDefaultCTM"},
      {XlOp::SetPageOrigin, "SetPageOrigin"},  {XlOp::SetPageRotation, "SetPageRotation"},
      {XlOp::SetPageScale, "SetPageScale"},    {XlOp::SetPaintTxMode, "SetPaintTxMode"},
      {XlOp::SetPenSource, "SetPenSource"},    {XlOp::SetPenWidth, "SetPenWidth"},
      {XlOp::SetROP, "SetROP"},                 {XlOp::SetSourceTxMode, "SetSourceTxMode"},
      {XlOp::SetCharBoldValue, "SetCharBoldValue"}, {XlOp::SetClipMode, "SetClipMode"},
      {XlOp::CloseSubPath, "CloseSubPath"},    {XlOp::NewPath, "NewPath"},
      {XlOp::PaintPath, "PaintPath"},           {XlOp::BezierRelPath, "BezierRelPath"},
      {XlOp::LinePath, "LinePath"},             {XlOp::LineRelPath, "LineRelPath"},
      {XlOp::Rectangle, "Rectangle"},            {XlOp::RectanglePath, "RectanglePath"},
      {XlOp::Text, "Text"},                      {XlOp::BeginImage, "BeginImage"},
      {XlOp::ReadImage, "ReadImage"},           {XlOp::EndImage, "EndImage"},
      {XlOp::BeginRastPattern, "BeginRastPattern"},
      {XlOp::ReadRastPattern, "ReadRastPattern"},
      {XlOp::EndRastPattern, "EndRastPattern"}, {XlOp::RemoveStream, "RemoveStream"},
      {XlOp::VendorUnique, "VendorUnique"},
  };
  for (const auto& [pos, name] : written) {
    const char* found = xl::OperatorName(XlOperatorTag(pos));
    EXPECT_STREQ(found ? found : "(none)", name) << static_cast<int>(pos);
  }
}

TEST(XlTables, DataTypeTagsAreThoseOfTheFormat) {
  // The dissector reads each value tag back as the type its name says.
  const std::pair<XlTypePos, const char*> values[] = {
      {XLT_UBYTE, "ubyte"},           {XLT_UINT16, "uint16"},
      {XLT_UINT32, "uint32"},         {XLT_SINT16, "sint16"},
      {XLT_SINT32, "sint32"},         {XLT_UBYTE_XY, "ubyte_xy"},
      {XLT_UINT16_XY, "uint16_xy"},   {XLT_UINT32_XY, "uint32_xy"},
      {XLT_SINT16_XY, "sint16_xy"},   {XLT_SINT32_XY, "sint32_xy"},
      {XLT_UBYTE_BOX, "ubyte_box"},   {XLT_UINT16_BOX, "uint16_box"},
      {XLT_UINT32_BOX, "uint32_box"}, {XLT_SINT16_BOX, "sint16_box"},
      {XLT_SINT32_BOX, "sint32_box"}, {XLT_UBYTE_ARRAY, "ubyte_array"},
      {XLT_UINT16_ARRAY, "uint16_array"}, {XLT_UINT32_ARRAY, "uint32_array"},
      {XLT_SINT16_ARRAY, "sint16_array"}, {XLT_SINT32_ARRAY, "sint32_array"},
      {XLT_REAL32, "real32"},         {XLT_REAL32_XY, "real32_xy"},
  };
  for (const auto& [pos, name] : values) {
    // A VendorUnique operator carries any attribute: wrap the value in one.
    Bytes b = {XlDataType[pos]};
    bool array = std::string(name).find("_array") != std::string::npos;
    size_t items = array ? 1 : std::string(name).find("_box") != std::string::npos ? 4
                         : std::string(name).find("_xy") != std::string::npos  ? 2
                                                                                : 1;
    if (array) b.insert(b.end(), {0xC0, 1});
    size_t size = std::string(name).find("byte") != std::string::npos ? 1
                  : std::string(name).find("16") != std::string::npos ? 2
                                                                       : 4;
    b.insert(b.end(), items * size, 0);
    b.insert(b.end(), {0xF8, 150, 0x46});
    xl::Options o;
    o.header = false;
    o.start = xl::Context::Session;
    xl::Dissection d = xl::Dissect(b, o);
    ASSERT_TRUE(d.ok) << name << ": " << d.error;
    EXPECT_EQ(d.ops[0].attributes[0].value.TypeName(), name);
  }
  EXPECT_EQ(XlDataType[XLT_EMBEDDED_LONG], 0xFA);
  EXPECT_EQ(XlDataType[XLT_EMBEDDED_SHORT], 0xFB);
  EXPECT_EQ(XlDataType[XLT_ATTR_UBYTE], 0xF8);
  EXPECT_EQ(XlDataType[XLT_ATTR_UINT16], 0xF9);
}

// --- A whole stream built with the writers ------------------------------

void Op(XlEncoder* e, XlOp op) { XL_Operator(e, op); }

void BuildStream(XlEncoder* e, std::vector<uint8_t>* streamContent) {
  const char header[] = ") HP-PCL XL;3;0;\n";
  XL_WriteRaw(e, header, sizeof(header) - 1);
  XL_GroupStart(e);
  XL_GroupUInt16XY(e, 600, 600);
  XL_GroupAttr(e, XLA_UNITS_PER_MEASURE);
  XL_GroupUByte(e, 0);
  XL_GroupAttr(e, XLA_MEASURE);
  XL_GroupUByte(e, 2);
  XL_GroupAttr(e, XLA_ERROR_REPORT);
  XL_GroupOperator(e, XlOp::BeginSession);
  XL_GroupSend(e);
  XL_UByte(e, 0, 0);
  XL_Attr(e, XLA_SOURCE_TYPE);
  XL_UByte(e, 1, 0);
  XL_Attr(e, XLA_DATA_ORG);
  Op(e, XlOp::OpenDataSource);

  // A soft font with one glyph, outside any page.
  const uint8_t name[] = "F0001";
  XL_UByteArray(e, name, 5);
  XL_Attr(e, XLA_FONT_NAME);
  XL_UByte(e, 0, 0);
  XL_Attr(e, XLA_FONT_FORMAT);
  Op(e, XlOp::BeginFontHeader);
  Bytes fontHeader(88, 0x11);
  XL_UInt16(e, 88);
  XL_Attr(e, XLA_FONT_HEADER_LENGTH);
  Op(e, XlOp::ReadFontHeader);
  XL_EmbeddedData(e, fontHeader.data(), 88, XL_EMBED_LONG);
  Op(e, XlOp::EndFontHeader);
  XL_UByteArray(e, name, 5);
  XL_Attr(e, XLA_FONT_NAME);
  Op(e, XlOp::BeginChar);
  Bytes glyph(16, 0x22);
  XL_UInt16(e, 65);
  XL_Attr(e, XLA_CHAR_CODE);
  XL_GroupStart(e);
  XL_GroupUInt32(e, 16);
  XL_GroupAttr(e, XLA_CHAR_DATA_SIZE);
  XL_GroupOperator(e, XlOp::ReadChar);
  XL_GroupSend(e);
  XL_EmbeddedData(e, glyph.data(), 16, XL_EMBED_AUTO);
  Op(e, XlOp::EndChar);

  // A page template's vendor operator, then the page.
  XL_VendorUnique(e, "VDU/194_1/248_200/");
  XL_GroupStart(e);
  XL_GroupUByte(e, 1);
  XL_GroupAttr(e, XLA_MEDIA_SOURCE);
  XL_GroupUByte(e, 0);
  XL_GroupAttr(e, XLA_ORIENTATION);
  XL_GroupUByte(e, 2);
  XL_GroupAttr(e, XLA_MEDIA_SIZE);
  XL_GroupOperator(e, XlOp::BeginPage);
  XL_GroupSend(e);
  XL_Real32XY(e, Rdc_MillionthsToReal32(707000), Rdc_MillionthsToReal32(707000));
  XL_Attr(e, XLA_PAGE_SCALE);
  Op(e, XlOp::SetPageScale);

  // An indexed image with a two-entry palette, one PackBits block.
  XL_UByte(e, 2, 0);
  XL_Attr(e, XLA_COLOR_SPACE);
  XL_UByte(e, 2, 0);
  XL_Attr(e, XLA_PALETTE_DEPTH);
  const uint8_t palette[] = {0, 0, 0, 255, 255, 255};
  XL_UByteArray(e, palette, 6);
  XL_Attr(e, XLA_PALETTE_DATA);
  Op(e, XlOp::SetColorSpace);
  XL_GroupStart(e);
  XL_GroupSInt16XY(e, 100, 200);
  XL_GroupAttr(e, XLA_POINT);
  XL_GroupOperator(e, XlOp::SetCursor);
  XL_GroupSend(e);
  XL_GroupStart(e);
  XL_GroupUByte(e, 1);
  XL_GroupAttr(e, XLA_COLOR_MAPPING);
  XL_GroupUByte(e, 0);
  XL_GroupAttr(e, XLA_COLOR_DEPTH);
  XL_GroupUInt16(e, 16);
  XL_GroupAttr(e, XLA_SOURCE_WIDTH);
  XL_GroupUInt16(e, 2);
  XL_GroupAttr(e, XLA_SOURCE_HEIGHT);
  XL_GroupUInt16XY(e, 16, 2);
  XL_GroupAttr(e, XLA_DESTINATION_SIZE);
  XL_GroupOperator(e, XlOp::BeginImage);
  XL_GroupSend(e);
  XL_GroupStart(e);
  XL_GroupUInt16(e, 0);
  XL_GroupAttr(e, XLA_START_LINE);
  XL_GroupUInt16(e, 2);
  XL_GroupAttr(e, XLA_BLOCK_HEIGHT);
  XL_GroupUByte(e, 1);
  XL_GroupAttr(e, XLA_COMPRESS_MODE);
  XL_GroupOperator(e, XlOp::ReadImage);
  XL_GroupSend(e);
  const uint8_t rows[] = {0x01, 0xF0, 0x0F, 0xFF, 0x00, 0x03, 0xAA, 0x55, 0x00, 0x00};
  XL_EmbeddedData(e, rows, sizeof(rows), XL_EMBED_AUTO);
  Op(e, XlOp::EndImage);

  // A pattern, a path and text.
  RastPatternGroup(e);
  XL_GroupSend(e);
  XL_GroupStart(e);
  XL_GroupUInt16(e, 0);
  XL_GroupAttr(e, XLA_START_LINE);
  XL_GroupUInt16(e, 8);
  XL_GroupAttr(e, XLA_BLOCK_HEIGHT);
  XL_GroupUByte(e, 0);
  XL_GroupAttr(e, XLA_COMPRESS_MODE);
  XL_GroupOperator(e, XlOp::ReadRastPattern);
  XL_GroupSend(e);
  Bytes pattern(32, 0);
  for (int r = 0; r < 8; ++r) pattern[r * 4] = static_cast<uint8_t>(0x3F << (r % 2));
  XL_EmbeddedData(e, pattern.data(), 32, XL_EMBED_AUTO);
  Op(e, XlOp::EndRastPattern);
  Op(e, XlOp::NewPath);
  XL_GroupStart(e);
  XL_GroupUInt16(e, 3);
  XL_GroupAttr(e, XLA_NUMBER_OF_POINTS);
  XL_GroupUByte(e, 1);
  XL_GroupAttr(e, XLA_POINT_TYPE);
  XL_GroupOperator(e, XlOp::LineRelPath);
  XL_GroupSend(e);
  const int8_t points[] = {10, 0, 0, 10, -10, 0};
  XL_EmbeddedData(e, points, sizeof(points), XL_EMBED_AUTO);
  Op(e, XlOp::CloseSubPath);
  Op(e, XlOp::PaintPath);
  XL_UByteArray(e, name, 5);
  XL_Attr(e, XLA_FONT_NAME);
  XL_UInt16(e, 100);
  XL_Attr(e, XLA_CHAR_SIZE);
  XL_UInt16(e, 629);
  XL_Attr(e, XLA_SYMBOL_SET);
  Op(e, XlOp::SetFont);
  const uint16_t text[] = {65, 66};
  const int16_t advances[] = {30, -2};
  XL_UInt16Array(e, text, 2);
  XL_Attr(e, XLA_TEXT_DATA);
  XL_SInt16Array(e, advances, 2);
  XL_Attr(e, XLA_X_SPACING_DATA);
  Op(e, XlOp::Text);

  // A user stream, defined and executed in the page.
  const uint8_t stream[] = "TABPROC";
  XL_UByteArray(e, stream, 7);
  XL_Attr(e, XLA_STREAM_NAME);
  Op(e, XlOp::BeginStream);
  XL_GroupStart(e);
  XL_GroupUInt32(e, static_cast<uint32_t>(streamContent->size()));
  XL_GroupAttr(e, XLA_STREAM_DATA_LENGTH);
  XL_GroupOperator(e, XlOp::ReadStream);
  XL_GroupSend(e);
  XL_EmbeddedData(e, streamContent->data(), static_cast<uint32_t>(streamContent->size()),
                  XL_EMBED_LONG);
  Op(e, XlOp::EndStream);
  XL_UByteArray(e, stream, 7);
  XL_Attr(e, XLA_STREAM_NAME);
  Op(e, XlOp::ExecStream);

  XL_UInt16(e, 2);
  XL_Attr(e, XLA_PAGE_COPIES);
  Op(e, XlOp::EndPage);
  Op(e, XlOp::CloseDataSource);
  Op(e, XlOp::EndSession);
}

TEST(XlWriter, StreamBuiltWithTheWritersIsWellFormed) {
  // The stream's own content: a clip replace and a rectangle.
  Encoder content;
  const char streamHeader[] = ") HP-PCL XL;2;1\n";
  XL_WriteRaw(&content.enc, streamHeader, sizeof(streamHeader) - 1);
  XL_UByte(&content.enc, 0, 0);
  XL_Attr(&content.enc, XLA_CLIP_REGION);
  XL_Operator(&content.enc, XlOp::SetClipReplace);
  XL_GroupStart(&content.enc);
  XL_GroupSInt16Box(&content.enc, -5, 0, 100, 50);
  XL_GroupAttr(&content.enc, XLA_BOUNDING_BOX);
  XL_GroupOperator(&content.enc, XlOp::Rectangle);
  ASSERT_EQ(XL_GroupSend(&content.enc), 1u);

  Encoder e;
  BuildStream(&e.enc, &content.sink.bytes);
  xl::Dissection d = xl::Dissect(e.sink.bytes);
  ASSERT_TRUE(d.ok) << d.error << "\n" << xl::Dump(d);

  const xl::Operator* image = d.All("ReadImage")[0];
  EXPECT_EQ(image->rows, (Bytes{0xF0, 0x0F, 0xAA, 0x55}));
  const xl::Operator* vendor = d.All("VendorUnique")[0];
  EXPECT_EQ(xl::DumpOperator(*vendor), "VendorUnique #200:uint32=1");
  std::string dump = xl::Dump(d);
  for (const char* line : {
           "BeginPage MediaSource:ubyte=1 Orientation:ubyte=0 MediaSize:ubyte=2\n",
           "SetPageScale PageScale:real32_xy=(0.707000017,0.707000017)\n",
           "ReadChar CharCode:uint16=65 CharDataSize:uint32=16 <data8 16: 22 22 22 22 22 22 22 "
           "22 22 22 22 22 22 22 22 22>\n",
           "ReadFontHeader FontHeaderLength:uint16=88 <data32 88>\n",
           "LineRelPath NumberOfPoints:uint16=3 PointType:ubyte=1 <data8 6: 0A 00 00 0A F6 00>\n",
           "Text TextData:uint16_array=[65,66] XSpacingData:sint16_array=[30,-2]\n",
           "EndStream\n  SetClipReplace ClipRegion:ubyte=0\n"
           "  Rectangle BoundingBox:sint16_box=(-5,0,100,50)\n",
           "EndPage PageCopies:uint16=2\n",
       }) {
    EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
  }
}

}  // namespace
