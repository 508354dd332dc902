// The drawing writers without the driver interface: paths, brushes and
// pens, image and pattern rows, read back with the independent dissector.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "drender/draw/brushes.h"
#include "drender/draw/jpeg_passes.h"
#include "drender/draw/raster_rows.h"
#include "drender/draw/xl_path_writers.h"
#include "drender/pclxl/byte_sink.h"
#include "drender/pclxl/pclxl_ops.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

using Names = std::vector<std::string>;

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XL_InitBufferSink(&sink_, buffer_.data(), static_cast<uint32_t>(buffer_.size()));
    XL_InitEncoder(&enc_, &XL_BufferSinkWrite, &sink_);
    std::memset(&cache_, 0, sizeof cache_);
    XL_CacheLifetime(&cache_, kXlLifetimePdevBuild);
    XL_CachePageReset(&cache_, false);
    job_.enc = &enc_;
    job_.gs = &cache_;
    job_.deltaRowAllowed = 1;
    job_.compression = kImgModeDeltaRow;
    job_.resolutionX = job_.resolutionY = 600;
    job_.definedSignature = &signature_;
  }
  void TearDown() override { XL_CacheFree(&cache_); }
  // The operators written since the last call.
  const xl::Dissection& Written() {
    xl::Options options;
    options.header = false;
    options.start = xl::Context::Page;
    options.dataSourceOpen = true;
    last_ = xl::Dissect(buffer_.data() + seen_, sink_.length - seen_, options);
    EXPECT_TRUE(last_.ok) << last_.error << "\n" << xl::Dump(last_);
    seen_ = sink_.length;
    return last_;
  }
  Names WrittenNames() { return Written().Names(); }
  static std::vector<double> Items(const xl::Operator& op, uint16_t attribute) {
    const xl::Attribute* a = op.Find(attribute);
    return a ? a->value.items : std::vector<double>{};
  }

  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(8 << 20);
  XlBufferSink sink_{};
  XlEncoder enc_{};
  XlStateCache cache_{};
  DrawJob job_{};
  uint32_t signature_ = 0;
  uint32_t seen_ = 0;
  xl::Dissection last_;
};

constexpr uint16_t kPoint = 76, kNumberOfPoints = 77, kPointType = 80, kPaletteData = 6;
constexpr uint16_t kGrayLevel = 9, kRgbColor = 11, kDestinationSize = 103, kPatternDefineId = 105;
constexpr uint16_t kCompressMode = 101, kPenWidth = 75, kLineDashStyle = 74;

// Embedded points as signed values, x then y.
std::vector<int> PointData(const xl::Operator& op) {
  std::vector<int> out;
  const double type = op.Number(kPointType);
  for (size_t i = 0; i < op.data.size();) {
    if (type == 1) {
      out.push_back(static_cast<int8_t>(op.data[i]));
      ++i;
    } else {
      out.push_back(static_cast<int16_t>(op.data[i] | (op.data[i + 1] << 8)));
      i += 2;
    }
  }
  return out;
}

TEST_F(DrawTest, LineOffsetsUseBytesUntilOneDoesNotFit) {
  struct Case {
    std::vector<DrawPoint> points;
    double type;
    std::vector<int> data;
  };
  const Case cases[] = {
      {{{110, 100}, {110, 227}, {-18, 227}}, 1, {10, 0, 0, 127, -128, 0}},
      {{{110, 100}, {238, 100}}, 3, {10, 0, 128, 0}},
      {{{100, 100}, {100, -28}}, 1, {0, 0, 0, -128}},
      {{{100, 100}, {100, -29}}, 3, {0, 0, 0, -129}},
  };
  for (const Case& c : cases) {
    std::vector<DrawPoint> points = c.points;
    const uint8_t type = Gfx_MakeLineRelative(points.data(), DrawPoint{100, 100}, static_cast<uint32_t>(points.size()));
    EXPECT_EQ(type, c.type);
    XL_LineRelPath(&job_, points.data(), static_cast<uint32_t>(points.size()), type);
    const xl::Dissection& d = Written();
    ASSERT_EQ(d.Names(), Names{"LineRelPath"});
    EXPECT_EQ(d.ops[0].Number(kPointType), c.type);
    EXPECT_EQ(d.ops[0].Number(kNumberOfPoints), static_cast<double>(c.points.size()));
    EXPECT_EQ(PointData(d.ops[0]), c.data);
  }
}

