// Parameters of the paper, the trays, the finishing, the colour
// adjustment, the stamps and the copy protection.
#include <cstring>

#include "common/records/doc_fields.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_reader.h"
#include "drender/model/model_features.h"
#include "drender/settings/paper_geometry.h"
#include "drender/pjl/pjl_paper.h"
#include "drender/pjl/pjl_parameters.h"

namespace {

bool IsName(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

template <typename Item>
const char* ListText(const Item* list, uint32_t number) {
  for (uint32_t i = 0; list != nullptr && list[i].keyword[0] != '\0'; ++i) {
    if (list[i].value == number) return list[i].note;
  }
  return nullptr;
}

}  // namespace

namespace {

// The tray-name rows of the render core. Their PJL words are not the
// display notes of the model's input tray list: they are the texts the
// "ALL_InTray" section of the description gave the built-in tray table when
// the model was loaded.
struct TrayName {
  const char* name;
  uint32_t number;
};
constexpr TrayName kTrayNames[] = {{"InTrayAuto", 7},   {"SAMEASBODY", 32767}, {"InTray1", 257},
                                   {"InTray2", 258},    {"InTray3", 259},      {"InTray4", 260},
                                   {"InTray5", 261},    {"InTrayManual", 4},   {"PITray1", 1001},
                                   {"PITray2", 1002},   {"InTrayLCT", 1000}};

}  // namespace

const char* Pjl_InTrayText(const ModelInfo* model, uint32_t number) {
  if (model == nullptr) return nullptr;
  for (const TrayName& row : kTrayNames) {
    if (row.number != number) continue;
    for (const InputTrayRow* t = InputTrayTable(); t->keyword[0] != '\0'; ++t) {
      if (QxdNameEquals(t->keyword, row.name)) return t->text[0] != '\0' ? t->text : nullptr;
    }
    return nullptr;
  }
  return nullptr;
}

namespace {

PjlRawValue Text(const char* text) { return PjlNarrow(text != nullptr ? text : ""); }

PjlRawValue CoverTray(PjlJob* job, uint32_t at) {
  uint32_t tray = Pjl_DocU16(job, at);
  if (tray == kInterSheetSameTray) tray = Pjl_DocU16(job, kPjlInTrayAt);
  for (const TrayName& row : kTrayNames) {
    if (row.number == tray) {
      const char* text = Pjl_InTrayText(job->model, tray);
      return text != nullptr && text[0] != '\0' ? PjlNarrow(text) : PjlFail();
    }
  }
  return PjlFail();
}

const char* MediaNameOrNoSet(const ModelListItem* list, uint32_t number) {
  const char* text = ListText(list, number);
  return text != nullptr && text[0] != '\0' ? text : "NOSET";
}

PjlRawValue CoverMedia(PjlJob* job, uint32_t at, int which) {
  uint32_t tray = Pjl_DocU16(job, at);
  const ModelInfo* m = job->model;
  switch (which) {
    case 0: return PjlNarrow(MediaNameOrNoSet(m ? m->mediaTypes : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaType)));
    case 1: return PjlNarrow(MediaNameOrNoSet(m ? m->mediaWeights : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaWeight)));
    case 2: return PjlNarrow(MediaNameOrNoSet(m ? m->mediaColors : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaColor)));
    default: return PjlNarrow(Pjl_TrayMedia(job, tray, kPjlMediaPrePunched) ? "ON" : "OFF");
  }
}

uint32_t Clamp(uint32_t v, uint32_t lo, uint32_t hi) { return v < lo ? lo : (hi != 0 && v > hi ? hi : v); }
uint32_t Thousandths(uint32_t tenthsMm) { return (tenthsMm * 1000 + 127) / 254; }

