// The watermark drawn at page end, recorded in an enhanced metafile and read
// back record by record.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "common/contracts/private_escapes.h"
#include "common/records/doc_fields.h"
#include "duicore/events/watermark_win.h"
#include "duicore/tests/event_harness_win.h"

namespace {

using eventtest::DecodeEmf;
using eventtest::EmfContent;
using eventtest::EventHarness;

constexpr uint32_t kWidth = 4800, kHeight = 6600;

class Watermark : public ::testing::Test {
 protected:
  void SetUp() override {
    DocFields& f = Fields(h_.Doc());
    f.bWmk = 1;
    Set(f.WmkInfo_szWmkStr, u"DRAFT");
    Set(f.WmkInfo_szFontName, u"DejaVu Sans");
    f.WmkInfo_nStyle = 1;
    f.WmkInfo_wSize = 36;
    f.WmkInfo_crColor = 0x000000FF;
    f.WmkInfo_wFrame = 1;
    f.nResoH = 600;
    f.nResoV = 600;
    h_.SetPage(kWidth, kHeight, 0, 1);
  }
  template <size_t N>
  static void Set(char16_t (&field)[N], const std::u16string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), N) * sizeof(char16_t));
  }
  DocFields& F() { return Fields(h_.Doc()); }
  // Runs the page-end step on a fresh metafile DC and decodes what it drew.
  int Run(EmfContent* content) {
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const int result = RunWatermarkStep(dc);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    *content = DecodeEmf(emf);
    DeleteEnhMetaFile(emf);
    return result;
  }
  // The metrics of a font as the screen has them, for expected positions.
  static TEXTMETRICW Metrics(const LOGFONTW& font, const std::wstring& text, SIZE* extent) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    TEXTMETRICW m{};
    GetTextMetricsW(dc, &m);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), extent);
    SelectObject(dc, old);
    DeleteObject(handle);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    ReleaseDC(nullptr, screen);
    return m;
  }
  EventHarness h_;
};

TEST_F(Watermark, SingleCopyFontAndPlace) {
  struct Case {
    int16_t angle;
    int32_t posX, posY;
  } cases[] = {{0, 0, 0}, {0, 0, 50}, {0, -40, -20}, {90, 0, 0}, {405, 10, 10}, {-30, 0, 0}};
  for (const Case& c : cases) {
    F().WmkInfo_nAngle = c.angle;
    F().WmkInfo_ptWmkPos_x = static_cast<uint32_t>(c.posX);
    F().WmkInfo_ptWmkPos_y = static_cast<uint32_t>(c.posY);
    h_.escapes.clear();
    EmfContent e;
    ASSERT_EQ(Run(&e), 1);
    // The drawing mode brackets the drawing.
    ASSERT_EQ(h_.escapes.size(), 3u);
    EXPECT_EQ(h_.escapes[1].code, kEscSetUiDraw);
    EXPECT_EQ(h_.escapes[1].in, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(h_.escapes[2].in, (std::vector<uint8_t>{0, 0, 0, 0}));
    ASSERT_EQ(e.fonts.size(), 1u);
    const LOGFONTW& font = e.fonts[0].font;
    EXPECT_EQ(font.lfHeight, -300) << "36 points at 600 dpi";
    EXPECT_EQ(font.lfEscapement, c.angle * 10);
    EXPECT_EQ(font.lfOrientation, c.angle * 10);
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"DejaVu Sans");
    ASSERT_EQ(e.texts.size(), 1u);
    EXPECT_EQ(e.texts[0].text, L"DRAFT");
    SIZE extent;
    const TEXTMETRICW m = Metrics(font, L"DRAFT", &extent);
    const int halfW = static_cast<int>(kWidth / 2), halfH = static_cast<int>(kHeight / 2);
    const double cx = halfW + c.posX * halfW / 100;
    const double cy = halfH - c.posY * halfH / 100;
    const double dx = -extent.cx / 2, dy = m.tmHeight / 2 - m.tmDescent;
    const double a = c.angle * 3.14159265358979 / 180;
    // Counter-clockwise on a page whose y grows downwards.
    const double x = cx + std::cos(a) * dx + std::sin(a) * dy;
    const double y = cy + std::cos(a) * dy - std::sin(a) * dx;
    EXPECT_NEAR(e.texts[0].reference.x, x, 3) << c.angle << " " << c.posX << "," << c.posY;
    EXPECT_NEAR(e.texts[0].reference.y, y, 3) << c.angle << " " << c.posX << "," << c.posY;
    ASSERT_FALSE(e.textColors.empty());
    EXPECT_EQ(e.textColors.front(), 0x0000FFu) << "the first colour set is the text's";
  }
}

