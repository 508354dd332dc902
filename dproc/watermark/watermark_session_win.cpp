#include "dproc/watermark/watermark_session_win.h"

#include <cstring>

#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/cover/cover_page_win.h"
#include "common/records/doc_fields.h"
#include "common/win/printer_queries.h"
#include "dproc/sheets/ui_state_layout.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/watermark_lists.h"
#include "dproc/watermark/watermark_selection.h"
#include "dproc/watermark/watermark_store_win.h"

namespace {

struct WatermarkUiState {
  WatermarkSession* session;
};
static_assert(sizeof(WatermarkUiState) <= kUiStateWatermarksBytes);

WatermarkUiState* SlotOf(const SheetCtx* ctx) {
  SheetUiState* state = GetUIState(ctx);
  return state != nullptr ? reinterpret_cast<WatermarkUiState*>(state->bytes + kUiStateWatermarksAt) : nullptr;
}

struct PrinterNames {
  wchar_t printer[260] = {};
  wchar_t driver[260] = {};
};
PrinterNames NamesOf(const SheetCtx* ctx) {
  PrinterNames names;
  const HANDLE printer = GetCtxPrinterHandle(ctx);
  QueryPrinterName(printer, names.printer, 260);
  QueryDriverName(printer, names.driver, nullptr);
  return names;
}

template <typename T>
uint32_t TakeBlock(T* block, size_t count, T* into, uint32_t capacity) {
  if (block == nullptr) return 0;
  const uint32_t n = count < capacity ? static_cast<uint32_t>(count) : capacity;
  std::memcpy(into, block, n * sizeof(T));
  LocalFree(block);
  return n;
}

void RebuildOrder(WatermarkSession* s, const WMOrderEntry* stored, size_t storedCount) {
  s->orderCount = static_cast<uint32_t>(BuildWatermarkOrder(stored, storedCount, s->publicMarks, s->publicCount,
                                                            s->privateMarks, s->privateCount, s->order,
                                                            kMaxWatermarkOrder));
}

bool (*g_adminCheck)(const SheetCtx*) = nullptr;

WatermarkSession* NewSession(const SheetCtx* ctx) {
  WatermarkUiState* slot = SlotOf(ctx);
  if (slot == nullptr) return nullptr;
  if (slot->session == nullptr) {
    auto* s = static_cast<WatermarkSession*>(LocalAlloc(LPTR, sizeof(WatermarkSession)));
    if (s == nullptr) return nullptr;
    for (COLORREF& c : s->customColors) c = RGB(255, 255, 255);
    s->sharing = kSharingPublic;
    slot->session = s;
  }
  return slot->session;
}

}  // namespace

WatermarkSession* InstallWatermarkSession(const SheetCtx* ctx, const WaterMarkInfo* publicMarks, size_t publicCount,
                                          const WaterMarkInfo* privateMarks, size_t privateCount) {
  WatermarkSession* s = NewSession(ctx);
  if (s == nullptr) return nullptr;
  s->publicCount = static_cast<uint32_t>(publicCount < kMaxPublicWatermarks ? publicCount : kMaxPublicWatermarks);
  s->privateCount = static_cast<uint32_t>(privateCount < kMaxPrivateWatermarks ? privateCount : kMaxPrivateWatermarks);
  if (s->publicCount != 0) std::memcpy(s->publicMarks, publicMarks, s->publicCount * sizeof(WaterMarkInfo));
  if (s->privateCount != 0) std::memcpy(s->privateMarks, privateMarks, s->privateCount * sizeof(WaterMarkInfo));
  RebuildOrder(s, nullptr, 0);
  s->changed = false;
  return s;
}

WatermarkSession* WatermarkSessionOf(const SheetCtx* ctx) {
  WatermarkUiState* slot = SlotOf(ctx);
  if (slot == nullptr) return nullptr;
  if (slot->session != nullptr) return slot->session;
  WatermarkSession* s = NewSession(ctx);
  if (s == nullptr) return nullptr;
  const PrinterNames names = NamesOf(ctx);
  WaterMarkInfo* block = nullptr;
  size_t n = ReadPrinterWaterMarks(GetCtxPrinterHandle(ctx), &block);
  if (block != nullptr) {
    s->publicCount = TakeBlock(block, n, s->publicMarks, kMaxPublicWatermarks);
  } else {
    // A printer that never had its list (it was not initialised by this
    // driver) offers the model's own watermarks.
    s->publicCount = static_cast<uint32_t>(AppendMissingDefaults(
        g_defaultWatermarks, CountDefaultWatermarks(g_defaultWatermarks, kDefaultWatermarks), s->publicMarks, 0,
        kMaxPublicWatermarks));
  }
  block = nullptr;
  n = ReadUserWaterMarks(nullptr, names.printer, names.driver, &block);
  s->privateCount = TakeBlock(block, n, s->privateMarks, kMaxPrivateWatermarks);
  WMOrderEntry* order = nullptr;
  n = ReadWaterMarkOrder(nullptr, names.printer, names.driver, s->publicCount, s->publicMarks, s->privateCount,
                         s->privateMarks, &order);
  s->orderCount = TakeBlock(order, n, s->order, kMaxWatermarkOrder);
  return s;
}

bool SaveWatermarkSession(const SheetCtx* ctx) {
  WatermarkUiState* slot = SlotOf(ctx);
  if (slot == nullptr || slot->session == nullptr || !slot->session->changed) return true;
  WatermarkSession* s = slot->session;
  const PrinterNames names = NamesOf(ctx);
  bool ok = true;
  if (MayAdministerWatermarks(ctx)) {
    ok = WritePrinterWaterMarks(names.printer, s->publicMarks, s->publicCount) != FALSE;
  }
  ok = WriteUserWaterMarks(nullptr, names.printer, names.driver, s->privateMarks, s->privateCount) != FALSE && ok;
  ok = WriteWaterMarkOrder(nullptr, names.printer, names.driver, s->order, s->orderCount) != FALSE && ok;
  if (ok) s->changed = false;
  return ok;
}

