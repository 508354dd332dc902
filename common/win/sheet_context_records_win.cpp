#include "common/win/sheet_context_records_win.h"

namespace {

using Host = SheetCtxHost;
using Resolved = SheetCtxRecords;

Resolved Resolve(const SheetCtx* ctx) { return ResolveSheetCtx(ctx); }

// The page parameters of the document record, which both plug-in kinds
// read their page flags from.
const OEMUIPSPARAM* PageParams(const Resolved& r) {
  return r.doc != nullptr ? r.doc->psParam : nullptr;
}

}  // namespace

SheetCtxRecords ResolveSheetCtx(const SheetCtx* ctx) {
  Resolved r;
  if (ctx == nullptr || ctx->lParam == 0) return r;
  auto* bytes = reinterpret_cast<uint8_t*>(ctx->lParam);
  if (bytes[0] == 0) {
    r.host = Host::kSession;
    r.session = reinterpret_cast<SheetSession*>(bytes);
  } else if (bytes[1] == kPluginDocumentKind) {
    r.host = Host::kPluginDocument;
    r.doc = reinterpret_cast<PluginDocPage*>(bytes);
  } else if (bytes[1] == kPluginDeviceKind) {
    r.host = Host::kPluginDevice;
    r.device = reinterpret_cast<PluginDevicePage*>(bytes);
    r.doc = r.device->docPage;
  }
  return r;
}

DocDMode* GetPrivDevMode(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  switch (r.host) {
    case Host::kSession: return r.session->working != nullptr ? &r.session->working->devmode.doc : nullptr;
    case Host::kPluginDocument:
      return r.doc->psParam != nullptr ? static_cast<DocDMode*>(r.doc->psParam->pOEMDM) : nullptr;
    case Host::kPluginDevice: return &r.device->doc;
    default: return nullptr;
  }
}

HANDLE GetCtxPrinterHandle(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  switch (r.host) {
    case Host::kSession: return r.session->printer;
    case Host::kPluginDocument: return r.doc->psParam != nullptr ? r.doc->psParam->hPrinter : INVALID_HANDLE_VALUE;
    case Host::kPluginDevice: return r.device->printer;
    default: return INVALID_HANDLE_VALUE;
  }
}

DWORD GetCtxPageFlags(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host != Host::kPluginDocument && r.host != Host::kPluginDevice) return 0;
  const OEMUIPSPARAM* params = PageParams(r);
  return params != nullptr ? params->dwFlags : 0;
}

BOOL CanChangeDocSettings(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return r.session->mayChange != 0;
  return (GetCtxPageFlags(ctx) & kPluginNoDocChange) == 0;
}

BOOL CanChangeDeviceSettings(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return r.session->mayChange != 0;
  return (GetCtxPageFlags(ctx) & kPluginNoDeviceChange) == 0;
}

DEVMODEW* GetCtxPublicDevMode(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return reinterpret_cast<DEVMODEW*>(r.session->working);
  if (r.doc == nullptr || r.doc->cuiParam == nullptr) return nullptr;
  return r.doc->cuiParam->pPublicDM;
}

uint32_t GetCtxSessionFlag(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  switch (r.host) {
    case Host::kSession: return r.session->values[kSheetPrinterDefaultsFlag];
    case Host::kPluginDocument: return r.doc->sessionFlag;
    case Host::kPluginDevice: return r.device->sessionFlag;
    default: return 0;
  }
}

SheetUiState* GetUIState(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  switch (r.host) {
    case Host::kSession: return &r.session->uiState;
    case Host::kPluginDocument: return &r.doc->uiState;
    case Host::kPluginDevice: return &r.device->uiState;
    default: return nullptr;
  }
}

DocDMode* GetPrivDevModeBackup(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return &r.session->docBackup;
  return r.doc != nullptr ? &r.doc->backup : nullptr;
}

DevOption* GetCtxPrinterInfo(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  switch (r.host) {
    case Host::kSession: return r.session->working != nullptr ? &r.session->working->device.option : nullptr;
    case Host::kPluginDocument: return &r.doc->devOption;
    case Host::kPluginDevice: return &r.device->devOption;
    default: return nullptr;
  }
}

SheetDeviceStatus* GetCtxTrayStatus(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return &r.session->deviceStatus;
  return r.doc != nullptr ? &r.doc->trayStatus : nullptr;
}

BOOL IsSessionPage(const SheetCtx* ctx) { return Resolve(ctx).host == Host::kSession; }

BOOL IsDocPropertiesMode(const SheetCtx* ctx) {
  Resolved r = Resolve(ctx);
  if (r.host == Host::kSession) return r.session->mode == kSheetModeDocument || r.session->mode == kSheetModeAdvanced;
  if (r.host == Host::kNone) return FALSE;
  DWORD flags = GetCtxPageFlags(ctx);
  return (flags & kPluginDocPropsFlag) != 0 || (flags & kPluginPrinterPropsFlag) == 0;
}
