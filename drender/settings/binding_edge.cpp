// Binding-edge rules of a job.
#include "drender/settings/binding_edge.h"

#include <memory>
#include <new>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "drender/settings/job_binding.h"
#include "drender/settings/page_snapshot.h"

namespace {

uint8_t Turned(uint8_t orientation) { return orientation == 1 ? 2 : 1; }

}  // namespace

uint8_t Pjl_SheetOrientation(const DocDMode* doc, uint8_t orientation, bool driverBooklet) {
  if (DocByte(doc, kDocDoubleSidesAt) == 3 && driverBooklet) return Turned(orientation);
  const uint32_t kind = Rdc_GetNupKind(doc);
  if (kind > 5) return orientation;
  uint8_t sheet = Rdc_IsRotatingNupKind(kind) ? Turned(orientation) : orientation;
  if (DocByte(doc, kDocCombinationAt) != 0) sheet = Turned(sheet);
  return sheet;
}

uint32_t Pjl_AutoBindingEdgeForSheet(const ModelInfo* model, const DocDMode* doc, uint8_t sheetOrientation,
                                     bool driverBooklet) {
  const bool portrait = sheetOrientation == 1;
  if (DocByte(doc, kDocDoubleSidesAt) == 3 && !driverBooklet) return portrait ? kBindLeft : kBindTop;
  const uint32_t paperId = ResolvePaperSizeId(model, static_cast<uint16_t>(DocI16(doc, kDocPaperSizeAt)),
                                              static_cast<uint16_t>(DocI16(doc, kDocOutPaperSizeAt)));
  const PaperSizeEntry* paper = FindPaperById(model, paperId);
  if (paper == nullptr) return kBindLeft;
  if (paper->rotatedFeed != 0) return portrait ? kBindTop : kBindLeft;
  return portrait ? kBindLeft : kBindTop;
}

uint32_t Pjl_AutoBindingEdge(const ModelInfo* model, const DocDMode* doc, uint8_t orientation, bool driverBooklet) {
  const uint8_t r = DocByte(doc, kDocCombinationAt) != 0 ? Turned(orientation) : orientation;
  return Pjl_AutoBindingEdgeForSheet(model, doc, r, driverBooklet);
}

uint32_t Pjl_ResolvedBindingEdge(const ModelInfo* model, const DocDMode* doc, bool driverBooklet) {
  const uint32_t edge = DocByte(doc, kDocBindingEdgeAt);
  if (edge != kBindAuto) return edge;
  return Pjl_AutoBindingEdge(model, doc, DocByte(doc, kDocOrientationAt), driverBooklet);
}

bool Pjl_BindsOnOtherEdge(const ModelInfo* model, const DocDMode* doc, uint8_t orientation, bool driverBooklet) {
  const uint8_t s = Pjl_SheetOrientation(doc, orientation, driverBooklet);
  uint32_t edge = DocByte(doc, kDocBindingEdgeAt);
  if (edge == kBindAuto) edge = Pjl_AutoBindingEdgeForSheet(model, doc, s, driverBooklet);
  switch (edge) {
    case 0: case 1: case 2: case 3: case 10: case 12: return true;
    case kBindLeft: case kBindRight: return s == 1;
    case kBindTop: return s != 1;
    default: return false;
  }
}

uint32_t Page_GetDuplexBinding(const ModelInfo* model, uint8_t orientation, const PageSettings* snapshot,
                               bool driverBooklet) {
  std::unique_ptr<DocDMode> doc(new (std::nothrow) DocDMode());
  if (!doc) return 0;
  Page_ApplySettings(doc.get(), snapshot);
  return Pjl_BindsOnOtherEdge(model, doc.get(), orientation, driverBooklet) ? 1 : 0;
}

uint8_t Page_DuplexPageMode(const ModelInfo* model, const PageSettings* snapshot, bool driverBooklet) {
  const uint8_t orientation = snapshot->orientation;
  if (orientation == 1) return Page_GetDuplexBinding(model, 1, snapshot, driverBooklet) != 0 ? 1 : 0;
  return Page_GetDuplexBinding(model, orientation, snapshot, driverBooklet) == 0 ? 1 : 0;
}
