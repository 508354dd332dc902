// Drawing through the render core's entry points in whole fax jobs: the
// test host plays GDI (paths, clips, brushes, source bitmaps of every
// format), the job's bytes are read back from the spooler's file and
// dissected, and every image is decoded back to pixels (JPEG through
// libjpeg-turbo's djpeg) and compared with its source.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <set>
#include <tuple>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/draw/draw_services.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/pclxl/xl_dissector.h"
#include "tools/qxd/qxd_document.h"

namespace {

using Names = std::vector<std::string>;

constexpr uint16_t kPaletteData = 6, kColorSpace = 3, kColorDepth = 98, kColorMapping = 100;
constexpr uint16_t kSourceHeight = 107, kSourceWidth = 108, kCompressMode = 101, kBoundingBox = 66;
constexpr uint16_t kDestinationSize = 103, kLineDashStyle = 74, kPointType = 80;

constexpr uint32_t kImageCompressionAt = 2229, kJpegQualityAt = 3664, kJpegSubModeAt = 3665;
constexpr uint32_t kSelectColorAt = 2170, kPrintWithBlackAt = 2240, kPrintWithBlackOptionAt = 2241;

// The sample model's description with another protocol class.
bool WriteModel(const std::wstring& path, const std::string& pdlType) {
  std::ifstream in(testsupport::SourcePath("model/VELDRANH.txt"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string source = text.str();
  const std::string from = "\"PDLType\" \"PCL XL 2.1\"";
  const size_t at = source.find(from);
  if (at == std::string::npos) return false;
  source.replace(at, from.size(), "\"PDLType\" \"" + pdlType + "\"");
  qxd::Document doc;
  std::string error;
  std::vector<uint8_t> bytes;
  if (!qxd::ParseText(source, &doc, &error) || !qxd::Build(doc, &bytes, &error)) return false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// An image of the stream as RGB pixels, with how it was sent.
struct Picture {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;
  std::vector<double> modes;
  std::vector<double> destination;
};

// Every image of the stream, decoded with the colour space in force.
std::vector<Picture> Pictures(const xl::Dissection& d) {
  std::vector<Picture> out;
  uint8_t space = 1;
  std::vector<double> palette;
  Picture* open = nullptr;
  uint32_t bits = 8;
  bool indexed = false;
  std::vector<uint8_t> rows;
  for (const xl::Operator& op : d.ops) {
    if (op.name == "SetColorSpace") {
      space = static_cast<uint8_t>(op.Number(kColorSpace));
      const xl::Attribute* p = op.Find(kPaletteData);
      palette = p ? p->value.items : std::vector<double>{};
    } else if (op.name == "BeginImage") {
      out.emplace_back();
      open = &out.back();
      open->width = static_cast<uint32_t>(op.Number(kSourceWidth));
      open->height = static_cast<uint32_t>(op.Number(kSourceHeight));
      open->destination = op.Find(kDestinationSize)->value.items;
      const double depth = op.Number(kColorDepth);
      bits = depth == 0 ? 1 : depth == 1 ? 4 : 8;
      indexed = op.Number(kColorMapping) == 1;
      rows.clear();
    } else if (op.name == "ReadImage" && open) {
      open->modes.push_back(op.Number(kCompressMode));
      rows.insert(rows.end(), op.rows.begin(), op.rows.end());
    } else if (op.name == "EndImage" && open) {
      const uint32_t components = indexed ? 1 : (space == 2 ? 3 : 1);
      const uint32_t rowBytes = (open->width * bits * components + 7) / 8;
      if (rows.size() != size_t{rowBytes} * open->height) {
        open->rgb.clear();  // not decoded
        open = nullptr;
        continue;
      }
      for (uint32_t y = 0; y < open->height; ++y) {
        const uint8_t* row = rows.data() + size_t{rowBytes} * y;
        for (uint32_t x = 0; x < open->width; ++x) {
          if (components == 3) {
            open->rgb.insert(open->rgb.end(), row + 3 * x, row + 3 * x + 3);
            continue;
          }
          const uint32_t v = bits == 8 ? row[x] : (row[x * bits / 8] >> (8 - bits - (x * bits) % 8)) & ((1u << bits) - 1);
          if (indexed) {
            const uint32_t n = space == 2 ? 3 : 1;
            for (uint32_t c = 0; c < 3; ++c) {
              const size_t at = size_t{v} * n + (n == 3 ? c : 0);
              open->rgb.push_back(at < palette.size() ? static_cast<uint8_t>(palette[at]) : 0);
            }
          } else {
            const uint8_t g = static_cast<uint8_t>(bits == 8 ? v : (bits == 4 ? v * 17 : v * 255));
            open->rgb.insert(open->rgb.end(), {g, g, g});
          }
        }
      }
      open = nullptr;
    }
  }
  return out;
}

uint8_t Gray(const uint8_t* rgb) { return static_cast<uint8_t>((30 * rgb[0] + 59 * rgb[1] + 11 * rgb[2]) / 100); }

// A source image of the test: pixels and how each format stores them.
struct Source {
  uint32_t width, height;
  std::vector<uint8_t> rgb;      // what each pixel is, after the translation
  std::vector<uint8_t> indexes;  // paletted formats
  std::vector<ULONG> table;      // the translation table of paletted formats
};

Source MakeSource(ULONG format, uint32_t width, uint32_t height, uint32_t seed) {
  std::mt19937 random(seed);
  Source s{width, height, {}, {}, {}};
  const uint32_t bits = format == BMF_1BPP ? 1 : format == BMF_4BPP ? 4 : format == BMF_8BPP ? 8 : 0;
  if (bits) {
    for (uint32_t i = 0; i < (1u << bits); ++i) s.table.push_back(random() & 0xFFFFFF);
  }
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      if (bits) {
        const uint8_t index = static_cast<uint8_t>((x * 7 + y * 3 + random() % 2) % (1u << bits));
        s.indexes.push_back(index);
        const ULONG c = s.table[index];
        s.rgb.insert(s.rgb.end(), {uint8_t(c & 0xFF), uint8_t(c >> 8), uint8_t(c >> 16)});
      } else {
        uint8_t p[3] = {uint8_t(x * 9 + y), uint8_t(y * 13), uint8_t(random())};
        if (format == BMF_16BPP) {
          for (uint8_t& c : p) c &= 0xF8;
        }
        s.rgb.insert(s.rgb.end(), p, p + 3);
      }
    }
  }
  return s;
}

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(dir_.Copy("bin/VELDRANL.DLL", L"VELDRANL.DLL"));
    output_ = dir_.Path(L"job.prn");
    DdiHost_DrawCalls() = HostDrawCalls{};
  }
  void TearDown() override { host_.Unload(); }
  // Loads the render core with the model at protocol class `pdlType`.
  void Load(const char* pdlType = nullptr) {
    if (pdlType) {
      ASSERT_TRUE(WriteModel(dir_.Path(L"VELDRANH.QXD"), pdlType));
    }
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
  }
  template <typename Fn>
  Fn Entry(ULONG index) {
    return host_.Get<Fn>(index);
  }
  // One page drawn by `draw`; the stream of the job's only PJL job.
  xl::Dissection Run(const std::function<void(SURFOBJ*)>& draw, DriverDevMode dm = A4DevMode(),
                     bool cancel = false) {
    SealDocDMode(&dm.doc);
    DdiHost::FaxJob job;
    job.outputFile = output_.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.cancelFax = cancel;
    job.draw = [&](SURFOBJ* surface, int) { draw(surface); };
    DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
    EXPECT_TRUE(result.ok) << result.failedStep;
    const std::vector<uint8_t> bytes = ReadFileBytes(output_);
    DeleteFileW(output_.c_str());
    xl::Options options;
    options.skipToHeader = true;
    options.decodeJpeg = true;
    if (bytes.empty()) return xl::Dissection{};
    xl::Dissection d = xl::Dissect(bytes, options);
    EXPECT_TRUE(d.ok) << d.error;
    return d;
  }
  // A blit of the whole bitmap to (x, y).
  BOOL Blit(SURFOBJ* surface, const HostBitmap& bitmap, XLATEOBJ* xlate, LONG x, LONG y, ROP4 rop = 0xCCCC,
            BRUSHOBJ* brush = nullptr) {
    RECTL rect{x, y, x + bitmap.get()->sizlBitmap.cx, y + bitmap.get()->sizlBitmap.cy};
    POINTL origin{0, 0};
    return Entry<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt)(surface, bitmap.get(), nullptr, nullptr, xlate, &rect, &origin,
                                                         nullptr, brush, nullptr, rop);
  }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Drawing", RenderDriver()};
  DdiHost host_;
  std::wstring output_;
};

