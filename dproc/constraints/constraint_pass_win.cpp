#include "dproc/constraints/constraint_pass_win.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

#include "dproc/sheets/dialog_helpers.h"
#include "common/records/doc_fields.h"
#include "common/win/ui_services.h"
#include "dproc/constraints/builtin_checks_win.h"
#include "dproc/constraints/constraint_messages.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/constraint_ui_state.h"
#include "dproc/constraints/drop_reasons.h"
#include "dproc/constraints/finishing_rules.h"
#include "dproc/constraints/hint_text.h"
#include "dproc/constraints/page_hints.h"
#include "dproc/constraints/rule_evaluation.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/sheets/per_page_ui_lists.h"
#include "dproc/sheets/sheet_context.h"

namespace {

constexpr size_t kPassTextUnits = 1024;
constexpr size_t kRememberedReasons = 20;
// The Cover Page sheet's transparency interleaving check box.
constexpr uint32_t kOhpInterleaveBoxId = 1214;
constexpr uint32_t kKindDropDown = 1, kKindListBox = 2, kKindRadio = 3, kKindNumber = 4, kKindCheckBox = 5,
                   kKindPerPageColumn = 7;
constexpr int32_t kNone = static_cast<int32_t>(kOptionNone);

// The three colour adjustment sets of the document settings, one after the
// other; a balance component lives at the same place in each set.
constexpr uint32_t kColourSetAAt = kDocDModeSettingsAt + offsetof(DocFields, ColorAdjustMFP_MatchAll_nType);
constexpr uint32_t kColourSetSize = offsetof(DocFields, ColorAdjustMFP_EachText_Match_nType) -
                                    offsetof(DocFields, ColorAdjustMFP_MatchAll_nType);
constexpr uint32_t kColourSets = 3;
static_assert(kColourSetAAt + 2 * kColourSetSize ==
              kDocDModeSettingsAt + offsetof(DocFields, ColorAdjustMFP_EachPhoto_Match_nType));

const ConstraintRule& RuleAt(uint32_t i) { return ProcessConstraintRules().set.rules[i]; }
const RuleGroup& Group(int g) { return ProcessConstraintRules().index.groups[g]; }
uint32_t RuleCount() { return static_cast<uint32_t>(ProcessConstraintRules().set.rules.size()); }

bool ControlExists(HWND dialog, uint32_t id) { return id != 0 && GetDlgItem(dialog, static_cast<int>(id)) != nullptr; }

int32_t ForcedIndex(uint32_t rule, int32_t row) { return GetOptionIndex(RuleAt(rule).forced.option, row); }

bool IsSentinelIndex(int32_t index) {
  return index == kNone || index == static_cast<int32_t>(kOptionNoTable) ||
         index == static_cast<int32_t>(kOptionEmptyIndex) || index == static_cast<int32_t>(kOptionEmptyValue) ||
         index == static_cast<int32_t>(kOptionDefaultPaper);
}

OptionHead* OptionAt(const FeatureEntry& row, int32_t index) {
  if (index < 0) return nullptr;
  int32_t i = 0;
  for (OptionHead* o = row.options; o != nullptr && o->keyword[0] != '\0';
       o = const_cast<OptionHead*>(NextOptionRow(o)), ++i) {
    if (i == index) return o;
    if (o->size < sizeof(OptionHead)) break;
  }
  return nullptr;
}

// An option row's narrow keyword as a keyword field of the rules.
void WideKeyword(const char* keyword, char16_t out[kConstraintKeywordUnits]) {
  size_t k = 0;
  for (; k < kKeywordSize && keyword[k] != '\0'; ++k) out[k] = static_cast<char16_t>(static_cast<unsigned char>(keyword[k]));
  for (; k < kConstraintKeywordUnits; ++k) out[k] = 0;
}

bool IsColourBalance(const FeatureEntry& row) {
  return ConstraintKeywordEqualsAscii(row.keyword, "ColAdj_Cyan") ||
         ConstraintKeywordEqualsAscii(row.keyword, "ColAdj_Magenta") ||
         ConstraintKeywordEqualsAscii(row.keyword, "ColAdj_Yellow") ||
         ConstraintKeywordEqualsAscii(row.keyword, "ColAdj_Black");
}

// The places of a colour balance component in the three sets, found from
// the set and the component the row's field names.  False when the field
// lies in none of the sets.
bool ColourBalancePlaces(const DocDMode* doc, const FeatureEntry& row, uint8_t* places[kColourSets]) {
  if (doc == nullptr || row.field == nullptr) return false;
  auto* base = reinterpret_cast<uint8_t*>(const_cast<DocDMode*>(doc));
  auto* field = static_cast<uint8_t*>(row.field);
  if (field < base + kColourSetAAt || field >= base + kColourSetAAt + kColourSets * kColourSetSize) return false;
  size_t component = static_cast<size_t>(field - (base + kColourSetAAt)) % kColourSetSize;
  for (uint32_t s = 0; s < kColourSets; ++s) places[s] = base + kColourSetAAt + s * kColourSetSize + component;
  return true;
}

bool HasArgument(const std::vector<uint32_t>& list, uint32_t argument) {
  for (uint32_t a : list) {
    if (a == argument) return true;
  }
  return false;
}

// The first line of a message gets the table's head line first.
void AppendMessageLine(char16_t* text, size_t capacity, MessageTable table, uint32_t entry) {
  if (text[0] == 0) {
    char16_t head[kMessageUnits + 1] = {};
    const char16_t* h = ConstraintText(table, 1);
    for (size_t i = 0; i < kMessageUnits && h[i] != 0; ++i) head[i] = h[i];
    ExpandNewlineEscapes(head);
    AppendHintLine(text, capacity, head);
  }
  AppendHintLine(text, capacity, ConstraintText(table, entry));
}

int ShowBox(char16_t* text, MessageTable captionTable, UINT style) {
  ExpandNewlineEscapes(text);
  char16_t caption[kMessageUnits + 1] = {};
  const char16_t* c = ConstraintText(captionTable, 0);
  for (size_t i = 0; i < kMessageUnits && c[i] != 0; ++i) caption[i] = c[i];
  return CurrentUiServices().messageBox(GetActiveWindow(), reinterpret_cast<const wchar_t*>(text),
                                        reinterpret_cast<const wchar_t*>(caption), style);
}

// Number of conditions locks and stop icons use: a rule about one option of
// its target leaves out its last condition (the test of that option).
uint32_t LockConditionCount(const ConstraintRule& rule) {
  uint32_t n = rule.conditionCount;
  if (rule.target.option[0] != 0 && n > 0) --n;
  return n;
}

bool HoldsOnce(const ConstraintPassEnv& env, uint32_t rule, uint32_t n) {
  uint32_t result = 0;
  return EvaluateConstraintRule(env.pageId, 0, rule, n, false, nullptr, &result) == kRuleEvaluated && result == 1;
}

// A per-page rule over per-page list columns: in the Per Page Setting
// dialog (it has the list 1539) the columns are the entry under edit's;
// elsewhere the rule is tried on every entry of the per-page list that the
// settings select, and holds when it holds for one entry and no entry's
// evaluation failed.  Without that list, or with an empty one, it does not
// count.
bool HoldsPerPage(const ConstraintPassEnv& env, uint32_t rule, uint32_t n) {
  FeatureEntry* table = ProcessConstraintRules().features;
  InterSheetEntry* underEdit = ProcessRuleEvalContext().perPageEntry;
  if (ControlExists(env.dialog, kPerPageSettingList)) {
    BindPerPageFeatures(table, underEdit);
    return HoldsOnce(env, rule, n);
  }
  if (env.doc == nullptr) return false;
  const InterSheetList* list = SelectedPerPageList(GetUIState(env.ctx), Fields(*env.doc).CoverMFP_nPerPageList);
  if (list == nullptr || list->count == 0 || list->entries == nullptr) return false;
  bool held = false, failed = false;
  for (uint32_t i = 0; i < list->count && !failed; ++i) {
    BindPerPageFeatures(table, &list->entries[i]);
    uint32_t result = 0;
    if (EvaluateConstraintRule(env.pageId, 0, rule, n, false, nullptr, &result) != kRuleEvaluated) {
      failed = true;
    } else if (result == 1) {
      held = true;
    }
  }
  BindPerPageFeatures(table, underEdit);
  return held && !failed;
}

bool Holds(const ConstraintPassEnv& env, uint32_t rule, uint32_t n) {
  const RuleGroup& perPage = Group(kRuleGroupPerPage);
  if (rule >= perPage.first && rule < perPage.first + perPage.count && RuleNamesPerPageColumn(rule, n)) {
    return HoldsPerPage(env, rule, n);
  }
  return HoldsOnce(env, rule, n);
}

bool CountsInDeviceMode(uint32_t rule) {
  const RuleEvalContext& ctx = ProcessRuleEvalContext();
  if (ctx.passMode == kPassModeNormal) return true;
  const FeatureEntry* checked = FeatureRow(FeatureOfControl(0, 0));
  return checked != nullptr && ConstraintKeywordEquals(RuleAt(rule).target.feature, checked->keyword);
}

// --- Refusal.

bool CollectConstraintMessages(const ConstraintPassEnv& env, uint32_t controlId, char16_t* text) {
  if (controlId == 1539) return false;
  const int32_t changed = FeatureOfControl(env.pageId, controlId);
  const RuleGroup& g = Group(kRuleGroupOption);
  std::vector<uint32_t> listed;
  bool held = false;
  for (uint32_t r = g.first; r < g.first + g.count; ++r) {
    const ConstraintRule& rule = RuleAt(r);
    for (uint32_t a = 0; a < rule.actionCount; ++a) {
      if (rule.actions[a].code != kActionRefuse) continue;
      int32_t target = GetRuleFeature(env.requireAvailable, r);
      const FeatureEntry* row = FeatureRow(target);
      if (row == nullptr || target != changed || !RuleHoldsLeniently(r)) continue;
      held = true;
      const uint32_t argument = rule.actions[a].argument;
      if (HasArgument(listed, argument)) continue;
      int32_t current = ReadFeatureValue(*row);
      int32_t forced = OptionValueOf(target, ForcedIndex(r, target));
      if (current == forced || IsSameCustomPaper(target, current, forced)) {
        listed.push_back(argument);
        AppendMessageLine(text, kPassTextUnits, kCstMessageStr, argument);
      }
    }
  }
  return held;
}

int32_t ShowConstraintWarning(const ConstraintPassEnv& env, uint32_t controlId, int32_t row, int32_t index,
                              char16_t* text) {
  const int32_t changed = FeatureOfControl(env.pageId, controlId);
  if (FeatureRow(changed) == nullptr) return kNone;
  const FeatureEntry* e = FeatureRow(row);
  const OptionHead* option = e != nullptr ? OptionAt(*e, index) : nullptr;
  if (option == nullptr || option->flag == 0 || changed != row) return 0;
  int32_t current = ReadFeatureValue(*e);
  int32_t value = static_cast<int32_t>(option->value);
  if (current != value && !IsSameCustomPaper(row, current, value)) return 0;
  ShowBox(text, kCstMessageStr, MB_ICONEXCLAMATION);
  return kPassRefused;
}

// --- Forced changes.

bool CollectForcedChanges(const ConstraintPassEnv& env, uint32_t controlId, std::vector<uint8_t>& pending,
                          char16_t* text) {
  const RuleGroup& g = Group(kRuleGroupSetting);
  std::vector<uint32_t> listed;
  bool ask = false;
  for (uint32_t r = g.first; r < g.first + g.count; ++r) {
    const ConstraintRule& rule = RuleAt(r);
    uint32_t result = 0;
    uint32_t status =
        EvaluateConstraintRule(env.pageId, controlId, r, rule.conditionCount, env.changed, nullptr, &result);
    if (status != kRuleEvaluated || result != 1) continue;
    int32_t target = GetRuleFeature(env.requireAvailable, r);
    FeatureEntry* row = FeatureRow(target);
    if (row == nullptr || row->field == nullptr) continue;
    int32_t index = ForcedIndex(r, target);
    if (index == kNone) continue;
    int32_t forced = OptionValueOf(target, index);
    if (forced == static_cast<int32_t>(kOptionEmptyValue) || forced == kNone ||
        forced == static_cast<int32_t>(kOptionNoTable)) {
      continue;
    }
    int32_t current = ReadFeatureValue(*row);
    uint8_t* places[kColourSets];
    if (IsColourBalance(*row) && ColourBalancePlaces(env.doc, *row, places) &&
        (*places[1] != *places[0] || *places[2] != *places[0])) {
      current = 255;  // the sets disagree: no single value holds
    }
    if (current == forced) {
      row->pendingValue = -1;
      continue;
    }
    row->pendingValue = forced;
    pending[r] = 1;
    if (env.askFlag == 0) continue;
    for (uint32_t a = 0; a < rule.actionCount; ++a) {
      if (rule.actions[a].code != kActionForce || HasArgument(listed, rule.actions[a].argument)) continue;
      listed.push_back(rule.actions[a].argument);
      AppendMessageLine(text, kPassTextUnits, kChgMessageStr, rule.actions[a].argument);
      ask = true;
    }
  }
  return ask;
}

bool AskConstraintChange(char16_t* text) { return ShowBox(text, kChgMessageStr, MB_YESNO | MB_ICONQUESTION) != IDNO; }

void SelectByValue(HWND control, bool listBox, int32_t value) {
  const UINT count = listBox ? LB_GETCOUNT : CB_GETCOUNT;
  const UINT data = listBox ? LB_GETITEMDATA : CB_GETITEMDATA;
  const UINT select = listBox ? LB_SETCURSEL : CB_SETCURSEL;
  LRESULT n = SendMessageW(control, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT item = SendMessageW(control, data, static_cast<WPARAM>(i), 0);
    if (item == 0 || item == CB_ERR) continue;
    const auto* option = reinterpret_cast<const OptionHead*>(item);
    if (static_cast<int32_t>(option->value) == value) {
      SendMessageW(control, select, static_cast<WPARAM>(i), 0);
      return;
    }
  }
}

void ShowForcedValue(const ConstraintPassEnv& env, const FeatureEntry& row, int32_t value) {
  HWND control = GetDlgItem(env.dialog, static_cast<int>(row.controlId));
  switch (row.kind) {
    case kKindDropDown:
      if (ConstraintKeywordEqualsAscii(row.keyword, "DoubleSides")) {
        // The two-sided list's items carry codes: select the code of an
        // enabled option with the forced value.
        for (const OptionHead* o = row.options; o != nullptr && o->keyword[0] != '\0'; o = NextOptionRow(o)) {
          if (o->size < sizeof(DuplexOptionItem)) break;
          const auto* d = reinterpret_cast<const DuplexOptionItem*>(o);
          if (static_cast<int32_t>(o->value) == value && d->enabled != 0) {
            SelectByValue(control, false, static_cast<int32_t>(d->code));
          }
        }
      } else {
        SelectByValue(control, false, value);
      }
      break;
    case kKindListBox: SelectByValue(control, true, value); break;
    case kKindRadio: {
      const ConstraintRules& r = ProcessConstraintRules();
      for (const OptionHead* o = row.options; o != nullptr && o->keyword[0] != '\0'; o = NextOptionRow(o)) {
        for (uint32_t i = 0; i < r.featureCount; ++i) {
          const FeatureEntry& button = r.features[i];
          char16_t option[kConstraintKeywordUnits];
          WideKeyword(o->keyword, option);
          if (ConstraintKeywordEquals(button.keyword, row.keyword) && ConstraintKeywordEquals(button.option, option)) {
            CheckDlgButton(env.dialog, static_cast<int>(button.controlId),
                           static_cast<int32_t>(o->value) == value ? BST_CHECKED : BST_UNCHECKED);
          }
        }
        if (o->size < sizeof(OptionHead)) break;
      }
      break;
    }
    case kKindNumber:
      if (ConstraintUiState* state = ConstraintStateOf(GetUIState(env.ctx))) state->flags |= kConstraintChangedEdit;
      if (!ConstraintKeywordEqualsAscii(row.keyword, "Paper_Width") &&
          !ConstraintKeywordEqualsAscii(row.keyword, "Paper_Length")) {
        SetDlgItemInt(env.dialog, static_cast<int>(row.controlId), static_cast<UINT>(value), TRUE);
      }
      break;
    case kKindCheckBox: CheckDlgButton(env.dialog, static_cast<int>(row.controlId), static_cast<UINT>(value)); break;
    default: break;
  }
}

void ApplyForcedValue(const ConstraintPassEnv& env, uint32_t rule, FeatureEntry& row, std::vector<uint8_t>& pending) {
  if (pending[rule] != 1 || row.pendingValue == -1) return;
  const int32_t value = row.pendingValue;
  WriteFeatureValue(row, value);
  uint8_t* places[kColourSets];
  if (IsColourBalance(row) && ColourBalancePlaces(env.doc, row, places)) {
    for (uint8_t* p : places) *p = static_cast<uint8_t>(value);
  }
  if (ControlExists(env.dialog, row.controlId) && ProcessRuleEvalContext().passMode == kPassModeNormal) {
    ShowForcedValue(env, row, value);
  }
  row.pendingValue = -1;
  pending[rule] = 0;
}

// --- Locks.

void EnableControl(HWND dialog, uint32_t controlId, BOOL enable) {
  if (HWND c = GetDlgItem(dialog, static_cast<int>(controlId))) EnableCtrlIfVisible(c, enable);
}

void EnableCompanions(HWND dialog, const FeatureEntry& row, BOOL enable) {
  for (uint32_t id : row.companions) {
    if (id == 0) break;
    EnableControl(dialog, id, enable);
  }
}

void ApplyRuleLock(HWND dialog, int32_t rowNo, int32_t index) {
  const FeatureEntry* row = FeatureRow(rowNo);
  if (row == nullptr) return;
  const BOOL enable = row->locked == 0;
  if (row->kind != kKindRadio) {
    EnableControl(dialog, row->controlId, enable);
  } else {
    const OptionHead* option = IsSentinelIndex(index) ? nullptr : OptionAt(*row, index);
    const ConstraintRules& r = ProcessConstraintRules();
    for (uint32_t i = 0; i < r.featureCount; ++i) {
      const FeatureEntry& button = r.features[i];
      if (!ConstraintKeywordEquals(button.keyword, row->keyword)) continue;
      if (option != nullptr) {
        char16_t name[kConstraintKeywordUnits];
        WideKeyword(option->keyword, name);
        if (!ConstraintKeywordEquals(button.option, name)) continue;
      }
      EnableControl(dialog, button.controlId, enable);
    }
  }
  EnableCompanions(dialog, *row, enable);
}

// Runs the lock and hint actions of a rule.  False when a hint action's
// evaluation did not complete.
bool RunRuleActions(const ConstraintPassEnv& env, uint32_t rule, int32_t row, int32_t index, bool* hit,
                    uint32_t* result, int32_t* firstRow) {
  const ConstraintRule& r = RuleAt(rule);
  for (uint32_t a = 0; a < r.actionCount; ++a) {
    if (r.actions[a].code == kActionLock) {
      ApplyRuleLock(env.dialog, row, index);
    } else if (r.actions[a].code == kActionHint) {
      uint32_t holds = 0;
      if (EvaluateConstraintRule(env.pageId, 0, rule, r.conditionCount, false, firstRow, &holds) != kRuleEvaluated) {
        return false;
      }
      if (result != nullptr) *result = holds;
      if (hit != nullptr) *hit = true;
    }
  }
  return true;
}

struct NotedRow {
  int32_t row;
  bool locked, shown;
};

void UpdateRuleLocks(const ConstraintPassEnv& env) {
  for (HintEntry* icon = StopIconTable(); icon->controlId != 0; ++icon) {
    if (!ControlExists(env.dialog, icon->controlId)) continue;
    icon->show = 0;
    icon->headLineAdded = 0;
    icon->text[0] = 0;
  }
  LatestConstraintPassResults().ohpInterleaveFree = true;
  std::vector<NotedRow> noted;
  for (int g : {kRuleGroupSetting, kRuleGroupPerPage}) {
    const RuleGroup& group = Group(g);
    for (uint32_t r = group.first; r < group.first + group.count; ++r) {
      const ConstraintRule& rule = RuleAt(r);
      for (uint32_t a = 0; a < rule.actionCount; ++a) {
        const uint32_t code = rule.actions[a].code;
        if (code != kActionLock && code != kActionReason) continue;
        int32_t target = GetRuleFeature(env.requireAvailable, r);
        const FeatureEntry* row = FeatureRow(target);
        if (row == nullptr || !ControlExists(env.dialog, row->controlId)) continue;
        NotedRow* note = nullptr;
        for (NotedRow& n : noted) {
          if (n.row == target) note = &n;
        }
        if (note == nullptr) {
          noted.push_back({target, false, false});
          note = &noted.back();
        }
        if (!CountsInDeviceMode(r) || !Holds(env, r, LockConditionCount(rule))) continue;
        if (code == kActionLock) note->locked = true;
        else note->shown = true;
      }
    }
  }
  for (const NotedRow& n : noted) {
    FeatureEntry* row = FeatureRow(n.row);
    row->locked = n.locked ? 1 : 0;
    if (row->controlId == kOhpInterleaveBoxId) LatestConstraintPassResults().ohpInterleaveFree = !n.locked;
    if (!n.shown) continue;
    for (HintEntry* icon = StopIconTable(); icon->controlId != 0; ++icon) {
      if (icon->controlId == row->stopIconId) icon->show = 1;
    }
  }
}

// --- Refused options and hints.

struct RefusedPair {
  int32_t row, index;
  bool refused;
};

void MarkRefusedOptions(const ConstraintPassEnv& env) {
  FreeDropReasons();
  std::vector<RefusedPair> pairs;
  const RuleGroup& g = Group(kRuleGroupOption);
  const RuleEvalContext& ctx = ProcessRuleEvalContext();
  const FeatureSpecialRows& special = SpecialFeatureRows();
  for (uint32_t r = g.first; r < g.first + g.count; ++r) {
    int32_t target = GetRuleFeature(env.requireAvailable, r);
    FeatureEntry* row = FeatureRow(target);
    if (row == nullptr) continue;
    int32_t index = ForcedIndex(r, target);
    if (index == kNone) continue;
    uint32_t holds = 0;
    if (EvaluateConstraintRule(env.pageId, 0, r, RuleAt(r).conditionCount, false, nullptr, &holds) != kRuleEvaluated) {
      continue;
    }
    RefusedPair* pair = nullptr;
    for (RefusedPair& p : pairs) {
      if (p.row == target && p.index == index) pair = &p;
    }
    if (pair == nullptr) {
      pairs.push_back({target, index, false});
      pair = &pairs.back();
    }
    if (holds == 1) pair->refused = true;
    if (OptionHead* option = OptionAt(*row, index)) option->flag = pair->refused ? 1 : 0;
    const bool paperRow = static_cast<uint32_t>(target) == special.paperSize ||
                          static_cast<uint32_t>(target) == special.outPaperSize;
    if (ctx.passMode == kPassModeNormal && ctx.customPaperPass != 0 &&
        RulePaperFlag(ProcessConstraintRules().index, r) != 0 && paperRow) {
      for (OptionHead* o = row->options; o != nullptr && o->keyword[0] != '\0';
           o = const_cast<OptionHead*>(NextOptionRow(o))) {
        if (IsCustomPaperSize(static_cast<int32_t>(o->value))) o->flag = pair->refused ? 1 : 0;
        if (o->size < sizeof(OptionHead)) break;
      }
    }
  }
}

void CollectHints(const ConstraintPassEnv& env) {
  const RuleGroup& g = Group(kRuleGroupHint);
  for (uint32_t r = g.first; r < g.first + g.count; ++r) {
    bool hit = false;
    uint32_t holds = 0;
    int32_t first = -1;
    // A hint rule has no target: its lock actions have nothing to act on.
    if (!RunRuleActions(env, r, -1, kNone, &hit, &holds, &first)) continue;
    const FeatureEntry* row = FeatureRow(first);
    if (!hit || holds != 1 || row == nullptr) continue;
    const ConstraintRule& rule = RuleAt(r);
    for (uint32_t page : row->pageIds) {
      if (page == 0) break;
      for (uint32_t a = 0; a < rule.actionCount; ++a) {
        if (rule.actions[a].code == kActionHint) AddPageHint(page, rule.actions[a].argument);
      }
    }
  }
}

// --- Stop-icon texts.

struct IconReasons {
  HintEntry* icon;
  std::vector<uint32_t> arguments;  // remembered up to 20
};

void AppendIconReason(std::vector<IconReasons>& memory, HintEntry* icon, uint32_t argument) {
  IconReasons* m = nullptr;
  for (IconReasons& x : memory) {
    if (x.icon == icon) m = &x;
  }
  if (m == nullptr) {
    memory.push_back({icon, {}});
    m = &memory.back();
  }
  if (m->arguments.size() < kRememberedReasons) {
    if (HasArgument(m->arguments, argument)) return;
    m->arguments.push_back(argument);
  }
  if ((icon->headLineAdded & 1) == 0) {
    char16_t head[kMessageUnits + 1] = {};
    const char16_t* h = ConstraintText(kToolChipStr, 1);
    for (size_t i = 0; i < kMessageUnits && h[i] != 0; ++i) head[i] = h[i];
    ExpandNewlineEscapes(head);
    AppendHintLine(icon->text, kStopIconTextUnits, head);
    icon->headLineAdded |= 1;
  }
  AppendHintLine(icon->text, kStopIconTextUnits, ConstraintText(kToolChipStr, argument));
}

void BuildStopIconTexts(const ConstraintPassEnv& env) {
  std::vector<IconReasons> memory;
  for (int g : {kRuleGroupSetting, kRuleGroupOption, kRuleGroupPerPage}) {
    const RuleGroup& group = Group(g);
    for (uint32_t r = group.first; r < group.first + group.count; ++r) {
      const ConstraintRule& rule = RuleAt(r);
      for (uint32_t a = 0; a < rule.actionCount; ++a) {
        if (rule.actions[a].code != kActionReason) continue;
        int32_t target = GetRuleFeature(env.requireAvailable, r);
        const FeatureEntry* row = FeatureRow(target);
        if (row == nullptr || !ControlExists(env.dialog, row->controlId)) continue;
        const uint32_t n = g == kRuleGroupOption ? rule.conditionCount : LockConditionCount(rule);
        if (!Holds(env, r, n)) continue;
        const uint32_t argument = rule.actions[a].argument;
        if (g != kRuleGroupOption) {
          for (HintEntry* icon = StopIconTable(); icon->controlId != 0; ++icon) {
            if (icon->controlId == row->stopIconId && icon->show != 0) AppendIconReason(memory, icon, argument);
          }
          continue;
        }
        for (const OptionHead* o = row->options; o != nullptr && o->keyword[0] != '\0'; o = NextOptionRow(o)) {
          char16_t name[kConstraintKeywordUnits];
          WideKeyword(o->keyword, name);
          if (o->flag != 0 && ConstraintKeywordEquals(rule.target.option, name)) {
            AppendDropReason(row->controlId, o->value, ConstraintText(kToolChipStr, argument));
          }
          if (o->size < sizeof(OptionHead)) break;
        }
      }
    }
  }
}

}  // namespace