TEST_F(DrawTest, CursorFarLeftGoesThroughARelativeMove) {
  XL_SetCursor(&enc_, -40000, 100);
  const xl::Dissection& d = Written();
  ASSERT_EQ(d.Names(), (Names{"SetCursor", "SetCursorRel"}));
  EXPECT_EQ(Items(d.ops[0], kPoint), (std::vector<double>{-32768, 0}));
  EXPECT_EQ(Items(d.ops[1], kPoint), (std::vector<double>{-7232, 100}));
  // Beyond what the stream can reach the point is clamped, never wrapped.
  XL_SetCursor(&enc_, 40000, -70000);
  const xl::Dissection& e = Written();
  ASSERT_EQ(e.Names(), (Names{"SetCursor", "SetCursorRel"}));
  EXPECT_EQ(Items(e.ops[0], kPoint), (std::vector<double>{0, -32768}));
  EXPECT_EQ(Items(e.ops[1], kPoint), (std::vector<double>{32767, -32768}));
}

TEST_F(DrawTest, PathRecordsBecomeFigures) {
  struct Case {
    const char* name;
    std::vector<std::pair<uint32_t, std::vector<DrawPoint>>> records;
    Names ops;
  };
  const Case cases[] = {
      {"one point begins a figure only", {{kPathBegin, {{5, 5}}}}, {"SetCursor"}},
      {"closed figure", {{kPathBegin | kPathEnd | kPathClose, {{0, 0}, {10, 0}, {10, 10}}}},
       {"SetCursor", "LineRelPath", "CloseSubPath"}},
      {"ended, not closed", {{kPathBegin | kPathEnd, {{0, 0}, {10, 0}}}}, {"SetCursor", "LineRelPath"}},
      {"continued in records",
       {{kPathBegin | kPathResetStyle, {{0, 0}, {10, 0}}},
        {kPathResetStyle, {{10, 10}}},
        {kPathBeziers, {{20, 10}, {20, 20}, {10, 20}}},
        {kPathEnd | kPathClose, {{0, 20}}}},
       {"SetCursor", "LineRelPath", "LineRelPath", "BezierRelPath", "LineRelPath", "CloseSubPath"}},
      {"unknown flags write nothing", {{0x40, {{1, 1}}}}, {}},
      {"no points write nothing", {{kPathBegin | kPathEnd, {}}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PathWalk walk{};
    for (auto record : c.records) {
      EXPECT_EQ(Gfx_WritePathRecord(&job_, &walk, record.first, record.second.data(),
                                    static_cast<uint32_t>(record.second.size())),
                1u);
    }
    EXPECT_EQ(WrittenNames(), c.ops);
  }
}

TEST_F(DrawTest, BezierOffsetsAreFromEachCurvesStart) {
  PathWalk walk{};
  std::vector<DrawPoint> points = {{100, 100}, {110, 90}, {120, 90}, {130, 100}, {140, 110}, {150, 110}, {160, 100}};
  Gfx_WritePathRecord(&job_, &walk, kPathBegin | kPathBeziers, points.data(), 7);
  const xl::Dissection& d = Written();
  ASSERT_EQ(d.Names(), (Names{"SetCursor", "BezierRelPath"}));
  EXPECT_EQ(PointData(d.ops[1]), (std::vector<int>{10, -10, 20, -10, 30, 0, 10, 10, 20, 10, 30, 0}));
  // Points that make no whole curve are left out.
  std::vector<DrawPoint> more = {{170, 100}, {180, 100}};
  Gfx_WritePathRecord(&job_, &walk, kPathBeziers, more.data(), 2);
  EXPECT_TRUE(WrittenNames().empty());
}

TEST_F(DrawTest, SolidBrushColourGrayAndBlack) {
  Gfx_RealizePatternBrush(&job_, nullptr, 0x0000FF, true);
  const xl::Dissection& d = Written();
  ASSERT_EQ(d.Names(), (Names{"SetColorSpace", "SetBrushSource"}));
  EXPECT_EQ(Items(d.ops[1], kRgbColor), (std::vector<double>{255, 0, 0}));
  job_.grayMode = 1;
  Gfx_RealizePatternBrush(&job_, nullptr, 0x0000FF, true);
  const xl::Dissection& g = Written();
  ASSERT_EQ(g.Names(), (Names{"SetColorSpace", "SetBrushSource"}));
  EXPECT_EQ(g.ops[1].Number(kGrayLevel), 76);
  job_.printWithBlack = 1;
  Gfx_RealizePatternBrush(&job_, nullptr, 0x0000FF, true);
  EXPECT_EQ(Written().ops.back().Number(kGrayLevel), 0);
  // White stays white under print with black.
  Gfx_RealizePatternBrush(&job_, nullptr, 0xFFFFFF, true);
  EXPECT_EQ(Written().ops.back().Number(kGrayLevel), 255);
}

RealizedBrush Hatch(XlStateCache* cache, uint32_t style, int16_t id, uint32_t fg, uint32_t bg) {
  RealizedBrush r{};
  BrushDescription desc{kDescHatch, style, id, fg, bg};
  Gfx_MakeRealizedBrush(cache, &desc, &r);
  return r;
}

TEST_F(DrawTest, HatchIsDefinedOnceThenSelected) {
  const RealizedBrush a = Hatch(&cache_, 5, 7, 0x000000, 0xFFFFFF);
  const RealizedBrush b = Hatch(&cache_, 5, 7, 0x000000, 0xFFFFFF);
  Gfx_RealizePatternBrush(&job_, &a, 0xFFFFFFFF, false);
  const xl::Dissection& d = Written();
  ASSERT_EQ(d.Names(),
            (Names{"SetColorSpace", "BeginRastPattern", "ReadRastPattern", "EndRastPattern", "SetBrushSource"}));
  EXPECT_EQ(Items(d.ops[1], kDestinationSize), (std::vector<double>{8, 8}));
  EXPECT_EQ(d.ops[1].Number(kPatternDefineId), 7);
  EXPECT_EQ(d.ops[2].rows, (std::vector<uint8_t>{0x7E, 0x3C, 0x99, 0xC3, 0xC3, 0x99, 0x3C, 0x7E}));
  Gfx_RealizePatternBrush(&job_, &b, 0xFFFFFFFF, false);
  EXPECT_EQ(WrittenNames(), Names{"SetBrushSource"});  // selected, not defined
  Gfx_RealizePatternBrush(&job_, &b, 0xFFFFFFFF, false);
  EXPECT_TRUE(WrittenNames().empty());  // already the brush
  // Another hatch under the same id is defined anew.
  const RealizedBrush c = Hatch(&cache_, 0, 7, 0x000000, 0xFFFFFF);
  Gfx_RealizePatternBrush(&job_, &c, 0xFFFFFFFF, false);
  EXPECT_EQ(Written().Count("BeginRastPattern"), 1u);
  // Back to the first: its definition is gone, so it is defined again.
  Gfx_RealizePatternBrush(&job_, &a, 0xFFFFFFFF, false);
  EXPECT_EQ(Written().Count("BeginRastPattern"), 1u);
}

TEST_F(DrawTest, LargePatternsAndPatternsWithoutId) {
  job_.largePatterns = 1;
  const RealizedBrush a = Hatch(&cache_, 5, -2, 0x000000, 0xFFFFFF);
  Gfx_RealizePatternBrush(&job_, &a, 0xFFFFFFFF, false);
  const xl::Dissection& d = Written();
  ASSERT_GE(d.ops.size(), 2u);
  EXPECT_EQ(Items(d.ops[1], kDestinationSize), (std::vector<double>{32, 32}));
  // A pattern without an id is never taken as defined.
  Gfx_RealizePatternBrush(&job_, &a, 0xFFFFFFFF, false);
  EXPECT_EQ(Written().Count("BeginRastPattern"), 1u);
}

// A bitmap pattern record of width x height pixels at `bits` (1, 4, 8 or 24).
std::vector<uint8_t> PatternRecord(XlStateCache* cache, uint32_t width, uint32_t height, uint32_t bits,
                                   const std::vector<uint8_t>& rows, int16_t id, std::vector<uint32_t> table) {
  const uint64_t padded = Img_PaddedRowBytes(width, bits);
  std::vector<uint8_t> block(kRealizedBrushHead + padded * height + 4 * table.size());
  auto* r = reinterpret_cast<RealizedBrush*>(block.data());
  BrushDescription desc{kDescPattern, 0, id, 0, 0};
  Gfx_MakeRealizedBrush(cache, &desc, r);
  r->width = width;
  r->height = height;
  r->format = bits == 1 ? kPatFormat1 : bits == 4 ? kPatFormat4 : bits == 8 ? kPatFormat8 : kPatFormatRgb;
  r->flags = kPatTopDown;
  const uint64_t rowBytes = (uint64_t{width} * bits + 7) / 8;
  for (uint32_t y = 0; y < height; ++y) std::memcpy(r->bits + padded * y, rows.data() + rowBytes * y, rowBytes);
  if (!table.empty()) {
    r->colorCount = static_cast<uint32_t>(table.size());
    r->tableOffset = static_cast<uint32_t>(kRealizedBrushHead + padded * height);
    std::memcpy(block.data() + r->tableOffset, table.data(), 4 * table.size());
  }
  r->signature = Gfx_BrushSignature(r);
  return block;
}

TEST_F(DrawTest, BitmapPatternRowsDecodeToTheirPixels) {
  std::mt19937 random(7);
  for (uint32_t bits : {1u, 4u, 8u, 24u}) {
    for (bool delta : {true, false}) {
      SCOPED_TRACE(std::to_string(bits) + (delta ? " delta" : " class 2.0"));
      job_.deltaRowAllowed = delta ? 1 : 0;
      XL_CachePageReset(&cache_, false);
      const uint32_t width = 13, height = 9;
      const uint64_t rowBytes = (uint64_t{width} * bits + 7) / 8;
      std::vector<uint8_t> rows(rowBytes * height);
      for (uint8_t& b : rows) b = static_cast<uint8_t>(random());
      // The last byte's unused bits stay zero (the decoder keeps them).
      for (uint32_t y = 0; y < height && (width * bits) % 8; ++y) {
        rows[rowBytes * y + rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - (width * bits) % 8));
      }
      std::vector<uint32_t> table;
      if (bits <= 8) table = {0x0000FF, 0x00FF00, 0xFF0000};
      std::vector<uint8_t> record = PatternRecord(&cache_, width, height, bits, rows, 40, table);
      Gfx_RealizePatternBrush(&job_, reinterpret_cast<const RealizedBrush*>(record.data()), 0xFFFFFFFF, false);
      const xl::Dissection& d = Written();
      std::vector<uint8_t> decoded;
      for (const xl::Operator* op : d.All("ReadRastPattern")) {
        // Below class 2.1 never delta rows (random rows may go uncompressed).
        if (delta) {
          EXPECT_EQ(op->Number(kCompressMode), 3);
        } else {
          EXPECT_NE(op->Number(kCompressMode), 3);
        }
        decoded.insert(decoded.end(), op->rows.begin(), op->rows.end());
      }
      EXPECT_EQ(decoded, rows);
      if (bits <= 8) {
        // The palette: the table, then white.
        const xl::Operator* space = d.All("SetColorSpace").at(0);
        const std::vector<double> palette = Items(*space, kPaletteData);
        ASSERT_EQ(palette.size(), 3u << bits);
        EXPECT_EQ(std::vector<double>(palette.begin(), palette.begin() + 6), (std::vector<double>{255, 0, 0, 0, 255, 0}));
        if (bits > 1) {
          EXPECT_EQ(palette.back(), 255);
        }
      }
      // Same id and colours, other bits: defined again.
      rows[0] ^= 0x80;
      XL_ResetColorSpaceCache(&cache_);  // each fragment is dissected with its colour space
      record = PatternRecord(&cache_, width, height, bits, rows, 40, table);
      Gfx_RealizePatternBrush(&job_, reinterpret_cast<const RealizedBrush*>(record.data()), 0xFFFFFFFF, false);
      EXPECT_EQ(Written().Count("BeginRastPattern"), 1u);
    }
  }
}

TEST_F(DrawTest, TransparentWatermarkBrushIsAHalftone) {
  std::vector<uint8_t> checker;
  for (int y = 0; y < 16; ++y) {
    const uint8_t b = (y / 4) % 2 == 0 ? 0xF0 : 0x0F;
    checker.insert(checker.end(), {b, b});
  }
  struct Case {
    uint8_t deltaAllowed, solid;
    double mode;
    std::vector<uint8_t> rows;
  };
  const Case cases[] = {{1, 0, 3, checker}, {0, 0, 0, checker}, {1, 1, 0, std::vector<uint8_t>(32, 0)}};
  for (const Case& c : cases) {
    XL_CachePageReset(&cache_, false);
    job_.deltaRowAllowed = c.deltaAllowed;
    job_.watermarkHalftone = 1;
    job_.watermarkSolidCell = c.solid;
    job_.watermarkColour = 0x0000FF;
    Gfx_RealizePatternBrush(&job_, nullptr, 0x00FF00, false);
    const xl::Dissection& d = Written();
    EXPECT_EQ(d.Names(), (Names{"SetColorSpace", "BeginRastPattern", "ReadRastPattern", "EndRastPattern",
                                "SetBrushSource", "SetPaintTxMode", "SetSourceTxMode"}));
    EXPECT_EQ(Items(d.ops[0], kPaletteData), (std::vector<double>{255, 0, 0, 255, 255, 255}));
    EXPECT_EQ(d.ops[2].Number(kCompressMode), c.mode);
    EXPECT_EQ(d.ops[2].rows, c.rows);
  }
}

TEST_F(DrawTest, PenFromItsDescription) {
  PenDescription pen{};
  pen.width = 7;
  pen.dashes[0] = 12;
  pen.dashes[1] = 12;
  pen.dashCount = 2;
  Gfx_SetupPen(&job_, 0x0000FF, &pen, false);
  const xl::Dissection& d = Written();
  EXPECT_EQ(d.Names(), (Names{"SetColorSpace", "SetPenSource", "SetPenWidth", "SetLineCap", "SetLineJoin",
                              "SetLineDash"}));
  EXPECT_EQ(d.All("SetPenWidth").at(0)->Number(kPenWidth), 7);
  EXPECT_EQ(Items(*d.All("SetLineDash").at(0), kLineDashStyle), (std::vector<double>{12, 12}));
  Gfx_SetupPen(&job_, 0x0000FF, &pen, false);
  EXPECT_TRUE(WrittenNames().empty());
}

// Random rows through the block writer, decoded by the dissector.
TEST_F(DrawTest, RowBlocksRoundTripOverRandomRows) {
  std::mt19937 random(11);
  struct Case {
    uint8_t mode;
    uint32_t rowBytes;
    uint32_t rows;
    uint32_t maxRows;
  };
  const Case cases[] = {
      {kImgModePackBits, 37, 50, 7}, {kImgModeDeltaRow, 37, 50, 7}, {kImgModeNone, 37, 20, 6},
      {kImgModePackBits, 3, 300, 1000}, {kImgModeDeltaRow, 1, 300, 1000},
      // Very wide rows: blocks of one row.
      {kImgModeDeltaRow, 40000, 3, 0}, {kImgModePackBits, 40000, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.rowBytes));
    XlRasterHeader header{XlColorMapping::Direct, XlColorDepth::Bits8, static_cast<uint16_t>(c.rowBytes),
                          static_cast<uint16_t>(c.rows), XlUInt16XY{100, 100}};
    const uint32_t rowBytes = c.rowBytes;
    XlOp_BeginImage(&enc_, header);
    XlRowBlockWriter writer(&enc_, XlRowBlockWriter::Target::Image, rowBytes, c.maxRows, c.mode);
    std::vector<uint8_t> all;
    std::vector<uint8_t> row(writer.paddedBytes(), 0);
    for (uint32_t y = 0; y < c.rows; ++y) {
      // Rows that repeat their predecessor in part, with runs and noise.
      for (uint32_t x = 0; x < rowBytes; ++x) {
        const uint32_t kind = random() % 4;
        if (kind == 0) row[x] = static_cast<uint8_t>(random());
        if (kind == 1 && x > 0) row[x] = row[x - 1];
      }
      all.insert(all.end(), row.begin(), row.begin() + rowBytes);
      ASSERT_EQ(writer.AddRow(row.data()), 1u);
    }
    ASSERT_EQ(writer.Finish(), 1u);
    XlOp_EndImage(&enc_);
    const xl::Dissection& d = Written();
    std::vector<uint8_t> decoded;
    for (const xl::Operator* op : d.All("ReadImage")) {
      EXPECT_GE(op->rowCount, 1u);
      if (c.maxRows > 0) {
        EXPECT_LE(op->rowCount, c.maxRows);
      }
      decoded.insert(decoded.end(), op->rows.begin(), op->rows.end());
    }
    EXPECT_EQ(decoded, all);
  }
}