struct FormatCase {
  ULONG format;
  bool topDown;
};
const FormatCase kFormats[] = {
    {BMF_1BPP, false}, {BMF_1BPP, true},   {BMF_4BPP, false}, {BMF_4BPP, true},   {BMF_8BPP, false}, {BMF_8BPP, true},
    {BMF_16BPP, false}, {BMF_16BPP, true}, {BMF_24BPP, false}, {BMF_24BPP, true}, {BMF_32BPP, false}, {BMF_32BPP, true},
};

// Every source format, grey and colour, at protocol classes 2.0 and 3.0:
// each image decodes to its source's pixels (or their gray levels).
class DrawingImages : public DrawingTest, public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(DrawingImages, EveryFormatDecodesToItsPixels) {
  const char* pdl = std::get<0>(GetParam());
  const bool gray = std::get<1>(GetParam());
  Load(pdl);
  std::vector<Source> sources;
  std::vector<std::unique_ptr<HostBitmap>> bitmaps;
  std::vector<std::unique_ptr<HostXlate>> xlates;
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    const FormatCase& f = kFormats[i];
    sources.push_back(MakeSource(f.format, 37 + static_cast<uint32_t>(i), 9, static_cast<uint32_t>(i)));
    bitmaps.push_back(std::make_unique<HostBitmap>(sources.back().width, sources.back().height, f.format, f.topDown,
                                                   sources.back().rgb, sources.back().indexes));
    if (f.format <= BMF_8BPP) {
      xlates.push_back(std::make_unique<HostXlate>(sources.back().table));
    } else if (f.format == BMF_16BPP) {
      xlates.push_back(std::make_unique<HostXlate>(&HostXlate_From555));
    } else {
      xlates.push_back(std::make_unique<HostXlate>(&HostXlate_SwapRedBlue));
    }
  }
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, kSelectColorAt, gray ? 1 : 0);
  const xl::Dissection d = Run(
      [&](SURFOBJ* surface) {
        for (size_t i = 0; i < bitmaps.size(); ++i) {
          EXPECT_TRUE(Blit(surface, *bitmaps[i], xlates[i]->get(), 100, 100 + 50 * LONG(i)));
        }
      },
      dm);
  const std::vector<Picture> pictures = Pictures(d);
  ASSERT_EQ(pictures.size(), sources.size());
  const bool class2 = std::string(pdl) == "PCL XL 2.0";
  for (size_t i = 0; i < sources.size(); ++i) {
    SCOPED_TRACE(i);
    const Source& s = sources[i];
    ASSERT_EQ(pictures[i].width, s.width);
    ASSERT_EQ(pictures[i].height, s.height);
    for (double mode : pictures[i].modes) {
      if (class2) {
        EXPECT_NE(mode, 3);  // no delta rows below class 2.1
      } else {
        EXPECT_EQ(mode, 3);
      }
    }
    std::vector<uint8_t> expected = s.rgb;
    if (gray) {
      for (size_t p = 0; p < expected.size(); p += 3) expected[p] = expected[p + 1] = expected[p + 2] = Gray(&s.rgb[p]);
    }
    EXPECT_EQ(pictures[i].rgb, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(ClassesAndColour, DrawingImages,
                         ::testing::Combine(::testing::Values("PCL XL 2.0", "PCL XL 3.0"), ::testing::Bool()));

TEST_F(DrawingTest, PathsClipsAndBrushes) {
  Load();
  HostPath path({HostSubpath{{{100 * 16, 100 * 16}, {300 * 16, 100 * 16}, {300 * 16, 250 * 16}}, true, false},
                 HostSubpath{{{400 * 16, 400 * 16}, {420 * 16, 380 * 16}, {460 * 16, 380 * 16}, {480 * 16, 400 * 16}},
                             false, true}});
  HostClip rect({RECTL{50, 50, 600, 600}});
  rect.get()->iUniq = 5;
  HostClip sameNoId({RECTL{50, 50, 600, 600}});  // an id of 0 is never taken as unchanged
  HostClip complex({RECTL{10, 10, 20, 20}, RECTL{30, 10, 40, 20}, RECTL{10, 30, 40, 40}});
  HostBrush red(0x0000FF);
  HostXlate twoColours({0x000000, 0xFFFFFF});
  // A cosmetic dotted pen.
  FLOAT_LONG style[2];
  style[0].l = 1;
  style[1].l = 1;
  LINEATTRS line{};
  line.elWidth.l = 3;
  line.cstyle = 2;
  line.pstyle = style;
  const xl::Dissection d = Run([&](SURFOBJ* s) {
    auto fill = Entry<decltype(&DrvFillPath)>(INDEX_DrvFillPath);
    auto stroke = Entry<decltype(&DrvStrokePath)>(INDEX_DrvStrokePath);
    auto paint = Entry<decltype(&DrvPaint)>(INDEX_DrvPaint);
    auto lineTo = Entry<decltype(&DrvLineTo)>(INDEX_DrvLineTo);
    auto realize = Entry<decltype(&DrvRealizeBrush)>(INDEX_DrvRealizeBrush);
    auto bitBlt = Entry<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt);
    EXPECT_TRUE(fill(s, path.get(), rect.get(), red.get(), nullptr, 0x0D0D, FP_WINDINGMODE));
    EXPECT_TRUE(fill(s, path.get(), rect.get(), red.get(), nullptr, 0x0D0D, FP_ALTERNATEMODE));  // clip cached
    EXPECT_TRUE(fill(s, path.get(), sameNoId.get(), red.get(), nullptr, 0x0D0D, FP_ALTERNATEMODE));
    EXPECT_TRUE(fill(s, path.get(), sameNoId.get(), red.get(), nullptr, 0x0D0D, FP_ALTERNATEMODE));
    EXPECT_TRUE(stroke(s, path.get(), nullptr, nullptr, red.get(), nullptr, &line, 0x0D0D));
    EXPECT_TRUE(paint(s, complex.get(), red.get(), nullptr, 0x0D0D));
    EXPECT_TRUE(lineTo(s, nullptr, red.get(), 10, 10, 500, 20, nullptr, 0x0D0D));
    // A diagonal-cross hatch: realised once, defined once.
    HostBrush hatch(0);
    HostBitmap hatchBits(8, 8, BMF_1BPP, true, {}, {});
    EXPECT_TRUE(realize(hatch.get(), s, hatchBits.get(), nullptr, twoColours.get(), 5));
    hatch.get()->iSolidColor = 0xFFFFFFFF;
    RECTL area{700, 700, 800, 800};
    EXPECT_TRUE(bitBlt(s, nullptr, nullptr, nullptr, nullptr, &area, nullptr, nullptr, hatch.get(), nullptr, 0xF0F0));
    EXPECT_TRUE(bitBlt(s, nullptr, nullptr, nullptr, nullptr, &area, nullptr, nullptr, hatch.get(), nullptr, 0xF0F0));
    // A bitmap pattern brush, realised by the engine's request.
    const Source p = MakeSource(BMF_8BPP, 8, 8, 5);
    HostBitmap patternBits(8, 8, BMF_8BPP, false, p.rgb, p.indexes);
    HostXlate patternXlate(p.table);
    HostBrush pattern(patternBits.handle(), s, patternXlate.get());
    EXPECT_TRUE(bitBlt(s, nullptr, nullptr, nullptr, nullptr, &area, nullptr, nullptr, pattern.get(), nullptr, 0xF0F0));
    EXPECT_EQ(pattern.realizeCalls(), 1);
  });
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.Count("SetClipRectangle"), 3u);
  // Four fills, a stroke and a line; each path has one curve and one
  // closed figure; the clip path has three closed figures.
  EXPECT_EQ(d.Count("PaintPath"), 6u);
  EXPECT_EQ(d.Count("BezierRelPath"), 5u);
  EXPECT_EQ(d.Count("CloseSubPath"), 5u + 3u);
  const std::vector<const xl::Operator*> fillModes = d.All("SetFillMode");
  ASSERT_GE(fillModes.size(), 2u);
  // The complex clip becomes a clip path; its three rectangles are painted.
  EXPECT_EQ(d.Count("SetClipReplace"), 1u);
  EXPECT_EQ(d.Count("Rectangle"), 3u + 3u);
  const std::vector<const xl::Operator*> dashes = d.All("SetLineDash");
  ASSERT_FALSE(dashes.empty());
  EXPECT_EQ(dashes[0]->Find(kLineDashStyle)->value.items, (std::vector<double>{12, 12}));
  EXPECT_EQ(d.Count("BeginRastPattern"), 2u);  // the hatch once, the bitmap pattern once
  EXPECT_EQ(DdiHost_DrawCalls().pathsLive, 0);  // the clip's path was given back
}

