// The walk over the start-command rows: which entries of each row are
// expanded, in which order and how often.
#include "drender/pjl/pjl_header_rows.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "common/records/doc_fields.h"
#include "drender/model/model_features.h"
#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_paper.h"
#include "drender/pjl/pjl_per_page.h"

namespace {

constexpr uint32_t kInputCountAt = kDocMiddleServerItemCountAt, kInputControlsAt = kDocMiddleServerItemsAt;
constexpr uint32_t kInputControlSize = kMiddleServerItemSize, kInputControlMax = kMiddleServerItemMax;

struct Walk {
  PjlJob* job;
  const CommandTemplateRow* row;
  const ColorCommandPair* colorPairs;

  uint8_t B(uint32_t at) const { return Pjl_DocByte(job, at); }
  uint16_t W(uint32_t at) const { return Pjl_DocU16(job, at); }
  void E(const char* entry) const { Pjl_ExpandTemplate(job, Pjl_EntryText(row, entry)); }
  void Each(std::initializer_list<const char*> entries) const {
    for (const char* e : entries) E(e);
  }
  // Entry `names[v]` for 0 <= v < count, else `otherwise` (may be null).
  void Pick(uint32_t v, std::initializer_list<const char*> names, const char* otherwise) const {
    if (v < names.size()) {
      const char* name = names.begin()[v];
      if (name != nullptr) {
        E(name);
        return;
      }
    }
    if (otherwise != nullptr) E(otherwise);
  }
  bool Family1() const { return job->values.commandFamily == 1; }
  bool Option(const char* option, const char* value) const {
    return Rdc_IsDeviceOptionSet(job->deviceOptions, Pjl_DevOption(job), option, value);
  }
  // The entry the colour-mode pairs name for this row.
  void ColorPair() const {
    for (const ColorCommandPair* p = colorPairs; p != nullptr && p->key[0] != '\0'; ++p) {
      if (std::strncmp(p->key, row->name, sizeof p->key) == 0) {
        char entry[33] = {};
        std::memcpy(entry, p->value, sizeof p->value);
        E(entry);
        return;
      }
    }
  }
};

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

void FaxDestinations(Walk& w) {
  PjlJob* job = w.job;
  const uint32_t count = Pjl_FaxDestinationCount(job);
  if (count == 0) return;
  if (Pjl_FaxSetting(job)->fgFaxCoverSheet != 0 && job->perRecipient) {
    job->currentDestination = job->replayDestination;
    w.E("PCFaxNum");
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    job->currentDestination = i;
    w.E("PCFaxNum");
  }
}

void UserAuthentication(Walk& w) {
  const uint32_t method = w.B(DOC_FIELD_AT(nOutputMethod));
  const bool inter = w.Option("DevUserAuthentication", "DevUserAuthentic_InterSV");
  if (w.Option("DevUserAuthentication", "DevUserAuthentic_Dis") || (inter && !w.job->values.interimAuthentication)) {
    if (method != 3 && method != 9 && method != 10) w.E("UserAuthenticationOFF");
    return;
  }
  if (w.B(DOC_FIELD_AT(byUserType)) != 1) {
    w.Each({"PublicUser", "UserAuthSVType_None"});
    return;
  }
  w.E("RecipientUser");
  if (!inter) w.Each({"RecipientUserName", "RecipientPassword"});
  if (w.Option("DevUserAuthentication", "DevUserAuthentic_Engin")) {
    w.E("UserAuthSVType_None");
    return;
  }
  if (w.Option("DevUserAuthentication", "DevUserAuthentic_GeneralSV")) {
    w.Each({"UserAuthSVType_Numb", "ServerSetting"});
    return;
  }
  if (!inter) return;
  w.Each({"Interim_SelectType_Flex", "Interim_ControlCount"});
  uint32_t count = w.W(kInputCountAt);
  if (count > kInputControlMax) count = kInputControlMax;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = kInputControlsAt + i * kInputControlSize;
    const uint8_t type = w.B(at + 32);
    if (type == 5) continue;
    w.job->currentControl = i;
    w.Each({"Interim_ControlID", "Interim_ControlType"});
    switch (type) {
      case 1: case 9: case 10: w.E("Interim_String"); break;
      case 2: w.E("Interim_Numeric"); break;
      case 3: w.E("Interim_Toggle"); break;
      case 6: w.E("Interim_Select"); break;
      case 4:
        switch (w.B(at + 34)) {
          case 1: w.Each({"Interim_Year", "Interim_Month", "Interim_Day", "Interim_Hour", "Interim_Minute"}); break;
          case 2: w.Each({"Interim_Year", "Interim_Month", "Interim_Day"}); break;
          case 3: w.Each({"Interim_Hour", "Interim_Minute"}); break;
          case 4:
            w.Each({"Interim_Year", "Interim_Month", "Interim_Day", "Interim_Hour", "Interim_Minute",
                    "Interim_TimeZoneHour", "Interim_TimeZoneMinute"});
            break;
          default: break;
        }
        break;
      default: break;
    }
  }
  w.E("Interim_ScreenID");
}

