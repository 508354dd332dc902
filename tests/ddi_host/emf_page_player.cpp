// The pages of a spooled job played through the render core's entry points.
#include "tests/ddi_host/emf_page_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "drender/ddi/ddi_entries.h"
#include "tests/ddi_host/ddi_host.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/ddi_host/ddi_host_text.h"
#include "tests/support/emf_records.h"

using testsupport::EmfRecord;

namespace {

constexpr FLONG kTrueTypeFontObject = 0x4;  // FO_TYPE_TRUETYPE
// Joins and ends of geometric lines.
constexpr ULONG kJoinRound = 0, kJoinMiter = 2, kEndRound = 0, kEndSquare = 1;
constexpr uint64_t kMostPixels = uint64_t(1) << 25;  // a source bitmap the host converts

LONG Round(double v) { return static_cast<LONG>(std::lround(v)); }
FIX Fix(double v) { return static_cast<FIX>(std::lround(v * 16)); }

// Logical to device of the memory DC, as a row-vector matrix.
struct Matrix {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  POINTL Point(double x, double y) const { return POINTL{Round(x * m11 + y * m21 + dx), Round(x * m12 + y * m22 + dy)}; }
  void Apply(double x, double y, double* ox, double* oy) const {
    *ox = x * m11 + y * m21 + dx;
    *oy = x * m12 + y * m22 + dy;
  }
  double Scale() const { return std::sqrt(std::fabs(m11 * m22 - m12 * m21)); }
  bool Straight() const { return std::fabs(m12) < 1e-9 && std::fabs(m21) < 1e-9; }
};

// The rectangles of a region.
std::vector<RECTL> RegionRects(HRGN region) {
  std::vector<RECTL> rects;
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<uint8_t> data(size);
  if (size >= sizeof(RGNDATAHEADER) && GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()))) {
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* r = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
    for (DWORD i = 0; i < header->nCount; ++i) rects.push_back(RECTL{r[i].left, r[i].top, r[i].right, r[i].bottom});
  }
  return rects;
}

// Which records play how.
enum class Kind {
  kState, kShape, kFilledShape, kPathFill, kText, kBlit, kGradient, kRegion, kPixel, kComment, kEscape, kNone
};

Kind KindOf(uint32_t type) {
  using namespace testsupport;
  switch (type) {
    case kEmrPolyBezier: case kEmrPolyline: case kEmrPolyBezierTo: case kEmrPolylineTo: case kEmrPolyPolyline:
    case kEmrAngleArc: case kEmrArc: case kEmrLineTo: case kEmrArcTo: case kEmrPolyDraw: case kEmrPolyBezier16:
    case kEmrPolyline16: case kEmrPolyBezierTo16: case kEmrPolylineTo16: case kEmrPolyPolyline16: case kEmrPolyDraw16:
      return Kind::kShape;
    case kEmrPolygon: case kEmrPolyPolygon: case kEmrEllipse: case kEmrRectangle: case kEmrRoundRect: case kEmrChord:
    case kEmrPie: case kEmrPolygon16: case kEmrPolyPolygon16:
      return Kind::kFilledShape;
    case kEmrFillPath: case kEmrStrokeAndFillPath: case kEmrStrokePath:
      return Kind::kPathFill;
    case kEmrExtTextOutA: case kEmrExtTextOutW: case kEmrPolyTextOutA: case kEmrPolyTextOutW: case kEmrSmallTextOut:
      return Kind::kText;
    case kEmrBitBlt: case kEmrStretchBlt: case kEmrMaskBlt: case kEmrSetDiBitsToDevice: case kEmrStretchDiBits:
    case kEmrAlphaBlend: case kEmrTransparentBlt: case kEmrPlgBlt:
      return Kind::kBlit;
    case kEmrGradientFill: return Kind::kGradient;
    case kEmrFillRgn: case kEmrFrameRgn: case kEmrInvertRgn: case kEmrPaintRgn: return Kind::kRegion;
    case kEmrDrawEscape: case kEmrExtEscape: return Kind::kEscape;
    case kEmrSetPixelV: return Kind::kPixel;
    case kEmrGdiComment: return Kind::kComment;
    case kEmrHeader: case kEmrEof: case kEmrSetWindowExtEx: case kEmrSetWindowOrgEx: case kEmrSetViewportExtEx:
    case kEmrSetViewportOrgEx: case kEmrSetBrushOrgEx: case kEmrSetMapperFlags: case kEmrSetMapMode:
    case kEmrSetBkMode: case kEmrSetPolyFillMode: case kEmrSetRop2: case kEmrSetStretchBltMode:
    case kEmrSetTextAlign: case kEmrSetColorAdjustment: case kEmrSetTextColor: case kEmrSetBkColor:
    case kEmrOffsetClipRgn: case kEmrMoveToEx: case kEmrSetMetaRgn: case kEmrExcludeClipRect:
    case kEmrIntersectClipRect: case kEmrScaleViewportExtEx: case kEmrScaleWindowExtEx: case kEmrSaveDc:
    case kEmrRestoreDc: case kEmrSetWorldTransform: case kEmrModifyWorldTransform: case kEmrSelectObject:
    case kEmrCreatePen: case kEmrCreateBrushIndirect: case kEmrDeleteObject: case kEmrSelectPalette:
    case kEmrCreatePalette: case kEmrSetPaletteEntries: case kEmrResizePalette: case kEmrRealizePalette:
    case kEmrSetArcDirection: case kEmrSetMiterLimit: case kEmrBeginPath: case kEmrEndPath: case kEmrCloseFigure:
    case kEmrFlattenPath: case kEmrWidenPath: case kEmrSelectClipPath: case kEmrAbortPath:
    case kEmrExtSelectClipRgn: case kEmrExtCreateFontIndirectW: case kEmrCreateMonoBrush:
    case kEmrCreateDibPatternBrushPt: case kEmrExtCreatePen: case kEmrSetIcmMode: case kEmrSetLayout:
    case kEmrSetTextJustification:
      return Kind::kState;
    default:
      return Kind::kNone;
  }
}

// Records that change the clip region.
bool ChangesClip(uint32_t type) {
  using namespace testsupport;
  return type == kEmrOffsetClipRgn || type == kEmrSetMetaRgn || type == kEmrExcludeClipRect ||
         type == kEmrIntersectClipRect || type == kEmrRestoreDc || type == kEmrSelectClipPath ||
         type == kEmrExtSelectClipRgn || type == kEmrHeader;
}

// One text of a text record: reference point (logical), options, the
// characters (or glyph indices) and the advances (logical; empty: none).
struct TextRun {
  double x = 0, y = 0;
  uint32_t options = 0;
  RECTL rect{};
  std::u16string text;
  std::vector<double> dx, dy;
};

class Page {
 public:
  Page(DdiHost* host, SURFOBJ* surface, EmfPageReport* report) : host_(host), surface_(surface), report_(report) {
    dc_ = CreateCompatibleDC(nullptr);
    work_ = CreateCompatibleDC(nullptr);
    clipRegion_ = CreateRectRgn(0, 0, 0, 0);
  }
  ~Page() {
    auto destroy = host_->Get<decltype(&DrvDestroyFont)>(INDEX_DrvDestroyFont);
    for (auto& f : fonts_) {
      if (destroy) destroy(f.second.font->get());
    }
    DeleteObject(clipRegion_);
    DeleteDC(work_);
    DeleteDC(dc_);
  }
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  HDC dc() const { return dc_; }
  void Record(HANDLETABLE* table, const ENHMETARECORD* record, int handles);

 private:
  struct Font {
    std::unique_ptr<HostFont> font;
    std::vector<uint8_t> file;
    std::string face;
  };

