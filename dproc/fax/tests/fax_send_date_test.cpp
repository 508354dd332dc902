#include "common/records/fax_send_date.h"

#include <gtest/gtest.h>

namespace {

TEST(FaxSendDate, TodayWhileTheTimeIsAheadElseTomorrow) {
  struct Case {
    FaxClock now;
    int hour, minute;
    FaxDate want;
  } cases[] = {
      {{2026, 12, 31, 23, 0}, 22, 0, {2027, 1, 1}},    // after the last day of the year
      {{2100, 2, 28, 12, 0}, 10, 0, {2100, 3, 1}},     // 2100 is no leap year
      {{2000, 2, 28, 12, 0}, 10, 0, {2000, 2, 29}},    // 2000 is one
      {{2024, 2, 28, 12, 0}, 10, 0, {2024, 2, 29}},
      {{2023, 2, 28, 12, 0}, 10, 0, {2023, 3, 1}},
      {{2026, 4, 30, 8, 30}, 8, 30, {2026, 5, 1}},     // the same minute is tomorrow
      {{2026, 4, 30, 8, 30}, 8, 31, {2026, 4, 30}},    // a minute later is today
      {{2026, 4, 30, 8, 30}, 9, 0, {2026, 4, 30}},
      {{2026, 4, 30, 8, 30}, 8, 29, {2026, 5, 1}},
      {{2026, 1, 31, 0, 0}, 0, 0, {2026, 2, 1}},
      {{2026, 6, 15, 23, 59}, 23, 59, {2026, 6, 16}},
  };
  for (const Case& c : cases) {
    FaxDate d = FaxDelayedSendDate(c.now, c.hour, c.minute);
    EXPECT_EQ(d.year, c.want.year) << c.now.year << "-" << c.now.month << "-" << c.now.day;
    EXPECT_EQ(d.month, c.want.month) << c.now.year << "-" << c.now.month << "-" << c.now.day;
    EXPECT_EQ(d.day, c.want.day) << c.now.year << "-" << c.now.month << "-" << c.now.day;
  }
}

// The date the core sends with a job: the present minute is still today.
TEST(FaxSendDate, JobDateTomorrowOnlyForAnEarlierTime) {
  struct Case {
    FaxClock now;
    int hour, minute;
    FaxDate want;
  } cases[] = {
      {{2026, 4, 30, 9, 29}, 9, 30, {2026, 4, 30}},   // before the send time
      {{2026, 4, 30, 9, 30}, 9, 30, {2026, 4, 30}},   // at it
      {{2026, 4, 30, 9, 31}, 9, 30, {2026, 5, 1}},    // after it: tomorrow, month rolls over
      {{2026, 12, 31, 9, 31}, 9, 30, {2027, 1, 1}},   // year rolls over
      {{2024, 2, 28, 10, 0}, 9, 30, {2024, 2, 29}},   // leap day
      {{2100, 2, 28, 10, 0}, 9, 30, {2100, 3, 1}},
      {{2026, 6, 15, 10, 0}, 9, 59, {2026, 6, 16}},   // an earlier hour
      {{2026, 6, 15, 10, 0}, 11, 0, {2026, 6, 15}},
  };
  for (const Case& c : cases) {
    FaxDate d = FaxJobSendDate(c.now, c.hour, c.minute);
    EXPECT_EQ(d.year, c.want.year) << c.now.hour << ":" << c.now.minute;
    EXPECT_EQ(d.month, c.want.month) << c.now.hour << ":" << c.now.minute;
    EXPECT_EQ(d.day, c.want.day) << c.now.hour << ":" << c.now.minute;
  }
}

TEST(FaxSendDate, MonthLengths) {
  const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(FaxDaysInMonth(2023, m), days[m - 1]) << m;
  EXPECT_EQ(FaxDaysInMonth(1900, 2), 28);
  EXPECT_EQ(FaxDaysInMonth(2400, 2), 29);
  EXPECT_EQ(FaxDaysInMonth(2026, 13), 31);
}

}  // namespace
