// The overlay form lists' stores: the user's registry key of the printer,
// or the INI file of Windows NT 4.0 for the form file list.
#include "dproc/overlay/form_store_win.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>

#include "common/win/store_values_win.h"
#include "common/win/user_registry.h"
#include "common/win/win_version.h"

namespace {

constexpr wchar_t kCount[] = L"FormCount";
constexpr wchar_t kInitialDir[] = L"FormInitialDir";
constexpr wchar_t kIniName[] = L"VQFORM.INI";
constexpr DWORD kValueBytes = 520;

bool g_nt4Override = false;
wchar_t g_windowsDir[MAX_PATH] = {};

bool IsNt4() {
  if (g_nt4Override) return true;
  return GetWinVersionClass() == kWinNT4;
}

void WindowsDir(wchar_t* out, UINT chars) {
  if (g_nt4Override) {
    std::wcsncpy(out, g_windowsDir, chars - 1);
    out[chars - 1] = 0;
    return;
  }
  if (GetWindowsDirectoryW(out, chars) == 0) out[0] = 0;
}

// The INI file's full path: the Windows folder, a backslash when it lacks
// one, and the file name.
bool IniPath(wchar_t out[kFormPathChars]) {
  wchar_t dir[MAX_PATH] = {};
  WindowsDir(dir, MAX_PATH);
  const size_t n = std::wcslen(dir);
  const wchar_t* slash = n > 0 && dir[n - 1] == L'\\' ? L"" : L"\\";
  const int w = _snwprintf(out, kFormPathChars, L"%ls%ls%ls", dir, slash, kIniName);
  return w > 0 && static_cast<size_t>(w) < kFormPathChars;
}

HKEY OpenStoreKey(const wchar_t* printerName, const wchar_t* driverName) {
  wchar_t path[1024];
  HKEY key = nullptr;
  if (printerName == nullptr || driverName == nullptr ||
      !MakeUserSettingsPath(driverName, printerName, nullptr, path, sizeof path / sizeof path[0]) ||
      OpenUserRegKey(nullptr, path, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

// A REG_SZ value of at most 520 bytes, ended inside `out` whatever it holds.
bool ReadTextValue(HKEY key, const wchar_t* name, wchar_t out[kValueBytes / 2 + 1]) {
  DWORD type = 0, size = kValueBytes;
  out[0] = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    out[0] = 0;
    return false;
  }
  out[size / 2 <= kValueBytes / 2 ? size / 2 : kValueBytes / 2] = 0;
  return true;
}

bool WriteTextValue(HKEY key, const wchar_t* name, const wchar_t* text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void ValueName(wchar_t name[16], uint32_t number) { _snwprintf(name, 16, L"Form%u", number); }

// The registry kind of a save: one value per entry, the count, then the
// values above the new count deleted.
template <typename Text>
bool SaveNumbered(HKEY key, uint32_t count, Text textOf) {
  if (key == nullptr) return false;
  const uint32_t old = Store_ReadRegCount(key, kCount, kMaxStoredForms);
  for (uint32_t i = 0; i < count; ++i) {
    wchar_t name[16];
    ValueName(name, i + 1);
    if (!WriteTextValue(key, name, textOf(i).c_str())) return false;
  }
  const DWORD stored = count;
  if (RegSetValueExW(key, kCount, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored) !=
      ERROR_SUCCESS) {
    return false;
  }
  for (uint32_t i = count + 1; i <= old; ++i) {
    wchar_t name[16];
    ValueName(name, i);
    RegDeleteValueW(key, name);
  }
  return true;
}

}  // namespace

bool ReadFormFileHeader(const wchar_t* path, FormFileHeader* header) {
  std::memset(header, 0, sizeof *header);
  if (path == nullptr || path[0] == 0) return false;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint8_t bytes[sizeof(FormFileHeader)] = {};
  DWORD got = 0, total = 0;
  while (total < sizeof bytes && ReadFile(file, bytes + total, sizeof bytes - total, &got, nullptr) && got > 0) {
    total += got;
  }
  CloseHandle(file);
  return Form_ReadListHeader(bytes, total, header);
}

std::wstring FormDisplayName(const FormFileHeader& header) {
  if (Form_ShowsAnsiName(header)) return FormTextWide(header.name);
  std::wstring out;
  for (size_t i = 0; i < kFormNameChars && header.wideName[i] != 0; ++i) out.push_back(header.wideName[i]);
  return out;
}

FormFileNode* AddFormFileNode(const wchar_t* path, FormFileList* list) {
  if (path == nullptr || list == nullptr) return nullptr;
  std::unique_ptr<FormFileNode> node(new (std::nothrow) FormFileNode{});
  if (!node || !ReadFormFileHeader(path, &node->header)) return nullptr;
  node->path = path;
  FormFileNode* raw = node.get();
  list->nodes.push_back(std::move(node));
  return raw;
}

bool RemoveFormFileNode(FormFileList* list, FormFileNode* node) {
  return list != nullptr && RemoveOwnedNode(&list->nodes, node);
}

FormFileList* LoadOverlayFormList(const wchar_t* printerName, const wchar_t* driverName) {
  if (printerName == nullptr) return nullptr;
  std::unique_ptr<FormFileList> list(new (std::nothrow) FormFileList{});
  if (!list) return nullptr;
  if (IsNt4()) {
    list->kind = 1;
    if (!IniPath(list->iniPath)) return nullptr;
    std::wcsncpy(list->section, printerName, kFormPathChars - 1);
    const UINT count = GetPrivateProfileIntW(list->section, kCount, 0, list->iniPath);
    for (UINT i = 1; i <= count && i <= kMaxStoredForms; ++i) {
      wchar_t name[16], path[kFormPathChars] = {};
      ValueName(name, i);
      GetPrivateProfileStringW(list->section, name, L"", path, kFormPathChars, list->iniPath);
      if (path[0] != 0) AddFormFileNode(path, list.get());
    }
    return list.release();
  }
  list->key = OpenStoreKey(printerName, driverName);
  if (list->key == nullptr) return nullptr;
  const uint32_t count = Store_ReadRegCount(list->key, kCount, kMaxStoredForms);
  for (uint32_t i = 1; i <= count; ++i) {
    wchar_t name[16], path[kValueBytes / 2 + 1];
    ValueName(name, i);
    if (ReadTextValue(list->key, name, path) && path[0] != 0) AddFormFileNode(path, list.get());
  }
  return list.release();
}

bool SaveOverlayFormList(FormFileList* list) {
  if (list == nullptr) return false;
  const uint32_t count = static_cast<uint32_t>(list->nodes.size());
  if (list->kind == 1) {
    const UINT old = GetPrivateProfileIntW(list->section, kCount, 0, list->iniPath);
    for (uint32_t i = 0; i < count; ++i) {
      wchar_t name[16];
      ValueName(name, i + 1);
      WritePrivateProfileStringW(list->section, name, list->nodes[i]->path.c_str(), list->iniPath);
    }
    // The count follows the entries.
    WritePrivateProfileStringW(list->section, kCount, nullptr, list->iniPath);
    wchar_t number[16];
    _snwprintf(number, 16, L"%u", count);
    WritePrivateProfileStringW(list->section, kCount, number, list->iniPath);
    for (UINT i = count + 1; i <= old && i <= kMaxStoredForms; ++i) {
      wchar_t name[16];
      ValueName(name, i);
      WritePrivateProfileStringW(list->section, name, nullptr, list->iniPath);
    }
    return true;
  }
  return SaveNumbered(list->key, count, [list](uint32_t i) { return list->nodes[i]->path; });
}

void FreeOverlayFormList(FormFileList* list) {
  if (list == nullptr) return;
  if (list->key != nullptr) RegCloseKey(list->key);
  delete list;
}

DriverFormList* LoadDeviceFormList(const wchar_t* printerName, const wchar_t* driverName) {
  std::unique_ptr<DriverFormList> list(new (std::nothrow) DriverFormList{});
  if (!list) return nullptr;
  HKEY key = OpenStoreKey(printerName, driverName);
  if (key == nullptr) return nullptr;
  list->key = key;
  const uint32_t count = Store_ReadRegCount(key, kCount, kMaxStoredForms);
  uint32_t location = 0;
  for (uint32_t i = 1; i <= count; ++i) {
    wchar_t name[16], value[kValueBytes / 2 + 1];
    ValueName(name, i);
    if (!ReadTextValue(key, name, value)) continue;
    char text[kFormPathChars] = {};
    WideCharToMultiByte(CP_ACP, 0, value, -1, text, kFormPathChars - 1, nullptr, nullptr);
    char formName[kDriverFormNameBytes], form[kDriverFormFormNameBytes];
    ParseDriverFormValue(text, formName, form, &location);
    if (DriverFormNode* node = AddDriverForm(list.get(), formName, location)) {
      node->registered = 1;
      CopyFormText(node->formName, sizeof node->formName, form);
    }
  }
  return list.release();
}

bool SaveDeviceFormList(DriverFormList* list) {
  if (list == nullptr) return false;
  std::vector<const DriverFormNode*> registered;
  for (const auto& node : list->nodes) {
    if (node->registered) registered.push_back(node.get());
  }
  return SaveNumbered(static_cast<HKEY>(list->key), static_cast<uint32_t>(registered.size()), [&](uint32_t i) {
    char text[260];
    FormatDriverFormValue(*registered[i], text);
    return FormTextWide(text);
  });
}

void FreeDeviceFormList(DriverFormList* list) {
  if (list == nullptr) return;
  if (list->key != nullptr) RegCloseKey(static_cast<HKEY>(list->key));
  delete list;
}

void GetFormInitialDir(const wchar_t* printerName, const wchar_t* driverName, wchar_t out[kFormPathChars]) {
  out[0] = 0;
  if (IsNt4()) {
    wchar_t ini[kFormPathChars];
    if (printerName != nullptr && IniPath(ini)) {
      GetPrivateProfileStringW(printerName, kInitialDir, L"", out, kFormPathChars - 1, ini);
    }
  } else if (HKEY key = OpenStoreKey(printerName, driverName)) {
    wchar_t value[kValueBytes / 2 + 1];
    if (ReadTextValue(key, kInitialDir, value)) {
      std::wcsncpy(out, value, kFormPathChars - 1);
      out[kFormPathChars - 1] = 0;
    }
    RegCloseKey(key);
  }
  if (out[0] == 0) {
    wchar_t dir[MAX_PATH] = {};
    WindowsDir(dir, MAX_PATH);
    std::wcsncpy(out, dir, 3);
    out[3] = 0;
  }
}

void SetFormInitialDir(const wchar_t* printerName, const wchar_t* driverName, const wchar_t* folder) {
  if (folder == nullptr) return;
  if (IsNt4()) {
    wchar_t ini[kFormPathChars];
    if (printerName != nullptr && IniPath(ini)) WritePrivateProfileStringW(printerName, kInitialDir, folder, ini);
    return;
  }
  if (HKEY key = OpenStoreKey(printerName, driverName)) {
    WriteTextValue(key, kInitialDir, folder);
    RegCloseKey(key);
  }
}

void SetFormStoreNt4ForTests(const wchar_t* windowsDir) {
  g_nt4Override = windowsDir != nullptr;
  g_windowsDir[0] = 0;
  if (windowsDir != nullptr) {
    std::wcsncpy(g_windowsDir, windowsDir, MAX_PATH - 1);
    g_windowsDir[MAX_PATH - 1] = 0;
  }
}

std::wstring FormTextWide(const char* text) {
  wchar_t out[kFormPathChars] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, out, kFormPathChars - 1);
  return out;
}

std::wstring FormFileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
