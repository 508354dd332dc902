// The printer description of the render core: loaded once per process and
// shared by every PDEV, with a count of its users (the library's attach and
// every enabled PDEV).
#pragma once

#include <windows.h>

// Takes one use of the description, loading it when it is not loaded.
BOOL Qxd_LoadModelInfo();
// Gives one use back; the last use frees what the load built.
void Qxd_ReleaseModelInfo();
// Uses of the description now.
LONG Qxd_ModelInfoUsers();

// The maker's name of the description (built in: "HALDOVAR"), at most 127
// characters: the first part of the per-user registry paths.
const wchar_t* Rdc_MakerName();

// The render core's own module, kept at attach; it locates the siblings.
void Rdc_SetModule(HMODULE module);
HMODULE Rdc_Module();
// The path of `fileName` beside the render core's module.  False when the
// module path cannot be had or the result would not fit MAX_PATH.
bool Rdc_SiblingPath(const wchar_t* fileName, wchar_t path[MAX_PATH]);
