#include "dproc/constraints/builtin_checks_win.h"

#include "dproc/model/device_option_values.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/model/feature_fields.h"
#include "dproc/model/orientation_rules.h"
#include "common/win/win_version.h"
#include "dproc/constraints/constraint_messages.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/finishing_rules.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/rule_evaluation.h"
#include "dproc/constraints/stamp_sheet_facts.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/constraints/watermark_stop_facts.h"

namespace {

constexpr uint32_t kStapleList = 1047, kPunchList = 1050, kEmfSpoolBox = 2266, kPerPageBox = 1159;

uint32_t Flag(const ConstraintPassEnv& env, ModelFeature f) { return env.model != nullptr ? env.model->features[f] : 0; }

// The current value of a setting by its keyword; false when unbound.
bool Setting(const char* keyword, int32_t* value) {
  const FeatureEntry* row = FeatureRow(FeatureRowOfKeyword(keyword));
  if (row == nullptr || row->field == nullptr) return false;
  *value = ReadFeatureValue(*row);
  return true;
}
int32_t SettingOr0(const char* keyword) {
  int32_t v = 0;
  return Setting(keyword, &v) ? v : 0;
}

void Line(char16_t* text, size_t capacity, MessageTable table, uint32_t entry) {
  AppendHintLine(text, capacity, ConstraintText(table, entry));
}
// Entry 1 as the first line, without its own trailing line-break escape.
void HeadLineOnce(char16_t* text, size_t capacity, MessageTable table) {
  if (text[0] != 0) return;
  Line(text, capacity, table, 1);
  size_t n = 0;
  while (text[n] != 0) ++n;
  text[n >= 2 ? n - 2 : 0] = 0;
}

struct CachedOptions {
  bool looked = false;
  OptionHead* booklet = nullptr;
  OptionHead* nup[3] = {};
};
CachedOptions& Cached() {
  static CachedOptions c;
  if (!c.looked) {
    c.looked = true;
    c.booklet = FindOptionItem("DoubleSides", "Booklet");
    c.nup[0] = FindOptionItem("Nup_op", "2x2");
    c.nup[1] = FindOptionItem("Nup_op", "3x3");
    c.nup[2] = FindOptionItem("Nup_op", "4x4");
  }
  return c;
}
void Mark(OptionHead* option, uint32_t refused) {
  if (option != nullptr) option->flag = refused;
}

bool PosterNup() {
  int32_t nupKind = SettingOr0("Nup_op");
  return SettingOr0("Nup") != 0 && (nupKind == 7 || nupKind == 8 || nupKind == 9);
}

// The value of a media type of the model's list by its keyword.
bool ModelMediaTypeValue(const ModelInfo* model, const char* keyword, int32_t* value) {
  if (model == nullptr || model->mediaTypes == nullptr) return false;
  for (const ModelListItem* row = model->mediaTypes; row->keyword[0] != '\0'; ++row) {
    if (QxdFieldEquals(row->keyword, sizeof row->keyword, keyword)) {
      *value = static_cast<int32_t>(row->value);
      return true;
    }
  }
  return false;
}

// Transparencies interleaved by the driver cannot be collated by the
// device: several uncollated copies on a transparency tray turn the
// interleaving off.
bool TransparencyCopiesWithoutCollation(const ConstraintPassEnv& env) {
  if (!env.pluginPage || Flag(env, kMfOhpPrint) == 0 || Flag(env, kMfOhpInterleave) == 0) return false;
  if (SettingOr0("Collate") != 0 || SettingOr0("Copies") <= 1) return false;
  const int32_t media = GetTrayMediaType(env.model, kSelectedTray, env.doc);
  int32_t ohp = 0;
  return (ModelMediaTypeValue(env.model, "OHP", &ohp) && media == ohp) ||
         (ModelMediaTypeValue(env.model, "OHP2", &ohp) && media == ohp);
}

bool AuthenticationOn(const ConstraintPassEnv& env) {
  const DevOption* d = env.device;
  if (d == nullptr) return false;
  return IsDeviceOptionValue(d, env.deviceOptions, "DevUserAuthentication", "DevUserAuthentic_Engin") ||
         IsDeviceOptionValue(d, env.deviceOptions, "DevUserAuthentication", "DevUserAuthentic_GeneralSV") ||
         IsDeviceOptionValue(d, env.deviceOptions, "DevUserAuthentication", "DevUserAuthentic_InterSV") ||
         IsDeviceOptionValue(d, env.deviceOptions, "DevAccountTrack", "DevAccountTrack_Ena") ||
         d->verifyAuthentic != 0 || d->popupAuthenticDlg != 0;
}

// The row of a control other than row 0, which counts as none.
FeatureEntry* ControlRow(uint32_t controlId) {
  int32_t row = FeatureRowOfControl(controlId);
  return row > 0 ? FeatureRow(row) : nullptr;
}

}  // namespace

