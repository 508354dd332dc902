// The PCL XL protocol operations that the render core writes.
#include "drender/pclxl/pclxl_ops.h"

namespace {

constexpr uint32_t kMaxArrayCount = 0xFFFF;

void AddUByte(XlEncoder* enc, uint8_t value, XlAttr id) {
  XL_GroupUByte(enc, value);
  XL_GroupAttr(enc, id);
}

void AddUInt16(XlEncoder* enc, uint16_t value, XlAttr id) {
  XL_GroupUInt16(enc, value);
  XL_GroupAttr(enc, id);
}

void AddSInt16(XlEncoder* enc, int16_t value, XlAttr id) {
  XL_GroupSInt16(enc, value);
  XL_GroupAttr(enc, id);
}

void AddUInt16XY(XlEncoder* enc, XlUInt16XY value, XlAttr id) {
  XL_GroupUInt16XY(enc, value.x, value.y);
  XL_GroupAttr(enc, id);
}

void AddSInt16XY(XlEncoder* enc, XlSInt16XY value, XlAttr id) {
  XL_GroupSInt16XY(enc, value.x, value.y);
  XL_GroupAttr(enc, id);
}

// Ends a group with its operator and sends it.
uint32_t Send(XlEncoder* enc, XlOp op) {
  XL_GroupOperator(enc, op);
  return XL_GroupSend(enc);
}

void AddBox(XlEncoder* enc, XlSInt16Box box, XlAttr id) {
  XL_GroupSInt16Box(enc, box.left, box.top, box.right, box.bottom);
  XL_GroupAttr(enc, id);
}

void AddBox(XlEncoder* enc, XlUInt16Box box, XlAttr id) {
  XL_GroupUInt16Box(enc, box.left, box.top, box.right, box.bottom);
  XL_GroupAttr(enc, id);
}

// A clip rectangle of either box type.
template <typename Box>
uint32_t ClipRectangle(XlEncoder* enc, Box box, uint8_t clip_region) {
  XL_GroupStart(enc);
  AddBox(enc, box, XLA_BOUNDING_BOX);
  AddUByte(enc, clip_region, XLA_CLIP_REGION);
  return Send(enc, XlOp::SetClipRectangle);
}

// An operator whose only attribute is a bounding box.
template <typename Box>
uint32_t BoxOp(XlEncoder* enc, Box box, XlOp op) {
  XL_GroupStart(enc);
  AddBox(enc, box, XLA_BOUNDING_BOX);
  return Send(enc, op);
}

// An operator whose only attribute is one ubyte.
uint32_t UByteOp(XlEncoder* enc, uint8_t value, XlAttr id, XlOp op) {
  XL_GroupStart(enc);
  AddUByte(enc, value, id);
  return Send(enc, op);
}

// An array value and its attribute identifier.
uint32_t UByteArrayAttr(XlEncoder* enc, XlUByteArray value, XlAttr id) {
  return XL_UByteArray(enc, value.items, value.count) && XL_Attr(enc, id);
}

// A block with its introducer, after its operator.
uint32_t Block(XlEncoder* enc, XlBlock block) {
  return XL_EmbeddedData(enc, block.data, block.length, block.form);
}

bool BlockUsable(XlBlock block) { return block.length == 0 || block.data != nullptr; }

uint32_t PointsOp(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points, XlOp op) {
  if (!BlockUsable(points)) return 0;
  XL_GroupStart(enc);
  AddUInt16(enc, count, XLA_NUMBER_OF_POINTS);
  AddUByte(enc, static_cast<uint8_t>(type), XLA_POINT_TYPE);
  return Send(enc, op) && Block(enc, points);
}

void AddRasterHeader(XlEncoder* enc, const XlRasterHeader& raster) {
  AddUByte(enc, static_cast<uint8_t>(raster.mapping), XLA_COLOR_MAPPING);
  AddUByte(enc, static_cast<uint8_t>(raster.depth), XLA_COLOR_DEPTH);
  AddUInt16(enc, raster.sourceWidth, XLA_SOURCE_WIDTH);
  AddUInt16(enc, raster.sourceHeight, XLA_SOURCE_HEIGHT);
  AddUInt16XY(enc, raster.destinationSize, XLA_DESTINATION_SIZE);
}

uint32_t ReadRaster(XlEncoder* enc, uint16_t start_line, uint16_t block_height,
                    XlCompressMode mode, XlBlock block, XlOp op) {
  if (!BlockUsable(block)) return 0;
  XL_GroupStart(enc);
  AddUInt16(enc, start_line, XLA_START_LINE);
  AddUInt16(enc, block_height, XLA_BLOCK_HEIGHT);
  AddUByte(enc, static_cast<uint8_t>(mode), XLA_COMPRESS_MODE);
  return Send(enc, op) && Block(enc, block);
}

uint32_t ColorOp(XlEncoder* enc, uint8_t red, uint8_t green, uint8_t blue, XlOp op) {
  const uint8_t rgb[3] = {red, green, blue};
  return UByteArrayAttr(enc, {rgb, 3}, XLA_RGB_COLOR) && XL_Operator(enc, op);
}

bool ArrayUsable(const void* items, uint32_t count) {
  return count <= kMaxArrayCount && (count == 0 || items != nullptr);
}

}  // namespace

