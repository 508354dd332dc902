#include "common/win/win_version.h"

int WinVersionClassOf(uint32_t platform, uint32_t major, uint32_t minor) {
  if (platform != kPlatformNT || major < 4) return kWinOlder;
  if (major == 4) return kWinNT4;
  if (major == 5) {
    switch (minor) {
      case 0: return kWin2000;
      case 1: return kWinXP;
      case 2: return kWinServer2003;
      default: return kWinLater;
    }
  }
  return kWinLater;
}

bool IsVistaOrLaterOf(uint32_t platform, uint32_t major) { return platform == kPlatformNT && major >= 6; }
