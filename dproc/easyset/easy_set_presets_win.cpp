#include "dproc/easyset/easy_set_presets_win.h"

#include <winspool.h>

#include <cstring>
#include <memory>

#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_checksum.h"
#include "common/win/module_path.h"
#include "common/win/printer_queries.h"
#include "common/win/store_values_win.h"
#include "dproc/easyset/easy_set_store_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_transfer_win.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/startup/watermark_defaults.h"

namespace {

constexpr wchar_t kInstalledValue[] = L"SetEasySetPreset";
constexpr wchar_t kFirstSettingsValue[] = L"EasySetFirstOEMDev";
constexpr size_t kPresetKeyChars = 259;

std::u16string_view U16(const wchar_t* text) {
  return text != nullptr ? std::u16string_view(reinterpret_cast<const char16_t*>(text), wcslen(text))
                         : std::u16string_view();
}

std::u16string FieldText(const char16_t* field, size_t chars) {
  size_t n = 0;
  while (n < chars && field[n] != 0) ++n;
  return std::u16string(field, n);
}

// The texts of a "texts" section: key and wide text of each entry.
template <typename Each>
void WalkTexts(QxdContext* ctx, const char* section, Each each) {
  QxdChainWalk walk;
  if (!QxdBeginChain(ctx, section, &walk)) return;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[kPresetKeyChars + 1] = {};
    char16_t text[kQxdTextWork + 1] = {};
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key)) continue;
    QxdReadWideString(ctx, entry.textOffset, text, kQxdTextWork + 1);
    each(key, std::u16string(text));
  }
}

std::wstring LibraryDirectory() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(g_procModules.own, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  std::wstring dir(path, n);
  const size_t slash = dir.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
}

EasySetDriverFacts FactsOf(const wchar_t* driverName) {
  const TransferDriverFacts facts = CurrentDriverFacts();
  return EasySetDriverFacts{std::u16string(U16(driverName)), std::u16string(U16(facts.version.c_str())),
                            std::u16string(U16(facts.system.c_str())), std::u16string(U16(facts.language.c_str()))};
}

// The first preset's settings as the printer's defaults: the built-in
// defaults with the preset's settings over them as applying it would take
// them (its restore options all clear), named after it.
void WriteFirstSettings(HANDLE printer, const EasySetNode& node) {
  auto settings = std::make_unique<DocDMode>(DefaultDocDMode());
  if (!LoadEasySetFromText(node, settings.get(), IsMonoDriverName(printer, nullptr), SystemAnsiCodec())) return;
  DocFields& f = Fields(*settings);
  f.byEasySetIndex = kEasySetStateShared;
  SetEasySetField(f.szEasySetName, kEasySetNameChars, EasySetName(node.header));
  // The reset takes only a sealed record.
  SealDocDMode(settings.get());
  SetPrinterDataW(printer, const_cast<wchar_t*>(kFirstSettingsValue), REG_BINARY,
                  reinterpret_cast<BYTE*>(settings.get()), sizeof(DocDMode));
}

}  // namespace

std::vector<EasySetPresetEntry> ReadEasySetPresetTable(QxdContext* ctx) {
  std::vector<EasySetPresetEntry> table;
  if (ctx == nullptr) return table;
  WalkTexts(ctx, "EasySet", [&](const char* key, const std::u16string& file) {
    EasySetPresetEntry e;
    e.names.key = key;
    e.fileName.assign(file.begin(), file.end());
    table.push_back(std::move(e));
  });
  for (EasySetPresetEntry& e : table) {
    const std::string section = ("EasySetName_" + e.names.key).substr(0, kPresetKeyChars);
    WalkTexts(ctx, section.c_str(), [&](const char* key, const std::u16string& text) {
      if (QxdNameEquals(key, "name")) e.names.name = text.substr(0, kEasySetNameChars - 1);
      if (QxdNameEquals(key, "comment")) e.names.comment = UnescapePresetComment(text);
    });
  }
  return table;
}

std::vector<std::pair<std::string, std::u16string>> ReadDescriptionTexts(const char* section) {
  std::vector<std::pair<std::string, std::u16string>> entries;
  QxdContext* ctx = QxdOpenBeside(g_procModules.own, L"VELDRANH.QXD");
  if (ctx == nullptr) return entries;
  WalkTexts(ctx, section, [&](const char* key, const std::u16string& text) { entries.emplace_back(key, text); });
  QxdClose(ctx);
  return entries;
}

BOOL InstallEasySetPresets(HANDLE printer) {
  if (printer == nullptr || printer == INVALID_HANDLE_VALUE) return FALSE;
  DWORD installed = 0;
  if (Store_ReadPrinterRecord(printer, kInstalledValue, &installed, sizeof installed) && installed != 0) return TRUE;
  wchar_t driverName[260] = {};
  QueryDriverName(printer, driverName, nullptr);
  const std::u16string language(U16(GetLanguageCode(ProcessModelInfo())));
  QxdContext* ctx = QxdOpenBeside(g_procModules.own, L"VELDRANH.QXD");
  if (ctx == nullptr) return FALSE;
  const std::vector<EasySetPresetEntry> table = ReadEasySetPresetTable(ctx);
  QxdClose(ctx);

  const std::wstring dir = LibraryDirectory();
  const EasySetDriverFacts facts = FactsOf(driverName);
  EasySetList list;
  for (size_t i = 0; i < table.size(); ++i) {
    const std::wstring path = dir + table[i].fileName;
    EasySetHeader header;
    if (!ReadEasySetFile(path.c_str(), &header) || header.formatVersion != kEasySetFormatVersion) continue;
    const std::u16string fileLanguage = FieldText(header.language, kEasySetLanguageChars);
    if (!fileLanguage.empty() &&
        !EasySetTextEqualNoCase(fileLanguage, language.substr(0, kEasySetLanguageChars - 1))) {
      continue;
    }
    if (FieldText(header.model, kEasySetModelChars) != facts.driverName.substr(0, kEasySetModelChars - 1)) continue;
    auto doc = ReadSettingsFile(path.c_str());
    if (!doc) continue;
    EasySetNode* node = BuildPresetEasySet(*doc, table[i].names, DefaultDocDMode(), language, g_defaultWatermarks,
                                           kDefaultWatermarks, SystemAnsiCodec(), nullptr);
    if (node == nullptr) continue;
    node->builtIn = 0;
    node->header.protectedSet = 1;
    if (FindEasySet(list, EasySetName(node->header), kEasySetShared) != nullptr ||
        CountEasySetsOfKind(list, kEasySetShared) >= kMaxSharedEasySets || !AddEasySet(&list, node, kEasySetShared)) {
      FreeEasySetNode(node);
      continue;
    }
    if (i == 0) WriteFirstSettings(printer, *node);
  }
  BOOL result = FALSE;
  if (SaveSharedEasySets(list, printer)) {
    const DWORD one = 1;
    result = SetPrinterDataW(printer, const_cast<wchar_t*>(kInstalledValue), REG_DWORD,
                             reinterpret_cast<BYTE*>(const_cast<DWORD*>(&one)), sizeof one) == ERROR_SUCCESS;
  }
  FreeEasySetList(&list);
  return result;
}
