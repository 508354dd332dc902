// Session and page operators: the stream framing and BeginPage with the
// attributes a page's settings, the model and the page templates of the
// command file ask for.
#include "drender/job/xl_page_operators.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "drender/settings/job_binding.h"
#include "drender/layout/layout_replay.h"
#include "drender/model/model_features.h"
#include "drender/settings/binding_edge.h"
#include "drender/settings/page_snapshot.h"
#include "drender/settings/paper_geometry.h"
#include "drender/pclxl/pclxl_numeric.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/pclxl/pclxl_vendor_unique.h"
#include "drender/pjl/pjl_job.h"
#include "drender/pjl/pjl_model_values.h"
#include "drender/pjl/pjl_paper.h"
#include "drender/pjl/pjl_start_commands.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"

namespace {

struct NameValue {
  const char* name;
  uint8_t value;
};

constexpr NameValue kMediaSources[] = {
    {"eAutoSelect", 1},      {"eManualFeed", 2},     {"eMultiPurposeTray", 3}, {"eUpperCassette", 4},
    {"eLowerCassette", 5},   {"eEnvelopeTray", 6},   {"eThirdCassette", 7},    {"eTray5", 255},
};

constexpr NameValue kMediaSizes[] = {
    {"eLetterPaper", 0},      {"eLegalPaper", 1},        {"eA4Paper", 2},          {"eExecPaper", 3},
    {"eLedgerPaper", 4},      {"eA3Paper", 5},           {"eCOM10Envelope", 6},    {"eMonarchEnvelope", 7},
    {"eC5Envelope", 8},       {"eDLEnvelope", 9},        {"eJB4Paper", 10},        {"eJB5Paper", 11},
    {"eB5Envelope", 12},      {"eJPostcard", 14},        {"eJDoublePostcard", 15}, {"eA5Paper", 16},
    {"eA6Paper", 17},         {"eJB6Paper", 18},         {"JIS16K", 20},           {"JISExec", 21},
    {"e4x6inchPaper", 42},    {"e11x14inchPaper", 70},   {"eDK8Paper", 140},       {"eYoukei4Paper", 151},
    {"eA3WidePaper", 185},    {"eSPFolio", 195},         {"eEnvelopeChou3", 196},  {"eEnvelopeChou4", 197},
    {"eKAI_32", 198},         {"eKAI_16", 199},          {"eKAI_8", 200},          {"eC6Envelope", 202},
    {"eISOB5Paper", 226},     {"eStatementPaper", 232},  {"eFolioPaper", 233},     {"eFoolscapPaper", 234},
    {"eQuartoPaper", 235},    {"eUSGovtLetterPaper", 239}, {"e12x18inchPaper", 246},
};

constexpr uint8_t kUnknownMediaSize = 50;
constexpr uint16_t kSameAsOriginal = 357;
constexpr uint16_t kAutoTray = 7;

template <size_t N>
bool LookUp(const NameValue (&table)[N], const char* name, uint8_t* value) {
  for (const NameValue& row : table) {
    if (std::strcmp(row.name, name) == 0) {
      *value = row.value;
      return true;
    }
  }
  return false;
}

XlEncoder* Enc(RenderPdev* pdev) { return &pdev->state.xl; }

const CommandTemplateList* PageTemplates(const RenderPdev* pdev) {
  return pdev->tail.pjl ? pdev->tail.pjl->templates.beginPage : nullptr;
}

// What a template entry says.
enum class EntryKind { None, Number, VendorUnique, Name };
struct EntryValue {
  EntryKind kind = EntryKind::None;
  uint32_t number = 0;
  const char* text = nullptr;
};

bool AllDigits(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return true;
}

EntryValue Classify(const CommandTemplateRow* row, const char* name) {
  EntryValue v;
  if (!row || !row->entries || !name || !name[0]) return v;
  const uint32_t at = Pjl_FindEntry(row->entries, name);
  if (!row->entries[at].name[0]) return v;
  const char* text = row->entries[at].text;
  v.text = text;
  if (AllDigits(text)) {
    v.kind = EntryKind::Number;
    v.number = 0;
    for (const char* p = text; *p && v.number < 100000; ++p) v.number = v.number * 10 + static_cast<uint32_t>(*p - '0');
  } else if (Rdc_IsVendorUniqueText(text)) {
    v.kind = EntryKind::VendorUnique;
  } else {
    v.kind = EntryKind::Name;
  }
  return v;
}

}  // namespace

