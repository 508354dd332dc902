// The replay of N-up sheets, poster tiles and driver booklets: groups the
// stored pages into sheets and writes, before each page's bytes, the page
// origin, rotation, scale and clip that put the page into its cell.
#include "drender/layout/layout_replay.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "drender/layout/booklet_order.h"
#include "drender/layout/layout_cells.h"
#include "drender/layout/layout_settings.h"
#include "drender/layout/overlay_form.h"
#include "drender/layout/page_placement.h"
#include "drender/layout/poster_tiles.h"
#include "drender/model/model_features.h"
#include "drender/settings/binding_edge.h"
#include "drender/settings/page_snapshot.h"
#include "drender/settings/paper_geometry.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/job_engine.h"
#include "drender/job/stored_stream.h"
#include "drender/job/xl_page_operators.h"

namespace {

constexpr uint16_t kSameAsDocument = 356;
constexpr uint16_t kSameAsOriginal = 357;
constexpr int32_t kFullScale = 1000000;
constexpr const char* kTabStream = "TABPROC";
constexpr uint8_t kNoTabMark = 255;

DocDMode* Doc(RenderPdev* pdev) { return &pdev->state.live->devmode.doc; }
RenderJobState& Engine(RenderPdev* pdev) { return pdev->state.engine; }
XlEncoder* Enc(RenderPdev* pdev) { return &pdev->state.xl; }

int16_t Short(int32_t v) { return static_cast<int16_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v)); }

LayoutSettings Settings(RenderPdev* pdev) {
  return Layout_ReadSettings(*Doc(pdev), Rdc_GetModelValue(Rdc_Model(), kModelDriverBooklet) != 0);
}

bool DriverBooklet() { return Rdc_GetModelValue(Rdc_Model(), kModelDriverBooklet) != 0; }

// The binding fields of the current settings, an automatic binding edge
// resolved by the job's binding rule.
BindingSettings ReadBinding(RenderPdev* pdev) {
  BindingSettings b = Layout_ReadBinding(*Doc(pdev));
  b.position = static_cast<uint8_t>(Pjl_ResolvedBindingEdge(Rdc_Model(), Doc(pdev), DriverBooklet()));
  return b;
}

bool IsPoster(const PageSettings& s) { return s.nup != 0 && s.nupOption >= 7 && s.nupOption <= 9; }

// The job frame of the current settings in an orientation.
void JobFrame(RenderPdev* pdev, uint8_t orientation, PageFrame* frame) {
  const RenderPdevState& s = pdev->state;
  Page_ComputeJobFrame(Rdc_Model(), Doc(pdev), s.resolutionX, s.resolutionY, orientation, frame);
}

// The frame of the paper the page is printed on: the output paper when one
// other than the document's is chosen, else the document's.
// A page "same as the original" whose paper the model does not know is
// printed on the model's default paper.
const PaperSizeEntry* FallbackPaper(const DocDMode* doc) {
  const uint16_t out = static_cast<uint16_t>(DocI16(doc, kDocOutPaperSizeAt));
  const uint16_t paper = static_cast<uint16_t>(DocI16(doc, kDocPaperSizeAt));
  if (out != kSameAsOriginal || Paper_IsUserSize(paper) || FindPaperById(Rdc_Model(), paper) != nullptr) return nullptr;
  const uint16_t fallback = Rdc_DefaultPaperId();
  return fallback != 0xFFFF ? FindPaperById(Rdc_Model(), fallback) : nullptr;
}

void OutputFrame(RenderPdev* pdev, uint8_t orientation, PageFrame* frame) {
  const DocDMode* doc = Doc(pdev);
  const uint16_t out = static_cast<uint16_t>(DocI16(doc, kDocOutPaperSizeAt));
  const PaperSizeEntry* fallback = FallbackPaper(doc);
  if (!fallback && (out == 0 || out == kSameAsDocument || out == kSameAsOriginal)) {
    JobFrame(pdev, orientation, frame);
    return;
  }
  std::unique_ptr<DocDMode> copy(new (std::nothrow) DocDMode);
  if (!copy) {
    JobFrame(pdev, orientation, frame);
    return;
  }
  std::memcpy(copy.get(), doc, sizeof(DocDMode));
  if (fallback) {
    SetDocI16(copy.get(), kDocPaperSizeAt, static_cast<int16_t>(fallback->paperId));
    SetDocI16(copy.get(), kDocPaperWidthAt, static_cast<int16_t>(fallback->width));
    SetDocI16(copy.get(), kDocPaperLengthAt, static_cast<int16_t>(fallback->length));
  } else {
    SetDocI16(copy.get(), kDocPaperSizeAt, static_cast<int16_t>(out));
    SetDocI16(copy.get(), kDocPaperWidthAt, DocI16(doc, kDocOutPaperWidthAt));
    SetDocI16(copy.get(), kDocPaperLengthAt, DocI16(doc, kDocOutPaperLengthAt));
  }
  const RenderPdevState& s = pdev->state;
  Page_ComputeJobFrame(Rdc_Model(), copy.get(), s.resolutionX, s.resolutionY, orientation, frame);
}

