#include "dproc/startup/proc_library_entry_win.h"

#include "common/win/drv_trace.h"
#include "dproc/model/default_settings.h"
#include "common/qxd/version_strings.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/constraints/constraint_startup_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/library_context_win.h"
#include "dproc/startup/per_page_slots.h"
#include "dproc/startup/process_texts.h"
#include "dproc/startup/sprinst_messages.h"

ProcLibraryModules g_procModules = {};

namespace {

void Attach(HMODULE module) {
  g_procModules.own = module;
  g_procModules.images = LoadSiblingInOwnContext(module, L"VELDRANW.DLL");
  // VELDRANG, the dialog templates, stays loaded until the process ends.
  HMODULE templates = LoadSiblingInOwnContext(module, L"VELDRANG.DLL");
  if (templates == nullptr) DRV_TRACE("VELDRANA: VELDRANG.DLL did not load (%lu)", GetLastError());
  AllocProcessMessageTables();
  LoadDispStringTables(module);
  LoadProcessConstraints(module);
  LoadDDProcLibrary(module);
  AllocatePerPageSlots(ProcessModelInfo(), static_cast<uint32_t>(ProcessConstraintRules().set.rules.size()));
  g_featureTable = BuildFeatureTable(FeatureControlTable(), g_description.deviceOptions, ProcessModelInfo());
  AdjustBindingEdgeFeatures(ProcessModelInfo(), &DefaultDocDMode(), g_featureTable);
  IndexProcessConstraints(g_featureTable, ProcessModelInfo());
  ReadDriverVersion(module);
  ReadCommandVersion(module);
  SetStopIconImages(g_procModules.images);
  DialogFrameworkModules() = {templates, g_procModules.images, OwnActivationContext(module), &ProcessMessageTables(),
                              &g_description.mediaTypeLists};
}

// `processEnding`: the process is terminating rather than unloading the
// library.  Other libraries may be gone already then, so none is freed:
// the system reclaims them with the process.
void Detach(bool processEnding) {
  FreeProcessMessageTables();
  if (!processEnding) DestroyStopIconTooltips();
  FreePerPageSlots();
  SetStopIconImages(nullptr);
  DialogFrameworkModules() = {nullptr, nullptr, INVALID_HANDLE_VALUE, nullptr, nullptr};
  if (!processEnding && g_procModules.images != nullptr) FreeLibrary(g_procModules.images);
  g_procModules.images = nullptr;
  FreeConstraintIndex();
  FreeProcessConstraints();
  FreeDescriptionData();
  FreeFeatureTable(g_featureTable);
  g_featureTable = nullptr;
  FreeSprinstErrorMessages();
  if (!processEnding) {
    FreeDDProcLibrary();
    ReleaseOwnContext();
  }
}

}  // namespace

BOOL ProcLibraryEntry(HMODULE module, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_ATTACH) Attach(module);
  else if (reason == DLL_PROCESS_DETACH) Detach(reserved != nullptr);
  return TRUE;
}
