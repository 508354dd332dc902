// Page settings snapshots.
#include "drender/settings/page_snapshot.h"

#include <cstddef>
#include <cstring>

#include "common/records/doc_fields.h"
#include "common/records/settings_records.h"
#include "drender/settings/paper_geometry.h"

namespace {

// One run of bytes: where it lies in the snapshot and in the settings.
struct SnapshotRun {
  uint16_t at;
  uint16_t docAt;
  uint16_t size;
};

constexpr SnapshotRun kRuns[] = {
    {0, DOC_FIELD_AT(nPaperSize), 6},             // PaperSize, paper width and length
    {6, DOC_FIELD_AT(nOutPaperSize), 6},          // OutPaperSize, output paper width and length
    {12, DOC_FIELD_AT(nMediaType), 2},            // MediaType
    {14, DOC_FIELD_AT(nDefaultSource), 2},        // InTray
    {16, DOC_FIELD_AT(nOrientation), 1},          // Orientation
    {18, DOC_FIELD_AT(nScale), 2},                // ZoomValue
    {20, DOC_FIELD_AT(nBinding), 1},              // binding position
    {21, DOC_FIELD_AT(bBinding), 1},              // BindingShift
    {22, DOC_FIELD_AT(nBindingUp), 2},            // binding shift of front sides
    {24, DOC_FIELD_AT(nBindingDown), 2},          // BindShift_Back
    {26, DOC_FIELD_AT(bNup), 1},                  // Nup
    {27, DOC_FIELD_AT(nNup), 1},                  // Nup_op
    {28, DOC_FIELD_AT(nDuplex), 1},               // DoubleSides
    {29, DOC_FIELD_AT(bRotate180), 1},            // Rotate180
    {30, DOC_FIELD_AT(nPageLayout), 1},           // NupStyle
    {31, DOC_FIELD_AT(bPageBorder), 1},           // BorderLine_op
    {32, DOC_FIELD_AT(bImgShift), 1},             // ImageShift
    {42, DOC_FIELD_AT(bWmk), 1},                  // Watermark
    {44, DOC_FIELD_AT(wWmkListPos), 2},           // Watermark_op
    {46, DOC_FIELD_AT(WmkInfo_szKey), 449},       // watermark definition block
    {495, DOC_FIELD_AT(bHeadFooter), 6},          // header and footer switches
    {502, DOC_FIELD_AT(nNumberingStartNum), 2},   // HF_StartNumber
    {504, DOC_FIELD_AT(bDateStamp), 5},           // date and page-number switches
    {510, DOC_FIELD_AT(nPageStampStartPage), 2},  // HF_StartPage
    {512, DOC_FIELD_AT(nPageStampStartNum), 2},   // HF_PageStartNumber
};

}  // namespace

void Page_SaveSettings(const DocDMode* doc, uint8_t headerWritten, PageSettings* snapshot) {
  auto* out = reinterpret_cast<uint8_t*>(snapshot);
  for (const SnapshotRun& run : kRuns) std::memcpy(out + run.at, DocBytes(doc) + run.docAt, run.size);
  snapshot->headerWritten = headerWritten;
  snapshot->tabMark = 255;
}

void Page_ApplySettings(DocDMode* doc, const PageSettings* snapshot) {
  const auto* in = reinterpret_cast<const uint8_t*>(snapshot);
  for (const SnapshotRun& run : kRuns) std::memcpy(DocBytes(doc) + run.docAt, in + run.at, run.size);
}

