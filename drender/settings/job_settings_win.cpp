// The job settings record.
#include "drender/settings/job_settings.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "common/contracts/self_devmode_reset_win.h"
#include "common/win/bind_export.h"
#include "common/win/drv_trace.h"
#include "common/win/devmode_store_win.h"
#include "common/records/devmode_field_guard.h"
#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"
#include "common/records/public_devmode_fill.h"
#include "common/records/settings_checksum.h"
#include "drender/settings/job_binding.h"
#include "drender/model/render_model.h"
#include "drender/model/printer_info.h"

namespace {


DocDMode* Doc(WorkDevMode* record) { return &record->devmode.doc; }

// True when the caller's DEVMODE holds `size` bytes at `offset` inside its dmSize.
bool Covers(const DEVMODEW* dm, size_t offset, size_t size) { return DevModeCovers(dm->dmSize, offset, size); }
// True when the caller's DEVMODE sets `bit` and holds its field inside its dmSize.
bool Has(const DEVMODEW* dm, DWORD bit) { return DevModeHasField(dm->dmFields, dm->dmSize, bit); }

bool ResetToDefaults(WorkDevMode* record, HANDLE printer, const wchar_t* printerName) {
  wchar_t path[MAX_PATH];
  if (!Rdc_SiblingPath(L"VELDRANK.DLL", path)) return false;
  HMODULE core = LoadLibraryW(path);
  if (!core) {
    DRV_TRACE("VELDRANE: VELDRANK.DLL did not load (%lu)", GetLastError());
    return false;
  }
  auto reset = BindExport<UdcResetSelfDModeFn>(core, kUdcResetSelfDMode);
  bool called = false;
  if (reset) {
    reset(record, printer, printerName);
    called = true;
  }
  FreeLibrary(core);
  return called;
}

bool InList(const ModelListItem* rows, uint32_t value) {
  for (const ModelListItem* row = rows; row && row->keyword[0]; ++row) {
    if (row->value == value) return true;
  }
  return false;
}

bool InTrays(const InTrayEntry* rows, uint32_t bin) {
  for (const InTrayEntry* row = rows; row && row->keyword[0]; ++row) {
    if (row->binId == bin) return true;
  }
  return false;
}

// A custom size outside the model's limits (zero or less in particular)
// is brought inside them.
int16_t ClampCustom(int32_t value, uint32_t minimum, uint32_t maximum, uint32_t fallback) {
  if (maximum == 0 || minimum > maximum) return static_cast<int16_t>(value > 0 && value <= 0x7FFF ? value : fallback);
  if (value < static_cast<int32_t>(minimum)) value = static_cast<int32_t>(minimum);
  if (value > static_cast<int32_t>(maximum)) value = static_cast<int32_t>(maximum);
  return static_cast<int16_t>(value > 0x7FFF ? 0x7FFF : value);
}

void MergeDuplex(DocDMode* doc, const DEVMODEW* dm, const ModelInfo* model) {
  const bool twoSided = dm->dmDuplex == DMDUP_VERTICAL || dm->dmDuplex == DMDUP_HORIZONTAL;
  const bool driverBooklet = model && model->features[kMfBookletPrint] != 0;
  const uint8_t sides = DocByte(doc, kDocDoubleSidesAt);
  const bool adhesive = model && model->features[kMfAdhesiveBind] != 0 && DocByte(doc, kDocAdhesiveBindAt) != 0;
  const int16_t orientation = Covers(dm, offsetof(DEVMODEW, dmOrientation), 2) ? dm->dmOrientation : 0;
  if ((!driverBooklet && sides == 3) || adhesive) {
    if (!twoSided) {
      SetDocByte(doc, kDocDoubleSidesAt, 1);
    } else {
      Rdc_AdjustBookletBinding(doc, orientation);
    }
    return;
  }
  if (sides == 3) return;  // a booklet the driver makes stays
  SetDocByte(doc, kDocDoubleSidesAt, twoSided ? 2 : 1);
  if (model && model->features[kMfBindingEdge4]) {
    Rdc_AdjustEdgeBinding(doc, twoSided ? dm->dmDuplex : 1);
  } else if (twoSided) {
    Rdc_AdjustAutoBinding(doc, orientation, dm->dmDuplex, model);
  }
}

}  // namespace