bool BackSide(RenderPdev* pdev) { return Engine(pdev).sideCounter % 2 == 1; }

// The page's binding and image shifts in dots, with the binding fields of
// `binding` (the sheet's saved ones in driver layout).
// `imageShiftOn` is the sheet's saved image-shift switch in driver layout,
// or -1 for the page's own.
void Shifts(RenderPdev* pdev, const BindingSettings& binding, const PageFrame& output, int32_t* x, int32_t* y,
            int imageShiftOn = -1) {
  const RenderPdevState& s = pdev->state;
  const bool back = BackSide(pdev);
  BindingFrame frame{};
  frame.printableWidthTenths = output.printableWidth;
  frame.printableHeightTenths = output.printableHeight;
  frame.printableWidthDots = output.printableWidthDots;
  frame.printableHeightDots = output.printableHeightDots;
  frame.resolutionX = s.resolutionX;
  frame.resolutionY = s.resolutionY;
  frame.landscape = DocByte(Doc(pdev), kDocOrientationAt) == 2;
  int32_t bx = 0, by = 0, ix = 0, iy = 0;
  Page_GetBindingShift(binding, back, frame, &bx, &by);
  ImageShiftSettings image =
      Layout_ReadImageShift(*Doc(pdev), static_cast<uint8_t>(Rdc_GetModelValue(Rdc_Model(), kModelDriverImageShift)));
  if (imageShiftOn >= 0) image.imageShift = static_cast<uint8_t>(imageShiftOn);
  Page_GetImageShift(image, back, s.resolutionX, &ix, &iy);
  *x = bx + ix;
  *y = by + iy;
}

uint32_t ReducePercent(RenderPdev* pdev, const BindingSettings& binding, const PageFrame& output) {
  BindingFrame frame{};
  frame.printableWidthTenths = output.printableWidth;
  frame.printableHeightTenths = output.printableHeight;
  frame.printableWidthDots = output.printableWidthDots;
  frame.printableHeightDots = output.printableHeightDots;
  frame.resolutionX = pdev->state.resolutionX;
  frame.resolutionY = pdev->state.resolutionY;
  return Page_GetBindingZoomPercent(binding, BackSide(pdev), frame);
}

uint32_t FitPercent(RenderPdev* pdev, bool driverLayout) { return Layout_FitPercent(pdev, driverLayout); }

void SetOrigin(RenderPdev* pdev, int32_t x, int32_t y) {
  RenderJobState& e = Engine(pdev);
  e.originX = Short(x);
  e.originY = Short(y);
  XL_SetPageOrigin(pdev);
}

// After a page transform: the page's clip (the page, its cell or its zoom
// area) written again.
void ClipToPage(RenderPdev* pdev) {
  XL_CacheClearClip(&pdev->state.gs);
  XL_ClearPageClip(pdev);
}

// ------------------------------------------------------------- the sheet

// What the first page of a sheet fixes for the pages after it.
struct Sheet {
  LayoutRowId row;
  uint8_t orientation;  // the sheet's
  bool rotate180;
  BindingSettings binding;
  uint8_t imageShift;  // the first page's image-shift switch
  uint32_t cells;
};

void BeginSheet(RenderPdev* pdev, const LayoutSettings& ls, Sheet* sheet) {
  sheet->row = ls.row;
  sheet->orientation = ls.sheetOrientation;
  sheet->rotate180 = ls.rotate180;
  sheet->binding = ReadBinding(pdev);
  sheet->imageShift = Layout_ReadImageShift(*Doc(pdev), 0).imageShift;
  sheet->cells = Layout_RowOf(ls.row).cells;
}

