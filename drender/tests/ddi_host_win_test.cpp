// The test host's engine objects as the render core sees them through its
// bound services.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "drender/ddi/ddi_services.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/support/test_paths.h"

namespace {

const DdiServices& Services() {
  const DdiServices* s = Ddi_BindServices();
  return *s;
}

class HostObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Services();
    if (Ddi_ServiceSource() != kDdiSourceHost) GTEST_SKIP() << "the system provides the services";
  }
};

TEST_F(HostObjectsTest, ClipEnumeratesInPiecesOfTheCallersBuffer) {
  HostClip clip({{0, 0, 10, 10}, {20, 0, 30, 10}, {0, 20, 10, 30}});
  CLIPOBJ* co = clip.get();
  EXPECT_EQ(co->iDComplexity, DC_COMPLEX);
  EXPECT_EQ(co->rclBounds.right, 30);
  EXPECT_EQ(Services().CLIPOBJ_cEnumStart(co, FALSE, CT_RECTANGLES, CD_ANY, 0), 3u);
  struct {
    ULONG c;
    RECTL arcl[2];
  } piece;
  EXPECT_TRUE(Services().CLIPOBJ_bEnum(co, sizeof(piece), &piece.c));
  EXPECT_EQ(piece.c, 2u);
  EXPECT_EQ(piece.arcl[1].left, 20);
  EXPECT_FALSE(Services().CLIPOBJ_bEnum(co, sizeof(piece), &piece.c));
  EXPECT_EQ(piece.c, 1u);
  EXPECT_EQ(piece.arcl[0].top, 20);
  HostClip trivial;
  EXPECT_EQ(trivial.get()->iDComplexity, DC_TRIVIAL);
  EXPECT_EQ(Services().CLIPOBJ_cEnumStart(trivial.get(), FALSE, CT_RECTANGLES, CD_ANY, 0), 0u);
}

TEST_F(HostObjectsTest, PathEnumeratesOneSubpathPerCall) {
  HostPath path({{{{0, 0}, {160, 0}, {160, 160}}, true, false},
                 {{{0, 0}, {16, 16}, {32, 16}, {48, 0}}, false, true}});
  PATHOBJ* po = path.get();
  EXPECT_EQ(po->cCurves, 3u);
  Services().PATHOBJ_vEnumStart(po);
  PATHDATA data;
  EXPECT_TRUE(Services().PATHOBJ_bEnum(po, &data));
  EXPECT_EQ(data.count, 3u);
  EXPECT_EQ(data.flags, PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE);
  EXPECT_FALSE(Services().PATHOBJ_bEnum(po, &data));
  EXPECT_EQ(data.flags, PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_BEZIERS);
  EXPECT_EQ(data.pptfx[3].x, 48);
  Services().PATHOBJ_vEnumStart(po);
  EXPECT_TRUE(Services().PATHOBJ_bEnum(po, &data));
  EXPECT_EQ(data.count, 3u);
}

TEST_F(HostObjectsTest, ColourTranslation) {
  HostXlate identity;
  EXPECT_EQ(Services().XLATEOBJ_iXlate(identity.get(), 0x123456), 0x123456u);
  HostXlate table({0x0000FF, 0x00FF00}, {0x111111, 0x222222});
  EXPECT_EQ(Services().XLATEOBJ_iXlate(table.get(), 1), 0x00FF00u);
  EXPECT_EQ(Services().XLATEOBJ_iXlate(table.get(), 5), 0u);
  ULONG colors[4] = {};
  EXPECT_EQ(Services().XLATEOBJ_cGetPalette(table.get(), XO_SRCPALETTE, 4, colors), 2u);
  EXPECT_EQ(colors[1], 0x222222u);
  EXPECT_EQ(Services().XLATEOBJ_cGetPalette(table.get(), XO_SRCPALETTE, 0, nullptr), 2u);
}

