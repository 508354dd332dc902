// The arithmetic of the cover page: turning the page for landscape, the
// paper of the cover page, the image stamp's place and size, and fitting the
// page into the previews.  Lengths of the page are in tenths of a
// millimetre; preview rectangles in device pixels.
#pragma once

#include <cstdint>

// Left, top, right, bottom.
struct CoverRect {
  int32_t left, top, right, bottom;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const CoverRect&) const = default;
};

struct CoverPoint {
  int32_t x, y;
};

#pragma pack(push, 1)
// The cover page's angle, size and margins, as the setting dialog keeps it.
struct CoverPaperInfo {
  uint32_t nAngle;        // 0, 90 or 270
  int32_t nWidth, nHeight;
  int32_t nLeft, nTop, nRight, nBottom;  // margins
};
static_assert(sizeof(CoverPaperInfo) == 28);
#pragma pack(pop)

// a * b / c rounded half away from zero, as the system's MulDiv; c == 0 gives -1.
int32_t CoverMulDiv(int32_t a, int32_t b, int32_t c);

// The turning angle a caller's value means: 0, 90, and 270 for anything else.
uint32_t CoverAngle(uint32_t angle);
// Edge distances (left, top, right, bottom) of a page turned by `angle`.
void TurnCoverEdges(const int32_t in[4], uint32_t angle, int32_t out[4]);
// A rectangle of a page of `width` x `height` turned with the page; the
// turned page is `height` wide and `width` high.
CoverRect TurnCoverRect(const CoverRect& r, int32_t width, int32_t height, uint32_t angle);

// The paper of the cover page from the cover size and the document settings.
struct CoverPaperInput {
  int16_t sCoverSize;
  int16_t nOutPaperSize;      // output paper of the document
  int16_t nPaperSize;         // the document's own paper
  uint8_t nOrientation;       // 2 landscape
  uint8_t byLandscapeRotate;  // not 0: landscape turns by 270
  int16_t outWidth, outHeight;       // custom output size, 0.1 mm
  int32_t defaultMargins[4];         // the model's default margins
};
// Finds a paper of the model's table: size (width, height) and margins.
using CoverPaperLookup = bool (*)(void* ctx, uint32_t paperId, int32_t size[2], int32_t margins[4]);

// The lookup in the model's paper list; `ctx` is the `const ModelInfo*`.
bool LookUpCoverModelPaper(void* ctx, uint32_t paperId, int32_t size[2], int32_t margins[4]);

uint32_t CoverPaperId(int16_t coverSize, int16_t outPaper, int16_t paperSize);
bool IsCustomPaperId(uint32_t paperId);
// Fills `out` (cleared first) and returns the paper id of the cover page.
uint32_t GetCoverPaperInfo(const CoverPaperInput& in, CoverPaperLookup lookup, void* ctx, CoverPaperInfo* out);

// Image position (1..100) to a point of `r` and back; both clamp: the point
// to the rectangle less its last pixel, the position to 1..100.
CoverPoint ImagePosToPoint(const CoverRect& r, int32_t posX, int32_t posY);
void PreviewPointToImagePos(const CoverRect& r, CoverPoint p, uint16_t* posX, uint16_t* posY);

// The image stamp on a page of `pageWidth` x `pageHeight` (0.1 mm) drawn
// into `pageRect`: the bitmap's pixels at 200 dots per inch, scaled like the
// page rectangle, zoomed in percent when `zoom` is not 0, centred on the
// image position.
CoverRect CoverImageRect(const CoverRect& pageRect, int32_t pageWidth, int32_t pageHeight, int32_t bmpWidth,
                         int32_t bmpHeight, uint16_t zoom, uint16_t posX, uint16_t posY);

// The largest scale num / den that keeps the source's aspect ratio inside
// the target.  A source without area gives 0 / 1.
void ScaleToFit(int32_t targetWidth, int32_t targetHeight, int32_t srcWidth, int32_t srcHeight, int32_t* num,
                int32_t* den);
// The largest size of the frame's aspect ratio inside the target (absolute values).
void ScaleFrameToFit(int32_t frameWidth, int32_t frameHeight, int32_t targetWidth, int32_t targetHeight,
                     int32_t* width, int32_t* height);
// The cover page fitted into `target`: the page rectangle (centred), the
// printable rectangle (margins scaled like the page) and the metafile's
// rectangle (from the page's top-left, the frame's aspect ratio).
struct CoverPreviewRects {
  CoverRect page, printable, metafile;
};
CoverPreviewRects FitCoverPreview(const CoverRect& target, const CoverPaperInfo& paper, int32_t frameWidth,
                                  int32_t frameHeight);
