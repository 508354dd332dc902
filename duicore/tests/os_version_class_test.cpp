#include "duicore/module/os_version_class.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
  uint32_t platform, major, minor;
  int expected;
};

TEST(OsVersionClassTest, EveryGenerationHasItsClass) {
  const VersionCase cases[] = {
      {kOsPlatformWindows9x, 4, 0, 2},    // Windows 95
      {kOsPlatformWindows9x, 4, 10, 3},   // Windows 98
      {kOsPlatformWindows9x, 4, 90, 3},   // Windows Me
      {kOsPlatformNT, 4, 0, 102},         // NT 4.0
      {kOsPlatformNT, 5, 0, 103},         // 2000
      {kOsPlatformNT, 5, 1, 104},         // XP
      {kOsPlatformNT, 5, 2, 105},         // Server 2003
      {kOsPlatformNT, 5, 3, 104},         // any other 5.x
      {kOsPlatformNT, 6, 0, -1},          // Vista
      {kOsPlatformNT, 6, 1, -1},          // 7, as Wine reports itself
      {kOsPlatformNT, 10, 0, -1},
      {0, 4, 0, -1},                      // Win32s
      {kOsPlatformNT, 3, 51, -1},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(OsVersionClassOf(c.platform, c.major, c.minor), c.expected)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
  }
}

}  // namespace
