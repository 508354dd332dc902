#include "common/qxd/model_info.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/qxd/item_layouts.h"
#include "common/qxd/model_list_reader.h"
#include "common/qxd/paper_tables.h"

namespace {

// ---------------------------------------------------------------- features

enum class Rule {
  Enable,      // 1 for "Enable"
  NotDisable,  // 1 unless "Disable"
  Driver,      // 1 for "Driver"
  Equals,      // 1 for the row's text
  Type,        // n for "TYPEn" (1-255), else 1
  OhpOp,       // 1 "Enable", 0 "Disable", else the "OHP_Interleave" flag
  EnableJa,    // "Enable", or "Enable_JALocale" under a Japanese locale
  PjlVersion,  // the decimal value when above 0
  EditLines,   // the decimal value, 20 to 256
};

struct FeatureRow {
  const char* keyword;
  Rule rule;
  ModelFeature field;
  const char* text;
};

constexpr FeatureRow kFeatureRows[] = {
    {"SeparatePagePrint", Rule::NotDisable, kMfSeparatePagePrint, nullptr},
    {"SeparatePagePrint", Rule::Driver, kMfSeparatePageDriver, nullptr},
    {"OHP_Interleave", Rule::Enable, kMfOhpInterleave, nullptr},
    {"OHP_Interleave_op", Rule::OhpOp, kMfOhpInterleaveOp, nullptr},
    {"Dlg_ColorAdjust", Rule::NotDisable, kMfColorAdjust, nullptr},
    {"Dlg_ColorAdjust", Rule::Type, kMfColorAdjustType, nullptr},
    {"ColorSeparation", Rule::Enable, kMfColorSeparation, nullptr},
    {"TonerSave", Rule::Enable, kMfTonerSave, nullptr},
    {"Point4Character", Rule::Enable, kMfPoint4Character, nullptr},
    {"DiminBarcode", Rule::Enable, kMfDiminBarcode, nullptr},
    {"ImageCompression", Rule::Enable, kMfImageCompression, nullptr},
    {"QualityOption", Rule::Enable, kMfQualityOption, nullptr},
    {"Dnst_TonerSave", Rule::Enable, kMfDnstTonerSave, nullptr},
    {"Dnst_DraftPrint", Rule::Enable, kMfDnstDraftPrint, nullptr},
    {"Smoothing", Rule::EnableJa, kMfSmoothing, nullptr},
    {"Smoothing_op", Rule::Enable, kMfSmoothingOp, nullptr},
    {"Thinning", Rule::Enable, kMfThinning, nullptr},
    {"Thinning_op", Rule::Enable, kMfThinningOp, nullptr},
    {"EdgeType", Rule::Enable, kMfEdgeType, nullptr},
    {"EdgeType_op", Rule::Enable, kMfEdgeTypeOp, nullptr},
    {"PatternQuality", Rule::Enable, kMfPatternQuality, nullptr},
    {"ColorProfileSource", Rule::Equals, kMfColorProfileSource, "OpenAPI"},
    {"ColorAdjustIccProf", Rule::Enable, kMfColorAdjustIccProf, nullptr},
    {"Dlg_ColorSetting", Rule::Type, kMfColorSettingType, nullptr},
    {"PaperOption1", Rule::Enable, kMfPaperOption1, nullptr},
    {"PaperOption2", Rule::Enable, kMfPaperOption2, nullptr},
    {"Poster", Rule::Enable, kMfPoster, nullptr},
    {"PerPageSetting", Rule::Enable, kMfPerPageSetting, nullptr},
    {"PICover", Rule::Enable, kMfPiCover, nullptr},
    {"MediaTypeDetail", Rule::Enable, kMfMediaTypeDetail, nullptr},
    {"MediaWeight", Rule::Enable, kMfMediaWeight, nullptr},
    {"MediaColor", Rule::Enable, kMfMediaColor, nullptr},
    {"MediaPrePunched", Rule::Enable, kMfMediaPrePunched, nullptr},
    {"JobOffset", Rule::Enable, kMfJobOffset, nullptr},
    {"BoxSave", Rule::Enable, kMfBoxSave, nullptr},
    {"Engine2in1", Rule::Enable, kMfEngine2in1, nullptr},
    {"Chapter", Rule::Enable, kMfChapter, nullptr},
    {"BookletPrint", Rule::Driver, kMfBookletPrint, nullptr},
    {"BindingEdge", Rule::Equals, kMfBindingEdge4, "4Bind"},
    {"BindingShift", Rule::Enable, kMfBindingShift, nullptr},
    {"ImageShift", Rule::Enable, kMfImageShift, nullptr},
    {"ImageShift_SwitchSetup", Rule::Enable, kMfImageShiftSwitchSetup, nullptr},
    {"ImgShiftMFP_FrontO", Rule::Enable, kMfImgShiftFrontO, nullptr},
    {"ImgShiftMFP_BackO", Rule::Enable, kMfImgShiftBackO, nullptr},
    {"ImgShiftMFP_BackI", Rule::Enable, kMfImgShiftBackI, nullptr},
    {"Staple", Rule::Enable, kMfStaple, nullptr},
    {"HolePunch", Rule::Enable, kMfHolePunch, nullptr},
    {"CenterStaple", Rule::Enable, kMfCenterStaple, nullptr},
    {"CenterErase", Rule::Enable, kMfCenterErase, nullptr},
    {"Folding", Rule::Enable, kMfFolding, nullptr},
    {"AdhesiveBind", Rule::Enable, kMfAdhesiveBind, nullptr},
    {"Trim", Rule::Enable, kMfTrim, nullptr},
    {"DivideOutput", Rule::Enable, kMfDivideOutput, nullptr},
    {"OutputTray", Rule::Enable, kMfOutputTray, nullptr},
    {"OutputOrder", Rule::Enable, kMfOutputOrder, nullptr},
    {"PileMode", Rule::Enable, kMfPileMode, nullptr},
    {"Tandem", Rule::Enable, kMfTandem, nullptr},
    {"PerfectBinding", Rule::Enable, kMfPerfectBinding, nullptr},
    {"TABImageShift", Rule::Enable, kMfTabImageShift, nullptr},
    {"PaperArrangement", Rule::Enable, kMfPaperArrangement, nullptr},
    {"PPS_PaperSrc", Rule::Enable, kMfPpsPaperSrc, nullptr},
    {"PPS_MediaType", Rule::Enable, kMfPpsMediaType, nullptr},
    {"PPS_Staple", Rule::Enable, kMfPpsStaple, nullptr},
    {"PPS_FinishStapling", Rule::Enable, kMfPpsFinishStapling, nullptr},
    {"PPS_HolePunch", Rule::Enable, kMfPpsHolePunch, nullptr},
    {"PPS_TabPaper", Rule::Enable, kMfPpsTabPaper, nullptr},
    {"PPS_TabPosition", Rule::Enable, kMfPpsTabPosition, nullptr},
    {"PPS_TabPaperSetting", Rule::Enable, kMfPpsTabPaperSetting, nullptr},
    {"Dlg_MediaType_DevStatus", Rule::Enable, kMfMediaTypeDevStatus, nullptr},
    {"PPS_InsertPage", Rule::Enable, kMfPpsInsertPage, nullptr},
    {"PPS_PunchSetting", Rule::Enable, kMfPpsPunchSetting, nullptr},
    {"PPS_StapleSetting", Rule::Enable, kMfPpsStapleSetting, nullptr},
    {"Overlay_DlgType", Rule::Equals, kMfSoftOverlay, "SoftOverlay"},
    {"HeaderFooter", Rule::Enable, kMfHeaderFooter, nullptr},
    {"NumberDlg_Type", Rule::Enable, kMfNumberDlgType, nullptr},
    {"NumberDlg_Color", Rule::Enable, kMfNumberDlgColor, nullptr},
    {"CopyProtect", Rule::Enable, kMfCopyProtect, nullptr},
    {"Overlay", Rule::Enable, kMfOverlay, nullptr},
    {"PrinterOverlay_MgrType", Rule::Type, kMfOverlayMgrType, nullptr},
    {"DateTimePage", Rule::Enable, kMfDateTimePage, nullptr},
    {"HeaderFooterNumber", Rule::Equals, kMfHeaderFooterKind, "HeaderFooter"},
    {"HeaderFooterNumber", Rule::Equals, kMfNumberKind, "Number"},
    {"CopyProtect_DlgType", Rule::Type, kMfCopyProtectType, nullptr},
    {"DateTimePage_DlgType", Rule::Type, kMfDateTimePageType, nullptr},
    {"HeaderFooter_DlgType", Rule::Type, kMfHeaderFooterType, nullptr},
    {"2Color", Rule::Enable, kMf2Color, nullptr},
    {"GlossyMode", Rule::Enable, kMfGlossyMode, nullptr},
    {"EMFSpool", Rule::Enable, kMfEmfSpool, nullptr},
    {"UserAuthentication", Rule::Enable, kMfUserAuthentication, nullptr},
    {"AccountTrack", Rule::Enable, kMfAccountTrack, nullptr},
    {"PaperSourceTraySetting", Rule::Enable, kMfPaperSourceTraySetting, nullptr},
    {"PrintPosition", Rule::Enable, kMfPrintPosition, nullptr},
    {"OrvaneWebConnect", Rule::Enable, kMfWebConnect, nullptr},
    {"OrvaneDataAdmin", Rule::Enable, kMfDataAdmin, nullptr},
    {"OrvanePrnComplete", Rule::Enable, kMfPrnComplete, nullptr},
    {"FirstSheetAll", Rule::Enable, kMfFirstSheetAll, nullptr},
    {"HardSecurityMode", Rule::Enable, kMfHardSecurityMode, nullptr},
    {"UserData", Rule::Enable, kMfUserData, nullptr},
    {"EncryptionKey", Rule::Enable, kMfEncryptionKey, nullptr},
    {"MediaTypeInfo", Rule::Enable, kMfMediaTypeInfo, nullptr},
    {"Paper_L_LargerThan_W", Rule::Enable, kMfPaperLengthLarger, nullptr},
    {"VerifyAuthentic", Rule::Enable, kMfVerifyAuthentic, nullptr},
    {"ImageShiftPrint", Rule::Driver, kMfImageShiftPrint, nullptr},
    {"FCoverPrint", Rule::Driver, kMfFCoverPrint, nullptr},
    {"BCoverPrint", Rule::Driver, kMfBCoverPrint, nullptr},
    {"OHPPrint", Rule::Driver, kMfOhpPrint, nullptr},
    {"AuthenticationServerSetting", Rule::Enable, kMfAuthServerSetting, nullptr},
    {"AuthenticationVerify", Rule::Enable, kMfAuthVerify, nullptr},
    {"UserAuthentication", Rule::Enable, kMfUserAuthentication2, nullptr},
    {"AccountTrackSetting", Rule::Enable, kMfAccountTrackSetting, nullptr},
    {"MultiDepartmentMng", Rule::Enable, kMfMultiDepartmentMng, nullptr},
    {"EmailNotify", Rule::Enable, kMfEmailNotify, nullptr},
    {"TreeDomainName", Rule::Enable, kMfTreeDomainName, nullptr},
    {"ExpenseCode", Rule::Enable, kMfExpenseCode, nullptr},
    {"ExpenseCodePassword", Rule::Enable, kMfExpenseCodePassword, nullptr},
    {"Watermark_DrawType", Rule::Type, kMfWatermarkDrawType, nullptr},
    {"Dlg_MediaType", Rule::Type, kMfMediaTypeDlgType, nullptr},
    {"InterimAuthenticSetting", Rule::Enable, kMfInterimAuthentic, nullptr},
    {"VQPJLVer", Rule::PjlVersion, kMfPjlVersion, nullptr},
    {"PPS_LVEditLines", Rule::EditLines, kMfPerPageEditLines, nullptr},
    {"UseDeviceLinkProfile", Rule::Enable, kMfUseDeviceLinkProfile, nullptr},
};
static_assert(sizeof kFeatureRows / sizeof kFeatureRows[0] == kModelFeatureCount);

uint32_t TypeNumber(const char* value) {
  char text[16];
  for (int n = 1; n <= 255; ++n) {
    std::snprintf(text, sizeof text, "TYPE%d", n);
    if (QxdNameEquals(value, text)) return static_cast<uint32_t>(n);
  }
  return 1;
}

// "VQPJLVer": blanks, one sign, digits; kept only when above 0.
uint32_t PjlVersion(const char* value) {
  while (*value == ' ') ++value;
  bool negative = false;
  if (*value == '+' || *value == '-') negative = *value++ == '-';
  int64_t n = 0;
  while (*value >= '0' && *value <= '9' && n < 0x7FFFFFFF) n = n * 10 + (*value++ - '0');
  if (negative || n <= 0) return 0;
  return n > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<uint32_t>(n);
}

// "PPS_LVEditLines": the decimal value, raised to 20 and lowered to 256.
uint32_t EditLines(const char* value) {
  while (*value == ' ' || (*value >= '\t' && *value <= '\r')) ++value;
  const int32_t n = QxdAtoi(value);
  if (n < 20) return 20;
  if (n > 256) return 256;
  return static_cast<uint32_t>(n);
}

struct FeatureVisit {
  ModelInfo* model;
  const ModelBuildEnv* env;
};

void ApplyFeaturePair(void* context, const char* name, const char* value) {
  auto* visit = static_cast<FeatureVisit*>(context);
  uint32_t* f = visit->model->features;
  for (const FeatureRow& row : kFeatureRows) {
    if (!QxdNameEquals(name, row.keyword)) continue;
    // On Windows 6.0 and later the tab-paper captions are not offered.
    if (visit->env->windows6OrLater && (row.field == kMfPpsTabPaper || row.field == kMfPpsTabPosition)) {
      continue;
    }
    uint32_t& field = f[row.field];
    switch (row.rule) {
      case Rule::Enable: field = QxdNameEquals(value, "Enable") ? 1 : 0; break;
      case Rule::NotDisable: field = QxdNameEquals(value, "Disable") ? 0 : 1; break;
      case Rule::Driver: field = QxdNameEquals(value, "Driver") ? 1 : 0; break;
      case Rule::Equals: field = QxdNameEquals(value, row.text) ? 1 : 0; break;
      case Rule::Type: field = TypeNumber(value); break;
      case Rule::OhpOp:
        field = f[kMfOhpInterleave];
        if (QxdNameEquals(value, "Enable")) field = 1;
        if (QxdNameEquals(value, "Disable")) field = 0;
        break;
      case Rule::EnableJa:
        field = QxdNameEquals(value, "Enable") ? 1 : 0;
        if (visit->env->knowsJaLocale && QxdNameEquals(value, "Enable_JALocale")) {
          field = visit->env->localeCountry == 81 ? 1 : 0;
        }
        break;
      case Rule::PjlVersion: field = PjlVersion(value); break;
      case Rule::EditLines: field = EditLines(value); break;
    }
  }
  if (visit->env->windows6OrLater) {
    f[kMfPpsTabPaper] = 0;
    f[kMfPpsTabPosition] = 0;
  }
}

// ------------------------------------------------------------------ ranges

void ReadLimits16(QxdContext* ctx, const char* section, uint16_t* maximum, uint16_t* minimum) {
  *maximum = *minimum = 0;
  const uint32_t header = QxdFindSection(ctx, section);
  if (header == 0) return;
  uint32_t triple[3];
  if (!QxdReadRangeRecord(ctx, header + kQxdRangeRecordAt, triple)) return;
  *maximum = static_cast<uint16_t>(triple[0]);
  *minimum = static_cast<uint16_t>(triple[1]);
}

// --------------------------------------------------------------- device info

void ApplyDevInfoPair(void* context, const char* name, const char* value) {
  auto* m = static_cast<ModelInfo*>(context);
  if (QxdNameEquals(name, "PrintRatePPM")) {
    m->printRatePpm = QxdAtoi(value);
  } else if (QxdNameEquals(name, "PrintRate")) {
    m->printRate = QxdAtoi(value);
  } else if (QxdNameEquals(name, "PrintRateUnit")) {
    m->printRateUnit = QxdNameEquals(value, "CPS") ? 2 : QxdNameEquals(value, "LPM") ? 3
                       : QxdNameEquals(value, "IPM") ? 4 : 1;
  } else if (QxdNameEquals(name, "Staple")) {
    m->staplerPresent = QxdNameEquals(value, "TRUE") ? 1 : 0;
  } else if (QxdNameEquals(name, "ColorDevice")) {
    m->colorDevice = QxdNameEquals(value, "TRUE") ? 1 : 0;
  } else if (QxdNameEquals(name, "PDLType")) {
    m->pdlClass = m->pdlRevision = 0;
    bool haveClass = false;
    for (const char* p = value; *p != '\0'; ++p) {
      if (*p < '0' || *p > '9') continue;
      if (!haveClass) {
        m->pdlClass = static_cast<uint16_t>(QxdAtoi(p));
        haveClass = true;
      } else {
        m->pdlRevision = static_cast<uint16_t>(QxdAtoi(p));
        break;
      }
    }
  } else if (QxdNameEquals(name, "MachineEncryption")) {
    m->machineEncryption = QxdNameEquals(value, "AES") ? 1 : 2;
  } else if (QxdNameEquals(name, "dmColor")) {
    m->colorMode = QxdNameEquals(value, "DMCOLOR_COLOR") ? 1 : 2;
  }
}

void ApplyFigurePair(void* context, const char* name, const char* value) {
  if (QxdNameEquals(name, "FigureType") && QxdNameEquals(value, "MFP")) {
    static_cast<ModelInfo*>(context)->paperFigureStyle = 1;
  }
}

void ReadMachineList(QxdContext* ctx, ModelInfo* m) {
  ListSection s;
  if (!OpenListSection(ctx, "MachineInfo", &s)) return;
  const uint32_t count = s.list.count;
  MachineRow* rows = AllocRows<MachineRow>(count);
  if (rows == nullptr) return;
  m->machines = rows;
  m->machineRowCount = count + 1;
  // Rows may point at the same items; together they hold no more items than
  // the file has room for.
  RowBudget budget = FileRowBudget(ctx);
  for (uint32_t i = 0; i < count; ++i) {
    struct {
      char name[16];
      uint32_t itemCount;
      uint32_t itemsAt;
    } record;
    static_assert(sizeof record == 24);
    if (!ReadListRecord(ctx, s, i, &record, sizeof record)) continue;
    CopyText(rows[i].name, sizeof rows[i].name, record.name, sizeof record.name);
    uint32_t items = record.itemCount;
    if (items > kMaxListRows || !QxdArrayFits(ctx, record.itemsAt, items, 32) || !TakeRows(&budget, items, 32)) {
      items = 0;
    }
    rows[i].itemCount = items + 1;
    rows[i].items = AllocRows<MachineValue>(items);
    if (rows[i].items == nullptr) {
      rows[i].itemCount = 0;
      continue;
    }
    for (uint32_t k = 0; k < items; ++k) {
      MachineValue raw;
      if (!QxdReadRecord(ctx, record.itemsAt + 32 * k, &raw, sizeof raw)) break;
      CopyText(rows[i].items[k].key, 16, raw.key, sizeof raw.key);
      CopyText(rows[i].items[k].value, 16, raw.value, sizeof raw.value);
    }
  }
}

// ------------------------------------------------------------ generic lists

struct Item148 {
  QxdEntry entry;
  char note[128];
  uint32_t unused;
};
static_assert(sizeof(Item148) == 148);

// Lists of ModelListItem, ModelWideListItem or FinishPositionItem rows.
template <typename Row>
Row* ReadGenericList(QxdContext* ctx, const char* section, uint32_t iconId) {
  const bool mediaType = QxdNameEquals(section, "MediaType");
  auto fill = [&](Row& row, const uint8_t* record, const QxdEntry& entry, uint32_t) {
    ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, sizeof row.text / 2);
    row.value = entry.next;
    row.iconId = iconId;
    CopyText(row.note, sizeof row.note, reinterpret_cast<const char*>(record + (mediaType ? kMediaTypeItemNoteAt : kNoteItemNoteAt)), 128);
  };
  uint32_t count = 0;
  if (!mediaType) return ReadRowList<Row, kNoteItemSize>(ctx, section, &count, fill);
  Row* rows = ReadRowList<Row, kMediaTypeItemSize>(ctx, section, &count, fill);
  if (rows != nullptr) rows[count].size = sizeof(Row);
  return rows;
}