// Origin, rotation, scale and clip of the page at `index` of its sheet.
void SetupCell(RenderPdev* pdev, const Sheet& sheet, uint32_t index) {
  const LayoutSettings ls = Settings(pdev);
  PageFrame output{}, document{};
  OutputFrame(pdev, sheet.orientation, &output);
  JobFrame(pdev, sheet.orientation, &document);
  LayoutCells cells{};
  if (index % sheet.cells != 0) {
    XL_SetPageDefaultCTM(pdev);
    XL_SetPageScale(pdev, kFullScale, kFullScale);
  }
  if (!Layout_ComputeCells(sheet.row, sheet.orientation, output, document, &cells)) {
    ClipToPage(pdev);  // no room for cells: the page as it is
    return;
  }
  const bool reduce = sheet.binding.bindingShift != 0 && sheet.binding.reduceMode == 1;
  const uint32_t percent = reduce ? ReducePercent(pdev, sheet.binding, output) : 100;
  CellPage page{};
  page.index = index;
  page.order = Layout_CellOrder(sheet.row, ls.nupStyle, sheet.orientation);
  page.reducePercent = percent;
  Shifts(pdev, sheet.binding, output, &page.shiftX, &page.shiftY, sheet.imageShift);
  page.sheetOrientation = sheet.orientation;
  page.pageOrientation = ls.orientation;
  page.bindingPosition = sheet.binding.position;
  page.sheetRotate180 = sheet.rotate180;
  page.pageRotate180 = ls.rotate180;
  CellPlacement place{};
  Layout_PlacePage(sheet.row, cells, page, &place);
  SetOrigin(pdev, place.originX, place.originY);
  if (place.rotation != 0) {
    SetOrigin(pdev, place.turnOriginX, place.turnOriginY);
    XlOp_SetPageRotation(Enc(pdev), place.rotation);
  }
  if (place.turn180) {
    SetOrigin(pdev, place.halfTurnOriginX, place.halfTurnOriginY);
    XlOp_SetPageRotation(Enc(pdev), 180);
  }
  XL_SetPageScale(pdev, cells.scale, cells.scale);
  if (!ls.zoomFit) {
    const int32_t zoom = static_cast<int32_t>(Page_ZoomOverFitPercent(ls.zoomValue, FitPercent(pdev, true)) * 10000);
    XL_SetPageScale(pdev, zoom, zoom);
  }
  if (reduce) XL_SetPageScale(pdev, static_cast<int32_t>(percent * 10000), static_cast<int32_t>(percent * 10000));
  ClipToPage(pdev);
}

// The border of the cell of the page at `index`: the cell rectangle, or with
// border mode 2 only the edges that face another cell.
void DrawCellBorder(RenderPdev* pdev, const Sheet& sheet, uint32_t index) {
  const LayoutSettings ls = Settings(pdev);
  PageFrame output{}, document{};
  OutputFrame(pdev, sheet.orientation, &output);
  JobFrame(pdev, sheet.orientation, &document);
  LayoutCells cells{};
  if (!Layout_ComputeCells(sheet.row, sheet.orientation, output, document, &cells)) return;
  const uint8_t* order = Layout_CellOrder(sheet.row, ls.nupStyle, sheet.orientation);
  const uint32_t cell = order[index % sheet.cells];
  XlEncoder* enc = Enc(pdev);
  RenderPdevState& s = pdev->state;
  int32_t sx = 0, sy = 0;
  Shifts(pdev, sheet.binding, output, &sx, &sy, sheet.imageShift);
  XL_SetPageDefaultCTM(pdev);
  SetOrigin(pdev, sx, sy);
  const uint8_t space = DocByte(Doc(pdev), kDocSelectColorAt) == 1 ? 1 : 2;
  XL_SetColorSpace(enc, &s.gs, space, nullptr, 0);
  XL_SetBrushSource(enc, &s.gs, nullptr, true);
  XL_SelectRop(enc, &s.gs, 240);
  XL_SetClipToPage(pdev);
  XL_SetFillMode(enc, &s.gs, 1);
  XlOp_SetLineSolid(enc, 0);
  XL_SetPenWidth(enc, &s.gs, 2);
  const uint8_t black[3] = {0, 0, 0};
  XL_SetPenSource(enc, &s.gs, black, false);
  const int32_t left = cells.originX[cell], top = cells.originY[cell];
  const int32_t right = left + cells.cellWidth, bottom = top + cells.cellHeight;
  if (ls.borderLine == 2) {
    const CellEdges edges = Layout_InnerEdges(cells, cell);
    XlOp_NewPath(enc);
    auto line = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
      XlOp_SetCursor(enc, XlSInt16XY{Short(x0), Short(y0)});
      XlOp_LinePathTo(enc, XlSInt16XY{Short(x1), Short(y1)});
    };
    if (edges.left) line(left, top, left, bottom);
    if (edges.right) line(right, top, right, bottom);
    if (edges.top) line(left, top, right, top);
    if (edges.bottom) line(left, bottom, right, bottom);
    XlOp_PaintPath(enc);
  } else {
    XlOp_Rectangle(enc, XlSInt16Box{Short(left), Short(top), Short(right), Short(bottom)});
  }
}

