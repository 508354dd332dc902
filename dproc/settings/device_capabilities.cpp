#include "dproc/settings/device_capabilities.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_reader.h"

namespace {

enum : uint16_t {
  kDcFields = 1, kDcPapers, kDcPaperSize, kDcMinExtent, kDcMaxExtent, kDcBins, kDcDuplex, kDcSize,
  kDcExtra, kDcVersion, kDcDriver, kDcBinNames, kDcEnumResolutions, kDcFileDependencies, kDcTrueType,
  kDcPaperNames, kDcOrientation, kDcCopies, kDcBinAdjust, kDcEmfCompliant, kDcDatatypeProduced,
  kDcCollate, kDcManufacturer, kDcModel, kDcPersonality, kDcPrintRate, kDcPrintRateUnit, kDcPrinterMem,
  kDcMediaReady, kDcStaple, kDcPrintRatePpm, kDcColorDevice, kDcNup, kDcMediaTypeNames, kDcMediaTypes,
};

// The papers of one query: the model's, the user's and the accepted forms,
// with each form's full name (the session rows keep fewer units).
struct PaperList {
  SessionPaperItem* rows = nullptr;
  uint32_t count = 0;
  ~PaperList() { std::free(rows); }
};

bool BuildPapers(const ModelInfo* m, const SpoolerPapers& p, PaperList* list) {
  list->count = BuildSessionPaperList(m, p.users, p.forms, p.formCount, &list->rows);
  return list->rows != nullptr;
}

// A form's own name: the session rows keep fewer units than a form name has.
const char16_t* RowName(const SpoolerPapers& p, const SessionPaperItem& row, size_t* units) {
  *units = 48;
  if ((row.paperId & kPaperServerFormBit) == 0) return row.name;
  const uint32_t place = row.paperId & ~kPaperServerFormBit;
  if (place == 0 || place > p.formCount || p.forms[place - 1].name == nullptr) return row.name;
  *units = SIZE_MAX;
  return p.forms[place - 1].name;
}

void PutName(char16_t* out, const char16_t* name, size_t capacity, size_t outUnits = kCapsNameUnits) {
  std::memset(out, 0, outUnits * sizeof(char16_t));
  for (size_t i = 0; i + 1 < outUnits && i < capacity && name[i] != 0; ++i) out[i] = name[i];
}

void PutLong(void* output, size_t index, int32_t value) {
  std::memcpy(static_cast<uint8_t*>(output) + 4 * index, &value, 4);
}

int32_t Papers(const CapabilityQuery& q, uint16_t capability, void* output) {
  PaperList list;
  if (!BuildPapers(q.model, q.papers, &list)) return 0;
  if (output == nullptr) return static_cast<int32_t>(list.count);
  for (uint32_t i = 0; i < list.count; ++i) {
    const SessionPaperItem& row = list.rows[i];
    switch (capability) {
      case kDcPapers: {
        const uint16_t id = static_cast<uint16_t>(row.paperId);
        std::memcpy(static_cast<uint8_t*>(output) + 2 * i, &id, 2);
        break;
      }
      case kDcPaperSize: {
        int32_t width = static_cast<int32_t>(row.width), length = static_cast<int32_t>(row.length);
        if (row.paperId == kPaperCustom) {
          width = DocI16(q.doc, kDocUserPaperWidthAt);
          length = DocI16(q.doc, kDocUserPaperLengthAt);
        }
        PutLong(output, 2 * i, width);
        PutLong(output, 2 * i + 1, length);
        break;
      }
      default: {
        size_t units = 0;
        const char16_t* name = RowName(q.papers, row, &units);
        PutName(static_cast<char16_t*>(output) + kCapsNameUnits * i, name, units);
        break;
      }
    }
  }
  return static_cast<int32_t>(list.count);
}

int32_t Extent(uint16_t width, uint16_t length, void* output) {
  if (output != nullptr) {
    PutLong(output, 0, width);
    PutLong(output, 1, length);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(width) | (static_cast<uint32_t>(length) << 16));
}

int32_t Resolutions(const ModelInfo* m, void* output) {
  const uint32_t rows = m != nullptr ? CountRows(m->resolutions) : 0;
  std::vector<int32_t> seenX, seenY;
  seenX.reserve(rows);
  seenY.reserve(rows);
  for (uint32_t i = 0; i < rows; ++i) {
    const int32_t x = m->resolutions[i].values[0], y = m->resolutions[i].values[1];
    bool seen = false;
    for (size_t k = 0; k < seenX.size() && !seen; ++k) seen = seenX[k] == x && seenY[k] == y;
    if (seen) continue;
    if (output != nullptr) {
      PutLong(output, 2 * seenX.size(), x);
      PutLong(output, 2 * seenX.size() + 1, y);
    }
    seenX.push_back(x);
    seenY.push_back(y);
  }
  return static_cast<int32_t>(seenX.size());
}

int32_t MediaTypes(const ModelInfo* m, uint16_t capability, void* output) {
  int32_t n = 0;
  if (m == nullptr || m->mediaTypes == nullptr) return 0;
  for (const ModelListItem* row = m->mediaTypes; row->keyword[0] != '\0' && row->value != 0; ++row, ++n) {
    if (output == nullptr) continue;
    if (capability == kDcMediaTypes) PutLong(output, n, static_cast<int32_t>(row->value));
    else PutName(static_cast<char16_t*>(output) + kCapsNameUnits * n, row->text, 32);
  }
  return n;
}

// The name of the value that the device option record selects for the
// device option `name`; null when the list has no such option.
const char* SelectedValueName(const DeviceOptionItem* list, const DevOption* option, const char* name) {
  if (list == nullptr || option == nullptr) return nullptr;
  for (const DeviceOptionItem* row = list; row->keyword[0] != '\0'; ++row) {
    if (!QxdNameEquals(row->keyword, name)) continue;
    if (row->optionIndex >= kDevOptionMaxOptions || row->values == nullptr) return nullptr;
    const uint32_t slot = option->optionValues[row->optionIndex];
    for (const OptionItem* v = row->values; v->keyword[0] != '\0'; ++v) {
      if (v->value == slot) return v->keyword;
    }
    return nullptr;
  }
  return nullptr;
}

int32_t UnitCode(const char* text, int32_t current) {
  if (QxdNameEquals(text, "CPS")) return 2;
  if (QxdNameEquals(text, "LPM")) return 3;
  if (QxdNameEquals(text, "IPM")) return 4;
  if (QxdNameEquals(text, "PPM")) return 1;
  return current;
}

// Whole-text, case-ignoring comparison of a machine name (at most 15
// characters) with a value name; empty names match nothing.
bool SameMachine(const char* row, const char* selected) {
  return row[0] != '\0' && selected[0] != '\0' && QxdNameEquals(row, selected);
}

}  // namespace