void FreeWatermarkSession(const SheetCtx* ctx) {
  WatermarkUiState* slot = SlotOf(ctx);
  if (slot == nullptr || slot->session == nullptr) return;
  LocalFree(slot->session);
  slot->session = nullptr;
}

void SetWatermarkSessionPaper(const SheetCtx* ctx) {
  WatermarkSession* session = WatermarkSessionOf(ctx);
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (session == nullptr || doc == nullptr) return;
  int32_t width = 0, length = 0;
  if (!GetPaperSizeDims(ProcessModelInfo(), doc, &width, &length)) width = 2100, length = 2970;
  if (Fields(*doc).nOrientation == 1) SetWatermarkPreviewPaper(&session->preview, width, length);
  else SetWatermarkPreviewPaper(&session->preview, length, width);
}

bool FindSessionWatermark(const WatermarkSession& s, const WMOrderEntry& entry, WaterMarkInfo* out) {
  const WaterMarkInfo* list = entry.bPublic != 0 ? s.publicMarks : s.privateMarks;
  const uint32_t count = entry.bPublic != 0 ? s.publicCount : s.privateCount;
  const WatermarkTitle name = TitleOf(entry);
  for (uint32_t i = 0; i < count; ++i) {
    if (SameTitle(TitleOf(list[i]), name)) {
      if (out != nullptr) *out = list[i];
      return true;
    }
  }
  return false;
}

bool MayAdministerWatermarks(const SheetCtx* ctx) {
  if (g_adminCheck != nullptr) return g_adminCheck(ctx);
  const PrinterNames names = NamesOf(ctx);
  if (!IsPrinterAdministrable(names.printer)) return false;
  return !(IsDocPropertiesMode(ctx) && IsLocalPrinterConnection(GetCtxPrinterHandle(ctx)));
}

void SetWatermarkAdminCheck(bool (*check)(const SheetCtx* ctx)) { g_adminCheck = check; }

WaterMarkInfo NewWatermarkRecord() {
  WaterMarkInfo mark{};
  std::memcpy(mark.szFontName, g_defaultWatermarkFace, sizeof mark.szFontName);
  mark.szFontName[31] = 0;
  mark.nStyle = 1;
  mark.wSize = 72;
  mark.crColor = RGB(255, 0, 0);
  mark.wFrame = 1;
  return mark;
}

WaterMarkInfo* SettingsWatermark(DocDMode* doc) {
  static_assert(offsetof(DocFields, WmkInfo_bMultiStamp) - offsetof(DocFields, WmkInfo_szKey) ==
                offsetof(WaterMarkInfo, bMultiStamp));
  return doc != nullptr ? reinterpret_cast<WaterMarkInfo*>(Fields(*doc).WmkInfo_szKey) : nullptr;
}

void ValidateWatermarkFace(WaterMarkInfo* mark) {
  if (mark == nullptr) return;
  wchar_t face[32] = {};
  for (size_t i = 0; i + 1 < 32 && mark->szFontName[i] != 0; ++i) face[i] = static_cast<wchar_t>(mark->szFontName[i]);
  bool found = false;
  if (HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
    LOGFONTW font{};
    found = face[0] != 0 && FindFontFamilyLogFont(dc, face, &font);
    DeleteDC(dc);
  }
  if (found) return;
  std::memcpy(mark->szFontName, g_defaultWatermarkFace, sizeof mark->szFontName);
  mark->szFontName[31] = 0;
}

bool ReplaceSessionWatermarks(const SheetCtx* ctx, const WaterMarkInfo* publicMarks, size_t publicCount,
                              bool takePublic, const WaterMarkInfo* privateMarks, size_t privateCount,
                              const WMOrderEntry* order, size_t orderCount) {
  WatermarkSession* s = WatermarkSessionOf(ctx);
  if (s == nullptr) return false;
  if (takePublic) {
    s->publicCount = static_cast<uint32_t>(publicCount < kMaxPublicWatermarks ? publicCount : kMaxPublicWatermarks);
    for (uint32_t i = 0; i < s->publicCount; ++i) {
      s->publicMarks[i] = publicMarks[i];
      ValidateWatermarkFace(&s->publicMarks[i]);
    }
  }
  s->privateCount =
      static_cast<uint32_t>(privateCount < kMaxPrivateWatermarks ? privateCount : kMaxPrivateWatermarks);
  for (uint32_t i = 0; i < s->privateCount; ++i) {
    s->privateMarks[i] = privateMarks[i];
    ValidateWatermarkFace(&s->privateMarks[i]);
  }
  RebuildOrder(s, order, orderCount);
  s->changed = true;
  return true;
}

void SyncSessionWatermark(const SheetCtx* ctx, DocDMode* settings) {
  const WatermarkSession* s = WatermarkSessionOf(ctx);
  if (s == nullptr || settings == nullptr) return;
  const WatermarkListsView lists{s->publicMarks, s->publicCount, s->privateMarks,
                                 s->privateCount, s->order,       s->orderCount};
  SyncWatermarkSelection(lists, settings, ValidateWatermarkFace);
  DocFields& f = Fields(*settings);
  if (f.wWmkListPos >= s->publicCount + s->privateCount) f.wWmkListPos = 0;
}
