#include "dproc/settings/default_oem_devmode_win.h"

#include "dproc/model/default_settings.h"
#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/win/printer_queries.h"
#include "common/records/settings_checksum.h"
#include "dproc/settings/settings_merge.h"

#include <memory>

DocDMode* GetDefaultOEMDevMode(const SheetCtx* ctx) {
  DocDMode* area = GetPrivDevMode(ctx);
  if (area == nullptr) return nullptr;
  HANDLE printer = GetCtxPrinterHandle(ctx);

  // What is stored under "DefaultOEMDEV" is used only when it is a sound
  // record of ours; anything else there counts as absent.
  DocDMode stored;
  const bool haveStored = ReadDefaultOEMDEV(printer, &stored) && IsSoundDocDMode(&stored);
  if (!haveStored) {
    ApplyLocalePaperDefaults(ProcessModelInfo(), &DefaultDocDMode(), LocaleDefaultPaperId(GetLocaleCountry()),
                             IsUSMeasure());
  }
  ResetDocDModeFrom(area, DefaultDocDMode(), IsMonoDriverName(printer, nullptr), haveStored ? &stored : nullptr,
                    sizeof stored);
  return area;
}

bool CopyDefaultOEMDevMode(const SheetCtx* ctx, DocDMode* out) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr || out == nullptr) return false;
  auto kept = std::make_unique<DocDMode>(*doc);
  const DocDMode* built = GetDefaultOEMDevMode(ctx);
  if (built != nullptr) *out = *built;
  *doc = *kept;
  return built != nullptr;
}
