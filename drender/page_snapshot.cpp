// Page settings snapshots.
#include "drender/page_snapshot.h"

#include <cstddef>
#include <cstring>

#include "common/records/doc_fields.h"

namespace {

// One run of bytes: where it lies in the snapshot and in the settings.
struct SnapshotRun {
  uint16_t at;
  uint16_t docAt;
  uint16_t size;
};

constexpr SnapshotRun kRuns[] = {
    {0, 66, 6},        // PaperSize, paper width and length
    {6, 96, 6},        // OutPaperSize, output paper width and length
    {12, 122, 2},      // MediaType
    {14, 120, 2},      // InTray
    {16, 64, 1},       // Orientation
    {18, 118, 2},      // ZoomValue
    {20, 1429, 1},     // binding position
    {21, 1428, 1},     // BindingShift
    {22, 1432, 2},     // binding shift of front sides
    {24, 1434, 2},     // BindShift_Back
    {26, 1242, 1},     // Nup
    {27, 1243, 1},     // Nup_op
    {28, 1412, 1},     // DoubleSides
    {29, 1248, 1},     // Rotate180
    {30, 1244, 1},     // NupStyle
    {31, 1246, 1},     // BorderLine_op
    {32, 1441, 1},     // ImageShift
    {42, 1553, 1},     // Watermark
    {44, 1554, 2},     // Watermark_op
    {46, 1556, 449},   // watermark definition block
    {495, 2005, 6},    // header and footer switches
    {502, 2012, 2},    // HF_StartNumber
    {504, 2014, 5},    // date and page-number switches
    {510, 2020, 2},    // HF_StartPage
    {512, 2022, 2},    // HF_PageStartNumber
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