uint32_t XlOp_BeginSession(XlEncoder* enc, XlUInt16XY units_per_measure, uint8_t measure,
                           uint8_t error_report) {
  XL_GroupStart(enc);
  AddUInt16XY(enc, units_per_measure, XLA_UNITS_PER_MEASURE);
  AddUByte(enc, measure, XLA_MEASURE);
  AddUByte(enc, error_report, XLA_ERROR_REPORT);
  return Send(enc, XlOp::BeginSession);
}

uint32_t XlOp_EndSession(XlEncoder* enc) { return XL_Operator(enc, XlOp::EndSession); }

uint32_t XlOp_OpenDataSource(XlEncoder* enc, uint8_t source_type, uint8_t data_org) {
  XL_GroupStart(enc);
  AddUByte(enc, source_type, XLA_SOURCE_TYPE);
  AddUByte(enc, data_org, XLA_DATA_ORG);
  return Send(enc, XlOp::OpenDataSource);
}

uint32_t XlOp_CloseDataSource(XlEncoder* enc) { return XL_Operator(enc, XlOp::CloseDataSource); }

uint32_t XlOp_BeginPage(XlEncoder* enc, const XlPageStart& page) {
  if (!ArrayUsable(page.mediaType.items, page.mediaType.count)) return 0;
  XL_GroupStart(enc);
  if (page.hasMediaSource) AddUByte(enc, page.mediaSource, XLA_MEDIA_SOURCE);
  AddUByte(enc, page.orientation, XLA_ORIENTATION);
  AddUByte(enc, page.mediaSize, XLA_MEDIA_SIZE);
  if (!XL_GroupSend(enc)) return 0;
  if (page.mediaType.count != 0 && !UByteArrayAttr(enc, page.mediaType, XLA_MEDIA_TYPE)) return 0;
  XL_GroupStart(enc);
  if (page.sides == XlPageSides::Simplex) {
    AddUByte(enc, page.sidesValue, XLA_SIMPLEX_PAGE_MODE);
  } else if (page.sides == XlPageSides::Duplex) {
    AddUByte(enc, page.sidesValue, XLA_DUPLEX_PAGE_MODE);
  }
  return Send(enc, XlOp::BeginPage);
}

uint32_t XlOp_EndPage(XlEncoder* enc, uint16_t copies) {
  XL_GroupStart(enc);
  AddUInt16(enc, copies, XLA_PAGE_COPIES);
  return Send(enc, XlOp::EndPage);
}