PjlRawValue CustomSize(PjlJob* job, bool width, bool inch) {
  uint32_t size[2] = {}, margins[4] = {};
  Paper_GetPrintableArea(job->model, job->doc, size, margins);
  uint32_t v = width ? size[0] : size[1];
  uint32_t lo = 0, hi = 0;
  if (job->model != nullptr) {
    lo = width ? job->model->customWidthMin : job->model->customLengthMin;
    hi = width ? job->model->customWidthMax : job->model->customLengthMax;
  }
  if (inch) return PjlFormat("%lu", static_cast<unsigned long>(Clamp(Thousandths(v), Thousandths(lo), Thousandths(hi))));
  return PjlFormat("%lu", static_cast<unsigned long>(Clamp(v, lo, hi)));
}

PjlRawValue OutPaperName(PjlJob* job) {
  PaperSheet sheet{};
  if (!Paper_GetPaperInfo(job->model, job->doc, &sheet) || sheet.name[0] == '\0') return PjlFail();
  std::string name(sheet.name, strnlen(sheet.name, sizeof sheet.name));
  if (Pjl_DocU16(job, DOC_FIELD_AT(Ctl2500Flag)) == 1) {
    name = name.compare(0, 4, "WIDE") == 0 ? "WFB" + name.substr(4) : "FB" + name;
  }
  return PjlNarrow(name);
}

PjlRawValue Signed(PjlJob* job, uint32_t at) { return PjlNumber(Pjl_DocI8(job, at)); }

PjlRawValue ShiftValue(PjlJob* job, uint32_t at, int32_t directionAt) {
  long long v = Pjl_DocU16(job, at);
  if (directionAt >= 0 && Pjl_DocByte(job, static_cast<uint32_t>(directionAt)) == 0) v = -v;
  return PjlNumber(v);
}

const char* DateName(uint32_t v) {
  static const char* const names[] = {"DATE1", "DATE2", "DATE3", "DATE4", "DATE5"};
  return v >= 1 && v <= 4 ? names[v] : names[0];
}
const char* TimeName(uint32_t v) { return v == 1 ? "TIME1" : v == 2 ? "TIME2" : "OFF"; }

PjlRawValue CopyProtectPattern(PjlJob* job, bool second) {
  const char* words[8] = {"OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF"};
  int next = 1;
  if (Pjl_DocByte(job, DOC_FIELD_AT(bStamp)))
    words[0] = Pjl_DocByte(job, DOC_FIELD_AT(nStampType)) == 1 ? "ARBITRARY" : "FIXED";
  else if (Pjl_DocByte(job, DOC_FIELD_AT(bCopyProtect)))
    words[0] = "FIXED";
  auto place = [&](const char* w) {
    if (next < 8) words[next++] = w;
  };
  if (Pjl_DocByte(job, DOC_FIELD_AT(bTimeDate))) {
    place("DATE");
    if (second ? Pjl_DocU32(job, DOC_FIELD_AT(CP_DateTime_bTimeFormat)) != 0
               : Pjl_DocByte(job, DOC_FIELD_AT(nTimeFormat)) != 0)
      place("TIME");
  }
  if (Pjl_DocByte(job, DOC_FIELD_AT(bSerialNo))) place("SERIALNUMBER");
  if (second && Pjl_DocByte(job, DOC_FIELD_AT(bDistributionNumber))) place("NUMBERING");
  if (second && Pjl_DocByte(job, DOC_FIELD_AT(bJobNumber))) place("JOBID");
  return PjlFormat("%s,%s,%s,%s,%s,%s,%s,%s", words[0], words[1], words[2], words[3], words[4], words[5], words[6],
                   words[7]);
}

PjlRawValue PerfectBindTray(PjlJob* job) {
  const uint32_t n = Pjl_DocByte(job, DOC_FIELD_AT(nPBCoverTray));
  if (n >= 1 && n <= 8) {
    char tray[16];
    std::snprintf(tray, sizeof tray, "TRAY%u", n);
    const ModelInfo* m = job->model;
    const uint32_t number = 256 + n;
    const char* type = ListText(m ? m->mediaTypes : nullptr, Pjl_TrayMedia(job, number, kPjlMediaType));
    const char* weight = ListText(m ? m->mediaWeights : nullptr, Pjl_TrayMedia(job, number, kPjlMediaWeight));
    const char* colour = ListText(m ? m->mediaColors : nullptr, Pjl_TrayMedia(job, number, kPjlMediaColor));
    auto word = [&](const char* t) { return t != nullptr && t[0] != '\0' ? t : tray; };
    return PjlFormat("%s,%s,%s,%s", tray, word(type), word(weight), word(colour));
  }
  if (n >= 9 && n <= 13) return PjlFormat("PITRAY%u,NOSET,NOSET,NOSET", n - 8);
  return PjlNarrow("PBTRAY,NOSET,NOSET,NOSET");
}

}  // namespace