uint32_t XL_WriteStreamHeader(RenderPdev* pdev) {
  const ModelInfo* model = Rdc_Model();
  char line[64];
  const int n = std::snprintf(line, sizeof line, ") HP-PCL XL;%d;%d;\n", model ? model->pdlClass : 0,
                              model ? model->pdlRevision : 0);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof line) return 0;
  return XL_WriteRaw(Enc(pdev), line, static_cast<uint32_t>(n));
}

uint32_t XL_BeginSession(RenderPdev* pdev) {
  const XlUInt16XY units{static_cast<uint16_t>(pdev->state.resolutionX), static_cast<uint16_t>(pdev->state.resolutionY)};
  return XlOp_BeginSession(Enc(pdev), units, 0, 2);
}

uint32_t XL_OpenDataSource(RenderPdev* pdev) { return XlOp_OpenDataSource(Enc(pdev), 0, 1); }
uint32_t XL_CloseDataSource(RenderPdev* pdev) { return XlOp_CloseDataSource(Enc(pdev)); }
uint32_t XL_EndSession(RenderPdev* pdev) { return XlOp_EndSession(Enc(pdev)); }

uint32_t XL_BeginPage(RenderPdev* pdev, PageSettings* snapshot) {
  RenderJobState& e = pdev->state.engine;
  const ModelInfo* model = Rdc_Model();
  const CommandTemplateList* templates = PageTemplates(pdev);
  const CommandTemplateRow* mediaRow = Pjl_FindRow(templates, "BP_MediaType");
  const bool hasDuplexRow = Pjl_FindRow(templates, "BP_DoubleSides") != nullptr;

  // A page "same as the original" whose original paper the model does not
  // know is printed on the model's default paper.
  const uint16_t original = snapshot->paperSize;
  if (snapshot->outPaperSize == kSameAsOriginal && !Paper_IsUserSize(original) &&
      FindPaperById(model, original) == nullptr) {
    const uint16_t fallback = Rdc_DefaultPaperId();
    const PaperSizeEntry* entry = fallback != 0xFFFF ? FindPaperById(model, fallback) : nullptr;
    if (entry != nullptr) {
      snapshot->paperSize = fallback;
      snapshot->paperWidth = static_cast<uint16_t>(entry->width);
      snapshot->paperLength = static_cast<uint16_t>(entry->length);
    }
  }

  std::unique_ptr<DocDMode> page(new (std::nothrow) DocDMode);
  if (!page) return 0;
  std::memcpy(page.get(), &pdev->state.live->devmode.doc, sizeof(DocDMode));
  Page_ApplySettings(page.get(), snapshot);
  PaperSheet sheet{};
  const bool havePaper = Paper_GetPaperInfo(model, page.get(), &sheet) && sheet.name[0];

  // The media type of a page fed from a tray with media of its own.
  uint16_t media = snapshot->mediaType;
  const uint16_t tray = snapshot->inTray;
  if (model && Pjl_ModelValues(model).perTrayMedia && tray >= 257 && tray <= 266) {
    media = static_cast<uint16_t>(DocI16(page.get(), kDocTrayEntriesAt + (tray - 257u) * kDocTrayEntrySize +
                                                         kDocTrayEntryMediaTypeAt));
  }

  XlEncoder* enc = Enc(pdev);
  uint8_t source = 1;
  uint8_t size = kUnknownMediaSize;
  const char* mediaName = nullptr;
  if (templates) {
    for (const InTrayEntry* t = model ? model->inTrays : nullptr; t && t->keyword[0]; ++t) {
      if (t->binId != tray) continue;
      EntryValue v = Classify(Pjl_FindRow(templates, "BP_InTray"), t->keyword);
      if (v.kind == EntryKind::Number) source = static_cast<uint8_t>(v.number);
      if (v.kind == EntryKind::VendorUnique) XL_VendorUnique(enc, v.text);
      if (v.kind == EntryKind::Name && !LookUp(kMediaSources, v.text, &source)) source = 1;
      break;
    }
    if (havePaper) {
      EntryValue v = Classify(Pjl_FindRow(templates, "BP_OutPaperSize"), sheet.name);
      if (v.kind == EntryKind::Number) size = static_cast<uint8_t>(v.number);
      if (v.kind == EntryKind::VendorUnique) XL_VendorUnique(enc, v.text);
      if (v.kind == EntryKind::Name && !LookUp(kMediaSizes, v.text, &size)) size = kUnknownMediaSize;
    }
    if (mediaRow) {
      for (const ModelListItem* m = model ? model->mediaTypes : nullptr; m && m->keyword[0]; ++m) {
        if (m->value != media) continue;
        EntryValue v = Classify(mediaRow, m->keyword);
        if (v.kind == EntryKind::VendorUnique) XL_VendorUnique(enc, v.text);
        if (v.kind == EntryKind::Name && v.text[0]) mediaName = v.text;
        break;
      }
    }
  }
  if (havePaper && sheet.code == 256) size = kUnknownMediaSize;

  XlPageStart start{};
  if (tray != e.lastTray) {
    start.hasMediaSource = true;
    start.mediaSource = source;
    e.lastTray = tray;
  }
  const bool rotate = snapshot->rotate180 != 0;
  start.orientation = snapshot->orientation == 1 ? (rotate ? 2 : 0) : (rotate ? 3 : 1);
  e.lastOrientation = snapshot->orientation;
  start.mediaSize = size;
  if (media != e.lastMedia) {
    e.lastMedia = media;
    if (mediaName) {
      start.mediaType = XlUByteArray{reinterpret_cast<const uint8_t*>(mediaName),
                                     static_cast<uint32_t>(std::strlen(mediaName))};
    }
  }
  const uint8_t sides = snapshot->doubleSides;
  if (sides != e.lastDuplexSent) {
    if (hasDuplexRow) {
      if (sides == 1) {
        start.sides = XlPageSides::Simplex;
        start.sidesValue = 0;
      } else {
        start.sides = XlPageSides::Duplex;
        start.sidesValue = Page_DuplexPageMode(model, snapshot, Pjl_ModelValues(model).driverBooklet);
      }
    }
    e.lastDuplexSent = sides;
  }
  e.lastDuplexApplied = sides;
  return XlOp_BeginPage(enc, start);
}