  void Fail(const std::string& what) { report_->failures.push_back(what); }
  void NotPlayed(uint32_t type) { ++report_->notPlayed[type]; }
  Matrix Device() const;
  // The clip of the DC in device pixels (trivial when none); false when
  // nothing is visible.
  bool Clip(std::vector<RECTL>* rects);
  std::vector<HostSubpath> CurrentPath();
  void DrawPath(const std::vector<HostSubpath>& path, bool fill, bool stroke);
  void Shape(HANDLETABLE* table, const ENHMETARECORD* record, int handles, bool filled);
  void Texts(const EmfRecord& r);
  void Text(const TextRun& run, bool wide);
  void Blit(const EmfRecord& r);
  void Gradient(const EmfRecord& r);
  void Region(const EmfRecord& r, HANDLETABLE* table, int handles);
  void Pixel(const EmfRecord& r);
  bool Convert(const EmfRecord& r, uint32_t type, int32_t xSrc, int32_t ySrc, int32_t cx, int32_t cy,
               std::vector<uint8_t>* rgb, std::vector<uint8_t>* alpha);
  // A picture of `cx` x `cy` RGB pixels drawn at (x, y) w x h (logical), or
  // at `target` (device).
  void SendImage(std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, double x, double y, double w, double h,
                 uint32_t rop3);
  void SendImageAt(std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const RECTL& target, uint32_t rop3);
  // The picture turned onto the parallelogram of `corners` (device: its
  // top-left, top-right and bottom-left corners), on white, as the
  // rectangle around it; and that sent.
  bool Turn(const std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const POINT corners[3], std::vector<uint8_t>* out,
            RECTL* box);
  void SendTurned(const std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const POINT corners[3]);
  // The brush GDI hands the driver for a brush of the DC: a solid colour,
  // or a pattern the driver realises (hatches, bitmaps); null when it
  // paints nothing.
  struct DeviceBrush {
    std::unique_ptr<HostBitmap> bits;
    std::unique_ptr<HostXlate> xlate;
    std::unique_ptr<HostBrush> brush;
    bool transparentBack = false;  // a hatch or two-colour pattern on a transparent background
  };
  std::unique_ptr<DeviceBrush> BrushOf(HGDIOBJ object);
  void KeepPattern(const EmfRecord& r, HANDLETABLE* table, int handles);
  void PatternBlt(const RECTL& rect, uint32_t rop3, HGDIOBJ brush);

  DdiHost* host_;
  SURFOBJ* surface_;
  EmfPageReport* report_;
  HDC dc_, work_;
  bool inPath_ = false;
  bool clipKnown_ = false, clipped_ = false, clipEmpty_ = false;
  HRGN clipRegion_;
  std::vector<RECTL> clip_;
  std::map<std::string, Font> fonts_;
  ULONG nextFont_ = 0x6000;
  // The bitmaps of the pattern brushes the page made.
  struct Pattern {
    int32_t cx = 0, cy = 0;
    bool mono = false;             // one bit a pixel in the text and background colours
    std::vector<uint8_t> pixels;   // RGB, or the bits as indexes
  };
  std::map<HGDIOBJ, Pattern> patterns_;
};

Matrix Page::Device() const {
  // The playback keeps the DC in the text mapping mode with the whole
  // mapping in its world transform; window and viewport are taken in as
  // well, for any DC.
  XFORM w{1, 0, 0, 1, 0, 0};
  GetWorldTransform(dc_, &w);
  POINT wo{}, vo{};
  SIZE we{1, 1}, ve{1, 1};
  GetWindowOrgEx(dc_, &wo);
  GetViewportOrgEx(dc_, &vo);
  GetWindowExtEx(dc_, &we);
  GetViewportExtEx(dc_, &ve);
  const double sx = we.cx ? double(ve.cx) / we.cx : 1, sy = we.cy ? double(ve.cy) / we.cy : 1;
  Matrix m;
  m.m11 = w.eM11 * sx;
  m.m12 = w.eM12 * sy;
  m.m21 = w.eM21 * sx;
  m.m22 = w.eM22 * sy;
  m.dx = (w.eDx - wo.x) * sx + vo.x;
  m.dy = (w.eDy - wo.y) * sy + vo.y;
  return m;
}

bool Page::Clip(std::vector<RECTL>* rects) {
  if (!clipKnown_) {
    clipKnown_ = true;
    clip_.clear();
    const int got = GetClipRgn(dc_, clipRegion_);
    clipped_ = got == 1;
    clipEmpty_ = false;
    if (clipped_) {
      clip_ = RegionRects(clipRegion_);
      clipEmpty_ = clip_.empty();
    }
  }
  *rects = clip_;
  return !clipEmpty_;
}

std::vector<HostSubpath> Page::CurrentPath() {
  // The path in device pixels: with the world transform at identity the
  // DC's logical space is its device space.
  std::vector<HostSubpath> out;
  XFORM saved{};
  GetWorldTransform(dc_, &saved);
  ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
  const int n = GetPath(dc_, nullptr, nullptr, 0);
  std::vector<POINT> points(n > 0 ? size_t(n) : 0);
  std::vector<BYTE> types(points.size());
  if (n > 0 && GetPath(dc_, points.data(), types.data(), n) == n) {
    HostSubpath* open = nullptr;
    for (int i = 0; i < n; ++i) {
      const POINTFIX p{Fix(points[i].x), Fix(points[i].y)};
      const BYTE type = types[i] & ~PT_CLOSEFIGURE;
      if (type == PT_MOVETO || open == nullptr) {
        out.push_back(HostSubpath{{p}, false, false});
        open = &out.back();
      } else {
        const bool bezier = type == PT_BEZIERTO;
        if (open->points.size() > (open->continues ? 0u : 1u) && open->beziers != bezier) {
          // The figure turns from lines to curves or back: a new record.
          open->goesOn = true;
          out.push_back(HostSubpath{{}, false, bezier, true, false});
          open = &out.back();
        }
        open->beziers = bezier;
        open->points.push_back(p);
      }
      if (types[i] & PT_CLOSEFIGURE) {
        for (size_t k = out.size(); k-- > 0;) {
          out[k].closed = true;
          if (!out[k].continues) break;
        }
        open = nullptr;
      }
    }
  }
  SetWorldTransform(dc_, &saved);
  // A figure of one point draws nothing.
  out.erase(std::remove_if(out.begin(), out.end(),
                           [](const HostSubpath& s) { return !s.continues && !s.goesOn && s.points.size() < 2; }),
            out.end());
  return out;
}

