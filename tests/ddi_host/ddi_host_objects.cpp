// Clip, path, brush and colour-translation objects of the test host, and
// the engine services that enumerate and realise them.
#include <cstdlib>
#include <vector>

#include "tests/ddi_host/ddi_host.h"

#define HOST_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr uint32_t kClipMagic = 0x434C4950;
constexpr uint32_t kPathMagic = 0x50415448;
constexpr uint32_t kBrushMagic = 0x42525348;
constexpr uint32_t kXlateMagic = 0x584C4154;
constexpr ULONG kNotAHatch = 6;  // HS_DDI_MAX: the brush is a pattern

using PFN_DrvRealizeBrush = BOOL(APIENTRY*)(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG);
PFN g_realizeBrush = nullptr;

// Each object starts with the engine's record, so the driver's pointer is
// the host object's.
struct ClipImpl {
  CLIPOBJ co;
  uint32_t magic;
  std::vector<RECTL> rects;
  size_t cursor;
};
struct PathImpl {
  PATHOBJ po;
  uint32_t magic;
  std::vector<HostSubpath> subpaths;
  size_t cursor;
};
struct XlateImpl {
  XLATEOBJ xo;
  uint32_t magic;
  std::vector<ULONG> table;
  std::vector<ULONG> sourcePalette;
  ULONG (*translate)(ULONG);
};
struct BrushImpl {
  BRUSHOBJ bo;
  uint32_t magic;
  HSURF pattern;
  SURFOBJ* target;
  XLATEOBJ* xlate;
  ULONG hatch;      // the hatch style, or kNotAHatch
  void* pending;    // from BRUSHOBJ_pvAllocRbrush during a realisation
  std::vector<void*> blocks;
  int realizeCalls;
};

template <typename T>
T* Checked(void* object, uint32_t magic) {
  auto* impl = static_cast<T*>(object);
  return impl && impl->magic == magic ? impl : nullptr;
}

}  // namespace

void DdiHost_SetRealizeBrush(PFN realize) { g_realizeBrush = realize; }

HostClip::HostClip(std::vector<RECTL> rects) {
  auto* impl = new ClipImpl{};
  impl->magic = kClipMagic;
  impl->rects = std::move(rects);
  if (impl->rects.empty()) {
    impl->co.iDComplexity = DC_TRIVIAL;
    impl->co.rclBounds = RECTL{0, 0, 0x7FFFFFF, 0x7FFFFFF};
  } else {
    RECTL bounds = impl->rects[0];
    for (const RECTL& r : impl->rects) {
      if (r.left < bounds.left) bounds.left = r.left;
      if (r.top < bounds.top) bounds.top = r.top;
      if (r.right > bounds.right) bounds.right = r.right;
      if (r.bottom > bounds.bottom) bounds.bottom = r.bottom;
    }
    impl->co.rclBounds = bounds;
    impl->co.iDComplexity = impl->rects.size() == 1 ? DC_RECT : DC_COMPLEX;
    impl->co.iFComplexity = impl->rects.size() == 1 ? FC_RECT : (impl->rects.size() <= 4 ? FC_RECT4 : FC_COMPLEX);
  }
  impl->co.iMode = TC_RECTANGLES;
  impl_ = impl;
}
HostClip::~HostClip() { delete static_cast<ClipImpl*>(impl_); }
CLIPOBJ* HostClip::get() { return &static_cast<ClipImpl*>(impl_)->co; }

HostPath::HostPath(std::vector<HostSubpath> subpaths) {
  auto* impl = new PathImpl{};
  impl->magic = kPathMagic;
  impl->subpaths = std::move(subpaths);
  for (const HostSubpath& s : impl->subpaths) {
    const size_t segments = s.continues ? s.points.size() : (s.points.size() > 1 ? s.points.size() - 1 : 0);
    impl->po.cCurves += static_cast<ULONG>(s.beziers ? segments / 3 : segments);
  }
  impl_ = impl;
}
HostPath::~HostPath() { delete static_cast<PathImpl*>(impl_); }
PATHOBJ* HostPath::get() { return &static_cast<PathImpl*>(impl_)->po; }

