// The shared printer description of the render core.
#include "drender/model_info.h"

#include <cwchar>

#include "common/qxd_file.h"

namespace {

HMODULE g_module = nullptr;
LONG g_users = 0;
bool g_loaded = false;

}  // namespace

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
