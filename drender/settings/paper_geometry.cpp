// Paper geometry of a job.
#include "drender/settings/paper_geometry.h"

#include <cstring>

#include "common/records/doc_fields.h"
#include "common/text/bounded_text.h"

namespace {


uint32_t DocCode(const DocDMode* doc, uint32_t at) { return static_cast<uint16_t>(DocI16(doc, at)); }
// A length of the settings; a negative one counts as 0.
uint32_t DocLength(const DocDMode* doc, uint32_t at) {
  int16_t v = DocI16(doc, at);
  return v > 0 ? static_cast<uint32_t>(v) : 0;
}

bool FollowsDocument(uint32_t out) { return out == kOutPaperAsInput1 || out == kOutPaperAsInput2; }

void Clear(PaperSheet* out) {
  if (out) std::memset(out, 0, sizeof(*out));
}

}  // namespace

bool Paper_IsUserSize(uint32_t code) {
  return (code & kPaperServerFormBit) != 0 || (code >= kPaperUserFirst && code <= kPaperUserLast);
}

bool Paper_GetSheetEntry(const ModelInfo* model, uint32_t code, bool useOutput, const DocDMode* doc,
                         PaperSheet* out) {
  Clear(out);
  if (!doc) return false;
  PaperSheet sheet{};
  if (!FillPaperSizeInfo(model, code, useOutput, doc, &sheet.info)) return false;
  if (Paper_IsUserSize(code) || code == kPaperCustom) {
    const PaperSizeEntry* custom = FindPaperById(model, kPaperCustom);
    if (!custom) return false;
    CopyText(sheet.name, sizeof sheet.name, custom->keyword);
    sheet.code = custom->paperId;
    CopyText(sheet.extra, sizeof sheet.extra, custom->note);
  } else {
    const PaperSizeEntry* paper = FindPaperById(model, code);
    if (!paper) return false;
    CopyText(sheet.name, sizeof sheet.name, paper->twoUpKeyword);
    sheet.code = paper->twoUpValue;
    CopyText(sheet.extra, sizeof sheet.extra, paper->twoUpText);
  }
  if (out) *out = sheet;
  return true;
}

bool Paper_GetDeviceSheet(const ModelInfo* model, const DocDMode* doc, PaperSheet* out) {
  Clear(out);
  if (!model || !doc) return false;
  const bool deviceBooklet = model->features[kMfBookletPrint] == 0 && DocByte(doc, kDocDoubleSidesAt) == 3;
  if (!deviceBooklet && DocByte(doc, kDocCombinationAt) == 0 && DocByte(doc, kDocAdhesiveBindAt) == 0) return false;
  const uint32_t paper = DocCode(doc, kDocPaperSizeAt);
  const uint32_t outPaper = DocCode(doc, kDocOutPaperSizeAt);
  const uint32_t resolved = ResolvePaperSizeId(model, paper, outPaper);
  return Paper_GetSheetEntry(model, resolved, !FollowsDocument(outPaper) && outPaper != kOutPaperTwoUp, doc, out);
}

bool Paper_GetPrintableArea(const ModelInfo* model, const DocDMode* doc, uint32_t size[2], uint32_t margins[4]) {
  std::memset(size, 0, 2 * sizeof(uint32_t));
  std::memset(margins, 0, 4 * sizeof(uint32_t));
  if (!doc) return false;
  const uint32_t outPaper = DocCode(doc, kDocOutPaperSizeAt);
  PaperSheet sheet;
  const bool hasSheet = Paper_GetDeviceSheet(model, doc, &sheet);
  if (outPaper == kOutPaperTwoUp || (FollowsDocument(outPaper) && !hasSheet)) {
    size[0] = DocLength(doc, kDocPaperWidthAt);
    size[1] = DocLength(doc, kDocPaperLengthAt);
    for (int i = 0; i < 4; ++i) margins[i] = DocLength(doc, kDocPaperMarginsAt + 2 * i);
    return true;
  }
  if (hasSheet) {
    size[0] = sheet.info.halfWidth;
    size[1] = sheet.info.halfLength;
    std::memcpy(margins, sheet.info.margins, sizeof sheet.info.margins);
    return true;
  }
  const PaperSizeEntry* entry = nullptr;
  if (Paper_IsUserSize(outPaper) || outPaper == kPaperCustom) {
    entry = FindPaperById(model, kPaperCustom);
    if (!entry) return false;
    const bool user = outPaper != kPaperCustom;
    size[0] = DocLength(doc, user ? kDocOutPaperWidthAt : kDocOutUserPaperWidthAt);
    size[1] = DocLength(doc, user ? kDocOutPaperLengthAt : kDocOutUserPaperLengthAt);
  } else {
    entry = FindPaperById(model, outPaper);
    if (!entry) return false;
    size[0] = entry->width;
    size[1] = entry->length;
  }
  std::memcpy(margins, entry->margins, sizeof entry->margins);
  return true;
}

bool Paper_GetPaperInfo(const ModelInfo* model, const DocDMode* doc, PaperSheet* out) {
  Clear(out);
  if (!doc) return false;
  const uint32_t outPaper = DocCode(doc, kDocOutPaperSizeAt);
  uint32_t code;
  if (outPaper == kOutPaperTwoUp) {
    code = DocCode(doc, kDocPaperSizeAt);
  } else {
    if (Paper_GetDeviceSheet(model, doc, out)) return true;
    code = FollowsDocument(outPaper) ? DocCode(doc, kDocPaperSizeAt) : outPaper;
  }
  const PaperSizeEntry* entry = FindPaperById(model, Paper_IsUserSize(code) ? kPaperCustom : code);
  if (!entry) return false;
  PaperSheet sheet{};
  uint32_t size[2];
  if (!Paper_GetPrintableArea(model, doc, size, sheet.info.margins)) return false;
  CopyText(sheet.name, sizeof sheet.name, entry->keyword);
  sheet.code = code;
  sheet.info.halfWidth = size[0];
  sheet.info.halfLength = size[1];
  std::memcpy(sheet.info.resolutionMargins, entry->resolutionMargins, sizeof entry->resolutionMargins);
  std::memcpy(sheet.info.further, entry->further, sizeof entry->further);
  sheet.info.marginsFlag = entry->marginsFlag;
  sheet.info.resolutionMarginsFlag = entry->resolutionMarginsFlag;
  sheet.info.furtherFlag = entry->furtherFlag;
  CopyText(sheet.extra, sizeof sheet.extra, entry->note);
  if (out) *out = sheet;
  return true;
}

bool Paper_IsSameAsOriginal(const ModelInfo* model, const DocDMode* doc) {
  if (!doc) return false;
  const uint32_t outPaper = DocCode(doc, kDocOutPaperSizeAt);
  if (outPaper == kOutPaperTwoUp) return true;
  if (FollowsDocument(outPaper)) return !Paper_GetDeviceSheet(model, doc, nullptr);
  return false;
}
