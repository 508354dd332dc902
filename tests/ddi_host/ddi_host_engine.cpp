// The engine services of the test host, exported by the program so that
// the render core binds them by name.  Small real implementations: objects
// are tracked so that a handle the engine never made, or one already
// deleted, is refused, and tests can check that nothing leaks.
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "tests/ddi_host/ddi_host.h"

#define HOST_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr uint32_t kDeviceMagic = 0x48444556;

struct HostPalette {
  ULONG mode;
  std::vector<ULONG> colors;
  FLONG masks[3];
};

struct HostSurface {
  SURFOBJ so;
  FLONG hooks;
  bool banded;
  bool ownsBits;
};

std::set<HostPalette*>& Palettes() {
  static std::set<HostPalette*> palettes;
  return palettes;
}
std::set<HostSurface*>& Surfaces() {
  static std::set<HostSurface*> surfaces;
  return surfaces;
}
std::map<HANDLE, int>& Modules() {
  static std::map<HANDLE, int> modules;
  return modules;
}

HostSurface* FindSurface(HSURF handle) {
  auto* surface = reinterpret_cast<HostSurface*>(handle);
  return Surfaces().count(surface) ? surface : nullptr;
}

ULONG BitsPerPixel(ULONG format) {
  switch (format) {
    case BMF_1BPP: return 1;
    case BMF_4BPP: return 4;
    case BMF_8BPP: return 8;
    case BMF_16BPP: return 16;
    case BMF_24BPP: return 24;
    case BMF_32BPP: return 32;
    default: return 0;
  }
}

}  // namespace

HostObjectCounts DdiHost_LiveObjects() {
  int modules = 0;
  for (const auto& m : Modules()) modules += m.second;
  return HostObjectCounts{static_cast<int>(Palettes().size()), static_cast<int>(Surfaces().size()), modules};
}

FLONG DdiHost_SurfaceHooks(HSURF surface) {
  HostSurface* s = FindSurface(surface);
  return s ? s->hooks : 0;
}

bool DdiHost_SurfaceIsBanded(HSURF surface) {
  HostSurface* s = FindSurface(surface);
  return s && s->banded;
}

SURFOBJ* EngLockSurfaceForHost(HSURF handle) {
  HostSurface* surface = FindSurface(handle);
  return surface ? &surface->so : nullptr;
}

ULONG DdiHost_PaletteMode(HPALETTE palette) {
  auto* p = reinterpret_cast<HostPalette*>(palette);
  return Palettes().count(p) ? p->mode : 0;
}

// A module opened as data: its resources can be found, its code never runs.
HOST_EXPORT HANDLE APIENTRY EngLoadModule(LPWSTR path) {
  if (!path) return nullptr;
  HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return nullptr;
  ++Modules()[module];
  return module;
}

HOST_EXPORT VOID APIENTRY EngFreeModule(HANDLE module) {
  auto it = Modules().find(module);
  if (it == Modules().end()) return;
  FreeLibrary(static_cast<HMODULE>(module));
  if (--it->second == 0) Modules().erase(it);
}

HOST_EXPORT PVOID APIENTRY EngFindResource(HANDLE module, int name, int type, PULONG size) {
  if (size) *size = 0;
  if (!Modules().count(module)) return nullptr;
  auto hmodule = static_cast<HMODULE>(module);
  HRSRC info = FindResourceW(hmodule, MAKEINTRESOURCEW(name), MAKEINTRESOURCEW(type));
  if (!info) return nullptr;
  HGLOBAL data = LoadResource(hmodule, info);
  if (!data) return nullptr;
  if (size) *size = SizeofResource(hmodule, info);
  return LockResource(data);
}

HOST_EXPORT HPALETTE APIENTRY EngCreatePalette(ULONG mode, ULONG count, ULONG* colors, FLONG red, FLONG green,
                                               FLONG blue) {
  if (mode != PAL_INDEXED && mode != PAL_BITFIELDS && mode != PAL_RGB && mode != PAL_BGR) return nullptr;
  if (mode == PAL_INDEXED && (count == 0 || count > 256 || !colors)) return nullptr;
  auto* palette = new HostPalette{mode, {}, {red, green, blue}};
  if (mode == PAL_INDEXED) palette->colors.assign(colors, colors + count);
  Palettes().insert(palette);
  return reinterpret_cast<HPALETTE>(palette);
}