// Option lists read from 16-byte entries; `value` gives each row's value.
OptionItem* ReadOptionList(QxdContext* ctx, const char* section, uint32_t (*value)(const char* keyword)) {
  return ReadRowList<OptionItem, sizeof(QxdEntry)>(
      ctx, section, nullptr, [&](OptionItem& row, const uint8_t*, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, 48);
        row.value = value(row.keyword);
        row.iconId = kRowIconId;
      });
}

uint32_t DensityValue(const char* keyword) {
  if (QxdNameEquals(keyword, "NME_Density_Light")) return 1;
  if (QxdNameEquals(keyword, "NME_Density_Dark")) return 3;
  return 2;
}

uint32_t NumberInKeyword(const char* keyword) { return static_cast<uint32_t>(QxdFirstNumber(keyword)); }

ResolutionItem* ReadResolutionList(QxdContext* ctx) {
  uint32_t count = 0;
  ResolutionItem* rows = ReadRowList<ResolutionItem, kResolutionItemSize>(
      ctx, "Resolution", &count, [&](ResolutionItem& row, const uint8_t* record, const QxdEntry& entry, uint32_t i) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, 32);
        row.index = i;
        for (int k = 0; k < 3; ++k) std::memcpy(&row.values[k], record + kResolutionItemValuesAt + 4 * k, 2);
        // The resolution is the first number from the keyword's sixth character.
        row.resolution = std::strlen(row.keyword) > 5 ? static_cast<uint16_t>(QxdFirstNumber(row.keyword + 5)) : 0;
        row.iconId = kRowIconId;
      });
  if (rows != nullptr) rows[count].size = sizeof(ResolutionItem);
  return rows;
}

