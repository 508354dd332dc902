#include <windows.h>

#include "common/win/win_version.h"

bool QueryWindowsVersion(OSVERSIONINFOW* info) {
  *info = OSVERSIONINFOW{};
  info->dwOSVersionInfoSize = sizeof *info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(info) != FALSE;
#pragma GCC diagnostic pop
}

int GetWinVersionClass() {
  OSVERSIONINFOW info;
  if (!QueryWindowsVersion(&info)) return kWinOlder;
  return WinVersionClassOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

bool IsVistaOrLater() {
  OSVERSIONINFOW info;
  return QueryWindowsVersion(&info) && IsVistaOrLaterOf(info.dwPlatformId, info.dwMajorVersion);
}
