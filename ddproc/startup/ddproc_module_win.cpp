#include "ddproc/startup/ddproc_module_win.h"

#include <cwchar>

#include "common/qxd/model_info_win.h"
#include "common/qxd/qxd_file.h"
#include "common/win/module_path.h"
#include "ddproc/snmp/snmp_api_bind.h"
#include "dproc/model/default_settings_win.h"

namespace {

HMODULE g_module = nullptr;
HMODULE g_dialogTemplates = nullptr;
ModelInfo* g_model = nullptr;
MediaTypeLists* g_mediaLists = nullptr;
DeviceTables g_tables;

}  // namespace

HMODULE DDProcModule() { return g_module; }
HMODULE DDProcDialogTemplates() { return g_dialogTemplates; }
const ModelInfo* DDProcModel() { return g_model; }
const DocDMode& DDProcDefaultSettings() { return DefaultDocDMode(); }
const MediaTypeLists* DDProcMediaTypeLists() { return g_mediaLists; }
const DeviceTables& DDProcTables() { return g_tables; }

bool DDProcDirectory(wchar_t* out, size_t capacity) {
  if (!SiblingFilePath(g_module, L"", out, capacity)) return false;
  return out[0] != L'\0';
}

void DDProcInitModule(HMODULE module) {
  ResetDeviceTables(&g_tables);
  QxdContext* ctx = QxdOpenBeside(module, L"VELDRANH.QXD");
  if (ctx == nullptr) return;
  g_model = BuildModelInfo(ctx, CurrentModelBuildEnv(false));
  if (g_model == nullptr) {
    QxdClose(ctx);
    return;
  }
  // The library's own default document settings and resident font list,
  // which its dialogs' Default buttons restore.
  LoadDefaultSettingsWithFonts(module, ctx, g_model, nullptr, L"VELDRANQ.DLL", &DefaultDocDMode());
  LoadDeviceTables(ctx, &g_tables);
  g_mediaLists = LoadMediaTypeLists(ctx, g_model);
  QxdClose(ctx);
}

void DDProcFreeModule() {
  FreeMediaTypeLists(g_mediaLists);
  g_mediaLists = nullptr;
  FreeModelInfoRecord(g_model);
  g_model = nullptr;
}

void DDProcAttach(HMODULE module) {
  g_module = module;
  // Attach goes on whether SNMP could be bound or not.
  SnmpApiBind();
  wchar_t path[MAX_PATH + 1];
  if (SiblingFilePath(module, L"VELDRANG.DLL", path, MAX_PATH + 1)) g_dialogTemplates = LoadLibraryW(path);
  DDProcInitModule(module);
}

void DDProcDetach() {
  SnmpApiUnbind();
  if (g_dialogTemplates != nullptr) FreeLibrary(g_dialogTemplates);
  g_dialogTemplates = nullptr;
  DDProcFreeModule();
}
