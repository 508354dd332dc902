// The preview area under Wine: the paper view and the quality view rendered
// with the image library into a DIB section and checked pixel by pixel, the
// printer view's record, and the device web page through a stand-in opener.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/contracts/printer_view_options.h"
#include "common/records/doc_fields.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/preview/preview_area_win.h"
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

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    std::memset(bits_, 0x55, static_cast<size_t>(w) * h * 4);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  // 0x00RRGGBB
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * w_ + x] & 0xFFFFFF;
  }

 private:
  int w_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
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