TEST_F(DrawingTest, MirroredStretchAndReadBackFromTheDevice) {
  Load();
  const Source s = MakeSource(BMF_24BPP, 20, 6, 9);
  HostBitmap bitmap(20, 6, BMF_24BPP, false, s.rgb);
  HostXlate swap(&HostXlate_SwapRedBlue);
  HostBitmap into(8, 8, BMF_32BPP, true, std::vector<uint8_t>(8 * 8 * 3, 0));
  const xl::Dissection d = Run([&](SURFOBJ* surface) {
    RECTL target{300, 100, 280, 106};  // right to left: mirrored
    RECTL from{0, 0, 20, 6};
    EXPECT_TRUE(Entry<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt)(surface, bitmap.get(), nullptr, nullptr,
                                                                      swap.get(), nullptr, nullptr, &target, &from,
                                                                      nullptr, 3));
    // Reading back from the device surface gives white.
    RECTL all{0, 0, 8, 8};
    POINTL at{0, 0};
    EXPECT_TRUE(Entry<decltype(&DrvCopyBits)>(INDEX_DrvCopyBits)(into.get(), surface, nullptr, nullptr, &all, &at));
  });
  const std::vector<Picture> pictures = Pictures(d);
  ASSERT_EQ(pictures.size(), 1u);
  std::vector<uint8_t> mirrored;
  for (uint32_t y = 0; y < 6; ++y) {
    for (uint32_t x = 0; x < 20; ++x) {
      const uint8_t* p = &s.rgb[(size_t{y} * 20 + (19 - x)) * 3];
      mirrored.insert(mirrored.end(), p, p + 3);
    }
  }
  EXPECT_EQ(pictures[0].rgb, mirrored);
  EXPECT_EQ(DdiHost_DrawCalls().eraseSurface, 1);
  EXPECT_EQ(static_cast<const uint8_t*>(into.get()->pvScan0)[0], 0xFF);
}

