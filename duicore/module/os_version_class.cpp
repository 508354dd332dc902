#include "duicore/module/os_version_class.h"

int OsVersionClassOf(uint32_t platform, uint32_t major, uint32_t minor) {
  if (major == 4) {
    if (platform == kOsPlatformWindows9x) return minor == 0 ? kOsClassWindows95 : kOsClassWindows98;
    if (platform == kOsPlatformNT) return kOsClassNT4;
    return kOsClassOther;
  }
  if (major == 5) {
    if (minor == 0) return kOsClassWindows2000;
    if (minor == 2) return kOsClassServer2003;
    return kOsClassWindowsXP;
  }
  return kOsClassOther;
}
