#include "dproc/startup/dl_manager_win.h"

#include <cwchar>

#include "dproc/startup/startup_settings.h"

namespace {

constexpr wchar_t kAppPaths[] = L"Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr wchar_t kDefaultProgram[] = L"TASCOVEN.EXE";

// The program's file name: the description file's, else the built-in one.
bool ProgramName(wchar_t* out, size_t capacity) {
  if (g_dlManagerFileName[0] == '\0') {
    if (std::wcslen(kDefaultProgram) + 1 > capacity) return false;
    std::wcscpy(out, kDefaultProgram);
    return true;
  }
  int n = MultiByteToWideChar(CP_ACP, 0, g_dlManagerFileName, -1, out, static_cast<int>(capacity));
  return n > 1;
}

}  // namespace

void GetDLManagerPath(wchar_t* out) {
  if (out == nullptr) return;
  out[0] = L'\0';
  wchar_t program[kSettingText];
  if (!ProgramName(program, kSettingText)) return;
  wchar_t keyName[sizeof kAppPaths / sizeof kAppPaths[0] + kSettingText];
  std::wcscpy(keyName, kAppPaths);
  std::wcscat(keyName, program);
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  // One unit more than the value may hold, so that a text without its
  // terminator still ends inside the buffer.
  wchar_t path[kDLManagerPathUnits + 1] = {};
  DWORD type = 0;
  DWORD size = kDLManagerPathUnits * sizeof(wchar_t);
  LONG status = RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return;
  size_t length = std::wcslen(path);
  if (length == 0) return;
  bool slash = path[length - 1] == L'\\';
  size_t total = length + (slash ? 0 : 1) + std::wcslen(program);
  if (total + 1 > kDLManagerPathUnits) return;
  if (!slash) path[length++] = L'\\';
  std::wcscpy(path + length, program);
  std::wcscpy(out, path);
}

int DLManagerInstalled() {
  wchar_t path[kDLManagerPathUnits];
  GetDLManagerPath(path);
  if (path[0] == L'\0') return 0;
  DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? 1 : 0;
}

BOOL LaunchDLManager() {
  if (DLManagerInstalled() != 1) return FALSE;
  wchar_t path[kDLManagerPathUnits];
  GetDLManagerPath(path);
  // The path names the program; the command line repeats it in quotes so
  // that the program sees its own path as one argument.
  wchar_t commandLine[kDLManagerPathUnits + 3];
  std::swprintf(commandLine, sizeof commandLine / sizeof commandLine[0], L"\"%ls\"", path);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessW(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  if (started) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return started;
}
