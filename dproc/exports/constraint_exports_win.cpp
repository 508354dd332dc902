// The constraint pass as VELDRANA exports it: the sheets and dialogs of
// this library and of VELDRANH call it after a change and when a page
// becomes active.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"

#include "dproc/model/default_settings.h"
#include "common/records/doc_fields.h"
#include "common/qxd/model_info.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/process_texts.h"

// The tooltip window argument is accepted and not used.
extern "C" int32_t WINAPI DoConstraints(int32_t bindOnly, HWND dialog, HWND, uint16_t controlId, int32_t mode) {
  return GuardExport("DoConstraints", int32_t{0}, [&] {
    return RunDoConstraints(bindOnly, dialog, controlId, mode,
                            {g_description.deviceOptions, ProcessModelInfo(), &ProcessMessageTables(),
                             DocI16(&DefaultDocDMode(), kDocPaperSizeAt)});
  });
}

static_assert(std::is_same_v<decltype(&DoConstraints), DoConstraintsFn>);
