#include "dproc/dialogs/dialog_constraints_win.h"

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/bind_export.h"
#include "common/win/module_path.h"

namespace {

DialogConstraintFn g_check = nullptr;

int32_t LibraryCheck(HWND dialog, HWND tooltip, uint16_t controlId) {
  auto doConstraints = BindExport<DoConstraintsFn>(ModuleOfThisCode(), kDoConstraints);
  return doConstraints != nullptr ? doConstraints(0, dialog, tooltip, controlId, -1) : 0;
}

}  // namespace

void SetDialogConstraintCheck(DialogConstraintFn check) { g_check = check; }

int32_t RunDialogConstraints(HWND dialog, HWND tooltip, uint16_t controlId) {
  return (g_check != nullptr ? g_check : LibraryCheck)(dialog, tooltip, controlId);
}
