// The model capability record: what the printer model can do, built once per
// process from the main description file and read by every library that
// must know whether a feature exists, how its dialog looks, which papers,
// trays, media and finishing options the model offers and the limits of
// numeric settings.  Every library builds its own record with this one
// loader.
#pragma once

#include <cstdint>

#include "common/qxd/model_rows.h"
#include "common/qxd/qxd_reader.h"

// The fields of "FeatureSetting", in record order.
enum ModelFeature : uint32_t {
  kMfSeparatePagePrint, kMfSeparatePageDriver, kMfOhpInterleave, kMfOhpInterleaveOp,
  kMfColorAdjust, kMfColorAdjustType, kMfColorSeparation, kMfTonerSave, kMfPoint4Character,
  kMfDiminBarcode, kMfImageCompression, kMfQualityOption, kMfDnstTonerSave, kMfDnstDraftPrint,
  kMfSmoothing, kMfSmoothingOp, kMfThinning, kMfThinningOp, kMfEdgeType, kMfEdgeTypeOp,
  kMfPatternQuality, kMfColorProfileSource, kMfColorAdjustIccProf, kMfColorSettingType,
  kMfPaperOption1, kMfPaperOption2, kMfPoster, kMfPerPageSetting, kMfPiCover, kMfMediaTypeDetail,
  kMfMediaWeight, kMfMediaColor, kMfMediaPrePunched, kMfJobOffset, kMfBoxSave, kMfEngine2in1,
  kMfChapter, kMfBookletPrint, kMfBindingEdge4, kMfBindingShift, kMfImageShift,
  kMfImageShiftSwitchSetup, kMfImgShiftFrontO, kMfImgShiftBackO, kMfImgShiftBackI, kMfStaple,
  kMfHolePunch, kMfCenterStaple, kMfCenterErase, kMfFolding, kMfAdhesiveBind, kMfTrim,
  kMfDivideOutput, kMfOutputTray, kMfOutputOrder, kMfPileMode, kMfTandem, kMfPerfectBinding,
  kMfTabImageShift, kMfPaperArrangement, kMfPpsPaperSrc, kMfPpsMediaType, kMfPpsStaple,
  kMfPpsFinishStapling, kMfPpsHolePunch, kMfPpsTabPaper, kMfPpsTabPosition, kMfPpsTabPaperSetting,
  kMfMediaTypeDevStatus, kMfPpsInsertPage, kMfPpsPunchSetting, kMfPpsStapleSetting,
  kMfSoftOverlay, kMfHeaderFooter, kMfNumberDlgType, kMfNumberDlgColor, kMfCopyProtect,
  kMfOverlay, kMfOverlayMgrType, kMfDateTimePage, kMfHeaderFooterKind, kMfNumberKind,
  kMfCopyProtectType, kMfDateTimePageType, kMfHeaderFooterType, kMf2Color, kMfGlossyMode,
  kMfEmfSpool, kMfUserAuthentication, kMfAccountTrack, kMfPaperSourceTraySetting,
  kMfPrintPosition, kMfWebConnect, kMfDataAdmin, kMfPrnComplete, kMfFirstSheetAll,
  kMfHardSecurityMode, kMfUserData, kMfEncryptionKey, kMfMediaTypeInfo, kMfPaperLengthLarger,
  kMfVerifyAuthentic, kMfImageShiftPrint, kMfFCoverPrint, kMfBCoverPrint, kMfOhpPrint,
  kMfAuthServerSetting, kMfAuthVerify, kMfUserAuthentication2, kMfAccountTrackSetting,
  kMfMultiDepartmentMng, kMfEmailNotify, kMfTreeDomainName, kMfExpenseCode,
  kMfExpenseCodePassword, kMfWatermarkDrawType, kMfMediaTypeDlgType, kMfInterimAuthentic,
  kMfPjlVersion, kMfPerPageEditLines, kMfUseDeviceLinkProfile,
  kModelFeatureCount
};
static_assert(kModelFeatureCount == 121);

