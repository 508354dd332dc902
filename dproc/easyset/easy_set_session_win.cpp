#include "dproc/easyset/easy_set_session_win.h"

#include <winspool.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/contracts/settings_functions_win.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_records.h"
#include "common/win/printer_queries.h"
#include "dproc/easyset/easy_set_records.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/easyset/user_side_data_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/settings/settings_fixups_win.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/watermark_session_win.h"

namespace {

PrcUpdateCmnDModeAreaFn g_updatePublicFields = nullptr;

constexpr wchar_t kDefaultEasySetValue[] = L"DefaultEasySet";
// The longest default Easy Set text read from printer data.
constexpr DWORD kMaxDefaultEasySetBytes = kMaxEasySetTextBytes;

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

EasySetDriverFacts FactsOf(const EasySetPrinterNames& names) {
  const TransferDriverFacts facts = CurrentDriverFacts();
  return EasySetDriverFacts{U16(names.driver), U16(facts.version), U16(facts.system), U16(facts.language)};
}

std::u16string_view FieldView(const char16_t* field, size_t chars) {
  size_t n = 0;
  while (n < chars && field[n] != 0) ++n;
  return std::u16string_view(field, n);
}

bool IsMono(const SheetCtx* ctx) { return IsMonoDriverName(GetCtxPrinterHandle(ctx), nullptr); }

// The built-in Easy Set from the printer's default settings file text
// ("DefaultEasySet"), renamed as the built-in one; null when there is none.
EasySetNode* StoredDefaultEasySet(HANDLE printer, const EasySetHeader& header) {
  DWORD type = 0;
  DWORD needed = 0;
  if (GetPrinterDataW(printer, const_cast<wchar_t*>(kDefaultEasySetValue), &type, nullptr, 0, &needed) !=
          ERROR_MORE_DATA ||
      needed < 2 || needed > kMaxDefaultEasySetBytes) {
    return nullptr;
  }
  std::vector<char16_t> text(needed / sizeof(char16_t) + 1, 0);
  DWORD got = 0;
  if (GetPrinterDataW(printer, const_cast<wchar_t*>(kDefaultEasySetValue), &type, reinterpret_cast<BYTE*>(text.data()),
                      needed, &got) != ERROR_SUCCESS ||
      got > needed) {
    return nullptr;
  }
  std::u16string_view view(text.data(), got / sizeof(char16_t));
  const size_t nul = view.find(u'\0');
  if (nul != std::u16string_view::npos) view = view.substr(0, nul);
  auto doc = IniDoc_Parse(view);
  if (!doc) return nullptr;
  EasySetHeader copy = header;
  if (!XferDriverInfo(XferDirection::kWrite, *doc, nullptr, copy, nullptr)) return nullptr;
  const std::u16string rendered = IniDoc_Render(*doc);
  return NewEasySetNode(header, rendered.data(), rendered.size());
}

EasySetNode* BuiltInEasySet(const SheetCtx* ctx, const EasySetPrinterNames& names) {
  EasySetHeader header = MakeEasySetHeader(FactsOf(names), EasySetDefaultsName(), u"");
  header.protectedSet = 1;
  EasySetNode* node = StoredDefaultEasySet(GetCtxPrinterHandle(ctx), header);
  if (node == nullptr) {
    auto defaults = std::make_unique<DocDMode>();
    if (!CopyDefaultOEMDevMode(ctx, defaults.get())) return nullptr;
    EasySetWatermarks marks;
    for (size_t i = 0; i < kDefaultWatermarks && g_defaultWatermarks[i].szWmkTitle[0] != 0; ++i) {
      marks.publicMarks.push_back(g_defaultWatermarks[i]);
    }
    node = BuildEasySetFromSettings(header, *defaults, marks, SystemAnsiCodec());
  }
  if (node != nullptr) node->builtIn = 1;
  return node;
}

// The settings with a node's settings over them, fixed up as applying
// them would.
bool LoadEasySetSettings(const SheetCtx* ctx, const EasySetNode& node, DocDMode* settings) {
  if (!LoadEasySetFromText(node, settings, IsMono(ctx), SystemAnsiCodec())) return false;
  FixUpSettingsConflicts(ctx, settings);
  SyncSessionWatermark(ctx, settings);
  ClampSessionListPositions(ctx, settings);
  return true;
}

// The watermark lists of an Easy Set that restores them become the
// session's: the shared list only when it restores that too and the user
// may administer the printer.
void TakeEasySetWatermarks(const SheetCtx* ctx, const SettingBundle& bundle) {
  const uint8_t* restore = bundle.header.restore;
  if (restore[kRestoreWatermarks] == 0) return;
  const bool takePublic =
      restore[kRestoreSharedWatermarks] != 0 && IsPrinterAdministrable(PrinterNamesOf(ctx).printer);
  ReplaceSessionWatermarks(ctx, bundle.publicMarks.data(), bundle.publicMarks.size(), takePublic,
                           bundle.privateMarks.data(), bundle.privateMarks.size(), bundle.order.data(),
                           bundle.order.size());
}

}  // namespace

void SetEasySetPublicFieldsUpdate(PrcUpdateCmnDModeAreaFn update) { g_updatePublicFields = update; }

