// The character attribute caches, font selection, text and glyph framing,
// read back with the independent dissector.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "drender/text/xl_text_ops.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/memory_sink.h"

namespace {

class TextOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XL_InitEncoder(&enc_, &testsupport::MemorySink::Write, &sink_);
    std::memset(&cache_, 0, sizeof cache_);
  }
  std::vector<xl::Operator> Written() {
    xl::Options options;
    options.header = false;
    options.start = xl::Context::Page;
    options.dataSourceOpen = true;
    xl::Dissection d = xl::Dissect(sink_.bytes.data() + seen_, sink_.bytes.size() - seen_, options);
    EXPECT_TRUE(d.ok) << d.error;
    seen_ = sink_.bytes.size();
    return d.ops;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& op : Written()) names.push_back(op.name);
    return names;
  }
  using N = std::vector<std::string>;

  testsupport::MemorySink sink_;
  XlEncoder enc_{};
  XlStateCache cache_{};
  size_t seen_ = 0;
};

TEST_F(TextOpsTest, ScaleIsWrittenOnceAndMakesTheNextAngleBeWritten) {
  ASSERT_EQ(XL_SetCharAngle(&enc_, &cache_, 0), 1u);
  EXPECT_TRUE(Names().empty());  // the cache starts at 0
  ASSERT_EQ(XL_SetCharScale(&enc_, &cache_, 1.0f, 1.0f), 1u);
  ASSERT_EQ(XL_SetCharScale(&enc_, &cache_, 1.0f, 1.0f), 1u);
  auto ops = Written();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].name, "SetCharScale");
  EXPECT_EQ(ops[0].Number(164, 0), 1.0);
  ASSERT_EQ(XL_SetCharAngle(&enc_, &cache_, 0), 1u);
  ops = Written();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].name, "SetCharAngle");
  EXPECT_EQ(ops[0].Number(161), 0.0);
  ASSERT_EQ(XL_SetCharAngle(&enc_, &cache_, 0), 1u);
  EXPECT_TRUE(Names().empty());
}

TEST_F(TextOpsTest, BoldAndShearCompareExactlyAndNeverMatchNaN) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Step {
    float x, y;
    bool written;
  } steps[] = {{0.015f, 0, true}, {0.015f, 0, false}, {0, 0, true}, {nan, 0, true}, {nan, 0, true}};
  for (const Step& s : steps) {
    XL_SetCharBoldValue(&enc_, &cache_, s.x);
    EXPECT_EQ(Names(), s.written ? N{"SetCharBoldValue"} : N{}) << s.x;
  }
  XL_SetCharShear(&enc_, &cache_, 0.31623f, 0);
  XL_SetCharShear(&enc_, &cache_, 0.31623f, 0);
  XL_SetCharShear(&enc_, &cache_, 0, 0);
  const auto ops = Written();
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_NEAR(ops[0].Number(165, 0), 0.31623, 1e-6);
}

TEST_F(TextOpsTest, SetFontCarriesNameSizeAndSymbolSet) {
  XlFontSelection font{};
  std::memcpy(font.name, "Arial           ", 16);
  font.charSize = 50;
  font.symbolSet = 629;
  ASSERT_EQ(XL_SetFont(&enc_, font), 1u);
  const auto ops = Written();
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].name, "SetFont");
  EXPECT_EQ(ops[0].Find(168)->value.Text(), "Arial           ");
  EXPECT_EQ(ops[0].Number(166), 50.0);
  EXPECT_EQ(ops[0].Number(170), 629.0);
}