BOOL Rdc_ValidateSettings(const void* devmode, size_t available) {
  if (!devmode || available < kDevModeWSize) return FALSE;
  const auto* dm = static_cast<const DEVMODEW*>(devmode);
  if (dm->dmSpecVersion != kDriverSpecVersion || dm->dmSize != kDevModeWSize ||
      dm->dmDriverExtra != kDriverDevModeExtra || available < kDriverDevModeSize) {
    return FALSE;
  }
  const auto* record = static_cast<const DriverDevMode*>(devmode);
  if (record->magic != kDriverDevModeMagic || record->doc.sizeAgain != kDocDModeSize) return FALSE;
  if (strncmp(record->doc.signature, kDocDModeSignature, sizeof record->doc.signature) != 0 ||
      strncmp(record->doc.language, kDocDModeLanguage, sizeof record->doc.language) != 0) {
    return FALSE;
  }
  return DocDModeChecksumMatches(&record->doc);
}

BOOL Rdc_SavePrinterSettings(const WorkDevMode* record, HANDLE printer) {
  return record && WritePrivateDevModeData(printer, &record->device) == kDevModeStoreOk;
}

BOOL Rdc_LoadPrinterSettings(WorkDevMode* record, HANDLE printer, const wchar_t* printerName) {
  if (!record) return FALSE;
  std::memset(record, 0, sizeof(*record));
  if (Rdc_GetPrinterInfo(printer, &record->devmode, sizeof(record->devmode), kPrinterInfoDevMode) &&
      Rdc_ValidateSettings(&record->devmode, sizeof(record->devmode))) {
    DWORD status = 0;
    if (ReadPrivateDevModeData(printer, &record->device, &status) == kDevModeStoreOk) return TRUE;
  }
  ResetToDefaults(record, printer, printerName);
  SealDriverDevMode(&record->devmode);
  // Without stored settings or defaults there is nothing to print with.
  return Rdc_ValidateSettings(&record->devmode, sizeof(record->devmode));
}

void Rdc_MergeCallerDevMode(WorkDevMode* record, const DEVMODEW* dm, const ModelInfo* model) {
  if (!record || !dm) return;
  DocDMode* doc = Doc(record);
  if (Has(dm, DM_ORIENTATION) && (dm->dmOrientation == 1 || dm->dmOrientation == 2)) {
    SetDocByte(doc, kDocOrientationAt, static_cast<uint8_t>(dm->dmOrientation));
  }
  if (Has(dm, DM_PAPERSIZE)) {
    const uint32_t requested = static_cast<uint16_t>(dm->dmPaperSize);
    const uint32_t current = static_cast<uint16_t>(DocI16(doc, kDocPaperSizeAt));
    const PaperSizeEntry* paper = FindPaperById(model, requested);
    if ((requested != current || requested == kPaperCustom) && paper) {
      SetDocI16(doc, kDocPaperSizeAt, static_cast<int16_t>(requested));
      int16_t width = static_cast<int16_t>(paper->width);
      int16_t length = static_cast<int16_t>(paper->length);
      if (requested == kPaperCustom) {
        const bool hasWidth = Covers(dm, offsetof(DEVMODEW, dmPaperWidth), 2);
        // The custom paper's own range, else the range sections'.
        const bool own = model->customPaperMaxWidth != 0 && model->customPaperMaxLength != 0;
        width = ClampCustom(hasWidth ? dm->dmPaperWidth : 0, own ? model->customPaperMinWidth : model->customWidthMin,
                            own ? model->customPaperMaxWidth : model->customWidthMax, paper->width);
        length = ClampCustom(hasWidth ? dm->dmPaperLength : 0,
                             own ? model->customPaperMinLength : model->customLengthMin,
                             own ? model->customPaperMaxLength : model->customLengthMax, paper->length);
      }
      SetDocI16(doc, kDocPaperWidthAt, width);
      SetDocI16(doc, kDocPaperLengthAt, length);
      for (int i = 0; i < 4; ++i) SetDocI16(doc, kDocPaperMarginsAt + 2 * i, static_cast<int16_t>(paper->margins[i]));
    }
  }
  if (Has(dm, DM_MEDIATYPE) && model && InList(model->mediaTypes, dm->dmMediaType)) {
    SetDocI16(doc, kDocMediaTypeAt, static_cast<int16_t>(dm->dmMediaType));
  }
  if (Has(dm, DM_COPIES)) {
    const int32_t maximum = model && model->copiesMax ? model->copiesMax : 1;
    int32_t copies = dm->dmCopies;
    if (DocByte(doc, kDocCollateAt) != 0) {
      copies = copies < 1 ? 1 : (copies > maximum ? maximum : copies);
    } else if (copies < 1 || copies > maximum) {
      copies = 1;
    }
    SetDocI16(doc, kDocCopiesAt, static_cast<int16_t>(copies));
  }
  if (Has(dm, DM_DEFAULTSOURCE) && model && InTrays(model->inTrays, dm->dmDefaultSource)) {
    SetDocI16(doc, kDocInTrayAt, static_cast<int16_t>(dm->dmDefaultSource));
  }
  if (Has(dm, DM_DUPLEX)) MergeDuplex(doc, dm, model);
  if (((dm->dmFields & DM_PRINTQUALITY) || (dm->dmFields & DM_YRESOLUTION)) &&
      Covers(dm, offsetof(DEVMODEW, dmYResolution), 2) && model) {
    for (const ResolutionItem* row = model->resolutions; row && row->keyword[0]; ++row) {
      if (row->values[0] == static_cast<uint16_t>(dm->dmPrintQuality) &&
          row->values[1] == static_cast<uint16_t>(dm->dmYResolution)) {
        for (int i = 0; i < 3; ++i) SetDocI16(doc, kDocResolutionXAt + 2 * i, static_cast<int16_t>(row->values[i]));
      }
    }
  }
  Rdc_SyncDevModeFields(record, model, nullptr);
}

