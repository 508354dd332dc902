// The job engine: capture of the job into temporary storage, the stores,
// and the replay of the stored job to the spooler.
#include "drender/job/job_engine.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/records/doc_fields.h"
#include "drender/job/job_output.h"
#include "drender/layout/layout_cells.h"
#include "drender/layout/layout_replay.h"
#include "drender/layout/layout_settings.h"
#include "drender/layout/overlay_form.h"
#include "drender/model/model_features.h"
#include "drender/settings/page_snapshot.h"
#include "drender/pclxl/pclxl_ops.h"
#include "drender/pjl/pjl_start_commands.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"
#include "drender/job/stored_stream.h"
#include "drender/job/temp_spool_file.h"
#include "drender/text/text_pdev.h"
#include "drender/job/xl_page_operators.h"

namespace {

constexpr uint32_t kCoverSameAsDocument = 356;
constexpr uint32_t kCoverSameAsOriginal = 357;
constexpr const char* kTabStream = "TABPROC";

DocDMode* Doc(RenderPdev* pdev) { return &pdev->state.live->devmode.doc; }
RenderJobState& Engine(RenderPdev* pdev) { return pdev->state.engine; }

bool Capturing(const RenderPdev* pdev) { return pdev->state.capturing != 0 && pdev->state.captureSpool != nullptr; }

uint32_t SpoolNumber(const RenderPdev* pdev) {
  return pdev->state.jobNumber != 0 ? pdev->state.jobNumber : pdev->state.lastJobNumber;
}

bool NupLayout(RenderPdev* pdev) {
  const DocDMode* doc = Doc(pdev);
  return DocByte(doc, kDocNupAt) != 0 && DocByte(doc, kDocNupKindAt) != 0;
}

const FaxSetting* JobFaxSetting(RenderPdev* pdev) {
  if (Engine(pdev).fax) return &Engine(pdev).fax->faxSetting;
  return reinterpret_cast<const FaxSetting*>(DocBytes(Doc(pdev)) + kFaxSettingDocAt);
}

// Appends an entry over the whole capture spool to a store through the page
// file.  An empty capture gives an empty row at the file's end.
bool StoreCapture(RenderPdev* pdev, PageStoreEntry** array, uint32_t* count, uint32_t kind,
                  const PageSettings* settings) {
  RenderJobState& e = Engine(pdev);
  TempSpool* capture = pdev->state.captureSpool;
  if (!e.pageFile || !capture) return false;
  PageStoreEntry entry;
  Entry_Init(&entry, kind, capture, settings);
  PageStoreEntry* grown;
  if (entry.length == 0) {
    entry.spool = e.pageFile;
    entry.offset = e.pageFile->length;
    grown = Entry_Append(*array, *count, &entry, nullptr);
  } else {
    grown = Entry_Append(*array, *count, &entry, e.pageFile);
  }
  if (!grown) return false;
  *array = grown;
  ++*count;
  return true;
}

void EmptyCapture(RenderPdev* pdev) {
  if (pdev->state.captureSpool) Spool_Close(pdev->state.captureSpool, 1);
}

void AdvanceSideCounter(RenderJobState& e) {
  if (e.printType == 1) {
    e.sideCounter += (e.sideCounter % 2 == 0) ? 2 : 3;
  } else if (e.newSheetRequest) {
    e.sideCounter += (e.sideCounter % 2 == 0) ? 2 : 1;
  } else {
    e.sideCounter += 1;
  }
}

void ClearBeginPageCache(RenderJobState& e) {
  e.lastTray = 0;
  e.lastMedia = 0;
  e.lastDuplexApplied = 0;
  e.lastDuplexSent = 0;
}

LayoutSettings JobLayout(RenderPdev* pdev) {
  return Layout_ReadSettings(*Doc(pdev), Rdc_GetModelValue(Rdc_Model(), kModelDriverBooklet) != 0);
}

// The orientation of the job's sheets: in driver layout the layout row's
// sheet orientation for the document's, else the document's own.
uint8_t SheetOrientation(RenderPdev* pdev) {
  const LayoutSettings ls = JobLayout(pdev);
  return ls.driverLayout ? ls.sheetOrientation : DocByte(Doc(pdev), kDocOrientationAt);
}

void ComputeFrame(RenderPdev* pdev, uint8_t orientation) {
  RenderPdevState& s = pdev->state;
  Page_ComputeJobFrame(Rdc_Model(), Doc(pdev), s.resolutionX, s.resolutionY, orientation, &s.frames[0]);
}

// The job page frame of the current settings for the sheets they print on.
void RecomputeFrame(RenderPdev* pdev) { ComputeFrame(pdev, SheetOrientation(pdev)); }

// The PJL job header: a job laid out by the driver names its sheets'
// orientation.
void WriteJobHeader(RenderPdev* pdev) {
  RenderPjlState* pjl = pdev->tail.pjl;
  if (pjl) {
    pjl->collateCopies = 0;
    pjl->sheetOrientation = JobLayout(pdev).driverLayout ? SheetOrientation(pdev) : 0;
  }
  Pjl_WriteStartCommands(pdev);
}

// Cells per sheet of a job in driver layout; 0 outside it.
uint32_t CellsPerSheet(RenderPdev* pdev) {
  const LayoutSettings ls = JobLayout(pdev);
  return ls.driverLayout ? Layout_RowOf(ls.row).cells : 0;
}

uint16_t ReplayCopies(RenderPdev* pdev) {
  return Page_EndPageCopies(Doc(pdev), pdev->tail.pjl != nullptr ? pdev->tail.pjl->collateCopies : 0);
}

// Scale of a cover page drawn at one size into a printable area of
// another, in whole percent; 100 when a size is unknown.
uint32_t CoverScalePercent(const RenderCoverGeometry& g) {
  if (g.drawnWidth == 0 || g.drawnHeight == 0 || g.printableWidth == 0 || g.printableHeight == 0) return 100;
  const uint64_t px = (uint64_t{g.printableWidth} * 1000 / g.drawnWidth + 5) / 10;
  const uint64_t py = (uint64_t{g.printableHeight} * 1000 / g.drawnHeight + 5) / 10;
  const uint64_t p = px < py ? px : py;
  return p == 0 ? 100 : (p > 2000 ? 2000 : static_cast<uint32_t>(p));
}

// The fax cover page of the current destination.  0 when its bytes could
// not be copied out.
uint32_t FaxCover_Replay(RenderPdev* pdev, uint8_t* buffer, uint16_t copies, const PageSettings* given) {
  RenderJobState& e = Engine(pdev);
  if (!JobFaxSetting(pdev)->fgFaxCoverSheet) return 1;
  const uint32_t index = e.perRecipient ? e.destination : 0;
  if (index >= e.coverCount) return 1;
  PageSettings snapshot{};
  if (given) {
    snapshot = *given;
  } else {
    Page_SaveSettings(Doc(pdev), pdev->state.headerWritten, &snapshot);
  }
  if (e.cover.paperCode != kCoverSameAsDocument && e.cover.paperCode != kCoverSameAsOriginal) {
    snapshot.outPaperSize = e.cover.paperCode;
  }
  snapshot.orientation = e.cover.landscape ? 2 : 1;
  Page_ApplySettings(Doc(pdev), &snapshot);
  ComputeFrame(pdev, snapshot.orientation);  // a cover page has a sheet of its own
  XL_BeginPage(pdev, &snapshot);
  XL_CacheResetPageFields(&pdev->state.gs);
  const PageFrame& frame = pdev->state.frames[0];
  e.originX = static_cast<int16_t>(frame.leftDots);
  e.originY = static_cast<int16_t>(frame.topDots);
  XL_SetPageOrigin(pdev);
  const int32_t scale = static_cast<int32_t>(CoverScalePercent(e.cover) * 10000);
  XL_SetPageScale(pdev, scale, scale);
  if (!Rdc_CopyOutEntry(pdev, e.covers[index], buffer)) return 0;
  XL_EndPage(pdev, copies);
  Rdc_ResetPageState(pdev);
  return 1;
}

}  // namespace