uint32_t XL_BeginCurrentPage(RenderPdev* pdev) {
  PageSettings snapshot{};
  Page_SaveSettings(&pdev->state.live->devmode.doc, pdev->state.headerWritten, &snapshot);
  return XL_BeginPage(pdev, &snapshot);
}

uint32_t XL_EndPage(RenderPdev* pdev, uint16_t copies) {
  RenderJobState& e = pdev->state.engine;
  uint32_t step;
  if (e.lastDuplexApplied == 1) {
    step = (e.sideCounter % 2 == 0) ? 2 : 3;
  } else if (e.newSheetRequest) {
    step = (e.sideCounter % 2 == 0) ? 2 : 1;
  } else {
    step = 1;
  }
  e.sheetCopiesCounter += step * copies;
  e.sideCounter += step;
  e.lastCopies = copies;
  return XlOp_EndPage(Enc(pdev), e.copyOverride ? e.copyOverride : copies);
}

uint32_t XL_SetPageOrigin(RenderPdev* pdev) {
  const RenderJobState& e = pdev->state.engine;
  return XlOp_SetPageOrigin(Enc(pdev), XlSInt16XY{e.originX, e.originY});
}

uint32_t XL_SetPageScale(RenderPdev* pdev, int32_t sx, int32_t sy) {
  return XlOp_SetPageScale(Enc(pdev), XlReal32XY{{Rdc_MillionthsToReal32(sx)}, {Rdc_MillionthsToReal32(sy)}});
}

