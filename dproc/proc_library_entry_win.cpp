#include "dproc/proc_library_entry_win.h"

#include <cstring>

#include "common/constraint_file_win.h"
#include "common/default_settings.h"
#include "common/version_strings.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/ddproc_binding_win.h"
#include "dproc/disp_string_tables_win.h"
#include "dproc/library_context_win.h"
#include "dproc/per_page_slots.h"
#include "dproc/process_texts.h"
#include "dproc/sprinst_messages.h"

ProcLibraryModules g_procModules = {};
FeatureEntry* g_featureTable = nullptr;

namespace {

// The constraint file's version text, when its header carries the marker;
// otherwise the built-in text stays.
void TakeConstraintVersion() {
  ConstraintRules& rules = ProcessConstraintRules();
  char marked[2];
  if (!ConstraintVersionNarrow(rules.set.header, marked, sizeof marked)) return;
  wchar_t version[kConstraintVersionUnits];
  ConstraintVersionText(rules.set.header, version);
  static_assert(sizeof version == sizeof rules.version);
  std::memcpy(rules.version, version, sizeof version);
  SetVersionString(kVersionConstraint, rules.version);
}

void Attach(HMODULE module) {
  g_procModules.own = module;
  g_procModules.images = LoadSiblingInOwnContext(module, L"VELDRANW.DLL");
  g_procModules.dialogs = LoadSiblingInOwnContext(module, L"VELDRANG.DLL");
  AllocProcessMessageTables();
  LoadDispStringTables(module);
  ConstraintRules& rules = ProcessConstraintRules();
  LoadConstraintFile(module, &rules.set);
  LoadDDProcLibrary(module);
  AllocatePerPageSlots(ProcessModelInfo(), static_cast<uint32_t>(rules.set.rules.size()));
  g_featureTable = BuildFeatureTable(FeatureControlTable(), g_description.deviceOptions, ProcessModelInfo());
  AdjustBindingEdgeFeatures(ProcessModelInfo(), &DefaultDocDMode(), g_featureTable);
  BuildConstraintIndex(g_featureTable, ProcessModelInfo());
  ReadDriverVersion(module);
  ReadCommandVersion(module);
  TakeConstraintVersion();
}

// `processEnding`: the process is terminating rather than unloading the
// library.  Other libraries may be gone already then, so none is freed:
// the system reclaims them with the process.
void Detach(bool processEnding) {
  FreeProcessMessageTables();
  FreePerPageSlots();
  if (!processEnding && g_procModules.images != nullptr) FreeLibrary(g_procModules.images);
  g_procModules.images = nullptr;
  FreeConstraintIndex();
  FreeConstraintRules();
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