uint32_t Rdc_CopyOutEntry(RenderPdev* pdev, const PageStoreEntry& entry, uint8_t* buffer) {
  return Xl_CopySpoolRange(&pdev->state.xl, entry.spool, entry.offset, entry.length, buffer, kEntryPieceSize);
}

uint32_t Rdc_ReplayStoredPage(RenderPdev* pdev, const PageStoreEntry& page, uint8_t* buffer, uint16_t copies) {
  PageSettings snapshot = page.settings;
  Page_ApplySettings(Doc(pdev), &snapshot);
  XL_BeginPage(pdev, &snapshot);
  XL_CacheResetPageFields(&pdev->state.gs);
  Overlay_ApplyToPage(pdev, false);
  Layout_SetupDirectPage(pdev, false);
  if (!Rdc_CopyOutEntry(pdev, page, buffer)) return 0;
  Overlay_ApplyToPage(pdev, true);
  if (snapshot.tabMark == 1 && Engine(pdev).tabStream) {
    Rdc_ReleaseFonts(pdev);
    XL_ExecStream(pdev, kTabStream);
  }
  XL_EndPage(pdev, copies);
  Rdc_ResetPageState(pdev);
  if (snapshot.tabMark == 0 && Engine(pdev).tabStream) Tab_PrintPage(pdev);
  return 1;
}