bool FindListedPaper(const ModelInfo* m, const SpoolerPapers& p, uint32_t paperId, ListedPaper* out, char16_t* name,
                     size_t nameUnits) {
  if (m == nullptr) return false;
  PaperList list;
  if (!BuildPapers(m, p, &list)) return false;
  for (uint32_t i = 0; i < list.count; ++i) {
    const SessionPaperItem& row = list.rows[i];
    if (row.paperId != paperId) continue;
    if (out != nullptr) {
      out->width = static_cast<int32_t>(row.width);
      out->length = static_cast<int32_t>(row.length);
      std::memcpy(out->margins, row.margins, sizeof out->margins);
      out->modelPaper = i < CountRows(m->papers);
      if (!out->modelPaper) std::memcpy(out->margins, m->customPaperMargins, sizeof out->margins);
    }
    if (name != nullptr && nameUnits > 0) {
      size_t units = 0;
      const char16_t* text = RowName(p, row, &units);
      PutName(name, text, units, nameUnits);
    }
    return true;
  }
  return false;
}

PrintRate GetPrintRate(const ModelInfo* m, const DeviceOptionItem* deviceOptions, const DevOption* option) {
  PrintRate r{0, 1, 0};
  if (m == nullptr) return r;
  r.rate = m->printRate;
  r.unit = (m->printRateUnit >= 2 && m->printRateUnit <= 4) ? m->printRateUnit : 1;
  r.pagesPerMinute = m->printRatePpm;
  const char* machine = SelectedValueName(deviceOptions, option, "OpMachine");
  if (machine == nullptr || m->machines == nullptr) return r;
  bool rateDone = false, ppmDone = false;
  for (uint32_t i = 0; i < m->machineRowCount && !(rateDone && ppmDone); ++i) {
    const MachineRow& row = m->machines[i];
    if (!SameMachine(row.name, machine) || row.items == nullptr) continue;
    bool rateFound = false, ppmFound = false;
    for (uint32_t k = 0; k < row.itemCount && row.items[k].key[0] != '\0'; ++k) {
      const MachineValue& item = row.items[k];
      if (!rateDone && QxdNameEquals(item.key, "PrintRate")) {
        r.rate = QxdAtoi(item.value);
        rateFound = true;
      } else if (!rateDone && QxdNameEquals(item.key, "PrintRateUnit")) {
        r.unit = UnitCode(item.value, r.unit);
        rateFound = true;
      } else if (!ppmDone && QxdNameEquals(item.key, "PrintRatePPM")) {
        r.pagesPerMinute = QxdAtoi(item.value);
        ppmFound = true;
      }
    }
    rateDone = rateDone || rateFound;
    ppmDone = ppmDone || ppmFound;
  }
  return r;
}

