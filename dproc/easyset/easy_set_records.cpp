#include "dproc/easyset/easy_set_records.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/records/doc_fields.h"
#include "common/records/stored_counts.h"

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

template <typename A, typename B>
bool EqualNoCase(const A* a, const B* b, size_t chars) {
  for (size_t i = 0; i < chars; ++i) {
    const char16_t x = Lower(static_cast<char16_t>(static_cast<unsigned char>(a[i])));
    const char16_t y = Lower(static_cast<char16_t>(static_cast<unsigned char>(b[i])));
    if (x != y) return false;
    if (x == 0) return true;
  }
  return true;
}

EasySetNode* NodeOf(const EasySetHeader& header, const IniDoc& doc) {
  const std::u16string text = IniDoc_Render(doc);
  return NewEasySetNode(header, text.data(), text.size());
}

// A built-in watermark's texts for a preset's watermark of the same key.
void LocaliseWatermark(DocDMode* settings, const WaterMarkInfo* marks, size_t count) {
  DocFields& f = Fields(*settings);
  if (f.WmkInfo_szKey[0] == 0 || marks == nullptr) return;
  for (size_t i = 0; i < count && i < 20 && marks[i].szKey[0] != 0; ++i) {
    if (!EqualNoCase(f.WmkInfo_szKey, marks[i].szKey, 31)) continue;
    SetEasySetField(f.WmkInfo_szWmkTitle, 32, std::u16string_view(marks[i].szWmkTitle,
                                                                 std::char_traits<char16_t>::length(marks[i].szWmkTitle)));
    std::u16string_view text(marks[i].szWmkStr, std::min<size_t>(128, std::char_traits<char16_t>::length(marks[i].szWmkStr)));
    std::memset(f.WmkInfo_szWmkStr, 0, sizeof f.WmkInfo_szWmkStr);
    std::copy(text.begin(), text.end(), f.WmkInfo_szWmkStr);
    SetEasySetField(f.WmkInfo_szFontName, 32, std::u16string_view(marks[i].szFontName,
                                                                 std::char_traits<char16_t>::length(marks[i].szFontName)));
    return;
  }
}

// Keeps the substitution entries whose TrueType face the defaults list,
// with the defaults' printer font for it.
void RestrictFontSubstitution(DocDMode* settings, const DocDMode& defaults) {
  DocFields& f = Fields(*settings);
  const DocFields& d = Fields(defaults);
  const uint32_t count = Store_CapCount(f.SubFontEntryNum, kFontSubEntries);
  const uint32_t defaultCount = Store_CapCount(d.SubFontEntryNum, kFontSubEntries);
  uint32_t kept = 0;
  char names[kFontSubEntries][32] = {};
  uint8_t numbers[kFontSubEntries] = {};
  char printerNames[kFontSubEntries][32] = {};
  uint32_t sums[kFontSubEntries] = {};
  for (uint32_t i = 0; i < count; ++i) {
    for (uint32_t j = 0; j < defaultCount; ++j) {
      if (!EqualNoCase(f.SubTTFontName[i], d.SubTTFontName[j], 31)) continue;
      std::memcpy(names[kept], f.SubTTFontName[i], 32);
      names[kept][31] = 0;
      numbers[kept] = d.SubDevFontNumber[j];
      std::memcpy(printerNames[kept], d.SubDevFontName[j], 32);
      sums[kept] = d.SubTTFontSum[j];
      ++kept;
      break;
    }
  }
  std::memcpy(f.SubTTFontName, names, sizeof names);
  std::memcpy(f.SubDevFontNumber, numbers, sizeof numbers);
  std::memcpy(f.SubDevFontName, printerNames, sizeof printerNames);
  std::memcpy(f.SubTTFontSum, sums, sizeof sums);
  f.SubFontEntryNum = static_cast<uint16_t>(kept);
}

}  // namespace

bool EasySetTextEqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

EasySetFileCheck CheckEasySetFile(const EasySetHeader& file, const EasySetDriverFacts& driver) {
  auto text = [](const char16_t* field, size_t chars) {
    size_t n = 0;
    while (n < chars && field[n] != 0) ++n;
    return std::u16string_view(field, n);
  };
  auto cut = [](const std::u16string& s, size_t chars) { return std::u16string_view(s).substr(0, chars - 1); };
  if (file.formatVersion != kEasySetFormatVersion ||
      !EasySetTextEqualNoCase(text(file.language, kEasySetLanguageChars), cut(driver.language, kEasySetLanguageChars))) {
    return kEasySetFileNotOurs;
  }
  if (text(file.model, kEasySetModelChars) != cut(driver.driverName, kEasySetModelChars)) return kEasySetFileOtherModel;
  if (text(file.system, kEasySetSystemChars) != cut(driver.system, kEasySetSystemChars)) return kEasySetFileOtherSystem;
  if (text(file.version, kEasySetVersionChars) != cut(driver.version, kEasySetVersionChars)) {
    return kEasySetFileOtherVersion;
  }
  return kEasySetFileFits;
}

