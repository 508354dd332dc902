// The activation context that a driver library makes from its own manifest
// (resource 2), so that the common controls and libraries it loads are
// those its manifest names (common controls version 6).
#pragma once

#include <windows.h>

// INVALID_HANDLE_VALUE when the module has no such manifest or the context
// cannot be made.
HANDLE CreateModuleActivationContext(HMODULE module);

// Activates a context for the lifetime of the object; an invalid context
// leaves everything as it is.  The last-error code survives the
// deactivation.
class ActivationScope {
 public:
  explicit ActivationScope(HANDLE context);
  ~ActivationScope();
  ActivationScope(const ActivationScope&) = delete;
  ActivationScope& operator=(const ActivationScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};
