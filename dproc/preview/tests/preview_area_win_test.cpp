// The preview area under Wine: the paper view and the quality view rendered
// with the image library into a DIB section and checked pixel by pixel, the
// printer view's record, and the device web page through a stand-in opener.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/printer_view_options.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/qxd/model_info.h"
#include "common/records/sheet_session.h"
#include "dproc/preview/paper_view_inputs.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "tests/support/canvas_win.h"
#include "tests/support/emf_records.h"
#include "tests/support/test_paths.h"

namespace {

class Images {
 public:
  Images() {
    const std::string path = testsupport::BinaryPath("bin/VELDRANW.DLL");
    module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  ~Images() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

 private:
  HMODULE module_ = nullptr;
};

// The canvas starts grey (0x555555), so that what is drawn shows.
class Canvas : public testsupport::Canvas {
 public:
  Canvas(int w, int h) : testsupport::Canvas(w, h, 0x555555) {}
};

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kTeal = 0x008080;

PaperViewInputs A4() {
  PaperViewInputs in;
  in.input.present = true;
  in.input.paperId = 9;
  in.input.name = u"A4";
  in.input.width = 2100;
  in.input.length = 2970;
  in.outputRepeatsInput = true;
  return in;
}

}  // namespace

TEST(PreviewAreaRender, PortraitA4PaperViewPixels) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  Canvas canvas(200, 190);
  const RECT control{0, 0, 200, 190};
  PaperViewDevice device(canvas.dc(), images.get());
  const PaperViewPlan plan = BuildPaperViewPlan(A4(), {0, 0, 200, 190}, device.Env());
  ASSERT_TRUE(plan.sheet.drawn);
  RenderPaperViewPlan(device, plan, control);
  const PlanRect paper = plan.sheet.printable;
  // The sheet is white inside its edge, the background tile teal around it.
  EXPECT_EQ(canvas.At(paper.left + 10, paper.top + 10), kWhite);
  EXPECT_EQ(canvas.At(paper.right - 10, paper.top + 30), kWhite);
  EXPECT_EQ(canvas.At(20, 120), kTeal);
  EXPECT_EQ(canvas.At(paper.right + 20, paper.top + 30), kTeal);
  // The sunken frame: shadow on the top and left, light on the right.
  EXPECT_EQ(canvas.At(100, 0), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(canvas.At(0, 100), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(canvas.At(199, 100), Rgb(GetSysColor(COLOR_3DLIGHT)));
  // The size label draws white text in the band above the sheet.
  int white = 0;
  for (int y = 4; y < 18; ++y) {
    for (int x = 4; x < 100; ++x) white += canvas.At(x, y) == kWhite;
  }
  EXPECT_GT(white, 20);
  // The numeral 1 stands at the bottom of the page: something not white there.
  int dark = 0;
  const PlanRect page = plan.sheet.page;
  for (int y = page.bottom - 14; y < page.bottom - 1; ++y) {
    for (int x = (page.left + page.right) / 2 - 6; x < (page.left + page.right) / 2 + 6; ++x) {
      dark += canvas.At(x, y) != kWhite;
    }
  }
  EXPECT_GT(dark, 5);
}

TEST(PreviewAreaRender, QualityViewCentresThePictureOnWhite) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  Canvas canvas(200, 190);
  DrawQualityView(canvas.dc(), RECT{0, 0, 200, 190}, 0, images.get());
  // 144 x 135 centred: (28, 28) to (172, 163); its white card with a black box.
  const int left = 100 - 72, top = 95 - 67;
  EXPECT_EQ(canvas.At(left - 8, 95), kWhite);
  EXPECT_EQ(canvas.At(left + 12, top + 60), 0x000000u);  // the card's black edge
  EXPECT_EQ(canvas.At(left + 24 + 20, top + 24 + 20), 0xFF0000u);  // the red circle
  EXPECT_EQ(canvas.At(100, 0), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  // An unknown colour setting shows the automatic picture.
  Canvas other(200, 190);
  DrawQualityView(other.dc(), RECT{0, 0, 200, 190}, 77, images.get());
  EXPECT_EQ(other.At(left + 44, top + 44), 0xFF0000u);
}

// Every row of the quality view, pixel for pixel: the image library's
// picture and mask decoded here from their rows and colour tables (1, 4 or
// 8 bits per pixel, rows bottom up, each padded to four bytes; a table of
// fewer colours than the depth allows ends where biClrUsed says), the mask
// ANDed onto white
// and the image XORed over it, centred.
struct DecodedDib {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top down, 0xRRGGBB
  std::vector<uint32_t> table;   // the colour table
  const BITMAPINFO* info = nullptr;
};
DecodedDib Decode(HMODULE module, uint32_t id) {
  DecodedDib out;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
  if (found == nullptr) return out;
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  BITMAPINFOHEADER h;
  std::memcpy(&h, bytes, sizeof h);
  const int bits = h.biBitCount;
  if ((bits != 1 && bits != 4 && bits != 8) || h.biHeight <= 0) return out;
  const uint32_t colours = h.biClrUsed != 0 ? h.biClrUsed : 1u << bits;
  const uint8_t* table = bytes + h.biSize;
  const uint8_t* rows = table + colours * 4;
  const int stride = (h.biWidth * bits + 31) / 32 * 4;
  out.info = reinterpret_cast<const BITMAPINFO*>(bytes);
  for (uint32_t i = 0; i < colours; ++i) {
    out.table.push_back((uint32_t(table[4 * i + 2]) << 16) | (uint32_t(table[4 * i + 1]) << 8) | table[4 * i]);
  }
  out.width = h.biWidth;
  out.height = h.biHeight;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const uint8_t byte = rows[(out.height - 1 - y) * stride + x * bits / 8];
      const uint8_t index = (byte >> (8 - bits - x * bits % 8)) & ((1 << bits) - 1);
      EXPECT_LT(index, colours) << id;
      const uint8_t* q = table + 4 * index;
      out.pixels.push_back((uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0]);
    }
  }
  return out;
}