int CheckSpoolDependentLayouts(const ConstraintPassEnv& env, uint32_t controlId, char16_t* text, size_t capacity,
                               bool warn) {
  if (((controlId == kStapleList || controlId == kPunchList) && Flag(env, kMfBindingEdge4) == 0) ||
      controlId == 1610) {
    return warn ? CheckFinishingByFeed(env, controlId, text, capacity) : 0;
  }
  CachedOptions& c = Cached();
  for (OptionHead* o : c.nup) Mark(o, 0);
  int result = 0;
  const bool booklet = SettingOr0("DoubleSides") == 3;
  if (ProcessConstraintPrinterFacts().rawOnly) {
    if (env.pluginPage && warn) {
      if (controlId == 1025 && PosterNup()) {
        Line(text, capacity, kCstMessageStr, 31);
        result = 1;
      } else if (controlId == 1286 && booklet && Flag(env, kMfBookletPrint) == 1) {
        if (text[0] == 0) Line(text, capacity, kCstMessageStr, 1);
        Line(text, capacity, kCstMessageStr, 71);
        result = 1;
      }
    }
    Mark(c.booklet, 1);
    for (OptionHead* o : c.nup) Mark(o, 1);
    return result;
  }
  if (env.pluginPage && env.ctx != nullptr && !IsAdvPrintFeaturesOn(env.ctx)) {
    if (warn && controlId == 1025 && PosterNup()) {
      Line(text, capacity, kCstMessageStr, 30);
      result = 1;
    } else if (warn && controlId == 1286 && booklet && Flag(env, kMfBookletPrint) == 1) {
      if (text[0] == 0) Line(text, capacity, kCstMessageStr, 1);
      Line(text, capacity, kCstMessageStr, 70);
      result = 1;
    }
    Mark(c.booklet, 1);
    for (OptionHead* o : c.nup) Mark(o, 1);
    return result;
  }
  if (env.doc == nullptr || SettingOr0("Zoom") != 0) return 0;
  if (warn && ((controlId == 1025 && PosterNup() && Flag(env, kMfPoster) != 0) ||
               (env.pluginPage && controlId == 1286 && booklet && Flag(env, kMfBookletPrint) != 0))) {
    if (text[0] == 0) Line(text, capacity, kCstMessageStr, 1);
    Line(text, capacity, kCstMessageStr, 72);
    result = 1;
  }
  for (OptionHead* o : c.nup) Mark(o, 1);
  if (env.pluginPage && Flag(env, kMfBookletPrint) != 0) Mark(c.booklet, 1);
  return result;
}

int CheckFinishingByFeed(const ConstraintPassEnv& env, uint32_t controlId, char16_t* text, size_t capacity) {
  if (env.model == nullptr || env.doc == nullptr) return 0;
  const uint32_t direction = GetPaperFeedDirection(env.model, env.doc);
  uint32_t entry = 0;
  if (controlId == kStapleList) entry = GetStapleRefusalText(env.model, SettingOr0("Staple_op"), direction);
  else if (controlId == kPunchList) entry = GetHolePunchRefusalText(env.model, SettingOr0("HolePunch_op"), direction);
  // The per-page staple column: the staple position of the entry the
  // per-page list dialog edits.
  const RuleEvalContext& perPage = ProcessRuleEvalContext();
  int32_t option = 0;
  if (controlId == kPerPageSettingChange && perPage.perPageKind == kPerPageStapleKind &&
      perPage.perPageEntry != nullptr && PerPageStapleToOption(perPage.perPageEntry->staple, &option)) {
    entry = GetStapleRefusalText(env.model, option, direction);
  }
  if (entry == 0) return 0;
  if (text[0] == 0) Line(text, capacity, kCstMessageStr, 1);
  Line(text, capacity, kCstMessageStr, entry);
  return 1;
}