TEST_F(DrawTest, PackBitsRowsThatGrowGoUncompressedInABlockOfTheirOwn) {
  XlRasterHeader header{XlColorMapping::Direct, XlColorDepth::Bits8, 64, 3, XlUInt16XY{64, 3}};
  XlOp_BeginImage(&enc_, header);
  XlRowBlockWriter writer(&enc_, XlRowBlockWriter::Target::Image, 64, 100, kImgModePackBits);
  std::vector<uint8_t> flat(64, 0x55), noisy(64);
  for (size_t i = 0; i < noisy.size(); ++i) noisy[i] = static_cast<uint8_t>(i * 37 + 1);
  writer.AddRow(flat.data());
  writer.AddRow(noisy.data());
  writer.AddRow(flat.data());
  writer.Finish();
  XlOp_EndImage(&enc_);
  std::vector<double> modes;
  for (const xl::Operator* op : Written().All("ReadImage")) modes.push_back(op->Number(kCompressMode));
  EXPECT_EQ(modes, (std::vector<double>{1, 0, 1}));
}

TEST_F(DrawTest, CompressionByClassSizeAndPreference) {
  struct Case {
    uint8_t preference, subMode, deltaAllowed;
    uint32_t width, height;
    bool blt;
    uint8_t mode;
    uint8_t quality = 75;
  };
  const Case cases[] = {
      {kImgModeJpeg, 0, 1, 2000, 100, false, kImgModeJpeg},
      {kImgModeJpeg, 0, 1, 1000, 100, false, kImgModeDeltaRow},
      {kImgModeJpeg, 0, 0, 1000, 100, false, kImgModePackBits},
      {kImgModeJpeg, 0, 1, 2000, 15, false, kImgModePackBits},
      {kImgModeJpeg, 1, 1, 2000, 8, false, kImgModeJpeg},
      {kImgModeJpeg, 0, 1, 2000, 100, true, kImgModeDeltaRow},
      // Settings without a JPEG quality (or one the encoder refuses) never
      // reach the encoder.
      {kImgModeJpeg, 0, 1, 2000, 100, false, kImgModeDeltaRow, 0},
      {kImgModeJpeg, 0, 1, 2000, 100, false, kImgModeDeltaRow, 101},
      {kImgModeJpeg, 0, 1, 2000, 100, false, kImgModeJpeg, 1},
      {kImgModeJpeg, 0, 1, 2000, 100, false, kImgModeJpeg, 100},
      {kImgModeDeltaRow, 0, 0, 10, 10, false, kImgModePackBits},
      {kImgModeNone, 0, 0, 10, 10, false, kImgModePackBits},
      {kImgModePackBits, 0, 1, 10, 10, true, kImgModeDeltaRow},
      {kImgModePackBits, 0, 0, 10, 10, true, kImgModePackBits},
  };
  for (const Case& c : cases) {
    job_.compression = c.preference;
    job_.jpegSubMode = c.subMode;
    job_.jpegQuality = c.quality;
    job_.deltaRowAllowed = c.deltaAllowed;
    EXPECT_EQ(Img_ChooseMode(&job_, c.width, c.height, c.blt), c.mode)
        << int(c.preference) << " " << c.width << "x" << c.height << " quality " << int(c.quality);
  }
}

