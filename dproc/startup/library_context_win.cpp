#include "dproc/startup/library_context_win.h"

#include "common/win/activation_context_win.h"
#include "common/win/module_path.h"

namespace {

HANDLE g_context = INVALID_HANDLE_VALUE;
bool g_contextTried = false;

HANDLE OwnContext(HMODULE own) {
  if (!g_contextTried) {
    g_contextTried = true;
    g_context = CreateModuleActivationContext(own);
  }
  return g_context;
}

}  // namespace

HANDLE OwnActivationContext(HMODULE own) { return OwnContext(own); }

HMODULE LoadSiblingInOwnContext(HMODULE own, const wchar_t* fileName) {
  wchar_t path[MAX_PATH + 1];
  if (!SiblingFilePath(own, fileName, path, MAX_PATH + 1)) return nullptr;
  ActivationScope scope(OwnContext(own));
  return LoadLibraryW(path);
}

void ReleaseOwnContext() {
  if (g_context != INVALID_HANDLE_VALUE) ReleaseActCtx(g_context);
  g_context = INVALID_HANDLE_VALUE;
  g_contextTried = false;
}