EasySetHeader MakeEasySetHeader(const EasySetDriverFacts& facts, std::u16string_view name,
                                std::u16string_view comment) {
  EasySetHeader h{};
  std::memcpy(h.signature, kEasySetSignature, sizeof h.signature);
  h.formatVersion = kEasySetFormatVersion;
  SetEasySetField(h.name, kEasySetNameChars, name);
  SetEasySetField(h.comment, kEasySetCommentChars, comment);
  SetEasySetField(h.model, kEasySetModelChars, facts.driverName);
  SetEasySetField(h.version, kEasySetVersionChars, facts.version);
  SetEasySetField(h.system, kEasySetSystemChars, facts.system);
  SetEasySetField(h.language, kEasySetLanguageChars, facts.language);
  return h;
}

EasySetNode* BuildEasySetFromSettings(const EasySetHeader& header, const DocDMode& settings,
                                      const EasySetWatermarks& marks, const AnsiCodec& codec) {
  auto copy = std::make_unique<DocDMode>(settings);
  SettingBundle bundle;
  bundle.header = header;
  bundle.doc = copy.get();
  bundle.publicMarks = marks.publicMarks;
  bundle.privateMarks = marks.privateMarks;
  bundle.order = marks.order;
  IniDoc doc;
  if (!XferEasySetSections(XferDirection::kWrite, doc, bundle, codec)) return nullptr;
  return NodeOf(header, doc);
}

EasySetNode* EasySetNodeFromDoc(IniDoc& doc) {
  EasySetHeader header{};
  if (!XferDriverInfo(XferDirection::kRead, doc, nullptr, header, nullptr)) return nullptr;
  std::memcpy(header.signature, kEasySetSignature, sizeof header.signature);
  std::memset(header.restore, 0, sizeof header.restore);
  header.protectedSet = header.iconShown = header.iconIndex = 0;
  return NodeOf(header, doc);
}

EasySetNode* RefreshEasySetText(const EasySetNode& node) {
  auto doc = IniDoc_Parse(EasySetText(node));
  if (!doc) return nullptr;
  EasySetHeader header = node.header;
  if (!XferDriverInfo(XferDirection::kWrite, *doc, nullptr, header, nullptr)) return nullptr;
  EasySetNode* fresh = NodeOf(header, *doc);
  if (fresh != nullptr) {
    fresh->builtIn = node.builtIn;
    fresh->kind = node.kind;
  }
  return fresh;
}

EasySetNode* BuildPresetEasySet(IniDoc& file, const EasySetPreset& preset, const DocDMode& defaults,
                                std::u16string_view userLanguage, const WaterMarkInfo* builtInMarks,
                                size_t builtInCount, const AnsiCodec& codec, DocDMode* settingsOut) {
  EasySetHeader header{};
  const EasySetPresetNames names{preset.name, preset.comment};
  bool fromTable = false;
  if (!XferDriverInfo(XferDirection::kRead, file, &names, header, &fromTable)) return nullptr;
  std::memcpy(header.signature, kEasySetSignature, sizeof header.signature);
  std::memset(header.restore, 0, sizeof header.restore);
  header.protectedSet = header.iconShown = header.iconIndex = 0;
  auto settings = std::make_unique<DocDMode>(defaults);
  if (!XferOEMDEV(XferDirection::kRead, file, false, *settings, kRestoreAll, codec)) return nullptr;
  if (fromTable) {
    SetEasySetField(header.language, kEasySetLanguageChars, userLanguage);
    LocaliseWatermark(settings.get(), builtInMarks, builtInCount);
    RestrictFontSubstitution(settings.get(), defaults);
  }
  IniDoc doc;
  SettingBundle bundle;
  bundle.header = header;
  bundle.doc = settings.get();
  if (!XferDriverInfo(XferDirection::kWrite, doc, nullptr, header, nullptr) ||
      !XferOEMDEV(XferDirection::kWrite, doc, false, *settings, kRestoreAll, codec)) {
    return nullptr;
  }
  EasySetNode* node = EasySetNodeFromDoc(doc);
  if (node != nullptr && settingsOut != nullptr) *settingsOut = *settings;
  return node;
}

std::u16string UnescapePresetComment(std::u16string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size() && out.size() < 255; ++i) {
    char16_t c = text[i];
    if (c == u'\\' && i + 1 < text.size()) {
      const char16_t next = text[++i];
      if (next == u'n') {
        if (out.size() + 2 > 254) break;
        out += u"\r\n";
        continue;
      }
      if (next == u'r') continue;
      c = next;
    }
    out += c;
  }
  return out;
}
