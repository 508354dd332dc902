// The dialog framework as VELDRANA exports it: the device library runs its
// dialogs through these.
#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "common/contracts/proc_library_exports_win.h"
#include "common/win/export_guard.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/modal_dialog_win.h"

extern "C" int32_t WINAPI MyDialogBox(HMODULE module, HWND parent, UINT templateId, DLGPROC proc, LPARAM context) {
  return GuardExport("MyDialogBox", int32_t{-1}, [&] {
    return static_cast<int32_t>(RunMyDialogBox(module, parent, static_cast<uint16_t>(templateId), proc, context));
  });
}

extern "C" void WINAPI DispHintControl(HWND dialog, void* context, UINT pageId) {
  GuardExport("DispHintControl", [&] {
    DispPageHint(dialog, static_cast<const SheetCtx*>(context), pageId);
  });
}

extern "C" void WINAPI StoreStopIconRectExp(HWND dialog) {
  GuardExport("StoreStopIconRectExp", [&] {
    StoreStopIconRect(dialog, StopIconTable());
  });
}

extern "C" HWND WINAPI CreateToolWnd(HWND dialog) {
  return GuardExport("CreateToolWnd", static_cast<HWND>(nullptr), [&] { return CreateDialogToolWindows(dialog); });
}

extern "C" void WINAPI ReqDrawStopInfoIconExp(HWND dialog, UINT controlId, const DRAWITEMSTRUCT* item) {
  GuardExport("ReqDrawStopInfoIconExp", [&] {
    DrawStopInfoIcon(dialog, controlId, item, StopIconTable());
  });
}

static_assert(std::is_same_v<decltype(&MyDialogBox), MyDialogBoxFn>);
static_assert(std::is_same_v<decltype(&DispHintControl), DispHintControlFn>);
static_assert(std::is_same_v<decltype(&StoreStopIconRectExp), StoreStopIconRectExpFn>);
static_assert(std::is_same_v<decltype(&CreateToolWnd), CreateToolWndFn>);
static_assert(std::is_same_v<decltype(&ReqDrawStopInfoIconExp), ReqDrawStopInfoIconExpFn>);