void Page::DrawPath(const std::vector<HostSubpath>& subpaths, bool fill, bool stroke) {
  if (subpaths.empty()) return;
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  std::unique_ptr<DeviceBrush> fillBrush = fill ? BrushOf(GetCurrentObject(dc_, OBJ_BRUSH)) : nullptr;
  if (!fillBrush) fill = false;
  // The pen, logical or extended.
  DWORD penStyle = PS_SOLID, penWidth = 0;
  std::vector<DWORD> userStyle;
  COLORREF penColour = 0;
  HGDIOBJ pen = GetCurrentObject(dc_, OBJ_PEN);
  const int penSize = GetObjectW(pen, 0, nullptr);
  if (penSize == int(sizeof(LOGPEN))) {
    LOGPEN lp{};
    GetObjectW(pen, sizeof lp, &lp);
    penStyle = lp.lopnStyle;
    penWidth = DWORD(lp.lopnWidth.x);
    penColour = lp.lopnColor;
  } else if (penSize >= int(sizeof(EXTLOGPEN)) - int(sizeof(DWORD))) {
    std::vector<uint8_t> bytes(size_t(penSize) + sizeof(DWORD));
    GetObjectW(pen, penSize, bytes.data());
    const auto* ep = reinterpret_cast<const EXTLOGPEN*>(bytes.data());
    penStyle = ep->elpPenStyle;
    penWidth = ep->elpWidth;
    penColour = ep->elpColor;
    const size_t room = (bytes.size() - offsetof(EXTLOGPEN, elpStyleEntry)) / sizeof(DWORD);
    userStyle.assign(ep->elpStyleEntry, ep->elpStyleEntry + std::min<size_t>(ep->elpNumEntries, std::min<size_t>(room, 16)));
  }
  if ((penStyle & PS_STYLE_MASK) == PS_NULL) stroke = false;
  if (!fill && !stroke) return;

  HostPath path(subpaths);
  HostClip clip(clipped_ ? rects : std::vector<RECTL>());
  HostBrush penBrush(penColour & 0xFFFFFF);
  const int rop2 = GetROP2(dc_);
  const MIX mix = MIX(rop2 | ((fillBrush && fillBrush->transparentBack ? R2_NOP : rop2) << 8));
  const FLONG mode = GetPolyFillMode(dc_) == WINDING ? FP_WINDINGMODE : FP_ALTERNATEMODE;
  POINTL origin{0, 0};
  // A pen wider than a pixel, or any geometric pen, is drawn with its width
  // in world units and the transform to the device, as GDI hands it on.
  LINEATTRS line{};
  FLOAT_LONG styles[6] = {};
  const Matrix m = Device();
  HostXform* xform = nullptr;
  if (penWidth > 1 || (penStyle & PS_TYPE_MASK) == PS_GEOMETRIC) {
    line.fl = LA_GEOMETRIC;
    line.elWidth.e = static_cast<FLOAT>(penWidth ? penWidth : 1);
    switch (penStyle & PS_JOIN_MASK) {
      case PS_JOIN_BEVEL: line.iJoin = JOIN_BEVEL; break;
      case PS_JOIN_MITER: line.iJoin = kJoinMiter; break;
      default: line.iJoin = kJoinRound; break;
    }
    switch (penStyle & PS_ENDCAP_MASK) {
      case PS_ENDCAP_SQUARE: line.iEndCap = kEndSquare; break;
      case PS_ENDCAP_FLAT: line.iEndCap = ENDCAP_BUTT; break;
      default: line.iEndCap = kEndRound; break;
    }
    FLOAT miter = 10;
    GetMiterLimit(dc_, &miter);
    line.eMiterLimit = miter;
    xform = HostXform_Matrix(XFORML{FLOAT(m.m11), FLOAT(m.m12), FLOAT(m.m21), FLOAT(m.m22), 0, 0});
  } else {
    line.elWidth.l = 1;
  }
  // Dashes: a dash of three widths, a dot and a gap of one; or the
  // application's own, in world units.
  static const int kDash[][6] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
  const DWORD style = penStyle & PS_STYLE_MASK;
  std::vector<FLOAT_LONG> own;
  if (style == PS_USERSTYLE && !userStyle.empty()) {
    for (DWORD d : userStyle) {
      FLOAT_LONG v{};
      if (line.fl & LA_GEOMETRIC) {
        v.e = FLOAT(d);
      } else {
        v.l = LONG(d);
      }
      own.push_back(v);
    }
    line.fl |= LA_STYLED;
    line.cstyle = ULONG(own.size());
    line.pstyle = own.data();
  } else if (style >= PS_DASH && style <= PS_DASHDOTDOT) {
    const int* dash = kDash[style - PS_DASH];
    const double unit = (line.fl & LA_GEOMETRIC) ? line.elWidth.e : 1;
    ULONG n = 0;
    for (; n < 6 && dash[n]; ++n) {
      if (line.fl & LA_GEOMETRIC) {
        styles[n].e = FLOAT(dash[n] * unit);
      } else {
        styles[n].l = dash[n] * 3;
      }
    }
    line.fl |= LA_STYLED;
    line.cstyle = n;
    line.pstyle = styles;
  }
  XFORMOBJ* xo = xform ? HostXform_Get(xform) : nullptr;
  BOOL ok = TRUE;
  ++report_->paths;
  if (fill && stroke) {
    auto call = host_->Get<decltype(&DrvStrokeAndFillPath)>(INDEX_DrvStrokeAndFillPath);
    ok = call && call(surface_, path.get(), clip.get(), xo, penBrush.get(), &line, fillBrush->brush->get(), &origin, mix,
                     mode);
    if (!ok) Fail("DrvStrokeAndFillPath");
  } else if (fill) {
    auto call = host_->Get<decltype(&DrvFillPath)>(INDEX_DrvFillPath);
    ok = call && call(surface_, path.get(), clip.get(), fillBrush->brush->get(), &origin, mix, mode);
    if (!ok) Fail("DrvFillPath");
  } else {
    auto call = host_->Get<decltype(&DrvStrokePath)>(INDEX_DrvStrokePath);
    ok = call && call(surface_, path.get(), clip.get(), xo, penBrush.get(), &origin, &line, mix);
    if (!ok) Fail("DrvStrokePath");
  }
  if (xform) HostXform_Free(xform);
}

void Page::Shape(HANDLETABLE* table, const ENHMETARECORD* record, int handles, bool filled) {
  if (inPath_) {
    // Inside the record's own bracket: the shape joins the path.
    PlayEnhMetaFileRecord(dc_, table, record, UINT(handles));
    return;
  }
  BeginPath(dc_);
  PlayEnhMetaFileRecord(dc_, table, record, UINT(handles));
  EndPath(dc_);
  DrawPath(CurrentPath(), filled, true);
  AbortPath(dc_);
}

// The texts of a text record, each with its reference point, characters and
// advances.
std::vector<TextRun> ReadRuns(const EmfRecord& r, HDC dc, bool* wide) {
  using namespace testsupport;
  std::vector<TextRun> runs;
  auto emrText = [&](size_t at, bool unicode) {
    TextRun t;
    t.x = r.I32(at);
    t.y = r.I32(at + 4);
    const uint32_t n = r.U32(at + 8), offString = r.U32(at + 12), offDx = r.U32(at + 36);
    t.options = r.U32(at + 16);
    t.rect = RECTL{r.I32(at + 20), r.I32(at + 24), r.I32(at + 28), r.I32(at + 32)};
    if (unicode) {
      t.text = r.Text(offString, n);
    } else {
      std::string bytes(reinterpret_cast<const char*>(r.bytes + offString), n);
      CHARSETINFO cs{};
      UINT codePage = CP_ACP;
      if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(uintptr_t(GetTextCharset(dc))), &cs, TCI_SRCCHARSET)) {
        codePage = cs.ciACP;
      }
      if (t.options & ETO_GLYPH_INDEX) {
        for (unsigned char c : bytes) t.text.push_back(char16_t(c));
      } else if (n > 0) {
        std::wstring w(n, L'\0');
        const int got = MultiByteToWideChar(codePage, 0, bytes.data(), int(n), w.data(), int(n));
        for (int i = 0; i < got; ++i) t.text.push_back(char16_t(w[size_t(i)]));
      }
    }
    if (offDx != 0 && t.text.size() == n) {
      const bool pdy = (t.options & ETO_PDY) != 0;
      for (uint32_t i = 0; i < n; ++i) {
        t.dx.push_back(r.I32(offDx + (pdy ? 8 : 4) * i));
        t.dy.push_back(pdy ? r.I32(offDx + 8 * i + 4) : 0);
      }
    }
    runs.push_back(std::move(t));
  };
  *wide = true;
  switch (r.type) {
    case kEmrExtTextOutW: emrText(36, true); break;
    case kEmrExtTextOutA: emrText(36, false); *wide = false; break;
    case kEmrPolyTextOutW:
    case kEmrPolyTextOutA:
      for (uint32_t i = 0; i < r.U32(36); ++i) emrText(40 + 40 * size_t(i), r.type == kEmrPolyTextOutW);
      *wide = r.type == kEmrPolyTextOutW;
      break;
    case kEmrSmallTextOut: {
      TextRun t;
      t.x = r.I32(8);
      t.y = r.I32(12);
      const uint32_t n = r.U32(16);
      t.options = r.U32(20);
      size_t at = 36;
      if (!(t.options & 0x100)) {  // ETO_NO_RECT
        t.rect = RECTL{r.I32(36), r.I32(40), r.I32(44), r.I32(48)};
        at = 52;
      }
      if (t.options & 0x200) {  // ETO_SMALL_CHARS: one byte each
        for (uint32_t i = 0; i < n; ++i) t.text.push_back(char16_t(r.U8(at + i)));
      } else {
        t.text = r.Text(at, n);
      }
      runs.push_back(std::move(t));
      break;
    }
    default: break;
  }
  return runs;
}

void Page::Texts(const EmfRecord& r) {
  bool wide = true;
  for (const TextRun& run : ReadRuns(r, dc_, &wide)) Text(run, wide);
}

