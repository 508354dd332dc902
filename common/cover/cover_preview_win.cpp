// The cover page in the dialogs' previews: fitting, playing with a shadow and
// a frame, and the mark of the image position.
#include <windows.h>

#include <cstdlib>

#include "common/cover/cover_page_win.h"

namespace {

RECT ToRect(const CoverRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

void ScaleEnhMetaFile(HENHMETAFILE emf, int32_t targetWidth, int32_t targetHeight, int32_t* width,
                      int32_t* height) {
  ENHMETAHEADER header{};
  *width = 0;
  *height = 0;
  if (emf == nullptr || GetEnhMetaFileHeader(emf, sizeof(header), &header) == 0) return;
  ScaleFrameToFit(header.rclFrame.right - header.rclFrame.left, header.rclFrame.bottom - header.rclFrame.top,
                  std::abs(targetWidth), std::abs(targetHeight), width, height);
}

bool FitCoverImageRect(HENHMETAFILE emf, const RECT& target, const CoverPaperInfo& paper, RECT* page, RECT* printable,
                       RECT* metafile) {
  ENHMETAHEADER header{};
  if (emf == nullptr || GetEnhMetaFileHeader(emf, sizeof(header), &header) == 0) return false;
  const CoverPreviewRects rects =
      FitCoverPreview(CoverRect{target.left, target.top, target.right, target.bottom}, paper,
                      std::abs(header.rclFrame.right - header.rclFrame.left),
                      std::abs(header.rclFrame.bottom - header.rclFrame.top));
  if (page != nullptr) *page = ToRect(rects.page);
  if (printable != nullptr) *printable = ToRect(rects.printable);
  if (metafile != nullptr) *metafile = ToRect(rects.metafile);
  return true;
}

void PlayCoverPreview(HDC dc, HENHMETAFILE emf, const RECT& metafile, const RECT& page) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  if (emf != nullptr) PlayEnhMetaFile(dc, emf, &metafile);
  // The shadow: 4 device pixels in the DC's logical units.
  POINT d[2] = {{0, 0}, {4, 4}};
  DPtoLP(dc, d, 2);
  const int sx = std::abs(d[1].x - d[0].x), sy = std::abs(d[1].y - d[0].y);
  SelectObject(dc, GetStockObject(GRAY_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  PatBlt(dc, page.right, page.top + sy, sx, page.bottom - page.top, PATCOPY);
  PatBlt(dc, page.left + sx, page.bottom, page.right - page.left, sy, PATCOPY);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, page.left, page.top, page.right, page.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawImagePositionMark(HDC dc, const FcsImagePart& image, const RECT& r) {
  if (!image.fgPasteImage) return;
  const CoverPoint p = ImagePosToPoint(CoverRect{r.left, r.top, r.right, r.bottom}, image.wPosX, image.wPosY);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(100, 100, 100));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, r.left, p.y, nullptr);
  LineTo(dc, r.right, p.y);
  MoveToEx(dc, p.x, r.top, nullptr);
  LineTo(dc, p.x, r.bottom);
  SelectObject(dc, old);
  DeleteObject(pen);
}