uint32_t XlOp_SetPageOrigin(XlEncoder* enc, XlSInt16XY origin) {
  XL_GroupStart(enc);
  AddSInt16XY(enc, origin, XLA_PAGE_ORIGIN);
  return Send(enc, XlOp::SetPageOrigin);
}

uint32_t XlOp_SetPageRotation(XlEncoder* enc, int16_t angle) {
  XL_GroupStart(enc);
  AddSInt16(enc, angle, XLA_PAGE_ANGLE);
  return Send(enc, XlOp::SetPageRotation);
}

uint32_t XlOp_SetPageScale(XlEncoder* enc, XlReal32XY scale) {
  XL_GroupStart(enc);
  XL_GroupReal32XY(enc, scale.x.bits, scale.y.bits);
  XL_GroupAttr(enc, XLA_PAGE_SCALE);
  return Send(enc, XlOp::SetPageScale);
}

uint32_t XlOp_SetPageDefaultCTM(XlEncoder* enc) {
  return XL_Operator(enc, XlOp::SetPageDefaultCTM);
}

uint32_t XlOp_BeginStream(XlEncoder* enc, XlUByteArray name) {
  return UByteArrayAttr(enc, name, XLA_STREAM_NAME) && XL_Operator(enc, XlOp::BeginStream);
}

uint32_t XlOp_ReadStream(XlEncoder* enc, XlBlock content) {
  if (!BlockUsable(content)) return 0;
  XL_GroupStart(enc);
  XL_GroupUInt32(enc, content.length);
  XL_GroupAttr(enc, XLA_STREAM_DATA_LENGTH);
  return Send(enc, XlOp::ReadStream) && Block(enc, content);
}

uint32_t XlOp_EndStream(XlEncoder* enc) { return XL_Operator(enc, XlOp::EndStream); }

uint32_t XlOp_ExecStream(XlEncoder* enc, XlUByteArray name) {
  return UByteArrayAttr(enc, name, XLA_STREAM_NAME) && XL_Operator(enc, XlOp::ExecStream);
}

uint32_t XlOp_RemoveStream(XlEncoder* enc, XlUByteArray name) {
  return UByteArrayAttr(enc, name, XLA_STREAM_NAME) && XL_Operator(enc, XlOp::RemoveStream);
}

uint32_t XlOp_PushGS(XlEncoder* enc) { return XL_Operator(enc, XlOp::PushGS); }
uint32_t XlOp_PopGS(XlEncoder* enc) { return XL_Operator(enc, XlOp::PopGS); }

uint32_t XlOp_SetColorSpace(XlEncoder* enc, XlColorSpace space) {
  return UByteOp(enc, static_cast<uint8_t>(space), XLA_COLOR_SPACE, XlOp::SetColorSpace);
}

uint32_t XlOp_SetColorSpacePalette(XlEncoder* enc, XlColorSpace space, uint8_t palette_depth,
                                   XlUByteArray palette) {
  if (!ArrayUsable(palette.items, palette.count)) return 0;
  XL_GroupStart(enc);
  AddUByte(enc, static_cast<uint8_t>(space), XLA_COLOR_SPACE);
  AddUByte(enc, palette_depth, XLA_PALETTE_DEPTH);
  return XL_GroupSend(enc) && UByteArrayAttr(enc, palette, XLA_PALETTE_DATA) &&
         XL_Operator(enc, XlOp::SetColorSpace);
}

uint32_t XlOp_SetBrushNull(XlEncoder* enc) {
  return UByteOp(enc, 0, XLA_NULL_BRUSH, XlOp::SetBrushSource);
}

uint32_t XlOp_SetBrushGray(XlEncoder* enc, uint8_t gray_level) {
  return UByteOp(enc, gray_level, XLA_GRAY_LEVEL, XlOp::SetBrushSource);
}

uint32_t XlOp_SetBrushRGB(XlEncoder* enc, uint8_t red, uint8_t green, uint8_t blue) {
  return ColorOp(enc, red, green, blue, XlOp::SetBrushSource);
}