void Page::Text(const TextRun& run, bool wide) {
  if (run.text.empty()) return;
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  const Matrix m = Device();
  // The font as GDI realised it on the DC: its metrics (logical units), its
  // file, the glyphs and the advances.
  std::vector<uint8_t> otmBytes(GetOutlineTextMetricsW(dc_, 0, nullptr));
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(otmBytes.data());
  if (otmBytes.empty() || GetOutlineTextMetricsW(dc_, UINT(otmBytes.size()), otm) == 0) {
    Fail("text in a face that is not TrueType");
    return;
  }
  const TEXTMETRICW& tm = otm->otmTextMetrics;
  LOGFONTW lf{};
  GetObjectW(GetCurrentObject(dc_, OBJ_FONT), sizeof lf, &lf);
  const bool glyphIndex = (run.options & ETO_GLYPH_INDEX) != 0;
  std::vector<WORD> indices(run.text.size());
  if (glyphIndex) {
    for (size_t i = 0; i < run.text.size(); ++i) indices[i] = run.text[i];
  } else {
    GetGlyphIndicesW(dc_, reinterpret_cast<const wchar_t*>(run.text.c_str()), int(run.text.size()), indices.data(), 0);
  }
  std::vector<double> dx = run.dx, dy = run.dy;
  if (dx.size() != run.text.size()) {
    std::vector<int> partial(run.text.size());
    SIZE extent{};
    if (glyphIndex) {
      GetTextExtentExPointI(dc_, indices.data(), int(indices.size()), 0, nullptr, partial.data(), &extent);
    } else {
      GetTextExtentExPointW(dc_, reinterpret_cast<const wchar_t*>(run.text.c_str()), int(run.text.size()), 0,
                            nullptr, partial.data(), &extent);
    }
    dx.assign(run.text.size(), 0);
    dy.assign(run.text.size(), 0);
    for (size_t i = 0; i < partial.size(); ++i) dx[i] = partial[i] - (i ? partial[i - 1] : 0);
  }
  const std::string face = [&] {
    std::string s;
    const auto* family = reinterpret_cast<const wchar_t*>(otmBytes.data() + reinterpret_cast<uintptr_t>(otm->otmpFamilyName));
    for (const wchar_t* c = family; *c; ++c) s.push_back(*c < 128 ? char(*c) : '?');
    return s;
  }();
  std::vector<uint8_t> file;
  const DWORD size = GetFontData(dc_, 0, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) {
    Fail("text in a face without a font file: " + face);
    return;
  }

  // Glyph origins along the baseline from the reference point and the
  // alignment, turned by the escapement (logical space, y downwards).
  const UINT align = GetTextAlign(dc_);
  double sx = run.x, sy = run.y;
  if (align & TA_UPDATECP) {
    POINT cp{};
    GetCurrentPositionEx(dc_, &cp);
    sx = cp.x;
    sy = cp.y;
  }
  const double angle = lf.lfEscapement * 3.14159265358979323846 / 1800.0;
  const double ux = std::cos(angle), uy = -std::sin(angle);
  const double downX = std::sin(angle), downY = std::cos(angle);
  double total = 0, totalY = 0;
  for (size_t i = 0; i < dx.size(); ++i) {
    total += dx[i];
    totalY += dy[i];
  }
  switch (align & (TA_CENTER | TA_RIGHT)) {
    case TA_CENTER: sx -= (ux * total - downX * totalY) / 2; sy -= (uy * total + downY * totalY) / 2; break;
    case TA_RIGHT: sx -= ux * total - downX * totalY; sy -= uy * total + downY * totalY; break;
    default: break;
  }
  switch (align & (TA_BASELINE | TA_BOTTOM)) {
    case TA_BASELINE: break;
    case TA_BOTTOM: sx -= downX * tm.tmDescent; sy -= downY * tm.tmDescent; break;
    default: sx += downX * tm.tmAscent; sy += downY * tm.tmAscent; break;
  }
  std::vector<HostGlyphPos> glyphs;
  double along = 0, across = 0;
  for (size_t i = 0; i < run.text.size(); ++i) {
    glyphs.push_back(HostGlyphPos{HGLYPH(indices[i]), m.Point(sx + ux * along + downX * across,
                                                              sy + uy * along + downY * across)});
    along += dx[i];
    across -= dy[i];
  }
  if (align & TA_UPDATECP) MoveToEx(dc_, Round(sx + ux * along), Round(sy + uy * along), nullptr);

  // The font's transform from its design units to the device: the em
  // turned to the baseline's direction on the device.
  const double bx = ux * m.m11 + uy * m.m21, by = ux * m.m12 + uy * m.m22;
  const double phi = std::atan2(-by, bx);
  const double ppem = double(tm.tmHeight - tm.tmInternalLeading) * m.Scale();
  if (!(ppem > 0 && ppem < 1e6)) {
    Fail("text of no size on the device");
    return;
  }
  const double unit = ppem / (otm->otmEMSquare ? otm->otmEMSquare : 2048);
  const XFORML xf{FLOAT(unit * std::cos(phi)), FLOAT(-unit * std::sin(phi)), FLOAT(unit * std::sin(phi)),
                  FLOAT(unit * std::cos(phi)), 0, 0};
  std::string key = face;
  for (long v : {long(tm.tmWeight), long(tm.tmItalic), long(Round(xf.eM11 * 1e6)), long(Round(xf.eM12 * 1e6)),
                 long(Round(xf.eM21 * 1e6)), long(Round(xf.eM22 * 1e6))}) {
    key += "|" + std::to_string(v);
  }
  Font& entry = fonts_[key];
  if (!entry.font) {
    entry.file.resize(size);
    if (GetFontData(dc_, 0, 0, entry.file.data(), size) != size) {
      fonts_.erase(key);
      Fail("a font file GDI could not read: " + face);
      return;
    }
    HostIfi ifi;
    const auto* family = reinterpret_cast<const wchar_t*>(otmBytes.data() + reinterpret_cast<uintptr_t>(otm->otmpFamilyName));
    for (const wchar_t* c = family; *c; ++c) ifi.family.push_back(char16_t(*c));
    ifi.charset = tm.tmCharSet;
    ifi.unitsPerEm = uint16_t(otm->otmEMSquare);
    ifi.fsSelection = uint16_t(otm->otmfsSelection);
    ifi.weight = otm->otmPanoseNumber.bWeight;
    entry.face = face;
    entry.font = std::make_unique<HostFont>(kTrueTypeFontObject, ++nextFont_, ifi, xf, entry.file);
  }
  (void)wide;
  HostString string(run.text, glyphs, tm.tmCharSet == SHIFTJIS_CHARSET ? 932 : 1252,
                    glyphIndex ? SO_GLYPHINDEX_TEXTOUT : 0);
  if (run.options & ETO_CLIPPED) {
    // Clipped to the record's rectangle as well.
    double x0, y0, x1, y1;
    m.Apply(run.rect.left, run.rect.top, &x0, &y0);
    m.Apply(run.rect.right, run.rect.bottom, &x1, &y1);
    const RECTL box{Round(std::min(x0, x1)), Round(std::min(y0, y1)), Round(std::max(x0, x1)), Round(std::max(y0, y1))};
    if (!clipped_) rects = {box};
    std::vector<RECTL> cut;
    for (const RECTL& c : rects) {
      const RECTL i{std::max(c.left, box.left), std::max(c.top, box.top), std::min(c.right, box.right),
                    std::min(c.bottom, box.bottom)};
      if (i.left < i.right && i.top < i.bottom) cut.push_back(i);
    }
    if (cut.empty()) return;
    rects = cut;
  }
  HostClip clip((clipped_ || (run.options & ETO_CLIPPED)) ? rects : std::vector<RECTL>());
  HostBrush colour(GetTextColor(dc_) & 0xFFFFFF);
  HostBrush background(GetBkColor(dc_) & 0xFFFFFF);
  RECTL opaque{};
  RECTL* opaqueRect = nullptr;
  if (run.options & ETO_OPAQUE) {
    double x0, y0, x1, y1;
    m.Apply(run.rect.left, run.rect.top, &x0, &y0);
    m.Apply(run.rect.right, run.rect.bottom, &x1, &y1);
    opaque = RECTL{Round(std::min(x0, x1)), Round(std::min(y0, y1)), Round(std::max(x0, x1)), Round(std::max(y0, y1))};
    if (opaque.left < opaque.right && opaque.top < opaque.bottom) opaqueRect = &opaque;
  }
  POINTL origin{0, 0};
  auto textOut = host_->Get<decltype(&DrvTextOut)>(INDEX_DrvTextOut);
  ++report_->texts;
  report_->fonts.push_back(face);
  if (opaqueRect) ++report_->opaqueTexts;
  if (!textOut || !textOut(surface_, string.get(), entry.font->get(), clip.get(), nullptr, opaqueRect, colour.get(),
                           opaqueRect ? background.get() : nullptr, &origin, 0x0D0D)) {
    Fail("DrvTextOut");
  }
}

