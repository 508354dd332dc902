// The fax cover pages of a job: composed at the end of the document from
// the fax block the render core holds, drawn on the application's DC and
// stored by the render core as pages of their own.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/cover/cover_geometry.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/fax_send_block.h"

// The end-document step; always 1.
int ComposeCoverSheets(HDC dc);

// The pages of a fax block: how many cover pages and which destinations
// each names.  Mode 1 gives one page per destination (none without any),
// mode 2 one page naming the cover's own recipient, other modes one page
// naming every destination; with the destination list off, one page with
// the free recipient text.  The count is never above 100.
struct CoverPagePlan {
  bool freeText;
  bool ownRecipient;
  uint32_t pages;
  uint32_t perPage;  // destinations named on each page (1 for mode 1)
};
CoverPagePlan PlanCoverPages(const FaxSendBlock& block);

// One page: played into the printable area and stored; true when played.
bool DrawCoverSheetPage(HDC dc, const FaxCoverSheetData& cover, const char16_t* date, bool freeText,
                        const char16_t* freeRecipient, const FaxRecipientEntry* destinations, uint32_t count,
                        uint32_t paperId, const CoverPaperInfo& geometry);
