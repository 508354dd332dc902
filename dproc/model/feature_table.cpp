#include "dproc/model/feature_table.h"

#include "dproc/model/control_template_facts.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dproc/model/feature_table_data.h"
#include "common/qxd/model_list_reader.h"
#include "dproc/model/orientation_rules.h"

namespace {

using featuredata::OptionTableText;

// One option table: rows of one size, the last with an empty keyword.
struct OptionTable {
  std::string feature;
  const char* options = "";
  std::vector<uint32_t> storage;  // u32 storage keeps every row aligned

  OptionHead* rows() { return reinterpret_cast<OptionHead*>(storage.data()); }
};

struct Parsed {
  std::string keyword;
  uint32_t value;
};

std::vector<Parsed> ParseOptions(const char* text) {
  std::vector<Parsed> out;
  const char* p = text;
  while (*p != '\0') {
    while (*p == ' ') ++p;
    const char* start = p;
    while (*p != '\0' && *p != ' ') ++p;
    const std::string token(start, p);
    const size_t eq = token.rfind('=');
    if (eq == std::string::npos) continue;
    out.push_back({token.substr(0, eq), static_cast<uint32_t>(std::strtoul(token.c_str() + eq + 1, nullptr, 10))});
  }
  return out;
}

template <typename Row>
void FillTable(OptionTable* table, const std::vector<Parsed>& options) {
  static_assert(sizeof(Row) % 4 == 0);
  table->storage.assign((options.size() + 1) * sizeof(Row) / 4, 0);
  Row* rows = reinterpret_cast<Row*>(table->storage.data());
  for (size_t i = 0; i <= options.size(); ++i) {
    OptionItem& base = reinterpret_cast<OptionItem&>(rows[i]);
    base.size = sizeof(Row);
    if (i == options.size()) break;
    CopyText(base.keyword, sizeof base.keyword, options[i].keyword.c_str(), options[i].keyword.size());
    base.value = options[i].value;
    base.iconId = kRowIconId;
  }
}

OptionTable MakeTable(const char* feature, const char* options) {
  OptionTable table;
  table.feature = feature;
  const std::vector<Parsed> parsed = ParseOptions(options);
  if (QxdNameEquals(feature, "DoubleSides")) {
    FillTable<DuplexOptionItem>(&table, parsed);
    auto* rows = reinterpret_cast<DuplexOptionItem*>(table.storage.data());
    for (size_t i = 0; i < parsed.size(); ++i) {
      rows[i].code = parsed[i].value;
      rows[i].enabled = 1;
    }
  } else if (QxdNameEquals(feature, "Nup_op") || QxdNameEquals(feature, featuredata::kNupVariantTable.feature)) {
    FillTable<NupOptionItem>(&table, parsed);
    auto* rows = reinterpret_cast<NupOptionItem*>(table.storage.data());
    for (size_t i = 0; i < parsed.size(); ++i) {
      const uint32_t v = parsed[i].value;
      rows[i].stringId = v >= 1 && v <= 5 ? static_cast<uint16_t>(64865 + v) : 0;
    }
  } else if (QxdNameEquals(feature, featuredata::kStampTable.feature)) {
    FillTable<StampOptionItem>(&table, parsed);
    auto* rows = reinterpret_cast<StampOptionItem*>(table.storage.data());
    for (size_t i = 0; i < parsed.size(); ++i) {
      rows[i].registered = parsed[i].keyword.rfind("CPE_MachineSetting", 0) == 0 ? 1 : 0;
    }
  } else if (QxdNameEquals(feature, kHeaderFooterDevTable)) {
    FillTable<HeaderFooterOptionItem>(&table, parsed);
  } else {
    FillTable<OptionItem>(&table, parsed);
  }
  table.options = options;
  return table;
}

// Every option table of the library, made on first use and kept for the
// process (the constraint engine marks options in them; start-up writes
// their texts).
struct Vocabulary {
  std::vector<std::unique_ptr<OptionTable>> tables;
  std::vector<StaticFeatureRow> features;
  OptionHead* bindingEdge[3] = {};
  OptionHead* driverCovers[2] = {};
  OptionHead* deviceCovers[2] = {};
  OptionHead* nupVariant = nullptr;
  OptionHead* nupOrders[3] = {};

  OptionHead* Add(const char* feature, const char* options) {
    tables.push_back(std::make_unique<OptionTable>(MakeTable(feature, options)));
    return tables.back()->rows();
  }
  OptionHead* Find(const char* feature) {
    for (auto& t : tables) {
      if (QxdNameEquals(t->feature.c_str(), feature)) return t->rows();
    }
    return nullptr;
  }

