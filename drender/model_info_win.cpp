// The shared printer description of the render core.
#include "drender/model_info.h"

#include <cwchar>

#include "common/qxd_file.h"
#include "drender/vendor_name.h"

namespace {

constexpr size_t kMakerNameChars = 128;
constexpr wchar_t kBuiltInMaker[] = L"HALDOVAR";

HMODULE g_module = nullptr;
wchar_t g_makerName[kMakerNameChars] = L"HALDOVAR";
LONG g_users = 0;
bool g_loaded = false;

// Qxd_ReadVendorName: the description's maker name, from the system ANSI
// code page; the built-in name when the description names none.
void ReadVendorName(QxdContext* description) {
  char value[kVendorValueSize];
  if (!Qxd_FindVendorName(description, value) || value[0] == 0) {
    wcscpy(g_makerName, kBuiltInMaker);
    return;
  }
  // Converted whole (a narrow text never has more characters than bytes),
  // then cut.
  wchar_t wide[kVendorValueSize] = {};
  if (!MultiByteToWideChar(CP_ACP, 0, value, -1, wide, kVendorValueSize)) {
    wcscpy(g_makerName, kBuiltInMaker);
    return;
  }
  wcsncpy(g_makerName, wide, kMakerNameChars - 1);
  g_makerName[kMakerNameChars - 1] = 0;
}

}  // namespace

const wchar_t* Rdc_MakerName() { return g_makerName; }

void Rdc_SetModule(HMODULE module) { g_module = module; }
HMODULE Rdc_Module() { return g_module; }

bool Rdc_SiblingPath(const wchar_t* fileName, wchar_t path[MAX_PATH]) {
  wchar_t own[MAX_PATH];
  DWORD length = GetModuleFileNameW(g_module, own, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  size_t dir = length;
  while (dir > 0 && own[dir - 1] != L'\\' && own[dir - 1] != L'/') --dir;
  size_t name = wcslen(fileName);
  if (dir + name + 1 > MAX_PATH) return false;
  wmemcpy(path, own, dir);
  wmemcpy(path + dir, fileName, name + 1);
  return true;
}

BOOL Qxd_LoadModelInfo() {
  if (g_loaded) {
    ++g_users;
    return TRUE;
  }
  wchar_t path[MAX_PATH];
  if (!Rdc_SiblingPath(L"VELDRANH.QXD", path)) return FALSE;
  QxdContext* description = QxdOpen(path, 1);
  if (!description) return FALSE;
  ReadVendorName(description);
  QxdClose(description);
  g_loaded = true;
  ++g_users;
  return TRUE;
}

void Qxd_ReleaseModelInfo() {
  if (g_users <= 0) return;
  if (--g_users == 0) g_loaded = false;
}

LONG Qxd_ModelInfoUsers() { return g_users; }