// A driver's brush realisation: it takes its memory from the engine and
// records the pattern's first pixel.
int g_realized = 0;
BOOL APIENTRY FakeRealize(BRUSHOBJ* brush, SURFOBJ*, SURFOBJ* pattern, SURFOBJ*, XLATEOBJ*, ULONG) {
  ++g_realized;
  if (!pattern || pattern->iBitmapFormat != BMF_24BPP) return FALSE;
  auto* mine = static_cast<ULONG*>(Services().BRUSHOBJ_pvAllocRbrush(brush, 16));
  if (!mine) return FALSE;
  mine[0] = 0xB0B0;
  mine[1] = static_cast<const BYTE*>(pattern->pvScan0)[0];
  return TRUE;
}
BOOL APIENTRY RefuseRealize(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) { return FALSE; }

TEST_F(HostObjectsTest, PatternBrushIsRealisedByTheDriverOnce) {
  HBITMAP bitmap = Services().EngCreateBitmap(SIZEL{8, 8}, 0, BMF_24BPP, BMF_TOPDOWN, nullptr);
  ASSERT_NE(bitmap, nullptr);
  HSURF pattern = reinterpret_cast<HSURF>(bitmap);
  SURFOBJ* so = Services().EngLockSurface(pattern);
  static_cast<BYTE*>(so->pvScan0)[0] = 0x5C;
  DdiHost_SetRealizeBrush(ToPfn(&FakeRealize));
  g_realized = 0;
  {
    HostBrush brush(pattern, nullptr, nullptr);
    auto* realized = static_cast<ULONG*>(Services().BRUSHOBJ_pvGetRbrush(brush.get()));
    ASSERT_NE(realized, nullptr);
    EXPECT_EQ(realized[0], 0xB0B0u);
    EXPECT_EQ(realized[1], 0x5Cu);
    EXPECT_EQ(Services().BRUSHOBJ_pvGetRbrush(brush.get()), realized);
    EXPECT_EQ(g_realized, 1);
    EXPECT_EQ(Services().BRUSHOBJ_ulGetBrushColor(brush.get()), 0xFFFFFFFFu);
  }
  DdiHost_SetRealizeBrush(ToPfn(&RefuseRealize));
  {
    HostBrush brush(pattern, nullptr, nullptr);
    EXPECT_EQ(Services().BRUSHOBJ_pvGetRbrush(brush.get()), nullptr);
  }
  DdiHost_SetRealizeBrush(nullptr);
  HostBrush solid(0x00FF00);
  EXPECT_EQ(Services().BRUSHOBJ_pvGetRbrush(solid.get()), nullptr);
  EXPECT_EQ(Services().BRUSHOBJ_ulGetBrushColor(solid.get()), 0x00FF00u);
  EXPECT_TRUE(Services().EngDeleteSurface(pattern));
}

TEST_F(HostObjectsTest, ResourceModulesAreOpenedAsData) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  int before = DdiHost_LiveObjects().modules;
  HANDLE module = Services().EngLoadModule(self);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(DdiHost_LiveObjects().modules, before + 1);
  ULONG size = 7;
  EXPECT_EQ(Services().EngFindResource(module, 12345, 10, &size), nullptr);
  EXPECT_EQ(size, 0u);
  Services().EngFreeModule(module);
  EXPECT_EQ(DdiHost_LiveObjects().modules, before);
  wchar_t missing[] = L"C:\\no-such-dir\\VELDRANQ.DLL";
  EXPECT_EQ(Services().EngLoadModule(missing), nullptr);
}

TEST_F(HostObjectsTest, ResourcesOfAResourceModule) {
  // The image and string library carries a version resource.
  std::string path = testsupport::BinaryPath("bin/VELDRANW.DLL");
  std::wstring wide(path.begin(), path.end());
  HANDLE module = Services().EngLoadModule(wide.data());
  ASSERT_NE(module, nullptr);
  ULONG size = 0;
  const auto* data = static_cast<const BYTE*>(Services().EngFindResource(module, 1, 16, &size));
  ASSERT_NE(data, nullptr);
  ASSERT_GT(size, 40u);
  WORD length = 0;
  std::memcpy(&length, data, sizeof length);
  EXPECT_EQ(length, size);
  EXPECT_EQ(0, std::memcmp(data + 6, L"VS_VERSION_INFO", 15 * sizeof(wchar_t)));
  EXPECT_EQ(Services().EngFindResource(module, 2, 16, &size), nullptr);
  Services().EngFreeModule(module);
}

}  // namespace