TabPaperSizeItem* ReadTabPaperSizes(QxdContext* ctx) {
  uint32_t count = 0;
  TabPaperSizeItem* rows = ReadRowList<TabPaperSizeItem, kTabPaperItemSize>(
      ctx, "TabPaperPaperSize", &count,
      [&](TabPaperSizeItem& row, const uint8_t* record, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, 48);
        row.value = entry.next;
        row.iconId = kRowIconId;
        std::memcpy(&row.first, record + kTabPaperItemFirstAt, 4);
        std::memcpy(&row.second, record + kTabPaperItemSecondAt, 4);
        std::memcpy(&row.third, record + kTabPaperItemThirdAt, 4);
      });
  if (rows != nullptr) rows[count].size = sizeof(TabPaperSizeItem);
  return rows;
}

CollateItem* ReadCollates(QxdContext* ctx) {
  uint32_t count = 0;
  CollateItem* rows = ReadRowList<CollateItem, kCollateItemSize>(
      ctx, "Collate", &count, [&](CollateItem& row, const uint8_t* record, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, nullptr, 0);
        row.value = entry.next;
        row.iconId = kRowIconId;
        std::memcpy(&row.extra, record + kCollateItemExtraAt, 4);
        CopyText(row.text1, 64, reinterpret_cast<const char*>(record + kCollateItemText1At), 64);
        CopyText(row.text2, 64, reinterpret_cast<const char*>(record + kCollateItemText2At), 64);
      });
  if (rows != nullptr) rows[count].size = sizeof(CollateItem);
  return rows;
}

