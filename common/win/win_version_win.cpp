#include <windows.h>

#include "common/win/win_version.h"

namespace {

bool QueryVersion(OSVERSIONINFOW* info) {
  *info = OSVERSIONINFOW{};
  info->dwOSVersionInfoSize = sizeof *info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(info) != FALSE;
#pragma GCC diagnostic pop
}

}  // namespace

int GetWinVersionClass() {
  OSVERSIONINFOW info;
  if (!QueryVersion(&info)) return kWinOlder;
  return WinVersionClassOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

bool IsVistaOrLater() {
  OSVERSIONINFOW info;
  return QueryVersion(&info) && IsVistaOrLaterOf(info.dwPlatformId, info.dwMajorVersion);
}
