// The engine's drawing services of the test host and its source bitmaps.
#include "tests/ddi_host/ddi_host_draw.h"

#include <cstring>
#include <map>

#include "drender/draw/draw_services.h"
#include "tests/ddi_host/ddi_host.h"

#define HOST_EXPORT extern "C" __declspec(dllexport)

extern "C" HBITMAP APIENTRY EngCreateBitmap(SIZEL size, LONG rowBytes, ULONG format, FLONG flags, PVOID bits);
extern "C" BOOL APIENTRY EngDeleteSurface(HSURF surface);
extern "C" ULONG APIENTRY CLIPOBJ_cEnumStart(CLIPOBJ* clip, BOOL all, ULONG type, ULONG direction, ULONG limit);
extern "C" BOOL APIENTRY CLIPOBJ_bEnum(CLIPOBJ* clip, ULONG size, ULONG* rects);

namespace {

uint32_t Bits(ULONG format) {
  static const uint32_t kBits[] = {0, 1, 4, 8, 16, 24, 32};
  return format >= 1 && format <= 6 ? kBits[format] : 0;
}

uint8_t* Row(SURFOBJ* s, LONG y) { return static_cast<uint8_t*>(s->pvScan0) + int64_t{y} * s->lDelta; }

void PutPixel(SURFOBJ* s, LONG x, LONG y, uint32_t value) {
  uint8_t* row = Row(s, y);
  const uint32_t bits = Bits(s->iBitmapFormat);
  if (bits < 8) {
    const uint32_t perByte = 8 / bits;
    const uint32_t shift = (perByte - 1 - x % perByte) * bits;
    const uint8_t mask = static_cast<uint8_t>(((1u << bits) - 1) << shift);
    row[x / perByte] = static_cast<uint8_t>((row[x / perByte] & ~mask) | ((value << shift) & mask));
    return;
  }
  std::memcpy(row + int64_t{x} * (bits / 8), &value, bits / 8);
}

uint32_t GetPixel(SURFOBJ* s, LONG x, LONG y) {
  const uint8_t* row = Row(s, y);
  const uint32_t bits = Bits(s->iBitmapFormat);
  if (bits < 8) {
    const uint32_t perByte = 8 / bits;
    return (row[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1u << bits) - 1);
  }
  uint32_t v = 0;
  std::memcpy(&v, row + int64_t{x} * (bits / 8), bits / 8);
  return v;
}

std::map<PATHOBJ*, HostPath*>& Paths() {
  static std::map<PATHOBJ*, HostPath*> paths;
  return paths;
}

}  // namespace

struct HostXform {
  uint32_t magic;
  XFORML matrix;
};
constexpr uint32_t kXformMagic = 0x58464F52;

HostXform* HostXform_Scale(float scale) { return new HostXform{kXformMagic, XFORML{scale, 0, 0, scale, 0, 0}}; }
HostXform* HostXform_Matrix(const XFORML& matrix) { return new HostXform{kXformMagic, matrix}; }
void HostXform_Free(HostXform* xform) { delete xform; }
XFORMOBJ* HostXform_Get(HostXform* xform) { return reinterpret_cast<XFORMOBJ*>(xform); }

HostDrawCalls& DdiHost_DrawCalls() {
  static HostDrawCalls calls{};
  return calls;
}

ULONG HostXlate_SwapRedBlue(ULONG c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
ULONG HostXlate_From555(ULONG c) {
  const ULONG b = (c & 0x1F) << 3, g = ((c >> 5) & 0x1F) << 3, r = ((c >> 10) & 0x1F) << 3;
  return r | (g << 8) | (b << 16);
}

HostBitmap::HostBitmap(uint32_t width, uint32_t height, ULONG format, bool topDown, const std::vector<uint8_t>& rgb,
                       const std::vector<uint8_t>& indexes) {
  HBITMAP bitmap = EngCreateBitmap(SIZEL{LONG(width), LONG(height)}, 0, format, topDown ? BMF_TOPDOWN : 0, nullptr);
  handle_ = reinterpret_cast<HSURF>(bitmap);
  surface_ = EngLockSurfaceForHost(handle_);
  if (!surface_) return;
  surface_->iUniq = 0x1000 + width * 7 + height;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t i = size_t{y} * width + x;
      uint32_t value = 0;
      if (Bits(format) <= 8) {
        value = i < indexes.size() ? indexes[i] : 0;
      } else {
        const uint8_t r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        value = Bits(format) == 16 ? uint32_t((b >> 3) | ((g >> 3) << 5) | ((r >> 3) << 10))
                                   : uint32_t(b | (g << 8) | (r << 16));
      }
      PutPixel(surface_, LONG(x), LONG(y), value);
    }
  }
}