uint32_t XL_SetPageDefaultCTM(RenderPdev* pdev) { return XlOp_SetPageDefaultCTM(Enc(pdev)); }
uint32_t XL_SetClipToPage(RenderPdev* pdev) { return XlOp_SetClipToPage(Enc(pdev)); }

uint32_t XL_ExecStream(RenderPdev* pdev, const char* name) {
  return XlOp_ExecStream(Enc(pdev), XlUByteArray{reinterpret_cast<const uint8_t*>(name),
                                                 static_cast<uint32_t>(std::strlen(name))});
}

namespace {

uint32_t Narrow16(uint64_t v) { return v > 0xFFFF ? 0xFFFF : static_cast<uint32_t>(v); }

// The cell or zoom area of an N-up page in page units: the cell size, or
// with a zoom value the part of it the zoomed page covers.
void NupClipSize(RenderPdev* pdev, uint32_t* w, uint32_t* h) {
  Gfx_GetCellSize(pdev, w, h);
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  if (DocByte(doc, kDocZoomAt) != 0) return;
  const uint32_t s = Layout_ZoomOverFitPercent(pdev, true);
  if (s == 0 || s == 100) return;
  *w = Narrow16(uint64_t{*w} * 100 / s);
  *h = Narrow16(uint64_t{*h} * 100 / s);
}

// True when the page is printed on an output paper other than its own whose
// size differs from the job's page frame: the zoom area is then the clip.
bool ZoomClipDue(RenderPdev* pdev) {
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  const ModelInfo* model = Rdc_Model();
  if (Paper_IsSameAsOriginal(model, doc)) return false;
  uint32_t size[2] = {}, margins[4] = {};
  Paper_GetPrintableArea(model, doc, size, margins);
  const PageFrame& frame = pdev->state.frames[0];
  return size[0] != frame.paperWidth || size[1] != frame.paperHeight;
}

bool PosterJob(const DocDMode* doc) {
  const uint8_t kind = DocByte(doc, kDocNupKindAt);
  return DocByte(doc, kDocNupAt) != 0 && kind >= 7 && kind <= 9;
}

}  // namespace

void Gfx_GetCellSize(RenderPdev* pdev, uint32_t* w, uint32_t* h) {
  const PageFrame& f = pdev->state.frames[0];
  auto inner = [](uint32_t paper, uint32_t printable, uint32_t offset) {
    const int64_t other = int64_t{paper} - printable - offset;
    const int64_t margin = other > int64_t{offset} ? other : int64_t{offset};
    const int64_t extent = int64_t{paper} - 2 * margin;
    return extent > 0 ? static_cast<uint32_t>(extent) : 0u;
  };
  *w = inner(f.paperWidthDots, f.printableWidthDots, f.leftDots);
  *h = inner(f.paperHeightDots, f.printableHeightDots, f.topDots);
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  const uint32_t kind = Rdc_GetNupKind(doc);
  if (kind == 1 || kind == 3 || Rdc_IsDriverBooklet(Rdc_Model(), doc)) {
    const uint32_t t = *w;
    *w = *h;
    *h = t;
  }
}