void Language(Walk& w) {
  struct Lang {
    uint32_t id;
    const char* entry;
  };
  static const Lang langs[] = {{5, "DrvLanguageCzech"},       {7, "DrvLanguageGerman"},     {9, "DrvLanguageUSA"},
                               {10, "DrvLanguageSpanish"},    {12, "DrvLanguageFrench"},    {16, "DrvLanguageItalian"},
                               {17, "DrvLanguageJapanese"},   {18, "DrvLanguageKorean"},    {19, "DrvLanguageDutch"},
                               {22, "DrvLanguagePortuguese"}, {25, "DrvLanguageRussian"},   {1028, "DrvLanguageChinese_tw"},
                               {2052, "DrvLanguageChinese"}};
  for (const Lang& l : langs) {
    if (l.id == w.job->values.languageId) w.E(l.entry);
  }
}

// Rows of the job control table.  False when the row is not one of them.
bool JobRow(Walk& w, const char* n) {
  const uint32_t method = w.B(DOC_FIELD_AT(nOutputMethod));
  if (Is(n, "NonUI1")) {
    w.Each({"StartJob", "Comment", "PCFaxMode", "StringCodeSet", "UserName", "VQCOE", "DriverJobId", "StringCodeSet"});
  } else if (Is(n, "JobName")) {
    w.E("JobNameAuto");
  } else if (Is(n, "VqDriver")) {
    if (!w.Family1()) w.E("VqDriver");
  } else if (Is(n, "JobRetention")) {
    w.Pick(method, {"NormalPrint", "StoreJob", "PrintHold", "SecurePrint", "ProofPrint", "SaveBox", "SaveBoxAndPrint"},
           nullptr);
  } else if (Is(n, "OutputMethod")) {
    switch (method) {
      case 0: w.E("NormalPrint"); break;
      case 3: w.Each({"SecurePrint", "SecurePrintId", "SecPassword"}); break;
      case 7: w.E("SaveBox"); break;
      case 8: w.E("SaveBoxAndPrint"); break;
      case 9: w.E("WaitMode"); break;
      case 10: w.E("ProofAndPrint"); break;
      default: break;
    }
  } else if (Is(n, "BoxHold")) {
    if (method == 7 || method == 8) w.Each({"BoxNum", "BoxFileName"});
  } else if (Is(n, "HostName")) {
    w.E("HostName");
  } else if (Is(n, "EmailNotify")) {
    w.E(w.B(DOC_FIELD_AT(bEmailNotify)) ? "EmailNotifyON" : "EmailNotifyOFF");
  } else if (Is(n, "AccessNumber")) {
    if (w.job->values.accessNumberA && !w.job->values.accessNumberB) w.E("AccessNumber");
  } else if (Is(n, "Collate")) {
    if (w.B(DOC_FIELD_AT(bCollate))) {
      w.E("CollateON");
      w.job->collateCopies = w.W(DOC_FIELD_AT(nCopies));
    } else {
      w.E("CollateOFF");
    }
  } else if (Is(n, "UserAuthentication")) {
    UserAuthentication(w);
  } else if (Is(n, "AccountTrack")) {
    if (!w.Option("DevAccountTrack", "DevAccountTrack_Dis")) w.Each({"DepartmentName", "DepartmentPassword"});
  } else if (Is(n, "NonUI2")) {
    w.Each({"OsType64bit", "DrvVersion"});
    Language(w);
    w.E("EnterLang");
  } else {
    return false;
  }
  return true;
}

const char* ObjectPrefix(const char* n) {
  if (std::strncmp(n, "Img_", 4) == 0) return "Img_";
  if (std::strncmp(n, "Text_", 5) == 0) return "Text_";
  if (std::strncmp(n, "Graph_", 6) == 0) return "Graph_";
  return nullptr;
}

void Prefixed(Walk& w, const char* prefix, const char* word) {
  std::string entry = std::string(prefix) + word;
  w.E(entry.c_str());
}

// The per-object colour rows of the custom colour mode.
bool ObjectRow(Walk& w, const char* n) {
  const char* prefix = ObjectPrefix(n);
  if (prefix == nullptr) return false;
  const std::string rest = n + std::strlen(prefix);
  const uint32_t object = prefix[0] == 'I' ? 0 : prefix[0] == 'T' ? 1 : 2;
  const bool custom = w.B(DOC_FIELD_AT(nColorMatch)) == 8;
  const bool known = rest == "RGBProf" || rest == "RGBColorMatch" || rest == "RGBGray" || rest == "Halftone" ||
                     rest == "Edge";
  if (!known) return false;
  if (!custom) {
    if (rest != "Edge" || w.colorPairs != nullptr) {
      w.ColorPair();
    } else if (object == 0) {
      w.E("Img_EdgeOFF");
    } else {
      Prefixed(w, prefix, w.B(DOC_FIELD_AT(bTonerSave)) ? "EdgeON" : "EdgeOFF");
    }
    return true;
  }
  if (rest == "RGBProf") {
    Prefixed(w, prefix, w.W(2614 + 2 * object) != 0 ? "sRGB" : "DeviceRGB");
  } else if (rest == "RGBColorMatch") {
    Prefixed(w, prefix, w.B(2244 + 4 * object) ? "Photographic" : "Vivid");
  } else if (rest == "RGBGray") {
    const uint32_t v = w.B(2246 + 4 * object);
    Prefixed(w, prefix, v == 0 ? "4Color" : v == 1 ? "BandG" : "BlackOnly");
  } else if (rest == "Halftone") {
    const uint32_t v = w.B(2245 + 4 * object);
    Prefixed(w, prefix, v == 0 ? "UltraDetail" : v == 1 ? "Detail" : "Smooth");
  } else {
    Prefixed(w, prefix, w.B(3658 + object) ? "EdgeON" : "EdgeOFF");
  }
  return true;
}