HostBitmap::~HostBitmap() {
  if (handle_) EngDeleteSurface(handle_);
}

// Nearest-neighbour copy between bitmaps of one format; no translation.
HOST_EXPORT BOOL APIENTRY EngStretchBlt(SURFOBJ* target, SURFOBJ* source, SURFOBJ*, CLIPOBJ*, XLATEOBJ*,
                                        COLORADJUSTMENT*, POINTL*, RECTL* targetRect, RECTL* sourceRect, POINTL*,
                                        ULONG) {
  ++DdiHost_DrawCalls().stretchBlt;
  if (!target || !source || !targetRect || !sourceRect || target->iBitmapFormat != source->iBitmapFormat ||
      !target->pvScan0 || !source->pvScan0) {
    return FALSE;
  }
  const LONG tw = targetRect->right - targetRect->left, th = targetRect->bottom - targetRect->top;
  const LONG sw = sourceRect->right - sourceRect->left, sh = sourceRect->bottom - sourceRect->top;
  if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0) return FALSE;
  for (LONG y = 0; y < th; ++y) {
    for (LONG x = 0; x < tw; ++x) {
      const LONG sx = sourceRect->left + LONG(int64_t{x} * sw / tw), sy = sourceRect->top + LONG(int64_t{y} * sh / th);
      PutPixel(target, targetRect->left + x, targetRect->top + y, GetPixel(source, sx, sy));
    }
  }
  return TRUE;
}

HOST_EXPORT BOOL APIENTRY EngBitBlt(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*,
                                    BRUSHOBJ*, POINTL*, ROP4) {
  return FALSE;
}

HOST_EXPORT BOOL APIENTRY EngStretchBltROP(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*,
                                           POINTL*, RECTL*, RECTL*, POINTL*, ULONG, BRUSHOBJ*, DWORD) {
  return FALSE;
}

HOST_EXPORT BOOL APIENTRY EngCopyBits(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*) { return FALSE; }

// Rectangles graded from their first to their second vertex (across for
// GRADIENT_FILL_RECT_H, down for _V); triangles in their first vertex's
// colour.  32-bit bitmaps only, in the device's colour order (red in the
// low byte), as the bitmaps the driver associates with its device.
HOST_EXPORT BOOL APIENTRY EngGradientFill(SURFOBJ* target, CLIPOBJ*, XLATEOBJ*, TRIVERTEX* vertices, ULONG count,
                                          PVOID mesh, ULONG meshCount, RECTL*, POINTL*, ULONG mode) {
  ++DdiHost_DrawCalls().gradientFill;
  if (!target || target->iBitmapFormat != BMF_32BPP || !target->pvScan0 || !vertices || !mesh) return FALSE;
  auto colour = [](const TRIVERTEX& v) {
    return uint32_t(v.Red >> 8) | (uint32_t(v.Green >> 8) << 8) | (uint32_t(v.Blue >> 8) << 16);
  };
  auto fill = [&](LONG l, LONG t, LONG r, LONG b, auto colourAt) {
    for (LONG y = std::max<LONG>(t, 0); y < std::min<LONG>(b, target->sizlBitmap.cy); ++y) {
      for (LONG x = std::max<LONG>(l, 0); x < std::min<LONG>(r, target->sizlBitmap.cx); ++x) {
        PutPixel(target, x, y, colourAt(x, y));
      }
    }
  };
  for (ULONG m = 0; m < meshCount; ++m) {
    if (mode == GRADIENT_FILL_TRIANGLE) {
      const auto& tri = static_cast<GRADIENT_TRIANGLE*>(mesh)[m];
      if (tri.Vertex1 >= count || tri.Vertex2 >= count || tri.Vertex3 >= count) return FALSE;
      const TRIVERTEX& a = vertices[tri.Vertex1];
      const TRIVERTEX& b = vertices[tri.Vertex2];
      const TRIVERTEX& c = vertices[tri.Vertex3];
      const LONG l = std::min({a.x, b.x, c.x}), r = std::max({a.x, b.x, c.x});
      const LONG t = std::min({a.y, b.y, c.y}), bt = std::max({a.y, b.y, c.y});
      const uint32_t value = colour(a);
      fill(l, t, r, bt, [&](LONG, LONG) { return value; });
      continue;
    }
    const auto& rect = static_cast<GRADIENT_RECT*>(mesh)[m];
    if (rect.UpperLeft >= count || rect.LowerRight >= count) return FALSE;
    const TRIVERTEX& a = vertices[rect.UpperLeft];
    const TRIVERTEX& b = vertices[rect.LowerRight];
    const bool across = mode == GRADIENT_FILL_RECT_H;
    const LONG span = std::max<LONG>(1, across ? b.x - a.x : b.y - a.y);
    fill(a.x, a.y, b.x, b.y, [&](LONG x, LONG y) {
      const LONG at = across ? x - a.x : y - a.y;
      auto mix = [&](COLOR16 p, COLOR16 q) { return uint32_t(((p >> 8) * (span - at) + (q >> 8) * at) / span); };
      return mix(a.Red, b.Red) | (mix(a.Green, b.Green) << 8) | (mix(a.Blue, b.Blue) << 16);
    });
  }
  return TRUE;
}