  Vocabulary() {
    using namespace featuredata;
    for (uint32_t i = 0; i < kOnOffFeatureCount; ++i) {
      const std::string k = kOnOffFeatures[i];
      Add(kOnOffFeatures[i], (k + "OFF=0 " + k + "ON=1").c_str());
    }
    for (uint32_t i = 0; i < kOptionTableCount; ++i) Add(kOptionTables[i].feature, kOptionTables[i].options);
    for (int i = 0; i < 3; ++i) {
      bindingEdge[i] = Add(kBindingEdgeTables[i].feature, kBindingEdgeTables[i].options);
    }
    for (int i = 0; i < 2; ++i) {
      deviceCovers[i] = Add(kDeviceCoverTables[i].feature, kDeviceCoverTables[i].options);
    }
    Add(kStampTable.feature, kStampTable.options);
    for (const OptionTableText& t : kDateTimeFormatTables) Add(t.feature, t.options);
    nupVariant = Add(kNupVariantTable.feature, kNupVariantTable.options);
    for (int i = 0; i < 3; ++i) nupOrders[i] = Add(kNupOrderTables[i].feature, kNupOrderTables[i].options);
    driverCovers[0] = FindListed("FrontCover_op");
    driverCovers[1] = FindListed("BackCover_op");
    for (uint32_t i = 0; i < kFeatureKeywordCount; ++i) {
      const char* k = kFeatureKeywords[i];
      // The first six take their options from the model.
      OptionHead* options = i < 6 ? nullptr : FindListed(k);
      if (options == nullptr && QxdNameEquals(k, "PopupAuthenticDlg")) options = FindListed("VerifyAuthentic");
      features.push_back({k, options});
    }
    features.push_back({"", nullptr});
  }