TEST(PreviewAreaRender, QualityViewDrawsEachRowsPicturePixelForPixel) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  for (int32_t setting = 0; setting <= 9; ++setting) {
    SCOPED_TRACE(setting);
    uint32_t imageId = 0, maskId = 0;
    QualityViewPictures(setting, &imageId, &maskId);
    const DecodedDib image = Decode(images.get(), imageId), mask = Decode(images.get(), maskId);
    ASSERT_EQ(image.width, 144);
    ASSERT_EQ(image.height, 135);
    ASSERT_EQ(mask.width, 144);
    ASSERT_EQ(mask.height, 135);
    Canvas canvas(220, 200);
    DrawQualityView(canvas.dc(), RECT{0, 0, 220, 200}, setting, images.get());
    const int left = 110 - 72, top = 100 - 67;
    int wrong = 0;
    for (int y = 0; y < 135; ++y) {
      for (int x = 0; x < 144; ++x) {
        const uint32_t expected = (kWhite & mask.pixels[y * 144 + x]) ^ image.pixels[y * 144 + x];
        if (canvas.At(left + x, top + y) != expected && ++wrong <= 3) {
          ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << canvas.At(left + x, top + y) << " not "
                        << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(canvas.At(left - 4, 100), kWhite);
    // On a palette display each picture goes out with a palette of exactly
    // its own colours.
    for (const DecodedDib* dib : {&image, &mask}) {
      HPALETTE palette = CreateDibPalette(dib->info);
      ASSERT_NE(palette, nullptr);
      PALETTEENTRY entries[256];
      const UINT count = GetPaletteEntries(palette, 0, 256, entries);
      DeleteObject(palette);
      ASSERT_EQ(count, dib->table.size());
      for (UINT i = 0; i < count; ++i) {
        EXPECT_EQ((uint32_t(entries[i].peRed) << 16) | (uint32_t(entries[i].peGreen) << 8) | entries[i].peBlue,
                  dib->table[i]);
      }
    }
  }
}

TEST(PrinterViewOptionsRecord, LayoutAndFill) {
#ifdef _WIN64
  static_assert(sizeof(PrinterViewOptions) == 117);
  static_assert(offsetof(PrinterViewOptions, inTrayKeyword) == 17);
  static_assert(offsetof(PrinterViewOptions, outputTrays) == 49);
  static_assert(offsetof(PrinterViewOptions, centreStaple) == 97);
  static_assert(offsetof(PrinterViewOptions, foldKind5) == 113);
#else
  static_assert(sizeof(PrinterViewOptions) == 109);
  static_assert(offsetof(PrinterViewOptions, inTrayKeyword) == 9);
  static_assert(offsetof(PrinterViewOptions, foldKind5) == 105);
#endif
  static DocDMode doc;
  std::memset(&doc, 0, sizeof doc);
  SetDocI16(&doc, DOC_FIELD_AT(nOutBin), 273);
  SetDocByte(&doc, DOC_FIELD_AT(bFolding), 1);
  SetDocByte(&doc, DOC_FIELD_AT(nFoldingMode), 5);
  SetDocByte(&doc, DOC_FIELD_AT(CoverMFP_bPIBCover), 1);
  SetDocI16(&doc, DOC_FIELD_AT(CoverMFP_nPIBCoverTray), 1002);
  static DevOption option;
  PrinterViewOptions out;
  FillPrinterViewOptions(nullptr, nullptr, &option, &doc, true, &out);
  EXPECT_EQ(out.documentSheet, 1);
  EXPECT_EQ(out.deviceOption, &option);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(out.outputTrays[i], i == 5 ? 1u : 0u);
  EXPECT_EQ(out.foldKind5, 1u);
  EXPECT_EQ(out.foldKind3, 0u);
  EXPECT_EQ(out.postInserterB, 1u);
  EXPECT_EQ(out.postInserterA, 0u);
  // A device sheet fills the pointers only; without a record nothing at all.
  FillPrinterViewOptions(nullptr, nullptr, &option, &doc, false, &out);
  EXPECT_EQ(out.documentSheet, 0);
  EXPECT_EQ(out.foldKind5, 0u);
  FillPrinterViewOptions(nullptr, nullptr, nullptr, &doc, true, &out);
  const PrinterViewOptions zero{};
  EXPECT_EQ(std::memcmp(&out, &zero, sizeof out), 0);
}

namespace {
std::wstring g_opened;
int g_opens = 0;
bool CaptureOpen(HWND, const wchar_t* url) {
  g_opened = url;
  ++g_opens;
  return true;
}
}  // namespace

TEST(PreviewAreaWebLink, OpensTheDeviceRootPage) {
  SetWebPageOpener(CaptureOpen);
  OpenDeviceWebPage(nullptr, "192.168.10.7");
  EXPECT_EQ(g_opened, L"http://192.168.10.7/");
  OpenDeviceWebPage(nullptr, "printer.example");
  EXPECT_EQ(g_opened, L"http://printer.example/");
  const int before = g_opens;
  OpenDeviceWebPage(nullptr, "");
  OpenDeviceWebPage(nullptr, nullptr);
  EXPECT_EQ(g_opens, before);
  SetWebPageOpener(nullptr);
}

namespace {

constexpr uint32_t kUntouched = 0x555555;  // the canvas before drawing

// A document record with a portrait sheet punched at the left edge.
DocDMode PunchedPortrait() {
  DocDMode doc{};
  auto* bytes = reinterpret_cast<uint8_t*>(&doc);
  bytes[DOC_FIELD_AT(nOrientation)] = 1;
  bytes[DOC_FIELD_AT(nDuplex)] = 1;
  bytes[DOC_FIELD_AT(bPunch)] = 1;
  bytes[DOC_FIELD_AT(nPunchNum)] = 1;
  bytes[DOC_FIELD_AT(nBinding)] = 15;
  return doc;
}

int CountIn(const Canvas& canvas, const PlanRect& r, uint32_t colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) n += canvas.At(x, y) == colour;
  }
  return n;
}

}  // namespace