HostXlate::HostXlate() {
  auto* impl = new XlateImpl{};
  impl->magic = kXlateMagic;
  impl->xo.flXlate = XO_TRIVIAL;
  impl_ = impl;
}
HostXlate::HostXlate(std::vector<ULONG> table, std::vector<ULONG> sourcePalette) {
  auto* impl = new XlateImpl{};
  impl->magic = kXlateMagic;
  impl->table = std::move(table);
  impl->sourcePalette = std::move(sourcePalette);
  impl->xo.flXlate = XO_TABLE;
  impl->xo.cEntries = static_cast<ULONG>(impl->table.size());
  impl->xo.pulXlate = impl->table.data();
  impl_ = impl;
}
HostXlate::HostXlate(ULONG (*translate)(ULONG colour)) {
  auto* impl = new XlateImpl{};
  impl->magic = kXlateMagic;
  impl->translate = translate;
  impl_ = impl;
}
HostXlate::~HostXlate() { delete static_cast<XlateImpl*>(impl_); }
XLATEOBJ* HostXlate::get() { return &static_cast<XlateImpl*>(impl_)->xo; }

HostBrush::HostBrush(ULONG solidColor) {
  auto* impl = new BrushImpl{};
  impl->magic = kBrushMagic;
  impl->bo.iSolidColor = solidColor;
  impl->hatch = kNotAHatch;
  impl_ = impl;
}
HostBrush::HostBrush(HSURF pattern, SURFOBJ* target, XLATEOBJ* xlate, ULONG hatch) {
  auto* impl = new BrushImpl{};
  impl->magic = kBrushMagic;
  impl->hatch = hatch;
  impl->bo.iSolidColor = 0xFFFFFFFF;
  impl->pattern = pattern;
  impl->target = target;
  impl->xlate = xlate;
  impl_ = impl;
}
HostBrush::~HostBrush() {
  auto* impl = static_cast<BrushImpl*>(impl_);
  for (void* block : impl->blocks) std::free(block);
  delete impl;
}
BRUSHOBJ* HostBrush::get() { return &static_cast<BrushImpl*>(impl_)->bo; }
int HostBrush::realizeCalls() const { return static_cast<BrushImpl*>(impl_)->realizeCalls; }

HOST_EXPORT ULONG APIENTRY CLIPOBJ_cEnumStart(CLIPOBJ* clip, BOOL, ULONG, ULONG, ULONG limit) {
  ClipImpl* impl = Checked<ClipImpl>(clip, kClipMagic);
  if (!impl) return 0xFFFFFFFF;
  impl->cursor = 0;
  ULONG count = static_cast<ULONG>(impl->rects.size());
  return limit != 0 && count > limit ? 0xFFFFFFFF : count;
}

HOST_EXPORT BOOL APIENTRY CLIPOBJ_bEnum(CLIPOBJ* clip, ULONG size, ULONG* out) {
  ClipImpl* impl = Checked<ClipImpl>(clip, kClipMagic);
  if (!impl || !out || size < sizeof(ENUMRECTS)) return FALSE;
  auto* rects = reinterpret_cast<ENUMRECTS*>(out);
  size_t room = (size - offsetof(ENUMRECTS, arcl)) / sizeof(RECTL);
  size_t n = 0;
  while (n < room && impl->cursor < impl->rects.size()) rects->arcl[n++] = impl->rects[impl->cursor++];
  rects->c = static_cast<ULONG>(n);
  return impl->cursor < impl->rects.size();
}

HOST_EXPORT VOID APIENTRY PATHOBJ_vEnumStart(PATHOBJ* path) {
  PathImpl* impl = Checked<PathImpl>(path, kPathMagic);
  if (impl) impl->cursor = 0;
}