int CollectFinishingChanges(const ConstraintPassEnv& env, uint32_t controlId, std::vector<ChangeRecord>* changes,
                            char16_t* text, size_t capacity, bool* changed) {
  const FeatureSpecialRows& s = SpecialFeatureRows();
  int ask = 0;
  int count = 0;
  int32_t stapleReplacement = 0, punchReplacement = 0;
  bool spooling = false;
  if (controlId == 1046 || SettingOr0("BindingEdge_MFP") == 14) {
    const uint32_t direction = env.model != nullptr && env.doc != nullptr ? GetPaperFeedDirection(env.model, env.doc) : 0;
    struct Part {
      uint32_t special;
      const char* on;
      uint32_t (*change)(const ModelInfo*, int32_t, uint32_t, int32_t*);
      int32_t* replacement;
    } parts[] = {{s.stapleOp, "Staple", GetStapleChange, &stapleReplacement},
                 {s.holePunchOp, "HolePunch", GetHolePunchChange, &punchReplacement}};
    for (Part& p : parts) {
      const FeatureEntry* row = FeatureRow(static_cast<int32_t>(p.special));
      if (row == nullptr || row->pendingValue != -1) continue;
      uint32_t entry = p.change(env.model, ReadFeatureValue(*row), direction, p.replacement);
      if (entry == 0) continue;
      if (SettingOr0(p.on) != 0) {
        if (text[0] == 0) Line(text, capacity, kChgMessageStr, 1);
        Line(text, capacity, kChgMessageStr, entry);
        ask = 1;
      }
      ++count;
    }
  }
  const FeatureEntry* spool = ControlRow(kEmfSpoolBox);
  const bool sessionPage = !env.pluginPage;
  const DevOption* d = env.device;
  const bool spoolFree = spool != nullptr && spool->pendingValue == -1 && d != nullptr && d->emfSpool != 0;
  if (sessionPage && IsVistaOrLater()) {
    if ((controlId == 1078 || controlId == 1081 || controlId == 2189 || controlId == 2190) && spoolFree &&
        AuthenticationOn(env)) {
      HeadLineOnce(text, capacity, kChgMessageStr);
      for (uint32_t e : {149u, 150u, 151u}) Line(text, capacity, kChgMessageStr, e);
      ask = 1;
      ++count;
      spooling = true;
    }
  } else if (spoolFree && (d->verifyAuthentic != 0 || d->popupAuthenticDlg != 0)) {
    HeadLineOnce(text, capacity, kChgMessageStr);
    Line(text, capacity, kChgMessageStr, 149);
    ask = 1;
    ++count;
    spooling = true;
  }
  if (count == 0) return ask;
  if (stapleReplacement != 0 || punchReplacement != 0) {
    *changed = true;
    struct {
      uint32_t control, special;
      int32_t value;
    } lists[] = {{kStapleList, s.stapleOp, stapleReplacement}, {kPunchList, s.holePunchOp, punchReplacement}};
    for (const auto& l : lists) {
      if (l.value == 0) continue;
      int32_t rowNo = l.special != 0 ? static_cast<int32_t>(l.special) : FeatureRowOfControl(l.control);
      const FeatureEntry* row = FeatureRow(rowNo);
      changes->push_back({l.control, row != nullptr ? row->field : nullptr, row != nullptr ? row->fieldKind : 0,
                          l.value, row != nullptr ? rowNo : 0});
    }
  }
  if (sessionPage && Flag(env, kMfEmfSpool) != 0 && spooling && AuthenticationOn(env) && spool != nullptr &&
      spool->field != nullptr) {
    *changed = true;
    changes->push_back({kEmfSpoolBox, spool->field, spool->fieldKind, 0, FeatureRowOfControl(kEmfSpoolBox)});
  }
  return ask;
}