TEST(PreviewAreaRender, PerPagePaperViewDrawsStraightIntoTheDc) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  const DocDMode doc = PunchedPortrait();
  // Where the sheet and the punch holes go, from the same settings.
  Canvas probe(200, 190);
  PaperViewDevice device(probe.dc(), images.get());
  PaperViewSources src{nullptr, &doc, nullptr, true, 100};
  const PaperViewPlan plan = BuildPaperViewPlanEx(ReadPaperViewInputs(src), {0, 0, 200, 190}, device.Env(), false);
  ASSERT_TRUE(plan.sheet.drawn);
  const PaperViewOp* punch = nullptr;
  for (const PaperViewOp& op : plan.ops) {
    if (op.kind == PlanOpKind::kMaskedPair && op.image == 10010) punch = &op;
  }
  ASSERT_NE(punch, nullptr);

  Canvas plain(200, 190);
  DrawPaperViewEx(&doc, plain.dc(), {0, 0, 200, 190}, nullptr, false, nullptr, images.get());
  // No background and no frame: the caller's pixels stay around the sheet.
  EXPECT_EQ(plain.At(1, 1), kUntouched);
  EXPECT_EQ(plain.At(100, 0), kUntouched);
  EXPECT_EQ(plain.At(5, 120), kUntouched);
  const PlanRect paper = plan.sheet.printable;
  EXPECT_EQ(plain.At(paper.right - 10, paper.top + 10), kWhite);
  EXPECT_GT(CountIn(plain, punch->rect, 0x000000), 20);  // the holes are black

  Canvas full(200, 190);
  DrawPaperViewEx(&doc, full.dc(), {0, 0, 200, 190}, nullptr, true, nullptr, images.get());
  EXPECT_EQ(full.At(100, 0), Rgb(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(full.At(199, 100), Rgb(GetSysColor(COLOR_3DLIGHT)));
  EXPECT_EQ(full.At(5, 120), kUntouched);  // still no background
  EXPECT_GT(CountIn(full, punch->rect, 0x000000), 20);

  Canvas none(50, 50);
  DrawPaperViewEx(nullptr, none.dc(), {0, 0, 50, 50}, nullptr, true, nullptr, images.get());
  EXPECT_EQ(none.At(0, 0), kUntouched);
  EXPECT_EQ(none.At(25, 25), kUntouched);
}

namespace {

// A zeroed sheet session of the user interface core with its working record.
struct SessionRecords {
  std::unique_ptr<SheetSession> session = std::make_unique<SheetSession>();
  std::unique_ptr<WorkDevMode> working = std::make_unique<WorkDevMode>();
  SessionRecords() {
    std::memset(session.get(), 0, sizeof(SheetSession));
    std::memset(working.get(), 0, sizeof(WorkDevMode));
    session->working = working.get();
  }
};

}  // namespace

TEST(PreviewAreaRender, StatusIconStripShowsTheFaxOptionsAndWatermark) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  SessionRecords records;
  SheetSession* session = records.session.get();
  WorkDevMode* working = records.working.get();
  PROPSHEETPAGEW page{};
  page.lParam = reinterpret_cast<LPARAM>(session);
  auto* doc = reinterpret_cast<uint8_t*>(&working->devmode.doc);
  // A control of 210 x 120: cells of 40 x 38, so each icon keeps its 39 x 34.
  const RECT control{0, 0, 210, 120};
  const auto at = [](int row, int column, int x, int y) {
    return POINT{3 + (column - 1) * 40 + x, 3 + (row - 1) * 38 + y};
  };
  const POINT tick = at(1, 1, 27, 24);       // the green tick of "report printed"
  const POINT wmLine = at(2, 5, 19, 17);     // the watermark's diagonal
  const POINT coverMark = at(1, 3, 16, 7);   // the blue block of "cover sheet"

  struct Case {
    bool report, cover, watermark, transparent;
    uint32_t tickColour, lineColour, coverColour;
  };
  const Case cases[] = {
      {false, false, false, false, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
      {true, true, true, false, 0x00FF00, 0x0000FF, 0x0000FF},
      {true, false, true, true, 0x00FF00, 0x808080, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.report << c.cover << c.watermark << c.transparent);
    doc[kFaxSettingDocAt + offsetof(FaxSetting, fgPrtRecFile)] = c.report;
    doc[kFaxSettingDocAt + offsetof(FaxSetting, fgFaxCoverSheet)] = c.cover;
    doc[DOC_FIELD_AT(bWmk)] = c.watermark;
    doc[DOC_FIELD_AT(WmkInfo_bBkGrnd)] = c.transparent;
    Canvas canvas(210, 120);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr,
                                nullptr, nullptr);
    DrawDevFuncIcons(canvas.dc(), control, owner, tips, &page, nullptr, nullptr, images.get());
    EXPECT_EQ(canvas.At(tick.x, tick.y), c.tickColour);
    EXPECT_EQ(canvas.At(wmLine.x, wmLine.y), c.lineColour);
    EXPECT_EQ(canvas.At(coverMark.x, coverMark.y), c.coverColour);
    EXPECT_EQ(canvas.At(190, 100), kWhite);                       // an empty cell
    EXPECT_EQ(canvas.At(100, 0), Rgb(GetSysColor(COLOR_BTNSHADOW)));  // framed
    // One tooltip rectangle per icon: three fax options and the watermark.
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 4);
    DestroyWindow(tips);
    DestroyWindow(owner);
  }
}

