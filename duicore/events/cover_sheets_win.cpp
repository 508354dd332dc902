#include "duicore/events/cover_sheets_win.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "common/contracts/private_escapes.h"
#include "common/cover/cover_defaults.h"
#include "common/cover/cover_page_win.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/job_record.h"
#include "duicore/module/device_description_win.h"
#include "duicore/events/event_services_win.h"

namespace {

uint32_t CoverGeometry(const FaxCoverSheetData& cover, const DocDMode& doc, CoverPaperInfo* out) {
  const ModelInfo* model = CoreDescription().model;
  CoverPaperInput in{};
  in.sCoverSize = cover.sCoverSize;
  in.nOutPaperSize = DocI16(&doc, kDocOutPaperSizeAt);
  in.nPaperSize = DocI16(&doc, kDocPaperSizeAt);
  in.nOrientation = DocByte(&doc, kDocOrientationAt);
  in.byLandscapeRotate = DocByte(&doc, kDocLandscapeRotationAt);
  in.outWidth = DocI16(&doc, kDocOutPaperWidthAt);
  in.outHeight = DocI16(&doc, kDocOutPaperLengthAt);
  if (model != nullptr) {
    for (int i = 0; i < 4; ++i) in.defaultMargins[i] = static_cast<int32_t>(model->customPaperMargins[i]);
  }
  return GetCoverPaperInfo(in, LookUpCoverModelPaper, const_cast<ModelInfo*>(model), out);
}

}  // namespace

CoverPagePlan PlanCoverPages(const FaxSendBlock& block) {
  const auto& cover = *reinterpret_cast<const FaxCoverSheetData*>(block.coverSheet);
  const uint32_t count = std::min<uint32_t>(block.wRecipientCount, kFaxMaxRecipients);
  if (cover.recipient.byRecipientMode == 0) return {true, false, 1, 0};
  switch (cover.recipient.byRecipientSetting) {
    case 1:
      return {false, false, count, 1};
    case 2:
      return {false, true, 1, 1};
    default:
      return {false, false, 1, count};
  }
}

bool DrawCoverSheetPage(HDC dc, const FaxCoverSheetData& cover, const char16_t* date, bool freeText,
                        const char16_t* freeRecipient, const FaxRecipientEntry* destinations, uint32_t count,
                        uint32_t paperId, const CoverPaperInfo& geometry) {
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_TEXT);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SelectClipRgn(dc, nullptr);
  SendEscape(dc, kEscResetPageCount);
  CoverPageRequest request;
  request.refDc = dc;
  request.angle = geometry.nAngle;
  request.dateText = date;
  request.titleMode = freeText;
  request.title = freeRecipient;
  request.entries = destinations;
  request.entryCount = count;
  request.basic = &cover.basic;
  request.sender = &cover.sender;
  request.image = &cover.image;
  SIZE size{};
  HENHMETAFILE metafile = CreateCoverSheetEmf(request, &size);
  bool played = false;
  if (metafile != nullptr) {
    // The clip box (or the printable area) in 0.1 mm.
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR || clip.right <= clip.left) {
      clip = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    }
    const int dpiX = std::max(1, GetDeviceCaps(dc, LOGPIXELSX)), dpiY = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
    const int32_t clipW = MulDiv(clip.right - clip.left, 254, dpiX), clipH = MulDiv(clip.bottom - clip.top, 254, dpiY);
    int32_t num = 0, den = 1;
    ScaleToFit(clipW, clipH, size.cx, size.cy, &num, &den);
    const int32_t drawnW = size.cx * num / den, drawnH = size.cy * num / den;
    const RECT target{clip.left, clip.top, clip.left + MulDiv(drawnW, dpiX, 254),
                      clip.top + MulDiv(drawnH, dpiY, 254)};
    played = num != 0 && PlayEnhMetaFile(dc, metafile, &target) != FALSE;
    DeleteEnhMetaFile(metafile);
    if (played) {
      SendEscape(dc, kEscReleaseFonts);
      uint8_t store[kStorePageBytes] = {};
      const auto id = static_cast<uint16_t>(paperId);
      const uint32_t values[5] = {static_cast<uint32_t>(drawnW), static_cast<uint32_t>(drawnH),
                                  static_cast<uint32_t>(geometry.nWidth - geometry.nLeft - geometry.nRight),
                                  static_cast<uint32_t>(geometry.nHeight - geometry.nTop - geometry.nBottom),
                                  geometry.nAngle != 0 ? 1u : 0u};
      std::memcpy(store, &id, 2);
      std::memcpy(store + 4, values, sizeof values);
      SendEscape(dc, kEscStorePage, sizeof store, store);
    }
  }
  SendEscape(dc, kEscResetGState);
  if (saved != 0) RestoreDC(dc, saved);
  return played;
}

int ComposeCoverSheets(HDC dc) {
  std::unique_ptr<FaxSendBlock> block(new (std::nothrow) FaxSendBlock());
  if (!block || !QueryEscape(dc, kEscGetFaxData, sizeof(FaxSendBlock), block.get())) return 1;
  if (block->faxSetting.fgFaxCoverSheet == 0) return 1;
  std::unique_ptr<uint8_t[]> record = ReadJobRecord(dc);
  if (!record) return 1;
  const auto& doc = *reinterpret_cast<const DocDMode*>(record.get() + kJobRecordDocAt);
  const auto& cover = *reinterpret_cast<const FaxCoverSheetData*>(block->coverSheet);
  CoverPaperInfo geometry{};
  const uint32_t paperId = CoverGeometry(cover, doc, &geometry);
  SYSTEMTIME now{};
  Events().localTime(&now);
  char16_t date[kCoverDateChars] = {};
  FormatCoverDate(cover.basic, now.wYear, now.wMonth, now.wDay, date);
  const CoverPagePlan plan = PlanCoverPages(*block);
  char16_t freeText[34] = {};
  std::memcpy(freeText, cover.recipient.szTitle, sizeof cover.recipient.szTitle);
  freeText[32] = u'\0';
  if (plan.freeText) {
    DrawCoverSheetPage(dc, cover, date, true, freeText, nullptr, 0, paperId, geometry);
  } else if (plan.ownRecipient) {
    FaxRecipientEntry own{};
    const FcsRecipientPart& r = cover.recipient;
    if (r.fgName) std::memcpy(own.szName, r.szName, sizeof own.szName);
    if (r.fgFaxNumber) std::memcpy(own.szFaxNumber, r.szFaxNumber, sizeof own.szFaxNumber);
    if (r.fgCompany) std::memcpy(own.szCompany, r.szCompany, sizeof own.szCompany);
    if (r.fgDepartment) std::memcpy(own.szDepartment, r.szDepartment, sizeof own.szDepartment);
    DrawCoverSheetPage(dc, cover, date, false, nullptr, &own, 1, paperId, geometry);
  } else {
    for (uint32_t page = 0; page < plan.pages; ++page) {
      DrawCoverSheetPage(dc, cover, date, false, nullptr, block->recipients + page * plan.perPage, plan.perPage,
                         paperId, geometry);
    }
  }
  return 1;
}