void Rdc_ResetPageState(RenderPdev* pdev) {
  if (DocByte(Doc(pdev), DOC_FIELD_AT(nFontDownLoad)) == 2) Rdc_ReleaseFonts(pdev);
  XL_CachePageReset(&pdev->state.gs, NupLayout(pdev));
}

void Rdc_ReleaseFonts(RenderPdev* pdev) { Text_ReleaseFonts(pdev); }

void Rdc_StoreJobPart(RenderPdev* pdev, uint32_t kind) {
  RenderJobState& e = Engine(pdev);
  if (StoreCapture(pdev, &e.parts, &e.partCount, kind, nullptr) && kind == 1 && e.partCount == 1) e.headerStored = 1;
  EmptyCapture(pdev);
}

void Rdc_StoreCapturedPage(RenderPdev* pdev) {
  RenderJobState& e = Engine(pdev);
  if (e.pageReorder) Rdc_ReleaseFonts(pdev);
  const bool blank =
      DocByte(Doc(pdev), DOC_FIELD_AT(bStopBlankPaper)) != 0 && e.pageHasMarks == 0 && pdev->state.gs.contentFlags == 0;
  if (!blank) {
    // In driver layout a sheet ends with its last cell.
    const uint32_t cells = CellsPerSheet(pdev);
    if (cells == 0 || e.cellCounter % cells == 0) {
      AdvanceSideCounter(e);
      e.sheetOpen = 0;
      e.newSheetRequest = 0;
    }
    const bool createForm = DocByte(Doc(pdev), kDocOverlayCreateAt) != 0;
    const bool empty = !pdev->state.captureSpool || pdev->state.captureSpool->length == 0;
    if (!empty && (!createForm || e.pageCount == 0)) {
      StoreCapture(pdev, &e.pages, &e.pageCount, e.pageCount + 1, &e.current);
    }
  }
  EmptyCapture(pdev);
}

void Rdc_AppendCaptureToLastPage(RenderPdev* pdev) {
  RenderJobState& e = Engine(pdev);
  TempSpool* capture = pdev->state.captureSpool;
  if (!capture || capture->length == 0 || e.pageCount == 0 || !e.pageFile) return;
  PageStoreEntry& last = e.pages[e.pageCount - 1];
  TempSpool* file = e.pageFile;
  // The page's bytes must stay one range: when something was stored after
  // the page, the page moves to the end of the file first.
  uint32_t start = last.offset;
  if (last.offset + last.length != file->length) {
    start = file->length;
    if (last.length > 0 && !Spool_Copy(file, last.offset, file, start, last.length)) return;
  }
  if (!Spool_Copy(capture, 0, file, start + last.length, capture->length)) return;
  last.offset = start;
  last.length += capture->length;
  last.spool = file;
  EmptyCapture(pdev);
}

void Rdc_StoreCoverPage(RenderPdev* pdev, const RenderCoverGeometry& geometry) {
  RenderJobState& e = Engine(pdev);
  e.cover = geometry;
  StoreCapture(pdev, &e.covers, &e.coverCount, e.coverCount + 1, &e.current);
  EmptyCapture(pdev);
}

