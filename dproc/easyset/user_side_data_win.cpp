#include "dproc/easyset/user_side_data_win.h"

#include <windows.h>

#include <cstring>

#include "common/qxd/model_info.h"
#include "common/win/auth_store_win.h"
#include "common/win/inter_sheet_store.h"
#include "common/win/printer_queries.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/perpage/per_page_session_win.h"
#include "dproc/quality/profile_store_win.h"
#include "dproc/saved/side_data_positions.h"
#include "dproc/sheets/per_page_ui_lists.h"
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

// A list's contents in one number: its head and its entries.
uint64_t PerPageSum(const InterSheetList& list) {
  uint64_t sum = 14695981039346656037ull;
  auto add = [&sum](const void* bytes, size_t size) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) sum = (sum ^ p[i]) * 1099511628211ull;
  };
  add(list.name, sizeof list.name);
  add(&list.count, sizeof list.count);
  add(&list.tab, sizeof list.tab);
  if (list.entries != nullptr) add(list.entries, static_cast<size_t>(list.count) * sizeof(InterSheetEntry));
  return sum;
}

void NotePerPageLists(const SheetCtx* ctx, SideDataUiState* side) {
  const PerPageUiLists* lists = PerPageListsOf(GetUIState(ctx));
  if (lists == nullptr) return;
  for (int n = 0; n < kInterSheetLists; ++n) {
    if (lists->lists[n] == nullptr || (side->perPageRead & (1u << n)) != 0) continue;
    side->perPageSums[n] = PerPageSum(*lists->lists[n]);
    side->perPageRead |= 1u << n;
  }
}

// Writes the lists the session changed (and those it did not read itself).
bool SavePerPageLists(const SheetCtx* ctx, SideDataUiState* side) {
  const PerPageUiLists* lists = PerPageListsOf(GetUIState(ctx));
  HANDLE printer = PrinterOf(ctx);
  if (lists == nullptr || printer == nullptr) return lists == nullptr;
  wchar_t printerName[MAX_PATH + 1] = {}, driverName[MAX_PATH + 1] = {};
  if (!QueryPrinterName(printer, printerName, MAX_PATH + 1) || !QueryDriverName(printer, driverName, nullptr)) {
    return false;
  }
  bool ok = true;
  for (int n = 0; n < kInterSheetLists; ++n) {
    const InterSheetList* list = lists->lists[n];
    if (list == nullptr) continue;
    const uint64_t sum = PerPageSum(*list);
    if ((side->perPageRead & (1u << n)) != 0 && side->perPageSums[n] == sum) continue;
    if (!SaveInterSheetList(printerName, driverName, n + 1, list)) {
      ok = false;
      continue;
    }
    side->perPageSums[n] = sum;
    side->perPageRead |= 1u << n;
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

void NoteSessionPerPageLists(const SheetCtx* ctx) {
  if (SideDataUiState* side = SideDataOf(ctx)) NotePerPageLists(ctx, side);
}

bool SaveChangedPerPageLists(const SheetCtx* ctx) {
  SideDataUiState* side = SideDataOf(ctx);
  return side == nullptr || SavePerPageLists(ctx, side);  // no UI state: no lists
}

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
  if (ModelFlag(kMfPerPageSetting)) {
    LoadSessionPerPageLists(ctx);
    NotePerPageLists(ctx, side);
  }
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
  ok = SavePerPageLists(ctx, side) && ok;
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
