// The printer description of the render core: loaded once per process and
// shared by every PDEV, with a count of its users (the library's attach and
// every enabled PDEV).
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"

// Takes one use of the description, loading it when it is not loaded.
BOOL Rdc_LoadModelInfo();
// Gives one use back; the last use frees the model record and the device
// option list.
void Rdc_ReleaseModelInfo();
// Uses of the description now.
LONG Rdc_ModelInfoUsers();

// The model record and the device option list (null while not loaded; the
// list is also null for a model without device options).
const ModelInfo* Rdc_Model();
const DeviceOptionItem* Rdc_DeviceOptions();
// The paper id of the model's default input paper, 0xFFFF when none is
// known.  Looked up once, at the first PDEV, from the procedure library's
// default input paper keyword (never under the loader lock).
uint16_t Rdc_DefaultPaperId();

// The maker's name of the description (built in: "HALDOVAR"), at most 127
// characters: the first part of the per-user registry paths.
const wchar_t* Rdc_MakerName();

// The render core's own module, kept at attach; it locates the siblings.
void Rdc_SetModule(HMODULE module);
HMODULE Rdc_Module();
// The path of `fileName` beside the render core's module.  False when the
// module path cannot be had or the result would not fit MAX_PATH.
bool Rdc_SiblingPath(const wchar_t* fileName, wchar_t path[MAX_PATH]);
