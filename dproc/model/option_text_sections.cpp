#include "dproc/model/option_text_sections.h"

#include <cstring>

#include "dproc/model/disp_strings.h"
#include "dproc/model/feature_table.h"

namespace {

using Use = OptionTextUse;
using When = OptionTextWhen;

constexpr OptionTextSection T(const char* section, const char* table = nullptr, const char* second = "") {
  return {section, {table != nullptr ? table : section, second}, Use::kTexts, When::kAlways};
}

// Sections whose table bears another name say so; the others fill the
// table of their own name.
const OptionTextSection kCatalogue[] = {
    T("ServerSetting"),
    T("Nup", "Nup_op"),
    T("NupStyle"),
    T("DoubleSides"),
    T("BindingEdge_PRN_Portrait"),
    T("BindingEdge_PRN_Landscape"),
    T("BindingEdge_MFP"),
    T("BorderLine", "BorderLine_op"),
    T("BookletBinding_Port"),
    T("BookletBinding_Land"),
    T("HolePunch", "model:HolePunch"),
    T("Folding", "model:Folding"),
    T("Combination", "model:Combination"),
    T("OutputOrder", "model:OutputOrder"),
    T("PBCoverMode"),
    T("PBCoverTray"),
    T("FrontCover", "FrontCover_op", "FrontCover_op/PJL"),
    T("BackCover", "BackCover_op", "BackCover_op/PJL"),
    T("SeparatePage", "SeparatePage_op"),
    T("PerPageSetting"),
    T("PerPageListStapleEnd"),
    T("PerPageListHolePunch"),
    T("PerPageListTabPaper"),
    T("TabPaperNumofTab"),
    T("PerPageTabPosition"),
    T("TabTextOrientation"),
    T("TabTextPositionV"),
    T("TabTextPositionH"),
    T("TabTextFontStyle"),
    T("HFE_SelectDevSetting"),
    T("HFE_PagetoPrint"),
    T("HFE_TextColor"),
    T("Ovl_Pages"),
    T("Ovl_Placement"),
    T("WM_Style"),
    T("WM_Color"),
    T("WM_Box"),
    T("HF_Type"),
    T("HF_PagetoPrint"),
    T("HF_Color"),
    T("HF_DatePagetoPrint"),
    T("HF_PrintPage"),
    T("NME_Type"),
    T("NME_PagetoPrint"),
    T("NME_Color"),
    T("NME_Density", "model:NME_Density"),
    T("CP_FixedStamp", "CP_FixedStamp_op"),
    T("CP_RecordStamp", "CP_RegistStamp_op"),
    T("CP_Date"),
    T("CP_Time"),
    T("CP_Color"),
    T("CP_Pattern"),
    T("CP_PatternSize"),
    T("CP_PatternOverWrite"),
    T("CP_Angle"),
    T("DateFormat"),
    T("TimeFormat"),
    T("DPE_DateTimePagetoPrint"),
    T("DPE_DateTimeColor"),
    T("DPE_DateTimePosition"),
    T("DPE_PageNumPrintCover"),
    T("DPE_PageNumColor"),
    T("DPE_PageNumPosition"),
    // Each colour list also has a copy in the copy-protect edit dialog.
    T("CPE_CP_Color", "CPE_CP_Color", "CPE_CP_Color/Edit"),
    T("CPE_SS_Color", "CPE_SS_Color", "CPE_SS_Color/Edit"),
    // The stamps: listed by the model for a copy-protect dialog of type 3,
    // else only named.
    {"CPE_StringTYPE3_op", {"CPE_StringTYPE3_op", ""}, Use::kFiltered, When::kCopyProtectType3},
    {"CPE_String", {"CPE_StringTYPE3_op", ""}, Use::kTexts, When::kNotCopyProtectType3},
    T("CPE_TextSize"),
    T("CPE_TextAngle"),
    T("CPE_CP_Effect"),
    T("CPE_CP_Placement"),
    {"CPE_CP_Pattern", {"CPE_CP_Pattern", ""}, Use::kFiltered, When::kAlways},
    T("CPE_SS_Placement"),
    T("ColAdj_RGBProf"),
    T("ColAdj_DestinationProf"),
    T("ColAdj_SimulationProf"),
    T("ColAdj_Simu_CMYKGray"),
    T("ColAdj_EachObject", "ColAdj_EachObject_op"),
    T("ColAdj_ColorMatchType"),
    T("ColAdj_PureBlack"),
    T("ColAdj_Screen"),
    T("ColAdj_Smoothing"),
    T("ColAdj_MatchBalance"),
    T("ColAdj_ScreenSmooth"),
    T("SelectColor"),
    T("TwoColors"),
    T("Pattern"),
    {"EdgeType_op", {"EdgeType_op", ""}, Use::kFiltered, When::kAlways},
    T("PrintWithBlack_op"),
    T("ImageCompression"),
    T("FontDownload"),
    T("Vistrel"),
    T("FcsCoverSize"),
    T("FcsBStyle"),
    T("FcsBSelectForm"),
    T("FcsRStandard"),
    T("FtpRecipentList"),
    T("FtpECM"),
    T("FtpIntTransMode"),
    T("FtpV34"),
    // Feature tables that are also named by sections of their own name.
    T("Orientation"),
    T("Zoom"),
    T("DisplayConstMsg"),
    T("UseServerForm"),
    T("VerifyAuthentic"),
    T("UserAuthentication_RB"),
};

constexpr char kModelPrefix[] = "model:";

OptionTextTarget ModelList(ModelInfo* m, const char* section) {
  if (m == nullptr) return {};
  struct Row {
    const char* section;
    void* list;
    uint32_t rowSize;
  };
  const Row rows[] = {
      {"HolePunch", m->holePunches, sizeof(FinishPositionItem)},
      {"Folding", m->foldings, sizeof(ModelListItem)},
      {"Combination", m->combinations, sizeof(ModelListItem)},
      {"OutputOrder", m->outputOrders, sizeof(ModelListItem)},
      {"NME_Density", m->densities, sizeof(OptionItem)},
  };
  for (const Row& r : rows) {
    if (QxdNameEquals(r.section, section) && r.list != nullptr) {
      return {static_cast<OptionHead*>(r.list), r.rowSize};
    }
  }
  return {};
}

OptionTextTarget Resolve(const char* name, ModelInfo* model) {
  if (name == nullptr || name[0] == '\0') return {};
  if (std::strncmp(name, kModelPrefix, sizeof kModelPrefix - 1) == 0) {
    return ModelList(model, name + sizeof kModelPrefix - 1);
  }
  OptionHead* table = nullptr;
  if (std::strcmp(name, "FrontCover_op/PJL") == 0 || std::strcmp(name, "BackCover_op/PJL") == 0) {
    table = CoverOptionTable(name[0] == 'B', true);
  } else if (QxdNameEquals(name, "FrontCover_op") || QxdNameEquals(name, "BackCover_op")) {
    table = CoverOptionTable(QxdNameEquals(name, "BackCover_op"), false);
  } else {
    table = FindOptionTable(name);
  }
  if (table == nullptr) return {};
  return {table, table->size};
}

bool Applies(const OptionTextSection& s, const ModelInfo* model) {
  const bool type3 = model != nullptr && model->features[kMfCopyProtectType] == 3;
  switch (s.when) {
    case When::kCopyProtectType3: return type3;
    case When::kNotCopyProtectType3: return !type3;
    default: return true;
  }
}

OptionHead* MutableNext(OptionHead* row) { return const_cast<OptionHead*>(NextOptionRow(row)); }

// Texts needed outside the table a section fills, copied right after it.
void CopyAfterLoading(const char* section) {
  if (QxdNameEquals(section, kHeaderFooterDevTable)) {
    KeepLoadedHeaderFooterRows();
  } else if (QxdNameEquals(section, "Nup")) {
    // The variant N-up table takes the first table's rows, as many as it has.
    OptionHead* from = NupOptionTable(false);
    OptionHead* to = NupOptionTable(true);
    if (from == nullptr || to == nullptr) return;
    for (; to->keyword[0] != '\0' && from->keyword[0] != '\0' && to->size == from->size;
         to = MutableNext(to), from = MutableNext(from)) {
      std::memcpy(to, from, from->size);
    }
  } else if (QxdNameEquals(section, "NupStyle")) {
    // The page-order tables take the text of the page order of their keyword.
    const OptionHead* styles = FindOptionTable("NupStyle");
    for (int kind = 0; kind < 3 && styles != nullptr; ++kind) {
      for (OptionHead* row = NupOrderOptionTable(kind); row != nullptr && row->keyword[0] != '\0';
           row = MutableNext(row)) {
        for (const OptionHead* style = styles; style->keyword[0] != '\0'; style = NextOptionRow(style)) {
          if (!QxdFieldEquals(style->keyword, sizeof style->keyword, row->keyword)) continue;
          std::memcpy(reinterpret_cast<OptionItem*>(row)->text, reinterpret_cast<const OptionItem*>(style)->text,
                      sizeof(OptionItem::text));
          break;
        }
      }
    }
  }
}

}  // namespace