void Rdc_StartJob(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  const DocDMode* doc = Doc(pdev);
  // A job the driver lays out is framed by its sheets.
  if (JobLayout(pdev).driverLayout) {
    RecomputeFrame(pdev);
    s.frames[1] = s.frames[2] = s.frames[0];
  }
  s.capturing = 1;
  const int16_t overlayForm = DocI16(doc, DOC_FIELD_AT(nFormListPos));
  const uint8_t nupKind = DocByte(doc, kDocNupKindAt);
  e.pageReorder = (DocByte(doc, kDocDoubleSidesAt) == 3 && Rdc_IsDriverBooklet(Rdc_Model(), doc)) ||
                          DocByte(doc, kDocOverlayCreateAt) != 0 ||
                          (DocByte(doc, DOC_FIELD_AT(bOverlay)) == 1 && overlayForm != -1) ||
                          DocByte(doc, DOC_FIELD_AT(bStopBlankPaper)) != 0 ||
                          (DocByte(doc, kDocNupAt) != 0 && nupKind >= 7 && nupKind <= 9)
                      ? 1
                      : 0;
  if (!s.captureSpool) s.captureSpool = Spool_Create(SpoolNumber(pdev), kSpoolMemory);
  if (!e.pageFile) e.pageFile = Spool_Create(SpoolNumber(pdev), kSpoolFile);
  e.originX = 0;
  e.originY = 0;
  Rdc_ResetPageState(pdev);
  if (s.headerWritten) return;
  WriteJobHeader(pdev);
  XL_WriteStreamHeader(pdev);
  XL_BeginSession(pdev);
  XL_OpenDataSource(pdev);
  if (Capturing(pdev) && e.pageFile) Rdc_StoreJobPart(pdev, 1);
  s.headerWritten = 1;
}

void Rdc_StartPage(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  e.pageHasMarks = 0;
  s.gs.contentFlags = 0;
  if (Capturing(pdev)) {
    XL_CacheClearClip(&s.gs);
    std::memset(&e.current, 0, sizeof e.current);
    Page_SaveSettings(Doc(pdev), s.headerWritten, &e.current);
    e.printType = e.current.doubleSides;
    // A page of a driver layout takes the next cell; the first cell opens
    // a sheet.
    if (const uint32_t cells = CellsPerSheet(pdev)) {
      if (e.cellCounter % cells == 0) e.sheetOpen = 1;
      ++e.cellCounter;
    }
  }
  XL_CacheResetPageFields(&s.gs);
  Text_PageStart(pdev);
  XL_SetPageClip(pdev);
  XL_SetClipMode(&s.xl, &s.gs, 0);
  XL_SetFillMode(&s.xl, &s.gs, 0);
  XL_SelectRop(&s.xl, &s.gs, 204);
  s.output.jobFlags |= kJobPageOpen;
}

void Rdc_EndPage(RenderPdev* pdev) {
  if (Capturing(pdev)) Rdc_StoreCapturedPage(pdev);
  Rdc_ResetPageState(pdev);
  pdev->state.output.jobFlags = (pdev->state.output.jobFlags & ~kJobPageOpen) | kJobPageEnded;
}

void Rdc_ReplayJob(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  s.capturing = 0;
  const uint16_t copies = ReplayCopies(pdev);
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kEntryPieceSize]);
  if (!buffer) return;
  const PageSettings* first = e.pageCount > 0 ? &e.pages[0].settings : nullptr;
  if (e.headerStored) {
    if (first) Page_ApplySettings(Doc(pdev), first);
    RecomputeFrame(pdev);
    WriteJobHeader(pdev);
    XL_WriteStreamHeader(pdev);
    XL_BeginSession(pdev);
    XL_OpenDataSource(pdev);
  }
  Overlay_DefineStream(pdev, buffer.get());
  bool ok;
  if (!first) {
    ok = FaxCover_Replay(pdev, buffer.get(), copies, nullptr) != 0;
  } else {
    e.cellCounter = 0;
    ClearBeginPageCache(e);
    e.printType = 0;
    Page_ApplySettings(Doc(pdev), first);
    RecomputeFrame(pdev);
    ok = FaxCover_Replay(pdev, buffer.get(), copies, first) != 0;
    // Every stored page in drawing order; pages the driver drew as front or
    // back cover of a job that is not a booklet are pages like the others.
    if (ok && Layout_JobNeedsLayout(pdev)) {
      ok = Layout_ReplayPages(pdev, buffer.get(), copies) != 0;
    } else {
      for (uint32_t i = 0; ok && i < e.pageCount; ++i) {
        ok = Rdc_ReplayStoredPage(pdev, e.pages[i], buffer.get(), copies) != 0;
      }
    }
  }
  if (ok) {
    const uint32_t trailer = e.headerStored ? 1 : 0;
    if (trailer < e.partCount) Rdc_CopyOutEntry(pdev, e.parts[trailer], buffer.get());
    if (first) Page_ApplySettings(Doc(pdev), first);
  }
}