// A copy of the settings after the snapshot was applied, for comparing
// the next page with it.
struct SavedDoc {
  std::unique_ptr<DocDMode> doc{new (std::nothrow) DocDMode};
  void Take(const DocDMode* from) {
    if (doc) std::memcpy(doc.get(), from, sizeof(DocDMode));
  }
};

bool Differs(RenderPdev* pdev, const SavedDoc& before) {
  if (!before.doc) return false;
  return Page_SettingsDiffer(Rdc_Model(), before.doc.get(), Doc(pdev)) || Page_LayoutDiffers(before.doc.get(), Doc(pdev));
}

// Ends the sheet: the tab-paper text on it when its first page carries the
// mark 1, EndPage, and the tab page after it for the mark 0.
void EndSheet(RenderPdev* pdev, uint16_t copies, uint8_t tabMark) {
  RenderJobState& e = Engine(pdev);
  if (tabMark == 1 && e.tabStream) {
    Rdc_ReleaseFonts(pdev);
    XL_ExecStream(pdev, kTabStream);
  }
  XL_EndPage(pdev, copies);
  e.sheetOpen = 0;
  e.newSheetRequest = 0;
  if (tabMark == 0 && e.tabStream) {
    Rdc_ResetPageState(pdev);
    Tab_PrintPage(pdev);
  }
}

// One N-up sheet from page `*i` on: the pages that share its settings, up
// to the row's cells.
uint32_t ReplayNupSheet(RenderPdev* pdev, uint8_t* buffer, uint16_t copies, uint32_t* i, uint32_t end) {
  RenderJobState& e = Engine(pdev);
  PageSettings snapshot = e.pages[*i].settings;
  Page_ApplySettings(Doc(pdev), &snapshot);
  const LayoutSettings ls = Settings(pdev);
  Sheet sheet{};
  BeginSheet(pdev, ls, &sheet);
  snapshot.orientation = sheet.orientation;
  XL_BeginPage(pdev, &snapshot);
  XL_CacheResetPageFields(&pdev->state.gs);
  Overlay_ApplyToPage(pdev, false);
  e.sheetOpen = 1;
  SavedDoc previous;
  for (uint32_t k = 0; k < sheet.cells && *i < end; ++k) {
    const PageStoreEntry& page = e.pages[*i];
    PageSettings settings = page.settings;
    Page_ApplySettings(Doc(pdev), &settings);
    if (k > 0 && (IsPoster(settings) || Differs(pdev, previous))) break;
    previous.Take(Doc(pdev));
    XL_CacheResetPageFields(&pdev->state.gs);
    SetupCell(pdev, sheet, k);
    if (!Rdc_CopyOutEntry(pdev, page, buffer)) return 0;
    if (Settings(pdev).borderOn) DrawCellBorder(pdev, sheet, k);
    Rdc_ResetPageState(pdev);
    ++*i;
  }
  Overlay_ApplyToPage(pdev, true);
  EndSheet(pdev, copies, snapshot.tabMark);
  Rdc_ResetPageState(pdev);
  return 1;
}

// ------------------------------------------------------------------ poster