PjlRawValue Pjl_PaperParameter(PjlJob* job, const char* name) {
  const ModelInfo* m = job->model;
  const bool perfectBind = Pjl_DocByte(job, DOC_FIELD_AT(bPerfectBinding)) != 0;
  const bool eachObject = Pjl_DocByte(job, DOC_FIELD_AT(ColorAdjustMFP_nMatchSettings)) == 1;
  // Paper and trays.
  if (IsName(name, "OutPaperSize")) return OutPaperName(job);
  if (IsName(name, "CustomPaperWidthM")) return CustomSize(job, true, false);
  if (IsName(name, "CustomPaperHeightM")) return CustomSize(job, false, false);
  if (IsName(name, "CustomPaperWidthI")) return CustomSize(job, true, true);
  if (IsName(name, "CustomPaperHeightI")) return CustomSize(job, false, true);
  if (IsName(name, "InTray")) return Text(Pjl_InTrayText(m, Pjl_DocU16(job, kPjlInTrayAt)));
  if (IsName(name, "MediaType")) {
    if (!job->values.perTrayMedia)
      return Text(ListText(m ? m->mediaTypes : nullptr, Pjl_DocU16(job, DOC_FIELD_AT(nMediaType))));
    const uint32_t tray = Pjl_DocU16(job, kPjlInTrayAt);
    if (!Pjl_TrayHasMedia(job, tray)) return PjlFail();
    return Text(ListText(m ? m->mediaTypes : nullptr, Pjl_TrayMedia(job, tray, kPjlMediaType)));
  }
  if (IsName(name, "MediaWeight") || IsName(name, "MediaColor")) {
    if (!job->values.perTrayMedia) return PjlFail();
    const bool weight = IsName(name, "MediaWeight");
    const uint32_t v = Pjl_TrayMedia(job, Pjl_DocU16(job, kPjlInTrayAt), weight ? kPjlMediaWeight : kPjlMediaColor);
    return Text(ListText(m ? (weight ? m->mediaWeights : m->mediaColors) : nullptr, v));
  }
  if (IsName(name, "OutputTray"))
    return Text(ListText(m ? m->outputTrays : nullptr, Pjl_DocU16(job, DOC_FIELD_AT(nOutBin))));
  if (IsName(name, "PaperArrangement")) {
    if (m == nullptr || m->paperArrangements == nullptr) return PjlFail();
    return Text(ListText(m->paperArrangements, Pjl_DocByte(job, DOC_FIELD_AT(bPaperArrangement))));
  }
  if (IsName(name, "FrontCoverTray")) return CoverTray(job, 1530);
  if (IsName(name, "BackCoverTray")) return CoverTray(job, 1534);
  if (IsName(name, "OHPOpTray")) return CoverTray(job, 1538);
  static const char* const fc[] = {"FCTrayMediaType", "FCTrayMediaWeight", "FCTrayMediaColor", "FCTrayMediaPrePunched"};
  static const char* const bc[] = {"BCTrayMediaType", "BCTrayMediaWeight", "BCTrayMediaColor", "BCTrayMediaPrePunched"};
  for (int i = 0; i < 4; ++i) {
    if (IsName(name, fc[i])) return CoverMedia(job, 1530, i);
    if (IsName(name, bc[i])) return CoverMedia(job, 1534, i);
  }
  if (IsName(name, "Duplex")) return PjlNarrow(Pjl_DuplexOff(job) ? "OFF" : "ON");
  if (IsName(name, "Binding")) return PjlNarrow(Pjl_BindingWord(job));
  // Finishing and binding.
  if (IsName(name, "Staple")) {
    if (!Pjl_DocByte(job, DOC_FIELD_AT(bStaple)))
      return PjlNarrow(Pjl_DocByte(job, DOC_FIELD_AT(bCenterStapleFold)) ? "CENTER" : "OFF");
    return PjlNarrow(Pjl_StapleKindWord(Pjl_DocByte(job, DOC_FIELD_AT(nStapleMode))));
  }
  if (IsName(name, "HolePunch")) {
    const uint32_t kind = Pjl_DocByte(job, DOC_FIELD_AT(nPunchNum));
    if (!Pjl_DocByte(job, DOC_FIELD_AT(bPunch)) || kind < 1 || kind > 3) return PjlNarrow("OFF");
    return PjlNumber(kind + 1);
  }
  if (IsName(name, "DivideFinish")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nPageLoopNum)));
  if (IsName(name, "PBMode")) {
    if (!perfectBind) return PjlNarrow("");
    const uint32_t mode = Pjl_DocByte(job, DOC_FIELD_AT(nPBCoverMode));
    return PjlNarrow(mode == 2 ? "1IN1" : mode == 3 ? "2IN1" : mode == 4 ? "3IN1" : "BLANK");
  }
  if (IsName(name, "PBTray")) return perfectBind ? PerfectBindTray(job) : PjlNarrow("");
  if (IsName(name, "PBDuplex"))
    return PjlNarrow(!perfectBind ? "" : Pjl_DocByte(job, DOC_FIELD_AT(bPBCoverDuplex)) ? "ON" : "OFF");
  if (IsName(name, "PBTrim"))
    return PjlNarrow(!perfectBind ? "" : Pjl_DocByte(job, DOC_FIELD_AT(bPBCoverTriming)) ? "ON" : "OFF");
  if (IsName(name, "PBSpin"))
    return perfectBind ? PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nPBSpinWidth))) : PjlNarrow("");
  if (IsName(name, "TISInfo"))
    return Pjl_DocByte(job, DOC_FIELD_AT(bTABImageShift)) ? PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nTABShift_MM)))
                                                          : PjlNarrow("");
  if (IsName(name, "ImgShiftMFP_FrontH")) return ShiftValue(job, 1446, 1444);
  if (IsName(name, "ImgShiftMFP_FrontV")) return ShiftValue(job, 1448, 1445);
  if (IsName(name, "ImgShiftMFP_FrontI")) return ShiftValue(job, 1450, -1);
  if (IsName(name, "ImgShiftMFP_FrontO")) return ShiftValue(job, 1452, -1);
  if (IsName(name, "ImgShiftMFP_BackH")) return ShiftValue(job, 1464, 1462);
  if (IsName(name, "ImgShiftMFP_BackV")) return ShiftValue(job, 1466, 1463);
  if (IsName(name, "ImgShiftMFP_BackI")) return ShiftValue(job, 1468, -1);
  if (IsName(name, "ImgShiftMFP_BackO")) return ShiftValue(job, 1470, -1);
  // Colour adjustment.
  struct SignedField {
    const char* name;
    uint32_t at;
    int mode;  // 0 always, 1 only outside the each-object mode... see below
  };
  static const SignedField colour[] = {
      {"ColAdj_Brightness", 2214, 0}, {"ColAdj_Contrast", 2215, 0}, {"ColAdj_Saturation", 2181, 0},
      {"ColAdj_BrightnessText", 2190, 0}, {"ColAdj_ContrastText", 2191, 0}, {"ColAdj_SaturationText", 2192, 0},
      {"ColAdj_BrightnessPhoto", 2201, 0}, {"ColAdj_ContrastPhoto", 2202, 0}, {"ColAdj_SaturationPhoto", 2203, 0},
      {"ColAdj_Cyan", 2182, 1}, {"ColAdj_Magenta", 2183, 1}, {"ColAdj_Yellow", 2184, 1}, {"ColAdj_Black", 2185, 1},
      {"ColAdj_CyanText", 2193, 2}, {"ColAdj_MagentaText", 2194, 2}, {"ColAdj_YellowText", 2195, 2},
      {"ColAdj_BlackText", 2196, 2}, {"ColAdj_CyanPhoto", 2204, 2}, {"ColAdj_MagentaPhoto", 2205, 2},
      {"ColAdj_YellowPhoto", 2206, 2}, {"ColAdj_BlackPhoto", 2207, 2}};
  for (const SignedField& f : colour) {
    if (!IsName(name, f.name)) continue;
    // mode 1: empty unless the adjustment is for the whole page; mode 2:
    // only in the each-object mode (otherwise not a parameter).
    if (f.mode == 1 && Pjl_DocByte(job, DOC_FIELD_AT(ColorAdjustMFP_nMatchSettings)) != 0) return PjlNarrow("");
    if (f.mode == 2 && !eachObject) return PjlRawValue{};
    return Signed(job, f.at);
  }
  // Stamps and header/footer.
  if (IsName(name, "DateStampType")) return PjlNarrow("TYPE1");
  if (IsName(name, "DPE_DateTimeDate"))
    return Pjl_DocByte(job, DOC_FIELD_AT(DateTimePageNo_bDateTime))
               ? PjlNarrow(DateName(Pjl_DocU16(job, DOC_FIELD_AT(DPE_DateTime_wDateFormat))))
               : PjlFail();
  if (IsName(name, "DPE_DateTimeTime")) {
    if (!Pjl_DocByte(job, DOC_FIELD_AT(DateTimePageNo_bDateTime))) return PjlFail();
    return PjlNarrow(Pjl_DocU32(job, DOC_FIELD_AT(DPE_DateTime_bTimeFormat))
                         ? TimeName(Pjl_DocU16(job, DOC_FIELD_AT(DPE_DateTime_wTimeFormat)))
                         : "OFF");
  }
  if (IsName(name, "PageStampStartPage")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nPageStampStartPage)));
  if (IsName(name, "DPE_PageNumStartPage"))
    return PjlNumber(Pjl_DocU32(job, DOC_FIELD_AT(DateTimePageNo_nPN_StartPage)));
  if (IsName(name, "PageStampStartNumber")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nPageStampStartNum)));
  if (IsName(name, "DPE_PageNumStartNum")) return PjlNumber(Pjl_DocU32(job, DOC_FIELD_AT(DateTimePageNo_nPN_StartNum)));
  if (IsName(name, "NumberingDensity")) return PjlNumber(Pjl_DocByte(job, DOC_FIELD_AT(nNumberingDensity)));
  if (IsName(name, "NumberingColor")) {
    const uint32_t c = Pjl_DocByte(job, DOC_FIELD_AT(nNumberingColor));
    return PjlNarrow(c == 1 ? "RED" : c == 2 ? "BLUE" : "BLACK");
  }
  if (IsName(name, "NumberingStartNumber")) return PjlNumber(Pjl_DocU16(job, DOC_FIELD_AT(nNumberingStartNum)));
  if (IsName(name, "HFE_SelectDevSetting")) return PjlNumber(Pjl_DocI16(job, DOC_FIELD_AT(nHFE_DevSetting)));
  if (IsName(name, "HFE_HeadStartNum") || IsName(name, "HFE_FootStartNum")) {
    return PjlFormat("%ld", static_cast<long>(Pjl_DocU32(job, DOC_FIELD_AT(dwHFE_StartNumber))));
  }
  // Copy protection.
  const bool composite = Pjl_DocByte(job, DOC_FIELD_AT(bCompositeMethod)) != 0;
  if (IsName(name, "CP_Pattern")) return CopyProtectPattern(job, false);
  if (IsName(name, "CP_Pattern2")) return CopyProtectPattern(job, true);
  if (IsName(name, "CP_PatIdx")) {
    int v = 0;
    if (Pjl_DocByte(job, DOC_FIELD_AT(bCopyProtect)) && Pjl_DocByte(job, DOC_FIELD_AT(bStamp))) {
      v = Pjl_DocByte(job, DOC_FIELD_AT(nStampType)) == 1 ? Pjl_DocByte(job, DOC_FIELD_AT(nRecordStamp))
                                                          : Pjl_DocByte(job, DOC_FIELD_AT(nFixedStamp));
    }
    return PjlFormat("%d,0,0,0,0,0,0,0", v);
  }
  if (IsName(name, "CP_Date"))
    return Pjl_DocByte(job, DOC_FIELD_AT(bTimeDate)) ? PjlNarrow(DateName(Pjl_DocByte(job, DOC_FIELD_AT(nDateFormat))))
                                                     : PjlFail();
  if (IsName(name, "CP_Date2"))
    return Pjl_DocByte(job, DOC_FIELD_AT(bTimeDate))
               ? PjlNarrow(DateName(Pjl_DocU16(job, DOC_FIELD_AT(CP_DateTime_wDateFormat))))
               : PjlFail();
  if (IsName(name, "CP_Time"))
    return Pjl_DocByte(job, DOC_FIELD_AT(bTimeDate)) ? PjlNarrow(TimeName(Pjl_DocByte(job, DOC_FIELD_AT(nTimeFormat))))
                                                     : PjlFail();
  if (IsName(name, "CP_Time2")) {
    if (!Pjl_DocByte(job, DOC_FIELD_AT(bTimeDate))) return PjlFail();
    return PjlNarrow(Pjl_DocU32(job, DOC_FIELD_AT(CP_DateTime_bTimeFormat))
                         ? TimeName(Pjl_DocU16(job, DOC_FIELD_AT(CP_DateTime_wTimeFormat)))
                         : "OFF");
  }
  if (IsName(name, "CP_PatSize")) {
    const uint32_t v = Pjl_DocByte(job, DOC_FIELD_AT(nPatternSize));
    return PjlNarrow(v == 1 ? "NORMAL" : v == 3 ? "LARGE" : "SMALL");
  }
  if (IsName(name, "CP_Effect"))
    return PjlNarrow(Pjl_DocByte(job, DOC_FIELD_AT(nPattern)) == 1 ? "EFFECT2" : "EFFECT1");
  if (IsName(name, "CP_Composition")) {
    return PjlNarrow(Pjl_DocByte(job, composite ? 2052 : 2053) == 1 ? "COMPOSITION2" : "COMPOSITION1");
  }
  if (IsName(name, "CP_Color")) {
    const uint32_t v = Pjl_DocU16(job, composite ? 2056 : 2062);
    return PjlNarrow(v == 6 ? "MAGENTA" : v == 7 ? "CYAN" : "BLACK");
  }
  if (IsName(name, "CP_Density")) {
    const int v = Pjl_DocI16(job, composite ? DOC_FIELD_AT(nCPE_CP_Density) : DOC_FIELD_AT(nCPE_SS_Density));
    return PjlNarrow(v == -1 ? "DENSITYL1" : v == 1 ? "DENSITYD1" : "DENSITYN");
  }
  if (IsName(name, "CP_Contrast")) {
    const int v = composite ? Pjl_DocI16(job, DOC_FIELD_AT(nCPE_CP_Contrast)) : 0;
    return PjlNarrow(v == -2 ? "CONTRASTM2" : v == -1 ? "CONTRASTM1" : v == 1 ? "CONTRASTP1" : v == 2 ? "CONTRASTP2"
                                                                                                  : "CONTRASTN");
  }
  if (IsName(name, "CP_Angle")) {
    const uint32_t v = Pjl_DocU16(job, DOC_FIELD_AT(nAngle));
    return PjlNarrow(v == 0 ? "45" : v == 2 ? "315" : "0");
  }
  if (IsName(name, "StartNumber")) return PjlNumber(Pjl_DocU32(job, DOC_FIELD_AT(dwStartNumber)));
  return PjlRawValue{};
}
