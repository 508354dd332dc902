// The per-user lists of overlay forms and their stores.
//
// Soft overlays: a list of form files (FormFileList), each entry holding
// the file's path and a copy of its header; a file is listed only when its
// header was read and accepted.  Device overlays: the driver's list of the
// device's forms (DriverFormList, driver_form_list.h).  Both are kept under
// the user's key "Software\<maker>\<driver>\<printer>" (the printer name
// without its leading backslashes) as "FormCount" (REG_DWORD) and "Form1",
// "Form2", ... (REG_SZ): a form file's full path, or for a device form
// "name,form name,location".  On Windows NT 4.0 the form file list and the
// initial folder live in the INI file "VQFORM.INI" in the Windows folder, in
// the section named by the printer; the device list stays in the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/records/overlay_form_file.h"
#include "dproc/overlay/driver_form_list.h"

// The most entries a stored count may ask for.
inline constexpr uint32_t kMaxStoredForms = 1000;
// Stored paths: at most 259 characters.
inline constexpr size_t kFormPathChars = 260;

struct FormFileNode {
  FormFileHeader header;  // version 1: the wide part zero
  std::wstring path;
};

struct FormFileList {
  uint32_t kind = 0;  // 1 INI file, 0 registry
  HKEY key = nullptr;
  wchar_t iniPath[kFormPathChars] = {};
  wchar_t section[kFormPathChars] = {};
  std::vector<std::unique_ptr<FormFileNode>> nodes;
};

// The header of a form file: the magic and version 1 or 2, with its whole
// header (Form_ReadListHeader).  False for a missing, short or foreign file.
bool ReadFormFileHeader(const wchar_t* path, FormFileHeader* header);
// The form's shown name: the ANSI name (in the ANSI code page) unless empty,
// else the wide one.
std::wstring FormDisplayName(const FormFileHeader& header);

// Loads the printer's form file list; null when its registry key cannot be
// opened or made.  Entries whose files are missing or not form files are
// left out.
FormFileList* LoadOverlayFormList(const wchar_t* printerName, const wchar_t* driverName);
// Writes the list as it stands; false at the first failed registry write
// (the entries before it stay written).
bool SaveOverlayFormList(FormFileList* list);
// Appends the file when it is a form file; null otherwise.
FormFileNode* AddFormFileNode(const wchar_t* path, FormFileList* list);
bool RemoveFormFileNode(FormFileList* list, FormFileNode* node);
void FreeOverlayFormList(FormFileList* list);

// Loads the driver's device form list (every entry registered, duplicates
// left out); null when the key cannot be opened or made.
DriverFormList* LoadDeviceFormList(const wchar_t* printerName, const wchar_t* driverName);
// Writes the registered entries; false at the first failed write.
bool SaveDeviceFormList(DriverFormList* list);
void FreeDeviceFormList(DriverFormList* list);

// The folder the form file dialog opens in: the stored "FormInitialDir",
// else the root of the Windows folder's drive.
void GetFormInitialDir(const wchar_t* printerName, const wchar_t* driverName, wchar_t out[kFormPathChars]);
void SetFormInitialDir(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* folder);

// A form's name or path as stored (the system's code page) in UTF-16, cut to
// a form path's length; the file name part of a form path.
std::wstring FormTextWide(const char* text);
std::wstring FormFileNameOf(const std::wstring& path);

// Tests only: take the platform as Windows NT 4.0 (the INI store of form
// files), with `windowsDir` as the Windows folder; null goes back to the
// running system.
void SetFormStoreNt4ForTests(const wchar_t* windowsDir);