// Draws the tile of column j, row i of the page stream `name`: the page
// scaled t times, moved so that the tile lies on the sheet, and everything
// of the sheet outside the tile painted white.
void DrawTile(RenderPdev* pdev, const char* name, uint32_t tiles, const LayoutCells& cells, int32_t shiftX,
              int32_t shiftY, uint32_t column, uint32_t row) {
  const LayoutSettings ls = Settings(pdev);
  PageFrame output{}, document{};
  OutputFrame(pdev, ls.orientation, &output);
  JobFrame(pdev, ls.orientation, &document);
  PosterScale scale{};
  scale.fit = ls.zoomFit;
  scale.zoomValue = ls.zoomValue;
  scale.fitPercent = FitPercent(pdev, false);
  scale.fitScaleX = scale.fitScaleY = Page_GetFitScale(output.printableWidthDots, output.printableHeightDots,
                                                       document.printableWidthDots, document.printableHeightDots);
  PosterTile tile{};
  XlEncoder* enc = Enc(pdev);
  if (!Poster_ComputeTile(scale, tiles, cells.cellWidth, cells.cellHeight, shiftX, shiftY, column, row, &tile)) {
    XL_ExecStream(pdev, name);  // no tile can be cut: the page as it is
    return;
  }
  XlOp_PushGS(enc);
  const int32_t enlarge = static_cast<int32_t>(tiles) * kFullScale;
  XL_SetPageScale(pdev, enlarge, enlarge);
  SetOrigin(pdev, tile.originX, tile.originY);
  XL_ExecStream(pdev, name);
  Rdc_ResetPageState(pdev);
  RenderPdevState& s = pdev->state;
  const uint8_t white[3] = {255, 255, 255};
  XL_SetColorSpace(enc, &s.gs, 2, nullptr, 0);
  XL_SetBrushSource(enc, &s.gs, white, false);
  XL_SetPenSource(enc, &s.gs, nullptr, true);
  XL_SetFillMode(enc, &s.gs, 1);
  XlOp_NewPath(enc);
  XlOp_RectanglePath(enc, XlSInt16Box{0, 0, Short(cells.cellWidth - 1), Short(cells.cellHeight - 1)});
  XlOp_RectanglePath(enc, XlSInt16Box{Short(tile.keepLeft), Short(tile.keepTop), Short(tile.keepRight),
                                      Short(tile.keepBottom)});
  XlOp_PaintPath(enc);
  XlOp_PopGS(enc);
  Rdc_ResetPageState(pdev);
}

void DrawMarginLine(RenderPdev* pdev, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (DocByte(Doc(pdev), DOC_FIELD_AT(nPosterMarginLine)) == 0) return;
  XlEncoder* enc = Enc(pdev);
  RenderPdevState& s = pdev->state;
  XlOp_PushGS(enc);
  XL_SetPageDefaultCTM(pdev);
  SetOrigin(pdev, x, y);
  XL_SetColorSpace(enc, &s.gs, DocByte(Doc(pdev), kDocSelectColorAt) == 1 ? 1 : 2, nullptr, 0);
  XL_SetFillMode(enc, &s.gs, 0);
  const uint8_t black[3] = {0, 0, 0};
  XL_SetPenSource(enc, &s.gs, black, false);
  XL_SetLineDashStyle(enc, &s.gs, 2, nullptr, 0, s.resolutionX);
  XL_SetBrushSource(enc, &s.gs, nullptr, true);
  XlOp_Rectangle(enc, XlSInt16Box{0, 0, Short(w - 1), Short(h - 1)});
  XlOp_PopGS(enc);
  Rdc_ResetPageState(pdev);
}

// A poster page: its bytes become the stream "P<page number>", each of the
// t x t sheets draws one tile of it, then the stream is removed.
uint32_t ReplayPoster(RenderPdev* pdev, uint8_t* buffer, uint16_t copies, uint32_t index) {
  RenderJobState& e = Engine(pdev);
  const PageStoreEntry& page = e.pages[index];
  PageSettings snapshot = page.settings;
  Page_ApplySettings(Doc(pdev), &snapshot);
  const LayoutSettings ls = Settings(pdev);
  const uint32_t tiles = ls.posterTiles;
  char name[16];
  std::snprintf(name, sizeof name, "P%u", index + 1);
  if (!Xl_WriteStoredStream(Enc(pdev), &page, name, buffer, kEntryPieceSize)) return 0;
  PageFrame output{}, document{};
  OutputFrame(pdev, ls.orientation, &output);
  JobFrame(pdev, ls.orientation, &document);
  LayoutCells cells{};
  const bool haveCells = Layout_ComputeCells(kLayoutNone, ls.orientation, output, document, &cells);
  int32_t sx = 0, sy = 0;
  Shifts(pdev, ReadBinding(pdev), output, &sx, &sy);
  int32_t cx = 0, cy = 0, cw = 0, ch = 0;
  Page_GetCentering(false, output, document, &cx, &cy, &cw, &ch);
  for (uint32_t row = 0; row < tiles; ++row) {
    for (uint32_t column = 0; column < tiles; ++column) {
      PageSettings sheet = snapshot;
      XL_BeginPage(pdev, &sheet);
      XL_CacheResetPageFields(&pdev->state.gs);
      Overlay_ApplyToPage(pdev, false);
      Layout_SetupDirectPage(pdev, true);
      if (tiles > 1 && haveCells) {
        DrawTile(pdev, name, tiles, cells, sx, sy, column, row);
      } else {
        XL_ExecStream(pdev, name);
      }
      Rdc_ResetPageState(pdev);
      DrawMarginLine(pdev, cx, cy, cw, ch);
      Overlay_ApplyToPage(pdev, true);
      EndSheet(pdev, copies, snapshot.tabMark);
      Rdc_ResetPageState(pdev);
    }
  }
  return XlOp_RemoveStream(Enc(pdev), XlUByteArray{reinterpret_cast<const uint8_t*>(name),
                                                    static_cast<uint32_t>(std::strlen(name))});
}