int32_t AnswerDeviceCapability(const CapabilityQuery& q, uint16_t capability, void* output) {
  if (q.devmode == nullptr || q.doc == nullptr) return kCapsUnsupported;
  const DevOption* option = q.device != nullptr ? &q.device->option : nullptr;
  if (q.ddproc != nullptr) {
    int32_t result = 0;
    if (q.ddproc(q.model, q.deviceOptions, q.doc, option, capability, output, &result) != 0) return result;
  }
  const ModelInfo* m = q.model;
  const bool win2000 = q.winVersionClass >= 1;
  switch (capability) {
    case kDcFields: return static_cast<int32_t>(q.devmode->dmFields);
    case kDcPapers: case kDcPaperSize: case kDcPaperNames: case kDcMediaReady:
      return Papers(q, capability == kDcMediaReady ? uint16_t{kDcPaperNames} : capability, output);
    case kDcMinExtent:
      return Extent(m ? m->customWidthMin : 0, m ? m->customLengthMin : 0, output);
    case kDcMaxExtent:
      return Extent(m ? m->customWidthMax : 0, m ? m->customLengthMax : 0, output);
    case kDcDuplex: return 1;
    case kDcSize: return q.devmode->dmSize;
    case kDcExtra: return q.devmode->dmDriverExtra;
    case kDcVersion: return q.devmode->dmSpecVersion;
    case kDcDriver: return q.devmode->dmDriverVersion;
    case kDcEnumResolutions: return Resolutions(m, output);
    case kDcTrueType: {
      const uint8_t substitute = DocByte(q.doc, kDocFontSubstituteAt);
      return substitute == 0 ? 4 : substitute == 1 ? 2 : 0;
    }
    case kDcOrientation: return DocByte(q.doc, kDocLandscapeRotationAt) != 0 ? 270 : 90;
    case kDcCopies: return m ? m->copiesMax : 0;
    case kDcCollate: return 0;
    case kDcPrintRate:
      return win2000 ? GetPrintRate(m, q.deviceOptions, option).rate : kCapsUnsupported;
    case kDcPrintRateUnit:
      return win2000 ? GetPrintRate(m, q.deviceOptions, option).unit : kCapsUnsupported;
    case kDcPrintRatePpm:
      return win2000 ? GetPrintRate(m, q.deviceOptions, option).pagesPerMinute : kCapsUnsupported;
    case kDcStaple: return win2000 && m != nullptr && m->staplerPresent != 0 ? 1 : 0;
    case kDcColorDevice: return win2000 && m != nullptr && m->colorDevice != 0 ? 1 : 0;
    case kDcMediaTypeNames: case kDcMediaTypes: return MediaTypes(m, capability, output);
    default: return kCapsUnsupported;
  }
}