struct ModelInfo {
  // 1. Feature flags and types.
  uint32_t features[kModelFeatureCount];
  // 2. Numeric limits from range sections.
  uint16_t copiesMax, copiesMin;
  uint16_t customWidthMin, customWidthMax;    // "UserPaper_Width", 0.1 mm
  uint16_t customLengthMin, customLengthMax;  // "UserPaper_Length"
  uint16_t startNumberMax, startNumberMin;
  // 3. Device information ("DevInfo", "MachineInfo").
  int32_t printRatePpm;
  int32_t printRate;
  uint8_t printRateUnit;      // 1 ppm, 2 CPS, 3 LPM, 4 IPM
  uint32_t staplerPresent;
  uint32_t colorDevice;
  uint16_t pdlClass, pdlRevision;
  uint8_t machineEncryption;  // 1 AES, 2 other
  uint32_t machineRowCount;   // machines + 1
  MachineRow* machines;
  uint8_t colorMode;          // 1 colour, 2 monochrome
  // 4. Paper figure style: 1 "MFP".
  uint32_t paperFigureStyle;
  // 5. Papers and the custom paper limits of the "UserPaper" item.
  PaperSizeEntry* papers;
  uint32_t customPaperMinWidth, customPaperMaxWidth;
  uint32_t customPaperMinLength, customPaperMaxLength;
  uint32_t customPaperMargins[4];
  ResolutionMargins customPaperResolutionMargins[6];
  uint32_t customPaperFurther[4];
  // 6. Lists.
  OutPaperSizeEntry* outPapers;
  ModelListItem* mediaTypes;
  InTrayEntry* inTrays;
  ModelWideListItem* outputTrays;
  ModelListItem* mediaWeights;
  ModelListItem* mediaColors;
  ResolutionItem* resolutions;
  uint32_t languageId;
  ModelListItem* combinations;
  ModelListItem* foldings;
  FinishPositionItem* holePunches;
  ModelListItem* outputOrders;
  ModelListItem* perPagePrintTypes;
  ModelListItem* prePunchedMedia;
  FinishPositionItem* staples;
  ModelListItem* perPageStaples;
  ModelWideListItem* outputMethods;
  ModelWideListItem* overlayFormLocations;
  ModelWideListItem* profileLocations;
  OptionItem* frontCoverTrays;
  OptionItem* backCoverTrays;
  OptionItem* separatePageTrays;
  OptionItem* ohpInterleaveTrays;
  OptionItem* piFrontCovers;
  OptionItem* piBackCovers;
  OptionItem* perPagePaperSources;
  TabPaperSizeItem* tabPaperSizes;
  CollateItem* collates;
  ModelWideListItem* ohpInterleaves;
  ModelWideListItem* paperArrangements;
  TrayMediaLabel* trayMediaLabels;
  OptionItem* densities;
  OptionItem* smoothingOptions;
  OptionItem* thinningOptions;
  // 7. Adjustment ranges.
  uint32_t densityMax, densityMin;
  uint32_t brightnessMax, brightnessMin;
  uint32_t contrastMax, contrastMin;
};

// What the build needs of its surroundings; the Windows layer fills it.
struct ModelBuildEnv {
  bool windows6OrLater;     // the NT platform with a major version of 6 or more
  uint32_t localeCountry;   // country code of the user's default locale
  bool knowsJaLocale;       // "Enable_JALocale" is understood (procedure library only)
};

// The model's collation value is the second limit its "Copies" section
// gives (the copies minimum): a model whose value is 1 has every DEVMODE
// head carry the collate field, with collation off.
inline bool ModelAsksForCollateField(const ModelInfo* model) { return model != nullptr && model->copiesMin == 1; }

// Builds the record from an open main description file.  Null only when the
// record cannot be allocated; a missing section leaves its fields zero.
ModelInfo* BuildModelInfo(QxdContext* ctx, const ModelBuildEnv& env);
// Frees a record with every block it owns.  Null is accepted.
void FreeModelInfoRecord(ModelInfo* model);

// The process's record: set by start-up, freed (and cleared) by FreeModelInfo.
ModelInfo*& ProcessModelInfo();
void FreeModelInfo();

// The 121 feature fields (also part of BuildModelInfo).
void ReadFeatureSetting(QxdContext* ctx, ModelInfo* model, const ModelBuildEnv& env);
// Zeroes out[3], then reads a range section: maximum, minimum, default.
bool QxdReadSectionTriple(QxdContext* ctx, const char* section, uint32_t out[3]);

// Calls `visit` for each 64-byte pair (name, value) of a pair-table section
// in file order.  Returns false when the section or its table is absent.
using QxdPairVisitor = void (*)(void* context, const char* name, const char* value);
bool QxdForEachPair(QxdContext* ctx, const char* section, QxdPairVisitor visit, void* context);

// Counts the rows of a list up to its terminator (the first empty keyword).
template <typename Row>
uint32_t CountRows(const Row* rows) {
  uint32_t n = 0;
  if (rows == nullptr) return 0;
  while (rows[n].keyword[0] != '\0') ++n;
  return n;
}
