#include "common/records/public_devmode_fill.h"

#include <cstring>

#include "common/records/doc_fields.h"

namespace {

constexpr int16_t kDuplexSimplex = 1;
constexpr int16_t kColorMonochrome = 1;
constexpr int16_t kColorColor = 2;
constexpr int16_t kTrueTypeSubstitute = 3;
constexpr int16_t kTrueTypeDownload = 2;
constexpr int16_t kTrueTypeBitmap = 1;
constexpr uint32_t kIcmMethodNone = 1;
constexpr uint32_t kIcmIntentContrast = 2;
constexpr int16_t kFullScale = 100;

// Up to 31 units of `text`, ended early at `stop` (0 for none), terminated
// and zero-filled.
void CopyName(char16_t (&field)[32], const char16_t* text, char16_t stop) {
  std::memset(field, 0, sizeof field);
  for (size_t i = 0; i < 31 && text[i] != 0 && text[i] != stop; ++i) field[i] = text[i];
}

}  // namespace

void FillPublicDevModeFields(PublicDevMode* dm, const DocDMode& doc, const PublicFieldSource& source) {
  if (dm == nullptr) return;
  const DocFields& f = Fields(doc);
  if (source.printerName != nullptr) CopyName(dm->dmDeviceName, source.printerName, u',');
  dm->dmOrientation = f.nOrientation;
  dm->dmPaperSize = f.nPaperSize;
  dm->dmPaperLength = f.sizPaper_cy;
  dm->dmPaperWidth = f.sizPaper_cx;
  dm->dmScale = kFullScale;
  dm->dmCopies = static_cast<int16_t>(f.nCopies);
  dm->dmDefaultSource = f.nDefaultSource;
  dm->dmPrintQuality = f.nResoH;
  dm->dmYResolution = f.nResoV;
  dm->dmColor = source.monochrome ? kColorMonochrome : kColorColor;
  dm->dmMediaType = static_cast<uint32_t>(static_cast<int32_t>(f.nMediaType));
  if (source.policy == PublicFillPolicy::kRendering) {
    if ((dm->dmFields & kDmDuplex) != 0) dm->dmDuplex = kDuplexSimplex;
    dm->dmTTOption = kTrueTypeBitmap;
    dm->dmICMMethod = kIcmMethodNone;
    dm->dmICMIntent = kIcmIntentContrast;
  } else {
    dm->dmDuplex = kDuplexSimplex;
    if (f.nTTFont == 0) dm->dmTTOption = kTrueTypeSubstitute;
    if (f.nTTFont == 1) dm->dmTTOption = kTrueTypeDownload;
    dm->dmICMMethod = f.ColorICM_nMethod;
    dm->dmICMIntent = f.ColorICM_nIntent;
  }
  if (source.formName != nullptr) CopyName(dm->dmFormName, source.formName, 0);
}