HOST_EXPORT BOOL APIENTRY EngStrokeAndFillPath(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, LINEATTRS*,
                                               BRUSHOBJ*, POINTL*, MIX, FLONG) {
  ++DdiHost_DrawCalls().strokeAndFillPath;
  return TRUE;
}

HOST_EXPORT BOOL APIENTRY EngEraseSurface(SURFOBJ* target, RECTL* rect, ULONG colour) {
  ++DdiHost_DrawCalls().eraseSurface;
  DdiHost_DrawCalls().eraseColour = colour;
  if (!target || !rect || !target->pvScan0) return target != nullptr;
  for (LONG y = std::max<LONG>(rect->top, 0); y < std::min<LONG>(rect->bottom, target->sizlBitmap.cy); ++y) {
    for (LONG x = std::max<LONG>(rect->left, 0); x < std::min<LONG>(rect->right, target->sizlBitmap.cx); ++x) {
      PutPixel(target, x, y, colour);
    }
  }
  return TRUE;
}

// The clip's rectangles as closed figures.
HOST_EXPORT PATHOBJ* APIENTRY CLIPOBJ_ppoGetPath(CLIPOBJ* clip) {
  if (!clip) return nullptr;
  std::vector<HostSubpath> figures;
  CLIPOBJ_cEnumStart(clip, TRUE, CT_RECTANGLES, CD_RIGHTDOWN, 0);
  struct {
    ULONG c;
    RECTL r[8];
  } rects{};
  for (;;) {
    const BOOL more = CLIPOBJ_bEnum(clip, sizeof rects, reinterpret_cast<ULONG*>(&rects));
    for (ULONG i = 0; i < rects.c; ++i) {
      const RECTL& r = rects.r[i];
      HostSubpath s;
      s.points = {{r.left * 16, r.top * 16}, {r.right * 16, r.top * 16}, {r.right * 16, r.bottom * 16},
                  {r.left * 16, r.bottom * 16}};
      s.closed = true;
      figures.push_back(s);
    }
    if (!more) break;
  }
  auto* path = new HostPath(std::move(figures));
  Paths()[path->get()] = path;
  ++DdiHost_DrawCalls().pathsLive;
  return path->get();
}

HOST_EXPORT VOID APIENTRY EngDeletePath(PATHOBJ* path) {
  auto it = Paths().find(path);
  if (it == Paths().end()) return;
  delete it->second;
  Paths().erase(it);
  --DdiHost_DrawCalls().pathsLive;
}

HOST_EXPORT ULONG APIENTRY XFORMOBJ_iGetXform(XFORMOBJ* xform, XFORML* out) {
  auto* x = reinterpret_cast<HostXform*>(xform);
  if (!x || x->magic != kXformMagic) return 0;
  if (out) *out = x->matrix;
  return GX_SCALE;
}
