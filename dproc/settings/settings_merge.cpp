#include "dproc/settings/settings_merge.h"

#include <algorithm>
#include <cstring>

#include "common/records/devmode_field_guard.h"
#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"
#include "common/records/public_devmode_fill.h"
#include "common/records/settings_checksum.h"
#include "dproc/settings/binding_edge_merge.h"
#include "dproc/settings/settings_fixups.h"

void SetDocResolution(DocDMode* d, const ResolutionItem& row) {
  SetDocI16(d, kDocResolutionXAt, static_cast<int16_t>(row.values[0]));
  SetDocI16(d, kDocResolutionYAt, static_cast<int16_t>(row.values[1]));
  SetDocI16(d, kDocResolutionThirdAt, static_cast<int16_t>(row.values[2]));
  SetDocByte(d, kDocResolutionValueAt, static_cast<uint8_t>(row.index));
}

namespace {

// The chromaticities, gammas and dyes of the device, in COLORINFO order.
constexpr ColorInfoRecord kDefaultColorInfo = {
    {{6810, 3050, 0}, {2260, 6550, 0}, {1810, 500, 0}, {2000, 0x992, 65534}, {5210, 2100, 0},
     {4750, 5100, 0}, {3324, 3474, 10000}},
    {10000, 10000, 10000},
    {1422, 952, 787, 495, 324, 248},
};

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  const int64_t product = int64_t{a} * b;
  const int64_t half = c / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / c : (product - half) / c);
}

bool IsUserPaperOrForm(uint32_t id) {
  return (id >= kPaperUserFirst && id <= kPaperUserLast) || (id & kPaperServerFormBit) != 0;
}

// Inch units of a length in tenths of a millimetre: thousandths of an inch
// on models with the "MFP" paper figure, else hundredths.
uint32_t InchUnits(const ModelInfo* m, int32_t tenths) {
  const int64_t scale = m != nullptr && m->paperFigureStyle == 1 ? 1000 : 100;
  return static_cast<uint32_t>((tenths * scale + 127) / 254);
}

// The fields of `input` that lie inside its dmSize (and the bytes given).
// The merge takes a paper size only with its length and width, and a print
// quality only with the y resolution.
PublicDevMode ReadInput(const void* input, size_t inputBytes, uint32_t* fields) {
  PublicDevMode dm{};
  *fields = 0;
  if (input == nullptr || inputBytes < offsetof(PublicDevMode, dmFields) + 4) return dm;
  uint16_t declared;
  std::memcpy(&declared, static_cast<const uint8_t*>(input) + offsetof(PublicDevMode, dmSize), 2);
  const size_t usable = std::min<size_t>(DevModeUsableBytes(declared, inputBytes), sizeof dm);
  std::memcpy(&dm, input, usable);
  struct Field {
    uint32_t bit;
    uint32_t through;  // the field that must be there too
  };
  constexpr uint32_t kDmPaperWidth = 0x8;
  const Field kFields[] = {
      {kDmOrientation, kDmOrientation}, {kDmPaperSize, kDmPaperWidth},       {kDmCopies, kDmCopies},
      {kDmDefaultSource, kDmDefaultSource}, {kDmPrintQuality, kDmYResolution}, {kDmYResolution, kDmYResolution},
      {kDmDuplex, kDmDuplex},           {kDmMediaType, kDmMediaType},
  };
  for (const Field& f : kFields) {
    if (DevModeHasField(dm.dmFields, usable, f.bit) && DevModeHasField(f.through, usable, f.through)) *fields |= f.bit;
  }
  return dm;
}

// The first model paper within 0.3 mm of the size, else the custom size.
uint32_t PaperBySize(const ModelInfo* m, int32_t width, int32_t length) {
  if (m != nullptr && m->papers != nullptr) {
    for (const PaperSizeEntry* row = m->papers; row->keyword[0] != '\0'; ++row) {
      if (std::abs(static_cast<int32_t>(row->width) - width) <= 3 &&
          std::abs(static_cast<int32_t>(row->length) - length) <= 3) {
        return row->paperId;
      }
    }
  }
  return kPaperCustom;
}