void Gfx_GetZoomClipSize(RenderPdev* pdev, uint32_t* w, uint32_t* h) {
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  const PageFrame& pdevFrame = pdev->state.frames[0];
  PageFrame job{};
  Layout_OutputFrame(pdev, DocByte(doc, kDocOrientationAt), &job);
  const uint64_t W = pdevFrame.printableWidth, H = pdevFrame.printableHeight;
  const uint64_t PW = pdevFrame.printableWidthDots, PH = pdevFrame.printableHeightDots;
  *w = Narrow16(PW);
  *h = Narrow16(PH);
  const uint64_t zoom = static_cast<uint16_t>(DocI16(doc, kDocZoomValueAt));
  if (W == 0 || H == 0 || PW == 0 || PH == 0 || zoom == 0) return;
  const uint64_t cx = (uint64_t{job.printableWidth} * 100 + W / 2) / W;
  const uint64_t cy = (uint64_t{job.printableHeight} * 100 + H / 2) / H;
  const bool deviceBooklet = DocByte(doc, kDocDoubleSidesAt) == 3 && Rdc_GetModelValue(Rdc_Model(), kModelDriverBooklet) == 0;
  if (DocByte(doc, kDocZoomAt) != 0 || (cx < cy ? cx : cy) >= zoom || deviceBooklet) return;
  const uint64_t sx = uint64_t{job.printableWidthDots} * 10000 / PW, sy = uint64_t{job.printableHeightDots} * 10000 / PH;
  const uint64_t s = sx < sy ? sx : sy;
  *w = Narrow16(uint64_t{Narrow16(s * PW / 10000)} * 10000 / (zoom * 100));
  *h = Narrow16(uint64_t{Narrow16(s * PH / 10000)} * 10000 / (zoom * 100));
}

uint32_t XL_SetPageClip(RenderPdev* pdev) {
  XlStateCache& gs = pdev->state.gs;
  if (gs.pageClipState != 0) return 1;
  gs.pageClipState = 1;
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  uint32_t w = 0, h = 0;
  if (Rdc_GetNupKind(doc) != 0) {
    NupClipSize(pdev, &w, &h);
  } else if (ZoomClipDue(pdev) || PosterJob(doc)) {
    Gfx_GetZoomClipSize(pdev, &w, &h);
  } else {
    return XlOp_SetClipToPage(Enc(pdev));
  }
  const uint32_t ok =
      XlOp_SetClipRectangle(Enc(pdev), XlUInt16Box{0, 0, static_cast<uint16_t>(w), static_cast<uint16_t>(h)}, 0);
  gs.pageClipState = 1;
  return ok;
}

uint32_t XL_ClearPageClip(RenderPdev* pdev) {
  pdev->state.gs.pageClipState = 0;
  return XL_SetPageClip(pdev);
}

uint32_t Gfx_ApplyCellClip(RenderPdev* pdev) {
  const DocDMode* doc = &pdev->state.live->devmode.doc;
  uint32_t w = 0, h = 0;
  if (Rdc_GetNupKind(doc) != 0) {
    NupClipSize(pdev, &w, &h);
  } else if (ZoomClipDue(pdev)) {
    Gfx_GetZoomClipSize(pdev, &w, &h);
  } else {
    return 1;
  }
  XlOp_RectanglePath(Enc(pdev), XlUInt16Box{0, 0, static_cast<uint16_t>(w), static_cast<uint16_t>(h)});
  return XlOp_SetClipIntersect(Enc(pdev), 0);
}

uint32_t XL_SetClipReplace(RenderPdev* pdev) {
  const uint32_t ok = XlOp_SetClipReplace(Enc(pdev), 0);
  pdev->state.gs.pageClipState = 0;
  Gfx_ApplyCellClip(pdev);
  return ok;
}

uint32_t XL_SetClipRectangle16(RenderPdev* pdev, int16_t left, int16_t top, int16_t right, int16_t bottom) {
  const uint32_t ok = XlOp_SetClipRectangle(Enc(pdev), XlSInt16Box{left, top, right, bottom}, 0);
  pdev->state.gs.pageClipState = 0;
  Gfx_ApplyCellClip(pdev);
  return ok;
}
