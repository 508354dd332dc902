// A stand-in of the procedure library VELDRANA for the device library's
// dialog tests: the dialog services the device dialogs bind by name.
// MyDialogBox runs the dialog modally; DoConstraints refuses a change of the
// control named by the environment variable PROC_REFUSE (answer 100) and
// accepts everything else; every call is appended to the file named by
// PROC_LOG, one line each.  The .def files choose which names a build has.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

extern "C" {

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