uint32_t ReadLanguageId(QxdContext* ctx) {
  ListSection s;
  if (!OpenListSection(ctx, "Country", &s)) return 0;
  uint32_t at = 0, id = 0;
  if (!QxdReadIndexEntry(ctx, s.list, 0, &at) || !QxdReadDword(ctx, at, &id)) return 0;
  return id;
}

}  // namespace

// ------------------------------------------------------------------ public

bool QxdForEachPair(QxdContext* ctx, const char* section, QxdPairVisitor visit, void* context) {
  QxdPairTable table;
  if (!QxdFindPairTable(ctx, section, &table)) return false;
  const uint32_t n = table.count < kMaxListRows ? table.count : kMaxListRows;
  QxdPair pair;
  for (uint32_t i = 0; i < n && QxdReadPair(ctx, table, i, &pair); ++i) {
    // The visitors take names and values of at most 31 characters.
    pair.name[kQxdPairField - 1] = '\0';
    pair.value[kQxdPairField - 1] = '\0';
    visit(context, pair.name, pair.value);
  }
  return true;
}

void ReadFeatureSetting(QxdContext* ctx, ModelInfo* model, const ModelBuildEnv& env) {
  if (model == nullptr) return;
  model->features[kMfMediaTypeDevStatus] = 1;
  model->features[kMfPerPageEditLines] = 20;
  model->features[kMfMediaTypeInfo] = 1;
  model->features[kMfVerifyAuthentic] = 1;
  FeatureVisit visit{model, &env};
  QxdForEachPair(ctx, "FeatureSetting", ApplyFeaturePair, &visit);
}