ConstraintPrinterFacts& ProcessConstraintPrinterFacts() {
  static ConstraintPrinterFacts facts = {};
  return facts;
}

ConstraintPassResults& LatestConstraintPassResults() {
  static ConstraintPassResults results = {true};
  return results;
}

int32_t EvaluateConstraints(const ConstraintPassEnv& env, uint32_t controlId) {
  std::vector<uint8_t> pending;
  std::vector<char16_t> refusal, change;
  try {
    pending.assign(RuleCount(), 0);
    refusal.assign(kPassTextUnits, 0);
    change.assign(kPassTextUnits, 0);
  } catch (const std::bad_alloc&) {
    return kPassComplete;
  }
  RuleEvalContext& ctx = ProcessRuleEvalContext();
  if (controlId != kPerPageSettingChange && controlId != kPerPageSettingList) ctx.perPageKind = kPerPageKindNone;

  // Refusal of the change.
  if (env.changed) {
    const bool held = CollectConstraintMessages(env, controlId, refusal.data());
    const int layout = CheckSpoolDependentLayouts(env, controlId, refusal.data(), kPassTextUnits, true);
    if (held) {
      const RuleGroup& g = Group(kRuleGroupOption);
      for (uint32_t r = g.first; r < g.first + g.count; ++r) {
        int32_t target = GetRuleFeature(env.requireAvailable, r);
        if (FeatureRow(target) == nullptr) continue;
        int32_t index = ForcedIndex(r, target);
        if (index == kNone || index == static_cast<int32_t>(kOptionEmptyIndex) ||
            index == static_cast<int32_t>(kOptionDefaultPaper)) {
          continue;
        }
        if (ShowConstraintWarning(env, controlId, target, index, refusal.data()) == kPassRefused) return kPassRefused;
      }
    }
    if (layout != 0) {
      ShowBox(refusal.data(), kCstMessageStr, MB_ICONEXCLAMATION);
      return kPassRefused;
    }
  }

  // Forced changes, and the finishing and spooling changes that come with
  // them; asked for when a control changed.
  bool ask = CollectForcedChanges(env, controlId, pending, change.data());
  std::vector<ChangeRecord> changes;
  bool listChanged = false;
  if (IsFinishingControl(env.model, controlId) != 0 || controlId == 1078 || controlId == 1081 ||
      controlId == 2189 || controlId == 2190) {
    ask |= CollectFinishingChanges(env, controlId, &changes, change.data(), kPassTextUnits, &listChanged) != 0;
  }
  if (env.changed && ask) {
    if (!AskConstraintChange(change.data())) {
      const FeatureSpecialRows& s = SpecialFeatureRows();
      for (uint32_t special : {s.stapleOp, s.holePunchOp}) {
        if (special != 0 && FeatureRow(static_cast<int32_t>(special)) != nullptr) {
          FeatureRow(static_cast<int32_t>(special))->pendingValue = -1;
        }
      }
      return kPassAnsweredNo;
    }
  }
  for (int g : {kRuleGroupSetting, kRuleGroupPerPage}) {
    const RuleGroup& group = Group(g);
    for (uint32_t r = group.first; r < group.first + group.count; ++r) {
      int32_t target = GetRuleFeature(env.requireAvailable, r);
      FeatureEntry* row = FeatureRow(target);
      if (row == nullptr || row->kind == kKindPerPageColumn || ForcedIndex(r, target) == kNone) continue;
      ApplyForcedValue(env, r, *row, pending);
    }
  }
  ApplyChangeList(env.dialog, changes);
  CheckPerPageSwitch(env);

  UpdateRuleLocks(env);
  ClearPageHints();
  const RuleGroup& settings = Group(kRuleGroupSetting);
  for (uint32_t r = settings.first; r < settings.first + settings.count; ++r) {
    int32_t target = GetRuleFeature(env.requireAvailable, r);
    const FeatureEntry* row = FeatureRow(target);
    if (row == nullptr || !ControlExists(env.dialog, row->controlId)) continue;
    int32_t index = ForcedIndex(r, target);
    if (index == kNone) continue;
    RunRuleActions(env, r, target, index, nullptr, nullptr, nullptr);
  }
  MarkRefusedOptions(env);
  CollectHints(env);
  CheckSpoolDependentLayouts(env, controlId, refusal.data(), kPassTextUnits, false);
  BuildStopIconTexts(env);
  SetFixedStopReasons(env);
  RefreshStopInfoIcons(env.dialog);
  InvalidateRect(env.dialog, nullptr, FALSE);
  return kPassComplete;
}

int EnableCtrlByFeature(HWND dialog, uint32_t pageId, uint32_t controlId, int enable) {
  HWND control = GetDlgItem(dialog, static_cast<int>(controlId));
  if (enable == 0) {
    if (control != nullptr) EnableWindow(control, FALSE);
    return enable;
  }
  const ConstraintRules& r = ProcessConstraintRules();
  for (uint32_t i = 0; i < r.featureCount; ++i) {
    const FeatureEntry& row = r.features[i];
    if (row.controlId != controlId) continue;
    bool onPage = pageId == 0;
    for (uint32_t id : row.pageIds) {
      if (id == 0) break;
      onPage |= id == pageId;
    }
    if (!onPage) continue;
    if (control != nullptr) EnableCtrlIfVisible(control, row.locked == 0);
    return enable;
  }
  if (control != nullptr) EnableCtrlIfVisible(control, TRUE);
  return enable;
}
