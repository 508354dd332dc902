// The graphics-state cache: what its writers send and when they stay
// silent, read back with the independent dissector; stored streams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drender/pclxl/byte_sink.h"
#include "drender/job/stored_stream.h"
#include "drender/job/xl_state_cache.h"
#include "tests/pclxl/xl_dissector.h"

namespace {

class CacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XL_InitBufferSink(&sink_, buffer_.data(), static_cast<uint32_t>(buffer_.size()));
    XL_InitEncoder(&enc_, &XL_BufferSinkWrite, &sink_);
    std::memset(&cache_, 0, sizeof cache_);
    XL_CacheLifetime(&cache_, kXlLifetimePdevBuild);
  }
  void TearDown() override {
    XL_CacheFree(&cache_);
    XL_SetCacheAllocator(nullptr);
  }
  // The operator names written since the last call.
  std::vector<std::string> Written() {
    xl::Options options;
    options.header = false;
    options.start = xl::Context::Page;
    options.dataSourceOpen = true;
    xl::Dissection d = xl::Dissect(buffer_.data() + seen_, sink_.length - seen_, options);
    EXPECT_TRUE(d.ok) << d.error;
    last_ = d;
    seen_ = sink_.length;
    return d.Names();
  }
  using Names = std::vector<std::string>;

  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(1 << 20);
  XlBufferSink sink_{};
  XlEncoder enc_{};
  XlStateCache cache_{};
  uint32_t seen_ = 0;
  xl::Dissection last_;
};

TEST_F(CacheTest, RopAfterAPageResetIsWrittenOnce) {
  XL_CachePageReset(&cache_, false);
  EXPECT_EQ(XL_SelectRop(&enc_, &cache_, 204), 1u);
  EXPECT_EQ(Written(), (Names{"SetPaintTxMode", "SetSourceTxMode", "SetROP"}));
  EXPECT_EQ(last_.ops[2].attributes[0].value.items[0], 204.0);
  EXPECT_EQ(XL_SelectRop(&enc_, &cache_, 204), 1u);
  EXPECT_TRUE(Written().empty());
  // A transparent watermark brush changes the transfer modes: the next
  // opaque request writes them again.
  XL_SetTransparentTxModes(&enc_, &cache_);
  EXPECT_EQ(Written(), (Names{"SetPaintTxMode", "SetSourceTxMode"}));
  XL_SelectRop(&enc_, &cache_, 204);
  EXPECT_EQ(Written(), (Names{"SetPaintTxMode", "SetSourceTxMode"}));
}

TEST_F(CacheTest, PlainValuesAreWrittenWhenTheyChange) {
  XL_SetPenWidth(&enc_, &cache_, 300);
  XL_SetPenWidth(&enc_, &cache_, 300);
  EXPECT_EQ(Written(), (Names{"SetPenWidth"}));
  XL_SetFillMode(&enc_, &cache_, 0);  // the printer's default
  XL_SetClipMode(&enc_, &cache_, 0);
  EXPECT_TRUE(Written().empty());
  XL_SetFillMode(&enc_, &cache_, 1);
  XL_SetClipMode(&enc_, &cache_, 1);
  XL_SetFillMode(&enc_, &cache_, 1);
  EXPECT_EQ(Written(), (Names{"SetFillMode", "SetClipMode"}));
}

TEST_F(CacheTest, DashStylesFollowTheResolution) {
  struct Case {
    uint32_t dpi;
    std::vector<double> dashes;
  };
  for (const Case& c : {Case{600, {60, 30}}, Case{1200, {120, 60}}, Case{300, {30, 15}}}) {
    XL_CachePageReset(&cache_, false);
    XL_SetLineDashStyle(&enc_, &cache_, 1, nullptr, 0, c.dpi);
    ASSERT_EQ(Written(), (Names{"SetLineDash"}));
    EXPECT_EQ(last_.ops[0].attributes[0].value.items, c.dashes) << c.dpi;
    XL_SetLineDashStyle(&enc_, &cache_, 1, nullptr, 0, c.dpi);
    EXPECT_TRUE(Written().empty());
  }
  XL_SetLineDashStyle(&enc_, &cache_, 0, nullptr, 0, 600);
  XL_SetLineDashStyle(&enc_, &cache_, 9, nullptr, 0, 600);
  EXPECT_EQ(Written(), (Names{"SetLineDash"}));  // one solid line
}

