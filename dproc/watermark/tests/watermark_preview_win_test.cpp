#include "dproc/watermark/watermark_preview_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "common/records/doc_fields.h"
#include "tests/support/canvas_win.h"

namespace {

constexpr int kWidth = 200, kHeight = 280;

WaterMarkInfo Confidential() {
  WaterMarkInfo mark{};
  std::memcpy(mark.szWmkStr, u"CONFIDENTIAL", 26);
  std::memcpy(mark.szFontName, u"Tahoma", 14);
  mark.nStyle = 3;
  mark.wSize = 72;
  mark.crColor = 0x0000FF;
  mark.wFrame = 1;
  return mark;
}

// The watermark as the settings hold it, and the record the sheet keeps.
struct Preview {
  std::unique_ptr<DocDMode> doc = std::make_unique<DocDMode>();
  WatermarkPreviewRecord record{};
  explicit Preview(const WaterMarkInfo& mark) {
    std::memset(doc.get(), 0, sizeof *doc);
    DocFields& f = Fields(*doc);
    static_assert(sizeof mark == 449);
    std::memcpy(f.WmkInfo_szKey, &mark, sizeof mark);
    SetWatermarkPreviewPaper(&record, 2100, 2970);
    SetupWatermarkFont(&record, &mark);
  }
  // Counts of pixels of the colour `grey` in the four quarters of the paper.
  std::array<int, 4> Draw(uint32_t grey) {
    testsupport::Canvas canvas(kWidth, kHeight, 0x123456);
    DrawWatermarkPreviewInto(&record, canvas.dc(), RECT{0, 0, kWidth, kHeight}, doc.get());
    std::array<int, 4> quarters{};
    const RECT& p = record.paperRect;
    for (int y = p.top + 1; y < p.bottom - 1; ++y) {
      for (int x = p.left + 1; x < p.right - 1; ++x) {
        if (canvas.At(x, y) == grey) ++quarters[(y >= (p.top + p.bottom) / 2 ? 2 : 0) + (x >= (p.left + p.right) / 2)];
      }
    }
    paperEdge = canvas.At(p.left, (p.top + p.bottom) / 2);
    outside = canvas.At(2 + p.left / 2, kHeight / 2);
    corner = canvas.At(p.left + 10, p.top + 8);
    return quarters;
  }
  uint32_t paperEdge = 0, outside = 0, corner = 0;
};

TEST(WatermarkPreviewDrawing, TheRecordTakesTheWatermarkAndItsFace) {
  WaterMarkInfo mark = Confidential();
  mark.nAngle = 30;
  WatermarkPreviewRecord record{};
  SetupWatermarkFont(&record, &mark);
  EXPECT_STREQ(L"Tahoma", record.font.lfFaceName);
  EXPECT_EQ(72, record.font.lfHeight);
  EXPECT_EQ(300, record.font.lfEscapement);
  EXPECT_EQ(FW_BOLD, record.font.lfWeight);
  EXPECT_FALSE(record.font.lfItalic);
  EXPECT_EQ(OUT_TT_ONLY_PRECIS, record.font.lfOutPrecision);
  SetWatermarkFontStyle(&record, 2);
  EXPECT_EQ(FW_NORMAL, record.font.lfWeight);
  EXPECT_TRUE(record.font.lfItalic);
  SetWatermarkFontStyle(&record, 9);
  EXPECT_TRUE(record.font.lfItalic);
  // "Courier" becomes "Courier New"; a face the display lacks keeps its
  // name over the default GUI font's attributes.
  std::memcpy(mark.szFontName, u"Courier\0", 16);
  SetupWatermarkFont(&record, &mark);
  EXPECT_STREQ(L"Courier New", record.font.lfFaceName);
  std::memcpy(mark.szFontName, u"No Such Face", 26);
  SetupWatermarkFont(&record, &mark);
  EXPECT_STREQ(L"No Such Face", record.font.lfFaceName);
  LOGFONTW gui{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_EQ(gui.lfCharSet, record.font.lfCharSet);
  SetupWatermarkFont(nullptr, &mark);
  SetWatermarkPreviewPaper(&record, 2100, 2970);
  EXPECT_EQ(595, record.pageWidth);
  EXPECT_EQ(841, record.pageHeight);
}

TEST(WatermarkPreviewDrawing, ThePaperAndTheTextInTheGreyOfItsColour) {
  Preview preview(Confidential());
  const std::array<int, 4> q = preview.Draw(0x4C4C4C);  // red's grey
  EXPECT_GT(q[0] + q[1] + q[2] + q[3], 20);
  EXPECT_EQ(0x000000u, preview.paperEdge);
  EXPECT_EQ(0xFFFFFFu, preview.outside);
  EXPECT_EQ(0xFFFFFFu, preview.corner);  // no overlay, no corner marks
  // The text sits across the centre: on both sides, above and below.
  EXPECT_GT(q[0], 0);
  EXPECT_GT(q[1], 0);
  EXPECT_GT(q[2], 0);
  EXPECT_GT(q[3], 0);
}

TEST(WatermarkPreviewDrawing, PositionTransparencyRepeatAndOverlay) {
  WaterMarkInfo mark = Confidential();
  mark.wSize = 36;
  mark.ptWmkPosX = 60;
  mark.ptWmkPosY = 60;
  mark.bBkGrnd = 1;
  Preview moved(mark);
  std::array<int, 4> q = moved.Draw(0xA3A3A3);  // lightened red's grey
  EXPECT_GT(q[1], 0);
  EXPECT_EQ(0, q[2]);
  EXPECT_EQ(0, q[3]);
  EXPECT_EQ(0, moved.Draw(0x4C4C4C)[1]);

  mark.bMultiStamp = 1;
  mark.wFrame = 3;
  Preview tiled(mark);
  Fields(*tiled.doc).bOverlay = 1;
  q = tiled.Draw(0xA3A3A3);
  for (int i = 0; i < 4; ++i) EXPECT_GT(q[i], 0) << i;
  EXPECT_EQ(0x808080u, tiled.corner);
}

TEST(WatermarkPreviewDrawing, NoPaperDrawsNoWatermarkAndNothingDivides) {
  Preview preview(Confidential());
  SetWatermarkPreviewPaper(&preview.record, 0, 2970);
  const std::array<int, 4> q = preview.Draw(0x4C4C4C);
  EXPECT_EQ(0, q[0] + q[1] + q[2] + q[3]);
  // Into a window's control: it draws and records where the paper sat.
  HWND window = CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
  HWND control = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 10, 10, kWidth, kHeight, window,
                               reinterpret_cast<HMENU>(kWatermarkPreviewControl), nullptr, nullptr);
  ASSERT_NE(nullptr, control);
  Preview shown(Confidential());
  DrawWatermarkPreview(&shown.record, window, shown.doc.get());
  EXPECT_GT(shown.record.paperRect.bottom - shown.record.paperRect.top, kHeight / 2);
  DrawWatermarkPreview(&shown.record, nullptr, shown.doc.get());
  DestroyWindow(window);
}

}  // namespace