// A booklet the driver arranges keeps its watermark in a document-properties
// session of the user interface core, printer defaults or not; only a
// plug-in page record shows it as not printed.
TEST(PreviewAreaRender, DriverBookletHidesTheWatermarkOnlyOnPluginPages) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  auto model = std::make_unique<ModelInfo>();
  std::memset(model.get(), 0, sizeof(ModelInfo));
  model->features[kMfBookletPrint] = 1;
  SessionRecords records;
  SheetSession* session = records.session.get();
  WorkDevMode* working = records.working.get();
  auto* doc = reinterpret_cast<uint8_t*>(&working->devmode.doc);
  doc[DOC_FIELD_AT(bWmk)] = 1;
  doc[DOC_FIELD_AT(nDuplex)] = 3;
  auto plugin = std::make_unique<PluginDevicePage>();
  std::memset(plugin.get(), 0, sizeof(PluginDevicePage));
  plugin->marker = 1;
  plugin->kind = kPluginDeviceKind;
  plugin->doc = working->devmode.doc;
  const POINT wmLine{3 + 4 * 40 + 19, 3 + 38 + 17};  // the watermark's diagonal, as above
  struct Case {
    void* record;
    uint8_t printerDefaults;
    uint32_t lineColour;
  };
  const Case cases[] = {{session, 0, 0x0000FF}, {session, 1, 0x0000FF}, {plugin.get(), 0, 0xFFFFFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.record == plugin.get() ? "plug-in" : "session") << +c.printerDefaults);
    session->values[kSheetPrinterDefaultsFlag] = c.printerDefaults;
    PROPSHEETPAGEW page{};
    page.lParam = reinterpret_cast<LPARAM>(c.record);
    Canvas canvas(210, 120);
    DrawDevFuncIcons(canvas.dc(), RECT{0, 0, 210, 120}, nullptr, nullptr, &page, model.get(), nullptr, images.get());
    EXPECT_EQ(canvas.At(wmLine.x, wmLine.y), c.lineColour);
  }
}