TEST_F(DrawingTest, CancelledFaxDrawsNothingAndSucceeds) {
  Load();
  HostBrush red(0x0000FF);
  HostClip none;
  const xl::Dissection d = Run(
      [&](SURFOBJ* s) {
        EXPECT_TRUE(Entry<decltype(&DrvPaint)>(INDEX_DrvPaint)(s, none.get(), red.get(), nullptr, 0x0D0D));
        EXPECT_TRUE(Entry<decltype(&DrvLineTo)>(INDEX_DrvLineTo)(s, nullptr, red.get(), 0, 0, 9, 9, nullptr, 0x0D0D));
      },
      A4DevMode(), true);
  EXPECT_TRUE(d.ops.empty());
}

// A photo-sized image with the JPEG preference: one JPEG block that djpeg
// decodes close to the source; with a library whose measuring pass fails
// the image goes out in delta rows, exact, and the library is freed.
TEST_F(DrawingTest, JpegImagesAndTheirFallback) {
  for (bool standIn : {false, true}) {
    SCOPED_TRACE(standIn ? "failing library" : "encoder library");
    if (standIn) {
      host_.Unload();
      ASSERT_TRUE(dir_.Copy("bin/STANDJPG.DLL", L"VELDRANL.DLL"));
      SetEnvironmentVariableA("STANDIN_JPEG_CALLS", "0");
    }
    Load("PCL XL 3.0");
    const Source s = MakeSource(BMF_24BPP, 1400, 40, 2);
    HostBitmap bitmap(1400, 40, BMF_24BPP, false, s.rgb);
    HostXlate swap(&HostXlate_SwapRedBlue);
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kImageCompressionAt, 4);
    SetDocByte(&dm.doc, kJpegQualityAt, 90);
    SetDocByte(&dm.doc, kJpegSubModeAt, 0);
    const xl::Dissection d = Run(
        [&](SURFOBJ* surface) {
          RECTL target{100, 100, 1500, 140};
          RECTL from{0, 0, 1400, 40};
          EXPECT_TRUE(Entry<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt)(surface, bitmap.get(), nullptr, nullptr,
                                                                            swap.get(), nullptr, nullptr, &target,
                                                                            &from, nullptr, 3));
        },
        dm);
    const std::vector<Picture> pictures = Pictures(d);
    ASSERT_EQ(pictures.size(), 1u);
    const Picture& p = pictures[0];
    ASSERT_EQ(p.rgb.size(), s.rgb.size());
    if (!standIn) {
      EXPECT_EQ(p.modes, std::vector<double>{2});
      double error = 0;
      for (size_t i = 0; i < s.rgb.size(); ++i) error += std::abs(int(p.rgb[i]) - int(s.rgb[i]));
      // The noise channel costs most; smooth channels stay close.
      EXPECT_LT(error / s.rgb.size(), 40.0);
      double smooth = 0;
      for (size_t i = 0; i < s.rgb.size(); i += 3) smooth += std::abs(int(p.rgb[i + 1]) - int(s.rgb[i + 1]));
      EXPECT_LT(smooth / (s.rgb.size() / 3), 6.0);
    } else {
      for (double mode : p.modes) EXPECT_EQ(mode, 3);
      EXPECT_EQ(p.rgb, s.rgb);
      char calls[16] = {};
      GetEnvironmentVariableA("STANDIN_JPEG_CALLS", calls, sizeof calls);
      EXPECT_EQ(std::string(calls), "2");  // the single pass, then the measuring pass
      EXPECT_EQ(GetModuleHandleW(dir_.Path(L"VELDRANL.DLL").c_str()), nullptr);
    }
  }
}

}  // namespace

