// The procedure library's common-controls activation context, made from its
// own manifest, and the loading of sibling libraries inside it.
#pragma once

#include <windows.h>

// Loads the library named `fileName` from this library's own directory while
// the activation context is active.  Null when the path cannot be made or
// the load fails; the loader's last error is kept.
HMODULE LoadSiblingInOwnContext(HMODULE own, const wchar_t* fileName);
// The context itself (made on first use); INVALID_HANDLE_VALUE when none.
HANDLE OwnActivationContext(HMODULE own);
// Releases the activation context (library shut-down).
void ReleaseOwnContext();
