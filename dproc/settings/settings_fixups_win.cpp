#include "dproc/settings/settings_fixups_win.h"

#include "dproc/model/default_settings.h"
#include "common/win/printer_queries.h"
#include "common/win/win_version.h"

namespace {

const uint8_t* PageRecord(const SheetCtx* ctx) {
  return ctx != nullptr ? reinterpret_cast<const uint8_t*>(ctx->lParam) : nullptr;
}

}  // namespace

FixUpHost FixUpHostOf(const SheetCtx* ctx) {
  FixUpHost host{false, true, false, false};
  const uint8_t* record = PageRecord(ctx);
  host.outsideHost = record != nullptr && record[0] != 0;
  if (host.outsideHost && GetWinVersionClass() >= kWin2000) host.advPrintFeaturesOn = IsAdvPrintFeaturesOn(ctx) != FALSE;
  HANDLE printer = GetCtxPrinterHandle(ctx);
  if (printer != nullptr && printer != INVALID_HANDLE_VALUE) {
    host.rawOnlyPrinter = IsRawOnlyPrinter(printer);
    host.monoDriver = IsMonoDriverName(printer, nullptr);
  }
  return host;
}

DocDMode* EmfFixUpRecord(const SheetCtx* ctx) {
  const uint8_t* record = PageRecord(ctx);
  if (record == nullptr || record[0] == 0) return nullptr;
  if (record[1] == kPluginDocumentKind) return GetPrivDevMode(ctx);
  if (record[1] != kPluginDeviceKind) return nullptr;
  const PluginDocPage* doc = reinterpret_cast<const PluginDevicePage*>(record)->docPage;
  if (doc == nullptr || doc->psParam == nullptr) return nullptr;
  return static_cast<DocDMode*>(doc->psParam->pOEMDM);
}

int FixUpBindingEdge(const SheetCtx* ctx) { return FixUpBindingEdge(ProcessModelInfo(), GetPrivDevMode(ctx)); }

int FixUpStaplePosition(const SheetCtx* ctx) {
  return FixUpStaplePosition(ProcessModelInfo(), GetPrivDevMode(ctx));
}

int ResetEmfOnlyNup(const SheetCtx* ctx) {
  return ResetEmfOnlyNup(ProcessModelInfo(), GetPrivDevMode(ctx), &DefaultDocDMode(), FixUpHostOf(ctx));
}

int FixUpEmfOnlyNup(const SheetCtx* ctx) {
  return FixUpEmfOnlyNup(ProcessModelInfo(), EmfFixUpRecord(ctx), &DefaultDocDMode(), FixUpHostOf(ctx));
}

int FixUpEmfOnlyDuplex(const SheetCtx* ctx) {
  return FixUpEmfOnlyDuplex(EmfFixUpRecord(ctx), &DefaultDocDMode(), FixUpHostOf(ctx));
}

int FixUpSettingsConflicts(const SheetCtx* ctx, DocDMode* doc) {
  if (doc == nullptr) doc = GetPrivDevMode(ctx);
  return FixUpSettingsConflicts(ProcessModelInfo(), doc, &DefaultDocDMode(), FixUpHostOf(ctx));
}