  // The first table made for a feature (the device cover tables come later).
  OptionHead* FindListed(const char* feature) { return Find(feature); }
};

Vocabulary& Vocab() {
  static Vocabulary vocabulary;
  return vocabulary;
}

// ---------------------------------------------------------- control table

std::vector<FeatureControlItem> ExpandControls() {
  std::vector<FeatureControlItem> rows;
  for (uint32_t g = 0; g < featuredata::kControlGroupCount; ++g) {
    const featuredata::ControlGroupText& group = featuredata::kControlGroups[g];
    uint32_t pages[10] = {};
    int pageCount = 0;
    for (const char* p = group.pages; *p != '\0' && pageCount < 10;) {
      while (*p == ' ') ++p;
      char* end = nullptr;
      const unsigned long id = std::strtoul(p, &end, 10);
      if (end == p) break;
      pages[pageCount++] = static_cast<uint32_t>(id);
      p = end;
    }
    for (const Parsed& item : ParseOptions(group.rows)) {
      FeatureControlItem row = {};
      std::memcpy(row.pageIds, pages, sizeof pages);
      row.controlId = item.value;
      const size_t slash = item.keyword.find('/');
      const std::string feature = item.keyword.substr(0, slash);
      CopyText(row.keyword, sizeof row.keyword, feature.c_str(), feature.size());
      if (slash != std::string::npos) {
        const std::string option = item.keyword.substr(slash + 1);
        CopyText(row.option, sizeof row.option, option.c_str(), option.size());
        row.kind = 3;  // one row per radio button
      }
      // Kind and stop icon as the control's template shows them.
      if (const ControlTemplateFact* fact = FindControlTemplateFact(row.pageIds, 10, row.controlId)) {
        row.kind = fact->kind;
        row.stopIconId = fact->stopIconId;
      }
      rows.push_back(row);
    }
  }
  rows.push_back(FeatureControlItem{});
  return rows;
}

void Widen(char16_t* dst, size_t units, const char* src) {
  size_t i = 0;
  for (; i + 1 < units && src[i] != '\0'; ++i) dst[i] = static_cast<unsigned char>(src[i]);
  dst[i] = 0;
}

// The model's list that serves a feature as its options, or null.
const OptionHead* ModelOptions(const ModelInfo* m, const char* k, bool* isModelList) {
  *isModelList = true;
  if (m == nullptr) return nullptr;
  struct Map {
    const char* keyword;
    const void* list;
  };
  const Map maps[] = {
      {"PaperSize", m->papers}, {"OutPaperSize", m->outPapers}, {"InTray", m->inTrays},
      {"FCoverTray", m->frontCoverTrays}, {"BCoverTray", m->backCoverTrays},
      {"SeparatePageTray", m->separatePageTrays}, {"OHPIntTray", m->ohpInterleaveTrays},
      {"PIFrontCover_op", m->piFrontCovers}, {"PIBackCover_op", m->piBackCovers},
      {"Resolution", m->resolutions}, {"Combination_op", m->combinations}, {"Staple_op", m->staples},
      {"HolePunch_op", m->holePunches}, {"Folding_op", m->foldings}, {"OutputTray", m->outputTrays},
      {"OutputOrder", m->outputOrders}, {"Collate", m->collates}, {"OHP_Interleave_op", m->ohpInterleaves},
      {"PaperArrangement", m->paperArrangements}, {"OutputMethod", m->outputMethods},
      {"PerPageListPrintType", m->perPagePrintTypes}, {"PerPageListPaperSrc", m->perPagePaperSources},
      {"PerPageListStaple", m->perPageStaples}, {"MediaTypeList_Tray", m->trayMediaLabels},
      {"NME_Density", m->densities}, {"Smoothing_op", m->smoothingOptions},
      {"Thinning_op", m->thinningOptions},
      {"MediaType", m->mediaTypes}, {"MediaType_Tray1", m->mediaTypes}, {"MediaType_Tray2", m->mediaTypes},
      {"MediaType_Tray3", m->mediaTypes}, {"MediaType_Tray4", m->mediaTypes},
      {"MediaType_LCT", m->mediaTypes}, {"MediaType_Manual", m->mediaTypes},
  };
  for (const Map& map : maps) {
    if (QxdNameEquals(k, map.keyword)) return static_cast<const OptionHead*>(map.list);
  }
  *isModelList = false;
  return nullptr;
}

void NoteSpecialRow(const char* k, uint32_t row) {
  FeatureSpecialRows& s = SpecialFeatureRows();
  struct Note {
    const char* keyword;
    uint32_t* slot;
  };
  const Note notes[] = {{"PaperSize", &s.paperSize}, {"OutPaperSize", &s.outPaperSize},
                        {"UserPaper_Width", &s.userPaperWidth}, {"UserPaper_Length", &s.userPaperLength},
                        {"OutUserPaper_Width", &s.outUserPaperWidth},
                        {"OutUserPaper_Length", &s.outUserPaperLength}, {"Resolution", &s.resolution},
                        {"Staple_op", &s.stapleOp}, {"HolePunch_op", &s.holePunchOp},
                        {"PerPageListStaple", &s.perPageListStaple},
                        {"PerPageListHolePunch", &s.perPageListHolePunch},
                        {"ColAdj_Smoothing", &s.colAdjSmoothing}, {"HeaderFooter", &s.headerFooter}};
  for (const Note& n : notes) {
    if (QxdNameEquals(k, n.keyword)) *n.slot = row;
  }
}

constexpr uint32_t kBindingEdgeControl = 1046;
const char* const kBindingEdgeKeywords[3] = {"BindingEdge_PRN_Portrait", "BindingEdge_PRN_Landscape",
                                             "BindingEdge_MFP"};

}  // namespace

const StaticFeatureRow* StaticFeatureTable() { return Vocab().features.data(); }

OptionHead* FindStaticOptionTable(const char* keyword) {
  Vocabulary& v = Vocab();
  for (int i = 0; i < 3; ++i) {
    if (QxdNameEquals(keyword, kBindingEdgeKeywords[i])) return v.bindingEdge[i];
  }
  for (const StaticFeatureRow& row : v.features) {
    if (row.keyword[0] != '\0' && QxdNameEquals(row.keyword, keyword)) return row.options;
  }
  return nullptr;
}

OptionHead* CoverOptionTable(bool back, bool device) {
  Vocabulary& v = Vocab();
  return device ? v.deviceCovers[back ? 1 : 0] : v.driverCovers[back ? 1 : 0];
}

OptionHead* NupOptionTable(bool nt4Variant) {
  Vocabulary& v = Vocab();
  return nt4Variant ? v.nupVariant : v.Find("Nup_op");
}

OptionHead* NupOrderOptionTable(int layoutKind) {
  Vocabulary& v = Vocab();
  switch (layoutKind) {
    case 1: return v.nupOrders[1];
    case 2: return v.nupOrders[2];
    default: return v.nupOrders[0];
  }
}

