#include "drender/draw/draw_pdev.h"

#include <cstring>

#include "common/records/doc_fields.h"
#include "common/records/watermark_info.h"
#include "drender/model/render_model.h"
#include "drender/ddi/render_pdev.h"

namespace {

// The selected watermark record (common/records/watermark_info.h) starts at its key.
constexpr uint32_t kWatermarkColourAt = DOC_FIELD_AT(WmkInfo_szKey) + offsetof(WaterMarkInfo, crColor);
constexpr uint32_t kWatermarkTransparentAt = DOC_FIELD_AT(WmkInfo_szKey) + offsetof(WaterMarkInfo, bBkGrnd);

const DocDMode* Doc(RenderPdev* pdev) { return &pdev->state.live->devmode.doc; }

}  // namespace

RenderPdev* Draw_PdevOf(SURFOBJ* surface) {
  if (!surface || !Rdc_IsValidPdev(surface->dhpdev)) return nullptr;
  return reinterpret_cast<RenderPdev*>(surface->dhpdev);
}

bool Draw_GrayMode(RenderPdev* pdev) { return DocByte(Doc(pdev), DOC_FIELD_AT(nColorMode)) == 1; }

bool Draw_PrintWithBlack(RenderPdev* pdev) {
  return DocByte(Doc(pdev), DOC_FIELD_AT(bPrintBlack)) != 0 && DocByte(Doc(pdev), DOC_FIELD_AT(nPrintBlack)) == 1 &&
         pdev->state.gs.uiDrawing == 0;
}

bool Draw_GradientPrintWithBlack(RenderPdev* pdev) {
  const DocDMode* doc = Doc(pdev);
  return DocByte(doc, DOC_FIELD_AT(bPrintBlack)) != 0 && DocByte(doc, kDocOverlayCreateAt) == 0 &&
         DocByte(doc, DOC_FIELD_AT(bOverlay)) == 0 && pdev->state.gs.uiDrawing == 0;
}

DrawJob Draw_JobOf(RenderPdev* pdev) {
  RenderPdevState& s = pdev->state;
  const DocDMode* doc = Doc(pdev);
  DrawJob job{};
  job.enc = &s.xl;
  job.gs = &s.gs;
  job.grayMode = Draw_GrayMode(pdev) ? 1 : 0;
  job.printWithBlack = Draw_PrintWithBlack(pdev) ? 1 : 0;
  job.largePatterns = DocByte(doc, DOC_FIELD_AT(nPattern)) != 0 ? 1 : 0;
  const ModelInfo* model = Rdc_Model();
  job.deltaRowAllowed = model && (model->pdlClass > 2 || (model->pdlClass == 2 && model->pdlRevision > 0)) ? 1 : 0;
  switch (DocByte(doc, DOC_FIELD_AT(nCompressMode))) {
    case 0: job.compression = kImgModeNone; break;
    case 3: job.compression = kImgModeDeltaRow; break;
    case 4: job.compression = kImgModeJpeg; break;
    default: job.compression = kImgModePackBits; break;
  }
  const uint8_t sub = DocByte(doc, DOC_FIELD_AT(nJpegSamplingRate));
  job.jpegSubMode = sub == 0 ? 2 : sub == 1 ? 1 : 0;
  job.jpegQuality = DocByte(doc, DOC_FIELD_AT(nJpegCompressRatio));
  job.saveBlankPaper = DocByte(doc, DOC_FIELD_AT(bStopBlankPaper)) != 0 ? 1 : 0;
  job.resolutionX = static_cast<uint16_t>(s.resolutionX);
  job.resolutionY = static_cast<uint16_t>(s.resolutionY);
  job.definedSignature = &s.draw.definedSignature;
  if (s.gs.uiDrawing && DocByte(doc, kWatermarkTransparentAt) != 0) {
    job.watermarkHalftone = 1;
    std::memcpy(&job.watermarkColour, DocBytes(doc) + kWatermarkColourAt, 4);
    job.watermarkSolidCell = model && model->features[kMfWatermarkDrawType] == 2 ? 1 : 0;
  }
  s.gs.grayMode = job.grayMode;
  return job;
}

bool Draw_Begin(RenderPdev* pdev, bool* firstOnPage) {
  RenderPdevState& s = pdev->state;
  const uint32_t page = s.pageCounter + 1;  // 0 stays "never drawn"
  if (firstOnPage) *firstOnPage = s.draw.drawnPage != page;
  s.draw.drawnPage = page;
  if (s.currentBand < kPdevBandRecords && s.currentBand < s.bandCount && (s.bands[s.currentBand].flags & 1) == 0) {
    return false;
  }
  return s.faxCancelled == 0 && s.authFailed == 0;
}