namespace {

// A presentation program that paints its white background first: that
// first blit is dropped when the setting asks for it, for versions before
// 12 only; a second one is sent.
TEST_F(DrawingTest, WhiteBackgroundOfOldPresentationsIsDropped) {
  Load();
  struct Case {
    uint32_t version;
    size_t rectangles;  // of the two white fills
  };
  for (const Case& c : {Case{11, 1}, Case{12, 2}}) {
    SCOPED_TRACE(c.version);
    DriverDevMode dm = A4DevMode();
    const uint32_t on = 1;
    std::memcpy(DocBytes(&dm.doc) + 5536, &on, 4);
    const char16_t program[] = u"POWERPNT.EXE";
    std::memcpy(DocBytes(&dm.doc) + 7988, program, sizeof program);
    std::memcpy(DocBytes(&dm.doc) + 8020, &c.version, 4);
    HostBrush white(0xFFFFFF);
    const xl::Dissection d = Run(
        [&](SURFOBJ* s) {
          RECTL page{0, 0, 1000, 1000};
          auto bitBlt = Entry<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt);
          EXPECT_TRUE(bitBlt(s, nullptr, nullptr, nullptr, nullptr, &page, nullptr, nullptr, white.get(), nullptr, 0xF0F0));
          EXPECT_TRUE(bitBlt(s, nullptr, nullptr, nullptr, nullptr, &page, nullptr, nullptr, white.get(), nullptr, 0xF0F0));
        },
        dm);
    EXPECT_EQ(d.Count("Rectangle"), c.rectangles);
  }
}

