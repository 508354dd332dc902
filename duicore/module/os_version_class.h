// The operating-system class by which the user interface core tells the
// Windows generations apart.
#pragma once

#include <cstdint>

enum OsVersionClass : int {
  kOsClassOther = -1,       // NT 6 and later, and anything not listed
  kOsClassWindows95 = 2,    // 9x platform, 4.0
  kOsClassWindows98 = 3,    // 9x platform, 4.x
  kOsClassNT4 = 102,
  kOsClassWindows2000 = 103,
  kOsClassWindowsXP = 104,  // 5.1 and any other 5.x
  kOsClassServer2003 = 105,
};

// Platform ids as the version information reports them.
inline constexpr uint32_t kOsPlatformWindows9x = 1;
inline constexpr uint32_t kOsPlatformNT = 2;

int OsVersionClassOf(uint32_t platform, uint32_t major, uint32_t minor);
