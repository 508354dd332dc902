// Stands in for the download manager: leaves "<its own path>.ran" behind,
// holding the command line it was given.
#include <windows.h>

#include <cwchar>

int wmain() {
  wchar_t path[MAX_PATH + 8];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wcscat(path, L".ran");
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const wchar_t* commandLine = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, commandLine, static_cast<DWORD>(std::wcslen(commandLine) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