uint32_t XlOp_SetBrushPattern(XlEncoder* enc, int16_t pattern_id) {
  XL_GroupStart(enc);
  AddSInt16(enc, pattern_id, XLA_PATTERN_SELECT_ID);
  return Send(enc, XlOp::SetBrushSource);
}

uint32_t XlOp_SetPenNull(XlEncoder* enc) {
  return UByteOp(enc, 0, XLA_NULL_PEN, XlOp::SetPenSource);
}

uint32_t XlOp_SetPenGray(XlEncoder* enc, uint8_t gray_level) {
  return UByteOp(enc, gray_level, XLA_GRAY_LEVEL, XlOp::SetPenSource);
}

uint32_t XlOp_SetPenRGB(XlEncoder* enc, uint8_t red, uint8_t green, uint8_t blue) {
  return ColorOp(enc, red, green, blue, XlOp::SetPenSource);
}

uint32_t XlOp_SetROP(XlEncoder* enc, uint8_t rop3) {
  return UByteOp(enc, rop3, XLA_ROP3, XlOp::SetROP);
}

uint32_t XlOp_SetPaintTxMode(XlEncoder* enc, uint8_t mode) {
  return UByteOp(enc, mode, XLA_TX_MODE, XlOp::SetPaintTxMode);
}

uint32_t XlOp_SetSourceTxMode(XlEncoder* enc, uint8_t mode) {
  return UByteOp(enc, mode, XLA_TX_MODE, XlOp::SetSourceTxMode);
}

uint32_t XlOp_SetPenWidth(XlEncoder* enc, uint16_t width) {
  XL_GroupStart(enc);
  AddUInt16(enc, width, XLA_PEN_WIDTH);
  return Send(enc, XlOp::SetPenWidth);
}

uint32_t XlOp_SetFillMode(XlEncoder* enc, uint8_t mode) {
  return UByteOp(enc, mode, XLA_FILL_MODE, XlOp::SetFillMode);
}

uint32_t XlOp_SetLineCap(XlEncoder* enc, uint8_t style) {
  return UByteOp(enc, style, XLA_LINE_CAP_STYLE, XlOp::SetLineCap);
}

uint32_t XlOp_SetLineJoin(XlEncoder* enc, uint8_t style) {
  return UByteOp(enc, style, XLA_LINE_JOIN_STYLE, XlOp::SetLineJoin);
}

uint32_t XlOp_SetLineSolid(XlEncoder* enc, uint8_t solid_line) {
  return UByteOp(enc, solid_line, XLA_SOLID_LINE, XlOp::SetLineDash);
}

uint32_t XlOp_SetLineDash(XlEncoder* enc, XlUInt16Array dashes, uint16_t dash_offset) {
  if (!XL_UInt16Array(enc, dashes.items, dashes.count) || !XL_Attr(enc, XLA_LINE_DASH_STYLE)) {
    return 0;
  }
  XL_GroupStart(enc);
  AddUInt16(enc, dash_offset, XLA_DASH_OFFSET);
  return Send(enc, XlOp::SetLineDash);
}

uint32_t XlOp_SetClipReplace(XlEncoder* enc, uint8_t clip_region) {
  return UByteOp(enc, clip_region, XLA_CLIP_REGION, XlOp::SetClipReplace);
}

uint32_t XlOp_SetClipIntersect(XlEncoder* enc, uint8_t clip_region) {
  return UByteOp(enc, clip_region, XLA_CLIP_REGION, XlOp::SetClipIntersect);
}

uint32_t XlOp_SetClipRectangle(XlEncoder* enc, XlSInt16Box box, uint8_t clip_region) {
  return ClipRectangle(enc, box, clip_region);
}

uint32_t XlOp_SetClipRectangle(XlEncoder* enc, XlUInt16Box box, uint8_t clip_region) {
  return ClipRectangle(enc, box, clip_region);
}