// "<base><suffix>" for a setting of three values (0, 1, 2), each object
// mode writing its own entries.
void ByEachMode(Walk& w, uint32_t mode, uint32_t whole, uint32_t text, uint32_t photo,
                std::initializer_list<const char*> names, const char* otherwise) {
  auto pick = [&](uint32_t v, const char* suffix) {
    const char* base = v >= 1 && v <= names.size() ? names.begin()[v - 1] : otherwise;
    std::string entry = std::string(base) + suffix;
    w.E(entry.c_str());
  };
  if (mode == 0) {
    pick(w.B(whole), "");
  } else if (mode == 1) {
    if (text != 0) pick(w.B(text), "1");
    pick(w.B(photo), "2");
  }
}

bool ColorRow(Walk& w, const char* n) {
  const uint32_t select = w.B(DOC_FIELD_AT(nColorMode));
  const uint32_t mode = w.B(DOC_FIELD_AT(nColorMatch));
  const uint32_t each = w.B(DOC_FIELD_AT(ColorAdjustMFP_nMatchSettings));
  if (Is(n, "SelectColor")) {
    w.E(select == 0 || select == 2 ? "FullColor" : "GrayScale");
  } else if (Is(n, "SelectColorMFP")) {
    w.E(select == 2 ? "2Color" : select == 0 ? "FullColor" : "GrayScale");
  } else if (Is(n, "TwoColors")) {
    if (select == 2) {
      w.Pick(w.B(DOC_FIELD_AT(nSelectTwoColors)),
             {nullptr, "BlackGreen", "BlackBlue", "BlackCyan", "BlackMagenta", "BlackYellow"}, "BlackRed");
    }
  } else if (Is(n, "Resolution")) {
    w.E(w.B(DOC_FIELD_AT(byResolution)) ? "600dpi_1bit" : "600dpi_4bit");
  } else if (Is(n, "ColorSeparation")) {
    w.E(w.B(DOC_FIELD_AT(bColorSeparation)) ? "ColorSeparationON" : "ColorSeparationOFF");
  } else if (Is(n, "TonerSave")) {
    w.E(w.B(DOC_FIELD_AT(bTonerSave))    ? "TonerSaveON"
        : w.B(DOC_FIELD_AT(bDraftPrint)) ? "DraftPrintON"
                                         : "TonerSaveOFF");
  } else if (Is(n, "Point4Character")) {
    w.E(w.B(DOC_FIELD_AT(bPoint4Char)) ? "Point4CharacterON" : "Point4CharacterOFF");
  } else if (Is(n, "DiminBarcode")) {
    w.E(w.B(DOC_FIELD_AT(bDiminBarcode)) ? "DiminBarcodeON" : "DiminBarcodeOFF");
  } else if (Is(n, "ColorSetting")) {
    w.Pick(mode, {"Color_Auto", "Color_Doc", "Color_Photo", "Color_Presen", "Color_DTP", "Color_Web", "Color_CAD",
                  "Color_ICM", "Color_Custom", "Color_Disable"},
           nullptr);
  } else if (Is(n, "ColAdj_Brightness") || Is(n, "ColAdj_Contrast") || Is(n, "ColAdj_Saturation")) {
    if (each != 0) {
      Prefixed(w, n, "Text");
      Prefixed(w, n, "Photo");
    } else {
      w.E(n);
    }
  } else if (Is(n, "ColAdj_Cyan") || Is(n, "ColAdj_Magenta") || Is(n, "ColAdj_Yellow") || Is(n, "ColAdj_Black")) {
    if (each == 1) {
      Prefixed(w, n, "Text");
      Prefixed(w, n, "Photo");
    } else {
      w.E(n);
    }
  } else if (ObjectRow(w, n)) {
  } else if (Is(n, "Graphics")) {
    if (mode == 8) w.E(w.B(DOC_FIELD_AT(nColorGraphics)) ? "Graph_MatchImage" : "Graph_MatchText");
  } else if (Is(n, "EdgeType_op")) {
    if (w.job->values.edgeType) {
      if (w.B(DOC_FIELD_AT(bEdgeType)))
        w.Pick(w.B(DOC_FIELD_AT(nEdgeType)), {nullptr, "EdgeC", "EdgeD"}, "EdgeB");
      else w.E("EdgeA");
    }
  } else if (Is(n, "QualityAdjustMode")) {
    w.E(each == 1 ? "QAM_Detail" : "QAM_Simple");
  } else if (Is(n, "ColAdj_ColorMatchType")) {
    if (each == 0)
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_MatchAll_nType)),
             {nullptr, "CM_TypeVivid", "CM_TypePhoto", "CM_TypeColor"}, "CM_TypeAuto");
    ByEachMode(w, each == 1 ? 1 : 2, 0, 2189, 2200, {"CM_TypeVivid", "CM_TypePhoto", "CM_TypeColor"}, "CM_TypeAuto");
  } else if (Is(n, "ColAdj_PureBlack")) {
    if (each == 0)
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_OthersAll_nPureBlack)), {nullptr, "OT_PureBlack_OFF", "OT_PureBlack_ON"},
             "OT_Auto");
    ByEachMode(w, each == 1 ? 1 : 2, 0, 2197, 2208, {"OT_PureBlack_OFF", "OT_PureBlack_ON"}, "OT_Auto");
  } else if (Is(n, "ColAdj_Screen")) {
    if (each == 0)
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_OthersAll_nScreen)),
             {nullptr, "OT_ScreenGrad", "OT_ScreenReso", "OT_ScreenHiRes"}, "OT_ScreenAuto");
    ByEachMode(w, each == 1 ? 1 : 2, 0, 2198, 2209, {"OT_ScreenGrad", "OT_ScreenReso", "OT_ScreenHiRes"},
               "OT_ScreenAuto");
  } else if (Is(n, "ColAdj_Smoothing")) {
    if (each == 0) {
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_OthersAll_nSmoothing)),
             {nullptr, "OT_Smooth_OFF", "OT_SmoothDark", "OT_SmoothMedium", "OT_SmoothLight"}, "OT_SmoothAuto");
    }
    // The each-object mode writes only the photo entry.
    ByEachMode(w, each == 1 ? 1 : 2, 0, 0, 2210, {"OT_Smooth_OFF", "OT_SmoothDark", "OT_SmoothMedium", "OT_SmoothLight"},
               "OT_SmoothAuto");
  } else if (Is(n, "ColAdj_MatchBalance")) {
    if (each == 1)
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nMatchBalance)),
             {nullptr, "Each_MB_Auto", nullptr, "Each_MB_Photo"}, "Each_MB_Text");
  } else if (Is(n, "ColAdj_ScreenSmooth")) {
    if (each == 1)
      w.Pick(w.B(DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nScreenSmooth)),
             {nullptr, "Each_SS_Auto", nullptr, "Each_SS_Photo"}, "Each_SS_Text");
  } else if (Is(n, "HPProfile")) {
    if (mode == 0 || mode == 2 || mode == 3) w.E("HPProfile_sRGB");
    else if (mode == 8)
      w.E(w.W(DOC_FIELD_AT(nCommonRGBColor)) != 0 ? "HPProfile_sRGB" : "HPProfile_None");
  } else if (Is(n, "LowDensity")) {
    const int v = Pjl_DocI8(w.job, DOC_FIELD_AT(nMonoDensity));
    static const char* const low[] = {"LowDensityLevel1", "LowDensityLevel2", "LowDensityLevel3", "LowDensityLevel4",
                                      "LowDensityLevel5"};
    w.E(v >= -5 && v <= -1 ? low[v + 5] : v == 1 ? "LowDensityLevel7" : "LowDensityLevel6");
  } else if (Is(n, "Smoothing")) {
    if (w.B(DOC_FIELD_AT(bSmoothing)))
      w.Pick(w.B(DOC_FIELD_AT(nSmoothing)), {nullptr, "SmoothingType1", "SmoothingType2", "SmoothingType3"},
             "SmoothingOFF");
    else w.E("SmoothingOFF");
  } else if (Is(n, "GlossyMode")) {
    if (w.job->values.glossyMode) w.E(w.B(DOC_FIELD_AT(bGlossyMode)) ? "GlossyModeON" : "GlossyModeOFF");
  } else {
    return false;
  }
  return true;
}