// ----------------------------------------------------------------- booklet

bool IsBooklet(const PageSettings& s) {
  return s.doubleSides == 3 && Rdc_GetModelValue(Rdc_Model(), kModelDriverBooklet) != 0;
}

// Booklet sheet sides: the ordered rows, two to a side.
uint32_t ReplayBookletSides(RenderPdev* pdev, uint8_t* buffer, uint16_t copies,
                            const std::vector<PageStoreEntry>& rows, bool invert) {
  RenderJobState& e = Engine(pdev);
  std::vector<uint8_t> orientations, otherEdge;
  for (size_t side = 0; side * 2 < rows.size(); ++side) {
    PageSettings settings = rows[side * 2].settings;
    Page_ApplySettings(Doc(pdev), &settings);
    orientations.push_back(settings.orientation);
    otherEdge.push_back(
        static_cast<uint8_t>(Page_GetDuplexBinding(Rdc_Model(), settings.orientation, &settings, DriverBooklet())));
  }
  const std::vector<uint8_t> rotations = Booklet_SideRotations(orientations, otherEdge, e.sideCounter, invert);
  for (size_t side = 0; side * 2 + 1 < rows.size(); ++side) {
    PageSettings snapshot = rows[side * 2].settings;
    Page_ApplySettings(Doc(pdev), &snapshot);
    Sheet sheet{};
    LayoutSettings sideSettings = Settings(pdev);
    sideSettings.rotate180 = rotations[side] != 0;
    BeginSheet(pdev, sideSettings, &sheet);
    snapshot.orientation = sheet.orientation;
    snapshot.rotate180 = rotations[side];
    XL_BeginPage(pdev, &snapshot);
    XL_CacheResetPageFields(&pdev->state.gs);
    e.sheetOpen = 1;
    for (uint32_t k = 0; k < 2; ++k) {
      const PageStoreEntry& page = rows[side * 2 + k];
      PageSettings settings = page.settings;
      Page_ApplySettings(Doc(pdev), &settings);
      XL_CacheResetPageFields(&pdev->state.gs);
      SetupCell(pdev, sheet, k);
      if (!Rdc_CopyOutEntry(pdev, page, buffer)) return 0;
      if (DocByte(Doc(pdev), DOC_FIELD_AT(bBookletBorder)) != 0) DrawCellBorder(pdev, sheet, k);
      Rdc_ResetPageState(pdev);
    }
    EndSheet(pdev, copies, snapshot.tabMark);
    Rdc_ResetPageState(pdev);
  }
  return 1;
}

uint8_t BookletBinding(RenderPdev* pdev, const PageSettings& settings) {
  PageSettings copy = settings;
  Page_ApplySettings(Doc(pdev), &copy);
  return Settings(pdev).bookletBinding;
}

// The booklet pages from `first` to `end`: padded with blank pages (no
// bytes, the settings of the section's last page) to whole sheets,
// ordered, two page sides to a sheet side.  A section after a cover sheet
// whose first side has another orientation than the section's first side
// turns all its sides over, so that the folded stack reads one way.
uint32_t ReplayBooklet(RenderPdev* pdev, uint8_t* buffer, uint16_t copies, uint32_t first, uint32_t end,
                       const PageSettings* coverSide) {
  RenderJobState& e = Engine(pdev);
  if (end <= first) return 1;
  const uint32_t count = end - first;
  PageStoreEntry blank{};
  blank.settings = e.pages[end - 1].settings;
  const std::vector<uint32_t> order =
      Booklet_Order(Booklet_PaddedCount(count), BookletBinding(pdev, blank.settings));
  std::vector<PageStoreEntry> rows;
  for (uint32_t n : order) rows.push_back(n < count ? e.pages[first + n] : blank);
  const bool invert = coverSide != nullptr && rows[0].settings.orientation != coverSide->orientation;
  return ReplayBookletSides(pdev, buffer, copies, rows, invert);
}

