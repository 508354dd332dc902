// Spooled pages played through the render core as GDI hands them to a
// printer driver: the corpus of pages drawn with the system's GDI reaches the
// job call for call (decoded by the independent dissector), shapes arrive as
// the paths GDI computes, and damaged files are refused before anything is
// drawn.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/emf_corpus.h"
#include "tests/ddi_host/emf_page_player.h"
#include "tests/pclxl/xl_dissector.h"
#include "tests/support/emf_records.h"
#include "tests/support/test_printer_win.h"

namespace {

constexpr uint16_t kCompressMode = 101, kFontName = 168;

size_t Count(const std::vector<const xl::Operator*>& ops, const std::string& name) {
  size_t n = 0;
  for (const xl::Operator* op : ops) n += op->name == name;
  return n;
}

// A metafile drawn by `draw` on a DC recording against the screen.
std::vector<uint8_t> Record(const std::function<void(HDC)>& draw) {
  HDC screen = GetDC(nullptr);
  const RECT a4{0, 0, 21000, 29700};
  HDC dc = CreateEnhMetaFileW(screen, nullptr, &a4, nullptr);
  ReleaseDC(nullptr, screen);
  draw(dc);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  return bytes;
}

// `page` with `records` (each of whole words) before its end-of-file
// record, and the header's size and count made to agree.
std::vector<uint8_t> WithRecords(std::vector<uint8_t> page, const std::vector<std::vector<uint32_t>>& records) {
  size_t eof = 0, at = 0;
  testsupport::WalkEmf(page, [&](const testsupport::EmfRecord& r) {
    if (r.type == testsupport::kEmrEof) eof = at;
    at += r.size;
  });
  uint32_t bytes = 0, count = 0;
  std::memcpy(&bytes, page.data() + 48, 4);
  std::memcpy(&count, page.data() + 52, 4);
  for (auto r = records.rbegin(); r != records.rend(); ++r) {
    std::vector<uint32_t> words = *r;
    words[1] = uint32_t(words.size() * 4);
    page.insert(page.begin() + std::ptrdiff_t(eof), reinterpret_cast<const uint8_t*>(words.data()),
                reinterpret_cast<const uint8_t*>(words.data() + words.size()));
    bytes += words[1];
    ++count;
  }
  std::memcpy(page.data() + 48, &bytes, 4);
  std::memcpy(page.data() + 52, &count, 4);
  return page;
}

class EmfPages : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    output_ = dir_.Path(L"pages.prn");
  }
  void TearDown() override { host_.Unload(); }

  // A job of the pages, each played on the printable area; the reports
  // of the pages and the job as the dissector reads it.
  xl::Dissection Run(const std::vector<std::vector<uint8_t>>& pages, std::vector<EmfPageReport>* reports) {
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, 7922, 128);  // the printer's resident faces
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.pages = int(pages.size());
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.draw = [&](SURFOBJ* surface, int page) {
      reports->push_back(EmfPage_PlayOnPage(&host_, surface, pages[size_t(page)]));
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

  // Device pixels per pixel of the reference device of `page`, recorded on
  // an A4 frame that the page's printable area takes.
  void DevicePerReference(const std::vector<uint8_t>& page, double* sx, double* sy) const {
    int32_t device[2], millimetres[2];
    std::memcpy(device, page.data() + 72, 8);
    std::memcpy(millimetres, page.data() + 80, 8);
    const int32_t frame[4] = {0, 0, 21000, 29700};
    const GDIINFO& info = host_.gdiInfo();
    const RECTL target = EmfPage_Place(frame, info.ulHorzRes, info.ulVertRes, info.ulLogPixelsX, info.ulLogPixelsY);
    *sx = target.right / (210.0 * device[0] / millimetres[0]);
    *sy = target.bottom / (297.0 * device[1] / millimetres[1]);
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Spooled Pages", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
};

// Every page of the corpus: every record played, every drawing call of the
// page in the job (a painted path per path call, text per text call with its
// font, an image per blit and gradient).
TEST_F(EmfPages, TheCorpusReachesTheJobCallForCall) {
  std::vector<std::vector<uint8_t>> corpus;
  for (int p = 0; p < EmfCorpus_Pages(); ++p) {
    corpus.push_back(EmfCorpus_Page(p));
    ASSERT_FALSE(corpus.back().empty()) << EmfCorpus_Name(p);
    ASSERT_EQ(testsupport::EmfFileDamage(corpus.back()), "") << EmfCorpus_Name(p);
  }
  std::vector<EmfPageReport> reports;
  const xl::Dissection d = Run(corpus, &reports);
  const auto pages = d.Pages();
  ASSERT_EQ(reports.size(), corpus.size());
  ASSERT_EQ(pages.size(), corpus.size());
  for (size_t p = 0; p < corpus.size(); ++p) {
    SCOPED_TRACE(EmfCorpus_Name(int(p)));
    const EmfPageReport& r = reports[p];
    EXPECT_FALSE(r.refused) << r.damage;
    std::string notPlayed, failures;
    for (const auto& k : r.notPlayed) notPlayed += EmfPage_KindName(k.first) + " ";
    for (const std::string& f : r.failures) failures += f + "; ";
    EXPECT_EQ(notPlayed, "");
    EXPECT_EQ(failures, "");
    EXPECT_EQ(r.played, r.records);
    EXPECT_GT(r.calls(), 0);
    const auto& ops = pages[p];
    // A path painted per path call; a rectangle at least per fill of the
    // brush, per region painted (one per rectangle of the region) and per
    // opaque box behind text.
    EXPECT_EQ(Count(ops, "PaintPath"), size_t(r.paths));
    EXPECT_GE(Count(ops, "Rectangle"), size_t(r.paints + r.patterns + r.opaqueTexts));
    // Text per text call, in a font named after the face it was drawn in
    // (the printer's own or one the job downloads).
    std::vector<std::string> fonts;
    std::string font;
    for (const xl::Operator* op : ops) {
      if (op->name == "SetFont" && op->Find(kFontName)) font = op->Find(kFontName)->value.Text();
      if (op->name == "Text") fonts.push_back(font);
    }
    ASSERT_EQ(fonts.size(), r.fonts.size());
    for (size_t i = 0; i < fonts.size(); ++i) {
      EXPECT_NE(fonts[i].find(r.fonts[i]), std::string::npos) << fonts[i] << " for " << r.fonts[i];
    }
    EXPECT_EQ(Count(ops, "BeginImage"), size_t(r.images + r.gradients));
    for (const xl::Operator* op : ops) {
      if (op->name == "ReadImage") {
        EXPECT_FALSE(std::isnan(op->Number(kCompressMode)));
      }
    }
  }
  // What each page is made of.
  EXPECT_GE(reports[0].texts, 12);
  EXPECT_GE(reports[1].paths, 15);
  // The hatches and the patterns of bitmaps as patterns of the printer.
  EXPECT_GE(Count(pages[1], "BeginRastPattern"), 3u);
  EXPECT_GE(reports[2].paths, 4);
  EXPECT_GE(reports[3].images, 8);
  EXPECT_EQ(reports[3].gradients, 2);
  EXPECT_EQ(reports[3].paints, 3);  // a region filled, painted and framed
  EXPECT_GE(reports[4].texts, 4);
  EXPECT_EQ(reports[4].images, 1);  // turned with the page
}

// A shape reaches the driver as the path GDI computes for it: an ellipse as
// four curves, a rounded rectangle as lines and curves in one figure; the
// mapping mode and the placement on the page put it where GDI would.
TEST_F(EmfPages, ShapesArriveAsGdisPaths) {
  const std::vector<uint8_t> page = Record([](HDC dc) {
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 100, 100, 300, 200);
    RoundRect(dc, 100, 300, 300, 400, 40, 40);
    // Logical units of a fifth of a pixel of the reference device.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 5, 5, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
    Rectangle(dc, 2000, 2500, 2100, 2600);  // at (400, 500) on the reference device
  });
  std::vector<EmfPageReport> reports;
  const xl::Dissection d = Run({page}, &reports);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].paths, 3);
  EXPECT_TRUE(reports[0].failures.empty());
  // Between consecutive PaintPaths: the curves and lines of each figure.
  std::vector<std::pair<size_t, size_t>> figures;  // (curves, lines)
  size_t curves = 0, lines = 0;
  std::vector<const xl::Operator*> cursors;
  for (const xl::Operator& op : d.ops) {
    if (op.name == "BezierPath" || op.name == "BezierRelPath") ++curves;
    if (op.name == "LinePath" || op.name == "LineRelPath") ++lines;
    if (op.name == "SetCursor") cursors.push_back(&op);
    if (op.name == "PaintPath") {
      figures.emplace_back(curves, lines);
      curves = lines = 0;
    }
  }
  ASSERT_EQ(figures.size(), 3u);
  EXPECT_GE(figures[0].first, 1u);
  EXPECT_EQ(figures[0].second, 0u);
  EXPECT_GE(figures[1].first, 1u);
  EXPECT_GE(figures[1].second, 1u);
  EXPECT_EQ(figures[2].first, 0u);
  double sx, sy;
  DevicePerReference(page, &sx, &sy);
  ASSERT_FALSE(cursors.empty());
  // GDI's path of a rectangle begins at its top-right corner.
  EXPECT_NEAR(cursors.back()->Number(76, 0), 420 * sx, 2);
  EXPECT_NEAR(cursors.back()->Number(76, 1), 500 * sy, 2);
}