bool PaperRow(Walk& w, const char* n) {
  PjlJob* job = w.job;
  if (Is(n, "PaperOption1")) {
    if (job->values.paperOption1) w.E(w.B(DOC_FIELD_AT(bPaperOption1)) ? "PaperOption1ON" : "PaperOption1OFF");
  } else if (Is(n, "WithHeaderPage")) {
  } else if (Is(n, "TrayChain")) {
    w.E(w.W(kPjlInTrayAt) == kPjlAutoTray ? "TrayChainYES" : "TrayChainNO");
  } else if (Is(n, "TrayMapping")) {
    w.E("TrayMappingOFF");
  } else if (Is(n, "Orientation")) {
    // A job the driver lays out prints on sheets of their own orientation.
    uint32_t o = job->sheetOrientation != 0 ? job->sheetOrientation : w.B(kPjlOrientationAt);
    if (w.B(kPjlCombinationAt)) o = o == 2 ? 1 : 2;
    w.E(o == 2 ? "Landscape" : "Portrait");
  } else if (Is(n, "OutPaperSize")) {
    uint32_t code = w.W(DOC_FIELD_AT(nOutPaperSize));
    if (code == 356 || code == 357) code = w.W(DOC_FIELD_AT(nPaperSize));
    if (!Pjl_IsCustomPaperCode(code)) w.E("OutPaperSize");
    else if (job->values.customSizeKind == 2) w.E("OutPaperCustomXYI");
    else
      w.E(w.B(DOC_FIELD_AT(byUnitInUserDefPaper)) ? "OutPaperCustomI" : "OutPaperCustomM");
  } else if (Is(n, "PrintPositionSetting")) {
    if (job->values.printPosition && Pjl_PaperAllowsPrintPosition(job)) {
      w.Pick(w.B(DOC_FIELD_AT(nPrintPosition)), {nullptr, "PrnPos_Center", "PrnPos_BackEdge"}, "PrnPos_TopEdge");
    }
  } else if (Is(n, "InTray") || Is(n, "MediaType") || Is(n, "MediaWeight") || Is(n, "MediaColor") ||
             Is(n, "OutputTray")) {
    w.E(n);
  } else if (Is(n, "MediaType_cb")) {
    uint32_t media = w.W(DOC_FIELD_AT(nMediaType));
    if (job->values.perTrayMedia) {
      const uint32_t tray = w.W(kPjlInTrayAt);
      if (!Pjl_TrayHasMedia(job, tray)) return true;
      media = Pjl_TrayMedia(job, tray, kPjlMediaType);
    }
    const ModelListItem* list = job->model != nullptr ? job->model->mediaTypes : nullptr;
    for (uint32_t i = 0; list != nullptr && list[i].keyword[0] != '\0'; ++i) {
      if (list[i].value != media) continue;
      char entry[kKeywordSize + 1] = {};
      std::memcpy(entry, list[i].keyword, kKeywordSize);
      w.E(entry);
      break;
    }
  } else if (Is(n, "MediaPrepunched")) {
    if (job->values.perTrayMedia) w.E(Pjl_TrayMedia(job, w.W(kPjlInTrayAt), kPjlMediaPrePunched) ? "Punch_ON" : "Punch_OFF");
  } else if (Is(n, "Nup")) {
    if (w.B(DOC_FIELD_AT(bNup)))
      w.Pick(w.B(DOC_FIELD_AT(nNup)), {nullptr, "2up", "4up", "6up", "9up", "16up"}, nullptr);
  } else if (Is(n, "BindingEdge")) {
    const char* word = Pjl_BindingWord(job);
    w.E(word[0] == 'R' ? "RightBinding" : word[0] == 'T' ? "TopBinding" : "LeftBinding");
  } else if (Is(n, "Duplex")) {
    w.E(Pjl_DuplexOff(job) ? "DuplexOFF" : "DuplexON");
  } else if (Is(n, "Layout")) {
    if (w.B(kPjlCombinationAt)) {
      w.Pick(w.B(DOC_FIELD_AT(nLayoutMode)),
             {nullptr, "LayoutRpt2in1", "TwoRepeatR_L", "TwoRepeatR_R", "TwoRepeatR_U", "TwoRepeatR_D"},
             "LayoutNormal2in1");
    } else if (w.B(kPjlDoubleSidesAt) == 3 && !job->values.driverBooklet) {
      w.E("LayoutBooklet4in1");
    } else {
      w.E(w.B(DOC_FIELD_AT(bMusenToji)) ? "LayoutAdhesive" : "LayoutNormal");
    }
  } else if (Is(n, "Chapter")) {
    if (w.B(kPjlChapterAt) && w.B(kPjlChapterPagesAt) != 0) {
      job->perPageActive = job->interSheetEntries != nullptr;
      w.E("ChapterON");
    } else {
      w.E("ChapterOFF");
    }
  } else if (Is(n, "ImageShift")) {
    if (!job->values.driverImageShift) {
      if (!w.B(DOC_FIELD_AT(bImgShift)))
        w.E("ImageShiftOFF");
      else if (job->values.deviceImageShift && w.B(DOC_FIELD_AT(nImgShiftSetting)) == 1)
        w.E("ImgShiftMFP_Printer");
      else w.E("ImgShiftMFP_Driver");
    }
  } else if (Is(n, "DivideFinish")) {
    if (w.B(DOC_FIELD_AT(bPageLoop))) w.E("DivideFinish");
  } else if (Is(n, "PerfectBindMode")) {
    w.E(w.B(DOC_FIELD_AT(bPerfectBinding)) ? "PBMode_ON" : "PBMode_OFF");
  } else if (Is(n, "TABImageShift")) {
    w.E(w.B(DOC_FIELD_AT(bTABImageShift)) ? "TABImageShift_ON" : "TABImageShift_OFF");
  } else {
    return false;
  }
  return true;
}