// Pixel p of a row at `bits` per pixel.
uint32_t PixelAt(const uint8_t* row, uint32_t bits, uint32_t x) {
  if (bits < 8) return (row[x * bits / 8] >> (8 - bits - (x * bits) % 8)) & ((1u << bits) - 1);
  uint32_t v = 0;
  std::memcpy(&v, row + x * (bits / 8), bits / 8);
  return v;
}

TEST_F(DrawTest, FlipAndMirrorEveryFormat) {
  std::mt19937 random(3);
  for (uint32_t format = 1; format <= 6; ++format) {
    const uint32_t bits = Img_FormatBits(format);
    const uint32_t width = 11, height = 5;
    const uint32_t stride = static_cast<uint32_t>(Img_PaddedRowBytes(width, bits));
    std::vector<uint8_t> bitsIn(stride * height);
    for (uint8_t& b : bitsIn) b = static_cast<uint8_t>(random());
    for (uint32_t flags : {uint32_t{kFlipVertical}, uint32_t{kFlipMirror}, uint32_t{kFlipVertical | kFlipMirror}}) {
      SCOPED_TRACE(std::to_string(format) + " " + std::to_string(flags));
      uint32_t unused = 99;
      uint8_t* out = Img_FlipBits(bitsIn.data(), width, height, format, static_cast<int32_t>(stride), flags, &unused);
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(unused, (flags & kFlipMirror) ? stride * 8 - width * bits : 0u);
      for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
          const uint32_t sy = (flags & kFlipVertical) ? height - 1 - y : y;
          const uint32_t sx = (flags & kFlipMirror) ? width - 1 - x : x;
          ASSERT_EQ(PixelAt(out + stride * y, bits, x), PixelAt(bitsIn.data() + stride * sy, bits, sx)) << x << "," << y;
        }
      }
      std::free(out);
    }
    EXPECT_EQ(Img_FlipBits(bitsIn.data(), width, height, format, static_cast<int32_t>(stride), 0, nullptr), nullptr);
  }
  uint8_t one = 0;
  EXPECT_EQ(Img_FlipBits(&one, 1, 1, 7, 4, kFlipMirror, nullptr), nullptr);
}