OptionHead* FindOptionTable(const char* name) {
  if (name == nullptr || name[0] == '\0') return nullptr;
  return Vocab().Find(name);
}

namespace {
std::vector<HeaderFooterOptionItem>& LoadedHeaderFooter() {
  static std::vector<HeaderFooterOptionItem> rows;
  return rows;
}
}  // namespace

void KeepLoadedHeaderFooterRows() {
  std::vector<HeaderFooterOptionItem>& kept = LoadedHeaderFooter();
  kept.clear();
  const OptionHead* row = FindOptionTable(kHeaderFooterDevTable);
  for (; row != nullptr && row->size == sizeof(HeaderFooterOptionItem); row = NextOptionRow(row)) {
    kept.push_back(*reinterpret_cast<const HeaderFooterOptionItem*>(row));
    if (row->keyword[0] == '\0') break;
  }
}

const HeaderFooterOptionItem* LoadedHeaderFooterRows() {
  const std::vector<HeaderFooterOptionItem>& kept = LoadedHeaderFooter();
  return kept.empty() ? nullptr : kept.data();
}

OptionHead* RestoreOptionTable(const char* name) {
  if (name == nullptr || name[0] == '\0') return nullptr;
  for (auto& t : Vocab().tables) {
    if (!QxdNameEquals(t->feature.c_str(), name)) continue;
    // The rows are rebuilt in place: the feature table points at them.
    const OptionTable fresh = MakeTable(t->feature.c_str(), t->options);
    std::memcpy(t->storage.data(), fresh.storage.data(), t->storage.size() * sizeof(uint32_t));
    return t->rows();
  }
  return nullptr;
}

void SelectCoverOptionTables(const ModelInfo* model) {
  Vocabulary& v = Vocab();
  const bool front = model != nullptr && model->features[kMfFCoverPrint] != 0;
  const bool back = model != nullptr && model->features[kMfBCoverPrint] != 0;
  for (StaticFeatureRow& row : v.features) {
    if (row.keyword[0] == '\0') break;
    if (QxdNameEquals(row.keyword, "FrontCover_op")) row.options = front ? v.driverCovers[0] : v.deviceCovers[0];
    if (QxdNameEquals(row.keyword, "BackCover_op")) row.options = back ? v.driverCovers[1] : v.deviceCovers[1];
  }
}

FeatureControlItem* FeatureControlTable() {
  static std::vector<FeatureControlItem> rows = ExpandControls();
  return rows.data();
}

FeatureSpecialRows& SpecialFeatureRows() {
  static FeatureSpecialRows rows = {};
  return rows;
}

uint32_t FeatureStopIconId(const FeatureControlItem& c, const ModelInfo* m) {
  const uint32_t* f = m != nullptr ? m->features : nullptr;
  auto flag = [f](ModelFeature which) { return f != nullptr ? f[which] : 0u; };
  if (QxdNameEquals(c.keyword, "PaperOption1") && flag(kMfPaperOption1) == 0) return 0;
  if (QxdNameEquals(c.keyword, "PaperOption2") && flag(kMfPaperOption2) == 0) return 0;
  if ((QxdNameEquals(c.keyword, "OHP_Interleave") || QxdNameEquals(c.keyword, "OHP_Interleave_op") ||
       QxdNameEquals(c.keyword, "OHPIntTray")) &&
      flag(kMfOhpInterleave) == 0) {
    return 0;
  }
  if (QxdNameEquals(c.keyword, "ColorSeparation") && flag(kMfColorSeparation) == 0) return 0;
  return c.stopIconId;
}

FeatureEntry* g_featureTable = nullptr;

