// The overlay forms of a sheet session.
#include "dproc/overlay/overlay_session_win.h"

#include "common/qxd/model_info.h"
#include "common/win/printer_address_win.h"
#include "common/win/printer_queries.h"

static_assert(kUiStateOverlayAt + sizeof(OverlayUiState) <= kSheetUiStateSize);

OverlayUiState* OverlayStateOf(const SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  return state != nullptr ? reinterpret_cast<OverlayUiState*>(state->bytes + kUiStateOverlayAt) : nullptr;
}

bool IsSoftOverlayMode() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[kMfSoftOverlay] != 0;
}

void SessionPrinterNames(const SheetCtx* ctx, wchar_t printer[kFormPathChars], wchar_t driver[kFormPathChars]) {
  printer[0] = 0;
  driver[0] = 0;
  HANDLE handle = GetCtxPrinterHandle(ctx);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  QueryPrinterName(handle, printer, kFormPathChars);
  QueryDriverName(handle, driver, nullptr);
}

FormFileList* SessionFormFiles(const SheetCtx* ctx) {
  OverlayUiState* state = OverlayStateOf(ctx);
  if (state == nullptr) return nullptr;
  if (state->files == nullptr && (state->loadTried & 1) == 0) {
    state->loadTried |= 1;
    wchar_t printer[kFormPathChars], driver[kFormPathChars];
    SessionPrinterNames(ctx, printer, driver);
    if (printer[0] != 0) state->files = LoadOverlayFormList(printer, driver);
  }
  return state->files;
}

DriverFormList* SessionDeviceForms(const SheetCtx* ctx) {
  OverlayUiState* state = OverlayStateOf(ctx);
  if (state == nullptr) return nullptr;
  if (state->device == nullptr && (state->loadTried & 2) == 0) {
    state->loadTried |= 2;
    wchar_t printer[kFormPathChars], driver[kFormPathChars];
    SessionPrinterNames(ctx, printer, driver);
    if (printer[0] != 0) state->device = LoadDeviceFormList(printer, driver);
  }
  return state->device;
}

void FreeSessionFormLists(const SheetCtx* ctx) {
  OverlayUiState* state = OverlayStateOf(ctx);
  if (state == nullptr) return;
  FreeOverlayFormList(state->files);
  FreeDeviceFormList(state->device);
  *state = OverlayUiState{};
}

namespace {
FormHostAddressFn g_hostAddress = nullptr;
}

bool FormHostAddress(const SheetCtx* ctx, char out[64]) {
  out[0] = '\0';
  if (g_hostAddress != nullptr) return g_hostAddress(ctx, out) && out[0] != '\0';
  wchar_t printer[kFormPathChars], driver[kFormPathChars];
  SessionPrinterNames(ctx, printer, driver);
  DWORD needed = 0;
  if (printer[0] == 0 || GetPrinterHostAddress(printer, out, 64, &needed) != 1 || needed > 64) {
    out[0] = '\0';
    return false;
  }
  out[63] = '\0';
  return out[0] != '\0';
}

void SetFormHostAddressForTests(FormHostAddressFn fn) { g_hostAddress = fn; }

std::wstring FormLocationText(uint32_t location) {
  const ModelInfo* model = ProcessModelInfo();
  const ModelWideListItem* row = model != nullptr ? model->overlayFormLocations : nullptr;
  for (; row != nullptr && row->keyword[0] != '\0'; ++row) {
    if (row->value == location) return reinterpret_cast<const wchar_t*>(row->text);
  }
  return L"";
}
