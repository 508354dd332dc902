#include "dproc/constraints/do_constraints_win.h"

#include "dproc/sheets/dialog_helpers.h"
#include "dproc/model/feature_fields.h"
#include "common/win/printer_queries.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/constraints/constraint_messages.h"
#include "dproc/constraints/constraint_pass_win.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/constraint_ui_state.h"
#include "dproc/constraints/rule_evaluation.h"

namespace {

// A device sheet: a host's page record of the device kind, or a session
// whose kind word marks device sheets.
bool IsDeviceSheet(const SheetCtx* ctx) {
  const auto* record = reinterpret_cast<const uint8_t*>(ctx->lParam);
  if (record == nullptr) return false;
  return record[0] != 0 ? record[1] == kPluginDeviceKind : record[1] != 0;
}

bool IsPluginPage(const SheetCtx* ctx) {
  const auto* record = reinterpret_cast<const uint8_t*>(ctx->lParam);
  return record != nullptr && record[0] != 0;
}

int g_mediaBindingMode = kMediaBindingNone;

constexpr wchar_t kPageIdProp[] = L"DriverPageId";

}  // namespace

void SetDialogPageId(HWND dialog, uint32_t pageId) {
  if (pageId == 0) return;
  SetPropW(dialog, kPageIdProp, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(pageId)));
}

void ForgetDialogPageId(HWND dialog) { RemovePropW(dialog, kPageIdProp); }

uint32_t DialogPageId(HWND dialog) {
  if (HANDLE recorded = GetPropW(dialog, kPageIdProp)) return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(recorded));
  return static_cast<uint32_t>(GetWindowLongPtrW(dialog, GWLP_ID));
}

void SetMediaBindingMode(int mode) { g_mediaBindingMode = mode; }
int MediaBindingModeNow() { return g_mediaBindingMode; }

int32_t RunDoConstraints(int32_t bindOnly, HWND dialog, uint16_t controlId, int32_t mode,
                         const ConstraintLibraryData& data) {
  RuleEvalContext& eval = ProcessRuleEvalContext();
  eval.customPaperPass = 0;
  eval.passMode = mode < kPassModeNormal ? kPassModeNormal : mode;
  eval.deviceOptions = data.deviceOptions;
  eval.defaultPaperSize = data.defaultPaperSize;
  SetConstraintMessageTables(data.messages);
  auto* ctx = reinterpret_cast<SheetCtx*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (ctx == nullptr) return 0;
  DevOption* device = GetCtxPrinterInfo(ctx);
  SheetUiState* uiState = GetUIState(ctx);
  DocDMode* doc = GetPrivDevMode(ctx);
  if (const ConstraintUiState* state = ConstraintStateOf(uiState)) eval.customPaperPass = state->customPaperWord;

  BindFieldsContext bind = {};
  bind.table = ProcessConstraintRules().features;
  bind.doc = doc;
  bind.device = device;
  bind.deviceOptions = data.deviceOptions;
  bind.model = data.model;
  bind.passMode = eval.passMode;
  bind.paperDialogMode = g_mediaBindingMode;
  // The user paper dialog's selected entry is bound only for a context with
  // a UI state (a session's, or a host page record's).
  bind.selectedUserPaper =
      uiState != nullptr && controlId != 0 ? static_cast<UserPaperEntry*>(GetSelUserPaper(dialog)) : nullptr;
  if (bind.table != nullptr) BindFeatureFields(bind);
  // The Per Page Setting dialog's value control: its per-page columns are
  // the entry under edit's.
  if (controlId == kPerPageSettingChange) BindPerPageFeatures(bind.table, eval.perPageEntry);

  const bool deviceSheet = IsDeviceSheet(ctx);
  if (bindOnly != 0) return 0;

  HANDLE printer = GetCtxPrinterHandle(ctx);
  wchar_t name[MAX_PATH + 1] = {};
  ConstraintPrinterFacts& facts = ProcessConstraintPrinterFacts();
  facts.administrable = QueryPrinterName(printer, name, MAX_PATH + 1) && IsPrinterAdministrable(name);
  facts.rawOnly = printer != INVALID_HANDLE_VALUE && printer != nullptr && IsRawOnlyPrinter(printer);
  facts.dlManagerMissing = data.dlManagerInstalled != nullptr && data.dlManagerInstalled() == 0;
  if (controlId != 0) InvalidateRect(dialog, nullptr, FALSE);

  ConstraintPassEnv env = {};
  env.dialog = dialog;
  env.ctx = ctx;
  env.model = data.model;
  env.deviceOptions = data.deviceOptions;
  env.pageId = DialogPageId(dialog);
  env.doc = doc;
  env.device = device;
  env.pluginPage = IsPluginPage(ctx);
  env.requireAvailable = deviceSheet ? 1 : 0;
  env.askFlag = device != nullptr ? device->displayConstMsg : 0;
  env.changed = controlId != 0;
  return EvaluateConstraints(env, controlId);
}
