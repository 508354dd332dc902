// The wait cursor around a question to the device, and the cursor before
// it back afterwards, also when the waits nest.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/wait_cursor_win.h"

namespace {

TEST(ScopedWaitCursor, ShowsTheWaitCursorAndPutsTheOldOneBack) {
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  ASSERT_NE(wait, nullptr);
  SetCursor(arrow);
  {
    ScopedWaitCursor outer;
    EXPECT_EQ(GetCursor(), wait);
    {
      ScopedWaitCursor inner;
      EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), wait);
  }
  EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
