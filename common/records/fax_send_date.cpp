#include "common/records/fax_send_date.h"

int FaxDaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return kDays[month - 1];
}

FaxDate FaxNextDay(FaxDate d) {
  if (++d.day > FaxDaysInMonth(d.year, d.month)) {
    d.day = 1;
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  return d;
}

FaxDate FaxDelayedSendDate(const FaxClock& now, int sendHour, int sendMinute) {
  const FaxDate today{now.year, now.month, now.day};
  const bool tomorrow = sendHour < now.hour || (sendHour == now.hour && sendMinute <= now.minute);
  return tomorrow ? FaxNextDay(today) : today;
}

FaxDate FaxJobSendDate(const FaxClock& now, int sendHour, int sendMinute) {
  const FaxDate today{now.year, now.month, now.day};
  const bool tomorrow = sendHour < now.hour || (sendHour == now.hour && sendMinute < now.minute);
  return tomorrow ? FaxNextDay(today) : today;
}