// The printer view is the device library's drawing: without it the preview
// draws nothing at all, not the paper view.
TEST(PreviewAreaRender, PrinterViewWithoutTheDeviceLibraryDrawsNothing) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  SessionRecords records;
  SheetSession* session = records.session.get();
  WorkDevMode* working = records.working.get();
  reinterpret_cast<uint8_t*>(&working->devmode.doc)[DOC_FIELD_AT(nOrientation)] = 1;
  PROPSHEETPAGEW page{};
  page.lParam = reinterpret_cast<LPARAM>(session);
  PreviewModules modules{};
  modules.images = images.get();
  for (int pageId : {156, 157}) {
    Canvas canvas(200, 190);
    DrawSheetPreview(pageId, nullptr, canvas.dc(), RECT{0, 0, 200, 190}, &page, nullptr, nullptr, modules);
    EXPECT_EQ(canvas.At(100, 0), kUntouched) << pageId;
    EXPECT_EQ(canvas.At(100, 95), kUntouched) << pageId;
  }
  // The paper view itself draws for a document sheet.
  Canvas paper(200, 190);
  DrawSheetPreview(101, nullptr, paper.dc(), RECT{0, 0, 200, 190}, &page, nullptr, nullptr, modules);
  EXPECT_NE(paper.At(100, 0), kUntouched);
}

// The quality picture goes out with the image's own palette selected and
// realised, as a palette display needs.  A metafile DC records what reaches
// the target.
TEST(PreviewAreaRender, QualityViewRealisesThePicturesPalette) {
  Images images;
  ASSERT_NE(images.get(), nullptr);
  HDC screen = GetDC(nullptr);
  HDC recorder = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(recorder, nullptr);
  DrawQualityView(recorder, RECT{0, 0, 200, 190}, 0, images.get());
  HENHMETAFILE emf = CloseEnhMetaFile(recorder);
  ASSERT_NE(emf, nullptr);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  constexpr uint32_t kSelectPalette = 48, kCreatePalette = 49, kRealizePalette = 52, kStretchBlt = 77;
  int created = -1, selected = -1, realised = -1, blit = -1, index = 0;
  std::string types;
  testsupport::WalkEmf(bytes, [&](const testsupport::EmfRecord& r) {
    types += std::to_string(r.type) + " ";
    if (r.type == kCreatePalette && created < 0) created = index;
    if (r.type == kSelectPalette && selected < 0) selected = index;
    if (r.type == kRealizePalette && realised < 0) realised = index;
    if ((r.type == testsupport::kEmrBitBlt || r.type == kStretchBlt) && blit < 0) blit = index;
    ++index;
  });
  SCOPED_TRACE(types);
  ASSERT_GE(blit, 0) << "the picture reaches the target";
  // (Wine records a palette's entries only in part, so they are not read.)
  ASSERT_GE(created, 0) << "a palette is made";
  EXPECT_LT(created, blit);
  EXPECT_GE(selected, 0);
  EXPECT_LT(selected, blit) << "selected before the picture goes out";
  // Wine's metafiles leave the realisation out; where it is recorded, it
  // comes before the picture too.
  if (realised >= 0) {
    EXPECT_LT(realised, blit);
  }
}
