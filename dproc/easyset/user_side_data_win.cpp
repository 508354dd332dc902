#include "dproc/easyset/user_side_data_win.h"

#include <windows.h>

#include <cstring>

#include "common/qxd/model_info.h"
#include "common/win/auth_store_win.h"
#include "common/win/printer_queries.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/perpage/per_page_session_win.h"
#include "dproc/quality/profile_store_win.h"
#include "dproc/saved/side_data_positions.h"
#include "dproc/watermark/watermark_session_win.h"

static_assert(kUiStateSideDataAt + kUiStateSideDataBytes <= kSheetUiStateSize);
static_assert(sizeof(ResidentProfileUiState) <= kUiStateResidentProfilesBytes);

namespace {

SideDataUiState* SideDataOf(const SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  return state != nullptr ? reinterpret_cast<SideDataUiState*>(state->bytes + kUiStateSideDataAt) : nullptr;
}

bool ModelFlag(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}

HANDLE PrinterOf(const SheetCtx* ctx) {
  HANDLE printer = GetCtxPrinterHandle(ctx);
  return printer == INVALID_HANDLE_VALUE ? nullptr : printer;
}

constexpr ResidentProfileList kProfileLists[kResidentProfileLists] = {
    ResidentProfileList::kRgbSource, ResidentProfileList::kSimulation, ResidentProfileList::kDestination};

// Each list's block holds the session's records and after them the records
// as they were read, which tell at saving whether the session changed them.
ColorProfileRecord* LoadedCopy(ColorProfileRecord* block) { return block + kResidentProfilesMax; }

void LoadProfileLists(const SheetCtx* ctx, ResidentProfileUiState* lists, SideDataUiState* side) {
  HANDLE printer = PrinterOf(ctx);
  for (size_t i = 0; i < kResidentProfileLists; ++i) {
    if (lists->lists[i] != nullptr) continue;
    auto* block = static_cast<ColorProfileRecord*>(LocalAlloc(LPTR, 2 * kResidentProfilesMax * sizeof(ColorProfileRecord)));
    if (block == nullptr) continue;
    uint32_t count = 0;
    if (printer != nullptr) LoadResidentProfiles(printer, kProfileLists[i], block, &count);
    if (count > kResidentProfilesMax) count = kResidentProfilesMax;
    std::memcpy(LoadedCopy(block), block, kResidentProfilesMax * sizeof(ColorProfileRecord));
    lists->lists[i] = block;
    lists->counts[i] = count;
    side->profilesRead[i] = count;
  }
}

bool SaveProfileLists(const SheetCtx* ctx, const ResidentProfileUiState& lists, SideDataUiState* side) {
  HANDLE printer = PrinterOf(ctx);
  bool ok = true;
  for (size_t i = 0; i < kResidentProfileLists; ++i) {
    ColorProfileRecord* block = lists.lists[i];
    if (block == nullptr) continue;
    const uint32_t count = lists.counts[i] < kResidentProfilesMax ? lists.counts[i] : kResidentProfilesMax;
    const bool same = count == side->profilesRead[i] &&
                      std::memcmp(block, LoadedCopy(block), count * sizeof(ColorProfileRecord)) == 0;
    if (same) continue;
    if (printer == nullptr || !SaveResidentProfiles(printer, kProfileLists[i], block, count)) {
      ok = false;
      continue;
    }
    std::memcpy(LoadedCopy(block), block, kResidentProfilesMax * sizeof(ColorProfileRecord));
    side->profilesRead[i] = count;
  }
  return ok;
}

void LoadAuthentication(const SheetCtx* ctx, SideDataUiState* side) {
  DocDMode* settings = GetPrivDevMode(ctx);
  HANDLE printer = PrinterOf(ctx);
  if (settings == nullptr || printer == nullptr) return;
  wchar_t printerName[MAX_PATH + 1] = {}, driverName[MAX_PATH + 1] = {};
  QueryPrinterName(printer, printerName, MAX_PATH + 1);
  QueryDriverName(printer, driverName, nullptr);
  AuthRegRecord record;
  ReadAuthRegRecord(driverName, printerName, &record);
  CopyAuthRegToDevMode(record, settings);
  side->authLoaded = 1;
}

}  // namespace

ResidentProfileUiState* SessionResidentProfiles(const SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  return state != nullptr ? reinterpret_cast<ResidentProfileUiState*>(state->bytes + kUiStateResidentProfilesAt)
                          : nullptr;
}

void LoadUserSideData(const SheetCtx* ctx) {
  SideDataUiState* side = SideDataOf(ctx);
  if (side == nullptr) return;
  if (IsSoftOverlayMode()) SessionFormFiles(ctx);
  else SessionDeviceForms(ctx);
  WatermarkSessionOf(ctx);
  if (ModelFlag(kMfPerPageSetting)) LoadSessionPerPageLists(ctx);
  LoadProfileLists(ctx, SessionResidentProfiles(ctx), side);
  if (side->authLoaded == 0) LoadAuthentication(ctx, side);
}

bool SaveUserSideData(const SheetCtx* ctx) {
  SideDataUiState* side = SideDataOf(ctx);
  if (side == nullptr) return false;
  bool ok = true;
  const OverlayUiState* overlay = OverlayStateOf(ctx);
  if (IsSoftOverlayMode()) {
    if (overlay->files != nullptr) ok = SaveOverlayFormList(overlay->files) && ok;
  } else if (overlay->device != nullptr) {
    ok = SaveDeviceFormList(overlay->device) && ok;
  }
  ok = SaveWatermarkSession(ctx) && ok;
  ok = SaveSessionPerPageLists(ctx) && ok;
  ok = SaveProfileLists(ctx, *SessionResidentProfiles(ctx), side) && ok;
  if (side->authLoaded != 0) ok = SaveAuthenticationReg(PrinterOf(ctx), GetPrivDevMode(ctx)) && ok;
  return ok;
}

void FreeUserSideData(const SheetCtx* ctx) {
  SideDataUiState* side = SideDataOf(ctx);
  if (side == nullptr) return;
  FreeSessionFormLists(ctx);
  FreeWatermarkSession(ctx);
  FreeSessionPerPageLists(ctx);
  ResidentProfileUiState* lists = SessionResidentProfiles(ctx);
  for (size_t i = 0; i < kResidentProfileLists; ++i) {
    if (lists->lists[i] != nullptr) LocalFree(lists->lists[i]);
  }
  *lists = ResidentProfileUiState{};
  *side = SideDataUiState{};
}

uint32_t SessionFormCount(const SheetCtx* ctx) {
  const OverlayUiState* overlay = OverlayStateOf(ctx);
  if (overlay == nullptr) return 0;
  if (IsSoftOverlayMode()) return overlay->files != nullptr ? static_cast<uint32_t>(overlay->files->nodes.size()) : 0;
  return overlay->device != nullptr ? static_cast<uint32_t>(overlay->device->nodes.size()) : 0;
}

bool ClampSessionListPositions(const SheetCtx* ctx, DocDMode* settings) {
  if (settings == nullptr) return false;
  const WatermarkSession* marks = WatermarkSessionOf(ctx);
  const uint32_t printerMarks = marks != nullptr ? marks->publicCount : 0;
  const uint32_t userMarks = marks != nullptr ? marks->privateCount : 0;
  return ClampListPositions(SessionFormCount(ctx), printerMarks, userMarks, settings);
}