// A rectangle gradient: drawn by the engine into a bitmap, sent as an image
// inside a clip of the gradient's rectangles; the next clip is written
// again.
TEST_F(DrawingTest, GradientFillIsAnImageInsideItsShape) {
  Load();
  HostClip clip({RECTL{0, 0, 500, 500}});
  clip.get()->iUniq = 9;
  const xl::Dissection d = Run([&](SURFOBJ* s) {
    TRIVERTEX v[2] = {{100, 100, 0xFF00, 0, 0, 0}, {140, 110, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT mesh{0, 1};
    RECTL bounds{100, 100, 140, 110};
    POINTL dither{0, 0};
    auto fill = Entry<decltype(&DrvGradientFill)>(INDEX_DrvGradientFill);
    EXPECT_TRUE(fill(s, clip.get(), nullptr, v, 2, &mesh, 1, &bounds, &dither, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(v[0].x, 100);  // the caller's vertices are given back unchanged
    HostBrush red(0x0000FF);
    EXPECT_TRUE(Entry<decltype(&DrvPaint)>(INDEX_DrvPaint)(s, clip.get(), red.get(), nullptr, 0x0D0D));
    EXPECT_TRUE(Entry<decltype(&DrvPaint)>(INDEX_DrvPaint)(s, clip.get(), red.get(), nullptr, 0x0D0D));
  });
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.Count("RectanglePath"), 1u);
  EXPECT_EQ(d.Count("SetClipReplace"), 1u);
  // After the gradient's clip, the paint's rectangle clip is written once.
  EXPECT_EQ(d.Count("SetClipRectangle"), 1u);
  const std::vector<Picture> pictures = Pictures(d);
  ASSERT_EQ(pictures.size(), 1u);
  ASSERT_EQ(pictures[0].width, 40u);
  // Red at the left edge, blue towards the right.
  EXPECT_EQ(pictures[0].rgb[0], 255);
  EXPECT_EQ(pictures[0].rgb[2], 0);
  EXPECT_GT(pictures[0].rgb[39 * 3 + 2], 240);
}

}  // namespace

namespace {

// With blank pages dropped, a page keeps its place only when what was drawn
// leaves a mark: a red rectangle does, a white image and a white
// rectangle do not.
TEST_F(DrawingTest, BlankPagesAreDroppedByWhatTheDrawingLeaves) {
  Load();
  DriverDevMode dm = A4DevMode();
  SetDocByte(&dm.doc, 1249, 1);  // SaveBlankPaper
  SealDocDMode(&dm.doc);
  HostBrush red(0x0000FF), white(0xFFFFFF);
  HostClip area({RECTL{10, 10, 200, 200}});
  const Source blank{4, 2, std::vector<uint8_t>(4 * 2 * 3, 255), {}, {}};
  HostBitmap whiteImage(4, 2, BMF_24BPP, false, blank.rgb);
  DdiHost::FaxJob job;
  job.outputFile = output_.c_str();
  job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
  job.pages = 4;
  job.draw = [&](SURFOBJ* s, int page) {
    auto paint = Entry<decltype(&DrvPaint)>(INDEX_DrvPaint);
    BOOL ok = TRUE;
    if (page == 0) ok = paint(s, area.get(), red.get(), nullptr, 0x0D0D);
    if (page == 2) ok = Blit(s, whiteImage, nullptr, 50, 50);
    if (page == 3) ok = paint(s, area.get(), white.get(), nullptr, 0x0D0D);
    EXPECT_TRUE(ok) << page;
  };
  DdiHost::JobResult result = host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job);
  ASSERT_TRUE(result.ok) << result.failedStep;
  const std::vector<uint8_t> bytes = ReadFileBytes(output_);
  DeleteFileW(output_.c_str());
  xl::Options options;
  options.skipToHeader = true;
  const xl::Dissection d = xl::Dissect(bytes, options);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.Count("BeginPage"), 1u);
  EXPECT_EQ(d.Count("Rectangle"), 1u);
  EXPECT_EQ(d.Count("BeginImage"), 0u);
}

}  // namespace

