#include "tests/ddi_host/ddi_host_sample.h"

#include <algorithm>
#include <cmath>

#include "drender/draw/draw_services.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"

namespace {

POINTFIX Fix(LONG x, LONG y) { return POINTFIX{x * 16, y * 16}; }

}  // namespace

std::vector<uint8_t> SamplePhoto(uint32_t width, uint32_t height) {
  std::vector<uint8_t> rgb(size_t{width} * height * 3);
  const double cx = width * 0.4, cy = height * 0.55, r = std::min(width, height) * 0.3;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      // Sky to ground, a sun with a soft rim, gentle texture.
      const double t = double(y) / height;
      double red = 90 + 120 * t, green = 140 + 60 * std::sin(t * 3.1), blue = 230 - 150 * t;
      const double d = std::hypot(x - cx, y - cy);
      const double sun = d < r ? 1.0 : (d < r * 1.2 ? (r * 1.2 - d) / (r * 0.2) : 0.0);
      red += sun * (250 - red);
      green += sun * (200 - green);
      blue += sun * (60 - blue);
      const double grain = 6 * std::sin(x * 0.37) * std::cos(y * 0.29);
      uint8_t* p = &rgb[(size_t{y} * width + x) * 3];
      p[0] = static_cast<uint8_t>(std::clamp(red + grain, 0.0, 255.0));
      p[1] = static_cast<uint8_t>(std::clamp(green + grain, 0.0, 255.0));
      p[2] = static_cast<uint8_t>(std::clamp(blue + grain, 0.0, 255.0));
    }
  }
  return rgb;
}

bool DrawSamplePage(DdiHost& host, SURFOBJ* s, uint32_t photoWidth, uint32_t photoHeight) {
  using FillFn = BOOL(APIENTRY*)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX, FLONG);
  using StrokeFn = BOOL(APIENTRY*)(SURFOBJ*, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, POINTL*, LINEATTRS*, MIX);
  using PaintFn = BOOL(APIENTRY*)(SURFOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX);
  using BitBltFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*,
                                   BRUSHOBJ*, POINTL*, ROP4);
  using StretchFn = BOOL(APIENTRY*)(SURFOBJ*, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                                    RECTL*, RECTL*, POINTL*, ULONG);
  using RealizeFn = BOOL(APIENTRY*)(BRUSHOBJ*, SURFOBJ*, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG);
  auto fill = host.Get<FillFn>(INDEX_DrvFillPath);
  auto stroke = host.Get<StrokeFn>(INDEX_DrvStrokePath);
  auto paint = host.Get<PaintFn>(INDEX_DrvPaint);
  auto bitBlt = host.Get<BitBltFn>(INDEX_DrvBitBlt);
  auto stretch = host.Get<StretchFn>(INDEX_DrvStretchBlt);
  auto realize = host.Get<RealizeFn>(INDEX_DrvRealizeBrush);
  if (!fill || !stroke || !paint || !bitBlt || !stretch || !realize) return false;
  const LONG w = s->sizlBitmap.cx, h = s->sizlBitmap.cy;
  bool ok = true;

  // A filled triangle and a closed curve inside a rectangle clip.
  HostClip frame({RECTL{w / 20, h / 20, w - w / 20, h / 2}});
  frame.get()->iUniq = 1;
  HostPath shapes({HostSubpath{{Fix(w / 10, h / 3), Fix(w / 4, h / 10), Fix(w * 2 / 5, h / 3)}, true, false},
                   HostSubpath{{Fix(w / 2, h / 5), Fix(w * 3 / 5, h / 12), Fix(w * 4 / 5, h / 12), Fix(w * 9 / 10, h / 5),
                                Fix(w * 4 / 5, h / 3), Fix(w * 3 / 5, h / 3), Fix(w / 2, h / 5)},
                               true, true}});
  HostBrush red(0x2020E0);
  ok = fill(s, shapes.get(), frame.get(), red.get(), nullptr, 0x0D0D, FP_WINDINGMODE) && ok;
  // The same outline stroked with a dashed pen, round caps.
  FLOAT_LONG dashes[2];
  dashes[0].l = 3;
  dashes[1].l = 2;
  LINEATTRS line{};
  line.elWidth.l = 6;
  line.cstyle = 2;
  line.pstyle = dashes;
  HostBrush navy(0x602000);
  ok = stroke(s, shapes.get(), frame.get(), nullptr, navy.get(), nullptr, &line, 0x0D0D) && ok;
  // A complex clip painted with a hatch, a bitmap pattern in a square.
  HostClip steps({RECTL{w / 10, h * 2 / 5, w / 5, h * 9 / 20}, RECTL{w / 5, h * 9 / 20, w * 3 / 10, h / 2}});
  HostXlate hatchColours({0xFFFFFF, 0x008000});
  HostBitmap hatchBits(8, 8, BMF_1BPP, true, {}, {});
  HostBrush hatch(0);
  ok = realize(hatch.get(), s, hatchBits.get(), nullptr, hatchColours.get(), 5) && ok;
  hatch.get()->iSolidColor = 0xFFFFFFFF;
  ok = paint(s, steps.get(), hatch.get(), nullptr, 0x0D0D) && ok;
  std::vector<uint8_t> indexes(16 * 16);
  for (uint32_t i = 0; i < indexes.size(); ++i) indexes[i] = static_cast<uint8_t>(((i / 16) / 4 + (i % 16) / 4) % 4);
  HostBitmap tile(16, 16, BMF_8BPP, false, {}, indexes);
  HostXlate tileColours({0x00C0FF, 0xFFFFFF, 0xC08000, 0xFFFFFF});
  HostBrush pattern(tile.handle(), s, tileColours.get());
  RECTL square{w * 3 / 5, h * 2 / 5, w * 4 / 5, h / 2};
  ok = bitBlt(s, nullptr, nullptr, nullptr, nullptr, &square, nullptr, nullptr, pattern.get(), nullptr, 0xF0F0) && ok;

  // The photo, stretched into the lower half.
  HostBitmap photo(photoWidth, photoHeight, BMF_24BPP, false, SamplePhoto(photoWidth, photoHeight));
  HostXlate bgr(&HostXlate_SwapRedBlue);
  RECTL target{w / 20, h * 11 / 20, w - w / 20, h * 11 / 20 + (w - w / 10) * LONG(photoHeight) / LONG(photoWidth)};
  if (target.bottom > h - h / 40) target.bottom = h - h / 40;
  RECTL from{0, 0, LONG(photoWidth), LONG(photoHeight)};
  ok = stretch(s, photo.get(), nullptr, nullptr, bgr.get(), nullptr, nullptr, &target, &from, nullptr, 3) && ok;
  return ok;
}
