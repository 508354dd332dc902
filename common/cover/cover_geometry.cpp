#include "common/cover/cover_geometry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/qxd/paper_tables.h"

int32_t CoverMulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  const bool negative = (p < 0) != (c < 0);
  const int64_t ap = p < 0 ? -p : p;
  const int64_t ac = c < 0 ? -static_cast<int64_t>(c) : c;
  const int64_t q = (ap + ac / 2) / ac;
  if (q > INT32_MAX) return -1;
  return static_cast<int32_t>(negative ? -q : q);
}

uint32_t CoverAngle(uint32_t angle) { return angle == 0 ? 0 : angle == 90 ? 90 : 270; }

void TurnCoverEdges(const int32_t in[4], uint32_t angle, int32_t out[4]) {
  const int32_t l = in[0], t = in[1], r = in[2], b = in[3];
  switch (CoverAngle(angle)) {
    case 0: out[0] = l, out[1] = t, out[2] = r, out[3] = b; break;
    case 90: out[0] = b, out[1] = l, out[2] = t, out[3] = r; break;
    default: out[0] = t, out[1] = r, out[2] = b, out[3] = l; break;
  }
}

CoverRect TurnCoverRect(const CoverRect& r, int32_t width, int32_t height, uint32_t angle) {
  if (CoverAngle(angle) == 0) return r;
  const int32_t edges[4] = {r.left, r.top, width - r.right, height - r.bottom};
  int32_t t[4];
  TurnCoverEdges(edges, angle, t);
  // The turned page is `height` wide and `width` high.
  return CoverRect{t[0], t[1], height - t[2], width - t[3]};
}

bool LookUpCoverModelPaper(void* ctx, uint32_t paperId, int32_t size[2], int32_t margins[4]) {
  const PaperSizeEntry* paper = FindPaperById(static_cast<const ModelInfo*>(ctx), paperId);
  if (paper == nullptr) return false;
  size[0] = static_cast<int32_t>(paper->width);
  size[1] = static_cast<int32_t>(paper->length);
  for (int i = 0; i < 4; ++i) margins[i] = static_cast<int32_t>(paper->margins[i]);
  return true;
}

uint32_t CoverPaperId(int16_t coverSize, int16_t outPaper, int16_t paperSize) {
  switch (coverSize) {
    case 1: return 9;     // A4
    case 2: return 11;    // A5
    case 3: return 12;    // B4
    case 4: return 13;    // B5
    case 5: return 1;     // Letter
    case 6: return 17;    // 11x17
    case 7: return 281;   // 8K
    case 8: return 279;   // 16K
    default: break;
  }
  // The output paper; one that follows the document's own size gives that.
  if (outPaper == 356 || outPaper == 357) return static_cast<uint16_t>(paperSize);
  return static_cast<uint16_t>(outPaper);
}

bool IsCustomPaperId(uint32_t paperId) {
  return (paperId & 0x1000) != 0 || (paperId >= 512 && paperId <= 522) || paperId == 256;
}

uint32_t GetCoverPaperInfo(const CoverPaperInput& in, CoverPaperLookup lookup, void* ctx, CoverPaperInfo* out) {
  std::memset(out, 0, sizeof *out);
  const uint32_t paperId = CoverPaperId(in.sCoverSize, in.nOutPaperSize, in.nPaperSize);
  uint32_t angle = 0;
  const bool fixed = in.sCoverSize >= 1 && in.sCoverSize <= 8;
  if (!fixed && in.nOrientation == 2) angle = in.byLandscapeRotate ? 270 : 90;

  int32_t size[2] = {in.outWidth, in.outHeight};
  int32_t margins[4] = {in.defaultMargins[0], in.defaultMargins[1], in.defaultMargins[2], in.defaultMargins[3]};
  if (!IsCustomPaperId(paperId) && lookup) {
    int32_t s[2], m[4];
    if (lookup(ctx, paperId, s, m)) {
      std::copy_n(s, 2, size);
      std::copy_n(m, 4, margins);
    }
  }
  int32_t turned[4];
  TurnCoverEdges(margins, angle, turned);
  if (angle != 0) std::swap(size[0], size[1]);
  out->nAngle = angle;
  out->nWidth = size[0];
  out->nHeight = size[1];
  out->nLeft = turned[0];
  out->nTop = turned[1];
  out->nRight = turned[2];
  out->nBottom = turned[3];
  return paperId;
}

CoverPoint ImagePosToPoint(const CoverRect& r, int32_t posX, int32_t posY) {
  const auto axis = [](int32_t lo, int32_t hi, int32_t pos) {
    const int32_t v = lo + CoverMulDiv(pos - 1, hi - lo, 99);
    return std::max(lo, std::min(v, hi - 1));
  };
  return CoverPoint{axis(r.left, r.right, posX), axis(r.top, r.bottom, posY)};
}