int ApplyChangeList(HWND dialog, const std::vector<ChangeRecord>& changes) {
  int handled = 0;
  for (const ChangeRecord& c : changes) {
    if (c.controlId == 0) break;
    const bool list = c.controlId == kStapleList || c.controlId == kPunchList;
    const bool box = c.controlId == kEmfSpoolBox || c.controlId == kPerPageBox;
    if (!list && !box) continue;
    if (c.row <= 0) break;  // row 0 counts as no row
    FeatureEntry row = {};
    row.field = c.field;
    row.fieldKind = c.storageKind;
    WriteFeatureValue(row, c.value);
    HWND control = GetDlgItem(dialog, static_cast<int>(c.controlId));
    if (list) {
      handled = 1;
      LRESULT n = control != nullptr ? SendMessageW(control, CB_GETCOUNT, 0, 0) : 0;
      for (LRESULT i = 0; i < n; ++i) {
        auto* option = reinterpret_cast<const OptionHead*>(SendMessageW(control, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        if (option != nullptr && reinterpret_cast<LRESULT>(option) != CB_ERR &&
            static_cast<int32_t>(option->value) == c.value) {
          SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
          break;
        }
      }
    } else if (control != nullptr) {
      SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(c.value), 0);
    }
  }
  return handled;
}

void CheckPerPageSwitch(const ConstraintPassEnv& env) {
  if (env.pluginPage || Flag(env, kMfEmfSpool) == 0 || env.device == nullptr || env.device->emfSpool == 0) return;
  const int32_t rowNo = FeatureRowOfControl(kPerPageBox);
  const FeatureEntry* row = rowNo > 0 ? FeatureRow(rowNo) : nullptr;
  if (row == nullptr || row->field == nullptr) return;
  ApplyChangeList(env.dialog, {{kPerPageBox, row->field, row->fieldKind, 0, rowNo}});
}

int FixedStopReasons(const ConstraintPassEnv& env, uint32_t controlId, uint32_t (&entries)[kFixedReasonMax],
                     bool* headOut) {
  const DevOption* d = env.device;
  const bool session = !env.pluginPage;
  const int32_t sides = SettingOr0("DoubleSides");
  const bool bookletRefused = Cached().booklet != nullptr && Cached().booklet->flag != 0;
  int n = 0;
  bool head = false;
  switch (controlId) {
    case 1108:
      if (Flag(env, kMfPaperSourceTraySetting) != 0 && SettingOr0("InTray") != 7) entries[n++] = 40;
      break;
    case 1113:
    case 2216:
      if (env.pluginPage && Flag(env, kMfBookletPrint) != 0 && sides == 3) entries[n++] = 154;
      break;
    case 1119: {
      const int32_t colour = SettingOr0("ColorSetting");
      if (env.pluginPage ? (colour != 7 && colour != 8) : colour != 8) entries[n++] = env.pluginPage ? 251 : 252;
      break;
    }
    case 1153:
      if (Flag(env, kMfBCoverPrint) != 0 && !bookletRefused && sides == 3 && SettingOr0("FrontCover") != 0 &&
          SettingOr0("BackCover") != 0) {
        entries[n++] = 131;
      }
      break;
    case 1154:
      if (TransparencyCopiesWithoutCollation(env)) {
        entries[n++] = 132;
        const FeatureEntry* row = FeatureRow(FeatureRowOfKeyword("OHP_Interleave"));
        if (row != nullptr && row->field != nullptr) WriteFeatureValue(*row, 0);
        LatestConstraintPassResults().ohpInterleaveFree = false;
      }
      break;
    case 1192:
      if (Flag(env, kMfSoftOverlay) == 0 && ProcessConstraintPrinterFacts().dlManagerMissing) entries[n++] = 205;
      break;
    case 1530:
      if (ProcessConstraintPrinterFacts().dlManagerMissing) entries[n++] = 205;
      break;
    case 1399:
      if (sides == 1) entries[n++] = 91;
      else if (SettingOr0("BindShift_Same") != 0) entries[n++] = 90;
      break;
    case 1425:
      if (sides == 1) entries[n++] = 101;
      else if (SettingOr0("ImgShiftMFP_Auto") != 0) entries[n++] = 100;
      break;
    case 1548:
      if (SendDlgItemMessageW(env.dialog, 1547, LB_GETCOUNT, 0, 0) == 10) entries[n++] = 292;
      break;
    case 2214:
      if (session && Flag(env, kMfEmfSpool) != 0 && d != nullptr && d->emfSpool != 0) head = true, entries[n++] = 304;
      break;
    case 1219:
    case 2191:
    case 2192:
    case 2193:
    case 2194:
    case 2195:
    case 2196:
    case 2215: {
      const StampSheetSettings settings{Flag(env, kMfBookletPrint) != 0, SettingOr0("SelectColor"), sides};
      uint32_t reasons[kStampSheetReasonMax] = {};
      const int found = StampSheetStopReasons(ProcessStampSheetFacts(), settings, controlId, reasons);
      for (int i = 0; i < found; ++i) entries[n++] = reasons[i];
      break;
    }
    case 2217:
    case 2218:
    case 2219: {
      uint32_t reasons[2] = {};
      const int found = WatermarkStopReasons(ProcessWatermarkEditFacts(), controlId, reasons);
      for (int i = 0; i < found; ++i) entries[n++] = reasons[i];
      break;
    }
    case 2220:
      if (Flag(env, kMf2Color) != 0 && SettingOr0("SelectColor") != 2) entries[n++] = 250;
      break;
    case 2221:
      if (SettingOr0("ColAdj_Object") == 1 && SettingOr0("ColAdj_EachObject_op") == 0) entries[n++] = 270;
      break;
    case 2222: {
      const char* address = UiDeviceAddress(GetUIState(env.ctx));
      if (d != nullptr && d->vistrel == 0 && address != nullptr && address[0] == '\0') entries[n++] = 282;
      break;
    }
    case 2223:
    case 2224:
      if (!bookletRefused && sides == 3 && Flag(env, kMfBookletPrint) != 0) {
        entries[n++] = controlId == 2223 ? 73 : 74;
      }
      break;
    case 2502:
      if (session && Flag(env, kMfEmfSpool) != 0 && IsAuthOptionSelected(env.dialog, env.deviceOptions)) {
        head = true, entries[n++] = 304;
      }
      break;
    case 2503:
      if (session && Flag(env, kMfEmfSpool) != 0 && AuthenticationOn(env)) {
        head = true;
        entries[n++] = 305;
        entries[n++] = 306;
        if (Flag(env, kMfVerifyAuthentic) != 0) entries[n++] = 307;
        entries[n++] = 308;
      }
      break;
    case 2522:
    case 2523:
      if (IsVistaOrLater() && session &&
          ((d != nullptr && d->emfSpool != 0) || AuthenticationOn(env) || SettingOr0("PerPageSetting") != 0)) {
        head = true;
        if (Flag(env, kMfUserAuthentication) != 0) entries[n++] = 305;
        if (Flag(env, kMfAccountTrackSetting) != 0) entries[n++] = 306;
        if (Flag(env, kMfVerifyAuthentic) != 0) entries[n++] = 307;
        entries[n++] = 308;
        if (Flag(env, kMfPerPageSetting) != 0) entries[n++] = 309;
      }
      break;
    default: break;
  }
  if (headOut != nullptr) *headOut = head;
  return n;
}

int SetFixedStopReasons(const ConstraintPassEnv& env) {
  for (HintEntry* icon = StopIconTable(); icon->controlId != 0; ++icon) {
    if (GetDlgItem(env.dialog, static_cast<int>(icon->controlId)) == nullptr) continue;
    uint32_t entries[kFixedReasonMax] = {};
    bool head = false;
    const int n = FixedStopReasons(env, icon->controlId, entries, &head);
    if (n == 0) continue;
    icon->show = 1;
    if (head) HeadLineOnce(icon->text, kStopIconTextUnits, kToolChipStr);
    for (int i = 0; i < n; ++i) Line(icon->text, kStopIconTextUnits, kToolChipStr, entries[i]);
  }
  return 1;
}