bool QxdReadSectionTriple(QxdContext* ctx, const char* section, uint32_t out[3]) {
  out[0] = out[1] = out[2] = 0;
  const uint32_t header = QxdFindSection(ctx, section);
  if (header == 0) return false;
  return QxdReadRangeRecord(ctx, header + kQxdRangeRecordAt, out);
}

ModelInfo* BuildModelInfo(QxdContext* ctx, const ModelBuildEnv& env) {
  auto* m = static_cast<ModelInfo*>(std::calloc(1, sizeof(ModelInfo)));
  if (m == nullptr) return nullptr;
  ReadFeatureSetting(ctx, m, env);
  ReadLimits16(ctx, "Copies", &m->copiesMax, &m->copiesMin);
  ReadLimits16(ctx, "UserPaper_Width", &m->customWidthMax, &m->customWidthMin);
  ReadLimits16(ctx, "UserPaper_Length", &m->customLengthMax, &m->customLengthMin);
  ReadLimits16(ctx, "NME_StartNumber", &m->startNumberMax, &m->startNumberMin);
  m->densities = ReadOptionList(ctx, "NME_Density", DensityValue);
  QxdForEachPair(ctx, "DevInfo", ApplyDevInfoPair, m);
  ReadMachineList(ctx, m);
  QxdForEachPair(ctx, "PaperSizeFigure", ApplyFigurePair, m);
  ReadPaperSizeList(ctx, m);
  ReadOutPaperSizeList(ctx, m);
  m->mediaTypes = ReadGenericList<ModelListItem>(ctx, "MediaType", kRowIconId);
  ReadInTrayList(ctx, m);
  UpdateInputTrayTable(ctx);
  ReadTrayMediaLabels(ctx, m);
  m->outputTrays = ReadGenericList<ModelWideListItem>(ctx, "OutputTray", kRowIconId);
  m->mediaWeights = ReadGenericList<ModelListItem>(ctx, "MediaWeight", kRowIconId);
  m->mediaColors = ReadGenericList<ModelListItem>(ctx, "MediaColor", kRowIconId);
  m->resolutions = ReadResolutionList(ctx);
  m->languageId = ReadLanguageId(ctx);
  m->combinations = ReadGenericList<ModelListItem>(ctx, "Combination", 0);
  m->foldings = ReadGenericList<ModelListItem>(ctx, "Folding", 0);
  m->holePunches = ReadGenericList<FinishPositionItem>(ctx, "HolePunch", kRowIconId);
  m->outputOrders = ReadGenericList<ModelListItem>(ctx, "OutputOrder", kRowIconId);
  m->perPagePrintTypes = ReadGenericList<ModelListItem>(ctx, "PerPageListPrintType", kRowIconId);
  m->prePunchedMedia = ReadGenericList<ModelListItem>(ctx, "MediaPrePunched", kRowIconId);
  m->staples = ReadGenericList<FinishPositionItem>(ctx, "Staple", kRowIconId);
  m->perPageStaples = ReadGenericList<ModelListItem>(ctx, "PerPageListStaple", kRowIconId);
  m->outputMethods = ReadGenericList<ModelWideListItem>(ctx, "OutputMethod", kRowIconId);
  m->overlayFormLocations = ReadGenericList<ModelWideListItem>(ctx, "OvlForm_Location", kRowIconId);
  m->profileLocations = ReadGenericList<ModelWideListItem>(ctx, "Prof_Location", kRowIconId);
  for (const TrayChoiceList& list : kTrayChoiceLists) ReadTrayChoiceList(ctx, m, list.section, list.bit);
  m->tabPaperSizes = ReadTabPaperSizes(ctx);
  m->collates = ReadCollates(ctx);
  m->ohpInterleaves = ReadGenericList<ModelWideListItem>(ctx, "OHP_Interleave", kRowIconId);
  m->paperArrangements = ReadGenericList<ModelWideListItem>(ctx, "PaperArrangement", kRowIconId);
  m->smoothingOptions = ReadOptionList(ctx, "Smoothing_op", NumberInKeyword);
  m->thinningOptions = ReadOptionList(ctx, "Thinning_op", NumberInKeyword);
  uint32_t triple[3];
  QxdReadSectionTriple(ctx, "Dnst_Density", triple);
  m->densityMax = triple[0];
  m->densityMin = triple[1];
  QxdReadSectionTriple(ctx, "ColAdj_Brightness", triple);
  m->brightnessMax = triple[0];
  m->brightnessMin = triple[1];
  QxdReadSectionTriple(ctx, "ColAdj_Contrast", triple);
  m->contrastMax = triple[0];
  m->contrastMin = triple[1];
  return m;
}