size_t OptionTextSectionCount() { return sizeof kCatalogue / sizeof kCatalogue[0]; }

const OptionTextSection& OptionTextSectionAt(size_t i) { return kCatalogue[i < OptionTextSectionCount() ? i : 0]; }

int ResolveOptionTextTargets(const OptionTextSection& s, ModelInfo* model, OptionTextTarget out[2]) {
  int found = 0;
  for (int k = 0; k < 2; ++k) {
    out[k] = Resolve(s.tables[k], model);
    if (out[k].table != nullptr) ++found;
  }
  return found;
}

void RestoreFilteredOptionTables() {
  for (const OptionTextSection& s : kCatalogue) {
    if (s.use == Use::kFiltered) RestoreOptionTable(s.tables[0]);
  }
}

void LoadOptionTextSections(QxdContext* ctx, ModelInfo* model) {
  RestoreFilteredOptionTables();
  for (const OptionTextSection& s : kCatalogue) {
    if (!Applies(s, model)) continue;
    OptionTextTarget targets[2];
    ResolveOptionTextTargets(s, model, targets);
    for (const OptionTextTarget& t : targets) {
      if (t.table == nullptr) continue;
      if (s.use == Use::kFiltered) {
        LoadFilteredOptionList(ctx, s.section, t.table, t.rowSize);
      } else {
        LoadOptionTexts(ctx, s.section, t.table, t.rowSize);
      }
    }
    CopyAfterLoading(s.section);
  }
}
