// Module entry of the procedure library.
#include <windows.h>

#include "common/contracts/settings_functions_win.h"
#include "dproc/auth/dev_auth_warning_win.h"
#include "dproc/easyset/easy_set_area_win.h"
#include "dproc/easyset/easy_set_session_win.h"
#include "dproc/fax/fax_cover_binding_win.h"
#include "dproc/fax_cover/cover_store_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/proc_library_entry_win.h"

extern "C" void WINAPI Prc_UpdateCmnDModeArea(DEVMODEW* devmode, DocDMode* doc, DevDMode* device, DWORD,
                                              const wchar_t* printerName);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    // The fax sheet and the destination dialog read and write the printer's
    // cover sheet through the per-user store.
    SetFaxCoverStore(CoverSheetStore());
    // Every document sheet carries the Easy Set area.
    InstallEasySetArea();
    SetEasySetPublicFieldsUpdate(Prc_UpdateCmnDModeArea);
    // Every document sheet warns once per session when the device wants a
    // user and the settings name none.
    SheetServices().setDevAuthConstraints = ShowDevAuthWarning;
  }
  return ProcLibraryEntry(instance, reason, reserved);
}