void PreviewPointToImagePos(const CoverRect& r, CoverPoint p, uint16_t* posX, uint16_t* posY) {
  const auto axis = [](int32_t lo, int32_t hi, int32_t v) -> uint16_t {
    if (hi - lo <= 0) return 1;
    // Points far outside the preview would overflow the scaling: clamp first.
    const int64_t d = std::clamp<int64_t>(static_cast<int64_t>(v) - lo, -1, static_cast<int64_t>(hi) - lo + 1);
    const int32_t pos = CoverMulDiv(static_cast<int32_t>(d), 99, hi - lo) + 1;
    return static_cast<uint16_t>(std::clamp(pos, 1, 100));
  };
  *posX = axis(r.left, r.right, p.x);
  *posY = axis(r.top, r.bottom, p.y);
}

CoverRect CoverImageRect(const CoverRect& pageRect, int32_t pageWidth, int32_t pageHeight, int32_t bmpWidth,
                         int32_t bmpHeight, uint16_t zoom, uint16_t posX, uint16_t posY) {
  const CoverPoint c = ImagePosToPoint(pageRect, posX, posY);
  int32_t w = CoverMulDiv(bmpWidth, 254, 200);
  int32_t h = CoverMulDiv(bmpHeight, 254, 200);
  if (pageWidth > 0) w = CoverMulDiv(w, pageRect.Width(), pageWidth);
  if (pageHeight > 0) h = CoverMulDiv(h, pageRect.Height(), pageHeight);
  if (zoom != 0) {
    w = CoverMulDiv(w, zoom, 100);
    h = CoverMulDiv(h, zoom, 100);
  }
  return CoverRect{c.x - w / 2, c.y - h / 2, c.x - w / 2 + w, c.y - h / 2 + h};
}

void ScaleToFit(int32_t targetWidth, int32_t targetHeight, int32_t srcWidth, int32_t srcHeight, int32_t* num,
                int32_t* den) {
  if (srcWidth <= 0 || srcHeight <= 0) {
    *num = 0;
    *den = 1;
    return;
  }
  const auto above = [](int64_t v) {
    int64_t p = 1;
    while (p <= v) p *= 10;
    return p;
  };
  const int64_t p = std::max<int64_t>({1000, above(srcWidth), above(srcHeight)});
  const int64_t rw = static_cast<int64_t>(targetWidth) * p / srcWidth;
  const int64_t rh = static_cast<int64_t>(targetHeight) * p / srcHeight;
  if (rw < rh) {
    *num = targetWidth, *den = srcWidth;
  } else {
    *num = targetHeight, *den = srcHeight;
  }
}

void ScaleFrameToFit(int32_t frameWidth, int32_t frameHeight, int32_t targetWidth, int32_t targetHeight,
                     int32_t* width, int32_t* height) {
  const int32_t fw = std::abs(frameWidth), fh = std::abs(frameHeight);
  int32_t num, den;
  ScaleToFit(std::abs(targetWidth), std::abs(targetHeight), fw, fh, &num, &den);
  *width = CoverMulDiv(fw, num, den);
  *height = CoverMulDiv(fh, num, den);
}

CoverPreviewRects FitCoverPreview(const CoverRect& target, const CoverPaperInfo& paper, int32_t frameWidth,
                                  int32_t frameHeight) {
  CoverPreviewRects out{};
  int32_t num, den;
  ScaleToFit(target.Width(), target.Height(), paper.nWidth, paper.nHeight, &num, &den);
  const int32_t w = CoverMulDiv(paper.nWidth, num, den), h = CoverMulDiv(paper.nHeight, num, den);
  out.page.left = target.left + target.Width() / 2 - w / 2;
  out.page.top = target.top + target.Height() / 2 - h / 2;
  out.page.right = out.page.left + w;
  out.page.bottom = out.page.top + h;
  out.printable = CoverRect{out.page.left + CoverMulDiv(paper.nLeft, num, den),
                            out.page.top + CoverMulDiv(paper.nTop, num, den),
                            out.page.right - CoverMulDiv(paper.nRight, num, den),
                            out.page.bottom - CoverMulDiv(paper.nBottom, num, den)};
  int32_t mw, mh;
  ScaleFrameToFit(frameWidth, frameHeight, w, h, &mw, &mh);
  out.metafile = CoverRect{out.page.left, out.page.top, out.page.left + mw, out.page.top + mh};
  return out;
}