EasySetDriverFacts DriverFactsOf(const SheetCtx* ctx) { return FactsOf(PrinterNamesOf(ctx)); }

EasySetList* SessionEasySets(const SheetCtx* ctx) {
  EasySetUiState* state = EasySetStateOf(GetUIState(ctx));
  return state != nullptr ? state->list : nullptr;
}

EasySetPrinterNames PrinterNamesOf(const SheetCtx* ctx) {
  EasySetPrinterNames names;
  HANDLE printer = GetCtxPrinterHandle(ctx);
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return names;
  QueryPrinterName(printer, names.printer, 260);
  QueryDriverName(printer, names.driver, nullptr);
  return names;
}

EasySetList* CreateEasySetList(const SheetCtx* ctx) {
  auto* list = new (std::nothrow) EasySetList();
  if (list == nullptr) return nullptr;
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  EasySetNode* builtIn = BuiltInEasySet(ctx, names);
  if (builtIn == nullptr || !AddEasySet(list, builtIn, kEasySetShared)) {
    FreeEasySetNode(builtIn);
    delete list;
    return nullptr;
  }
  LoadSharedEasySets(GetCtxPrinterHandle(ctx), list);
  LoadUserEasySets(names.printer, names.driver, list);
  EasySetOrderTable order;
  ReadEasySetOrder(names.printer, names.driver, &order);
  ApplyEasySetOrder(order, list);
  FindCurrentEasySet(ctx, list, true);
  return list;
}

void DestroyEasySetList(EasySetList* list) {
  if (list == nullptr) return;
  FreeEasySetList(list);
  delete list;
}

bool EasySetMatchesSettings(const SheetCtx* ctx, const EasySetNode& node) {
  const DocDMode* live = GetPrivDevMode(ctx);
  if (live == nullptr) return false;
  auto applied = std::make_unique<DocDMode>(*live);
  auto current = std::make_unique<DocDMode>(*live);
  if (!LoadEasySetSettings(ctx, node, applied.get())) return false;
  FixUpSettingsConflicts(ctx, current.get());
  SyncSessionWatermark(ctx, current.get());
  ClampSessionListPositions(ctx, current.get());
  return std::memcmp(applied.get(), current.get(), sizeof(DocDMode)) == 0;
}

void FindCurrentEasySet(const SheetCtx* ctx, EasySetList* list, bool apply) {
  if (list == nullptr) return;
  list->current = nullptr;
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  if (f.byEasySetIndex == kEasySetStateNone) return;
  const std::u16string_view name = f.byEasySetIndex == kEasySetStateBuiltIn
                                       ? std::u16string_view(EasySetDefaultsName())
                                       : FieldView(f.szEasySetName, kEasySetNameChars);
  if (name.empty()) return;
  EasySetNode* node = FindEasySet(*list, name, f.byEasySetIndex == kEasySetStateUser ? kEasySetUser : kEasySetShared);
  if (node == nullptr) return;
  if (!apply) {
    list->current = node;
    return;
  }
  if (EasySetMatchesSettings(ctx, *node)) {
    list->current = node;
    ApplyEasySet(*node, ctx);
  }
}

bool ApplyEasySet(const EasySetNode& node, const SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return false;
  const auto bundle = LoadEasySetFromText(node, doc, IsMono(ctx), SystemAnsiCodec());
  if (!bundle) return false;
  TakeEasySetWatermarks(ctx, *bundle);
  DocFields& f = Fields(*doc);
  std::memset(f.szEasySetName, 0, sizeof f.szEasySetName);
  if (node.builtIn != 0) {
    f.byEasySetIndex = kEasySetStateBuiltIn;
    auto defaults = std::make_unique<DocDMode>();
    if (CopyDefaultOEMDevMode(ctx, defaults.get())) f.nOutputMethod = Fields(*defaults).nOutputMethod;
  } else {
    f.byEasySetIndex = node.kind == kEasySetUser ? kEasySetStateUser : kEasySetStateShared;
    SetEasySetField(f.szEasySetName, kEasySetNameChars, EasySetName(node.header));
  }
  FixUpSettingsConflicts(ctx, nullptr);
  SyncSessionWatermark(ctx, doc);
  ClampSessionListPositions(ctx, doc);
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  if (g_updatePublicFields != nullptr) g_updatePublicFields(GetCtxPublicDevMode(ctx), doc, nullptr, 0, names.printer);
  return true;
}

EasySetWatermarks SessionWatermarks(const SheetCtx* ctx) {
  EasySetWatermarks marks;
  const WatermarkSession* s = WatermarkSessionOf(ctx);
  if (s == nullptr) return marks;
  marks.publicMarks.assign(s->publicMarks, s->publicMarks + s->publicCount);
  marks.privateMarks.assign(s->privateMarks, s->privateMarks + s->privateCount);
  marks.order.assign(s->order, s->order + s->orderCount);
  return marks;
}

bool SaveSessionEasySetOrder(const SheetCtx* ctx, const EasySetList& list) {
  const EasySetPrinterNames names = PrinterNamesOf(ctx);
  return SaveEasySetOrder(list, names.printer, names.driver);
}
