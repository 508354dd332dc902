// The application's DC of a job: recording and replay through the render
// core's entry points.
#include "tests/ddi_host/app_dc_replay.h"

#include <cmath>
#include <cstring>
#include <map>

#include "drender/ddi/ddi_entries.h"
#include "tests/ddi_host/ddi_host_draw.h"
#include "tests/ddi_host/ddi_host_text.h"
#include "tests/support/emf_records.h"

using testsupport::EmfFont;
using testsupport::EmfPen;
using testsupport::EmfRecord;

namespace {

// The mark of an escape kept in a recording (a comment record).
constexpr char kEscapeMark[8] = {'D', 'D', 'I', 'H', 'E', 'S', 'C', '\0'};
constexpr uint32_t kStock = 0x80000000u;
constexpr FLONG kTrueTypeFontObject = 0x4;  // FO_TYPE_TRUETYPE

// A transform as GDI's world transform: p' = p x M (row vector).
struct Matrix {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
  void Apply(double x, double y, double* ox, double* oy) const {
    *ox = x * m11 + y * m21 + dx;
    *oy = x * m12 + y * m22 + dy;
  }
};
// `a` first, then `b`.
Matrix Then(const Matrix& a, const Matrix& b) {
  Matrix r;
  r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
  r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
  r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
  r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
  r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
  r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
  return r;
}
Matrix ReadMatrix(const EmfRecord& r, size_t at) {
  return Matrix{r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

struct Brush {
  uint32_t style = 0;  // BS_SOLID 0, BS_NULL 1
  uint32_t color = 0xFFFFFF;
};

// What GDI keeps per DC and SaveDC saves.
struct DcState {
  Matrix world;
  int mapMode = MM_TEXT;
  double wox = 0, woy = 0, wex = 1, wey = 1, vox = 0, voy = 0, vex = 1, vey = 1;
  bool hasFont = false;
  EmfFont font;
  EmfPen pen{PS_SOLID, 0, 0};
  Brush brush;
  uint32_t textColor = 0, textAlign = 0;
  double curX = 0, curY = 0;  // logical
  bool clipped = false;
  RECTL clip{};  // device
};

struct Object {
  enum Kind { kFont, kPen, kBrush } kind;
  EmfFont font;
  EmfPen pen;
  Brush brush;
};

LONG Round(double v) { return static_cast<LONG>(std::lround(v)); }

// Drawing records, and records that change where drawing lands, that the
// replay does not play: reported, so that no drawing is lost unseen.
bool NotPlayed(uint32_t type) {
  static const uint32_t kTypes[] = {
      2,  5,  6,  7,  8,  15, 26, 29, 31, 32, 41, 42, 44, 45, 46, 47, 53, 55, 56, 62, 63, 64, 67,
      71, 72, 73, 74, 77, 78, 79, 80, 83, 85, 88, 89, 90, 91, 92, 96, 97, 108, 114, 116, 118};
  for (uint32_t t : kTypes) {
    if (t == type) return true;
  }
  return false;
}

}  // namespace

// Font objects handed to DrvTextOut during one recording's play, and the
// unique numbers of the fonts seen so far (the same font keeps its number
// across recordings, as GDI's realisation does).
struct HostAppDcFonts {
  struct Entry {
    std::unique_ptr<HostFont> font;
    std::vector<uint8_t> file;
  };
  std::map<std::string, Entry> live;
  std::map<std::string, ULONG> numbers;
};

namespace {

class Player {
 public:
  Player(DdiHost* host, SURFOBJ* surface, HostAppDc::Played* played, std::map<std::string, ULONG>* numbers,
         std::map<std::string, HostAppDcFonts::Entry>* fonts)
      : host_(host), surface_(surface), played_(played), numbers_(numbers), fonts_(fonts) {
    memory_ = CreateCompatibleDC(nullptr);
  }
  ~Player() {
    if (memory_) DeleteDC(memory_);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void Play(const EmfRecord& r);

 private:
  void Fail(const std::string& what) { played_->failures.push_back(what); }
  void Device(double x, double y, double* ox, double* oy) const;
  Matrix Linear() const;  // the linear part of logical to device
  double Scale() const;   // the transform's size change
  HostClip Clip() const { return s_.clipped ? HostClip({s_.clip}) : HostClip(); }
  RECTL DeviceRect(double l, double t, double r, double b) const;
  void Text(const EmfRecord& r);
  void Stroke(const std::vector<POINTFIX>& points, bool closed);
  void Fill(const std::vector<POINTFIX>& points);
  void Shape(const std::vector<std::pair<double, double>>& logical, bool closed, bool fill);
  void PatternFill(const EmfRecord& r);
  void Picture(const EmfRecord& r);
  void SendEscape(const EmfRecord& r);

  DdiHost* host_;
  SURFOBJ* surface_;
  HostAppDc::Played* played_;
  std::map<std::string, ULONG>* numbers_;
  std::map<std::string, HostAppDcFonts::Entry>* fonts_;
  HDC memory_ = nullptr;
  DcState s_;
  std::vector<DcState> saved_;
  std::map<uint32_t, Object> objects_;
  double dpiX_ = 96, dpiY_ = 96;
};

void Player::Device(double x, double y, double* ox, double* oy) const {
  double wx, wy;
  s_.world.Apply(x, y, &wx, &wy);
  switch (s_.mapMode) {
    case MM_TEXT:
      *ox = wx - s_.wox + s_.vox;
      *oy = wy - s_.woy + s_.voy;
      return;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      *ox = (wx - s_.wox) * (s_.wex != 0 ? s_.vex / s_.wex : 1) + s_.vox;
      *oy = (wy - s_.woy) * (s_.wey != 0 ? s_.vey / s_.wey : 1) + s_.voy;
      return;
    default: {
      // The metric and English modes: units per inch, y upwards.
      double perInch = 254;
      if (s_.mapMode == MM_HIMETRIC) perInch = 2540;
      if (s_.mapMode == MM_LOENGLISH) perInch = 100;
      if (s_.mapMode == MM_HIENGLISH) perInch = 1000;
      if (s_.mapMode == MM_TWIPS) perInch = 1440;
      *ox = (wx - s_.wox) * dpiX_ / perInch + s_.vox;
      *oy = -(wy - s_.woy) * dpiY_ / perInch + s_.voy;
      return;
    }
  }
}

Matrix Player::Linear() const {
  double ox, oy, ax, ay, bx, by;
  Device(0, 0, &ox, &oy);
  Device(1, 0, &ax, &ay);
  Device(0, 1, &bx, &by);
  return Matrix{ax - ox, ay - oy, bx - ox, by - oy, 0, 0};
}

double Player::Scale() const {
  const Matrix m = Linear();
  return std::sqrt(std::fabs(m.m11 * m.m22 - m.m12 * m.m21));
}

RECTL Player::DeviceRect(double l, double t, double r, double b) const {
  double x0, y0, x1, y1;
  Device(l, t, &x0, &y0);
  Device(r, b, &x1, &y1);
  return RECTL{Round(std::min(x0, x1)), Round(std::min(y0, y1)), Round(std::max(x0, x1)), Round(std::max(y0, y1))};
}

void Player::Play(const EmfRecord& r) {
  using namespace testsupport;
  switch (r.type) {
    case kEmrHeader: {
      // The reference device's resolution, for the metric mapping modes.
      const int32_t px = r.I32(72), py = r.I32(76), mmx = r.I32(80), mmy = r.I32(84);
      if (px > 0 && mmx > 0) dpiX_ = px * 25.4 / mmx;
      if (py > 0 && mmy > 0) dpiY_ = py * 25.4 / mmy;
      break;
    }
    case kEmrSaveDc:
      saved_.push_back(s_);
      break;
    case kEmrRestoreDc: {
      const int32_t n = r.I32(8);
      const int64_t level = n < 0 ? int64_t(saved_.size()) + n : int64_t(n) - 1;
      if (level < 0 || level >= int64_t(saved_.size())) {
        Fail("RestoreDC to a level never saved");
        break;
      }
      s_ = saved_[size_t(level)];
      saved_.resize(size_t(level));
      break;
    }
    case kEmrSetMapMode:
      s_.mapMode = r.I32(8);
      break;
    case kEmrSetWindowOrgEx:
      s_.wox = r.I32(8);
      s_.woy = r.I32(12);
      break;
    case kEmrSetWindowExtEx:
      s_.wex = r.I32(8);
      s_.wey = r.I32(12);
      break;
    case kEmrSetViewportOrgEx:
      s_.vox = r.I32(8);
      s_.voy = r.I32(12);
      break;
    case kEmrSetViewportExtEx:
      s_.vex = r.I32(8);
      s_.vey = r.I32(12);
      break;
    case kEmrSetWorldTransform:
      s_.world = ReadMatrix(r, 8);
      break;
    case kEmrModifyWorldTransform: {
      const Matrix m = ReadMatrix(r, 8);
      switch (r.U32(32)) {
        case MWT_IDENTITY:
          s_.world = Matrix{};
          break;
        case MWT_LEFTMULTIPLY:
          s_.world = Then(m, s_.world);
          break;
        case MWT_RIGHTMULTIPLY:
          s_.world = Then(s_.world, m);
          break;
        default:  // MWT_SET
          s_.world = m;
          break;
      }
      break;
    }
    case kEmrExtCreateFontIndirectW: {
      uint32_t index = 0;
      Object o{Object::kFont, ReadEmfFont(r, &index), {}, {}};
      objects_[index] = o;
      break;
    }
    case kEmrCreatePen:
    case kEmrExtCreatePen: {
      uint32_t index = 0;
      Object o{Object::kPen, {}, ReadEmfPen(r, &index), {}};
      objects_[index] = o;
      break;
    }
    case kEmrCreateBrushIndirect: {
      Object o{Object::kBrush, {}, {}, Brush{r.U32(12), r.U32(16)}};
      objects_[r.U32(8)] = o;
      break;
    }
    case kEmrDeleteObject:
      objects_.erase(r.U32(8));
      break;
    case kEmrSelectObject: {
      const uint32_t h = r.U32(8);
      if (h & kStock) {
        switch (h & ~kStock) {
          case WHITE_BRUSH: s_.brush = Brush{BS_SOLID, 0xFFFFFF}; break;
          case LTGRAY_BRUSH: s_.brush = Brush{BS_SOLID, 0xC0C0C0}; break;
          case GRAY_BRUSH: s_.brush = Brush{BS_SOLID, 0x808080}; break;
          case DKGRAY_BRUSH: s_.brush = Brush{BS_SOLID, 0x404040}; break;
          case BLACK_BRUSH: s_.brush = Brush{BS_SOLID, 0}; break;
          case NULL_BRUSH: s_.brush = Brush{BS_NULL, 0}; break;
          case WHITE_PEN: s_.pen = EmfPen{PS_SOLID, 0, 0xFFFFFF}; break;
          case BLACK_PEN: s_.pen = EmfPen{PS_SOLID, 0, 0}; break;
          case NULL_PEN: s_.pen = EmfPen{PS_NULL, 0, 0}; break;
          default: s_.hasFont = false; break;  // a stock font: no TrueType file
        }
        break;
      }
      auto found = objects_.find(h);
      if (found == objects_.end()) {
        Fail("an object selected that was never made");
        break;
      }
      const Object& o = found->second;
      if (o.kind == Object::kFont) {
        s_.hasFont = true;
        s_.font = o.font;
      } else if (o.kind == Object::kPen) {
        s_.pen = o.pen;
      } else {
        s_.brush = o.brush;
      }
      break;
    }
    case kEmrSetTextColor:
      s_.textColor = r.U32(8) & 0xFFFFFF;
      break;
    case kEmrSetTextAlign:
      s_.textAlign = r.U32(8);
      break;
    case kEmrIntersectClipRect: {
      const RECTL c = DeviceRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
      if (!s_.clipped) {
        s_.clip = c;
      } else {
        s_.clip = RECTL{std::max(s_.clip.left, c.left), std::max(s_.clip.top, c.top),
                        std::min(s_.clip.right, c.right), std::min(s_.clip.bottom, c.bottom)};
      }
      s_.clipped = true;
      break;
    }
    case kEmrExtSelectClipRgn: {
      // No region with RGN_COPY: no clip; otherwise the region's bounds
      // (device units).
      const uint32_t size = r.U32(8), mode = r.U32(12);
      if (mode == RGN_COPY && size == 0) {
        s_.clipped = false;
      } else if (size >= 32) {
        s_.clip = RECTL{r.I32(32), r.I32(36), r.I32(40), r.I32(44)};
        s_.clipped = true;
      }
      break;
    }
    case kEmrMoveToEx:
      s_.curX = r.I32(8);
      s_.curY = r.I32(12);
      break;
    case kEmrLineTo: {
      const double x = r.I32(8), y = r.I32(12);
      Shape({{s_.curX, s_.curY}, {x, y}}, false, false);
      s_.curX = x;
      s_.curY = y;
      break;
    }
    case kEmrPolyline:
    case kEmrPolygon:
    case kEmrPolyline16:
    case kEmrPolygon16: {
      const bool small = r.type == kEmrPolyline16 || r.type == kEmrPolygon16;
      const uint32_t count = r.U32(24);
      if (!r.Has(28, size_t(count) * (small ? 4 : 8))) {
        Fail("a polyline record shorter than its points");
        break;
      }
      std::vector<std::pair<double, double>> points;
      for (uint32_t i = 0; i < count; ++i) {
        points.emplace_back(small ? r.I16(28 + 4 * i) : r.I32(28 + 8 * i),
                            small ? r.I16(30 + 4 * i) : r.I32(32 + 8 * i));
      }
      const bool polygon = r.type == kEmrPolygon || r.type == kEmrPolygon16;
      Shape(points, polygon, polygon);
      break;
    }
    case kEmrRectangle: {
      const double l = r.I32(8), t = r.I32(12), rr = r.I32(16), b = r.I32(20);
      Shape({{l, t}, {rr, t}, {rr, b}, {l, b}}, true, true);
      break;
    }
    case kEmrExtTextOutW:
      Text(r);
      break;
    case kEmrBitBlt:
      PatternFill(r);
      break;
    case kEmrStretchDiBits:
      Picture(r);
      break;
    case kEmrGdiComment:
      SendEscape(r);
      break;
    default:
      if (NotPlayed(r.type)) Fail("a record of type " + std::to_string(r.type) + " (not played)");
      break;
  }
}

void Player::SendEscape(const EmfRecord& r) {
  const uint32_t size = r.U32(8);
  if (size < sizeof kEscapeMark + 8 || !r.Has(12, size) || std::memcmp(r.bytes + 12, kEscapeMark, 8) != 0) return;
  const uint32_t code = r.U32(20), inSize = r.U32(24);
  if (inSize > size - 16) {
    Fail("a recorded escape longer than its record");
    return;
  }
  std::vector<uint8_t> in(r.bytes + 28, r.bytes + 28 + inSize);
  ++played_->escapes;
  if (host_->Escape(surface_, code, inSize, in.empty() ? nullptr : in.data(), 0, nullptr) != 1) {
    char text[64];
    wsprintfA(text, "escape 0x%x failed", code);
    Fail(text);
  }
}

void Player::Shape(const std::vector<std::pair<double, double>>& logical, bool closed, bool fill) {
  std::vector<POINTFIX> points;
  for (const auto& p : logical) {
    double x, y;
    Device(p.first, p.second, &x, &y);
    points.push_back(POINTFIX{Round(x * 16), Round(y * 16)});
  }
  if (points.size() < 2) return;
  if (fill && s_.brush.style != BS_NULL) Fill(points);
  if ((s_.pen.style & PS_STYLE_MASK) != PS_NULL) Stroke(points, closed);
}

void Player::Fill(const std::vector<POINTFIX>& points) {
  auto fill = host_->Get<decltype(&DrvFillPath)>(INDEX_DrvFillPath);
  HostPath path({HostSubpath{points, true, false}});
  HostClip clip = Clip();
  HostBrush brush(s_.brush.color);
  POINTL origin{0, 0};
  ++played_->fills;
  if (!fill || !fill(surface_, path.get(), clip.get(), brush.get(), &origin, 0x0D0D, FP_ALTERNATEMODE)) {
    Fail("DrvFillPath");
  }
}

void Player::Stroke(const std::vector<POINTFIX>& points, bool closed) {
  auto stroke = host_->Get<decltype(&DrvStrokePath)>(INDEX_DrvStrokePath);
  HostPath path({HostSubpath{points, closed, false}});
  HostClip clip = Clip();
  HostBrush brush(s_.pen.color & 0xFFFFFF);
  // A pen wider than a pixel is geometric: its width in world units and
  // the transform to the device, as GDI hands it on.
  LINEATTRS line{};
  HostXform* xform = nullptr;
  if (s_.pen.width > 1) {
    line.fl = LA_GEOMETRIC;
    line.elWidth.e = static_cast<FLOAT>(s_.pen.width);
    xform = HostXform_Scale(static_cast<float>(Scale()));
  } else {
    line.elWidth.l = 1;
  }
  POINTL origin{0, 0};
  ++played_->strokes;
  if (!stroke || !stroke(surface_, path.get(), clip.get(), xform ? HostXform_Get(xform) : nullptr, brush.get(), &origin,
                         &line, 0x0D0D)) {
    Fail("DrvStrokePath");
  }
  if (xform) HostXform_Free(xform);
}

void Player::PatternFill(const EmfRecord& r) {
  // A fill with the DC's brush (PatBlt, FillRect); a blit from a source
  // bitmap is not played.
  if (r.U32(88) != 0) {
    Fail("a bitmap blit (not played)");
    return;
  }
  if (s_.brush.style == BS_NULL) return;
  const double x = r.I32(24), y = r.I32(28), cx = r.I32(32), cy = r.I32(36);
  RECTL rect = DeviceRect(x, y, x + cx, y + cy);
  const uint32_t rop3 = (r.U32(40) >> 16) & 0xFF;
  auto blt = host_->Get<decltype(&DrvBitBlt)>(INDEX_DrvBitBlt);
  HostClip clip = Clip();
  HostBrush brush(s_.brush.color);
  POINTL origin{0, 0};
  ++played_->blts;
  if (!blt || !blt(surface_, nullptr, nullptr, clip.get(), nullptr, &rect, nullptr, nullptr, brush.get(), &origin,
                   rop3 | (rop3 << 8))) {
    Fail("DrvBitBlt");
  }
}

void Player::Picture(const EmfRecord& r) {
  const uint32_t offBmi = r.U32(48), cbBmi = r.U32(52), offBits = r.U32(56), cbBits = r.U32(60);
  const int32_t cx = r.I32(40), cy = r.I32(44);
  if (cbBmi < sizeof(BITMAPINFOHEADER) || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits) || cx <= 0 || cy <= 0 ||
      cx > 20000 || cy > 20000) {
    Fail("a picture record that cannot be read");
    return;
  }
  // The picture as 24-bit rows, top row first, converted by GDI.
  BITMAPINFO rgb{};
  rgb.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  rgb.bmiHeader.biWidth = cx;
  rgb.bmiHeader.biHeight = -cy;
  rgb.bmiHeader.biPlanes = 1;
  rgb.bmiHeader.biBitCount = 24;
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(memory_, &rgb, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section) {
    Fail("a picture GDI could not convert");
    return;
  }
  std::vector<uint8_t> info(r.bytes + offBmi, r.bytes + offBmi + cbBmi);
  HGDIOBJ old = SelectObject(memory_, section);
  const int rows = StretchDIBits(memory_, 0, 0, cx, cy, r.I32(32), r.I32(36), cx, cy, r.bytes + offBits,
                                 reinterpret_cast<BITMAPINFO*>(info.data()), r.U32(64), SRCCOPY);
  GdiFlush();
  std::vector<uint8_t> pixelsRgb(size_t(cx) * cy * 3);
  const size_t stride = (size_t(cx) * 3 + 3) & ~size_t(3);
  for (int32_t y = 0; y < cy; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(pixels) + y * stride;
    for (int32_t x = 0; x < cx; ++x) {
      uint8_t* to = &pixelsRgb[(size_t(y) * cx + x) * 3];
      to[0] = row[3 * x + 2];
      to[1] = row[3 * x + 1];
      to[2] = row[3 * x];
    }
  }
  SelectObject(memory_, old);
  DeleteObject(section);
  if (rows <= 0) {
    Fail("a picture GDI could not convert");
    return;
  }
  HostBitmap bitmap(uint32_t(cx), uint32_t(cy), BMF_24BPP, true, pixelsRgb);
  HostXlate xlate(HostXlate_SwapRedBlue);
  const double x = r.I32(24), y = r.I32(28);
  RECTL target = DeviceRect(x, y, x + r.I32(72), y + r.I32(76));
  RECTL source{0, 0, cx, cy};
  HostClip clip = Clip();
  auto stretch = host_->Get<decltype(&DrvStretchBlt)>(INDEX_DrvStretchBlt);
  ++played_->images;
  if (!stretch || !stretch(surface_, bitmap.get(), nullptr, clip.get(), xlate.get(), nullptr, nullptr, &target,
                           &source, nullptr, COLORONCOLOR)) {
    Fail("DrvStretchBlt");
  }
}

void Player::Text(const EmfRecord& r) {
  const testsupport::EmfTextRun run = testsupport::ReadEmfTextRun(r);
  if (!run.valid) {
    Fail("a text record that cannot be read");
    return;
  }
  if (run.text.empty()) return;
  if (!s_.hasFont) {
    Fail("text in a stock font (not played)");
    return;
  }
  // The font as GDI realises it at the logical height: its metrics, glyph
  // indices and TrueType file.
  LOGFONTW lf{};
  lf.lfHeight = s_.font.height;
  lf.lfWidth = s_.font.width;
  lf.lfWeight = s_.font.weight;
  lf.lfItalic = s_.font.italic;
  lf.lfCharSet = s_.font.charset;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  std::memcpy(lf.lfFaceName, s_.font.face.c_str(), std::min<size_t>(s_.font.face.size(), 31) * 2);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(memory_, font);
  std::vector<uint8_t> otmBytes(GetOutlineTextMetricsW(memory_, 0, nullptr));
  auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(otmBytes.data());
  const bool trueType = !otmBytes.empty() && GetOutlineTextMetricsW(memory_, UINT(otmBytes.size()), otm) != 0;
  const bool glyphIndex = (run.options & ETO_GLYPH_INDEX) != 0;
  std::vector<WORD> indices(run.text.size());
  std::vector<int32_t> dx = run.dx;
  std::vector<uint8_t> file;
  if (trueType) {
    const DWORD size = GetFontData(memory_, 0, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0) {
      file.resize(size);
      if (GetFontData(memory_, 0, 0, file.data(), size) != size) file.clear();
    }
    if (glyphIndex) {
      for (size_t i = 0; i < run.text.size(); ++i) indices[i] = run.text[i];
    } else {
      GetGlyphIndicesW(memory_, reinterpret_cast<const wchar_t*>(run.text.c_str()), int(run.text.size()),
                       indices.data(), 0);
    }
    if (dx.size() != run.text.size()) {
      std::vector<int> partial(run.text.size());
      SIZE extent{};
      GetTextExtentExPointW(memory_, reinterpret_cast<const wchar_t*>(run.text.c_str()), int(run.text.size()), 0,
                            nullptr, partial.data(), &extent);
      dx.assign(run.text.size(), 0);
      for (size_t i = 0; i < partial.size(); ++i) dx[i] = partial[i] - (i ? partial[i - 1] : 0);
    }
  }
  SelectObject(memory_, old);
  DeleteObject(font);
  if (!trueType || file.empty()) {
    Fail("text in a face that is not TrueType (not played)");
    return;
  }
  const TEXTMETRICW& tm = otm->otmTextMetrics;

  // Glyph origins along the baseline from the reference point and the
  // alignment, turned by the escapement (logical space, y downwards).
  const double angle = s_.font.escapement * 3.14159265358979323846 / 1800.0;
  const double ux = std::cos(angle), uy = -std::sin(angle);
  const double downX = std::sin(angle), downY = std::cos(angle);
  double total = 0;
  for (int32_t d : dx) total += d;
  double sx = run.x, sy = run.y;
  switch (s_.textAlign & (TA_CENTER | TA_RIGHT)) {
    case TA_CENTER: sx -= ux * total / 2; sy -= uy * total / 2; break;
    case TA_RIGHT: sx -= ux * total; sy -= uy * total; break;
    default: break;
  }
  switch (s_.textAlign & (TA_BASELINE | TA_BOTTOM)) {
    case TA_BASELINE: break;
    case TA_BOTTOM: sx -= downX * tm.tmDescent; sy -= downY * tm.tmDescent; break;
    default: sx += downX * tm.tmAscent; sy += downY * tm.tmAscent; break;
  }
  std::vector<HostGlyphPos> glyphs;
  double along = 0;
  for (size_t i = 0; i < run.text.size(); ++i) {
    double x, y;
    Device(sx + ux * along, sy + uy * along, &x, &y);
    glyphs.push_back(HostGlyphPos{HGLYPH(indices[i]), POINTL{Round(x), Round(y)}});
    along += dx[i];
  }

  // The font's transform from its design units to the device: the em
  // height turned to the baseline's direction on the device.
  const Matrix m = Linear();
  const double bx = ux * m.m11 + uy * m.m21, by = ux * m.m12 + uy * m.m22;
  const double phi = std::atan2(-by, bx);
  const double ppem = double(tm.tmHeight - tm.tmInternalLeading) * Scale();
  const double unit = ppem / (otm->otmEMSquare ? otm->otmEMSquare : 2048);
  const XFORML xf{FLOAT(unit * std::cos(phi)), FLOAT(-unit * std::sin(phi)), FLOAT(unit * std::sin(phi)),
                  FLOAT(unit * std::cos(phi)), 0, 0};
  const auto* family = reinterpret_cast<const wchar_t*>(otmBytes.data() + reinterpret_cast<uintptr_t>(otm->otmpFamilyName));
  std::string key;
  for (const wchar_t* c = family; *c; ++c) key += std::to_string(unsigned(*c)) + ",";
  for (long v : {long(lf.lfWeight), long(lf.lfItalic), long(Round(xf.eM11 * 1e6)), long(Round(xf.eM12 * 1e6)),
                 long(Round(xf.eM21 * 1e6)), long(Round(xf.eM22 * 1e6))}) {
    key += "|" + std::to_string(v);
  }
  auto& entry = (*fonts_)[key];
  if (!entry.font) {
    ULONG& number = (*numbers_)[key];
    if (number == 0) number = ULONG(0x4000 + numbers_->size());
    HostIfi ifi;
    ifi.family = reinterpret_cast<const char16_t*>(family);
    ifi.charset = tm.tmCharSet;
    ifi.unitsPerEm = uint16_t(otm->otmEMSquare);
    ifi.fsSelection = uint16_t(otm->otmfsSelection);
    ifi.weight = otm->otmPanoseNumber.bWeight;
    entry.file = file;
    entry.font = std::make_unique<HostFont>(kTrueTypeFontObject, number, ifi, xf, entry.file);
  }
  HostString string(run.text, glyphs, tm.tmCharSet == SHIFTJIS_CHARSET ? 932 : 1252,
                    glyphIndex ? SO_GLYPHINDEX_TEXTOUT : 0);
  HostClip clip = Clip();
  HostBrush colour(s_.textColor);
  POINTL origin{0, 0};
  auto textOut = host_->Get<decltype(&DrvTextOut)>(INDEX_DrvTextOut);
  ++played_->texts;
  if (!textOut || !textOut(surface_, string.get(), entry.font->get(), clip.get(), nullptr, nullptr, colour.get(),
                           nullptr, &origin, 0x0D0D)) {
    Fail("DrvTextOut");
  }
}

}  // namespace

HostAppDc::HostAppDc(DdiHost* host, HDC reference)
    : host_(host), reference_(reference), fonts_(new HostAppDcFonts) {}

HostAppDc::~HostAppDc() {
  if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

HDC HostAppDc::Begin(SURFOBJ* surface) {
  if (dc_) {
    // A recording never played: its drawing is lost, which the test sees.
    DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    played_.failures.push_back("a recording begun while the last one was never played");
  }
  surface_ = surface;
  HDC screen = reference_ ? nullptr : GetDC(nullptr);
  dc_ = CreateEnhMetaFileW(reference_ ? reference_ : screen, nullptr, nullptr, nullptr);
  if (screen) ReleaseDC(nullptr, screen);
  return dc_;
}

ULONG HostAppDc::Escape(ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out) {
  if (dc_ == nullptr || outSize != 0) return host_->Escape(surface_, code, inSize, in, outSize, out);
  std::vector<uint8_t> comment(sizeof kEscapeMark + 8 + inSize);
  std::memcpy(comment.data(), kEscapeMark, sizeof kEscapeMark);
  std::memcpy(comment.data() + 8, &code, 4);
  std::memcpy(comment.data() + 12, &inSize, 4);
  if (inSize > 0 && in != nullptr) std::memcpy(comment.data() + 16, in, inSize);
  return GdiComment(dc_, UINT(comment.size()), comment.data()) ? 1 : 0;
}

bool HostAppDc::End() {
  if (dc_ == nullptr) return false;
  HENHMETAFILE emf = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  const size_t failuresBefore = played_.failures.size();
  {
    Player player(host_, surface_, &played_, &fonts_->numbers, &fonts_->live);
    if (!testsupport::WalkEmf(bytes, [&](const EmfRecord& r) { player.Play(r); })) {
      played_.failures.push_back("a recording that is no whole metafile");
    }
  }
  // The font objects end with the recording, as GDI frees them.
  auto destroy = host_->Get<decltype(&DrvDestroyFont)>(INDEX_DrvDestroyFont);
  for (auto& f : fonts_->live) {
    if (destroy) destroy(f.second.font->get());
  }
  fonts_->live.clear();
  played_.recordings.push_back(std::move(bytes));
  return played_.failures.size() == failuresBefore;
}
