// Version classes for every platform and version, not only the running one.
#include <gtest/gtest.h>

#include "common/win/win_version.h"

namespace {

TEST(WinVersion, ClassOfEveryVersion) {
  struct Case {
    uint32_t platform, major, minor;
    int expected;
  } cases[] = {
      {kPlatformWindows9x, 4, 10, kWinOlder}, {kPlatformWin32s, 3, 1, kWinOlder}, {kPlatformNT, 3, 51, kWinOlder},
      {kPlatformNT, 4, 0, kWinNT4},           {kPlatformNT, 5, 0, kWin2000},      {kPlatformNT, 5, 1, kWinXP},
      {kPlatformNT, 5, 2, kWinServer2003},    {kPlatformNT, 5, 3, kWinLater},     {kPlatformNT, 6, 0, kWinLater},
      {kPlatformNT, 6, 1, kWinLater},         {kPlatformNT, 10, 0, kWinLater},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WinVersionClassOf(c.platform, c.major, c.minor), c.expected) << c.platform << " " << c.major << "." << c.minor;
  }
  EXPECT_FALSE(IsVistaOrLaterOf(kPlatformNT, 5));
  EXPECT_TRUE(IsVistaOrLaterOf(kPlatformNT, 6));
  EXPECT_FALSE(IsVistaOrLaterOf(kPlatformWindows9x, 6));
}

}  // namespace