bool FinishingRow(Walk& w, const char* n) {
  PjlJob* job = w.job;
  if (Is(n, "Staple")) {
    if (w.B(DOC_FIELD_AT(bStaple))) {
      const FinishPositionItem* staples = job->model != nullptr ? job->model->staples : nullptr;
      for (uint32_t i = 0; staples != nullptr && staples[i].keyword[0] != '\0'; ++i) {
        if (staples[i].value == w.B(DOC_FIELD_AT(nStapleMode))) {
          char entry[kKeywordSize + 1] = {};
          std::memcpy(entry, staples[i].keyword, kKeywordSize);
          const CommandTemplateEntry* entries = w.row->entries;
          if (entries != nullptr && entries[Pjl_FindEntry(entries, entry)].name[0] != '\0') {
            w.E(entry);
            return true;
          }
        }
      }
    }
    w.E("StapleOFF");
  } else if (Is(n, "Finish")) {
    if (w.B(DOC_FIELD_AT(bStaple))) {
      const uint32_t k = w.B(DOC_FIELD_AT(nStapleMode));
      w.E(k == 3 ? "FinishLeft1Point" : k == 4 ? "FinishRight1Point" : k >= 5 && k <= 7 ? "FinishAny2Point"
                                                                    : k == 8          ? "CenterStaple"
                                                                                      : "FinishNone");
    } else {
      w.E(w.B(DOC_FIELD_AT(bCenterStapleFold)) ? "CenterStaple" : "FinishNone");
    }
  } else if (Is(n, "HolePunch")) {
    const uint32_t k = w.B(DOC_FIELD_AT(nPunchNum));
    if (!w.B(DOC_FIELD_AT(bPunch)) || k == 0 || k > 12)
      w.E("HolePunchOFF");
    else if (k == 2 || (k >= 7 && k <= 9)) w.E("ThreeHoles");
    else if (k == 3 || k >= 10) w.E("FourHoles");
    else w.E("TwoHoles");
  } else if (Is(n, "Trim")) {
    w.E(w.B(DOC_FIELD_AT(bTrim)) ? "TrimON" : "TrimOFF");
  } else if (Is(n, "PaperArrangement")) {
    if (job->values.paperArrangement) w.E("PaperArrangement");
  } else if (Is(n, "PileMode")) {
    w.E(w.B(DOC_FIELD_AT(bPileMode)) ? "PileModeON" : "PileModeOFF");
  } else if (Is(n, "JobOffset")) {
    w.E(w.B(DOC_FIELD_AT(bJobOffset)) ? "JobOffsetON" : "JobOffsetOFF");
  } else if (Is(n, "OutputOrder")) {
    w.Pick(w.B(DOC_FIELD_AT(nOutputMode)), {nullptr, "FaceDownNOne", "FaceUpNOne", "FaceUpOneN"}, "FaceDownOneN");
  } else if (Is(n, "CenterErase")) {
    w.E(w.B(DOC_FIELD_AT(bCenterErase)) == 1 ? "CenterEraseON" : "CenterEraseOFF");
  } else if (Is(n, "Folding")) {
    if (w.B(DOC_FIELD_AT(bFolding))) {
      w.Pick(w.B(DOC_FIELD_AT(nFoldingMode)),
             {nullptr, "Z_Fold2", "Z_Fold1", "FoldCntrFoldIn", "HalfFoldOut", "LetterFoldIn", "LetterFoldOut",
              "ZigZagFoldIn", "ZigZagFoldOut", "DParallelFoldIn", "DParallelFoldOut", "GateFoldIn", "GateFoldOut",
              "MLetterFoldIn", "MLetterFoldOut", "MHalfFold"},
             "HalfFoldIn");
    } else {
      w.E(w.B(DOC_FIELD_AT(bCenterStapleFold)) ? "FoldCntrFoldIn" : "FoldingOFF");
    }
  } else if (Is(n, "FrontCover")) {
    if (!w.B(DOC_FIELD_AT(bFrontCover)) || job->values.driverFrontCover)
      w.E("FrontCoverOFF");
    else
      w.Pick(w.B(DOC_FIELD_AT(nFrontCoverMode)),
             {nullptr, nullptr, nullptr, nullptr, "Blank_Fcover_PJL", "Print_Fcover_PJL"}, "FrontCoverOFF");
  } else if (Is(n, "BackCover")) {
    if (!w.B(DOC_FIELD_AT(bBackCover)) || job->values.driverBackCover)
      w.E("BackCoverOFF");
    else
      w.Pick(w.B(DOC_FIELD_AT(nBackCoverMode)),
             {nullptr, nullptr, nullptr, nullptr, "Blank_Bcover_PJL", "Print_Bcover_PJL"}, "BackCoverOFF");
  } else if (Is(n, "PIFrontCover")) {
    if (w.B(DOC_FIELD_AT(CoverMFP_bPIFCover)))
      w.E(w.W(DOC_FIELD_AT(CoverMFP_nPIFCoverTray)) == 1002 ? "PIFTray2" : "PIFTray1");
    else w.E("PIFrontCoverOFF");
  } else if (Is(n, "PIBackCover")) {
    if (w.B(DOC_FIELD_AT(CoverMFP_bPIBCover)))
      w.E(w.W(DOC_FIELD_AT(CoverMFP_nPIBCoverTray)) == 1002 ? "PIBTray2" : "PIBTray1");
    else w.E("PIBackCoverOFF");
  } else if (Is(n, "OHP_Interleave")) {
    if (!w.B(DOC_FIELD_AT(bOHP)) || job->values.driverOhp)
      w.E("OHP_InterleaveOFF");
    else
      w.Pick(w.B(DOC_FIELD_AT(nOHPMode)), {nullptr, "Blank_OHPInt", "Duplicate_OHPInt"}, "OHP_InterleaveOFF");
  } else if (Is(n, "Tandem")) {
    w.E(w.B(DOC_FIELD_AT(bTandem)) ? "TandemON" : "TandemOFF");
  } else {
    return false;
  }
  return true;
}