namespace {

// A source larger than its destination is reduced by the engine first: the
// printer receives the destination's pixels, and the work bitmap is freed.
TEST_F(DrawingTest, ReducedImagesAreStretchedByTheEngineFirst) {
  Load();
  const Source s = MakeSource(BMF_8BPP, 40, 20, 4);
  HostBitmap bitmap(40, 20, BMF_8BPP, true, s.rgb, s.indexes);
  HostXlate table(s.table);
  const int surfacesBefore = DdiHost_LiveObjects().surfaces;
  const xl::Dissection d = Run([&](SURFOBJ* surface) {
    RECTL target{100, 100, 120, 110};
    RECTL from{0, 0, 40, 20};
    EXPECT_TRUE(Entry<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt)(surface, bitmap.get(), nullptr, nullptr,
                                                                      table.get(), nullptr, nullptr, &target, &from,
                                                                      nullptr, 3));
  });
  EXPECT_EQ(DdiHost_LiveObjects().surfaces, surfacesBefore);
  EXPECT_GE(DdiHost_DrawCalls().stretchBlt, 1);
  const std::vector<Picture> pictures = Pictures(d);
  ASSERT_EQ(pictures.size(), 1u);
  ASSERT_EQ(pictures[0].width, 20u);
  ASSERT_EQ(pictures[0].height, 10u);
  std::vector<uint8_t> expected;
  for (uint32_t y = 0; y < 10; ++y) {
    for (uint32_t x = 0; x < 20; ++x) {
      const uint8_t* p = &s.rgb[(size_t{y * 2} * 40 + x * 2) * 3];
      expected.insert(expected.end(), p, p + 3);
    }
  }
  EXPECT_EQ(pictures[0].rgb, expected);
}

}  // namespace