// The pixels of a record's bitmap, converted by GDI: the source rectangle
// (`xSrc`, `ySrc`, `cx` x `cy`, top row first) as RGB, and its alpha.
bool Page::Convert(const EmfRecord& r, uint32_t type, int32_t xSrc, int32_t ySrc, int32_t cx, int32_t cy,
                   std::vector<uint8_t>* rgb, std::vector<uint8_t>* alpha) {
  using namespace testsupport;
  uint32_t offBmi = r.U32(84), cbBmi = r.U32(88), offBits = r.U32(92), usage = r.U32(80);
  if (type == kEmrSetDiBitsToDevice || type == kEmrStretchDiBits) {
    offBmi = r.U32(48);
    cbBmi = r.U32(52);
    offBits = r.U32(56);
    usage = r.U32(64);
  } else if (type == kEmrPlgBlt) {
    offBmi = r.U32(96);
    cbBmi = r.U32(100);
    offBits = r.U32(104);
    usage = r.U32(92);
  } else if (type == kEmrCreateDibPatternBrushPt) {
    offBmi = r.U32(16);
    cbBmi = r.U32(20);
    offBits = r.U32(24);
    usage = r.U32(12);
  }
  if (cx <= 0 || cy <= 0 || uint64_t(cx) * uint64_t(cy) > kMostPixels) return false;
  BITMAPINFO out{};
  out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  out.bmiHeader.biWidth = cx;
  out.bmiHeader.biHeight = -cy;
  out.bmiHeader.biPlanes = 1;
  out.bmiHeader.biBitCount = 32;
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(work_, &out, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section) return false;
  // The header is copied: GDI reads it aligned, and never beyond the record.
  std::vector<uint8_t> info(r.bytes + offBmi, r.bytes + offBmi + cbBmi);
  info.resize(std::max<size_t>(info.size(), sizeof(BITMAPINFO) + 256 * sizeof(RGBQUAD)));
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
  HGDIOBJ old = SelectObject(work_, section);
  std::memset(pixels, 0xFF, size_t(cx) * cy * 4);
  int lines = 0;
  if (type == kEmrSetDiBitsToDevice) {
    lines = SetDIBitsToDevice(work_, 0, 0, DWORD(cx), DWORD(cy), xSrc, ySrc, r.U32(68), r.U32(72), r.bytes + offBits,
                              bmi, usage);
  } else if (type == kEmrStretchDiBits) {
    lines = StretchDIBits(work_, 0, 0, cx, cy, xSrc, ySrc, cx, cy, r.bytes + offBits, bmi, usage, SRCCOPY);
  } else {
    // The blits keep the whole source bitmap and a rectangle of it counted
    // from its top row.
    const int32_t height = bmi->bmiHeader.biHeight;
    const int32_t y = height > 0 ? height - ySrc - cy : ySrc;
    lines = StretchDIBits(work_, 0, 0, cx, cy, xSrc, y, cx, cy, r.bytes + offBits, bmi, usage, SRCCOPY);
  }
  GdiFlush();
  const bool keepsAlpha = bmi->bmiHeader.biBitCount == 32 && bmi->bmiHeader.biCompression == BI_RGB;
  rgb->resize(size_t(cx) * cy * 3);
  alpha->assign(size_t(cx) * cy, 255);
  const auto* from = static_cast<const uint8_t*>(pixels);
  for (size_t i = 0; i < size_t(cx) * cy; ++i) {
    (*rgb)[3 * i] = from[4 * i + 2];
    (*rgb)[3 * i + 1] = from[4 * i + 1];
    (*rgb)[3 * i + 2] = from[4 * i];
    if (keepsAlpha) (*alpha)[i] = from[4 * i + 3];
  }
  SelectObject(work_, old);
  DeleteObject(section);
  return lines > 0;
}

std::unique_ptr<Page::DeviceBrush> Page::BrushOf(HGDIOBJ object) {
  LOGBRUSH lb{BS_SOLID, 0, 0};
  if (!object || !GetObjectW(object, sizeof lb, &lb)) lb = LOGBRUSH{BS_SOLID, 0, 0};
  auto out = std::make_unique<DeviceBrush>();
  const ULONG back = GetBkColor(dc_) & 0xFFFFFF;
  switch (lb.lbStyle) {
    case BS_NULL:
      return nullptr;
    case BS_HATCHED:
      if (lb.lbHatch <= HS_DIAGCROSS) {
        // The hatch's lines are 0 (its colour), the rest 1 (the background).
        std::vector<uint8_t> indexes(64, 1);
        for (int y = 0; y < 8; ++y) {
          for (int x = 0; x < 8; ++x) {
            const bool across = y == 7, down = x == 7, fall = x == y, rise = x + y == 7;
            bool line = false;
            switch (lb.lbHatch) {
              case HS_HORIZONTAL: line = across; break;
              case HS_VERTICAL: line = down; break;
              case HS_FDIAGONAL: line = fall; break;
              case HS_BDIAGONAL: line = rise; break;
              case HS_CROSS: line = across || down; break;
              default: line = fall || rise; break;
            }
            if (line) indexes[size_t(y) * 8 + size_t(x)] = 0;
          }
        }
        out->bits = std::make_unique<HostBitmap>(8, 8, BMF_1BPP, true, std::vector<uint8_t>(), indexes);
        out->xlate = std::make_unique<HostXlate>(std::vector<ULONG>{lb.lbColor & 0xFFFFFF, back});
        out->brush = std::make_unique<HostBrush>(out->bits->handle(), surface_, out->xlate->get(), ULONG(lb.lbHatch));
        out->transparentBack = GetBkMode(dc_) == TRANSPARENT;
        return out;
      }
      break;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT: {
      const auto found = patterns_.find(object);
      if (found == patterns_.end()) break;
      const Pattern& p = found->second;
      if (p.mono) {
        out->bits = std::make_unique<HostBitmap>(uint32_t(p.cx), uint32_t(p.cy), BMF_1BPP, true, std::vector<uint8_t>(),
                                                 p.pixels);
        out->xlate = std::make_unique<HostXlate>(std::vector<ULONG>{GetTextColor(dc_) & 0xFFFFFF, back});
        out->transparentBack = GetBkMode(dc_) == TRANSPARENT;
      } else {
        out->bits = std::make_unique<HostBitmap>(uint32_t(p.cx), uint32_t(p.cy), BMF_24BPP, true, p.pixels);
        out->xlate = std::make_unique<HostXlate>(HostXlate_SwapRedBlue);
      }
      out->brush = std::make_unique<HostBrush>(out->bits->handle(), surface_, out->xlate->get());
      return out;
    }
    default:
      break;
  }
  out->brush = std::make_unique<HostBrush>(lb.lbColor & 0xFFFFFF);
  return out;
}

void Page::KeepPattern(const EmfRecord& r, HANDLETABLE* table, int handles) {
  using namespace testsupport;
  const uint32_t index = r.U32(8);
  if (int64_t(index) >= handles || table->objectHandle[index] == nullptr) return;
  const uint32_t offBmi = r.U32(16), offBits = r.U32(24);
  const int32_t width = r.I32(offBmi + 4), height = r.I32(offBmi + 8);
  const int32_t rows = height < 0 ? -height : height;
  if (uint64_t(width) * uint64_t(rows) > kMostPixels) return;
  Pattern p;
  p.cx = width;
  p.cy = rows;
  if (r.type == kEmrCreateMonoBrush) {
    // One bit a pixel, counted from the bottom row unless the height is negative.
    if (r.U16(offBmi + 14) != 1) return;
    p.mono = true;
    const size_t stride = ((size_t(width) + 31) / 32) * 4;
    for (int32_t y = 0; y < rows; ++y) {
      const size_t row = height < 0 ? size_t(y) : size_t(rows - 1 - y);
      for (int32_t x = 0; x < width; ++x) p.pixels.push_back((r.U8(offBits + row * stride + size_t(x) / 8) >> (7 - x % 8)) & 1);
    }
  } else {
    std::vector<uint8_t> alpha;
    if (!Convert(r, r.type, 0, 0, width, rows, &p.pixels, &alpha)) return;
  }
  patterns_[table->objectHandle[index]] = std::move(p);
}

void Page::PatternBlt(const RECTL& rect, uint32_t rop3, HGDIOBJ brushObject) {
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  const std::unique_ptr<DeviceBrush> brush = BrushOf(brushObject);
  if (!brush) return;
  RECTL target = rect;
  auto blt = host_->Get<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt);
  HostClip clip(clipped_ ? rects : std::vector<RECTL>());
  POINTL origin{0, 0};
  ++report_->patterns;
  const ROP4 rop4 = ROP4(rop3 | ((brush->transparentBack ? 0xAA : rop3) << 8));
  if (!blt || !blt(surface_, nullptr, nullptr, clip.get(), nullptr, &target, nullptr, nullptr, brush->brush->get(),
                   &origin, rop4)) {
    Fail("DrvBitBlt");
  }
}

