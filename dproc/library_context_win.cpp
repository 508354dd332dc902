#include "dproc/library_context_win.h"

#include "common/module_path.h"

namespace {

HANDLE g_context = INVALID_HANDLE_VALUE;
bool g_contextTried = false;

// The manifest resource id of a library that activates its own context.
constexpr WORD kOwnManifestId = 2;

HANDLE OwnContext(HMODULE own) {
  if (!g_contextTried) {
    g_contextTried = true;
    ACTCTXW actctx = {};
    actctx.cbSize = sizeof actctx;
    actctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    actctx.hModule = own;
    actctx.lpResourceName = MAKEINTRESOURCEW(kOwnManifestId);
    g_context = CreateActCtxW(&actctx);
  }
  return g_context;
}

}  // namespace

HMODULE LoadSiblingInOwnContext(HMODULE own, const wchar_t* fileName) {
  wchar_t path[MAX_PATH + 1];
  if (!SiblingFilePath(own, fileName, path, MAX_PATH + 1)) return nullptr;
  HANDLE context = OwnContext(own);
  ULONG_PTR cookie = 0;
  bool active = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie);
  HMODULE module = LoadLibraryW(path);
  DWORD error = GetLastError();
  if (active) DeactivateActCtx(0, cookie);
  SetLastError(error);
  return module;
}

void ReleaseOwnContext() {
  if (g_context != INVALID_HANDLE_VALUE) ReleaseActCtx(g_context);
  g_context = INVALID_HANDLE_VALUE;
  g_contextTried = false;
}