void MergePaper(const SettingsModel& env, DocDMode* d, const PublicDevMode& in) {
  const ModelInfo* m = env.model;
  const uint32_t paper =
      in.dmPaperSize != 0 ? static_cast<uint16_t>(in.dmPaperSize) : PaperBySize(m, in.dmPaperWidth, in.dmPaperLength);
  ListedPaper listed{};
  if (!FindListedPaper(m, env.papers, paper, &listed, nullptr, 0)) return;
  const uint32_t current = static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt));
  if (current == static_cast<uint16_t>(in.dmPaperSize) && !(current == kPaperCustom && paper == kPaperCustom)) return;
  SetDocI16(d, kDocPaperSizeAt, static_cast<int16_t>(paper));
  int32_t width = listed.width, length = listed.length;
  if (paper == kPaperCustom) {
    width = std::clamp<int32_t>(in.dmPaperWidth, m->customWidthMin, std::max(m->customWidthMin, m->customWidthMax));
    length =
        std::clamp<int32_t>(in.dmPaperLength, m->customLengthMin, std::max(m->customLengthMin, m->customLengthMax));
    // The custom size fields describe the selected custom paper too.
    SetDocI16(d, kDocUserPaperWidthAt, static_cast<int16_t>(width));
    SetDocI16(d, kDocUserPaperLengthAt, static_cast<int16_t>(length));
    SetDocU32(d, kDocUserPaperWidthInchAt, InchUnits(m, width));
    SetDocU32(d, kDocUserPaperLengthInchAt, InchUnits(m, length));
  } else if (IsUserPaperOrForm(paper)) {
    // The size of the selected user paper or form lives in its own pair.
    SetDocI16(d, kDocServerPaperWidthAt, static_cast<int16_t>(width));
    SetDocI16(d, kDocServerPaperLengthAt, static_cast<int16_t>(length));
  }
  SetDocI16(d, kDocPaperWidthAt, static_cast<int16_t>(width));
  SetDocI16(d, kDocPaperLengthAt, static_cast<int16_t>(length));
  for (int i = 0; i < 4; ++i) {
    SetDocI16(d, kDocPaperMarginsAt + 2 * i, static_cast<int16_t>(listed.margins[i]));
  }
  if (DocByte(d, kDocZoomAt) != 0) SetDocI16(d, kDocZoomValueAt, static_cast<int16_t>(CalcFitZoom(m, d)));
  const uint32_t out = static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt));
  if (out == kOutPaperAsInput1 || out == kOutPaperAsInput2) {
    SetDocI16(d, kDocOutPaperWidthAt, static_cast<int16_t>(width));
    SetDocI16(d, kDocOutPaperLengthAt, static_cast<int16_t>(length));
  }
}

void MergeResolution(const ModelInfo* m, DocDMode* d, const PublicDevMode& in) {
  if (m == nullptr || m->resolutions == nullptr) return;
  const ResolutionItem* match = nullptr;
  for (const ResolutionItem* row = m->resolutions; row->keyword[0] != '\0'; ++row) {
    if (row->values[0] == static_cast<uint16_t>(in.dmPrintQuality) &&
        row->values[1] == static_cast<uint16_t>(in.dmYResolution)) {
      match = row;
    }
  }
  if (match == nullptr) return;
  const uint16_t x = static_cast<uint16_t>(DocI16(d, kDocResolutionXAt));
  const uint16_t y = static_cast<uint16_t>(DocI16(d, kDocResolutionYAt));
  if (x == match->values[0] && y == match->values[1]) return;
  SetDocResolution(d, *match);
}

void MergeDuplex(const ModelInfo* m, DocDMode* d, const PublicDevMode& in) {
  const int request = (in.dmDuplex == 2 || in.dmDuplex == 3) ? in.dmDuplex : 1;
  const bool duplex = request != 1;
  const uint8_t sides = DocByte(d, kDocDoubleSidesAt);
  const bool driverBooklet = m != nullptr && m->features[kMfBookletPrint] != 0;
  const bool adhesive = m != nullptr && m->features[kMfAdhesiveBind] != 0 && DocByte(d, kDocAdhesiveBindAt) != 0;
  if ((!driverBooklet && sides == 3) || adhesive) {
    if (duplex) FixBindingEdgeByLayout(d, in.dmOrientation);
    else SetDocByte(d, kDocDoubleSidesAt, 1);
    return;
  }
  if (sides == 3) return;
  SetDocByte(d, kDocDoubleSidesAt, duplex ? 2 : 1);
  if (m != nullptr && m->features[kMfBindingEdge4] != 0) {
    SetBindingEdgeForDuplex(d, request);
  } else if (duplex) {
    ResolveAutoBindingForDuplex(m, d, in.dmOrientation, request);
  }
}

}  // namespace