void Rdc_EndJob(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  if (Capturing(pdev)) {
    // Bytes drawn after the last page end, and a page begun but never
    // ended, are dropped.
    EmptyCapture(pdev);
    if (!(s.output.jobFlags & kJobPageEnded)) Rdc_StoreCapturedPage(pdev);
  }
  Rdc_ReleaseFonts(pdev);
  XL_CloseDataSource(pdev);
  XL_EndSession(pdev);
  Pjl_WriteTrailer(pdev);
  e.sideCounter = 0;
  e.sheetOpen = 0;
  e.newSheetRequest = 0;
  if (Capturing(pdev) && e.pageFile) {
    Rdc_StoreJobPart(pdev, 2);
    if (!DocByte(Doc(pdev), kDocOverlayCreateAt)) {
      const bool cover = JobFaxSetting(pdev)->fgFaxCoverSheet != 0;
      RenderPjlState* pjl = pdev->tail.pjl;
      if (cover && e.perRecipient) {
        // One complete job per destination; a block without destinations
        // still gives the job once.
        const uint32_t count = e.destinationCount > 0 ? e.destinationCount : 1;
        for (uint32_t d = 0; d < count; ++d) {
          e.destination = d;
          if (pjl) pjl->replayDestination = d;
          Rdc_ReplayJob(pdev);
        }
      } else {
        e.destination = 0;
        if (pjl) pjl->replayDestination = 0;
        Rdc_ReplayJob(pdev);
      }
    } else {
      Form_WriteOverlayFile(pdev);
    }
  }
  Rdc_DiscardStores(pdev);
  s.capturing = 0;
  ClearBeginPageCache(e);
  e.printType = 0;
  e.cellCounter = 0;
  e.sideCounter = 0;
  e.sheetCopiesCounter = 0;
  e.destination = 0;
  if (pdev->tail.pjl) {
    pdev->tail.pjl->collateCopies = 0;
    pdev->tail.pjl->replayDestination = 0;
    pdev->tail.pjl->sheetOrientation = 0;
  }
  // The frame of the document's own pages again.
  ComputeFrame(pdev, DocByte(Doc(pdev), kDocOrientationAt));
  s.frames[1] = s.frames[2] = s.frames[0];
}

void Rdc_DiscardStores(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  Entry_FreeArray(e.parts);
  Entry_FreeArray(e.pages);
  Entry_FreeArray(e.covers);
  e.parts = e.pages = e.covers = nullptr;
  e.partCount = e.pageCount = e.coverCount = 0;
  e.headerStored = 0;
  Spool_Free(s.captureSpool);
  Spool_Free(e.pageFile);
  Spool_Free(e.savedCapture);
  s.captureSpool = nullptr;
  e.pageFile = nullptr;
  e.savedCapture = nullptr;
}

void Rdc_DiscardJob(RenderPdev* pdev) {
  Rdc_DiscardStores(pdev);
  Rdc_FreeFaxData(pdev);
}

void Tab_BeginCapture(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  Rdc_ReleaseFonts(pdev);
  XlOp_PushGS(&s.xl);
  Rdc_ResetPageState(pdev);
  TempSpool* tab = Spool_Create(SpoolNumber(pdev), kSpoolMemory);
  if (!tab) return;
  Spool_Free(e.savedCapture);  // a capture begun twice keeps the first destination
  e.savedCapture = s.captureSpool;
  e.savedCapturing = s.capturing;
  s.captureSpool = tab;
  s.capturing = 1;
  e.tabStream = 1;
}

void Tab_EndCapture(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  RenderJobState& e = s.engine;
  Rdc_ReleaseFonts(pdev);
  if (!e.savedCapture && !e.savedCapturing) return;  // no capture was begun
  TempSpool* tab = s.captureSpool;
  s.captureSpool = e.savedCapture;
  s.capturing = e.savedCapturing;
  e.savedCapture = nullptr;
  e.savedCapturing = 0;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kEntryPieceSize]);
  if (tab && buffer) {
    PageStoreEntry entry;
    Entry_Init(&entry, 0, tab, nullptr);
    Xl_WriteStoredStream(&s.xl, &entry, kTabStream, buffer.get(), kEntryPieceSize);
  }
  XlOp_PopGS(&s.xl);
  Rdc_ResetPageState(pdev);
  Spool_Free(tab);
}

