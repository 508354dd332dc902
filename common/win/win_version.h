// The Windows version classes that gate features of the driver.
#pragma once

#include <cstdint>

enum WinVersionClass : int {
  kWinOlder = -1,    // Windows 9x, anything before NT 4.0
  kWinNT4 = 0,
  kWin2000 = 1,      // 5.0
  kWinXP = 2,        // 5.1
  kWinServer2003 = 3,  // 5.2
  kWinLater = 4,     // 5.3 and everything from 6.0 on
};

// Platform ids as GetVersionEx reports them.
inline constexpr uint32_t kPlatformWin32s = 0;
inline constexpr uint32_t kPlatformWindows9x = 1;
inline constexpr uint32_t kPlatformNT = 2;

int WinVersionClassOf(uint32_t platform, uint32_t major, uint32_t minor);
bool IsVistaOrLaterOf(uint32_t platform, uint32_t major);

#ifdef _WIN32
#include <windows.h>

// The running system's version as GetVersionEx reports it (the one place
// that asks); false when it cannot be had.
bool QueryWindowsVersion(OSVERSIONINFOW* info);

// The same for the running system.
int GetWinVersionClass();
bool IsVistaOrLater();
#endif
