// The test host's replay of an application's DC: what GDI calls draw on the
// DC lands in the job where GDI's own arithmetic puts it (mapping modes,
// world transforms, text alignment), and recorded escapes keep their place
// between the drawing.  The job is read back with the independent dissector.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/contracts/private_escapes.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/app_dc_replay.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/test_printer_win.h"

namespace {

// The points of SetCursor, in order, with the operator that follows each.
struct Cursor {
  double x, y;
  std::string next;
};

class AppDcReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"replay.prn");
  }
  void TearDown() override { host_.Unload(); }

  // A job of `pages` pages: `draw` draws on the application's DC of each.
  xl::Dissection Run(const std::function<void(HDC, int)>& draw, int pages = 1, DriverDevMode dm = A4DevMode()) {
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = pages;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.draw = [&](SURFOBJ* surface, int page) {
      draw(app_.Begin(surface), page);
      EXPECT_TRUE(app_.End()) << Failures();
    };
    EXPECT_TRUE(host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job).ok);
    const std::vector<uint8_t> bytes = ReadFileBytes(output_);
    DeleteFileW(output_.c_str());
    xl::Options options;
    options.skipToHeader = true;
    xl::Dissection d = xl::Dissect(bytes, options);
    EXPECT_TRUE(d.ok) << d.error;
    return d;
  }
  std::string Failures() const {
    std::string all;
    for (const std::string& f : app_.played().failures) all += f + "; ";
    return all;
  }
  static std::vector<Cursor> Cursors(const xl::Dissection& d) {
    std::vector<Cursor> out;
    for (size_t i = 0; i < d.ops.size(); ++i) {
      if (d.ops[i].name != "SetCursor") continue;
      out.push_back(Cursor{d.ops[i].Number(76, 0), d.ops[i].Number(76, 1),
                           i + 1 < d.ops.size() ? d.ops[i + 1].name : std::string()});
    }
    return out;
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Replay", RenderDriver()};
  DdiHost host_;
  HostAppDc app_{&host_};
  std::wstring output_;
};

TEST_F(AppDcReplay, ShapesLandWhereTheMappingPutsThem) {
  const xl::Dissection d = Run([](HDC dc, int) {
    // Twice the size, origin at (100, 50): the rectangle (10, 10)-(60, 40)
    // covers (120, 70)-(220, 130) on the device.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, 2, 2, nullptr);
    SetViewportOrgEx(dc, 100, 50, nullptr);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 10, 10, 60, 40);
    // A world transform moving by (30, 40), in the text mapping mode: the
    // line from (0, 0) to (100, 0) starts at (30, 40).
    SetMapMode(dc, MM_TEXT);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM move{1, 0, 0, 1, 30, 40};
    SetWorldTransform(dc, &move);
    HPEN pen = CreatePen(PS_SOLID, 5, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 100, 0);
    SelectObject(dc, old);
    DeleteObject(pen);
  });
  const std::vector<Cursor> c = Cursors(d);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].x, 120);
  EXPECT_EQ(c[0].y, 70);
  EXPECT_EQ(c[1].x, 30);
  EXPECT_EQ(c[1].y, 40);
  EXPECT_EQ(d.Count("PaintPath"), 2u);
  const auto widths = d.All("SetPenWidth");
  ASSERT_FALSE(widths.empty());
  EXPECT_EQ(widths.back()->Number(75), 5);
  EXPECT_EQ(app_.played().fills, 1);
  EXPECT_EQ(app_.played().strokes, 1);
}

TEST_F(AppDcReplay, TextStartsWhereTheAlignmentPutsIt) {
  const wchar_t* face = L"DejaVu Sans";
  LOGFONTW lf{};
  lf.lfHeight = -40;
  lstrcpyW(lf.lfFaceName, face);
  // GDI's own measures of the text: its width and ascent.
  HDC memory = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ oldFont = SelectObject(memory, font);
  SIZE extent{};
  GetTextExtentPoint32W(memory, L"Fax", 3, &extent);
  TEXTMETRICW tm{};
  GetTextMetricsW(memory, &tm);
  SelectObject(memory, oldFont);
  DeleteDC(memory);
  const xl::Dissection d = Run([&](HDC dc, int) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    TextOutW(dc, 300, 400, L"Fax", 3);
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    TextOutW(dc, 300, 600, L"Fax", 3);
    SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
    TextOutW(dc, 300, 800, L"Fax", 3);
    SelectObject(dc, old);
  });
  DeleteObject(font);
  const auto texts = d.All("Text");
  ASSERT_EQ(texts.size(), 3u);
  for (const xl::Operator* t : texts) EXPECT_EQ(t->Find(171)->value.Text(), "Fax");
  const std::vector<Cursor> c = Cursors(d);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0].x, 300);
  EXPECT_EQ(c[0].y, 400);
  EXPECT_NEAR(c[1].x, 300 - extent.cx, 1);
  EXPECT_NEAR(c[1].y, 600 + tm.tmAscent, 1);
  EXPECT_NEAR(c[2].x, 300 - extent.cx / 2.0, 1);
  EXPECT_NEAR(c[2].y, 800 - tm.tmDescent, 1);
  EXPECT_EQ(app_.played().texts, 3);
}

// An escape that returns nothing keeps its place between the drawing: the
// watermark mode is on only for what is drawn between its two escapes, and
// a page holding only such drawing is blank and left out when blank pages
// are saved.
TEST_F(AppDcReplay, RecordedEscapesKeepTheirPlace) {
  LOGFONTW lf{};
  lf.lfHeight = -40;
  lstrcpyW(lf.lfFaceName, L"DejaVu Sans");
  HFONT font = CreateFontIndirectW(&lf);
  DriverDevMode dm = A4DevMode();
  Fields(dm.doc).bStopBlankPaper = 1;
  const xl::Dissection d = Run(
      [&](HDC dc, int page) {
        const uint32_t on = 1, off = 0;
        HGDIOBJ old = SelectObject(dc, font);
        EXPECT_EQ(app_.Escape(kEscSetUiDraw, 4, &on, 0, nullptr), 1u);
        TextOutW(dc, 100, 200, L"inside", 6);
        EXPECT_EQ(app_.Escape(kEscSetUiDraw, 4, &off, 0, nullptr), 1u);
        if (page == 1) TextOutW(dc, 100, 300, L"after", 5);
        SelectObject(dc, old);
      },
      2, dm);
  DeleteObject(font);
  EXPECT_EQ(app_.played().escapes, 4);
  EXPECT_EQ(d.Count("BeginPage"), 1u);
  std::vector<std::string> texts;
  for (const xl::Operator* t : d.All("Text")) texts.push_back(t->Find(171)->value.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{"inside", "after"}));
}

}  // namespace
