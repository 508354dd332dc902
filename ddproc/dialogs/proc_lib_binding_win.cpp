#include "ddproc/dialogs/proc_lib_binding_win.h"

#include "common/win/bind_export.h"
#include "common/win/module_path.h"
#include "ddproc/startup/ddproc_module_win.h"

bool GetProcLibraryPath(wchar_t* buffer, size_t capacity) {
  if (buffer == nullptr || capacity == 0) return false;
  buffer[0] = L'\0';
  return SiblingFilePath(DDProcModule(), L"VELDRANA.DLL", buffer, capacity);
}

ProcLibBinding& DeviceDialogBinding() {
  static ProcLibBinding binding;
  return binding;
}

bool BindProcLibrary(ProcLibBinding* binding) {
  *binding = ProcLibBinding{};
  wchar_t path[MAX_PATH + 1];
  if (!GetProcLibraryPath(path, MAX_PATH + 1)) return false;
  binding->module = LoadLibraryW(path);
  if (binding->module == nullptr) return false;
  HMODULE m = binding->module;
  binding->runDialog = BindExport<RunDeviceDialogFn>(m, kRunDeviceDialog);
  binding->myDialogBox = BindExport<MyDialogBoxFn>(m, kMyDialogBox);
  binding->getImgResInst = BindExport<GetImgResInstFn>(m, kGetImgResInst);
  binding->isInstalledDLManager = BindExport<IsInstalledDLManagerFn>(m, kIsInstalledDLManager);
  return true;
}

void ReleaseProcLibrary(ProcLibBinding* binding) {
  if (binding->module != nullptr) FreeLibrary(binding->module);
  *binding = ProcLibBinding{};
}