void ResetDevDMode(DevDMode* device, const DevOption& builtIn) {
  if (device == nullptr) return;
  std::memset(device, 0, sizeof *device);
  device->head[0] = 2;
  device->head[1] = 7;
  device->colorInfo = kDefaultColorInfo;
  device->option = builtIn;
}

void ResetDocDModeFrom(DocDMode* doc, const DocDMode& defaults, bool monoDriver, const void* easySet,
                       size_t easySetSize) {
  if (doc == nullptr) return;
  void* const printer = doc->printerHandle;
  std::memcpy(doc, &defaults, sizeof *doc);
  if (monoDriver) SetDocByte(doc, kDocSelectColorAt, 1);
  if (easySet != nullptr && easySetSize == sizeof(DocDMode)) {
    const auto* stored = static_cast<const DocDMode*>(easySet);
    if (IsSoundDocDMode(stored)) std::memcpy(doc, stored, sizeof *doc);
  }
  StoreDocDModePrinterHandle(doc, printer);
}

void ApplyLocalePaperDefaults(const ModelInfo* m, DocDMode* defaults, uint16_t paperId, bool usMeasure) {
  if (defaults == nullptr) return;
  if (const PaperSizeEntry* row = FindPaperById(m, paperId)) {
    SetDocI16(defaults, kDocPaperSizeAt, static_cast<int16_t>(paperId));
    SetDocI16(defaults, kDocPaperWidthAt, static_cast<int16_t>(row->width));
    SetDocI16(defaults, kDocPaperLengthAt, static_cast<int16_t>(row->length));
    for (int i = 0; i < 4; ++i) SetDocI16(defaults, kDocPaperMarginsAt + 2 * i, static_cast<int16_t>(row->margins[i]));
  }
  for (uint32_t at : {DOC_FIELD_AT(byUnitInUserDefPaper), DOC_FIELD_AT(byUnitOutUserDefPaper), DOC_FIELD_AT(byBindingUnit),
                      DOC_FIELD_AT(byImageShiftUnit), DOC_FIELD_AT(byPBUnit), DOC_FIELD_AT(byTABShiftUnit)}) {
    SetDocByte(defaults, at, usMeasure ? 1 : 0);
  }
  SealDocDMode(defaults);
}

void UpdateCmnDModeArea(const SettingsModel& env, PublicDevMode* dm, const DocDMode* d, const char16_t* printerName) {
  if (dm == nullptr || d == nullptr) return;
  char16_t name[32];
  const bool named =
      FindListedPaper(env.model, env.papers, static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt)), nullptr, name, 32);
  FillPublicDevModeFields(dm, *d,
                          {printerName, env.model != nullptr && env.model->colorMode == 2, named ? name : nullptr});
}

