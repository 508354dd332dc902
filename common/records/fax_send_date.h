// The date of a delayed sending.  The job carries only the hour and the
// minute; the date is today while that time is still ahead, else tomorrow.
// The destination dialog confirms the date with the user; the user interface
// core sends it with the job at the start of the document.
#pragma once

#include <cstdint>

struct FaxClock {
  int year;
  int month;  // 1-12
  int day;    // 1-31
  int hour;   // 0-23
  int minute; // 0-59
};

struct FaxDate {
  int year;
  int month;
  int day;
};

// Days of a month of the Gregorian calendar (February: 29 in a year divisible
// by 4 and not by 100, or by 400); 31 for a month outside 1-12.
int FaxDaysInMonth(int year, int month);

// The sending date of `sendHour`:`sendMinute` seen at `now`: the next day
// when that time is not after the present minute (the same minute is
// tomorrow), else today.
FaxDate FaxDelayedSendDate(const FaxClock& now, int sendHour, int sendMinute);

// The date the user interface core sends with a job: tomorrow only when
// `sendHour`:`sendMinute` lies before the present minute; the present minute
// itself is still today (the device sends at once).
FaxDate FaxJobSendDate(const FaxClock& now, int sendHour, int sendMinute);

// The day after `d`, across month and year ends.
FaxDate FaxNextDay(FaxDate d);
