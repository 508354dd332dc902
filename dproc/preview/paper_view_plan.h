// The paper view of the document sheets as a draw plan: the settings are
// turned into a list of drawing operations (pictures of the image library
// with their rectangles and raster operations, texts and the size-label
// arrow) by pure code, and a renderer of its own carries them out on a
// device context.  Picture sizes and text extents come from the caller
// through the environment, so the rules run the same against real bitmaps
// and fonts and against fixed tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t kRopSrcCopy = 0x00CC0020;
inline constexpr uint32_t kRopSrcAnd = 0x008800C6;
inline constexpr uint32_t kRopSrcInvert = 0x00660046;

struct PlanRect {
  int32_t left, top, right, bottom;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const PlanRect&) const = default;
};
struct PlanPoint {
  int32_t x, y;
  bool operator==(const PlanPoint&) const = default;
};
struct PlanSize {
  int32_t cx, cy;
};

// The fonts of the paper view.
enum class PlanFont : uint8_t {
  kLabel,      // the stock GUI font, 9 pt, bold
  kWatermark,  // "Times New Roman", regular, at the op's height and escapement
};
struct PlanFontSpec {
  PlanFont font;
  int32_t height;      // logical units, negative: character height
  int32_t escapement;  // tenths of a degree, 0..3599
};

enum class PlanOpKind : uint8_t {
  kTile,         // `image` repeated from rect's top-left over rect, SRCCOPY
  kBitmap,       // `image` at rect with `rop`
  kMaskedPair,   // `mask` with SRCAND, then `image` with SRCINVERT, at rect
  kText,         // `text` at `at`, clipped to `clip`
  kTriangle,     // a white filled triangle
  kSunkenFrame,  // the sunken frame round rect
};

struct PaperViewOp {
  explicit PaperViewOp(PlanOpKind k) : kind(k) {}
  PlanOpKind kind;
  uint32_t image = 0;
  uint32_t mask = 0;
  PlanRect rect{};
  uint32_t rop = 0;
  // Texts.
  std::u16string text;
  PlanPoint at{};
  PlanRect clip{};
  PlanFontSpec font{};
  uint32_t colour = 0;  // COLORREF 0x00bbggrr
  // Triangle corners.
  PlanPoint corners[3]{};
};

// What the paper view shows, read from the settings (see
// paper_view_inputs.h); every value is the settings field of that name.
struct PaperLabelInput {
  bool present = false;    // false: no label
  uint32_t paperId = 0;
  std::u16string name;     // the paper's display name
  int32_t width = 0;       // 0.1 mm
  int32_t length = 0;
  bool inch = false;       // the paper's unit flag says inch
  uint32_t storedWidthInch = 0;   // the custom size's stored inch values, in the figure style's unit
  uint32_t storedLengthInch = 0;
};

struct PaperViewInputs {
  int32_t orientation = 1;
  int32_t nup = 0, nupOp = 0, nupStyle = 0;
  int32_t borderLine = 0, borderLineOp = 0, posterMarginLine = 0;
  int32_t combination = 0, combinationOp = 0;
  int32_t doubleSides = 1, adhesiveBind = 0, bindingEdge = 0, bindingShift = 0;
  int32_t bookletBinding = 0, bookletBorder = 0;
  int32_t staple = 0, stapleOp = 0, centerStaple = 0;
  int32_t holePunch = 0, holePunchOp = 0, folding = 0, overlay = 0;
  int32_t zoom = 0, zoomValue = 100, fitZoom = 100;
  int32_t watermark = 0, wmAngle = 0, wmPosX = 0, wmPosY = 0, wmTransparent = 0;
  uint32_t wmColor = 0;
  int32_t selectColor = 0, twoColors = 0;
  // From the model and the sheet context.
  bool driverBooklet = false;     // DoubleSides 3 and "BookletPrint" Driver
  bool bindingEdge4 = false;      // "BindingEdge" 4Bind
  bool watermarkHidden = false;   // a driver booklet on a plug-in page record
  uint32_t feedDirection = 15;    // GetPaperFeedDirection
  // Size labels.
  uint32_t paperFigureStyle = 0;  // 1: thousandths of an inch, 0: hundredths
  int32_t customWidthMin = 0, customWidthMax = 0, customLengthMin = 0, customLengthMax = 0;
  PaperLabelInput input, output;
  bool outputRepeatsInput = false;  // OutPaperSize 356 or 357
  std::u16string resolutionName;
};

struct PaperViewEnv {
  // Size of a picture of the image library; {0, 0} when it does not load.
  PlanSize (*pictureSize)(void* context, uint32_t id);
  // Extent of a text in a font.
  PlanSize (*measure)(void* context, const PlanFontSpec& font, const std::u16string& text);
  void* context;
  int32_t logPixelsY;
};

// What the paper layer computed, for the layers above it and for tests.
struct PaperSheet {
  bool drawn = false;
  bool landscape = false;
  uint32_t image = 0, mask = 0;
  PlanRect sheet{};      // the whole bitmap
  PlanRect printable{};  // its paper part
  PlanRect page{};       // the page frame's rectangle
};

struct PaperViewPlan {
  PaperSheet sheet;
  std::vector<PaperViewOp> ops;
};

// The paper view for a control of the given rectangle.
PaperViewPlan BuildPaperViewPlan(const PaperViewInputs& in, const PlanRect& control, const PaperViewEnv& env);
// The per-page setting dialog's paper view, drawn straight into its DC: the
// paper sheet, hole punch and staples; with `full` also the zoom frame, the
// page border, binding-shift lines, overlay, watermark, fold marks and the
// sunken frame.  No background, colour badge, page numbers or size labels.
PaperViewPlan BuildPaperViewPlanEx(const PaperViewInputs& in, const PlanRect& control, const PaperViewEnv& env,
                                   bool full);

// Layers, in drawing order; each appends its operations.
struct PlanBuilder {
  const PaperViewInputs& in;
  const PaperViewEnv& env;
  PaperViewPlan& plan;
  PlanRect inner;

  PlanSize Size(uint32_t id) const { return env.pictureSize(env.context, id); }
  // A masked pair (mask = image + 1 unless given) or single bitmap at a
  // top-left corner; left out when the picture does not load.
  void Pair(uint32_t image, uint32_t mask, PlanPoint topLeft);
  void Single(uint32_t image, PlanPoint topLeft, uint32_t rop);
  PlanPoint CentredOn(uint32_t image, const PlanRect& area) const;
};

uint32_t PaperViewNupKind(const PaperViewInputs& in);
bool CombinationApplies(const PaperViewInputs& in, bool landscapeSheet);
int32_t CombinationKind(const PaperViewInputs& in);
bool IsBooklet(const PaperViewInputs& in);

void AddPaperLayer(PlanBuilder& b);
void AddColourBadge(PlanBuilder& b);
void ComputePageArea(PlanBuilder& b);
void AddZoomFrame(PlanBuilder& b);
void AddPageFrame(PlanBuilder& b);
void AddPageNumbers(PlanBuilder& b);
void AddWatermarkText(PlanBuilder& b);
void AddOverlayMark(PlanBuilder& b);
void AddFinishingMarks(PlanBuilder& b);
// Some of the finishing marks, in their drawing order.
enum FinishingLayer : uint32_t {
  kFinishBooklet = 1,      // the booklet sheet and its finishing icon
  kFinishShiftLines = 2,
  kFinishPunch = 4,
  kFinishStaples = 8,
  kFinishFolds = 16,
  kFinishAll = 31,
};
void AddFinishingMarksOf(PlanBuilder& b, uint32_t layers);
void AddSizeLabels(PlanBuilder& b);