void Tab_PrintPage(RenderPdev* pdev) {
  RenderJobState& e = Engine(pdev);
  const uint32_t sides = e.sideCounter;
  e.tabDrawMode = 1;
  XL_BeginCurrentPage(pdev);
  XL_CacheResetPageFields(&pdev->state.gs);
  Rdc_ReleaseFonts(pdev);
  XL_ExecStream(pdev, kTabStream);
  XL_EndPage(pdev, ReplayCopies(pdev));
  Rdc_ResetPageState(pdev);
  e.tabDrawMode = 0;
  e.sideCounter = sides;
}

uint32_t Rdc_SetFaxData(RenderPdev* pdev, const FaxSendBlock* block) {
  RenderJobState& e = Engine(pdev);
  if (e.fax) return 1;  // the first block of a job stays
  auto* copy = static_cast<FaxSendBlock*>(std::calloc(1, sizeof(FaxSendBlock)));
  if (!copy) return 0;
  std::memcpy(copy, block, sizeof(FaxSendBlock));
  // Only 100 destination rows exist.
  if (copy->wRecipientCount > kFaxMaxRecipients) copy->wRecipientCount = kFaxMaxRecipients;
  e.fax = copy;
  e.destinationCount = copy->wRecipientCount;
  e.perRecipient =
      copy->coverSheet[kFaxCoverRecipientModeAt] != 0 && copy->coverSheet[kFaxCoverRecipientSettingAt] == 1;
  return 1;
}

void Rdc_FreeFaxData(RenderPdev* pdev) {
  RenderJobState& e = Engine(pdev);
  std::free(e.fax);
  e.fax = nullptr;
  e.destinationCount = 0;
  e.perRecipient = 0;
}

void Rdc_CarryJobState(RenderPdev* from, RenderPdev* to) {
  RenderPdevState& a = from->state;
  RenderPdevState& b = to->state;
  // The fax block belongs to the job, whichever PDEV carries it.
  if (a.engine.fax && !b.engine.fax) {
    b.engine.fax = a.engine.fax;
    b.engine.destinationCount = a.engine.destinationCount;
    b.engine.perRecipient = a.engine.perRecipient;
    a.engine.fax = nullptr;
    a.engine.destinationCount = 0;
    a.engine.perRecipient = 0;
  }
  if (!a.headerWritten && a.jobNumber == 0) return;
  if (b.jobNumber == 0 && a.headerWritten) {
    Rdc_ReleaseFonts(from);
    if (Capturing(from)) Rdc_AppendCaptureToLastPage(from);
  }
  // The whole job moves: the old PDEV keeps nothing it could free.
  Rdc_DiscardStores(to);
  FaxSendBlock* fax = b.engine.fax;
  const uint32_t destinations = b.engine.destinationCount;
  const uint32_t perRecipient = b.engine.perRecipient;
  b.engine = a.engine;
  b.engine.fax = fax;
  b.engine.destinationCount = destinations;
  b.engine.perRecipient = perRecipient;
  b.capturing = a.capturing;
  b.captureSpool = a.captureSpool;
  b.headerWritten = a.headerWritten;
  b.faxCancelled = a.faxCancelled;
  b.authFailed = a.authFailed;
  std::memcpy(b.jobId, a.jobId, sizeof b.jobId);
  std::memset(&a.engine, 0, sizeof a.engine);
  a.captureSpool = nullptr;
  a.capturing = 0;
  Page_CopyJobIdentity(a.live, b.live);
  std::memcpy(&b.live->device.option, &a.live->device.option, sizeof b.live->device.option);
  if (b.jobNumber != 0 || !a.headerWritten) return;
  // The job goes on with its own settings; the new PDEV brings only what a
  // page may change.
  std::unique_ptr<DocDMode> settings(new (std::nothrow) DocDMode);
  if (!settings) return;
  std::memcpy(settings.get(), &a.live->devmode.doc, sizeof(DocDMode));
  Page_TakePageFields(settings.get(), &b.live->devmode.doc);
  std::memcpy(&b.live->devmode.doc, settings.get(), sizeof(DocDMode));
  const DocDMode* before = &a.live->devmode.doc;
  const DocDMode* after = &b.live->devmode.doc;
  if (Rdc_IsDriverLayout(Rdc_Model(), after) &&
      (Page_SettingsDiffer(Rdc_Model(), before, after) || Page_LayoutDiffers(before, after))) {
    b.engine.cellCounter = 0;  // the next page begins a new sheet
  }
}