bool Page::Turn(const std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const POINT corners[3],
                std::vector<uint8_t>* out, RECTL* box) {
  LONG left = corners[0].x, top = corners[0].y, right = left, bottom = top;
  // The fourth corner completes the parallelogram.
  const POINT fourth{corners[1].x + corners[2].x - corners[0].x, corners[1].y + corners[2].y - corners[0].y};
  for (const POINT& p : {corners[1], corners[2], fourth}) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  const int64_t w = int64_t(right) - left + 1, h = int64_t(bottom) - top + 1;
  if (w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) > kMostPixels) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  void* sourceBits = nullptr;
  HBITMAP source = CreateDIBSection(work_, &info, DIB_RGB_COLORS, &sourceBits, nullptr, 0);
  info.bmiHeader.biWidth = LONG(w);
  info.bmiHeader.biHeight = -LONG(h);
  void* targetBits = nullptr;
  HBITMAP target = CreateDIBSection(work_, &info, DIB_RGB_COLORS, &targetBits, nullptr, 0);
  HDC from = CreateCompatibleDC(nullptr);
  bool ok = source && target && from;
  if (ok) {
    auto* s = static_cast<uint8_t*>(sourceBits);
    for (size_t i = 0; i < size_t(cx) * cy; ++i) {
      s[4 * i] = rgb[3 * i + 2];
      s[4 * i + 1] = rgb[3 * i + 1];
      s[4 * i + 2] = rgb[3 * i];
    }
    std::memset(targetBits, 0xFF, size_t(w) * size_t(h) * 4);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(work_, target);
    POINT at[3];
    for (int i = 0; i < 3; ++i) at[i] = POINT{corners[i].x - left, corners[i].y - top};
    ok = PlgBlt(work_, at, from, 0, 0, cx, cy, nullptr, 0, 0) != 0;
    GdiFlush();
    out->resize(size_t(w) * size_t(h) * 3);
    const auto* t = static_cast<const uint8_t*>(targetBits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
      (*out)[3 * i] = t[4 * i + 2];
      (*out)[3 * i + 1] = t[4 * i + 1];
      (*out)[3 * i + 2] = t[4 * i];
    }
    SelectObject(work_, oldTo);
    SelectObject(from, oldFrom);
    *box = RECTL{left, top, LONG(left + w), LONG(top + h)};
  }
  if (from) DeleteDC(from);
  if (source) DeleteObject(source);
  if (target) DeleteObject(target);
  return ok;
}

void Page::SendTurned(const std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const POINT corners[3]) {
  std::vector<uint8_t> turned;
  RECTL box{};
  if (!Turn(rgb, cx, cy, corners, &turned, &box)) {
    Fail("a picture GDI could not turn");
    return;
  }
  SendImageAt(turned, box.right - box.left, box.bottom - box.top, box, 0xCC);
}

void Page::SendImage(std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, double x, double y, double w, double h,
                     uint32_t rop3) {
  const Matrix m = Device();
  if (!m.Straight()) {
    // A turned transform: the picture turned as GDI turns it, on what the
    // printer's surface reads back (white), within the rectangle around it.
    const POINTL a = m.Point(x, y), b = m.Point(x + w, y), c = m.Point(x, y + h);
    const POINT corners[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
    SendTurned(rgb, cx, cy, corners);
    return;
  }
  const POINTL a = m.Point(x, y), b = m.Point(x + w, y + h);
  SendImageAt(rgb, cx, cy, RECTL{a.x, a.y, b.x, b.y}, rop3);
}

void Page::SendImageAt(std::vector<uint8_t>& rgb, int32_t cx, int32_t cy, const RECTL& to, uint32_t rop3) {
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  RECTL target = to;
  if (target.left == target.right || target.top == target.bottom) return;
  HostBitmap bitmap(uint32_t(cx), uint32_t(cy), BMF_24BPP, true, rgb);
  HostXlate xlate(HostXlate_SwapRedBlue);
  HostClip clip(clipped_ ? rects : std::vector<RECTL>());
  RECTL source{0, 0, cx, cy};
  std::unique_ptr<DeviceBrush> brush = BrushOf(GetCurrentObject(dc_, OBJ_BRUSH));
  HostBrush none(0);
  BRUSHOBJ* pattern = brush ? brush->brush->get() : none.get();
  POINTL origin{0, 0};
  const bool sameSize = target.right - target.left == cx && target.bottom - target.top == cy;
  ++report_->images;
  if (sameSize) {
    auto blt = host_->Get<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt);
    POINTL from{0, 0};
    if (!blt || !blt(surface_, bitmap.get(), nullptr, clip.get(), xlate.get(), &target, &from, nullptr, pattern,
                     &origin, ROP4(rop3 | (rop3 << 8)))) {
      Fail("DrvBitBlt");
    }
    return;
  }
  const ULONG mode = GetStretchBltMode(dc_) == HALFTONE ? HALFTONE : COLORONCOLOR;
  if (rop3 == 0xCC) {
    auto stretch = host_->Get<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt);
    if (!stretch || !stretch(surface_, bitmap.get(), nullptr, clip.get(), xlate.get(), nullptr, nullptr, &target,
                             &source, nullptr, mode)) {
      Fail("DrvStretchBlt");
    }
    return;
  }
  auto stretchRop = host_->Get<decltype(&DrvStretchBltROP)>(INDEX_DrvStretchBltROP);
  if (!stretchRop || !stretchRop(surface_, bitmap.get(), nullptr, clip.get(), xlate.get(), nullptr, nullptr, &target,
                                 &source, nullptr, mode, pattern, rop3 | (rop3 << 8))) {
    Fail("DrvStretchBltROP");
  }
}

void Page::Blit(const EmfRecord& r) {
  using namespace testsupport;
  const Matrix m = Device();
  if (r.type == kEmrStretchDiBits || r.type == kEmrSetDiBitsToDevice) {
    const int32_t cx = r.I32(40), cy = r.I32(44);
    const bool stretch = r.type == kEmrStretchDiBits;
    const uint32_t rop3 = stretch ? (r.U32(68) >> 16) & 0xFF : 0xCC;
    std::vector<uint8_t> rgb, alpha;
    if (!Convert(r, r.type, r.I32(32), r.I32(36), cx, cy, &rgb, &alpha)) {
      Fail("a bitmap GDI could not convert");
      return;
    }
    SendImage(rgb, cx, cy, r.I32(24), r.I32(28), stretch ? r.I32(72) : cx, stretch ? r.I32(76) : cy, rop3);
    return;
  }
  if (r.type == kEmrPlgBlt) {
    // The parallelogram's corners (logical) on the device; the mask is
    // not kept.
    const int32_t cx = r.I32(56), cy = r.I32(60);
    std::vector<uint8_t> rgb, alpha;
    if (!Convert(r, r.type, r.I32(48), r.I32(52), cx, cy, &rgb, &alpha)) {
      Fail("a bitmap GDI could not convert");
      return;
    }
    POINT corners[3];
    for (int i = 0; i < 3; ++i) {
      const POINTL p = m.Point(r.I32(24 + 8 * i), r.I32(28 + 8 * i));
      corners[i] = POINT{p.x, p.y};
    }
    SendTurned(rgb, cx, cy, corners);
    return;
  }
  const int32_t xDest = r.I32(24), yDest = r.I32(28), cxDest = r.I32(32), cyDest = r.I32(36);
  const uint32_t rop = r.U32(40);
  const uint32_t rop3 = (rop >> 16) & 0xFF;
  const bool sourceless = r.U32(88) == 0;
  if (sourceless) {
    // PatBlt and its kin: a fill with the DC's brush.
    if (r.type != kEmrBitBlt && r.type != kEmrStretchBlt && r.type != kEmrMaskBlt) {
      Fail("a blit without its bitmap");
      return;
    }
    double x0, y0, x1, y1;
    m.Apply(xDest, yDest, &x0, &y0);
    m.Apply(double(xDest) + cxDest, double(yDest) + cyDest, &x1, &y1);
    PatternBlt(RECTL{Round(std::min(x0, x1)), Round(std::min(y0, y1)), Round(std::max(x0, x1)), Round(std::max(y0, y1))},
               rop3, GetCurrentObject(dc_, OBJ_BRUSH));
    return;
  }
  int32_t cxSrc = cxDest, cySrc = cyDest;
  if (r.type == kEmrStretchBlt || r.type == kEmrAlphaBlend || r.type == kEmrTransparentBlt) {
    cxSrc = r.I32(100);
    cySrc = r.I32(104);
  }
  std::vector<uint8_t> rgb, alpha;
  if (!Convert(r, r.type, r.I32(44), r.I32(48), cxSrc, cySrc, &rgb, &alpha)) {
    Fail("a bitmap GDI could not convert");
    return;
  }
  const size_t n = size_t(cxSrc) * cySrc;
  uint32_t useRop = rop3;
  if (r.type == kEmrAlphaBlend) {
    // Blended with what the printer's surface reads back: white.
    const uint32_t constant = r.U8(42), perPixel = r.U8(43) & AC_SRC_ALPHA;
    for (size_t i = 0; i < n; ++i) {
      const uint32_t a = perPixel ? alpha[i] * constant / 255 : constant;
      for (int c = 0; c < 3; ++c) {
        uint8_t& v = rgb[3 * i + c];
        const uint32_t source = perPixel ? v * constant / 255 : v * a / 255;
        v = uint8_t(std::min<uint32_t>(255, source + 255 * (255 - a) / 255));
      }
    }
    useRop = 0xCC;
  } else if (r.type == kEmrTransparentBlt) {
    // The transparent colour shows what is read back: white.
    const uint32_t key = r.U32(40) & 0xFFFFFF;
    for (size_t i = 0; i < n; ++i) {
      const uint32_t c = rgb[3 * i] | (rgb[3 * i + 1] << 8) | (rgb[3 * i + 2] << 16);
      if (c == key) rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = 255;
    }
    useRop = 0xCC;
  } else if (r.type == kEmrMaskBlt && r.U32(116) != 0) {
    // The mask picks the source where it is set (the foreground operation)
    // and what is read back, white, elsewhere.  Its rows are one bit a
    // pixel, counted from the bottom unless the height is negative.
    const uint32_t offBmi = r.U32(112), offBits = r.U32(120);
    const int32_t width = r.I32(offBmi + 4), height = r.I32(offBmi + 8);
    if (r.U16(offBmi + 14) != 1 || r.U32(offBmi + 16) != BI_RGB) {
      Fail("a mask of more than one bit a pixel");
      return;
    }
    const int64_t rows = height < 0 ? -int64_t(height) : height;
    const size_t stride = ((size_t(width) + 31) / 32) * 4;
    const int32_t xMask = r.I32(100), yMask = r.I32(104);
    for (int32_t y = 0; y < cySrc; ++y) {
      for (int32_t x = 0; x < cxSrc; ++x) {
        const int64_t mx = int64_t(xMask) + x, my = int64_t(yMask) + y;
        bool set = false;
        if (mx >= 0 && mx < width && my >= 0 && my < rows) {
          const int64_t row = height < 0 ? my : rows - 1 - my;
          set = (r.U8(offBits + size_t(row) * stride + size_t(mx / 8)) >> (7 - mx % 8)) & 1;
        }
        if (!set) {
          uint8_t* p = &rgb[(size_t(y) * cxSrc + x) * 3];
          p[0] = p[1] = p[2] = 255;
        }
      }
    }
  }
  SendImage(rgb, cxSrc, cySrc, xDest, yDest, cxDest, cyDest, useRop);
}