const char* const kPositions[] = {nullptr, nullptr, "Top", "TopRight", "Left", "Center", "Right", "BottomLeft",
                                  "Bottom", "BottomRight"};
const char* const kColours[] = {nullptr, nullptr, "Red", "Green", "Blue", "Yellow", "Magenta", "Cyan"};

void Named(Walk& w, const char* prefix, const char* const* words, size_t count, uint32_t v, const char* otherwise) {
  const char* word = v < count && words[v] != nullptr ? words[v] : otherwise;
  Prefixed(w, prefix, word);
}

bool StampRow(Walk& w, const char* n) {
  const PjlModelValues& m = w.job->values;
  const bool f1 = w.Family1();
  const bool hfActive = m.headerFooterStamps ? w.B(DOC_FIELD_AT(bHeadFooter)) != 0 : m.dateStampWithoutHeaderFooter;
  const bool cpActive = w.B(DOC_FIELD_AT(bCopyProtect)) &&
                        (w.B(DOC_FIELD_AT(bStamp)) || w.B(DOC_FIELD_AT(bTimeDate)) || w.B(DOC_FIELD_AT(bSerialNo)) ||
                         w.B(DOC_FIELD_AT(bDistributionNumber)) || w.B(DOC_FIELD_AT(bJobNumber)));
  const bool dateOn = !f1 && w.B(DOC_FIELD_AT(DateTimePageNo_bDateTime));
  const bool pageOn = !f1 && w.B(DOC_FIELD_AT(DateTimePageNo_bPageNo));
  const bool hfOn = !f1 && w.B(DOC_FIELD_AT(bHeadFooter));
  if (Is(n, "DateStamp")) {
    if (f1)
      w.E(hfActive && w.B(DOC_FIELD_AT(bDateStamp))
              ? (w.B(DOC_FIELD_AT(nDateStampMode)) == 2 ? "DateStampFrntCvr" : "DateStampAllPages")
              : "DateStampNone");
  } else if (Is(n, "DPE_DateTime")) {
    if (!f1) w.E(w.B(DOC_FIELD_AT(DateTimePageNo_bDateTime)) ? "DPE_DateTimeON" : "DPE_DateTimeOFF");
  } else if (Is(n, "DPE_DateTimeDate") || Is(n, "DPE_DateTimeTime")) {
    if (dateOn) w.E(n);
  } else if (Is(n, "DPE_DateTimePagetoPrint")) {
    if (dateOn)
      w.E(w.W(DOC_FIELD_AT(DateTimePageNo_nDT_PagetoPrint)) == 2 ? "DPE_DateTime1stPageOnly" : "DPE_DateTimeAllPages");
  } else if (Is(n, "DPE_DateTimePosition")) {
    if (dateOn) Named(w, "DPE_DateTime", kPositions, 10, w.W(DOC_FIELD_AT(DateTimePageNo_nDT_Position)), "TopLeft");
  } else if (Is(n, "DPE_DateTimeColor")) {
    if (dateOn) Named(w, "DPE_DateTime", kColours, 8, w.W(DOC_FIELD_AT(DateTimePageNo_nDT_Color)), "Black");
  } else if (Is(n, "PageStamp")) {
    if (w.B(DOC_FIELD_AT(bHeadFooter)) && w.B(DOC_FIELD_AT(bPageStamp))) {
      w.Pick(w.B(DOC_FIELD_AT(nPageStampMode)), {nullptr, "PageStampNoFrntCvr", "PageStampNoCvr"}, "PageStampAllPages");
    } else if (!f1) {
      w.E("PageStampNone");
    }
  } else if (Is(n, "DPE_PageNumber")) {
    if (w.B(DOC_FIELD_AT(DateTimePageNo_bPageNo))) {
      if (w.B(DOC_FIELD_AT(DateTimePageNo_bPN_PrintCoverCK)))
        w.E(w.W(DOC_FIELD_AT(DateTimePageNo_nPN_PrintCover)) == 2 ? "DPE_PageNumPrintBCover"
                                                                  : "DPE_PageNumPrintFBCover");
      else w.E("DPE_PageNumPrintNotCover");
    } else if (!f1) {
      w.E("DPE_PageNumberOFF");
    }
  } else if (Is(n, "DPE_PageNumPosition")) {
    if (pageOn) Named(w, "DPE_PageNum", kPositions, 10, w.W(DOC_FIELD_AT(DateTimePageNo_nPN_PrintNumPos)), "TopLeft");
  } else if (Is(n, "DPE_PageNumColor")) {
    if (pageOn) Named(w, "DPE_PageNum", kColours, 8, w.W(DOC_FIELD_AT(DateTimePageNo_nPN_PrintNumColor)), "Black");
  } else if (Is(n, "Numbering")) {
    if (f1) {
      if (hfActive && w.B(DOC_FIELD_AT(bNumbering)))
        w.E(w.B(DOC_FIELD_AT(nNumberingType))        ? "WatermarkNumber"
            : w.B(DOC_FIELD_AT(nNumberingMode)) == 1 ? "NumberingFrntCvr"
                                                     : "NumberingAllPages");
      else w.E("NumberingNone");
    }
  } else if (Is(n, "HeaderFooter")) {
    if (!f1) w.E(w.B(DOC_FIELD_AT(bHeadFooter)) ? "HeaderFooterON" : "HeaderFooterOFF");
  } else if (Is(n, "HFE_SelectDevSetting")) {
    if (hfOn) w.E(n);
  } else if (Is(n, "HFE_PagetoPrint")) {
    if (hfOn) w.E(w.B(DOC_FIELD_AT(nHFE_PagetoPrint)) == 1 ? "HFE_PagetoPrintFirstPage" : "HFE_PagetoPrintAllPages");
  } else if (Is(n, "HFE_TextColor")) {
    if (hfOn) Named(w, "HFE_TextColor", kColours, 8, w.W(DOC_FIELD_AT(nHFE_TextColor)), "Black");
  } else if (Is(n, "HFE_HeadDistNum") || Is(n, "HFE_FootDistNum")) {
    const bool head = n[4] == 'H';
    if (hfOn) Prefixed(w, n, !w.B(head ? 2026 : 2027) ? "OFF" : w.B(DOC_FIELD_AT(bHFE_Digit)) ? "NumOnly" : "Fixed");
  } else if (Is(n, "HFE_HeadStartNum")) {
    if (hfOn && w.B(DOC_FIELD_AT(bHFE_PrintHeader))) w.E(n);
  } else if (Is(n, "HFE_FootStartNum")) {
    if (hfOn && w.B(DOC_FIELD_AT(bHFE_PrintFooter))) w.E(n);
  } else if (Is(n, "CopyProtect")) {
    w.E(cpActive ? "CopyProtectON" : "CopyProtectOFF");
  } else if (Is(n, "CPE_CompositeMethod")) {
    if (!f1 && cpActive) w.E(w.B(DOC_FIELD_AT(bCompositeMethod)) ? "CPE_CopyProtect" : "CPE_Stamp");
  } else if (Is(n, "CP_Pattern")) {
    if (cpActive || f1) w.E("CP_PatternON");
  } else if (Is(n, "CP_PatternIndex")) {
    if ((w.B(DOC_FIELD_AT(bCopyProtect)) && w.B(DOC_FIELD_AT(bStamp))) || f1) w.E("CP_PatternIndex");
  } else if (Is(n, "CP_DateTime")) {
    if (w.B(DOC_FIELD_AT(bCopyProtect)) && w.B(DOC_FIELD_AT(bTimeDate)))
      w.E("CP_DateTimeON");
    else if (f1) w.E("CP_DateTimeOFF");
  } else if (Is(n, "StartNumber")) {
    if (!f1 && w.B(DOC_FIELD_AT(bCopyProtect)) && w.B(DOC_FIELD_AT(bDistributionNumber)))
      w.E(Pjl_DocU32(w.job, DOC_FIELD_AT(bDigit)) != 0 ? "StartNumberRequireDigit" : "StartNumber8DigitFix");
  } else if (Is(n, "CP_StampText")) {
    if (cpActive) w.E("CP_StampTextON");
    else if (f1) w.E("CP_StampTextOFF");
  } else if (Is(n, "CPE_CP_Pattern")) {
    if (!f1 && cpActive && w.B(DOC_FIELD_AT(bCompositeMethod))) {
      const uint32_t v = w.B(DOC_FIELD_AT(nBackPattern));
      const std::string entry = "CPE_CP_Pattern" + std::to_string(v >= 2 && v <= 8 ? v : 1);
      w.E(entry.c_str());
    }
  } else {
    return false;
  }
  return true;
}