// Text lands where GDI's alignment and advances put it: its first glyph at
// the reference point when aligned left, its end there when aligned right,
// its baseline an ascent below a reference point at the top.
TEST_F(EmfPages, TextIsPlacedAsGdiAlignsIt) {
  HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0, 0, 0,
                           L"DejaVu Sans");
  TEXTMETRICW tm{};
  SIZE extent{};
  const std::vector<uint8_t> page = Record([&](HDC dc) {
    HGDIOBJ old = SelectObject(dc, font);
    GetTextMetricsW(dc, &tm);
    GetTextExtentPoint32W(dc, L"Fax pages", 9, &extent);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    TextOutW(dc, 100, 200, L"Fax pages", 9);
    SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
    TextOutW(dc, 600, 300, L"Fax pages", 9);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutW(dc, 100, 400, L"Fax pages", 9);
    SelectObject(dc, old);
  });
  DeleteObject(font);
  std::vector<EmfPageReport> reports;
  const xl::Dissection d = Run({page}, &reports);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].texts, 3);
  double sx, sy;
  DevicePerReference(page, &sx, &sy);
  // Each text's start on the device.
  std::vector<std::pair<double, double>> starts;
  double x = 0, y = 0;
  for (const xl::Operator& op : d.ops) {
    if (op.name == "SetCursor") {
      x = op.Number(76, 0);
      y = op.Number(76, 1);
    }
    if (op.name == "Text") {
      starts.emplace_back(x, y);
    }
  }
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_NEAR(starts[0].first, 100 * sx, 2);
  EXPECT_NEAR(starts[0].second, 200 * sy, 2);
  EXPECT_NEAR(starts[1].first, (600 - extent.cx) * sx, 3);
  EXPECT_NEAR(starts[1].second, 300 * sy, 2);
  EXPECT_NEAR(starts[2].first, 100 * sx, 2);
  EXPECT_NEAR(starts[2].second, (400 + tm.tmAscent) * sy, 2);
}

