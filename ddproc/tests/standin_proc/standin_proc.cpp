// A stand-in of the procedure library VELDRANA for the device library's
// dialog tests: the dialog services the device dialogs bind by name.
// MyDialogBox runs the dialog modally; DoConstraints refuses a change of the
// control named by the environment variable PROC_REFUSE (answer 100) and
// accepts everything else; every call is appended to the file named by
// PROC_LOG, one line each.  RunDeviceDialog runs a described dialog as the
// skeleton does, in small: the description's handlers are called in the
// skeleton's order, a change is checked like DoConstraints and put back when
// refused, and the checks and hints it would run are logged under the same
// names.  The .def files choose which names a build has.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/contracts/device_dialog_skeleton_win.h"

namespace {

void Log(const char* format, ...) {
  char path[MAX_PATH] = {};
  if (GetEnvironmentVariableA("PROC_LOG", path, MAX_PATH) == 0) return;
  FILE* f = std::fopen(path, "a");
  if (f == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(f, format, args);
  va_end(args);
  std::fputc('\n', f);
  std::fclose(f);
}

bool Refused(uint16_t controlId) {
  char refuse[16] = {};
  return controlId != 0 && GetEnvironmentVariableA("PROC_REFUSE", refuse, sizeof refuse) > 0 &&
         std::atoi(refuse) == controlId;
}

constexpr wchar_t kBackupProp[] = L"StandInBackup";

void ShowAll(HWND dialog, SheetCtx* ctx, const DeviceDialog& d) {
  for (const DeviceDialogChange* c = d.changes; c != nullptr && c->controlId != 0; ++c) {
    if (c->show != nullptr) c->show(dialog, ctx, *c);
  }
}
void CheckAndHint(const DeviceDialog& d, uint16_t controlId, uint32_t page) {
  Log("DoConstraints 0 %u -1", controlId);
  Log("DispHintControl %u 1", page != 0 ? page : d.templateId);
}

INT_PTR Run(const DeviceDialog& d, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ctx = reinterpret_cast<SheetCtx*>(message == WM_INITDIALOG ? lParam : GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      Log("RunDeviceDialog %u", d.templateId);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      DocDMode* doc = ctx != nullptr ? GetPrivDevMode(ctx) : nullptr;
      if (d.editsDocument != 0 && doc != nullptr) SetPropW(dialog, kBackupProp, new DocDMode(*doc));
      if (d.init != nullptr) d.init(dialog, ctx);
      ShowAll(dialog, ctx, d);
      CheckAndHint(d, 0, d.hintPageId);
      if (d.enableRules != nullptr) d.enableRules(dialog, ctx);
      return FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      for (const DeviceDialogChange* c = d.changes; c != nullptr && c->controlId != 0; ++c) {
        if (c->controlId != id || c->notify != code) continue;
        uint32_t bytes = 0;
        uint8_t* place = c->place(dialog, ctx, *c, &bytes);
        if (place == nullptr || bytes == 0) return FALSE;
        const std::vector<uint8_t> old(place, place + bytes);
        if (!c->read(dialog, ctx, *c)) return FALSE;
        Log("DoConstraints 0 %u -1", c->controlId);
        if (Refused(c->controlId)) {
          std::memcpy(place, old.data(), bytes);
          if (c->show != nullptr) c->show(dialog, ctx, *c);
        }
        Log("DispHintControl %u 1", d.changeHintPageId != 0 ? d.changeHintPageId
                                    : d.hintPageId != 0     ? d.hintPageId
                                                            : d.templateId);
        if (c->after != nullptr) c->after(dialog, ctx, *c);
        if (d.enableRules != nullptr) d.enableRules(dialog, ctx);
        return FALSE;
      }
      if (d.command != nullptr && d.command(dialog, ctx, id, code)) return FALSE;
      if (id == IDOK && (d.ok == nullptr || d.ok(dialog, ctx))) EndDialog(dialog, IDOK);
      if (id == IDCANCEL) {
        const auto* backup = static_cast<const DocDMode*>(GetPropW(dialog, kBackupProp));
        if (backup != nullptr && ctx != nullptr && GetPrivDevMode(ctx) != nullptr) *GetPrivDevMode(ctx) = *backup;
        if (d.cancel != nullptr) d.cancel(dialog, ctx);
        EndDialog(dialog, IDCANCEL);
      }
      if (id == 1032 && d.defaults != nullptr) {
        d.defaults(dialog, ctx);
        ShowAll(dialog, ctx, d);
        CheckAndHint(d, 0, d.hintPageId);
      }
      if (id == 9) Log("Help %lu", static_cast<unsigned long>(d.helpTopic));
      return FALSE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (d.drawItem != nullptr && d.drawItem(dialog, ctx, item)) return TRUE;
      Log("ReqDrawStopInfoIconExp %u", item->CtlID);
      return TRUE;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      for (const DeviceItemHeight* h = d.itemHeights; h != nullptr && h->controlId != 0; ++h) {
        if (h->controlId == item->CtlID) {
          item->itemHeight = h->height;
          return TRUE;
        }
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (d.notify != nullptr && ctx != nullptr && d.notify(dialog, ctx, reinterpret_cast<const NMHDR*>(lParam), &result)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      if (d.destroy != nullptr) d.destroy(dialog);
      delete static_cast<DocDMode*>(RemovePropW(dialog, kBackupProp));
      return FALSE;
    default: {
      if (ctx == nullptr) return FALSE;
      if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && d.checksOnActivate != 0) {
        CheckAndHint(d, 0, d.hintPageId);
      }
      INT_PTR result = FALSE;
      if (d.other != nullptr && d.other(dialog, ctx, message, wParam, lParam, &result)) return result;
      return FALSE;
    }
  }
}

}  // namespace

extern "C" {

INT_PTR WINAPI RunDeviceDialog(const DeviceDialog* desc, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                               int32_t* handled) {
  *handled = 0;
  if (desc == nullptr || desc->size != sizeof(DeviceDialog)) return 0;
  *handled = 1;
  return Run(*desc, dialog, message, wParam, lParam);
}

int32_t WINAPI MyDialogBox(HMODULE module, HWND parent, UINT templateId, DLGPROC proc, LPARAM context) {
  Log("MyDialogBox %u", templateId);
  return static_cast<int32_t>(DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), parent, proc, context));
}

int32_t WINAPI DoConstraints(int32_t bindOnly, HWND, HWND, uint16_t controlId, int32_t mode) {
  Log("DoConstraints %d %u %d", bindOnly, controlId, mode);
  char refuse[16] = {};
  if (controlId != 0 && GetEnvironmentVariableA("PROC_REFUSE", refuse, sizeof refuse) > 0 &&
      std::atoi(refuse) == controlId) {
    return 100;
  }
  return 0;
}

void WINAPI DispHintControl(HWND, void* context, UINT pageId) { Log("DispHintControl %u %d", pageId, context != nullptr); }
void WINAPI StoreStopIconRectExp(HWND) { Log("StoreStopIconRectExp"); }
HWND WINAPI CreateToolWnd(HWND) {
  Log("CreateToolWnd");
  return nullptr;
}
int WINAPI ReplaceDlgDispString(HWND, const void*) {
  Log("ReplaceDlgDispString");
  return 1;
}
int WINAPI ReplaceDlgDispStringCmnItem(HWND, const void*, UINT pageId) {
  Log("ReplaceDlgDispStringCmnItem %u", pageId);
  return 1;
}
HMODULE WINAPI GetImgResInst() { return nullptr; }
// No download manager is installed.
int WINAPI IsInstalledDLManager() { return 0; }
void WINAPI ReqDrawStopInfoIconExp(HWND, UINT controlId, const void*) { Log("ReqDrawStopInfoIconExp %u", controlId); }

}  // extern "C"
