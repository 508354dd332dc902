// The form file dialog, which the user interface core calls to name a new
// overlay form file and the sheets to import one.
#include <windows.h>

#include <type_traits>

#include "common/contracts/form_file_request.h"
#include "common/win/export_guard.h"
#include "dproc/overlay/overlay_dialogs_win.h"

extern "C" BOOL WINAPI GetFormFileName(FormFileRequest* request) {
  static_assert(std::is_same_v<decltype(&GetFormFileName), GetFormFileNameFn>);
  return GuardExport(kGetFormFileName, BOOL{FALSE}, [&] { return ShowFormFileDialog(request); });
}