// Damaged files are refused with what is wrong, and nothing of them is
// drawn; sound records around them never matter.
TEST_F(EmfPages, DamagedFilesAreRefused) {
  const std::vector<uint8_t> sound = Record([](HDC dc) {
    const POINT p[] = {{10, 10}, {100, 10}, {100, 100}};
    Polygon(dc, p, 3);
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"DejaVu Sans");
    HGDIOBJ old = SelectObject(dc, font);
    TextOutW(dc, 10, 200, L"text", 4);
    SelectObject(dc, old);
    DeleteObject(font);
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const uint8_t bits[16] = {};
    StretchDIBits(dc, 10, 300, 20, 20, 0, 0, 2, 2, bits, &bi, DIB_RGB_COLORS, SRCCOPY);
  });
  ASSERT_EQ(testsupport::EmfFileDamage(sound), "");
  // Where each record lies.
  std::vector<std::pair<uint32_t, size_t>> at;
  size_t offset = 0;
  testsupport::WalkEmf(sound, [&](const testsupport::EmfRecord& r) {
    at.emplace_back(r.type, offset);
    offset += r.size;
  });
  auto find = [&](uint32_t type) {
    for (const auto& a : at) {
      if (a.first == type) return a.second;
    }
    return size_t(0);
  };
  auto put = [](std::vector<uint8_t>* b, size_t where, uint32_t value) {
    if (where + 4 <= b->size()) std::memcpy(b->data() + where, &value, 4);
  };
  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>*)> damage;
  };
  const size_t polygon = find(testsupport::kEmrPolygon16) ? find(testsupport::kEmrPolygon16)
                                                          : find(testsupport::kEmrPolygon);
  const size_t text = find(testsupport::kEmrExtTextOutW), image = find(testsupport::kEmrStretchDiBits);
  const size_t select = find(testsupport::kEmrSelectObject), remove = find(testsupport::kEmrDeleteObject);
  ASSERT_NE(polygon, 0u);
  ASSERT_NE(text, 0u);
  ASSERT_NE(image, 0u);
  ASSERT_NE(select, 0u);
  ASSERT_NE(remove, 0u);
  const Case cases[] = {
      {"cut short", [](std::vector<uint8_t>* b) { b->resize(b->size() / 2); }},
      {"no signature", [&](std::vector<uint8_t>* b) { put(b, 40, 0); }},
      {"a record size beyond the file", [&](std::vector<uint8_t>* b) { put(b, polygon + 4, 0x7FFFFFF0); }},
      {"a record size not of whole words", [&](std::vector<uint8_t>* b) { put(b, polygon + 4, 30); }},
      {"the record count", [&](std::vector<uint8_t>* b) { put(b, 52, 3); }},
      {"more points than the record holds", [&](std::vector<uint8_t>* b) { put(b, polygon + 24, 1000000); }},
      {"text characters beyond the record", [&](std::vector<uint8_t>* b) { put(b, text + 44, 0x40000000); }},
      {"a text offset beyond the record", [&](std::vector<uint8_t>* b) { put(b, text + 48, 0xFFFFFFF0); }},
      {"a bitmap header beyond the record", [&](std::vector<uint8_t>* b) { put(b, image + 48, 0xFFFFFF00); }},
      {"a bitmap taller than its rows", [&](std::vector<uint8_t>* b) {
         uint32_t offBmi = 0;
         std::memcpy(&offBmi, b->data() + image + 48, 4);
         put(b, image + offBmi + 8, 5000);
       }},
      {"an object beyond the handle table", [&](std::vector<uint8_t>* b) { put(b, select + 8, 5000); }},
      {"a stock object deleted", [&](std::vector<uint8_t>* b) { put(b, remove + 8, 0x80000000u | BLACK_BRUSH); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> damaged = sound;
    c.damage(&damaged);
    const std::string damage = testsupport::EmfFileDamage(damaged);
    EXPECT_NE(damage, "");
    std::vector<EmfPageReport> reports;
    Run({damaged}, &reports);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].refused);
    EXPECT_EQ(reports[0].damage, damage);
    EXPECT_EQ(reports[0].calls(), 0);
    EXPECT_EQ(reports[0].records, 0);
  }
}