// The cover sheet of a driver booklet: the front cover pages (one or two)
// and the back cover pages (the last one or two) on one sheet, fed from
// the cover tray.
uint32_t ReplayBookletCovers(RenderPdev* pdev, uint8_t* buffer, uint16_t copies, uint32_t frontPages,
                             uint32_t backStart, bool frontCover, PageSettings* firstSide) {
  RenderJobState& e = Engine(pdev);
  const uint32_t n = e.pageCount;
  const DocDMode* doc = Doc(pdev);
  const int16_t tray = DocI16(doc, frontCover ? DOC_FIELD_AT(nFrontCoverTray) : DOC_FIELD_AT(nBackCoverTray));
  PageStoreEntry blank{};
  blank.settings = e.pages[0].settings;
  PageStoreEntry rows[4] = {blank, blank, blank, blank};
  if (frontPages >= 1) rows[0] = e.pages[0];
  if (frontPages >= 2 && n >= 2) rows[1] = e.pages[1];
  if (n >= 2 && backStart <= n - 2) rows[2] = e.pages[n - 2];
  if (n >= 1 && backStart <= n - 1) rows[3] = e.pages[n - 1];
  for (PageStoreEntry& row : rows) {
    row.settings.inTray = static_cast<uint16_t>(tray);
    row.settings.doubleSides = 3;
  }
  std::vector<PageStoreEntry> ordered;
  for (uint32_t k : Booklet_Order(4, BookletBinding(pdev, e.pages[0].settings))) ordered.push_back(rows[k]);
  *firstSide = ordered[0].settings;
  return ReplayBookletSides(pdev, buffer, copies, ordered, false);
}

}  // namespace

// The paper-fit percent of a driver-layout page on another output paper.
uint32_t Layout_FitPercent(RenderPdev* pdev, bool driverLayout) {
  const DocDMode* doc = Doc(pdev);
  const bool same = Paper_IsSameAsOriginal(Rdc_Model(), doc);
  uint32_t outSize[2] = {}, outMargins[4] = {};
  Paper_GetPrintableArea(Rdc_Model(), doc, outSize, outMargins);
  PageFrame document{};
  JobFrame(pdev, 1, &document);
  return Page_ComputeScalePercent(same, driverLayout, outSize[0] - outMargins[0] - outMargins[2],
                                  outSize[1] - outMargins[1] - outMargins[3], document.printableWidth,
                                  document.printableHeight);
}


uint32_t Layout_ZoomOverFitPercent(RenderPdev* pdev, bool driverLayout) {
  return Page_ZoomOverFitPercent(Settings(pdev).zoomValue, Layout_FitPercent(pdev, driverLayout));
}

void Layout_OutputFrame(RenderPdev* pdev, uint8_t orientation, PageFrame* frame) { OutputFrame(pdev, orientation, frame); }

bool Layout_JobNeedsLayout(RenderPdev* pdev) {
  const RenderJobState& e = pdev->state.engine;
  for (uint32_t i = 0; i < e.pageCount; ++i) {
    const PageSettings& s = e.pages[i].settings;
    if (IsPoster(s) || IsBooklet(s)) return true;
    if (s.nup != 0 && s.nupOption >= 1 && s.nupOption <= 5) return true;
  }
  return false;
}

uint32_t Layout_ReplayPages(RenderPdev* pdev, uint8_t* buffer, uint16_t copies) {
  RenderJobState& e = Engine(pdev);
  uint32_t i = 0;
  while (i < e.pageCount) {
    PageSettings snapshot = e.pages[i].settings;
    Page_ApplySettings(Doc(pdev), &snapshot);
    // The job frame of the run's sheets.
    Page_ComputeJobFrame(Rdc_Model(), Doc(pdev), pdev->state.resolutionX, pdev->state.resolutionY,
                         Settings(pdev).sheetOrientation, &pdev->state.frames[0]);
    e.cellCounter = 0;
    if (IsBooklet(snapshot)) {
      // A run of booklet pages; a booklet begins on a front side.
      uint32_t end = i + 1;
      while (end < e.pageCount && IsBooklet(e.pages[end].settings)) ++end;
      if (e.printType != 1 && e.sideCounter % 2 == 1) {
        XL_BeginPage(pdev, &snapshot);
        EndSheet(pdev, 1, kNoTabMark);
      }
      uint32_t first = i, last = end;
      // A whole-job booklet with covers the driver prints: the cover pages
      // go on a cover sheet of their own, the rest in the booklet.
      if (i == 0 && end == e.pageCount) Layout_BookletCoverPages(pdev, &first, &last);
      PageSettings coverSide{};
      const bool covers = first > 0 || last < e.pageCount;
      if (covers && !ReplayBookletCovers(pdev, buffer, copies, first, last, first > 0, &coverSide)) return 0;
      if (!ReplayBooklet(pdev, buffer, copies, first, last, covers ? &coverSide : nullptr)) return 0;
      i = end;
      continue;
    }
    if (IsPoster(snapshot)) {
      if (!ReplayPoster(pdev, buffer, copies, i)) return 0;
      ++i;
      continue;
    }
    if (Settings(pdev).driverLayout) {
      if (!ReplayNupSheet(pdev, buffer, copies, &i, e.pageCount)) return 0;
      continue;
    }
    if (!Rdc_ReplayStoredPage(pdev, e.pages[i], buffer, copies)) return 0;
    ++i;
  }
  return 1;
}