void MergeDMode(const SettingsModel& env, PublicDevMode* devmode, DocDMode* d, const void* input, size_t inputBytes,
                const char16_t* printerName) {
  if (d == nullptr) return;
  const ModelInfo* m = env.model;
  uint32_t fields = 0;
  const PublicDevMode in = ReadInput(input, inputBytes, &fields);
  if ((fields & kDmOrientation) != 0 && (in.dmOrientation == 1 || in.dmOrientation == 2)) {
    SetDocByte(d, kDocOrientationAt, static_cast<uint8_t>(in.dmOrientation));
  }
  if ((fields & kDmPaperSize) != 0 && m != nullptr) MergePaper(env, d, in);
  if ((fields & kDmMediaType) != 0 && m != nullptr && m->mediaTypes != nullptr) {
    for (const ModelListItem* row = m->mediaTypes; row->keyword[0] != '\0'; ++row) {
      if (row->value == in.dmMediaType) {
        SetDocI16(d, kDocMediaTypeAt, static_cast<int16_t>(in.dmMediaType));
        break;
      }
    }
  }
  if ((fields & kDmCopies) != 0) {
    const int32_t maximum = m != nullptr ? m->copiesMax : 1;
    SetDocI16(d, kDocCopiesAt, static_cast<int16_t>(std::max<int32_t>(1, std::min<int32_t>(in.dmCopies, maximum))));
  }
  if ((fields & kDmDefaultSource) != 0 && m != nullptr && m->inTrays != nullptr) {
    for (const InTrayEntry* row = m->inTrays; row->keyword[0] != '\0'; ++row) {
      if (row->binId == static_cast<uint32_t>(static_cast<uint16_t>(in.dmDefaultSource))) {
        SetDocI16(d, kDocInTrayAt, in.dmDefaultSource);
        break;
      }
    }
  }
  if ((fields & (kDmPrintQuality | kDmYResolution)) != 0) MergeResolution(m, d, in);
  if ((fields & kDmDuplex) != 0) MergeDuplex(m, d, in);
  AdjustBindingEdge(m, d);
  FixUpNupStyle(d);
  FixUpBookletBinding(d);
  FixUpCombinationOrder(m, d);
  SealDocDMode(d);
  UpdateCmnDModeArea(env, devmode, d, printerName);
}

bool GetPaperSizeAndMargins(const ModelInfo* m, const DocDMode* d, uint32_t paperId, bool output, int32_t* width,
                            int32_t* length, int32_t margins[4]) {
  if (d == nullptr || width == nullptr || length == nullptr || margins == nullptr) return false;
  const uint32_t* source = nullptr;
  if (paperId == kPaperCustom) {
    *width = DocI16(d, output ? kDocOutUserPaperWidthAt : kDocUserPaperWidthAt);
    *length = DocI16(d, output ? kDocOutUserPaperLengthAt : kDocUserPaperLengthAt);
    source = m != nullptr ? m->customPaperMargins : nullptr;
  } else if (IsUserPaperOrForm(paperId)) {
    *width = DocI16(d, output ? kDocOutPaperWidthAt : kDocServerPaperWidthAt);
    *length = DocI16(d, output ? kDocOutPaperLengthAt : kDocServerPaperLengthAt);
    source = m != nullptr ? m->customPaperMargins : nullptr;
  } else {
    const PaperSizeEntry* row = FindPaperById(m, paperId);
    if (row == nullptr) return false;
    *width = static_cast<int32_t>(row->width);
    *length = static_cast<int32_t>(row->length);
    source = row->margins;
  }
  for (int i = 0; i < 4; ++i) margins[i] = source != nullptr ? static_cast<int32_t>(source[i]) : 0;
  return true;
}

int32_t CalcFitZoom(const ModelInfo* m, const DocDMode* d) {
  if (d == nullptr) return 100;
  int32_t inWidth, inLength, inMargins[4];
  if (!GetPaperSizeAndMargins(m, d, static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt)), false, &inWidth, &inLength,
                              inMargins)) {
    return 100;
  }
  const uint32_t out = static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt));
  if (out == kOutPaperTwoUp) return 100;
  int32_t outWidth, outLength, outMargins[4];
  PaperSizeInfo info;
  if (GetPaperSizeInfo(m, d, &info)) {
    outWidth = static_cast<int32_t>(info.halfWidth);
    outLength = static_cast<int32_t>(info.halfLength);
    for (int i = 0; i < 4; ++i) outMargins[i] = static_cast<int32_t>(info.margins[i]);
  } else if (out == kOutPaperAsInput1 || out == kOutPaperAsInput2 ||
             !GetPaperSizeAndMargins(m, d, out, true, &outWidth, &outLength, outMargins)) {
    return 100;
  }
  const int32_t inPrintWidth = inWidth - inMargins[0] - inMargins[2];
  const int32_t inPrintLength = inLength - inMargins[1] - inMargins[3];
  if (inPrintWidth <= 0 || inPrintLength <= 0) return 100;
  const int32_t zoom = std::min(MulDivRound(outWidth - outMargins[0] - outMargins[2], 100, inPrintWidth),
                                MulDivRound(outLength - outMargins[1] - outMargins[3], 100, inPrintLength));
  return zoom < 25 || zoom > 400 ? 100 : zoom;
}