TEST_F(DrawTest, ContentTestsSeeOnlyNearWhite) {
  const uint8_t white[] = {255, 255, 255, 254, 254, 254, 255, 254, 255, 254, 254, 255, 255, 255, 254, 254, 255, 254};
  EXPECT_FALSE(Img_IsDirectRowContent(white, 24, 6));
  const uint8_t tinted[] = {254, 255, 255};
  EXPECT_TRUE(Img_IsDirectRowContent(tinted, 24, 1));
  const uint8_t gray[] = {255, 254, 253};
  EXPECT_FALSE(Img_IsDirectRowContent(gray, 8, 2));
  EXPECT_TRUE(Img_IsDirectRowContent(gray, 8, 3));
  const uint8_t word[] = {0xFF, 0x7F, 0xFF, 0xFF};
  EXPECT_FALSE(Img_IsDirectRowContent(word, 16, 1));
  EXPECT_TRUE(Img_IsDirectRowContent(word, 16, 2));
  // 1-bit rows: entry 0 black, entry 1 white.
  const uint8_t palette[] = {0, 0, 0, 255, 255, 255};
  const uint8_t ones[] = {0xFF, 0x80};
  EXPECT_FALSE(Img_IsIndexedRowContent(ones, 1, 9, palette, 2, false));
  const uint8_t spot[] = {0xFF, 0x00};
  EXPECT_TRUE(Img_IsIndexedRowContent(spot, 1, 10, palette, 2, false));
  // The bits past the row's pixels are not looked at.
  EXPECT_FALSE(Img_IsIndexedRowContent(spot, 1, 8, palette, 2, false));
}