bool FaxRow(Walk& w, const char* n) {
  const FaxSetting* fax = Pjl_FaxSetting(w.job);
  if (Is(n, "FaxResolution")) {
    w.E("FaxResolution");
  } else if (Is(n, "PCFaxPrintAfterSend")) {
    w.E(fax->fgPrtRecFile ? "PCFaxPasON" : "PCFaxPasOFF");
  } else if (Is(n, "PCFaxTimerSending")) {
    w.E(fax->fgTimerSend ? "PCFaxDlyON" : "PCFaxDlyOFF");
  } else if (Is(n, "PCFaxSubAddress")) {
    if (fax->fgSubAddress) w.E("PCFaxSubAddress");
  } else if (Is(n, "PCFaxSID")) {
    if (fax->fgSendID) w.E("PCFaxSID");
  } else if (Is(n, "PCFaxNum")) {
    FaxDestinations(w);
  } else {
    return false;
  }
  return true;
}

void EmptyHandler(PjlJob*, const CommandTemplateRow*) {}

using EmbeddedHandler = void (*)(PjlJob* job, const CommandTemplateRow* row);
// Slots 1 to 10 of the embedded handlers.
const EmbeddedHandler kEmbeddedHandlers[10] = {&Pjl_PerPageSetHandler, &Pjl_PerPageSetHandler, &EmptyHandler,
                                               &EmptyHandler,          &EmptyHandler,          &EmptyHandler,
                                               &EmptyHandler,          &EmptyHandler,          &EmptyHandler,
                                               &EmptyHandler};

}  // namespace

