#include "common/win/activation_context_win.h"

namespace {

constexpr WORD kOwnManifestId = 2;

}  // namespace

HANDLE CreateModuleActivationContext(HMODULE module) {
  if (module == nullptr) return INVALID_HANDLE_VALUE;
  ACTCTXW actctx = {};
  actctx.cbSize = sizeof actctx;
  actctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  actctx.hModule = module;
  actctx.lpResourceName = MAKEINTRESOURCEW(kOwnManifestId);
  return CreateActCtxW(&actctx);
}

ActivationScope::ActivationScope(HANDLE context) {
  if (context != INVALID_HANDLE_VALUE && context != nullptr) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
  if (!active_) return;
  const DWORD error = GetLastError();
  DeactivateActCtx(0, cookie_);
  SetLastError(error);
}