// A stand-in encoder: a stream of `g_streamSize` bytes (each its index),
// written only when the capacity holds it; calls are recorded.
uint32_t g_streamSize = 0;
std::vector<uint32_t> g_calls;
uint16_t JPEG_ENCODE_CALL FakeEncode(JpegEncodeParams* p, uint32_t pass) {
  g_calls.push_back(pass);
  if (g_streamSize == 0) {
    p->output_size = 0;
    return 0x2F00;
  }
  if (pass == kJpegPassEncode) {
    if (p->output_size < g_streamSize) {
      p->output_size = 0;
      return 0x2005;
    }
    for (uint32_t i = 0; i < g_streamSize; ++i) p->output[i] = static_cast<uint8_t>(i);
  }
  p->output_size = g_streamSize;
  return 0;
}

TEST(JpegPasses, OnePassWhenTheBoundHoldsTheStreamElseMeasureFirst) {
  struct Case {
    uint32_t width, height, stream;
    std::vector<uint32_t> calls;
    uint32_t result;
  };
  const Case cases[] = {
      {100, 10, 2000, {1}, 1},             // fits the bound: one pass
      {10, 10, 70000, {1, 0, 1}, 1},       // larger than the bound: measured, then encoded
      {10, 10, 0, {1, 0}, 0},              // the encoder fails: nothing
      {40000, 40000, 500, {0, 1}, 1},      // too large for a bound: measured first
  };
  for (const Case& c : cases) {
    g_streamSize = c.stream;
    g_calls.clear();
    JpegEncodeParams params{};
    params.width = c.width;
    params.height = c.height;
    std::unique_ptr<uint8_t[]> out;
    uint32_t passes = 0;
    EXPECT_EQ(Img_JpegEncodeStream(&FakeEncode, &params, &out, &passes), c.result) << c.stream;
    EXPECT_EQ(g_calls, c.calls) << c.stream;
    EXPECT_EQ(passes, c.calls.size());
    if (c.result) {
      ASSERT_TRUE(out);
      EXPECT_EQ(params.output_size, c.stream);
      EXPECT_EQ(out[c.stream - 1], static_cast<uint8_t>(c.stream - 1));
    } else {
      EXPECT_FALSE(out);
    }
  }
}

}  // namespace