FeatureEntry* BuildFeatureTable(const FeatureControlItem* controls, const DeviceOptionItem* deviceOptions,
                                const ModelInfo* model) {
  if (controls == nullptr) return nullptr;
  const uint32_t devices = CountRows(deviceOptions);
  uint32_t count = 0;
  for (const FeatureControlItem* c = controls; c->keyword[0] != '\0'; ++c) {
    count += QxdNameEquals(c->keyword, "OptionSetting") ? devices : 1;
  }
  auto* table = static_cast<FeatureEntry*>(std::calloc(static_cast<size_t>(count) + 1, sizeof(FeatureEntry)));
  if (table == nullptr) return nullptr;
  SpecialFeatureRows() = FeatureSpecialRows{};
  uint32_t n = 0;
  for (const FeatureControlItem* c = controls; c->keyword[0] != '\0'; ++c) {
    auto fillCommon = [&](FeatureEntry& e) {
      e.controlId = c->controlId;
      std::memcpy(e.companions, c->companions, sizeof e.companions);
      e.stopIconId = FeatureStopIconId(*c, model);
      std::memcpy(e.pageIds, c->pageIds, sizeof e.pageIds);
      e.kind = c->kind;
      e.deviceDependent = c->deviceDependent;
      e.pendingValue = -1;
    };
    if (QxdNameEquals(c->keyword, "OptionSetting")) {
      for (uint32_t i = 0; i < devices; ++i) {
        FeatureEntry& e = table[n++];
        fillCommon(e);
        Widen(e.keyword, 32, deviceOptions[i].keyword);
        e.deviceRow = 1;
        e.options = reinterpret_cast<OptionHead*>(deviceOptions[i].values);
      }
      continue;
    }
    FeatureEntry& e = table[n];
    fillCommon(e);
    Widen(e.keyword, 32, c->keyword);
    Widen(e.option, 32, c->option);
    bool modelList = false;
    const OptionHead* list = ModelOptions(model, c->keyword, &modelList);
    e.options = modelList ? const_cast<OptionHead*>(list) : FindStaticOptionTable(c->keyword);
    NoteSpecialRow(c->keyword, n);
    ++n;
  }
  return table;
}

void FreeFeatureTable(FeatureEntry* table) { std::free(table); }

void FeatureKeyword(const FeatureEntry& entry, char* out, size_t capacity) {
  if (capacity == 0) return;
  size_t i = 0;
  for (; i + 1 < capacity && i < 32 && entry.keyword[i] != 0; ++i) out[i] = static_cast<char>(entry.keyword[i]);
  out[i] = '\0';
}

int SetBindingEdgeKeyword(FeatureEntry* table, const char* keyword) {
  // Only the whole keyword counts: a longer text that merely begins with
  // one of the three is refused.
  int which = -1;
  for (int i = 0; i < 3 && keyword != nullptr; ++i) {
    if (QxdNameEquals(keyword, kBindingEdgeKeywords[i])) which = i;
  }
  if (which < 0) return 0;
  for (FeatureControlItem* c = FeatureControlTable(); c->keyword[0] != '\0'; ++c) {
    if (c->controlId == kBindingEdgeControl) {
      CopyText(c->keyword, sizeof c->keyword, kBindingEdgeKeywords[which], 32);
      break;
    }
  }
  if (table != nullptr) {
    uint32_t& remembered = SpecialFeatureRows().bindingEdge;
    if (remembered == 0 || table[remembered].controlId != kBindingEdgeControl) {
      remembered = 0;
      for (uint32_t i = 0; table[i].keyword[0] != 0; ++i) {
        if (table[i].controlId == kBindingEdgeControl) {
          remembered = i;
          break;
        }
      }
    }
    if (table[remembered].controlId == kBindingEdgeControl) {
      Widen(table[remembered].keyword, 32, kBindingEdgeKeywords[which]);
      table[remembered].options = Vocab().bindingEdge[which];
    }
  }
  return 1;
}

int AdjustBindingEdgeFeatures(const ModelInfo* model, const DocDMode* doc, FeatureEntry* table) {
  if (doc == nullptr) return 0;
  const char* keyword = "BindingEdge_MFP";
  if (model != nullptr && model->features[kMfBindingEdge4] != 0) {
    keyword = GetBindingSide(doc) == 1 ? "BindingEdge_PRN_Landscape" : "BindingEdge_PRN_Portrait";
  }
  SetBindingEdgeKeyword(table, keyword);
  return 1;
}

void InstallSessionPaperLists(FeatureEntry* table, const void* paperList, const void* outPaperList) {
  if (table == nullptr) return;
  const FeatureSpecialRows& rows = SpecialFeatureRows();
  if (paperList != nullptr) table[rows.paperSize].options = static_cast<OptionHead*>(const_cast<void*>(paperList));
  if (outPaperList != nullptr) {
    table[rows.outPaperSize].options = static_cast<OptionHead*>(const_cast<void*>(outPaperList));
  }
}

void RestoreModelPaperLists(FeatureEntry* table, const ModelInfo* model) {
  if (table == nullptr) return;
  const FeatureSpecialRows& rows = SpecialFeatureRows();
  table[rows.paperSize].options = model != nullptr ? reinterpret_cast<OptionHead*>(model->papers) : nullptr;
  table[rows.outPaperSize].options = model != nullptr ? reinterpret_cast<OptionHead*>(model->outPapers) : nullptr;
}
