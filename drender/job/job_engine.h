// The job engine of the render core: every job is captured into temporary
// storage from its first page on (the header part, each page, the fax
// cover pages, the trailer part) and replayed to the spooler when the
// document ends, once, or once per fax destination when each destination
// gets a cover page of its own.
//
//   Rdc_StartJob      first page of a document: spools, PJL header, stream
//                     header, BeginSession, OpenDataSource (stored as the
//                     header part)
//   Rdc_StartPage     per page: snapshot of the page settings, page state
//   Rdc_EndPage       per page: the captured page becomes a stored entry
//   Rdc_EndJob        the trailer part, the replay(s), the spools deleted
#pragma once

#include <cstdint>

#include "common/records/fax_send_block.h"
#include "drender/settings/page_settings.h"
#include "drender/job/temp_spool.h"

struct RenderPdev;

// Cover page geometry of the store-page escape.
struct RenderCoverGeometry {
  uint16_t paperCode;
  uint32_t drawnWidth, drawnHeight;
  uint32_t printableWidth, printableHeight;
  uint32_t landscape;
};

// The job state of a PDEV.
struct RenderJobState {
  uint32_t pageReorder;        // pages may be replayed in another order
  TempSpool* pageFile;         // every stored part of the job
  PageStoreEntry* parts;       // row 0 header part (kind 1), row 1 trailer part (kind 2)
  uint32_t partCount;
  PageStoreEntry* pages;       // captured pages, kind = number from 1
  uint32_t pageCount;
  PageStoreEntry* covers;      // fax cover pages
  uint32_t coverCount;
  uint8_t headerStored;
  uint8_t lastOrientation;     // of the last BeginPage
  uint8_t lastDuplexApplied;   // BeginPage attribute cache: 0 after a reset
  uint8_t lastDuplexSent;
  uint16_t lastTray;
  uint16_t lastMedia;
  uint16_t lastCopies;
  uint16_t copyOverride;       // 0: none
  uint16_t cellCounter;
  uint16_t reserved;
  uint32_t sideCounter;
  uint32_t sheetCopiesCounter;
  uint32_t sheetOpen;
  uint32_t newSheetRequest;
  uint32_t printType;          // DoubleSides of the current page
  int16_t originX, originY;    // of the next SetPageOrigin
  PageSettings current;        // snapshot of the page being captured
  uint32_t pageHasMarks;
  // Set by the private escapes.
  uint32_t tabDrawMode;        // the tab-paper text is drawn
  uint32_t tabCell;            // N-up cell of the last tab-paper text
  uint32_t tabText;
  uint32_t tabStream;          // "TABPROC" is defined
  TempSpool* savedCapture;     // of a tab-paper capture
  uint32_t savedCapturing;
  RenderCoverGeometry cover;
  uint64_t formFile;           // overlay form file handle
  FaxSendBlock* fax;           // the job's fax block (owned), or null
  uint32_t destinationCount;   // of the fax block, at most 100
  uint32_t perRecipient;       // a cover page of its own for every destination
  uint32_t destination;        // of the replay being written
  uint32_t overlayStream;      // the overlay form is defined as a stream in this replay
};

void Rdc_StartJob(RenderPdev* pdev);
void Rdc_StartPage(RenderPdev* pdev);
void Rdc_EndPage(RenderPdev* pdev);
void Rdc_EndJob(RenderPdev* pdev);
// Every cached graphics-state item unknown again.
void Rdc_ResetPageState(RenderPdev* pdev);
// Empties the downloaded-font cache: RemoveFont for every soft font sent.
void Rdc_ReleaseFonts(RenderPdev* pdev);
// Hands the job over to the PDEV of a reset.
void Rdc_CarryJobState(RenderPdev* from, RenderPdev* to);
// Frees what a job left behind (a job that was never ended): spools with
// their files, entries, the fax block.
void Rdc_DiscardJob(RenderPdev* pdev);
// Frees the stores and both spools (the page file is deleted).
void Rdc_DiscardStores(RenderPdev* pdev);

// Stores.
void Rdc_StoreJobPart(RenderPdev* pdev, uint32_t kind);
void Rdc_StoreCapturedPage(RenderPdev* pdev);
void Rdc_AppendCaptureToLastPage(RenderPdev* pdev);
void Rdc_StoreCoverPage(RenderPdev* pdev, const RenderCoverGeometry& geometry);
// Tab-paper text: the capture of escapes 0x30004 and 0x30005 and the tab
// page of 0x30006.
void Tab_BeginCapture(RenderPdev* pdev);
void Tab_EndCapture(RenderPdev* pdev);
void Tab_PrintPage(RenderPdev* pdev);
// One replay of the stored job to the output buffer.
void Rdc_ReplayJob(RenderPdev* pdev);
// The bytes of a stored entry copied into the job through `buffer` (of
// kEntryPieceSize bytes).  0 when they could not be read or written.
uint32_t Rdc_CopyOutEntry(RenderPdev* pdev, const PageStoreEntry& entry, uint8_t* buffer);
// One stored page on a sheet of its own: its settings, BeginPage, the
// overlay forms, its bytes, the tab-paper text, EndPage.  0 when its bytes
// could not be copied out.
uint32_t Rdc_ReplayStoredPage(RenderPdev* pdev, const PageStoreEntry& page, uint8_t* buffer, uint16_t copies);

// The fax block of the job (escape 0x30009): the first block of a job stays.
// 0 when memory is short.
uint32_t Rdc_SetFaxData(RenderPdev* pdev, const FaxSendBlock* block);
void Rdc_FreeFaxData(RenderPdev* pdev);