void Page::Gradient(const EmfRecord& r) {
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  const uint32_t count = r.U32(24), meshes = r.U32(28), mode = r.U32(32);
  const Matrix m = Device();
  std::vector<TRIVERTEX> vertices(count);
  RECTL bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 36 + 16 * size_t(i);
    const POINTL p = m.Point(r.I32(at), r.I32(at + 4));
    vertices[i] = TRIVERTEX{p.x, p.y, COLOR16(r.U16(at + 8)), COLOR16(r.U16(at + 10)), COLOR16(r.U16(at + 12)),
                            COLOR16(r.U16(at + 14))};
    bounds = RECTL{std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max(bounds.right, p.x),
                   std::max(bounds.bottom, p.y)};
  }
  const size_t unit = mode == GRADIENT_FILL_TRIANGLE ? 12 : 8;
  std::vector<uint8_t> mesh(r.bytes + 36 + 16 * size_t(count), r.bytes + 36 + 16 * size_t(count) + unit * meshes);
  // What is drawn lies on the surface and within the clip: the driver fills
  // no more than that.
  RECTL limit{0, 0, surface_->sizlBitmap.cx, surface_->sizlBitmap.cy};
  if (clipped_) {
    RECTL c = rects.front();
    for (const RECTL& x : rects) {
      c = RECTL{std::min(c.left, x.left), std::min(c.top, x.top), std::max(c.right, x.right), std::max(c.bottom, x.bottom)};
    }
    limit = RECTL{std::max(limit.left, c.left), std::max(limit.top, c.top), std::min(limit.right, c.right),
                  std::min(limit.bottom, c.bottom)};
  }
  bounds = RECTL{std::max(bounds.left, limit.left), std::max(bounds.top, limit.top), std::min(bounds.right, limit.right),
                 std::min(bounds.bottom, limit.bottom)};
  if (count == 0 || meshes == 0 || bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
  if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
    // Rectangles are given by two corners in either order.
    auto* rect = reinterpret_cast<GRADIENT_RECT*>(mesh.data());
    for (uint32_t i = 0; i < meshes; ++i) {
      TRIVERTEX& a = vertices[rect[i].UpperLeft];
      TRIVERTEX& b = vertices[rect[i].LowerRight];
      if (a.x > b.x || a.y > b.y) std::swap(rect[i].UpperLeft, rect[i].LowerRight);
    }
  }
  auto fill = host_->Get<decltype(&DrvGradientFill)>(INDEX_DrvGradientFill);
  HostClip clip(clipped_ ? rects : std::vector<RECTL>());
  HostXlate xlate;
  POINTL dither{0, 0};
  ++report_->gradients;
  if (!fill || !fill(surface_, clip.get(), xlate.get(), vertices.data(), count, mesh.data(), meshes, &bounds, &dither,
                     mode)) {
    Fail("DrvGradientFill");
  }
}

void Page::Region(const EmfRecord& r, HANDLETABLE* table, int handles) {
  using namespace testsupport;
  std::vector<RECTL> rects;
  if (!Clip(&rects)) return;
  const uint32_t at = r.type == kEmrFillRgn ? 32 : r.type == kEmrFrameRgn ? 40 : 28, cb = r.U32(24);
  const Matrix m = Device();
  if (!m.Straight()) {
    Fail("a region under a turned transform");
    return;
  }
  const XFORM xf{FLOAT(m.m11), 0, 0, FLOAT(m.m22), FLOAT(m.dx), FLOAT(m.dy)};
  std::vector<uint8_t> data(r.bytes + at, r.bytes + at + cb);
  HRGN region = ExtCreateRegion(&xf, cb, reinterpret_cast<const RGNDATA*>(data.data()));
  if (!region) {
    Fail("a region GDI could not make");
    return;
  }
  if (r.type == kEmrFrameRgn) {
    // The frame: what of the region lies within the stroke's width and
    // height of its edge (the region less the region moved each way).
    const int w = std::max(1, int(std::lround(std::fabs(r.I32(32) * m.m11))));
    const int h = std::max(1, int(std::lround(std::fabs(r.I32(36) * m.m22))));
    HRGN inner = CreateRectRgn(0, 0, 0, 0), moved = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(inner, region, nullptr, RGN_COPY);
    const int shifts[4][2] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
    for (const auto& shift : shifts) {
      CombineRgn(moved, region, nullptr, RGN_COPY);
      OffsetRgn(moved, shift[0], shift[1]);
      CombineRgn(inner, inner, moved, RGN_AND);
    }
    CombineRgn(region, region, inner, RGN_DIFF);
    DeleteObject(inner);
    DeleteObject(moved);
  }
  if (clipped_) CombineRgn(region, region, clipRegion_, RGN_AND);
  const std::vector<RECTL> parts = RegionRects(region);
  DeleteObject(region);
  if (parts.empty()) return;
  HGDIOBJ brushObject = GetCurrentObject(dc_, OBJ_BRUSH);
  if (r.type == kEmrFillRgn || r.type == kEmrFrameRgn) {
    const uint32_t index = r.U32(28);
    brushObject = (index & 0x80000000u) ? GetStockObject(int(index & 0x7FFFFFFF))
                                       : (int64_t(index) < handles ? table->objectHandle[index] : nullptr);
  }
  std::unique_ptr<DeviceBrush> brush = r.type == kEmrInvertRgn ? std::make_unique<DeviceBrush>() : BrushOf(brushObject);
  if (!brush) return;
  if (!brush->brush) brush->brush = std::make_unique<HostBrush>(0);
  const int rop2 = r.type == kEmrInvertRgn ? R2_NOT : GetROP2(dc_);
  const MIX mix = MIX(rop2 | ((brush->transparentBack ? R2_NOP : rop2) << 8));
  HostClip clip(parts);
  POINTL origin{0, 0};
  auto paint = host_->Get<decltype(&DrvPaint)>(INDEX_DrvPaint);
  ++report_->paints;
  if (!paint || !paint(surface_, clip.get(), brush->brush->get(), &origin, mix)) Fail("DrvPaint");
}

void Page::Pixel(const EmfRecord& r) {
  const POINTL p = Device().Point(r.I32(8), r.I32(12));
  HBRUSH colour = CreateSolidBrush(r.U32(16) & 0xFFFFFF);
  PatternBlt(RECTL{p.x, p.y, p.x + 1, p.y + 1}, 0xF0, colour);
  DeleteObject(colour);
}