void Rdc_SyncDevModeFields(WorkDevMode* record, const ModelInfo* model, const wchar_t* printerName) {
  if (!record) return;
  const PaperSizeEntry* paper = FindPaperById(model, static_cast<uint16_t>(DocI16(Doc(record), kDocPaperSizeAt)));
  FillPublicDevModeFields(reinterpret_cast<PublicDevMode*>(record->devmode.publicPart), *Doc(record),
                          {reinterpret_cast<const char16_t*>(printerName), model && model->colorMode == 2,
                           paper ? paper->name : nullptr, PublicFillPolicy::kRendering});
}

BOOL Rdc_GetSettings(WorkDevMode* out, const DEVMODEW* caller, HANDLE printer, const wchar_t* printerName,
                     DWORD flags) {
  std::unique_ptr<WorkDevMode> work(new (std::nothrow) WorkDevMode{});
  if (!work) return FALSE;
  if (!Rdc_LoadPrinterSettings(work.get(), printer, printerName)) return FALSE;
  const ModelInfo* model = Rdc_Model();
  if ((flags & (kSettingsMerge | kSettingsMergeAlso)) && caller) {
    // The caller's DEVMODE is read only within its own sizes.
    const size_t available = static_cast<size_t>(caller->dmSize) + caller->dmDriverExtra;
    if (Rdc_ValidateSettings(caller, available)) {
      const auto* theirs = reinterpret_cast<const DriverDevMode*>(caller);
      work->devmode.doc = theirs->doc;
      work->devmode.magic = theirs->magic;
    }
    Rdc_MergeCallerDevMode(work.get(), caller, model);
  }
  Rdc_SyncDevModeFields(work.get(), model, printerName);
  SealDriverDevMode(&work->devmode);
  if (flags & kSettingsStoreDevice) Rdc_SavePrinterSettings(work.get(), printer);
  if (out) {
    if (flags & kSettingsCopyWhole) {
      *out = *work;
    } else if (flags & kSettingsCopyPublic) {
      // Always a complete record: the stored settings with the caller's
      // fields merged, never a private part the caller did not fill.
      out->devmode = work->devmode;
    }
    SealDocDMode(&out->devmode.doc);
  }
  return TRUE;
}
