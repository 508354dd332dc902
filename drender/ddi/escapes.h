// The settings transfer of the application escapes 10000 to 10004: the
// procedure library beside the render core is loaded for the call, the
// function bound by name, called and freed again.
#pragma once

#include <windows.h>

BOOL Rdc_CallSettingsTransfer(ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out);