TEST_F(CacheTest, BrushAndPenColours) {
  const uint8_t red[3] = {255, 0, 0};
  const uint8_t white[3] = {255, 255, 255};
  XL_SetBrushSource(&enc_, &cache_, red, false);
  XL_SetBrushSource(&enc_, &cache_, red, false);
  XL_SetBrushSource(&enc_, &cache_, white, false);
  XL_SetBrushSource(&enc_, &cache_, nullptr, true);
  XL_SetBrushSource(&enc_, &cache_, nullptr, true);
  EXPECT_EQ(Written(), (Names{"SetBrushSource", "SetBrushSource", "SetBrushSource"}));
  cache_.grayMode = 1;
  const uint8_t gray[1] = {128};
  XL_SetPenSource(&enc_, &cache_, gray, false);
  XL_SetPenSource(&enc_, &cache_, gray, false);
  EXPECT_EQ(Written(), (Names{"SetPenSource"}));
  EXPECT_EQ(last_.ops[0].attributes[0].value.items[0], 128.0);
}

TEST_F(CacheTest, PaletteColourSpace) {
  const uint8_t palette[6] = {255, 255, 255, 0, 0, 0};
  XL_SetColorSpace(&enc_, &cache_, 2, palette, 6);
  XL_SetColorSpace(&enc_, &cache_, 2, palette, 6);
  EXPECT_EQ(Written(), (Names{"SetColorSpace"}));
  EXPECT_EQ(cache_.paletteWhite, 0);
  XL_SetColorSpace(&enc_, &cache_, 2, nullptr, 0);
  XL_SetColorSpace(&enc_, &cache_, 2, nullptr, 0);
  EXPECT_EQ(Written(), (Names{"SetColorSpace"}));
}

void* FailingAlloc(size_t) { return nullptr; }

TEST_F(CacheTest, AStoreThatCannotAllocateLeavesTheOldEntry) {
  const uint8_t red[3] = {255, 0, 0};
  const uint8_t blue[3] = {0, 0, 255};
  XL_SetBrushSource(&enc_, &cache_, red, false);
  Written();
  XL_SetCacheAllocator(&FailingAlloc);
  XL_SetBrushSource(&enc_, &cache_, blue, false);
  EXPECT_EQ(Written(), (Names{"SetBrushSource"}));
  // The cache still holds red: blue is written again, and so is red.
  XL_SetBrushSource(&enc_, &cache_, blue, false);
  EXPECT_EQ(Written(), (Names{"SetBrushSource"}));
  XL_SetCacheAllocator(nullptr);
  XL_SetBrushSource(&enc_, &cache_, red, false);
  EXPECT_TRUE(Written().empty());
  // The white-pattern list keeps its old rows when it cannot grow.
  ASSERT_EQ(Gfx_UpdateWhitePatternList(&cache_, 7, true), 1u);
  XL_SetCacheAllocator(&FailingAlloc);
  EXPECT_EQ(Gfx_UpdateWhitePatternList(&cache_, 8, true), 0u);
  ASSERT_EQ(cache_.whitePatternCount, 1);
  EXPECT_EQ(cache_.whitePatterns[0], 7);
}

TEST_F(CacheTest, WhatCountsAsAMark) {
  const uint8_t black[3] = {0, 0, 0};
  const uint8_t white[3] = {255, 255, 255};
  EXPECT_FALSE(Gfx_PageHasMarks(&cache_));  // nothing known
  XL_SetBrushSource(&enc_, &cache_, white, false);
  EXPECT_FALSE(Gfx_PageHasMarks(&cache_));  // a white brush, no pen
  XL_SetBrushSource(&enc_, &cache_, black, false);
  EXPECT_TRUE(Gfx_PageHasMarks(&cache_));
  cache_.uiDrawing = 1;  // what the user interface core draws does not count
  EXPECT_FALSE(Gfx_PageHasMarks(&cache_));
  cache_.uiDrawing = 0;
  // A pattern brush with a null pen: a mark unless the pattern is white.
  XL_SelectPattern(&enc_, &cache_, 5);
  XL_SetPenSource(&enc_, &cache_, nullptr, true);
  cache_.patternId = 5;
  EXPECT_TRUE(Gfx_PageHasMarks(&cache_));
  Gfx_UpdateWhitePatternList(&cache_, 5, true);
  EXPECT_FALSE(Gfx_PageHasMarks(&cache_));
  Gfx_UpdateWhitePatternList(&cache_, 5, false);
  EXPECT_TRUE(Gfx_PageHasMarks(&cache_));
}