TEST_F(Watermark, BoldFacesAndSimulatedBold) {
  // DejaVu Sans has a bold face of its own: one copy at weight 700.
  F().WmkInfo_nStyle = 3;
  EmfContent e;
  ASSERT_EQ(Run(&e), 1);
  ASSERT_FALSE(e.fonts.empty());
  EXPECT_EQ(e.fonts.back().font.lfWeight, 700);
  EXPECT_EQ(e.texts.size(), 1u);
  // DejaVu Math TeX Gyre has none: weight 400 and eight shifted copies per
  // step.
  Set(F().WmkInfo_szFontName, u"DejaVu Math TeX Gyre");
  for (uint16_t size : {36, 72}) {
    F().WmkInfo_wSize = size;
    ASSERT_EQ(Run(&e), 1);
    ASSERT_FALSE(e.fonts.empty());
    EXPECT_EQ(e.fonts.back().font.lfWeight, 400);
    SIZE extent;
    const TEXTMETRICW m = Metrics(e.fonts.back().font, L"DRAFT", &extent);
    const int n = (m.tmHeight - m.tmDescent) / 200;
    const int count = n == 0 ? 1 : n, step = n == 0 ? 1 : 2;
    ASSERT_EQ(e.texts.size(), 8u * count) << size;
    // Left and right of the unshifted place first.
    EXPECT_EQ(e.texts[count].reference.x - e.texts[0].reference.x, 2 * step) << size;
    for (const auto& t : e.texts) EXPECT_EQ(t.text, L"DRAFT");
  }
}

TEST_F(Watermark, FramesAndTiles) {
  F().WmkInfo_wFrame = 2;
  EmfContent e;
  ASSERT_EQ(Run(&e), 1);
  ASSERT_EQ(e.polylines.size(), 1u);
  EXPECT_EQ(e.polylines[0].size(), 361u);
  EXPECT_EQ(e.polylines[0].front().x, e.polylines[0].back().x);
  ASSERT_FALSE(e.penWidths.empty());
  EXPECT_EQ(e.penWidths.back(), 36) << "600 x 0.00167 x 36 + 0.5";
  F().WmkInfo_wFrame = 3;
  ASSERT_EQ(Run(&e), 1);
  ASSERT_EQ(e.polylines.size(), 1u);
  EXPECT_EQ(e.polylines[0].size(), 5u);
  // The square is centred on the page centre.
  EXPECT_EQ(e.polylines[0][0].x + e.polylines[0][2].x, static_cast<LONG>(kWidth));
  EXPECT_EQ(e.polylines[0][0].y + e.polylines[0][2].y, static_cast<LONG>(kHeight));
  // Tiles: copies on a lattice over the whole page, each with its frame.
  F().WmkInfo_bMultiStamp = 1;
  ASSERT_EQ(Run(&e), 1);
  ASSERT_GT(e.texts.size(), 4u);
  EXPECT_EQ(e.polylines.size(), e.texts.size());
  LONG minX = LONG_MAX, maxX = LONG_MIN, minY = LONG_MAX, maxY = LONG_MIN;
  for (const auto& p : e.polylines) {
    const LONG x = (p[0].x + p[2].x) / 2, y = (p[0].y + p[2].y) / 2;
    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  EXPECT_LE(minX, 0 + 1200);
  EXPECT_GE(maxX, static_cast<LONG>(kWidth) - 1200);
  EXPECT_LE(minY, 400);
  EXPECT_GE(maxY, static_cast<LONG>(kHeight) - 400);
}

TEST_F(Watermark, GreyFirstPageAndFailures) {
  // Grayscale jobs print the grey of the colour.
  F().nColorMode = 1;
  F().WmkInfo_crColor = 0xFF0000FF;  // the top byte is not a colour
  EmfContent e;
  ASSERT_EQ(Run(&e), 1);
  ASSERT_FALSE(e.textColors.empty());
  EXPECT_EQ(e.textColors.front(), RGB(76, 76, 76));
  // First page only: the second page goes without.
  F().WmkInfo_bFstPg = 1;
  h_.SetPage(kWidth, kHeight, 1, 2);
  h_.escapes.clear();
  ASSERT_EQ(Run(&e), 1);
  EXPECT_TRUE(e.texts.empty());
  EXPECT_EQ(h_.escapes.size(), 1u) << "only the job record is read";
  // With N-up the logical page decides: the first sheet gets it.
  F().bNup = 1;
  h_.SetPage(kWidth, kHeight, 1, 1);
  ASSERT_EQ(Run(&e), 1);
  EXPECT_EQ(e.texts.size(), 1u);
  // A face that is not there gives way to one that is: the watermark is
  // still drawn.
  F().bNup = 0;
  F().WmkInfo_bFstPg = 0;
  Set(F().WmkInfo_szFontName, u"No Such Face");
  h_.escapes.clear();
  ASSERT_EQ(Run(&e), 1);
  EXPECT_EQ(e.texts.size(), 1u);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscGetJobData, kEscSetUiDraw, kEscSetUiDraw}));
  // No resolution: nothing drawn, nothing divided by zero, and the mode
  // switched off twice.
  Set(F().WmkInfo_szFontName, u"DejaVu Sans");
  F().nResoV = 0;
  h_.escapes.clear();
  ASSERT_EQ(Run(&e), 1);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscGetJobData, kEscSetUiDraw, kEscSetUiDraw, kEscSetUiDraw}));
  EXPECT_TRUE(e.texts.empty());
  // A text without its terminator ends inside its field.
  F().nResoV = 600;
  for (auto& c : F().WmkInfo_szWmkStr) c = u'W';
  ASSERT_EQ(Run(&e), 1);
  ASSERT_EQ(e.texts.size(), 1u);
  EXPECT_EQ(e.texts[0].text.size(), 128u);
}

}  // namespace
