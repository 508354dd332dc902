#include "dproc/preview/paper_view_inputs.h"

#include <iterator>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "dproc/model/orientation_rules.h"

namespace {

#define AT(member) DOC_FIELD_AT(member)

std::u16string Name(const char16_t* text, size_t units) {
  std::u16string out;
  for (size_t i = 0; i < units && text[i] != 0; ++i) out.push_back(text[i]);
  return out;
}

std::u16string SessionPaperName(const SessionPaperItem* rows, uint32_t count, uint32_t id) {
  for (uint32_t i = 0; rows != nullptr && i < count; ++i) {
    if (rows[i].paperId == id) return Name(rows[i].name, std::size(rows[i].name));
  }
  return std::u16string();
}

}  // namespace

PaperLabelInput ReadPaperLabel(const PaperViewSources& src, uint32_t id, bool output) {
  PaperLabelInput p;
  p.present = true;
  p.paperId = id;
  const DocDMode* d = src.doc;
  if (id >= kPaperUserFirst && id <= kPaperUserLast) {
    if (src.userPapers != nullptr) {
      const int16_t count = src.userPapers->count;
      for (int16_t i = 0; i < count && i < static_cast<int16_t>(kUserPaperMaxEntries); ++i) {
        const UserPaperEntry& e = src.userPapers->entries[i];
        if (static_cast<uint32_t>(e.paperId) != id) continue;
        p.name = Name(e.name, 20);
        p.width = e.width / 100;
        p.length = e.length / 100;
        p.inch = e.unit != 0;
      }
    }
    return p;
  }
  if (id == kPaperCustom) {
    p.width = output ? DocI16(d, AT(sizOutUserDefPaperMM_cx)) : DocI16(d, AT(sizInUserDefPaperMM_cx));
    p.length = output ? DocI16(d, AT(sizOutUserDefPaperMM_cy)) : DocI16(d, AT(sizInUserDefPaperMM_cy));
    p.storedWidthInch = output ? DocU32(d, AT(sizOutUserDefPaperIN_cx)) : DocU32(d, AT(sizInUserDefPaperIN_cx));
    p.storedLengthInch = output ? DocU32(d, AT(sizOutUserDefPaperIN_cy)) : DocU32(d, AT(sizInUserDefPaperIN_cy));
  } else if ((id & kPaperServerFormBit) != 0) {
    p.width = output ? DocI16(d, AT(sizOutPaper_cx)) : DocI16(d, AT(sizPaper_cx));
    p.length = output ? DocI16(d, AT(sizOutPaper_cy)) : DocI16(d, AT(sizPaper_cy));
    // A form's name is in the session's paper list (the output list for the
    // output size, the input list when that does not hold it).
    p.name = SessionPaperName(output ? src.outPapers : src.papers, output ? src.outPaperCount : src.paperCount, id);
    if (p.name.empty() && output) p.name = SessionPaperName(src.papers, src.paperCount, id);
  }
  p.inch = (output ? DocByte(d, AT(byUnitOutUserDefPaper)) : DocByte(d, AT(byUnitInUserDefPaper))) == 1;
  const ModelInfo* m = src.model;
  if (output && m != nullptr && m->outPapers != nullptr) {
    for (const OutPaperSizeEntry* row = m->outPapers; row->keyword[0] != '\0'; ++row) {
      if (row->paperId == id) p.name = Name(row->name, 48);
    }
  }
  if (const PaperSizeEntry* row = FindPaperById(m, id)) {
    if (!output || p.name.empty()) p.name = Name(row->name, 48);
    if (id != kPaperCustom && (id & kPaperServerFormBit) == 0) {
      p.width = static_cast<int32_t>(row->width);
      p.length = static_cast<int32_t>(row->length);
    }
  } else if (!output || p.name.empty()) {
    if (id != kPaperCustom && (id & kPaperServerFormBit) == 0) p.present = !p.name.empty();
  }
  return p;
}

