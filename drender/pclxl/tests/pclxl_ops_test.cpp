// The protocol operations, read back by the independent stream dissector:
// every operation gives its operator with the attributes and value types
// the protocol names, in a stream the dissector accepts as well formed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_ops.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/memory_sink.h"

namespace {

using testsupport::MemorySink;

struct Encoder {
  MemorySink sink;
  XlEncoder enc;
  Encoder() { XL_InitEncoder(&enc, &MemorySink::Write, &sink); }
};

XlUByteArray Text(const char* s) {
  return {reinterpret_cast<const uint8_t*>(s), static_cast<uint32_t>(std::char_traits<char>::length(s))};
}

XlReal32 Real(int32_t millionths) { return {Rdc_MillionthsToReal32(millionths)}; }

// Every operation once, in an order the protocol allows, with the line the
// dissector shows for it.
struct Step {
  uint32_t (*write)(XlEncoder*);
  std::vector<std::string> lines;
};

const uint8_t kPalette[] = {0, 0, 0, 255, 255, 255};
const uint16_t kDashes[] = {12, 6};
const int8_t kRelPoints[] = {10, 0, 0, 10, -10, 0};
const int16_t kAbsPoints[] = {100, 200, -300, 400};
const uint8_t kRows[] = {0xF0, 0x0F, 0x00, 0x00, 0xAA, 0x55, 0x00, 0x00};  // 2 rows of 16 pixels

const Step kSteps[] = {
    {[](XlEncoder* e) { return XlOp_BeginSession(e, {600, 300}, 0, 2); },
     {"BeginSession UnitsPerMeasure:uint16_xy=(600,300) Measure:ubyte=0 ErrorReport:ubyte=2"}},
    {[](XlEncoder* e) { return XlOp_OpenDataSource(e, 0, 1); },
     {"OpenDataSource SourceType:ubyte=0 DataOrg:ubyte=1"}},
    {[](XlEncoder* e) {
       return XlOp_BeginPage(e, {true, 4, 1, 2, Text("Plain"), XlPageSides::Duplex, 1});
     },
     {"BeginPage MediaSource:ubyte=4 Orientation:ubyte=1 MediaSize:ubyte=2 "
      "MediaType:ubyte_array=\"Plain\" DuplexPageMode:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetPageOrigin(e, {-20, 35}); },
     {"SetPageOrigin PageOrigin:sint16_xy=(-20,35)"}},
    {[](XlEncoder* e) { return XlOp_SetPageRotation(e, -90); },
     {"SetPageRotation PageAngle:sint16=-90"}},
    {[](XlEncoder* e) { return XlOp_SetPageScale(e, {Real(500000), Real(2000000)}); },
     {"SetPageScale PageScale:real32_xy=(0.5,2)"}},
    {[](XlEncoder* e) { return XlOp_SetPageDefaultCTM(e); }, {"SetPageDefaultCTM"}},
    {[](XlEncoder* e) { return XlOp_PushGS(e); }, {"PushGS"}},
    {[](XlEncoder* e) { return XlOp_SetColorSpace(e, XlColorSpace::Gray); },
     {"SetColorSpace ColorSpace:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetColorSpacePalette(e, XlColorSpace::RGB, 2, {kPalette, 6}); },
     {"SetColorSpace ColorSpace:ubyte=2 PaletteDepth:ubyte=2 "
      "PaletteData:ubyte_array=[0,0,0,255,255,255]"}},
    {[](XlEncoder* e) { return XlOp_SetBrushNull(e); }, {"SetBrushSource NullBrush:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetBrushGray(e, 76); }, {"SetBrushSource GrayLevel:ubyte=76"}},
    {[](XlEncoder* e) { return XlOp_SetBrushRGB(e, 255, 0, 1); },
     {"SetBrushSource RGBColor:ubyte_array=[255,0,1]"}},
    {[](XlEncoder* e) { return XlOp_SetPenNull(e); }, {"SetPenSource NullPen:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetPenGray(e, 0); }, {"SetPenSource GrayLevel:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetPenRGB(e, 1, 2, 3); },
     {"SetPenSource RGBColor:ubyte_array=[1,2,3]"}},
    {[](XlEncoder* e) { return XlOp_SetROP(e, 0xF0); }, {"SetROP ROP3:ubyte=240"}},
    {[](XlEncoder* e) { return XlOp_SetPaintTxMode(e, 1); }, {"SetPaintTxMode TxMode:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetSourceTxMode(e, 0); }, {"SetSourceTxMode TxMode:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetPenWidth(e, 300); }, {"SetPenWidth PenWidth:uint16=300"}},
    {[](XlEncoder* e) { return XlOp_SetFillMode(e, 1); }, {"SetFillMode FillMode:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetLineCap(e, 1); }, {"SetLineCap LineCapStyle:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetLineJoin(e, 1); }, {"SetLineJoin LineJoinStyle:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetLineSolid(e, 0); }, {"SetLineDash SolidLine:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetLineDash(e, {kDashes, 2}, 0); },
     {"SetLineDash LineDashStyle:uint16_array=[12,6] DashOffset:uint16=0"}},
    {[](XlEncoder* e) { return XlOp_SetClipMode(e, 1); }, {"SetClipMode ClipMode:ubyte=1"}},
    {[](XlEncoder* e) { return XlOp_SetClipRectangle(e, XlSInt16Box{-5, 0, 100, 50}, 0); },
     {"SetClipRectangle BoundingBox:sint16_box=(-5,0,100,50) ClipRegion:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetClipRectangle(e, XlUInt16Box{0, 0, 40000, 5}, 0); },
     {"SetClipRectangle BoundingBox:uint16_box=(0,0,40000,5) ClipRegion:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetClipToPage(e); }, {"SetClipToPage"}},
    {[](XlEncoder* e) { return XlOp_NewPath(e); }, {"NewPath"}},
    {[](XlEncoder* e) { return XlOp_SetCursor(e, {-32768, 0}); },
     {"SetCursor Point:sint16_xy=(-32768,0)"}},
    {[](XlEncoder* e) { return XlOp_SetCursorRel(e, {-7232, 100}); },
     {"SetCursorRel Point:sint16_xy=(-7232,100)"}},
    {[](XlEncoder* e) { return XlOp_LinePathTo(e, {7, -8}); },
     {"LinePath EndPoint:sint16_xy=(7,-8)"}},
    {[](XlEncoder* e) {
       return XlOp_LinePath(e, 2, XlPointType::SInt16, {kAbsPoints, 8, XL_EMBED_AUTO});
     },
     {"LinePath NumberOfPoints:uint16=2 PointType:ubyte=3 <data8 8: 64 00 C8 00 D4 FE 90 01>"}},
    {[](XlEncoder* e) {
       return XlOp_LineRelPath(e, 3, XlPointType::SByte, {kRelPoints, 6, XL_EMBED_AUTO});
     },
     {"LineRelPath NumberOfPoints:uint16=3 PointType:ubyte=1 <data8 6: 0A 00 00 0A F6 00>"}},
    {[](XlEncoder* e) {
       return XlOp_BezierRelPath(e, 3, XlPointType::SByte, {kRelPoints, 6, XL_EMBED_LONG});
     },
     {"BezierRelPath NumberOfPoints:uint16=3 PointType:ubyte=1 <data32 6: 0A 00 00 0A F6 00>"}},
    {[](XlEncoder* e) { return XlOp_CloseSubPath(e); }, {"CloseSubPath"}},
    {[](XlEncoder* e) { return XlOp_RectanglePath(e, XlSInt16Box{-1, -2, 3, 4}); },
     {"RectanglePath BoundingBox:sint16_box=(-1,-2,3,4)"}},
    {[](XlEncoder* e) { return XlOp_RectanglePath(e, XlUInt16Box{0, 0, 4960, 7016}); },
     {"RectanglePath BoundingBox:uint16_box=(0,0,4960,7016)"}},
    {[](XlEncoder* e) { return XlOp_SetClipReplace(e, 0); },
     {"SetClipReplace ClipRegion:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_SetClipIntersect(e, 0); },
     {"SetClipIntersect ClipRegion:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_PaintPath(e); }, {"PaintPath"}},
    {[](XlEncoder* e) { return XlOp_Rectangle(e, XlSInt16Box{10, 20, 30, 40}); },
     {"Rectangle BoundingBox:sint16_box=(10,20,30,40)"}},
    {[](XlEncoder* e) {
       const XlRasterHeader image = {XlColorMapping::Indexed, XlColorDepth::Bits1, 16, 2, {64, 8}};
       return static_cast<uint32_t>(
           XlOp_BeginImage(e, image) &&
           XlOp_ReadImage(e, 0, 2, XlCompressMode::None, {kRows, 8, XL_EMBED_AUTO}) &&
           XlOp_EndImage(e));
     },
     {"BeginImage ColorMapping:ubyte=1 ColorDepth:ubyte=0 SourceWidth:uint16=16 "
      "SourceHeight:uint16=2 DestinationSize:uint16_xy=(64,8)",
      "ReadImage StartLine:uint16=0 BlockHeight:uint16=2 CompressMode:ubyte=0 "
      "<data8 8: F0 0F 00 00 AA 55 00 00> rows=2x2",
      "EndImage"}},
    {[](XlEncoder* e) {
       const XlRasterHeader pattern = {XlColorMapping::Indexed, XlColorDepth::Bits8, 16, 1,
                                       {32, 2}};
       uint8_t row[16] = {};
       return static_cast<uint32_t>(
           XlOp_BeginRastPattern(e, pattern, -3, 1) &&
           XlOp_ReadRastPattern(e, 0, 1, XlCompressMode::None, {row, 16, XL_EMBED_AUTO}) &&
           XlOp_EndRastPattern(e) && XlOp_SetBrushPattern(e, -3));
     },
     {"BeginRastPattern ColorMapping:ubyte=1 ColorDepth:ubyte=2 SourceWidth:uint16=16 "
      "SourceHeight:uint16=1 DestinationSize:uint16_xy=(32,2) PatternDefineID:sint16=-3 "
      "PatternPersistence:ubyte=1",
      "ReadRastPattern StartLine:uint16=0 BlockHeight:uint16=1 CompressMode:ubyte=0 "
      "<data8 16: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00> rows=1x16",
      "EndRastPattern", "SetBrushSource PatternSelectID:sint16=-3"}},
    {[](XlEncoder* e) { return XlOp_PopGS(e); }, {"PopGS"}},
    {[](XlEncoder* e) {
       // The stream's content: its own header line and one operator.
       const char content[] = ") HP-PCL XL;3;0\n\x69";
       return static_cast<uint32_t>(
           XlOp_BeginStream(e, Text("P1")) &&
           XlOp_ReadStream(e, {content, sizeof(content) - 1, XL_EMBED_LONG}) &&
           XlOp_EndStream(e));
     },
     {"BeginStream StreamName:ubyte_array=\"P1\"",
      "ReadStream StreamDataLength:uint32=17 <data32 17>", "EndStream"}},
    {[](XlEncoder* e) { return XlOp_ExecStream(e, Text("P1")); },
     {"ExecStream StreamName:ubyte_array=\"P1\""}},
    {[](XlEncoder* e) { return XlOp_RemoveStream(e, Text("P1")); },
     {"RemoveStream StreamName:ubyte_array=\"P1\""}},
    {[](XlEncoder* e) { return XlOp_EndPage(e, 3); }, {"EndPage PageCopies:uint16=3"}},
    {[](XlEncoder* e) {
       return XlOp_BeginPage(e, {false, 0, 0, 50, {nullptr, 0}, XlPageSides::Simplex, 0});
     },
     {"BeginPage Orientation:ubyte=0 MediaSize:ubyte=50 SimplexPageMode:ubyte=0"}},
    {[](XlEncoder* e) { return XlOp_EndPage(e, 1); }, {"EndPage PageCopies:uint16=1"}},
    {[](XlEncoder* e) { return XlOp_CloseDataSource(e); }, {"CloseDataSource"}},
    {[](XlEncoder* e) { return XlOp_EndSession(e); }, {"EndSession"}},
};

TEST(XlOps, EveryOperationReadsBackWithItsTypedAttributes) {
  Encoder e;
  const char header[] = ") HP-PCL XL;3;0;\n";
  ASSERT_EQ(XL_WriteRaw(&e.enc, header, sizeof(header) - 1), 1u);
  std::vector<std::string> expected;
  for (const Step& step : kSteps) {
    EXPECT_EQ(step.write(&e.enc), 1u) << step.lines[0];
    expected.insert(expected.end(), step.lines.begin(), step.lines.end());
  }
  xl::Dissection d = xl::Dissect(e.sink.bytes);
  ASSERT_TRUE(d.ok) << d.error << "\n" << xl::Dump(d);
  std::vector<std::string> lines;
  for (const xl::Operator& op : d.ops) lines.push_back(xl::DumpOperator(op));
  EXPECT_EQ(lines, expected);
  // The stream's content is read as a stream of its own.
  ASSERT_EQ(d.Count("EndStream"), 1u);
  const std::vector<xl::Operator>& inner = d.All("EndStream")[0]->streamOps;
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(inner[0].name, "SetClipToPage");
}

// Plain attribute groups go to the sink in one call with their operator;
// array values and embedded data follow in calls of their own.
TEST(XlOps, GroupsReachTheSinkWhole) {
  Encoder e;
  ASSERT_EQ(XlOp_BeginSession(&e.enc, {600, 600}, 0, 2), 1u);
  EXPECT_EQ(e.sink.calls.size(), 1u);
  Encoder f;
  ASSERT_EQ(XlOp_LineRelPath(&f.enc, 3, XlPointType::SByte, {kRelPoints, 6, XL_EMBED_AUTO}), 1u);
  EXPECT_EQ(f.sink.calls, (std::vector<uint32_t>{10, 2, 6}));
}

TEST(XlOps, RefusalsAndSinkFailuresWriteNoOperator) {
  // A missing or uncountable array, or missing embedded data: nothing is
  // written that would leave an operator without its attributes or data.
  std::vector<uint8_t> big(65536, 1);
  const struct {
    const char* what;
    uint32_t (*write)(XlEncoder*);
  } refused[] = {
      {"palette without data",
       [](XlEncoder* e) { return XlOp_SetColorSpacePalette(e, XlColorSpace::RGB, 2, {nullptr, 6}); }},
      {"stream name without data",
       [](XlEncoder* e) { return XlOp_ExecStream(e, {nullptr, 3}); }},
      {"points without data",
       [](XlEncoder* e) {
         return XlOp_LineRelPath(e, 3, XlPointType::SByte, {nullptr, 6, XL_EMBED_AUTO});
       }},
      {"image block without data",
       [](XlEncoder* e) {
         return XlOp_ReadImage(e, 0, 1, XlCompressMode::RunLength, {nullptr, 6, XL_EMBED_AUTO});
       }},
      {"media type without data",
       [](XlEncoder* e) {
         return XlOp_BeginPage(e, {false, 0, 0, 2, {nullptr, 4}, XlPageSides::Unchanged, 0});
       }},
      {"dashes without data", [](XlEncoder* e) { return XlOp_SetLineDash(e, {nullptr, 2}, 0); }},
  };
  for (const auto& r : refused) {
    Encoder e;
    EXPECT_EQ(r.write(&e.enc), 0u) << r.what;
    EXPECT_TRUE(e.sink.bytes.empty()) << r.what;
  }
  Encoder e;
  EXPECT_EQ(XlOp_ExecStream(&e.enc, {big.data(), 65536}), 0u);
  EXPECT_TRUE(e.sink.bytes.empty());

  // A sink that fails part-way stops the operation before its operator.
  for (int okCalls = 0; okCalls < 3; ++okCalls) {
    Encoder f;
    f.sink.failAfter = okCalls;
    EXPECT_EQ(XlOp_SetColorSpacePalette(&f.enc, XlColorSpace::RGB, 2, {kPalette, 6}), 0u);
    xl::Options o;
    o.header = false;
    o.start = xl::Context::Page;
    o.dataSourceOpen = true;
    xl::Dissection d = xl::Dissect(f.sink.bytes, o);
    EXPECT_EQ(d.Count("SetColorSpace"), 0u) << okCalls;
  }
}

}  // namespace
