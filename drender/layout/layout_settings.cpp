// Reading the layout and placement values of the document settings.
#include "drender/layout/layout_settings.h"

#include "common/records/doc_fields.h"
#include "drender/layout/poster_tiles.h"

namespace {

constexpr uint8_t kPrintTypeBooklet = 3;

uint16_t NotNegative(int16_t v) { return v < 0 ? 0 : static_cast<uint16_t>(v); }

}  // namespace

LayoutSettings Layout_ReadSettings(const DocDMode& doc, bool modelDriverBooklet) {
  const DocFields& f = Fields(doc);
  LayoutSettings s{};
  const uint8_t kind = Layout_NupKind(f.bNup, f.nNup);
  const bool booklet = f.nDuplex == kPrintTypeBooklet && modelDriverBooklet;
  s.row = Layout_GetRow(kind, booklet);
  s.driverLayout = kind != 0 || booklet;
  s.posterTiles = Layout_IsPoster(f.bNup, f.nNup) ? Poster_TilesPerSide(f.nNup) : 0;
  s.nupStyle = f.nPageLayout;
  s.orientation = f.nOrientation == 2 ? 2 : 1;
  s.sheetOrientation = Layout_SheetOrientation(s.row, s.orientation);
  s.rotate180 = f.bRotate180 != 0;
  s.zoomFit = f.bScaleAuto != 0;
  s.zoomValue = NotNegative(f.nScale);
  s.borderOn = f.bNupBorder_ui != 0;
  s.borderLine = f.bPageBorder;
  s.bookletBinding = f.nBookletOrder;
  return s;
}

BindingSettings Layout_ReadBinding(const DocDMode& doc) {
  const DocFields& f = Fields(doc);
  BindingSettings b{};
  b.bindingShift = f.bBinding;
  b.position = f.nBinding;
  b.frontMm = NotNegative(f.nBindingUp);
  b.backMm = NotNegative(f.nBindingDown);
  b.reduceMode = f.nBindingMode;
  b.combination = f.bLayout;
  return b;
}

ImageShiftSettings Layout_ReadImageShift(const DocDMode& doc, uint8_t modelImageShift) {
  const DocFields& f = Fields(doc);
  ImageShiftSettings s{};
  s.imageShift = f.bImgShift;
  s.modelAllows = modelImageShift;
  s.frontH = NotNegative(f.ImgShiftFronSide_nX);
  s.frontV = NotNegative(f.ImgShiftFronSide_nY);
  s.backH = NotNegative(f.ImgShiftBackSide_nX);
  s.backV = NotNegative(f.ImgShiftBackSide_nY);
  s.frontHSign = f.ImgShiftFronSide_byHShift;
  s.frontVSign = f.ImgShiftFronSide_byVShift;
  s.backHSign = f.ImgShiftBackSide_byHShift;
  s.backVSign = f.ImgShiftBackSide_byVShift;
  return s;
}