// A page's frame takes as much of the printable area as it can with its
// aspect kept (in millimetres, whatever the resolution), from the top-left
// corner.
TEST(EmfPagePlace, FrameFitsThePrintableAreaWithItsAspect) {
  struct Case {
    int32_t frame[4];
    uint32_t width, height, dpiX, dpiY;
    RECTL expected;
  } cases[] = {
      // A4 onto A4 at 200 x 100 dpi: all of it.
      {{0, 0, 21000, 29700}, 1654, 1169, 200, 100, {0, 0, 1654, 1169}},
      // Landscape A4 onto portrait A4: as wide as the area, 210/297 as high.
      {{0, 0, 29700, 21000}, 1654, 1169, 200, 100, {0, 0, 1654, 585}},
      // A frame not at the origin is placed by its size alone.
      {{1000, 1000, 11000, 6000}, 4800, 4800, 600, 600, {0, 0, 4800, 2400}},
      // A frame taller than wide onto a wide area: as high as the area.
      {{0, 0, 5000, 10000}, 2000, 1000, 200, 200, {0, 0, 500, 1000}},
  };
  for (const Case& c : cases) {
    const RECTL r = EmfPage_Place(c.frame, c.width, c.height, c.dpiX, c.dpiY);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_NEAR(r.right, c.expected.right, 1);
    EXPECT_NEAR(r.bottom, c.expected.bottom, 1);
  }
}