uint32_t XlOp_SetClipToPage(XlEncoder* enc) { return XL_Operator(enc, XlOp::SetClipToPage); }

uint32_t XlOp_SetClipMode(XlEncoder* enc, uint8_t mode) {
  return UByteOp(enc, mode, XLA_CLIP_MODE, XlOp::SetClipMode);
}

uint32_t XlOp_NewPath(XlEncoder* enc) { return XL_Operator(enc, XlOp::NewPath); }
uint32_t XlOp_CloseSubPath(XlEncoder* enc) { return XL_Operator(enc, XlOp::CloseSubPath); }
uint32_t XlOp_PaintPath(XlEncoder* enc) { return XL_Operator(enc, XlOp::PaintPath); }

uint32_t XlOp_SetCursor(XlEncoder* enc, XlSInt16XY point) {
  XL_GroupStart(enc);
  AddSInt16XY(enc, point, XLA_POINT);
  return Send(enc, XlOp::SetCursor);
}

uint32_t XlOp_SetCursorRel(XlEncoder* enc, XlSInt16XY offset) {
  XL_GroupStart(enc);
  AddSInt16XY(enc, offset, XLA_POINT);
  return Send(enc, XlOp::SetCursorRel);
}

uint32_t XlOp_LinePathTo(XlEncoder* enc, XlSInt16XY end_point) {
  XL_GroupStart(enc);
  AddSInt16XY(enc, end_point, XLA_END_POINT);
  return Send(enc, XlOp::LinePath);
}

uint32_t XlOp_LinePath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points) {
  return PointsOp(enc, count, type, points, XlOp::LinePath);
}

uint32_t XlOp_LineRelPath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points) {
  return PointsOp(enc, count, type, points, XlOp::LineRelPath);
}

uint32_t XlOp_BezierRelPath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points) {
  return PointsOp(enc, count, type, points, XlOp::BezierRelPath);
}

uint32_t XlOp_Rectangle(XlEncoder* enc, XlSInt16Box box) {
  return BoxOp(enc, box, XlOp::Rectangle);
}

uint32_t XlOp_RectanglePath(XlEncoder* enc, XlSInt16Box box) {
  return BoxOp(enc, box, XlOp::RectanglePath);
}

uint32_t XlOp_RectanglePath(XlEncoder* enc, XlUInt16Box box) {
  return BoxOp(enc, box, XlOp::RectanglePath);
}

uint32_t XlOp_BeginImage(XlEncoder* enc, const XlRasterHeader& image) {
  XL_GroupStart(enc);
  AddRasterHeader(enc, image);
  return Send(enc, XlOp::BeginImage);
}

uint32_t XlOp_ReadImage(XlEncoder* enc, uint16_t start_line, uint16_t block_height,
                        XlCompressMode mode, XlBlock block) {
  return ReadRaster(enc, start_line, block_height, mode, block, XlOp::ReadImage);
}

uint32_t XlOp_EndImage(XlEncoder* enc) { return XL_Operator(enc, XlOp::EndImage); }

uint32_t XlOp_BeginRastPattern(XlEncoder* enc, const XlRasterHeader& pattern, int16_t define_id,
                               uint8_t persistence) {
  XL_GroupStart(enc);
  AddRasterHeader(enc, pattern);
  AddSInt16(enc, define_id, XLA_PATTERN_DEFINE_ID);
  AddUByte(enc, persistence, XLA_PATTERN_PERSISTENCE);
  return Send(enc, XlOp::BeginRastPattern);
}

uint32_t XlOp_ReadRastPattern(XlEncoder* enc, uint16_t start_line, uint16_t block_height,
                              XlCompressMode mode, XlBlock block) {
  return ReadRaster(enc, start_line, block_height, mode, block, XlOp::ReadRastPattern);
}

uint32_t XlOp_EndRastPattern(XlEncoder* enc) { return XL_Operator(enc, XlOp::EndRastPattern); }