PaperViewInputs ReadPaperViewInputs(const PaperViewSources& src) {
  PaperViewInputs in;
  const DocDMode* d = src.doc;
  const ModelInfo* m = src.model;
  if (d == nullptr) return in;
  in.orientation = DocByte(d, AT(nOrientation));
  in.nup = DocByte(d, AT(bNup));
  in.nupOp = DocByte(d, AT(nNup));
  in.nupStyle = DocByte(d, AT(nPageLayout));
  in.borderLine = DocByte(d, AT(bNupBorder_ui));
  in.borderLineOp = DocByte(d, AT(bPageBorder));
  in.posterMarginLine = DocByte(d, AT(nPosterMarginLine));
  in.combination = DocByte(d, AT(bLayout));
  in.combinationOp = DocByte(d, AT(nLayoutMode));
  in.doubleSides = DocByte(d, AT(nDuplex));
  in.adhesiveBind = DocByte(d, AT(bMusenToji));
  in.bindingEdge = DocByte(d, AT(nBinding));
  in.bindingShift = DocByte(d, AT(bBinding));
  in.bookletBinding = DocByte(d, AT(nBookletOrder));
  in.bookletBorder = DocByte(d, AT(bBookletBorder));
  in.staple = DocByte(d, AT(bStaple));
  in.stapleOp = DocByte(d, AT(nStapleMode));
  in.centerStaple = DocByte(d, AT(bCenterStapleFold));
  in.holePunch = DocByte(d, AT(bPunch));
  in.holePunchOp = DocByte(d, AT(nPunchNum));
  in.folding = DocByte(d, AT(bFolding));
  in.overlay = DocByte(d, AT(bOverlay));
  in.zoom = DocByte(d, AT(bScaleAuto));
  in.zoomValue = DocI16(d, AT(nScale));
  in.fitZoom = src.fitZoom;
  in.watermark = DocByte(d, AT(bWmk));
  in.wmAngle = DocI16(d, AT(WmkInfo_nAngle));
  in.wmPosX = static_cast<int32_t>(DocU32(d, AT(WmkInfo_ptWmkPos_x)));
  in.wmPosY = static_cast<int32_t>(DocU32(d, AT(WmkInfo_ptWmkPos_y)));
  in.wmTransparent = DocByte(d, AT(WmkInfo_bBkGrnd));
  in.wmColor = DocU32(d, AT(WmkInfo_crColor));
  in.selectColor = DocByte(d, AT(nColorMode));
  in.twoColors = DocByte(d, AT(nSelectTwoColors));
  in.driverBooklet = m != nullptr && m->features[kMfBookletPrint] != 0 && in.doubleSides == 3;
  in.bindingEdge4 = m != nullptr && m->features[kMfBindingEdge4] != 0;
  in.watermarkHidden = in.driverBooklet && src.pluginPage;
  in.feedDirection = GetPaperFeedDirection(m, d);
  if (m != nullptr) {
    in.paperFigureStyle = m->paperFigureStyle;
    in.customWidthMin = m->customWidthMin, in.customWidthMax = m->customWidthMax;
    in.customLengthMin = m->customLengthMin, in.customLengthMax = m->customLengthMax;
  }
  const uint32_t paper = static_cast<uint16_t>(DocI16(d, AT(nPaperSize)));
  const uint32_t out = static_cast<uint16_t>(DocI16(d, AT(nOutPaperSize)));
  in.input = ReadPaperLabel(src, paper, false);
  in.outputRepeatsInput = out == kOutPaperAsInput1 || out == kOutPaperAsInput2;
  if (!in.outputRepeatsInput) {
    if (out == kOutPaperTwoUp) {
      const uint32_t resolved = ResolvePaperSizeId(m, paper, out);
      in.output = ReadPaperLabel(src, resolved, false);
      if (const PaperSizeEntry* row = FindPaperById(m, resolved)) {
        in.output.width = static_cast<int32_t>(row->width), in.output.length = static_cast<int32_t>(row->length);
      }
    } else {
      in.output = ReadPaperLabel(src, out, true);
    }
  }
  if (m != nullptr && m->resolutions != nullptr) {
    const uint32_t resolution = DocByte(d, AT(byResolution));
    for (const ResolutionItem* row = m->resolutions; row->keyword[0] != '\0'; ++row) {
      if (row->index == resolution) in.resolutionName = Name(row->text, 32);
    }
  }
  return in;
}