TEST_F(CacheTest, PageResetForgetsTheClipAndEveryValue) {
  cache_.clipId = 9;
  cache_.clipPathCount = 1;
  cache_.clipPathPoints = static_cast<void**>(std::calloc(1, sizeof(void*)));
  cache_.clipPathPoints[0] = std::malloc(8);
  cache_.clipPathSizes = static_cast<uint32_t*>(std::calloc(1, sizeof(uint32_t)));
  XL_SetPenWidth(&enc_, &cache_, 10);
  XL_CachePageReset(&cache_, true);
  EXPECT_EQ(cache_.clipId, 0u);
  EXPECT_EQ(cache_.clipPathCount, 0u);
  EXPECT_EQ(cache_.clipPathPoints, nullptr);
  EXPECT_EQ(cache_.pageClipState, kXlNoPageClip);
  EXPECT_EQ(cache_.charAngle, -1);
  Written();
  XL_SetPenWidth(&enc_, &cache_, 10);
  EXPECT_EQ(Written(), (Names{"SetPenWidth"}));
}

TEST(StoredStreamTest, ThousandBytesAreAStreamOf1016) {
  TempSpool* spool = Spool_CreateMemory();
  ASSERT_NE(spool, nullptr);
  // The stored bytes: a page fragment of 1,000 bytes, 500 pairs of PushGS
  // and PopGS.
  std::vector<uint8_t> page(1000);
  for (size_t i = 0; i < 1000; i += 2) {
    page[i] = 0x61;      // PushGS
    page[i + 1] = 0x60;  // PopGS
  }
  ASSERT_EQ(Spool_Write(spool, 0, page.data(), 1000), 1u);
  PageStoreEntry entry;
  Entry_Init(&entry, 1, spool, nullptr);
  std::vector<uint8_t> out(4096);
  XlBufferSink sink;
  XL_InitBufferSink(&sink, out.data(), static_cast<uint32_t>(out.size()));
  XlEncoder enc;
  XL_InitEncoder(&enc, &XL_BufferSinkWrite, &sink);
  uint8_t piece[300];  // read in pieces smaller than the entry
  ASSERT_EQ(Xl_WriteStoredStream(&enc, &entry, "TABPROC", piece, sizeof piece), 1u);
  xl::Options options;
  options.header = false;
  options.start = xl::Context::Session;
  options.dataSourceOpen = true;
  const xl::Dissection d = xl::Dissect(out.data(), sink.length, options);
  ASSERT_TRUE(d.ok) << d.error;
  ASSERT_EQ(d.Names(), (std::vector<std::string>{"BeginStream", "ReadStream", "EndStream"}));
  EXPECT_EQ(d.ops[0].attributes[0].value.Text(), "TABPROC");
  EXPECT_EQ(d.ops[1].attributes[0].value.items[0], 1016.0);
  EXPECT_EQ(d.ops[1].attributes[0].value.TypeName(), "uint32");
  EXPECT_EQ(d.ops[1].dataTag, 0xFA);
  ASSERT_EQ(d.ops[1].data.size(), 1016u);
  EXPECT_EQ(std::string(d.ops[1].data.begin(), d.ops[1].data.begin() + 16), ") HP-PCL XL;2;1\n");
  EXPECT_TRUE(std::equal(page.begin(), page.end(), d.ops[1].data.begin() + 16));
  EXPECT_EQ(d.ops[2].streamOps.size(), 1000u);
  Spool_Free(spool);
}

}  // namespace