void Layout_DirectOrigin(RenderPdev* pdev, int32_t* x, int32_t* y) {
  const DocDMode* doc = Doc(pdev);
  const LayoutSettings ls = Settings(pdev);
  PageFrame output{}, document{};
  OutputFrame(pdev, ls.orientation, &output);
  JobFrame(pdev, ls.orientation, &document);
  *x = static_cast<int32_t>(document.leftDots);
  *y = static_cast<int32_t>(document.topDots);
  const bool samePaper = Paper_IsSameAsOriginal(Rdc_Model(), doc) ||
                         (output.paperWidth == document.paperWidth && output.paperHeight == document.paperHeight);
  if (!samePaper && DocByte(doc, kDocCombinationAt) == 0 && !ls.driverLayout) {
    int32_t w = 0, h = 0;
    Page_GetCentering(false, output, document, x, y, &w, &h);
  }
  int32_t sx = 0, sy = 0;
  Shifts(pdev, ReadBinding(pdev), output, &sx, &sy);
  *x += sx;
  *y += sy;
}

void Layout_BookletCoverPages(RenderPdev* pdev, uint32_t* frontPages, uint32_t* backStart) {
  const RenderJobState& e = pdev->state.engine;
  const uint32_t n = e.pageCount;
  *frontPages = 0;
  *backStart = n;
  if (n == 0) return;
  PageSettings first = e.pages[0].settings;
  Page_ApplySettings(Doc(pdev), &first);
  const DocDMode* doc = Doc(pdev);
  if (Rdc_IsDriverFrontCover(Rdc_Model(), doc)) {
    const uint8_t mode = DocByte(doc, DOC_FIELD_AT(nFrontCoverMode));
    *frontPages = mode == 2 ? 1 : (mode == 3 ? (n < 2 ? n : 2) : 0);
  }
  if (Rdc_IsDriverBackCover(Rdc_Model(), doc)) {
    uint8_t mode = DocByte(doc, DOC_FIELD_AT(nBackCoverMode));
    if (mode == 3 && n == *frontPages + 1) mode = 2;
    if (mode == 2) *backStart = n - 1 > *frontPages ? n - 1 : *frontPages;
    if (mode == 3) *backStart = n >= 2 && n - 2 > *frontPages ? n - 2 : *frontPages;
  }
}

uint32_t Layout_BindingReducePercent(RenderPdev* pdev) {
  const BindingSettings binding = ReadBinding(pdev);
  if (binding.bindingShift == 0 || DocByte(Doc(pdev), DOC_FIELD_AT(nBindingMode)) != 1) return 100;
  PageFrame output{};
  OutputFrame(pdev, Settings(pdev).orientation, &output);
  return ReducePercent(pdev, binding, output);
}

void Layout_SetupDirectPage(RenderPdev* pdev, bool poster) {
  const DocDMode* doc = Doc(pdev);
  const LayoutSettings ls = Settings(pdev);
  PageFrame output{}, document{};
  OutputFrame(pdev, ls.orientation, &output);
  JobFrame(pdev, ls.orientation, &document);
  const BindingSettings binding = ReadBinding(pdev);
  int32_t x = 0, y = 0;
  Layout_DirectOrigin(pdev, &x, &y);
  SetOrigin(pdev, x, y);
  const int32_t fit = Page_GetFitScale(output.printableWidthDots, output.printableHeightDots,
                                       document.printableWidthDots, document.printableHeightDots);
  const int32_t scale = Page_DirectScale(ls.zoomFit, ls.zoomValue, FitPercent(pdev, ls.driverLayout), fit);
  XL_SetPageScale(pdev, scale, scale);
  if (binding.bindingShift != 0 && DocByte(doc, DOC_FIELD_AT(nBindingMode)) == 1) {
    const int32_t reduce = static_cast<int32_t>(ReducePercent(pdev, binding, output) * 10000);
    XL_SetPageScale(pdev, reduce, reduce);
  }
  if (!poster) ClipToPage(pdev);
}