HOST_EXPORT BOOL APIENTRY PATHOBJ_bEnum(PATHOBJ* path, PATHDATA* data) {
  PathImpl* impl = Checked<PathImpl>(path, kPathMagic);
  if (!data) return FALSE;
  *data = PATHDATA{};
  if (!impl || impl->cursor >= impl->subpaths.size()) return FALSE;
  HostSubpath& sub = impl->subpaths[impl->cursor++];
  data->flags = (sub.continues ? 0 : PD_BEGINSUBPATH) | (sub.goesOn ? 0 : PD_ENDSUBPATH) |
                (sub.closed && !sub.goesOn ? PD_CLOSEFIGURE : 0) | (sub.beziers ? PD_BEZIERS : 0);
  data->count = static_cast<ULONG>(sub.points.size());
  data->pptfx = sub.points.data();
  return impl->cursor < impl->subpaths.size();
}

HOST_EXPORT PVOID APIENTRY BRUSHOBJ_pvAllocRbrush(BRUSHOBJ* brush, ULONG size) {
  BrushImpl* impl = Checked<BrushImpl>(brush, kBrushMagic);
  if (!impl || size == 0) return nullptr;
  void* block = std::calloc(1, size);
  if (!block) return nullptr;
  impl->blocks.push_back(block);
  impl->pending = block;
  return block;
}

// As GDI does: the first request of a pattern brush's realisation calls the
// driver's DrvRealizeBrush, which takes its memory from
// BRUSHOBJ_pvAllocRbrush.
HOST_EXPORT PVOID APIENTRY BRUSHOBJ_pvGetRbrush(BRUSHOBJ* brush) {
  BrushImpl* impl = Checked<BrushImpl>(brush, kBrushMagic);
  if (!impl) return nullptr;
  if (impl->bo.pvRbrush || impl->bo.iSolidColor != 0xFFFFFFFF) return impl->bo.pvRbrush;
  auto realize = FromPfn<PFN_DrvRealizeBrush>(g_realizeBrush);
  if (!realize) return nullptr;
  SURFOBJ* pattern = EngLockSurfaceForHost(impl->pattern);
  impl->pending = nullptr;
  ++impl->realizeCalls;
  BOOL ok = realize(&impl->bo, impl->target, pattern, nullptr, impl->xlate, impl->hatch);
  if (ok && impl->pending) impl->bo.pvRbrush = impl->pending;
  impl->pending = nullptr;
  return impl->bo.pvRbrush;
}

HOST_EXPORT ULONG APIENTRY BRUSHOBJ_ulGetBrushColor(BRUSHOBJ* brush) {
  BrushImpl* impl = Checked<BrushImpl>(brush, kBrushMagic);
  return impl ? impl->bo.iSolidColor : 0xFFFFFFFF;
}

HOST_EXPORT ULONG APIENTRY XLATEOBJ_iXlate(XLATEOBJ* xlate, ULONG color) {
  XlateImpl* impl = Checked<XlateImpl>(xlate, kXlateMagic);
  if (!impl || (impl->xo.flXlate & XO_TRIVIAL)) return color;
  if (impl->translate) return impl->translate(color);
  return color < impl->table.size() ? impl->table[color] : 0;
}

HOST_EXPORT ULONG APIENTRY XLATEOBJ_cGetPalette(XLATEOBJ* xlate, ULONG which, ULONG count, ULONG* colors) {
  XlateImpl* impl = Checked<XlateImpl>(xlate, kXlateMagic);
  if (!impl) return 0;
  const std::vector<ULONG>& palette = which == XO_SRCPALETTE ? impl->sourcePalette : impl->table;
  if (!colors) return static_cast<ULONG>(palette.size());
  ULONG n = count < palette.size() ? count : static_cast<ULONG>(palette.size());
  for (ULONG i = 0; i < n; ++i) colors[i] = palette[i];
  return n;
}
