// The PCL XL protocol operations that the render core writes, with typed
// arguments.
//
// Each operation writes its attributes (value, then attribute identifier)
// and then its operator through the primitive writers, and returns what
// they returned (1 success, 0 failure; it stops at the first failure).
// Attributes that are plain values go out with the operator as one group in
// one sink call; an operation with an array attribute writes the values
// before the array as one group, the array through the array writer, and the
// rest with the operator as a last group.  Embedded data (points, image and
// pattern blocks) follows its operator: introducer and length in one call,
// the data in another.
//
// The operations hold no state and apply no policy: the state writers of the
// render core decide what to send, and these only say how it is laid out.
#pragma once

#include <cstdint>

#include "drender/pclxl/pclxl_tables.h"
#include "drender/pclxl/pclxl_writer.h"

// --- Typed attribute values --------------------------------------------
// ubyte, uint16, uint32 and sint16 values are uint8_t, uint16_t, uint32_t
// and int16_t arguments; the other kinds have types of their own.
struct XlReal32 {
  uint32_t bits;  // IEEE single bit pattern
};
struct XlUInt16XY {
  uint16_t x, y;
};
struct XlSInt16XY {
  int16_t x, y;
};
struct XlReal32XY {
  XlReal32 x, y;
};
struct XlUInt16Box {
  uint16_t left, top, right, bottom;
};
struct XlSInt16Box {
  int16_t left, top, right, bottom;
};
// Arrays do not own their elements.  More than 65,535 elements cannot be
// counted: such an operation writes nothing and fails.
struct XlUByteArray {
  const uint8_t* items;
  uint32_t count;
};
struct XlUInt16Array {
  const uint16_t* items;
  uint32_t count;
};
struct XlSInt16Array {
  const int16_t* items;
  uint32_t count;
};

// Enumerated values the render core writes.
enum class XlColorSpace : uint8_t { Gray = 1, RGB = 2 };
enum class XlColorDepth : uint8_t { Bits1 = 0, Bits4 = 1, Bits8 = 2 };
enum class XlColorMapping : uint8_t { Direct = 0, Indexed = 1 };
enum class XlCompressMode : uint8_t { None = 0, RunLength = 1, Jpeg = 2, DeltaRow = 3 };
// Coordinates of the embedded point lists: signed bytes or sint16 values.
enum class XlPointType : uint8_t { SByte = 1, SInt16 = 3 };

// The form of the length of an embedded block is chosen as the primitive
// writers choose it (one byte below 256 bytes) unless `form` says otherwise.
struct XlBlock {
  const void* data;
  uint32_t length;
  XlEmbedForm form;
};

// --- Session and data source -------------------------------------------
// UnitsPerMeasure, Measure, ErrorReport, BeginSession.
uint32_t XlOp_BeginSession(XlEncoder* enc, XlUInt16XY units_per_measure, uint8_t measure,
                           uint8_t error_report);
uint32_t XlOp_EndSession(XlEncoder* enc);
// SourceType, DataOrg, OpenDataSource.
uint32_t XlOp_OpenDataSource(XlEncoder* enc, uint8_t source_type, uint8_t data_org);
uint32_t XlOp_CloseDataSource(XlEncoder* enc);

// --- Pages ---------------------------------------------------------------
// Which of the two duplex attributes a page carries, if any.
enum class XlPageSides : uint8_t {
  Unchanged = 0,  // neither attribute
  Simplex = 1,    // SimplexPageMode = sides_value
  Duplex = 2,     // DuplexPageMode = sides_value (the binding)
};
struct XlPageStart {
  bool hasMediaSource;  // MediaSource only when the tray changed
  uint8_t mediaSource;
  uint8_t orientation;
  uint8_t mediaSize;
  XlUByteArray mediaType;  // a count of 0: no MediaType
  XlPageSides sides;
  uint8_t sidesValue;
};
// [MediaSource], Orientation, MediaSize, [MediaType], [SimplexPageMode or
// DuplexPageMode], BeginPage.
uint32_t XlOp_BeginPage(XlEncoder* enc, const XlPageStart& page);
// PageCopies, EndPage.
uint32_t XlOp_EndPage(XlEncoder* enc, uint16_t copies);
// PageOrigin, SetPageOrigin / PageAngle, SetPageRotation / PageScale,
// SetPageScale / SetPageDefaultCTM.
uint32_t XlOp_SetPageOrigin(XlEncoder* enc, XlSInt16XY origin);
uint32_t XlOp_SetPageRotation(XlEncoder* enc, int16_t angle);
uint32_t XlOp_SetPageScale(XlEncoder* enc, XlReal32XY scale);
uint32_t XlOp_SetPageDefaultCTM(XlEncoder* enc);

// --- User streams ----------------------------------------------------------
// StreamName, BeginStream; StreamDataLength, ReadStream, then the stream's
// bytes; EndStream.
uint32_t XlOp_BeginStream(XlEncoder* enc, XlUByteArray name);
uint32_t XlOp_ReadStream(XlEncoder* enc, XlBlock content);
uint32_t XlOp_EndStream(XlEncoder* enc);
// StreamName, ExecStream / RemoveStream.
uint32_t XlOp_ExecStream(XlEncoder* enc, XlUByteArray name);
uint32_t XlOp_RemoveStream(XlEncoder* enc, XlUByteArray name);

// --- Graphics state --------------------------------------------------------
uint32_t XlOp_PushGS(XlEncoder* enc);
uint32_t XlOp_PopGS(XlEncoder* enc);
// ColorSpace, SetColorSpace.
uint32_t XlOp_SetColorSpace(XlEncoder* enc, XlColorSpace space);
// ColorSpace, PaletteDepth, PaletteData, SetColorSpace.
uint32_t XlOp_SetColorSpacePalette(XlEncoder* enc, XlColorSpace space, uint8_t palette_depth,
                                   XlUByteArray palette);