// Every kind of text record reaches the driver as text: ANSI text, several
// texts in one record, and the small record of one-byte characters.
TEST_F(EmfPages, EveryTextRecordIsText) {
  auto chars = [](const char* text) {
    std::vector<uint32_t> words((std::strlen(text) + 3) / 4, 0);
    std::memcpy(words.data(), text, std::strlen(text));
    return words;
  };
  auto wide = [](const char* text) {
    std::vector<uint32_t> words((std::strlen(text) + 1) / 2, 0);
    for (size_t i = 0; text[i]; ++i) words[i / 2] |= uint32_t(uint8_t(text[i])) << (16 * (i % 2));
    return words;
  };
  auto join = [](std::vector<uint32_t> a, const std::vector<uint32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  using testsupport::kEmrExtTextOutA;
  using testsupport::kEmrPolyTextOutW;
  using testsupport::kEmrSmallTextOut;
  // EMR_EXTTEXTOUTA: bounds, mode, scales, then the text: reference point,
  // count, string offset, options, rectangle, advances' offset (none).
  const std::vector<uint32_t> ansi = join({kEmrExtTextOutA, 0, 0, 0, 0, 0, 1, 0, 0, 100, 100, 4, 76, 0, 0, 0, 0, 0, 0},
                                         chars("ANSI"));
  // EMR_POLYTEXTOUTW of two texts, their characters after them.
  const std::vector<uint32_t> poly = join(join({kEmrPolyTextOutW, 0, 0, 0, 0, 0, 1, 0, 0, 2,
                                                100, 200, 4, 120, 0, 0, 0, 0, 0, 0,
                                                300, 200, 4, 128, 0, 0, 0, 0, 0, 0},
                                               wide("Poly")),
                                          wide("text"));
  // EMR_SMALLTEXTOUT without a rectangle, of one-byte characters.
  const std::vector<uint32_t> small = join({kEmrSmallTextOut, 0, 100, 300, 5, 0x300, 1, 0, 0}, chars("Small"));
  const std::vector<uint8_t> page = WithRecords(Record([](HDC dc) {
    HFONT font = CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_ONLY_PRECIS, 0, 0, 0,
                             L"DejaVu Sans");
    SelectObject(dc, font);  // left selected for the texts that follow
  }), {ansi, poly, small});
  ASSERT_EQ(testsupport::EmfFileDamage(page), "");
  std::vector<EmfPageReport> reports;
  const xl::Dissection d = Run({page}, &reports);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].failures.empty());
  EXPECT_TRUE(reports[0].notPlayed.empty());
  std::vector<std::string> texts;
  for (const xl::Operator* t : d.All("Text")) texts.push_back(t->Find(171)->value.Text());
  EXPECT_EQ(texts, (std::vector<std::string>{"ANSI", "Poly", "text", "Small"}));
}

// An escape recorded between the drawing reaches the driver in its place.
TEST_F(EmfPages, RecordedEscapesAreSentOn) {
  // EMR_EXTESCAPE: the escape, its size, its data.
  const std::vector<uint8_t> page = WithRecords(Record([](HDC dc) { Rectangle(dc, 10, 10, 100, 100); }),
                                                {{testsupport::kEmrExtEscape, 0, 0x20009, 4, 0x00640002}});
  ASSERT_EQ(testsupport::EmfFileDamage(page), "");
  std::vector<EmfPageReport> reports;
  Run({page}, &reports);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].escapes, 1);
  EXPECT_EQ(reports[0].paths, 1);
  EXPECT_TRUE(reports[0].notPlayed.empty());
  EXPECT_TRUE(reports[0].failures.empty());
}

// Pages of the corpus with bytes changed at random (a fixed sequence): each
// is refused or played, and the job stays whole.
TEST_F(EmfPages, ChangedBytesNeverBreakTheJob) {
  std::vector<std::vector<uint8_t>> pages;
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  for (int p = 0; p < EmfCorpus_Pages(); ++p) {
    const std::vector<uint8_t> page = EmfCorpus_Page(p);
    for (int k = 0; k < 40; ++k) {
      std::vector<uint8_t> changed = page;
      const int changes = 1 + int(next() % 4);
      for (int c = 0; c < changes; ++c) {
        // Past the header, where the records lie; a byte, or a whole word.
        const size_t at = 88 + next() % (changed.size() - 92);
        if (next() % 2) {
          changed[at] = uint8_t(next());
        } else {
          const uint32_t word = (next() % 3 == 0) ? 0xFFFFFFF0u : next() % 0x10000;
          std::memcpy(changed.data() + (at & ~size_t(3)), &word, 4);
        }
      }
      pages.push_back(changed);
    }
  }
  std::vector<EmfPageReport> reports;
  const xl::Dissection d = Run(pages, &reports);
  ASSERT_EQ(reports.size(), pages.size());
  int refused = 0;
  for (const EmfPageReport& r : reports) refused += r.refused;
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, int(pages.size()));
  EXPECT_EQ(d.Count("BeginPage"), d.Count("EndPage"));
}

}  // namespace