void Page::Record(HANDLETABLE* table, const ENHMETARECORD* record, int handles) {
  using namespace testsupport;
  const EmfRecord r{record->iType, record->nSize, reinterpret_cast<const uint8_t*>(record)};
  ++report_->records;
  const Kind kind = KindOf(r.type);
  switch (kind) {
    case Kind::kNone:
      NotPlayed(r.type);
      return;
    case Kind::kState:
      PlayEnhMetaFileRecord(dc_, table, record, UINT(handles));
      if (r.type == kEmrCreateDibPatternBrushPt || r.type == kEmrCreateMonoBrush) KeepPattern(r, table, handles);
      if (r.type == kEmrBeginPath) inPath_ = true;
      if (r.type == kEmrEndPath || r.type == kEmrAbortPath) inPath_ = false;
      if (ChangesClip(r.type)) clipKnown_ = false;
      break;
    case Kind::kShape:
    case Kind::kFilledShape:
      Shape(table, record, handles, kind == Kind::kFilledShape);
      break;
    case Kind::kPathFill: {
      if (inPath_) {
        // A path still open: GDI fails the call and draws nothing.
        NotPlayed(r.type);
        return;
      }
      const bool fill = r.type != kEmrStrokePath, stroke = r.type != kEmrFillPath;
      DrawPath(CurrentPath(), fill, stroke);
      AbortPath(dc_);
      break;
    }
    case Kind::kText:
      if (inPath_) {
        PlayEnhMetaFileRecord(dc_, table, record, UINT(handles));
      } else {
        Texts(r);
      }
      break;
    case Kind::kBlit:
      Blit(r);
      break;
    case Kind::kGradient:
      Gradient(r);
      break;
    case Kind::kRegion:
      Region(r, table, handles);
      break;
    case Kind::kPixel:
      Pixel(r);
      break;
    case Kind::kComment:
      // Comments carry nothing for the device.
      break;
    case Kind::kEscape: {
      // An escape the application sent between its drawing, sent on; what
      // the driver answers is the application's business.
      const uint32_t size = r.U32(12);
      ++report_->escapes;
      host_->Escape(surface_, r.U32(8), size, size ? r.bytes + 16 : nullptr, 0, nullptr);
      break;
    }
  }
  ++report_->played;
}

int CALLBACK OnRecord(HDC, HANDLETABLE* table, const ENHMETARECORD* record, int handles, LPARAM data) {
  reinterpret_cast<Page*>(data)->Record(table, record, handles);
  return 1;
}

}  // namespace

RECTL EmfPage_Place(const int32_t frame[4], uint32_t areaWidth, uint32_t areaHeight, uint32_t dpiX, uint32_t dpiY) {
  // Sizes in millimetres; the frame is inclusive.
  const double frameW = (double(frame[2]) - frame[0]) / 100.0, frameH = (double(frame[3]) - frame[1]) / 100.0;
  if (frameW <= 0 || frameH <= 0 || dpiX == 0 || dpiY == 0) return RECTL{0, 0, LONG(areaWidth), LONG(areaHeight)};
  const double areaW = areaWidth * 25.4 / dpiX, areaH = areaHeight * 25.4 / dpiY;
  const double k = std::min(areaW / frameW, areaH / frameH);
  return RECTL{0, 0, Round(frameW * k * dpiX / 25.4), Round(frameH * k * dpiY / 25.4)};
}

EmfPageReport EmfPage_Play(DdiHost* host, SURFOBJ* surface, const std::vector<uint8_t>& bytes, const RECTL& target) {
  EmfPageReport report;
  report.damage = testsupport::EmfFileDamage(bytes);
  if (!report.damage.empty()) {
    report.refused = true;
    return report;
  }
  HENHMETAFILE emf = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
  if (!emf) {
    report.refused = true;
    report.damage = "GDI does not take it as a metafile";
    return report;
  }
  {
    Page page(host, surface, &report);
    const RECT rect{target.left, target.top, target.right, target.bottom};
    EnumEnhMetaFile(page.dc(), emf, OnRecord, &page, &rect);
  }
  DeleteEnhMetaFile(emf);
  return report;
}

EmfPageReport EmfPage_PlayOnPage(DdiHost* host, SURFOBJ* surface, const std::vector<uint8_t>& bytes) {
  const GDIINFO& info = host->gdiInfo();
  int32_t frame[4] = {};
  for (int i = 0; i < 4 && bytes.size() >= 40; ++i) std::memcpy(&frame[i], bytes.data() + 24 + 4 * i, 4);
  const RECTL target = EmfPage_Place(frame, info.ulHorzRes, info.ulVertRes, info.ulLogPixelsX, info.ulLogPixelsY);
  return EmfPage_Play(host, surface, bytes, target);
}

std::string EmfPage_KindName(uint32_t type) {
  static const char* const kNames[] = {
      nullptr, "HEADER", "POLYBEZIER", "POLYGON", "POLYLINE", "POLYBEZIERTO", "POLYLINETO", "POLYPOLYLINE",
      "POLYPOLYGON", "SETWINDOWEXTEX", "SETWINDOWORGEX", "SETVIEWPORTEXTEX", "SETVIEWPORTORGEX", "SETBRUSHORGEX",
      "EOF", "SETPIXELV", "SETMAPPERFLAGS", "SETMAPMODE", "SETBKMODE", "SETPOLYFILLMODE", "SETROP2",
      "SETSTRETCHBLTMODE", "SETTEXTALIGN", "SETCOLORADJUSTMENT", "SETTEXTCOLOR", "SETBKCOLOR", "OFFSETCLIPRGN",
      "MOVETOEX", "SETMETARGN", "EXCLUDECLIPRECT", "INTERSECTCLIPRECT", "SCALEVIEWPORTEXTEX", "SCALEWINDOWEXTEX",
      "SAVEDC", "RESTOREDC", "SETWORLDTRANSFORM", "MODIFYWORLDTRANSFORM", "SELECTOBJECT", "CREATEPEN",
      "CREATEBRUSHINDIRECT", "DELETEOBJECT", "ANGLEARC", "ELLIPSE", "RECTANGLE", "ROUNDRECT", "ARC", "CHORD", "PIE",
      "SELECTPALETTE", "CREATEPALETTE", "SETPALETTEENTRIES", "RESIZEPALETTE", "REALIZEPALETTE", "EXTFLOODFILL",
      "LINETO", "ARCTO", "POLYDRAW", "SETARCDIRECTION", "SETMITERLIMIT", "BEGINPATH", "ENDPATH", "CLOSEFIGURE",
      "FILLPATH", "STROKEANDFILLPATH", "STROKEPATH", "FLATTENPATH", "WIDENPATH", "SELECTCLIPPATH", "ABORTPATH",
      nullptr, "GDICOMMENT", "FILLRGN", "FRAMERGN", "INVERTRGN", "PAINTRGN", "EXTSELECTCLIPRGN", "BITBLT",
      "STRETCHBLT", "MASKBLT", "PLGBLT", "SETDIBITSTODEVICE", "STRETCHDIBITS", "EXTCREATEFONTINDIRECTW",
      "EXTTEXTOUTA", "EXTTEXTOUTW", "POLYBEZIER16", "POLYGON16", "POLYLINE16", "POLYBEZIERTO16", "POLYLINETO16",
      "POLYPOLYLINE16", "POLYPOLYGON16", "POLYDRAW16", "CREATEMONOBRUSH", "CREATEDIBPATTERNBRUSHPT", "EXTCREATEPEN",
      "POLYTEXTOUTA", "POLYTEXTOUTW", "SETICMMODE", "CREATECOLORSPACE", "SETCOLORSPACE", "DELETECOLORSPACE",
      "GLSRECORD", "GLSBOUNDEDRECORD", "PIXELFORMAT", "DRAWESCAPE", "EXTESCAPE", nullptr, "SMALLTEXTOUT",
      "FORCEUFIMAPPING", "NAMEDESCAPE", "COLORCORRECTPALETTE", "SETICMPROFILEA", "SETICMPROFILEW", "ALPHABLEND",
      "SETLAYOUT", "TRANSPARENTBLT", nullptr, "GRADIENTFILL", "SETLINKEDUFIS", "SETTEXTJUSTIFICATION",
      "COLORMATCHTOTARGETW", "CREATECOLORSPACEW"};
  if (type < sizeof kNames / sizeof kNames[0] && kNames[type]) return std::string("EMR_") + kNames[type];
  return "record type " + std::to_string(type);
}

// Every kind the player plays, for the report of what it covers.
int EmfPage_PlayedKinds(std::vector<uint32_t>* kinds) {
  int n = 0;
  for (uint32_t t = 1; t <= testsupport::kEmrLastType; ++t) {
    if (KindOf(t) != Kind::kNone) {
      ++n;
      if (kinds) kinds->push_back(t);
    }
  }
  return n;
}