namespace {

// A triangle mesh: each triangle becomes a closed figure of the clip; a
// blit with a raster operation and no mask sends its source like a stretch.
TEST_F(DrawingTest, TriangleGradientsAndStretchesWithARasterOperation) {
  Load();
  const Source s = MakeSource(BMF_24BPP, 6, 4, 8);
  HostBitmap bitmap(6, 4, BMF_24BPP, true, s.rgb);
  HostXlate swap(&HostXlate_SwapRedBlue);
  const xl::Dissection d = Run([&](SURFOBJ* surface) {
    TRIVERTEX v[4] = {{10, 10, 0, 0xFF00, 0, 0}, {50, 10, 0, 0xFF00, 0, 0}, {10, 50, 0, 0, 0, 0}, {50, 50, 0, 0, 0, 0}};
    GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {1, 2, 3}};
    RECTL bounds{10, 10, 50, 50};
    POINTL dither{0, 0};
    EXPECT_TRUE(Entry<decltype(&DrvGradientFill)>(INDEX_DrvGradientFill)(surface, nullptr, nullptr, v, 4, mesh, 2,
                                                                          &bounds, &dither, GRADIENT_FILL_TRIANGLE));
    RECTL target{200, 200, 206, 204};
    RECTL from{0, 0, 6, 4};
    EXPECT_TRUE(Entry<decltype(&DrvStretchBltROP)>(INDEX_DrvStretchBltROP)(
        surface, bitmap.get(), nullptr, nullptr, swap.get(), nullptr, nullptr, &target, &from, nullptr, 3, nullptr,
        0xCCCC));
  });
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.Count("LinePath"), 2u);
  EXPECT_EQ(d.Count("CloseSubPath"), 2u);
  EXPECT_EQ(d.Count("SetClipReplace"), 1u);
  const std::vector<Picture> pictures = Pictures(d);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].width, 40u);
  EXPECT_EQ(pictures[0].rgb[1], 255);  // green, as the engine drew it
  EXPECT_EQ(pictures[1].rgb, s.rgb);
}


// A gradient in a gray job with print with black on: whatever the option,
// the gradient's grays become black (a stretched photo with option 0 keeps
// its grays); the overlay switch turns the rule off.
TEST_F(DrawingTest, GradientsPrintWithBlackWhateverTheOption) {
  Load();
  struct Case {
    uint8_t option, overlay;
    bool onlyBlackAndWhite;
  };
  for (const Case& c : {Case{0, 0, true}, Case{1, 0, true}, Case{0, 1, false}}) {
    SCOPED_TRACE(testing::Message() << int(c.option) << " " << int(c.overlay));
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kSelectColorAt, 1);
    SetDocByte(&dm.doc, kPrintWithBlackAt, 1);
    SetDocByte(&dm.doc, kPrintWithBlackOptionAt, c.option);
    SetDocByte(&dm.doc, DOC_FIELD_AT(bOverlay), c.overlay);  // no form chosen: nothing is overlaid
    SealDocDMode(&dm.doc);
    const xl::Dissection d = Run(
        [&](SURFOBJ* surface) {
          TRIVERTEX v[2] = {{10, 10, 0xFF00, 0xFF00, 0xFF00, 0}, {90, 30, 0x2000, 0x2000, 0x2000, 0}};
          GRADIENT_RECT mesh[1] = {{0, 1}};
          RECTL bounds{10, 10, 90, 30};
          POINTL dither{0, 0};
          EXPECT_TRUE(Entry<decltype(&DrvGradientFill)>(INDEX_DrvGradientFill)(
              surface, nullptr, nullptr, v, 2, mesh, 1, &bounds, &dither, GRADIENT_FILL_RECT_H));
        },
        dm);
    ASSERT_TRUE(d.ok) << d.error;
    const std::vector<Picture> pictures = Pictures(d);
    ASSERT_FALSE(pictures.empty());
    std::set<uint8_t> levels(pictures.back().rgb.begin(), pictures.back().rgb.end());
    ASSERT_FALSE(levels.empty());
    const bool blackAndWhite = levels.size() <= 2 && (levels.count(0) + levels.count(255)) == levels.size();
    EXPECT_EQ(blackAndWhite, c.onlyBlackAndWhite) << levels.size() << " levels";
  }
}

}  // namespace