// The brush: NullBrush / GrayLevel / RGBColor (three bytes) / PatternSelectID,
// then SetBrushSource.
uint32_t XlOp_SetBrushNull(XlEncoder* enc);
uint32_t XlOp_SetBrushGray(XlEncoder* enc, uint8_t gray_level);
uint32_t XlOp_SetBrushRGB(XlEncoder* enc, uint8_t red, uint8_t green, uint8_t blue);
uint32_t XlOp_SetBrushPattern(XlEncoder* enc, int16_t pattern_id);
// The pen: NullPen / GrayLevel / RGBColor, then SetPenSource.
uint32_t XlOp_SetPenNull(XlEncoder* enc);
uint32_t XlOp_SetPenGray(XlEncoder* enc, uint8_t gray_level);
uint32_t XlOp_SetPenRGB(XlEncoder* enc, uint8_t red, uint8_t green, uint8_t blue);
// ROP3, SetROP; TxMode, SetPaintTxMode / SetSourceTxMode.
uint32_t XlOp_SetROP(XlEncoder* enc, uint8_t rop3);
uint32_t XlOp_SetPaintTxMode(XlEncoder* enc, uint8_t mode);
uint32_t XlOp_SetSourceTxMode(XlEncoder* enc, uint8_t mode);
// PenWidth, SetPenWidth; FillMode, SetFillMode; LineCapStyle, SetLineCap;
// LineJoinStyle, SetLineJoin.
uint32_t XlOp_SetPenWidth(XlEncoder* enc, uint16_t width);
uint32_t XlOp_SetFillMode(XlEncoder* enc, uint8_t mode);
uint32_t XlOp_SetLineCap(XlEncoder* enc, uint8_t style);
uint32_t XlOp_SetLineJoin(XlEncoder* enc, uint8_t style);
// SolidLine, SetLineDash / LineDashStyle, DashOffset, SetLineDash.
uint32_t XlOp_SetLineSolid(XlEncoder* enc, uint8_t solid_line);
uint32_t XlOp_SetLineDash(XlEncoder* enc, XlUInt16Array dashes, uint16_t dash_offset);

// --- Clip ----------------------------------------------------------------
// ClipRegion, SetClipReplace / SetClipIntersect.
uint32_t XlOp_SetClipReplace(XlEncoder* enc, uint8_t clip_region);
uint32_t XlOp_SetClipIntersect(XlEncoder* enc, uint8_t clip_region);
// BoundingBox, ClipRegion, SetClipRectangle (signed or unsigned box).
uint32_t XlOp_SetClipRectangle(XlEncoder* enc, XlSInt16Box box, uint8_t clip_region);
uint32_t XlOp_SetClipRectangle(XlEncoder* enc, XlUInt16Box box, uint8_t clip_region);
uint32_t XlOp_SetClipToPage(XlEncoder* enc);
// ClipMode, SetClipMode.
uint32_t XlOp_SetClipMode(XlEncoder* enc, uint8_t mode);

// --- Paths -----------------------------------------------------------------
uint32_t XlOp_NewPath(XlEncoder* enc);
uint32_t XlOp_CloseSubPath(XlEncoder* enc);
uint32_t XlOp_PaintPath(XlEncoder* enc);
// Point, SetCursor / SetCursorRel.
uint32_t XlOp_SetCursor(XlEncoder* enc, XlSInt16XY point);
uint32_t XlOp_SetCursorRel(XlEncoder* enc, XlSInt16XY offset);
// EndPoint, LinePath: one line to an absolute point.
uint32_t XlOp_LinePathTo(XlEncoder* enc, XlSInt16XY end_point);
// NumberOfPoints, PointType, the operator, the points as embedded data
// (LinePath with absolute points, LineRelPath and BezierRelPath with
// offsets).
uint32_t XlOp_LinePath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points);
uint32_t XlOp_LineRelPath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points);
uint32_t XlOp_BezierRelPath(XlEncoder* enc, uint16_t count, XlPointType type, XlBlock points);
// BoundingBox, Rectangle / RectanglePath.
uint32_t XlOp_Rectangle(XlEncoder* enc, XlSInt16Box box);
uint32_t XlOp_RectanglePath(XlEncoder* enc, XlSInt16Box box);
uint32_t XlOp_RectanglePath(XlEncoder* enc, XlUInt16Box box);

// --- Images and raster patterns -------------------------------------------
struct XlRasterHeader {
  XlColorMapping mapping;
  XlColorDepth depth;
  uint16_t sourceWidth;
  uint16_t sourceHeight;
  XlUInt16XY destinationSize;
};
// ColorMapping, ColorDepth, SourceWidth, SourceHeight, DestinationSize,
// BeginImage.
uint32_t XlOp_BeginImage(XlEncoder* enc, const XlRasterHeader& image);
// StartLine, BlockHeight, CompressMode, ReadImage, then the block.
uint32_t XlOp_ReadImage(XlEncoder* enc, uint16_t start_line, uint16_t block_height,
                        XlCompressMode mode, XlBlock block);
uint32_t XlOp_EndImage(XlEncoder* enc);
// The image attributes, PatternDefineID, PatternPersistence,
// BeginRastPattern.
uint32_t XlOp_BeginRastPattern(XlEncoder* enc, const XlRasterHeader& pattern, int16_t define_id,
                               uint8_t persistence);
// StartLine, BlockHeight, CompressMode, ReadRastPattern, then the block.
uint32_t XlOp_ReadRastPattern(XlEncoder* enc, uint16_t start_line, uint16_t block_height,
                              XlCompressMode mode, XlBlock block);
uint32_t XlOp_EndRastPattern(XlEncoder* enc);