HOST_EXPORT BOOL APIENTRY EngDeletePalette(HPALETTE handle) {
  auto* palette = reinterpret_cast<HostPalette*>(handle);
  if (!Palettes().erase(palette)) return FALSE;
  delete palette;
  return TRUE;
}

HOST_EXPORT HSURF APIENTRY EngCreateDeviceSurface(DHSURF dhsurf, SIZEL size, ULONG format) {
  if (size.cx <= 0 || size.cy <= 0 || BitsPerPixel(format) == 0) return nullptr;
  auto* surface = new HostSurface{};
  surface->so.dhsurf = dhsurf;
  surface->so.hsurf = reinterpret_cast<HSURF>(surface);
  surface->so.sizlBitmap = size;
  surface->so.iBitmapFormat = format;
  surface->so.iType = STYPE_DEVICE;
  Surfaces().insert(surface);
  return surface->so.hsurf;
}

HOST_EXPORT HBITMAP APIENTRY EngCreateBitmap(SIZEL size, LONG rowBytes, ULONG format, FLONG flags, PVOID bits) {
  ULONG bpp = BitsPerPixel(format);
  if (size.cx <= 0 || size.cy <= 0 || bpp == 0) return nullptr;
  LONG minimum = static_cast<LONG>(((static_cast<ULONGLONG>(size.cx) * bpp + 31) / 32) * 4);
  LONG stride = rowBytes > 0 ? rowBytes : minimum;
  if (stride < minimum) return nullptr;
  ULONGLONG total = static_cast<ULONGLONG>(stride) * static_cast<ULONGLONG>(size.cy);
  if (total > 0x40000000ull) return nullptr;
  auto* surface = new HostSurface{};
  if (!bits) {
    bits = std::calloc(1, static_cast<size_t>(total));
    if (!bits) {
      delete surface;
      return nullptr;
    }
    surface->ownsBits = true;
  }
  surface->so.hsurf = reinterpret_cast<HSURF>(surface);
  surface->so.sizlBitmap = size;
  surface->so.cjBits = static_cast<ULONG>(total);
  surface->so.pvBits = bits;
  surface->so.iBitmapFormat = format;
  surface->so.iType = STYPE_BITMAP;
  surface->so.fjBitmap = static_cast<USHORT>(flags & BMF_TOPDOWN);
  if (flags & BMF_TOPDOWN) {
    surface->so.pvScan0 = bits;
    surface->so.lDelta = stride;
  } else {
    surface->so.pvScan0 = static_cast<uint8_t*>(bits) + total - stride;
    surface->so.lDelta = -stride;
  }
  Surfaces().insert(surface);
  return reinterpret_cast<HBITMAP>(surface);
}

HOST_EXPORT BOOL APIENTRY EngAssociateSurface(HSURF handle, HDEV hdev, FLONG hooks) {
  HostSurface* surface = FindSurface(handle);
  auto* device = reinterpret_cast<HostDevice*>(hdev);
  if (!surface || !device || device->magic != kDeviceMagic) return FALSE;
  surface->so.hdev = hdev;
  surface->so.dhpdev = device->pdev;
  surface->hooks = hooks;
  return TRUE;
}

HOST_EXPORT BOOL APIENTRY EngDeleteSurface(HSURF handle) {
  HostSurface* surface = FindSurface(handle);
  if (!surface) return FALSE;
  Surfaces().erase(surface);
  if (surface->ownsBits) std::free(surface->so.pvBits);
  delete surface;
  return TRUE;
}

HOST_EXPORT BOOL APIENTRY EngMarkBandingSurface(HSURF handle) {
  HostSurface* surface = FindSurface(handle);
  if (!surface) return FALSE;
  surface->banded = true;
  return TRUE;
}

HOST_EXPORT SURFOBJ* APIENTRY EngLockSurface(HSURF handle) {
  HostSurface* surface = FindSurface(handle);
  return surface ? &surface->so : nullptr;
}

HOST_EXPORT VOID APIENTRY EngUnlockSurface(SURFOBJ*) {}
