// Module entry and function table of the render core.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/ddi_services.h"
#include "drender/tests/render_dir.h"
#include "tests/ddi_host/ddi_host.h"

namespace {

// The published indexes, in the table's order.
constexpr ULONG kExpectedOrder[kRenderDrvFnCount] = {8,  0,  7,  1,  2,  3,  4,  18, 20, 19, 68,
                                                     69, 23, 37, 12, 17, 15, 16, 31, 14, 35, 33,
                                                     32, 34, 57, 58, 26, 27, 28, 43, 49, 24};

TEST(ModuleEntryTest, RefusesToLoadWithoutItsDescription) {
  RenderDir without(false);
  HMODULE module = LoadLibraryW(without.Path(L"VELDRANE.DLL").c_str());
  EXPECT_EQ(module, nullptr);
  if (module) FreeLibrary(module);
  RenderDir with(true);
  module = LoadLibraryW(with.Path(L"VELDRANE.DLL").c_str());
  EXPECT_NE(module, nullptr);
  if (module) FreeLibrary(module);
}

class FunctionTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(dir_.Path(L"VELDRANE.DLL").c_str());
    ASSERT_NE(module_, nullptr);
    query_ = FromPfn<PFN_QueryFunctionTblPtr>(GetProcAddress(module_, "QueryFunctionTblPtr"));
    ASSERT_NE(query_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  RenderDir dir_;
  HMODULE module_ = nullptr;
  PFN_QueryFunctionTblPtr query_ = nullptr;
};

TEST_F(FunctionTableTest, NullBufferGivesTheCount) {
  for (DWORD count : {0u, 5u, 32u, 1000u}) EXPECT_EQ(query_(nullptr, count), 32u) << count;
}

TEST_F(FunctionTableTest, ShortBufferIsRefusedUntouched) {
  DRVFN rows[31];
  std::memset(rows, 0xAB, sizeof(rows));
  SetLastError(0);
  EXPECT_EQ(query_(rows, 31), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_DRIVER_LEVEL));
  for (const DRVFN& row : rows) EXPECT_EQ(row.iFunc, 0xABABABABu);
}

TEST_F(FunctionTableTest, CopiesExactlyThirtyTwoRowsInOrder) {
  for (DWORD count : {32u, 40u}) {
    DRVFN rows[40];
    std::memset(rows, 0xCD, sizeof(rows));
    ASSERT_EQ(query_(rows, count), 32u);
    for (DWORD i = 0; i < 32; ++i) {
      EXPECT_EQ(rows[i].iFunc, kExpectedOrder[i]) << "row " << i;
      EXPECT_NE(rows[i].pfn, nullptr) << "row " << i;
      // Every function lies inside the render core.
      HMODULE owner = nullptr;
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(rows[i].pfn)), &owner);
      EXPECT_EQ(owner, module_) << "row " << i;
    }
    for (DWORD i = 32; i < 40; ++i) EXPECT_EQ(rows[i].iFunc, 0xCDCDCDCDu) << "row " << i;
  }
}

TEST_F(FunctionTableTest, HostFindsEveryEntryByIndex) {
  DdiHost host;
  ASSERT_TRUE(host.Load(dir_.Path(L"VELDRANE.DLL")));
  for (ULONG index : kExpectedOrder) EXPECT_NE(host.Function(index), nullptr) << index;
  EXPECT_EQ(host.Function(5), nullptr);
  // DrvDisableDriver does nothing and can be called at any time.
  host.Get<PFN_DrvDisableDriver>(INDEX_DrvDisableDriver)();
}

TEST(DdiServicesTest, BoundFromTheHostProgramWhenTheSystemLacksThem) {
  const DdiServices* services = Ddi_BindServices();
  ASSERT_NE(services, nullptr);
  HMODULE gdi = GetModuleHandleW(L"gdi32.dll");
  bool systemHasAll = gdi != nullptr;
  for (size_t i = 0; i < Ddi_ServiceCount(); ++i) {
    if (!gdi || !GetProcAddress(gdi, Ddi_ServiceName(i))) systemHasAll = false;
  }
  EXPECT_EQ(Ddi_ServiceSource(), systemHasAll ? kDdiSourceSystem : kDdiSourceHost);
  // Every service is bound, each from the same module.
  HMODULE source = systemHasAll ? gdi : GetModuleHandleW(nullptr);
  const auto* slots = reinterpret_cast<void* const*>(services);
  for (size_t i = 0; i < Ddi_ServiceCount(); ++i) {
    EXPECT_EQ(slots[i], reinterpret_cast<void*>(GetProcAddress(source, Ddi_ServiceName(i))))
        << Ddi_ServiceName(i);
  }
  EXPECT_EQ(Ddi_BindServices(), services);
}

TEST(DdiServicesTest, HostServicesWorkThroughTheTable) {
  const DdiServices* services = Ddi_BindServices();
  if (Ddi_ServiceSource() != kDdiSourceHost) GTEST_SKIP() << "the system provides the services";
  HostObjectCounts before = DdiHost_LiveObjects();
  HPALETTE palette = services->EngCreatePalette(PAL_RGB, 0, nullptr, 0, 0, 0);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(DdiHost_PaletteMode(palette), PAL_RGB);
  EXPECT_TRUE(services->EngDeletePalette(palette));
  EXPECT_FALSE(services->EngDeletePalette(palette));
  HSURF surface = services->EngCreateDeviceSurface(nullptr, SIZEL{4961, 7016}, BMF_24BPP);
  ASSERT_NE(surface, nullptr);
  HostDevice device{0x48444556, reinterpret_cast<DHPDEV>(&before)};
  EXPECT_TRUE(services->EngAssociateSurface(surface, reinterpret_cast<HDEV>(&device), HOOK_BITBLT));
  SURFOBJ* so = services->EngLockSurface(surface);
  ASSERT_NE(so, nullptr);
  EXPECT_EQ(so->dhpdev, device.pdev);
  EXPECT_EQ(so->sizlBitmap.cx, 4961);
  services->EngUnlockSurface(so);
  EXPECT_EQ(DdiHost_SurfaceHooks(surface), HOOK_BITBLT);
  EXPECT_TRUE(services->EngDeleteSurface(surface));
  EXPECT_EQ(DdiHost_LiveObjects().palettes, before.palettes);
  EXPECT_EQ(DdiHost_LiveObjects().surfaces, before.surfaces);
}

}  // namespace