const char* Pjl_ColorModeRowName(uint8_t colorMode) {
  switch (colorMode) {
    case 2: return "Color_Photo";
    case 3: return "Color_Presen";
    case 9: return "Color_Disable";
    default: return "Color_Auto";
  }
}

uint32_t Pjl_WalkStartCommands(PjlJob* job) {
  if (job == nullptr || job->startCommands == nullptr || job->startCommands->rows == nullptr) return 0;
  const ColorSettingCommand* mode =
      Rdc_FindColorSetting(job->colorCommands, Pjl_ColorModeRowName(Pjl_DocByte(job, DOC_FIELD_AT(nColorMatch))));
  Walk w{job, nullptr, mode != nullptr ? mode->pairs : nullptr};
  uint32_t walked = 0;
  for (const CommandTemplateRow* row = job->startCommands->rows; row->name[0] != '\0'; ++row, ++walked) {
    w.row = row;
    const char* n = row->name;
    if (std::strncmp(n, "Embeded", 7) == 0) {
      const char* underscore = std::strchr(n, '_');
      const long slot = underscore != nullptr ? std::atol(underscore + 1) : 0;
      if (slot >= 1 && slot <= 10) kEmbeddedHandlers[slot - 1](job, row);
      continue;
    }
    if (JobRow(w, n) || ColorRow(w, n) || PaperRow(w, n) || FinishingRow(w, n) || StampRow(w, n) || FaxRow(w, n)) {
      continue;
    }
  }
  return walked;
}