namespace {

int BindingGroup(uint8_t position) {
  switch (position) {
    case 0: case 2: return 100;
    case 1: case 3: return 101;
    case 4: case 6: return 102;
    case 5: case 7: return 103;
    default: return position;
  }
}

bool Alike(uint8_t a, uint8_t b, uint8_t x1, uint8_t x2, uint8_t y1, uint8_t y2) {
  if (a == b) return true;
  const bool ax = a == x1 || a == x2, bx = b == x1 || b == x2;
  const bool ay = a == y1 || a == y2, by = b == y1 || b == y2;
  return (ax && bx) || (ay && by);
}

uint8_t NupKind(const DocDMode* doc) { return DocByte(doc, kDocNupAt) ? DocByte(doc, kDocNupKindAt) : 0; }

struct FieldRun {
  uint16_t at;
  uint16_t size;
};

// The page-level fields a new PDEV of a running job brings.
constexpr FieldRun kPageFields[] = {
    {DOC_FIELD_AT(nOrientation), 1},    // Orientation
    {DOC_FIELD_AT(nPaperSize), 6},      // PaperSize, paper width and length
    {DOC_FIELD_AT(nOutPaperSize), 6},   // OutPaperSize, output paper width and length
    {DOC_FIELD_AT(nScale), 2},          // ZoomValue
    {DOC_FIELD_AT(nDefaultSource), 2},  // InTray
    {DOC_FIELD_AT(nMediaType), 2},      // MediaType
    {DOC_FIELD_AT(bNup), 3},            // Nup, Nup_op, NupStyle
    {DOC_FIELD_AT(bPageBorder), 1},     // BorderLine_op
    {DOC_FIELD_AT(bRotate180), 1},      // Rotate180
    {DOC_FIELD_AT(nDuplex), 1},         // DoubleSides
    {DOC_FIELD_AT(bBinding), 15},  // binding shift and position, binding values, BindShift_Mode, ImageShift, byte 1442
    {DOC_FIELD_AT(bWmk), 452},     // Watermark, Watermark_op, watermark block
};

// Authentication and account fields of a job's settings.
constexpr FieldRun kIdentityFields[] = {
    {DOC_FIELD_AT(byUserType), 1},        {DOC_FIELD_AT(szAuthUserName), 243},
    {DOC_FIELD_AT(wAuthUserPassLen), 2},  {DOC_FIELD_AT(szDeptName), 8},
    {DOC_FIELD_AT(szDeptName) + 8, 1},    {DOC_FIELD_AT(byDeptPass), 73},
    {DOC_FIELD_AT(wDeptPassLen), 2},      {DOC_FIELD_AT(nServerSetting), 2},
    {DOC_FIELD_AT(szTreeDomainName), 89}, {DOC_FIELD_AT(szTreeDomainName) + 89, 1},
    {DOC_FIELD_AT(byExpensePass), 73},    {DOC_FIELD_AT(wExpensePassLen), 2},
};

}  // namespace

bool Page_SettingsDiffer(const ModelInfo* model, const DocDMode* before, const DocDMode* after) {
  PaperSheet a{}, b{};
  const bool haveA = Paper_GetPaperInfo(model, before, &a);
  const bool haveB = Paper_GetPaperInfo(model, after, &b);
  if (haveA != haveB || a.code != b.code || a.info.halfWidth != b.info.halfWidth ||
      a.info.halfLength != b.info.halfLength) {
    return true;
  }
  uint32_t sizeA[2] = {}, sizeB[2] = {}, marginsA[4] = {}, marginsB[4] = {};
  Paper_GetPrintableArea(model, before, sizeA, marginsA);
  Paper_GetPrintableArea(model, after, sizeB, marginsB);
  if (sizeA[0] != sizeB[0] || sizeA[1] != sizeB[1]) return true;
  const int16_t media = DocI16(after, kDocMediaTypeAt);
  if (media != DocI16(before, kDocMediaTypeAt) && media != 256) return true;
  if (DocI16(after, kDocInTrayAt) != DocI16(before, kDocInTrayAt)) return true;
  if (DocByte(after, kDocDoubleSidesAt) != DocByte(before, kDocDoubleSidesAt)) return true;
  return BindingGroup(DocByte(after, kDocBindingEdgeAt)) != BindingGroup(DocByte(before, kDocBindingEdgeAt));
}

bool Page_LayoutDiffers(const DocDMode* before, const DocDMode* after) {
  if (NupKind(before) != NupKind(after)) return true;
  const uint8_t styleA = DocByte(before, kDocNupStyleAt), styleB = DocByte(after, kDocNupStyleAt);
  if (styleA != styleB && (styleA >= 4 || !Alike(styleA, styleB, 1, 3, 0, 2))) return true;
  const uint8_t bookA = DocByte(before, kDocBookletBindingAt), bookB = DocByte(after, kDocBookletBindingAt);
  return !Alike(bookA, bookB, 1, 3, 2, 4);
}

void Page_TakePageFields(DocDMode* job, const DocDMode* page) {
  for (const FieldRun& run : kPageFields) std::memcpy(DocBytes(job) + run.at, DocBytes(page) + run.at, run.size);
}

void Page_CopyJobIdentity(const WorkDevMode* from, WorkDevMode* to) {
  uint16_t enabled = 0;
  std::memcpy(&enabled, reinterpret_cast<const uint8_t*>(&from->device.option) + 964, sizeof enabled);
  if (enabled == 0) return;
  for (const FieldRun& run : kIdentityFields) {
    std::memcpy(DocBytes(&to->devmode.doc) + run.at, DocBytes(&from->devmode.doc) + run.at, run.size);
  }
}

uint16_t Page_EndPageCopies(const DocDMode* doc, uint32_t headerCopies) {
  if (DocByte(doc, kDocCollateAt) != 0 && headerCopies != 0) return 1;
  const int16_t copies = DocI16(doc, kDocCopiesAt);
  return copies > 0 ? static_cast<uint16_t>(copies) : 1;
}