void FreeModelInfoRecord(ModelInfo* m) {
  if (m == nullptr) return;
  void* lists[] = {m->papers, m->outPapers, m->mediaTypes, m->inTrays, m->outputTrays, m->mediaWeights,
                   m->mediaColors, m->resolutions, m->combinations, m->foldings, m->holePunches,
                   m->outputOrders, m->perPagePrintTypes, m->prePunchedMedia, m->staples,
                   m->perPageStaples, m->outputMethods, m->overlayFormLocations, m->profileLocations,
                   m->frontCoverTrays, m->backCoverTrays, m->separatePageTrays, m->ohpInterleaveTrays,
                   m->piFrontCovers, m->piBackCovers, m->perPagePaperSources, m->tabPaperSizes,
                   m->collates, m->ohpInterleaves, m->paperArrangements, m->trayMediaLabels,
                   m->densities, m->smoothingOptions, m->thinningOptions};
  for (void* list : lists) std::free(list);
  if (m->machines != nullptr) {
    for (uint32_t i = 0; i < m->machineRowCount; ++i) std::free(m->machines[i].items);
    std::free(m->machines);
  }
  std::free(m);
}

ModelInfo*& ProcessModelInfo() {
  static ModelInfo* model = nullptr;
  return model;
}

void FreeModelInfo() {
  FreeModelInfoRecord(ProcessModelInfo());
  ProcessModelInfo() = nullptr;
}