TEST_F(TextOpsTest, SpacingArraysOnlyForTwoGlyphsOrMoreWithNonZeroSteps) {
  const uint8_t one[1] = {'A'};
  const uint8_t two[2] = {'A', 'B'};
  const int16_t zeros[2] = {0, 0};
  const int16_t steps[2] = {30, 0};
  struct Case {
    const uint8_t* text;
    uint32_t count;
    const int16_t* x;
    const int16_t* y;
    bool hasX, hasY;
  } cases[] = {{one, 1, steps, steps, false, false},
               {two, 2, zeros, zeros, false, false},
               {two, 2, steps, nullptr, true, false},
               {two, 2, zeros, steps, false, true}};
  for (const Case& c : cases) {
    XlTextRun run{false, false, false, c.text, c.x, c.y, c.count};
    ASSERT_EQ(XL_Text(&enc_, &cache_, {false}, run), 1u);
    const auto ops = Written();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].Find(171)->value.Text(), std::string(c.text, c.text + c.count));
    EXPECT_EQ(ops[0].Find(175) != nullptr, c.hasX);
    EXPECT_EQ(ops[0].Find(176) != nullptr, c.hasY);
  }
}

TEST_F(TextOpsTest, OnlyTextWithInkMarksThePage) {
  const uint8_t blanks[] = {' ', '\t', '\r', '\n'};
  const uint16_t wideBlanks[] = {0x8140, 0x0D0A, 32, 13};
  const uint8_t word[] = {' ', 'x'};
  struct Case {
    XlTextRun run;
    uint8_t brushWhite;
    uint32_t uiDrawing;
    bool marks;
  } cases[] = {
      {{false, false, false, blanks, nullptr, nullptr, 4}, 0, 0, false},
      {{true, false, true, wideBlanks, nullptr, nullptr, 4}, 0, 0, false},
      {{true, false, false, wideBlanks, nullptr, nullptr, 4}, 0, 0, true},  // not double-byte
      {{false, false, false, word, nullptr, nullptr, 2}, 0, 0, true},
      {{false, false, false, word, nullptr, nullptr, 2}, 1, 0, false},  // white brush
      {{false, false, false, word, nullptr, nullptr, 2}, 0, 1, false},  // the UI core draws
      {{false, true, false, blanks, nullptr, nullptr, 4}, 0, 0, true},  // glyph-index text
  };
  for (const Case& c : cases) {
    cache_.contentFlags = 0;
    cache_.brushWhite = c.brushWhite;
    cache_.uiDrawing = c.uiDrawing;
    ASSERT_EQ(XL_Text(&enc_, &cache_, {true}, c.run), 1u);
    EXPECT_EQ((cache_.contentFlags & kXlMarkText) != 0, c.marks);
    cache_.contentFlags = 0;
    ASSERT_EQ(XL_Text(&enc_, &cache_, {false}, c.run), 1u);
    EXPECT_EQ(cache_.contentFlags, 0u);  // not tracking
  }
  Written();
}

TEST_F(TextOpsTest, GlyphFramingAndShortBitmapIntroducer) {
  XlGlyphDownload state{};
  const uint8_t rows[6] = {1, 2, 3, 4, 5, 6};
  XlBitmapGlyph bitmap{0, 3, 8, 6, 8};
  ASSERT_EQ(XL_DownloadBitmapGlyph(&enc_, &state, "F", 'a', bitmap, rows, 6), 1u);
  ASSERT_EQ(XL_DownloadBitmapGlyph(&enc_, &state, "F", 'b', bitmap, rows, 6), 1u);
  ASSERT_EQ(XL_EndChar(&enc_, &state), 1u);
  ASSERT_EQ(XL_EndChar(&enc_, &state), 1u);  // closed: nothing more
  const auto ops = Written();
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].name, "BeginChar");
  EXPECT_EQ(ops[1].dataTag, 0xFB);  // 16 bytes: the one-byte length form
  EXPECT_EQ(ops[1].data.size(), 16u);
  EXPECT_EQ(ops[3].name, "EndChar");
  // A width below the glyph's own, or rows shorter than they claim: refused.
  EXPECT_EQ(XL_DownloadBitmapGlyph(&enc_, &state, "F", 'c', {0, 0, 8, 2, 9}, rows, 6), 0u);
  EXPECT_EQ(XL_DownloadBitmapGlyph(&enc_, &state, "F", 'c', {0, 0, 8, 7, 8}, rows, 6), 0u);
  XlOutlineGlyph outline{};
  EXPECT_EQ(XL_DownloadOutlineGlyph(&enc_, &state, "F", 'c', outline, rows, 0xFFF8), 0u);
}

}  // namespace
